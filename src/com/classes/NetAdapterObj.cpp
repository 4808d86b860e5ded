#include "event_records.h"
#include "zentnet/contracts/PhysDriveObj.h"
#include "zentnet/network/NetAdapterObj.h"
#include "zentnet/network/NetSupervisorObj.h"

namespace zentnet::com {
namespace {

class NetAdapterObjSkin final
    : public Dual<NetAdapterObjSkin, _NetAdapterObj, NetAdapterObj, NetAdapterObjEvents> {
 public:
  static constexpr std::string_view kName = "NetAdapterObj";
  using Dual::Dual;

  HRESULT STDMETHODCALLTYPE FireNetworkError(::infcErrInfo* errObj) override {
    return Call(Pick<infcErrInfo&>(&Core::FireNetworkError), errObj);
  }
  HRESULT STDMETHODCALLTYPE FireNetworkChanged(::NetworkChanges newState) override {
    return Call(&Core::FireNetworkChanged, newState);
  }
  HRESULT STDMETHODCALLTYPE FireDriveParameterChanged(_PhysDriveObj** Node,
                                                      _ValueObj** NewValue) override {
    return Call(Pick<std::shared_ptr<PhysDriveObj>&, std::shared_ptr<ValueObj>&>(
                    &Core::FireDriveParameterChanged),
                Node, NewValue);
  }
  HRESULT STDMETHODCALLTYPE FireParameterChanged(::infcParamChg* chgObj) override {
    return Call(Pick<infcParamChg&>(&Core::FireParameterChanged), chgObj);
  }
  HRESULT STDMETHODCALLTYPE FirePointToPointChange(LONG nodeAddr,
                                                   ::PointToPointStatus state) override {
    return Call(&Core::FirePointToPointChange, nodeAddr, state);
  }
  HRESULT STDMETHODCALLTYPE get_NetState(::NetworkChanges* result) override {
    return Call(&Core::NetState, result);
  }
  HRESULT STDMETHODCALLTYPE get_NetStateStr(BSTR* result) override {
    return Call(&Core::NetStateStr, result);
  }
  HRESULT STDMETHODCALLTYPE NetSupervisor(_NetSupervisorObj** newRef, IDispatch** Peer) override {
    return Call(&Core::NetSupervisor, newRef, Peer);
  }
  HRESULT STDMETHODCALLTYPE get_AdapterName(BSTR* result) override {
    return Call(&Core::AdapterName, result);
  }
  HRESULT STDMETHODCALLTYPE put_PortNumber(LONG newPort) override {
    return Call(&Core::SetPortNumber, newPort);
  }
  HRESULT STDMETHODCALLTYPE get_PortNumber(LONG* result) override {
    return Call(&Core::PortNumber, result);
  }
  HRESULT STDMETHODCALLTYPE put_PortType(::NetAdapterType vNewValue) override {
    return Call(&Core::SetPortType, vNewValue);
  }
  HRESULT STDMETHODCALLTYPE get_PortType(::NetAdapterType* result) override {
    return Call(&Core::PortType, result);
  }
  HRESULT STDMETHODCALLTYPE put_NetOpen(VARIANT_BOOL newState) override {
    return Call(&Core::SetNetOpen, newState);
  }
  HRESULT STDMETHODCALLTYPE get_NetOpen(VARIANT_BOOL* result) override {
    return Call(&Core::NetOpen, result);
  }
  HRESULT STDMETHODCALLTYPE get_Nodes(_Collection** result) override {
    return Call(&Core::Nodes, result);
  }
  HRESULT STDMETHODCALLTYPE put_Enabled(VARIANT_BOOL newState) override {
    return Call(&Core::SetEnabled, newState);
  }
  HRESULT STDMETHODCALLTYPE get_Enabled(VARIANT_BOOL* result) override {
    return Call(&Core::Enabled, result);
  }
  HRESULT STDMETHODCALLTYPE putref_Peer(IDispatch* vNewValue) override {
    return Call(&Core::SetPeer, vNewValue);
  }
  HRESULT STDMETHODCALLTYPE get_Peer(IDispatch** result) override {
    return Call(&Core::Peer, result);
  }
  HRESULT STDMETHODCALLTYPE ClearNodes() override { return Call(&Core::ClearNodes); }
  HRESULT STDMETHODCALLTYPE put_InhibitParameterChangeEvent(VARIANT_BOOL vNewValue) override {
    return Call(&Core::SetInhibitParameterChangeEvent, vNewValue);
  }
  HRESULT STDMETHODCALLTYPE get_InhibitParameterChangeEvent(VARIANT_BOOL* result) override {
    return Call(&Core::InhibitParameterChangeEvent, result);
  }
  HRESULT STDMETHODCALLTYPE NetStateStrLookup(::NetworkChanges NetState, VARIANT* result) override {
    return Call(&Core::NetStateStrLookup, NetState, result);
  }

  struct Relay : EventRelay<NetAdapterObjSkin, NetAdapterObjEvents, kNetAdapterObjEventIds> {
    using EventRelay::EventRelay;
    void NetworkChanged(NetworkChanges& theState) override { Fire(Id("NetworkChanged"), theState); }
    void NetworkError(infcErrInfo& theErr) override { Fire(Id("NetworkError"), theErr); }
    void DriveParameterChanged(std::shared_ptr<PhysDriveObj>& Node,
                               std::shared_ptr<ValueObj>& NewValue) override {
      Fire(Id("DriveParameterChanged"), Node, NewValue);
    }
    void ParameterChanged(infcParamChg& chgObj) override { Fire(Id("ParameterChanged"), chgObj); }
    void PointToPointChanged(int32_t& nodeAddr, PointToPointStatus& state) override {
      Fire(Id("PointToPointChanged"), nodeAddr, state);
    }
    void RequestNetOpen(std::shared_ptr<Object>& Peer, bool& newState, int32_t& PortNumber,
                        bool& success) override {
      Fire(Id("RequestNetOpen"), Peer, newState, PortNumber, success);
    }
  };
};
const Registered<NetAdapterObjSkin> kRegistered;

}  // namespace
}  // namespace zentnet::com

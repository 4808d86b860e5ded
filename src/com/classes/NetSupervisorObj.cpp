#include "event_records.h"
#include "zentnet/contracts/PhysDriveObj.h"
#include "zentnet/network/NetSupervisorObj.h"

namespace zentnet::com {
namespace {

class NetSupervisorObjSkin final : public Dual<NetSupervisorObjSkin, _NetSupervisorObj,
                                               NetSupervisorObj, NetSupervisorObjEvents> {
 public:
  static constexpr std::string_view kName = "NetSupervisorObj";
  using Dual::Dual;

  HRESULT STDMETHODCALLTYPE FireNetworkChanged(_NetAdapterObj** netRef,
                                               ::NetworkChanges* theState) override {
    return Call(Pick<std::shared_ptr<NetAdapterObj>&, NetworkChanges&>(&Core::FireNetworkChanged),
                netRef, theState);
  }
  HRESULT STDMETHODCALLTYPE FireNetworkError(_NetAdapterObj** netRef,
                                             ::infcErrInfo* theErr) override {
    return Call(Pick<std::shared_ptr<NetAdapterObj>&, infcErrInfo&>(&Core::FireNetworkError),
                netRef, theErr);
  }
  HRESULT STDMETHODCALLTYPE FireDriveParameterChanged(_NetAdapterObj** netRef, _PhysDriveObj** Node,
                                                      _ValueObj** NewValue) override {
    return Call(Pick<std::shared_ptr<NetAdapterObj>&, std::shared_ptr<PhysDriveObj>&,
                     std::shared_ptr<ValueObj>&>(&Core::FireDriveParameterChanged),
                netRef, Node, NewValue);
  }
  HRESULT STDMETHODCALLTYPE FireParameterChanged(_NetAdapterObj** netRef,
                                                 ::infcParamChg* chgObj) override {
    return Call(Pick<std::shared_ptr<NetAdapterObj>&, infcParamChg&>(&Core::FireParameterChanged),
                netRef, chgObj);
  }
  HRESULT STDMETHODCALLTYPE FirePointToPointChanged(_NetAdapterObj** netRef, LONG* nodeAddr,
                                                    ::PointToPointStatus* state) override {
    return Call(Pick<std::shared_ptr<NetAdapterObj>&, int32_t&, PointToPointStatus&>(
                    &Core::FirePointToPointChanged),
                netRef, nodeAddr, state);
  }
  HRESULT STDMETHODCALLTYPE FireRequestNetOpen(_NetAdapterObj** netRef, IDispatch** Peer,
                                               VARIANT_BOOL* newState, LONG* PortNumber,
                                               VARIANT_BOOL* success) override {
    return Call(
        Pick<std::shared_ptr<NetAdapterObj>&, std::shared_ptr<Object>&, bool&, int32_t&, bool&>(
            &Core::FireRequestNetOpen),
        netRef, Peer, newState, PortNumber, success);
  }
  HRESULT STDMETHODCALLTYPE get_GetRefToNetPort(LONG port, _NetAdapterObj** result) override {
    return Call(&Core::GetRefToNetPort, port, result);
  }
  HRESULT STDMETHODCALLTYPE put_Ports(BSTR* newSetting) override {
    return Call(Pick<std::string&>(&Core::SetPorts), newSetting);
  }
  HRESULT STDMETHODCALLTYPE get_Ports(BSTR* result) override { return Call(&Core::Ports, result); }
  HRESULT STDMETHODCALLTYPE get_Nets(_Collection** result) override {
    return Call(&Core::Nets, result);
  }
  HRESULT STDMETHODCALLTYPE put_MaxAdapters(LONG vNewValue) override {
    return Call(&Core::SetMaxAdapters, vNewValue);
  }
  HRESULT STDMETHODCALLTYPE get_MaxAdapters(LONG* result) override {
    return Call(&Core::MaxAdapters, result);
  }
  HRESULT STDMETHODCALLTYPE put_AdapterDefault(::NetAdapterType vNewValue) override {
    return Call(&Core::SetAdapterDefault, vNewValue);
  }
  HRESULT STDMETHODCALLTYPE get_AdapterDefault(::NetAdapterType* result) override {
    return Call(&Core::AdapterDefault, result);
  }

  struct Relay
      : EventRelay<NetSupervisorObjSkin, NetSupervisorObjEvents, kNetSupervisorObjEventIds> {
    using EventRelay::EventRelay;
    using Net = std::shared_ptr<NetAdapterObj>;
    void NetworkChanged(Net& netRef, NetworkChanges& theState) override {
      Fire(Id("NetworkChanged"), netRef, theState);
    }
    void NetworkError(Net& netRef, infcErrInfo& theErr) override {
      Fire(Id("NetworkError"), netRef, theErr);
    }
    void DriveParameterChanged(Net& netRef, std::shared_ptr<PhysDriveObj>& Node,
                               std::shared_ptr<ValueObj>& NewValue) override {
      Fire(Id("DriveParameterChanged"), netRef, Node, NewValue);
    }
    void ParameterChanged(Net& netRef, infcParamChg& chgObj) override {
      Fire(Id("ParameterChanged"), netRef, chgObj);
    }
    void PointToPointChanged(Net& netRef, int32_t& nodeAddr, PointToPointStatus& state) override {
      Fire(Id("PointToPointChanged"), netRef, nodeAddr, state);
    }
    void RequestNetOpen(Net& netRef, std::shared_ptr<Object>& Peer, bool& newState,
                        int32_t& PortNumber, bool& success) override {
      Fire(Id("RequestNetOpen"), netRef, Peer, newState, PortNumber, success);
    }
  };
};
const Registered<NetSupervisorObjSkin> kRegistered;

}  // namespace
}  // namespace zentnet::com

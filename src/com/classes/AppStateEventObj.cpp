// The application event hub. drv and net are the caller's own variables: FireCreateDemoDrive
// hands back the drive a listener stored there.

#include "../skin/dual.h"
#include "zentnet/contracts/PhysDriveObj.h"
#include "zentnet/network/NetAdapterObj.h"
#include "zentnet/services/AppStateEventObj.h"

namespace zentnet::com {
namespace {

class AppStateEventObjSkin final : public Dual<AppStateEventObjSkin, _AppStateEventObj,
                                               AppStateEventObj, AppStateEventObjEvents> {
 public:
  static constexpr std::string_view kName = "AppStateEventObj";
  using Dual::Dual;

  HRESULT STDMETHODCALLTYPE FireLockChange(::LockLevels newState) override {
    return Call(&Core::FireLockChange, newState);
  }
  HRESULT STDMETHODCALLTYPE FirePollStateChange(VARIANT_BOOL newState) override {
    return Call(&Core::FirePollStateChange, newState);
  }
  HRESULT STDMETHODCALLTYPE FireTechSupportChange(VARIANT_BOOL newState) override {
    return Call(&Core::FireTechSupportChange, newState);
  }
  HRESULT STDMETHODCALLTYPE FireTimerTick() override { return Call(&Core::FireTimerTick); }
  HRESULT STDMETHODCALLTYPE FireTerminate(VARIANT_BOOL* result) override {
    return Call(&Core::FireTerminate, result);
  }
  HRESULT STDMETHODCALLTYPE FireCreateDemoDrive(::PhysDriveType type,
                                                _PhysDriveObj** drv) override {
    return Call(Pick<PhysDriveType, std::shared_ptr<PhysDriveObj>&>(&Core::FireCreateDemoDrive),
                type, drv);
  }
  HRESULT STDMETHODCALLTYPE FireNetChange(_NetAdapterObj** net,
                                          ::NetworkChanges newState) override {
    return Call(Pick<std::shared_ptr<NetAdapterObj>&, NetworkChanges>(&Core::FireNetChange), net,
                newState);
  }
  HRESULT STDMETHODCALLTYPE put_MotorPageEnabled(VARIANT_BOOL value) override {
    return Call(&Core::SetMotorPageEnabled, value);
  }
  HRESULT STDMETHODCALLTYPE get_MotorPageEnabled(VARIANT_BOOL* result) override {
    return Call(&Core::MotorPageEnabled, result);
  }

  struct Relay
      : EventRelay<AppStateEventObjSkin, AppStateEventObjEvents, kAppStateEventObjEventIds> {
    using EventRelay::EventRelay;
    void LockChanged(LockLevels& newState) override { Fire(Id("LockChanged"), newState); }
    void TechSupportChanged(bool& newState) override { Fire(Id("TechSupportChanged"), newState); }
    void PollStateChanged(bool& newState) override { Fire(Id("PollStateChanged"), newState); }
    void TimerTick() override { Fire(Id("TimerTick")); }
    void Terminate(bool& cancel) override { Fire(Id("Terminate"), cancel); }
    void CreateDemoDrive(PhysDriveType& type, std::shared_ptr<PhysDriveObj>& demoDrv) override {
      Fire(Id("CreateDemoDrive"), type, demoDrv);
    }
    void MotorPageEnableChanged(bool& newState) override {
      Fire(Id("MotorPageEnableChanged"), newState);
    }
    void NetworkChange(std::shared_ptr<NetAdapterObj>& net, NetworkChanges newState) override {
      Fire(Id("NetworkChange"), net, ByVal<NetworkChanges>{newState});
    }
  };
};
const Registered<AppStateEventObjSkin> kRegistered;

}  // namespace
}  // namespace zentnet::com

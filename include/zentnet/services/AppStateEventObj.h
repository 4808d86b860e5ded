#pragma once
// The application event hub: lock level, technical-support mode, polling, timer ticks,
// termination, demo drives, network state and the motor page, announced to every
// subscriber. Apart from the motor-page flag it holds no state.
//
// Argument passing follows the published interface. A by-value parameter of a Fire member
// reaches the sinks as a reference to the member's own copy: every sink of that raise sees
// what an earlier sink wrote there, the caller never does. A by-reference parameter
// (`drv`, `net`) reaches the sinks as the caller's own variable. `NetworkChange` is the one
// event whose state argument is itself by value, so each sink gets a fresh copy.

#include <cstdint>
#include <memory>
#include <span>

#include "zentnet/automation/object.h"
#include "zentnet/contracts/enums.h"
#include "zentnet/contracts/roster.h"
#include "zentnet/services/service_events.h"

namespace zentnet {

class PhysDriveObj;
class NetAdapterObj;

// Members in the event interface's slot order; dispatch identifiers are in the table below.
class AppStateEventObjEvents {
 public:
  virtual ~AppStateEventObjEvents() = default;
  virtual void LockChanged(LockLevels& /*newState*/) {}
  virtual void TechSupportChanged(bool& /*newState*/) {}
  virtual void PollStateChanged(bool& /*newState*/) {}
  virtual void TimerTick() {}
  // Setting `cancel` asks the application not to terminate.
  virtual void Terminate(bool& /*cancel*/) {}
  // The sink that builds the demo drive stores it in `demoDrv`.
  virtual void CreateDemoDrive(PhysDriveType& /*dType*/,
                               std::shared_ptr<PhysDriveObj>& /*demoDrv*/) {}
  virtual void MotorPageEnableChanged(bool& /*newState*/) {}
  virtual void NetworkChange(std::shared_ptr<NetAdapterObj>& /*net*/, NetworkChanges /*newState*/) {
  }
};

// Listeners identify these events by number, not by slot: the motor-page event sits in
// the seventh slot but keeps identifier 8, the network event in the eighth keeps 7.
inline constexpr DispatchEntry kAppStateEventObjEventIds[] = {{"LockChanged", 1},
                                                              {"TechSupportChanged", 2},
                                                              {"PollStateChanged", 3},
                                                              {"TimerTick", 4},
                                                              {"Terminate", 5},
                                                              {"CreateDemoDrive", 6},
                                                              {"MotorPageEnableChanged", 8},
                                                              {"NetworkChange", 7}};

class AppStateEventObj final : public Object,
                               public ServiceEvents<AppStateEventObj, AppStateEventObjEvents> {
 public:
  static std::shared_ptr<AppStateEventObj> create();

  void FireLockChange(LockLevels newState);
  void FirePollStateChange(bool newState);
  void FireTechSupportChange(bool newState);
  void FireTimerTick();
  // True when a sink asked to cancel the termination.
  bool FireTerminate();
  // `drv` holds whatever the sinks left there: the new demo drive, or its old value.
  void FireCreateDemoDrive(PhysDriveType dType, std::shared_ptr<PhysDriveObj>& drv);
  void FireNetChange(std::shared_ptr<NetAdapterObj>& net, NetworkChanges newState);
  // The same with temporaries: what the sinks write back goes nowhere.
  void FireCreateDemoDrive(PhysDriveType dType, std::shared_ptr<PhysDriveObj>&& drv) {
    FireCreateDemoDrive(dType, drv);
  }
  void FireNetChange(std::shared_ptr<NetAdapterObj>&& net, NetworkChanges newState) {
    FireNetChange(net, newState);
  }

  // Stored first, then `MotorPageEnableChanged` when the value differs from the old one.
  void SetMotorPageEnabled(bool newState);
  bool MotorPageEnabled() const { return m_motorPageEnabled; }

  std::string_view ClassName() const override { return "AppStateEventObj"; }
  Variant GetProperty(std::string_view name) override;
  std::span<const std::string_view> PropertyNames() const override;

  AppStateEventObj() = default;  // use create()

 private:
  bool m_motorPageEnabled = false;
};

}  // namespace zentnet

#include "zentnet/services/AppStateEventObj.h"

#include <utility>

namespace zentnet {

std::shared_ptr<AppStateEventObj> AppStateEventObj::create() {
  return std::make_shared<AppStateEventObj>();
}

// The hub may be released by a sink while it raises; shared_from_this keeps it alive.
template <class Call>
void AppStateEventObj::RaiseAll(Call&& call) {
  events_.Raise(shared_from_this(), std::forward<Call>(call));
}

void AppStateEventObj::FireLockChange(LockLevels newState) {
  RaiseAll([&](AppStateEventObjEvents& s) { s.LockChanged(newState); });
}

void AppStateEventObj::FirePollStateChange(bool newState) {
  RaiseAll([&](AppStateEventObjEvents& s) { s.PollStateChanged(newState); });
}

void AppStateEventObj::FireTechSupportChange(bool newState) {
  RaiseAll([&](AppStateEventObjEvents& s) { s.TechSupportChanged(newState); });
}

void AppStateEventObj::FireTimerTick() {
  RaiseAll([](AppStateEventObjEvents& s) { s.TimerTick(); });
}

bool AppStateEventObj::FireTerminate() {
  bool cancel = false;
  RaiseAll([&](AppStateEventObjEvents& s) { s.Terminate(cancel); });
  return cancel;
}

void AppStateEventObj::FireCreateDemoDrive(PhysDriveType dType,
                                           std::shared_ptr<PhysDriveObj>& drv) {
  RaiseAll([&](AppStateEventObjEvents& s) { s.CreateDemoDrive(dType, drv); });
}

void AppStateEventObj::FireNetChange(std::shared_ptr<NetAdapterObj>& net,
                                     NetworkChanges newState) {
  RaiseAll([&](AppStateEventObjEvents& s) { s.NetworkChange(net, newState); });
}

void AppStateEventObj::SetMotorPageEnabled(bool newState) {
  const bool previous = m_motorPageEnabled;
  m_motorPageEnabled = newState;
  if (newState == previous) return;
  RaiseAll([&](AppStateEventObjEvents& s) { s.MotorPageEnableChanged(newState); });
}

namespace {
constexpr PropertyEntry<AppStateEventObj> kProperties[] = {
    {"MotorPageEnabled", [](AppStateEventObj& o) -> Variant { return o.MotorPageEnabled(); }},
};
constexpr PropertyTable kTable(kProperties);
}  // namespace

Variant AppStateEventObj::GetProperty(std::string_view name) { return kTable.Read(*this, name); }
std::span<const std::string_view> AppStateEventObj::PropertyNames() const { return kTable.Names(); }

}  // namespace zentnet

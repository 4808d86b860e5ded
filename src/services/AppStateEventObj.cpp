#include "zentnet/services/AppStateEventObj.h"

namespace zentnet {

std::shared_ptr<AppStateEventObj> AppStateEventObj::create() {
  return std::make_shared<AppStateEventObj>();
}

void AppStateEventObj::FireLockChange(LockLevels newState) {
  Raise(&Events::LockChanged, newState);
}
void AppStateEventObj::FirePollStateChange(bool newState) {
  Raise(&Events::PollStateChanged, newState);
}
void AppStateEventObj::FireTechSupportChange(bool newState) {
  Raise(&Events::TechSupportChanged, newState);
}
void AppStateEventObj::FireTimerTick() { Raise(&Events::TimerTick); }

bool AppStateEventObj::FireTerminate() {
  bool cancel = false;
  Raise(&Events::Terminate, cancel);
  return cancel;
}

void AppStateEventObj::FireCreateDemoDrive(PhysDriveType dType,
                                           std::shared_ptr<PhysDriveObj>& drv) {
  Raise(&Events::CreateDemoDrive, dType, drv);
}
void AppStateEventObj::FireNetChange(std::shared_ptr<NetAdapterObj>& net, NetworkChanges newState) {
  Raise(&Events::NetworkChange, net, newState);
}

void AppStateEventObj::SetMotorPageEnabled(bool newState) {
  const bool previous = m_motorPageEnabled;
  m_motorPageEnabled = newState;
  if (newState != previous) Raise(&Events::MotorPageEnableChanged, newState);
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

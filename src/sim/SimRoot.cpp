#include "zentnet/sim/SimRoot.h"

#include <algorithm>

#include "zentnet/automation/error.h"
#include "zentnet/network/NetAdapterObj.h"
#include "zentnet/network/NetSupervisorObj.h"
#include "zentnet/resources/strings.h"
#include "zentnet/services/AppStateEventObj.h"
#include "zentnet/services/CmdLog.h"
#include "zentnet/services/DriveEventObj.h"
#include "zentnet/services/HotKeyObj.h"
#include "zentnet/services/SoundEventsObj.h"
#include "zentnet/sim/SimDrive.h"
#include "zentnet/values/factory.h"

namespace zentnet {

namespace {
constexpr PropertyEntry<SimHostPort> kPortProperties[] = {
    {"PortNumber", [](SimHostPort& o) -> Variant { return o.PortNumber(); }},
};
constexpr PropertyTable kPortTable(kPortProperties);

template <class T>
std::shared_ptr<T> ItemAs(const Collection& c, int32_t k) {
  return std::dynamic_pointer_cast<T>(c.Item(k).ToObject());
}
}  // namespace

Variant SimHostPort::GetProperty(std::string_view name) { return kPortTable.Read(*this, name); }
std::span<const std::string_view> SimHostPort::PropertyNames() const { return kPortTable.Names(); }

// The supervisor belongs to the root: a strong reference back would make the pair immortal.
class SimRoot::SupervisorSink final : public NetSupervisorObjEvents {
 public:
  explicit SupervisorSink(std::weak_ptr<SimRoot> owner) : owner_(std::move(owner)) {}
  void RequestNetOpen(std::shared_ptr<NetAdapterObj>& /*netRef*/, std::shared_ptr<Object>& /*Peer*/,
                      bool& newState, int32_t& PortNumber, bool& success) override {
    if (auto o = owner_.lock()) o->OnRequestNetOpen(newState, PortNumber, success);
  }

 private:
  std::weak_ptr<SimRoot> owner_;
};

SimRoot::SimRoot() = default;

SimRoot::~SimRoot() {
  if (supervisor_ && cookie_ != 0) supervisor_->Unadvise(cookie_);
}

std::shared_ptr<SimRoot> SimRoot::create(std::shared_ptr<CmdLog> log) {
  auto self = std::make_shared<SimRoot>();
  self->supervisor_ = NetSupervisorObj::create();
  self->log_ = log ? std::move(log) : CmdLog::create();
  self->sounds_ = SoundEventsObj::create();
  self->driveEvent_ = DriveEventObj::create();
  self->appEvents_ = AppStateEventObj::create();
  self->lockLevel_ = NewLockLevelObj();
  self->drives_ = Collection::create();
  self->sink_ = std::make_shared<SupervisorSink>(self);
  self->cookie_ = self->supervisor_->Advise(self->sink_);
  return self;
}

void SimRoot::OnRequestNetOpen(bool newState, int32_t port, bool& success) {
  if (newState) {
    if (missingPorts_.count(port) != 0) return;  // success stays false: the adapter refuses
    openPorts_.insert(port);
  } else {
    openPorts_.erase(port);
  }
  success = true;
}

void SimRoot::SetHostPortAvailable(int32_t port, bool available) {
  if (available)
    missingPorts_.erase(port);
  else
    missingPorts_.insert(port);
}

std::vector<std::shared_ptr<NetAdapterObj>> SimRoot::Adapters() const {
  std::vector<std::shared_ptr<NetAdapterObj>> out;
  const auto nets = supervisor_->Nets();
  for (int32_t k = 1; k <= nets->Count(); ++k)
    if (auto a = ItemAs<NetAdapterObj>(*nets, k)) out.push_back(std::move(a));
  return out;
}

std::shared_ptr<NetAdapterObj> SimRoot::Adapter(int32_t port) const {
  return supervisor_->GetRefToNetPort(port);
}

std::shared_ptr<Collection> SimRoot::Nets() { return supervisor_->Nets(); }

void SimRoot::SetPorts(const std::string& value) {
  std::string list = value;
  supervisor_->SetPorts(list);
}

std::string SimRoot::Ports() { return supervisor_->Ports(); }

namespace {
// The drives on an adapter leave the network with it.
void TakeNodesOffline(NetAdapterObj& adapter) {
  const auto nodes = adapter.Nodes();
  for (int32_t k = 1; k <= nodes->Count(); ++k)
    if (auto drive = ItemAs<SimDrive>(*nodes, k)) drive->SetOnline(false);
  adapter.FireNetworkChanged(NODES_OFFLINE);
}
}  // namespace

void SimRoot::SetPortsOpen(bool value) {
  // A snapshot: a listener may change the port list while the ports open or close.
  for (const auto& adapter : Adapters()) {
    if (value) {
      if (!adapter->Peer()) adapter->SetPeer(SimHostPort::create(adapter->PortNumber()));
      adapter->SetNetOpen(true);
    } else {
      adapter->SetEnabled(false);
      if (adapter->NetState() != NODES_OFFLINE) TakeNodesOffline(*adapter);
    }
  }
}

bool SimRoot::PortsOpen() {
  const auto adapters = Adapters();
  return !adapters.empty() &&
         std::all_of(adapters.begin(), adapters.end(), [](const auto& a) { return a->NetOpen(); });
}

void SimRoot::ForceOffline() {
  for (const auto& adapter : Adapters()) TakeNodesOffline(*adapter);
}

void SimRoot::AttachDrive(int32_t port, const std::shared_ptr<SimDrive>& drive) {
  err::Required(drive);
  const auto adapter = Adapter(port);
  if (!adapter) err::RaiseInvalidCall();
  drive->SetLogFile(log_);
  drive->SetSoundEvents(sounds_);
  drive->SetAppLockLevel(lockLevel_);
  drive->SetDriveEvents(driveEvent_);
  drive->SetCommPort(port);
  drive->SetOnline(true);
  const std::shared_ptr<Object> node = drive;
  adapter->Nodes()->Add(node);
  drives_->Add(node);
  adapter->FireNetworkChanged(NODES_ONLINE);
}

void SimRoot::CreateDemoDrive(PhysDriveType drvType) {
  std::shared_ptr<PhysDriveObj> drive;
  appEvents_->FireCreateDemoDrive(drvType, drive);
  if (!drive) {
    auto sim = SimDrive::create(drives_->Count() + 1, drvType);
    sim->SetDemoMode(true);
    sim->SetLogFile(log_);
    sim->SetSoundEvents(sounds_);
    sim->SetAppLockLevel(lockLevel_);
    sim->SetDriveEvents(driveEvent_);
    sim->SetOnline(true);
    drive = std::move(sim);
  }
  drives_->Add(std::shared_ptr<Object>(drive));
}

bool SimRoot::Online() {
  for (int32_t k = 1; k <= drives_->Count(); ++k)
    if (auto d = ItemAs<PhysDriveObj>(*drives_, k); d && d->Online()) return true;
  return false;
}

std::string SimRoot::LookupDriveErrorMsg(DriveErrors theCode) { return LoadResString(theCode); }

void SimRoot::SetPolling(bool value) {
  if (value == polling_) return;
  polling_ = value;
  appEvents_->FirePollStateChange(value);
}

void SimRoot::SetTechSupportMode(bool value) {
  if (value == techSupport_) return;
  techSupport_ = value;
  appEvents_->FireTechSupportChange(value);
}

void SimRoot::RegisterFKey(std::shared_ptr<HotKeyObj> fkey) {
  err::Required(fkey);
  if (std::find(hotKeys_.begin(), hotKeys_.end(), fkey) == hotKeys_.end())
    hotKeys_.push_back(std::move(fkey));
}

void SimRoot::UnRegisterFKey(std::shared_ptr<HotKeyObj> fkey) {
  hotKeys_.erase(std::remove(hotKeys_.begin(), hotKeys_.end(), fkey), hotKeys_.end());
}

}  // namespace zentnet

#include "zentnet/network/NetAdapterObj.h"

#include "zentnet/automation/convert.h"
#include "zentnet/automation/error.h"
#include "zentnet/network/NetSupervisorObj.h"
#include "zentnet/resources/strings.h"

namespace zentnet {

namespace {
constexpr int32_t kNetStateTextBase = 4250;
constexpr const char* kOpenErrorSource = "NetAdapterObj.NetOpen(let opening)";
}  // namespace

NetAdapterObj::NetAdapterObj() : nodes_(Collection::create()) {}
NetAdapterObj::~NetAdapterObj() = default;

std::shared_ptr<NetAdapterObj> NetAdapterObj::create() { return std::make_shared<NetAdapterObj>(); }

// The adapter is kept alive until the supervisor has been told, so a listener may let go of it.
template <class Raise, class Forward>
void NetAdapterObj::Notify(Raise raise, Forward forward) {
  auto self = shared_from_this();
  events_.Raise(self, raise);
  if (auto supervisor = supervisor_.lock()) forward(*supervisor, self);
}

void NetAdapterObj::FireNetworkError(infcErrInfo& errObj) {
  Notify([&](NetAdapterObjEvents& s) { s.NetworkError(errObj); },
         [&](NetSupervisorObj& sup, Self& self) { sup.FireNetworkError(self, errObj); });
}

void NetAdapterObj::FireNetworkChanged(NetworkChanges newState) {
  netState_ = newState;
  if (newState == NODES_OFFLINE) ClearNodes();
  Notify([&](NetAdapterObjEvents& s) { s.NetworkChanged(newState); },
         [&](NetSupervisorObj& sup, Self& self) { sup.FireNetworkChanged(self, newState); });
}

void NetAdapterObj::FireDriveParameterChanged(std::shared_ptr<PhysDriveObj>& Node,
                                              std::shared_ptr<ValueObj>& NewValue) {
  if (inhibit_) return;
  Notify([&](NetAdapterObjEvents& s) { s.DriveParameterChanged(Node, NewValue); },
         [&](NetSupervisorObj& sup, Self& self) {
           sup.FireDriveParameterChanged(self, Node, NewValue);
         });
}

void NetAdapterObj::FireParameterChanged(infcParamChg& chgObj) {
  if (inhibit_) return;
  Notify([&](NetAdapterObjEvents& s) { s.ParameterChanged(chgObj); },
         [&](NetSupervisorObj& sup, Self& self) { sup.FireParameterChanged(self, chgObj); });
}

void NetAdapterObj::FirePointToPointChange(int32_t nodeAddr, PointToPointStatus state) {
  Notify([&](NetAdapterObjEvents& s) { s.PointToPointChanged(nodeAddr, state); },
         [&](NetSupervisorObj& sup, Self& self) {
           sup.FirePointToPointChanged(self, nodeAddr, state);
         });
}

void NetAdapterObj::RequestNetOpen(bool& newState, bool& success) {
  Notify([&](NetAdapterObjEvents& s) { s.RequestNetOpen(peer_, newState, portNumber_, success); },
         [&](NetSupervisorObj& sup, Self& self) {
           sup.FireRequestNetOpen(self, peer_, newState, portNumber_, success);
         });
}

std::string NetAdapterObj::NetStateStr() const {
  // A display: a state without a name shows as nothing rather than failing.
  try {
    return LoadResString(CheckedAdd(kNetStateTextBase, netState_));
  } catch (const AutomationError&) {
    return {};
  }
}

Variant NetAdapterObj::NetStateStrLookup(NetworkChanges NetState) const {
  return LoadResString(CheckedAdd(kNetStateTextBase, NetState));
}

void NetAdapterObj::NetSupervisor(std::shared_ptr<NetSupervisorObj> newRef,
                                  std::shared_ptr<Object> Peer) {
  supervisor_ = std::move(newRef);
  peer_ = std::move(Peer);
}

std::string NetAdapterObj::AdapterName() const {
  switch (portType_) {
    case SERIAL_PORT:
      return "COM" + std::to_string(portNumber_);
    case PARALLEL_PORT:
      return "LPT" + std::to_string(CheckedAdd(portNumber_, 1));
    default:
      return "Port" + std::to_string(portNumber_);
  }
}

void NetAdapterObj::SetPortNumber(int32_t newPort) {
  if (newPort == portNumber_) return;
  const auto hold = HoldSelf(*this);
  SetNetOpen(false);
  FireNetworkChanged(NODES_STOP_NET_CONFIG);
  portNumber_ = newPort;
  FireNetworkChanged(NODES_CHANGING_NETWORK_CONFIG);
}

void NetAdapterObj::SetNetOpen(bool newState) {
  if (!peer_ || newState == open_) return;
  const auto hold = HoldSelf(*this);
  bool success = false;
  RequestNetOpen(newState, success);
  // What the listeners left in newState is what was asked for in the end.
  open_ = success && newState;
  if (success) return;
  enabled_ = false;
  if (newState)
    throw AutomationError(NET_ERR_PORT_PROBLEM, kOpenErrorSource,
                          LoadResString(NET_ERR_PORT_PROBLEM));
}

bool NetAdapterObj::NetOpen() const {
  return (enabled_ && open_) || netState_ == NODES_ONLINE || netState_ == NODES_ONLINE_NO_TEST;
}

void NetAdapterObj::SetEnabled(bool newState) {
  enabled_ = newState;
  if (!open_ || newState) return;
  const auto hold = HoldSelf(*this);
  bool closing = false;
  bool success = false;
  RequestNetOpen(closing, success);
  // Disabling always leaves the port closed, confirmed or not.
  open_ = false;
}

void NetAdapterObj::ClearNodes() { nodes_ = Collection::create(); }

namespace {
constexpr PropertyEntry<NetAdapterObj> kProperties[] = {
    {"NetState", [](NetAdapterObj& o) -> Variant { return static_cast<int32_t>(o.NetState()); }},
    {"NetStateStr", [](NetAdapterObj& o) -> Variant { return o.NetStateStr(); }},
    {"AdapterName", [](NetAdapterObj& o) -> Variant { return o.AdapterName(); }},
    {"PortNumber", [](NetAdapterObj& o) -> Variant { return o.PortNumber(); }},
    {"PortType", [](NetAdapterObj& o) -> Variant { return static_cast<int32_t>(o.PortType()); }},
    {"NetOpen", [](NetAdapterObj& o) -> Variant { return o.NetOpen(); }},
    {"Enabled", [](NetAdapterObj& o) -> Variant { return o.Enabled(); }},
    {"InhibitParameterChangeEvent",
     [](NetAdapterObj& o) -> Variant { return o.InhibitParameterChangeEvent(); }},
};
constexpr PropertyTable kTable(kProperties);
}  // namespace

Variant NetAdapterObj::GetProperty(std::string_view name) {
  if (EqualsNoCase(name, "Nodes")) return std::shared_ptr<Object>(nodes_);
  if (EqualsNoCase(name, "Peer")) return peer_;
  return kTable.Read(*this, name);
}
std::span<const std::string_view> NetAdapterObj::PropertyNames() const { return kTable.Names(); }

}  // namespace zentnet

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

void NetAdapterObj::FireNetworkError(infcErrInfo& errObj) {
  auto self = shared_from_this();
  events_.Raise(self, [&](NetAdapterObjEvents& s) { s.NetworkError(errObj); });
  if (auto supervisor = supervisor_.lock()) supervisor->FireNetworkError(self, errObj);
}

void NetAdapterObj::FireNetworkChanged(NetworkChanges newState) {
  auto self = shared_from_this();
  netState_ = newState;
  if (newState == NODES_OFFLINE) ClearNodes();
  events_.Raise(self, [&](NetAdapterObjEvents& s) { s.NetworkChanged(newState); });
  if (auto supervisor = supervisor_.lock()) supervisor->FireNetworkChanged(self, newState);
}

void NetAdapterObj::FireDriveParameterChanged(std::shared_ptr<PhysDriveObj>& Node,
                                              std::shared_ptr<ValueObj>& NewValue) {
  if (inhibit_) return;
  auto self = shared_from_this();
  events_.Raise(self, [&](NetAdapterObjEvents& s) { s.DriveParameterChanged(Node, NewValue); });
  if (auto supervisor = supervisor_.lock())
    supervisor->FireDriveParameterChanged(self, Node, NewValue);
}

void NetAdapterObj::FireParameterChanged(infcParamChg& chgObj) {
  if (inhibit_) return;
  auto self = shared_from_this();
  events_.Raise(self, [&](NetAdapterObjEvents& s) { s.ParameterChanged(chgObj); });
  if (auto supervisor = supervisor_.lock()) supervisor->FireParameterChanged(self, chgObj);
}

void NetAdapterObj::FirePointToPointChange(int32_t nodeAddr, PointToPointStatus state) {
  auto self = shared_from_this();
  events_.Raise(self, [&](NetAdapterObjEvents& s) { s.PointToPointChanged(nodeAddr, state); });
  if (auto supervisor = supervisor_.lock())
    supervisor->FirePointToPointChanged(self, nodeAddr, state);
}

std::string NetAdapterObj::NetStateStr() const {
  // A state without a name is shown as nothing rather than failing a display.
  int32_t id = 0;
  if (__builtin_add_overflow(kNetStateTextBase, static_cast<int32_t>(netState_), &id)) return {};
  try {
    return LoadResString(id);
  } catch (const AutomationError&) {
    return {};
  }
}

Variant NetAdapterObj::NetStateStrLookup(NetworkChanges NetState) const {
  return LoadResString(CheckedAdd(kNetStateTextBase, NetState));
}

void NetAdapterObj::NetSupervisor(std::shared_ptr<NetSupervisorObj> newRef,
                                  std::shared_ptr<Object> Peer) {
  supervisor_ = newRef;
  peer_ = std::move(Peer);
}

std::string NetAdapterObj::AdapterName() const {
  switch (portType_) {
    case SERIAL_PORT: return "COM" + std::to_string(portNumber_);
    case PARALLEL_PORT: return "LPT" + std::to_string(CheckedAdd(portNumber_, 1));
    default: return "Port" + std::to_string(portNumber_);
  }
}

void NetAdapterObj::SetPortNumber(int32_t newPort) {
  if (newPort == portNumber_) return;
  auto self = shared_from_this();
  SetNetOpen(false);
  FireNetworkChanged(NODES_STOP_NET_CONFIG);
  portNumber_ = newPort;
  FireNetworkChanged(NODES_CHANGING_NETWORK_CONFIG);
}

void NetAdapterObj::RequestNetOpen(bool& newState, bool& success) {
  auto self = shared_from_this();
  events_.Raise(self, [&](NetAdapterObjEvents& s) {
    s.RequestNetOpen(peer_, newState, portNumber_, success);
  });
  if (auto supervisor = supervisor_.lock())
    supervisor->FireRequestNetOpen(self, peer_, newState, portNumber_, success);
}

void NetAdapterObj::SetNetOpen(bool newState) {
  if (!peer_ || newState == open_) return;
  auto self = shared_from_this();
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
  auto self = shared_from_this();
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

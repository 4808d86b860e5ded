#include "zentnet/network/NetSupervisorObj.h"

#include <vector>

#include "zentnet/automation/convert.h"
#include "zentnet/automation/error.h"
#include "zentnet/network/NetAdapterObj.h"
#include "zentnet/resources/strings.h"

namespace zentnet {

namespace {

[[noreturn]] void RaisePortListError() {
  throw AutomationError(err::kPortList, err::kPortListSource, LoadResString(err::kPortListTextId));
}

// The port list as read, before anything is checked.
struct PortList {
  std::vector<std::string> ports;  // the non-empty items within MaxAdapters, text unchanged
  int64_t items = 0;               // every item, empty ones included
  bool numeric = true;             // false when an examined item is not a number
};

PortList ReadPortList(std::string_view text, int32_t maxAdapters) {
  PortList list;
  if (text.empty()) return list;  // no items at all, not one empty item
  for (size_t start = 0;;) {
    const size_t semi = text.find(';', start);
    const std::string_view item = text.substr(start, semi - start);  // npos: to the end
    if (++list.items <= maxAdapters && !item.empty()) {
      if (IsPlainDecimal(item))  // a number too large for a port overflows later
        list.ports.emplace_back(item);
      else
        list.numeric = false;
    }
    if (semi == std::string_view::npos) return list;
    start = semi + 1;
  }
}

}  // namespace

NetSupervisorObj::NetSupervisorObj() : nets_(Collection::create()) {}
NetSupervisorObj::~NetSupervisorObj() = default;

std::shared_ptr<NetSupervisorObj> NetSupervisorObj::create() {
  return std::make_shared<NetSupervisorObj>();
}

void NetSupervisorObj::FireNetworkChanged(std::shared_ptr<NetAdapterObj>& netRef,
                                          NetworkChanges& theState) {
  Fire(*this, &NetSupervisorObjEvents::NetworkChanged, netRef, theState);
}

void NetSupervisorObj::FireNetworkError(std::shared_ptr<NetAdapterObj>& netRef,
                                        infcErrInfo& theErr) {
  Fire(*this, &NetSupervisorObjEvents::NetworkError, netRef, theErr);
}

void NetSupervisorObj::FireDriveParameterChanged(std::shared_ptr<NetAdapterObj>& netRef,
                                                 std::shared_ptr<PhysDriveObj>& Node,
                                                 std::shared_ptr<ValueObj>& NewValue) {
  Fire(*this, &NetSupervisorObjEvents::DriveParameterChanged, netRef, Node, NewValue);
}

void NetSupervisorObj::FireParameterChanged(std::shared_ptr<NetAdapterObj>& netRef,
                                            infcParamChg& chgObj) {
  Fire(*this, &NetSupervisorObjEvents::ParameterChanged, netRef, chgObj);
}

void NetSupervisorObj::FirePointToPointChanged(std::shared_ptr<NetAdapterObj>& netRef,
                                               int32_t& nodeAddr, PointToPointStatus& state) {
  Fire(*this, &NetSupervisorObjEvents::PointToPointChanged, netRef, nodeAddr, state);
}

void NetSupervisorObj::FireRequestNetOpen(std::shared_ptr<NetAdapterObj>& netRef,
                                          std::shared_ptr<Object>& Peer, bool& newState,
                                          int32_t& PortNumber, bool& success) {
  Fire(*this, &NetSupervisorObjEvents::RequestNetOpen, netRef, Peer, newState, PortNumber, success);
}

std::shared_ptr<NetAdapterObj> NetSupervisorObj::AdapterAt(int32_t k) const {
  auto adapter = nets_->ItemAs<NetAdapterObj>(k);
  if (!adapter) err::RaiseObjectRequired();
  return adapter;
}

std::shared_ptr<NetAdapterObj> NetSupervisorObj::GetRefToNetPort(int32_t port) {
  for (int32_t k = 1; k <= nets_->Count(); ++k)
    if (auto adapter = AdapterAt(k); adapter->PortNumber() == port) return adapter;
  return nullptr;
}

std::string NetSupervisorObj::Ports() {
  std::string list;
  for (int32_t k = 1; k <= nets_->Count(); ++k) {
    const auto adapter = AdapterAt(k);
    if (!adapter->Enabled()) continue;
    if (!list.empty()) list += ';';
    list += std::to_string(adapter->PortNumber());
  }
  return list;
}

bool NetSupervisorObj::NetworkOpen() const {
  if (nets_->Count() == 0) return false;
  for (int32_t k = 1; k <= nets_->Count(); ++k)
    if (!AdapterAt(k)->NetOpen()) return false;
  return true;
}

void NetSupervisorObj::SetPorts(std::string& ports) {
  const auto hold = HoldSelf(*this);  // a listener may let go of the supervisor
  const std::string oldList = Ports();
  PortList list = ReadPortList(ports, maxAdapters_);
  // Both checks come before any change; whether the network was open is taken between them.
  if (list.items > maxAdapters_) RaisePortListError();
  const bool wasOpen = NetworkOpen();
  if (list.ports.empty()) list.ports.emplace_back("1");  // a list without a port selects port 1
  if (!list.numeric) RaisePortListError();

  const auto n = static_cast<int32_t>(list.ports.size());
  ResizeNets(n);
  // Every open port is asked to close and every adapter takes its port, so even an
  // unchanged list leaves all adapters closed and enabled.
  for (int32_t k = 1; k <= n; ++k) {
    const auto adapter = AdapterAt(k);
    adapter->SetNetOpen(false);
    adapter->SetEnabled(true);
    adapter->SetPortNumber(TextToLong(list.ports[static_cast<size_t>(k - 1)]));
  }
  ports = Ports();
  if (ports != oldList) ReplaceAdapters(list.ports, wasOpen);
}

std::shared_ptr<NetAdapterObj> NetSupervisorObj::NewAdapter() const {
  auto adapter = NetAdapterObj::create();
  adapter->SetPortType(adapterDefault_);
  return adapter;
}

void NetSupervisorObj::ResizeNets(int32_t n) {
  while (nets_->Count() > n) {
    const int32_t last = nets_->Count();
    const auto adapter = AdapterAt(last);
    adapter->SetEnabled(false);  // asks to close an open port
    adapter->SetNetOpen(false);
    nets_->Remove(last);
  }
  while (nets_->Count() < n) {
    auto adapter = NewAdapter();
    adapter->NetSupervisor(shared_from_this(), nullptr);
    nets_->Add(std::shared_ptr<Object>(adapter));
  }
}

void NetSupervisorObj::ReplaceAdapters(const std::vector<std::string>& ports, bool wasOpen) {
  if (wasOpen) AnnounceNetwork(NODES_STOP_NET_CONFIG);
  // The former adapters go without further calls; holders of the old collection keep them.
  nets_ = Collection::create();
  for (const auto& port : ports) {
    auto adapter = NewAdapter();
    nets_->Add(std::shared_ptr<Object>(adapter));
    adapter->SetEnabled(true);
    // Numbered before it is attached: its own state changes reach no listener of ours.
    adapter->SetPortNumber(TextToLong(port));
    adapter->NetSupervisor(shared_from_this(), nullptr);
  }
  AnnounceNetwork(NODES_CHANGING_NETWORK_CONFIG);
}

void NetSupervisorObj::AnnounceNetwork(NetworkChanges state) {
  // Fresh variables for every call: what a listener writes into them goes no further.
  std::shared_ptr<NetAdapterObj> none;
  FireNetworkChanged(none, state);
}

namespace {
constexpr PropertyEntry<NetSupervisorObj> kProperties[] = {
    {"Ports", [](NetSupervisorObj& o) -> Variant { return o.Ports(); }},
    {"MaxAdapters", [](NetSupervisorObj& o) -> Variant { return o.MaxAdapters(); }},
    {"AdapterDefault",
     [](NetSupervisorObj& o) -> Variant { return static_cast<int32_t>(o.AdapterDefault()); }},
};
constexpr PropertyTable kTable(kProperties);
}  // namespace

Variant NetSupervisorObj::GetProperty(std::string_view name) {
  if (EqualsNoCase(name, "Nets")) return std::shared_ptr<Object>(nets_);
  return kTable.Read(*this, name);
}
std::span<const std::string_view> NetSupervisorObj::PropertyNames() const { return kTable.Names(); }

}  // namespace zentnet

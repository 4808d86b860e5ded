#pragma once
// The application's communication ports: the port list, one network adapter per listed
// port, and the one place where the application hears every adapter's notifications.
//
// Ownership: the supervisor holds its adapters (through Nets); an adapter it attached
// holds it only weakly. The pair is therefore no reference cycle and the supervisor goes
// away with the application's last reference to it, taking the adapters no one else holds
// with it. While the supervisor lives, every adapter in its Nets reaches it; once it is
// gone no listener of it can be reached anyway, so an adapter that outlives it simply stops
// forwarding.
//
// Members that raise events keep the supervisor alive until they return, so a listener may
// drop the application's last reference to it from inside an event.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "zentnet/automation/collection.h"
#include "zentnet/automation/events.h"
#include "zentnet/automation/object.h"
#include "zentnet/contracts/enums.h"
#include "zentnet/contracts/records.h"
#include "zentnet/contracts/roster.h"
#include "zentnet/contracts/value_contract.h"
#include "zentnet/network/NetAdapterObj.h"

namespace zentnet {

class PhysDriveObj;

// Every argument is the caller's variable: what a listener stores, the caller and the
// later listeners see. netRef is null for a change of the whole port list.
class NetSupervisorObjEvents {
 public:
  virtual ~NetSupervisorObjEvents() = default;
  virtual void NetworkChanged(std::shared_ptr<NetAdapterObj>& /*netRef*/,
                              NetworkChanges& /*theState*/) {}
  virtual void NetworkError(std::shared_ptr<NetAdapterObj>& /*netRef*/, infcErrInfo& /*theErr*/) {}
  virtual void DriveParameterChanged(std::shared_ptr<NetAdapterObj>& /*netRef*/,
                                     std::shared_ptr<PhysDriveObj>& /*Node*/,
                                     std::shared_ptr<ValueObj>& /*NewValue*/) {}
  virtual void ParameterChanged(std::shared_ptr<NetAdapterObj>& /*netRef*/,
                                infcParamChg& /*chgObj*/) {}
  virtual void PointToPointChanged(std::shared_ptr<NetAdapterObj>& /*netRef*/,
                                   int32_t& /*nodeAddr*/, PointToPointStatus& /*state*/) {}
  // Open (newState true) or close the host port PortNumber for netRef using Peer, and set
  // success when that was done. success arrives false.
  virtual void RequestNetOpen(std::shared_ptr<NetAdapterObj>& /*netRef*/,
                              std::shared_ptr<Object>& /*Peer*/, bool& /*newState*/,
                              int32_t& /*PortNumber*/, bool& /*success*/) {}
};

// The adapter's events with the adapter in front: the same names in the same dispatch order.
inline constexpr const auto& kNetSupervisorObjEventIds = kNetAdapterObjEventIds;

class NetSupervisorObj final : public Object,
                               public EventHost<NetSupervisorObjEvents>,
                               public std::enable_shared_from_this<NetSupervisorObj> {
 public:
  static std::shared_ptr<NetSupervisorObj> create();
  ~NetSupervisorObj() override;

  // Each raises the event of the same name with the very same variables and does nothing
  // else. Adapters call them with themselves as netRef.
  void FireNetworkChanged(std::shared_ptr<NetAdapterObj>& netRef, NetworkChanges& theState);
  void FireNetworkError(std::shared_ptr<NetAdapterObj>& netRef, infcErrInfo& theErr);
  void FireDriveParameterChanged(std::shared_ptr<NetAdapterObj>& netRef,
                                 std::shared_ptr<PhysDriveObj>& Node,
                                 std::shared_ptr<ValueObj>& NewValue);
  void FireParameterChanged(std::shared_ptr<NetAdapterObj>& netRef, infcParamChg& chgObj);
  void FirePointToPointChanged(std::shared_ptr<NetAdapterObj>& netRef, int32_t& nodeAddr,
                               PointToPointStatus& state);
  void FireRequestNetOpen(std::shared_ptr<NetAdapterObj>& netRef, std::shared_ptr<Object>& Peer,
                          bool& newState, int32_t& PortNumber, bool& success);
  // The same with temporaries (a derived adapter's pointer among them): what the listeners
  // write back goes nowhere.
  void FireNetworkChanged(std::shared_ptr<NetAdapterObj>&& netRef, NetworkChanges&& theState) {
    FireNetworkChanged(netRef, theState);
  }
  void FireNetworkError(std::shared_ptr<NetAdapterObj>&& netRef, infcErrInfo&& theErr) {
    FireNetworkError(netRef, theErr);
  }
  void FireDriveParameterChanged(std::shared_ptr<NetAdapterObj>&& netRef,
                                 std::shared_ptr<PhysDriveObj>&& Node,
                                 std::shared_ptr<ValueObj>&& NewValue) {
    FireDriveParameterChanged(netRef, Node, NewValue);
  }
  void FireParameterChanged(std::shared_ptr<NetAdapterObj>&& netRef, infcParamChg&& chgObj) {
    FireParameterChanged(netRef, chgObj);
  }
  void FirePointToPointChanged(std::shared_ptr<NetAdapterObj>&& netRef, int32_t&& nodeAddr,
                               PointToPointStatus&& state) {
    FirePointToPointChanged(netRef, nodeAddr, state);
  }
  void FireRequestNetOpen(std::shared_ptr<NetAdapterObj>&& netRef, std::shared_ptr<Object>&& Peer,
                          bool&& newState, int32_t&& PortNumber, bool&& success) {
    FireRequestNetOpen(netRef, Peer, newState, PortNumber, success);
  }

  // The first adapter in Nets on that port, enabled or not; null when there is none.
  std::shared_ptr<NetAdapterObj> GetRefToNetPort(int32_t port);

  // Sets the port list: port numbers separated by ";", empty items skipped (but counted
  // against MaxAdapters), an empty list meaning port 1. A list with more items than
  // MaxAdapters, or with an item that is not a number (optional blanks and sign, digits, an
  // optional fraction), raises the port-list error before anything changes. Otherwise every
  // adapter ends up closed and enabled on its port, `ports` is overwritten with Ports(),
  // and, when that differs from the list before, all adapters are replaced by new ones
  // between NetworkChanged(null, NODES_STOP_NET_CONFIG) (only if the network was open) and
  // NetworkChanged(null, NODES_CHANGING_NETWORK_CONFIG).
  void SetPorts(std::string& ports);
  // The same with a temporary list, such as SetPorts("1;2"): the normalised list goes nowhere.
  void SetPorts(std::string&& ports) { SetPorts(ports); }
  // The port numbers of the enabled adapters, in order, joined by ";".
  std::string Ports();

  // The adapters, live; a changed port list puts a new collection in its place.
  std::shared_ptr<Collection> Nets() const { return nets_; }

  void SetMaxAdapters(int32_t value) { maxAdapters_ = value; }
  int32_t MaxAdapters() const { return maxAdapters_; }
  void SetAdapterDefault(NetAdapterType value) { adapterDefault_ = value; }
  NetAdapterType AdapterDefault() const { return adapterDefault_; }

  std::string_view ClassName() const override { return "NetSupervisorObj"; }
  // PropertyNames lists the value properties, in published order, that a printer can
  // show; GetProperty also reads Nets.
  Variant GetProperty(std::string_view name) override;
  std::span<const std::string_view> PropertyNames() const override;

  NetSupervisorObj();  // use create()

 private:
  // The adapter at 1-based position k of Nets; error 91 for an empty item, 13 for an item
  // that is no adapter.
  std::shared_ptr<NetAdapterObj> AdapterAt(int32_t k) const;
  // At least one adapter, and every adapter open.
  bool NetworkOpen() const;
  // A new adapter of the default port type, not yet attached.
  std::shared_ptr<NetAdapterObj> NewAdapter() const;
  // Appends attached adapters, or disables, closes and removes the last ones, until n remain.
  void ResizeNets(int32_t n);
  // Puts new adapters for `ports` in a new collection between the announcements of a changed list.
  void ReplaceAdapters(const std::vector<std::string>& ports, bool wasOpen);
  // NetworkChanged without an adapter: a change of the whole port list.
  void AnnounceNetwork(NetworkChanges state);

  std::shared_ptr<Collection> nets_;
  int32_t maxAdapters_ = 16;
  NetAdapterType adapterDefault_ = PARALLEL_PORT;
};

}  // namespace zentnet

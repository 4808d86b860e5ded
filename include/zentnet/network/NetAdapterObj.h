#pragma once
// One communication port of the host and the nodes (drives) found on it. The adapter
// never touches a port: it asks its listeners to open or close it (RequestNetOpen) and
// records what they report. Every notification of the communication layer raises the
// adapter's own event and is then handed, with the adapter as first argument, to the
// supervisor the adapter is attached to.
//
// The adapter refers to its supervisor weakly (see NetSupervisorObj.h): the supervisor owns
// its adapters, never the other way round. An adapter created on its own, or detached by
// NetSupervisor(null, ...), has no supervisor and forwards nothing; a private supervisor
// that nobody can reach would make no difference that anyone could observe.
//
// Members that raise events keep the adapter alive until they return, so a listener may
// drop the last reference to it from inside an event.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "zentnet/automation/collection.h"
#include "zentnet/automation/events.h"
#include "zentnet/automation/object.h"
#include "zentnet/contracts/enums.h"
#include "zentnet/contracts/records.h"
#include "zentnet/contracts/roster.h"
#include "zentnet/contracts/value_contract.h"

namespace zentnet {

class NetSupervisorObj;
class PhysDriveObj;

// Every argument is the adapter's variable: what a listener stores, the later listeners,
// the supervisor's listeners and the adapter see.
class NetAdapterObjEvents {
 public:
  virtual ~NetAdapterObjEvents() = default;
  virtual void NetworkChanged(NetworkChanges& /*theState*/) {}
  virtual void NetworkError(infcErrInfo& /*theErr*/) {}
  virtual void DriveParameterChanged(std::shared_ptr<PhysDriveObj>& /*Node*/,
                                     std::shared_ptr<ValueObj>& /*NewValue*/) {}
  virtual void ParameterChanged(infcParamChg& /*chgObj*/) {}
  virtual void PointToPointChanged(int32_t& /*nodeAddr*/, PointToPointStatus& /*state*/) {}
  // Peer and PortNumber are the adapter's own fields: storing into them changes the
  // adapter (PortNumber without the effects of SetPortNumber).
  virtual void RequestNetOpen(std::shared_ptr<Object>& /*Peer*/, bool& /*newState*/,
                              int32_t& /*PortNumber*/, bool& /*success*/) {}
};

inline constexpr DispatchEntry kNetAdapterObjEventIds[] = {
    {"NetworkChanged", 1},   {"NetworkError", 2},        {"DriveParameterChanged", 3},
    {"ParameterChanged", 4}, {"PointToPointChanged", 5}, {"RequestNetOpen", 6}};

class NetAdapterObj final : public Object,
                            public EventHost<NetAdapterObjEvents>,
                            public std::enable_shared_from_this<NetAdapterObj> {
 public:
  static std::shared_ptr<NetAdapterObj> create();
  ~NetAdapterObj() override;

  // Notifications of the communication layer.
  void FireNetworkError(infcErrInfo& errObj);
  // Stores the state (NODES_OFFLINE also empties Nodes) before anyone hears of it.
  void FireNetworkChanged(NetworkChanges newState);
  // Silenced by InhibitParameterChangeEvent.
  void FireDriveParameterChanged(std::shared_ptr<PhysDriveObj>& Node,
                                 std::shared_ptr<ValueObj>& NewValue);
  // Silenced by InhibitParameterChangeEvent.
  void FireParameterChanged(infcParamChg& chgObj);
  void FirePointToPointChange(int32_t nodeAddr, PointToPointStatus state);
  // The same with temporaries: what the listeners write back goes nowhere.
  void FireNetworkError(infcErrInfo&& errObj) { FireNetworkError(errObj); }
  void FireDriveParameterChanged(std::shared_ptr<PhysDriveObj>&& Node,
                                 std::shared_ptr<ValueObj>&& NewValue) {
    FireDriveParameterChanged(Node, NewValue);
  }
  void FireParameterChanged(infcParamChg&& chgObj) { FireParameterChanged(chgObj); }

  NetworkChanges NetState() const { return netState_; }
  // The state's name, or "" when it has none.
  std::string NetStateStr() const;
  // Attaches the adapter to `newRef` (null detaches it) and sets the peer; raises nothing.
  void NetSupervisor(std::shared_ptr<NetSupervisorObj> newRef, std::shared_ptr<Object> Peer);
  // "COM" + port, "LPT" + (port + 1) or "Port" + port, by port type.
  std::string AdapterName() const;
  // A new port first closes the adapter (SetNetOpen(false)), then raises NetworkChanged
  // with NODES_STOP_NET_CONFIG, takes the number and raises NODES_CHANGING_NETWORK_CONFIG.
  void SetPortNumber(int32_t newPort);
  int32_t PortNumber() const { return portNumber_; }
  void SetPortType(NetAdapterType value) { portType_ = value; }
  NetAdapterType PortType() const { return portType_; }
  // Asks the listeners to open or close the port; needs a peer and a change. A request
  // nobody confirms disables the adapter, and for an opening raises error 6301.
  void SetNetOpen(bool newState);
  // Enabled and confirmed open, or reported online by the communication layer.
  bool NetOpen() const;
  std::shared_ptr<Collection> Nodes() const { return nodes_; }
  // Disabling an open adapter asks to close it, with or without a peer, and leaves it
  // closed whatever the answer. Enabling never opens it.
  void SetEnabled(bool newState);
  bool Enabled() const { return enabled_; }
  void SetPeer(std::shared_ptr<Object> value) { peer_ = std::move(value); }
  std::shared_ptr<Object> Peer() const { return peer_; }
  // Puts a new empty collection in place; holders of the old one keep it as it was.
  void ClearNodes();
  void SetInhibitParameterChangeEvent(bool value) { inhibit_ = value; }
  bool InhibitParameterChangeEvent() const { return inhibit_; }
  // The state's name; error 326 when it has none, error 6 when the id overflows.
  Variant NetStateStrLookup(NetworkChanges NetState) const;

  std::string_view ClassName() const override { return "NetAdapterObj"; }
  // PropertyNames lists the value properties, in published order, that a printer can
  // show; GetProperty also reads Nodes and Peer.
  Variant GetProperty(std::string_view name) override;
  std::span<const std::string_view> PropertyNames() const override;

  NetAdapterObj();  // use create()

 private:
  using Self = std::shared_ptr<NetAdapterObj>;
  // Raises the adapter's event, then calls `forward(supervisor, self)` when one is attached.
  template <class Raise, class Forward>
  void Notify(Raise raise, Forward forward);
  // Raises RequestNetOpen on the adapter and on its supervisor with these variables.
  void RequestNetOpen(bool& newState, bool& success);

  NetworkChanges netState_ = NODES_OFFLINE;
  NetAdapterType portType_ = SERIAL_PORT;
  int32_t portNumber_ = 0;
  std::shared_ptr<Collection> nodes_;
  std::weak_ptr<NetSupervisorObj> supervisor_;
  bool open_ = false;
  bool enabled_ = false;
  bool inhibit_ = false;
  std::shared_ptr<Object> peer_;
};

}  // namespace zentnet

#include "zentnet/network/NetAdapterObj.h"

#include <gtest/gtest.h>

#include <climits>

#include "recorders.h"
#include "zentnet/contracts/PhysDriveObj.h"
#include "zentnet/values/factory.h"

namespace zentnet::test {
namespace {

// An adapter on port 2 with a peer, enabled and attached; "A" hears the adapter, "S" the
// supervisor.
struct Rig {
  std::shared_ptr<NetSupervisorObj> sup = NetSupervisorObj::create();
  AdapterRef adapter = NetAdapterObj::create();
  Journal j;
  std::shared_ptr<Recorder> app = std::make_shared<Recorder>(j, "S");
  std::shared_ptr<Recorder> own = std::make_shared<Recorder>(j, "A");

  Rig() {
    adapter->SetPortNumber(2);  // before attaching: nobody hears it
    adapter->NetSupervisor(sup, MakePeer("peer"));
    adapter->SetEnabled(true);
    sup->Advise(app);
    adapter->Advise(own);
  }
};
struct Attached : ::testing::Test, Rig {};

TEST(Opening, RequestsAndTheirOutcome) {
  enum Action { kOpen, kClose, kDisable, kEnable, kNewPort };
  struct Case {
    const char* name;
    bool startOpen, peer, confirm;
    Action action;
    Lines lines;
    bool openAfter, enabledAfter, raises6301;
  };
  const Lines opening = {"A RequestNetOpen peer 1 2 0", "S RequestNetOpen port2 peer 1 2 0"};
  const Lines closing = {"A RequestNetOpen peer 0 2 0", "S RequestNetOpen port2 peer 0 2 0"};
  const Lines bare = {"A RequestNetOpen nopeer 0 2 0", "S RequestNetOpen port2 nopeer 0 2 0"};
  const Case cases[] = {
      {"confirmed opening", false, true, true, kOpen, opening, true, true, false},
      {"opening without a peer", false, false, true, kOpen, {}, false, true, false},
      {"refused opening", false, true, false, kOpen, opening, false, false, true},
      {"confirmed closing", true, true, true, kClose, closing, false, true, false},
      {"refused closing", true, true, false, kClose, closing, false, false, false},
      {"disabling asks without a peer, and enabled again the port stays closed", true, false, false,
       kDisable, bare, false, true, false},
      {"enabling never opens", false, true, true, kEnable, {}, false, true, false},
      {"enabling an open port keeps it open", true, true, true, kEnable, {}, true, true, false},
      {"disabling a closed port asks nothing", false, true, true, kDisable, {}, false, true, false},
      // clang-format off
      {"a new port number closes, then stops and starts", true, true, true, kNewPort,
       {closing[0], closing[1], "A NetworkChanged 9", "S NetworkChanged port2 9",
        "A NetworkChanged 5", "S NetworkChanged port3 5"}, false, true, false},
      // clang-format on
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig r;
    r.app->onRequest = Confirm;
    if (c.startOpen) r.adapter->SetNetOpen(true);
    r.j.Clear();
    if (!c.peer) r.adapter->SetPeer(nullptr);
    if (!c.confirm) r.app->onRequest = nullptr;
    const auto act = [&] {
      if (c.action == kOpen || c.action == kClose) r.adapter->SetNetOpen(c.action == kOpen);
      if (c.action == kDisable) r.adapter->SetEnabled(false);
      if (c.action == kDisable || c.action == kEnable) r.adapter->SetEnabled(true);
      if (c.action == kNewPort) r.adapter->SetPortNumber(3);
    };
    EXPECT_EQ(ErrorOf(act), c.raises6301 ? kPortError : "no error");
    EXPECT_EQ(r.j.lines, c.lines);
    EXPECT_EQ(r.adapter->NetOpen(), c.openAfter);
    EXPECT_EQ(r.adapter->Enabled(), c.enabledAfter);
  }
}

TEST_F(Attached, ListenersMayRewriteTheRequestAndTheAdapterTakesItOver) {
  // The adapter's listener confirms; the application sees that, moves the adapter to another
  // port (the field itself, without renumbering) and hands over another peer.
  own->onRequest = Confirm;
  app->onRequest = [](std::shared_ptr<Object>& peer, bool&, int32_t& port, bool&) {
    port = 9;
    peer = MakePeer("other");
  };
  adapter->SetNetOpen(true);
  EXPECT_EQ(j.lines, (Lines{"A RequestNetOpen peer 1 2 0", "S RequestNetOpen port2 peer 1 2 1"}));
  EXPECT_TRUE(adapter->NetOpen());
  EXPECT_EQ(adapter->PortNumber(), 9);
  EXPECT_EQ(Text(adapter->Peer()), "other");
  EXPECT_EQ(adapter->NetState(), NODES_CHANGING_NETWORK_CONFIG);
}

TEST_F(Attached, NotificationsReachTheAdapterThenTheSupervisorWithTheSameVariables) {
  infcErrInfo errInfo{};
  errInfo.errCode = 7;
  adapter->FireNetworkError(errInfo);
  EXPECT_EQ(errInfo.errCode, 1007);  // the caller's record, written by a listener
  infcParamChg chg{};
  chg.ParamNum = 12;
  adapter->FireParameterChanged(chg);
  EXPECT_EQ(chg.ParamNum, 1012);
  std::shared_ptr<PhysDriveObj> node = PhysDriveObj::create();
  std::shared_ptr<ValueObj> value = NewValueObj();
  value->SetName("speed");
  adapter->FireDriveParameterChanged(node, value);
  adapter->FirePointToPointChange(4, PTOP_STAT_STOPPING);
  own->rewriteState = NODES_ONLINE_NO_TEST;
  adapter->FireNetworkChanged(NODES_SENDING);
  EXPECT_EQ(j.lines,
            (Lines{"A NetworkError 7", "S NetworkError port2 1007", "A ParameterChanged 12",
                   "S ParameterChanged port2 1012", "A DriveParameterChanged node speed",
                   "S DriveParameterChanged port2 node speed", "A PointToPointChanged 4 2",
                   "S PointToPointChanged port2 1004 2", "A NetworkChanged 3",
                   "S NetworkChanged port2 7"}));
  EXPECT_EQ(adapter->NetState(), NODES_SENDING);  // the stored state is what was passed in

  // Inhibited, only the two parameter changes are silenced.
  j.Clear();
  adapter->SetInhibitParameterChangeEvent(true);
  adapter->FireParameterChanged(chg);
  adapter->FireDriveParameterChanged(node, value);
  adapter->FirePointToPointChange(1, PTOP_STAT_IDLE);
  EXPECT_EQ(j.lines, (Lines{"A PointToPointChanged 1 0", "S PointToPointChanged port2 1001 0"}));
}

TEST(AdapterTexts, AdapterNameByPortType) {
  const std::tuple<int32_t, int32_t, const char*> cases[] = {
      {SERIAL_PORT, -2, "COM-2"}, {-1, -7, "Port-7"}, {PARALLEL_PORT, INT32_MIN, "LPT-2147483647"}};
  auto a = NetAdapterObj::create();
  for (const auto& [type, port, name] : cases) {
    a->SetPortType(static_cast<NetAdapterType>(type));
    a->SetPortNumber(port);
    EXPECT_EQ(a->AdapterName(), name);
  }
  a->SetPortNumber(INT32_MAX);
  EXPECT_EQ(ErrorOf([&] { (void)a->AdapterName(); }), kOverflow);
}

TEST(AdapterTexts, NetworkStateNames) {
  // The texts themselves are the resource table's; here, which one each state picks.
  auto a = NetAdapterObj::create();
  for (const auto& [state, name] :
       {std::pair{NODES_OFFLINE, "OFFLINE"}, {NODES_STOP_NET_CONFIG, "Stopping..."}}) {
    a->FireNetworkChanged(state);
    EXPECT_EQ(a->NetStateStr(), name);
    EXPECT_EQ(a->NetStateStrLookup(state), Variant(name));
  }
  a->FireNetworkChanged(static_cast<NetworkChanges>(10));
  EXPECT_EQ(a->NetStateStr(), "");
  EXPECT_EQ(ErrorOf([&] { (void)a->NetStateStrLookup(static_cast<NetworkChanges>(10)); }),
            "326|ZentNetLib|Resource with identifier '4260' not found||0");
  EXPECT_EQ(ErrorOf([&] { (void)a->NetStateStrLookup(static_cast<NetworkChanges>(INT32_MAX)); }),
            kOverflow);
}

}  // namespace
}  // namespace zentnet::test

#include "zentnet/network/NetAdapterObj.h"

#include <gtest/gtest.h>

#include <climits>

#include "recorders.h"
#include "zentnet/automation/error.h"
#include "zentnet/contracts/PhysDriveObj.h"
#include "zentnet/network/NetSupervisorObj.h"
#include "zentnet/values/factory.h"

namespace zentnet {
namespace {

using Lines = std::vector<std::string>;
using test::AdapterRecorder;
using test::MakePeer;
using test::SupervisorRecorder;

// An adapter attached to a supervisor, both recorded into one journal.
struct Attached : ::testing::Test {
  std::shared_ptr<NetSupervisorObj> sup = NetSupervisorObj::create();
  std::shared_ptr<NetAdapterObj> adapter = NetAdapterObj::create();
  test::Journal j;
  std::shared_ptr<SupervisorRecorder> app = std::make_shared<SupervisorRecorder>(j);
  std::shared_ptr<AdapterRecorder> own = std::make_shared<AdapterRecorder>(j, "A");

  void SetUp() override {
    adapter->SetPortNumber(2);  // before attaching: nobody hears it
    adapter->NetSupervisor(sup, MakePeer("peer"));
    adapter->SetEnabled(true);
    sup->Advise(app);
    adapter->Advise(own);
  }
  void Accept() {
    app->onRequest = [](auto&, auto&, bool&, int32_t&, bool& success) { success = true; };
  }
  void Open() {
    Accept();
    adapter->SetNetOpen(true);
    ASSERT_TRUE(adapter->NetOpen());
    j.Clear();
  }
};

using Opening = Attached;
using Forwarding = Attached;

TEST_F(Opening, AConfirmedOpeningAndClosing) {
  Accept();
  adapter->SetNetOpen(true);
  EXPECT_TRUE(adapter->NetOpen());
  adapter->SetNetOpen(true);  // no change: nothing asked
  adapter->SetNetOpen(false);
  EXPECT_FALSE(adapter->NetOpen());
  EXPECT_TRUE(adapter->Enabled());
  EXPECT_EQ(j.lines, (Lines{"A RequestNetOpen peer 1 2 0", "S RequestNetOpen port2 peer 1 2 0",
                            "A RequestNetOpen peer 0 2 0", "S RequestNetOpen port2 peer 0 2 0"}));
}

TEST_F(Opening, WithoutAPeerNothingHappens) {
  Accept();
  adapter->SetPeer(nullptr);
  adapter->SetNetOpen(true);
  EXPECT_FALSE(adapter->NetOpen());
  EXPECT_TRUE(adapter->Enabled());
  EXPECT_EQ(j.lines, Lines{});
}

TEST_F(Opening, AnUnconfirmedOpeningDisablesAndRaises6301) {
  try {
    adapter->SetNetOpen(true);
    ADD_FAILURE() << "no error";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), 6301);
    EXPECT_EQ(e.Source(), "NetAdapterObj.NetOpen(let opening)");
    EXPECT_EQ(e.Description(), "Port setup problems: busy or non-existant");
  }
  EXPECT_EQ(j.lines, (Lines{"A RequestNetOpen peer 1 2 0", "S RequestNetOpen port2 peer 1 2 0"}));
  EXPECT_FALSE(adapter->Enabled());
  EXPECT_FALSE(adapter->NetOpen());
}

TEST_F(Opening, AnUnconfirmedClosingDisablesSilently) {
  Open();
  app->onRequest = nullptr;
  adapter->SetNetOpen(false);
  EXPECT_FALSE(adapter->NetOpen());
  EXPECT_FALSE(adapter->Enabled());
  EXPECT_EQ(j.lines, (Lines{"A RequestNetOpen peer 0 2 0", "S RequestNetOpen port2 peer 0 2 0"}));
}

TEST_F(Opening, ListenersMayRewriteTheRequestAndTheAdapterTakesItOver) {
  // The adapter's own listener confirms; the application sees the confirmation, moves the
  // adapter to another port and hands over another peer.
  own->onRequest = [](auto&, bool&, int32_t&, bool& success) { success = true; };
  app->onRequest = [](auto&, std::shared_ptr<Object>& peer, bool&, int32_t& port, bool&) {
    port = 9;
    peer = MakePeer("other");
  };
  adapter->SetNetOpen(true);
  EXPECT_EQ(j.lines, (Lines{"A RequestNetOpen peer 1 2 0", "S RequestNetOpen port2 peer 1 2 1"}));
  EXPECT_TRUE(adapter->NetOpen());
  EXPECT_EQ(adapter->PortNumber(), 9);
  EXPECT_EQ(test::PeerName(adapter->Peer()), "other");
  EXPECT_EQ(adapter->NetState(), NODES_CHANGING_NETWORK_CONFIG);  // no renumbering took place
}

TEST_F(Opening, AListenerThatTurnsTheOpeningIntoAClosing) {
  struct Case {
    bool success;
    bool enabledAfter;
  };
  for (const Case c : {Case{true, true}, Case{false, false}}) {
    SCOPED_TRACE(c.success);
    adapter->SetEnabled(true);
    app->onRequest = [&](auto&, auto&, bool& newState, int32_t&, bool& success) {
      newState = false;
      success = c.success;
    };
    EXPECT_NO_THROW(adapter->SetNetOpen(true));  // no error: it ended up as a closing
    EXPECT_FALSE(adapter->NetOpen());
    EXPECT_EQ(adapter->Enabled(), c.enabledAfter);
  }
}

TEST_F(Opening, DisablingAnOpenAdapterAsksOnceAndClosesWhateverTheAnswer) {
  Open();
  app->onRequest = nullptr;
  adapter->SetPeer(nullptr);  // the request is made even without a peer
  adapter->SetEnabled(false);
  EXPECT_EQ(j.lines,
            (Lines{"A RequestNetOpen nopeer 0 2 0", "S RequestNetOpen port2 nopeer 0 2 0"}));
  EXPECT_FALSE(adapter->Enabled());
  EXPECT_FALSE(adapter->NetOpen());
  j.Clear();
  adapter->SetEnabled(false);
  adapter->SetEnabled(true);  // enabling never opens
  EXPECT_FALSE(adapter->NetOpen());
  EXPECT_EQ(j.lines, Lines{});
}

TEST_F(Opening, RenumberingClosesThenAnnouncesStopAndStart) {
  Open();
  adapter->SetPortNumber(2);
  EXPECT_EQ(j.lines, Lines{});
  adapter->SetPortNumber(3);
  EXPECT_EQ(j.lines, (Lines{"A RequestNetOpen peer 0 2 0", "S RequestNetOpen port2 peer 0 2 0",
                            "A NetworkChanged 9", "S NetworkChanged port2 9", "A NetworkChanged 5",
                            "S NetworkChanged port3 5"}));
  EXPECT_EQ(adapter->NetState(), NODES_CHANGING_NETWORK_CONFIG);
  EXPECT_FALSE(adapter->NetOpen());
}

TEST(NetOpenRead, OnlineStatesCountAsOpenWhateverTheFlags) {
  struct Confirm : NetAdapterObjEvents {
    void RequestNetOpen(std::shared_ptr<Object>&, bool&, int32_t&, bool& success) override {
      success = true;
    }
  };
  for (int32_t state = -1; state <= 10; ++state) {
    for (const bool enabled : {false, true}) {
      for (const bool open : {false, true}) {
        auto a = NetAdapterObj::create();
        a->Advise(std::make_shared<Confirm>());
        a->SetPeer(MakePeer("peer"));
        a->SetEnabled(true);
        if (open) a->SetNetOpen(true);
        if (!enabled) a->SetEnabled(false);  // which closes: disabled and open cannot meet
        a->FireNetworkChanged(static_cast<NetworkChanges>(state));
        const bool online = state == NODES_ONLINE || state == NODES_ONLINE_NO_TEST;
        SCOPED_TRACE(std::to_string(state) + " " + std::to_string(enabled) + std::to_string(open));
        EXPECT_EQ(a->NetOpen(), online || (enabled && open));
      }
    }
  }
}

TEST_F(Forwarding, EveryNotificationReachesTheAdapterThenTheSupervisorWithTheSameVariables) {
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

  EXPECT_EQ(j.lines, (Lines{
                         "A NetworkError 7",
                         "S NetworkError port2 1007",
                         "A ParameterChanged 12",
                         "S ParameterChanged port2 1012",
                         "A DriveParameterChanged node speed",
                         "S DriveParameterChanged port2 node speed",
                         "A PointToPointChanged 4 2",
                         "S PointToPointChanged port2 1004 2",
                         "A NetworkChanged 3",
                         "S NetworkChanged port2 7",
                     }));
  EXPECT_EQ(adapter->NetState(), NODES_SENDING);  // the stored state is what was passed in
}

TEST_F(Forwarding, InhibitSilencesOnlyTheParameterChanges) {
  adapter->SetInhibitParameterChangeEvent(true);
  EXPECT_TRUE(adapter->InhibitParameterChangeEvent());
  infcParamChg chg{};
  std::shared_ptr<PhysDriveObj> node;
  std::shared_ptr<ValueObj> value;
  adapter->FireParameterChanged(chg);
  adapter->FireDriveParameterChanged(node, value);
  adapter->FirePointToPointChange(1, PTOP_STAT_IDLE);
  adapter->FireNetworkChanged(NODES_ONLINE);
  infcErrInfo errInfo{};
  adapter->FireNetworkError(errInfo);
  EXPECT_EQ(j.lines, (Lines{"A PointToPointChanged 1 0", "S PointToPointChanged port2 1001 0",
                            "A NetworkChanged 1", "S NetworkChanged port2 1", "A NetworkError 0",
                            "S NetworkError port2 1000"}));
  j.Clear();
  adapter->SetInhibitParameterChangeEvent(false);
  adapter->FireDriveParameterChanged(node, value);
  EXPECT_EQ(j.lines, (Lines{"A DriveParameterChanged nonode novalue",
                            "S DriveParameterChanged port2 nonode novalue"}));
}

TEST_F(Forwarding, OfflineEmptiesTheNodesBeforeAnyoneHears) {
  const auto before = adapter->Nodes();
  before->Add(Variant(std::shared_ptr<Object>(PhysDriveObj::create())));
  int32_t countSeen = -1;
  app->onChanged = [&](auto& netRef, NetworkChanges&) { countSeen = netRef->Nodes()->Count(); };
  adapter->FireNetworkChanged(NODES_ONLINE);
  EXPECT_EQ(countSeen, 1);
  adapter->FireNetworkChanged(NODES_OFFLINE);
  EXPECT_EQ(countSeen, 0);
  EXPECT_NE(adapter->Nodes(), before);
  EXPECT_EQ(before->Count(), 1);  // the earlier collection keeps its items

  const auto again = adapter->Nodes();
  adapter->ClearNodes();
  EXPECT_NE(adapter->Nodes(), again);
}

TEST_F(Forwarding, DetachingEndsForwardingToTheFormerSupervisor) {
  adapter->NetSupervisor(nullptr, nullptr);
  EXPECT_EQ(adapter->Peer(), nullptr);
  adapter->FireNetworkChanged(NODES_ONLINE);
  EXPECT_EQ(j.lines, Lines{"A NetworkChanged 1"});

  // Attached to another supervisor, the adapter reaches that one only.
  auto other = NetSupervisorObj::create();
  test::Journal k;
  other->Advise(std::make_shared<SupervisorRecorder>(k));
  adapter->NetSupervisor(other, nullptr);
  adapter->FirePointToPointChange(1, PTOP_STAT_ERROR);
  EXPECT_EQ(k.lines, Lines{"S PointToPointChanged port2 1001 4"});
  EXPECT_EQ(j.lines.size(), 2u);
}

TEST(AdapterAlone, ACreatedAdapterWorksWithoutASupervisor) {
  auto a = NetAdapterObj::create();
  EXPECT_EQ(a->NetState(), NODES_OFFLINE);
  EXPECT_EQ(a->PortType(), SERIAL_PORT);
  EXPECT_EQ(a->PortNumber(), 0);
  EXPECT_FALSE(a->Enabled());
  EXPECT_FALSE(a->NetOpen());
  EXPECT_FALSE(a->InhibitParameterChangeEvent());
  EXPECT_EQ(a->Peer(), nullptr);
  ASSERT_NE(a->Nodes(), nullptr);
  EXPECT_EQ(a->Nodes()->Count(), 0);

  test::Journal j;
  auto sink = std::make_shared<AdapterRecorder>(j, "A");
  sink->onRequest = [](auto&, bool&, int32_t&, bool& success) { success = true; };
  a->Advise(sink);
  a->SetPeer(MakePeer("peer"));
  a->SetEnabled(true);
  a->SetNetOpen(true);
  a->SetPortNumber(1);
  EXPECT_EQ(j.lines, (Lines{"A RequestNetOpen peer 1 0 0", "A RequestNetOpen peer 0 0 0",
                            "A NetworkChanged 9", "A NetworkChanged 5"}));
}

TEST(AdapterAlone, AListenerMayReleaseTheAdapterDuringItsEvent) {
  auto holder = NetAdapterObj::create();
  std::weak_ptr<NetAdapterObj> watch = holder;
  struct Releaser : NetAdapterObjEvents {
    std::shared_ptr<NetAdapterObj>* holder;
    void NetworkChanged(NetworkChanges&) override { holder->reset(); }
  };
  auto sink = std::make_shared<Releaser>();
  sink->holder = &holder;
  holder->Advise(sink);
  NetAdapterObj* raw = holder.get();
  raw->SetPortNumber(4);
  EXPECT_TRUE(watch.expired());
}

TEST(AdapterTexts, AdapterNameByPortType) {
  struct Case {
    int32_t type;
    int32_t port;
    const char* name;
  };
  const Case cases[] = {
      {SERIAL_PORT, 3, "COM3"},   {SERIAL_PORT, 0, "COM0"},     {SERIAL_PORT, -2, "COM-2"},
      {PARALLEL_PORT, 0, "LPT1"}, {PARALLEL_PORT, -1, "LPT0"},  {PARALLEL_PORT, 41, "LPT42"},
      {2, 7, "Port7"},            {-1, -7, "Port-7"},           {SERIAL_PORT, INT32_MIN, "COM-2147483648"},
      {PARALLEL_PORT, INT32_MIN, "LPT-2147483647"},
  };
  auto a = NetAdapterObj::create();
  for (const auto& c : cases) {
    a->SetPortType(static_cast<NetAdapterType>(c.type));
    a->SetPortNumber(c.port);
    EXPECT_EQ(a->AdapterName(), c.name);
    EXPECT_EQ(a->GetProperty("AdapterName").ToString(), c.name);
  }
  a->SetPortNumber(INT32_MAX);
  try {
    (void)a->AdapterName();
    ADD_FAILURE() << "no error";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), err::kOverflow);
  }
}

TEST(AdapterTexts, NetworkStateNames) {
  const char* names[] = {"OFFLINE",      "ONLINE",      "Resetting...",       "Receiving...",
                         "No Network Controller", "Starting...", "No Port", "ONLINE (untested)",
                         "Flashing...",  "Stopping..."};
  auto a = NetAdapterObj::create();
  for (int32_t state = 0; state < 10; ++state) {
    a->FireNetworkChanged(static_cast<NetworkChanges>(state));
    EXPECT_EQ(a->NetStateStr(), names[state]);
    EXPECT_EQ(a->NetStateStrLookup(static_cast<NetworkChanges>(state)), Variant(names[state]));
  }
  for (const int32_t state : {10, -1, INT32_MAX}) {
    SCOPED_TRACE(state);
    a->FireNetworkChanged(static_cast<NetworkChanges>(state));
    EXPECT_EQ(a->NetStateStr(), "");
  }
  try {
    (void)a->NetStateStrLookup(static_cast<NetworkChanges>(10));
    ADD_FAILURE() << "no error";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), err::kResourceNotFound);
    EXPECT_EQ(e.Description(), "Resource with identifier '4260' not found");
  }
  try {
    (void)a->NetStateStrLookup(static_cast<NetworkChanges>(INT32_MAX));
    ADD_FAILURE() << "no error";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), err::kOverflow);
  }
}

TEST(AdapterTexts, LateBoundReadsCoverEveryReadableProperty) {
  auto a = NetAdapterObj::create();
  a->SetPeer(MakePeer("peer"));
  a->SetEnabled(true);
  a->SetPortNumber(3);
  std::vector<std::string> names(a->PropertyNames().begin(), a->PropertyNames().end());
  EXPECT_EQ(names, (std::vector<std::string>{"NetState", "NetStateStr", "AdapterName",
                                             "PortNumber", "PortType", "NetOpen", "Enabled",
                                             "InhibitParameterChangeEvent"}));
  EXPECT_EQ(a->GetProperty("netstatestr").ToString(), "Starting...");
  EXPECT_EQ(a->GetProperty("Nodes").ToObject(), a->Nodes());
  EXPECT_EQ(a->GetProperty("Peer").ToObject(), a->Peer());
  EXPECT_TRUE(a->GetProperty("Enabled").ToBool());

  auto sup = NetSupervisorObj::create();
  EXPECT_EQ(sup->GetProperty("Nets").ToObject(), sup->Nets());
  EXPECT_EQ(sup->GetProperty("MaxAdapters").ToLong(), 16);
}

}  // namespace
}  // namespace zentnet

#include "zentnet/network/NetSupervisorObj.h"

#include <gtest/gtest.h>

#include "recorders.h"
#include "zentnet/automation/error.h"
#include "zentnet/network/NetAdapterObj.h"

namespace zentnet {
namespace {

using Lines = std::vector<std::string>;
using test::AdapterRecorder;
using test::MakePeer;
using test::SupervisorRecorder;

constexpr int32_t kPortListError = -2147217430;  // 0x80040FEA
constexpr const char* kPortListSource = "SetrixObj.Ports(let)";
constexpr const char* kPortListText =
    "Serial port selection problems. Use numeric values separated by semicolons.";

std::shared_ptr<NetAdapterObj> AdapterAt(const std::shared_ptr<Collection>& nets, int32_t k) {
  return std::dynamic_pointer_cast<NetAdapterObj>(nets->Item(k).ToObject());
}

std::vector<int32_t> PortNumbers(const std::shared_ptr<Collection>& nets) {
  std::vector<int32_t> ports;
  for (int32_t k = 1; k <= nets->Count(); ++k) ports.push_back(AdapterAt(nets, k)->PortNumber());
  return ports;
}

// The application: it opens and closes every port it is asked to, and records everything.
struct Application : ::testing::Test {
  std::shared_ptr<NetSupervisorObj> sup = NetSupervisorObj::create();
  test::Journal j;
  std::shared_ptr<SupervisorRecorder> app = std::make_shared<SupervisorRecorder>(j);
  std::vector<std::shared_ptr<AdapterRecorder>> adapterSinks;

  void SetUp() override {
    sup->Advise(app);
    app->onRequest = [](auto&, auto&, bool&, int32_t&, bool& success) { success = true; };
  }

  std::string Set(std::string list) {
    sup->SetPorts(list);
    return list;
  }

  // Gives every adapter a peer and opens it, then listens to each adapter as "A<k>".
  void OpenAll() {
    const auto nets = sup->Nets();
    for (int32_t k = 1; k <= nets->Count(); ++k) {
      const auto a = AdapterAt(nets, k);
      a->SetPeer(MakePeer("peer" + std::to_string(k)));
      a->SetNetOpen(true);
      ASSERT_TRUE(a->NetOpen());
    }
    ListenToAdapters();
    j.Clear();
  }

  void ListenToAdapters() {
    const auto nets = sup->Nets();
    for (int32_t k = 1; k <= nets->Count(); ++k) {
      adapterSinks.push_back(std::make_shared<AdapterRecorder>(j, "A" + std::to_string(k)));
      AdapterAt(nets, k)->Advise(adapterSinks.back());
    }
  }
};

using PortList = Application;
using PortListEvents = Application;

TEST(PortListGrammar, GoodListsAreNormalised) {
  struct Case {
    std::string list;
    std::string normalised;
    std::vector<int32_t> ports;
  };
  const Case cases[] = {
      {"1;2", "1;2", {1, 2}},
      {"", "1", {1}},
      {";", "1", {1}},
      {";;", "1", {1}},
      {"3;;4;", "3;4", {3, 4}},
      {" 2 ;3", "2;3", {2, 3}},
      {"\t7\t", "7", {7}},
      {"01", "1", {1}},
      {"+5;-1", "5;-1", {5, -1}},
      {"0", "0", {0}},
      {"2.5;3.5", "2;4", {2, 4}},
      {".5;5.", "0;5", {0, 5}},
      {"4;4", "4;4", {4, 4}},
      {"1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16", "1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16",
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}},
      {"1" + std::string(15, ';'), "1", {1}},  // sixteen items, fifteen of them empty
      {"-2147483648;2147483647", "-2147483648;2147483647", {INT32_MIN, INT32_MAX}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.list);
    auto sup = NetSupervisorObj::create();
    std::string list = c.list;
    sup->SetPorts(list);
    EXPECT_EQ(list, c.normalised);
    EXPECT_EQ(sup->Ports(), c.normalised);
    EXPECT_EQ(PortNumbers(sup->Nets()), c.ports);
    for (int32_t k = 1; k <= sup->Nets()->Count(); ++k) {
      const auto a = AdapterAt(sup->Nets(), k);
      EXPECT_EQ(a->PortType(), PARALLEL_PORT);
      EXPECT_TRUE(a->Enabled());
      EXPECT_FALSE(a->NetOpen());
      EXPECT_EQ(a->Peer(), nullptr);
      EXPECT_EQ(a->NetState(), a->PortNumber() == 0 ? NODES_OFFLINE : NODES_CHANGING_NETWORK_CONFIG);
    }
  }
}

TEST(PortListGrammar, BadListsChangeNothing) {
  const std::string bad[] = {
      "1;COM2", "x", "1 2", "- 1", "1,5", "1e3", "0x10", "1;.", "+", ";a;",
      "1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17",
      "1" + std::string(16, ';'),  // seventeen items, sixteen of them empty
      "1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;x",
  };
  for (const std::string& list : bad) {
    SCOPED_TRACE(list);
    auto sup = NetSupervisorObj::create();
    std::string before = "5;6";
    sup->SetPorts(before);
    const auto nets = sup->Nets();
    const auto first = AdapterAt(nets, 1);
    test::Journal j;
    sup->Advise(std::make_shared<SupervisorRecorder>(j));

    std::string arg = list;
    try {
      sup->SetPorts(arg);
      ADD_FAILURE() << "no error";
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.Number(), kPortListError);
      EXPECT_EQ(e.Source(), kPortListSource);
      EXPECT_EQ(e.Description(), kPortListText);
    }
    EXPECT_EQ(arg, list);
    EXPECT_EQ(sup->Nets(), nets);
    EXPECT_EQ(AdapterAt(sup->Nets(), 1), first);
    EXPECT_EQ(sup->Ports(), "5;6");
    EXPECT_EQ(j.lines, Lines{});
  }
}

TEST(PortListGrammar, MaxAdaptersCountsEveryItem) {
  auto sup = NetSupervisorObj::create();
  sup->SetMaxAdapters(2);
  std::string two = "7;";
  sup->SetPorts(two);
  EXPECT_EQ(two, "7");
  std::string three = "7;;";
  EXPECT_THROW(sup->SetPorts(three), AutomationError);
  EXPECT_EQ(three, "7;;");
  // Items past the limit are not read at all, but their count alone is refused.
  sup->SetMaxAdapters(1);
  std::string late = "8;x";
  try {
    sup->SetPorts(late);
    ADD_FAILURE() << "no error";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), kPortListError);
  }
}

TEST(PortListGrammar, APortOutsideThe32BitRangeOverflowsAfterEarlierAdaptersChanged) {
  auto sup = NetSupervisorObj::create();
  std::string list = "1;2";
  sup->SetPorts(list);
  const auto nets = sup->Nets();
  std::string big = "3;2147483648";
  try {
    sup->SetPorts(big);
    ADD_FAILURE() << "no error";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), err::kOverflow);
  }
  EXPECT_EQ(big, "3;2147483648");
  EXPECT_EQ(sup->Nets(), nets);
  EXPECT_EQ(PortNumbers(nets), (std::vector<int32_t>{3, 2}));
}

TEST_F(PortListEvents, FirstListCreatesAdaptersAndAnnouncesTheNewNetworkLast) {
  EXPECT_EQ(Set("1;2"), "1;2");
  // The adapters filled in at first are numbered while attached; their replacements are not.
  EXPECT_EQ(j.lines, (Lines{"S NetworkChanged port0 9", "S NetworkChanged port1 5",
                            "S NetworkChanged port0 9", "S NetworkChanged port2 5",
                            "S NetworkChanged none 5"}));
  EXPECT_EQ(PortNumbers(sup->Nets()), (std::vector<int32_t>{1, 2}));
}

TEST_F(PortListEvents, ChangedListOnAnOpenNetworkClosesRenumbersAndReplaces) {
  Set("1;2");
  OpenAll();
  const auto oldNets = sup->Nets();
  const auto old1 = AdapterAt(oldNets, 1);
  const auto old2 = AdapterAt(oldNets, 2);

  EXPECT_EQ(Set("1;3"), "1;3");
  EXPECT_EQ(j.lines, (Lines{
                         "A1 RequestNetOpen peer1 0 1 0",
                         "S RequestNetOpen port1 peer1 0 1 0",
                         "A2 RequestNetOpen peer2 0 2 0",
                         "S RequestNetOpen port2 peer2 0 2 0",
                         "A2 NetworkChanged 9",
                         "S NetworkChanged port2 9",
                         "A2 NetworkChanged 5",
                         "S NetworkChanged port3 5",
                         "S NetworkChanged none 9",
                         "S NetworkChanged none 5",
                     }));
  const auto nets = sup->Nets();
  EXPECT_NE(nets, oldNets);
  ASSERT_EQ(nets->Count(), 2);
  EXPECT_NE(AdapterAt(nets, 1), old1);
  EXPECT_NE(AdapterAt(nets, 2), old2);
  EXPECT_EQ(PortNumbers(nets), (std::vector<int32_t>{1, 3}));
  for (int32_t k = 1; k <= 2; ++k) {
    const auto a = AdapterAt(nets, k);
    EXPECT_TRUE(a->Enabled());
    EXPECT_FALSE(a->NetOpen());
    EXPECT_EQ(a->Peer(), nullptr);
    EXPECT_EQ(a->NetState(), NODES_CHANGING_NETWORK_CONFIG);
  }
  // Whoever kept the former collection keeps the former adapters, closed.
  EXPECT_EQ(PortNumbers(oldNets), (std::vector<int32_t>{1, 3}));
  EXPECT_FALSE(old1->NetOpen());
}

TEST_F(PortListEvents, UnchangedListKeepsAdaptersButClosesThem) {
  Set("1;2");
  OpenAll();
  const auto nets = sup->Nets();
  const auto a1 = AdapterAt(nets, 1);
  const auto peer1 = a1->Peer();

  EXPECT_EQ(Set(" 1;2;"), "1;2");
  EXPECT_EQ(j.lines, (Lines{"A1 RequestNetOpen peer1 0 1 0", "S RequestNetOpen port1 peer1 0 1 0",
                            "A2 RequestNetOpen peer2 0 2 0",
                            "S RequestNetOpen port2 peer2 0 2 0"}));
  EXPECT_EQ(sup->Nets(), nets);
  EXPECT_EQ(AdapterAt(sup->Nets(), 1), a1);
  EXPECT_EQ(a1->Peer(), peer1);
  EXPECT_TRUE(a1->Enabled());
  EXPECT_FALSE(a1->NetOpen());
}

TEST_F(PortListEvents, ARefusedOpeningDropsThePortFromTheListAndTheNextSetRebuilds) {
  Set("1;2");
  ListenToAdapters();
  // The application cannot open port 1.
  app->onRequest = [](auto&, auto&, bool&, int32_t& port, bool& success) { success = port != 1; };
  const auto nets = sup->Nets();
  const auto a1 = AdapterAt(nets, 1);
  const auto a2 = AdapterAt(nets, 2);
  a1->SetPeer(MakePeer("peer1"));
  a2->SetPeer(MakePeer("peer2"));
  j.Clear();

  try {
    a1->SetNetOpen(true);
    ADD_FAILURE() << "no error";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), 6301);
    EXPECT_EQ(e.Source(), "NetAdapterObj.NetOpen(let opening)");
    EXPECT_EQ(e.Description(), "Port setup problems: busy or non-existant");
  }
  a2->SetNetOpen(true);
  EXPECT_EQ(j.lines, (Lines{"A1 RequestNetOpen peer1 1 1 0", "S RequestNetOpen port1 peer1 1 1 0",
                            "A2 RequestNetOpen peer2 1 2 0",
                            "S RequestNetOpen port2 peer2 1 2 0"}));
  EXPECT_FALSE(a1->Enabled());
  EXPECT_FALSE(a1->NetOpen());
  EXPECT_TRUE(a2->NetOpen());
  EXPECT_EQ(sup->Ports(), "2");

  j.Clear();
  EXPECT_EQ(Set("1;2"), "1;2");
  // Not every adapter was open, so no stop is announced for the network as a whole.
  EXPECT_EQ(j.lines, (Lines{"A2 RequestNetOpen peer2 0 2 0", "S RequestNetOpen port2 peer2 0 2 0",
                            "S NetworkChanged none 5"}));
  EXPECT_NE(sup->Nets(), nets);
}

TEST_F(PortListEvents, ShorterListDisablesAndRemovesTheSurplusFromTheEnd) {
  Set("1;2;3");
  OpenAll();
  const auto nets = sup->Nets();
  const auto a3 = AdapterAt(nets, 3);

  EXPECT_EQ(Set("1"), "1");
  EXPECT_EQ(j.lines, (Lines{
                         "A3 RequestNetOpen peer3 0 3 0",
                         "S RequestNetOpen port3 peer3 0 3 0",
                         "A2 RequestNetOpen peer2 0 2 0",
                         "S RequestNetOpen port2 peer2 0 2 0",
                         "A1 RequestNetOpen peer1 0 1 0",
                         "S RequestNetOpen port1 peer1 0 1 0",
                         "S NetworkChanged none 9",
                         "S NetworkChanged none 5",
                     }));
  EXPECT_EQ(nets->Count(), 1);  // the surplus left the former collection itself
  EXPECT_FALSE(a3->Enabled());
  EXPECT_EQ(PortNumbers(sup->Nets()), std::vector<int32_t>{1});
}

TEST_F(PortListEvents, AnUnconfirmedCloseIsMadeGoodByReEnabling) {
  Set("4");
  OpenAll();
  app->onRequest = nullptr;  // closing is no longer confirmed
  const auto a = AdapterAt(sup->Nets(), 1);
  EXPECT_EQ(Set("4"), "4");
  EXPECT_EQ(j.lines, (Lines{"A1 RequestNetOpen peer1 0 4 0", "S RequestNetOpen port4 peer1 0 4 0"}));
  EXPECT_TRUE(a->Enabled());
  EXPECT_FALSE(a->NetOpen());
}

TEST_F(PortListEvents, ListenerErrorsReachTheCaller) {
  app->onChanged = [](auto& netRef, NetworkChanges&) {
    if (!netRef) throw AutomationError(1234, "app", "refused");
  };
  try {
    Set("1");
    ADD_FAILURE() << "no error";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), 1234);
  }
}

TEST_F(PortList, GetRefToNetPortFindsTheFirstAdapterOnThePort) {
  Set("5;6;5");
  const auto nets = sup->Nets();
  EXPECT_EQ(sup->GetRefToNetPort(5), AdapterAt(nets, 1));
  EXPECT_EQ(sup->GetRefToNetPort(6), AdapterAt(nets, 2));
  EXPECT_EQ(sup->GetRefToNetPort(7), nullptr);
  AdapterAt(nets, 1)->SetEnabled(false);
  EXPECT_EQ(sup->GetRefToNetPort(5), AdapterAt(nets, 1));
  EXPECT_EQ(sup->Ports(), "6;5");
}

TEST_F(PortList, PlainSettingsAreStoredAsGiven) {
  EXPECT_EQ(sup->MaxAdapters(), 16);
  EXPECT_EQ(sup->AdapterDefault(), PARALLEL_PORT);
  EXPECT_EQ(sup->Ports(), "");
  EXPECT_EQ(sup->Nets()->Count(), 0);

  Set("1");
  const auto a = AdapterAt(sup->Nets(), 1);
  sup->SetAdapterDefault(SERIAL_PORT);
  sup->SetMaxAdapters(-5);
  EXPECT_EQ(sup->MaxAdapters(), -5);
  EXPECT_EQ(a->PortType(), PARALLEL_PORT);  // existing adapters keep their type
  sup->SetMaxAdapters(16);
  sup->SetAdapterDefault(static_cast<NetAdapterType>(7));
  Set("2;3");
  EXPECT_EQ(AdapterAt(sup->Nets(), 1)->AdapterName(), "Port2");
  sup->SetAdapterDefault(SERIAL_PORT);
  Set("4");
  EXPECT_EQ(AdapterAt(sup->Nets(), 1)->AdapterName(), "COM4");
  EXPECT_EQ(sup->GetProperty("ports").ToString(), "4");
  EXPECT_EQ(sup->GetProperty("AdapterDefault").ToLong(), SERIAL_PORT);
}

TEST(SupervisorLifetime, AListenerMayReleaseTheSupervisorDuringNetworkChanged) {
  for (const int32_t releaseAt : {1, 5}) {
    SCOPED_TRACE(releaseAt);
    auto holder = NetSupervisorObj::create();
    std::weak_ptr<NetSupervisorObj> watch = holder;
    test::Journal j;
    auto app = std::make_shared<SupervisorRecorder>(j);
    int seen = 0;
    app->onChanged = [&](auto&, NetworkChanges&) {
      if (++seen == releaseAt) holder.reset();
    };
    holder->Advise(app);
    NetSupervisorObj* raw = holder.get();
    std::string list = "1;2";
    raw->SetPorts(list);
    EXPECT_EQ(list, "1;2");
    EXPECT_EQ(j.lines.size(), 5u);
    EXPECT_TRUE(watch.expired());
  }
}

TEST(SupervisorLifetime, ReleasingTheSupervisorReleasesItsAdapters) {
  auto sup = NetSupervisorObj::create();
  std::string list = "1;2;3";
  sup->SetPorts(list);
  std::weak_ptr<NetSupervisorObj> watchSup = sup;
  std::weak_ptr<NetAdapterObj> watchAdapter = AdapterAt(sup->Nets(), 2);
  sup.reset();
  EXPECT_TRUE(watchSup.expired());
  EXPECT_TRUE(watchAdapter.expired());
}

TEST(SupervisorLifetime, AnAdapterThatOutlivesItsSupervisorStopsForwarding) {
  auto sup = NetSupervisorObj::create();
  std::string list = "1";
  sup->SetPorts(list);
  auto adapter = AdapterAt(sup->Nets(), 1);
  test::Journal j;
  adapter->Advise(std::make_shared<AdapterRecorder>(j, "A"));
  sup.reset();
  adapter->FireNetworkChanged(NODES_ONLINE);
  adapter->FirePointToPointChange(3, PTOP_STAT_RUNNING);
  EXPECT_EQ(j.lines, (Lines{"A NetworkChanged 1", "A PointToPointChanged 3 1"}));
}

}  // namespace
}  // namespace zentnet

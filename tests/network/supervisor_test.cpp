#include "zentnet/network/NetSupervisorObj.h"

#include <gtest/gtest.h>

#include "recorders.h"

namespace zentnet::test {
namespace {

const std::string kPortListError = std::to_string(err::kPortList) + "|" + err::kPortListSource +
                                   "|Serial port selection problems. Use numeric values "
                                   "separated by semicolons.||0";

std::vector<int32_t> PortNumbers(const std::shared_ptr<Collection>& nets) {
  std::vector<int32_t> ports;
  for (int32_t k = 1; k <= nets->Count(); ++k) ports.push_back(AdapterAt(nets, k)->PortNumber());
  return ports;
}

// The application: it opens and closes every port it is asked to, and records everything.
struct Application : ::testing::Test {
  std::shared_ptr<NetSupervisorObj> sup = NetSupervisorObj::create();
  Journal j;
  std::shared_ptr<Recorder> app = std::make_shared<Recorder>(j, "S");

  void SetUp() override {
    sup->Advise(app);
    app->onRequest = Confirm;
  }
  std::string Set(std::string list) {
    sup->SetPorts(list);
    return list;
  }
  // Listens to every adapter as "A<k>"; with `open`, gives each a peer and opens it first.
  void ListenToAdapters(bool open) {
    const auto nets = sup->Nets();
    for (int32_t k = 1; k <= nets->Count(); ++k) {
      const auto a = AdapterAt(nets, k);
      a->SetPeer(MakePeer("peer" + std::to_string(k)));
      if (open) a->SetNetOpen(true);
      a->Advise(std::make_shared<Recorder>(j, "A" + std::to_string(k)));
    }
    j.Clear();
  }
};

TEST(PortListGrammar, GoodListsAreNormalised) {
  struct Case {
    std::string list, normalised;
    std::vector<int32_t> ports;
    int32_t max = 16;
  };
  // clang-format off
  const Case cases[] = {
      {"1;2", "1;2", {1, 2}}, {"9", "9", {9}}, {"", "1", {1}}, {"3;;4;", "3;4", {3, 4}},
      {" 2 ;\t3\t", "2;3", {2, 3}}, {"01;+5;-1;0", "1;5;-1;0", {1, 5, -1, 0}},
      {"2.5;3.5;.5;5.", "2;4;0;5", {2, 4, 0, 5}},
      {"1" + std::string(15, ';'), "1", {1}},  // sixteen items, fifteen of them empty
      {"-2147483648;2147483647", "-2147483648;2147483647", {INT32_MIN, INT32_MAX}},
      {"7;", "7", {7}, 2}, {"7;8", "7;8", {7, 8}, 2},  // as many items as adapters allowed
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.list);
    auto sup = NetSupervisorObj::create();
    sup->SetMaxAdapters(c.max);
    std::string list = c.list;
    sup->SetPorts(list);
    EXPECT_EQ(list, c.normalised);
    EXPECT_EQ(sup->Ports(), c.normalised);
    EXPECT_EQ(PortNumbers(sup->Nets()), c.ports);
    EXPECT_TRUE(AdapterAt(sup->Nets(), 1)->Enabled());
  }
}

TEST(PortListGrammar, BadListsChangeNothing) {
  struct Case {
    std::string list;
    int32_t max = 16;
  };
  // clang-format off
  const Case cases[] = {
      {"1;COM2"}, {"1 2"}, {"- 1"}, {"1e3"}, {"1;."}, {"+"},
      {"1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17"},
      {"1" + std::string(16, ';')},  // seventeen items, sixteen of them empty
      {"7;;", 2}, {"8;x", 1},  // the item past the limit is not read, but it is counted
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    auto sup = NetSupervisorObj::create();
    std::string before = "5;6";
    sup->SetPorts(before);
    sup->SetMaxAdapters(c.max);
    const auto nets = sup->Nets();
    Journal j;
    sup->Advise(std::make_shared<Recorder>(j, "S"));
    std::string arg = c.list;
    EXPECT_EQ(ErrorOf([&] { sup->SetPorts(arg); }), kPortListError);
    EXPECT_EQ(arg, c.list);
    EXPECT_EQ(sup->Nets(), nets);
    EXPECT_EQ(sup->Ports(), "5;6");
    EXPECT_EQ(j.lines, Lines{});
  }
}

TEST(PortListGrammar, APortOutsideThe32BitRangeOverflowsAfterEarlierAdaptersChanged) {
  auto sup = NetSupervisorObj::create();
  sup->SetPorts("1;2");  // a temporary list: the normalised one goes nowhere
  const auto nets = sup->Nets();
  std::string big = "3;2147483648";
  EXPECT_EQ(ErrorOf([&] { sup->SetPorts(big); }), kOverflow);
  EXPECT_EQ(big, "3;2147483648");
  EXPECT_EQ(sup->Nets(), nets);
  EXPECT_EQ(PortNumbers(nets), (std::vector<int32_t>{3, 2}));
}

TEST_F(Application, FirstListCreatesAdaptersAndAnnouncesTheNewNetworkLast) {
  EXPECT_EQ(Set("1;2"), "1;2");
  // The adapters filled in at first are numbered while attached; their replacements are not.
  EXPECT_EQ(j.lines, (Lines{"S NetworkChanged port0 9", "S NetworkChanged port1 5",
                            "S NetworkChanged port0 9", "S NetworkChanged port2 5",
                            "S NetworkChanged none 5"}));
  EXPECT_EQ(PortNumbers(sup->Nets()), (std::vector<int32_t>{1, 2}));
}

TEST_F(Application, ChangedListOnAnOpenNetworkClosesRenumbersAndReplaces) {
  Set("1;2");
  ListenToAdapters(true);
  const auto oldNets = sup->Nets();
  const auto old1 = AdapterAt(oldNets, 1);
  // What a listener writes into the missing adapter does not reach the next announcement.
  app->onChanged = [](AdapterRef& netRef, NetworkChanges&) {
    if (!netRef) netRef = NetAdapterObj::create();
  };
  EXPECT_EQ(Set("1;3"), "1;3");
  EXPECT_EQ(j.lines, (Lines{"A1 RequestNetOpen peer1 0 1 0", "S RequestNetOpen port1 peer1 0 1 0",
                            "A2 RequestNetOpen peer2 0 2 0", "S RequestNetOpen port2 peer2 0 2 0",
                            "A2 NetworkChanged 9", "S NetworkChanged port2 9",
                            "A2 NetworkChanged 5", "S NetworkChanged port3 5",
                            "S NetworkChanged none 9", "S NetworkChanged none 5"}));
  const auto a = AdapterAt(sup->Nets(), 2);
  EXPECT_NE(AdapterAt(sup->Nets(), 1), old1);
  EXPECT_EQ(PortNumbers(sup->Nets()), (std::vector<int32_t>{1, 3}));
  EXPECT_TRUE(a->Enabled() && !a->NetOpen() && !a->Peer());
  EXPECT_EQ(a->NetState(), NODES_CHANGING_NETWORK_CONFIG);
  // Whoever kept the former collection keeps the former adapters, closed.
  EXPECT_EQ(PortNumbers(oldNets), (std::vector<int32_t>{1, 3}));
  EXPECT_FALSE(old1->NetOpen());
}

TEST_F(Application, UnchangedListKeepsAdaptersButClosesThem) {
  Set("1;2");
  ListenToAdapters(true);
  const auto nets = sup->Nets();
  const auto a1 = AdapterAt(nets, 1);
  const auto peer1 = a1->Peer();
  EXPECT_EQ(Set(" 1;2;"), "1;2");
  EXPECT_EQ(j.lines,
            (Lines{"A1 RequestNetOpen peer1 0 1 0", "S RequestNetOpen port1 peer1 0 1 0",
                   "A2 RequestNetOpen peer2 0 2 0", "S RequestNetOpen port2 peer2 0 2 0"}));
  EXPECT_EQ(sup->Nets(), nets);
  EXPECT_EQ(AdapterAt(sup->Nets(), 1), a1);
  EXPECT_EQ(a1->Peer(), peer1);
  EXPECT_TRUE(a1->Enabled());
  EXPECT_FALSE(a1->NetOpen());
}

// An adapter a shorter list drops is disabled, even if its holder keeps it; an empty item a
// client put into Nets is error 91.
TEST_F(Application, ADroppedAdapterIsDisabledAndAnEmptyItemInNetsIsAnError) {
  Set("1;2;3");
  const auto a3 = AdapterAt(sup->Nets(), 3);
  Set("1");
  EXPECT_FALSE(a3->Enabled());
  sup->Nets()->Add(Variant(std::shared_ptr<Object>()));
  EXPECT_EQ(ErrorOf([&] { (void)sup->Ports(); }),
            "91|ZentNetLib|Object variable or With block variable not set||0");
}

TEST_F(Application, ARefusedOpeningDropsThePortFromTheListAndTheNextSetRebuilds) {
  Set("1;2");
  ListenToAdapters(false);
  app->onRequest = [](auto&, bool&, int32_t& port, bool& success) { success = port != 1; };
  const auto nets = sup->Nets();
  const auto a1 = AdapterAt(nets, 1);
  const auto a2 = AdapterAt(nets, 2);
  EXPECT_EQ(ErrorOf([&] { a1->SetNetOpen(true); }), kPortError);
  a2->SetNetOpen(true);
  EXPECT_EQ(j.lines,
            (Lines{"A1 RequestNetOpen peer1 1 1 0", "S RequestNetOpen port1 peer1 1 1 0",
                   "A2 RequestNetOpen peer2 1 2 0", "S RequestNetOpen port2 peer2 1 2 0"}));
  EXPECT_FALSE(a1->Enabled());
  EXPECT_TRUE(a2->NetOpen());
  EXPECT_EQ(sup->Ports(), "2");

  j.Clear();
  EXPECT_EQ(Set("1;2"), "1;2");
  // Not every adapter was open, so no stop is announced for the network as a whole.
  EXPECT_EQ(j.lines, (Lines{"A2 RequestNetOpen peer2 0 2 0", "S RequestNetOpen port2 peer2 0 2 0",
                            "S NetworkChanged none 5"}));
  EXPECT_NE(sup->Nets(), nets);
}

}  // namespace
}  // namespace zentnet::test

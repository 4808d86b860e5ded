// The application event hub: events by dispatch identifier, the termination vote, the
// demo drive handed back through the caller's variable, and the motor-page flag.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "hubs_support.h"
#include "recorder.h"
#include "zentnet/contracts/PhysDriveObj.h"
#include "zentnet/network/NetAdapterObj.h"
#include "zentnet/services/AppStateEventObj.h"

namespace zentnet {
namespace {

using test::Journal;

class AppHubTest : public ::testing::Test {
 public:
  std::shared_ptr<AppStateEventObj> hub = AppStateEventObj::create();
  std::shared_ptr<PhysDriveObj> drive1 = PhysDriveObj::create();
  std::shared_ptr<PhysDriveObj> demo = PhysDriveObj::create();
  std::shared_ptr<NetAdapterObj> net1 = NetAdapterObj::create();
  std::shared_ptr<NetAdapterObj> net2 = NetAdapterObj::create();
  Journal journal;

  std::string Name(const std::shared_ptr<PhysDriveObj>& d) const {
    return d == drive1 ? "drive1" : d == demo ? "demo" : d ? "other" : "none";
  }
  std::string Name(const std::shared_ptr<NetAdapterObj>& n) const {
    // The replacement is named first: once a sink has written it into the caller's
    // variable, both compare equal.
    return n == net2 ? "net2" : n == net1 ? "net1" : n ? "other" : "none";
  }
  static const char* B(bool b) { return b ? "true" : "false"; }

  // Records "<tag>:<Event>(<args>)" for every event.
  class Recorder : public AppStateEventObjEvents {
   public:
    Recorder(AppHubTest& t, std::string tag) : t_(t), tag_(std::move(tag)) {}
    void LockChanged(LockLevels& s) override { Add("LockChanged(" + std::to_string(s) + ")"); }
    void TechSupportChanged(bool& s) override { Add(std::string("TechSupportChanged(") + B(s) + ")"); }
    void PollStateChanged(bool& s) override { Add(std::string("PollStateChanged(") + B(s) + ")"); }
    void TimerTick() override { Add("TimerTick()"); }
    void Terminate(bool& cancel) override { Add(std::string("Terminate(") + B(cancel) + ")"); }
    void CreateDemoDrive(PhysDriveType& type, std::shared_ptr<PhysDriveObj>& d) override {
      Add("CreateDemoDrive(" + std::to_string(type) + "," + t_.Name(d) + ")");
    }
    void MotorPageEnableChanged(bool& s) override {
      Add(std::string("MotorPageEnableChanged(") + B(s) + ")");
    }
    void NetworkChange(std::shared_ptr<NetAdapterObj>& n, NetworkChanges s) override {
      Add("NetworkChange(" + t_.Name(n) + "," + std::to_string(s) + ")");
    }

   private:
    void Add(const std::string& line) { t_.journal.Add(tag_ + ":" + line); }
    AppHubTest& t_;
    std::string tag_;
  };

  void AdviseRecorders(std::initializer_list<const char*> tags) {
    for (const char* tag : tags) hub->Advise(std::make_shared<Recorder>(*this, tag));
  }
};

struct FireCase {
  const char* member;
  std::function<void(AppHubTest&)> fire;
  const char* event;
  const char* args;
  int32_t dispId;
};

const std::vector<FireCase>& FireCases() {
  static const std::vector<FireCase> cases = {
      {"FireLockChange", [](AppHubTest& t) { t.hub->FireLockChange(LOCK_LEVEL_2); }, "LockChanged", "(2)", 1},
      {"FirePollStateChange", [](AppHubTest& t) { t.hub->FirePollStateChange(true); }, "PollStateChanged",
       "(true)", 3},
      {"FireTechSupportChange", [](AppHubTest& t) { t.hub->FireTechSupportChange(true); },
       "TechSupportChanged", "(true)", 2},
      {"FireTimerTick", [](AppHubTest& t) { t.hub->FireTimerTick(); }, "TimerTick", "()", 4},
      {"FireTerminate", [](AppHubTest& t) { t.hub->FireTerminate(); }, "Terminate", "(false)", 5},
      {"FireCreateDemoDrive", [](AppHubTest& t) { t.hub->FireCreateDemoDrive(DRV_MODEL_07, t.drive1); },
       "CreateDemoDrive", "(7,drive1)", 6},
      {"FireNetChange", [](AppHubTest& t) { t.hub->FireNetChange(t.net1, NODES_ONLINE); }, "NetworkChange",
       "(net1,1)", 7},
      {"SetMotorPageEnabled", [](AppHubTest& t) { t.hub->SetMotorPageEnabled(true); },
       "MotorPageEnableChanged", "(true)", 8},
  };
  return cases;
}

TEST_F(AppHubTest, EveryNotificationReachesEverySinkOnceInOrder) {
  AdviseRecorders({"a", "b", "c"});
  for (const auto& c : FireCases()) {
    SCOPED_TRACE(c.member);
    journal.Clear();
    c.fire(*this);
    const std::string line = std::string(c.event) + c.args;
    EXPECT_EQ(journal.lines, (std::vector<std::string>{"a:" + line, "b:" + line, "c:" + line}));
  }
}

TEST_F(AppHubTest, EventsKeepTheirPublishedDispatchIdentifiers) {
  for (const auto& c : FireCases()) {
    SCOPED_TRACE(c.member);
    EXPECT_EQ(test::DispIdOf(kAppStateEventObjEventIds, c.event), c.dispId);
  }
  // The table follows the sink's slot order, where the two last identifiers are swapped.
  const char* slots[] = {"LockChanged",     "TechSupportChanged", "PollStateChanged",
                         "TimerTick",       "Terminate",          "CreateDemoDrive",
                         "MotorPageEnableChanged", "NetworkChange"};
  ASSERT_EQ(std::size(kAppStateEventObjEventIds), std::size(slots));
  for (size_t i = 0; i < std::size(slots); ++i) EXPECT_EQ(kAppStateEventObjEventIds[i].event, slots[i]);
}

TEST_F(AppHubTest, ByValueStateIsTheMembersCopyAndLaterSinksSeeTheWrite) {
  struct Flipper : AppStateEventObjEvents {
    void LockChanged(LockLevels& s) override { s = LOCK_LEVEL_3; }
    void TechSupportChanged(bool& s) override { s = !s; }
    void PollStateChanged(bool& s) override { s = !s; }
    void CreateDemoDrive(PhysDriveType& type, std::shared_ptr<PhysDriveObj>&) override { type = Unknown; }
    void MotorPageEnableChanged(bool& s) override { s = !s; }
  };
  hub->Advise(std::make_shared<Flipper>());
  AdviseRecorders({"after"});

  LockLevels level = LOCK_LEVEL_1;
  bool state = true;
  PhysDriveType type = DRV_MODEL_03;
  hub->FireLockChange(level);
  hub->FireTechSupportChange(state);
  hub->FirePollStateChange(state);
  hub->FireCreateDemoDrive(type, drive1);
  hub->SetMotorPageEnabled(state);

  EXPECT_EQ(journal.lines,
            (std::vector<std::string>{"after:LockChanged(3)", "after:TechSupportChanged(false)",
                                      "after:PollStateChanged(false)", "after:CreateDemoDrive(0,drive1)",
                                      "after:MotorPageEnableChanged(false)"}));
  EXPECT_EQ(level, LOCK_LEVEL_1);
  EXPECT_TRUE(state);
  EXPECT_EQ(type, DRV_MODEL_03);
  // The stored flag is the caller's value, not what a sink wrote into the event argument.
  EXPECT_TRUE(hub->MotorPageEnabled());
}

TEST_F(AppHubTest, NetworkChangeStateIsAFreshCopyPerSinkButTheAdapterIsTheCallers) {
  struct Writer : AppStateEventObjEvents {
    std::shared_ptr<NetAdapterObj> replacement;
    void NetworkChange(std::shared_ptr<NetAdapterObj>& n, NetworkChanges s) override {
      n = replacement;
      s = NODES_FLASH_MODE;  // its own copy: nobody else sees this
      (void)s;
    }
  };
  auto writer = std::make_shared<Writer>();
  writer->replacement = net2;
  AdviseRecorders({"before"});
  hub->Advise(writer);
  AdviseRecorders({"after"});

  hub->FireNetChange(net1, NODES_RESETTING);
  EXPECT_EQ(journal.lines, (std::vector<std::string>{"before:NetworkChange(net1,2)",
                                                     "after:NetworkChange(net2,2)"}));
  EXPECT_EQ(net1, net2);
}

TEST_F(AppHubTest, TerminateAnswersWhatTheSinksLeftInCancel) {
  EXPECT_FALSE(hub->FireTerminate());  // nobody listens

  struct Voter : AppStateEventObjEvents {
    enum Vote { Keep, Cancel, Allow } vote;
    explicit Voter(Vote v) : vote(v) {}
    void Terminate(bool& cancel) override {
      if (vote == Cancel) cancel = true;
      if (vote == Allow) cancel = false;
    }
  };
  struct Case {
    std::vector<Voter::Vote> votes;
    bool cancelled;
    std::vector<std::string> seen;  // what a recorder after each voter saw
  };
  const Case cases[] = {
      {{Voter::Keep, Voter::Keep}, false, {"r0:Terminate(false)", "r1:Terminate(false)"}},
      {{Voter::Cancel}, true, {"r0:Terminate(true)"}},
      {{Voter::Keep, Voter::Cancel, Voter::Keep}, true,
       {"r0:Terminate(false)", "r1:Terminate(true)", "r2:Terminate(true)"}},
      // The last word counts: a later sink may take a cancel back.
      {{Voter::Cancel, Voter::Allow}, false, {"r0:Terminate(true)", "r1:Terminate(false)"}},
  };
  for (const auto& c : cases) {
    hub = AppStateEventObj::create();
    journal.Clear();
    int i = 0;
    for (auto v : c.votes) {
      hub->Advise(std::make_shared<Voter>(v));
      hub->Advise(std::make_shared<Recorder>(*this, "r" + std::to_string(i++)));
    }
    EXPECT_EQ(hub->FireTerminate(), c.cancelled);
    EXPECT_EQ(journal.lines, c.seen);
    // A fresh vote every time: the previous answer is not remembered.
    EXPECT_EQ(hub->FireTerminate(), c.cancelled);
  }
}

TEST_F(AppHubTest, CreateDemoDriveHandsTheNewDriveBackThroughTheCallersVariable) {
  struct Builder : AppStateEventObjEvents {
    std::shared_ptr<PhysDriveObj> built;
    PhysDriveType asked = Unknown;
    void CreateDemoDrive(PhysDriveType& type, std::shared_ptr<PhysDriveObj>& d) override {
      asked = type;
      d = built;
    }
  };
  AdviseRecorders({"before"});
  auto builder = std::make_shared<Builder>();
  builder->built = demo;
  hub->Advise(builder);
  AdviseRecorders({"after"});

  std::shared_ptr<PhysDriveObj> drv;
  hub->FireCreateDemoDrive(DRV_MODEL_12, drv);
  EXPECT_EQ(drv, demo);
  EXPECT_EQ(builder->asked, DRV_MODEL_12);
  EXPECT_EQ(journal.lines, (std::vector<std::string>{"before:CreateDemoDrive(12,none)",
                                                     "after:CreateDemoDrive(12,demo)"}));
}

TEST_F(AppHubTest, CreateDemoDriveWithoutABuilderLeavesTheVariableAlone) {
  AdviseRecorders({"a"});
  hub->FireCreateDemoDrive(DRV_MODEL_07, drive1);
  EXPECT_EQ(Name(drive1), "drive1");
  std::shared_ptr<PhysDriveObj> none;
  hub->FireCreateDemoDrive(DRV_MODEL_07, none);
  EXPECT_EQ(none, nullptr);
}

TEST_F(AppHubTest, MotorPageRaisesOnlyOnAChange) {
  EXPECT_FALSE(hub->MotorPageEnabled());
  struct Reader : AppStateEventObjEvents {
    AppHubTest* t;
    void MotorPageEnableChanged(bool&) override {
      // Stored before the event: a sink reading back sees the new value.
      t->journal.Add(std::string("stored ") + B(t->hub->MotorPageEnabled()));
    }
  };
  AdviseRecorders({"a"});
  auto reader = std::make_shared<Reader>();
  reader->t = this;
  hub->Advise(reader);

  const bool writes[] = {false, true, true, false, false, true};
  for (bool w : writes) hub->SetMotorPageEnabled(w);
  EXPECT_EQ(journal.lines, (std::vector<std::string>{"a:MotorPageEnableChanged(true)", "stored true",
                                                     "a:MotorPageEnableChanged(false)", "stored false",
                                                     "a:MotorPageEnableChanged(true)", "stored true"}));
  EXPECT_TRUE(hub->MotorPageEnabled());
  EXPECT_EQ(hub->GetProperty("motorpageenabled"), Variant(true));
}

TEST_F(AppHubTest, ASinkMayCallBackIntoTheHub) {
  struct Ticker : AppStateEventObjEvents {
    AppStateEventObj* hub;
    void TimerTick() override { hub->SetMotorPageEnabled(!hub->MotorPageEnabled()); }
  };
  auto ticker = std::make_shared<Ticker>();
  ticker->hub = hub.get();
  AdviseRecorders({"a"});
  hub->Advise(ticker);
  AdviseRecorders({"b"});

  hub->FireTimerTick();
  hub->FireTimerTick();
  // The nested event completes for every sink before the outer tick reaches "b".
  EXPECT_EQ(journal.lines,
            (std::vector<std::string>{"a:TimerTick()", "a:MotorPageEnableChanged(true)",
                                      "b:MotorPageEnableChanged(true)", "b:TimerTick()", "a:TimerTick()",
                                      "a:MotorPageEnableChanged(false)", "b:MotorPageEnableChanged(false)",
                                      "b:TimerTick()"}));
}

}  // namespace
}  // namespace zentnet

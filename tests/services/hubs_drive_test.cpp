// The drive event hub: every Fire member reaches every sink once, in subscription order,
// with its arguments; by-value arguments are the member's copy, by-reference ones the
// caller's variable.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "hubs_support.h"
#include "recorder.h"
#include "zentnet/contracts/PhysDriveObj.h"
#include "zentnet/factory.h"
#include "zentnet/services/DriveEventObj.h"
#include "zentnet/values/factory.h"

namespace zentnet {
namespace {

using test::Journal;

class DriveHubTest : public ::testing::Test {
 public:
  std::shared_ptr<DriveEventObj> hub = DriveEventObj::create();
  std::shared_ptr<PhysDriveObj> drive1 = PhysDriveObj::create();
  std::shared_ptr<PhysDriveObj> drive2 = PhysDriveObj::create();
  std::shared_ptr<ValueObj> value1 = NewValueObj();
  std::shared_ptr<ValueObj> value2 = NewValueObj();
  Journal journal;

  std::string Name(const std::shared_ptr<PhysDriveObj>& d) const {
    // The replacement is named first: once a sink has written it into the caller's
    // variable, both compare equal.
    return d == drive2 ? "drive2" : d == drive1 ? "drive1" : d ? "other" : "none";
  }
  std::string Name(const std::shared_ptr<ValueObj>& v) const {
    return v == value2 ? "value2" : v == value1 ? "value1" : v ? "other" : "none";
  }

  // Records "<tag>:<Event>(<args>)" for every event.
  class Recorder : public DriveEventObjEvents {
   public:
    Recorder(DriveHubTest& t, std::string tag) : t_(t), tag_(std::move(tag)) {}
    void CommError(std::shared_ptr<PhysDriveObj>& n, DriveErrors& code, int32_t& extra) override {
      Add("CommError(" + t_.Name(n) + "," + std::to_string(code) + "," + std::to_string(extra) + ")");
    }
    void DriveStateChange(std::shared_ptr<PhysDriveObj>& n) override { Add1("DriveStateChange", n); }
    void EnableChanged(std::shared_ptr<PhysDriveObj>& n, bool& s) override {
      Add("EnableChanged(" + t_.Name(n) + "," + (s ? "true" : "false") + ")");
    }
    void HighLevelFeedbackChanged(std::shared_ptr<PhysDriveObj>& n) override {
      Add1("HighLevelFeedbackChanged", n);
    }
    void MotorTypeChanged(std::shared_ptr<PhysDriveObj>& n) override { Add1("MotorTypeChanged", n); }
    void ParameterChanged(std::shared_ptr<PhysDriveObj>& n, std::shared_ptr<ValueObj>& v) override {
      Add("ParameterChanged(" + t_.Name(n) + "," + t_.Name(v) + ")");
    }
    void SetupUndoChanged(std::shared_ptr<PhysDriveObj>& n, bool& s) override {
      Add("SetupUndoChanged(" + t_.Name(n) + "," + (s ? "true" : "false") + ")");
    }
    void UserIDchanged(std::shared_ptr<PhysDriveObj>& n) override { Add1("UserIDchanged", n); }

   private:
    void Add(const std::string& line) { t_.journal.Add(tag_ + ":" + line); }
    void Add1(const char* event, std::shared_ptr<PhysDriveObj>& n) {
      Add(std::string(event) + "(" + t_.Name(n) + ")");
    }
    DriveHubTest& t_;
    std::string tag_;
  };

  void AdviseRecorders(std::initializer_list<const char*> tags) {
    for (const char* tag : tags) hub->Advise(std::make_shared<Recorder>(*this, tag));
  }
};

struct FireCase {
  const char* event;  // the event the member raises
  std::function<void(DriveHubTest&, DriveEventObj&)> fire;
  const char* args;
};

const std::vector<FireCase>& FireCases() {
  static const std::vector<FireCase> cases = {
      {"CommError",
       [](DriveHubTest& t, DriveEventObj& h) { h.FireCommError(t.drive1, DRV_ERR_CMD_TIME_OUT, 7); },
       "(drive1,1505,7)"},
      {"DriveStateChange", [](DriveHubTest& t, DriveEventObj& h) { h.FireDriveStateChange(t.drive1); },
       "(drive1)"},
      {"EnableChanged", [](DriveHubTest& t, DriveEventObj& h) { h.FireEnableChanged(t.drive1, true); },
       "(drive1,true)"},
      {"HighLevelFeedbackChanged",
       [](DriveHubTest& t, DriveEventObj& h) { h.FireHighLevelFeedbackChanged(t.drive1); }, "(drive1)"},
      {"MotorTypeChanged", [](DriveHubTest& t, DriveEventObj& h) { h.FireMotorTypeChanged(t.drive1); },
       "(drive1)"},
      {"ParameterChanged",
       [](DriveHubTest& t, DriveEventObj& h) { h.FireParameterChanged(t.drive1, t.value1); },
       "(drive1,value1)"},
      {"SetupUndoChanged",
       [](DriveHubTest& t, DriveEventObj& h) { h.FireSetupUndoChanged(t.drive1, false); },
       "(drive1,false)"},
      {"UserIDchanged", [](DriveHubTest& t, DriveEventObj& h) { h.FireUserIDchanged(t.drive1); },
       "(drive1)"},
  };
  return cases;
}

TEST_F(DriveHubTest, EveryFireMemberReachesEverySinkOnceInOrder) {
  AdviseRecorders({"a", "b", "c"});
  for (const auto& c : FireCases()) {
    SCOPED_TRACE(c.event);
    journal.Clear();
    c.fire(*this, *hub);
    const std::string line = std::string(c.event) + c.args;
    EXPECT_EQ(journal.lines, (std::vector<std::string>{"a:" + line, "b:" + line, "c:" + line}));
  }
}

TEST_F(DriveHubTest, FireMembersRaiseTheEventsInDispatchOrder) {
  // The members sit in the same order as their events, whose identifiers run 1 to 8.
  ASSERT_EQ(std::size(kDriveEventObjEventIds), FireCases().size());
  for (size_t i = 0; i < FireCases().size(); ++i) {
    EXPECT_EQ(kDriveEventObjEventIds[i].event, FireCases()[i].event);
    EXPECT_EQ(test::DispIdOf(kDriveEventObjEventIds, FireCases()[i].event), static_cast<int32_t>(i + 1));
  }
}

TEST_F(DriveHubTest, NoSinkIsNoEffect) {
  for (const auto& c : FireCases()) c.fire(*this, *hub);
  EXPECT_EQ(Name(drive1), "drive1");
  EXPECT_EQ(Name(value1), "value1");
}

TEST_F(DriveHubTest, CommErrorWithoutExtraCarriesZero) {
  AdviseRecorders({"a"});
  hub->FireCommError(drive1, DRV_ERR_RESP_GARBLE);
  EXPECT_EQ(journal.lines, (std::vector<std::string>{"a:CommError(drive1,1509,0)"}));
}

// A sink that writes into every argument it gets.
class Writer : public DriveEventObjEvents {
 public:
  explicit Writer(std::shared_ptr<PhysDriveObj> drive, std::shared_ptr<ValueObj> value)
      : drive_(std::move(drive)), value_(std::move(value)) {}
  void CommError(std::shared_ptr<PhysDriveObj>& n, DriveErrors& code, int32_t& extra) override {
    n = drive_;
    code = DRV_ERR_MEMORY;
    extra = -1;
  }
  void DriveStateChange(std::shared_ptr<PhysDriveObj>& n) override { n = drive_; }
  void EnableChanged(std::shared_ptr<PhysDriveObj>& n, bool& s) override {
    n = drive_;
    s = !s;
  }
  void HighLevelFeedbackChanged(std::shared_ptr<PhysDriveObj>& n) override { n = drive_; }
  void MotorTypeChanged(std::shared_ptr<PhysDriveObj>& n) override { n = drive_; }
  void ParameterChanged(std::shared_ptr<PhysDriveObj>& n, std::shared_ptr<ValueObj>& v) override {
    n = drive_;
    v = value_;
  }
  void SetupUndoChanged(std::shared_ptr<PhysDriveObj>& n, bool& s) override {
    n = drive_;
    s = !s;
  }
  void UserIDchanged(std::shared_ptr<PhysDriveObj>& n) override { n = drive_; }

 private:
  std::shared_ptr<PhysDriveObj> drive_;
  std::shared_ptr<ValueObj> value_;
};

TEST_F(DriveHubTest, ByValueArgumentsAreTheMembersCopySharedByLaterSinks) {
  AdviseRecorders({"before"});
  hub->Advise(std::make_shared<Writer>(drive1, value1));  // writes back the same objects
  AdviseRecorders({"after"});

  DriveErrors code = DRV_ERR_CMD_TIME_OUT;
  int32_t extra = 3;
  bool state = true;
  hub->FireCommError(drive1, code, extra);
  hub->FireEnableChanged(drive1, state);
  hub->FireSetupUndoChanged(drive1, state);

  EXPECT_EQ(journal.lines, (std::vector<std::string>{
                               "before:CommError(drive1,1505,3)", "after:CommError(drive1,1520,-1)",
                               "before:EnableChanged(drive1,true)", "after:EnableChanged(drive1,false)",
                               "before:SetupUndoChanged(drive1,true)",
                               "after:SetupUndoChanged(drive1,false)"}));
  EXPECT_EQ(code, DRV_ERR_CMD_TIME_OUT);
  EXPECT_EQ(extra, 3);
  EXPECT_TRUE(state);
}

TEST_F(DriveHubTest, ByReferenceArgumentsAreTheCallersVariables) {
  hub->Advise(std::make_shared<Writer>(drive2, value2));
  AdviseRecorders({"after"});
  for (const auto& c : FireCases()) {
    SCOPED_TRACE(c.event);
    drive1 = PhysDriveObj::create();
    const auto original = drive1;
    journal.Clear();
    c.fire(*this, *hub);
    // The later sink already sees the replacement, and so does the caller.
    ASSERT_EQ(journal.lines.size(), 1u);
    EXPECT_EQ(journal.lines[0].find("after:" + std::string(c.event) + "(drive2"), 0u) << journal.lines[0];
    EXPECT_EQ(drive1, drive2);
    EXPECT_NE(original, drive2);
  }
  EXPECT_EQ(value1, value2);  // ParameterChanged's NewValue was replaced too
}

TEST_F(DriveHubTest, ASinkMayReleaseTheHubWhileItRaises) {
  struct Dropper : DriveEventObjEvents {
    std::shared_ptr<DriveEventObj>* hub;
    int calls = 0;
    void DriveStateChange(std::shared_ptr<PhysDriveObj>&) override {
      ++calls;
      hub->reset();
    }
  };
  auto dropper = std::make_shared<Dropper>();
  dropper->hub = &hub;
  hub->Advise(dropper);
  hub->Advise(dropper);
  auto raw = hub.get();
  raw->FireDriveStateChange(drive1);
  EXPECT_EQ(hub, nullptr);
  EXPECT_EQ(dropper->calls, 2);
}

TEST(ServicesFactory, CreatesEachServiceClassByName) {
  for (const char* name : {"DriveEventObj", "AppStateEventObj", "SoundEventsObj", "HotKeyObj", "ErrReflector"}) {
    auto object = CreateObject(name);
    ASSERT_NE(object, nullptr) << name;
    EXPECT_EQ(object->ClassName(), name);
  }
  // By class identifier as well, and each creation is a new object.
  auto a = CreateObject("{C78DD335-BF3F-48D4-92FB-B6B1F7A4D290}");
  auto b = CreateObject("c78dd335-bf3f-48d4-92fb-b6b1f7a4d290");
  ASSERT_NE(std::dynamic_pointer_cast<DriveEventObj>(a), nullptr);
  EXPECT_NE(a, b);
}

}  // namespace
}  // namespace zentnet

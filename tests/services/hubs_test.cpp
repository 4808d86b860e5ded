// The event hubs: every notification reaches every sink once, in order, under its dispatch
// identifier; by-value arguments are the member's own copy, by-reference ones the caller's.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

#include "recorder.h"
#include "service_support.h"
#include "zentnet/contracts/PhysDriveObj.h"
#include "zentnet/network/NetAdapterObj.h"
#include "zentnet/services/AppStateEventObj.h"
#include "zentnet/services/DriveEventObj.h"
#include "zentnet/values/factory.h"

namespace zentnet {
namespace {

using Drive = std::shared_ptr<PhysDriveObj>;
using Value = std::shared_ptr<ValueObj>;
using Net = std::shared_ptr<NetAdapterObj>;

class HubTest : public ::testing::Test {
 public:
  // Journals "<tag>:<Event>(<args>)"; a writer (tag starting with "w") then overwrites every
  // argument: objects with the second of their kind, Booleans negated, numbers with 99.
  class Recorder : public DriveEventObjEvents, public AppStateEventObjEvents {
   public:
    Recorder(HubTest& t, std::string tag) : t_(t), tag_(std::move(tag)) {}
    void CommError(Drive& n, DriveErrors& c, int32_t& x) override { On("CommError", n, c, x); }
    void DriveStateChange(Drive& n) override { On("DriveStateChange", n); }
    void EnableChanged(Drive& n, bool& s) override { On("EnableChanged", n, s); }
    void HighLevelFeedbackChanged(Drive& n) override { On("HighLevelFeedbackChanged", n); }
    void MotorTypeChanged(Drive& n) override { On("MotorTypeChanged", n); }
    void ParameterChanged(Drive& n, Value& v) override { On("ParameterChanged", n, v); }
    void SetupUndoChanged(Drive& n, bool& s) override { On("SetupUndoChanged", n, s); }
    void UserIDchanged(Drive& n) override { On("UserIDchanged", n); }
    void LockChanged(LockLevels& s) override { On("LockChanged", s); }
    void TechSupportChanged(bool& s) override { On("TechSupportChanged", s); }
    void PollStateChanged(bool& s) override { On("PollStateChanged", s); }
    void TimerTick() override { On("TimerTick"); }
    void Terminate(bool& cancel) override { On("Terminate", cancel); }
    void CreateDemoDrive(PhysDriveType& t, Drive& d) override { On("CreateDemoDrive", t, d); }
    // Also shows the stored flag: it is set before the event.
    void MotorPageEnableChanged(bool& s) override {
      bool stored = t_.app->MotorPageEnabled();
      On("MotorPageEnableChanged", s, stored);
    }
    void NetworkChange(Net& n, NetworkChanges s) override { On("NetworkChange", n, s); }

   private:
    template <class... A>
    void On(const char* event, A&... args) {
      std::string line = tag_ + ":" + event + "(";
      ((line += t_.Show(args) + ","), ...);
      if (sizeof...(A) > 0) line.pop_back();
      t_.journal.Add(line + ")");
      if (tag_[0] == 'w') (Overwrite(args), ...);
    }
    template <class T>
    void Overwrite(T& v) {
      if constexpr (std::is_same_v<T, bool>)
        v = !v;
      else if constexpr (std::is_enum_v<T> || std::is_integral_v<T>)
        v = static_cast<T>(99);
      else
        v = t_.Second(v);
    }
    HubTest& t_;
    std::string tag_;
  };

  void SetUp() override {
    names = {{drive1.get(), "drive1"}, {drive2.get(), "drive2"}, {value1.get(), "value1"},
             {value2.get(), "value2"}, {net1.get(), "net1"},     {net2.get(), "net2"}};
  }
  void Advise(const std::vector<const char*>& tags) {
    for (const char* tag : tags) {
      auto r = std::make_shared<Recorder>(*this, tag);
      drive->Advise(r);
      app->Advise(r);
    }
  }
  std::string Show(bool b) const { return b ? "true" : "false"; }
  std::string Show(int32_t v) const { return std::to_string(v); }
  template <class T>
  std::string Show(const std::shared_ptr<T>& p) const {
    return p ? names.at(p.get()) : "none";
  }
  Drive Second(const Drive&) const { return drive2; }
  Value Second(const Value&) const { return value2; }
  Net Second(const Net&) const { return net2; }

  std::shared_ptr<DriveEventObj> drive = DriveEventObj::create();
  std::shared_ptr<AppStateEventObj> app = AppStateEventObj::create();
  Drive drive1 = PhysDriveObj::create(), drive2 = PhysDriveObj::create();
  Value value1 = NewValueObj(), value2 = NewValueObj();
  Net net1 = NetAdapterObj::create(), net2 = NetAdapterObj::create();
  // The by-value arguments the members are given.
  DriveErrors code = DRV_ERR_CMD_TIME_OUT;
  int32_t extra = 7;
  bool state = true;
  LockLevels level = LOCK_LEVEL_2;
  PhysDriveType type = DRV_MODEL_07;
  NetworkChanges change = NODES_ONLINE;
  std::map<const void*, std::string> names;
  test::Journal journal;
};

struct FireCase {
  const char* event;
  std::function<void(HubTest&)> fire;
  const char* args;     // as every sink sees them without a writer
  const char* written;  // as a sink after a writer sees them
};

#define FIRE(call) [](HubTest& t) { t.call; }
const FireCase kFireCases[] = {
    {"CommError", FIRE(drive->FireCommError(t.drive1, t.code, t.extra)), "(drive1,1505,7)",
     "(drive2,99,99)"},
    {"DriveStateChange", FIRE(drive->FireDriveStateChange(t.drive1)), "(drive1)", "(drive2)"},
    {"EnableChanged", FIRE(drive->FireEnableChanged(t.drive1, t.state)), "(drive1,true)",
     "(drive2,false)"},
    {"HighLevelFeedbackChanged", FIRE(drive->FireHighLevelFeedbackChanged(t.drive1)), "(drive1)",
     "(drive2)"},
    {"MotorTypeChanged", FIRE(drive->FireMotorTypeChanged(t.drive1)), "(drive1)", "(drive2)"},
    {"ParameterChanged", FIRE(drive->FireParameterChanged(t.drive1, t.value1)), "(drive1,value1)",
     "(drive2,value2)"},
    {"SetupUndoChanged", FIRE(drive->FireSetupUndoChanged(t.drive1, t.state)), "(drive1,true)",
     "(drive2,false)"},
    {"UserIDchanged", FIRE(drive->FireUserIDchanged(t.drive1)), "(drive1)", "(drive2)"},
    {"LockChanged", FIRE(app->FireLockChange(t.level)), "(2)", "(99)"},
    {"PollStateChanged", FIRE(app->FirePollStateChange(t.state)), "(true)", "(false)"},
    {"TechSupportChanged", FIRE(app->FireTechSupportChange(t.state)), "(true)", "(false)"},
    {"TimerTick", FIRE(app->FireTimerTick()), "()", "()"},
    {"Terminate", FIRE(app->FireTerminate()), "(false)", "(true)"},
    {"CreateDemoDrive", FIRE(app->FireCreateDemoDrive(t.type, t.drive1)), "(7,drive1)",
     "(99,drive2)"},
    {"NetworkChange", FIRE(app->FireNetChange(t.net1, t.change)), "(net1,1)",
     "(net2,1)"},  // state copied
    {"MotorPageEnableChanged", FIRE(app->SetMotorPageEnabled(t.state)), "(true,true)",
     "(false,true)"},
};
#undef FIRE

// Every notification reaches every sink once, in order; a writer in the middle shows which
// arguments are the caller's variables.
TEST_F(HubTest, ByValueArgumentsAreTheMembersCopyByReferenceOnesTheCallersVariables) {
  Advise({"a", "w", "b"});
  const Drive d1 = drive1;
  const Value v1 = value1;
  const Net n1 = net1;
  for (const auto& c : kFireCases) {
    SCOPED_TRACE(c.event);
    drive1 = d1, value1 = v1, net1 = n1;
    journal.Clear();
    c.fire(*this);
    const std::string event = c.event, written = c.written;
    EXPECT_EQ(journal.lines, (std::vector<std::string>{"a:" + event + c.args, "w:" + event + c.args,
                                                       "b:" + event + written}));
    // The caller holds what the later sink saw: the very variable was passed on.
    EXPECT_EQ(written.find("drive2") != std::string::npos, drive1 == drive2);
    EXPECT_EQ(written.find("value2") != std::string::npos, value1 == value2);
    EXPECT_EQ(written.find("net2") != std::string::npos, net1 == net2);
  }
  // The by-value variables are untouched; the flag stored is the caller's value.
  EXPECT_EQ(Show(code) + Show(extra) + Show(state) + Show(level) + Show(type) + Show(change) +
                Show(app->MotorPageEnabled()),
            "15057true271true");
}

// A listener that has the hub forward its own event again loops without end: the caller
// gets 28, and once the listener stops forwarding the hub raises as before.
TEST(HubLoop, ForwardingToItselfEndsInOutOfStackSpace) {
  struct Echo : DriveEventObjEvents {
    DriveEventObj* hub = nullptr;
    int heard = 0;
    void DriveStateChange(Drive& n) override {
      if (++heard > 0 && hub) hub->FireDriveStateChange(n);
    }
  };
  const auto hub = DriveEventObj::create();
  const auto echo = std::make_shared<Echo>();
  echo->hub = hub.get();
  hub->Advise(echo);
  EXPECT_EQ(test::ErrorOf([&] { hub->FireDriveStateChange(nullptr); }),
            "28|ZentNetLib|Out of stack space||0");
  echo->hub = nullptr;
  echo->heard = 0;
  hub->FireDriveStateChange(nullptr);
  EXPECT_EQ(echo->heard, 1);
}

}  // namespace
}  // namespace zentnet

// Events of the configuration register: change detection, the members that write more
// than once, and the notifications passed on from the value object.

#include "config_support.h"

namespace zentnet::config_test {
namespace {

using ConfigEvents = ConfigFixture;

TEST_F(ConfigEvents, ChangeDetectionNamesTheFieldsThatChanged) {
  const struct {
    uint32_t from, to;
    Lines expected;
  } cases[] = {
      {0x000, 0x220, {"Change 00000220", "MotorTypeChanged 00000220", "HighLevelFeedbackChanged 00000220"}},
      {0x001, 0x000, {"Change 00000000"}},
      {0x100, 0x000, {"Change 00000000", "MotorTypeChanged 00000000"}},
      {0x040, 0x000, {"Change 00000000", "HighLevelFeedbackChanged 00000000"}},
      {0x000, 0xFFFFFC8F, {"Change FFFFFC8F"}},  // every bit but 4-6 and 8-9
      {0xFFFFFFFF, 0x7FFFFFFF, {"Change 7FFFFFFF"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Hex(static_cast<int32_t>(c.to)));
    Load(c.from);
    value->Number()->SetValue(static_cast<int32_t>(c.to));
    EXPECT_EQ(j.lines, c.expected);
  }
}

// A value object may announce another object than the one the decoder holds; the decoder
// compares the announced object's numbers. The first subscriber swaps the by-reference
// argument before the decoder's own subscription hears it.
class Swapper : public ValueObjEvents {
 public:
  explicit Swapper(std::shared_ptr<ValueObj> announced) : announced_(std::move(announced)) {}
  void ValueChanged(std::shared_ptr<ValueObj>& newVal) override { newVal = announced_; }

 private:
  std::shared_ptr<ValueObj> announced_;
};

TEST_F(ConfigEvents, ChangeDetectionReadsTheAnnouncedObjectNotRegister) {
  auto held = BasicValueObj::create();
  auto announced = BasicValueObj::create();
  held->Advise(std::make_shared<Swapper>(announced));
  config->SetRegister(held);
  config->Unadvise(cookie);
  config->Advise(std::make_shared<ConfigRecorder>(j, held));

  announced->Number()->SetValue(0x100);  // announced: motor bit 8 changed
  held->Number()->SetValue(0x001);       // held: only bit 0 changed
  EXPECT_EQ(j.lines, (Lines{"Change 00000001", "MotorTypeChanged 00000001"}));

  j.Clear();
  announced->Number()->SetValue(0x101);  // announced: bit 0 only
  held->Number()->SetValue(0x271);       // held: bits 4-6 and 9 changed
  EXPECT_EQ(j.lines, (Lines{"Change 00000271"}));
}

TEST_F(ConfigEvents, SteadixWritesTwiceThroughOff) {
  Load(0xF0000400);
  config->SetSteadix(STEADIX_ENH);
  EXPECT_EQ(j.lines, (Lines{"Change F0000000", "Change F0000800"}));

  // From off the first write stores the same number and the value object stays silent.
  Load(0x00000001);
  config->SetSteadix(STEADIX_STD);
  EXPECT_EQ(j.lines, (Lines{"Change 00000401"}));
}

// A listener that writes the field between the two writes sees its bits survive: the
// second write ORs the new mode into a fresh read.
TEST_F(ConfigEvents, SteadixSecondWriteOrsIntoAFreshRead) {
  struct Meddler : ConfigRegObjEvents {
    ConfigRegObj* config = nullptr;
    bool done = false;
    void Change() override {
      if (done) return;
      done = true;
      config->SetMotorStyle(MOTOR_BRUSHLESS_LINEAR);
    }
  };
  auto meddler = std::make_shared<Meddler>();
  meddler->config = config.get();
  Load(0x800);
  config->Advise(meddler);
  config->SetSteadix(STEADIX_STD);
  EXPECT_EQ(Bits(), 0x600u);
  EXPECT_EQ(j.lines, (Lines{"Change 00000000", "Change 00000200", "MotorTypeChanged 00000200",
                            "Change 00000600"}));
}

TEST_F(ConfigEvents, StepEncInputFilterWritesEachFieldInTurn) {
  Load(0);
  config->SetStepEncInputFilter(STEP_ENC_FILT_BOTH1);
  EXPECT_EQ(j.lines, (Lines{"Change 00008000", "Change 0000C000", "Change 0040C000"}));

  // Fields already holding their new value are not written again.
  Load(0x0000C000);
  config->SetStepEncInputFilter(STEP_ENC_FILT_STEP2);
  EXPECT_EQ(j.lines, (Lines{"Change 00004000", "Change 00804000"}));
}

TEST_F(ConfigEvents, StepEncInputFilterStopsAtTheFirstFailingWrite) {
  struct Refuser : ConfigRegObjEvents {
    void Change() override {
      throw AutomationError(err::kOverflow, err::kRuntimeSource, "Overflow");
    }
  };
  config->Advise(std::make_shared<Refuser>());
  Load(0);
  ExpectRuntimeError(err::kOverflow, "Overflow",
                     [&] { config->SetStepEncInputFilter(STEP_ENC_FILT_BOTH3); });
  EXPECT_EQ(Bits(), 0x8000u);
  EXPECT_EQ(j.lines, (Lines{"Change 00008000"}));
}

TEST_F(ConfigEvents, HighLevelFeedbackWriteRaisesItsOwnEventAfterDetection) {
  Load(0x10);
  config->SetHighLevelFeedback(HIGH_LEVEL_FB_MOVE_DONE);
  EXPECT_EQ(j.lines, (Lines{"Change 00000020", "HighLevelFeedbackChanged 00000020",
                            "HighLevelFeedbackChanged 00000020"}));

  // The same value again, or none: no write, no event.
  j.Clear();
  config->SetHighLevelFeedback(HIGH_LEVEL_FB_MOVE_DONE);
  config->SetHighLevelFeedback(HIGH_LEVEL_FB_NONE);
  EXPECT_TRUE(j.lines.empty());
}

// The write's own event compares the field before and after, so a listener that puts the
// old value back during the write's Change leaves nothing for it to report.
TEST_F(ConfigEvents, HighLevelFeedbackWriteComparesFieldValues) {
  struct Restorer : ConfigRegObjEvents {
    std::shared_ptr<ValueObj> value;
    bool done = false;
    void Change() override {
      if (done) return;
      done = true;
      value->Number()->SetValue(0x10);
    }
  };
  auto restorer = std::make_shared<Restorer>();
  restorer->value = value;
  Load(0x10);
  config->Advise(restorer);
  config->SetHighLevelFeedback(HIGH_LEVEL_FB_ASG_IN_RANGE);
  EXPECT_EQ(Bits(), 0x10u);
  // The outer detection had seen bits 4-6 change before the listener ran.
  EXPECT_EQ(j.lines, (Lines{"Change 00000030", "Change 00000010", "HighLevelFeedbackChanged 00000010",
                            "HighLevelFeedbackChanged 00000010"}));
}

TEST_F(ConfigEvents, GatedWritesWithoutTheirBitRaiseNothing) {
  Capability(0);
  Load(0xFFFFFFFF);
  config->SetAnalogInFilter(false);
  config->SetMoveDoneFoldback(false);
  config->SetHardStopFoldback(false);
  config->SetLogicPowerBackup(false);
  config->SetHighLevelFeedback(HIGH_LEVEL_FB_IN_RANGE);
  EXPECT_EQ(Bits(), 0xFFFFFFFFu);
  EXPECT_TRUE(j.lines.empty());
}

TEST_F(ConfigEvents, NotificationsArePassedOn) {
  const auto basic = std::dynamic_pointer_cast<BasicValueObj>(value);
  ASSERT_NE(basic, nullptr);
  basic->ApplySetup();
  basic->RaiseRefresh();
  sink->supply = 42;
  double initial = 7;
  bool processed = false;
  basic->RaiseInitializeCache(initial, processed);
  EXPECT_EQ(j.lines, (Lines{"UpdateView 00000000", "Refresh register", "InitializeCache 7"}));
  // Written back through both hops, so the value object sees what the listener supplied.
  EXPECT_EQ(initial, 42.0);
  EXPECT_TRUE(processed);
}

TEST_F(ConfigEvents, SubscriptionMovesWithTheRegister) {
  auto other = BasicValueObj::create();
  config->SetRegister(other);
  value->Number()->SetValue(5);  // the recorder keeps reporting this, the first object
  EXPECT_TRUE(j.lines.empty());
  other->Number()->SetValue(0x200);
  EXPECT_EQ(j.lines, (Lines{"Change 00000005", "MotorTypeChanged 00000005"}));

  j.Clear();
  config->SetRegister(nullptr);
  other->Number()->SetValue(0);
  other->RaiseRefresh();
  EXPECT_TRUE(j.lines.empty());
}

TEST_F(ConfigEvents, DestroyedDecoderNeitherListensNorIsKeptAlive) {
  std::weak_ptr<ConfigRegObj> weak = config;
  config.reset();
  EXPECT_TRUE(weak.expired());
  value->Number()->SetValue(0x3FF);
  EXPECT_TRUE(j.lines.empty());
  EXPECT_EQ(value->Number()->Value(), 1023.0);  // nothing written on the way out
}

}  // namespace
}  // namespace zentnet::config_test

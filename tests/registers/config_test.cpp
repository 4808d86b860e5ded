// The configuration register: field reads and writes under the drive's capability mask,
// change events, and display texts.

#include <climits>

#include "support.h"
#include "zentnet/values/factory.h"

namespace zentnet::test {
namespace {

struct Config : ::testing::Test {
  std::shared_ptr<ConfigRegObj> config = ConfigRegObj::create();
  std::shared_ptr<BasicValueObj> value =
      std::dynamic_pointer_cast<BasicValueObj>(config->Register());
  std::shared_ptr<Recorder> rec = std::make_shared<Recorder>();

  void SetUp() override {
    rec->watch = value;
    config->Advise(rec);
  }
  // Loads the register as the drive library would, then forgets the events it caused.
  void Load(uint32_t bits) {
    StoreBits(value, bits);
    rec->lines.clear();
  }
  uint32_t Bits() const { return BitsOf(value); }
  void Capability(uint32_t mask) { config->SetCapabilityMask(static_cast<ConfigRegMasks>(mask)); }
};

// --- Construction -------------------------------------------------------------------------

TEST_F(Config, FreshObjectHasItsPlainState) {
  EXPECT_EQ(config->CapabilityMask(), -1);
  EXPECT_EQ(config->VelocityEstimatorMax(), 0);
  EXPECT_EQ(config->VelocityEstimatorMin(), 0);
}

TEST(ConfigConstruction, TheDefaultKeepsTheOtherBitsOfTheRegisterAsLoaded) {
  SetValueObjFactory([] {
    auto v = BasicValueObj::create();
    StoreBits(v, 0x8000F0F1);
    return v;
  });
  const auto config = ConfigRegObj::create();
  SetValueObjFactory(nullptr);
  EXPECT_EQ(BitsOf(config->Register()), 0x8000F0F1u);
  EXPECT_EQ(config->Register()->Number()->DefaultValue(), static_cast<int32_t>(0x8000F3F1u));
}

// --- Single-bit fields --------------------------------------------------------------------

struct SwitchCase {
  const char* name;
  bool (ConfigRegObj::*get)() const;
  void (ConfigRegObj::*set)(bool);
  std::string (ConfigRegObj::*text)() const;
  uint32_t bit;
  bool readsZeroWithout;  // reads false while the bit is missing from CapabilityMask
  bool ignoredWithout;    // a write is dropped while the bit is missing
};

using C = ConfigRegObj;
constexpr SwitchCase kSwitches[] = {
    {"HallInverter", &C::HallInverter, &C::SetHallInverter, &C::HallInverterStr, 1u << 2, false,
     false},
    {"AnalogInFilter", &C::AnalogInFilter, &C::SetAnalogInFilter, &C::AnalogInFilterStr, 1u << 7,
     true, true},
    {"HallLessStart", &C::HallLessStart, &C::SetHallLessStart, &C::HallLessStartStr, 1u << 12,
     false, false},
    {"VectorLock", &C::VectorLock, &C::SetVectorLock, &C::VectorLockStr, 1u << 13, false, false},
    {"StepInFilter", &C::StepInFilter, &C::SetStepInFilter, &C::StepInFilterStr, 1u << 14, false,
     false},
    {"EncoderInFilter", &C::EncoderInFilter, &C::SetEncoderInFilter, &C::EncoderInFilterStr,
     1u << 15, false, false},
    {"MoveDoneFoldback", &C::MoveDoneFoldback, &C::SetMoveDoneFoldback, &C::MoveDoneFoldbackStr,
     1u << 16, false, true},
    {"HardStopFoldback", &C::HardStopFoldback, &C::SetHardStopFoldback, &C::HardStopFoldbackStr,
     1u << 17, false, true},
    {"BadSequenceEnable", &C::BadSequenceEnable, &C::SetBadSequenceEnable, &C::BadSequenceEnableStr,
     1u << 20, false, false},
    {"LogicPowerBackup", &C::LogicPowerBackup, &C::SetLogicPowerBackup, &C::LogicPowerBackupStr,
     1u << 21, true, true},
    {"EncoderBalanced", &C::EncoderBalanced, &C::SetEncoderBalanced, nullptr, 1u << 27, false,
     false},
    {"HallCheck", &C::HallCheck, &C::SetHallCheck, &C::HallCheckStr, 1u << 28, false, false},
};

TEST_F(Config, SwitchesReadAndWriteOnlyTheirOwnBit) {
  for (const auto& c : kSwitches) {
    SCOPED_TRACE(c.name);
    Load(c.bit);
    EXPECT_TRUE((*config.*c.get)());
    Load(~c.bit);
    EXPECT_FALSE((*config.*c.get)());
    (*config.*c.set)(true);
    EXPECT_EQ(Bits(), 0xFFFFFFFFu);
    (*config.*c.set)(false);
    EXPECT_EQ(Bits(), ~c.bit);
  }
}

TEST_F(Config, SwitchesWithoutTheirCapabilityBit) {
  for (const auto& c : kSwitches) {
    SCOPED_TRACE(c.name);
    Capability(~c.bit);
    Load(c.bit);
    EXPECT_EQ((*config.*c.get)(), !c.readsZeroWithout);
    (*config.*c.set)(false);
    EXPECT_EQ(Bits(), c.ignoredWithout ? c.bit : 0u);
    EXPECT_EQ(rec->lines.empty(), c.ignoredWithout);  // an ignored write raises nothing
    Capability(0xFFFFFFFF);
  }
}

TEST_F(Config, SwitchTextsAreOnOffOrNotAvailable) {
  for (const auto& c : kSwitches) {
    if (c.text == nullptr) continue;
    SCOPED_TRACE(c.name);
    Load(c.bit);
    EXPECT_EQ((*config.*c.text)(), "ON");
    Load(~c.bit);
    EXPECT_EQ((*config.*c.text)(), "OFF");
    Capability(c.bit);
    EXPECT_EQ((*config.*c.text)(), "OFF");
    Capability(~c.bit);
    EXPECT_EQ((*config.*c.text)(), "N/A");
    Capability(0xFFFFFFFF);
  }
  // The encoder input is one kind or the other on every drive.
  Capability(0);
  Load(1u << 27);
  EXPECT_EQ(config->EncoderBalancedStr(), "Balanced");
  Load(0);
  EXPECT_EQ(config->EncoderBalancedStr(), "Single-Ended");
}

// --- Multi-bit fields ---------------------------------------------------------------------

struct FieldCase {
  const char* name;
  int32_t (*get)(const ConfigRegObj&);
  int shift;
  int32_t max;
};

const FieldCase kMultiBit[] = {
    {"SyncPulse", [](const C& o) -> int32_t { return o.SyncPulse(); }, 0, 3},
    {"HighLevelFeedback", [](const C& o) -> int32_t { return o.HighLevelFeedback(); }, 4, 7},
    {"MotorStyle", [](const C& o) -> int32_t { return o.MotorStyle(); }, 8, 3},
    {"Steadix", [](const C& o) -> int32_t { return o.Steadix(); }, 10, 3},
    {"ModeLineFoldback", [](const C& o) -> int32_t { return o.ModeLineFoldback(); }, 18, 3},
    {"FilterClock", [](const C& o) -> int32_t { return o.FilterClock(); }, 22, 3},
    {"InputMode", [](const C& o) -> int32_t { return o.InputMode(); }, 24, 7},
    {"VelocityEstimator", [](const C& o) -> int32_t { return o.VelocityEstimator(); }, 29, 7},
};

// Bit 31 is a plain bit: in a negative register no field takes anything from the bits
// below it, and the estimator, which holds bit 31, reads 4 to 7 rather than a negative.
TEST_F(Config, MultiBitFieldsReadTheirOwnBitsWhateverTheSign) {
  for (const auto& c : kMultiBit) {
    SCOPED_TRACE(c.name);
    for (int32_t v = 0; v <= c.max; ++v) {
      const uint32_t field = static_cast<uint32_t>(v) << c.shift;
      Load(field);
      EXPECT_EQ(c.get(*config), v);
      Load(field | ~(static_cast<uint32_t>(c.max) << c.shift));
      EXPECT_EQ(c.get(*config), v);
    }
  }
  Load(0x80000000);
  for (const auto name : config->PropertyNames()) {
    const std::string n(name);
    if (n.ends_with("Str") || n == "CapabilityMask" || n.starts_with("VelocityEstimatorM"))
      continue;
    EXPECT_EQ(config->GetProperty(n).ToLong(), n == "VelocityEstimator" ? 4 : 0) << n;
  }
  Load(0x800002FF);
  EXPECT_TRUE(config->LinearMotor());
}

TEST_F(Config, SyncPulseIsMaskedByCapabilityBitByBit) {
  Capability(CONFIG_MASK_SYNC_PULSE_P);
  Load(3);
  EXPECT_EQ(config->SyncPulse(), SYNC_PULSE_PLUS);
  Load(0);
  config->SetSyncPulse(SYNC_PULSE_EITHER);
  EXPECT_EQ(Bits(), 1u);
  Capability(CONFIG_MASK_SYNC_PULSE_N);
  Load(0xFFFFFFFF);
  EXPECT_EQ(config->SyncPulse(), SYNC_PULSE_NEG);
  config->SetSyncPulse(SYNC_PULSE_PLUS);  // the only polarity given is missing: both clear
  EXPECT_EQ(Bits(), 0xFFFFFFFCu);
  Capability(0xFFFFFFFF);
  config->SetSyncPulse(static_cast<SyncPulses>(4));  // bit 2 is not the sync pulse's
  EXPECT_EQ(Bits(), 0xFFFFFFFCu);
}

TEST_F(Config, ModeLineFoldbackReadIsMaskedWriteIsNot) {
  Load(0xC0000);
  Capability(1);
  EXPECT_EQ(config->ModeLineFoldback(), MODE_LINE_FOLDBACK_OFF);
  Capability(CONFIG_MASK_MODE_N_FB);
  EXPECT_EQ(config->ModeLineFoldback(), MODE_LINE_FOLDBACK_NEG);
  Capability(0);
  config->SetModeLineFoldback(MODE_LINE_FOLDBACK_POS);
  EXPECT_EQ(Bits(), 0x40000u);
}

TEST_F(Config, SteadixReadIsGatedWriteIsNot) {
  Load(0x800);
  EXPECT_EQ(config->Steadix(), STEADIX_ENH);
  Capability(~0xC00u);
  EXPECT_EQ(config->Steadix(), STEADIX_OFF);
  config->SetSteadix(STEADIX_STD);
  EXPECT_EQ(Bits(), 0x400u);
  Capability(CONFIG_MASK_STEADIX1);
  EXPECT_EQ(config->Steadix(), STEADIX_STD);
}

// Writes keep every bit outside the field and cut the value to the field's width.
TEST_F(Config, FieldWritesReplaceOnlyTheirBits) {
  const struct {
    const char* what;
    void (*write)(ConfigRegObj&);
    uint32_t after;  // from a register with every bit set
  } cases[] = {
      {"LimitMode 1", [](C& o) { o.SetLimitMode(LIM_MODE_POSITION); }, 0xFFFFFFFF},
      {"LimitMode 2", [](C& o) { o.SetLimitMode(static_cast<LimitModes>(2)); }, 0xFFFFFFF7},
      {"LimitMode -1", [](C& o) { o.SetLimitMode(static_cast<LimitModes>(-1)); }, 0xFFFFFFF7},
      {"MotorStyle 6", [](C& o) { o.SetMotorStyle(static_cast<MotorStyles>(6)); }, 0xFFFFFEFF},
      {"InputMode 2", [](C& o) { o.SetInputMode(IN_MODE_STEP_POSITION); }, 0xFAFFFFFF},
      {"InputMode 9", [](C& o) { o.SetInputMode(static_cast<InputModes>(9)); }, 0xF9FFFFFF},
      {"ModeLineFoldback 1", [](C& o) { o.SetModeLineFoldback(MODE_LINE_FOLDBACK_POS); },
       0xFFF7FFFF},
      {"Steadix -1", [](C& o) { o.SetSteadix(STEADIX_ME); }, 0xFFFFFFFF},
      {"HighLevelFeedback 9",
       [](C& o) { o.SetHighLevelFeedback(static_cast<HighLevelFeedbacks>(9)); }, 0xFFFFFF9F},
  };
  for (const auto& c : cases) {
    Load(0xFFFFFFFF);
    c.write(*config);
    EXPECT_EQ(Bits(), c.after) << c.what;
  }
}

TEST_F(Config, MotorStyleAndItsDerivedSwitches) {
  const struct {
    uint32_t bits;
    bool brush, linear;
    const char *style, *brushText;
  } cases[] = {{0x000, false, false, "Rotary Brushless", "OFF"},
               {0x100, true, false, "Rotary Brush", "ON"},
               {0x200, false, true, "Linear Brushless", "OFF"},
               {0x300, false, false, "Unknown", "OFF"}};
  for (const auto& c : cases) {
    Load(c.bits);
    EXPECT_EQ(config->BrushMode(), c.brush) << c.bits;
    EXPECT_EQ(config->LinearMotor(), c.linear) << c.bits;
    EXPECT_EQ(config->MotorStyleStr(), c.style) << c.bits;
    EXPECT_EQ(config->BrushModeStr(), c.brushText) << c.bits;
    Load(0);
    EXPECT_EQ(config->MotorStyleStr(static_cast<MotorStyles>(c.bits >> 8)), c.style);
  }
  Capability(CONFIG_MASK_LINEAR_MOTOR);
  Load(0x100);
  EXPECT_EQ(config->BrushModeStr(), "N/A");
  EXPECT_EQ(config->MotorStyleStr(), "Rotary Brush");  // never "N/A"
}

TEST_F(Config, TorqueModeOnlyForAnalogTorque) {
  for (int32_t mode = 0; mode <= 7; ++mode) {
    Load(static_cast<uint32_t>(mode) << 24);
    EXPECT_EQ(config->TorqueMode(), mode == IN_MODE_ANALOG_TORQUE) << mode;
  }
}

TEST_F(Config, FilterClockKeepsTheLowTwoBitsWithinRange) {
  const struct {
    int32_t written, stored;
  } cases[] = {{0, 0}, {2, 2}, {5, 1}, {511, 3}, {-1, 3}, {-2, 2}, {-512, 0}, {-511, 1}};
  for (const auto& c : cases) {
    Load(0x7F3FFFFF);
    config->SetFilterClock(static_cast<FilterClks>(c.written));
    EXPECT_EQ(config->FilterClock(), c.stored) << c.written;
    EXPECT_EQ(Bits() & 0xFF3FFFFFu, 0x7F3FFFFFu) << c.written;
  }
  for (const int32_t v : {512, -513, INT_MAX, INT_MIN}) {
    Load(0x00400000);
    ExpectOverflow([&] { config->SetFilterClock(static_cast<FilterClks>(v)); });
    EXPECT_EQ(Bits(), 0x00400000u) << v;
    EXPECT_TRUE(rec->lines.empty()) << v;
  }
}

TEST_F(Config, StepEncInputFilterPacksThreeFields) {
  const struct {
    int32_t written;
    bool enc, step;
    int32_t clock;
  } cases[] = {{13, true, true, 1}, {2, false, false, 2}, {14, true, true, 2},
               {8, true, false, 0}, {7, false, true, 3},  {0x7FFFFFF5, false, true, 1}};
  for (const auto& c : cases) {
    Load(0x20000001);
    config->SetStepEncInputFilter(static_cast<StepEncFilters>(c.written));
    EXPECT_EQ(config->EncoderInFilter(), c.enc) << c.written;
    EXPECT_EQ(config->StepInFilter(), c.step) << c.written;
    EXPECT_EQ(config->FilterClock(), c.clock) << c.written;
    EXPECT_EQ(config->StepEncInputFilter(), c.written & 15) << c.written;
    EXPECT_EQ(Bits() & ~0x00C0C000u, 0x20000001u) << c.written;
  }
}

TEST_F(Config, HighLevelFeedbackWrites) {
  Load(0x30);
  config->SetHighLevelFeedback(HIGH_LEVEL_FB_NONE);
  config->SetHighLevelFeedback(static_cast<HighLevelFeedbacks>(-4));
  EXPECT_EQ(Bits(), 0x30u);  // 0 and below are not written
  config->SetHighLevelFeedback(HIGH_LEVEL_FB_ASG_MOVE_DONE);
  EXPECT_EQ(Bits(), 0x40u);

  Capability(~0x70u);
  Load(0x50);
  EXPECT_EQ(config->HighLevelFeedback(), HIGH_LEVEL_FB_NONE);
  config->SetHighLevelFeedback(HIGH_LEVEL_FB_MOVE_DONE);
  EXPECT_EQ(Bits(), 0x50u);
  EXPECT_TRUE(rec->lines.empty());
  Capability(CONFIG_MASK_HIGH_LEVEL_FB2);  // any one of the three bits makes it available
  EXPECT_EQ(config->HighLevelFeedback(), 5);
}

TEST_F(Config, VelocityEstimatorIsClampedThenComposed) {
  const struct {
    int32_t min, max, written;
    uint32_t before, after;
  } cases[] = {
      {0, 7, 4, 0, 0x80000000},
      {0, 7, 7, 0, 0xE0000000},
      {0, 7, 9, 0, 0xE0000000},           // above the maximum: the maximum
      {0, 7, 3, 0xFFFFFFFF, 0x7FFFFFFF},  // bits 0-28 kept
      {0, 0, 5, 0xFFFFFFFF, 0x1FFFFFFF},  // initial bounds: every write stores 0
      {2, 6, 1, 0, 0x40000000},           // below the minimum: the minimum
      {5, 2, 3, 0, 0x40000000},           // crossed bounds: the maximum is tested first
      {5, 2, 1, 0, 0xA0000000},
      {-1, 7, -1, 0x00000123, 0xE0000123},  // -1 is estimator 7
      {-4, 11, 9, 0x00000001, 0x20000001},  // 8 to 11 wrap to 0 to 3
      {-4, 11, -4, 0x1FFFFFFF, 0x9FFFFFFF},
  };
  for (const auto& c : cases) {
    config->SetVelocityEstimatorMin(c.min);
    config->SetVelocityEstimatorMax(c.max);
    Load(c.before);
    config->SetVelocityEstimator(static_cast<VelocityEstimators>(c.written));
    EXPECT_EQ(Bits(), c.after) << c.written;
  }
  config->SetVelocityEstimatorMax(7);
  Load(0);
  config->SetVelocityEstimator(VEL_EST_MODE7);
  EXPECT_EQ(value->Number()->Value(), -536870912.0);  // the signed number
}

TEST_F(Config, AnotherRegisterIsUsedAtOnceAndNoneFailsOnlyWhenReached) {
  auto other = BasicValueObj::create();
  other->Number()->SetValue(0x200);
  config->SetRegister(other);
  EXPECT_TRUE(config->LinearMotor());
  config->SetInputMode(IN_MODE_INTERNAL);
  EXPECT_EQ(BitsOf(other), 0x04000200u);
  EXPECT_EQ(Bits(), 0u);

  config->SetRegister(nullptr);
  ExpectMissingObject([&] { config->SetInputMode(IN_MODE_INTERNAL); });
  ExpectMissingObject([&] { config->SetSteadix(STEADIX_STD); });
  ExpectMissingObject([&] { config->SetVelocityEstimator(VEL_EST_MODE7); });
  ExpectMissingObject([&] { (void)config->LimitModeLookup(LIM_MODE_POSITION); });  // marked
  EXPECT_EQ(config->InputModeStr(0), "???");  // marked texts read the motor's kind
  // Named values of unmarked texts need no register, nor does a field the drive lacks.
  EXPECT_EQ(config->SyncPulseStr(3), "Pos./Neg.");
  EXPECT_EQ(config->SteadixStr(STEADIX_STD), "Standard");
  EXPECT_EQ(config->FilterClockStrArb(FILT_HIGH_FREQ), "Mode: 1");
  Capability(0);
  EXPECT_FALSE(config->AnalogInFilter());
  EXPECT_NO_THROW(config->SetHighLevelFeedback(HIGH_LEVEL_FB_MOVE_DONE));
  EXPECT_EQ(config->HighLevelFeedbackStr(), "N/A");
  EXPECT_EQ(config->AnalogInFilterStr(), "N/A");
}

// --- Events -------------------------------------------------------------------------------

TEST_F(Config, ChangeDetectionNamesTheFieldsThatChanged) {
  const struct {
    uint32_t from, to;
    Lines expected;
  } cases[] = {
      {0x000,
       0x220,
       {"Change 00000220", "MotorTypeChanged 00000220", "HighLevelFeedbackChanged 00000220"}},
      {0x001, 0x000, {"Change 00000000"}},
      {0x100, 0x000, {"Change 00000000", "MotorTypeChanged 00000000"}},
      {0x040, 0x000, {"Change 00000000", "HighLevelFeedbackChanged 00000000"}},
      {0x000, 0xFFFFFC8F, {"Change FFFFFC8F"}},  // every bit but 4-6 and 8-9
  };
  for (const auto& c : cases) {
    Load(c.from);
    StoreBits(value, c.to);
    EXPECT_EQ(rec->lines, c.expected) << c.to;
  }
  // Both numbers are converted before anything is raised.
  Load(0);
  ExpectOverflow([&] { value->Number()->SetValue(2147483648.0); });
  EXPECT_TRUE(rec->lines.empty());
}

// A value object may announce another object than the one the decoder holds; the decoder
// compares the announced object's numbers. A first subscriber swaps the by-reference
// argument before the decoder's own subscription hears it.
TEST_F(Config, ChangeDetectionReadsTheAnnouncedObjectNotRegister) {
  struct Swapper : ValueObjEvents {
    std::shared_ptr<ValueObj> announced = BasicValueObj::create();
    void ValueChanged(std::shared_ptr<ValueObj>& newVal) override { newVal = announced; }
  };
  auto held = BasicValueObj::create();
  auto swapper = std::make_shared<Swapper>();
  held->Advise(swapper);
  config->SetRegister(held);
  rec->watch = held;
  StoreBits(swapper->announced, 0x100);  // announced: motor bit 8 changed
  StoreBits(held, 0x001);                // held: only bit 0 changed
  EXPECT_EQ(rec->lines, (Lines{"Change 00000001", "MotorTypeChanged 00000001"}));
}

TEST_F(Config, MembersThatWriteMoreThanOnce) {
  Load(0xF0000400);
  config->SetSteadix(STEADIX_ENH);  // through "off"
  EXPECT_EQ(rec->lines, (Lines{"Change F0000000", "Change F0000800"}));
  Load(0x00000001);
  config->SetSteadix(STEADIX_STD);  // from off the first write stores the same number
  EXPECT_EQ(rec->lines, (Lines{"Change 00000401"}));

  Load(0);
  config->SetStepEncInputFilter(STEP_ENC_FILT_BOTH1);
  EXPECT_EQ(rec->lines, (Lines{"Change 00008000", "Change 0000C000", "Change 0040C000"}));

  Load(0x10);  // the write's own event follows the one change detection raised
  config->SetHighLevelFeedback(HIGH_LEVEL_FB_MOVE_DONE);
  EXPECT_EQ(rec->lines, (Lines{"Change 00000020", "HighLevelFeedbackChanged 00000020",
                               "HighLevelFeedbackChanged 00000020"}));
  rec->lines.clear();
  config->SetHighLevelFeedback(HIGH_LEVEL_FB_MOVE_DONE);  // no change, no event
  EXPECT_TRUE(rec->lines.empty());
}

// A listener acting inside the first write's Change: Steadix ORs its mode into a fresh
// read, and HighLevelFeedback compares field values before and after the whole write.
TEST_F(Config, ListenersActingBetweenWrites) {
  Load(0x800);
  rec->then = [&](const std::string& line) {
    if (line == "Change 00000000") config->SetMotorStyle(MOTOR_BRUSHLESS_LINEAR);
  };
  config->SetSteadix(STEADIX_STD);
  EXPECT_EQ(Bits(), 0x600u);
  EXPECT_EQ(rec->lines, (Lines{"Change 00000000", "Change 00000200", "MotorTypeChanged 00000200",
                               "Change 00000600"}));

  Load(0x10);
  rec->then = [&](const std::string& line) {
    if (line == "Change 00000030") StoreBits(value, 0x10);
  };
  config->SetHighLevelFeedback(HIGH_LEVEL_FB_ASG_IN_RANGE);
  EXPECT_EQ(Bits(), 0x10u);
  EXPECT_EQ(rec->lines,
            (Lines{"Change 00000030", "Change 00000010", "HighLevelFeedbackChanged 00000010",
                   "HighLevelFeedbackChanged 00000010"}));

  Load(0);  // a failing write stops the members that write more than once
  rec->then = [](const std::string&) { throw AutomationError(6, err::kRuntimeSource, "Overflow"); };
  ExpectOverflow([&] { config->SetStepEncInputFilter(STEP_ENC_FILT_BOTH3); });
  EXPECT_EQ(Bits(), 0x8000u);
}

// --- Display texts ------------------------------------------------------------------------

constexpr uint32_t kLinear = 0x200;

TEST_F(Config, MarkedTextsNameTorqueOrForceByTheMotor) {
  const struct {
    uint32_t motor;
    const char* word;
  } motors[] = {{0x000, "Torque"}, {0x100, "Torque"}, {0x200, "Force"}, {0x300, "Torque"}};
  const char* plain[] = {"Analog Velocity", nullptr,         "Step+Direction Position",
                         nullptr,           "Internal",      "Unknown Mode 5",
                         "Unknown Mode 6",  "Unknown Mode 7"};
  for (const auto& m : motors) {
    for (uint32_t mode = 0; mode < 8; ++mode) {
      Load(m.motor | (mode << 24));
      const std::string expected =
          plain[mode] ? plain[mode]
                      : std::string(mode == 1 ? "Analog " : "Step+Direction ") + m.word;
      EXPECT_EQ(config->InputModeStr(), expected) << m.motor << "/" << mode;
    }
    Load(m.motor);
    EXPECT_EQ(config->LimitModeStr(), m.word);
    EXPECT_EQ(config->LimitSwitchModeStr(), m.word);
    EXPECT_EQ(config->LimitModeLookup(LIM_MODE_TORQUE), m.word);
    EXPECT_EQ(config->LimitModeLookup(LIM_MODE_POSITION), "Position");
    EXPECT_EQ(config->ModeLineFoldbackStr(3), std::string("On for: Pos. + Neg. ") + m.word);
    Load(m.motor | 0x8 | 0x40000);
    EXPECT_EQ(config->LimitModeStr(), "Position");
    EXPECT_EQ(config->ModeLineFoldbackStr(), std::string("On for: Positive ") + m.word);
  }
}

TEST_F(Config, TextsOfFieldsTheDriveLacks) {
  Load(0x8 | 0xC0000 | 0x400 | 0x40);
  Capability(~(0x8u | 0xC0000u | 0xC00u | 0x70u));
  EXPECT_EQ(config->LimitModeStr(), "N/A");
  EXPECT_EQ(config->ModeLineFoldbackStr(), "N/A");
  EXPECT_EQ(config->SteadixStr(), "N/A");
  EXPECT_EQ(config->HighLevelFeedbackStr(), "N/A");
  // A named value skips the test; so does LimitSwitchModeStr, which has none.
  EXPECT_EQ(config->LimitSwitchModeStr(), "Position");
  EXPECT_EQ(config->ModeLineFoldbackStr(1), "On for: Positive Torque");
  EXPECT_EQ(config->SteadixStr(STEADIX_ENH), "Enhanced");
  EXPECT_EQ(config->HighLevelFeedbackStr(2), "Move Done");
  Capability(CONFIG_MASK_MODE_N_FB | CONFIG_MASK_HIGH_LEVEL_FB0 | CONFIG_MASK_STEADIX1);
  EXPECT_EQ(config->ModeLineFoldbackStr(), "On for: Negative Torque");  // masked read
  EXPECT_EQ(config->HighLevelFeedbackStr(), "~ASG- Move Done");
  EXPECT_EQ(config->SteadixStr(), "Standard");
  Load(0);
  EXPECT_EQ(config->HighLevelFeedbackStr(), "N/A");  // the text of value 0
}

TEST_F(Config, SyncPulseAndFilterClockTexts) {
  const char* texts[] = {"None", "Positive", "Negative", "Pos./Neg."};
  for (uint32_t v = 0; v < 4; ++v) {
    Load(v | (v << 22));
    EXPECT_EQ(config->SyncPulseStr(), texts[v]);
    EXPECT_EQ(config->FilterClockStr(), "Mode: " + std::to_string(v));
  }
  Capability(CONFIG_MASK_SYNC_PULSE_N);
  EXPECT_EQ(config->SyncPulseStr(), "Negative");
  Capability(0);
  EXPECT_EQ(config->SyncPulseStr(), "None");  // never "N/A"
  EXPECT_EQ(config->FilterClockStrArb(static_cast<FilterClks>(-1)), "Mode: -1");
  EXPECT_EQ(config->FilterClockStrArb(static_cast<FilterClks>(INT_MIN)), "Mode: -2147483648");
}

TEST_F(Config, SpecModeIsAddedAsANumberAndRounded) {
  Load(kLinear);
  const struct {
    Variant spec;
    const char* text;
  } cases[] = {
      {2, "Step+Direction Position"},
      {" 4 ", "Internal"},
      {1.5, "Step+Direction Position"},  // 4101.5 rounds to the even 4102
      {2.5, "Step+Direction Position"},  // 4102.5 rounds to the even 4102
      {0.4, "Analog Velocity"},
      {"3", "Step+Direction Force"},
      {Variant::Empty(), "Analog Velocity"},  // present, though empty: 0
  };
  for (const auto& c : cases) EXPECT_EQ(config->InputModeStr(c.spec), c.text) << c.spec.ToString();
}

// The specMode members answer "???" on any failure; the others let it through.
TEST_F(Config, FailuresOfDisplayMembers) {
  Load(0);
  EXPECT_EQ(config->SyncPulseStr(4), "???");           // no text
  EXPECT_EQ(config->InputModeStr("x"), "???");         // no number
  EXPECT_EQ(config->InputModeStr(true), "???");        // -1: 4099 has no text
  EXPECT_EQ(config->HighLevelFeedbackStr(8), "???");   // past the group
  EXPECT_EQ(config->ModeLineFoldbackStr(3e9), "???");  // the sum overflows
  EXPECT_EQ(config->LimitSwitchModeStr(2), "???");
  EXPECT_EQ(config->LimitSwitchModeStr(Variant(std::shared_ptr<Object>())), "???");
  ExpectNoText(4174, [&] { (void)config->SteadixStr(static_cast<SteadixModes>(4)); });
  ExpectNoText(4504, [&] { (void)config->MotorStyleStr(static_cast<MotorStyles>(4)); });
  ExpectNoText(4152, [&] { (void)config->LimitModeLookup(static_cast<LimitModes>(2)); });
  ExpectOverflow([&] { (void)config->MotorStyleStr(static_cast<MotorStyles>(INT_MAX)); });
  ExpectOverflow([&] { (void)config->LimitModeLookup(static_cast<LimitModes>(INT_MAX)); });
}

TEST_F(Config, LateBoundReads) {
  Load(0x01000208);
  EXPECT_EQ(config->GetProperty("InputModeStr"), Variant("Analog Force"));
  EXPECT_EQ(config->GetProperty("linearmotor"), Variant(true));
  EXPECT_EQ(config->GetProperty("MotorStyle"), Variant(int32_t{2}));
  // The value object is readable by name but not printed; members with arguments are not
  // late-bound properties.
  EXPECT_EQ(config->GetProperty("Register").ToObject(), value);
  ExpectError(err::kNoSuchMember, "Object doesn't support this property or method",
              [&] { (void)config->GetProperty("FilterClockStrArb"); });
}

}  // namespace
}  // namespace zentnet::test

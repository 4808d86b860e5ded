// Field reads and writes of the configuration register, with and without the drive's
// capability bits.

#include <climits>

#include "config_support.h"
#include "zentnet/factory.h"

namespace zentnet::config_test {
namespace {

using ConfigFields = ConfigFixture;

// --- Construction -------------------------------------------------------------------------

TEST_F(ConfigFields, FreshObjectSetsUpItsValueObject) {
  EXPECT_EQ(config->CapabilityMask(), -1);
  EXPECT_EQ(config->VelocityEstimatorMax(), 0);
  EXPECT_EQ(config->VelocityEstimatorMin(), 0);

  const auto basic = std::dynamic_pointer_cast<BasicValueObj>(value);
  ASSERT_NE(basic, nullptr);
  EXPECT_EQ(basic->Name(), "Configuration Register");
  EXPECT_EQ(basic->SetupA(), 0);
  EXPECT_EQ(basic->SetupB(), 26);
  EXPECT_EQ(basic->ParamNum(), 15);
  EXPECT_EQ(basic->SetupC(), 1);
  EXPECT_EQ(basic->SetupD(), 0);
  const auto number = basic->Number();
  EXPECT_EQ(number->LowerBoundA(), -2147483648.0);
  EXPECT_EQ(number->UpperBoundA(), 2147483647.0);
  EXPECT_EQ(number->SetupH(), -1);
  // The unknown motor style goes into the default, not into the register.
  EXPECT_EQ(number->DefaultValue(), 768.0);
  EXPECT_EQ(number->Value(), 0.0);
  EXPECT_EQ(config->MotorStyle(), MOTOR_BRUSHLESS_ROTARY);
}

TEST(ConfigFactory, CreatesASetUpDecoderByName) {
  const auto object = CreateObject("configregobj");
  const auto config = std::dynamic_pointer_cast<ConfigRegObj>(object);
  ASSERT_NE(config, nullptr);
  EXPECT_EQ(config->Register()->ParamNum(), 15);
}

TEST_F(ConfigFields, PlainStateHasNoSideEffect) {
  Load(0x12345678);
  config->SetVelocityEstimatorMax(7);
  config->SetVelocityEstimatorMin(-3);
  Capability(0);
  EXPECT_EQ(config->VelocityEstimatorMax(), 7);
  EXPECT_EQ(config->VelocityEstimatorMin(), -3);
  EXPECT_EQ(config->CapabilityMask(), 0);
  EXPECT_EQ(Bits(), 0x12345678u);
  EXPECT_TRUE(j.lines.empty());
}

// --- Single-bit fields --------------------------------------------------------------------

struct SwitchCase {
  const char* name;
  bool (ConfigRegObj::*get)() const;
  void (ConfigRegObj::*set)(bool);
  uint32_t bit;
  bool readsZeroWithout;   // reads false while the bit is missing from CapabilityMask
  bool ignoredWithout;     // a write is dropped while the bit is missing
};

constexpr SwitchCase kSwitches[] = {
    {"HallInverter", &ConfigRegObj::HallInverter, &ConfigRegObj::SetHallInverter, 1u << 2, false, false},
    {"AnalogInFilter", &ConfigRegObj::AnalogInFilter, &ConfigRegObj::SetAnalogInFilter, 1u << 7, true, true},
    {"HallLessStart", &ConfigRegObj::HallLessStart, &ConfigRegObj::SetHallLessStart, 1u << 12, false, false},
    {"VectorLock", &ConfigRegObj::VectorLock, &ConfigRegObj::SetVectorLock, 1u << 13, false, false},
    {"StepInFilter", &ConfigRegObj::StepInFilter, &ConfigRegObj::SetStepInFilter, 1u << 14, false, false},
    {"EncoderInFilter", &ConfigRegObj::EncoderInFilter, &ConfigRegObj::SetEncoderInFilter, 1u << 15, false, false},
    {"MoveDoneFoldback", &ConfigRegObj::MoveDoneFoldback, &ConfigRegObj::SetMoveDoneFoldback, 1u << 16, false, true},
    {"HardStopFoldback", &ConfigRegObj::HardStopFoldback, &ConfigRegObj::SetHardStopFoldback, 1u << 17, false, true},
    {"BadSequenceEnable", &ConfigRegObj::BadSequenceEnable, &ConfigRegObj::SetBadSequenceEnable, 1u << 20, false, false},
    {"LogicPowerBackup", &ConfigRegObj::LogicPowerBackup, &ConfigRegObj::SetLogicPowerBackup, 1u << 21, true, true},
    {"EncoderBalanced", &ConfigRegObj::EncoderBalanced, &ConfigRegObj::SetEncoderBalanced, 1u << 27, false, false},
    {"HallCheck", &ConfigRegObj::HallCheck, &ConfigRegObj::SetHallCheck, 1u << 28, false, false},
};

TEST_F(ConfigFields, SwitchReadsOnlyItsOwnBit) {
  for (const auto& c : kSwitches) {
    SCOPED_TRACE(c.name);
    Load(c.bit);
    EXPECT_TRUE((*config.*c.get)());
    Load(~c.bit);
    EXPECT_FALSE((*config.*c.get)());
    Load(0xFFFFFFFF);  // the sign of the register does not disturb single bits
    EXPECT_TRUE((*config.*c.get)());
  }
}

TEST_F(ConfigFields, SwitchWriteChangesOnlyItsOwnBit) {
  for (const auto& c : kSwitches) {
    SCOPED_TRACE(c.name);
    Load(0);
    (*config.*c.set)(true);
    EXPECT_EQ(Bits(), c.bit);
    Load(0xFFFFFFFF);
    (*config.*c.set)(false);
    EXPECT_EQ(Bits(), ~c.bit);
  }
}

TEST_F(ConfigFields, SwitchWithoutItsCapabilityBit) {
  for (const auto& c : kSwitches) {
    SCOPED_TRACE(c.name);
    Capability(~c.bit);
    Load(c.bit);
    EXPECT_EQ((*config.*c.get)(), !c.readsZeroWithout);
    (*config.*c.set)(false);
    EXPECT_EQ(Bits(), c.ignoredWithout ? c.bit : 0u);
    // An ignored write raises nothing either.
    EXPECT_EQ(j.lines.empty(), c.ignoredWithout);
    Capability(0xFFFFFFFF);
  }
}

TEST_F(ConfigFields, LogicPowerBackupFollowsItsCapabilityBitOnly) {
  Load(1u << 21);
  Capability(1u << 21);
  EXPECT_TRUE(config->LogicPowerBackup());
  Capability(0xFFFFFFFF & ~(1u << 21));
  EXPECT_FALSE(config->LogicPowerBackup());
}

// --- Multi-bit fields ---------------------------------------------------------------------

TEST_F(ConfigFields, SignBitAloneIsTheTopEstimatorBit) {
  Load(0x80000000);
  for (const auto name : config->PropertyNames()) {
    const std::string n(name);
    if (n.ends_with("Str") || n == "CapabilityMask" || n.starts_with("VelocityEstimatorM")) continue;
    SCOPED_TRACE(n);
    EXPECT_EQ(config->GetProperty(n).ToLong(), n == "VelocityEstimator" ? 4 : 0);
  }
}

struct FieldCase {
  const char* name;
  int32_t (*get)(const ConfigRegObj&);
  int shift;
  int32_t max;
};

const FieldCase kMultiBit[] = {
    {"SyncPulse", [](const ConfigRegObj& o) -> int32_t { return o.SyncPulse(); }, 0, 3},
    {"HighLevelFeedback", [](const ConfigRegObj& o) -> int32_t { return o.HighLevelFeedback(); }, 4, 7},
    {"MotorStyle", [](const ConfigRegObj& o) -> int32_t { return o.MotorStyle(); }, 8, 3},
    {"Steadix", [](const ConfigRegObj& o) -> int32_t { return o.Steadix(); }, 10, 3},
    {"ModeLineFoldback", [](const ConfigRegObj& o) -> int32_t { return o.ModeLineFoldback(); }, 18, 3},
    {"FilterClock", [](const ConfigRegObj& o) -> int32_t { return o.FilterClock(); }, 22, 3},
    {"InputMode", [](const ConfigRegObj& o) -> int32_t { return o.InputMode(); }, 24, 7},
    {"VelocityEstimator", [](const ConfigRegObj& o) -> int32_t { return o.VelocityEstimator(); }, 29, 7},
};

TEST_F(ConfigFields, MultiBitFieldsReadTheirBits) {
  for (const auto& c : kMultiBit) {
    SCOPED_TRACE(c.name);
    for (int32_t v = 0; v <= c.max; ++v) {
      const uint32_t field = static_cast<uint32_t>(v) << c.shift;
      const uint32_t around = ~(static_cast<uint32_t>(c.max) << c.shift) & 0x7FFFFFFFu;
      Load(field);
      EXPECT_EQ(c.get(*config), v);
      Load(field | around);
      EXPECT_EQ(c.get(*config), v);
    }
  }
}

// Bit 31 is a plain bit: a negative register does not carry into the fields below it.
TEST_F(ConfigFields, NegativeRegisterReadsEachFieldsOwnBits) {
  Load(0xFFFFFFFF);
  EXPECT_EQ(config->InputMode(), 7);
  EXPECT_EQ(config->MotorStyle(), 3);
  EXPECT_EQ(config->HighLevelFeedback(), 7);
  EXPECT_EQ(config->ModeLineFoldback(), 3);
  EXPECT_EQ(config->FilterClock(), 3);
  EXPECT_EQ(config->Steadix(), 3);
  EXPECT_EQ(config->SyncPulse(), 3);
  EXPECT_EQ(config->VelocityEstimator(), 7);
}

TEST_F(ConfigFields, SyncPulseIsMaskedByCapabilityBitByBit) {
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
  config->SetSyncPulse(static_cast<SyncPulses>(7));  // bit 2 is not the sync pulse's
  EXPECT_EQ(Bits(), 0xFFFFFFFFu);
}

TEST_F(ConfigFields, ModeLineFoldbackReadIsMaskedWriteIsNot) {
  Load(0xC0000);
  Capability(1);
  EXPECT_EQ(config->ModeLineFoldback(), MODE_LINE_FOLDBACK_OFF);
  Capability(CONFIG_MASK_MODE_N_FB);
  EXPECT_EQ(config->ModeLineFoldback(), MODE_LINE_FOLDBACK_NEG);
  Capability(0);
  config->SetModeLineFoldback(MODE_LINE_FOLDBACK_POS);
  EXPECT_EQ(Bits(), 0x40000u);
}

TEST_F(ConfigFields, LimitModeOnlyOneMeansPosition) {
  const struct {
    int32_t written;
    uint32_t bits;
  } cases[] = {{1, 0x8}, {0, 0}, {2, 0}, {-1, 0}, {9, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.written);
    Load(0x8);
    config->SetLimitMode(static_cast<LimitModes>(c.written));
    EXPECT_EQ(Bits(), c.bits);
    EXPECT_EQ(config->LimitMode(), c.bits ? LIM_MODE_POSITION : LIM_MODE_TORQUE);
  }
}

TEST_F(ConfigFields, MotorStyleAndItsDerivedSwitches) {
  const struct {
    MotorStyles style;
    bool brush, linear;
  } cases[] = {{MOTOR_BRUSHLESS_ROTARY, false, false},
               {MOTOR_BRUSH_ROTARY, true, false},
               {MOTOR_BRUSHLESS_LINEAR, false, true},
               {MOTOR_UNKNOWN, false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.style);
    Load(0xFFFFFCFF);
    config->SetMotorStyle(c.style);
    EXPECT_EQ(Bits(), 0xFFFFFCFFu | (static_cast<uint32_t>(c.style) << 8));
    Load(static_cast<uint32_t>(c.style) << 8);
    EXPECT_EQ(config->BrushMode(), c.brush);
    EXPECT_EQ(config->LinearMotor(), c.linear);
  }
  Load(0);
  config->SetMotorStyle(static_cast<MotorStyles>(6));  // any value: the low two bits
  EXPECT_EQ(config->MotorStyle(), MOTOR_BRUSHLESS_LINEAR);
  EXPECT_EQ(Bits(), 0x200u);
}

TEST_F(ConfigFields, TorqueModeOnlyForAnalogTorque) {
  for (int32_t mode = 0; mode <= 7; ++mode) {
    Load(static_cast<uint32_t>(mode) << 24);
    EXPECT_EQ(config->TorqueMode(), mode == IN_MODE_ANALOG_TORQUE) << mode;
  }
}

TEST_F(ConfigFields, InputModeWriteKeepsTheOtherBits) {
  Load(0xFFFFFFFF);
  config->SetInputMode(IN_MODE_STEP_POSITION);
  EXPECT_EQ(Bits(), 0xFAFFFFFFu);
  config->SetInputMode(static_cast<InputModes>(9));  // cut to the field
  EXPECT_EQ(Bits(), 0xF9FFFFFFu);
}

TEST_F(ConfigFields, SteadixReadIsGatedWriteIsNot) {
  Load(0x800);
  EXPECT_EQ(config->Steadix(), STEADIX_ENH);
  Capability(~0xC00u);
  EXPECT_EQ(config->Steadix(), STEADIX_OFF);
  config->SetSteadix(STEADIX_STD);
  EXPECT_EQ(Bits(), 0x400u);
  Capability(CONFIG_MASK_STEADIX1);
  EXPECT_EQ(config->Steadix(), STEADIX_STD);
}

// --- Filter clock and the combined step/encoder filter ----------------------------------

TEST_F(ConfigFields, FilterClockKeepsTheLowTwoBitsWithinRange) {
  const struct {
    int32_t written;
    int32_t stored;
  } cases[] = {{0, 0}, {2, 2}, {5, 1}, {511, 3}, {-1, 3}, {-2, 2}, {-512, 0}, {-511, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.written);
    Load(0x7F3FFFFF);
    config->SetFilterClock(static_cast<FilterClks>(c.written));
    EXPECT_EQ(config->FilterClock(), c.stored);
    EXPECT_EQ(Bits() & 0xFF3FFFFFu, 0x7F3FFFFFu);
  }
}

TEST_F(ConfigFields, FilterClockOutOfRangeOverflowsAndWritesNothing) {
  for (const int32_t v : {512, -513, INT_MAX, INT_MIN}) {
    SCOPED_TRACE(v);
    Load(0x00400000);
    ExpectRuntimeError(err::kOverflow, "Overflow",
                       [&] { config->SetFilterClock(static_cast<FilterClks>(v)); });
    EXPECT_EQ(Bits(), 0x00400000u);
    EXPECT_TRUE(j.lines.empty());
  }
}

TEST_F(ConfigFields, StepEncInputFilterPacksThreeFields) {
  const struct {
    int32_t written;
    bool enc, step;
    int32_t clock;
  } cases[] = {{13, true, true, 1}, {2, false, false, 2}, {14, true, true, 2},
               {8, true, false, 0}, {7, false, true, 3},  {0x7FFFFFF5, false, true, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.written);
    Load(0x20000001);
    config->SetStepEncInputFilter(static_cast<StepEncFilters>(c.written));
    EXPECT_EQ(config->EncoderInFilter(), c.enc);
    EXPECT_EQ(config->StepInFilter(), c.step);
    EXPECT_EQ(config->FilterClock(), c.clock);
    EXPECT_EQ(config->StepEncInputFilter(), c.written & 15);
    EXPECT_EQ(Bits() & ~0x00C0C000u, 0x20000001u);
  }
}

// --- High-level feedback ------------------------------------------------------------------

TEST_F(ConfigFields, HighLevelFeedbackZeroIsNotWritten) {
  Load(0x30);
  config->SetHighLevelFeedback(HIGH_LEVEL_FB_NONE);
  config->SetHighLevelFeedback(static_cast<HighLevelFeedbacks>(-4));
  EXPECT_EQ(Bits(), 0x30u);
  config->SetHighLevelFeedback(HIGH_LEVEL_FB_ASG_MOVE_DONE);
  EXPECT_EQ(Bits(), 0x40u);
}

TEST_F(ConfigFields, HighLevelFeedbackWithoutTheFieldReadsZeroAndIgnoresWrites) {
  Capability(~0x70u);
  Load(0x50);
  EXPECT_EQ(config->HighLevelFeedback(), HIGH_LEVEL_FB_NONE);
  config->SetHighLevelFeedback(HIGH_LEVEL_FB_MOVE_DONE);
  EXPECT_EQ(Bits(), 0x50u);
  EXPECT_TRUE(j.lines.empty());
  Capability(CONFIG_MASK_HIGH_LEVEL_FB2);  // any one of the three bits makes it available
  EXPECT_EQ(config->HighLevelFeedback(), 5);
}

// --- Velocity estimator -------------------------------------------------------------------

TEST_F(ConfigFields, VelocityEstimatorIsClampedThenComposed) {
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
    SCOPED_TRACE(c.written);
    config->SetVelocityEstimatorMin(c.min);
    config->SetVelocityEstimatorMax(c.max);
    Load(c.before);
    config->SetVelocityEstimator(static_cast<VelocityEstimators>(c.written));
    EXPECT_EQ(Bits(), c.after);
  }
}

TEST_F(ConfigFields, VelocityEstimatorStoresTheSignedNumber) {
  config->SetVelocityEstimatorMax(7);
  Load(0);
  config->SetVelocityEstimator(VEL_EST_MODE4);
  EXPECT_EQ(value->Number()->Value(), -2147483648.0);
  config->SetVelocityEstimator(VEL_EST_MODE7);
  EXPECT_EQ(value->Number()->Value(), -536870912.0);
}

// --- The value object ---------------------------------------------------------------------

TEST_F(ConfigFields, ReplacedRegisterIsUsedAsSuppliedAndAtOnce) {
  auto other = BasicValueObj::create();
  other->Number()->SetValue(0x200);
  config->SetRegister(other);
  EXPECT_EQ(config->Register(), other);
  EXPECT_TRUE(config->LinearMotor());
  EXPECT_EQ(other->Name(), "");  // no set-up for a supplied object
  EXPECT_EQ(other->Number()->DefaultValue(), 0.0);
  config->SetInputMode(IN_MODE_INTERNAL);
  EXPECT_EQ(other->Number()->Value(), static_cast<double>(0x04000200));
  EXPECT_EQ(value->Number()->Value(), 0.0);
}

TEST_F(ConfigFields, WithoutRegisterEveryFieldNeedsAnObject) {
  config->SetRegister(nullptr);
  EXPECT_EQ(config->Register(), nullptr);
  const std::string missing = "Object variable or With block variable not set";
  ExpectRuntimeError(err::kObjectRequired, missing, [&] { (void)config->HallInverter(); });
  ExpectRuntimeError(err::kObjectRequired, missing, [&] { config->SetInputMode(IN_MODE_INTERNAL); });
  ExpectRuntimeError(err::kObjectRequired, missing, [&] { (void)config->StepEncInputFilter(); });
  // Gated reads and writes do not reach the value object when the field is missing.
  Capability(0);
  EXPECT_FALSE(config->AnalogInFilter());
  EXPECT_NO_THROW(config->SetHighLevelFeedback(HIGH_LEVEL_FB_MOVE_DONE));
}

TEST_F(ConfigFields, NumberOutsideTheRegisterRangeOverflows) {
  // Change detection converts the number too; the value object has stored it already.
  ExpectRuntimeError(err::kOverflow, "Overflow", [&] { value->Number()->SetValue(2147483648.0); });
  EXPECT_TRUE(j.lines.empty());
  ExpectRuntimeError(err::kOverflow, "Overflow", [&] { (void)config->HallCheck(); });
  ExpectRuntimeError(err::kOverflow, "Overflow", [&] { config->SetVectorLock(true); });
  EXPECT_EQ(value->Number()->Value(), 2147483648.0);
}

}  // namespace
}  // namespace zentnet::config_test

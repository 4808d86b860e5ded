// Display texts of the configuration register.

#include <climits>

#include "config_support.h"

namespace zentnet::config_test {
namespace {

using ConfigDisplay = ConfigFixture;

constexpr uint32_t kLinear = 0x200;

struct SwitchTextCase {
  const char* name;
  std::string (ConfigRegObj::*text)() const;
  uint32_t bit;
};

constexpr SwitchTextCase kSwitchTexts[] = {
    {"AnalogInFilterStr", &ConfigRegObj::AnalogInFilterStr, 1u << 7},
    {"HallInverterStr", &ConfigRegObj::HallInverterStr, 1u << 2},
    {"HallLessStartStr", &ConfigRegObj::HallLessStartStr, 1u << 12},
    {"VectorLockStr", &ConfigRegObj::VectorLockStr, 1u << 13},
    {"StepInFilterStr", &ConfigRegObj::StepInFilterStr, 1u << 14},
    {"EncoderInFilterStr", &ConfigRegObj::EncoderInFilterStr, 1u << 15},
    {"MoveDoneFoldbackStr", &ConfigRegObj::MoveDoneFoldbackStr, 1u << 16},
    {"HardStopFoldbackStr", &ConfigRegObj::HardStopFoldbackStr, 1u << 17},
    {"BadSequenceEnableStr", &ConfigRegObj::BadSequenceEnableStr, 1u << 20},
    {"LogicPowerBackupStr", &ConfigRegObj::LogicPowerBackupStr, 1u << 21},
    {"HallCheckStr", &ConfigRegObj::HallCheckStr, 1u << 28},
    {"BrushModeStr", &ConfigRegObj::BrushModeStr, 1u << 8},
};

TEST_F(ConfigDisplay, SwitchTextsAreOnOffOrNotAvailable) {
  for (const auto& c : kSwitchTexts) {
    SCOPED_TRACE(c.name);
    Load(c.bit);
    EXPECT_EQ((*config.*c.text)(), "ON");
    Load(~c.bit & ~kLinear & 0x7FFFFFFF);  // positive, so bits 8-9 read as they stand
    EXPECT_EQ((*config.*c.text)(), "OFF");
    Capability(~c.bit);
    Load(c.bit);
    EXPECT_EQ((*config.*c.text)(), "N/A");
    Capability(c.bit);
    EXPECT_EQ((*config.*c.text)(), "ON");
    Capability(0xFFFFFFFF);
  }
}

// Brush mode is one motor style of four: a linear motor is not "brush", even with bit 8 set.
TEST_F(ConfigDisplay, BrushModeIsOnOnlyForTheBrushStyle) {
  Load(0x300);
  EXPECT_EQ(config->BrushModeStr(), "OFF");
  Capability(CONFIG_MASK_LINEAR_MOTOR);
  Load(0x100);
  EXPECT_EQ(config->BrushModeStr(), "N/A");
}

TEST_F(ConfigDisplay, EncoderBalancedNeverNotAvailable) {
  Capability(0);
  Load(1u << 27);
  EXPECT_EQ(config->EncoderBalancedStr(), "Balanced");
  Load(0);
  EXPECT_EQ(config->EncoderBalancedStr(), "Single-Ended");
}

struct MotorText {
  uint32_t style;
  const char* word;
};
constexpr MotorText kMotors[] = {{0x000, "Torque"}, {0x100, "Torque"}, {0x200, "Force"}, {0x300, "Torque"}};

TEST_F(ConfigDisplay, InputModeTextsNameTorqueOrForce) {
  const char* plain[] = {"Analog Velocity", nullptr, "Step+Direction Position", nullptr,
                         "Internal", "Unknown Mode 5", "Unknown Mode 6", "Unknown Mode 7"};
  for (const auto& m : kMotors) {
    for (uint32_t mode = 0; mode < 8; ++mode) {
      SCOPED_TRACE(std::to_string(m.style) + "/" + std::to_string(mode));
      Load(m.style | (mode << 24));
      const std::string expected =
          plain[mode] ? plain[mode]
                      : std::string(mode == 1 ? "Analog " : "Step+Direction ") + m.word;
      EXPECT_EQ(config->InputModeStr(), expected);
    }
  }
}

TEST_F(ConfigDisplay, LimitModeTexts) {
  for (const auto& m : kMotors) {
    SCOPED_TRACE(m.style);
    Load(m.style);
    EXPECT_EQ(config->LimitModeStr(), m.word);
    EXPECT_EQ(config->LimitSwitchModeStr(), m.word);
    EXPECT_EQ(config->LimitModeLookup(LIM_MODE_TORQUE), m.word);
    EXPECT_EQ(config->LimitModeLookup(LIM_MODE_POSITION), "Position");
    Load(m.style | 0x8);
    EXPECT_EQ(config->LimitModeStr(), "Position");
  }
  Capability(~0x8u);
  EXPECT_EQ(config->LimitModeStr(), "N/A");
  EXPECT_EQ(config->LimitSwitchModeStr(), "Position");  // no capability test
  EXPECT_EQ(config->LimitSwitchModeStr(0), "Torque");
}

TEST_F(ConfigDisplay, ModeLineFoldbackTexts) {
  Load(0x40000);
  EXPECT_EQ(config->ModeLineFoldbackStr(), "On for: Positive Torque");
  Load(kLinear | 0xC0000);
  EXPECT_EQ(config->ModeLineFoldbackStr(), "On for: Pos. + Neg. Force");
  Capability(CONFIG_MASK_MODE_N_FB | CONFIG_MASK_LINEAR_MOTOR);
  EXPECT_EQ(config->ModeLineFoldbackStr(), "On for: Negative Force");
  Capability(~0xC0000u);
  Load(0);
  EXPECT_EQ(config->ModeLineFoldbackStr(), "N/A");
  EXPECT_EQ(config->ModeLineFoldbackStr(3), "On for: Pos. + Neg. Torque");
  EXPECT_EQ(config->ModeLineFoldbackStr(0), "OFF");
}

TEST_F(ConfigDisplay, HighLevelFeedbackNotAvailableTwoWays) {
  Load(0);
  EXPECT_EQ(config->HighLevelFeedbackStr(), "N/A");  // the text of value 0
  Load(0x40);
  EXPECT_EQ(config->HighLevelFeedbackStr(), "~ASG- Move Done");
  Capability(0);
  EXPECT_EQ(config->HighLevelFeedbackStr(), "N/A");  // a drive without the field
  EXPECT_EQ(config->HighLevelFeedbackStr(2), "Move Done");
}

TEST_F(ConfigDisplay, SyncPulseTextsFollowTheMaskedRead) {
  const char* texts[] = {"None", "Positive", "Negative", "Pos./Neg."};
  for (uint32_t v = 0; v < 4; ++v) {
    Load(v);
    EXPECT_EQ(config->SyncPulseStr(), texts[v]);
  }
  Capability(CONFIG_MASK_SYNC_PULSE_N);
  EXPECT_EQ(config->SyncPulseStr(), "Negative");
  Capability(0);
  EXPECT_EQ(config->SyncPulseStr(), "None");  // never "N/A"
  EXPECT_EQ(config->SyncPulseStr(1), "Positive");
}

TEST_F(ConfigDisplay, SteadixTexts) {
  Load(0x400);
  EXPECT_EQ(config->SteadixStr(), "Standard");
  Capability(~0xC00u);
  EXPECT_EQ(config->SteadixStr(), "N/A");
  EXPECT_EQ(config->SteadixStr(STEADIX_ENH), "Enhanced");
  EXPECT_EQ(config->SteadixStr(STEADIX_OFF), "OFF");
  EXPECT_EQ(config->SteadixStr(static_cast<SteadixModes>(3)), "Unknown mode 3");
}

TEST_F(ConfigDisplay, MotorStyleTexts) {
  const char* texts[] = {"Rotary Brushless", "Rotary Brush", "Linear Brushless", "Unknown"};
  for (uint32_t s = 0; s < 4; ++s) {
    Load(s << 8);
    EXPECT_EQ(config->MotorStyleStr(), texts[s]);
    Load(0);
    EXPECT_EQ(config->MotorStyleStr(static_cast<MotorStyles>(s)), texts[s]);
  }
  Capability(0);
  EXPECT_EQ(config->MotorStyleStr(), "Rotary Brushless");
}

TEST_F(ConfigDisplay, FilterClockTextsAreNumbers) {
  Load(0x800000);
  EXPECT_EQ(config->FilterClockStr(), "Mode: 2");
  EXPECT_EQ(config->FilterClockStrArb(FILT_NA2), "Mode: 3");
  EXPECT_EQ(config->FilterClockStrArb(static_cast<FilterClks>(-1)), "Mode: -1");
  EXPECT_EQ(config->FilterClockStrArb(static_cast<FilterClks>(INT_MIN)), "Mode: -2147483648");
}

// --- specMode: any number or numeric text, rounded; every failure gives "???" --------------

TEST_F(ConfigDisplay, SpecModeIsAddedAsANumber) {
  Load(0);
  const struct {
    Variant spec;
    const char* text;
  } cases[] = {
      {2, "Step+Direction Position"},
      {"2", "Step+Direction Position"},
      {" 4 ", "Internal"},
      {1.5, "Step+Direction Position"},  // 4101.5 rounds to the even 4102
      {2.5, "Step+Direction Position"},  // 4102.5 rounds to the even 4102
      {0.4, "Analog Velocity"},
      {"3", "Step+Direction Torque"},
      {Variant::Empty(), "Analog Velocity"},  // present, though empty: 0
      {false, "Analog Velocity"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.spec.ToString());
    EXPECT_EQ(config->InputModeStr(c.spec), c.text);
  }
}

TEST_F(ConfigDisplay, SpecModeMembersAnswerQuestionMarksOnAnyFailure) {
  Load(0);
  const struct {
    const char* what;
    std::string text;
  } cases[] = {
      {"SyncPulse id without text", config->SyncPulseStr(4)},
      {"InputMode not a number", config->InputModeStr("x")},
      {"InputMode true is -1", config->InputModeStr(true)},
      {"HighLevelFeedback past the group", config->HighLevelFeedbackStr(8)},
      {"ModeLineFoldback sum overflows", config->ModeLineFoldbackStr(3e9)},
      {"LimitSwitchMode id without text", config->LimitSwitchModeStr(2)},
      {"an object is no number", config->LimitSwitchModeStr(Variant(std::shared_ptr<Object>()))},
  };
  for (const auto& c : cases) EXPECT_EQ(c.text, "???") << c.what;
}

TEST_F(ConfigDisplay, FailingValueObjectReadGivesQuestionMarksOnlyForSpecModeMembers) {
  config->SetRegister(nullptr);
  EXPECT_EQ(config->InputModeStr(), "???");
  EXPECT_EQ(config->SyncPulseStr(), "???");
  EXPECT_EQ(config->HighLevelFeedbackStr(), "???");
  EXPECT_EQ(config->ModeLineFoldbackStr(), "???");
  EXPECT_EQ(config->LimitSwitchModeStr(), "???");
  // Marked texts read LinearMotor even for a named value.
  EXPECT_EQ(config->InputModeStr(0), "???");
  const std::string missing = "Object variable or With block variable not set";
  ExpectRuntimeError(err::kObjectRequired, missing, [&] { (void)config->LimitModeStr(); });
  ExpectRuntimeError(err::kObjectRequired, missing, [&] { (void)config->LimitModeLookup(LIM_MODE_POSITION); });
  ExpectRuntimeError(err::kObjectRequired, missing, [&] { (void)config->HallCheckStr(); });
  ExpectRuntimeError(err::kObjectRequired, missing, [&] { (void)config->FilterClockStr(); });
  // Named values of unmarked texts need no register, nor does a missing field.
  EXPECT_EQ(config->SyncPulseStr(3), "Pos./Neg.");
  EXPECT_EQ(config->SteadixStr(STEADIX_STD), "Standard");
  EXPECT_EQ(config->FilterClockStrArb(FILT_HIGH_FREQ), "Mode: 1");
  Capability(0);
  EXPECT_EQ(config->HighLevelFeedbackStr(), "N/A");
  EXPECT_EQ(config->AnalogInFilterStr(), "N/A");
}

TEST_F(ConfigDisplay, OverflowingRegisterGivesQuestionMarks) {
  ExpectRuntimeError(err::kOverflow, "Overflow", [&] { value->Number()->SetValue(4294967295.0); });
  EXPECT_EQ(config->SyncPulseStr(), "???");
  ExpectRuntimeError(err::kOverflow, "Overflow", [&] { (void)config->MotorStyleStr(); });
}

TEST_F(ConfigDisplay, LookupMembersLetErrorsThrough) {
  Load(0);
  const auto missing = [](int id) {
    return "Resource with identifier '" + std::to_string(id) + "' not found";
  };
  ExpectRuntimeError(err::kResourceNotFound, missing(4174),
                     [&] { (void)config->SteadixStr(static_cast<SteadixModes>(4)); });
  ExpectRuntimeError(err::kResourceNotFound, missing(4504),
                     [&] { (void)config->MotorStyleStr(static_cast<MotorStyles>(4)); });
  ExpectRuntimeError(err::kResourceNotFound, missing(4152),
                     [&] { (void)config->LimitModeLookup(static_cast<LimitModes>(2)); });
  ExpectRuntimeError(err::kOverflow, "Overflow",
                     [&] { (void)config->MotorStyleStr(static_cast<MotorStyles>(INT_MAX)); });
  ExpectRuntimeError(err::kOverflow, "Overflow",
                     [&] { (void)config->LimitModeLookup(static_cast<LimitModes>(INT_MAX)); });
}

// --- What the tool prints ----------------------------------------------------------------

TEST_F(ConfigDisplay, PropertyTableListsEachFieldWithItsText) {
  Load(0x01000200 | 0x8);
  const auto names = config->PropertyNames();
  ASSERT_FALSE(names.empty());
  EXPECT_EQ(names.front(), "CapabilityMask");
  EXPECT_EQ(names.back(), "StepEncInputFilter");
  for (const auto name : names) {
    SCOPED_TRACE(std::string(name));
    EXPECT_NO_THROW((void)config->GetProperty(name));
  }
  EXPECT_EQ(config->GetProperty("InputModeStr").ToString(), "Analog Force");
  EXPECT_EQ(config->GetProperty("LimitModeStr").ToString(), "Position");
  EXPECT_EQ(config->GetProperty("FilterClockStr").ToString(), "Mode: 0");
  EXPECT_EQ(config->GetProperty("linearmotor").ToBool(), true);
  // The value object is readable by name but not printed; members with arguments are not
  // late-bound properties.
  EXPECT_EQ(config->GetProperty("Register").ToObject(), value);
  ExpectRuntimeError(err::kNoSuchMember, "Object doesn't support this property or method",
                     [&] { (void)config->GetProperty("FilterClockStrArb"); });
}

}  // namespace
}  // namespace zentnet::config_test

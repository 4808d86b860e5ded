// The configuration register: field reads and writes under the drive's capability mask,
// change events, and display texts.

#include <climits>

#include "error_text.h"
#include "support.h"

namespace zentnet::test {
namespace {

using C = ConfigRegObj;

struct Config : DecoderTest<ConfigRegObj> {
  Config() { rec->watch = value; }
  void Capability(uint32_t mask) { obj->SetCapabilityMask(static_cast<ConfigRegMasks>(mask)); }
  int32_t Get(const std::string& name) { return obj->GetProperty(name).ToLong(); }
};

// --- Single-bit fields --------------------------------------------------------------------

struct SwitchCase {
  const char* name;
  void (ConfigRegObj::*set)(bool);
  uint32_t bit;
  bool readsZeroWithout;  // reads false while the bit is missing from CapabilityMask
  bool ignoredWithout;    // a write is dropped while the bit is missing
};

// clang-format off
constexpr SwitchCase kSwitches[] = {
    {"HallInverter", &C::SetHallInverter, 1u << 2, false, false},
    {"AnalogInFilter", &C::SetAnalogInFilter, 1u << 7, true, true},
    {"VectorLock", &C::SetVectorLock, 1u << 13, false, false},
    {"MoveDoneFoldback", &C::SetMoveDoneFoldback, 1u << 16, false, true},
    {"LogicPowerBackup", &C::SetLogicPowerBackup, 1u << 21, true, true},
    {"EncoderBalanced", &C::SetEncoderBalanced, 1u << 27, false, false},
};
// clang-format on

TEST_F(Config, SwitchesReadWriteAndShowOnlyTheirOwnBit) {
  for (const auto& c : kSwitches) {
    SCOPED_TRACE(c.name);
    const auto shows = [&](const char* text) {  // EncoderBalancedStr names the kinds instead
      if (c.bit == CONFIG_MASK_ENC_BALANCED) return;
      EXPECT_EQ(obj->GetProperty(std::string(c.name) + "Str"), Variant(text));
    };
    Load(c.bit);
    EXPECT_EQ(Get(c.name), -1);
    shows("ON");
    Load(~c.bit);
    EXPECT_EQ(Get(c.name), 0);
    (*obj.*c.set)(true);
    EXPECT_EQ(Bits(), 0xFFFFFFFFu);
    (*obj.*c.set)(false);
    EXPECT_EQ(Bits(), ~c.bit);
    EXPECT_EQ(value->Writes(), 2);

    Capability(c.bit);
    shows("OFF");
    Capability(~c.bit);  // without the capability bit
    shows("N/A");
    Load(c.bit);
    EXPECT_EQ(Get(c.name), c.readsZeroWithout ? 0 : -1);
    (*obj.*c.set)(false);
    EXPECT_EQ(Bits(), c.ignoredWithout ? c.bit : 0u);
    EXPECT_EQ(value->Writes(), c.ignoredWithout ? 0 : 1);  // an ignored write raises nothing
    EXPECT_EQ(rec->lines.empty(), c.ignoredWithout);
    Capability(0xFFFFFFFF);
  }
  // The encoder input is one kind or the other on every drive.
  Capability(0);
  Load(1u << 27);
  EXPECT_EQ(obj->EncoderBalancedStr(), "Balanced");
  Load(0);
  EXPECT_EQ(obj->EncoderBalancedStr(), "Single-Ended");
}

// --- Multi-bit and derived fields ---------------------------------------------------------

// Bit 31 is a plain bit: in a negative register no field takes anything from the bits
// below it, and the estimator, which holds bit 31, reads 4 to 7 rather than a negative.
TEST_F(Config, MultiBitFieldsReadTheirOwnBitsWhateverTheSign) {
  const std::tuple<const char*, int, int32_t> fields[] = {
      {"SyncPulse", 0, 3},  {"HighLevelFeedback", 4, 7}, {"MotorStyle", 8, 3},
      {"Steadix", 10, 3},   {"ModeLineFoldback", 18, 3}, {"FilterClock", 22, 3},
      {"InputMode", 24, 7}, {"VelocityEstimator", 29, 7}};
  for (const auto& [name, shift, max] : fields) {
    for (int32_t v = 0; v <= max; ++v) {
      const uint32_t field = static_cast<uint32_t>(v) << shift;
      Load(field);
      EXPECT_EQ(Get(name), v) << name;
      Load(field | ~(static_cast<uint32_t>(max) << shift));
      EXPECT_EQ(Get(name), v) << name;
    }
  }
  Load(0x80000000);
  for (const auto name : obj->PropertyNames()) {
    const std::string n(name);
    if (n.ends_with("Str") || n == "CapabilityMask" || n.starts_with("VelocityEstimatorM"))
      continue;
    EXPECT_EQ(Get(n), n == "VelocityEstimator" ? 4 : 0) << n;
  }
}

// Reads and texts of the current value under the capability mask: marked texts say "Torque"
// unless the motor is linear, and some say "N/A" for a field the drive lacks.
TEST_F(Config, ReadsAndTextsUnderTheCapabilityMask) {
  // Property, capability mask, register, the property as text.
  const std::tuple<const char*, uint32_t, uint32_t, const char*> cases[] = {
      // clang-format off
      {"SyncPulse", 0x1, 0x3, "1"}, {"SyncPulse", 0x2, 0xFFFFFFFF, "2"},  // masked bit by bit
      {"ModeLineFoldback", 0x80000, 0xC0000, "2"},
      {"Steadix", ~0xC00u, 0x800, "0"},  // zero without the field
      {"Steadix", 0x800, 0x400, "1"},    // any one of its bits makes it available
      {"HighLevelFeedback", ~0x70u, 0x50, "0"}, {"HighLevelFeedback", 0x40, 0x50, "5"},
      {"InputMode", 0, 0x7000000, "7"},        // the other fields ignore the mask
      {"TorqueMode", ~0u, 0x1000000, "True"},  // analog torque only
      {"LinearMotor", ~0u, 0x300, "False"},    // unknown style
      {"StepEncInputFilter", ~0u, 0x40C000, "13"},
      {"InputModeStr", 0, 0x01000200, "Analog Force"},  // never "N/A"
      {"InputModeStr", ~0u, 0x06000000, "Unknown Mode 6"}, {"LimitModeStr", ~0u, 0x200, "Force"},
      {"LimitModeStr", ~0x8u, 0x8, "N/A"}, {"LimitSwitchModeStr", 0, 0x8, "Position"},
      {"LimitSwitchModeStr", 0, 0x200, "Force"}, {"StepEncInputFilter", ~0u, 0xC000, "12"},
      {"ModeLineFoldbackStr", ~0u, 0xC0200, "On for: Pos. + Neg. Force"},
      {"ModeLineFoldbackStr", ~0xC0000u, 0xC0000, "N/A"},
      {"HighLevelFeedbackStr", ~0u, 0x40, "~ASG- Move Done"},
      {"HighLevelFeedbackStr", ~0u, 0, "N/A"},  // the text of value 0
      {"HighLevelFeedbackStr", ~0x70u, 0x40, "N/A"}, {"SyncPulseStr", 0x2, 0x3, "Negative"},
      {"SteadixStr", ~0xC00u, 0x400, "N/A"}, {"MotorStyleStr", 0, 0x300, "Unknown"},
      {"BrushModeStr", ~0u, 0x300, "OFF"},  // a linear motor is not "brush"
      {"BrushModeStr", 0x200, 0x100, "N/A"}, {"FilterClockStr", 0, 0x800000, "Mode: 2"},
      // clang-format on
  };
  for (const auto& [name, capability, bits, shows] : cases) {
    Capability(capability);
    Load(bits);
    EXPECT_EQ(obj->GetProperty(name).ToString(), shows) << name << " " << Hex(bits);
  }
}

// Writes keep every bit outside the field and cut the value to the field's width; each
// member writes the register a fixed number of times, even when the number stays the same.
TEST_F(Config, FieldWritesReplaceOnlyTheirBits) {
  const struct {
    uint32_t capability, before;
    std::function<void(C&)> write;
    uint32_t after;
    int writes = 1;
  } cases[] = {
      // clang-format off
      {0x1, 0, Writing(&C::SetSyncPulse, 3), 0x1},  // masked bit by bit
      {0x2, ~0u, Writing(&C::SetSyncPulse, 1), 0xFFFFFFFC},
      {0, 0, Writing(&C::SetModeLineFoldback, 1), 0x40000},  // not gated
      {0, 0, Writing(&C::SetSteadix, 1), 0x400, 2},          // through "off", even from off
      {~0u, ~0u, Writing(&C::SetSteadix, -1), 0xFFFFFFFF, 2},
      {~0u, 0xC00, Writing(&C::SetSteadix, 0), 0, 2},
      {~0u, ~0u, Writing(&C::SetLimitMode, 2), 0xFFFFFFF7},  // only 1 means position
      {0, ~0u, Writing(&C::SetMotorStyle, 6), 0xFFFFFEFF},
      {0, ~0u, Writing(&C::SetInputMode, 2), 0xFAFFFFFF},
      {~0u, 0x30, Writing(&C::SetHighLevelFeedback, 0), 0x30, 0},  // 0 and below: not written
      {~0u, 0x30, Writing(&C::SetHighLevelFeedback, 3), 0x30},
      {~0u, ~0u, Writing(&C::SetHighLevelFeedback, 9), 0xFFFFFF9F},
      {~0x70u, 0x50, Writing(&C::SetHighLevelFeedback, 2), 0x50, 0},  // field missing: ignored
      {0x10, 0x50, Writing(&C::SetHighLevelFeedback, 2), 0x20},       // one bit of it suffices
      {0, ~0u, Writing(&C::SetFilterClock, 5), 0xFF7FFFFF},
      {~0u, 0, Writing(&C::SetFilterClock, -511), 0x400000},
      {~0u, ~0u, Writing(&C::SetFilterClock, -512), 0xFF3FFFFF},
      {0, 0x20000001, Writing(&C::SetStepEncInputFilter, 13), 0x2040C001, 3},
      {0, ~0u, Writing(&C::SetStepEncInputFilter, 2), 0xFFBF3FFF, 3},
      {0, 0, Writing(&C::SetStepEncInputFilter, 0x7FFFFFF5), 0x404000, 3},
      {0, 0, Writing(&C::SetStepEncInputFilter, 1), 0x400000, 3},
      // clang-format on
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    Capability(cases[i].capability);
    Load(cases[i].before);
    cases[i].write(*obj);
    EXPECT_EQ(Hex(Bits()), Hex(cases[i].after)) << "row " << i;
    EXPECT_EQ(value->Writes(), cases[i].writes) << "row " << i;
  }
}

TEST_F(Config, VelocityEstimatorIsClampedThenComposed) {
  // Minimum, maximum, estimator written, register before and after.
  const std::tuple<int32_t, int32_t, int32_t, uint32_t, uint32_t> cases[] = {
      {0, 7, 9, 0, 0xE0000000},  // above the maximum: the maximum, stored as a signed number
      {0, 7, 3, 0xFFFFFFFF, 0x7FFFFFFF},    // bits 0-28 kept
      {0, 0, 5, 0xFFFFFFFF, 0x1FFFFFFF},    // initial bounds: every write stores 0
      {2, 6, 1, 0, 0x40000000},             // below the minimum: the minimum
      {5, 2, 3, 0, 0x40000000},             // crossed bounds: the maximum is tested first
      {-1, 7, -1, 0x00000123, 0xE0000123},  // -1 is estimator 7
      {-4, 11, 9, 0x00000001, 0x20000001},  // 8 to 11 wrap to 0 to 3
  };
  for (const auto& [min, max, written, before, after] : cases) {
    obj->SetVelocityEstimatorMin(min);
    obj->SetVelocityEstimatorMax(max);
    Load(before);
    obj->SetVelocityEstimator(static_cast<VelocityEstimators>(written));
    EXPECT_EQ(std::make_pair(Bits(), value->Writes()), std::make_pair(after, 1)) << written;
  }
}

// Without a value object a member fails once it reaches for the register, and only then.
TEST_F(Config, WithoutRegisterMembersFailOnlyWhenTheyReachForIt) {
  obj->SetRegister(nullptr);
  ExpectMissingObject([&] { obj->SetSteadix(STEADIX_STD); });
  ExpectMissingObject([&] { (void)obj->LimitModeLookup(LIM_MODE_POSITION); });  // marked
  EXPECT_EQ(obj->InputModeStr(0), "???");  // marked texts read the motor's kind
  EXPECT_EQ(obj->SyncPulseStr(3), "Pos./Neg.");
  Capability(0);
  EXPECT_FALSE(obj->AnalogInFilter());
  EXPECT_NO_THROW(obj->SetHighLevelFeedback(HIGH_LEVEL_FB_MOVE_DONE));
  EXPECT_EQ(obj->HighLevelFeedbackStr(), "N/A");
}

// --- Events -------------------------------------------------------------------------------

TEST_F(Config, MembersThatWriteMoreThanOnce) {
  Load(0xF0000400);
  obj->SetSteadix(STEADIX_ENH);  // through "off"
  EXPECT_EQ(rec->lines, (Lines{"Change F0000000", "Change F0000800"}));
  Load(0x00000001);
  obj->SetSteadix(STEADIX_STD);  // from off the first write stores the same number
  EXPECT_EQ(rec->lines, (Lines{"Change 00000001", "Change 00000401"}));

  Load(0);
  obj->SetStepEncInputFilter(STEP_ENC_FILT_BOTH1);
  EXPECT_EQ(rec->lines, (Lines{"Change 00008000", "Change 0000C000", "Change 0040C000"}));

  Load(0x10);  // the write's own event follows the one change detection raised
  obj->SetHighLevelFeedback(HIGH_LEVEL_FB_MOVE_DONE);
  EXPECT_EQ(rec->lines, (Lines{"Change 00000020", "HighLevelFeedbackChanged 00000020",
                               "HighLevelFeedbackChanged 00000020"}));
  rec->lines.clear();
  obj->SetHighLevelFeedback(HIGH_LEVEL_FB_MOVE_DONE);  // the field stays: no event of its own
  EXPECT_EQ(rec->lines, (Lines{"Change 00000020"}));
  // Both numbers are converted before anything is raised.
  Load(0);
  ExpectOverflow([&] { value->Number()->SetValue(2147483648.0); });
  EXPECT_TRUE(rec->lines.empty());
}

// A listener acting inside the first write's Change: Steadix ORs its mode into a fresh read.
TEST_F(Config, ListenersActingBetweenWrites) {
  Load(0x800);
  rec->then = [&](const std::string& line) {
    if (line == "Change 00000000") obj->SetMotorStyle(MOTOR_BRUSHLESS_LINEAR);
  };
  obj->SetSteadix(STEADIX_STD);
  EXPECT_EQ(Bits(), 0x600u);
  EXPECT_EQ(rec->lines, (Lines{"Change 00000000", "Change 00000200", "MotorTypeChanged 00000200",
                               "Change 00000600"}));

  rec->then = nullptr;
  Load(0);  // a failing write stops the members that write more than once
  rec->then = [](const std::string&) { throw AutomationError(6, err::kRuntimeSource, "Overflow"); };
  ExpectOverflow([&] { obj->SetStepEncInputFilter(STEP_ENC_FILT_BOTH3); });
  EXPECT_EQ(Bits(), 0x8000u);
}

// The specMode members answer "???" on any failure; the others let it through.
TEST_F(Config, FailuresOfDisplayMembers) {
  Load(0);
  EXPECT_EQ(obj->SyncPulseStr(4), "???");           // no text
  EXPECT_EQ(obj->InputModeStr(true), "???");        // -1: 4099 has no text
  EXPECT_EQ(obj->ModeLineFoldbackStr(3e9), "???");  // the sum overflows
  EXPECT_EQ(obj->LimitSwitchModeStr(Variant(std::shared_ptr<Object>())), "???");
  ExpectNoText(4174, [&] { (void)obj->SteadixStr(static_cast<SteadixModes>(4)); });
  ExpectNoText(4504, [&] { (void)obj->MotorStyleStr(static_cast<MotorStyles>(4)); });
  ExpectNoText(4152, [&] { (void)obj->LimitModeLookup(static_cast<LimitModes>(2)); });
  ExpectOverflow([&] { (void)obj->MotorStyleStr(static_cast<MotorStyles>(INT_MAX)); });
}

// Two decoders on one register: a listener of one that answers each change with a write
// through the other changes the register again without end. The caller gets 28; the
// decoders stay usable.
TEST(SharedRegister, AListenerWritingThroughTheOtherDecoderEndsInOutOfStackSpace) {
  struct Toggle : ConfigRegObjEvents {
    ConfigRegObj* other = nullptr;
    void Change() override {
      if (other) other->SetVectorLock(!other->VectorLock());
    }
  };
  const auto a = ConfigRegObj::create(), b = ConfigRegObj::create();
  b->SetRegister(a->Register());
  const auto toggle = std::make_shared<Toggle>();
  toggle->other = b.get();
  a->Advise(toggle);
  EXPECT_EQ(ErrorOf([&] { a->SetVectorLock(true); }), "28|ZentNetLib|Out of stack space||0");
  toggle->other = nullptr;
  b->SetVectorLock(false);
  a->SetVectorLock(true);
  EXPECT_TRUE(b->VectorLock());
}

}  // namespace
}  // namespace zentnet::test

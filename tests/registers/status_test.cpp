// The status register: flags gated by the implemented bits, the lock level, bit names and
// the burst of events a change raises.

#include "support.h"

namespace zentnet::test {
namespace {

struct Status : DecoderTest<StatusRegObj> {
  void SetMotor(uint32_t style) { StoreBits(obj->ConfigReg()->Register(), style << 8); }
};

// The flag of each bit 0 to 22, "" where the bit has none; HighLevelFeedback reads bit 22
// inverted. StatusImplemented gates bits 18, 20 and 21 and HighLevelFeedback.
// clang-format off
const char* const kFlagOfBit[23] = {
    "EncoderError", "StepInputError", "RMSshutdown", "", "TempShutdown", "TrackingShutdown",
    "IVfault", "", "TorqueMode", "PositiveLimit", "NegativeLimit", "AmpDisable", "VectorSearch", "",
    "OverTemp", "OverSpeed", "PWMsaturation", "OutputSaturation", "LogicPowerBackup", "Hardstopped",
    "OutOfPosition", "NotMoveDone", "AllSystemsGo"};
// clang-format on
constexpr uint32_t kGated = 0x340000;

TEST_F(Status, EachFlagFollowsItsBitAndOnlyFourAreGated) {
  EXPECT_NE(obj->ConfigReg(), StatusRegObj::create()->ConfigReg());  // each makes its own
  std::vector<uint32_t> patterns = {0, 0xFFFFFFFF, 0x7FFFFFFF, 0xC0000821};
  for (int bit = 0; bit < 32; ++bit) {
    patterns.push_back(1u << bit);
    patterns.push_back(~(1u << bit));
  }
  const auto flag = [&](const char* name) { return obj->GetProperty(name).ToBool(); };
  for (const uint32_t implemented : {0xFFFFFFFFu, 0u, 0x40000u, 0x100000u, 0x200000u, 0x400000u}) {
    obj->SetStatusImplemented(static_cast<StatusRegMasks>(implemented));
    for (const uint32_t bits : patterns) {
      StoreBits(value, bits);
      for (uint32_t bit = 0; bit < 23; ++bit) {
        if (*kFlagOfBit[bit] == 0) continue;
        const bool open = ((kGated & ~implemented) >> bit & 1) == 0;
        EXPECT_EQ(flag(kFlagOfBit[bit]), open && (bits >> bit & 1))
            << kFlagOfBit[bit] << " " << Hex(bits) << " " << Hex(implemented);
      }
      EXPECT_EQ(flag("HighLevelFeedback"), (implemented & ~bits & 0x400000) != 0) << Hex(bits);
      EXPECT_EQ(obj->LockLevel(), static_cast<LockLevels>(bits >> 30)) << Hex(bits);  // 1 and 2
      EXPECT_EQ(obj->LockLevelRef()->Level(), obj->LockLevel());  // mirrored on every change
    }
  }
  // Flags of bits the drive lacks do not read the register at all.
  obj->SetStatusImplemented(static_cast<StatusRegMasks>(0));
  EXPECT_THROW(Store(2147483648.0), AutomationError);
  EXPECT_FALSE(obj->HighLevelFeedback() || obj->LogicPowerBackup() || obj->NotMoveDone() ||
               obj->OutOfPosition());
  ExpectOverflow([&] { (void)obj->AllSystemsGo(); });
}

// --- Bit names ------------------------------------------------------------------------------

// BitStr names one bit and ActiveBitsStr the named set ones; the texts that name torque
// say force only for the linear motor style.
TEST_F(Status, BitNamesFollowTheMotorKindOfTheConfiguration) {
  // Bit (-1: ActiveBitsStr of the register), register, motor style, text.
  const std::tuple<int32_t, uint32_t, uint32_t, const char*> cases[] = {
      // clang-format off
      {3, 0, 2, "Comm. Sensor"}, {8, 0, 1, "Torque Mode"}, {8, 0, 2, "Force Mode"},
      {8, 0, 3, "Torque Mode"}, {10, 0, 0, "\xE2\x80\x93 Limit"}, {31, 0, 0, "LOCK1"},
      // clang-format on
      {-1, 0x0821, 0, "Encoder, Tracking, Amp Disabled"},
      {-1, 0xFF802088, 0, "Comm. Sensor, Brake Mode, LOCK0, LOCK1"},  // 13, 23-29 unnamed
  };
  for (const auto& [bit, bits, motor, text] : cases) {
    SetMotor(motor);
    StoreBits(value, bits);
    EXPECT_EQ(bit < 0 ? obj->ActiveBitsStr() : obj->BitStr(bit), text) << bit;
  }
  auto linear = ConfigRegObj::create();
  StoreBits(linear->Register(), CONFIG_MASK_LINEAR_MOTOR);
  SetMotor(0);
  obj->SetConfigReg(linear);
  EXPECT_EQ(obj->BitStr(17), "Force Sat.");
}

TEST_F(Status, BitNamesFailForBitsWithoutOneAndWithoutAConfiguration) {
  for (const int32_t bit : {13, 23, 29, 32, -1})
    ExpectNoText(2410 + bit, [&] { (void)obj->BitStr(bit); });
  ExpectOverflow([&] { (void)obj->BitStr(2147481238); });  // 2410 + this is one past the range
  obj->SetConfigReg(nullptr);
  ExpectMissingObject([&] { (void)obj->BitStr(2147483647); });  // before the overflow
  ExpectMissingObject([&] { (void)obj->ActiveBitsStr(); });
}

// --- Events -------------------------------------------------------------------------------

TEST_F(Status, AChangeRaisesOneBurstInItsFixedOrder) {
  const std::tuple<uint32_t, uint32_t, Lines> cases[] = {
      {0, 0x0821, {"Changed", "EnableChanged false", "Shutdown"}},
      {0x200, 0x600, {"Changed", "LimitHit"}},
      {0x600, 0x200, {"Changed"}},
      {0,
       0xC0088A01,
       {"Changed", "EnableChanged false", "LockChanged", "Shutdown", "Hardstopped", "LimitHit",
        "OverSpeed"}},
      {0xC0088A01, 0, {"Changed", "EnableChanged true", "LockChanged"}},
      {0x8000, 0x8040, {"Changed", "Shutdown"}},  // OverSpeed stays set: not raised again
      {0x1000, 0x2000, {"Changed"}},              // flags without an event of their own
  };
  for (const auto& [from, to, events] : cases) {
    Load(from);
    StoreBits(value, to);
    EXPECT_EQ(rec->lines, events) << from << " -> " << to;
  }
  // Changed comes before the numbers are converted.
  Load(0);
  ExpectOverflow([&] { Store(-2147483649.0); });
  EXPECT_EQ(rec->lines, (Lines{"Changed"}));
}

TEST_F(Status, TheLockLevelIsWrittenFromTheRegisterBeforeTheFaultEvents) {
  rec->then = [&](const std::string& line) {
    if (line == "LockChanged") rec->lines.push_back(std::to_string(obj->LockLevelRef()->Level()));
    // A listener that refreshes inside Changed does not disturb the burst.
    if (line == "Changed") obj->Register()->Refresh();
  };
  StoreBits(value, 0x80000001);
  EXPECT_EQ(rec->lines, (Lines{"Changed", "Refresh", "LockChanged", "2", "Shutdown"}));

  // A level written into the lock object by others is passed on; the register is untouched.
  rec->then = nullptr;
  rec->lines.clear();
  obj->LockLevelRef()->SetLevel(LOCK_LEVEL_3);
  EXPECT_EQ(rec->lines, (Lines{"LockChanged"}));
  EXPECT_EQ(obj->LockLevel(), LOCK_LEVEL_2);
}

}  // namespace
}  // namespace zentnet::test

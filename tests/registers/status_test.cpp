// The status register: flags gated by the implemented bits, the lock level, bit names and
// the burst of events a change raises.

#include "support.h"

namespace zentnet::test {
namespace {

struct Status : ::testing::Test {
  std::shared_ptr<StatusRegObj> st = StatusRegObj::create();
  std::shared_ptr<Recorder> rec = std::make_shared<Recorder>();
  void SetUp() override { st->Advise(rec); }
  void Load(uint32_t bits) {
    StoreBits(st->Register(), bits);
    rec->lines.clear();
  }
  void SetMotor(uint32_t style) { StoreBits(st->ConfigReg()->Register(), style << 8); }
};

struct FlagCase {
  const char* name;
  bool (StatusRegObj::*get)() const;
  uint32_t mask;
  bool whenClear;
  uint32_t gate;  // the bit of StatusImplemented without which the flag is false
};

using S = StatusRegObj;
const FlagCase kFlags[] = {
    {"AllSystemsGo", &S::AllSystemsGo, 0x400000, false, 0},
    {"HighLevelFeedback", &S::HighLevelFeedback, 0x400000, true, 0x400000},
    {"AmpDisable", &S::AmpDisable, 0x800, false, 0},
    {"EncoderError", &S::EncoderError, 0x1, false, 0},
    {"Hardstopped", &S::Hardstopped, 0x80000, false, 0},
    {"IVfault", &S::IVfault, 0x40, false, 0},
    {"LogicPowerBackup", &S::LogicPowerBackup, 0x40000, false, 0x40000},
    {"NegativeLimit", &S::NegativeLimit, 0x400, false, 0},
    {"NotMoveDone", &S::NotMoveDone, 0x200000, false, 0x200000},
    {"OutOfPosition", &S::OutOfPosition, 0x100000, false, 0x100000},
    {"OutputSaturation", &S::OutputSaturation, 0x20000, false, 0},
    {"OverSpeed", &S::OverSpeed, 0x8000, false, 0},
    {"OverTemp", &S::OverTemp, 0x4000, false, 0},
    {"PositiveLimit", &S::PositiveLimit, 0x200, false, 0},
    {"PWMsaturation", &S::PWMsaturation, 0x10000, false, 0},
    {"RMSshutdown", &S::RMSshutdown, 0x4, false, 0},
    {"StepInputError", &S::StepInputError, 0x2, false, 0},
    {"TempShutdown", &S::TempShutdown, 0x10, false, 0},
    {"TorqueMode", &S::TorqueMode, 0x100, false, 0},
    {"TrackingShutdown", &S::TrackingShutdown, 0x20, false, 0},
    {"VectorSearch", &S::VectorSearch, 0x1000, false, 0},
};

TEST_F(Status, EachFlagFollowsItsBitAndOnlyFourAreGated) {
  std::vector<uint32_t> patterns = {0, 0xFFFFFFFF, 0x7FFFFFFF, 0xC0000821};
  for (int bit = 0; bit < 32; ++bit) {
    patterns.push_back(1u << bit);
    patterns.push_back(~(1u << bit));
  }
  for (const uint32_t implemented : {0xFFFFFFFFu, 0u, 0x40000u, 0x100000u, 0x200000u, 0x400000u}) {
    st->SetStatusImplemented(static_cast<StatusRegMasks>(implemented));
    for (const uint32_t bits : patterns) {
      StoreBits(st->Register(), bits);
      for (const auto& f : kFlags) {
        const bool expected =
            (f.gate == 0 || (implemented & f.gate) != 0) && (((bits & f.mask) != 0) != f.whenClear);
        EXPECT_EQ((*st.*f.get)(), expected) << f.name << " " << bits << " " << implemented;
      }
    }
  }
  // Flags of bits the drive lacks do not read the register at all.
  st->SetStatusImplemented(static_cast<StatusRegMasks>(0));
  EXPECT_THROW(st->Register()->Number()->SetValue(2147483648.0), AutomationError);
  EXPECT_FALSE(st->HighLevelFeedback() || st->LogicPowerBackup() || st->NotMoveDone() ||
               st->OutOfPosition());
  ExpectOverflow([&] { (void)st->AllSystemsGo(); });
}

TEST_F(Status, LockLevelCountsBit30AsOneAndBit31AsTwo) {
  EXPECT_EQ(st->StatusImplemented(), -1);
  EXPECT_NE(st->ConfigReg(), StatusRegObj::create()->ConfigReg());  // each makes its own
  const std::pair<uint32_t, LockLevels> cases[] = {
      {0, LOCK_LEVEL_0},          {0x40000000, LOCK_LEVEL_1}, {0x80000000, LOCK_LEVEL_2},
      {0xC0000000, LOCK_LEVEL_3}, {0x3FFFFFFF, LOCK_LEVEL_0}, {0xBFFFFFFF, LOCK_LEVEL_2},
      {0x7FFFFFFF, LOCK_LEVEL_1}};
  for (const auto& [bits, level] : cases) {
    StoreBits(st->Register(), bits);
    EXPECT_EQ(st->LockLevel(), level) << bits;
    EXPECT_EQ(st->LockLevelRef()->Level(), level) << bits;  // mirrored on every change
  }
}

// --- Bit names ------------------------------------------------------------------------------

TEST_F(Status, BitNamesFollowTheMotorKindOfTheConfiguration) {
  const struct {
    int32_t bit;
    const char *rotary, *linear;
  } cases[] = {{0, "Encoder", "Encoder"},
               {3, "Comm. Sensor", "Comm. Sensor"},
               {8, "Torque Mode", "Force Mode"},
               {10, "\xE2\x80\x93 Limit", "\xE2\x80\x93 Limit"},
               {17, "Torque Sat.", "Force Sat."},
               {22, "HLFB Out", "HLFB Out"},
               {31, "LOCK1", "LOCK1"}};
  for (const auto& c : cases) {
    for (uint32_t style = 0; style < 4; ++style) {  // only the linear style counts as linear
      SetMotor(style);
      EXPECT_EQ(st->BitStr(c.bit), style == 2 ? c.linear : c.rotary) << c.bit << "/" << style;
    }
  }
  auto linear = ConfigRegObj::create();
  StoreBits(linear->Register(), CONFIG_MASK_LINEAR_MOTOR);
  SetMotor(0);
  st->SetConfigReg(linear);
  EXPECT_EQ(st->BitStr(17), "Force Sat.");
}

TEST_F(Status, BitNamesFailForBitsWithoutOneAndWithoutAConfiguration) {
  for (const int32_t bit : {13, 23, 29, 32, -1})
    ExpectNoText(2410 + bit, [&] { (void)st->BitStr(bit); });
  ExpectOverflow([&] { (void)st->BitStr(2147481238); });  // 2410 + this is one past the range
  st->SetConfigReg(nullptr);
  ExpectMissingObject([&] { (void)st->BitStr(13); });          // before the missing text
  ExpectMissingObject([&] { (void)st->BitStr(2147483647); });  // and before the overflow
  ExpectMissingObject([&] { (void)st->ActiveBitsStr(); });
}

TEST_F(Status, ActiveBitsListsNamedSetBitsInOrder) {
  const struct {
    uint32_t bits, motor;
    const char* list;
  } cases[] = {
      {0x0821, 0, "Encoder, Tracking, Amp Disabled"},
      {0x20100, 2, "Force Mode, Force Sat."},
      {0xFF802088, 0, "Comm. Sensor, Brake Mode, LOCK0, LOCK1"},  // 13, 23-29 unnamed
  };
  for (const auto& c : cases) {
    SetMotor(c.motor);
    StoreBits(st->Register(), c.bits);
    EXPECT_EQ(st->ActiveBitsStr(), c.list) << c.bits;
  }
}

// --- Events -------------------------------------------------------------------------------

TEST_F(Status, AChangeRaisesOneBurstInItsFixedOrder) {
  const struct {
    uint32_t from, to;
    Lines events;
  } cases[] = {
      {0, 0x0821, {"Changed", "EnableChanged false", "Shutdown"}},
      {0x0821, 0, {"Changed", "EnableChanged true"}},
      {0x200, 0x600, {"Changed", "LimitHit"}},
      {0x600, 0x200, {"Changed"}},
      {0,
       0xC0088A01,
       {"Changed", "EnableChanged false", "LockChanged", "Shutdown", "Hardstopped", "LimitHit",
        "OverSpeed"}},
      {0xC0088A01, 0, {"Changed", "EnableChanged true", "LockChanged"}},
      {0x8000, 0x8040, {"Changed", "Shutdown"}},  // OverSpeed stays set: not raised again
      {0x77, 0x0, {"Changed"}},
      {0x1000, 0x2000, {"Changed"}},  // flags without an event of their own
  };
  for (const auto& c : cases) {
    Load(c.from);
    StoreBits(st->Register(), c.to);
    EXPECT_EQ(rec->lines, c.events) << c.from << " -> " << c.to;
  }
  // Changed comes before the numbers are converted.
  Load(0);
  ExpectOverflow([&] { st->Register()->Number()->SetValue(-2147483649.0); });
  EXPECT_EQ(rec->lines, (Lines{"Changed"}));
}

TEST_F(Status, TheLockLevelIsWrittenFromTheRegisterBeforeTheFaultEvents) {
  rec->then = [&](const std::string& line) {
    if (line == "LockChanged") rec->lines.push_back(std::to_string(st->LockLevelRef()->Level()));
    // A listener that refreshes inside Changed does not disturb the burst.
    if (line == "Changed") st->Register()->Refresh();
  };
  StoreBits(st->Register(), 0x80000001);
  EXPECT_EQ(rec->lines, (Lines{"Changed", "Refresh", "LockChanged", "2", "Shutdown"}));

  // A level written into the lock object by others is passed on; the register is untouched.
  rec->then = nullptr;
  rec->lines.clear();
  LockLevels level = LOCK_LEVEL_3;
  const auto lock = st->LockLevelRef();
  lock->SetLevel(level);
  EXPECT_EQ(rec->lines, (Lines{"LockChanged"}));
  EXPECT_EQ(st->LockLevel(), LOCK_LEVEL_2);
  st.reset();  // the lock object does not keep the decoder, nor reach it once it is gone
  level = LOCK_LEVEL_1;
  lock->SetLevel(level);
  EXPECT_EQ(rec->lines.size(), 1u);
}

}  // namespace
}  // namespace zentnet::test

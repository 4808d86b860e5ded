#include "zentnet/registers/StatusRegObj.h"

#include <gtest/gtest.h>

#include <functional>

#include "decoder_test_support.h"
#include "recorder.h"
#include "zentnet/factory.h"
#include "zentnet/values/factory.h"
#include "zentnet/values/values.h"

namespace zentnet {
namespace {

using Lines = std::vector<std::string>;
using test::ExpectError;
using test::ExpectObjectRequired;
using test::ExpectOverflow;

class StatusRecorder : public StatusRegObjEvents {
 public:
  explicit StatusRecorder(test::Journal& j) : j_(j) {}
  void Changed() override {
    j_.Add("Changed");
    if (onChanged) onChanged();
  }
  void Refresh() override { j_.Add("Refresh"); }
  void EnableChanged(bool& newState) override {
    j_.Add(std::string("EnableChanged ") + (newState ? "true" : "false"));
  }
  void LimitHit() override { j_.Add("LimitHit"); }
  void OverSpeed() override { j_.Add("OverSpeed"); }
  void Hardstopped() override { j_.Add("Hardstopped"); }
  void Shutdown() override { j_.Add("Shutdown"); }
  void LockChanged() override {
    j_.Add("LockChanged");
    if (onLockChanged) onLockChanged();
  }
  void InitializeCache(double& initial, bool& processed) override {
    j_.Add("InitializeCache " + std::to_string(static_cast<int>(initial)));
    initial = 9;
    processed = true;
  }
  void ContentChanged(std::shared_ptr<ValueObj>& statusRef) override {
    j_.Add("ContentChanged " + statusRef->Name());
  }
  std::function<void()> onChanged;
  std::function<void()> onLockChanged;

 private:
  test::Journal& j_;
};

struct StatusFixture : ::testing::Test {
  std::shared_ptr<StatusRegObj> st = StatusRegObj::create();
  test::Journal j;
  std::shared_ptr<StatusRecorder> sink = std::make_shared<StatusRecorder>(j);
  void SetUp() override { st->Advise(sink); }
  void Store(double v) { st->Register()->Number()->SetValue(v); }
  void StoreBits(uint32_t bits) { test::StoreBits(st->Register(), bits); }
  // Sets the register quietly as far as this test's journal is concerned.
  void Start(uint32_t bits) {
    StoreBits(bits);
    j.Clear();
  }
  void SetLinear(bool linear) {
    test::StoreBits(st->ConfigReg()->Register(), linear ? CONFIG_MASK_LINEAR_MOTOR : 0);
  }
};

using StatusDecode = StatusFixture;
using StatusBitStr = StatusFixture;
using StatusEvents = StatusFixture;

struct FlagCase {
  const char* name;
  bool (StatusRegObj::*get)() const;
  uint32_t mask;
  bool whenClear;
  uint32_t gate;
};

const FlagCase kFlags[] = {
    {"AllSystemsGo", &StatusRegObj::AllSystemsGo, 0x400000, false, 0},
    {"HighLevelFeedback", &StatusRegObj::HighLevelFeedback, 0x400000, true, 0x400000},
    {"AmpDisable", &StatusRegObj::AmpDisable, 0x800, false, 0},
    {"EncoderError", &StatusRegObj::EncoderError, 0x1, false, 0},
    {"Hardstopped", &StatusRegObj::Hardstopped, 0x80000, false, 0},
    {"IVfault", &StatusRegObj::IVfault, 0x40, false, 0},
    {"LogicPowerBackup", &StatusRegObj::LogicPowerBackup, 0x40000, false, 0x40000},
    {"NegativeLimit", &StatusRegObj::NegativeLimit, 0x400, false, 0},
    {"NotMoveDone", &StatusRegObj::NotMoveDone, 0x200000, false, 0x200000},
    {"OutOfPosition", &StatusRegObj::OutOfPosition, 0x100000, false, 0x100000},
    {"OutputSaturation", &StatusRegObj::OutputSaturation, 0x20000, false, 0},
    {"OverSpeed", &StatusRegObj::OverSpeed, 0x8000, false, 0},
    {"OverTemp", &StatusRegObj::OverTemp, 0x4000, false, 0},
    {"PositiveLimit", &StatusRegObj::PositiveLimit, 0x200, false, 0},
    {"PWMsaturation", &StatusRegObj::PWMsaturation, 0x10000, false, 0},
    {"RMSshutdown", &StatusRegObj::RMSshutdown, 0x4, false, 0},
    {"StepInputError", &StatusRegObj::StepInputError, 0x2, false, 0},
    {"TempShutdown", &StatusRegObj::TempShutdown, 0x10, false, 0},
    {"TorqueMode", &StatusRegObj::TorqueMode, 0x100, false, 0},
    {"TrackingShutdown", &StatusRegObj::TrackingShutdown, 0x20, false, 0},
    {"VectorSearch", &StatusRegObj::VectorSearch, 0x1000, false, 0},
};

bool Expected(const FlagCase& f, uint32_t bits, uint32_t implemented) {
  if (f.gate != 0 && (implemented & f.gate) == 0) return false;
  return ((bits & f.mask) != 0) != f.whenClear;
}

std::vector<uint32_t> Patterns() {
  std::vector<uint32_t> p = {0, 0xFFFFFFFF, 0x80000000, 0x7FFFFFFF, 0xC0000821, 0x3F802088};
  for (int bit = 0; bit < 32; ++bit) {
    p.push_back(1u << bit);
    p.push_back(~(1u << bit));
    p.push_back((1u << bit) | 0x80000000u);
  }
  return p;
}

TEST_F(StatusDecode, EveryFlagFollowsItsBitWhateverTheSignBit) {
  for (const uint32_t bits : Patterns()) {
    StoreBits(bits);
    for (const auto& f : kFlags) {
      const bool expected = Expected(f, bits, 0xFFFFFFFF);
      EXPECT_EQ((*st.*f.get)(), expected) << f.name << " " << bits;
      EXPECT_EQ(st->GetProperty(f.name), Variant(expected)) << f.name << " " << bits;
    }
  }
}

TEST_F(StatusDecode, ImplementedBitsGateOnlyTheirFourFlags) {
  for (const uint32_t implemented : {0u, 0x40000u, 0x100000u, 0x200000u, 0x400000u, 0xFF8FFFFFu}) {
    st->SetStatusImplemented(static_cast<StatusRegMasks>(implemented));
    for (const uint32_t bits : Patterns()) {
      StoreBits(bits);
      for (const auto& f : kFlags)
        EXPECT_EQ((*st.*f.get)(), Expected(f, bits, implemented))
            << f.name << " bits " << bits << " implemented " << implemented;
    }
  }
}

TEST_F(StatusDecode, AllSystemsGoAndHighLevelFeedbackAreOppositeReadingsOfBit22) {
  StoreBits(0x400000);
  EXPECT_TRUE(st->AllSystemsGo());
  EXPECT_FALSE(st->HighLevelFeedback());
  StoreBits(0);
  EXPECT_FALSE(st->AllSystemsGo());
  EXPECT_TRUE(st->HighLevelFeedback());
  st->SetStatusImplemented(static_cast<StatusRegMasks>(0));
  EXPECT_FALSE(st->HighLevelFeedback());
  StoreBits(0x400000);
  EXPECT_TRUE(st->AllSystemsGo());
}

TEST_F(StatusDecode, LockLevelCountsBit30AsOneAndBit31AsTwo) {
  const struct {
    uint32_t bits;
    LockLevels level;
  } cases[] = {{0, LOCK_LEVEL_0},          {0x40000000, LOCK_LEVEL_1}, {0x80000000, LOCK_LEVEL_2},
               {0xC0000000, LOCK_LEVEL_3}, {0x3FFFFFFF, LOCK_LEVEL_0}, {0x80000001, LOCK_LEVEL_2},
               {0xBFFFFFFF, LOCK_LEVEL_2}, {0xFFFFFFFF, LOCK_LEVEL_3}, {0x7FFFFFFF, LOCK_LEVEL_1}};
  for (const auto& c : cases) {
    StoreBits(c.bits);
    EXPECT_EQ(st->LockLevel(), c.level) << c.bits;
    EXPECT_EQ(st->GetProperty("LockLevel"), Variant(int32_t{c.level})) << c.bits;
    EXPECT_EQ(st->LockLevelRef()->Level(), c.level) << c.bits;  // mirrored on every change
  }
}

TEST_F(StatusDecode, ANumberOutsideThe32BitRangeOverflowsUngatedReads) {
  ExpectOverflow([&] { Store(2147483648.0); });
  for (const auto& f : kFlags) {
    if (f.gate != 0) continue;
    ExpectOverflow([&] { (*st.*f.get)(); });
  }
  ExpectOverflow([&] { st->LockLevel(); });
  ExpectOverflow([&] { st->ActiveBitsStr(); });
  // Gated flags of bits the drive lacks do not read the register at all.
  st->SetStatusImplemented(static_cast<StatusRegMasks>(0));
  EXPECT_FALSE(st->HighLevelFeedback());
  EXPECT_FALSE(st->LogicPowerBackup());
  EXPECT_FALSE(st->NotMoveDone());
  EXPECT_FALSE(st->OutOfPosition());
}

TEST_F(StatusDecode, PropertiesArePublishedInSlotOrder) {
  const auto names = st->PropertyNames();
  const Lines expected = {
      "StatusImplemented", "AllSystemsGo",   "HighLevelFeedback", "AmpDisable",
      "EncoderError",      "Hardstopped",    "IVfault",           "LockLevel",
      "LogicPowerBackup",  "NegativeLimit",  "NotMoveDone",       "OutOfPosition",
      "OutputSaturation",  "OverSpeed",      "OverTemp",          "PositiveLimit",
      "PWMsaturation",     "RMSshutdown",    "StepInputError",    "TempShutdown",
      "TorqueMode",        "TrackingShutdown", "VectorSearch"};
  EXPECT_EQ(Lines(names.begin(), names.end()), expected);
  EXPECT_EQ(st->GetProperty("StatusImplemented"), Variant(int32_t{-1}));
}

TEST_F(StatusDecode, ConstructionSetsUpItsOwnObjects) {
  const auto& v = st->Register();
  EXPECT_EQ(v->Name(), "Status Register");
  EXPECT_EQ(v->SetupA(), 0);
  EXPECT_EQ(v->SetupB(), 6);
  EXPECT_EQ(v->ParamNum(), 72);
  EXPECT_EQ(v->Number()->LowerBoundA(), -2147483648.0);
  EXPECT_EQ(v->Number()->UpperBoundA(), 2147483647.0);
  EXPECT_EQ(v->SetupD(), 6);
  EXPECT_EQ(st->StatusImplemented(), -1);
  ASSERT_NE(st->ConfigReg(), nullptr);
  EXPECT_NE(st->ConfigReg(), StatusRegObj::create()->ConfigReg());  // each makes its own
  ASSERT_NE(st->LockLevelRef(), nullptr);
  EXPECT_EQ(st->LockLevelRef()->Level(), LOCK_LEVEL_0);
  const auto o = CreateObject("StatusRegObj");
  ASSERT_NE(o, nullptr);
  EXPECT_EQ(o->ClassName(), "StatusRegObj");
}

TEST_F(StatusBitStr, TorqueBitsFollowTheMotorKindOfTheConfiguration) {
  const struct {
    int32_t bit;
    const char *rotary, *linear;
  } cases[] = {{0, "Encoder", "Encoder"},
               {3, "Comm. Sensor", "Comm. Sensor"},
               {7, "Brake Mode", "Brake Mode"},
               {8, "Torque Mode", "Force Mode"},
               {10, "\xE2\x80\x93 Limit", "\xE2\x80\x93 Limit"},
               {17, "Torque Sat.", "Force Sat."},
               {22, "HLFB Out", "HLFB Out"},
               {30, "LOCK0", "LOCK0"},
               {31, "LOCK1", "LOCK1"}};
  for (const auto& c : cases) {
    SetLinear(false);
    EXPECT_EQ(st->BitStr(c.bit), c.rotary) << c.bit;
    SetLinear(true);
    EXPECT_EQ(st->BitStr(c.bit), c.linear) << c.bit;
  }
}

TEST_F(StatusBitStr, OnlyTheLinearStyleCountsAsLinear) {
  // Motor styles: 0 brushless rotary, 1 brush rotary, 2 linear, 3 unknown.
  const char* expected[4] = {"Torque Mode", "Torque Mode", "Force Mode", "Torque Mode"};
  for (uint32_t style = 0; style < 4; ++style) {
    test::StoreBits(st->ConfigReg()->Register(), style << 8);
    EXPECT_EQ(st->BitStr(8), expected[style]) << style;
  }
}

TEST_F(StatusBitStr, AnotherConfigurationIsReadFromTheNextCallOn) {
  auto linear = ConfigRegObj::create();
  test::StoreBits(linear->Register(), CONFIG_MASK_LINEAR_MOTOR);
  EXPECT_EQ(st->BitStr(17), "Torque Sat.");
  st->SetConfigReg(linear);
  EXPECT_EQ(st->BitStr(17), "Force Sat.");
}

TEST_F(StatusBitStr, BitsWithoutANameAndBadNumbersFail) {
  for (const int32_t bit : {13, 23, 29, 32, -1}) {
    const std::string id = std::to_string(2410 + bit);
    ExpectError([&] { st->BitStr(bit); }, 326, "ZentNetLib",
                "Resource with identifier '" + id + "' not found");
  }
  ExpectOverflow([&] { st->BitStr(2147483647); });
  ExpectOverflow([&] { st->BitStr(2147481238); });  // 2410 + this is one past the range
}

TEST_F(StatusBitStr, WithoutAConfigurationItFailsBeforeAnyTextIsLoaded) {
  st->SetConfigReg(nullptr);
  EXPECT_EQ(st->ConfigReg(), nullptr);
  ExpectObjectRequired([&] { st->BitStr(0); });
  ExpectObjectRequired([&] { st->BitStr(13); });          // not the missing-text error
  ExpectObjectRequired([&] { st->BitStr(2147483647); });  // nor the overflow
  ExpectObjectRequired([&] { st->ActiveBitsStr(); });
  StoreBits(0x800);
  EXPECT_TRUE(st->AmpDisable());  // nothing else needs it
}

TEST_F(StatusBitStr, ActiveBitsListsNamedSetBitsInOrder) {
  const struct {
    uint32_t bits;
    bool linear;
    const char* list;
  } cases[] = {
      {0, false, ""},
      {0x0821, false, "Encoder, Tracking, Amp Disabled"},
      {0x20100, false, "Torque Mode, Torque Sat."},
      {0x20100, true, "Force Mode, Force Sat."},
      {0x3F802000, false, ""},  // bits without a name
      {0xC0000088, false, "Comm. Sensor, Brake Mode, LOCK0, LOCK1"},
      {0x80000600, true, "+ Limit, \xE2\x80\x93 Limit, LOCK1"},
  };
  for (const auto& c : cases) {
    SetLinear(c.linear);
    StoreBits(c.bits);
    EXPECT_EQ(st->ActiveBitsStr(), c.list) << c.bits;
  }
}

struct BurstCase {
  uint32_t from, to;
  Lines events;
};

TEST_F(StatusEvents, AChangeRaisesOneBurstInItsFixedOrder) {
  const BurstCase cases[] = {
      {0, 0x0821, {"Changed", "EnableChanged false", "Shutdown"}},
      {0x0821, 0, {"Changed", "EnableChanged true"}},
      {0x200, 0x600, {"Changed", "LimitHit"}},
      {0x600, 0x200, {"Changed"}},
      {0, 0xC0088A01,
       {"Changed", "EnableChanged false", "LockChanged", "Shutdown", "Hardstopped", "LimitHit",
        "OverSpeed"}},
      {0xC0088A01, 0, {"Changed", "EnableChanged true", "LockChanged"}},
      {0x8000, 0x8040, {"Changed", "Shutdown"}},  // OverSpeed stays set: not raised again
      {0x80000, 0x80010, {"Changed", "Shutdown"}},
      {0x77, 0x0, {"Changed"}},
      {0x40000000, 0x80000000, {"Changed", "LockChanged"}},
      {0x1000, 0x2000, {"Changed"}},  // flags without an event of their own
  };
  for (const auto& c : cases) {
    Start(c.from);
    StoreBits(c.to);
    EXPECT_EQ(j.lines, c.events) << c.from << " -> " << c.to;
  }
}

TEST_F(StatusEvents, TheLockLevelIsWrittenBeforeTheFaultEvents) {
  sink->onLockChanged = [&] {
    j.Add("level " + std::to_string(st->LockLevelRef()->Level()));
  };
  StoreBits(0x80000001);
  EXPECT_EQ(j.lines, (Lines{"Changed", "LockChanged", "level 2", "Shutdown"}));
}

// A lock-level object that announces every write, even of the level it holds.
class ChattyLock final : public LockLevelObj {
 public:
  LockLevels Level() const override { return level_; }
  void SetLevel(LockLevels& level) override {
    level_ = level;
    events_.Raise(std::shared_ptr<ChattyLock>(), [](LockLevelObjEvents& s) { s.Changed(); });
  }
  Cookie Advise(std::shared_ptr<LockLevelObjEvents> s) override { return events_.Advise(std::move(s)); }
  bool Unadvise(Cookie cookie) override { return events_.Unadvise(cookie); }

 private:
  LockLevels level_ = LOCK_LEVEL_0;
  EventSource<LockLevelObjEvents> events_;
};

TEST(StatusLockObject, WhateverTheLockObjectRaisesDuringTheWriteComesAtThatPlace) {
  SetLockLevelObjFactory([] { return std::make_shared<ChattyLock>(); });
  auto st = StatusRegObj::create();
  SetLockLevelObjFactory(nullptr);
  test::Journal j;
  st->Advise(std::make_shared<StatusRecorder>(j));
  test::StoreBits(st->Register(), 0x0801);
  test::StoreBits(st->Register(), 0x0803);
  EXPECT_EQ(j.lines, (Lines{"Changed", "EnableChanged false", "LockChanged", "Shutdown", "Changed",
                            "LockChanged", "Shutdown"}));
}

TEST_F(StatusEvents, ALevelWrittenIntoTheLockObjectByOthersIsPassedOn) {
  LockLevels level = LOCK_LEVEL_3;
  st->LockLevelRef()->SetLevel(level);
  EXPECT_EQ(j.lines, (Lines{"LockChanged"}));
  EXPECT_EQ(st->LockLevel(), LOCK_LEVEL_0);  // the register is not touched
}

TEST_F(StatusEvents, AChangedListenerThatRefreshesDoesNotDisturbTheBurst) {
  sink->onChanged = [&] { st->Register()->Refresh(); };
  StoreBits(0x40080800);
  EXPECT_EQ(j.lines, (Lines{"Changed", "Refresh", "EnableChanged false", "LockChanged",
                            "Hardstopped"}));
}

TEST_F(StatusEvents, TheBurstFinishesAfterAListenerDropsTheDecoder) {
  const auto value = st->Register();
  std::weak_ptr<StatusRegObj> weak = st;
  sink->onChanged = [&] { st.reset(); };
  test::StoreBits(value, 0x8000);
  EXPECT_EQ(j.lines, (Lines{"Changed", "OverSpeed"}));
  EXPECT_TRUE(weak.expired());
  test::StoreBits(value, 0);
  EXPECT_EQ(j.lines.size(), 2u);
}

TEST_F(StatusEvents, ChangedComesBeforeTheOverflowOfTheComparison) {
  ExpectOverflow([&] { Store(-2147483649.0); });
  EXPECT_EQ(j.lines, (Lines{"Changed"}));
}

TEST_F(StatusEvents, PassThroughEventsCarryTheirArguments) {
  auto value = std::dynamic_pointer_cast<BasicValueObj>(st->Register());
  ASSERT_NE(value, nullptr);
  value->Refresh();
  value->ApplySetup();
  double initial = 4;
  bool processed = false;
  value->RaiseInitializeCache(initial, processed);
  EXPECT_EQ(j.lines, (Lines{"Refresh", "ContentChanged Status Register", "InitializeCache 4"}));
  EXPECT_EQ(initial, 9);
  EXPECT_TRUE(processed);
}

TEST(StatusLifetime, HeldObjectsDoNotKeepTheDecoderAliveNorHearFromIt) {
  auto st = StatusRegObj::create();
  test::Journal j;
  st->Advise(std::make_shared<StatusRecorder>(j));
  const auto value = st->Register();
  const auto lock = st->LockLevelRef();
  std::weak_ptr<StatusRegObj> weak = st;
  st.reset();
  EXPECT_TRUE(weak.expired());
  test::StoreBits(value, 0xC0000801);
  LockLevels level = LOCK_LEVEL_1;
  lock->SetLevel(level);
  EXPECT_TRUE(j.lines.empty());
}

}  // namespace
}  // namespace zentnet

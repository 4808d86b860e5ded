// Sound-event settings: the mask, the master switch that gates every condition, and
// exactly one event per write.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recorder.h"
#include "zentnet/services/SoundEventsObj.h"

namespace zentnet {
namespace {

using test::Journal;

struct Recorder : SoundEventsObjEvents {
  Journal* journal;
  explicit Recorder(Journal* j) : journal(j) {}
  void Changed() override { journal->Add("Changed"); }
  void ControlChanged() override { journal->Add("ControlChanged"); }
};

struct Condition {
  const char* name;
  SoundEvents bit;
  void (SoundEventsObj::*set)(bool);
  bool (SoundEventsObj::*get)() const;
};

constexpr Condition kConditions[] = {
    {"TorqueSaturation", SOUNDS_TORQUE_SAT, &SoundEventsObj::SetTorqueSaturation,
     &SoundEventsObj::TorqueSaturation},
    {"VoltageSaturation", SOUNDS_VOLT_SAT, &SoundEventsObj::SetVoltageSaturation,
     &SoundEventsObj::VoltageSaturation},
    {"LimitAssertion", SOUNDS_LIMITS, &SoundEventsObj::SetLimitAssertion, &SoundEventsObj::LimitAssertion},
    {"Shutdown", SOUNDS_SHUTDOWN, &SoundEventsObj::SetShutdown, &SoundEventsObj::Shutdown},
    {"OffOnLine", SOUNDS_OFF_ONLINE, &SoundEventsObj::SetOffOnLine, &SoundEventsObj::OffOnLine},
};

class SoundsTest : public ::testing::Test {
 protected:
  void SetUp() override { sounds->Advise(std::make_shared<Recorder>(&journal)); }

  // Which conditions read true, as a string of five 0/1 in table order.
  std::string Reads() const {
    std::string r;
    for (const auto& c : kConditions) r += ((*sounds).*c.get)() ? '1' : '0';
    return r;
  }

  std::shared_ptr<SoundEventsObj> sounds = SoundEventsObj::create();
  Journal journal;
};

TEST_F(SoundsTest, NewObjectSelectsEverythingButTheSwitchIsOff) {
  EXPECT_EQ(sounds->Bits(), 2147483647);
  EXPECT_FALSE(sounds->Control());
  EXPECT_EQ(Reads(), "00000");

  sounds->SetControl(true);
  EXPECT_EQ(Reads(), "11111");
  EXPECT_EQ(sounds->Bits(), 2147483647);

  sounds->SetControl(false);
  EXPECT_EQ(Reads(), "00000");
  EXPECT_EQ(sounds->Bits(), 2147483647);
}

TEST_F(SoundsTest, EachConditionOwnsExactlyItsBit) {
  sounds->SetControl(true);
  for (size_t i = 0; i < std::size(kConditions); ++i) {
    const auto& c = kConditions[i];
    SCOPED_TRACE(c.name);
    sounds->RestoreAll();

    ((*sounds).*c.set)(false);
    EXPECT_EQ(sounds->Bits(), SOUNDS_ALL & ~c.bit);
    std::string expected = "11111";
    expected[i] = '0';
    EXPECT_EQ(Reads(), expected);

    ((*sounds).*c.set)(true);
    EXPECT_EQ(sounds->Bits(), SOUNDS_ALL);
    EXPECT_EQ(Reads(), "11111");
  }
}

TEST_F(SoundsTest, ClearingVoltageSaturationLeavesTheOthers) {
  sounds->SetControl(true);
  sounds->SetVoltageSaturation(false);
  EXPECT_TRUE(sounds->TorqueSaturation());
  EXPECT_FALSE(sounds->VoltageSaturation());
  EXPECT_EQ(sounds->Bits(), 2147483645);
}

TEST_F(SoundsTest, ConditionsAddToAWholeMask) {
  struct Case {
    int32_t bits;
    void (SoundEventsObj::*set)(bool);
    bool on;
    int32_t after;
  };
  const Case cases[] = {
      {0, &SoundEventsObj::SetShutdown, true, 8},
      {0, &SoundEventsObj::SetShutdown, false, 0},
      {8, &SoundEventsObj::SetShutdown, true, 8},
      {0, &SoundEventsObj::SetOffOnLine, true, 16},
      // Bits without a name, and the sign bit, are stored and kept.
      {-1, &SoundEventsObj::SetVoltageSaturation, false, -3},
      {static_cast<int32_t>(0x80000020u), &SoundEventsObj::SetTorqueSaturation, true,
       static_cast<int32_t>(0x80000021u)},
      {0x100, &SoundEventsObj::SetLimitAssertion, true, 0x104},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bits);
    sounds->SetBits(static_cast<SoundEvents>(c.bits));
    EXPECT_EQ(sounds->Bits(), c.bits);
    ((*sounds).*c.set)(c.on);
    EXPECT_EQ(sounds->Bits(), c.after);
  }
}

TEST_F(SoundsTest, TheSwitchGatesTheReadsButNotTheMask) {
  sounds->SetBits(static_cast<SoundEvents>(SOUNDS_TORQUE_SAT | SOUNDS_SHUTDOWN));
  EXPECT_EQ(Reads(), "00000");
  sounds->SetControl(true);
  EXPECT_EQ(Reads(), "10010");
  sounds->SetBits(SOUNDS_OFF);
  EXPECT_EQ(Reads(), "00000");
  EXPECT_TRUE(sounds->Control());
}

TEST_F(SoundsTest, RestoreAllSelectsEverythingAgain) {
  sounds->SetBits(static_cast<SoundEvents>(-1));
  sounds->RestoreAll();
  EXPECT_EQ(sounds->Bits(), SOUNDS_ALL);
  sounds->SetBits(SOUNDS_OFF);
  sounds->RestoreAll();
  EXPECT_EQ(sounds->Bits(), SOUNDS_ALL);
}

TEST_F(SoundsTest, EveryWriteRaisesExactlyOneEventEvenWithoutAChange) {
  struct Case {
    const char* what;
    void (*write)(SoundEventsObj&);
    const char* event;
  };
  const Case cases[] = {
      {"TorqueSaturation", [](SoundEventsObj& s) { s.SetTorqueSaturation(true); }, "Changed"},
      {"VoltageSaturation", [](SoundEventsObj& s) { s.SetVoltageSaturation(true); }, "Changed"},
      {"LimitAssertion", [](SoundEventsObj& s) { s.SetLimitAssertion(true); }, "Changed"},
      {"Shutdown", [](SoundEventsObj& s) { s.SetShutdown(true); }, "Changed"},
      {"OffOnLine", [](SoundEventsObj& s) { s.SetOffOnLine(true); }, "Changed"},
      {"OffOnLine false", [](SoundEventsObj& s) { s.SetOffOnLine(false); }, "Changed"},
      {"Bits", [](SoundEventsObj& s) { s.SetBits(SOUNDS_ALL); }, "Changed"},
      {"RestoreAll", [](SoundEventsObj& s) { s.RestoreAll(); }, "Changed"},
      {"Control false", [](SoundEventsObj& s) { s.SetControl(false); }, "ControlChanged"},
      {"Control true", [](SoundEventsObj& s) { s.SetControl(true); }, "ControlChanged"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    // Twice: the second write stores what is already there and still raises.
    for (int i = 0; i < 2; ++i) {
      journal.Clear();
      c.write(*sounds);
      EXPECT_EQ(journal.lines, std::vector<std::string>{c.event});
    }
  }
}

TEST_F(SoundsTest, SinksSeeTheNewStateWhenTheEventArrives) {
  struct Reader : SoundEventsObjEvents {
    SoundEventsObj* s;
    Journal* j;
    void Changed() override { j->Add("Changed bits=" + std::to_string(s->Bits())); }
    void ControlChanged() override { j->Add(std::string("ControlChanged ") + (s->Control() ? "on" : "off")); }
  };
  auto reader = std::make_shared<Reader>();
  reader->s = sounds.get();
  reader->j = &journal;
  sounds->Advise(reader);

  sounds->SetBits(SOUNDS_OFF);
  sounds->SetShutdown(true);
  sounds->SetControl(true);
  EXPECT_EQ(journal.lines, (std::vector<std::string>{"Changed", "Changed bits=0", "Changed",
                                                     "Changed bits=8", "ControlChanged",
                                                     "ControlChanged on"}));
}

TEST_F(SoundsTest, PropertiesReadByName) {
  sounds->SetControl(true);
  sounds->SetShutdown(false);
  const std::pair<const char*, Variant> expected[] = {
      {"LimitAssertion", true}, {"OffOnLine", true}, {"Shutdown", false},      {"TorqueSaturation", true},
      {"VoltageSaturation", true}, {"Bits", int32_t{0x7FFFFFF7}}, {"Control", true},
  };
  ASSERT_EQ(sounds->PropertyNames().size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(sounds->PropertyNames()[i], expected[i].first);
    EXPECT_EQ(sounds->GetProperty(expected[i].first), expected[i].second) << expected[i].first;
  }
}

}  // namespace
}  // namespace zentnet

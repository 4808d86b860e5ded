// Sound-event settings: the mask, the master switch that gates every condition, and exactly
// one event per write, raised after the new state is stored.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recorder.h"
#include "service_support.h"
#include "zentnet/services/SoundEventsObj.h"

namespace zentnet {
namespace {

using Obj = SoundEventsObj;

struct Condition {
  SoundEvents bit;
  void (Obj::*set)(bool);
  bool (Obj::*get)() const;
};
constexpr Condition kConditions[] = {
    {SOUNDS_TORQUE_SAT, &Obj::SetTorqueSaturation, &Obj::TorqueSaturation},
    {SOUNDS_VOLT_SAT, &Obj::SetVoltageSaturation, &Obj::VoltageSaturation},
    {SOUNDS_LIMITS, &Obj::SetLimitAssertion, &Obj::LimitAssertion},
    {SOUNDS_SHUTDOWN, &Obj::SetShutdown, &Obj::Shutdown},
    {SOUNDS_OFF_ONLINE, &Obj::SetOffOnLine, &Obj::OffOnLine},
};

class SoundsTest : public ::testing::Test {
 protected:
  // Journals each event with the state a sink reads back at that moment.
  struct Recorder : SoundEventsObjEvents {
    SoundsTest* t = nullptr;
    void Changed() override { t->journal.Add("Changed " + std::to_string(t->sounds->Bits())); }
    void ControlChanged() override { t->journal.Add("ControlChanged " + t->Reads()); }
  };
  void SetUp() override {
    auto r = std::make_shared<Recorder>();
    r->t = this;
    sounds->Advise(r);
  }
  // Which conditions read true, one 0/1 per condition in table order.
  std::string Reads() const {
    std::string r;
    for (const auto& c : kConditions) r += ((*sounds).*c.get)() ? '1' : '0';
    return r;
  }

  std::shared_ptr<Obj> sounds = Obj::create();
  test::Journal journal;
};

TEST_F(SoundsTest, EverythingIsSelectedButTheSwitchGatesEveryRead) {
  EXPECT_EQ(test::Properties(*sounds),
            "LimitAssertion=False;OffOnLine=False;Shutdown=False;TorqueSaturation=False;"
            "VoltageSaturation=False;Bits=2147483647;Control=False;");
  sounds->SetControl(true);
  EXPECT_EQ(Reads(), "11111");
  sounds->SetVoltageSaturation(false);
  EXPECT_EQ(test::Properties(*sounds),
            "LimitAssertion=True;OffOnLine=True;Shutdown=True;TorqueSaturation=True;"
            "VoltageSaturation=False;Bits=2147483645;Control=True;");
  sounds->SetControl(false);
  EXPECT_EQ(Reads(), "00000");
  EXPECT_EQ(sounds->Bits(), 2147483645);
}

TEST_F(SoundsTest, EachConditionOwnsExactlyItsBit) {
  sounds->SetControl(true);
  for (size_t i = 0; i < std::size(kConditions); ++i) {
    const auto& c = kConditions[i];
    SCOPED_TRACE(c.bit);
    ((*sounds).*c.set)(false);
    EXPECT_EQ(sounds->Bits(), SOUNDS_ALL & ~c.bit);
    EXPECT_EQ(Reads(), std::string("11111").replace(i, 1, "0"));
    ((*sounds).*c.set)(true);
    EXPECT_EQ(sounds->Bits(), SOUNDS_ALL);
  }
}

TEST_F(SoundsTest, AConditionChangesOnlyItsBitOfAWholeMask) {
  const std::tuple<int32_t, void (Obj::*)(bool), bool, int32_t> cases[] = {
      {0, &Obj::SetShutdown, true, 8},
      {0, &Obj::SetShutdown, false, 0},
      {8, &Obj::SetShutdown, true, 8},
      // Bits without a name, and the sign bit, are stored and kept.
      {-1, &Obj::SetVoltageSaturation, false, -3},
      {static_cast<int32_t>(0x80000120u), &Obj::SetLimitAssertion, true, static_cast<int32_t>(0x80000124u)},
  };
  for (const auto& [bits, set, on, after] : cases) {
    sounds->SetBits(static_cast<SoundEvents>(bits));
    EXPECT_EQ(sounds->Bits(), bits);
    ((*sounds).*set)(on);
    EXPECT_EQ(sounds->Bits(), after) << bits;
  }
  sounds->RestoreAll();
  EXPECT_EQ(sounds->Bits(), SOUNDS_ALL);
}

TEST_F(SoundsTest, EveryWriteRaisesExactlyOneEventEvenWithoutAChange) {
  const std::pair<void (*)(Obj&), const char*> cases[] = {
      {[](Obj& s) { s.SetTorqueSaturation(true); }, "Changed 2147483647"},
      {[](Obj& s) { s.SetVoltageSaturation(true); }, "Changed 2147483647"},
      {[](Obj& s) { s.SetLimitAssertion(true); }, "Changed 2147483647"},
      {[](Obj& s) { s.SetOffOnLine(true); }, "Changed 2147483647"},
      {[](Obj& s) { s.SetBits(SOUNDS_OFF); }, "Changed 0"},
      {[](Obj& s) { s.SetShutdown(true); }, "Changed 8"},
      {[](Obj& s) { s.SetShutdown(false); }, "Changed 0"},
      {[](Obj& s) { s.RestoreAll(); }, "Changed 2147483647"},
      {[](Obj& s) { s.SetControl(true); }, "ControlChanged 11111"},
      {[](Obj& s) { s.SetControl(false); }, "ControlChanged 00000"},
  };
  for (const auto& [write, event] : cases) {
    // Twice: the second write stores what is already there and still raises.
    for (int i = 0; i < 2; ++i) {
      journal.Clear();
      write(*sounds);
      EXPECT_EQ(journal.lines, std::vector<std::string>{event});
    }
  }
}

}  // namespace
}  // namespace zentnet

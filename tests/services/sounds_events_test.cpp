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

class SoundsTest : public ::testing::Test, public SoundEventsObjEvents {
 protected:
  // Journals each event with the state a sink reads back at that moment.
  void Changed() override { journal.Add("Changed " + std::to_string(sounds->Bits())); }
  void ControlChanged() override { journal.Add("ControlChanged " + std::to_string(sounds->Control())); }

  std::shared_ptr<Obj> sounds = Obj::create();
  test::Journal journal;
};

TEST_F(SoundsTest, EachConditionOwnsItsBitAndTheSwitchGatesEveryRead) {
  EXPECT_EQ(test::Properties(*sounds),
            "LimitAssertion=False;OffOnLine=False;Shutdown=False;TorqueSaturation=False;"
            "VoltageSaturation=False;Bits=2147483647;Control=False;");
  // The five conditions as T or F, in published order.
  auto reads = [&] {
    std::string r;
    for (size_t i = 0; i < 5; ++i) r += sounds->GetProperty(sounds->PropertyNames()[i]).ToString()[0];
    return r;
  };
  const std::tuple<void (Obj::*)(bool), int32_t, const char*> conditions[] = {
      {&Obj::SetTorqueSaturation, 1, "TTTFT"}, {&Obj::SetVoltageSaturation, 2, "TTTTF"},
      {&Obj::SetLimitAssertion, 4, "FTTTT"},   {&Obj::SetShutdown, 8, "TTFTT"},
      {&Obj::SetOffOnLine, 16, "TFTTT"},
  };
  for (const auto& [set, bit, read] : conditions) {
    ((*sounds).*set)(false);
    EXPECT_EQ(sounds->Bits(), SOUNDS_ALL & ~bit);  // 2147483645 for VoltageSaturation
    EXPECT_EQ(reads(), "FFFFF");
    sounds->SetControl(true);
    EXPECT_EQ(reads(), read);
    ((*sounds).*set)(true);
    EXPECT_EQ(reads(), "TTTTT");
    sounds->SetControl(false);
  }
}

TEST_F(SoundsTest, AConditionChangesOnlyItsBitOfAWholeMask) {
  const std::tuple<int32_t, void (Obj::*)(bool), bool, int32_t> cases[] = {
      {0, &Obj::SetShutdown, true, 8}, {8, &Obj::SetShutdown, true, 8}, {8, &Obj::SetShutdown, false, 0},
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
}

TEST_F(SoundsTest, EveryWriteRaisesExactlyOneEventEvenWithoutAChange) {
  sounds->Advise(std::shared_ptr<SoundEventsObjEvents>(std::shared_ptr<void>(), this));  // not owned
  const std::pair<void (*)(Obj&), const char*> cases[] = {
      {[](Obj& s) { s.SetTorqueSaturation(true); }, "Changed 2147483647"},
      {[](Obj& s) { s.SetVoltageSaturation(true); }, "Changed 2147483647"},
      {[](Obj& s) { s.SetLimitAssertion(true); }, "Changed 2147483647"},
      {[](Obj& s) { s.SetOffOnLine(true); }, "Changed 2147483647"},
      {[](Obj& s) { s.SetBits(SOUNDS_OFF); }, "Changed 0"},
      {[](Obj& s) { s.SetShutdown(true); }, "Changed 8"},
      {[](Obj& s) { s.SetShutdown(false); }, "Changed 0"},
      {[](Obj& s) { s.RestoreAll(); }, "Changed 2147483647"},
      {[](Obj& s) { s.SetControl(true); }, "ControlChanged 1"},
      {[](Obj& s) { s.SetControl(false); }, "ControlChanged 0"},
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

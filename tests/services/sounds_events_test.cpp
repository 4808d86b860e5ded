// Sound-event settings: each condition's bit of the mask, and exactly one event per write,
// raised after the new state is stored.

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
  void ControlChanged() override {
    journal.Add("ControlChanged " + std::to_string(sounds->Control()));
  }

  std::shared_ptr<Obj> sounds = Obj::create();
  test::Journal journal;
};

TEST_F(SoundsTest, AConditionChangesOnlyItsBitOfAWholeMask) {
  // Bits without a name, and the sign bit, are stored and kept.
  for (const auto& [bits, on, after] :
       {std::tuple{-1, false, -5},
        {static_cast<int32_t>(0x80000120u), true, static_cast<int32_t>(0x80000124u)}}) {
    sounds->SetBits(static_cast<SoundEvents>(bits));
    EXPECT_EQ(sounds->Bits(), bits);
    sounds->SetLimitAssertion(on);
    EXPECT_EQ(sounds->Bits(), after) << bits;
  }
}

TEST_F(SoundsTest, EveryWriteRaisesExactlyOneEventEvenWithoutAChange) {
  sounds->Advise(
      std::shared_ptr<SoundEventsObjEvents>(std::shared_ptr<void>(), this));  // not owned
  const std::pair<void (*)(Obj&), const char*> cases[] = {
      {[](Obj& s) { s.SetTorqueSaturation(true); }, "Changed 2147483647"},
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

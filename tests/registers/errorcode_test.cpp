// The error-code register: one flag per cause, the shutdown test and the list of causes.

#include "support.h"

namespace zentnet::test {
namespace {

using ErrorCode = DecoderTest<ErrorCodeObj>;

// The problem of each bit from bit 2 to bit 15.
// clang-format off
const char* const kProblemOfBit[16] = {
    "", "", "OverVoltageCurrent", "Thermal", "Tracking", "RMSoverload", "EncoderProblems",
    "StepInputProblems", "CommutationProblems", "ADCproblems", "EEnotInitialized",
    "EEhardwareProblems", "VectorSetupProblems", "CurrentSensorProblems", "LogicPowerBackedUp",
    "LogicPowerRecoveryFailed"};
// clang-format on

TEST_F(ErrorCode, EachProblemFollowsOnlyItsBit) {
  for (uint32_t target = 2; target < 16; ++target) {
    const uint32_t mask = 1u << target;
    for (const uint32_t bits : {mask, ~mask, mask | 0x80000000u}) {
      StoreBits(value, bits);
      for (uint32_t bit = 2; bit < 16; ++bit)
        EXPECT_EQ(obj->GetProperty(kProblemOfBit[bit]).ToBool(), (bits >> bit & 1) != 0)
            << kProblemOfBit[bit] << " in " << Hex(bits);
    }
  }
  Store(7.5);  // ties go to the even neighbour: 8, the thermal bit
  EXPECT_TRUE(obj->Thermal());
  EXPECT_FALSE(obj->OverVoltageCurrent());
}

// The unconverted number: a fraction that converts to 0, or a number past the 32-bit range,
// still tells that something is set.
TEST_F(ErrorCode, IsShutdownLooksAtTheNumberItself) {
  const std::pair<double, bool> cases[] = {
      {0, false}, {-0.4, true}, {65536, true}, {2147483648.0, true}};
  for (const auto& [number, shutdown] : cases) {
    Store(number);
    EXPECT_EQ(obj->IsShutdown(), shutdown) << number;
  }
  Store(0.4);
  EXPECT_FALSE(obj->Thermal());
  EXPECT_EQ(obj->ErrorListStr(), "");
}

TEST_F(ErrorCode, SetCausesAreListedInBitOrder) {
  const std::pair<uint32_t, const char*> cases[] = {
      {0, ""},
      {0x1, "N/A 0"},
      {0x10008, "Thermal shutdown, Drive Shutdown"},
      {0x7C000000, "Memory Failure, N/A 27, N/A 28, N/A 29, N/A 30"},
      {0x80000000, ""},  // the sign bit names no cause
      {0x80000020, "RMS shutdown"},
      {0x20A0000, "Over-Current Shutdown, IBUS Sensor Failure, Move Generation Error"},
  };
  for (const auto& [bits, list] : cases) {
    StoreBits(value, bits);
    EXPECT_EQ(obj->ErrorListStr(), list) << bits;
  }
}

TEST_F(ErrorCode, EveryChangeOfTheNumberRaisesChangedAndRefreshAsksTheValueObject) {
  Store(0.4);  // decodes as before, still a change of the number
  Store(0.3);
  Store(0.3);  // the same number: nothing is compared
  obj->Refresh();
  EXPECT_EQ(rec->lines, (Lines{"Changed", "Changed", "Changed", "Refresh"}));
}

}  // namespace
}  // namespace zentnet::test

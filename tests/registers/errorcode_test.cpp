// The error-code register: one flag per cause, the shutdown test and the list of causes.

#include "support.h"

namespace zentnet::test {
namespace {

struct ErrorCode : ::testing::Test {
  std::shared_ptr<ErrorCodeObj> ec = ErrorCodeObj::create();
  std::shared_ptr<Recorder> rec = std::make_shared<Recorder>();
  void SetUp() override { ec->Advise(rec); }
  void Store(double v) { ec->Register()->Number()->SetValue(v); }
};

struct ProblemCase {
  const char* name;
  bool (ErrorCodeObj::*get)() const;
  uint32_t mask;
};

using E = ErrorCodeObj;
const ProblemCase kProblems[] = {
    {"ADCproblems", &E::ADCproblems, 0x200},
    {"CommutationProblems", &E::CommutationProblems, 0x100},
    {"CurrentSensorProblems", &E::CurrentSensorProblems, 0x2000},
    {"EEhardwareProblems", &E::EEhardwareProblems, 0x800},
    {"EEnotInitialized", &E::EEnotInitialized, 0x400},
    {"EncoderProblems", &E::EncoderProblems, 0x40},
    {"LogicPowerBackedUp", &E::LogicPowerBackedUp, 0x4000},
    {"LogicPowerRecoveryFailed", &E::LogicPowerRecoveryFailed, 0x8000},
    {"OverVoltageCurrent", &E::OverVoltageCurrent, 0x4},
    {"RMSoverload", &E::RMSoverload, 0x20},
    {"VectorSetupProblems", &E::VectorSetupProblems, 0x1000},
    {"StepInputProblems", &E::StepInputProblems, 0x80},
    {"Thermal", &E::Thermal, 0x8},
    {"Tracking", &E::Tracking, 0x10},
};

TEST_F(ErrorCode, EachProblemFollowsOnlyItsBit) {
  for (const auto& target : kProblems) {
    for (const uint32_t bits : {target.mask, ~target.mask, target.mask | 0x80000000u}) {
      StoreBits(ec->Register(), bits);
      for (const auto& p : kProblems)
        EXPECT_EQ((*ec.*p.get)(), (bits & p.mask) != 0) << p.name << " in " << bits;
    }
  }
  Store(7.5);  // ties go to the even neighbour: 8, the thermal bit
  EXPECT_TRUE(ec->Thermal());
  EXPECT_FALSE(ec->OverVoltageCurrent());
}

// The unconverted number: a fraction that converts to 0, or a number past the 32-bit range,
// still tells that something is set.
TEST_F(ErrorCode, IsShutdownLooksAtTheNumberItself) {
  const std::pair<double, bool> cases[] = {{0, false},           {0.4, true},
                                           {-0.4, true},         {65536, true},
                                           {2147483648.0, true}, {-2147483648.0, true}};
  for (const auto& [number, shutdown] : cases) {
    Store(number);
    EXPECT_EQ(ec->IsShutdown(), shutdown) << number;
  }
  Store(0.4);
  for (const auto& p : kProblems) EXPECT_FALSE((*ec.*p.get)()) << p.name;
  EXPECT_EQ(ec->ErrorListStr(), "");
}

TEST_F(ErrorCode, SetCausesAreListedInBitOrder) {
  const std::pair<uint32_t, const char*> cases[] = {
      {0, ""},
      {0x1, "N/A 0"},
      {0x10008, "Thermal shutdown, Drive Shutdown"},
      {0x10, "Tracking  shutdown"},
      {0x8000, "Power-Up Pos'n Recovery Window Exceeded"},
      {0x7C000000, "Memory Failure, N/A 27, N/A 28, N/A 29, N/A 30"},
      {0x80000000, ""},  // the sign bit names no cause
      {0x80000020, "RMS shutdown"},
      {0x20A0000, "Over-Current Shutdown, IBUS Sensor Failure, Move Generation Error"},
  };
  for (const auto& [bits, list] : cases) {
    StoreBits(ec->Register(), bits);
    EXPECT_EQ(ec->ErrorListStr(), list) << bits;
  }
}

TEST_F(ErrorCode, EveryChangeOfTheNumberRaisesChangedAndRefreshAsksTheValueObject) {
  Store(0.4);  // decodes as before, still a change of the number
  Store(0.3);
  Store(0.3);  // same number: the value object stays quiet
  ec->Refresh();
  EXPECT_EQ(rec->lines, (Lines{"Changed", "Changed", "Refresh"}));
}

}  // namespace
}  // namespace zentnet::test

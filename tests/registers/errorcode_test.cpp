#include "zentnet/registers/ErrorCodeObj.h"

#include <gtest/gtest.h>

#include <functional>

#include "decoder_test_support.h"
#include "recorder.h"
#include "zentnet/factory.h"
#include "zentnet/values/values.h"

namespace zentnet {
namespace {

using Lines = std::vector<std::string>;
using test::ExpectObjectRequired;
using test::ExpectOverflow;

class ErrorRecorder : public ErrorCodeObjEvents {
 public:
  explicit ErrorRecorder(test::Journal& j) : j_(j) {}
  void Changed() override {
    j_.Add("Changed");
    if (onChanged) onChanged();
  }
  void Refresh() override { j_.Add("Refresh"); }
  void InitializeCache(double& initial, bool& processed) override {
    j_.Add("InitializeCache " + std::to_string(static_cast<int>(initial)));
    initial = 42;
    processed = true;
  }
  std::function<void()> onChanged;

 private:
  test::Journal& j_;
};

struct ErrorCodeFixture : ::testing::Test {
  std::shared_ptr<ErrorCodeObj> ec = ErrorCodeObj::create();
  test::Journal j;
  std::shared_ptr<ErrorRecorder> sink = std::make_shared<ErrorRecorder>(j);
  void SetUp() override { ec->Advise(sink); }
  void Store(double v) { ec->Register()->Number()->SetValue(v); }
  void StoreBits(uint32_t bits) { test::StoreBits(ec->Register(), bits); }
};

using ErrorCodeDecode = ErrorCodeFixture;
using ErrorCodeList = ErrorCodeFixture;
using ErrorCodeEvents = ErrorCodeFixture;

struct ProblemCase {
  const char* name;
  bool (ErrorCodeObj::*get)() const;
  uint32_t mask;
};

const ProblemCase kProblems[] = {
    {"ADCproblems", &ErrorCodeObj::ADCproblems, 0x200},
    {"CommutationProblems", &ErrorCodeObj::CommutationProblems, 0x100},
    {"CurrentSensorProblems", &ErrorCodeObj::CurrentSensorProblems, 0x2000},
    {"EEhardwareProblems", &ErrorCodeObj::EEhardwareProblems, 0x800},
    {"EEnotInitialized", &ErrorCodeObj::EEnotInitialized, 0x400},
    {"EncoderProblems", &ErrorCodeObj::EncoderProblems, 0x40},
    {"LogicPowerBackedUp", &ErrorCodeObj::LogicPowerBackedUp, 0x4000},
    {"LogicPowerRecoveryFailed", &ErrorCodeObj::LogicPowerRecoveryFailed, 0x8000},
    {"OverVoltageCurrent", &ErrorCodeObj::OverVoltageCurrent, 0x4},
    {"RMSoverload", &ErrorCodeObj::RMSoverload, 0x20},
    {"VectorSetupProblems", &ErrorCodeObj::VectorSetupProblems, 0x1000},
    {"StepInputProblems", &ErrorCodeObj::StepInputProblems, 0x80},
    {"Thermal", &ErrorCodeObj::Thermal, 0x8},
    {"Tracking", &ErrorCodeObj::Tracking, 0x10},
};

TEST_F(ErrorCodeDecode, EachProblemFollowsOnlyItsBitIncludingWithTheSignBitSet) {
  for (const uint32_t background : {0u, 0x80000000u}) {
    for (const auto& target : kProblems) {
      for (const bool inverted : {false, true}) {
        const uint32_t bits = (inverted ? ~target.mask : target.mask) | background;
        StoreBits(bits);
        SCOPED_TRACE(std::string(target.name) + " register " + std::to_string(bits));
        for (const auto& p : kProblems) {
          const bool expected = ((bits & p.mask) != 0);
          EXPECT_EQ((*ec.*p.get)(), expected) << p.name;
          EXPECT_EQ(ec->GetProperty(p.name), Variant(expected)) << p.name;
        }
        EXPECT_TRUE(ec->IsShutdown());
      }
    }
  }
}

TEST_F(ErrorCodeDecode, IsShutdownLooksAtTheUnconvertedNumber) {
  const struct {
    double number;
    bool shutdown;
  } cases[] = {{0, false}, {0.4, true}, {-0.4, true}, {1, true}, {-2147483648.0, true},
               {65536, true}, {2147483648.0, true}, {1e12, true}};
  for (const auto& c : cases) {
    Store(c.number);
    EXPECT_EQ(ec->IsShutdown(), c.shutdown) << c.number;
  }
}

TEST_F(ErrorCodeDecode, FractionsRoundBeforeTheBitsAreRead) {
  Store(0.4);  // converts to 0
  for (const auto& p : kProblems) EXPECT_FALSE((*ec.*p.get)()) << p.name;
  EXPECT_EQ(ec->ErrorListStr(), "");
  Store(7.5);  // ties go to the even neighbour: 8, the thermal bit
  EXPECT_TRUE(ec->Thermal());
  EXPECT_FALSE(ec->OverVoltageCurrent());
  Store(4.5);  // 4
  EXPECT_TRUE(ec->OverVoltageCurrent());
  EXPECT_EQ(ec->ErrorListStr(), "Over-current/voltage (I/V) shutdown");
}

TEST_F(ErrorCodeDecode, ANumberOutsideThe32BitRangeOverflowsButStillCountsAsShutdown) {
  // The value object does not bound the number; the decoder's change event compares nothing.
  Store(2147483648.0);
  for (const auto& p : kProblems) ExpectOverflow([&] { (*ec.*p.get)(); });
  ExpectOverflow([&] { ec->ErrorListStr(); });
  EXPECT_TRUE(ec->IsShutdown());
  Store(-2147483649.0);
  ExpectOverflow([&] { ec->Thermal(); });
}

TEST_F(ErrorCodeDecode, WithoutARegisterEveryMemberIsAMissingObject) {
  ec->SetRegister(nullptr);
  EXPECT_EQ(ec->Register(), nullptr);
  for (const auto& p : kProblems) ExpectObjectRequired([&] { (*ec.*p.get)(); });
  ExpectObjectRequired([&] { ec->IsShutdown(); });
  ExpectObjectRequired([&] { ec->ErrorListStr(); });
  ExpectObjectRequired([&] { ec->Refresh(); });
  for (const auto name : ec->PropertyNames())
    ExpectObjectRequired([&] { ec->GetProperty(name); });
}

TEST_F(ErrorCodeDecode, PropertiesArePublishedInSlotOrder) {
  const auto names = ec->PropertyNames();
  const Lines expected = {"ADCproblems", "CommutationProblems", "CurrentSensorProblems",
                          "EEhardwareProblems", "EEnotInitialized", "EncoderProblems",
                          "LogicPowerBackedUp", "LogicPowerRecoveryFailed", "OverVoltageCurrent",
                          "RMSoverload", "VectorSetupProblems", "StepInputProblems", "Thermal",
                          "Tracking", "IsShutdown"};
  EXPECT_EQ(Lines(names.begin(), names.end()), expected);
  StoreBits(0);
  EXPECT_EQ(ec->GetProperty("isshutdown"), Variant(false));
}

TEST_F(ErrorCodeDecode, TheOwnValueObjectIsSetUpAtConstruction) {
  const auto& v = ec->Register();
  EXPECT_EQ(v->Name(), "Error Blink Codes");
  EXPECT_EQ(v->SetupA(), 0);
  EXPECT_EQ(v->SetupB(), 26);
  EXPECT_EQ(v->ParamNum(), 26);
  EXPECT_EQ(v->SetupE(), -1);
  EXPECT_EQ(v->SetupF(), -1);
  EXPECT_EQ(v->Number()->LowerBoundB(), -32768);
  EXPECT_EQ(v->SetupC(), 1);
  EXPECT_EQ(v->SetupD(), 6);
  EXPECT_EQ(v->SetupG(), 0);
  EXPECT_EQ(v->Number()->Value(), 0);
}

TEST(ErrorCodeFactory, TheClassFactoryMakesOne) {
  const auto o = CreateObject("ErrorCodeObj");
  ASSERT_NE(o, nullptr);
  EXPECT_EQ(o->ClassName(), "ErrorCodeObj");
  EXPECT_NE(std::dynamic_pointer_cast<ErrorCodeObj>(o), nullptr);
}

struct ListCase {
  uint32_t bits;
  const char* list;
};

TEST_F(ErrorCodeList, SetCausesAreListedInBitOrder) {
  const ListCase cases[] = {
      {0, ""},
      {0x1, "N/A 0"},
      {0x3, "N/A 0, N/A 1"},
      {0x10008, "Thermal shutdown, Drive Shutdown"},
      {0x10, "Tracking  shutdown"},
      {0x8000, "Power-Up Pos'n Recovery Window Exceeded"},
      {0x4000000, "Memory Failure"},
      {0x7C000000, "Memory Failure, N/A 27, N/A 28, N/A 29, N/A 30"},
      {0x40000000, "N/A 30"},
      {0x80000000, ""},  // the sign bit names no cause
      {0x80000020, "RMS shutdown"},
      {0x20A0000, "Over-Current Shutdown, IBUS Sensor Failure, Move Generation Error"},
  };
  for (const auto& c : cases) {
    StoreBits(c.bits);
    EXPECT_EQ(ec->ErrorListStr(), c.list) << c.bits;
  }
}

TEST_F(ErrorCodeList, EveryBitButTheSignHasItsCause) {
  StoreBits(0xFFFFFFFF);
  const std::string all = ec->ErrorListStr();
  EXPECT_EQ(all.rfind("N/A 0, N/A 1, Over-current/voltage (I/V) shutdown, Thermal shutdown", 0), 0u);
  EXPECT_TRUE(all.ends_with("Move Generation Error, Memory Failure, N/A 27, N/A 28, N/A 29, N/A 30"));
  size_t separators = 0;
  for (size_t p = all.find(", "); p != std::string::npos; p = all.find(", ", p + 1)) ++separators;
  EXPECT_EQ(separators, 30u);
}

TEST_F(ErrorCodeEvents, EveryChangeOfTheNumberRaisesChanged) {
  Store(0.4);  // decodes as before, still a change of the number
  Store(0.3);
  StoreBits(0x8);
  StoreBits(0x8);  // same number: the value object stays quiet
  EXPECT_EQ(j.lines, (Lines{"Changed", "Changed", "Changed"}));
}

TEST_F(ErrorCodeEvents, RefreshAndInitializeCachePassThrough) {
  ec->Refresh();
  auto value = std::dynamic_pointer_cast<BasicValueObj>(ec->Register());
  ASSERT_NE(value, nullptr);
  double initial = 7;
  bool processed = false;
  value->RaiseInitializeCache(initial, processed);
  EXPECT_EQ(j.lines, (Lines{"Refresh", "InitializeCache 7"}));
  EXPECT_EQ(initial, 42);  // the listener's answer reaches the value object's caller
  EXPECT_TRUE(processed);
}

TEST_F(ErrorCodeEvents, AssigningAnotherRegisterMovesTheSubscription) {
  const auto old = ec->Register();
  auto other = BasicValueObj::create();
  ec->SetRegister(other);
  test::StoreBits(old, 8);
  EXPECT_TRUE(j.lines.empty());
  EXPECT_FALSE(ec->Thermal());
  test::StoreBits(other, 8);
  EXPECT_EQ(j.lines, (Lines{"Changed"}));
  EXPECT_TRUE(ec->Thermal());
  EXPECT_EQ(other->Name(), "");  // used as supplied, not set up
}

TEST_F(ErrorCodeEvents, AListenerMayDropTheLastReferenceDuringTheEvent) {
  const auto value = ec->Register();
  std::weak_ptr<ErrorCodeObj> weak = ec;
  sink->onChanged = [this] { ec.reset(); };
  test::StoreBits(value, 1);
  EXPECT_EQ(j.lines, (Lines{"Changed"}));
  EXPECT_TRUE(weak.expired());
  test::StoreBits(value, 2);  // the released decoder no longer listens
  EXPECT_EQ(j.lines.size(), 1u);
}

TEST(ErrorCodeLifetime, TheValueObjectDoesNotKeepTheDecoderAlive) {
  auto ec = ErrorCodeObj::create();
  const auto value = ec->Register();
  std::weak_ptr<ErrorCodeObj> weak = ec;
  ec.reset();
  EXPECT_TRUE(weak.expired());
  test::StoreBits(value, 4);  // nobody left to hear it
}

}  // namespace
}  // namespace zentnet

#include "zentnet/registers/IOregisterObj.h"

#include <gtest/gtest.h>

#include "recorder.h"
#include "zentnet/automation/error.h"
#include "zentnet/values/values.h"

namespace zentnet {
namespace {

using Lines = std::vector<std::string>;

class IoRecorder : public IOregisterObjEvents {
 public:
  explicit IoRecorder(test::Journal& j) : j_(j) {}
  void CommutationChanged(int32_t& thisCode, int32_t& lastCode) override {
    j_.Add("CommutationChanged " + std::to_string(thisCode) + "," + std::to_string(lastCode));
    if (rewrite) thisCode = 6, lastCode = 2;
  }
  void Refresh(std::shared_ptr<ValueObj>& v) override { j_.Add("Refresh " + v->Name()); }
  void InitializeCache(double& initial, bool& processed) override {
    j_.Add("InitializeCache " + std::to_string(static_cast<int>(initial)));
    processed = true;
  }
  bool rewrite = false;

 private:
  test::Journal& j_;
};

struct Fixture : ::testing::Test {
  std::shared_ptr<IOregisterObj> io = IOregisterObj::create();
  std::shared_ptr<BasicValueObj> value = BasicValueObj::create();
  test::Journal j;
  std::shared_ptr<IoRecorder> sink = std::make_shared<IoRecorder>(j);
  void SetUp() override {
    io->SetValueObjRef(value);
    io->Advise(sink);
  }
  void Store(double v) { value->Number()->SetValue(v); }
};

using IoDecode = Fixture;
using IoEvents = Fixture;

struct LineCase {
  uint32_t bits;
  bool amp, enable, fault, mode, negLim, posLim, shutdown, thermal;
  int32_t code;
};

TEST_F(IoDecode, EachLineReadsItsBit) {
  const LineCase cases[] = {
      {0x0000, true, false, false, false, false, false, false, false, 0},
      {0x0800, false, false, false, false, false, false, false, false, 0},
      {0x0010, true, false, false, false, false, true, false, false, 0},
      {0x0020, true, false, false, false, true, false, false, false, 0},
      {0x0040, true, false, false, false, false, false, true, false, 0},
      {0x0400, true, true, false, false, false, false, false, false, 0},
      {0x2000, true, false, true, false, false, false, false, false, 0},
      {0x4000, true, false, false, false, false, false, false, true, 0},
      {0x8000, true, false, false, true, false, false, false, false, 0},
      {0x0380, true, false, false, false, false, false, false, false, 7},
      {0x0080, true, false, false, false, false, false, false, false, 1},
      {0x0200, true, false, false, false, false, false, false, false, 4},
      {0xFFFF0000, true, false, false, false, false, false, false, false, 0},
      // The code is read by signed division, so a negative register does not give bits 7-9.
      {0xFFFFFFFF, false, true, true, true, true, true, true, true, 0},
      {0x8000030F, true, false, false, false, false, false, false, false, 7},
      {0x80000380, true, false, false, false, false, false, false, false, 7},
      {0x80000101, true, false, false, false, false, false, false, false, 3},
  };
  for (const auto& c : cases) {
    Store(static_cast<double>(static_cast<int32_t>(c.bits)));
    SCOPED_TRACE(c.bits);
    EXPECT_EQ(io->AmpEnable(), c.amp);
    EXPECT_EQ(io->EnableIn(), c.enable);
    EXPECT_EQ(io->FaultIn(), c.fault);
    EXPECT_EQ(io->ModeIn(), c.mode);
    EXPECT_EQ(io->NegativeLimit(), c.negLim);
    EXPECT_EQ(io->PositiveLimit(), c.posLim);
    EXPECT_EQ(io->ShutdownLineOut(), c.shutdown);
    EXPECT_EQ(io->ThermalFaultIn(), c.thermal);
    EXPECT_EQ(io->CommutationCode(), c.code);
    EXPECT_EQ(static_cast<uint32_t>(io->Bits()), c.bits);
  }
}

TEST_F(IoDecode, NumbersConvertWithTiesToEven) {
  Store(127.5);
  EXPECT_EQ(io->CommutationCode(), 1);
  Store(128.5);
  EXPECT_EQ(io->CommutationCode(), 1);
  Store(383.5);  // 384: bits 7 and 8
  EXPECT_EQ(io->CommutationCode(), 3);
}

TEST_F(IoDecode, ANumberOutsideThe32BitRangeOverflowsEverywhere) {
  EXPECT_THROW(Store(2147483648.0), AutomationError);  // the change reaction reads it too
  for (const auto name : io->PropertyNames()) {
    if (name == "LastCommutationCode") continue;
    try {
      io->GetProperty(name);
      ADD_FAILURE() << name;
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.Number(), 6) << name;
    }
  }
}

TEST_F(IoDecode, WithoutAValueObjectEveryReadIsAMissingObject) {
  io->SetValueObjRef(nullptr);
  for (const auto name : io->PropertyNames()) {
    if (name == "LastCommutationCode") continue;
    try {
      io->GetProperty(name);
      ADD_FAILURE() << name;
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.Number(), 91) << name;
    }
  }
  try {
    io->Refresh();
    ADD_FAILURE();
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), 91);
  }
}

TEST_F(IoDecode, BitNamesListsBits0To15InOrder) {
  const std::pair<const char*, const char*> cases[] = {
      {"0", ""},
      {"65536", ""},
      {"48", "+LIMIT IN, -LIMIT IN"},
      {"4097", "BIT 0, BIT 12"},
      {"896", "COMMUTATION T, COMMUTATION S, COMMUTATION R"},
      {" 2048.4 ", "AMP DIS"},
      {"-1",
       "BIT 0, BIT 1, BIT 2, BIT 3, +LIMIT IN, -LIMIT IN, SHUTDOWN OUT, COMMUTATION T, "
       "COMMUTATION S, COMMUTATION R, ENABLE IN, AMP DIS, BIT 12, HW FAULT IN, TEMP FAULT IN, "
       "MODE IN"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(io->BitNames(in), out) << in;
}

TEST_F(IoDecode, BitNamesDoesNotReadTheRegister) {
  io->SetValueObjRef(nullptr);
  EXPECT_EQ(io->BitNames("1024"), "ENABLE IN");
}

TEST_F(IoDecode, BitNamesRejectsBadText) {
  const std::pair<const char*, int32_t> cases[] = {
      {"abc", 13}, {"", 13}, {"12x", 13}, {"4294967296", 6}, {"2147483648", 6}};
  for (const auto& [in, number] : cases) {
    try {
      io->BitNames(in);
      ADD_FAILURE() << in;
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.Number(), number) << in;
      EXPECT_EQ(e.Source(), "ZentNetLib");
    }
  }
}

TEST_F(IoEvents, CommutationChangedOnlyWhenTheCodeDiffers) {
  Store(0x0180);  // code 3
  Store(0x0181);  // still 3
  Store(0x0280);  // 5
  Store(0x0000);  // 0
  EXPECT_EQ(j.lines,
            (Lines{"CommutationChanged 3,0", "CommutationChanged 5,3", "CommutationChanged 0,5"}));
  EXPECT_EQ(io->LastCommutationCode(), 5);
}

TEST_F(IoEvents, FirstChangeComparesAgainstZero) {
  Store(0x0010);  // code 0: nothing
  EXPECT_TRUE(j.lines.empty());
  Store(0x0390);
  EXPECT_EQ(j.lines, (Lines{"CommutationChanged 7,0"}));
  EXPECT_EQ(io->LastCommutationCode(), 0);
}

TEST_F(IoEvents, ListenerWritesIntoTheStoredCodes) {
  sink->rewrite = true;
  Store(0x0080);  // code 1, listener stores (6, 2)
  EXPECT_EQ(io->LastCommutationCode(), 2);
  Store(0x0300);  // code 6 equals the rewritten current code: nothing
  Store(0x0080);  // 1 differs from 6
  EXPECT_EQ(j.lines, (Lines{"CommutationChanged 1,0", "CommutationChanged 1,6"}));
}

TEST_F(IoEvents, ValueObjRefResetsBothCodesSilently) {
  Store(0x0180);
  Store(0x0280);
  ASSERT_EQ(io->LastCommutationCode(), 3);
  auto other = BasicValueObj::create();
  other->Number()->SetValue(0x0280);
  io->SetValueObjRef(other);
  EXPECT_EQ(io->LastCommutationCode(), 0);
  EXPECT_EQ(j.lines.size(), 2u);
  Store(0x0080);  // the old value no longer reaches the decoder
  EXPECT_EQ(j.lines.size(), 2u);
  other->Number()->SetValue(0x0281);  // code 5 against a reset current code of 0
  EXPECT_EQ(j.lines.back(), "CommutationChanged 5,0");
}

TEST_F(IoEvents, ChangeReactionOverflowReachesTheWriter) {
  try {
    Store(-2147483649.0);
    ADD_FAILURE();
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), 6);
  }
}

TEST_F(IoEvents, RefreshAndInitializeCachePassThroughByReference) {
  value->SetName("IO");
  io->Refresh();
  double initial = 3;
  bool processed = false;
  value->RaiseInitializeCache(initial, processed);
  EXPECT_TRUE(processed);
  value->RaiseContentChanged();  // not subscribed
  EXPECT_EQ(j.lines, (Lines{"Refresh IO", "InitializeCache 3"}));
}

TEST(IoLifetime, TheValueObjectDoesNotKeepTheDecoderAlive) {
  auto value = BasicValueObj::create();
  std::weak_ptr<IOregisterObj> weak;
  {
    auto io = IOregisterObj::create();
    io->SetValueObjRef(value);
    weak = io;
  }
  EXPECT_TRUE(weak.expired());
  value->Number()->SetValue(0x380);  // no subscriber left to reach
}

TEST(IoLifetime, AListenerDroppingTheDecoderDuringTheEventIsSafe) {
  auto value = BasicValueObj::create();
  auto io = IOregisterObj::create();
  io->SetValueObjRef(value);
  struct Dropper : IOregisterObjEvents {
    std::shared_ptr<IOregisterObj>* held = nullptr;
    int calls = 0;
    void CommutationChanged(int32_t&, int32_t&) override {
      ++calls;
      held->reset();
    }
  };
  auto d1 = std::make_shared<Dropper>();
  auto d2 = std::make_shared<Dropper>();
  d1->held = d2->held = &io;
  io->Advise(d1);
  io->Advise(d2);
  value->Number()->SetValue(0x80);
  EXPECT_EQ(d1->calls + d2->calls, 2);
  EXPECT_EQ(io, nullptr);
}

TEST(IoLifetime, CreationMakesAnUnconfiguredValueOfItsOwn) {
  auto io = IOregisterObj::create();
  EXPECT_EQ(io->CommutationCode(), 0);
  EXPECT_TRUE(io->AmpEnable());
  EXPECT_EQ(io->LastCommutationCode(), 0);
  EXPECT_EQ(io->ClassName(), "IOregisterObj");
}

}  // namespace
}  // namespace zentnet

// Names of monitored variables: every known number, the unknown ones, given and current,
// rotary and linear.

#include <gtest/gtest.h>

#include "monitor_support.h"

namespace zentnet::test {
namespace {

// The 24 names; "@*@" stands where the motor's kind is named.
constexpr const char* kNames[24] = {
    "Me (shouldn't see this)", "Unknown setting: ",     "Actual Velocity",
    "Cmd Velocity (VEX)",      "Digital Input Velocity", "Velocity Error",
    "Tracking Error",          "Actual @*@",             "Commanded @*@",
    "Calibrate",               "Analog Input",           "Sine R",
    "Cos R",                   "Volts D",                "Volts Q",
    "SGN(vel)",                "SGN(steps)",             "Integrator",
    "Position, Measured",      "Servo Velocity Error",   "Jerk, Commanded",
    "Acceleration, Commanded", "Current D, Measured",    "Max Phase Voltage"};

std::string Expected(int index, bool linear) {
  std::string text = kNames[index];
  if (auto at = text.find("@*@"); at != std::string::npos)
    text.replace(at, 3, linear ? "Force" : "Torque");
  return text;
}

class MonitorVarStr : public PortTest {
 protected:
  void SetLinear(bool linear) { SetRegister(linear ? CONFIG_MASK_LINEAR_MOTOR : 0); }
};

TEST_F(MonitorVarStr, EveryKnownVariableGivenOrCurrentOnBothMotorKinds) {
  for (bool linear : {false, true}) {
    SetLinear(linear);
    for (int v = 0; v < 24; ++v) {
      const std::string expected = Expected(v, linear);
      EXPECT_EQ(port->MonitorVarStr(v), expected) << v << " linear " << linear;
      EXPECT_EQ(port->MonitorVarStr(static_cast<double>(v)), expected) << v;
      SetVariable(v);
      EXPECT_EQ(port->MonitorVarStr(), expected) << v << " linear " << linear;
    }
  }
}

TEST_F(MonitorVarStr, MotorStyleOtherThanLinearSaysTorque) {
  for (int32_t style : {0, 1, 3}) {
    SetRegister(style * 0x100);  // motor style bits 8-9
    EXPECT_EQ(port->MonitorVarStr(MON_TRQ_CMD), "Commanded Torque") << style;
  }
}

struct NumberCase {
  double number;
  const char* text;
};

// Numbers as the Variable value may hold them.
const NumberCase kCurrent[] = {
    {24, "Unknown Variable: 24"},
    {65538, "Unknown Variable: 2"},  // the non-virtual bit with variable 2
    {0x10000, "Unknown Variable: 0"},
    {0x1FFFF, "Unknown Variable: 65535"},
    {-1, "Unknown Variable: 65535"},
    {-5, "Unknown Variable: 65531"},
    {-65536, "Unknown Variable: 0"},
    {2147483647.0, "Unknown Variable: 65535"},
    {-2147483648.0, "Unknown Variable: 0"},
    {2.4, "Actual Velocity"},
    {2.5, "Actual Velocity"},  // halves go to the even neighbour
    {3.5, "Digital Input Velocity"},
    {23.4, "Max Phase Voltage"},
    {-0.4, "Unknown Variable: 0"},  // below 0 before it is rounded
    {24.4, "Unknown Variable: 24"},
};

TEST_F(MonitorVarStr, CurrentNumbersOutsideTheTable) {
  for (const auto& c : kCurrent) {
    SetVariable(c.number);
    EXPECT_EQ(port->MonitorVarStr(), c.text) << c.number;
  }
}

struct GivenCase {
  Variant which;
  const char* text;
};

TEST_F(MonitorVarStr, GivenVariableIgnoresTheCurrentOne) {
  SetVariable(MON_TRQ_MEAS);
  const GivenCase cases[] = {
      {Variant(int32_t{3}), "Cmd Velocity (VEX)"},
      {Variant(int32_t{-5}), "Unknown Variable: 65531"},
      {Variant(int32_t{24}), "Unknown Variable: 24"},
      {Variant(int32_t{65538}), "Unknown Variable: 2"},
      {Variant(2.5), "Actual Velocity"},
      {Variant(std::string("3")), "Cmd Velocity (VEX)"},  // numeric text counts as its number
      {Variant(std::string(" 17 ")), "Integrator"},
      {Variant(std::string("-1")), "Unknown Variable: 65535"},
      {Variant::Empty(), "Me (shouldn't see this)"},
      {Variant(false), "Me (shouldn't see this)"},
      {Variant(true), "Unknown Variable: 65535"},  // true is -1
  };
  for (const auto& c : cases) EXPECT_EQ(port->MonitorVarStr(c.which), c.text) << c.which.ToString();
  EXPECT_EQ(port->MonitorVarStr(), "Actual Torque");
}

TEST_F(MonitorVarStr, ConversionErrorsReachTheCaller) {
  const std::pair<Variant, int32_t> cases[] = {
      {Variant(std::string("x")), err::kTypeMismatch},
      {Variant(std::string("")), err::kTypeMismatch},
      {Variant(std::shared_ptr<Object>()), err::kTypeMismatch},
      {Variant(1e10), err::kOverflow},
  };
  for (const auto& [which, number] : cases) {
    const auto e = CatchError([&] { port->MonitorVarStr(which); });
    EXPECT_EQ(e.Number(), number);
    EXPECT_EQ(e.Source(), err::kRuntimeSource);
  }
  SetVariable(-1e12);
  const auto e = CatchError([&] { port->MonitorVarStr(); });
  EXPECT_EQ(e.Number(), err::kOverflow);
  EXPECT_EQ(e.Description(), "Overflow");
}

TEST_F(MonitorVarStr, WithoutVariableObjectNamesNoVariable) {
  port->SetVariable(nullptr);
  EXPECT_EQ(port->MonitorVarStr(), "Me (shouldn't see this)");
  // Not even the register is needed for it.
  port->SetConfigReg(nullptr);
  EXPECT_EQ(port->MonitorVarStr(), "Me (shouldn't see this)");
  // A given variable still works where no register is needed.
  EXPECT_EQ(port->MonitorVarStr(int32_t{40}), "Unknown Variable: 40");
}

TEST_F(MonitorVarStr, KnownNameWithoutRegisterIsAMissingObject) {
  port->SetConfigReg(nullptr);
  for (const Variant& which : {Variant(), Variant(int32_t{3})}) {
    const auto e = CatchError([&] { port->MonitorVarStr(which); });
    EXPECT_EQ(e.Number(), err::kObjectRequired);
    EXPECT_EQ(e.Source(), err::kRuntimeSource);
  }
  SetVariable(99);
  EXPECT_EQ(port->MonitorVarStr(), "Unknown Variable: 99");
}

}  // namespace
}  // namespace zentnet::test

// MonitorPortStateObj::MonitorVarStr with any variable number and any `which` a script
// could pass, on a port with or without its value object and register.
//
// Input: a flag byte (bit 0: no register; bit 1: no variable value object; bit 2: the
// register names a linear motor), the variable's number (a Double, 8 bytes), then `which`
// (see TakeVariant).
//
// Promises checked: only the type-mismatch (13), overflow (6) and missing-object (91)
// errors, and the string loader's error (326) for a number from 23.5 up to 24, which counts
// as a known variable but rounds to 24, past the last name; no name holds the torque/force
// marker.

#include <string>

#include "fuzz_support.h"
#include "zentnet/registers/ConfigRegObj.h"
#include "zentnet/testsignal/MonitorPortStateObj.h"

using namespace zentnet;

namespace {

// The number MonitorVarStr names: `which`, or the current variable's when it is missing.
double NumberNamed(const MonitorPortStateObj& port, const Variant& which) {
  if (!which.IsMissing()) return which.ToDouble();
  const auto variable = port.Variable();
  return variable ? variable->Number()->Value() : 0.0;
}

void Check(const MonitorPortStateObj& port, const Variant& which) {
  std::string name;
  try {
    name = port.MonitorVarStr(which);
  } catch (const AutomationError& e) {
    const int32_t n = e.Number();
    if (n == err::kResourceNotFound) {
      const double number = NumberNamed(port, which);
      ZENTNET_FUZZ_CHECK(number >= 23.5 && number < 24,
                         "no name for " + fuzz::Describe(Variant(number)));
      return;
    }
    ZENTNET_FUZZ_CHECK(
        n == err::kTypeMismatch || n == err::kOverflow || n == err::kObjectRequired,
        "MonitorVarStr raised " + std::to_string(n) + " for " + fuzz::Describe(which));
    return;
  }
  ZENTNET_FUZZ_CHECK(name.find("@*@") == std::string::npos, name);
}

}  // namespace

void FuzzOne(fuzz::Input& in) {
  const uint8_t flags = in.Byte();
  const auto variable = in.Raw<double>();
  const Variant which = fuzz::TakeVariant(in);

  const auto port = MonitorPortStateObj::create();
  port->Variable()->Number()->SetValue(variable);
  if ((flags & 4) != 0) {
    const auto config = ConfigRegObj::create();
    config->SetMotorStyle(MOTOR_BRUSHLESS_LINEAR);
    port->SetConfigReg(config);
  }
  if ((flags & 1) != 0) port->SetConfigReg(nullptr);
  if ((flags & 2) != 0) port->SetVariable(nullptr);

  Check(*port, which);
  Check(*port, Variant());  // the current variable
}

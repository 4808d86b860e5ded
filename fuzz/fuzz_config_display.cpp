// The display members of ConfigRegObj, with any register number, any capability mask, any
// lookup value and any specMode a script could pass.
//
// Input: a flag byte (bit 0: no register object; bit 1: the register's number is a raw
// Double instead of a 32-bit pattern), the capability mask (4 bytes), the register (4 or 8
// bytes), a lookup number (4 bytes), then the specMode variant (see TakeVariant).
//
// Promises checked: a member with a specMode argument never raises; every other member
// and every late-bound read raises nothing but AutomationError.

#include <functional>
#include <string>

#include "fuzz_support.h"
#include "zentnet/automation/convert.h"
#include "zentnet/registers/ConfigRegObj.h"

using namespace zentnet;

namespace {

// Calls one member; an AutomationError is an answer, anything else escapes to the entry.
void Show(const std::function<std::string()>& member) {
  try {
    (void)member();
  } catch (const AutomationError&) {
  }
}

void NeverRaises(const char* name, const std::function<std::string()>& member,
                 const Variant& specMode) {
  try {
    (void)member();
  } catch (const AutomationError& e) {
    fuzz::Fail(
        name, "raised " + std::to_string(e.Number()) + " for specMode " + fuzz::Describe(specMode));
  }
}

}  // namespace

void FuzzOne(fuzz::Input& in) {
  const uint8_t flags = in.Byte();
  const auto config = ConfigRegObj::create();
  config->SetCapabilityMask(static_cast<ConfigRegMasks>(in.Raw<int32_t>()));
  const double number = (flags & 2) != 0 ? in.Raw<double>() : RegisterToDouble(in.Raw<uint32_t>());
  config->Register()->Number()->SetValue(number);
  if ((flags & 1) != 0) config->SetRegister(nullptr);
  const auto lookup = in.Raw<int32_t>();
  const Variant specMode = fuzz::TakeVariant(in);
  const ConfigRegObj& c = *config;

  NeverRaises(
      "InputModeStr", [&] { return c.InputModeStr(specMode); }, specMode);
  NeverRaises(
      "HighLevelFeedbackStr", [&] { return c.HighLevelFeedbackStr(specMode); }, specMode);
  NeverRaises(
      "SyncPulseStr", [&] { return c.SyncPulseStr(specMode); }, specMode);
  NeverRaises(
      "ModeLineFoldbackStr", [&] { return c.ModeLineFoldbackStr(specMode); }, specMode);
  NeverRaises(
      "LimitSwitchModeStr", [&] { return c.LimitSwitchModeStr(specMode); }, specMode);

  Show([&] { return c.SteadixStr(static_cast<SteadixModes>(lookup)); });
  Show([&] { return c.MotorStyleStr(static_cast<MotorStyles>(lookup)); });
  Show([&] { return c.LimitModeLookup(static_cast<LimitModes>(lookup)); });
  Show([&] { return c.FilterClockStrArb(static_cast<FilterClks>(lookup)); });

  // Every readable property, display texts included, as the tool's printer reads them.
  for (const std::string_view name : config->PropertyNames())
    Show([&] { return fuzz::Describe(config->GetProperty(name)); });
}

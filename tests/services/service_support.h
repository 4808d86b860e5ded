#pragma once
// Helpers shared by the service tests.

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "zentnet/automation/error.h"
#include "zentnet/automation/object.h"
#include "zentnet/contracts/roster.h"

namespace zentnet::test {

// "NUMBER SOURCE: DESCRIPTION" of the error `call` raises, or "no error".
inline std::string ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const AutomationError& e) {
    return std::to_string(e.Number()) + " " + e.Source() + ": " + e.Description();
  }
  return "no error";
}

// Every readable property of `o` as "Name=value;" in published order.
inline std::string Properties(Object& o) {
  std::string all;
  for (std::string_view name : o.PropertyNames())
    all.append(name).append("=").append(o.GetProperty(name).ToString()).append(";");
  return all;
}

// The dispatch identifier the table gives `event`; 0 when it is not there.
inline int32_t DispIdOf(std::span<const DispatchEntry> table, std::string_view event) {
  for (const auto& e : table)
    if (e.event == event) return e.dispId;
  return 0;
}

}  // namespace zentnet::test

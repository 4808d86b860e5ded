#pragma once
// An error as one comparable text, so that a test pins all five fields at once.

#include <functional>
#include <string>

#include "zentnet/automation/error.h"

namespace zentnet::test {

// "NUMBER|SOURCE|DESCRIPTION|HELP FILE|HELP CONTEXT".
inline std::string Fields(const AutomationError& e) {
  return std::to_string(e.Number()) + "|" + e.Source() + "|" + e.Description() + "|" +
         e.HelpFile() + "|" + std::to_string(e.HelpContext());
}

// The fields of the error `call` raises, or "no error".
inline std::string ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const AutomationError& e) {
    return Fields(e);
  }
  return "no error";
}

}  // namespace zentnet::test

#include "zentnet/automation/error.h"

#include <utility>

namespace zentnet {

AutomationError::AutomationError(int32_t number, std::string source, std::string description,
                                 std::string helpFile, int32_t helpContext)
    : std::runtime_error(description),
      number_(number),
      source_(std::move(source)),
      description_(std::move(description)),
      helpFile_(std::move(helpFile)),
      helpContext_(helpContext) {}

namespace err {
namespace {
[[noreturn]] void RaiseRuntime(int32_t number, const char* description) {
  throw AutomationError(number, kRuntimeSource, description);
}
}  // namespace

void RaiseOverflow() { RaiseRuntime(kOverflow, "Overflow"); }
void RaiseTypeMismatch() { RaiseRuntime(kTypeMismatch, "Type mismatch"); }
void RaiseObjectRequired() {
  RaiseRuntime(kObjectRequired, "Object variable or With block variable not set");
}
void RaiseInvalidCall() { RaiseRuntime(kInvalidCall, "Invalid procedure call or argument"); }
void RaiseSubscriptOutOfRange() { RaiseRuntime(kSubscriptOutOfRange, "Subscript out of range"); }
void RaiseNoSuchMember() {
  RaiseRuntime(kNoSuchMember, "Object doesn't support this property or method");
}
void RaiseOutOfStackSpace() { RaiseRuntime(kOutOfStackSpace, "Out of stack space"); }
}  // namespace err

}  // namespace zentnet

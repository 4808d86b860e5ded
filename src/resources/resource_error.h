#pragma once
// The loader error shared by every kind of resource the library carries.

#include <cstdint>
#include <string>

#include "zentnet/automation/error.h"

namespace zentnet::detail {

[[noreturn]] inline void RaiseResourceNotFound(int32_t id) {
  throw AutomationError(err::kResourceNotFound, err::kRuntimeSource,
                        "Resource with identifier '" + std::to_string(id) + "' not found");
}

}  // namespace zentnet::detail

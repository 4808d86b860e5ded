#pragma once
// Helpers shared by the event-hub tests.

#include <cstdint>
#include <span>
#include <string_view>

#include "zentnet/contracts/roster.h"

namespace zentnet::test {

// The dispatch identifier the table gives `event`; 0 when it is not there.
inline int32_t DispIdOf(std::span<const DispatchEntry> table, std::string_view event) {
  for (const auto& e : table)
    if (e.event == event) return e.dispId;
  return 0;
}

}  // namespace zentnet::test

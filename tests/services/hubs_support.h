#pragma once
// Helpers shared by the event-hub tests.

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "zentnet/contracts/roster.h"

namespace zentnet::test {

// The hubs only pass drive and adapter references along and never look inside them, so a
// test needs distinct, owned references, not working drives. A stand-in owns a token
// object and points at it under the drive's or adapter's type; it is compared, never
// dereferenced.
template <class T>
std::shared_ptr<T> StandIn() {
  struct Token {
    int32_t unused = 0;
  };
  auto token = std::make_shared<Token>();
  return std::shared_ptr<T>(token, reinterpret_cast<T*>(token.get()));
}

// The dispatch identifier the table gives `event`; 0 when it is not there.
inline int32_t DispIdOf(std::span<const DispatchEntry> table, std::string_view event) {
  for (const auto& e : table)
    if (e.event == event) return e.dispId;
  return 0;
}

}  // namespace zentnet::test

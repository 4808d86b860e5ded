#pragma once
// Helpers shared by the status, option and error-code decoder tests.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "zentnet/automation/error.h"
#include "zentnet/contracts/value_contract.h"

namespace zentnet::test {

// Stores a 32-bit pattern the way a drive library does: as the signed number.
inline void StoreBits(const std::shared_ptr<ValueObj>& value, uint32_t bits) {
  value->Number()->SetValue(static_cast<double>(static_cast<int32_t>(bits)));
}

// Runs `call` and checks that it raises exactly this automation error.
template <class Call>
void ExpectError(Call&& call, int32_t number, const std::string& source,
                 const std::string& description) {
  try {
    call();
    ADD_FAILURE() << "no error raised, expected " << number;
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), number);
    EXPECT_EQ(e.Source(), source);
    EXPECT_EQ(e.Description(), description);
  }
}

template <class Call>
void ExpectOverflow(Call&& call) {
  ExpectError(call, 6, "ZentNetLib", "Overflow");
}

template <class Call>
void ExpectObjectRequired(Call&& call) {
  ExpectError(call, 91, "ZentNetLib", "Object variable or With block variable not set");
}

}  // namespace zentnet::test

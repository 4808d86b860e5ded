#pragma once
// Reading and writing a register held in a value object. A register is the value's
// Double converted by the automation rule; bit 31 is a plain bit.

#include <bit>
#include <cstdint>

#include "zentnet/automation/convert.h"
#include "zentnet/automation/error.h"
#include "zentnet/contracts/value_contract.h"

namespace zentnet::reg {

// The register as a signed 32-bit integer (error 6 outside the range, 91 without a value).
// Inline: every poll of a decoder reads its register.
inline int32_t Read(const std::shared_ptr<ValueObj>& value) {
  return ToLong(err::Required(value)->NumberValue());
}
// Stores the 32-bit pattern as the value's number in one write.
void Write(const std::shared_ptr<ValueObj>& value, uint32_t bits);

constexpr bool Has(int32_t reg, uint32_t mask) { return (static_cast<uint32_t>(reg) & mask) != 0; }

// A multi-bit field by the register arithmetic: signed division by the field's lowest bit
// weight, truncating toward zero, then AND with the field's width. In a negative register
// the bits below the field carry into it; the field's own bits read as they stand whenever
// bit 31 is clear.
constexpr int32_t Field(int32_t reg, uint32_t mask) {
  const uint32_t low = mask & (~mask + 1);
  const uint32_t width = mask / low;
  if (low == 0x80000000u) return Has(reg, mask) ? 1 : 0;
  return static_cast<int32_t>(static_cast<uint32_t>(reg / static_cast<int32_t>(low)) & width);
}

// The field's bits as an unsigned number: the sign of the register does not leak in.
constexpr int32_t Unsigned(int32_t reg, uint32_t mask) {
  return static_cast<int32_t>((static_cast<uint32_t>(reg) & mask) >> std::countr_zero(mask));
}

// The register with the field replaced by the low bits of `value`.
constexpr uint32_t Replace(int32_t reg, uint32_t mask, int32_t value) {
  return (static_cast<uint32_t>(reg) & ~mask) |
         ((static_cast<uint32_t>(value) << std::countr_zero(mask)) & mask);
}

// Read-modify-write of one field: one read, one write of the whole register.
void Update(const std::shared_ptr<ValueObj>& value, uint32_t mask, int32_t field);

}  // namespace zentnet::reg

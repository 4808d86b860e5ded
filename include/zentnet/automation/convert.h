#pragma once
// The automation conversion rules, each in exactly one place.

#include <cstdint>
#include <string_view>

namespace zentnet {

// Nearest integer, a tie going to the even neighbour; NaN or a result outside the
// signed 32-bit range raises the overflow error (6).
int32_t ToLong(double value);

// The runtime's text-to-number conversion, the one every text goes through: blanks around
// a decimal number with an optional sign, fraction and exponent ("4.8E1"), or a
// hexadecimal or octal literal ("&H30", "&O60"; the grammar is at the definition). Out of
// range raises the overflow error (6), anything else the type-mismatch error (13).
double TextToDouble(std::string_view text);

// Whether `text` is blanks, an optional sign, decimal digits with an optional fraction and
// blanks: a form TextToDouble converts, checked without converting.
bool IsPlainDecimal(std::string_view text);

// TextToDouble, then ToLong (so "2.5" is 2 and "3.5" is 4).
int32_t TextToLong(std::string_view text);

// 32-bit arithmetic that raises the overflow error instead of wrapping.
int32_t CheckedAdd(int32_t a, int32_t b);
int32_t CheckedSub(int32_t a, int32_t b);
int32_t CheckedMul(int32_t a, int32_t b);

// A register's 32-bit pattern as the Double a value object stores (bit 31 is the sign).
inline double RegisterToDouble(uint32_t bits) {
  return static_cast<double>(static_cast<int32_t>(bits));
}
// The value object's Double as a register's bit pattern (ToLong, so error 6 applies).
inline uint32_t DoubleToRegister(double value) { return static_cast<uint32_t>(ToLong(value)); }

}  // namespace zentnet

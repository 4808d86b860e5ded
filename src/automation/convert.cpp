#include "zentnet/automation/convert.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "zentnet/automation/error.h"

namespace zentnet {

int32_t ToLong(double value) {
  // Exactly the values that round into the range (the lower tie goes to the even end, the
  // upper one past it); the test also rejects NaN. Truncation and the exact fraction decide
  // the tie in integer arithmetic, independent of the floating-point rounding mode.
  if (!(value >= -2147483648.5 && value < 2147483647.5)) err::RaiseOverflow();
  int64_t whole = static_cast<int64_t>(value);
  const double fraction = value - static_cast<double>(whole);
  if (fraction > 0.5 || (fraction == 0.5 && (whole & 1) != 0)) ++whole;
  if (fraction < -0.5 || (fraction == -0.5 && (whole & 1) != 0)) --whole;
  return static_cast<int32_t>(whole);
}

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int DigitValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return std::numeric_limits<int>::max();  // a digit in no radix
}

// "&H" or "&O" and its digits, read as the runtime reads such a literal: a value that fits
// in 16 bits is an Integer's pattern (&HFFFF is -1, &H8000 is -32768), one that fits in 32
// bits a Long's (&HFFFFFFFF is -1, &H10000 is 65536), anything larger overflows. Leading
// zeros do not widen the value: the runtime looks at the value, not at the digit count.
double RadixNumber(std::string_view digits, int radix) {
  if (digits.empty()) err::RaiseTypeMismatch();
  uint64_t value = 0;
  for (const char c : digits) {
    const int d = DigitValue(c);
    if (d >= radix) err::RaiseTypeMismatch();
    value = value * static_cast<unsigned>(radix) + static_cast<unsigned>(d);
    if (value > 0xFFFFFFFFu) {
      // The rest must still be digits: "&H1234567890Z" is no number at all.
      for (const char rest : digits)
        if (DigitValue(rest) >= radix) err::RaiseTypeMismatch();
      err::RaiseOverflow();
    }
  }
  if (value <= 0xFFFFu) return static_cast<int16_t>(static_cast<uint16_t>(value));
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

// Takes an optional sign off the front; true for a minus.
bool TakeSign(std::string_view& text) {
  const bool negative = text.starts_with('-');
  if (negative || text.starts_with('+')) text.remove_prefix(1);
  return negative;
}

std::string_view TrimBlanks(std::string_view text) {
  const size_t from = std::min(text.find_first_not_of(" \t"), text.size());
  return text.substr(from, text.find_last_not_of(" \t") + 1 - from);
}

bool IsMantissa(std::string_view m) {
  return m.find_first_not_of("0123456789.") == std::string_view::npos &&
         m.find_first_of("0123456789") != std::string_view::npos &&
         std::count(m.begin(), m.end(), '.') <= 1;
}

// Far beyond a Double's range only the exponent's sign matters; the cap keeps the arithmetic
// exact.
int64_t ExponentOf(std::string_view text) {
  const bool negative = TakeSign(text);
  if (text.empty() || !std::all_of(text.begin(), text.end(), IsDigit)) err::RaiseTypeMismatch();
  constexpr int64_t kCap = std::numeric_limits<int32_t>::max();
  int64_t value = 0;
  for (const char c : text) value = std::min(value * 10 + (c - '0'), kCap);
  return negative ? -value : value;
}

// A decimal number whose digits the caller has checked: `mantissa` holds the digits and at
// most one point, `exponent` the power of ten after it. Correctly rounded by from_chars;
// beyond a Double's range the overflow error, below it zero.
double DecimalNumber(bool negative, std::string_view mantissa, int64_t exponent) {
  std::string number(negative ? "-" : "");
  number += mantissa;
  number += 'e';
  number += std::to_string(exponent);
  double result;  // read only after a conversion that wrote it
  if (std::from_chars(number.data(), number.data() + number.size(), result).ec ==
      std::errc::result_out_of_range) {
    // Both ends lie hundreds of powers of ten from 1, so the place of the first significant
    // digit (to within one) tells which end was passed.
    const auto point = static_cast<int64_t>(std::min(mantissa.find('.'), mantissa.size()));
    const auto first = static_cast<int64_t>(mantissa.find_first_of("123456789"));
    if (exponent + point > first) err::RaiseOverflow();
    return negative ? -0.0 : 0.0;
  }
  return result;
}
}  // namespace

// The runtime's text-to-number conversion, for every text the library turns into a number:
//
//   text     = blanks ( radix | [sign] decimal ) blanks
//   blanks   = { " " | TAB }
//   radix    = "&" ( "H" | "h" ) hexdigit { hexdigit }   value as RadixNumber reads it
//            | "&" ( "O" | "o" ) octdigit { octdigit }
//   decimal  = mantissa [ ( "E" | "e" ) [sign] digit { digit } ]
//   mantissa = digit { digit } [ "." { digit } ] | "." digit { digit }
//
// Out of a Double's range: the overflow error 6; anything else: the type-mismatch error 13.
// Our choices where the runtime's behaviour depends on the locale or the caller's flags:
// no thousands separators, currency signs, parentheses or trailing signs (the locale decides
// them), the point as the only decimal separator, and no sign before "&H" or "&O" (a
// negative hexadecimal value is written as its pattern, &HFFFF).
double TextToDouble(std::string_view text) {
  text = TrimBlanks(text);
  if (text.starts_with("&H") || text.starts_with("&h")) return RadixNumber(text.substr(2), 16);
  if (text.starts_with("&O") || text.starts_with("&o")) return RadixNumber(text.substr(2), 8);

  const bool negative = TakeSign(text);
  const size_t e = std::min(text.find_first_of("Ee"), text.size());
  const std::string_view mantissa = text.substr(0, e);
  if (!IsMantissa(mantissa)) err::RaiseTypeMismatch();
  return DecimalNumber(negative, mantissa, e < text.size() ? ExponentOf(text.substr(e + 1)) : 0);
}

bool IsPlainDecimal(std::string_view text) {
  text = TrimBlanks(text);
  TakeSign(text);
  return IsMantissa(text);
}

int32_t TextToLong(std::string_view text) { return ToLong(TextToDouble(text)); }

int32_t CheckedAdd(int32_t a, int32_t b) {
  int32_t r;  // always written
  if (__builtin_add_overflow(a, b, &r)) err::RaiseOverflow();
  return r;
}

int32_t CheckedSub(int32_t a, int32_t b) {
  int32_t r;  // always written
  if (__builtin_sub_overflow(a, b, &r)) err::RaiseOverflow();
  return r;
}

int32_t CheckedMul(int32_t a, int32_t b) {
  int32_t r;  // always written
  if (__builtin_mul_overflow(a, b, &r)) err::RaiseOverflow();
  return r;
}

}  // namespace zentnet

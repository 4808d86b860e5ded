#include "zentnet/automation/convert.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

#include "zentnet/automation/error.h"

namespace zentnet {

int32_t ToLong(double value) {
  // The range test also rejects NaN. Truncation and the exact fraction decide the tie in
  // integer arithmetic, independent of the floating-point rounding mode.
  if (!(value > -2147483649.0 && value < 2147483648.0)) err::RaiseOverflow();
  int64_t whole = static_cast<int64_t>(value);
  const double fraction = value - static_cast<double>(whole);
  if (fraction > 0.5 || (fraction == 0.5 && (whole & 1) != 0)) ++whole;
  if (fraction < -0.5 || (fraction == -0.5 && (whole & 1) != 0)) --whole;
  if (whole < INT32_MIN || whole > INT32_MAX) err::RaiseOverflow();
  return static_cast<int32_t>(whole);
}

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

double TextToDouble(std::string_view text) {
  size_t i = 0;
  const size_t n = text.size();
  while (i < n && IsBlank(text[i])) ++i;
  const size_t start = i;
  if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (i < n && IsDigit(text[i])) ++i, ++digits;
  if (i < n && text[i] == '.') {
    ++i;
    while (i < n && IsDigit(text[i])) ++i, ++digits;
  }
  const size_t end = i;
  while (i < n && IsBlank(text[i])) ++i;
  if (digits == 0 || i != n) err::RaiseTypeMismatch();

  // from_chars accepts neither a leading '+' nor a trailing '.', so normalise first.
  std::string number(text.substr(start, end - start));
  if (number.front() == '+') number.erase(0, 1);
  if (number.back() == '.') number.pop_back();
  double result = 0;
  const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), result);
  if (ec == std::errc::result_out_of_range) {
    // Out of range is either too large or too small to represent. Too small only happens
    // without a non-zero digit before the point; such a number is as near to 0 as a Double gets.
    const bool large = number.find_first_of("123456789") < number.find('.');
    if (large) err::RaiseOverflow();
    return number.front() == '-' ? -0.0 : 0.0;
  }
  if (ec != std::errc() || ptr != number.data() + number.size()) err::RaiseTypeMismatch();
  return result;
}

int32_t TextToLong(std::string_view text) { return ToLong(TextToDouble(text)); }

int32_t CheckedAdd(int32_t a, int32_t b) {
  int32_t r = 0;
  if (__builtin_add_overflow(a, b, &r)) err::RaiseOverflow();
  return r;
}

int32_t CheckedSub(int32_t a, int32_t b) {
  int32_t r = 0;
  if (__builtin_sub_overflow(a, b, &r)) err::RaiseOverflow();
  return r;
}

int32_t CheckedMul(int32_t a, int32_t b) {
  int32_t r = 0;
  if (__builtin_mul_overflow(a, b, &r)) err::RaiseOverflow();
  return r;
}

}  // namespace zentnet

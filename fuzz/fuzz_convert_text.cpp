// Text from outside into numbers: TextToDouble and TextToLong on any bytes.
//
// Promises checked: only the type-mismatch (13) and overflow (6) errors; a converted
// number is finite and equals what the C library reads from the same digits (a decimal
// number) or the 16- or 32-bit pattern of the digits (an "&H" or "&O" literal); TextToLong
// is ToLong of TextToDouble, error for error.

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "fuzz_support.h"
#include "zentnet/automation/convert.h"

using namespace zentnet;

namespace {

// The digits TextToDouble accepted, without blanks, for the reference conversion.
std::string Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  const size_t last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

int32_t ErrorOf(auto&& call) {
  try {
    call();
  } catch (const AutomationError& e) {
    return e.Number();
  }
  return 0;
}

}  // namespace

void FuzzOne(fuzz::Input& in) {
  const std::string_view text = in.Rest();

  double number = 0;
  const int32_t textError = ErrorOf([&] { number = TextToDouble(text); });
  ZENTNET_FUZZ_CHECK(
      textError == 0 || textError == err::kTypeMismatch || textError == err::kOverflow,
      "TextToDouble raised " + std::to_string(textError));

  int32_t asLong = 0;
  const int32_t longError = ErrorOf([&] { asLong = TextToLong(text); });
  if (textError != 0) {
    ZENTNET_FUZZ_CHECK(longError == textError, "TextToLong and TextToDouble disagree on the error");
    return;
  }

  ZENTNET_FUZZ_CHECK(std::isfinite(number), "TextToDouble returned " + std::to_string(number));
  const std::string digits = Trimmed(text);
  double reference = 0;
  if (digits[0] == '&') {
    const int radix = digits[1] == 'H' || digits[1] == 'h' ? 16 : 8;
    uint64_t bits = 0;
    const char* last = digits.data() + digits.size();
    const auto [end, ec] = std::from_chars(digits.data() + 2, last, bits, radix);
    ZENTNET_FUZZ_CHECK(ec == std::errc() && end == last && bits <= 0xFFFFFFFFu,
                       "a radix literal the C library refuses: " + digits);
    reference = bits <= 0xFFFF ? static_cast<int16_t>(bits) : static_cast<int32_t>(bits);
  } else {
    char* end = nullptr;
    reference = std::strtod(digits.c_str(), &end);
    ZENTNET_FUZZ_CHECK(end == digits.c_str() + digits.size(), "strtod stopped early on " + digits);
  }
  ZENTNET_FUZZ_CHECK(reference == number, digits + " read as " + std::to_string(number) +
                                              ", strtod says " + std::to_string(reference));

  int32_t rounded = 0;
  const int32_t roundError = ErrorOf([&] { rounded = ToLong(number); });
  ZENTNET_FUZZ_CHECK(longError == roundError,
                     "TextToLong is not ToLong(TextToDouble) for " + digits);
  ZENTNET_FUZZ_CHECK(longError != 0 || asLong == rounded, "TextToLong rounds differently");
}

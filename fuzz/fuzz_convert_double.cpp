// Numbers from outside into 32-bit integers: ToLong on every double, the checked 32-bit
// arithmetic and the register conversions.
//
// Promises checked: ToLong either raises overflow (6) or returns the nearest integer with
// ties to even; the checked operations agree with 64-bit arithmetic and raise 6 exactly
// when that leaves the 32-bit range; a register pattern survives the trip through a Double.

#include <cmath>
#include <cstdio>
#include <string>

#include "fuzz_support.h"
#include "zentnet/automation/convert.h"

using namespace zentnet;

namespace {

std::string Show(double v) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

// What ToLong must do: the nearest integer, a tie going to the even one.
bool Expected(double v, int64_t& out) {
  if (std::isnan(v)) return false;
  const double r = std::nearbyint(v);  // default rounding mode: to nearest, ties to even
  if (r < -2147483648.0 || r > 2147483647.0) return false;
  out = static_cast<int64_t>(r);
  return true;
}

template <class Op>
void CheckArithmetic(const char* name, Op op, int64_t exact, int32_t a, int32_t b) {
  const bool fits = exact >= INT32_MIN && exact <= INT32_MAX;
  try {
    const int32_t r = op(a, b);
    ZENTNET_FUZZ_CHECK(fits && r == exact, std::string(name) + " of " + std::to_string(a) +
                                               " and " + std::to_string(b) + " gave " +
                                               std::to_string(r));
  } catch (const AutomationError& e) {
    ZENTNET_FUZZ_CHECK(!fits && e.Number() == err::kOverflow,
                       std::string(name) + " raised " + std::to_string(e.Number()) + " for " +
                           std::to_string(a) + " and " + std::to_string(b));
  }
}

}  // namespace

void FuzzOne(fuzz::Input& in) {
  const auto value = in.Raw<double>();
  int64_t expected = 0;
  const bool representable = Expected(value, expected);
  try {
    const int32_t r = ToLong(value);
    ZENTNET_FUZZ_CHECK(representable && r == expected,
                       "ToLong(" + Show(value) + ") = " + std::to_string(r));
  } catch (const AutomationError& e) {
    ZENTNET_FUZZ_CHECK(!representable && e.Number() == err::kOverflow,
                       "ToLong(" + Show(value) + ") raised " + std::to_string(e.Number()));
  }

  const auto a = in.Raw<int32_t>();
  const auto b = in.Raw<int32_t>();
  CheckArithmetic("CheckedAdd", CheckedAdd, int64_t{a} + b, a, b);
  CheckArithmetic("CheckedSub", CheckedSub, int64_t{a} - b, a, b);
  CheckArithmetic("CheckedMul", CheckedMul, int64_t{a} * b, a, b);

  const auto bits = static_cast<uint32_t>(a);
  ZENTNET_FUZZ_CHECK(DoubleToRegister(RegisterToDouble(bits)) == bits,
                     "register pattern " + std::to_string(bits) + " did not survive");
}

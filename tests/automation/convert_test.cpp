#include "zentnet/automation/convert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "zentnet/automation/error.h"

namespace zentnet {
namespace {

constexpr int64_t kOverflow = 1LL << 40, kMismatch = 1LL << 41;  // expected errors 6 and 13

// The result as a number, or the error's marker above; the error's source and description
// are checked once for each number.
template <class Call>
int64_t Result(Call&& call) {
  try {
    return call();
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Source(), "ZentNetLib");
    EXPECT_EQ(e.Description(), e.Number() == 6 ? "Overflow" : "Type mismatch");
    EXPECT_STREQ(e.what(), e.Description().c_str());
    return e.Number() == 6 ? kOverflow : e.Number() == 13 ? kMismatch : -e.Number();
  }
}

TEST(ToLong, RoundsToNearestWithTiesToEvenAndOverflowsOutsideTheRange) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const std::pair<double, int64_t> cases[] = {
      {0.5, 0}, {1.5, 2}, {2.5, 2}, {-1.5, -2}, {-2.5, -2}, {0.49999999999999994, 0}, {2.6, 3},
      {-2.6, -3}, {2147483647.4, 2147483647}, {-2147483648.5, -2147483648LL}, {2147483647.5, kOverflow},
      {-2147483648.5000005, kOverflow}, {kInf, kOverflow}, {std::numeric_limits<double>::quiet_NaN(), kOverflow},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(Result([&] { return ToLong(in); }), out) << in;
}

TEST(TextToLong, AcceptsBlanksSignsAndFractionsOnly) {
  const std::pair<std::string, int64_t> cases[] = {
      {"  48", 48}, {"48  ", 48}, {"\t7\t", 7}, {"+5", 5}, {" -65536 ", -65536}, {"3.5", 4},
      {"-2.5", -2}, {".5", 0}, {"1.", 1}, {"-.75", -1}, {"-2147483648", -2147483648LL},
      {"-." + std::string(400, '0') + "7", 0},  // too small to represent is zero
      {"2147483648", kOverflow}, {"1" + std::string(400, '0'), kOverflow}, {"", kMismatch},
      {"   ", kMismatch}, {"1a", kMismatch}, {"- 1", kMismatch}, {"+-1", kMismatch}, {"1 2", kMismatch},
      {"1e3", kMismatch}, {".", kMismatch}, {"-", kMismatch}, {"1..2", kMismatch}, {"\n1", kMismatch},
  };
  for (const auto& [in, out] : cases)
    EXPECT_EQ(Result([&] { return TextToLong(in); }), out) << '"' << in << '"';
  EXPECT_EQ(TextToLong(std::string_view("12.75").substr(0, 4)), 13);  // digits end with the text
  EXPECT_EQ(TextToDouble("0." + std::string(400, '0') + "1"), 0.0);
  EXPECT_TRUE(std::signbit(TextToDouble("-0." + std::string(400, '0') + "1")));  // keeps its sign
  EXPECT_EQ(Result([] { return int64_t{TextToDouble("1" + std::string(400, '0') + ".5") > 0}; }),
            kOverflow);
}

TEST(CheckedArithmetic, RaisesOverflowAtTheEnds) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  const std::pair<int64_t, int64_t> cases[] = {
      {Result([&] { return CheckedAdd(kMax - 1, 1); }), kMax},
      {Result([&] { return CheckedSub(kMin + 1, 1); }), kMin},
      {Result([&] { return CheckedMul(65536, 32767); }), 2147418112},
      {Result([&] { return CheckedAdd(kMax, 1); }), kOverflow},
      {Result([&] { return CheckedAdd(kMin, -1); }), kOverflow},
      {Result([&] { return CheckedSub(kMin, 1); }), kOverflow},
      {Result([&] { return CheckedMul(kMin, -1); }), kOverflow},
      {Result([&] { return CheckedMul(65536, 32768); }), kOverflow},
  };
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].first, cases[i].second) << i;
}

TEST(RegisterPatterns, SignBitIsAPlainBit) {
  EXPECT_EQ(RegisterToDouble(0x80000000u), -2147483648.0);
  EXPECT_EQ(RegisterToDouble(0xFFFFFFFFu), -1.0);
  EXPECT_EQ(DoubleToRegister(-1.0), 0xFFFFFFFFu);
  EXPECT_EQ(DoubleToRegister(RegisterToDouble(0xC0000001u)), 0xC0000001u);
}

}  // namespace
}  // namespace zentnet

#include "zentnet/automation/convert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "zentnet/automation/error.h"

namespace zentnet {
namespace {

int32_t ErrorOf(auto&& call) {
  try {
    call();
  } catch (const AutomationError& e) {
    return e.Number();
  }
  return 0;
}

struct DoubleCase {
  double in;
  int32_t out;
};

TEST(ToLong, RoundsToNearestWithTiesToEven) {
  const DoubleCase cases[] = {
      {0.5, 0},     {1.5, 2},     {2.5, 2},       {3.5, 4},       {-0.5, 0},
      {-1.5, -2},   {-2.5, -2},   {127.5, 128},   {128.5, 128},   {0.49999999999999994, 0},
      {2.4, 2},     {2.6, 3},     {-2.6, -3},     {-0.0, 0},      {1e-300, 0},
      {2147483647.0, 2147483647}, {2147483647.4, 2147483647},
      {-2147483648.0, -2147483647 - 1}, {-2147483648.5, -2147483647 - 1},
      {2147483646.5, 2147483646},
  };
  for (const auto& c : cases) EXPECT_EQ(ToLong(c.in), c.out) << c.in;
}

TEST(ToLong, OverflowsOutsideTheSignedRange) {
  const double cases[] = {2147483647.5,  2147483648.0,  -2147483649.0, -2147483648.5000005,
                          4294967295.0, 1e300,         -1e300,
                          std::numeric_limits<double>::infinity(),
                          std::numeric_limits<double>::quiet_NaN()};
  for (const double c : cases) EXPECT_EQ(ErrorOf([&] { ToLong(c); }), err::kOverflow) << c;
}

TEST(ToLong, OverflowCarriesTheRuntimeSourceAndDescription) {
  try {
    ToLong(3e9);
    FAIL();
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), 6);
    EXPECT_EQ(e.Source(), "ZentNetLib");
    EXPECT_EQ(e.Description(), "Overflow");
    EXPECT_STREQ(e.what(), "Overflow");
  }
}

struct TextCase {
  const char* in;
  int32_t out;
};

TEST(TextToLong, AcceptsBlanksSignsAndFractions) {
  const TextCase cases[] = {
      {"0", 0},           {"48", 48},         {"  48", 48},        {"48  ", 48},
      {"\t7\t", 7},       {"+5", 5},          {"-1", -1},          {" -65536 ", -65536},
      {"2.5", 2},         {"3.5", 4},         {"-2.5", -2},        {".5", 0},
      {"1.", 1},          {"-.75", -1},       {"0004097", 4097},   {"127.5", 128},
      {"2147483647", 2147483647},             {"-2147483648", -2147483647 - 1},
      {"2147483647.49", 2147483647},
  };
  for (const auto& c : cases) EXPECT_EQ(TextToLong(c.in), c.out) << '"' << c.in << '"';
}

TEST(TextToLong, RejectsAnythingElseWithTypeMismatch) {
  const char* cases[] = {"",    "   ", "abc", "1a",   "- 1", "+-1", "1 2", "0x10",
                         "1e3", ".",   "-",   "1..2", "++1", "1,5", "\n1"};
  for (const char* c : cases)
    EXPECT_EQ(ErrorOf([&] { TextToLong(c); }), err::kTypeMismatch) << '"' << c << '"';
}

TEST(TextToDouble, TooSmallToRepresentIsZeroNotOverflow) {
  EXPECT_EQ(TextToDouble("0." + std::string(400, '0') + "1"), 0.0);
  EXPECT_EQ(TextToLong("-." + std::string(400, '0') + "7"), 0);
  EXPECT_EQ(ErrorOf([] { TextToDouble("1" + std::string(400, '0')); }), err::kOverflow);
  EXPECT_EQ(ErrorOf([] { TextToDouble("1" + std::string(400, '0') + ".5"); }), err::kOverflow);
}

TEST(TextToLong, OverflowsPastTheRangeEvenWithManyDigits) {
  const char* cases[] = {"2147483648", "-2147483649", "2147483647.5", "99999999999999999999999"};
  for (const char* c : cases) EXPECT_EQ(ErrorOf([&] { TextToLong(c); }), err::kOverflow) << c;
}

TEST(CheckedArithmetic, RaisesOverflowAtTheEnds) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  EXPECT_EQ(CheckedAdd(kMax - 1, 1), kMax);
  EXPECT_EQ(CheckedAdd(kMin, kMax), -1);
  EXPECT_EQ(CheckedSub(kMin + 1, 1), kMin);
  EXPECT_EQ(CheckedMul(-1, kMax), -kMax);
  EXPECT_EQ(CheckedMul(65536, 32767), 2147418112);
  EXPECT_EQ(ErrorOf([] { CheckedAdd(kMax, 1); }), err::kOverflow);
  EXPECT_EQ(ErrorOf([] { CheckedAdd(kMin, -1); }), err::kOverflow);
  EXPECT_EQ(ErrorOf([] { CheckedSub(kMin, 1); }), err::kOverflow);
  EXPECT_EQ(ErrorOf([] { CheckedMul(kMin, -1); }), err::kOverflow);
  EXPECT_EQ(ErrorOf([] { CheckedMul(65536, 32768); }), err::kOverflow);
}

TEST(RegisterPatterns, SignBitIsAPlainBit) {
  EXPECT_EQ(RegisterToDouble(0x80000000u), -2147483648.0);
  EXPECT_EQ(RegisterToDouble(0xFFFFFFFFu), -1.0);
  EXPECT_EQ(DoubleToRegister(-1.0), 0xFFFFFFFFu);
  EXPECT_EQ(DoubleToRegister(RegisterToDouble(0xC0000001u)), 0xC0000001u);
}

}  // namespace
}  // namespace zentnet

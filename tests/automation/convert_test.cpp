#include "zentnet/automation/convert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "zentnet/automation/codepage.h"
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
  // clang-format off
  const std::pair<double, int64_t> cases[] = {
      {0.5, 0}, {1.5, 2}, {2.5, 2}, {-1.5, -2}, {-2.5, -2}, {0.49999999999999994, 0}, {2.6, 3},
      {-2.6, -3}, {2147483647.4, 2147483647}, {-2147483648.5, -2147483648LL},
      {2147483647.5, kOverflow}, {-2147483648.5000005, kOverflow}, {kInf, kOverflow},
      {std::numeric_limits<double>::quiet_NaN(), kOverflow},
  };
  // clang-format on
  for (const auto& [in, out] : cases) EXPECT_EQ(Result([&] { return ToLong(in); }), out) << in;
}

TEST(TextToLong, FollowsTheRuntimesTextToNumberConversion) {
  const std::string zeros(400, '0');
  // clang-format off
  const std::pair<std::string, int64_t> cases[] = {
      {"  48", 48}, {"48  ", 48}, {"\t7\t", 7}, {"+5", 5}, {" -65536 ", -65536}, {"3.5", 4},
      {"-2.5", -2}, {".5", 0}, {"1.", 1}, {"-.75", -1}, {"-2147483648", -2147483648LL},
      {"-." + zeros + "7", 0},  // too small to represent is zero
      {"2147483648", kOverflow}, {"1" + zeros, kOverflow}, {"", kMismatch}, {"   ", kMismatch},
      {"1a", kMismatch}, {"- 1", kMismatch}, {"+-1", kMismatch}, {"1 2", kMismatch},
      {".", kMismatch}, {"-", kMismatch}, {"1..2", kMismatch}, {"\n1", kMismatch},
      // exponents
      {"4.8E1", 48}, {" 4.8e+1 ", 48}, {"-25E-1", -2}, {".35E1", 4}, {"1.E2", 100}, {"1E-400", 0},
      {"2000000000000E-12", 2}, {"0.0001E400", kOverflow}, {"1E99999999999999999999", kOverflow},
      {"0E99999999999", 0}, {"1E", kMismatch}, {"1E+", kMismatch}, {"E1", kMismatch},
      {"1E1.5", kMismatch}, {"1D2", kMismatch},
      // hexadecimal and octal: up to 16 bits an Integer, up to 32 bits a Long
      {"&H30", 48}, {"&HaA", 170}, {" &h7fff ", 32767}, {"&HFFFF", -1}, {"&H8000", -32768},
      {"&H0000FFFF", -1}, {"&H10000", 65536}, {"&H7FFFFFFF", 2147483647}, {"&HFFFFFFFF", -1},
      {"&H80000000", -2147483648LL}, {"&H100000000", kOverflow},
      {"&H12345678901234567", kOverflow}, {"&O60", 48}, {"&o177777", -1}, {"&O37777777777", -1},
      {"&O40000000000", kOverflow}, {"&H", kMismatch}, {"&HG", kMismatch}, {"&O8", kMismatch},
      {"&H1.5", kMismatch}, {"-&H1", kMismatch}, {"&30", kMismatch}, {"&H 1", kMismatch},
      {"&O777777777778", kMismatch},
  };
  // clang-format on
  for (const auto& [in, out] : cases)
    EXPECT_EQ(Result([&] { return TextToLong(in); }), out) << '"' << in << '"';
  EXPECT_EQ(TextToLong(std::string_view("12.75").substr(0, 4)), 13);  // digits end with the text
  EXPECT_EQ(TextToLong(std::string_view("125").substr(0, 2)), 12);
  EXPECT_EQ(TextToDouble("0." + zeros + "1"), 0.0);
  EXPECT_EQ(TextToDouble("1.25E-2"), 0.0125);
  EXPECT_TRUE(std::signbit(TextToDouble("-0." + zeros + "1")));  // keeps its sign
  EXPECT_EQ(Result([&] { return int64_t{TextToDouble("1" + zeros + ".5") > 0}; }), kOverflow);
}

TEST(CheckedArithmetic, RaisesOverflowAtTheEnds) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  // clang-format off
  const std::tuple<int32_t (*)(int32_t, int32_t), int32_t, int32_t, int64_t> cases[] = {
      {CheckedAdd, kMax - 1, 1, kMax}, {CheckedSub, kMin + 1, 1, kMin},
      {CheckedMul, 65536, 32767, 2147418112}, {CheckedAdd, kMax, 1, kOverflow},
      {CheckedAdd, kMin, -1, kOverflow}, {CheckedSub, kMin, 1, kOverflow},
      {CheckedMul, kMin, -1, kOverflow}, {CheckedMul, 65536, 32768, kOverflow},
  };
  // clang-format on
  for (const auto& [op, a, b, out] : cases) EXPECT_EQ(Result([&] { return op(a, b); }), out);
}

TEST(RegisterPatterns, SignBitIsAPlainBit) {
  EXPECT_EQ(RegisterToDouble(0x80000000u), -2147483648.0);
  EXPECT_EQ(RegisterToDouble(0xFFFFFFFFu), -1.0);
  EXPECT_EQ(DoubleToRegister(-1.0), 0xFFFFFFFFu);
  EXPECT_EQ(DoubleToRegister(RegisterToDouble(0xC0000001u)), 0xC0000001u);
}

// UTF-16 through the core's strings: any units come back as they went in; well-formed text
// is plain UTF-8, an unpaired surrogate its own three bytes; a malformed byte reads as U+FFFD.
TEST(Utf16Text, ComesBackUnitForUnit) {
  // clang-format off
  const std::pair<std::u16string, std::string> cases[] = {
      {u"", ""}, {std::u16string(u"a\0b", 3), std::string("a\0b", 3)},
      {u"\u0080\u20AC", "\xC2\x80\xE2\x82\xAC"}, {u"\U00010000", "\xF0\x90\x80\x80"},
      {u"x\xD800y", "x\xED\xA0\x80y"}, {u"\xDFFF", "\xED\xBF\xBF"},
      {u"\xDC00\xD800", "\xED\xB0\x80\xED\xA0\x80"}, {u"a\xDC00", "a\xED\xB0\x80"},
      {u"\xDBFF\xDBFF\xDFFF", "\xED\xAF\xBF\xF4\x8F\xBF\xBF"},
      {u"\xDC00\xDC00\xD800\uE000", "\xED\xB0\x80\xED\xB0\x80\xED\xA0\x80\xEE\x80\x80"},
      {u"\u07FF\u0800\U0001F600", "\xDF\xBF\xE0\xA0\x80\xF0\x9F\x98\x80"},
  };
  // clang-format on
  for (const auto& [units, bytes] : cases) {
    std::string text = "<";
    AppendUtf16AsUtf8(text, units.data(), units.size());
    EXPECT_EQ(text, "<" + bytes);
    EXPECT_EQ(Utf8ToUtf16(bytes), units);
  }
  EXPECT_EQ(Utf8ToUtf16("\x80\xC0\xAF\xED\xA0"), u"\xFFFD\xFFFD\xFFFD\xFFFD\xFFFD");
  EXPECT_EQ(Utf8ToUtf16(std::string_view("\xC3\xA9").substr(0, 1)), u"\xFFFD");
  std::string cut;  // a pair split by the end of the units is not read past it
  AppendUtf16AsUtf8(cut, u"\xD800\xDC00", 1);
  EXPECT_EQ(cut, "\xED\xA0\x80");
}

}  // namespace
}  // namespace zentnet

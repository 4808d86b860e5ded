// The printable dump of commands and responses, and the code-page conversion under it.

#include <gtest/gtest.h>

#include <string>

#include "zentnet/automation/codepage.h"
#include "zentnet/services/CmdLog.h"

namespace zentnet {
namespace {

struct DumpCase {
  std::string text;
  std::string dump;
};

TEST(CmdLogDump, PrintableFormAndAnnotation) {
  const DumpCase cases[] = {
      {"", ""},
      {"PV 100", "PV 100 [0x64]"},
      {"v 300\r", "v 300\\XD [0x12C]"},
      {"RM", "RM"},
      {"RM\r\n", "RM\\XD\\XA"},
      {"MV 1 2", "MV 1 2"},                    // a second blank: no annotation
      {"X -1", "X -1 [0xFFFFFFFF]"},           // two's complement, eight digits
      {"X -2147483648", "X -2147483648 [0x80000000]"},
      {"X 2147483647", "X 2147483647 [0x7FFFFFFF]"},
      {"X 0", "X 0 [0x0]"},
      {"X 255", "X 255 [0xFF]"},
      {"PV 100x", "PV 100x [0x64]"},           // one final non-digit is dropped
      {"PV 1.5", "PV 1.5 [0x2]"},              // halves go to the even neighbour
      {"PV 2.5", "PV 2.5 [0x2]"},
      {"PV 3.5\r", "PV 3.5\\XD [0x4]"},
      {"PV 1.", "PV 1. [0x1]"},
      {"PV 7AB", "PV 7AB"},                    // 7A does not convert
      {"PV 12-3", "PV 12-3"},
      {"PV 2147483648", "PV 2147483648"},      // beyond 32 bits
      {"PV -", "PV -"},                        // nothing left after the drop
      {"PV x1", "PV x1"},                      // the tail must begin with a digit or "-"
      {"PV ", "PV "},                          // empty tail
      {"PV  5", "PV  5"},                      // the tail " 5" begins with a blank
      {" 42", " 42 [0x2A]"},                   // the first blank may lead the text
      {"PV 5\r\n", "PV 5\\XD\\XA"},            // only one final character is dropped
      {"PV 5\t", "PV 5\\X9 [0x5]"},
      {"PV 1e3", "PV 1e3"},                    // no exponents
      {std::string("A\0B", 3), "A\\X0B"},
      {"\x1f\x20\x7e\x7f", "\\X1F ~\x7f"},     // 31 escaped, 127 as itself
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDump(c.text), c.dump) << "text: " << c.text;
}

TEST(CmdLogDump, NonAsciiGoesThroughTheCodePage) {
  const DumpCase cases[] = {
      {"\xC3\x88", "\\XC8"},                    // U+00C8 is byte 200
      {"\xE2\x82\xAC 5", "\\X80 5 [0x5]"},      // the euro sign is byte 0x80
      {"\xC3\xA9 5\xC3\xA9", "\\XE9 5\\XE9 [0x5]"},  // a final non-ASCII character is dropped too
      {"\xE2\x84\xA2", "\\X99"},                // trade mark
      {"\xC2\x81", "\\X81"},                    // an unassigned position keeps its control
      {"\xC4\x80", "?"},                        // U+0100 is missing: "?"
      {"\xF0\x9F\x98\x80", "?"},                // outside the basic plane: one "?"
      {"\xC3", "?"},                            // truncated sequence
      {"\xE2\x82", "??"},
      {"\x80", "?"},                            // stray continuation byte
      {"\xC0\xAF", "??"},                       // overlong encoding of "/"
      {"\xED\xA0\x80", "???"},                  // a surrogate is no character
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDump(c.text), c.dump) << "text: " << c.text;
}

TEST(CmdLogCodePage, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = Cp1252ToUtf8(all);
  EXPECT_EQ(Utf8ToCp1252(utf8), all);
  // Bytes below 0x80 are themselves; 0xA0.. are the Latin-1 characters of the same number.
  EXPECT_EQ(Cp1252ToUtf8("AZ\xA0\xFF"), "AZ\xC2\xA0\xC3\xBF");
  EXPECT_EQ(Cp1252ToUtf8("\x80\x9F"), "\xE2\x82\xAC\xC5\xB8");
}

TEST(CmdLogCodePage, MissingCharactersBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1252("a\xC2\x80z"), "a?z");           // U+0080 is not in the page
  EXPECT_EQ(Utf8ToCp1252("\xE2\x80\x9C" "x" "\xE2\x80\x9D"), "\x93x\x94");
  EXPECT_EQ(Utf8ToCp1252("\xD0\x96"), "?");              // Cyrillic
  EXPECT_EQ(Utf8ToCp1252("\xF4\x90\x80\x80"), "????");   // beyond U+10FFFF
  std::string appended = "keep:";
  AppendCp1252(appended, "\xC3\xBC");
  EXPECT_EQ(appended, "keep:\xFC");
}

}  // namespace
}  // namespace zentnet

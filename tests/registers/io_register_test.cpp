// The I/O register: the lines, the commutation code and its change event, and bit names.

#include "support.h"

namespace zentnet::test {
namespace {

using Io = DecoderTest<IOregisterObj>;

TEST_F(Io, EachLineReadsItsBit) {
  const std::pair<uint32_t, const char*> cases[] = {
      // clang-format off
      // AmpEnable EnableIn FaultIn ModeIn NegativeLimit PositiveLimit ShutdownLineOut
      // ThermalFaultIn CommutationCode
      {0x0000, "-1 0 0 0 0 0 0 0 0"}, {0x0800, "0 0 0 0 0 0 0 0 0"},
      {0x0010, "-1 0 0 0 0 -1 0 0 0"}, {0x0020, "-1 0 0 0 -1 0 0 0 0"},
      {0x0040, "-1 0 0 0 0 0 -1 0 0"}, {0x0400, "-1 -1 0 0 0 0 0 0 0"},
      {0x2000, "-1 0 -1 0 0 0 0 0 0"}, {0x4000, "-1 0 0 0 0 0 0 -1 0"},
      {0x8000, "-1 0 0 -1 0 0 0 0 0"}, {0x0380, "-1 0 0 0 0 0 0 0 7"},
      {0x0200, "-1 0 0 0 0 0 0 0 4"}, {0xFFFF0000, "-1 0 0 0 0 0 0 0 0"},
      // The code divides the signed number, so in a negative register lower bits carry in.
      {0xFFFFFFFF, "0 -1 -1 -1 -1 -1 -1 -1 0"}, {0x8000030F, "-1 0 0 0 0 0 0 0 7"},
      {0x80000101, "-1 0 0 0 0 0 0 0 3"},
      // clang-format on
  };
  for (const auto& [bits, values] : cases) {
    StoreBits(value, bits);
    EXPECT_EQ(
        Values(*obj, {"AmpEnable", "EnableIn", "FaultIn", "ModeIn", "NegativeLimit",
                      "PositiveLimit", "ShutdownLineOut", "ThermalFaultIn", "CommutationCode"}),
        values)
        << Hex(bits);
    EXPECT_EQ(static_cast<uint32_t>(obj->Bits()), bits);
  }
  Store(383.5);  // ties go to the even neighbour, 384: bits 7 and 8
  EXPECT_EQ(obj->CommutationCode(), 3);
}

TEST_F(Io, BitNamesListsBits0To15InOrderWithoutReadingTheRegister) {
  obj->SetValueObjRef(nullptr);
  const std::pair<const char*, const char*> cases[] = {
      {"65536", ""},
      {"4097", "BIT 0, BIT 12"},
      {" 2048.4 ", "AMP DIS"},
      {"-1",
       "BIT 0, BIT 1, BIT 2, BIT 3, +LIMIT IN, -LIMIT IN, SHUTDOWN OUT, COMMUTATION T, "
       "COMMUTATION S, COMMUTATION R, ENABLE IN, AMP DIS, BIT 12, HW FAULT IN, TEMP FAULT IN, "
       "MODE IN"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(obj->BitNames(in), out) << in;
  for (const char* text : {"", "12x"})
    ExpectError(err::kTypeMismatch, "Type mismatch", [&] { (void)obj->BitNames(text); });
  ExpectOverflow([&] { (void)obj->BitNames("2147483648"); });
}

TEST_F(Io, CommutationChangedOnlyWhenTheCodeDiffers) {
  Store(0x0010);  // code 0 against the initial 0: nothing
  Store(0x0180);  // 3
  Store(0x0181);  // still 3
  Store(0x0280);  // 5
  EXPECT_EQ(rec->lines, (Lines{"CommutationChanged 3,0", "CommutationChanged 5,3"}));
  EXPECT_EQ(obj->LastCommutationCode(), 3);

  // Swapping in another value object zeroes both codes without an event.
  auto other = BasicValueObj::create();
  StoreBits(other, 0x0281);
  obj->SetValueObjRef(other);
  EXPECT_EQ(obj->LastCommutationCode(), 0);
  StoreBits(other, 0x0280);  // code 5 against a reset current code of 0
  EXPECT_EQ(rec->lines.back(), "CommutationChanged 5,0");
  EXPECT_EQ(rec->lines.size(), 3u);
}

}  // namespace
}  // namespace zentnet::test

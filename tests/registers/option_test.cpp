// The option register: fields read by the register arithmetic (writes share the configuration
// register's), display texts gated by the drive's options, and the firmware event.

#include "support.h"

namespace zentnet::test {
namespace {

using Option = DecoderTest<OptionRegObj>;

TEST_F(Option, FieldsReadTheirBitsAndMultiBitOnesDivideASignedRegister) {
  const std::pair<uint32_t, const char*> cases[] = {
      // clang-format off
      // CaseOption FirmwareType InitialCalibration RuntimeCalibration VoltageMode Vendor
      // WarrantyOptions AnalogInputFormat LPBenabled
      {0x0, "0 0 0 0 0 0 0 0 0"},
      {0xA00005, "0 0 -1 0 -1 5 0 0 0"},  // bits 0, 2, 21, 23
      {0x2, "0 0 0 -1 0 0 0 0 0"}, {0x8, "0 0 0 0 0 0 0 1 0"}, {0x80, "0 0 0 0 0 0 0 0 -1"},
      {0x7E08FF00, "0 0 0 0 0 0 0 0 0"},  // only bits no field reads
      {0x7FFFFFFF, "7 7 -1 -1 -1 15 1 1 -1"},
      // The quotient truncates toward zero: with the sign set, any bit below a field moves
      // what the field reads by one; switches read their own bit.
      {0x80000000, "0 0 0 0 0 0 0 0 0"}, {0x80010001, "2 1 0 0 -1 1 1 1 0"},
      {0x80000011, "1 2 0 0 -1 1 1 1 0"}, {0x80200001, "1 1 0 0 -1 2 1 1 0"},
      {0x80000086, "1 1 -1 -1 0 1 1 1 -1"}, {0xFFFFFFFF, "0 0 -1 -1 -1 0 0 0 -1"},
      // clang-format on
  };
  for (const auto& [bits, values] : cases) {
    StoreBits(value, bits);
    EXPECT_EQ(Values(*obj, {"CaseOption", "FirmwareType", "InitialCalibration",
                            "RuntimeCalibration", "VoltageMode", "Vendor", "WarrantyOptions",
                            "AnalogInputFormat", "LPBenabled"}),
              values)
        << Hex(bits);
  }
}

TEST_F(Option, EachDisplayNeedsItsOwnOptionExceptTheVendor) {
  // Register, options: voltage mode, analog input format, logic power backup and vendor.
  const std::tuple<uint32_t, uint32_t, const char*> cases[] = {
      {0x400089, 0xFFFFFFFF, "ON|0.0V-5.0V|YES|Pellmont"},
      {0x600000, 0x7FFFFFFF, "OFF|0.5V-4.5V|NO|Corvan Engineers"},
      {0x400089, 0x1, "ON|N/A|N/A|Pellmont"},
      {0x400089, 0x8, "N/A|0.0V-5.0V|N/A|Pellmont"},
      {0x400089, 0x76, "N/A|N/A|N/A|Pellmont"},
      {0x1800000, 0, "N/A|N/A|N/A|Unknown vendor 12"},
      {0x800000, 0, "N/A|N/A|N/A|Unknown vendor  4"},
  };
  for (const auto& [bits, capability, texts] : cases) {
    Load(bits);
    obj->SetCapabilityMask(static_cast<OptionRegMasks>(capability));
    EXPECT_EQ(obj->VoltageModeStr() + "|" + obj->AnalogInputFormatStr() + "|" +
                  obj->LPBenabledStr() + "|" + obj->VendorStr(),
              texts);
  }
  // Without the option the register is not read at all.
  obj->SetCapabilityMask(static_cast<OptionRegMasks>(0));
  obj->SetRegister(nullptr);
  EXPECT_EQ(obj->LPBenabledStr() + obj->VoltageModeStr() + obj->AnalogInputFormatStr(),
            "N/AN/AN/A");
}

TEST_F(Option, OnlyAFirmwareFieldChangeAddsFirmwareChanged) {
  const std::tuple<uint32_t, uint32_t, Lines> cases[] = {
      {0x0, 0x1, {"Change"}},
      {0x70, 0x0, {"Change", "FirmwareChanged"}},
      {0x80000000, 0x80000040, {"Change", "FirmwareChanged"}},
  };
  for (const auto& [from, to, events] : cases) {
    Load(from);
    StoreBits(value, to);
    EXPECT_EQ(rec->lines, events) << from << " -> " << to;
  }
  // A field write reaches listeners only through the value object; Change comes before
  // the numbers are converted.
  Load(0);
  obj->SetFirmwareType(3);
  obj->SetFirmwareType(3);
  EXPECT_THROW(Store(2147483648.0), AutomationError);
  EXPECT_EQ(rec->lines, (Lines{"Change", "FirmwareChanged", "Change", "Change"}));
}

}  // namespace
}  // namespace zentnet::test

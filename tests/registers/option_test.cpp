// The option register: fields read by the register arithmetic, read-modify-write of single
// fields, display texts gated by the drive's options, and the firmware event.

#include "support.h"

namespace zentnet::test {
namespace {

struct Option : ::testing::Test {
  std::shared_ptr<OptionRegObj> opt = OptionRegObj::create();
  std::shared_ptr<Recorder> rec = std::make_shared<Recorder>();
  void SetUp() override { opt->Advise(rec); }
  void Load(uint32_t bits) {
    StoreBits(opt->Register(), bits);
    rec->lines.clear();
  }
  uint32_t Bits() const { return BitsOf(opt->Register()); }
};

TEST_F(Option, FieldsReadTheirBitsAndMultiBitOnesDivideASignedRegister) {
  const struct {
    uint32_t bits;
    int32_t caseOption, firmware;
    bool initialCal, runtimeCal, voltage;
    int32_t vendor, warranty, analog;
    bool lpb;
  } cases[] = {
      {0x0, 0, 0, false, false, false, 0, 0, 0, false},
      {0xA00005, 0, 0, true, false, true, 5, 0, 0, false},  // bits 0, 2, 21, 23
      {0x2, 0, 0, false, true, false, 0, 0, 0, false},
      {0x8, 0, 0, false, false, false, 0, 0, 1, false},
      {0x70, 0, 7, false, false, false, 0, 0, 0, false},
      {0x80, 0, 0, false, false, false, 0, 0, 0, true},
      {0x50000, 5, 0, false, false, false, 0, 0, 0, false},
      {0x100000, 0, 0, false, false, false, 0, 1, 0, false},
      {0x1E00000, 0, 0, false, false, false, 15, 0, 0, false},
      {0x7E08FF00, 0, 0, false, false, false, 0, 0, 0, false},  // only bits no field reads
      {0x7FFFFFFF, 7, 7, true, true, true, 15, 1, 1, true},
      // The quotient truncates toward zero: with the sign set, any bit below a field moves
      // what the field reads by one; switches read their own bit.
      {0x80000000, 0, 0, false, false, false, 0, 0, 0, false},
      {0x80010001, 2, 1, false, false, true, 1, 1, 1, false},
      {0x80000011, 1, 2, false, false, true, 1, 1, 1, false},
      {0x80000009, 1, 1, false, false, true, 1, 1, 0, false},
      {0x80100001, 1, 1, false, false, true, 1, 0, 1, false},
      {0x80200001, 1, 1, false, false, true, 2, 1, 1, false},
      {0x80000086, 1, 1, true, true, false, 1, 1, 1, true},
      {0xFFFFFFFF, 0, 0, true, true, true, 0, 0, 0, true},
  };
  for (const auto& c : cases) {
    StoreBits(opt->Register(), c.bits);
    SCOPED_TRACE(c.bits);
    EXPECT_EQ(opt->CaseOption(), c.caseOption);
    EXPECT_EQ(opt->FirmwareType(), c.firmware);
    EXPECT_EQ(opt->InitialCalibration(), c.initialCal);
    EXPECT_EQ(opt->RuntimeCalibration(), c.runtimeCal);
    EXPECT_EQ(opt->VoltageMode(), c.voltage);
    EXPECT_EQ(opt->Vendor(), c.vendor);
    EXPECT_EQ(opt->WarrantyOptions(), c.warranty);
    EXPECT_EQ(opt->AnalogInputFormat(), c.analog);
    EXPECT_EQ(opt->LPBenabled(), c.lpb);
  }
}

TEST_F(Option, AWriteReplacesOnlyItsFieldAndDropsWhatDoesNotFit) {
  using O = OptionRegObj;
  const struct {
    const char* what;
    uint32_t before;
    void (*write)(O&);
    uint32_t after;
  } cases[] = {
      {"CaseOption 9", 0, [](O& o) { o.SetCaseOption(static_cast<OptionCases>(9)); }, 0x10000},
      {"CaseOption -1", 0, [](O& o) { o.SetCaseOption(static_cast<OptionCases>(-1)); }, 0x70000},
      {"Vendor 3", 0xFFFF, [](O& o) { o.SetVendor(OPTION_VENDOR_CORVAN); }, 0x60FFFF},
      {"Vendor 16", 0x1E00000, [](O& o) { o.SetVendor(static_cast<OptionVendors>(16)); }, 0},
      {"Vendor 15", 0x80000000, [](O& o) { o.SetVendor(static_cast<OptionVendors>(15)); },
       0x81E00000},
      {"FirmwareType 2", 0xFFFFFFFF, [](O& o) { o.SetFirmwareType(2); }, 0xFFFFFFAF},
      {"FirmwareType 8", 0x70, [](O& o) { o.SetFirmwareType(8); }, 0},
      {"Warranty 3", 0, [](O& o) { o.SetWarrantyOptions(static_cast<OptionWarranties>(3)); },
       0x100000},
      {"Warranty 0", 0xFFFFFFFF, [](O& o) { o.SetWarrantyOptions(OPTION_WARRANTY_NORM); },
       0xFFEFFFFF},
      {"AnalogInputFormat 2", 0x8,
       [](O& o) { o.SetAnalogInputFormat(static_cast<OptionAnalogInFormats>(2)); }, 0},
      {"VoltageMode on", 0xFE, [](O& o) { o.SetVoltageMode(true); }, 0xFF},
      {"VoltageMode off", 0xFFFFFFFF, [](O& o) { o.SetVoltageMode(false); }, 0xFFFFFFFE},
      {"RuntimeCalibration on", 0, [](O& o) { o.SetRuntimeCalibration(true); }, 0x2},
      {"InitialCalibration off", 0x7, [](O& o) { o.SetInitialCalibration(false); }, 0x3},
      {"LPBenabled on", 0x80000000, [](O& o) { o.SetLPBenabled(true); }, 0x80000080},
  };
  opt->SetCapabilityMask(static_cast<OptionRegMasks>(0));  // no write consults it
  for (const auto& c : cases) {
    Load(c.before);
    c.write(*opt);
    EXPECT_EQ(Bits(), c.after) << c.what;
  }
  // A write on a number outside the range overflows and leaves it alone.
  EXPECT_THROW(opt->Register()->Number()->SetValue(2147483648.0), AutomationError);
  ExpectOverflow([&] { opt->SetVoltageMode(true); });
  EXPECT_EQ(opt->Register()->Number()->Value(), 2147483648.0);
}

TEST_F(Option, EachDisplayNeedsItsOwnOptionExceptTheVendor) {
  const struct {
    uint32_t bits, capability;
    const char *voltage, *analog, *lpb, *vendor;
  } cases[] = {
      {0x400089, 0xFFFFFFFF, "ON", "0.0V-5.0V", "YES", "Pellmont"},
      {0x600000, 0x7FFFFFFF, "OFF", "0.5V-4.5V", "NO", "Corvan Engineers"},
      {0x400089, 0x1, "ON", "N/A", "N/A", "Pellmont"},
      {0x400089, 0x8, "N/A", "0.0V-5.0V", "N/A", "Pellmont"},
      {0x400089, 0x80, "N/A", "N/A", "YES", "Pellmont"},
      {0x400089, 0x76, "N/A", "N/A", "N/A", "Pellmont"},
      {0x1800000, 0, "N/A", "N/A", "N/A", "Unknown vendor 12"},
      {0x800000, 0, "N/A", "N/A", "N/A", "Unknown vendor  4"},
  };
  for (const auto& c : cases) {
    Load(c.bits);
    opt->SetCapabilityMask(static_cast<OptionRegMasks>(c.capability));
    SCOPED_TRACE(c.capability);
    EXPECT_EQ(opt->VoltageModeStr(), c.voltage);
    EXPECT_EQ(opt->AnalogInputFormatStr(), c.analog);
    EXPECT_EQ(opt->LPBenabledStr(), c.lpb);
    EXPECT_EQ(opt->VendorStr(), c.vendor);
  }
  // Without the option the register is not read at all.
  opt->SetCapabilityMask(static_cast<OptionRegMasks>(0));
  opt->SetRegister(nullptr);
  EXPECT_EQ(opt->LPBenabledStr(), "N/A");
  EXPECT_EQ(opt->VoltageModeStr(), "N/A");
  EXPECT_EQ(opt->AnalogInputFormatStr(), "N/A");
}

TEST_F(Option, OnlyAFirmwareFieldChangeAddsFirmwareChanged) {
  const struct {
    uint32_t from, to;
    Lines events;
  } cases[] = {
      {0x0, 0x1, {"Change"}},
      {0x10, 0x20, {"Change", "FirmwareChanged"}},
      {0x70, 0x0, {"Change", "FirmwareChanged"}},
      {0x80000000, 0x80000040, {"Change", "FirmwareChanged"}},
      {0xFFFFFF8F, 0x7FFFFF8F, {"Change"}},
  };
  for (const auto& c : cases) {
    Load(c.from);
    StoreBits(opt->Register(), c.to);
    EXPECT_EQ(rec->lines, c.events) << c.from << " -> " << c.to;
  }
  // A field write reaches listeners only through the value object; Change comes before
  // the numbers are converted.
  Load(0);
  opt->SetFirmwareType(3);
  opt->SetFirmwareType(3);
  EXPECT_THROW(opt->Register()->Number()->SetValue(2147483648.0), AutomationError);
  EXPECT_EQ(rec->lines, (Lines{"Change", "FirmwareChanged", "Change"}));
}

}  // namespace
}  // namespace zentnet::test

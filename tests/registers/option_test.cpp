#include "zentnet/registers/OptionRegObj.h"

#include <gtest/gtest.h>

#include <functional>

#include "decoder_test_support.h"
#include "recorder.h"
#include "zentnet/automation/convert.h"
#include "zentnet/factory.h"
#include "zentnet/values/values.h"

namespace zentnet {
namespace {

using Lines = std::vector<std::string>;
using test::ExpectObjectRequired;
using test::ExpectOverflow;

class OptionRecorder : public OptionRegObjEvents {
 public:
  explicit OptionRecorder(test::Journal& j) : j_(j) {}
  void Change() override {
    j_.Add("Change");
    if (onChange) onChange();
  }
  void FirmwareChanged() override { j_.Add("FirmwareChanged"); }
  void Refresh(std::shared_ptr<ValueObj>& valRef) override { j_.Add("Refresh " + valRef->Name()); }
  void InitializeCache(double& initial, bool& processed) override {
    j_.Add("InitializeCache " + std::to_string(static_cast<int>(initial)));
    initial = 5;
    processed = true;
  }
  std::function<void()> onChange;

 private:
  test::Journal& j_;
};

struct OptionFixture : ::testing::Test {
  std::shared_ptr<OptionRegObj> opt = OptionRegObj::create();
  test::Journal j;
  std::shared_ptr<OptionRecorder> sink = std::make_shared<OptionRecorder>(j);
  void SetUp() override { opt->Advise(sink); }
  void Store(double v) { opt->Register()->Number()->SetValue(v); }
  // The change reaction converts the new number too, so the store itself overflows.
  void StoreOutOfRange(double v) { ExpectOverflow([&] { Store(v); }); }
  void StoreBits(uint32_t bits) { test::StoreBits(opt->Register(), bits); }
  uint32_t Bits() const { return DoubleToRegister(opt->Register()->Number()->Value()); }
};

using OptionDecode = OptionFixture;
using OptionWrite = OptionFixture;
using OptionText = OptionFixture;
using OptionEvents = OptionFixture;

struct ReadCase {
  uint32_t bits;
  int32_t caseOption, firmware;
  bool initialCal, runtimeCal, voltage;
  int32_t vendor, warranty, analog;
  bool lpb;
};

TEST_F(OptionDecode, FieldsReadTheirBits) {
  const ReadCase cases[] = {
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
  };
  for (const auto& c : cases) {
    StoreBits(c.bits);
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

TEST_F(OptionDecode, WithTheSignBitSetMultiBitFieldsReadBySignedDivision) {
  // The quotient truncates toward zero: with the sign set, any bit below a field moves
  // what the field reads by one.
  const ReadCase cases[] = {
      {0x80000000, 0, 0, false, false, false, 0, 0, 0, false},
      {0x80010000, 1, 0, false, false, false, 1, 1, 0, false},
      {0x80010001, 2, 1, false, false, true, 1, 1, 1, false},
      {0x80000010, 1, 1, false, false, false, 1, 1, 0, false},
      {0x80000011, 1, 2, false, false, true, 1, 1, 1, false},
      {0x80000008, 1, 1, false, false, false, 1, 1, 1, false},
      {0x80000009, 1, 1, false, false, true, 1, 1, 0, false},
      {0x80100000, 0, 0, false, false, false, 1, 1, 0, false},
      {0x80100001, 1, 1, false, false, true, 1, 0, 1, false},
      {0x80200000, 0, 0, false, false, false, 1, 0, 0, false},
      {0x80200001, 1, 1, false, false, true, 2, 1, 1, false},
      {0x80000086, 1, 1, true, true, false, 1, 1, 1, true},
      {0xFFFFFFFF, 0, 0, true, true, true, 0, 0, 0, true},
  };
  for (const auto& c : cases) {
    StoreBits(c.bits);
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

TEST_F(OptionDecode, LateBoundReadsMatchTheMembersInPublishedOrder) {
  const auto names = opt->PropertyNames();
  const Lines expected = {"CapabilityMask", "CaseOption", "FirmwareType", "InitialCalibration",
                          "RuntimeCalibration", "VoltageMode", "VoltageModeStr", "Vendor",
                          "VendorStr", "WarrantyOptions", "AnalogInputFormat",
                          "AnalogInputFormatStr", "LPBenabled", "LPBenabledStr"};
  EXPECT_EQ(Lines(names.begin(), names.end()), expected);
  StoreBits(0xA00089);
  EXPECT_EQ(opt->GetProperty("CapabilityMask"), Variant(int32_t{0x7FFFFFFF}));
  EXPECT_EQ(opt->GetProperty("vendor"), Variant(int32_t{5}));
  EXPECT_EQ(opt->GetProperty("VoltageMode"), Variant(true));
  EXPECT_EQ(opt->GetProperty("RuntimeCalibration"), Variant(false));
  EXPECT_EQ(opt->GetProperty("VoltageModeStr"), Variant("ON"));
  EXPECT_EQ(opt->GetProperty("AnalogInputFormatStr"), Variant("0.0V-5.0V"));
  EXPECT_EQ(opt->GetProperty("LPBenabledStr"), Variant("YES"));
  EXPECT_EQ(opt->GetProperty("VendorStr"), Variant("Unknown vendor  5"));
}

TEST_F(OptionDecode, TheOwnValueObjectIsSetUpAtConstruction) {
  const auto& v = opt->Register();
  EXPECT_EQ(v->Name(), "Option register");
  EXPECT_EQ(v->SetupA(), 0);
  EXPECT_EQ(v->SetupB(), 6);
  EXPECT_EQ(v->ParamNum(), 62);
  EXPECT_EQ(v->SetupC(), 1);
  EXPECT_EQ(v->Number()->LowerBoundB(), -2147483648.0);
  EXPECT_EQ(v->Number()->UpperBoundB(), 2147483647.0);
  EXPECT_EQ(v->Number()->SetupH(), -1);
  EXPECT_EQ(opt->CapabilityMask(), 0x7FFFFFFF);
  const auto o = CreateObject("OptionRegObj");
  ASSERT_NE(o, nullptr);
  EXPECT_EQ(o->ClassName(), "OptionRegObj");
}

struct WriteCase {
  const char* what;
  uint32_t before;
  std::function<void(OptionRegObj&)> write;
  uint32_t after;
};

TEST_F(OptionWrite, AWriteReplacesOnlyItsFieldAndDropsWhatDoesNotFit) {
  const WriteCase cases[] = {
      {"CaseOption 9", 0, [](OptionRegObj& o) { o.SetCaseOption(static_cast<OptionCases>(9)); }, 0x10000},
      {"CaseOption -1", 0, [](OptionRegObj& o) { o.SetCaseOption(static_cast<OptionCases>(-1)); }, 0x70000},
      {"Vendor 3", 0xFFFF, [](OptionRegObj& o) { o.SetVendor(OPTION_VENDOR_CORVAN); }, 0x60FFFF},
      {"Vendor 16", 0x1E00000, [](OptionRegObj& o) { o.SetVendor(static_cast<OptionVendors>(16)); }, 0},
      {"Vendor 15 on the sign", 0x80000000,
       [](OptionRegObj& o) { o.SetVendor(static_cast<OptionVendors>(15)); }, 0x81E00000},
      {"FirmwareType 2", 0xFFFFFFFF, [](OptionRegObj& o) { o.SetFirmwareType(2); }, 0xFFFFFFAF},
      {"FirmwareType 8", 0x70, [](OptionRegObj& o) { o.SetFirmwareType(8); }, 0},
      {"WarrantyOptions 3", 0, [](OptionRegObj& o) { o.SetWarrantyOptions(static_cast<OptionWarranties>(3)); }, 0x100000},
      {"WarrantyOptions 0", 0xFFFFFFFF, [](OptionRegObj& o) { o.SetWarrantyOptions(OPTION_WARRANTY_NORM); }, 0xFFEFFFFF},
      {"AnalogInputFormat 2", 0x8, [](OptionRegObj& o) { o.SetAnalogInputFormat(static_cast<OptionAnalogInFormats>(2)); }, 0},
      {"AnalogInputFormat 1", 0x80000000, [](OptionRegObj& o) { o.SetAnalogInputFormat(OPTION_ANA_IN_5V); }, 0x80000008},
      {"VoltageMode on", 0xFE, [](OptionRegObj& o) { o.SetVoltageMode(true); }, 0xFF},
      {"VoltageMode off", 0xFFFFFFFF, [](OptionRegObj& o) { o.SetVoltageMode(false); }, 0xFFFFFFFE},
      {"RuntimeCalibration on", 0, [](OptionRegObj& o) { o.SetRuntimeCalibration(true); }, 0x2},
      {"InitialCalibration off", 0x7, [](OptionRegObj& o) { o.SetInitialCalibration(false); }, 0x3},
      {"LPBenabled on", 0x80000000, [](OptionRegObj& o) { o.SetLPBenabled(true); }, 0x80000080},
      {"LPBenabled off", 0x80, [](OptionRegObj& o) { o.SetLPBenabled(false); }, 0},
  };
  for (const auto& c : cases) {
    StoreBits(c.before);
    c.write(*opt);
    EXPECT_EQ(Bits(), c.after) << c.what;
    // Stored as the signed number, so the value object holds one 32-bit pattern.
    EXPECT_EQ(opt->Register()->Number()->Value(), static_cast<int32_t>(c.after)) << c.what;
  }
}

TEST_F(OptionWrite, NoWriteConsultsTheCapabilityMask) {
  opt->SetCapabilityMask(static_cast<OptionRegMasks>(0));
  opt->SetVoltageMode(true);
  opt->SetLPBenabled(true);
  opt->SetAnalogInputFormat(OPTION_ANA_IN_5V);
  EXPECT_EQ(Bits(), 0x89u);
}

TEST_F(OptionWrite, AWriteOnAnOutOfRangeNumberOverflowsAndLeavesItAlone) {
  StoreOutOfRange(2147483648.0);
  j.Clear();
  ExpectOverflow([&] { opt->SetVoltageMode(true); });
  ExpectOverflow([&] { opt->SetVendor(OPTION_VENDOR_ALDORA); });
  EXPECT_EQ(opt->Register()->Number()->Value(), 2147483648.0);
  EXPECT_TRUE(j.lines.empty());
}

TEST_F(OptionText, BooleanTextsFollowTheFieldWhileTheDriveHasTheOption) {
  StoreBits(0);
  EXPECT_EQ(opt->VoltageModeStr(), "OFF");
  EXPECT_EQ(opt->LPBenabledStr(), "NO");
  EXPECT_EQ(opt->AnalogInputFormatStr(), "0.5V-4.5V");
  StoreBits(0x89);
  EXPECT_EQ(opt->VoltageModeStr(), "ON");
  EXPECT_EQ(opt->LPBenabledStr(), "YES");
  EXPECT_EQ(opt->AnalogInputFormatStr(), "0.0V-5.0V");
}

TEST_F(OptionText, VendorNamesCoverEveryCode) {
  const char* names[16] = {"Zentara", "Aldora", "Pellmont", "Corvan Engineers",
                           "Unknown vendor  4", "Unknown vendor  5", "Unknown vendor  6",
                           "Unknown vendor  7", "Unknown vendor  8", "Unknown vendor  9",
                           "Unknown vendor 10", "Unknown vendor 11", "Unknown vendor 12",
                           "Unknown vendor 13", "Unknown vendor 14", "Unknown vendor 15"};
  for (int32_t v = 0; v < 16; ++v) {
    opt->SetVendor(static_cast<OptionVendors>(v));
    EXPECT_EQ(opt->VendorStr(), names[v]) << v;
  }
}

TEST_F(OptionText, EachDisplayNeedsItsOwnCapabilityBitExceptTheVendor) {
  StoreBits(0x400089);
  const struct {
    uint32_t capability;
    const char *voltage, *analog, *lpb;
  } cases[] = {
      {0, "N/A", "N/A", "N/A"},
      {0x1, "ON", "N/A", "N/A"},
      {0x8, "N/A", "0.0V-5.0V", "N/A"},
      {0x80, "N/A", "N/A", "YES"},
      {0x76, "N/A", "N/A", "N/A"},
      {0xFFFFFFFF, "ON", "0.0V-5.0V", "YES"},
  };
  for (const auto& c : cases) {
    opt->SetCapabilityMask(static_cast<OptionRegMasks>(c.capability));
    SCOPED_TRACE(c.capability);
    EXPECT_EQ(opt->VoltageModeStr(), c.voltage);
    EXPECT_EQ(opt->AnalogInputFormatStr(), c.analog);
    EXPECT_EQ(opt->LPBenabledStr(), c.lpb);
    EXPECT_EQ(opt->VendorStr(), "Pellmont");
  }
}

TEST_F(OptionText, WithoutTheOptionTheRegisterIsNotRead) {
  opt->SetCapabilityMask(static_cast<OptionRegMasks>(0));
  StoreOutOfRange(2147483648.0);
  EXPECT_EQ(opt->VoltageModeStr(), "N/A");
  ExpectOverflow([&] { opt->VendorStr(); });
  opt->SetRegister(nullptr);
  EXPECT_EQ(opt->LPBenabledStr(), "N/A");
  EXPECT_EQ(opt->AnalogInputFormatStr(), "N/A");
  ExpectObjectRequired([&] { opt->VendorStr(); });
}

TEST_F(OptionDecode, OutOfRangeNumbersAndAMissingRegisterFailEveryRead) {
  StoreOutOfRange(-2147483649.0);
  for (const auto name : opt->PropertyNames()) {
    if (name == "CapabilityMask") continue;
    ExpectOverflow([&] { opt->GetProperty(name); });
  }
  opt->SetRegister(nullptr);
  for (const auto name : opt->PropertyNames()) {
    if (name == "CapabilityMask") continue;
    ExpectObjectRequired([&] { opt->GetProperty(name); });
  }
  ExpectObjectRequired([&] { opt->SetFirmwareType(1); });
}

TEST_F(OptionEvents, OnlyAFirmwareFieldChangeAddsFirmwareChanged) {
  const struct {
    uint32_t from, to;
    Lines events;
  } cases[] = {
      {0x0, 0x1, {"Change"}},
      {0x10, 0x20, {"Change", "FirmwareChanged"}},
      {0x10, 0x11, {"Change"}},
      {0x70, 0x0, {"Change", "FirmwareChanged"}},
      {0x80000000, 0x80000040, {"Change", "FirmwareChanged"}},
      {0xFFFFFF8F, 0x7FFFFF8F, {"Change"}},
  };
  for (const auto& c : cases) {
    StoreBits(c.from);
    j.Clear();
    StoreBits(c.to);
    EXPECT_EQ(j.lines, c.events) << c.from << " -> " << c.to;
  }
}

TEST_F(OptionEvents, AFieldWriteReachesListenersThroughTheValueObject) {
  opt->SetFirmwareType(3);
  opt->SetFirmwareType(3);  // the same number: the value object raises nothing
  opt->SetVendor(OPTION_VENDOR_ALDORA);
  EXPECT_EQ(j.lines, (Lines{"Change", "FirmwareChanged", "Change"}));
}

TEST_F(OptionEvents, ChangeIsRaisedBeforeAnOverflowOfTheComparison) {
  EXPECT_THROW(Store(2147483648.0), AutomationError);
  EXPECT_EQ(j.lines, (Lines{"Change"}));
}

TEST_F(OptionEvents, RefreshPassesTheValueObjectAndInitializeCacheItsReferences) {
  opt->Register()->Refresh();
  auto value = std::dynamic_pointer_cast<BasicValueObj>(opt->Register());
  ASSERT_NE(value, nullptr);
  double initial = 3;
  bool processed = false;
  value->RaiseInitializeCache(initial, processed);
  EXPECT_EQ(j.lines, (Lines{"Refresh Option register", "InitializeCache 3"}));
  EXPECT_EQ(initial, 5);
  EXPECT_TRUE(processed);
}

TEST_F(OptionEvents, AssigningAnotherRegisterMovesTheSubscription) {
  const auto old = opt->Register();
  auto other = BasicValueObj::create();
  opt->SetRegister(other);
  test::StoreBits(old, 0x10);
  EXPECT_TRUE(j.lines.empty());
  test::StoreBits(other, 0x10);
  EXPECT_EQ(j.lines, (Lines{"Change", "FirmwareChanged"}));
  EXPECT_EQ(opt->FirmwareType(), 1);
}

TEST_F(OptionEvents, TheDecoderOutlivesAListenerThatDropsItDuringChange) {
  const auto value = opt->Register();
  std::weak_ptr<OptionRegObj> weak = opt;
  sink->onChange = [this] { opt.reset(); };
  test::StoreBits(value, 0x20);
  EXPECT_EQ(j.lines, (Lines{"Change", "FirmwareChanged"}));
  EXPECT_TRUE(weak.expired());
}

}  // namespace
}  // namespace zentnet

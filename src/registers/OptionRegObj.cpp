#include "zentnet/registers/OptionRegObj.h"

#include "decoder.h"
#include "zentnet/automation/error.h"
#include "zentnet/resources/strings.h"
#include "zentnet/values/factory.h"

namespace zentnet {

namespace {
using Events = OptionRegObjEvents;

constexpr uint32_t kCaseBits =
    OPTION_MASK_CASE_OPTION0 | OPTION_MASK_CASE_OPTION1 | OPTION_MASK_CASE_OPTION2;
constexpr uint32_t kFirmwareBits =
    OPTION_MASK_FW_OPTION0 | OPTION_MASK_FW_OPTION1 | OPTION_MASK_FW_OPTION2;
constexpr uint32_t kVendorBits = OPTION_MASK_VENDOR0 | OPTION_MASK_VENDOR1 | OPTION_MASK_VENDOR2 |
                                 static_cast<uint32_t>(OPTION_MASK_VENDOR3);

// Switches read their bit; the other fields, one-bit ones included, read by the register
// arithmetic (signed division), in which the sign of the register may carry into them.
bool Bit(const OptionRegObj& o, uint32_t mask) { return reg::Has(reg::Read(o.Register()), mask); }
int32_t Get(const OptionRegObj& o, uint32_t mask) {
  return reg::Field(reg::Read(o.Register()), mask);
}
void Set(const OptionRegObj& o, uint32_t mask, int32_t value) {
  reg::Update(o.Register(), mask, value);
}

bool Offered(const OptionRegObj& o, uint32_t option) {
  return reg::Has(o.CapabilityMask(), option);
}
std::string YesNoText(bool yes) { return LoadResString(yes ? 4194 : 4193); }
}  // namespace

OptionRegObj::OptionRegObj() = default;
OptionRegObj::~OptionRegObj() = default;

std::shared_ptr<OptionRegObj> OptionRegObj::create() {
  auto self = Pinnable::Make<OptionRegObj>();
  self->sink_ = MakeValueSink(self, {.changed = &OptionRegObj::Register_Changed,
                                     .refresh = &OptionRegObj::Register_Refresh,
                                     .initializeCache = &OptionRegObj::Register_InitializeCache});
  self->SetRegister(NewValueObj());
  ValueObj& v = *self->m_register.get();
  v.SetName(LoadResString(1001));
  v.SetSetupA(0);
  v.SetSetupB(6);
  v.SetParamNum(62);
  v.SetSetupC(1);
  v.Number()->SetLowerBoundB(-2147483648.0);
  v.Number()->SetUpperBoundB(2147483647.0);
  v.Number()->SetSetupH(-1);
  return self;
}

void OptionRegObj::SetRegister(std::shared_ptr<ValueObj> value) {
  m_register.Reset(std::move(value), sink_);
}

void OptionRegObj::SetCaseOption(OptionCases value) { Set(*this, kCaseBits, value); }
OptionCases OptionRegObj::CaseOption() const {
  return static_cast<OptionCases>(Get(*this, kCaseBits));
}
void OptionRegObj::SetFirmwareType(int32_t value) { Set(*this, kFirmwareBits, value); }
int32_t OptionRegObj::FirmwareType() const { return Get(*this, kFirmwareBits); }
void OptionRegObj::SetInitialCalibration(bool state) { Set(*this, OPTION_MASK_POR_CAL, state); }
bool OptionRegObj::InitialCalibration() const { return Bit(*this, OPTION_MASK_POR_CAL); }
void OptionRegObj::SetRuntimeCalibration(bool state) { Set(*this, OPTION_MASK_RUN_CAL, state); }
bool OptionRegObj::RuntimeCalibration() const { return Bit(*this, OPTION_MASK_RUN_CAL); }
void OptionRegObj::SetVoltageMode(bool state) { Set(*this, OPTION_MASK_VOLT_MODE, state); }
bool OptionRegObj::VoltageMode() const { return Bit(*this, OPTION_MASK_VOLT_MODE); }
// Without the option the text is "N/A" and the register is not read at all.
std::string OptionRegObj::VoltageModeStr() const {
  return Offered(*this, OPTION_MASK_VOLT_MODE) ? reg::OnOffText(VoltageMode())
                                               : reg::NotAvailableText();
}
void OptionRegObj::SetVendor(OptionVendors value) { Set(*this, kVendorBits, value); }
OptionVendors OptionRegObj::Vendor() const {
  return static_cast<OptionVendors>(Get(*this, kVendorBits));
}
std::string OptionRegObj::VendorStr() const { return LoadResString(8000 + Vendor()); }
void OptionRegObj::SetWarrantyOptions(OptionWarranties value) {
  Set(*this, OPTION_MASK_WARRANTY, value);
}
OptionWarranties OptionRegObj::WarrantyOptions() const {
  return static_cast<OptionWarranties>(Get(*this, OPTION_MASK_WARRANTY));
}
void OptionRegObj::SetAnalogInputFormat(OptionAnalogInFormats value) {
  Set(*this, OPTION_MASK_ANA_IN_FMT0, value);
}
OptionAnalogInFormats OptionRegObj::AnalogInputFormat() const {
  return static_cast<OptionAnalogInFormats>(Get(*this, OPTION_MASK_ANA_IN_FMT0));
}
std::string OptionRegObj::AnalogInputFormatStr() const {
  return Offered(*this, OPTION_MASK_ANA_IN_FMT0) ? LoadResString(4800 + AnalogInputFormat())
                                                 : reg::NotAvailableText();
}
void OptionRegObj::SetLPBenabled(bool state) { Set(*this, OPTION_MASK_LPB_ENABLED, state); }
bool OptionRegObj::LPBenabled() const { return Bit(*this, OPTION_MASK_LPB_ENABLED); }
std::string OptionRegObj::LPBenabledStr() const {
  return Offered(*this, OPTION_MASK_LPB_ENABLED) ? YesNoText(LPBenabled())
                                                 : reg::NotAvailableText();
}

// Compares the numbers carried by the notification, not a re-read of Register.
void OptionRegObj::Register_Changed(std::shared_ptr<ValueObj>& newVal) {
  Fire(*this, &Events::Change);
  const auto number = err::Required(newVal)->Number();
  const int32_t previous = ToLong(number->PreviousValue());
  if (reg::Has(previous ^ ToLong(number->Value()), kFirmwareBits))
    Fire(*this, &Events::FirmwareChanged);
}
void OptionRegObj::Register_Refresh(std::shared_ptr<ValueObj>& newVal) {
  Fire(*this, &Events::Refresh, newVal);
}
void OptionRegObj::Register_InitializeCache(double& initialValue, bool& processed) {
  Fire(*this, &Events::InitializeCache, initialValue, processed);
}

namespace {
using Self = OptionRegObj;
// clang-format off
constexpr PropertyEntry<Self> kProperties[] = {
    REG_PROPERTY(CapabilityMask),       REG_PROPERTY(CaseOption),
    REG_PROPERTY(FirmwareType),         REG_PROPERTY(InitialCalibration),
    REG_PROPERTY(RuntimeCalibration),   REG_PROPERTY(VoltageMode),
    REG_PROPERTY(VoltageModeStr),       REG_PROPERTY(Vendor),
    REG_PROPERTY(VendorStr),            REG_PROPERTY(WarrantyOptions),
    REG_PROPERTY(AnalogInputFormat),    REG_PROPERTY(AnalogInputFormatStr),
    REG_PROPERTY(LPBenabled),           REG_PROPERTY(LPBenabledStr)};
// clang-format on
constexpr PropertyTable kTable(kProperties);
}  // namespace

Variant OptionRegObj::GetProperty(std::string_view name) { return kTable.Read(*this, name); }
std::span<const std::string_view> OptionRegObj::PropertyNames() const { return kTable.Names(); }

}  // namespace zentnet

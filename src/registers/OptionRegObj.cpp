#include "zentnet/registers/OptionRegObj.h"

#include "decoder_fields.h"
#include "zentnet/automation/error.h"
#include "zentnet/resources/strings.h"
#include "zentnet/values/factory.h"

namespace zentnet {

namespace {
// Boolean display texts are chosen by adding the state (0 or 1) to the text of false.
constexpr int32_t kOffOnText = 4190;   // 4190 "OFF", 4191 "ON"
constexpr int32_t kNoYesText = 4193;   // 4193 "NO", 4194 "YES"
constexpr int32_t kNotAvailableText = 4192;
constexpr int32_t kAnalogFormatText = 4800;
constexpr int32_t kVendorText = 8000;

using reg::Kind;

// One row per field, in published order. The gate is the capability bit the field's
// display text needs; reads and writes ignore it.
constexpr reg::FieldRow kFields[] = {
    {"CaseOption", OPTION_MASK_CASE_OPTION0 | OPTION_MASK_CASE_OPTION1 | OPTION_MASK_CASE_OPTION2,
     Kind::Quotient},
    {"FirmwareType", OPTION_MASK_FW_OPTION0 | OPTION_MASK_FW_OPTION1 | OPTION_MASK_FW_OPTION2,
     Kind::Quotient},
    {"InitialCalibration", OPTION_MASK_POR_CAL},
    {"RuntimeCalibration", OPTION_MASK_RUN_CAL},
    {"VoltageMode", OPTION_MASK_VOLT_MODE, Kind::Set, OPTION_MASK_VOLT_MODE, "VoltageModeStr",
     kOffOnText},
    {"Vendor",
     OPTION_MASK_VENDOR0 | OPTION_MASK_VENDOR1 | OPTION_MASK_VENDOR2 |
         static_cast<uint32_t>(OPTION_MASK_VENDOR3),
     Kind::Quotient, 0, "VendorStr", kVendorText},
    {"WarrantyOptions", OPTION_MASK_WARRANTY, Kind::Quotient},
    {"AnalogInputFormat", OPTION_MASK_ANA_IN_FMT0, Kind::Quotient, OPTION_MASK_ANA_IN_FMT0,
     "AnalogInputFormatStr", kAnalogFormatText},
    {"LPBenabled", OPTION_MASK_LPB_ENABLED, Kind::Set, OPTION_MASK_LPB_ENABLED, "LPBenabledStr",
     kNoYesText},
};

consteval size_t At(std::string_view name) { return reg::IndexOf(kFields, name); }

int32_t FieldOf(const std::shared_ptr<ValueObj>& value, const reg::FieldRow& f) {
  return reg::Extract(reg::Read(value), f);
}

// The capability test comes first: without the option the register is not read at all.
std::string DisplayText(const OptionRegObj& o, const reg::FieldRow& f) {
  if (f.gate != 0 && !reg::Has(o.CapabilityMask(), f.gate)) return LoadResString(kNotAvailableText);
  return LoadResString(f.textBase + FieldOf(o.Register(), f));
}
}  // namespace

// Holds its owner weakly, so that the value object does not keep the decoder alive.
class OptionRegObj::Sink final : public ValueObjEvents {
 public:
  explicit Sink(std::weak_ptr<OptionRegObj> owner) : owner_(std::move(owner)) {}

  void Changed(std::shared_ptr<ValueObj>& newVal) override {
    if (auto o = owner_.lock()) o->Register_Changed(o, newVal);
  }
  void Refresh(std::shared_ptr<ValueObj>& newVal) override {
    if (auto o = owner_.lock())
      o->events_.Raise(o, [&](OptionRegObjEvents& s) { s.Refresh(newVal); });
  }
  void InitializeCache(double& initialValue, bool& processed) override {
    if (auto o = owner_.lock())
      o->events_.Raise(o, [&](OptionRegObjEvents& s) { s.InitializeCache(initialValue, processed); });
  }

 private:
  std::weak_ptr<OptionRegObj> owner_;
};

OptionRegObj::OptionRegObj() = default;
OptionRegObj::~OptionRegObj() = default;

std::shared_ptr<OptionRegObj> OptionRegObj::create() {
  auto self = std::make_shared<OptionRegObj>();
  self->sink_ = std::make_shared<Sink>(self);
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
  self->SetCapabilityMask(static_cast<OptionRegMasks>(0x7FFFFFFF));
  return self;
}

void OptionRegObj::SetRegister(std::shared_ptr<ValueObj> value) {
  m_register.Reset(std::move(value), sink_);
}

int32_t OptionRegObj::Get(size_t row) const { return FieldOf(m_register.get(), kFields[row]); }

void OptionRegObj::Set(size_t row, int32_t value) {
  const auto& reg = m_register.get();
  reg::Write(reg, reg::Replace(reg::Read(reg), kFields[row].mask, value));
}

std::string OptionRegObj::Text(size_t row) const { return DisplayText(*this, kFields[row]); }

void OptionRegObj::SetCaseOption(OptionCases value) { Set(At("CaseOption"), value); }
OptionCases OptionRegObj::CaseOption() const {
  return static_cast<OptionCases>(Get(At("CaseOption")));
}
void OptionRegObj::SetFirmwareType(int32_t value) { Set(At("FirmwareType"), value); }
int32_t OptionRegObj::FirmwareType() const { return Get(At("FirmwareType")); }
void OptionRegObj::SetInitialCalibration(bool state) { Set(At("InitialCalibration"), state); }
bool OptionRegObj::InitialCalibration() const { return Get(At("InitialCalibration")) != 0; }
void OptionRegObj::SetRuntimeCalibration(bool state) { Set(At("RuntimeCalibration"), state); }
bool OptionRegObj::RuntimeCalibration() const { return Get(At("RuntimeCalibration")) != 0; }
void OptionRegObj::SetVoltageMode(bool state) { Set(At("VoltageMode"), state); }
bool OptionRegObj::VoltageMode() const { return Get(At("VoltageMode")) != 0; }
std::string OptionRegObj::VoltageModeStr() const { return Text(At("VoltageMode")); }
void OptionRegObj::SetVendor(OptionVendors value) { Set(At("Vendor"), value); }
OptionVendors OptionRegObj::Vendor() const { return static_cast<OptionVendors>(Get(At("Vendor"))); }
std::string OptionRegObj::VendorStr() const { return Text(At("Vendor")); }
void OptionRegObj::SetWarrantyOptions(OptionWarranties value) {
  Set(At("WarrantyOptions"), value);
}
OptionWarranties OptionRegObj::WarrantyOptions() const {
  return static_cast<OptionWarranties>(Get(At("WarrantyOptions")));
}
void OptionRegObj::SetAnalogInputFormat(OptionAnalogInFormats value) {
  Set(At("AnalogInputFormat"), value);
}
OptionAnalogInFormats OptionRegObj::AnalogInputFormat() const {
  return static_cast<OptionAnalogInFormats>(Get(At("AnalogInputFormat")));
}
std::string OptionRegObj::AnalogInputFormatStr() const { return Text(At("AnalogInputFormat")); }
void OptionRegObj::SetLPBenabled(bool state) { Set(At("LPBenabled"), state); }
bool OptionRegObj::LPBenabled() const { return Get(At("LPBenabled")) != 0; }
std::string OptionRegObj::LPBenabledStr() const { return Text(At("LPBenabled")); }

// Compares the numbers carried by the notification, not a re-read of Register.
void OptionRegObj::Register_Changed(const std::shared_ptr<OptionRegObj>& self,
                                    const std::shared_ptr<ValueObj>& newVal) {
  events_.Raise(self, [](OptionRegObjEvents& s) { s.Change(); });
  const auto number = err::Required(newVal)->Number();
  const int32_t previous = ToLong(number->PreviousValue());
  const int32_t current = ToLong(number->Value());
  if (reg::Has(previous ^ current, kFields[At("FirmwareType")].mask))
    events_.Raise(self, [](OptionRegObjEvents& s) { s.FirmwareChanged(); });
}

namespace {
Variant ReadField(OptionRegObj& o, const reg::FieldRow& f) {
  return reg::AsVariant(f, FieldOf(o.Register(), f));
}
Variant ReadText(OptionRegObj& o, const reg::FieldRow& f) { return DisplayText(o, f); }

constexpr std::array<PropertyEntry<OptionRegObj>, 1> kBefore{
    {{"CapabilityMask",
      [](OptionRegObj& o) -> Variant { return static_cast<int32_t>(o.CapabilityMask()); }}}};
constexpr std::array<PropertyEntry<OptionRegObj>, 0> kAfter{};
constexpr auto kRows =
    reg::FieldProperties<OptionRegObj, kFields, &ReadField, &ReadText>::Build(kBefore, kAfter);
constexpr PropertyTable kTable(kRows.rows);
}  // namespace

Variant OptionRegObj::GetProperty(std::string_view name) { return kTable.Read(*this, name); }
std::span<const std::string_view> OptionRegObj::PropertyNames() const { return kTable.Names(); }

}  // namespace zentnet

#include "zentnet/registers/IOregisterObj.h"

#include "zentnet/automation/convert.h"
#include "zentnet/registers/register_field.h"
#include "zentnet/values/factory.h"

namespace zentnet {

// Holds its owner weakly, so that the value object does not keep the decoder alive.
class IOregisterObj::Sink final : public ValueObjEvents {
 public:
  explicit Sink(std::weak_ptr<IOregisterObj> owner) : owner_(std::move(owner)) {}

  void Changed(std::shared_ptr<ValueObj>& /*newVal*/) override {
    if (auto o = owner_.lock()) o->OnChanged(o);
  }
  void Refresh(std::shared_ptr<ValueObj>& newVal) override {
    if (auto o = owner_.lock())
      o->events_.Raise(o, [&](IOregisterObjEvents& s) { s.Refresh(newVal); });
  }
  void InitializeCache(double& initialValue, bool& processed) override {
    if (auto o = owner_.lock())
      o->events_.Raise(o, [&](IOregisterObjEvents& s) { s.InitializeCache(initialValue, processed); });
  }

 private:
  std::weak_ptr<IOregisterObj> owner_;
};

IOregisterObj::IOregisterObj() = default;
IOregisterObj::~IOregisterObj() = default;

std::shared_ptr<IOregisterObj> IOregisterObj::create() {
  auto self = std::make_shared<IOregisterObj>();
  self->sink_ = std::make_shared<Sink>(self);
  self->m_register.Reset(NewValueObj(), self->sink_);
  return self;
}

void IOregisterObj::Refresh() { m_register->Refresh(); }

bool IOregisterObj::Bit(IOregMasks mask) const { return reg::Has(reg::Read(m_register.get()), mask); }

bool IOregisterObj::AmpEnable() const { return !Bit(IO_AMP_EN_OUT); }
bool IOregisterObj::EnableIn() const { return Bit(IO_ENABLE); }
bool IOregisterObj::FaultIn() const { return Bit(IO_HWFLT); }
bool IOregisterObj::ModeIn() const { return Bit(IO_MODE); }
bool IOregisterObj::NegativeLimit() const { return Bit(IO_LIMIT_N); }
bool IOregisterObj::PositiveLimit() const { return Bit(IO_LIMIT_P); }
bool IOregisterObj::ShutdownLineOut() const { return Bit(IO_FAULT_OUT); }
bool IOregisterObj::ThermalFaultIn() const { return Bit(IO_TEMPFLT); }

int32_t IOregisterObj::CommutationCode() const {
  return reg::Field(reg::Read(m_register.get()), IO_HALL_R | IO_HALL_S | IO_HALL_T);
}

IOregMasks IOregisterObj::Bits() const { return static_cast<IOregMasks>(reg::Read(m_register.get())); }

void IOregisterObj::SetValueObjRef(std::shared_ptr<ValueObj> newRef) {
  m_register.Reset(std::move(newRef), sink_);
  code_ = 0;
  lastCode_ = 0;
}

void IOregisterObj::OnChanged(const std::shared_ptr<IOregisterObj>& self) {
  if (CommutationCode() == code_) return;
  lastCode_ = code_;
  code_ = CommutationCode();
  events_.Raise(self,
                [this](IOregisterObjEvents& s) { s.CommutationChanged(code_, lastCode_); });
}

namespace {
// Bits without a line are named by their index; the sensor texts run T, S, R upwards.
constexpr std::string_view kBitNames[16] = {
    "BIT 0",        "BIT 1",         "BIT 2",         "BIT 3",
    "+LIMIT IN",    "-LIMIT IN",     "SHUTDOWN OUT",  "COMMUTATION T",
    "COMMUTATION S", "COMMUTATION R", "ENABLE IN",    "AMP DIS",
    "BIT 12",       "HW FAULT IN",   "TEMP FAULT IN", "MODE IN"};
}  // namespace

std::string IOregisterObj::BitNames(const std::string& bits) const {
  const auto value = static_cast<uint32_t>(TextToLong(bits));
  std::string result;
  for (int i = 0; i < 16; ++i) {
    if ((value & (1u << i)) == 0) continue;
    if (!result.empty()) result += ", ";
    result += kBitNames[i];
  }
  return result;
}

namespace {
constexpr PropertyEntry<IOregisterObj> kProperties[] = {
    {"AmpEnable", [](IOregisterObj& o) -> Variant { return o.AmpEnable(); }},
    {"EnableIn", [](IOregisterObj& o) -> Variant { return o.EnableIn(); }},
    {"FaultIn", [](IOregisterObj& o) -> Variant { return o.FaultIn(); }},
    {"ModeIn", [](IOregisterObj& o) -> Variant { return o.ModeIn(); }},
    {"NegativeLimit", [](IOregisterObj& o) -> Variant { return o.NegativeLimit(); }},
    {"PositiveLimit", [](IOregisterObj& o) -> Variant { return o.PositiveLimit(); }},
    {"ShutdownLineOut", [](IOregisterObj& o) -> Variant { return o.ShutdownLineOut(); }},
    {"ThermalFaultIn", [](IOregisterObj& o) -> Variant { return o.ThermalFaultIn(); }},
    {"CommutationCode", [](IOregisterObj& o) -> Variant { return o.CommutationCode(); }},
    {"Bits", [](IOregisterObj& o) -> Variant { return static_cast<int32_t>(o.Bits()); }},
    {"LastCommutationCode", [](IOregisterObj& o) -> Variant { return o.LastCommutationCode(); }},
};
constexpr PropertyTable kTable(kProperties);
}  // namespace

Variant IOregisterObj::GetProperty(std::string_view name) { return kTable.Read(*this, name); }
std::span<const std::string_view> IOregisterObj::PropertyNames() const { return kTable.Names(); }

}  // namespace zentnet

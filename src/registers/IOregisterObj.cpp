#include "zentnet/registers/IOregisterObj.h"

#include "decoder.h"
#include "zentnet/values/factory.h"

namespace zentnet {

namespace {
using Events = IOregisterObjEvents;
}  // namespace

IOregisterObj::IOregisterObj() = default;
IOregisterObj::~IOregisterObj() = default;

std::shared_ptr<IOregisterObj> IOregisterObj::create() {
  auto self = Pinnable::Make<IOregisterObj>();
  self->sink_ = MakeValueSink(self, {.changed = &IOregisterObj::m_register_Changed,
                                     .refresh = &IOregisterObj::m_register_Refresh,
                                     .initializeCache = &IOregisterObj::m_register_InitializeCache,
                                     .readsNewValue = false});
  self->m_register.Reset(NewValueObj(), self->sink_);
  return self;
}

void IOregisterObj::Refresh() { m_register->Refresh(); }

bool IOregisterObj::Bit(IOregMasks mask) const {
  return reg::Has(reg::Read(m_register.get()), mask);
}

bool IOregisterObj::AmpEnable() const { return !Bit(IO_AMP_EN_OUT); }
bool IOregisterObj::EnableIn() const { return Bit(IO_ENABLE); }
bool IOregisterObj::FaultIn() const { return Bit(IO_HWFLT); }
bool IOregisterObj::ModeIn() const { return Bit(IO_MODE); }
bool IOregisterObj::NegativeLimit() const { return Bit(IO_LIMIT_N); }
bool IOregisterObj::PositiveLimit() const { return Bit(IO_LIMIT_P); }
bool IOregisterObj::ShutdownLineOut() const { return Bit(IO_FAULT_OUT); }
bool IOregisterObj::ThermalFaultIn() const { return Bit(IO_TEMPFLT); }

// The three sensor bits by the register arithmetic (reg::Field): in a negative register the
// lower bits carry in.
int32_t IOregisterObj::CommutationCode() const {
  return reg::Field(reg::Read(m_register.get()), IO_HALL_R | IO_HALL_S | IO_HALL_T);
}

IOregMasks IOregisterObj::Bits() const {
  return static_cast<IOregMasks>(reg::Read(m_register.get()));
}

void IOregisterObj::SetValueObjRef(std::shared_ptr<ValueObj> newRef) {
  m_register.Reset(std::move(newRef), sink_);
  code_ = 0;
  lastCode_ = 0;
}

void IOregisterObj::m_register_Changed(std::shared_ptr<ValueObj>& /*newVal*/) {
  const int32_t code = CommutationCode();
  if (code == code_) return;
  lastCode_ = code_;
  code_ = code;
  Fire(*this, &Events::CommutationChanged, code_, lastCode_);
}

void IOregisterObj::m_register_Refresh(std::shared_ptr<ValueObj>& newVal) {
  Fire(*this, &Events::Refresh, newVal);
}

void IOregisterObj::m_register_InitializeCache(double& initialValue, bool& processed) {
  Fire(*this, &Events::InitializeCache, initialValue, processed);
}

namespace {
// Bits without a line are named by their index; the sensor texts run T, S, R upwards.
constexpr std::string_view kBitNames[16] = {
    "BIT 0",        "BIT 1",         "BIT 2",         "BIT 3",         "+LIMIT IN", "-LIMIT IN",
    "SHUTDOWN OUT", "COMMUTATION T", "COMMUTATION S", "COMMUTATION R", "ENABLE IN", "AMP DIS",
    "BIT 12",       "HW FAULT IN",   "TEMP FAULT IN", "MODE IN"};
}  // namespace

std::string IOregisterObj::BitNames(const std::string& bits) const {
  return reg::JoinSetBits(TextToLong(bits), 0, 15,
                          [](int bit) { return std::string(kBitNames[bit]); });
}

namespace {
using Self = IOregisterObj;
// clang-format off
constexpr PropertyEntry<Self> kProperties[] = {
    REG_PROPERTY(AmpEnable),          REG_PROPERTY(EnableIn),
    REG_PROPERTY(FaultIn),            REG_PROPERTY(ModeIn),
    REG_PROPERTY(NegativeLimit),      REG_PROPERTY(PositiveLimit),
    REG_PROPERTY(ShutdownLineOut),    REG_PROPERTY(ThermalFaultIn),
    REG_PROPERTY(CommutationCode),    REG_PROPERTY(Bits),
    REG_PROPERTY(LastCommutationCode)};
// clang-format on
constexpr PropertyTable kTable(kProperties);
}  // namespace

Variant IOregisterObj::GetProperty(std::string_view name) { return kTable.Read(*this, name); }
std::span<const std::string_view> IOregisterObj::PropertyNames() const { return kTable.Names(); }

}  // namespace zentnet

#include "zentnet/registers/ErrorCodeObj.h"

#include "decoder.h"
#include "zentnet/resources/strings.h"
#include "zentnet/values/factory.h"

namespace zentnet {

namespace {
using Events = ErrorCodeObjEvents;

// The list text of bit i is string 3300 + i; bit 31, the sign, names no cause.
constexpr int32_t kFirstCauseText = 3300;
constexpr int kLastListedBit = 30;

bool Bit(const ErrorCodeObj& o, ErrCodes mask) { return reg::Has(reg::Read(o.Register()), mask); }
}  // namespace

ErrorCodeObj::ErrorCodeObj() = default;
ErrorCodeObj::~ErrorCodeObj() = default;

std::shared_ptr<ErrorCodeObj> ErrorCodeObj::create() {
  auto self = Pinnable::Make<ErrorCodeObj>();
  self->sink_ = MakeValueSink(self, {.changed = &ErrorCodeObj::Register_Changed,
                                     .refresh = &ErrorCodeObj::Register_Refresh,
                                     .initializeCache = &ErrorCodeObj::Register_InitializeCache,
                                     .readsNewValue = false});
  self->SetRegister(NewValueObj());
  ValueObj& v = *self->m_register.get();
  v.SetSetupA(0);
  v.SetSetupB(26);
  v.SetParamNum(26);
  v.SetName(LoadResString(1007));
  v.SetSetupE(-1);
  v.SetSetupF(-1);
  v.Number()->SetLowerBoundB(-32768);
  v.SetSetupC(1);
  v.SetSetupD(6);
  v.SetSetupG(0);
  return self;
}

void ErrorCodeObj::SetRegister(std::shared_ptr<ValueObj> value) {
  m_register.Reset(std::move(value), sink_);
}

bool ErrorCodeObj::ADCproblems() const { return Bit(*this, ERR_CODE_ADC); }
bool ErrorCodeObj::CommutationProblems() const { return Bit(*this, ERR_CODE_HALL); }
bool ErrorCodeObj::CurrentSensorProblems() const { return Bit(*this, ERR_CODE_ISEN); }
bool ErrorCodeObj::EEhardwareProblems() const { return Bit(*this, ERR_CODE_EEHW); }
bool ErrorCodeObj::EEnotInitialized() const { return Bit(*this, ERR_CODE_EEBAD); }
bool ErrorCodeObj::EncoderProblems() const { return Bit(*this, ERR_CODE_ENC); }
bool ErrorCodeObj::LogicPowerBackedUp() const { return Bit(*this, ERR_CODE_LPB); }
bool ErrorCodeObj::LogicPowerRecoveryFailed() const { return Bit(*this, ERR_CODE_LPB_FAILED); }
bool ErrorCodeObj::OverVoltageCurrent() const { return Bit(*this, ERR_CODE_IV); }
bool ErrorCodeObj::RMSoverload() const { return Bit(*this, ERR_CODE_RMS); }
bool ErrorCodeObj::VectorSetupProblems() const { return Bit(*this, ERR_CODE_SINE); }
bool ErrorCodeObj::StepInputProblems() const { return Bit(*this, ERR_CODE_STEP); }
bool ErrorCodeObj::Thermal() const { return Bit(*this, ERR_CODE_THERM); }
bool ErrorCodeObj::Tracking() const { return Bit(*this, ERR_CODE_TRACKING); }

// The unconverted number: a fraction such as 0.4 still tells that something is set.
bool ErrorCodeObj::IsShutdown() const { return m_register->NumberValue() != 0; }

void ErrorCodeObj::Refresh() { m_register->Refresh(); }

std::string ErrorCodeObj::ErrorListStr() const {
  return reg::JoinSetBits(reg::Read(m_register.get()), 0, kLastListedBit,
                          [](int bit) { return LoadResString(kFirstCauseText + bit); });
}

// Nothing is compared: any new number may name other causes.
void ErrorCodeObj::Register_Changed(std::shared_ptr<ValueObj>& /*newVal*/) {
  Fire(*this, &Events::Changed);
}
void ErrorCodeObj::Register_Refresh(std::shared_ptr<ValueObj>& /*newVal*/) {
  Fire(*this, &Events::Refresh);
}
void ErrorCodeObj::Register_InitializeCache(double& initialValue, bool& processed) {
  Fire(*this, &Events::InitializeCache, initialValue, processed);
}

namespace {
using Self = ErrorCodeObj;
// clang-format off
constexpr PropertyEntry<Self> kProperties[] = {
    REG_PROPERTY(ADCproblems),              REG_PROPERTY(CommutationProblems),
    REG_PROPERTY(CurrentSensorProblems),    REG_PROPERTY(EEhardwareProblems),
    REG_PROPERTY(EEnotInitialized),         REG_PROPERTY(EncoderProblems),
    REG_PROPERTY(LogicPowerBackedUp),       REG_PROPERTY(LogicPowerRecoveryFailed),
    REG_PROPERTY(OverVoltageCurrent),       REG_PROPERTY(RMSoverload),
    REG_PROPERTY(VectorSetupProblems),      REG_PROPERTY(StepInputProblems),
    REG_PROPERTY(Thermal),                  REG_PROPERTY(Tracking),
    REG_PROPERTY(IsShutdown),               REG_PROPERTY(ErrorListStr)};
// clang-format on
constexpr PropertyTable kTable(kProperties);
}  // namespace

Variant ErrorCodeObj::GetProperty(std::string_view name) { return kTable.Read(*this, name); }
std::span<const std::string_view> ErrorCodeObj::PropertyNames() const { return kTable.Names(); }

}  // namespace zentnet

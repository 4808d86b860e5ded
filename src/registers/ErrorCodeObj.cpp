#include "zentnet/registers/ErrorCodeObj.h"

#include "decoder_fields.h"
#include "zentnet/automation/error.h"
#include "zentnet/resources/strings.h"
#include "zentnet/values/factory.h"

namespace zentnet {

namespace {
// One row per problem property, in published order; bits 0, 1 and 16 upwards are named
// only in the list text.
constexpr reg::FieldRow kFields[] = {
    {"ADCproblems", ERR_CODE_ADC},
    {"CommutationProblems", ERR_CODE_HALL},
    {"CurrentSensorProblems", ERR_CODE_ISEN},
    {"EEhardwareProblems", ERR_CODE_EEHW},
    {"EEnotInitialized", ERR_CODE_EEBAD},
    {"EncoderProblems", ERR_CODE_ENC},
    {"LogicPowerBackedUp", ERR_CODE_LPB},
    {"LogicPowerRecoveryFailed", ERR_CODE_LPB_FAILED},
    {"OverVoltageCurrent", ERR_CODE_IV},
    {"RMSoverload", ERR_CODE_RMS},
    {"VectorSetupProblems", ERR_CODE_SINE},
    {"StepInputProblems", ERR_CODE_STEP},
    {"Thermal", ERR_CODE_THERM},
    {"Tracking", ERR_CODE_TRACKING},
};

consteval size_t At(std::string_view name) { return reg::IndexOf(kFields, name); }

// The list text of bit i is string 3300 + i.
constexpr int32_t kFirstCauseText = 3300;
constexpr int kLastListedBit = 30;
}  // namespace

// Holds its owner weakly, so that the value object does not keep the decoder alive.
class ErrorCodeObj::Sink final : public ValueObjEvents {
 public:
  explicit Sink(std::weak_ptr<ErrorCodeObj> owner) : owner_(std::move(owner)) {}

  void Changed(std::shared_ptr<ValueObj>& /*newVal*/) override {
    Raise([](ErrorCodeObjEvents& s) { s.Changed(); });
  }
  void Refresh(std::shared_ptr<ValueObj>& /*newVal*/) override {
    Raise([](ErrorCodeObjEvents& s) { s.Refresh(); });
  }
  void InitializeCache(double& initialValue, bool& processed) override {
    Raise([&](ErrorCodeObjEvents& s) { s.InitializeCache(initialValue, processed); });
  }

 private:
  template <class Call>
  void Raise(Call&& call) {
    if (auto o = owner_.lock()) o->events_.Raise(o, call);
  }
  std::weak_ptr<ErrorCodeObj> owner_;
};

ErrorCodeObj::ErrorCodeObj() = default;
ErrorCodeObj::~ErrorCodeObj() = default;

std::shared_ptr<ErrorCodeObj> ErrorCodeObj::create() {
  auto self = std::make_shared<ErrorCodeObj>();
  self->sink_ = std::make_shared<Sink>(self);
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

bool ErrorCodeObj::Problem(size_t row) const {
  return reg::Extract(reg::Read(m_register.get()), kFields[row]) != 0;
}

bool ErrorCodeObj::ADCproblems() const { return Problem(At("ADCproblems")); }
bool ErrorCodeObj::CommutationProblems() const { return Problem(At("CommutationProblems")); }
bool ErrorCodeObj::CurrentSensorProblems() const { return Problem(At("CurrentSensorProblems")); }
bool ErrorCodeObj::EEhardwareProblems() const { return Problem(At("EEhardwareProblems")); }
bool ErrorCodeObj::EEnotInitialized() const { return Problem(At("EEnotInitialized")); }
bool ErrorCodeObj::EncoderProblems() const { return Problem(At("EncoderProblems")); }
bool ErrorCodeObj::LogicPowerBackedUp() const { return Problem(At("LogicPowerBackedUp")); }
bool ErrorCodeObj::LogicPowerRecoveryFailed() const {
  return Problem(At("LogicPowerRecoveryFailed"));
}
bool ErrorCodeObj::OverVoltageCurrent() const { return Problem(At("OverVoltageCurrent")); }
bool ErrorCodeObj::RMSoverload() const { return Problem(At("RMSoverload")); }
bool ErrorCodeObj::VectorSetupProblems() const { return Problem(At("VectorSetupProblems")); }
bool ErrorCodeObj::StepInputProblems() const { return Problem(At("StepInputProblems")); }
bool ErrorCodeObj::Thermal() const { return Problem(At("Thermal")); }
bool ErrorCodeObj::Tracking() const { return Problem(At("Tracking")); }

bool ErrorCodeObj::IsShutdown() const { return m_register->NumberValue() != 0; }

void ErrorCodeObj::Refresh() { m_register->Refresh(); }

std::string ErrorCodeObj::ErrorListStr() const {
  // Bit 31 is never examined: as the sign it names no cause.
  return reg::JoinSetBits(reg::Read(m_register.get()), 0, kLastListedBit,
                          [](int bit) { return LoadResString(kFirstCauseText + bit); });
}

namespace {
Variant ReadField(ErrorCodeObj& o, const reg::FieldRow& f) {
  return reg::AsVariant(f, reg::Extract(reg::Read(o.Register()), f));
}

constexpr std::array<PropertyEntry<ErrorCodeObj>, 0> kBefore{};
constexpr std::array<PropertyEntry<ErrorCodeObj>, 1> kAfter{
    {{"IsShutdown", [](ErrorCodeObj& o) -> Variant { return o.IsShutdown(); }}}};
constexpr auto kRows =
    reg::FieldProperties<ErrorCodeObj, kFields, &ReadField>::Build(kBefore, kAfter);
constexpr PropertyTable kTable(kRows.rows);
}  // namespace

Variant ErrorCodeObj::GetProperty(std::string_view name) { return kTable.Read(*this, name); }
std::span<const std::string_view> ErrorCodeObj::PropertyNames() const { return kTable.Names(); }

}  // namespace zentnet

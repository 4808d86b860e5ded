#include "zentnet/testsignal/MonitorPortStateObj.h"

#include <string>

#include "zentnet/automation/convert.h"
#include "zentnet/resources/strings.h"
#include "zentnet/values/factory.h"

namespace zentnet {

namespace {
// String table ids of the port's texts.
constexpr int32_t kVariableNameBase = 2300;  // + variable number; 2300 names no variable
constexpr int32_t kVariableCount = 24;
constexpr int32_t kTextVariableName = 2352;
constexpr int32_t kTextAmplitudeName = 2353;
constexpr int32_t kTextFilterName = 2354;
constexpr int32_t kTextFilterShortName = 2355;
constexpr int32_t kTextGainFactor = 2356;
constexpr int32_t kTextUnknownVariable = 2398;

// Parameter numbers of the three values in the drive.
constexpr int32_t kAmplitudeParam = 29;
constexpr int32_t kVariableParam = 30;
constexpr int32_t kFilterParam = 52;

constexpr const char* kFilterFormat = "#,##0.#";

std::shared_ptr<ValueNumberObj> NumberOf(const std::shared_ptr<ValueObj>& value) {
  auto number = err::Required(value)->Number();
  return err::Required(number);
}

std::shared_ptr<ValueNumberObj> RequestOf(const std::shared_ptr<ValueObj>& value) {
  auto number = err::Required(value)->RequestNumber();
  return err::Required(number);
}

// Numbers the drive does not know as a virtual variable (beyond the table, or carrying the
// non-virtual bit) are shown by their low 16 bits.
std::string UnknownVariableText(int32_t number) {
  return LoadResString(kTextUnknownVariable) + std::to_string(number & MON_NON_VIRTUAL_EXTRACT);
}

bool IsKnownVariable(double number) { return number >= 0 && number < kVariableCount; }
}  // namespace

// One sink per held value, so that each handler knows which of the three notified it.
// Holds its owner weakly, so that a value object does not keep the port alive.
class MonitorPortStateObj::ValueSink final : public ValueObjEvents {
 public:
  enum class Role { Amplitude, Variable, Filter };
  ValueSink(std::weak_ptr<MonitorPortStateObj> owner, Role role)
      : owner_(std::move(owner)), role_(role) {}

  void ValueChanged(std::shared_ptr<ValueObj>& newVal) override {
    auto o = owner_.lock();
    if (!o) return;
    switch (role_) {
      case Role::Amplitude: o->m_Amplitude_ValueChanged(); break;
      case Role::Variable: o->m_Variable_ValueChanged(newVal); break;
      case Role::Filter: o->m_Filter_ValueChanged(); break;
    }
  }
  void ContentChanged(std::shared_ptr<ValueObj>& /*newVal*/) override {
    if (auto o = owner_.lock()) o->m_Value_ContentChanged();
  }
  void Refresh(std::shared_ptr<ValueObj>& /*newVal*/) override {
    if (auto o = owner_.lock()) o->m_Value_Refresh();
  }

 private:
  std::weak_ptr<MonitorPortStateObj> owner_;
  Role role_;
};

class MonitorPortStateObj::ConfigSink final : public ConfigRegObjEvents {
 public:
  explicit ConfigSink(std::weak_ptr<MonitorPortStateObj> owner) : owner_(std::move(owner)) {}
  void Change() override {
    if (auto o = owner_.lock()) o->m_ConfigReg_Change();
  }

 private:
  std::weak_ptr<MonitorPortStateObj> owner_;
};

MonitorPortStateObj::MonitorPortStateObj() = default;

// Released in the published order: the three values, then the register.
MonitorPortStateObj::~MonitorPortStateObj() {
  m_Amplitude.Reset(nullptr, amplitudeSink_);
  m_Variable.Reset(nullptr, variableSink_);
  m_Filter.Reset(nullptr, filterSink_);
  m_ConfigReg.Reset(nullptr, configSink_);
}

std::shared_ptr<MonitorPortStateObj> MonitorPortStateObj::create() {
  auto self = std::make_shared<MonitorPortStateObj>();
  self->amplitudeSink_ = std::make_shared<ValueSink>(self, ValueSink::Role::Amplitude);
  self->variableSink_ = std::make_shared<ValueSink>(self, ValueSink::Role::Variable);
  self->filterSink_ = std::make_shared<ValueSink>(self, ValueSink::Role::Filter);
  self->configSink_ = std::make_shared<ConfigSink>(self);

  self->SetAmplitude(NewValueObj());
  self->SetVariable(NewValueObj());
  self->SetFilter(NewValueObj());

  // The drive library reads these set-up fields to know how to load, send and show each
  // value; the order of the writes is the one it has always seen.
  const auto& amplitude = self->m_Amplitude;
  amplitude->SetParamNum(kAmplitudeParam);
  amplitude->SetName(LoadResString(kTextAmplitudeName));
  {
    auto number = NumberOf(amplitude.get());
    number->SetSetupI(0);
    number->SetSetupK(6);
    number->SetSetupJ(0);
    number->SetLabel(LoadResString(kTextGainFactor));
  }
  amplitude->SetSetupD(7);
  amplitude->SetEditLock(0);

  const auto& variable = self->m_Variable;
  variable->SetParamNum(kVariableParam);
  variable->SetName(LoadResString(kTextVariableName));
  variable->SetSetupA(0);
  variable->SetSetupB(6);
  variable->SetSetupD(6);
  variable->SetEditLock(0);
  {
    auto number = NumberOf(variable.get());
    number->SetSetupK(6);
    number->SetSetupJ(0);
  }

  const auto& filter = self->m_Filter;
  filter->SetParamNum(kFilterParam);
  filter->SetName(LoadResString(kTextFilterName));
  filter->SetShortName(LoadResString(kTextFilterShortName));
  filter->SetSetupA(4);
  filter->SetSetupB(22);
  filter->SetParamNum(kFilterParam);
  RequestOf(filter.get())->SetFormat(kFilterFormat);
  // Read back rather than repeated, so the shown number follows whatever the value
  // component made of the requested format.
  NumberOf(filter.get())->SetFormat(RequestOf(filter.get())->Format());
  filter->SetSetupD(7);
  filter->SetEditLock(0);

  // Until the owner hands over the drive's register, the port's own one knows only the
  // two sync pulse bits.
  self->SetConfigReg(ConfigRegObj::create());
  self->m_ConfigReg->SetCapabilityMask(
      static_cast<ConfigRegMasks>(CONFIG_MASK_SYNC_PULSE_P | CONFIG_MASK_SYNC_PULSE_N));
  return self;
}

template <class Call>
void MonitorPortStateObj::Raise(Call&& call) {
  events_.Raise(shared_from_this(), std::forward<Call>(call));
}

void MonitorPortStateObj::SetAmplitude(std::shared_ptr<ValueObj> newRef) {
  m_Amplitude.Reset(std::move(newRef), amplitudeSink_);
}
void MonitorPortStateObj::SetVariable(std::shared_ptr<ValueObj> newRef) {
  m_Variable.Reset(std::move(newRef), variableSink_);
}
void MonitorPortStateObj::SetFilter(std::shared_ptr<ValueObj> newRef) {
  m_Filter.Reset(std::move(newRef), filterSink_);
}
// The cached sync pulse stays: the next Change of the new register compares against it.
void MonitorPortStateObj::SetConfigReg(std::shared_ptr<ConfigRegObj> newRef) {
  m_ConfigReg.Reset(std::move(newRef), configSink_);
}

void MonitorPortStateObj::SetSyncPulse(SyncPulses vNewValue) {
  const auto& config = m_ConfigReg.get();
  err::Required(config);
  const std::shared_ptr<ValueObj> reg = config->Register();
  err::Required(reg);
  // The sync pulse is part of the scope set-up and may be written whatever edit lock the
  // register as a whole carries; the lock is back in place even when the write fails.
  const int32_t save = reg->EditLock();
  reg->SetEditLock(0);
  try {
    config->SetSyncPulse(vNewValue);
  } catch (...) {
    reg->SetEditLock(save);
    throw;
  }
  reg->SetEditLock(save);
}

SyncPulses MonitorPortStateObj::SyncPulse() const { return m_ConfigReg->SyncPulse(); }

std::string MonitorPortStateObj::SyncPulseStr() const { return m_ConfigReg->SyncPulseStr(); }

// A given `which` is compared and converted as a script host would: numeric text counts
// as its number, an empty value as 0, other text and objects raise the type-mismatch error.
std::string MonitorPortStateObj::MonitorVarStr(const Variant& which) const {
  double number = 0;
  if (!which.IsMissing()) {
    number = which.ToDouble();
  } else {
    if (!m_Variable) return LoadResString(kVariableNameBase);
    number = NumberOf(m_Variable.get())->Value();
  }
  if (!IsKnownVariable(number)) return UnknownVariableText(ToLong(number));
  return MarkedText(kVariableNameBase + ToLong(number), m_ConfigReg->LinearMotor());
}

void MonitorPortStateObj::Rescale() {
  if (rescaleGuard_) return;
  rescaleGuard_ = true;
  try {
    Raise([](MonitorPortStateObjEvents& s) { s.RescaleAmplitude(); });
  } catch (...) {
    // A failing listener must not stop the caller's own work; the guard still clears.
  }
  rescaleGuard_ = false;
}

void MonitorPortStateObj::CopyTo(const std::shared_ptr<MonitorPortStateObj>& newObj) {
  err::Required(newObj);
  m_Amplitude->CopyContentTo(newObj->Amplitude());
  m_Variable->CopyContentTo(newObj->Variable());
  m_Filter->CopyContentTo(newObj->Filter());
  newObj->SetSyncPulse(SyncPulse());
}

// An error from an Initialize listener leaves Changing set, as in ChangeTo: the port does
// not pretend the bulk change completed.
void MonitorPortStateObj::Initialize() {
  const auto self = shared_from_this();  // a listener may drop the caller's reference
  changing_ = true;
  Raise([](MonitorPortStateObjEvents& s) { s.Initialize(); });
  changing_ = false;
  Raise([](MonitorPortStateObjEvents& s) { s.UpdateView(); });
}

void MonitorPortStateObj::Refresh() {
  if (refreshGuard_) return;
  const auto self = shared_from_this();  // a listener may drop the caller's reference
  refreshGuard_ = true;
  try {
    Raise([](MonitorPortStateObjEvents& s) { s.SyncPulseChanged(); });
    Raise([](MonitorPortStateObjEvents& s) { s.Changed(); });
  } catch (...) {
    // Refresh is a request to redraw; a listener's failure is not the caller's.
  }
  refreshGuard_ = false;
}

void MonitorPortStateObj::SaveToNonVolatile() {
  Raise([](MonitorPortStateObjEvents& s) { s.SaveToNonVolatile(); });
}

// The values' own notifications during the call reach listeners without Changed; the one
// Changed at the end stands for all three. An error leaves Changing set.
void MonitorPortStateObj::ChangeTo(MonitorVariables newVar, double fullScale, double filterTC) {
  const auto self = shared_from_this();  // a listener may drop the caller's reference
  changing_ = true;
  RequestOf(m_Variable.get())->SetValue(static_cast<double>(newVar));
  Raise([](MonitorPortStateObjEvents& s) { s.RescaleAmplitude(); });
  RequestOf(m_Amplitude.get())->SetValue(fullScale);
  RequestOf(m_Filter.get())->SetValue(filterTC);
  changing_ = false;
  Raise([](MonitorPortStateObjEvents& s) { s.Changed(); });
}

void MonitorPortStateObj::m_Amplitude_ValueChanged() {
  if (amplitudeGuard_) return;
  amplitudeGuard_ = true;
  try {
    Raise([](MonitorPortStateObjEvents& s) { s.AmplitudeChanged(); });
    if (!changing_) Raise([](MonitorPortStateObjEvents& s) { s.Changed(); });
  } catch (...) {
    // The value object that notified must not see a listener's error.
  }
  amplitudeGuard_ = false;
}

void MonitorPortStateObj::m_Variable_ValueChanged(std::shared_ptr<ValueObj>& newVal) {
  if (variableGuard_) return;
  variableGuard_ = true;
  try {
    NumberOf(newVal)->SetLabel(MonitorVarStr());
    Raise([](MonitorPortStateObjEvents& s) { s.VariableChanged(); });
    Raise([](MonitorPortStateObjEvents& s) { s.RescaleAmplitude(); });
    if (!changing_) Raise([](MonitorPortStateObjEvents& s) { s.Changed(); });
  } catch (...) {
    // The value object that notified must not see a listener's error.
  }
  variableGuard_ = false;
}

void MonitorPortStateObj::m_Filter_ValueChanged() {
  Raise([](MonitorPortStateObjEvents& s) { s.FilterChanged(); });
  if (!changing_) Raise([](MonitorPortStateObjEvents& s) { s.Changed(); });
}

void MonitorPortStateObj::m_Value_ContentChanged() {
  Raise([](MonitorPortStateObjEvents& s) { s.UpdateView(); });
}

void MonitorPortStateObj::m_Value_Refresh() {
  Raise([](MonitorPortStateObjEvents& s) { s.Refresh(); });
}

void MonitorPortStateObj::m_ConfigReg_Change() {
  if (m_ConfigReg->SyncPulse() == cachedSyncPulse_) return;
  Raise([](MonitorPortStateObjEvents& s) { s.SyncPulseChanged(); });
  // Read again: a listener may have written the sync pulse in the meantime.
  cachedSyncPulse_ = m_ConfigReg->SyncPulse();
}

namespace {
Variant ObjectVariant(std::shared_ptr<Object> object) { return Variant(std::move(object)); }

constexpr PropertyEntry<MonitorPortStateObj> kProperties[] = {
    {"Amplitude", [](MonitorPortStateObj& o) { return ObjectVariant(o.Amplitude()); }},
    {"Variable", [](MonitorPortStateObj& o) { return ObjectVariant(o.Variable()); }},
    {"Filter", [](MonitorPortStateObj& o) { return ObjectVariant(o.Filter()); }},
    {"ConfigReg", [](MonitorPortStateObj& o) { return ObjectVariant(o.ConfigReg()); }},
    {"SyncPulse",
     [](MonitorPortStateObj& o) -> Variant { return static_cast<int32_t>(o.SyncPulse()); }},
    {"SyncPulseStr", [](MonitorPortStateObj& o) -> Variant { return o.SyncPulseStr(); }},
    // Its argument is optional, so a late-bound read without one names the current variable.
    {"MonitorVarStr", [](MonitorPortStateObj& o) -> Variant { return o.MonitorVarStr(); }},
};
constexpr PropertyTable kTable(kProperties);
}  // namespace

Variant MonitorPortStateObj::GetProperty(std::string_view name) { return kTable.Read(*this, name); }
std::span<const std::string_view> MonitorPortStateObj::PropertyNames() const {
  return kTable.Names();
}

}  // namespace zentnet

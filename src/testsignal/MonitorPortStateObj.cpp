#include "zentnet/testsignal/MonitorPortStateObj.h"

#include <string>

#include "zentnet/automation/convert.h"
#include "zentnet/resources/strings.h"
#include "zentnet/values/factory.h"

#include "signal_support.h"

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

// Runs `body` unless a call of the same procedure is under way, so a listener answering an
// event with a write or call that raises it again is ignored. An error ends the body
// quietly; the guard clears on every way out.
template <class Body>
void Guarded(bool& guard, Body&& body) {
  if (guard) return;
  guard = true;
  try {
    body();
  } catch (...) {  // NOLINT(bugprone-empty-catch): these procedures swallow every error
  }
  guard = false;
}

using E = MonitorPortStateObjEvents;
}  // namespace

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
  SetAmplitude(nullptr);
  SetVariable(nullptr);
  SetFilter(nullptr);
  SetConfigReg(nullptr);
}

std::shared_ptr<MonitorPortStateObj> MonitorPortStateObj::create() {
  auto self = std::make_shared<MonitorPortStateObj>();
  using M = MonitorPortStateObj;
  const auto listen = [&self](HeldValue& field, ValueSink<M>::OnValue valueChanged) {
    field.Listen(self, {.valueChanged = valueChanged,
                        .contentChanged = &M::m_Value_ContentChanged,
                        .refresh = &M::m_Value_Refresh});
  };
  listen(self->m_Amplitude, &M::m_Amplitude_ValueChanged);
  listen(self->m_Variable, &M::m_Variable_ValueChanged);
  listen(self->m_Filter, &M::m_Filter_ValueChanged);
  self->configSink_ = std::make_shared<ConfigSink>(self);

  self->SetAmplitude(NewValueObj());
  self->SetVariable(NewValueObj());
  self->SetFilter(NewValueObj());

  // The drive library reads these set-up fields to know how to load, send and show each
  // value; the order of the writes is the one it has always seen.
  auto& amplitude = *self->m_Amplitude;
  amplitude.SetParamNum(kAmplitudeParam);
  amplitude.SetName(LoadResString(kTextAmplitudeName));
  {
    auto number = NumberOf(self->m_Amplitude.get());
    number->SetSetupI(0);
    number->SetSetupK(6);
    number->SetSetupJ(0);
    number->SetLabel(LoadResString(kTextGainFactor));
  }
  amplitude.SetSetupD(7);
  amplitude.SetEditLock(0);

  auto& variable = *self->m_Variable;
  variable.SetParamNum(kVariableParam);
  variable.SetName(LoadResString(kTextVariableName));
  variable.SetSetupA(0);
  variable.SetSetupB(6);
  variable.SetSetupD(6);
  variable.SetEditLock(0);
  {
    auto number = NumberOf(self->m_Variable.get());
    number->SetSetupK(6);
    number->SetSetupJ(0);
  }

  const auto& filter = self->m_Filter.get();
  filter->SetParamNum(kFilterParam);
  filter->SetName(LoadResString(kTextFilterName));
  filter->SetShortName(LoadResString(kTextFilterShortName));
  filter->SetSetupA(4);
  filter->SetSetupB(22);
  filter->SetParamNum(kFilterParam);
  RequestOf(filter)->SetFormat(kFilterFormat);
  // Read back rather than repeated, so the shown number follows whatever the value
  // component made of the requested format.
  NumberOf(filter)->SetFormat(RequestOf(filter)->Format());
  filter->SetSetupD(7);
  filter->SetEditLock(0);

  // Until the owner hands over the drive's register, the port's own one knows only the
  // two sync pulse bits.
  self->SetConfigReg(ConfigRegObj::create());
  self->m_ConfigReg->SetCapabilityMask(
      static_cast<ConfigRegMasks>(CONFIG_MASK_SYNC_PULSE_P | CONFIG_MASK_SYNC_PULSE_N));
  return self;
}

template <class... Event>
void MonitorPortStateObj::Raise(Event&&... event) {
  testsignal::RaiseEach(shared_from_this(), events_, std::forward<Event>(event)...);
}

void MonitorPortStateObj::SetAmplitude(std::shared_ptr<ValueObj> newRef) {
  m_Amplitude.Reset(std::move(newRef));
}
void MonitorPortStateObj::SetVariable(std::shared_ptr<ValueObj> newRef) {
  m_Variable.Reset(std::move(newRef));
}
void MonitorPortStateObj::SetFilter(std::shared_ptr<ValueObj> newRef) {
  m_Filter.Reset(std::move(newRef));
}
// The cached sync pulse stays: the next Change of the new register compares against it.
void MonitorPortStateObj::SetConfigReg(std::shared_ptr<ConfigRegObj> newRef) {
  m_ConfigReg.Reset(std::move(newRef), configSink_);
}

// The sync pulse is part of the scope set-up and may be written whatever edit lock the
// register as a whole carries.
void MonitorPortStateObj::SetSyncPulse(SyncPulses vNewValue) {
  const auto hold = HoldSelf(*this);
  const std::shared_ptr<ConfigRegObj> config = m_ConfigReg.get();
  testsignal::WithEditLockLifted(err::Required(config)->Register(),
                                 [&](ValueObj&) { config->SetSyncPulse(vNewValue); });
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
  const auto hold = HoldSelf(*this);
  Guarded(rescaleGuard_, [&] { Raise(&E::RescaleAmplitude); });
}

// Both ports are held: the destination's listeners hear each copy and may drop the last
// reference to either.
void MonitorPortStateObj::CopyTo(const std::shared_ptr<MonitorPortStateObj>& newObj) {
  const auto hold = HoldSelf(*this);
  const std::shared_ptr<MonitorPortStateObj> dest = err::Required(newObj);
  m_Amplitude->CopyContentTo(dest->Amplitude());
  m_Variable->CopyContentTo(dest->Variable());
  m_Filter->CopyContentTo(dest->Filter());
  dest->SetSyncPulse(SyncPulse());
}

// An error from an Initialize listener leaves Changing set, as in ChangeTo: the port does
// not pretend the bulk change completed.
void MonitorPortStateObj::Initialize() {
  const auto hold = HoldSelf(*this);
  changing_ = true;
  Raise(&E::Initialize);
  changing_ = false;
  Raise(&E::UpdateView);
}

// Refresh is a request to redraw; a listener's failure is not the caller's.
void MonitorPortStateObj::Refresh() {
  const auto hold = HoldSelf(*this);
  Guarded(refreshGuard_, [&] { Raise(&E::SyncPulseChanged, &E::Changed); });
}

void MonitorPortStateObj::SaveToNonVolatile() { Raise(&E::SaveToNonVolatile); }

// The values' own notifications during the call reach listeners without Changed; the one
// Changed at the end stands for all three. An error leaves Changing set.
void MonitorPortStateObj::ChangeTo(MonitorVariables newVar, double fullScale, double filterTC) {
  const auto hold = HoldSelf(*this);
  changing_ = true;
  RequestOf(m_Variable.get())->SetValue(static_cast<double>(newVar));
  Raise(&E::RescaleAmplitude);
  RequestOf(m_Amplitude.get())->SetValue(fullScale);
  RequestOf(m_Filter.get())->SetValue(filterTC);
  changing_ = false;
  Raise(&E::Changed);
}

// The value object that notified must not see a listener's error.
void MonitorPortStateObj::m_Amplitude_ValueChanged(std::shared_ptr<ValueObj>& /*newVal*/) {
  Guarded(amplitudeGuard_, [&] {
    Raise(&E::AmplitudeChanged);
    if (!changing_) Raise(&E::Changed);
  });
}

void MonitorPortStateObj::m_Variable_ValueChanged(std::shared_ptr<ValueObj>& newVal) {
  Guarded(variableGuard_, [&] {
    NumberOf(newVal)->SetLabel(MonitorVarStr());
    Raise(&E::VariableChanged, &E::RescaleAmplitude);
    if (!changing_) Raise(&E::Changed);
  });
}

void MonitorPortStateObj::m_Filter_ValueChanged(std::shared_ptr<ValueObj>& /*newVal*/) {
  Raise(&E::FilterChanged);
  if (!changing_) Raise(&E::Changed);
}

void MonitorPortStateObj::m_Value_ContentChanged(std::shared_ptr<ValueObj>& /*newVal*/) {
  Raise(&E::UpdateView);
}

void MonitorPortStateObj::m_Value_Refresh(std::shared_ptr<ValueObj>& /*newVal*/) {
  Raise(&E::Refresh);
}

void MonitorPortStateObj::m_ConfigReg_Change() {
  if (m_ConfigReg->SyncPulse() == cachedSyncPulse_) return;
  Raise(&E::SyncPulseChanged);
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

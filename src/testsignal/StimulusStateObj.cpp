#include "zentnet/testsignal/StimulusStateObj.h"

#include <cmath>

#include "zentnet/automation/convert.h"
#include "zentnet/registers/ConfigRegObj.h"
#include "zentnet/resources/strings.h"
#include "zentnet/values/factory.h"

#include "signal_support.h"

namespace zentnet {

namespace {
// String-table ids.
constexpr int32_t kTextPeriod = 4200;
constexpr int32_t kTextAmplitude = 4201;
constexpr int32_t kTextMode = 4202;
constexpr int32_t kTextFirstMode = 4203;  // 4203 + mode for STIM_OFF to STIM_CALIBRATE

// 32768 stored units are 100 percent of the drive's peak torque or force.
constexpr double kPercentScale = 327.68;
// While the generator runs in position mode the tracking limit leaves this much room over
// the amplitude.
constexpr double kPositionTrackingFactor = 1.25;
constexpr double kDefaultSampleRate = 1000;

// Mode comparisons are exact comparisons of the Double the mode value object holds.
constexpr double Num(StimGenModes mode) { return static_cast<double>(mode); }

// The amplitude's unit in each running mode: the set-up codes the drive library reads and
// the scale (stored units per displayed unit).
struct AmplitudeUnit {
  int32_t setupA;
  int32_t setupB;
  double scale;
};
// No unit's own scale: velocity's follows the sample rate (ApplyAmplitudeScale).
constexpr double kFromSampleRate = 0;
constexpr AmplitudeUnit kAmplitudeUnits[] = {
    {2, 10, kFromSampleRate},  // STIM_VEL
    {3, 13, kPercentScale},    // STIM_TRQ
    {1, 7, 1},                 // STIM_POSN
    {3, 13, kPercentScale},    // STIM_CALIBRATE
};
const AmplitudeUnit* UnitFor(int32_t mode) {
  return mode >= STIM_VEL && mode <= STIM_CALIBRATE ? &kAmplitudeUnits[mode - STIM_VEL] : nullptr;
}

using E = StimulusStateObjEvents;
}  // namespace

StimulusStateObj::StimulusStateObj() = default;
StimulusStateObj::~StimulusStateObj() = default;

std::shared_ptr<StimulusStateObj> StimulusStateObj::create() {
  auto self = std::make_shared<StimulusStateObj>();
  using S = StimulusStateObj;
  self->m_Mode.Listen(
      self, {.valueChanged = &S::m_Mode_ValueChanged, .contentChanged = &S::m_Mode_ContentChanged});
  self->m_Amplitude.Listen(self, {.valueChanged = &S::m_Amplitude_ValueChanged,
                                  .contentChanged = &S::m_Value_ContentChanged});
  self->m_Period.Listen(self, {.valueChanged = &S::m_Period_ValueChanged,
                               .contentChanged = &S::m_Value_ContentChanged});
  self->m_TrackingLimit.Listen(self, {.contentChanged = &S::m_TrackingLimit_ContentChanged});
  self->m_sampleRate.Listen(self, {.contentChanged = &S::m_sampleRate_ContentChanged});

  // The order matters to listeners of the value objects: the mode exists before the
  // amplitude, so that assigning the amplitude sets it up for mode 0.
  self->SetMode(NewValueObj());
  auto& mode = *self->m_Mode;
  mode.SetSetupA(0);
  mode.SetSetupB(6);
  mode.SetName(LoadResString(kTextMode));
  auto modeNumber = mode.Number();
  modeNumber->SetLowerBoundA(STIM_OFF);
  modeNumber->SetUpperBoundA(STIM_CALIBRATE);
  modeNumber->SetValue(STIM_OFF);

  self->lastMode_ = STIM_POSN;
  self->velocityQ_ = 1;

  self->SetPeriod(NewValueObj());
  self->SetAmplitude(NewValueObj());

  auto& period = *self->m_Period;
  period.SetName(LoadResString(kTextPeriod));
  period.SetSetupA(4);
  period.SetSetupB(22);
  auto periodNumber = period.Number();
  periodNumber->SetUpperBoundB(32767);
  periodNumber->SetLowerBoundB(1);
  periodNumber->SetSetupH(-1);

  auto& amplitude = *self->m_Amplitude;
  amplitude.SetName(LoadResString(kTextAmplitude));
  auto amplitudeNumber = amplitude.Number();
  amplitudeNumber->SetUpperBoundB(32767);
  amplitudeNumber->SetLowerBoundB(-32768);
  amplitudeNumber->SetSetupH(-1);

  self->configReg_ = ConfigRegObj::create();

  // Stored directly: the assignments' reactions have nothing to do yet.
  self->m_TrackingLimit.Reset(NewValueObj());
  self->m_sampleRate.Reset(NewValueObj());
  self->m_sampleRate->RequestNumber()->SetValue(kDefaultSampleRate);
  return self;
}

// ---- events ---------------------------------------------------------------------------

template <class... Event>
void StimulusStateObj::Raise(Event&&... event) {
  testsignal::RaiseEach(shared_from_this(), events_, std::forward<Event>(event)...);
}

void StimulusStateObj::RaiseAdjustAmplitudeScaling(int32_t mode) {
  auto newMode = static_cast<StimGenModes>(mode);
  Raise([&](E& s) { s.AdjustAmplitudeScaling(newMode); });
}

// ---- the mode value -------------------------------------------------------------------

double StimulusStateObj::ModeValue() const { return m_Mode->Number()->Value(); }
void StimulusStateObj::SetModeValue(double value) { m_Mode->Number()->SetValue(value); }

// ---- scaling and set-up ---------------------------------------------------------------

void StimulusStateObj::ApplyAmplitudeScale(int32_t mode) {
  if (const AmplitudeUnit* unit = UnitFor(mode)) {
    double scale = unit->scale;
    if (scale == kFromSampleRate) {
      // The drive stores a velocity as counts per sample times 2^VelocityQ; the amplitude
      // is shown in counts per millisecond. An unknown (zero) rate never divides.
      const double rate = m_sampleRate->Number()->Value();
      scale = rate != 0 ? std::pow(2.0, velocityQ_) * 1000.0 / rate : 1.0;
    }
    m_Amplitude->Number()->SetScale(scale);
  }  // a mode without a unit of its own keeps the previous scale
  RaiseAdjustAmplitudeScaling(mode);
  if (!initializing_) m_Amplitude->Refresh();
}

void StimulusStateObj::ApplyAmplitudeSetup(int32_t mode) {
  if (!m_Amplitude) return;
  // Each step reads the field again: a value object of a drive library may notify on any
  // write, and a listener may put another amplitude in its place.
  if (const AmplitudeUnit* unit = UnitFor(mode)) {
    m_Amplitude->SetSetupA(unit->setupA);
    m_Amplitude->SetSetupB(unit->setupB);
  }
  if (!initializing_) m_Amplitude->ApplySetup();
  RaiseAdjustAmplitudeScaling(mode);
}

void StimulusStateObj::ApplyPeriodScale() {
  const double rate = m_sampleRate->Number()->Value();
  // The period is counted in samples; with the rate in samples per second this shows it in
  // milliseconds. An unknown (zero) rate leaves the last scale.
  if (rate != 0) m_Period->Number()->SetScale(rate / 1000.0);
  Raise(&E::UpdateView);
}

// ---- value-object notifications -------------------------------------------------------

// Re-entered by its own writes: stopping the generator and Start() each run it once more
// before the outer call goes on. Every step reads the mode afresh, because a listener may
// have written it in between.
void StimulusStateObj::m_Mode_ValueChanged(std::shared_ptr<ValueObj>& newVal) {
  const std::shared_ptr<ValueNumberObj> num = err::Required(newVal)->Number();

  // The tracking limit is touched only when there is something to put back or the
  // generator was off until now: a stop without a remembered limit needs no limit object.
  if (trackingLimitSaved_) {
    // Whatever the direction, the limit the drive had while the generator was off goes
    // back first; a start below then installs the stimulus limit over it.
    testsignal::WithEditLockLifted(m_TrackingLimit.get(), [&](ValueObj& limit) {
      limit.Number()->SetValue(savedTrackingLimit_);
    });
  } else if (num->PreviousValue() == 0) {
    savedTrackingLimit_ = m_TrackingLimit->Number()->Value();
    trackingLimitSaved_ = true;
  }

  if (num->Value() != 0) {
    const int32_t newMode = ToLong(num->Value());
    if (num->PreviousValue() != 0) {
      // A switch between two running modes: the drive must pass through off, so stop
      // (re-entering as a change to off), then start in the new mode (re-entering as a
      // change from off). The nested calls raise the events.
      num->SetValue(STIM_OFF);
      lastMode_ = static_cast<StimGenModes>(newMode);
      ApplyAmplitudeScale(newMode);
      if (!initializing_) Start();
      return;
    }
    bool cancel = false;
    Raise([&](E& s) { s.TrackingLimSetup(cancel); });
    if (!cancel) {
      // The field is read after the event: a listener may have put another limit there.
      testsignal::WithEditLockLifted(m_TrackingLimit.get(), [&](ValueObj& limit) {
        if (num->Value() == Num(STIM_POSN)) {
          limit.Number()->SetValue(m_Amplitude->Number()->Value() * kPositionTrackingFactor);
        } else if (num->Value() == Num(STIM_VEL)) {
          limit.Number()->SetValue(0);
        }
      });
    }
    lastMode_ = static_cast<StimGenModes>(ToLong(num->Value()));
  }

  if (!initializing_) Raise(&E::ModeChanged, &E::StimulusChanged, &E::UpdateView);
  ApplyAmplitudeScale(ToLong(num->Value()));
}

void StimulusStateObj::m_Mode_ContentChanged(std::shared_ptr<ValueObj>& newVal) {
  ApplyAmplitudeSetup(ToLong(err::Required(newVal)->Number()->Value()));
  Raise(&E::UpdateView);
}

void StimulusStateObj::m_Amplitude_ValueChanged(std::shared_ptr<ValueObj>& /*newVal*/) {
  if (!initializing_) Raise(&E::AmplitudeChanged, &E::StimulusChanged, &E::UIchanged);
}

void StimulusStateObj::m_Period_ValueChanged(std::shared_ptr<ValueObj>& /*newVal*/) {
  if (!initializing_) Raise(&E::PeriodChanged, &E::StimulusChanged, &E::UIchanged);
}

void StimulusStateObj::m_Value_ContentChanged(std::shared_ptr<ValueObj>& /*newVal*/) {
  Raise(&E::UpdateView);
}

// While the generator runs the drive holds the stimulus limit, which must not be taken for
// the normal one.
void StimulusStateObj::m_TrackingLimit_ContentChanged(std::shared_ptr<ValueObj>& /*newVal*/) {
  if (ModeValue() == Num(STIM_OFF)) {
    savedTrackingLimit_ = m_TrackingLimit->Number()->Value();
    trackingLimitSaved_ = true;
  }
  Raise(&E::UpdateView);
}

void StimulusStateObj::m_sampleRate_ContentChanged(std::shared_ptr<ValueObj>& /*newVal*/) {
  ApplyPeriodScale();
}

// ---- assignments ----------------------------------------------------------------------

void StimulusStateObj::SetAmplitude(std::shared_ptr<ValueObj> newRef) {
  const auto hold = HoldSelf(*this);
  m_Amplitude.Reset(std::move(newRef));
  if (m_Mode) ApplyAmplitudeSetup(ToLong(ModeValue()));
}

void StimulusStateObj::SetPeriod(std::shared_ptr<ValueObj> newRef) {
  m_Period.Reset(std::move(newRef));
}

// The mode is read before the set-up is looked at, so assigning nothing raises error 91
// (after storing it) even while no amplitude is set.
void StimulusStateObj::SetMode(std::shared_ptr<ValueObj> newRef) {
  const auto hold = HoldSelf(*this);
  m_Mode.Reset(std::move(newRef));
  ApplyAmplitudeSetup(ToLong(ModeValue()));
}

void StimulusStateObj::SetConfigReg(std::shared_ptr<ConfigRegObj> newRef) {
  configReg_ = std::move(newRef);
}

void StimulusStateObj::SetTrackingLimit(std::shared_ptr<ValueObj> newRef) {
  m_TrackingLimit.Reset(std::move(newRef));
}

// Our choice: the assignment runs the sample-rate reaction for any rate unless the caller
// holds events back, so that the period scale follows the object just assigned. A drive
// library that hands over an already loaded rate raises no ContentChanged for it, and
// waiting for one would leave the period scaled for the old rate. A zero rate leaves the
// scale and only refreshes the view, as it does on a content change. While Initializing the
// caller finishes with its own burst; assigning nothing has no rate to react to.
void StimulusStateObj::SetSampleRate(std::shared_ptr<ValueObj> vNewValue) {
  const auto hold = HoldSelf(*this);
  m_sampleRate.Reset(std::move(vNewValue));
  if (m_sampleRate && !initializing_) ApplyPeriodScale();
}

// ---- methods --------------------------------------------------------------------------

void StimulusStateObj::Start() {
  const auto hold = HoldSelf(*this);
  if (ModeValue() == Num(STIM_OFF)) SetModeValue(lastMode_);
}

void StimulusStateObj::Terminate() {
  const auto hold = HoldSelf(*this);
  if (ModeValue() != Num(STIM_OFF)) SetModeValue(STIM_OFF);
}

void StimulusStateObj::StartStop() {
  const auto hold = HoldSelf(*this);
  const double amp = m_Amplitude->RequestNumber()->Value();
  const int32_t per = ToLong(m_Period->RequestNumber()->Value());
  ChangeTo(ModeValue() == Num(STIM_OFF) ? lastMode_ : STIM_OFF, amp, per);
}

void StimulusStateObj::ChangeTo(StimGenModes newMode, double newAmplitude, int32_t newPeriod) {
  const auto hold = HoldSelf(*this);
  const bool wasInitializing = initializing_;
  initializing_ = true;
  // Stop first; the handler writes the remembered tracking limit back.
  if (ModeValue() != Num(STIM_OFF)) SetModeValue(STIM_OFF);
  if (newMode != STIM_OFF) {
    lastMode_ = newMode;
    ApplyAmplitudeScale(newMode);
    m_Amplitude->RequestNumber()->SetValue(newAmplitude);
    m_Period->RequestNumber()->SetValue(newPeriod);
  }
  // A change from off: the handler installs the stimulus tracking limit but, held back,
  // neither restarts nor raises the mode events; the burst below reports everything.
  SetModeValue(newMode);
  initializing_ = wasInitializing;
  Raise(&E::StimulusChanged, &E::AmplitudeChanged, &E::PeriodChanged, &E::ModeChanged,
        &E::UIchanged);
}

void StimulusStateObj::Initialize(StimGenModes newMode, int32_t newAmplitude, int32_t newPeriod) {
  const auto hold = HoldSelf(*this);
  const bool wasInitializing = initializing_;
  initializing_ = true;
  m_Mode->Number()->SetInitialValue(newMode);
  if (newMode != STIM_OFF) {
    m_Amplitude->Number()->SetInitialValue(newAmplitude);
    m_Period->Number()->SetInitialValue(newPeriod);
  }
  ApplyAmplitudeSetup(newMode);
  initializing_ = wasInitializing;
}

void StimulusStateObj::SetInitializeMode(StimGenModes newMode) {
  const auto hold = HoldSelf(*this);
  m_Mode->Number()->SetDefaultValue(newMode);
}

void StimulusStateObj::FireChanges() {
  if (initializing_) return;
  Raise(&E::ModeChanged, &E::AmplitudeChanged, &E::PeriodChanged, &E::StimulusChanged,
        &E::UIchanged);
}

// Prepares the next start while the generator is off. A failure of any step (a missing
// value object, an error of a value object or of a listener) ends the steps but not the
// call: the user interface always gets its closing UIchanged with the hold released, and
// no error reaches the caller, which is typically filling a dialog.
void StimulusStateObj::SetupFor(StimGenModes newMode, double newAmplitude, int32_t newPeriod) {
  const auto hold = HoldSelf(*this);
  try {
    if (ModeValue() != Num(STIM_OFF) || initializing_) return;
    initializing_ = true;
    ApplyAmplitudeSetup(newMode);
    SetLastMode(newMode);
    m_Amplitude->Number()->SetValue(newAmplitude);
    m_Period->Number()->SetValue(newPeriod);
  } catch (...) {  // NOLINT(bugprone-empty-catch): swallowing is this member's contract
  }
  initializing_ = false;
  Raise(&E::UIchanged);
}

void StimulusStateObj::SetLastMode(StimGenModes vNewValue) {
  const auto hold = HoldSelf(*this);
  if (vNewValue != STIM_OFF) lastMode_ = vNewValue;
  if (ModeValue() == Num(STIM_OFF) && !initializing_) {
    Raise(&E::UIModeChanged);
    ApplyAmplitudeScale(vNewValue);
  } else {
    Raise(&E::UIchanged);
  }
}

StimGenModes StimulusStateObj::UImode() {
  const auto mode = static_cast<StimGenModes>(ToLong(ModeValue()));
  return mode != STIM_OFF ? mode : lastMode_;
}

void StimulusStateObj::SetUImode(StimGenModes newUImode) {
  const auto hold = HoldSelf(*this);
  ApplyAmplitudeSetup(newUImode);
  if (newUImode == STIM_OFF) return;
  lastMode_ = newUImode;
  if (!initializing_) Raise(&E::UIModeChanged);
}

bool StimulusStateObj::Running() {
  const double mode = ModeValue();
  return mode >= Num(STIM_VEL) && mode <= Num(STIM_CALIBRATE) && mode == std::trunc(mode);
}

void StimulusStateObj::Refresh() { Raise(&E::Refresh); }

void StimulusStateObj::SetStimMode(StimGenModes value) { SetModeValue(value); }
StimGenModes StimulusStateObj::StimMode() { return static_cast<StimGenModes>(ToLong(ModeValue())); }

// Our choice for modes without a text of their own (STIM_ME, 5, and anything outside 0 to
// 4): the mode's name ("Mode") and the number, such as "Mode 7". The string table holds no
// entry for unknown modes, and a display member that fails would leave the user interface
// without a caption; the number still tells the user what the drive reported.
std::string StimulusStateObj::ModeStr(StimGenModes lookupMode) {
  const int32_t mode = lookupMode == STIM_ME ? UImode() : lookupMode;
  if (mode >= STIM_OFF && mode <= STIM_CALIBRATE)
    return MarkedText(kTextFirstMode + mode, err::Required(configReg_)->LinearMotor());
  return LoadResString(kTextMode) + " " + std::to_string(mode);
}

void StimulusStateObj::CopyTo(const std::shared_ptr<StimulusStateObj>& newObj) {
  const auto hold = HoldSelf(*this);
  // The destination is held too: its listeners may drop the caller's reference to it.
  const std::shared_ptr<StimulusStateObj> destRef = err::Required(newObj);
  StimulusStateObj& dest = *destRef;
  dest.SetInitializing(true);
  dest.SetSampleRate(m_sampleRate.get());  // shared, not copied
  dest.SetVelocityQ(velocityQ_);
  dest.SetLastMode(UImode());
  m_Mode->CopyContentTo(dest.Mode());
  m_Amplitude->CopyContentTo(dest.Amplitude());
  m_Period->CopyContentTo(dest.Period());
  m_TrackingLimit->CopyContentTo(dest.TrackingLimit());
  err::Required(dest.configReg_)->SetSyncPulse(err::Required(configReg_)->SyncPulse());
  dest.SetInitializing(false);
  dest.FireChanges();
}

// ---- late-bound reads -----------------------------------------------------------------

namespace {
constexpr PropertyEntry<StimulusStateObj> kProperties[] = {
    {"Amplitude",
     [](StimulusStateObj& o) -> Variant { return std::shared_ptr<Object>(o.Amplitude()); }},
    {"Period", [](StimulusStateObj& o) -> Variant { return std::shared_ptr<Object>(o.Period()); }},
    {"Mode", [](StimulusStateObj& o) -> Variant { return std::shared_ptr<Object>(o.Mode()); }},
    {"VelocityQ", [](StimulusStateObj& o) -> Variant { return o.VelocityQ(); }},
    {"ConfigReg",
     [](StimulusStateObj& o) -> Variant { return std::shared_ptr<Object>(o.ConfigReg()); }},
    {"TrackingLimit",
     [](StimulusStateObj& o) -> Variant { return std::shared_ptr<Object>(o.TrackingLimit()); }},
    {"ModeStr", [](StimulusStateObj& o) -> Variant { return o.ModeStr(); }},
    {"LastMode", [](StimulusStateObj& o) -> Variant { return o.LastMode(); }},
    {"UImode", [](StimulusStateObj& o) -> Variant { return o.UImode(); }},
    {"Running", [](StimulusStateObj& o) -> Variant { return o.Running(); }},
    {"StimMode", [](StimulusStateObj& o) -> Variant { return o.StimMode(); }},
    {"Initializing", [](StimulusStateObj& o) -> Variant { return o.Initializing(); }},
};
constexpr PropertyTable kTable(kProperties);
}  // namespace

Variant StimulusStateObj::GetProperty(std::string_view name) { return kTable.Read(*this, name); }
std::span<const std::string_view> StimulusStateObj::PropertyNames() const { return kTable.Names(); }

}  // namespace zentnet

#pragma once
// The state of a drive's built-in stimulus generator: mode, amplitude, period, the tracking
// limit it overrides while running and the sample rate that scales amplitude and period.
//
// The numbers live in value objects that the drive library creates or replaces and keeps in
// step with the drive; this object ties them together. Every change of the mode passes
// through one handler (the mode value object's ValueChanged), which re-enters itself: a
// switch between two running modes is carried out as a stop followed by a start. The
// handler relies on the value objects notifying synchronously inside a write.
//
// Initializing is a hold flag: while it is true, value notifications raise none of the
// change events, the amplitude is neither refreshed nor set up, and a switch between two
// running modes leaves the generator off. TrackingLimSetup and AdjustAmplitudeScaling are
// raised regardless.

#include <cstdint>
#include <memory>
#include <string>

#include "zentnet/automation/events.h"
#include "zentnet/automation/object.h"
#include "zentnet/contracts/enums.h"
#include "zentnet/contracts/roster.h"
#include "zentnet/contracts/value_contract.h"
#include "zentnet/testsignal/HeldValue.h"

namespace zentnet {

class ConfigRegObj;

class StimulusStateObjEvents {
 public:
  virtual ~StimulusStateObjEvents() = default;
  virtual void AmplitudeChanged() {}
  virtual void PeriodChanged() {}
  virtual void ModeChanged() {}
  virtual void StimulusChanged() {}
  virtual void UIModeChanged() {}
  virtual void UIchanged() {}
  // Set `cancel` to keep the current tracking limit when the generator starts.
  virtual void TrackingLimSetup(bool& /*cancel*/) {}
  virtual void AdjustAmplitudeScaling(StimGenModes& /*newMode*/) {}
  virtual void Refresh() {}
  virtual void UpdateView() {}
};

// In interface order. The published type library gives TrackingLimSetup, the seventh
// event, identifier 10 and the three after it 7 to 9; clients bind by these numbers.
inline constexpr DispatchEntry kStimulusStateObjEventIds[] = {
    {"AmplitudeChanged", 1},  {"PeriodChanged", 2},          {"ModeChanged", 3},
    {"StimulusChanged", 4},   {"UIModeChanged", 5},          {"UIchanged", 6},
    {"TrackingLimSetup", 10}, {"AdjustAmplitudeScaling", 7}, {"Refresh", 8},
    {"UpdateView", 9}};

class StimulusStateObj final : public Object,
                               public EventHost<StimulusStateObjEvents>,
                               public std::enable_shared_from_this<StimulusStateObj> {
 public:
  static std::shared_ptr<StimulusStateObj> create();
  ~StimulusStateObj() override;

  std::shared_ptr<ValueObj> Amplitude() const { return m_Amplitude.get(); }
  // Moves the subscription; then, when Mode is set, sets the amplitude up for the mode.
  void SetAmplitude(std::shared_ptr<ValueObj> newRef);
  std::shared_ptr<ValueObj> Period() const { return m_Period.get(); }
  void SetPeriod(std::shared_ptr<ValueObj> newRef);
  std::shared_ptr<ValueObj> Mode() const { return m_Mode.get(); }
  // Moves the subscription; then sets the amplitude up for the new object's mode.
  void SetMode(std::shared_ptr<ValueObj> newRef);
  int32_t VelocityQ() const { return velocityQ_; }
  void SetVelocityQ(int32_t value) { velocityQ_ = value; }
  std::shared_ptr<ConfigRegObj> ConfigReg() const { return configReg_; }
  void SetConfigReg(std::shared_ptr<ConfigRegObj> newRef);
  std::shared_ptr<ValueObj> TrackingLimit() const { return m_TrackingLimit.get(); }
  void SetTrackingLimit(std::shared_ptr<ValueObj> newRef);
  // Write-only, as published.
  void SetSampleRate(std::shared_ptr<ValueObj> vNewValue);

  void Start();
  void StartStop();
  void Terminate();
  // 5 (the default) names the mode the user interface shows.
  std::string ModeStr(StimGenModes lookupMode = STIM_ME);
  void SetLastMode(StimGenModes vNewValue);
  StimGenModes LastMode() const { return lastMode_; }
  StimGenModes UImode();
  void SetUImode(StimGenModes newUImode);
  bool Running();
  // Null raises error 91.
  void CopyTo(const std::shared_ptr<StimulusStateObj>& newObj);
  void Refresh();
  void SetStimMode(StimGenModes value);
  StimGenModes StimMode();
  void ChangeTo(StimGenModes newMode, double newAmplitude, int32_t newPeriod);
  void Initialize(StimGenModes newMode, int32_t newAmplitude, int32_t newPeriod);
  void SetInitializeMode(StimGenModes newMode);
  void SetInitializing(bool newState) { initializing_ = newState; }
  bool Initializing() const { return initializing_; }
  void FireChanges();
  // Never raises an error of its own steps; see the source.
  void SetupFor(StimGenModes newMode, double newAmplitude, int32_t newPeriod);

  std::string_view ClassName() const override { return "StimulusStateObj"; }
  Variant GetProperty(std::string_view name) override;
  std::span<const std::string_view> PropertyNames() const override;

  StimulusStateObj();  // use create()

 private:
  double ModeValue() const;
  void SetModeValue(double value);
  void ApplyAmplitudeScale(int32_t mode);
  void ApplyAmplitudeSetup(int32_t mode);
  void ApplyPeriodScale();
  void ReplaceTrackingLimit(double value);

  void m_Mode_ValueChanged(std::shared_ptr<ValueObj>& newVal);
  void m_Mode_ContentChanged(std::shared_ptr<ValueObj>& newVal);
  void m_Amplitude_ValueChanged(std::shared_ptr<ValueObj>& newVal);
  void m_Period_ValueChanged(std::shared_ptr<ValueObj>& newVal);
  void m_Value_ContentChanged(std::shared_ptr<ValueObj>& newVal);
  void m_TrackingLimit_ContentChanged(std::shared_ptr<ValueObj>& newVal);
  void m_sampleRate_ContentChanged(std::shared_ptr<ValueObj>& newVal);

  template <class... Event>
  void Raise(Event&&... event);
  void RaiseAdjustAmplitudeScaling(int32_t mode);

  // Declared so that destruction releases them in the published order: TrackingLimit,
  // Period, Amplitude, Mode, SampleRate, then the configuration register.
  std::shared_ptr<ConfigRegObj> configReg_;
  HeldValue m_sampleRate;
  HeldValue m_Mode;
  HeldValue m_Amplitude;
  HeldValue m_Period;
  HeldValue m_TrackingLimit;

  int32_t velocityQ_ = 1;
  StimGenModes lastMode_ = STIM_POSN;
  bool initializing_ = false;
  double savedTrackingLimit_ = 0;
  bool trackingLimitSaved_ = false;
};

}  // namespace zentnet

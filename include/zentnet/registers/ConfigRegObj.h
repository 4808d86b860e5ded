#pragma once
// The configuration register: command input mode, motor style, feedback and filter
// options, limit handling and the velocity estimator of one drive.
//
// The decoder keeps no copy of the register. Every read goes to the value object held in
// Register(), every write reads the number, replaces the field's bits and writes the whole
// 32-bit pattern back. CapabilityMask() tells which configuration bits the drive model has;
// which members consult it differs per field (see the field table in the source).
//
// Bit 31 is a plain bit: every field reads its own bits as they stand, so the sign of a
// negative register never carries into a field.
//
// With no value object held (SetRegister(nullptr)) every member that reaches for the
// register raises the missing-object error (91).

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "zentnet/automation/events.h"
#include "zentnet/automation/object.h"
#include "zentnet/automation/variant.h"
#include "zentnet/contracts/enums.h"
#include "zentnet/contracts/roster.h"
#include "zentnet/contracts/value_contract.h"

namespace zentnet {

class ConfigRegObjEvents {
 public:
  virtual ~ConfigRegObjEvents() = default;
  // Any change of the register number.
  virtual void Change() {}
  // The value object's content (set-up, names) changed.
  virtual void UpdateView() {}
  // Bits 8-9 (motor style) differ between the old and the new number.
  virtual void MotorTypeChanged() {}
  // Bits 4-6 differ, or a HighLevelFeedback write changed the field.
  virtual void HighLevelFeedbackChanged() {}
  virtual void Refresh(std::shared_ptr<ValueObj>& /*newVal*/) {}
  // A subscriber may supply the initial value and set `processed`; the value object sees both.
  virtual void InitializeCache(double& /*initialValue*/, bool& /*processed*/) {}
};

inline constexpr DispatchEntry kConfigRegObjEventIds[] = {
    {"Change", 1},  {"UpdateView", 2},     {"MotorTypeChanged", 3}, {"HighLevelFeedbackChanged", 4},
    {"Refresh", 5}, {"InitializeCache", 6}};

class ConfigRegObj final : public Object,
                           public EventHost<ConfigRegObjEvents>,
                           public Pinnable,
                           public std::enable_shared_from_this<ConfigRegObj> {
 public:
  static std::shared_ptr<ConfigRegObj> create();
  ~ConfigRegObj() override;

  // Plain state; assigning has no side effect.
  ConfigRegMasks CapabilityMask() const { return capabilityMask_; }
  void SetCapabilityMask(ConfigRegMasks mask) { capabilityMask_ = mask; }
  int32_t VelocityEstimatorMax() const { return velocityEstimatorMax_; }
  void SetVelocityEstimatorMax(int32_t v) { velocityEstimatorMax_ = v; }
  int32_t VelocityEstimatorMin() const { return velocityEstimatorMin_; }
  void SetVelocityEstimatorMin(int32_t v) { velocityEstimatorMin_ = v; }

  // The value object holding the register. Assigning another moves the subscription to it
  // (the object is used as supplied, without set-up); assigning null ends it.
  const std::shared_ptr<ValueObj>& Register() const { return m_register.get(); }
  void SetRegister(std::shared_ptr<ValueObj> newRef);

  // Fields, in the published slot order. Display members follow each field.
  void SetAnalogInFilter(bool newFilt);
  bool AnalogInFilter() const;
  std::string AnalogInFilterStr() const;
  bool TorqueMode() const;
  // Two writes: first with bits 10-11 cleared, then with the new value ORed in.
  void SetSteadix(SteadixModes vNewValue);
  SteadixModes Steadix() const;
  std::string SteadixStr(SteadixModes lookup = STEADIX_ME) const;
  void SetBadSequenceEnable(bool vNewValue);
  bool BadSequenceEnable() const;
  std::string BadSequenceEnableStr() const;
  bool BrushMode() const;
  std::string BrushModeStr() const;
  void SetEncoderBalanced(bool isBalanced);
  bool EncoderBalanced() const;
  std::string EncoderBalancedStr() const;
  void SetEncoderInFilter(bool newFilt);
  bool EncoderInFilter() const;
  std::string EncoderInFilterStr() const;
  void SetHallCheck(bool newFilt);
  bool HallCheck() const;
  std::string HallCheckStr() const;
  // Values from 512 up or below -512 raise the overflow error (6) and write nothing.
  void SetFilterClock(FilterClks newFilt);
  FilterClks FilterClock() const;
  std::string FilterClockStr() const;
  std::string FilterClockStrArb(FilterClks arbFilt) const;
  void SetHallInverter(bool vNewValue);
  bool HallInverter() const;
  std::string HallInverterStr() const;
  void SetHallLessStart(bool vNewValue);
  bool HallLessStart() const;
  std::string HallLessStartStr() const;
  // Only LIM_MODE_POSITION (1) sets the bit; every other value clears it.
  void SetLimitMode(LimitModes vNewValue);
  LimitModes LimitMode() const;
  std::string LimitModeStr() const;
  void SetLogicPowerBackup(bool vNewValue);
  bool LogicPowerBackup() const;
  std::string LogicPowerBackupStr() const;
  void SetModeLineFoldback(ModeLineFoldbacks vNewValue);
  ModeLineFoldbacks ModeLineFoldback() const;
  std::string ModeLineFoldbackStr(const Variant& specMode = {}) const;
  void SetMoveDoneFoldback(bool vNewValue);
  bool MoveDoneFoldback() const;
  std::string MoveDoneFoldbackStr() const;
  void SetInputMode(InputModes vNewValue);
  InputModes InputMode() const;
  std::string InputModeStr(const Variant& specMode = {}) const;
  // What the specMode lookups (InputModeStr, HighLevelFeedbackStr, SyncPulseStr,
  // ModeLineFoldbackStr, LimitSwitchModeStr) show for any failure, their argument's too.
  static constexpr std::string_view kUnknownChoice = "???";
  void SetHardStopFoldback(bool vNewValue);
  bool HardStopFoldback() const;
  std::string HardStopFoldbackStr() const;
  // Ignored without the field; 0 and below are not written; raises HighLevelFeedbackChanged
  // itself when the field's value changed.
  void SetHighLevelFeedback(HighLevelFeedbacks vNewValue);
  HighLevelFeedbacks HighLevelFeedback() const;
  std::string HighLevelFeedbackStr(const Variant& specMode = {}) const;
  bool LinearMotor() const;
  void SetStepInFilter(bool newFilt);
  bool StepInFilter() const;
  std::string StepInFilterStr() const;
  // The new value is ANDed with CapabilityMask: a polarity the drive lacks is not stored.
  void SetSyncPulse(SyncPulses vNewValue);
  SyncPulses SyncPulse() const;
  std::string SyncPulseStr(const Variant& specMode = {}) const;
  void SetVectorLock(bool vNewValue);
  bool VectorLock() const;
  std::string VectorLockStr() const;
  // Clamped to VelocityEstimatorMax, then VelocityEstimatorMin (the maximum wins when the
  // bounds cross); bits 0-28 are kept.
  void SetVelocityEstimator(VelocityEstimators vNewValue);
  VelocityEstimators VelocityEstimator() const;
  std::string LimitSwitchModeStr(const Variant& specMode = {}) const;
  void SetMotorStyle(MotorStyles newState);
  MotorStyles MotorStyle() const;
  std::string MotorStyleStr(MotorStyles lookup = static_cast<MotorStyles>(-1)) const;
  // Three writes: EncoderInFilter (bit 3), StepInFilter (bit 2), FilterClock (bits 0-1).
  void SetStepEncInputFilter(StepEncFilters newVal);
  StepEncFilters StepEncInputFilter() const;
  std::string LimitModeLookup(LimitModes theMode) const;

  std::string_view ClassName() const override { return "ConfigRegObj"; }
  // Every readable field and the display text of its current value, plus "Register".
  Variant GetProperty(std::string_view name) override;
  std::span<const std::string_view> PropertyNames() const override;

  ConfigRegObj();  // use create()

 private:
  void Register_ValueChanged(std::shared_ptr<ValueObj>& newVal);
  void Register_ContentChanged(std::shared_ptr<ValueObj>& newVal);
  void Register_Refresh(std::shared_ptr<ValueObj>& newVal);
  void Register_InitializeCache(double& initialValue, bool& processed);

  // Passes the value object's events to the handlers above, holding this object weakly.
  std::shared_ptr<ValueObjEvents> sink_;
  Subscribed<ValueObj, ValueObjEvents> m_register;
  ConfigRegMasks capabilityMask_ = static_cast<ConfigRegMasks>(-1);
  int32_t velocityEstimatorMax_ = 0;
  int32_t velocityEstimatorMin_ = 0;
};

}  // namespace zentnet

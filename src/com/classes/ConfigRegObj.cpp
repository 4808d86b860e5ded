// The configuration register as clients see it: each field's write slot, its read and its
// display text, one line each over the core decoder.

#include "../skin/dual.h"
#include "zentnet/registers/ConfigRegObj.h"

namespace zentnet::com {
namespace {

// The specMode lookups catch every error, the conversion of their argument included: what
// cannot become a Variant (Null, an array) shows as any other failure does.
using Config = zentnet::ConfigRegObj;  // not the coclass of the generated header
template <std::string (Config::*Lookup)(const Variant&) const>
constexpr auto AnyMode = [](const Config& core, Unconverted specMode) {
  Variant mode;
  try {
    mode = VariantIn(*specMode.value);
  } catch (const AutomationError&) {
    return std::string(Config::kUnknownChoice);
  }
  return (core.*Lookup)(mode);
};

class ConfigRegObjSkin final
    : public Dual<ConfigRegObjSkin, _ConfigRegObj, ConfigRegObj, ConfigRegObjEvents> {
 public:
  static constexpr std::string_view kName = "ConfigRegObj";
  using Dual::Dual;

  HRESULT STDMETHODCALLTYPE get_CapabilityMask(::ConfigRegMasks* result) override {
    return Call(&Core::CapabilityMask, result);
  }
  HRESULT STDMETHODCALLTYPE put_CapabilityMask(::ConfigRegMasks value) override {
    return Call(&Core::SetCapabilityMask, value);
  }
  HRESULT STDMETHODCALLTYPE get_VelocityEstimatorMax(LONG* result) override {
    return Call(&Core::VelocityEstimatorMax, result);
  }
  HRESULT STDMETHODCALLTYPE put_VelocityEstimatorMax(LONG value) override {
    return Call(&Core::SetVelocityEstimatorMax, value);
  }
  HRESULT STDMETHODCALLTYPE get_VelocityEstimatorMin(LONG* result) override {
    return Call(&Core::VelocityEstimatorMin, result);
  }
  HRESULT STDMETHODCALLTYPE put_VelocityEstimatorMin(LONG value) override {
    return Call(&Core::SetVelocityEstimatorMin, value);
  }
  HRESULT STDMETHODCALLTYPE get_Register(_ValueObj** result) override {
    return Call(&Core::Register, result);
  }
  HRESULT STDMETHODCALLTYPE put_Register(VARIANT value) override {
    return Call(&Core::SetRegister, value);
  }
  HRESULT STDMETHODCALLTYPE putref_Register(_ValueObj* value) override {
    return Call(&Core::SetRegister, value);
  }
  HRESULT STDMETHODCALLTYPE put_AnalogInFilter(VARIANT_BOOL* newFilt) override {
    return Call(&Core::SetAnalogInFilter, newFilt);
  }
  HRESULT STDMETHODCALLTYPE get_AnalogInFilter(VARIANT_BOOL* result) override {
    return Call(&Core::AnalogInFilter, result);
  }
  HRESULT STDMETHODCALLTYPE get_AnalogInFilterStr(BSTR* result) override {
    return Call(&Core::AnalogInFilterStr, result);
  }
  HRESULT STDMETHODCALLTYPE get_TorqueMode(VARIANT_BOOL* result) override {
    return Call(&Core::TorqueMode, result);
  }
  HRESULT STDMETHODCALLTYPE put_Steadix(::SteadixModes* value) override {
    return Call(&Core::SetSteadix, value);
  }
  HRESULT STDMETHODCALLTYPE get_Steadix(::SteadixModes* result) override {
    return Call(&Core::Steadix, result);
  }
  HRESULT STDMETHODCALLTYPE get_SteadixStr(::SteadixModes* lookup, BSTR* result) override {
    return Call(&Core::SteadixStr, lookup, result);
  }
  HRESULT STDMETHODCALLTYPE put_BadSequenceEnable(VARIANT_BOOL* value) override {
    return Call(&Core::SetBadSequenceEnable, value);
  }
  HRESULT STDMETHODCALLTYPE get_BadSequenceEnable(VARIANT_BOOL* result) override {
    return Call(&Core::BadSequenceEnable, result);
  }
  HRESULT STDMETHODCALLTYPE get_BadSequenceEnableStr(BSTR* result) override {
    return Call(&Core::BadSequenceEnableStr, result);
  }
  HRESULT STDMETHODCALLTYPE get_BrushMode(VARIANT_BOOL* result) override {
    return Call(&Core::BrushMode, result);
  }
  HRESULT STDMETHODCALLTYPE get_BrushModeStr(BSTR* result) override {
    return Call(&Core::BrushModeStr, result);
  }
  HRESULT STDMETHODCALLTYPE put_EncoderBalanced(VARIANT_BOOL* isBalanced) override {
    return Call(&Core::SetEncoderBalanced, isBalanced);
  }
  HRESULT STDMETHODCALLTYPE get_EncoderBalanced(VARIANT_BOOL* result) override {
    return Call(&Core::EncoderBalanced, result);
  }
  HRESULT STDMETHODCALLTYPE get_EncoderBalancedStr(BSTR* result) override {
    return Call(&Core::EncoderBalancedStr, result);
  }
  HRESULT STDMETHODCALLTYPE put_EncoderInFilter(VARIANT_BOOL* newFilt) override {
    return Call(&Core::SetEncoderInFilter, newFilt);
  }
  HRESULT STDMETHODCALLTYPE get_EncoderInFilter(VARIANT_BOOL* result) override {
    return Call(&Core::EncoderInFilter, result);
  }
  HRESULT STDMETHODCALLTYPE get_EncoderInFilterStr(BSTR* result) override {
    return Call(&Core::EncoderInFilterStr, result);
  }
  HRESULT STDMETHODCALLTYPE put_HallCheck(VARIANT_BOOL* newFilt) override {
    return Call(&Core::SetHallCheck, newFilt);
  }
  HRESULT STDMETHODCALLTYPE get_HallCheck(VARIANT_BOOL* result) override {
    return Call(&Core::HallCheck, result);
  }
  HRESULT STDMETHODCALLTYPE get_HallCheckStr(BSTR* result) override {
    return Call(&Core::HallCheckStr, result);
  }
  HRESULT STDMETHODCALLTYPE put_FilterClock(::FilterClks* newFilt) override {
    return Call(&Core::SetFilterClock, newFilt);
  }
  HRESULT STDMETHODCALLTYPE get_FilterClock(::FilterClks* result) override {
    return Call(&Core::FilterClock, result);
  }
  HRESULT STDMETHODCALLTYPE get_FilterClockStr(BSTR* result) override {
    return Call(&Core::FilterClockStr, result);
  }
  HRESULT STDMETHODCALLTYPE get_FilterClockStrArb(::FilterClks* arbFilt, BSTR* result) override {
    return Call(&Core::FilterClockStrArb, arbFilt, result);
  }
  HRESULT STDMETHODCALLTYPE put_HallInverter(VARIANT_BOOL* value) override {
    return Call(&Core::SetHallInverter, value);
  }
  HRESULT STDMETHODCALLTYPE get_HallInverter(VARIANT_BOOL* result) override {
    return Call(&Core::HallInverter, result);
  }
  HRESULT STDMETHODCALLTYPE get_HallInverterStr(BSTR* result) override {
    return Call(&Core::HallInverterStr, result);
  }
  HRESULT STDMETHODCALLTYPE put_HallLessStart(VARIANT_BOOL* value) override {
    return Call(&Core::SetHallLessStart, value);
  }
  HRESULT STDMETHODCALLTYPE get_HallLessStart(VARIANT_BOOL* result) override {
    return Call(&Core::HallLessStart, result);
  }
  HRESULT STDMETHODCALLTYPE get_HallLessStartStr(BSTR* result) override {
    return Call(&Core::HallLessStartStr, result);
  }
  HRESULT STDMETHODCALLTYPE put_LimitMode(::LimitModes* value) override {
    return Call(&Core::SetLimitMode, value);
  }
  HRESULT STDMETHODCALLTYPE get_LimitMode(::LimitModes* result) override {
    return Call(&Core::LimitMode, result);
  }
  HRESULT STDMETHODCALLTYPE get_LimitModeStr(BSTR* result) override {
    return Call(&Core::LimitModeStr, result);
  }
  HRESULT STDMETHODCALLTYPE put_LogicPowerBackup(VARIANT_BOOL* value) override {
    return Call(&Core::SetLogicPowerBackup, value);
  }
  HRESULT STDMETHODCALLTYPE get_LogicPowerBackup(VARIANT_BOOL* result) override {
    return Call(&Core::LogicPowerBackup, result);
  }
  HRESULT STDMETHODCALLTYPE get_LogicPowerBackupStr(BSTR* result) override {
    return Call(&Core::LogicPowerBackupStr, result);
  }
  HRESULT STDMETHODCALLTYPE put_ModeLineFoldback(::ModeLineFoldbacks* value) override {
    return Call(&Core::SetModeLineFoldback, value);
  }
  HRESULT STDMETHODCALLTYPE get_ModeLineFoldback(::ModeLineFoldbacks* result) override {
    return Call(&Core::ModeLineFoldback, result);
  }
  HRESULT STDMETHODCALLTYPE get_ModeLineFoldbackStr(VARIANT* specMode, BSTR* result) override {
    return Call(AnyMode<&Core::ModeLineFoldbackStr>, specMode, result);
  }
  HRESULT STDMETHODCALLTYPE put_MoveDoneFoldback(VARIANT_BOOL* value) override {
    return Call(&Core::SetMoveDoneFoldback, value);
  }
  HRESULT STDMETHODCALLTYPE get_MoveDoneFoldback(VARIANT_BOOL* result) override {
    return Call(&Core::MoveDoneFoldback, result);
  }
  HRESULT STDMETHODCALLTYPE get_MoveDoneFoldbackStr(BSTR* result) override {
    return Call(&Core::MoveDoneFoldbackStr, result);
  }
  HRESULT STDMETHODCALLTYPE put_InputMode(::InputModes value) override {
    return Call(&Core::SetInputMode, value);
  }
  HRESULT STDMETHODCALLTYPE get_InputMode(::InputModes* result) override {
    return Call(&Core::InputMode, result);
  }
  HRESULT STDMETHODCALLTYPE get_InputModeStr(VARIANT* specMode, BSTR* result) override {
    return Call(AnyMode<&Core::InputModeStr>, specMode, result);
  }
  HRESULT STDMETHODCALLTYPE put_HardStopFoldback(VARIANT_BOOL value) override {
    return Call(&Core::SetHardStopFoldback, value);
  }
  HRESULT STDMETHODCALLTYPE get_HardStopFoldback(VARIANT_BOOL* result) override {
    return Call(&Core::HardStopFoldback, result);
  }
  HRESULT STDMETHODCALLTYPE get_HardStopFoldbackStr(BSTR* result) override {
    return Call(&Core::HardStopFoldbackStr, result);
  }
  HRESULT STDMETHODCALLTYPE put_HighLevelFeedback(::HighLevelFeedbacks value) override {
    return Call(&Core::SetHighLevelFeedback, value);
  }
  HRESULT STDMETHODCALLTYPE get_HighLevelFeedback(::HighLevelFeedbacks* result) override {
    return Call(&Core::HighLevelFeedback, result);
  }
  HRESULT STDMETHODCALLTYPE HighLevelFeedbackStr(VARIANT* specMode, BSTR* result) override {
    return Call(AnyMode<&Core::HighLevelFeedbackStr>, specMode, result);
  }
  HRESULT STDMETHODCALLTYPE get_LinearMotor(VARIANT_BOOL* result) override {
    return Call(&Core::LinearMotor, result);
  }
  HRESULT STDMETHODCALLTYPE put_StepInFilter(VARIANT_BOOL newFilt) override {
    return Call(&Core::SetStepInFilter, newFilt);
  }
  HRESULT STDMETHODCALLTYPE get_StepInFilter(VARIANT_BOOL* result) override {
    return Call(&Core::StepInFilter, result);
  }
  HRESULT STDMETHODCALLTYPE get_StepInFilterStr(BSTR* result) override {
    return Call(&Core::StepInFilterStr, result);
  }
  HRESULT STDMETHODCALLTYPE put_SyncPulse(::SyncPulses value) override {
    return Call(&Core::SetSyncPulse, value);
  }
  HRESULT STDMETHODCALLTYPE get_SyncPulse(::SyncPulses* result) override {
    return Call(&Core::SyncPulse, result);
  }
  HRESULT STDMETHODCALLTYPE get_SyncPulseStr(VARIANT* specMode, BSTR* result) override {
    return Call(AnyMode<&Core::SyncPulseStr>, specMode, result);
  }
  HRESULT STDMETHODCALLTYPE put_VectorLock(VARIANT_BOOL value) override {
    return Call(&Core::SetVectorLock, value);
  }
  HRESULT STDMETHODCALLTYPE get_VectorLock(VARIANT_BOOL* result) override {
    return Call(&Core::VectorLock, result);
  }
  HRESULT STDMETHODCALLTYPE get_VectorLockStr(BSTR* result) override {
    return Call(&Core::VectorLockStr, result);
  }
  HRESULT STDMETHODCALLTYPE put_VelocityEstimator(::VelocityEstimators value) override {
    return Call(&Core::SetVelocityEstimator, value);
  }
  HRESULT STDMETHODCALLTYPE get_VelocityEstimator(::VelocityEstimators* result) override {
    return Call(&Core::VelocityEstimator, result);
  }
  HRESULT STDMETHODCALLTYPE LimitSwitchModeStr(VARIANT* specMode, BSTR* result) override {
    return Call(AnyMode<&Core::LimitSwitchModeStr>, specMode, result);
  }
  HRESULT STDMETHODCALLTYPE put_MotorStyle(::MotorStyles newState) override {
    return Call(&Core::SetMotorStyle, newState);
  }
  HRESULT STDMETHODCALLTYPE get_MotorStyle(::MotorStyles* result) override {
    return Call(&Core::MotorStyle, result);
  }
  HRESULT STDMETHODCALLTYPE get_MotorStyleStr(::MotorStyles* lookup, BSTR* result) override {
    return Call(&Core::MotorStyleStr, lookup, result);
  }
  HRESULT STDMETHODCALLTYPE put_StepEncInputFilter(::StepEncFilters newVal) override {
    return Call(&Core::SetStepEncInputFilter, newVal);
  }
  HRESULT STDMETHODCALLTYPE get_StepEncInputFilter(::StepEncFilters* result) override {
    return Call(&Core::StepEncInputFilter, result);
  }
  HRESULT STDMETHODCALLTYPE get_LimitModeLookup(::LimitModes* theMode, BSTR* result) override {
    return Call(&Core::LimitModeLookup, theMode, result);
  }

  struct Relay : EventRelay<ConfigRegObjSkin, ConfigRegObjEvents, kConfigRegObjEventIds> {
    using EventRelay::EventRelay;
    void Change() override { Fire(Id("Change")); }
    void UpdateView() override { Fire(Id("UpdateView")); }
    void MotorTypeChanged() override { Fire(Id("MotorTypeChanged")); }
    void HighLevelFeedbackChanged() override { Fire(Id("HighLevelFeedbackChanged")); }
    void Refresh(std::shared_ptr<ValueObj>& newVal) override { Fire(Id("Refresh"), newVal); }
    void InitializeCache(double& initialValue, bool& processed) override {
      Fire(Id("InitializeCache"), initialValue, processed);
    }
  };
};
const Registered<ConfigRegObjSkin> kRegistered;

}  // namespace
}  // namespace zentnet::com

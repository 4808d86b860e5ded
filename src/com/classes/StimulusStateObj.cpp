#include "../skin/dual.h"
#include "zentnet/registers/ConfigRegObj.h"
#include "zentnet/testsignal/StimulusStateObj.h"

namespace zentnet::com {
namespace {

class StimulusStateObjSkin final : public Dual<StimulusStateObjSkin, _StimulusStateObj,
                                               StimulusStateObj, StimulusStateObjEvents> {
 public:
  static constexpr std::string_view kName = "StimulusStateObj";
  using Dual::Dual;

  HRESULT STDMETHODCALLTYPE get_Amplitude(_ValueObj** result) override {
    return Call(&Core::Amplitude, result);
  }
  HRESULT STDMETHODCALLTYPE putref_Amplitude(_ValueObj* value) override {
    return Call(&Core::SetAmplitude, value);
  }
  HRESULT STDMETHODCALLTYPE get_Period(_ValueObj** result) override {
    return Call(&Core::Period, result);
  }
  HRESULT STDMETHODCALLTYPE putref_Period(_ValueObj* value) override {
    return Call(&Core::SetPeriod, value);
  }
  HRESULT STDMETHODCALLTYPE get_Mode(_ValueObj** result) override {
    return Call(&Core::Mode, result);
  }
  HRESULT STDMETHODCALLTYPE putref_Mode(_ValueObj* value) override {
    return Call(&Core::SetMode, value);
  }
  HRESULT STDMETHODCALLTYPE get_VelocityQ(LONG* result) override {
    return Call(&Core::VelocityQ, result);
  }
  HRESULT STDMETHODCALLTYPE put_VelocityQ(LONG value) override {
    return Call(&Core::SetVelocityQ, value);
  }
  HRESULT STDMETHODCALLTYPE get_ConfigReg(_ConfigRegObj** result) override {
    return Call(&Core::ConfigReg, result);
  }
  HRESULT STDMETHODCALLTYPE putref_ConfigReg(_ConfigRegObj* value) override {
    return Call(&Core::SetConfigReg, value);
  }
  HRESULT STDMETHODCALLTYPE get_TrackingLimit(_ValueObj** result) override {
    return Call(&Core::TrackingLimit, result);
  }
  HRESULT STDMETHODCALLTYPE putref_TrackingLimit(_ValueObj* value) override {
    return Call(&Core::SetTrackingLimit, value);
  }
  HRESULT STDMETHODCALLTYPE putref_SampleRate(_ValueObj* value) override {
    return Call(&Core::SetSampleRate, value);
  }
  HRESULT STDMETHODCALLTYPE Start() override { return Call(&Core::Start); }
  HRESULT STDMETHODCALLTYPE StartStop() override { return Call(&Core::StartStop); }
  HRESULT STDMETHODCALLTYPE Terminate() override { return Call(&Core::Terminate); }
  // An automation runtime may pass the omitted argument's default itself where the pointer to
  // it belongs; no valid pointer lies in the first 64 KB of the address space.
  HRESULT STDMETHODCALLTYPE get_ModeStr(::MonitorVariables* lookupMode, BSTR* result) override {
    return Call(&Core::ModeStr, lookupMode, result);
  }
  HRESULT STDMETHODCALLTYPE put_LastMode(LONG value) override {
    return Call(&Core::SetLastMode, value);
  }
  HRESULT STDMETHODCALLTYPE get_LastMode(LONG* result) override {
    return Call(&Core::LastMode, result);
  }
  HRESULT STDMETHODCALLTYPE get_UImode(LONG* result) override {
    return Call(&Core::UImode, result);
  }
  HRESULT STDMETHODCALLTYPE put_UImode(LONG value) override {
    return Call(&Core::SetUImode, value);
  }
  HRESULT STDMETHODCALLTYPE get_Running(VARIANT_BOOL* result) override {
    return Call(&Core::Running, result);
  }
  HRESULT STDMETHODCALLTYPE CopyTo(_StimulusStateObj** newObj) override {
    return Call(&Core::CopyTo, newObj);
  }
  HRESULT STDMETHODCALLTYPE Refresh() override { return Call(&Core::Refresh); }
  HRESULT STDMETHODCALLTYPE put_StimMode(LONG value) override {
    return Call(&Core::SetStimMode, value);
  }
  HRESULT STDMETHODCALLTYPE get_StimMode(LONG* result) override {
    return Call(&Core::StimMode, result);
  }
  HRESULT STDMETHODCALLTYPE ChangeTo(LONG* mode, DOUBLE* amplitude, LONG* period) override {
    return Call(&Core::ChangeTo, mode, amplitude, period);
  }
  HRESULT STDMETHODCALLTYPE Initialize(LONG* mode, LONG* amplitude, LONG* period) override {
    return Call(&Core::Initialize, mode, amplitude, period);
  }
  HRESULT STDMETHODCALLTYPE put_InitializeMode(LONG value) override {
    return Call(&Core::SetInitializeMode, value);
  }
  HRESULT STDMETHODCALLTYPE put_Initializing(VARIANT_BOOL value) override {
    return Call(&Core::SetInitializing, value);
  }
  HRESULT STDMETHODCALLTYPE get_Initializing(VARIANT_BOOL* result) override {
    return Call(&Core::Initializing, result);
  }
  HRESULT STDMETHODCALLTYPE FireChanges() override { return Call(&Core::FireChanges); }
  HRESULT STDMETHODCALLTYPE SetupFor(LONG mode, DOUBLE amplitude, LONG period) override {
    return Call(&Core::SetupFor, mode, amplitude, period);
  }

  // TrackingLimSetup's cancel and AdjustAmplitudeScaling's mode go back into the core's
  // variables after each listener.
  struct Relay
      : EventRelay<StimulusStateObjSkin, StimulusStateObjEvents, kStimulusStateObjEventIds> {
    using EventRelay::EventRelay;
    void AmplitudeChanged() override { Fire(Id("AmplitudeChanged")); }
    void PeriodChanged() override { Fire(Id("PeriodChanged")); }
    void ModeChanged() override { Fire(Id("ModeChanged")); }
    void StimulusChanged() override { Fire(Id("StimulusChanged")); }
    void UIModeChanged() override { Fire(Id("UIModeChanged")); }
    void UIchanged() override { Fire(Id("UIchanged")); }
    void TrackingLimSetup(bool& cancel) override { Fire(Id("TrackingLimSetup"), cancel); }
    void AdjustAmplitudeScaling(StimGenModes& newMode) override {
      Fire(Id("AdjustAmplitudeScaling"), newMode);
    }
    void Refresh() override { Fire(Id("Refresh")); }
    void UpdateView() override { Fire(Id("UpdateView")); }
  };
};
const Registered<StimulusStateObjSkin> kRegistered;

}  // namespace
}  // namespace zentnet::com

#include "../skin/dual.h"
#include "zentnet/testsignal/MonitorPortStateObj.h"

namespace zentnet::com {
namespace {

class MonitorPortStateObjSkin final : public Dual<MonitorPortStateObjSkin, _MonitorPortStateObj,
                                                  MonitorPortStateObj, MonitorPortStateObjEvents> {
 public:
  static constexpr std::string_view kName = "MonitorPortStateObj";
  using Dual::Dual;

  HRESULT STDMETHODCALLTYPE get_Amplitude(_ValueObj** result) override {
    return Call(&Core::Amplitude, result);
  }
  HRESULT STDMETHODCALLTYPE putref_Amplitude(_ValueObj* value) override {
    return Call(&Core::SetAmplitude, value);
  }
  HRESULT STDMETHODCALLTYPE putref_Variable(_ValueObj* value) override {
    return Call(&Core::SetVariable, value);
  }
  HRESULT STDMETHODCALLTYPE get_Variable(_ValueObj** result) override {
    return Call(&Core::Variable, result);
  }
  HRESULT STDMETHODCALLTYPE putref_Filter(_ValueObj* value) override {
    return Call(&Core::SetFilter, value);
  }
  HRESULT STDMETHODCALLTYPE get_Filter(_ValueObj** result) override {
    return Call(&Core::Filter, result);
  }
  HRESULT STDMETHODCALLTYPE get_ConfigReg(_ConfigRegObj** result) override {
    return Call(&Core::ConfigReg, result);
  }
  HRESULT STDMETHODCALLTYPE putref_ConfigReg(_ConfigRegObj* value) override {
    return Call(&Core::SetConfigReg, value);
  }
  HRESULT STDMETHODCALLTYPE put_SyncPulse(::SyncPulses* value) override {
    return Call(&Core::SetSyncPulse, value);
  }
  HRESULT STDMETHODCALLTYPE get_SyncPulse(::SyncPulses* result) override {
    return Call(&Core::SyncPulse, result);
  }
  HRESULT STDMETHODCALLTYPE get_SyncPulseStr(BSTR* result) override {
    return Call(&Core::SyncPulseStr, result);
  }
  HRESULT STDMETHODCALLTYPE get_MonitorVarStr(VARIANT* which, BSTR* result) override {
    return Call(&Core::MonitorVarStr, which, result);
  }
  HRESULT STDMETHODCALLTYPE Rescale() override { return Call(&Core::Rescale); }
  HRESULT STDMETHODCALLTYPE CopyTo(_MonitorPortStateObj** newObj) override {
    return Call(&Core::CopyTo, newObj);
  }
  HRESULT STDMETHODCALLTYPE Initialize() override { return Call(&Core::Initialize); }
  HRESULT STDMETHODCALLTYPE Refresh() override { return Call(&Core::Refresh); }
  HRESULT STDMETHODCALLTYPE SaveToNonVolatile() override { return Call(&Core::SaveToNonVolatile); }
  HRESULT STDMETHODCALLTYPE ChangeTo(::MonitorVariables variable, DOUBLE fullScale,
                                     DOUBLE filterTC) override {
    return Call(&Core::ChangeTo, variable, fullScale, filterTC);
  }

  struct Relay : EventRelay<MonitorPortStateObjSkin, MonitorPortStateObjEvents,
                            kMonitorPortStateObjEventIds> {
    using EventRelay::EventRelay;
    void VariableChanged() override { Fire(Id("VariableChanged")); }
    void AmplitudeChanged() override { Fire(Id("AmplitudeChanged")); }
    void FilterChanged() override { Fire(Id("FilterChanged")); }
    void SyncPulseChanged() override { Fire(Id("SyncPulseChanged")); }
    void Refresh() override { Fire(Id("Refresh")); }
    void SaveToNonVolatile() override { Fire(Id("SaveToNonVolatile")); }
    void RescaleAmplitude() override { Fire(Id("RescaleAmplitude")); }
    void Changed() override { Fire(Id("Changed")); }
    void Initialize() override { Fire(Id("Initialize")); }
    void UpdateView() override { Fire(Id("UpdateView")); }
  };
};
const Registered<MonitorPortStateObjSkin> kRegistered;

}  // namespace
}  // namespace zentnet::com

// The error-code register as clients see it.

#include "../skin/dual.h"
#include "zentnet/registers/ErrorCodeObj.h"

namespace zentnet::com {
namespace {

class ErrorCodeObjSkin final
    : public Dual<ErrorCodeObjSkin, _ErrorCodeObj, ErrorCodeObj, ErrorCodeObjEvents> {
 public:
  static constexpr std::string_view kName = "ErrorCodeObj";
  using Dual::Dual;

  HRESULT STDMETHODCALLTYPE get_Register(_ValueObj** result) override {
    return Call(&Core::Register, result);
  }
  HRESULT STDMETHODCALLTYPE put_Register(VARIANT value) override {
    return Call(&Core::SetRegister, value);
  }
  HRESULT STDMETHODCALLTYPE putref_Register(_ValueObj* value) override {
    return Call(&Core::SetRegister, value);
  }
  HRESULT STDMETHODCALLTYPE get_ADCproblems(VARIANT_BOOL* result) override {
    return Call(&Core::ADCproblems, result);
  }
  HRESULT STDMETHODCALLTYPE get_CommutationProblems(VARIANT_BOOL* result) override {
    return Call(&Core::CommutationProblems, result);
  }
  HRESULT STDMETHODCALLTYPE get_CurrentSensorProblems(VARIANT_BOOL* result) override {
    return Call(&Core::CurrentSensorProblems, result);
  }
  HRESULT STDMETHODCALLTYPE get_EEhardwareProblems(VARIANT_BOOL* result) override {
    return Call(&Core::EEhardwareProblems, result);
  }
  HRESULT STDMETHODCALLTYPE get_EEnotInitialized(VARIANT_BOOL* result) override {
    return Call(&Core::EEnotInitialized, result);
  }
  HRESULT STDMETHODCALLTYPE get_EncoderProblems(VARIANT_BOOL* result) override {
    return Call(&Core::EncoderProblems, result);
  }
  HRESULT STDMETHODCALLTYPE get_LogicPowerBackedUp(VARIANT_BOOL* result) override {
    return Call(&Core::LogicPowerBackedUp, result);
  }
  HRESULT STDMETHODCALLTYPE get_LogicPowerRecoveryFailed(VARIANT_BOOL* result) override {
    return Call(&Core::LogicPowerRecoveryFailed, result);
  }
  HRESULT STDMETHODCALLTYPE get_OverVoltageCurrent(VARIANT_BOOL* result) override {
    return Call(&Core::OverVoltageCurrent, result);
  }
  HRESULT STDMETHODCALLTYPE get_RMSoverload(VARIANT_BOOL* result) override {
    return Call(&Core::RMSoverload, result);
  }
  HRESULT STDMETHODCALLTYPE get_VectorSetupProblems(VARIANT_BOOL* result) override {
    return Call(&Core::VectorSetupProblems, result);
  }
  HRESULT STDMETHODCALLTYPE get_StepInputProblems(VARIANT_BOOL* result) override {
    return Call(&Core::StepInputProblems, result);
  }
  HRESULT STDMETHODCALLTYPE get_Thermal(VARIANT_BOOL* result) override {
    return Call(&Core::Thermal, result);
  }
  HRESULT STDMETHODCALLTYPE get_Tracking(VARIANT_BOOL* result) override {
    return Call(&Core::Tracking, result);
  }
  HRESULT STDMETHODCALLTYPE get_IsShutdown(VARIANT_BOOL* result) override {
    return Call(&Core::IsShutdown, result);
  }
  HRESULT STDMETHODCALLTYPE Refresh() override { return Call(&Core::Refresh); }
  HRESULT STDMETHODCALLTYPE ErrorListStr(BSTR* result) override {
    return Call(&Core::ErrorListStr, result);
  }

  struct Relay : EventRelay<ErrorCodeObjSkin, ErrorCodeObjEvents, kErrorCodeObjEventIds> {
    using EventRelay::EventRelay;
    void Changed() override { Fire(Id("Changed")); }
    void Refresh() override { Fire(Id("Refresh")); }
    void InitializeCache(double& initialValue, bool& processed) override {
      Fire(Id("InitializeCache"), initialValue, processed);
    }
  };
};
const Registered<ErrorCodeObjSkin> kRegistered;

}  // namespace
}  // namespace zentnet::com

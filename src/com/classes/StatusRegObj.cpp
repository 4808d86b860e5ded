// The status register as clients see it; ConfigReg is the configuration decoder BitStr asks
// for the motor's kind.

#include "../skin/dual.h"
#include "zentnet/registers/StatusRegObj.h"

namespace zentnet::com {
namespace {

class StatusRegObjSkin final
    : public Dual<StatusRegObjSkin, _StatusRegObj, StatusRegObj, StatusRegObjEvents> {
 public:
  static constexpr std::string_view kName = "StatusRegObj";
  using Dual::Dual;

  HRESULT STDMETHODCALLTYPE get_StatusImplemented(::StatusRegMasks* result) override {
    return Call(&Core::StatusImplemented, result);
  }
  HRESULT STDMETHODCALLTYPE put_StatusImplemented(::StatusRegMasks value) override {
    return Call(&Core::SetStatusImplemented, value);
  }
  HRESULT STDMETHODCALLTYPE get_ConfigReg(_ConfigRegObj** result) override {
    return Call(&Core::ConfigReg, result);
  }
  HRESULT STDMETHODCALLTYPE put_ConfigReg(VARIANT value) override {
    return Call(&Core::SetConfigReg, value);
  }
  HRESULT STDMETHODCALLTYPE putref_ConfigReg(_ConfigRegObj* value) override {
    return Call(&Core::SetConfigReg, value);
  }
  HRESULT STDMETHODCALLTYPE get_AllSystemsGo(VARIANT_BOOL* result) override {
    return Call(&Core::AllSystemsGo, result);
  }
  HRESULT STDMETHODCALLTYPE get_HighLevelFeedback(VARIANT_BOOL* result) override {
    return Call(&Core::HighLevelFeedback, result);
  }
  HRESULT STDMETHODCALLTYPE get_AmpDisable(VARIANT_BOOL* result) override {
    return Call(&Core::AmpDisable, result);
  }
  HRESULT STDMETHODCALLTYPE get_BitStr(LONG* bitNum, BSTR* result) override {
    return Call(&Core::BitStr, bitNum, result);
  }
  HRESULT STDMETHODCALLTYPE get_EncoderError(VARIANT_BOOL* result) override {
    return Call(&Core::EncoderError, result);
  }
  HRESULT STDMETHODCALLTYPE get_Hardstopped(VARIANT_BOOL* result) override {
    return Call(&Core::Hardstopped, result);
  }
  HRESULT STDMETHODCALLTYPE get_IVfault(VARIANT_BOOL* result) override {
    return Call(&Core::IVfault, result);
  }
  HRESULT STDMETHODCALLTYPE get_LockLevel(::LockLevels* result) override {
    return Call(&Core::LockLevel, result);
  }
  HRESULT STDMETHODCALLTYPE get_LogicPowerBackup(VARIANT_BOOL* result) override {
    return Call(&Core::LogicPowerBackup, result);
  }
  HRESULT STDMETHODCALLTYPE get_NegativeLimit(VARIANT_BOOL* result) override {
    return Call(&Core::NegativeLimit, result);
  }
  HRESULT STDMETHODCALLTYPE get_NotMoveDone(VARIANT_BOOL* result) override {
    return Call(&Core::NotMoveDone, result);
  }
  HRESULT STDMETHODCALLTYPE get_OutOfPosition(VARIANT_BOOL* result) override {
    return Call(&Core::OutOfPosition, result);
  }
  HRESULT STDMETHODCALLTYPE get_OutputSaturation(VARIANT_BOOL* result) override {
    return Call(&Core::OutputSaturation, result);
  }
  HRESULT STDMETHODCALLTYPE get_OverSpeed(VARIANT_BOOL* result) override {
    return Call(&Core::OverSpeed, result);
  }
  HRESULT STDMETHODCALLTYPE get_OverTemp(VARIANT_BOOL* result) override {
    return Call(&Core::OverTemp, result);
  }
  HRESULT STDMETHODCALLTYPE get_PositiveLimit(VARIANT_BOOL* result) override {
    return Call(&Core::PositiveLimit, result);
  }
  HRESULT STDMETHODCALLTYPE get_PWMsaturation(VARIANT_BOOL* result) override {
    return Call(&Core::PWMsaturation, result);
  }
  HRESULT STDMETHODCALLTYPE get_Register(_ValueObj** result) override {
    return Call(&Core::Register, result);
  }
  HRESULT STDMETHODCALLTYPE get_RMSshutdown(VARIANT_BOOL* result) override {
    return Call(&Core::RMSshutdown, result);
  }
  HRESULT STDMETHODCALLTYPE get_StepInputError(VARIANT_BOOL* result) override {
    return Call(&Core::StepInputError, result);
  }
  HRESULT STDMETHODCALLTYPE get_TempShutdown(VARIANT_BOOL* result) override {
    return Call(&Core::TempShutdown, result);
  }
  HRESULT STDMETHODCALLTYPE get_TorqueMode(VARIANT_BOOL* result) override {
    return Call(&Core::TorqueMode, result);
  }
  HRESULT STDMETHODCALLTYPE get_TrackingShutdown(VARIANT_BOOL* result) override {
    return Call(&Core::TrackingShutdown, result);
  }
  HRESULT STDMETHODCALLTYPE get_VectorSearch(VARIANT_BOOL* result) override {
    return Call(&Core::VectorSearch, result);
  }
  HRESULT STDMETHODCALLTYPE get_LockLevelRef(_LockLevelObj** result) override {
    return Call(&Core::LockLevelRef, result);
  }

  struct Relay : EventRelay<StatusRegObjSkin, StatusRegObjEvents, kStatusRegObjEventIds> {
    using EventRelay::EventRelay;
    void Changed() override { Fire(Id("Changed")); }
    void Refresh() override { Fire(Id("Refresh")); }
    void EnableChanged(bool& newState) override { Fire(Id("EnableChanged"), newState); }
    void LimitHit() override { Fire(Id("LimitHit")); }
    void OverSpeed() override { Fire(Id("OverSpeed")); }
    void Hardstopped() override { Fire(Id("Hardstopped")); }
    void Shutdown() override { Fire(Id("Shutdown")); }
    void LockChanged() override { Fire(Id("LockChanged")); }
    void InitializeCache(double& initialValue, bool& processed) override {
      Fire(Id("InitializeCache"), initialValue, processed);
    }
    void ContentChanged(std::shared_ptr<ValueObj>& statusRef) override {
      Fire(Id("ContentChanged"), statusRef);
    }
  };
};
const Registered<StatusRegObjSkin> kRegistered;

}  // namespace
}  // namespace zentnet::com

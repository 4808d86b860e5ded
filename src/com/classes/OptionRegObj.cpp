// The option register as clients see it.

#include "../skin/dual.h"
#include "zentnet/registers/OptionRegObj.h"

namespace zentnet::com {
namespace {

class OptionRegObjSkin final
    : public Dual<OptionRegObjSkin, _OptionRegObj, OptionRegObj, OptionRegObjEvents> {
 public:
  static constexpr std::string_view kName = "OptionRegObj";
  using Dual::Dual;

  HRESULT STDMETHODCALLTYPE get_CapabilityMask(::OptionRegMasks* result) override {
    return Call(&Core::CapabilityMask, result);
  }
  HRESULT STDMETHODCALLTYPE put_CapabilityMask(::OptionRegMasks value) override {
    return Call(&Core::SetCapabilityMask, value);
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
  HRESULT STDMETHODCALLTYPE put_CaseOption(::OptionCases* value) override {
    return Call(&Core::SetCaseOption, value);
  }
  HRESULT STDMETHODCALLTYPE get_CaseOption(::OptionCases* result) override {
    return Call(&Core::CaseOption, result);
  }
  HRESULT STDMETHODCALLTYPE put_FirmwareType(LONG* value) override {
    return Call(&Core::SetFirmwareType, value);
  }
  HRESULT STDMETHODCALLTYPE get_FirmwareType(LONG* result) override {
    return Call(&Core::FirmwareType, result);
  }
  HRESULT STDMETHODCALLTYPE put_InitialCalibration(VARIANT_BOOL* value) override {
    return Call(&Core::SetInitialCalibration, value);
  }
  HRESULT STDMETHODCALLTYPE get_InitialCalibration(VARIANT_BOOL* result) override {
    return Call(&Core::InitialCalibration, result);
  }
  HRESULT STDMETHODCALLTYPE put_RuntimeCalibration(VARIANT_BOOL* value) override {
    return Call(&Core::SetRuntimeCalibration, value);
  }
  HRESULT STDMETHODCALLTYPE get_RuntimeCalibration(VARIANT_BOOL* result) override {
    return Call(&Core::RuntimeCalibration, result);
  }
  HRESULT STDMETHODCALLTYPE put_VoltageMode(VARIANT_BOOL* value) override {
    return Call(&Core::SetVoltageMode, value);
  }
  HRESULT STDMETHODCALLTYPE get_VoltageMode(VARIANT_BOOL* result) override {
    return Call(&Core::VoltageMode, result);
  }
  HRESULT STDMETHODCALLTYPE get_VoltageModeStr(BSTR* result) override {
    return Call(&Core::VoltageModeStr, result);
  }
  HRESULT STDMETHODCALLTYPE put_Vendor(::OptionVendors* value) override {
    return Call(&Core::SetVendor, value);
  }
  HRESULT STDMETHODCALLTYPE get_Vendor(::OptionVendors* result) override {
    return Call(&Core::Vendor, result);
  }
  HRESULT STDMETHODCALLTYPE get_VendorStr(BSTR* result) override {
    return Call(&Core::VendorStr, result);
  }
  HRESULT STDMETHODCALLTYPE put_WarrantyOptions(::OptionWarranties* value) override {
    return Call(&Core::SetWarrantyOptions, value);
  }
  HRESULT STDMETHODCALLTYPE get_WarrantyOptions(::OptionWarranties* result) override {
    return Call(&Core::WarrantyOptions, result);
  }
  HRESULT STDMETHODCALLTYPE put_AnalogInputFormat(::OptionAnalogInFormats* value) override {
    return Call(&Core::SetAnalogInputFormat, value);
  }
  HRESULT STDMETHODCALLTYPE get_AnalogInputFormat(::OptionAnalogInFormats* result) override {
    return Call(&Core::AnalogInputFormat, result);
  }
  HRESULT STDMETHODCALLTYPE get_AnalogInputFormatStr(BSTR* result) override {
    return Call(&Core::AnalogInputFormatStr, result);
  }
  HRESULT STDMETHODCALLTYPE put_LPBenabled(VARIANT_BOOL value) override {
    return Call(&Core::SetLPBenabled, value);
  }
  HRESULT STDMETHODCALLTYPE get_LPBenabled(VARIANT_BOOL* result) override {
    return Call(&Core::LPBenabled, result);
  }
  HRESULT STDMETHODCALLTYPE get_LPBenabledStr(BSTR* result) override {
    return Call(&Core::LPBenabledStr, result);
  }

  struct Relay : EventRelay<OptionRegObjSkin, OptionRegObjEvents, kOptionRegObjEventIds> {
    using EventRelay::EventRelay;
    void Change() override { Fire(Id("Change")); }
    void FirmwareChanged() override { Fire(Id("FirmwareChanged")); }
    void Refresh(std::shared_ptr<ValueObj>& valRef) override { Fire(Id("Refresh"), valRef); }
    void InitializeCache(double& initialValue, bool& processed) override {
      Fire(Id("InitializeCache"), initialValue, processed);
    }
  };
};
const Registered<OptionRegObjSkin> kRegistered;

}  // namespace
}  // namespace zentnet::com

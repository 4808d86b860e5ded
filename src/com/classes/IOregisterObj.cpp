// The I/O register as clients see it; ValueObjRef is its only way to a value object.

#include "../skin/dual.h"
#include "zentnet/registers/IOregisterObj.h"

namespace zentnet::com {
namespace {

class IOregisterObjSkin final
    : public Dual<IOregisterObjSkin, _IOregisterObj, IOregisterObj, IOregisterObjEvents> {
 public:
  static constexpr std::string_view kName = "IOregisterObj";
  using Dual::Dual;

  HRESULT STDMETHODCALLTYPE Refresh() override { return Call(&Core::Refresh); }
  HRESULT STDMETHODCALLTYPE get_AmpEnable(VARIANT_BOOL* result) override {
    return Call(&Core::AmpEnable, result);
  }
  HRESULT STDMETHODCALLTYPE get_EnableIn(VARIANT_BOOL* result) override {
    return Call(&Core::EnableIn, result);
  }
  HRESULT STDMETHODCALLTYPE get_FaultIn(VARIANT_BOOL* result) override {
    return Call(&Core::FaultIn, result);
  }
  HRESULT STDMETHODCALLTYPE get_ModeIn(VARIANT_BOOL* result) override {
    return Call(&Core::ModeIn, result);
  }
  HRESULT STDMETHODCALLTYPE get_NegativeLimit(VARIANT_BOOL* result) override {
    return Call(&Core::NegativeLimit, result);
  }
  HRESULT STDMETHODCALLTYPE get_PositiveLimit(VARIANT_BOOL* result) override {
    return Call(&Core::PositiveLimit, result);
  }
  HRESULT STDMETHODCALLTYPE get_ShutdownLineOut(VARIANT_BOOL* result) override {
    return Call(&Core::ShutdownLineOut, result);
  }
  HRESULT STDMETHODCALLTYPE get_ThermalFaultIn(VARIANT_BOOL* result) override {
    return Call(&Core::ThermalFaultIn, result);
  }
  HRESULT STDMETHODCALLTYPE get_CommutationCode(LONG* result) override {
    return Call(&Core::CommutationCode, result);
  }
  HRESULT STDMETHODCALLTYPE putref_ValueObjRef(_ValueObj** value) override {
    return Call(&Core::SetValueObjRef, value);
  }
  HRESULT STDMETHODCALLTYPE get_Bits(::IOregMasks* result) override {
    return Call(&Core::Bits, result);
  }
  HRESULT STDMETHODCALLTYPE BitNames(BSTR* bits, BSTR* result) override {
    return Call(&Core::BitNames, bits, result);
  }
  HRESULT STDMETHODCALLTYPE get_LastCommutationCode(LONG* result) override {
    return Call(&Core::LastCommutationCode, result);
  }

  struct Relay : EventRelay<IOregisterObjSkin, IOregisterObjEvents, kIOregisterObjEventIds> {
    using EventRelay::EventRelay;
    void CommutationChanged(int32_t& thisCode, int32_t& lastCode) override {
      Fire(Id("CommutationChanged"), thisCode, lastCode);
    }
    void Refresh(std::shared_ptr<ValueObj>& newVal) override { Fire(Id("Refresh"), newVal); }
    void InitializeCache(double& initialValue, bool& processed) override {
      Fire(Id("InitializeCache"), initialValue, processed);
    }
  };
};
const Registered<IOregisterObjSkin> kRegistered;

}  // namespace
}  // namespace zentnet::com

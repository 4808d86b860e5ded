#include "../skin/dual.h"
#include "zentnet/services/SoundEventsObj.h"

namespace zentnet::com {
namespace {

class SoundEventsObjSkin final
    : public Dual<SoundEventsObjSkin, _SoundEventsObj, SoundEventsObj, SoundEventsObjEvents> {
 public:
  static constexpr std::string_view kName = "SoundEventsObj";
  using Dual::Dual;

  HRESULT STDMETHODCALLTYPE put_LimitAssertion(VARIANT_BOOL value) override {
    return Call(&Core::SetLimitAssertion, value);
  }
  HRESULT STDMETHODCALLTYPE get_LimitAssertion(VARIANT_BOOL* result) override {
    return Call(&Core::LimitAssertion, result);
  }
  HRESULT STDMETHODCALLTYPE put_OffOnLine(VARIANT_BOOL value) override {
    return Call(&Core::SetOffOnLine, value);
  }
  HRESULT STDMETHODCALLTYPE get_OffOnLine(VARIANT_BOOL* result) override {
    return Call(&Core::OffOnLine, result);
  }
  HRESULT STDMETHODCALLTYPE put_Shutdown(VARIANT_BOOL value) override {
    return Call(&Core::SetShutdown, value);
  }
  HRESULT STDMETHODCALLTYPE get_Shutdown(VARIANT_BOOL* result) override {
    return Call(&Core::Shutdown, result);
  }
  HRESULT STDMETHODCALLTYPE put_TorqueSaturation(VARIANT_BOOL value) override {
    return Call(&Core::SetTorqueSaturation, value);
  }
  HRESULT STDMETHODCALLTYPE get_TorqueSaturation(VARIANT_BOOL* result) override {
    return Call(&Core::TorqueSaturation, result);
  }
  HRESULT STDMETHODCALLTYPE put_VoltageSaturation(VARIANT_BOOL value) override {
    return Call(&Core::SetVoltageSaturation, value);
  }
  HRESULT STDMETHODCALLTYPE get_VoltageSaturation(VARIANT_BOOL* result) override {
    return Call(&Core::VoltageSaturation, result);
  }
  HRESULT STDMETHODCALLTYPE put_Bits(::SoundEvents* value) override {
    return Call(&Core::SetBits, value);
  }
  HRESULT STDMETHODCALLTYPE get_Bits(::SoundEvents* result) override {
    return Call(&Core::Bits, result);
  }
  HRESULT STDMETHODCALLTYPE RestoreAll() override { return Call(&Core::RestoreAll); }
  HRESULT STDMETHODCALLTYPE put_Control(VARIANT_BOOL value) override {
    return Call(&Core::SetControl, value);
  }
  HRESULT STDMETHODCALLTYPE get_Control(VARIANT_BOOL* result) override {
    return Call(&Core::Control, result);
  }

  struct Relay : EventRelay<SoundEventsObjSkin, SoundEventsObjEvents, kSoundEventsObjEventIds> {
    using EventRelay::EventRelay;
    void Changed() override { Fire(Id("Changed")); }
    void ControlChanged() override { Fire(Id("ControlChanged")); }
  };
};
const Registered<SoundEventsObjSkin> kRegistered;

}  // namespace
}  // namespace zentnet::com

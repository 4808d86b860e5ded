#include "../skin/dual.h"
#include "zentnet/services/HotKeyObj.h"

namespace zentnet::com {
namespace {

class HotKeyObjSkin final : public Dual<HotKeyObjSkin, _HotKeyObj, HotKeyObj, HotKeyObjEvents> {
 public:
  static constexpr std::string_view kName = "HotKeyObj";
  using Dual::Dual;

  HRESULT STDMETHODCALLTYPE get_KeyCode(LONG* result) override {
    return Call(&Core::KeyCode, result);
  }
  HRESULT STDMETHODCALLTYPE put_KeyCode(LONG value) override {
    return Call(&Core::SetKeyCode, value);
  }
  HRESULT STDMETHODCALLTYPE get_ShiftCodes(LONG* result) override {
    return Call(&Core::ShiftCodes, result);
  }
  HRESULT STDMETHODCALLTYPE put_ShiftCodes(LONG value) override {
    return Call(&Core::SetShiftCodes, value);
  }
  HRESULT STDMETHODCALLTYPE FireHit() override { return Call(&Core::FireHit); }
  HRESULT STDMETHODCALLTYPE get_KeyName(BSTR* result) override {
    return Call(&Core::KeyName, result);
  }
  HRESULT STDMETHODCALLTYPE get_Key(LONG* result) override { return Call(&Core::Key, result); }
  HRESULT STDMETHODCALLTYPE FireHitUp() override { return Call(&Core::FireHitUp); }
  // Any object will do as the form: a script's own one is read late-bound for its hWnd.
  HRESULT STDMETHODCALLTYPE putref_FormRef(IDispatch* value) override {
    return Call(&Core::SetFormRef, value);
  }
  HRESULT STDMETHODCALLTYPE get_FormRef(IDispatch** result) override {
    return Call(&Core::FormRef, result);
  }

  struct Relay : EventRelay<HotKeyObjSkin, HotKeyObjEvents, kHotKeyObjEventIds> {
    using EventRelay::EventRelay;
    void Hit() override { Fire(Id("Hit")); }
    void HitUp() override { Fire(Id("HitUp")); }
  };
};
const Registered<HotKeyObjSkin> kRegistered;

}  // namespace
}  // namespace zentnet::com

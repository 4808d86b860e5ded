#include "../skin/dual.h"
#include "zentnet/services/ErrReflector.h"

namespace zentnet::com {
namespace {

class ErrReflectorSkin final : public Dual<ErrReflectorSkin, _ErrReflector, ErrReflector> {
 public:
  static constexpr std::string_view kName = "ErrReflector";
  using Dual::Dual;

  // The script runtime's error object arrives as a foreign object, read by name.
  HRESULT STDMETHODCALLTYPE put_CopyError(IDispatch** theErr) override {
    return Call([](Core& c, const std::shared_ptr<Object>& e) { c.SetCopyError(e); }, theErr);
  }
  HRESULT STDMETHODCALLTYPE Raise() override { return Call(&Core::Raise); }
  HRESULT STDMETHODCALLTYPE get_Description(BSTR* result) override {
    return Call(&Core::Description, result);
  }
  HRESULT STDMETHODCALLTYPE get_Number(LONG* result) override {
    return Call(&Core::Number, result);
  }
  HRESULT STDMETHODCALLTYPE get_Source(BSTR* result) override {
    return Call(&Core::Source, result);
  }
  HRESULT STDMETHODCALLTYPE get_HelpContext(LONG* result) override {
    return Call(&Core::HelpContext, result);
  }
  HRESULT STDMETHODCALLTYPE get_HelpFile(BSTR* result) override {
    return Call(&Core::HelpFile, result);
  }
};
const Registered<ErrReflectorSkin> kRegistered;

}  // namespace
}  // namespace zentnet::com

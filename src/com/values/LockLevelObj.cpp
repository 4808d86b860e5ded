#include "../skin/dual.h"
#include "library.h"
#include "zentnet/values/values.h"

namespace zentnet::com {
namespace {

class LockLevelObjSkin final
    : public Dual<LockLevelObjSkin, _LockLevelObj, BasicLockLevelObj, LockLevelObjEvents> {
 public:
  static constexpr std::string_view kName = "LockLevelObj";
  using Dual::Dual;

  HRESULT STDMETHODCALLTYPE get_Level(::LockLevels* result) override {
    return Call(&Core::Level, result);
  }
  HRESULT STDMETHODCALLTYPE put_Level(::LockLevels* value) override {
    return Call(Pick<LockLevels&>(&Core::SetLevel), value);
  }

  struct Relay : EventRelay<LockLevelObjSkin, LockLevelObjEvents, values::kLockLevelObjEventIds> {
    using EventRelay::EventRelay;
    void Changed() override { Fire(Id("Changed")); }
  };
};
const Registered<LockLevelObjSkin> kLockLevelRegistered;

}  // namespace
}  // namespace zentnet::com

#include <map>

#include "../skin/dual.h"
#include "library.h"
#include "zentnet/values/values.h"

namespace zentnet::com {
namespace {

// The core's number is a part of its value, not an object of its own: the COM object of a
// number stands for this handle. One handle per number while it lives, so that the same
// number yields the same COM object (v.Number Is v.Number).
class NumberHandle final : public Object {
 public:
  explicit NumberHandle(std::shared_ptr<ValueNumberObj> number) : number_(std::move(number)) {}
  ~NumberHandle() override {
    AcquireSRWLockExclusive(&lock_);
    // Unless a new handle took the number's place meanwhile.
    const auto found = Handles().find(number_.get());
    if (found != Handles().end() && found->second.expired()) Handles().erase(found);
    ReleaseSRWLockExclusive(&lock_);
  }

  static std::shared_ptr<NumberHandle> Of(std::shared_ptr<ValueNumberObj> number) {
    AcquireSRWLockExclusive(&lock_);
    std::shared_ptr<NumberHandle> handle = Handles()[number.get()].lock();
    if (!handle) {
      handle = std::make_shared<NumberHandle>(std::move(number));
      Handles()[handle->number_.get()] = handle;
    }
    ReleaseSRWLockExclusive(&lock_);
    return handle;
  }

  // Core members are called on the number through this (std::invoke dereferences it).
  ValueNumberObj& operator*() const { return *number_; }
  std::string_view ClassName() const override { return "ValueNumberObj"; }

 private:
  // Never destroyed: a handle may outlive static destruction in a client that leaks.
  static std::map<const ValueNumberObj*, std::weak_ptr<NumberHandle>>& Handles() {
    static auto* handles = new std::map<const ValueNumberObj*, std::weak_ptr<NumberHandle>>;
    return *handles;
  }
  static inline SRWLOCK lock_ = SRWLOCK_INIT;
  std::shared_ptr<ValueNumberObj> number_;
};

class ValueNumberObjSkin final : public Dual<ValueNumberObjSkin, _ValueNumberObj, NumberHandle> {
  using N = ValueNumberObj;

 public:
  static constexpr std::string_view kName = "ValueNumberObj";
  using Dual::Dual;
  // A number of its own: the request number of a value nobody else holds, which notifies
  // nobody when written.
  static std::shared_ptr<NumberHandle> CreateCore() {
    return NumberHandle::Of(BasicValueObj::create()->RequestNumber());
  }

  HRESULT STDMETHODCALLTYPE get_Value(DOUBLE* result) override { return Call(&N::Value, result); }
  HRESULT STDMETHODCALLTYPE put_Value(DOUBLE value) override { return Call(&N::SetValue, value); }
  HRESULT STDMETHODCALLTYPE get_PreviousValue(DOUBLE* result) override {
    return Call(&N::PreviousValue, result);
  }
  HRESULT STDMETHODCALLTYPE get_LowerBoundA(DOUBLE* result) override {
    return Call(&N::LowerBoundA, result);
  }
  HRESULT STDMETHODCALLTYPE put_LowerBoundA(DOUBLE value) override {
    return Call(&N::SetLowerBoundA, value);
  }
  HRESULT STDMETHODCALLTYPE get_UpperBoundA(DOUBLE* result) override {
    return Call(&N::UpperBoundA, result);
  }
  HRESULT STDMETHODCALLTYPE put_UpperBoundA(DOUBLE value) override {
    return Call(&N::SetUpperBoundA, value);
  }
  HRESULT STDMETHODCALLTYPE get_LowerBoundB(DOUBLE* result) override {
    return Call(&N::LowerBoundB, result);
  }
  HRESULT STDMETHODCALLTYPE put_LowerBoundB(DOUBLE value) override {
    return Call(&N::SetLowerBoundB, value);
  }
  HRESULT STDMETHODCALLTYPE get_UpperBoundB(DOUBLE* result) override {
    return Call(&N::UpperBoundB, result);
  }
  HRESULT STDMETHODCALLTYPE put_UpperBoundB(DOUBLE value) override {
    return Call(&N::SetUpperBoundB, value);
  }
  HRESULT STDMETHODCALLTYPE get_DefaultValue(DOUBLE* result) override {
    return Call(&N::DefaultValue, result);
  }
  HRESULT STDMETHODCALLTYPE put_DefaultValue(DOUBLE value) override {
    return Call(&N::SetDefaultValue, value);
  }
  HRESULT STDMETHODCALLTYPE get_SetupH(LONG* result) override { return Call(&N::SetupH, result); }
  HRESULT STDMETHODCALLTYPE put_SetupH(LONG value) override { return Call(&N::SetSetupH, value); }
  HRESULT STDMETHODCALLTYPE get_SetupI(LONG* result) override { return Call(&N::SetupI, result); }
  HRESULT STDMETHODCALLTYPE put_SetupI(LONG value) override { return Call(&N::SetSetupI, value); }
  HRESULT STDMETHODCALLTYPE get_SetupJ(LONG* result) override { return Call(&N::SetupJ, result); }
  HRESULT STDMETHODCALLTYPE put_SetupJ(LONG value) override { return Call(&N::SetSetupJ, value); }
  HRESULT STDMETHODCALLTYPE get_SetupK(LONG* result) override { return Call(&N::SetupK, result); }
  HRESULT STDMETHODCALLTYPE put_SetupK(LONG value) override { return Call(&N::SetSetupK, value); }
  HRESULT STDMETHODCALLTYPE get_Format(BSTR* result) override { return Call(&N::Format, result); }
  HRESULT STDMETHODCALLTYPE put_Format(BSTR value) override { return Call(&N::SetFormat, value); }
  HRESULT STDMETHODCALLTYPE get_Label(BSTR* result) override { return Call(&N::Label, result); }
  HRESULT STDMETHODCALLTYPE put_Label(BSTR value) override { return Call(&N::SetLabel, value); }
  HRESULT STDMETHODCALLTYPE get_InitialValue(DOUBLE* result) override {
    return Call(&N::InitialValue, result);
  }
  HRESULT STDMETHODCALLTYPE put_InitialValue(DOUBLE value) override {
    return Call(&N::SetInitialValue, value);
  }
  HRESULT STDMETHODCALLTYPE get_Scale(DOUBLE* result) override { return Call(&N::Scale, result); }
  HRESULT STDMETHODCALLTYPE put_Scale(DOUBLE value) override { return Call(&N::SetScale, value); }
};
const Registered<ValueNumberObjSkin> kNumberRegistered;

class ValueObjSkin final : public Dual<ValueObjSkin, _ValueObj, BasicValueObj, ValueObjEvents>,
                           public INumberValue {
 public:
  static constexpr std::string_view kName = "ValueObj";
  using Dual::Dual;

  // One object, one count: the private read shares the published interfaces' IUnknown.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (ppv == nullptr || !IsEqualIID(riid, IID_INumberValue))
      return Dual::QueryInterface(riid, ppv);
    *ppv = static_cast<INumberValue*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return Dual::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return Dual::Release(); }
  HRESULT STDMETHODCALLTYPE NumberValue(DOUBLE* result) override {
    return Call(&Core::NumberValue, result);
  }

  HRESULT STDMETHODCALLTYPE get_Number(_ValueNumberObj** result) override {
    return Call([](Core& c) { return NumberHandle::Of(c.Number()); }, result);
  }
  HRESULT STDMETHODCALLTYPE Refresh() override { return Call(&Core::Refresh); }
  HRESULT STDMETHODCALLTYPE get_Name(BSTR* result) override { return Call(&Core::Name, result); }
  HRESULT STDMETHODCALLTYPE put_Name(BSTR value) override { return Call(&Core::SetName, value); }
  HRESULT STDMETHODCALLTYPE get_ParamNum(LONG* result) override {
    return Call(&Core::ParamNum, result);
  }
  HRESULT STDMETHODCALLTYPE put_ParamNum(LONG value) override {
    return Call(&Core::SetParamNum, value);
  }
  HRESULT STDMETHODCALLTYPE get_SetupA(LONG* result) override {
    return Call(&Core::SetupA, result);
  }
  HRESULT STDMETHODCALLTYPE put_SetupA(LONG* value) override {
    return Call(&Core::SetSetupA, value);
  }
  HRESULT STDMETHODCALLTYPE get_SetupB(LONG* result) override {
    return Call(&Core::SetupB, result);
  }
  HRESULT STDMETHODCALLTYPE put_SetupB(LONG value) override {
    return Call(&Core::SetSetupB, value);
  }
  HRESULT STDMETHODCALLTYPE get_SetupC(LONG* result) override {
    return Call(&Core::SetupC, result);
  }
  HRESULT STDMETHODCALLTYPE put_SetupC(LONG* value) override {
    return Call(&Core::SetSetupC, value);
  }
  HRESULT STDMETHODCALLTYPE get_SetupD(LONG* result) override {
    return Call(&Core::SetupD, result);
  }
  HRESULT STDMETHODCALLTYPE put_SetupD(LONG value) override {
    return Call(&Core::SetSetupD, value);
  }
  HRESULT STDMETHODCALLTYPE get_SetupE(LONG* result) override {
    return Call(&Core::SetupE, result);
  }
  HRESULT STDMETHODCALLTYPE put_SetupE(LONG* value) override {
    return Call(&Core::SetSetupE, value);
  }
  HRESULT STDMETHODCALLTYPE get_SetupF(LONG* result) override {
    return Call(&Core::SetupF, result);
  }
  HRESULT STDMETHODCALLTYPE put_SetupF(LONG* value) override {
    return Call(&Core::SetSetupF, value);
  }
  HRESULT STDMETHODCALLTYPE get_SetupG(LONG* result) override {
    return Call(&Core::SetupG, result);
  }
  HRESULT STDMETHODCALLTYPE put_SetupG(LONG* value) override {
    return Call(&Core::SetSetupG, value);
  }
  HRESULT STDMETHODCALLTYPE get_RequestNumber(_ValueNumberObj** result) override {
    return Call([](Core& c) { return NumberHandle::Of(c.RequestNumber()); }, result);
  }
  HRESULT STDMETHODCALLTYPE get_EditLock(LONG* result) override {
    return Call(&Core::EditLock, result);
  }
  HRESULT STDMETHODCALLTYPE put_EditLock(LONG value) override {
    return Call(&Core::SetEditLock, value);
  }
  HRESULT STDMETHODCALLTYPE CopyContentTo(_ValueObj* dest, VARIANT extra) override {
    return Call(&Core::CopyContentTo, dest, extra);
  }
  HRESULT STDMETHODCALLTYPE get_ShortName(BSTR* result) override {
    return Call(&Core::ShortName, result);
  }
  HRESULT STDMETHODCALLTYPE put_ShortName(BSTR* value) override {
    return Call(&Core::SetShortName, value);
  }
  HRESULT STDMETHODCALLTYPE ApplySetup() override { return Call(&Core::ApplySetup); }

  struct Relay : EventRelay<ValueObjSkin, ValueObjEvents, values::kValueObjEventIds> {
    using EventRelay::EventRelay;
    void Changed(std::shared_ptr<ValueObj>& newVal) override { Fire(Id("Changed"), newVal); }
    void ValueChanged(std::shared_ptr<ValueObj>& newVal) override {
      Fire(Id("ValueChanged"), newVal);
    }
    void ContentChanged(std::shared_ptr<ValueObj>& newVal) override {
      Fire(Id("ContentChanged"), newVal);
    }
    void Refresh(std::shared_ptr<ValueObj>& newVal) override { Fire(Id("Refresh"), newVal); }
    void InitializeCache(double& initialValue, bool& processed) override {
      Fire(Id("InitializeCache"), initialValue, processed);
    }
  };
};
const Registered<ValueObjSkin> kValueRegistered;

}  // namespace
}  // namespace zentnet::com

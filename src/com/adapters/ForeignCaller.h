#pragma once
// The core's view of a client's own object that implements one of the library's published
// dual interfaces (a drive library's drive, an application's root object). Members are
// called through that interface's vtable when the object has it, described by our own type
// library; an object that answers only IDispatch (a script's class) is called late-bound by
// name. Either way the callee's error reaches the core as an AutomationError with the
// callee's number, source and description.

#include <string_view>
#include <tuple>
#include <type_traits>

#include "../skin/dual.h"
#include "../skin/enumerator.h"

namespace zentnet::com {

// An argument the callee takes by reference: what it leaves there is written back.
template <class T>
struct InOut {
  T& value;
};
template <class T>
InOut(T&) -> InOut<T>;

class ForeignCaller : public Foreign {
 public:
  ForeignCaller(IDispatch* dispatch, const IID& published);

 protected:
  template <class R, class... A>
  R Get(std::string_view name, A... args) const {
    return Invoke<R>(name, DISPATCH_PROPERTYGET, args...);
  }
  template <class V>
  void Let(std::string_view name, V value) const {
    Invoke<void>(name, DISPATCH_PROPERTYPUT, value);
  }
  template <class V>
  void SetRef(std::string_view name, V value) const {
    Invoke<void>(name, DISPATCH_PROPERTYPUTREF, value);
  }
  template <class R = void, class... A>
  R Do(std::string_view name, A... args) const {
    return Invoke<R>(name, DISPATCH_METHOD, args...);
  }

 private:
  template <class A>
  struct ArgOf {
    using type = A;
    static ByVal<A> From(A& a) { return {a}; }
  };
  template <class T>
  struct ArgOf<InOut<T>> {
    using type = T;
    static T& From(InOut<T>& a) { return a.value; }
  };

  template <class R, class... A>
  R Invoke(std::string_view name, WORD flags, A&... args) const {
    EventArgs<typename ArgOf<A>::type...> bound(ArgOf<A>::From(args)...);
    const DISPPARAMS* params = bound.Bind();
    OwnedVariant result;
    Call(name, flags, params->rgvarg, params->cArgs, &result.v);
    bound.WriteBack();
    if constexpr (!std::is_void_v<R>) return ResultAs<R>(result.v);
  }

  // Calls member `name` with `count` arguments, raising the callee's error.
  void Call(std::string_view name, WORD flags, VARIANT* argv, size_t count, VARIANT* result) const;

  template <class R>
  static R ResultAs(VARIANT& v) {
    if constexpr (std::is_same_v<R, Variant>) {
      return VariantIn(v);
    } else if constexpr (IsSharedPtr<R>::value) {
      // A member that set nothing answers Empty: no object.
      if (V_VT(&v) == VT_EMPTY) return nullptr;
      return In<R>(v);
    } else {
      Coerce(v, VarTypeOf<R>());
      if constexpr (std::is_same_v<R, bool>)
        return In<R>(V_BOOL(&v));
      else if constexpr (std::is_same_v<R, std::string>)
        return In<R>(V_BSTR(&v));
      else if constexpr (std::is_floating_point_v<R>)
        return In<R>(V_R8(&v));
      else
        return In<R>(V_I4(&v));
    }
  }
  // Converts `v` in place; error 13 when it cannot.
  static void Coerce(VARIANT& v, VARTYPE type);

  Ref<IUnknown> early_;  // the published interface, when the object has it
  IID published_;
};

}  // namespace zentnet::com

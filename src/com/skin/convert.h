#pragma once
// The conversion rules between the core's C++ types and their automation forms, each
// written once:
//   bool <-> VARIANT_BOOL (-1 / 0)          int32_t, int16_t, double, enums <-> LONG, SHORT,
//   DOUBLE, enums std::string (UTF-8) <-> BSTR            Variant <-> VARIANT std::shared_ptr<T>
//   <-> interface pointer (through the identity map) std::shared_ptr<T> <- VARIANT holding an
//   object (else error 13) AutomationError <- an error object (read late-bound) a record <-> the
//   type library's record of the same layout (copied byte for byte)
// In<T>(c) makes the core value from a COM argument; Out(v, &c) writes a result into a
// fresh out parameter; Replace(v, &c) overwrites an in/out parameter, freeing what it held.

#include <bit>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include <windows.h>
#include <oaidl.h>

#include "guard.h"
#include "identity.h"
#include "zentnet/automation/error.h"
#include "zentnet/automation/variant.h"

namespace zentnet::com {

std::string ToUtf8(BSTR text);
// A BSTR owned until detached; bad_alloc when it cannot be allocated.
class Bstr {
 public:
  explicit Bstr(std::string_view utf8);
  explicit Bstr(BSTR owned) : b_(owned) {}
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { SysFreeString(b_); }
  BSTR get() const { return b_; }
  BSTR detach() { return std::exchange(b_, nullptr); }

 private:
  BSTR b_;
};

Variant VariantIn(const VARIANT& v);
void VariantOut(const Variant& v, VARIANT* out);
AutomationError ErrorIn(IDispatch* errorObject);
// The object a VARIANT holds (null for Nothing); error 13 when it holds no object.
IUnknown* ObjectIn(const VARIANT& v);

template <class C>
inline constexpr bool kIsInterface =
    std::is_pointer_v<C>&& std::is_base_of_v<IUnknown, std::remove_pointer_t<C>>;

template <class T>
struct IsSharedPtr : std::false_type {};
template <class T>
struct IsSharedPtr<std::shared_ptr<T>> : std::true_type {
  using element = T;
};

template <class T>
inline constexpr bool kIsNumber = (std::is_arithmetic_v<T> ||
                                   std::is_enum_v<T>)&&!std::is_same_v<T, bool>;
template <class T>
inline constexpr bool kIsFloat = std::is_floating_point_v<T>;
// The published records: plain structs that the core and the generated header lay out alike.
template <class T, class C>
inline constexpr bool kIsRecord =
    std::is_class_v<T>&& std::is_class_v<C>&& std::is_trivially_copyable_v<T>&&
        std::is_trivially_copyable_v<C> &&
    sizeof(T) == sizeof(C);

// A VARIANT argument handed to the member as it came, for a member that converts it inside
// its own catch.
struct Unconverted {
  const VARIANT* value;
};

template <class T, class C>
T In(const C& c) {
  if constexpr (std::is_same_v<T, bool>) {
    static_assert(std::is_same_v<C, VARIANT_BOOL>, "a Boolean travels as VARIANT_BOOL");
    return c != VARIANT_FALSE;
  } else if constexpr (kIsNumber<T>) {
    static_assert(kIsNumber<C> && kIsFloat<T> == kIsFloat<C>, "number types differ in kind");
    return static_cast<T>(c);
  } else if constexpr (std::is_same_v<T, std::string>) {
    static_assert(std::is_same_v<C, BSTR>, "a String travels as BSTR");
    return ToUtf8(c);
  } else if constexpr (std::is_same_v<T, Variant>) {
    static_assert(std::is_same_v<C, VARIANT>, "a Variant travels as VARIANT");
    return VariantIn(c);
  } else if constexpr (std::is_same_v<T, Unconverted>) {
    static_assert(std::is_same_v<C, VARIANT>, "only a VARIANT is handed on unconverted");
    return Unconverted{&c};
  } else if constexpr (std::is_same_v<T, AutomationError>) {
    static_assert(std::is_same_v<C, IDispatch*>, "an error object travels as IDispatch");
    return ErrorIn(c);
  } else if constexpr (kIsRecord<T, C>) {
    return std::bit_cast<T>(c);
  } else if constexpr (IsSharedPtr<T>::value && std::is_same_v<C, VARIANT>) {
    // The undescribed write slot of an object-valued field: a Set when given an object.
    return Unwrap<typename IsSharedPtr<T>::element>(ObjectIn(c));
  } else {
    static_assert(IsSharedPtr<T>::value && kIsInterface<C>, "no conversion rule");
    return Unwrap<typename IsSharedPtr<T>::element>(c);
  }
}

template <class T, class C>
void Out(const T& value, C* out) {
  if constexpr (std::is_same_v<T, bool>) {
    static_assert(std::is_same_v<C, VARIANT_BOOL>, "a Boolean travels as VARIANT_BOOL");
    *out = value ? VARIANT_TRUE : VARIANT_FALSE;
  } else if constexpr (kIsNumber<T>) {
    static_assert(kIsNumber<C> && kIsFloat<T> == kIsFloat<C> && sizeof(C) == sizeof(T),
                  "number types differ");
    *out = static_cast<C>(value);
  } else if constexpr (std::is_same_v<T, std::string>) {
    static_assert(std::is_same_v<C, BSTR>, "a String travels as BSTR");
    *out = Bstr(value).detach();
  } else if constexpr (std::is_same_v<T, Variant>) {
    static_assert(std::is_same_v<C, VARIANT>, "a Variant travels as VARIANT");
    VariantOut(value, out);
  } else if constexpr (kIsRecord<T, C>) {
    *out = std::bit_cast<C>(value);
  } else {
    static_assert(IsSharedPtr<T>::value && kIsInterface<C>, "no conversion rule");
    using Interface = std::remove_pointer_t<C>;
    *out = nullptr;
    if (!value) return;
    *out = WrapObject(value).template As<Interface>(__uuidof(Interface)).detach();
    if (*out == nullptr) err::RaiseTypeMismatch();
  }
}

// Frees what an in/out parameter holds before it is overwritten.
template <class C>
void Free(C& c) {
  if constexpr (std::is_same_v<C, BSTR>) {
    SysFreeString(c);
    c = nullptr;
  } else if constexpr (std::is_same_v<C, VARIANT>) {
    VariantClear(&c);
  } else if constexpr (kIsInterface<C>) {
    if (c) c->Release();
    c = nullptr;
  }
}

template <class T, class C>
void Replace(const T& value, C* inout) {
  // Converted first, so that a failed conversion leaves the caller's variable intact.
  C next{};
  Out(value, &next);
  Free(*inout);
  *inout = next;
}

}  // namespace zentnet::com

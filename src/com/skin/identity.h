#pragma once
// One COM object per core object, and back.
//
// Out: a core object is wrapped by the skin registered for its class; while that COM
// object lives, the same core object yields the same COM object (identity holds for
// clients that compare references). In: a COM object of ours is unwrapped to its core
// object through ICoreObject; anything else is foreign and is adapted by the adapter
// registered for the core type the member expects (a late-bound Object by default).

#include <memory>
#include <span>
#include <string_view>
#include <typeinfo>

#include <windows.h>
#include <oaidl.h>

#include "ref.h"
#include "zentnet/automation/error.h"
#include "zentnet/automation/object.h"
#include "zentnet/automation/variant.h"

namespace zentnet::com {

// Answered by every COM object built on these files: the core object it stands for, and
// the module it lives in. In-process only, never marshalled. Each DLL links its own copy of
// the core, so only an object of this module is ours; another DLL's objects are foreign.
// {2B7E5C14-9A63-4F0D-8E21-C5D74A6B3F80}
inline constexpr IID IID_ICoreObject = {
    0x2b7e5c14, 0x9a63, 0x4f0d, {0x8e, 0x21, 0xc5, 0xd7, 0x4a, 0x6b, 0x3f, 0x80}};
struct ICoreObject : IUnknown {
  virtual std::shared_ptr<Object> STDMETHODCALLTYPE CoreObject() = 0;
  virtual HMODULE STDMETHODCALLTYPE Module() = 0;
};

// Answered by the value objects of our value DLL: the value's number in one call, where the
// published interface first hands out the number as an object of its own, made afresh for
// each read. Decoders read their register on every member, so this is their hot path. In-
// process only, never marshalled; a value object without it is read the published way.
// {1212AFD7-3113-4C33-B289-21CC0835B274}
inline constexpr IID IID_INumberValue = {
    0x1212afd7, 0x3113, 0x4c33, {0xb2, 0x89, 0x21, 0xcc, 0x08, 0x35, 0xb2, 0x74}};
struct INumberValue : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE NumberValue(DOUBLE* result) = 0;
};

// A published class's skin, registered once by the class's skin file.
struct SkinClass {
  std::string_view name;                       // the published class name
  const std::type_info& core;                  // the core class it wraps
  bool (*accepts)(const Object&);              // also wraps classes derived from `core`
  IUnknown* (*wrap)(std::shared_ptr<Object>);  // a new COM object, one reference
  std::shared_ptr<Object> (*create)();         // a new core object; null: not creatable
};
void RegisterSkin(const SkinClass& skin);
// Creatable skins of the library's classes, for the class factories and registration.
const SkinClass* FindCreatable(const CLSID& clsid);
std::span<const SkinClass* const> Skins();

// Identity map maintenance, called by every COM object for its own core object.
void Remember(const Object* core, IUnknown* com);
void Forget(const Object* core);

// The COM object for `core` (the existing one, or a new one); empty for null. A class
// without a skin raises error 429.
Ref<IUnknown> WrapObject(const std::shared_ptr<Object>& core);

// A core object that stands for a client's own COM object: wrapping it out again gives the
// client's object back, and members are reached through its IDispatch.
class Foreign {
 public:
  explicit Foreign(IDispatch* dispatch) : dispatch_(dispatch) {}
  virtual ~Foreign() = default;
  IDispatch* Dispatch() const { return dispatch_.get(); }

  // Late-bound calls by name (`flags` DISPATCH_PROPERTYGET, DISPATCH_METHOD, ...); the
  // callee's error arrives as an AutomationError, an unknown name as error 438.
  Variant InvokeByName(std::string_view name, WORD flags, std::span<const Variant> args = {}) const;
  // The name the object's type information gives its class, or "Object".
  std::string TypeName() const;

 private:
  Ref<IDispatch> dispatch_;
};

// Makes core objects of type `want` from foreign COM objects; registered by the adapter's
// file (PhysDriveObj, NetLib and value objects get theirs the same way as Object).
using Adapter = std::shared_ptr<Object> (*)(IDispatch*);
void RegisterAdapter(const std::type_info& want, Adapter adapter);

// The core object behind `p`: ours (of this module) unwrapped, or a foreign object adapted
// to `want` (the same adapter while it lives, for the same object). Error 13 when neither
// fits.
std::shared_ptr<Object> UnwrapObject(IUnknown* p, const std::type_info& want);

template <class T>
std::shared_ptr<T> Unwrap(IUnknown* p) {
  auto core = std::dynamic_pointer_cast<T>(UnwrapObject(p, typeid(T)));
  if (p != nullptr && !core) err::RaiseTypeMismatch();
  return core;
}

}  // namespace zentnet::com

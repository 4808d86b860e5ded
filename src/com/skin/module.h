#pragma once
// What the whole DLL shares: its module handle, the count of live objects and server locks
// (for DllCanUnloadNow) and the type library loaded from its own resource.

#include <atomic>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>
#include <oaidl.h>

#include "ref.h"
#include "zentnet/contracts/roster.h"

namespace zentnet::com {

HMODULE ThisModule();

// What the DLL publishes: its type library and its classes, registered under the ProgIDs
// "<library name>.<class>" and "<library name>.<class>.1". Each DLL built on these files
// defines ThisLibrary() once.
struct Library {
  TypeLibraryInfo typeLibrary;
  std::span<const ClassInfo> classes;
};
const Library& ThisLibrary();
// The class of ThisLibrary() named exactly `name`, or null.
const ClassInfo* PublishedClass(std::string_view name);
std::wstring ModuleFileName();

// Every COM object of the DLL counts itself alive from construction to destruction.
void ObjectCreated();
void ObjectDestroyed();
void LockModule(bool lock);

// The type library embedded as TYPELIB resource 1, loaded once. Null when it cannot be
// loaded (then IDispatch answers TYPE_E_CANTLOADLIBRARY).
ITypeLib* TypeLibrary();
// The description of `guid` in the type library, or null; for a dual interface `vtable`
// picks its vtable half (what ITypeInfo::Invoke calls through) over its dispatch half.
Ref<ITypeInfo> TypeInfoOf(const GUID& guid, bool vtable);
// The vtable half of `guid` without a lock or a reference once `kept` (a process-long
// slot of the caller's) holds it. The slot is emptied with the type cache when the module
// may unload, which releases what it points to; it is filled again on the next call.
ITypeInfo* KeptVtableInfo(const GUID& guid, std::atomic<ITypeInfo*>& kept);

// A VARIANT that owns its contents.
struct OwnedVariant {
  VARIANT v;
  OwnedVariant() { VariantInit(&v); }
  OwnedVariant(const OwnedVariant& o) : OwnedVariant() {
    VariantCopy(&v, const_cast<VARIANT*>(&o.v));
  }
  OwnedVariant& operator=(const OwnedVariant&) = delete;
  ~OwnedVariant() { VariantClear(&v); }
};

// What Invoke needs to know of one parameter, learnt once from the member's description.
struct ParamFacts {
  VARTYPE pointee = VT_EMPTY;  // a typed by-reference parameter whose argument is copied
  bool integer = false;        // an integer or enumeration, by value or by reference
  bool object = false;         // an interface, by value: `iid`
  IID iid{};
  VARTYPE type = VT_EMPTY;  // by value: the type converted to where objects are passed
  bool optional = false;
  bool hasDefault = false;    // then `fallback` holds it, in the type the parameter takes
  bool defaultByRef = false;  // ... or points to
  VARTYPE defaultType = VT_EMPTY;
  OwnedVariant fallback;
};
// The shape of a member simple enough for Invoke to call its vtable slot itself (see
// byref.cpp): no parameter or one by-value scalar or `VARIANT*` (`arg`, VT_EMPTY for none),
// then an optional retval (`result`, VT_EMPTY for none). `kind` 0: not such a member.
struct DirectShape {
  int kind = 0;  // INVOKE_FUNC, INVOKE_PROPERTYGET or INVOKE_PROPERTYPUT
  VARTYPE arg = VT_EMPTY;
  VARTYPE result = VT_EMPTY;
  SHORT oVft = 0;  // the slot's byte offset in the vtable
};
// ... and of one member called with one kind of flags (see byref.cpp).
struct MemberFacts {
  bool known = false;        // described: else ITypeInfo::Invoke alone answers
  bool countChecked = true;  // more arguments than parameters are refused...
  bool forwards = false;     // ... or handed on to the default member of the result
  bool byRef = false;        // a parameter is by reference
  bool integer = false;      // a parameter is an integer
  bool object = false;       // a parameter is an interface, by value
  UINT takes = 0;            // parameters, the result not counted
  UINT required = 0;         // up to the last one that is not optional
  std::vector<ParamFacts> params;
  DirectShape direct;
};
MemberFacts LearnMember(ITypeInfo* info, const FUNCDESC& fd);
// ITypeInfo::Invoke of member `m`, with its arguments checked, named ones put in place,
// omitted defaults supplied and by-reference variables converted into copies.
HRESULT InvokeMember(ITypeInfo* info, const MemberFacts& m, void* instance, DISPID id, WORD flags,
                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep, UINT* argErr);

// ITypeInfo::Invoke of `info` on `instance` through InvokeMember, with the member's facts
// learnt on its first call.
HRESULT InvokeTyped(ITypeInfo* info, void* instance, DISPID id, WORD flags, DISPPARAMS* params,
                    VARIANT* result, EXCEPINFO* excep, UINT* argErr);

// The dispatch identifiers of one interface's member names, as found before. A script
// engine asks for the same names over and over, and the type library compares every
// member's name the locale's way on each request; names are compared here without regard
// to ASCII case, and a name with other characters is never kept.
class NameCache {
 public:
  bool Find(const OLECHAR* name, DISPID& id) const;
  void Remember(const OLECHAR* name, DISPID id);

 private:
  mutable SRWLOCK lock_ = SRWLOCK_INIT;
  std::map<std::wstring, DISPID, std::less<>> ids_;
};

// An object counted alive for DllCanUnloadNow.
class Counted {
 public:
  Counted() { ObjectCreated(); }
  Counted(const Counted&) = delete;
  Counted& operator=(const Counted&) = delete;
  ~Counted() { ObjectDestroyed(); }
};

IID ParseGuid(std::string_view text);

// Holds `lock` exclusively for the scope.
class Exclusive {
 public:
  explicit Exclusive(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
  ~Exclusive() { ReleaseSRWLockExclusive(&lock_); }
  Exclusive(const Exclusive&) = delete;
  Exclusive& operator=(const Exclusive&) = delete;

 private:
  SRWLOCK& lock_;
};

// Holds `lock` shared for the scope: for reading the caches that are written once per key.
class Shared {
 public:
  explicit Shared(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockShared(&lock_); }
  ~Shared() { ReleaseSRWLockShared(&lock_); }
  Shared(const Shared&) = delete;
  Shared& operator=(const Shared&) = delete;

 private:
  SRWLOCK& lock_;
};

}  // namespace zentnet::com

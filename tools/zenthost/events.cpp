// Events of script-created objects: finding the default source interface and handing
// each event to the script's Sub prefix & EventName.
#include "host.h"

#include <cstring>
#include <vector>

namespace zenthost {
namespace {

class TypeAttr {
 public:
  explicit TypeAttr(ITypeInfo* info) : info_(info) {
    if (FAILED(info->GetTypeAttr(&attr_))) attr_ = nullptr;
  }
  TypeAttr(const TypeAttr&) = delete;
  TypeAttr& operator=(const TypeAttr&) = delete;
  ~TypeAttr() {
    if (attr_) info_->ReleaseTypeAttr(attr_);
  }
  const TYPEATTR* operator->() const { return attr_; }
  explicit operator bool() const { return attr_ != nullptr; }

 private:
  ITypeInfo* info_;
  TYPEATTR* attr_ = nullptr;
};

// The interface a coclass lists with exactly the wanted default/source flags.
Ref<ITypeInfo> ImplementedType(ITypeInfo* coclass, bool source) {
  TypeAttr attr(coclass);
  if (!attr || attr->typekind != TKIND_COCLASS) return {};
  const int wanted = IMPLTYPEFLAG_FDEFAULT | (source ? IMPLTYPEFLAG_FSOURCE : 0);
  for (UINT i = 0; i < attr->cImplTypes; ++i) {
    INT flags = 0;
    if (FAILED(coclass->GetImplTypeFlags(i, &flags))) continue;
    if ((flags & (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE)) != wanted) continue;
    HREFTYPE ref;
    Ref<ITypeInfo> info;
    if (FAILED(coclass->GetRefTypeOfImplType(i, &ref)) ||
        FAILED(coclass->GetRefTypeInfo(ref, info.Put())))
      return {};
    return info;
  }
  return {};
}

GUID GuidOf(ITypeInfo* info) {
  TypeAttr attr(info);
  return attr ? attr->guid : GUID_NULL;
}

// Without IProvideClassInfo: the coclass in the object's own type library whose default
// interface is the object's type.
Ref<ITypeInfo> ClassFromTypeLib(IDispatch* object) {
  Ref<ITypeInfo> own;
  UINT count = 0;
  if (FAILED(object->GetTypeInfoCount(&count)) || count == 0 ||
      FAILED(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, own.Put())) || !own)
    return {};
  GUID ownIid = GuidOf(own.Get());
  Ref<ITypeLib> lib;
  UINT index = 0;
  if (FAILED(own->GetContainingTypeLib(lib.Put(), &index))) return {};
  for (UINT i = 0; i < lib->GetTypeInfoCount(); ++i) {
    TYPEKIND kind;
    Ref<ITypeInfo> cls;
    if (FAILED(lib->GetTypeInfoType(i, &kind)) || kind != TKIND_COCLASS ||
        FAILED(lib->GetTypeInfo(i, cls.Put())))
      continue;
    Ref<ITypeInfo> main = ImplementedType(cls.Get(), false);
    if (main && GuidOf(main.Get()) == ownIid) return cls;
  }
  return {};
}

// Storage size of a value a typed reference points to; 0 for types passed on untouched.
size_t ValueSize(VARTYPE vt) {
  switch (vt) {
    case VT_I1:
    case VT_UI1:
      return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
      return 2;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR:
      return 4;
    case VT_I8:
    case VT_UI8:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
      return 8;
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_UNKNOWN:
      return sizeof(void*);
    default:
      return 0;
  }
}

// An event's arguments as the script gets them. A script engine may take a handler's
// assignment back only through a reference to a VARIANT (Wine's VBScript does; Windows
// takes any typed reference), so a typed reference goes to the script as a reference to a
// VARIANT holding the value, and what the handler leaves there is converted back into the
// source's variable after the call. Everything else is passed on as it came.
class EventArguments {
 public:
  explicit EventArguments(DISPPARAMS* params) : original_(params) {
    UINT n = params ? params->cArgs : 0;
    args_.resize(n);
    values_.resize(n);
    for (UINT i = 0; i < n; ++i) {
      const VARIANT& arg = params->rgvarg[i];
      args_[i] = arg;
      VariantInit(&values_[i]);
      if (!(V_VT(&arg) & VT_BYREF) || ValueSize(V_VT(&arg) & VT_TYPEMASK) == 0 ||
          (V_VT(&arg) & ~(VT_BYREF | VT_TYPEMASK)) != 0 ||
          FAILED(VariantCopyInd(&values_[i], const_cast<VARIANT*>(&arg))))
        continue;
      V_VT(&args_[i]) = VT_BYREF | VT_VARIANT;
      V_VARIANTREF(&args_[i]) = &values_[i];
    }
    params_ = DISPPARAMS{args_.data(), params ? params->rgdispidNamedArgs : nullptr, n,
                         params ? params->cNamedArgs : 0};
  }
  EventArguments(const EventArguments&) = delete;
  EventArguments& operator=(const EventArguments&) = delete;
  ~EventArguments() {
    for (VARIANT& v : values_) VariantClear(&v);
  }

  DISPPARAMS* Params() { return &params_; }

  // Returns the first argument (counted from 1 in script order) whose new value does not
  // convert back to the source's type, or 0.
  UINT WriteBack() {
    UINT bad = 0;
    for (UINT i = 0; i < args_.size(); ++i) {
      if (V_VT(&args_[i]) != (VT_BYREF | VT_VARIANT) || V_VARIANTREF(&args_[i]) != &values_[i])
        continue;
      VARIANT& target = original_->rgvarg[i];
      auto vt = static_cast<VARTYPE>(V_VT(&target) & VT_TYPEMASK);
      Var value;
      if (FAILED(VariantChangeType(&value, &values_[i], 0, vt))) {
        bad = static_cast<UINT>(args_.size()) - i;
        continue;
      }
      void* slot = V_BYREF(&target);
      if (vt == VT_BSTR) SysFreeString(*static_cast<BSTR*>(slot));
      if ((vt == VT_DISPATCH || vt == VT_UNKNOWN) && *static_cast<IUnknown**>(slot))
        (*static_cast<IUnknown**>(slot))->Release();
      // The converted value's ownership moves to the source's variable.
      std::memcpy(slot, &V_UI1(&value), ValueSize(vt));
      V_VT(&value) = VT_EMPTY;
    }
    return bad;
  }

 private:
  DISPPARAMS* original_;
  std::vector<VARIANT> args_;
  std::vector<VARIANT> values_;
  DISPPARAMS params_{};
};

}  // namespace

bool FindDefaultSource(IDispatch* object, Ref<ITypeInfo>& events, IID& iid) {
  Ref<ITypeInfo> cls;
  if (auto provider = Ref<IDispatch>(object).As<IProvideClassInfo>())
    provider->GetClassInfo(cls.Put());
  if (!cls) cls = ClassFromTypeLib(object);
  if (!cls) return false;
  events = ImplementedType(cls.Get(), true);
  if (!events) return false;
  iid = GuidOf(events.Get());
  return iid != GUID_NULL;
}

EventSink::EventSink(Host& host, Ref<ITypeInfo> events, IID iid, std::wstring prefix)
    : host_(&host), events_(std::move(events)), iid_(iid), prefix_(std::move(prefix)) {}

HRESULT EventSink::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT EventSink::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  *info = Ref<ITypeInfo>(events_).Detach();
  return S_OK;
}

HRESULT EventSink::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  return events_->GetIDsOfNames(names, count, ids);
}

HRESULT EventSink::Invoke(DISPID id, REFIID, LCID lcid, WORD, DISPPARAMS* params, VARIANT* result,
                          EXCEPINFO*, UINT*) {
  // The handler may disconnect this sink; the host outlives the call either way.
  Host* host = host_;
  if (!host || host->Quitting()) return S_OK;
  Bstr name;
  UINT found = 0;
  if (FAILED(events_->GetNames(id, name.Put(), 1, &found)) || found == 0)
    return DISP_E_MEMBERNOTFOUND;
  Ref<IDispatch> script = host->ScriptDispatch();
  if (!script) return S_OK;
  std::wstring handler = prefix_ + name.Str();
  LPOLESTR names[] = {handler.data()};
  DISPID target;
  // An event the script has no Sub for is simply not handled.
  if (FAILED(script->GetIDsOfNames(IID_NULL, names, 1, lcid, &target))) return S_OK;
  EventArguments args(params);
  Var ignored;
  EXCEPINFO info{};
  int reported = host->ErrorCount();
  HRESULT hr = script->Invoke(target, IID_NULL, lcid, DISPATCH_METHOD, args.Params(),
                              result ? result : &ignored, &info, nullptr);
  if (FAILED(hr) && hr != static_cast<HRESULT>(SCRIPT_E_REPORTED) && host->ErrorCount() == reported)
    host->HandlerFailed(handler, hr, info);
  if (UINT bad = args.WriteBack())
    host->HandlerFailed(handler, ScriptError(13),
                        L"Type mismatch: argument " + std::to_wstring(bad) + L" of " + handler);
  // An error in a handler ends the script, as an error anywhere else does.
  if (host->ErrorCount() > reported) host->Abort();
  SysFreeString(info.bstrSource);
  SysFreeString(info.bstrDescription);
  SysFreeString(info.bstrHelpFile);
  return S_OK;
}

}  // namespace zenthost

// Events of script-created objects: finding the default source interface and handing
// each event to the script's Sub prefix & EventName.
#include "host.h"

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

HRESULT EventSink::Invoke(DISPID id, REFIID, LCID lcid, WORD, DISPPARAMS* params,
                          VARIANT* result, EXCEPINFO*, UINT*) {
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
  DISPPARAMS none{};
  Var ignored;
  EXCEPINFO info{};
  // The arguments go on as they came, so a by-reference argument the handler assigns is
  // seen by the source.
  int reported = host->ErrorCount();
  HRESULT hr = script->Invoke(target, IID_NULL, lcid, DISPATCH_METHOD, params ? params : &none,
                              result ? result : &ignored, &info, nullptr);
  if (FAILED(hr) && hr != static_cast<HRESULT>(SCRIPT_E_REPORTED) && host->ErrorCount() == reported)
    host->HandlerFailed(handler, hr, info);
  SysFreeString(info.bstrSource);
  SysFreeString(info.bstrDescription);
  SysFreeString(info.bstrHelpFile);
  return S_OK;
}

}  // namespace zenthost

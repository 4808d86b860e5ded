// ZentHostTest.Source: raises two events at every connected sink, so the script host's
// event connections can be tested without the library.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <oleauto.h>

#include <string>
#include <utility>
#include <vector>

namespace {

const CLSID kClsid = {0xe627f4ec, 0x652f, 0x45d5, {0xa0, 0xd9, 0xc9, 0xab, 0x22, 0x4a, 0xa5, 0x9b}};
const IID kEvents = {0xfe5ea7b8, 0xe9c9, 0x4fc1, {0x8b, 0x60, 0xfc, 0x89, 0x54, 0xe4, 0x4f, 0xe7}};
const IID kISource = {0x3f3a3925, 0xf20c, 0x44f7, {0xb8, 0x2a, 0x5d, 0x7d, 0x7d, 0xa0, 0x49, 0x3c}};
const wchar_t kProgId[] = L"ZentHostTest.Source";

HMODULE g_module;
LONG g_objects;

struct ISource : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE Fire(BSTR* result) = 0;
};

std::wstring ModulePath() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(g_module, path, MAX_PATH);
  return std::wstring(path, n);
}

// The type library lies beside the DLL as eventsource.tlb.
HRESULT TypeInfo(const GUID& guid, ITypeInfo** info) {
  std::wstring path = ModulePath();
  path.replace(path.size() - 3, 3, L"tlb");
  ITypeLib* lib = nullptr;
  HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &lib);
  if (FAILED(hr)) return hr;
  hr = lib->GetTypeInfoOfGuid(guid, info);
  lib->Release();
  return hr;
}

class Source;

class Point final : public IConnectionPoint {
 public:
  explicit Point(Source& owner) : owner_(owner) {}
  std::vector<IDispatch*> sinks;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid != IID_IUnknown && iid != IID_IConnectionPoint) {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    *out = this;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
    *iid = kEvents;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** c) override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
    IDispatch* d = nullptr;
    if (FAILED(sink->QueryInterface(kEvents, reinterpret_cast<void**>(&d))))
      return CONNECT_E_CANNOTCONNECT;
    sinks.push_back(d);
    *cookie = static_cast<DWORD>(sinks.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
    if (cookie == 0 || cookie > sinks.size() || !sinks[cookie - 1]) return CONNECT_E_NOCONNECTION;
    std::exchange(sinks[cookie - 1], nullptr)->Release();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

 private:
  Source& owner_;
};

class Source final : public ISource, public IProvideClassInfo, public IConnectionPointContainer {
 public:
  Source() : point_(*this) { InterlockedIncrement(&g_objects); }
  ~Source() {
    for (IDispatch* d : point_.sinks)
      if (d) d->Release();
    if (info_) info_->Release();
    InterlockedDecrement(&g_objects);
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kISource)
      *out = static_cast<ISource*>(this);
    else if (iid == IID_IProvideClassInfo)
      *out = static_cast<IProvideClassInfo*>(this);
    else if (iid == IID_IConnectionPointContainer)
      *out = static_cast<IConnectionPointContainer*>(this);
    else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
    *n = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    HRESULT hr = Info();
    if (SUCCEEDED(hr)) (*info = info_)->AddRef();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT n, LCID,
                                          DISPID* ids) override {
    HRESULT hr = Info();
    return FAILED(hr) ? hr : info_->GetIDsOfNames(names, n, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* excep, UINT* arg) override {
    HRESULT hr = Info();
    return FAILED(hr) ? hr
                      : info_->Invoke(static_cast<ISource*>(this), id, flags, params, result,
                                      excep, arg);
  }

  // Ping(7, "seven"), then Ask(False, "asked", 1) by reference; answers with what each
  // sink left in Ask's arguments.
  HRESULT STDMETHODCALLTYPE Fire(BSTR* result) override {
    std::vector<IDispatch*> sinks;
    for (IDispatch* d : point_.sinks)
      if (d) (sinks.emplace_back(d))->AddRef();
    std::wstring out = L"sinks=" + std::to_wstring(sinks.size());
    for (IDispatch* sink : sinks) {
      VARIANT ping[2];
      V_VT(&ping[1]) = VT_I4;
      V_I4(&ping[1]) = 7;
      V_VT(&ping[0]) = VT_BSTR;
      V_BSTR(&ping[0]) = SysAllocString(L"seven");
      DISPPARAMS p{ping, nullptr, 2, 0};
      sink->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &p, nullptr, nullptr, nullptr);
      VariantClear(&ping[0]);

      VARIANT_BOOL yes = VARIANT_FALSE;
      BSTR text = SysAllocString(L"asked");
      LONG n = 1;
      VARIANT ask[3];
      V_VT(&ask[2]) = VT_BYREF | VT_BOOL;
      V_BOOLREF(&ask[2]) = &yes;
      V_VT(&ask[1]) = VT_BYREF | VT_BSTR;
      V_BSTRREF(&ask[1]) = &text;
      V_VT(&ask[0]) = VT_BYREF | VT_I4;
      V_I4REF(&ask[0]) = &n;
      DISPPARAMS a{ask, nullptr, 3, 0};
      sink->Invoke(2, IID_NULL, 0, DISPATCH_METHOD, &a, nullptr, nullptr, nullptr);
      out += L" yes=" + std::to_wstring(yes) + L" text=" + std::wstring(text ? text : L"") +
             L" n=" + std::to_wstring(n);
      SysFreeString(text);
      sink->Release();
    }
    *result = SysAllocString(out.c_str());
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override {
    return TypeInfo(kClsid, info);
  }

  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** cp) override {
    *cp = nullptr;
    if (iid != kEvents) return CONNECT_E_NOCONNECTION;
    (*cp = &point_)->AddRef();
    return S_OK;
  }

 private:
  HRESULT Info() { return info_ ? S_OK : TypeInfo(kISource, &info_); }

  ULONG refs_ = 1;
  ITypeInfo* info_ = nullptr;
  Point point_;
};

ULONG Point::AddRef() { return owner_.AddRef(); }
ULONG Point::Release() { return owner_.Release(); }
HRESULT Point::GetConnectionPointContainer(IConnectionPointContainer** c) {
  return owner_.QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(c));
}

class Factory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid != IID_IUnknown && iid != IID_IClassFactory) {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    *out = this;
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* s = new Source;
    HRESULT hr = s->QueryInterface(iid, out);
    s->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

Factory g_factory;

bool SetKey(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY h;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h,
                      nullptr) != ERROR_SUCCESS)
    return false;
  LONG r = RegSetValueExW(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(h);
  return r == ERROR_SUCCESS;
}

std::wstring ClsidText() {
  wchar_t text[40];
  StringFromGUID2(kClsid, text, 40);
  return text;
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_module = module;
  return TRUE;
}

HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (clsid != kClsid) return CLASS_E_CLASSNOTAVAILABLE;
  return g_factory.QueryInterface(iid, out);
}

HRESULT WINAPI DllCanUnloadNow() { return g_objects == 0 ? S_OK : S_FALSE; }

HRESULT WINAPI DllRegisterServer() {
  std::wstring key = L"CLSID\\" + ClsidText();
  bool ok = SetKey(key, nullptr, L"Source") &&
            SetKey(key + L"\\InprocServer32", nullptr, ModulePath()) &&
            SetKey(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
            SetKey(key + L"\\ProgID", nullptr, kProgId) &&
            SetKey(std::wstring(kProgId) + L"\\CLSID", nullptr, ClsidText());
  return ok ? S_OK : SELFREG_E_CLASS;
}

HRESULT WINAPI DllUnregisterServer() {
  RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + ClsidText()).c_str());
  RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgId);
  return S_OK;
}

}  // extern "C"

// The WScript object and its Arguments collection.
#include "host.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace zenthost {
namespace {

void SetString(VARIANT& v, const std::wstring& s) {
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = Bstr(s).Detach();
}

void SetObject(VARIANT& v, Ref<IUnknown> object, VARTYPE vt) {
  V_VT(&v) = vt;
  V_UNKNOWN(&v) = object.Detach();
}

class ArgumentEnum : public ComObject<IEnumVARIANT> {
 public:
  ArgumentEnum(std::vector<std::wstring> args, ULONG next) : args_(std::move(args)), next_(next) {}

  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* out, ULONG* fetched) override {
    if (!out) return E_POINTER;
    ULONG n = 0;
    try {
      for (; n < count && next_ < args_.size(); ++n, ++next_) {
        VariantInit(&out[n]);
        SetString(out[n], args_[next_]);
      }
    } catch (const std::bad_alloc&) {
      for (ULONG i = 0; i < n; ++i) VariantClear(&out[i]);
      return E_OUTOFMEMORY;
    }
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    ULONG left = static_cast<ULONG>(args_.size()) - next_;
    next_ += std::min(count, left);
    return count <= left ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    next_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override {
    if (!out) return E_POINTER;
    *out = new (std::nothrow) ArgumentEnum(args_, next_);
    return *out ? S_OK : E_OUTOFMEMORY;
  }

 private:
  std::vector<std::wstring> args_;
  ULONG next_;
};

class ArgumentsObject : public NameTableDispatch {
 public:
  explicit ArgumentsObject(std::vector<std::wstring> args) : args_(std::move(args)) {}

  // Item(i) for `WScript.Arguments(i)`, which reaches the WScript object first.
  static void Item(const std::vector<std::wstring>& args, const Params& p, VARIANT& result) {
    LONG i = p.Long(0, -1);
    if (!p.At(0)) p.Fail(449, L"Argument not optional");
    if (i < 0 || static_cast<size_t>(i) >= args.size()) p.Fail(9, L"Subscript out of range");
    SetString(result, args[static_cast<size_t>(i)]);
  }

 protected:
  std::span<const Member> Members() const override {
    static constexpr std::array<Member, 4> kMembers{{
        {L"Item", DISPID_VALUE},
        {L"Count", 1},
        {L"length", 2},
        {L"_NewEnum", DISPID_NEWENUM},
    }};
    return kMembers;
  }
  std::wstring SourceName() const override { return L"WScript.Arguments"; }

  void Call(DISPID id, WORD, const Params& p, VARIANT& result) override {
    switch (id) {
      case DISPID_VALUE:
        Item(args_, p, result);
        break;
      case 1:
      case 2:
        V_VT(&result) = VT_I4;
        V_I4(&result) = static_cast<LONG>(args_.size());
        break;
      case DISPID_NEWENUM: {
        auto* e = new ArgumentEnum(args_, 0);
        SetObject(result, Ref<IUnknown>::Adopt(e), VT_UNKNOWN);
        break;
      }
    }
  }

 private:
  std::vector<std::wstring> args_;
};

enum : DISPID {
  kEcho = 1,
  kQuit,
  kCreateObject,
  kConnectObject,
  kDisconnectObject,
  kArguments,
  kScriptName,
  kScriptFullName,
  kSleep,
};

class WScriptObject : public NameTableDispatch {
 public:
  explicit WScriptObject(Host& host) : host_(host) {}

 protected:
  std::span<const Member> Members() const override {
    static constexpr std::array<Member, 9> kMembers{{
        {L"Echo", kEcho},
        {L"Quit", kQuit},
        {L"CreateObject", kCreateObject},
        {L"ConnectObject", kConnectObject},
        {L"DisconnectObject", kDisconnectObject},
        {L"Arguments", kArguments},
        {L"ScriptName", kScriptName},
        {L"ScriptFullName", kScriptFullName},
        {L"Sleep", kSleep},
    }};
    return kMembers;
  }
  std::wstring SourceName() const override { return L"WScript"; }

  void Call(DISPID id, WORD, const Params& p, VARIANT& result) override {
    // After Quit the script only runs on where the engine let it catch the abort; nothing
    // it does through WScript has an effect any more.
    if (host_.Quitting()) throw HostError{E_ABORT, {}, {}, true};
    switch (id) {
      case kEcho:
        return Echo(p);
      case kQuit:
        host_.Quit(static_cast<int>(p.Long(0, 0)));
        throw HostError{E_ABORT, {}, {}, true};
      case kCreateObject:
        return CreateObject(p, result);
      case kConnectObject:
        host_.Connect(p.Object(0).Get(), p.String(1));
        return;
      case kDisconnectObject:
        host_.Disconnect(p.Object(0).Get());
        return;
      case kArguments:
        if (p.Count() > 0) return ArgumentsObject::Item(host_.Arguments(), p, result);
        return SetObject(result, Ref<IUnknown>::Adopt(new ArgumentsObject(host_.Arguments())),
                         VT_DISPATCH);
      case kScriptName: {
        const std::wstring& path = host_.Path();
        size_t slash = path.find_last_of(L"\\/:");
        return SetString(result, slash == std::wstring::npos ? path : path.substr(slash + 1));
      }
      case kScriptFullName: {
        std::array<wchar_t, MAX_PATH> full{};
        DWORD n = GetFullPathNameW(host_.Path().c_str(), MAX_PATH, full.data(), nullptr);
        return SetString(result,
                         n > 0 && n < MAX_PATH ? std::wstring(full.data(), n) : host_.Path());
      }
      case kSleep:
        return Sleep(p);
    }
  }

 private:
  void Echo(const Params& p) {
    std::wstring line;
    for (UINT i = 0; i < p.Count(); ++i) {
      if (i > 0) line += L' ';
      const VARIANT* v = p.At(i);
      Var plain;
      if (v) VariantCopyInd(&plain, const_cast<VARIANT*>(v));
      if (!v || V_VT(&plain) == VT_EMPTY) continue;
      if (V_VT(&plain) == VT_NULL) {
        line += host_.IsVBScript() ? L"Null" : L"null";
        continue;
      }
      Var text;
      p.Convert(plain, VT_BSTR, text);
      line.append(V_BSTR(&text), SysStringLen(V_BSTR(&text)));
    }
    host_.Echo(line);
  }

  void CreateObject(const Params& p, VARIANT& result) {
    std::wstring progId = p.String(0);
    CLSID clsid;
    HRESULT hr = CLSIDFromProgID(progId.c_str(), &clsid);
    if (FAILED(hr) && !progId.empty() && progId[0] == L'{')
      hr = CLSIDFromString(progId.c_str(), &clsid);
    if (FAILED(hr)) p.Fail(429, L"Could not locate automation class named \"" + progId + L"\".");
    Ref<IDispatch> object;
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                          object.PutVoid());
    if (FAILED(hr)) {
      std::array<wchar_t, 16> code{};
      swprintf(code.data(), code.size(), L"0x%08lX", static_cast<unsigned long>(hr));
      p.Fail(429,
             L"Could not create an object of class \"" + progId + L"\" (" + code.data() + L").");
    }
    if (p.At(1)) host_.Connect(object.Get(), p.String(1));
    SetObject(result, Ref<IUnknown>(object.Get()), VT_DISPATCH);
  }

  // Waits while still delivering what other apartments and windows send us.
  void Sleep(const Params& p) {
    LONG ms = p.Long(0, 0);
    if (ms < 0) p.Fail(5, L"Invalid procedure call or argument");
    ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
    for (;;) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      ULONGLONG now = GetTickCount64();
      if (now >= end) return;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    }
  }

  Host& host_;
};

}  // namespace

Ref<IDispatch> MakeWScript(Host& host) { return Ref<IDispatch>::Adopt(new WScriptObject(host)); }

}  // namespace zenthost

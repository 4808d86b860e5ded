// zenthost [/include:FILE]... [/checkunload] FILE [ARGS]: runs a VBScript (.vbs) or
// JScript (.js) file through the system's script engine with a WScript object, for the
// automation tests and the demo. Each included file (same language) runs first, in the same
// engine, so the script sees its functions and variables. /checkunload asks, once the
// engine is gone, whether every DLL the objects came from could now be unloaded.
#include "host.h"

#include <psapi.h>
#include <shellapi.h>

#include <array>
#include <cstdio>
#include <cwctype>

namespace zenthost {
namespace {

// Pipes and files get UTF-8 with a bare line feed, which is what the test harness reads;
// a console gets the text through the console's own wide-character call.
void WriteLine(DWORD which, const std::wstring& line) {
  HANDLE h = GetStdHandle(which);
  if (!h || h == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  DWORD mode = 0;
  if (GetConsoleMode(h, &mode)) {
    std::wstring text = line + L"\r\n";
    WriteConsoleW(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
  std::string text = Utf8(line) + "\n";
  WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::wstring Hex(HRESULT hr) {
  std::array<wchar_t, 16> text{};
  swprintf(text.data(), text.size(), L"0x%08lX", static_cast<unsigned long>(hr));
  return text.data();
}

// The system's text for an error an engine reported without a description.
std::wstring SystemMessage(HRESULT hr) {
  LPWSTR text = nullptr;
  DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
  std::wstring message = n > 0 && text ? std::wstring(text, n) : L"Unknown error";
  LocalFree(text);
  while (!message.empty() && std::iswspace(message.back())) message.pop_back();
  return message;
}

[[noreturn]] void Fatal(const std::wstring& what, HRESULT hr) {
  throw HostError{hr, L"zenthost", what + L" (" + Hex(hr) + L")"};
}

// Script files are UTF-8 (with or without a byte-order mark) or UTF-16 with its mark.
std::wstring ReadScript(const std::wstring& path) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) Fatal(L"cannot open " + path, HRESULT_FROM_WIN32(GetLastError()));
  std::string bytes;
  std::array<char, 65536> chunk;
  DWORD got = 0;
  while (ReadFile(f, chunk.data(), static_cast<DWORD>(chunk.size()), &got, nullptr) && got > 0)
    bytes.append(chunk.data(), got);
  CloseHandle(f);
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    std::wstring text((bytes.size() - 2) / 2, L'\0');
    for (size_t i = 0; i < text.size(); ++i)
      text[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                     static_cast<unsigned char>(bytes[3 + 2 * i]) << 8);
    return text;
  }
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3);
  return Wide(bytes);
}

std::wstring Lower(std::wstring s) {
  for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(c));
  return s;
}

class Site : public ComObject<IActiveScriptSite> {
 public:
  Site(Host& host, Ref<IDispatch> wscript) : host_(host), wscript_(std::move(wscript)) {}

  HRESULT STDMETHODCALLTYPE GetLCID(LCID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetItemInfo(LPCOLESTR name, DWORD mask, IUnknown** unknown,
                                        ITypeInfo** info) override {
    if ((mask & SCRIPTINFO_IUNKNOWN) && !unknown) return E_INVALIDARG;
    if ((mask & SCRIPTINFO_ITYPEINFO) && !info) return E_INVALIDARG;
    if (unknown) *unknown = nullptr;
    if (info) *info = nullptr;
    if (!name || CompareStringOrdinal(name, -1, L"WScript", -1, TRUE) != CSTR_EQUAL)
      return TYPE_E_ELEMENTNOTFOUND;
    // The object answers by name; it has no type information to offer.
    if (mask & SCRIPTINFO_IUNKNOWN) *unknown = Ref<IUnknown>(wscript_.Get()).Detach();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDocVersionString(BSTR* version) override {
    if (version) *version = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE OnScriptTerminate(const VARIANT*, const EXCEPINFO*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnStateChange(SCRIPTSTATE) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnScriptError(IActiveScriptError* error) override {
    if (error) host_.ReportError(error);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnEnterScript() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnLeaveScript() override { return S_OK; }

 private:
  Host& host_;
  Ref<IDispatch> wscript_;
};

}  // namespace

Host::Host(std::vector<std::wstring> includes, std::wstring path, std::vector<std::wstring> args)
    : files_(std::move(includes)), path_(std::move(path)), args_(std::move(args)) {
  files_.push_back(path_);
}

Host::~Host() {
  DisconnectAll();
  if (engine_) engine_->Close();
}

void Host::Echo(const std::wstring& line) { WriteLine(STD_OUTPUT_HANDLE, line); }

void Host::Quit(int code) {
  quitCode_ = code;
  Abort();
}

void Host::Abort() {
  quitting_ = true;
  // Where the engine supports it, this ends the script even inside an error handler.
  EXCEPINFO info{};
  info.scode = E_ABORT;
  engine_->InterruptScriptThread(SCRIPTTHREADID_CURRENT, &info, 0);
}

Ref<IDispatch> Host::ScriptDispatch() const {
  Ref<IDispatch> script;
  if (engine_) engine_->GetScriptDispatch(nullptr, script.Put());
  return script;
}

void Host::Connect(IDispatch* object, const std::wstring& prefix) {
  Ref<ITypeInfo> events;
  IID iid;
  if (!FindDefaultSource(object, events, iid))
    throw HostError{ScriptError(5), L"WScript.ConnectObject",
                    L"The object has no default source interface."};
  auto container = Ref<IDispatch>(object).As<IConnectionPointContainer>();
  Connection c{Ref<IDispatch>(object).As<IUnknown>(), {}, 0, {}};
  HRESULT hr = container ? container->FindConnectionPoint(iid, c.point.Put()) : E_NOINTERFACE;
  if (FAILED(hr))
    throw HostError{hr, L"WScript.ConnectObject",
                    L"The object offers no connection point for its events."};
  c.sink = Ref<EventSink>::Adopt(new EventSink(*this, events, iid, prefix));
  hr = c.point->Advise(c.sink.Get(), &c.cookie);
  if (FAILED(hr)) {
    c.sink->Detach();
    throw HostError{hr, L"WScript.ConnectObject", L"The object refused the event connection."};
  }
  connections_.push_back(std::move(c));
}

void Host::Disconnect(IDispatch* object) {
  auto identity = Ref<IDispatch>(object).As<IUnknown>();
  std::vector<Connection> keep;
  std::vector<Connection> drop;
  for (Connection& c : connections_)
    (c.identity.Get() == identity.Get() ? drop : keep).push_back(std::move(c));
  connections_ = std::move(keep);
  for (Connection& c : drop) {
    c.sink->Detach();
    c.point->Unadvise(c.cookie);
  }
}

void Host::DisconnectAll() {
  std::vector<Connection> drop = std::move(connections_);
  connections_.clear();
  for (Connection& c : drop) {
    c.sink->Detach();
    c.point->Unadvise(c.cookie);
  }
}

void Host::ReportError(IActiveScriptError* error) {
  EXCEPINFO info{};
  error->GetExceptionInfo(&info);
  if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
  DWORD context = 0;
  ULONG line = 0;
  LONG column = 0;
  if (SUCCEEDED(error->GetSourcePosition(&context, &line, &column))) {
    ++line;
    ++column;
  }
  Record(context < files_.size() ? files_[context] : path_, line, column, info);
  SysFreeString(info.bstrSource);
  SysFreeString(info.bstrDescription);
  SysFreeString(info.bstrHelpFile);
}

void Host::HandlerFailed(const std::wstring& handler, HRESULT hr, const EXCEPINFO& info) {
  if (hr != DISP_E_EXCEPTION) return HandlerFailed(handler, hr, std::wstring());
  EXCEPINFO filled = info;
  if (filled.pfnDeferredFillIn) filled.pfnDeferredFillIn(&filled);
  Bstr source(handler);
  EXCEPINFO shown = filled;
  if (!shown.bstrSource || !*shown.bstrSource) shown.bstrSource = source.b;
  Record(path_, 0, 0, shown);
  if (filled.bstrSource != info.bstrSource) SysFreeString(filled.bstrSource);
  if (filled.bstrDescription != info.bstrDescription) SysFreeString(filled.bstrDescription);
}

void Host::HandlerFailed(const std::wstring& handler, HRESULT hr, const std::wstring& description) {
  Bstr source(handler);
  Bstr text(description);
  EXCEPINFO info{};
  info.scode = hr;
  info.bstrSource = source.b;
  info.bstrDescription = text.b;
  Record(path_, 0, 0, info);
}

void Host::Record(const std::wstring& file, ULONG line, LONG column, const EXCEPINFO& info) {
  if (quitting_) return;
  ++errors_;
  LONG number;
  if (info.wCode != 0)
    number = info.wCode;
  else if ((static_cast<ULONG>(info.scode) & 0xFFFF0000u) == 0x800A0000u)
    number = info.scode & 0xFFFF;
  else
    number = info.scode;
  std::wstring source = info.bstrSource ? info.bstrSource : L"";
  std::wstring description = info.bstrDescription ? info.bstrDescription : L"";
  if (description.empty()) description = SystemMessage(info.scode);
  WriteLine(STD_ERROR_HANDLE, file + L"(" + std::to_wstring(line) + L", " +
                                  std::to_wstring(column) + L") " + source + L": " + description +
                                  L" (error " + std::to_wstring(number) + L")");
  if (errors_ == 1) {
    errorCode_ = static_cast<int>(number & 0xFFFF);
    if (errorCode_ == 0) errorCode_ = 1;
  }
}

static std::wstring Extension(const std::wstring& path) {
  return Lower(path.substr(std::min(path.size(), path.find_last_of(L'.'))));
}

int Host::Run() {
  std::wstring ext = Extension(path_);
  const wchar_t* language = ext == L".vbs" ? L"VBScript" : ext == L".js" ? L"JScript" : nullptr;
  if (!language) Fatal(L"no script engine for " + path_ + L" (use .vbs or .js)", E_INVALIDARG);
  vbscript_ = ext == L".vbs";
  // Every file is read before an engine starts: a missing one is the host's error.
  std::vector<std::wstring> codes;
  for (const std::wstring& file : files_) {
    if (Extension(file) != ext)
      Fatal(L"cannot include " + file + L" in a " + language + L" script", E_INVALIDARG);
    codes.push_back(ReadScript(file));
  }

  CLSID clsid;
  HRESULT hr = CLSIDFromProgID(language, &clsid);
  if (SUCCEEDED(hr))
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IActiveScript),
                          engine_.PutVoid());
  if (FAILED(hr)) Fatal(std::wstring(L"cannot start the ") + language + L" engine", hr);
  wscript_ = MakeWScript(*this);
  auto site = Ref<IActiveScriptSite>::Adopt(new Site(*this, wscript_));
  auto parse = engine_.As<IActiveScriptParse>();
  if (!parse) Fatal(L"the script engine cannot parse text", E_NOINTERFACE);
  if (FAILED(hr = engine_->SetScriptSite(site.Get()))) Fatal(L"SetScriptSite failed", hr);
  if (FAILED(hr = parse->InitNew())) Fatal(L"InitNew failed", hr);
  if (FAILED(hr = engine_->AddNamedItem(L"WScript", SCRIPTITEM_ISVISIBLE)))
    Fatal(L"AddNamedItem failed", hr);

  // All files are parsed before any runs, so a syntax error anywhere runs nothing.
  for (size_t i = 0; i < codes.size() && SUCCEEDED(hr); ++i) {
    EXCEPINFO info{};
    hr = parse->ParseScriptText(codes[i].c_str(), nullptr, nullptr, nullptr, i, 0,
                                SCRIPTTEXT_ISVISIBLE, nullptr, &info);
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
  }
  if (SUCCEEDED(hr)) hr = engine_->SetScriptState(SCRIPTSTATE_CONNECTED);
  if (FAILED(hr) && errors_ == 0 && !quitting_) Fatal(L"the script did not run", hr);

  DisconnectAll();
  engine_->Close();
  parse.Reset();
  engine_.Reset();
  wscript_.Reset();
  if (errors_ > 0) return errorCode_;
  return quitting_ ? quitCode_ : 0;
}

namespace {

std::wstring ModulePath(HMODULE module) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) return path.substr(0, n);
    path.resize(path.size() * 2);
  }
}

bool StartsWithNoCase(const std::wstring& text, const std::wstring& prefix) {
  return text.size() >= prefix.size() &&
         CompareStringOrdinal(text.c_str(), static_cast<int>(prefix.size()), prefix.c_str(),
                              static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL;
}

int CheckUnload() {
  // Objects may come from WScript.CreateObject or from the engine's own CreateObject, so the
  // servers are found among the loaded modules rather than from the calls the host saw:
  // every DLL outside the Windows folder that exports DllCanUnloadNow.
  std::vector<HMODULE> modules(64);
  for (;;) {
    DWORD bytes = static_cast<DWORD>(modules.size() * sizeof(HMODULE));
    DWORD needed = 0;
    if (!EnumProcessModules(GetCurrentProcess(), modules.data(), bytes, &needed))
      Fatal(L"cannot list the loaded modules", HRESULT_FROM_WIN32(GetLastError()));
    if (needed <= bytes) {
      modules.resize(needed / sizeof(HMODULE));
      break;
    }
    modules.resize(needed / sizeof(HMODULE) + 16);
  }
  std::wstring windows(MAX_PATH, L'\0');
  UINT n = GetWindowsDirectoryW(windows.data(), MAX_PATH);
  if (n == 0 || n >= MAX_PATH)
    Fatal(L"cannot find the Windows folder", HRESULT_FROM_WIN32(GetLastError()));
  windows.resize(n);
  if (windows.back() != L'\\') windows += L'\\';

  using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();
  int busy = 0;
  for (HMODULE module : modules) {
    std::wstring path = ModulePath(module);
    if (path.empty() || StartsWithNoCase(path, windows)) continue;
    auto canUnload = reinterpret_cast<CanUnloadNow>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
    if (!canUnload) continue;
    HRESULT hr = canUnload();
    if (hr == S_OK) continue;
    ++busy;
    WriteLine(STD_ERROR_HANDLE, L"zenthost: " + path.substr(path.find_last_of(L"\\/") + 1) +
                                    L" still holds objects after the script (DllCanUnloadNow " +
                                    (hr == S_FALSE ? std::wstring(L"S_FALSE") : Hex(hr)) + L")");
  }
  return busy;
}

}  // namespace
}  // namespace zenthost

int main() {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  // Options come before the script; everything after it is the script's.
  std::vector<std::wstring> includes;
  bool checkUnload = false;
  int first = 1;
  const std::wstring include = L"/include:";
  for (; argv && first < argc; ++first) {
    std::wstring arg = argv[first];
    if (CompareStringOrdinal(arg.c_str(), -1, L"/checkunload", -1, TRUE) == CSTR_EQUAL) {
      checkUnload = true;
    } else if (arg.size() > include.size() && zenthost::StartsWithNoCase(arg, include)) {
      includes.push_back(arg.substr(include.size()));
    } else {
      break;
    }
  }
  if (!argv || first >= argc) {
    std::fputs(
        "usage: zenthost [/include:FILE]... [/checkunload] FILE.vbs|FILE.js [ARGS...]\n"
        "  each FILE included runs first, in order, in the script's engine\n"
        "  /checkunload: afterwards every DLL that served objects must answer\n"
        "  DllCanUnloadNow with S_OK\n",
        stderr);
    if (argv) LocalFree(argv);
    return 1;
  }
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  std::wstring path = argv[first];
  std::vector<std::wstring> args(argv + first + 1, argv + argc);
  LocalFree(argv);

  HRESULT hr = CoInitialize(nullptr);
  if (FAILED(hr)) {
    std::fprintf(stderr, "zenthost: CoInitialize failed (0x%08lX)\n",
                 static_cast<unsigned long>(hr));
    return 1;
  }
  int rc = 1;
  try {
    {
      zenthost::Host host(std::move(includes), path, std::move(args));
      rc = host.Run();
    }
    // The engine, its objects and the WScript object are all released by now.
    if (checkUnload && zenthost::CheckUnload() > 0 && rc == 0) rc = 1;
  } catch (const zenthost::HostError& e) {
    zenthost::WriteLine(STD_ERROR_HANDLE, e.source + L": " + e.description);
  } catch (const std::bad_alloc&) {
    std::fputs("zenthost: out of memory\n", stderr);
  }
  CoUninitialize();
  return rc;
}

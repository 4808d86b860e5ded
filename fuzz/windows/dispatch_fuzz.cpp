// A seeded random client of the automation DLLs, run under Wine by `scripts/fuzz --windows`:
// it creates an object of every creatable class and calls their members through
// IDispatch::Invoke with random argument counts, named and positional arguments, flags and
// VARIANTs (by reference, arrays, Null, Empty, NaN, other objects, the object itself),
// and connects sinks that write back, re-enter, release objects or disconnect themselves.
// It fails, printing the seed and the call, on a crash, a call that does not return within
// a minute, an HRESULT that Invoke may not answer, or objects left alive at the end of one
// of its five-second rounds.
//
//   dispatch_fuzz SECONDS SEED [--trace] DLL...
//
// The same seed makes the same calls; --trace prints each call before making it, to find
// the one that takes the process down.

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <limits>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <windows.h>
#include <oaidl.h>
#include <ocidl.h>

namespace {

std::mt19937_64 g_rng;
uint64_t g_seed = 0;
bool g_trace = false;
uint64_t g_calls = 0, g_sinkCalls = 0, g_created = 0, g_events = 0;
int g_depth = 0;        // calls in progress: sinks re-enter at most a few deep
bool g_ending = false;  // sinks only listen while everything is released
std::atomic<ULONGLONG> g_progress{0};
char g_call[512] = "(before the first call)";

size_t Below(size_t n) { return n == 0 ? 0 : static_cast<size_t>(g_rng() % n); }
bool Chance(int percent) { return Below(100) < static_cast<uint64_t>(percent); }

[[noreturn]] void Fail(const char* why) {
  std::printf("FAIL: %s\nseed %llu, call %llu: %s\n", why, static_cast<unsigned long long>(g_seed),
              static_cast<unsigned long long>(g_calls), g_call);
  std::fflush(stdout);
  ExitProcess(1);
}

LONG WINAPI Crashed(EXCEPTION_POINTERS* e) {
  char why[64];
  std::snprintf(why, sizeof why, "crash (exception 0x%08lX)",
                static_cast<unsigned long>(e->ExceptionRecord->ExceptionCode));
  // Where it happened, as module and offset (addr2line or nm on the module names the
  // function): on x64 frame by frame, else the faulting instruction alone.
  const auto where = [](uintptr_t pc) {
    HMODULE module = nullptr;
    char name[MAX_PATH] = "?";
    if (GetModuleHandleExA(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCSTR>(pc), &module))
      GetModuleFileNameA(module, name, MAX_PATH);
    std::printf("  at %s+0x%llx\n", name,
                static_cast<unsigned long long>(pc - reinterpret_cast<uintptr_t>(module)));
  };
#ifdef _WIN64
  CONTEXT context = *e->ContextRecord;
  for (int frame = 0; frame < 24 && context.Rip != 0; ++frame) {
    where(context.Rip);
    DWORD64 base = 0;
    RUNTIME_FUNCTION* entry = RtlLookupFunctionEntry(context.Rip, &base, nullptr);
    if (entry == nullptr) break;
    void* handler = nullptr;
    DWORD64 establisher = 0;
    RtlVirtualUnwind(UNW_FLAG_NHANDLER, base, context.Rip, entry, &context, &handler, &establisher,
                     nullptr);
  }
#else
  where(reinterpret_cast<uintptr_t>(e->ExceptionRecord->ExceptionAddress));
#endif
  Fail(why);
}

DWORD WINAPI Watchdog(void*) {
  for (;;) {
    Sleep(1000);
    if (GetTickCount64() - g_progress.load() > 60000)
      Fail("hang: the call has not returned in a minute");
  }
}

std::string Narrow(const wchar_t* w) {
  std::string s;
  for (; w != nullptr && *w != 0; ++w) s += *w < 0x80 ? static_cast<char>(*w) : '?';
  return s;
}

// ---- What the type libraries describe ----------------------------------------------------

struct Member {
  DISPID id;
  WORD kind;   // INVOKE_FUNC, INVOKE_PROPERTYGET, ...
  int params;  // without the result
  int optional;
  std::string name;
  bool objectsOnly;  // every parameter an object (by value or by reference)
};
struct Interface {
  std::string name;
  std::vector<Member> members;
};
std::vector<CLSID> g_classes;
struct GuidLess {
  bool operator()(const GUID& a, const GUID& b) const { return std::memcmp(&a, &b, sizeof a) < 0; }
};
std::map<GUID, Interface, GuidLess> g_interfaces;

const Interface* InterfaceOf(IDispatch* object) {
  ITypeInfo* info = nullptr;
  TYPEATTR* attr = nullptr;
  if (FAILED(object->GetTypeInfo(0, 0, &info)) || info == nullptr) return nullptr;
  if (FAILED(info->GetTypeAttr(&attr))) {
    info->Release();
    return nullptr;
  }
  const GUID guid = attr->guid;
  auto found = g_interfaces.find(guid);
  if (found == g_interfaces.end()) {
    Interface itf;
    BSTR name = nullptr;
    info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
    itf.name = Narrow(name);
    SysFreeString(name);
    for (UINT i = 0; i < attr->cFuncs; ++i) {
      FUNCDESC* f = nullptr;
      if (FAILED(info->GetFuncDesc(i, &f))) continue;
      if (!(f->wFuncFlags & FUNCFLAG_FRESTRICTED)) {
        int params = f->cParams;
        const auto last = [&] { return f->lprgelemdescParam[params - 1].paramdesc.wParamFlags; };
        if (params > 0 && (last() & PARAMFLAG_FRETVAL)) --params;
        BSTR member = nullptr;
        UINT n = 0;
        info->GetNames(f->memid, &member, 1, &n);
        bool objects = params > 0;
        for (int k = 0; k < params; ++k) {
          const TYPEDESC& t = f->lprgelemdescParam[k].tdesc;
          const VARTYPE to = t.vt == VT_PTR ? t.lptdesc->vt : static_cast<VARTYPE>(VT_EMPTY);
          objects = objects && (t.vt == VT_DISPATCH || to == VT_USERDEFINED || to == VT_PTR ||
                                to == VT_DISPATCH);
        }
        itf.members.push_back({f->memid, static_cast<WORD>(f->invkind), params, f->cParamsOpt,
                               Narrow(member), objects});
        SysFreeString(member);
      }
      info->ReleaseFuncDesc(f);
    }
    found = g_interfaces.emplace(guid, std::move(itf)).first;
  }
  info->ReleaseTypeAttr(attr);
  info->Release();
  return &found->second;
}

void LearnClasses(const wchar_t* dll) {
  ITypeLib* library = nullptr;
  if (FAILED(LoadTypeLibEx(dll, REGKIND_NONE, &library))) return;
  for (UINT i = 0; i < library->GetTypeInfoCount(); ++i) {
    ITypeInfo* info = nullptr;
    TYPEATTR* attr = nullptr;
    if (FAILED(library->GetTypeInfo(i, &info))) continue;
    if (SUCCEEDED(info->GetTypeAttr(&attr))) {
      if (attr->typekind == TKIND_COCLASS && (attr->wTypeFlags & TYPEFLAG_FCANCREATE))
        g_classes.push_back(attr->guid);
      info->ReleaseTypeAttr(attr);
    }
    info->Release();
  }
  library->Release();
}

// ---- The objects in play --------------------------------------------------------------------

struct Held {
  IDispatch* object = nullptr;
  const Interface* itf = nullptr;
};
std::vector<Held> g_pool(24);

struct Connection {
  IConnectionPoint* point;
  DWORD cookie;
};
std::vector<Connection> g_connections;

void Put(size_t slot, IDispatch* object) {  // takes the reference
  Held old = g_pool[slot];
  g_pool[slot] = {object, object != nullptr ? InterfaceOf(object) : nullptr};
  if (old.object != nullptr) old.object->Release();  // may raise events, even re-enter
}

void Create(size_t slot) {
  IDispatch* object = nullptr;
  const CLSID& clsid = g_classes[Below(g_classes.size())];
  if (SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                 reinterpret_cast<void**>(&object)))) {
    ++g_created;
    Put(slot, object);
  }
}

IDispatch* AnyObject() { return g_pool[Below(g_pool.size())].object; }

// The objects handed to members: another object may hold them, and they it, in a cycle of
// the client's making (as `Set a.Peer = b : Set b.Peer = a` in a script). They stay alive
// until the round ends, when their object-valued properties are set to Nothing first.
std::vector<IDispatch*> g_kept;
void Keep(IDispatch* object) {
  if (std::find(g_kept.begin(), g_kept.end(), object) != g_kept.end()) return;
  object->AddRef();
  g_kept.push_back(object);
}

void Disconnect(size_t k) {
  const Connection c = g_connections[k];
  g_connections.erase(g_connections.begin() + static_cast<ptrdiff_t>(k));
  c.point->Unadvise(c.cookie);
  c.point->Release();
}

void Step();

// ---- Values -------------------------------------------------------------------------------

class Sink;
Sink* NewSink();

const wchar_t* const kTexts[] = {L"",     L"48",      L"&H30",       L"&O60",  L"4.8E1",
                                 L" 12 ", L"-1",      L"x",          L"1;2;3", L"COM1",
                                 L"True", L"\xD800x", L"2147483648", L"1e400"};

// A random value into `v` (cleared): the kinds a script or a careless client passes.
void RandomValue(VARIANT* v, IDispatch* self) {
  VariantInit(v);
  switch (Below(16)) {
    case 0:
      break;  // Empty
    case 1:
      V_VT(v) = VT_NULL;
      break;
    case 2: {
      static const LONG kLongs[] = {0,   1,   -1,    2,     5,     11,        48,
                                    100, 255, 0x380, 32767, 65535, INT32_MAX, INT32_MIN};
      V_VT(v) = VT_I4;
      V_I4(v) = Chance(70) ? kLongs[Below(std::size(kLongs))] : static_cast<LONG>(g_rng());
      break;
    }
    case 3:
      V_VT(v) = VT_I2, V_I2(v) = static_cast<SHORT>(Below(40) - 5);
      break;
    case 4: {
      static const double kDoubles[] = {std::numeric_limits<double>::quiet_NaN(),
                                        std::numeric_limits<double>::infinity(),
                                        -std::numeric_limits<double>::infinity(),
                                        48.4,
                                        -0.5,
                                        0.5,
                                        1e300,
                                        2147483647.5,
                                        3.0};
      V_VT(v) = VT_R8, V_R8(v) = kDoubles[Below(std::size(kDoubles))];
      break;
    }
    case 5:
    case 6: {
      V_VT(v) = VT_BSTR;
      if (Chance(85)) {
        V_BSTR(v) = SysAllocString(kTexts[Below(std::size(kTexts))]);
      } else {
        const UINT n = static_cast<UINT>(Chance(90) ? Below(40) : 5000);
        V_BSTR(v) = SysAllocStringLen(nullptr, n);
        for (UINT i = 0; i < n; ++i)
          V_BSTR(v)[i] = static_cast<wchar_t>(Chance(80) ? 32 + Below(95) : Below(0x10000));
      }
      break;
    }
    case 7:
      V_VT(v) = VT_BOOL, V_BOOL(v) = Chance(50) ? VARIANT_TRUE : VARIANT_FALSE;
      break;
    case 8:
    case 9: {
      // Another object in play, the object itself, Nothing, or a client's own object.
      IDispatch* d = Chance(30) ? self : Chance(70) ? AnyObject() : nullptr;
      if (d != nullptr) Keep(d);
      if (Chance(10))
        d = reinterpret_cast<IDispatch*>(NewSink());
      else if (d != nullptr)
        d->AddRef();
      V_VT(v) = Chance(90) ? VT_DISPATCH : VT_UNKNOWN, V_DISPATCH(v) = d;
      break;
    }
    case 10:
      V_VT(v) = VT_ERROR, V_ERROR(v) = Chance(80) ? DISP_E_PARAMNOTFOUND : E_FAIL;
      break;
    case 11: {
      const ULONG n = static_cast<ULONG>(Below(4));
      const VARTYPE type = Chance(60) ? VT_VARIANT : Chance(50) ? VT_I4 : VT_BSTR;
      SAFEARRAY* a = SafeArrayCreateVector(type, 0, n);
      for (LONG i = 0; a != nullptr && i < static_cast<LONG>(n); ++i) {
        VARIANT e;
        V_VT(&e) = VT_I4, V_I4(&e) = i + 1;
        if (type == VT_VARIANT)
          SafeArrayPutElement(a, &i, &e);
        else if (type == VT_I4)
          SafeArrayPutElement(a, &i, &V_I4(&e));
        else {
          BSTR b = SysAllocString(L"1");
          SafeArrayPutElement(a, &i, b);
          SysFreeString(b);
        }
      }
      if (a != nullptr) V_VT(v) = static_cast<VARTYPE>(VT_ARRAY | type), V_ARRAY(v) = a;
      break;
    }
    case 12:
      V_VT(v) = VT_UI1, V_UI1(v) = static_cast<BYTE>(g_rng());
      break;
    case 13:
      V_VT(v) = VT_DATE, V_DATE(v) = 45000.25;
      break;
    case 14:
      V_VT(v) = VT_CY, V_CY(v).int64 = static_cast<LONGLONG>(Below(1000000)) - 5000;
      break;
    default:
      V_VT(v) = VT_R4;
      V_R4(v) = Chance(30) ? std::numeric_limits<float>::quiet_NaN() : 2.5f;
      break;
  }
}

// The arguments of one call: the values, and the cells by-reference ones point into.
class Arguments {
 public:
  explicit Arguments(size_t n) : args_(n) {}
  Arguments(const Arguments&) = delete;
  Arguments& operator=(const Arguments&) = delete;
  ~Arguments() {
    for (VARIANT& a : args_)
      if (!(V_VT(&a) & VT_BYREF)) VariantClear(&a);
    for (VARIANT& c : cells_) VariantClear(&c);
  }
  VARIANT* data() { return args_.data(); }
  void Fill(size_t k, IDispatch* self) {
    VARIANT& a = args_[k];
    if (Chance(70)) return RandomValue(&a, self);
    VARIANT& cell = cells_.emplace_back();
    RandomValue(&cell, self);
    // A script's variable, or a compiled client's typed variable where the value has a type
    // that can be pointed to.
    const VARTYPE t = V_VT(&cell);
    if (Chance(70) || t == VT_EMPTY || t == VT_NULL) {
      V_VT(&a) = VT_BYREF | VT_VARIANT, V_VARIANTREF(&a) = &cell;
    } else {
      V_VT(&a) = static_cast<VARTYPE>(VT_BYREF | t), V_BYREF(&a) = &V_UI1(&cell);
      if (t & VT_ARRAY) V_ARRAYREF(&a) = &V_ARRAY(&cell);
    }
  }

 private:
  std::vector<VARIANT> args_;
  std::deque<VARIANT> cells_;  // stable addresses
};

// A listener's write into a by-reference argument of an event.
void WriteInto(VARIANT& arg) {
  const VARTYPE t = V_VT(&arg);
  if (t == (VT_BYREF | VT_VARIANT)) {
    VariantClear(V_VARIANTREF(&arg));
    RandomValue(V_VARIANTREF(&arg), nullptr);
  } else if (t == (VT_BYREF | VT_BSTR)) {
    SysFreeString(*V_BSTRREF(&arg));
    *V_BSTRREF(&arg) = SysAllocString(kTexts[Below(std::size(kTexts))]);
  } else if (t == (VT_BYREF | VT_I4)) {
    *V_I4REF(&arg) = static_cast<LONG>(g_rng());
  } else if (t == (VT_BYREF | VT_I2)) {
    *V_I2REF(&arg) = static_cast<SHORT>(g_rng());
  } else if (t == (VT_BYREF | VT_BOOL)) {
    *V_BOOLREF(&arg) = Chance(50) ? VARIANT_TRUE : VARIANT_FALSE;
  } else if (t == (VT_BYREF | VT_R8)) {
    *V_R8REF(&arg) = Chance(20) ? std::numeric_limits<double>::quiet_NaN() : 12.5;
  } else if (t == (VT_BYREF | VT_DISPATCH)) {
    IDispatch* d = Chance(50) ? AnyObject() : nullptr;
    if (d != nullptr) Keep(d), d->AddRef();
    if (*V_DISPATCHREF(&arg) != nullptr) (*V_DISPATCHREF(&arg))->Release();
    *V_DISPATCHREF(&arg) = d;
  }
}

// ---- Sinks ----------------------------------------------------------------------------------

class Sink final : public IDispatch {
 public:
  IID events = IID_NULL;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    if (riid != IID_IUnknown && riid != IID_IDispatch && riid != events) return E_NOINTERFACE;
    *ppv = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
    return n ? (*n = 0, S_OK) : E_POINTER;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT*,
                                   EXCEPINFO* e, UINT*) override {
    ++g_events;
    if (g_ending) return S_OK;
    AddRef();
    HRESULT hr = S_OK;
    const uint64_t what = Below(100);
    if (what < 20) {
      for (UINT k = 0; p != nullptr && k < p->cArgs; ++k)
        if (Chance(60)) WriteInto(p->rgvarg[k]);
    } else if (what < 40) {
      ++g_sinkCalls;
      Step();  // re-entry, as deep as the depth limit in Step allows
    } else if (what < 48) {
      Put(Below(g_pool.size()), nullptr);  // may be the object raising this event
    } else if (what < 55 && !g_connections.empty()) {
      Disconnect(Below(g_connections.size()));
    } else if (what < 62 && e != nullptr) {
      e->scode = static_cast<SCODE>(0x800A0006);
      e->bstrSource = SysAllocString(L"sink");
      e->bstrDescription = SysAllocString(L"Overflow");
      hr = DISP_E_EXCEPTION;
    } else if (what < 66) {
      hr = DISP_E_MEMBERNOTFOUND;
    }
    Release();
    return hr;
  }

 private:
  ULONG refs_ = 1;
};

Sink* NewSink() { return new Sink; }

void Connect(IDispatch* object) {
  IConnectionPointContainer* container = nullptr;
  if (FAILED(object->QueryInterface(IID_IConnectionPointContainer,
                                    reinterpret_cast<void**>(&container))))
    return;
  IEnumConnectionPoints* points = nullptr;
  IConnectionPoint* point = nullptr;
  if (SUCCEEDED(container->EnumConnectionPoints(&points))) {
    if (points->Next(1, &point, nullptr) != S_OK) point = nullptr;
    points->Release();
  }
  container->Release();
  if (point == nullptr) return;
  Sink* sink = NewSink();
  point->GetConnectionInterface(&sink->events);
  DWORD cookie = 0;
  if (point->Advise(sink, &cookie) == S_OK)
    g_connections.push_back({point, cookie});
  else
    point->Release();
  sink->Release();
}

// ---- Calls ----------------------------------------------------------------------------------

bool Allowed(HRESULT hr) {
  switch (hr) {
    case S_OK:
    case DISP_E_BADPARAMCOUNT:
    case DISP_E_BADVARTYPE:
    case DISP_E_EXCEPTION:
    case DISP_E_MEMBERNOTFOUND:
    case DISP_E_NONAMEDARGS:
    case DISP_E_OVERFLOW:
    case DISP_E_PARAMNOTFOUND:
    case DISP_E_TYPEMISMATCH:
    case DISP_E_UNKNOWNINTERFACE:
    case DISP_E_UNKNOWNLCID:
    case DISP_E_PARAMNOTOPTIONAL:
    case E_INVALIDARG:
    case E_OUTOFMEMORY:
      return true;
    default:
      return false;
  }
}

void Describe(const Held& h, const Member* m, DISPID id, WORD flags, const DISPPARAMS& params) {
  int n =
      std::snprintf(g_call, sizeof g_call,
                    "%p %s.%s (id %ld) flags %u, %u args, %u named:", static_cast<void*>(h.object),
                    h.itf ? h.itf->name.c_str() : "?", m ? m->name.c_str() : "?",
                    static_cast<long>(id), flags, params.cArgs, params.cNamedArgs);
  for (UINT k = params.cArgs; k-- > 0 && n > 0 && n < static_cast<int>(sizeof g_call) - 24;) {
    const std::string name =
        k < params.cNamedArgs ? "[" + std::to_string(params.rgdispidNamedArgs[k]) + "]=" : "";
    const VARIANT& a = params.rgvarg[k];
    std::string inner =
        V_VT(&a) == (VT_BYREF | VT_VARIANT) ? "->" + std::to_string(V_VT(V_VARIANTREF(&a))) : "";
    const VARIANT* in = V_VT(&a) == (VT_BYREF | VT_VARIANT) ? V_VARIANTREF(&a) : &a;
    // Traced, an object argument shows its interface and address.
    if (g_trace && (V_VT(in) == VT_DISPATCH || V_VT(in) == VT_UNKNOWN) && V_UNKNOWN(in)) {
      const Interface* itf = InterfaceOf(V_DISPATCH(in));
      inner += "(" + (itf ? itf->name : std::string("foreign")) + ")";
      char ptr[32];
      std::snprintf(ptr, sizeof ptr, "@%p", static_cast<void*>(V_DISPATCH(in)));
      inner += ptr;
    }
    n += std::snprintf(g_call + n, sizeof g_call - static_cast<size_t>(n), " %s0x%X%s",
                       name.c_str(), V_VT(&a), inner.c_str());
  }
  if (g_trace) {
    std::printf("%llu %s\n", static_cast<unsigned long long>(g_calls), g_call);
    std::fflush(stdout);
  }
}

void Call() {
  const Held h = g_pool[Below(g_pool.size())];
  if (h.object == nullptr || h.itf == nullptr || h.itf->members.empty()) return;
  IDispatch* object = h.object;
  object->AddRef();  // the call may release the pool's reference
  const Member* m = &h.itf->members[Below(h.itf->members.size())];
  DISPID id = m->id;
  if (Chance(3)) {  // a member it does not have
    id = Chance(50) ? static_cast<DISPID>(Below(200)) - 10 : DISPID_NEWENUM;
    m = nullptr;
  }
  static const WORD kFlags[] = {DISPATCH_METHOD, DISPATCH_PROPERTYGET, DISPATCH_PROPERTYPUT,
                                DISPATCH_PROPERTYPUTREF, DISPATCH_METHOD | DISPATCH_PROPERTYGET};
  WORD flags = m != nullptr && Chance(85) ? m->kind : kFlags[Below(std::size(kFlags))];
  if (flags == DISPATCH_PROPERTYGET && Chance(50)) flags |= DISPATCH_METHOD;
  const int params = m != nullptr ? m->params : 2;
  const int required = m != nullptr ? params - (m->optional < 0 ? 0 : m->optional) : 0;
  size_t count =
      Chance(75) ? static_cast<size_t>(required) + Below(params - required + 1) : Below(params + 3);
  if (Chance(2)) count = Below(9);
  Arguments args(count);
  for (size_t k = 0; k < count; ++k) args.Fill(k, object);
  // Named arguments: the first of rgvarg. A property write names its value; other calls
  // sometimes name their parameters by position, now and then wrongly.
  std::vector<DISPID> names;
  const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
  if (put && count > 0 && Chance(90)) names.push_back(DISPID_PROPERTYPUT);
  if (Chance(15)) {
    const size_t more = Below(count - names.size() + 1);
    for (size_t k = 0; k < more; ++k) {
      // Named ones are given last-first like the others: position count-1-k.
      DISPID name = static_cast<DISPID>(count - 1 - names.size());
      if (Chance(20)) name = Chance(50) ? static_cast<DISPID>(Below(6)) : Chance(50) ? -1 : 99;
      names.push_back(name);
    }
  }
  DISPPARAMS dp{args.data(), names.empty() ? nullptr : names.data(), static_cast<UINT>(count),
                static_cast<UINT>(names.size())};
  Describe(h, m, id, flags, dp);
  VARIANT result;
  VariantInit(&result);
  EXCEPINFO info{};
  UINT argErr = 0;
  const bool wantResult = Chance(90), wantInfo = Chance(90);
  ++g_calls;
  g_progress = GetTickCount64();
  ++g_depth;
  const HRESULT hr = object->Invoke(id, IID_NULL, 0, flags, &dp, wantResult ? &result : nullptr,
                                    wantInfo ? &info : nullptr, &argErr);
  --g_depth;
  g_progress = GetTickCount64();
  if (!Allowed(hr)) {
    char why[96];
    std::snprintf(why, sizeof why, "Invoke answered 0x%08lX, which it may not",
                  static_cast<unsigned long>(hr));
    Describe(h, m, id, flags, dp);
    Fail(why);
  }
  for (BSTR text : {info.bstrSource, info.bstrDescription, info.bstrHelpFile}) SysFreeString(text);
  // An object the member answers joins the play now and then.
  if (V_VT(&result) == VT_DISPATCH && V_DISPATCH(&result) != nullptr && g_depth == 0 &&
      Chance(10)) {
    Put(Below(g_pool.size()), V_DISPATCH(&result));
    V_VT(&result) = VT_EMPTY;
  }
  VariantClear(&result);
  object->Release();
}

void Step() {
  if (g_depth > 3) return;
  const uint64_t what = Below(1000);
  if (what < 15) {
    Create(Below(g_pool.size()));
  } else if (what < 25) {
    Put(Below(g_pool.size()), nullptr);
  } else if (what < 45) {
    if (IDispatch* o = AnyObject()) Connect(o);
  } else if (what < 55) {
    if (!g_connections.empty()) Disconnect(Below(g_connections.size()));
  } else {
    Call();
  }
}

// Sets every object-valued property of `object` to Nothing, breaking the cycles the
// calls may have made.
void Unlink(IDispatch* object) {
  const Interface* itf = InterfaceOf(object);
  for (size_t k = 0; itf != nullptr && k < itf->members.size(); ++k) {
    const Member& m = itf->members[k];
    if (m.params != 1 || !(m.kind & (INVOKE_PROPERTYPUT | INVOKE_PROPERTYPUTREF))) continue;
    VARIANT nothing;
    V_VT(&nothing) = VT_DISPATCH, V_DISPATCH(&nothing) = nullptr;
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS p{&nothing, &put, 1, 1};
    EXCEPINFO info{};
    object->Invoke(m.id, IID_NULL, 0, m.kind, &p, nullptr, &info, nullptr);
    for (BSTR text : {info.bstrSource, info.bstrDescription, info.bstrHelpFile})
      SysFreeString(text);
  }
  // A method that takes only objects (a peer, a hot key) is given Nothing for each.
  for (size_t k = 0; itf != nullptr && k < itf->members.size(); ++k) {
    const Member& m = itf->members[k];
    if (m.kind != INVOKE_FUNC || !m.objectsOnly || m.name.rfind("Fire", 0) == 0) continue;
    std::vector<IDispatch*> nothing(static_cast<size_t>(m.params), nullptr);
    std::vector<VARIANT> args(nothing.size());
    for (size_t i = 0; i < args.size(); ++i)
      V_VT(&args[i]) = VT_BYREF | VT_DISPATCH, V_DISPATCHREF(&args[i]) = &nothing[i];
    DISPPARAMS p{args.data(), nullptr, static_cast<UINT>(args.size()), 0};
    EXCEPINFO info{};
    object->Invoke(m.id, IID_NULL, 0, DISPATCH_METHOD, &p, nullptr, &info, nullptr);
    for (BSTR text : {info.bstrSource, info.bstrDescription, info.bstrHelpFile})
      SysFreeString(text);
    for (IDispatch* d : nothing)
      if (d != nullptr) d->Release();
  }
  // A collection lets go of its items (itself among them, maybe) one by one.
  for (size_t k = 0; itf != nullptr && k < itf->members.size(); ++k) {
    if (itf->members[k].name != "Remove" || itf->members[k].params != 1) continue;
    VARIANT first;
    V_VT(&first) = VT_I4, V_I4(&first) = 1;
    DISPPARAMS p{&first, nullptr, 1, 0};
    for (int n = 0; n < 100000; ++n) {
      EXCEPINFO info{};
      const HRESULT hr = object->Invoke(itf->members[k].id, IID_NULL, 0, DISPATCH_METHOD, &p,
                                        nullptr, &info, nullptr);
      for (BSTR text : {info.bstrSource, info.bstrDescription, info.bstrHelpFile})
        SysFreeString(text);
      if (hr != S_OK) break;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: dispatch_fuzz SECONDS SEED [--trace] DLL...\n");
    return 2;
  }
  const unsigned long long seconds = std::strtoull(argv[1], nullptr, 10);
  g_seed = std::strtoull(argv[2], nullptr, 10);
  g_rng.seed(g_seed);
  int first = 3;
  if (std::strcmp(argv[first], "--trace") == 0) g_trace = true, ++first;
  SetUnhandledExceptionFilter(Crashed);
  CoInitialize(nullptr);

  using DllFunction = HRESULT(STDAPICALLTYPE*)();
  const auto function = [](HMODULE dll, const char* name) {
    return reinterpret_cast<DllFunction>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
  };
  std::vector<HMODULE> dlls;
  for (int i = first; i < argc; ++i) {
    HMODULE dll = LoadLibraryA(argv[i]);
    if (dll == nullptr) {
      std::printf("FAIL: cannot load %s\n", argv[i]);
      return 1;
    }
    const auto reg = function(dll, "DllRegisterServer");
    if (reg == nullptr || reg() != S_OK) {
      std::printf("FAIL: cannot register %s\n", argv[i]);
      return 1;
    }
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(dll, path, MAX_PATH);
    LearnClasses(path);
    dlls.push_back(dll);
  }
  if (g_classes.empty()) {
    std::printf("FAIL: no creatable class\n");
    return 1;
  }
  g_progress = GetTickCount64();
  CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr);

  // Rounds of a few seconds: each ends with every object released and both DLLs ready to
  // unload, so that a leak is found near the calls that made it.
  const ULONGLONG start = GetTickCount64();
  for (int round = 1;; ++round) {
    for (size_t c = 0; c < g_classes.size(); ++c) {  // every class once, then the random play
      IDispatch* object = nullptr;
      if (SUCCEEDED(CoCreateInstance(g_classes[c], nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                     reinterpret_cast<void**>(&object))))
        Put(c % g_pool.size(), object), ++g_created;
    }
    const ULONGLONG roundStart = GetTickCount64();
    bool last = false;
    while (GetTickCount64() - roundStart < 5000 && !last) {
      for (int i = 0; i < 100; ++i) Step();
      last = GetTickCount64() - start >= seconds * 1000;
    }
    std::snprintf(g_call, sizeof g_call, "(the end of round %d: releasing everything)", round);
    if (g_trace) std::printf("%s\n", g_call);
    g_ending = true;
    while (!g_connections.empty()) Disconnect(g_connections.size() - 1);
    for (IDispatch* object : g_kept) Unlink(object);
    for (size_t slot = 0; slot < g_pool.size(); ++slot) Put(slot, nullptr);
    for (IDispatch* object : g_kept) object->Release();
    g_kept.clear();
    for (size_t i = 0; i < dlls.size(); ++i) {
      if (function(dlls[i], "DllCanUnloadNow")() != S_OK)
        Fail("objects left alive at the end of a round (DllCanUnloadNow S_FALSE)");
    }
    g_ending = false;
    if (last) break;
  }
  const auto u = [](uint64_t n) { return static_cast<unsigned long long>(n); };
  std::printf(
      "ok: seed %llu, %llu calls (%llu from sinks), %llu objects created, %llu events,"
      " %llu s\n",
      u(g_seed), u(g_calls), u(g_sinkCalls), u(g_created), u(g_events), u(seconds));
  std::fflush(stdout);
  // The DLLs stay registered for whoever registered them before; the process ends here
  // without CoUninitialize, whose teardown would only race the watchdog.
  ExitProcess(0);
}

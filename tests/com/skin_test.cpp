// Checks ZentNetLib.dll the way a client sees it (registration, creation by ProgID, calls
// through IDispatch and through the vtable, errors, events, unloading) and the skin's
// conversion and event plumbing in-process. Run under Wine with the DLL's path as argument;
// prints one line per failure and exits with the number of failures.

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "../values/library.h"
#include "check.h"
#include "convert.h"
#include "dual.h"
#include "unknown.h"
#include "zentnet/automation/collection.h"
#include "zentnet/values/factory.h"

using namespace zentnet;
using namespace zentnet::com;

namespace {

// A plain IDispatch of the test's own, reference counted.
class TestDispatch : public RefCounted<IDispatch, TestDispatch> {
 public:
  virtual ~TestDispatch() = default;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    return AnswerAs<IDispatch>(this, riid, ppv, IID_IDispatch, extra_);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
    *n = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  IID extra_ = IID_NULL;  // a further interface it answers for (an event interface)
};

// An error object as a script runtime hands it over: five properties read by name.
class FakeError final : public TestDispatch {
 public:
  FakeError(LONG number, std::wstring source, std::wstring description)
      : number_(number), source_(std::move(source)), description_(std::move(description)) {}
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* id) override {
    static const wchar_t* const kNames[] = {L"Number", L"Description", L"Source", L"HelpContext", L"HelpFile"};
    for (DISPID i = 0; i < 5; ++i)
      if (lstrcmpiW(names[0], kNames[i]) == 0) return *id = i + 1, S_OK;
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* r, EXCEPINFO*,
                                   UINT*) override {
    VariantInit(r);
    switch (id) {
      case 1: V_VT(r) = VT_I4; V_I4(r) = number_; break;
      case 2: V_VT(r) = VT_BSTR; V_BSTR(r) = SysAllocString(description_.c_str()); break;
      case 3: V_VT(r) = VT_BSTR; V_BSTR(r) = SysAllocString(source_.c_str()); break;
      case 4: V_VT(r) = VT_I4; V_I4(r) = 77; break;
      case 5: V_VT(r) = VT_BSTR; V_BSTR(r) = SysAllocString(L"zent.chm"); break;
      default: return DISP_E_MEMBERNOTFOUND;
    }
    return S_OK;
  }

 private:
  LONG number_;
  std::wstring source_, description_;
};

// An event sink that records each event's dispatch identifier and lets a test act on the
// arguments it receives.
class RecordingSink final : public TestDispatch {
 public:
  std::vector<DISPID> heard;
  std::function<HRESULT(DISPPARAMS*, EXCEPINFO*)> act = [](DISPPARAMS*, EXCEPINFO*) { return S_OK; };
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT*, EXCEPINFO* e,
                                   UINT*) override {
    heard.push_back(id);
    return act(p, e);
  }
};

template <class T>
Ref<T> Make(T* fresh) {
  return Ref<T>(fresh, false);
}

std::string Utf8(BSTR b) { return ToUtf8(b); }

// A VARIANT of a type whose value fits the union's low bits.
VARIANT Var(VARTYPE vt, LONGLONG bits) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = vt;
  V_I8(&v) = bits;
  return v;
}

// ---- In-process: the rules every skin member relies on ----------------------------------

void ErrorNumbersTravelAsScriptsExpect() {
  const struct {
    int32_t number;
    HRESULT hr;
  } cases[] = {
      {6, static_cast<HRESULT>(0x800A0006)},          {13, static_cast<HRESULT>(0x800A000D)},
      {6301, static_cast<HRESULT>(0x800A189D)},       {65535, static_cast<HRESULT>(0x800AFFFF)},
      {static_cast<int32_t>(0x80040FEA), static_cast<HRESULT>(0x80040FEA)},
      {0, static_cast<HRESULT>(0x800A0005)},          {70000, static_cast<HRESULT>(0x800A0005)},
  };
  for (const auto& c : cases) {
    ExpectEq(HResultOf(c.number), c.hr, "HResultOf(" + std::to_string(c.number) + ")");
    if (c.number > 0 && c.number <= 0xFFFF) ExpectEq(NumberOf(c.hr), c.number, "NumberOf back");
  }
  ExpectEq(NumberOf(DISP_E_TYPEMISMATCH), 13, "type mismatch from dispatch");
  ExpectEq(NumberOf(DISP_E_UNKNOWNNAME), 438, "unknown name");
  ExpectEq(NumberOf(static_cast<HRESULT>(0x80040FEA)), static_cast<int32_t>(0x80040FEA), "object error");

  // Whatever the body throws, the boundary answers with an HRESULT.
  ExpectEq(Guard(IID_IDispatch, [] { throw std::bad_alloc(); }), E_OUTOFMEMORY, "bad_alloc");
  ExpectEq(Guard(IID_IDispatch, [] { throw 42; }), E_UNEXPECTED, "foreign exception");
  ExpectEq(Guard(IID_IDispatch, [] { throw std::runtime_error("boom"); }), E_UNEXPECTED, "std exception");
  Ref<IErrorInfo> info;
  Expect(GetErrorInfo(0, info.put()) == S_OK && info, "std exception leaves an error object");
  if (info) {
    BSTR d = nullptr;
    info->GetDescription(&d);
    ExpectEq(Utf8(d), "Unexpected error: boom", "its description");
    SysFreeString(d);
  }
}

void VariantsConvertBothWays() {
  VARIANT v;
  VariantInit(&v);
  const struct {
    Variant core;
    VARTYPE vt;
  } roundTrips[] = {
      {Variant(), VT_ERROR},   {Variant::Empty(), VT_EMPTY}, {Variant(true), VT_BOOL},
      {Variant(-5), VT_I4},    {Variant(2.5), VT_R8},        {Variant("Grüße \xE2\x82\xAC"), VT_BSTR},
  };
  for (const auto& c : roundTrips) {
    VariantOut(c.core, &v);
    ExpectEq(V_VT(&v), c.vt, "VARIANT type of " + std::to_string(static_cast<int>(c.core.type())));
    Expect(VariantIn(v) == c.core, "round trip of " + std::to_string(static_cast<int>(c.core.type())));
    VariantClear(&v);
  }
  VariantOut(Variant(true), &v);
  ExpectEq(V_BOOL(&v), VARIANT_TRUE, "true is -1");

  // Smaller integers widen to Long, a value beyond it overflows, Null has no core value.
  const struct {
    VARTYPE vt;
    LONGLONG value;
    int32_t error;
  } ins[] = {{VT_I2, -7, 0}, {VT_UI1, 200, 0}, {VT_UI4, 0xFFFFFFFFll, 6}, {VT_I8, 1ll << 40, 6}, {VT_NULL, 0, 13}};
  for (const auto& c : ins) {
    v = Var(c.vt, c.value);
    try {
      const Variant got = VariantIn(v);
      ExpectEq(c.error, 0, "VariantIn of type " + std::to_string(c.vt) + " succeeded");
      ExpectEq(got.ToLong(), static_cast<int32_t>(c.value), "VariantIn of type " + std::to_string(c.vt));
    } catch (const AutomationError& e) {
      ExpectEq(e.Number(), c.error, "VariantIn of type " + std::to_string(c.vt) + " error");
    }
  }
}

// A connection point on its own, with the listeners of a class with events.
class PointOwner final : public ConnectionOwner {
 public:
  IUnknown* Unknown() override { return &unknown; }
  IConnectionPointContainer* Container() override { return nullptr; }
  void Listen(bool on) override { listening.push_back(on); }
  std::vector<bool> listening;
  RecordingSink unknown;  // stands in for the owner's reference count
};

void EventArgumentsComeBackFromListeners() {
  PointOwner owner;
  ConnectionPoint point(owner, IID_IDispatch);
  auto first = Make(new RecordingSink), second = Make(new RecordingSink);
  // The first listener sets the Boolean, replaces the text and doubles the number; the
  // second sees what the first left; a by-value argument it changes stays the caller's.
  first->act = [](DISPPARAMS* p, EXCEPINFO*) {
    // Arguments arrive in reverse: [3] flag, [2] text, [1] number, [0] by-value number.
    *V_BOOLREF(&p->rgvarg[3]) = VARIANT_TRUE;
    SysFreeString(*V_BSTRREF(&p->rgvarg[2]));
    *V_BSTRREF(&p->rgvarg[2]) = SysAllocString(L"set by listener");
    *V_I4REF(&p->rgvarg[1]) *= 2;
    V_I4(&p->rgvarg[0]) = 99;
    return S_OK;
  };
  std::string secondSaw;
  second->act = [&](DISPPARAMS* p, EXCEPINFO*) {
    secondSaw = ToUtf8(*V_BSTRREF(&p->rgvarg[2]));
    ExpectEq(V_VT(&p->rgvarg[3]), static_cast<VARTYPE>(VT_BYREF | VT_BOOL), "Boolean goes by reference");
    ExpectEq(V_VT(&p->rgvarg[0]), static_cast<VARTYPE>(VT_I4), "by-value argument goes by value");
    ExpectEq(V_I4(&p->rgvarg[0]), 5, "by-value argument unchanged for the next listener");
    return S_OK;
  };
  DWORD c1 = 0, c2 = 0;
  point.Advise(first.get(), &c1);
  point.Advise(second.get(), &c2);
  ExpectEq(owner.listening.size(), 1u, "the core is listened to once for two listeners");

  bool flag = false;
  std::string text = "from core";
  int32_t number = 21, byValue = 5;
  RaiseEvent(point, 7, flag, text, number, ByVal<int32_t>{byValue});
  Expect(flag, "Boolean written back");
  ExpectEq(text, "set by listener", "text written back");
  ExpectEq(number, 42, "number written back");
  ExpectEq(byValue, 5, "by-value argument not written back");
  ExpectEq(secondSaw, "set by listener", "second listener sees the first one's write");
  ExpectEq(first->heard.size() + second->heard.size(), 2u, "each listener heard once");
  ExpectEq(first->heard.at(0), 7, "with the dispatch identifier");

  // A listener's own error stops the raise and becomes the raising member's error.
  first->act = [](DISPPARAMS*, EXCEPINFO* e) {
    e->scode = static_cast<SCODE>(0x800A000B);
    e->bstrSource = SysAllocString(L"listener");
    e->bstrDescription = SysAllocString(L"Division by zero");
    return DISP_E_EXCEPTION;
  };
  ExpectError([&] { RaiseEvent(point, 7, flag, text, number, ByVal<int32_t>{byValue}); }, 11, "listener",
              "Division by zero", "a listener's error reaches the raiser");
  ExpectEq(second->heard.size(), 1u, "the raise stopped at the failing listener");

  // A listener that does not handle the event is skipped silently.
  first->act = [](DISPPARAMS*, EXCEPINFO*) { return DISP_E_MEMBERNOTFOUND; };
  RaiseEvent(point, 7, flag, text, number, ByVal<int32_t>{byValue});
  ExpectEq(second->heard.size(), 2u, "next listener still hears");

  ExpectEq(point.Unadvise(c1), S_OK, "unadvise");
  ExpectEq(point.Unadvise(c1), CONNECT_E_NOCONNECTION, "unadvise twice");
  point.Unadvise(c2);
  ExpectEq(owner.listening.size(), 2u, "the core is let go when the last listener leaves");
  Expect(!owner.listening.back(), "... with Listen(false)");
}

void CollectionsKeepIdentityAndEnumerate() {
  auto items = Collection::create();
  items->Add(Variant(10));
  items->Add(Variant("two"), Variant("k"));
  Ref<IUnknown> a = WrapObject(items), b = WrapObject(items);
  Expect(a.get() == b.get(), "one COM object per core object");
  auto collection = a.As<_Collection>(__uuidof(_Collection));
  Expect(static_cast<bool>(collection), "wrapped as _Collection");
  if (!collection) return;
  LONG count = 0;
  collection->get_Count(&count);
  ExpectEq(count, 2, "Count");
  VARIANT key, item;
  VariantInit(&key);
  V_VT(&key) = VT_BSTR;
  V_BSTR(&key) = SysAllocString(L"K");
  ExpectEq(collection->Item(key, &item), S_OK, "Item by key");
  ExpectEq(Utf8(V_BSTR(&item)), "two", "Item by key, without regard to case");
  VariantClear(&item);
  VariantClear(&key);
  Ref<IUnknown> unknownEnum;
  collection->_NewEnum(unknownEnum.put());
  auto items2 = unknownEnum.As<IEnumVARIANT>(IID_IEnumVARIANT);
  VARIANT got[3];
  ULONG fetched = 0;
  ExpectEq(items2->Next(3, got, &fetched), S_FALSE, "Next past the end");
  ExpectEq(fetched, 2u, "two items enumerated");
  ExpectEq(V_I4(&got[0]), 10, "first item");
  VariantClear(&got[0]);
  VariantClear(&got[1]);
  // An object field's undescribed write slot takes a VARIANT: an object is unwrapped to its
  // core object, anything else is a type mismatch.
  VARIANT asObject;
  VariantInit(&asObject);
  V_VT(&asObject) = VT_DISPATCH;
  V_DISPATCH(&asObject) = collection.get();
  Expect(In<std::shared_ptr<Collection>>(asObject) == items, "object in a VARIANT unwraps to its core");
  V_VT(&asObject) = VT_I4;
  ExpectNumber([&] { In<std::shared_ptr<Collection>>(asObject); }, 13, "a number is no object: type mismatch");
  VARIANT missing = Var(VT_ERROR, static_cast<ULONG>(DISP_E_PARAMNOTFOUND)), one = Var(VT_I4, 1);
  ExpectEq(collection->Add(one, missing, one, missing), static_cast<HRESULT>(0x800A0005), "Add before refused");
  ExpectEq(collection->Item(missing, nullptr), E_POINTER, "null result pointer");
  V_I4(&one) = 3;
  ExpectEq(collection->Item(one, &item), static_cast<HRESULT>(0x800A0009), "Item(3) subscript out of range");
}

void ForeignObjectsKeepTheirIdentity() {
  auto foreign = Make(new FakeError(5, L"s", L"d"));
  auto a = Unwrap<Object>(foreign.get()), b = Unwrap<Object>(foreign.get());
  Expect(a == b, "one adapter per foreign object while it lives");
  ExpectEq(a->GetProperty("source").ToString(), "s", "adapter reads a property by name");
  Ref<IUnknown> back = WrapObject(a);
  Expect(back.get() == static_cast<IUnknown*>(foreign.get()), "the adapter wraps out as the client's own object");
  ExpectNumber([&] { a->GetProperty("hWnd"); }, 438, "unknown property of a foreign object");
}

// ---- Through the DLL ---------------------------------------------------------------------

using DllFunction = HRESULT(STDAPICALLTYPE*)();
DllFunction g_canUnloadNow = nullptr;

Ref<IDispatch> Create(const wchar_t* progId) {
  CLSID clsid{};
  Ref<IDispatch> object;
  const HRESULT hr = CLSIDFromProgID(progId, &clsid);
  ExpectEq(hr, S_OK, "CLSIDFromProgID " + ToUtf8(Bstr(SysAllocString(progId)).get()));
  if (SUCCEEDED(hr))
    ExpectEq(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                              reinterpret_cast<void**>(object.put())), S_OK, "CoCreateInstance");
  return object;
}

void ErrorsReachTheClient() {
  auto reflector = Create(L"ZentNetLib.ErrReflector");
  if (!reflector) return;
  auto early = reflector.As<_ErrReflector>(__uuidof(_ErrReflector));

  const struct {
    LONG number;
    HRESULT hr;
  } cases[] = {{6301, static_cast<HRESULT>(0x800A189D)}, {static_cast<LONG>(0x80040FEA), static_cast<HRESULT>(0x80040FEA)}};
  for (const auto& c : cases) {
    IDispatch* error = new FakeError(c.number, L"NetAdapterObj.NetOpen(let opening)", L"Port problem ü");
    ExpectEq(early->put_CopyError(&error), S_OK, "CopyError through the vtable");
    error->Release();
    ExpectEq(early->Raise(), c.hr, "Raise through the vtable");
    Ref<IErrorInfo> raised;
    ExpectEq(GetErrorInfo(0, raised.put()), S_OK, "Raise leaves an error object");
    if (!raised) continue;
    GUID guid{};
    raised->GetGUID(&guid);
    Expect(IsEqualGUID(guid, __uuidof(_ErrReflector)), "error names the interface");
  }
  LONG number = 0;
  early->get_Number(&number);
  ExpectEq(number, static_cast<LONG>(0x80040FEA), "Number keeps the copy");

  // An object that is not an error object: its missing property is error 438.
  IDispatch* notAnError = new RecordingSink;
  ExpectEq(early->put_CopyError(&notAnError), static_cast<HRESULT>(0x800A01B6), "CopyError of a plain object");
  notAnError->Release();
  IDispatch* none = nullptr;
  ExpectEq(early->put_CopyError(&none), static_cast<HRESULT>(0x800A005B), "CopyError of Nothing is error 91");
  ExpectEq(early->get_Number(nullptr), E_POINTER, "null out pointer");

  Ref<ISupportErrorInfo> supports = reflector.As<ISupportErrorInfo>(IID_ISupportErrorInfo);
  ExpectEq(supports->InterfaceSupportsErrorInfo(__uuidof(_ErrReflector)), S_OK, "ISupportErrorInfo");
}

void EventsReachConnectedSinks() {
  auto sounds = Create(L"ZentNetLib.SoundEventsObj");
  if (!sounds) return;
  auto early = sounds.As<_SoundEventsObj>(__uuidof(_SoundEventsObj));
  auto container = sounds.As<IConnectionPointContainer>(IID_IConnectionPointContainer);
  auto classInfo = sounds.As<IProvideClassInfo2>(IID_IProvideClassInfo2);
  GUID source{};
  ExpectEq(classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source), S_OK, "default source");
  Expect(IsEqualGUID(source, __uuidof(__SoundEventsObj)), "default source is __SoundEventsObj");

  Ref<IConnectionPoint> point;
  ExpectEq(container->FindConnectionPoint(__uuidof(__SoundEventsObj), point.put()), S_OK, "FindConnectionPoint");
  Ref<IEnumConnectionPoints> points;
  container->EnumConnectionPoints(points.put());
  Ref<IConnectionPoint> listed;
  ULONG fetched = 0;
  points->Next(1, listed.put(), &fetched);
  Expect(listed.get() == point.get(), "EnumConnectionPoints lists the one point");

  auto sink = Make(new RecordingSink);
  sink->extra_ = __uuidof(__SoundEventsObj);
  DWORD cookie = 0;
  ExpectEq(point->Advise(sink.get(), &cookie), S_OK, "Advise");
  Ref<IEnumConnections> connections;
  point->EnumConnections(connections.put());
  CONNECTDATA data{};
  ExpectEq(connections->Next(1, &data, nullptr), S_OK, "EnumConnections");
  ExpectEq(data.dwCookie, cookie, "... with the cookie");
  if (data.pUnk) data.pUnk->Release();

  // Changed is 1, ControlChanged 2, dispatched through the vtable.
  early->put_Control(VARIANT_TRUE);
  early->put_VoltageSaturation(VARIANT_FALSE);
  early->RestoreAll();
  ExpectEq(sink->heard, std::vector<DISPID>({2, 1, 1}), "events in order");
  ExpectEq(g_canUnloadNow(), S_FALSE, "DllCanUnloadNow while an object lives");
  ExpectEq(point->Unadvise(cookie), S_OK, "Unadvise");
  early->RestoreAll();
  ExpectEq(sink->heard.size(), 3u, "nothing heard after Unadvise");
}

void RegistrationRoundTrip(HMODULE dll) {
  const auto reg = reinterpret_cast<DllFunction>(reinterpret_cast<void*>(GetProcAddress(dll, "DllRegisterServer")));
  ExpectEq(reg(), S_OK, "DllRegisterServer");
  wchar_t value[64] = {};
  LONG size = sizeof value;
  RegQueryValueW(HKEY_CLASSES_ROOT, L"ZentNetLib.CmdLog\\CurVer", value, &size);
  ExpectEq(Utf8(Bstr(SysAllocString(value)).get()), "ZentNetLib.CmdLog.1", "CurVer");
  const auto get = reinterpret_cast<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(
      reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
  void* factory = nullptr;
  // The type library's identifier names no class.
  ExpectEq(get(ParseGuid("{EC0ACDA5-6E4E-42C1-87F7-4A0FF22A6EA7}"), IID_IClassFactory, &factory),
           CLASS_E_CLASSNOTAVAILABLE, "no factory for an identifier that names no class");
  if (factory != nullptr) static_cast<IUnknown*>(factory)->Release();
}


// ---- Value objects of the value library's DLL, as the core sees them -----------------------

// A core subscriber of a value object: notes each event; sets the cache as asked.
class ValueListener final : public ValueObjEvents {
 public:
  std::string heard;
  std::shared_ptr<ValueObj> newVal;
  std::function<void()> onChanged;
  void ValueChanged(std::shared_ptr<ValueObj>& v) override { Note("ValueChanged", v); }
  void Changed(std::shared_ptr<ValueObj>& v) override {
    Note("Changed", v);
    if (onChanged) onChanged();
  }
  void ContentChanged(std::shared_ptr<ValueObj>& v) override { Note("ContentChanged", v); }
  void InitializeCache(double& initialValue, bool& processed) override {
    heard += "InitializeCache(" + std::to_string(static_cast<int>(initialValue)) + ") ";
    initialValue = 42;
    processed = true;
  }

 private:
  void Note(const char* event, const std::shared_ptr<ValueObj>& v) {
    heard += std::string(event) + " ";
    newVal = v;
  }
};

struct LockListener final : LockLevelObjEvents {
  int changes = 0;
  void Changed() override { ++changes; }
};

// The bridge that the value object's connection point holds for the adapter's subscribers.
Ref<IDispatch> BridgeOf(IUnknown* object) {
  Ref<IConnectionPoint> point;
  Ref<IConnectionPointContainer> container = Ref<IUnknown>(object).As<IConnectionPointContainer>(IID_IConnectionPointContainer);
  if (!container || FAILED(container->FindConnectionPoint(ParseGuid(values::kValueObj.eventInterfaceId), point.put()))) return {};
  Ref<IEnumConnections> connections;
  CONNECTDATA data{};
  if (FAILED(point->EnumConnections(connections.put())) || connections->Next(1, &data, nullptr) != S_OK) return {};
  const Ref<IUnknown> sink(data.pUnk, false);
  return sink.As<IDispatch>(IID_IDispatch);
}

void ValueObjectsComeFromTheValueLibrary() {
  const std::shared_ptr<ValueObj> value = NewValueObj();
  Expect(dynamic_cast<Foreign*>(value.get()) != nullptr, "a value object of the other DLL is foreign");
  const auto com = WrapObject(value).As<_ValueObj>(__uuidof(_ValueObj));
  Expect(Unwrap<ValueObj>(com.get()) == value, "handed in again, the object has the same adapter");
  auto listener = std::make_shared<ValueListener>();
  const Cookie cookie = value->Advise(listener);

  // Written by its own client, the number reaches the core, events in order.
  Ref<_ValueNumberObj> number;
  com->get_Number(number.put());
  number->put_Value(5);
  ExpectEq(listener->heard, "ValueChanged Changed ", "a number write, heard by the core");
  Expect(listener->newVal == value, "newVal is the adapter");
  ExpectEq(value->NumberValue(), 5, "Value through the adapter");
  ExpectEq(value->Number()->PreviousValue(), 0, "PreviousValue through the adapter");

  // A subscriber's error reaches the client that changed the number.
  listener->heard.clear();
  listener->onChanged = [] { throw AutomationError(6301, "Drive", "Shutdown"); };
  ExpectEq(number->put_Value(6), static_cast<HRESULT>(0x800A189D), "a subscriber's error");
  Ref<IErrorInfo> error;
  GetErrorInfo(0, error.put());
  BSTR text = nullptr;
  if (error) error->GetDescription(&text);
  ExpectEq(Utf8(Bstr(text).get()), "Shutdown", "... with its description");
  listener->onChanged = nullptr;
  value->CopyContentTo(value);
  value->ApplySetup();
  ExpectEq(listener->heard, "ValueChanged Changed ContentChanged ", "events after the error");

  // By-reference arguments come back from the subscribers; a wrong count is error 450.
  const Ref<IDispatch> bridge = BridgeOf(com.get());
  Expect(bool(bridge), "the value object holds the bridge");
  if (bridge) {
    DOUBLE initialValue = 1;
    VARIANT_BOOL processed = VARIANT_FALSE;
    VARIANT args[2];
    V_VT(&args[1]) = VT_BYREF | VT_R8;
    V_R8REF(&args[1]) = &initialValue;
    V_VT(&args[0]) = VT_BYREF | VT_BOOL;
    V_BOOLREF(&args[0]) = &processed;
    DISPPARAMS params{args, nullptr, 2, 0};
    EXCEPINFO info{};
    ExpectEq(bridge->Invoke(5, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, &info, nullptr), S_OK, "InitializeCache");
    ExpectEq(initialValue, 42, "initialValue written back");
    ExpectEq(processed, VARIANT_TRUE, "processed written back");
    params.cArgs = 1;
    ExpectEq(bridge->Invoke(5, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, &info, nullptr), DISP_E_EXCEPTION, "one argument short");
    ExpectEq(info.scode, static_cast<SCODE>(0x800A01C2), "... is error 450");
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
  }
  ExpectEq(listener->heard, "ValueChanged Changed ContentChanged InitializeCache(1) ", "the cache event");
  value->Unadvise(cookie);

  const std::shared_ptr<LockLevelObj> lock = NewLockLevelObj();
  auto lockListener = std::make_shared<LockListener>();
  lock->Advise(lockListener);
  zentnet::LockLevels level = zentnet::LOCK_LEVEL_2;
  lock->SetLevel(level);
  lock->SetLevel(level);
  ExpectEq(lock->Level(), zentnet::LOCK_LEVEL_2, "Level through the adapter");
  ExpectEq(lockListener->changes, 1, "Changed once, through the bridge");
}


// Registers the value library's DLL beside `zentNetLib`, runs the checks, and proves that
// no cycle keeps its objects alive; unregistered, it makes the factory fail with 429.
void ValuesThroughTheirOwnDll(const std::string& zentNetLib) {
  const size_t slash = zentNetLib.find_last_of("\\/");
  const std::string path = (slash == std::string::npos ? "" : zentNetLib.substr(0, slash + 1)) + "ZentValues.dll";
  HMODULE dll = LoadLibraryA(path.c_str());
  Expect(dll != nullptr, "LoadLibrary " + path);
  if (dll == nullptr) return;
  const auto function = [&](const char* name) {
    return reinterpret_cast<DllFunction>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
  };
  ExpectEq(function("DllRegisterServer")(), S_OK, "ZentValues DllRegisterServer");
  ValueObjectsComeFromTheValueLibrary();
  ExpectEq(function("DllCanUnloadNow")(), S_OK, "ZentValues can unload once the adapters are gone");
  ExpectEq(function("DllUnregisterServer")(), S_OK, "ZentValues DllUnregisterServer");
  ExpectNumber([] { NewValueObj(); }, 429, "a value object without the value library");
}

}  // namespace

int main(int argc, char** argv) {
  CoInitialize(nullptr);
  ErrorNumbersTravelAsScriptsExpect();
  VariantsConvertBothWays();
  EventArgumentsComeBackFromListeners();
  CollectionsKeepIdentityAndEnumerate();
  ForeignObjectsKeepTheirIdentity();

  const std::string path = argc > 1 ? argv[1] : "ZentNetLib.dll";
  HMODULE dll = LoadLibraryA(path.c_str());
  Expect(dll != nullptr, "LoadLibrary " + path);
  if (dll != nullptr) {
    g_canUnloadNow = reinterpret_cast<DllFunction>(reinterpret_cast<void*>(GetProcAddress(dll, "DllCanUnloadNow")));
    RegistrationRoundTrip(dll);
    ErrorsReachTheClient();
    EventsReachConnectedSinks();
    ValuesThroughTheirOwnDll(path);
    ExpectEq(g_canUnloadNow(), S_OK, "DllCanUnloadNow once every object is released");
    const auto unreg = reinterpret_cast<DllFunction>(reinterpret_cast<void*>(GetProcAddress(dll, "DllUnregisterServer")));
    ExpectEq(unreg(), S_OK, "DllUnregisterServer");
    CLSID clsid{};
    ExpectEq(CLSIDFromProgID(L"ZentNetLib.CmdLog", &clsid), CO_E_CLASSSTRING, "unregistered ProgID is gone");
  }
  CoUninitialize();
  std::printf("%s: %d failure(s)\n", g_failures == 0 ? "ok" : "FAILED", g_failures);
  return g_failures;
}

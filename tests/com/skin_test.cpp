// Checks ZentNetLib.dll the way a compiled client sees it (registration, creation by ProgID,
// calls through IDispatch and through the vtable: typed arguments and records by reference
// that listeners answer, the runtime collection's slots, the undescribed write slots; errors,
// events, unloading), and in-process the skin's conversion and event plumbing, the core's
// view of a client's own drive and collection (through the published interface's vtable, or
// late-bound when the object has only IDispatch), and every event of every class relayed
// under its identifier: the executable carries the type library the way the DLL does. Run under
// Wine with the DLL's path as argument; prints one line per failure and exits with the number of
// failures.

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "../values/library.h"
#include "check.h"
#include "convert.h"
#include "dual.h"
#include "every_event.h"
#include "unknown.h"
#include "zentnet/automation/collection.h"
#include "zentnet/contracts/NetLib.h"
#include "zentnet/contracts/PhysDriveObj.h"
#include "zentnet/factory.h"
#include "zentnet/network/NetAdapterObj.h"
#include "zentnet/network/NetSupervisorObj.h"
#include "zentnet/services/CmdLog.h"
#include "zentnet/values/factory.h"

namespace zentnet::com {
namespace {

template <class T>
Ref<T> Make(T* fresh) {
  return Ref<T>(fresh, false);
}

std::string Utf8(const wchar_t* text) { return ToUtf8(Bstr(SysAllocString(text)).get()); }

// A value under HKEY_CLASSES_ROOT.
std::string RegText(const std::wstring& path) {
  wchar_t value[64] = {};
  LONG size = sizeof value;
  RegQueryValueW(HKEY_CLASSES_ROOT, path.c_str(), value, &size);
  return Utf8(value);
}

using DllFunction = HRESULT(STDAPICALLTYPE*)();
DllFunction Export(HMODULE dll, const char* name) {
  return reinterpret_cast<DllFunction>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
}

// The description of the thread's error object, taken: "(none)" without one.
std::string ErrorDescription() {
  Ref<IErrorInfo> info;
  BSTR text = nullptr;
  if (GetErrorInfo(0, info.put()) != S_OK || !info || FAILED(info->GetDescription(&text)))
    return "(none)";
  return ToUtf8(Bstr(text).get());
}

// ---- In-process: the rules every skin member relies on ----------------------------------

void ErrorNumbersTravelAsScriptsExpect() {
  // Scripts see the common numbers; the edges of the runtime's range they cannot reach.
  for (const int32_t number : {65535, 0, 70000})
    ExpectEq(HResultOf(number), static_cast<HRESULT>(number == 65535 ? 0x800AFFFF : 0x800A0005),
             "HResultOf(" + std::to_string(number) + ")");
  ExpectEq(NumberOf(static_cast<HRESULT>(0x800AFFFF)), 65535, "NumberOf(0x800AFFFF)");
  ExpectEq(NumberOf(DISP_E_TYPEMISMATCH), 13, "type mismatch from dispatch");

  // Whatever the body throws, the boundary answers with an HRESULT.
  ExpectEq(Guard(IID_IDispatch, [] { throw std::bad_alloc(); }), E_OUTOFMEMORY, "bad_alloc");
  ExpectEq(Guard(IID_IDispatch, [] { throw 42; }), E_UNEXPECTED, "foreign exception");
  ExpectEq(Guard(IID_IDispatch, [] { throw std::runtime_error("boom"); }), E_UNEXPECTED,
           "std exception");
  ExpectEq(ErrorDescription(), "Unexpected error: boom",
           "... leaves an error object with its text");
}

// A connection point on its own, with the listeners of a class with events.
class PointOwner final : public ConnectionOwner {
 public:
  IUnknown* Unknown() override { return &unknown; }
  IConnectionPointContainer* Container() override { return nullptr; }
  void Listen(bool on) override { listening.push_back(on); }
  std::vector<bool> listening;
  TestSink unknown;  // stands in for the owner's reference count
};

// Scripts see arguments written back by listeners; what they cannot see is how the point
// holds the core and stops at a listener's error.
void EventListenersAndTheirErrors() {
  PointOwner owner;
  ConnectionPoint point(owner, IID_IDispatch);
  auto first = Make(new TestSink), second = Make(new TestSink);
  DWORD c1 = 0, c2 = 0;
  point.Advise(first.get(), &c1);
  point.Advise(second.get(), &c2);
  ExpectEq(owner.listening.size(), 1u, "the core is listened to once for two listeners");

  // A listener's own error stops the raise and becomes the raising member's error.
  first->act = [](DISPID, DISPPARAMS*, EXCEPINFO* e) {
    e->scode = static_cast<SCODE>(0x800A000B);
    e->bstrSource = SysAllocString(L"listener");
    e->bstrDescription = SysAllocString(L"Division by zero");
    return DISP_E_EXCEPTION;
  };
  int32_t number = 21;
  ExpectError([&] { RaiseEvent(point, 7, number); }, 11, "listener", "Division by zero",
              "a listener's error reaches the raiser");
  ExpectEq(second->heard, "", "the raise stopped at the failing listener");
  // A listener that does not handle the event is skipped silently.
  first->act = [](DISPID, DISPPARAMS*, EXCEPINFO*) { return DISP_E_MEMBERNOTFOUND; };
  RaiseEvent(point, 7, number);
  ExpectEq(second->heard, "7 ", "next listener still hears");

  ExpectEq(point.Unadvise(c1), S_OK, "unadvise");
  ExpectEq(point.Unadvise(c1), CONNECT_E_NOCONNECTION, "unadvise twice");
  point.Unadvise(c2);
  ExpectEq(owner.listening == std::vector<bool>{true, false}, true,
           "the core is let go when the last listener leaves");
}

// ---- In-process: the core's adapters of a client's objects, records, relays -----------

// A client's object: our own skin behind an IDispatch that hides that it is ours, answers
// the published interface only when `early`, and counts the calls that come late-bound.
class ClientObject final : public RefCounted<IDispatch, ClientObject> {
 public:
  ClientObject(IUnknown* inner, const IID& published, bool early)
      : inner_(Ref<IUnknown>(inner).As<IDispatch>(IID_IDispatch)),
        published_(published),
        early_(early) {}
  int lateCalls = 0;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if ((early_ && IsEqualIID(riid, published_)) || IsEqualIID(riid, IID_IConnectionPointContainer))
      return inner_->QueryInterface(riid, ppv);
    return AnswerAs<IDispatch>(this, riid, ppv, IID_IDispatch);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
    return inner_->GetTypeInfoCount(n);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override {
    return inner_->GetTypeInfo(i, l, t);
  }
  // It has no FirmwareName.
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID r, LPOLESTR* n, UINT c, LCID l,
                                          DISPID* d) override {
    if (lstrcmpiW(n[0], L"FirmwareName") == 0) return DISP_E_UNKNOWNNAME;
    return inner_->GetIDsOfNames(r, n, c, l, d);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID d, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* v,
                                   EXCEPINFO* e, UINT* a) override {
    ++lateCalls;
    return inner_->Invoke(d, r, l, f, p, v, e, a);
  }

 private:
  Ref<IDispatch> inner_;
  IID published_;
  bool early_;
};

class TestDrive final : public InertPhysDriveObj {
 public:
  int32_t address = 7;
  std::shared_ptr<CmdLog> log;
  void SetAddress(int32_t value) override { address = value; }
  int32_t Address() override { return address; }
  void SetLogFile(std::shared_ptr<CmdLog> value) override { log = std::move(value); }
  std::shared_ptr<CmdLog> LogFile() override { return log; }
  bool MotorFileExists(std::string& thePath) override { return (thePath += ".mtr").size() > 4; }
  std::string RunCommand(std::string& baseCmd, int32_t timeOut, bool throwErr) override {
    if (throwErr) throw AutomationError(1234, "Drive", "no reply to " + baseCmd);
    return baseCmd + " in " + std::to_string(timeOut);
  }
  int32_t WakeupDrive(std::shared_ptr<Collection> Drives, int32_t& nDrivesDetected) override {
    nDrivesDetected = Drives ? 2 : -1;
    return 3;
  }
};

void ForeignObjectsAreCalledThroughTheirInterface() {
  for (const bool early : {true, false}) {
    const std::string how = early ? "early: " : "late: ";
    auto core = std::make_shared<TestDrive>();
    const Ref<IUnknown> ours = WrapObject(core);
    const Ref<ClientObject> client(new ClientObject(ours.get(), __uuidof(_PhysDriveObj), early),
                                   false);
    const auto drive = Unwrap<PhysDriveObj>(client.get());
    ExpectEq(drive != nullptr && drive != core &&
                 WrapObject(drive).get() == static_cast<IUnknown*>(client.get()) &&
                 Unwrap<PhysDriveObj>(client.get()) == drive,
             true, how + "the client's drive is adapted, once while it lives, and wraps back");
    // Let and Get; Set and Get of an object, which keeps its identity; a method's result and
    // its by-reference text written back; by-value arguments; an object argument and a
    // by-reference number written back.
    auto log = CmdLog::create();
    std::string path = "motor", cmd = "PV";
    int32_t found = 0;
    drive->SetAddress(9);
    drive->SetLogFile(log);
    std::string got = std::to_string(core->address) + " " + std::to_string(drive->Address());
    got += core->log == log && drive->LogFile() == log ? " log" : " another log";
    got += drive->MotorFileExists(path) ? " " + path : " none";
    got += " " + drive->RunCommand(cmd, 10, false);
    got += " " + std::to_string(drive->WakeupDrive(Collection::create(), found));
    ExpectEq(got + " " + std::to_string(found), "9 9 log motor.mtr PV in 10 3 2", how + "calls");
    ExpectError([&] { drive->RunCommand(cmd); }, 1234, "Drive", "no reply to PV",
                how + "the callee's error");
    ExpectEq(client->lateCalls == 0, early, how + "late-bound calls only without the interface");
    if (!early)
      ExpectError([&] { drive->FirmwareName(); }, 438, "ZentNetLib",
                  "Object doesn't support this property or method",
                  "late: a member the object lacks");
  }

  // A drive is not a root object.
  ExpectError(
      [&] { Unwrap<NetLib>(Ref<IUnknown>(WrapObject(std::make_shared<TestDrive>())).get()); }, 13,
      "ZentNetLib", "Type mismatch", "a drive where a root object is wanted");
}

// A client's own collection is never taken for ours: every member goes through its dispatch
// interface, left-out arguments left out.
void ClientCollectionsAreCalledLateBound() {
  auto core = Collection::create();
  const Ref<IUnknown> ours = WrapObject(core);
  const Ref<ClientObject> client(new ClientObject(ours.get(), __uuidof(_Collection), false), false);
  const auto theirs = Unwrap<Collection>(client.get());
  ExpectEq(theirs != nullptr && theirs != core, true, "the client's collection is adapted");
  theirs->Add("b", "B");
  theirs->Add("a", {}, 1);
  theirs->Add("c", {}, {}, "b");
  theirs->Remove("B");
  ExpectEq(theirs->Item(2).ToString() + core->Item(1).ToString(), "ca", "Item");
  ExpectEq(client->lateCalls, 5, "every call late-bound");
}

// The rows that raise every event of every class, heard by the core's listener and, through
// the skin, by a client's: each relay must pass each event on under the identifier of the
// core's table (the type library's, as the native surface test checks).
void RelaysPassEveryEventOnUnderItsIdentifier() {
  // The value objects come from the value library, which must be registered: a relay hands
  // them to the client.
  for (const auto& suite : test::kSuites) {
    for (const test::Case& c : suite.cases()) {
      std::vector<std::unique_ptr<TestSink>> sinks;  // outlive the objects they listen to
      std::vector<Ref<IUnknown>> skins;
      test::g_advised = [&](const std::shared_ptr<Object>& core) {
        const ClassInfo* info = FindClass(core->ClassName());
        if (info == nullptr || info->eventInterfaceId.empty()) return;
        skins.push_back(WrapObject(core));
        sinks.push_back(std::make_unique<TestSink>());
        Expect(sinks.back()->Listen(skins.back().get(), ParseGuid(info->eventInterfaceId)),
               "advise " + std::string(core->ClassName()));
      };
      test::Hits hits;
      hits.drop = [] {};
      c.run(hits);
      test::g_advised = nullptr;
      if (sinks.empty()) continue;
      std::string expected, heard;
      for (const auto& [cls, ids] : test::kEventTables)
        for (const auto& name : hits.heard)
          for (const auto& e : ids)
            if (cls == hits.raiser && e.event == name) expected += std::to_string(e.dispId) + " ";
      for (const auto& sink : sinks) heard += sink->heard;
      ExpectEq(heard, expected, std::string(suite.cls) + " " + c.member + " through the skin");
      skins.clear();
    }
  }
}

// ---- Through the DLL ---------------------------------------------------------------------

DllFunction g_canUnloadNow = nullptr;

Ref<IDispatch> Create(const wchar_t* progId) {
  CLSID clsid{};
  Ref<IDispatch> object;
  Expect(SUCCEEDED(CLSIDFromProgID(progId, &clsid)) &&
             SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                        reinterpret_cast<void**>(object.put()))),
         "create " + Utf8(progId));
  return object;
}

template <class I>
Ref<I> CreateAs(const wchar_t* progId) {
  return Create(progId).As<I>(__uuidof(I));
}

void ErrorsReachTheClient() {
  const auto reflector = CreateAs<_ErrReflector>(L"ZentNetLib.ErrReflector");
  if (!reflector) return;
  // Scripts see the numbers; a compiled client also needs the error object and its interface.
  ExpectEq(reflector->Raise(), static_cast<HRESULT>(0x800A0005), "Raise before any copy");
  Ref<IErrorInfo> raised;
  GUID guid{};
  ExpectEq(GetErrorInfo(0, raised.put()), S_OK, "Raise leaves an error object");
  if (raised) raised->GetGUID(&guid);
  Expect(IsEqualGUID(guid, __uuidof(_ErrReflector)), "error names the interface");
  ExpectEq(reflector.As<ISupportErrorInfo>(IID_ISupportErrorInfo)
               ->InterfaceSupportsErrorInfo(__uuidof(_ErrReflector)),
           S_OK, "ISupportErrorInfo");
}

// IDispatch::Invoke as a compiled client calls it: `args` in call order, the last `named`
// of them named by `names`.
DISPID IdOf(IDispatch* object, const wchar_t* member) {
  DISPID id = 0;
  LPOLESTR name = const_cast<LPOLESTR>(member);
  object->GetIDsOfNames(IID_NULL, &name, 1, 0, &id);
  return id;
}

HRESULT InvokeNamed(IDispatch* object, const wchar_t* member, std::vector<VARIANT> args,
                    std::vector<DISPID> names, VARIANT* result, UINT* argErr) {
  const DISPID id = IdOf(object, member);
  // Arguments travel in reverse order, the named ones first.
  std::vector<VARIANT> reversed(args.rbegin(), args.rend());
  std::reverse(names.begin(), names.end());
  DISPPARAMS params{reversed.data(), names.data(), static_cast<UINT>(args.size()),
                    static_cast<UINT>(names.size())};
  EXCEPINFO info{};
  const HRESULT hr = object->Invoke(id, IID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                                    &params, result, &info, argErr);
  for (BSTR text : {info.bstrSource, info.bstrDescription, info.bstrHelpFile}) SysFreeString(text);
  return hr;
}

VARIANT Long(LONG value) {
  VARIANT v;
  V_VT(&v) = VT_I4, V_I4(&v) = value;
  return v;
}
VARIANT Text(const wchar_t* text) {
  VARIANT v;
  V_VT(&v) = VT_BSTR, V_BSTR(&v) = SysAllocString(text);
  return v;
}

// The write slot of an object-valued field that the type library leaves undescribed: an
// object is assigned as by the reference-assign slot, anything else is refused with error 13.
template <class I, class T>
void UndescribedWrite(const wchar_t* progId, HRESULT (STDMETHODCALLTYPE I::*get)(T**),
                      HRESULT (STDMETHODCALLTYPE I::*put)(VARIANT)) {
  const auto itf = CreateAs<I>(progId);
  Ref<T> held, after;
  if (!itf || FAILED((itf.get()->*get)(held.put())))
    return Expect(false, Utf8(progId) + ": the field's object");
  ExpectEq((itf.get()->*put)(Long(5)), static_cast<HRESULT>(0x800A000D),
           Utf8(progId) + ": the undescribed write of a number");
  VARIANT object{};
  V_VT(&object) = VT_DISPATCH, V_DISPATCH(&object) = held.get();
  ExpectEq((itf.get()->*put)(object), S_OK, Utf8(progId) + ": the undescribed write of an object");
  (itf.get()->*get)(after.put());
  Expect(after.get() == held.get(), Utf8(progId) + ": the same object after writing it back");
}

// Named arguments reach the parameter they name or are refused as COM says, and a
// by-reference variable the member does not write keeps its type.
void ArgumentsAsACompiledClientPasses() {
  auto config = Create(L"ZentNetLib.ConfigRegObj");
  auto io = Create(L"ZentNetLib.IOregisterObj");
  auto stimulus = Create(L"ZentNetLib.StimulusStateObj");
  if (!config || !io || !stimulus) return;
  VARIANT text;
  VariantInit(&text);
  InvokeNamed(config.get(), L"SteadixStr", {Long(1)}, {}, &text, nullptr);
  const std::string one = V_VT(&text) == VT_BSTR ? ToUtf8(V_BSTR(&text)) : "?";
  VariantClear(&text);
  // SteadixStr takes one argument, SetupFor two; the last `names` of them are named.
  const std::tuple<IDispatch*, const wchar_t*, std::vector<DISPID>, HRESULT> cases[] = {
      {config.get(), L"SteadixStr", {0}, S_OK},
      {config.get(), L"SteadixStr", {1}, DISP_E_PARAMNOTFOUND},  // the result's
      {stimulus.get(), L"SetupFor", {0, 0}, DISP_E_PARAMNOTFOUND},
      {stimulus.get(), L"SetupFor", {0}, DISP_E_PARAMNOTFOUND}};
  int n = 0;
  for (const auto& [object, member, names, want] : cases) {
    UINT argErr = 99;
    const std::string what = "named " + Utf8(member) + " #" + std::to_string(n++);
    const HRESULT hr =
        InvokeNamed(object, member, std::vector<VARIANT>(object == config.get() ? 1 : 2, Long(1)),
                    names, &text, &argErr);
    ExpectEq(hr, want, what);
    if (hr == S_OK)
      ExpectEq(V_VT(&text) == VT_BSTR ? ToUtf8(V_BSTR(&text)) : "?", one, what);
    else
      ExpectEq(argErr, 0u, "... the first argument is in error: " + what);
    VariantClear(&text);
  }

  VARIANT bits = Long(0x380), byRef;
  V_VT(&byRef) = VT_BYREF | VT_VARIANT, V_VARIANTREF(&byRef) = &bits;
  ExpectEq(InvokeNamed(io.get(), L"BitNames", {byRef}, {}, &text, nullptr), S_OK, "BitNames");
  ExpectEq(V_VT(&bits) == VT_I4 && V_I4(&bits) == 0x380, true, "... leaves a Long a Long");
  VariantClear(&text);
}

// One Invoke's answer as text: the HRESULT, the result's type and value, the error's number,
// source and description, the argument at fault.
std::string Answer(HRESULT hr, VARIANT& result, EXCEPINFO& e, UINT argErr) {
  VARIANT text;
  VariantInit(&text);
  if (V_VT(&result) != VT_DISPATCH) VariantChangeType(&text, &result, 0, VT_BSTR);
  char head[64];
  std::snprintf(head, sizeof head, "%08lX vt%d ", static_cast<unsigned long>(hr), V_VT(&result));
  std::string answer = head + (V_VT(&text) == VT_BSTR ? ToUtf8(V_BSTR(&text)) : "-") + " " +
                       std::to_string(e.scode) + " " + Utf8(e.bstrSource ? e.bstrSource : L"") +
                       ": " + Utf8(e.bstrDescription ? e.bstrDescription : L"") + " @" +
                       std::to_string(argErr);
  VariantClear(&text);
  VariantClear(&result);
  for (BSTR b : {e.bstrSource, e.bstrDescription, e.bstrHelpFile}) SysFreeString(b);
  return answer;
}

// The skin calls members of the commonest shapes through their vtable slots itself; each
// call answers as the platform's ITypeInfo::Invoke of the vtable interface does.
void DirectCallsAnswerAsThePlatform(IDispatch* object, const wchar_t* member, WORD flags,
                                    VARIANT arg, bool given = true) {
  const DISPID id = IdOf(object, member);
  Ref<ITypeInfo> dispatch, vtable;
  HREFTYPE ref = 0;
  TYPEATTR* attr = nullptr;
  object->GetTypeInfo(0, 0, dispatch.put());
  if (!dispatch || FAILED(dispatch->GetRefTypeOfImplType(-1, &ref)) ||
      FAILED(dispatch->GetRefTypeInfo(ref, vtable.put())) || FAILED(vtable->GetTypeAttr(&attr)))
    return Expect(false, "the vtable interface of " + Utf8(member));
  Ref<IUnknown> instance;
  object->QueryInterface(attr->guid, reinterpret_cast<void**>(instance.put()));
  vtable->ReleaseTypeAttr(attr);
  DISPID put = DISPID_PROPERTYPUT;
  const bool isPut = flags == DISPATCH_PROPERTYPUT;
  std::string answers[2];
  for (int platform = 0; platform < 2; ++platform) {
    DISPPARAMS params{&arg, isPut ? &put : nullptr, given ? 1u : 0u, isPut ? 1u : 0u};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO e{};
    UINT argErr = 99;
    const HRESULT hr =
        platform ? vtable->Invoke(instance.get(), id, flags, &params, &result, &e, &argErr)
                 : object->Invoke(id, IID_NULL, 0, flags, &params, &result, &e, &argErr);
    answers[platform] = Answer(hr, result, e, argErr);
  }
  ExpectEq(answers[0], answers[1], Utf8(member) + " answers as the platform");
}

void DirectCallsAnswerAsThePlatform() {
  const WORD get = DISPATCH_PROPERTYGET, method = DISPATCH_METHOD | DISPATCH_PROPERTYGET;
  VARIANT none{}, text = Text(L"12"), bad = Text(L"x"), variable = Long(2), byRef{};
  V_VT(&byRef) = VT_BYREF | VT_VARIANT, V_VARIANTREF(&byRef) = &variable;
  if (auto status = Create(L"ZentNetLib.StatusRegObj")) {
    for (VARIANT value : {text, bad, byRef})
      DirectCallsAnswerAsThePlatform(status.get(), L"StatusImplemented", DISPATCH_PROPERTYPUT,
                                     value);
    DirectCallsAnswerAsThePlatform(status.get(), L"StatusImplemented", method, none, false);
    DirectCallsAnswerAsThePlatform(status.get(), L"AllSystemsGo", get, none, false);
    DirectCallsAnswerAsThePlatform(status.get(), L"Register", get, none, false);
  }
  if (auto reflector = Create(L"ZentNetLib.ErrReflector"))
    DirectCallsAnswerAsThePlatform(reflector.get(), L"Raise", DISPATCH_METHOD, none, false);
  auto core = Collection::create();
  core->Add("a");
  core->Add("b");
  const Ref<IUnknown> ours = WrapObject(core);
  const auto items = ours.As<IDispatch>(IID_IDispatch);
  for (VARIANT index : {Long(1), text, byRef})
    DirectCallsAnswerAsThePlatform(items.get(), L"Item", method, index);
  DirectCallsAnswerAsThePlatform(items.get(), L"Count", get, none, false);
  VariantClear(&text);
  VariantClear(&bad);
}

// What only a compiled client passes, through the vtable (the contract client checks each
// slot's place): typed arguments by reference that early-bound listeners answer, records
// among them, the client's own drive going in and coming back as itself, a write by
// reference, the runtime collection's slots, and the write slots the type library leaves
// undescribed.
void CompiledClientsPassThroughTheVtable() {
  const auto drive = Make(new TestSink);  // none of the hubs calls the drive: its identity travels
  drive->extra = __uuidof(_PhysDriveObj);
  auto* node = reinterpret_cast<_PhysDriveObj*>(static_cast<IDispatch*>(drive.get()));
  std::string firsts;
  TestSink sinks[4];  // outlive the objects they listen to
  for (TestSink& sink : sinks)
    // The last argument answered (a flag set, a number 7, the drive handed back, a record's
    // field changed: by the adapter's listener, then again by its supervisor's), the first
    // noted: the drive, another object or neither.
    sink.act = [&](DISPID id, DISPPARAMS* p, EXCEPINFO*) {
      VARIANT &last = p->rgvarg[0], &first = p->rgvarg[p->cArgs - 1];
      if (V_VT(&last) == (VT_BYREF | VT_BOOL)) *V_BOOLREF(&last) = VARIANT_TRUE;
      if (V_VT(&last) == (VT_BYREF | VT_I4)) *V_I4REF(&last) = 7;
      if (V_VT(&last) == (VT_BYREF | VT_DISPATCH) && !*V_DISPATCHREF(&last))
        (*V_DISPATCHREF(&last) = drive.get())->AddRef();
      if (V_VT(&last) == (VT_BYREF | VT_RECORD) && id == 2)
        static_cast<::infcErrInfo*>(V_RECORD(&last))->errCode += 1;
      if (V_VT(&last) == (VT_BYREF | VT_RECORD) && id == 4)
        static_cast<::infcParamChg*>(V_RECORD(&last))->NewValue *= 2;
      const bool object = V_VT(&first) == (VT_BYREF | VT_DISPATCH) && *V_DISPATCHREF(&first);
      firsts += !object ? "- " : *V_DISPATCHREF(&first) == drive.get() ? "drive " : "object ";
      return S_OK;
    };
  const auto app = CreateAs<_AppStateEventObj>(L"ZentNetLib.AppStateEventObj");
  const auto hub = CreateAs<_DriveEventObj>(L"ZentNetLib.DriveEventObj");
  const auto sup = CreateAs<_NetSupervisorObj>(L"ZentNetLib.NetSupervisorObj");
  const auto adapter = CreateAs<_NetAdapterObj>(L"ZentNetLib.NetAdapterObj");
  _NetSupervisorObj* itsSupervisor = sup.get();
  IDispatch* peer = drive.get();
  // The hub's listener connects to the point a compiled client may also find by listing them
  // (scripts and the other listeners find theirs by the interface).
  Ref<IEnumConnectionPoints> points;
  Ref<IConnectionPoint> point;
  DWORD cookie = 0;
  const bool listed = hub &&
                      SUCCEEDED(hub.As<IConnectionPointContainer>(IID_IConnectionPointContainer)
                                    ->EnumConnectionPoints(points.put())) &&
                      points->Next(1, point.put(), nullptr) == S_OK &&
                      point->Advise(&sinks[1], &cookie) == S_OK;
  Expect(app && listed && sup && adapter &&
             sinks[0].Listen(app.get(), __uuidof(__AppStateEventObj)) &&
             sinks[2].Listen(adapter.get(), __uuidof(__NetAdapterObj)) &&
             sinks[3].Listen(sup.get(), __uuidof(__NetSupervisorObj)) &&
             SUCCEEDED(adapter->NetSupervisor(&itsSupervisor, &peer)),
         "the hubs (the drive's at the point EnumConnectionPoints lists), an adapter and its "
         "supervisor, listened to");
  if (!app || !hub || !sup || !adapter) return;
  VARIANT_BOOL cancel = 0, newState = VARIANT_TRUE, success = 0;
  _PhysDriveObj *made = nullptr, *sent = node;
  _NetAdapterObj* net = nullptr;
  LONG port = 3;
  auto state = static_cast<::NetworkChanges>(1);
  ::infcErrInfo error{1, 2, 5, {3, {9}}};
  ::infcParamChg change{1.25, 1, 2, 3};
  const HRESULT calls[] = {app->FireTerminate(&cancel),
                           app->FireCreateDemoDrive(static_cast<::PhysDriveType>(7), &made),
                           hub->FireCommError(&sent, static_cast<::DriveErrors>(1505)),
                           hub->FireEnableChanged(&sent, VARIANT_TRUE),
                           sup->FireRequestNetOpen(&net, &peer, &newState, &port, &success),
                           sup->FireNetworkChanged(&net, &state),
                           adapter->FireNetworkError(&error),
                           adapter->FireParameterChanged(&change),
                           adapter->FireNetworkError(nullptr)};
  std::string got;
  for (const HRESULT hr : calls) got += std::to_string(hr) + " ";
  got += std::to_string(cancel) + " " + std::to_string(success) + " " + std::to_string(state) +
         " " + std::to_string(error.errCode) + " " + std::to_string(change.NewValue);
  got += made == node && sent == node ? " drive " : " another ";
  ExpectEq(got + firsts,
           "0 0 0 0 0 0 0 0 -2147467261 -1 -1 7 7 5.000000 drive - - drive drive - - - "
           "object - object ",
           "listeners' answers by reference, the client's drive as itself");
  if (made) made->Release();

  // The runtime collection's slots, as a client written against that interface calls them.
  Ref<_Collection> items;
  adapter->get_Nodes(items.put());
  VARIANT a = Text(L"a"), b = Text(L"b"), key = Text(L"k1"), gone = Text(L"gone"), two = Long(2),
          none{}, item{};
  V_VT(&none) = VT_ERROR, V_ERROR(&none) = DISP_E_PARAMNOTFOUND;
  LONG count = 0;
  if (items) {
    items->Add(&a, &key, &none, &none);
    items->Add(&b, &none, &none, &none);
    items->Remove(&key);
    items->Add(&a, &none, &none, &none);
    items->Item(&two, &item);
    items->Count(&count);
    const HRESULT absent = items->Remove(&gone);
    ExpectEq((V_VT(&item) == VT_BSTR ? ToUtf8(V_BSTR(&item)) : "?") + " " + std::to_string(count) +
                 " " + std::to_string(absent),
             "a 2 -2146828283", "Item, Count and an absent key's Remove through the slots");
  }
  for (VARIANT* v : {&a, &b, &key, &gone, &item}) VariantClear(v);

  // A write whose value goes by reference.
  LONG option = 9, read = 9;  // an enumeration's variable, which may hold any number
  const auto options = CreateAs<_OptionRegObj>(L"ZentNetLib.OptionRegObj");
  if (options)
    options->put_CaseOption(reinterpret_cast<::OptionCases*>(&option)),
        options->get_CaseOption(reinterpret_cast<::OptionCases*>(&read));
  ExpectEq(read, 1, "CaseOption after a write of 9 by reference");
  UndescribedWrite(L"ZentNetLib.ConfigRegObj", &_ConfigRegObj::get_Register,
                   &_ConfigRegObj::put_Register);
  UndescribedWrite(L"ZentNetLib.ErrorCodeObj", &_ErrorCodeObj::get_Register,
                   &_ErrorCodeObj::put_Register);
  UndescribedWrite(L"ZentNetLib.OptionRegObj", &_OptionRegObj::get_Register,
                   &_OptionRegObj::put_Register);
  UndescribedWrite(L"ZentNetLib.StatusRegObj", &_StatusRegObj::get_ConfigReg,
                   &_StatusRegObj::put_ConfigReg);
}

void RegistrationRoundTrip(HMODULE dll) {
  ExpectEq(Export(dll, "DllRegisterServer")(), S_OK, "DllRegisterServer");
  ExpectEq(RegText(L"ZentNetLib.CmdLog\\CurVer"), "ZentNetLib.CmdLog.1", "CurVer");
  const auto get = reinterpret_cast<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(
      reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
  void* factory = nullptr;
  // The type library's identifier names no class.
  ExpectEq(get(ParseGuid("{EC0ACDA5-6E4E-42C1-87F7-4A0FF22A6EA7}"), IID_IClassFactory, &factory),
           CLASS_E_CLASSNOTAVAILABLE, "no factory for an identifier that names no class");
  if (factory != nullptr) static_cast<IUnknown*>(factory)->Release();
}

// The runtime's collection interface, which our type library describes, keeps the
// registration another library wrote for it through our registering and unregistering.
void ForeignInterfaceKeysSurvive(HMODULE dll) {
  const std::wstring key = L"Interface\\{A4C46780-499F-101B-BB78-00AA00383CBB}";
  const std::pair<std::wstring, std::wstring> planted[] = {
      {key, L"_Collection"},
      {key + L"\\TypeLib", L"{6D1B2D5C-0E5B-4B7A-9C38-2F1E5A9B7C41}"},
      {key + L"\\ProxyStubClsid32", L"{00020424-0000-0000-C000-000000000046}"}};
  for (const auto& [path, value] : planted)
    RegSetValueW(HKEY_CLASSES_ROOT, path.c_str(), REG_SZ, value.c_str(), 0);
  for (const char* name : {"DllRegisterServer", "DllUnregisterServer"}) {
    ExpectEq(Export(dll, name)(), S_OK, name);
    for (const auto& [path, value] : planted)
      ExpectEq(RegText(path), Utf8(value.c_str()),
               std::string("the planted collection key after ") + name);
  }
  RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
}

// ---- Value objects of the value library's DLL, as the core sees them -----------------------

// A core subscriber of a value object; the script suites see its events arrive and its errors
// go back (testsignal.vbs's endless re-entry), not the by-reference cache event.
class ValueListener final : public ValueObjEvents {
 public:
  std::string heard;
  void ValueChanged(std::shared_ptr<ValueObj>&) override {}
  void Changed(std::shared_ptr<ValueObj>&) override { heard += "Changed "; }
  void ContentChanged(std::shared_ptr<ValueObj>&) override {}
  void InitializeCache(double& initialValue, bool& processed) override {
    heard += "InitializeCache(" + std::to_string(static_cast<int>(initialValue)) + ") ";
    initialValue = 42;
    processed = true;
  }
};

// The bridge that the value object's connection point holds for the adapter's subscribers.
Ref<IDispatch> BridgeOf(IUnknown* object) {
  Ref<IConnectionPoint> point;
  Ref<IConnectionPointContainer> container =
      Ref<IUnknown>(object).As<IConnectionPointContainer>(IID_IConnectionPointContainer);
  if (!container || FAILED(container->FindConnectionPoint(
                        ParseGuid(values::kValueObj.eventInterfaceId), point.put())))
    return {};
  Ref<IEnumConnections> connections;
  CONNECTDATA data{};
  if (FAILED(point->EnumConnections(connections.put())) ||
      connections->Next(1, &data, nullptr) != S_OK)
    return {};
  const Ref<IUnknown> sink(data.pUnk, false);
  return sink.As<IDispatch>(IID_IDispatch);
}

void ValueObjectsComeFromTheValueLibrary() {
  const std::shared_ptr<ValueObj> value = NewValueObj();
  const auto com = WrapObject(value).As<_ValueObj>(__uuidof(_ValueObj));
  Expect(Unwrap<ValueObj>(com.get()) == value, "handed in again, the object has the same adapter");
  auto listener = std::make_shared<ValueListener>();
  const Cookie cookie = value->Advise(listener);

  // By-reference arguments come back from the subscribers; a wrong count is error 450.
  const Ref<IDispatch> bridge = BridgeOf(com.get());
  Expect(bool(bridge), "the value object holds the bridge");
  if (bridge) {
    DOUBLE initialValue = 1;
    VARIANT_BOOL processed = VARIANT_FALSE;
    VARIANT args[2];
    V_VT(&args[1]) = VT_BYREF | VT_R8, V_R8REF(&args[1]) = &initialValue;
    V_VT(&args[0]) = VT_BYREF | VT_BOOL, V_BOOLREF(&args[0]) = &processed;
    DISPPARAMS params{args, nullptr, 2, 0};
    EXCEPINFO info{};
    ExpectEq(bridge->Invoke(5, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, &info, nullptr),
             S_OK, "InitializeCache");
    ExpectEq(initialValue, 42, "initialValue written back");
    ExpectEq(processed, VARIANT_TRUE, "processed written back");
    params.cArgs = 1;
    ExpectEq(bridge->Invoke(5, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, &info, nullptr),
             DISP_E_EXCEPTION, "one argument short");
    ExpectEq(info.scode, static_cast<SCODE>(0x800A01C2), "... is error 450");
    for (BSTR text : {info.bstrSource, info.bstrDescription, info.bstrHelpFile})
      SysFreeString(text);
  }
  ExpectEq(listener->heard, "InitializeCache(1) ", "the events");
  value->Unadvise(cookie);
}

// A client's own value object (ours behind a client's IDispatch, without our private number
// interface): its number read and written through the published interface, its events
// passed on to core subscribers, its connection ended with the adapter.
void ClientValuesAreCalledThroughTheirInterface() {
  const Ref<IUnknown> ours = WrapObject(NewValueObj());
  const Ref<ClientObject> client(new ClientObject(ours.get(), __uuidof(_ValueObj), true), false);
  auto listener = std::make_shared<ValueListener>();
  if (const auto theirs = Unwrap<ValueObj>(client.get())) {
    theirs->Advise(listener);
    theirs->Number()->SetValue(5);
    ExpectEq(theirs->NumberValue(), 5, "a client's value: its number");
    ExpectEq(Unwrap<ValueObj>(ours.get())->NumberValue(), 5, "... is the object's");
  }
  ExpectEq(listener->heard, "Changed ", "... its Changed event");
  ExpectEq(bool(BridgeOf(ours.get())), false, "... no connection left once the adapter is gone");
}

// Registers the value library's DLL beside `zentNetLib`, runs the checks, and proves that
// no cycle keeps its objects alive; unregistered, it makes the factory fail with 429.
void ValuesThroughTheirOwnDll(const std::string& zentNetLib) {
  const size_t slash = zentNetLib.find_last_of("\\/");
  const std::string path =
      (slash == std::string::npos ? "" : zentNetLib.substr(0, slash + 1)) + "ZentValues.dll";
  HMODULE dll = LoadLibraryA(path.c_str());
  Expect(dll != nullptr, "LoadLibrary " + path);
  if (dll == nullptr) return;
  ExpectEq(Export(dll, "DllRegisterServer")(), S_OK, "ZentValues DllRegisterServer");
  ValueObjectsComeFromTheValueLibrary();
  ClientValuesAreCalledThroughTheirInterface();
  ExpectEq(Export(dll, "DllCanUnloadNow")(), S_OK,
           "ZentValues can unload once the adapters are gone");
  for (const char* again : {"", " again"})
    ExpectEq(Export(dll, "DllUnregisterServer")(), S_OK,
             std::string("ZentValues DllUnregisterServer") + again);
  ExpectError([] { NewValueObj(); }, 429, "ZentNetLib", "ActiveX component can't create object",
              "a value object without the value library");
}

}  // namespace
}  // namespace zentnet::com

int main(int argc, char** argv) {
  using namespace zentnet::com;
  CoInitialize(nullptr);
  ErrorNumbersTravelAsScriptsExpect();
  EventListenersAndTheirErrors();
  ForeignObjectsAreCalledThroughTheirInterface();
  ClientCollectionsAreCalledLateBound();
  RelaysPassEveryEventOnUnderItsIdentifier();

  const std::string path = argc > 1 ? argv[1] : "ZentNetLib.dll";
  HMODULE dll = LoadLibraryA(path.c_str());
  Expect(dll != nullptr, "LoadLibrary " + path);
  if (dll != nullptr) {
    g_canUnloadNow = Export(dll, "DllCanUnloadNow");
    RegistrationRoundTrip(dll);
    ErrorsReachTheClient();
    ArgumentsAsACompiledClientPasses();
    DirectCallsAnswerAsThePlatform();
    CompiledClientsPassThroughTheVtable();
    // A module that may unload lets go of its type information, yet stays loaded: calls
    // look it up anew.
    ExpectEq(g_canUnloadNow(), S_OK, "DllCanUnloadNow between calls");
    ArgumentsAsACompiledClientPasses();
    ValuesThroughTheirOwnDll(path);
    ExpectEq(g_canUnloadNow(), S_OK, "DllCanUnloadNow once every object is released");
    for (const char* again : {"", " again"})
      ExpectEq(Export(dll, "DllUnregisterServer")(), S_OK,
               std::string("DllUnregisterServer") + again);
    ForeignInterfaceKeysSurvive(dll);
  }
  CoUninitialize();
  std::printf("%s: %d failure(s)\n", g_failures == 0 ? "ok" : "FAILED", g_failures);
  return g_failures;
}

// Value objects of the value library, whichever DLL serves them, as the core's value
// objects. The core's factory creates them by their published class identifiers, so a
// sibling value library is used where one is registered; a value object a client hands in
// is adapted the same way. An adapter calls the object through its published interface,
// passes the object's events on to its core subscribers, and handed back out is the
// client's object again (Foreign).

#include <tuple>

#include "../skin/dual.h"
#include "../skin/unknown.h"
#include "../values/library.h"
#include "zentnet/values/factory.h"

namespace zentnet::com {
namespace {

// A failed call on another component's interface, as the error it reported.
void Check(HRESULT hr) {
  if (SUCCEEDED(hr)) return;
  Ref<IErrorInfo> info;
  if (GetErrorInfo(0, info.put()) != S_OK || !info) ThrowFrom(hr, nullptr);
  BSTR source = nullptr, description = nullptr, helpFile = nullptr;
  DWORD helpContext = 0;
  info->GetSource(&source);
  info->GetDescription(&description);
  info->GetHelpFile(&helpFile);
  info->GetHelpContext(&helpContext);
  const Bstr s(source), d(description), h(helpFile);
  throw AutomationError(NumberOf(hr), ToUtf8(s.get()), ToUtf8(d.get()), ToUtf8(h.get()),
                        static_cast<int32_t>(helpContext));
}

template <class C>
struct Freed {
  C& c;
  ~Freed() { Free(c); }
};

template <class Itf>
Ref<Itf> Interface(IDispatch* object) {
  auto itf = Ref<IDispatch>(object).As<Itf>(__uuidof(Itf));
  if (!itf) err::RaiseTypeMismatch();
  return itf;
}

// Calls through a component's interface with the skin's conversions.
template <class Itf>
class Through {
 protected:
  explicit Through(Ref<Itf> itf) : itf_(std::move(itf)) {}
  Itf* itf() const { return itf_.get(); }

  template <class T, class C>
  T Get(HRESULT (STDMETHODCALLTYPE Itf::*get)(C*)) const {
    C c{};
    Check((itf_.get()->*get)(&c));
    const Freed<C> freed{c};
    return In<T>(c);
  }
  // A by-reference argument's final value goes back into `value` when it is a variable.
  template <class A, class T>
  void Put(HRESULT (STDMETHODCALLTYPE Itf::*put)(A), T&& value) const {
    if constexpr (std::is_pointer_v<A> && !kIsInterface<A> && !std::is_same_v<A, BSTR>) {
      std::remove_pointer_t<A> c{};
      Out(value, &c);
      const Freed<std::remove_pointer_t<A>> freed{c};
      Check((itf_.get()->*put)(&c));
      if constexpr (std::is_lvalue_reference_v<T> && !std::is_const_v<std::remove_reference_t<T>>)
        value = In<std::remove_cvref_t<T>>(c);
    } else {
      A c{};
      Out(value, &c);
      const Freed<A> freed{c};
      Check((itf_.get()->*put)(c));
    }
  }

 private:
  Ref<Itf> itf_;
};

// ---- Events of a foreign object ---------------------------------------------------------

// A core event and the name its dispatch identifier is published under.
template <class Sink, class... A>
struct Route {
  std::string_view event;
  void (Sink::*member)(A&...);
};
template <class Sink, class... A>
Route(std::string_view, void (Sink::*)(A&...)) -> Route<Sink, A...>;

template <class T>
T EventIn(const VARIANT& arg) {
  if constexpr (IsSharedPtr<T>::value) {
    return Unwrap<typename IsSharedPtr<T>::element>(ObjectIn(arg));
  } else if constexpr (std::is_same_v<T, bool>) {
    return VariantIn(arg).ToBool();
  } else {
    static_assert(std::is_same_v<T, double>, "no event argument of this type");
    return VariantIn(arg).ToDouble();
  }
}

// What the subscribers left in an argument goes back to the raiser when it passed the
// argument by reference.
template <class T>
void EventOut(const T& value, VARIANT& arg) {
  if (V_VT(&arg) == (VT_BYREF | VarTypeOf<T>())) {
    Replace(value, static_cast<decltype(ComTypeOf<T>())*>(V_BYREF(&arg)));
  } else if (V_VT(&arg) == (VT_BYREF | VT_VARIANT)) {
    VARIANT next;
    VariantOut(Variant(value), &next);
    VariantClear(V_VARIANTREF(&arg));
    *V_VARIANTREF(&arg) = next;
  }
}

HRESULT Excepted(const AutomationError& e, EXCEPINFO* excep) {
  if (excep == nullptr) return HResultOf(e.Number());
  *excep = EXCEPINFO{};
  excep->scode = HResultOf(e.Number());
  excep->bstrSource = Bstr(e.Source()).detach();
  excep->bstrDescription = Bstr(e.Description()).detach();
  excep->bstrHelpFile = Bstr(e.HelpFile()).detach();
  excep->dwHelpContext = static_cast<DWORD>(e.HelpContext());
  return DISP_E_EXCEPTION;
}

// Hears a foreign object's events through its connection point and raises each on the core
// subscribers of the adapter standing for the object; an error of a subscriber goes back
// to the raiser. The connection point holds the bridge and the bridge holds the adapter
// weakly, so no cycle keeps either alive.
template <class Adapter>
class EventBridge final : public RefCounted<IDispatch, EventBridge<Adapter>>, Counted {
  using Sink = typename Adapter::Events;

 public:
  EventBridge(std::weak_ptr<Adapter> adapter, const IID& events)
      : adapter_(std::move(adapter)), events_(events) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    return AnswerAs<IDispatch>(this, riid, ppv, IID_IDispatch, events_);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                   EXCEPINFO* excep, UINT*) override {
    const std::shared_ptr<Adapter> adapter = adapter_.lock();
    if (!adapter) return S_OK;  // nobody is left to hear it
    if (params == nullptr) return E_POINTER;
    try {
      std::apply([&](const auto&... route) { (Deliver(*adapter, route, id, *params), ...); },
                 Adapter::kRoutes);
    } catch (const AutomationError& e) {
      return Excepted(e, excep);
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    } catch (...) {
      return E_UNEXPECTED;
    }
    return S_OK;
  }

 private:
  static constexpr DISPID IdOf(std::string_view event) {
    for (const auto& e : Adapter::kIds)
      if (e.event == event) return e.dispId;
    return DISPID_UNKNOWN;
  }
  template <class... A>
  static void Deliver(Adapter& adapter, const Route<Sink, A...>& route, DISPID id, DISPPARAMS& p) {
    if (IdOf(route.event) != id) return;
    constexpr UINT N = sizeof...(A);
    if (p.cArgs != N) err::RaiseWrongArguments();
    // Arguments travel in reverse order.
    [&]<size_t... I>(std::index_sequence<I...>) {
      std::tuple<A...> values(EventIn<A>(p.rgvarg[N - 1 - I])...);
      adapter.Subscribers().Raise(adapter.shared_from_this(), [&](Sink& sink) {
        (sink.*route.member)(std::get<I>(values)...);
      });
      (EventOut(std::get<I>(values), p.rgvarg[N - 1 - I]), ...);
    }
    (std::make_index_sequence<N>{});
  }

  std::weak_ptr<Adapter> adapter_;
  const IID events_;
};

// The core subscribers of an adapter, and its connection to the foreign object's events,
// made when the first subscriber comes and ended when the adapter goes.
template <class Adapter>
class ForeignEvents {
 public:
  ForeignEvents() = default;
  ForeignEvents(const ForeignEvents&) = delete;
  ForeignEvents& operator=(const ForeignEvents&) = delete;
  ~ForeignEvents() {
    if (point_) point_->Unadvise(cookie_);
  }

  Cookie Advise(Adapter& adapter, std::shared_ptr<typename Adapter::Events> sink) {
    if (!point_) Connect(adapter);
    return subscribers.Advise(std::move(sink));
  }

  EventSource<typename Adapter::Events> subscribers;

 private:
  // The object's own default event interface where it names one, else the published one.
  // An object without connection points has no events to pass on.
  void Connect(Adapter& adapter) {
    const Ref<IDispatch> object(adapter.Dispatch());
    const auto container = object.As<IConnectionPointContainer>(IID_IConnectionPointContainer);
    if (!container) return;
    IID events = ParseGuid(Adapter::kPublished.eventInterfaceId);
    if (const auto info = object.As<IProvideClassInfo2>(IID_IProvideClassInfo2)) {
      IID named{};
      if (SUCCEEDED(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &named))) events = named;
    }
    Ref<IConnectionPoint> point;
    Check(container->FindConnectionPoint(events, point.put()));
    const Ref<IDispatch> bridge(new EventBridge<Adapter>(adapter.weak_from_this(), events), false);
    Check(point->Advise(bridge.get(), &cookie_));
    point_ = point;
  }

  Ref<IConnectionPoint> point_;
  DWORD cookie_ = 0;
};

// ---- The adapters ------------------------------------------------------------------------

class ValueNumberAdapter final : public ValueNumberObj, Through<_ValueNumberObj> {
  using I = _ValueNumberObj;

 public:
  explicit ValueNumberAdapter(Ref<I> number) : Through(std::move(number)) {}

  double Value() const override { return Get<double>(&I::get_Value); }
  void SetValue(double v) override { Put(&I::put_Value, v); }
  double PreviousValue() const override { return Get<double>(&I::get_PreviousValue); }
  double LowerBoundA() const override { return Get<double>(&I::get_LowerBoundA); }
  void SetLowerBoundA(double v) override { Put(&I::put_LowerBoundA, v); }
  double UpperBoundA() const override { return Get<double>(&I::get_UpperBoundA); }
  void SetUpperBoundA(double v) override { Put(&I::put_UpperBoundA, v); }
  double LowerBoundB() const override { return Get<double>(&I::get_LowerBoundB); }
  void SetLowerBoundB(double v) override { Put(&I::put_LowerBoundB, v); }
  double UpperBoundB() const override { return Get<double>(&I::get_UpperBoundB); }
  void SetUpperBoundB(double v) override { Put(&I::put_UpperBoundB, v); }
  double DefaultValue() const override { return Get<double>(&I::get_DefaultValue); }
  void SetDefaultValue(double v) override { Put(&I::put_DefaultValue, v); }
  int32_t SetupH() const override { return Get<int32_t>(&I::get_SetupH); }
  void SetSetupH(int32_t v) override { Put(&I::put_SetupH, v); }
  std::string Format() const override { return Get<std::string>(&I::get_Format); }
  void SetFormat(const std::string& v) override { Put(&I::put_Format, v); }
  std::string Label() const override { return Get<std::string>(&I::get_Label); }
  void SetLabel(const std::string& v) override { Put(&I::put_Label, v); }
  double InitialValue() const override { return Get<double>(&I::get_InitialValue); }
  void SetInitialValue(double v) override { Put(&I::put_InitialValue, v); }
  double Scale() const override { return Get<double>(&I::get_Scale); }
  void SetScale(double v) override { Put(&I::put_Scale, v); }
  int32_t SetupI() const override { return Get<int32_t>(&I::get_SetupI); }
  void SetSetupI(int32_t v) override { Put(&I::put_SetupI, v); }
  int32_t SetupJ() const override { return Get<int32_t>(&I::get_SetupJ); }
  void SetSetupJ(int32_t v) override { Put(&I::put_SetupJ, v); }
  int32_t SetupK() const override { return Get<int32_t>(&I::get_SetupK); }
  void SetSetupK(int32_t v) override { Put(&I::put_SetupK, v); }
};

class ValueObjAdapter final : public ValueObj,
                              public Foreign,
                              Through<_ValueObj>,
                              public std::enable_shared_from_this<ValueObjAdapter> {
  using I = _ValueObj;

 public:
  static constexpr const ClassInfo& kPublished = values::kValueObj;
  static constexpr const auto& kIds = values::kValueObjEventIds;
  static constexpr auto kRoutes = std::tuple(
      Route{"Changed", &Events::Changed}, Route{"ValueChanged", &Events::ValueChanged},
      Route{"ContentChanged", &Events::ContentChanged}, Route{"Refresh", &Events::Refresh},
      Route{"InitializeCache", &Events::InitializeCache});

  explicit ValueObjAdapter(IDispatch* object)
      : Foreign(object),
        Through(Interface<I>(object)),
        numberValue_(Ref<IDispatch>(object).As<INumberValue>(IID_INumberValue)) {}

  std::shared_ptr<ValueNumberObj> Number() override { return NumberOf(&I::get_Number); }
  double NumberValue() override {
    if (!numberValue_) return ValueObj::NumberValue();
    DOUBLE value = 0;
    Check(numberValue_->NumberValue(&value));
    return value;
  }
  void Refresh() override { Check(itf()->Refresh()); }
  std::string Name() const override { return Get<std::string>(&I::get_Name); }
  void SetName(const std::string& v) override { Put(&I::put_Name, v); }
  int32_t ParamNum() const override { return Get<int32_t>(&I::get_ParamNum); }
  void SetParamNum(int32_t v) override { Put(&I::put_ParamNum, v); }
  int32_t SetupA() const override { return Get<int32_t>(&I::get_SetupA); }
  void SetSetupA(int32_t v) override { Put(&I::put_SetupA, v); }
  int32_t SetupB() const override { return Get<int32_t>(&I::get_SetupB); }
  void SetSetupB(int32_t v) override { Put(&I::put_SetupB, v); }
  int32_t SetupC() const override { return Get<int32_t>(&I::get_SetupC); }
  void SetSetupC(int32_t v) override { Put(&I::put_SetupC, v); }
  int32_t SetupD() const override { return Get<int32_t>(&I::get_SetupD); }
  void SetSetupD(int32_t v) override { Put(&I::put_SetupD, v); }
  int32_t SetupE() const override { return Get<int32_t>(&I::get_SetupE); }
  void SetSetupE(int32_t v) override { Put(&I::put_SetupE, v); }
  int32_t SetupF() const override { return Get<int32_t>(&I::get_SetupF); }
  void SetSetupF(int32_t v) override { Put(&I::put_SetupF, v); }
  int32_t SetupG() const override { return Get<int32_t>(&I::get_SetupG); }
  void SetSetupG(int32_t v) override { Put(&I::put_SetupG, v); }
  std::shared_ptr<ValueNumberObj> RequestNumber() override {
    return NumberOf(&I::get_RequestNumber);
  }
  int32_t EditLock() const override { return Get<int32_t>(&I::get_EditLock); }
  void SetEditLock(int32_t v) override { Put(&I::put_EditLock, v); }
  void CopyContentTo(const std::shared_ptr<ValueObj>& dest, const Variant& extra) override {
    I* target = nullptr;
    Out(dest, &target);
    const Freed<I*> freedTarget{target};
    VARIANT x;
    VariantOut(extra, &x);
    const Freed<VARIANT> freedExtra{x};
    Check(itf()->CopyContentTo(target, x));
  }
  std::string ShortName() const override { return Get<std::string>(&I::get_ShortName); }
  void SetShortName(const std::string& v) override { Put(&I::put_ShortName, v); }
  void ApplySetup() override { Check(itf()->ApplySetup()); }

  Cookie Advise(std::shared_ptr<Events> sink) override {
    return events_.Advise(*this, std::move(sink));
  }
  bool Unadvise(Cookie cookie) override { return events_.subscribers.Unadvise(cookie); }
  EventSource<Events>& Subscribers() { return events_.subscribers; }

  // As our own value objects answer it: Value is the number's.
  Variant GetProperty(std::string_view name) override {
    return EqualsNoCase(name, "Value") ? Variant(NumberValue())
                                       : InvokeByName(name, DISPATCH_PROPERTYGET);
  }

 private:
  std::shared_ptr<ValueNumberObj> NumberOf(
      HRESULT (STDMETHODCALLTYPE I::*get)(_ValueNumberObj**)) const {
    Ref<_ValueNumberObj> number;
    Check((itf()->*get)(number.put()));
    return std::make_shared<ValueNumberAdapter>(err::Required(number));
  }

  Ref<INumberValue> numberValue_;  // our own value objects answer it
  ForeignEvents<ValueObjAdapter> events_;
};

class LockLevelAdapter final : public LockLevelObj,
                               public Foreign,
                               Through<_LockLevelObj>,
                               public std::enable_shared_from_this<LockLevelAdapter> {
  using I = _LockLevelObj;

 public:
  static constexpr const ClassInfo& kPublished = values::kLockLevelObj;
  static constexpr const auto& kIds = values::kLockLevelObjEventIds;
  static constexpr auto kRoutes = std::tuple(Route{"Changed", &Events::Changed});

  explicit LockLevelAdapter(IDispatch* object) : Foreign(object), Through(Interface<I>(object)) {}

  LockLevels Level() const override { return Get<LockLevels>(&I::get_Level); }
  void SetLevel(LockLevels& level) override { Put(&I::put_Level, level); }

  Cookie Advise(std::shared_ptr<Events> sink) override {
    return events_.Advise(*this, std::move(sink));
  }
  bool Unadvise(Cookie cookie) override { return events_.subscribers.Unadvise(cookie); }
  EventSource<Events>& Subscribers() { return events_.subscribers; }

  Variant GetProperty(std::string_view name) override {
    return InvokeByName(name, DISPATCH_PROPERTYGET);
  }

 private:
  ForeignEvents<LockLevelAdapter> events_;
};

const RegisteredAdapter<ValueObj, ValueObjAdapter> kValueAdapter;
const RegisteredAdapter<LockLevelObj, LockLevelAdapter> kLockLevelAdapter;

// ---- The core's value-object factory ------------------------------------------------------

// A new object of a published class, through whichever DLL is registered for it, adapted
// (and known to the identity map, so that its events name the same adapter).
template <class T>
std::shared_ptr<T> CreateByClass(const ClassInfo& published) {
  Ref<IDispatch> object;
  if (FAILED(CoCreateInstance(ParseGuid(published.classId), nullptr, CLSCTX_INPROC_SERVER,
                              IID_IDispatch, reinterpret_cast<void**>(object.put()))))
    err::RaiseCannotCreateObject();
  return Unwrap<T>(object.get());
}

const struct InstallFactories {
  InstallFactories() {
    SetValueObjFactory([] { return CreateByClass<ValueObj>(values::kValueObj); });
    SetLockLevelObjFactory([] { return CreateByClass<LockLevelObj>(values::kLockLevelObj); });
  }
} kInstalled;

}  // namespace
}  // namespace zentnet::com

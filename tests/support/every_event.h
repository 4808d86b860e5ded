#pragma once
// Rows that raise every event of every class, each row a member run on a new object with one
// listener for every class that notes each event it hears by name. The lifetime test drops
// the raiser at each event; the Windows adapter test hears the same rows through the skin.

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "event_tables.h"
#include "zentnet/zentnet.h"

namespace zentnet::test {

// Every event heard in this file, by the class of its raiser.
inline std::map<std::string, std::set<std::string>>& Covered() {
  static std::map<std::string, std::set<std::string>> covered;
  return covered;
}

// Called with each object a row's listener is advised to, right after the advice.
inline std::function<void(const std::shared_ptr<Object>&)> g_advised;

struct Hits {
  std::vector<std::string> heard;
  size_t dropAt = 0;  // 1-based; 0 drops nothing
  std::function<void()> drop;
  std::string raiser;  // the class of the object the sink listens to
  void Hit(const char* event) {
    heard.emplace_back(event);
    Covered()[raiser].insert(event);
    if (heard.size() == dropAt) drop();
  }
};

using Value = std::shared_ptr<ValueObj>;
using Adapter = std::shared_ptr<NetAdapterObj>;
using Drive = std::shared_ptr<PhysDriveObj>;

// One listener for every class: each event is counted by name; an event several interfaces
// share with the same arguments is one member here.
// One member per macro, laid out as a table:
// clang-format off
#define HEAR(Event, ...) \
  void Event(__VA_ARGS__) override { hits.Hit(#Event); }
struct Sink final : StimulusStateObjEvents, MonitorPortStateObjEvents, ConfigRegObjEvents, StatusRegObjEvents,
                    OptionRegObjEvents, IOregisterObjEvents, ErrorCodeObjEvents, NetSupervisorObjEvents,
                    NetAdapterObjEvents, DriveEventObjEvents, AppStateEventObjEvents, SoundEventsObjEvents,
                    HotKeyObjEvents, ValueObjEvents, LockLevelObjEvents {
  explicit Sink(Hits& h) : hits(h) {}
  Hits& hits;
  HEAR(AmplitudeChanged) HEAR(PeriodChanged) HEAR(ModeChanged) HEAR(StimulusChanged) HEAR(UIModeChanged)
  HEAR(UIchanged) HEAR(TrackingLimSetup, bool&) HEAR(AdjustAmplitudeScaling, StimGenModes&) HEAR(Refresh)
  HEAR(UpdateView) HEAR(VariableChanged) HEAR(FilterChanged) HEAR(SyncPulseChanged) HEAR(SaveToNonVolatile)
  HEAR(RescaleAmplitude) HEAR(Changed) HEAR(Initialize) HEAR(Change) HEAR(MotorTypeChanged)
  HEAR(HighLevelFeedbackChanged) HEAR(Refresh, Value&) HEAR(InitializeCache, double&, bool&)
  HEAR(EnableChanged, bool&) HEAR(LimitHit) HEAR(OverSpeed) HEAR(Hardstopped) HEAR(Shutdown) HEAR(LockChanged)
  HEAR(ContentChanged, Value&) HEAR(FirmwareChanged) HEAR(CommutationChanged, int32_t&, int32_t&)
  HEAR(NetworkChanged, Adapter&, NetworkChanges&) HEAR(NetworkError, Adapter&, infcErrInfo&)
  HEAR(DriveParameterChanged, Adapter&, Drive&, Value&) HEAR(ParameterChanged, Adapter&, infcParamChg&)
  HEAR(PointToPointChanged, Adapter&, int32_t&, PointToPointStatus&) HEAR(NetworkChanged, NetworkChanges&)
  HEAR(NetworkError, infcErrInfo&) HEAR(DriveParameterChanged, Drive&, Value&) HEAR(ParameterChanged, infcParamChg&)
  HEAR(PointToPointChanged, int32_t&, PointToPointStatus&) HEAR(CommError, Drive&, DriveErrors&, int32_t&)
  HEAR(DriveStateChange, Drive&) HEAR(EnableChanged, Drive&, bool&) HEAR(HighLevelFeedbackChanged, Drive&)
  HEAR(MotorTypeChanged, Drive&) HEAR(ParameterChanged, Drive&, Value&) HEAR(SetupUndoChanged, Drive&, bool&)
  HEAR(UserIDchanged, Drive&) HEAR(LockChanged, LockLevels&) HEAR(TechSupportChanged, bool&)
  HEAR(PollStateChanged, bool&) HEAR(TimerTick) HEAR(Terminate, bool&) HEAR(CreateDemoDrive, PhysDriveType&, Drive&)
  HEAR(MotorPageEnableChanged, bool&) HEAR(NetworkChange, Adapter&, NetworkChanges) HEAR(ControlChanged) HEAR(Hit)
  HEAR(HitUp) HEAR(Changed, Value&) HEAR(ValueChanged, Value&)
  // Confirmed, so that opening goes on past the event.
  void RequestNetOpen(Adapter&, std::shared_ptr<Object>&, bool&, int32_t&, bool& success) override {
    success = true;
    hits.Hit("RequestNetOpen");
  }
  void RequestNetOpen(std::shared_ptr<Object>&, bool&, int32_t&, bool& success) override {
    success = true;
    hits.Hit("RequestNetOpen");
  }
};
#undef HEAR
// clang-format on

struct Case {
  const char* member;
  std::function<void(Hits&)> run;
};

// A row: `prepare` brings a new object into the state the member needs, unheard; then the
// sink is advised and each of `acts` runs in turn on an object that only `obj` holds, while
// it lives.
template <class T>
using Act = std::function<void(T&)>;
template <class T>
Case Row(const char* member, std::vector<Act<T>> acts, Act<T> prepare = {}) {
  return {member, [=](Hits& hits) {
            std::shared_ptr<T> obj = T::create();
            if (prepare) prepare(*obj);
            hits.raiser = obj->ClassName();
            obj->Advise(std::make_shared<Sink>(hits));
            if (g_advised) g_advised(obj);
            hits.drop = [&obj] { obj.reset(); };
            T& raw = *obj;
            for (const auto& act : acts) {
              if (!obj) break;
              try {
                act(raw);
              } catch (const AutomationError&) {  // a member may fail once its object is gone
              }
            }
          }};
}

// CopyTo raises on the destination: its listener drops both the source and the caller's
// reference to the destination.
template <class T>
Case CopyRow(Act<T> prepare) {
  return {"CopyTo", [=](Hits& hits) {
            std::shared_ptr<T> obj = T::create();
            prepare(*obj);
            auto dest = T::create();
            hits.raiser = dest->ClassName();
            dest->Advise(std::make_shared<Sink>(hits));
            if (g_advised) g_advised(dest);
            hits.drop = [&] { obj.reset(), dest.reset(); };
            T& raw = *obj;
            raw.CopyTo(dest);
          }};
}

// Listeners for the preparations, which nobody counts.
inline Hits& Unheard() {
  static Hits hits;
  return hits;
}

inline void Write(Value v, double number) { v->Number()->SetValue(number); }
// What a register's own value object raises besides a change of its number.
inline void ValueRaises(Value v) {
  v->Refresh(), v->ApplySetup();
  // Only the core's own value object raises the cache event on demand.
  if (auto basic = std::dynamic_pointer_cast<BasicValueObj>(v))
    basic->RaiseInitializeCache(0.0, false);
}

using S = StimulusStateObj;
using M = MonitorPortStateObj;
inline void Running(S& s) { s.SetStimMode(STIM_POSN); }
inline void Loaded(S& s) { Write(s.TrackingLimit(), 500), Write(s.Amplitude(), 8); }

inline std::vector<Case> StimulusCases() {
  using R = Act<S>;
  auto row = [](const char* m, std::vector<R> acts, R prepare = Loaded) {
    return Row<S>(m, std::move(acts), std::move(prepare));
  };
  return {
      row("Start", {[](S& s) { s.Start(); }}),
      row("Terminate", {[](S& s) { s.Terminate(); }}, Running),
      row("StartStop from off", {[](S& s) { s.StartStop(); }}),
      row("StartStop while on", {[](S& s) { s.StartStop(); }}, Running),
      row("ChangeTo", {[](S& s) { s.ChangeTo(STIM_VEL, 5, 20); }}, Running),
      row("StimMode between running modes", {[](S& s) { s.SetStimMode(STIM_TRQ); }}, Running),
      row("Mode written by its owner", {[](S& s) { Write(s.Mode(), STIM_VEL); }}),
      row("Initialize", {[](S& s) { s.Initialize(STIM_TRQ, 10, 20); }}),
      row("SetupFor", {[](S& s) { s.SetupFor(STIM_VEL, 3, 4); }}),
      row("LastMode", {[](S& s) { s.SetLastMode(STIM_TRQ); }}),
      row("LastMode while on", {[](S& s) { s.SetLastMode(STIM_TRQ); }}, Running),
      row("UImode", {[](S& s) { s.SetUImode(STIM_VEL); }}),
      row("Amplitude", {[](S& s) { s.SetAmplitude(NewValueObj()); }}),
      row("Mode", {[](S& s) { s.SetMode(NewValueObj()); }}),
      row("SampleRate", {[](S& s) { s.SetSampleRate(NewValueObj()); }}),
      row("FireChanges", {[](S& s) { s.FireChanges(); }}),
      row("Refresh", {[](S& s) { s.Refresh(); }}),
      CopyRow<S>(Running),
      row("value notifications",
          {[](S& s) { Write(s.Amplitude(), 9); }, [](S& s) { Write(s.Period(), 9); },
           [](S& s) { ValueRaises(s.Amplitude()); }, [](S& s) { ValueRaises(s.Period()); },
           [](S& s) { ValueRaises(s.Mode()); }, [](S& s) { ValueRaises(s.TrackingLimit()); }}),
  };
}

inline std::vector<Case> MonitorCases() {
  using R = Act<M>;
  auto row = [](const char* m, std::vector<R> acts, R prepare = {}) {
    return Row<M>(m, std::move(acts), std::move(prepare));
  };
  return {
      row("ChangeTo", {[](M& p) { p.ChangeTo(MON_TRQ_CMD, 2, 3); }}),
      row("Initialize", {[](M& p) { p.Initialize(); }}),
      row("Rescale", {[](M& p) { p.Rescale(); }}),
      row("Refresh", {[](M& p) { p.Refresh(); }}),
      row("SaveToNonVolatile", {[](M& p) { p.SaveToNonVolatile(); }}),
      row("SyncPulse", {[](M& p) { p.SetSyncPulse(SYNC_PULSE_PLUS); }}),
      CopyRow<M>([](M& p) { p.SetSyncPulse(SYNC_PULSE_NEG); }),
      row("value notifications",
          {[](M& p) { Write(p.Variable(), 7); }, [](M& p) { Write(p.Amplitude(), 7); },
           [](M& p) { Write(p.Filter(), 7); }, [](M& p) { ValueRaises(p.Variable()); },
           [](M& p) { ValueRaises(p.Amplitude()); }, [](M& p) { ValueRaises(p.Filter()); }}),
  };
}

inline std::vector<Case> RegisterCases() {
  using C = ConfigRegObj;
  auto config = [](const char* m, Act<C> act) {
    return Row<C>(m, {std::move(act)},
                  [](C& c) { c.SetCapabilityMask(static_cast<ConfigRegMasks>(-1)); });
  };
  using St = StatusRegObj;
  using O = OptionRegObj;
  using I = IOregisterObj;
  using Er = ErrorCodeObj;
  const Value io = NewValueObj();  // the drive's, which it keeps
  return {
      config("Steadix", [](C& c) { c.SetSteadix(STEADIX_ENH); }),
      config("StepEncInputFilter", [](C& c) { c.SetStepEncInputFilter(StepEncFilters{15}); }),
      config("HighLevelFeedback", [](C& c) { c.SetHighLevelFeedback(HighLevelFeedbacks{3}); }),
      config("MotorStyle", [](C& c) { c.SetMotorStyle(MOTOR_BRUSHLESS_LINEAR); }),
      config("SyncPulse", [](C& c) { c.SetSyncPulse(SYNC_PULSE_NEG); }),
      config("FilterClock", [](C& c) { c.SetFilterClock(FilterClks{2}); }),
      config("HallInverter", [](C& c) { c.SetHallInverter(true); }),
      config("value notifications", [](C& c) { ValueRaises(c.Register()); }),
      Row<St>("value notifications",
              {[](St& r) { Write(r.Register(), -1); }, [](St& r) { ValueRaises(r.Register()); }}),
      Row<O>("FirmwareType", {[](O& r) { r.SetFirmwareType(3); }}),
      Row<O>("value notifications", {[](O& r) { ValueRaises(r.Register()); }}),
      Row<I>(
          "Refresh and a commutation change",
          {[](I& r) { r.Refresh(); }, [=](I&) { Write(io, 0x0380); }, [=](I&) { ValueRaises(io); }},
          [=](I& r) { Write(io, 0), r.SetValueObjRef(io); }),
      Row<Er>("Refresh and a change",
              {[](Er& r) { r.Refresh(); }, [](Er& r) { Write(r.Register(), 5); },
               [](Er& r) { ValueRaises(r.Register()); }}),
  };
}

inline std::shared_ptr<Object> Peer() { return NewValueObj(); }

inline std::vector<Case> NetworkCases() {
  using N = NetSupervisorObj;
  using A = NetAdapterObj;
  auto opened = [](N& n) {  // two open ports with peers
    n.SetPorts("1;2");
    const Cookie c = n.Advise(std::make_shared<Sink>(Unheard()));
    for (int32_t k = 1; k <= 2; ++k) {
      auto a = n.GetRefToNetPort(k);
      a->SetPeer(Peer());
      a->SetNetOpen(true);
    }
    n.Unadvise(c);
  };
  // Through the first adapter, which forwards to its supervisor.
  auto port1 = [](auto notify) { return [=](N& n) { notify(*n.GetRefToNetPort(1)); }; };
  const std::vector<Act<A>> notifications = {
      [](A& a) { a.FireNetworkError(infcErrInfo{}); },
      [](A& a) { a.FireNetworkChanged(NODES_ONLINE); },
      [](A& a) { a.FireDriveParameterChanged(Drive(), Value()); },
      [](A& a) { a.FireParameterChanged(infcParamChg{}); },
      [](A& a) { a.FirePointToPointChange(1, PointToPointStatus{}); },
      [](A& a) { a.SetEnabled(false); },
  };
  std::vector<Act<N>> forwarded;
  for (const auto& notify : notifications) forwarded.push_back(port1(notify));
  return {
      Row<N>("Ports, changed while open", {[](N& n) { n.SetPorts("3"); }}, opened),
      Row<N>("Ports, kept while open", {[](N& n) { n.SetPorts("1;2"); }}, opened),
      Row<N>("adapter notifications", forwarded, opened),
      Row<A>("PortNumber", {[](A& a) { a.SetPortNumber(4); }}, [](A& a) { a.SetPeer(Peer()); }),
      Row<A>("NetOpen", {[](A& a) { a.SetNetOpen(true); }}, [](A& a) { a.SetPeer(Peer()); }),
      Row<A>("notifications", notifications,
             [](A& a) {
               a.SetPeer(Peer());
               const Cookie c = a.Advise(std::make_shared<Sink>(Unheard()));
               a.SetNetOpen(true);
               a.Unadvise(c);
             }),
  };
}

inline std::vector<Case> ServiceCases() {
  using D = DriveEventObj;
  using P = AppStateEventObj;
  using So = SoundEventsObj;
  using H = HotKeyObj;
  using V = BasicValueObj;
  return {
      Row<D>("every Fire member", {[](D& h) { h.FireCommError(Drive(), DriveErrors{}, 1); },
                                   [](D& h) { h.FireDriveStateChange(Drive()); },
                                   [](D& h) { h.FireEnableChanged(Drive(), true); },
                                   [](D& h) { h.FireHighLevelFeedbackChanged(Drive()); },
                                   [](D& h) { h.FireMotorTypeChanged(Drive()); },
                                   [](D& h) { h.FireParameterChanged(Drive(), Value()); },
                                   [](D& h) { h.FireSetupUndoChanged(Drive(), true); },
                                   [](D& h) { h.FireUserIDchanged(Drive()); }}),
      Row<P>(
          "every Fire member",
          {[](P& h) { h.FireLockChange(LOCK_LEVEL_1); }, [](P& h) { h.FirePollStateChange(true); },
           [](P& h) { h.FireTechSupportChange(true); }, [](P& h) { h.FireTimerTick(); },
           [](P& h) { (void)h.FireTerminate(); },
           [](P& h) { h.FireCreateDemoDrive(PhysDriveType{}, Drive()); },
           [](P& h) { h.FireNetChange(Adapter(), NODES_ONLINE); },
           [](P& h) { h.SetMotorPageEnabled(true); }}),
      Row<So>("every write",
              {[](So& h) { h.SetLimitAssertion(true); }, [](So& h) { h.SetOffOnLine(true); },
               [](So& h) { h.SetShutdown(true); }, [](So& h) { h.SetTorqueSaturation(true); },
               [](So& h) { h.SetVoltageSaturation(true); }, [](So& h) { h.SetBits(SoundEvents{}); },
               [](So& h) { h.RestoreAll(); }, [](So& h) { h.SetControl(true); }}),
      Row<H>("Hit and HitUp", {[](H& h) { h.FireHit(); }, [](H& h) { h.FireHitUp(); }}),
      Row<V>("every raise",
             {[](V& x) { x.Number()->SetValue(3); }, [](V& x) { x.Refresh(); },
              [](V& x) { x.ApplySetup(); }, [](V& x) { x.RaiseInitializeCache(0.0, false); },
              [](V& x) { x.CopyContentTo(V::create()); }}),
      Row<BasicLockLevelObj>("Level", {[](BasicLockLevelObj& l) { l.SetLevel(LOCK_LEVEL_2); }}),
  };
}

struct Suite {
  const char* cls;
  std::vector<Case> (*cases)();
};

inline constexpr Suite kSuites[] = {{"StimulusStateObj", StimulusCases},
                                    {"MonitorPortStateObj", MonitorCases},
                                    {"register decoders", RegisterCases},
                                    {"network", NetworkCases},
                                    {"services and values", ServiceCases}};

}  // namespace zentnet::test

// The monitor port. Most cases are flows: what an action writes to the value objects and
// the port raises, in one journal; an error that reaches the caller closes it with "!".

#include <gmock/gmock.h>

#include "recording_value.h"
#include "zentnet/automation/error.h"
#include "zentnet/factory.h"
#include "zentnet/resources/strings.h"
#include "zentnet/testsignal/MonitorPortStateObj.h"

namespace zentnet::test {
namespace {

using Lines = std::vector<std::string>;
using M = MonitorPortStateObj;

class Recorder final : public MonitorPortStateObjEvents, public EventNotes {
 public:
  using EventNotes::EventNotes;
#define NOTE(Event) \
  void Event() override { Note(#Event); }
  NOTE(VariableChanged) NOTE(AmplitudeChanged) NOTE(FilterChanged) NOTE(SyncPulseChanged) NOTE(Refresh)
  NOTE(SaveToNonVolatile) NOTE(RescaleAmplitude) NOTE(Changed) NOTE(Initialize) NOTE(UpdateView)
#undef NOTE
};

struct Port : ::testing::Test {
  Journal journal;
  RecordingValues values{journal};
  std::shared_ptr<Recorder> recorder;
  std::shared_ptr<M> port = Make();

  // Value tags in creation order; a prefix tells two ports apart.
  std::shared_ptr<M> Make(const std::string& prefix = {}) {
    for (const char* tag : {"Amp", "Var", "Filter", "Config"}) values.tags.push_back(prefix + tag);
    auto p = M::create();
    auto r = std::make_shared<Recorder>(journal, prefix.empty() ? "" : prefix + ":");
    p->Advise(r);
    if (prefix.empty()) recorder = r;
    journal.Clear();
    return p;
  }
  template <class Act>
  Lines Journaled(Act&& act) { return test::Journaled(journal, std::forward<Act>(act)); }
  static RecordingValue& Rec(const std::shared_ptr<ValueObj>& v) { return dynamic_cast<RecordingValue&>(*v); }
};

void Set(const std::shared_ptr<ValueObj>& v, double number) { v->Number()->SetValue(number); }
void Bump(const std::shared_ptr<ValueObj>& v) { Set(v, v->Number()->Value() + 1); }

using Step = void (*)(Port&, M&);
struct Flow {
  const char* what;
  Step prepare;  // may be null; runs before the journal starts
  Step act;
  Lines expected;
};

void RunFlows(Port& t, const std::vector<Flow>& flows) {
  for (const auto& f : flows) {
    t.port = t.Make();
    if (f.prepare) f.prepare(t, *t.port);
    EXPECT_EQ(t.Journaled([&] { f.act(t, *t.port); }), f.expected) << f.what;
  }
}

TEST_F(Port, Bursts) {
  RunFlows(*this, {
    {"amplitude", nullptr, [](Port&, M& p) { Set(p.Amplitude(), 2.5); },
     {"Amp.Value=2.5", "AmplitudeChanged", "Changed"}},
    {"variable", nullptr, [](Port&, M& p) { Set(p.Variable(), MON_VEL_ERR); },
     {"Var.Value=5", "Var.Label=Velocity Error", "VariableChanged", "RescaleAmplitude", "Changed"}},
    {"filter", nullptr, [](Port&, M& p) { Set(p.Filter(), 12.5); },
     {"Filter.Value=12.5", "FilterChanged", "Changed"}},
    {"unchanged number and requests", nullptr,
     [](Port&, M& p) { Set(p.Amplitude(), 0), p.Variable()->RequestNumber()->SetValue(3); },
     {"Amp.Value=0", "Var.Req.Value=3"}},
    {"content changes", nullptr,
     [](Port&, M& p) { p.Amplitude()->ApplySetup(), p.Variable()->ApplySetup(), p.Filter()->ApplySetup(); },
     {"Amp.ApplySetup", "UpdateView", "Var.ApplySetup", "UpdateView", "Filter.ApplySetup", "UpdateView"}},
    {"value refreshes", nullptr,
     [](Port&, M& p) { p.Amplitude()->Refresh(), p.Variable()->Refresh(), p.Filter()->Refresh(); },
     {"Amp.Refresh", "Refresh", "Var.Refresh", "Refresh", "Filter.Refresh", "Refresh"}},
    {"SaveToNonVolatile, Rescale", nullptr, [](Port&, M& p) { p.SaveToNonVolatile(), p.Rescale(); },
     {"SaveToNonVolatile", "RescaleAmplitude"}},
    {"Refresh", nullptr, [](Port&, M& p) { p.Refresh(); }, {"SyncPulseChanged", "Changed"}},
    {"ChangeTo, then without filter", nullptr,
     [](Port&, M& p) { p.ChangeTo(MON_TRQ_CMD, 4.0, 1.5), p.ChangeTo(MON_VEL_CMD, 7.5); },
     {"Var.Req.Value=8", "RescaleAmplitude", "Amp.Req.Value=4", "Filter.Req.Value=1.5", "Changed",
      "Var.Req.Value=3", "RescaleAmplitude", "Amp.Req.Value=7.5", "Filter.Req.Value=0", "Changed"}},
    {"ChangeTo answered at once: values report without Changed",
     [](Port&, M& p) {
       for (const auto& v : {p.Amplitude(), p.Variable(), p.Filter()}) Port::Rec(v).answerRequests = true;
     },
     [](Port&, M& p) { p.ChangeTo(MON_VEL_ERR, 3.0, 0.5), Set(p.Amplitude(), 1); },
     {"Var.Req.Value=5", "Var.Value=5", "Var.Label=Velocity Error", "VariableChanged", "RescaleAmplitude",
      "RescaleAmplitude", "Amp.Req.Value=3", "Amp.Value=3", "AmplitudeChanged", "Filter.Req.Value=0.5",
      "Filter.Value=0.5", "FilterChanged", "Changed", "Amp.Value=1", "AmplitudeChanged", "Changed"}},
    {"Initialize holds Changed back",
     [](Port& t, M& p) {
       t.recorder->on["Initialize"] = [&p] { Set(p.Variable(), 2), Set(p.Amplitude(), 5), Set(p.Filter(), 1); };
     },
     [](Port& t, M& p) { p.Initialize(), t.recorder->on.clear(), Set(p.Filter(), 2); },
     {"Initialize", "Var.Value=2", "Var.Label=Actual Velocity", "VariableChanged", "RescaleAmplitude", "Amp.Value=5",
      "AmplitudeChanged", "Filter.Value=1", "FilterChanged", "UpdateView", "Filter.Value=2", "FilterChanged",
      "Changed"}},
    {"one value in two roles", [](Port&, M& p) { p.SetFilter(p.Amplitude()); },
     [](Port&, M& p) { Set(p.Amplitude(), 1); },
     {"Amp.Value=1", "AmplitudeChanged", "Changed", "FilterChanged", "Changed"}},
    {"replaced values", nullptr,
     [](Port& t, M& p) {
       auto old = p.Amplitude();
       t.values.tags = {"A2", "V2"};
       p.SetAmplitude(NewValueObj());
       p.SetVariable(NewValueObj());
       p.SetFilter(nullptr);
       Set(old, 3);
       Set(p.Amplitude(), 3);
       Set(p.Variable(), MON_CALIBRATE);
     },
     {"Amp.Value=3", "A2.Value=3", "AmplitudeChanged", "Changed", "V2.Value=9", "V2.Label=Calibrate",
      "VariableChanged", "RescaleAmplitude", "Changed"}},
  });
}

TEST_F(Port, ReentrantListeners) {
  RunFlows(*this, {
    {"VariableChanged listener writes the variable",
     [](Port& t, M& p) { t.recorder->on["VariableChanged"] = [&p] { Set(p.Variable(), MON_VEL_CMD); }; },
     [](Port& t, M& p) { Set(p.Variable(), MON_VEL_MEAS), t.recorder->on.clear(), Set(p.Variable(), 17); },
     {"Var.Value=2", "Var.Label=Actual Velocity", "VariableChanged", "Var.Value=3", "RescaleAmplitude", "Changed",
      "Var.Value=17", "Var.Label=Integrator", "VariableChanged", "RescaleAmplitude", "Changed"}},
    {"RescaleAmplitude listener writes the variable",
     [](Port& t, M& p) { t.recorder->on["RescaleAmplitude"] = [&p] { Bump(p.Variable()); }; },
     [](Port&, M& p) { Set(p.Variable(), MON_VEL_ERR); },
     {"Var.Value=5", "Var.Label=Velocity Error", "VariableChanged", "RescaleAmplitude", "Var.Value=6", "Changed"}},
    {"AmplitudeChanged listener writes the amplitude",
     [](Port& t, M& p) { t.recorder->on["AmplitudeChanged"] = [&p] { Bump(p.Amplitude()); }; },
     [](Port&, M& p) { Set(p.Amplitude(), 3); }, {"Amp.Value=3", "AmplitudeChanged", "Amp.Value=4", "Changed"}},
    {"RescaleAmplitude listener calls Rescale",
     [](Port& t, M& p) { t.recorder->on["RescaleAmplitude"] = [&p] { p.Rescale(); }; },
     [](Port&, M& p) { p.Rescale(), Set(p.Variable(), 2); },  // the handler's raise is not Rescale's
     {"RescaleAmplitude", "Var.Value=2", "Var.Label=Actual Velocity", "VariableChanged", "RescaleAmplitude",
      "RescaleAmplitude", "Changed"}},
    {"RescaleAmplitude listener calls Refresh: another guard",
     [](Port& t, M& p) { t.recorder->on["RescaleAmplitude"] = [&p] { p.Refresh(); }; },
     [](Port&, M& p) { p.Rescale(); }, {"RescaleAmplitude", "SyncPulseChanged", "Changed"}},
    {"Changed listener calls Refresh",
     [](Port& t, M& p) { t.recorder->on["Changed"] = [&p] { p.Refresh(); }; },
     [](Port&, M& p) { p.Refresh(), Set(p.Amplitude(), 1); },
     {"SyncPulseChanged", "Changed", "Amp.Value=1", "AmplitudeChanged", "Changed", "SyncPulseChanged", "Changed"}},
    {"the filter handler is not guarded",
     [](Port& t, M& p) {
       t.recorder->on["FilterChanged"] = [&p] {
         if (p.Filter()->Number()->Value() < 20) Set(p.Filter(), 20);
       };
     },
     [](Port&, M& p) { Set(p.Filter(), 10); },
     {"Filter.Value=10", "FilterChanged", "Filter.Value=20", "FilterChanged", "Changed", "Changed"}},
  });
}

TEST_F(Port, GuardedProceduresSwallowErrorsAndClearTheirGuards) {
  // Each acts twice: the failing listener ends the first run quietly, the second runs in full.
  RunFlows(*this, {
    {"variable handler", [](Port& t, M&) { t.recorder->FailOnce("VariableChanged"); },
     [](Port&, M& p) { Bump(p.Variable()), Bump(p.Variable()); },
     {"Var.Value=1", "Var.Label=Unknown setting: ", "VariableChanged", "Var.Value=2", "Var.Label=Actual Velocity",
      "VariableChanged", "RescaleAmplitude", "Changed"}},
    {"variable handler, failing rescale", [](Port& t, M&) { t.recorder->FailOnce("RescaleAmplitude"); },
     [](Port&, M& p) { Bump(p.Variable()), Bump(p.Variable()); },
     {"Var.Value=1", "Var.Label=Unknown setting: ", "VariableChanged", "RescaleAmplitude", "Var.Value=2",
      "Var.Label=Actual Velocity", "VariableChanged", "RescaleAmplitude", "Changed"}},
    {"amplitude handler", [](Port& t, M&) { t.recorder->FailOnce("AmplitudeChanged"); },
     [](Port&, M& p) { Bump(p.Amplitude()), Bump(p.Amplitude()); },
     {"Amp.Value=1", "AmplitudeChanged", "Amp.Value=2", "AmplitudeChanged", "Changed"}},
    {"Rescale", [](Port& t, M&) { t.recorder->FailOnce("RescaleAmplitude"); },
     [](Port&, M& p) { p.Rescale(), p.Rescale(); }, {"RescaleAmplitude", "RescaleAmplitude"}},
    {"Refresh", [](Port& t, M&) { t.recorder->FailOnce("SyncPulseChanged"); },
     [](Port&, M& p) { p.Refresh(), p.Refresh(); }, {"SyncPulseChanged", "SyncPulseChanged", "Changed"}},
    {"label without register", [](Port&, M& p) { p.SetConfigReg(nullptr); },
     [](Port&, M& p) { Set(p.Variable(), 2); }, {"Var.Value=2"}},
  });
}

TEST_F(Port, OtherMembersPassErrorsOn) {
  const std::string failed = "! 1234 Listener: listener failed";
  RunFlows(*this, {
    {"filter handler", [](Port& t, M&) { t.recorder->FailOnce("FilterChanged"); },
     [](Port&, M& p) { Set(p.Filter(), 4); }, {"Filter.Value=4", "FilterChanged", failed}},
    {"content change", [](Port& t, M&) { t.recorder->FailOnce("UpdateView"); },
     [](Port&, M& p) { p.Amplitude()->ApplySetup(); }, {"Amp.ApplySetup", "UpdateView", failed}},
    {"value refresh", [](Port& t, M&) { t.recorder->FailOnce("Refresh"); },
     [](Port&, M& p) { p.Variable()->Refresh(); }, {"Var.Refresh", "Refresh", failed}},
    {"SaveToNonVolatile", [](Port& t, M&) { t.recorder->FailOnce("SaveToNonVolatile"); },
     [](Port&, M& p) { p.SaveToNonVolatile(); }, {"SaveToNonVolatile", failed}},
    {"register change", [](Port& t, M&) { t.recorder->FailOnce("SyncPulseChanged"); },
     [](Port&, M& p) { p.ConfigReg()->SetSyncPulse(SYNC_PULSE_PLUS); },
     {"Config.Value=1", "SyncPulseChanged", failed}},
    {"sync pulse write: the lock stays lifted", [](Port& t, M&) { t.recorder->FailOnce("SyncPulseChanged"); },
     [](Port&, M& p) { p.SetSyncPulse(SYNC_PULSE_PLUS); },
     {"Config.EditLock=0", "Config.Value=1", "SyncPulseChanged", failed}},
  });
}

// A failed bulk change leaves the hold on; the next one that completes releases it.
TEST_F(Port, FailedBulkChangesLeaveChangedHeldBack) {
  recorder->FailOnce("RescaleAmplitude");
  EXPECT_EQ(Journaled([&] { port->ChangeTo(MON_VEL_MEAS, 2, 3); }),
            (Lines{"Var.Req.Value=2", "RescaleAmplitude", "! 1234 Listener: listener failed"}));
  EXPECT_EQ(Journaled([&] { Set(port->Amplitude(), 5); }), (Lines{"Amp.Value=5", "AmplitudeChanged"}));
  port->ChangeTo(MON_VEL_MEAS, 2, 3);
  EXPECT_EQ(Journaled([&] { Set(port->Amplitude(), 6); }), (Lines{"Amp.Value=6", "AmplitudeChanged", "Changed"}));

  recorder->FailOnce("Initialize");
  EXPECT_EQ(Journaled([&] { port->Initialize(); }), (Lines{"Initialize", "! 1234 Listener: listener failed"}));
  EXPECT_EQ(Journaled([&] { Set(port->Filter(), 5); }), (Lines{"Filter.Value=5", "FilterChanged"}));
  EXPECT_EQ(Journaled([&] { port->Initialize(); }), (Lines{"Initialize", "UpdateView"}));
  EXPECT_EQ(Journaled([&] { Set(port->Filter(), 6); }), (Lines{"Filter.Value=6", "FilterChanged", "Changed"}));
}

TEST_F(Port, SyncPulse) {
  RunFlows(*this, {
    {"written under the drive's lock, twice",
     [](Port&, M& p) { p.ConfigReg()->Register()->SetEditLock(3), Set(p.ConfigReg()->Register(), 0x300); },
     [](Port&, M& p) { p.SetSyncPulse(SYNC_PULSE_NEG), p.SetSyncPulse(SYNC_PULSE_NEG); },
     {"Config.EditLock=0", "Config.Value=770", "SyncPulseChanged", "Config.EditLock=3", "Config.EditLock=0",
      "Config.Value=770", "Config.EditLock=3"}},
    {"register changes", nullptr,
     [](Port&, M& p) {
       // Hall inverter, then the negative pulse too, then the pulse alone, then nothing.
       for (double v : {4, 6, 2, 0}) Set(p.ConfigReg()->Register(), v);
     },
     {"Config.Value=4", "Config.Value=6", "SyncPulseChanged", "Config.Value=2", "Config.Value=0",
      "SyncPulseChanged"}},
    {"the lock goes back on the value written, not on a swapped one",
     [](Port& t, M& p) {
       p.ConfigReg()->Register()->SetEditLock(7);
       t.values.tags = {"Other"};
       t.recorder->on["SyncPulseChanged"] = [&p, other = NewValueObj()] { p.ConfigReg()->SetRegister(other); };
     },
     [](Port&, M& p) { p.SetSyncPulse(SYNC_PULSE_NEG); },
     {"Config.EditLock=0", "Config.Value=2", "SyncPulseChanged", "Config.EditLock=7"}},
    {"a listener choosing another pulse: the cache holds the register's",
     [](Port& t, M& p) {
       t.recorder->on["SyncPulseChanged"] = [&p, once = true]() mutable {
         if (std::exchange(once, false)) p.ConfigReg()->SetSyncPulse(SYNC_PULSE_NEG);
       };
     },
     [](Port&, M& p) { p.ConfigReg()->SetSyncPulse(SYNC_PULSE_PLUS), p.ConfigReg()->SetHallInverter(true); },
     {"Config.Value=1", "SyncPulseChanged", "Config.Value=2", "SyncPulseChanged", "Config.Value=6"}},
    {"another register is compared with the last pulse seen",
     [](Port& t, M& p) {
       p.SetSyncPulse(SYNC_PULSE_PLUS);
       t.values.tags = {"Drive"};
       auto drive = ConfigRegObj::create();
       Set(drive->Register(), CONFIG_MASK_SYNC_PULSE_P);
       auto old = p.ConfigReg();
       p.SetConfigReg(drive);
       old->SetSyncPulse(SYNC_PULSE_NEG);  // no longer heard
     },
     [](Port&, M& p) { p.ConfigReg()->SetHallInverter(true), p.ConfigReg()->SetSyncPulse(SYNC_PULSE_EITHER); },
     {"Drive.Value=5", "Drive.Value=7", "SyncPulseChanged"}},
  });
}

TEST_F(Port, SyncPulseReadsAndMissingObjects) {
  EXPECT_EQ(port->ConfigReg()->CapabilityMask(), CONFIG_MASK_SYNC_PULSE_P | CONFIG_MASK_SYNC_PULSE_N);
  for (SyncPulses p : {SYNC_PULSE_EITHER, SYNC_PULSE_OFF, SYNC_PULSE_PLUS, SYNC_PULSE_NEG}) {
    port->SetSyncPulse(p);  // both polarities on a new port
    EXPECT_EQ(port->SyncPulse(), p);
    EXPECT_EQ(port->SyncPulseStr(), LoadResString(4130 + p)) << p;
  }
  auto drive = ConfigRegObj::create();
  drive->SetCapabilityMask(CONFIG_MASK_SYNC_PULSE_P);
  port->SetConfigReg(drive);
  port->SetSyncPulse(SYNC_PULSE_EITHER);
  EXPECT_EQ(port->SyncPulse(), SYNC_PULSE_PLUS);

  drive->SetRegister(nullptr);
  const Lines missing = {"! 91 ZentNetLib: Object variable or With block variable not set"};
  EXPECT_EQ(Journaled([&] { port->SetSyncPulse(SYNC_PULSE_PLUS); }), missing);
  port->SetConfigReg(nullptr);
  EXPECT_EQ(Journaled([&] { (void)port->SyncPulse(); }), missing);
  EXPECT_EQ(Journaled([&] { (void)port->SyncPulseStr(); }), missing);
  values.tags = {"dAmp", "dVar", "dFilter"};
  auto other = M::create();
  EXPECT_EQ(Journaled([&] { port->CopyTo(other); }),
            (Lines{"Amp.CopyContentTo(dAmp)", "Var.CopyContentTo(dVar)", "Filter.CopyContentTo(dFilter)",
                   missing[0]}));
  EXPECT_EQ(Journaled([&] { port->CopyTo(nullptr); }), missing);
}

TEST_F(Port, CopyToCarriesContentAndSyncPulse) {
  Set(port->Variable(), MON_TRQ_CMD);
  Set(port->Amplitude(), 2.5);
  port->SetSyncPulse(SYNC_PULSE_NEG);
  auto dest = Make("d");
  dest->ConfigReg()->Register()->SetEditLock(9);
  EXPECT_EQ(Journaled([&] { port->CopyTo(dest); }),
            (Lines{"Amp.CopyContentTo(dAmp)", "d:UpdateView", "Var.CopyContentTo(dVar)", "d:UpdateView",
                   "Filter.CopyContentTo(dFilter)", "d:UpdateView", "dConfig.EditLock=0", "dConfig.Value=2",
                   "d:SyncPulseChanged", "dConfig.EditLock=9"}));
  EXPECT_EQ(dest->Variable()->Number()->Value(), MON_TRQ_CMD);
  EXPECT_EQ(dest->Amplitude()->Number()->Value(), 2.5);
  EXPECT_EQ(dest->SyncPulse(), SYNC_PULSE_NEG);
}

TEST_F(Port, ConstructionAndPublishedFace) {
  values.tags = {"Amp", "Var", "Filter", "Config"};
  journal.Clear();
  auto p = M::create();
  Lines own;  // the register's own value is set up by its class
  for (const auto& line : journal.lines)
    if (line.rfind("Config.", 0) != 0) own.push_back(line);
  EXPECT_EQ(own, (Lines{"Amp.ParamNum=29", "Amp.Name=Monitor Port: Amplitude", "Amp.SetupI=0", "Amp.SetupK=6",
                        "Amp.SetupJ=0", "Amp.Label=Gain Factor", "Amp.SetupD=7", "Amp.EditLock=0",
                        "Var.ParamNum=30", "Var.Name=Monitor Port: Variable", "Var.SetupA=0", "Var.SetupB=6",
                        "Var.SetupD=6", "Var.EditLock=0", "Var.SetupK=6", "Var.SetupJ=0", "Filter.ParamNum=52",
                        "Filter.Name=Monitor Port: Filter", "Filter.ShortName=Filter", "Filter.SetupA=4",
                        "Filter.SetupB=22", "Filter.ParamNum=52", "Filter.Req.Format=#,##0.#",
                        "Filter.Format=#,##0.#", "Filter.SetupD=7", "Filter.EditLock=0"}));
  EXPECT_EQ(p->ConfigReg()->Register(), values.made.back());

}

TEST_F(Port, MonitorVarStrOfOtherNumbers) {
  const std::pair<double, const char*> current[] = {
      {24, "Unknown Variable: 24"},       {65538, "Unknown Variable: 2"},  {0x1FFFF, "Unknown Variable: 65535"},
      {-1, "Unknown Variable: 65535"},    {-5, "Unknown Variable: 65531"}, {-2147483648.0, "Unknown Variable: 0"},
      {2.5, "Actual Velocity"},           {3.5, "Digital Input Velocity"}, {23.4, "Max Phase Voltage"},
      {-0.4, "Unknown Variable: 0"},      {24.4, "Unknown Variable: 24"}};
  for (const auto& [number, text] : current) {
    Set(port->Variable(), number);
    EXPECT_EQ(port->MonitorVarStr(), text) << number;
  }
  Set(port->Variable(), MON_TRQ_MEAS);
  const std::pair<Variant, const char*> given[] = {
      {Variant(int32_t{3}), "Cmd Velocity (VEX)"},  {Variant(int32_t{-5}), "Unknown Variable: 65531"},
      {Variant(2.5), "Actual Velocity"},            {Variant(std::string(" 17 ")), "Integrator"},
      {Variant::Empty(), "Me (shouldn't see this)"}, {Variant(true), "Unknown Variable: 65535"}};
  for (const auto& [which, text] : given) EXPECT_EQ(port->MonitorVarStr(which), text) << which.ToString();
  EXPECT_EQ(port->MonitorVarStr(), "Actual Torque");  // the given ones ignore the current variable
  Set(port->ConfigReg()->Register(), 0x200);              // a linear motor
  EXPECT_EQ(port->MonitorVarStr(), "Actual Force");
  EXPECT_EQ(port->MonitorVarStr(int32_t{8}), "Commanded Force");

  EXPECT_EQ(Journaled([&] { port->MonitorVarStr(Variant(std::string("x"))); }),
            Lines{"! 13 ZentNetLib: Type mismatch"});
  EXPECT_EQ(Journaled([&] { port->MonitorVarStr(Variant(1e10)); }), Lines{"! 6 ZentNetLib: Overflow"});
  port->SetConfigReg(nullptr);  // needed only to name a known variable
  EXPECT_EQ(port->MonitorVarStr(int32_t{40}), "Unknown Variable: 40");
  EXPECT_EQ(Journaled([&] { port->MonitorVarStr(int32_t{3}); }),
            Lines{"! 91 ZentNetLib: Object variable or With block variable not set"});
  port->SetVariable(nullptr);
  EXPECT_EQ(port->MonitorVarStr(), "Me (shouldn't see this)");
}

}  // namespace
}  // namespace zentnet::test

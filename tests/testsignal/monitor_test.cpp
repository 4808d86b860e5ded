// The monitor port. Most cases are flows: what an action writes to the value objects and
// the port raises, in one journal; an error that reaches the caller closes it with "!".

#include <gmock/gmock.h>

#include "fake_value.h"
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
  // One member per macro:
  // clang-format off
#define NOTE(Event) void Event() override { Note(#Event); }
  NOTE(VariableChanged) NOTE(AmplitudeChanged) NOTE(FilterChanged) NOTE(SyncPulseChanged)
  NOTE(Refresh) NOTE(SaveToNonVolatile) NOTE(RescaleAmplitude) NOTE(Changed) NOTE(Initialize)
  NOTE(UpdateView)
#undef NOTE
  // clang-format on
};

struct Port : ::testing::Test {
  Journal journal;
  FakeValues values{false, &journal};
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
  Lines Journaled(Act&& act) {
    return test::Journaled(journal, std::forward<Act>(act));
  }
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

const std::string kFailed = "! 1234 Listener: listener failed";

TEST_F(Port, Flows) {
  // clang-format off
  RunFlows(*this, {
      {"content changes", nullptr,
       [](Port&, M& p) {
         p.Amplitude()->ApplySetup(), p.Variable()->ApplySetup(), p.Filter()->ApplySetup();
       },
       {"Amp.ApplySetup", "UpdateView", "Var.ApplySetup", "UpdateView", "Filter.ApplySetup",
        "UpdateView"}},
      {"ChangeTo, then without filter", nullptr,
       [](Port&, M& p) { p.ChangeTo(MON_TRQ_CMD, 4.0, 1.5), p.ChangeTo(MON_VEL_CMD, 7.5); },
       {"Var.Req.Value=8", "RescaleAmplitude", "Amp.Req.Value=4", "Filter.Req.Value=1.5",
        "Changed", "Var.Req.Value=3", "RescaleAmplitude", "Amp.Req.Value=7.5",
        "Filter.Req.Value=0", "Changed"}},
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
       {"Amp.Value=3", "A2.Value=3", "AmplitudeChanged", "Changed", "V2.Value=9",
        "V2.Label=Calibrate", "VariableChanged", "RescaleAmplitude", "Changed"}},
      // Listeners that act again inside an event.
      {"VariableChanged listener writes the variable",
       [](Port& t, M& p) {
         t.recorder->on["VariableChanged"] = [&p] { Set(p.Variable(), MON_VEL_CMD); };
       },
       [](Port& t, M& p) {
         Set(p.Variable(), MON_VEL_MEAS), t.recorder->on.clear(), Set(p.Variable(), 17);
       },
       {"Var.Value=2", "Var.Label=Actual Velocity", "VariableChanged", "Var.Value=3",
        "RescaleAmplitude", "Changed", "Var.Value=17", "Var.Label=Integrator",
        "VariableChanged", "RescaleAmplitude", "Changed"}},
      {"RescaleAmplitude listener calls Rescale",  // the handler's raise is not Rescale's
       [](Port& t, M& p) { t.recorder->on["RescaleAmplitude"] = [&p] { p.Rescale(); }; },
       [](Port&, M& p) { p.Rescale(), Set(p.Variable(), 2); },
       {"RescaleAmplitude", "Var.Value=2", "Var.Label=Actual Velocity", "VariableChanged",
        "RescaleAmplitude", "RescaleAmplitude", "Changed"}},
      {"the filter handler is not guarded",
       [](Port& t, M& p) {
         t.recorder->on["FilterChanged"] = [&p] {
           if (p.Filter()->Number()->Value() < 20) Set(p.Filter(), 20);
         };
       },
       [](Port&, M& p) { Set(p.Filter(), 10); },
       {"Filter.Value=10", "FilterChanged", "Filter.Value=20", "FilterChanged", "Changed",
        "Changed"}},
      // Guarded procedures swallow errors and clear their guards: each acts twice, the failing
      // listener ends the first run quietly, the second runs in full.
      {"variable handler", [](Port& t, M&) { t.recorder->FailOnce("VariableChanged"); },
       [](Port&, M& p) { Bump(p.Variable()), Bump(p.Variable()); },
       {"Var.Value=1", "Var.Label=Unknown setting: ", "VariableChanged", "Var.Value=2",
        "Var.Label=Actual Velocity", "VariableChanged", "RescaleAmplitude", "Changed"}},
      {"Refresh", [](Port& t, M&) { t.recorder->FailOnce("SyncPulseChanged"); },
       [](Port&, M& p) { p.Refresh(), p.Refresh(); },
       {"SyncPulseChanged", "SyncPulseChanged", "Changed"}},
      {"label without register", [](Port&, M& p) { p.SetConfigReg(nullptr); },
       [](Port&, M& p) { Set(p.Variable(), 2); }, {"Var.Value=2"}},
      // The other members pass errors on.
      {"filter handler", [](Port& t, M&) { t.recorder->FailOnce("FilterChanged"); },
       [](Port&, M& p) { Set(p.Filter(), 4); }, {"Filter.Value=4", "FilterChanged", kFailed}},
      {"register change", [](Port& t, M&) { t.recorder->FailOnce("SyncPulseChanged"); },
       [](Port&, M& p) { p.ConfigReg()->SetSyncPulse(SYNC_PULSE_PLUS); },
       {"Config.Value=1", "SyncPulseChanged", kFailed}},
      {"sync pulse write: the lock stays lifted",
       [](Port& t, M&) { t.recorder->FailOnce("SyncPulseChanged"); },
       [](Port&, M& p) { p.SetSyncPulse(SYNC_PULSE_PLUS); },
       {"Config.EditLock=0", "Config.Value=1", "SyncPulseChanged", kFailed}},
      // The sync pulse.
      {"written under the drive's lock, twice",
       [](Port&, M& p) {
         p.ConfigReg()->Register()->SetEditLock(3), Set(p.ConfigReg()->Register(), 0x300);
       },
       [](Port&, M& p) { p.SetSyncPulse(SYNC_PULSE_NEG), p.SetSyncPulse(SYNC_PULSE_NEG); },
       {"Config.EditLock=0", "Config.Value=770", "SyncPulseChanged", "Config.EditLock=3",
        "Config.EditLock=0", "Config.Value=770", "Config.EditLock=3"}},
      {"register changes", nullptr,
       [](Port&, M& p) {
         // Hall inverter, then the negative pulse too, then the pulse alone, then nothing.
         for (double v : {4, 6, 2, 0}) Set(p.ConfigReg()->Register(), v);
       },
       {"Config.Value=4", "Config.Value=6", "SyncPulseChanged", "Config.Value=2",
        "Config.Value=0", "SyncPulseChanged"}},
  });
  // clang-format on
}

// A failed bulk change leaves the hold on; the next one that completes releases it.
TEST_F(Port, FailedBulkChangesLeaveChangedHeldBack) {
  recorder->FailOnce("RescaleAmplitude");
  EXPECT_EQ(Journaled([&] { port->ChangeTo(MON_VEL_MEAS, 2, 3); }),
            (Lines{"Var.Req.Value=2", "RescaleAmplitude", kFailed}));
  EXPECT_EQ(Journaled([&] { Set(port->Amplitude(), 5); }),
            (Lines{"Amp.Value=5", "AmplitudeChanged"}));
  port->ChangeTo(MON_VEL_MEAS, 2, 3);
  EXPECT_EQ(Journaled([&] { Set(port->Amplitude(), 6); }),
            (Lines{"Amp.Value=6", "AmplitudeChanged", "Changed"}));

  recorder->FailOnce("Initialize");
  EXPECT_EQ(Journaled([&] { port->Initialize(); }), (Lines{"Initialize", kFailed}));
  EXPECT_EQ(Journaled([&] { Set(port->Filter(), 5); }), (Lines{"Filter.Value=5", "FilterChanged"}));
  EXPECT_EQ(Journaled([&] { port->Initialize(); }), (Lines{"Initialize", "UpdateView"}));
  EXPECT_EQ(Journaled([&] { Set(port->Filter(), 6); }),
            (Lines{"Filter.Value=6", "FilterChanged", "Changed"}));
}

TEST_F(Port, SyncPulseReadsAndMissingObjects) {
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
  EXPECT_EQ(Journaled([&] { port->CopyTo(nullptr); }), missing);
}

TEST_F(Port, CopyToCarriesContentAndSyncPulse) {
  Set(port->Variable(), MON_TRQ_CMD);
  Set(port->Amplitude(), 2.5);
  port->SetSyncPulse(SYNC_PULSE_NEG);
  auto dest = Make("d");
  dest->ConfigReg()->Register()->SetEditLock(9);
  EXPECT_EQ(
      Journaled([&] { port->CopyTo(dest); }),
      (Lines{"Amp.CopyContentTo(dAmp)", "d:UpdateView", "Var.CopyContentTo(dVar)", "d:UpdateView",
             "Filter.CopyContentTo(dFilter)", "d:UpdateView", "dConfig.EditLock=0",
             "dConfig.Value=2", "d:SyncPulseChanged", "dConfig.EditLock=9"}));
}

// When the port goes it lets go of its values in the published order, then of the register.
TEST_F(Port, LetsGoOfItsValuesInPublishedOrder) {
  for (auto& v : values.made) v->noteUnadvise = true;
  port.reset();
  EXPECT_EQ(journal.lines,
            (Lines{"Amp.Unadvise", "Var.Unadvise", "Filter.Unadvise", "Config.Unadvise"}));
}

TEST_F(Port, ConstructionAndPublishedFace) {
  values.tags = {"Amp", "Var", "Filter", "Config"};
  journal.Clear();
  auto p = M::create();
  Lines own;  // the register's own value is set up by its class
  for (const auto& line : journal.lines)
    if (line.rfind("Config.", 0) != 0) own.push_back(line);
  // clang-format off
  EXPECT_EQ(own, (Lines{"Amp.ParamNum=29", "Amp.Name=Monitor Port: Amplitude", "Amp.SetupI=0",
                        "Amp.SetupK=6", "Amp.SetupJ=0", "Amp.Label=Gain Factor", "Amp.SetupD=7",
                        "Amp.EditLock=0", "Var.ParamNum=30", "Var.Name=Monitor Port: Variable",
                        "Var.SetupA=0", "Var.SetupB=6", "Var.SetupD=6", "Var.EditLock=0",
                        "Var.SetupK=6", "Var.SetupJ=0", "Filter.ParamNum=52",
                        "Filter.Name=Monitor Port: Filter", "Filter.ShortName=Filter",
                        "Filter.SetupA=4", "Filter.SetupB=22", "Filter.ParamNum=52",
                        "Filter.Req.Format=#,##0.#", "Filter.Format=#,##0.#", "Filter.SetupD=7",
                        "Filter.EditLock=0"}));
  // clang-format on
  EXPECT_EQ(p->ConfigReg()->Register(), values.made.back());
}

TEST_F(Port, MonitorVarStrOfOtherNumbers) {
  const std::pair<double, const char*> current[] = {
      {24, "Unknown Variable: 24"}, {65538, "Unknown Variable: 2"}, {-5, "Unknown Variable: 65531"},
      {2.5, "Actual Velocity"},     {23.4, "Max Phase Voltage"},    {-0.4, "Unknown Variable: 0"}};
  for (const auto& [number, text] : current) {
    Set(port->Variable(), number);
    EXPECT_EQ(port->MonitorVarStr(), text) << number;
  }
  Set(port->Variable(), MON_TRQ_MEAS);
  const std::pair<Variant, const char*> given[] = {
      {Variant(int32_t{-5}), "Unknown Variable: 65531"},
      {Variant(std::string(" 17 ")), "Integrator"},
      {Variant::Empty(), "Me (shouldn't see this)"}};
  for (const auto& [which, text] : given)
    EXPECT_EQ(port->MonitorVarStr(which), text) << which.ToString();
  EXPECT_EQ(port->MonitorVarStr(), "Actual Torque");  // the given ones ignore the current variable
  Set(port->ConfigReg()->Register(), 0x200);          // a linear motor
  EXPECT_EQ(port->MonitorVarStr(int32_t{8}), "Commanded Force");

  EXPECT_EQ(Journaled([&] { port->MonitorVarStr(Variant(1e10)); }),
            Lines{"! 6 ZentNetLib: Overflow"});
  port->SetConfigReg(nullptr);  // needed only to name a known variable
  EXPECT_EQ(port->MonitorVarStr(int32_t{40}), "Unknown Variable: 40");
  EXPECT_EQ(Journaled([&] { port->MonitorVarStr(int32_t{3}); }),
            Lines{"! 91 ZentNetLib: Object variable or With block variable not set"});
  port->SetVariable(nullptr);
  EXPECT_EQ(port->MonitorVarStr(), "Me (shouldn't see this)");
}

}  // namespace
}  // namespace zentnet::test

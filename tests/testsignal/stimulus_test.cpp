// The stimulus state. Most cases are flows: what an action writes to the value objects and
// raises, in one journal, closed by an error that reached the caller ("!") and the state.

#include <gmock/gmock.h>

#include "error_text.h"
#include "fake_value.h"
#include "zentnet/automation/error.h"
#include "zentnet/factory.h"
#include "zentnet/registers/ConfigRegObj.h"
#include "zentnet/testsignal/StimulusStateObj.h"
#include "zentnet/values/factory.h"

namespace zentnet::test {
namespace {

using Lines = std::vector<std::string>;
using ::testing::ElementsAre;

class Recorder final : public StimulusStateObjEvents, public EventNotes {
 public:
  using EventNotes::EventNotes;

  void TrackingLimSetup(bool&) override { Note("TrackingLimSetup"); }
  void AdjustAmplitudeScaling(StimGenModes& m) override {
    Note("AdjustAmplitudeScaling", "(" + Show(m) + ")");
  }
  // One member per macro:
  // clang-format off
#define NOTE(Event) void Event() override { Note(#Event); }
  NOTE(AmplitudeChanged) NOTE(PeriodChanged) NOTE(ModeChanged) NOTE(StimulusChanged)
  NOTE(UIModeChanged) NOTE(UIchanged) NOTE(Refresh) NOTE(UpdateView)
#undef NOTE
  // clang-format on
};

struct Stimulus : ::testing::Test {
  Journal journal;
  FakeValues values{false, &journal};
  std::shared_ptr<Recorder> recorder;
  std::shared_ptr<StimulusStateObj> s;

  // Value tags in creation order; a prefix tells two states apart.
  std::shared_ptr<StimulusStateObj> Make(const std::string& prefix = {}) {
    for (const char* tag : {"Mode", "Period", "Amp", "Config", "TL", "Rate"})
      values.tags.push_back(prefix + tag);
    auto state = StimulusStateObj::create();
    recorder = std::make_shared<Recorder>(journal, prefix.empty() ? "" : prefix + ":");
    state->Advise(recorder);
    journal.Clear();
    return state;
  }
  // Amplitude 8, requests 6 and 100, tracking limit 500 under edit lock 4: every write the
  // state makes can be told apart.
  std::shared_ptr<StimulusStateObj> MakeLoaded(const std::string& prefix = {}) {
    auto state = Make(prefix);
    state->SetInitializing(true);
    state->Amplitude()->Number()->SetValue(8);
    state->SetInitializing(false);
    state->Amplitude()->RequestNumber()->SetValue(6);
    state->Period()->RequestNumber()->SetValue(100);
    state->TrackingLimit()->SetEditLock(4);
    state->TrackingLimit()->Number()->SetValue(500);
    journal.Clear();
    return state;
  }
  FakeValue& Tagged(const std::string& tag) {  // of the latest state
    for (auto v = values.made.rbegin(); v != values.made.rend(); ++v)
      if ((*v)->Tag() == tag) return **v;
    throw std::logic_error("no value " + tag);
  }
  std::shared_ptr<FakeValue> Fresh(const std::string& tag) {
    return FakeValue::create(false, &journal, tag);
  }
  void SetMode(double v) { s->Mode()->Number()->SetValue(v); }
  std::string State() const {
    auto show = [](const std::shared_ptr<ValueObj>& v) {
      return v ? Show(v->Number()->Value()) : "-";
    };
    return "mode=" + show(s->Mode()) + " last=" + std::to_string(s->LastMode()) +
           " limit=" + show(s->TrackingLimit()) + (s->Initializing() ? " held" : "");
  }
};

Lines Cat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

const Lines kRestore500 = {"TL.EditLock=0", "TL.Value=500", "TL.EditLock=4"};
const Lines kModeBurst = {"ModeChanged", "StimulusChanged", "UpdateView"};
const Lines kChangeToBurst = {"StimulusChanged", "AmplitudeChanged", "PeriodChanged", "ModeChanged",
                              "UIchanged"};
const Lines kStopped = {"AdjustAmplitudeScaling(0)", "Amp.Refresh"};
const Lines kPosition = {"Amp.Scale=1", "AdjustAmplitudeScaling(3)"};
// ChangeTo(3, 6, 100) from off: the handler runs held back, the burst reports it.
const Lines kChangeToPosition =
    Cat({kPosition,
         {"Amp.Req.Value=6", "Period.Req.Value=100", "Mode.Value=3", "TrackingLimSetup",
          "TL.EditLock=0", "TL.Value=10", "TL.EditLock=4"},
         kPosition,
         kChangeToBurst});

using Step = void (*)(Stimulus&);
struct Flow {
  const char* what;
  Step prepare;  // may be null; runs before the journal starts
  Step act;
  Lines expected;
};

// Steps many flows share.
const Step kStart = [](Stimulus& t) { t.s->Start(); };
const Step kRunVelocity = [](Stimulus& t) { t.s->SetStimMode(STIM_VEL); };

void RunFlows(Stimulus& t, const std::vector<Flow>& flows) {
  for (const auto& f : flows) {
    t.s = t.MakeLoaded();
    if (f.prepare) f.prepare(t);
    Lines lines = Journaled(t.journal, [&] { f.act(t); });
    lines.push_back(t.State());
    EXPECT_EQ(lines, f.expected) << f.what;
  }
}

TEST_F(Stimulus, Flows) {
  // clang-format off
  RunFlows(*this, {
      {"Start from off", nullptr, kStart,
       Cat({{"Mode.Value=3", "TrackingLimSetup", "TL.EditLock=0", "TL.Value=10", "TL.EditLock=4"},
            kModeBurst, kPosition, {"Amp.Refresh", "mode=3 last=3 limit=10"}})},
      {"Terminate", kStart, [](Stimulus& t) { t.s->Terminate(); },
       Cat({{"Mode.Value=0"}, kRestore500, kModeBurst, kStopped, {"mode=0 last=3 limit=500"}})},
      {"owner switches 1 to 2", [](Stimulus& t) { t.SetMode(1); },
       [](Stimulus& t) { t.SetMode(2); },
       Cat({{"Mode.Value=2"}, kRestore500, {"Mode.Value=0"}, kRestore500, kModeBurst,
            kStopped,  // the nested stop
            {"Amp.Scale=327.68", "AdjustAmplitudeScaling(2)", "Amp.Refresh", "Mode.Value=2"},
            kRestore500, {"TrackingLimSetup", "TL.EditLock=0", "TL.EditLock=4"},
            kModeBurst,  // the nested start
            {"Amp.Scale=327.68", "AdjustAmplitudeScaling(2)", "Amp.Refresh",
             "mode=2 last=2 limit=500"}})},
      {"TrackingLimSetup listener replaces the limit",  // the new one gets the stimulus limit
       [](Stimulus& t) {
         t.recorder->on["TrackingLimSetup"] = [&t] { t.s->SetTrackingLimit(t.Fresh("TL2")); };
       }, kStart,
       Cat({{"Mode.Value=3", "TrackingLimSetup", "TL2.EditLock=0", "TL2.Value=10",
             "TL2.EditLock=0"},
            kModeBurst, kPosition, {"Amp.Refresh", "mode=3 last=3 limit=10"}})},
      {"AdjustAmplitudeScaling listener replaces the amplitude",
       [](Stimulus& t) {
         t.recorder->on["AdjustAmplitudeScaling"] = [&t, once = true]() mutable {
           if (std::exchange(once, false)) t.s->SetAmplitude(t.Fresh("New"));
         };
       }, kStart,
       Cat({{"Mode.Value=3", "TrackingLimSetup", "TL.EditLock=0", "TL.Value=10", "TL.EditLock=4"},
            kModeBurst, kPosition,
            {"New.SetupA=1", "New.SetupB=7", "New.ApplySetup", "UpdateView",
             "AdjustAmplitudeScaling(3)", "New.Refresh", "mode=3 last=3 limit=10"}})},
      {"Start without a tracking limit", [](Stimulus& t) { t.s->SetTrackingLimit(nullptr); },
       kStart,
       {"Mode.Value=3", "! 91 ZentNetLib: Object variable or With block variable not set",
        "mode=3 last=3 limit=-"}},
      {"stop with no limit and none saved",  // a mode the handler never saw start
       [](Stimulus& t) {
         auto running = t.Fresh("M2");
         running->Number()->SetValue(STIM_TRQ);
         t.s->SetMode(running), t.s->SetTrackingLimit(nullptr);
       }, [](Stimulus& t) { t.s->Terminate(); },
       Cat({{"M2.Value=0"}, kModeBurst, kStopped, {"mode=0 last=3 limit=-"}})},
      // Bulk members.
      {"StartStop from off", nullptr, [](Stimulus& t) { t.s->StartStop(); },
       Cat({kChangeToPosition, {"mode=3 last=3 limit=10"}})},
      {"ChangeTo while running: stops first, held back", kStart,
       [](Stimulus& t) { t.s->ChangeTo(STIM_VEL, 5, 20); },
       Cat({{"Mode.Value=0"}, kRestore500,
            {"AdjustAmplitudeScaling(0)", "Amp.Scale=1", "AdjustAmplitudeScaling(1)",
             "Amp.Req.Value=5", "Period.Req.Value=20", "Mode.Value=1"},
            kRestore500,
            {"TrackingLimSetup", "TL.EditLock=0", "TL.Value=0", "TL.EditLock=4", "Amp.Scale=1",
             "AdjustAmplitudeScaling(1)"},
            kChangeToBurst, {"mode=1 last=1 limit=0"}})},
      {"Initialize", nullptr, [](Stimulus& t) { t.s->Initialize(STIM_TRQ, 100, 50); },
       {"Mode.InitialValue=2", "Amp.InitialValue=100", "Period.InitialValue=50", "Amp.SetupA=3",
        "Amp.SetupB=13", "AdjustAmplitudeScaling(2)", "mode=0 last=3 limit=500"}},
      {"SetupFor while off", nullptr, [](Stimulus& t) { t.s->SetupFor(STIM_VEL, 12.5, 40); },
       {"Amp.SetupA=2", "Amp.SetupB=10", "AdjustAmplitudeScaling(1)", "UIchanged",
        "Amp.Value=12.5", "Period.Value=40", "UIchanged", "mode=0 last=1 limit=500"}},
      {"SetupFor while running", kRunVelocity,
       [](Stimulus& t) { t.s->SetupFor(STIM_TRQ, 7, 9); }, {"mode=1 last=1 limit=0"}},
      // Writes and the values' notifications.
      {"LastMode while off", nullptr, [](Stimulus& t) { t.s->SetLastMode(STIM_TRQ); },
       {"UIModeChanged", "Amp.Scale=327.68", "AdjustAmplitudeScaling(2)", "Amp.Refresh",
        "mode=0 last=2 limit=500"}},
      {"UImode", nullptr, [](Stimulus& t) { t.s->SetUImode(STIM_CALIBRATE); },
       {"Amp.SetupA=3", "Amp.SetupB=13", "Amp.ApplySetup", "UpdateView",
        "AdjustAmplitudeScaling(4)", "UIModeChanged", "mode=0 last=4 limit=500"}},
      {"UImode 0", nullptr, [](Stimulus& t) { t.s->SetUImode(STIM_OFF); },
       {"Amp.ApplySetup", "UpdateView", "AdjustAmplitudeScaling(0)", "mode=0 last=3 limit=500"}},
      {"value changes", nullptr,
       [](Stimulus& t) {
         for (double v : {30, 31}) {  // the second held back
           t.s->Period()->Number()->SetValue(v);
           t.s->Amplitude()->Number()->SetValue(v);
           t.s->SetInitializing(true);
         }
       },
       {"Period.Value=30", "PeriodChanged", "StimulusChanged", "UIchanged", "Amp.Value=30",
        "AmplitudeChanged", "StimulusChanged", "UIchanged", "Period.Value=31", "Amp.Value=31",
        "mode=0 last=3 limit=500 held"}},
      {"content changes", nullptr,
       [](Stimulus& t) {
         for (const char* tag : {"Period", "Amp", "Mode", "TL"})
           t.Tagged(tag).Inner().RaiseContentChanged();
       },
       {"UpdateView", "UpdateView", "Amp.ApplySetup", "UpdateView", "AdjustAmplitudeScaling(0)",
        "UpdateView", "UpdateView", "mode=0 last=3 limit=500"}},
      {"amplitude assignment", kRunVelocity,
       [](Stimulus& t) {
         auto old = t.s->Amplitude();
         t.s->SetAmplitude(t.Fresh("New"));
         old->Number()->SetValue(99);  // no longer heard
         t.s->Amplitude()->Number()->SetValue(98);
       },
       {"New.SetupA=2", "New.SetupB=10", "New.ApplySetup", "UpdateView",
        "AdjustAmplitudeScaling(1)", "Amp.Value=99", "New.Value=98", "AmplitudeChanged",
        "StimulusChanged", "UIchanged", "mode=1 last=1 limit=0"}},
  });
  // clang-format on
}

// A limit changed while the generator is off is the drive's own: the one put back after a run.
TEST_F(Stimulus, ALimitChangedWhileOffIsTheOnePutBack) {
  s = MakeLoaded();
  s->Start(), s->Terminate();
  s->TrackingLimit()->Number()->SetValue(700);
  Tagged("TL").Inner().RaiseContentChanged();
  s->Start(), s->Terminate();
  EXPECT_EQ(State(), "mode=0 last=3 limit=700");
}

TEST_F(Stimulus, ConstructionOrderAndNewState) {
  values.tags = {"Mode", "Period", "Amp", "Config", "TL", "Rate"};
  s = StimulusStateObj::create();
  Lines own;  // the register's own value is set up by its class
  for (const auto& line : journal.lines)
    if (line.rfind("Config.", 0) != 0) own.push_back(line);
  EXPECT_THAT(
      own, ElementsAre("Mode.SetupA=0", "Mode.SetupB=6", "Mode.Name=Mode", "Mode.LowerBoundA=0",
                       "Mode.UpperBoundA=4", "Mode.Value=0", "Amp.ApplySetup", "Period.Name=Period",
                       "Period.SetupA=4", "Period.SetupB=22", "Period.UpperBoundB=32767",
                       "Period.LowerBoundB=1", "Period.SetupH=-1", "Amp.Name=Amplitude",
                       "Amp.UpperBoundB=32767", "Amp.LowerBoundB=-32768", "Amp.SetupH=-1",
                       "Rate.Req.Value=1000"));
  EXPECT_EQ(s->ConfigReg()->Register().get(), &Tagged("Config"));
  EXPECT_EQ(State(), "mode=0 last=3 limit=0");
  EXPECT_EQ(s->UImode(), 3);
  EXPECT_EQ(s->VelocityQ(), 1);
  EXPECT_EQ(s->ModeStr(), "Position");
}

TEST_F(Stimulus, ModeValueReadings) {
  // Value, running, mode read, limit after starting from off with amplitude 8.
  const std::tuple<double, bool, int32_t, double> cases[] = {
      {1, true, 1, 0},    {3, true, 3, 10},     {4, true, 4, 500},
      {5, false, 5, 500}, {3.5, false, 4, 500}, {-1, false, -1, 500}};
  for (const auto& [value, running, stimMode, limit] : cases) {
    s = MakeLoaded();
    SetMode(value);
    EXPECT_EQ(std::make_tuple(s->Running(), s->StimMode(), s->UImode()),
              std::make_tuple(running, stimMode, stimMode))
        << value;
    EXPECT_EQ(State(), "mode=" + Show(value) + " last=" + std::to_string(stimMode) +
                           " limit=" + Show(limit));
    s->Terminate();
    EXPECT_EQ(State(), "mode=0 last=" + std::to_string(stimMode) + " limit=500");
  }
}

TEST_F(Stimulus, AmplitudeScaleByMode) {
  // Mode, velocity quotient, sample rate, amplitude scale (which starts at 7).
  const std::tuple<int32_t, int32_t, double, double> cases[] = {
      {STIM_VEL, 1, 4000, 0.5},       {STIM_VEL, 1, 0, 1},   {STIM_VEL, 3, 1000, 8},
      {STIM_CALIBRATE, 1, 0, 327.68}, {STIM_ME, 1, 4000, 7}, {-2, 1, 4000, 7}};
  for (const auto& [mode, velocityQ, rate, scale] : cases) {
    s = Make();
    s->SetVelocityQ(velocityQ);
    Tagged("Rate").Number()->SetValue(rate);
    s->Amplitude()->Number()->SetScale(7);
    s->SetLastMode(static_cast<StimGenModes>(mode));  // off: applies the amplitude scale
    EXPECT_EQ(s->Amplitude()->Number()->Scale(), scale) << mode << " " << rate;
  }
}

// A new sample-rate object scales the period at once, unless the state is held back.
TEST_F(Stimulus, ANewSampleRateScalesThePeriodUnlessHeldBack) {
  s = Make();
  const auto rate = Fresh("R");
  rate->Number()->SetValue(2000);
  s->SetInitializing(true);
  journal.Clear();
  s->SetSampleRate(rate);
  s->SetInitializing(false);
  s->SetSampleRate(rate);
  rate->Number()->SetValue(1);  // only an unknown (zero) rate keeps the last scale
  s->SetSampleRate(rate);
  EXPECT_THAT(journal.lines, ElementsAre("Period.Scale=2", "UpdateView", "R.Value=1",
                                         "Period.Scale=0.001", "UpdateView"));
}

TEST_F(Stimulus, ModeStr) {
  const std::tuple<int32_t, bool, const char*> cases[] = {{0, false, "OFF"},
                                                          {2, false, "Torque"},
                                                          {2, true, "Force"},
                                                          {4, false, "Calibration"},
                                                          {-1, false, "Mode -1"}};
  s = Make();
  for (const auto& [lookup, linear, text] : cases) {
    s->ConfigReg()->SetMotorStyle(linear ? MOTOR_BRUSHLESS_LINEAR : MOTOR_BRUSHLESS_ROTARY);
    EXPECT_EQ(s->ModeStr(static_cast<StimGenModes>(lookup)), text) << lookup;
  }
  s->SetConfigReg(nullptr);
  EXPECT_THROW(s->ModeStr(STIM_TRQ), AutomationError);
}

TEST_F(Stimulus, CopyToLoadsTheDestinationHeldBackThenReportsOnce) {
  s = MakeLoaded();
  s->SetVelocityQ(3);
  s->SetStimMode(STIM_VEL);
  s->ConfigReg()->SetSyncPulse(SYNC_PULSE_NEG);
  auto dst = MakeLoaded("d");
  s->CopyTo(dst);
  EXPECT_THAT(
      journal.lines,
      ElementsAre("d:UIchanged", "Mode.CopyContentTo(dMode)", "dAmp.SetupA=2", "dAmp.SetupB=10",
                  "d:AdjustAmplitudeScaling(1)", "d:UpdateView", "Amp.CopyContentTo(dAmp)",
                  "d:UpdateView", "Period.CopyContentTo(dPeriod)", "d:UpdateView",
                  "TL.CopyContentTo(dTL)", "d:UpdateView", "dConfig.Value=2", "d:ModeChanged",
                  "d:AmplitudeChanged", "d:PeriodChanged", "d:StimulusChanged", "d:UIchanged"));
  EXPECT_EQ(dst->LastMode() * 10 + dst->VelocityQ(), 13);
  EXPECT_EQ(dst->TrackingLimit()->Number()->Value(), 0);
  EXPECT_EQ(dst->ConfigReg()->SyncPulse(), SYNC_PULSE_NEG);
  EXPECT_FALSE(dst->Initializing());

  // Both now scale their periods from the one sample-rate object.
  Tagged("Rate").Number()->SetValue(4000);
  journal.Clear();
  Tagged("Rate").Inner().RaiseContentChanged();
  EXPECT_THAT(journal.lines,
              ElementsAre("Period.Scale=4", "UpdateView", "dPeriod.Scale=4", "d:UpdateView"));
  EXPECT_THROW(s->CopyTo(nullptr), AutomationError);
}

// One value object in two fields makes the state re-enter itself through its own writes
// without end (the mode as the amplitude already on assignment): the caller gets 28, and the
// state works again once the fields hold their own objects.
TEST(StimulusLoop, AValueInTwoFieldsEndsInOutOfStackSpaceAndLeavesTheStateUsable) {
  using Set = void (StimulusStateObj::*)(std::shared_ptr<ValueObj>);
  const std::pair<Set, void (*)(StimulusStateObj&)> cases[] = {
      {&StimulusStateObj::SetTrackingLimit, [](StimulusStateObj& s) { s.Start(); }},
      {&StimulusStateObj::SetAmplitude, [](StimulusStateObj& s) { s.StartStop(), s.StartStop(); }},
  };
  for (const auto& [field, action] : cases) {
    const auto s = StimulusStateObj::create();
    EXPECT_EQ(ErrorOf([&] { (*s.*field)(s->Mode()), action(*s); }),
              "28|ZentNetLib|Out of stack space||0");
    (*s.*field)(NewValueObj());
    s->SetInitializing(false);
    s->Terminate();
    s->Start();
    EXPECT_TRUE(s->Running());
  }
}

}  // namespace
}  // namespace zentnet::test

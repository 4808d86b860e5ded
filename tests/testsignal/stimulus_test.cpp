// The stimulus state. Most cases are flows: what an action writes to the value objects and
// raises, in one journal, closed by an error that reached the caller ("!") and the state.

#include <gmock/gmock.h>

#include "recording_value.h"
#include "zentnet/automation/error.h"
#include "zentnet/factory.h"
#include "zentnet/registers/ConfigRegObj.h"
#include "zentnet/testsignal/StimulusStateObj.h"

namespace zentnet::test {
namespace {

using Lines = std::vector<std::string>;
using ::testing::ElementsAre;

class Recorder final : public StimulusStateObjEvents, public EventNotes {
 public:
  using EventNotes::EventNotes;
  bool cancel = false;  // the answer to TrackingLimSetup

#define NOTE(Event) \
  void Event() override { Note(#Event); }
  NOTE(AmplitudeChanged) NOTE(PeriodChanged) NOTE(ModeChanged) NOTE(StimulusChanged) NOTE(UIModeChanged)
  NOTE(UIchanged) NOTE(Refresh) NOTE(UpdateView)
#undef NOTE
  void TrackingLimSetup(bool& c) override { Note("TrackingLimSetup"), c = c || cancel; }
  void AdjustAmplitudeScaling(StimGenModes& m) override { Note("AdjustAmplitudeScaling", "(" + Show(m) + ")"); }
};

struct Stimulus : ::testing::Test {
  Journal journal;
  RecordingValues values{journal};
  std::shared_ptr<Recorder> recorder;
  std::shared_ptr<StimulusStateObj> s;

  // Value tags in creation order; a prefix tells two states apart.
  std::shared_ptr<StimulusStateObj> Make(const std::string& prefix = {}) {
    for (const char* tag : {"Mode", "Period", "Amp", "Config", "TL", "Rate"}) values.tags.push_back(prefix + tag);
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
  RecordingValue& Tagged(const std::string& tag) {  // of the latest state
    for (auto v = values.made.rbegin(); v != values.made.rend(); ++v)
      if ((*v)->Tag() == tag) return **v;
    throw std::logic_error("no value " + tag);
  }
  std::shared_ptr<RecordingValue> Fresh(const std::string& tag) {
    return std::make_shared<RecordingValue>(&journal, tag);
  }
  void SetMode(double v) { s->Mode()->Number()->SetValue(v); }
  std::string State() const {
    auto show = [](const std::shared_ptr<ValueObj>& v) { return v ? Show(v->Number()->Value()) : "-"; };
    return "mode=" + show(s->Mode()) + " last=" + std::to_string(s->LastMode()) + " limit=" +
           show(s->TrackingLimit()) + (s->Initializing() ? " held" : "");
  }
};

Lines Cat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

const Lines kRestore500 = {"TL.EditLock=0", "TL.Value=500", "TL.EditLock=4"};
const Lines kModeBurst = {"ModeChanged", "StimulusChanged", "UpdateView"};
const Lines kChangeToBurst = {"StimulusChanged", "AmplitudeChanged", "PeriodChanged", "ModeChanged", "UIchanged"};
const Lines kStopped = {"AdjustAmplitudeScaling(0)", "Amp.Refresh"};
const Lines kPosition = {"Amp.Scale=1", "AdjustAmplitudeScaling(3)"};
// ChangeTo(3, 6, 100) from off: the handler runs held back, the burst reports it.
const Lines kChangeToPosition = Cat({kPosition, {"Amp.Req.Value=6", "Period.Req.Value=100", "Mode.Value=3",
                                                 "TrackingLimSetup", "TL.EditLock=0", "TL.Value=10", "TL.EditLock=4"},
                                     kPosition, kChangeToBurst});

using Step = void (*)(Stimulus&);
struct Flow {
  const char* what;
  Step prepare;  // may be null; runs before the journal starts
  Step act;
  Lines expected;
};

// Steps many flows share.
const Step kStart = [](Stimulus& t) { t.s->Start(); };
const Step kHold = [](Stimulus& t) { t.s->SetInitializing(true); };
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

TEST_F(Stimulus, ModeHandlerFlows) {
  RunFlows(*this, {
    {"Start from off", nullptr, kStart,
     Cat({{"Mode.Value=3", "TrackingLimSetup", "TL.EditLock=0", "TL.Value=10", "TL.EditLock=4"}, kModeBurst,
          kPosition, {"Amp.Refresh", "mode=3 last=3 limit=10"}})},
    {"Start while on", kStart, kStart, {"mode=3 last=3 limit=10"}},
    {"Terminate", kStart, [](Stimulus& t) { t.s->Terminate(); },
     Cat({{"Mode.Value=0"}, kRestore500, kModeBurst, kStopped, {"mode=0 last=3 limit=500"}})},
    {"Terminate while off", nullptr, [](Stimulus& t) { t.s->Terminate(); }, {"mode=0 last=3 limit=500"}},
    {"cancelled TrackingLimSetup", [](Stimulus& t) { t.recorder->cancel = true; }, kStart,
     Cat({{"Mode.Value=3", "TrackingLimSetup"}, kModeBurst, kPosition, {"Amp.Refresh", "mode=3 last=3 limit=500"}})},
    {"owner switches 1 to 2", [](Stimulus& t) { t.SetMode(1); }, [](Stimulus& t) { t.SetMode(2); },
     Cat({{"Mode.Value=2"}, kRestore500, {"Mode.Value=0"}, kRestore500, kModeBurst, kStopped,  // the nested stop
          {"Amp.Scale=327.68", "AdjustAmplitudeScaling(2)", "Amp.Refresh", "Mode.Value=2"}, kRestore500,
          {"TrackingLimSetup", "TL.EditLock=0", "TL.EditLock=4"}, kModeBurst,  // the nested start
          {"Amp.Scale=327.68", "AdjustAmplitudeScaling(2)", "Amp.Refresh", "mode=2 last=2 limit=500"}})},
    {"owner switches 1 to 2, held", [](Stimulus& t) { t.SetMode(1), t.s->SetInitializing(true); },
     [](Stimulus& t) { t.SetMode(2); },
     Cat({{"Mode.Value=2"}, kRestore500, {"Mode.Value=0"}, kRestore500,
          {"AdjustAmplitudeScaling(0)", "Amp.Scale=327.68", "AdjustAmplitudeScaling(2)",
           "mode=0 last=2 limit=500 held"}})},
    {"ModeChanged listener stops",
     [](Stimulus& t) {
       t.recorder->on["ModeChanged"] = [&t, once = true]() mutable {
         if (std::exchange(once, false)) t.s->Terminate();
       };
     },
     kStart,
     Cat({{"Mode.Value=3", "TrackingLimSetup", "TL.EditLock=0", "TL.Value=10", "TL.EditLock=4", "ModeChanged",
           "Mode.Value=0"}, kRestore500, kModeBurst, kStopped,
          {"StimulusChanged", "UpdateView"}, kStopped, {"mode=0 last=3 limit=500"}})},  // reading the mode afresh
    {"TrackingLimSetup listener switches to velocity",
     [](Stimulus& t) {
       t.recorder->on["TrackingLimSetup"] = [&t, once = true]() mutable {
         if (std::exchange(once, false)) t.s->SetStimMode(STIM_VEL);
       };
     },
     kStart,
     Cat({{"Mode.Value=3", "TrackingLimSetup", "Mode.Value=1"}, kRestore500,  // 1 after 3: stop...
          {"Mode.Value=0"}, kRestore500, kModeBurst, kStopped,
          {"Amp.Scale=1", "AdjustAmplitudeScaling(1)", "Amp.Refresh", "Mode.Value=1"}, kRestore500,  // ...start
          {"TrackingLimSetup", "TL.EditLock=0", "TL.Value=0", "TL.EditLock=4"}, kModeBurst,
          {"Amp.Scale=1", "AdjustAmplitudeScaling(1)", "Amp.Refresh"},
          // the outer start resumes after its TrackingLimSetup with the mode now 1
          {"TL.EditLock=0", "TL.Value=0", "TL.EditLock=4"}, kModeBurst,
          {"Amp.Scale=1", "AdjustAmplitudeScaling(1)", "Amp.Refresh", "mode=1 last=1 limit=0"}})},
    {"limit remembered only while off", nullptr,
     [](Stimulus& t) {
       for (double limit : {300, 77}) {  // the second is the stimulus limit: not remembered
         t.s->TrackingLimit()->Number()->SetValue(limit);
         t.Tagged("TL").Inner().RaiseContentChanged();
         t.s->SetStimMode(STIM_VEL);
       }
       t.journal.Clear();
       t.s->Terminate();
     },
     Cat({{"Mode.Value=0", "TL.EditLock=0", "TL.Value=300", "TL.EditLock=4"}, kModeBurst, kStopped,
          {"mode=0 last=1 limit=300"}})},
    {"a stop of a mode loaded as content remembers no limit",
     [](Stimulus& t) {
       auto loaded = t.Fresh("Loaded");
       loaded->Number()->SetValue(STIM_TRQ);
       loaded->CopyContentTo(t.s->Mode());
       t.s->TrackingLimit()->Number()->SetValue(50);  // the drive's stimulus limit
     },
     [](Stimulus& t) {
       t.s->Terminate();
       t.s->TrackingLimit()->Number()->SetValue(500);  // the normal limit, back
       t.s->Start();
       t.journal.Clear();
       t.s->Terminate();
     },
     Cat({{"Mode.Value=0"}, kRestore500, kModeBurst, kStopped, {"mode=0 last=3 limit=500"}})},
    {"stop without a tracking limit, none remembered",
     [](Stimulus& t) {
       auto loaded = t.Fresh("Loaded");
       loaded->Number()->SetValue(STIM_TRQ);
       loaded->CopyContentTo(t.s->Mode());
       t.s->SetTrackingLimit(nullptr);
     },
     [](Stimulus& t) { t.s->Terminate(); },
     Cat({{"Mode.Value=0"}, kModeBurst, kStopped, {"mode=0 last=3 limit=-"}})},
    {"TrackingLimSetup listener replaces the limit",  // the new one gets the stimulus limit
     [](Stimulus& t) {
       t.recorder->on["TrackingLimSetup"] = [&t] { t.s->SetTrackingLimit(t.Fresh("TL2")); };
     },
     kStart,
     Cat({{"Mode.Value=3", "TrackingLimSetup", "TL2.EditLock=0", "TL2.Value=10", "TL2.EditLock=0"}, kModeBurst,
          kPosition, {"Amp.Refresh", "mode=3 last=3 limit=10"}})},
    {"AdjustAmplitudeScaling listener replaces the amplitude",
     [](Stimulus& t) {
       t.recorder->on["AdjustAmplitudeScaling"] = [&t, once = true]() mutable {
         if (std::exchange(once, false)) t.s->SetAmplitude(t.Fresh("New"));
       };
     },
     kStart,
     Cat({{"Mode.Value=3", "TrackingLimSetup", "TL.EditLock=0", "TL.Value=10", "TL.EditLock=4"}, kModeBurst,
          kPosition, {"New.SetupA=1", "New.SetupB=7", "New.ApplySetup", "UpdateView", "AdjustAmplitudeScaling(3)",
                      "New.Refresh", "mode=3 last=3 limit=10"}})},
    {"Start without a tracking limit", [](Stimulus& t) { t.s->SetTrackingLimit(nullptr); },
     kStart,
     {"Mode.Value=3", "! 91 ZentNetLib: Object variable or With block variable not set", "mode=3 last=3 limit=-"}},
  });
}

TEST_F(Stimulus, BulkFlows) {
  RunFlows(*this, {
    {"StartStop from off", nullptr, [](Stimulus& t) { t.s->StartStop(); },
     Cat({kChangeToPosition, {"mode=3 last=3 limit=10"}})},
    {"StartStop while running", [](Stimulus& t) { t.s->StartStop(); }, [](Stimulus& t) { t.s->StartStop(); },
     Cat({{"Mode.Value=0"}, kRestore500, {"AdjustAmplitudeScaling(0)", "Mode.Value=0"}, kChangeToBurst,
          {"mode=0 last=3 limit=500"}})},
    {"ChangeTo between running modes", kRunVelocity,
     [](Stimulus& t) { t.s->ChangeTo(STIM_TRQ, 50, 20); },
     Cat({{"Mode.Value=0"}, kRestore500,
          {"AdjustAmplitudeScaling(0)", "Amp.Scale=327.68", "AdjustAmplitudeScaling(2)", "Amp.Req.Value=50",
           "Period.Req.Value=20", "Mode.Value=2"}, kRestore500,
          {"TrackingLimSetup", "TL.EditLock=0", "TL.EditLock=4", "Amp.Scale=327.68", "AdjustAmplitudeScaling(2)"},
          kChangeToBurst, {"mode=2 last=2 limit=500"}})},
    {"ChangeTo while held", kHold, [](Stimulus& t) { t.s->ChangeTo(STIM_POSN, 6, 100); },
     Cat({kChangeToPosition, {"mode=3 last=3 limit=10 held"}})},
    {"ChangeTo failing in a listener",
     [](Stimulus& t) { t.recorder->FailOnce("TrackingLimSetup"); },
     [](Stimulus& t) { t.s->ChangeTo(STIM_POSN, 6, 100); },
     Cat({kPosition, {"Amp.Req.Value=6", "Period.Req.Value=100", "Mode.Value=3", "TrackingLimSetup",
                      "! 1234 Listener: listener failed", "mode=3 last=3 limit=500 held"}})},
    {"Initialize", nullptr, [](Stimulus& t) { t.s->Initialize(STIM_TRQ, 100, 50); },
     {"Mode.InitialValue=2", "Amp.InitialValue=100", "Period.InitialValue=50", "Amp.SetupA=3", "Amp.SetupB=13",
      "AdjustAmplitudeScaling(2)", "mode=0 last=3 limit=500"}},
    {"Initialize off, held", kHold,
     [](Stimulus& t) { t.s->Initialize(STIM_OFF, 100, 50), t.s->SetInitializeMode(STIM_CALIBRATE); },
     {"Mode.InitialValue=0", "AdjustAmplitudeScaling(0)", "Mode.DefaultValue=4", "mode=0 last=3 limit=500 held"}},
    {"SetupFor while off", nullptr, [](Stimulus& t) { t.s->SetupFor(STIM_VEL, 12.5, 40); },
     {"Amp.SetupA=2", "Amp.SetupB=10", "AdjustAmplitudeScaling(1)", "UIchanged", "Amp.Value=12.5", "Period.Value=40",
      "UIchanged", "mode=0 last=1 limit=500"}},
    {"SetupFor while held", kHold,
     [](Stimulus& t) { t.s->SetupFor(STIM_VEL, 12.5, 40); }, {"mode=0 last=3 limit=500 held"}},
    {"SetupFor while running", kStart,
     [](Stimulus& t) { t.s->SetupFor(STIM_VEL, 12.5, 40); }, {"mode=3 last=3 limit=10"}},
    {"SetupFor without period", [](Stimulus& t) { t.s->SetPeriod(nullptr); },
     [](Stimulus& t) { t.s->SetupFor(STIM_TRQ, 3, 4); },
     {"Amp.SetupA=3", "Amp.SetupB=13", "AdjustAmplitudeScaling(2)", "UIchanged", "Amp.Value=3", "UIchanged",
      "mode=0 last=2 limit=500"}},
    {"SetupFor with a failing listener",
     [](Stimulus& t) { t.recorder->FailOnce("AdjustAmplitudeScaling"); },
     [](Stimulus& t) { t.s->SetupFor(STIM_TRQ, 3, 4); },
     {"Amp.SetupA=3", "Amp.SetupB=13", "AdjustAmplitudeScaling(2)", "UIchanged", "mode=0 last=3 limit=500"}},
    {"SetupFor without mode, held before",
     [](Stimulus& t) {
       t.s->SetInitializing(true);
       EXPECT_THROW(t.s->SetMode(nullptr), AutomationError);  // stored, then read
     },
     [](Stimulus& t) { t.s->SetupFor(STIM_TRQ, 3, 4); }, {"UIchanged", "mode=- last=3 limit=500"}},
    {"FireChanges", nullptr, [](Stimulus& t) { t.s->FireChanges(); },
     {"ModeChanged", "AmplitudeChanged", "PeriodChanged", "StimulusChanged", "UIchanged", "mode=0 last=3 limit=500"}},
    {"FireChanges held, Refresh not", kHold,
     [](Stimulus& t) { t.s->FireChanges(), t.s->Refresh(); }, {"Refresh", "mode=0 last=3 limit=500 held"}},
  });
}

TEST_F(Stimulus, WritesAndNotificationFlows) {
  RunFlows(*this, {
    {"LastMode while off", nullptr, [](Stimulus& t) { t.s->SetLastMode(STIM_TRQ); },
     {"UIModeChanged", "Amp.Scale=327.68", "AdjustAmplitudeScaling(2)", "Amp.Refresh", "mode=0 last=2 limit=500"}},
    {"LastMode 0 while off", nullptr, [](Stimulus& t) { t.s->SetLastMode(STIM_OFF); },
     Cat({{"UIModeChanged"}, kStopped, {"mode=0 last=3 limit=500"}})},
    {"LastMode held", kHold, [](Stimulus& t) { t.s->SetLastMode(STIM_VEL); },
     {"UIchanged", "mode=0 last=1 limit=500 held"}},
    {"LastMode running", kRunVelocity,
     [](Stimulus& t) { t.s->SetLastMode(STIM_POSN); }, {"UIchanged", "mode=1 last=3 limit=0"}},
    {"UImode", nullptr, [](Stimulus& t) { t.s->SetUImode(STIM_CALIBRATE); },
     {"Amp.SetupA=3", "Amp.SetupB=13", "Amp.ApplySetup", "UpdateView", "AdjustAmplitudeScaling(4)", "UIModeChanged",
      "mode=0 last=4 limit=500"}},
    {"UImode 0", nullptr, [](Stimulus& t) { t.s->SetUImode(STIM_OFF); },
     {"Amp.ApplySetup", "UpdateView", "AdjustAmplitudeScaling(0)", "mode=0 last=3 limit=500"}},
    {"UImode held", kHold, [](Stimulus& t) { t.s->SetUImode(STIM_POSN); },
     {"Amp.SetupA=1", "Amp.SetupB=7", "AdjustAmplitudeScaling(3)", "mode=0 last=3 limit=500 held"}},
    {"UImode without amplitude", [](Stimulus& t) { t.s->SetAmplitude(nullptr); },
     [](Stimulus& t) { t.s->SetUImode(STIM_VEL); }, {"UIModeChanged", "mode=0 last=1 limit=500"}},
    {"value changes", nullptr,
     [](Stimulus& t) {
       for (double v : {30, 31}) {  // the second held back
         t.s->Period()->Number()->SetValue(v);
         t.s->Amplitude()->Number()->SetValue(v);
         t.s->SetInitializing(true);
       }
     },
     {"Period.Value=30", "PeriodChanged", "StimulusChanged", "UIchanged", "Amp.Value=30", "AmplitudeChanged",
      "StimulusChanged", "UIchanged", "Period.Value=31", "Amp.Value=31", "mode=0 last=3 limit=500 held"}},
    {"content changes", nullptr,
     [](Stimulus& t) {
       for (const char* tag : {"Period", "Amp", "Mode"}) t.Tagged(tag).Inner().RaiseContentChanged();
     },
     {"UpdateView", "UpdateView", "Amp.ApplySetup", "UpdateView", "AdjustAmplitudeScaling(0)", "UpdateView",
      "mode=0 last=3 limit=500"}},
    {"sample rate content", nullptr,
     [](Stimulus& t) {
       for (double rate : {4000, 0}) {  // its number changes are not heard; 0 never divides
         t.Tagged("Rate").Number()->SetValue(rate);
         t.Tagged("Rate").Inner().RaiseContentChanged();
       }
     },
     {"Rate.Value=4000", "Period.Scale=4", "UpdateView", "Rate.Value=0", "UpdateView", "mode=0 last=3 limit=500"}},
    {"sample rate assignment", nullptr,
     [](Stimulus& t) {
       auto rate = t.Fresh("R2");
       rate->Number()->SetValue(2000);
       t.s->SetSampleRate(rate);
       t.s->SetSampleRate(t.Fresh("R0"));
       t.s->SetInitializing(true);
       t.s->SetSampleRate(rate);
       t.s->SetSampleRate(nullptr);
       rate->Inner().RaiseContentChanged();  // no longer heard
     },
     {"R2.Value=2000", "Period.Scale=2", "UpdateView", "UpdateView", "mode=0 last=3 limit=500 held"}},
    {"amplitude assignment", kRunVelocity,
     [](Stimulus& t) {
       auto old = t.s->Amplitude();
       t.s->SetAmplitude(t.Fresh("New"));
       old->Number()->SetValue(99);  // no longer heard
       t.s->Amplitude()->Number()->SetValue(98);
     },
     {"New.SetupA=2", "New.SetupB=10", "New.ApplySetup", "UpdateView", "AdjustAmplitudeScaling(1)", "Amp.Value=99",
      "New.Value=98", "AmplitudeChanged", "StimulusChanged", "UIchanged", "mode=1 last=1 limit=0"}},
  });
}

TEST_F(Stimulus, ConstructionOrderAndNewState) {
  values.tags = {"Mode", "Period", "Amp", "Config", "TL", "Rate"};
  s = StimulusStateObj::create();
  Lines own;  // the register's own value is set up by its class
  for (const auto& line : journal.lines)
    if (line.rfind("Config.", 0) != 0) own.push_back(line);
  EXPECT_THAT(own, ElementsAre("Mode.SetupA=0", "Mode.SetupB=6", "Mode.Name=Mode", "Mode.LowerBoundA=0",
                               "Mode.UpperBoundA=4", "Mode.Value=0", "Amp.ApplySetup", "Period.Name=Period",
                               "Period.SetupA=4", "Period.SetupB=22", "Period.UpperBoundB=32767",
                               "Period.LowerBoundB=1", "Period.SetupH=-1", "Amp.Name=Amplitude",
                               "Amp.UpperBoundB=32767", "Amp.LowerBoundB=-32768", "Amp.SetupH=-1",
                               "Rate.Req.Value=1000"));
  EXPECT_EQ(s->ConfigReg()->Register().get(), &Tagged("Config"));
  EXPECT_EQ(State(), "mode=0 last=3 limit=0");
  EXPECT_FALSE(s->Running());
  EXPECT_EQ(s->UImode(), 3);
  EXPECT_EQ(s->VelocityQ(), 1);
  EXPECT_EQ(s->ModeStr(), "Position");
}

TEST_F(Stimulus, ModeValueReadings) {
  struct Case {
    double value;
    bool running;
    int32_t stimMode;
    double limit;  // after starting from off with amplitude 8
  } const cases[] = {{1, true, 1, 0},     {2, true, 2, 500},    {3, true, 3, 10},     {4, true, 4, 500},
                     {5, false, 5, 500},  {9, false, 9, 500},   {2.5, false, 2, 500}, {3.5, false, 4, 500},
                     {-1, false, -1, 500}};
  for (const auto& c : cases) {
    s = MakeLoaded();
    SetMode(c.value);
    EXPECT_EQ(s->Running(), c.running) << c.value;
    EXPECT_EQ(s->StimMode(), c.stimMode) << c.value;
    EXPECT_EQ(s->UImode(), c.stimMode) << c.value;
    EXPECT_EQ(State(), "mode=" + Show(c.value) + " last=" + std::to_string(c.stimMode) + " limit=" + Show(c.limit));
    s->Terminate();
    EXPECT_EQ(State(), "mode=0 last=" + std::to_string(c.stimMode) + " limit=500");
  }
}

TEST_F(Stimulus, AmplitudeScaleByMode) {
  struct Case {
    int32_t mode, velocityQ;
    double rate, scale;  // the scale starts at 7
  } const cases[] = {{STIM_VEL, 1, 4000, 0.5},   {STIM_VEL, 1, 0, 1},         {STIM_VEL, 3, 1000, 8},
                     {STIM_VEL, -1, 500, 1},     {STIM_TRQ, 1, 4000, 327.68}, {STIM_CALIBRATE, 1, 0, 327.68},
                     {STIM_POSN, 5, 4000, 1},    {STIM_ME, 1, 4000, 7},       {-2, 1, 4000, 7}};
  for (const auto& c : cases) {
    s = Make();
    s->SetVelocityQ(c.velocityQ);
    Tagged("Rate").Number()->SetValue(c.rate);
    s->Amplitude()->Number()->SetScale(7);
    journal.Clear();
    s->SetLastMode(static_cast<StimGenModes>(c.mode));  // off: applies the amplitude scale
    EXPECT_EQ(s->Amplitude()->Number()->Scale(), c.scale) << c.mode << " " << c.rate;
    EXPECT_THAT(journal.lines, ::testing::Contains("AdjustAmplitudeScaling(" + std::to_string(c.mode) + ")"));
  }
}

TEST_F(Stimulus, ModeStr) {
  const std::tuple<int32_t, bool, const char*> cases[] = {
      {0, false, "OFF"}, {2, false, "Torque"}, {2, true, "Force"}, {6, false, "Mode 6"}, {-1, false, "Mode -1"}};
  s = Make();
  for (const auto& [lookup, linear, text] : cases) {
    s->ConfigReg()->SetMotorStyle(linear ? MOTOR_BRUSHLESS_LINEAR : MOTOR_BRUSHLESS_ROTARY);
    EXPECT_EQ(s->ModeStr(static_cast<StimGenModes>(lookup)), text) << lookup;
  }
  s->SetStimMode(STIM_VEL);
  EXPECT_EQ(s->ModeStr(), "Velocity");
  SetMode(STIM_OFF);
  SetMode(STIM_ME);
  EXPECT_EQ(s->ModeStr(), "Mode 5");
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
  EXPECT_THAT(journal.lines,
              ElementsAre("d:UIchanged", "Mode.CopyContentTo(dMode)", "dAmp.SetupA=2", "dAmp.SetupB=10",
                          "d:AdjustAmplitudeScaling(1)", "d:UpdateView", "Amp.CopyContentTo(dAmp)", "d:UpdateView",
                          "Period.CopyContentTo(dPeriod)", "d:UpdateView", "TL.CopyContentTo(dTL)", "d:UpdateView",
                          "dConfig.Value=2", "d:ModeChanged", "d:AmplitudeChanged", "d:PeriodChanged",
                          "d:StimulusChanged", "d:UIchanged"));
  EXPECT_EQ(dst->StimMode(), 1);
  EXPECT_EQ(dst->LastMode(), 1);
  EXPECT_EQ(dst->VelocityQ(), 3);
  EXPECT_EQ(dst->TrackingLimit()->Number()->Value(), 0);
  EXPECT_EQ(dst->ConfigReg()->SyncPulse(), SYNC_PULSE_NEG);
  EXPECT_FALSE(dst->Initializing());

  // Both now scale their periods from the one sample-rate object.
  Tagged("Rate").Number()->SetValue(4000);
  journal.Clear();
  Tagged("Rate").Inner().RaiseContentChanged();
  EXPECT_THAT(journal.lines, ElementsAre("Period.Scale=4", "UpdateView", "dPeriod.Scale=4", "d:UpdateView"));
  EXPECT_THROW(s->CopyTo(nullptr), AutomationError);
}

TEST_F(Stimulus, ReadLateBound) {
  s = Make();
  EXPECT_EQ(s->GetProperty("uimode"), Variant(int32_t{3}));
  EXPECT_THROW((void)s->GetProperty("SampleRate"), AutomationError);  // write-only
}

// The value objects these states are built from come, on Windows, from the sibling
// component by these identifiers.
TEST(ValueComponent, PublishedIdentifiers) {
  using Ids = std::tuple<std::string_view, std::string_view, std::string_view>;
  std::vector<Ids> ids;
  for (const auto& c : kValueComponent) ids.emplace_back(c.name, c.classId, c.interfaceId);
  EXPECT_EQ(ids, (std::vector<Ids>{
                     {"ValueObj", "{0B598C67-7C53-4228-B898-E682170468D2}", "{FEBD95C4-31C5-406E-9B38-10F694CC61CA}"},
                     {"ValueNumberObj", "", "{90BBD6C7-6D65-47BB-9428-2FB08A7EB249}"},
                     {"LockLevelObj", "{9A783CF3-150C-4893-9EBF-9D72EC9E3975}",
                      "{7E6DCD99-4C75-4E9C-8129-89E3B329BA91}"}}));
}

}  // namespace
}  // namespace zentnet::test

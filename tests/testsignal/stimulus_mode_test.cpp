// The mode handler: starting, stopping, switching between running modes, the tracking
// limit it remembers and replaces, and listeners that re-enter it.

#include <gmock/gmock.h>

#include "stimulus_recording.h"
#include "zentnet/automation/error.h"

namespace zentnet::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// The restore of the remembered limit 500 under the drive's edit lock 4.
const Lines kRestore500 = {"TL.EditLock=0", "TL.Value=500", "TL.EditLock=4"};

Lines Join(std::initializer_list<Lines> parts) {
  Lines all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

class StimulusModeTest : public StimulusTest {
 protected:
  // Amplitude 8, tracking limit 500 under edit lock 4, generator off, journal cleared.
  std::shared_ptr<StimulusStateObj> MakeLoaded() {
    auto s = Make();
    s->SetInitializing(true);
    s->Amplitude()->Number()->SetValue(8);
    s->SetInitializing(false);
    s->TrackingLimit()->SetEditLock(4);
    s->TrackingLimit()->Number()->SetValue(500);
    journal_.Clear();
    return s;
  }
  double Limit(const std::shared_ptr<StimulusStateObj>& s) {
    return s->TrackingLimit()->Number()->Value();
  }
};

TEST_F(StimulusModeTest, StartOnANewObjectInstallsThePositionLimitThenReports) {
  auto s = MakeLoaded();
  s->Start();
  EXPECT_THAT(Take(), ElementsAre("Mode.Value=3", "TrackingLimSetup", "TL.EditLock=0", "TL.Value=10",
                                  "TL.EditLock=4", "ModeChanged", "StimulusChanged", "UpdateView",
                                  "Amp.Scale=1", "AdjustAmplitudeScaling(3)", "Amp.Refresh"));
  EXPECT_TRUE(s->Running());
  EXPECT_EQ(s->StimMode(), 3);
  EXPECT_EQ(s->LastMode(), 3);
  EXPECT_EQ(s->TrackingLimit()->EditLock(), 4);

  s->Start();  // already on: nothing
  EXPECT_THAT(Take(), ElementsAre());
}

TEST_F(StimulusModeTest, TerminateWritesTheRememberedLimitBack) {
  auto s = MakeLoaded();
  s->Start();
  journal_.Clear();
  s->Terminate();
  EXPECT_THAT(Take(), ElementsAreArray(Join({{"Mode.Value=0"}, kRestore500,
                                             {"ModeChanged", "StimulusChanged", "UpdateView",
                                              "AdjustAmplitudeScaling(0)", "Amp.Refresh"}})));
  EXPECT_EQ(Limit(s), 500);
  EXPECT_FALSE(s->Running());
  EXPECT_EQ(s->LastMode(), 3);
  EXPECT_EQ(s->UImode(), 3);

  s->Terminate();  // already off: nothing
  EXPECT_THAT(Take(), ElementsAre());
}

TEST_F(StimulusModeTest, TrackingLimitByStartedMode) {
  struct Case {
    int32_t mode;
    double limit;  // amplitude 8
  };
  const Case cases[] = {{STIM_VEL, 0}, {STIM_TRQ, 500}, {STIM_POSN, 10}, {STIM_CALIBRATE, 500},
                        {STIM_ME, 500}, {9, 500}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    auto s = MakeLoaded();
    s->SetStimMode(c.mode);
    EXPECT_EQ(Limit(s), c.limit);
    EXPECT_EQ(s->LastMode(), c.mode);
    EXPECT_EQ(s->Running(), c.mode >= 1 && c.mode <= 4);
    s->SetStimMode(STIM_OFF);
    EXPECT_EQ(Limit(s), 500);
  }
}

TEST_F(StimulusModeTest, CancelledSetupKeepsTheLimit) {
  auto s = MakeLoaded();
  recorder_->onTrackingLimSetup = [](bool& cancel) { cancel = true; };
  s->Start();
  EXPECT_THAT(Take(), ElementsAre("Mode.Value=3", "TrackingLimSetup", "ModeChanged", "StimulusChanged",
                                  "UpdateView", "Amp.Scale=1", "AdjustAmplitudeScaling(3)",
                                  "Amp.Refresh"));
  EXPECT_EQ(Limit(s), 500);
  EXPECT_EQ(s->LastMode(), 3);
}

// The limit is remembered from the first content change while off; while the generator
// runs the drive holds the stimulus limit, which must not replace it.
TEST_F(StimulusModeTest, LimitIsRememberedOnlyWhileOff) {
  auto s = MakeLoaded();
  auto& tl = Rec(s->TrackingLimit()).Inner();
  s->TrackingLimit()->Number()->SetValue(300);
  tl.RaiseContentChanged();
  EXPECT_THAT(Take(), ElementsAre("TL.Value=300", "UpdateView"));

  s->Start();
  s->TrackingLimit()->Number()->SetValue(77);
  tl.RaiseContentChanged();  // running: not remembered
  journal_.Clear();
  s->Terminate();
  EXPECT_EQ(Limit(s), 300);
  EXPECT_THAT(Take(), ::testing::Contains("TL.Value=300"));
}

TEST_F(StimulusModeTest, OwnerSwitchFromOneToTwoStopsThenStarts) {
  auto s = MakeLoaded();
  s->Mode()->Number()->SetValue(1);
  EXPECT_EQ(Limit(s), 0);
  journal_.Clear();

  s->Mode()->Number()->SetValue(2);
  EXPECT_THAT(
      Take(),
      ElementsAreArray(Join({
          {"Mode.Value=2"}, kRestore500,
          // the stop, nested
          {"Mode.Value=0"}, kRestore500,
          {"ModeChanged", "StimulusChanged", "UpdateView", "AdjustAmplitudeScaling(0)", "Amp.Refresh"},
          // back in the switch: the new mode's scale, then Start
          {"Amp.Scale=327.68", "AdjustAmplitudeScaling(2)", "Amp.Refresh"},
          {"Mode.Value=2"}, kRestore500,
          {"TrackingLimSetup", "TL.EditLock=0", "TL.EditLock=4", "ModeChanged", "StimulusChanged",
           "UpdateView", "Amp.Scale=327.68", "AdjustAmplitudeScaling(2)", "Amp.Refresh"},
      })));
  EXPECT_EQ(s->Mode()->Number()->Value(), 2);
  EXPECT_EQ(s->LastMode(), 2);
  EXPECT_EQ(Limit(s), 500);
  EXPECT_EQ(s->Amplitude()->Number()->Scale(), 327.68);
}

TEST_F(StimulusModeTest, OwnerSwitchWhileInitializingStaysOff) {
  auto s = MakeLoaded();
  s->Mode()->Number()->SetValue(1);
  s->SetInitializing(true);
  journal_.Clear();

  s->Mode()->Number()->SetValue(2);
  EXPECT_THAT(Take(), ElementsAreArray(Join({{"Mode.Value=2"}, kRestore500, {"Mode.Value=0"}, kRestore500,
                                             {"AdjustAmplitudeScaling(0)", "Amp.Scale=327.68",
                                              "AdjustAmplitudeScaling(2)"}})));
  EXPECT_EQ(s->Mode()->Number()->Value(), 0);
  EXPECT_EQ(s->LastMode(), 2);
  EXPECT_EQ(s->UImode(), 2);
  EXPECT_EQ(Limit(s), 500);
  EXPECT_TRUE(s->Initializing());
}

// A listener that stops the generator from inside ModeChanged re-enters the handler in the
// middle: the outer call then finishes with the mode as it now is.
TEST_F(StimulusModeTest, ListenerStoppingInsideModeChanged) {
  auto s = MakeLoaded();
  bool once = true;
  recorder_->onModeChanged = [&] {
    if (std::exchange(once, false)) s->Terminate();
  };
  s->Start();
  EXPECT_THAT(Take(), ElementsAreArray(Join({
                          {"Mode.Value=3", "TrackingLimSetup", "TL.EditLock=0", "TL.Value=10",
                           "TL.EditLock=4", "ModeChanged", "Mode.Value=0"},
                          kRestore500,
                          {"ModeChanged", "StimulusChanged", "UpdateView", "AdjustAmplitudeScaling(0)",
                           "Amp.Refresh"},
                          // the outer call goes on, reading the mode afresh
                          {"StimulusChanged", "UpdateView", "AdjustAmplitudeScaling(0)", "Amp.Refresh"},
                      })));
  EXPECT_EQ(s->StimMode(), 0);
  EXPECT_EQ(s->LastMode(), 3);
  EXPECT_EQ(Limit(s), 500);
}

TEST_F(StimulusModeTest, ListenerSwitchingModeInsideTrackingLimSetup) {
  auto s = MakeLoaded();
  bool once = true;
  recorder_->onTrackingLimSetup = [&](bool&) {
    if (std::exchange(once, false)) s->SetStimMode(STIM_VEL);
  };
  s->Start();
  EXPECT_THAT(
      Take(),
      ElementsAreArray(Join({
          {"Mode.Value=3", "TrackingLimSetup", "Mode.Value=1"}, kRestore500,
          // 1 after 3 is a switch: stop...
          {"Mode.Value=0"}, kRestore500,
          {"ModeChanged", "StimulusChanged", "UpdateView", "AdjustAmplitudeScaling(0)", "Amp.Refresh"},
          {"Amp.Scale=1", "AdjustAmplitudeScaling(1)", "Amp.Refresh"},
          // ...and start in velocity mode
          {"Mode.Value=1"}, kRestore500,
          {"TrackingLimSetup", "TL.EditLock=0", "TL.Value=0", "TL.EditLock=4", "ModeChanged",
           "StimulusChanged", "UpdateView", "Amp.Scale=1", "AdjustAmplitudeScaling(1)", "Amp.Refresh"},
          // the outer start resumes after its TrackingLimSetup with the mode now 1
          {"TL.EditLock=0", "TL.Value=0", "TL.EditLock=4", "ModeChanged", "StimulusChanged",
           "UpdateView", "Amp.Scale=1", "AdjustAmplitudeScaling(1)", "Amp.Refresh"},
      })));
  EXPECT_EQ(s->StimMode(), 1);
  EXPECT_EQ(s->LastMode(), 1);
  EXPECT_EQ(Limit(s), 0);
}

TEST_F(StimulusModeTest, RunningAndStimModeReadTheModeValue) {
  struct Case {
    double value;
    bool running;
    int32_t stimMode;
  };
  const Case cases[] = {{0, false, 0}, {1, true, 1},   {2, true, 2},    {3, true, 3},
                        {4, true, 4},  {5, false, 5},  {2.5, false, 2}, {3.5, false, 4},
                        {-1, false, -1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    auto s = Make();
    s->Mode()->Number()->SetValue(c.value);
    EXPECT_EQ(s->Running(), c.running);
    EXPECT_EQ(s->StimMode(), c.stimMode);
    EXPECT_EQ(s->UImode(), c.stimMode == 0 ? 3 : c.stimMode);
  }
}

TEST_F(StimulusModeTest, MissingObjectsRaiseError91) {
  auto s = MakeLoaded();
  s->SetTrackingLimit(nullptr);
  try {
    s->Start();
    FAIL() << "no error";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), 91);
    EXPECT_EQ(e.Source(), "ZentNetLib");
    EXPECT_EQ(e.Description(), "Object variable or With block variable not set");
  }
  EXPECT_THROW(s->SetMode(nullptr), AutomationError);  // stores, then reads the mode
  EXPECT_EQ(s->Mode(), nullptr);
  EXPECT_THROW(s->Running(), AutomationError);
}

TEST_F(StimulusModeTest, ErrorFromAListenerReachesTheWriter) {
  auto s = MakeLoaded();
  recorder_->onTrackingLimSetup = [](bool&) { throw AutomationError(5, "Listener", "boom"); };
  try {
    s->Start();
    FAIL() << "no error";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), 5);
    EXPECT_EQ(e.Source(), "Listener");
  }
  EXPECT_EQ(Limit(s), 500);  // the steps after the listener did not run
}

// The state holds its value objects' subscriptions weakly and stays alive through its own
// raise when a listener drops the last reference.
TEST_F(StimulusModeTest, Lifetime) {
  auto s = MakeLoaded();
  std::shared_ptr<ValueObj> mode = s->Mode();
  recorder_->onModeChanged = [&] { s.reset(); };
  mode->Number()->SetValue(3);
  EXPECT_EQ(s, nullptr);
  EXPECT_THAT(journal_.lines, ::testing::Contains("AdjustAmplitudeScaling(3)"));
  journal_.Clear();
  mode->Number()->SetValue(0);  // nobody listens any more
  EXPECT_THAT(Take(), ElementsAre("Mode.Value=0"));
}

}  // namespace
}  // namespace zentnet::test

// The bulk members: ChangeTo and StartStop, Initialize, SetupFor, the LastMode and UImode
// writes, FireChanges and CopyTo, each with the burst it raises.

#include <gmock/gmock.h>

#include "stimulus_recording.h"
#include "zentnet/automation/error.h"
#include "zentnet/registers/ConfigRegObj.h"

namespace zentnet::test {
namespace {

using ::testing::ElementsAre;

const char* const kChangeToBurst[] = {"StimulusChanged", "AmplitudeChanged", "PeriodChanged",
                                      "ModeChanged", "UIchanged"};
const char* const kFireChangesBurst[] = {"ModeChanged", "AmplitudeChanged", "PeriodChanged",
                                         "StimulusChanged", "UIchanged"};

Lines With(Lines head, const char* const (&tail)[5]) {
  head.insert(head.end(), std::begin(tail), std::end(tail));
  return head;
}

class StimulusBulkTest : public StimulusTest {
 protected:
  // Amplitude 8, tracking limit 500 under edit lock 4, request numbers 6 and 100.
  std::shared_ptr<StimulusStateObj> MakeLoaded(const std::string& prefix = {}) {
    auto s = Make(prefix);
    s->SetInitializing(true);
    s->Amplitude()->Number()->SetValue(8);
    s->SetInitializing(false);
    s->Amplitude()->RequestNumber()->SetValue(6);
    s->Period()->RequestNumber()->SetValue(100);
    s->TrackingLimit()->SetEditLock(4);
    s->TrackingLimit()->Number()->SetValue(500);
    journal_.Clear();
    return s;
  }
};

TEST_F(StimulusBulkTest, StartStopFromOffStartsTheLastModeHeldBack) {
  auto s = MakeLoaded();
  s->StartStop();
  EXPECT_THAT(Take(), ::testing::ElementsAreArray(With(
                          {"Amp.Scale=1", "AdjustAmplitudeScaling(3)", "Amp.Req.Value=6",
                           "Period.Req.Value=100", "Mode.Value=3", "TrackingLimSetup", "TL.EditLock=0",
                           "TL.Value=10", "TL.EditLock=4", "Amp.Scale=1", "AdjustAmplitudeScaling(3)"},
                          kChangeToBurst)));
  EXPECT_EQ(s->StimMode(), 3);
  EXPECT_FALSE(s->Initializing());
}

TEST_F(StimulusBulkTest, StartStopWhileRunningStopsWithoutTouchingTheRequests) {
  auto s = MakeLoaded();
  s->StartStop();
  journal_.Clear();
  s->StartStop();
  EXPECT_THAT(Take(), ::testing::ElementsAreArray(With(
                          {"Mode.Value=0", "TL.EditLock=0", "TL.Value=500", "TL.EditLock=4",
                           "AdjustAmplitudeScaling(0)", "Mode.Value=0"},
                          kChangeToBurst)));
  EXPECT_EQ(s->StimMode(), 0);
  EXPECT_EQ(s->LastMode(), 3);
}

TEST_F(StimulusBulkTest, ChangeToBetweenRunningModesPassesThroughOff) {
  auto s = MakeLoaded();
  s->SetStimMode(STIM_VEL);
  journal_.Clear();
  s->ChangeTo(STIM_TRQ, 50, 20);
  EXPECT_THAT(Take(), ::testing::ElementsAreArray(With(
                          {"Mode.Value=0", "TL.EditLock=0", "TL.Value=500", "TL.EditLock=4",
                           "AdjustAmplitudeScaling(0)", "Amp.Scale=327.68", "AdjustAmplitudeScaling(2)",
                           "Amp.Req.Value=50", "Period.Req.Value=20", "Mode.Value=2", "TL.EditLock=0",
                           "TL.Value=500", "TL.EditLock=4", "TrackingLimSetup", "TL.EditLock=0",
                           "TL.EditLock=4", "Amp.Scale=327.68", "AdjustAmplitudeScaling(2)"},
                          kChangeToBurst)));
  EXPECT_EQ(s->StimMode(), 2);
  EXPECT_EQ(s->LastMode(), 2);
}

TEST_F(StimulusBulkTest, ChangeToRaisesItsBurstEvenWhileInitializing) {
  auto s = MakeLoaded();
  s->SetInitializing(true);
  s->ChangeTo(STIM_POSN, 6, 100);
  const Lines all = Take();
  ASSERT_GE(all.size(), 5u);
  EXPECT_THAT(Lines(all.end() - 5, all.end()), ::testing::ElementsAreArray(kChangeToBurst));
  EXPECT_TRUE(s->Initializing());
}

TEST_F(StimulusBulkTest, FailedChangeToLeavesTheHoldOn) {
  auto s = MakeLoaded();
  recorder_->onTrackingLimSetup = [](bool&) { throw AutomationError(7, "Listener", "out of memory"); };
  EXPECT_THROW(s->ChangeTo(STIM_POSN, 6, 100), AutomationError);
  EXPECT_TRUE(s->Initializing());
}

TEST_F(StimulusBulkTest, InitializeLoadsWithoutTheChangeMachinery) {
  auto s = MakeLoaded();
  s->Initialize(STIM_TRQ, 100, 50);
  EXPECT_THAT(Take(), ElementsAre("Mode.InitialValue=2", "Amp.InitialValue=100", "Period.InitialValue=50",
                                  "Amp.SetupA=3", "Amp.SetupB=13", "AdjustAmplitudeScaling(2)"));
  s->Initialize(STIM_OFF, 100, 50);
  EXPECT_THAT(Take(), ElementsAre("Mode.InitialValue=0", "AdjustAmplitudeScaling(0)"));
  EXPECT_FALSE(s->Initializing());
  s->SetInitializing(true);
  s->Initialize(STIM_VEL, 1, 1);
  EXPECT_TRUE(s->Initializing());
}

TEST_F(StimulusBulkTest, InitializeModeWritesTheDefault) {
  auto s = MakeLoaded();
  s->SetInitializeMode(4);
  EXPECT_THAT(Take(), ElementsAre("Mode.DefaultValue=4"));
}

TEST_F(StimulusBulkTest, SetupForWhileOffPreparesTheNextStart) {
  auto s = MakeLoaded();
  s->SetupFor(STIM_VEL, 12.5, 40);
  EXPECT_THAT(Take(), ElementsAre("Amp.SetupA=2", "Amp.SetupB=10", "AdjustAmplitudeScaling(1)", "UIchanged",
                                  "Amp.Value=12.5", "Period.Value=40", "UIchanged"));
  EXPECT_EQ(s->LastMode(), 1);
  EXPECT_EQ(s->StimMode(), 0);
  EXPECT_FALSE(s->Initializing());
}

TEST_F(StimulusBulkTest, SetupForDoesNothingWhileRunningOrHeld) {
  auto s = MakeLoaded();
  s->SetInitializing(true);
  s->SetupFor(STIM_VEL, 12.5, 40);
  EXPECT_THAT(Take(), ElementsAre());
  EXPECT_TRUE(s->Initializing());

  s->SetInitializing(false);
  s->Start();
  journal_.Clear();
  s->SetupFor(STIM_VEL, 12.5, 40);
  EXPECT_THAT(Take(), ElementsAre());
  EXPECT_EQ(s->LastMode(), 3);
}

TEST_F(StimulusBulkTest, SetupForSwallowsFailuresAndStillCloses) {
  {
    SCOPED_TRACE("missing period");
    auto s = MakeLoaded();
    s->SetPeriod(nullptr);
    EXPECT_NO_THROW(s->SetupFor(STIM_TRQ, 3, 4));
    EXPECT_THAT(Take(), ElementsAre("Amp.SetupA=3", "Amp.SetupB=13", "AdjustAmplitudeScaling(2)",
                                    "UIchanged", "Amp.Value=3", "UIchanged"));
    EXPECT_FALSE(s->Initializing());
  }
  {
    SCOPED_TRACE("listener error");
    auto s = MakeLoaded();
    recorder_->onAdjust = [](StimGenModes) { throw AutomationError(6, "ZentNetLib", "Overflow"); };
    EXPECT_NO_THROW(s->SetupFor(STIM_TRQ, 3, 4));
    EXPECT_THAT(Take(), ElementsAre("Amp.SetupA=3", "Amp.SetupB=13", "AdjustAmplitudeScaling(2)",
                                    "UIchanged"));
    EXPECT_EQ(s->LastMode(), 3);
  }
  {
    SCOPED_TRACE("missing mode, held before the call");
    auto s = MakeLoaded();
    s->SetInitializing(true);
    EXPECT_THROW(s->SetMode(nullptr), AutomationError);
    journal_.Clear();
    EXPECT_NO_THROW(s->SetupFor(STIM_TRQ, 3, 4));
    EXPECT_THAT(Take(), ElementsAre("UIchanged"));
    EXPECT_FALSE(s->Initializing());
  }
}

TEST_F(StimulusBulkTest, LastModeWrite) {
  auto s = MakeLoaded();
  s->SetLastMode(STIM_TRQ);
  EXPECT_THAT(Take(), ElementsAre("UIModeChanged", "Amp.Scale=327.68", "AdjustAmplitudeScaling(2)",
                                  "Amp.Refresh"));
  EXPECT_EQ(s->LastMode(), 2);

  s->SetLastMode(STIM_OFF);  // keeps the mode, still reports
  EXPECT_THAT(Take(), ElementsAre("UIModeChanged", "AdjustAmplitudeScaling(0)", "Amp.Refresh"));
  EXPECT_EQ(s->LastMode(), 2);

  s->SetInitializing(true);
  s->SetLastMode(STIM_VEL);
  EXPECT_THAT(Take(), ElementsAre("UIchanged"));
  EXPECT_EQ(s->LastMode(), 1);

  s->SetInitializing(false);
  s->Start();
  journal_.Clear();
  s->SetLastMode(STIM_POSN);  // running: remembered for the next start only
  EXPECT_THAT(Take(), ElementsAre("UIchanged"));
  EXPECT_EQ(s->LastMode(), 3);
  EXPECT_EQ(s->UImode(), 1);
}

TEST_F(StimulusBulkTest, UImodeWrite) {
  auto s = MakeLoaded();
  s->SetUImode(STIM_CALIBRATE);
  EXPECT_THAT(Take(), ElementsAre("Amp.SetupA=3", "Amp.SetupB=13", "Amp.ApplySetup", "UpdateView",
                                  "AdjustAmplitudeScaling(4)", "UIModeChanged"));
  EXPECT_EQ(s->LastMode(), 4);
  EXPECT_EQ(s->UImode(), 4);

  s->SetUImode(STIM_OFF);
  EXPECT_THAT(Take(), ElementsAre("Amp.ApplySetup", "UpdateView", "AdjustAmplitudeScaling(0)"));
  EXPECT_EQ(s->LastMode(), 4);

  s->SetInitializing(true);
  s->SetUImode(STIM_POSN);
  EXPECT_THAT(Take(), ElementsAre("Amp.SetupA=1", "Amp.SetupB=7", "AdjustAmplitudeScaling(3)"));
  EXPECT_EQ(s->LastMode(), 3);
}

TEST_F(StimulusBulkTest, AmplitudeSetupNeedsAnAmplitude) {
  auto s = MakeLoaded();
  s->SetAmplitude(nullptr);
  EXPECT_THAT(Take(), ElementsAre());
  s->SetUImode(STIM_VEL);
  EXPECT_THAT(Take(), ElementsAre("UIModeChanged"));
}

TEST_F(StimulusBulkTest, AssigningAValueObjectMovesTheSubscriptionAndSetsUp) {
  auto s = MakeLoaded();
  s->SetStimMode(STIM_VEL);
  auto old = s->Amplitude();
  auto fresh = RecordingValue::create(&journal_, "New");
  journal_.Clear();
  s->SetAmplitude(fresh);
  EXPECT_THAT(Take(), ElementsAre("New.SetupA=2", "New.SetupB=10", "New.ApplySetup", "UpdateView",
                                  "AdjustAmplitudeScaling(1)"));
  old->Number()->SetValue(99);  // no longer heard
  fresh->Number()->SetValue(98);
  EXPECT_THAT(Take(), ElementsAre("Amp.Value=99", "New.Value=98", "AmplitudeChanged", "StimulusChanged",
                                  "UIchanged"));
}

TEST_F(StimulusBulkTest, ValueNotificationBursts) {
  auto s = MakeLoaded();
  s->Period()->Number()->SetValue(30);
  EXPECT_THAT(Take(), ElementsAre("Period.Value=30", "PeriodChanged", "StimulusChanged", "UIchanged"));
  s->Amplitude()->Number()->SetValue(9);
  EXPECT_THAT(Take(), ElementsAre("Amp.Value=9", "AmplitudeChanged", "StimulusChanged", "UIchanged"));
  s->SetInitializing(true);
  s->Period()->Number()->SetValue(31);
  s->Amplitude()->Number()->SetValue(10);
  EXPECT_THAT(Take(), ElementsAre("Period.Value=31", "Amp.Value=10"));

  s->SetInitializing(false);
  Rec(s->Period()).Inner().RaiseContentChanged();
  Rec(s->Amplitude()).Inner().RaiseContentChanged();
  EXPECT_THAT(Take(), ElementsAre("UpdateView", "UpdateView"));
  Rec(s->Mode()).Inner().RaiseContentChanged();
  EXPECT_THAT(Take(), ElementsAre("Amp.ApplySetup", "UpdateView", "AdjustAmplitudeScaling(0)",
                                  "UpdateView"));
}

TEST_F(StimulusBulkTest, FireChangesAndRefresh) {
  auto s = MakeLoaded();
  s->FireChanges();
  EXPECT_THAT(Take(), ::testing::ElementsAreArray(kFireChangesBurst));
  s->SetInitializing(true);
  s->FireChanges();
  s->Refresh();  // not held back
  EXPECT_THAT(Take(), ElementsAre("Refresh"));
}

TEST_F(StimulusBulkTest, CopyToLoadsTheDestinationHeldBackThenReportsOnce) {
  auto src = MakeLoaded();
  auto srcRate = rate_;
  src->SetVelocityQ(3);
  src->SetLastMode(STIM_CALIBRATE);
  src->Period()->Number()->SetValue(100);
  src->ConfigReg()->SetSyncPulse(SYNC_PULSE_NEG);
  auto dst = MakeLoaded("d");
  journal_.Clear();

  src->CopyTo(dst);
  EXPECT_THAT(Take(), ::testing::ElementsAreArray(With(
                          {"d:UIchanged", "Mode.CopyContentTo(dMode)", "d:AdjustAmplitudeScaling(0)",
                           "d:UpdateView", "Amp.CopyContentTo(dAmp)", "d:UpdateView",
                           "Period.CopyContentTo(dPeriod)", "d:UpdateView", "TL.CopyContentTo(dTL)",
                           "d:UpdateView", "dConfig.Value=2"},
                          {"d:ModeChanged", "d:AmplitudeChanged", "d:PeriodChanged",
                           "d:StimulusChanged", "d:UIchanged"})));
  EXPECT_EQ(dst->LastMode(), src->UImode());
  EXPECT_EQ(dst->VelocityQ(), 3);
  EXPECT_EQ(dst->Period()->Number()->Value(), 100);
  EXPECT_EQ(dst->ConfigReg()->SyncPulse(), SYNC_PULSE_NEG);
  EXPECT_FALSE(dst->Initializing());

  // Both now scale their periods from the one sample-rate object.
  srcRate->Number()->SetValue(4000);
  journal_.Clear();
  srcRate->Inner().RaiseContentChanged();
  EXPECT_THAT(Take(), ElementsAre("Period.Scale=4", "UpdateView", "dPeriod.Scale=4", "d:UpdateView"));
}

TEST_F(StimulusBulkTest, CopyToARunningStateCopiesTheRunningMode) {
  auto src = MakeLoaded();
  src->SetStimMode(STIM_VEL);
  auto dst = MakeLoaded("d");
  src->CopyTo(dst);
  EXPECT_EQ(dst->StimMode(), 1);
  EXPECT_EQ(dst->LastMode(), 1);
  EXPECT_EQ(dst->TrackingLimit()->Number()->Value(), 0);
  EXPECT_THROW(src->CopyTo(nullptr), AutomationError);
}

}  // namespace
}  // namespace zentnet::test

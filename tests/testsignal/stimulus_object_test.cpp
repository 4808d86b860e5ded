// A new state, its scales, its display text and its late-bound face.

#include <gmock/gmock.h>

#include "stimulus_recording.h"
#include "zentnet/factory.h"
#include "zentnet/registers/ConfigRegObj.h"

namespace zentnet::test {
namespace {

using ::testing::ElementsAre;

class StimulusObjectTest : public StimulusTest {};

TEST_F(StimulusObjectTest, NewObject) {
  auto s = Make();
  EXPECT_FALSE(s->Running());
  EXPECT_EQ(s->StimMode(), 0);
  EXPECT_EQ(s->UImode(), 3);
  EXPECT_EQ(s->LastMode(), 3);
  EXPECT_EQ(s->VelocityQ(), 1);
  EXPECT_FALSE(s->Initializing());
  EXPECT_EQ(s->ModeStr(), "Position");
  EXPECT_EQ(rate_->RequestNumber()->Value(), 1000);
  EXPECT_EQ(rate_->Number()->Value(), 0);
  ASSERT_NE(s->ConfigReg(), nullptr);
}

TEST_F(StimulusObjectTest, ConstructionSetsTheValuesUpInOrder) {
  pendingTags_ = {"Mode", "Period", "Amp", "Config", "TL", "Rate"};
  auto s = StimulusStateObj::create();
  Lines own;
  for (const auto& line : journal_.lines)
    if (line.rfind("Config.", 0) != 0) own.push_back(line);
  EXPECT_THAT(own, ElementsAre("Mode.SetupA=0", "Mode.SetupB=6", "Mode.Value=0", "Amp.ApplySetup",
                               "Period.SetupA=4", "Period.SetupB=22", "Rate.Req.Value=1000"));

  struct Expect {
    std::shared_ptr<ValueObj> value;
    const char* name;
    double lowerB, upperB;
    int32_t setupH;
  };
  const Expect expects[] = {{s->Period(), "Period", 1, 32767, -1},
                            {s->Amplitude(), "Amplitude", -32768, 32767, -1}};
  for (const auto& e : expects) {
    SCOPED_TRACE(e.name);
    EXPECT_EQ(e.value->Name(), e.name);
    EXPECT_EQ(e.value->Number()->LowerBoundB(), e.lowerB);
    EXPECT_EQ(e.value->Number()->UpperBoundB(), e.upperB);
    EXPECT_EQ(e.value->Number()->SetupH(), e.setupH);
  }
  EXPECT_EQ(s->Mode()->Name(), "Mode");
  EXPECT_EQ(s->Mode()->Number()->LowerBoundA(), 0);
  EXPECT_EQ(s->Mode()->Number()->UpperBoundA(), 4);
  EXPECT_EQ(s->Amplitude()->SetupA(), 0);  // mode 0 changes no set-up code
  EXPECT_EQ(s->Amplitude()->SetupB(), 0);
}

TEST_F(StimulusObjectTest, AmplitudeScaleByMode) {
  struct Case {
    int32_t mode;
    int32_t velocityQ;
    double rate;
    double scale;  // the scale starts at 7
  };
  const Case cases[] = {
      {STIM_VEL, 1, 4000, 0.5}, {STIM_VEL, 1, 0, 1},       {STIM_VEL, 3, 1000, 8},
      {STIM_VEL, 0, 2000, 0.5}, {STIM_VEL, -1, 500, 1},    {STIM_TRQ, 1, 4000, 327.68},
      {STIM_CALIBRATE, 1, 0, 327.68}, {STIM_POSN, 5, 4000, 1}, {STIM_ME, 1, 4000, 7},
      {STIM_OFF, 1, 4000, 7},   {-2, 1, 4000, 7},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "mode " << c.mode << " q " << c.velocityQ << " rate " << c.rate);
    auto s = Make();
    s->SetVelocityQ(c.velocityQ);
    rate_->Number()->SetValue(c.rate);
    s->Amplitude()->Number()->SetScale(7);
    s->SetLastMode(c.mode);  // off: applies the amplitude scale
    EXPECT_EQ(s->Amplitude()->Number()->Scale(), c.scale);
    EXPECT_THAT(journal_.lines, ::testing::Contains("AdjustAmplitudeScaling(" + std::to_string(c.mode) + ")"));
  }
}

TEST_F(StimulusObjectTest, PeriodScaleFollowsTheSampleRate) {
  auto s = Make();
  rate_->Number()->SetValue(4000);
  journal_.Clear();
  rate_->Inner().RaiseContentChanged();
  EXPECT_THAT(Take(), ElementsAre("Period.Scale=4", "UpdateView"));
  EXPECT_EQ(s->Period()->Number()->Scale(), 4);

  rate_->Number()->SetValue(0);
  journal_.Clear();
  rate_->Inner().RaiseContentChanged();  // never divides by an unknown rate
  EXPECT_THAT(Take(), ElementsAre("UpdateView"));
  EXPECT_EQ(s->Period()->Number()->Scale(), 4);

  // The rate's own number changes are not heard, only content changes.
  rate_->Number()->SetValue(8000);
  EXPECT_THAT(Take(), ElementsAre("Rate.Value=8000"));
}

TEST_F(StimulusObjectTest, AssigningASampleRate) {
  auto s = Make();
  auto rate = RecordingValue::create(&journal_, "R2");
  rate->Number()->SetValue(2000);
  journal_.Clear();
  s->SetSampleRate(rate);
  EXPECT_THAT(Take(), ElementsAre("Period.Scale=2", "UpdateView"));

  auto zero = RecordingValue::create(&journal_, "R0");
  s->SetSampleRate(zero);
  EXPECT_THAT(Take(), ElementsAre("UpdateView"));
  EXPECT_EQ(s->Period()->Number()->Scale(), 2);

  s->SetInitializing(true);
  s->SetSampleRate(rate);
  s->SetSampleRate(nullptr);
  EXPECT_THAT(Take(), ElementsAre());

  // The old objects are no longer heard.
  rate->Inner().RaiseContentChanged();
  zero->Inner().RaiseContentChanged();
  EXPECT_THAT(Take(), ElementsAre());
}

TEST_F(StimulusObjectTest, TrackingLimitAndPeriodAssignmentsMoveTheSubscription) {
  auto s = Make();
  auto oldLimit = s->TrackingLimit();
  auto oldPeriod = s->Period();
  auto limit = RecordingValue::create(&journal_, "L2");
  auto period = RecordingValue::create(&journal_, "P2");
  s->SetTrackingLimit(limit);
  s->SetPeriod(period);
  EXPECT_THAT(Take(), ElementsAre());
  Rec(oldLimit).Inner().RaiseContentChanged();
  oldPeriod->Number()->SetValue(5);
  EXPECT_THAT(Take(), ElementsAre("Period.Value=5"));
  limit->Inner().RaiseContentChanged();
  period->Number()->SetValue(5);
  EXPECT_THAT(Take(), ElementsAre("UpdateView", "P2.Value=5", "PeriodChanged", "StimulusChanged", "UIchanged"));
}

TEST_F(StimulusObjectTest, ModeStr) {
  struct Case {
    int32_t lookup;
    bool linear;
    const char* text;
  };
  const Case cases[] = {
      {0, false, "OFF"},          {1, false, "Velocity"}, {2, false, "Torque"},
      {2, true, "Force"},         {3, true, "Position"},  {4, false, "Calibration"},
      {5, false, "Position"},     {6, false, "Mode 6"},   {-1, false, "Mode -1"},
      {1000, true, "Mode 1000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lookup);
    auto s = Make();
    s->ConfigReg()->SetMotorStyle(c.linear ? MOTOR_BRUSHLESS_LINEAR : MOTOR_BRUSHLESS_ROTARY);
    EXPECT_EQ(s->ModeStr(static_cast<MonitorVariables>(c.lookup)), c.text);
  }
}

TEST_F(StimulusObjectTest, ModeStrWithoutArgumentNamesTheShownMode) {
  auto s = Make();
  s->SetLastMode(STIM_TRQ);
  EXPECT_EQ(s->ModeStr(), "Torque");
  s->SetStimMode(STIM_VEL);
  EXPECT_EQ(s->ModeStr(), "Velocity");
  s->SetStimMode(STIM_OFF);
  s->SetStimMode(STIM_ME);
  EXPECT_EQ(s->ModeStr(), "Mode 5");
  s->SetConfigReg(nullptr);
  EXPECT_THROW(s->ModeStr(MonitorVariables{2}), AutomationError);
}

TEST_F(StimulusObjectTest, ConfigRegAssignmentStoresTheReference) {
  auto s = Make();
  auto reg = ConfigRegObj::create();
  reg->SetMotorStyle(MOTOR_BRUSHLESS_LINEAR);
  s->SetConfigReg(reg);
  EXPECT_EQ(s->ConfigReg(), reg);
  EXPECT_EQ(s->ModeStr(MonitorVariables{2}), "Force");
}

TEST_F(StimulusObjectTest, EventDispatchIdentifiers) {
  std::vector<std::pair<std::string, int32_t>> ids;
  for (const auto& e : kStimulusStateObjEventIds) ids.emplace_back(e.event, e.dispId);
  EXPECT_THAT(ids, ElementsAre(std::pair<std::string, int32_t>{"AmplitudeChanged", 1},
                               std::pair<std::string, int32_t>{"PeriodChanged", 2},
                               std::pair<std::string, int32_t>{"ModeChanged", 3},
                               std::pair<std::string, int32_t>{"StimulusChanged", 4},
                               std::pair<std::string, int32_t>{"UIModeChanged", 5},
                               std::pair<std::string, int32_t>{"UIchanged", 6},
                               std::pair<std::string, int32_t>{"TrackingLimSetup", 10},
                               std::pair<std::string, int32_t>{"AdjustAmplitudeScaling", 7},
                               std::pair<std::string, int32_t>{"Refresh", 8},
                               std::pair<std::string, int32_t>{"UpdateView", 9}));
}

TEST_F(StimulusObjectTest, LateBoundReadsAndFactory) {
  auto obj = CreateObject("StimulusStateObj");
  ASSERT_NE(obj, nullptr);
  EXPECT_EQ(obj->ClassName(), "StimulusStateObj");
  EXPECT_NE(std::dynamic_pointer_cast<StimulusStateObj>(obj), nullptr);
  EXPECT_EQ(CreateObject("{8A36E7E8-ABDA-48FF-BA8D-3D06D2D4F5D8}")->ClassName(), "StimulusStateObj");

  std::vector<std::string> names(obj->PropertyNames().begin(), obj->PropertyNames().end());
  EXPECT_THAT(names, ElementsAre("Amplitude", "Period", "Mode", "VelocityQ", "ConfigReg", "TrackingLimit",
                                 "ModeStr", "LastMode", "UImode", "Running", "StimMode", "Initializing"));
  auto s = std::dynamic_pointer_cast<StimulusStateObj>(obj);
  EXPECT_EQ(obj->GetProperty("uimode"), Variant(int32_t{3}));
  EXPECT_EQ(obj->GetProperty("Running"), Variant(false));
  EXPECT_EQ(obj->GetProperty("ModeStr"), Variant("Position"));
  EXPECT_EQ(obj->GetProperty("Mode").ToObject(), s->Mode());
  try {
    obj->GetProperty("SampleRate");  // write-only
    FAIL() << "no error";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), 438);
  }
}

}  // namespace
}  // namespace zentnet::test

// The bursts of events each notification and member raises, in order.

#include <gtest/gtest.h>

#include "monitor_support.h"

namespace zentnet::test {
namespace {

class MonitorPortEvents : public PortTest {};

struct BurstCase {
  const char* what;
  void (*act)(MonitorPortStateObj&);
  Lines expected;
};

const BurstCase kBursts[] = {
    {"amplitude number", [](MonitorPortStateObj& p) { p.Amplitude()->Number()->SetValue(2.5); },
     {"AmplitudeChanged", "Changed"}},
    {"variable number", [](MonitorPortStateObj& p) { p.Variable()->Number()->SetValue(MON_VEL_ERR); },
     {"VariableChanged", "RescaleAmplitude", "Changed"}},
    {"filter number", [](MonitorPortStateObj& p) { p.Filter()->Number()->SetValue(12.5); },
     {"FilterChanged", "Changed"}},
    {"unchanged number", [](MonitorPortStateObj& p) { p.Amplitude()->Number()->SetValue(0); }, {}},
    {"request number", [](MonitorPortStateObj& p) { p.Variable()->RequestNumber()->SetValue(3); }, {}},
    {"amplitude content", [](MonitorPortStateObj& p) { p.Amplitude()->ApplySetup(); }, {"UpdateView"}},
    {"variable content", [](MonitorPortStateObj& p) { p.Variable()->ApplySetup(); }, {"UpdateView"}},
    {"filter content", [](MonitorPortStateObj& p) { p.Filter()->ApplySetup(); }, {"UpdateView"}},
    {"amplitude refresh", [](MonitorPortStateObj& p) { p.Amplitude()->Refresh(); }, {"Refresh"}},
    {"variable refresh", [](MonitorPortStateObj& p) { p.Variable()->Refresh(); }, {"Refresh"}},
    {"filter refresh", [](MonitorPortStateObj& p) { p.Filter()->Refresh(); }, {"Refresh"}},
    {"SaveToNonVolatile", [](MonitorPortStateObj& p) { p.SaveToNonVolatile(); }, {"SaveToNonVolatile"}},
    {"Rescale", [](MonitorPortStateObj& p) { p.Rescale(); }, {"RescaleAmplitude"}},
    {"Refresh", [](MonitorPortStateObj& p) { p.Refresh(); }, {"SyncPulseChanged", "Changed"}},
    {"Initialize", [](MonitorPortStateObj& p) { p.Initialize(); }, {"Initialize", "UpdateView"}},
    {"ChangeTo", [](MonitorPortStateObj& p) { p.ChangeTo(MON_TRQ_CMD, 4.0, 1.5); },
     {"RescaleAmplitude", "Changed"}},
    {"sync pulse write", [](MonitorPortStateObj& p) { p.SetSyncPulse(SYNC_PULSE_PLUS); },
     {"SyncPulseChanged"}},
    {"sync pulse rewrite", [](MonitorPortStateObj& p) { p.SetSyncPulse(SYNC_PULSE_OFF); }, {}},
    {"register change keeping the sync pulse",
     [](MonitorPortStateObj& p) { p.ConfigReg()->SetHallInverter(true); }, {}},
};

TEST_F(MonitorPortEvents, EachTriggerRaisesItsBurst) {
  for (const auto& c : kBursts) {
    auto fresh = MonitorPortStateObj::create();
    fresh->Advise(recorder);
    journal.Clear();
    c.act(*fresh);
    EXPECT_EQ(journal.lines, c.expected) << c.what;
  }
}

TEST_F(MonitorPortEvents, VariableLabelNamesTheNewVariableBeforeListenersHear) {
  std::string labelSeen;
  recorder->on["VariableChanged"] = [&] { labelSeen = port->Variable()->Number()->Label(); };
  SetVariable(MON_VEL_MEAS);
  EXPECT_EQ(labelSeen, "Actual Velocity");
  SetRegister(CONFIG_MASK_LINEAR_MOTOR);  // a linear motor
  SetVariable(MON_TRQ_MEAS);
  EXPECT_EQ(labelSeen, "Actual Force");
  SetVariable(65538);
  EXPECT_EQ(labelSeen, "Unknown Variable: 2");
}

TEST_F(MonitorPortEvents, ChangeToRequestsAllThreeAndRaisesOneBurst) {
  EXPECT_EQ(Burst([&] { port->ChangeTo(MON_VEL_CMD, 7.5); }), (Lines{"RescaleAmplitude", "Changed"}));
  EXPECT_EQ(port->Variable()->RequestNumber()->Value(), 3.0);
  EXPECT_EQ(port->Amplitude()->RequestNumber()->Value(), 7.5);
  // A missing filter time constant requests 0.
  EXPECT_EQ(port->Filter()->RequestNumber()->Value(), 0.0);
  // The stored numbers wait for the drive's answer.
  EXPECT_EQ(port->Variable()->Number()->Value(), 0.0);
}

TEST_F(MonitorPortEvents, ChangeToRequestsTheVariableBeforeRescaleAndTheRestAfter) {
  double variableAtRescale = -1;
  double amplitudeAtRescale = -1;
  recorder->on["RescaleAmplitude"] = [&] {
    variableAtRescale = port->Variable()->RequestNumber()->Value();
    amplitudeAtRescale = port->Amplitude()->RequestNumber()->Value();
  };
  port->ChangeTo(MON_POSN_ERR, 9, 2);
  EXPECT_EQ(variableAtRescale, 6.0);
  EXPECT_EQ(amplitudeAtRescale, 0.0);
  EXPECT_EQ(port->Amplitude()->RequestNumber()->Value(), 9.0);
  EXPECT_EQ(port->Filter()->RequestNumber()->Value(), 2.0);
}

TEST(MonitorPortChangeTo, ValueNotificationsDuringTheCallComeWithoutChanged) {
  // Values that store a request at once notify inside ChangeTo.
  int made = 0;
  FactoryScope scope([&] { return std::make_shared<LoggingValueObj>(nullptr, std::to_string(++made), true); });
  auto port = MonitorPortStateObj::create();
  Journal journal;
  auto recorder = std::make_shared<PortRecorder>(journal);
  port->Advise(recorder);

  port->ChangeTo(MON_VEL_ERR, 3.0, 0.5);
  EXPECT_EQ(journal.lines, (Lines{"VariableChanged", "RescaleAmplitude", "RescaleAmplitude",
                                  "AmplitudeChanged", "FilterChanged", "Changed"}));
  EXPECT_EQ(port->Variable()->Number()->Label(), "Velocity Error");

  // Afterwards the value handlers raise Changed again.
  journal.Clear();
  port->Amplitude()->Number()->SetValue(1.0);
  EXPECT_EQ(journal.lines, (Lines{"AmplitudeChanged", "Changed"}));
}

TEST_F(MonitorPortEvents, InitializeHoldsBackChangedOfTheValues) {
  recorder->on["Initialize"] = [&] {
    SetVariable(MON_VEL_MEAS);
    SetAmplitude(5);
    SetFilter(1);
  };
  EXPECT_EQ(Burst([&] { port->Initialize(); }),
            (Lines{"Initialize", "VariableChanged", "RescaleAmplitude", "AmplitudeChanged",
                   "FilterChanged", "UpdateView"}));
  recorder->on.clear();
  EXPECT_EQ(Burst([&] { SetFilter(2); }), (Lines{"FilterChanged", "Changed"}));
}

TEST_F(MonitorPortEvents, CopyToCarriesContentAndSyncPulseToTheDestination) {
  SetVariable(MON_TRQ_CMD);
  SetAmplitude(2.5);
  SetFilter(10);
  port->SetSyncPulse(SYNC_PULSE_NEG);
  port->Filter()->SetShortName("F");

  auto dest = MonitorPortStateObj::create();
  Journal destJournal;
  dest->Advise(std::make_shared<PortRecorder>(destJournal));
  journal.Clear();
  port->CopyTo(dest);

  // The destination hears each copy as a content change; nothing is held back or bundled.
  EXPECT_EQ(destJournal.lines, (Lines{"UpdateView", "UpdateView", "UpdateView", "SyncPulseChanged"}));
  EXPECT_TRUE(journal.lines.empty());
  EXPECT_EQ(dest->Variable()->Number()->Value(), MON_TRQ_CMD);
  EXPECT_EQ(dest->Amplitude()->Number()->Value(), 2.5);
  EXPECT_EQ(dest->Filter()->Number()->Value(), 10.0);
  EXPECT_EQ(dest->Filter()->ShortName(), "F");
  EXPECT_EQ(dest->SyncPulse(), SYNC_PULSE_NEG);
  // The values stay the destination's own objects.
  EXPECT_NE(dest->Variable(), port->Variable());
}

TEST_F(MonitorPortEvents, CopyToNothingIsAMissingObject) {
  const auto e = CatchError([&] { port->CopyTo(nullptr); });
  EXPECT_EQ(e.Number(), err::kObjectRequired);
  EXPECT_EQ(e.Source(), err::kRuntimeSource);
  EXPECT_EQ(e.Description(), "Object variable or With block variable not set");
}

TEST_F(MonitorPortEvents, ReplacingAValueMovesTheSubscription) {
  auto old = port->Amplitude();
  auto replacement = NewValueObj();
  EXPECT_EQ(Burst([&] { port->SetAmplitude(replacement); }), Lines{});
  EXPECT_EQ(port->Amplitude(), replacement);
  EXPECT_EQ(Burst([&] { old->Number()->SetValue(3); }), Lines{});
  EXPECT_EQ(Burst([&] { replacement->Number()->SetValue(3); }), (Lines{"AmplitudeChanged", "Changed"}));

  auto variable = NewValueObj();
  port->SetVariable(variable);
  EXPECT_EQ(Burst([&] { variable->Number()->SetValue(MON_CALIBRATE); }),
            (Lines{"VariableChanged", "RescaleAmplitude", "Changed"}));
  EXPECT_EQ(variable->Number()->Label(), "Calibrate");

  auto filter = NewValueObj();
  port->SetFilter(filter);
  EXPECT_EQ(Burst([&] { filter->Refresh(); }), Lines{"Refresh"});

  port->SetFilter(nullptr);
  EXPECT_EQ(port->Filter(), nullptr);
  EXPECT_EQ(Burst([&] { filter->Number()->SetValue(1); }), Lines{});
}

TEST_F(MonitorPortEvents, OneValueHeldInTwoRolesNotifiesBothHandlers) {
  auto shared = port->Amplitude();
  port->SetFilter(shared);
  EXPECT_EQ(Burst([&] { shared->Number()->SetValue(1); }),
            (Lines{"AmplitudeChanged", "Changed", "FilterChanged", "Changed"}));
}

TEST_F(MonitorPortEvents, SyncPulseChangedOnlyWhenTheRegisterShowsANewPulse) {
  EXPECT_EQ(Burst([&] { SetRegister(CONFIG_MASK_HALL_INV); }), Lines{});
  EXPECT_EQ(Burst([&] { SetRegister(CONFIG_MASK_HALL_INV | CONFIG_MASK_SYNC_PULSE_N); }),
            Lines{"SyncPulseChanged"});
  EXPECT_EQ(Burst([&] { SetRegister(CONFIG_MASK_SYNC_PULSE_N); }), Lines{});
  EXPECT_EQ(Burst([&] { SetRegister(0); }), Lines{"SyncPulseChanged"});
}

TEST_F(MonitorPortEvents, AnotherRegisterIsComparedWithTheLastPulseSeen) {
  port->SetSyncPulse(SYNC_PULSE_PLUS);
  auto drive = ConfigRegObj::create();
  drive->Register()->Number()->SetValue(CONFIG_MASK_SYNC_PULSE_P);
  EXPECT_EQ(Burst([&] { port->SetConfigReg(drive); }), Lines{});
  // Same pulse as cached from the old register: nothing.
  EXPECT_EQ(Burst([&] { drive->SetHallInverter(true); }), Lines{});
  EXPECT_EQ(Burst([&] { drive->SetSyncPulse(SYNC_PULSE_EITHER); }), Lines{"SyncPulseChanged"});
  EXPECT_EQ(port->SyncPulse(), SYNC_PULSE_EITHER);
}

TEST_F(MonitorPortEvents, CachedPulseIsReadAgainAfterTheListeners) {
  // A listener that answers the first pulse by choosing another one.
  bool answered = false;
  recorder->on["SyncPulseChanged"] = [&] {
    if (answered) return;
    answered = true;
    port->SetSyncPulse(SYNC_PULSE_NEG);
  };
  EXPECT_EQ(Burst([&] { port->SetSyncPulse(SYNC_PULSE_PLUS); }),
            (Lines{"SyncPulseChanged", "SyncPulseChanged"}));
  // The cache holds the register's pulse, not the one the outer notification saw.
  EXPECT_EQ(Burst([&] { port->ConfigReg()->SetHallInverter(true); }), Lines{});
  EXPECT_EQ(Burst([&] { port->SetSyncPulse(SYNC_PULSE_PLUS); }), Lines{"SyncPulseChanged"});
}

TEST_F(MonitorPortEvents, OldRegisterIsNoLongerHeard) {
  auto old = port->ConfigReg();
  port->SetConfigReg(ConfigRegObj::create());
  EXPECT_EQ(Burst([&] { old->SetSyncPulse(SYNC_PULSE_PLUS); }), Lines{});
}

TEST_F(MonitorPortEvents, ListenerMayDropTheLastReferenceMidBurst) {
  recorder->on["SyncPulseChanged"] = [&] { port.reset(); };
  auto* raw = port.get();
  EXPECT_EQ(Burst([&] { raw->Refresh(); }), (Lines{"SyncPulseChanged", "Changed"}));
  EXPECT_EQ(port, nullptr);
}

}  // namespace
}  // namespace zentnet::test

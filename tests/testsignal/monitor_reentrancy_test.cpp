// Listeners that answer an event by re-entering the port, and listeners that fail: the
// four guarded procedures drop nested calls of themselves and swallow errors, everything
// else passes errors on.

#include <gtest/gtest.h>

#include "monitor_support.h"

namespace zentnet::test {
namespace {

class MonitorPortReentrancy : public PortTest {};

TEST_F(MonitorPortReentrancy, VariableChangedListenerWritingTheVariableIsDropped) {
  recorder->on["VariableChanged"] = [&] { SetVariable(MON_VEL_CMD); };
  EXPECT_EQ(Burst([&] { SetVariable(MON_VEL_MEAS); }),
            (Lines{"VariableChanged", "RescaleAmplitude", "Changed"}));
  // The nested notification did not relabel the number.
  EXPECT_EQ(port->Variable()->Number()->Value(), MON_VEL_CMD);
  EXPECT_EQ(port->Variable()->Number()->Label(), "Actual Velocity");

  // The guard was cleared: the next write is handled in full.
  recorder->on.clear();
  EXPECT_EQ(Burst([&] { SetVariable(MON_INTEGRATOR); }),
            (Lines{"VariableChanged", "RescaleAmplitude", "Changed"}));
  EXPECT_EQ(port->Variable()->Number()->Label(), "Integrator");
}

TEST_F(MonitorPortReentrancy, RescaleListenerWritingTheVariableIsDropped) {
  recorder->on["RescaleAmplitude"] = [&] { SetVariable(port->Variable()->Number()->Value() + 1); };
  EXPECT_EQ(Burst([&] { SetVariable(MON_VEL_ERR); }),
            (Lines{"VariableChanged", "RescaleAmplitude", "Changed"}));
  EXPECT_EQ(port->Variable()->Number()->Value(), MON_POSN_ERR);
  EXPECT_EQ(port->Variable()->Number()->Label(), "Velocity Error");
}

TEST_F(MonitorPortReentrancy, AmplitudeListenerWritingTheAmplitudeIsDropped) {
  recorder->on["AmplitudeChanged"] = [&] { SetAmplitude(port->Amplitude()->Number()->Value() * 2); };
  EXPECT_EQ(Burst([&] { SetAmplitude(3); }), (Lines{"AmplitudeChanged", "Changed"}));
  EXPECT_EQ(port->Amplitude()->Number()->Value(), 6.0);
}

TEST_F(MonitorPortReentrancy, RescaleFromARescaleListenerDoesNothing) {
  int calls = 0;
  recorder->on["RescaleAmplitude"] = [&] {
    ++calls;
    port->Rescale();
  };
  EXPECT_EQ(Burst([&] { port->Rescale(); }), Lines{"RescaleAmplitude"});
  EXPECT_EQ(calls, 1);
}

TEST_F(MonitorPortReentrancy, EachProcedureHasItsOwnGuard) {
  // The variable handler's RescaleAmplitude is not Rescale's: one nested Rescale runs,
  // and only its own nested call is dropped.
  recorder->on["RescaleAmplitude"] = [&] { port->Rescale(); };
  EXPECT_EQ(Burst([&] { SetVariable(MON_VEL_MEAS); }),
            (Lines{"VariableChanged", "RescaleAmplitude", "RescaleAmplitude", "Changed"}));
}

TEST_F(MonitorPortReentrancy, RefreshFromAChangedListenerIsDropped) {
  recorder->on["Changed"] = [&] { port->Refresh(); };
  EXPECT_EQ(Burst([&] { port->Refresh(); }), (Lines{"SyncPulseChanged", "Changed"}));
  // From a value's Changed the first Refresh runs, its own Changed does not recurse.
  EXPECT_EQ(Burst([&] { SetAmplitude(1); }),
            (Lines{"AmplitudeChanged", "Changed", "SyncPulseChanged", "Changed"}));
}

TEST_F(MonitorPortReentrancy, FilterHandlerIsNotGuarded) {
  int nested = 0;
  recorder->on["FilterChanged"] = [&] {
    if (nested++ == 0) SetFilter(20);
  };
  EXPECT_EQ(Burst([&] { SetFilter(10); }),
            (Lines{"FilterChanged", "FilterChanged", "Changed", "Changed"}));
}

// A listener that fails once on the named event, then behaves.
void FailOnce(PortRecorder& recorder, const std::string& event) {
  auto failed = std::make_shared<bool>(false);
  recorder.on[event] = [failed] {
    if (*failed) return;
    *failed = true;
    throw ListenerError();
  };
}

struct GuardCase {
  const char* what;
  const char* failingEvent;
  void (*act)(MonitorPortStateObj&);
  Lines firstBurst;   // the error ends the procedure quietly
  Lines secondBurst;  // the guard was cleared
};

void BumpVariable(MonitorPortStateObj& p) {
  p.Variable()->Number()->SetValue(p.Variable()->Number()->Value() + 1);
}
void BumpAmplitude(MonitorPortStateObj& p) {
  p.Amplitude()->Number()->SetValue(p.Amplitude()->Number()->Value() + 1);
}

const GuardCase kGuardCases[] = {
    {"variable handler", "VariableChanged",
     BumpVariable,
     {"VariableChanged"},
     {"VariableChanged", "RescaleAmplitude", "Changed"}},
    {"variable handler, failing rescale", "RescaleAmplitude",
     BumpVariable,
     {"VariableChanged", "RescaleAmplitude"},
     {"VariableChanged", "RescaleAmplitude", "Changed"}},
    {"amplitude handler", "AmplitudeChanged",
     BumpAmplitude,
     {"AmplitudeChanged"},
     {"AmplitudeChanged", "Changed"}},
    {"amplitude handler, failing Changed", "Changed",
     BumpAmplitude,
     {"AmplitudeChanged", "Changed"},
     {"AmplitudeChanged", "Changed"}},
    {"Rescale", "RescaleAmplitude", [](MonitorPortStateObj& p) { p.Rescale(); },
     {"RescaleAmplitude"},
     {"RescaleAmplitude"}},
    {"Refresh", "SyncPulseChanged", [](MonitorPortStateObj& p) { p.Refresh(); },
     {"SyncPulseChanged"},
     {"SyncPulseChanged", "Changed"}},
};

TEST_F(MonitorPortReentrancy, GuardedProceduresSwallowErrorsAndClearTheirGuard) {
  for (const auto& c : kGuardCases) {
    auto fresh = MonitorPortStateObj::create();
    Journal j;
    auto rec = std::make_shared<PortRecorder>(j);
    fresh->Advise(rec);
    FailOnce(*rec, c.failingEvent);
    EXPECT_NO_THROW(c.act(*fresh)) << c.what;
    EXPECT_EQ(j.lines, c.firstBurst) << c.what;
    j.Clear();
    EXPECT_NO_THROW(c.act(*fresh)) << c.what;
    EXPECT_EQ(j.lines, c.secondBurst) << c.what;
  }
}

TEST_F(MonitorPortReentrancy, FailingLabelSkipsTheVariableBurst) {
  // Without a register the name cannot be marked: the handler ends before any event.
  port->SetConfigReg(nullptr);
  EXPECT_NO_THROW(SetVariable(MON_VEL_MEAS));
  EXPECT_EQ(journal.lines, Lines{});
  EXPECT_EQ(port->Variable()->Number()->Label(), "");
}

struct PassCase {
  const char* what;
  const char* failingEvent;
  void (*act)(MonitorPortStateObj&);
  Lines burst;
};

const PassCase kPassCases[] = {
    {"filter handler", "FilterChanged",
     [](MonitorPortStateObj& p) { p.Filter()->Number()->SetValue(4); }, {"FilterChanged"}},
    {"content change", "UpdateView", [](MonitorPortStateObj& p) { p.Amplitude()->ApplySetup(); },
     {"UpdateView"}},
    {"value refresh", "Refresh", [](MonitorPortStateObj& p) { p.Variable()->Refresh(); }, {"Refresh"}},
    {"SaveToNonVolatile", "SaveToNonVolatile", [](MonitorPortStateObj& p) { p.SaveToNonVolatile(); },
     {"SaveToNonVolatile"}},
    {"Initialize", "Initialize", [](MonitorPortStateObj& p) { p.Initialize(); }, {"Initialize"}},
    {"Initialize, failing view", "UpdateView", [](MonitorPortStateObj& p) { p.Initialize(); },
     {"Initialize", "UpdateView"}},
    {"ChangeTo", "RescaleAmplitude", [](MonitorPortStateObj& p) { p.ChangeTo(MON_VEL_MEAS, 1); },
     {"RescaleAmplitude"}},
    {"register change", "SyncPulseChanged",
     [](MonitorPortStateObj& p) { p.ConfigReg()->SetSyncPulse(SYNC_PULSE_PLUS); },
     {"SyncPulseChanged"}},
};

TEST_F(MonitorPortReentrancy, UnguardedMembersPassListenerErrorsUnchanged) {
  for (const auto& c : kPassCases) {
    auto fresh = MonitorPortStateObj::create();
    Journal j;
    auto rec = std::make_shared<PortRecorder>(j);
    fresh->Advise(rec);
    FailOnce(*rec, c.failingEvent);
    const auto e = CatchError([&] { c.act(*fresh); });
    EXPECT_EQ(e.Number(), 1234) << c.what;
    EXPECT_EQ(e.Source(), "Listener") << c.what;
    EXPECT_EQ(e.Description(), "listener failed") << c.what;
    EXPECT_EQ(j.lines, c.burst) << c.what;
  }
}

TEST_F(MonitorPortReentrancy, FailedChangeToLeavesChangedHeldBack) {
  FailOnce(*recorder, "RescaleAmplitude");
  EXPECT_EQ(CatchError([&] { port->ChangeTo(MON_VEL_MEAS, 2, 3); }).Number(), 1234);
  // The later requests were not made.
  EXPECT_EQ(port->Amplitude()->RequestNumber()->Value(), 0.0);
  EXPECT_EQ(Burst([&] { SetAmplitude(5); }), Lines{"AmplitudeChanged"});
  // A ChangeTo that completes releases the hold.
  EXPECT_EQ(Burst([&] { port->ChangeTo(MON_VEL_MEAS, 2, 3); }), (Lines{"RescaleAmplitude", "Changed"}));
  EXPECT_EQ(Burst([&] { SetAmplitude(6); }), (Lines{"AmplitudeChanged", "Changed"}));
}

TEST_F(MonitorPortReentrancy, FailedInitializeLeavesChangedHeldBack) {
  FailOnce(*recorder, "Initialize");
  EXPECT_EQ(CatchError([&] { port->Initialize(); }).Number(), 1234);
  EXPECT_EQ(Burst([&] { SetFilter(5); }), Lines{"FilterChanged"});
  EXPECT_EQ(Burst([&] { port->Initialize(); }), (Lines{"Initialize", "UpdateView"}));
  EXPECT_EQ(Burst([&] { SetFilter(6); }), (Lines{"FilterChanged", "Changed"}));
}

TEST_F(MonitorPortReentrancy, ListenerMayDropTheLastReferenceInEveryBulkMember) {
  const std::pair<const char*, void (*)(MonitorPortStateObj&)> members[] = {
      {"Refresh", [](MonitorPortStateObj& p) { p.Refresh(); }},
      {"Initialize", [](MonitorPortStateObj& p) { p.Initialize(); }},
      {"ChangeTo", [](MonitorPortStateObj& p) { p.ChangeTo(MON_VEL_CMD, 1, 2); }},
  };
  for (const auto& [what, act] : members) {
    auto fresh = MonitorPortStateObj::create();
    Journal j;
    auto rec = std::make_shared<PortRecorder>(j);
    fresh->Advise(rec);
    rec->on["SyncPulseChanged"] = rec->on["Initialize"] = rec->on["RescaleAmplitude"] = [&] {
      fresh.reset();
    };
    auto* raw = fresh.get();
    act(*raw);
    EXPECT_EQ(fresh, nullptr) << what;
    EXPECT_EQ(j.lines.back(), what == std::string("Initialize") ? "UpdateView" : "Changed") << what;
  }
}

}  // namespace
}  // namespace zentnet::test

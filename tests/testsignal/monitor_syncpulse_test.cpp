// The sync pulse: written through the configuration register with its edit lock lifted for
// the one write, read and named through it.

#include <gtest/gtest.h>

#include "monitor_support.h"
#include "zentnet/resources/strings.h"

namespace zentnet::test {
namespace {

// Listens to the register itself and notes the edit lock each change saw.
class LockWitness final : public ConfigRegObjEvents {
 public:
  explicit LockWitness(std::shared_ptr<ValueObj> reg) : reg_(std::move(reg)) {}
  void Change() override {
    locks.push_back(reg_->EditLock());
    if (fail) throw ListenerError();
  }
  std::vector<int32_t> locks;
  bool fail = false;

 private:
  std::shared_ptr<ValueObj> reg_;
};

class MonitorSyncPulse : public PortTest {};

struct LockCase {
  int32_t lock;
  SyncPulses pulse;
  double registerBefore;
  double registerAfter;
};

TEST_F(MonitorSyncPulse, WriteLiftsTheEditLockForTheWriteOnly) {
  // The drive's register: every other bit is kept.
  const LockCase cases[] = {
      {0, SYNC_PULSE_PLUS, 0, 1},
      {3, SYNC_PULSE_NEG, 0x300, 0x302},
      {5, SYNC_PULSE_EITHER, 1, 3},
      {-1, SYNC_PULSE_OFF, -2147483648.0 + 3, -2147483648.0},
  };
  for (const auto& c : cases) {
    auto drive = ConfigRegObj::create();
    port->SetConfigReg(drive);
    const auto reg = drive->Register();
    reg->Number()->SetValue(c.registerBefore);
    reg->SetEditLock(c.lock);
    auto witness = std::make_shared<LockWitness>(reg);
    drive->Advise(witness);

    port->SetSyncPulse(c.pulse);
    EXPECT_EQ(witness->locks, std::vector<int32_t>{0}) << c.lock;
    EXPECT_EQ(reg->EditLock(), c.lock);
    EXPECT_EQ(reg->Number()->Value(), c.registerAfter) << c.lock;
    EXPECT_EQ(port->SyncPulse(), c.pulse);
  }
}

TEST_F(MonitorSyncPulse, EditLockRestoredWhenTheWriteFails) {
  const auto reg = port->ConfigReg()->Register();
  reg->SetEditLock(4);
  auto witness = std::make_shared<LockWitness>(reg);
  witness->fail = true;
  port->ConfigReg()->Advise(witness);

  const auto e = CatchError([&] { port->SetSyncPulse(SYNC_PULSE_PLUS); });
  EXPECT_EQ(e.Number(), 1234);
  EXPECT_EQ(e.Source(), "Listener");
  EXPECT_EQ(witness->locks, std::vector<int32_t>{0});
  EXPECT_EQ(reg->EditLock(), 0);  // no step after an error runs
  // The port heard the change before the failing listener.
  EXPECT_EQ(journal.lines, Lines{"SyncPulseChanged"});
}

TEST_F(MonitorSyncPulse, LockIsRestoredOnTheRegisterValueThatWasWritten) {
  // A listener that swaps the register's value object during the write.
  const auto original = port->ConfigReg()->Register();
  original->SetEditLock(7);
  auto other = NewValueObj();
  other->SetEditLock(2);
  recorder->on["SyncPulseChanged"] = [&] { port->ConfigReg()->SetRegister(other); };
  port->SetSyncPulse(SYNC_PULSE_NEG);
  EXPECT_EQ(original->EditLock(), 7);
  EXPECT_EQ(other->EditLock(), 2);
}

TEST_F(MonitorSyncPulse, CapabilityMaskOfTheRegisterApplies) {
  auto drive = ConfigRegObj::create();
  drive->SetCapabilityMask(CONFIG_MASK_SYNC_PULSE_P);
  port->SetConfigReg(drive);
  port->SetSyncPulse(SYNC_PULSE_EITHER);
  EXPECT_EQ(port->SyncPulse(), SYNC_PULSE_PLUS);
  EXPECT_EQ(journal.lines, Lines{"SyncPulseChanged"});
}

TEST_F(MonitorSyncPulse, NameComesFromTheRegister) {
  for (SyncPulses p : {SYNC_PULSE_OFF, SYNC_PULSE_PLUS, SYNC_PULSE_NEG, SYNC_PULSE_EITHER}) {
    port->SetSyncPulse(p);
    EXPECT_EQ(port->SyncPulseStr(), port->ConfigReg()->SyncPulseStr()) << p;
    EXPECT_EQ(port->SyncPulseStr(), LoadResString(4130 + p)) << p;
  }
}

TEST_F(MonitorSyncPulse, MissingRegisterOrRegisterValueIsAMissingObject) {
  port->ConfigReg()->SetRegister(nullptr);
  auto e = CatchError([&] { port->SetSyncPulse(SYNC_PULSE_PLUS); });
  EXPECT_EQ(e.Number(), err::kObjectRequired);
  EXPECT_EQ(e.Source(), err::kRuntimeSource);

  port->SetConfigReg(nullptr);
  EXPECT_EQ(port->ConfigReg(), nullptr);
  const std::pair<const char*, void (*)(MonitorPortStateObj&)> members[] = {
      {"SyncPulse", [](MonitorPortStateObj& p) { (void)p.SyncPulse(); }},
      {"SetSyncPulse", [](MonitorPortStateObj& p) { p.SetSyncPulse(SYNC_PULSE_NEG); }},
      {"SyncPulseStr", [](MonitorPortStateObj& p) { (void)p.SyncPulseStr(); }},
      {"CopyTo", [](MonitorPortStateObj& p) { p.CopyTo(MonitorPortStateObj::create()); }},
  };
  for (const auto& [what, act] : members) {
    e = CatchError([&] { act(*port); });
    EXPECT_EQ(e.Number(), err::kObjectRequired) << what;
    EXPECT_EQ(e.Description(), "Object variable or With block variable not set") << what;
  }
}

TEST_F(MonitorSyncPulse, CopyToWritesTheDestinationsRegisterUnderItsLock) {
  port->SetSyncPulse(SYNC_PULSE_EITHER);
  auto dest = MonitorPortStateObj::create();
  const auto destReg = dest->ConfigReg()->Register();
  destReg->SetEditLock(9);
  auto witness = std::make_shared<LockWitness>(destReg);
  dest->ConfigReg()->Advise(witness);
  port->CopyTo(dest);
  EXPECT_EQ(witness->locks, std::vector<int32_t>{0});
  EXPECT_EQ(destReg->EditLock(), 9);
  EXPECT_EQ(dest->SyncPulse(), SYNC_PULSE_EITHER);
}

}  // namespace
}  // namespace zentnet::test

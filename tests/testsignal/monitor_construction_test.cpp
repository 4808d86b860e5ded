// A new port: how it sets up its three values and its register, what it holds, and that
// the objects it holds do not keep it alive.

#include <gtest/gtest.h>

#include "monitor_support.h"
#include "zentnet/factory.h"

namespace zentnet::test {
namespace {

TEST(MonitorPortConstruction, SetsUpEachValueInItsOrder) {
  Journal log;
  int made = 0;
  std::vector<std::shared_ptr<ValueObj>> values;
  FactoryScope scope([&] {
    auto v = std::make_shared<LoggingValueObj>(&log, "V" + std::to_string(++made), false);
    values.push_back(v);
    return v;
  });
  auto port = MonitorPortStateObj::create();

  // The fourth value is the port's own configuration register, set up by that class.
  Lines ours;
  for (const auto& line : log.lines)
    if (line.rfind("V4.", 0) != 0) ours.push_back(line);
  EXPECT_EQ(ours, (Lines{
                      "V1.ParamNum=29",
                      "V1.Name=Monitor Port: Amplitude",
                      "V1.Number.SetupI=0",
                      "V1.Number.SetupK=6",
                      "V1.Number.SetupJ=0",
                      "V1.Number.Label=Gain Factor",
                      "V1.SetupD=7",
                      "V1.EditLock=0",
                      "V2.ParamNum=30",
                      "V2.Name=Monitor Port: Variable",
                      "V2.SetupA=0",
                      "V2.SetupB=6",
                      "V2.SetupD=6",
                      "V2.EditLock=0",
                      "V2.Number.SetupK=6",
                      "V2.Number.SetupJ=0",
                      "V3.ParamNum=52",
                      "V3.Name=Monitor Port: Filter",
                      "V3.ShortName=Filter",
                      "V3.SetupA=4",
                      "V3.SetupB=22",
                      "V3.ParamNum=52",
                      "V3.RequestNumber.Format=#,##0.#",
                      "V3.Number.Format=#,##0.#",
                      "V3.SetupD=7",
                      "V3.EditLock=0",
                  }));
  ASSERT_EQ(made, 4);
  EXPECT_EQ(port->Amplitude(), values[0]);
  EXPECT_EQ(port->Variable(), values[1]);
  EXPECT_EQ(port->Filter(), values[2]);
  EXPECT_EQ(port->ConfigReg()->Register(), values[3]);
}

TEST(MonitorPortConstruction, OwnRegisterKnowsOnlyTheSyncPulseBits) {
  auto port = MonitorPortStateObj::create();
  ASSERT_NE(port->ConfigReg(), nullptr);
  EXPECT_EQ(port->ConfigReg()->CapabilityMask(), CONFIG_MASK_SYNC_PULSE_P | CONFIG_MASK_SYNC_PULSE_N);
  EXPECT_EQ(port->SyncPulse(), SYNC_PULSE_OFF);
  // Both polarities can be written and read back.
  port->SetSyncPulse(SYNC_PULSE_EITHER);
  EXPECT_EQ(port->SyncPulse(), SYNC_PULSE_EITHER);
  EXPECT_EQ(port->ConfigReg()->Register()->Number()->Value(), 3.0);
}

TEST(MonitorPortConstruction, HeldObjectsDoNotKeepThePortAlive) {
  auto port = MonitorPortStateObj::create();
  std::weak_ptr<MonitorPortStateObj> weak = port;
  auto amplitude = port->Amplitude();
  auto variable = port->Variable();
  auto config = port->ConfigReg();
  port.reset();
  EXPECT_TRUE(weak.expired());
  // The subscriptions ended with the port: notifications reach nothing.
  amplitude->Number()->SetValue(4);
  variable->Number()->SetValue(2);
  config->Register()->Number()->SetValue(1);
  EXPECT_EQ(variable->Number()->Label(), "");
}

TEST(MonitorPortConstruction, FactoryCreatesByNameAndClassId) {
  for (const char* key : {"MonitorPortStateObj", "{7682FCCE-CE8B-48DA-810C-EA89EAB6D418}"}) {
    auto object = CreateObject(key);
    ASSERT_NE(object, nullptr) << key;
    EXPECT_EQ(object->ClassName(), "MonitorPortStateObj");
    EXPECT_NE(std::dynamic_pointer_cast<MonitorPortStateObj>(object), nullptr);
  }
}

TEST(MonitorPortConstruction, LateBoundPropertiesInPublishedOrder) {
  auto port = MonitorPortStateObj::create();
  const auto names = port->PropertyNames();
  EXPECT_EQ(std::vector<std::string_view>(names.begin(), names.end()),
            (std::vector<std::string_view>{"Amplitude", "Variable", "Filter", "ConfigReg",
                                           "SyncPulse", "SyncPulseStr", "MonitorVarStr"}));
  port->SetSyncPulse(SYNC_PULSE_NEG);
  port->Variable()->Number()->SetValue(MON_POSN_ERR);
  EXPECT_EQ(port->GetProperty("syncpulse"), Variant(int32_t{2}));
  EXPECT_EQ(port->GetProperty("SyncPulseStr"), Variant(port->ConfigReg()->SyncPulseStr()));
  EXPECT_EQ(port->GetProperty("MonitorVarStr"), Variant("Tracking Error"));
  EXPECT_EQ(port->GetProperty("Filter").ToObject(), port->Filter());
  EXPECT_EQ(port->GetProperty("ConfigReg").ToObject(), port->ConfigReg());

  port->SetAmplitude(nullptr);
  EXPECT_EQ(port->GetProperty("Amplitude").ToObject(), nullptr);
  const auto e = CatchError([&] { port->GetProperty("ChangeTo"); });
  EXPECT_EQ(e.Number(), err::kNoSuchMember);
}

}  // namespace
}  // namespace zentnet::test

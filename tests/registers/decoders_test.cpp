// What all five decoders share: passing the value object's notices on, holding it without
// being kept alive by it, moving the subscription, and failing reads without a register.

#include <iomanip>
#include <set>
#include <sstream>

#include "support.h"
#include "zentnet/factory.h"

namespace zentnet::test {
namespace {

struct Decoder {
  std::string name;
  std::shared_ptr<Object> object;
  std::shared_ptr<BasicValueObj> value;  // the value object it holds
  // Assigns another value object; null for the status register, which keeps its own.
  void (*replace)(Object&, std::shared_ptr<ValueObj>);
  uint32_t burstBits;  // a number whose change raises more than one event (IO: one)
  Lines burst;
  Lines notices;  // after Refresh, ContentChanged and InitializeCache(7) of the value object
  std::set<std::string> plain;  // properties that never read the register
  const char* setUp;            // what construction stored in its own value object
};

std::string SetUpOf(ValueObj& v) {
  const auto n = v.Number();
  std::ostringstream s;
  s << std::fixed << std::setprecision(0) << v.Name() << " p" << v.ParamNum() << " A" << v.SetupA()
    << " B" << v.SetupB() << " C" << v.SetupC() << " D" << v.SetupD() << " E" << v.SetupE() << " F"
    << v.SetupF() << " G" << v.SetupG() << " A[" << n->LowerBoundA() << "," << n->UpperBoundA()
    << "] B[" << n->LowerBoundB() << "," << n->UpperBoundB() << "] H" << n->SetupH() << " default "
    << n->DefaultValue();
  return s.str();
}

template <class T>
std::shared_ptr<BasicValueObj> Held(const std::shared_ptr<T>& decoder) {
  return std::dynamic_pointer_cast<BasicValueObj>(decoder->Register());
}
template <class T, void (T::*Assign)(std::shared_ptr<ValueObj>)>
void Replace(Object& o, std::shared_ptr<ValueObj> v) {
  (static_cast<T&>(o).*Assign)(std::move(v));
}

std::vector<Decoder> All(const std::shared_ptr<Recorder>& rec) {
  auto config = ConfigRegObj::create();
  auto status = StatusRegObj::create();
  auto option = OptionRegObj::create();
  auto io = IOregisterObj::create();
  auto ioValue = BasicValueObj::create();
  ioValue->SetName("IO");
  io->SetValueObjRef(ioValue);
  auto error = ErrorCodeObj::create();
  config->Advise(rec);
  status->Advise(rec);
  option->Advise(rec);
  io->Advise(rec);
  error->Advise(rec);
  // clang-format off
  return {
      {"ConfigRegObj", config, Held(config), Replace<ConfigRegObj, &ConfigRegObj::SetRegister>,
       0x220, {"Change", "MotorTypeChanged", "HighLevelFeedbackChanged"},
       {"Refresh Configuration Register", "UpdateView", "InitializeCache 7"},
       {"CapabilityMask", "VelocityEstimatorMax", "VelocityEstimatorMin"},
       "Configuration Register p15 A0 B26 C1 D0 E0 F0 G0 A[-2147483648,2147483647] B[0,0] H-1 "
       "default 768"},
      {"StatusRegObj", status, Held(status), nullptr,
       0x40000801, {"Changed", "EnableChanged false", "LockChanged", "Shutdown"},
       {"Refresh", "ContentChanged Status Register", "InitializeCache 7"}, {"StatusImplemented"},
       "Status Register p72 A0 B6 C0 D6 E0 F0 G0 A[-2147483648,2147483647] B[0,0] H0 default 0"},
      {"OptionRegObj", option, Held(option), Replace<OptionRegObj, &OptionRegObj::SetRegister>,
       0x20, {"Change", "FirmwareChanged"},
       {"Refresh Option register", "InitializeCache 7"}, {"CapabilityMask"},
       "Option register p62 A0 B6 C1 D0 E0 F0 G0 A[0,0] B[-2147483648,2147483647] H-1 default 0"},
      {"IOregisterObj", io, ioValue, Replace<IOregisterObj, &IOregisterObj::SetValueObjRef>,
       0x80, {"CommutationChanged 1,0"},
       {"Refresh IO", "InitializeCache 7"}, {"LastCommutationCode"}, nullptr},
      {"ErrorCodeObj", error, Held(error), Replace<ErrorCodeObj, &ErrorCodeObj::SetRegister>,
       0x1, {"Changed"},
       {"Refresh", "InitializeCache 7"}, {},
       "Error Blink Codes p26 A0 B26 C1 D6 E-1 F-1 G0 A[0,0] B[-32768,0] H0 default 0"},
  };
  // clang-format on
}

// The members with a specMode argument show "???" instead of failing.
const std::set<std::string> kQuestionMarks = {"InputModeStr", "HighLevelFeedbackStr",
                                              "SyncPulseStr", "ModeLineFoldbackStr",
                                              "LimitSwitchModeStr"};

struct Decoders : ::testing::Test {
  std::shared_ptr<Recorder> rec = std::make_shared<Recorder>();
  std::vector<Decoder> all = All(rec);

  // Every property that reads the register fails with `number`.
  void ExpectEveryReadFails(Decoder& d, int32_t number, const std::set<std::string>& also) {
    for (const auto name : d.object->PropertyNames()) {
      const std::string n(name);
      if (d.plain.contains(n) || also.contains(n)) continue;
      if (kQuestionMarks.contains(n)) {
        EXPECT_EQ(d.object->GetProperty(n), Variant("???")) << d.name << "." << n;
        continue;
      }
      try {
        d.object->GetProperty(n);
        ADD_FAILURE() << d.name << "." << n;
      } catch (const AutomationError& e) {
        EXPECT_EQ(e.Number(), number) << d.name << "." << n;
      }
    }
  }
};

TEST_F(Decoders, SetUpTheirOwnValueObjectAtConstruction) {
  for (auto& d : all) {
    if (d.setUp) {
      EXPECT_EQ(SetUpOf(*d.value), d.setUp);
    }
  }
}

TEST_F(Decoders, PassTheValueObjectsNoticesOnByReference) {
  for (auto& d : all) {
    rec->lines.clear();
    d.value->RaiseRefresh();
    d.value->RaiseContentChanged();
    double initial = 7;
    bool processed = false;
    d.value->RaiseInitializeCache(initial, processed);
    EXPECT_EQ(rec->lines, d.notices) << d.name;
    // Written back through both hops, so the value object sees what the listener supplied.
    EXPECT_EQ(initial, 42) << d.name;
    EXPECT_TRUE(processed) << d.name;
  }
}

TEST_F(Decoders, RaiseTheWholeBurstWhenAListenerDropsTheDecoder) {
  for (auto& d : all) {
    rec->lines.clear();
    std::weak_ptr<Object> weak = d.object;
    rec->then = [&](const std::string&) { d.object.reset(); };
    StoreBits(d.value, d.burstBits);
    rec->then = nullptr;
    EXPECT_EQ(rec->lines, d.burst) << d.name;
    EXPECT_TRUE(weak.expired()) << d.name;
    // The value object's subscription does not keep it, and the dead decoder hears nothing.
    StoreBits(d.value, 0);
    d.value->RaiseRefresh();
    EXPECT_EQ(rec->lines, d.burst) << d.name;
  }
}

TEST_F(Decoders, AssigningAnotherValueObjectMovesTheSubscription) {
  for (auto& d : all) {
    if (!d.replace) continue;
    auto other = BasicValueObj::create();
    d.replace(*d.object, other);
    rec->lines.clear();
    StoreBits(d.value, d.burstBits);
    EXPECT_TRUE(rec->lines.empty()) << d.name;
    StoreBits(other, d.burstBits);
    EXPECT_EQ(rec->lines, d.burst) << d.name;
    EXPECT_EQ(other->Name(), "") << d.name;  // used as supplied, not set up

    d.replace(*d.object, nullptr);
    StoreBits(other, 0);
    other->RaiseRefresh();
    EXPECT_EQ(rec->lines, d.burst) << d.name;
    ExpectEveryReadFails(d, err::kObjectRequired, {});
  }
}

TEST_F(Decoders, ANumberOutsideThe32BitRangeOverflowsEveryRead) {
  for (auto& d : all) {
    try {
      d.value->Number()->SetValue(2147483648.0);  // a change reaction may convert it already
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.Number(), err::kOverflow) << d.name;
    }
    ExpectEveryReadFails(d, err::kOverflow, {"IsShutdown"});
  }
}

TEST_F(Decoders, PublishTheirPropertiesInSlotOrder) {
  const std::pair<const char*, const char*> expected[] = {
      {"ConfigRegObj",
       "CapabilityMask VelocityEstimatorMax VelocityEstimatorMin AnalogInFilter AnalogInFilterStr "
       "TorqueMode Steadix SteadixStr BadSequenceEnable BadSequenceEnableStr BrushMode "
       "BrushModeStr EncoderBalanced EncoderBalancedStr EncoderInFilter EncoderInFilterStr "
       "HallCheck HallCheckStr FilterClock FilterClockStr HallInverter HallInverterStr "
       "HallLessStart HallLessStartStr LimitMode LimitModeStr LogicPowerBackup "
       "LogicPowerBackupStr ModeLineFoldback ModeLineFoldbackStr MoveDoneFoldback "
       "MoveDoneFoldbackStr InputMode InputModeStr HardStopFoldback HardStopFoldbackStr "
       "HighLevelFeedback HighLevelFeedbackStr LinearMotor StepInFilter StepInFilterStr SyncPulse "
       "SyncPulseStr VectorLock VectorLockStr VelocityEstimator LimitSwitchModeStr MotorStyle "
       "MotorStyleStr StepEncInputFilter"},
      {"StatusRegObj",
       "StatusImplemented AllSystemsGo HighLevelFeedback AmpDisable EncoderError Hardstopped "
       "IVfault LockLevel LogicPowerBackup NegativeLimit NotMoveDone OutOfPosition "
       "OutputSaturation OverSpeed OverTemp PositiveLimit PWMsaturation RMSshutdown "
       "StepInputError TempShutdown TorqueMode TrackingShutdown VectorSearch"},
      {"OptionRegObj",
       "CapabilityMask CaseOption FirmwareType InitialCalibration RuntimeCalibration VoltageMode "
       "VoltageModeStr Vendor VendorStr WarrantyOptions AnalogInputFormat AnalogInputFormatStr "
       "LPBenabled LPBenabledStr"},
      {"IOregisterObj",
       "AmpEnable EnableIn FaultIn ModeIn NegativeLimit PositiveLimit ShutdownLineOut "
       "ThermalFaultIn CommutationCode Bits LastCommutationCode"},
      {"ErrorCodeObj",
       "ADCproblems CommutationProblems CurrentSensorProblems EEhardwareProblems EEnotInitialized "
       "EncoderProblems LogicPowerBackedUp LogicPowerRecoveryFailed OverVoltageCurrent "
       "RMSoverload VectorSetupProblems StepInputProblems Thermal Tracking IsShutdown"},
  };
  for (size_t i = 0; i < all.size(); ++i) {
    const auto& d = all[i];
    ASSERT_EQ(d.name, expected[i].first);
    std::string names;
    for (const auto name : d.object->PropertyNames())
      names += (names.empty() ? "" : " ") + std::string(name);
    EXPECT_EQ(names, expected[i].second);
    EXPECT_EQ(d.object->ClassName(), d.name);
    EXPECT_EQ(CreateObject(d.name)->ClassName(), d.name);
  }
}

}  // namespace
}  // namespace zentnet::test

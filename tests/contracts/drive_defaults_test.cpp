#include "zentnet/contracts/PhysDriveObj.h"

#include <gtest/gtest.h>

#include "zentnet/factory.h"

namespace zentnet {
namespace {

// A drive library's object seen through the interface, as the event hubs carry it: a
// default argument declared by the interface reaches the implementation.
class RecordingDrive final : public PhysDriveObj {
 public:
  // Only the members this test calls do anything; the rest come from the inert object.
  explicit RecordingDrive(std::shared_ptr<PhysDriveObj> inert) : inert_(std::move(inert)) {}
  std::string RunCommand(std::string& baseCmd, int32_t timeOut, bool throwErr) override {
    baseCmd += "!";
    return std::to_string(timeOut) + (throwErr ? " throw" : " quiet");
  }
  void MotorFileLoad(std::string& filePath, bool interactive) override {
    filePath = interactive ? "asked" : "silent";
  }

#define ZN_FORWARD(ret, name, params, args) \
  ret name params override { return inert_->name args; }
  ZN_FORWARD(bool, ACin, (), ())
  ZN_FORWARD(void, SetAddress, (int32_t v), (v))
  ZN_FORWARD(int32_t, Address, (), ())
  ZN_FORWARD(void, AddToPosition, (int32_t v), (v))
  ZN_FORWARD(std::shared_ptr<Collection>, SteadixList, (), ())
  ZN_FORWARD(void, SetAppLockLevel, (std::shared_ptr<LockLevelObj> v), (v))
  ZN_FORWARD(bool, CanMoveDone, (), ())
  ZN_FORWARD(int32_t, CommPort, (), ())
  ZN_FORWARD(std::shared_ptr<ConfigRegObj>, ConfigReg, (), ())
  ZN_FORWARD(void, SetDemoMode, (bool v), (v))
  ZN_FORWARD(bool, DemoMode, (), ())
  ZN_FORWARD(DriveStates, DriveState, (), ())
  ZN_FORWARD(std::string, DriveStateStr, (), ())
  ZN_FORWARD(PhysDriveType, DriveType, (), ())
  ZN_FORWARD(bool, Enabled, (), ())
  ZN_FORWARD(std::shared_ptr<Collection>, EncAndStepFilterList, (), ())
  ZN_FORWARD(std::shared_ptr<ErrorCodeObj>, ErrorCodeReg, (), ())
  ZN_FORWARD(std::shared_ptr<Collection>, FilterClockList, (), ())
  ZN_FORWARD(std::string, FirmwareName, (), ())
  ZN_FORWARD(std::string, FirmwareID, (), ())
  ZN_FORWARD(std::string, FirmwareVersionStr, (), ())
  ZN_FORWARD(std::string, FirmwareVersion, (), ())
  ZN_FORWARD(int32_t, FirmwareVersionCode, (), ())
  ZN_FORWARD(bool, HasFlash, (), ())
  ZN_FORWARD(std::shared_ptr<Collection>, HighLevelFeedbackList, (), ())
  ZN_FORWARD(void, InitializeNonVolatile, (), ())
  ZN_FORWARD(std::shared_ptr<Collection>, InputModeList, (), ())
  ZN_FORWARD(std::shared_ptr<IOregisterObj>, IOregister, (), ())
  ZN_FORWARD(bool, IsLumoType, (), ())
  ZN_FORWARD(std::shared_ptr<CmdLog>, LogFile, (), ())
  ZN_FORWARD(void, SetLogFile, (std::shared_ptr<CmdLog> v), (v))
  ZN_FORWARD(std::shared_ptr<Collection>, ModeLineFoldbackList, (), ())
  ZN_FORWARD(std::string, ModeLineStr, (), ())
  ZN_FORWARD(std::shared_ptr<Collection>, MonitorVariableList, (int32_t c), (c))
  ZN_FORWARD(std::shared_ptr<MonitorPortStateObj>, MonitorState, (int32_t c), (c))
  ZN_FORWARD(std::string, ModelString, (), ())
  ZN_FORWARD(bool, MotorFileExists, (std::string & p), (p))
  ZN_FORWARD(void, SetMotorFileName, (const std::string& v), (v))
  ZN_FORWARD(std::string, MotorFileName, (), ())
  ZN_FORWARD(void, MotorFileSave, (std::string & p, bool i), (p, i))
  ZN_FORWARD(std::shared_ptr<Collection>, MotorStyleList, (), ())
  ZN_FORWARD(void, SetMotorConfigChanged, (bool v), (v))
  ZN_FORWARD(bool, MotorConfigChanged, (), ())
  ZN_FORWARD(bool, Online, (), ())
  ZN_FORWARD(std::shared_ptr<OptionRegObj>, OptionReg, (), ())
  ZN_FORWARD(bool, ParamExists, (ParamNumber p), (p))
  ZN_FORWARD(std::shared_ptr<ValueObj>, Parameter, (ParamNumber p), (p))
  ZN_FORWARD(std::shared_ptr<Object>, ParameterList, (), ())
  ZN_FORWARD(std::shared_ptr<ValueObj>, ParameterValueObj, (int32_t p), (p))
  ZN_FORWARD(void, SetPollPriority, (PhysPollType v), (v))
  ZN_FORWARD(PhysPollType, PollPriority, (), ())
  ZN_FORWARD(std::shared_ptr<ValueObj>, PositionMeasured, (), ())
  ZN_FORWARD(std::shared_ptr<Collection>, VEXlist, (), ())
  ZN_FORWARD(int32_t, ReAddressNetwork, (), ())
  ZN_FORWARD(bool, Ready, (), ())
  ZN_FORWARD(void, ReEnable, (), ())
  ZN_FORWARD(void, ResetDrive, (), ())
  ZN_FORWARD(void, ResetNetwork, (), ())
  ZN_FORWARD(void, ResetParamUpdateIndicator, (), ())
  ZN_FORWARD(std::shared_ptr<ValueObj>, RMSlevel, (), ())
  ZN_FORWARD(std::shared_ptr<ValueObj>, RMSpeak, (), ())
  ZN_FORWARD(void, RunPollCycle, (), ())
  ZN_FORWARD(bool, ScenarioExists, (int32_t s), (s))
  ZN_FORWARD(int32_t, ScenarioMax, (), ())
  ZN_FORWARD(void, ScenarioRecall, (int32_t s), (s))
  ZN_FORWARD(void, ScenarioStore, (int32_t s), (s))
  ZN_FORWARD(void, SetupUndo, (), ())
  ZN_FORWARD(bool, SetupUndoAvailable, (), ())
  ZN_FORWARD(void, SetupUndoSaveState, (), ())
  ZN_FORWARD(void, SetupVelocityTuning, (), ())
  ZN_FORWARD(void, SetupStepResponseView, (), ())
  ZN_FORWARD(void, SetupPositionTuning, (), ())
  ZN_FORWARD(bool, Shutdown, (), ())
  ZN_FORWARD(void, SetSoundEvents, (std::shared_ptr<SoundEventsObj> v), (v))
  ZN_FORWARD(std::shared_ptr<SoundEventsObj>, SoundEvents, (), ())
  ZN_FORWARD(std::shared_ptr<StatusRegObj>, StatusReg, (), ())
  ZN_FORWARD(std::shared_ptr<StimulusStateObj>, StimulusState, (), ())
  ZN_FORWARD(std::shared_ptr<Collection>, SyncPulseList, (), ())
  ZN_FORWARD(bool, SystemFileExists, (std::string & p), (p))
  ZN_FORWARD(void, SystemFileLoad, (std::string & p, bool i), (p, i))
  ZN_FORWARD(void, SystemFileSave, (std::string & p, bool i), (p, i))
  ZN_FORWARD(std::string, TrqFrcString, (std::string & m), (m))
  ZN_FORWARD(Variant, TrqFrcStringUpdated, (int32_t id), (id))
  ZN_FORWARD(bool, UpdateDriveInfo, (), ())
  ZN_FORWARD(std::shared_ptr<UserUnitObj>, UserPositionUnit, (), ())
  ZN_FORWARD(std::shared_ptr<UserUnitObj>, UserVelocityUnit, (), ())
  ZN_FORWARD(std::shared_ptr<UserUnitObj>, UserTorqueUnit, (), ())
  ZN_FORWARD(std::shared_ptr<Collection>, StepResList, (), ())
  ZN_FORWARD(std::shared_ptr<Collection>, StimulusList, (), ())
  ZN_FORWARD(void, SetUserID, (const std::string& v), (v))
  ZN_FORWARD(std::string, UserID, (), ())
  ZN_FORWARD(std::shared_ptr<ValueObj>, VelocityMeasured, (), ())
  ZN_FORWARD(int32_t, WakeupDrive, (std::shared_ptr<Collection> d, int32_t & n), (d, n))
#undef ZN_FORWARD

 private:
  std::shared_ptr<PhysDriveObj> inert_;
};

TEST(DefaultDrive, ReadsAnswerZeroValues) {
  const auto d = PhysDriveObj::create();
  EXPECT_EQ(d->ClassName(), "PhysDriveObj");
  EXPECT_FALSE(d->ACin());
  EXPECT_EQ(d->Address(), 0);
  EXPECT_EQ(d->ConfigReg(), nullptr);
  EXPECT_EQ(d->StatusReg(), nullptr);
  EXPECT_EQ(d->OptionReg(), nullptr);
  EXPECT_EQ(d->IOregister(), nullptr);
  EXPECT_EQ(d->ErrorCodeReg(), nullptr);
  EXPECT_EQ(d->StimulusState(), nullptr);
  EXPECT_EQ(d->MonitorState(1), nullptr);
  EXPECT_EQ(d->LogFile(), nullptr);
  EXPECT_EQ(d->SoundEvents(), nullptr);
  EXPECT_EQ(d->InputModeList(), nullptr);
  EXPECT_EQ(d->MonitorVariableList(2), nullptr);
  EXPECT_EQ(d->Parameter(7), nullptr);
  EXPECT_EQ(d->ParameterList(), nullptr);
  EXPECT_EQ(d->UserPositionUnit(), nullptr);
  EXPECT_EQ(d->DriveState(), DRIVE_UNKNOWN_STATE);
  EXPECT_EQ(d->DriveType(), Unknown);
  EXPECT_EQ(d->PollPriority(), POLL_STATUS_ONLY);
  EXPECT_EQ(d->DriveStateStr(), "");
  EXPECT_EQ(d->FirmwareVersionCode(), 0);
  EXPECT_EQ(d->ScenarioMax(), 0);
  EXPECT_FALSE(d->ParamExists(1));
  EXPECT_TRUE(d->TrqFrcStringUpdated(3118).IsEmpty());
}

TEST(DefaultDrive, WritesAndActionsLeaveNoTrace) {
  const auto d = PhysDriveObj::create();
  d->SetAddress(5);
  d->SetDemoMode(true);
  d->SetMotorFileName("motor.mtr");
  d->SetMotorConfigChanged(true);
  d->SetPollPriority(POLL_ALL);
  d->SetUserID("me");
  d->SetAppLockLevel(nullptr);
  d->AddToPosition(100);
  d->ResetDrive();
  EXPECT_EQ(d->Address(), 0);
  EXPECT_FALSE(d->DemoMode());
  EXPECT_EQ(d->MotorFileName(), "");
  EXPECT_FALSE(d->MotorConfigChanged());
  EXPECT_EQ(d->PollPriority(), POLL_STATUS_ONLY);
  EXPECT_EQ(d->UserID(), "");

  // Any command answers nothing, and by-reference arguments come back untouched.
  std::string cmd = "RV 9";
  EXPECT_EQ(d->RunCommand(cmd), "");
  EXPECT_EQ(d->RunCommand(cmd, 5, false), "");
  EXPECT_EQ(cmd, "RV 9");
  std::string path = "a.cfg";
  EXPECT_FALSE(d->SystemFileExists(path));
  d->SystemFileSave(path);
  EXPECT_EQ(path, "a.cfg");
  EXPECT_EQ(d->TrqFrcString(path), "");
  int32_t found = 3;
  EXPECT_EQ(d->WakeupDrive(Collection::create(), found), 0);
  EXPECT_EQ(found, 3);
}

TEST(DriveInterface, DeclaredDefaultsReachAnImplementation) {
  std::shared_ptr<PhysDriveObj> d = std::make_shared<RecordingDrive>(PhysDriveObj::create());
  std::string cmd = "RV";
  EXPECT_EQ(d->RunCommand(cmd), "50 throw");
  EXPECT_EQ(cmd, "RV!");  // written back through the reference
  EXPECT_EQ(d->RunCommand(cmd, 7), "7 throw");
  std::string path;
  d->MotorFileLoad(path);
  EXPECT_EQ(path, "asked");
}

TEST(DriveInterface, TheFactoryCreatesTheInertDrive) {
  const auto o = CreateObject("{04963D3F-F3CE-4AE2-A13A-2586C808A84D}");
  const auto d = std::dynamic_pointer_cast<PhysDriveObj>(o);
  ASSERT_NE(d, nullptr);
  EXPECT_FALSE(d->Online());
}

}  // namespace
}  // namespace zentnet

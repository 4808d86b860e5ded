// A client's own drive object, as the core sees it.

#include "ForeignCaller.h"
#include "zentnet/contracts/PhysDriveObj.h"
#include "zentnet/registers/ConfigRegObj.h"
#include "zentnet/registers/ErrorCodeObj.h"
#include "zentnet/registers/IOregisterObj.h"
#include "zentnet/registers/OptionRegObj.h"
#include "zentnet/registers/StatusRegObj.h"
#include "zentnet/services/CmdLog.h"
#include "zentnet/services/SoundEventsObj.h"
#include "zentnet/testsignal/MonitorPortStateObj.h"
#include "zentnet/testsignal/StimulusStateObj.h"

namespace zentnet::com {
namespace {

class ForeignPhysDriveObj final : public PhysDriveObj, public ForeignCaller {
 public:
  explicit ForeignPhysDriveObj(IDispatch* dispatch)
      : ForeignCaller(dispatch, __uuidof(_PhysDriveObj)) {}

  bool ACin() override { return Get<bool>("ACin"); }
  void SetAddress(int32_t value) override { return Let("Address", value); }
  int32_t Address() override { return Get<int32_t>("Address"); }
  void AddToPosition(int32_t increment) override { return Do("AddToPosition", increment); }
  std::shared_ptr<Collection> SteadixList() override {
    return Get<std::shared_ptr<Collection>>("SteadixList");
  }
  void SetAppLockLevel(std::shared_ptr<LockLevelObj> value) override {
    return SetRef("AppLockLevel", value);
  }
  bool CanMoveDone() override { return Get<bool>("CanMoveDone"); }
  int32_t CommPort() override { return Get<int32_t>("CommPort"); }
  std::shared_ptr<ConfigRegObj> ConfigReg() override {
    return Get<std::shared_ptr<ConfigRegObj>>("ConfigReg");
  }
  void SetDemoMode(bool value) override { return Let("DemoMode", value); }
  bool DemoMode() override { return Get<bool>("DemoMode"); }
  DriveStates DriveState() override { return Get<DriveStates>("DriveState"); }
  std::string DriveStateStr() override { return Get<std::string>("DriveStateStr"); }
  PhysDriveType DriveType() override { return Get<PhysDriveType>("DriveType"); }
  bool Enabled() override { return Get<bool>("Enabled"); }
  std::shared_ptr<Collection> EncAndStepFilterList() override {
    return Get<std::shared_ptr<Collection>>("EncAndStepFilterList");
  }
  std::shared_ptr<ErrorCodeObj> ErrorCodeReg() override {
    return Get<std::shared_ptr<ErrorCodeObj>>("ErrorCodeReg");
  }
  std::shared_ptr<Collection> FilterClockList() override {
    return Get<std::shared_ptr<Collection>>("FilterClockList");
  }
  std::string FirmwareName() override { return Get<std::string>("FirmwareName"); }
  std::string FirmwareID() override { return Get<std::string>("FirmwareID"); }
  std::string FirmwareVersionStr() override { return Get<std::string>("FirmwareVersionStr"); }
  std::string FirmwareVersion() override { return Get<std::string>("FirmwareVersion"); }
  int32_t FirmwareVersionCode() override { return Get<int32_t>("FirmwareVersionCode"); }
  bool HasFlash() override { return Get<bool>("HasFlash"); }
  std::shared_ptr<Collection> HighLevelFeedbackList() override {
    return Get<std::shared_ptr<Collection>>("HighLevelFeedbackList");
  }
  void InitializeNonVolatile() override { return Do("InitializeNonVolatile"); }
  std::shared_ptr<Collection> InputModeList() override {
    return Get<std::shared_ptr<Collection>>("InputModeList");
  }
  std::shared_ptr<IOregisterObj> IOregister() override {
    return Get<std::shared_ptr<IOregisterObj>>("IOregister");
  }
  bool IsLumoType() override { return Do<bool>("IsLumoType"); }
  std::shared_ptr<CmdLog> LogFile() override { return Get<std::shared_ptr<CmdLog>>("LogFile"); }
  void SetLogFile(std::shared_ptr<CmdLog> value) override { return SetRef("LogFile", value); }
  std::shared_ptr<Collection> ModeLineFoldbackList() override {
    return Get<std::shared_ptr<Collection>>("ModeLineFoldbackList");
  }
  std::string ModeLineStr() override { return Get<std::string>("ModeLineStr"); }
  std::shared_ptr<Collection> MonitorVariableList(int32_t Channel) override {
    return Get<std::shared_ptr<Collection>>("MonitorVariableList", Channel);
  }
  std::shared_ptr<MonitorPortStateObj> MonitorState(int32_t Channel) override {
    return Get<std::shared_ptr<MonitorPortStateObj>>("MonitorState", Channel);
  }
  std::string ModelString() override { return Get<std::string>("ModelString"); }
  bool MotorFileExists(std::string& thePath) override {
    return Do<bool>("MotorFileExists", InOut{thePath});
  }
  void MotorFileLoad(std::string& filePath, bool interactive) override {
    return Do("MotorFileLoad", InOut{filePath}, interactive);
  }
  void SetMotorFileName(const std::string& value) override { return Let("MotorFileName", value); }
  std::string MotorFileName() override { return Get<std::string>("MotorFileName"); }
  void MotorFileSave(std::string& filePath, bool interactive) override {
    return Do("MotorFileSave", InOut{filePath}, interactive);
  }
  std::shared_ptr<Collection> MotorStyleList() override {
    return Get<std::shared_ptr<Collection>>("MotorStyleList");
  }
  void SetMotorConfigChanged(bool value) override { return Let("MotorConfigChanged", value); }
  bool MotorConfigChanged() override { return Get<bool>("MotorConfigChanged"); }
  bool Online() override { return Get<bool>("Online"); }
  std::shared_ptr<OptionRegObj> OptionReg() override {
    return Get<std::shared_ptr<OptionRegObj>>("OptionReg");
  }
  bool ParamExists(ParamNumber pNum) override { return Do<bool>("ParamExists", pNum); }
  std::shared_ptr<ValueObj> Parameter(ParamNumber pNum) override {
    return Get<std::shared_ptr<ValueObj>>("Parameter", pNum);
  }
  std::shared_ptr<Object> ParameterList() override {
    return Get<std::shared_ptr<Object>>("ParameterList");
  }
  std::shared_ptr<ValueObj> ParameterValueObj(int32_t DriveParamNum) override {
    return Get<std::shared_ptr<ValueObj>>("ParameterValueObj", DriveParamNum);
  }
  void SetPollPriority(PhysPollType value) override { return Let("PollPriority", value); }
  PhysPollType PollPriority() override { return Get<PhysPollType>("PollPriority"); }
  std::shared_ptr<ValueObj> PositionMeasured() override {
    return Get<std::shared_ptr<ValueObj>>("PositionMeasured");
  }
  std::shared_ptr<Collection> VEXlist() override {
    return Get<std::shared_ptr<Collection>>("VEXlist");
  }
  int32_t ReAddressNetwork() override { return Do<int32_t>("ReAddressNetwork"); }
  bool Ready() override { return Get<bool>("Ready"); }
  void ReEnable() override { return Do("ReEnable"); }
  void ResetDrive() override { return Do("ResetDrive"); }
  void ResetNetwork() override { return Do("ResetNetwork"); }
  void ResetParamUpdateIndicator() override { return Do("ResetParamUpdateIndicator"); }
  std::shared_ptr<ValueObj> RMSlevel() override {
    return Get<std::shared_ptr<ValueObj>>("RMSlevel");
  }
  std::shared_ptr<ValueObj> RMSpeak() override { return Get<std::shared_ptr<ValueObj>>("RMSpeak"); }
  std::string RunCommand(std::string& baseCmd, int32_t timeOut, bool throwErr) override {
    return Do<std::string>("RunCommand", InOut{baseCmd}, timeOut, throwErr);
  }
  void RunPollCycle() override { return Do("RunPollCycle"); }
  bool ScenarioExists(int32_t slot) override { return Get<bool>("ScenarioExists", slot); }
  int32_t ScenarioMax() override { return Get<int32_t>("ScenarioMax"); }
  void ScenarioRecall(int32_t slot) override { return Do("ScenarioRecall", slot); }
  void ScenarioStore(int32_t slot) override { return Do("ScenarioStore", slot); }
  void SetupUndo() override { return Do("SetupUndo"); }
  bool SetupUndoAvailable() override { return Do<bool>("SetupUndoAvailable"); }
  void SetupUndoSaveState() override { return Do("SetupUndoSaveState"); }
  void SetupVelocityTuning() override { return Do("SetupVelocityTuning"); }
  void SetupStepResponseView() override { return Do("SetupStepResponseView"); }
  void SetupPositionTuning() override { return Do("SetupPositionTuning"); }
  bool Shutdown() override { return Get<bool>("Shutdown"); }
  void SetSoundEvents(std::shared_ptr<SoundEventsObj> value) override {
    return SetRef("SoundEvents", value);
  }
  std::shared_ptr<SoundEventsObj> SoundEvents() override {
    return Get<std::shared_ptr<SoundEventsObj>>("SoundEvents");
  }
  std::shared_ptr<StatusRegObj> StatusReg() override {
    return Get<std::shared_ptr<StatusRegObj>>("StatusReg");
  }
  std::shared_ptr<StimulusStateObj> StimulusState() override {
    return Get<std::shared_ptr<StimulusStateObj>>("StimulusState");
  }
  std::shared_ptr<Collection> SyncPulseList() override {
    return Get<std::shared_ptr<Collection>>("SyncPulseList");
  }
  bool SystemFileExists(std::string& thePath) override {
    return Do<bool>("SystemFileExists", InOut{thePath});
  }
  void SystemFileLoad(std::string& filePath, bool interactive) override {
    return Do("SystemFileLoad", InOut{filePath}, interactive);
  }
  void SystemFileSave(std::string& filePath, bool interactive) override {
    return Do("SystemFileSave", InOut{filePath}, interactive);
  }
  std::string TrqFrcString(std::string& markedStr) override {
    return Do<std::string>("TrqFrcString", InOut{markedStr});
  }
  Variant TrqFrcStringUpdated(int32_t resID) override {
    return Do<Variant>("TrqFrcStringUpdated", resID);
  }
  bool UpdateDriveInfo() override { return Do<bool>("UpdateDriveInfo"); }
  std::shared_ptr<UserUnitObj> UserPositionUnit() override {
    return Get<std::shared_ptr<UserUnitObj>>("UserPositionUnit");
  }
  std::shared_ptr<UserUnitObj> UserVelocityUnit() override {
    return Get<std::shared_ptr<UserUnitObj>>("UserVelocityUnit");
  }
  std::shared_ptr<UserUnitObj> UserTorqueUnit() override {
    return Get<std::shared_ptr<UserUnitObj>>("UserTorqueUnit");
  }
  std::shared_ptr<Collection> StepResList() override {
    return Get<std::shared_ptr<Collection>>("StepResList");
  }
  std::shared_ptr<Collection> StimulusList() override {
    return Get<std::shared_ptr<Collection>>("StimulusList");
  }
  void SetUserID(const std::string& value) override { return Let("UserID", value); }
  std::string UserID() override { return Get<std::string>("UserID"); }
  std::shared_ptr<ValueObj> VelocityMeasured() override {
    return Get<std::shared_ptr<ValueObj>>("VelocityMeasured");
  }
  int32_t WakeupDrive(std::shared_ptr<Collection> Drives, int32_t& nDrivesDetected) override {
    return Do<int32_t>("WakeupDrive", Drives, InOut{nDrivesDetected});
  }
};
const RegisteredAdapter<PhysDriveObj, ForeignPhysDriveObj> kRegistered;

}  // namespace
}  // namespace zentnet::com

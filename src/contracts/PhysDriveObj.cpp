#include "zentnet/contracts/PhysDriveObj.h"

namespace zentnet {

namespace {

// The library's own drive object: a drive that is not there. Reads answer the zero value
// of their type, writes and actions leave no trace, and by-reference arguments come back
// as they went in.
class DefaultPhysDriveObj final : public PhysDriveObj {
 public:
  bool ACin() override { return false; }
  void SetAddress(int32_t /*value*/) override {}
  int32_t Address() override { return 0; }
  void AddToPosition(int32_t /*increment*/) override {}
  std::shared_ptr<Collection> SteadixList() override { return nullptr; }
  void SetAppLockLevel(std::shared_ptr<LockLevelObj> /*value*/) override {}
  bool CanMoveDone() override { return false; }
  int32_t CommPort() override { return 0; }
  std::shared_ptr<ConfigRegObj> ConfigReg() override { return nullptr; }
  void SetDemoMode(bool /*value*/) override {}
  bool DemoMode() override { return false; }
  DriveStates DriveState() override { return DRIVE_UNKNOWN_STATE; }
  std::string DriveStateStr() override { return {}; }
  PhysDriveType DriveType() override { return Unknown; }
  bool Enabled() override { return false; }
  std::shared_ptr<Collection> EncAndStepFilterList() override { return nullptr; }
  std::shared_ptr<ErrorCodeObj> ErrorCodeReg() override { return nullptr; }
  std::shared_ptr<Collection> FilterClockList() override { return nullptr; }
  std::string FirmwareName() override { return {}; }
  std::string FirmwareID() override { return {}; }
  std::string FirmwareVersionStr() override { return {}; }
  std::string FirmwareVersion() override { return {}; }
  int32_t FirmwareVersionCode() override { return 0; }
  bool HasFlash() override { return false; }
  std::shared_ptr<Collection> HighLevelFeedbackList() override { return nullptr; }
  void InitializeNonVolatile() override {}
  std::shared_ptr<Collection> InputModeList() override { return nullptr; }
  std::shared_ptr<IOregisterObj> IOregister() override { return nullptr; }
  bool IsLumoType() override { return false; }
  std::shared_ptr<CmdLog> LogFile() override { return nullptr; }
  void SetLogFile(std::shared_ptr<CmdLog> /*value*/) override {}
  std::shared_ptr<Collection> ModeLineFoldbackList() override { return nullptr; }
  std::string ModeLineStr() override { return {}; }
  std::shared_ptr<Collection> MonitorVariableList(int32_t /*Channel*/) override { return nullptr; }
  std::shared_ptr<MonitorPortStateObj> MonitorState(int32_t /*Channel*/) override { return nullptr; }
  std::string ModelString() override { return {}; }
  bool MotorFileExists(std::string& /*thePath*/) override { return false; }
  void MotorFileLoad(std::string& /*filePath*/, bool /*interactive*/) override {}
  void SetMotorFileName(const std::string& /*value*/) override {}
  std::string MotorFileName() override { return {}; }
  void MotorFileSave(std::string& /*filePath*/, bool /*interactive*/) override {}
  std::shared_ptr<Collection> MotorStyleList() override { return nullptr; }
  void SetMotorConfigChanged(bool /*value*/) override {}
  bool MotorConfigChanged() override { return false; }
  bool Online() override { return false; }
  std::shared_ptr<OptionRegObj> OptionReg() override { return nullptr; }
  bool ParamExists(ParamNumber /*pNum*/) override { return false; }
  std::shared_ptr<ValueObj> Parameter(ParamNumber /*pNum*/) override { return nullptr; }
  std::shared_ptr<Object> ParameterList() override { return nullptr; }
  std::shared_ptr<ValueObj> ParameterValueObj(int32_t /*DriveParamNum*/) override { return nullptr; }
  void SetPollPriority(PhysPollType /*value*/) override {}
  PhysPollType PollPriority() override { return POLL_STATUS_ONLY; }
  std::shared_ptr<ValueObj> PositionMeasured() override { return nullptr; }
  std::shared_ptr<Collection> VEXlist() override { return nullptr; }
  int32_t ReAddressNetwork() override { return 0; }
  bool Ready() override { return false; }
  void ReEnable() override {}
  void ResetDrive() override {}
  void ResetNetwork() override {}
  void ResetParamUpdateIndicator() override {}
  std::shared_ptr<ValueObj> RMSlevel() override { return nullptr; }
  std::shared_ptr<ValueObj> RMSpeak() override { return nullptr; }
  std::string RunCommand(std::string& /*baseCmd*/, int32_t /*timeOut*/, bool /*throwErr*/) override {
    return {};
  }
  void RunPollCycle() override {}
  bool ScenarioExists(int32_t /*slot*/) override { return false; }
  int32_t ScenarioMax() override { return 0; }
  void ScenarioRecall(int32_t /*slot*/) override {}
  void ScenarioStore(int32_t /*slot*/) override {}
  void SetupUndo() override {}
  bool SetupUndoAvailable() override { return false; }
  void SetupUndoSaveState() override {}
  void SetupVelocityTuning() override {}
  void SetupStepResponseView() override {}
  void SetupPositionTuning() override {}
  bool Shutdown() override { return false; }
  void SetSoundEvents(std::shared_ptr<SoundEventsObj> /*value*/) override {}
  std::shared_ptr<SoundEventsObj> SoundEvents() override { return nullptr; }
  std::shared_ptr<StatusRegObj> StatusReg() override { return nullptr; }
  std::shared_ptr<StimulusStateObj> StimulusState() override { return nullptr; }
  std::shared_ptr<Collection> SyncPulseList() override { return nullptr; }
  bool SystemFileExists(std::string& /*thePath*/) override { return false; }
  void SystemFileLoad(std::string& /*filePath*/, bool /*interactive*/) override {}
  void SystemFileSave(std::string& /*filePath*/, bool /*interactive*/) override {}
  std::string TrqFrcString(std::string& /*markedStr*/) override { return {}; }
  Variant TrqFrcStringUpdated(int32_t /*resID*/) override { return Variant::Empty(); }
  bool UpdateDriveInfo() override { return false; }
  std::shared_ptr<UserUnitObj> UserPositionUnit() override { return nullptr; }
  std::shared_ptr<UserUnitObj> UserVelocityUnit() override { return nullptr; }
  std::shared_ptr<UserUnitObj> UserTorqueUnit() override { return nullptr; }
  std::shared_ptr<Collection> StepResList() override { return nullptr; }
  std::shared_ptr<Collection> StimulusList() override { return nullptr; }
  void SetUserID(const std::string& /*value*/) override {}
  std::string UserID() override { return {}; }
  std::shared_ptr<ValueObj> VelocityMeasured() override { return nullptr; }
  int32_t WakeupDrive(std::shared_ptr<Collection> /*Drives*/, int32_t& /*nDrivesDetected*/) override {
    return 0;
  }
};

}  // namespace

std::shared_ptr<PhysDriveObj> PhysDriveObj::create() {
  return std::make_shared<DefaultPhysDriveObj>();
}

}  // namespace zentnet

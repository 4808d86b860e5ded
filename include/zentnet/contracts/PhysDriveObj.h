#pragma once
// The interface every drive object exposes. Drive libraries implement it on their own
// objects; this library only fixes the member list, its order and the types, and offers an
// inert default object (create()) whose reads answer the zero value of their type and
// whose writes and actions do nothing.
//
// Members are declared in slot order; a read-write property's write comes first where the
// published interface puts it first ("Let, Get"), and after the read for LogFile ("Get,
// Set"). By-reference text parameters are non-const references because the implementing
// drive library may write back into them. Objects of classes this header does not need to
// see are only declared here.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "zentnet/automation/collection.h"
#include "zentnet/automation/object.h"
#include "zentnet/automation/variant.h"
#include "zentnet/contracts/enums.h"
#include "zentnet/contracts/value_contract.h"

namespace zentnet {

class ConfigRegObj;
class StatusRegObj;
class OptionRegObj;
class IOregisterObj;
class ErrorCodeObj;
class StimulusStateObj;
class MonitorPortStateObj;
class CmdLog;
class SoundEventsObj;

// A drive parameter number, as the value-object component numbers them. An alias rather
// than an enumeration: the component publishes no named numbers, any 32-bit value is a
// valid argument, and an alias may be declared again by any header that needs it.
using ParamNumber = int32_t;

// The value-object component's user-unit object (the units a window shows positions,
// velocities and torques in). Its members belong to the drive library that supplies it.
class UserUnitObj : public Object {
 public:
  std::string_view ClassName() const override = 0;
};

class PhysDriveObj : public Object {
 public:
  // The library's inert drive object (InertPhysDriveObj).
  static std::shared_ptr<PhysDriveObj> create();

  std::string_view ClassName() const override { return "PhysDriveObj"; }

  virtual bool ACin() = 0;
  virtual void SetAddress(int32_t value) = 0;
  virtual int32_t Address() = 0;
  virtual void AddToPosition(int32_t increment) = 0;
  virtual std::shared_ptr<Collection> SteadixList() = 0;
  virtual void SetAppLockLevel(std::shared_ptr<LockLevelObj> value) = 0;
  virtual bool CanMoveDone() = 0;
  virtual int32_t CommPort() = 0;
  virtual std::shared_ptr<ConfigRegObj> ConfigReg() = 0;
  virtual void SetDemoMode(bool value) = 0;
  virtual bool DemoMode() = 0;
  virtual DriveStates DriveState() = 0;
  virtual std::string DriveStateStr() = 0;
  virtual PhysDriveType DriveType() = 0;
  virtual bool Enabled() = 0;
  virtual std::shared_ptr<Collection> EncAndStepFilterList() = 0;
  virtual std::shared_ptr<ErrorCodeObj> ErrorCodeReg() = 0;
  virtual std::shared_ptr<Collection> FilterClockList() = 0;
  virtual std::string FirmwareName() = 0;
  virtual std::string FirmwareID() = 0;
  virtual std::string FirmwareVersionStr() = 0;
  virtual std::string FirmwareVersion() = 0;
  virtual int32_t FirmwareVersionCode() = 0;
  virtual bool HasFlash() = 0;
  virtual std::shared_ptr<Collection> HighLevelFeedbackList() = 0;
  virtual void InitializeNonVolatile() = 0;
  virtual std::shared_ptr<Collection> InputModeList() = 0;
  virtual std::shared_ptr<IOregisterObj> IOregister() = 0;
  virtual bool IsLumoType() = 0;
  virtual std::shared_ptr<CmdLog> LogFile() = 0;
  virtual void SetLogFile(std::shared_ptr<CmdLog> value) = 0;
  virtual std::shared_ptr<Collection> ModeLineFoldbackList() = 0;
  virtual std::string ModeLineStr() = 0;
  virtual std::shared_ptr<Collection> MonitorVariableList(int32_t Channel) = 0;
  virtual std::shared_ptr<MonitorPortStateObj> MonitorState(int32_t Channel) = 0;
  virtual std::string ModelString() = 0;
  virtual bool MotorFileExists(std::string& thePath) = 0;
  virtual void MotorFileLoad(std::string& filePath, bool interactive = true) = 0;
  virtual void SetMotorFileName(const std::string& value) = 0;
  virtual std::string MotorFileName() = 0;
  virtual void MotorFileSave(std::string& filePath, bool interactive = true) = 0;
  virtual std::shared_ptr<Collection> MotorStyleList() = 0;
  virtual void SetMotorConfigChanged(bool value) = 0;
  virtual bool MotorConfigChanged() = 0;
  virtual bool Online() = 0;
  virtual std::shared_ptr<OptionRegObj> OptionReg() = 0;
  virtual bool ParamExists(ParamNumber pNum) = 0;
  virtual std::shared_ptr<ValueObj> Parameter(ParamNumber pNum) = 0;
  // The scripting runtime's dictionary of the drive's parameters, bound late.
  virtual std::shared_ptr<Object> ParameterList() = 0;
  virtual std::shared_ptr<ValueObj> ParameterValueObj(int32_t DriveParamNum) = 0;
  virtual void SetPollPriority(PhysPollType value) = 0;
  virtual PhysPollType PollPriority() = 0;
  virtual std::shared_ptr<ValueObj> PositionMeasured() = 0;
  virtual std::shared_ptr<Collection> VEXlist() = 0;
  virtual int32_t ReAddressNetwork() = 0;
  virtual bool Ready() = 0;
  virtual void ReEnable() = 0;
  virtual void ResetDrive() = 0;
  virtual void ResetNetwork() = 0;
  virtual void ResetParamUpdateIndicator() = 0;
  virtual std::shared_ptr<ValueObj> RMSlevel() = 0;
  virtual std::shared_ptr<ValueObj> RMSpeak() = 0;
  virtual std::string RunCommand(std::string& baseCmd, int32_t timeOut = 50,
                                 bool throwErr = true) = 0;
  virtual void RunPollCycle() = 0;
  virtual bool ScenarioExists(int32_t slot) = 0;
  virtual int32_t ScenarioMax() = 0;
  virtual void ScenarioRecall(int32_t slot) = 0;
  virtual void ScenarioStore(int32_t slot) = 0;
  virtual void SetupUndo() = 0;
  virtual bool SetupUndoAvailable() = 0;
  virtual void SetupUndoSaveState() = 0;
  virtual void SetupVelocityTuning() = 0;
  virtual void SetupStepResponseView() = 0;
  virtual void SetupPositionTuning() = 0;
  virtual bool Shutdown() = 0;
  virtual void SetSoundEvents(std::shared_ptr<SoundEventsObj> value) = 0;
  virtual std::shared_ptr<SoundEventsObj> SoundEvents() = 0;
  virtual std::shared_ptr<StatusRegObj> StatusReg() = 0;
  virtual std::shared_ptr<StimulusStateObj> StimulusState() = 0;
  virtual std::shared_ptr<Collection> SyncPulseList() = 0;
  virtual bool SystemFileExists(std::string& thePath) = 0;
  virtual void SystemFileLoad(std::string& filePath, bool interactive = true) = 0;
  virtual void SystemFileSave(std::string& filePath, bool interactive = true) = 0;
  virtual std::string TrqFrcString(std::string& markedStr) = 0;
  virtual Variant TrqFrcStringUpdated(int32_t resID) = 0;
  virtual bool UpdateDriveInfo() = 0;
  virtual std::shared_ptr<UserUnitObj> UserPositionUnit() = 0;
  virtual std::shared_ptr<UserUnitObj> UserVelocityUnit() = 0;
  virtual std::shared_ptr<UserUnitObj> UserTorqueUnit() = 0;
  virtual std::shared_ptr<Collection> StepResList() = 0;
  virtual std::shared_ptr<Collection> StimulusList() = 0;
  virtual void SetUserID(const std::string& value) = 0;
  virtual std::string UserID() = 0;
  virtual std::shared_ptr<ValueObj> VelocityMeasured() = 0;
  virtual int32_t WakeupDrive(std::shared_ptr<Collection> Drives, int32_t& nDrivesDetected) = 0;

  // The members above that write a by-reference argument back, with temporaries: what the
  // drive writes back goes nowhere. A class that overrides one brings these back into view
  // with ZENTNET_DRIVE_TEMPORARIES.
  bool MotorFileExists(std::string&& thePath) { return MotorFileExists(thePath); }
  void MotorFileLoad(std::string&& filePath, bool interactive = true) {
    MotorFileLoad(filePath, interactive);
  }
  void MotorFileSave(std::string&& filePath, bool interactive = true) {
    MotorFileSave(filePath, interactive);
  }
  std::string RunCommand(std::string&& baseCmd, int32_t timeOut = 50, bool throwErr = true) {
    return RunCommand(baseCmd, timeOut, throwErr);
  }
  bool SystemFileExists(std::string&& thePath) { return SystemFileExists(thePath); }
  void SystemFileLoad(std::string&& filePath, bool interactive = true) {
    SystemFileLoad(filePath, interactive);
  }
  void SystemFileSave(std::string&& filePath, bool interactive = true) {
    SystemFileSave(filePath, interactive);
  }
  std::string TrqFrcString(std::string&& markedStr) { return TrqFrcString(markedStr); }
  int32_t WakeupDrive(std::shared_ptr<Collection> Drives, int32_t&& nDrivesDetected) {
    return WakeupDrive(std::move(Drives), nDrivesDetected);
  }
};

// clang-format off
#define ZENTNET_DRIVE_TEMPORARIES(Base)                                                   \
  using Base::MotorFileExists; using Base::MotorFileLoad; using Base::MotorFileSave;      \
  using Base::RunCommand; using Base::SystemFileExists; using Base::SystemFileLoad;       \
  using Base::SystemFileSave; using Base::TrqFrcString; using Base::WakeupDrive
// clang-format on

// The library's own drive object: a drive that is not there. Reads answer the zero value
// of their type, writes and actions leave no trace, and by-reference arguments come back
// as they went in. Not final: an implementation may start from it and override only the
// members it has.
class InertPhysDriveObj : public PhysDriveObj {
 public:
  ZENTNET_DRIVE_TEMPORARIES(PhysDriveObj);
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
  std::shared_ptr<MonitorPortStateObj> MonitorState(int32_t /*Channel*/) override {
    return nullptr;
  }
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
  std::shared_ptr<ValueObj> ParameterValueObj(int32_t /*DriveParamNum*/) override {
    return nullptr;
  }
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
  std::string RunCommand(std::string& /*baseCmd*/, int32_t /*timeOut*/,
                         bool /*throwErr*/) override {
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
  int32_t WakeupDrive(std::shared_ptr<Collection> /*Drives*/,
                      int32_t& /*nDrivesDetected*/) override {
    return 0;
  }
};

}  // namespace zentnet

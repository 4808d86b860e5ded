// The library's own drive object (inert), and the skin of any drive object of the core.

#include "../skin/dual.h"
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

class PhysDriveObjSkin final : public Dual<PhysDriveObjSkin, _PhysDriveObj, PhysDriveObj> {
 public:
  static constexpr std::string_view kName = "PhysDriveObj";
  using Dual::Dual;

  HRESULT STDMETHODCALLTYPE get_ACin(VARIANT_BOOL* result) override {
    return Call(&Core::ACin, result);
  }
  HRESULT STDMETHODCALLTYPE put_Address(LONG value) override {
    return Call(&Core::SetAddress, value);
  }
  HRESULT STDMETHODCALLTYPE get_Address(LONG* result) override {
    return Call(&Core::Address, result);
  }
  HRESULT STDMETHODCALLTYPE AddToPosition(LONG increment) override {
    return Call(&Core::AddToPosition, increment);
  }
  HRESULT STDMETHODCALLTYPE get_SteadixList(_Collection** result) override {
    return Call(&Core::SteadixList, result);
  }
  HRESULT STDMETHODCALLTYPE putref_AppLockLevel(_LockLevelObj* value) override {
    return Call(&Core::SetAppLockLevel, value);
  }
  HRESULT STDMETHODCALLTYPE get_CanMoveDone(VARIANT_BOOL* result) override {
    return Call(&Core::CanMoveDone, result);
  }
  HRESULT STDMETHODCALLTYPE get_CommPort(LONG* result) override {
    return Call(&Core::CommPort, result);
  }
  HRESULT STDMETHODCALLTYPE get_ConfigReg(_ConfigRegObj** result) override {
    return Call(&Core::ConfigReg, result);
  }
  HRESULT STDMETHODCALLTYPE put_DemoMode(VARIANT_BOOL value) override {
    return Call(&Core::SetDemoMode, value);
  }
  HRESULT STDMETHODCALLTYPE get_DemoMode(VARIANT_BOOL* result) override {
    return Call(&Core::DemoMode, result);
  }
  HRESULT STDMETHODCALLTYPE get_DriveState(::DriveStates* result) override {
    return Call(&Core::DriveState, result);
  }
  HRESULT STDMETHODCALLTYPE get_DriveStateStr(BSTR* result) override {
    return Call(&Core::DriveStateStr, result);
  }
  HRESULT STDMETHODCALLTYPE get_DriveType(::PhysDriveType* result) override {
    return Call(&Core::DriveType, result);
  }
  HRESULT STDMETHODCALLTYPE get_Enabled(VARIANT_BOOL* result) override {
    return Call(&Core::Enabled, result);
  }
  HRESULT STDMETHODCALLTYPE get_EncAndStepFilterList(_Collection** result) override {
    return Call(&Core::EncAndStepFilterList, result);
  }
  HRESULT STDMETHODCALLTYPE get_ErrorCodeReg(_ErrorCodeObj** result) override {
    return Call(&Core::ErrorCodeReg, result);
  }
  HRESULT STDMETHODCALLTYPE get_FilterClockList(_Collection** result) override {
    return Call(&Core::FilterClockList, result);
  }
  HRESULT STDMETHODCALLTYPE get_FirmwareName(BSTR* result) override {
    return Call(&Core::FirmwareName, result);
  }
  HRESULT STDMETHODCALLTYPE get_FirmwareID(BSTR* result) override {
    return Call(&Core::FirmwareID, result);
  }
  HRESULT STDMETHODCALLTYPE get_FirmwareVersionStr(BSTR* result) override {
    return Call(&Core::FirmwareVersionStr, result);
  }
  HRESULT STDMETHODCALLTYPE get_FirmwareVersion(BSTR* result) override {
    return Call(&Core::FirmwareVersion, result);
  }
  HRESULT STDMETHODCALLTYPE get_FirmwareVersionCode(LONG* result) override {
    return Call(&Core::FirmwareVersionCode, result);
  }
  HRESULT STDMETHODCALLTYPE get_HasFlash(VARIANT_BOOL* result) override {
    return Call(&Core::HasFlash, result);
  }
  HRESULT STDMETHODCALLTYPE get_HighLevelFeedbackList(_Collection** result) override {
    return Call(&Core::HighLevelFeedbackList, result);
  }
  HRESULT STDMETHODCALLTYPE InitializeNonVolatile() override {
    return Call(&Core::InitializeNonVolatile);
  }
  HRESULT STDMETHODCALLTYPE get_InputModeList(_Collection** result) override {
    return Call(&Core::InputModeList, result);
  }
  HRESULT STDMETHODCALLTYPE get_IOregister(_IOregisterObj** result) override {
    return Call(&Core::IOregister, result);
  }
  HRESULT STDMETHODCALLTYPE IsLumoType(VARIANT_BOOL* result) override {
    return Call(&Core::IsLumoType, result);
  }
  HRESULT STDMETHODCALLTYPE get_LogFile(_CmdLog** result) override {
    return Call(&Core::LogFile, result);
  }
  HRESULT STDMETHODCALLTYPE putref_LogFile(_CmdLog* value) override {
    return Call(&Core::SetLogFile, value);
  }
  HRESULT STDMETHODCALLTYPE get_ModeLineFoldbackList(_Collection** result) override {
    return Call(&Core::ModeLineFoldbackList, result);
  }
  HRESULT STDMETHODCALLTYPE get_ModeLineStr(BSTR* result) override {
    return Call(&Core::ModeLineStr, result);
  }
  HRESULT STDMETHODCALLTYPE get_MonitorVariableList(LONG Channel, _Collection** result) override {
    return Call(&Core::MonitorVariableList, Channel, result);
  }
  HRESULT STDMETHODCALLTYPE get_MonitorState(LONG Channel, _MonitorPortStateObj** result) override {
    return Call(&Core::MonitorState, Channel, result);
  }
  HRESULT STDMETHODCALLTYPE get_ModelString(BSTR* result) override {
    return Call(&Core::ModelString, result);
  }
  HRESULT STDMETHODCALLTYPE MotorFileExists(BSTR* thePath, VARIANT_BOOL* result) override {
    return Call(Pick<std::string&>(&Core::MotorFileExists), thePath, result);
  }
  HRESULT STDMETHODCALLTYPE MotorFileLoad(BSTR* filePath, VARIANT_BOOL interactive) override {
    return Call(Pick<std::string&, bool>(&Core::MotorFileLoad), filePath, interactive);
  }
  HRESULT STDMETHODCALLTYPE put_MotorFileName(BSTR value) override {
    return Call(&Core::SetMotorFileName, value);
  }
  HRESULT STDMETHODCALLTYPE get_MotorFileName(BSTR* result) override {
    return Call(&Core::MotorFileName, result);
  }
  HRESULT STDMETHODCALLTYPE MotorFileSave(BSTR* filePath, VARIANT_BOOL interactive) override {
    return Call(Pick<std::string&, bool>(&Core::MotorFileSave), filePath, interactive);
  }
  HRESULT STDMETHODCALLTYPE get_MotorStyleList(_Collection** result) override {
    return Call(&Core::MotorStyleList, result);
  }
  HRESULT STDMETHODCALLTYPE put_MotorConfigChanged(VARIANT_BOOL value) override {
    return Call(&Core::SetMotorConfigChanged, value);
  }
  HRESULT STDMETHODCALLTYPE get_MotorConfigChanged(VARIANT_BOOL* result) override {
    return Call(&Core::MotorConfigChanged, result);
  }
  HRESULT STDMETHODCALLTYPE get_Online(VARIANT_BOOL* result) override {
    return Call(&Core::Online, result);
  }
  HRESULT STDMETHODCALLTYPE get_OptionReg(_OptionRegObj** result) override {
    return Call(&Core::OptionReg, result);
  }
  HRESULT STDMETHODCALLTYPE ParamExists(::ParamNumber pNum, VARIANT_BOOL* result) override {
    return Call(&Core::ParamExists, pNum, result);
  }
  HRESULT STDMETHODCALLTYPE get_Parameter(::ParamNumber pNum, _ValueObj** result) override {
    return Call(&Core::Parameter, pNum, result);
  }
  HRESULT STDMETHODCALLTYPE get_ParameterList(IDispatch** result) override {
    return Call(&Core::ParameterList, result);
  }
  HRESULT STDMETHODCALLTYPE get_ParameterValueObj(LONG DriveParamNum, _ValueObj** result) override {
    return Call(&Core::ParameterValueObj, DriveParamNum, result);
  }
  HRESULT STDMETHODCALLTYPE put_PollPriority(::PhysPollType value) override {
    return Call(&Core::SetPollPriority, value);
  }
  HRESULT STDMETHODCALLTYPE get_PollPriority(::PhysPollType* result) override {
    return Call(&Core::PollPriority, result);
  }
  HRESULT STDMETHODCALLTYPE get_PositionMeasured(_ValueObj** result) override {
    return Call(&Core::PositionMeasured, result);
  }
  HRESULT STDMETHODCALLTYPE get_VEXlist(_Collection** result) override {
    return Call(&Core::VEXlist, result);
  }
  HRESULT STDMETHODCALLTYPE ReAddressNetwork(LONG* result) override {
    return Call(&Core::ReAddressNetwork, result);
  }
  HRESULT STDMETHODCALLTYPE get_Ready(VARIANT_BOOL* result) override {
    return Call(&Core::Ready, result);
  }
  HRESULT STDMETHODCALLTYPE ReEnable() override { return Call(&Core::ReEnable); }
  HRESULT STDMETHODCALLTYPE ResetDrive() override { return Call(&Core::ResetDrive); }
  HRESULT STDMETHODCALLTYPE ResetNetwork() override { return Call(&Core::ResetNetwork); }
  HRESULT STDMETHODCALLTYPE ResetParamUpdateIndicator() override {
    return Call(&Core::ResetParamUpdateIndicator);
  }
  HRESULT STDMETHODCALLTYPE get_RMSlevel(_ValueObj** result) override {
    return Call(&Core::RMSlevel, result);
  }
  HRESULT STDMETHODCALLTYPE get_RMSpeak(_ValueObj** result) override {
    return Call(&Core::RMSpeak, result);
  }
  HRESULT STDMETHODCALLTYPE RunCommand(BSTR* baseCmd, LONG timeOut, VARIANT_BOOL throwErr,
                                       BSTR* result) override {
    return Call(Pick<std::string&, int32_t, bool>(&Core::RunCommand), baseCmd, timeOut, throwErr,
                result);
  }
  HRESULT STDMETHODCALLTYPE RunPollCycle() override { return Call(&Core::RunPollCycle); }
  HRESULT STDMETHODCALLTYPE get_ScenarioExists(LONG slot, VARIANT_BOOL* result) override {
    return Call(&Core::ScenarioExists, slot, result);
  }
  HRESULT STDMETHODCALLTYPE get_ScenarioMax(LONG* result) override {
    return Call(&Core::ScenarioMax, result);
  }
  HRESULT STDMETHODCALLTYPE ScenarioRecall(LONG slot) override {
    return Call(&Core::ScenarioRecall, slot);
  }
  HRESULT STDMETHODCALLTYPE ScenarioStore(LONG slot) override {
    return Call(&Core::ScenarioStore, slot);
  }
  HRESULT STDMETHODCALLTYPE SetupUndo() override { return Call(&Core::SetupUndo); }
  HRESULT STDMETHODCALLTYPE SetupUndoAvailable(VARIANT_BOOL* result) override {
    return Call(&Core::SetupUndoAvailable, result);
  }
  HRESULT STDMETHODCALLTYPE SetupUndoSaveState() override {
    return Call(&Core::SetupUndoSaveState);
  }
  HRESULT STDMETHODCALLTYPE SetupVelocityTuning() override {
    return Call(&Core::SetupVelocityTuning);
  }
  HRESULT STDMETHODCALLTYPE SetupStepResponseView() override {
    return Call(&Core::SetupStepResponseView);
  }
  HRESULT STDMETHODCALLTYPE SetupPositionTuning() override {
    return Call(&Core::SetupPositionTuning);
  }
  HRESULT STDMETHODCALLTYPE get_Shutdown(VARIANT_BOOL* result) override {
    return Call(&Core::Shutdown, result);
  }
  HRESULT STDMETHODCALLTYPE putref_SoundEvents(_SoundEventsObj* value) override {
    return Call(&Core::SetSoundEvents, value);
  }
  HRESULT STDMETHODCALLTYPE get_SoundEvents(_SoundEventsObj** result) override {
    return Call(&Core::SoundEvents, result);
  }
  HRESULT STDMETHODCALLTYPE get_StatusReg(_StatusRegObj** result) override {
    return Call(&Core::StatusReg, result);
  }
  HRESULT STDMETHODCALLTYPE get_StimulusState(_StimulusStateObj** result) override {
    return Call(&Core::StimulusState, result);
  }
  HRESULT STDMETHODCALLTYPE get_SyncPulseList(_Collection** result) override {
    return Call(&Core::SyncPulseList, result);
  }
  HRESULT STDMETHODCALLTYPE SystemFileExists(BSTR* thePath, VARIANT_BOOL* result) override {
    return Call(Pick<std::string&>(&Core::SystemFileExists), thePath, result);
  }
  HRESULT STDMETHODCALLTYPE SystemFileLoad(BSTR* filePath, VARIANT_BOOL interactive) override {
    return Call(Pick<std::string&, bool>(&Core::SystemFileLoad), filePath, interactive);
  }
  HRESULT STDMETHODCALLTYPE SystemFileSave(BSTR* filePath, VARIANT_BOOL interactive) override {
    return Call(Pick<std::string&, bool>(&Core::SystemFileSave), filePath, interactive);
  }
  HRESULT STDMETHODCALLTYPE TrqFrcString(BSTR* markedStr, BSTR* result) override {
    return Call(Pick<std::string&>(&Core::TrqFrcString), markedStr, result);
  }
  HRESULT STDMETHODCALLTYPE TrqFrcStringUpdated(LONG resID, VARIANT* result) override {
    return Call(&Core::TrqFrcStringUpdated, resID, result);
  }
  HRESULT STDMETHODCALLTYPE UpdateDriveInfo(VARIANT_BOOL* result) override {
    return Call(&Core::UpdateDriveInfo, result);
  }
  HRESULT STDMETHODCALLTYPE get_UserPositionUnit(_UserUnitObj** result) override {
    return Call(&Core::UserPositionUnit, result);
  }
  HRESULT STDMETHODCALLTYPE get_UserVelocityUnit(_UserUnitObj** result) override {
    return Call(&Core::UserVelocityUnit, result);
  }
  HRESULT STDMETHODCALLTYPE get_UserTorqueUnit(_UserUnitObj** result) override {
    return Call(&Core::UserTorqueUnit, result);
  }
  HRESULT STDMETHODCALLTYPE get_StepResList(_Collection** result) override {
    return Call(&Core::StepResList, result);
  }
  HRESULT STDMETHODCALLTYPE get_StimulusList(_Collection** result) override {
    return Call(&Core::StimulusList, result);
  }
  HRESULT STDMETHODCALLTYPE put_UserID(BSTR value) override {
    return Call(&Core::SetUserID, value);
  }
  HRESULT STDMETHODCALLTYPE get_UserID(BSTR* result) override {
    return Call(&Core::UserID, result);
  }
  HRESULT STDMETHODCALLTYPE get_VelocityMeasured(_ValueObj** result) override {
    return Call(&Core::VelocityMeasured, result);
  }
  HRESULT STDMETHODCALLTYPE WakeupDrive(_Collection* Drives, LONG* nDrivesDetected,
                                        LONG* result) override {
    return Call(Pick<std::shared_ptr<Collection>, int32_t&>(&Core::WakeupDrive), Drives,
                nDrivesDetected, result);
  }
};
const Registered<PhysDriveObjSkin> kRegistered;

}  // namespace
}  // namespace zentnet::com

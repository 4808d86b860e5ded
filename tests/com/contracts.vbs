' The library's published face as a script sees it: every class by ProgID, and the inert
' default objects behind the drive and root-object interfaces.

Option Explicit

Dim x, name, o, n

' Every class by its version-independent and its version 1 ProgID.
For Each name In Array("CmdLog", "DriveEventObj", "NetSupervisorObj", "ConfigRegObj", "ErrorCodeObj", _
    "IOregisterObj", "MonitorPortStateObj", "SoundEventsObj", "StatusRegObj", "StimulusStateObj", _
    "OptionRegObj", "NetAdapterObj", "HotKeyObj", "AppStateEventObj", "ErrReflector", "NetLib", "PhysDriveObj")
  For Each x In Array("", ".1")
    Set o = Nothing
    On Error Resume Next
    Set o = CreateObject("ZentNetLib." & name & x)
    CheckErr 0, "", "", "CreateObject ZentNetLib." & name & x
    On Error GoTo 0
    Check Not o Is Nothing, "ZentNetLib." & name & x & " made an object"
  Next
Next

' ---- The library's own drive object: every read a zero value, every write and call inert ---

Dim drv, hot, snd
Set drv = CreateObject("ZentNetLib.PhysDriveObj")
Set hot = CreateObject("ZentNetLib.HotKeyObj")
Set snd = CreateObject("ZentNetLib.SoundEventsObj")

drv.Address = 5 : drv.DemoMode = True : drv.MotorFileName = "motor.mtr" : drv.MotorConfigChanged = True
drv.PollPriority = 1 : drv.UserID = "user" : Set drv.SoundEvents = snd
Set drv.LogFile = CreateObject("ZentNetLib.CmdLog")
Set drv.AppLockLevel = CreateObject("ZentNetLib.StatusRegObj").LockLevelRef

n = 3
CheckRows "inert drive:", Array( _
  "ACin", drv.ACin, False, "Address", drv.Address, 0, "SteadixList", drv.SteadixList, Nothing, _
  "CanMoveDone", drv.CanMoveDone, False, "CommPort", drv.CommPort, 0, "ConfigReg", drv.ConfigReg, Nothing, _
  "DemoMode", drv.DemoMode, False, "DriveState", drv.DriveState, 0, "DriveStateStr", drv.DriveStateStr, "", _
  "DriveType", drv.DriveType, 0, "Enabled", drv.Enabled, False, _
  "EncAndStepFilterList", drv.EncAndStepFilterList, Nothing, "ErrorCodeReg", drv.ErrorCodeReg, Nothing, _
  "FilterClockList", drv.FilterClockList, Nothing, "FirmwareName", drv.FirmwareName, "", _
  "FirmwareID", drv.FirmwareID, "", "FirmwareVersionStr", drv.FirmwareVersionStr, "", _
  "FirmwareVersion", drv.FirmwareVersion, "", "FirmwareVersionCode", drv.FirmwareVersionCode, 0, _
  "HasFlash", drv.HasFlash, False, "HighLevelFeedbackList", drv.HighLevelFeedbackList, Nothing, _
  "InputModeList", drv.InputModeList, Nothing, "IOregister", drv.IOregister, Nothing, _
  "IsLumoType", drv.IsLumoType, False, "LogFile", drv.LogFile, Nothing, _
  "ModeLineFoldbackList", drv.ModeLineFoldbackList, Nothing, "ModeLineStr", drv.ModeLineStr, "", _
  "MonitorVariableList(1)", drv.MonitorVariableList(1), Nothing, "MonitorState(1)", drv.MonitorState(1), Nothing, _
  "ModelString", drv.ModelString, "", "MotorFileExists", drv.MotorFileExists("motor.mtr"), False, _
  "MotorFileName", drv.MotorFileName, "", "MotorStyleList", drv.MotorStyleList, Nothing, _
  "MotorConfigChanged", drv.MotorConfigChanged, False, "Online", drv.Online, False, _
  "OptionReg", drv.OptionReg, Nothing, "ParamExists(15)", drv.ParamExists(15), False, _
  "Parameter(15)", drv.Parameter(15), Nothing, "ParameterList", drv.ParameterList, Nothing, _
  "ParameterValueObj(15)", drv.ParameterValueObj(15), Nothing, "PollPriority", drv.PollPriority, 0, _
  "PositionMeasured", drv.PositionMeasured, Nothing, "VEXlist", drv.VEXlist, Nothing, _
  "ReAddressNetwork", drv.ReAddressNetwork, 0, "Ready", drv.Ready, False, "RMSlevel", drv.RMSlevel, Nothing, _
  "RMSpeak", drv.RMSpeak, Nothing, "RunCommand", drv.RunCommand("PV 100"), "", _
  "RunCommand with every argument", drv.RunCommand("PV 100", 10, False), "", _
  "ScenarioExists(1)", drv.ScenarioExists(1), False, "ScenarioMax", drv.ScenarioMax, 0, _
  "SetupUndoAvailable", drv.SetupUndoAvailable, False, "Shutdown", drv.Shutdown, False, _
  "SoundEvents", drv.SoundEvents, Nothing, "StatusReg", drv.StatusReg, Nothing, _
  "StimulusState", drv.StimulusState, Nothing, "SyncPulseList", drv.SyncPulseList, Nothing, _
  "SystemFileExists", drv.SystemFileExists("setup.sys"), False, "TrqFrcString", drv.TrqFrcString("@*@"), "", _
  "TrqFrcStringUpdated(2054)", drv.TrqFrcStringUpdated(2054), Empty, "UpdateDriveInfo", drv.UpdateDriveInfo, False, _
  "UserPositionUnit", drv.UserPositionUnit, Nothing, "UserVelocityUnit", drv.UserVelocityUnit, Nothing, _
  "UserTorqueUnit", drv.UserTorqueUnit, Nothing, "StepResList", drv.StepResList, Nothing, _
  "StimulusList", drv.StimulusList, Nothing, "UserID", drv.UserID, "", _
  "VelocityMeasured", drv.VelocityMeasured, Nothing, "WakeupDrive", drv.WakeupDrive(Nothing, n), 0)

On Error Resume Next
drv.AddToPosition 100 : drv.InitializeNonVolatile : drv.MotorFileLoad "motor.mtr" : drv.MotorFileSave "motor.mtr", False
drv.ReEnable : drv.ResetDrive : drv.ResetNetwork : drv.ResetParamUpdateIndicator : drv.RunPollCycle
drv.ScenarioRecall 1 : drv.ScenarioStore 1 : drv.SetupUndo : drv.SetupUndoSaveState : drv.SetupVelocityTuning
drv.SetupStepResponseView : drv.SetupPositionTuning : drv.SystemFileLoad "setup.sys" : drv.SystemFileSave "setup.sys", True
CheckErr 0, "", "", "the inert drive's methods"
On Error GoTo 0

' ---- The library's own root object: inert but for Version and Flash ------------------------

Dim nl, version
Set nl = CreateObject("ZentNetLib.NetLib")
nl.OnlinePoll = True : nl.Polling = True : nl.PollingInternal = True : nl.Ports = "1;2" : nl.PortsOpen = True
nl.TechSupportMode = True : Set nl.WinHookRef = hot

CheckRows "inert root:", Array( _
  "AppEvents", nl.AppEvents, Nothing, "AppTitle", nl.AppTitle, "", "DriveEvent", nl.DriveEvent, Nothing, _
  "Drives", nl.Drives, Nothing, "LockLevel", nl.LockLevel, Nothing, _
  "LookupDriveErrorMsg(1505)", nl.LookupDriveErrorMsg(1505), "", "LogFile", nl.LogFile, Nothing, _
  "Nets", nl.Nets, Nothing, "Online", nl.Online, False, "OnlinePoll", nl.OnlinePoll, False, _
  "Polling", nl.Polling, False, "PollingInternal", nl.PollingInternal, False, "Ports", nl.Ports, "", _
  "PortsOpen", nl.PortsOpen, False, "Resetting", nl.Resetting, False, _
  "NetSupervisor", nl.NetSupervisor, Nothing, "SerialVersion", nl.SerialVersion, "", _
  "Sounds", nl.Sounds, Nothing, "SystemFileConfiguration", nl.SystemFileConfiguration("setup.sys"), Nothing, _
  "TechSupportMode", nl.TechSupportMode, False, "ValueVersion", nl.ValueVersion, "")

On Error Resume Next
nl.CreateDemoDrive : nl.CreateDemoDrive 3 : nl.ForceOffline : nl.RegisterFKey hot : nl.ColdResetSystem
nl.SystemFileLoad "setup.sys" : nl.SystemFileSave "setup.sys", False : nl.TechSupportModeEnable 1234
nl.UnRegisterFKey hot : nl.WarmResetSystem
CheckErr 0, "", "", "the inert root's methods"
On Error GoTo 0

' Version: "1.0.48", CR LF, then the library's folder and its file name without extension.
version = Split(nl.Version, vbCrLf)
CheckEq UBound(version), 1, "Version has two lines"
CheckEq version(0), "1.0.48", "Version's first line"
CheckEq Right(version(1), Len("\ZentNetLib")), "\ZentNetLib", "Version's second line ends with the file name"
Check InStr(version(1), ":\") = 2, "Version's second line begins with a drive: " & version(1)

Dim flash1, flash2
Set flash1 = nl.Flash
Set flash2 = nl.Flash
Check Not flash1 Is Nothing, "Flash makes an object"
Check Not flash1 Is flash2, "every read of Flash makes a new object"

Finish

' The five register decoders as a script sees them: every argument-free property read
' against the command-line tool's decoding of the same registers, writes, optional and
' converted arguments, errors, and events with by-reference arguments.

Option Explicit

' Rows of five: a property's name, the value it reads now, then what it reads for each of
' three register values.
Sub CheckReads(what, rows, column) : CheckColumn what, rows, 5, column : End Sub

Dim x, i

' ---- Configuration register: &HA99966DF and &H56669920 (every bit the other lacks) under
' the full mask, then &HA99966DF under mask 1 --------------------------------------------

Dim cfg, cfgReg
Set cfg = CreateObject("ZentNetLib.ConfigRegObj")
Set cfgReg = cfg.Register
WScript.ConnectObject cfg, "cfg_"
Sub cfg_Change() : Note "Change" : End Sub
Sub cfg_UpdateView() : Note "UpdateView" : End Sub
Sub cfg_MotorTypeChanged() : Note "MotorTypeChanged" : End Sub
Sub cfg_HighLevelFeedbackChanged() : Note "HighLevelFeedbackChanged" : End Sub
Sub cfg_Refresh(newVal) : Note "Refresh(" & (newVal Is cfgReg) & ")" : End Sub

Function ConfigRows(c)
  ConfigRows = Array( _
    "CapabilityMask", c.CapabilityMask, -1, -1, 1, "VelocityEstimatorMax", c.VelocityEstimatorMax, 0, 0, 0, _
    "VelocityEstimatorMin", c.VelocityEstimatorMin, 0, 0, 0, "AnalogInFilter", c.AnalogInFilter, True, False, False, _
    "AnalogInFilterStr", c.AnalogInFilterStr, "ON", "OFF", "N/A", "TorqueMode", c.TorqueMode, True, False, True, _
    "Steadix", c.Steadix, 1, 2, 0, "SteadixStr", c.SteadixStr, "Standard", "Enhanced", "N/A", _
    "BadSequenceEnable", c.BadSequenceEnable, True, False, True, _
    "BadSequenceEnableStr", c.BadSequenceEnableStr, "ON", "OFF", "N/A", "BrushMode", c.BrushMode, False, True, False, _
    "BrushModeStr", c.BrushModeStr, "OFF", "ON", "N/A", "EncoderBalanced", c.EncoderBalanced, True, False, True, _
    "EncoderBalancedStr", c.EncoderBalancedStr, "Balanced", "Single-Ended", "Balanced", _
    "EncoderInFilter", c.EncoderInFilter, False, True, False, _
    "EncoderInFilterStr", c.EncoderInFilterStr, "OFF", "ON", "N/A", "HallCheck", c.HallCheck, False, True, False, _
    "HallCheckStr", c.HallCheckStr, "OFF", "ON", "N/A", "FilterClock", c.FilterClock, 2, 1, 2, _
    "FilterClockStr", c.FilterClockStr, "Mode: 2", "Mode: 1", "Mode: 2", _
    "HallInverter", c.HallInverter, True, False, True, "HallInverterStr", c.HallInverterStr, "ON", "OFF", "N/A", _
    "HallLessStart", c.HallLessStart, False, True, False, "HallLessStartStr", c.HallLessStartStr, "OFF", "ON", "N/A", _
    "LimitMode", c.LimitMode, 1, 0, 1, "LimitModeStr", c.LimitModeStr, "Position", "Torque", "N/A", _
    "LogicPowerBackup", c.LogicPowerBackup, False, True, False, _
    "LogicPowerBackupStr", c.LogicPowerBackupStr, "OFF", "ON", "N/A", _
    "ModeLineFoldback", c.ModeLineFoldback, 2, 1, 0, _
    "ModeLineFoldbackStr", c.ModeLineFoldbackStr, "On for: Negative Force", "On for: Positive Torque", "N/A", _
    "MoveDoneFoldback", c.MoveDoneFoldback, True, False, True, _
    "MoveDoneFoldbackStr", c.MoveDoneFoldbackStr, "ON", "OFF", "N/A", "InputMode", c.InputMode, 1, 6, 1, _
    "InputModeStr", c.InputModeStr, "Analog Force", "Unknown Mode 6", "Analog Force", _
    "HardStopFoldback", c.HardStopFoldback, False, True, False, _
    "HardStopFoldbackStr", c.HardStopFoldbackStr, "OFF", "ON", "N/A", _
    "HighLevelFeedback", c.HighLevelFeedback, 5, 2, 0, _
    "HighLevelFeedbackStr", c.HighLevelFeedbackStr, "Unknown mode 5", "Move Done", "N/A", _
    "LinearMotor", c.LinearMotor, True, False, True, "StepInFilter", c.StepInFilter, True, False, True, _
    "StepInFilterStr", c.StepInFilterStr, "ON", "OFF", "N/A", "SyncPulse", c.SyncPulse, 3, 0, 1, _
    "SyncPulseStr", c.SyncPulseStr, "Pos./Neg.", "None", "Positive", "VectorLock", c.VectorLock, True, False, True, _
    "VectorLockStr", c.VectorLockStr, "ON", "OFF", "N/A", "VelocityEstimator", c.VelocityEstimator, 5, 2, 5, _
    "LimitSwitchModeStr", c.LimitSwitchModeStr, "Position", "Torque", "Position", _
    "MotorStyle", c.MotorStyle, 2, 1, 2, _
    "MotorStyleStr", c.MotorStyleStr, "Linear Brushless", "Rotary Brush", "Linear Brushless", _
    "StepEncInputFilter", c.StepEncInputFilter, 6, 9, 6)
End Function

cfgReg.Number.Value = &HA99966DF
CheckReads "config A:", ConfigRows(cfg), 0
cfgReg.Number.Value = &H56669920
CheckReads "config B:", ConfigRows(cfg), 1
cfgReg.Number.Value = &HA99966DF
cfg.CapabilityMask = 1
CheckReads "config A, mask 1:", ConfigRows(cfg), 2
cfgReg.Refresh
cfgReg.ApplySetup
CheckEq TakeJournal(), "Change, MotorTypeChanged, HighLevelFeedbackChanged, Change, MotorTypeChanged, " & _
  "HighLevelFeedbackChanged, Change, MotorTypeChanged, HighLevelFeedbackChanged, Refresh(True), UpdateView", _
  "config events"

' The display members take an optional value of any type.
cfgReg.Number.Value = 0
cfg.CapabilityMask = 0
CheckRows "display members:", Array("ModeLineFoldbackStr(3)", cfg.ModeLineFoldbackStr(3), "On for: Pos. + Neg. Torque", _
  "ModeLineFoldbackStr", cfg.ModeLineFoldbackStr, "N/A", "InputModeStr(""2"")", cfg.InputModeStr("2"), _
  "Step+Direction Position", "InputModeStr(""x"")", cfg.InputModeStr("x"), "???", _
  "LimitModeLookup(0)", cfg.LimitModeLookup(0), "Torque", "FilterClockStrArb(-1)", cfg.FilterClockStrArb(-1), "Mode: -1")
cfg.CapabilityMask = -1

On Error Resume Next
cfg.FilterClock = 512
CheckErr 6, "ZentNetLib", "Overflow", "FilterClock 512"
x = cfg.SteadixStr(4)
CheckErr 326, "ZentNetLib", "Resource with identifier '4174' not found", "SteadixStr(4)"
On Error GoTo 0

' ---- Status register: &H0821 and &HC07FD7FE with every bit implemented, then &HC07FD7FE
' with none -----------------------------------------------------------------------------

Dim st, stReg
Call TakeJournal()
Set st = CreateObject("ZentNetLib.StatusRegObj")
Set stReg = st.Register
WScript.ConnectObject st, "st_"
Sub st_Changed() : Note "Changed" : End Sub
Sub st_EnableChanged(newState) : Note "EnableChanged(" & newState & ")" : End Sub
Sub st_Shutdown() : Note "Shutdown" : End Sub
Sub st_LockChanged() : Note "LockChanged(" & st.LockLevelRef.Level & ")" : End Sub
Sub st_ContentChanged(statusRef) : Note "ContentChanged(" & (statusRef Is stReg) & ")" : End Sub

Function StatusRows(s)
  StatusRows = Array( _
    "StatusImplemented", s.StatusImplemented, -1, -1, 0, "AllSystemsGo", s.AllSystemsGo, False, True, True, _
    "HighLevelFeedback", s.HighLevelFeedback, True, False, False, "AmpDisable", s.AmpDisable, True, False, False, _
    "EncoderError", s.EncoderError, True, False, False, "Hardstopped", s.Hardstopped, False, True, True, _
    "IVfault", s.IVfault, False, True, True, "LockLevel", s.LockLevel, 0, 3, 3, _
    "LogicPowerBackup", s.LogicPowerBackup, False, True, False, "NegativeLimit", s.NegativeLimit, False, True, True, _
    "NotMoveDone", s.NotMoveDone, False, True, False, "OutOfPosition", s.OutOfPosition, False, True, False, _
    "OutputSaturation", s.OutputSaturation, False, True, True, "OverSpeed", s.OverSpeed, False, True, True, _
    "OverTemp", s.OverTemp, False, True, True, "PositiveLimit", s.PositiveLimit, False, True, True, _
    "PWMsaturation", s.PWMsaturation, False, True, True, "RMSshutdown", s.RMSshutdown, False, True, True, _
    "StepInputError", s.StepInputError, False, True, True, "TempShutdown", s.TempShutdown, False, True, True, _
    "TorqueMode", s.TorqueMode, False, True, True, "TrackingShutdown", s.TrackingShutdown, True, True, True, _
    "VectorSearch", s.VectorSearch, False, True, True)
End Function

stReg.Number.Value = &H0821
CheckReads "status &H0821:", StatusRows(st), 0
stReg.Number.Value = &HC07FD7FE
CheckReads "status &HC07FD7FE:", StatusRows(st), 1
st.StatusImplemented = 0
CheckReads "status &HC07FD7FE, nothing implemented:", StatusRows(st), 2
st.StatusImplemented = -1
stReg.ApplySetup
CheckEq TakeJournal(), "Changed, EnableChanged(False), Shutdown, Changed, EnableChanged(True), LockChanged(3), " & _
  "Shutdown, ContentChanged(True)", "status events"

' ---- Option register: &HA00005 and &H1F700FA under the initial mask, then &HA00005 under
' mask 0 --------------------------------------------------------------------------------

Dim opt, optReg
Set opt = CreateObject("ZentNetLib.OptionRegObj")
Set optReg = opt.Register
WScript.ConnectObject opt, "opt_"
Sub opt_FirmwareChanged() : Note "FirmwareChanged" : End Sub
Sub opt_Refresh(valRef) : Note "Refresh(" & (valRef Is optReg) & ")" : End Sub

Function OptionRows(o)
  OptionRows = Array( _
    "CapabilityMask", o.CapabilityMask, 2147483647, 2147483647, 0, "CaseOption", o.CaseOption, 0, 7, 0, _
    "FirmwareType", o.FirmwareType, 0, 7, 0, "InitialCalibration", o.InitialCalibration, True, False, True, _
    "RuntimeCalibration", o.RuntimeCalibration, False, True, False, "VoltageMode", o.VoltageMode, True, False, True, _
    "VoltageModeStr", o.VoltageModeStr, "ON", "OFF", "N/A", "Vendor", o.Vendor, 5, 15, 5, _
    "VendorStr", o.VendorStr, "Unknown vendor  5", "Unknown vendor 15", "Unknown vendor  5", _
    "WarrantyOptions", o.WarrantyOptions, 0, 1, 0, "AnalogInputFormat", o.AnalogInputFormat, 0, 1, 0, _
    "AnalogInputFormatStr", o.AnalogInputFormatStr, "0.5V-4.5V", "0.0V-5.0V", "N/A", _
    "LPBenabled", o.LPBenabled, False, True, False, "LPBenabledStr", o.LPBenabledStr, "NO", "YES", "N/A")
End Function

optReg.Number.Value = &HA00005
CheckReads "option &HA00005:", OptionRows(opt), 0
optReg.Number.Value = &H1F700FA
CheckReads "option &H1F700FA:", OptionRows(opt), 1
optReg.Number.Value = &HA00005
opt.CapabilityMask = 0
CheckReads "option &HA00005, mask 0:", OptionRows(opt), 2
optReg.Refresh
CheckEq TakeJournal(), "FirmwareChanged, FirmwareChanged, Refresh(True)", "option events"

' ---- I/O register: &H380, &HEC70 and &H80, in this order (the last code is the one
' before). The second is written in decimal: a four-digit hex literal is an Integer, and
' &HEC70 would be -5008 ------------------------------------------------------------------

Dim io, ioReg
Set io = CreateObject("ZentNetLib.IOregisterObj")
Set ioReg = CreateObject("ZentNetLib.ErrorCodeObj").Register
Set io.ValueObjRef = ioReg
WScript.ConnectObject io, "io_"
' The listener's write into lastCode is the decoder's.
Sub io_CommutationChanged(thisCode, lastCode)
  Note "CommutationChanged(" & thisCode & ", " & lastCode & ")"
  If thisCode = 6 Then lastCode = 9
End Sub
Sub io_Refresh(newVal) : Note "Refresh(" & (newVal Is ioReg) & ")" : End Sub

Function IoRows(r)
  IoRows = Array( _
    "AmpEnable", r.AmpEnable, True, False, True, "EnableIn", r.EnableIn, False, True, False, _
    "FaultIn", r.FaultIn, False, True, False, "ModeIn", r.ModeIn, False, True, False, _
    "NegativeLimit", r.NegativeLimit, False, True, False, "PositiveLimit", r.PositiveLimit, False, True, False, _
    "ShutdownLineOut", r.ShutdownLineOut, False, True, False, "ThermalFaultIn", r.ThermalFaultIn, False, True, False, _
    "CommutationCode", r.CommutationCode, 7, 0, 1, "Bits", r.Bits, 896, 60528, 128, _
    "LastCommutationCode", r.LastCommutationCode, 0, 7, 0)
End Function

ioReg.Number.Value = &H380
CheckReads "io &H380:", IoRows(io), 0
ioReg.Number.Value = 60528
CheckReads "io &HEC70:", IoRows(io), 1
ioReg.Number.Value = &H80
CheckReads "io &H80:", IoRows(io), 2
ioReg.Number.Value = &H300
io.Refresh
CheckEq TakeJournal(), "CommutationChanged(7, 0), CommutationChanged(0, 7), CommutationChanged(1, 0), " & _
  "CommutationChanged(6, 1), Refresh(True)", "io events"
CheckEq io.LastCommutationCode, 9, "the handler's lastCode"
CheckRows "BitNames:", Array("48", io.BitNames("48"), "+LIMIT IN, -LIMIT IN", "4097", io.BitNames(4097), "BIT 0, BIT 12")

On Error Resume Next
x = io.BitNames("abc")
CheckErr 13, "ZentNetLib", "Type mismatch", "BitNames(abc)"
On Error GoTo 0

' ---- Error-code register: &H10008, &H8000FFF7 and 0.4 (which converts to 0 but is not
' zero) ----------------------------------------------------------------------------------

Dim ec
Set ec = CreateObject("ZentNetLib.ErrorCodeObj")
WScript.ConnectObject ec, "ec_"
Sub ec_Changed() : Note "Changed" : End Sub
Sub ec_Refresh() : Note "Refresh" : End Sub

Function ErrorRows(e)
  ErrorRows = Array( _
    "ADCproblems", e.ADCproblems, False, True, False, _
    "CommutationProblems", e.CommutationProblems, False, True, False, _
    "CurrentSensorProblems", e.CurrentSensorProblems, False, True, False, _
    "EEhardwareProblems", e.EEhardwareProblems, False, True, False, _
    "EEnotInitialized", e.EEnotInitialized, False, True, False, _
    "EncoderProblems", e.EncoderProblems, False, True, False, _
    "LogicPowerBackedUp", e.LogicPowerBackedUp, False, True, False, _
    "LogicPowerRecoveryFailed", e.LogicPowerRecoveryFailed, False, True, False, _
    "OverVoltageCurrent", e.OverVoltageCurrent, False, True, False, "RMSoverload", e.RMSoverload, False, True, False, _
    "VectorSetupProblems", e.VectorSetupProblems, False, True, False, _
    "StepInputProblems", e.StepInputProblems, False, True, False, "Thermal", e.Thermal, True, False, False, _
    "Tracking", e.Tracking, False, True, False, "IsShutdown", e.IsShutdown, True, True, True, _
    "ErrorListStr", e.ErrorListStr, "Thermal shutdown, Drive Shutdown", "N/A 0, N/A 1, Over-current/voltage (I/V) " & "shutdown, Tracking  shutdown, RMS shutdown, Encoder signal problem, Step failure, Commutation " & "signal problem, ADC failure, EE needs initializing, EE hardware failure, Motor setup error, " & "Current Sensor Fault, Logic power backed-up, Power-Up Pos'n Recovery Window Exceeded", "")
End Function

ec.Register.Number.Value = &H10008
CheckReads "error-code &H10008:", ErrorRows(ec), 0
ec.Register.Number.Value = &H8000FFF7
CheckReads "error-code &H8000FFF7:", ErrorRows(ec), 1
ec.Register.Number.Value = 0.4
CheckReads "error-code 0.4:", ErrorRows(ec), 2
ec.Refresh
CheckEq TakeJournal(), "Changed, Changed, Changed, Refresh", "error-code events"

Finish

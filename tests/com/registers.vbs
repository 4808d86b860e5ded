' The five register decoders as a script sees them: every argument-free property read
' against the command-line tool's decoding of the same registers, writes, optional and
' converted arguments, errors, and the events with arguments (the demo's timeline, compared
' with the tool's, tells when the others are raised).

Option Explicit

' CheckColumn's rows of four: a property's name, the value it reads now, then what it reads for
' each of two register values. What the masks hide, the core's own tests check.

Dim x

' ---- Configuration register: &HA99966DF and &H56669920 (every bit the other lacks) ----

Dim cfg, cfgReg
Set cfg = CreateObject("ZentNetLib.ConfigRegObj")
Set cfgReg = cfg.Register
WScript.ConnectObject cfg, "cfg_"
Sub cfg_UpdateView() : Note "UpdateView" : End Sub
Sub cfg_Refresh(newVal) : Note "Refresh(" & (newVal Is cfgReg) & ")" : End Sub

Function ConfigRows(c)
  ConfigRows = Array( _
    "CapabilityMask", c.CapabilityMask, -1, -1, "VelocityEstimatorMax", c.VelocityEstimatorMax, 0, 0, _
    "VelocityEstimatorMin", c.VelocityEstimatorMin, 0, 0, "AnalogInFilter", c.AnalogInFilter, True, False, _
    "AnalogInFilterStr", c.AnalogInFilterStr, "ON", "OFF", "TorqueMode", c.TorqueMode, True, False, _
    "Steadix", c.Steadix, 1, 2, "SteadixStr", c.SteadixStr, "Standard", "Enhanced", _
    "BadSequenceEnable", c.BadSequenceEnable, True, False, _
    "BadSequenceEnableStr", c.BadSequenceEnableStr, "ON", "OFF", "BrushMode", c.BrushMode, False, True, _
    "BrushModeStr", c.BrushModeStr, "OFF", "ON", "EncoderBalanced", c.EncoderBalanced, True, False, _
    "EncoderBalancedStr", c.EncoderBalancedStr, "Balanced", "Single-Ended", _
    "EncoderInFilter", c.EncoderInFilter, False, True, "EncoderInFilterStr", c.EncoderInFilterStr, "OFF", "ON", _
    "HallCheck", c.HallCheck, False, True, "HallCheckStr", c.HallCheckStr, "OFF", "ON", _
    "FilterClock", c.FilterClock, 2, 1, "FilterClockStr", c.FilterClockStr, "Mode: 2", "Mode: 1", _
    "HallInverter", c.HallInverter, True, False, "HallInverterStr", c.HallInverterStr, "ON", "OFF", _
    "HallLessStart", c.HallLessStart, False, True, "HallLessStartStr", c.HallLessStartStr, "OFF", "ON", _
    "LimitMode", c.LimitMode, 1, 0, "LimitModeStr", c.LimitModeStr, "Position", "Torque", _
    "LogicPowerBackup", c.LogicPowerBackup, False, True, "LogicPowerBackupStr", c.LogicPowerBackupStr, "OFF", "ON", _
    "ModeLineFoldback", c.ModeLineFoldback, 2, 1, _
    "ModeLineFoldbackStr", c.ModeLineFoldbackStr, "On for: Negative Force", "On for: Positive Torque", _
    "MoveDoneFoldback", c.MoveDoneFoldback, True, False, "MoveDoneFoldbackStr", c.MoveDoneFoldbackStr, "ON", "OFF", _
    "InputMode", c.InputMode, 1, 6, "InputModeStr", c.InputModeStr, "Analog Force", "Unknown Mode 6", _
    "HardStopFoldback", c.HardStopFoldback, False, True, "HardStopFoldbackStr", c.HardStopFoldbackStr, "OFF", "ON", _
    "HighLevelFeedback", c.HighLevelFeedback, 5, 2, _
    "HighLevelFeedbackStr", c.HighLevelFeedbackStr, "Unknown mode 5", "Move Done", _
    "LinearMotor", c.LinearMotor, True, False, "StepInFilter", c.StepInFilter, True, False, _
    "StepInFilterStr", c.StepInFilterStr, "ON", "OFF", "SyncPulse", c.SyncPulse, 3, 0, _
    "SyncPulseStr", c.SyncPulseStr, "Pos./Neg.", "None", "VectorLock", c.VectorLock, True, False, _
    "VectorLockStr", c.VectorLockStr, "ON", "OFF", "VelocityEstimator", c.VelocityEstimator, 5, 2, _
    "LimitSwitchModeStr", c.LimitSwitchModeStr, "Position", "Torque", "MotorStyle", c.MotorStyle, 2, 1, _
    "MotorStyleStr", c.MotorStyleStr, "Linear Brushless", "Rotary Brush", _
    "StepEncInputFilter", c.StepEncInputFilter, 6, 9)
End Function

cfgReg.Number.Value = &HA99966DF
CheckColumn "config A:", ConfigRows(cfg), 4, 0
cfgReg.Number.Value = &H56669920
CheckColumn "config B:", ConfigRows(cfg), 4, 1
cfgReg.Refresh
cfgReg.ApplySetup
CheckEq TakeJournal(), "Refresh(True), UpdateView", "config events"

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

' ---- Status register: &H0821 and &HC07FD7FE -------------------------------------------

Dim st, stReg
Set st = CreateObject("ZentNetLib.StatusRegObj")
Set stReg = st.Register
WScript.ConnectObject st, "st_"
Sub st_ContentChanged(statusRef) : Note "ContentChanged(" & (statusRef Is stReg) & ")" : End Sub

Function StatusRows(s)
  StatusRows = Array( _
    "StatusImplemented", s.StatusImplemented, -1, -1, "AllSystemsGo", s.AllSystemsGo, False, True, _
    "HighLevelFeedback", s.HighLevelFeedback, True, False, "AmpDisable", s.AmpDisable, True, False, _
    "EncoderError", s.EncoderError, True, False, "Hardstopped", s.Hardstopped, False, True, _
    "IVfault", s.IVfault, False, True, "LockLevel", s.LockLevel, 0, 3, _
    "LogicPowerBackup", s.LogicPowerBackup, False, True, "NegativeLimit", s.NegativeLimit, False, True, _
    "NotMoveDone", s.NotMoveDone, False, True, "OutOfPosition", s.OutOfPosition, False, True, _
    "OutputSaturation", s.OutputSaturation, False, True, "OverSpeed", s.OverSpeed, False, True, _
    "OverTemp", s.OverTemp, False, True, "PositiveLimit", s.PositiveLimit, False, True, _
    "PWMsaturation", s.PWMsaturation, False, True, "RMSshutdown", s.RMSshutdown, False, True, _
    "StepInputError", s.StepInputError, False, True, "TempShutdown", s.TempShutdown, False, True, _
    "TorqueMode", s.TorqueMode, False, True, "TrackingShutdown", s.TrackingShutdown, True, True, _
    "VectorSearch", s.VectorSearch, False, True)
End Function

stReg.Number.Value = &H0821
CheckColumn "status &H0821:", StatusRows(st), 4, 0
stReg.Number.Value = &HC07FD7FE
CheckColumn "status &HC07FD7FE:", StatusRows(st), 4, 1
stReg.ApplySetup
CheckEq TakeJournal(), "ContentChanged(True)", "status events"

' ---- Option register: &HA00005 and &H1F700FA -------------------------------------------

Dim opt, optReg
Set opt = CreateObject("ZentNetLib.OptionRegObj")
Set optReg = opt.Register
WScript.ConnectObject opt, "opt_"
Sub opt_FirmwareChanged() : Note "FirmwareChanged" : End Sub
Sub opt_Refresh(valRef) : Note "Refresh(" & (valRef Is optReg) & ")" : End Sub

Function OptionRows(o)
  OptionRows = Array( _
    "CapabilityMask", o.CapabilityMask, 2147483647, 2147483647, "CaseOption", o.CaseOption, 0, 7, _
    "FirmwareType", o.FirmwareType, 0, 7, "InitialCalibration", o.InitialCalibration, True, False, _
    "RuntimeCalibration", o.RuntimeCalibration, False, True, "VoltageMode", o.VoltageMode, True, False, _
    "VoltageModeStr", o.VoltageModeStr, "ON", "OFF", "Vendor", o.Vendor, 5, 15, _
    "VendorStr", o.VendorStr, "Unknown vendor  5", "Unknown vendor 15", "WarrantyOptions", o.WarrantyOptions, 0, 1, _
    "AnalogInputFormat", o.AnalogInputFormat, 0, 1, _
    "AnalogInputFormatStr", o.AnalogInputFormatStr, "0.5V-4.5V", "0.0V-5.0V", _
    "LPBenabled", o.LPBenabled, False, True, "LPBenabledStr", o.LPBenabledStr, "NO", "YES")
End Function

optReg.Number.Value = &HA00005
CheckColumn "option &HA00005:", OptionRows(opt), 4, 0
optReg.Number.Value = &H1F700FA
CheckColumn "option &H1F700FA:", OptionRows(opt), 4, 1
optReg.Refresh
CheckEq TakeJournal(), "FirmwareChanged, Refresh(True)", "option events"

' ---- I/O register: &H380 and &HEC70, in this order (the last code is the one before). The
' second is written in decimal: a four-digit hex literal is an Integer, and &HEC70 would be
' -5008 ------------------------------------------------------------------------------------

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
    "AmpEnable", r.AmpEnable, True, False, "EnableIn", r.EnableIn, False, True, "FaultIn", r.FaultIn, False, True, _
    "ModeIn", r.ModeIn, False, True, "NegativeLimit", r.NegativeLimit, False, True, _
    "PositiveLimit", r.PositiveLimit, False, True, "ShutdownLineOut", r.ShutdownLineOut, False, True, _
    "ThermalFaultIn", r.ThermalFaultIn, False, True, "CommutationCode", r.CommutationCode, 7, 0, _
    "Bits", r.Bits, 896, 60528, "LastCommutationCode", r.LastCommutationCode, 0, 7)
End Function

ioReg.Number.Value = &H380
CheckColumn "io &H380:", IoRows(io), 4, 0
ioReg.Number.Value = 60528
CheckColumn "io &HEC70:", IoRows(io), 4, 1
ioReg.Number.Value = &H300
io.Refresh
CheckEq TakeJournal(), "CommutationChanged(7, 0), CommutationChanged(0, 7), CommutationChanged(6, 0), Refresh(True)", _
  "io events"
CheckEq io.LastCommutationCode, 9, "the handler's lastCode"
CheckRows "BitNames:", Array("48", io.BitNames("48"), "+LIMIT IN, -LIMIT IN", _
  "4097", io.BitNames(4097), "BIT 0, BIT 12", "&H30", io.BitNames("&H30"), "+LIMIT IN, -LIMIT IN", _
  "4.8E1", io.BitNames("4.8E1"), "+LIMIT IN, -LIMIT IN")

On Error Resume Next
x = io.BitNames("abc")
CheckErr 13, "ZentNetLib", "Type mismatch", "BitNames(abc)"
On Error GoTo 0

' ---- Error-code register: &H10008 and &H8000FFF7 ---------------------------------------

Dim ec
Set ec = CreateObject("ZentNetLib.ErrorCodeObj")
WScript.ConnectObject ec, "ec_"
Sub ec_Refresh() : Note "Refresh" : End Sub

Function ErrorRows(e)
  ErrorRows = Array( _
    "ADCproblems", e.ADCproblems, False, True, "CommutationProblems", e.CommutationProblems, False, True, _
    "CurrentSensorProblems", e.CurrentSensorProblems, False, True, _
    "EEhardwareProblems", e.EEhardwareProblems, False, True, "EEnotInitialized", e.EEnotInitialized, False, True, _
    "EncoderProblems", e.EncoderProblems, False, True, "LogicPowerBackedUp", e.LogicPowerBackedUp, False, True, _
    "LogicPowerRecoveryFailed", e.LogicPowerRecoveryFailed, False, True, _
    "OverVoltageCurrent", e.OverVoltageCurrent, False, True, "RMSoverload", e.RMSoverload, False, True, _
    "VectorSetupProblems", e.VectorSetupProblems, False, True, _
    "StepInputProblems", e.StepInputProblems, False, True, "Thermal", e.Thermal, True, False, _
    "Tracking", e.Tracking, False, True, "IsShutdown", e.IsShutdown, True, True, _
    "ErrorListStr", e.ErrorListStr, "Thermal shutdown, Drive Shutdown", "N/A 0, N/A 1, Over-current/voltage (I/V) " & "shutdown, Tracking  shutdown, RMS shutdown, Encoder signal problem, Step failure, Commutation " & "signal problem, ADC failure, EE needs initializing, EE hardware failure, Motor setup error, " & "Current Sensor Fault, Logic power backed-up, Power-Up Pos'n Recovery Window Exceeded")
End Function

ec.Register.Number.Value = &H10008
CheckColumn "error-code &H10008:", ErrorRows(ec), 4, 0
ec.Register.Number.Value = &H8000FFF7
CheckColumn "error-code &H8000FFF7:", ErrorRows(ec), 4, 1
ec.Refresh
CheckEq TakeJournal(), "Refresh", "error-code events"

Finish

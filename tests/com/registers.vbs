' The five register decoders as a script sees them: every argument-free property read
' against the command-line tool's decoding of the same registers, writes, optional and
' converted arguments, errors, and events with by-reference arguments.

Option Explicit

' Rows: a property's name, then what it reads for each register value; reads: the values
' read, in row order.
Sub CheckReads(what, rows, column, reads)
  Dim i
  If UBound(rows) + 1 <> 4 * (UBound(reads) + 1) Then
    Fail what & ": " & (UBound(reads) + 1) & " reads for " & (UBound(rows) + 1) / 4 & " rows"
    Exit Sub
  End If
  For i = 0 To UBound(reads)
    CheckEq reads(i), rows(4 * i + 1 + column), what & " " & rows(4 * i)
  Next
End Sub

Const kNoObject = "Object variable or With block variable not set"
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

Function ConfigReads(c)
  ConfigReads = Array(c.CapabilityMask, c.VelocityEstimatorMax, c.VelocityEstimatorMin, _
    c.AnalogInFilter, c.AnalogInFilterStr, c.TorqueMode, c.Steadix, c.SteadixStr, _
    c.BadSequenceEnable, c.BadSequenceEnableStr, c.BrushMode, c.BrushModeStr, c.EncoderBalanced, _
    c.EncoderBalancedStr, c.EncoderInFilter, c.EncoderInFilterStr, c.HallCheck, c.HallCheckStr, _
    c.FilterClock, c.FilterClockStr, c.HallInverter, c.HallInverterStr, c.HallLessStart, _
    c.HallLessStartStr, c.LimitMode, c.LimitModeStr, c.LogicPowerBackup, c.LogicPowerBackupStr, _
    c.ModeLineFoldback, c.ModeLineFoldbackStr, c.MoveDoneFoldback, c.MoveDoneFoldbackStr, _
    c.InputMode, c.InputModeStr, c.HardStopFoldback, c.HardStopFoldbackStr, c.HighLevelFeedback, _
    c.HighLevelFeedbackStr, c.LinearMotor, c.StepInFilter, c.StepInFilterStr, c.SyncPulse, _
    c.SyncPulseStr, c.VectorLock, c.VectorLockStr, c.VelocityEstimator, c.LimitSwitchModeStr, _
    c.MotorStyle, c.MotorStyleStr, c.StepEncInputFilter)
End Function

Dim configRows
configRows = Array( _
  "CapabilityMask", -1, -1, 1, "VelocityEstimatorMax", 0, 0, 0, _
  "VelocityEstimatorMin", 0, 0, 0, "AnalogInFilter", True, False, False, _
  "AnalogInFilterStr", "ON", "OFF", "N/A", "TorqueMode", True, False, True, _
  "Steadix", 1, 2, 0, "SteadixStr", "Standard", "Enhanced", "N/A", _
  "BadSequenceEnable", True, False, True, "BadSequenceEnableStr", "ON", "OFF", "N/A", _
  "BrushMode", False, True, False, "BrushModeStr", "OFF", "ON", "N/A", _
  "EncoderBalanced", True, False, True, "EncoderBalancedStr", "Balanced", "Single-Ended", "Balanced", _
  "EncoderInFilter", False, True, False, "EncoderInFilterStr", "OFF", "ON", "N/A", _
  "HallCheck", False, True, False, "HallCheckStr", "OFF", "ON", "N/A", _
  "FilterClock", 2, 1, 2, "FilterClockStr", "Mode: 2", "Mode: 1", "Mode: 2", _
  "HallInverter", True, False, True, "HallInverterStr", "ON", "OFF", "N/A", _
  "HallLessStart", False, True, False, "HallLessStartStr", "OFF", "ON", "N/A", _
  "LimitMode", 1, 0, 1, "LimitModeStr", "Position", "Torque", "N/A", _
  "LogicPowerBackup", False, True, False, "LogicPowerBackupStr", "OFF", "ON", "N/A", _
  "ModeLineFoldback", 2, 1, 0, _
  "ModeLineFoldbackStr", "On for: Negative Force", "On for: Positive Torque", "N/A", _
  "MoveDoneFoldback", True, False, True, "MoveDoneFoldbackStr", "ON", "OFF", "N/A", _
  "InputMode", 1, 6, 1, "InputModeStr", "Analog Force", "Unknown Mode 6", "Analog Force", _
  "HardStopFoldback", False, True, False, "HardStopFoldbackStr", "OFF", "ON", "N/A", _
  "HighLevelFeedback", 5, 2, 0, "HighLevelFeedbackStr", "Unknown mode 5", "Move Done", "N/A", _
  "LinearMotor", True, False, True, "StepInFilter", True, False, True, _
  "StepInFilterStr", "ON", "OFF", "N/A", "SyncPulse", 3, 0, 1, _
  "SyncPulseStr", "Pos./Neg.", "None", "Positive", "VectorLock", True, False, True, _
  "VectorLockStr", "ON", "OFF", "N/A", "VelocityEstimator", 5, 2, 5, _
  "LimitSwitchModeStr", "Position", "Torque", "Position", "MotorStyle", 2, 1, 2, _
  "MotorStyleStr", "Linear Brushless", "Rotary Brush", "Linear Brushless", "StepEncInputFilter", 6, 9, 6)

cfgReg.Number.Value = &HA99966DF
CheckReads "config A:", configRows, 0, ConfigReads(cfg)
cfgReg.Number.Value = &H56669920
CheckReads "config B:", configRows, 1, ConfigReads(cfg)
cfgReg.Number.Value = &HA99966DF
cfg.CapabilityMask = 1
CheckReads "config A, mask 1:", configRows, 2, ConfigReads(cfg)
cfgReg.Refresh
cfgReg.ApplySetup
CheckEq TakeJournal(), "Change, MotorTypeChanged, HighLevelFeedbackChanged, Change, MotorTypeChanged, " & _
  "HighLevelFeedbackChanged, Change, MotorTypeChanged, HighLevelFeedbackChanged, Refresh(True), UpdateView", _
  "config events"

' Every switch sets its own bit; the display members take an optional value of any type.
cfg.CapabilityMask = -1
cfgReg.Number.Value = 0
cfg.ModeLineFoldback = 2 : cfg.SyncPulse = 1 : cfg.FilterClock = 1
cfg.AnalogInFilter = True : cfg.BadSequenceEnable = True : cfg.EncoderBalanced = True
cfg.EncoderInFilter = True : cfg.HallCheck = True : cfg.HallInverter = True
cfg.HallLessStart = True : cfg.LogicPowerBackup = True : cfg.MoveDoneFoldback = True
cfg.HardStopFoldback = True : cfg.StepInFilter = True : cfg.VectorLock = True
CheckEq cfgReg.Number.Value, &H1833F084 + &H480001, "every switch on"
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
Set cfg.Register = Nothing
x = cfg.InputMode
CheckErr 91, "ZentNetLib", kNoObject, "InputMode without a register"
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

Function StatusReads(s)
  StatusReads = Array(s.StatusImplemented, s.AllSystemsGo, s.HighLevelFeedback, s.AmpDisable, _
    s.EncoderError, s.Hardstopped, s.IVfault, s.LockLevel, s.LogicPowerBackup, s.NegativeLimit, _
    s.NotMoveDone, s.OutOfPosition, s.OutputSaturation, s.OverSpeed, s.OverTemp, s.PositiveLimit, _
    s.PWMsaturation, s.RMSshutdown, s.StepInputError, s.TempShutdown, s.TorqueMode, _
    s.TrackingShutdown, s.VectorSearch)
End Function

Dim statusRows
statusRows = Array( _
  "StatusImplemented", -1, -1, 0, "AllSystemsGo", False, True, True, _
  "HighLevelFeedback", True, False, False, "AmpDisable", True, False, False, _
  "EncoderError", True, False, False, "Hardstopped", False, True, True, _
  "IVfault", False, True, True, "LockLevel", 0, 3, 3, _
  "LogicPowerBackup", False, True, False, "NegativeLimit", False, True, True, _
  "NotMoveDone", False, True, False, "OutOfPosition", False, True, False, _
  "OutputSaturation", False, True, True, "OverSpeed", False, True, True, _
  "OverTemp", False, True, True, "PositiveLimit", False, True, True, _
  "PWMsaturation", False, True, True, "RMSshutdown", False, True, True, _
  "StepInputError", False, True, True, "TempShutdown", False, True, True, _
  "TorqueMode", False, True, True, "TrackingShutdown", True, True, True, _
  "VectorSearch", False, True, True)

stReg.Number.Value = &H0821
CheckReads "status &H0821:", statusRows, 0, StatusReads(st)
stReg.Number.Value = &HC07FD7FE
CheckReads "status &HC07FD7FE:", statusRows, 1, StatusReads(st)
st.StatusImplemented = 0
CheckReads "status &HC07FD7FE, nothing implemented:", statusRows, 2, StatusReads(st)
st.StatusImplemented = -1
stReg.ApplySetup
CheckEq TakeJournal(), "Changed, EnableChanged(False), Shutdown, Changed, EnableChanged(True), LockChanged(3), " & _
  "Shutdown, ContentChanged(True)", "status events"
st.ConfigReg.Register.Number.Value = &H200
CheckEq st.BitStr(CLng(8)), "Force Mode", "BitStr(8), linear"

On Error Resume Next
x = st.BitStr(13)
CheckErr 326, "ZentNetLib", "Resource with identifier '2423' not found", "BitStr(13)"
x = st.BitStr(&H7FFFFFFF)
CheckErr 6, "ZentNetLib", "Overflow", "BitStr beyond 32 bits"
On Error GoTo 0

' ---- Option register: &HA00005 and &H1F700FA under the initial mask, then &HA00005 under
' mask 0 --------------------------------------------------------------------------------

Dim opt, optReg
Set opt = CreateObject("ZentNetLib.OptionRegObj")
Set optReg = opt.Register
WScript.ConnectObject opt, "opt_"
Sub opt_FirmwareChanged() : Note "FirmwareChanged" : End Sub
Sub opt_Refresh(valRef) : Note "Refresh(" & (valRef Is optReg) & ")" : End Sub

Function OptionReads(o)
  OptionReads = Array(o.CapabilityMask, o.CaseOption, o.FirmwareType, o.InitialCalibration, _
    o.RuntimeCalibration, o.VoltageMode, o.VoltageModeStr, o.Vendor, o.VendorStr, _
    o.WarrantyOptions, o.AnalogInputFormat, o.AnalogInputFormatStr, o.LPBenabled, o.LPBenabledStr)
End Function

Dim optionRows
optionRows = Array( _
  "CapabilityMask", 2147483647, 2147483647, 0, "CaseOption", 0, 7, 0, _
  "FirmwareType", 0, 7, 0, "InitialCalibration", True, False, True, _
  "RuntimeCalibration", False, True, False, "VoltageMode", True, False, True, _
  "VoltageModeStr", "ON", "OFF", "N/A", "Vendor", 5, 15, 5, _
  "VendorStr", "Unknown vendor  5", "Unknown vendor 15", "Unknown vendor  5", "WarrantyOptions", 0, 1, 0, _
  "AnalogInputFormat", 0, 1, 0, "AnalogInputFormatStr", "0.5V-4.5V", "0.0V-5.0V", "N/A", _
  "LPBenabled", False, True, False, "LPBenabledStr", "NO", "YES", "N/A")

optReg.Number.Value = &HA00005
CheckReads "option &HA00005:", optionRows, 0, OptionReads(opt)
optReg.Number.Value = &H1F700FA
CheckReads "option &H1F700FA:", optionRows, 1, OptionReads(opt)
optReg.Number.Value = &HA00005
opt.CapabilityMask = 0
CheckReads "option &HA00005, mask 0:", optionRows, 2, OptionReads(opt)
opt.CapabilityMask = -1
optReg.Number.Value = 0
opt.CaseOption = 2 : opt.FirmwareType = 5 : opt.InitialCalibration = True : opt.RuntimeCalibration = True
opt.VoltageMode = True : opt.Vendor = 3 : opt.WarrantyOptions = 1 : opt.AnalogInputFormat = 1
opt.LPBenabled = True
CheckEq optReg.Number.Value, &H7200DF, "every option written"
optReg.Refresh
CheckEq TakeJournal(), "FirmwareChanged, FirmwareChanged, FirmwareChanged, Refresh(True)", "option events"

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

Function IoReads(r)
  IoReads = Array(r.AmpEnable, r.EnableIn, r.FaultIn, r.ModeIn, r.NegativeLimit, r.PositiveLimit, _
    r.ShutdownLineOut, r.ThermalFaultIn, r.CommutationCode, r.Bits, r.LastCommutationCode)
End Function

Dim ioRows
ioRows = Array( _
  "AmpEnable", True, False, True, "EnableIn", False, True, False, _
  "FaultIn", False, True, False, "ModeIn", False, True, False, _
  "NegativeLimit", False, True, False, "PositiveLimit", False, True, False, _
  "ShutdownLineOut", False, True, False, "ThermalFaultIn", False, True, False, _
  "CommutationCode", 7, 0, 1, "Bits", 896, 60528, 128, _
  "LastCommutationCode", 0, 7, 0)

ioReg.Number.Value = &H380
CheckReads "io &H380:", ioRows, 0, IoReads(io)
ioReg.Number.Value = 60528
CheckReads "io &HEC70:", ioRows, 1, IoReads(io)
ioReg.Number.Value = &H80
CheckReads "io &H80:", ioRows, 2, IoReads(io)
ioReg.Number.Value = &H300
io.Refresh
CheckEq TakeJournal(), "CommutationChanged(7, 0), CommutationChanged(0, 7), CommutationChanged(1, 0), " & _
  "CommutationChanged(6, 1), Refresh(True)", "io events"
CheckEq io.LastCommutationCode, 9, "the handler's lastCode"
CheckRows "BitNames:", Array("48", io.BitNames("48"), "+LIMIT IN, -LIMIT IN", "4097", io.BitNames(4097), "BIT 0, BIT 12")

On Error Resume Next
x = io.BitNames("abc")
CheckErr 13, "ZentNetLib", "Type mismatch", "BitNames(abc)"
Set io.ValueObjRef = Nothing
x = io.AmpEnable
CheckErr 91, "ZentNetLib", kNoObject, "AmpEnable without a value"
On Error GoTo 0

' ---- Error-code register: &H10008, &H8000FFF7 and 0.4 (which converts to 0 but is not
' zero) ----------------------------------------------------------------------------------

Dim ec
Set ec = CreateObject("ZentNetLib.ErrorCodeObj")
WScript.ConnectObject ec, "ec_"
Sub ec_Changed() : Note "Changed" : End Sub
Sub ec_Refresh() : Note "Refresh" : End Sub

Function ErrorReads(e)
  ErrorReads = Array(e.ADCproblems, e.CommutationProblems, e.CurrentSensorProblems, _
    e.EEhardwareProblems, e.EEnotInitialized, e.EncoderProblems, e.LogicPowerBackedUp, _
    e.LogicPowerRecoveryFailed, e.OverVoltageCurrent, e.RMSoverload, e.VectorSetupProblems, _
    e.StepInputProblems, e.Thermal, e.Tracking, e.IsShutdown, e.ErrorListStr)
End Function

Dim errorRows
errorRows = Array( _
  "ADCproblems", False, True, False, "CommutationProblems", False, True, False, _
  "CurrentSensorProblems", False, True, False, "EEhardwareProblems", False, True, False, _
  "EEnotInitialized", False, True, False, "EncoderProblems", False, True, False, _
  "LogicPowerBackedUp", False, True, False, "LogicPowerRecoveryFailed", False, True, False, _
  "OverVoltageCurrent", False, True, False, "RMSoverload", False, True, False, _
  "VectorSetupProblems", False, True, False, "StepInputProblems", False, True, False, _
  "Thermal", True, False, False, "Tracking", False, True, False, _
  "IsShutdown", True, True, True, _
  "ErrorListStr", "Thermal shutdown, Drive Shutdown", "N/A 0, N/A 1, Over-current/voltage (I/V) " & _
    "shutdown, Tracking  shutdown, RMS shutdown, Encoder signal problem, Step failure, Commutation " & _
    "signal problem, ADC failure, EE needs initializing, EE hardware failure, Motor setup error, " & _
    "Current Sensor Fault, Logic power backed-up, Power-Up Pos'n Recovery Window Exceeded", "")

ec.Register.Number.Value = &H10008
CheckReads "error-code &H10008:", errorRows, 0, ErrorReads(ec)
ec.Register.Number.Value = &H8000FFF7
CheckReads "error-code &H8000FFF7:", errorRows, 1, ErrorReads(ec)
ec.Register.Number.Value = 0.4
CheckReads "error-code 0.4:", errorRows, 2, ErrorReads(ec)
ec.Refresh
CheckEq TakeJournal(), "Changed, Changed, Changed, Refresh", "error-code events"

Finish

' The five register decoders as a script sees them: late-bound reads, optional and
' converted arguments, errors, and the events with their arguments (the demo's timeline,
' compared with the tool's, tells when the others are raised). What each property decodes,
' the core's tests check; that each is in the late-bound table, the surface test.

Option Explicit

Dim x

' ---- Configuration register ------------------------------------------------------------

Dim cfg, cfgReg
Set cfg = CreateObject("ZentNetLib.ConfigRegObj")
Set cfgReg = cfg.Register
WScript.ConnectObject cfg, "cfg_"
Sub cfg_UpdateView() : Note "UpdateView" : End Sub
Sub cfg_Refresh(newVal) : Note "Refresh(" & (newVal Is cfgReg) & ")" : End Sub

cfgReg.Number.Value = &HA99966DF
CheckRows "config:", Array("Steadix", cfg.Steadix, 1, "MotorStyleStr", cfg.MotorStyleStr, "Linear Brushless")
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

' ---- Status register -------------------------------------------------------------------

Dim st, stReg
Set st = CreateObject("ZentNetLib.StatusRegObj")
Set stReg = st.Register
WScript.ConnectObject st, "st_"
Sub st_ContentChanged(statusRef) : Note "ContentChanged(" & (statusRef Is stReg) & ")" : End Sub

stReg.Number.Value = &HC07FD7FE
CheckRows "status:", Array("LockLevel", st.LockLevel, 3, "AllSystemsGo", st.AllSystemsGo, True)
stReg.ApplySetup
CheckEq TakeJournal(), "ContentChanged(True)", "status events"

' ---- Option register -------------------------------------------------------------------

Dim opt, optReg
Set opt = CreateObject("ZentNetLib.OptionRegObj")
Set optReg = opt.Register
WScript.ConnectObject opt, "opt_"
Sub opt_FirmwareChanged() : Note "FirmwareChanged" : End Sub
Sub opt_Refresh(valRef) : Note "Refresh(" & (valRef Is optReg) & ")" : End Sub

optReg.Number.Value = &H1F700FA
CheckRows "option:", Array("VendorStr", opt.VendorStr, "Unknown vendor 15", "LPBenabled", opt.LPBenabled, True)
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

ioReg.Number.Value = &H380
ioReg.Number.Value = 60528
CheckRows "io:", Array("Bits", io.Bits, 60528, "LastCommutationCode", io.LastCommutationCode, 7)
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

' ---- Error-code register ---------------------------------------------------------------

Dim ec
Set ec = CreateObject("ZentNetLib.ErrorCodeObj")
WScript.ConnectObject ec, "ec_"
Sub ec_Refresh() : Note "Refresh" : End Sub

ec.Register.Number.Value = &H10008
CheckRows "error-code:", Array("ErrorListStr", ec.ErrorListStr, "Thermal shutdown, Drive Shutdown")
ec.Refresh
CheckEq TakeJournal(), "Refresh", "error-code events"

Finish

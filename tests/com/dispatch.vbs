' Late binding as a script engine uses it: every access asks for the member's name again,
' in whatever case the script wrote it, and calls it by the identifier it got.

Option Explicit

Dim status, io, i, x, bits, cmds, config, v
Set status = CreateObject("ZentNetLib.StatusRegObj")
status.Register.Number.Value = &H821

' The second pass finds every name as the first one left it.
For i = 1 To 2
  CheckRows "pass " & i & ":", Array("AmpDisable", status.AmpDisable, True, _
    "ampdisable", status.ampdisable, True, "AMPDISABLE", status.AMPDISABLE, True, _
    "EncoderError", status.encodererror, True, "LockLevel", status.LOCKLEVEL, 0, _
    "BitStr(11)", status.bitstr(11), "Amp Disabled")
Next

' A name that is no member stays unknown, however often it is asked for.
On Error Resume Next
For i = 1 To 2
  x = status.NoSuchMember
  CheckEq Err.Number, 438, "an unknown name, pass " & i
  Err.Clear
Next
On Error GoTo 0

' A member that takes a script variable by reference is still bound to it once known.
Set io = CreateObject("ZentNetLib.IOregisterObj")
For i = 1 To 2
  bits = &H380
  CheckEq io.BitNames(bits), "COMMUTATION T, COMMUTATION S, COMMUTATION R", "BitNames of a variable, pass " & i
Next

' A member that does not write a variable back leaves it as it was, also when it fails.
Set cmds = CreateObject("ZentNetLib.CmdLog")
v = 100 : cmds.CommandSent v : CheckEq TypeName(v) & v, "Integer100", "CommandSent's command"
v = 48.4 : x = io.BitNames(v) : CheckEq TypeName(v) & v, "Double48.4", "BitNames' bits"
v = "11" : x = status.BitStr(v) : CheckEq TypeName(v) & v, "String11", "BitStr's bit number"
On Error Resume Next
v = Empty : x = io.BitNames(v)
CheckEq Err.Number, 13, "BitNames of Empty"
CheckEq TypeName(v), "Empty", "... leaves Empty"
Err.Clear

' A member that takes nothing refuses an argument, as the platform's dispatch does elsewhere.
CreateObject("ZentNetLib.SoundEventsObj").RestoreAll 1
CheckEq Err.Number, 450, "RestoreAll with an argument"
Err.Clear
' ... and one that takes more refuses too few (keeping no reference to what it was given).
CreateObject("ZentNetLib.NetSupervisorObj").FireNetworkChanged CreateObject("ZentNetLib.NetAdapterObj")
CheckEq Err.Number, 450, "FireNetworkChanged without its state"
On Error GoTo 0

' The mode lookups show any argument they cannot use as "???", even one that cannot
' become a Variant.
Set config = CreateObject("ZentNetLib.ConfigRegObj")
For Each v In Array(Null, Array(1))
  CheckRows "a mode lookup of " & TypeName(v) & ":", Array( _
    "InputModeStr", config.InputModeStr(v), "???", _
    "HighLevelFeedbackStr", config.HighLevelFeedbackStr(v), "???", _
    "SyncPulseStr", config.SyncPulseStr(v), "???", _
    "ModeLineFoldbackStr", config.ModeLineFoldbackStr(v), "???", _
    "LimitSwitchModeStr", config.LimitSwitchModeStr(v), "???")
Next

Finish

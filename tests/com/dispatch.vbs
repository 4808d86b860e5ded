' Late binding as a script engine uses it: every access asks for the member's name again,
' in whatever case the script wrote it, and calls it by the identifier it got.

Option Explicit

Dim status, io, i, x, bits
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

Finish

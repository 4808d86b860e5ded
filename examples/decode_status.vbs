' Decodes a drive's status register value: the flags, the lock level and the name of every
' set bit.
'   zenthost.exe decode_status.vbs [VALUE]      (or: cscript //nologo decode_status.vbs [VALUE])
' VALUE is decimal or &H hexadecimal; without one the example decodes &H40000821.
Option Explicit

Dim status, value, bit, names
value = &H40000821
If WScript.Arguments.Count > 0 Then value = CLng(WScript.Arguments(0))

Set status = CreateObject("ZentNetLib.StatusRegObj")
' The decoder reads its value object: setting the number decodes it.
status.Register.Number.Value = value

WScript.Echo "Status register &H" & Hex(value)
WScript.Echo "  AllSystemsGo     " & status.AllSystemsGo
WScript.Echo "  AmpDisable       " & status.AmpDisable
WScript.Echo "  EncoderError     " & status.EncoderError
WScript.Echo "  Hardstopped      " & status.Hardstopped
WScript.Echo "  PositiveLimit    " & status.PositiveLimit
WScript.Echo "  NegativeLimit    " & status.NegativeLimit
WScript.Echo "  OverTemp         " & status.OverTemp
WScript.Echo "  TrackingShutdown " & status.TrackingShutdown
WScript.Echo "  LockLevel        " & status.LockLevel

' BitStr names a bit whether or not it is set; list the set ones.
For bit = 0 To 31
  If bit = 31 Then
    If value < 0 Then WScript.Echo "  bit 31: " & status.BitStr(bit)
  ElseIf value And 2 ^ bit Then
    WScript.Echo "  bit " & bit & ": " & status.BitStr(bit)
  End If
Next

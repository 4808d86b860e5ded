' A register decoder as a script sees it: converted arguments, an error as a script error, and
' events with their arguments, a listener's write to a by-reference one reaching the decoder.
' What each property decodes, the core's tests check; the demo's timeline, the other events.

Option Explicit

Dim x

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

ioReg.Number.Value = &H380
ioReg.Number.Value = 60528
ioReg.Number.Value = &H300
CheckEq TakeJournal(), "CommutationChanged(7, 0), CommutationChanged(0, 7), CommutationChanged(6, 0)", _
  "io events"
CheckEq io.LastCommutationCode, 9, "the handler's lastCode"
CheckEq io.BitNames("&H30"), "+LIMIT IN, -LIMIT IN", "BitNames of text"

On Error Resume Next
x = io.BitNames("abc")
CheckErr 13, "ZentNetLib", "Type mismatch", "BitNames(abc)"
On Error GoTo 0

Finish

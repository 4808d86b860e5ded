' A register decoder as a script sees it: converted arguments, an error as a script error, and
' a listener's write to a by-reference event argument reaching the decoder. What each property
' decodes, the core's tests check; the demo's timeline, the events and their arguments.

Option Explicit

Dim x

' ---- I/O register: commutation code 7, then 6 -------------------------------------------------

Dim io, ioReg
Set io = CreateObject("ZentNetLib.IOregisterObj")
Set ioReg = CreateObject("ZentNetLib.ErrorCodeObj").Register
Set io.ValueObjRef = ioReg
WScript.ConnectObject io, "io_"
' The listener's write into lastCode is the decoder's.
Sub io_CommutationChanged(thisCode, lastCode)
  If thisCode = 6 Then lastCode = 9
End Sub

ioReg.Number.Value = &H380
ioReg.Number.Value = &H300
CheckEq io.LastCommutationCode, 9, "the handler's lastCode"
CheckEq io.BitNames("&H30"), "+LIMIT IN, -LIMIT IN", "BitNames of text"

On Error Resume Next
x = io.BitNames("abc")
CheckErr 13, "ZentNetLib", "Type mismatch", "BitNames(abc)"
On Error GoTo 0

Finish

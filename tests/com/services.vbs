' The application services as a script sees them: the error reflector with the script's own
' Err object, sound-event settings, hot keys, both event hubs (by-reference arguments
' included) and the command log's file.

Option Explicit

Dim x, i

' ---- Error reflector -----------------------------------------------------------------------

Dim refl, hot
Set refl = CreateObject("ZentNetLib.ErrReflector")
Set hot = CreateObject("ZentNetLib.HotKeyObj")
CheckRows "new reflector:", Array("Number", refl.Number, 0, "Source", refl.Source, "", _
  "Description", refl.Description, "", "HelpContext", refl.HelpContext, 0, "HelpFile", refl.HelpFile, "")

On Error Resume Next
refl.Raise
CheckErr 5, "ZentNetLib", "Invalid procedure call or argument", "Raise before any CopyError"

' The script's own Err object is copied, cleared, then raised again from the copy, twice.
Err.Raise 6301, "NetAdapterObj.NetOpen(let opening)", "Port setup problems: busy or non-existant", "zent.hlp", 42
refl.CopyError = Err
CheckErr 6301, "NetAdapterObj.NetOpen(let opening)", "Port setup problems: busy or non-existant", "CopyError leaves Err alone"
For i = 1 To 2
  refl.Raise
  CheckEq Err.HelpFile & " " & Err.HelpContext, "zent.hlp 42", "Raise's help file and context, time " & i
  CheckErr 6301, "NetAdapterObj.NetOpen(let opening)", "Port setup problems: busy or non-existant", "Raise, time " & i
Next

' An error of another of the library's objects, and an object error, the same way.
hot.ShiftCodes = 32768
x = hot.Key
refl.CopyError = Err
Err.Clear
refl.Raise
CheckErr 6, "ZentNetLib", "Overflow", "a copied overflow raised again"
CheckRows "copy of the overflow:", Array("HelpFile", refl.HelpFile, "", "HelpContext", refl.HelpContext, 0)
Err.Raise -2147217430, "SetrixObj.Ports(let)", "Serial port selection problems."
refl.CopyError = Err
Err.Clear
refl.Raise
CheckErr -2147217430, "SetrixObj.Ports(let)", "Serial port selection problems.", "a copied object error raised again"
On Error GoTo 0

' ---- Sound events --------------------------------------------------------------------------

Dim snd
Set snd = CreateObject("ZentNetLib.SoundEventsObj")
WScript.ConnectObject snd, "snd_"
Sub snd_Changed() : Note "Changed" : End Sub
Sub snd_ControlChanged() : Note "ControlChanged" : End Sub

CheckRows "new sound events:", Array("Bits", snd.Bits, 2147483647, "Control", snd.Control, False, _
  "TorqueSaturation", snd.TorqueSaturation, False, "Shutdown", snd.Shutdown, False)
snd.Control = True
CheckRows "switched on:", Array("TorqueSaturation", snd.TorqueSaturation, True, _
  "VoltageSaturation", snd.VoltageSaturation, True, "LimitAssertion", snd.LimitAssertion, True, _
  "Shutdown", snd.Shutdown, True, "OffOnLine", snd.OffOnLine, True)
snd.VoltageSaturation = False
CheckRows "voltage saturation off:", Array("Bits", snd.Bits, 2147483645, _
  "VoltageSaturation", snd.VoltageSaturation, False, "TorqueSaturation", snd.TorqueSaturation, True)
snd.Bits = 0
snd.Shutdown = True
snd.Shutdown = True
CheckRows "Bits 0, then Shutdown:", Array("Bits", snd.Bits, 8, "Shutdown", snd.Shutdown, True, _
  "LimitAssertion", snd.LimitAssertion, False)
snd.Control = False
CheckEq snd.Shutdown, False, "Shutdown with the master switch off"
snd.RestoreAll
CheckEq snd.Bits, 2147483647, "RestoreAll"
CheckEq TakeJournal(), "ControlChanged, Changed, Changed, Changed, Changed, ControlChanged, Changed", _
  "one Changed per Let of a condition or Bits, ControlChanged alone for Control"

' ---- Hot key -------------------------------------------------------------------------------

Class Form
  Public hWnd
End Class
Class NoForm
End Class
Dim form
Set form = New Form
form.hWnd = 1234

WScript.ConnectObject hot, "hot_"
Sub hot_Hit() : Note "Hit" : End Sub
Sub hot_HitUp() : Note "HitUp" : End Sub

' KeyCode, ShiftCodes, whether a form is set: Key and KeyName.
Dim keys
keys = Array(112, 0, False, 112, "70", 112, 3, False, 196720, "30070", _
  112, 1, True, 65648, "1234:10070", 112, 1, False, 65648, "10070", _
  65, -1, False, -65471, "FFFF0041")
For i = 0 To UBound(keys) Step 5
  hot.KeyCode = keys(i)
  hot.ShiftCodes = keys(i + 1)
  Set hot.FormRef = Nothing
  If keys(i + 2) Then Set hot.FormRef = form
  CheckEq hot.Key, keys(i + 3), "Key of " & keys(i) & " and " & keys(i + 1)
  CheckEq hot.KeyName, keys(i + 4), "KeyName of " & keys(i) & " and " & keys(i + 1) & ", form " & keys(i + 2)
Next
Check hot.FormRef Is Nothing, "FormRef reads back Nothing"
hot.FireHit
hot.FireHitUp
hot.FireHit
CheckEq TakeJournal(), "Hit, HitUp, Hit", "FireHit and FireHitUp"

On Error Resume Next
Set hot.FormRef = New NoForm
x = hot.KeyName
CheckErr 438, "ZentNetLib", "Object doesn't support this property or method", "KeyName of a form without hWnd"
Set hot.FormRef = Nothing
hot.ShiftCodes = -32769
x = hot.KeyName
CheckErr 6, "ZentNetLib", "Overflow", "KeyName of ShiftCodes -32769"
On Error GoTo 0

' ---- Drive event hub -----------------------------------------------------------------------

Dim drvEvents, node, node2, value
Set drvEvents = CreateObject("ZentNetLib.DriveEventObj")
Set node = CreateObject("ZentNetLib.PhysDriveObj")
Set node2 = CreateObject("ZentNetLib.PhysDriveObj")
Set value = CreateObject("ZentNetLib.ErrorCodeObj").Register
WScript.ConnectObject drvEvents, "drv_"

Function NodeText(n)
  NodeText = "other"
  If n Is node Then NodeText = "node"
End Function
Sub drv_CommError(n, ErrorCode, Extra) : Note "CommError(" & NodeText(n) & ", " & ErrorCode & ", " & Extra & ")" : End Sub
Sub drv_DriveStateChange(n) : Note "DriveStateChange(" & NodeText(n) & ")" : End Sub
Sub drv_EnableChanged(n, newState) : Note "EnableChanged(" & NodeText(n) & ", " & newState & ")" : End Sub
Sub drv_HighLevelFeedbackChanged(n) : Note "HighLevelFeedbackChanged(" & NodeText(n) & ")" : End Sub
Sub drv_MotorTypeChanged(n) : Note "MotorTypeChanged(" & NodeText(n) & ")" : End Sub
Sub drv_ParameterChanged(n, NewValue) : Note "ParameterChanged(" & NodeText(n) & ", " & (NewValue Is value) & ")" : End Sub
Sub drv_SetupUndoChanged(n, newState) : Note "SetupUndoChanged(" & NodeText(n) & ", " & newState & ")" : End Sub
Sub drv_UserIDchanged(n) : Note "UserIDchanged(" & NodeText(n) & ")" : End Sub

' A script's variables are Variants: a typed by-reference parameter takes them in parentheses,
' by value, so a listener's replacement reaches only the runtime's copy.
drvEvents.FireCommError (node), 1505
drvEvents.FireCommError (node), 1509, 7
drvEvents.FireDriveStateChange (node)
drvEvents.FireEnableChanged (node), True
drvEvents.FireHighLevelFeedbackChanged (node)
drvEvents.FireMotorTypeChanged (node)
drvEvents.FireParameterChanged (node), (value)
drvEvents.FireSetupUndoChanged (node), False
drvEvents.FireUserIDchanged (node2)
CheckEq TakeJournal(), "CommError(node, 1505, 0), CommError(node, 1509, 7), DriveStateChange(node), " & _
  "EnableChanged(node, True), HighLevelFeedbackChanged(node), MotorTypeChanged(node), " & _
  "ParameterChanged(node, True), SetupUndoChanged(node, False), UserIDchanged(other)", "drive events"

' ---- Application event hub -----------------------------------------------------------------

Dim app, cancelAnswer, demo, net
cancelAnswer = False
Set app = CreateObject("ZentNetLib.AppStateEventObj")
CheckEq app.FireTerminate, False, "FireTerminate without a listener"
WScript.ConnectObject app, "app_"

Sub app_LockChanged(newState) : Note "LockChanged(" & newState & ")" : newState = 0 : End Sub
Sub app_TechSupportChanged(newState) : Note "TechSupportChanged(" & newState & ")" : End Sub
Sub app_PollStateChanged(newState) : Note "PollStateChanged(" & newState & ")" : End Sub
Sub app_TimerTick() : Note "TimerTick" : End Sub
Sub app_MotorPageEnableChanged(newState) : Note "MotorPageEnableChanged(" & newState & ")" : End Sub
Sub app_NetworkChange(n, newState) : Note "NetworkChange(" & (n Is net) & ", " & newState & ")" : newState = 1 : End Sub
' A later listener sees what an earlier one wrote into an argument, except into NetworkChange's
' by-value state.
WScript.ConnectObject app, "later_"
Sub later_LockChanged(newState) : Note "then " & newState : End Sub
Sub later_NetworkChange(n, newState) : Note "then " & newState : End Sub
Sub app_Terminate(cancel)
  Note "Terminate(" & cancel & ")"
  cancel = cancelAnswer
End Sub
' The listener that builds the demo drive hands it back through the second argument.
Sub app_CreateDemoDrive(dType, demoDrv)
  Note "CreateDemoDrive(" & dType & ", " & (demoDrv Is Nothing) & ")"
  Set demoDrv = node2
End Sub

Set net = CreateObject("ZentNetLib.NetAdapterObj")
app.FireLockChange 2
app.FirePollStateChange True
app.FireTechSupportChange False
app.FireTimerTick
app.FireNetChange (net), 9
CheckEq app.FireTerminate, False, "FireTerminate, not cancelled"
cancelAnswer = True
CheckEq app.FireTerminate, True, "FireTerminate, cancelled"
Set demo = Nothing
app.FireCreateDemoDrive 7, (demo)
app.MotorPageEnabled = True
app.MotorPageEnabled = True
app.MotorPageEnabled = False
CheckEq app.MotorPageEnabled, False, "MotorPageEnabled"
CheckEq TakeJournal(), "LockChanged(2), then 0, PollStateChanged(True), TechSupportChanged(False), TimerTick, " & _
  "NetworkChange(True, 9), then 9, Terminate(False), Terminate(False), CreateDemoDrive(7, True), " & _
  "MotorPageEnableChanged(True), MotorPageEnableChanged(False)", "application events"

' ---- Command log ---------------------------------------------------------------------------

' The log lives beside the library: NetLib.Version's second line names its folder and file.
Dim cmdLog, logPath, fso, lines, stamped
Set fso = CreateObject("Scripting.FileSystemObject")
lines = Split(CreateObject("ZentNetLib.NetLib").Version, vbCrLf)
logPath = lines(1)
logPath = Left(logPath, Len(logPath) - Len("ZentNetLib")) & "sx_cmds.log"
Set cmdLog = CreateObject("ZentNetLib.CmdLog")
CheckRows "new log:", Array("Logging", cmdLog.Logging, False, "LogPolling", cmdLog.LogPolling, False, _
  "InPoll", cmdLog.InPoll, False)
cmdLog.RunTimeLog "before any file"
cmdLog.Logging = True
cmdLog.LogToFile(False) = True
cmdLog.CommandSent "PV 100"
cmdLog.Received "v 300" & vbCr
cmdLog.InPoll = True
cmdLog.CommandSent "RV"
cmdLog.Received "v 1"
cmdLog.Errors "Time out", "RV" & Chr(0)
cmdLog.InPoll = False
cmdLog.Logging = False
cmdLog.CommandSent "MV 1 2"
On Error Resume Next
Err.Raise 5, "Script.Step", "Bad step"
cmdLog.RunTimeErr Err, ""
cmdLog.RunTimeErr Err, "Main"
Err.Clear
On Error GoTo 0
cmdLog.LogToFile(False) = False
cmdLog.RunTimeLog "outside a session"

' Lines that carry a time stamp begin with "YY/MM/DD HH:MM:SS"; the rest is compared after it.
lines = Split(fso.OpenTextFile(logPath, 1).ReadAll, vbCrLf)
stamped = Array("", "", "+ ******** Session Started *********", "+ cmd: PV 100 [0x64] => v 300\XD [0x12C]", _
  " ***ERROR: Time out. Dump: RV\X0", "+ RUN-TIME: err# 5 desc: 'Bad step' src: 'Script.Step'", _
  "+ RUN-TIME: err# 5 desc: 'Bad step' src: 'Main'", "", "", "+ ******** Session Closed *********", _
  "+ RUN-TIME: outside a session", "")
CheckEq UBound(lines), UBound(stamped), "lines in the log"
For i = 0 To UBound(lines)
  If i > UBound(stamped) Then Exit For
  If Left(stamped(i), 1) = "+" Then
    Check IsNumeric(Left(lines(i), 2) & Mid(lines(i), 4, 2) & Mid(lines(i), 7, 2) & Mid(lines(i), 10, 2) & _
      Mid(lines(i), 13, 2) & Mid(lines(i), 16, 2)) And Mid(lines(i), 9, 1) = " ", "log line " & i & " has a time stamp"
    CheckEq Mid(lines(i), 18), Mid(stamped(i), 2), "log line " & i
  Else
    CheckEq lines(i), stamped(i), "log line " & i
  End If
Next
fso.DeleteFile logPath

Finish

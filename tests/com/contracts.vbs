' The library's published face as a script sees it: every class of both DLLs by ProgID, the
' inert default objects behind the drive and root-object interfaces, and our value library's
' objects with their events. What the inert objects read, the core's tests check.

Option Explicit

Dim name, x, n

' Every class by its version-independent and its version 1 ProgID (a class that cannot be
' created ends the suite with its error).
For Each name In Array("ZentNetLib.CmdLog", "ZentNetLib.DriveEventObj", "ZentNetLib.NetSupervisorObj", _
    "ZentNetLib.ConfigRegObj", "ZentNetLib.ErrorCodeObj", "ZentNetLib.IOregisterObj", _
    "ZentNetLib.MonitorPortStateObj", "ZentNetLib.SoundEventsObj", "ZentNetLib.StatusRegObj", _
    "ZentNetLib.StimulusStateObj", "ZentNetLib.OptionRegObj", "ZentNetLib.NetAdapterObj", "ZentNetLib.HotKeyObj", _
    "ZentNetLib.AppStateEventObj", "ZentNetLib.ErrReflector", "ZentNetLib.NetLib", "ZentNetLib.PhysDriveObj", _
    "ValuesLib.ValueObj", "ValuesLib.ValueNumberObj", "ValuesLib.LockLevelObj", "ValuesLib.FlashObj")
  For Each x In Array("", ".1")
    CheckEq TypeName(CreateObject(name & x)), "_" & Mid(name, InStr(name, ".") + 1), name & x
  Next
Next

' ---- The library's own drive and root objects: every write and call inert, optional
' arguments left out or given --------------------------------------------------------------

Dim drv, hot, nl, version
Set drv = CreateObject("ZentNetLib.PhysDriveObj")
Set hot = CreateObject("ZentNetLib.HotKeyObj")
Set nl = CreateObject("ZentNetLib.NetLib")
On Error Resume Next
drv.AddToPosition 100 : drv.MotorFileSave "motor.mtr", False : drv.ScenarioRecall 1 : drv.SetupUndo
drv.SystemFileLoad "setup.sys" : drv.SystemFileSave "setup.sys", True
nl.CreateDemoDrive : nl.CreateDemoDrive 3 : nl.RegisterFKey hot : nl.SystemFileSave "setup.sys", False
nl.TechSupportModeEnable 1234 : nl.UnRegisterFKey hot
CheckErr 0, "", "", "the inert objects' methods"
On Error GoTo 0

' Version: the numbers (the demo's first line shows them), CR LF, then the library's folder
' and its file name without extension; every read of Flash makes a new object.
version = Split(nl.Version, vbCrLf)
Check UBound(version) = 1 And InStr(version(1), ":\") = 2 And Right(version(1), 11) = "\ZentNetLib", "Version " & nl.Version
Check Not nl.Flash Is nl.Flash, "every read of Flash makes a new object"

' ---- Our value library: a value's number and its events, the set-up fields, copying ------

Dim v, w, lk
Function Seen(event, newVal)
  Seen = event & "(" & newVal.Number.Value & " after " & newVal.Number.PreviousValue & ", " & (newVal Is v) & ")"
End Function
Sub v_ValueChanged(newVal) : Note Seen("ValueChanged", newVal) : End Sub
Sub v_Changed(newVal) : Note Seen("Changed", newVal) : End Sub
Sub v_ContentChanged(newVal) : Note Seen("ContentChanged", newVal) : End Sub
Sub v_Refresh(newVal) : Note Seen("Refresh", newVal) : End Sub
Sub w_ContentChanged(newVal) : Note "w ContentChanged(" & (newVal Is w) & ")" : End Sub
Sub lk_Changed() : Note "Changed(" & lk.Level & ")" : End Sub

Set v = CreateObject("ValuesLib.ValueObj")
WScript.ConnectObject v, "v_"
v.Number.Value = 5
v.Number.Value = 5
v.Number.Value = -2.5
v.Refresh
v.ApplySetup
CheckEq TakeJournal(), "ValueChanged(5 after 0, True), Changed(5 after 0, True), ValueChanged(-2.5 after 5, True), " & _
  "Changed(-2.5 after 5, True), Refresh(-2.5 after 5, True), ContentChanged(-2.5 after 5, True)", "value events"

v.Name = "Mode"
Set w = CreateObject("ValuesLib.ValueObj")
WScript.ConnectObject w, "w_"
v.CopyContentTo w
CheckEq TakeJournal(), "w ContentChanged(True)", "CopyContentTo raises on the copy only"
CheckRows "copied", Array("Name", w.Name, "Mode", "Value", w.Number.Value, -2.5, "PreviousValue", w.Number.PreviousValue, 5)
On Error Resume Next
v.CopyContentTo Nothing
CheckErr 91, "ZentNetLib", "Object variable or With block variable not set", "CopyContentTo Nothing"
On Error GoTo 0

Set lk = CreateObject("ValuesLib.LockLevelObj")
WScript.ConnectObject lk, "lk_"
lk.Level = 2
lk.Level = 2
lk.Level = 0
CheckEq TakeJournal(), "Changed(2), Changed(0)", "lock level changes"

' Optional arguments left out take their published defaults.
Dim cmdLog, c
Set cmdLog = CreateObject("ZentNetLib.CmdLog")
On Error Resume Next
Err.Raise 5
cmdLog.RunTimeErr Err
CheckEq Err.Number, 5, "RunTimeErr without routine leaves the error passed to it"
On Error GoTo 0

' The collections we hand out are the runtime's: places by position or key, keys unique
' without regard to case.
Set c = CreateObject("ZentNetLib.NetAdapterObj").Nodes
c.Add "b", "B"
c.Add "a", , 1
c.Add "c", , , "b"
CheckRows "collection:", Array("Count", c.Count, 3, "order", c(1) & c(2) & c(3), "abc")
On Error Resume Next
c.Add "x", "b"
CheckErr 457, "ZentNetLib", "This key is already associated with an element of this collection", "duplicate key"
On Error GoTo 0

Finish

' The library's published face as a script sees it: every class of both DLLs by ProgID, and
' our value library's objects with their events. The rest, the core's and the contract
' client's tests check.

Option Explicit

Dim name, x

' Every class by its version-independent and its version 1 ProgID (a class that cannot be
' created ends the suite with its error).
For Each name In Split("ZentNetLib.CmdLog ZentNetLib.DriveEventObj ZentNetLib.NetSupervisorObj " & _
    "ZentNetLib.ConfigRegObj ZentNetLib.ErrorCodeObj ZentNetLib.IOregisterObj ZentNetLib.MonitorPortStateObj " & _
    "ZentNetLib.SoundEventsObj ZentNetLib.StatusRegObj ZentNetLib.StimulusStateObj ZentNetLib.OptionRegObj " & _
    "ZentNetLib.NetAdapterObj ZentNetLib.HotKeyObj ZentNetLib.AppStateEventObj ZentNetLib.ErrReflector " & _
    "ZentNetLib.NetLib ZentNetLib.PhysDriveObj ValuesLib.ValueObj ValuesLib.ValueNumberObj " & _
    "ValuesLib.LockLevelObj ValuesLib.FlashObj")
  For Each x In Array("", ".1")
    CheckEq TypeName(CreateObject(name & x)), "_" & Mid(name, InStr(name, ".") + 1), name & x
  Next
Next
' The flash library's object as the root object hands it out.
Set x = CreateObject("ZentNetLib.NetLib").Flash
If x Is Nothing Then Fail "NetLib.Flash is Nothing" Else CheckEq TypeName(x), "_FlashObj", "NetLib.Flash"

' The runtime's collection late-bound (its slots are the contract client's): Add after a
' position with the key and before left out, Remove, Count, Item.
Set x = CreateObject("ZentNetLib.NetAdapterObj").Nodes
x.Add "a" : x.Add "c" : x.Add "b", , , 1 : x.Remove 3
CheckEq x.Count & x(1) & x.Item(2), "2ab", "Nodes: Add after 1, Remove 3, Count, Item"

' ---- Our value library: a value's number and its events, copying ----------------------

Dim v, w
Function Seen(event, newVal)
  Seen = event & "(" & newVal.Number.Value & " after " & newVal.Number.PreviousValue & ", " & (newVal Is v) & ")"
End Function
Sub v_ValueChanged(newVal) : Note Seen("ValueChanged", newVal) : End Sub
Sub v_Changed(newVal) : Note Seen("Changed", newVal) : End Sub
Sub v_ContentChanged(newVal) : Note Seen("ContentChanged", newVal) : End Sub
Sub v_Refresh(newVal) : Note Seen("Refresh", newVal) : End Sub
Sub w_ContentChanged(newVal) : Note "w ContentChanged(" & (newVal Is w) & ")" : End Sub

Set v = CreateObject("ValuesLib.ValueObj")
WScript.ConnectObject v, "v_"
v.Number.Value = 5
v.Number.Value = 5
v.Number.Value = -2.5
v.Refresh
v.ApplySetup
CheckEq TakeJournal(), "ValueChanged(5 after 0, True), Changed(5 after 0, True), ValueChanged(-2.5 after 5, True), " & _
  "Changed(-2.5 after 5, True), Refresh(-2.5 after 5, True), ContentChanged(-2.5 after 5, True)", "value events"

Set w = CreateObject("ValuesLib.ValueObj")
WScript.ConnectObject w, "w_"
v.CopyContentTo w
CheckEq TakeJournal(), "w ContentChanged(True)", "CopyContentTo raises on the copy only"
On Error Resume Next
v.CopyContentTo Nothing
CheckErr 91, "ZentNetLib", "Object variable or With block variable not set", "CopyContentTo Nothing"
On Error GoTo 0

' Optional arguments left out take their published defaults.
Dim cmdLog
Set cmdLog = CreateObject("ZentNetLib.CmdLog")
On Error Resume Next
Err.Raise 5
cmdLog.RunTimeErr Err
CheckEq Err.Number, 5, "RunTimeErr without routine leaves the error passed to it"
On Error GoTo 0

Finish

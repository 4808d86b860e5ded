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

' The runtime's collection late-bound (its slots are skin_test's): Add after a
' position with the key and before left out, Remove, Count, Item.
Set x = CreateObject("ZentNetLib.NetAdapterObj").Nodes
x.Add "a" : x.Add "c" : x.Add "b", , , 1 : x.Remove 3
CheckEq x.Count & x(1) & x.Item(2), "2ab", "Nodes: Add after 1, Remove 3, Count, Item"

' ---- Our value library: a value's event reaches a script with the value itself (which
' events each change raises, the core's tests check) ---------------------------------------

Dim v
Sub v_Changed(newVal) : Note "Changed(" & newVal.Number.Value & ", " & (newVal Is v) & ")" : End Sub
Set v = CreateObject("ValuesLib.ValueObj")
WScript.ConnectObject v, "v_"
v.Number.Value = 5
CheckEq TakeJournal(), "Changed(5, True)", "a value's event"

' Optional arguments left out take their published defaults.
Dim cmdLog
Set cmdLog = CreateObject("ZentNetLib.CmdLog")
On Error Resume Next
Err.Raise 5
cmdLog.RunTimeErr Err
CheckEq Err.Number, 5, "RunTimeErr without routine leaves the error passed to it"
On Error GoTo 0

Finish

' Our value library as a script sees it: its classes by ProgID, a value's number and its
' events in order, the set-up fields, copying, and the lock level.

Option Explicit

Dim name, o, v, w, lk, both

' Wine's VBScript never frees an array that For Each walks without a variable holding it,
' nor the objects in it: such arrays are held in `both`.
For Each name In Array("ValueObj", "ValueNumberObj", "LockLevelObj", "FlashObj")
  both = Array(CreateObject("ValuesLib." & name), CreateObject("ValuesLib." & name & ".1"))
  For Each o In both
    CheckEq TypeName(o), "_" & name, "ValuesLib." & name
  Next
Next

' ---- A value's number and its events -------------------------------------------------------

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
Check v.Number Is v.Number, "the same number object twice"
v.Number.Value = 5
v.Number.Value = 5
v.Number.Value = -2.5
CheckEq TakeJournal(), "ValueChanged(5 after 0, True), Changed(5 after 0, True), " & _
  "ValueChanged(-2.5 after 5, True), Changed(-2.5 after 5, True)", "number writes"
v.Refresh
v.ApplySetup
v.RequestNumber.Value = 9
CheckEq TakeJournal(), "Refresh(-2.5 after 5, True), ContentChanged(-2.5 after 5, True)", "Refresh, ApplySetup, request"
CheckEq v.RequestNumber.Value, 9, "the request number"

v.Name = "Mode" : v.ShortName = "M" : v.ParamNum = 62 : v.EditLock = 2 : v.SetupA = 3 : v.SetupB = -1
v.SetupC = 1 : v.SetupD = 6 : v.SetupE = 7 : v.SetupF = &H7FFFFFFF : v.SetupG = &H80000000
With v.Number
  .LowerBoundA = -1.5 : .UpperBoundA = 4 : .LowerBoundB = -32768 : .UpperBoundB = 32767 : .DefaultValue = 1
  .SetupH = -1 : .SetupI = 8 : .SetupJ = 9 : .SetupK = 10 : .Format = "0.00" : .Label = "rpm"
  .InitialValue = 0.5 : .Scale = 4000
End With
Set w = CreateObject("ValuesLib.ValueObj")
WScript.ConnectObject w, "w_"
v.CopyContentTo w
CheckEq TakeJournal(), "w ContentChanged(True)", "CopyContentTo raises on the copy only"
both = Array(v, w)
For Each o In both
  CheckRows "set-up", Array("Name", o.Name, "Mode", "ShortName", o.ShortName, "M", "ParamNum", o.ParamNum, 62, _
    "EditLock", o.EditLock, 2, "SetupA", o.SetupA, 3, "SetupB", o.SetupB, -1, "SetupC", o.SetupC, 1, _
    "SetupD", o.SetupD, 6, "SetupE", o.SetupE, 7, "SetupF", o.SetupF, &H7FFFFFFF, "SetupG", o.SetupG, &H80000000, _
    "Value", o.Number.Value, -2.5, "PreviousValue", o.Number.PreviousValue, 5, "request", o.RequestNumber.Value, 9)
  With o.Number
    CheckRows "number set-up", Array("LowerBoundA", .LowerBoundA, -1.5, "UpperBoundA", .UpperBoundA, 4, _
      "LowerBoundB", .LowerBoundB, -32768, "UpperBoundB", .UpperBoundB, 32767, "DefaultValue", .DefaultValue, 1, _
      "SetupH", .SetupH, -1, "SetupI", .SetupI, 8, "SetupJ", .SetupJ, 9, "SetupK", .SetupK, 10, _
      "Format", .Format, "0.00", "Label", .Label, "rpm", "InitialValue", .InitialValue, 0.5, "Scale", .Scale, 4000)
  End With
Next

On Error Resume Next
v.CopyContentTo Nothing
CheckErr 91, "ZentNetLib", "Object variable or With block variable not set", "CopyContentTo Nothing"
On Error GoTo 0

' A number of its own notifies nobody.
Set o = CreateObject("ValuesLib.ValueNumberObj")
o.Value = 3
o.Value = 4
CheckRows "own number", Array("Value", o.Value, 4, "PreviousValue", o.PreviousValue, 3, "Scale", o.Scale, 1)

' ---- The lock level ------------------------------------------------------------------------

Sub lk_Changed() : Note "Changed(" & lk.Level & ")" : End Sub
Set lk = CreateObject("ValuesLib.LockLevelObj")
WScript.ConnectObject lk, "lk_"
lk.Level = 2
lk.Level = 2
lk.Level = 0
CheckEq TakeJournal(), "Changed(2), Changed(0)", "lock level changes"

Finish

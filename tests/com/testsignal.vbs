' The monitor port's events reaching a script, and the stimulus's endless re-entry as a script
' error. The rest is the core's, the demo's and the contract client's to check.

Option Explicit

' ---- Monitor port --------------------------------------------------------------------------

Dim mon
Set mon = CreateObject("ZentNetLib.MonitorPortStateObj")
WScript.ConnectObject mon, "mon_"
Sub mon_VariableChanged() : Note "VariableChanged" : End Sub
Sub mon_SyncPulseChanged() : Note "SyncPulseChanged" : End Sub
Sub mon_RescaleAmplitude() : Note "RescaleAmplitude" : End Sub
Sub mon_Changed() : Note "Changed" : End Sub

mon.Variable.Number.Value = 7
CheckEq TakeJournal(), "VariableChanged, RescaleAmplitude, Changed", "variable 7"
mon.SyncPulse = 2
CheckEq TakeJournal(), "SyncPulseChanged", "SyncPulse 2"

' One value object in two fields re-enters the mode handler without end: the script gets 28
' and the state works again once the field holds an object of its own.
Dim loopy
Set loopy = CreateObject("ZentNetLib.StimulusStateObj")
Set loopy.TrackingLimit = loopy.Mode
On Error Resume Next
loopy.Start
CheckErr 28, "ZentNetLib", "Out of stack space", "Start with the mode as the tracking limit"
On Error GoTo 0
Set loopy.TrackingLimit = CreateObject("ValuesLib.ValueObj")
loopy.Initializing = False
loopy.Terminate
loopy.Start
CheckEq loopy.Running, True, "running after the loop"

Finish

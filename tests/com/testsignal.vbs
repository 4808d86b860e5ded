' The stimulus's endless re-entry as a script error. The rest is the core's, the demo's and
' the other suites' to check (a value object of the other library reaching a decoder's
' script listeners is registers.vbs's).

Option Explicit

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

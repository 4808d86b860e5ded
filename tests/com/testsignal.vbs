' The stimulus generator and a monitor port as a script sees them: their value objects,
' optional arguments, the monitor port's events and the errors of a missing object. Starting
' and stopping the stimulus, its events and the tracking limit it installs are the demo's
' and the contract client's to check.

Option Explicit

' ---- Stimulus generator --------------------------------------------------------------------

Dim stim
Set stim = CreateObject("ZentNetLib.StimulusStateObj")

CheckRows "new stimulus:", Array("Running", stim.Running, False, "StimMode", stim.StimMode, 0, _
  "UImode", stim.UImode, 3, "ModeStr", stim.ModeStr, "Position", "VelocityQ", stim.VelocityQ, 1, _
  "Mode.Name", stim.Mode.Name, "Mode", "ConfigReg.LinearMotor", stim.ConfigReg.LinearMotor, False)

stim.ConfigReg.MotorStyle = 2
CheckEq stim.ModeStr(2), "Force", "ModeStr(2), linear"

On Error Resume Next
Set stim.TrackingLimit = Nothing
stim.Start
CheckErr 91, "ZentNetLib", "Object variable or With block variable not set", "Start without a tracking limit"
On Error GoTo 0

' ---- Monitor port --------------------------------------------------------------------------

Dim mon
Set mon = CreateObject("ZentNetLib.MonitorPortStateObj")
WScript.ConnectObject mon, "mon_"
Sub mon_VariableChanged() : Note "VariableChanged" : End Sub
Sub mon_SyncPulseChanged() : Note "SyncPulseChanged" : End Sub
Sub mon_RescaleAmplitude() : Note "RescaleAmplitude" : End Sub
Sub mon_Changed() : Note "Changed" : End Sub

CheckRows "new port:", Array("MonitorVarStr", mon.MonitorVarStr, "Me (shouldn't see this)", _
  "SyncPulseStr", mon.SyncPulseStr, "None", "Filter.Number.Format", mon.Filter.Number.Format, "#,##0.#")
mon.Variable.Number.Value = 7
CheckEq TakeJournal(), "VariableChanged, RescaleAmplitude, Changed", "variable 7"
mon.ConfigReg.Register.Number.Value = &H200
CheckRows "MonitorVarStr, linear:", Array("()", mon.MonitorVarStr, "Actual Force", _
  "(3)", mon.MonitorVarStr(3), "Cmd Velocity (VEX)", "(-5)", mon.MonitorVarStr(-5), "Unknown Variable: 65531")
Call TakeJournal()
mon.SyncPulse = 2
CheckEq TakeJournal(), "SyncPulseChanged", "SyncPulse 2"
mon.ChangeTo 5, 100, 0
CheckEq mon.Variable.RequestNumber.Value, 5, "ChangeTo requests the variable"


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

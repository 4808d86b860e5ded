' The stimulus generator and a monitor port as a script sees them: their value objects, the
' mode handler's re-entrant bursts, by-reference event arguments and the port's guards.

Option Explicit

Dim x, cancelAnswer
cancelAnswer = False

' ---- Stimulus generator --------------------------------------------------------------------

Dim stim, tl
Set stim = CreateObject("ZentNetLib.StimulusStateObj")
Set tl = stim.TrackingLimit
WScript.ConnectObject stim, "stim_"

Sub stim_AmplitudeChanged() : Note "AmplitudeChanged" : End Sub
Sub stim_PeriodChanged() : Note "PeriodChanged" : End Sub
Sub stim_ModeChanged() : Note "ModeChanged" : End Sub
Sub stim_StimulusChanged() : Note "StimulusChanged" : End Sub
Sub stim_UIModeChanged() : Note "UIModeChanged" : End Sub
Sub stim_UIchanged() : Note "UIchanged" : End Sub
Sub stim_Refresh() : Note "Refresh" : End Sub
Sub stim_UpdateView() : Note "UpdateView" : End Sub
Sub stim_AdjustAmplitudeScaling(newMode) : Note "AdjustAmplitudeScaling(" & newMode & ")" : End Sub

' The listener reads the flag as it arrives and answers through it.
Sub stim_TrackingLimSetup(cancel)
  Note "TrackingLimSetup(" & cancel & ")"
  cancel = cancelAnswer
End Sub

CheckRows "new stimulus:", Array( _
  "Running", stim.Running, False, _
  "StimMode", stim.StimMode, 0, _
  "UImode", stim.UImode, 3, _
  "LastMode", stim.LastMode, 3, _
  "ModeStr", stim.ModeStr, "Position", _
  "VelocityQ", stim.VelocityQ, 1, _
  "Initializing", stim.Initializing, False, _
  "Mode.Name", stim.Mode.Name, "Mode", _
  "Mode.Number.UpperBoundA", stim.Mode.Number.UpperBoundA, 4, _
  "Period.Name", stim.Period.Name, "Period", _
  "Period.Number.LowerBoundB", stim.Period.Number.LowerBoundB, 1, _
  "Amplitude.Name", stim.Amplitude.Name, "Amplitude", _
  "Amplitude.Number.LowerBoundB", stim.Amplitude.Number.LowerBoundB, -32768, _
  "ConfigReg.LinearMotor", stim.ConfigReg.LinearMotor, False)

' Amplitude 8 loaded quietly and a normal tracking limit of 500 that the state remembers.
stim.Initializing = True
stim.Amplitude.Number.Value = 8
stim.Initializing = False
tl.Number.Value = 500
tl.ApplySetup
CheckEq TakeJournal(), "UpdateView", "loading amplitude and tracking limit"

Const kModeBurst = "ModeChanged, StimulusChanged, UpdateView"
stim.Start
CheckEq TakeJournal(), "TrackingLimSetup(False), " & kModeBurst & ", AdjustAmplitudeScaling(3)", "Start"
CheckRows "started:", Array("Running", stim.Running, True, "StimMode", stim.StimMode, 3, _
  "tracking limit", tl.Number.Value, 10, "amplitude scale", stim.Amplitude.Number.Scale, 1)
stim.Terminate
CheckEq TakeJournal(), kModeBurst & ", AdjustAmplitudeScaling(0)", "Terminate"
CheckEq tl.Number.Value, 500, "Terminate restores the tracking limit"

cancelAnswer = True
stim.Start
cancelAnswer = False
CheckEq TakeJournal(), "TrackingLimSetup(False), " & kModeBurst & ", AdjustAmplitudeScaling(3)", "cancelled Start"
CheckEq tl.Number.Value, 500, "a cancelled Start keeps the tracking limit"
stim.Terminate

' A switch between two running modes is a stop followed by a start, all inside the write.
stim.StimMode = 1
CheckEq tl.Number.Value, 0, "velocity mode's tracking limit"
Call TakeJournal()
stim.Mode.Number.Value = 2
CheckEq TakeJournal(), kModeBurst & ", AdjustAmplitudeScaling(0), AdjustAmplitudeScaling(2), " & _
  "TrackingLimSetup(False), " & kModeBurst & ", AdjustAmplitudeScaling(2)", "owner switches 1 to 2"
CheckRows "after the switch:", Array("LastMode", stim.LastMode, 2, "StimMode", stim.StimMode, 2, _
  "tracking limit", tl.Number.Value, 500, "amplitude scale", stim.Amplitude.Number.Scale, 327.68)
stim.StartStop
CheckEq TakeJournal(), "AdjustAmplitudeScaling(0), StimulusChanged, AmplitudeChanged, PeriodChanged, " & _
  "ModeChanged, UIchanged", "StartStop while running"

CheckRows "ModeStr:", Array("()", stim.ModeStr, "Torque", "(0)", stim.ModeStr(0), "OFF", _
  "(4)", stim.ModeStr(4), "Calibration", "(5)", stim.ModeStr(5), "Torque")
stim.ConfigReg.MotorStyle = 2
CheckEq stim.ModeStr(2), "Force", "ModeStr(2), linear"

stim.UImode = 0
CheckEq TakeJournal(), "UpdateView, AdjustAmplitudeScaling(0)", "UImode 0 sets the amplitude up only"
stim.LastMode = 0
CheckEq TakeJournal(), "UIModeChanged, AdjustAmplitudeScaling(0)", "LastMode 0 while off"
CheckEq stim.LastMode, 2, "LastMode 0 keeps the mode"

' Sample rate 4000 and VelocityQ 1: period scale 4, velocity amplitude scale 2 * 1000 / 4000.
Dim rate
Set rate = CreateObject("ZentNetLib.ErrorCodeObj").Register
rate.Number.Value = 4000
Set stim.SampleRate = rate
rate.ApplySetup
CheckEq stim.Period.Number.Scale, 4, "period scale"
stim.StimMode = 1
CheckEq stim.Amplitude.Number.Scale, 0.5, "velocity amplitude scale"
Call TakeJournal()
stim.SetupFor 3, 20, 50
CheckEq TakeJournal(), "", "SetupFor while running"
stim.Terminate
Call TakeJournal()
stim.SetupFor 3, 20, 50
CheckEq TakeJournal(), "AdjustAmplitudeScaling(3), UIchanged, UIchanged", "SetupFor while off"
CheckEq stim.Amplitude.Number.Value, 20, "SetupFor's amplitude"

' ChangeTo raises its burst even while the caller holds events back.
stim.Initializing = True
stim.ChangeTo 2, 6, 100
CheckEq TakeJournal(), "AdjustAmplitudeScaling(2), TrackingLimSetup(False), AdjustAmplitudeScaling(2), " & _
  "StimulusChanged, AmplitudeChanged, PeriodChanged, ModeChanged, UIchanged", "ChangeTo while held"
CheckRows "after ChangeTo:", Array("Initializing", stim.Initializing, True, "StimMode", stim.StimMode, 2, _
  "amplitude request", stim.Amplitude.RequestNumber.Value, 6, "period request", stim.Period.RequestNumber.Value, 100)
stim.Initializing = False
stim.Terminate
stim.Amplitude.Number.Value = 9
stim.Refresh
stim.FireChanges
CheckEq TakeJournal(), kModeBurst & ", AdjustAmplitudeScaling(0), AmplitudeChanged, StimulusChanged, UIchanged, " & _
  "Refresh, ModeChanged, AmplitudeChanged, PeriodChanged, StimulusChanged, UIchanged", "value and method events"

' CopyTo loads the destination held back, then reports once.
Dim dst
Set dst = CreateObject("ZentNetLib.StimulusStateObj")
WScript.ConnectObject dst, "dst_"
Sub dst_ModeChanged() : Note "dst ModeChanged" : End Sub
Sub dst_UIchanged() : Note "dst UIchanged" : End Sub
Sub dst_UIModeChanged() : Note "dst UIModeChanged" : End Sub
stim.CopyTo (dst)
CheckEq TakeJournal(), "dst UIchanged, dst ModeChanged, dst UIchanged", "CopyTo's events on the destination"
CheckRows "copy:", Array("LastMode", dst.LastMode, stim.UImode, "amplitude", dst.Amplitude.Number.Value, 9, _
  "Initializing", dst.Initializing, False)

On Error Resume Next
Set stim.TrackingLimit = Nothing
stim.Start
CheckErr 91, "ZentNetLib", "Object variable or With block variable not set", "Start without a tracking limit"
On Error GoTo 0

' ---- Monitor port --------------------------------------------------------------------------

Dim mon, nestedVariable
nestedVariable = False
Set mon = CreateObject("ZentNetLib.MonitorPortStateObj")
WScript.ConnectObject mon, "mon_"

Sub mon_AmplitudeChanged() : Note "AmplitudeChanged" : End Sub
Sub mon_FilterChanged() : Note "FilterChanged" : End Sub
Sub mon_SyncPulseChanged() : Note "SyncPulseChanged" : End Sub
Sub mon_Refresh() : Note "Refresh" : End Sub
Sub mon_SaveToNonVolatile() : Note "SaveToNonVolatile" : End Sub
Sub mon_RescaleAmplitude() : Note "RescaleAmplitude" : End Sub
Sub mon_Changed() : Note "Changed" : End Sub
Sub mon_Initialize() : Note "Initialize" : End Sub
Sub mon_UpdateView() : Note "UpdateView" : End Sub

' A listener that writes the variable again: the port drops the nested notification.
Sub mon_VariableChanged()
  Note "VariableChanged"
  If nestedVariable Then
    nestedVariable = False
    mon.Variable.Number.Value = 9
  End If
End Sub

CheckRows "new port:", Array( _
  "MonitorVarStr", mon.MonitorVarStr, "Me (shouldn't see this)", _
  "ConfigReg.CapabilityMask", mon.ConfigReg.CapabilityMask, 3, _
  "SyncPulse", mon.SyncPulse, 0, _
  "SyncPulseStr", mon.SyncPulseStr, "None", _
  "Amplitude.Name", mon.Amplitude.Name, "Monitor Port: Amplitude", _
  "Amplitude.Number.Label", mon.Amplitude.Number.Label, "Gain Factor", _
  "Variable.Name", mon.Variable.Name, "Monitor Port: Variable", _
  "Filter.Name", mon.Filter.Name, "Monitor Port: Filter", _
  "Filter.ShortName", mon.Filter.ShortName, "Filter", _
  "Filter.Number.Format", mon.Filter.Number.Format, "#,##0.#")

mon.Variable.Number.Value = 7
CheckEq TakeJournal(), "VariableChanged, RescaleAmplitude, Changed", "variable 7"
CheckEq mon.Variable.Number.Label, "Actual Torque", "the variable's label"
mon.ConfigReg.Register.Number.Value = &H200
CheckRows "MonitorVarStr, linear:", Array("()", mon.MonitorVarStr, "Actual Force", _
  "(3)", mon.MonitorVarStr(3), "Cmd Velocity (VEX)", "(-5)", mon.MonitorVarStr(-5), "Unknown Variable: 65531")
mon.Variable.Number.Value = 65538
CheckEq mon.MonitorVarStr, "Unknown Variable: 2", "MonitorVarStr of 65538"
Call TakeJournal()
nestedVariable = True
mon.Variable.Number.Value = 8
CheckEq TakeJournal(), "VariableChanged, RescaleAmplitude, Changed", "a nested variable write is dropped"
CheckRows "after the nested write:", Array("label", mon.Variable.Number.Label, "Commanded Force", _
  "MonitorVarStr", mon.MonitorVarStr, "Calibrate")

mon.Amplitude.Number.Value = 3
mon.Filter.Number.Value = 2
mon.ChangeTo 5, 100, 0
mon.Initialize
mon.SaveToNonVolatile
mon.Refresh
mon.Rescale
CheckEq TakeJournal(), "AmplitudeChanged, Changed, FilterChanged, Changed, RescaleAmplitude, Changed, " & _
  "Initialize, UpdateView, SaveToNonVolatile, SyncPulseChanged, Changed, RescaleAmplitude", "port events"
CheckEq mon.Variable.RequestNumber.Value, 5, "ChangeTo requests the variable"
mon.SyncPulse = 2
mon.SyncPulse = 2
CheckEq TakeJournal(), "SyncPulseChanged", "SyncPulse 2 twice"
CheckRows "sync pulse:", Array("SyncPulse", mon.SyncPulse, 2, "SyncPulseStr", mon.SyncPulseStr, "Negative")

Dim mon2
Set mon2 = CreateObject("ZentNetLib.MonitorPortStateObj")
mon.CopyTo (mon2)
CheckRows "port copy:", Array("SyncPulse", mon2.SyncPulse, 2, "variable", mon2.Variable.Number.Value, 9, _
  "MonitorVarStr", mon2.MonitorVarStr, "Calibrate")

Set mon.Variable = Nothing
CheckEq mon.MonitorVarStr, "Me (shouldn't see this)", "MonitorVarStr without a variable"
On Error Resume Next
Set mon.ConfigReg = Nothing
x = mon.SyncPulse
CheckErr 91, "ZentNetLib", "Object variable or With block variable not set", "SyncPulse without ConfigReg"
On Error GoTo 0

Finish

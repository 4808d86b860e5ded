' The application services as a script sees them: the error reflector with the script's own
' Err object, a hot key, and both event hubs (optional and by-reference arguments included).

Option Explicit

Dim i

' ---- Error reflector: the script's Err object is copied, then raised again, twice ---------

Dim refl
Set refl = CreateObject("ZentNetLib.ErrReflector")
On Error Resume Next
Err.Raise 6301, "NetAdapterObj.NetOpen(let opening)", "Port setup problems: busy or non-existant", "zent.hlp", 42
refl.CopyError = Err
CheckErr 6301, "NetAdapterObj.NetOpen(let opening)", "Port setup problems: busy or non-existant", "CopyError leaves Err alone"
For i = 1 To 2
  refl.Raise
  CheckEq Err.HelpFile & " " & Err.HelpContext, "zent.hlp 42", "Raise's help file and context, time " & i
  CheckErr 6301, "NetAdapterObj.NetOpen(let opening)", "Port setup problems: busy or non-existant", "Raise, time " & i
Next
Err.Raise -2147217430, "SetrixObj.Ports(let)", "Serial port selection problems."
refl.CopyError = Err
Err.Clear
refl.Raise
CheckErr -2147217430, "SetrixObj.Ports(let)", "Serial port selection problems.", "a copied object error raised again"
On Error GoTo 0

' ---- Hot key without a form (services.js hands it forms of its own) ------------------------

Dim hot
Set hot = CreateObject("ZentNetLib.HotKeyObj")
hot.KeyCode = 112
hot.ShiftCodes = 1
CheckRows "hot key:", Array("Key", hot.Key, 65648, "KeyName", hot.KeyName, "10070")

' ---- Drive event hub: Extra is optional ----------------------------------------------------

Dim drvEvents, node, value
Set drvEvents = CreateObject("ZentNetLib.DriveEventObj")
Set node = CreateObject("ZentNetLib.PhysDriveObj")
Set value = CreateObject("ZentNetLib.ErrorCodeObj").Register
WScript.ConnectObject drvEvents, "drv_"
Sub drv_CommError(n, ErrorCode, Extra) : Note "CommError(" & (n Is node) & ", " & ErrorCode & ", " & Extra & ")" : End Sub
Sub drv_ParameterChanged(n, NewValue) : Note "ParameterChanged(" & (n Is node) & ", " & (NewValue Is value) & ")" : End Sub

' A script's variables are Variants: a typed by-reference parameter takes them in parentheses,
' by value, so a listener's replacement reaches only the runtime's copy.
drvEvents.FireCommError (node), 1505
drvEvents.FireCommError (node), 1509, 7
drvEvents.FireParameterChanged (node), (value)
CheckEq TakeJournal(), "CommError(True, 1505, 0), CommError(True, 1509, 7), ParameterChanged(True, True)", "drive events"

' ---- Application event hub (the contract client's listeners cancel and hand back drives) ---

Dim app, net
Set app = CreateObject("ZentNetLib.AppStateEventObj")
CheckEq app.FireTerminate, False, "FireTerminate without a listener"
WScript.ConnectObject app, "app_"
Sub app_LockChanged(newState) : Note "LockChanged(" & newState & ")" : newState = 0 : End Sub
Sub app_TimerTick() : Note "TimerTick" : End Sub
Sub app_NetworkChange(n, newState) : Note "NetworkChange(" & (n Is net) & ", " & newState & ")" : newState = 1 : End Sub
Sub app_Terminate(cancel) : Note "Terminate(" & cancel & ")" : End Sub
' A later listener sees what an earlier one wrote into an argument, except into NetworkChange's
' by-value state.
WScript.ConnectObject app, "later_"
Sub later_LockChanged(newState) : Note "then " & newState : End Sub
Sub later_NetworkChange(n, newState) : Note "then " & newState : End Sub

Set net = CreateObject("ZentNetLib.NetAdapterObj")
app.FireLockChange 2
app.FireTimerTick
app.FireNetChange (net), 9
CheckEq app.FireTerminate, False, "FireTerminate, not cancelled"
CheckEq TakeJournal(), "LockChanged(2), then 0, TimerTick, NetworkChange(True, 9), then 9, Terminate(False)", _
  "application events"

Finish

' The application services as a script sees them: the error reflector with the script's own
' Err object and both event hubs (optional and by-value arguments). The hot key is
' services.js's.

Option Explicit

' ---- Error reflector: the script's Err object is copied, then raised again (as often as asked,
' the core's tests check) -------------------------------------------------------------------

Dim refl
Set refl = CreateObject("ZentNetLib.ErrReflector")
On Error Resume Next
Err.Raise 6301, "NetAdapterObj.NetOpen(let opening)", "Port setup problems: busy or non-existant", "zent.hlp", 42
refl.CopyError = Err
CheckErr 6301, "NetAdapterObj.NetOpen(let opening)", "Port setup problems: busy or non-existant", "CopyError leaves Err alone"
refl.Raise
CheckEq Err.HelpFile & " " & Err.HelpContext, "zent.hlp 42", "Raise's help file and context"
CheckErr 6301, "NetAdapterObj.NetOpen(let opening)", "Port setup problems: busy or non-existant", "Raise"
On Error GoTo 0

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

' ---- Application event hub: NetworkChange's state goes by value, so a later listener does not
' see what an earlier one wrote (the host's own cases show a by-reference argument passed on;
' skin_test's listeners cancel and hand back drives) -----------------------------

Dim app, net
Set app = CreateObject("ZentNetLib.AppStateEventObj")
WScript.ConnectObject app, "app_"
WScript.ConnectObject app, "later_"
Sub app_NetworkChange(n, newState) : Note "NetworkChange(" & (n Is net) & ", " & newState & ")" : newState = 1 : End Sub
Sub later_NetworkChange(n, newState) : Note "then " & newState : End Sub
Set net = CreateObject("ZentNetLib.NetAdapterObj")
app.FireNetChange (net), 9
CheckEq TakeJournal(), "NetworkChange(True, 9), then 9", "application events"

Finish

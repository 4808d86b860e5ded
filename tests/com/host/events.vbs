' Events reach the Subs named prefix & event, in the order raised, and what a handler
' assigns to a by-reference argument reaches the object.
Set s = WScript.CreateObject("ZentNetLib.AppStateEventObj", "s_")
s.FireLockChange 7
WScript.Echo "connected:", s.FireTerminate
WScript.DisconnectObject s
s.FireLockChange 8
WScript.Echo "disconnected:", s.FireTerminate

' Only the events the script has a Sub for are handled.
Set t = CreateObject("ZentNetLib.AppStateEventObj")
WScript.ConnectObject t, "t_"
t.FireLockChange 9
WScript.Echo "partly handled:", t.FireTerminate
WScript.ConnectObject t, "s_"
t.FireLockChange 10
WScript.Echo "twice connected:", t.FireTerminate

Sub s_LockChanged(newState)
  WScript.Echo "lock", newState
End Sub

Sub s_Terminate(cancel)
  WScript.Echo "terminate", cancel
  cancel = True
End Sub

Sub t_LockChanged(newState)
  WScript.Echo "t lock", newState
  newState = newState + 1
End Sub

' An error in an event handler ends the script with that error.
Set s = WScript.CreateObject("ZentNetLib.AppStateEventObj", "s_")
s.FireLockChange 7
WScript.Echo "not reached"

Sub s_LockChanged(newState)
  WScript.Echo "lock", newState
  Err.Raise 5
End Sub

' An error in an event handler ends the script with that error.
Set s = WScript.CreateObject("ZentHostTest.Source", "s_")
s.Fire
WScript.Echo "not reached"

Sub s_Ping(n, text)
  WScript.Echo "ping", n
  Err.Raise 5
End Sub

' A by-reference argument left with a value of the wrong type is an error.
Set s = WScript.CreateObject("ZentNetLib.AppStateEventObj", "s_")
s.FireTerminate
WScript.Echo "not reached"

Sub s_Terminate(cancel)
  cancel = "many"
End Sub

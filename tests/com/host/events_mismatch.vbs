' A by-reference argument left with a value of the wrong type is an error.
Set s = WScript.CreateObject("ZentHostTest.Source", "s_")
s.Fire
WScript.Echo "not reached"

Sub s_Ask(yes, text, n)
  n = "many"
End Sub

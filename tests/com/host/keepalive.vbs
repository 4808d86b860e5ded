' Without arguments a dictionary that holds itself keeps the object in it alive past the
' engine; with /checkunload the host then names the DLL that still counts that object.
Set s = CreateObject("ZentHostTest.Source")
WScript.Echo "made"
If WScript.Arguments.Count = 0 Then
  Set keeper = CreateObject("Scripting.Dictionary")
  keeper.Add "source", s
  keeper.Add "itself", keeper
  WScript.Echo "kept", keeper.Count
End If

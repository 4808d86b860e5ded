' Events reach the Subs named prefix & event, in the order raised, and what a handler
' assigns to a by-reference argument reaches the object.
Set s = WScript.CreateObject("ZentHostTest.Source", "s_")
WScript.Echo "connected:", s.Fire()
WScript.DisconnectObject s
WScript.Echo "disconnected:", s.Fire()

' Only the events the script has a Sub for are handled.
Set t = CreateObject("ZentHostTest.Source")
WScript.ConnectObject t, "t_"
WScript.Echo "partly handled:", t.Fire()
WScript.ConnectObject t, "s_"
WScript.Echo "twice connected:", t.Fire()

Sub s_Ping(n, text)
  WScript.Echo "ping", n, text
End Sub

Sub s_Ask(yes, text, n)
  WScript.Echo "ask", yes, text, n
  yes = True
  text = text & " and answered"
  n = n + 1
End Sub

Sub t_Ping(n, text)
  WScript.Echo "t ping", n
End Sub

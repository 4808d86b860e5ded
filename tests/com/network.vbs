' Port supervision as a script sees it: the port list written back into the caller's
' variable, and opening through RequestNetOpen with success answered by reference.

Option Explicit

Dim a, p, thePeer

' Any object will do as a peer: the adapter only stores it and hands it to listeners.
Class PeerPort
End Class
Set thePeer = New PeerPort

Dim sup
Set sup = CreateObject("ZentNetLib.NetSupervisorObj")
WScript.ConnectObject sup, "sup_"
Sub sup_RequestNetOpen(netRef, Peer, newState, PortNumber, success)
  Note "RequestNetOpen(" & AdapterText(netRef) & ", " & (Peer Is thePeer) & ", " & newState & ", " & PortNumber & ", " & success & ")"
End Sub

' The list's events and its errors are the core's; a script sees its variable written back.
p = " 2 ;;3"
sup.Ports = p
CheckEq p, "2;3", "the caller's variable comes back normalised"

' ---- An adapter: its listener answers first, then the supervisor's ----------------------

Set a = sup.Nets(1)
WScript.ConnectObject a, "net_"
Sub net_RequestNetOpen(Peer, newState, PortNumber, success)
  Note "net RequestNetOpen(" & (Peer Is thePeer) & ", " & newState & ", " & PortNumber & ", " & success & ")"
  success = True
End Sub

Set a.Peer = thePeer
a.NetOpen = True
CheckEq TakeJournal(), "net RequestNetOpen(True, True, 2, False), RequestNetOpen(LPT3, True, True, 2, True)", _
  "an opening confirmed by the adapter's listener"

Finish

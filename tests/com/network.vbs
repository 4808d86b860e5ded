' Port supervision as a script sees it: the port list written back into the caller's
' variable, opening through RequestNetOpen with success answered by reference, and the port
' errors.

Option Explicit

Dim a, p, answer, thePeer
answer = False

' Any object will do as a peer: the adapter only stores it and hands it to listeners.
Class PeerPort
End Class
Set thePeer = New PeerPort

Dim sup
Set sup = CreateObject("ZentNetLib.NetSupervisorObj")
WScript.ConnectObject sup, "sup_"
Sub sup_NetworkChanged(netRef, theState) : Note "NetworkChanged(" & AdapterText(netRef) & ", " & theState & ")" : End Sub
Sub sup_RequestNetOpen(netRef, Peer, newState, PortNumber, success)
  Note "RequestNetOpen(" & AdapterText(netRef) & ", " & (Peer Is thePeer) & ", " & newState & ", " & PortNumber & ", " & success & ")"
End Sub

' Each adapter reports its new port number (9 then 5), then the list as a whole (5).
p = " 2 ;;3"
sup.Ports = p
CheckEq TakeJournal(), "NetworkChanged(LPT1, 9), NetworkChanged(LPT3, 5), NetworkChanged(LPT1, 9), " & _
  "NetworkChanged(LPT4, 5), NetworkChanged(none, 5)", "port list 2;3 on a new supervisor"
CheckEq p, "2;3", "the caller's variable comes back normalised"

' For Each over Nets is the demo's.
Check sup.GetRefToNetPort(3) Is sup.Nets.Item(2), "GetRefToNetPort(3)"

On Error Resume Next
sup.Ports = "1;COM2"
CheckErr -2147217430, "SetrixObj.Ports(let)", _
  "Serial port selection problems. Use numeric values separated by semicolons.", "port list 1;COM2"
On Error GoTo 0

' ---- An adapter: its listener answers first, then the supervisor's ----------------------

Set a = sup.Nets(1)
WScript.ConnectObject a, "net_"
Sub net_RequestNetOpen(Peer, newState, PortNumber, success)
  Note "net RequestNetOpen(" & (Peer Is thePeer) & ", " & newState & ", " & PortNumber & ", " & success & ")"
  If answer Then success = True
End Sub

Set a.Peer = thePeer
answer = True
a.NetOpen = True
answer = False
CheckEq TakeJournal(), "net RequestNetOpen(True, True, 2, False), RequestNetOpen(LPT3, True, True, 2, True)", _
  "an opening confirmed by the adapter's listener"
CheckEq a.NetOpen, True, "opened"
a.NetOpen = False
Call TakeJournal()
a.Enabled = True
On Error Resume Next
a.NetOpen = True
CheckErr 6301, "NetAdapterObj.NetOpen(let opening)", "Port setup problems: busy or non-existant", _
  "an unconfirmed opening"
On Error GoTo 0

Finish

' Port supervision as a script sees it: the port list, the adapters in Nets, opening and
' closing through RequestNetOpen with success answered by reference, and every notification
' passed from an adapter to its supervisor.

Option Explicit

Dim x, i, a, p, names, answer, supAnswer, thePeer, theNode, theValue, nodes, n
answer = False
supAnswer = False

' Any object will do as a peer: the adapter only stores it and hands it to listeners.
Class PeerPort
End Class
Set thePeer = New PeerPort

Function AdapterText(netRef)
  AdapterText = "none"
  If Not netRef Is Nothing Then AdapterText = netRef.AdapterName
End Function

' ---- Supervisor: the port list -------------------------------------------------------------

Dim sup
Set sup = CreateObject("ZentNetLib.NetSupervisorObj")
WScript.ConnectObject sup, "sup_"

Sub sup_NetworkChanged(netRef, theState) : Note "NetworkChanged(" & AdapterText(netRef) & ", " & theState & ")" : End Sub
Sub sup_PointToPointChanged(netRef, nodeAddr, state)
  Note "PointToPointChanged(" & AdapterText(netRef) & ", " & nodeAddr & ", " & state & ")"
  nodeAddr = nodeAddr * 10
End Sub
Sub sup_DriveParameterChanged(netRef, Node, NewValue)
  Note "DriveParameterChanged(" & AdapterText(netRef) & ", " & (Node Is theNode) & ", " & (NewValue Is theValue) & ")"
End Sub
Sub sup_RequestNetOpen(netRef, Peer, newState, PortNumber, success)
  Note "RequestNetOpen(" & AdapterText(netRef) & ", " & (Peer Is thePeer) & ", " & newState & ", " & PortNumber & ", " & success & ")"
  If supAnswer Then success = True
End Sub

CheckRows "new supervisor:", Array("Ports", sup.Ports, "", "MaxAdapters", sup.MaxAdapters, 16, _
  "AdapterDefault", sup.AdapterDefault, 1, "Nets.Count", sup.Nets.Count, 0)

' Each adapter reports its new port number (9 then 5), then the list as a whole (5).
p = " 2 ;;3"
sup.Ports = p
CheckEq TakeJournal(), "NetworkChanged(LPT1, 9), NetworkChanged(LPT3, 5), NetworkChanged(LPT1, 9), " & _
  "NetworkChanged(LPT4, 5), NetworkChanged(none, 5)", "port list 2;3 on a new supervisor"
CheckEq sup.Ports, "2;3", "the list reads back normalised"
CheckEq p, "2;3", "the caller's variable comes back normalised"

' Raised on the supervisor, a notification hands the listeners the caller's own variables.
Dim addr, state
addr = 4
state = 1
sup.FirePointToPointChanged Nothing, addr, state
CheckEq TakeJournal() & " " & addr, "PointToPointChanged(none, 4, 1) 40", "FirePointToPointChanged"
names = ""
For Each a In sup.Nets
  names = names & a.AdapterName & " " & a.PortNumber & " " & a.NetStateStr & " " & a.Enabled & "; "
Next
CheckEq names, "LPT3 2 Starting... True; LPT4 3 Starting... True; ", "Nets, one new adapter per port"

Dim first, oldNets
Set first = sup.Nets(1)
Set oldNets = sup.Nets
sup.Ports = "2;3"
CheckEq TakeJournal(), "", "the same list again"
Check sup.Nets(1) Is first, "the same list keeps the adapters"
Check sup.GetRefToNetPort(3) Is sup.Nets.Item(2), "GetRefToNetPort(3)"
Check sup.GetRefToNetPort(7) Is Nothing, "GetRefToNetPort of a port not listed"

' A bad list changes nothing.
Dim badLists
badLists = Array("1;COM2", "1" & String(16, ";"))
For i = 0 To UBound(badLists)
  On Error Resume Next
  sup.Ports = badLists(i)
  CheckErr -2147217430, "SetrixObj.Ports(let)", _
    "Serial port selection problems. Use numeric values separated by semicolons.", "port list " & badLists(i)
  On Error GoTo 0
  CheckEq sup.Ports, "2;3", "after the bad list " & badLists(i)
  Check sup.Nets Is oldNets, "a bad list keeps Nets"
Next
CheckEq TakeJournal(), "", "bad lists raise no event"

' ---- Adapter: opening and closing through RequestNetOpen -----------------------------------

Set a = sup.Nets(1)
WScript.ConnectObject a, "net_"

Sub net_NetworkChanged(theState) : Note "net NetworkChanged(" & theState & ")" : End Sub
Sub net_PointToPointChanged(nodeAddr, state) : Note "net PointToPointChanged(" & nodeAddr & ", " & state & ")" : End Sub
Sub net_DriveParameterChanged(Node, NewValue)
  Note "net DriveParameterChanged(" & (Node Is theNode) & ", " & (NewValue Is theValue) & ")"
End Sub
' The listener reads what arrives, then reports success through the last argument.
Sub net_RequestNetOpen(Peer, newState, PortNumber, success)
  Note "net RequestNetOpen(" & (Peer Is thePeer) & ", " & newState & ", " & PortNumber & ", " & success & ")"
  If answer Then success = True
End Sub

a.NetOpen = True
CheckEq TakeJournal(), "", "NetOpen without a peer"
Set a.Peer = thePeer
Check a.Peer Is thePeer, "Peer reads back"
answer = True
a.NetOpen = True
answer = False
CheckEq TakeJournal(), "net RequestNetOpen(True, True, 2, False), RequestNetOpen(LPT3, True, True, 2, True)", _
  "an opening confirmed by the adapter's listener"
CheckEq a.NetOpen, True, "opened"
a.NetOpen = False
CheckEq TakeJournal(), "net RequestNetOpen(True, False, 2, False), RequestNetOpen(LPT3, True, False, 2, False)", _
  "an unconfirmed closing"
CheckRows "after an unconfirmed closing:", Array("NetOpen", a.NetOpen, False, "Enabled", a.Enabled, False)

a.Enabled = True
On Error Resume Next
a.NetOpen = True
CheckErr 6301, "NetAdapterObj.NetOpen(let opening)", "Port setup problems: busy or non-existant", _
  "an unconfirmed opening"
On Error GoTo 0
CheckEq TakeJournal(), "net RequestNetOpen(True, True, 2, False), RequestNetOpen(LPT3, True, True, 2, False)", _
  "the unconfirmed opening's requests"
CheckRows "after an unconfirmed opening:", Array("NetOpen", a.NetOpen, False, "Enabled", a.Enabled, False, _
  "supervisor's Ports", sup.Ports, "3")

a.Enabled = True
supAnswer = True
a.NetOpen = True
supAnswer = False
CheckEq a.NetOpen, True, "opened by the supervisor's listener"
a.Enabled = False
CheckEq TakeJournal(), "net RequestNetOpen(True, True, 2, False), RequestNetOpen(LPT3, True, True, 2, False), " & _
  "net RequestNetOpen(True, False, 2, False), RequestNetOpen(LPT3, True, False, 2, False)", _
  "opened by the supervisor's listener, closed by Enabled False"
CheckEq a.NetOpen, False, "Enabled False closes whatever the answer"

' ---- Adapter: notifications reach the adapter's listeners, then the supervisor's -----------

Set theNode = CreateObject("ZentNetLib.PhysDriveObj")
Set theValue = CreateObject("ZentNetLib.ErrorCodeObj").Register
a.Enabled = True
a.PortNumber = 5
a.PortNumber = 5
CheckEq TakeJournal(), "net NetworkChanged(9), NetworkChanged(LPT3, 9), net NetworkChanged(5), NetworkChanged(LPT6, 5)", _
  "PortNumber 5, twice"
CheckRows "port 5:", Array("NetState", a.NetState, 5, "NetStateStr", a.NetStateStr, "Starting...", _
  "NetStateStrLookup(7)", a.NetStateStrLookup(7), "ONLINE (untested)")
a.FirePointToPointChange 3, 2
a.FireDriveParameterChanged theNode, theValue
a.InhibitParameterChangeEvent = True
a.FireDriveParameterChanged theNode, theValue
a.InhibitParameterChangeEvent = False
CheckEq TakeJournal(), "net PointToPointChanged(3, 2), PointToPointChanged(LPT6, 3, 2), " & _
  "net DriveParameterChanged(True, True), DriveParameterChanged(LPT6, True, True)", "notifications"

' NODES_OFFLINE empties Nodes before anyone hears of it; a holder of the old collection keeps it.
Set nodes = a.Nodes
nodes.Add theNode
a.FireNetworkChanged 0
CheckEq TakeJournal(), "net NetworkChanged(0), NetworkChanged(LPT6, 0)", "offline"
CheckEq a.Nodes.Count, 0, "offline empties Nodes"
For Each n In nodes
  Check n Is theNode, "the old Nodes keeps its node"
Next
CheckEq nodes.Count, 1, "the old Nodes keeps its count"
a.FireNetworkChanged 1
CheckRows "online:", Array("NetOpen", a.NetOpen, True, "NetStateStr", a.NetStateStr, "ONLINE")
a.FireNetworkChanged 10
CheckEq a.NetStateStr, "", "NetStateStr of a state without a name"
On Error Resume Next
x = a.NetStateStrLookup(10)
CheckErr 326, "ZentNetLib", "Resource with identifier '4260' not found", "NetStateStrLookup(10)"
On Error GoTo 0
Call TakeJournal()

' Rows: port type, port number, the adapter's name.
Dim lone, names2
Set lone = CreateObject("ZentNetLib.NetAdapterObj")
names2 = Array(0, 3, "COM3", 1, 0, "LPT1", 2, 7, "Port7")
For i = 0 To UBound(names2) Step 3
  lone.PortType = names2(i)
  lone.PortNumber = names2(i + 1)
  CheckEq lone.AdapterName, names2(i + 2), "AdapterName of port type " & names2(i)
Next

' ---- A changed list while both ports are open ------------------------------------------------

sup.Ports = "2;3"
For Each a In sup.Nets
  Set a.Peer = thePeer
  supAnswer = True
  a.NetOpen = True
  supAnswer = False
Next
Call TakeJournal()
Set oldNets = sup.Nets
Set first = sup.Nets(1)
supAnswer = True
sup.Ports = "2;4"
supAnswer = False
CheckEq TakeJournal(), "RequestNetOpen(LPT3, True, False, 2, False), RequestNetOpen(LPT4, True, False, 3, False), " & _
  "NetworkChanged(LPT4, 9), NetworkChanged(LPT5, 5), NetworkChanged(none, 9), NetworkChanged(none, 5)", _
  "2;3 to 2;4 while open"
Check Not sup.Nets(1) Is first, "a changed list replaces the adapters"
Check Not sup.Nets Is oldNets, "a changed list replaces Nets"
CheckRows "replaced adapters:", Array("old Nets.Count", oldNets.Count, 2, "Ports", sup.Ports, "2;4", _
  "peer", sup.Nets(1).Peer Is Nothing, True)

Dim sup2
Set sup2 = CreateObject("ZentNetLib.NetSupervisorObj")
sup2.Ports = ";;"
CheckEq sup2.Ports, "1", "a list of separators selects port 1"

Finish

' A supervisor and its adapters refer to each other (Nets one way, each adapter's supervisor
' the other), and scripts hold both ends in every combination. The host runs this suite
' with /checkunload: once the engine lets go, nothing of it may keep the DLL loaded. Only
' COM objects count there, and core objects hold ours only weakly, so each adapter's peer is
' a value object of the other DLL: a supervisor left alive keeps its peers, and that DLL.

Option Explicit

Dim sup, nets, kept, oldNets, lone, loneAdapter, a

Sub sup_NetworkChanged(netRef, theState)
  Note AdapterText(netRef) & " " & theState
  ' A handler that keeps what it was handed: the script now holds an adapter too.
  If Not netRef Is Nothing Then Set kept = netRef
End Sub
Sub net_NetworkChanged(theState) : Note "own " & theState : End Sub

Set sup = CreateObject("ZentNetLib.NetSupervisorObj")
WScript.ConnectObject sup, "sup_"
sup.Ports = "1;2;3"
TakeJournal
Set nets = sup.Nets
For Each a In nets
  Set a.Peer = CreateObject("ValuesLib.ValueObj")
Next

'' The adapter reaches its supervisor: its notification arrives at the supervisor's listener,
' with the adapter as the first argument (the order of the listeners is the core's to check).
Set a = nets(2)
WScript.ConnectObject a, "net_"
a.FireNetworkChanged 3
Check kept Is a, "the handler kept the very adapter"

' A new list puts new adapters in a new Nets; the old first one (now on port 4) stays with
' whoever holds it and still reaches the supervisor.
Set oldNets = nets
sup.Ports = "4"
TakeJournal
oldNets(1).FireNetworkChanged 3
CheckEq TakeJournal(), "LPT5 3", "a former adapter still reaches the supervisor"

' A supervisor the script lets go of while it holds one of its adapters: the adapter lives on
' on its own.
Set lone = CreateObject("ZentNetLib.NetSupervisorObj")
lone.Ports = "7"
Set loneAdapter = lone.Nets(1)
Set loneAdapter.Peer = CreateObject("ValuesLib.ValueObj")
Set lone = Nothing
loneAdapter.FireNetworkChanged 3
CheckEq loneAdapter.NetState, 3, "an adapter whose supervisor is gone still works"

' Everything above is still held here when the script ends.
Finish

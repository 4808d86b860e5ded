// Sets a port supervisor's port list and lists the adapters it made, one per port.
//   zenthost.exe ports.js ["LIST"]     (or: cscript //nologo ports.js ["LIST"])
// LIST is port numbers separated by semicolons; without one the example uses " 2 ;;3".
var list = WScript.Arguments.length > 0 ? WScript.Arguments(0) : " 2 ;;3";

var supervisor = WScript.CreateObject("ZentNetLib.NetSupervisorObj");
try {
  supervisor.Ports = list;
} catch (e) {
  // A list the supervisor refuses raises the port-list error.
  WScript.Echo("Error " + e.number + ": " + e.description);
  WScript.Quit(1);
}
// The supervisor keeps the list normalised.
WScript.Echo("Ports \"" + list + "\" -> \"" + supervisor.Ports + "\"");

var nets = supervisor.Nets;
for (var i = 1; i <= nets.Count(); i++) {
  var adapter = nets.Item(i);
  WScript.Echo("  " + adapter.AdapterName + ": port " + adapter.PortNumber + ", " +
               adapter.NetStateStr);
}

// Watches a status register's events while its value changes, as a drive poll would.
//   zenthost.exe watch_status.js
// Events need a host that connects them: WScript.CreateObject's second argument names the
// prefix of the functions that receive them.
var status = WScript.CreateObject("ZentNetLib.StatusRegObj", "status_");

function status_Changed() { WScript.Echo("  Changed"); }
function status_EnableChanged(newState) { WScript.Echo("  EnableChanged " + newState); }
function status_LimitHit() { WScript.Echo("  LimitHit"); }
function status_Shutdown() { WScript.Echo("  Shutdown"); }
function status_LockChanged() { WScript.Echo("  LockChanged, level " + status.LockLevel); }

// Each value as a poll brings it: the amplifier off, a positive limit, a tracking shutdown,
// enabled again at lock level 1, then all clear.
var values = [0x0800, 0x0A00, 0x0820, 0x40000000, 0x0000];
for (var i = 0; i < values.length; i++) {
  WScript.Echo("value 0x" + values[i].toString(16));
  status.Register.Number.Value = values[i];
}

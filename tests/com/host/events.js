// Events reach JScript functions named prefix + event, by-reference arguments as values.
var s = WScript.CreateObject("ZentNetLib.AppStateEventObj", "s_");
s.FireLockChange(7);
WScript.Echo("connected:", s.FireTerminate());

function s_LockChanged(newState) {
  WScript.Echo("lock", typeof newState, newState);
}

function s_Terminate(cancel) {
  WScript.Echo("terminate", typeof cancel, cancel);
  cancel = true;
}

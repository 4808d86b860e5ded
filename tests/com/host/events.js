var s = WScript.CreateObject("ZentHostTest.Source", "s_");
WScript.Echo("connected:", s.Fire());

function s_Ping(n, text) {
  WScript.Echo("ping", n, text);
}

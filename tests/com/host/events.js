// Events reach JScript functions named prefix + event, by-reference arguments as values.
var s = WScript.CreateObject("ZentHostTest.Source", "s_");
WScript.Echo("connected:", s.Fire());

function s_Ping(n, text) {
  WScript.Echo("ping", n, text);
}

function s_Ask(yes, text, n) {
  WScript.Echo("ask", typeof yes, yes, text, n + 1);
}

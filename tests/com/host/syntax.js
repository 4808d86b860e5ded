WScript.Echo("a");
var = ;

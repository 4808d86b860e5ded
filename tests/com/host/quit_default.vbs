WScript.Echo "before"
WScript.Quit
WScript.Echo "not reached"

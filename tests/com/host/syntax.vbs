WScript.Echo "a"
If x Then

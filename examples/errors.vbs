' Keeps an error with the error reflector and raises it again later, with its number, source,
' description, help file and context intact.
'   zenthost.exe errors.vbs      (or: cscript //nologo errors.vbs)
Option Explicit

Dim supervisor, reflector
Set supervisor = CreateObject("ZentNetLib.NetSupervisorObj")
Set reflector = CreateObject("ZentNetLib.ErrReflector")

' A port list the supervisor refuses: keep its error, then go on with other work.
On Error Resume Next
supervisor.Ports = "1;COM2"
reflector.CopyError = Err
Err.Clear
On Error GoTo 0

WScript.Echo "Kept: " & reflector.Number & " from " & reflector.Source
WScript.Echo "  " & reflector.Description

' Later, where the error should surface, raise it again.
On Error Resume Next
reflector.Raise
WScript.Echo "Raised again: " & Err.Number & " from " & Err.Source
WScript.Echo "  " & Err.Description
On Error GoTo 0

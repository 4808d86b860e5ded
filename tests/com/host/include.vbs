' Runs with /include:included.vbs; an error raised in the include names the include.
Option Explicit
WScript.Echo greeting & ", " & Twice(21) & ", " & WScript.ScriptName
Overflow
WScript.Echo "not reached"

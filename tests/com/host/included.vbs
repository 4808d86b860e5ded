' Included ahead of include.vbs: its top level runs first, and what it defines is the
' script's. Keep the Err.Raise on line 11: the host case expects it there.
Option Explicit
Dim greeting
greeting = "set by the include"

Function Twice(n)
  Twice = 2 * n
End Function

Sub Overflow(): Err.Raise 6: End Sub

' Raises what its first argument names; the host reports it and exits with its number.
Select Case WScript.Arguments(0)
  Case "overflow": Err.Raise 6
  Case "own": Err.Raise 1000, "Raiser", "Own description"
  Case "hresult": Err.Raise &H80040FEA, "Ports", "Port list error"
  Case "zero-low-bits": Err.Raise &H80040000, "Raiser", "No low bits"
  Case "host": WScript.Echo WScript.Arguments(9)
End Select
WScript.Echo "not reached"

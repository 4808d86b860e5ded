' Late-bound calls from a script loop, each next to the same kind of call on the system's
' Scripting.Dictionary, in the same run:
'   a property read:  StatusRegObj.AllSystemsGo  against  Dictionary.Count
'   a method call:    Collection.Item(1)         against  Dictionary.Item("a")
'                     (both hand back the same adapter object)
'   zenthost latebound.vbs [iterations per round] [rounds]
' Each line gives the best and the median round in microseconds per call, less the time of
' the same loop with a plain assignment. The exit status is the number of targets missed
' (ours slower than the dictionary, best against best).

Option Explicit

Dim n, rounds, status, dict, sup, nets, r, missed
n = 100000
rounds = 5
If WScript.Arguments.Count > 0 Then n = CLng(WScript.Arguments(0))
If WScript.Arguments.Count > 1 Then rounds = CLng(WScript.Arguments(1))

Set status = CreateObject("ZentNetLib.StatusRegObj")
Set sup = CreateObject("ZentNetLib.NetSupervisorObj")
sup.Ports = "1"
Set nets = sup.Nets
Set dict = CreateObject("Scripting.Dictionary")
dict.Add "a", nets(1)

' Timer counts seconds since midnight.
Function Since(t0)
  Since = Timer - t0
  If Since < 0 Then Since = Since + 86400
End Function

Function LoopOf(kind)
  ' Locals only: the engine looks a global up by name on every use.
  Dim t0, i, x, s, d, c
  Set s = status : Set d = dict : Set c = nets
  t0 = Timer
  Select Case kind
    Case 0 : For i = 1 To n : x = i : Next
    Case 1 : For i = 1 To n : x = s.AllSystemsGo : Next
    Case 2 : For i = 1 To n : x = d.Count : Next
    Case 3 : For i = 1 To n : Set x = c.Item(1) : Next
    Case 4 : For i = 1 To n : Set x = d.Item("a") : Next
  End Select
  LoopOf = Since(t0)
End Function

' Rounds interleave the loops so that a busy machine slows them alike.
Dim times(4), k
For k = 0 To 4 : times(k) = Array() : Next
Sub Append(k, t)
  Dim a
  a = times(k)
  ReDim Preserve a(UBound(a) + 1)
  a(UBound(a)) = t
  times(k) = a
End Sub
For r = 1 To rounds
  For k = 0 To 4 : Append k, LoopOf(k) : Next
Next

Function Sorted(a)
  Dim p, q, t
  For p = 0 To UBound(a) - 1
    For q = p + 1 To UBound(a)
      If a(q) < a(p) Then t = a(p) : a(p) = a(q) : a(q) = t
    Next
  Next
  Sorted = a
End Function

Dim base, plain
plain = Sorted(times(0))
base = plain(0)
' Microseconds per call over the plain loop: best and median round.
Function PerCall(k, which)
  Dim a
  a = Sorted(times(k))
  If which = 0 Then PerCall = (a(0) - base) * 1000000 / n Else PerCall = (a(UBound(a) \ 2) - base) * 1000000 / n
End Function

Function Shown(v)
  Shown = Right(Space(8) & FormatNumber(v, 2, True, False, False), 8)
End Function

Sub Line(label, k)
  WScript.Echo "  " & Left(label & Space(40), 40) & Shown(PerCall(k, 0)) & " / " & Shown(PerCall(k, 1))
End Sub

Sub Target(what, ours, theirs)
  Dim met
  met = PerCall(ours, 0) <= PerCall(theirs, 0)
  If Not met Then missed = missed + 1
  WScript.Echo "  " & what & ": " & FormatNumber(PerCall(ours, 0) / PerCall(theirs, 0), 2, True, False, False) & _
    " times the dictionary's (target: at most 1): " & IIf(met, "met", "MISSED")
End Sub

Function IIf(c, a, b)
  If c Then IIf = a Else IIf = b
End Function

missed = 0
WScript.Echo "late-bound calls from VBScript, " & n & " calls x " & rounds & " rounds, " & _
  "microseconds per call over the plain loop (best / median)"
WScript.Echo "  " & Left("plain loop (x = i), whole" & Space(40), 40) & Shown(base * 1000000 / n)
Line "StatusRegObj.AllSystemsGo", 1
Line "Scripting.Dictionary.Count", 2
Line "Collection.Item(1)", 3
Line "Scripting.Dictionary.Item(""a"")", 4
Target "property read", 1, 2
Target "method call", 3, 4
WScript.Quit missed

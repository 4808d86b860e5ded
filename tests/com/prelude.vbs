' The checks every script suite here shares, included by the host ahead of the suite:
' a failure is counted and echoed, and Finish turns the count into the exit status.

Option Explicit
Dim failures, journal
failures = 0
journal = ""

Sub Fail(what)
  failures = failures + 1
  WScript.Echo "FAIL: " & what
End Sub

' Booleans, strings and Empty match only their own kind, numbers any number, objects by identity.
Function Kind(v)
  Kind = VarType(v)
  If Kind <> vbBoolean And Kind <> vbString And Kind <> vbEmpty Then Kind = 0
End Function

Function Same(a, b)
  Same = False
  If IsObject(a) Or IsObject(b) Then
    If IsObject(a) And IsObject(b) Then Same = a Is b
  ElseIf Kind(a) = Kind(b) Then
    If a = b Then Same = True
  End If
End Function

Function Show(v)
  Show = TypeName(v)
  If Not IsObject(v) And Not IsNull(v) Then Show = Show & " [" & v & "]"
End Function

Sub Check(cond, what)
  If Not Same(cond, True) Then Fail what
End Sub

Sub CheckEq(actual, expected, what)
  If Not Same(actual, expected) Then Fail what & ": got " & Show(actual) & ", expected " & Show(expected)
End Sub

' Reads and clears Err: call it right after the statement under test, under On Error Resume Next.
Sub CheckErr(number, source, description, what)
  Dim got, want
  got = Err.Number & " from [" & Err.Source & "]: " & Err.Description
  want = number & " from [" & source & "]: " & description
  Err.Clear
  If got <> want Then Fail what & ": got error " & got & ", expected " & want
End Sub

' Event handlers note what they saw; a check takes the notes made since the last one.
Sub Note(text)
  If journal <> "" Then journal = journal & ", "
  journal = journal & text
End Sub

Function TakeJournal()
  TakeJournal = journal : journal = ""
End Function

' Rows of three: what, the value read, the value expected.
Sub CheckRows(what, rows)
  Dim i
  For i = 0 To UBound(rows) Step 3
    CheckEq rows(i + 1), rows(i + 2), what & " " & rows(i)
  Next
End Sub

' An adapter handed to a supervisor's listener, by name; netRef may be Nothing.
Function AdapterText(netRef)
  AdapterText = "none"
  If Not netRef Is Nothing Then AdapterText = netRef.AdapterName
End Function

' The exit status holds 8 bits: 256 failures must not read as success.
Sub Finish()
  If failures > 255 Then failures = 255
  WScript.Quit failures
End Sub

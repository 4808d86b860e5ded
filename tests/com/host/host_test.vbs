' Echo, Arguments and CreateObject as a VBScript file sees them, with Wine's own
' Scripting.Dictionary as the created object.
WScript.Echo "echo:", 1, 2.5, True, Null, "", "end"
WScript.Echo
WScript.Echo "text: Grüße €"
WScript.Echo "name:", WScript.ScriptName
full = WScript.ScriptFullName
WScript.Echo "full name:", Mid(full, 2, 2), Right(full, 29)

Set args = WScript.Arguments
WScript.Echo "count:", args.Count, args.length
WScript.Echo "items:", args(0), args.Item(1), WScript.Arguments(2) & "|"
For Each a In args
  WScript.Echo "each:", a
Next

Set d = WScript.CreateObject("Scripting.Dictionary")
d.Add "a", 1
d("b") = "two"
WScript.Echo "dictionary:", d.Count, d("a"), d.Item("b"), d.Exists("c")

On Error Resume Next
x = args(3)
WScript.Echo "item 3:", Err.Number, Err.Source, Err.Description
Err.Clear
Set o = WScript.CreateObject("No.Such.Class")
WScript.Echo "create:", Err.Number, Err.Source, Err.Description, TypeName(o)
Err.Clear
WScript.ConnectObject d, "d_"
WScript.Echo "connect:", Err.Number, Err.Source, Err.Description
Err.Clear
WScript.CreateObject "Scripting.Dictionary", "d_"
WScript.Echo "create with prefix:", Err.Number, Err.Description
Err.Clear
WScript.NoSuchMember
WScript.Echo "unknown member:", Err.Number
Err.Clear
WScript.Sleep -1
WScript.Echo "sleep:", Err.Number, Err.Source
Err.Clear
WScript.Sleep 20
WScript.DisconnectObject d
WScript.Echo "disconnect:", Err.Number

' Quit ends the script even while errors are being resumed.
WScript.Quit 7
WScript.Echo "not reached"

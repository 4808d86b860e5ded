// Echo, Arguments, Quit and CreateObject as a JScript file sees them.
WScript.Echo("echo:", 1, 2.5, true, null, "", "end");
WScript.Echo("name:", WScript.ScriptName);

var args = WScript.Arguments;
WScript.Echo("count:", args.Count(), args.length);
WScript.Echo("items:", args(0), args.Item(1));
for (var e = new Enumerator(args); !e.atEnd(); e.moveNext())
  WScript.Echo("each:", e.item());

var d = WScript.CreateObject("Scripting.Dictionary");
d.Add("k", 42);
WScript.Echo("dictionary:", d.Count, d.Item("k"));

try {
  args.Item(5);
} catch (err) {
  WScript.Echo("item 5:", err.number, err.description);
}
try {
  WScript.CreateObject("No.Such.Class");
} catch (err) {
  WScript.Echo("create:", err.number & 0xFFFF, err.description);
}

// A catch around Quit does not keep the script running.
try {
  WScript.Quit(3);
} catch (err) {
  WScript.Echo("quit was caught");
}
WScript.Echo("not reached");

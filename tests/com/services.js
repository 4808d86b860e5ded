// The application services from JScript: errors caught as exceptions (the runtime's numbers in
// the low word), objects of the script's own as error and form.
var failures = 0;

function fail(what) {
  failures++;
  WScript.Echo("FAIL: " + what);
}

function show(v) {
  return v === null ? "null" : typeof v + " [" + v + "]";
}

function checkEq(actual, expected, what) {
  if (actual !== expected) fail(what + ": got " + show(actual) + ", expected " + show(expected));
}

// The runtime's own errors arrive as 0x800A0000 + number, object errors as themselves.
function checkErr(call, number, description, what) {
  try {
    call();
  } catch (e) {
    var n = (e.number >>> 16) === 0x800A ? e.number & 0xFFFF : e.number;
    checkEq(n + ": " + e.description, number + ": " + description, what);
    return;
  }
  fail(what + ": no error");
}

// ---- Error reflector: any object with the error object's five fields can be copied ----------

var refl = WScript.CreateObject("ZentNetLib.ErrReflector");
refl.CopyError = { Number: 6301, Description: "Port setup problems: busy or non-existant",
  Source: "NetAdapterObj.NetOpen(let opening)", HelpContext: 7, HelpFile: "zent.hlp" };
checkEq([refl.Number, refl.Source, refl.HelpContext, refl.HelpFile].join("|"),
  "6301|NetAdapterObj.NetOpen(let opening)|7|zent.hlp", "the copied fields");
checkErr(function () { refl.Raise(); }, 6301, "Port setup problems: busy or non-existant", "Raise of the copy");
checkErr(function () { refl.CopyError = { Number: 1 }; }, 438, "Object doesn't support this property or method",
  "CopyError of an object without Description");
checkEq(refl.Number, 6301, "a failed CopyError keeps the previous copy");

// Text comes back unit for unit: unpaired surrogates (each alone, reversed) and a NUL.
var odd = "x\uD800y\u0000z\uDC00\uDC00\uD800";
refl.CopyError = { Number: 5, Description: "d" + odd, Source: "s" + odd, HelpContext: 0,
  HelpFile: "h" + odd };
checkEq([refl.Description, refl.Source, refl.HelpFile].join("|"),
  ["d", "s", "h"].join(odd + "|") + odd, "the copied texts");
try {
  refl.Raise();
} catch (e) {
  checkEq(e.description, "d" + odd, "the description Raise raises");
}
var named = WScript.CreateObject("ValuesLib.ValueObj");
named.Name = odd;
checkEq(named.Name, odd, "a value object's Name");

// ---- Hot key: a form of the script's own ------------------------------------------------------

var hot = WScript.CreateObject("ZentNetLib.HotKeyObj");
hot.KeyCode = 112;
hot.ShiftCodes = 1;
hot.FormRef = { hWnd: 1234 };
checkEq(hot.KeyName, "1234:10070", "KeyName with a form");
hot.FormRef = {};
checkErr(function () { return hot.KeyName; }, 438, "Object doesn't support this property or method",
  "KeyName of a form without hWnd");

// An integer parameter refuses what no integer stands for as it refuses a number too large:
// with the dispatch overflow (DISP_E_OVERFLOW), as the platform does.
checkErr(function () { hot.KeyCode = 1e10; }, -2147352566, "", "KeyCode = 1e10");
checkErr(function () { hot.KeyCode = NaN; }, -2147352566, "", "KeyCode = NaN");
checkErr(function () { hot.KeyCode = -Infinity; }, -2147352566, "", "KeyCode = -Infinity");
checkEq(hot.KeyCode, 112, "... KeyCode kept");

WScript.Quit(Math.min(failures, 255));  // the exit status holds 8 bits

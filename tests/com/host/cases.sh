# The host's own cases, sourced by scripts/test-windows. Each runs one script of this
# folder and compares everything it shows: the exit status (as Unix sees it, so modulo
# 256), stdout, and stderr (the lines written "! " here).
#
#         name                                  status  script and arguments

host_case "VBScript: echo, arguments, objects"  7  host_test.vbs one "two words" "" <<'END'
echo: 1 2.5 -1 Null  end

text: Grüße €
name: host_test.vbs
full name: :\ \tests\com\host\host_test.vbs
count: 3 3
items: one two words |
each: one
each: two words
each: 
dictionary: 2 1 two 0
item 3: 9 WScript.Arguments.Item Subscript out of range
create: 429 WScript.CreateObject Could not locate automation class named "No.Such.Class". Empty
connect: 5 WScript.ConnectObject The object has no default source interface.
create with prefix: 5 The object has no default source interface.
unknown member: 438
sleep: 5 WScript.Sleep
disconnect: 0
END

host_case "JScript: echo, arguments, objects"  3  host_test.js one "two words" <<'END'
echo: 1 2.5 -1 null  end
name: host_test.js
count: 2 2
items: one two words
each: one
each: two words
dictionary: 1 42
item 5: -2146828279 Subscript out of range
create: 429 Could not locate automation class named "No.Such.Class".
END

host_case "Quit without a code"  0  quit_default.vbs <<<'before'

host_case "a runtime error"  6  raise.vbs overflow \
  <<<'! raise.vbs(3, 20) Microsoft VBScript runtime error: Overflow (error 6)'

host_case "the script's own error"  $((1000 % 256))  raise.vbs own \
  <<<'! raise.vbs(4, 15) Raiser: Own description (error 1000)'

host_case "an object error as its HRESULT"  $((0x0FEA % 256))  raise.vbs hresult \
  <<<'! raise.vbs(5, 19) Ports: Port list error (error -2147217430)'

host_case "an error without low bits exits 1"  1  raise.vbs zero-low-bits \
  <<<'! raise.vbs(6, 25) Raiser: No low bits (error -2147221504)'

host_case "the host's own error, uncaught"  9  raise.vbs host \
  <<<'! raise.vbs(7, 16) WScript.Arguments: Subscript out of range (error 9)'

host_case "a JScript runtime error"  $((5007 % 256))  raise.js <<'END'
first
! raise.js(2, 1) Microsoft JScript runtime error: Object expected (error 5007)
END

host_case "a JScript syntax error runs nothing"  $((1002 % 256))  syntax.js \
  <<<'! syntax.js(2, 5) Microsoft JScript compilation error: Syntax error (error 1002)'

host_case "a missing script"  1  missing.vbs <<<'! zenthost: cannot open missing.vbs (0x80070002)'

host_case "an unknown extension"  1  cases.sh \
  <<<'! zenthost: no script engine for cases.sh (use .vbs or .js) (0x80070057)'

host_case "no script named"  1  /include:included.vbs /checkunload <<'END'
! usage: zenthost [/include:FILE]... [/checkunload] FILE.vbs|FILE.js [ARGS...]
!   each FILE included runs first, in order, in the script's engine
!   /checkunload: afterwards every DLL that served objects must answer
!   DllCanUnloadNow with S_OK
END

host_case "an include runs first; its error names it"  6  /INCLUDE:included.vbs include.vbs <<'END'
set by the include, 42, include.vbs
! included.vbs(11, 17) Microsoft VBScript runtime error: Overflow (error 6)
END

host_case "an include of the other language"  1  /include:raise.js include.vbs \
  <<<'! zenthost: cannot include raise.js in a VBScript script (0x80070057)'

# The engine's words for a syntax error differ between engines; where it was found and
# that nothing ran do not.
host_case_fails "a VBScript syntax error runs nothing"  syntax.vbs

host_case "events: order, prefixes, by-reference arguments, disconnecting"  0  events.vbs <<'END'
lock 7
terminate 0
connected: -1
disconnected: 0
t lock 9
partly handled: 0
t lock 10
lock 11
terminate 0
twice connected: -1
END

host_case "events reach JScript functions"  0  events.js <<'END'
lock number 7
terminate boolean 0
connected: 0
END

host_case "an error in an event handler ends the script"  5  events_error.vbs <<'END'
lock 7
! events_error.vbs(8, 3) Microsoft VBScript runtime error: Invalid procedure call or argument (error 5)
END

host_case "a by-reference argument that does not convert back"  13  events_mismatch.vbs \
  <<<'! events_mismatch.vbs(0, 0) s_Terminate: Type mismatch: argument 1 of s_Terminate (error 13)'

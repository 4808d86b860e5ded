WScript.Echo("first");
undefinedFunction();

// Runs JScript through the system's script engine with one named item, "external",
// bound to a dispatch object: the way a page's script reaches window.external.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

struct ScriptOutcome {
    HRESULT parse = E_FAIL;    // what ParseScriptText answered
    bool scriptError = false;  // the engine reported a script error to its site
    std::wstring errorText;
};

// The engine is created, runs the script once and is closed again. COM must be
// initialised on the calling thread.
ScriptOutcome RunScriptWithExternal(IDispatch* external, const wchar_t* script);

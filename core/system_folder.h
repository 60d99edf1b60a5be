// DLLs and programs of the system, taken from the system folder and nowhere else. The
// launcher is started from a Downloads folder, where any page can drop a file, and
// maybe with administrator rights: a DLL that is not one of the system's known DLLs is
// looked for in the executable's own folder first, and a program given by its bare
// name in the current directory first. Safe to call from any thread.
#pragma once

#include <windows.h>

// Before anything else loads a DLL: from now on a DLL loaded by name comes from the
// system folder only, whoever loads it (the window system, COM, the browser control).
// Where the system lacks that (Windows 7 without its update), at least the current
// directory is taken out of the search.
void RestrictDllSearchToSystemFolder();

// The file's full path in the system folder; false when it does not fit MAX_PATH
// characters (path is then left as it was).
bool SystemFolderPath(const wchar_t* fileName, wchar_t (&path)[MAX_PATH]);

// The system DLL of that file name, loaded by its full path in the system folder, so
// never found along a search path; null when it cannot be loaded. Each call counts
// one more load of the same module: callers load it once and keep it, as nothing is
// ever unloaded.
HMODULE LoadSystemLibrary(const wchar_t* fileName);

// The function exported under that name, typed as the declaration it stands for; null
// when the module or the function is missing.
template <typename Function>
Function FindFunction(HMODULE module, const char* name) {
    FARPROC found = module ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

// The shell's functions that the launcher calls, taken from shell32.dll at their first
// use instead of being imported: only the install step (on its worker, after the first
// paint) and commands that a user gives need them, and a DLL in the import table is
// loaded, with everything it needs, before WinMain of every start. The program does
// not link shell32 at all, so a direct call is a build error.
#pragma once

#include <windows.h>
#include <shlobj.h>

// SHGetSpecialFolderLocation; E_FAIL when shell32 cannot be had.
HRESULT ShellGetSpecialFolderLocation(int folder, LPITEMIDLIST* list);

// SHGetPathFromIDListW; FALSE when shell32 cannot be had.
BOOL ShellGetPathFromIDList(LPCITEMIDLIST list, wchar_t* path);

// ShellExecuteW with the "open" verb and no owner window; null (a failure) when shell32
// cannot be had.
HINSTANCE ShellOpen(const wchar_t* file, const wchar_t* parameters, const wchar_t* directory, int showCommand);

#include "shell_functions.h"

#include <shellapi.h>

#include "system_folder.h"

namespace {

// Loaded once and kept: the process ends without unloading anything. Safe from any
// thread.
HMODULE Shell32() {
    static const HMODULE shell32 = LoadSystemLibrary(L"shell32.dll");
    return shell32;
}

template <typename Function>
Function Find(const char* name) {
    return FindFunction<Function>(Shell32(), name);
}

}  // namespace

HRESULT ShellGetSpecialFolderLocation(int folder, LPITEMIDLIST* list) {
    auto function = Find<decltype(&SHGetSpecialFolderLocation)>("SHGetSpecialFolderLocation");
    return function ? function(nullptr, folder, list) : E_FAIL;
}

BOOL ShellGetPathFromIDList(LPCITEMIDLIST list, wchar_t* path) {
    auto function = Find<decltype(&SHGetPathFromIDListW)>("SHGetPathFromIDListW");
    return function ? function(list, path) : FALSE;
}

HINSTANCE ShellOpen(const wchar_t* file, const wchar_t* parameters, const wchar_t* directory, int showCommand) {
    auto function = Find<decltype(&ShellExecuteW)>("ShellExecuteW");
    return function ? function(nullptr, L"open", file, parameters, directory, showCommand) : nullptr;
}

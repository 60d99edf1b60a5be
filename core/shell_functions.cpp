#include "shell_functions.h"

#include <shellapi.h>

namespace {

constexpr wchar_t kShell32[] = L"\\shell32.dll";

// By its full path in the system folder, never found along the search path. Loaded
// once and kept: the process ends without unloading anything. Safe from any thread.
HMODULE Shell32() {
    static const HMODULE shell32 = [] {
        wchar_t path[MAX_PATH];
        const UINT length = GetSystemDirectoryW(path, MAX_PATH);
        if (length == 0 || length + ARRAYSIZE(kShell32) > MAX_PATH) return static_cast<HMODULE>(nullptr);
        lstrcpyW(path + length, kShell32);
        return LoadLibraryW(path);
    }();
    return shell32;
}

// The function of that name, typed as the declaration it stands for; null when missing.
template <typename Function>
Function Find(const char* name) {
    HMODULE shell32 = Shell32();
    FARPROC found = shell32 ? GetProcAddress(shell32, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
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

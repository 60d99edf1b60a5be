#include "system_folder.h"

void RestrictDllSearchToSystemFolder() {
    // Taken at run time: Windows 7 has it only with its update KB2533623.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const auto setDefaultDllDirectories = FindFunction<SetDefaultDllDirectoriesFunction>(
        GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    if (!setDefaultDllDirectories || !setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        SetDllDirectoryW(L"");
    }
}

bool SystemFolderPath(const wchar_t* fileName, wchar_t (&path)[MAX_PATH]) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length + 1 + lstrlenW(fileName) >= MAX_PATH) {
        return false;
    }
    lstrcpyW(path, folder);
    path[length] = L'\\';
    lstrcpyW(path + length + 1, fileName);
    return true;
}

HMODULE LoadSystemLibrary(const wchar_t* fileName) {
    wchar_t path[MAX_PATH];
    return SystemFolderPath(fileName, path) ? LoadLibraryW(path) : nullptr;
}

/* Not a test: a DLL that a test copies beside a copy of the launcher under the names of
   system DLLs, as a web page could drop it into a Downloads folder. If the launcher's
   process ever runs its code, it leaves "<its own path>.ran" beside itself. */
#include <windows.h>

static const wchar_t kMarkerSuffix[] = L".ran";

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        wchar_t marker[MAX_PATH + sizeof(kMarkerSuffix) / sizeof(wchar_t)];
        const DWORD length = GetModuleFileNameW(module, marker, MAX_PATH);
        if (length > 0 && length < MAX_PATH) {
            lstrcpyW(marker + length, kMarkerSuffix);
            HANDLE file = CreateFileW(marker, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
            if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        }
    }
    return TRUE;
}

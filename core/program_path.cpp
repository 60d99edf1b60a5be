#include "program_path.h"

#include <windows.h>

#include <string>

const wchar_t* ProgramPath() {
    static std::wstring path;
    if (path.empty()) {
        // GetModuleFileNameW truncates silently; grow until the whole path fits.
        std::wstring buffer(MAX_PATH, L'\0');
        for (;;) {
            const DWORD length = GetModuleFileNameW(nullptr, &buffer[0], static_cast<DWORD>(buffer.size()));
            if (length < buffer.size()) {
                buffer.resize(length);
                break;
            }
            buffer.resize(buffer.size() * 2);
        }
        path = buffer;
    }
    return path.c_str();
}

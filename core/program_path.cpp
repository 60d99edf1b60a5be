#include "program_path.h"

#include <windows.h>

#include <string.h>

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

wchar_t* AnsiToWide(const char* text) {
    const int length = static_cast<int>(strlen(text));
    const int count = length > 0 ? MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0) : 0;
    wchar_t* wide = new wchar_t[count + 1];
    if (count > 0) {
        MultiByteToWideChar(CP_ACP, 0, text, length, wide, count);
    }
    wide[count] = L'\0';
    return wide;
}

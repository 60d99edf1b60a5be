#include "program_path.h"

#include <windows.h>

#include <string.h>

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

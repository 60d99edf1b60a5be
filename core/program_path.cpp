#include "program_path.h"

#include <windows.h>

#include <string>

namespace {

std::wstring ReadProgramPath() {
    // GetModuleFileNameW truncates silently; grow until the whole path fits.
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, &buffer[0], static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace

const wchar_t* ProgramPath() {
    // Initialised once even when the install worker and the GUI thread ask at the
    // same moment: a function-local static is constructed under the runtime's lock.
    static const std::wstring path = ReadProgramPath();
    return path.c_str();
}

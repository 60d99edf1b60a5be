// Redirects this program's own calls of one imported system function, for as long as
// the patch lives: the entry of the function in the executable's import address
// table is pointed at a replacement. The launcher's code is linked into the test
// program, so its calls go through that table as well; the replacement can record
// them and call on to the original.
#pragma once

#include <windows.h>

class ImportPatch {
public:
    ImportPatch(const char* dll, const char* function, const void* replacement);
    ~ImportPatch();
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    bool applied() const { return slot_ != nullptr; }
    // The system's own function, to call on to.
    void* original() const { return reinterpret_cast<void*>(original_); }

private:
    FARPROC* slot_ = nullptr;
    FARPROC original_ = nullptr;
};

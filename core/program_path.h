// The running executable's path, and text conversion for what is stored narrow.
#pragma once

// The full path of the running executable exactly as the system gives it in UTF-16,
// read once: installing, linking and relaunching all use it, so a folder name that the
// ANSI code page cannot represent still names the right file.
const wchar_t* ProgramPath();

// A newly allocated, NUL-terminated wide copy of a narrow ANSI string; the caller
// frees it with delete[]. An empty string gives an array holding only the terminator.
wchar_t* AnsiToWide(const char* text);

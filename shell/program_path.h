// Text conversion for what the launcher stores narrow, in the ANSI code page.
#pragma once

// A newly allocated, NUL-terminated wide copy of a narrow ANSI string; the caller
// frees it with delete[]. An empty string gives an array holding only the terminator.
wchar_t* AnsiToWide(const char* text);

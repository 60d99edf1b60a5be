// The running executable's path.
#pragma once

// The full path of the running executable exactly as the system gives it in UTF-16,
// read once: installing, linking and relaunching all use it, so a folder name that the
// ANSI code page cannot represent still names the right file. Safe to call from any
// thread.
const wchar_t* ProgramPath();

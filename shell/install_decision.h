// The install step's decisions, free of any platform call so that they can be
// unit-tested natively: what to create and copy, where the shortcut points, and
// whether the shortcut's file name fits beside the desktop path.
#pragma once

#include <cstddef>

inline constexpr wchar_t kShortcutFileName[] = L"\\Orvendal.lnk";
inline constexpr std::size_t kDesktopPathCapacity = 260;  // MAX_PATH wide characters, terminator included

enum class ShortcutTarget { InstalledCopy, RunningExecutable };

// The installation folder and the installed executable as the install step sees them.
// The Windows side answers with real file calls, the unit tests with a simulation.
class InstallFiles {
public:
    virtual ~InstallFiles() = default;
    virtual bool FolderExists() = 0;
    virtual bool ExecutableExists() = 0;
    virtual bool CreateFolder() = 0;    // true when the folder was made
    virtual void CopyExecutable() = 0;  // never overwrites; success shows in the final tests
};

// Creates the folder when missing and copies the running executable when the
// installed one is missing, then tests both again: the installed copy is the
// shortcut target only when both exist afterwards.
ShortcutTarget RunInstallStep(InstallFiles& files);

// Appends kShortcutFileName to the NUL-terminated desktop path in a buffer of the
// given capacity. Leaves the buffer untouched and returns false when there is no
// path (null or empty: the desktop was not resolved) or when the whole shortcut
// path, terminator included, would not fit.
bool AppendShortcutFileName(wchar_t* desktopPath, std::size_t capacity);

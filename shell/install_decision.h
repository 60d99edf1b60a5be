// The install step's decisions, free of any platform call so that they can be
// unit-tested natively: what to create and copy, where the shortcut points, which
// names in the installation folder are copies that never got their final name, and
// whether the shortcut's file name fits beside the desktop path.
#pragma once

#include <cstddef>
#include <string>

inline constexpr wchar_t kShortcutFileName[] = L"\\Orvendal.lnk";
// The shortcut is saved under this name beside the real one and then moved over it, so
// that a kill in the middle leaves the old shortcut or the new one, never half of one.
// One name for every launcher (they take turns): a killed launcher's leftover is saved
// over by the next one instead of piling up. As long as the real name, so that every
// desktop path the real one fits beside takes it too.
inline constexpr wchar_t kTemporaryShortcutFileName[] = L"\\Orvendal.tmp";
static_assert(sizeof(kTemporaryShortcutFileName) == sizeof(kShortcutFileName),
              "the temporary shortcut name must fit wherever the real one does");
inline constexpr std::size_t kDesktopPathCapacity = 260;  // MAX_PATH wide characters, terminator included

enum class ShortcutTarget { InstalledCopy, RunningExecutable };

// The installation folder and the installed executable as the install step sees them.
// The Windows side answers with real file calls, the unit tests with a simulation.
//
// The copy is written under a temporary name of this process's own and only then given
// the installed executable's name, so that name never stands for a file cut short by a
// kill or a power cut; what such a cut leaves is a temporary copy, removed at a later
// start.
class InstallFiles {
public:
    virtual ~InstallFiles() = default;
    // Waits until no other launcher of the session is in its install step and keeps them
    // out until EndTurn. False when the turn is not to be had now and this launcher may
    // not wait for it: then another is doing the same step, and this one leaves it.
    virtual bool TakeTurn() = 0;
    virtual void EndTurn() = 0;
    virtual bool FolderExists() = 0;
    virtual bool ExecutableExists() = 0;
    virtual bool CreateFolder() = 0;  // true when the folder was made
    // Deletes the temporary copies that no launcher is writing any more.
    virtual void RemoveLeftoverCopies() = 0;
    // True when the whole running executable is in the temporary copy, on disk.
    virtual bool WriteTemporaryCopy() = 0;
    // Renames the temporary copy to the installed executable's name; never replaces a
    // file of that name, so it fails when another launcher got there first.
    virtual bool GiveCopyItsFinalName() = 0;
    virtual void DiscardTemporaryCopy() = 0;
    // Writes the desktop shortcut, pointing at the installed copy or at the running
    // executable.
    virtual void SaveShortcut(ShortcutTarget target) = 0;
};

// Creates the folder when missing and copies the running executable when the
// installed one is missing, then tests both again: the installed copy is the
// shortcut target only when both exist afterwards. An existing folder is cleared of
// leftover copies before the executable is tested.
ShortcutTarget RunInstallStep(InstallFiles& files);

// The whole start-up step, from clearing leftovers to saving the shortcut, in one turn
// of the session's launchers: a second launcher, or a relaunch while the first still
// copies, waits instead of copying beside it, and its clearing can never delete a copy
// the first has finished but not yet named; so the shortcut names the installed copy
// whenever there is one.
void RunInstallAndLinkStep(InstallFiles& files);

// The file name of the temporary copy written by the process of this id, and whether
// a name in the installation folder is such a copy (exactly the form made here, so
// the installed executable and anything else never match).
std::wstring TemporaryCopyName(unsigned long processId);
bool IsTemporaryCopyName(const std::wstring& name);

// Appends kShortcutFileName to the NUL-terminated desktop path in a buffer of the
// given capacity. Leaves the buffer untouched and returns false when there is no
// path (null or empty: the desktop was not resolved) or when the whole shortcut
// path, terminator included, would not fit.
bool AppendShortcutFileName(wchar_t* desktopPath, std::size_t capacity);

// The temporary shortcut's path beside the shortcut path AppendShortcutFileName made.
std::wstring TemporaryShortcutPath(const std::wstring& shortcutPath);

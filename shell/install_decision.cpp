#include "install_decision.h"

ShortcutTarget RunInstallStep(InstallFiles& files) {
    if (!files.FolderExists()) {
        if (files.CreateFolder()) files.CopyExecutable();
    } else if (!files.ExecutableExists()) {
        files.CopyExecutable();
    }
    // Tested again rather than trusted: a copy that failed leaves the executable missing.
    const bool installed = files.FolderExists() && files.ExecutableExists();
    return installed ? ShortcutTarget::InstalledCopy : ShortcutTarget::RunningExecutable;
}

namespace {

// Length of a NUL-terminated text, or capacity when no terminator lies within it.
std::size_t BoundedLength(const wchar_t* text, std::size_t capacity) {
    std::size_t length = 0;
    while (length < capacity && text[length] != L'\0') ++length;
    return length;
}

}  // namespace

bool AppendShortcutFileName(wchar_t* desktopPath, std::size_t capacity) {
    if (desktopPath == nullptr) return false;
    const std::size_t pathLength = BoundedLength(desktopPath, capacity);
    // A bare "\Orvendal.lnk" would name the root of whatever drive is current.
    if (pathLength == 0) return false;
    const std::size_t nameLength = sizeof(kShortcutFileName) / sizeof(kShortcutFileName[0]);  // with its NUL
    if (pathLength + nameLength > capacity) return false;
    for (std::size_t i = 0; i < nameLength; ++i) desktopPath[pathLength + i] = kShortcutFileName[i];
    return true;
}

#include "install_decision.h"

namespace {

constexpr wchar_t kTemporaryCopyPrefix[] = L"Orvendal.exe.";
constexpr wchar_t kTemporaryCopySuffix[] = L".partial";  // never ".exe": not a program to start
constexpr std::size_t kLongestProcessIdDigits = 10;     // a 32-bit id in decimal

// A copy that cannot be written whole, or loses the name to another launcher's, is
// deleted at once: only a process that dies mid-copy leaves one behind.
void InstallCopy(InstallFiles& files) {
    if (!files.WriteTemporaryCopy() || !files.GiveCopyItsFinalName()) files.DiscardTemporaryCopy();
}

bool IsDecimal(const std::wstring& text) {
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return false;
    }
    return !text.empty();
}

// Length of a NUL-terminated text, or capacity when no terminator lies within it.
std::size_t BoundedLength(const wchar_t* text, std::size_t capacity) {
    std::size_t length = 0;
    while (length < capacity && text[length] != L'\0') ++length;
    return length;
}

}  // namespace

ShortcutTarget RunInstallStep(InstallFiles& files) {
    if (!files.FolderExists()) {
        if (files.CreateFolder()) InstallCopy(files);
    } else {
        files.RemoveLeftoverCopies();
        if (!files.ExecutableExists()) InstallCopy(files);
    }
    // Tested again rather than trusted: a copy that failed leaves the executable missing.
    const bool installed = files.FolderExists() && files.ExecutableExists();
    return installed ? ShortcutTarget::InstalledCopy : ShortcutTarget::RunningExecutable;
}

void RunInstallAndLinkStep(InstallFiles& files) {
    if (!files.TakeTurn()) return;
    files.SaveShortcut(RunInstallStep(files));
    files.EndTurn();
}

std::wstring TemporaryCopyName(unsigned long processId) {
    return kTemporaryCopyPrefix + std::to_wstring(processId) + kTemporaryCopySuffix;
}

bool IsTemporaryCopyName(const std::wstring& name) {
    const std::wstring prefix = kTemporaryCopyPrefix, suffix = kTemporaryCopySuffix;
    if (name.size() < prefix.size() + suffix.size()) return false;
    const std::wstring id = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    return name == prefix + id + suffix && id.size() <= kLongestProcessIdDigits && IsDecimal(id);
}

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

std::wstring TemporaryShortcutPath(const std::wstring& shortcutPath) {
    const std::size_t nameLength = sizeof(kShortcutFileName) / sizeof(kShortcutFileName[0]) - 1;
    const std::size_t folderLength = shortcutPath.size() >= nameLength ? shortcutPath.size() - nameLength : 0;
    return shortcutPath.substr(0, folderLength) + kTemporaryShortcutFileName;
}

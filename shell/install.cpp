// Every failure here is silent: installing and linking are conveniences, and start-up
// goes on whatever happens to them.
#include "install.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <memory>
#include <new>
#include <string>

#include "install_decision.h"
#include "../core/launcher_state.h"
#include "../core/program_path.h"
#include "../core/shell_functions.h"

namespace {

// Long enough for the first paint to come first on a slow machine, short enough that
// a window started minimized or hidden before its first paint installs all the same.
constexpr DWORD kLongestWaitForFirstPaintMs = 2000;

// Literal on purpose: the system's program-files folder is not looked up.
constexpr wchar_t kInstallFolder[] = L"C:\\Program Files\\Orvendal";
constexpr wchar_t kInstalledExecutable[] = L"C:\\Program Files\\Orvendal\\Orvendal.exe";
constexpr wchar_t kShortcutDescription[] = L"Orvendal";
// The launchers of a session take turns for their install steps; "Local\" is the
// session's namespace, where a relaunch and a second start of the same user meet.
constexpr wchar_t kInstallTurnName[] = L"Local\\Orvendal.InstallStep";

static_assert(kDesktopPathCapacity == MAX_PATH, "the desktop path buffer is a MAX_PATH buffer");

// Existence only, file or folder alike. Both installation paths are plain ASCII, so
// the wide test answers exactly what a test on their ANSI form would.
bool PathExists(const wchar_t* path) {
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

constexpr DWORD kCopyChunkBytes = 1024 * 1024;

std::wstring InFolder(const std::wstring& name) {
    return std::wstring(kInstallFolder) + L"\\" + name;
}

bool CopyContents(HANDLE from, HANDLE to) {
    std::unique_ptr<char[]> chunk(new (std::nothrow) char[kCopyChunkBytes]);
    if (!chunk) return false;
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(from, chunk.get(), kCopyChunkBytes, &read, nullptr)) return false;
        if (read == 0) return true;
        DWORD written = 0;
        if (!WriteFile(to, chunk.get(), read, &written, nullptr) || written != read) return false;
    }
}

// The target is held without any sharing while it is written, so that another
// launcher clearing leftovers cannot delete it under us, and its data is on disk
// before it is closed, so that a power cut after the rename cannot leave the final
// name on a file whose blocks were never written.
bool CopyWholeFile(const wchar_t* source, const wchar_t* target) {
    HANDLE from = CreateFileW(source, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (from == INVALID_HANDLE_VALUE) return false;
    HANDLE to = CreateFileW(target, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool whole = to != INVALID_HANDLE_VALUE && CopyContents(from, to) && FlushFileBuffers(to);
    if (to != INVALID_HANDLE_VALUE) CloseHandle(to);
    CloseHandle(from);
    return whole;
}

class InstallationFolder : public InstallFiles {
public:
    // How long TakeTurn may wait for another launcher's step: on the install worker as
    // long as that takes, on the GUI thread not at all.
    explicit InstallationFolder(DWORD longestTurnWaitMs) : longestTurnWaitMs_(longestTurnWaitMs) {}
    ~InstallationFolder() override {
        if (turn_) CloseHandle(turn_);
    }
    InstallationFolder(const InstallationFolder&) = delete;
    InstallationFolder& operator=(const InstallationFolder&) = delete;

    bool TakeTurn() override;
    void EndTurn() override {
        if (turn_) ReleaseMutex(turn_);
    }
    bool FolderExists() override { return PathExists(kInstallFolder); }
    bool ExecutableExists() override { return PathExists(kInstalledExecutable); }
    bool CreateFolder() override { return CreateDirectoryW(kInstallFolder, nullptr) != FALSE; }
    void RemoveLeftoverCopies() override;
    bool WriteTemporaryCopy() override { return CopyWholeFile(ProgramPath(), temporaryCopy_.c_str()); }
    bool GiveCopyItsFinalName() override {
        // Without MOVEFILE_REPLACE_EXISTING: an installed copy, one that another
        // launcher has just named included, is never replaced.
        return MoveFileExW(temporaryCopy_.c_str(), kInstalledExecutable, MOVEFILE_WRITE_THROUGH) != FALSE;
    }
    void DiscardTemporaryCopy() override { DeleteFileW(temporaryCopy_.c_str()); }
    void SaveShortcut(ShortcutTarget target) override;

private:
    const DWORD longestTurnWaitMs_;
    HANDLE turn_ = nullptr;
    const std::wstring temporaryCopy_ = InFolder(TemporaryCopyName(GetCurrentProcessId()));
};

// A turn left by a launcher that was killed in its step is abandoned, and taken over:
// what that launcher left is cleared like any leftover. Without the named mutex (it
// cannot be made) each launcher goes on alone, as without other launchers.
bool InstallationFolder::TakeTurn() {
    turn_ = CreateMutexW(nullptr, FALSE, kInstallTurnName);
    if (!turn_) return true;
    const DWORD waited = WaitForSingleObject(turn_, longestTurnWaitMs_);
    return waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

// A copy that another launcher is writing right now is open without delete sharing,
// so deleting it fails and it stays; only copies whose writer has gone are removed.
// One finished but not yet renamed may go too: its writer then installs nothing this
// time, and this launcher, which clears before it tests, finds the executable missing
// and copies it itself.
void InstallationFolder::RemoveLeftoverCopies() {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(InFolder(L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (IsTemporaryCopyName(found.cFileName)) DeleteFileW(InFolder(found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// The desktop's file-system path into a MAX_PATH buffer, or an empty buffer when the
// desktop cannot be resolved to a folder.
void LookUpDesktopFolder(wchar_t* desktopPath) {
    desktopPath[0] = L'\0';
    LPITEMIDLIST desktop = nullptr;
    if (ShellGetSpecialFolderLocation(CSIDL_DESKTOP, &desktop) != S_OK) return;
    if (!ShellGetPathFromIDList(desktop, desktopPath)) desktopPath[0] = L'\0';
    CoTaskMemFree(desktop);
}

// Its bytes are on the disk before it takes the shortcut's name, as the installed
// copy's are: a power cut after the move must not leave an empty shortcut.
void FlushToDisk(const wchar_t* path) {
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    FlushFileBuffers(file);
    CloseHandle(file);
}

// Saves the shell link under the temporary name and moves it over the shortcut: the
// move replaces the old shortcut at once. What cannot be moved is removed again.
bool SaveLinkInPlaceOf(IPersistFile* file, const wchar_t* shortcutPath) {
    const std::wstring temporary = TemporaryShortcutPath(shortcutPath);
    if (FAILED(file->Save(temporary.c_str(), TRUE))) {
        DeleteFileW(temporary.c_str());  // whatever part of it was written
        return false;
    }
    FlushToDisk(temporary.c_str());
    if (!MoveFileExW(temporary.c_str(), shortcutPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

void InstallationFolder::SaveShortcut(ShortcutTarget target) {
    // The shell link is an apartment object: on the install worker this pair makes and
    // ends the thread's own apartment; on a thread where OLE already runs it only adds
    // and removes one more reference to it.
    CoInitialize(nullptr);
    wchar_t desktopPath[kDesktopPathCapacity];
    LookUpDesktopFolder(desktopPath);
    CreateDesktopShortcut(target == ShortcutTarget::InstalledCopy ? kInstalledExecutable : nullptr, desktopPath);
    CoUninitialize();
}

// Waits behind the first paint, then takes the session's turn for as long as another
// launcher's step lasts.
DWORD WINAPI InstallThread(void* mayBegin) {
    // A null event (none could be made) is no wait at all.
    WaitForSingleObject(static_cast<HANDLE>(mayBegin), kLongestWaitForFirstPaintMs);
    InstallationFolder folder(INFINITE);
    RunInstallAndLinkStep(folder);
    return 0;
}

}  // namespace

bool CreateDesktopShortcut(const wchar_t* target, wchar_t* desktopPath) {
    if (!AppendShortcutFileName(desktopPath, kDesktopPathCapacity)) return false;
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
        return false;
    }
    IPersistFile* file = nullptr;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        link->Release();
        return false;
    }
    link->SetPath(target ? target : ProgramPath());
    link->SetDescription(kShortcutDescription);
    link->SetShowCmd(SW_SHOWNORMAL);
    const bool saved = SaveLinkInPlaceOf(file, desktopPath);
    file->Release();
    link->Release();
    return saved;
}

void StartInstallStep() {
    gLauncher.installMayBegin = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    gLauncher.installThread = CreateThread(nullptr, 0, InstallThread, gLauncher.installMayBegin, 0, nullptr);
    if (!gLauncher.installThread) {
        // No thread to spare: installed here and now instead, unless another launcher is
        // at it; the GUI thread never waits for another launcher's turn.
        InstallationFolder folder(0);
        RunInstallAndLinkStep(folder);
    }
}

// Every failure here is silent: installing and linking are conveniences, and start-up
// goes on whatever happens to them.
#include "install.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "install_decision.h"
#include "../core/launcher_state.h"
#include "../core/program_path.h"

namespace {

// Long enough for the first paint to come first on a slow machine, short enough that
// a window started minimized or hidden before its first paint installs all the same.
constexpr DWORD kLongestWaitForFirstPaintMs = 2000;

DWORD WINAPI InstallThread(void* mayBegin) {
    // A null event (none could be made) is no wait at all.
    WaitForSingleObject(static_cast<HANDLE>(mayBegin), kLongestWaitForFirstPaintMs);
    InstallAndLinkToDesktop();
    return 0;
}

// Literal on purpose: the system's program-files folder is not looked up.
constexpr wchar_t kInstallFolder[] = L"C:\\Program Files\\Orvendal";
constexpr wchar_t kInstalledExecutable[] = L"C:\\Program Files\\Orvendal\\Orvendal.exe";
constexpr wchar_t kShortcutDescription[] = L"Orvendal";

static_assert(kDesktopPathCapacity == MAX_PATH, "the desktop path buffer is a MAX_PATH buffer");

// Existence only, file or folder alike. Both installation paths are plain ASCII, so
// the wide test answers exactly what a test on their ANSI form would.
bool PathExists(const wchar_t* path) {
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

class InstallationFolder : public InstallFiles {
public:
    bool FolderExists() override { return PathExists(kInstallFolder); }
    bool ExecutableExists() override { return PathExists(kInstalledExecutable); }
    bool CreateFolder() override { return CreateDirectoryW(kInstallFolder, nullptr) != FALSE; }
    void CopyExecutable() override {
        CopyFileW(ProgramPath(), kInstalledExecutable, TRUE);  // fail if it exists: never overwrite
    }
};

// The desktop's file-system path into a MAX_PATH buffer, or an empty buffer when the
// desktop cannot be resolved to a folder.
void LookUpDesktopFolder(wchar_t* desktopPath) {
    desktopPath[0] = L'\0';
    LPITEMIDLIST desktop = nullptr;
    if (SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop) != S_OK) return;
    if (!SHGetPathFromIDListW(desktop, desktopPath)) desktopPath[0] = L'\0';
    CoTaskMemFree(desktop);
}

}  // namespace

const wchar_t* InstallExecutable() {
    InstallationFolder folder;
    return RunInstallStep(folder) == ShortcutTarget::InstalledCopy ? kInstalledExecutable : nullptr;
}

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
    const HRESULT saved = file->Save(desktopPath, TRUE);
    file->Release();
    link->Release();
    return SUCCEEDED(saved);
}

void InstallAndLinkToDesktop() {
    const wchar_t* target = InstallExecutable();
    // The shell link is an apartment object: on the install worker this pair makes and
    // ends the thread's own apartment; on a thread where OLE already runs it only adds
    // and removes one more reference to it.
    CoInitialize(nullptr);
    wchar_t desktopPath[kDesktopPathCapacity];
    LookUpDesktopFolder(desktopPath);
    CreateDesktopShortcut(target, desktopPath);
    CoUninitialize();
}

void StartInstallStep() {
    gLauncher.installMayBegin = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    gLauncher.installThread = CreateThread(nullptr, 0, InstallThread, gLauncher.installMayBegin, 0, nullptr);
    if (!gLauncher.installThread) {
        InstallAndLinkToDesktop();  // no thread to spare: installed here and now instead
    }
}

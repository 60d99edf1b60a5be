// Self-install and the desktop shortcut, seen from outside: each case starts the real
// Orvendal.exe in a private copy of the Wine prefix (installing writes to
// "C:\Program Files" and the desktop), waits for its shaped window, closes it and looks
// at disk. The install step runs on a worker once the first paint is done, and
// closing the window waits for it, so it is over once the process has ended; so does
// the end of the session (Wine's log-off, "wineboot --end-session"). A kill waits for
// nothing: the cases that kill or hold a launcher look at its copy under way.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "../../browser/navigation.h"
#include "launch_support.h"
#include "test_support.h"

namespace {

const std::wstring kProgramFiles = L"C:\\Program Files";
const std::wstring kInstallFolder = L"C:\\Program Files\\Orvendal";
const std::wstring kInstalledExecutable = L"C:\\Program Files\\Orvendal\\Orvendal.exe";
const wchar_t kUserShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// A folder name no ANSI code page of the target systems can hold (Devanagari, Thai,
// Georgian, beside Chinese). Its "ā" turns into "a" on a round trip through a Western
// code page, so the mangled path names another folder, not one that Wine would still
// find by reading the "?" of the lost characters as wildcards.
const std::wstring kForeignFolderName = L"C:\\\u0101\u0905\u0e01\u10d0 \u542f\u52a8";

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string FileBytes(const std::wstring& path) {
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char chunk[65536];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof(chunk), &read, nullptr) && read > 0) bytes.append(chunk, read);
    CloseHandle(file);
    return bytes;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(file);
    return ok;
}

// Size in bytes, or -1 when there is no such file.
long long FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Compared a chunk at a time: a padded launcher is too large to hold twice in memory.
bool SameBytes(const std::wstring& one, const std::wstring& other) {
    if (FileSize(one) < 0 || FileSize(one) != FileSize(other)) return false;
    HANDLE a = CreateFileW(one.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE b = CreateFileW(other.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    bool same = a != INVALID_HANDLE_VALUE && b != INVALID_HANDLE_VALUE;
    constexpr DWORD kChunk = 1 << 20;
    std::string chunkA(kChunk, '\0'), chunkB(kChunk, '\0');
    while (same) {
        DWORD readA = 0, readB = 0;
        same = ReadFile(a, &chunkA[0], kChunk, &readA, nullptr) && ReadFile(b, &chunkB[0], kChunk, &readB, nullptr) &&
               readA == readB && chunkA.compare(0, readA, chunkB, 0, readB) == 0;
        if (readA == 0) break;
    }
    if (a != INVALID_HANDLE_VALUE) CloseHandle(a);
    if (b != INVALID_HANDLE_VALUE) CloseHandle(b);
    return same;
}

std::wstring BuiltLauncher() {
    return OwnFolder() + L"Orvendal.exe";
}

// A copy of the built launcher in a folder of its own; returns the copy's path.
std::wstring CopyLauncherInto(const std::wstring& folder) {
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring copy = folder + L"\\Orvendal.exe";
    EXPECT_TRUE(CopyFileW(BuiltLauncher().c_str(), copy.c_str(), FALSE)) << "cannot copy the launcher";
    return copy;
}

// A copy of the built launcher with the given number of bytes appended, which the
// loader ignores: the larger it is, the longer its own install copy takes.
std::wstring PaddedLauncherIn(const std::wstring& folder, size_t paddingBytes) {
    const std::wstring padded = CopyLauncherInto(folder);
    HANDLE file = CreateFileW(padded.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE);
    const std::string chunk(1 << 20, 'Z');
    for (size_t left = paddingBytes; left > 0;) {
        const DWORD part = static_cast<DWORD>(left < chunk.size() ? left : chunk.size());
        DWORD written = 0;
        if (!WriteFile(file, chunk.data(), part, &written, nullptr) || written != part) break;
        left -= part;
    }
    CloseHandle(file);
    EXPECT_EQ(FileSize(padded), FileSize(BuiltLauncher()) + static_cast<long long>(paddingBytes));
    return padded;
}

std::wstring DesktopFolder() {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::wstring ShortcutFile() {
    return DesktopFolder() + L"\\Orvendal.lnk";
}

// Starts the launcher, waits until it is up and shaped, closes it and waits for it to
// end, which takes as long as its install copy.
::testing::AssertionResult StartAndClose(const std::wstring& executable, DWORD longestCloseMs = 10000) {
    LaunchedLauncher launcher(executable, L"");
    if (!launcher.started()) return ::testing::AssertionFailure() << "cannot start " << executable;
    HWND frame = launcher.WaitForShapedWindow();
    if (!frame) return ::testing::AssertionFailure() << "the launcher never showed its shaped window";
    PostMessageW(frame, WM_CLOSE, 0, 0);
    const DWORD exitCode = launcher.WaitForExit(longestCloseMs);
    if (exitCode != 0) return ::testing::AssertionFailure() << "exit code " << exitCode;
    return ::testing::AssertionSuccess();
}

struct Shortcut {
    bool loaded = false;
    std::wstring target;    // resolved from the link's item ID list, as the shell opens it
    std::wstring rawPath;   // the link's plain path text
    std::wstring description;
    std::wstring arguments;
    int showCommand = static_cast<int>(kPoison);
};

// Reads a shortcut file back through the shell link object.
Shortcut ReadShortcut(const std::wstring& file) {
    Shortcut shortcut;
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
        return shortcut;
    }
    IPersistFile* persist = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
        if (SUCCEEDED(persist->Load(file.c_str(), STGM_READ))) {
            shortcut.loaded = true;
            wchar_t text[1024] = {};
            LPITEMIDLIST target = nullptr;
            if (SUCCEEDED(link->GetIDList(&target)) && target) {
                SHGetPathFromIDListW(target, text);
                CoTaskMemFree(target);
            }
            shortcut.target = text;
            text[0] = L'\0';
            link->GetPath(text, 1024, nullptr, SLGP_RAWPATH);
            shortcut.rawPath = text;
            text[0] = L'\0';
            link->GetDescription(text, 1024);
            shortcut.description = text;
            text[0] = L'\0';
            link->GetArguments(text, 1024);
            shortcut.arguments = text;
            link->GetShowCmd(&shortcut.showCommand);
        }
        persist->Release();
    }
    link->Release();
    return shortcut;
}

bool IsAscii(const std::wstring& text) {
    for (wchar_t c : text) {
        if (c > 0x7f) return false;
    }
    return true;
}

void ExpectShortcutTo(const std::wstring& target) {
    const Shortcut shortcut = ReadShortcut(ShortcutFile());
    ASSERT_TRUE(shortcut.loaded) << "no readable shortcut on the desktop";
    // Exactly, not only case-insensitively: a name outside the ANSI code page must
    // survive character for character.
    EXPECT_EQ(shortcut.target, target) << "the shortcut points elsewhere";
    // Wine's link file keeps the plain path text only in the ANSI code page (Windows
    // stores it in UTF-16 too), so other names survive only in the item ID list.
    if (IsAscii(target)) {
        EXPECT_EQ(lstrcmpiW(shortcut.rawPath.c_str(), target.c_str()), 0) << shortcut.rawPath;
    }
    EXPECT_EQ(shortcut.description, L"Orvendal");
    EXPECT_EQ(shortcut.showCommand, SW_SHOWNORMAL);
    EXPECT_EQ(shortcut.arguments, L"");
}

const wchar_t kProgramFilesMovedAway[] = L"C:\\Program Files (moved away)";

// "C:\Program Files" replaced by a plain file: the installation folder cannot be made.
void MakeInstallFolderImpossible() {
    ASSERT_TRUE(MoveFileW(kProgramFiles.c_str(), kProgramFilesMovedAway));
    ASSERT_TRUE(WriteBytes(kProgramFiles, "not a folder"));
}

void MakeInstallFolderPossibleAgain() {
    ASSERT_TRUE(DeleteFileW(kProgramFiles.c_str()));
    ASSERT_TRUE(MoveFileW(kProgramFilesMovedAway, kProgramFiles.c_str()));
}

// Points the user's desktop at another folder for every process started from now on.
void SetDesktopFolder(const std::wstring& folder) {
    const DWORD size = static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t));
    const BYTE* data = reinterpret_cast<const BYTE*>(folder.c_str());
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kUserShellFolders, L"Desktop", REG_EXPAND_SZ, data, size),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kShellFolders, L"Desktop", REG_SZ, data, size), ERROR_SUCCESS);
}

// Makes a folder whose full path is exactly the given length, level by level through
// the long-path form, since one level may not exceed the classic limits.
std::wstring MakeFolderOfPathLength(size_t length) {
    std::wstring path = L"C:\\deep";
    CreateDirectoryW(path.c_str(), nullptr);
    while (path.size() < length) {
        const size_t remaining = length - path.size() - 1;  // one for the backslash
        size_t levelLength = remaining > 60 ? 50 : remaining;
        if (remaining > 50 && remaining <= 60) levelLength = remaining / 2;
        path += L"\\" + std::wstring(levelLength, L'd');
        CreateDirectoryW((L"\\\\?\\" + path).c_str(), nullptr);
    }
    return path;
}

using Names = std::vector<std::wstring>;

// Names in a folder apart from "." and ".."; no list at all when it cannot be listed.
std::optional<Names> EntryNames(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((L"\\\\?\\" + folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return std::nullopt;
    Names names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

// The files in the installation folder, whatever their names, that hold some of the
// source's bytes but fewer than it has: copies being written, or cut short.
Names CopiesUnderWay(long long sourceSize) {
    Names underWay;
    for (const std::wstring& name : EntryNames(kInstallFolder).value_or(Names{})) {
        const long long size = FileSize(kInstallFolder + L"\\" + name);
        if (size > 0 && size < sourceSize) underWay.push_back(name);
    }
    return underWay;
}

FILETIME MarkTime() {
    const SYSTEMTIME mark = {2001, 2, 0, 3, 4, 5, 6, 0};
    FILETIME time = {};
    SystemTimeToFileTime(&mark, &time);
    return time;
}

// Gives the installed copy a write time of the test's own. A copy made afterwards has
// its source's time or the time it was written, so finding the mark again later shows
// that the installed file was neither written again nor replaced.
bool MarkInstalledCopy() {
    HANDLE installed = CreateFileW(kInstalledExecutable.c_str(), FILE_WRITE_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                   nullptr);
    if (installed == INVALID_HANDLE_VALUE) return false;
    const FILETIME mark = MarkTime();
    const bool marked = SetFileTime(installed, nullptr, nullptr, &mark) != FALSE;
    CloseHandle(installed);
    return marked;
}

bool InstalledCopyKeepsItsMark() {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    const FILETIME mark = MarkTime();
    return GetFileAttributesExW(kInstalledExecutable.c_str(), GetFileExInfoStandard, &data) &&
           CompareFileTime(&data.ftLastWriteTime, &mark) == 0;
}

class Install : public ::testing::Test {
protected:
    void SetUp() override {
        // These cases move "C:\Program Files" and the desktop: never in a shared prefix.
        wchar_t fresh[8] = {};
        GetEnvironmentVariableW(L"ORVENDAL_FRESH_PREFIX", fresh, 8);
        ASSERT_STREQ(fresh, L"1") << "install cases need a private prefix (ORVENDAL_FRESH_PREFIX=1)";
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        ASSERT_FALSE(Exists(kInstallFolder)) << "the prefix is not fresh";
        ASSERT_FALSE(Exists(ShortcutFile())) << "the desktop is not private to this prefix";
        built_ = FileBytes(BuiltLauncher());
        ASSERT_FALSE(built_.empty());
    }
    void TearDown() override { CoUninitialize(); }

    std::string built_;
};

TEST_F(Install, FirstStartCopiesTheExecutableAndLinksTheDesktopToTheCopy) {
    ASSERT_TRUE(StartAndClose(BuiltLauncher()));
    EXPECT_TRUE(FileBytes(kInstalledExecutable) == built_) << "the installed copy is not the started executable";
    ExpectShortcutTo(kInstalledExecutable);
}

TEST_F(Install, SecondStartCopiesNothingButRewritesTheShortcut) {
    ASSERT_TRUE(StartAndClose(BuiltLauncher()));
    ASSERT_TRUE(MarkInstalledCopy());
    ASSERT_TRUE(DeleteFileW(ShortcutFile().c_str()));

    ASSERT_TRUE(StartAndClose(BuiltLauncher()));
    EXPECT_TRUE(InstalledCopyKeepsItsMark()) << "the installed copy was written again";
    EXPECT_TRUE(FileBytes(kInstalledExecutable) == built_);
    ExpectShortcutTo(kInstalledExecutable);
}

TEST_F(Install, NewerExecutableNeverOverwritesTheInstalledCopy) {
    // An older installed copy: the same program with other bytes appended, still runnable.
    const std::string older = built_ + "an older release";
    ASSERT_TRUE(CreateDirectoryW(kInstallFolder.c_str(), nullptr));
    ASSERT_TRUE(WriteBytes(kInstalledExecutable, older));

    ASSERT_TRUE(StartAndClose(BuiltLauncher()));
    EXPECT_TRUE(FileBytes(kInstalledExecutable) == older) << "the installed copy was overwritten";
    ExpectShortcutTo(kInstalledExecutable);
}

TEST_F(Install, DeletedInstalledCopyIsCopiedAgain) {
    ASSERT_TRUE(StartAndClose(BuiltLauncher()));
    ASSERT_TRUE(DeleteFileW(kInstalledExecutable.c_str()));
    ASSERT_TRUE(Exists(kInstallFolder));

    ASSERT_TRUE(StartAndClose(BuiltLauncher()));
    EXPECT_TRUE(FileBytes(kInstalledExecutable) == built_) << "the installed copy was not made again";
    ExpectShortcutTo(kInstalledExecutable);
}

TEST_F(Install, FolderThatCannotBeCreatedLeavesTheShortcutOnTheRunningExecutable) {
    const std::wstring started = CopyLauncherInto(L"C:\\Games");
    MakeInstallFolderImpossible();
    if (HasFatalFailure()) return;

    ASSERT_TRUE(StartAndClose(started));
    EXPECT_FALSE(Exists(kInstalledExecutable));
    ExpectShortcutTo(started);

    // Once the folder can be made, the next start installs and puts a shortcut to the
    // copy in place of the old one. The temporary shortcut that a launcher killed while
    // saving its own would have left is saved over, not left beside it.
    MakeInstallFolderPossibleAgain();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(WriteBytes(DesktopFolder() + L"\\Orvendal.tmp", "cut short"));
    ASSERT_TRUE(StartAndClose(started));
    ExpectShortcutTo(kInstalledExecutable);
    EXPECT_EQ(EntryNames(DesktopFolder()), Names{L"Orvendal.lnk"});
}

TEST_F(Install, CopyThatFailsLeavesTheShortcutOnTheRunningExecutable) {
    // A plain file where the installation folder belongs: it exists, but nothing can
    // be copied into it.
    ASSERT_TRUE(WriteBytes(kInstallFolder, "not a folder"));
    const std::wstring started = CopyLauncherInto(L"C:\\Games");

    ASSERT_TRUE(StartAndClose(started));
    EXPECT_EQ(FileBytes(kInstallFolder), "not a folder");
    ExpectShortcutTo(started);
}

class InstallFromForeignFolder : public Install {
protected:
    void SetUp() override {
        Install::SetUp();
        if (HasFatalFailure()) return;
        // The folder name really is outside this prefix's ANSI code page.
        BOOL lossy = FALSE;
        char narrow[MAX_PATH] = {};
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, kForeignFolderName.c_str(), -1, narrow, MAX_PATH, nullptr,
                            &lossy);
        ASSERT_TRUE(lossy) << "code page " << GetACP() << " can represent the folder name";
        started_ = CopyLauncherInto(kForeignFolderName);
    }
    std::wstring started_;
};

TEST_F(InstallFromForeignFolder, InstallsTheStartedExecutableAndLinksToTheCopy) {
    ASSERT_TRUE(StartAndClose(started_));
    EXPECT_TRUE(FileBytes(kInstalledExecutable) == built_) << "the installed copy is not the started executable";
    ExpectShortcutTo(kInstalledExecutable);
}

TEST_F(InstallFromForeignFolder, WithoutInstallingLinksToTheStartedExecutableByItsTrueName) {
    MakeInstallFolderImpossible();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(StartAndClose(started_));
    EXPECT_FALSE(Exists(kInstalledExecutable));
    ExpectShortcutTo(started_);
}

// The desktop path buffer holds 260 wide characters, terminator included, and the
// shortcut's file name "\Orvendal.lnk" takes 13 of them.
constexpr size_t kLongestDesktopThatFits = 260 - 13 - 1;

TEST_F(Install, DesktopTooLongForTheShortcutGetsNoShortcutAndTheLauncherStillComesUp) {
    for (size_t length : {kLongestDesktopThatFits + 1, size_t{259}}) {
        SCOPED_TRACE(length);
        const std::wstring desktop = MakeFolderOfPathLength(length);
        ASSERT_EQ(desktop.size(), length);
        SetDesktopFolder(desktop);
        if (HasFatalFailure()) return;
        ASSERT_EQ(DesktopFolder(), desktop) << "the desktop override did not take";

        ASSERT_TRUE(StartAndClose(BuiltLauncher()));
        EXPECT_EQ(EntryNames(desktop), Names{}) << "something was written on the desktop";
        EXPECT_TRUE(FileBytes(kInstalledExecutable) == built_) << "installing must not depend on the desktop";
    }
}

TEST_F(Install, LongestDesktopThatFitsStillGetsTheShortcut) {
    const std::wstring desktop = MakeFolderOfPathLength(kLongestDesktopThatFits);
    SetDesktopFolder(desktop);
    ASSERT_EQ(DesktopFolder(), desktop) << "the desktop override did not take";

    ASSERT_TRUE(StartAndClose(BuiltLauncher()));
    ASSERT_EQ(ShortcutFile().size(), 259u);
    ExpectShortcutTo(kInstalledExecutable);
}

TEST_F(Install, UnresolvedDesktopGetsNoShortcutAndTheLauncherStillComesUp) {
    SetDesktopFolder(L"C:\\no such desktop");
    // A shortcut name without its folder would land in the root of the current drive.
    ASSERT_TRUE(SetCurrentDirectoryW(L"C:\\users"));

    ASSERT_TRUE(StartAndClose(BuiltLauncher()));
    EXPECT_FALSE(Exists(L"C:\\Orvendal.lnk"));
    EXPECT_FALSE(Exists(L"C:\\no such desktop"));
    EXPECT_TRUE(FileBytes(kInstalledExecutable) == built_);
}

// A start without a landing paint to come: minimized, as a shortcut's "Run:
// Minimized" starts it, and hidden, as F10 before the first paint leaves it.
struct UnpaintedStart {
    const char* name;
    int showCommand;
};
const UnpaintedStart kUnpaintedStarts[] = {{"minimized", SW_SHOWMINNOACTIVE}, {"hidden", SW_HIDE}};

bool StaysAsStarted(HWND frame, int showCommand) {
    if (showCommand == SW_HIDE) {
        // Not visible and never painted: the first landing paint would have keyed it.
        DWORD flags = 0;
        return !IsWindowVisible(frame) && GetLayeredWindowAttributes(frame, nullptr, nullptr, &flags) &&
               flags == LWA_ALPHA;
    }
    return IsIconic(frame) != FALSE;
}

TEST_F(Install, StartedMinimizedOrHiddenInstallsAndLinksWithoutItsFirstPaint) {
    for (const UnpaintedStart& start : kUnpaintedStarts) {
        SCOPED_TRACE(start.name);
        DeleteFileW(kInstalledExecutable.c_str());
        DeleteFileW(ShortcutFile().c_str());
        LaunchedLauncher launcher(BuiltLauncher(), L"", start.showCommand);
        ASSERT_TRUE(launcher.started());
        HWND frame = nullptr;
        ASSERT_TRUE(PumpUntil(
            [&] {
                frame = FindProcessWindow(launcher.processId(), L"WindowWithEmbeddedWeb");
                DWORD flags = 0;  // attributes are set once start-up has shown the window
                return frame && GetLayeredWindowAttributes(frame, nullptr, nullptr, &flags);
            },
            20000))
            << "start-up never came to showing its window";
        EXPECT_TRUE(PumpUntil([&] { return FileBytes(kInstalledExecutable) == built_ && Exists(ShortcutFile()); },
                              20000))
            << "nothing installed while the window stayed as started";
        EXPECT_TRUE(StaysAsStarted(frame, start.showCommand));
        PostMessageW(frame, WM_CLOSE, 0, 0);
        EXPECT_EQ(launcher.WaitForExit(), 0u);
        EXPECT_TRUE(FileBytes(kInstalledExecutable) == built_);
        ExpectShortcutTo(kInstalledExecutable);
    }
}

// A launcher made this much larger takes long enough to copy that a close right after
// start lands in the middle of its copy, where a process that ended at once would
// leave a truncated file.
constexpr size_t kPaddingBytes = 48 * 1024 * 1024;

TEST_F(Install, ClosedAsSoonAsItsWindowExistsStillEndsWithAWholeCopyAndTheShortcut) {
    const std::wstring started = PaddedLauncherIn(L"C:\\Games", kPaddingBytes);
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        DeleteFileW(kInstalledExecutable.c_str());
        DeleteFileW(ShortcutFile().c_str());
        LaunchedLauncher launcher(started, L"");
        ASSERT_TRUE(launcher.started());
        HWND frame = nullptr;
        ASSERT_TRUE(PumpUntil(
            [&] { return (frame = FindProcessWindow(launcher.processId(), L"WindowWithEmbeddedWeb")) != nullptr; },
            20000));
        // Queued before the message loop runs, or just after: either way before the
        // first paint and while the copy has at best begun.
        PostMessageW(frame, WM_CLOSE, 0, 0);
        ASSERT_EQ(launcher.WaitForExit(60000), 0u);
        EXPECT_TRUE(SameBytes(kInstalledExecutable, started))
            << "installed copy of " << FileSize(kInstalledExecutable) << " bytes, not " << FileSize(started);
        EXPECT_EQ(EntryNames(kInstallFolder), Names{L"Orvendal.exe"});
        ExpectShortcutTo(kInstalledExecutable);
    }
}

// So large that its copy takes about a second under Wine here: long enough to be
// seen under way and stopped before it is done.
constexpr size_t kLargePaddingBytes = 400 * 1024 * 1024;
constexpr DWORD kLongestLargeCopyMs = 90000;

TEST_F(Install, KilledInTheMiddleOfItsCopyLeavesNoInstalledExecutableAndTheNextStartInstallsAWholeOne) {
    const std::wstring started = PaddedLauncherIn(L"C:\\Games", kLargePaddingBytes);
    {
        LaunchedLauncher launcher(started, L"");
        ASSERT_TRUE(launcher.started());
        ASSERT_TRUE(PumpUntil([&] { return !CopiesUnderWay(FileSize(started)).empty(); }, 20000))
            << "no copy was ever seen under way";
        // A kill, as the task manager, a crash or a logoff gives it: nothing is waited for.
        ASSERT_TRUE(TerminateProcess(launcher.process(), 9));
        ASSERT_EQ(launcher.WaitForExit(), 9u);
    }
    ASSERT_EQ(CopiesUnderWay(FileSize(started)).size(), 1u) << "killed only after its copy was done";
    EXPECT_FALSE(Exists(kInstalledExecutable)) << "the installed name stands for a copy that was cut short";

    ASSERT_TRUE(StartAndClose(started, kLongestLargeCopyMs));
    EXPECT_TRUE(SameBytes(kInstalledExecutable, started))
        << "installed copy of " << FileSize(kInstalledExecutable) << " bytes, not " << FileSize(started);
    EXPECT_EQ(EntryNames(kInstallFolder), Names{L"Orvendal.exe"}) << "what the killed copy left is still there";
    ExpectShortcutTo(kInstalledExecutable);
    DeleteFileW(kInstalledExecutable.c_str());
    DeleteFileW(started.c_str());
}

// Suspends or resumes every thread of a process, as a busy machine may hold one at
// any moment; all but the spared one (a thread id), if one is given.
void HoldProcess(DWORD processId, bool hold, DWORD sparedThread = 0) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != processId || entry.th32ThreadID == sparedThread) continue;
        HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID);
        if (!thread) continue;
        if (hold) {
            SuspendThread(thread);
        } else {
            ResumeThread(thread);
        }
        CloseHandle(thread);
    }
    CloseHandle(snapshot);
}

// The copies under way in the installation folder, sampled while a case waits: every
// name seen, and the most seen at once.
struct CopiesSeen {
    std::set<std::wstring> names;
    size_t mostAtOnce = 0;

    void Look(long long sourceSize) {
        const Names underWay = CopiesUnderWay(sourceSize);
        names.insert(underWay.begin(), underWay.end());
        mostAtOnce = std::max(mostAtOnce, underWay.size());
    }
};

TEST_F(Install, ASecondLauncherOrARelaunchDuringTheCopyWaitsForTheFirstsStepAndCopiesNothing) {
    const std::wstring started = PaddedLauncherIn(L"C:\\Games", kLargePaddingBytes);
    const long long size = FileSize(started);
    LaunchedLauncher first(started, L"");
    ASSERT_TRUE(first.started());
    CopiesSeen seen;
    ASSERT_TRUE(PumpUntil([&] { return seen.Look(size), !seen.names.empty(); }, 20000)) << "nothing copied";
    // The first is held in the middle of its copy, while the second comes up as far as
    // its own step would begin, and further; then the first is closed, as the game
    // view's close and select-server buttons close it once they have started the new
    // launcher, and let go. The second must wait for the first's step, and find the
    // copy installed.
    HoldProcess(first.processId(), true);
    ASSERT_FALSE(CopiesUnderWay(size).empty()) << "held only after its copy was done";
    LaunchedLauncher second(started, L"");
    ASSERT_TRUE(second.started());
    HWND secondFrame = second.WaitForShapedWindow();
    PumpUntil([&] { return seen.Look(size), false; }, 3000);
    HWND firstFrame = FindProcessWindow(first.processId(), L"WindowWithEmbeddedWeb");
    PostMessageW(firstFrame, WM_CLOSE, 0, 0);
    HoldProcess(first.processId(), false);
    ASSERT_NE(secondFrame, nullptr);
    ASSERT_NE(firstFrame, nullptr);
    PumpUntil([&] { return seen.Look(size), first.WaitForExit(0) != STILL_ACTIVE; }, kLongestLargeCopyMs);
    EXPECT_EQ(first.WaitForExit(0), 0u);
    PostMessageW(secondFrame, WM_CLOSE, 0, 0);
    PumpUntil([&] { return seen.Look(size), second.WaitForExit(0) != STILL_ACTIVE; }, kLongestLargeCopyMs);
    EXPECT_EQ(second.WaitForExit(0), 0u);

    const std::wstring firstsCopy = L"Orvendal.exe." + std::to_wstring(first.processId()) + L".partial";
    EXPECT_EQ(seen.names, std::set<std::wstring>{firstsCopy}) << "another copy was written besides the first's";
    EXPECT_EQ(seen.mostAtOnce, 1u);
    EXPECT_TRUE(SameBytes(kInstalledExecutable, started));
    EXPECT_EQ(EntryNames(kInstallFolder), Names{L"Orvendal.exe"});
    EXPECT_EQ(EntryNames(DesktopFolder()), Names{L"Orvendal.lnk"});
    ExpectShortcutTo(kInstalledExecutable);
    DeleteFileW(kInstalledExecutable.c_str());
    DeleteFileW(started.c_str());
}

// The launcher in the middle of its copy with everything but its window's thread held:
// the copy stands still, and the window's thread is free to answer. Returns the frame.
HWND HoldCopyInTheMiddle(const LaunchedLauncher& launcher, long long sourceSize) {
    if (!PumpUntil([&] { return !CopiesUnderWay(sourceSize).empty(); }, 20000)) return nullptr;
    HWND frame = FindProcessWindow(launcher.processId(), L"WindowWithEmbeddedWeb");
    if (frame) HoldProcess(launcher.processId(), true, GetWindowThreadProcessId(frame, nullptr));
    return frame;
}

struct WindowSearch {
    DWORD processId;
    bool found;
};

BOOL CALLBACK MatchProcess(HWND window, LPARAM lParam) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    search->found = search->found || owner == search->processId;
    return TRUE;
}

bool HasTopLevelWindow(DWORD processId) {
    WindowSearch search = {processId, false};
    EnumWindows(MatchProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST_F(Install, LoggedOffInTheMiddleOfItsCopyEndsWithAWholeCopyAndTheShortcut) {
    // Wine's log-off sends the end of the session to every top-level window and then
    // ends those windows' processes, this one's too if it had any.
    ASSERT_FALSE(HasTopLevelWindow(GetCurrentProcessId()));
    const std::wstring started = PaddedLauncherIn(L"C:\\Games", kLargePaddingBytes);
    LaunchedLauncher launcher(started, L"");
    ASSERT_TRUE(launcher.started());
    HWND frame = HoldCopyInTheMiddle(launcher, FileSize(started));
    ASSERT_NE(frame, nullptr) << "no copy was ever seen under way";

    LaunchedLauncher logOff(L"C:\\windows\\system32\\wineboot.exe", L"--end-session");
    ASSERT_TRUE(logOff.started());
    // Long enough for the session's end to have been answered and to be waiting for the
    // copy: a launcher that let the session end now would be ended with its copy cut short.
    PumpMessages(3000);
    const bool waitedForItsCopy = launcher.WaitForExit(0) == STILL_ACTIVE && logOff.WaitForExit(0) == STILL_ACTIVE;
    HoldProcess(launcher.processId(), false);
    EXPECT_TRUE(waitedForItsCopy) << "the session ended before the copy was done";
    EXPECT_NE(launcher.WaitForExit(kLongestLargeCopyMs), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(logOff.WaitForExit(kLongestLargeCopyMs), 0u);
    EXPECT_TRUE(SameBytes(kInstalledExecutable, started))
        << "installed copy of " << FileSize(kInstalledExecutable) << " bytes, not " << FileSize(started);
    EXPECT_EQ(EntryNames(kInstallFolder), Names{L"Orvendal.exe"});
    EXPECT_EQ(EntryNames(DesktopFolder()), Names{L"Orvendal.lnk"});
    ExpectShortcutTo(kInstalledExecutable);
    DeleteFileW(kInstalledExecutable.c_str());
    DeleteFileW(started.c_str());
}

TEST_F(Install, ClosedInTheMiddleOfItsCopyStillAnswersTheSessionsEndAtOnce) {
    const std::wstring started = PaddedLauncherIn(L"C:\\Games", kLargePaddingBytes);
    LaunchedLauncher launcher(started, L"");
    ASSERT_TRUE(launcher.started());
    HWND frame = HoldCopyInTheMiddle(launcher, FileSize(started));
    ASSERT_NE(frame, nullptr) << "no copy was ever seen under way";
    PostMessageW(frame, WM_CLOSE, 0, 0);
    // Destroying the window hides it first; then the window's thread waits for the copy.
    const bool closing = PumpUntil([&] { return !IsWindowVisible(frame); }, 5000);
    PumpMessages(500);

    DWORD_PTR answer = kPoison;
    const DWORD before = GetTickCount();
    const LRESULT answered =
        SendMessageTimeoutW(frame, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 2000, &answer);
    const DWORD took = GetTickCount() - before;
    const bool stillCopying = !CopiesUnderWay(FileSize(started)).empty() && launcher.WaitForExit(0) == STILL_ACTIVE;
    HoldProcess(launcher.processId(), false);
    EXPECT_TRUE(closing) << "the window was never closed";
    EXPECT_NE(answered, 0) << "no answer within 2 s; took " << took << " ms";
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE)) << "the session's end was refused";
    EXPECT_TRUE(stillCopying) << "the copy was over before the question, so it tells nothing";
    EXPECT_EQ(launcher.WaitForExit(kLongestLargeCopyMs), 0u);
    EXPECT_TRUE(SameBytes(kInstalledExecutable, started));
    ExpectShortcutTo(kInstalledExecutable);
    DeleteFileW(kInstalledExecutable.c_str());
    DeleteFileW(started.c_str());
}

TEST(AnsiToWide, EmptyTextGivesOnlyTheTerminator) {
    wchar_t* wide = AnsiToWide("");
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(wide[0], L'\0');
    delete[] wide;
}

TEST(AnsiToWide, AsciiTextKeepsEveryCharacter) {
    wchar_t* wide = AnsiToWide("http://127.0.0.1:8080/tovr/login");
    ASSERT_NE(wide, nullptr);
    EXPECT_STREQ(wide, L"http://127.0.0.1:8080/tovr/login");
    delete[] wide;
}

}  // namespace

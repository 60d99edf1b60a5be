// The closing buttons of a real launcher process, clicked and answered from another
// process, the way a user's click and answer reach it: the landing view's close on
// Orvendal.exe, the title bar's close on game_view_demo.exe (the same launcher, which
// a script switches to the game view once its landing window is up).
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "../../frame/chrome_table.h"
#include "../../frame/layout.h"
#include "launch_support.h"
#include "test_support.h"

namespace {

struct ButtonSearch {
    POINT at;  // in the frame's client area
    SIZE size;
    HWND found;
};

BOOL CALLBACK MatchButton(HWND child, LPARAM lParam) {
    ButtonSearch* search = reinterpret_cast<ButtonSearch*>(lParam);
    const RECT rect = RectInParent(child);
    if (ClassName(child) == L"Button" && IsWindowVisible(child) && rect.left == search->at.x &&
        rect.top == search->at.y && rect.right - rect.left == search->size.cx &&
        rect.bottom - rect.top == search->size.cy) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

// The visible button standing where the layout puts this one in the frame's present
// view, at its size.
HWND FindButton(HWND frame, ChromeButton which) {
    const ChromeButtonSpec& entry = kChromeButtons[which];
    RECT client;
    GetClientRect(frame, &client);
    const IntPoint at = entry.offsetFromRight ? GameButtonPosition(which, client.right) : IntPoint{entry.x, entry.y};
    ButtonSearch search = {{at.x, at.y}, {entry.width, entry.height}, nullptr};
    EnumChildWindows(frame, MatchButton, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Every process running now.
std::vector<DWORD> RunningProcesses() {
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        ids.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return ids;
}

// Processes that the given one started since `before` was taken. Processes older than
// that are left out: a dead parent's id can be handed to a new process, so a parent id
// alone may name a stranger.
std::vector<DWORD> NewChildProcesses(DWORD parent, const std::vector<DWORD>& before) {
    std::vector<DWORD> children;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        const bool old = std::find(before.begin(), before.end(), entry.th32ProcessID) != before.end();
        if (entry.th32ParentProcessID == parent && !old) children.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return children;
}

// Image paths of processes, for failure messages.
std::wstring ImageNames(const std::vector<DWORD>& ids) {
    std::wstring names;
    for (DWORD id : ids) {
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
        wchar_t image[MAX_PATH] = L"?";
        DWORD length = MAX_PATH;
        if (process) QueryFullProcessImageNameW(process, 0, image, &length);
        if (process) CloseHandle(process);
        names += std::wstring(image) + L"; ";
    }
    return names;
}

// Ends whatever a test started, also when it fails half-way: a launcher left running
// would keep the test runner's output pipe open and stand on the screen of later tests.
struct EndOnExit {
    std::vector<DWORD> processes;
    ~EndOnExit() {
        for (DWORD id : processes) {
            HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
            if (!process) continue;
            TerminateProcess(process, 0);
            WaitForSingleObject(process, 10000);
            CloseHandle(process);
        }
    }
};

// Clicks a button with a confirmation and answers the box that comes up.
void ClickAndAnswer(const LaunchedLauncher& launcher, HWND frame, HWND button, int answer) {
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    HWND box = nullptr;
    ASSERT_TRUE(PumpUntil(
        [&] {
            box = FindProcessWindow(launcher.processId(), L"#32770");
            return box && IsWindowVisible(box);
        },
        10000))
        << "no confirmation appeared";
    const SeenMessageBox seen = ReadMessageBox(box);
    EXPECT_EQ(seen.text, kQuitText);
    EXPECT_EQ(seen.caption, kQuitCaption);
    EXPECT_EQ(seen.owner, frame) << "a box given the button as owner belongs to the button's window";
    EXPECT_TRUE(seen.hasCancel);
    EXPECT_FALSE(seen.hasIcon);
    PostMessageW(box, WM_COMMAND, answer, 0);
    if (answer == IDCANCEL) {
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(box); }));
    }
}

TEST(LandingClose, CancelKeepsTheLauncherOkEndsItWithExitCodeZeroAndStartsNoOther) {
    LaunchedLauncher launcher;
    HWND frame = launcher.WaitForShapedWindow();
    ASSERT_NE(frame, nullptr);
    HWND close = FindButton(frame, LandingClose);
    ASSERT_NE(close, nullptr);
    const std::vector<DWORD> before = RunningProcesses();
    EndOnExit cleanup;

    for (int answer : {IDCANCEL, IDOK}) {
        SCOPED_TRACE(answer == IDOK ? "OK" : "Cancel");
        ASSERT_NO_FATAL_FAILURE(ClickAndAnswer(launcher, frame, close, answer));
        if (answer == IDCANCEL) {
            EXPECT_EQ(launcher.WaitForExit(1000), static_cast<DWORD>(STILL_ACTIVE)) << "Cancel closes nothing";
            EXPECT_TRUE(IsWindowVisible(frame));
        }
    }
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    cleanup.processes = NewChildProcesses(launcher.processId(), before);
    EXPECT_TRUE(cleanup.processes.empty())
        << "closing from the landing view relaunches nothing: " << testing::PrintToString(ImageNames(cleanup.processes));
}

TEST(GameClose, StartsTheSameProgramAgainAndEndsWithExitCodeZero) {
    const std::wstring program = OwnFolder() + L"game_view_demo.exe";
    LaunchedLauncher launcher(program, L"");
    ASSERT_TRUE(launcher.started());
    HWND frame = launcher.WaitForShapedWindow();
    ASSERT_NE(frame, nullptr);
    HWND close = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (close = FindButton(frame, BarClose)) != nullptr; }, 20000))
        << "the title bar's close button never appeared";
    const std::vector<DWORD> before = RunningProcesses();
    EndOnExit cleanup;

    ASSERT_NO_FATAL_FAILURE(ClickAndAnswer(launcher, frame, close, IDCANCEL));
    EXPECT_EQ(launcher.WaitForExit(1000), static_cast<DWORD>(STILL_ACTIVE)) << "Cancel closes nothing";
    cleanup.processes = NewChildProcesses(launcher.processId(), before);
    EXPECT_TRUE(cleanup.processes.empty()) << testing::PrintToString(ImageNames(cleanup.processes));

    ASSERT_NO_FATAL_FAILURE(ClickAndAnswer(launcher, frame, close, IDOK));
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    const std::vector<DWORD> started = NewChildProcesses(launcher.processId(), before);
    cleanup.processes = started;
    ASSERT_EQ(started.size(), 1u) << "one new launcher: " << testing::PrintToString(ImageNames(started));
    HANDLE relaunched = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE, FALSE,
                                    started[0]);
    ASSERT_NE(relaunched, nullptr);
    wchar_t image[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    QueryFullProcessImageNameW(relaunched, 0, image, &length);
    EXPECT_EQ(lstrcmpiW(image, program.c_str()), 0) << testing::PrintToString(std::wstring(image));
    HWND again = nullptr;
    EXPECT_TRUE(PumpUntil(
        [&] {
            again = FindProcessWindow(started[0], L"WindowWithEmbeddedWeb");
            return again && IsWindowVisible(again);
        },
        20000))
        << "the new launcher shows no window";
    TerminateProcess(relaunched, 0);
    WaitForSingleObject(relaunched, 10000);
    CloseHandle(relaunched);
}

}  // namespace

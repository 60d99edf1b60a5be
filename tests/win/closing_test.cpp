// The closing buttons of a real launcher process, clicked and answered from another
// process, the way a user's click and answer reach it: the landing view's close on
// Orvendal.exe, the title bar's close on game_view_demo.exe (the same launcher, which
// a script switches to the game view once its landing window is up).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../core/chrome_table.h"
#include "launch_support.h"
#include "test_support.h"

namespace {

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
    AnswerQuitConfirmation(launcher, frame, answer);
}

TEST(LandingClose, CancelKeepsTheLauncherOkEndsItWithExitCodeZeroAndStartsNoOther) {
    LaunchedLauncher launcher;
    HWND frame = launcher.WaitForShapedWindow();
    ASSERT_NE(frame, nullptr);
    HWND close = FindVisibleButton(frame, LandingClose);
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
    ASSERT_TRUE(PumpUntil([&] { return (close = FindVisibleButton(frame, BarClose)) != nullptr; }, 20000))
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

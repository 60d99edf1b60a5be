// Twenty starts and closes of the real Orvendal.exe in a private prefix: every run
// comes up shaped and ends with exit code 0, closed alternately through the landing
// close button's confirmation and by the system's WM_CLOSE, and none leaves a process
// of the launcher, or one it started, behind.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <string>
#include <vector>

#include "../../core/chrome_table.h"
#include "launch_support.h"
#include "test_support.h"

namespace {

constexpr int kCycles = 20;

// Every running process of the launcher in this prefix, the installed copy included.
std::vector<DWORD> LauncherProcesses() {
    std::vector<DWORD> found;
    for (const PROCESSENTRY32W& entry : ProcessList()) {
        if (lstrcmpiW(entry.szExeFile, L"Orvendal.exe") == 0) found.push_back(entry.th32ProcessID);
    }
    return found;
}

TEST(StartCloseCycles, TwentyRunsEachEndWithExitCodeZeroAndLeaveNoProcessBehind) {
    wchar_t fresh[8] = {};
    GetEnvironmentVariableW(L"ORVENDAL_FRESH_PREFIX", fresh, 8);
    ASSERT_STREQ(fresh, L"1") << "a prefix of its own, where no other test starts a launcher";
    ASSERT_TRUE(LauncherProcesses().empty()) << "a launcher was running before the first start";

    for (int cycle = 1; cycle <= kCycles; ++cycle) {
        const bool byButton = cycle % 2 == 1;
        SCOPED_TRACE("run " + std::to_string(cycle) + (byButton ? ", closed by its button" : ", sent WM_CLOSE"));
        const std::vector<DWORD> before = RunningProcesses();
        LaunchedLauncher launcher;
        ASSERT_TRUE(launcher.started());
        HWND frame = launcher.WaitForShapedWindow();
        ASSERT_NE(frame, nullptr) << "no shaped landing window";
        ASSERT_EQ(LauncherProcesses(), std::vector<DWORD>{launcher.processId()}) << "one launcher runs";
        if (byButton) {
            HWND close = FindVisibleButton(frame, LandingClose);
            ASSERT_NE(close, nullptr);
            PostMessageW(close, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
            ASSERT_NO_FATAL_FAILURE(AnswerQuitConfirmation(launcher, frame, IDOK));
        } else {
            PostMessageW(frame, WM_CLOSE, 0, 0);
        }
        ASSERT_EQ(launcher.WaitForExit(), 0u);
        EXPECT_TRUE(NewChildProcesses(launcher.processId(), before).empty()) << "the launcher started another process";
        std::vector<DWORD> left;
        EXPECT_TRUE(PumpUntil([&] { return (left = LauncherProcesses()).empty(); }, 5000))
            << left.size() << " launcher processes left behind";
    }
}

}  // namespace

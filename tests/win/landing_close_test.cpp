// The landing close button of the real Orvendal.exe, clicked and answered from
// another process, the way a user's click and answer reach it.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include "../../frame/chrome_table.h"
#include "launch_support.h"
#include "test_support.h"

namespace {

struct ButtonSearch {
    HWND frame;
    const ChromeButtonSpec* spec;
    HWND found;
};

BOOL CALLBACK MatchButton(HWND child, LPARAM lParam) {
    ButtonSearch* search = reinterpret_cast<ButtonSearch*>(lParam);
    RECT rect;
    GetWindowRect(child, &rect);
    RECT frameRect;
    GetWindowRect(search->frame, &frameRect);
    if (ClassName(child) == L"Button" && IsWindowVisible(child) && rect.left - frameRect.left == search->spec->x &&
        rect.top - frameRect.top == search->spec->y && rect.right - rect.left == search->spec->width &&
        rect.bottom - rect.top == search->spec->height) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

// The visible button standing where the table puts this one, at its size.
HWND FindButton(HWND frame, ChromeButton which) {
    ButtonSearch search = {frame, &kChromeButtons[which], nullptr};
    EnumChildWindows(frame, MatchButton, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int ChildProcessCount(DWORD parent) {
    int count = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        count += entry.th32ParentProcessID == parent;
    }
    CloseHandle(snapshot);
    return count;
}

TEST(LandingClose, CancelKeepsTheLauncherOkEndsItWithExitCodeZeroAndStartsNoOther) {
    LaunchedLauncher launcher;
    HWND frame = launcher.WaitForShapedWindow();
    ASSERT_NE(frame, nullptr);
    HWND close = FindButton(frame, LandingClose);
    ASSERT_NE(close, nullptr);

    for (int answer : {IDCANCEL, IDOK}) {
        SCOPED_TRACE(answer == IDOK ? "OK" : "Cancel");
        PostMessageW(close, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
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
            EXPECT_EQ(launcher.WaitForExit(1000), static_cast<DWORD>(STILL_ACTIVE)) << "Cancel closes nothing";
            EXPECT_TRUE(IsWindowVisible(frame));
        }
    }
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    EXPECT_EQ(ChildProcessCount(launcher.processId()), 0) << "closing from the landing view relaunches nothing";
}

}  // namespace

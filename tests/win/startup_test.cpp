// Start-up's two fatal failures, each run in a process of its own by the test runner:
// the launcher must say what went wrong and end with exit code 1, never run on.
#include <gtest/gtest.h>
#include <windows.h>

#include "../../frame/frame_window.h"
#include "../../core/launcher_state.h"
#include "../../shell/startup.h"
#include "test_support.h"

namespace {

LRESULT CALLBACK RefuseFrameCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        CBT_CREATEWNDW* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam);
        const LPCWSTR name = create->lpcs->lpszClass;
        if (!IS_INTRESOURCE(name) && lstrcmpW(name, kFrameClassName) == 0) {
            return 1;  // non-zero aborts the creation
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void ExpectOneErrorBox(const MessageBoxAnswerer& answerer, const wchar_t* text, const wchar_t* caption) {
    ASSERT_EQ(answerer.seen().size(), 1u);
    const SeenMessageBox& box = answerer.seen()[0];
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, caption);
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_TRUE(box.hasIcon);
    EXPECT_FALSE(box.hasCancel);
}

TEST(Startup, FailedClassRegistrationShowsTheErrorBoxAndReturnsOne) {
    // A class of the same name already registered by this module makes RegisterClassW fail.
    WNDCLASSW taken = {};
    taken.lpfnWndProc = DefWindowProcW;
    taken.hInstance = GetModuleHandleW(nullptr);
    taken.lpszClassName = kFrameClassName;
    ASSERT_NE(RegisterClassW(&taken), 0);

    MessageBoxAnswerer answerer(IDOK);
    EXPECT_EQ(RunLauncher(GetModuleHandleW(nullptr), SW_SHOWNORMAL), 1);
    ExpectOneErrorBox(answerer, L"无法注册窗口", L"注册窗口失败");
    EXPECT_EQ(gLauncher.frameWindow, nullptr);
    ASSERT_NE(gLauncher.viewMode, nullptr);
    EXPECT_EQ(*gLauncher.viewMode, View::Landing);
}

TEST(Startup, FrameWindowThatCannotBeCreatedShowsAnErrorBoxAndReturnsOne) {
    HHOOK refuse = SetWindowsHookExW(WH_CBT, RefuseFrameCreation, nullptr, GetCurrentThreadId());
    MessageBoxAnswerer answerer(IDOK);
    const int code = RunLauncher(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
    UnhookWindowsHookEx(refuse);
    EXPECT_EQ(code, 1);
    ExpectOneErrorBox(answerer, kCreateFailedText, kCreateFailedCaption);
    EXPECT_EQ(FindWindowW(kFrameClassName, nullptr), nullptr);
}

}  // namespace

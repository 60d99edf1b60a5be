// The keyboard hook's procedure fed with keyboard events in this process, on a real
// frame window, and what it posted then handed to the frame as the message loop
// would: what each hot key does to the window, the page and the flags.
#include <windows.h>

#include "../../browser/web_browser.h"
#include "../../frame/view_changes.h"
#include "../../shell/hotkeys.h"
#include "browser_fixture.h"
#include "import_patch.h"
#include "test_support.h"

namespace {

// The launcher sees a task bar at the screen's bottom edge unless a test says otherwise.
class HotKeys : public FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        ASSERT_TRUE(monitor.applied()) << "the launcher's monitor cannot be chosen";
    }

    // Only the hook's own call: what it posted waits in the queue.
    static LRESULT Hook(UINT message, DWORD virtualKey, int code = HC_ACTION) {
        const bool release = message == WM_KEYUP || message == WM_SYSKEYUP;
        KBDLLHOOKSTRUCT event = {virtualKey, MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC),
                                 release ? static_cast<DWORD>(LLKHF_UP) : 0u, GetTickCount(), 0};
        return KeyboardHookProc(code, message, reinterpret_cast<LPARAM>(&event));
    }
    static void Event(UINT message, DWORD virtualKey) {
        Hook(message, virtualKey);
        DeliverHotKeyEvents();
    }
    static void Tap(DWORD virtualKey) {
        // F10 is a system key; the others arrive as plain key events.
        const bool system = virtualKey == VK_F10;
        Event(system ? WM_SYSKEYDOWN : WM_KEYDOWN, virtualKey);
        Event(system ? WM_SYSKEYUP : WM_KEYUP, virtualKey);
    }

    void StartGameView() {
        if (!gLauncher.browser) gLauncher.browser = new WebBrowser(frame);
        EnterGameView();
        MoveFrameToWorkArea();
        SendMessageW(frame, WM_PAINT, 0, 0);  // shows the bar
    }

    void UseWorkArea(RECT area) {
        workArea = area;
        monitor.Set(desktop, area);
    }

    int BarButtonsVisible() const {
        int visible = 0;
        for (ChromeButton bar : kBarButtons) visible += IsWindowVisible(button(bar)) ? 1 : 0;
        return visible;
    }

    RECT WindowRect() const {
        RECT rect;
        GetWindowRect(frame, &rect);
        return rect;
    }

    void ExpectFullScreen() {
        EXPECT_TRUE(gLauncher.fullScreen);
        const RECT window = WindowRect();
        EXPECT_TRUE(EqualRect(&window, &desktop)) << "the window covers the desktop";
        EXPECT_TRUE(EqualRect(&gLauncher.browser->rect, &desktop)) << "the page covers the whole window";
        EXPECT_EQ(BarButtonsVisible(), 0) << "no button floats over the page";
    }

    void ExpectWorkAreaSized() {
        EXPECT_FALSE(gLauncher.fullScreen);
        const RECT window = WindowRect();
        EXPECT_TRUE(EqualRect(&window, &workArea)) << "the work area itself: " << Describe(window);
        const LONG width = workArea.right - workArea.left, height = workArea.bottom - workArea.top;
        const RECT page = {0, 30, width - 1, height - 1};
        EXPECT_TRUE(EqualRect(&gLauncher.browser->rect, &page))
            << "the page is back under the title bar: " << Describe(gLauncher.browser->rect);
        EXPECT_EQ(BarButtonsVisible(), kBarButtonCount);
        EXPECT_EQ(RectInParent(button(BarClose)).left, width - 27) << "the bar is laid out again";
    }

    const RECT desktop = DesktopRect();
    RECT workArea = TaskBarsAtEveryEdge(desktop)[0].work;  // at the bottom
    FakeMonitor monitor{desktop, workArea};
};

TEST_F(HotKeys, F10HidesAndShowsTheWindowOncePerPressInBothKindsOfKeyEvent) {
    ShowWindow(frame, SW_SHOW);
    for (UINT down : {WM_SYSKEYDOWN, WM_KEYDOWN}) {
        const UINT up = down == WM_SYSKEYDOWN ? WM_SYSKEYUP : WM_KEYUP;
        SCOPED_TRACE(down);
        Hook(down, VK_F10);
        EXPECT_TRUE(IsWindowVisible(frame)) << "the hook itself acts on nothing";
        EXPECT_TRUE(gLauncher.windowShown);
        EXPECT_EQ(DeliverHotKeyEvents(), 1);
        EXPECT_FALSE(IsWindowVisible(frame));
        EXPECT_FALSE(gLauncher.windowShown);
        Event(down, VK_F10);  // auto-repeat
        Event(WM_KEYDOWN, 'A');
        Event(WM_KEYUP, 'A');
        Event(up, VK_F10);
        EXPECT_FALSE(IsWindowVisible(frame)) << "neither the repeat nor the release nor another key acts";
        Event(down, VK_F10);
        Event(up, VK_F10);
        EXPECT_TRUE(IsWindowVisible(frame));
        EXPECT_TRUE(gLauncher.windowShown);
    }
}

TEST_F(HotKeys, EventsOtherThanActionsAreOnlyPassedOn) {
    ShowWindow(frame, SW_SHOW);
    Hook(WM_SYSKEYDOWN, VK_F10, -1);  // not an action: the hook may only pass it on
    for (DWORD key : {DWORD{'A'}, DWORD{VK_F9}, DWORD{VK_F12}, DWORD{VK_SPACE}}) {
        Hook(WM_KEYDOWN, key);
        Hook(WM_KEYUP, key);
    }
    EXPECT_EQ(DeliverHotKeyEvents(), 0) << "no other key reaches the GUI thread";
    EXPECT_TRUE(IsWindowVisible(frame));
    EXPECT_TRUE(gLauncher.windowShown);
}

TEST_F(HotKeys, F11AndEscDoNothingInTheLandingView) {
    ShowWindow(frame, SW_SHOW);
    const RECT before = WindowRect();
    for (DWORD key : {VK_F11, VK_ESCAPE, VK_F11}) Tap(key);
    const RECT after = WindowRect();
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_FALSE(gLauncher.fullScreen);
    EXPECT_TRUE(IsWindowVisible(frame));
}

TEST_F(HotKeys, F11EntersFullScreenAndF11OrEscLeavesItForTheWorkArea) {
    // Without a task bar (or with one that hides itself) the frame keeps its size both
    // ways and gets no WM_SIZE.
    for (const TaskBarPlace& bar : TaskBarsAtEveryEdge(desktop)) {
        UseWorkArea(bar.work);
        StartGameView();
        for (DWORD leaveKey : {VK_F11, VK_ESCAPE}) {
            SCOPED_TRACE(std::string("task bar: ") + bar.edge + (leaveKey == VK_F11 ? ", F11" : ", Esc"));
            Tap(VK_ESCAPE);
            ExpectWorkAreaSized();  // Esc outside full screen does nothing
            Tap(VK_F11);
            ExpectFullScreen();
            Tap(leaveKey);
            ExpectWorkAreaSized();
        }
    }
}

TEST_F(HotKeys, LeavingFullScreenRepaintsTheBarButtonsAtOnce) {
    StartGameView();
    auto waitingForPaint = [&] {
        int waiting = 0;
        for (ChromeButton bar : kBarButtons) waiting += GetUpdateRect(button(bar), nullptr, FALSE) ? 1 : 0;
        return waiting;
    };
    // Moving the frame alone leaves the bar buttons to be painted by the message loop...
    gLauncher.fullScreen = false;
    MoveFrameToWorkArea();
    ASSERT_EQ(waitingForPaint(), kBarButtonCount);
    PumpMessages(200);
    ASSERT_EQ(waitingForPaint(), 0);
    // ...while leaving full screen by a key paints them before its handling returns.
    Tap(VK_F11);
    ASSERT_TRUE(gLauncher.fullScreen);
    Tap(VK_ESCAPE);
    EXPECT_EQ(waitingForPaint(), 0);
}

TEST_F(HotKeys, HiddenWindowIgnoresF11AndEscAndComesBackAsItWas) {
    StartGameView();
    Tap(VK_F11);
    ExpectFullScreen();
    Tap(VK_F10);
    EXPECT_FALSE(IsWindowVisible(frame));
    Tap(VK_F11);
    Tap(VK_ESCAPE);
    EXPECT_TRUE(gLauncher.fullScreen) << "full screen keeps while hidden";
    EXPECT_FALSE(IsWindowVisible(frame));
    Tap(VK_F10);
    EXPECT_TRUE(IsWindowVisible(frame));
    ExpectFullScreen();
}

TEST_F(HotKeys, F10HeldWhileF11IsPressedHidesOnly) {
    StartGameView();
    Event(WM_SYSKEYDOWN, VK_F10);
    Event(WM_KEYDOWN, VK_F11);
    Event(WM_KEYUP, VK_F11);
    Event(WM_SYSKEYUP, VK_F10);
    EXPECT_FALSE(IsWindowVisible(frame));
    EXPECT_FALSE(gLauncher.fullScreen);
}

TEST_F(HotKeys, KeysTypedWhileTheWindowsThreadIsBusyActOnceEachInTheirOrder) {
    StartGameView();
    // Nothing is delivered while the keys come: F11 tapped, then F10 held (its
    // auto-repeat) and let go, then F10 tapped twice more.
    Hook(WM_KEYDOWN, VK_F11);
    Hook(WM_KEYUP, VK_F11);
    for (int repeat = 0; repeat < 3; ++repeat) Hook(WM_SYSKEYDOWN, VK_F10);
    Hook(WM_SYSKEYUP, VK_F10);
    for (int tap = 0; tap < 2; ++tap) {
        Hook(WM_SYSKEYDOWN, VK_F10);
        Hook(WM_SYSKEYUP, VK_F10);
    }
    EXPECT_FALSE(gLauncher.fullScreen) << "nothing acts before the thread is free";
    EXPECT_EQ(DeliverHotKeyEvents(), 10);
    EXPECT_TRUE(gLauncher.fullScreen) << "F11 acted first, while the window was shown";
    EXPECT_FALSE(IsWindowVisible(frame)) << "three F10 presses, the held one once: hidden";
    EXPECT_FALSE(gLauncher.windowShown);
}

}  // namespace

#include <windowsx.h>

#include "../../browser/web_browser.h"
#include "../../frame/chrome_buttons.h"
#include "../../frame/view_changes.h"
#include "browser_fixture.h"
#include "import_patch.h"
#include "test_support.h"

namespace {

using FrameWindow = FrameFixture;

LRESULT HitTestAt(HWND frame, int clientX, int clientY) {
    POINT at = {clientX, clientY};
    ClientToScreen(frame, &at);
    return SendMessageW(frame, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
}

TEST_F(FrameWindow, IsCreatedHiddenCentredAndBorderless) {
    RECT rect;
    GetWindowRect(frame, &rect);
    const IntPoint origin = CentredOrigin(gLauncher.screenWidth, gLauncher.screenHeight);
    EXPECT_EQ(rect.left, origin.x);
    EXPECT_EQ(rect.top, origin.y);
    EXPECT_EQ(rect.right - rect.left, 1196);
    EXPECT_EQ(rect.bottom - rect.top, 807);
    EXPECT_FALSE(StyleVisible(frame));
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(frame, GWL_STYLE)) & ~WS_CLIPSIBLINGS, kFrameStyle);
    EXPECT_TRUE(GetWindowLongW(frame, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(WindowText(frame), L"Orvendal");
    EXPECT_EQ(ClassName(frame), L"WindowWithEmbeddedWeb");
}

TEST_F(FrameWindow, CreatesElevenOwnerDrawnButtonsThreeShownAllOnTheButtonProcedure) {
    int visible = 0;
    for (const ChromeButtonSpec& entry : kChromeButtons) {
        HWND child = button(entry.button);
        SCOPED_TRACE(entry.button);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(GetParent(child), frame);
        EXPECT_EQ(ClassName(child), L"Button");
        EXPECT_EQ(WindowText(child), L"X");
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE)) & ~WS_VISIBLE, 0x4000000Bu);
        const RECT at = RectInParent(child);
        EXPECT_EQ(at.left, entry.x);
        EXPECT_EQ(at.top, entry.y);
        EXPECT_EQ(at.right - at.left, entry.width);
        EXPECT_EQ(at.bottom - at.top, entry.height);
        EXPECT_EQ(StyleVisible(child), entry.shownAtCreation);
        EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(child, GWLP_WNDPROC)), ChromeButtonProc);
        visible += StyleVisible(child);
    }
    EXPECT_EQ(visible, 3);
}

TEST_F(FrameWindow, HitTestFollowsTheBandsOnlyInTheGameViewOutsideFullScreen) {
    MoveWindow(frame, -100, 50, 1500, 900, FALSE);  // partly left of the screen: negative x
    RECT client;
    GetClientRect(frame, &client);
    const int w = client.right, h = client.bottom;

    EXPECT_EQ(HitTestAt(frame, 2, 2), HTCLIENT) << "landing view answers by default";

    EnterGameView();
    struct Case {
        int x, y;
        LRESULT expected;
    } cases[] = {
        {2, 2, HTTOPLEFT},     {w - 3, 2, HTTOPRIGHT},       {w - 5, 10, HTCAPTION},
        {4, 10, HTLEFT},       {4, h - 4, HTBOTTOMLEFT},     {w - 1, h - 1, HTBOTTOMRIGHT},
        {100, 10, HTCAPTION},  {100, h - 4, HTBOTTOM},       {100, 4, HTTOP},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HitTestAt(frame, c.x, c.y), c.expected) << "(" << c.x << ", " << c.y << ")";
    }

    gLauncher.fullScreen = true;
    EXPECT_EQ(HitTestAt(frame, 2, 2), HTCLIENT) << "full screen answers by default";
}

TEST_F(FrameWindow, MinMaxInfoSetsTheMinimumTrackAndTheWorkAreaAsTheMaximizedPlace) {
    const RECT screen = DesktopRect();
    FakeMonitor monitor(screen, screen);
    ASSERT_TRUE(monitor.applied());
    struct Row {
        std::string monitor;
        RECT screen, work;
    };
    std::vector<Row> rows;
    for (const TaskBarPlace& bar : TaskBarsAtEveryEdge(screen)) rows.push_back({bar.edge, screen, bar.work});
    // A second monitor right of the first and higher, its task bar at the top: the
    // position is counted from that monitor's own corner.
    const RECT second = {screen.right, -200, screen.right + 1280, 824};
    rows.push_back({"top, second monitor", second, {second.left, second.top + 40, second.right, second.bottom}});
    for (const Row& row : rows) {
        const RECT& work = row.work;
        monitor.Set(row.screen, work);
        for (View view : {View::Landing, View::Game}) {
            SCOPED_TRACE(row.monitor + (view == View::Game ? ", game view" : ", landing view"));
            *gLauncher.viewMode = view;
            MINMAXINFO info;
            memset(&info, 0xAB, sizeof(info));
            const LONG untouched = info.ptMaxTrackSize.x;
            EXPECT_EQ(SendMessageW(frame, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info)), 0);
            EXPECT_EQ(info.ptMinTrackSize.x, 800);
            EXPECT_EQ(info.ptMinTrackSize.y, 600);
            EXPECT_EQ(info.ptMaxPosition.x, work.left - row.screen.left);
            EXPECT_EQ(info.ptMaxPosition.y, work.top - row.screen.top);
            EXPECT_EQ(info.ptMaxSize.x, work.right - work.left);
            EXPECT_EQ(info.ptMaxSize.y, work.bottom - work.top);
            EXPECT_EQ(info.ptMaxTrackSize.x, untouched) << "other members are left alone";
        }
    }
}

TEST_F(FrameWindow, SizeDoesNothingWithoutBrowserOrInTheLandingView) {
    EnterGameView();
    MoveWindow(frame, 0, 0, 1400, 900, TRUE);  // no browser host yet
    EXPECT_EQ(RectInParent(button(BarClose)).left, 1093);

    *gLauncher.viewMode = View::Landing;
    gLauncher.browser = new WebBrowser(frame);
    const RECT before = gLauncher.browser->rect;
    MoveWindow(frame, 0, 0, 1300, 850, TRUE);
    EXPECT_EQ(RectInParent(button(BarClose)).left, 1093);
    EXPECT_TRUE(EqualRect(&gLauncher.browser->rect, &before));
}

TEST_F(FrameWindow, SizeInTheGameViewPlacesThePageUnderTheBarAndLinesTheButtonsUp) {
    gLauncher.browser = new WebBrowser(frame);
    EnterGameView();
    gLauncher.fullScreen = true;  // the handler ignores full screen: the page goes back under the bar
    for (SIZE size : {SIZE{1500, 900}, SIZE{1024, 700}}) {
        MoveWindow(frame, 0, 0, size.cx, size.cy, TRUE);
        RECT client;
        GetClientRect(frame, &client);
        const RECT expected = {0, 30, client.right - 1, client.bottom - 1};
        EXPECT_TRUE(EqualRect(&gLauncher.browser->rect, &expected)) << size.cx;
        for (ChromeButton bar : kBarButtons) {
            const RECT at = RectInParent(button(bar));
            EXPECT_EQ(at.left, client.right - kChromeButtons[bar].offsetFromRight) << bar;
            EXPECT_EQ(at.top, 0) << bar;
            EXPECT_EQ(at.right - at.left, kChromeButtons[bar].width) << bar;
            EXPECT_EQ(at.bottom - at.top, 30) << bar;
        }
        EXPECT_EQ(RectInParent(button(LandingClose)).left, 1093) << "landing buttons never move";
    }
}

TEST_F(FrameWindow, EraseBackgroundNeverDrawsAndClaimsTheLandingView) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, 8, 8);
    ReleaseDC(nullptr, screen);
    SelectObject(memory, canvas);
    const RECT all = {0, 0, 8, 8};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(memory, &all, red);

    EXPECT_EQ(SendMessageW(frame, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0), 1);
    EXPECT_EQ(GetPixel(memory, 3, 3), RGB(255, 0, 0));
    EnterGameView();
    SendMessageW(frame, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0);
    EXPECT_EQ(GetPixel(memory, 3, 3), RGB(255, 0, 0)) << "the null background brush draws nothing";
    DeleteDC(memory);
    DeleteObject(canvas);
    DeleteObject(red);
}

TEST_F(FrameWindow, LandingPaintSwitchesFromTransparentToTheColourKey) {
    SetLayeredWindowAttributes(frame, kColourKey, 0, LWA_ALPHA);
    SendMessageW(frame, WM_PAINT, 0, 0);
    COLORREF key = kPoison;
    BYTE alpha = 0xAB;
    DWORD flags = kPoison;
    ASSERT_TRUE(GetLayeredWindowAttributes(frame, &key, &alpha, &flags));
    EXPECT_EQ(key, RGB(30, 30, 30));
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY));
}

struct VisibilityCase {
    bool barShown, fullScreen;
    bool landingVisibleAfter, barVisibleAfter, barShownAfter;
};

TEST_F(FrameWindow, GamePaintBringsTheButtonsInLineWithFullScreen) {
    EnterGameView();
    const VisibilityCase cases[] = {
        {false, false, false, true, true},   // first game paint: the bar appears
        {true, true, false, false, false},   // full screen: everything hides
        {false, true, false, false, false},  // already hidden: nothing changes
        {true, false, false, true, true},    // already shown: nothing changes
    };
    for (const VisibilityCase& c : cases) {
        // Start from a mixed state so that "nothing changes" can be seen.
        for (ChromeButton landing : kLandingButtons) ShowWindow(button(landing), SW_HIDE);
        for (ChromeButton bar : kBarButtons) ShowWindow(button(bar), c.barShown ? SW_SHOW : SW_HIDE);
        gLauncher.barButtonsShown = c.barShown;
        gLauncher.fullScreen = c.fullScreen;
        SendMessageW(frame, WM_PAINT, 0, 0);
        SCOPED_TRACE(testing::Message() << "shown " << c.barShown << ", full screen " << c.fullScreen);
        EXPECT_EQ(gLauncher.barButtonsShown, c.barShownAfter);
        for (ChromeButton landing : kLandingButtons) EXPECT_EQ(StyleVisible(button(landing)), c.landingVisibleAfter);
        for (ChromeButton bar : kBarButtons) EXPECT_EQ(StyleVisible(button(bar)), c.barVisibleAfter) << bar;
    }
}

TEST_F(FrameWindow, FirstGamePaintHidesTheLandingButtons) {
    EnterGameView();
    for (ChromeButton landing : kLandingButtons) ASSERT_TRUE(StyleVisible(button(landing)));
    SendMessageW(frame, WM_PAINT, 0, 0);
    for (ChromeButton landing : kLandingButtons) EXPECT_FALSE(StyleVisible(button(landing))) << landing;
    for (ChromeButton bar : kBarButtons) EXPECT_TRUE(StyleVisible(button(bar))) << bar;
}

// How the system tells every top-level window, hidden ones too, that the resolution
// changed, or that the task bar moved.
void DisplayChanged(HWND frame, const RECT& screen) {
    SendMessageW(frame, WM_DISPLAYCHANGE, 32, MAKELPARAM(screen.right - screen.left, screen.bottom - screen.top));
}
void WorkAreaChanged(HWND frame) {
    SendMessageW(frame, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
}

RECT WindowRectOf(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return rect;
}

// True when `upper` stands above `lower` in the Z order.
bool Above(HWND upper, HWND lower) {
    for (HWND below = GetWindow(upper, GW_HWNDNEXT); below; below = GetWindow(below, GW_HWNDNEXT)) {
        if (below == lower) return true;
    }
    return false;
}

class FrameOnAChangingScreen : public FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        ASSERT_TRUE(monitor.applied());
        gLauncher.browser = new WebBrowser(frame);
    }

    // The game view on `place` as the user sees it: the page under the title bar, the
    // bar buttons against the right edge; in full screen the page over all of it.
    void ExpectGameViewOn(const RECT& place) {
        EXPECT_TRUE(SameRect(WindowRectOf(frame), place)) << Describe(WindowRectOf(frame));
        const LONG w = place.right - place.left, h = place.bottom - place.top;
        const RECT page = gLauncher.fullScreen ? RECT{0, 0, w, h} : RECT{0, 30, w - 1, h - 1};
        EXPECT_TRUE(SameRect(gLauncher.browser->rect, page)) << Describe(gLauncher.browser->rect);
        EXPECT_EQ(RectInParent(button(BarClose)).left, w - 27);
        EXPECT_EQ(RectInParent(button(BarSelectServer)).left, w - 489);
    }

    // Placed without activating it: tests running beside this one keep the keyboard.
    void PlaceAt(const RECT& place) {
        SetWindowPos(frame, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }

    RECT NormalPosition() const {
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof(placement);
        GetWindowPlacement(frame, &placement);
        return placement.rcNormalPosition;
    }

    const RECT screen = DesktopRect();
    const RECT smaller = {0, 0, 1280, 720};
    FakeMonitor monitor{screen, screen};
};

TEST_F(FrameOnAChangingScreen, GameViewAndFullScreenFitAgainWithoutBeingShownActivatedOrRaised) {
    EnterGameView();
    ShowWindow(frame, SW_SHOWNOACTIVATE);
    PlaceAt(screen);
    SendMessageW(frame, WM_PAINT, 0, 0);  // the bar is shown
    // Another window in front of the launcher, as the user's application would be.
    HWND front = CreateWindowExW(0, L"STATIC", L"front", WS_POPUP, 10, 10, 100, 100, nullptr, nullptr, nullptr,
                                 nullptr);
    SetWindowPos(front, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ASSERT_TRUE(Above(front, frame));
    ASSERT_NE(GetActiveWindow(), frame);

    for (const TaskBarPlace& bar : TaskBarsAtEveryEdge(screen)) {
        SCOPED_TRACE(std::string("task bar: ") + bar.edge);
        monitor.Set(screen, bar.work);
        WorkAreaChanged(frame);
        ExpectGameViewOn(bar.work);
    }
    monitor.Set(smaller, smaller);
    DisplayChanged(frame, smaller);
    ExpectGameViewOn(smaller);
    EXPECT_NE(GetActiveWindow(), frame) << "the launcher took the keyboard";
    EXPECT_TRUE(Above(front, frame)) << "the window in front stays in front";

    // Other settings move nothing.
    MoveWindow(frame, 20, 20, 900, 650, TRUE);
    SendMessageW(frame, WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER, 0);
    SendMessageW(frame, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"intl"));
    EXPECT_TRUE(SameRect(WindowRectOf(frame), {20, 20, 920, 670}));

    // Full screen is the screen, in either direction, with the bar kept hidden; hidden
    // with the boss key it is fitted as well, and stays hidden.
    EnterFullScreen();
    SendMessageW(frame, WM_PAINT, 0, 0);
    monitor.Set(screen, TaskBarsAtEveryEdge(screen)[1].work);  // at the top
    WorkAreaChanged(frame);
    ExpectGameViewOn(screen);
    HideFrameForBossKey();
    for (const RECT& shown : {smaller, screen, smaller}) {
        SCOPED_TRACE("full screen, hidden, " + Describe(shown));
        monitor.Set(shown, shown);
        DisplayChanged(frame, shown);
        ExpectGameViewOn(shown);
        EXPECT_FALSE(IsWindowVisible(frame));
    }
    ShowFrameAgain();
    SendMessageW(frame, WM_PAINT, 0, 0);
    for (ChromeButton bar : kBarButtons) EXPECT_FALSE(IsWindowVisible(button(bar))) << bar;
    EXPECT_TRUE(gLauncher.fullScreen);
    DestroyWindow(front);
}

TEST_F(FrameOnAChangingScreen, MinimizedGameViewStaysMinimizedAndIsRestoredOntoTheNewWorkArea) {
    EnterGameView();
    ShowWindow(frame, SW_SHOWNOACTIVATE);
    for (bool hidden : {false, true}) {
        SCOPED_TRACE(hidden ? "minimized and hidden" : "minimized");
        PlaceAt(screen);
        ShowWindow(frame, SW_SHOWMINNOACTIVE);
        if (hidden) ShowWindow(frame, SW_HIDE);
        for (const TaskBarPlace& bar : TaskBarsAtEveryEdge(smaller)) {
            SCOPED_TRACE(std::string("task bar: ") + bar.edge);
            monitor.Set(smaller, bar.work);
            WorkAreaChanged(frame);
            EXPECT_TRUE(IsIconic(frame));
            EXPECT_EQ(IsWindowVisible(frame) != FALSE, !hidden);
            // Restored to the work area, counted from its own corner (workspace coordinates).
            const RECT expected = {0, 0, bar.work.right - bar.work.left, bar.work.bottom - bar.work.top};
            EXPECT_TRUE(SameRect(NormalPosition(), expected)) << Describe(NormalPosition());
        }
        // With the task bar at the bottom, workspace and screen coordinates agree, as
        // Wine takes them.
        monitor.Set(smaller, TaskBarsAtEveryEdge(smaller)[0].work);  // at the bottom
        DisplayChanged(frame, smaller);
        ShowWindow(frame, SW_SHOWNOACTIVATE);
        EXPECT_FALSE(IsIconic(frame));
        ExpectGameViewOn(TaskBarsAtEveryEdge(smaller)[0].work);
    }
}

TEST_F(FrameOnAChangingScreen, LandingViewIsCentredAgainOnlyWhenItsScreenChangedSize) {
    ShowWindow(frame, SW_SHOWNOACTIVATE);
    MoveWindow(frame, 40, 30, kLandingWidth, kLandingHeight, FALSE);  // where the user dragged it
    const RECT dragged = WindowRectOf(frame);
    monitor.Set(screen, TaskBarsAtEveryEdge(screen)[1].work);  // at the top
    WorkAreaChanged(frame);
    DisplayChanged(frame, screen);  // a change of colour depth, or of another monitor
    EXPECT_TRUE(SameRect(WindowRectOf(frame), dragged)) << Describe(WindowRectOf(frame));

    for (const RECT& shown : {smaller, screen}) {
        SCOPED_TRACE(Describe(shown));
        monitor.Set(shown, shown);
        DisplayChanged(frame, shown);
        EXPECT_TRUE(SameRect(WindowRectOf(frame), ToRect(LandingRect({shown.left, shown.top, shown.right,
                                                                          shown.bottom}))))
            << Describe(WindowRectOf(frame));
        EXPECT_TRUE(IsWindowVisible(frame));
    }
    EXPECT_EQ(*gLauncher.viewMode, View::Landing);
}

}  // namespace

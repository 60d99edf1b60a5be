#include <windowsx.h>

#include "../../browser/web_browser.h"
#include "../../frame/chrome_buttons.h"
#include "frame_fixture.h"
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

TEST_F(FrameWindow, MinMaxInfoSetsTheMinimumTrackAndTheWorkAreaCornerAsMaximum) {
    RECT workArea;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    for (View view : {View::Landing, View::Game}) {
        *gLauncher.viewMode = view;
        MINMAXINFO info;
        memset(&info, 0xAB, sizeof(info));
        const LONG untouched = info.ptMaxPosition.x;
        EXPECT_EQ(SendMessageW(frame, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info)), 0);
        EXPECT_EQ(info.ptMinTrackSize.x, 800);
        EXPECT_EQ(info.ptMinTrackSize.y, 600);
        EXPECT_EQ(info.ptMaxSize.x, workArea.right);
        EXPECT_EQ(info.ptMaxSize.y, workArea.bottom);
        EXPECT_EQ(info.ptMaxPosition.x, untouched) << "other members are left alone";
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

}  // namespace

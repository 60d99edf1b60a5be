#include "view_changes.h"

#include "../browser/web_browser.h"
#include "../core/launcher_state.h"
#include "../core/layout.h"
#include "boss_key_group.h"

namespace {

void ShowButton(ChromeButton button, int command) {
    ShowWindow(gLauncher.buttons[button], command);
}

RECT ToWin32(IntRect r) {
    return {r.left, r.top, r.right, r.bottom};
}

IntRect FromWin32(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

void SetFramePos(HWND insertAfter, IntRect place, UINT flags) {
    SetWindowPos(gLauncher.frameWindow, insertAfter, place.left, place.top, Width(place), Height(place), flags);
}

SIZE ClientSize() {
    RECT client;
    GetClientRect(gLauncher.frameWindow, &client);
    return {client.right, client.bottom};
}

// A frame moved to a rectangle of the size it already has gets no WM_SIZE, and so no
// game-view layout from its size handler: on a screen whose work area is the whole
// screen (no task bar, or one that hides itself) every change between full screen
// and the work area is such a move. The layout is then done here.
void LayOutIfSizeKept(SIZE before) {
    const SIZE after = ClientSize();
    if (after.cx == before.cx && after.cy == before.cy) {
        LayOutGameView(gLauncher.frameWindow);
    }
}

// The eight bar buttons to their places, in one batch so that they are carried out
// and repainted together. The system drops a batch whole when one of its moves
// cannot be added; then, as when none could be begun, each button moves on its own.
void MoveBarButtons(int clientRight, int clientTop) {
    HDWP batch = BeginDeferWindowPos(kBarButtonCount);
    for (ChromeButton button : kBarButtons) {
        if (!batch) break;
        const IntPoint at = GameButtonPosition(button, clientRight);
        batch = DeferWindowPos(batch, gLauncher.buttons[button], nullptr, at.x, clientTop + at.y,
                               kChromeButtons[button].width, kTitleBarHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (batch && EndDeferWindowPos(batch)) {
        return;
    }
    for (ChromeButton button : kBarButtons) {
        const IntPoint at = GameButtonPosition(button, clientRight);
        MoveWindow(gLauncher.buttons[button], at.x, clientTop + at.y, kChromeButtons[button].width, kTitleBarHeight,
                   TRUE);
    }
}

struct BoxSearch {
    HWND owner;
    HWND box;
};

BOOL CALLBACK FindOpenBox(HWND window, LPARAM found) {
    BoxSearch* search = reinterpret_cast<BoxSearch*>(found);
    if (GetWindow(window, GW_OWNER) == search->owner && IsWindowVisible(window) && IsWindowEnabled(window)) {
        search->box = window;
        return FALSE;
    }
    return TRUE;
}

// A shown box of the launcher's that waits for an answer: a window of this thread that
// the frame owns, enabled while the frame is not. Null when there is none.
HWND OpenBoxOf(HWND frame) {
    BoxSearch search = {frame, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindOpenBox, reinterpret_cast<LPARAM>(&search));
    return search.box;
}

// After the frame's resize on purpose: its size handling has just put the page under
// the title bar, and this places it over the whole screen, title bar included.
void PutPageOverTheWholeFrame(const MonitorAreas& monitor) {
    if (gLauncher.browser) {
        gLauncher.browser->setRect(ToWin32(FullScreenPageRect(monitor)));
    }
}

// A minimized window's rectangle is its icon's, and moving it would move the icon: the
// place it is restored to is set instead, and it stays minimized, shown or hidden as it
// was, without being activated.
void SetRestoredPlace(IntRect place, const MonitorAreas& monitor) {
    HWND frame = gLauncher.frameWindow;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    GetWindowPlacement(frame, &placement);
    placement.rcNormalPosition = ToWin32(WorkspaceRect(place, monitor));
    placement.showCmd = IsWindowVisible(frame) ? SW_SHOWMINNOACTIVE : SW_HIDE;
    SetWindowPlacement(frame, &placement);
}

// The frame to its place after the screen changed under it: neither shown, activated
// nor raised, so that a window hidden with F10 stays hidden and the application in
// front stays in front. False for a minimized window, laid out when it is restored.
bool PlaceFrameQuietly(IntRect place, const MonitorAreas& monitor) {
    if (IsIconic(gLauncher.frameWindow)) {
        SetRestoredPlace(place, monitor);
        return false;
    }
    SetFramePos(nullptr, place, SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

// A new size lays the game view out; one kept leaves its layout as it was. Full screen
// then has its page put back over the whole frame.
void FitGameView(const MonitorAreas& monitor) {
    if (PlaceFrameQuietly(GameFrameRect(monitor, gLauncher.fullScreen), monitor) && gLauncher.fullScreen) {
        PutPageOverTheWholeFrame(monitor);
    }
}

}  // namespace

MonitorAreas FrameMonitor() {
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(MonitorFromWindow(gLauncher.frameWindow, MONITOR_DEFAULTTONEAREST), &info)) {
        // Not seen to happen: then the primary screen, rather than an empty rectangle.
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
        info.rcMonitor = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return {FromWin32(info.rcMonitor), FromWin32(info.rcWork)};
}

void SwitchToGameView() {
    HWND frame = gLauncher.frameWindow;
    *gLauncher.viewMode = View::Game;
    InvalidateRect(frame, nullptr, TRUE);
    // Drop the landing colour key: the game view is an opaque rectangle.
    SetLayeredWindowAttributes(frame, 0, 255, LWA_ALPHA);
    const IntRect place = FrameMonitor().work;
    const SIZE before = ClientSize();
    MoveWindow(frame, place.left, place.top, Width(place), Height(place), TRUE);
    LayOutIfSizeKept(before);
}

void EnterFullScreen() {
    gLauncher.fullScreen = true;
    const MonitorAreas monitor = FrameMonitor();
    SetFramePos(HWND_TOP, monitor.screen, SWP_SHOWWINDOW);
    PutPageOverTheWholeFrame(monitor);
    // Not left to the next paint: a frame that kept its size is not repainted at all.
    MatchButtonsToFullScreen();
}

void LeaveFullScreen() {
    gLauncher.fullScreen = false;
    const SIZE before = ClientSize();
    MoveFrameToWorkArea();
    LayOutIfSizeKept(before);
    MatchButtonsToFullScreen();
    // The title bar was under the page; it is drawn again whether or not the size changed.
    InvalidateRect(gLauncher.frameWindow, nullptr, TRUE);
    RepaintBarButtons();
}

void MoveFrameToWorkArea() {
    SetFramePos(HWND_TOP, FrameMonitor().work, SWP_SHOWWINDOW);
}

void FitToChangedWorkArea() {
    if (InGameView()) {
        FitGameView(FrameMonitor());
    }
}

void FitToChangedDisplay() {
    const MonitorAreas monitor = FrameMonitor();
    const bool resized =
        Width(monitor.screen) != gLauncher.screenWidth || Height(monitor.screen) != gLauncher.screenHeight;
    gLauncher.screenWidth = Width(monitor.screen);
    gLauncher.screenHeight = Height(monitor.screen);
    if (InGameView()) {
        FitGameView(monitor);
    } else if (resized) {
        PlaceFrameQuietly(LandingRect(monitor.screen), monitor);
    }
}

void RepaintBarButtons() {
    for (ChromeButton button : kBarButtons) {
        InvalidateRect(gLauncher.buttons[button], nullptr, TRUE);
    }
    for (ChromeButton button : kBarButtons) {
        UpdateWindow(gLauncher.buttons[button]);
    }
}

void HideFrameForBossKey() {
    HWND frame = gLauncher.frameWindow;
    // An open box of the launcher's is a window of its own, which hiding its owner
    // would leave on the screen. Only a box disables the frame, and looking through
    // the desktop's windows for those the frame owns is not free: only then.
    if (!IsWindowEnabled(frame)) {
        ShowOwnedPopups(frame, FALSE);
    }
    ShowWindow(frame, SW_HIDE);
    // Still hidden, but on top of the Z order for the moment it is shown again. Neither
    // activated nor made the foreground window: the user goes on typing in the
    // application in front.
    SetWindowPos(frame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    gLauncher.windowShown = false;
}

void HideFrameByButton() {
    // The foreground and the Z order are left alone.
    ShowWindow(gLauncher.frameWindow, SW_HIDE);
    gLauncher.windowShown = false;
    TellBossKeyGroupShown(false);  // the next F10 shows it, with every other launcher's
}

void ShowFrameAgain() {
    HWND frame = gLauncher.frameWindow;
    ShowWindow(frame, SW_SHOW);
    // Only the boxes that F10 hid come back, still waiting for their answer. The box
    // takes the keyboard: the window it keeps disabled cannot.
    if (!IsWindowEnabled(frame)) {
        ShowOwnedPopups(frame, TRUE);
        if (HWND box = OpenBoxOf(frame)) {
            SetForegroundWindow(box);
        }
    }
    gLauncher.windowShown = true;
}

void LayOutGameView(HWND frame) {
    if (!gLauncher.browser || !InGameView()) {
        return;  // the browser host is created after the window; the landing view never moves
    }
    RECT client;
    GetClientRect(frame, &client);
    gLauncher.browser->setRect(ToWin32(GameBrowserRect(client.right, client.bottom)));
    for (ChromeButton button : kBarButtons) {
        InvalidateRect(gLauncher.buttons[button], nullptr, TRUE);
    }
    MoveBarButtons(client.right, client.top);
}

void MatchButtonsToFullScreen() {
    switch (PaintVisibilityAction(gLauncher.barButtonsShown, gLauncher.fullScreen)) {
    case BarVisibilityAction::ShowBar:
        for (ChromeButton button : kLandingButtons) ShowButton(button, SW_HIDE);
        for (int i = kBarButtonCount - 1; i >= 0; --i) ShowButton(kBarButtons[i], SW_SHOW);
        gLauncher.barButtonsShown = true;
        break;
    case BarVisibilityAction::HideAll:
        for (ChromeButton button : kLandingButtons) ShowButton(button, SW_HIDE);
        for (int i = kBarButtonCount - 1; i >= 0; --i) ShowButton(kBarButtons[i], SW_HIDE);
        gLauncher.barButtonsShown = false;
        break;
    case BarVisibilityAction::Nothing:
        break;
    }
}

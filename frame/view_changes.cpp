#include "view_changes.h"

#include "../browser/web_browser.h"
#include "../core/launcher_state.h"
#include "../core/layout.h"
#include "boss_key_group.h"

namespace {

void ShowButton(ChromeButton button, int command) {
    ShowWindow(gLauncher.buttons[button], command);
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

IntSize WorkAreaGameSize() {
    RECT workArea = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    return GameWindowSize({workArea.left, workArea.top, workArea.right, workArea.bottom});
}

}  // namespace

void SwitchToGameView() {
    HWND frame = gLauncher.frameWindow;
    *gLauncher.viewMode = View::Game;
    InvalidateRect(frame, nullptr, TRUE);
    // Drop the landing colour key: the game view is an opaque rectangle.
    SetLayeredWindowAttributes(frame, 0, 255, LWA_ALPHA);
    const IntSize size = WorkAreaGameSize();
    const SIZE before = ClientSize();
    MoveWindow(frame, 0, 0, size.width, size.height, TRUE);
    LayOutIfSizeKept(before);
}

void EnterFullScreen() {
    gLauncher.fullScreen = true;
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    SetWindowPos(gLauncher.frameWindow, HWND_TOP, 0, 0, desktop.right, desktop.bottom, SWP_SHOWWINDOW);
    // After the resize on purpose: its size handling has just put the page under the
    // title bar, and this places it over the whole screen, title bar included.
    if (gLauncher.browser) {
        gLauncher.browser->setRect(desktop);
    }
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
    const IntSize size = WorkAreaGameSize();
    SetWindowPos(gLauncher.frameWindow, HWND_TOP, 0, 0, size.width, size.height, SWP_SHOWWINDOW);
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
    const IntRect page = GameBrowserRect(client.right, client.bottom);
    RECT pageRect = {page.left, page.top, page.right, page.bottom};
    gLauncher.browser->setRect(pageRect);
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

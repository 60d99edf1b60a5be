// FrameWndProc serves both views of the launcher's window.
//
// Landing view: a layered popup the size of the artwork. The first paint draws the
// artwork and only then switches the window from "fully transparent" (set by start-up)
// to the colour key, so the window is never seen unpainted.
//
// Game view: the switch (view_changes.cpp) makes the window opaque and sizes it to
// the work area, and a change of the display or of the work area fits it again;
// WM_SIZE then puts the page under a 30-pixel title bar and lines the bar buttons up
// at the right edge, and WM_PAINT shows or hides the buttons to match the full-screen
// flag before drawing the logo and the title strip. Since the buttons and the page are
// child windows and the frame clips them, the strip drawn under them never shows.
//
// Destroying the window ends the process: nothing is torn down before, but the
// install step's worker, started with the window's first show and let begin by the
// first landing paint, is let finish. So is it when the session ends (log-off,
// shutdown), after which the system ends the process itself.
#include "frame_window.h"

#include <objidl.h>
#include <gdiplus.h>
#include <windowsx.h>

#include "../core/install_gate.h"
#include "../core/launcher_state.h"
#include "../core/layout.h"
#include "boss_key_group.h"
#include "chrome_buttons.h"
#include "hotkey_actions.h"
#include "images.h"
#include "view_changes.h"

static_assert(HitCaption == HTCAPTION && HitLeft == HTLEFT && HitRight == HTRIGHT && HitTop == HTTOP &&
                  HitTopLeft == HTTOPLEFT && HitTopRight == HTTOPRIGHT && HitBottom == HTBOTTOM &&
                  HitBottomLeft == HTBOTTOMLEFT && HitBottomRight == HTBOTTOMRIGHT,
              "hit codes must be Windows' own");

namespace {

constexpr UINT_PTR kInstallMayBeginTimer = 1;
bool landingPainted = false;  // the first landing paint is what lets the install step begin

// Loaded at the first game-view paint, whether or not the loads succeed.
bool titleImagesLoaded = false;
ChromeImage logoImage;
ChromeImage stripImage;

LRESULT OnCreate(HWND window) {
    for (const ChromeButtonSpec& entry : kChromeButtons) {
        gLauncher.buttons[entry.button] =
            CreateWindowExW(0, L"BUTTON", L"X", WS_CHILD | BS_OWNERDRAW, entry.x, entry.y, entry.width, entry.height,
                            window, nullptr, gLauncher.instance, nullptr);
    }
    for (ChromeButton button : kLandingButtons) {
        ShowWindow(gLauncher.buttons[button], SW_SHOWNORMAL);
    }
    for (ChromeButton button : kLandingButtons) {
        SubclassChromeButton(gLauncher.buttons[button]);
    }
    for (ChromeButton button : kBarButtons) {
        SubclassChromeButton(gLauncher.buttons[button]);
    }
    return 0;
}

LRESULT OnSize(HWND window) {
    LayOutGameView(window);
    return 0;
}

// Wine hands a window's painted pixels to the display only when its thread next waits
// (or has not waited for 50 ms), and under Xvfb pixels handed over after the colour key
// has shaped the window reached the screen some 14 ms later than pixels handed over
// before. A wait of no time hands them over at once; on Windows it only returns.
void HandPaintedPixelsToDisplay() {
    MsgWaitForMultipleObjectsEx(0, nullptr, 0, QS_ALLINPUT, 0);
}

void PaintLanding(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    {
        Gdiplus::Graphics graphics(dc);
        DrawImageAt(graphics, gLauncher.landingImage, 0, 0, kLandingWidth, kLandingHeight);
    }
    EndPaint(window, &ps);
    const bool firstPaint = !landingPainted;
    if (firstPaint) {
        HandPaintedPixelsToDisplay();  // still fully transparent: nothing shows yet
    }
    // Replaces start-up's fully transparent state: from now on the key colour cuts the
    // window to the artwork's shape, button faces included.
    SetLayeredWindowAttributes(window, kColourKey, 0, LWA_COLORKEY);
    // The install step may begin once the window's first paints are done, its buttons'
    // and the page's included, so that it does not share the machine with them: a
    // timer's message comes only when nothing else is queued.
    if (firstPaint) {
        landingPainted = true;
        SetTimer(window, kInstallMayBeginTimer, USER_TIMER_MINIMUM, nullptr);
    }
}

void PaintGame(HWND window) {
    MatchButtonsToFullScreen();
    if (!titleImagesLoaded) {
        logoImage = LoadChromeImage(gLauncher.instance, IDB_LOGO);
        stripImage = LoadChromeImage(gLauncher.instance, IDB_TITLE_STRIP);
        titleImagesLoaded = true;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (!gLauncher.fullScreen) {
        Gdiplus::Graphics graphics(dc);
        DrawImageAt(graphics, logoImage.bitmap, 0, 0, kLogoWidth, kTitleBarHeight);
        for (int k = 0; k < TitleTileCount(); ++k) {
            DrawImageAt(graphics, stripImage.bitmap, TitleTileX(k), 0, kTitleTileWidth, kTitleBarHeight);
        }
    }
    EndPaint(window, &ps);
}

LRESULT OnPaint(HWND window) {
    if (InGameView()) {
        PaintGame(window);
    } else {
        PaintLanding(window);
    }
    return 0;
}

LRESULT OnEraseBackground(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!InGameView()) {
        return 1;  // the artwork covers everything; erasing would flash before it is drawn
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT OnGetMinMaxInfo(LPARAM lParam) {
    MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMinTrackSize.x = kMinTrackSize.width;
    info->ptMinTrackSize.y = kMinTrackSize.height;
    const IntRect maximized = MaximizedRect(FrameMonitor());
    info->ptMaxPosition.x = maximized.left;
    info->ptMaxPosition.y = maximized.top;
    info->ptMaxSize.x = Width(maximized);
    info->ptMaxSize.y = Height(maximized);
    return 0;
}

// Sent to every top-level window, hidden ones too, when the resolution or the set of
// monitors changed.
LRESULT OnDisplayChange() {
    FitToChangedDisplay();
    return 0;
}

// The shell's word that the task bar moved, changed size, hides itself or came back.
// Other settings change nothing here.
LRESULT OnSettingChange(WPARAM setting) {
    if (setting == SPI_SETWORKAREA) {
        FitToChangedWorkArea();
    }
    return 0;
}

LRESULT OnNcHitTest(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!InGameView() || gLauncher.fullScreen) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // Signed: a monitor left of or above the primary one gives negative coordinates.
    POINT cursor = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(window, &cursor);
    RECT client;
    GetClientRect(window, &client);
    return GameHitTest(cursor.x, cursor.y, client.right, client.bottom);
}

// The page bridge's request, sent from inside the page's script call.
LRESULT OnSwitchToGameView() {
    SwitchToGameView();
    return 0;
}

LRESULT OnTimer(HWND window, WPARAM timer) {
    if (timer == kInstallMayBeginTimer) {
        KillTimer(window, kInstallMayBeginTimer);
        LetInstallStepBegin();  // the artwork is up: installing can no longer hold it back
    }
    return 0;
}

// A hot key's press or release, posted by the keyboard hook's thread.
LRESULT OnHotKeyEvent(WPARAM keyAndPress, LPARAM time) {
    const unsigned virtualKey = static_cast<unsigned>(keyAndPress & ~kHotKeyPressFlag);
    ActOnHotKeyEvent(virtualKey, (keyAndPress & kHotKeyPressFlag) != 0, static_cast<unsigned long>(time));
    return 0;
}

// The end of the process: nothing is torn down, but the install step is let finish,
// so that a launcher closed in the middle of its copy still ends installed and linked.
LRESULT OnDestroy() {
    LeaveBossKeyGroup();  // hidden from now on, whatever F10 decides for the others
    WaitForInstallStep();
    ExitProcess(0);
}

// Never refused; the install step may begin at once, should it still wait for the
// first paint, since the session may end before that.
LRESULT OnQueryEndSession() {
    LetInstallStepBegin();
    return TRUE;
}

// The system ends the process once this returns: the install step is let finish first,
// as at the end of a close.
LRESULT OnEndSession(WPARAM sessionEnds) {
    if (sessionEnds) {
        WaitForInstallStep();
    }
    return 0;
}

LRESULT OnLeftButtonDown(HWND window) {
    // Any press on the window's own surface drags it, as a caption would.
    SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    return 0;
}

}  // namespace

LRESULT CALLBACK FrameWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate(window);
    case WM_DESTROY:
        return OnDestroy();
    case WM_QUERYENDSESSION:
        return OnQueryEndSession();
    case WM_ENDSESSION:
        return OnEndSession(wParam);
    case WM_SIZE:
        return OnSize(window);
    case WM_PAINT:
        return OnPaint(window);
    case WM_ERASEBKGND:
        return OnEraseBackground(window, message, wParam, lParam);
    case WM_GETMINMAXINFO:
        return OnGetMinMaxInfo(lParam);
    case WM_DISPLAYCHANGE:
        return OnDisplayChange();
    case WM_SETTINGCHANGE:
        return OnSettingChange(wParam);
    case WM_NCHITTEST:
        return OnNcHitTest(window, message, wParam, lParam);
    case WM_LBUTTONDOWN:
        return OnLeftButtonDown(window);
    case kSwitchToGameViewMessage:
        return OnSwitchToGameView();
    case kHotKeyEventMessage:
        return OnHotKeyEvent(wParam, lParam);
    case WM_TIMER:
        return OnTimer(window, wParam);
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// The hook runs on the GUI thread whenever it retrieves messages, message boxes'
// loops included, so it shares the launcher's flags with the window procedures
// without locks. Every keyboard event of the desktop waits for it: it allocates
// nothing and passes every event on.
#include "hotkeys.h"

#include "../browser/web_browser.h"
#include "../frame/layout.h"
#include "hotkey_decision.h"
#include "launcher_state.h"

static_assert(kVirtualKeyF10 == VK_F10 && kVirtualKeyF11 == VK_F11 && kVirtualKeyEscape == VK_ESCAPE,
              "hot keys must be Windows' own virtual keys");

namespace {

HeldHotKeys heldHotKeys = {};

void HideFrame() {
    HWND frame = gLauncher.frameWindow;
    ShowWindow(frame, SW_HIDE);
    SetForegroundWindow(frame);
    // Still hidden, but on top of the Z order for the moment it is shown again.
    SetWindowPos(frame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    gLauncher.windowShown = false;
}

void ShowFrame() {
    ShowWindow(gLauncher.frameWindow, SW_SHOW);
    gLauncher.windowShown = true;
}

void EndFullScreen() {
    gLauncher.fullScreen = false;
    LeaveFullScreen();
    RepaintBarButtons();
}

void CarryOut(HotKeyAction action) {
    switch (action) {
    case HotKeyAction::HideWindow:
        HideFrame();
        break;
    case HotKeyAction::ShowWindow:
        ShowFrame();
        break;
    case HotKeyAction::EnterFullScreen:
        StartFullScreen();
        break;
    case HotKeyAction::LeaveFullScreen:
        EndFullScreen();
        break;
    case HotKeyAction::None:
        break;
    }
}

}  // namespace

void InstallKeyboardHook() {
    gLauncher.keyboardHook = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardHookProc, gLauncher.instance, 0);
}

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM message, LPARAM event) {
    if (code == HC_ACTION) {
        const KBDLLHOOKSTRUCT* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(event);
        const bool press = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
        const LauncherKeyState state = {gLauncher.windowShown, InGameView(), gLauncher.fullScreen};
        const HotKeyDecision decision = DecideHotKey({key->vkCode, press}, state, heldHotKeys);
        // Stored before acting: the window calls below may let the hook run again.
        heldHotKeys = decision.held;
        CarryOut(decision.action);
    }
    return CallNextHookEx(gLauncher.keyboardHook, code, message, event);
}

void StartFullScreen() {
    gLauncher.fullScreen = true;
    EnterFullScreen();
}

void EnterFullScreen() {
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    SetWindowPos(gLauncher.frameWindow, HWND_TOP, 0, 0, desktop.right, desktop.bottom, SWP_SHOWWINDOW);
    // After the resize on purpose: its size handling has just put the page under the
    // title bar, and this places it over the whole screen, title bar included.
    if (gLauncher.browser) {
        gLauncher.browser->setRect(desktop);
    }
}

void LeaveFullScreen() {
    RECT workArea;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    const IntSize size = GameWindowSize({workArea.left, workArea.top, workArea.right, workArea.bottom});
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

// The hook runs on the GUI thread whenever it retrieves messages, message boxes'
// loops included, so it shares the launcher's flags with the window procedures
// without locks. Every keyboard event of the desktop waits for it: it allocates
// nothing and passes every event on.
#include "hotkeys.h"

#include "../core/launcher_state.h"
#include "../frame/view_changes.h"
#include "hotkey_decision.h"

static_assert(kVirtualKeyF10 == VK_F10 && kVirtualKeyF11 == VK_F11 && kVirtualKeyEscape == VK_ESCAPE,
              "hot keys must be Windows' own virtual keys");

namespace {

void CarryOut(HotKeyAction action) {
    switch (action) {
    case HotKeyAction::HideWindow:
        HideFrameForBossKey();
        break;
    case HotKeyAction::ShowWindow:
        ShowFrameAgain();
        break;
    case HotKeyAction::EnterFullScreen:
        EnterFullScreen();
        break;
    case HotKeyAction::LeaveFullScreen:
        LeaveFullScreen();
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
        const HotKeyDecision decision = DecideHotKey({key->vkCode, press}, state, gLauncher.heldHotKeys);
        // Stored before acting: the window calls below may let the hook run again.
        gLauncher.heldHotKeys = decision.held;
        CarryOut(decision.action);
    }
    return CallNextHookEx(gLauncher.keyboardHook, code, message, event);
}

#include "hotkey_actions.h"

#include "../core/launcher_state.h"
#include "hotkey_decision.h"
#include "view_changes.h"

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

void ActOnHotKeyEvent(unsigned virtualKey, bool press) {
    const LauncherKeyState state = {gLauncher.windowShown, InGameView(), gLauncher.fullScreen};
    const HotKeyDecision decision = DecideHotKey({virtualKey, press}, state, gLauncher.heldHotKeys);
    // Stored before acting: should anything inside the action take the next event off
    // the queue, that event must find this one's held keys.
    gLauncher.heldHotKeys = decision.held;
    CarryOut(decision.action);
}

#include "hotkey_actions.h"

#include "../core/launcher_state.h"
#include "boss_key_group.h"
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

bool IsBossKeyAction(HotKeyAction action) {
    return action == HotKeyAction::HideWindow || action == HotKeyAction::ShowWindow;
}

}  // namespace

void ActOnHotKeyEvent(unsigned virtualKey, bool press, unsigned long time) {
    // Every F10 press is counted, also those that do not act, since the count names the
    // press in every launcher alike.
    const bool f10Press = press && virtualKey == kVirtualKeyF10;
    const BossKeyPress f10 = f10Press ? CountF10Press(gLauncher.f10Presses, time) : BossKeyPress{};
    const LauncherKeyState state = {gLauncher.windowShown, InGameView(), gLauncher.fullScreen};
    const HotKeyDecision decision = DecideHotKey({virtualKey, press}, state, gLauncher.heldHotKeys);
    // Stored before acting: should anything inside the action take the next event off
    // the queue, that event must find this one's held keys.
    gLauncher.heldHotKeys = decision.held;
    CarryOut(IsBossKeyAction(decision.action) ? BossKeyActionForSession(f10, decision.action) : decision.action);
}

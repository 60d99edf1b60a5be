#include "hotkey_decision.h"

namespace {

constexpr unsigned kHotKeyCodes[HotKeyCount] = {kVirtualKeyF10, kVirtualKeyF11, kVirtualKeyEscape};

// HotKeyCount for a key that is none of the three.
HotKey HotKeyOf(unsigned virtualKey) {
    for (int key = 0; key < HotKeyCount; ++key) {
        if (kHotKeyCodes[key] == virtualKey) {
            return static_cast<HotKey>(key);
        }
    }
    return HotKeyCount;
}

bool HigherKeyHeld(HotKey key, const HeldHotKeys& held) {
    for (int higher = 0; higher < key; ++higher) {
        if (held.down[higher]) {
            return true;
        }
    }
    return false;
}

HotKeyAction ActionOf(HotKey key, LauncherKeyState state) {
    if (key == HotKeyF10) {
        return state.windowShown ? HotKeyAction::HideWindow : HotKeyAction::ShowWindow;
    }
    // Full screen exists only in the game view, and a hidden window keeps its state.
    if (!state.windowShown || !state.gameView) {
        return HotKeyAction::None;
    }
    if (key == HotKeyF11) {
        return state.fullScreen ? HotKeyAction::LeaveFullScreen : HotKeyAction::EnterFullScreen;
    }
    return state.fullScreen ? HotKeyAction::LeaveFullScreen : HotKeyAction::None;
}

}  // namespace

HotKeyDecision DecideHotKey(KeyEvent event, LauncherKeyState state, HeldHotKeys held) {
    const HotKey key = HotKeyOf(event.virtualKey);
    if (key == HotKeyCount) {
        return {HotKeyAction::None, held};
    }
    if (!event.press) {
        held.down[key] = false;
        return {HotKeyAction::None, held};
    }
    const bool autoRepeat = held.down[key];
    held.down[key] = true;
    if (autoRepeat || HigherKeyHeld(key, held)) {
        return {HotKeyAction::None, held};
    }
    return {ActionOf(key, state), held};
}

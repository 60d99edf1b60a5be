// Which hot-key action a keyboard event sets off, decided apart from any window call
// so that it can be tested on its own. The GUI thread feeds it the hot keys' events
// that the keyboard hook handed over, in their order, and carries out the answer.
//
// A hot key acts on its own press, once per physical press: the event must be the
// key's key-down, and presses that arrive while the key is already held (its
// auto-repeat) do nothing. Releases and other keys never act. So that "held" can be
// told, the caller keeps the returned HeldHotKeys and hands it back with the next
// event.
//
// The keys rank F10, F11, Esc. A press does nothing while a key of higher rank is
// held down: F11 pressed while F10 is held (or Esc while F10 or F11 is) is ignored,
// even after the higher key is let go, since its later auto-repeat presses do not
// count as new presses. A press of a higher key acts even while lower ones are held.
// Of F10 and F11 held down together only F10 acts, unless F11 went down alone first:
// then each press acted in its turn, F11's before F10's.
#pragma once

#include "../core/hot_keys.h"

struct KeyEvent {
    unsigned virtualKey;
    bool press;  // key-down or system-key-down; false for either kind of release
};

struct LauncherKeyState {
    bool windowShown;
    bool gameView;
    bool fullScreen;
};

enum class HotKeyAction { None, HideWindow, ShowWindow, EnterFullScreen, LeaveFullScreen };

struct HotKeyDecision {
    HotKeyAction action;
    HeldHotKeys held;  // to be handed back with the next event
};

HotKeyDecision DecideHotKey(KeyEvent event, LauncherKeyState state, HeldHotKeys held);

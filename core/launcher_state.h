// The one process-wide record of the launcher. Every subsystem reads and writes its
// fields directly; everything that touches them runs on the GUI thread, so nothing here
// is locked. The keyboard hook's thread reads two fields that are set before it runs
// and never change (frameWindow, and keyboardHook, which it writes itself before the
// GUI thread goes on); start-up's two workers (decoding the artwork, installing) touch
// no field: the GUI thread stores what they hand back.
// Nothing in it is ever released: the process ends through ExitProcess when the
// frame window is destroyed, once the install step is over.
#pragma once

#include <windows.h>

#include "chrome_table.h"
#include "hot_keys.h"

namespace Gdiplus {
class Image;
}
class WebBrowser;
struct BossKeyRecord;

// The launcher's two views. The landing view turns into the game view once, when a
// page asks for it; nothing turns it back.
enum class View { Landing = 0, Game = 1 };

struct LauncherState {
    HINSTANCE instance = nullptr;
    HWND frameWindow = nullptr;
    HHOOK keyboardHook = nullptr;
    View* viewMode = nullptr;  // the shared view cell, allocated at start; only the switch to the game view writes it
    bool fullScreen = false;
    bool barButtonsShown = false;
    bool windowShown = true;  // counts as shown from the start, before the first paint too
    int screenWidth = 0;  // the screen the window is on: from start-up, kept up by display changes
    int screenHeight = 0;
    Gdiplus::Image* landingImage = nullptr;
    WebBrowser* browser = nullptr;
    HANDLE installThread = nullptr;   // the install step's worker, from the first show on
    HANDLE installMayBegin = nullptr;  // event the worker waits for: set by the first paint
    HWND buttons[ChromeButtonCount] = {};  // indexed by ChromeButton
    HeldHotKeys heldHotKeys = {};          // kept from one hot key's event to the next
    F10PressCount f10Presses = {};         // names each F10 press alike in every launcher
    // The boss-key record every launcher of the session shares, and the lock over it;
    // null while this launcher has not joined (no keyboard hook), so F10 acts for it alone.
    BossKeyRecord* bossKeyRecord = nullptr;
    HANDLE bossKeyLock = nullptr;
};

extern LauncherState gLauncher;

inline bool InGameView() {
    return gLauncher.viewMode != nullptr && *gLauncher.viewMode == View::Game;
}

// Sent (synchronously) to the frame window by the page bridge: switch to the game view
// now, inside the page's call. The bridge lives below the frame and cannot call it.
inline constexpr UINT kSwitchToGameViewMessage = WM_APP + 1;

// Posted to the frame window by the keyboard hook's thread for each press and release
// of a hot key, in the order they came: wParam is the virtual key, with
// kHotKeyPressFlag added for a press; lParam is the event's time stamp, the same in
// every program's hook. Posted, never sent: the hook must not wait for the GUI thread.
// To the window, not the thread: a message box's modal loop drops messages that have
// no window.
inline constexpr UINT kHotKeyEventMessage = WM_APP + 2;
inline constexpr WPARAM kHotKeyPressFlag = 0x10000;  // above every virtual key

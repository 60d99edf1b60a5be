// Global hot keys: F10 hides and shows the window from any application, F11 switches
// full screen in the game view, Esc leaves full screen. No key is ever swallowed.
#pragma once

#include <windows.h>

// Installs KeyboardHookProc for every thread of the desktop, on a thread of its own
// that lives until the process ends; returns once the hook is in place (or could not
// be set: the launcher then runs without hot keys). With the hook in place the frame
// joins the session's boss-key group. Start-up calls it once, after the frame window
// exists.
void InstallKeyboardHook();

// Passes every event on at once; posts the hot keys' presses and releases to the frame
// window as kHotKeyEventMessage.
LRESULT CALLBACK KeyboardHookProc(int code, WPARAM message, LPARAM event);

// Global hot keys: F10 hides and shows the window from any application, F11 switches
// full screen in the game view, Esc leaves full screen. No key is ever swallowed.
#pragma once

#include <windows.h>

// Installs KeyboardHookProc for every thread of the desktop; start-up calls it once.
void InstallKeyboardHook();

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM message, LPARAM event);

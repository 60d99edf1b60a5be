// Global hot keys: F10 hides and shows the window from any application, F11 switches
// full screen in the game view, Esc leaves full screen. No key is ever swallowed.
#pragma once

#include <windows.h>

// Installs KeyboardHookProc for every thread of the desktop; start-up calls it once.
void InstallKeyboardHook();

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM message, LPARAM event);

// The frame over the whole desktop and the page over the whole frame. The caller sets
// fullScreen first; neither operation touches the flag.
void EnterFullScreen();

// The frame back on the work area (its right and bottom edges as the size); the frame's
// size handling puts the page under the title bar. The caller clears fullScreen first.
void LeaveFullScreen();

// Sets fullScreen, then enters full screen: what F11 and the full-screen button do.
void StartFullScreen();

// Repaints the eight title-bar buttons at once, in their row order.
void RepaintBarButtons();

// Global hot keys: F10 hides and shows the window, F11 switches full screen in the
// game view, Esc leaves full screen.
#pragma once

void InstallKeyboardHook();

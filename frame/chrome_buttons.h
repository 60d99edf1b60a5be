// The eleven image buttons. They are "BUTTON" windows whose class procedure is thrown
// away: ChromeButtonProc paints their faces, swaps to the lit face while the pointer
// rests on them and runs their command when the left button is released.
#pragma once

#include <windows.h>

#include "../core/chrome_table.h"

LRESULT CALLBACK ChromeButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Replaces a button's window procedure by ChromeButtonProc, discarding the old one.
void SubclassChromeButton(HWND button);

// Which of the eleven buttons a window is, or ChromeButtonCount for none of them.
ChromeButton FindChromeButton(HWND window);

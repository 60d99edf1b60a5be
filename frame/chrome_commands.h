// What each chrome button does when the left button is released over it.
#pragma once

#include <windows.h>

#include "../core/chrome_table.h"

// clicked is the button's own window: confirmations are owned by it.
void RunChromeCommand(ChromeButton button, HWND clicked);

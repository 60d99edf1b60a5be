// The one process-wide record of the launcher. Every subsystem reads and writes its
// fields directly; everything runs on the GUI thread (the keyboard hook included), so
// nothing here is locked. Nothing in it is ever released: the process ends through
// ExitProcess when the frame window is destroyed.
#pragma once

#include <windows.h>

#include "../frame/chrome_table.h"

namespace Gdiplus {
class Image;
}
class WebBrowser;

struct LauncherState {
    HINSTANCE instance = nullptr;
    HWND frameWindow = nullptr;
    HHOOK keyboardHook = nullptr;
    int* viewMode = nullptr;  // the shared ViewMode cell: 0 Landing, 1 Game; only the page bridge writes 1
    bool fullScreen = false;
    bool barButtonsShown = false;
    bool windowShown = true;  // counts as shown from the start, before the first paint too
    int screenWidth = 0;
    int screenHeight = 0;
    Gdiplus::Image* landingImage = nullptr;
    WebBrowser* browser = nullptr;
    HWND buttons[ChromeButtonCount] = {};  // indexed by ChromeButton
};

extern LauncherState gLauncher;

inline bool InGameView() {
    return gLauncher.viewMode != nullptr && *gLauncher.viewMode == 1;
}

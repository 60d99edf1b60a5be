#include "chrome_buttons.h"

#include <objidl.h>
#include <gdiplus.h>

#include "../core/launcher_state.h"
#include "chrome_commands.h"
#include "images.h"

namespace {

struct ButtonFaces {
    ChromeImage plain;
    ChromeImage hover;
};

// All 22 faces come into being together, on the first message any button receives;
// GDI+ is running by then because start-up starts it before the window is shown.
bool facesLoaded = false;
ButtonFaces faces[ChromeButtonCount];

void EnsureFacesLoaded() {
    if (facesLoaded) {
        return;
    }
    for (const ChromeButtonSpec& entry : kChromeButtons) {
        faces[entry.button].plain = LoadChromeImage(gLauncher.instance, entry.plainFace);
        faces[entry.button].hover = LoadChromeImage(gLauncher.instance, HoverFace(entry));
    }
    facesLoaded = true;
}

void DrawFace(HDC dc, ChromeButton button, bool lit) {
    if (button == ChromeButtonCount) {
        return;
    }
    const ChromeButtonSpec& entry = kChromeButtons[button];
    const ChromeImage& face = lit ? faces[button].hover : faces[button].plain;
    Gdiplus::Graphics graphics(dc);
    DrawImageAt(graphics, face.bitmap, 0, 0, entry.width, entry.height);
}

LRESULT OnPaint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    DrawFace(dc, FindChromeButton(window), false);  // plain even under the pointer
    EndPaint(window, &ps);
    return 0;
}

LRESULT OnMouseMove(HWND window) {
    // Hover time 0 and re-armed on every move: the lit face follows the pointer at once.
    TRACKMOUSEEVENT track = {};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_HOVER | TME_LEAVE;
    track.hwndTrack = window;
    track.dwHoverTime = 0;
    TrackMouseEvent(&track);
    return 0;
}

// Hover and leave draw straight onto the window instead of invalidating it, since a
// paint always shows the plain face.
LRESULT OnHoverOrLeave(HWND window, bool lit) {
    HDC dc = GetWindowDC(window);
    DrawFace(dc, FindChromeButton(window), lit);
    ReleaseDC(window, dc);
    return 0;
}

LRESULT OnLeftButtonUp(HWND window) {
    const ChromeButton button = FindChromeButton(window);
    if (button != ChromeButtonCount) {
        RunChromeCommand(button, window);
    }
    return 0;
}

}  // namespace

ChromeButton FindChromeButton(HWND window) {
    for (int i = 0; i < ChromeButtonCount; ++i) {
        if (gLauncher.buttons[i] == window) {
            return static_cast<ChromeButton>(i);
        }
    }
    return ChromeButtonCount;
}

void SubclassChromeButton(HWND button) {
    SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ChromeButtonProc));
}

LRESULT CALLBACK ChromeButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    EnsureFacesLoaded();
    switch (message) {
    case WM_PAINT:
        return OnPaint(window);
    case WM_MOUSEMOVE:
        return OnMouseMove(window);
    case WM_MOUSEHOVER:
        return OnHoverOrLeave(window, true);
    case WM_MOUSELEAVE:
        return OnHoverOrLeave(window, false);
    case WM_LBUTTONUP:
        return OnLeftButtonUp(window);
    default:
        // Presses and double clicks too: the discarded button class never runs again.
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

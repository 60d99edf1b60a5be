// Start-up order matters here:
// - the window is created hidden, and its first landing paint is what makes it
//   visible (see frame_window.cpp), so it is shown fully transparent and stays so
//   until that paint;
// - GDI+ starts first of all: the artwork is decoded on a worker thread from then on,
//   beside OLE, the window with its buttons, the hook and the browser control, which
//   all need the GUI thread; and it must run before any message reaches a chrome
//   button. The worker touches no window and no field of gLauncher; it is joined just
//   before the window is first shown, so the first paint finds the artwork ready;
// - the install step and the shortcut run on a worker of their own, started once the
//   window is shown. It holds back until the first landing paint is done (two seconds
//   at most), so that paint neither waits for it nor shares the machine with it.
//   Starting it here and not at that paint makes it happen at every start, minimized
//   or hidden with F10 before the paint too; the frame's end lets it begin at once
//   and waits for it (see WaitForInstallStep);
// - the browser host is created after the window, so the frame's size handler
//   checks for it.
#include "startup.h"

#include <objidl.h>
#include <gdiplus.h>
#include <ole2.h>

#include "../browser/web_browser.h"
#include "../core/install_gate.h"
#include "../core/launcher_state.h"
#include "../core/layout.h"
#include "../frame/frame_window.h"
#include "../frame/images.h"
#include "../res/resource_ids.h"
#include "hotkeys.h"
#include "install.h"

namespace {

DWORD WINAPI DecodeLandingArtThread(void* parameter) {
    LandingArtDecode* decode = static_cast<LandingArtDecode*>(parameter);
    decode->image = DecodeLandingArt(decode->instance);
    return 0;
}

// The decode is joined first: nothing of start-up may run on once it gives up.
int FailStartup(LandingArtDecode* art, const wchar_t* text, const wchar_t* caption) {
    FinishDecodingLandingArt(art);
    MessageBoxW(nullptr, text, caption, MB_ICONERROR);
    return 1;
}

}  // namespace

LandingArtDecode* StartDecodingLandingArt(HINSTANCE instance) {
    LandingArtDecode* decode = new LandingArtDecode{instance, nullptr, nullptr};
    decode->thread = CreateThread(nullptr, 0, DecodeLandingArtThread, decode, 0, nullptr);
    return decode;
}

Gdiplus::Image* FinishDecodingLandingArt(LandingArtDecode* decode) {
    if (decode->thread) {
        WaitForSingleObject(decode->thread, INFINITE);
    } else {
        DecodeLandingArtThread(decode);  // no thread to spare: decoded here, as a plain call
    }
    return decode->image;
}

ATOM RegisterFrameClass() {
    WNDCLASSW frameClass = {};
    frameClass.style = 0;  // no redraw-on-size or double-click styles
    frameClass.lpfnWndProc = FrameWndProc;
    frameClass.hInstance = gLauncher.instance;
    frameClass.hIcon = LoadIconW(gLauncher.instance, MAKEINTRESOURCEW(IDI_APP));
    frameClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    frameClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    frameClass.lpszClassName = kFrameClassName;
    return RegisterClassW(&frameClass);
}

HWND CreateFrameWindow() {
    const IntPoint origin = CentredOrigin(gLauncher.screenWidth, gLauncher.screenHeight);
    return CreateWindowExW(kFrameExStyle, kFrameClassName, kFrameTitle, kFrameStyle, origin.x, origin.y,
                           kLandingWidth, kLandingHeight, nullptr, nullptr, gLauncher.instance, nullptr);
}

void StartGdiplus() {
    // GDI+ runs until the process ends; the token is not needed.
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
}

int RunMessageLoop() {
    MSG message;
    // > 0 rather than != 0: an error (-1) ends the loop instead of spinning on it.
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        WebBrowser* browser = gLauncher.browser;
        // S_OK: the control has acted on the key already (Tab, Enter, Backspace in the
        // page); dispatching it again would act twice.
        if (browser && browser->inPlaceActiveObject &&
            browser->inPlaceActiveObject->TranslateAccelerator(&message) == S_OK) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

int RunLauncher(HINSTANCE instance, int showCommand) {
    gLauncher.viewMode = new View(View::Landing);
    // The window system's first use loads the display driver. No worker may be loading
    // DLLs meanwhile: under Wine the two can deadlock on the loader's lock (seen with a
    // worker loading the browser control's DLL beside it), so the decode starts after.
    gLauncher.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    gLauncher.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    StartGdiplus();
    LandingArtDecode* art = StartDecodingLandingArt(instance);
    OleInitialize(nullptr);
    gLauncher.instance = instance;

    if (!RegisterFrameClass()) {
        return FailStartup(art, kRegisterFailedText, kRegisterFailedCaption);
    }
    gLauncher.frameWindow = CreateFrameWindow();
    if (!gLauncher.frameWindow) {
        return FailStartup(art, kCreateFailedText, kCreateFailedCaption);  // never run on without a window
    }

    InstallKeyboardHook();
    gLauncher.browser = new WebBrowser(gLauncher.frameWindow);
    const RECT landingRect = {kLandingBrowserRect.left, kLandingBrowserRect.top, kLandingBrowserRect.right,
                              kLandingBrowserRect.bottom};
    gLauncher.browser->setRect(landingRect);
    gLauncher.landingImage = FinishDecodingLandingArt(art);

    ShowWindow(gLauncher.frameWindow, showCommand);
    // Shown but fully transparent until the first landing paint sets the colour key.
    SetLayeredWindowAttributes(gLauncher.frameWindow, kColourKey, 0, LWA_ALPHA);

    StartInstallStep();
    const int exitCode = RunMessageLoop();
    WaitForInstallStep();
    return exitCode;
}

#include "launcher_steps.h"

#include <objidl.h>
#include <gdiplus.h>
#include <ole2.h>

#include "../browser/web_browser.h"
#include "../core/chrome_table.h"
#include "../frame/frame_window.h"
#include "../frame/images.h"
#include "../core/layout.h"
#include "../shell/hotkeys.h"
#include "../shell/install.h"
#include "../core/launcher_state.h"
#include "../shell/startup.h"

void StepClock::Mark(const char* name) {
    marks_.push_back({name, static_cast<double>(NowTicks())});
}

void StepClock::AddDetail(const char* name, double ms) {
    details_.push_back({name, ms});
}

void StepClock::WriteTo(ResultFile& out) const {
    for (const Entry& mark : marks_) out.Add(mark.name, mark.value);
    for (const Entry& detail : details_) out.Add("step_" + detail.name + "_ms", detail.value);
}

namespace {

bool IsChromeButton(HWND window) {
    for (HWND button : gLauncher.buttons) {
        if (button == window) return true;
    }
    return false;
}

bool LandingPaintDone() {
    return IsShapedAndVisible(gLauncher.frameWindow);
}

double FileTimeMs(const FILETIME& time) {
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<double>(value.QuadPart) / 10000.0;  // 100 ns units
}

bool Ended(HANDLE thread) {
    return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
}

// How long each start-up worker ran, from the system's own record of the thread, and
// when the install worker ended against the first paint (negative: before it). Waits
// for the install worker, which may still run once the artwork is up, with the message
// loop running: a thread that does not go idle does not hand its painted window to the
// screen (Wine flushes window surfaces when their thread waits for messages).
void AddWorkerTimes(StepClock& clock, HANDLE decode, HANDLE install, const FILETIME& painted) {
    FILETIME created, exited, kernel, user;
    if (decode && Ended(decode) && GetThreadTimes(decode, &created, &exited, &kernel, &user)) {
        clock.AddDetail("decode_worker", FileTimeMs(exited) - FileTimeMs(created));
    }
    if (install && PumpLauncherUntil([&] { return Ended(install); }, 30000) &&
        GetThreadTimes(install, &created, &exited, &kernel, &user)) {
        clock.AddDetail("install_worker", FileTimeMs(exited) - FileTimeMs(created));
        clock.AddDetail("install_end_after_paint", FileTimeMs(exited) - FileTimeMs(painted));
    }
}

}  // namespace

bool PumpOneLauncherMessage(DispatchTimes* times) {
    MSG message;
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return false;
    const LONGLONG start = NowTicks();
    WebBrowser* browser = gLauncher.browser;
    if (browser && browser->inPlaceActiveObject) browser->inPlaceActiveObject->TranslateAccelerator(&message);
    TranslateMessage(&message);
    DispatchMessageW(&message);
    if (times) {
        const double ms = TicksToMs(NowTicks() - start);
        if (message.message == WM_PAINT && message.hwnd == gLauncher.frameWindow) {
            times->framePaintMs += ms;
            times->framePaints++;
        } else if (message.message == WM_PAINT && IsChromeButton(message.hwnd)) {
            times->buttonPaintMs += ms;
        } else {
            times->otherMs += ms;
        }
    }
    return true;
}

bool StartLauncherStepByStep(StepClock& clock, DWORD milliseconds) {
    clock.Mark("entry");
    gLauncher.viewMode = new View(View::Landing);
    gLauncher.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    gLauncher.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    StartGdiplus();
    clock.Mark("gdiplus");
    LandingArtDecode* art = StartDecodingLandingArt(GetModuleHandleW(nullptr));
    clock.Mark("decode_start");
    OleInitialize(nullptr);
    gLauncher.instance = GetModuleHandleW(nullptr);
    clock.Mark("ole");
    if (!RegisterFrameClass()) return false;
    clock.Mark("class");
    gLauncher.frameWindow = CreateFrameWindow();
    if (!gLauncher.frameWindow) return false;
    clock.Mark("window");
    InstallKeyboardHook();
    clock.Mark("hook");
    gLauncher.browser = new WebBrowser(gLauncher.frameWindow);
    clock.Mark("control");
    const RECT landingRect = {kLandingBrowserRect.left, kLandingBrowserRect.top, kLandingBrowserRect.right,
                              kLandingBrowserRect.bottom};
    gLauncher.browser->setRect(landingRect);
    clock.Mark("place");
    gLauncher.landingImage = FinishDecodingLandingArt(art);
    clock.Mark("decode_join");
    ShowWindow(gLauncher.frameWindow, SW_SHOWNORMAL);
    SetLayeredWindowAttributes(gLauncher.frameWindow, kColourKey, 0, LWA_ALPHA);
    clock.Mark("show");
    StartInstallStep();
    clock.Mark("install_start");

    DispatchTimes times;
    if (!PumpLauncherUntil(LandingPaintDone, milliseconds, &times)) return false;
    clock.Mark("paint");
    FILETIME painted;
    GetSystemTimeAsFileTime(&painted);
    clock.AddDetail("loop_frame_paint", times.framePaintMs);
    clock.AddDetail("loop_button_paint", times.buttonPaintMs);
    clock.AddDetail("loop_other", times.otherMs);
    AddWorkerTimes(clock, art->thread, gLauncher.installThread, painted);
    return true;
}

bool PumpUntilArtOnScreen(const ArtProbe& probe, DWORD milliseconds) {
    RECT frame;
    GetWindowRect(gLauncher.frameWindow, &frame);
    const POINT origin = {frame.left, frame.top};
    return PumpLauncherUntil([&] { return probe.OnScreen(origin); }, milliseconds);
}

double LoadAllFacesMs() {
    const LONGLONG start = NowTicks();
    for (const ChromeButtonSpec& entry : kChromeButtons) {
        LoadChromeImage(gLauncher.instance, entry.plainFace);
        LoadChromeImage(gLauncher.instance, entry.plainFace - 1);
    }
    return TicksToMs(NowTicks() - start);
}

#include "switch_bench.h"

#include <oleauto.h>

#include "../browser/web_browser.h"
#include "../core/launcher_state.h"
#include "../frame/view_changes.h"
#include "launcher_steps.h"

namespace {

constexpr DISPID kGameViewDispid = 10001;
constexpr DWORD kSettleMs = 500;  // the page and the buttons finish their own first paints
constexpr DWORD kTimeoutMs = 30000;

bool NoPaintPending() {
    return (HIWORD(GetQueueStatus(QS_PAINT)) & QS_PAINT) == 0;
}

// The work area of the launcher's monitor (the primary one before its window exists).
RECT GameWindowRect() {
    const IntRect work = FrameMonitor().work;
    return {work.left, work.top, work.right, work.bottom};
}

LRESULT CALLBACK PlainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        EndPaint(window, &ps);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void PumpFor(DWORD milliseconds) {
    PumpLauncherUntil([] { return false; }, milliseconds);
}

}  // namespace

bool MeasureSwitch(const ArtProbe& probe, ResultFile& out) {
    StepClock startClock;
    if (!StartLauncherStepByStep(startClock) || !PumpUntilArtOnScreen(probe)) return false;
    PumpFor(kSettleMs);
    // While the process is up anyway: what the button faces cost, loaded once more.
    out.Add("faces_load_ms", LoadAllFacesMs());

    IDispatch* bridge = nullptr;
    if (FAILED(gLauncher.browser->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&bridge)))) return false;
    DISPPARAMS noArguments = {};
    bool framePainted = false;
    DispatchTimes times;

    const LONGLONG start = NowTicks();
    bridge->Invoke(kGameViewDispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &noArguments, nullptr, nullptr,
                   nullptr);
    const LONGLONG invoked = NowTicks();
    // Painted already, should the move have painted at once; otherwise at the next paint.
    const bool paintedInside = !GetUpdateRect(gLauncher.frameWindow, nullptr, FALSE);
    if (!paintedInside && !PumpLauncherUntil([&] { return times.framePaints > 0; }, kTimeoutMs, &times)) {
        return false;
    }
    const LONGLONG painted = NowTicks();
    framePainted = InGameView();
    if (!PumpLauncherUntil(NoPaintPending, kTimeoutMs, &times)) return false;
    const LONGLONG settled = NowTicks();

    const RECT target = GameWindowRect();
    RECT frame;
    GetWindowRect(gLauncher.frameWindow, &frame);
    if (!framePainted || !EqualRect(&frame, &target)) return false;
    out.Add("switch_ms", TicksToMs(painted - start));
    out.Add("switch_invoke_ms", TicksToMs(invoked - start));
    out.Add("switch_settled_ms", TicksToMs(settled - start));
    out.Add("switch_frame_paint_ms", times.framePaintMs);
    return true;
}

bool MeasurePlainMove(ResultFile& out) {
    HWND window = CreateLandingSizedWindow(PlainWndProc, L"BenchPlainWindow");
    if (!window) return false;
    SetLayeredWindowAttributes(window, 0, 255, LWA_ALPHA);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    PumpFor(kSettleMs);

    const RECT target = GameWindowRect();
    const LONGLONG start = NowTicks();
    MoveWindow(window, target.left, target.top, target.right - target.left, target.bottom - target.top, TRUE);
    UpdateWindow(window);
    const LONGLONG painted = NowTicks();
    out.Add("switch_ms", TicksToMs(painted - start));
    return true;
}

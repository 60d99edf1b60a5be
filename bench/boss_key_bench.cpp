#include "boss_key_bench.h"

#include <windows.h>

#include <vector>

#include <objidl.h>
#include <gdiplus.h>

#include "../core/launcher_state.h"
#include "../core/layout.h"
#include "../frame/images.h"
#include "../shell/startup.h"
#include "launcher_steps.h"

namespace {

constexpr int kHides = 9;
constexpr DWORD kSettleMs = 500;
constexpr DWORD kPauseMs = 60;  // between presses, so that each finds the window at rest
constexpr DWORD kTimeoutMs = 5000;

// The window being measured and what its procedure has seen, shared with the thread
// that types.
struct Watch {
    HWND window = nullptr;
    WNDPROC original = nullptr;
    HANDLE hidden = nullptr;  // auto-reset events, set by the window's procedure
    HANDLE shown = nullptr;
    LONGLONG hiddenAt = 0;
    LONGLONG handedOverAt = 0;  // the launcher's frame got the hook's message
} watch;

// Put in front of the window's own procedure: stamps the moment the window is told it
// is hidden or shown, which is when ShowWindow has done its work.
LRESULT CALLBACK WatchingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kHotKeyEventMessage && (wParam & kHotKeyPressFlag) != 0) watch.handedOverAt = NowTicks();
    if (message == WM_WINDOWPOSCHANGED) {
        const WINDOWPOS* position = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (position->flags & SWP_HIDEWINDOW) {
            watch.hiddenAt = NowTicks();
            SetEvent(watch.hidden);
        }
        if (position->flags & SWP_SHOWWINDOW) SetEvent(watch.shown);
    }
    return CallWindowProcW(watch.original, window, message, wParam, lParam);
}

void StartWatching(HWND window) {
    watch.window = window;
    watch.hidden = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    watch.shown = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    watch.original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchingProc)));
}

struct Typing {
    std::vector<double> hideMs;
    std::vector<double> hopMs;
    bool ok = true;
};

// One tap of F10, waited for until the window reports the given change.
bool Tap(HANDLE changed) {
    TypeKey(VK_F10, true);
    TypeKey(VK_F10, false);
    return WaitForSingleObject(changed, kTimeoutMs) == WAIT_OBJECT_0;
}

// Typed from a thread of its own: the window's thread is left to wait for messages,
// as it does in use, and a hook on it is called as it would be.
DWORD WINAPI TypeF10Presses(void* parameter) {
    Typing* typing = static_cast<Typing*>(parameter);
    for (int n = 0; n < kHides && typing->ok; ++n) {
        Sleep(kPauseMs);
        ResetEvent(watch.hidden);
        const LONGLONG start = NowTicks();
        typing->ok = Tap(watch.hidden);
        typing->hideMs.push_back(TicksToMs(watch.hiddenAt - start));
        if (watch.handedOverAt) typing->hopMs.push_back(TicksToMs(watch.handedOverAt - start));
        Sleep(kPauseMs);
        ResetEvent(watch.shown);
        typing->ok = typing->ok && Tap(watch.shown);
    }
    return 0;
}

bool TypeAndMeasure(ResultFile& out) {
    Typing typing;
    HANDLE thread = CreateThread(nullptr, 0, TypeF10Presses, &typing, 0, nullptr);
    if (!thread) return false;
    const bool finished =
        PumpLauncherUntil([&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }, kHides * 4 * kTimeoutMs);
    if (!finished || !typing.ok) return false;
    out.Add("boss_key_ms", MedianOf(typing.hideMs));
    if (!typing.hopMs.empty()) out.Add("boss_key_hop_ms", MedianOf(typing.hopMs));
    return true;
}

// The bare window's hook: F10's press hides or shows the window right here.
HHOOK bareHook = nullptr;
LRESULT CALLBACK BareHookProc(int code, WPARAM message, LPARAM event) {
    const KBDLLHOOKSTRUCT* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(event);
    if (code == HC_ACTION && key->vkCode == VK_F10 && (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)) {
        ShowWindow(watch.window, IsWindowVisible(watch.window) ? SW_HIDE : SW_SHOW);
    }
    return CallNextHookEx(bareHook, code, message, event);
}

// The landing artwork, cut to its shape by the colour key as the launcher's window is:
// hiding a window costs more the more its shape has to be taken off the screen.
Gdiplus::Image* bareArt = nullptr;

LRESULT CALLBACK BareWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        {
            Gdiplus::Graphics graphics(dc);
            DrawImageAt(graphics, bareArt, 0, 0, kLandingWidth, kLandingHeight);
        }
        EndPaint(window, &ps);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool MeasureBossKey(ResultFile& out) {
    StepClock clock;
    if (!StartLauncherStepByStep(clock)) return false;
    PumpLauncherUntil([] { return false; }, kSettleMs);
    StartWatching(gLauncher.frameWindow);
    return TypeAndMeasure(out);
}

bool MeasureBareHookHide(ResultFile& out) {
    StartGdiplus();
    bareArt = DecodeLandingArt(GetModuleHandleW(nullptr));
    if (!bareArt) return false;
    HWND window = CreateLandingSizedWindow(BareWndProc, L"BenchBareHookWindow");
    if (!window) return false;
    SetLayeredWindowAttributes(window, kColourKey, 0, LWA_COLORKEY);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    StartWatching(window);
    bareHook = SetWindowsHookExW(WH_KEYBOARD_LL, BareHookProc, GetModuleHandleW(nullptr), 0);
    if (!bareHook) return false;
    PumpLauncherUntil([] { return false; }, kSettleMs);
    return TypeAndMeasure(out);
}

#include "hook_proc_bench.h"

#include <vector>

#include "../shell/hotkeys.h"
#include "../core/launcher_state.h"
#include "allocation_counter.h"

namespace {

constexpr int kRepetitions = 9;
constexpr int kEventsPerRepetition = 20000;

using HookProc = LRESULT(CALLBACK*)(int, WPARAM, LPARAM);

LRESULT CALLBACK PassThroughHook(int code, WPARAM message, LPARAM event) {
    return CallNextHookEx(nullptr, code, message, event);
}

// Ordinary keys, pressed and released, as a player types them.
struct OrdinaryKey {
    DWORD virtualKey;
    WPARAM message;
};
constexpr OrdinaryKey kKeys[] = {
    {'W', WM_KEYDOWN}, {'W', WM_KEYUP}, {'A', WM_KEYDOWN}, {'A', WM_KEYUP},
    {VK_SHIFT, WM_KEYDOWN}, {'S', WM_KEYDOWN}, {'S', WM_KEYUP}, {VK_SHIFT, WM_KEYUP},
    {VK_SPACE, WM_KEYDOWN}, {VK_SPACE, WM_KEYUP}, {VK_RETURN, WM_KEYDOWN}, {VK_RETURN, WM_KEYUP},
    {VK_MENU, WM_SYSKEYDOWN}, {VK_MENU, WM_KEYUP}, {'D', WM_KEYDOWN}, {'D', WM_KEYUP},
};
constexpr int kKeyCount = sizeof(kKeys) / sizeof(kKeys[0]);

double NanosecondsPerEvent(HookProc volatile hook) {
    KBDLLHOOKSTRUCT event = {};
    const LONGLONG start = NowTicks();
    for (int i = 0; i < kEventsPerRepetition; ++i) {
        const OrdinaryKey& key = kKeys[i % kKeyCount];
        event.vkCode = key.virtualKey;
        event.flags = key.message == WM_KEYUP ? LLKHF_UP : 0;
        hook(HC_ACTION, key.message, reinterpret_cast<LPARAM>(&event));
    }
    return TicksToMs(NowTicks() - start) * 1e6 / kEventsPerRepetition;
}

}  // namespace

void MeasureHookProc(Samples& samples) {
    // The worst case for "no hot key down": shown, in the game view, where every key
    // the hook knows could act.
    gLauncher.viewMode = new View(View::Game);
    gLauncher.windowShown = true;
    gLauncher.fullScreen = false;

    NanosecondsPerEvent(KeyboardHookProc);  // warm-up
    NanosecondsPerEvent(PassThroughHook);
    std::vector<double> hook, passThrough;
    hook.reserve(kRepetitions);  // so that the only allocations counted could be the hook's
    passThrough.reserve(kRepetitions);
    const std::size_t before = AllocationCount();
    for (int r = 0; r < kRepetitions; ++r) {
        hook.push_back(NanosecondsPerEvent(KeyboardHookProc));
        passThrough.push_back(NanosecondsPerEvent(PassThroughHook));
    }
    const std::size_t allocations = AllocationCount() - before;
    samples.Add("hook_proc_ns", MedianOf(hook));
    samples.Add("hook_proc_baseline_ns", MedianOf(passThrough));
    samples.Add("hook_proc_allocations",
                AllocationCounterWorks() ? static_cast<double>(allocations) : -1.0);
}

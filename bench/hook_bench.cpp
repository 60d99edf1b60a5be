// The keyboard hook's own work per keyboard event when no hot key is down, natively:
// what KeyboardHookProc does short of its platform calls (telling a hot key from any
// other key; it would post a hot key's event to the frame), against a hook that only
// passes the event on. Both are called through a pointer, as the system calls a hook.
// Then proof that the hook's work, and the decision the GUI thread makes of what it
// handed over, allocate nothing.
//
//   hook_bench            prints hook_ns, hook_baseline_ns, hook_ratio, hook_allocations
//   hook_bench --names    prints those names
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "../frame/hotkey_decision.h"
#include "allocation_counter.h"

namespace {

constexpr int kRepetitions = 9;
constexpr long kAllocationProbeEvents = 1000000;

// The launcher fields the GUI thread's decision reads: shown, in the game view, not
// full screen, the state in which every hot key could act.
struct HookFlags {
    bool windowShown = true;
    int viewMode = 1;
    bool fullScreen = false;
    HeldHotKeys held = {};
} flags;
int handedOver = 0;
int actionsTaken = 0;

struct Event {
    unsigned virtualKey;
    bool press;
};
// Ordinary keys, pressed and released, as a player types them.
constexpr Event kOrdinaryKeys[] = {
    {'W', true},  {'W', false},  {'A', true},  {'A', false}, {0x10, true}, {'S', true},
    {'S', false}, {0x10, false}, {0x20, true}, {0x20, false}, {0x0D, true}, {0x0D, false},
    {0x12, true}, {0x12, false}, {'D', true},  {'D', false},
};
constexpr int kOrdinaryKeyCount = sizeof(kOrdinaryKeys) / sizeof(kOrdinaryKeys[0]);
// For the allocation count, the hot keys too: every path through the decision.
constexpr Event kEveryKind[] = {
    {'W', true}, {'W', false}, {kVirtualKeyF10, true}, {kVirtualKeyF10, true}, {kVirtualKeyF11, true},
    {kVirtualKeyF10, false}, {kVirtualKeyF11, false}, {kVirtualKeyF11, true}, {kVirtualKeyEscape, true},
    {kVirtualKeyEscape, false}, {kVirtualKeyF11, false}, {0x10, true}, {0x10, false},
};
constexpr int kEveryKindCount = sizeof(kEveryKind) / sizeof(kEveryKind[0]);

using HookBody = void (*)(unsigned virtualKey, bool press);

void LauncherHook(unsigned virtualKey, bool press) {
    if (IsHotKeyCode(virtualKey)) ++handedOver;  // the post to the frame is not ours to time
    benchmark::DoNotOptimize(press);
}

// What the GUI thread does with a hot key's event the hook handed over.
void Decide(unsigned virtualKey, bool press) {
    const LauncherKeyState state = {flags.windowShown, flags.viewMode == 1, flags.fullScreen};
    const HotKeyDecision decision = DecideHotKey({virtualKey, press}, state, flags.held);
    flags.held = decision.held;
    if (decision.action != HotKeyAction::None) ++actionsTaken;  // the window calls are not ours to time
}

void PassThroughHook(unsigned virtualKey, bool press) {
    benchmark::DoNotOptimize(virtualKey);
    benchmark::DoNotOptimize(press);
}

HookBody volatile launcherHook = LauncherHook;
HookBody volatile passThroughHook = PassThroughHook;

void RunHook(benchmark::State& state, HookBody volatile* hook) {
    int i = 0;
    for (auto _ : state) {
        const Event& event = kOrdinaryKeys[i];
        (*hook)(event.virtualKey, event.press);
        i = (i + 1) % kOrdinaryKeyCount;
    }
    benchmark::DoNotOptimize(handedOver);
}

void BM_LauncherHook(benchmark::State& state) {
    RunHook(state, &launcherHook);
}
void BM_PassThroughHook(benchmark::State& state) {
    RunHook(state, &passThroughHook);
}
BENCHMARK(BM_LauncherHook)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_PassThroughHook)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);

// Keeps the median of each benchmark and prints nothing itself. CPU time, not wall
// time: the machine is shared, and a preempted loop says nothing about the hook.
class MedianReporter : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context&) override { return true; }
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.aggregate_name == "median") medians[run.run_name.function_name] = run.GetAdjustedCPUTime();
        }
    }
    std::map<std::string, double> medians;
};

long CountAllocations() {
    flags = HookFlags();
    const std::size_t before = AllocationCount();
    for (long i = 0; i < kAllocationProbeEvents; ++i) {
        const Event& event = kEveryKind[i % kEveryKindCount];
        launcherHook(event.virtualKey, event.press);
        if (IsHotKeyCode(event.virtualKey)) Decide(event.virtualKey, event.press);
    }
    benchmark::DoNotOptimize(actionsTaken);
    const std::size_t after = AllocationCount();
    return AllocationCounterWorks() ? static_cast<long>(after - before) : -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--names") == 0) {
        std::printf("hook_ns\nhook_baseline_ns\nhook_ratio\nhook_allocations\n");
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double hook = reporter.medians["BM_LauncherHook"];
    const double passThrough = reporter.medians["BM_PassThroughHook"];
    const long allocations = CountAllocations();
    std::printf("hook_ns: %.2f\n", hook);
    std::printf("hook_baseline_ns: %.2f\n", passThrough);
    std::printf("hook_ratio: %.3f\n", passThrough > 0 ? hook / passThrough : 0.0);
    std::printf("hook_allocations: %ld\n", allocations);
    benchmark::Shutdown();
    return allocations == 0 ? 0 : 1;
}

// orvendal_bench: start-up, switch, boss key and memory of the launcher, each side by side with
// its baseline, measured in one run and printed as "name: value" lines (medians of
// the runs; a ratio is the launcher's median over the baseline's).
//
//   orvendal_bench [runs]        everything, runs times (at least 7, default 9)
//   orvendal_bench --names       the names of the figures it prints
//
// The child modes below are how it runs one measurement in a process of its own.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "../core/layout.h"
#include "bench_support.h"
#include "boss_key_bench.h"
#include "hook_proc_bench.h"
#include "launcher_steps.h"
#include "switch_bench.h"

namespace {

constexpr int kDefaultRuns = 9;
constexpr int kMinimumRuns = 7;
constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kSettleMs = 1000;  // after the first shaped paint, before memory is read
constexpr DWORD kChildTimeoutMs = 60000;
constexpr int kPollsPerWindowSearch = 5;  // of about a millisecond each

// What the launcher's start-up stamps, in its order.
const char* const kLauncherStamps[] = {"entry",   "gdiplus", "decode_start", "ole",         "class",
                                       "window",  "hook",    "control",      "place",       "decode_join",
                                       "show",    "install_start", "paint"};
// The spans printed: the stamped steps, the message loop's share of "paint" in detail,
// the last step, to the screen, which the driver sees from outside, and the workers
// that ran beside the stamped steps.
const char* const kLauncherSteps[] = {"entry",          "gdiplus",          "decode_start",  "ole",
                                      "class",          "window",           "hook",          "control",
                                      "place",          "decode_join",      "show",          "install_start",
                                      "paint",          "loop_frame_paint", "loop_button_paint", "loop_other",
                                      "screen",         "decode_worker",    "install_worker",
                                      "install_end_after_paint"};
const char* const kBaselineSteps[] = {"entry", "window", "gdiplus", "decode", "show", "paint", "screen"};
// What the baseline stamps itself; the last step, to the screen, is seen from outside.
const char* const kBaselineStamps[] = {"entry", "window", "gdiplus", "decode", "show", "paint"};

const wchar_t kLauncherClass[] = L"WindowWithEmbeddedWeb";
const wchar_t kBaselineClass[] = L"OrvendalBaseline";

struct Paths {
    std::wstring launcher, baseline, self, probe, result;
};

std::wstring Quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

std::wstring Number(LONGLONG value) {
    return std::to_wstring(value);
}

struct StartRun {
    bool ok = false;
    LONGLONG launched = 0;
    LONGLONG shaped = 0;  // the colour key set, seen from outside
    LONGLONG onScreen = 0;
    MemoryUse memory;
};

void CloseProcessWindow(const PROCESS_INFORMATION& process, HWND window) {
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

// The previous run's window must be gone from the screen before the next one starts.
void WaitForClearScreen(const ArtProbe& probe) {
    const IntPoint centred = CentredOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    const POINT origin = {centred.x, centred.y};
    for (int i = 0; i < 300 && probe.OnScreen(origin); ++i) Sleep(10);
}

enum class AfterShown { ReadMemory, AwaitResultFile };

// From just before CreateProcess until the window is shaped and its artwork is on the
// screen. Then, before the window is closed, either the settled process's memory is
// read, or the run's own result file is awaited.
StartRun MeasureStart(const std::wstring& commandLine, const wchar_t* className, const ArtProbe& probe,
                      AfterShown after, const std::wstring& resultFile = L"") {
    WaitForClearScreen(probe);
    StartRun run;
    std::wstring command = commandLine;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    run.launched = NowTicks();
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return run;
    }
    HWND window = nullptr;
    const DWORD deadline = GetTickCount() + kStartTimeoutMs;
    for (int poll = 0; GetTickCount() < deadline; ++poll) {
        // Looking for the window asks the system's server about every window there is,
        // which the starting process needs as well: only every few polls until it is
        // found (it exists, hidden, well before it is painted), then the same one.
        if (!window && poll % kPollsPerWindowSearch == 0) window = FindProcessWindow(process.dwProcessId, className);
        if (IsShapedAndVisible(window)) {
            if (!run.shaped) run.shaped = NowTicks();
            RECT rect;
            GetWindowRect(window, &rect);
            if (probe.OnScreen({rect.left, rect.top})) {
                run.onScreen = NowTicks();
                run.ok = true;
                break;
            }
        }
        Sleep(1);
    }
    if (run.ok && after == AfterShown::ReadMemory) {
        Sleep(kSettleMs);
        run.memory = MemoryOf(process.hProcess);
    }
    if (run.ok && after == AfterShown::AwaitResultFile) {
        for (int i = 0; i < 500 && GetFileAttributesW(resultFile.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(10);
        Sleep(50);  // written and closed
    }
    CloseProcessWindow(process, window);
    return run;
}

// The stamps of a start-up, as spans between its steps; the last span, to the screen,
// is what the driver saw from outside.
bool AddSteps(const std::map<std::string, double>& stamps, const char* const* steps, size_t stepCount,
              const StartRun& run, const std::string& prefix, Samples& samples) {
    double previous = static_cast<double>(run.launched);
    for (size_t i = 0; i < stepCount; ++i) {
        const std::string name = steps[i];
        if (!stamps.count(name)) return false;
        samples.Add(prefix + "step_" + name + "_ms", TicksToMs(static_cast<LONGLONG>(stamps.at(name) - previous)));
        previous = stamps.at(name);
    }
    samples.Add(prefix + "step_screen_ms", TicksToMs(static_cast<LONGLONG>(run.onScreen - previous)));
    samples.Add(prefix + "steps_total_ms", TicksToMs(run.onScreen - run.launched));
    return true;
}

bool RunChild(const Paths& paths, const std::wstring& arguments, const std::string& prefix, Samples& samples) {
    DeleteFileW(paths.result.c_str());
    if (RunAndWait(Quoted(paths.self) + L" " + arguments, kChildTimeoutMs) != 0) return false;
    const std::map<std::string, double> values = ResultFile::Read(paths.result);
    samples.AddAll(values, prefix);
    return !values.empty();
}

bool MeasureBothStarts(const Paths& paths, const ArtProbe& probe, bool launcherFirst, Samples& samples) {
    bool ok = true;
    for (int turn = 0; turn < 2; ++turn) {
        const bool launcher = (turn == 0) == launcherFirst;
        const std::string prefix = launcher ? "" : "baseline_";
        const StartRun run = MeasureStart(Quoted(launcher ? paths.launcher : paths.baseline),
                                          launcher ? kLauncherClass : kBaselineClass, probe, AfterShown::ReadMemory);
        ok = ok && run.ok;
        samples.Add(prefix + "start_ms", TicksToMs(run.onScreen - run.launched));
        samples.Add(prefix + "shaped_ms", TicksToMs(run.shaped - run.launched));
        samples.Add(prefix + "private_bytes", static_cast<double>(run.memory.privateBytes));
        samples.Add(prefix + "working_set_bytes", static_cast<double>(run.memory.workingSetBytes));
    }
    return ok;
}

// Start-up step by step: the baseline stamps its own steps; the launcher's start-up
// functions run in a child of this program that stamps them.
bool MeasureBothBreakdowns(const Paths& paths, const ArtProbe& probe, Samples& samples) {
    DeleteFileW(paths.result.c_str());
    StartRun run = MeasureStart(Quoted(paths.baseline) + L" " + paths.result,
                                kBaselineClass, probe, AfterShown::AwaitResultFile, paths.result);
    if (!run.ok || !AddSteps(ResultFile::Read(paths.result), kBaselineStamps,
                             sizeof(kBaselineStamps) / sizeof(kBaselineStamps[0]), run, "baseline_", samples)) {
        return false;
    }
    DeleteFileW(paths.result.c_str());
    run = MeasureStart(Quoted(paths.self) + L" child-steps " + Quoted(paths.result),
                       kLauncherClass, probe, AfterShown::AwaitResultFile, paths.result);
    const std::map<std::string, double> stamps = ResultFile::Read(paths.result);
    if (!run.ok || !AddSteps(stamps, kLauncherStamps, sizeof(kLauncherStamps) / sizeof(kLauncherStamps[0]), run, "",
                             samples)) {
        return false;
    }
    // The details the child measured itself: the loop's share and the workers.
    for (const auto& entry : stamps) {
        if (entry.first.compare(0, 5, "step_") == 0) samples.Add(entry.first, entry.second);
    }
    return true;
}

bool RunOnce(const Paths& paths, const ArtProbe& probe, bool launcherFirst, Samples& samples) {
    bool ok = MeasureBothStarts(paths, probe, launcherFirst, samples);
    ok = ok && MeasureBothBreakdowns(paths, probe, samples);
    WaitForClearScreen(probe);
    ok = ok && RunChild(paths, L"child-switch " + Quoted(paths.probe) + L" " + Quoted(paths.result), "", samples);
    ok = ok && RunChild(paths, L"child-plain-move " + Quoted(paths.result), "baseline_", samples);
    ok = ok && RunChild(paths, L"child-boss-key " + Quoted(paths.result), "", samples);
    ok = ok && RunChild(paths, L"child-bare-hook " + Quoted(paths.result), "baseline_", samples);
    return ok;
}

void Print(const char* name, double value, int decimals) {
    printf("%s: %.*f\n", name, decimals, value);
}

void PrintRatio(const char* name, double value, double baseline) {
    Print(name, baseline > 0 ? value / baseline : 0.0, 3);
}

void PrintFigures(const Samples& samples, int runs) {
    printf("runs: %d\n", runs);
    const double start = samples.Median("start_ms"), baselineStart = samples.Median("baseline_start_ms");
    Print("start_ms", start, 1);
    Print("baseline_start_ms", baselineStart, 1);
    PrintRatio("start_ratio", start, baselineStart);
    Print("start_extra_ms", start - baselineStart, 1);
    Print("shaped_ms", samples.Median("shaped_ms"), 1);
    Print("baseline_shaped_ms", samples.Median("baseline_shaped_ms"), 1);
    for (const char* step : kLauncherSteps) {
        const std::string name = std::string("step_") + step + "_ms";
        Print(name.c_str(), samples.Median(name), 1);
    }
    Print("steps_total_ms", samples.Median("steps_total_ms"), 1);
    for (const char* step : kBaselineSteps) {
        const std::string name = std::string("baseline_step_") + step + "_ms";
        Print(name.c_str(), samples.Median(name), 1);
    }
    Print("baseline_steps_total_ms", samples.Median("baseline_steps_total_ms"), 1);
    Print("faces_load_ms", samples.Median("faces_load_ms"), 2);

    const double switchMs = samples.Median("switch_ms"), baselineSwitch = samples.Median("baseline_switch_ms");
    Print("switch_ms", switchMs, 2);
    Print("baseline_switch_ms", baselineSwitch, 2);
    PrintRatio("switch_ratio", switchMs, baselineSwitch);
    Print("switch_invoke_ms", samples.Median("switch_invoke_ms"), 2);
    Print("switch_frame_paint_ms", samples.Median("switch_frame_paint_ms"), 2);
    Print("switch_settled_ms", samples.Median("switch_settled_ms"), 2);

    const double bossKey = samples.Median("boss_key_ms"), baselineBossKey = samples.Median("baseline_boss_key_ms");
    Print("boss_key_ms", bossKey, 2);
    Print("baseline_boss_key_ms", baselineBossKey, 2);
    PrintRatio("boss_key_ratio", bossKey, baselineBossKey);
    Print("boss_key_hop_ms", samples.Median("boss_key_hop_ms"), 2);

    const double privateBytes = samples.Median("private_bytes");
    const double baselinePrivate = samples.Median("baseline_private_bytes");
    Print("private_bytes", privateBytes, 0);
    Print("baseline_private_bytes", baselinePrivate, 0);
    PrintRatio("private_bytes_ratio", privateBytes, baselinePrivate);
    const double workingSet = samples.Median("working_set_bytes");
    const double baselineWorkingSet = samples.Median("baseline_working_set_bytes");
    Print("working_set_bytes", workingSet, 0);
    Print("baseline_working_set_bytes", baselineWorkingSet, 0);
    PrintRatio("working_set_ratio", workingSet, baselineWorkingSet);

    const double hook = samples.Median("hook_proc_ns"), passThrough = samples.Median("hook_proc_baseline_ns");
    Print("hook_proc_ns", hook, 1);
    Print("hook_proc_baseline_ns", passThrough, 1);
    PrintRatio("hook_proc_ratio", hook, passThrough);
    Print("hook_proc_allocations", samples.Median("hook_proc_allocations"), 0);
}

void PrintNames() {
    const char* const names[] = {"runs", "start_ms", "baseline_start_ms", "start_ratio", "start_extra_ms",
                                 "shaped_ms", "baseline_shaped_ms",
                                 "steps_total_ms", "baseline_steps_total_ms", "faces_load_ms", "switch_ms",
                                 "baseline_switch_ms", "switch_ratio", "switch_invoke_ms", "switch_frame_paint_ms",
                                 "switch_settled_ms", "boss_key_ms", "baseline_boss_key_ms", "boss_key_ratio",
                                 "boss_key_hop_ms",
                                 "private_bytes", "baseline_private_bytes",
                                 "private_bytes_ratio", "working_set_bytes", "baseline_working_set_bytes",
                                 "working_set_ratio"};
    for (const char* name : names) printf("%s\n", name);
    for (const char* step : kLauncherSteps) printf("step_%s_ms\n", step);
    for (const char* step : kBaselineSteps) printf("baseline_step_%s_ms\n", step);
    printf("hook_proc_ns\nhook_proc_baseline_ns\nhook_proc_ratio\nhook_proc_allocations\n");
}

std::wstring TempFile(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"orvendal_bench_" + Number(GetCurrentProcessId()) + L"_" + name;
}

int RunAll(int runs) {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    Paths paths;
    const std::wstring folder = OwnFolder();
    paths.launcher = folder + L"Orvendal.exe";
    paths.baseline = folder + L"baseline.exe";
    paths.self = folder + L"orvendal_bench.exe";
    paths.probe = TempFile(L"probe.txt");
    paths.result = TempFile(L"result.txt");
    ArtProbe probe;
    if (!probe.Decode() || !probe.Save(paths.probe)) {
        fprintf(stderr, "orvendal_bench: cannot read the artwork\n");
        return 1;
    }

    // One untimed round first: the first start installs the copy and warms the caches.
    Samples warmUp;
    if (!RunOnce(paths, probe, true, warmUp)) {
        fprintf(stderr, "orvendal_bench: the warm-up round failed\n");
        return 1;
    }
    Samples samples;
    for (int run = 0; run < runs; ++run) {
        // Turn about, so that a drift in the machine's load falls on both alike.
        if (!RunOnce(paths, probe, run % 2 == 0, samples)) {
            fprintf(stderr, "orvendal_bench: run %d failed\n", run + 1);
            return 1;
        }
        fprintf(stderr, "orvendal_bench: run %d of %d done\n", run + 1, runs);
    }
    MeasureHookProc(samples);
    DeleteFileW(paths.probe.c_str());
    DeleteFileW(paths.result.c_str());
    PrintFigures(samples, runs);
    samples.Dump(stderr);
    return 0;
}

// Runs on as the launcher does once its stamps are written: the driver closes the
// window, which ends the process.
int ChildSteps(const std::wstring& resultFile) {
    StepClock clock;
    ResultFile out;
    if (!StartLauncherStepByStep(clock)) return 2;
    clock.WriteTo(out);
    if (!out.Write(resultFile)) return 3;
    PumpLauncherUntil([] { return false; }, kChildTimeoutMs);
    return 4;
}

int ChildSwitch(const std::wstring& probeFile, const std::wstring& resultFile) {
    ArtProbe probe;
    ResultFile out;
    if (!probe.Read(probeFile) || !MeasureSwitch(probe, out)) return 2;
    return out.Write(resultFile) ? 0 : 3;
}

int ChildPlainMove(const std::wstring& resultFile) {
    ResultFile out;
    if (!MeasurePlainMove(out)) return 2;
    return out.Write(resultFile) ? 0 : 3;
}

int ChildBossKey(const std::wstring& resultFile, bool launcher) {
    ResultFile out;
    if (!(launcher ? MeasureBossKey(out) : MeasureBareHookHide(out))) return 2;
    return out.Write(resultFile) ? 0 : 3;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    // The children end at once: the launcher's windows are left to the system, as the
    // launcher itself leaves everything when it ends.
    if (mode == L"child-steps" && argc == 3) ExitProcess(ChildSteps(argv[2]));
    if (mode == L"child-switch" && argc == 4) ExitProcess(ChildSwitch(argv[2], argv[3]));
    if (mode == L"child-plain-move" && argc == 3) ExitProcess(ChildPlainMove(argv[2]));
    if (mode == L"child-boss-key" && argc == 3) ExitProcess(ChildBossKey(argv[2], true));
    if (mode == L"child-bare-hook" && argc == 3) ExitProcess(ChildBossKey(argv[2], false));
    if (mode == L"--names") {
        PrintNames();
        return 0;
    }
    const int runs = argc > 1 ? _wtoi(argv[1]) : kDefaultRuns;
    if (runs < kMinimumRuns) {
        fprintf(stderr, "usage: orvendal_bench [runs >= %d] | --names\n", kMinimumRuns);
        return 2;
    }
    return RunAll(runs);
}

// The launcher's start-up run inside a benchmark program, one call at a time, with a
// clock stamp after each: the same functions that RunLauncher calls, in its order.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "bench_support.h"

class StepClock {
public:
    explicit StepClock(LONGLONG origin) : last_(origin) {}
    // Time since the previous mark (or the origin) goes to name.
    void Mark(const char* name);
    void AddSpan(const char* name, double ms) { spans_.push_back({name, ms}); }
    void WriteTo(ResultFile& out) const;

private:
    struct Span {
        std::string name;
        double ms;
    };
    LONGLONG last_;
    std::vector<Span> spans_;
};

// Runs start-up and then the message loop until the first landing paint has switched
// the window to its colour key and the artwork shows on the screen. False when that
// does not happen within the time.
bool StartLauncherStepByStep(StepClock& clock, const ArtProbe& probe, DWORD milliseconds = 30000);

// Milliseconds to load every chrome button face from the resources, as the buttons do
// at their first message: what the bitmaps cost, measured apart.
double LoadAllFacesMs();

// The launcher's message loop for a while, or until done() holds; each dispatch timed
// by where it went (the frame's paint, a button's paint, anything else).
struct DispatchTimes {
    double framePaintMs = 0;
    double buttonPaintMs = 0;
    double otherMs = 0;
    int framePaints = 0;
};
template <typename Condition>
bool PumpLauncherUntil(Condition done, DWORD milliseconds, DispatchTimes* times = nullptr);

bool PumpOneLauncherMessage(DispatchTimes* times);

template <typename Condition>
bool PumpLauncherUntil(Condition done, DWORD milliseconds, DispatchTimes* times) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > milliseconds) return false;
        if (!PumpOneLauncherMessage(times)) MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    return true;
}

// The launcher's start-up run inside a benchmark program, one call at a time, with a
// clock stamp after each: the same functions that RunLauncher calls, in its order,
// and how long its two workers ran beside them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "bench_support.h"

class StepClock {
public:
    // The counter's time at the end of the step called name.
    void Mark(const char* name);
    // A figure that details a step, in milliseconds.
    void AddDetail(const char* name, double ms);
    // Marks as "name ticks", details as "step_name_ms ms".
    void WriteTo(ResultFile& out) const;

private:
    struct Entry {
        std::string name;
        double value;
    };
    std::vector<Entry> marks_;
    std::vector<Entry> details_;
};

// Runs start-up and then the message loop until the first landing paint has switched
// the window to its colour key. False when that does not happen within the time.
// When the artwork reaches the screen is for someone outside to see: a look from in
// here would hold up the very thread that has to deliver it.
bool StartLauncherStepByStep(StepClock& clock, DWORD milliseconds = 30000);

// The message loop until the landing artwork shows on the screen.
bool PumpUntilArtOnScreen(const ArtProbe& probe, DWORD milliseconds = 30000);

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

// The real keyboard hook procedure called directly, as the system would call it for
// an ordinary key while no hot key is down, against a hook that only passes the event
// on. Under Wine, so both include the cost of CallNextHookEx there.
#pragma once

#include "bench_support.h"

// Adds hook_proc_ns, hook_proc_baseline_ns (medians of the repetitions, nanoseconds
// per event) and hook_proc_allocations (operator new calls during all of them).
void MeasureHookProc(Samples& samples);

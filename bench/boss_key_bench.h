// The boss key from its press to the window hidden: the launcher, whose hook thread
// hands F10 to the GUI thread, against a bare window whose hook, on its own GUI
// thread, hides it directly. Each runs in a child process of its own.
#pragma once

#include "bench_support.h"

// Starts the launcher in this process and lets it settle; then F10 is typed into the
// system's input queue from a second thread, press after press, and each time is taken
// from just before the press until the frame is told it is hidden ("boss_key_ms", the
// median of the presses that hide).
bool MeasureBossKey(ResultFile& out);

// The same presses on a bare layered popup showing the landing artwork with its colour
// key, shown and painted, whose own low-level hook, installed by its GUI thread, hides
// and shows it on F10: no buttons, no browser control, no thread between.
bool MeasureBareHookHide(ResultFile& out);

// The switch to the game view against a plain move and repaint of a comparable window.
// Each runs in a child process of its own: the switch happens once per process.
#pragma once

#include "bench_support.h"

// Starts the launcher in this process, waits until the landing view is on the screen
// and settled, then calls the page bridge (Invoke with the game-view identifier on the
// host's IDispatch) and times it until the frame's first game-view paint has returned
// ("switch"), and until no paint is pending any more ("switch_settled").
bool MeasureSwitch(const ArtProbe& probe, ResultFile& out);

// A layered popup of the landing size, opaque and painted, moved to (0, 0) with the
// work area's right and bottom edges as its size and repainted (UpdateWindow).
bool MeasurePlainMove(ResultFile& out);

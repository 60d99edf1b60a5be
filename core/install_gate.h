// The gate between the GUI thread and the install step's worker. The frame opens it
// (its first landing paint) and waits behind it (its end), the shell starts the
// worker; both sit above core/, so the gate lives here.
#pragma once

// The install step's worker holds back until the first landing paint is done, since
// it would slow that paint down (disk, shell and the system's server all at once); a
// window that is not painted soon (started minimized, hidden with F10) lets it begin
// after a while anyway.
void LetInstallStepBegin();

// Lets the install step's worker begin at once, if it has not yet, and waits until it
// has finished, so that a launcher closed in the middle of its copy, or logged off,
// still ends installed and linked to the copy. (A kill cuts the copy short under its
// temporary name, which a later start removes.) Meanwhile the thread answers what is
// sent to its windows (the session's end, other programs' broadcasts), so that nobody
// finds it hung; what is posted (hot keys, timers) stays queued. The worker sends
// nothing to this thread's windows and calls no object of its apartment, so waiting
// here cannot deadlock.
void WaitForInstallStep();

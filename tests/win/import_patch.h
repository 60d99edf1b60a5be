// Redirects this program's own calls of one imported system function, for as long as
// the patch lives: the entry of the function in the executable's import address
// table is pointed at a replacement. The launcher's code is linked into the test
// program, so its calls go through that table as well; the replacement can record
// them and call on to the original.
#pragma once

#include <windows.h>

#include <vector>

class ImportPatch {
public:
    ImportPatch(const char* dll, const char* function, const void* replacement);
    ~ImportPatch();
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    bool applied() const { return slot_ != nullptr; }
    // The system's own function, to call on to.
    void* original() const { return reinterpret_cast<void*>(original_); }

private:
    FARPROC* slot_ = nullptr;
    FARPROC original_ = nullptr;
};

// While it lives, every GetMonitorInfoW call of this program (the launcher's included)
// answers the given screen and work area, whichever monitor is asked about; the rest
// of the answer is the system's. So a task bar at any edge, or another resolution, is
// what the launcher sees, while the display stays as it is: under Wine a work area set
// with SPI_SETWORKAREA never reaches GetMonitorInfoW. One at a time.
class FakeMonitor {
public:
    FakeMonitor(const RECT& screen, const RECT& work);
    void Set(const RECT& screen, const RECT& work);
    bool applied() const { return patch_.applied(); }

private:
    ImportPatch patch_;
};

// A screen's work area with a task bar at each of its edges in turn (40 pixels high
// at the bottom and top, 62 wide at the left and right), then with none: bottom, top,
// left, right, none, in that order.
struct TaskBarPlace {
    const char* edge;
    RECT work;
};
std::vector<TaskBarPlace> TaskBarsAtEveryEdge(const RECT& screen);

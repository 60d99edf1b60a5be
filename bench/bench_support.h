// Helpers of the Windows-side benchmark programs: a clock shared between processes,
// result files that child runs hand back to the driver, medians, and a look at the
// screen to tell when the landing artwork is really there.
#pragma once

#include <windows.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

// Finding a process's window and the program's own folder, shared with the Windows tests.
#include "../tests/win/test_support.h"

// QueryPerformanceCounter in milliseconds. The counter is one clock for every process
// of the machine, so a parent's stamp taken just before CreateProcess can be compared
// with the child's own stamps.
double NowMs();
LONGLONG NowTicks();
double TicksToMs(LONGLONG ticks);

// Figures of one child run, "name value" per line.
class ResultFile {
public:
    void Add(const std::string& name, double value);
    bool Write(const std::wstring& path) const;
    static std::map<std::string, double> Read(const std::wstring& path);

private:
    std::vector<std::pair<std::string, double>> values_;
};

// Every run's value of every figure, in the order the figures were first seen.
class Samples {
public:
    void Add(const std::string& name, double value);
    void AddAll(const std::map<std::string, double>& run, const std::string& prefix);
    double Median(const std::string& name) const;
    // Every value of every figure, "name: v1 v2 ...", one figure a line.
    void Dump(FILE* file) const;

private:
    std::map<std::string, std::vector<double>> values_;
};

double MedianOf(std::vector<double> values);

// True once the window is shown and has switched to its colour key.
bool IsShapedAndVisible(HWND window);

// Points of the landing artwork that must show its own colours once it is on the
// screen: opaque, not the key colour, not black, and clear of the page and the buttons.
class ArtProbe {
public:
    // Decodes the artwork from this program's resources (GDI+ must be running).
    bool Decode();
    // The points as a file, so that a child run can use them without starting GDI+
    // before the code it measures does.
    bool Save(const std::wstring& path) const;
    bool Read(const std::wstring& path);
    // Whether the screen shows the artwork at a window whose top-left is at origin.
    bool OnScreen(POINT origin) const;
    size_t size() const { return points_.size(); }

private:
    struct Probe {
        POINT at;
        COLORREF colour;
    };
    std::vector<Probe> points_;
};

// A hidden layered popup of the landing window's size and styles, centred on the
// screen, of a class of its own that this registers with the procedure; null when
// either fails. The baselines' windows.
HWND CreateLandingSizedWindow(WNDPROC procedure, const wchar_t* className);

// Runs a program with the given command line and waits for it (up to the time).
// Its exit code, or STILL_ACTIVE when it was ended for taking too long.
DWORD RunAndWait(const std::wstring& commandLine, DWORD milliseconds);

// A process's memory as GetProcessMemoryInfo reports it. Private bytes are its
// PrivateUsage, or PagefileUsage where that is left at 0 (Wine): Windows gives both
// the same value, the process's committed private memory.
struct MemoryUse {
    SIZE_T privateBytes = 0;
    SIZE_T workingSetBytes = 0;
};
MemoryUse MemoryOf(HANDLE process);

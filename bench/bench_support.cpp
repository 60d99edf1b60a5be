#include "bench_support.h"

#include <objidl.h>
#include <gdiplus.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "../core/layout.h"
#include "../res/resource_ids.h"

namespace {

LONGLONG TicksPerSecond() {
    static LONGLONG frequency = 0;
    if (frequency == 0) {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        frequency = f.QuadPart;
    }
    return frequency;
}

bool Near(COLORREF a, COLORREF b) {
    const int tolerance = 2;
    return abs(GetRValue(a) - GetRValue(b)) <= tolerance && abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// Where the page and the buttons sit over the artwork, with a margin: they paint
// themselves, later than the artwork or not at all.
bool CoveredByChildren(int x, int y) {
    const int margin = 8;
    const bool inPage = x >= kLandingBrowserRect.left - margin && x < kLandingBrowserRect.right + margin &&
                        y >= kLandingBrowserRect.top - margin && y < kLandingBrowserRect.bottom + margin;
    const bool inButtons = x >= 1040 && y < 220;
    return inPage || inButtons;
}

}  // namespace

LONGLONG NowTicks() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double TicksToMs(LONGLONG ticks) {
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(TicksPerSecond());
}

double NowMs() {
    return TicksToMs(NowTicks());
}

void ResultFile::Add(const std::string& name, double value) {
    values_.emplace_back(name, value);
}

bool ResultFile::Write(const std::wstring& path) const {
    FILE* file = _wfopen(path.c_str(), L"w");
    if (!file) return false;
    for (const auto& entry : values_) fprintf(file, "%s %.6f\n", entry.first.c_str(), entry.second);
    return fclose(file) == 0;
}

std::map<std::string, double> ResultFile::Read(const std::wstring& path) {
    std::map<std::string, double> values;
    FILE* file = _wfopen(path.c_str(), L"r");
    if (!file) return values;
    char name[128];
    double value = 0;
    while (fscanf(file, "%127s %lf", name, &value) == 2) values[name] = value;
    fclose(file);
    return values;
}

void Samples::Add(const std::string& name, double value) {
    values_[name].push_back(value);
}

void Samples::AddAll(const std::map<std::string, double>& run, const std::string& prefix) {
    for (const auto& entry : run) Add(prefix + entry.first, entry.second);
}

double Samples::Median(const std::string& name) const {
    auto found = values_.find(name);
    return found == values_.end() ? 0.0 : MedianOf(found->second);
}

void Samples::Dump(FILE* file) const {
    for (const auto& entry : values_) {
        fprintf(file, "%s:", entry.first.c_str());
        for (double value : entry.second) fprintf(file, " %.2f", value);
        fprintf(file, "\n");
    }
}

double MedianOf(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

bool IsShapedAndVisible(HWND window) {
    DWORD flags = 0;
    return window && IsWindowVisible(window) && GetLayeredWindowAttributes(window, nullptr, nullptr, &flags) &&
           flags == LWA_COLORKEY;
}

bool ArtProbe::Decode() {
    HMODULE self = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(self, MAKEINTRESOURCEW(IDR_LANDING_ART), L"PNG");
    if (!resource) return false;
    const DWORD size = SizeofResource(self, resource);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    memcpy(GlobalLock(block), LockResource(LoadResource(self, resource)), size);
    GlobalUnlock(block);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream))) return false;
    {
        Gdiplus::Bitmap art(stream);
        const int step = 53;  // a sparse grid: a dozen or so points are plenty
        for (int y = step / 2; y < kLandingHeight; y += step) {
            for (int x = step / 2; x < kLandingWidth; x += step) {
                Gdiplus::Color pixel;
                if (art.GetPixel(x, y, &pixel) != Gdiplus::Ok || CoveredByChildren(x, y)) continue;
                const COLORREF colour = RGB(pixel.GetR(), pixel.GetG(), pixel.GetB());
                if (pixel.GetA() != 255 || Near(colour, kColourKey) || Near(colour, RGB(0, 0, 0))) continue;
                points_.push_back({{x, y}, colour});
            }
        }
    }
    stream->Release();
    // Every third point keeps each look at the screen short.
    std::vector<Probe> kept;
    for (size_t i = 0; i < points_.size(); i += 3) kept.push_back(points_[i]);
    points_.swap(kept);
    return !points_.empty();
}

bool ArtProbe::Save(const std::wstring& path) const {
    FILE* file = _wfopen(path.c_str(), L"w");
    if (!file) return false;
    for (const Probe& probe : points_) {
        fprintf(file, "%ld %ld %lu\n", probe.at.x, probe.at.y, static_cast<unsigned long>(probe.colour));
    }
    return fclose(file) == 0;
}

bool ArtProbe::Read(const std::wstring& path) {
    FILE* file = _wfopen(path.c_str(), L"r");
    if (!file) return false;
    long x = 0, y = 0;
    unsigned long colour = 0;
    while (fscanf(file, "%ld %ld %lu", &x, &y, &colour) == 3) points_.push_back({{x, y}, colour});
    fclose(file);
    return !points_.empty();
}

bool ArtProbe::OnScreen(POINT origin) const {
    HDC screen = GetDC(nullptr);
    bool all = true;
    for (const Probe& probe : points_) {
        if (!Near(GetPixel(screen, origin.x + probe.at.x, origin.y + probe.at.y), probe.colour)) {
            all = false;
            break;
        }
    }
    ReleaseDC(nullptr, screen);
    return all;
}

HWND CreateLandingSizedWindow(WNDPROC procedure, const wchar_t* className) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    windowClass.lpszClassName = className;
    if (!RegisterClassW(&windowClass)) return nullptr;
    const IntPoint origin = CentredOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return CreateWindowExW(WS_EX_LAYERED, className, className, WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX,
                           origin.x, origin.y, kLandingWidth, kLandingHeight, nullptr, nullptr,
                           windowClass.hInstance, nullptr);
}

DWORD RunAndWait(const std::wstring& commandLine, DWORD milliseconds) {
    std::wstring command = commandLine;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return static_cast<DWORD>(-1);
    }
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process.hProcess, milliseconds) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, STILL_ACTIVE);
        WaitForSingleObject(process.hProcess, 5000);
    } else {
        GetExitCodeProcess(process.hProcess, &code);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

MemoryUse MemoryOf(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    MemoryUse use;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters))) {
        use.privateBytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
        use.workingSetBytes = counters.WorkingSetSize;
    }
    return use;
}

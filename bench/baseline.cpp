// The yardstick for the launcher's start-up and footprint: the least a program must do
// to put the same artwork on the screen the same way. It registers a class, creates a
// hidden layered popup of the artwork's size, starts GDI+, decodes the PNG resource,
// shows the window fully transparent and, at its first paint, draws the artwork and
// switches to the colour key. No buttons, no browser control, no install step.
//
// Given a file name as its argument it writes the QueryPerformanceCounter time at the
// end of each step to that file after its first paint (the driver's breakdown);
// without one it only runs, as the launcher does.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdio>
#include <cstring>

#include "../res/resource_ids.h"

namespace {

constexpr wchar_t kClassName[] = L"OrvendalBaseline";
constexpr int kWidth = 1196;
constexpr int kHeight = 807;
constexpr COLORREF kKey = RGB(30, 30, 30);

enum Step { EntryStep, WindowStep, GdiplusStep, DecodeStep, ShowStep, PaintStep, StepCount };
const char* const kStepNames[StepCount] = {"entry", "window", "gdiplus", "decode", "show", "paint"};

LONGLONG stamps[StepCount] = {};
char stampFile[MAX_PATH] = {};
Gdiplus::Image* art = nullptr;

LONGLONG Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

void WriteStamps() {
    FILE* file = fopen(stampFile, "w");
    if (!file) return;
    for (int step = 0; step < StepCount; ++step) fprintf(file, "%s %lld\n", kStepNames[step], stamps[step]);
    fclose(file);
}

Gdiplus::Image* DecodeArt(HINSTANCE instance) {
    HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(IDR_LANDING_ART), L"PNG");
    if (!resource) return nullptr;
    const DWORD size = SizeofResource(instance, resource);
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, size);
    memcpy(GlobalLock(block), LockResource(LoadResource(instance, resource)), size);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(block, FALSE, &stream))) return nullptr;
    return new Gdiplus::Image(stream);
}

void OnPaint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    {
        Gdiplus::Graphics graphics(dc);
        if (art) graphics.DrawImage(art, 0, 0, kWidth, kHeight);
    }
    EndPaint(window, &ps);
    SetLayeredWindowAttributes(window, kKey, 0, LWA_COLORKEY);
    if (stamps[PaintStep] == 0) {
        stamps[PaintStep] = Now();
        if (stampFile[0]) WriteStamps();
    }
}

LRESULT CALLBACK BaselineWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    stamps[EntryStep] = Now();
    if (commandLine) lstrcpynA(stampFile, commandLine, MAX_PATH);

    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = BaselineWndProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassW(&windowClass)) return 1;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
    HWND window = CreateWindowExW(WS_EX_LAYERED, kClassName, L"Baseline", WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX,
                                  x, y, kWidth, kHeight, nullptr, nullptr, instance, nullptr);
    stamps[WindowStep] = Now();

    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    stamps[GdiplusStep] = Now();
    art = DecodeArt(instance);
    stamps[DecodeStep] = Now();

    ShowWindow(window, showCommand);
    SetLayeredWindowAttributes(window, kKey, 0, LWA_ALPHA);
    stamps[ShowStep] = Now();

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

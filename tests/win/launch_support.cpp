#include "launch_support.h"

#include "test_support.h"

LaunchedLauncher::LaunchedLauncher(const std::wstring& arguments)
    : LaunchedLauncher(OwnFolder() + L"Orvendal.exe", arguments) {}

LaunchedLauncher::LaunchedLauncher(const std::wstring& executable, const std::wstring& arguments) {
    std::wstring command = L"\"" + executable + L"\"";
    if (!arguments.empty()) command += L" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_)) {
        process_ = {};
    }
}

LaunchedLauncher::~LaunchedLauncher() {
    if (process_.hProcess) {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 99);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

HWND LaunchedLauncher::WaitForShapedWindow(DWORD milliseconds) {
    HWND frame = nullptr;
    PumpUntil(
        [&] {
            frame = FindProcessWindow(process_.dwProcessId, L"WindowWithEmbeddedWeb");
            DWORD flags = 0;
            return frame && IsWindowVisible(frame) && GetLayeredWindowAttributes(frame, nullptr, nullptr, &flags) &&
                   flags == LWA_COLORKEY;
        },
        milliseconds);
    return frame;
}

DWORD LaunchedLauncher::WaitForExit(DWORD milliseconds) {
    WaitForSingleObject(process_.hProcess, milliseconds);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

namespace {
BOOL CALLBACK CountButton(HWND child, LPARAM lParam) {
    ButtonCount* count = reinterpret_cast<ButtonCount*>(lParam);
    if (ClassName(child) == L"Button" && GetParent(child) != nullptr) {
        count->all++;
        count->visible += IsWindowVisible(child) ? 1 : 0;
    }
    return TRUE;
}
}  // namespace

ButtonCount CountChildButtons(HWND frame) {
    ButtonCount count;
    EnumChildWindows(frame, CountButton, reinterpret_cast<LPARAM>(&count));
    return count;
}

std::basic_string<DWORD> GrabScreen(const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP canvas = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, canvas);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    std::basic_string<DWORD> pixels(static_cast<const DWORD*>(bits), static_cast<size_t>(width) * height);
    for (DWORD& p : pixels) p &= 0x00FFFFFF;
    SelectObject(memory, old);
    DeleteObject(canvas);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

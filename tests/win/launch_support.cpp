#include "launch_support.h"

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "../../core/layout.h"
#include "test_support.h"

LaunchedLauncher::LaunchedLauncher(const std::wstring& arguments)
    : LaunchedLauncher(OwnFolder() + L"Orvendal.exe", arguments) {}

LaunchedLauncher::LaunchedLauncher(const std::wstring& executable, const std::wstring& arguments,
                                   int showCommand) {
    std::wstring command = L"\"" + executable + L"\"";
    if (!arguments.empty()) command += L" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    if (showCommand != -1) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(showCommand);
    }
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
struct ButtonSearch {
    POINT at;  // in the frame's client area
    SIZE size;
    HWND found;
};

BOOL CALLBACK MatchButton(HWND child, LPARAM lParam) {
    ButtonSearch* search = reinterpret_cast<ButtonSearch*>(lParam);
    const RECT rect = RectInParent(child);
    if (ClassName(child) == L"Button" && IsWindowVisible(child) && rect.left == search->at.x &&
        rect.top == search->at.y && rect.right - rect.left == search->size.cx &&
        rect.bottom - rect.top == search->size.cy) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND FindVisibleButton(HWND frame, ChromeButton which) {
    const ChromeButtonSpec& entry = kChromeButtons[which];
    RECT client;
    GetClientRect(frame, &client);
    const IntPoint at = entry.offsetFromRight ? GameButtonPosition(which, client.right) : IntPoint{entry.x, entry.y};
    ButtonSearch search = {{at.x, at.y}, {entry.width, entry.height}, nullptr};
    EnumChildWindows(frame, MatchButton, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void AnswerQuitConfirmation(const LaunchedLauncher& launcher, HWND frame, int answer) {
    HWND box = nullptr;
    ASSERT_TRUE(PumpUntil(
        [&] {
            box = FindProcessWindow(launcher.processId(), L"#32770");
            return box && IsWindowVisible(box);
        },
        10000))
        << "no confirmation appeared";
    const SeenMessageBox seen = ReadMessageBox(box);
    EXPECT_EQ(seen.text, kQuitText);
    EXPECT_EQ(seen.caption, kQuitCaption);
    EXPECT_EQ(seen.owner, frame) << "a box given the button as owner belongs to the button's window";
    EXPECT_TRUE(seen.hasCancel);
    EXPECT_FALSE(seen.hasIcon);
    PostMessageW(box, WM_COMMAND, answer, 0);
    if (answer == IDCANCEL) {
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(box); }));
    }
}

std::vector<DWORD> RunningProcesses() {
    // Wine starts its desktop process (explorer.exe) from the first program of the
    // session that asks for the desktop window. Asking here makes that program the
    // test and not the launcher, whose new children are what the callers look for.
    GetDesktopWindow();
    std::vector<DWORD> ids;
    for (const PROCESSENTRY32W& entry : ProcessList()) ids.push_back(entry.th32ProcessID);
    return ids;
}

std::vector<DWORD> NewChildProcesses(DWORD parent, const std::vector<DWORD>& before) {
    std::vector<DWORD> children;
    for (const PROCESSENTRY32W& entry : ProcessList()) {
        const bool old = std::find(before.begin(), before.end(), entry.th32ProcessID) != before.end();
        if (entry.th32ParentProcessID == parent && !old) children.push_back(entry.th32ProcessID);
    }
    return children;
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

Pixels GrabScreen(const RECT& area) {
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
    Pixels pixels(static_cast<const DWORD*>(bits), static_cast<size_t>(width) * height);
    for (DWORD& p : pixels) p &= 0x00FFFFFF;
    SelectObject(memory, old);
    DeleteObject(canvas);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

Pixels FacePixels(int resource, int width, int height) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    Pixels pixels(static_cast<size_t>(width) * height, 0);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, height, &pixels[0], &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    for (DWORD& p : pixels) p &= 0x00FFFFFF;
    return pixels;
}

void SendMouse(DWORD flags, POINT at) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        // Absolute input is in 0..65535 across the primary screen.
        input.mi.dx = MulDiv(at.x, 65536, GetSystemMetrics(SM_CXSCREEN));
        input.mi.dy = MulDiv(at.y, 65536, GetSystemMetrics(SM_CYSCREEN));
    }
    SendInput(1, &input, sizeof(INPUT));
    PumpMessages(150);
}

// Starting the real Orvendal.exe from a test and looking at it from outside.
#pragma once

#include <windows.h>

#include <string>

class LaunchedLauncher {
public:
    // Starts Orvendal.exe from the test's own folder with the given arguments.
    explicit LaunchedLauncher(const std::wstring& arguments = L"");
    // Starts the given executable, e.g. a copy of Orvendal.exe placed in another folder.
    LaunchedLauncher(const std::wstring& executable, const std::wstring& arguments);
    ~LaunchedLauncher();

    bool started() const { return process_.hProcess != nullptr; }
    DWORD processId() const { return process_.dwProcessId; }
    HANDLE process() const { return process_.hProcess; }

    // Waits until the frame window exists and has been painted (colour key set).
    HWND WaitForShapedWindow(DWORD milliseconds = 20000);

    // Waits for the process to end; its exit code, or STILL_ACTIVE after the time.
    DWORD WaitForExit(DWORD milliseconds = 10000);

private:
    PROCESS_INFORMATION process_ = {};
};

// Counts the window's direct children of class "Button", and the visible ones.
struct ButtonCount {
    int all = 0;
    int visible = 0;
};
ButtonCount CountChildButtons(HWND frame);

// Reads the screen's pixels in a screen rectangle: 0x00RRGGBB values, row by row.
std::basic_string<DWORD> GrabScreen(const RECT& area);

// Starting the real Orvendal.exe from a test and looking at it from outside.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "../../core/chrome_table.h"

class LaunchedLauncher {
public:
    // Starts Orvendal.exe from the test's own folder with the given arguments.
    explicit LaunchedLauncher(const std::wstring& arguments = L"");
    // Starts the given executable, e.g. a copy of Orvendal.exe placed in another folder.
    // A show command other than -1 is handed over as a shortcut's "Run" setting is
    // (STARTF_USESHOWWINDOW), e.g. SW_SHOWMINNOACTIVE for "Run: Minimized".
    LaunchedLauncher(const std::wstring& executable, const std::wstring& arguments, int showCommand = -1);
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

// The visible button standing where the layout puts this one in the frame's present
// view, at its size; null when there is none.
HWND FindVisibleButton(HWND frame, ChromeButton which);

// Waits for the quit confirmation of a launcher process ("确定退出游戏?", caption
// "退出", OK and Cancel, no icon, owned by the frame) and answers it with IDOK or
// IDCANCEL; after Cancel, also waits for the box to go away. Test assertions inside.
void AnswerQuitConfirmation(const LaunchedLauncher& launcher, HWND frame, int answer);

// Every process running now.
std::vector<DWORD> RunningProcesses();

// Processes that the given one started since `before` was taken. Processes older than
// that are left out: a dead parent's id can be handed to a new process, so a parent id
// alone may name a stranger.
std::vector<DWORD> NewChildProcesses(DWORD parent, const std::vector<DWORD>& before);

// Counts the window's direct children of class "Button", and the visible ones.
struct ButtonCount {
    int all = 0;
    int visible = 0;
};
ButtonCount CountChildButtons(HWND frame);

// 0x00RRGGBB values, rows from the top.
using Pixels = std::basic_string<DWORD>;

// Reads the screen's pixels in a screen rectangle.
Pixels GrabScreen(const RECT& area);

// A face bitmap from this program's own resources (the launcher's resources are
// linked into every test program), in the same form as GrabScreen.
Pixels FacePixels(int resource, int width, int height);

// One mouse event through the system's input queue, as a real mouse gives it, then a
// short pump. With MOUSEEVENTF_ABSOLUTE, at is a point on the primary screen.
void SendMouse(DWORD flags, POINT at = {0, 0});

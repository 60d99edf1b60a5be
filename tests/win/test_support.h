// Helpers shared by the Windows-side tests.
#pragma once

#include <windows.h>
#include <tlhelp32.h>

#include <string>
#include <vector>

// Out-parameters are preset to this, so "never written" shows in a failure.
inline constexpr ULONG_PTR kPoison = 0xdeadbeef;

// Runs the thread's message queue for about the given time.
void PumpMessages(DWORD milliseconds);

// Pumps until done() holds or the time is up; returns done().
template <typename Condition>
bool PumpUntil(Condition done, DWORD milliseconds = 5000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > milliseconds) return done();
        PumpMessages(10);
    }
    return true;
}

std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);

// The folder of the running test program, with a trailing backslash; the launcher
// executable is built into the same folder.
std::wstring OwnFolder();

// What a message box showed, captured in-process as it opened.
struct SeenMessageBox {
    std::wstring caption;
    std::wstring text;
    HWND owner = nullptr;  // the box's owner window: always a top-level window
    bool hasIcon = false;
    bool hasCancel = false;
    // What MessageBoxW was called with, read in-process only: the window handed over as
    // owner (a child window given there is replaced by its top-level window as the
    // box's real owner) and the style flags. requestedOwner stays kPoison when the
    // call could not be read.
    HWND requestedOwner = reinterpret_cast<HWND>(kPoison);
    UINT style = static_cast<UINT>(kPoison);
};

// Answers every message box the current thread opens while it lives: records what it
// showed and presses the given button (IDOK or IDCANCEL).
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(int answer);
    ~MessageBoxAnswerer();
    const std::vector<SeenMessageBox>& seen() const { return seen_; }

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CallProc(int code, WPARAM wParam, LPARAM lParam);
    HHOOK hook_;
    HHOOK callHook_;
    int answer_;
    std::vector<SeenMessageBox> seen_;
    std::vector<HWND> answered_;  // the boxes seen so far, each counted once
    SeenMessageBox initialising_;  // the call's parameters, between WM_INITDIALOG and activation
};

// Reads a message box's contents: caption, text, owner, icon and cancel button.
SeenMessageBox ReadMessageBox(HWND box);

// The whole screen, as the desktop window covers it.
RECT DesktopRect();

// The work area of the monitor a window is on: where the game view stands.
RECT WorkAreaOf(HWND window);

// A window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND child);

// Every process running in this Wine prefix (or on this Windows) now.
std::vector<PROCESSENTRY32W> ProcessList();

// Top-level windows of a class that belong to a process.
HWND FindProcessWindow(DWORD processId, const wchar_t* className);

// A press or release of the key typed into the system's input queue (SendInput), as
// the keyboard would: every low-level keyboard hook of the desktop sees it.
void TypeKey(WORD virtualKey, bool press);

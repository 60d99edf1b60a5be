// A stand-in for the application a user works in while the launcher runs: a small
// window that takes the keyboard focus and counts the presses and releases of F10,
// F11 and Esc twice over:
// - as messages reaching its window, which only the active window's thread gets;
// - as events reaching its own low-level keyboard hook. It installs that hook before
//   the launcher starts, and the system calls the most recently installed hook first,
//   so the counter's hook sees an event only if the launcher's hook passed it on.
// The letters A, B and C, which the user types into it, are counted as messages.
// It writes whether it is the active window and the counts, at every change, to the
// file named on its command line, where the key tests read them from outside:
//   "KeyCounter active f10=2/1 f11=0/0 esc=0/0 a=1/1 b=0/0 c=0/0 hook:f10=2/1 ..."
// (presses/releases; auto-repeat presses count as presses). The same line is its
// window title; that is not read back through X, which Wine does not always update.
//
// "key_counter.exe --topmost FILE" keeps its window over every other one.
//
// Run as "key_counter.exe --hold MS FILE" it is instead what keeps a launcher busy: it
// suspends the GUI thread of the launcher's window (the one window of that class in
// the prefix) for MS milliseconds, as a long script in the page would hold it, writing
// "held" to FILE once the thread stands and "free" once it runs again.
#include <windows.h>

#include <stdio.h>
#include <string.h>

namespace {

struct KeyTally {
    UINT virtualKey;
    const wchar_t* name;
    int presses;
    int releases;
};

KeyTally messageTallies[] = {{VK_F10, L"f10", 0, 0}, {VK_F11, L"f11", 0, 0}, {VK_ESCAPE, L"esc", 0, 0},
                             {'A', L"a", 0, 0},       {'B', L"b", 0, 0},       {'C', L"c", 0, 0}};
KeyTally hookTallies[] = {{VK_F10, L"hook:f10", 0, 0}, {VK_F11, L"hook:f11", 0, 0}, {VK_ESCAPE, L"hook:esc", 0, 0}};
bool active = false;
HWND counterWindow = nullptr;
wchar_t reportPath[MAX_PATH] = {};
HHOOK hook = nullptr;
constexpr UINT kShowTallies = WM_APP + 1;

void ShowTallies(HWND window) {
    wchar_t title[256];
    int used = swprintf(title, 256, L"KeyCounter %ls", active ? L"active" : L"inactive");
    for (const KeyTally& tally : messageTallies) {
        used += swprintf(title + used, 256 - used, L" %ls=%d/%d", tally.name, tally.presses, tally.releases);
    }
    for (const KeyTally& tally : hookTallies) {
        used += swprintf(title + used, 256 - used, L" %ls=%d/%d", tally.name, tally.presses, tally.releases);
    }
    SetWindowTextW(window, title);
    if (reportPath[0] == L'\0') return;
    // Written aside and renamed over the report, so a reader never sees half a line.
    wchar_t partPath[MAX_PATH + 8];
    swprintf(partPath, MAX_PATH + 8, L"%ls.part", reportPath);
    HANDLE file = CreateFileW(partPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    char line[256];
    const int length = WideCharToMultiByte(CP_UTF8, 0, title, -1, line, sizeof(line), nullptr, nullptr) - 1;
    DWORD written = 0;
    WriteFile(file, line, length, &written, nullptr);
    CloseHandle(file);
    MoveFileExW(partPath, reportPath, MOVEFILE_REPLACE_EXISTING);
}

// True when the key is one of the counted ones.
template <size_t N>
bool Count(KeyTally (&tallies)[N], WPARAM virtualKey, bool press) {
    for (KeyTally& tally : tallies) {
        if (tally.virtualKey == virtualKey) {
            (press ? tally.presses : tally.releases)++;
            return true;
        }
    }
    return false;
}

LRESULT CALLBACK CountingHookProc(int code, WPARAM message, LPARAM event) {
    if (code == HC_ACTION) {
        const KBDLLHOOKSTRUCT* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(event);
        const bool press = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
        if (Count(hookTallies, key->vkCode, press)) PostMessageW(counterWindow, kShowTallies, 0, 0);
    }
    return CallNextHookEx(hook, code, message, event);
}

LRESULT CALLBACK CounterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // Handled here so that F10 never opens the system menu loop.
        if (Count(messageTallies, wParam, true)) {
            ShowTallies(window);
            return 0;
        }
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (Count(messageTallies, wParam, false)) {
            ShowTallies(window);
            return 0;
        }
        break;
    case WM_ACTIVATE:
        active = LOWORD(wParam) != WA_INACTIVE;
        ShowTallies(window);
        break;
    case kShowTallies:
        ShowTallies(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void WriteLine(const wchar_t* path, const char* line) {
    HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, line, lstrlenA(line), &written, nullptr);
    CloseHandle(file);
}

int HoldLauncher(DWORD milliseconds, const wchar_t* statePath) {
    HWND launcher = FindWindowW(L"WindowWithEmbeddedWeb", nullptr);
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(launcher, nullptr));
    if (!launcher || !thread || SuspendThread(thread) == static_cast<DWORD>(-1)) return 1;
    WriteLine(statePath, "held");
    Sleep(milliseconds);
    ResumeThread(thread);
    WriteLine(statePath, "free");
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    unsigned holdMs = 0;
    char holdState[MAX_PATH] = {};
    if (sscanf(commandLine, "--hold %u %259s", &holdMs, holdState) == 2) {
        wchar_t statePath[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, holdState, -1, statePath, MAX_PATH);
        return HoldLauncher(holdMs, statePath);
    }
    // Over windows that fill the screen, as an application the user has brought in
    // front of them is; without a window manager nothing else puts it there.
    constexpr char kTopmost[] = "--topmost ";
    const bool topmost = strncmp(commandLine, kTopmost, sizeof(kTopmost) - 1) == 0;
    if (topmost) commandLine += sizeof(kTopmost) - 1;
    MultiByteToWideChar(CP_ACP, 0, commandLine, -1, reportPath, MAX_PATH);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = CounterProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = L"KeyCounter";
    RegisterClassW(&windowClass);
    // Top left, clear of the centred landing window.
    counterWindow = CreateWindowExW(topmost ? WS_EX_TOPMOST : 0, L"KeyCounter", L"KeyCounter", WS_POPUP | WS_VISIBLE | WS_BORDER, 10, 10, 240,
                                    80, nullptr, nullptr, instance, nullptr);
    hook = SetWindowsHookExW(WH_KEYBOARD_LL, CountingHookProc, instance, 0);
    ShowTallies(counterWindow);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

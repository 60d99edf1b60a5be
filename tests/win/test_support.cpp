#include "test_support.h"

#include <algorithm>

void PumpMessages(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - start < milliseconds);
}

std::wstring WindowText(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring OwnFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

SeenMessageBox ReadMessageBox(HWND box) {
    SeenMessageBox seen;
    seen.caption = WindowText(box);
    seen.text = WindowText(GetDlgItem(box, 0xFFFF));  // the box's text is the static of id -1
    seen.owner = GetWindow(box, GW_OWNER);
    // The icon is a static control: id 20 on Windows, 0x440 in Wine's box template.
    // Wine leaves that control visible in a box without icon, just empty.
    // MB_OK boxes keep their Cancel button hidden.
    for (int iconId : {20, 0x440}) {
        HWND icon = GetDlgItem(box, iconId);
        seen.hasIcon = seen.hasIcon || (icon && (GetWindowLongW(icon, GWL_STYLE) & WS_VISIBLE) &&
                                        SendMessageW(icon, STM_GETICON, 0, 0) != 0);
    }
    HWND cancel = GetDlgItem(box, IDCANCEL);
    seen.hasCancel = cancel && (GetWindowLongW(cancel, GWL_STYLE) & WS_VISIBLE);
    return seen;
}

namespace {
MessageBoxAnswerer* activeAnswerer = nullptr;
}

MessageBoxAnswerer::MessageBoxAnswerer(int answer) : answer_(answer) {
    activeAnswerer = this;
    hook_ = SetWindowsHookExW(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
    callHook_ = SetWindowsHookExW(WH_CALLWNDPROC, CallProc, nullptr, GetCurrentThreadId());
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    UnhookWindowsHookEx(callHook_);
    UnhookWindowsHookEx(hook_);
    activeAnswerer = nullptr;
}

LRESULT CALLBACK MessageBoxAnswerer::CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && activeAnswerer) {
        HWND window = reinterpret_cast<HWND>(wParam);
        std::vector<HWND>& answered = activeAnswerer->answered_;
        // An open box is activated again whenever a window of another program that took
        // the activation from it goes away, as the windows of tests running beside this
        // one do; and on a loaded machine it may still be open long after it was answered.
        // It is still the one box: read and answered at its first activation only.
        const bool answeredBefore = std::find(answered.begin(), answered.end(), window) != answered.end();
        if (ClassName(window) == L"#32770" && !answeredBefore) {
            answered.push_back(window);
            SeenMessageBox seen = ReadMessageBox(window);
            const SeenMessageBox& call = activeAnswerer->initialising_;
            if (call.text == seen.text) {  // the parameters belong to this very box
                seen.requestedOwner = call.requestedOwner;
                seen.style = call.style;
            }
            activeAnswerer->initialising_ = SeenMessageBox();
            activeAnswerer->seen_.push_back(seen);
            PostMessageW(window, WM_COMMAND, activeAnswerer->answer_, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A message box is a dialog box whose WM_INITDIALOG carries the MSGBOXPARAMSW it was
// made from, owner and style as the caller gave them. Its size is checked before it is
// read, and its text must be the box's own before the rest is believed.
LRESULT CALLBACK MessageBoxAnswerer::CallProc(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && activeAnswerer && call->message == WM_INITDIALOG &&
        ClassName(call->hwnd) == L"#32770") {
        const MSGBOXPARAMSW* params = reinterpret_cast<const MSGBOXPARAMSW*>(call->lParam);
        if (params && params->cbSize == sizeof(MSGBOXPARAMSW) && !IS_INTRESOURCE(params->lpszText)) {
            activeAnswerer->initialising_.text = params->lpszText;
            activeAnswerer->initialising_.requestedOwner = params->hwndOwner;
            activeAnswerer->initialising_.style = params->dwStyle;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::vector<PROCESSENTRY32W> ProcessList() {
    std::vector<PROCESSENTRY32W> processes;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        processes.push_back(entry);
    }
    CloseHandle(snapshot);
    return processes;
}

RECT DesktopRect() {
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    return desktop;
}

RECT WorkAreaOf(HWND window) {
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

RECT RectInParent(HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

namespace {
struct FindArgs {
    DWORD processId;
    const wchar_t* className;
    HWND found;
};
BOOL CALLBACK FindInProcess(HWND window, LPARAM lParam) {
    FindArgs* args = reinterpret_cast<FindArgs*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == args->processId && ClassName(window) == args->className) {
        args->found = window;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND FindProcessWindow(DWORD processId, const wchar_t* className) {
    FindArgs args = {processId, className, nullptr};
    EnumWindows(FindInProcess, reinterpret_cast<LPARAM>(&args));
    return args.found;
}

void TypeKey(WORD virtualKey, bool press) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = press ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof(input));
}

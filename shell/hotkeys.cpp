// The low-level keyboard hook lives on a thread of its own that does nothing but wait
// for messages: every keyboard event of the desktop waits for the hook's answer, and a
// hook that keeps the system waiting is dropped (Windows removes it after its
// LowLevelHooksTimeout without a word, Wine skips it). On the GUI thread a long script
// in the page or a slow resize of the control would hold up other programs' keys, lose
// some, and could cost the hot keys for good.
//
// So the hook answers every event at once and hands the GUI thread only the presses
// and releases of the three hot keys, posted to the frame window in the order they
// came, with their time stamps; the frame decides and acts on them when its thread is
// free. The hook touches no flag of the launcher: they keep the GUI thread as their one
// writer.
#include "hotkeys.h"

#include "../core/launcher_state.h"
#include "../frame/boss_key_group.h"

static_assert(kVirtualKeyF10 == VK_F10 && kVirtualKeyF11 == VK_F11 && kVirtualKeyEscape == VK_ESCAPE,
              "hot keys must be Windows' own virtual keys");

namespace {

// The hook is called from inside this thread's GetMessageW; nothing is ever posted to it.
DWORD WINAPI KeyboardHookThread(void* hookInPlace) {
    gLauncher.keyboardHook = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardHookProc, gLauncher.instance, 0);
    const bool hooked = gLauncher.keyboardHook != nullptr;
    SetEvent(static_cast<HANDLE>(hookInPlace));
    if (hooked) {
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        }
    }
    return 0;
}

}  // namespace

void InstallKeyboardHook() {
    HANDLE hookInPlace = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!hookInPlace) return;  // no hot keys, as when the hook itself cannot be set
    HANDLE thread = CreateThread(nullptr, 0, KeyboardHookThread, hookInPlace, 0, nullptr);
    if (thread) {
        WaitForSingleObject(hookInPlace, INFINITE);
        CloseHandle(thread);  // it runs until the process ends
    }
    CloseHandle(hookInPlace);
    if (gLauncher.keyboardHook) {
        JoinBossKeyGroup();  // from now on this launcher takes every F10 press of the session
    }
}

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM message, LPARAM event) {
    if (code == HC_ACTION) {
        const KBDLLHOOKSTRUCT* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(event);
        if (IsHotKeyCode(key->vkCode)) {
            const bool press = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
            PostMessageW(gLauncher.frameWindow, kHotKeyEventMessage, key->vkCode | (press ? kHotKeyPressFlag : 0),
                         static_cast<LPARAM>(key->time));
        }
    }
    return CallNextHookEx(gLauncher.keyboardHook, code, message, event);
}

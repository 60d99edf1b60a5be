// The three hot keys and which of them are held down, as far as the keyboard events
// seen so far tell. The GUI thread keeps that state in the launcher's record and hands
// it to the decision of each hot key's event.
#pragma once

// Windows' virtual-key codes of the three hot keys.
inline constexpr unsigned kVirtualKeyF10 = 0x79;
inline constexpr unsigned kVirtualKeyF11 = 0x7A;
inline constexpr unsigned kVirtualKeyEscape = 0x1B;

// The keyboard hook asks this of every keyboard event of the desktop, and hands on
// only the events it is true for.
constexpr bool IsHotKeyCode(unsigned virtualKey) {
    return virtualKey == kVirtualKeyF10 || virtualKey == kVirtualKeyF11 || virtualKey == kVirtualKeyEscape;
}

// The hot keys in rank order.
enum HotKey { HotKeyF10, HotKeyF11, HotKeyEscape, HotKeyCount };

struct HeldHotKeys {
    bool down[HotKeyCount];
};

// F10's presses as this launcher has counted them, for telling apart presses that
// carry the same time stamp (the system stamps in milliseconds, and injected input
// comes faster than that): the stamp of the last press and how many came with it.
struct F10PressCount {
    unsigned lastTime;
    unsigned atLastTime;  // 0 before the first press
};

// The three hot keys and which of them are held down, as far as the keyboard events
// seen so far tell. The keyboard hook keeps that state in the launcher's record and
// hands it to the decision of each event.
#pragma once

// Windows' virtual-key codes of the three hot keys.
inline constexpr unsigned kVirtualKeyF10 = 0x79;
inline constexpr unsigned kVirtualKeyF11 = 0x7A;
inline constexpr unsigned kVirtualKeyEscape = 0x1B;

// The hot keys in rank order.
enum HotKey { HotKeyF10, HotKeyF11, HotKeyEscape, HotKeyCount };

struct HeldHotKeys {
    bool down[HotKeyCount];
};

// The hot keys' work on the GUI thread: each press or release of F10, F11 or Esc that
// the keyboard hook handed over is decided against the held keys and the launcher's
// flags, and carried out.
#pragma once

// Runs from the frame's kHotKeyEventMessage, so also inside a message box's modal loop;
// events held up while the thread was busy come in their order and act once each. An
// F10 press that acts does for this window what the session's launchers decided for
// that press (boss_key_group.h); time is the event's time stamp.
void ActOnHotKeyEvent(unsigned virtualKey, bool press, unsigned long time);

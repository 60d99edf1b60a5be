// The boss key for every launcher of a session: one F10 press hides all their windows
// when any of them counts as shown, and shows them all when none does. Each launcher
// takes the press from its own keyboard hook and acts on it whenever its GUI thread is
// free, in no order among them, so the first to take a press decides for everybody
// and writes the verdict into a record they share; the others find it there, however
// late they come. Counting visible windows instead would give each launcher another
// answer, taken at another moment.
//
// The rules over that record, free of any platform call so that they can be
// unit-tested natively; the shared memory, its lock and the window test are the
// caller's (boss_key_group.cpp). All zero is an empty record, as a new mapping is.
#pragma once

#include <cstdint>

#include "../core/hot_keys.h"

// More launchers than this in one session decide for themselves.
inline constexpr int kBossKeyWindowSlots = 32;
// Verdicts kept for launchers that take their presses late: a GUI thread held up
// while F10 was pressed this many times over catches up on the newest verdict.
inline constexpr int kBossKeyRememberedPresses = 64;
// How far back a press may lie behind the newest verdict and still count as one whose
// verdict was forgotten, rather than as a new press after the clock wrapped round.
inline constexpr std::uint32_t kForgottenPressWithinMs = 60000;

// One press of F10, named alike by every launcher's hook: the event's time stamp, and
// how many F10 presses with the same stamp came before it.
struct BossKeyPress {
    std::uint32_t time;
    std::uint32_t ordinal;
};

enum class BossKeyVerdict : std::uint32_t { None = 0, HideAll = 1, ShowAll = 2 };

struct BossKeySlot {
    std::uint32_t window;  // a launcher's frame window; 0 for a free slot
    std::uint32_t shown;   // 1 while it counts as shown
};

struct BossKeyDecided {
    BossKeyPress press;
    BossKeyVerdict verdict;  // None: nothing decided here yet
};

struct BossKeyRecord {
    BossKeySlot slots[kBossKeyWindowSlots];
    BossKeyDecided decided[kBossKeyRememberedPresses];  // a ring, oldest overwritten first
    std::uint32_t nextDecided;
};

// Whether a window still exists; a launcher that was killed leaves its slot behind.
using WindowAlive = bool (*)(std::uint32_t window);

// Names the next F10 press (auto-repeats count too: every hook sees them alike).
BossKeyPress CountF10Press(F10PressCount& count, std::uint32_t time);

// Puts a launcher's window into the record, counted as shown or not; a slot of a
// window that is gone is taken over. False when every slot is taken.
bool JoinBossKeyRecord(BossKeyRecord& record, std::uint32_t window, bool shown, WindowAlive alive);

// A launcher hid or showed its window by other means than F10 (its bar's button).
void SetShownInBossKeyRecord(BossKeyRecord& record, std::uint32_t window, bool shown);

void LeaveBossKeyRecord(BossKeyRecord& record, std::uint32_t window);

// The verdict for a press that acts. A press decided before keeps its verdict. A new
// press hides all when any live window counts as shown (this launcher's own as
// ownShown says) and shows all otherwise; every live slot then counts as the verdict
// leaves it, and slots of windows that are gone are freed. A press older than every
// verdict kept follows the newest one.
BossKeyVerdict DecideBossKeyPress(BossKeyRecord& record, BossKeyPress press, std::uint32_t ownWindow, bool ownShown,
                                  WindowAlive alive);

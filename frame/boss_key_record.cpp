#include "boss_key_record.h"

namespace {

bool SamePress(BossKeyPress one, BossKeyPress other) {
    return one.time == other.time && one.ordinal == other.ordinal;
}

// Time stamps wrap round after 49.7 days: only a short distance back counts as earlier.
bool CameBefore(BossKeyPress press, BossKeyPress later) {
    if (press.time == later.time) return press.ordinal < later.ordinal;
    const std::uint32_t behind = later.time - press.time;
    return behind <= kForgottenPressWithinMs;
}

bool Decided(const BossKeyDecided& entry) {
    return entry.verdict == BossKeyVerdict::HideAll || entry.verdict == BossKeyVerdict::ShowAll;
}

const BossKeyDecided* FindDecided(const BossKeyRecord& record, BossKeyPress press) {
    for (const BossKeyDecided& entry : record.decided) {
        if (Decided(entry) && SamePress(entry.press, press)) return &entry;
    }
    return nullptr;
}

const BossKeyDecided* NewestDecided(const BossKeyRecord& record) {
    const std::uint32_t newest = (record.nextDecided + kBossKeyRememberedPresses - 1) % kBossKeyRememberedPresses;
    const BossKeyDecided& entry = record.decided[newest];
    return Decided(entry) ? &entry : nullptr;
}

BossKeySlot* FindSlot(BossKeyRecord& record, std::uint32_t window) {
    for (BossKeySlot& slot : record.slots) {
        if (slot.window == window) return &slot;
    }
    return nullptr;
}

// Frees the slots of windows that are gone; true when any live window counts as shown.
bool AnyLiveWindowShown(BossKeyRecord& record, WindowAlive alive) {
    bool anyShown = false;
    for (BossKeySlot& slot : record.slots) {
        if (slot.window == 0) continue;
        if (!alive(slot.window)) {
            slot = {};
        } else if (slot.shown != 0) {
            anyShown = true;
        }
    }
    return anyShown;
}

void Remember(BossKeyRecord& record, BossKeyPress press, BossKeyVerdict verdict) {
    const std::uint32_t next = record.nextDecided % kBossKeyRememberedPresses;
    record.decided[next] = {press, verdict};
    record.nextDecided = (next + 1) % kBossKeyRememberedPresses;
}

}  // namespace

BossKeyPress CountF10Press(F10PressCount& count, std::uint32_t time) {
    if (count.atLastTime == 0 || count.lastTime != time) {
        count.lastTime = time;
        count.atLastTime = 0;
    }
    return {time, count.atLastTime++};
}

bool JoinBossKeyRecord(BossKeyRecord& record, std::uint32_t window, bool shown, WindowAlive alive) {
    BossKeySlot* slot = FindSlot(record, window);
    for (int i = 0; !slot && i < kBossKeyWindowSlots; ++i) {
        BossKeySlot& candidate = record.slots[i];
        if (candidate.window == 0 || !alive(candidate.window)) slot = &candidate;
    }
    if (!slot) return false;
    *slot = {window, shown ? 1u : 0u};
    return true;
}

void SetShownInBossKeyRecord(BossKeyRecord& record, std::uint32_t window, bool shown) {
    if (BossKeySlot* slot = FindSlot(record, window)) slot->shown = shown ? 1u : 0u;
}

void LeaveBossKeyRecord(BossKeyRecord& record, std::uint32_t window) {
    if (BossKeySlot* slot = FindSlot(record, window)) *slot = {};
}

BossKeyVerdict DecideBossKeyPress(BossKeyRecord& record, BossKeyPress press, std::uint32_t ownWindow, bool ownShown,
                                  WindowAlive alive) {
    if (const BossKeyDecided* earlier = FindDecided(record, press)) return earlier->verdict;
    // Its verdict was overwritten: the launchers have gone on since, and this one
    // catches up on where they are.
    const BossKeyDecided* newest = NewestDecided(record);
    if (newest && CameBefore(press, newest->press)) return newest->verdict;

    // The one who decides a new press has taken every earlier one, so its own window
    // counts as it really is, whatever the record said.
    JoinBossKeyRecord(record, ownWindow, ownShown, alive);
    const bool anyShown = AnyLiveWindowShown(record, alive) || ownShown;  // own: in a full record too
    const BossKeyVerdict verdict = anyShown ? BossKeyVerdict::HideAll : BossKeyVerdict::ShowAll;
    for (BossKeySlot& slot : record.slots) {
        if (slot.window != 0) slot.shown = verdict == BossKeyVerdict::ShowAll ? 1u : 0u;
    }
    Remember(record, press, verdict);
    return verdict;
}

#include "boss_key_group.h"

#include "../core/launcher_state.h"

namespace {

// "Local\": the session's namespace, so another user's launchers are not in it. The
// layout's number is in the names: a launcher with another record never shares one.
constexpr wchar_t kRecordName[] = L"Local\\Orvendal.BossKey.1";
constexpr wchar_t kLockName[] = L"Local\\Orvendal.BossKey.1.Lock";
// Nobody holds the lock for more than a few microseconds, unless its thread was
// stopped right then; a press is not held up longer than this for it.
constexpr DWORD kLongestLockWaitMs = 100;

bool IsLiveWindow(std::uint32_t window) {
    return IsWindow(static_cast<HWND>(ULongToHandle(window))) != FALSE;
}

// Window handles have 32 significant bits in 32- and 64-bit processes alike.
std::uint32_t OwnWindow() {
    return HandleToULong(gLauncher.frameWindow);
}

// The record while the session's lock is held; null when there is no record or the
// lock cannot be had. A lock abandoned by a launcher that was killed is taken over.
class LockedRecord {
public:
    LockedRecord() {
        if (!gLauncher.bossKeyRecord) return;
        const DWORD waited = WaitForSingleObject(gLauncher.bossKeyLock, kLongestLockWaitMs);
        if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) record_ = gLauncher.bossKeyRecord;
    }
    ~LockedRecord() {
        if (record_) ReleaseMutex(gLauncher.bossKeyLock);
    }
    LockedRecord(const LockedRecord&) = delete;
    LockedRecord& operator=(const LockedRecord&) = delete;

    BossKeyRecord* get() const { return record_; }

private:
    BossKeyRecord* record_ = nullptr;
};

bool OpenRecord() {
    HANDLE lock = CreateMutexW(nullptr, FALSE, kLockName);
    HANDLE mapping =
        CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(BossKeyRecord), kRecordName);
    void* view = mapping ? MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(BossKeyRecord)) : nullptr;
    if (!lock || !view) {
        if (lock) CloseHandle(lock);
        if (mapping) CloseHandle(mapping);
        return false;
    }
    // The mapping's handle stays open for the process's life, as the view does: a named
    // object loses its name with its last handle, and the next launcher would then make
    // a record of its own instead of finding this one.
    gLauncher.bossKeyLock = lock;
    gLauncher.bossKeyRecord = static_cast<BossKeyRecord*>(view);
    return true;
}

}  // namespace

void JoinBossKeyGroup() {
    if (!gLauncher.bossKeyRecord && !OpenRecord()) return;
    LockedRecord record;
    if (record.get()) JoinBossKeyRecord(*record.get(), OwnWindow(), gLauncher.windowShown, IsLiveWindow);
}

void LeaveBossKeyGroup() {
    LockedRecord record;
    if (record.get()) LeaveBossKeyRecord(*record.get(), OwnWindow());
}

void TellBossKeyGroupShown(bool shown) {
    LockedRecord record;
    if (record.get()) SetShownInBossKeyRecord(*record.get(), OwnWindow(), shown);
}

HotKeyAction BossKeyActionForSession(BossKeyPress press, HotKeyAction ownAction) {
    BossKeyVerdict verdict = BossKeyVerdict::None;
    {
        LockedRecord record;
        if (!record.get()) return ownAction;
        verdict = DecideBossKeyPress(*record.get(), press, OwnWindow(), gLauncher.windowShown, IsLiveWindow);
    }
    if (verdict == BossKeyVerdict::HideAll) return gLauncher.windowShown ? HotKeyAction::HideWindow : HotKeyAction::None;
    return gLauncher.windowShown ? HotKeyAction::None : HotKeyAction::ShowWindow;
}

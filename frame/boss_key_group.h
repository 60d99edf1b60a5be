// The launchers of a session share their boss key: the record of boss_key_record.h in
// a named file mapping of the session's namespace, behind a named mutex. Each call
// holds the lock for a few reads and writes only; a lock that cannot be had at once
// (a launcher stopped while holding it) leaves the launcher to decide alone.
#pragma once

#include "boss_key_record.h"
#include "hotkey_decision.h"

// Puts the frame window into the session's record, counted as gLauncher.windowShown
// says. Only a launcher whose keyboard hook is in place joins: the others never see
// the presses the record names. Without the record, F10 acts for this launcher alone.
void JoinBossKeyGroup();

// The frame window is going away: it no longer counts as shown or hidden.
void LeaveBossKeyGroup();

// The window was hidden or shown other than by F10 (the bar's boss-key button).
void TellBossKeyGroupShown(bool shown);

// What F10's press, which the hot keys' decision found to act (as HideWindow or
// ShowWindow), does to this launcher's window once the session has its verdict:
// hidden, shown, or nothing when the window is that way already.
HotKeyAction BossKeyActionForSession(BossKeyPress press, HotKeyAction ownAction);

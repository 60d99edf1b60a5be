// 1,000 presses of F10 on a real frame window, typed into the system's input queue
// (SendInput) and seen by the launcher's keyboard hook exactly as start-up installs
// it, on its own thread, which hands each to the frame. After every key-down and every
// key-up the window's visibility must match windowShown, and each press must have
// toggled it exactly once.
//
// A second low-level hook, installed before the launcher's, sees every event after it
// (the system calls the newest hook first): it tells when an event has been through the
// launcher's hook, and that the hook passed it on.
#include <windows.h>

#include "../../shell/hotkeys.h"
#include "frame_fixture.h"
#include "test_support.h"

namespace {

constexpr int kPresses = 1000;

struct Witness {
    int presses = 0;
    int releases = 0;
    // The flag and the window as the last event was passed on: they must agree at any
    // moment, whether or not the frame has had the event yet.
    bool shownWhenSeen = true;
    bool visibleWhenSeen = true;
};

Witness witness;
HHOOK witnessHook = nullptr;

LRESULT CALLBACK WitnessProc(int code, WPARAM message, LPARAM event) {
    const KBDLLHOOKSTRUCT* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(event);
    if (code == HC_ACTION && key->vkCode == VK_F10) {
        const bool press = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
        (press ? witness.presses : witness.releases)++;
        witness.shownWhenSeen = gLauncher.windowShown;
        witness.visibleWhenSeen = IsWindowVisible(gLauncher.frameWindow) != FALSE;
    }
    return CallNextHookEx(witnessHook, code, message, event);
}

class BossKeyPresses : public FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        if (HasFatalFailure()) return;
        witness = Witness();
        witnessHook = SetWindowsHookExW(WH_KEYBOARD_LL, WitnessProc, GetModuleHandleW(nullptr), 0);
        ASSERT_NE(witnessHook, nullptr);
        InstallKeyboardHook();
        ASSERT_NE(gLauncher.keyboardHook, nullptr);
        // Each press is decided through the record the session's launchers share.
        ASSERT_NE(gLauncher.bossKeyRecord, nullptr) << "the frame did not join the session's boss-key record";
    }
    void TearDown() override {
        UnhookWindowsHookEx(gLauncher.keyboardHook);
        UnhookWindowsHookEx(witnessHook);
        FrameFixture::TearDown();
    }

    // Shown as start-up shows it: transparent until the first landing paint keys it.
    void ShowLanding() {
        ShowWindow(frame, SW_SHOW);
        SetLayeredWindowAttributes(frame, kColourKey, 0, LWA_ALPHA);
        UpdateWindow(frame);
    }

    void ShowGame() {
        EnterGameView();
        SetLayeredWindowAttributes(frame, 0, 255, LWA_ALPHA);
        const RECT area = WorkAreaOf(frame);
        SetWindowPos(frame, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                     SWP_SHOWWINDOW);
        UpdateWindow(frame);
    }

    // Types one F10 event and waits until it has been through both hooks, and the frame
    // has had what the launcher's hook posted for it (posted before the hook passed the
    // event on).
    ::testing::AssertionResult Type(bool press) {
        int& seen = press ? witness.presses : witness.releases;
        const int before = seen;
        TypeKey(VK_F10, press);
        auto handedOver = [&] {
            MSG waiting;
            return seen > before &&
                   !PeekMessageW(&waiting, nullptr, kHotKeyEventMessage, kHotKeyEventMessage, PM_NOREMOVE);
        };
        if (!PumpUntil(handedOver, 5000)) {
            return ::testing::AssertionFailure() << "the F10 " << (press ? "press" : "release")
                                                 << " never came through the launcher's hook to the frame";
        }
        if (seen != before + 1) {
            return ::testing::AssertionFailure() << "one event arrived " << seen - before << " times";
        }
        return ::testing::AssertionSuccess();
    }

    // Visibility and flag agree, both when the event came through and now.
    void ExpectVisibilityMatchesTheFlag(bool expectedShown) {
        EXPECT_EQ(witness.visibleWhenSeen, witness.shownWhenSeen) << "while the event was passed on";
        EXPECT_EQ(IsWindowVisible(frame) != FALSE, gLauncher.windowShown);
        EXPECT_EQ(gLauncher.windowShown, expectedShown);
    }

    void PressF10Times(int presses) {
        RECT placed;
        GetWindowRect(frame, &placed);
        for (int n = 1; n <= presses; ++n) {
            SCOPED_TRACE("press " + std::to_string(n));
            const bool shownBefore = gLauncher.windowShown;
            ASSERT_TRUE(Type(true));
            ExpectVisibilityMatchesTheFlag(!shownBefore);
            ASSERT_TRUE(Type(false));
            ExpectVisibilityMatchesTheFlag(!shownBefore);
            if (HasFailure()) return;
        }
        RECT now;
        GetWindowRect(frame, &now);
        EXPECT_TRUE(EqualRect(&now, &placed)) << "the window comes back where it was";
    }
};

TEST_F(BossKeyPresses, AThousandPressesToggleTheWindowOnceEachInBothViews) {
    ShowLanding();
    PressF10Times(kPresses / 2);
    if (HasFailure()) return;
    ShowGame();
    PressF10Times(kPresses / 2);
    EXPECT_TRUE(IsWindowVisible(frame)) << "an even number of presses leaves the window shown";
    EXPECT_EQ(witness.presses, kPresses);
    EXPECT_EQ(witness.releases, kPresses);
}

}  // namespace

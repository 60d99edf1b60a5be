// The real Orvendal.exe, started as a user would start it and looked at from outside.
#include <gtest/gtest.h>
#include <windows.h>

#include "../../core/chrome_table.h"
#include "../../core/layout.h"
#include "launch_support.h"
#include "test_support.h"

namespace {

constexpr DWORD kKeyPixel = 0x1E1E1E;

TEST(Launch, ShowsTheShapedLandingWindowCentredWithItsThreeButtonsAndExitsZeroOnClose) {
    LaunchedLauncher launcher;
    ASSERT_TRUE(launcher.started());
    HWND frame = launcher.WaitForShapedWindow();
    ASSERT_NE(frame, nullptr) << "no painted landing window appeared";

    EXPECT_EQ(WindowText(frame), L"Orvendal");
    RECT rect;
    GetWindowRect(frame, &rect);
    const IntPoint origin = CentredOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(rect.left, origin.x);
    EXPECT_EQ(rect.top, origin.y);
    EXPECT_EQ(rect.right - rect.left, 1196);
    EXPECT_EQ(rect.bottom - rect.top, 807);

    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(frame, &key, &alpha, &flags));
    EXPECT_EQ(key, RGB(30, 30, 30));

    const ButtonCount buttons = CountChildButtons(frame);
    EXPECT_EQ(buttons.all, 11);
    EXPECT_EQ(buttons.visible, 3);
    for (ChromeButton landing : kLandingButtons) {
        const ChromeButtonSpec& entry = kChromeButtons[landing];
        POINT centre = {rect.left + entry.x + entry.width / 2, rect.top + entry.y + entry.height / 2};
        HWND there = ChildWindowFromPointEx(frame, {entry.x + entry.width / 2, entry.y + entry.height / 2},
                                            CWP_SKIPINVISIBLE);
        EXPECT_NE(there, frame) << "no visible button at " << centre.x << ", " << centre.y;
        EXPECT_EQ(ClassName(there), L"Button") << landing;
        RECT at;
        GetWindowRect(there, &at);
        EXPECT_EQ(at.left - rect.left, entry.x) << landing;
        EXPECT_EQ(at.top - rect.top, entry.y) << landing;
    }

    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(launcher.WaitForExit(), 0u);
}

TEST(Launch, ColourKeyCutsTheWindowToTheArtworkOnScreen) {
    LaunchedLauncher launcher;
    HWND frame = launcher.WaitForShapedWindow();
    ASSERT_NE(frame, nullptr);
    PumpMessages(1500);  // let the first paint reach the screen
    RECT rect;
    GetWindowRect(frame, &rect);
    const std::basic_string<DWORD> shot = GrabScreen(rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    auto at = [&](int x, int y) { return shot[static_cast<size_t>(y) * width + x]; };

    int keyPixels = 0;
    for (DWORD p : shot) keyPixels += p == kKeyPixel;
    EXPECT_EQ(keyPixels, 0) << "key-coloured pixels must be cut out, not shown";
    // The artwork's own colours show inside the picture frame's border and on the figure.
    int painted = 0;
    for (int y = 0; y < height; y += 7)
        for (int x = 0; x < width; x += 7) painted += at(x, y) != 0;
    EXPECT_GT(painted, (width / 7) * (height / 7) / 3) << "the artwork is not on the screen";

    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(launcher.WaitForExit(), 0u);
}

TEST(Launch, IsNeverSeenUnpaintedAndIgnoresItsCommandLine) {
    LaunchedLauncher launcher(L"--server 7 /silent");
    ASSERT_TRUE(launcher.started());
    // From the moment it is visible the window is either fully transparent or keyed.
    HWND frame = nullptr;
    bool keyed = false;
    PumpUntil(
        [&] {
            frame = FindProcessWindow(launcher.processId(), L"WindowWithEmbeddedWeb");
            if (!frame || !IsWindowVisible(frame)) return false;
            COLORREF key = 0;
            BYTE alpha = 0xAB;
            DWORD flags = 0;
            // Without attributes yet, a layered window is not mapped on the screen at all.
            if (!GetLayeredWindowAttributes(frame, &key, &alpha, &flags)) return false;
            if (flags == LWA_ALPHA) {
                EXPECT_EQ(alpha, 0) << "shown before its first paint, but not transparent";
                return false;
            }
            EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY));
            keyed = true;
            return true;
        },
        20000);
    ASSERT_TRUE(keyed);
    RECT rect;
    GetWindowRect(frame, &rect);
    EXPECT_EQ(rect.right - rect.left, 1196);
    EXPECT_EQ(CountChildButtons(frame).visible, 3);
    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(launcher.WaitForExit(), 0u);
}

TEST(Launch, DraggingTheArtworkMovesTheWindow) {
    LaunchedLauncher launcher;
    HWND frame = launcher.WaitForShapedWindow();
    ASSERT_NE(frame, nullptr);
    RECT before;
    GetWindowRect(frame, &before);
    // A point on the picture frame's border, left of the page and outside every button.
    const POINT grip = {before.left + 455, before.top + 400};
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, grip);
    ASSERT_TRUE(PumpUntil([&] { return WindowFromPoint(grip) == frame; })) << "the artwork is not under the grip";
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    for (int step = 1; step <= 4; ++step) {
        SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, {grip.x + 20 * step, grip.y + 15 * step});
    }
    SendMouse(MOUSEEVENTF_LEFTUP);
    RECT after;
    const bool moved = PumpUntil([&] {
        GetWindowRect(frame, &after);
        return after.left == before.left + 80 && after.top == before.top + 60;
    });
    EXPECT_TRUE(moved) << "the window did not follow the mouse: now at " << after.left << ", " << after.top
                       << " from " << before.left << ", " << before.top;
    EXPECT_EQ(after.right - after.left, 1196);
    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(launcher.WaitForExit(), 0u);
}

}  // namespace

// The faces the buttons show on the screen, compared pixel by pixel with the face
// bitmaps of the resources. Hover and leave draw straight onto the window, so the
// window is shown and nothing may cover it: these tests need the screen to themselves.
#include <windows.h>

#include <string>
#include <vector>

#include "../../browser/web_browser.h"
#include "frame_fixture.h"
#include "launch_support.h"
#include "test_support.h"

namespace {

constexpr DWORD kKeyColour = 0x1E1E1E;

// Pixels where the screen does not show the face; key-coloured face pixels are cut
// out of the landing window and do not count, nor do those marked as not telling.
int Differences(const Pixels& face, const Pixels& screen, const std::vector<bool>& notTelling = {}) {
    int differences = 0;
    for (size_t i = 0; i < face.size() && i < screen.size(); ++i) {
        const bool told = notTelling.empty() || !notTelling[i];
        differences += told && face[i] != kKeyColour && face[i] != screen[i];
    }
    return differences;
}

class ChromeFaces : public FrameFixture {
protected:
    Pixels OnScreen(ChromeButton which) {
        PumpMessages(150);  // let the drawing reach the screen
        RECT rect;
        GetWindowRect(button(which), &rect);
        return GrabScreen(rect);
    }

    void ShowLanding() {
        ShowWindow(frame, SW_SHOW);
        // As start-up does: a layered window without attributes would never be mapped.
        SetLayeredWindowAttributes(frame, kColourKey, 0, LWA_ALPHA);
        UpdateWindow(frame);  // the landing paint sets the colour key
        PumpMessages(500);
    }

    void ShowGame() {
        gLauncher.browser = new WebBrowser(frame);
        EnterGameView();
        SetLayeredWindowAttributes(frame, 0, 255, LWA_ALPHA);  // opaque, as the game view is
        SetWindowPos(frame, HWND_TOP, 0, 0, 1400, 900, SWP_SHOWWINDOW);
        UpdateWindow(frame);  // shows the bar
        PumpMessages(500);
    }

    // Marks the pixels of a button that another shown button overlaps: the three
    // landing buttons overlap by a few rows at the corners where they meet.
    std::vector<bool> UnderNeighbours(ChromeButton which) {
        const RECT own = RectInParent(button(which));
        const int width = own.right - own.left;
        std::vector<bool> covered(static_cast<size_t>(width) * (own.bottom - own.top), false);
        for (const ChromeButtonSpec& other : kChromeButtons) {
            if (other.button == which || !StyleVisible(button(other.button))) continue;
            RECT overlap;
            const RECT theirs = RectInParent(button(other.button));
            if (!IntersectRect(&overlap, &own, &theirs)) continue;
            for (int y = overlap.top; y < overlap.bottom; ++y)
                for (int x = overlap.left; x < overlap.right; ++x)
                    covered[static_cast<size_t>(y - own.top) * width + (x - own.left)] = true;
        }
        return covered;
    }

    void ExpectHoverAndLeaveFaces(ChromeButton which) {
        const ChromeButtonSpec& entry = kChromeButtons[which];
        SCOPED_TRACE(which);
        const Pixels plain = FacePixels(entry.plainFace, entry.width, entry.height);
        const Pixels lit = FacePixels(HoverFace(entry), entry.width, entry.height);
        ASSERT_GT(Differences(plain, lit), 0) << "the two faces must differ for this test to tell them apart";
        // Where buttons overlap, whichever was painted last shows; hover and leave draw
        // over the neighbours, so only they show the whole face.
        EXPECT_EQ(Differences(plain, OnScreen(which), UnderNeighbours(which)), 0) << "painted plain";
        SendMessageW(button(which), WM_MOUSEHOVER, 0, MAKELPARAM(2, 2));
        EXPECT_EQ(Differences(lit, OnScreen(which)), 0) << "lit on hover";
        SendMessageW(button(which), WM_MOUSELEAVE, 0, 0);
        EXPECT_EQ(Differences(plain, OnScreen(which)), 0) << "plain again on leave";
    }
};

TEST_F(ChromeFaces, LandingButtonsLightOnHoverAndDimOnLeave) {
    ShowLanding();
    for (ChromeButton landing : kLandingButtons) ExpectHoverAndLeaveFaces(landing);
}

TEST_F(ChromeFaces, BarButtonsLightOnHoverAndDimOnLeave) {
    ShowGame();
    for (ChromeButton bar : kBarButtons) ExpectHoverAndLeaveFaces(bar);
}

TEST_F(ChromeFaces, PointerLightsAButtonAtOnceAndARepaintUnderItShowsThePlainFace) {
    ShowLanding();
    const ChromeButtonSpec& entry = kChromeButtons[LandingClose];
    const Pixels plain = FacePixels(entry.plainFace, entry.width, entry.height);
    const Pixels lit = FacePixels(HoverFace(entry), entry.width, entry.height);
    RECT rect;
    GetWindowRect(button(LandingClose), &rect);

    SetCursorPos(rect.left + entry.width / 2, rect.top + entry.height / 2);
    EXPECT_TRUE(PumpUntil([&] { return Differences(lit, OnScreen(LandingClose)) == 0; }, 3000))
        << "the lit face follows the pointer";
    InvalidateRect(button(LandingClose), nullptr, TRUE);
    UpdateWindow(button(LandingClose));
    EXPECT_EQ(Differences(plain, OnScreen(LandingClose)), 0) << "a paint shows the plain face under the pointer";

    SetCursorPos(rect.left + entry.width / 2 + 3, rect.top + entry.height / 2);  // a move lights it again
    EXPECT_TRUE(PumpUntil([&] { return Differences(lit, OnScreen(LandingClose)) == 0; }, 3000));
    SetCursorPos(5, 5);
    EXPECT_TRUE(PumpUntil([&] { return Differences(plain, OnScreen(LandingClose)) == 0; }, 3000))
        << "plain once the pointer has left";
}

}  // namespace

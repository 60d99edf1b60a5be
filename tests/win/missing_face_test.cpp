// A launcher built without one face bitmap (Orvendal_missing_face.exe: the plain face
// of the landing close button is left out of its resources, see tests/CMakeLists.txt)
// started as a user starts it: the window comes up shaped as ever, that one button
// stays blank while the others show their faces, and the blank button still asks
// before it closes the launcher.
#include <gtest/gtest.h>
#include <windows.h>

#include "../../core/chrome_table.h"
#include "launch_support.h"
#include "test_support.h"

namespace {

constexpr DWORD kKeyColour = 0x1E1E1E;

// How much of a face the screen shows at its button, 0 to 1: the share of the face's
// pixels (apart from the key colour, which the window cuts out) found there. The
// landing buttons overlap by a few rows, so a face that is there shows nearly whole
// rather than whole.
double ShareOfFaceShown(HWND frame, ChromeButton which) {
    const ChromeButtonSpec& entry = kChromeButtons[which];
    RECT window;
    GetWindowRect(frame, &window);
    const RECT place = {window.left + entry.x, window.top + entry.y, window.left + entry.x + entry.width,
                        window.top + entry.y + entry.height};
    const Pixels face = FacePixels(entry.plainFace, entry.width, entry.height);
    const Pixels screen = GrabScreen(place);
    int telling = 0, shown = 0;
    for (size_t i = 0; i < face.size(); ++i) {
        if (face[i] == kKeyColour) continue;
        ++telling;
        shown += face[i] == screen[i];
    }
    return telling ? static_cast<double>(shown) / telling : 0;
}

TEST(MissingFace, TheLauncherComesUpShapedWithThatButtonBlankAndItsCommandStillWorks) {
    LaunchedLauncher launcher(OwnFolder() + L"Orvendal_missing_face.exe", L"");
    ASSERT_TRUE(launcher.started());
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, {5, 5});  // no button lit by the pointer
    HWND frame = launcher.WaitForShapedWindow();
    ASSERT_NE(frame, nullptr) << "no shaped landing window";
    PumpMessages(1500);  // let the first paints reach the screen

    RECT window;
    GetWindowRect(frame, &window);
    int keyPixels = 0;
    for (DWORD p : GrabScreen(window)) keyPixels += p == kKeyColour;
    EXPECT_EQ(keyPixels, 0) << "the window must still be cut to the artwork";
    EXPECT_GT(ShareOfFaceShown(frame, LandingMinimize), 0.9);
    EXPECT_GT(ShareOfFaceShown(frame, LandingRefresh), 0.9);
    EXPECT_LT(ShareOfFaceShown(frame, LandingClose), 0.1) << "the button without its face must stay blank";

    HWND close = FindVisibleButton(frame, LandingClose);
    ASSERT_NE(close, nullptr) << "the blank button must still be there";
    RECT button;
    GetWindowRect(close, &button);
    const POINT centre = {(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    for (int answer : {IDCANCEL, IDOK}) {
        SCOPED_TRACE(answer == IDOK ? "OK" : "Cancel");
        SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, centre);
        ASSERT_TRUE(PumpUntil([&] { return WindowFromPoint(centre) == close; }))
            << "the button is not under the pointer";
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        SendMouse(MOUSEEVENTF_LEFTUP);
        ASSERT_NO_FATAL_FAILURE(AnswerQuitConfirmation(launcher, frame, answer));
        if (answer == IDCANCEL) {
            EXPECT_EQ(launcher.WaitForExit(1000), static_cast<DWORD>(STILL_ACTIVE)) << "Cancel closes nothing";
            EXPECT_TRUE(IsWindowVisible(frame));
        }
    }
    EXPECT_EQ(launcher.WaitForExit(), 0u);
}

}  // namespace

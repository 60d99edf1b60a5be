// Runs with the WebBrowser control made unavailable (its DLL disabled for these runs,
// see tests/CMakeLists.txt): the launcher reports the failure once and carries on with
// its window and without a control.
#include <shlobj.h>

#include <memory>
#include <string>

#include "../../browser/dispatch_name.h"
#include "../../browser/navigation.h"
#include "../../browser/web_browser.h"
#include "frame_fixture.h"
#include "launch_support.h"
#include "loopback_server.h"
#include "test_support.h"

namespace {

void ExpectTheOleCreateBox(const SeenMessageBox& box) {
    EXPECT_EQ(box.text, L"OleCreate CLSID_WebBrowser失败");
    EXPECT_EQ(box.caption, L"Error");
    EXPECT_TRUE(box.hasIcon);
    EXPECT_FALSE(box.hasCancel) << "an OK box";
}

using ControlUnavailable = FrameFixture;

TEST_F(ControlUnavailable, HostReportsOnceNavigatesNowhereAndStaysSafeToUse) {
    ASSERT_TRUE(StartPageIsLoopback());
    LoopbackHttpServer server(StartPagePort());
    ASSERT_TRUE(server.listening());

    MessageBoxAnswerer answerer(IDOK);
    WebBrowser* host = new WebBrowser(frame);
    gLauncher.browser = host;
    ASSERT_EQ(answerer.seen().size(), 1u);
    ExpectTheOleCreateBox(answerer.seen()[0]);
    EXPECT_EQ(answerer.seen()[0].owner, nullptr);
    EXPECT_EQ(host->oleObject, nullptr);
    EXPECT_EQ(host->webBrowser2, nullptr);
    EXPECT_EQ(host->inPlaceObject, nullptr);
    EXPECT_EQ(host->inPlaceActiveObject, nullptr);

    // Everything that would reach the control is now a quiet no-op.
    const RECT landing = {470, 220, 1056, 663};
    host->setRect(landing);
    EXPECT_TRUE(EqualRect(&host->rect, &landing));
    EXPECT_EQ(host->controlWindow(), nullptr);
    ReloadPage();
    EXPECT_EQ(static_cast<IOleInPlaceSite*>(host)->OnInPlaceActivate(), S_OK);
    ShowWindow(frame, SW_SHOWNORMAL);
    PostQuitMessage(0);
    EXPECT_EQ(RunMessageLoop(), 0);

    // The bridge still switches; its resize places no control.
    LPOLESTR name = const_cast<LPOLESTR>(L"enterGame");
    DISPID id = DISPID_UNKNOWN;
    IDispatch* dispatch = host;
    ASSERT_EQ(dispatch->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), S_OK);
    EXPECT_EQ(dispatch->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(*gLauncher.viewMode, View::Game);
    RECT client;
    GetClientRect(frame, &client);
    EXPECT_EQ(host->rect.right, client.right - 1);
    EXPECT_TRUE(IsWindow(frame));

    PumpMessages(1000);
    EXPECT_EQ(answerer.seen().size(), 1u) << "one failure, one box";
    EXPECT_TRUE(server.requestLines().empty()) << "no control, no start page";
}

std::wstring DesktopShortcut() {
    wchar_t desktop[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop);
    return std::wstring(desktop) + L"\\Orvendal.lnk";
}

TEST(ControlUnavailableLaunch, TheLauncherShowsOneErrorBoxThenItsWindowAndStaysUsableToTheEnd) {
    // Start-up goes on after the box: the shortcut, written after the browser host is
    // made, must be there again.
    const std::wstring shortcut = DesktopShortcut();
    DeleteFileW(shortcut.c_str());
    ASSERT_EQ(GetFileAttributesW(shortcut.c_str()), INVALID_FILE_ATTRIBUTES);
    LaunchedLauncher launcher;
    ASSERT_TRUE(launcher.started());
    HWND box = nullptr;
    // Another process's box is read once it is up and filled in.
    ASSERT_TRUE(PumpUntil(
        [&] {
            box = FindProcessWindow(launcher.processId(), L"#32770");
            return box && IsWindowVisible(box) && !WindowText(GetDlgItem(box, 0xFFFF)).empty();
        },
        20000))
        << "no error box";
    ExpectTheOleCreateBox(ReadMessageBox(box));
    EXPECT_EQ(FindProcessWindow(launcher.processId(), L"WindowWithEmbeddedWeb") != nullptr, true)
        << "the window exists while the box is up";
    PostMessageW(box, WM_COMMAND, IDOK, 0);

    HWND frame = launcher.WaitForShapedWindow();
    ASSERT_NE(frame, nullptr) << "the landing window must still come up";
    PumpMessages(1500);
    EXPECT_EQ(FindProcessWindow(launcher.processId(), L"#32770"), nullptr) << "a second box";
    EXPECT_EQ(launcher.WaitForExit(0), static_cast<DWORD>(STILL_ACTIVE)) << "it must not have crashed";
    EXPECT_EQ(CountChildButtons(frame).visible, 3);
    EXPECT_NE(GetFileAttributesW(shortcut.c_str()), INVALID_FILE_ATTRIBUTES) << "no shortcut written";

    // Its own close button still asks and ends it cleanly.
    HWND close = FindVisibleButton(frame, LandingClose);
    ASSERT_NE(close, nullptr);
    PostMessageW(close, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ASSERT_NO_FATAL_FAILURE(AnswerQuitConfirmation(launcher, frame, IDOK));
    EXPECT_EQ(launcher.WaitForExit(), 0u);
}

}  // namespace

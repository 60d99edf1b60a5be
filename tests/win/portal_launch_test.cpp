// The real Orvendal.exe asks the portal for its start page: a web server on 127.0.0.1,
// at the port the build gave the portal, sees the request.
#include <gtest/gtest.h>

#include "../../browser/navigation.h"
#include "launch_support.h"
#include "loopback_server.h"
#include "test_support.h"

namespace {

TEST(PortalLaunch, TheLauncherAsksThePortalForTheStartPage) {
    if (!StartPageIsLoopback()) GTEST_SKIP() << "the build's portal is not on this machine: " << StartPageUrl;
    LoopbackHttpServer server(StartPagePort());
    ASSERT_TRUE(server.listening()) << "port " << StartPagePort() << " stayed busy";

    LaunchedLauncher launcher;
    ASSERT_TRUE(launcher.started());
    HWND frame = launcher.WaitForShapedWindow();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(server.WaitFor("GET /tovr/login HTTP/1.1", 1, 20000));
    const std::vector<std::string> lines = server.requestLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "GET /tovr/login HTTP/1.1") << "the start page comes first";

    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(launcher.WaitForExit(), 0u);
}

}  // namespace

// Start page and reload, seen from a web server on 127.0.0.1 at the port the build
// gave the portal: the real control in this process makes the requests.
#include <memory>

#include "../../browser/navigation.h"
#include "browser_fixture.h"
#include "loopback_server.h"

namespace {

const std::string kStartPageRequest = "GET /tovr/login HTTP/1.1";

class Navigation : public BrowserFixture {
protected:
    void SetUp() override {
        if (!StartPageIsLoopback()) GTEST_SKIP() << "the build's portal is not on this machine: " << StartPageUrl;
        server = std::make_unique<LoopbackHttpServer>(StartPagePort());
        ASSERT_TRUE(server->listening()) << "port " << StartPagePort() << " stayed busy";
        BrowserFixture::SetUp();
    }

    BSTR Location() {
        BSTR url = nullptr;
        host->webBrowser2->get_LocationURL(&url);
        return url;
    }

    std::unique_ptr<LoopbackHttpServer> server;
};

TEST_F(Navigation, CreatingTheHostOpensTheStartPage) {
    EXPECT_TRUE(server->WaitFor(kStartPageRequest)) << "requests seen: " << server->requestLines().size();
}

TEST_F(Navigation, ReloadAsksAgainForTheAddressTheControlShowsNow) {
    ASSERT_TRUE(server->WaitFor(kStartPageRequest));
    const std::wstring lobby = PortalAddress(L"/tovr/lobby?visit=7");
    const std::string lobbyRequest = "GET /tovr/lobby?visit=7 HTTP/1.1";
    host->navigate(lobby);
    ASSERT_TRUE(server->WaitFor(lobbyRequest));
    ASSERT_TRUE(PumpUntil([&] {
        BSTR url = Location();
        const bool there = url && lobby == url;
        SysFreeString(url);
        return there;
    })) << "the control never reported the new address";

    for (int reloads = 1; reloads <= 3; ++reloads) {
        ReloadPage();
        EXPECT_TRUE(server->WaitFor(lobbyRequest, 1 + reloads)) << "reload " << reloads;
    }
}

}  // namespace

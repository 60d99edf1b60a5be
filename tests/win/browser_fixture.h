// A real frame window with the real WebBrowser control hosted in it, set up the way
// start-up does it: host created, placed at the landing rectangle, window shown
// transparent until its first landing paint.
#pragma once

#include "../../browser/web_browser.h"
#include "frame_fixture.h"
#include "test_support.h"

inline RECT ToRect(IntRect r) {
    return {r.left, r.top, r.right, r.bottom};
}

inline bool SameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

inline std::string Describe(const RECT& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
           std::to_string(r.bottom) + ")";
}

class BrowserFixture : public FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        if (HasFatalFailure()) return;
        host = new WebBrowser(frame);
        gLauncher.browser = host;
        host->setRect(ToRect(kLandingBrowserRect));
        ShowWindow(frame, SW_SHOWNOACTIVATE);  // tests running beside this one keep the keyboard focus
        SetLayeredWindowAttributes(frame, kColourKey, 0, LWA_ALPHA);
        ASSERT_TRUE(PumpUntil([&] { return LayeredFlags() == LWA_COLORKEY; })) << "no first landing paint";
    }

    DWORD LayeredFlags() const {
        DWORD flags = 0;
        GetLayeredWindowAttributes(frame, nullptr, nullptr, &flags);
        return flags;
    }

    // Undoes a switch to the game view, which the launcher itself never does, so that
    // cases can each start from the landing view again.
    void BackToLanding() {
        *gLauncher.viewMode = View::Landing;
        gLauncher.fullScreen = false;
        gLauncher.barButtonsShown = false;
        for (ChromeButton b : kBarButtons) ShowWindow(button(b), SW_HIDE);
        for (ChromeButton b : kLandingButtons) ShowWindow(button(b), SW_SHOW);
        const IntPoint origin = CentredOrigin(gLauncher.screenWidth, gLauncher.screenHeight);
        MoveWindow(frame, origin.x, origin.y, kLandingWidth, kLandingHeight, TRUE);
        host->setRect(ToRect(kLandingBrowserRect));
        SetLayeredWindowAttributes(frame, kColourKey, 0, LWA_COLORKEY);
        PumpMessages(50);
    }

    // The control's own window as the system sees it, found among the frame's children.
    HWND ShellEmbedding() const { return FindWindowExW(frame, nullptr, L"Shell Embedding", nullptr); }

    IDispatch* External() {
        IDispatch* external = nullptr;
        static_cast<IDocHostUIHandler*>(host)->GetExternal(&external);
        return external;
    }

    WebBrowser* host = nullptr;  // never deleted: the host lives as long as the process
};

// The page bridge driven the way a page drives it: JScript from the system's script
// engine calling members of a named item "external" that is the host's dispatch view,
// with the real control and the real frame window reacting.
#include "../../browser/dispatch_name.h"
#include "browser_fixture.h"
#include "import_patch.h"
#include "script_runner.h"

namespace {

// Passes everything on to the host and notes which identifiers the engine invokes.
class InvokeRecorder : public IDispatch {
public:
    explicit InvokeRecorder(IDispatch* target) : target_(target) {}
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
            *object = static_cast<IDispatch*>(this);
            return S_OK;
        }
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override { return target_->GetTypeInfoCount(count); }
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return target_->GetTypeInfo(index, locale, info);
    }
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override {
        return target_->GetIDsOfNames(riid, names, count, locale, ids);
    }
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override {
        invoked.push_back(id);
        return target_->Invoke(id, riid, locale, flags, params, result, exception, argumentError);
    }
    std::vector<DISPID> invoked;

private:
    IDispatch* target_;
};

// The launcher sees a task bar at the bottom, so that the game window differs from the
// screen, unless a test moves it.
class PageBridge : public BrowserFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(monitor.applied()) << "the launcher's monitor cannot be chosen";
        BrowserFixture::SetUp();
    }

    void SetWorkArea(const RECT& area) {
        workArea = area;
        monitor.Set(screen, area);
    }

    // Where the game view must put the window: on the work area itself.
    RECT GameWindowRect() const { return workArea; }

    ScriptOutcome Run(const wchar_t* script) {
        const ScriptOutcome outcome = RunScriptWithExternal(External(), script);
        EXPECT_NE(outcome.parse, REGDB_E_CLASSNOTREG) << "no JScript engine";
        return outcome;
    }

    RECT WindowRect() const {
        RECT r;
        GetWindowRect(frame, &r);
        return r;
    }

    // The whole game-view geometry that WM_SIZE lays out, for a window of rect's size.
    void ExpectGameLayout(const RECT& window) {
        EXPECT_TRUE(SameRect(WindowRect(), window)) << Describe(WindowRect());
        RECT client;
        GetClientRect(frame, &client);
        const RECT page = {0, 30, client.right - 1, client.bottom - 1};  // below the title bar
        EXPECT_TRUE(SameRect(host->rect, page)) << Describe(host->rect);
        EXPECT_TRUE(SameRect(RectInParent(ShellEmbedding()), page)) << Describe(RectInParent(ShellEmbedding()));
        for (ChromeButton b : kBarButtons) {
            const IntPoint at = GameButtonPosition(b, client.right);
            const RECT r = RectInParent(button(b));
            EXPECT_EQ(r.left, at.x) << "bar button " << b;
            EXPECT_EQ(r.top, 0) << "bar button " << b;
            EXPECT_EQ(r.right - r.left, kChromeButtons[b].width) << "bar button " << b;
            EXPECT_EQ(r.bottom - r.top, kTitleBarHeight) << "bar button " << b;
        }
    }

    void ExpectOpaque() {
        COLORREF key = 0xABCDEF;
        BYTE alpha = 0;
        DWORD flags = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(frame, &key, &alpha, &flags));
        EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA)) << "the colour key must be gone";
        EXPECT_EQ(alpha, 255);
        EXPECT_TRUE(GetWindowLongW(frame, GWL_EXSTYLE) & WS_EX_LAYERED) << "it stays a layered window";
    }

    void ExpectButtonsShown(bool bar) {
        for (ChromeButton b : kBarButtons) EXPECT_EQ(IsWindowVisible(button(b)) != FALSE, bar) << "bar button " << b;
        for (ChromeButton b : kLandingButtons) EXPECT_FALSE(IsWindowVisible(button(b))) << "landing button " << b;
    }

    const RECT screen = DesktopRect();
    RECT workArea = TaskBarsAtEveryEdge(screen)[0].work;  // at the bottom
    FakeMonitor monitor{screen, workArea};
};

TEST_F(PageBridge, EnterGameLaysOutTheGameViewBeforeTheScriptCallReturnsAndTheNextPaintShowsTheBar) {
    ASSERT_EQ(*gLauncher.viewMode, View::Landing);
    const ScriptOutcome outcome = Run(L"external.enterGame()");
    EXPECT_EQ(outcome.parse, S_OK);
    EXPECT_FALSE(outcome.scriptError) << std::string(outcome.errorText.begin(), outcome.errorText.end());

    // No message was pumped yet: all of this happened inside the script's call.
    EXPECT_EQ(*gLauncher.viewMode, View::Game);
    ExpectOpaque();
    ExpectGameLayout(GameWindowRect());
    EXPECT_EQ(WindowRect().bottom, screen.bottom - 40) << "above the task bar";

    ASSERT_TRUE(PumpUntil([] { return gLauncher.barButtonsShown; })) << "no game-view paint";
    ExpectButtonsShown(true);
    EXPECT_FALSE(gLauncher.fullScreen);
}

TEST_F(PageBridge, EveryMemberWhoseNameBeginsWithLowercaseESwitchesHoweverItIsUsed) {
    const wchar_t* scripts[] = {
        L"external.enterGame()",          L"external.enterGame(1, 'two', {three: 3})",
        L"external.e()",                  L"var seen = external.enterGame;",
        L"external.e",                    L"external.enterGame = 5;",
        L"external['e\u4e2d']",           L"if (external.exit) {}",
    };
    for (const wchar_t* script : scripts) {
        SCOPED_TRACE(std::string(script, script + wcslen(script)));
        BackToLanding();
        const ScriptOutcome outcome = Run(script);
        EXPECT_EQ(outcome.parse, S_OK);
        EXPECT_FALSE(outcome.scriptError) << std::string(outcome.errorText.begin(), outcome.errorText.end());
        EXPECT_EQ(*gLauncher.viewMode, View::Game);
        ExpectOpaque();
        ExpectGameLayout(GameWindowRect());
    }
}

TEST_F(PageBridge, OtherNamesSwitchNothingAndNeverReachTheGameIdentifier) {
    const RECT landing = WindowRect();
    const wchar_t* scripts[] = {
        L"external.Exit()",  L"external.EnterGame()", L"external.x", L"external.quit = 1;",
        L"external['']",     L"external[' enter']",   L"external['\u00e9']",
    };
    for (const wchar_t* script : scripts) {
        SCOPED_TRACE(std::string(script, script + wcslen(script)));
        InvokeRecorder recorder(External());
        RunScriptWithExternal(&recorder, script);  // whether the engine calls it an error is its own matter
        EXPECT_EQ(*gLauncher.viewMode, View::Landing);
        EXPECT_TRUE(SameRect(WindowRect(), landing)) << Describe(WindowRect());
        EXPECT_EQ(LayeredFlags(), static_cast<DWORD>(LWA_COLORKEY));
        for (DISPID id : recorder.invoked) {
            EXPECT_EQ(id, DISPID_UNKNOWN) << "the engine invoked an identifier the host never gave";
        }
    }
    PumpMessages(200);
    EXPECT_FALSE(gLauncher.barButtonsShown);
    for (ChromeButton b : kLandingButtons) EXPECT_TRUE(IsWindowVisible(button(b)));
}

TEST_F(PageBridge, TheGameWindowIsTheWorkAreaItselfWhereverTheTaskBarIs) {
    for (const TaskBarPlace& bar : TaskBarsAtEveryEdge(screen)) {
        SCOPED_TRACE(std::string("task bar: ") + bar.edge);
        SetWorkArea(bar.work);
        Run(L"external.enterGame()");
        ExpectGameLayout(bar.work);
    }
}

TEST_F(PageBridge, ASecondSwitchPutsTheWindowBackAfterItWasMovedResizedOrMadeFullScreen) {
    Run(L"external.enterGame()");
    ASSERT_TRUE(PumpUntil([] { return gLauncher.barButtonsShown; }));

    // Restored to some other place and size by the user.
    MoveWindow(frame, 120, 90, 1000, 700, TRUE);
    PumpMessages(100);
    ASSERT_EQ(WindowRect().left, 120);
    Run(L"external.e");
    ExpectOpaque();
    ExpectGameLayout(GameWindowRect());
    PumpMessages(200);
    ExpectButtonsShown(true);

    // Full screen the way the full-screen command makes it: the flag first, then the
    // window over the whole desktop, then the page over the whole window.
    const RECT desktop = screen;
    gLauncher.fullScreen = true;
    SetWindowPos(frame, HWND_TOP, 0, 0, desktop.right, desktop.bottom, SWP_SHOWWINDOW);
    host->setRect(desktop);
    ASSERT_TRUE(PumpUntil([] { return !gLauncher.barButtonsShown; })) << "the full-screen paint hides the bar";
    ASSERT_TRUE(SameRect(RectInParent(ShellEmbedding()), desktop));

    Run(L"external.enterGame()");
    ExpectOpaque();
    ExpectGameLayout(GameWindowRect());
    EXPECT_TRUE(gLauncher.fullScreen) << "the bridge leaves the full-screen flag alone";
    PumpMessages(200);
    for (ChromeButton b : kBarButtons) EXPECT_FALSE(IsWindowVisible(button(b))) << "still flagged full screen";
}

}  // namespace

// The buttons' commands, run in this process on a real frame window. Two things are
// kept from reaching the system: WM_CLOSE to the frame (its destruction would end the
// test) and, unless a test asks for it, the ShellExecuteW call itself; both are
// recorded as they happen. The launcher takes ShellExecuteW from shell32 when it needs
// it, by GetProcAddress, so that is where the recording one is handed over instead.
#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <memory>
#include <string>
#include <vector>

#include "../../browser/web_browser.h"
#include "../../shell/hotkeys.h"
#include "frame_fixture.h"
#include "loopback_server.h"
#include "import_patch.h"
#include "test_support.h"

namespace {

struct ShellCall {
    HWND owner;
    std::wstring operation, file;
    bool hasParameters;
    std::wstring parameters;
    bool hasDirectory;
    std::wstring directory;
    int show;
};

std::vector<ShellCall> shellCalls;
bool startForReal = false;
void* realShellExecute = nullptr;

std::wstring OrEmpty(LPCWSTR text) {
    return text ? text : L"";
}

HINSTANCE WINAPI RecordShellExecute(HWND owner, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters,
                                    LPCWSTR directory, INT show) {
    shellCalls.push_back({owner, OrEmpty(operation), OrEmpty(file), parameters != nullptr, OrEmpty(parameters),
                          directory != nullptr, OrEmpty(directory), show});
    if (!startForReal) return reinterpret_cast<HINSTANCE>(42);  // "started", as the shell answers success
    using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    return reinterpret_cast<ShellExecuteFunction>(realShellExecute)(owner, operation, file, parameters, directory,
                                                                    show);
}

void* realGetProcAddress = nullptr;

// Hands out the recording ShellExecuteW for the real one, and everything else as asked.
FARPROC WINAPI HandOutRecordingShellExecute(HMODULE module, LPCSTR name) {
    using GetProcAddressFunction = FARPROC(WINAPI*)(HMODULE, LPCSTR);
    const FARPROC found = reinterpret_cast<GetProcAddressFunction>(realGetProcAddress)(module, name);
    if (IS_INTRESOURCE(name) || lstrcmpA(name, "ShellExecuteW") != 0 || !found) return found;
    realShellExecute = reinterpret_cast<void*>(found);
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(RecordShellExecute));
}

// Processes that this test process started and that run this same program.
std::vector<DWORD> OwnChildren() {
    wchar_t ownPath[MAX_PATH];
    GetModuleFileNameW(nullptr, ownPath, MAX_PATH);
    const std::wstring ownName = std::wstring(ownPath).substr(std::wstring(ownPath).find_last_of(L'\\') + 1);
    std::vector<DWORD> children;
    for (const PROCESSENTRY32W& entry : ProcessList()) {
        if (entry.th32ParentProcessID == GetCurrentProcessId() && lstrcmpiW(entry.szExeFile, ownName.c_str()) == 0) {
            children.push_back(entry.th32ProcessID);
        }
    }
    return children;
}

// What the frame was sent. WM_CLOSE is noted and kept from the frame.
struct FrameMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    size_t shellCallsBefore;  // how many ShellExecuteW calls had been made by then
    std::vector<DWORD> childrenBefore;
};
std::vector<FrameMessage> frameMessages;
WNDPROC frameProcedure = nullptr;

LRESULT CALLBACK RecordingFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SYSCOMMAND || message == WM_CLOSE) {
        frameMessages.push_back({message, wParam, lParam, shellCalls.size(), OwnChildren()});
        if (message == WM_CLOSE) return 0;
    }
    return CallWindowProcW(frameProcedure, window, message, wParam, lParam);
}

std::wstring SystemFolder() {
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    return folder;
}

std::wstring OwnPath() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

class ChromeCommands : public FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        frameProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingFrameProc)));
        shellPatch = std::make_unique<ImportPatch>("kernel32.dll", "GetProcAddress",
                                                   reinterpret_cast<const void*>(HandOutRecordingShellExecute));
        ASSERT_TRUE(shellPatch->applied()) << "the launcher's ShellExecuteW calls cannot be watched";
        realGetProcAddress = shellPatch->original();
    }

    void TearDown() override {
        shellPatch.reset();
        FrameFixture::TearDown();
    }

    void Click(ChromeButton which) {
        SendMessageW(button(which), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    }

    void Reset() {
        frameMessages.clear();
        shellCalls.clear();
        ShowWindow(frame, SW_RESTORE);
        ShowWindow(frame, SW_HIDE);
    }

    std::unique_ptr<ImportPatch> shellPatch;
};

TEST_F(ChromeCommands, MinimizeAndRestoreAskNothingAndSendTheirSystemCommandToTheFrame) {
    const RECT screen = DesktopRect();
    FakeMonitor monitor(screen, screen);
    ASSERT_TRUE(monitor.applied());
    struct Case {
        ChromeButton button;
        View view;
        WPARAM command;
        TaskBarPlace bar;
    };
    std::vector<Case> cases = {
        {LandingMinimize, View::Landing, SC_MINIMIZE, {"none", screen}},
        {BarMinimize, View::Game, SC_MINIMIZE, {"none", screen}},
    };
    for (const TaskBarPlace& bar : TaskBarsAtEveryEdge(screen)) {
        cases.push_back({BarRestore, View::Game, SC_MAXIMIZE, bar});  // "restore" maximizes
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.button << ", task bar: " << c.bar.edge);
        Reset();
        monitor.Set(screen, c.bar.work);
        *gLauncher.viewMode = c.view;
        MessageBoxAnswerer answerer(IDCANCEL);
        Click(c.button);
        EXPECT_TRUE(answerer.seen().empty()) << "nothing to confirm";
        ASSERT_EQ(frameMessages.size(), 1u);
        EXPECT_EQ(frameMessages[0].message, static_cast<UINT>(WM_SYSCOMMAND));
        EXPECT_EQ(frameMessages[0].wParam, c.command);
        EXPECT_EQ(frameMessages[0].lParam, 0);
        if (c.command == SC_MINIMIZE) {
            EXPECT_TRUE(IsIconic(frame));
        } else {
            EXPECT_TRUE(IsZoomed(frame));
            RECT rect;
            GetWindowRect(frame, &rect);
            EXPECT_TRUE(EqualRect(&rect, &c.bar.work)) << "maximized onto the work area itself: " << rect.left << ", "
                                                       << rect.top << ", " << rect.right << ", " << rect.bottom;
        }
        EXPECT_TRUE(shellCalls.empty());
    }
}

struct ConfirmCase {
    ChromeButton button;
    View view;
    int answer;
    bool closes;
    enum { Nothing, Relaunch, ClearCache } starts;
};

TEST_F(ChromeCommands, ConfirmedCommandsAskOwnedByTheButtonAndActOnlyOnOk) {
    const ConfirmCase cases[] = {
        {LandingClose, View::Landing, IDOK, true, ConfirmCase::Nothing},
        {LandingClose, View::Game, IDOK, true, ConfirmCase::Nothing},  // never relaunches, whatever the view
        {LandingClose, View::Landing, IDCANCEL, false, ConfirmCase::Nothing},
        {BarClose, View::Game, IDOK, true, ConfirmCase::Relaunch},
        {BarClose, View::Game, IDCANCEL, false, ConfirmCase::Nothing},
        {BarClose, View::Landing, IDOK, false, ConfirmCase::Nothing},  // confirmed, yet nothing at all
        {BarSelectServer, View::Game, IDOK, true, ConfirmCase::Relaunch},
        {BarSelectServer, View::Game, IDCANCEL, false, ConfirmCase::Nothing},
        {BarSelectServer, View::Landing, IDOK, false, ConfirmCase::Nothing},
        {BarClearCache, View::Game, IDOK, false, ConfirmCase::ClearCache},
        {BarClearCache, View::Game, IDCANCEL, false, ConfirmCase::Nothing},
    };
    for (const ConfirmCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "button " << c.button << ", view " << static_cast<int>(c.view)
                                        << (c.answer == IDOK ? ", OK" : ", Cancel"));
        Reset();
        *gLauncher.viewMode = c.view;
        MessageBoxAnswerer answerer(c.answer);
        Click(c.button);

        ASSERT_EQ(answerer.seen().size(), 1u);
        const SeenMessageBox& box = answerer.seen()[0];
        EXPECT_EQ(box.text, kChromeButtons[c.button].confirmText);
        EXPECT_EQ(box.caption, kChromeButtons[c.button].confirmCaption);
        EXPECT_EQ(box.requestedOwner, button(c.button)) << "owned by the clicked button, not the frame";
        EXPECT_EQ(box.owner, frame) << "the system lets the button's top-level window own it";
        EXPECT_EQ(box.style, static_cast<UINT>(MB_OKCANCEL)) << "OK and Cancel, no icon, nothing else";
        EXPECT_TRUE(box.hasCancel);
        EXPECT_FALSE(box.hasIcon);

        const size_t closes = c.closes ? 1 : 0;
        ASSERT_EQ(frameMessages.size(), closes);
        if (c.closes) {
            EXPECT_EQ(frameMessages[0].message, static_cast<UINT>(WM_CLOSE));
        }
        ASSERT_EQ(shellCalls.size(), c.starts == ConfirmCase::Nothing ? 0u : 1u);
        if (c.starts == ConfirmCase::Relaunch) {
            const ShellCall& call = shellCalls[0];
            EXPECT_EQ(call.owner, nullptr);
            EXPECT_EQ(call.operation, L"open");
            EXPECT_EQ(call.file, OwnPath()) << "the running program itself";
            EXPECT_FALSE(call.hasParameters);
            EXPECT_TRUE(call.hasDirectory);
            EXPECT_EQ(call.directory, L"");
            EXPECT_EQ(call.show, SW_SHOWNORMAL);
            EXPECT_EQ(frameMessages[0].shellCallsBefore, 1u) << "the new launcher starts before this one closes";
        }
        if (c.starts == ConfirmCase::ClearCache) {
            const ShellCall& call = shellCalls[0];
            EXPECT_EQ(call.owner, nullptr);
            EXPECT_EQ(call.operation, L"open");
            EXPECT_EQ(call.file, SystemFolder() + L"\\rundll32.exe")
                << "by its bare name it is looked for in the current directory first";
            EXPECT_TRUE(call.hasParameters);
            EXPECT_EQ(call.parameters, L"InetCpl.cpl,ClearMyTracksByProcess 8");
            EXPECT_TRUE(call.hasDirectory);
            EXPECT_EQ(call.directory, L"");
            EXPECT_EQ(call.show, SW_MINIMIZE);
        }
    }
}

// The relaunch really starts this same program again; the new process finds a test
// filter in its inherited environment that matches nothing, and ends at once.
TEST_F(ChromeCommands, RelaunchStartsANewProcessOfTheSameProgramBeforeTheClose) {
    EnterGameView();
    ASSERT_TRUE(OwnChildren().empty());
    SetEnvironmentVariableW(L"GTEST_FILTER", L"NothingAtAll.InTheRelaunchedProcess");
    startForReal = true;
    {
        MessageBoxAnswerer answerer(IDOK);
        Click(BarClose);
    }
    startForReal = false;
    SetEnvironmentVariableW(L"GTEST_FILTER", nullptr);

    ASSERT_EQ(frameMessages.size(), 1u);
    ASSERT_EQ(frameMessages[0].message, static_cast<UINT>(WM_CLOSE));
    const std::vector<DWORD>& started = frameMessages[0].childrenBefore;
    ASSERT_EQ(started.size(), 1u) << "one new process of this program, running when the close came";
    HANDLE child = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, started[0]);
    ASSERT_NE(child, nullptr);
    wchar_t image[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    QueryFullProcessImageNameW(child, 0, image, &length);
    EXPECT_EQ(lstrcmpiW(image, OwnPath().c_str()), 0) << "started " << testing::PrintToString(std::wstring(image));
    EXPECT_EQ(WaitForSingleObject(child, 30000), WAIT_OBJECT_0);
    DWORD code = kPoison;
    GetExitCodeProcess(child, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(child);
}

TEST_F(ChromeCommands, RefreshButtonsReloadTheAddressThePageShowsNow) {
    LoopbackHttpServer server(0);
    ASSERT_TRUE(server.listening());
    const std::string shown = "GET /shown/now?page=2 HTTP/1.1";
    gLauncher.browser = new WebBrowser(frame);
    ASSERT_NE(gLauncher.browser->webBrowser2, nullptr);
    const std::wstring address = L"http://127.0.0.1:" + std::to_wstring(server.port()) + L"/shown/now?page=2";
    gLauncher.browser->navigate(address.c_str());
    ASSERT_TRUE(server.WaitFor(shown, 1));

    MessageBoxAnswerer answerer(IDCANCEL);
    Click(LandingRefresh);
    EXPECT_TRUE(server.WaitFor(shown, 2));
    EnterGameView();
    Click(BarRefresh);
    EXPECT_TRUE(server.WaitFor(shown, 3));
    EXPECT_TRUE(answerer.seen().empty());
    PumpMessages(300);
    EXPECT_EQ(server.CountOf(shown), 3) << "one navigation per click";
}

TEST_F(ChromeCommands, FullScreenButtonCoversTheDesktopWithTheWindowAndThePage) {
    gLauncher.browser = new WebBrowser(frame);
    EnterGameView();
    SendMessageW(frame, WM_PAINT, 0, 0);  // the bar is shown
    Click(BarFullScreen);

    EXPECT_TRUE(gLauncher.fullScreen);
    const RECT desktop = DesktopRect();
    RECT window;
    GetWindowRect(frame, &window);
    EXPECT_TRUE(EqualRect(&window, &desktop));
    EXPECT_TRUE(EqualRect(&gLauncher.browser->rect, &desktop)) << "the page covers the title bar too";
    EXPECT_TRUE(StyleVisible(frame));
    SendMessageW(frame, WM_PAINT, 0, 0);
    for (ChromeButton bar : kBarButtons) EXPECT_FALSE(StyleVisible(button(bar))) << bar;
    EXPECT_TRUE(frameMessages.empty());
}

TEST_F(ChromeCommands, BossKeyButtonHidesTheWindowUntilF10) {
    EnterGameView();
    ShowWindow(frame, SW_SHOW);
    Click(BarBossKey);
    EXPECT_FALSE(IsWindowVisible(frame));
    EXPECT_FALSE(gLauncher.windowShown);

    KBDLLHOOKSTRUCT f10 = {VK_F10, 0x44, 0, 0, 0};
    KeyboardHookProc(HC_ACTION, WM_SYSKEYDOWN, reinterpret_cast<LPARAM>(&f10));
    DeliverHotKeyEvents();
    EXPECT_TRUE(IsWindowVisible(frame));
    EXPECT_TRUE(gLauncher.windowShown);
}

}  // namespace

// The real Orvendal.exe, started as a user would start it and looked at from outside;
// and game_view_demo.exe (the same launcher, switched to the game view by a script)
// on a screen whose resolution changes under it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "../../core/chrome_table.h"
#include "../../core/launcher_state.h"
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

// The DLLs that the launcher's process loads by name once its own code runs, under
// Wine as Wine's +loaddll channel lists them: by the window system (uxtheme), GDI+ and
// its decoder, the shell, the browser control. Left out: the DLLs that Wine's own DLLs
// load before the program's first instruction (kernelbase, ucrtbase, sechost, advapi32,
// zlib1, version, win32u, rpcrt4, combase, imm32), which no program can keep out, and
// Wine's display driver, which Windows does not have.
const wchar_t* const kPlantedDlls[] = {L"uxtheme", L"gdiplus",  L"shcore",  L"shlwapi", L"propsys",
                                       L"windowscodecs", L"comctl32", L"shell32", L"mpr", L"ws2_32",
                                       L"wininet", L"urlmon", L"ieframe"};
const wchar_t kMarkerSuffix[] = L".ran";  // what a planted DLL leaves when its code runs

// A folder of its own, as a download's folder that any web page may write to, removed
// with everything in it at the end.
class DownloadFolder {
public:
    DownloadFolder() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + L"Downloads " + std::to_wstring(GetCurrentProcessId()) + L"\\";
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~DownloadFolder() {
        for (const std::wstring& name : Files(L"*")) DeleteFileW((path_ + name).c_str());
        RemoveDirectoryW(path_.c_str());
    }
    const std::wstring& path() const { return path_; }

    std::vector<std::wstring> Files(const std::wstring& pattern) const {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((path_ + pattern).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return names;
    }

private:
    std::wstring path_;
};

// Wine's DLL overrides for one program, by its file name, while it lives: what
// WINEDLLOVERRIDES gives, for that program alone. (A variable set here would not reach
// the programs this test starts: Wine hands them its own start's environment.)
class ProgramDllOverrides {
public:
    explicit ProgramDllOverrides(const std::wstring& program) : key_(L"Software\\Wine\\AppDefaults\\" + program) {}
    ~ProgramDllOverrides() { RegDeleteTreeW(HKEY_CURRENT_USER, key_.c_str()); }

    // "native,builtin": the name is looked for as Windows looks for a DLL that is not a
    // known one, the executable's folder first. "": never loaded.
    bool Set(const wchar_t* dll, const wchar_t* order) {
        const DWORD size = static_cast<DWORD>((lstrlenW(order) + 1) * sizeof(wchar_t));
        return RegSetKeyValueW(HKEY_CURRENT_USER, (key_ + L"\\DllOverrides").c_str(), dll, REG_SZ, order, size) ==
               ERROR_SUCCESS;
    }

private:
    std::wstring key_;
};

struct ForeignStart {
    const char* name;
    bool planted;         // the marking DLL beside the executable under every name of kPlantedDlls, preferred
    bool withoutGdiplus;  // gdiplus.dll cannot be loaded
};

// Started from a download's folder that holds DLLs under the names the process loads,
// preferred as Windows prefers them, none of their code runs; started where GDI+ cannot
// be loaded, the launcher goes on as after a failed GdiplusStartup, without pictures.
// Either way it comes up shaped, enters the game view and ends with exit code 0.
TEST(Launch, RunsNoDllPlantedBesideItAndGoesOnWithoutGdiplus) {
    const ForeignStart starts[] = {
        {"planted DLLs preferred", true, false},
        {"GDI+ missing", false, true},
    };
    // Named as a second download of the same file is: the overrides are for this copy only.
    const std::wstring program = L"Orvendal (1).exe";
    for (const ForeignStart& start : starts) {
        SCOPED_TRACE(start.name);
        DownloadFolder folder;
        ProgramDllOverrides overrides(program);
        const std::wstring executable = folder.path() + program;
        ASSERT_TRUE(CopyFileW((OwnFolder() + L"Orvendal.exe").c_str(), executable.c_str(), FALSE));
        for (const wchar_t* name : kPlantedDlls) {
            if (!start.planted) break;
            const std::wstring planted = folder.path() + name + L".dll";
            ASSERT_TRUE(CopyFileW((OwnFolder() + L"planted_dll.dll").c_str(), planted.c_str(), FALSE));
            ASSERT_TRUE(overrides.Set(name, L"native,builtin"));
        }
        if (start.withoutGdiplus) {
            ASSERT_TRUE(overrides.Set(L"gdiplus", L""));
        }

        LaunchedLauncher launcher(executable, L"");
        ASSERT_TRUE(launcher.started());
        HWND frame = launcher.WaitForShapedWindow();
        EXPECT_NE(frame, nullptr) << "no painted landing window appeared";
        if (frame) {
            // The page bridge's own message, as a page calling window.external sends it.
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(frame, kSwitchToGameViewMessage, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored);
            EXPECT_TRUE(PumpUntil([&] { return FindVisibleButton(frame, BarClose) != nullptr; }, 20000))
                << "the title bar never appeared";
            PostMessageW(frame, WM_CLOSE, 0, 0);
            EXPECT_EQ(launcher.WaitForExit(), 0u);
        }
        EXPECT_EQ(folder.Files(L"*" + std::wstring(kMarkerSuffix)), std::vector<std::wstring>{})
            << "planted DLLs ran inside the launcher";
    }
}

// The screen changed to width x height as a docked laptop's or a projector's does,
// with every top-level window told (WM_DISPLAYCHANGE). Only a Wine virtual desktop
// can do that here.
::testing::AssertionResult ChangeResolution(int width, int height) {
    DEVMODEW mode = {};
    mode.dmSize = sizeof(mode);
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    const LONG result = ChangeDisplaySettingsW(&mode, 0);
    const RECT screen = DesktopRect();
    if (result != DISP_CHANGE_SUCCESSFUL || screen.right != width || screen.bottom != height) {
        return ::testing::AssertionFailure()
               << "the screen did not change to " << width << " x " << height << " (result " << result
               << "): a Wine virtual desktop is needed (ORVENDAL_VIRTUAL_DESKTOP)";
    }
    return ::testing::AssertionSuccess();
}

std::string Text(const RECT& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ")-(" + std::to_string(r.right) + ", " +
           std::to_string(r.bottom) + ")";
}

HWND PageOf(HWND frame) {
    return FindWindowExW(frame, nullptr, L"Shell Embedding", nullptr);
}

RECT ScreenRectOf(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

bool Same(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

// What the user sees once the launcher has taken the change: in the game view the
// window on the work area and all eight bar buttons wholly on the screen; in full
// screen the window and the page exactly the screen, and no button.
void ExpectFitted(HWND frame, bool fullScreen) {
    const RECT screen = DesktopRect();
    const RECT place = fullScreen ? screen : WorkAreaOf(frame);
    const bool fitted = PumpUntil([&] { return Same(place, ScreenRectOf(frame)); }, 5000);
    ASSERT_TRUE(fitted) << "the window is " << Text(ScreenRectOf(frame)) << ", not " << Text(place);
    if (fullScreen) {
        EXPECT_TRUE(PumpUntil([&] { return CountChildButtons(frame).visible == 0; })) << "buttons over the page";
        EXPECT_TRUE(Same(screen, ScreenRectOf(PageOf(frame)))) << Text(ScreenRectOf(PageOf(frame)));
        return;
    }
    for (ChromeButton bar : kBarButtons) {
        HWND button = nullptr;
        EXPECT_TRUE(PumpUntil([&] { return (button = FindVisibleButton(frame, bar)) != nullptr; }))
            << "bar button " << bar << " is not shown in its place";
        if (!button) continue;
        const RECT at = ScreenRectOf(button);
        RECT onScreen;
        IntersectRect(&onScreen, &at, &screen);
        EXPECT_TRUE(Same(onScreen, at)) << "bar button " << bar << " at " << Text(at) << " is not wholly on the screen";
    }
    const RECT page = ScreenRectOf(PageOf(frame));
    EXPECT_EQ(page.top, place.top + kTitleBarHeight) << "the page under the title bar";
    EXPECT_EQ(page.right, place.right - 1);
}

TEST(ScreenChange, GameViewAndFullScreenFollowTheResolutionDownAndUp) {
    LaunchedLauncher launcher(OwnFolder() + L"game_view_demo.exe", L"");
    ASSERT_TRUE(launcher.started());
    HWND frame = launcher.WaitForShapedWindow();
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return FindVisibleButton(frame, BarFullScreen) != nullptr; }, 20000))
        << "the game view never came";
    ASSERT_NO_FATAL_FAILURE(ExpectFitted(frame, false));
    const RECT start = DesktopRect();
    auto leaveFullScreen = [] {
        TypeKey(VK_ESCAPE, true);
        TypeKey(VK_ESCAPE, false);
    };
    auto enterFullScreen = [&] { PostMessageW(FindVisibleButton(frame, BarFullScreen), WM_LBUTTONUP, 0, 0); };

    auto bossKey = [] {
        TypeKey(VK_F10, true);
        TypeKey(VK_F10, false);
    };

    // Shown, then hidden with the boss key: fitted either way, and still hidden.
    for (bool hidden : {false, true}) {
        for (const SIZE& size : {SIZE{1280, 720}, SIZE{start.right, start.bottom}}) {
            SCOPED_TRACE(std::string(hidden ? "hidden " : "") + "game view, screen " + std::to_string(size.cx) +
                         " x " + std::to_string(size.cy));
            if (hidden) {
                bossKey();
                ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(frame); })) << "F10 did not hide the window";
            }
            ASSERT_TRUE(ChangeResolution(size.cx, size.cy));
            if (hidden) {
                PumpMessages(300);
                EXPECT_FALSE(IsWindowVisible(frame)) << "the change showed the hidden window";
                bossKey();
                ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(frame) != FALSE; })) << "F10 did not show it";
            }
            ASSERT_NO_FATAL_FAILURE(ExpectFitted(frame, false));
        }
    }
    // Full screen follows the screen both ways; leaving it then gives the new work area.
    for (const SIZE& size : {SIZE{1280, 720}, SIZE{start.right, start.bottom}}) {
        SCOPED_TRACE("full screen, screen " + std::to_string(size.cx) + " x " + std::to_string(size.cy));
        enterFullScreen();
        ASSERT_NO_FATAL_FAILURE(ExpectFitted(frame, true));
        ASSERT_TRUE(ChangeResolution(size.cx, size.cy));
        ASSERT_NO_FATAL_FAILURE(ExpectFitted(frame, true));
        leaveFullScreen();
        ASSERT_NO_FATAL_FAILURE(ExpectFitted(frame, false));
    }
}

}  // namespace

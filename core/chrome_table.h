// The eleven chrome buttons in one table: where each is created, where it goes in
// the game view, which faces it draws and what it does when released.
// Platform-free so that the native unit tests can check it.
#pragma once

#include "../res/resource_ids.h"

// Creation order, which is also the order of the table below.
enum ChromeButton {
    LandingMinimize,
    BarMinimize,
    LandingClose,
    BarClose,
    BarRestore,
    BarClearCache,
    LandingRefresh,
    BarRefresh,
    BarBossKey,
    BarFullScreen,
    BarSelectServer,
    ChromeButtonCount
};

enum class ChromeCommand {
    Minimize,
    Maximize,
    Reload,
    Close,             // close at once after confirmation (landing view)
    RelaunchAndClose,  // game view only: start a fresh launcher, then close
    FullScreen,
    Hide,
    ClearCache,
    Count,  // not a command: how many there are
};

struct ChromeButtonSpec {
    ChromeButton button;
    int x, y;           // where the button is created, frame client pixels
    int width, height;  // also the size of both faces
    bool shownAtCreation;
    int offsetFromRight;  // game view: x = client width - offset, y = 0; 0 = never moved
    int plainFace;        // bitmap resource; the hover face is plainFace - 1
    ChromeCommand command;
    const wchar_t* confirmText;  // nullptr: the command runs without asking
    const wchar_t* confirmCaption;
};

inline constexpr const wchar_t* kQuitText = L"确定退出游戏?";
inline constexpr const wchar_t* kQuitCaption = L"退出";
inline constexpr const wchar_t* kSelectServerText = L"选服将退出当前游戏";
inline constexpr const wchar_t* kClearCacheText = L"确认清空游戏缓存?";
inline constexpr const wchar_t* kClearCacheCaption = L"清空缓存";

// clang-format off
inline constexpr ChromeButtonSpec kChromeButtons[ChromeButtonCount] = {
    // button          x     y     w   h  shown  right  plain face                command                          confirmation
    {LandingMinimize, 1061, 143,  31, 32, true,    0, IDB_LANDING_MINIMIZE, ChromeCommand::Minimize,         nullptr, nullptr},
    {BarMinimize,     1061, 143,  27, 30, false,  81, IDB_MINIMIZE,         ChromeCommand::Minimize,         nullptr, nullptr},
    {LandingClose,    1093, 140,  37, 35, true,    0, IDB_LANDING_CLOSE,    ChromeCommand::Close,            kQuitText, kQuitCaption},
    {BarClose,        1093, 140,  27, 30, false,  27, IDB_CLOSE,            ChromeCommand::RelaunchAndClose, kQuitText, kQuitCaption},
    {BarRestore,         0,   0,  27, 30, false,  54, IDB_RESTORE,          ChromeCommand::Maximize,         nullptr, nullptr},
    {BarClearCache,      0,   0,  98, 30, false, 375, IDB_CLEAR_CACHE,      ChromeCommand::ClearCache,       kClearCacheText, kClearCacheCaption},
    {LandingRefresh,  1082, 172,  31, 32, true,    0, IDB_LANDING_REFRESH,  ChromeCommand::Reload,           nullptr, nullptr},
    {BarRefresh,      1082, 172,  57, 30, false, 432, IDB_REFRESH,          ChromeCommand::Reload,           nullptr, nullptr},
    {BarBossKey,         0,   0,  98, 30, false, 277, IDB_BOSS_KEY,         ChromeCommand::Hide,             nullptr, nullptr},
    {BarFullScreen,      0,   0,  98, 30, false, 179, IDB_FULL_SCREEN,      ChromeCommand::FullScreen,       nullptr, nullptr},
    {BarSelectServer,    0,   0,  57, 30, false, 489, IDB_SELECT_SERVER,    ChromeCommand::RelaunchAndClose, kSelectServerText, kQuitCaption},
};
// clang-format on

// The table is indexed by ChromeButton and creates the buttons in its own order.
constexpr bool TableFollowsButtonOrder() {
    for (int i = 0; i < ChromeButtonCount; ++i) {
        if (kChromeButtons[i].button != i) return false;
    }
    return true;
}
static_assert(TableFollowsButtonOrder(), "kChromeButtons: one row per ChromeButton, in creation order");

inline constexpr int kLandingButtonCount = 3;
inline constexpr int kBarButtonCount = 8;

// The landing buttons in the order they are shown at creation and hidden later.
inline constexpr ChromeButton kLandingButtons[kLandingButtonCount] = {LandingClose, LandingMinimize,
                                                                      LandingRefresh};

// The title bar from its right edge leftwards: the order in which the bar is laid out,
// invalidated and repainted.
inline constexpr ChromeButton kBarButtons[kBarButtonCount] = {
    BarClose, BarRestore, BarMinimize, BarFullScreen, BarBossKey, BarClearCache, BarRefresh, BarSelectServer};

inline constexpr int HoverFace(const ChromeButtonSpec& entry) {
    return entry.plainFace - 1;
}

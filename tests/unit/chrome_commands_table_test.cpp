#include <gtest/gtest.h>

#include "../../core/chrome_table.h"

namespace {

TEST(ButtonTable, GivesEachButtonItsCommandAndConfirmation) {
    // Written out by code point: the question marks are ASCII, not the full-width form.
    const wchar_t* quit = L"\u786E\u5B9A\u9000\u51FA\u6E38\u620F?";               // 确定退出游戏?
    const wchar_t* quitCaption = L"\u9000\u51FA";                                 // 退出
    const wchar_t* selectServer = L"\u9009\u670D\u5C06\u9000\u51FA\u5F53\u524D\u6E38\u620F";  // 选服将退出当前游戏
    const wchar_t* clearCache = L"\u786E\u8BA4\u6E05\u7A7A\u6E38\u620F\u7F13\u5B58?";       // 确认清空游戏缓存?
    const wchar_t* clearCacheCaption = L"\u6E05\u7A7A\u7F13\u5B58";                          // 清空缓存
    struct Row {
        ChromeButton button;
        ChromeCommand command;
        const wchar_t* text;
        const wchar_t* caption;
    } rows[] = {
        {LandingMinimize, ChromeCommand::Minimize, nullptr, nullptr},
        {LandingRefresh, ChromeCommand::Reload, nullptr, nullptr},
        {LandingClose, ChromeCommand::Close, quit, quitCaption},
        {BarClose, ChromeCommand::RelaunchAndClose, quit, quitCaption},
        {BarRestore, ChromeCommand::Maximize, nullptr, nullptr},
        {BarMinimize, ChromeCommand::Minimize, nullptr, nullptr},
        {BarFullScreen, ChromeCommand::FullScreen, nullptr, nullptr},
        {BarBossKey, ChromeCommand::Hide, nullptr, nullptr},
        {BarClearCache, ChromeCommand::ClearCache, clearCache, clearCacheCaption},
        {BarRefresh, ChromeCommand::Reload, nullptr, nullptr},
        {BarSelectServer, ChromeCommand::RelaunchAndClose, selectServer, quitCaption},
    };
    ASSERT_EQ(sizeof(rows) / sizeof(rows[0]), static_cast<size_t>(ChromeButtonCount));
    for (const Row& row : rows) {
        const ChromeButtonSpec& entry = kChromeButtons[row.button];
        SCOPED_TRACE(row.button);
        EXPECT_EQ(entry.command, row.command);
        if (row.text == nullptr) {
            EXPECT_EQ(entry.confirmText, nullptr);
            EXPECT_EQ(entry.confirmCaption, nullptr);
        } else {
            ASSERT_NE(entry.confirmText, nullptr);
            ASSERT_NE(entry.confirmCaption, nullptr);
            EXPECT_STREQ(entry.confirmText, row.text);
            EXPECT_STREQ(entry.confirmCaption, row.caption);
        }
    }
}

}  // namespace

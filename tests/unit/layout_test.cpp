#include <gtest/gtest.h>

#include <set>

#include "../../core/layout.h"

namespace {

TEST(Centring, TruncatesTowardZeroOnScreensSmallerThanTheWindow) {
    struct Case {
        int screenW, screenH;
        IntPoint expected;
    } cases[] = {
        {1920, 1080, {362, 136}},
        {1024, 768, {-86, -19}},  // -39 / 2 is -19, not -20
        {1196, 807, {0, 0}},
        {1197, 808, {0, 0}},
        {1195, 806, {0, 0}},   // -1 / 2 truncates to 0
        {800, 600, {-198, -103}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CentredOrigin(c.screenW, c.screenH), c.expected) << c.screenW << "x" << c.screenH;
    }
}

TEST(ButtonTable, HoldsElevenButtonsInCreationOrderWithTheirSizesAndFaces) {
    struct Row {
        ChromeButton button;
        int x, y, w, h;
        bool shown;
        int plain;
    } rows[] = {
        {LandingMinimize, 1061, 143, 31, 32, true, 106}, {BarMinimize, 1061, 143, 27, 30, false, 125},
        {LandingClose, 1093, 140, 37, 35, true, 102},    {BarClose, 1093, 140, 27, 30, false, 118},
        {BarRestore, 0, 0, 27, 30, false, 123},          {BarClearCache, 0, 0, 98, 30, false, 116},
        {LandingRefresh, 1082, 172, 31, 32, true, 108},  {BarRefresh, 1082, 172, 57, 30, false, 127},
        {BarBossKey, 0, 0, 98, 30, false, 114},          {BarFullScreen, 0, 0, 98, 30, false, 120},
        {BarSelectServer, 0, 0, 57, 30, false, 129},
    };
    ASSERT_EQ(ChromeButtonCount, 11);
    for (int i = 0; i < ChromeButtonCount; ++i) {
        const ChromeButtonSpec& entry = kChromeButtons[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(entry.button, rows[i].button);
        EXPECT_EQ(entry.button, static_cast<ChromeButton>(i));  // the table is indexable by button
        EXPECT_EQ(entry.x, rows[i].x);
        EXPECT_EQ(entry.y, rows[i].y);
        EXPECT_EQ(entry.width, rows[i].w);
        EXPECT_EQ(entry.height, rows[i].h);
        EXPECT_EQ(entry.shownAtCreation, rows[i].shown);
        EXPECT_EQ(entry.plainFace, rows[i].plain);
        EXPECT_EQ(HoverFace(entry), rows[i].plain - 1);
    }
}

TEST(ButtonTable, FacesAreTwentyTwoDistinctResourcesAndNeverTheLogoOrStrip) {
    std::set<int> faces;
    for (const ChromeButtonSpec& entry : kChromeButtons) {
        faces.insert(entry.plainFace);
        faces.insert(HoverFace(entry));
    }
    EXPECT_EQ(faces.size(), 22u);
    EXPECT_EQ(faces.count(IDB_LOGO), 0u);
    EXPECT_EQ(faces.count(IDB_TITLE_STRIP), 0u);
}

TEST(GameLayout, BarButtonsStandEdgeToEdgeFromTheRightAndLandingButtonsStay) {
    const int width = 1920;
    struct Case {
        ChromeButton button;
        IntPoint expected;
    } cases[] = {
        {BarClose, {1893, 0}},       {BarRestore, {1866, 0}},      {BarMinimize, {1839, 0}},
        {BarFullScreen, {1741, 0}},  {BarBossKey, {1643, 0}},      {BarClearCache, {1545, 0}},
        {BarRefresh, {1488, 0}},     {BarSelectServer, {1431, 0}}, {LandingMinimize, {1061, 143}},
        {LandingClose, {1093, 140}}, {LandingRefresh, {1082, 172}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GameButtonPosition(c.button, width), c.expected) << c.button;
    }
    // Right to left without gaps or overlaps, ending at the right edge, 489 pixels in all.
    int right = width;
    for (ChromeButton button : kBarButtons) {
        const IntPoint at = GameButtonPosition(button, width);
        EXPECT_EQ(at.x + kChromeButtons[button].width, right) << button;
        EXPECT_EQ(kChromeButtons[button].height, kTitleBarHeight) << button;
        right = at.x;
    }
    EXPECT_EQ(width - right, 489);
}

TEST(GameLayout, BrowserFillsTheClientAreaBelowTheTitleBarLessOnePixelRightAndBottom) {
    EXPECT_EQ(GameBrowserRect(1920, 1040), (IntRect{0, 30, 1919, 1039}));
    EXPECT_EQ(GameBrowserRect(800, 600), (IntRect{0, 30, 799, 599}));
}

TEST(GameLayout, TitleStripHasFourteenTilesTheLastAt2958) {
    ASSERT_EQ(TitleTileCount(), 14);
    EXPECT_EQ(TitleTileX(0), kLogoWidth);
    EXPECT_EQ(TitleTileX(1), 318);
    EXPECT_EQ(TitleTileX(13), 2958);
    EXPECT_EQ(TitleTileX(13) + kTitleTileWidth, 3178);
    EXPECT_GE(TitleTileX(14), kTitleStripEnd);
}

TEST(HitTest, BandsAreFivePixelsLeftAndTopButFourRightAndBottom) {
    const int w = 1920, h = 1040;
    struct Case {
        int x, y;
        HitCode expected;
    } cases[] = {
        {2, 2, HitTopLeft},           {w - 3, 2, HitTopRight},        {w - 5, 10, HitCaption},
        {w - 4, 10, HitRight},        {4, 10, HitLeft},               {5, 10, HitCaption},
        {4, h - 4, HitBottomLeft},    {w - 1, h - 1, HitBottomRight}, {100, 10, HitCaption},
        {100, 4, HitTop},             {100, 5, HitCaption},           {100, h - 5, HitCaption},
        {100, h - 4, HitBottom},      {0, 0, HitTopLeft},             {-30, 500, HitLeft},
        {500, -30, HitTop},           {w + 10, h + 10, HitBottomRight}, {w - 1, 0, HitTopRight},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GameHitTest(c.x, c.y, w, h), c.expected) << "(" << c.x << ", " << c.y << ")";
    }
}

TEST(GameFrame, IsTheWorkAreaItselfWhereverTheTaskBarStandsAndTheScreenInFullScreen) {
    const IntRect screen = {0, 0, 1920, 1080};
    const IntRect second = {1920, -200, 3200, 824};  // a second monitor, right of the first and higher
    struct Case {
        const char* taskBar;
        MonitorAreas monitor;
        IntRect maximized;  // relative to the monitor's corner
        IntRect restored;   // where a minimized window restores to (0, 0, 800, 600), in workspace coordinates
    } cases[] = {
        {"none", {screen, screen}, {0, 0, 1920, 1080}, {0, 0, 800, 600}},
        {"bottom", {screen, {0, 0, 1920, 1040}}, {0, 0, 1920, 1040}, {0, 0, 800, 600}},
        {"right", {screen, {0, 0, 1858, 1080}}, {0, 0, 1858, 1080}, {0, 0, 800, 600}},
        {"top", {screen, {0, 40, 1920, 1080}}, {0, 40, 1920, 1080}, {0, -40, 800, 560}},
        {"left", {screen, {62, 0, 1920, 1080}}, {62, 0, 1920, 1080}, {-62, 0, 738, 600}},
        {"top, second monitor", {second, {1920, -160, 3200, 824}}, {0, 40, 1280, 1024}, {0, -40, 800, 560}},
        {"left, second monitor", {second, {1982, -200, 3200, 824}}, {62, 0, 1280, 1024}, {-62, 0, 738, 600}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.taskBar);
        EXPECT_EQ(GameFrameRect(c.monitor, false), c.monitor.work);
        EXPECT_EQ(GameFrameRect(c.monitor, true), c.monitor.screen);
        EXPECT_EQ(FullScreenPageRect(c.monitor), (IntRect{0, 0, Width(c.monitor.screen), Height(c.monitor.screen)}));
        EXPECT_EQ(MaximizedRect(c.monitor), c.maximized);
        EXPECT_EQ(WorkspaceRect({0, 0, 800, 600}, c.monitor), c.restored);
    }
    EXPECT_EQ(kMinTrackSize, (IntSize{800, 600}));
}

TEST(Centring, LandingRectStandsCentredOnAScreenWhereverThatStands) {
    EXPECT_EQ(LandingRect({0, 0, 1920, 1080}), (IntRect{362, 136, 1558, 943}));
    EXPECT_EQ(LandingRect({0, 0, 1280, 720}), (IntRect{42, -43, 1238, 764}));  // -87 / 2 is -43
    EXPECT_EQ(LandingRect({1920, -200, 3200, 824}), (IntRect{1962, -92, 3158, 715}));
    EXPECT_EQ(LandingRect({-1280, 0, 0, 1024}), (IntRect{-1238, 108, -42, 915}));
}

TEST(PaintVisibility, ShowsTheBarOnceHidesAllInFullScreenOtherwiseLeavesThingsAlone) {
    EXPECT_EQ(PaintVisibilityAction(false, false), BarVisibilityAction::ShowBar);
    EXPECT_EQ(PaintVisibilityAction(true, true), BarVisibilityAction::HideAll);
    EXPECT_EQ(PaintVisibilityAction(false, true), BarVisibilityAction::Nothing);
    EXPECT_EQ(PaintVisibilityAction(true, false), BarVisibilityAction::Nothing);
}

}  // namespace

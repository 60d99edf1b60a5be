// Geometry of the launcher window in both views, free of any platform call so that
// it can be unit-tested natively. Rectangles are (left, top, right, bottom) in
// client pixels of the frame window, as Windows' RECT.
#pragma once

#include "geometry.h"
#include "chrome_table.h"

inline constexpr int kLandingWidth = 1196;  // the landing artwork's own size
inline constexpr int kLandingHeight = 807;
inline constexpr IntRect kLandingBrowserRect = {470, 220, 1056, 663};  // the artwork's picture frame

inline constexpr int kTitleBarHeight = 30;
inline constexpr int kLogoWidth = 98;
inline constexpr int kTitleTileWidth = 220;
inline constexpr int kTitleStripEnd = 3000;  // no tile starts at or beyond this x

inline constexpr int kResizeBand = 5;
inline constexpr IntSize kMinTrackSize = {800, 600};

// RGB(30, 30, 30) as a COLORREF: the artwork's background, cut away on the screen.
inline constexpr unsigned kColourKey = 0x001E1E1Eu;

// Hit-test answers, with the values Windows gives HTCAPTION, HTLEFT and the rest.
enum HitCode {
    HitCaption = 2,
    HitLeft = 10,
    HitRight = 11,
    HitTop = 12,
    HitTopLeft = 13,
    HitTopRight = 14,
    HitBottom = 15,
    HitBottomLeft = 16,
    HitBottomRight = 17,
};

// Top-left corner of the landing window centred on a screen; signed division, so a
// screen smaller than the window leaves it overhanging both edges equally.
IntPoint CentredOrigin(int screenWidth, int screenHeight);

// Where the page goes in the game view: under the title bar, leaving the last column
// and row of the client area free.
IntRect GameBrowserRect(int clientWidth, int clientHeight);

// Game-view x of a title-bar button (y is always 0); a landing button keeps its place.
IntPoint GameButtonPosition(ChromeButton button, int clientWidth);

// The title strip: tiles at 98 + 220k while they start left of 3000.
int TitleTileCount();
int TitleTileX(int index);

// The game view's answer to WM_NCHITTEST for a client point in a W x H client area.
HitCode GameHitTest(int x, int y, int clientWidth, int clientHeight);

// A monitor as the window system describes it, in screen coordinates: the whole
// screen, and its work area, the part that no task bar covers.
struct MonitorAreas {
    IntRect screen;
    IntRect work;
};

// The frame's place in the game view: the work area itself, its corner and its extent,
// so that nothing of it lies under a task bar on whatever edge that stands; in full
// screen, the whole screen.
IntRect GameFrameRect(const MonitorAreas& monitor, bool fullScreen);

// The page over the whole frame in full screen, in the frame's client coordinates.
IntRect FullScreenPageRect(const MonitorAreas& monitor);

// The maximized place as WM_GETMINMAXINFO takes it: the work area, counted from the
// monitor's top-left corner (the system adds the corner of the monitor the window is
// maximized on).
IntRect MaximizedRect(const MonitorAreas& monitor);

// A screen rectangle as a minimized window's place to restore to takes it (workspace
// coordinates): shifted by the task bar's band at the monitor's left or top edge.
IntRect WorkspaceRect(IntRect screenRect, const MonitorAreas& monitor);

// The landing window centred on a screen, wherever that stands in the virtual screen.
IntRect LandingRect(IntRect screen);

// What a game-view paint does with the buttons before drawing.
enum class BarVisibilityAction { Nothing, ShowBar, HideAll };
BarVisibilityAction PaintVisibilityAction(bool barButtonsShown, bool fullScreen);

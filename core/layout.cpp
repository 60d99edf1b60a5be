#include "layout.h"

namespace {

IntRect Shifted(IntRect r, int dx, int dy) {
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

// How far the work area's corner stands from the screen's: a task bar's width at the
// left edge, its height at the top edge, otherwise nothing.
IntPoint TaskBarBand(const MonitorAreas& monitor) {
    return {monitor.work.left - monitor.screen.left, monitor.work.top - monitor.screen.top};
}

}  // namespace

IntPoint CentredOrigin(int screenWidth, int screenHeight) {
    // C++ integer division truncates toward zero: (768 - 807) / 2 is -19, not -20.
    return {(screenWidth - kLandingWidth) / 2, (screenHeight - kLandingHeight) / 2};
}

IntRect GameBrowserRect(int clientWidth, int clientHeight) {
    return {0, kTitleBarHeight, clientWidth - 1, clientHeight - 1};
}

IntPoint GameButtonPosition(ChromeButton button, int clientWidth) {
    const ChromeButtonSpec& entry = kChromeButtons[button];
    if (entry.offsetFromRight == 0) {
        return {entry.x, entry.y};
    }
    return {clientWidth - entry.offsetFromRight, 0};
}

int TitleTileCount() {
    return (kTitleStripEnd - kLogoWidth + kTitleTileWidth - 1) / kTitleTileWidth;
}

int TitleTileX(int index) {
    return kLogoWidth + kTitleTileWidth * index;
}

HitCode GameHitTest(int x, int y, int clientWidth, int clientHeight) {
    // The bands are deliberately uneven: strict comparisons make the left and top
    // bands five pixels deep and the right and bottom ones four.
    const bool left = x < kResizeBand;
    const bool right = x > clientWidth - kResizeBand;
    const bool top = y < kResizeBand;
    const bool bottom = y > clientHeight - kResizeBand;
    if (left && top) return HitTopLeft;
    if (right && top) return HitTopRight;
    if (left && bottom) return HitBottomLeft;
    if (right && bottom) return HitBottomRight;
    if (left) return HitLeft;
    if (right) return HitRight;
    if (top) return HitTop;
    if (bottom) return HitBottom;
    return HitCaption;
}

IntRect GameFrameRect(const MonitorAreas& monitor, bool fullScreen) {
    return fullScreen ? monitor.screen : monitor.work;
}

IntRect FullScreenPageRect(const MonitorAreas& monitor) {
    return {0, 0, Width(monitor.screen), Height(monitor.screen)};
}

IntRect MaximizedRect(const MonitorAreas& monitor) {
    return Shifted(monitor.work, -monitor.screen.left, -monitor.screen.top);
}

IntRect WorkspaceRect(IntRect screenRect, const MonitorAreas& monitor) {
    const IntPoint band = TaskBarBand(monitor);
    return Shifted(screenRect, -band.x, -band.y);
}

IntRect LandingRect(IntRect screen) {
    const IntPoint origin = CentredOrigin(Width(screen), Height(screen));
    return Shifted({0, 0, kLandingWidth, kLandingHeight}, screen.left + origin.x, screen.top + origin.y);
}

BarVisibilityAction PaintVisibilityAction(bool barButtonsShown, bool fullScreen) {
    if (!barButtonsShown && !fullScreen) return BarVisibilityAction::ShowBar;
    if (barButtonsShown && fullScreen) return BarVisibilityAction::HideAll;
    return BarVisibilityAction::Nothing;
}

#include "layout.h"

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

IntSize GameWindowSize(IntRect workArea) {
    return {workArea.right, workArea.bottom};
}

BarVisibilityAction PaintVisibilityAction(bool barButtonsShown, bool fullScreen) {
    if (!barButtonsShown && !fullScreen) return BarVisibilityAction::ShowBar;
    if (barButtonsShown && fullScreen) return BarVisibilityAction::HideAll;
    return BarVisibilityAction::Nothing;
}

// Plain integer geometry shared by the platform-free logic. Rectangles are
// (left, top, right, bottom) like Windows' RECT.
#pragma once

struct IntPoint {
    int x, y;
};
struct IntSize {
    int width, height;
};
struct IntRect {
    int left, top, right, bottom;
};

inline int Width(IntRect r) {
    return r.right - r.left;
}
inline int Height(IntRect r) {
    return r.bottom - r.top;
}

inline bool operator==(IntPoint a, IntPoint b) {
    return a.x == b.x && a.y == b.y;
}
inline bool operator==(IntSize a, IntSize b) {
    return a.width == b.width && a.height == b.height;
}
inline bool operator==(IntRect a, IntRect b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

#include "himetric.h"

int MulDivRounded(int a, int b, int c) {
    if (c == 0) {
        return -1;
    }
    long long product = static_cast<long long>(a) * b;
    long long divisor = c;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    const long long half = divisor / 2;
    const long long result = product >= 0 ? (product + half) / divisor : (product - half) / divisor;
    if (result > 2147483647LL || result < -2147483647LL) {
        return -1;
    }
    return static_cast<int>(result);
}

IntRect PixelsToHimetric(IntRect pixels, int dpiX, int dpiY) {
    return {MulDivRounded(kHimetricPerInch, pixels.left, dpiX), MulDivRounded(kHimetricPerInch, pixels.top, dpiY),
            MulDivRounded(kHimetricPerInch, pixels.right, dpiX), MulDivRounded(kHimetricPerInch, pixels.bottom, dpiY)};
}

IntSize HimetricExtent(IntRect pixels, int dpiX, int dpiY) {
    const IntRect h = PixelsToHimetric(pixels, dpiX, dpiY);
    return {h.right - h.left, h.bottom - h.top};
}

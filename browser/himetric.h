// Pixel to HIMETRIC (hundredths of a millimetre) conversion, as OLE extents want it.
#pragma once

#include "../core/geometry.h"

inline constexpr int kHimetricPerInch = 2540;

// a * b / c in 64 bits, rounded to the nearest integer with halves away from zero,
// -1 for a zero divisor or a result beyond 32 bits: the rounding Windows' MulDiv does.
int MulDivRounded(int a, int b, int c);

// Each coordinate on its own (x by the horizontal, y by the vertical resolution), so
// the extent of a rectangle is the difference of two rounded values, not the rounded
// width: at 96 DPI (1, 1)-(2, 2) spans 53 - 26 = 27 units, not 26.
IntRect PixelsToHimetric(IntRect pixels, int dpiX, int dpiY);
IntSize HimetricExtent(IntRect pixels, int dpiX, int dpiY);

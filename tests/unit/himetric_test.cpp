#include <gtest/gtest.h>

#include "../../browser/himetric.h"

namespace {

TEST(MulDivRounded, RoundsHalvesAwayFromZeroAndRefusesZeroDivisorsAndOverflow) {
    struct Case {
        int a, b, c, expected;
    } cases[] = {
        {2540, 1, 96, 26},   // 26.46
        {2540, 2, 96, 53},   // 52.92
        {5, 1, 2, 3},        // 2.5 rounds up
        {-5, 1, 2, -3},      // -2.5 rounds away from zero
        {5, -1, 2, -3},
        {5, 1, -2, -3},
        {-5, -1, -2, -3},
        {1, 1, 3, 0},
        {2, 1, 3, 1},
        {7, 0, 3, 0},
        {7, 3, 0, -1},
        {2147483647, 2, 1, -1},  // beyond 32 bits
        {65536, 65536, 65536, 65536},  // the product needs 64 bits
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MulDivRounded(c.a, c.b, c.c), c.expected) << c.a << " * " << c.b << " / " << c.c;
    }
}

TEST(Himetric, ExtentIsTheDifferenceOfRoundedCoordinates) {
    EXPECT_EQ(PixelsToHimetric({1, 1, 2, 2}, 96, 96), (IntRect{26, 26, 53, 53}));
    EXPECT_EQ(HimetricExtent({1, 1, 2, 2}, 96, 96), (IntSize{27, 27}));  // not 26 x 26
    EXPECT_EQ(HimetricExtent({0, 0, 96, 96}, 96, 96), (IntSize{2540, 2540}));
    EXPECT_EQ(HimetricExtent({470, 220, 1056, 663}, 96, 96), (IntSize{15505, 11721}));
}

TEST(Himetric, EachAxisUsesItsOwnResolution) {
    EXPECT_EQ(HimetricExtent({0, 0, 120, 120}, 120, 96), (IntSize{2540, 3175}));
    EXPECT_EQ(HimetricExtent({0, 0, 144, 72}, 144, 72), (IntSize{2540, 2540}));
    EXPECT_EQ(PixelsToHimetric({-300, -300, 300, 300}, 96, 96), (IntRect{-7938, -7938, 7938, 7938}));
}

}  // namespace

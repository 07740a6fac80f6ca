// Picking the most intense or the nearest sample in a window.
#include <gtest/gtest.h>

#include <math.h>

#include "krnumerics.h"

TEST(FindPeak, Choices)
{
    const float x[] = {1, 2, 3, 4, 5, 6, 7};
    const float y[] = {5, 1, 9, 0, 9, 3, 8};
    struct Case {
        const char *what;
        float centre, halfWidth;
        int mostIntense;
        float threshold;
        int expected;
    };
    const Case cases[] = {
        {"nothing in the window", 10, 1, 1, 0, -1},
        {"nothing above the threshold", 4, 3, 1, 10, -1},
        {"nearest of two at equal distance: the first", 4, 1, 0, 2, 2},
        {"most intense of two equal maxima: the first", 4, 3, 1, 2, 2},
        {"most intense: a later, higher sample wins", 6.5f, 1, 1, 0, 6},
        {"most intense: samples beyond the window never count", 1, 1, 1, 0, 0},
        {"lower bound and threshold inclusive", 1.5f, 0.5f, 1, 5, 0},
        {"upper bound inclusive", 0.5f, 0.5f, 1, 5, 0},
        {"a sample below the threshold does not stop the nearest scan", 4.9f, 2, 0, 2, 4},
        {"not a number", NAN, 1, 1, 0, -1},
        {"a threshold that is not a number", 4, 3, 1, NAN, -1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.expected, FindPeak(x, y, 7, c.centre, c.halfWidth, c.mostIntense, c.threshold)) << c.what;
    EXPECT_EQ(-1, FindPeak(x, y, 0, 4, 3, 1, 0));
    EXPECT_EQ(-1, FindPeak(nullptr, y, 7, 4, 3, 1, 0));
}

TEST(FindPeak, NearestScanStopsAtTheFirstSampleNoNearer)
{
    // Out of order on purpose: the nearer third sample is never examined.
    const float x[] = {4.5f, 5.5f, 4.0f};
    const float y[] = {1, 1, 1};
    EXPECT_EQ(0, FindPeak(x, y, 3, 4.1f, 2, 0, 0));
    const float nanY[] = {1, NAN, 2};
    EXPECT_EQ(2, FindPeak(x, nanY, 3, 4.1f, 2, 1, 0)); // NaN intensities never qualify
}

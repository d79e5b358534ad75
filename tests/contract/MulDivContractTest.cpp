// Our rounding against the figures Windows gives, and under Wine against the
// real MulDiv over a grid.
#include <gtest/gtest.h>

#include "engine/MulDiv.h"
#ifdef _WIN32
#include <windows.h>
#endif

namespace {

TEST(MulDivContract, KnownValues)
{
    EXPECT_EQ(MulDiv32(1, 144, 96), 2);
    EXPECT_EQ(MulDiv32(-12, 120, 96), -15);
    EXPECT_EQ(MulDiv32(15, 120, 96), 19);   // 18.75
    EXPECT_EQ(MulDiv32(1, 120, 96), 1);     // 1.25
    EXPECT_EQ(MulDiv32(-1, 144, 96), -2);   // -1.5, away from zero
    EXPECT_EQ(MulDiv32(5, 7, 0), -1);
    EXPECT_EQ(MulDiv32(2147483647, 2, 1), -1);
    EXPECT_EQ(MulDiv32(-9, 96, 72), -12);
}

#ifdef _WIN32
TEST(MulDivContract, MatchesWindowsOnAGrid)
{
    const int as[] = {-2147483647, -100000, -257, -50, -25, -19, -12, -1, 0, 1, 2, 9, 14, 19, 21, 24, 255, 65536, 2147483647};
    const int bs[] = {-192, -96, -3, -1, 0, 1, 3, 72, 96, 120, 144, 192, 65535};
    const int cs[] = {-96, -7, -2, -1, 1, 2, 3, 7, 72, 96, 1000};
    for (int a : as)
        for (int b : bs)
            for (int c : cs) EXPECT_EQ(MulDiv32(a, b, c), ::MulDiv(a, b, c)) << a << " " << b << " " << c;
}
#endif

}  // namespace

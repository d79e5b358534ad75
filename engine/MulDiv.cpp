#include "engine/MulDiv.h"

#include <cstdint>

int MulDiv32(int a, int b, int c)
{
    if (c == 0) return -1;
    std::int64_t multiplicand = a;
    std::int64_t divisor = c;
    if (divisor < 0) {
        multiplicand = -multiplicand;
        divisor = -divisor;
    }
    std::int64_t product = multiplicand * b;
    bool positive = (multiplicand < 0) == (b < 0);
    std::int64_t result = positive ? (product + divisor / 2) / divisor : (product - divisor / 2) / divisor;
    if (result > 2147483647 || result < -2147483647) return -1;
    return static_cast<int>(result);
}

// The owner of a handle whose kind fails with a value other than null, as
// CreateFileW does: that value is held as none and never closed.
#include <gtest/gtest.h>

#include <vector>

#include "platform/ScopedHandle.h"

namespace {
void* const kFailed = reinterpret_cast<void*>(-1);
std::vector<void*> g_closed;

struct MinusOneMeansNone {
    using Handle = void*;
    static bool IsValid(void* handle) { return handle != nullptr && handle != kFailed; }
    static void Close(void* handle) { g_closed.push_back(handle); }
};
using Owner = ScopedHandle<MinusOneMeansNone>;

TEST(ScopedHandle, AFailureValueIsNoneAndEveryRealHandleIsClosedOnce)
{
    int a = 0;
    int b = 0;
    g_closed.clear();
    {
        Owner failed(kFailed);
        EXPECT_FALSE(failed);
        EXPECT_EQ(failed.Get(), nullptr);
        Owner held(&a);
        held.Reset(kFailed);  // closes &a, holds none
        EXPECT_FALSE(held);
        held.Reset(&b);
        Owner moved(std::move(held));
        EXPECT_EQ(moved.Get(), &b);
        Owner given(&a);
        EXPECT_EQ(given.Release(), &a);  // given up: not closed
    }
    EXPECT_EQ(g_closed, (std::vector<void*>{&a, &b}));
}
}  // namespace

// Named mutexes against the sync stand-in and, under Wine, the Win32 adapter.
// Each case says what Windows answers and where Microsoft says so:
//   CreateMutexW   https://learn.microsoft.com/windows/win32/api/synchapi/nf-synchapi-createmutexw
//   ReleaseMutex   https://learn.microsoft.com/windows/win32/api/synchapi/nf-synchapi-releasemutex
//   WaitForSingleObject https://learn.microsoft.com/windows/win32/api/synchapi/nf-synchapi-waitforsingleobject
//   Mutex objects  https://learn.microsoft.com/windows/win32/sync/mutex-objects
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/fake/FakeSync.h"
#include "tests/contract/ContractSupport.h"
#ifdef _WIN32
#include "platform/win32/Win32Platform.h"
#endif

namespace {

struct Implementation {
    const char* name;
    std::function<std::unique_ptr<ISync>()> make;
};

std::vector<Implementation> Implementations()
{
    std::vector<Implementation> list = {{"Stand_in", [] { return std::make_unique<FakeSync>(); }}};
#ifdef _WIN32
    list.push_back({"Win32", [] { return std::make_unique<Win32Sync>(); }});
#endif
    return list;
}

class SyncContract : public ::testing::TestWithParam<Implementation> {
protected:
    void SetUp() override { sync = GetParam().make(); }
    // A name no other case (or earlier run) uses.
    static String16 Name(const char* tag)
    {
        std::string text = std::string("TessalyContract_") + tag + "_" +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name();
        for (char& c : text) {
            if (c == '/') c = '_';
        }
        return String16(text.begin(), text.end());
    }
    // What a wait of another thread of this process answers.
    DWORD WaitElsewhere(HANDLE mutex, DWORD milliseconds, bool release = true)
    {
        DWORD result = 0;
        std::thread other([&] {
            result = sync->Wait(mutex, milliseconds);
            if (release && (result == WAIT_OBJECT_0 || result == WAIT_ABANDONED)) sync->Release(mutex);
        });
        other.join();
        return result;
    }
    std::unique_ptr<ISync> sync;
};

// CreateMutexW: a new named mutex gives no error; a second create of the same
// name opens the same object and GetLastError says ERROR_ALREADY_EXISTS, and
// of an existing mutex bInitialOwner is ignored ("the bInitialOwner parameter
// is ignored" when the object existed).
TEST_P(SyncContract, CreateNewAndExisting)
{
    const String16 name = Name("create");
    DWORD error = 12345;
    HANDLE first = sync->CreateNamedMutex(name.c_str(), false, &error);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(error, 0u);
    HANDLE second = sync->CreateNamedMutex(name.c_str(), true, &error);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    // Not owned by the second create: another thread takes it at once.
    EXPECT_EQ(WaitElsewhere(first, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    sync->Close(second);
    sync->Close(first);

    // Created owned: another thread's wait times out.
    HANDLE owned = sync->CreateNamedMutex(Name("owned").c_str(), true, &error);
    ASSERT_NE(owned, nullptr);
    EXPECT_EQ(error, 0u);
    EXPECT_EQ(WaitElsewhere(owned, 50), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_TRUE(sync->Release(owned));
    sync->Close(owned);
}

// Mutex objects: "The state of a mutex object is signaled when it is not
// owned by any thread", so a wait returns WAIT_OBJECT_0 at once, even with
// a time-out of 0, and the waiter owns it.
TEST_P(SyncContract, AnUnownedMutexIsSignalled)
{
    DWORD error = 0;
    HANDLE mutex = sync->CreateNamedMutex(Name("free").c_str(), false, &error);
    ASSERT_NE(mutex, nullptr);
    EXPECT_EQ(sync->Wait(mutex, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(WaitElsewhere(mutex, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_TRUE(sync->Release(mutex));
    sync->Close(mutex);
}

// Mutex objects: the owning thread may wait again without blocking and must
// release once per wait ("the thread must call ReleaseMutex once for each
// time that the mutex satisfied a wait"); until then other threads wait.
TEST_P(SyncContract, OwnershipIsRecursive)
{
    DWORD error = 0;
    HANDLE mutex = sync->CreateNamedMutex(Name("recursive").c_str(), true, &error);
    ASSERT_NE(mutex, nullptr);
    EXPECT_EQ(sync->Wait(mutex, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_TRUE(sync->Release(mutex));
    EXPECT_EQ(WaitElsewhere(mutex, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_TRUE(sync->Release(mutex));
    EXPECT_EQ(WaitElsewhere(mutex, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    sync->Close(mutex);
}

// ReleaseMutex: "fails if the calling thread does not own the mutex object"
// (ERROR_NOT_OWNER): neither a thread that never took it nor one that
// released it already.
TEST_P(SyncContract, OnlyTheOwnerReleases)
{
    DWORD error = 0;
    HANDLE mutex = sync->CreateNamedMutex(Name("owner").c_str(), false, &error);
    ASSERT_NE(mutex, nullptr);
    EXPECT_FALSE(sync->Release(mutex));
    ASSERT_EQ(sync->Wait(mutex, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    BOOL releasedElsewhere = TRUE;
    std::thread other([&] { releasedElsewhere = sync->Release(mutex); });
    other.join();
    EXPECT_FALSE(releasedElsewhere);
    EXPECT_TRUE(sync->Release(mutex));
    EXPECT_FALSE(sync->Release(mutex));
    sync->Close(mutex);
}

// WaitForSingleObject: a mutex whose owning thread ended without releasing
// it is abandoned; the next wait returns WAIT_ABANDONED and "ownership of
// the mutex object is granted to the calling thread".
TEST_P(SyncContract, AThreadThatEndsAbandonsWhatItOwns)
{
    DWORD error = 0;
    HANDLE mutex = sync->CreateNamedMutex(Name("abandoned").c_str(), false, &error);
    ASSERT_NE(mutex, nullptr);
    EXPECT_EQ(WaitElsewhere(mutex, 0, false), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(sync->Wait(mutex, 1000), static_cast<DWORD>(WAIT_ABANDONED));
    EXPECT_EQ(WaitElsewhere(mutex, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_TRUE(sync->Release(mutex));
    EXPECT_EQ(sync->Wait(mutex, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_TRUE(sync->Release(mutex));
    sync->Close(mutex);
}

INSTANTIATE_CONTRACT(SyncContract, Implementations());

}  // namespace

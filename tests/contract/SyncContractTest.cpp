// Named mutexes against the sync stand-in and, under Wine, the Win32 adapter.
// Each case says what Windows answers and where Microsoft says so:
//   CreateMutexW   https://learn.microsoft.com/windows/win32/api/synchapi/nf-synchapi-createmutexw
//   ReleaseMutex   https://learn.microsoft.com/windows/win32/api/synchapi/nf-synchapi-releasemutex
//   WaitForSingleObject https://learn.microsoft.com/windows/win32/api/synchapi/nf-synchapi-waitforsingleobject
//   Mutex objects  https://learn.microsoft.com/windows/win32/sync/mutex-objects
#include <string>
#include <thread>

#include "platform/fake/FakeSync.h"
#include "tests/contract/ContractSupport.h"

namespace {

class SyncContract : public ContractTest<ISync> {
protected:
    // A name no other case (or earlier run) uses.
    static String16 MutexName(const char* tag)
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
            result = subject->Wait(mutex, milliseconds);
            if (release && (result == WAIT_OBJECT_0 || result == WAIT_ABANDONED)) subject->Release(mutex);
        });
        other.join();
        return result;
    }
};

// CreateMutexW: a new named mutex gives no error; a second create of the same
// name opens the same object and GetLastError says ERROR_ALREADY_EXISTS, and
// of an existing mutex bInitialOwner is ignored ("the bInitialOwner parameter
// is ignored" when the object existed).
TEST_P(SyncContract, CreateNewAndExisting)
{
    const String16 name = MutexName("create");
    DWORD error = 12345;
    HANDLE first = subject->CreateNamedMutex(name.c_str(), false, &error);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(error, 0u);
    HANDLE second = subject->CreateNamedMutex(name.c_str(), true, &error);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    // Not owned by the second create: another thread takes it at once.
    EXPECT_EQ(WaitElsewhere(first, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    subject->Close(second);
    subject->Close(first);

    // Created owned: another thread's wait times out.
    HANDLE owned = subject->CreateNamedMutex(MutexName("owned").c_str(), true, &error);
    ASSERT_NE(owned, nullptr);
    EXPECT_EQ(error, 0u);
    EXPECT_EQ(WaitElsewhere(owned, 50), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_TRUE(subject->Release(owned));
    subject->Close(owned);
}

// Mutex objects: "The state of a mutex object is signaled when it is not
// owned by any thread", so a wait returns WAIT_OBJECT_0 at once, even with
// a time-out of 0, and the waiter owns it.
TEST_P(SyncContract, AnUnownedMutexIsSignalled)
{
    DWORD error = 0;
    HANDLE mutex = subject->CreateNamedMutex(MutexName("free").c_str(), false, &error);
    ASSERT_NE(mutex, nullptr);
    EXPECT_EQ(subject->Wait(mutex, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(WaitElsewhere(mutex, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_TRUE(subject->Release(mutex));
    subject->Close(mutex);
}

// Mutex objects: the owning thread may wait again without blocking and must
// release once per wait ("the thread must call ReleaseMutex once for each
// time that the mutex satisfied a wait"); until then other threads wait.
TEST_P(SyncContract, OwnershipIsRecursive)
{
    DWORD error = 0;
    HANDLE mutex = subject->CreateNamedMutex(MutexName("recursive").c_str(), true, &error);
    ASSERT_NE(mutex, nullptr);
    EXPECT_EQ(subject->Wait(mutex, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_TRUE(subject->Release(mutex));
    EXPECT_EQ(WaitElsewhere(mutex, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_TRUE(subject->Release(mutex));
    EXPECT_EQ(WaitElsewhere(mutex, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    subject->Close(mutex);
}

// ReleaseMutex: "fails if the calling thread does not own the mutex object":
// neither a thread that never took it, nor another thread while it is
// owned, nor one that released it already. GetLastError then gives
// ERROR_NOT_OWNER on the thread that tried (not documented; Windows' known
// answer).
TEST_P(SyncContract, OnlyTheOwnerReleases)
{
    DWORD error = 0;
    HANDLE mutex = subject->CreateNamedMutex(MutexName("owner").c_str(), false, &error);
    ASSERT_NE(mutex, nullptr);
    EXPECT_FALSE(subject->Release(mutex));
    EXPECT_EQ(subject->LastError(), static_cast<DWORD>(ERROR_NOT_OWNER));
    ASSERT_EQ(subject->Wait(mutex, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    BOOL releasedElsewhere = TRUE;
    DWORD errorElsewhere = 0;
    std::thread other([&] {
        releasedElsewhere = subject->Release(mutex);
        errorElsewhere = subject->LastError();
    });
    other.join();
    EXPECT_FALSE(releasedElsewhere);
    EXPECT_EQ(errorElsewhere, static_cast<DWORD>(ERROR_NOT_OWNER));
    EXPECT_TRUE(subject->Release(mutex));
    EXPECT_FALSE(subject->Release(mutex));
    EXPECT_EQ(subject->LastError(), static_cast<DWORD>(ERROR_NOT_OWNER));
    subject->Close(mutex);
}

// WaitForSingleObject: a mutex whose owning thread ended without releasing
// it is abandoned; the next wait returns WAIT_ABANDONED and "ownership of
// the mutex object is granted to the calling thread".
TEST_P(SyncContract, AThreadThatEndsAbandonsWhatItOwns)
{
    DWORD error = 0;
    HANDLE mutex = subject->CreateNamedMutex(MutexName("abandoned").c_str(), false, &error);
    ASSERT_NE(mutex, nullptr);
    EXPECT_EQ(WaitElsewhere(mutex, 0, false), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(subject->Wait(mutex, 1000), static_cast<DWORD>(WAIT_ABANDONED));
    EXPECT_EQ(WaitElsewhere(mutex, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_TRUE(subject->Release(mutex));
    EXPECT_EQ(subject->Wait(mutex, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_TRUE(subject->Release(mutex));
    subject->Close(mutex);
}

// A handle already closed names no mutex: WaitForSingleObject gives
// WAIT_FAILED ("To get extended error information, call GetLastError") and
// ReleaseMutex fails, each with ERROR_INVALID_HANDLE (not documented;
// Windows' known answer).
TEST_P(SyncContract, AClosedHandleNamesNoMutex)
{
    DWORD error = 0;
    HANDLE mutex = subject->CreateNamedMutex(MutexName("closed").c_str(), false, &error);
    ASSERT_NE(mutex, nullptr);
    subject->Close(mutex);
    EXPECT_EQ(subject->Wait(mutex, 0), static_cast<DWORD>(WAIT_FAILED));
    EXPECT_EQ(subject->LastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(subject->Release(mutex));
    EXPECT_EQ(subject->LastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

INSTANTIATE_CONTRACT(SyncContract, FakeSync, Win32Sync);

}  // namespace

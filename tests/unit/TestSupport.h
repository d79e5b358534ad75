// Shared fixture: the stand-in platform and one application object.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/CorvelChg.h"
#include "platform/Text.h"
#include "platform/fake/FakePlatform.h"

// The stand-in platform and what its log file says.
class FakeTest : public ::testing::Test {
protected:
    // The log file as text, and its messages without the time-stamp prefix.
    String16 LogText() const;
    std::vector<std::string> Messages() const;
    // How many messages equal text.
    int CountMessage(const std::string& text) const;

    FakePlatform fake;
};

// A run context without an application object, for the layers below it.
class RunTest : public FakeTest {
protected:
    // Logging on, as with "/CreateLog".
    void EnableLog();

    CRunContext run;
};

// One application object, the run context and settings store of the tool.
class AppTest : public FakeTest {
protected:
    // Logging on, as with "/CreateLog".
    void EnableLog();

    CCorvelChgApp app;
};

std::string U8(StringView16 text);
// A log object for a run context; the metrics dumps that "/CreateLog" also
// turns on stay off.
void EnableLogOn(CRunContext& run);
// The log file of a stand-in platform as text.
String16 LogTextOf(const FakePlatform& platform);
// Another process's change, as a thread of the test: it holds the named
// mutex, once the caller waits for it does its work, then releases it. The
// mutex is held when this returns; join the thread after the wait.
std::thread HoldUntilWaitedFor(FakeSync& sync, const char16_t* name, std::function<void()> work);

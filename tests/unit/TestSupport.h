// Shared fixture: the stand-in platform and one application object.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/CorvelChg.h"
#include "platform/Text.h"
#include "platform/fake/FakePlatform.h"

class AppTest : public ::testing::Test {
protected:
    // Logging on, as with "/CreateLog".
    void EnableLog();
    // The log file as text, and its messages without the time-stamp prefix.
    String16 LogText() const;
    std::vector<std::string> Messages() const;
    // How many messages equal text.
    int CountMessage(const std::string& text) const;

    FakePlatform fake;
    CCorvelChgApp app;
};

std::string U8(StringView16 text);
// A log object for an application object; the metrics dumps that
// "/CreateLog" also turns on stay off.
void EnableLogOn(CCorvelChgApp& app);
// The log file of a stand-in platform as text.
String16 LogTextOf(const FakePlatform& platform);

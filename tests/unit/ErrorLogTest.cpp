#include "tests/unit/TestSupport.h"

namespace {

std::vector<BYTE> Utf16Bytes(StringView16 text)
{
    std::vector<BYTE> bytes;
    for (char16_t c : text) {
        bytes.push_back(static_cast<BYTE>(c & 0xFF));
        bytes.push_back(static_cast<BYTE>(c >> 8));
    }
    return bytes;
}

const String16 kSeparator = String16(75, u'-') + u"\r\n";

class ErrorLogTest : public AppTest {};

TEST_F(ErrorLogTest, ExactBytesOfARun)
{
    {
        CErrorLog log(TRUE);
        log.OpenLog();
        log.WriteLog(u"CCorvelChgApp::GetProfileFromReg unknow mode : %d.", -3);
        log.WriteLog(u"two\r\nlines");
    }
    String16 expected = u"[12/06 14:22:05][CorvelChg.exe]CCorvelChgApp::GetProfileFromReg unknow mode : -3.\r\n"
                        u"[12/06 14:22:05][CorvelChg.exe]two\r\nlines\r\n" +
                        kSeparator;
    std::vector<BYTE> bytes = fake.files.Contents(kLogPath);
    EXPECT_EQ(bytes, Utf16Bytes(expected));
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], '[');  // no byte-order mark
    EXPECT_EQ(bytes[1], 0);
    EXPECT_EQ(fake.files.OpenCount(), 0);
}

// Another run ended while it held the write lock: the line is written and
// the lock, now this run's, released.
TEST_F(ErrorLogTest, AbandonedWriteLockIsTakenOverAndReleased)
{
    fake.sync.HoldElsewhere(u"CorvelChangeMutex_Log");
    fake.sync.abandonedElsewhere = true;
    {
        CErrorLog log(TRUE);
        log.OpenLog();
        log.WriteLog(u"one");
    }
    EXPECT_EQ(fake.sync.releases, 2);  // the line and the separator
    EXPECT_EQ(LogText(), u"[12/06 14:22:05][CorvelChg.exe]one\r\n" + kSeparator);
}

TEST_F(ErrorLogTest, AppendsToAnExistingLog)
{
    fake.files.SetContents(kLogPath, Utf16Bytes(u"old\r\n"));
    {
        CErrorLog log(TRUE);
        log.OpenLog();
        log.WriteLog(u"new");
    }
    EXPECT_EQ(LogText(), u"old\r\n[12/06 14:22:05][CorvelChg.exe]new\r\n" + kSeparator);
}

TEST_F(ErrorLogTest, DisabledLogTouchesNothing)
{
    {
        CErrorLog log(FALSE);
        log.OpenLog();
        log.WriteLog(u"x");
    }
    EXPECT_FALSE(fake.files.Exists(kLogPath));
    EXPECT_EQ(fake.files.opens, 0);
}

TEST_F(ErrorLogTest, OpenFailureWarnsOnceThenSilence)
{
    fake.files.openError = ERROR_ACCESS_DENIED;
    {
        CErrorLog log(TRUE);
        log.OpenLog();
        log.WriteLog(u"a");
        log.WriteLog(u"b");
        EXPECT_FALSE(log.m_bLogEnabled);
    }
    ASSERT_EQ(fake.windows.boxes.size(), 1u);
    const auto& box = fake.windows.boxes[0];
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(U8(box.text), "Cannot open the Logfile[C:\\Users\\Public\\CorvelChg.log].: Access is denied.");
    EXPECT_EQ(U8(box.caption), "LogFileError");
    EXPECT_EQ(box.type, MB_ICONWARNING);
    EXPECT_FALSE(fake.files.Exists(kLogPath));
}

// A code the system has no text for (FormatMessageW fails for it).
TEST_F(ErrorLogTest, OpenFailureWithoutDescriptionShowsNothing)
{
    fake.files.openError = 0x2000DEADu;
    CErrorLog log(TRUE);
    log.OpenLog();
    EXPECT_TRUE(fake.windows.boxes.empty());
}

TEST_F(ErrorLogTest, WriteFailureStopsLoggingWithoutSeparator)
{
    fake.files.writesBeforeFailure = 1;
    {
        CErrorLog log(TRUE);
        log.OpenLog();
        log.WriteLog(u"first");
        log.WriteLog(u"second");
        EXPECT_FALSE(log.m_bLogEnabled);
        EXPECT_EQ(fake.files.OpenCount(), 0);  // closed at once
        log.WriteLog(u"third");
    }
    EXPECT_EQ(LogText(), u"[12/06 14:22:05][CorvelChg.exe]first\r\n");
    EXPECT_EQ(fake.files.writes, 1);
    EXPECT_TRUE(fake.windows.boxes.empty());
}

TEST_F(ErrorLogTest, UnknownTimeGivesEmptyStamp)
{
    fake.clock.fail = true;
    {
        CErrorLog log(TRUE);
        log.OpenLog();
        log.WriteLog(u"x");
    }
    EXPECT_EQ(LogText(), u"[][CorvelChg.exe]x\r\n" + kSeparator);
}

TEST_F(ErrorLogTest, StampHasTwoDigitFields)
{
    fake.clock.now = LocalTime{1, 2, 3, 4, 5};
    {
        CErrorLog log(TRUE);
        log.OpenLog();
        log.WriteLog(u"x");
    }
    EXPECT_EQ(LogText().substr(0, 16), u"[01/02 03:04:05]");
}

}  // namespace

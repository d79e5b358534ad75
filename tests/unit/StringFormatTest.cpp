#include <gtest/gtest.h>

#include "fw/StringFormat.h"
#include "platform/Text.h"

namespace {

std::string F(String16 text) { return Utf16To8(text); }

TEST(StringFormat, NumbersAndTexts)
{
    EXPECT_EQ(F(Format(u"code: %d", -5)), "code: -5");
    EXPECT_EQ(F(Format(u"%d", 0xFFFFFFFFu)), "-1");  // a UINT blink time of "no blink"
    EXPECT_EQ(F(Format(u"%u", 0xFFFFFFFFu)), "4294967295");
    EXPECT_EQ(F(Format(u"%d", static_cast<std::int32_t>(0x8007007A))), "-2147024774");
    EXPECT_EQ(F(Format(u"[%s][%s.exe]", u"12/06 14:22:05", String16(u"CorvelChg"))), "[12/06 14:22:05][CorvelChg.exe]");
    EXPECT_EQ(F(Format(u"100%% %s", u"設定①")), "100% 設定①");
}

TEST(StringFormat, TextArgumentsAreNeverFormats)
{
    // A profile name from the registry that looks like a directive stays as it is.
    EXPECT_EQ(F(Format(u"「%s」", u"%s%d%n")), "「%s%d%n」");
}

TEST(StringFormat, MismatchesAreHarmless)
{
    EXPECT_EQ(F(Format(u"%s and %d")), "%s and %d");           // no arguments
    EXPECT_EQ(F(Format(u"%d|%s", u"text", 7)), "0|");           // wrong kinds
    EXPECT_EQ(F(Format(u"%x %", 1)), "%x %");                   // unknown directive, trailing percent
    EXPECT_EQ(F(Format(u"%s", static_cast<const char16_t*>(nullptr))), "");
}

TEST(StringFormat, SignedDecimalAsRadix10)
{
    EXPECT_EQ(F(SignedDecimal(600)), "600");
    EXPECT_EQ(F(SignedDecimal(4294967295LL)), "-1");
    EXPECT_EQ(F(SignedDecimal(0)), "0");
}

}  // namespace

// The string table that the program carries in its resources and the one the
// stand-in reads from the resource script must be the same, text for text.
#include <gtest/gtest.h>

#include "platform/fake/FakeStrings.h"
#ifdef _WIN32
#include "platform/win32/Win32Platform.h"
#endif

namespace {

TEST(StringTableContract, EveryQuotedIdIsPresent)
{
    FakeStrings strings;
    for (UINT id : {10001u, 10004u, 10006u, 10007u, 10008u, 10009u, 10013u, 10014u, 10015u, 10016u, 10017u, 10018u,
                    10019u, 10020u, 10022u, 10023u, 10024u, 10025u, 10028u, 10029u, 10030u, 10031u, 10032u, 10035u,
                    10036u, 10037u, 10038u, 10039u, 10040u, 10041u, 10042u, 10044u, 10045u, 10046u, 10047u, 10048u,
                    10049u, 10050u, 10051u, 10054u, 10055u, 10056u, 10057u, 10058u, 10059u, 10060u, 10061u, 10062u,
                    10063u, 10064u, 10065u, 10066u}) {
        EXPECT_TRUE(strings.table.count(id)) << id;
    }
    EXPECT_EQ(strings.table.at(10004).find(u"\n\n"), 33u);
    EXPECT_EQ(strings.table.at(10017).substr(0, 2), u"\u3000・");
}

#ifdef _WIN32
// LoadStringW returns "Zero if the string resource does not exist"; the text
// of each id is the script's, and where there is none both give the same
// error (ERROR_RESOURCE_NAME_NOT_FOUND from the stand-in; not
// documented; Windows' known answer).
//   LoadStringW https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-loadstringw
TEST(StringTableContract, ResourcesMatchTheScript)
{
    FakeStrings script;
    Win32Strings resources;
    for (UINT id = 10000; id <= 10100; ++id) {
        char16_t fromScript[260] = {};
        char16_t fromResources[260] = {};
        DWORD error1 = 0, error2 = 0;
        int n1 = script.LoadText(id, fromScript, 260, &error1);
        int n2 = resources.LoadText(id, fromResources, 260, &error2);
        EXPECT_EQ(n1, n2) << id;
        EXPECT_EQ(String16(fromScript), String16(fromResources)) << id;
        if (n1 == 0) {
            EXPECT_EQ(error1, error2) << id;
        }
    }
}
#endif

}  // namespace

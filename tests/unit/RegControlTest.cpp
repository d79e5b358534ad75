#include <algorithm>
#include <cstring>
#include <iterator>

#include "settings/RegControl.h"
#include "tests/unit/TestSupport.h"

namespace {

constexpr char16_t kKey[] = u"Software\\Test";

class RegControlTest : public RunTest {
protected:
    void SetUp() override { EnableLog(); }
    void TearDown() override { EXPECT_EQ(fake.registry.OpenHandleCount(), 0) << "a key was left open"; }
};

struct DwordCase {
    const char* name;
    DWORD type;
    std::vector<BYTE> data;
    LONG result;
    int typeLines;  // "RegReadDword error" lines expected
};

TEST_F(RegControlTest, ReadDwordOutcomes)
{
    const DwordCase cases[] = {
        {"dword", REG_DWORD, {0x78, 0, 0, 0}, 0, 0},
        {"string of 4 bytes", REG_SZ, {'1', 0, 0, 0}, 87, 1},
        {"binary of 4 bytes", REG_BINARY, {0x78, 0, 0, 0}, 87, 1},
        {"8 bytes", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}, 234, 0},
        {"long string", REG_SZ, {'1', 0, '2', 0, '0', 0, 0, 0}, 234, 0},
        {"empty dword", REG_DWORD, {}, 87, 1},
        {"two-byte dword", REG_DWORD, {0x78, 0}, 87, 1},
    };
    for (const DwordCase& c : cases) {
        SCOPED_TRACE(c.name);
        fake.registry.Put(HKEY_CURRENT_USER, kKey, u"v", c.type, c.data);
        DWORD value = 96;
        LONG before = CountMessage("RegReadDword error, file: .\\RegControl, line: 29, code: 87.");
        EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, kKey, u"V", &value), c.result);
        EXPECT_EQ(CountMessage("RegReadDword error, file: .\\RegControl, line: 29, code: 87.") - before, c.typeLines);
        // Data of another type never reaches the caller.
        EXPECT_EQ(value, c.result == 0 ? 0x78u : 96u);
    }
}

TEST_F(RegControlTest, MissingKeyOrValueLogsNothing)
{
    DWORD value = 7;
    char16_t text[8] = {};
    EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, kKey, u"v", &value), 2);
    EXPECT_EQ(RegReadStr(HKEY_CURRENT_USER, kKey, u"v", text, sizeof(text)), 2);
    fake.registry.PutDword(HKEY_CURRENT_USER, kKey, u"other", 1);
    EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, kKey, u"v", &value), 2);
    EXPECT_EQ(value, 7u);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(RegControlTest, ReadStrTypeAndSize)
{
    char16_t text[8] = {};
    fake.registry.PutString(HKEY_CURRENT_USER, kKey, u"expand", u"%SystemRoot%", REG_EXPAND_SZ);
    EXPECT_EQ(RegReadStr(HKEY_CURRENT_USER, kKey, u"expand", text, sizeof(text)), 234);  // too long for 16 bytes
    fake.registry.PutString(HKEY_CURRENT_USER, kKey, u"expand", u"%a%", REG_EXPAND_SZ);
    std::fill(std::begin(text), std::end(text), u'Z');
    EXPECT_EQ(RegReadStr(HKEY_CURRENT_USER, kKey, u"expand", text, sizeof(text)), 87);
    EXPECT_EQ(CountMessage("RegReadStr error, file: .\\RegControl, line: 84, code: 87."), 1);
    // A failed read leaves the caller's buffer as it was.
    EXPECT_EQ(String16(text, 8), u"ZZZZZZZZ");
    fake.registry.Put(HKEY_CURRENT_USER, kKey, u"bin", REG_BINARY, {'x', 0, 'y', 0, 0, 0});
    EXPECT_EQ(RegReadStr(HKEY_CURRENT_USER, kKey, u"bin", text, sizeof(text)), 87);
    EXPECT_EQ(String16(text, 8), u"ZZZZZZZZ");

    fake.registry.PutString(HKEY_CURRENT_USER, kKey, u"sz", u"abc");
    std::memset(text, 0, sizeof(text));
    EXPECT_EQ(RegReadStr(HKEY_CURRENT_USER, kKey, u"SZ", text, sizeof(text)), 0);
    EXPECT_EQ(String16(text), u"abc");
}

TEST_F(RegControlTest, WritesCreateKeysAndStoreExactBytes)
{
    EXPECT_EQ(RegWriteDword(HKEY_CURRENT_USER, u"Software\\New\\Deep", u"Mode", 4), 0);
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(fake.registry.Get(HKEY_CURRENT_USER, u"Software\\New\\Deep", u"mode", &type, &data));
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(data, (std::vector<BYTE>{4, 0, 0, 0}));

    EXPECT_EQ(RegWriteStr(HKEY_CURRENT_USER, kKey, u"s", REG_EXPAND_SZ, u"-1"), 0);
    ASSERT_TRUE(fake.registry.Get(HKEY_CURRENT_USER, kKey, u"s", &type, &data));
    EXPECT_EQ(type, REG_EXPAND_SZ);
    EXPECT_EQ(data, (std::vector<BYTE>{'-', 0, '1', 0, 0, 0}));
}

TEST_F(RegControlTest, RefusedWritesAndDeletes)
{
    fake.registry.SetFault([](FakeRegistry::Op op, const String16&, const String16&) {
        return op == FakeRegistry::Op::Create ? 5 : 0;
    });
    EXPECT_EQ(RegWriteDword(HKEY_CURRENT_USER, kKey, u"v", 1), 5);
    EXPECT_EQ(RegWriteStr(HKEY_CURRENT_USER, kKey, u"v", REG_SZ, u"x"), 5);
    fake.registry.SetFault(nullptr);

    EXPECT_EQ(RegDeleteValue(HKEY_CURRENT_USER, kKey, u"v"), 2);  // no key
    fake.registry.PutDword(HKEY_CURRENT_USER, kKey, u"v", 1);
    EXPECT_EQ(RegDeleteValue(HKEY_CURRENT_USER, kKey, u"V"), 0);
    EXPECT_EQ(RegDeleteValue(HKEY_CURRENT_USER, kKey, u"v"), 2);  // already gone
    EXPECT_TRUE(Messages().empty());
}

TEST_F(RegControlTest, NoLogObjectSameResult)
{
    delete run.m_pErrorLog;
    run.m_pErrorLog = nullptr;
    fake.registry.PutString(HKEY_CURRENT_USER, kKey, u"v", u"1");
    DWORD value = 0;
    EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, kKey, u"v", &value), 87);
}

}  // namespace

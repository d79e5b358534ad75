// The same expectations against the registry stand-in and, under Wine,
// against the real registry: any difference between them fails here.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "platform/fake/FakeRegistry.h"
#ifdef _WIN32
#include "platform/win32/Win32Platform.h"
#endif

namespace {

struct Implementation {
    const char* name;
    std::function<std::unique_ptr<IRegistry>()> make;
};

std::vector<Implementation> Implementations()
{
    std::vector<Implementation> list = {{"Stand_in", [] { return std::make_unique<FakeRegistry>(); }}};
#ifdef _WIN32
    list.push_back({"Win32", [] { return std::make_unique<Win32Registry>(); }});
#endif
    return list;
}

class RegistryContract : public ::testing::TestWithParam<Implementation> {
protected:
    void SetUp() override
    {
        registry = GetParam().make();
        key = String16(u"Software\\TessalyContract\\") + String16(GetParam().name[0] == 'S' ? u"S\\" : u"W\\") +
              Utf16(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    static String16 Utf16(const char* text)
    {
        String16 out;
        while (*text) out += static_cast<char16_t>(*text++);
        return out;
    }
    void Set(const char16_t* name, DWORD type, const void* data, DWORD size)
    {
        ScopedRegKey k(*registry);
        ASSERT_EQ(k.Create(HKEY_CURRENT_USER, key.c_str()), 0);
        ASSERT_EQ(registry->SetValue(k.Get(), name, type, static_cast<const BYTE*>(data), size), 0);
    }
    LONG Query(const char16_t* name, DWORD* type, void* data, DWORD* size, const String16& path = String16())
    {
        ScopedRegKey k(*registry);
        LONG result = k.Open(HKEY_CURRENT_USER, (path.empty() ? key : path).c_str(), KEY_READ);
        if (result) return result;
        return registry->QueryValue(k.Get(), name, type, static_cast<BYTE*>(data), size);
    }

    std::unique_ptr<IRegistry> registry;
    String16 key;
};

TEST_P(RegistryContract, NamesCompareWithoutCase)
{
    DWORD four = 4;
    Set(u"Mode", REG_DWORD, &four, 4);
    DWORD type = 0, value = 0, size = 4;
    EXPECT_EQ(Query(u"mode", &type, &value, &size), 0);
    EXPECT_EQ(value, 4u);
    String16 upper = key;
    for (auto& c : upper) c = (c >= u'a' && c <= u'z') ? c - 32 : c;
    size = 4;
    EXPECT_EQ(Query(u"MODE", &type, &value, &size, upper), 0);
}

TEST_P(RegistryContract, MissingKeyAndValueGiveFileNotFound)
{
    DWORD type = 0, value = 0, size = 4;
    EXPECT_EQ(Query(u"x", &type, &value, &size), 2);
    Set(u"other", REG_DWORD, &value, 4);
    EXPECT_EQ(Query(u"x", &type, &value, &size), 2);
}

TEST_P(RegistryContract, TypeIsReportedAsStored)
{
    const char16_t text[] = u"1";
    Set(u"s", REG_SZ, text, 4);
    DWORD type = 0, value = 0, size = 4;
    EXPECT_EQ(Query(u"s", &type, &value, &size), 0);
    EXPECT_EQ(type, REG_SZ);
    const char16_t expand[] = u"%SystemRoot%\\x";
    Set(u"e", REG_EXPAND_SZ, expand, sizeof(expand));
    char16_t buffer[64] = {};
    size = sizeof(buffer);
    EXPECT_EQ(Query(u"e", &type, buffer, &size), 0);
    EXPECT_EQ(type, REG_EXPAND_SZ);
    EXPECT_EQ(String16(buffer), expand);  // not expanded
}

TEST_P(RegistryContract, LargerValueThanBufferGivesMoreData)
{
    unsigned long long eight = 0x1122334455667788ull;
    Set(u"q", REG_QWORD, &eight, 8);
    DWORD type = 0, value = 0xAAAAAAAA, size = 4;
    EXPECT_EQ(Query(u"q", &type, &value, &size), 234);
    EXPECT_EQ(size, 8u);
    EXPECT_EQ(type, REG_QWORD);
}

TEST_P(RegistryContract, StringOf520BytesWithoutTerminatorIsReturnedAsStored)
{
    // Windows counts a terminator the caller left out when one follows the
    // data, so the character after the 520 bytes must not be one.
    std::vector<char16_t> text(261, u'あ');
    Set(u"ProfilesName", REG_SZ, text.data(), 520);
    std::vector<char16_t> buffer(261, u'\0');
    DWORD type = 0, size = 520;
    EXPECT_EQ(Query(u"ProfilesName", &type, buffer.data(), &size), 0);
    EXPECT_EQ(size, 520u);
    EXPECT_EQ(std::memcmp(buffer.data(), text.data(), 520), 0);
    EXPECT_EQ(buffer[260], u'\0');  // nothing written past the 520 bytes asked for
    size = 518;
    EXPECT_EQ(Query(u"ProfilesName", &type, buffer.data(), &size), 234);
}

TEST_P(RegistryContract, StringsKeepTheByteCountGiven)
{
    const char16_t text[] = u"ab";
    Set(u"odd", REG_SZ, text, 3);
    DWORD type = 0, size = 0;
    EXPECT_EQ(Query(u"odd", &type, nullptr, &size), 0);
    EXPECT_EQ(size, 3u);
    Set(u"empty", REG_EXPAND_SZ, u"", 2);
    EXPECT_EQ(Query(u"empty", &type, nullptr, &size), 0);
    EXPECT_EQ(size, 2u);
}

TEST_P(RegistryContract, CreateMakesParentsAndTrailingBackslashNamesTheSameKey)
{
    String16 deep = key + u"\\a\\b";
    ScopedRegKey k(*registry);
    ASSERT_EQ(k.Create(HKEY_CURRENT_USER, deep.c_str()), 0);
    DWORD one = 1;
    ASSERT_EQ(registry->SetValue(k.Get(), u"v", REG_DWORD, reinterpret_cast<BYTE*>(&one), 4), 0);
    ScopedRegKey parent(*registry);
    EXPECT_EQ(parent.Open(HKEY_CURRENT_USER, (key + u"\\a").c_str(), KEY_READ), 0);
    DWORD type = 0, value = 0, size = 4;
    EXPECT_EQ(Query(u"v", &type, &value, &size, deep + u"\\"), 0);
    EXPECT_EQ(value, 1u);
}

TEST_P(RegistryContract, DeleteValue)
{
    DWORD one = 1;
    Set(u"v", REG_DWORD, &one, 4);
    ScopedRegKey k(*registry);
    ASSERT_EQ(k.Open(HKEY_CURRENT_USER, key.c_str(), KEY_ALL_ACCESS), 0);
    EXPECT_EQ(registry->DeleteValue(k.Get(), u"V"), 0);
    EXPECT_EQ(registry->DeleteValue(k.Get(), u"v"), 2);
}

TEST_P(RegistryContract, DefaultValueHasTheEmptyName)
{
    const char16_t text[] = u"Windows 標準";
    Set(u"", REG_SZ, text, sizeof(text));
    char16_t buffer[32] = {};
    DWORD type = 0, size = sizeof(buffer);
    EXPECT_EQ(Query(u"", &type, buffer, &size), 0);
    EXPECT_EQ(String16(buffer), text);
}

INSTANTIATE_TEST_SUITE_P(Registry, RegistryContract, ::testing::ValuesIn(Implementations()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

// The registry calls against the registry stand-in and, under Wine, the
// real registry: any difference between them fails here.
//   Structure of the Registry https://learn.microsoft.com/windows/win32/sysinfo/structure-of-the-registry
//   RegOpenKeyExW     https://learn.microsoft.com/windows/win32/api/winreg/nf-winreg-regopenkeyexw
//   RegCreateKeyW     https://learn.microsoft.com/windows/win32/api/winreg/nf-winreg-regcreatekeyw
//   RegQueryValueExW  https://learn.microsoft.com/windows/win32/api/winreg/nf-winreg-regqueryvalueexw
//   RegSetValueExW    https://learn.microsoft.com/windows/win32/api/winreg/nf-winreg-regsetvalueexw
//   RegDeleteValueW   https://learn.microsoft.com/windows/win32/api/winreg/nf-winreg-regdeletevaluew
//   RegFlushKey       https://learn.microsoft.com/windows/win32/api/winreg/nf-winreg-regflushkey
#include <cstring>
#include <vector>

#include "platform/fake/FakeRegistry.h"
#include "tests/contract/ContractSupport.h"

namespace {

// Each case writes under a key of its own, one for each implementation.
class RegistryContract : public ContractTest<IRegistry> {
protected:
    void SetUp() override
    {
        key = String16(u"Software\\TessalyContract\\") + String16(IsStandIn() ? u"S\\" : u"W\\") +
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
        ScopedRegKey k(*subject);
        ASSERT_EQ(k.Create(HKEY_CURRENT_USER, key.c_str()), 0);
        ASSERT_EQ(subject->SetValue(k.Get(), name, type, static_cast<const BYTE*>(data), size), 0);
    }
    LONG Query(const char16_t* name, DWORD* type, void* data, DWORD* size, const String16& path = String16())
    {
        ScopedRegKey k(*subject);
        LONG result = k.Open(HKEY_CURRENT_USER, (path.empty() ? key : path).c_str(), KEY_READ);
        if (result) return result;
        return subject->QueryValue(k.Get(), name, type, static_cast<BYTE*>(data), size);
    }

    String16 key;
};

// "Key names are not case sensitive" (Structure of the Registry), and
// "value names are not case sensitive" (RegDeleteValueW).
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

// RegQueryValueExW: "If the lpValueName registry value does not exist, the
// function returns ERROR_FILE_NOT_FOUND". A missing key gives the same 2
// from RegOpenKeyExW (not documented; Windows' known answer).
TEST_P(RegistryContract, MissingKeyAndValueGiveFileNotFound)
{
    DWORD type = 0, value = 0, size = 4;
    EXPECT_EQ(Query(u"x", &type, &value, &size), 2);
    Set(u"other", REG_DWORD, &value, 4);
    EXPECT_EQ(Query(u"x", &type, &value, &size), 2);
}

// RegQueryValueExW: lpType "receives a code indicating the type of data
// stored in the specified value"; a REG_EXPAND_SZ comes back as stored, its
// references unexpanded (expanding them is ExpandEnvironmentStrings' work).
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

// RegQueryValueExW: "If the buffer specified by lpData parameter is not large
// enough to hold the data, the function returns ERROR_MORE_DATA and stores
// the required buffer size in the variable pointed to by lpcbData".
TEST_P(RegistryContract, LargerValueThanBufferGivesMoreData)
{
    unsigned long long eight = 0x1122334455667788ull;
    Set(u"q", REG_QWORD, &eight, 8);
    DWORD type = 0, value = 0xAAAAAAAA, size = 4;
    EXPECT_EQ(Query(u"q", &type, &value, &size), 234);
    EXPECT_EQ(size, 8u);
    EXPECT_EQ(type, REG_QWORD);
}

// RegQueryValueExW: a string "may not have been stored with the proper
// terminating null characters", and the size "includes any terminating null
// character or characters unless the data was stored without them": 520
// bytes without one come back as 520 bytes, nothing written past them, and
// 518 bytes of buffer give ERROR_MORE_DATA.
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

// A string of an odd byte count, or of the terminator alone, keeps the count
// given to RegSetValueExW (not documented; Windows' known answer: the page
// asks for the terminator in cbData, and RegQueryValueExW's size is the
// stored one); with no buffer, RegQueryValueExW "returns ERROR_SUCCESS and
// stores the size of the data".
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

// RegCreateKeyW "creates all missing keys in the specified path"; a trailing
// backslash names the same key (not documented; Windows' known answer).
TEST_P(RegistryContract, CreateMakesParentsAndTrailingBackslashNamesTheSameKey)
{
    String16 deep = key + u"\\a\\b";
    ScopedRegKey k(*subject);
    ASSERT_EQ(k.Create(HKEY_CURRENT_USER, deep.c_str()), 0);
    DWORD one = 1;
    ASSERT_EQ(subject->SetValue(k.Get(), u"v", REG_DWORD, reinterpret_cast<BYTE*>(&one), 4), 0);
    ScopedRegKey parent(*subject);
    EXPECT_EQ(parent.Open(HKEY_CURRENT_USER, (key + u"\\a").c_str(), KEY_READ), 0);
    DWORD type = 0, value = 0, size = 4;
    EXPECT_EQ(Query(u"v", &type, &value, &size, deep + u"\\"), 0);
    EXPECT_EQ(value, 1u);
}

// RegDeleteValueW removes the value, "value names are not case sensitive";
// a value that is not there gives ERROR_FILE_NOT_FOUND (not documented;
// Windows' known answer).
TEST_P(RegistryContract, DeleteValue)
{
    DWORD one = 1;
    Set(u"v", REG_DWORD, &one, 4);
    ScopedRegKey k(*subject);
    ASSERT_EQ(k.Open(HKEY_CURRENT_USER, key.c_str(), KEY_ALL_ACCESS), 0);
    EXPECT_EQ(subject->DeleteValue(k.Get(), u"V"), 0);
    EXPECT_EQ(subject->DeleteValue(k.Get(), u"v"), 2);
}

// RegSetValueExW and RegQueryValueExW: "If lpValueName is NULL or an empty
// string, "", the function sets [retrieves] the type and data for the key's
// unnamed or default value".
TEST_P(RegistryContract, DefaultValueHasTheEmptyName)
{
    const char16_t text[] = u"Windows 標準";
    Set(u"", REG_SZ, text, sizeof(text));
    char16_t buffer[32] = {};
    DWORD type = 0, size = sizeof(buffer);
    EXPECT_EQ(Query(u"", &type, buffer, &size), 0);
    EXPECT_EQ(String16(buffer), text);
}

// RegFlushKey writes the key to the registry store: "If the function
// succeeds, the return value is ERROR_SUCCESS", and what was written stays
// readable. A key already closed gives ERROR_INVALID_HANDLE (not documented;
// Windows' known answer).
TEST_P(RegistryContract, AFlushedKeyKeepsWhatWasWritten)
{
    DWORD seven = 7;
    Set(u"kept", REG_DWORD, &seven, 4);
    HKEY open = nullptr;
    ASSERT_EQ(subject->OpenKey(HKEY_CURRENT_USER, key.c_str(), KEY_QUERY_VALUE | KEY_SET_VALUE, &open), 0);
    EXPECT_EQ(subject->FlushKey(open), 0);
    ASSERT_EQ(subject->CloseKey(open), 0);
    DWORD type = 0, value = 0, size = 4;
    EXPECT_EQ(Query(u"kept", &type, &value, &size), 0);
    EXPECT_EQ(value, 7u);
    EXPECT_EQ(subject->FlushKey(open), static_cast<LONG>(ERROR_INVALID_HANDLE));
}

INSTANTIATE_CONTRACT(RegistryContract, FakeRegistry, Win32Registry);

}  // namespace

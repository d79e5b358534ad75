// The system cursors against the cursor stand-in and, under Wine, the Win32
// adapter.
//   LoadImageW       https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-loadimagew
//   CopyImage        https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-copyimage
//   SetSystemCursor  https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-setsystemcursor
//   DestroyCursor    https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-destroycursor
//   GetWindowsDirectoryW https://learn.microsoft.com/windows/win32/api/sysinfoapi/nf-sysinfoapi-getwindowsdirectoryw
#include <cstdio>
#include <vector>

#include "platform/fake/FakeCursors.h"
#include "tests/contract/ContractSupport.h"

namespace {

constexpr DWORD kOcrNormal = 32512;
constexpr DWORD kOcrPin = 32671;

#ifdef _WIN32
// A 32 x 32 monochrome cursor: the directory, its entry, the bitmap header
// (twice the height: the image, then its mask), two colours, both masks.
std::vector<unsigned char> CursorFile()
{
    std::vector<unsigned char> bytes;
    auto put16 = [&](unsigned v) { bytes.push_back(v & 0xFF), bytes.push_back((v >> 8) & 0xFF); };
    auto put32 = [&](unsigned v) { put16(v & 0xFFFF), put16(v >> 16); };
    put16(0), put16(2), put16(1);                                   // a cursor directory of one
    bytes.push_back(32), bytes.push_back(32), bytes.push_back(2), bytes.push_back(0);
    put16(0), put16(0), put32(40 + 8 + 128 + 128), put32(22);        // hot spot, size, offset
    put32(40), put32(32), put32(64), put16(1), put16(1), put32(0), put32(0), put32(0), put32(0), put32(0), put32(0);
    put32(0x000000), put32(0xFFFFFF);
    bytes.insert(bytes.end(), 128, 0x00);  // the image
    bytes.insert(bytes.end(), 128, 0xFF);  // the mask
    return bytes;
}
#endif

class CursorsContract : public ContractTest<ICursors> {
protected:
    // A path that holds a cursor: for the stand-in one it knows, for Win32 a
    // .cur the test writes.
    String16 CursorPath()
    {
        if (IsStandIn()) {
            String16 path = u"C:\\cursors\\contract.cur";
            StandInAs<FakeCursors>().existingFiles.insert(path);
            return path;
        }
#ifdef _WIN32
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        std::wstring path = std::wstring(temp) + L"tessaly-contract.cur";
        FILE* file = _wfopen(path.c_str(), L"wb");
        const std::vector<unsigned char> bytes = CursorFile();
        if (file) {
            fwrite(bytes.data(), 1, bytes.size(), file);
            fclose(file);
        }
        return String16(reinterpret_cast<const char16_t*>(path.c_str()));
#else
        return String16();
#endif
    }
};

// LoadImageW with LR_LOADFROMFILE: a cursor the caller owns, NULL for a
// file that is not there. DestroyCursor destroys it once; the handle is then
// no cursor, and a second DestroyCursor fails.
TEST_P(CursorsContract, AFileLoadsACursorThatIsDestroyedOnce)
{
    EXPECT_EQ(subject->LoadFromFile(u"C:\\no\\such\\pointer.cur"), nullptr);
    HCURSOR cursor = subject->LoadFromFile(CursorPath().c_str());
    ASSERT_NE(cursor, nullptr);
    EXPECT_TRUE(subject->DestroyCursor(cursor));
    EXPECT_FALSE(subject->DestroyCursor(cursor));
}

// LoadImageW of a predefined OCR_ id with LR_SHARED, then CopyImage: a copy
// the caller owns. An id that is no predefined cursor loads nothing.
TEST_P(CursorsContract, ASharedImageIsCopiedForTheCaller)
{
    HCURSOR copy = subject->CopyShared(kOcrNormal);
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(subject->DestroyCursor(copy));
    EXPECT_EQ(subject->CopyShared(1), nullptr);
}

// Windows 10 has the pin and person pointers (OCR_PIN, OCR_PERSON).
TEST_P(CursorsContract, Windows10HasThePinPointer)
{
    SKIP_WINE_DIFFERENCE(Name(), "no pin and person pointers among the predefined cursors");
    HCURSOR copy = subject->CopyShared(kOcrPin);
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(subject->DestroyCursor(copy));
}

// SetSystemCursor: on success the system takes the cursor over ("The system
// destroys hcur by calling the DestroyCursor function"), so the caller's
// handle is gone and destroying it again fails.
TEST_P(CursorsContract, ASystemCursorIsTakenOver)
{
    SKIP_WINE_DIFFERENCE(Name(), "SetSystemCursor is a stub that returns TRUE and takes nothing over");
    HCURSOR copy = subject->CopyShared(kOcrNormal);
    ASSERT_NE(copy, nullptr);
    ASSERT_TRUE(subject->SetSystemCursor(copy, kOcrNormal));
    EXPECT_FALSE(subject->DestroyCursor(copy));
}

// GetWindowsDirectoryW: "the length of the string copied to the buffer, in
// TCHARs, not including the terminating null character", a path that "does
// not end with a backslash unless the Windows directory is the root
// directory"; "If the length is
// greater than the size of the buffer, the return value is the size of the
// buffer required to hold the path". That the size counts the terminator
// and that a buffer too small is left untouched is not documented (Windows'
// known answer).
TEST_P(CursorsContract, TheWindowsFolderOrTheSizeItNeeds)
{
    char16_t folder[260] = {};
    const UINT length = subject->WindowsDirectory(folder, 260);
    ASSERT_GT(length, 3u);
    ASSERT_LT(length, 260u);
    EXPECT_EQ(folder[length], u'\0');
    EXPECT_NE(folder[length - 1], u'\\');
    char16_t shortBuffer[3] = {u'x', u'x', u'x'};
    EXPECT_EQ(subject->WindowsDirectory(shortBuffer, 3), length + 1);
    EXPECT_EQ(String16(shortBuffer, 3), u"xxx");
}

INSTANTIATE_CONTRACT(CursorsContract, FakeCursors, Win32Cursors);

}  // namespace

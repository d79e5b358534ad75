// The system cursors against the cursor stand-in and, under Wine, the Win32
// adapter.
//   LoadImageW       https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-loadimagew
//   CopyImage        https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-copyimage
//   SetSystemCursor  https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-setsystemcursor
//   DestroyCursor    https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-destroycursor
//   GetWindowsDirectoryW https://learn.microsoft.com/windows/win32/api/sysinfoapi/nf-sysinfoapi-getwindowsdirectoryw
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "platform/fake/FakeCursors.h"
#include "tests/contract/ContractSupport.h"
#ifdef _WIN32
#include "platform/win32/Win32Platform.h"
#endif

namespace {

constexpr DWORD kOcrNormal = 32512;
constexpr DWORD kOcrPin = 32671;

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

struct Implementation {
    const char* name;
    std::function<std::unique_ptr<ICursors>()> make;
    std::function<String16(ICursors&)> cursorFile;  // a path that holds a cursor
};

std::vector<Implementation> Implementations()
{
    std::vector<Implementation> list = {{"Stand_in", [] { return std::make_unique<FakeCursors>(); },
                                         [](ICursors& cursors) {
                                             String16 path = u"C:\\cursors\\contract.cur";
                                             static_cast<FakeCursors&>(cursors).existingFiles.insert(path);
                                             return path;
                                         }}};
#ifdef _WIN32
    list.push_back({"Win32", [] { return std::make_unique<Win32Cursors>(); },
                    [](ICursors&) {
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
                    }});
#endif
    return list;
}

class CursorsContract : public ::testing::TestWithParam<Implementation> {
protected:
    void SetUp() override { cursors = GetParam().make(); }
    std::unique_ptr<ICursors> cursors;
};

// LoadImageW with LR_LOADFROMFILE: a cursor the caller owns, NULL for a
// file that is not there. DestroyCursor destroys it once; the handle is then
// no cursor, and a second DestroyCursor fails.
TEST_P(CursorsContract, AFileLoadsACursorThatIsDestroyedOnce)
{
    EXPECT_EQ(cursors->LoadFromFile(u"C:\\no\\such\\pointer.cur"), nullptr);
    HCURSOR cursor = cursors->LoadFromFile(GetParam().cursorFile(*cursors).c_str());
    ASSERT_NE(cursor, nullptr);
    EXPECT_TRUE(cursors->DestroyCursor(cursor));
    EXPECT_FALSE(cursors->DestroyCursor(cursor));
}

// LoadImageW of a predefined OCR_ id with LR_SHARED, then CopyImage: a copy
// the caller owns. An id that is no predefined cursor loads nothing.
TEST_P(CursorsContract, ASharedImageIsCopiedForTheCaller)
{
    HCURSOR copy = cursors->CopyShared(kOcrNormal);
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(cursors->DestroyCursor(copy));
    EXPECT_EQ(cursors->CopyShared(1), nullptr);
}

// Windows 10 has the pin and person pointers (OCR_PIN, OCR_PERSON).
TEST_P(CursorsContract, Windows10HasThePinPointer)
{
    SKIP_WINE_DIFFERENCE(GetParam().name, "no pin and person pointers among the predefined cursors");
    HCURSOR copy = cursors->CopyShared(kOcrPin);
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(cursors->DestroyCursor(copy));
}

// SetSystemCursor: on success the system takes the cursor over ("The system
// destroys hcur by calling the DestroyCursor function"), so the caller's
// handle is gone and destroying it again fails.
TEST_P(CursorsContract, ASystemCursorIsTakenOver)
{
    SKIP_WINE_DIFFERENCE(GetParam().name, "SetSystemCursor is a stub that returns TRUE and takes nothing over");
    HCURSOR copy = cursors->CopyShared(kOcrNormal);
    ASSERT_NE(copy, nullptr);
    ASSERT_TRUE(cursors->SetSystemCursor(copy, kOcrNormal));
    EXPECT_FALSE(cursors->DestroyCursor(copy));
}

// GetWindowsDirectoryW: the length without the terminator; a buffer too
// small gets nothing, and the result is the size needed, terminator
// included.
TEST_P(CursorsContract, TheWindowsFolderOrTheSizeItNeeds)
{
    char16_t folder[260] = {};
    const UINT length = cursors->WindowsDirectory(folder, 260);
    ASSERT_GT(length, 3u);
    ASSERT_LT(length, 260u);
    EXPECT_EQ(folder[length], u'\0');
    EXPECT_NE(folder[length - 1], u'\\');
    EXPECT_EQ(cursors->WindowsDirectory(folder, 3), length + 1);
}

INSTANTIATE_CONTRACT(CursorsContract, Implementations());

}  // namespace

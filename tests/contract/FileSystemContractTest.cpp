// The file calls behind the log against the file-system stand-in and, under
// Wine, the Win32 adapter, in a folder of the test's own.
//   CreateFileW   https://learn.microsoft.com/windows/win32/api/fileapi/nf-fileapi-createfilew
//   WriteFile     https://learn.microsoft.com/windows/win32/api/fileapi/nf-fileapi-writefile
//   Maximum path length https://learn.microsoft.com/windows/win32/fileio/maximum-file-path-limitation
//   FormatMessageW https://learn.microsoft.com/windows/win32/api/winbase/nf-winbase-formatmessagew
//   System error codes https://learn.microsoft.com/windows/win32/debug/system-error-codes--0-499-
#include <cstdio>
#include <string>
#include <vector>

#include "platform/fake/FakeFileSystem.h"
#include "tests/contract/ContractSupport.h"

namespace {

#ifdef _WIN32
std::wstring WideOf(const String16& text) { return std::wstring(Wide(text.c_str())); }

// Whether the process runs as root: the environment's doing, not Wine's,
// and root writes a file whatever its attributes. Wine's Z: drive shows
// Linux's own view of the process.
bool RunsAsRootUnderWine()
{
    if (!UnderWine()) return false;
    FILE* status = _wfopen(L"Z:\\proc\\self\\status", L"r");
    if (!status) return false;
    char line[256];
    bool root = false;
    while (fgets(line, sizeof(line), status)) {
        unsigned real = 1, effective = 1;
        if (sscanf(line, "Uid: %u %u", &real, &effective) == 2) root = effective == 0;
    }
    fclose(status);
    return root;
}
#endif

// A folder of the case's own, and what a case needs to make things there and
// read them back.
class FileSystemContract : public ContractTest<IFileSystem> {
protected:
    void SetUp() override
    {
        if (IsStandIn()) {
            folder = u"C:\\Users\\Public";
            return;
        }
#ifdef _WIN32
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        std::wstring made = std::wstring(temp) + L"tessaly-files-" + std::to_wstring(GetTickCount64());
        CreateDirectoryW(made.c_str(), nullptr);
        folder = String16(reinterpret_cast<const char16_t*>(made.c_str()));
#endif
    }
    void MakeFolder(const String16& path)
    {
        if (IsStandIn()) {
            StandInAs<FakeFileSystem>().AddFolder(path);
            return;
        }
#ifdef _WIN32
        CreateDirectoryW((L"\\\\?\\" + WideOf(path)).c_str(), nullptr);  // whatever its length
#endif
    }
    void MakeReadOnly(const String16& path)
    {
        if (IsStandIn()) {
            StandInAs<FakeFileSystem>().readOnly.insert(path);
            return;
        }
#ifdef _WIN32
        SetFileAttributesW(WideOf(path).c_str(), FILE_ATTRIBUTE_READONLY);
#endif
    }
    std::vector<BYTE> Read(const String16& path)
    {
        if (IsStandIn()) return StandInAs<FakeFileSystem>().Contents(path);
        std::vector<BYTE> bytes;
#ifdef _WIN32
        HANDLE file = CreateFileW(WideOf(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return bytes;
        BYTE buffer[256];
        DWORD got = 0;
        while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got) {
            bytes.insert(bytes.end(), buffer, buffer + got);
        }
        CloseHandle(file);
#endif
        return bytes;
    }
    // A path of exactly `length` characters in the case's folder: folders of
    // 8-character names, which are made, and a file name of 1 to 9
    // characters with ".log".
    String16 PathOfLength(size_t length)
    {
        String16 path = folder;
        while (length - path.size() > 14) {
            path += u"\\abcdefgh";
            MakeFolder(path);
        }
        path += u"\\";
        return path + String16(length - path.size() - 4, u'f') + u".log";
    }
    // Opens, writes the text and closes; the error of the step that failed.
    DWORD Append(const String16& path, bool create, const char* text)
    {
        DWORD error = 0;
        IFileSystem::FileId file = subject->OpenAppend(path.c_str(), create, &error);
        if (!file) return error;
        if (!subject->Write(file, text, static_cast<DWORD>(std::string(text).size()), &error)) {
            error = error ? error : 1;
        }
        subject->Close(file);
        return error;
    }

    String16 folder;
};

// CreateFileW with OPEN_EXISTING: "If the specified file or device does not
// exist, the function fails and the last-error code is set to
// ERROR_FILE_NOT_FOUND (2)"; OPEN_ALWAYS makes it. FILE_APPEND_DATA puts
// every write at the end.
TEST_P(FileSystemContract, AppendsToAFileItMadeOrFound)
{
    const String16 path = folder + u"\\contract.log";
    EXPECT_FALSE(subject->Exists(path.c_str()));
    EXPECT_EQ(Append(path, false, "x"), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(Append(path, true, "ab"), 0u);
    EXPECT_TRUE(subject->Exists(path.c_str()));
    EXPECT_EQ(Append(path, false, "cd"), 0u);
    EXPECT_EQ(Read(path), (std::vector<BYTE>{'a', 'b', 'c', 'd'}));
}

// A path whose folder does not exist: CreateFileW fails even with
// OPEN_ALWAYS, with ERROR_PATH_NOT_FOUND (3) (not documented; Windows' known
// answer; System Error Codes: "The system cannot find the path specified").
TEST_P(FileSystemContract, AMissingFolderIsNotMade)
{
    EXPECT_EQ(Append(folder + u"\\missing\\contract.log", true, "x"), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

// A folder at the path: CreateFileW gives a handle to a directory only with
// FILE_FLAG_BACKUP_SEMANTICS ("You must set this flag to obtain a handle to
// a directory"), and the adapter refuses whatever is not a plain file. The
// code is ERROR_ACCESS_DENIED (5) (not documented; Windows' known answer).
TEST_P(FileSystemContract, AFolderAtThePathIsRefused)
{
    const String16 path = folder + u"\\a-folder.log";
    MakeFolder(path);
    EXPECT_TRUE(subject->Exists(path.c_str()));
    EXPECT_EQ(Append(path, true, "x"), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

// A read-only file: FILE_ATTRIBUTE_READONLY, "The file is read only.
// Applications can read the file, but cannot write to or delete it."
// Opening it for writing fails with ERROR_ACCESS_DENIED (5) (not
// documented; Windows' known answer), and it keeps what it had.
TEST_P(FileSystemContract, AReadOnlyFileIsNotWritten)
{
#ifdef _WIN32
    if (!IsStandIn() && RunsAsRootUnderWine()) {
        GTEST_SKIP() << "the process runs as root (uid 0), which writes a read-only file";
    }
#endif
    const String16 path = folder + u"\\read-only.log";
    ASSERT_EQ(Append(path, true, "kept"), 0u);
    MakeReadOnly(path);
    EXPECT_EQ(Append(path, true, "x"), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(Read(path), (std::vector<BYTE>{'k', 'e', 'p', 't'}));
}

// "the maximum length for a path is MAX_PATH, which is defined as 260
// characters": "drive letter, colon, backslash, name components separated
// by backslashes, and a terminating null character". The components here
// are short (a component may have up to lpMaximumComponentLength
// characters, "commonly 255"). A path of 259 characters is made.
TEST_P(FileSystemContract, APathJustShortOfMaxPathIsMade)
{
    const String16 path = PathOfLength(MAX_PATH - 1);
    ASSERT_EQ(path.size(), MAX_PATH - 1u);
    EXPECT_EQ(Append(path, true, "x"), 0u);
    EXPECT_TRUE(subject->Exists(path.c_str()));
}

// One of 260 characters, without "\\?\" and long paths not enabled, fails
// and makes nothing (the limitation page). Which error is not documented;
// the stand-in gives ERROR_PATH_NOT_FOUND (3), and the log treats every
// failure alike.
TEST_P(FileSystemContract, APathOfMaxPathIsRefused)
{
    SKIP_WINE_DIFFERENCE(Name(), "CreateFileW makes a file whose path is MAX_PATH (260) characters long");
    const String16 path = PathOfLength(MAX_PATH);
    ASSERT_EQ(path.size(), size_t{MAX_PATH});
    EXPECT_NE(Append(path, true, "x"), 0u);
    EXPECT_FALSE(subject->Exists(path.c_str()));
}

// WriteFile on a handle that is no longer open fails with
// ERROR_INVALID_HANDLE (6) (not documented; Windows' known answer).
TEST_P(FileSystemContract, AWriteThroughAClosedFileFails)
{
    DWORD error = 0;
    IFileSystem::FileId file = subject->OpenAppend((folder + u"\\closed.log").c_str(), true, &error);
    ASSERT_NE(file, nullptr);
    subject->Close(file);
    EXPECT_FALSE(subject->Write(file, "x", 1, &error));
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

// FormatMessageW with FORMAT_MESSAGE_FROM_SYSTEM gives a system error code's
// text (System Error Codes: "use the FormatMessage function with the
// FORMAT_MESSAGE_FROM_SYSTEM flag"); a code the system has no text for
// fails, and the adapter gives an empty text.
TEST_P(FileSystemContract, ErrorsHaveTextsUnknownOnesNone)
{
    for (DWORD code : {ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_INVALID_HANDLE}) {
        EXPECT_FALSE(subject->ErrorText(code).empty()) << code;
    }
    EXPECT_NE(subject->ErrorText(ERROR_ACCESS_DENIED), subject->ErrorText(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(subject->ErrorText(0x2000DEADu).empty());
}

INSTANTIATE_CONTRACT(FileSystemContract, FakeFileSystem, Win32FileSystem);

}  // namespace

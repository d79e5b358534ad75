// In-memory files for the log: appends at the current end, can be told to
// fail opening or writing. Each error code the log can meet has its own
// English text, as FormatMessageW gives it; any other code has none.
#pragma once

#include <map>
#include <set>
#include <mutex>
#include <vector>

#include "platform/IFileSystem.h"
#include "platform/Text.h"

class FakeFileSystem : public IFileSystem {
public:
    bool Exists(const char16_t* path) override;
    FileId OpenAppend(const char16_t* path, bool create, DWORD* error) override;
    bool Write(FileId file, const void* data, DWORD size, DWORD* error) override;
    void Close(FileId file) override;
    String16 ErrorText(DWORD error) override;

    std::vector<BYTE> Contents(StringView16 path) const;
    void SetContents(StringView16 path, std::vector<BYTE> bytes);
    int OpenCount() const;
    // A folder: a file can be made in it, and a folder at a file's path is
    // refused. "C:\Users\Public", where the log lies, is there already.
    void AddFolder(StringView16 path);

    DWORD openError = 0;            // nonzero: every open fails with it
    int writesBeforeFailure = -1;   // writes that succeed before every later one fails
    std::set<String16> readOnly;                 // files that cannot be opened for writing
    int opens = 0;
    int writes = 0;

private:
    mutable std::mutex m_lock;
    std::map<String16, std::vector<BYTE>> m_files;  // by folded path
    std::set<String16> m_folders{Folded(u"C:\\Users\\Public")};  // by folded path
    std::map<FileId, String16> m_open;
    std::uintptr_t m_next = 0x100;
};

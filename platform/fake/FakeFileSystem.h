// In-memory files for the log: appends at the current end, can be told to
// fail opening or writing.
#pragma once

#include <map>
#include <mutex>
#include <vector>

#include "platform/IFileSystem.h"

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

    DWORD openError = 0;            // nonzero: every open fails with it
    int writesBeforeFailure = -1;   // writes that succeed before every later one fails
    String16 errorText = u"Access is denied.";
    int opens = 0;
    int writes = 0;

private:
    mutable std::mutex m_lock;
    std::map<String16, std::vector<BYTE>> m_files;  // by folded path
    std::map<FileId, String16> m_open;
    std::uintptr_t m_next = 0x100;
};

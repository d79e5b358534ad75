#include "platform/fake/FakeFileSystem.h"

#include "platform/Text.h"

namespace {

// What CreateFileW fails with before it looks at the file: a path longer than
// MAX_PATH, or a folder that is not there.
DWORD PathError(const String16& folded, const std::set<String16>& folders)
{
    if (folded.size() >= MAX_PATH) return ERROR_PATH_NOT_FOUND;
    const size_t slash = folded.rfind(u'\\');
    if (slash == String16::npos || !folders.count(folded.substr(0, slash))) return ERROR_PATH_NOT_FOUND;
    return ERROR_SUCCESS;
}

}  // namespace

bool FakeFileSystem::Exists(const char16_t* path)
{
    std::lock_guard<std::mutex> guard(m_lock);
    const String16 key = Folded(path);
    return m_files.count(key) != 0 || m_folders.count(key) != 0;
}

void FakeFileSystem::AddFolder(StringView16 path)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_folders.insert(Folded(path));
}

IFileSystem::FileId FakeFileSystem::OpenAppend(const char16_t* path, bool create, DWORD* error)
{
    std::lock_guard<std::mutex> guard(m_lock);
    ++opens;
    if (openError) {
        *error = openError;
        return nullptr;
    }
    String16 key = Folded(path);
    DWORD refused = m_folders.count(key) || readOnly.count(path) ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
    if (!refused && !m_files.count(key)) refused = PathError(key, m_folders);
    if (!refused && !m_files.count(key) && !create) refused = ERROR_FILE_NOT_FOUND;
    if (refused) {
        *error = refused;
        return nullptr;
    }
    m_files[key];
    FileId id = reinterpret_cast<FileId>(m_next);
    m_next += 8;
    m_open[id] = key;
    return id;
}

bool FakeFileSystem::Write(FileId file, const void* data, DWORD size, DWORD* error)
{
    std::lock_guard<std::mutex> guard(m_lock);
    auto it = m_open.find(file);
    if (it == m_open.end()) {
        *error = ERROR_INVALID_HANDLE;
        return false;
    }
    if (writesBeforeFailure >= 0 && writes >= writesBeforeFailure) {
        *error = ERROR_ACCESS_DENIED;
        return false;
    }
    ++writes;
    auto bytes = static_cast<const BYTE*>(data);
    auto& contents = m_files[it->second];
    contents.insert(contents.end(), bytes, bytes + size);
    return true;
}

void FakeFileSystem::Close(FileId file)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_open.erase(file);
}

// The codes the log meets, with the texts of "System Error Codes"; the
// system has no text for a code it does not know.
String16 FakeFileSystem::ErrorText(DWORD error)
{
    static const struct {
        DWORD code;
        const char16_t* text;
    } texts[] = {
        {ERROR_FILE_NOT_FOUND, u"The system cannot find the file specified."},
        {ERROR_PATH_NOT_FOUND, u"The system cannot find the path specified."},
        {ERROR_ACCESS_DENIED, u"Access is denied."},
        {ERROR_INVALID_HANDLE, u"The handle is invalid."},
        {ERROR_WRITE_FAULT, u"The system cannot write to the specified device."},
        {ERROR_SHARING_VIOLATION, u"The process cannot access the file because it is being used by another process."},
        {ERROR_DISK_FULL, u"There is not enough space on the disk."},
    };
    for (const auto& entry : texts) {
        if (entry.code == error) return entry.text;
    }
    return String16();
}

std::vector<BYTE> FakeFileSystem::Contents(StringView16 path) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    auto it = m_files.find(Folded(path));
    return it == m_files.end() ? std::vector<BYTE>() : it->second;
}

void FakeFileSystem::SetContents(StringView16 path, std::vector<BYTE> bytes)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_files[Folded(path)] = std::move(bytes);
}

int FakeFileSystem::OpenCount() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return static_cast<int>(m_open.size());
}

#include "platform/fake/FakeFileSystem.h"

#include "platform/Text.h"

bool FakeFileSystem::Exists(const char16_t* path)
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_files.count(Folded(path)) != 0;
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
    if (!m_files.count(key)) {
        if (!create) {
            *error = ERROR_FILE_NOT_FOUND;
            return nullptr;
        }
        m_files[key];
    }
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

String16 FakeFileSystem::ErrorText(DWORD) { return errorText; }

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

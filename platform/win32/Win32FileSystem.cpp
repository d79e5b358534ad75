#include "platform/win32/Win32Platform.h"

#include <string>

namespace {

// The path Windows resolved the handle to.
std::wstring FinalPath(HANDLE handle)
{
    wchar_t path[MAX_PATH * 2] = {};
    DWORD n = GetFinalPathNameByHandleW(handle, path, MAX_PATH * 2, FILE_NAME_NORMALIZED);
    return n > 0 && n < MAX_PATH * 2 ? std::wstring(path, n) : std::wstring();
}

// True when the opened file is the file named in its folder, not something
// a link there leads to (Wine follows a Unix symbolic link without a word).
bool IsTheNamedFile(HANDLE file, const wchar_t* path)
{
    std::wstring name(path);
    size_t slash = name.rfind(L'\\');
    if (slash == std::wstring::npos) return false;
    ScopedKernelHandle folder(CreateFileW(name.substr(0, slash).c_str(), 0,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                          FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!folder) return false;
    std::wstring expected = FinalPath(folder.Get()) + name.substr(slash);
    std::wstring actual = FinalPath(file);
    return !actual.empty() && CompareStringOrdinal(actual.c_str(), -1, expected.c_str(), -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

bool Win32FileSystem::Exists(const char16_t* path) { return GetFileAttributesW(Wide(path)) != INVALID_FILE_ATTRIBUTES; }

// FILE_APPEND_DATA without FILE_WRITE_DATA: the file system puts every write
// at the end as it is at that moment. A link or junction planted at the path
// is opened as itself (FILE_FLAG_OPEN_REPARSE_POINT) and refused, as is
// anything that is not a plain file or that resolves elsewhere, so nothing
// is written through it.
IFileSystem::FileId Win32FileSystem::OpenAppend(const char16_t* path, bool create, DWORD* error)
{
    ScopedKernelHandle file(CreateFileW(Wide(path), FILE_APPEND_DATA | SYNCHRONIZE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, create ? OPEN_ALWAYS : OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file) {
        *error = GetLastError();
        return nullptr;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    bool plain = GetFileType(file.Get()) == FILE_TYPE_DISK && GetFileInformationByHandle(file.Get(), &info) &&
                 !(info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) &&
                 IsTheNamedFile(file.Get(), Wide(path));
    if (!plain) {
        *error = ERROR_ACCESS_DENIED;
        return nullptr;
    }
    return file.Release();
}

bool Win32FileSystem::Write(FileId file, const void* data, DWORD size, DWORD* error)
{
    DWORD written = 0;
    if (!WriteFile(file, data, size, &written, nullptr)) {
        *error = GetLastError();
        return false;
    }
    if (written != size) {
        *error = ERROR_WRITE_FAULT;
        return false;
    }
    return true;
}

void Win32FileSystem::Close(FileId file) { CloseHandle(file); }

String16 Win32FileSystem::ErrorText(DWORD error)
{
    wchar_t text[1024] = {};
    DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, 1024,
                             nullptr);
    while (n > 0 && (text[n - 1] == L'\r' || text[n - 1] == L'\n' || text[n - 1] == L' ')) --n;
    return String16(reinterpret_cast<const char16_t*>(text), n);
}

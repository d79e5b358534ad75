#include "platform/win32/Win32Platform.h"

bool Win32FileSystem::Exists(const char16_t* path) { return GetFileAttributesW(Wide(path)) != INVALID_FILE_ATTRIBUTES; }

// FILE_APPEND_DATA without FILE_WRITE_DATA: the file system puts every write
// at the end as it is at that moment. A link or junction planted at the path
// is opened as itself (FILE_FLAG_OPEN_REPARSE_POINT) and refused, as is
// anything that is not a plain file, so nothing is written through it.
IFileSystem::FileId Win32FileSystem::OpenAppend(const char16_t* path, bool create, DWORD* error)
{
    HANDLE file = CreateFileW(Wide(path), FILE_APPEND_DATA | SYNCHRONIZE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              create ? OPEN_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        *error = GetLastError();
        return nullptr;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    bool plain = GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) &&
                 !(info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY));
    if (!plain) {
        CloseHandle(file);
        *error = ERROR_ACCESS_DENIED;
        return nullptr;
    }
    return file;
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

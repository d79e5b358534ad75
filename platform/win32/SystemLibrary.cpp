#include "platform/win32/SystemLibrary.h"

#include <string>

namespace {

// Resolved at run time: an import would keep the program from starting on a
// Windows 7 without KB2533623, which also lacks the LOAD_LIBRARY_SEARCH_ flags.
using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);

SetDefaultDllDirectoriesFunction FindSetDefaultDllDirectories()
{
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    return SystemFunction<SetDefaultDllDirectoriesFunction>(kernel, "SetDefaultDllDirectories");
}

}  // namespace

BOOL RestrictLibrarySearch()
{
    SetDefaultDllDirectoriesFunction restrict = FindSetDefaultDllDirectories();
    return restrict ? restrict(LOAD_LIBRARY_SEARCH_SYSTEM32) : FALSE;
}

HMODULE LoadSystemLibrary(const wchar_t* name)
{
    if (FindSetDefaultDllDirectories()) return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    wchar_t folder[MAX_PATH] = {};
    UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    std::wstring path(folder, length);
    path += L'\\';
    path += name;
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

// Libraries the tool loads by name come from the system folder only, so that
// a file of the same name beside the program (or in the current folder) is
// never run inside the tool.
#pragma once

#include "platform/WinTypes.h"

// Early in start-up: the process's own library searches skip the program's
// folder (SetDefaultDllDirectories). FALSE on a Windows 7 without the update
// that brings the call; LoadSystemLibrary is safe there all the same.
BOOL RestrictLibrarySearch();

// LoadLibraryExW of name in the system folder: with
// LOAD_LIBRARY_SEARCH_SYSTEM32 where the system has it, else by the full path
// from GetSystemDirectoryW. Null when it cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* name);

// GetProcAddress as a typed function pointer; null when absent.
template <typename Function>
Function SystemFunction(HMODULE library, const char* name)
{
    FARPROC function = library ? GetProcAddress(library, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(function));
}

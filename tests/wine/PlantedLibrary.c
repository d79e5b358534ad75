/* A library planted beside the program under a system library's name
   (hhctrl.ocx, uxtheme.dll): loading it leaves the file named by
   TESSALY_PLANTED_MARKER behind. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)instance;
    (void)reserved;
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t marker[MAX_PATH];
    DWORD length = GetEnvironmentVariableW(L"TESSALY_PLANTED_MARKER", marker, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return TRUE;
    HANDLE file = CreateFileW(marker, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return TRUE;
}

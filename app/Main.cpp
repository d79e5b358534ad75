// The program's entry point on Windows.
#include "app/CorvelChg.h"
#include "app/IToolWindows.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/Win32Platform.h"

namespace {
// Defined in this order so that the platform outlives the application
// object, whose destructor still writes the log's last line.
Win32Platform g_win32;
CCorvelChgApp theApp;
}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR commandLine, int)
{
    RestrictLibrarySearch();
    SetPlatform(&g_win32.platform);
    theApp.m_pToolWindows = &TheToolWindows();
    const char16_t* tail = reinterpret_cast<const char16_t*>(commandLine);
    return AfxRunApp(theApp, tail ? StringView16(tail) : StringView16());
}

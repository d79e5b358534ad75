// The program with stop points, for the tests that end a run at a chosen
// instant: the same program as CorvelChg.exe, but for its registry and its
// mutexes. With TESSALY_STOP_BEFORE set to a value's name ("name", or
// "name#n" for its nth write; "#flush#n" for the nth flush), the run sets the
// event "TessalyStopped" just before that write and waits there to be
// ended. With TESSALY_SIGNAL_WAIT set to a mutex's name, it sets the event
// "TessalyWaiting" as it starts to wait for that mutex, so that a test ends
// another holder only once this run waits for it.
#include <cstdlib>
#include <map>
#include <string>

#include "app/CorvelChg.h"
#include "app/IToolWindows.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/Win32Platform.h"

namespace {

void SetNamedEvent(const wchar_t* name)
{
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, name);
    if (!event) return;
    SetEvent(event);
    CloseHandle(event);
}

class StoppingRegistry : public Win32Registry {
public:
    StoppingRegistry()
    {
        const wchar_t* stop = _wgetenv(L"TESSALY_STOP_BEFORE");
        if (!stop) return;
        std::u16string text(reinterpret_cast<const char16_t*>(stop));
        const size_t hash = text.rfind(u'#');
        if (hash != std::u16string::npos && hash + 1 < text.size() && text[hash + 1] >= u'0' &&
            text[hash + 1] <= u'9') {
            m_nth = std::stoi(std::string(text.begin() + hash + 1, text.end()));
            text.resize(hash);
        }
        m_name = text;
        m_armed = true;
    }
    LONG SetValue(HKEY key, const char16_t* name, DWORD type, const BYTE* data, DWORD size) override
    {
        StopBefore(name);
        return Win32Registry::SetValue(key, name, type, data, size);
    }
    LONG FlushKey(HKEY key) override
    {
        StopBefore(u"#flush");
        return Win32Registry::FlushKey(key);
    }

private:
    void StopBefore(const char16_t* name)
    {
        if (!m_armed || m_name != name || ++m_count != m_nth) return;
        SetNamedEvent(L"TessalyStopped");
        for (;;) Sleep(INFINITE);
    }
    bool m_armed = false;
    std::u16string m_name;
    int m_nth = 1;
    int m_count = 0;
};

class SignallingSync : public Win32Sync {
public:
    HANDLE CreateNamedMutex(const char16_t* name, bool initialOwner, DWORD* lastError) override
    {
        HANDLE mutex = Win32Sync::CreateNamedMutex(name, initialOwner, lastError);
        const wchar_t* watched = _wgetenv(L"TESSALY_SIGNAL_WAIT");
        if (mutex && watched && std::wstring(watched) == reinterpret_cast<const wchar_t*>(name)) m_watched[mutex] = true;
        return mutex;
    }
    DWORD Wait(HANDLE mutex, DWORD milliseconds) override
    {
        if (m_watched.count(mutex)) SetNamedEvent(L"TessalyWaiting");
        return Win32Sync::Wait(mutex, milliseconds);
    }
    void Close(HANDLE mutex) override
    {
        m_watched.erase(mutex);
        Win32Sync::Close(mutex);
    }

private:
    std::map<HANDLE, bool> m_watched;
};

// Defined in this order so that the platform outlives the application
// object, whose destructor still writes the log's last line.
Win32Platform g_win32;
StoppingRegistry g_registry;
SignallingSync g_sync;
Platform g_platform{g_registry,      g_win32.files,   g_sync,          g_win32.windows,
                    g_win32.strings, g_win32.clock,   g_win32.system,  g_win32.display,
                    g_win32.cursors, g_win32.desktop, g_win32.events};
CCorvelChgApp theApp;

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR commandLine, int)
{
    RestrictLibrarySearch();
    SetPlatform(&g_platform);
    theApp.m_pToolWindows = &TheToolWindows();
    const char16_t* tail = reinterpret_cast<const char16_t*>(commandLine);
    return AfxRunApp(theApp, tail ? StringView16(tail) : StringView16());
}

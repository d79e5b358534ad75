// The Win32 adapters: pass-throughs to the real calls, but where an
// interface says the adapter adds a safeguard of its own.
#pragma once

#include <mutex>
#include <utility>
#include <vector>

#include "platform/Platform.h"
#include "platform/ScopedHandle.h"

// A kernel handle (file, folder, thread) closed with CloseHandle. CreateFileW
// fails with INVALID_HANDLE_VALUE, the thread calls with null: neither is one.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static bool IsValid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { CloseHandle(handle); }
};
using ScopedKernelHandle = ScopedHandle<KernelHandleTraits>;

inline const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
inline wchar_t* Wide(char16_t* text) { return reinterpret_cast<wchar_t*>(text); }

class Win32Registry : public IRegistry {
public:
    LONG OpenKey(HKEY root, const char16_t* subKey, REGSAM access, HKEY* result) override;
    LONG CreateKey(HKEY root, const char16_t* subKey, HKEY* result) override;
    LONG QueryValue(HKEY key, const char16_t* name, DWORD* type, BYTE* data, DWORD* size) override;
    LONG SetValue(HKEY key, const char16_t* name, DWORD type, const BYTE* data, DWORD size) override;
    LONG FlushKey(HKEY key) override;
    LONG DeleteValue(HKEY key, const char16_t* name) override;
    LONG CloseKey(HKEY key) override;
};

class Win32FileSystem : public IFileSystem {
public:
    bool Exists(const char16_t* path) override;
    FileId OpenAppend(const char16_t* path, bool create, DWORD* error) override;
    bool Write(FileId file, const void* data, DWORD size, DWORD* error) override;
    void Close(FileId file) override;
    String16 ErrorText(DWORD error) override;
};

class Win32Sync : public ISync {
public:
    HANDLE CreateNamedMutex(const char16_t* name, bool initialOwner, DWORD* lastError) override;
    DWORD Wait(HANDLE mutex, DWORD milliseconds) override;
    BOOL Release(HANDLE mutex) override;
    void Close(HANDLE mutex) override;
    DWORD LastError() override;
};

class Win32Windows : public IWindows {
public:
    BOOL RegisterDialogClass(const char16_t* className) override;
    BOOL InitCommonControls(DWORD classes) override;
    HWND FindTopWindow(const char16_t* className, const char16_t* title) override;
    BOOL BringToFront(HWND window) override;
    int ShowMessageBox(HWND owner, const char16_t* text, const char16_t* caption, UINT type) override;
    HWND HtmlHelp(HWND owner, const char16_t* file, UINT command, std::uintptr_t data) override;
    BOOL ShowWindow(HWND window, int command) override;
};

class Win32Strings : public IStrings {
public:
    int LoadText(UINT id, char16_t* buffer, int capacity, DWORD* lastError) override;
};

class Win32Display : public IDisplay {
public:
    BOOL SystemParameters(UINT action, UINT uiParam, void* pvParam, UINT winIni) override;
    int AnnounceChange(UINT action, const char16_t* area, DWORD waitMs, DWORD* waited) override;
    std::vector<UINT> FinishAnnouncements(DWORD waitMs) override;
    BOOL SetCaretBlinkTime(UINT milliseconds) override;
    UINT CaretBlinkTime() override;
    BOOL IsThemeActive() override;
    UINT ScreenDpi() override;
    DWORD LastError() override;

private:
    // The threads of broadcasts still going out, with their actions; a
    // switch's worker adds to it, the main thread finishes it.
    std::mutex m_lock;
    std::vector<std::pair<UINT, ScopedKernelHandle>> m_goingOut;
};

class Win32Cursors : public ICursors {
public:
    HCURSOR LoadFromFile(const char16_t* path) override;
    HCURSOR CopyShared(DWORD id) override;
    BOOL SetSystemCursor(HCURSOR cursor, DWORD id) override;
    BOOL DestroyCursor(HCURSOR cursor) override;
    UINT WindowsDirectory(char16_t* buffer, UINT capacity) override;
};

class Win32Desktop : public IDesktop {
public:
    HWND GetDesktopWindow() override;
    BOOL EnumChildWindows(HWND parent, EnumWindowsCallback callback, LPARAM data) override;
    int ClassNameOf(HWND window, char16_t* buffer, int capacity) override;
    HWND FindChild(HWND parent, HWND after, const char16_t* className, const char16_t* title) override;
    HWND GetFirstChild(HWND window) override;
    BOOL Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
};

class Win32Clock : public IClock {
public:
    bool Now(LocalTime* result) override;
    std::uint64_t Ticks() override;
};

class Win32EventLog : public IEventLog {
public:
    HANDLE RegisterSource(const char16_t* source, DWORD* lastError) override;
    BOOL Report(HANDLE source, WORD type, DWORD eventId, const std::vector<BYTE>& userSid,
                const std::vector<String16>& inserts, DWORD* lastError) override;
    BOOL DeregisterSource(HANDLE source) override;
    std::vector<BYTE> UserSid() override;
};

class Win32System : public ISystem {
public:
    BOOL VerifyVersion(DWORD major, DWORD minor, BYTE condition) override;
    DWORD ModuleFileName(char16_t* buffer, DWORD capacity) override;
    void Sleep(DWORD milliseconds) override;
    BOOL EndLogon(UINT flags, DWORD reason) override;
    BOOL StartThread(unsigned int (*fn)(void*), void* param) override;
};

struct Win32Platform {
    Win32Registry registry;
    Win32FileSystem files;
    Win32Sync sync;
    Win32Windows windows;
    Win32Strings strings;
    Win32Clock clock;
    Win32System system;
    Win32Display display;
    Win32Cursors cursors;
    Win32Desktop desktop;
    Win32EventLog events;
    Platform platform{registry, files, sync, windows, strings, clock, system, display, cursors, desktop, events};
};

// Helpers for tests that drive real processes and the real registry.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

inline const wchar_t kToolExe[] = TOOL_EXE;
inline const wchar_t kHelperExe[] = HELPER_EXE;
// The program with stop points (StopPoints.cpp).
inline const wchar_t kStopsExe[] = STOPS_EXE;
inline const wchar_t kLogFile[] = L"C:\\Users\\Public\\CorvelChg.log";
// The registry keys the tests read and write.
inline const wchar_t kRunPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline const wchar_t kSettingsPath[] = L"Software\\Halden\\CorvelChg\\Settings";
inline const wchar_t kDesktopPath[] = L"Control Panel\\Desktop";
inline const wchar_t kMetricsPath[] = L"Control Panel\\Desktop\\WindowMetrics";

// Owns a process handle.
class Process {
public:
    explicit Process(const std::wstring& commandLine);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool Started() const { return m_info.hProcess != nullptr; }
    bool Ended() const { return m_info.hProcess && WaitForSingleObject(m_info.hProcess, 0) == WAIT_OBJECT_0; }
    // The exit code, or -1 when it did not end in time (it is then ended),
    // could not be started or waited for; each -1 says why on stderr.
    long Wait(DWORD milliseconds = 60000);
    // Ends it at once, as Task Manager or a power cut would, and waits until
    // it has ended.
    void Kill();

private:
    void Report(const char* what, DWORD error) const;
    std::wstring m_line;
    DWORD m_createError = 0;
    PROCESS_INFORMATION m_info{};
};

std::wstring Quoted(const std::wstring& path);
std::wstring FullPath(const std::wstring& path);
long RunTool(const std::wstring& arguments, DWORD milliseconds = 60000);
// An interactive start: waits for the main window, closes it as a user would
// and returns the exit code.
long RunToolAndClose(const std::wstring& arguments);

void DeleteTree(HKEY root, const wchar_t* path);
// A REG_DWORD of exactly 4 bytes; 0xDEAD for anything else or nothing.
DWORD GetDword(HKEY root, const wchar_t* path, const wchar_t* name);
// The helper's desktop view, for the icon size, so that a switch can succeed
// here; it ends after the first icon command it receives.
std::unique_ptr<Process> StartDesktopView();
// The helper in a mode that sets "TessalyHelperReady" once its window is up.
std::unique_ptr<Process> StartHelper(const std::wstring& arguments);
void SetDword(HKEY root, const wchar_t* path, const wchar_t* name, DWORD value);
void SetString(HKEY root, const wchar_t* path, const wchar_t* name, const std::wstring& text, DWORD type = REG_SZ);
void SetRaw(HKEY root, const wchar_t* path, const wchar_t* name, DWORD type, const void* data, DWORD size);
bool GetRaw(HKEY root, const wchar_t* path, const wchar_t* name, DWORD* type, std::vector<BYTE>* data);

// The major version of the Wine that runs the tests (ntdll's
// wine_get_version), 0 when it cannot be told.
int WineMajorVersion();

// The Windows version that programs started from now on are told
// ("win7", "win8", "win10"): HKCU\Software\Wine "Version".
void SetWindowsVersion(const wchar_t* version);

// A machine as the tool first meets it: no data of its own (user or factory),
// Windows 10, 96 DPI in effect.
void FreshToolRegistry();

std::vector<BYTE> ReadFileBytes(const wchar_t* path);
std::wstring ReadLogText();

// The top-level windows of class "#32770" with the given title.
std::vector<HWND> DialogsTitled(const wchar_t* title);
// Waits up to the given time for a visible window that the finder returns.
HWND WaitForWindow(HWND (*finder)(), DWORD milliseconds = 20000);
// Waits up to the given time until the condition holds; false if it never did.
bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds = 20000);
std::wstring WindowText(HWND window);

// The tool's windows, found as a user's other programs would find them.
HWND FindMainWindow();
HWND FindDetailWindow();
HWND FindMessageBox();      // a "Tessaly" box with its text control
HWND FindProgressWindow();  // the "Tessaly" dialog with the progress bar
HWND FindSignOutPrompt();
HWND FindRestoreDialog();
HWND FindOriginalDialog();  // the confirmation of the return to the person's own settings
// Clicks a button of a dialog without waiting for what the click opens.
void Click(HWND dialog, int id);
std::wstring ItemText(HWND dialog, int id);

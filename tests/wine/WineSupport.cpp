#include "tests/wine/WineSupport.h"

#include <cstdio>
#include <cstdlib>

Process::Process(const std::wstring& commandLine) : m_line(commandLine)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring line = commandLine;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &m_info)) {
        m_createError = GetLastError();
        m_info = PROCESS_INFORMATION{};
    }
}

void Process::Kill()
{
    if (!m_info.hProcess) return;
    TerminateProcess(m_info.hProcess, 1);
    WaitForSingleObject(m_info.hProcess, INFINITE);
}

Process::~Process()
{
    if (!m_info.hProcess) return;
    if (WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(m_info.hProcess, 1);
    CloseHandle(m_info.hThread);
    CloseHandle(m_info.hProcess);
}

// Which of the causes of -1 it was, with the command line, on the test's
// output: a -1 alone tells nothing.
void Process::Report(const char* what, DWORD error) const
{
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, m_line.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string line(bytes > 0 ? bytes - 1 : 0, '\0');
    if (bytes > 1) WideCharToMultiByte(CP_UTF8, 0, m_line.c_str(), -1, line.data(), bytes, nullptr, nullptr);
    std::fprintf(stderr, "Process: %s, GetLastError %lu: %s\n", what, static_cast<unsigned long>(error), line.c_str());
    std::fflush(stderr);
}

long Process::Wait(DWORD milliseconds)
{
    if (!m_info.hProcess) {
        Report("CreateProcessW failed", m_createError);
        return -1;
    }
    const DWORD waited = WaitForSingleObject(m_info.hProcess, milliseconds);
    if (waited != WAIT_OBJECT_0) {
        Report(waited == WAIT_TIMEOUT ? "did not end in time, ended now" : "WaitForSingleObject failed", GetLastError());
        TerminateProcess(m_info.hProcess, 1);
        return -1;
    }
    DWORD code = 0;
    if (!GetExitCodeProcess(m_info.hProcess, &code)) {
        Report("GetExitCodeProcess failed", GetLastError());
        return -1;
    }
    if (code == 0xFFFFFFFF) Report("ended with exit code 0xFFFFFFFF", 0);
    return static_cast<long>(code);
}

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

std::wstring FullPath(const std::wstring& path)
{
    wchar_t full[MAX_PATH] = {};
    GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return full;
}

long RunTool(const std::wstring& arguments, DWORD milliseconds)
{
    Process tool(Quoted(kToolExe) + L" " + arguments);
    return tool.Wait(milliseconds);
}

void DeleteTree(HKEY root, const wchar_t* path) { RegDeleteTreeW(root, path); }

int WineMajorVersion()
{
    using VersionFunction = const char*(CDECL*)();
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    FARPROC address = ntdll ? GetProcAddress(ntdll, "wine_get_version") : nullptr;
    auto version = reinterpret_cast<VersionFunction>(reinterpret_cast<void*>(address));
    return version ? std::atoi(version()) : 0;
}

void SetWindowsVersion(const wchar_t* version)
{
    SetString(HKEY_CURRENT_USER, L"Software\\Wine", L"Version", version);
}

void FreshToolRegistry()
{
    DeleteTree(HKEY_CURRENT_USER, L"Software\\Halden");
    DeleteTree(HKEY_LOCAL_MACHINE, L"Software\\Halden");
    SetWindowsVersion(L"win10");
    SetDword(HKEY_CURRENT_USER, kMetricsPath, L"AppliedDPI", 96);
}

void SetRaw(HKEY root, const wchar_t* path, const wchar_t* name, DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    if (RegCreateKeyW(root, path, &key) != ERROR_SUCCESS) return;
    RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

DWORD GetDword(HKEY root, const wchar_t* path, const wchar_t* name)
{
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!GetRaw(root, path, name, &type, &data) || data.size() != 4) return 0xDEAD;
    return *reinterpret_cast<DWORD*>(data.data());
}

std::unique_ptr<Process> StartHelper(const std::wstring& arguments)
{
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, L"TessalyHelperReady");
    ResetEvent(ready);
    auto helper = std::make_unique<Process>(Quoted(kHelperExe) + L" " + arguments);
    WaitForSingleObject(ready, 30000);
    CloseHandle(ready);
    return helper;
}

std::unique_ptr<Process> StartDesktopView() { return StartHelper(L"desktop-view"); }

void SetDword(HKEY root, const wchar_t* path, const wchar_t* name, DWORD value)
{
    SetRaw(root, path, name, REG_DWORD, &value, 4);
}

void SetString(HKEY root, const wchar_t* path, const wchar_t* name, const std::wstring& text, DWORD type)
{
    SetRaw(root, path, name, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * 2));
}

bool GetRaw(HKEY root, const wchar_t* path, const wchar_t* name, DWORD* type, std::vector<BYTE>* data)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD size = 0;
    LONG result = RegQueryValueExW(key, name, nullptr, type, nullptr, &size);
    if (result == ERROR_SUCCESS) {
        data->assign(size, 0);
        result = RegQueryValueExW(key, name, nullptr, type, data->data(), &size);
    }
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

std::vector<BYTE> ReadFileBytes(const wchar_t* path)
{
    std::vector<BYTE> bytes;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    BYTE chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof(chunk), &read, nullptr) && read) bytes.insert(bytes.end(), chunk, chunk + read);
    CloseHandle(file);
    return bytes;
}

std::wstring ReadLogText()
{
    std::vector<BYTE> bytes = ReadFileBytes(kLogFile);
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
}

namespace {
struct TitledSearch {
    const wchar_t* title;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTitled(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<TitledSearch*>(data);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (std::wstring(className) == L"#32770" && WindowText(window) == search->title) search->found.push_back(window);
    return TRUE;
}
}  // namespace

std::vector<HWND> DialogsTitled(const wchar_t* title)
{
    TitledSearch search{title, {}};
    EnumWindows(CollectTitled, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(HWND (*finder)(), DWORD milliseconds)
{
    for (DWORD waited = 0; waited < milliseconds; waited += 20) {
        // Visible: its initialisation is over.
        HWND window = finder();
        if (window && IsWindowVisible(window)) return window;
        Sleep(20);
    }
    return nullptr;
}

bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds)
{
    for (DWORD waited = 0; waited < milliseconds; waited += 20) {
        if (condition()) return true;
        Sleep(20);
    }
    return condition();
}

std::wstring WindowText(HWND window)
{
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

HWND FindMainWindow() { return FindWindowW(L"MainWindowClass", L"Tessaly"); }

HWND FindDetailWindow() { return FindWindowW(L"DetailWindowClass", L"Tessaly"); }

HWND FindMessageBox()
{
    for (HWND window : DialogsTitled(L"Tessaly")) {
        if (GetDlgItem(window, 0xFFFF)) return window;
    }
    return nullptr;
}

HWND FindProgressWindow()
{
    for (HWND window : DialogsTitled(L"Tessaly")) {
        if (GetDlgItem(window, 1064)) return window;
    }
    return nullptr;
}

HWND FindSignOutPrompt()
{
    HWND prompt = FindWindowW(L"#32770", L"サインアウトしてください。");
    return prompt ? prompt : FindWindowW(L"#32770", L"ログオフしてください。");
}

HWND FindRestoreDialog() { return FindWindowW(L"#32770", L"出荷時の設定"); }

HWND FindOriginalDialog() { return FindWindowW(L"#32770", L"元の設定に戻す"); }

void Click(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

std::wstring ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

long RunToolAndClose(const std::wstring& arguments)
{
    Process tool(Quoted(kToolExe) + L" " + arguments);
    HWND main = WaitForWindow(FindMainWindow);
    if (!main) return -2;
    Click(main, 1004);
    return tool.Wait(30000);
}

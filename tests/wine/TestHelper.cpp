// A second program for the Wine tests:
//   hold             holds "CorvelChangeMutex" and shows a "MainWindowClass"
//                    window titled "Tessaly" until it is closed, as a running
//                    instance would;
//   append TAG N     appends N lines to the tool's log, as another run would;
//   version          exits with the Windows version class the tool computes;
//   load-library L   LoadLibraryW(L) as a program that searches its own
//                    folder first would: 0 when it loaded;
//   desktop-view     shows a "Progman" > "SHELLDLL_DefView" > "SysListView32"
//                    window tree, as the shell's desktop has, and exits with
//                    the wParam of the first WM_COMMAND the view receives
//                    (-2 when its lParam is not 0, -1 after 30 s without one);
//   progress T S [F] runs the progress window for switch type T with profile S
//                    chosen, after the tool's own start-up, and exits with its
//                    result; fault F: "no-thread" (no worker thread can be
//                    started) or "lost-end" (the worker's end message never
//                    reaches the window);
//   prompt-no-text   shows the sign-out prompt with no string loadable;
//   show-contrast    shows the main window with high contrast as the DWORD
//                    "HighContrast" under HKCU "Software\TessalyTest" says,
//                    read at every question (Wine cannot switch it itself);
//   help-keys        shows the main window beside another window of the same
//                    thread, presses F1 in the other window, then in the main
//                    window, closes it, and exits with 100 x the other help
//                    commands + 10 x the help topics shown + the times the
//                    viewer was closed at the end;
//   show W           shows one of the tool's windows alone for a screenshot:
//                    main, detail, progress, prompt, restore or original;
//   witness          shows a window and waits until it is ended;
//   sign-out-now     waits for the tool's main window, chooses profile 2,
//                    answers the sign-out prompt with "now" and ends;
//   close-main [F]   waits for the tool's main window and closes it; 1 when
//                    none appears; with F, first writes the texts of its three
//                    profile buttons to file F, one a line (UTF-16LE);
//   dismiss TITLE    answers each message box with that caption with OK
//                    until told to stop (stop-dismiss, or the event
//                    "TessalyDismissStop" set by a test), then exits with
//                    their number;
//   stop-dismiss     tells the dismisser that no more boxes can come;
//   wait-window C [T] waits up to 30 s for a window of class C (and title T):
//                    0 when it exists, 1 when it never came;
//   wait-shown C [T] the same for a visible window, and then has it and all
//                    its controls painted (for a screenshot);
//   listen F         shows a hidden top-level window that appends each
//                    WM_SETTINGCHANGE it hears to file F as a line "wParam
//                    area" (UTF-8), until it is ended or 60 s have passed;
//   freeze           shows a top-level window and never answers a message
//                    again, as a program that stopped responding; ends
//                    after 60 s;
//   metrics F [own]  writes the NONCLIENTMETRICSW and the caret width this new
//                    process sees to file F; with "own", first gives the
//                    caption and the menu sizes and fonts of a person's own
//                    and caret width 3, stored for later processes;
//   defaults         puts back what Windows has after a reset, behind the
//                    tool's back: window metrics and fonts (caption and menu
//                    18, border 1, scroll bars 16, 9-point fonts), the
//                    standard pointer scheme in the registry, loaded with
//                    SPI_SETCURSORS, and caret width 1;
//   caption [N]      sets the caption size to N when given, then exits with
//                    the caption width Windows reports to this new process
//                    (Wine keeps system parameters per process);
//   deny-writing K on|off  gives the key K under HKEY_CURRENT_USER an ACL
//                    that refuses writing (on), or that allows it again.
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/CorvelChg.h"
#include "engine/PointerRoles.h"
#include "res/resource.h"
#include "switch/ProgressDlg.h"
#include "ui/CorvelChgDlg.h"
#include "ui/DialogRestore.h"
#include "ui/FinishDlg.h"
#include "ui/SettingDlg.h"
#include "platform/win32/Win32Platform.h"
#include "tests/wine/KeyAcl.h"

#include <commctrl.h>
#include <shellapi.h>

namespace {

Win32Platform g_win32;

// Adapters that fail one thing, for the fault modes.
class NoThreadSystem : public Win32System {
public:
    BOOL StartThread(unsigned int (*)(void*), void*) override { return FALSE; }
};

class NoStrings : public Win32Strings {
public:
    int LoadText(UINT, char16_t*, int, DWORD* lastError) override
    {
        *lastError = ERROR_RESOURCE_NAME_NOT_FOUND;
        return 0;
    }
};

NoThreadSystem g_noThreadSystem;
NoStrings g_noStrings;

// High contrast as a test sets it in the registry.
class ContrastDisplay : public Win32Display {
public:
    BOOL SystemParameters(UINT action, UINT uiParam, void* pvParam, UINT winIni) override
    {
        if (action != SPI_GETHIGHCONTRAST) return Win32Display::SystemParameters(action, uiParam, pvParam, winIni);
        DWORD on = 0;
        DWORD size = sizeof(on);
        RegGetValueW(HKEY_CURRENT_USER, L"Software\\TessalyTest", L"HighContrast", RRF_RT_REG_DWORD, nullptr, &on, &size);
        static_cast<HIGHCONTRASTW*>(pvParam)->dwFlags = on ? HCF_HIGHCONTRASTON : 0;
        return TRUE;
    }
};
ContrastDisplay g_contrastDisplay;

int ShowContrast()
{
    static Platform contrast{g_win32.registry, g_win32.files, g_win32.sync, g_win32.windows, g_win32.strings,
                             g_win32.clock, g_win32.system, g_contrastDisplay, g_win32.cursors, g_win32.desktop, g_win32.events};
    SetPlatform(&contrast);
    CCorvelChgApp app;
    if (!app.InitInstance()) return 101;
    app.GetProfilesName();
    app.GetProfiles(static_cast<DWORD>(app.m_nMode), app.m_dwProfile);
    return static_cast<int>(CCorvelChgDlg().DoModal());
}

// Records the help calls instead of opening a viewer.
class RecordingHelp : public Win32Windows {
public:
    HWND HtmlHelp(HWND, const char16_t*, UINT command, std::uintptr_t) override
    {
        commands.push_back(command);
        return nullptr;
    }
    std::vector<UINT> commands;
};
RecordingHelp g_recordingHelp;

// Waits up to 30 s for a top-level window of the class (and title), visible
// when asked; null when none came.
HWND WaitTopWindow(const wchar_t* className, const wchar_t* title, bool visible)
{
    for (int i = 0; i < 1500; ++i) {
        HWND window = FindWindowW(className, title);
        if (window && (!visible || IsWindowVisible(window))) return window;
        Sleep(20);
    }
    return nullptr;
}

HWND WaitVisible(const wchar_t* className, const wchar_t* title) { return WaitTopWindow(className, title, true); }

int HelpKeys()
{
    static Platform recording{g_win32.registry, g_win32.files, g_win32.sync, g_recordingHelp, g_win32.strings,
                              g_win32.clock, g_win32.system, g_win32.display, g_win32.cursors, g_win32.desktop, g_win32.events};
    SetPlatform(&recording);
    CCorvelChgApp app;
    if (!app.InitInstance()) return 101;
    app.GetProfilesName();
    HWND other = CreateWindowW(L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    // Handled by the main window's loop, before the keys below.
    PostMessageW(other, WM_KEYDOWN, VK_F1, 0);
    std::thread keys([] {
        HWND main = WaitVisible(L"MainWindowClass", L"Tessaly");
        if (!main) return;
        PostMessageW(GetDlgItem(main, IDC_MODE0), WM_KEYDOWN, VK_F1, 0);
        PostMessageW(main, WM_CLOSE, 0, 0);
    });
    CCorvelChgDlg().DoModal();
    keys.join();
    app.CloseHelp();
    int topics = 0;
    int closes = 0;
    int others = 0;
    for (UINT command : g_recordingHelp.commands) {
        topics += command == HH_DISPLAY_TOPIC;
        closes += command == HH_CLOSE_ALL;
        others += command != HH_DISPLAY_TOPIC && command != HH_CLOSE_ALL;
    }
    return others * 100 + topics * 10 + closes;
}

// A progress window whose end message from the worker is lost on the way.
class LosingProgressDlg : public CProgressDlg {
public:
    BOOL PreTranslateMessage(MSG* message) override
    {
        if (message->message == WM_END_FROM_THREAD) return TRUE;
        return CProgressDlg::PreTranslateMessage(message);
    }
};

LRESULT CALLBACK HoldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

int Hold()
{
    HANDLE mutex = CreateMutexW(nullptr, FALSE, L"CorvelChangeMutex");
    WNDCLASSW wc{};
    wc.lpfnWndProc = HoldProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"MainWindowClass";
    RegisterClassW(&wc);
    HWND window = CreateWindowW(L"MainWindowClass", L"Tessaly", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 200,
                                nullptr, nullptr, wc.hInstance, nullptr);
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, L"TessalyHelperReady");
    SetEvent(ready);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    (void)window;
    CloseHandle(ready);
    CloseHandle(mutex);
    return 0;
}

LRESULT CALLBACK ViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) PostQuitMessage(lParam == 0 ? static_cast<int>(wParam) : -2);
    return DefWindowProcW(window, message, wParam, lParam);
}

int DesktopView()
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.lpszClassName = L"Progman";
    RegisterClassW(&wc);
    wc.lpfnWndProc = ViewProc;
    wc.lpszClassName = L"SHELLDLL_DefView";
    RegisterClassW(&wc);
    HWND progman = CreateWindowW(L"Progman", L"Program Manager", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, instance, nullptr);
    HWND view = CreateWindowW(L"SHELLDLL_DefView", L"", WS_CHILD, 0, 0, 100, 100, progman, nullptr, instance, nullptr);
    CreateWindowW(L"SysListView32", L"FolderView", WS_CHILD, 0, 0, 100, 100, view, nullptr, instance, nullptr);
    SetTimer(nullptr, 0, 30000, nullptr);
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, L"TessalyHelperReady");
    SetEvent(ready);
    MSG msg;
    int result = -1;
    while (true) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            result = static_cast<int>(msg.wParam);
            break;
        }
        if (got < 0 || msg.message == WM_TIMER) break;
        DispatchMessageW(&msg);
    }
    CloseHandle(ready);
    return result;
}

int Show(const std::wstring& window)
{
    CCorvelChgApp app;
    if (!app.InitInstance()) return 101;
    app.GetProfilesName();
    app.m_nSelMode = 2;
    if (window == L"main") return static_cast<int>(CCorvelChgDlg().DoModal());
    if (window == L"detail") {
        CSettingDlg detail;
        return static_cast<int>(detail.DoModal());
    }
    if (window == L"prompt") {
        CFinishDlg prompt;
        prompt.m_nSwitchType = SWITCH_MODE;
        return static_cast<int>(prompt.DoModal());
    }
    if (window == L"restore" || window == L"original") {
        CDialogRestore confirm(window == L"restore" ? IDD_RESTORE : IDD_ORIGINAL);
        return static_cast<int>(confirm.DoModal());
    }
    CProgressDlg progress;
    progress.m_nSwitchType = SWITCH_MODE;
    return static_cast<int>(progress.DoModal());
}

int SignOutNow()
{
    HWND main = WaitVisible(L"MainWindowClass", L"Tessaly");
    if (!main) return 1;
    PostMessageW(GetDlgItem(main, IDC_MODE2), BM_CLICK, 0, 0);
    HWND prompt = WaitVisible(L"#32770", L"サインアウトしてください。");
    if (!prompt) return 2;
    PostMessageW(GetDlgItem(prompt, IDC_NOW), BM_CLICK, 0, 0);
    return 0;
}

const wchar_t kDismissStop[] = L"TessalyDismissStop";

int Dismiss(const wchar_t* title)
{
    HANDLE stop = CreateEventW(nullptr, TRUE, FALSE, kDismissStop);
    int count = 0;
    HWND answered = nullptr;
    for (int i = 0; i < 3000; ++i) {  // 60 s at most
        bool stopping = WaitForSingleObject(stop, 0) == WAIT_OBJECT_0;
        HWND box = FindWindowW(L"#32770", title);
        if (box && box != answered && IsWindowVisible(box)) {
            PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
            answered = box;
            ++count;
        } else if (stopping) {
            break;  // the run that showed them has ended: no box can follow
        }
        Sleep(20);
    }
    ResetEvent(stop);
    CloseHandle(stop);
    return count;
}

int WaitWindow(const wchar_t* className, const wchar_t* title, bool shown)
{
    HWND window = WaitTopWindow(className, title, shown);
    if (!window) return 1;
    if (!shown) return 0;
    // The window and every control painted now, by its own thread (the paint
    // is sent, not posted, so this returns once it is done), however busy
    // the machine is.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored);
    return 0;
}

using Args = std::vector<std::wstring>;  // the words after the mode

int Append(const Args& args)
{
    CErrorLog log(TRUE);
    log.OpenLog();
    String16 tag(reinterpret_cast<const char16_t*>(args[0].c_str()));
    const int count = _wtoi(args[1].c_str());
    for (int i = 0; i < count; ++i) log.WriteLog(u"%s line %d", tag, i);
    return log.m_bLogEnabled ? 0 : 1;
}

int Witness(const Args&)
{
    CreateWindowW(L"STATIC", L"witness", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                  GetModuleHandleW(nullptr), nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}

std::wstring g_heardFile;

LRESULT CALLBACK ListenProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_SETTINGCHANGE) return DefWindowProcW(window, message, wParam, lParam);
    std::wstring area = lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"(null)";
    std::string line = std::to_string(wParam) + " " + std::string(area.begin(), area.end()) + "\n";
    HANDLE file = CreateFileW(g_heardFile.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
    DWORD written = 0;
    if (file != INVALID_HANDLE_VALUE) {
        WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        CloseHandle(file);
    }
    return 0;
}

// A top-level window of a class of its own, then the ready event.
HWND TopLevelWindow(const wchar_t* className, WNDPROC proc)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    RegisterClassW(&wc);
    HWND window = CreateWindowW(className, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, L"TessalyHelperReady");
    SetEvent(ready);
    CloseHandle(ready);
    return window;
}

int Listen(const Args& args)
{
    g_heardFile = args[0];
    TopLevelWindow(L"TessalyListener", ListenProc);
    SetTimer(nullptr, 0, 60000, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0 && msg.message != WM_TIMER) DispatchMessageW(&msg);
    return 0;
}

int Freeze(const Args&)
{
    TopLevelWindow(L"TessalyFrozen", DefWindowProcW);
    Sleep(60000);
    return 0;
}

int StopDismiss(const Args&)
{
    HANDLE stop = CreateEventW(nullptr, TRUE, FALSE, kDismissStop);
    SetEvent(stop);
    CloseHandle(stop);
    return 0;
}

const wchar_t* TitleArg(const Args& args) { return args.size() > 1 ? args[1].c_str() : nullptr; }

// The texts of the three profile buttons, one a line (UTF-16LE).
void WriteProfileTexts(HWND main, const std::wstring& path)
{
    std::wstring texts;
    for (int id : {IDC_MODE0, IDC_MODE1, IDC_MODE2}) {
        wchar_t text[260] = {};
        GetDlgItemTextW(main, id, text, 260);
        texts += std::wstring(text) + L"\n";
    }
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, texts.data(), static_cast<DWORD>(texts.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
}

int CloseMain(const Args& args)
{
    HWND main = WaitVisible(L"MainWindowClass", L"Tessaly");
    if (!main) return 1;
    if (!args.empty()) WriteProfileTexts(main, args[0]);
    PostMessageW(GetDlgItem(main, IDC_CLOSE), BM_CLICK, 0, 0);
    return 0;
}

int Progress(const Args& args)
{
    CCorvelChgApp app;
    // The tool's own switches only: the helper's words are not the tool's.
    if (wcsstr(GetCommandLineW(), L"/CreateLog")) app.m_lpCmdLine = u"/CreateLog";
    if (!app.InitInstance()) return 101;
    app.m_nSelMode = _wtoi(args[1].c_str());
    app.m_nAction = ACTION_SWITCH;
    const std::wstring fault = args.size() > 2 ? args[2] : L"";
    if (fault == L"no-thread") {
        static Platform noThread{g_win32.registry, g_win32.files, g_win32.sync, g_win32.windows, g_win32.strings,
                                 g_win32.clock, g_noThreadSystem, g_win32.display, g_win32.cursors, g_win32.desktop, g_win32.events};
        SetPlatform(&noThread);
    }
    LosingProgressDlg losing;
    CProgressDlg plain;
    CProgressDlg& progress = fault == L"lost-end" ? losing : plain;
    progress.m_nSwitchType = _wtoi(args[0].c_str());
    return static_cast<int>(progress.DoModal());
}

int PromptNoText(const Args&)
{
    CCorvelChgApp app;
    if (!app.InitInstance()) return 101;
    static Platform noStrings{g_win32.registry, g_win32.files, g_win32.sync, g_win32.windows, g_noStrings,
                              g_win32.clock, g_win32.system, g_win32.display, g_win32.cursors, g_win32.desktop, g_win32.events};
    SetPlatform(&noStrings);
    CFinishDlg prompt;
    prompt.m_nSwitchType = SWITCH_MODE;
    return static_cast<int>(prompt.DoModal());
}

int Caption(const Args& args)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return -1;
    if (!args.empty()) {
        metrics.iCaptionWidth = metrics.iCaptionHeight = _wtoi(args[0].c_str());
        metrics.lfCaptionFont.lfHeight = -12;
        SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(metrics), &metrics, SPIF_UPDATEINIFILE);
    }
    return metrics.iCaptionWidth;
}

int Defaults(const Args&)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return 1;
    metrics.iCaptionWidth = metrics.iCaptionHeight = 18;
    metrics.iMenuWidth = metrics.iMenuHeight = 18;
    metrics.iBorderWidth = 1;
    metrics.iScrollWidth = metrics.iScrollHeight = 16;
    metrics.lfCaptionFont.lfHeight = metrics.lfMenuFont.lfHeight = -12;
    SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(metrics), &metrics, SPIF_UPDATEINIFILE);
    HKEY cursors = nullptr;
    if (RegCreateKeyW(HKEY_CURRENT_USER, L"Control Panel\\Cursors", &cursors) != ERROR_SUCCESS) return 2;
    for (const PointerRole& role : kPointerRoles) {
        std::wstring file = reinterpret_cast<const wchar_t*>(role.files[0]);
        std::wstring text = file.empty() ? L"" : L"%SystemRoot%\\cursors\\" + file;
        RegSetValueExW(cursors, reinterpret_cast<const wchar_t*>(role.valueName), 0, REG_EXPAND_SZ,
                       reinterpret_cast<const BYTE*>(text.c_str()), static_cast<DWORD>((text.size() + 1) * 2));
    }
    const wchar_t name[] = L"Windows Default";
    RegSetValueExW(cursors, L"", 0, REG_SZ, reinterpret_cast<const BYTE*>(name), sizeof(name));
    DWORD source = 2;
    RegSetValueExW(cursors, L"Scheme Source", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&source), sizeof(source));
    RegCloseKey(cursors);
    SystemParametersInfoW(SPI_SETCURSORS, 0, nullptr, 0);
    SystemParametersInfoW(SPI_SETCARETWIDTH, 0, reinterpret_cast<void*>(1), SPIF_UPDATEINIFILE);
    return 0;
}

int Metrics(const Args& args)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return 1;
    if (args.size() > 1 && args[1] == L"own") {
        metrics.iCaptionWidth = metrics.iCaptionHeight = 27;
        metrics.lfCaptionFont.lfHeight = -17;
        wcscpy(metrics.lfCaptionFont.lfFaceName, L"Noto Sans CJK JP");
        metrics.iMenuWidth = metrics.iMenuHeight = 23;
        metrics.lfMenuFont.lfHeight = -15;
        wcscpy(metrics.lfMenuFont.lfFaceName, L"Noto Sans CJK JP");
        SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(metrics), &metrics, SPIF_UPDATEINIFILE);
        SystemParametersInfoW(SPI_SETCARETWIDTH, 0, reinterpret_cast<void*>(3), SPIF_UPDATEINIFILE);
    }
    DWORD caretWidth = 0;
    SystemParametersInfoW(SPI_GETCARETWIDTH, 0, &caretWidth, 0);
    HANDLE file = CreateFileW(args[0].c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 2;
    DWORD written = 0;
    WriteFile(file, &metrics, sizeof(metrics), &written, nullptr);
    WriteFile(file, &caretWidth, sizeof(caretWidth), &written, nullptr);
    CloseHandle(file);
    return 0;
}

const struct {
    const wchar_t* mode;
    size_t leastArgs;
    int (*run)(const Args& args);
} kModes[] = {
    {L"hold", 0, [](const Args&) { return Hold(); }},
    {L"append", 2, Append},
    {L"version", 0, [](const Args&) { return CCorvelChgApp().GetOsVersion(); }},
    {L"load-library", 1, [](const Args& args) { return LoadLibraryW(args[0].c_str()) ? 0 : 1; }},
    {L"desktop-view", 0, [](const Args&) { return DesktopView(); }},
    {L"progress", 2, Progress},
    {L"prompt-no-text", 0, PromptNoText},
    {L"show-contrast", 0, [](const Args&) { return ShowContrast(); }},
    {L"help-keys", 0, [](const Args&) { return HelpKeys(); }},
    {L"show", 1, [](const Args& args) { return Show(args[0]); }},
    {L"witness", 0, Witness},
    {L"sign-out-now", 0, [](const Args&) { return SignOutNow(); }},
    {L"close-main", 0, CloseMain},
    {L"dismiss", 1, [](const Args& args) { return Dismiss(args[0].c_str()); }},
    {L"stop-dismiss", 0, StopDismiss},
    {L"wait-window", 1, [](const Args& args) { return WaitWindow(args[0].c_str(), TitleArg(args), false); }},
    {L"wait-shown", 1, [](const Args& args) { return WaitWindow(args[0].c_str(), TitleArg(args), true); }},
    {L"caption", 0, Caption},
    {L"listen", 1, Listen},
    {L"metrics", 1, Metrics},
    {L"defaults", 0, Defaults},
    {L"freeze", 0, Freeze},
    {L"deny-writing", 2,
     [](const Args& args) { return DenyWritingKey(HKEY_CURRENT_USER, args[0].c_str(), args[1] == L"on") ? 0 : 1; }},
};

}  // namespace

// 100 for a mode that is not known or lacks its words.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    SetPlatform(&g_win32.platform);
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 2) return 100;
    const Args args(argv + 2, argv + argc);
    for (const auto& mode : kModes) {
        if (wcscmp(argv[1], mode.mode) == 0 && args.size() >= mode.leastArgs) return mode.run(args);
    }
    return 100;
}

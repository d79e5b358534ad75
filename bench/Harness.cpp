// Times the tool and the baselines from inside Wine; prints milliseconds.
//   window EXE CLASS TITLE   process start until its window is visible and
//                            idle for input; the window is then closed
//   process "COMMAND LINE"   process start until the process has ended
//   switch EXE               click on the first mode button until the tool
//                            has ended (no DPI change: no sign-out prompt)
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

double Now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool Start(std::wstring commandLine, PROCESS_INFORMATION* info)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    return CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, info);
}

HWND WaitVisible(const wchar_t* className, const wchar_t* title)
{
    for (int i = 0; i < 60000; ++i) {
        HWND window = FindWindowW(className, title);
        if (window && IsWindowVisible(window)) return window;
        Sleep(0);
    }
    return nullptr;
}

void Finish(PROCESS_INFORMATION& info)
{
    WaitForSingleObject(info.hProcess, 30000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    std::wstring mode = argc > 1 ? argv[1] : L"";
    PROCESS_INFORMATION info{};
    if (mode == L"window" && argc > 4) {
        double start = Now();
        if (!Start(L"\"" + std::wstring(argv[2]) + L"\"", &info)) return 1;
        WaitForInputIdle(info.hProcess, 30000);
        HWND window = WaitVisible(argv[3], argv[4]);
        double elapsed = Now() - start;
        if (!window) return 2;
        PostMessageW(window, WM_CLOSE, 0, 0);
        Finish(info);
        std::printf("%.2f\n", elapsed);
        return 0;
    }
    if (mode == L"process" && argc > 2) {
        double start = Now();
        if (!Start(argv[2], &info)) return 1;
        WaitForSingleObject(info.hProcess, 60000);
        double elapsed = Now() - start;
        Finish(info);
        std::printf("%.2f\n", elapsed);
        return 0;
    }
    if (mode == L"switch" && argc > 2) {
        if (!Start(L"\"" + std::wstring(argv[2]) + L"\"", &info)) return 1;
        HWND main = WaitVisible(L"MainWindowClass", L"Tessaly");
        if (!main) return 2;
        Sleep(200);
        double start = Now();
        PostMessageW(GetDlgItem(main, 1073), BM_CLICK, 0, 0);
        WaitForSingleObject(info.hProcess, 60000);
        double elapsed = Now() - start;
        Finish(info);
        std::printf("%.2f\n", elapsed);
        return 0;
    }
    return 3;
}

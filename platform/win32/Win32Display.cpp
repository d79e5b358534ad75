#include "platform/win32/Win32Platform.h"

#include <algorithm>
#include <memory>

#include "platform/win32/SystemLibrary.h"

BOOL Win32Display::SystemParameters(UINT action, UINT uiParam, void* pvParam, UINT winIni)
{
    return ::SystemParametersInfoW(action, uiParam, pvParam, winIni);
}

namespace {

// One broadcast, shared by the caller and the thread that sends it: either
// may be the last to let go, since the caller stops waiting at its bound.
struct Broadcast {
    UINT action = 0;
    const char16_t* area = nullptr;
    DWORD error = ERROR_SUCCESS;
};

// SMTO_ABORTIFHUNG passes over a window whose thread has stopped answering,
// without waiting. SMTO_NOTIMEOUTIFNOTHUNG is left out: with it the time-out
// would not hold while the receiver processes messages, so a program that
// opens a box inside its handler could keep us without a limit.
DWORD WINAPI SendBroadcast(void* param)
{
    std::unique_ptr<std::shared_ptr<Broadcast>> owner(static_cast<std::shared_ptr<Broadcast>*>(param));
    Broadcast& broadcast = **owner;
    // The call does not always set an error of its own when it fails.
    SetLastError(ERROR_SUCCESS);
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, broadcast.action,
                             reinterpret_cast<LPARAM>(broadcast.area), SMTO_ABORTIFHUNG, kAnnounceWindowTimeout,
                             &answer)) {
        broadcast.error = GetLastError() != ERROR_SUCCESS ? GetLastError() : ERROR_GEN_FAILURE;
    }
    return 0;
}

// Waits for the thread at most waitMs. The broadcast reaches this thread's
// own windows too: messages sent to them are answered while waiting; posted
// ones stay in the queue. *waited gets the time it waited.
bool WaitAnswering(HANDLE thread, DWORD waitMs, DWORD* waited)
{
    const HANDLE handles[] = {thread};
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        const ULONGLONG spent = GetTickCount64() - start;
        const DWORD left = spent < waitMs ? static_cast<DWORD>(waitMs - spent) : 0;
        const DWORD woke = MsgWaitForMultipleObjects(1, handles, FALSE, left, QS_SENDMESSAGE);
        *waited = static_cast<DWORD>(std::min<ULONGLONG>(GetTickCount64() - start, waitMs));
        if (woke != WAIT_OBJECT_0 + 1) return woke == WAIT_OBJECT_0;
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

}  // namespace

int Win32Display::AnnounceChange(UINT action, const char16_t* area, DWORD waitMs, DWORD* waited)
{
    *waited = 0;
    auto broadcast = std::make_shared<Broadcast>();
    broadcast->action = action;
    broadcast->area = area;
    auto* ticket = new std::shared_ptr<Broadcast>(broadcast);
    ScopedKernelHandle thread(CreateThread(nullptr, 0, SendBroadcast, ticket, 0, nullptr));
    if (!thread) {
        const DWORD error = GetLastError();
        delete ticket;
        SetLastError(error);
        return ANNOUNCE_FAILED;
    }
    const bool ended = WaitAnswering(thread.Get(), waitMs, waited);
    if (!ended) {
        std::lock_guard<std::mutex> guard(m_lock);
        m_goingOut.emplace_back(action, std::move(thread));
        return ANNOUNCE_STILL_RUNNING;
    }
    if (broadcast->error == ERROR_SUCCESS) return ANNOUNCE_DONE;
    SetLastError(broadcast->error);  // the sending thread's, for LastError()
    return ANNOUNCE_FAILED;
}

std::vector<UINT> Win32Display::FinishAnnouncements(DWORD waitMs)
{
    std::vector<std::pair<UINT, ScopedKernelHandle>> goingOut;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        goingOut.swap(m_goingOut);
    }
    std::vector<UINT> cut;
    DWORD left = waitMs;
    for (auto& [action, thread] : goingOut) {
        DWORD waited = 0;
        if (!WaitAnswering(thread.Get(), left, &waited)) cut.push_back(action);
        left -= waited;
    }
    return cut;
}

BOOL Win32Display::SetCaretBlinkTime(UINT milliseconds) { return ::SetCaretBlinkTime(milliseconds); }

UINT Win32Display::CaretBlinkTime() { return ::GetCaretBlinkTime(); }

// The theme service is loaded from the system folder, not imported: an
// imported library is looked for beside the program first.
BOOL Win32Display::IsThemeActive()
{
    using IsThemeActiveFunction = BOOL(WINAPI*)();
    static IsThemeActiveFunction isThemeActive =
        SystemFunction<IsThemeActiveFunction>(LoadSystemLibrary(L"uxtheme.dll"), "IsThemeActive");
    return isThemeActive ? isThemeActive() : FALSE;
}

namespace {
// The screen's DC, given back to the window manager on every path.
struct ScreenDcTraits : NullMeansNone {
    using Handle = HDC;
    static void Close(HDC dc) { ReleaseDC(nullptr, dc); }
};
}  // namespace

UINT Win32Display::ScreenDpi()
{
    ScopedHandle<ScreenDcTraits> screen(GetDC(nullptr));
    if (!screen) return 0;
    const int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSX);
    return dpi > 0 ? static_cast<UINT>(dpi) : 0;
}

DWORD Win32Display::LastError() { return GetLastError(); }

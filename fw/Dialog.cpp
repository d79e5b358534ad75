#include "fw/Dialog.h"

#include "fw/WinApp.h"
#include "res/resource.h"

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

void CWnd::DrawItem(const DRAWITEMSTRUCT*) {}

INT_PTR CDialog::DoModal()
{
    // Without an owner of its own, the dialog belongs to the window the user
    // is working in, which stays disabled while it is open.
    if (!m_hOwner) m_hOwner = GetActiveWindow();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND window = CreateDialogParamW(instance, MAKEINTRESOURCEW(m_nIDTemplate), m_hOwner, DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    if (!window) return -1;
    bool ownerEnabled = m_hOwner && IsWindowEnabled(m_hOwner);
    if (ownerEnabled) EnableWindow(m_hOwner, FALSE);
    m_bInModalLoop = m_nModalResult == -1;  // OnInitDialog may already have ended it
    if (m_bInModalLoop) ShowWindow(window, SW_SHOW);
    MSG message;
    while (m_bInModalLoop) {
        BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (!PreTranslateMessage(&message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (TakeEndFromThread()) break;
    }
    if (ownerEnabled) EnableWindow(m_hOwner, TRUE);
    DestroyWindow(window);
    m_hWnd = nullptr;
    for (CWnd* control : m_boundControls) control->m_hWnd = nullptr;
    m_boundControls.clear();
    return m_nModalResult;
}

void CDialog::EndDialog(int result)
{
    m_nModalResult = result;
    m_bInModalLoop = false;
    if (m_hWnd) PostMessageW(m_hWnd, WM_NULL, 0, 0);  // wake the loop
}

// The request is kept beside the message, and the modal loop looks at it
// after every message: the message only wakes the loop, so one that is lost
// or swallowed cannot keep the dialog open. A post fails only when the queue
// is full, and then the loop has messages enough to wake for.
void CDialog::EndDialogFromThread(int result)
{
    m_nEndFromThreadResult = result;
    m_bEndFromThread = true;
    PostMessageW(m_hWnd, WM_END_FROM_THREAD, static_cast<WPARAM>(result), 0);
}

bool CDialog::TakeEndFromThread()
{
    if (!m_bEndFromThread.exchange(false)) return false;
    EndDialog(m_nEndFromThreadResult);
    return true;
}

CDialog::CDialog(UINT templateId, HWND owner)
    : m_hIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP))), m_nIDTemplate(templateId), m_hOwner(owner)
{
}

BOOL CDialog::OnInitDialog()
{
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    DoDataExchange();
    return TRUE;
}

// The dialog manager's keyboard handling (Tab, Enter, Esc, mnemonics). A
// dialog that returns FALSE without calling this sends the message straight
// to its window instead.
BOOL CDialog::PreTranslateMessage(MSG* message) { return IsDialogMessageW(m_hWnd, message); }

bool CDialog::IsOwnWindow(HWND window) const { return window && (window == m_hWnd || IsChild(m_hWnd, window)); }

void CDialog::DDX_Control(int id, CWnd& control)
{
    control.m_hWnd = GetDlgItem(id);
    if (!control.m_hWnd) return;
    control.PreSubclassWindow();
    m_boundControls.push_back(&control);
}

CWnd* CDialog::BoundControl(HWND window) const
{
    for (CWnd* control : m_boundControls) {
        if (control->m_hWnd == window) return control;
    }
    return nullptr;
}

// How a message reaches a handler: reflected notifications go to the bound
// control first, then the dialog's message map, then the OK/Cancel defaults.
bool CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result)
{
    if (message == WM_END_FROM_THREAD) {
        TakeEndFromThread();
        return true;
    }
    // High contrast or the system colours changed: every owner-drawn control
    // paints again with its new choice.
    if (message == WM_SYSCOLORCHANGE || message == WM_SETTINGCHANGE) {
        RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return false;
    }
    if (message == WM_DRAWITEM) {
        auto* drawItem = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (CWnd* control = BoundControl(drawItem->hwndItem)) {
            control->DrawItem(drawItem);
            *result = TRUE;
            return true;
        }
        return false;
    }
    if (message == WM_COMMAND && lParam) {
        if (CWnd* control = BoundControl(reinterpret_cast<HWND>(lParam))) {
            LRESULT childResult = 0;
            if (control->OnChildNotify(message, wParam, lParam, &childResult)) return true;
        }
    }
    for (const MessageMapEntry* entry = GetMessageMap(); entry && entry->kind != MessageMapEntry::End; ++entry) {
        if (entry->message != message) continue;
        if (entry->kind == MessageMapEntry::Command) {
            if (entry->id != LOWORD(wParam) || entry->code != HIWORD(wParam)) continue;
            (this->*entry->handler)();
            return true;
        }
        if (entry->kind == MessageMapEntry::CtlColor) {
            HBRUSH brush = (this->*entry->ctlColor)(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message);
            if (!brush) return false;
            *result = reinterpret_cast<INT_PTR>(brush);
            return true;
        }
        (this->*entry->handler)();
        return true;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return true;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return true;
        }
    }
    return false;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CDialog*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        dialog->m_hWnd = window;
        return dialog->OnInitDialog();
    }
    auto* dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!dialog) return FALSE;
    INT_PTR result = TRUE;
    if (!dialog->Dispatch(message, wParam, lParam, &result)) return FALSE;
    if (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN || message == WM_CTLCOLORDLG) return result;
    SetWindowLongPtrW(window, DWLP_MSGRESULT, 0);
    return result ? TRUE : FALSE;
}

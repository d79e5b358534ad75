#include "fw/Dialog.h"

#include <algorithm>

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
        if (m_band) m_band->FollowFocus(GetFocus());
    }
    if (ownerEnabled) EnableWindow(m_hOwner, TRUE);
    DestroyWindow(window);
    m_hWnd = nullptr;
    for (CWnd* control : m_boundControls) control->m_hWnd = nullptr;
    m_boundControls.clear();
    m_band.reset();
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
BOOL CDialog::PreTranslateMessage(MSG* message)
{
    if (m_band && message->message == WM_KEYDOWN && IsOwnWindow(message->hwnd) && m_band->OnKey(message->wParam)) {
        return TRUE;
    }
    return IsDialogMessageW(m_hWnd, message);
}

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

// How a message reaches a handler: a request from another thread to end,
// then reflected notifications to the bound control, the scroll band, the
// dialog's message map and last the OK/Cancel defaults.
bool CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result)
{
    if (message == WM_END_FROM_THREAD) {
        TakeEndFromThread();
        return true;
    }
    if (message == WM_SYSCOLORCHANGE || message == WM_SETTINGCHANGE) return RedrawForNewColors();
    if (message == WM_DRAWITEM) return ReflectDrawItem(lParam, result);
    if (message == WM_COMMAND && ReflectCommand(wParam, lParam)) return true;
    if (ScrollBand(message, wParam)) return true;
    if (FromMessageMap(message, wParam, lParam, result)) return true;
    return message == WM_COMMAND && OkOrCancel(wParam);
}

// High contrast or the system colours changed: every owner-drawn control
// paints again with its new choice. The dialog manager goes on as usual.
bool CDialog::RedrawForNewColors()
{
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return false;
}

bool CDialog::ReflectDrawItem(LPARAM lParam, INT_PTR* result)
{
    auto* drawItem = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    CWnd* control = BoundControl(drawItem->hwndItem);
    if (!control) return false;
    control->DrawItem(drawItem);
    *result = TRUE;
    return true;
}

bool CDialog::ReflectCommand(WPARAM wParam, LPARAM lParam)
{
    CWnd* control = lParam ? BoundControl(reinterpret_cast<HWND>(lParam)) : nullptr;
    if (!control) return false;
    LRESULT childResult = 0;
    return control->OnChildNotify(WM_COMMAND, wParam, lParam, &childResult) != FALSE;
}

// A control passes the wheel on to its parent, so the band scrolls wherever
// the focus is: in the band or in the rows that stay.
bool CDialog::ScrollBand(UINT message, WPARAM wParam)
{
    if (!m_band || message != WM_MOUSEWHEEL) return false;
    m_band->OnWheel(GET_WHEEL_DELTA_WPARAM(wParam));
    return true;
}

bool CDialog::FromMessageMap(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result)
{
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
    return false;
}

bool CDialog::OkOrCancel(WPARAM wParam)
{
    if (HIWORD(wParam) != BN_CLICKED) return false;
    if (LOWORD(wParam) == IDOK) {
        OnOK();
        return true;
    }
    if (LOWORD(wParam) == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

namespace {
Box ToBox(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

std::vector<HWND> ChildWindows(HWND dialog)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) children.push_back(child);
    return children;
}

// One line of text in the dialog's font: a step of the band's arrows and
// wheel, and two of them the least height the band keeps.
int LineHeight(HWND dialog)
{
    RECT line{0, 0, 0, 8};
    MapDialogRect(dialog, &line);
    return line.bottom;
}
}  // namespace

void CDialog::FitToWorkArea()
{
    RECT window{};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetWindowRect(m_hWnd, &window)) return;
    if (!GetMonitorInfoW(MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    Box placed = ToBox(window);
    const int excess = placed.Height() - (monitor.rcWork.bottom - monitor.rcWork.top);
    if (excess > 0) {
        // Wider by the scroll bar as far as the work area allows; beyond
        // that the bar covers the right margin.
        const int room = (monitor.rcWork.right - monitor.rcWork.left) - placed.Width();
        const int widen = std::max(0, std::min(GetSystemMetrics(SM_CXVSCROLL), room));
        const int shift = MakeBand(excess, widen);
        placed.bottom -= shift;
        if (shift > 0) placed.right += widen;
    }
    placed = PlaceWindow(placed, ToBox(monitor.rcWork));
    if (placed == ToBox(window)) return;  // it fits where it is: not a pixel changes
    SetWindowPos(m_hWnd, nullptr, placed.left, placed.top, placed.Width(), placed.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// The rows between the header and the button row go to the band, and the
// button row moves up over the height given up. Returns that height; 0
// when there is no band (the window then keeps its height).
int CDialog::MakeBand(int excess, int widen)
{
    const std::vector<HWND> children = ChildWindows(m_hWnd);
    std::vector<Box> boxes;
    for (HWND child : children) boxes.push_back(ClientBoxOf(m_hWnd, child));
    HWND header = m_nHeaderId ? GetDlgItem(m_nHeaderId) : nullptr;
    const int line = LineHeight(m_hWnd);
    const BandPlan plan = PlanBand(boxes, header ? ClientBoxOf(m_hWnd, header).bottom : 0, excess, 2 * line);
    if (plan.shift <= 0) return 0;
    std::vector<HWND> rows;
    for (size_t i = 0; i < children.size(); ++i) {
        if (KindOf(boxes[i], plan.top, plan.footerTop) == RowKind::Band) rows.push_back(children[i]);
    }
    RECT client{};
    GetClientRect(m_hWnd, &client);
    m_band = std::make_unique<CScrollBand>(m_hWnd, plan, rows, client.right + widen, line);
    if (!m_band->Made()) {
        m_band.reset();
        return 0;
    }
    for (size_t i = 0; i < children.size(); ++i) {
        if (KindOf(boxes[i], plan.top, plan.footerTop) != RowKind::Footer) continue;
        SetWindowPos(children[i], nullptr, boxes[i].left, boxes[i].top - plan.shift, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return plan.shift;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CDialog*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        dialog->m_hWnd = window;
        BOOL focusToFirst = dialog->OnInitDialog();
        HWND first = focusToFirst ? GetNextDlgTabItem(window, nullptr, FALSE) : nullptr;
        dialog->FitToWorkArea();
        if (!focusToFirst || !dialog->m_band) return focusToFirst;
        // The first control as the template ordered them, wherever the band took it.
        SetFocus(first);
        return FALSE;
    }
    auto* dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!dialog) return FALSE;
    INT_PTR result = TRUE;
    if (!dialog->Dispatch(message, wParam, lParam, &result)) return FALSE;
    if (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN || message == WM_CTLCOLORDLG) return result;
    SetWindowLongPtrW(window, DWLP_MSGRESULT, 0);
    return result ? TRUE : FALSE;
}

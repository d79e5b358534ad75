#include "fw/ScrollBand.h"

#include <algorithm>
#include <iterator>

namespace {
constexpr wchar_t kBandClass[] = L"TessalyScrollBand";

bool RegisterBandClass(WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (GetClassInfoExW(GetModuleHandleW(nullptr), kBandClass, &windowClass)) return true;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = kBandClass;
    return RegisterClassExW(&windowClass) != 0;
}

// What the band's controls tell their parent is meant for the dialog.
constexpr UINT kForDialog[] = {WM_COMMAND,     WM_NOTIFY,         WM_DRAWITEM,     WM_MEASUREITEM,
                               WM_CTLCOLORBTN, WM_CTLCOLORSTATIC, WM_CTLCOLOREDIT, WM_CTLCOLORLISTBOX};

bool ForDialog(UINT message)
{
    return std::find(std::begin(kForDialog), std::end(kForDialog), message) != std::end(kForDialog);
}
}  // namespace

Box ClientBoxOf(HWND dialog, HWND control)
{
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

CScrollBand::CScrollBand(HWND dialog, const BandPlan& plan, const std::vector<HWND>& rows, int width, int line)
    : m_dialog(dialog), m_plan(plan), m_line(line > 0 ? line : 1)
{
    if (rows.empty() || !RegisterBandClass(WindowProc)) return;
    m_window = CreateWindowExW(WS_EX_CONTROLPARENT, kBandClass, nullptr, WS_CHILD | WS_VSCROLL | WS_CLIPCHILDREN, 0,
                               plan.top, width, plan.Page(), dialog, nullptr, GetModuleHandleW(nullptr), this);
    if (!m_window) return;
    // In the tab order where the first row was.
    HWND before = GetWindow(rows.front(), GW_HWNDPREV);
    SetWindowPos(m_window, before ? before : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (HWND row : rows) {
        Box box = ClientBoxOf(dialog, row);
        m_rows.push_back({row, box});
        // SetParent puts the control on top; last in line keeps the tab order.
        SetParent(row, m_window);
        SetWindowPos(row, HWND_BOTTOM, box.left, box.top - plan.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    }
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = plan.range + plan.Page() - 1;
    info.nPage = static_cast<UINT>(plan.Page());
    SetScrollInfo(m_window, SB_VERT, &info, FALSE);
    ShareUiState();
    ShowWindow(m_window, SW_SHOWNA);
}

// A new parent must show focus rectangles and access keys as the dialog
// does (SetParent leaves that to the caller); the band hands the state on
// to its rows.
void CScrollBand::ShareUiState()
{
    // WM_QUERYUISTATE answers with the flags of what is hidden.
    const auto hiddenInDialog = static_cast<WORD>(SendMessageW(m_dialog, WM_QUERYUISTATE, 0, 0));
    const WORD flags = UISF_HIDEFOCUS | UISF_HIDEACCEL;
    SendMessageW(m_window, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, hiddenInDialog & flags), 0);
    SendMessageW(m_window, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, ~hiddenInDialog & flags), 0);
}

// The dialog is being destroyed with everything in it; the window must not
// call back into a band that is gone.
CScrollBand::~CScrollBand()
{
    if (m_window) SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
}

LRESULT CALLBACK CScrollBand::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* band = reinterpret_cast<CScrollBand*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!band) return DefWindowProcW(window, message, wParam, lParam);
    if (ForDialog(message)) return SendMessageW(band->m_dialog, message, wParam, lParam);
    // A scroll message from a control in a row (lParam is its window) is the
    // dialog's; only the band's own bar (lParam 0) scrolls the rows.
    if ((message == WM_VSCROLL || message == WM_HSCROLL) && lParam != 0) {
        return SendMessageW(band->m_dialog, message, wParam, lParam);
    }
    if (message == WM_VSCROLL) {
        band->OnVScroll(LOWORD(wParam));
        return 0;
    }
    if (message == WM_MOUSEWHEEL) {
        band->OnWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void CScrollBand::OnVScroll(WORD code)
{
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_TRACKPOS;
    switch (code) {
    case SB_LINEUP: ScrollTo(m_position - m_line); break;
    case SB_LINEDOWN: ScrollTo(m_position + m_line); break;
    case SB_PAGEUP: ScrollTo(m_position - m_plan.Page()); break;
    case SB_PAGEDOWN: ScrollTo(m_position + m_plan.Page()); break;
    case SB_TOP: ScrollTo(0); break;
    case SB_BOTTOM: ScrollTo(m_plan.range); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        if (GetScrollInfo(m_window, SB_VERT, &info)) ScrollTo(info.nTrackPos);
        break;
    default: break;
    }
}

// Notches add up, so that a fine wheel's small steps still scroll.
void CScrollBand::OnWheel(int delta)
{
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    m_wheelRest += delta;
    const int notches = m_wheelRest / WHEEL_DELTA;
    if (notches == 0) return;
    m_wheelRest -= notches * WHEEL_DELTA;
    const int step = lines == WHEEL_PAGESCROLL ? m_plan.Page() : static_cast<int>(lines) * m_line;
    ScrollTo(m_position - notches * step);
}

bool CScrollBand::OnKey(WPARAM key)
{
    if (key == VK_PRIOR) {
        ScrollTo(m_position - m_plan.Page());
        return true;
    }
    if (key == VK_NEXT) {
        ScrollTo(m_position + m_plan.Page());
        return true;
    }
    return false;
}

void CScrollBand::FollowFocus(HWND focus)
{
    if (focus == m_focus) return;
    m_focus = focus;
    for (const Row& row : m_rows) {
        if (row.window != focus && !IsChild(row.window, focus)) continue;
        ScrollTo(ScrollToShow(m_plan, m_position, row.box.top, row.box.bottom));
        return;
    }
}

void CScrollBand::ScrollTo(int position)
{
    position = ClampScroll(m_plan, position);
    if (position == m_position || !m_window) return;
    ScrollWindowEx(m_window, 0, m_position - position, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    m_position = position;
    SetScrollPos(m_window, SB_VERT, position, TRUE);
    UpdateWindow(m_window);
}

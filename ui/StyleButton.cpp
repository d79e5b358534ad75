#include "ui/StyleButton.h"

#include "log/RunContext.h"

namespace {
// As a DIB section: no conversion to the display's format at load time.
HBITMAP LoadFace(UINT id)
{
    return static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}
}  // namespace

void CStyleButton::AddStatusTexts(const String16& text0, const String16& text1)
{
    m_arrStatusText.push_back(text0);
    m_arrStatusText.push_back(text1);
    UpdateAccessibleText();
}

void CStyleButton::AddStatusText(UINT id)
{
    m_arrStatusText.push_back(TheRun().LoadText(id));
    UpdateAccessibleText();
}

void CStyleButton::SetStatusBitmaps(UINT normalId, UINT selectedId)
{
    ScopedBitmap normal(LoadFace(normalId));
    ScopedBitmap selected(LoadFace(selectedId));
    m_arrStatusBitmap.clear();
    m_arrStatusBitmap.push_back(std::move(normal));
    m_arrStatusBitmap.push_back(std::move(selected));
}

void CStyleButton::AddStatusBitmap(UINT id) { m_arrStatusBitmap.emplace_back(LoadFace(id)); }

void CStyleButton::AddStatusColor(COLORREF color) { m_arrStatusColor.push_back(color); }

void CStyleButton::SetAccessibleName(const AccessibleName& name)
{
    m_accessibleName = name;
    UpdateAccessibleText();
}

void CStyleButton::SetStatus(UINT status)
{
    if (status >= static_cast<UINT>(m_nStatusNum)) return;
    m_nStatus = status;
    UpdateAccessibleText();
}

// Whatever the template declared (push button or check box), the button
// type becomes owner-drawn.
void CStyleButton::PreSubclassWindow()
{
    LONG style = GetWindowLongW(m_hWnd, GWL_STYLE);
    SetWindowLongW(m_hWnd, GWL_STYLE, style | BS_OWNERDRAW);
}

// Runs before the dialog's own handler of the click, which then sees the new status.
BOOL CStyleButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    UINT code = HIWORD(wParam);
    if (message == WM_COMMAND && (code == BN_CLICKED || code == BN_DOUBLECLICKED)) {
        InvalidateRect(m_hWnd, nullptr, TRUE);
        if (m_nStatus < static_cast<UINT>(m_nStatusNum) - 1) {
            ++m_nStatus;
        } else {
            m_nStatus = 0;
        }
        UpdateAccessibleText();
    }
    return CWnd::OnChildNotify(message, wParam, lParam, result);
}

// The face stretched over the whole button, the caption centred on one line
// in the status colour, the focus rectangle 2 pixels inside. A status
// without a face or a caption draws only what it has. In high contrast the
// system colours and a frame take the place of the face.
void CStyleButton::DrawItem(const DRAWITEMSTRUCT* drawItem)
{
    HDC dc = drawItem->hDC;
    RECT rect = drawItem->rcItem;
    const bool emphasized = m_bCurrent || (drawItem->itemState & ODS_SELECTED);
    const DWORD* statusColor = m_nStatus < m_arrStatusColor.size() ? &m_arrStatusColor[m_nStatus] : nullptr;
    const bool disabled = (drawItem->itemState & ODS_DISABLED) != 0;
    const ButtonPaint paint = ChooseButtonPaint(HighContrastOn(), emphasized, statusColor, disabled);
    if (paint.face) {
        DrawFace(dc, rect);
    } else {
        FillRect(dc, &rect, GetSysColorBrush(paint.background));
        DrawFrame(dc, rect, paint.frame, GetSysColor(paint.text));
    }
    if (m_nStatus < m_arrStatusText.size()) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, paint.sysColors ? GetSysColor(paint.text) : paint.textColor);
        // The caption as it stands: an "&" in a profile name is shown, not underlined.
        DrawTextW(dc, reinterpret_cast<const wchar_t*>(m_arrStatusText[m_nStatus].c_str()), -1, &rect,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (drawItem->itemState & ODS_FOCUS) {
        InflateRect(&rect, -2 - paint.frame, -2 - paint.frame);
        DrawFocusRect(dc, &rect);
    }
}

void CStyleButton::DrawFace(HDC dc, const RECT& rect)
{
    if (m_nStatus >= m_arrStatusBitmap.size() || !m_arrStatusBitmap[m_nStatus].Get()) return;
    SetStretchBltMode(dc, HALFTONE);
    HBITMAP face = m_arrStatusBitmap[m_nStatus].Get();
    MemoryDC memory(dc, face);
    BITMAP info{};
    GetObjectW(face, sizeof(info), &info);
    StretchBlt(dc, 0, 0, rect.right - rect.left, rect.bottom - rect.top, memory.Get(), 0, 0, info.bmWidth,
               info.bmHeight, SRCCOPY);
}

void CStyleButton::DrawFrame(HDC dc, RECT rect, int width, COLORREF color)
{
    ScopedHandle<GdiObjectTraits<HBRUSH>> brush(CreateSolidBrush(color));
    for (int i = 0; i < width && brush; ++i) {
        FrameRect(dc, &rect, brush.Get());
        InflateRect(&rect, -1, -1);
    }
}

void CStyleButton::UpdateAccessibleText()
{
    if (!m_hWnd) return;
    const String16 caption = m_nStatus < m_arrStatusText.size() ? m_arrStatusText[m_nStatus] : String16();
    SetWindowText(WithoutMnemonic(ComposeName(m_accessibleName, caption)).c_str());
}

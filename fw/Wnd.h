// A window as the dialogs see it: the handle and the few calls they make.
#pragma once

#include "platform/WinTypes.h"

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    void SetWindowText(const char16_t* text) const { ::SetWindowTextW(m_hWnd, reinterpret_cast<const wchar_t*>(text)); }
    void SetDlgItemText(int id, const char16_t* text) const
    {
        ::SetDlgItemTextW(m_hWnd, id, reinterpret_cast<const wchar_t*>(text));
    }

    // Called for a control bound to a dialog (DDX_Control): before the window
    // is subclassed, and for the notifications it sends to its parent, before
    // the parent's own handler. TRUE from OnChildNotify means handled.
    virtual void PreSubclassWindow() {}
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual void DrawItem(const DRAWITEMSTRUCT* drawItem);

    HWND m_hWnd = nullptr;
};

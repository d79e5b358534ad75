// The owner-drawn button of both windows: a list of statuses, each with a
// face bitmap, a caption and a text colour; a click shows the next status.
#pragma once

#include <vector>

#include "fw/Gdi.h"
#include "fw/Wnd.h"
#include "ui/ButtonLook.h"

class CStyleButton : public CWnd {
public:
    void AddStatusTexts(const String16& text0, const String16& text1);
    void AddStatusText(UINT id);
    void SetStatusBitmaps(UINT normalId, UINT selectedId);
    void AddStatusBitmap(UINT id);
    void AddStatusColor(COLORREF color);
    void SetStatus(UINT status);
    // The name a screen reader gives the button, kept with every status.
    void SetAccessibleName(const AccessibleName& name);

    void PreSubclassWindow() override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void DrawItem(const DRAWITEMSTRUCT* drawItem) override;

    UINT m_nStatus = 0;
    std::vector<String16> m_arrStatusText;
    std::vector<ScopedBitmap> m_arrStatusBitmap;
    std::vector<COLORREF> m_arrStatusColor;
    int m_nStatusNum = 2;
    // The current profile's button, drawn emphasized in high contrast.
    bool m_bCurrent = false;
    AccessibleName m_accessibleName;

private:
    void DrawFace(HDC dc, const RECT& rect);
    static void DrawFrame(HDC dc, RECT rect, int width, COLORREF color);
    // The accessible name is the window text, with "&" never a mnemonic.
    void UpdateAccessibleText();
};

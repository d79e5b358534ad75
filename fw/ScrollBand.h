// The scrolling rows of a dialog that is taller than the work area. The
// controls between the header and the button row move into one child
// window, the band, which has a vertical scroll bar and hands every
// notification of its controls on to the dialog: handlers, owner drawing,
// colours and the tab order are the same as in a window that fits.
#pragma once

#include <vector>

#include "fw/FitLayout.h"
#include "platform/WinTypes.h"

// A control's window rectangle in its dialog's client coordinates.
Box ClientBoxOf(HWND dialog, HWND control);

class CScrollBand {
public:
    // Moves `rows` into the band, which is `width` wide from `plan.top` to
    // `plan.bottom`, its scroll bar at the right, and is placed in the tab
    // order where the first of them was. `line` is one step of the arrows
    // and the wheel.
    CScrollBand(HWND dialog, const BandPlan& plan, const std::vector<HWND>& rows, int width, int line);
    ~CScrollBand();
    CScrollBand(const CScrollBand&) = delete;
    CScrollBand& operator=(const CScrollBand&) = delete;

    bool Made() const { return m_window != nullptr; }
    void OnWheel(int delta);
    // Page Up and Page Down; false for any other key.
    bool OnKey(WPARAM key);
    // A control of the band that has just received the focus is brought
    // into view.
    void FollowFocus(HWND focus);

private:
    struct Row {
        HWND window;
        Box box;  // in the dialog's client coordinates, unscrolled
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnVScroll(WORD code);
    void ShareUiState();
    void ScrollTo(int position);

    HWND m_dialog;
    HWND m_window = nullptr;
    BandPlan m_plan;
    std::vector<Row> m_rows;
    int m_line;
    int m_position = 0;
    int m_wheelRest = 0;
    HWND m_focus = nullptr;
};

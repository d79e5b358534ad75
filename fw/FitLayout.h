// Where a window goes on its monitor, and how the rows of a dialog that is
// taller than the work area share the height left: the header rows and the
// button row stay where they are, the rows between them (the band) scroll.
// Arithmetic only, in pixels, so that it can be tested anywhere.
#pragma once

#include <vector>

struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Box& other) const
    {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
};

// The window moved inside the work area, never with a part above or left of
// it: one that is taller or wider than the area starts at its top or left.
Box PlaceWindow(Box window, Box work);

enum class RowKind { Header, Band, Footer };

// The top of the button row: the lowest control and every control that
// reaches down beside it. 0 without controls.
int FooterTop(const std::vector<Box>& controls);
RowKind KindOf(const Box& control, int headerBottom, int footerTop);

// The band when the window gives up `excess` pixels of height: it shows
// [top, bottom) of the client area, the button row moves up by `shift` and
// keeps its gap to the band, and the band's rows scroll from 0 to `range`.
// The band keeps at least `minPage` pixels, so `shift` may be less than
// asked; 0 when there are no rows between the header and the button row.
struct BandPlan {
    int top = 0;
    int bottom = 0;
    int footerTop = 0;  // where the button row starts, before it moves
    int shift = 0;
    int range = 0;

    int Page() const { return bottom - top; }
};
BandPlan PlanBand(const std::vector<Box>& controls, int headerBottom, int excess, int minPage);

// The scroll position nearest to `position` at which the rows from `top` to
// `bottom` (client coordinates, unscrolled) are in view; a control taller
// than the band shows its top.
int ScrollToShow(const BandPlan& plan, int position, int top, int bottom);
int ClampScroll(const BandPlan& plan, int position);

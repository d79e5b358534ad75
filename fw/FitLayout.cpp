#include "fw/FitLayout.h"

#include <algorithm>

namespace {
int Inside(int start, int length, int areaStart, int areaEnd)
{
    return std::max(areaStart, std::min(start, areaEnd - length));
}
}  // namespace

Box PlaceWindow(Box window, Box work)
{
    const int width = window.Width();
    const int height = window.Height();
    Box placed;
    placed.left = Inside(window.left, width, work.left, work.right);
    placed.top = Inside(window.top, height, work.top, work.bottom);
    placed.right = placed.left + width;
    placed.bottom = placed.top + height;
    return placed;
}

int FooterTop(const std::vector<Box>& controls)
{
    if (controls.empty()) return 0;
    auto lowest = std::max_element(controls.begin(), controls.end(),
                                   [](const Box& a, const Box& b) { return a.bottom < b.bottom; });
    int top = lowest->top;
    for (const Box& control : controls) {
        if (control.bottom > lowest->top) top = std::min(top, control.top);
    }
    return top;
}

RowKind KindOf(const Box& control, int headerBottom, int footerTop)
{
    if (control.top >= footerTop) return RowKind::Footer;
    if (control.bottom <= headerBottom) return RowKind::Header;
    return RowKind::Band;
}

BandPlan PlanBand(const std::vector<Box>& controls, int headerBottom, int excess, int minPage)
{
    BandPlan plan;
    const int footerTop = FooterTop(controls);
    int contentBottom = headerBottom;
    for (const Box& control : controls) {
        if (KindOf(control, headerBottom, footerTop) == RowKind::Band) contentBottom = std::max(contentBottom, control.bottom);
    }
    plan.top = headerBottom;
    plan.bottom = contentBottom;
    plan.footerTop = footerTop;
    if (contentBottom == headerBottom || excess <= 0) return plan;
    plan.shift = std::max(0, std::min(excess, contentBottom - headerBottom - minPage));
    plan.bottom = contentBottom - plan.shift;
    plan.range = plan.shift;
    return plan;
}

int ClampScroll(const BandPlan& plan, int position) { return std::max(0, std::min(position, plan.range)); }

int ScrollToShow(const BandPlan& plan, int position, int top, int bottom)
{
    if (bottom - position > plan.bottom) position = bottom - plan.bottom;
    if (top - position < plan.top) position = top - plan.top;
    return ClampScroll(plan, position);
}

// Where a window goes on its monitor and how a dialog too tall for it
// scrolls its rows. The dialog is the detail window at 144 DPI in a 696
// pixel work area: a header row, a grid of rows and a button row.
#include <gtest/gtest.h>

#include "fw/FitLayout.h"

namespace {
const Box kHeading{432, 52, 621, 81};
const Box kStatus{30, 16, 198, 45};  // hidden, above the headings
const Box kFirstLevel{477, 88, 579, 132};
const Box kLastLevel{861, 606, 963, 650};
const Box kFrame{423, 88, 426, 657};  // a column line as tall as the grid
const Box kOk{615, 670, 795, 721};
const Box kCancel{816, 670, 996, 721};
const std::vector<Box> kDetail{kStatus, kHeading, kFirstLevel, kFrame, kLastLevel, kOk, kCancel};
constexpr int kExcess = 795 - 696;

TEST(FitLayout, TheButtonRowAndTheHeaderStayAndTheGridScrollsOverWhatIsGivenUp)
{
    EXPECT_EQ(FooterTop(kDetail), kOk.top);
    EXPECT_EQ(KindOf(kStatus, kHeading.bottom, kOk.top), RowKind::Header);
    EXPECT_EQ(KindOf(kFrame, kHeading.bottom, kOk.top), RowKind::Band);
    EXPECT_EQ(KindOf(kCancel, kHeading.bottom, kOk.top), RowKind::Footer);

    BandPlan plan = PlanBand(kDetail, kHeading.bottom, kExcess, 60);
    EXPECT_EQ(plan.top, kHeading.bottom);
    EXPECT_EQ(plan.footerTop, kOk.top);
    EXPECT_EQ(plan.shift, kExcess);
    EXPECT_EQ(plan.range, kExcess);
    EXPECT_EQ(plan.bottom, kFrame.bottom - kExcess);  // the gap above the buttons is kept
    EXPECT_EQ(plan.Page(), 477);
}

TEST(FitLayout, TheBandKeepsItsLeastHeightAndWithoutRowsThereIsNone)
{
    BandPlan plan = PlanBand(kDetail, kHeading.bottom, 2000, 60);
    EXPECT_EQ(plan.Page(), 60);
    EXPECT_EQ(plan.shift, kFrame.bottom - kHeading.bottom - 60);
    EXPECT_EQ(PlanBand({kHeading, kOk, kCancel}, kHeading.bottom, kExcess, 60).shift, 0);
    EXPECT_EQ(PlanBand(kDetail, kHeading.bottom, 0, 60).shift, 0);
    // Rows already lower than the least height: the button row never moves down.
    const int rows = kFrame.bottom - kHeading.bottom;
    plan = PlanBand(kDetail, kHeading.bottom, 2000, rows + 50);
    EXPECT_EQ(plan.shift, 0);
    EXPECT_EQ(plan.range, 0);
    EXPECT_EQ(plan.bottom, kFrame.bottom);
    EXPECT_EQ(FooterTop({}), 0);
    // The restore window's buttons are a pixel apart: one row.
    EXPECT_EQ(FooterTop({{0, 30, 10, 70}, {40, 84, 90, 99}, {120, 83, 170, 99}}), 83);
}

TEST(FitLayout, FocusScrollsTheLeastThatShowsTheControl)
{
    const BandPlan plan = PlanBand(kDetail, kHeading.bottom, kExcess, 60);
    const struct {
        int from;
        Box control;
        int to;
    } cases[] = {
        {0, kFirstLevel, 0},
        {0, kLastLevel, kLastLevel.bottom - plan.bottom},
        {kExcess, kFirstLevel, kFirstLevel.top - kHeading.bottom},
        {40, {477, 300, 579, 344}, 40},  // already in view
        {kExcess, kFrame, kFrame.top - kHeading.bottom},  // taller than the band: its top
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ScrollToShow(plan, c.from, c.control.top, c.control.bottom), c.to) << c.control.top;
    }
    EXPECT_EQ(ClampScroll(plan, -5), 0);
    EXPECT_EQ(ClampScroll(plan, kExcess + 1), kExcess);
}

TEST(FitLayout, AWindowIsMovedIntoTheWorkAreaNeverAboveOrLeftOfIt)
{
    const Box work{0, 0, 1366, 696};
    const Box leftMonitor{-1920, 0, 0, 1040};  // a second monitor left of the first
    const struct {
        Box window;
        Box work;
        Box placed;
    } cases[] = {
        {{176, 10, 1190, 680}, work, {176, 10, 1190, 680}},           // fits: unchanged
        {{176, -40, 1190, 630}, work, {176, 0, 1190, 670}},           // above the top
        {{900, 300, 1914, 900}, work, {352, 96, 1366, 696}},          // past the right and the bottom
        {{176, -49, 1190, 746}, work, {176, 0, 1190, 795}},           // taller: from the top
        {{-30, 10, 1400, 300}, work, {0, 10, 1430, 300}},             // wider: from the left
        {{100, 100, 500, 400}, leftMonitor, {-400, 100, 0, 400}},           // onto its own monitor
    };
    for (const auto& c : cases) EXPECT_EQ(PlaceWindow(c.window, c.work), c.placed) << c.window.left;
}
}  // namespace

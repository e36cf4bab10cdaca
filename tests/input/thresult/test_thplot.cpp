// The curves of the time-history results drawn into a recording context: the box and its
// margins, floor labels, scale tables, colours of the drift bars, labels and titles.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "THResultTestKit.h"

using namespace thtest;

namespace {

// The standard frame 300 x 380 less 20 a side is 260 x 340: the box is trunc(0.7 x 340) =
// 237 wide (0.7 x 340 falls just short of 238) at (31, 20); margins 45 and 23, so the plot
// is 168 wide and 250 high with its origin at (77, 315).
constexpr int kX0 = 77, kY0 = 315, kWp = 168;

bool HasLine(const std::vector<vyr::DrawRecord>& recs, POINT a, POINT b, COLORREF pen)
{
    for (const vyr::DrawRecord& r : recs)
        if (r.kind == vyr::DrawKind::Line && r.points[0].x == a.x && r.points[0].y == a.y && r.points[1].x == b.x &&
            r.points[1].y == b.y && r.state.pen.lopnColor == pen)
            return true;
    return false;
}

std::vector<std::string> FloorLabels(const std::vector<vyr::DrawRecord>& recs)
{
    std::vector<std::string> out;
    for (const vyr::DrawRecord& r : Texts(recs))
        if (r.text.rfind("Floor", 0) == 0)
            out.push_back(r.text);
    return out;
}

const COLORREF kGrey = RGB(128, 128, 128), kGreen = RGB(0, 128, 64), kRed = RGB(255, 0, 0);

} // namespace

TEST(THPlot, FloorsAreAllTickedAndLabelledAsOftenAsTheyHaveRoom)
{
    struct Case
    {
        int n;
        std::vector<std::string> labels;
    };
    // 250 pixels: 30 entries give 8 pixels a floor, so every second floor is labelled; 10
    // entries give 25, so every floor.
    std::vector<std::string> even;
    for (int i = 2; i < 30; i += 2)
        even.push_back("Floor" + std::to_string(i));
    const Case cases[] = {
        {30, even},
        {10, {"Floor1", "Floor2", "Floor3", "Floor4", "Floor5", "Floor6", "Floor7", "Floor8", "Floor9"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        const auto recs = Draw(PlotData(c.n), THPLOT_DISP);
        EXPECT_EQ(FloorLabels(recs), c.labels);
        int ticks = 0;
        for (const vyr::DrawRecord& r : recs)
            ticks += r.kind == vyr::DrawKind::Line && r.points[0].x == kX0 && r.points[1].x == kX0 + 3 &&
                     r.points[0].y == r.points[1].y;
        EXPECT_EQ(ticks, c.n - 1);
    }
    // Floor 2 of 30 lies at 600 of 8700 cm: 250 * 600 / 8700 = 17.2 pixels up.
    const auto recs = Draw(PlotData(30), THPLOT_DISP);
    const vyr::DrawRecord* floor2 = FindText(recs, "Floor2");
    ASSERT_NE(floor2, nullptr);
    EXPECT_EQ(floor2->points[0].x, kX0);
    EXPECT_EQ(floor2->points[0].y, kY0 - 17);
    EXPECT_EQ(floor2->state.textAlign, (UINT)(TA_RIGHT | TA_BASELINE));
}

TEST(THPlot, DisplacementCurveRunsFromTheOriginInGreyAndTheBoxFollowsItsPen)
{
    CTHPlotData d = PlotData(3);
    d.v[THPLOT_DISP][0] = {0.0f, 1.0f, 2.5f};
    // D = 2.5: full scale 3, 168 / 3 pixels a centimetre; storeys at 125 and 250 pixels.
    const auto recs = Draw(d, THPLOT_DISP);
    EXPECT_TRUE(HasLine(recs, {kX0, kY0}, {133, 190}, kGrey));
    EXPECT_TRUE(HasLine(recs, {133, 190}, {217, 65}, kGrey));
    const vyr::DrawRecord* label = FindText(recs, "2.50");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->points[0].x, 222);
    EXPECT_EQ(label->points[0].y, 75);
    EXPECT_EQ(label->state.textColor, kGreen);
    EXPECT_NE(FindText(recs, "X方向最大楼层位移=2.50(cm)"), nullptr);
    EXPECT_NE(FindText(recs, "X方向最大楼层位移曲线"), nullptr);
    EXPECT_TRUE(HasLine(recs, {31, 360}, {31, 20}, kGrey)) << "the box outline in the curve's pen";

    // Y has no displacement worth a curve: no labels, the box in the context's own pen.
    const auto flat = Draw(d, THPLOT_DISP, true);
    EXPECT_EQ(FindText(flat, "0.00"), nullptr);
    EXPECT_TRUE(HasLine(flat, {31, 360}, {31, 20}, RGB(0, 0, 0)));
    EXPECT_NE(FindText(flat, "Y方向最大楼层位移=0.00(cm)"), nullptr);
}

TEST(THPlot, DriftAboveTheLimitIsRedAndTheLargestStoreyIsFilled)
{
    struct Case
    {
        float a1, a2;
        int x1, x2;                  // bar ends: full scale 0.005, 33600 pixels a radian
        COLORREF line1, line2, fill; // storey 1, storey 2, the fill of the largest (storey 2)
    };
    const Case cases[] = {
        {0.004f, 0.0040001f, kX0 + 134, kX0 + 134, kGreen, kRed, kRed},
        {0.002f, 0.003f, kX0 + 67, kX0 + 100, kGreen, kGreen, kGreen},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.a2);
        CTHPlotData d = PlotData(3, 100.0);
        d.v[THPLOT_DISP][0][2] = 1.0f; // enough displacement for the bars
        d.v[THPLOT_DRIFT][0] = {0.0f, c.a1, c.a2};
        const auto recs = Draw(d, THPLOT_DRIFT);
        // Storeys from 315 to 190 and from 190 to 65.
        const int x1 = c.x1, x2 = c.x2;
        EXPECT_TRUE(HasLine(recs, {kX0, 190}, {x1, 190}, c.line1));
        EXPECT_TRUE(HasLine(recs, {x1, 190}, {x1, kY0}, c.line1));
        EXPECT_TRUE(HasLine(recs, {kX0, 65}, {x2, 65}, c.line2));
        int fills = 0;
        for (const vyr::DrawRecord& r : recs)
            if (r.kind == vyr::DrawKind::FillRect) {
                ++fills;
                EXPECT_EQ(r.color, c.fill);
                EXPECT_EQ(CRect(r.rect), CRect(kX0, 65, x2, 190));
            }
        EXPECT_EQ(fills, 1);
        // Labels at mid-storey, coloured as their bars.
        const std::vector<vyr::DrawRecord> texts = Texts(recs);
        int found = 0;
        for (const vyr::DrawRecord& t : texts)
            if (t.points[0].y == (kY0 + 190) / 2 && t.points[0].x == x1) {
                EXPECT_EQ(t.state.textColor, c.line1);
                ++found;
            }
        EXPECT_EQ(found, 1);
    }
}

TEST(THPlot, DriftLabelsAndTitles)
{
    CTHPlotData d = PlotData(4);
    d.v[THPLOT_DISP][0][3] = 1.0f;
    d.v[THPLOT_DRIFT][0] = {0.0f, 0.000009f, 0.00001f, 0.002f};
    const auto recs = Draw(d, THPLOT_DRIFT);
    EXPECT_NE(FindText(recs, "0.000"), nullptr) << "below 0.00001 no ratio";
    EXPECT_NE(FindText(recs, "1/100000.0"), nullptr);
    EXPECT_NE(FindText(recs, "1/500.0"), nullptr);
    EXPECT_NE(FindText(recs, "X方向最大层间角位移=1/500.0(rad)"), nullptr);
    // A direction without any drift has no ratio: its title shows 0.
    const auto none = Draw(d, THPLOT_DRIFT, true);
    EXPECT_NE(FindText(none, "Y方向最大层间角位移=0(rad)"), nullptr);
    EXPECT_NE(FindText(none, "Y方向最大层间角位移曲线"), nullptr);
}

TEST(THPlot, ScaleTableRowAtAndJustBelowEachBound)
{
    struct Case
    {
        int kind;
        float d;
        const char* last; // the label of the tenth tick
        const char* unit;
        int lastX; // where the tenth tick lies, -1 unchecked
    };
    const Case cases[] = {
        // The single-precision ticks: 10 x 168 / 0.05 x 0.005f lies just below 168, 10 x 168 /
        // 0.003 x 0.0003f just above (in double precision both the other way round).
        {THPLOT_DISP, 0.0499f, "5.0", "(0.01cm)", kX0 + kWp - 1},
        {THPLOT_DISP, 0.05f, "10.0", "(0.01cm)", -1},
        {THPLOT_DISP, 0.999f, "10.0", "(0.1cm)", -1},
        {THPLOT_DISP, 1.0f, "2.0", "(cm)", -1},
        {THPLOT_DISP, 2.999f, "3.0", "(cm)", -1},
        {THPLOT_DISP, 3.0f, "5.0", "(cm)", -1},
        {THPLOT_DISP, 12.0f, "15.0", "(cm)", -1},
        {THPLOT_DRIFT, 0.0000049f, "0.50", "(1e-5rad)", -1},
        {THPLOT_DRIFT, 0.000005f, "4.00", "(1e-5rad)", -1},
        {THPLOT_DRIFT, 0.0001f, "2.00", "(1e-4rad)", -1},
        {THPLOT_DRIFT, 0.00099f, "10.00", "(1e-4rad)", -1},
        {THPLOT_DRIFT, 0.001f, "2.00", "(1e-3rad)", -1},
        {THPLOT_DRIFT, 0.0029f, "3.00", "(1e-3rad)", kX0 + kWp},
        {THPLOT_DRIFT, 0.003f, "5.00", "(1e-3rad)", -1},
        {THPLOT_SHEAR, 0.99f, "1.0", "(kN)", -1},
        {THPLOT_SHEAR, 1.0f, "3.0", "(kN)", -1},
        {THPLOT_SHEAR, 10.0f, "1.5", "(10kN)", -1},
        {THPLOT_SHEAR, 999.0f, "10.0", "(1e2kN)", -1},
        {THPLOT_SHEAR, 1000.0f, "10.5", "(1e2kN)", -1},
        {THPLOT_MOMENT, -0.99f, "1.0", "(kN*m)", -1},
        {THPLOT_MOMENT, -14.99f, "1.5", "(10kN*m)", -1},
        {THPLOT_MOMENT, -200.0f, "5.0", "(1e2kN*m)", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.kind) + " " + std::to_string(c.d));
        CTHPlotData d = PlotData(2);
        const int entry = c.kind == THPLOT_DISP || c.kind == THPLOT_DRIFT ? 1 : 0;
        d.v[c.kind][0][(size_t)entry] = c.d;
        const std::vector<vyr::DrawRecord> texts = Texts(Draw(d, c.kind));
        // "0", the labels of ticks 2 to 10, then the unit.
        ASSERT_GE(texts.size(), 7u);
        EXPECT_EQ(texts[0].text, "0");
        EXPECT_EQ(texts[5].text, c.last);
        EXPECT_EQ(texts[6].text, c.unit);
        EXPECT_EQ(texts[6].points[0].y, kY0 + 10);
        if (c.lastX >= 0) {
            EXPECT_EQ(texts[5].points[0].x, c.lastX);
        }
    }
}

TEST(THPlot, NegativeMomentDrawsItsMagnitudeLabelledWithItsSign)
{
    THModel m(1);
    CTimeAnalyResult* r = new CTimeAnalyResult;
    r->SetFloorNum(2);
    r->SetFloorData(0, 0, 0, 700, -60000.0, 0, 0, 0, 0); // kN*cm
    r->SetFloorData(1, 1, 0.5, 500, -50000.0, 0, 0, 0, 0);
    m.st.m_pTimeAnalyResultList->Add(r);
    const CTHPlotData d = VyrTHPlotData(&m.st, VyrTHResultRow(m.st.m_pTimeAnalyResultList, 0));
    const auto recs = Draw(d, THPLOT_MOMENT);
    // D = 600 kN*m: full scale 1000, so -500 is a bar of 168 / 2 pixels to the right.
    EXPECT_TRUE(HasLine(recs, {kX0, 65}, {kX0 + 84, 65}, kGreen));
    EXPECT_TRUE(HasLine(recs, {kX0 + 84, 65}, {kX0 + 84, kY0}, kGreen));
    const vyr::DrawRecord* label = FindText(recs, "-500.00");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->points[0].x, kX0 + 84 + 5);
    EXPECT_EQ(label->points[0].y, (kY0 + 65) / 2);
    EXPECT_NE(FindText(recs, "X方向最大楼层弯矩=600.00(kN*m)"), nullptr);
}

TEST(THPlot, ShearTitleHasNoDecimalsFrom1000)
{
    struct Case
    {
        float largest;
        const char* title;
    };
    const Case cases[] = {
        {999.5f, "X方向最大楼层剪力=999.50(kN)"},
        {1000.0f, "X方向最大楼层剪力=1000(kN)"},
        {1234.6f, "X方向最大楼层剪力=1235(kN)"},
    };
    for (const Case& c : cases) {
        CTHPlotData d = PlotData(3);
        d.v[THPLOT_SHEAR][0] = {c.largest, 400.0f, 200.0f};
        EXPECT_NE(FindText(Draw(d, THPLOT_SHEAR), c.title), nullptr) << c.title;
    }
}

TEST(THPlot, NothingIsDrawnWithoutStoreysOrWithoutHeight)
{
    CTHPlotData one = PlotData(1);
    EXPECT_TRUE(Draw(one, THPLOT_SHEAR).empty());
    // All storeys at elevation 0: no vertical scale.
    CTHPlotData flat = PlotData(3, 0.0);
    flat.v[THPLOT_SHEAR][0] = {100.0f, 50.0f, 20.0f};
    for (int kind = THPLOT_DISP; kind <= THPLOT_MOMENT; ++kind)
        EXPECT_TRUE(Draw(flat, kind).empty()) << kind;
}

TEST(THPlot, AStoreyWithoutHeightHasNoDriftAngle)
{
    THModel m(2);
    m.st.m_pFloorList->Get(2)->m_dZ = 0.0; // storey 1 without height
    m.st.m_pFloorList->Relink();
    m.Result(3, 100, 100);
    const CTHPlotData d = VyrTHPlotData(&m.st, VyrTHResultRow(m.st.m_pTimeAnalyResultList, 0));
    ASSERT_EQ(d.n, 3);
    EXPECT_EQ(d.v[THPLOT_DRIFT][0][1], 0.0f);
    EXPECT_FLOAT_EQ(d.v[THPLOT_DRIFT][0][2], 0.5f / 600.0f) << "storey 2 reaches down to 0";
    EXPECT_FLOAT_EQ(d.v[THPLOT_MOMENT][1][2], 20.0f) << "moments in kN*m";
}

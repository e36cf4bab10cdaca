// The member internal-force query: its diagrams drawn on a recording device context, and the
// dialog under the scripted user on the sample model (list kinds, grid cells, the editor).
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include <vyr/controls.h>
#include <vyr/drawing/DlgBeamQueryForce.h>
#include <vyr/gdi.h>
#include <vyr/model/output/commonfuncs.h>
#include <vyr/model/struct/SampleModel.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/LoadCombRes.h>
#include <vyr/resources/dialogs/QueryForceRes.h>
#include <vyr/windc.h>

#include "hostkit/HostKit.h"
#include "support/DialogTest.h"

using vyr::ScriptedUser;

namespace {

// The diagram control's client area of 170 x 45 units, roughly.
const CRect kArea(0, 0, 255, 73);

struct Drawn
{
    int rectangles = 0;
    std::vector<std::vector<POINT>> polygons;
    std::vector<COLORREF> fills;
    std::vector<vyr::DrawRecord> texts;
    std::vector<vyr::DrawRecord> lines;
};

Drawn Draw(int component, std::vector<float> first, std::vector<float> second = {}, bool labels = true)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dc, kArea.right, kArea.bottom);
    CBitmap* old = dc.SelectObject(&bmp);
    CFont font;
    LOGFONT lf{};
    lf.lfHeight = -9;
    font.CreateFontIndirect(&lf);
    VyrDrawQueryDiagram(&dc, kArea, component, first.data(), second.empty() ? nullptr : second.data(), 1.0,
                        labels ? &font : nullptr);
    Drawn d;
    for (const vyr::DrawRecord& r : dc.Records()) {
        if (r.kind == vyr::DrawKind::Rectangle)
            ++d.rectangles;
        else if (r.kind == vyr::DrawKind::Polygon) {
            d.polygons.push_back(r.points);
            d.fills.push_back(r.state.brush.lbColor);
        } else if (r.kind == vyr::DrawKind::TextOut || r.kind == vyr::DrawKind::ExtTextOut)
            d.texts.push_back(r);
        else if (r.kind == vyr::DrawKind::Line)
            d.lines.push_back(r);
    }
    dc.SelectObject(old);
    return d;
}

// y0 = 73 / 2 = 36, amplitude = 73 x 0.5 - 17 = 19.5, x0 = 20, step = 215 / 11.
constexpr int kY0 = 36;
constexpr double kAmp = 19.5;

TEST(QueryDiagram, AComponentAtTheZeroValueDrawsOnlyTheFrameAndTheBaseline)
{
    // 0.0009: the float nearest 0.001 lies above it.
    const Drawn d = Draw(0, std::vector<float>(12, 0.0009f));
    EXPECT_EQ(d.rectangles, 1);
    EXPECT_TRUE(d.polygons.empty());
    EXPECT_TRUE(d.texts.empty());
    ASSERT_EQ(d.lines.size(), 1u);
    EXPECT_EQ(d.lines[0].points[0].x, 20);
    EXPECT_EQ(d.lines[0].points[0].y, kY0);
    EXPECT_EQ(d.lines[0].points[1].x, 235);
    EXPECT_EQ(d.lines[0].state.pen.lopnColor, RGB(0, 0, 0));
}

TEST(QueryDiagram, TheInnerStationsSetTheScaleSoAnEndExtremeLeavesTheBand)
{
    // Inner largest 2 at station 5; the ends at 10 lie five times as far out.
    std::vector<float> v = {10, 1, 1, 1, 1, 2, 1, 1, 1, 1, 1, 10};
    const Drawn d = Draw(4, v); // M2: positive downwards
    ASSERT_EQ(d.polygons.size(), 1u);
    const std::vector<POINT>& p = d.polygons[0];
    ASSERT_EQ(p.size(), 14u);
    EXPECT_EQ(p[0].x, 20);
    EXPECT_EQ(p[0].y, kY0);
    EXPECT_EQ(p[13].x, 235);
    EXPECT_EQ(p[6].y, (int)(kY0 + 2 * kAmp / 2)) << "the inner peak at full amplitude";
    EXPECT_EQ(p[1].y, (int)(kY0 + 10 * kAmp / 2)) << "beyond the band";
    EXPECT_GT(p[1].y, kArea.bottom);
    EXPECT_EQ(d.fills[0], RGB(210, 210, 210));
    // V2 is drawn upwards.
    const Drawn up = Draw(1, v);
    EXPECT_EQ(up.polygons[0][6].y, (int)(kY0 - 2 * kAmp / 2));
}

TEST(QueryDiagram, AMiddlePeakEqualToAnEndIsUnlabelledTheEndsAreLabelledAboveTheZeroValue)
{
    const Drawn d = Draw(0, {5, 1, 2, 3, 4, 5.0005f, 4, 3, 2, 1, 0, 0.0005f});
    ASSERT_EQ(d.texts.size(), 1u);
    EXPECT_EQ(d.texts[0].text, "5.00");
    EXPECT_EQ(d.texts[0].state.textAlign & (TA_CENTER | TA_RIGHT), (UINT)TA_LEFT);
    EXPECT_EQ(d.texts[0].state.textAlign & (TA_TOP | TA_BOTTOM), (UINT)TA_BOTTOM) << "N: positive below, text above its point";

    const Drawn trough = Draw(1, {1, -1, -3, -1, 0, 0, 0, 0, 0, 0, 0, 2});
    ASSERT_EQ(trough.texts.size(), 3u);
    EXPECT_EQ(trough.texts[2].text, "-3.00");
    EXPECT_EQ(trough.texts[2].state.textAlign & TA_CENTER, (UINT)TA_CENTER);
    EXPECT_EQ(trough.texts[2].state.textAlign & (TA_TOP | TA_BOTTOM), (UINT)TA_BOTTOM) << "V2 negative: below the baseline";
    EXPECT_TRUE(Draw(0, {5, 1, 2, 3, 4, 5, 4, 3, 2, 1, 0, 0}, {}, false).texts.empty()) << "values hidden";
}

// Both envelope lines share one scale: the second line's larger extremes once scaled it
// alone, so the two curves could not be compared.
TEST(QueryDiagram, TheEnvelopesTwoCurvesShareOneScaleEachLabelledAtItsOwnExtremes)
{
    const Drawn d = Draw(4, {0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, -10, 0, 0, 0, 0, 0});
    ASSERT_EQ(d.polygons.size(), 2u);
    EXPECT_EQ(d.fills[1], RGB(240, 240, 240));
    EXPECT_EQ(d.polygons[1][7].y, (int)(kY0 - 10 * kAmp / 10));
    EXPECT_EQ(d.polygons[0][4].y, (int)(kY0 + 2 * kAmp / 10)) << "a fifth of the second curve's ordinate";
    ASSERT_EQ(d.texts.size(), 2u);
    EXPECT_EQ(d.texts[0].text, "2.00");
    EXPECT_EQ(d.texts[1].text, "-10.00");
    EXPECT_EQ(d.texts[1].points[0].x, d.polygons[1][7].x);
}

class QueryTest : public vyrtest::DialogTest
{
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        m_kit = std::make_unique<vyrhost::CHostKit>();
        BuildSampleModel(Data());
        for (POSITION pos = Data().Struct()->m_pBeamList->GetHeadPosition(); pos != nullptr && m_beam == nullptr;) {
            CBeamBase* b = Data().Struct()->m_pBeamList->GetNextT(pos);
            if (b->toBeam() != nullptr && b->GetType() == 2 && b->GetSection() != nullptr)
                m_beam = b;
        }
        ASSERT_NE(m_beam, nullptr);
    }
    void TearDown() override
    {
        m_kit.reset();
        DialogTest::TearDown();
    }
    CGlobalData& Data() { return m_kit->GlobalData(); }
    static CDlgBeamQueryForce* Q(CDialog* d) { return static_cast<CDlgBeamQueryForce*>(d); }
    void Run()
    {
        ScriptedUser::PressCancel(IDD_BEAMQUERYFORCE);
        CDlgBeamQueryForce dlg(nullptr);
        dlg.m_pData = &Data();
        dlg.DoModal(m_beam);
    }
    std::unique_ptr<vyrhost::CHostKit> m_kit;
    CBeamBase* m_beam = nullptr;
};

TEST_F(QueryTest, OpensOnTheFirstCombinationWithTheGridAndTheMembersCaption)
{
    CLoadCombination* first = Data().GetSLCList()->Get(1);
    ScriptedUser::Run(
        [&](CDialog* d) {
            CDlgBeamQueryForce* q = Q(d);
            CString caption;
            q->GetWindowText(caption);
            EXPECT_EQ(caption.str(), std::to_string(m_beam->GetNo()) + "号杆件内力详细查询");
            EXPECT_EQ(q->m_list.GetCount(), 4);
            EXPECT_EQ(q->m_list.GetCurSel(), 0);
            CString row;
            q->m_list.GetText(0, row);
            EXPECT_EQ(row.str(), "LC1    " + std::string(first->GetDescription().str()));
            EXPECT_TRUE(q->m_lc.IsEqual(first));
            EXPECT_EQ(q->m_bShowValue, 1);
            EXPECT_EQ(q->m_nMode, 0);
            EXPECT_EQ(q->m_Grid.GetItemText(0, 0).str(), "段号");
            EXPECT_EQ(q->m_Grid.GetItemText(0, 6).str(), "M3");
            EXPECT_EQ(q->m_Grid.GetItemText(12, 0).str(), "12");
            // M3 at station 1 by hand: 1.2 D + 1.4 L with fixed-end moments -qL^2/12, in kN·m.
            const double L = m_beam->GetLength();
            const double m = (1.2 * 0.25 + 1.4 * 0.10) * (-L * L / 12.0) * Data().UnitForce() * Data().UnitLength();
            EXPECT_NEAR(std::atof(q->m_Grid.GetItemText(1, 6).str().c_str()), m, 0.01);
        },
        IDD_BEAMQUERYFORCE);
    Run();
}

TEST_F(QueryTest, EnvelopeCellsShowBothLinesAndATabSwitchWorksOnTheFirstEntry)
{
    ScriptedUser::SelectRow(IDC_QUERYFORCE_LIST, 2, IDD_BEAMQUERYFORCE);
    ScriptedUser::Click(IDC_QUERYFORCE_BYCOVER, IDD_BEAMQUERYFORCE);
    ScriptedUser::Run(
        [&](CDialog* d) {
            CDlgBeamQueryForce* q = Q(d);
            EXPECT_EQ(q->m_nMode, 1);
            m_beam->ComputeCoverForce(5);
            const double u = q->UnitFactor(5);
            const std::string cell = std::string(CStringFunc::GetStrFromDouble(m_beam->GetF(3) * u, 2).str()) + "(" +
                                     CStringFunc::GetStrFromDouble(m_beam->GetF1(3) * u, 2).str() + ")";
            EXPECT_EQ(q->m_Grid.GetItemText(4, 6).str(), cell);
            EXPECT_NE(m_beam->GetF(3), m_beam->GetF1(3));
        },
        IDD_BEAMQUERYFORCE);
    ScriptedUser::SelectRow(IDC_QUERYFORCE_TAB, 1, IDD_BEAMQUERYFORCE);
    ScriptedUser::Run(
        [&](CDialog* d) {
            CDlgBeamQueryForce* q = Q(d);
            EXPECT_EQ(q->m_nListKind, 1);
            EXPECT_EQ(q->m_list.GetCount(), 4);
            EXPECT_EQ(q->m_list.GetCurSel(), 0);
            CString row;
            q->m_list.GetText(0, row);
            EXPECT_EQ(row.str(), "LC1 恒载       ");
            CLoadCombination dead;
            dead.Fill(Data().GetCurBasicLCList()->Get(1), nullptr);
            EXPECT_TRUE(q->m_lc.IsEqual(&dead));
        },
        IDD_BEAMQUERYFORCE);
    // A basic case opens no editor.
    ScriptedUser::DoubleClickRow(IDC_QUERYFORCE_LIST, 1, IDD_BEAMQUERYFORCE);
    Run();
    EXPECT_EQ(ScriptedUser::Dialogs().size(), 1u);
}

TEST_F(QueryTest, ACancelledEditorKeepsTheCombinationAConfirmedOneReturnsToTheFirst)
{
    CLoadCombination* third = Data().GetSLCList()->Get(3);
    ScriptedUser::SelectRow(IDC_QUERYFORCE_LIST, 2, IDD_BEAMQUERYFORCE);
    ScriptedUser::DoubleClickRow(IDC_QUERYFORCE_LIST, 2, IDD_BEAMQUERYFORCE);
    ScriptedUser::PressCancel(IDD_LCDEFINE);
    ScriptedUser::Run(
        [&](CDialog* d) {
            EXPECT_TRUE(Q(d)->m_lc.IsEqual(third));
            EXPECT_EQ(Q(d)->m_list.GetCurSel(), 2);
        },
        IDD_BEAMQUERYFORCE);
    ScriptedUser::DoubleClickRow(IDC_QUERYFORCE_LIST, 2, IDD_BEAMQUERYFORCE);
    ScriptedUser::SetText(IDC_LCDEF_DEAD, "1.25", IDD_LCDEFINE);
    ScriptedUser::PressOK(IDD_LCDEFINE);
    ScriptedUser::Run(
        [&](CDialog* d) {
            EXPECT_FLOAT_EQ(third->m_fDead, 1.25f) << "edited in place";
            CString row;
            Q(d)->m_list.GetText(2, row);
            EXPECT_NE(row.str().find("1.25D"), std::string::npos) << row.str();
            EXPECT_EQ(Q(d)->m_list.GetCurSel(), 0);
            EXPECT_TRUE(Q(d)->m_lc.IsEqual(Data().GetSLCList()->Get(1)));
        },
        IDD_BEAMQUERYFORCE);
    Run();
}

TEST_F(QueryTest, AMemberWithoutSectionKeepsTheTableAndAnEmptyListKeepsTheCombination)
{
    m_beam->m_pSection = nullptr;
    Data().GetSLCList()->RemoveAll();
    ScriptedUser::Run(
        [&](CDialog* d) {
            CDlgBeamQueryForce* q = Q(d);
            EXPECT_EQ(q->m_list.GetCount(), 0);
            EXPECT_EQ(q->m_list.GetCurSel(), -1);
            const CLoadCombination none;
            EXPECT_TRUE(q->m_lc.IsEqual(&none)) << "nothing to take";
            EXPECT_EQ(q->m_Grid.GetItemText(6, 6).str(), "0.00");
        },
        IDD_BEAMQUERYFORCE);
    Run();
}

TEST_F(QueryTest, EveryPaintRecomputesAndDrawsTheSixDiagrams)
{
    int polygons = 0;
    ScriptedUser::Run(
        [&](CDialog* d) {
            vyr::WatchReleasedDCs([&](HWND, CDC& dc) {
                for (const vyr::DrawRecord& r : dc.Records())
                    polygons += r.kind == vyr::DrawKind::Polygon;
            });
            m_beam->toBeam()->m_fF[0] = 12345.0f; // scratch, overwritten by the paint
            d->Invalidate();
            d->UpdateWindow();
            vyr::WatchReleasedDCs(nullptr);
            EXPECT_NE(m_beam->GetF(0), 12345.0f);
        },
        IDD_BEAMQUERYFORCE);
    Run();
    EXPECT_GE(polygons, 3) << "V2, T and M3 of a beam under dead and live load";
}

} // namespace

// The slab calculation diagram and the slab type dialogs under a scripted user.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TestHost.h"
#include <vyr/libraries/DlgBanConcreteAdd.h>
#include <vyr/libraries/DlgBanDiagram.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/BanDlgRes.h>
#include <vyr/scripteduser.h>

using vyr::ScriptedUser;

namespace {

void Fill(CArray<double, double>& a, const std::vector<double>& v)
{
    a.RemoveAll();
    for (double d : v) a.Add(d);
}

std::vector<double> Values(const CArray<double, double>& a)
{
    return std::vector<double>(a.GetData(), a.GetData() + a.GetSize());
}

// What the diagram drew: the frame, the support triangles and the labels.
struct Drawn
{
    int frames = 0;
    std::vector<std::vector<POINT>> supports;
    std::vector<std::pair<POINT, std::string>> labels;
    std::vector<vyr::DrawRecord> records;
};

Drawn Draw(const std::vector<double>& v, float unit, CRect rect = CRect(0, 0, 300, 200))
{
    CArray<double, double> spans;
    Fill(spans, v);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dc, rect.right, rect.bottom);
    CBitmap* old = dc.SelectObject(&bmp);
    VyrDrawBanDiagram(&dc, rect, spans, unit);
    Drawn d;
    d.records = dc.Records();
    for (const vyr::DrawRecord& r : dc.Records()) {
        if (r.kind == vyr::DrawKind::Rectangle) ++d.frames;
        if (r.kind == vyr::DrawKind::Polygon) d.supports.push_back(r.points);
        if (r.kind == vyr::DrawKind::TextOut) d.labels.push_back({r.points[0], r.text});
    }
    dc.SelectObject(old);
    return d;
}

TEST(BanDiagramDrawing, ThreeSpansOnFourSupports)
{
    // L = 10500, D = 3150, half 5250; L / D > 300 / 200, so s = 0.8 x 300 / 10500. The first
    // support at 150 - 120 = 30, then (3000 - 5250) s + 150 = 98.57, 201.43 and 270.
    const Drawn d = Draw({3000, 4500, 3000}, 0.001f);
    EXPECT_EQ(d.frames, 1);
    ASSERT_EQ(d.supports.size(), 4u);
    const int xs[] = {30, 98, 201, 270};
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(d.supports[i].size(), 3u);
        EXPECT_EQ(d.supports[i][0].x, xs[i]);
        EXPECT_EQ(d.supports[i][0].y, 100);
        EXPECT_EQ(d.supports[i][1].x, xs[i] - 5);
        EXPECT_EQ(d.supports[i][2].x, xs[i] + 5);
        EXPECT_EQ(d.supports[i][1].y, 108);
    }
    ASSERT_EQ(d.labels.size(), 3u);
    EXPECT_EQ(d.labels[0].second, "3.000");
    EXPECT_EQ(d.labels[1].second, "4.500");
    EXPECT_EQ(d.labels[2].second, "3.000");
    EXPECT_EQ(d.labels[0].first.x, (30 + 98) / 2);
    EXPECT_EQ(d.labels[0].first.y, 98);
    // Yellow triangles; labels in Arial 10 pixels, centred above the beam.
    for (const vyr::DrawRecord& r : d.records) {
        if (r.kind == vyr::DrawKind::Polygon) {
            EXPECT_EQ(r.state.brush.lbColor, RGB(255, 255, 0));
        }
        if (r.kind == vyr::DrawKind::TextOut) {
            EXPECT_STREQ(r.state.font.lfFaceName, "Arial");
            EXPECT_EQ(r.state.font.lfHeight, -10);
            EXPECT_EQ(r.state.textAlign, (UINT)(TA_CENTER | TA_BOTTOM));
        }
    }
}

TEST(BanDiagramDrawing, TruncatedPositionsWithTheScaleOfTheTruncatedSum)
{
    // 1000.7 + 1000.7: the spans end at 1000 and 2000, the scale uses 2001 (D 600, half
    // 1000): s = 240 / 2001, supports at 30, 150 and (int)269.94 = 269 (270 with 2000).
    const Drawn d = Draw({1000.7, 1000.7}, 1.0f);
    ASSERT_EQ(d.supports.size(), 3u);
    EXPECT_EQ(d.supports[0][0].x, 30);
    EXPECT_EQ(d.supports[1][0].x, 150);
    EXPECT_EQ(d.supports[2][0].x, 269);
}

TEST(BanDiagramDrawing, NoSpansOrTooShortDrawOnlyTheFrame)
{
    for (const std::vector<double>& spans : {std::vector<double>{}, std::vector<double>{3.0}, std::vector<double>{1.0, 2.0}}) {
        const Drawn d = Draw(spans, 1.0f);
        EXPECT_EQ(d.frames, 1);
        EXPECT_TRUE(d.supports.empty());
        EXPECT_TRUE(d.labels.empty());
    }
}

struct SlabDialogs : ::testing::Test
{
    vyrtest::CTestHost host;
    CGlobalData& d = host.GlobalData();
    CStruct* st = d.Struct();

    void SetUp() override
    {
        vyr::VyrSetResourceDir((std::string(VYR_SOURCE_DIR) + "/resources").c_str());
        ScriptedUser::Reset();
        d.UnitLength() = 0.001f;
    }
    void TearDown() override
    {
        EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);
        ScriptedUser::Reset();
    }
    static std::vector<std::string> Rows(CDialog* dlg)
    {
        auto* list = static_cast<CListCtrl*>(dlg->GetDlgItem(IDC_BAN_SPANS));
        std::vector<std::string> rows;
        for (int i = 0; i < list->GetItemCount(); ++i)
            rows.push_back(std::string(list->GetItemText(i, 0).GetString()) + "|" + list->GetItemText(i, 1).GetString());
        return rows;
    }
};

TEST_F(SlabDialogs, DiagramEditorRowsCountAndLabels)
{
    CDlgBanDiagram dlg;
    dlg.m_pData = &d;
    Fill(dlg.m_SpanArray, {3000, 4500, 3000});
    std::vector<std::string> opened, five, one;
    CString caption;
    ScriptedUser::Run([&](CDialog* w) {
        opened = Rows(w);
        w->GetWindowText(caption);
    }, IDD_BANDIAGRAM);
    // The span length edit shows 300 x 0.001; spans appended take its length.
    ScriptedUser::SetText(IDC_BAN_SPANCOUNT, "5");
    ScriptedUser::Run([&](CDialog* w) { five = Rows(w); });
    ScriptedUser::SetText(IDC_BAN_SPANCOUNT, "1");
    ScriptedUser::Run([&](CDialog* w) { one = Rows(w); });
    ScriptedUser::SelectRow(IDC_BAN_SPANS, 0);
    ScriptedUser::EndLabelEdit(IDC_BAN_SPANS, "2.5");
    ScriptedUser::SelectRow(IDC_BAN_SPANS, 0);
    ScriptedUser::EndLabelEdit(IDC_BAN_SPANS, "0");
    ScriptedUser::SelectRow(IDC_BAN_SPANS, 0);
    ScriptedUser::EndLabelEdit(IDC_BAN_SPANS, "abc");
    ScriptedUser::AnswerMessageBox(IDOK, "您需要输入一个实数！");
    ScriptedUser::PressOK();
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(caption, CString("压型钢板计算简图"));
    EXPECT_EQ(opened, (std::vector<std::string>{"3.000|1", "4.500|2", "3.000|3"}));
    EXPECT_EQ(five, (std::vector<std::string>{"3.000|1", "4.500|2", "3.000|3", "0.300|4", "0.300|5"}));
    EXPECT_EQ(one, (std::vector<std::string>{"3.000|1"}));
    // 2.5 divided by the single-precision 0.001.
    ASSERT_EQ(dlg.m_SpanArray.GetSize(), 1);
    EXPECT_NEAR(dlg.m_SpanArray[0], 2500.0, 1e-3);
}

TEST_F(SlabDialogs, DiagramEditorRefusesBadCountsAndLengths)
{
    CDlgBanDiagram dlg;
    dlg.m_pData = &d;
    dlg.m_nKind = 1;
    CString caption;
    ScriptedUser::Run([&](CDialog* w) { w->GetWindowText(caption); }, IDD_BANDIAGRAM);
    for (const char* bad : {"6", "-1", "x"}) {
        ScriptedUser::SetText(IDC_BAN_SPANCOUNT, bad);
        ScriptedUser::AnswerMessageBox(IDOK);
    }
    ScriptedUser::SetText(IDC_BAN_SPANCOUNT, "3");
    // A new length applies to every span.
    ScriptedUser::SetText(IDC_BAN_SPANLENGTH, "2.4");
    ScriptedUser::SetText(IDC_BAN_SPANLENGTH, "abc");
    ScriptedUser::AnswerMessageBox(IDOK);
    ScriptedUser::SetText(IDC_BAN_SPANLENGTH, "2.4");
    ScriptedUser::PressOK();
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(caption, CString("现浇单向板计算简图"));
    // Without spans the editor starts with three of 300.
    ASSERT_EQ(dlg.m_SpanArray.GetSize(), 3);
    for (double v : Values(dlg.m_SpanArray)) EXPECT_NEAR(v, 2400.0, 1e-3);
}

TEST_F(SlabDialogs, OneWaySlabAddedOnOkOnly)
{
    {
        CDlgBanConcreteAdd dlg;
        dlg.m_pData = &d;
        ScriptedUser::SetText(IDC_BAN_DEPTH, "40", IDD_BANCONCRETEADD);
        ScriptedUser::PressOK();
        ScriptedUser::AnswerMessageBox(IDOK);
        ScriptedUser::SetText(IDC_BAN_DEPTH, "180");
        ScriptedUser::PressOK();
        ASSERT_EQ(dlg.DoModal(1, nullptr), IDOK);
    }
    ASSERT_EQ(st->m_pBanConcreteList->GetCount(), 1);
    CBan* added = st->m_pBanConcreteList->Get(1);
    EXPECT_TRUE(added->IsConcreteBan());
    EXPECT_FLOAT_EQ(added->m_fThick, 180.0f);
    // Cancel in mode 1 adds nothing, even after a diagram edit.
    {
        CDlgBanConcreteAdd dlg;
        dlg.m_pData = &d;
        ScriptedUser::Click(IDC_BAN_EDITDIAGRAM, IDD_BANCONCRETEADD);
        ScriptedUser::SetText(IDC_BAN_SPANCOUNT, "2", IDD_BANDIAGRAM);
        ScriptedUser::PressOK(IDD_BANDIAGRAM);
        ScriptedUser::PressCancel(IDD_BANCONCRETEADD);
        EXPECT_EQ(dlg.DoModal(1, nullptr), IDCANCEL);
    }
    EXPECT_EQ(st->m_pBanConcreteList->GetCount(), 1);
}

TEST_F(SlabDialogs, OneWaySlabEditedInPlace)
{
    auto* slab = new CBanConcrete;
    slab->m_fThick = 120.0f;
    Fill(slab->m_SpanArray, {3000, 3000});
    st->m_pBanConcreteList->Add(slab);
    CDlgBanConcreteAdd dlg;
    dlg.m_pData = &d;
    CString caption, ok, depth;
    ScriptedUser::Run([&](CDialog* w) {
        w->GetWindowText(caption);
        w->GetDlgItemText(IDOK, ok);
        w->GetDlgItemText(IDC_BAN_DEPTH, depth);
    }, IDD_BANCONCRETEADD);
    // The diagram edits the spans of the edited type.
    ScriptedUser::Click(IDC_BAN_EDITDIAGRAM);
    ScriptedUser::SelectRow(IDC_BAN_SPANS, 1, IDD_BANDIAGRAM);
    ScriptedUser::EndLabelEdit(IDC_BAN_SPANS, "4.2", IDD_BANDIAGRAM);
    ScriptedUser::PressOK(IDD_BANDIAGRAM);
    ScriptedUser::SetText(IDC_BAN_DEPTH, "200", IDD_BANCONCRETEADD);
    ScriptedUser::PressOK();
    ASSERT_EQ(dlg.DoModal(2, slab), IDOK);
    EXPECT_EQ(caption, CString("现浇混凝土单向板编辑"));
    EXPECT_EQ(ok, CString("替 换"));
    EXPECT_EQ(depth, CString("120"));
    EXPECT_EQ(st->m_pBanConcreteList->GetCount(), 1);
    EXPECT_FLOAT_EQ(slab->m_fThick, 200.0f);
    ASSERT_EQ(slab->m_SpanArray.GetSize(), 2);
    EXPECT_EQ(slab->m_SpanArray[0], 3000.0);
    EXPECT_NEAR(slab->m_SpanArray[1], 4200.0, 1e-3);
}

} // namespace

// The base of the model generators, through a small generator of its own: the preview's
// zoom and blinking, confirming with and without deleting the selection, cancelling.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/PanelTestKit.h"
#include "hostkit/HostKit.h"
#include <vyr/windc.h>
#include <vyr/host/DlgModel.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/model/struct/SampleModel.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources.h>
#include <vyr/scripteduser.h>

namespace {

using vyr::ScriptedUser;

constexpr UINT kGenTemplate = 30601;
constexpr int kCountEdit = 1001;

void AddGeneratorTemplate()
{
    ASSERT_TRUE(vyrhosttest::AddResourceOnce(R"(
30601 DIALOGEX 0, 0, 160, 60
STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
CAPTION "生成杆件"
FONT 9, "宋体"
BEGIN
    EDITTEXT 1001, 7, 7, 60, 14, ES_AUTOHSCROLL
    DEFPUSHBUTTON "确定", IDOK, 50, 40, 50, 14
    PUSHBUTTON "取消", IDCANCEL, 103, 40, 50, 14
END
)",
                                             "dlgmodel-test.rc"));
}

// Generates the lines it is given (model points); deletes the selection when told to.
class CDlgLines : public CDlgModel
{
public:
    CDlgLines() : CDlgModel(kGenTemplate, nullptr) {}
    bool BuildStructSketch() override
    {
        ++m_nBuilds;
        for (auto& [a, b] : m_lines)
            m_sketch.AddLine(a, b);
        return !m_lines.empty();
    }
    bool IsDelete() override { return m_bDelete; }
    using CDlgModel::OnCancel;
    using CDlgModel::OnOK;

    std::vector<std::pair<CPoint3D, CPoint3D>> m_lines;
    bool m_bDelete = false;
    int m_nBuilds = 0;
};

class DlgModelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AddGeneratorTemplate();
        ScriptedUser::Reset();
        ScriptedUser::SetFailureHandler([this](const std::string& m) { m_failures.push_back(m); });
        m_dlg.m_pGlobalData = &m_host.GlobalData();
    }
    void TearDown() override
    {
        vyr::WatchReleasedDCs(nullptr);
        ScriptedUser::Reset();
        EXPECT_TRUE(m_failures.empty()) << m_failures.front();
    }
    // A tick of the blinking: the virtual clock moves on by one period.
    static void Tick() { ScriptedUser::Run([](CDialog*) { vyr::AdvanceClock(CDlgModel::kBlinkPeriod); }); }
    CPoint2D ToScreen(const CPoint3D& p) { return m_host.GlobalData().ToScreen(p); }

    vyrhost::CHostKit m_host; // a view of 800 x 600 pixels
    CDlgLines m_dlg;
    std::vector<std::string> m_failures;
};

TEST_F(DlgModelTest, APointSketchWithoutSelectionIsZoomedAsThePointGrownByFive)
{
    m_dlg.m_lines = {{CPoint3D(100, 0, 200), CPoint3D(100, 0, 200)}};
    bool shown = false;
    ScriptedUser::Run([&](CDialog*) { shown = m_dlg.Preview(); });
    ScriptedUser::PressCancel();
    m_dlg.DoModal();
    EXPECT_TRUE(shown);
    // 10 x 10 units into 740 x 540 pixels (inset 30 from 800 x 600): 54 pixels a unit,
    // the point at the centre.
    const CPoint2D c = ToScreen(CPoint3D(100, 0, 200));
    EXPECT_NEAR(c.x, 400.0, 1e-9);
    EXPECT_NEAR(c.y, 300.0, 1e-9);
    EXPECT_NEAR(ToScreen(CPoint3D(105, 0, 200)).x, 670.0, 1e-9);
    EXPECT_GE(m_host.Count(WM_UI_VIEWCHANGED), 1);
}

TEST_F(DlgModelTest, TheSketchAndTheSelectionAreFittedIntoTheViewInsetByFivePercent)
{
    // A 100 x 100 square in the projection plane (x, z): 5.4 pixels a unit.
    m_dlg.m_lines = {{CPoint3D(0, 0, 0), CPoint3D(100, 0, 0)}, {CPoint3D(0, 0, 0), CPoint3D(0, 0, 100)}};
    ScriptedUser::Run([&](CDialog*) { EXPECT_TRUE(m_dlg.Preview()); });
    ScriptedUser::PressCancel();
    m_dlg.DoModal();
    EXPECT_NEAR(ToScreen(CPoint3D(0, 0, 100)).y, 30.0, 1e-9);
    EXPECT_NEAR(ToScreen(CPoint3D(0, 0, 0)).y, 570.0, 1e-9);
    EXPECT_NEAR(ToScreen(CPoint3D(0, 0, 0)).x, 130.0, 1e-9);
    EXPECT_NEAR(ToScreen(CPoint3D(100, 0, 0)).x, 670.0, 1e-9);

    // A selected member far to the right joins the extent.
    CPNode n1(1, CPoint3D(300, 0, 0)), n2(2, CPoint3D(300, 0, 100));
    CBeam b(1, &n1, &n2, 2);
    m_host.GlobalData().SelectBeamList().AddTail(&b);
    ScriptedUser::Run([&](CDialog*) { EXPECT_TRUE(m_dlg.Preview()); });
    ScriptedUser::PressCancel();
    m_dlg.DoModal();
    // 300 x 100 units into 740 x 540: 740 / 300 pixels a unit, centred at (150, 50).
    EXPECT_NEAR(ToScreen(CPoint3D(0, 0, 0)).x, 30.0, 1e-9);
    EXPECT_NEAR(ToScreen(CPoint3D(300, 0, 0)).x, 770.0, 1e-9);
    m_host.GlobalData().SelectBeamList().RemoveAll();
}

TEST_F(DlgModelTest, TicksAlternateTheUseTypesAlsoAcrossTheWrap)
{
    m_dlg.m_lines = {{CPoint3D(0, 0, 0), CPoint3D(100, 0, 0)}};
    std::vector<int> types;
    std::vector<COLORREF> pens;
    const HWND view = m_host.View().GetSafeHwnd();
    vyr::WatchReleasedDCs([&](HWND h, CDC& dc) {
        const std::vector<vyr::DrawRecord>& records = dc.Records();
        // The sketch's drawing, not the view's own paints (which fill the field first).
        if (h == view && !records.empty() && records.front().kind == vyr::DrawKind::Line)
            pens.push_back(records.front().state.pen.lopnColor);
    });
    CDlgModel::s_nBlinkCount = 4998;
    ScriptedUser::Run([&](CDialog*) { EXPECT_TRUE(m_dlg.Preview()); });
    for (int i = 0; i < 4; ++i) {
        Tick();
        ScriptedUser::Run([&](CDialog*) { types.push_back(m_dlg.m_sketch.GetUseType()); });
    }
    ScriptedUser::PressCancel();
    m_dlg.DoModal();
    EXPECT_EQ(types, (std::vector<int>{1, 2, 1, 2}));
    EXPECT_EQ(CDlgModel::s_nBlinkCount, 2);
    // The two styles draw in two colours.
    ASSERT_EQ(pens.size(), 4u);
    EXPECT_NE(pens[0], pens[1]);
    EXPECT_EQ(pens[0], pens[2]);
    EXPECT_EQ(pens[1], pens[3]);
}

TEST_F(DlgModelTest, CancelWhileBlinkingStopsTheTimerAndRedraws)
{
    m_dlg.m_lines = {{CPoint3D(0, 0, 0), CPoint3D(100, 0, 0)}};
    CDlgModel::s_nBlinkCount = 0;
    ScriptedUser::Run([&](CDialog*) { EXPECT_TRUE(m_dlg.Preview()); });
    Tick();
    ScriptedUser::Run([&](CDialog*) { m_host.ClearMessages(); });
    ScriptedUser::PressCancel();
    EXPECT_EQ(m_dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(CDlgModel::s_nBlinkCount, 1);
    EXPECT_EQ(m_host.Count(WM_UI_REDRAW), 1);
    // No timer is left to tick.
    vyr::AdvanceClock(5 * CDlgModel::kBlinkPeriod);
    vyr::PumpMessages();
    EXPECT_EQ(CDlgModel::s_nBlinkCount, 1);
}

TEST_F(DlgModelTest, NothingToShowMeansNoZoomAndNoBlinking)
{
    const CMatrix2D before = m_host.GlobalData().Matrix2D();
    CDlgModel::s_nBlinkCount = 0;
    ScriptedUser::Run([&](CDialog*) { EXPECT_FALSE(m_dlg.Preview()); });
    Tick();
    ScriptedUser::PressOK();
    EXPECT_EQ(m_dlg.DoModal(), IDOK);
    EXPECT_EQ(CDlgModel::s_nBlinkCount, 0);
    EXPECT_EQ(m_host.Count(WM_UI_VIEWCHANGED), 0);
    EXPECT_EQ(m_host.Count(WM_UI_MODELEDITED), 0);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(m_host.GlobalData().Matrix2D().m[i], before.m[i]);
}

class DlgModelEditTest : public DlgModelTest
{
protected:
    void SetUp() override
    {
        DlgModelTest::SetUp();
        CSampleModelSize size;
        size.nStorey = 1;
        size.nBayX = 1;
        size.nBayY = 1;
        BuildSampleModel(m_host.GlobalData(), size);
        CStruct& s = *m_host.GlobalData().Struct();
        m_nBeams = (int)s.m_pBeamList->GetCount();
        // Two members selected, as the user left them.
        for (int i = 1; i <= 2; ++i) {
            CBeamBase* b = s.m_pBeamList->Get(i);
            b->SetSelect(1);
            m_host.GlobalData().SelectBeamList().AddTail(b);
            m_selected.push_back(b);
        }
        // A bay of three new members off the structure.
        m_dlg.m_lines = {{CPoint3D(2000, 0, 0), CPoint3D(2000, 0, 300)},
                         {CPoint3D(2600, 0, 0), CPoint3D(2600, 0, 300)},
                         {CPoint3D(2000, 0, 300), CPoint3D(2600, 0, 300)}};
    }
    int Beams() { return (int)m_host.GlobalData().Struct()->m_pBeamList->GetCount(); }
    bool InModel(CBeamBase* b) { return m_host.GlobalData().Struct()->m_pBeamList->Find(b) != nullptr; }

    int m_nBeams = 0;
    std::vector<CBeamBase*> m_selected;
};

TEST_F(DlgModelEditTest, ConfirmingKeepsTheSelectedMembersUnselectedAndHandsTheRecordOver)
{
    std::vector<CReal> heightsSeen;
    bool heightsValid = false;
    m_host.m_onMessage = [&](const vyrhost::HostMessage& m) {
        if (m.message == WM_UI_MODELEDITED) {
            heightsValid = m.wParam != 0;
            if (heightsValid)
                heightsSeen = *(const std::vector<CReal>*)m.wParam;
        }
    };
    ScriptedUser::Run([&](CDialog*) { EXPECT_TRUE(m_dlg.Preview()); });
    ScriptedUser::PressOK();
    EXPECT_EQ(m_dlg.DoModal(), IDOK);
    m_host.m_onMessage = nullptr;
    EXPECT_EQ(Beams(), m_nBeams + 3);
    for (CBeamBase* b : m_selected) {
        EXPECT_TRUE(InModel(b));
        EXPECT_EQ(b->GetSelect(), 0);
    }
    EXPECT_EQ(m_host.GlobalData().SelectBeamList().GetCount(), 0);
    ASSERT_EQ(m_host.Count(WM_UI_MODELEDITED), 1);
    EXPECT_TRUE(heightsValid);
    EXPECT_TRUE(heightsSeen.empty());
    ASSERT_EQ(m_host.m_undoRecords.size(), 1u);
    EXPECT_EQ((LPARAM)m_host.m_undoRecords[0].get(), m_host.Messages(WM_UI_MODELEDITED)[0].lParam);
    // The modelling messages come in order: redraw, edited, view changed.
    std::vector<UINT> order;
    for (const vyrhost::HostMessage& m : m_host.Messages())
        if (m.message == WM_UI_MODELEDITED || m.message == WM_UI_VIEWCHANGED)
            order.push_back(m.message);
    EXPECT_EQ(order.back(), (UINT)WM_UI_VIEWCHANGED);
    m_host.m_undoRecords[0]->Undo();
    EXPECT_EQ(Beams(), m_nBeams);
}

TEST_F(DlgModelEditTest, ConfirmingADeletingGeneratorRemovesTheSelectionInTheSameRecord)
{
    m_dlg.m_bDelete = true;
    ScriptedUser::PressOK();
    EXPECT_EQ(m_dlg.DoModal(), IDOK);
    EXPECT_EQ(Beams(), m_nBeams - 2 + 3);
    for (CBeamBase* b : m_selected)
        EXPECT_FALSE(InModel(b));
    ASSERT_EQ(m_host.m_undoRecords.size(), 1u);
    CEditStackNode& undo = *m_host.m_undoRecords[0];
    undo.Undo();
    EXPECT_EQ(Beams(), m_nBeams);
    for (CBeamBase* b : m_selected)
        EXPECT_TRUE(InModel(b));
    undo.Redo();
    EXPECT_EQ(Beams(), m_nBeams + 1);
}

TEST_F(DlgModelEditTest, WithoutAnActiveViewOkChangesNothingAndTheDialogStays)
{
    m_host.SetAnswer(WM_UI_GETACTIVEVIEW, 0);
    ScriptedUser::PressOK();
    ScriptedUser::Run([](CDialog* d) { EXPECT_TRUE(::IsWindow(d->GetSafeHwnd())); });
    ScriptedUser::Run([&](CDialog*) { EXPECT_FALSE(m_dlg.Preview()); });
    ScriptedUser::PressCancel();
    EXPECT_EQ(m_dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(Beams(), m_nBeams);
    EXPECT_EQ(m_host.Count(WM_UI_MODELEDITED), 0);
    EXPECT_EQ(m_host.GlobalData().SelectBeamList().GetCount(), 2);
    m_host.ClearAnswer(WM_UI_GETACTIVEVIEW);
}

TEST_F(DlgModelEditTest, NothingBuiltMeansOkClosesWithoutAChange)
{
    m_dlg.m_lines.clear();
    ScriptedUser::PressOK();
    EXPECT_EQ(m_dlg.DoModal(), IDOK);
    EXPECT_EQ(Beams(), m_nBeams);
    EXPECT_EQ(m_host.Count(WM_UI_MODELEDITED), 0);
    EXPECT_EQ(m_host.GlobalData().SelectBeamList().GetCount(), 2);
}

} // namespace

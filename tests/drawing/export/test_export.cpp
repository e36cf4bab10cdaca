// The drawing export dialogs on the host kit under the scripted user: what they open with,
// the file count of a run, the scopes, the run on its worker with its cancel and its
// closing message, failures counted, and the structure figure read back with ezdxf.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include <vyr/controls.h>
#include <vyr/drawing/DlgDrawResult2D.h>
#include <vyr/drawing/DlgDrawResult3D.h>
#include <vyr/model/base/VyrProduct.h>
#include <vyr/model/dxf/DXFOutput.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/resources/dialogs/DrawResultRes.h>
#include <vyr/winfile.h>

#include "hostkit/HostKit.h"
#include "drawing/ExportFolderTest.h"
#include "support/TestHelpers.h"
#include "drawing/DxfReadBack.h"

namespace fs = std::filesystem;
using vyr::ScriptedUser;

namespace {

const int kExportBoxes[] = {IDC_DRAW_BF_BLC, IDC_DRAW_BF_LC,      IDC_DRAW_BF_CLC,   IDC_DRAW_BF_LCSTD,  IDC_DRAW_ND_BLC,
                            IDC_DRAW_ND_LC,  IDC_DRAW_ND_CLC,     IDC_DRAW_NSF,      IDC_DRAW_NSF0,      IDC_DRAW_NSF1,
                            IDC_DRAW_MODEL,  IDC_DRAW_NODE,       IDC_DRAW_BEAM,     IDC_DRAW_BCINWALL,  IDC_DRAW_PLANE,
                            IDC_DRAW_MAINNODE, IDC_DRAW_LOAD,     IDC_DRAW_DESIGNPROP, IDC_DRAW_DESIGNRESULT};

using vyrtest::DxfLine;
using vyrtest::DxfRead;
using vyrtest::ReadDxf;
using vyrtest::RunPython;

CDlgDrawResult* Dlg(CDialog* d) { return static_cast<CDlgDrawResult*>(d); }

// A progress bar that, at one of its steps, does what a user might while a run is on: the
// worker waits for the step, so what the handler posts reaches the worker's next poll.
class CStepHook : public CProgressCtrl
{
public:
    int m_nAt = 0;
    int m_nSteps = 0;
    std::function<void()> m_onStep;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        const LRESULT r = CProgressCtrl::WindowProc(message, wParam, lParam);
        if (message == PBM_STEPIT && ++m_nSteps == m_nAt && m_onStep)
            m_onStep();
        return r;
    }
};

class ExportTest : public vyrtest::ExportFolderTest
{
protected:
    ExportTest() : ExportFolderTest("vyr_export_") {}
    void SetUp() override
    {
        ExportFolderTest::SetUp();
        m_kit = std::make_unique<vyrhost::CHostKit>();
        BuildSampleModel(Data());
        Data().ProjectPath() = m_dir.string().c_str();
    }
    void TearDown() override
    {
        m_kit.reset();
        ExportFolderTest::TearDown();
    }

    CGlobalData& Data() { return m_kit->GlobalData(); }
    std::unique_ptr<CDlgDrawResult> NewDialog(bool threeD)
    {
        if (threeD)
            return std::make_unique<CDlgDrawResult3D>(&Data());
        return std::make_unique<CDlgDrawResult2D>(&Data());
    }
    CStruct& St() { return *Data().Struct(); }

    size_t Entries() const
    {
        size_t n = 0;
        for (auto it = fs::recursive_directory_iterator(m_dir); it != fs::recursive_directory_iterator(); ++it)
            ++n;
        return n;
    }

    // Only these boxes ticked.
    static void TickOnly(std::initializer_list<int> boxes)
    {
        ScriptedUser::Click(IDC_DRAW_UNSELALL);
        for (int b : boxes)
            ScriptedUser::Check(b);
    }
    // Export, take the closing message and wait until the run is over.
    static void ExportAndWait(const char* message = "导出完毕，请到工程所在目录下查看输出图。")
    {
        ScriptedUser::Click(IDC_DRAW_EXPORT);
        ScriptedUser::AnswerMessageBox(IDOK, message);
        ScriptedUser::WaitUntil([](CDialog* d) { return !Dlg(d)->IsBusy(); });
    }

    std::unique_ptr<vyrhost::CHostKit> m_kit;
};

TEST_F(ExportTest, BothDialogsOpenWithEveryBoxTickedEveryItemAtAllAndTheScopeChoice)
{
    CDlgDrawResult2D dlg2(&Data());
    ScriptedUser::Run([&](CDialog* d) {
        CDlgDrawResult* dlg = Dlg(d);
        for (int box : kExportBoxes)
            EXPECT_TRUE(dlg->IsChecked(box)) << box;
        for (const auto& [check, combo] : dlg->m_arrCheckCombo) {
            EXPECT_TRUE(dlg->GetDlgItem(combo)->IsWindowEnabled()) << combo;
            EXPECT_EQ(dlg->GetComboSel(combo), 0) << combo;
            EXPECT_EQ(dlg->GetComboString(0, combo).str(), "全部") << combo;
        }
        // The cases and combinations, by their descriptions, with the object as item data.
        ASSERT_EQ(dlg->GetComboCount(IDC_DRAW_BF_BLC_ITEM), 5);
        CBasicLoadCase* second = St().m_pBasicLCList->Get(2);
        EXPECT_EQ(dlg->GetComboString(2, IDC_DRAW_BF_BLC_ITEM).str(), second->GetDescription().str());
        EXPECT_EQ(dlg->GetComboCount(IDC_DRAW_BF_LC_ITEM), 5);
        EXPECT_EQ(dlg->GetComboCount(IDC_DRAW_ND_LC_ITEM), 2);
        const std::vector<std::string> storeys = {"全部", "基础(0)", "第1层(3600)", "第2层(7200)", "第3层(10800)"};
        ASSERT_EQ(dlg->GetComboCount(IDC_DRAW_SCOPE), (int)storeys.size());
        for (size_t i = 0; i < storeys.size(); ++i)
            EXPECT_EQ(dlg->GetComboString((int)i, IDC_DRAW_SCOPE).str(), storeys[i]);
        CString text;
        dlg->GetDlgItemText(IDC_DRAW_EXPORT, text);
        EXPECT_EQ(text.str(), "导出");
        EXPECT_FALSE(dlg->GetDlgItem(IDC_DRAW_PROGRESS)->IsWindowVisible());
        EXPECT_EQ(dlg->m_pCheckLimit->CapacityLimit, 1.0f) << "the default limits, never null";
    });
    ScriptedUser::PressCancel();
    EXPECT_EQ(dlg2.DoModal(), IDCANCEL);

    CDlgDrawResult3D dlg3(&Data());
    ScriptedUser::Run([&](CDialog* d) {
        CDlgDrawResult3D* dlg = static_cast<CDlgDrawResult3D*>(d);
        EXPECT_EQ(dlg->GetComboSel(IDC_DRAW_SCOPEKIND), 0);
        EXPECT_FALSE(dlg->GetDlgItem(IDC_DRAW_SCOPE)->IsWindowEnabled());
        CString text;
        dlg->GetDlgItemText(IDC_DRAW_MODEL, text);
        EXPECT_EQ(text.str(), "三维模型图");
        EXPECT_EQ(dlg->GetComboCount(IDC_DRAW_BEAM_ITEM), 5) << "the 3-D templates add 截面2、3轴";
    });
    // Unticking a box disables its combo; 全部不选 and 全部选择 act on every box.
    ScriptedUser::Check(IDC_DRAW_NODE, BST_UNCHECKED);
    ScriptedUser::Run([](CDialog* d) { EXPECT_FALSE(d->GetDlgItem(IDC_DRAW_NODE_ITEM)->IsWindowEnabled()); });
    ScriptedUser::Click(IDC_DRAW_UNSELALL);
    ScriptedUser::Run([](CDialog* d) {
        for (int box : kExportBoxes)
            EXPECT_FALSE(Dlg(d)->IsChecked(box));
    });
    ScriptedUser::Click(IDC_DRAW_SELALL);
    ScriptedUser::Run([](CDialog* d) { EXPECT_TRUE(d->GetDlgItem(IDC_DRAW_NODE_ITEM)->IsWindowEnabled()); });
    ScriptedUser::SelectRow(IDC_DRAW_SCOPEKIND, 2);
    ScriptedUser::Run([](CDialog* d) {
        EXPECT_TRUE(d->GetDlgItem(IDC_DRAW_SCOPE)->IsWindowEnabled());
        EXPECT_EQ(Dlg(d)->GetComboCount(IDC_DRAW_SCOPE), 5);
    });
    ScriptedUser::SelectRow(IDC_DRAW_SCOPEKIND, 3);
    ScriptedUser::Run([](CDialog* d) {
        EXPECT_EQ(Dlg(d)->GetComboCount(IDC_DRAW_SCOPE), 8);
        EXPECT_EQ(Dlg(d)->GetComboString(1, IDC_DRAW_SCOPE).str(), "1轴-Y向");
        EXPECT_EQ(Dlg(d)->GetComboString(4, IDC_DRAW_SCOPE).str(), "A轴-X向");
    });
    ScriptedUser::PressCancel();
    EXPECT_EQ(dlg3.DoModal(), IDCANCEL);
}

// Files of one run: per scope, six per case or combination (one each for a chosen one),
// one per item (or for the chosen item), one per plain box, none for a box the template
// lacks; times the storeys at "全部" (2-D, and 3-D "楼层") or the axes (3-D "轴线").
// The sample model: 4 storeys in the list (the base level among them), 4 basic cases,
// 4 basic and 1 standard combination, 7 axes.
TEST_F(ExportTest, TheFileCountFollowsTheTickedBoxesTheirItemsAndTheScopes)
{
    struct Case
    {
        const char* name;
        bool threeD;
        CVyrProduct::Variant variant;
        int dim;
        std::vector<int> boxes;      // ticked; empty with all: every box
        bool all;
        int combo, row;              // an item chosen (0: none)
        int scopeKind, scopeRow;     // 3-D scope kind, and the row of 2050 (-1: leave)
        int expected;
    };
    // Every box at "全部", 2-D general template: 6x4 + 6x4 + 6x1 (the three case and
    // combination boxes) + 6 + 4 + 1 + 6 + 9 + 3 + 3 + 12 (eleven load items and the
    // sample's hoist load) + 14 + 6 (item boxes) + 6 (plain).
    const int all2D = 24 + 24 + 6 + 6 + 4 + 1 + 6 + 9 + 3 + 3 + 12 + 14 + 6 + 6;
    const Case cases[] = {
        {"basic cases, all", false, CVyrProduct::UlBRX, 3, {IDC_DRAW_BF_BLC}, false, 0, 0, 0, -1, 6 * 4 * 4},
        {"basic cases, one", false, CVyrProduct::UlBRX, 3, {IDC_DRAW_BF_BLC}, false, IDC_DRAW_BF_BLC_ITEM, 2, 0, -1, 6 * 4},
        {"standard combinations", false, CVyrProduct::UlBRX, 3, {IDC_DRAW_BF_LCSTD}, false, 0, 0, 0, -1, 6 * 1 * 4},
        {"envelope, all", false, CVyrProduct::UlBRX, 3, {IDC_DRAW_BF_CLC}, false, 0, 0, 0, -1, 6 * 4},
        {"envelope, one", false, CVyrProduct::UlBRX, 3, {IDC_DRAW_BF_CLC}, false, IDC_DRAW_BF_CLC_ITEM, 3, 0, -1, 4},
        {"plain box", false, CVyrProduct::UlBRX, 3, {IDC_DRAW_NSF0}, false, 0, 0, 0, -1, 4},
        {"one storey", false, CVyrProduct::UlBRX, 3, {IDC_DRAW_MODEL}, false, IDC_DRAW_SCOPE, 2, 0, -1, 1},
        {"every box", false, CVyrProduct::UlBRX, 3, {}, true, 0, 0, 0, -1, all2D * 4},
        {"Kel 3-D: no 2082", false, CVyrProduct::Kel3D, 3, {}, true, 0, 0, 0, -1, (all2D - 1) * 4},
        {"Dov 2-D: no storeys, 2085, 2090", false, CVyrProduct::Dov2D, 2, {}, true, 0, 0, 0, -1, all2D - 2},
        {"3-D whole structure", true, CVyrProduct::UlBRX, 3, {IDC_DRAW_MODEL}, false, 0, 0, 0, -1, 1},
        {"3-D shown structure", true, CVyrProduct::UlBRX, 3, {IDC_DRAW_MODEL}, false, 0, 0, 1, -1, 1},
        {"3-D storeys", true, CVyrProduct::UlBRX, 3, {IDC_DRAW_MODEL}, false, 0, 0, 2, -1, 4},
        {"3-D one storey", true, CVyrProduct::UlBRX, 3, {IDC_DRAW_MODEL}, false, 0, 0, 2, 3, 1},
        {"3-D axes", true, CVyrProduct::UlBRX, 3, {IDC_DRAW_MODEL, IDC_DRAW_NSF1}, false, 0, 0, 3, -1, 2 * 7},
        {"3-D every box, 截面2、3轴 counted", true, CVyrProduct::UlBRX, 3, {}, true, 0, 0, 0, -1, all2D + 1},
        {"3-D Kel: no 2082", true, CVyrProduct::Kel3D, 3, {}, true, 0, 0, 0, -1, all2D},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUser::Reset();
        CVyrProduct::SetEdition(c.dim, c.variant);
        std::unique_ptr<CDlgDrawResult> dlg = NewDialog(c.threeD);
        if (!c.all)
            TickOnly({});
        for (int box : c.boxes)
            ScriptedUser::Check(box);
        if (c.threeD && c.scopeKind != 0)
            ScriptedUser::SelectRow(IDC_DRAW_SCOPEKIND, c.scopeKind);
        if (c.scopeRow >= 0)
            ScriptedUser::SelectRow(IDC_DRAW_SCOPE, c.scopeRow);
        if (c.combo != 0)
            ScriptedUser::SelectRow(c.combo, c.row);
        int got = -1;
        ScriptedUser::Run([&](CDialog* d) { got = Dlg(d)->GetOutputNum(); });
        ScriptedUser::PressCancel();
        EXPECT_EQ(dlg->DoModal(), IDCANCEL);
        EXPECT_EQ(got, c.expected);
        EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);
    }
}

TEST_F(ExportTest, TheHoistLoadsAreLoadItemsAndCountAsSuch)
{
    // After the sample's own hoist load 1.
    St().m_arrCraneNodeLoad.Add(new CLoadCraneList(3));
    St().m_arrCraneNodeLoad.Add(new CLoadCraneList(5));
    CDlgDrawResult2D dlg(&Data());
    TickOnly({IDC_DRAW_LOAD});
    int count = -1;
    ScriptedUser::Run([&](CDialog* d) {
        ASSERT_EQ(Dlg(d)->GetComboCount(IDC_DRAW_LOAD_ITEM), 15);
        EXPECT_EQ(Dlg(d)->GetComboString(12, IDC_DRAW_LOAD_ITEM).str(), "吊荷1 ");
        EXPECT_EQ(Dlg(d)->GetComboString(13, IDC_DRAW_LOAD_ITEM).str(), "吊荷3 ");
        EXPECT_EQ(Dlg(d)->GetComboString(14, IDC_DRAW_LOAD_ITEM).str(), "吊荷5 ");
        count = Dlg(d)->GetOutputNum();
    });
    ScriptedUser::PressCancel();
    dlg.DoModal();
    EXPECT_EQ(count, 14 * 4);
}

TEST_F(ExportTest, NothingTickedWritesNothingAndStillEndsWithTheClosingMessage)
{
    CDlgDrawResult2D dlg(&Data());
    TickOnly({});
    ExportAndWait();
    int lower = -1, upper = -1;
    ScriptedUser::Run([&](CDialog* d) { static_cast<CProgressCtrl*>(d->GetDlgItem(IDC_DRAW_PROGRESS))->GetRange(lower, upper); });
    ScriptedUser::PressCancel();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(upper, 0);
    EXPECT_EQ(Entries(), 0u) << "no folder either";
    ASSERT_EQ(ScriptedUser::MessageBoxes().size(), 1u);
    EXPECT_EQ(ScriptedUser::MessageBoxes()[0].flags, (UINT)(MB_OK | MB_ICONEXCLAMATION));
}

TEST_F(ExportTest, TheModelDrawingOfEveryStoreyIsOneFilePerScopeAsCountedAndReadsBack)
{
    CDlgDrawResult2D dlg(&Data());
    TickOnly({IDC_DRAW_MODEL});
    int expected = -1, pos = -1;
    ScriptedUser::Run([&](CDialog* d) { expected = Dlg(d)->GetOutputNum(); });
    ExportAndWait();
    ScriptedUser::Run([&](CDialog* d) {
        pos = static_cast<CProgressCtrl*>(d->GetDlgItem(IDC_DRAW_PROGRESS))->GetPos();
        EXPECT_EQ(Dlg(d)->GetComboSel(IDC_DRAW_SCOPE), 0) << "the storey choice is back at 全部";
        EXPECT_TRUE(d->GetDlgItem(IDC_DRAW_SELALL)->IsWindowEnabled());
    });
    ScriptedUser::PressCancel();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);

    const std::vector<std::string> files = {
        "二维简图-基础(0)/模型信息图/二维模型图.dxf", "二维简图-第1层(3600)/模型信息图/二维模型图.dxf",
        "二维简图-第2层(7200)/模型信息图/二维模型图.dxf", "二维简图-第3层(10800)/模型信息图/二维模型图.dxf"};
    EXPECT_EQ(Files(), files);
    EXPECT_EQ(expected, 4);
    EXPECT_EQ(pos, 4) << "one step per file";
    ASSERT_EQ(dlg.m_arrContent.size(), 4u);
    for (const std::string& f : files) {
        SCOPED_TRACE(f);
        const DxfRead r = ReadDxf(m_dir / f);
        EXPECT_EQ(r.errors, 0);
        for (const char* layer : {"MEMBER", "TEXT", "DIM"})
            EXPECT_NE(std::find(r.layers.begin(), r.layers.end(), layer), r.layers.end()) << layer;
        for (const DxfLine& l : r.lines)
            EXPECT_EQ(l.layer, "MEMBER");
        EXPECT_EQ(r.others, 0) << "the model drawing is the figure alone";
    }
    // The first storey's plan: the brace (699.7 long) is its longest member, so a column seen
    // end-on is a square of half-side 0.025 x 699.7 = 17.49, truncated to 17; beams as lines.
    const DxfRead first = ReadDxf(m_dir / files[1]);
    EXPECT_TRUE(first.Has(-17, -17, -17, 17));
    EXPECT_TRUE(first.Has(-17, 17, 17, 17));
    EXPECT_TRUE(first.Has(582, 1182, 582, 1217)) << "the column at (600, 1200)";
    EXPECT_TRUE(first.Has(0, 0, 600, 0)) << "a beam";
    // 12 columns as squares, 17 beams, the brace, the secondary beams of the 6 rooms, and the
    // pier and the coupling beam as rectangles of the wall's thickness.
    EXPECT_EQ(first.lines.size(), 12u * 4 + 17 + 1 + 6 + 2 * 4);
    const DxfRead base = ReadDxf(m_dir / files[0]);
    EXPECT_EQ(base.lines.size(), 0u) << "the base level has no members: an empty figure";
}

TEST_F(ExportTest, TheWholeStructureIn3DIsEveryMemberWithTheMembersInWalls)
{
    CDlgDrawResult3D dlg(&Data());
    TickOnly({IDC_DRAW_MODEL});
    ExportAndWait();
    ScriptedUser::PressCancel();
    dlg.DoModal();
    EXPECT_EQ(Files(), std::vector<std::string>{"三维简图-整体结构/模型信息图/三维模型图.dxf"});
    ASSERT_EQ(dlg.m_arrContent.size(), 1u);
    const OUTPUT_CONTENT& c = dlg.m_arrContent[0];
    std::vector<CObject*> members;
    for (CBeamList* l : {St().m_pBeamList, St().m_pBCInWallList1, St().m_pBCInWallList2})
        for (POSITION pos = l->GetHeadPosition(); pos != nullptr;)
            members.push_back(l->GetNext(pos));
    std::vector<CObject*> got;
    for (POSITION pos = c.m_BeamList.GetHeadPosition(); pos != nullptr;)
        got.push_back(c.m_BeamList.GetNext(pos));
    EXPECT_EQ(got, members) << "the member list, then the coupling beams, then the piers";
    EXPECT_EQ(c.m_NodeList.GetCount(), St().m_pNodeList->GetCount());
    EXPECT_EQ(c.m_PlaneList.GetCount(), 18);
    // 30 members a storey as lines, and the 6 members in walls as four-sided outlines.
    const DxfRead r = ReadDxf(m_dir / Files()[0]);
    EXPECT_EQ(r.errors, 0);
    EXPECT_EQ(r.lines.size(), 90u + 6 * 4);
}

// The storey names of the scope combo and the folders: elevation times the length unit u with
// trunc(1 - log10(u)) decimals; child storeys indented; characters a folder cannot hold
// replaced.
TEST_F(ExportTest, StoreyNamesFollowTheLengthUnitAndMakeValidFolderNames)
{
    CFloor* child = new CFloor(9, 1);
    child->m_strDescription = "夹层:A/B";
    child->m_dZ = 180.0;
    child->m_nOwn = 0;
    child->m_pLink = St().m_pFloorList->Get(2);
    St().m_pFloorList->AddTail(child);
    struct Case
    {
        float unit;
        std::vector<std::string> items;
        std::string childFolder;
    };
    const Case cases[] = {
        {1.0f, {"全部", "基础(0.0)", "第1层(360.0)", "   夹层:A/B(180.0)", "第2层(720.0)", "第3层(1080.0)"}, "二维简图-夹层_A_B(180.0)"},
        {0.001f, {"全部", "基础(0.000)", "第1层(0.360)", "   夹层:A/B(0.180)", "第2层(0.720)", "第3层(1.080)"}, "二维简图-夹层_A_B(0.180)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unit);
        ScriptedUser::Reset();
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        Data().UnitLength() = c.unit;
        CDlgDrawResult2D dlg(&Data());
        std::vector<std::string> items;
        ScriptedUser::Run([&](CDialog* d) {
            for (int i = 0; i < Dlg(d)->GetComboCount(IDC_DRAW_SCOPE); ++i)
                items.push_back(Dlg(d)->GetComboString(i, IDC_DRAW_SCOPE).str());
        });
        TickOnly({IDC_DRAW_MODEL});
        ScriptedUser::SelectRow(IDC_DRAW_SCOPE, 3);
        ExportAndWait();
        ScriptedUser::PressCancel();
        dlg.DoModal();
        EXPECT_EQ(items, c.items);
        EXPECT_EQ(Files(), std::vector<std::string>{c.childFolder + "/模型信息图/二维模型图.dxf"})
            << "a storey without members: an empty figure, still a file";
        ASSERT_EQ(dlg.m_arrContent.size(), 1u);
        EXPECT_EQ(dlg.m_arrContent[0].GetMaxBeamLength(), 0.0);
        EXPECT_EQ(ReadDxf(m_dir / Files()[0]).errors, 0);
    }
}

TEST_F(ExportTest, TheShownStructureIsExactlyWhatTheHostShows)
{
    for (int i = 1; i <= 5; ++i)
        m_kit->m_shownNodes.AddTail(St().m_pNodeList->Get(i));
    for (int i = 3; i <= 5; ++i)
        m_kit->m_shownBeams.AddTail(St().m_pBeamList->Get(i));
    m_kit->m_shownBeams.AddTail(St().m_pBCInWallList1->Get(1));
    m_kit->m_shownPlanes.AddTail(St().m_pPlaneList->Get(2));
    CDlgDrawResult3D dlg(&Data());
    TickOnly({IDC_DRAW_MODEL});
    ScriptedUser::SelectRow(IDC_DRAW_SCOPEKIND, 1);
    ExportAndWait();
    ScriptedUser::PressCancel();
    dlg.DoModal();
    ASSERT_EQ(dlg.m_arrContent.size(), 1u);
    const OUTPUT_CONTENT& c = dlg.m_arrContent[0];
    EXPECT_EQ(vyrtest::Items(c.m_NodeList), vyrtest::Items(m_kit->m_shownNodes));
    EXPECT_EQ(vyrtest::Items(c.m_BeamList), vyrtest::Items(m_kit->m_shownBeams));
    EXPECT_EQ(vyrtest::Items(c.m_PlaneList), vyrtest::Items(m_kit->m_shownPlanes));
    EXPECT_EQ(c.m_strName.str(), "三维简图-当前显示结构");
    std::vector<WPARAM> asked;
    for (const vyrhost::HostMessage& m : m_kit->Messages(WM_UI_GETSHOWNLIST))
        asked.push_back(m.wParam);
    EXPECT_EQ(asked, (std::vector<WPARAM>{0, 1, 3}));
    const DxfRead r = ReadDxf(m_dir / Files()[0]);
    EXPECT_EQ(r.lines.size(), 3u + 4) << "three members and one coupling beam's outline";
}

TEST_F(ExportTest, AxisScopesLeaveOutAuxiliaryAxesButTheCountTakesEveryAxis)
{
    St().Axises().AddAxis("1/A", CPoint2D(300.0, -100.0), CPoint2D(300.0, 1900.0));
    CDlgDrawResult3D dlg(&Data());
    TickOnly({IDC_DRAW_MODEL});
    ScriptedUser::SelectRow(IDC_DRAW_SCOPEKIND, 3);
    int count = -1;
    ScriptedUser::Run([&](CDialog* d) { count = Dlg(d)->GetOutputNum(); });
    ExportAndWait();
    ScriptedUser::PressCancel();
    dlg.DoModal();
    EXPECT_EQ(count, 8) << "GetAxisNum counts the auxiliary axis";
    ASSERT_EQ(dlg.m_arrContent.size(), 7u) << "the combo does not list it";
    EXPECT_EQ(Files().size(), 7u);
    // Axis 1 (x = 0): 4 columns and 3 beams a storey; axis D (y = 1800): 3 columns and 2
    // beams a storey, and the walls' nodes are its nodes already.
    const OUTPUT_CONTENT& one = dlg.m_arrContent[0];
    EXPECT_EQ(one.m_strName.str(), "三维简图-1轴-Y向");
    EXPECT_EQ(one.m_BeamList.GetCount(), 21);
    EXPECT_EQ(one.m_NodeList.GetCount(), 16);
    EXPECT_EQ(one.m_PlaneList.GetCount(), 0);
    const OUTPUT_CONTENT& d = dlg.m_arrContent[6];
    EXPECT_EQ(d.m_strName.str(), "三维简图-D轴-X向");
    EXPECT_EQ(d.m_BeamList.GetCount(), 15);
    EXPECT_EQ(d.m_NodeList.GetCount(), 12);
}

// A cancel at the first bar step: the worker finishes the file in hand and stops, with no
// message; meanwhile Enter, Esc and the close box change nothing; the dialog is usable
// again and a second run writes everything.
TEST_F(ExportTest, ACancelKeepsTheFilesWrittenEndsWithoutAMessageAndTheDialogRunsAgain)
{
    CDlgDrawResult3D dlg(&Data());
    CStepHook bar;
    bar.m_nAt = 1;
    bar.m_onStep = [&] {
        EXPECT_TRUE(dlg.IsBusy());
        dlg.SendMessage(WM_COMMAND, IDOK, 0);
        dlg.SendMessage(WM_COMMAND, IDCANCEL, 0);
        dlg.SendMessage(WM_CLOSE, 0, 0);
        CString text;
        dlg.GetDlgItemText(IDC_DRAW_EXPORT, text);
        EXPECT_EQ(text.str(), "取消导出");
        EXPECT_FALSE(dlg.GetDlgItem(IDC_DRAW_SELALL)->IsWindowEnabled());
        EXPECT_FALSE(dlg.GetDlgItem(IDCANCEL)->IsWindowEnabled());
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DRAW_EXPORT, BN_CLICKED), (LPARAM)dlg.GetDlgItem(IDC_DRAW_EXPORT)->GetSafeHwnd());
    };
    ScriptedUser::Run([&](CDialog* d) { bar.SubclassDlgItem(IDC_DRAW_PROGRESS, d); });
    TickOnly({IDC_DRAW_MODEL});
    ScriptedUser::SelectRow(IDC_DRAW_SCOPEKIND, 2);
    ScriptedUser::Click(IDC_DRAW_EXPORT);
    ScriptedUser::WaitUntil([](CDialog* d) { return !Dlg(d)->IsBusy(); });
    std::vector<std::string> afterCancel;
    ScriptedUser::Run([&](CDialog* d) {
        afterCancel = Files();
        CString text;
        d->GetDlgItemText(IDC_DRAW_EXPORT, text);
        EXPECT_EQ(text.str(), "导出");
        EXPECT_TRUE(d->GetDlgItem(IDC_DRAW_SELALL)->IsWindowEnabled());
        EXPECT_TRUE(d->GetDlgItem(IDCANCEL)->IsWindowEnabled());
        EXPECT_FALSE(d->GetDlgItem(IDC_DRAW_PROGRESS)->IsWindowVisible());
        EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 0u);
        EXPECT_EQ(Dlg(d)->GetComboSel(IDC_DRAW_SCOPEKIND), 2) << "the scope kind is kept";
    });
    ExportAndWait();
    ScriptedUser::PressCancel();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);

    ASSERT_EQ(afterCancel.size(), 2u) << "the file of the step and the one in hand when the cancel came";
    EXPECT_EQ(afterCancel[0], "三维简图-基础(0)/模型信息图/三维模型图.dxf");
    EXPECT_EQ(afterCancel[1], "三维简图-第1层(3600)/模型信息图/三维模型图.dxf");
    for (const std::string& f : afterCancel)
        EXPECT_EQ(ReadDxf(m_dir / f).errors, 0) << f;
    EXPECT_EQ(Files().size(), 4u);
    EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 1u);
}

TEST_F(ExportTest, ACancelBeforeTheFirstPollStopsRightAfterTheScopesAreBuilt)
{
    CDlgDrawResult2D dlg(&Data());
    TickOnly({IDC_DRAW_MODEL});
    // Start and cancel in one go: the worker's first window call waits for this thread, so
    // the cancel is in its queue before it polls.
    ScriptedUser::Run([](CDialog* d) {
        const LPARAM button = (LPARAM)d->GetDlgItem(IDC_DRAW_EXPORT)->GetSafeHwnd();
        d->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DRAW_EXPORT, BN_CLICKED), button);
        d->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DRAW_EXPORT, BN_CLICKED), button);
    });
    ScriptedUser::WaitUntil([](CDialog* d) { return !Dlg(d)->IsBusy(); });
    ScriptedUser::PressCancel();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(Entries(), 0u);
    EXPECT_EQ(dlg.m_arrContent.size(), 4u);
    EXPECT_TRUE(ScriptedUser::MessageBoxes().empty());
}

// A dialog ended while its worker runs (by the host, not by the user, who cannot) is not
// freed under the worker: its destruction waits until the worker has returned, with the
// file in hand complete.
TEST_F(ExportTest, DestroyingTheDialogWaitsForTheWorker)
{
    {
        CDlgDrawResult2D dlg(&Data());
        CStepHook bar;
        bar.m_nAt = 1;
        bar.m_onStep = [&] {
            dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DRAW_EXPORT, BN_CLICKED), (LPARAM)dlg.GetDlgItem(IDC_DRAW_EXPORT)->GetSafeHwnd());
            dlg.EndDialog(IDABORT);
        };
        ScriptedUser::Run([&](CDialog* d) { bar.SubclassDlgItem(IDC_DRAW_PROGRESS, d); });
        TickOnly({IDC_DRAW_MODEL});
        ScriptedUser::Click(IDC_DRAW_EXPORT);
        EXPECT_EQ(dlg.DoModal(), IDABORT);
    }
    const std::vector<std::string> files = Files();
    ASSERT_EQ(files.size(), 2u) << "the worker stopped at its next poll";
    for (const std::string& f : files)
        EXPECT_EQ(ReadDxf(m_dir / f).errors, 0) << f;
    EXPECT_TRUE(ScriptedUser::MessageBoxes().empty());
}

// What could not be written is counted and named at the end, in place of the message that
// all went well; a missing template falls back to the writer's own.
TEST_F(ExportTest, AMissingProjectFolderIsReportedWithTheCountAndTheFirstPath)
{
    const std::string missing = (m_dir / "无此目录" / "工程").string();
    Data().ProjectPath() = missing.c_str();
    CDlgDrawResult2D dlg(&Data());
    TickOnly({IDC_DRAW_MODEL});
    // Per storey its folder and its file.
    ExportAndWait(("导出结束，但有8个文件夹或文件未能写出，第一个是：\n" + missing + "\\二维简图-基础(0)").c_str());
    ScriptedUser::PressCancel();
    dlg.DoModal();
    EXPECT_EQ(dlg.GetFailedCount(), 8);
    EXPECT_EQ(Entries(), 0u);
}

TEST_F(ExportTest, AMissingTemplateGivesTheWritersBuiltInDrawing)
{
    const fs::path app = m_dir / "app";
    fs::create_directories(app);
    VyrSetAppFolder(app.string().c_str());
    CDlgDrawResult3D dlg(&Data());
    TickOnly({IDC_DRAW_MODEL});
    ExportAndWait();
    ScriptedUser::PressCancel();
    dlg.DoModal();
    EXPECT_EQ(dlg.GetFailedCount(), 0);
    const DxfRead r = ReadDxf(m_dir / "三维简图-整体结构/模型信息图/三维模型图.dxf");
    EXPECT_EQ(r.errors, 0);
    EXPECT_NE(std::find(r.layers.begin(), r.layers.end(), "MEMBER"), r.layers.end());
    EXPECT_EQ(r.lines.size(), 114u);
}

TEST_F(ExportTest, EachEditionOpensItsTemplate)
{
    struct Case
    {
        int dim;
        CVyrProduct::Variant variant;
        bool threeD;
        UINT templateId;
        std::vector<int> absent;
    };
    const Case cases[] = {
        {3, CVyrProduct::UlBRX, false, IDD_DRAWRESULT2D, {IDC_DRAW_SCOPEKIND}},
        {3, CVyrProduct::Kel3D, false, IDD_DRAWRESULT2D_KEL, {IDC_DRAW_BCINWALL, IDC_DRAW_SCOPEKIND}},
        {2, CVyrProduct::Dov2D, false, IDD_DRAWRESULT2D_DOV, {IDC_DRAW_SCOPE, IDC_DRAW_PLANE, IDC_DRAW_MAINNODE}},
        {2, CVyrProduct::General, false, IDD_DRAWRESULT2D, {}},
        {3, CVyrProduct::General, true, IDD_DRAWRESULT3D, {}},
        {3, CVyrProduct::Kel3D, true, IDD_DRAWRESULT3D_KEL, {IDC_DRAW_BCINWALL}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.templateId);
        ScriptedUser::Reset();
        CVyrProduct::SetEdition(c.dim, c.variant);
        std::unique_ptr<CDlgDrawResult> dlg = NewDialog(c.threeD);
        ScriptedUser::Run([&](CDialog* d) {
            for (int id : c.absent) {
                EXPECT_EQ(d->GetDlgItem(id), nullptr) << id;
                EXPECT_FALSE(Dlg(d)->IsChecked(id)) << "an absent box reads unticked";
            }
        });
        ScriptedUser::PressCancel();
        dlg->DoModal();
        ASSERT_FALSE(ScriptedUser::Dialogs().empty());
        EXPECT_EQ(ScriptedUser::Dialogs().back().templateId, c.templateId);
    }
}

TEST_F(ExportTest, ThePlaneEditionDrawsOneSketchOfTheWholeFrameWithTheWallMembersOutlined)
{
    CVyrProduct::SetEdition(2, CVyrProduct::Dov2D);
    CDlgDrawResult2D dlg(&Data());
    TickOnly({IDC_DRAW_MODEL});
    ExportAndWait();
    ScriptedUser::PressCancel();
    dlg.DoModal();
    EXPECT_EQ(Files(), std::vector<std::string>{"简图/模型信息图/二维模型图.dxf"});
    const DxfRead r = ReadDxf(m_dir / Files()[0]);
    EXPECT_EQ(r.errors, 0);
    // The first storey's wall runs from x = 600 to 1200; its door from 750 to 900 and up to
    // z = 216. Seen in elevation (x, z): the coupling beam above the door from the wall's start
    // to the door's end, the pier from there to the wall's end.
    EXPECT_TRUE(r.Has(600, 216, 900, 216));
    EXPECT_TRUE(r.Has(900, 216, 900, 360));
    EXPECT_TRUE(r.Has(900, 0, 1200, 0)) << "the pier beside the door";
    EXPECT_TRUE(r.Has(1200, 0, 1200, 360));
}

// The figure itself, on small scopes: end-on members as squares truncated toward zero,
// members in walls by edition, nothing for a member of no length in 3-D.
class FigureTest : public ExportTest
{
protected:
    CPNode* Node(double x, double y, double z)
    {
        m_nodes.push_back(std::make_unique<CPNode>((int)m_nodes.size() + 1, CPoint3D(x, y, z)));
        return m_nodes.back().get();
    }
    template <class Dlg, class Scope>
    DxfRead Draw(Dlg& dlg, Scope& scope)
    {
        const fs::path file = m_dir / ("figure" + std::to_string(m_nFile++) + ".dxf");
        {
            CDXFOutput dxf;
            EXPECT_EQ(dxf.IntialDXFFile(CDlgDrawResult::GetTemplateFile(), file.string().c_str(), true), 1);
            dlg.GenFigure(dxf, scope);
        }
        return ReadDxf(file);
    }
    std::vector<std::unique_ptr<CPNode>> m_nodes;
    std::vector<std::unique_ptr<CBeamBase>> m_members;
    int m_nFile = 0;
};

TEST_F(FigureTest, AColumnInAStoreyPlanIsASquareOfSide2hTruncatedTowardZero)
{
    // h = 0.025 x 600 = 15 from the longest member, the beam.
    auto* column = new CBeam(1, Node(-10.5, 100.7, 0.0), Node(-10.5, 100.7, 360.0), 1);
    auto* beam = new CBeam(2, Node(-10.5, 100.7, 360.0), Node(589.5, 100.7, 360.0), 2);
    m_members.emplace_back(column);
    m_members.emplace_back(beam);
    OUTPUT_CONTENT_2D scope;
    scope.m_BeamList.AddTail(column);
    scope.m_BeamList.AddTail(beam);
    CDlgDrawResult2D dlg(&Data());
    const DxfRead r = Draw(dlg, scope);
    EXPECT_EQ(r.errors, 0);
    ASSERT_EQ(r.lines.size(), 5u);
    // x - h = -25.5 -> -25, x + h = 4.5 -> 4, y - h = 85.7 -> 85, y + h = 115.7 -> 115.
    EXPECT_TRUE(r.Has(-25, 85, -25, 115));
    EXPECT_TRUE(r.Has(-25, 115, 4, 115));
    EXPECT_TRUE(r.Has(4, 115, 4, 85));
    EXPECT_TRUE(r.Has(4, 85, -25, 85));
    EXPECT_TRUE(r.Has(-10.5, 100.7, 589.5, 100.7));
    EXPECT_EQ(scope.GetMaxBeamLength(), 600.0);
}

TEST_F(FigureTest, MembersInWallsFollowTheEditionAndAZeroLengthMemberLeavesNothingIn3D)
{
    auto* link = new CBeamInWall(1, Node(0, 0, 360), Node(600, 0, 360));
    link->SetOutline(CPoint3D(0, 0, 300), CPoint3D(600, 0, 300), CPoint3D(600, 0, 360), CPoint3D(0, 0, 360), 20.0f);
    auto* point = new CBeam(2, Node(50, 50, 50), Node(50, 50, 50), 2);
    m_members.emplace_back(link);
    m_members.emplace_back(point);

    OUTPUT_CONTENT_2D plan;
    plan.m_BeamList.AddTail(link);
    CDlgDrawResult2D dlg2(&Data());
    // A spatial edition's storey plan: the rectangle of the plan width along corners 1-2.
    DxfRead r = Draw(dlg2, plan);
    ASSERT_EQ(r.lines.size(), 4u);
    EXPECT_TRUE(r.Has(0, 10, 600, 10));
    EXPECT_TRUE(r.Has(600, 10, 600, -10));
    EXPECT_TRUE(r.Has(600, -10, 0, -10));
    EXPECT_TRUE(r.Has(0, -10, 0, 10));
    // A plane edition's elevation: the outline through the four corners.
    CVyrProduct::SetEdition(2, false);
    r = Draw(dlg2, plan);
    ASSERT_EQ(r.lines.size(), 4u);
    EXPECT_TRUE(r.Has(0, 300, 600, 300));
    EXPECT_TRUE(r.Has(600, 300, 600, 360));
    EXPECT_TRUE(r.Has(600, 360, 0, 360));
    EXPECT_TRUE(r.Has(0, 360, 0, 300));

    // 3-D, either edition: the outline in space; the member of no length draws nothing.
    OUTPUT_CONTENT space;
    space.m_BeamList.AddTail(point);
    space.m_BeamList.AddTail(link);
    CDlgDrawResult3D dlg3(&Data());
    r = Draw(dlg3, space);
    EXPECT_EQ(r.errors, 0);
    ASSERT_EQ(r.lines.size(), 4u);
    for (const DxfLine& l : r.lines)
        EXPECT_EQ(l.y1, 0.0);
    EXPECT_TRUE(r.Has(600, 0, 600, 0)) << "the vertical edge at x = 600, seen in x-y";
}

// One drawing rendered by ezdxf's drawing add-on: ink along a member, none in an empty corner.
TEST_F(ExportTest, AWrittenDrawingRendersWithInkAlongItsMembers)
{
    if (RunPython("-c 'import matplotlib'").find("Error") != std::string::npos)
        GTEST_SKIP() << "python3-matplotlib is not installed (scripts/deps.sh --tests)";
    CDlgDrawResult2D dlg(&Data());
    TickOnly({IDC_DRAW_MODEL});
    ScriptedUser::SelectRow(IDC_DRAW_SCOPE, 2);
    ExportAndWait();
    ScriptedUser::PressCancel();
    dlg.DoModal();
    const fs::path dxf = m_dir / "二维简图-第1层(3600)/模型信息图/二维模型图.dxf";
    const fs::path png = m_dir / "plan.png";
    // Window -100..1300 x -100..1900; the beam along y = 0 from x = 0 to 600, the corner
    // (1250, 1850) empty.
    const std::string out = RunPython(std::string(VYR_SOURCE_DIR) + "/tests/drawing/export/render_dxf.py '" +
                                      dxf.string() + "' '" + png.string() + "' -100 -100 1300 1900 300,0 1250,1850");
    EXPECT_TRUE(fs::exists(png)) << out;
    std::istringstream in(out);
    std::string head, probe;
    int ink = -1, beamInk = -1, cornerInk = -1;
    while (in >> head) {
        if (head != "INK")
            continue;
        in >> probe >> ink;
        (probe == "300,0" ? beamInk : cornerInk) = ink;
    }
    EXPECT_GT(beamInk, 0) << out;
    EXPECT_EQ(cornerInk, 0) << out;
}

} // namespace

// ---- internal-force diagrams through the run

TEST_F(ExportTest, ForceDiagramsOfEveryCaseAreSixFilesPerScopeAsCountedInTheirCategoryFolders)
{
    CDlgDrawResult3D dlg(&Data());
    TickOnly({IDC_DRAW_BF_BLC, IDC_DRAW_BF_LCSTD});
    int expected = -1, pos = -1;
    ScriptedUser::Run([&](CDialog* d) { expected = Dlg(d)->GetOutputNum(); });
    ExportAndWait();
    ScriptedUser::Run([&](CDialog* d) { pos = static_cast<CProgressCtrl*>(d->GetDlgItem(IDC_DRAW_PROGRESS))->GetPos(); });
    ScriptedUser::PressCancel();
    dlg.DoModal();
    // Four basic cases and one standard combination, six components each.
    EXPECT_EQ(expected, 30);
    EXPECT_EQ(pos, 30);
    const std::vector<std::string> files = Files();
    ASSERT_EQ(files.size(), 30u);
    for (const char* c : {"N", "V2", "V3", "T", "M2", "M3"}) {
        const std::string f = std::string("三维简图-整体结构/杆件内力-基本工况/杆件内力-恒载-") + c + ".dxf";
        EXPECT_NE(std::find(files.begin(), files.end(), f), files.end()) << f;
    }
    // The seismic case is drawn as its own combination: its moments are there.
    const DxfRead seism = ReadDxf(m_dir / "三维简图-整体结构/杆件内力-基本工况/杆件内力-E1-M3.dxf");
    EXPECT_EQ(seism.errors, 0);
    EXPECT_FALSE(seism.OnLayer("DIM").empty());
    EXPECT_FALSE(seism.texts.empty());
}

// A combination's description holds ':' (and may hold other characters a Windows file name
// cannot), which once went into the file name raw and lost the drawing.
TEST_F(ExportTest, CombinationNamesBecomeValidFileNames)
{
    CDlgDrawResult2D dlg(&Data());
    TickOnly({IDC_DRAW_BF_LCSTD});
    ScriptedUser::SelectRow(IDC_DRAW_SCOPE, 2);
    ExportAndWait();
    ScriptedUser::PressCancel();
    dlg.DoModal();
    const std::string name = Data().GetSDispLCList()->Get(1)->GetDescription().str();
    ASSERT_NE(name.find(':'), std::string::npos);
    std::string safe = name;
    std::replace(safe.begin(), safe.end(), ':', '_');
    const std::vector<std::string> files = Files();
    ASSERT_EQ(files.size(), 6u);
    EXPECT_EQ(files[0], "二维简图-第1层(3600)/杆件内力-标准组合工况/杆件内力-" + safe + "-M2.dxf");
    for (const std::string& f : files)
        EXPECT_EQ(f.find(':'), std::string::npos) << f;
}

TEST_F(ExportTest, AnEmptyListAtAllMakesTheFoldersOnly)
{
    Data().GetSLCList()->RemoveAll();
    CDlgDrawResult3D dlg(&Data());
    TickOnly({IDC_DRAW_BF_LC});
    ExportAndWait();
    ScriptedUser::PressCancel();
    dlg.DoModal();
    EXPECT_TRUE(Files().empty());
    EXPECT_TRUE(fs::is_directory(m_dir / "三维简图-整体结构/杆件内力-基本组合工况"));
}

TEST_F(ExportTest, ACancelDuringACaseFinishesItsSixFilesAndStartsNoOther)
{
    CDlgDrawResult3D dlg(&Data());
    CStepHook bar;
    bar.m_nAt = 1;
    bar.m_onStep = [&] {
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DRAW_EXPORT, BN_CLICKED), (LPARAM)dlg.GetDlgItem(IDC_DRAW_EXPORT)->GetSafeHwnd());
    };
    ScriptedUser::Run([&](CDialog* d) { bar.SubclassDlgItem(IDC_DRAW_PROGRESS, d); });
    TickOnly({IDC_DRAW_BF_BLC, IDC_DRAW_BF_LC});
    ScriptedUser::Click(IDC_DRAW_EXPORT);
    ScriptedUser::WaitUntil([](CDialog* d) { return !Dlg(d)->IsBusy(); });
    ScriptedUser::PressCancel();
    dlg.DoModal();
    const std::vector<std::string> files = Files();
    ASSERT_EQ(files.size(), 6u);
    for (const std::string& f : files) {
        EXPECT_NE(f.find("杆件内力-恒载-"), std::string::npos) << f;
        EXPECT_EQ(ReadDxf(m_dir / f).errors, 0) << f;
    }
    EXPECT_TRUE(ScriptedUser::MessageBoxes().empty());
}

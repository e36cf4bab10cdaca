// The normalised mode shapes: the lists, turning, selecting and applying a scale, the
// back-to-front order of members and walls, the bitmap file and the chapter.
#include <gtest/gtest.h>

#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include <vyr/ctime.h>
#include <vyr/model/output/coutput.h>
#include <vyr/reports/DlgOutputFrequentUni.h>
#include <vyr/resources/dialogs/OutputFrequentRes.h>
#include <vyr/scripteduser.h>
#include "model/output/output_test_util.h"
#include "reports/modeshapes/ModeShapesTest.h"

using vyr::ScriptedUser;

namespace {

class ModeShapeTest : public modeshapes::ModeShapesTest
{
protected:
    // Opens the dialog on the sample model, runs fn in it and closes it.
    void InDialog(std::function<void(CDlgOutputFrequentUni&)> fn)
    {
        ScriptedUser::Run([&](CDialog* d) { fn(*static_cast<CDlgOutputFrequentUni*>(d)); }, IDD_OUTPUTFREQUENTUNI);
        ScriptedUser::PressOK(IDD_OUTPUTFREQUENTUNI);
        CDlgOutputFrequentUni dlg;
        dlg.m_pGlobalData = &m_data;
        EXPECT_EQ(dlg.DoModal(), IDOK);
    }
    // The node's deformed position against its position plus scale x its shape in the mode.
    static void ExpectPrepared(const CPNode* n, int mode, double scale)
    {
        CPoint3D p;
        n->GetFShapeP3D(&p);
        const auto& v = n->m_arrFShape[(size_t)mode];
        EXPECT_NEAR(p.x, n->m_pt.x + scale * v[0], 1e-6);
        EXPECT_NEAR(p.y, n->m_pt.y + scale * v[1], 1e-6);
        EXPECT_NEAR(p.z, n->m_pt.z + scale * v[2], 1e-6);
    }
    CPNode* TopCorner()
    {
        CPNode* top = nullptr;
        for (POSITION pos = Struct().m_pNodeList->GetHeadPosition(); pos;) {
            CPNode* n = Struct().m_pNodeList->GetNextT(pos);
            if (!top || n->m_pt.z > top->m_pt.z)
                top = n;
        }
        return top;
    }
};

TEST_F(ModeShapeTest, OpeningShowsEveryModeAndTheMasterNodesOfTheFirst)
{
    std::vector<std::string> first;
    int modes = 0, masters = 0;
    std::string topX;
    BOOL apply = FALSE;
    InDialog([&](CDlgOutputFrequentUni& d) {
        modes = d.m_List.GetItemCount();
        for (int c = 0; c < 4; ++c)
            first.push_back(d.m_List.GetItemText(0, c).str());
        masters = d.m_ListFloor.GetItemCount();
        topX = d.m_ListFloor.GetItemText(masters - 1, 1).str();
        apply = d.GetDlgItem(IDC_FREQUNI_APPLY)->IsWindowEnabled();
    });
    EXPECT_EQ(modes, 3);
    // Period 0.92 s: frequency 1 / 0.92 = 1.086957.
    EXPECT_EQ(first, (std::vector<std::string>{" 1", "0.92000", "1.08696", " 0.00"}));
    EXPECT_EQ(masters, (int)Struct().m_pMainNodeList->GetCount());
    EXPECT_EQ(topX, "1.00000"); // the top storey sways a whole unit in the first mode
    EXPECT_TRUE(apply);
    EXPECT_EQ(m_data.CurrentFreID(), 0);
    ExpectPrepared(TopCorner(), 0, 200);
}

TEST_F(ModeShapeTest, TurnsWrapAfterAFullCircleEitherWay)
{
    std::vector<int> left, right;
    InDialog([&](CDlgOutputFrequentUni& d) {
        for (int i = 0; i < 9; ++i) {
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FREQUNI_LEFT, BN_CLICKED), 0);
            left.push_back(d.m_arrAngle[0]);
        }
        d.m_arrAngle[0] = 320;
        for (int i = 0; i < 65; ++i) {
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FREQUNI_RIGHT, BN_CLICKED), 0);
            right.push_back(d.m_arrAngle[0]);
        }
    });
    ASSERT_EQ(left.size(), 9u);
    EXPECT_EQ(left[0], 325);
    EXPECT_EQ(left[7], 360);
    EXPECT_EQ(left[8], 5);
    EXPECT_EQ(right[63], 0);
    EXPECT_EQ(right[64], 355);
}

TEST_F(ModeShapeTest, SelectingAModeShowsItAndApplyTakesTheTypedScale)
{
    int scaleShown = 0;
    std::vector<int> scales;
    ScriptedUser::SelectRow(IDC_FREQUNI_MODES, 1, IDD_OUTPUTFREQUENTUNI);
    ScriptedUser::Run([&](CDialog* d) { scaleShown = (int)d->GetDlgItemInt(IDC_FREQUNI_SCALE); },
                      IDD_OUTPUTFREQUENTUNI);
    ScriptedUser::SetText(IDC_FREQUNI_SCALE, "5000", IDD_OUTPUTFREQUENTUNI);
    ScriptedUser::Click(IDC_FREQUNI_APPLY, IDD_OUTPUTFREQUENTUNI);
    ScriptedUser::Run([&](CDialog* d) { scales.push_back(static_cast<CDlgOutputFrequentUni*>(d)->m_arrScale[1]); },
                      IDD_OUTPUTFREQUENTUNI);
    // A scale that is not a whole number: the framework says so, the last one stays.
    ScriptedUser::SetText(IDC_FREQUNI_SCALE, "12.5", IDD_OUTPUTFREQUENTUNI);
    ScriptedUser::Click(IDC_FREQUNI_APPLY, IDD_OUTPUTFREQUENTUNI);
    ScriptedUser::AnswerMessageBox(IDOK);
    ScriptedUser::Run([&](CDialog* d) { scales.push_back(static_cast<CDlgOutputFrequentUni*>(d)->m_arrScale[1]); },
                      IDD_OUTPUTFREQUENTUNI);
    ScriptedUser::SetText(IDC_FREQUNI_SCALE, "0", IDD_OUTPUTFREQUENTUNI);
    ScriptedUser::Click(IDC_FREQUNI_APPLY, IDD_OUTPUTFREQUENTUNI);
    ScriptedUser::Run([&](CDialog* d) { scales.push_back(static_cast<CDlgOutputFrequentUni*>(d)->m_arrScale[1]); },
                      IDD_OUTPUTFREQUENTUNI);
    ScriptedUser::PressOK(IDD_OUTPUTFREQUENTUNI);
    CDlgOutputFrequentUni dlg;
    dlg.m_pGlobalData = &m_data;
    dlg.DoModal();
    EXPECT_EQ(scaleShown, 200);
    EXPECT_EQ(scales, (std::vector<int>{5000, 5000, 0}));
    EXPECT_EQ(m_data.CurrentFreID(), 1);
    ExpectPrepared(TopCorner(), 1, 0); // the last scale applied, 0, leaves the nodes in place
}

// Drawn first is deepest: walls by falling depth; a member goes before the first wall lying
// more than 0.01 less deep than itself, else after the walls.
TEST(ModeShapeOrder, MembersAndWallsAreDrawnBackToFront)
{
    CGlobalData data;
    CStruct& s = *data.Struct();
    s.SetModalResult({1.0f});
    auto node = [&](int no, double x, double z) {
        auto* n = new CPNode(no, CPoint3D(x, 0, z));
        s.m_pNodeList->AddTail(n);
        return n;
    };
    auto* wall = new CWall;
    for (int k = 0; k < 4; ++k)
        wall->m_pVexNodeList->AddTail(node(10 + k, k % 3 == 0 ? 0 : 100, k < 2 ? 0 : 100));
    s.m_pWallList->AddTail(wall);
    CPNode* a = node(1, 0, 0);
    CPNode* b = node(2, 100, 100);
    auto* over = new CBeam(1, a, b, 2);
    auto* behind = new CBeam(2, a, b, 2);
    s.m_pBeamList->AddTail(over);
    s.m_pBeamList->AddTail(behind);

    CDlgOutputFrequentUni dlg;
    dlg.m_pGlobalData = &data;
    dlg.InitMatrix();
    wall->SetTagVaule(1.0);
    over->SetTagVaule(1.005);
    behind->SetTagVaule(1.02);
    dlg.InitMemberBaseList(s.m_pBeamList, s.m_pWallList);
    CDC dc;
    dc.Attach(vyr::CreateDisplayDC());
    dlg.OnDraw(0, &dc);
    std::vector<vyr::DrawKind> kinds;
    for (const vyr::DrawRecord& r : dc.Records())
        kinds.push_back(r.kind);
    EXPECT_EQ(kinds, (std::vector<vyr::DrawKind>{vyr::DrawKind::Line, vyr::DrawKind::Polygon, vyr::DrawKind::Line}));
    ASSERT_EQ(dlg.m_pDrawList->GetCount(), 3);
    EXPECT_EQ(dlg.m_pDrawList->GetHead(), behind);
    EXPECT_EQ(dlg.m_pDrawList->GetTail(), over);

    // Without walls the members keep their order whatever their depths.
    s.m_pWallList->RemoveAll();
    delete wall;
    dlg.InitMemberBaseList(s.m_pBeamList, s.m_pWallList);
    ASSERT_EQ(dlg.m_pDrawList->GetCount(), 2);
    EXPECT_EQ(dlg.m_pDrawList->GetHead(), over);
    dc.DeleteDC();
}

// Several walls: they stand in falling depth, equal ones in list order; each member before
// the first wall less deep than itself by more than 0.01, members after every wall last.
TEST(ModeShapeOrder, EachMemberStandsBeforeTheFirstWallItIsClearlyDeeperThan)
{
    CWallList walls;
    CBeamList members;
    std::vector<std::unique_ptr<CWall>> w;
    std::vector<std::unique_ptr<CBeam>> m;
    for (double d : {2.0, 3.0, 2.0}) {
        w.push_back(std::make_unique<CWall>());
        w.back()->SetTagVaule(d);
        walls.AddTail(w.back().get());
    }
    for (double d : {2.5, 3.02, 1.0, 2.005}) {
        m.push_back(std::make_unique<CBeam>((int)m.size() + 1, nullptr, nullptr, 2));
        m.back()->SetTagVaule(d);
        members.AddTail(m.back().get());
    }
    CDlgOutputFrequentUni dlg;
    dlg.InitMemberBaseList(&members, &walls);
    const std::vector<CObject*> want = {m[1].get(), w[1].get(), m[0].get(), w[0].get(),
                                        w[2].get(), m[2].get(), m[3].get()};
    std::vector<CObject*> got;
    for (POSITION pos = dlg.m_pDrawList->GetHeadPosition(); pos;)
        got.push_back(dlg.m_pDrawList->GetNext(pos));
    EXPECT_EQ(got, want);
    dlg.m_pDrawList->RemoveAll();
    walls.RemoveAll();
    members.RemoveAll();
}

TEST_F(ModeShapeTest, ABitmapFileIsWrittenOnlyIntoAnExistingFolderAndForAComputedMode)
{
    const std::filesystem::path folder = m_dir / "TowerOutput" / "Doc" / "temp";
    bool withoutFolder = true;
    InDialog([&](CDlgOutputFrequentUni& d) {
        CWnd* area = d.GetDlgItem(IDC_FREQUNI_AREA);
        d.PaintOnBitmap(0, area);
        withoutFolder = std::filesystem::exists(folder / "frequentbmp0.bmp");
        std::filesystem::create_directories(folder);
        d.PaintOnBitmap(0, area);
        d.PaintOnBitmap(3, area); // no such mode
        d.PaintOnBitmap(-1, area);
    });
    EXPECT_FALSE(withoutFolder);
    vyr::Image img;
    ASSERT_TRUE(vyr::ReadBmp((folder / "frequentbmp0.bmp").string(), img));
    EXPECT_GT(img.Width(), 100);
    int ink = 0;
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < img.Width(); ++x)
            ink += img.GetPixel(x, y) != RGB(255, 255, 255);
    EXPECT_GT(ink, 50);
    EXPECT_EQ(img.GetPixel(0, 0), RGB(255, 255, 255)); // no outline
    EXPECT_FALSE(std::filesystem::exists(folder / "frequentbmp3.bmp"));
}

// Without modes the lists are empty and nothing reads a mode that does not exist.
TEST_F(ModeShapeTest, WithoutModesTheListsAreEmptyAndTheFieldBlank)
{
    Struct().SetModalResult({});
    int modes = -1, masters = -1;
    BOOL apply = TRUE;
    InDialog([&](CDlgOutputFrequentUni& d) {
        modes = d.m_List.GetItemCount();
        masters = d.m_ListFloor.GetItemCount();
        apply = d.GetDlgItem(IDC_FREQUNI_APPLY)->IsWindowEnabled();
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FREQUNI_LEFT, BN_CLICKED), 0);
        d.PaintOnBitmap(0, d.GetDlgItem(IDC_FREQUNI_AREA));
        d.Invalidate();
        d.UpdateWindow();
    });
    EXPECT_EQ(modes, 0);
    EXPECT_EQ(masters, 0);
    EXPECT_FALSE(apply);
}

TEST_F(ModeShapeTest, OneInvalidationPaintsOnce)
{
    int paints = -1;
    InDialog([&](CDlgOutputFrequentUni& d) {
        vyr::PumpMessages();
        const int before = vyr::GetWindowCounters(d.GetSafeHwnd()).paints;
        d.Invalidate(FALSE);
        vyr::PumpMessages();
        vyr::PumpMessages();
        paints = vyr::GetWindowCounters(d.GetSafeHwnd()).paints - before;
    });
    EXPECT_EQ(paints, 1);
}

class ModeShapeChapter : public ModeShapeTest
{
protected:
    void SetUp() override
    {
        ModeShapeTest::SetUp();
        std::tm t{};
        t.tm_year = 2026 - 1900;
        t.tm_mon = 2; // March
        t.tm_mday = 5;
        t.tm_hour = 8;
        t.tm_min = 7;
        t.tm_isdst = -1;
        vyr::FixCurrentTime(std::mktime(&t));
    }
    void TearDown() override
    {
        vyr::ReleaseCurrentTime();
        ModeShapeTest::TearDown();
    }
    outtest::RtfReading Chapter()
    {
        CDlgOutputFrequentUni dlg;
        dlg.m_pGlobalData = &m_data;
        return outtest::WriteAndReadRtf((m_dir / "modes.rtf").string(), [&](COutput& out) { dlg.Output(out); });
    }
    static int Count(const outtest::RtfReading& rtf, const std::string& part)
    {
        int n = 0;
        for (const std::string& l : rtf.lines)
            n += l.find(part) != std::string::npos;
        return n;
    }
};

TEST_F(ModeShapeChapter, WithoutModesTheHeaderBlockAndTheHeadsOnly)
{
    Struct().SetModalResult({});
    const outtest::RtfReading rtf = Chapter();
    ASSERT_TRUE(rtf.ok);
    EXPECT_EQ(Count(rtf, "Tower动力特性信息"), 1);
    EXPECT_EQ(Count(rtf, std::string(47, '=')), 2);
    EXPECT_EQ(Count(rtf, "工程名称：Tower"), 1);
    EXPECT_EQ(Count(rtf, "计算软件：VYR"), 1);
    EXPECT_EQ(Count(rtf, "时间：2026年3月5日 8:7"), 1);
    EXPECT_EQ(Count(rtf, "归一化振型"), 0);
    ASSERT_EQ(rtf.rows.size(), 1u);
    EXPECT_EQ(rtf.rows[0][0], "振型号");
}

TEST_F(ModeShapeChapter, EachModeListsTheMasterNodesOfEveryStoreyCountedFromZero)
{
    // A master node on the first storey of the list reads "第0层".
    auto* base = new CMainNode(30001, CPoint3D(0, 0, 0));
    base->m_arrShape = {{0.5f, -0.25f, 0.125f}, {0, 1, 0}, {0, 0, 1}};
    Struct().m_pMainNodeList->AddTail(base);
    CFloor* head = Struct().m_pFloorList->GetHeadT();
    head->m_pMainNodeList->AddHead(base);
    const outtest::RtfReading rtf = Chapter();
    EXPECT_EQ(Count(rtf, "第1振型下归一化振型"), 1);
    EXPECT_EQ(Count(rtf, "第3振型下归一化振型"), 1);
    int rules = 0;
    for (const std::string& l : rtf.lines)
        rules += l == std::string(55, '-');
    EXPECT_EQ(rules, 3);
    std::vector<std::vector<std::string>> firstRows;
    for (const auto& row : rtf.rows)
        if (!row.empty() && row[0] == "第0层")
            firstRows.push_back(row);
    ASSERT_EQ(firstRows.size(), 3u);
    EXPECT_EQ(firstRows[0], (std::vector<std::string>{"第0层", "1", "0.500", "-0.250", "0.125"}));
    EXPECT_EQ(firstRows[1][3], "1.000");
    // The top storey's master node sways a whole unit in X in the first mode.
    bool topFound = false;
    const int storeys = (int)Struct().m_pFloorList->GetCount() - 1;
    const std::string top = "第" + std::to_string(storeys) + "层";
    for (const auto& row : rtf.rows)
        if (!row.empty() && row[0] == top) {
            EXPECT_EQ(row[2], "1.000");
            topFound = true;
            break;
        }
    EXPECT_TRUE(topFound) << top;
}

} // namespace

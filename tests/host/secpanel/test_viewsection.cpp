// The section panel in the host kit's side area, driven as a user drives it: the tab
// filters, the columns and their orders, the row numbers, the refusals of a delete, the
// picking commands handed to the operator manager, the batten record's row, the layout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/secpanel/SecTestModel.h"
#include "hostkit/HostKit.h"
#include "support/QuerportStandIn.h"
#include <vyr/controls.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/host/ViewSection.h>
#include <vyr/operators/OPManager.h>
#include <vyr/operators/OPSelectKinds.h>
#include <vyr/resources.h>
#include <vyr/resources/dialogs/SectionRes.h>
#include <vyr/resources/dialogs/StayRes.h>
#include <vyr/scripteduser.h>

using vyr::ScriptedUser;
using vyr::WindowUser;
using namespace sectest;

namespace {

class ViewSectionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        vyr::VyrSetResourceDir((std::string(VYR_SOURCE_DIR) + "/resources").c_str());
        ScriptedUser::Reset();
        ScriptedUser::SetFailureHandler([this](const std::string& m) { m_failures.push_back(m); });
    }
    void TearDown() override
    {
        EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);
        EXPECT_TRUE(m_failures.empty()) << m_failures.front();
        ScriptedUser::Reset();
    }

    // The panel as the kit sets it up, shown.
    CViewSection* Panel()
    {
        if (m_panel == nullptr) {
            m_panel = dynamic_cast<CViewSection*>(m_host.CreatePanels().GetDlg("View.Section"));
            m_host.ShowPanel("View.Section");
        }
        return m_panel;
    }
    CStruct& Model() { return *m_host.GlobalData().Struct(); }

    // The texts of one column, rows 1 on.
    std::vector<std::string> Column(int col)
    {
        std::vector<std::string> out;
        for (int r = 1; r < Panel()->m_list.GetItemCount(); ++r)
            out.push_back(Panel()->m_list.GetItemText(r, col).GetString());
        return out;
    }
    void ChooseTab(int tab) { ASSERT_TRUE(WindowUser::SelectRow(Panel(), IDC_SEC_TAB, tab)); }
    void ClickColumn(int col) { ASSERT_TRUE(vyr::UserClickListColumn(Panel()->m_list.GetSafeHwnd(), col)); }
    void ClickRow(int row) { ASSERT_TRUE(WindowUser::SelectRow(Panel(), IDC_SEC_LIST, row)); }
    std::vector<std::string> Messages()
    {
        std::vector<std::string> out;
        for (const auto& m : ScriptedUser::MessageBoxes())
            out.push_back(m.text.GetString());
        return out;
    }

    vyrhost::CHostKit m_host;
    CViewSection* m_panel = nullptr;
    std::vector<std::string> m_failures;
};

TEST_F(ViewSectionTest, IsRegisteredInTheKitAndStartsOnTheUsedTabWithOnlyTheEraseRow)
{
    ASSERT_NE(Panel(), nullptr);
    EXPECT_EQ(Panel()->GetType(), CString("View.Section"));
    EXPECT_EQ(Panel()->m_tab.GetItemCount(), 9);
    EXPECT_EQ(Panel()->m_tab.GetCurSel(), 0);
    ASSERT_EQ(Panel()->m_list.GetItemCount(), 1);
    EXPECT_EQ(Panel()->m_list.GetItemText(0, 0), CString("ERASE"));
    EXPECT_EQ(Panel()->m_list.GetItemText(0, 1), CString("取消截面信息"));
    EXPECT_EQ(Panel()->m_list.GetColumnWidth(1), 124);
    // Shown: the host knows it, and redraws.
    EXPECT_EQ(m_host.m_settings[6][11], 1);
    EXPECT_GE(m_host.Count(WM_UI_REDRAW), 1);
}

TEST_F(ViewSectionTest, TabsFilterByTypeCodeWithExclusiveBounds)
{
    const int codes[] = {101, 500, 501, 600, 650, 750, 850, 900, 901, 1000};
    for (int c : codes)
        AddSection(Model(), c);
    struct Case
    {
        int tab;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {1, {"T101", "T500", "T501", "T600", "T650", "T750", "T850", "T900", "T901", "T1000"}},
        {2, {"T501"}},
        {3, {"T650", "T750", "T850"}},
        {4, {"T901"}},
        {5, {"T101"}},
        {6, {}},
        {8, {}},
    };
    for (const Case& c : cases) {
        ChooseTab(c.tab);
        EXPECT_EQ(Column(1), c.names) << "tab " << c.tab;
    }
}

TEST_F(ViewSectionTest, TheUsedTabMarksAfreshOnEveryFill)
{
    CSectionBase* a = AddSection(Model(), 101);
    CSectionBase* b = AddSection(Model(), 501);
    CBeam* m = AddBeam(Model(), 1, CPoint3D(0, 0, 0), CPoint3D(100, 0, 0), a);
    ChooseTab(0);
    EXPECT_EQ(Column(1), std::vector<std::string>({"T101"}));
    m->m_pSection = b;
    ChooseTab(1);
    ChooseTab(0);
    EXPECT_EQ(Column(1), std::vector<std::string>({"T501"}));
}

TEST_F(ViewSectionTest, MaterialColumnJoinsTheSteelPartAlwaysAndTheComponentOnlyInTheTypeOrder)
{
    CMaterialBase* q235 = AddSteel(Model(), "Q235");
    CMaterialBase* c30 = AddSteel(Model(), "C30");
    auto* hybrid = new CHybridRect;
    hybrid->m_nType = 750;
    hybrid->m_pMaterial = c30;
    hybrid->m_strKind = "H750";
    CSectionBase* steel = new CSectionBase;
    steel->m_pMaterial = q235;
    hybrid->SetSteelSec(steel);
    // Listed as it is, whatever its dimensions.
    hybrid->m_nNo = 1;
    Model().m_pSectionList->AddTail(hybrid);
    auto* combined = new CSCombineBOX;
    combined->m_nType = 850;
    combined->m_pMaterial = c30;
    combined->m_strKind = "C850";
    CSectionBase* part = new CSectionBase;
    part->m_pMaterial = q235;
    combined->SetSec1(part);
    Model().m_pSectionList->Add(combined, true);

    ChooseTab(1);
    EXPECT_EQ(Column(3), std::vector<std::string>({"Q235+C30", "C30"}));
    ClickColumn(3); // material order
    EXPECT_EQ(Column(3), std::vector<std::string>({"Q235+C30", "C30"}));
    ClickColumn(1); // type order
    EXPECT_EQ(Column(3), std::vector<std::string>({"Q235+C30", "Q235+C30"}));
    ClickColumn(0); // number order again
    EXPECT_EQ(Column(3), std::vector<std::string>({"Q235+C30", "C30"}));
}

TEST_F(ViewSectionTest, NumberColumnAscendsThenDescendsAndAnyRefillAscends)
{
    for (int c : {501, 101, 901})
        AddSection(Model(), c);
    ChooseTab(1);
    const std::vector<std::string> up = {"R1  ", "R2  ", "R3  "}, down = {"R3  ", "R2  ", "R1  "};
    EXPECT_EQ(Column(0), up);
    ClickColumn(0);
    EXPECT_EQ(Column(0), up);
    ClickColumn(0);
    EXPECT_EQ(Column(0), down);
    ClickColumn(0);
    EXPECT_EQ(Column(0), up);
    ClickColumn(0);
    EXPECT_EQ(Column(0), down);
    Panel()->Update();
    EXPECT_EQ(Column(0), up);
    ClickColumn(0);
    EXPECT_EQ(Column(0), up);
    // The type order: ascending codes first, then descending.
    ClickColumn(1);
    EXPECT_EQ(Column(1), std::vector<std::string>({"T101", "T501", "T901"}));
    ClickColumn(1);
    EXPECT_EQ(Column(1), std::vector<std::string>({"T901", "T501", "T101"}));
    // A click on the batten column changes nothing.
    ClickColumn(2);
    EXPECT_EQ(Column(1), std::vector<std::string>({"T901", "T501", "T101"}));
}

TEST_F(ViewSectionTest, RowNumbersNameTheirSectionsAlsoWithFourDigitsAndAfterADelete)
{
    for (int i = 0; i < 1234; ++i)
        AddSection(Model(), 501);
    ChooseTab(1);
    CSectionRows& rows = Panel()->m_rows;
    EXPECT_EQ(Panel()->m_list.GetItemText(1234, 0), CString("R1234"));
    EXPECT_EQ(rows.RowNumber(1234), 1234);
    EXPECT_EQ(rows.RowSection(1234), Model().m_pSectionList->Get(1234));
    EXPECT_EQ(rows.RowNumber(0), 0);
    EXPECT_EQ(rows.RowSection(0), nullptr);
    EXPECT_EQ(rows.RowNumber(-1), -1);
    EXPECT_EQ(rows.RowNumber(1235), -1);
    // Numbers stay with their sections: after deleting section 2, "R1234" still names
    // section 1234 although it stands at position 1233.
    CSectionBase* last = Model().m_pSectionList->Get(1234);
    ClickRow(2);
    ASSERT_TRUE(WindowUser::Click(Panel(), IDC_SEC_DELETE));
    EXPECT_EQ(Model().m_pSectionList->GetCount(), 1233);
    const int row = rows.FindRow(last);
    ASSERT_EQ(row, 1233);
    EXPECT_EQ(rows.RowSection(row), last);
}

TEST_F(ViewSectionTest, DeleteRefusesWhileAnythingUsesTheSectionNamingTheFirstUser)
{
    CSectionBase* byMember = AddSection(Model(), 101);
    CSectionBase* bySub = AddSection(Model(), 102);
    CSectionBase* byGroup = AddSection(Model(), 103);
    CSectionBase* byCoupling = AddSection(Model(), 104);
    AddSection(Model(), 105);
    AddBeam(Model(), 7, CPoint3D(0, 0, 0), CPoint3D(100, 0, 0), nullptr);
    AddBeam(Model(), 8, CPoint3D(0, 0, 0), CPoint3D(100, 0, 0), byMember);
    AddBeam(Model(), 9, CPoint3D(0, 0, 0), CPoint3D(100, 0, 0), byMember);
    AddSubBeam(Model(), AddRoom(Model()), 1, CPoint3D(0, 0, 0), CPoint3D(0, 100, 0), bySub);
    AddGroup(Model(), nullptr);
    AddGroup(Model(), byGroup);
    AddCouplingBeam(Model(), 31, byCoupling);
    ChooseTab(1);
    // No row chosen yet.
    ScriptedUser::AnswerMessageBox(IDOK, "请选择要删除的截面!");
    ASSERT_TRUE(WindowUser::Click(Panel(), IDC_SEC_DELETE));

    struct Case
    {
        int row;
        const char* message;
    };
    const Case cases[] = {
        {1, "此截面正在被杆件8使用,无法删除!"},
        {2, "此截面正在被次梁使用,无法删除!"},
        {3, "此截面正在被杆件组2使用,无法删除!"},
        {4, "此截面正在被连梁31使用,无法删除!"},
    };
    for (const Case& c : cases) {
        ClickRow(c.row);
        ScriptedUser::AnswerMessageBox(IDOK, c.message);
        ASSERT_TRUE(WindowUser::Click(Panel(), IDC_SEC_DELETE));
        EXPECT_EQ(Model().m_pSectionList->GetCount(), 5) << c.message;
    }
    ASSERT_EQ(ScriptedUser::MessageBoxes().size(), 5u);
    EXPECT_EQ(ScriptedUser::MessageBoxes()[1].text, CString("此截面正在被杆件8使用,无法删除!"));

    // The unused one goes; it was the current section, which is then none.
    ClickRow(5);
    EXPECT_EQ(Panel()->m_rows.m_pCurSection, Model().m_pSectionList->Get(5));
    ASSERT_TRUE(WindowUser::Click(Panel(), IDC_SEC_DELETE));
    EXPECT_EQ(Model().m_pSectionList->GetCount(), 4);
    EXPECT_EQ(Panel()->m_rows.m_pCurSection, nullptr);
    EXPECT_EQ(Column(1), std::vector<std::string>({"T101", "T102", "T103", "T104"}));
}

TEST_F(ViewSectionTest, SelectionChangeHighlightsTheSectionAndSetsTheButtonsByProgramType)
{
    m_host.GlobalData().ProgramType() = 0;
    CMaterialBase* q235 = AddSteel(Model(), "Q235");
    CSectionBase* a = AddSection(Model(), 601);
    CSectionBase* b = AddSection(Model(), 501);
    auto* stay = new CStay;
    stay->m_nKind = 0;
    stay->m_fWidth = 20;
    stay->m_fThick = 0.6f;
    stay->m_fSpace = 40;
    stay->m_pMaterial = q235;
    Model().m_pStayList->Add(stay);
    a->m_pStay = stay;
    ChooseTab(1);
    auto enabled = [this](int id) { return Panel()->GetDlgItem(id)->IsWindowEnabled() != FALSE; };
    CWnd* line = Panel()->GetDlgItem(IDC_SEC_STAYLINE);
    auto lineText = [line] {
        CString t;
        line->GetWindowText(t);
        return std::string(t.GetString());
    };

    ClickRow(1);
    EXPECT_TRUE(a->GetColor());
    EXPECT_TRUE(enabled(IDC_SEC_EDIT) && enabled(IDC_SEC_DELETE) && enabled(IDC_SEC_SELECT));
    EXPECT_FALSE(enabled(IDC_SEC_AXIALTYPE));
    EXPECT_EQ(lineText(), std::string("缀板：") + stay->GetDescription().GetString());
    EXPECT_EQ(Panel()->m_list.GetItemText(1, 2), CString("S1"));
    EXPECT_EQ(Panel()->m_list.GetItemText(2, 2), CString("无"));

    m_host.GlobalData().ProgramType() = 1;
    m_host.ClearMessages();
    ClickRow(2);
    EXPECT_FALSE(a->GetColor());
    EXPECT_TRUE(b->GetColor());
    EXPECT_TRUE(enabled(IDC_SEC_AXIALTYPE));
    EXPECT_EQ(lineText(), "没有缀板/条");
    EXPECT_GE(m_host.Count(WM_UI_REDRAW), 1);

    ClickRow(0);
    EXPECT_FALSE(b->GetColor());
    EXPECT_EQ(Panel()->m_rows.m_pCurSection, nullptr);
    EXPECT_FALSE(enabled(IDC_SEC_EDIT) || enabled(IDC_SEC_DELETE) || enabled(IDC_SEC_SELECT) ||
                 enabled(IDC_SEC_AXIALTYPE));
    EXPECT_EQ(lineText(), "没有选中截面");
}

TEST_F(ViewSectionTest, SelectMembersTakesTheShownOrdinaryMembersOfTheSection)
{
    CSectionBase* a = AddSection(Model(), 101);
    CSectionBase* b = AddSection(Model(), 102);
    CBeam* m1 = AddBeam(Model(), 1, CPoint3D(0, 0, 0), CPoint3D(100, 0, 0), a);
    AddBeam(Model(), 2, CPoint3D(0, 0, 0), CPoint3D(100, 0, 0), b);
    CBeam* m3 = AddBeam(Model(), 3, CPoint3D(0, 0, 0), CPoint3D(100, 0, 0), a);
    CBeam* hidden = AddBeam(Model(), 4, CPoint3D(0, 0, 0), CPoint3D(100, 0, 0), a);
    m_host.m_shownBeams.AddTail(m3);
    m_host.m_shownBeams.AddTail(m1);
    m_host.m_shownBeams.AddTail(Model().m_pBeamList->Get(2));
    m_host.m_shownBeams.AddTail(AddCouplingBeam(Model(), 9, a));
    ChooseTab(1);
    ClickRow(1);
    m_host.ClearMessages();
    ASSERT_TRUE(WindowUser::Click(Panel(), IDC_SEC_SELECT));
    CBeamList& sel = m_host.GlobalData().SelectBeamList();
    ASSERT_EQ(sel.GetCount(), 2);
    EXPECT_EQ(sel.Get(1), m3);
    EXPECT_EQ(sel.Get(2), m1);
    EXPECT_EQ(m1->GetSelect(), 1);
    EXPECT_EQ(hidden->GetSelect(), 0);
    ASSERT_EQ(m_host.Count(WM_UI_SHOWPANEL), 1);
    EXPECT_EQ(m_host.Messages(WM_UI_SHOWPANEL)[0].lParam, 0);
    EXPECT_EQ(m_host.Count(WM_UI_REDRAW), 1);
    // The ERASE row selects nothing.
    ClickRow(0);
    ASSERT_FALSE(Panel()->GetDlgItem(IDC_SEC_SELECT)->IsWindowEnabled());
}

TEST_F(ViewSectionTest, PickingCommandsHandTheManagerACloneOfTheMemberSelection)
{
    struct Case
    {
        int button;
        const char* message;
        OPFUN finish;
    };
    const Case cases[] = {
        {IDC_SEC_ASSIGN, "开始布置截面！\r\n请选择要布置截面的杆件，右键确认操作，ESC键退出操作！", &CViewSection::AssignSection},
        {IDC_SEC_ASSIGNTAPER, "开始布置多段楔形截面！\r\n请选择要布置楔形截面的杆件，右键确认操作，ESC键退出操作！",
         &CViewSection::AssignSectionTaper},
    };
    for (const Case& c : cases) {
        ScriptedUser::AnswerMessageBox(IDOK, c.message);
        ASSERT_TRUE(WindowUser::Click(Panel(), c.button));
        COP* op = m_host.OPManager().GetCurOP();
        ASSERT_NE(dynamic_cast<COPSelectBeam*>(op), nullptr);
        EXPECT_EQ(op->GetOPDesc(), CString("布置截面"));
        EXPECT_EQ(CViewSection::FromOPParam(op->GetParam()), Panel());
        EXPECT_EQ(op->GetFinishFun(), c.finish);
        EXPECT_EQ(op->GetCancelFun(), nullptr);
        EXPECT_EQ(op->GetOPType(), 1);
    }
    EXPECT_EQ(ScriptedUser::MessageBoxes()[0].text, CString(cases[0].message));
}

TEST_F(ViewSectionTest, WithoutAManagerAPickingCommandDoesNothingAfterItsMessage)
{
    COP* before = m_host.OPManager().GetCurOP();
    m_host.SetAnswer(WM_UI_GETOPMANAGER, 0);
    ScriptedUser::AnswerMessageBox(IDOK, "开始布置截面！");
    ASSERT_TRUE(WindowUser::Click(Panel(), IDC_SEC_ASSIGN));
    EXPECT_EQ(m_host.OPManager().GetCurOP(), before);
    EXPECT_EQ(m_host.Count(WM_UI_GETOPMANAGER), 1);
}

TEST_F(ViewSectionTest, BattenRecordKeepsTheSectionsRowSelectedInAnyOrder)
{
    AddSection(Model(), 501);
    AddSection(Model(), 101);
    auto* combined = new CSCombineBOX;
    combined->m_nType = 601;
    combined->m_strKind = "BOX";
    Model().m_pSectionList->Add(combined, true);
    ChooseTab(3); // combined sections only: section 3 shows in row 1
    ClickRow(1);
    ASSERT_EQ(Panel()->m_rows.m_pCurSection, combined);
    ScriptedUser::PressCancel(IDD_STAYBASE);
    ASSERT_TRUE(WindowUser::Click(Panel(), IDC_SEC_STAY));
    EXPECT_EQ(combined->m_pStay, nullptr);
    EXPECT_EQ(Panel()->m_rows.SelectedRow(), Panel()->m_rows.FindRow(combined));
    EXPECT_EQ(Panel()->m_rows.RowSection(Panel()->m_rows.SelectedRow()), combined);

    // Not a combined section, and no section row.
    ChooseTab(1);
    ClickRow(Panel()->m_rows.FindRow(Model().m_pSectionList->Get(1)));
    ScriptedUser::AnswerMessageBox(IDOK, "该截面不能添加缀板/条!!");
    ASSERT_TRUE(WindowUser::Click(Panel(), IDC_SEC_STAY));
    ClickRow(0);
    ScriptedUser::AnswerMessageBox(IDOK, "请选择截面");
    ASSERT_TRUE(WindowUser::Click(Panel(), IDC_SEC_STAY));
}

TEST_F(ViewSectionTest, PluginEditorsRefillAndAnEditDropsTheResultsOfTheSectionsMembers)
{
    using vyrtest::QuerportStandIn;
    QuerportStandIn& plugin = QuerportStandIn::Inst();
    plugin.Reset();
    m_host.RegisterSectionPlugin(QuerportStandIn::Exports());
    CSectionBase* a = AddSection(Model(), 501);
    CSectionBase* b = AddSection(Model(), 101);
    CBeam* onA = AddBeam(Model(), 1, CPoint3D(0, 0, 0), CPoint3D(100, 0, 0), a);
    CBeam* onB = AddBeam(Model(), 2, CPoint3D(0, 0, 0), CPoint3D(100, 0, 0), b);
    onA->m_pCheckResult = new CheckResult;
    onB->m_pCheckResult = new CheckResult;
    ChooseTab(2); // user-defined only: section a in row 1

    // The standard library added a section: the "全部" tab shows it.
    plugin.SetEditor("DlgSectionLibDoModal", QuerportStandIn::AddSection([] {
        auto* s = new CSRound(115, 20);
        s->m_strKind = "D20";
        return s;
    }));
    ASSERT_TRUE(WindowUser::Click(Panel(), IDC_SEC_STDLIB));
    EXPECT_EQ(Panel()->m_tab.GetCurSel(), 1);
    EXPECT_EQ(Column(1).back(), "D20");
    // A tapered editor that changed nothing leaves the tab.
    plugin.SetEditor("DlgTaperSectionDoModal0", QuerportStandIn::Answer(0));
    ASSERT_TRUE(WindowUser::Click(Panel(), IDC_SEC_TAPER));
    EXPECT_EQ(Panel()->m_tab.GetCurSel(), 1);

    // Editing section a in the type order: the plug-in gets its place in the library, the
    // row showing it is selected again, and its members' results are gone.
    ClickColumn(1);
    const int row = Panel()->m_rows.FindRow(a);
    ASSERT_NE(row, (int)a->m_nNo);
    ClickRow(row);
    plugin.SetEditor("OnEditsec", QuerportStandIn::ChangeSection([](CSectionBase* s) { s->m_strKind = "changed"; }));
    m_host.ClearMessages();
    ASSERT_TRUE(WindowUser::Click(Panel(), IDC_SEC_EDIT));
    ASSERT_FALSE(plugin.m_calls.empty());
    EXPECT_EQ(plugin.m_calls.back().name, "OnEditsec");
    EXPECT_EQ(plugin.m_calls.back().args, std::vector<int>({1}));
    EXPECT_EQ(a->m_strKind, CString("changed"));
    EXPECT_EQ(Panel()->m_rows.RowSection(Panel()->m_rows.SelectedRow()), a);
    EXPECT_EQ(onA->m_pCheckResult, nullptr);
    EXPECT_NE(onB->m_pCheckResult, nullptr);
    EXPECT_EQ(m_host.Count(WM_UI_MODELCHANGED), 1);
    plugin.Reset();
}

TEST_F(ViewSectionTest, HidingAndShowingTellTheHost)
{
    Panel();
    m_host.ClearMessages();
    Panel()->ShowWindow(SW_HIDE);
    EXPECT_EQ(m_host.m_settings[6][11], 0);
    EXPECT_EQ(m_host.Count(WM_UI_REDRAW), 1);
    m_host.GlobalData().ProgramType() = 1;
    Panel()->GetDlgItem(IDC_SEC_AXIALTYPE)->EnableWindow(FALSE);
    Panel()->ShowWindow(SW_SHOW);
    EXPECT_EQ(m_host.m_settings[6][11], 1);
    EXPECT_EQ(m_host.Count(WM_UI_REDRAW), 2);
    EXPECT_TRUE(Panel()->GetDlgItem(IDC_SEC_AXIALTYPE)->IsWindowEnabled());
}

TEST_F(ViewSectionTest, LayoutFollowsTheWidthAtItsBoundaries)
{
    struct Case
    {
        int w;
        int tabH, listTop, listH, lineTop;
    };
    const Case cases[] = {
        {99, 155, 165, 200, 370},  {100, 90, 100, 265, 370}, {148, 90, 100, 265, 370},
        {149, 55, 65, 300, 370},   {244, 55, 65, 300, 370},  {245, 38, 50, 317, 372},
        {436, 38, 50, 317, 372},   {437, 20, 30, 335, 370},
    };
    auto rectOf = [this](int id) {
        CRect r;
        Panel()->GetDlgItem(id)->GetWindowRect(&r);
        Panel()->ScreenToClient(&r);
        return r;
    };
    for (const Case& c : cases) {
        const int cx = c.w + 20;
        Panel()->MoveWindow(0, 0, cx, 700);
        Panel()->Resize();
        EXPECT_EQ(rectOf(IDC_SEC_TAB), CRect(10, 10, 10 + c.w, 10 + c.tabH)) << c.w;
        EXPECT_EQ(rectOf(IDC_SEC_LIST), CRect(10, c.listTop, 10 + c.w, c.listTop + c.listH)) << c.w;
        EXPECT_EQ(rectOf(IDC_SEC_STAYLINE), CRect(10, c.lineTop, 10 + c.w, c.lineTop + 28)) << c.w;
        const int g = (cx - 27) / 4;
        const int y1 = c.lineTop + 33;
        EXPECT_EQ(rectOf(IDC_SEC_EDIT), CRect(3 * g + 22, y1, 4 * g + 22, y1 + 24)) << c.w;
        EXPECT_EQ(rectOf(IDC_SEC_ASSIGNTAPER), CRect(10, y1 + 29, 2 * g + 14, y1 + 53)) << c.w;
    }
}

} // namespace

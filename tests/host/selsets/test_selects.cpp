// The named selection sets under a scripted user: the set list, the four operations on the
// screen selection and the four on the stored set, with what the host is told.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/TestHost.h"
#include <vyr/host/DlgSelects.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/model/grid/gridctrl.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/SelectsRes.h>
#include <vyr/scripteduser.h>

using vyr::ScriptedUser;

namespace {

struct SetsFixture : ::testing::Test
{
    vyrtest::CTestHost host;
    CGlobalData& d = host.GlobalData();
    CStruct* st = d.Struct();

    void SetUp() override
    {
        vyr::VyrSetResourceDir((std::string(VYR_SOURCE_DIR) + "/resources").c_str());
        ScriptedUser::Reset();
    }
    void TearDown() override
    {
        EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);
        ScriptedUser::Reset();
    }

    // Model objects; the structure deletes them.
    CBeam* Main(int id, int type = 2)
    {
        CBeam* b = new CBeam(id, nullptr, nullptr, type);
        st->m_pBeamList->AddTail(b);
        return b;
    }
    CPlane* Room(int storey, int no)
    {
        CFloor* floor = nullptr;
        for (POSITION pos = st->m_pFloorList->GetHeadPosition(); pos != nullptr;) {
            CFloor* f = st->m_pFloorList->GetNextT(pos);
            if (f->GetNo() == storey)
                floor = f;
        }
        if (floor == nullptr) {
            floor = new CFloor(storey, 4);
            st->m_pFloorList->AddTail(floor);
        }
        CPlane* room = new CPlane;
        room->m_nNo = no;
        room->m_pFloor = floor;
        floor->m_pPlaneList->AddTail(room);
        st->m_pPlaneList->AddTail(room);
        return room;
    }
    CSubBeam* Sub(CPlane* room, int id)
    {
        CSubBeam* b = new CSubBeam(id, nullptr, nullptr);
        b->m_pPlane = room;
        room->m_pSubBeamList->AddTail(b);
        return b;
    }
    CBeamInWall* Coupling(int id)
    {
        CBeamInWall* b = new CBeamInWall(id, nullptr, nullptr);
        st->m_pBCInWallList1->AddTail(b);
        return b;
    }
    CIDs& AddSet(const char* name, std::initializer_list<std::pair<int, int>> pairs)
    {
        CIDs s;
        s.SetName(name);
        for (auto& p : pairs)
            s.AddID(p.first, p.second);
        st->m_SelectSets.AddIDs(s);
        return st->m_SelectSets.GetIDs(st->m_SelectSets.GetCount() - 1);
    }
    // The screen selection, marked as the host draws it.
    void Select(std::initializer_list<CBeamBase*> members)
    {
        for (CBeamBase* b : members) {
            d.SelectBeamList().AddTail(b);
            b->SetSelect(1);
        }
    }
    std::vector<CBeamBase*> Screen()
    {
        std::vector<CBeamBase*> out;
        for (POSITION pos = d.SelectBeamList().GetHeadPosition(); pos != nullptr;)
            out.push_back(d.SelectBeamList().GetNextT(pos));
        return out;
    }
    static std::vector<std::pair<int, int>> Pairs(const CIDs& s)
    {
        std::vector<std::pair<int, int>> out;
        for (int i = 0; i < s.GetCount(); ++i)
            out.emplace_back(s.GetID(i), s.GetType(i));
        return out;
    }

    static CGridCtrl* Grid(CDialog* dlg) { return dynamic_cast<CGridCtrl*>(dlg->GetDlgItem(IDC_SELECTS_GRID)); }
    static CPoint RowCentre(CDialog* dlg, int row)
    {
        CRect r;
        EXPECT_TRUE(Grid(dlg)->GetCellRect(row, 0, &r)) << "row " << row;
        return r.CenterPoint();
    }
    // A click on a row of the set list, as the user gives it.
    static void ClickRow(int row)
    {
        ScriptedUser::Run(
            [row](CDialog* dlg) {
                CPoint p = RowCentre(dlg, row);
                Grid(dlg)->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
                Grid(dlg)->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
            },
            IDD_SELECTS);
    }
    static CString Comment(CDialog* dlg)
    {
        CString s;
        dlg->GetDlgItemText(IDC_SELECTS_COMMENT, s);
        return s;
    }
    static void ExpectComment(const char* text)
    {
        ScriptedUser::Run([text](CDialog* dlg) { EXPECT_EQ(Comment(dlg), CString(text)); }, IDD_SELECTS);
    }
    static int SelectedRow(CDialog* dlg) { return Grid(dlg)->GetNextRow(-1, GVNI_SELECTED); }

    // Runs the set dialog on the scripted steps, closing it at the end.
    INT_PTR Run()
    {
        ScriptedUser::PressOK(IDD_SELECTS);
        CDlgSelects dlg(&host);
        dlg.m_pData = &d;
        return dlg.DoModal();
    }
};

} // namespace

TEST_F(SetsFixture, ListShowsTheSetsUnderTheirHeading)
{
    AddSet("柱", {{1, 1}});
    AddSet("梁", {});
    ScriptedUser::Run(
        [](CDialog* dlg) {
            CString caption;
            dlg->GetWindowText(caption);
            EXPECT_EQ(caption, CString("杆件选择集"));
            CGridCtrl* g = Grid(dlg);
            ASSERT_NE(g, nullptr);
            CRect rc;
            g->GetWindowRect(&rc);
            dlg->ScreenToClient(&rc);
            EXPECT_EQ(rc, CRect(10, 30, 163, 270));
            ASSERT_EQ(g->GetRowCount(), 3);
            EXPECT_EQ(g->GetFixedRowCount(), 1);
            EXPECT_EQ(g->GetColumnCount(), 1);
            EXPECT_EQ(g->GetItemText(0, 0), CString("选择集名称"));
            EXPECT_EQ(g->GetItemText(1, 0), CString("柱"));
            EXPECT_EQ(g->GetItemText(2, 0), CString("梁"));
            EXPECT_EQ(SelectedRow(dlg), -1);
            EXPECT_EQ(Comment(dlg), CString("查看A(请在列表中选择)"));
        },
        IDD_SELECTS);
    ClickRow(1);
    ExpectComment("A有1根主杆件和0根次梁");
    EXPECT_EQ(Run(), IDOK);
}

TEST_F(SetsFixture, NewSetIsProposedTheNextNumberAndStartsEmpty)
{
    CBeam* b1 = Main(1);
    // No sets: "选择集1"; the name is taken as proposed.
    ScriptedUser::Click(IDC_SELECTS_NEW, IDD_SELECTS);
    ScriptedUser::Run(
        [](CDialog* dlg) {
            CString s;
            dlg->GetDlgItemText(IDC_SELECTSONE_NAME, s);
            EXPECT_EQ(s, CString("选择集1"));
        },
        IDD_SELECTSONE);
    ScriptedUser::PressOK(IDD_SELECTSONE);
    ScriptedUser::Run([](CDialog* dlg) { EXPECT_EQ(SelectedRow(dlg), 1) << "the new row is selected"; }, IDD_SELECTS);
    ExpectComment("A有0根主杆件和0根次梁");
    EXPECT_EQ(Run(), IDOK);
    ASSERT_EQ(st->m_SelectSets.GetCount(), 1);
    EXPECT_EQ(st->m_SelectSets.GetIDs(0).GetName(), CString("选择集1"));
    EXPECT_EQ(st->m_SelectSets.GetIDs(0).GetCount(), 0);

    // Three sets: "选择集4"; "B = A" on the new empty set empties the screen selection.
    AddSet("x", {{1, 2}});
    AddSet("y", {{1, 2}});
    Select({b1});
    ScriptedUser::Click(IDC_SELECTS_NEW, IDD_SELECTS);
    ScriptedUser::Run(
        [](CDialog* dlg) {
            CString s;
            dlg->GetDlgItemText(IDC_SELECTSONE_NAME, s);
            EXPECT_EQ(s, CString("选择集4"));
        },
        IDD_SELECTSONE);
    ScriptedUser::PressOK(IDD_SELECTSONE);
    ScriptedUser::Click(IDC_SELECTS_OP1, IDD_SELECTS);
    EXPECT_EQ(Run(), IDOK);
    ASSERT_EQ(st->m_SelectSets.GetCount(), 4);
    EXPECT_EQ(st->m_SelectSets.GetIDs(3).GetName(), CString("选择集4"));
    EXPECT_TRUE(Screen().empty());
    EXPECT_EQ(b1->GetSelect(), 0) << "the member is no longer drawn selected";
}

TEST_F(SetsFixture, EmptyNameIsRefusedAndCancelAddsNothing)
{
    ScriptedUser::Click(IDC_SELECTS_NEW, IDD_SELECTS);
    ScriptedUser::SetText(IDC_SELECTSONE_NAME, "", IDD_SELECTSONE);
    ScriptedUser::PressOK(IDD_SELECTSONE);
    ScriptedUser::AnswerMessageBox(IDOK, "请输入选择集名称！");
    ScriptedUser::Run([](CDialog* dlg) { EXPECT_TRUE(dlg->IsModalRunning()) << "the name dialog stays open"; },
                      IDD_SELECTSONE);
    ScriptedUser::SetText(IDC_SELECTSONE_NAME, "屋面梁", IDD_SELECTSONE);
    ScriptedUser::PressOK(IDD_SELECTSONE);
    ScriptedUser::Click(IDC_SELECTS_NEW, IDD_SELECTS);
    ScriptedUser::PressCancel(IDD_SELECTSONE);
    EXPECT_EQ(Run(), IDOK);
    ASSERT_EQ(st->m_SelectSets.GetCount(), 1);
    EXPECT_EQ(st->m_SelectSets.GetIDs(0).GetName(), CString("屋面梁"));
}

TEST_F(SetsFixture, RenameChangesTheSelectedSetOnly)
{
    AddSet("一", {});
    AddSet("二", {});
    ScriptedUser::Click(IDC_SELECTS_RENAME, IDD_SELECTS);
    ScriptedUser::AnswerMessageBox(IDOK, "请在列表中选择要更名的选择集！");
    ClickRow(2);
    ScriptedUser::Click(IDC_SELECTS_RENAME, IDD_SELECTS);
    ScriptedUser::Run(
        [](CDialog* dlg) {
            CString s;
            dlg->GetDlgItemText(IDC_SELECTSONE_NAME, s);
            EXPECT_EQ(s, CString("二"));
        },
        IDD_SELECTSONE);
    ScriptedUser::SetText(IDC_SELECTSONE_NAME, "一", IDD_SELECTSONE); // names need not be unique
    ScriptedUser::PressOK(IDD_SELECTSONE);
    ScriptedUser::Run([](CDialog* dlg) { EXPECT_EQ(Grid(dlg)->GetItemText(2, 0), CString("一")); }, IDD_SELECTS);
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(st->m_SelectSets.GetIDs(0).GetName(), CString("一"));
    EXPECT_EQ(st->m_SelectSets.GetIDs(1).GetName(), CString("一"));
}

TEST_F(SetsFixture, DeleteAsksAndSelectsTheRowAbove)
{
    AddSet("a", {{1, 2}});
    AddSet("b", {{2, 2}, {3, 5}});
    AddSet("c", {});
    ScriptedUser::Click(IDC_SELECTS_DELETE, IDD_SELECTS);
    ScriptedUser::AnswerMessageBox(IDOK, "请在列表中选择要删除的选择集！");
    ClickRow(3);
    ScriptedUser::Click(IDC_SELECTS_DELETE, IDD_SELECTS);
    ScriptedUser::AnswerMessageBox(IDNO, "确定要删除吗？");
    ScriptedUser::Click(IDC_SELECTS_DELETE, IDD_SELECTS);
    ScriptedUser::AnswerMessageBox(IDYES, "确定要删除吗？");
    ScriptedUser::Run([](CDialog* dlg) { EXPECT_EQ(SelectedRow(dlg), 2); }, IDD_SELECTS);
    ExpectComment("A有1根主杆件和1根次梁");
    // The first of the two left: the new first row is selected.
    ClickRow(1);
    ScriptedUser::Click(IDC_SELECTS_DELETE, IDD_SELECTS);
    ScriptedUser::AnswerMessageBox(IDYES, "确定要删除吗？");
    ScriptedUser::Run(
        [](CDialog* dlg) {
            EXPECT_EQ(SelectedRow(dlg), 1);
            EXPECT_EQ(Grid(dlg)->GetItemText(1, 0), CString("b"));
        },
        IDD_SELECTS);
    // The only set left: no row, no A.
    ScriptedUser::Click(IDC_SELECTS_DELETE, IDD_SELECTS);
    ScriptedUser::AnswerMessageBox(IDYES, "确定要删除吗？");
    ScriptedUser::Run(
        [](CDialog* dlg) {
            EXPECT_EQ(Grid(dlg)->GetRowCount(), 1);
            EXPECT_EQ(SelectedRow(dlg), -1);
        },
        IDD_SELECTS);
    ExpectComment("查看A(请在列表中选择)");
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(st->m_SelectSets.GetCount(), 0);
}

TEST_F(SetsFixture, EveryOperationWithoutASelectedSetIsRefused)
{
    CBeam* b1 = Main(1);
    AddSet("a", {{2, 2}});
    Select({b1});
    for (int id = IDC_SELECTS_OP1; id <= IDC_SELECTS_OP8; ++id) {
        ScriptedUser::Click(id, IDD_SELECTS);
        ScriptedUser::AnswerMessageBox(IDOK, "请在列表中选择要操作的选择集！");
    }
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(Screen(), std::vector<CBeamBase*>({b1}));
    EXPECT_EQ(b1->GetSelect(), 1);
    EXPECT_EQ(Pairs(st->m_SelectSets.GetIDs(0)), (std::vector<std::pair<int, int>>{{2, 2}}));
    EXPECT_EQ(host.Count(WM_UI_REDRAW), 0);
    EXPECT_EQ(host.Count(WM_UI_SHOWPANEL), 0);
}

TEST_F(SetsFixture, ScreenOperationsFollowTheModelOrderAndTellTheHost)
{
    // Model order: mains 1, 2, 3, 4; secondary beams 7 (storey 1) then 8 (storey 2).
    CBeam* m1 = Main(1);
    CBeam* m2 = Main(2, 1);
    CBeam* m3 = Main(3);
    CBeam* m4 = Main(4, 3);
    CSubBeam* s7 = Sub(Room(1, 5), 7);
    CSubBeam* s8 = Sub(Room(2, 1), 8);
    // A in its own order, with a pair whose member is gone.
    const std::initializer_list<std::pair<int, int>> a = {{8, 5}, {3, 2}, {99, 2}, {7, 5}, {1, 2}};
    struct Case
    {
        const char* name;
        int button;
        std::vector<CBeamBase*> b;
        std::vector<CBeamBase*> expected;
    };
    const std::vector<Case> cases = {
        {"B = A", IDC_SELECTS_OP1, {m4, m2}, {m1, m3, s7, s8}},
        {"B = A + B", IDC_SELECTS_OP2, {m4, s7, m2}, {m4, s7, m2, m1, m3, s8}},
        {"B = A - B", IDC_SELECTS_OP3, {s8, m2, m1}, {m3, s7}},
        {"B = B - A", IDC_SELECTS_OP4, {s8, m4, m1, m2}, {m4, m2}},
    };
    std::vector<CBeamBase*> all = {m1, m2, m3, m4, s7, s8};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUser::Reset();
        while (st->m_SelectSets.GetCount() > 0)
            st->m_SelectSets.DelIDs(0);
        AddSet("A", a);
        d.SelectBeamList().SetSelect(0);
        d.SelectBeamList().RemoveAll();
        for (CBeamBase* x : c.b)
            Select({x});
        host.ClearMessages();
        ClickRow(1);
        ScriptedUser::Click(c.button, IDD_SELECTS);
        EXPECT_EQ(Run(), IDOK);
        EXPECT_EQ(Screen(), c.expected);
        for (CBeamBase* x : all) {
            bool in = std::find(c.expected.begin(), c.expected.end(), x) != c.expected.end();
            EXPECT_EQ(x->GetSelect(), in ? 1 : 0) << "mark of member " << x->GetId();
        }
        // Redraw, then the member panel; no selection-changed message.
        std::vector<UINT> told;
        for (const auto& m : host.Messages())
            if (m.message == WM_UI_REDRAW || m.message == WM_UI_SHOWPANEL || m.message == WM_UI_SELCHANGED)
                told.push_back(m.message);
        EXPECT_EQ(told, (std::vector<UINT>{WM_UI_REDRAW, WM_UI_SHOWPANEL}));
        auto panels = host.Messages(WM_UI_SHOWPANEL);
        ASSERT_EQ(panels.size(), 1u);
        EXPECT_EQ(panels[0].text, "View.PropBeam");
        EXPECT_TRUE(ScriptedUser::MessageBoxes().empty());
    }
}

TEST_F(SetsFixture, SetOperationsWorkOnPairsAndTellTheHostNothing)
{
    CBeam* m1 = Main(1);
    CBeam* m2 = Main(2, 1);
    CBeam* m3 = Main(3);
    CSubBeam* s2 = Sub(Room(1, 1), 2);
    CBeamInWall* c9 = Coupling(9);
    using P = std::vector<std::pair<int, int>>;
    struct Case
    {
        const char* name;
        int button;
        P a;
        std::vector<CBeamBase*> b;
        P expected;
        const char* comment;
    };
    const std::vector<Case> cases = {
        {"A = B", IDC_SELECTS_OP5, {{1, 2}, {5, 5}}, {m3, s2, c9}, {{3, 2}, {2, 5}, {9, 11}}, "A有2根主杆件和1根次梁"},
        {"A = A + B", IDC_SELECTS_OP6, {{2, 5}, {1, 2}}, {m1, m2, s2}, {{2, 5}, {1, 2}, {2, 1}}, "A有2根主杆件和1根次梁"},
        {"A = A - B", IDC_SELECTS_OP7, {{2, 1}, {3, 2}, {2, 5}, {7, 2}}, {s2, m3}, {{2, 1}, {7, 2}}, "A有2根主杆件和0根次梁"},
        {"A = B - A", IDC_SELECTS_OP8, {{2, 5}, {4, 2}}, {c9, m1, s2, m2}, {{9, 11}, {1, 2}, {2, 1}}, "A有3根主杆件和0根次梁"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUser::Reset();
        while (st->m_SelectSets.GetCount() > 0)
            st->m_SelectSets.DelIDs(0);
        CIDs s;
        s.SetName("A");
        for (auto& p : c.a)
            s.AddID(p.first, p.second);
        st->m_SelectSets.AddIDs(s);
        d.SelectBeamList().SetSelect(0);
        d.SelectBeamList().RemoveAll();
        for (CBeamBase* x : c.b)
            Select({x});
        host.ClearMessages();
        ClickRow(1);
        ScriptedUser::Click(c.button, IDD_SELECTS);
        ScriptedUser::AnswerMessageBox(IDOK, "操作完成！");
        ExpectComment(c.comment);
        EXPECT_EQ(Run(), IDOK);
        EXPECT_EQ(Pairs(st->m_SelectSets.GetIDs(0)), c.expected);
        EXPECT_EQ(st->m_SelectSets.GetIDs(0).GetName(), CString("A"));
        EXPECT_EQ(Screen(), c.b) << "the screen selection is not touched";
        EXPECT_EQ(host.Count(WM_UI_REDRAW) + host.Count(WM_UI_SHOWPANEL) + host.Count(WM_UI_SELCHANGED), 0);
    }
}

TEST_F(SetsFixture, CouplingBeamsAreStoredButNotSelectedAgain)
{
    CBeam* m5 = Main(5);
    CBeamInWall* c5 = Coupling(5);
    AddSet("墙", {});
    Select({c5, m5});
    ClickRow(1);
    ScriptedUser::Click(IDC_SELECTS_OP5, IDD_SELECTS);
    ScriptedUser::AnswerMessageBox(IDOK, "操作完成！");
    ScriptedUser::Click(IDC_SELECTS_OP1, IDD_SELECTS);
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(Pairs(st->m_SelectSets.GetIDs(0)), (std::vector<std::pair<int, int>>{{5, 11}, {5, 2}}));
    EXPECT_EQ(Screen(), std::vector<CBeamBase*>({m5}));
    EXPECT_EQ(c5->GetSelect(), 0);
}

TEST_F(SetsFixture, OneIdRestoresAMainMemberAndASecondaryBeam)
{
    CBeam* m12 = Main(12);
    Main(13);
    CSubBeam* s12 = Sub(Room(1, 1), 12);
    Sub(Room(1, 2), 13);
    CIDs& a = AddSet("12", {{12, 5}, {12, 1}});
    CBeamList out;
    CDlgSelects dlg(&host);
    dlg.m_pData = &d;
    dlg.GenBeamList(out, a);
    ASSERT_EQ(out.GetCount(), 2);
    EXPECT_EQ(out.Get(1), m12);
    EXPECT_EQ(out.Get(2), s12);
}

TEST_F(SetsFixture, DoubleClickSelectsTheSetOnlyWithARow)
{
    CBeam* m1 = Main(1);
    CBeam* m2 = Main(2);
    AddSet("a", {{2, 2}});
    Select({m1});
    // Below the last row, with no row selected: nothing happens.
    ScriptedUser::Run(
        [](CDialog* dlg) {
            CPoint p = RowCentre(dlg, 1);
            p.y += 100;
            Grid(dlg)->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
            EXPECT_EQ(SelectedRow(dlg), -1);
        },
        IDD_SELECTS);
    ScriptedUser::Run([this, m1](CDialog*) { EXPECT_EQ(Screen(), std::vector<CBeamBase*>({m1})); }, IDD_SELECTS);
    ClickRow(1);
    ScriptedUser::Run(
        [](CDialog* dlg) {
            CPoint p = RowCentre(dlg, 1);
            Grid(dlg)->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
            Grid(dlg)->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        },
        IDD_SELECTS);
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(Screen(), std::vector<CBeamBase*>({m2}));
    EXPECT_EQ(host.Count(WM_UI_SHOWPANEL), 1);
}

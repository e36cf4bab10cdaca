// The query by property values under a scripted user: the kinds offered by edition and
// program type, the query and its refusals, the ranges, the four set operations, the reset.
#include <algorithm>
#include <string>
#include <vector>

#include "PropDlgWorld.h"
#include <vyr/host/DlgPropQuery.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/model/base/VyrProduct.h>
#include <vyr/resources/dialogs/PropRes.h>

using vyr::ScriptedUser;

namespace propdlgtest {
namespace {

// Plays an edition for one test; this build's own edition comes back afterwards.
struct EditionScope
{
    EditionScope(int dim, bool ulBRX) { CVyrProduct::SetEdition(dim, ulBRX); }
    ~EditionScope() { CVyrProduct::SetEdition(3, true); }
};

std::vector<std::string> ComboEntries(CDialog* d, int id)
{
    auto* combo = static_cast<CComboBox*>(d->GetDlgItem(id));
    std::vector<std::string> out;
    for (int i = 0; i < combo->GetCount(); ++i) {
        CString s;
        combo->GetLBText(i, s);
        out.push_back(s.GetString());
    }
    return out;
}

// Rows of a count grid below its heading as "name count" ("" for an empty row).
std::vector<std::string> CountRows(const CGridCtrl& grid)
{
    std::vector<std::string> out;
    for (int r = 1; r < grid.GetRowCount(); ++r) {
        const CString name = grid.GetItemText(r, 0);
        out.push_back(name.IsEmpty() ? "" : std::string(name.GetString()) + " " + grid.GetItemText(r, 1).GetString());
    }
    return out;
}

struct QueryTest : HostWorld
{
    CDlgPropQuery dlg{&host};
    CStruct* st = nullptr;

    void SetUp() override
    {
        HostWorld::SetUp();
        st = d.Struct();
        host.m_pQueryDlg = &dlg;
    }
    void TearDown() override
    {
        CVyrProduct::SetEdition(3, true);
        HostWorld::TearDown();
    }
    static CDlgPropQuery* Q(CDialog* dd) { return static_cast<CDlgPropQuery*>(dd); }
    // Opens the dialog for a kind with what was scripted, then closes it with Cancel.
    void Open(int kind)
    {
        ScriptedUser::PressCancel(IDD_DLGPROPQUERY);
        dlg.SetParam(&d, kind);
        dlg.DoModal();
    }
    CBeamBase* Member(int i) { return st->m_pBeamList->Get(i); }
    // The first i members of the structure get the dead-load deflection limit 1/n.
    void Limit(std::initializer_list<int> members, int n)
    {
        for (int i : members)
            Member(i)->SetDLLimit(n);
    }
    void Select(std::initializer_list<int> members)
    {
        CBeamList& b = d.SelectBeamList();
        b.SetSelect(0);
        b.RemoveAll();
        for (int i : members)
            b.AddTail(Member(i));
        b.SetSelect(1);
    }
    std::vector<int> SelectedMembers()
    {
        std::vector<int> out;
        CBeamList& b = d.SelectBeamList();
        for (POSITION pos = b.GetHeadPosition(); pos;) {
            CBeamBase* x = b.GetNextT(pos);
            for (int i = 1; i <= (int)st->m_pBeamList->GetCount(); ++i)
                if (Member(i) == x)
                    out.push_back(i);
        }
        return out;
    }
    // The members marked selected, by position.
    std::vector<int> MarkedMembers()
    {
        std::vector<int> out;
        for (int i = 1; i <= (int)st->m_pBeamList->GetCount(); ++i)
            if (Member(i)->GetSelect())
                out.push_back(i);
        return out;
    }
    // Types the member condition "恒载挠度限值" and queries, answering the message.
    void ScriptQueryByLimit(const char* limit)
    {
        ScriptedUser::PropExpand(IDC_QUERY_BEAMPROPS, "设计参数", true, IDD_DLGPROPQUERY);
        ScriptedUser::PropSetValue(IDC_QUERY_BEAMPROPS, "恒载挠度限值", limit, IDD_DLGPROPQUERY);
        ScriptedUser::Click(IDC_QUERY_RUN, IDD_DLGPROPQUERY);
        ScriptedUser::AnswerMessageBox(IDOK, "查询完毕，结果列于下表中！");
    }
};

// ---- kinds by edition and program type

TEST_F(QueryTest, KindEntriesCountRowsAndInitialEntryByEditionAndProgramType)
{
    struct Case
    {
        int dim;
        bool ulBRX;
        int programType;
        std::vector<std::string> entries;
        std::vector<std::string> rowNames; // names of the count rows ("" an empty row)
        int wallIndex;                     // GetWallOrBCInWallIndex
        std::vector<int> initial;          // entry opened for the kinds 1, 3, 2, 4, -1
    };
    const std::vector<Case> cases = {
        {3, true, 0, {"结点", "杆件", "房间", "墙体"}, {"结点", "杆件", "房间", "墙体"}, 3, {1, 2, 3, 3, 0}},
        {3, true, 1, {"结点", "杆件", "房间", "墙肢连梁"}, {"结点", "杆件", "房间", "墙肢连梁"}, 3, {1, 2, 3, 3, 0}},
        {3, true, 2, {"结点", "杆件"}, {"结点", "杆件"}, 3, {1, 0, 0, 0, 0}},
        {2, true, 0, {"结点", "杆件", "墙体"}, {"结点", "杆件", "墙体"}, 2, {1, 0, 2, 2, 0}},
        {2, true, 1, {"结点", "杆件", "墙肢连梁"}, {"结点", "杆件", "墙肢连梁"}, 2, {1, 0, 2, 2, 0}},
        {2, false, 0, {"结点", "杆件"}, {"结点", "杆件", ""}, -1, {1, 0, 0, 0, 0}},
        {2, false, 2, {"结点", "杆件"}, {"结点", "杆件"}, -1, {1, 0, 0, 0, 0}},
        {3, false, 1, {"结点", "杆件", "房间"}, {"结点", "杆件", "房间"}, -1, {1, 2, 0, 0, 0}},
    };
    const int kinds[] = {1, 3, 2, 4, -1};
    const int gridOfKind[] = {IDC_QUERY_NODEPROPS, IDC_QUERY_BEAMPROPS, IDC_QUERY_WALLPROPS, IDC_QUERY_PLANEPROPS,
                              IDC_QUERY_BCINWALLPROPS};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dim << "-D" << (c.ulBRX ? " IsUl_BRX" : "") << ", program type "
                                        << c.programType);
        EditionScope edition(c.dim, c.ulBRX);
        d.ProgramType() = c.programType;
        EXPECT_EQ(CDlgPropQuery::GetWallOrBCInWallIndex(), c.wallIndex);
        for (size_t k = 0; k < std::size(kinds); ++k) {
            int entry = -2;
            std::vector<int> shownGrids;
            ScriptedUser::Run(
                [&](CDialog* dd) {
                    if (k == 0) {
                        EXPECT_EQ(ComboEntries(dd, IDC_QUERY_TYPE), c.entries);
                        for (const CGridCtrl* g : {&Q(dd)->m_gridResult, &Q(dd)->m_gridSel}) {
                            std::vector<std::string> names;
                            for (int r = 1; r < g->GetRowCount(); ++r)
                                names.push_back(g->GetItemText(r, 0).GetString());
                            EXPECT_EQ(names, c.rowNames);
                        }
                    }
                    entry = static_cast<CComboBox*>(dd->GetDlgItem(IDC_QUERY_TYPE))->GetCurSel();
                    for (int id : gridOfKind)
                        if (CWnd* g = dd->GetDlgItem(id); g && g->IsWindowVisible())
                            shownGrids.push_back(id);
                },
                IDD_DLGPROPQUERY);
            Open(kinds[k]);
            EXPECT_EQ(entry, c.initial[k]) << "kind " << kinds[k];
            // The grid of the opened entry is the only one shown.
            const int shownKind = c.entries[(size_t)entry] == "结点"     ? 0
                                  : c.entries[(size_t)entry] == "杆件"   ? 1
                                  : c.entries[(size_t)entry] == "墙体"   ? 2
                                  : c.entries[(size_t)entry] == "房间"   ? 3
                                                                         : 4;
            EXPECT_EQ(shownGrids, std::vector<int>{gridOfKind[shownKind]}) << "kind " << kinds[k];
        }
    }
}

// ---- the query

TEST_F(QueryTest, AQueryFindsTheMembersMeetingTheConditionAndCountsThem)
{
    Limit({2, 5, 7}, 333);
    Select({1});
    std::vector<std::string> result, sel;
    ScriptQueryByLimit("333");
    ScriptedUser::Run(
        [&](CDialog* dd) {
            result = CountRows(Q(dd)->m_gridResult);
            sel = CountRows(Q(dd)->m_gridSel);
        },
        IDD_DLGPROPQUERY);
    Open(1);
    EXPECT_EQ(result, (std::vector<std::string>{"结点 0", "杆件 3", "房间 0", "墙体 0"}));
    EXPECT_EQ(sel, (std::vector<std::string>{"结点 0", "杆件 1", "房间 0", "墙体 0"}));
    EXPECT_EQ(dlg.m_ResultBeamList.GetCount(), 0) << "the results go with the closing";
}

TEST_F(QueryTest, AQueryWithNoMatchStillReportsAndCountsNothing)
{
    std::vector<std::string> result;
    ScriptQueryByLimit("9999");
    ScriptedUser::Run([&](CDialog* dd) { result = CountRows(Q(dd)->m_gridResult); }, IDD_DLGPROPQUERY);
    Open(1);
    EXPECT_EQ(result, (std::vector<std::string>{"结点 0", "杆件 0", "房间 0", "墙体 0"}));
}

// A condition the row refuses: its message, the row stays in edit, nothing is queried,
// whether it was refused on Enter or by the query button while still typed.
TEST_F(QueryTest, ARefusedConditionKeepsItsRowInEditAndQueriesNothing)
{
    Limit({1}, 333);
    bool editingAfterEnter = false, editingAfterQuery = false;
    int found = -1;
    auto row = [](CDialog* dd) { return FindRow(Q(dd)->m_PropsUIBeam.GetPropList(), "恒载挠度限值"); };
    ScriptedUser::PropExpand(IDC_QUERY_BEAMPROPS, "设计参数", true, IDD_DLGPROPQUERY);
    ScriptedUser::PropSetValue(IDC_QUERY_BEAMPROPS, "恒载挠度限值", "abc", IDD_DLGPROPQUERY);
    ScriptedUser::AnswerMessageBox(IDOK);
    ScriptedUser::Run(
        [&](CDialog* dd) {
            CBCGPProp* r = row(dd);
            editingAfterEnter = r && r->IsInPlaceEditing();
            if (editingAfterEnter)
                r->m_pWndInPlace->SetWindowText("x1"); // typed again, not yet taken
        },
        IDD_DLGPROPQUERY);
    ScriptedUser::Click(IDC_QUERY_RUN, IDD_DLGPROPQUERY);
    ScriptedUser::AnswerMessageBox(IDOK);
    ScriptedUser::Run(
        [&](CDialog* dd) {
            CBCGPProp* r = row(dd);
            editingAfterQuery = r && r->IsInPlaceEditing();
            found = (int)(Q(dd)->m_ResultBeamList.GetCount() + Q(dd)->m_ResultNodeList.GetCount());
        },
        IDD_DLGPROPQUERY);
    Open(1);
    const auto boxes = ScriptedUser::MessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_FALSE(boxes[0].text.IsEmpty());
    EXPECT_EQ(boxes[0].text, boxes[1].text) << "leaving the row for the button shows its own refusal";
    EXPECT_NE(boxes[1].text, CString("查询完毕，结果列于下表中！"));
    EXPECT_TRUE(editingAfterEnter);
    EXPECT_TRUE(editingAfterQuery);
    EXPECT_EQ(found, 0);
}

TEST_F(QueryTest, ResetAnsweredNoKeepsTheConditionsAndYesEmptiesThem)
{
    std::vector<CString> afterNo, afterYes;
    ScriptedUser::PropExpand(IDC_QUERY_BEAMPROPS, "设计参数", true, IDD_DLGPROPQUERY);
    ScriptedUser::PropSetValue(IDC_QUERY_BEAMPROPS, "恒载挠度限值", "333", IDD_DLGPROPQUERY);
    ScriptedUser::Click(IDC_QUERY_RESET, IDD_DLGPROPQUERY);
    ScriptedUser::AnswerMessageBox(IDNO, "将重置查询条件，您确定吗？");
    ScriptedUser::Run([&](CDialog* dd) { Q(dd)->m_PropsUIBeam.GetValues(afterNo); }, IDD_DLGPROPQUERY);
    ScriptedUser::Click(IDC_QUERY_RESET, IDD_DLGPROPQUERY);
    ScriptedUser::AnswerMessageBox(IDYES, "将重置查询条件，您确定吗？");
    ScriptedUser::Run([&](CDialog* dd) { Q(dd)->m_PropsUIBeam.GetValues(afterYes); }, IDD_DLGPROPQUERY);
    Open(1);
    EXPECT_NE(std::find(afterNo.begin(), afterNo.end(), CString("333")), afterNo.end());
    EXPECT_TRUE(std::all_of(afterYes.begin(), afterYes.end(), [](const CString& s) { return s.IsEmpty(); }));
    EXPECT_EQ(ScriptedUser::MessageBoxes()[0].flags & 0xF, (UINT)MB_YESNO);
}

TEST_F(QueryTest, ReopenedTheGridsKeepTheGroupsAsLeftAndTheResultIsGone)
{
    Limit({1}, 333);
    ScriptQueryByLimit("333"); // opens the design group of the members
    Open(1);
    bool open = false;
    std::vector<std::string> result;
    ScriptedUser::Run(
        [&](CDialog* dd) {
            CBCGPProp* g = FindRow(Q(dd)->m_PropsUIBeam.GetPropList(), "设计参数");
            open = g && g->IsExpanded();
            result = CountRows(Q(dd)->m_gridResult);
        },
        IDD_DLGPROPQUERY);
    Open(1);
    EXPECT_TRUE(open);
    ASSERT_GE(result.size(), 2u);
    EXPECT_EQ(result[1], "杆件 0") << "a reopened dialog starts with no result";
}

// ---- ranges

TEST_F(QueryTest, SwitchingTheRangeRefillsEveryOfferedGridWithTheObjectsOfTheRange)
{
    for (int programType : {0, 1}) {
        SCOPED_TRACE(programType);
        d.ProgramType() = programType;
        // The host shows a part of the model, members and coupling beams mixed.
        host.m_shownNodes.RemoveAll();
        host.m_shownBeams.RemoveAll();
        host.m_shownWalls.RemoveAll();
        host.m_shownPlanes.RemoveAll();
        host.m_shownNodes.AddTail(st->m_pNodeList->Get(1));
        host.m_shownNodes.AddTail(st->m_pNodeList->Get(2));
        CBeamBase* m1 = Member(1);
        CBeamBase* m2 = Member(2);
        CBeamBase* c1 = st->m_pBCInWallList1->Get(1);
        CPlane* room = st->m_pPlaneList->Get(1);
        CBeamBase* sub = room->m_pSubBeamList->Get(1);
        ASSERT_NE(sub, nullptr);
        for (CBeamBase* b : {m1, c1, sub, m2})
            host.m_shownBeams.AddTail(b);
        host.m_shownWalls.AddTail(st->m_pWallList->Get(1));
        host.m_shownPlanes.AddTail(room);

        auto objects = [](CDialog* dd, int kind) -> std::vector<CObject*> {
            std::vector<CObject*> out;
            auto* list = static_cast<CObList*>(Q(dd)->GetPropsUI(kind)->GetProps()->GetObjects());
            for (POSITION pos = list ? list->GetHeadPosition() : nullptr; pos;)
                out.push_back(list->GetNext(pos));
            return out;
        };
        auto listed = [](const CObList& l) {
            std::vector<CObject*> out;
            for (POSITION pos = l.GetHeadPosition(); pos;)
                out.push_back(l.GetNext(pos));
            return out;
        };
        const int wallKind = programType == 0 ? 2 : 4;
        std::vector<CObject*> shown[5], whole[5];
        ScriptedUser::Run(
            [&](CDialog* dd) {
                for (int k : {0, 1, 3, wallKind})
                    shown[k] = objects(dd, k);
            },
            IDD_DLGPROPQUERY);
        ScriptedUser::SelectString(IDC_QUERY_RANGE, "在所有构件中查询", IDD_DLGPROPQUERY);
        ScriptedUser::Run(
            [&](CDialog* dd) {
                for (int k : {0, 1, 3, wallKind})
                    whole[k] = objects(dd, k);
                EXPECT_EQ(dd->GetDlgItem(IDC_QUERY_BEAMPROPS)->IsWindowVisible(), TRUE);
            },
            IDD_DLGPROPQUERY);
        ScriptedUser::SelectString(IDC_QUERY_RANGE, "在当前视图查询", IDD_DLGPROPQUERY);
        Open(1);

        EXPECT_EQ(shown[0], listed(host.m_shownNodes));
        EXPECT_EQ(shown[1], (std::vector<CObject*>{m1, sub, m2}));
        EXPECT_EQ(shown[3], listed(host.m_shownPlanes));
        if (programType == 0)
            EXPECT_EQ(shown[2], listed(host.m_shownWalls));
        else
            EXPECT_EQ(shown[4], std::vector<CObject*>{c1});

        std::vector<CObject*> members = listed(*st->m_pBeamList);
        for (POSITION pos = st->m_pPlaneList->GetHeadPosition(); pos;) {
            auto subs = listed(*st->m_pPlaneList->GetNextT(pos)->m_pSubBeamList);
            members.insert(members.end(), subs.begin(), subs.end());
        }
        EXPECT_EQ(whole[0], listed(*st->m_pNodeList));
        EXPECT_EQ(whole[1], members);
        EXPECT_EQ(whole[3], listed(*st->m_pPlaneList));
        if (programType == 0) {
            EXPECT_EQ(whole[2], listed(*st->m_pWallList));
        } else {
            std::vector<CObject*> couplings = listed(*st->m_pBCInWallList2);
            auto c = listed(*st->m_pBCInWallList1);
            couplings.insert(couplings.end(), c.begin(), c.end());
            EXPECT_EQ(whole[4], couplings);
        }
        EXPECT_EQ(dlg.m_nQueryRange, 0);
    }
}

// ---- the set operations, A = members {1, 2, 3} found by a query, B = {2, 4}

TEST_F(QueryTest, SetOperationsCombineTheResultWithTheSelection)
{
    struct Case
    {
        std::vector<int> buttons;
        std::vector<int> b;
    };
    const Case cases[] = {
        {{IDC_QUERY_OP1}, {1, 2, 3}},
        {{IDC_QUERY_OP2}, {2, 4, 1, 3}},
        {{IDC_QUERY_OP3}, {1, 3}},
        {{IDC_QUERY_OP4}, {4}},
        {{IDC_QUERY_OP2, IDC_QUERY_OP2}, {2, 4, 1, 3}},
    };
    Limit({1, 2, 3}, 333);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.buttons.size() == 1 ? c.buttons[0] : 0);
        Select({2, 4});
        ScriptQueryByLimit("333");
        std::vector<std::string> sel;
        for (int id : c.buttons)
            ScriptedUser::Click(id, IDD_DLGPROPQUERY);
        ScriptedUser::Run([&](CDialog* dd) { sel = CountRows(Q(dd)->m_gridSel); }, IDD_DLGPROPQUERY);
        host.ClearMessages();
        Open(1);
        EXPECT_EQ(SelectedMembers(), c.b);
        std::vector<int> sorted = c.b;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(MarkedMembers(), sorted);
        EXPECT_EQ(host.Count(WM_UI_REDRAW), (int)c.buttons.size());
        ASSERT_GE(sel.size(), 2u);
        EXPECT_EQ(sel[1], "杆件 " + std::to_string(c.b.size()));
    }
}

TEST_F(QueryTest, OperationsOnAnEmptyResultFollowTheirFormula)
{
    Select({2, 4});
    for (auto [button, expected] : {std::pair{IDC_QUERY_OP2, std::vector<int>{2, 4}}, std::pair{IDC_QUERY_OP4, std::vector<int>{2, 4}},
                                    std::pair{IDC_QUERY_OP1, std::vector<int>{}}}) {
        ScriptedUser::Click(button, IDD_DLGPROPQUERY);
        Open(1);
        EXPECT_EQ(SelectedMembers(), expected);
        EXPECT_EQ(MarkedMembers(), expected);
    }
}

// ---- the view fitted to the selection

TEST_F(QueryTest, PositionFitsTheActiveViewOrDoesNothingWithoutOne)
{
    Select({1, 2});
    ScriptedUser::Click(IDC_QUERY_POSITION, IDD_DLGPROPQUERY);
    host.ClearMessages();
    Open(1);
    EXPECT_EQ(host.Count(WM_UI_VIEWCHANGED), 1);

    host.SetAnswer(WM_UI_GETACTIVEVIEW, 0);
    ScriptedUser::Click(IDC_QUERY_POSITION, IDD_DLGPROPQUERY);
    host.ClearMessages();
    Open(1);
    EXPECT_EQ(host.Count(WM_UI_VIEWCHANGED), 0);
    host.ClearAnswer(WM_UI_GETACTIVEVIEW);
}

} // namespace
} // namespace propdlgtest

// Stud groups, the stud library and the stud design under a scripted user.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/DialogTest.h"
#include "support/TestHost.h"
#include <vyr/libraries/DlgBeamPinnail.h>
#include <vyr/libraries/DlgBeamPinnailDesign.h>
#include <vyr/libraries/DlgPinnailGroup.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/StudRes.h>
#include <vyr/scripteduser.h>

using vyr::ScriptedUser;

namespace {

struct StudFixture : vyrtest::DialogTest
{
    CSectionBase section; // outlives the model that refers to it
    vyrtest::CTestHost host;
    CGlobalData& d = host.GlobalData();
    CStruct* st = d.Struct();

    CPNode* Node(double x)
    {
        CPNode* n = new CPNode((int)st->m_pNodeList->GetCount() + 1, CPoint3D(x, 0, 0));
        st->m_pNodeList->AddTail(n);
        return n;
    }
    // A member of that length (cm) along x; composite unless told otherwise.
    CBeam* Main(int no, double length, int type = 2, int designType = 2)
    {
        CBeam* b = new CBeam(no, Node(0), Node(length), type);
        b->SetBeamDesignType(designType);
        b->SetSection(&section);
        st->m_pBeamList->AddTail(b);
        return b;
    }
    CSubBeam* Sub(int subNo, double length)
    {
        if (st->m_pFloorList->IsEmpty())
            st->m_pFloorList->AddTail(new CFloor(1, 4));
        CFloor* floor = st->m_pFloorList->GetHeadT();
        CPlane* room = new CPlane;
        room->m_nNo = (int)floor->m_pPlaneList->GetCount() + 1;
        room->m_pFloor = floor;
        floor->m_pPlaneList->AddTail(room);
        st->m_pPlaneList->AddTail(room);
        CSubBeam* b = new CSubBeam(100 + subNo, Node(0), Node(length));
        b->m_nSubNo = subNo;
        b->m_pPlane = room;
        b->SetBeamDesignType(2);
        b->SetSection(&section);
        room->m_pSubBeamList->AddTail(b);
        return b;
    }
    CPinNailGroup* Group(int diameter, int space, int rows, int height = 80)
    {
        CPinNailGroup* g = new CPinNailGroup;
        g->m_nDiameter = diameter;
        g->m_nSpace = space;
        g->m_nRows = rows;
        g->m_nHeight = height;
        st->m_pPinNailGroupList->Add(g);
        return g;
    }
    int GroupCount() const { return (int)st->m_pPinNailGroupList->GetCount(); }

    static CListCtrl* List(CDialog* dlg, int id) { return (CListCtrl*)dlg->GetDlgItem(id); }
    static CString Text(CDialog* dlg, int id)
    {
        CString s;
        dlg->GetDlgItemText(id, s);
        return s;
    }
    static std::vector<std::pair<std::string, std::string>> Rows(CDialog* dlg, int id)
    {
        std::vector<std::pair<std::string, std::string>> out;
        CListCtrl* l = List(dlg, id);
        for (int i = 0; i < l->GetItemCount(); ++i)
            out.emplace_back(l->GetItemText(i, 0).str(), l->GetItemText(i, 1).str());
        return out;
    }
    INT_PTR RunLibrary(CDlgBeamPinnail& dlg)
    {
        dlg.m_pData = &d;
        return dlg.DoModal();
    }
};

} // namespace

TEST_F(StudFixture, GroupDialogShowsItsDefaultsAndEnablesTheCapacityForAUserValue)
{
    ScriptedUser::Run(
        [](CDialog* dlg) {
            CString caption;
            dlg->GetWindowText(caption);
            EXPECT_EQ(caption, CString("定义栓钉组"));
            EXPECT_EQ(Text(dlg, IDC_PIN_DIAMETER), CString("16"));
            EXPECT_EQ(Text(dlg, IDC_PIN_HEIGHT), CString("25"));
            EXPECT_EQ(Text(dlg, IDC_PIN_SPACE), CString("200"));
            EXPECT_EQ(Text(dlg, IDC_PIN_ROWS), CString("2"));
            EXPECT_EQ(Text(dlg, IDC_PIN_MATERIAL), CString("Q235"));
            EXPECT_EQ(dlg->IsDlgButtonChecked(IDC_PIN_AUTO), BST_CHECKED);
            EXPECT_EQ(Text(dlg, IDC_PIN_CAPACITY), CString("60"));
            EXPECT_FALSE(dlg->GetDlgItem(IDC_PIN_CAPACITY)->IsWindowEnabled());
        },
        IDD_PINNAILGROUP);
    ScriptedUser::Check(IDC_PIN_USER, BST_CHECKED, IDD_PINNAILGROUP);
    ScriptedUser::Run([](CDialog* dlg) { EXPECT_TRUE(dlg->GetDlgItem(IDC_PIN_CAPACITY)->IsWindowEnabled()); },
                      IDD_PINNAILGROUP);
    ScriptedUser::SetText(IDC_PIN_CAPACITY, "72.5", IDD_PINNAILGROUP);
    ScriptedUser::SelectRow(IDC_PIN_DIAMETER, 2, IDD_PINNAILGROUP);
    ScriptedUser::SelectRow(IDC_PIN_MATERIAL, 1, IDD_PINNAILGROUP);
    ScriptedUser::PressOK(IDD_PINNAILGROUP);
    CDlgPinnailGroup dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nDiameter, 2);
    EXPECT_EQ(dlg.m_nMaterial, 1);
    EXPECT_EQ(dlg.m_nCapacityMode, 1);
    EXPECT_EQ(dlg.m_fCapacity, 72.5f);
}

TEST_F(StudFixture, GroupDialogRefusesASpacingOrRowCountThatIsNotPositive)
{
    struct Case
    {
        const char* space;
        const char* rows;
        const char* message;
        int focus;
    };
    const Case cases[] = {
        {"0", "2", "输入数据不合理!", IDC_PIN_SPACE},
        {"-150", "2", "输入数据不合理!", IDC_PIN_SPACE},
        {"150", "0", "输入数据不合理!", IDC_PIN_ROWS},
        {"150", "-1", "输入数据不合理!", IDC_PIN_ROWS},
        {"1a", "2", vyr::kDdxIntegerPrompt, IDC_PIN_SPACE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.space) + " / " + c.rows);
        ScriptedUser::Reset();
        ScriptedUser::SetText(IDC_PIN_SPACE, c.space, IDD_PINNAILGROUP);
        ScriptedUser::SetText(IDC_PIN_ROWS, c.rows, IDD_PINNAILGROUP);
        ScriptedUser::PressOK(IDD_PINNAILGROUP);
        ScriptedUser::AnswerMessageBox(IDOK, c.message);
        ScriptedUser::Run([&](CDialog* dlg) { EXPECT_EQ(CWnd::GetFocus(), dlg->GetDlgItem(c.focus)); },
                          IDD_PINNAILGROUP);
        ScriptedUser::PressCancel(IDD_PINNAILGROUP);
        CDlgPinnailGroup dlg;
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 1u);
    }
}

TEST_F(StudFixture, LibraryAddsAGroupOnceAndListsItsDescription)
{
    ScriptedUser::Click(IDC_PIN_ADD, IDD_BEAMPINNAIL);
    ScriptedUser::PressOK(IDD_PINNAILGROUP);
    // The same parameters again: dropped without a word.
    ScriptedUser::Click(IDC_PIN_ADD, IDD_BEAMPINNAIL);
    ScriptedUser::PressOK(IDD_PINNAILGROUP);
    // A different one.
    ScriptedUser::Click(IDC_PIN_ADD, IDD_BEAMPINNAIL);
    ScriptedUser::SelectRow(IDC_PIN_DIAMETER, 0, IDD_PINNAILGROUP);
    ScriptedUser::SetText(IDC_PIN_ROWS, "1", IDD_PINNAILGROUP);
    ScriptedUser::PressOK(IDD_PINNAILGROUP);
    ScriptedUser::Run(
        [this](CDialog* dlg) {
            CString caption;
            dlg->GetWindowText(caption);
            EXPECT_EQ(caption, CString("工程栓钉库"));
            CString first, second;
            st->m_pPinNailGroupList->Get(1)->GetDescription(&first);
            st->m_pPinNailGroupList->Get(2)->GetDescription(&second);
            EXPECT_EQ(Rows(dlg, IDC_PIN_LIST),
                      (std::vector<std::pair<std::string, std::string>>{{"PN1", first.str()}, {"PN2", second.str()}}));
        },
        IDD_BEAMPINNAIL);
    ScriptedUser::PressCancel(IDD_BEAMPINNAIL);
    CDlgBeamPinnail dlg;
    EXPECT_EQ(RunLibrary(dlg), IDCANCEL);
    EXPECT_TRUE(ScriptedUser::MessageBoxes().empty());
    ASSERT_EQ(GroupCount(), 2);
    CPinNailGroup* g1 = st->m_pPinNailGroupList->Get(1);
    EXPECT_EQ(g1->m_nNo, 1);
    EXPECT_EQ(g1->m_nDiameter, 16);
    EXPECT_EQ(g1->m_nHeight, 25);
    EXPECT_EQ(g1->m_nSpace, 200);
    EXPECT_EQ(g1->m_nRows, 2);
    EXPECT_EQ(g1->m_nMaterial, 1);
    EXPECT_EQ(g1->m_nCapacityMode, 0);
    CPinNailGroup* g2 = st->m_pPinNailGroupList->Get(2);
    EXPECT_EQ(g2->m_nNo, 2);
    EXPECT_EQ(g2->m_nDiameter, 13);
    EXPECT_EQ(g2->m_nRows, 1);
    EXPECT_EQ(dlg.m_pPinNailGroup, nullptr);
}

TEST_F(StudFixture, EditingAGroupOutsideTheComboKeepsItsDiameter)
{
    Group(16, 150, 1);
    CPinNailGroup* g = Group(22, 200, 2, 100);
    g->m_nMaterial = 2;
    ScriptedUser::SelectRow(IDC_PIN_LIST, 1, IDD_BEAMPINNAIL);
    ScriptedUser::Click(IDC_PIN_EDIT, IDD_BEAMPINNAIL);
    ScriptedUser::Run(
        [](CDialog* dlg) {
            EXPECT_EQ(dlg->SendDlgItemMessage(IDC_PIN_DIAMETER, CB_GETCURSEL), CB_ERR) << "22 mm is not offered";
            EXPECT_EQ(Text(dlg, IDC_PIN_HEIGHT), CString("100"));
            EXPECT_EQ(Text(dlg, IDC_PIN_MATERIAL), CString("16Mn"));
        },
        IDD_PINNAILGROUP);
    ScriptedUser::SetText(IDC_PIN_SPACE, "180", IDD_PINNAILGROUP);
    ScriptedUser::PressOK(IDD_PINNAILGROUP);
    // A diameter chosen this time replaces it.
    ScriptedUser::SelectRow(IDC_PIN_LIST, 1, IDD_BEAMPINNAIL);
    ScriptedUser::Click(IDC_PIN_EDIT, IDD_BEAMPINNAIL);
    ScriptedUser::Run([this](CDialog*) { EXPECT_EQ(st->m_pPinNailGroupList->Get(2)->m_nDiameter, 22); },
                      IDD_PINNAILGROUP);
    ScriptedUser::SelectRow(IDC_PIN_DIAMETER, 0, IDD_PINNAILGROUP);
    ScriptedUser::PressOK(IDD_PINNAILGROUP);
    ScriptedUser::PressCancel(IDD_BEAMPINNAIL);
    CDlgBeamPinnail dlg;
    RunLibrary(dlg);
    EXPECT_EQ(g->m_nDiameter, 13);
    EXPECT_EQ(g->m_nSpace, 180);
    EXPECT_EQ(g->m_nHeight, 100);
    EXPECT_EQ(g->m_nMaterial, 2);
    EXPECT_EQ(st->m_pPinNailGroupList->Get(1)->m_nDiameter, 16) << "the other group is untouched";
}

TEST_F(StudFixture, WithoutASelectedRowNothingHappens)
{
    CBeam* b = Main(1, 600);
    CPinNailGroup* g = Group(16, 200, 2);
    b->m_pPinNailGroup = g;
    ScriptedUser::Click(IDC_PIN_EDIT, IDD_BEAMPINNAIL);
    ScriptedUser::AnswerMessageBox(IDOK, "请选择要编辑的栓钉！");
    ScriptedUser::Click(IDC_PIN_DELETE, IDD_BEAMPINNAIL);
    ScriptedUser::AnswerMessageBox(IDOK, "请选择要删除的栓钉！");
    ScriptedUser::Click(IDC_PIN_COUNT, IDD_BEAMPINNAIL);
    ScriptedUser::AnswerMessageBox(IDOK, "请选择要统计的栓钉！");
    ScriptedUser::PressOK(IDD_BEAMPINNAIL);
    ScriptedUser::AnswerMessageBox(IDOK, "请选择栓钉！");
    ScriptedUser::Run([](CDialog* dlg) { EXPECT_TRUE(dlg->IsModalRunning()); }, IDD_BEAMPINNAIL);
    ScriptedUser::PressCancel(IDD_BEAMPINNAIL);
    CDlgBeamPinnail dlg;
    EXPECT_EQ(RunLibrary(dlg), IDCANCEL);
    EXPECT_EQ(GroupCount(), 1);
    EXPECT_EQ(b->m_pPinNailGroup, g);
    EXPECT_EQ(dlg.m_pPinNailGroup, nullptr);
}

TEST_F(StudFixture, DeletingAGroupInUseAsksAndClearsItsUsers)
{
    CPinNailGroup* g1 = Group(16, 200, 2);
    CPinNailGroup* g2 = Group(19, 150, 2);
    CPinNailGroup* g3 = Group(13, 100, 1);
    CBeam* main = Main(1, 600);
    CSubBeam* sub = Sub(1, 300);
    CBeam* other = Main(2, 600);
    main->m_pPinNailGroup = g2;
    sub->m_pPinNailGroup = g2;
    other->m_pPinNailGroup = g3;
    ScriptedUser::SelectRow(IDC_PIN_LIST, 1, IDD_BEAMPINNAIL);
    ScriptedUser::Click(IDC_PIN_DELETE, IDD_BEAMPINNAIL);
    ScriptedUser::AnswerMessageBox(IDNO, "您确定要删除选定的栓钉吗？");
    ScriptedUser::Run(
        [this, g2](CDialog* dlg) {
            EXPECT_EQ(GroupCount(), 3);
            EXPECT_EQ(List(dlg, IDC_PIN_LIST)->GetItemCount(), 3);
            EXPECT_EQ(st->m_pBeamList->GetHeadT()->m_pPinNailGroup, g2);
        },
        IDD_BEAMPINNAIL);
    ScriptedUser::SelectRow(IDC_PIN_LIST, 1, IDD_BEAMPINNAIL);
    ScriptedUser::Click(IDC_PIN_DELETE, IDD_BEAMPINNAIL);
    ScriptedUser::AnswerMessageBox(IDYES, "您确定要删除选定的栓钉吗？");
    ScriptedUser::Run(
        [](CDialog* dlg) {
            auto rows = Rows(dlg, IDC_PIN_LIST);
            ASSERT_EQ(rows.size(), 2u);
            EXPECT_EQ(rows[0].first, "PN1");
            EXPECT_EQ(rows[1].first, "PN2");
        },
        IDD_BEAMPINNAIL);
    // Row 1 is now the former third group.
    ScriptedUser::SelectRow(IDC_PIN_LIST, 1, IDD_BEAMPINNAIL);
    ScriptedUser::PressOK(IDD_BEAMPINNAIL);
    CDlgBeamPinnail dlg;
    EXPECT_EQ(RunLibrary(dlg), IDOK);
    EXPECT_EQ(main->m_pPinNailGroup, nullptr);
    EXPECT_EQ(sub->m_pPinNailGroup, nullptr);
    EXPECT_EQ(other->m_pPinNailGroup, g3);
    ASSERT_EQ(GroupCount(), 2);
    EXPECT_EQ(st->m_pPinNailGroupList->Get(1), g1);
    EXPECT_EQ(st->m_pPinNailGroupList->Get(2), g3);
    EXPECT_EQ(g3->m_nNo, 2);
    EXPECT_EQ(dlg.m_pPinNailGroup, g3);
}

TEST_F(StudFixture, CountAddsTheStudsOfEveryMemberOfTheGroup)
{
    struct Case
    {
        const char* name;
        std::vector<double> mains;  // lengths (cm) of members with the group
        std::vector<double> subs;   // lengths of secondary beams with the group
        int space, rows;
        const char* message;
    };
    const Case cases[] = {
        // 600 cm x 10 / 200 x 2 = 60.
        {"one member", {600}, {}, 200, 2, "栓钉组1在1根组合梁上共布置60个"},
        // 6000 / 250 x 1 = 24; 3000 / 250 = 12; 4555 / 250 = 18.22 -> 18.
        {"member and secondary beams", {600}, {300, 455.5}, 250, 1, "栓钉组1在3根组合梁上共布置54个"},
        {"unused", {}, {}, 200, 2, "栓钉组1在0根组合梁上共布置0个"},
        // A group left without a spacing counts its members but places no studs.
        {"no spacing", {600}, {}, 0, 2, "栓钉组1在1根组合梁上共布置0个"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUser::Reset();
        st->m_pBeamList->DeleteAll();
        st->m_pPlaneList->DeleteAll();
        st->m_pFloorList->DeleteAll();
        while (GroupCount() > 0)
            st->m_pPinNailGroupList->Delete(1);
        CPinNailGroup* g = Group(19, c.space, c.rows);
        Main(99, 800)->m_pPinNailGroup = nullptr; // a composite member without studs
        for (double len : c.mains)
            Main((int)st->m_pBeamList->GetCount() + 1, len)->m_pPinNailGroup = g;
        for (double len : c.subs)
            Sub(1, len)->m_pPinNailGroup = g;
        ScriptedUser::SelectRow(IDC_PIN_LIST, 0, IDD_BEAMPINNAIL);
        ScriptedUser::Click(IDC_PIN_COUNT, IDD_BEAMPINNAIL);
        ScriptedUser::AnswerMessageBox(IDOK, c.message);
        ScriptedUser::PressCancel(IDD_BEAMPINNAIL);
        CDlgBeamPinnail dlg;
        RunLibrary(dlg);
        ASSERT_EQ(ScriptedUser::MessageBoxes().size(), 1u);
        EXPECT_EQ(ScriptedUser::MessageBoxes()[0].text, CString(c.message));
    }
}

namespace {

// One member of a design run: what it is and what the design answers for it.
struct DesignMember
{
    enum Kind { MAIN, SUB, COLUMN, PLAIN, NOSECTION } kind;
    int no;
    float spacingCm;
    int status;
};

} // namespace

TEST_F(StudFixture, DesignListsTheCompositeBeamsAndProposesTheSmallestSpacing)
{
    using Rowset = std::vector<std::pair<std::string, std::string>>;
    struct Case
    {
        const char* name;
        std::vector<DesignMember> members;
        Rowset rows;
        const char* proposal;
        std::vector<std::string> warnings;
    };
    const std::vector<Case> cases = {
        {"none composite",
         {{DesignMember::PLAIN, 1, 15, 0}, {DesignMember::COLUMN, 2, 15, 0}, {DesignMember::NOSECTION, 3, 15, 0}},
         {},
         "",
         {}},
        {"smallest wins, a message stays until a smaller spacing",
         {{DesignMember::MAIN, 1, 15, 0},
          {DesignMember::COLUMN, 2, 5, 0},
          {DesignMember::SUB, 4, 12, 0},
          {DesignMember::MAIN, 5, 13, 1},
          {DesignMember::MAIN, 6, 0, 2},
          {DesignMember::MAIN, 8, 20, 0}},
         {{"主梁1", "150"}, {"次梁4", "120"}, {"主梁5", "120"}, {"主梁6", "<请先布置楼板>"}, {"主梁8", "<请先布置楼板>"}},
         "<请先布置楼板>",
         {"5号杆焊钉高度过小，未考虑折减；（应大于压型钢板波高加30mm！）"}},
        {"missing reinforcement, then a spacing",
         {{DesignMember::MAIN, 1, 0, 3}, {DesignMember::MAIN, 2, 9, 1}},
         {{"主梁1", "<请先配板的负钢筋>"}, {"主梁2", "90"}},
         "90",
         {"2号杆焊钉高度过小，未考虑折减；（应大于压型钢板波高加30mm！）"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUser::Reset();
        st->m_pBeamList->DeleteAll();
        st->m_pPlaneList->DeleteAll();
        st->m_pFloorList->DeleteAll();
        CBeamList selected;
        for (const DesignMember& m : c.members) {
            CBeamBase* b = nullptr;
            switch (m.kind) {
            case DesignMember::MAIN: b = Main(m.no, 600); break;
            case DesignMember::SUB: b = Sub(m.no, 600); break;
            case DesignMember::COLUMN: b = Main(m.no, 600, 1); break;
            case DesignMember::PLAIN: b = Main(m.no, 600, 2, 0); break;
            case DesignMember::NOSECTION:
                b = Main(m.no, 600);
                b->SetSection(nullptr);
                break;
            }
            b->SetPinDesign(m.spacingCm, m.status);
            selected.AddTail(b);
        }
        for (const std::string& w : c.warnings)
            ScriptedUser::AnswerMessageBox(IDOK, w.c_str());
        ScriptedUser::Run(
            [&](CDialog* dlg) {
                EXPECT_EQ(Rows(dlg, IDC_PIN_DESIGNLIST), c.rows);
                EXPECT_EQ(Text(dlg, IDC_PIN_SPACE), CString(c.proposal));
            },
            IDD_BEAMPINNAILDESIGN);
        ScriptedUser::PressCancel(IDD_BEAMPINNAILDESIGN);
        CDlgBeamPinnailDesign dlg;
        dlg.m_pData = &d;
        dlg.m_pBeamList = &selected;
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        std::vector<std::string> shown;
        for (const auto& box : ScriptedUser::MessageBoxes())
            shown.push_back(box.text.str());
        EXPECT_EQ(shown, c.warnings);
    }
}

TEST_F(StudFixture, DesignBuildsItsGroupFromTheControlsAndRecomputes)
{
    CBeam* a = Main(1, 600);
    CBeam* b = Main(2, 600);
    a->SetPinDesign(18, 0);
    b->SetPinDesign(16, 0);
    CBeamList selected;
    selected.AddTail(a);
    selected.AddTail(b);
    ScriptedUser::Run(
        [](CDialog* dlg) {
            CString caption;
            dlg->GetWindowText(caption);
            EXPECT_EQ(caption, CString("栓钉设计"));
            EXPECT_EQ(Text(dlg, IDC_PIN_DIAMETER), CString("19"));
            EXPECT_EQ(Text(dlg, IDC_PIN_HEIGHT), CString("90"));
            EXPECT_EQ(Text(dlg, IDC_PIN_ROWS), CString("2"));
            EXPECT_EQ(Text(dlg, IDC_PIN_SPACE), CString("160"));
            EXPECT_FALSE(dlg->GetDlgItem(IDC_PIN_CAPACITY)->IsWindowEnabled());
        },
        IDD_BEAMPINNAILDESIGN);
    ScriptedUser::SelectRow(IDC_PIN_DIAMETER, 4, IDD_BEAMPINNAILDESIGN);
    ScriptedUser::SetText(IDC_PIN_ROWS, "3", IDD_BEAMPINNAILDESIGN);
    ScriptedUser::SetText(IDC_PIN_HEIGHT, "120", IDD_BEAMPINNAILDESIGN);
    ScriptedUser::SelectRow(IDC_PIN_MATERIAL, 1, IDD_BEAMPINNAILDESIGN);
    ScriptedUser::Check(IDC_PIN_USER, BST_CHECKED, IDD_BEAMPINNAILDESIGN);
    ScriptedUser::SetText(IDC_PIN_CAPACITY, "75", IDD_BEAMPINNAILDESIGN);
    ScriptedUser::Run([b](CDialog*) { b->SetPinDesign(0, 2); }, IDD_BEAMPINNAILDESIGN);
    ScriptedUser::Click(IDC_PIN_RECALC, IDD_BEAMPINNAILDESIGN);
    ScriptedUser::Run(
        [](CDialog* dlg) {
            EXPECT_EQ(Rows(dlg, IDC_PIN_DESIGNLIST),
                      (std::vector<std::pair<std::string, std::string>>{{"主梁1", "180"}, {"主梁2", "<请先布置楼板>"}}));
            EXPECT_TRUE(dlg->GetDlgItem(IDC_PIN_CAPACITY)->IsWindowEnabled());
        },
        IDD_BEAMPINNAILDESIGN);
    // The message cannot become a spacing.
    ScriptedUser::PressOK(IDD_BEAMPINNAILDESIGN);
    ScriptedUser::AnswerMessageBox(IDOK, "栓钉间距建议值必须是大于0的整数！");
    ScriptedUser::Run(
        [](CDialog* dlg) {
            EXPECT_TRUE(dlg->IsModalRunning());
            EXPECT_EQ(CWnd::GetFocus(), dlg->GetDlgItem(IDC_PIN_SPACE));
        },
        IDD_BEAMPINNAILDESIGN);
    ScriptedUser::SetText(IDC_PIN_SPACE, "0", IDD_BEAMPINNAILDESIGN);
    ScriptedUser::PressOK(IDD_BEAMPINNAILDESIGN);
    ScriptedUser::AnswerMessageBox(IDOK, "栓钉间距建议值必须是大于0的整数！");
    ScriptedUser::SetText(IDC_PIN_SPACE, "175", IDD_BEAMPINNAILDESIGN);
    ScriptedUser::PressOK(IDD_BEAMPINNAILDESIGN);
    CDlgBeamPinnailDesign dlg;
    dlg.m_pData = &d;
    dlg.m_pBeamList = &selected;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strSpace, CString("175"));
    // The trial group of the recomputation: the spacing it started from was the proposal 160.
    EXPECT_EQ(dlg.m_group.m_nDiameter, 25);
    EXPECT_EQ(dlg.m_group.m_nSpace, 160);
    EXPECT_EQ(dlg.m_group.m_nHeight, 120);
    EXPECT_EQ(dlg.m_group.m_nRows, 3);
    EXPECT_EQ(dlg.m_group.m_nMaterial, 2);
    EXPECT_EQ(dlg.m_group.m_nCapacityMode, 1);
    EXPECT_EQ(dlg.m_group.m_fCapacity, 75.0f);
    EXPECT_EQ(dlg.m_nRows, 3);
    EXPECT_EQ(dlg.m_nDiameter, 4);
}

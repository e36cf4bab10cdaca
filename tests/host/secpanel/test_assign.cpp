// Section assignment by picking: the finish callbacks of the section panel's commands, the
// tapered sections spread along member chains, the plate set properties and the refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "host/secpanel/SecTestModel.h"
#include "hostkit/HostKit.h"
#include <vyr/controls.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/host/ViewSection.h>
#include <vyr/operators/OPManager.h>
#include <vyr/operators/OPSelectKinds.h>
#include <vyr/resources.h>
#include <vyr/resources/dialogs/SectionRes.h>
#include <vyr/scripteduser.h>

using vyr::ScriptedUser;
using vyr::WindowUser;
using namespace sectest;

namespace {

class AssignTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        vyr::VyrSetResourceDir((std::string(VYR_SOURCE_DIR) + "/resources").c_str());
        ScriptedUser::Reset();
        m_q345 = AddSteel(Model(), "Q345");
        m_taper = AddTaper(Model(), 300, 600, m_q345);
        m_plain = AddSection(Model(), 501, m_q345, "P");
    }
    void TearDown() override
    {
        EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);
        ScriptedUser::Reset();
    }
    CStruct& Model() { return *m_host.GlobalData().Struct(); }
    CViewSection* Panel()
    {
        if (m_panel == nullptr) {
            m_panel = dynamic_cast<CViewSection*>(m_host.CreatePanels().GetDlg("View.Section"));
            m_host.ShowPanel("View.Section");
            EXPECT_TRUE(WindowUser::SelectRow(m_panel, IDC_SEC_TAB, 1));
        }
        return m_panel;
    }
    void ChooseSection(CSectionBase* s)
    {
        const int row = s != nullptr ? Panel()->m_rows.FindRow(s) : 0;
        ASSERT_GE(row, 0);
        ASSERT_TRUE(WindowUser::SelectRow(Panel(), IDC_SEC_LIST, row));
    }
    void Pick(std::initializer_list<CBeamBase*> members)
    {
        CBeamList& sel = m_host.GlobalData().SelectBeamList();
        for (CBeamBase* m : members) {
            sel.AddTail(m);
            m->SetSelect(1);
        }
    }
    // Runs a finish callback as the manager does when the user confirms.
    void Finish(void (*callback)(COP*))
    {
        COPSelectBeam op;
        op.SetParam(Panel()->GetOPParam());
        callback(&op);
    }
    // The start and end heights (mm) of a member's tapered section.
    static std::pair<double, double> Heights(CBeamBase* m)
    {
        auto* t = dynamic_cast<CTaperVaryWeb*>(m->GetSection());
        if (t == nullptr)
            return {-1, -1};
        return {std::round(t->m_fTH * 1000) / 1000, std::round(t->m_fEndH * 1000) / 1000};
    }
    using Heights_t = std::pair<double, double>;

    vyrhost::CHostKit m_host;
    CViewSection* m_panel = nullptr;
    CMaterialBase* m_q345 = nullptr;
    CTaperVaryWeb* m_taper = nullptr;
    CSectionBase* m_plain = nullptr;
};

TEST_F(AssignTest, GetValRunsFromAAtTheStartToBAtTheEnd)
{
    EXPECT_DOUBLE_EQ(CViewSection::GetVal(300, 600, 0, 10), 300);
    EXPECT_DOUBLE_EQ(CViewSection::GetVal(300, 600, 2, 10), 360);
    EXPECT_DOUBLE_EQ(CViewSection::GetVal(300, 600, 10, 10), 600);
}

TEST_F(AssignTest, AChainOfThreeTakesTheTaperInEitherDirection)
{
    // Lengths 2, 3 and 5 on the x axis, picked out of order.
    CBeam* a = AddBeam(Model(), 1, CPoint3D(0, 0, 0), CPoint3D(2, 0, 0));
    CBeam* b = AddBeam(Model(), 2, CPoint3D(2, 0, 0), CPoint3D(5, 0, 0));
    CBeam* c = AddBeam(Model(), 3, CPoint3D(5, 0, 0), CPoint3D(10, 0, 0));
    struct Case
    {
        int answer;
        Heights_t ha, hb, hc;
        bool taper;
    };
    const Case cases[] = {
        {IDYES, {300, 360}, {360, 450}, {450, 600}, false},
        {IDNO, {540, 600}, {450, 540}, {300, 450}, true},
    };
    for (const Case& k : cases) {
        ChooseSection(m_taper);
        Pick({c, a, b});
        ScriptedUser::AnswerMessageBox(k.answer, "小头对首端");
        ScriptedUser::AnswerMessageBox(IDOK, "3根杆件截面布置成功！");
        m_host.ClearMessages();
        Finish(&CViewSection::AssignSectionTaper);
        EXPECT_EQ(Heights(a), k.ha);
        EXPECT_EQ(Heights(b), k.hb);
        EXPECT_EQ(Heights(c), k.hc);
        for (CBeam* m : {a, b, c}) {
            EXPECT_EQ(m->m_bTaper, k.taper);
            EXPECT_EQ(m->GetSection()->m_pMaterial, m_q345);
            auto* t = static_cast<CTaperVaryWeb*>(m->GetSection());
            EXPECT_EQ(t->GetStartSec()->m_strKind, CString("首端截面"));
            EXPECT_EQ(t->GetEndSec()->m_strKind, CString("尾端截面"));
        }
        EXPECT_TRUE(m_host.GlobalData().SelectBeamList().IsEmpty());
        EXPECT_EQ(a->GetSelect(), 0);
        std::vector<std::string> order;
        for (const auto& msg : m_host.Messages())
            if (msg.message == WM_UI_REDRAW || msg.message == WM_UI_MODELCHANGED)
                order.push_back(vyrhost::HostMessageName(msg.message));
        EXPECT_EQ(order, (std::vector<std::string>{"WM_UI_REDRAW", "WM_UI_REDRAW", "WM_UI_MODELCHANGED", "WM_UI_REDRAW"}));
        // The panel shows the sections that were added.
        EXPECT_GE(Panel()->m_rows.FindRow(a->GetSection()), 1);
    }
}

TEST_F(AssignTest, MembersAreGroupedByLineAndChainedWhereTheyMeet)
{
    // Two parallel lines of two members; opposite directions on a third line; a gap on a
    // fourth; a line running towards -x.
    CBeam* p1 = AddBeam(Model(), 1, CPoint3D(0, 0, 0), CPoint3D(5, 0, 0));
    CBeam* p2 = AddBeam(Model(), 2, CPoint3D(5, 0, 0), CPoint3D(10, 0, 0));
    CBeam* q1 = AddBeam(Model(), 3, CPoint3D(0, 100, 0), CPoint3D(5, 100, 0));
    CBeam* q2 = AddBeam(Model(), 4, CPoint3D(5, 100, 0), CPoint3D(10, 100, 0));
    CBeam* fwd = AddBeam(Model(), 5, CPoint3D(0, 200, 0), CPoint3D(5, 200, 0));
    CBeam* back = AddBeam(Model(), 6, CPoint3D(10, 200, 0), CPoint3D(5, 200, 0));
    CBeam* g1 = AddBeam(Model(), 7, CPoint3D(0, 300, 0), CPoint3D(5, 300, 0));
    CBeam* g2 = AddBeam(Model(), 8, CPoint3D(6, 300, 0), CPoint3D(10, 300, 0));
    CBeam* n1 = AddBeam(Model(), 9, CPoint3D(10, 400, 0), CPoint3D(5, 400, 0));
    CBeam* n2 = AddBeam(Model(), 10, CPoint3D(5, 400, 0), CPoint3D(0, 400, 0));
    CSubBeam* sub = AddSubBeam(Model(), AddRoom(Model()), 1, CPoint3D(0, 500, 0), CPoint3D(0, 505, 0));
    CBeamInWall* coupling = AddCouplingBeam(Model(), 20, m_plain);
    ChooseSection(m_taper);
    Pick({q2, p1, n2, g2, fwd, coupling, back, sub, p2, g1, q1, n1});
    ScriptedUser::AnswerMessageBox(IDYES);
    ScriptedUser::AnswerMessageBox(IDOK, "12根杆件截面布置成功！");
    Finish(&CViewSection::AssignSectionTaper);
    const Heights_t half1{300, 450}, half2{450, 600}, whole{300, 600};
    EXPECT_EQ(Heights(p1), half1);
    EXPECT_EQ(Heights(p2), half2);
    EXPECT_EQ(Heights(q1), half1);
    EXPECT_EQ(Heights(q2), half2);
    EXPECT_EQ(Heights(fwd), whole);
    EXPECT_EQ(Heights(back), whole);
    EXPECT_EQ(Heights(g1), whole);
    EXPECT_EQ(Heights(g2), whole);
    EXPECT_EQ(Heights(n1), half1);
    EXPECT_EQ(Heights(n2), half2);
    EXPECT_EQ(Heights(sub), whole);
    EXPECT_EQ(coupling->GetSection(), m_plain);
}

TEST_F(AssignTest, TheSameTaperTwiceAddsNoSectionsTheSecondTime)
{
    CBeam* a = AddBeam(Model(), 1, CPoint3D(0, 0, 0), CPoint3D(2, 0, 0));
    CBeam* b = AddBeam(Model(), 2, CPoint3D(2, 0, 0), CPoint3D(5, 0, 0));
    CSectionList& lib = *Model().m_pSectionList;
    int counts[2] = {};
    CSectionBase* first[2] = {};
    for (int round = 0; round < 2; ++round) {
        ChooseSection(m_taper);
        Pick({a, b});
        ScriptedUser::AnswerMessageBox(IDYES);
        ScriptedUser::AnswerMessageBox(IDOK);
        Finish(&CViewSection::AssignSectionTaper);
        counts[round] = (int)lib.GetCount();
        first[round] = a->GetSection();
    }
    EXPECT_EQ(counts[0], 4);
    EXPECT_EQ(counts[1], 4);
    EXPECT_EQ(first[0], first[1]);
}

TEST_F(AssignTest, ASingleMemberLeavesAGroupOfAnotherSection)
{
    CBeam* stays = AddBeam(Model(), 1, CPoint3D(0, 0, 0), CPoint3D(2, 0, 0));
    CBeam* leaves = AddBeam(Model(), 2, CPoint3D(0, 0, 0), CPoint3D(2, 0, 0));
    CBeamGroup* same = AddGroup(Model(), m_plain, {stays});
    CBeamGroup* other = AddGroup(Model(), m_taper, {leaves});
    stays->m_pCheckResult = new CheckResult;
    CViewSection::SetSection(stays, m_plain, &m_host.GlobalData());
    CViewSection::SetSection(leaves, m_plain, &m_host.GlobalData());
    EXPECT_EQ(stays->GetGroupId(), same->m_nNo);
    EXPECT_TRUE(same->m_pBeamList->Contains(stays));
    EXPECT_EQ(stays->m_pCheckResult, nullptr);
    EXPECT_EQ(leaves->GetGroupId(), 0);
    EXPECT_FALSE(other->m_pBeamList->Contains(leaves));
    EXPECT_EQ(leaves->GetSection(), m_plain);
}

TEST_F(AssignTest, IbeamFactorsFollowThePlates)
{
    // The plates carry the same dimensions in millimetres, as in an assignment.
    std::unique_ptr<CSDefineIbeam> plates(MakeIbeam(400, 200, 8, 12, 200, 12));
    CSDefineIbeam& p = *plates;
    plates->m_dA1 = plates->m_dI33 = 0;
    // Equal flanges: H 40, web 0.8, flanges 20 x 1.2 (cm).
    CViewSection::ComputeIbeamFactors(40, 0.8f, 20, 1.2f, 20, 1.2f, &p);
    const double hw = 40 - 2.4, I33 = 0.8 * hw * hw * hw / 12 + 2 * (20 * 1.2 * 1.2 * 1.2 / 12 + 24 * 19.4 * 19.4);
    EXPECT_NEAR(p.m_dA1, 2 * 24 + hw * 0.8, 1e-4);
    EXPECT_NEAR(p.m_dI33, I33, 1e-2);
    EXPECT_NEAR(p.m_fYc, 200, 1e-3); // 20 cm, kept in millimetres
    EXPECT_NEAR(p.m_dWx, 2 * p.m_dI33 / 40, 1e-6 * p.m_dWx);
    EXPECT_NEAR(p.m_dWy, 2 * p.m_dI22 / 20, 1e-6 * p.m_dWy);
    EXPECT_NEAR(p.m_fXc, 100, 1e-4);

    // Unequal flanges, by hand: H 30, web 1, top 20 x 2, bottom 10 x 1.
    // hw = 27, A = 40 + 10 + 27 = 77, yc = (5 + 27 x 14.5 + 40 x 29) / 77 = 1556.5 / 77.
    p.m_dH = 300, p.m_dB = 200, p.m_dT = 10, p.m_dTf = 20, p.m_dB1 = 100, p.m_dTf1 = 10;
    CViewSection::ComputeIbeamFactors(30, 1, 20, 2, 10, 1, &p);
    const double yc = 1556.5 / 77;
    const double I = 27.0 * 27 * 27 / 12 + 27 * (14.5 - yc) * (14.5 - yc) + 10 * (yc - 0.5) * (yc - 0.5) + 10.0 / 12 +
                     40 * (29 - yc) * (29 - yc) + 20.0 * 8 / 12;
    const double I22 = 2.0 * 8000 / 12 + 1.0 * 1000 / 12 + 27.0 / 12;
    EXPECT_NEAR(p.m_dA1, 77, 1e-9);
    EXPECT_NEAR(p.m_fYc, yc * 10, 1e-3);
    EXPECT_NEAR(p.m_dI33, I, 1e-6 * I);
    EXPECT_NEAR(p.m_dWx, I / yc, 1e-6 * I); // yc lies above mid-height
    EXPECT_NEAR(p.m_dI22, I22, 1e-9);
    EXPECT_NEAR(p.m_dWy, 2 * I22 / 20, 1e-9);
    EXPECT_NEAR(p.m_dix, std::sqrt(I / 77), 1e-6);
    EXPECT_NEAR(p.m_diy, std::sqrt(I22 / 77), 1e-9);
    EXPECT_EQ(p.m_strDim, CString("200(100)*300*10*20(10)"));
    EXPECT_EQ(p.m_strKind, CString("尾端截面"));
    EXPECT_EQ(p.m_strCategory, CString("变截面"));
    EXPECT_EQ(p.m_strFull, CString("截面200(100)*300*10*20(10)"));
}

TEST_F(AssignTest, RefusalsLeaveModelAndSelectionAsTheyWere)
{
    CBeam* m = AddBeam(Model(), 1, CPoint3D(0, 0, 0), CPoint3D(2, 0, 0), m_plain);
    Panel();
    // Nothing picked.
    ScriptedUser::AnswerMessageBox(IDOK, "请选择要布置截面的杆件！");
    Finish(&CViewSection::AssignSection);
    // No row.
    Pick({m});
    ScriptedUser::AnswerMessageBox(IDOK, "请在截面右侧对话框的列表中选择要布置的截面！");
    Finish(&CViewSection::AssignSection);
    ScriptedUser::AnswerMessageBox(IDOK, "请在截面右侧对话框的列表中选择要布置的楔形截面！");
    Finish(&CViewSection::AssignSectionTaper);
    // Not tapered.
    ChooseSection(m_plain);
    ScriptedUser::AnswerMessageBox(IDOK, "必须在列表中选择楔形截面进行布置！");
    Finish(&CViewSection::AssignSectionTaper);
    EXPECT_EQ(m->GetSection(), m_plain);
    EXPECT_EQ(m_host.GlobalData().SelectBeamList().GetCount(), 1);
    EXPECT_EQ(Model().m_pSectionList->GetCount(), 2);
    // A parameter that names no panel does nothing.
    COPSelectBeam op;
    op.SetParam(0);
    CViewSection::AssignSection(&op);
}

TEST_F(AssignTest, TheEraseRowTakesSectionsAwayInBothCommands)
{
    CBeam* m = AddBeam(Model(), 1, CPoint3D(0, 0, 0), CPoint3D(2, 0, 0), m_plain);
    CSubBeam* sub = AddSubBeam(Model(), AddRoom(Model()), 1, CPoint3D(0, 5, 0), CPoint3D(2, 5, 0), m_plain);
    for (auto callback : {&CViewSection::AssignSection, &CViewSection::AssignSectionTaper}) {
        m->m_pSection = sub->m_pSection = m_plain;
        ChooseSection(nullptr);
        Pick({m, sub});
        ScriptedUser::AnswerMessageBox(IDOK, "2根杆件截面布置成功！");
        Finish(callback);
        EXPECT_EQ(m->GetSection(), nullptr);
        EXPECT_EQ(sub->GetSection(), nullptr);
    }
}

TEST_F(AssignTest, ADegenerateChainLeavesItsMembersAsTheyWere)
{
    // A chain of no length takes the start plates; a taper whose plates are impossible is
    // refused by the library, and the member keeps its section without being counted.
    CBeam* zero = AddBeam(Model(), 1, CPoint3D(0, 0, 0), CPoint3D(0, 0, 0), m_plain);
    CBeamList chain;
    chain.AddTail(zero);
    EXPECT_EQ(CViewSection::SetSection(chain, m_taper, &m_host.GlobalData(), false), 1);
    EXPECT_EQ(Heights(zero), Heights_t(300, 300));

    CTaperVaryWeb* bad = AddTaper(Model(), 300, 600, m_q345);
    static_cast<CSDefineIbeam*>(bad->GetEndSec())->m_dTf1 = 700; // flanges deeper than the section
    CBeam* m = AddBeam(Model(), 2, CPoint3D(0, 0, 0), CPoint3D(10, 0, 0), m_plain);
    const int before = (int)Model().m_pSectionList->GetCount();
    ChooseSection(bad);
    Pick({m});
    ScriptedUser::AnswerMessageBox(IDYES);
    ScriptedUser::AnswerMessageBox(IDOK, "0根杆件截面布置成功！");
    Finish(&CViewSection::AssignSectionTaper);
    EXPECT_EQ(m->GetSection(), m_plain);
    EXPECT_EQ((int)Model().m_pSectionList->GetCount(), before);
}

TEST_F(AssignTest, AssignThroughTheManagerByWindowAndRightButton)
{
    // Plan view: model (x, y, 0) shows at client pixel (x, y).
    CMatrix3D& m3 = m_host.GlobalData().Matrix3D();
    m3.Identity();
    m3(1, 1) = 0.0;
    m3(1, 2) = 1.0;
    m3(2, 1) = 1.0;
    m3(2, 2) = 0.0;
    m_host.GlobalData().Matrix2D().Identity();
    CBeam* a = AddBeam(Model(), 1, CPoint3D(110, 110, 0), CPoint3D(150, 110, 0));
    CBeam* b = AddBeam(Model(), 2, CPoint3D(110, 150, 0), CPoint3D(150, 150, 0));
    CBeam* outside = AddBeam(Model(), 3, CPoint3D(400, 400, 0), CPoint3D(450, 400, 0));
    CBeamInWall* coupling = AddCouplingBeam(Model(), 4, nullptr);
    m_host.ShowWholeModel();
    m_host.m_shownBeams.AddTail(coupling);
    ChooseSection(m_plain);
    ScriptedUser::AnswerMessageBox(IDOK, "开始布置截面！");
    ASSERT_TRUE(WindowUser::Click(Panel(), IDC_SEC_ASSIGN));
    COPManager& mgr = m_host.OPManager();
    mgr.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, CPoint(100, 100), 0);
    mgr.MouseAction(OPMOUSE_LUP, 0, CPoint(100, 100), 0);
    mgr.MouseAction(OPMOUSE_MOVE, 0, CPoint(200, 200), 0);
    mgr.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, CPoint(200, 200), 0);
    mgr.MouseAction(OPMOUSE_LUP, 0, CPoint(200, 200), 0);
    ASSERT_EQ(m_host.GlobalData().SelectBeamList().GetCount(), 2);
    ScriptedUser::AnswerMessageBox(IDOK, "2根杆件截面布置成功！");
    m_host.ClearMessages();
    mgr.MouseAction(OPMOUSE_RCLICK, 0, CPoint(200, 200), 0);
    EXPECT_EQ(a->GetSection(), m_plain);
    EXPECT_EQ(b->GetSection(), m_plain);
    EXPECT_EQ(outside->GetSection(), nullptr);
    EXPECT_EQ(coupling->GetSection(), nullptr);
    EXPECT_TRUE(m_host.GlobalData().SelectBeamList().IsEmpty());
    EXPECT_EQ(m_host.Count(WM_UI_MODELCHANGED), 1);
    EXPECT_GE(m_host.Count(WM_UI_REDRAW), 2);
    EXPECT_EQ(m_host.Messages().back().message, (UINT)WM_UI_REDRAW);
}

} // namespace

// The model and load report: the general information with the portal frames, the node,
// member and initial-stress tables, the polls between the parts, and the dialog's boxes
// and show button.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <vyr/model/base/VyrProduct.h>
#include <vyr/protocol/ThreadMessages.h>
#include <vyr/reports/DlgOutputModel.h>
#include <vyr/scripteduser.h>
#include "ReportProject.h"
#include "support/DialogTest.h"

using reporttest::ChapterLines;
using reporttest::FindLine;
using reporttest::HasLine;
using reporttest::Mentions;

namespace {

// A window that answers the chapter's polls: 0 until the given poll, then 1.
class CPollOwner : public CWnd
{
public:
    int polls = 0;
    int stopAt = 1; // the first poll answered 1
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_THREAD_CHECKCANCEL)
            return ++polls >= stopAt ? 1 : 0;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class ModelReportTest : public vyrtest::DialogTest
{
protected:
    reporttest::CReportProject project;
    CDlgOutputModel dlg;

    ModelReportTest() { dlg.m_pData = &project.data; }

    std::vector<std::string> Chapter(int flag = 1, CWnd* owner = nullptr)
    {
        return ChapterLines([&](COutput& out) { dlg.OutputUnite(out, owner, flag); });
    }

    static CPortalSpanPtr NewSpan(float span, float left, float right)
    {
        auto* s = new CPortalSpan;
        s->SetSpan(span);
        s->SetLeftH(left);
        s->SetRightH(right);
        return CPortalSpanPtr(s);
    }
};

TEST_F(ModelReportTest, GetStrNamesOneToThirteen)
{
    const char* const want[] = {"", "一", "二", "三", "四", "五", "六", "七", "八", "九", "十", "十一", "十二", "十三", ""};
    for (int n = 0; n <= 14; ++n)
        EXPECT_EQ(CDlgOutputModel::GetStr(n).str(), want[n]) << n;
    EXPECT_EQ(CDlgOutputModel::GetStr(-1).str(), "");
}

TEST_F(ModelReportTest, PlanePortalWithoutSupportedColumnsSaysNoSupport)
{
    project.data.CurrentStructureType() = 3;
    CPortal& p = project.st.m_Portal;
    p.SetDist(750);
    p.SetRangeType(1);
    p.AddSpan(NewSpan(1800, 600, 650));
    project.AddMember(1, project.AddNode(1, 0, 0, 0), project.AddNode(2, 0, 0, 600), 1);
    auto lines = Chapter();
    EXPECT_TRUE(HasLine(lines, "结构类型：平面门式结构"));
    int at = FindLine(lines, "本门式刚架类型为左边缘区,柱距为7.5");
    ASSERT_GE(at, 0);
    EXPECT_NE(lines[(size_t)at].find("m，柱脚无支座，基础顶面标高为"), std::string::npos);
    EXPECT_NE(lines[(size_t)at].find("共1跨，信息如下："), std::string::npos);
    EXPECT_EQ(FindLine(lines, "第1跨:,跨度18", at), at + 1);
    EXPECT_NE(lines[(size_t)at + 1].find("左檐口高6"), std::string::npos);

    // The first supported column names its base: fixed, pinned, anything else a spring.
    const std::pair<int, const char*> bases[] = {{1, "固接"}, {2, "铰接"}, {3, "弹簧支座"}};
    for (const auto& [type, text] : bases) {
        SCOPED_TRACE(text);
        auto* support = new CSupportBase(type);
        project.st.m_pSupportList->Add(support);
        project.st.m_pBeamList->DeleteAll();
        project.AddMember(2, project.AddNode(3, 1800, 0, 0, support), project.AddNode(4, 1800, 0, 600), 1);
        lines = Chapter();
        EXPECT_TRUE(Mentions(lines, std::string("m，柱脚") + text + "，基础顶面标高为"));
    }
}

TEST_F(ModelReportTest, SpacePortalListsOnlyFramesWithAxesWithTheStructuresSpacing)
{
    project.data.CurrentStructureType() = 1;
    project.st.m_Portal.SetDist(600);
    auto* noAxes = new CPortal;
    noAxes->SetDist(900);
    noAxes->AddSpan(NewSpan(1200, 500, 500));
    auto* framed = new CPortal;
    framed->SetDist(900);
    framed->AddAxis(2);
    framed->AddAxis(5);
    framed->AddSpan(NewSpan(1500, 500, 500));
    framed->AddSpan(NewSpan(1500, 500, 500));
    project.st.m_pPortalList->AddTail(noAxes);
    project.st.m_pPortalList->AddTail(framed);
    const auto lines = Chapter();
    EXPECT_TRUE(HasLine(lines, "本空间门式结构布置的各标准榀信息:"));
    EXPECT_TRUE(HasLine(lines, "标准榀1:榀类型为中间区,榀距为6.00m,布置轴线为2,5"));
    EXPECT_FALSE(Mentions(lines, "标准榀2"));
    EXPECT_TRUE(Mentions(lines, "共2跨，信息如下："));
    EXPECT_FALSE(Mentions(lines, "跨度12")) << "the frame without axes is passed over";
}

TEST_F(ModelReportTest, NodeWithoutSupportIsFreeInEveryDirectionOfTheEdition)
{
    dlg.m_bNode = 1;
    project.AddNode(7, 100, 200, 300);
    {
        const auto lines = Chapter();
        const int row = FindLine(lines, "7", FindLine(lines, "节点号"));
        ASSERT_GE(row, 0);
        EXPECT_EQ(vyrtest::Words(lines[(size_t)row]),
                  (std::vector<std::string>{"7", "1000.0", "2000.0", "3000.0", "1", "1", "1", "1", "1", "1"}));
        EXPECT_TRUE(HasLine(lines, "注：节点约束(0-约束 1-自由)"));
    }
    {
        CVyrProduct::CEditionScope plane(2, CVyrProduct::Dov2D);
        const auto lines = Chapter();
        const int row = FindLine(lines, "7", FindLine(lines, "节点号"));
        ASSERT_GE(row, 0);
        EXPECT_EQ(vyrtest::Words(lines[(size_t)row]),
                  (std::vector<std::string>{"7", "1000.0", "3000.0", "1", "1", "1"}));
    }
}

TEST_F(ModelReportTest, SupportedNodeShowsItsReleases)
{
    dlg.m_bNode = 1;
    auto* support = new CSupportBase(2);
    const int release[6] = {0, 0, 0, 1, 0, 1};
    for (int i = 0; i < 6; ++i)
        support->m_nRelease[i] = release[i];
    project.st.m_pSupportList->AddTail(support);
    project.AddNode(3, 0, 0, 0, support);
    const auto lines = Chapter();
    const int row = FindLine(lines, "3", FindLine(lines, "节点号"));
    ASSERT_GE(row, 0);
    const auto w = vyrtest::Words(lines[(size_t)row]);
    EXPECT_EQ(std::vector<std::string>(w.begin() + 4, w.end()), (std::vector<std::string>{"0", "0", "0", "1", "0", "1"}));
}

TEST_F(ModelReportTest, MemberTableShowsNodesReleasesAndSections)
{
    dlg.m_bBeam = 1;
    dlg.m_bTotal = 0;
    CPNode* a = project.AddNode(1, 0, 0, 0);
    CPNode* b = project.AddNode(2, 600, 0, 0);
    CSectionBase* sec = project.AddSection(1, 0, "Q345");
    project.AddMember(11, a, b, 2, sec);
    project.AddMember(12, b, a, 2);
    const auto lines = Chapter();
    const auto rows = reporttest::TableRows(lines, "杆件号");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"11", "1-2", "0-0", "0-0", "Q345", "S1"}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"12", "2-1", "0-0", "0-0", "---", "---"}));
}

TEST_F(ModelReportTest, ElevenStressedMembersMakeSixRowsTwoToARow)
{
    dlg.m_bPreload = 1;
    project.data.GetCurBasicLCList()->AddTail(new CBasicLoadCase(15)); // initial stress
    CPNode* a = project.AddNode(1, 0, 0, 0);
    CPNode* b = project.AddNode(2, 100, 0, 0);
    for (int i = 1; i <= 12; ++i)
        project.AddMember(i, a, b, 2)->m_fInitStress = i == 6 ? 0.001f : 10.0f * i; // member 6 is not stressed
    const auto lines = Chapter();
    const auto rows = reporttest::TableRows(lines, "杆件编号");
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"1", "10.000", "2", "20.000"}));
    EXPECT_EQ(rows[2], (std::vector<std::string>{"5", "50.000", "7", "70.000"}));
    EXPECT_EQ(rows[5], (std::vector<std::string>{"12", "120.000"}));

    // No stress above 0.001: the heading, caption and heads of an empty table.
    for (POSITION pos = project.st.m_pBeamList->GetHeadPosition(); pos;)
        project.st.m_pBeamList->GetNextT(pos)->m_fInitStress = -0.001f;
    const auto empty = Chapter();
    EXPECT_TRUE(HasLine(empty, "初应力荷载"));
    EXPECT_TRUE(Mentions(empty, "杆件荷载信息"));
    ASSERT_GE(FindLine(empty, "杆件编号"), 0);
    EXPECT_TRUE(reporttest::TableRows(empty, "杆件编号").empty());
}

TEST_F(ModelReportTest, APollAnsweringOneLeavesTheTitleAndTheHeadOnly)
{
    dlg.m_bNode = 1;
    project.AddNode(1, 0, 0, 0);
    CPollOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "poll", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    auto lines = Chapter(0, &owner);
    EXPECT_EQ(owner.polls, 1);
    EXPECT_TRUE(HasLine(lines, "样例模型与荷载信息"));
    EXPECT_TRUE(Mentions(lines, "计算软件"));
    EXPECT_FALSE(Mentions(lines, "工程总体信息"));

    owner.polls = 0;
    lines = Chapter(1, &owner);
    EXPECT_TRUE(HasLine(lines, "样例模型与荷载信息"));
    EXPECT_FALSE(Mentions(lines, "计算软件")) << "a section writes no head";

    // Stopped at the third poll: general information and nodes written, members not.
    dlg.m_bBeam = 1;
    owner.polls = 0;
    owner.stopAt = 3;
    lines = Chapter(1, &owner);
    EXPECT_TRUE(HasLine(lines, "工程总体信息"));
    EXPECT_TRUE(HasLine(lines, "结点分析属性"));
    EXPECT_FALSE(HasLine(lines, "杆件分析属性"));

    // Never stopped: all eleven polls are asked.
    owner.polls = 0;
    owner.stopAt = 100;
    Chapter(1, &owner);
    EXPECT_EQ(owner.polls, 11);
    owner.DestroyWindow();
}

TEST_F(ModelReportTest, BoxesChangeNothingUntilTheShowButtonAndCloseKeepsThem)
{
    project.AddNode(1, 0, 0, 0);
    std::string first, afterBox, afterShow;
    bool hiddenAtStart = true;
    auto text = [](CDialog* d) {
        CString t;
        d->GetDlgItemText(IDC_REPORT_EDIT, t);
        return t.str();
    };
    vyr::ScriptedUser::Run([&](CDialog* d) {
        first = text(d);
        hiddenAtStart = d->GetDlgItem(IDC_OMODEL_PROGRESS)->IsWindowVisible() == 0;
    }, IDD_OUTPUT_MODEL);
    vyr::ScriptedUser::Check(IDC_OMODEL_NODE, BST_CHECKED, IDD_OUTPUT_MODEL);
    vyr::ScriptedUser::Run([&](CDialog* d) { afterBox = text(d); }, IDD_OUTPUT_MODEL);
    vyr::ScriptedUser::Click(IDC_OMODEL_SHOW, IDD_OUTPUT_MODEL);
    vyr::ScriptedUser::Run([&](CDialog* d) { afterShow = text(d); }, IDD_OUTPUT_MODEL);
    vyr::ScriptedUser::Check(IDC_OMODEL_DEAD, BST_CHECKED, IDD_OUTPUT_MODEL);
    vyr::ScriptedUser::PressCancel(IDD_OUTPUT_MODEL);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(hiddenAtStart);
    EXPECT_NE(first.find("工程总体信息"), std::string::npos);
    EXPECT_EQ(afterBox, first);
    EXPECT_NE(afterShow.find("结点分析属性"), std::string::npos);
    EXPECT_EQ(afterShow.rfind("样例模型与荷载信息", 0), 0u);
    EXPECT_EQ(afterShow.find("样例模型与荷载信息", 1), std::string::npos);
    EXPECT_EQ(dlg.m_bNode, 1);
    EXPECT_EQ(dlg.m_bDead, 1) << "the cancel read the boxes back";
}

TEST_F(ModelReportTest, ChapterReadsBackFromRtf)
{
    dlg.m_bNode = 1;
    dlg.m_bBeam = 1;
    project.AddMember(5, project.AddNode(1, 0, 0, 0), project.AddNode(2, 0, 0, 300), 1);
    outtest::TempDir dir;
    const std::string path = dir.File("model.rtf");
    const outtest::RtfReading rtf = outtest::WriteAndReadRtf(path, [&](COutput& out) {
        dlg.OutputUnite(out, nullptr, 0);
    });
    ASSERT_TRUE(rtf.ok);
    auto hasLine = [&](const std::string& t) { return outtest::HasLine(rtf, t); };
    EXPECT_TRUE(hasLine("样例模型与荷载信息"));
    EXPECT_TRUE(hasLine("节点信息(mm)"));
    EXPECT_TRUE(hasLine("计算简图"));
    bool memberRow = false, nodeRow = false;
    for (const auto& r : rtf.rows) {
        memberRow = memberRow || (r.size() == 6 && r[0] == "5" && r[1] == "1-2");
        nodeRow = nodeRow || (r.size() == 10 && r[0] == "2" && r[3] == "3000.0");
    }
    EXPECT_TRUE(memberRow);
    EXPECT_TRUE(nodeRow);
}

} // namespace

// The envelope, displacement and reaction generators in export runs of the sample model:
// the files of each choice as counted, and their texts read back with ezdxf.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include <vyr/controls.h>
#include <vyr/drawing/DlgDrawResult2D.h>
#include <vyr/drawing/DlgDrawResult3D.h>
#include <vyr/model/base/VyrProduct.h>
#include <vyr/model/struct/SampleModel.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/DrawResultRes.h>
#include <vyr/winfile.h>

#include "drawing/DxfReadBack.h"
#include "drawing/ExportRunTest.h"

namespace fs = std::filesystem;
using vyr::ScriptedUser;
using vyrtest::DxfRead;
using vyrtest::DxfText;
using vyrtest::ReadDxf;

namespace {

CDlgDrawResult* Dlg(CDialog* d) { return static_cast<CDlgDrawResult*>(d); }

class EnvelopeRuns : public vyrtest::ExportRunTest
{
protected:
    EnvelopeRuns() : ExportRunTest("vyr_envruns_") {}
    // A 3-D run of the whole structure with only these boxes ticked and `choose` applied;
    // answers the counted and the stepped files.
    std::pair<int, int> Run3D(std::initializer_list<int> boxes, const std::function<void()>& choose = {})
    {
        CDlgDrawResult3D dlg(&Data());
        return RunExport(dlg, boxes, choose);
    }
    // The supported nodes of the sample, in list order.
    std::vector<CPNode*> Supports()
    {
        std::vector<CPNode*> out;
        for (POSITION pos = St().m_pNodeList->GetHeadPosition(); pos != nullptr;)
            if (CPNode* n = St().m_pNodeList->GetNextT(pos); n->GetSupport() != nullptr)
                out.push_back(n);
        return out;
    }
};

const std::string kWhole = "三维简图-整体结构/";

TEST_F(EnvelopeRuns, ForceEnvelopesAtAllAreSixFilesAndAtTOne)
{
    auto [expected, stepped] = Run3D({IDC_DRAW_BF_CLC});
    EXPECT_EQ(expected, 6);
    EXPECT_EQ(stepped, 6);
    std::vector<std::string> files = Files();
    ASSERT_EQ(files.size(), 6u);
    EXPECT_EQ(files[0], kWhole + "杆件内力-基本组合包络/杆件内力-包络-M2.dxf");
    const DxfRead m3 = ReadDxf(m_dir / (kWhole + "杆件内力-基本组合包络/杆件内力-包络-M3.dxf"));
    EXPECT_EQ(m3.errors, 0);
    EXPECT_FALSE(m3.OnLayer("DIM").empty()) << "the sample's beams bend";
    fs::remove_all(m_dir / "三维简图-整体结构");
    std::tie(expected, stepped) = Run3D({IDC_DRAW_BF_CLC}, [] { ScriptedUser::SelectRow(IDC_DRAW_BF_CLC_ITEM, 4); });
    EXPECT_EQ(expected, 1);
    EXPECT_EQ(Files(), std::vector<std::string>{kWhole + "杆件内力-基本组合包络/杆件内力-包络-T.dxf"});
}

TEST_F(EnvelopeRuns, DisplacementsOfEveryCaseAndCombinationGoToTheirFolders)
{
    auto [expected, stepped] = Run3D({IDC_DRAW_ND_BLC, IDC_DRAW_ND_LC});
    // Four basic cases and one standard combination.
    EXPECT_EQ(expected, 5);
    EXPECT_EQ(stepped, 5);
    const std::vector<std::string> files = Files();
    ASSERT_EQ(files.size(), 5u);
    EXPECT_EQ(files[0].rfind(kWhole + "空间位移-基本工况/空间位移-", 0), 0u) << files[0];
    EXPECT_EQ(files[4].rfind(kWhole + "空间位移-基本组合工况/空间位移-", 0), 0u) << files[4];
    const DxfRead dead = ReadDxf(m_dir / (kWhole + "空间位移-基本工况/空间位移-恒载.dxf"));
    EXPECT_EQ(dead.errors, 0);
    EXPECT_EQ(dead.OnLayer("MEMBER").size() % 11, 0u);
    EXPECT_FALSE(dead.OnLayer("MEMBER").empty());
}

TEST_F(EnvelopeRuns, DisplacementEnvelopesAreSixFilesInDirectionOrderWithANumberAtEveryNode)
{
    // One node alone moves under the standard combination (1.0 dead + 1.0 live): dead -0.3
    // along z.
    for (POSITION pos = St().m_pNodeList->GetHeadPosition(); pos != nullptr;)
        St().m_pNodeList->GetNextT(pos)->m_mapCaseDisp.clear();
    CPNode* moved = St().m_pNodeList->GetHeadT();
    moved->m_mapCaseDisp[0] = {0, 0, -0.3f, 0, 0, 0};
    const int number = Data().GetSDispLCList()->GetHeadT()->m_nNo;
    auto [expected, stepped] = Run3D({IDC_DRAW_ND_CLC});
    EXPECT_EQ(expected, 6);
    EXPECT_EQ(stepped, 6);
    const std::vector<std::string> files = Files();
    ASSERT_EQ(files.size(), 6u);
    for (const char* d : {"X向", "-X向", "Y向", "-Y向", "Z向", "-Z向"})
        EXPECT_TRUE(fs::exists(m_dir / (kWhole + "空间位移-基本组合包络/空间位移-包络" + d + ".dxf"))) << d;
    const DxfRead r = ReadDxf(m_dir / (kWhole + "空间位移-基本组合包络/空间位移-包络-Z向.dxf"));
    EXPECT_EQ(r.errors, 0);
    ASSERT_EQ(r.texts.size(), (size_t)St().m_pNodeList->GetCount()) << "every node, whatever its value";
    const std::string mine = "3.00(" + std::to_string(number) + ")";
    const std::string still = "0.00(" + std::to_string(number) + ")";
    int mineSeen = 0;
    for (const DxfText& t : r.texts) {
        mineSeen += t.text == mine;
        EXPECT_TRUE(t.text == mine || t.text == still) << t.text;
    }
    EXPECT_EQ(mineSeen, 1);
}

TEST_F(EnvelopeRuns, AModelWithoutStandardCombinationsStillWritesItsEnvelopesWithZeros)
{
    Data().GetSDispLCList()->RemoveAll();
    Run3D({IDC_DRAW_ND_CLC}, [] { ScriptedUser::SelectRow(IDC_DRAW_ND_CLC_ITEM, 6); });
    const DxfRead r = ReadDxf(m_dir / (kWhole + "空间位移-基本组合包络/空间位移-包络-Z向.dxf"));
    ASSERT_FALSE(r.texts.empty());
    for (const DxfText& t : r.texts)
        EXPECT_EQ(t.text, "0.00(0)");
    EXPECT_EQ(Files().size(), 1u);
}

TEST_F(EnvelopeRuns, FixedCombinationReactionsShowSixValuesWithMomentsInHundredths)
{
    const std::vector<CPNode*> supports = Supports();
    ASSERT_GE(supports.size(), 2u);
    supports[0]->m_mapCaseReact.clear();
    supports[0]->m_mapCaseReact[0] = {10.0f, 0, 250.0f, 0, 1500.0f, 0};
    supports[1]->m_mapCaseReact.clear(); // a support without results: no text
    auto [expected, stepped] = Run3D({IDC_DRAW_NSF1});
    EXPECT_EQ(expected, 1);
    EXPECT_EQ(stepped, 1);
    EXPECT_EQ(Files(), std::vector<std::string>{kWhole + "支座反力/支座反力-1.2D+1.4L.dxf"});
    const DxfRead r = ReadDxf(m_dir / (kWhole + "支座反力/支座反力-1.2D+1.4L.dxf"));
    EXPECT_EQ(r.texts.size(), supports.size() - 1);
    fs::remove_all(m_dir / "三维简图-整体结构");
    Run3D({IDC_DRAW_NSF0});
    const DxfRead d = ReadDxf(m_dir / (kWhole + "支座反力/支座反力-1.0D+1.0L.dxf"));
    ASSERT_EQ(d.texts.size(), supports.size() - 1);
    EXPECT_EQ(d.texts[0].text, "10.00/0.00/250.00/0.00/15.00/0.00");
    EXPECT_EQ(d.texts[0].x, supports[0]->m_pt.x);
    EXPECT_EQ(d.texts[0].y, supports[0]->m_pt.y);
    EXPECT_EQ(d.texts[0].layer, "TEXT");
    EXPECT_EQ(d.texts[0].halign, 1);
    EXPECT_EQ(d.texts[0].valign, 1);
}

TEST_F(EnvelopeRuns, ReactionEnvelopesNameTheGoverningCombinationAfterItsReactions)
{
    const std::vector<CPNode*> supports = Supports();
    ASSERT_GE(supports.size(), 2u);
    supports[1]->m_mapCaseReact.clear();
    auto [expected, stepped] = Run3D({IDC_DRAW_NSF});
    EXPECT_EQ(expected, 9);
    EXPECT_EQ(stepped, 9);
    EXPECT_EQ(Files().size(), 9u);
    // FzMax at the first support: the combination with the largest Fz, its six reactions.
    double values[9];
    CLoadCombination* lcs[9];
    ASSERT_TRUE(supports[0]->GetSupportForceMax(Data().GetSLCList(), values, lcs));
    float r[6];
    supports[0]->GetSupportForce(lcs[2], r);
    const std::string text = CDlgDrawResult::ReactionText(r).str() + "(" + std::to_string(lcs[2]->m_nNo) + ")";
    const DxfRead fz = ReadDxf(m_dir / (kWhole + "支座反力/支座反力-包络FzMax.dxf"));
    ASSERT_EQ(fz.texts.size(), supports.size() - 1) << "none at the support without results";
    EXPECT_EQ(fz.texts[0].text, text);
    fs::remove_all(m_dir / "三维简图-整体结构");
    std::tie(expected, stepped) = Run3D({IDC_DRAW_NSF}, [] { ScriptedUser::SelectRow(IDC_DRAW_NSF_ITEM, 5); });
    EXPECT_EQ(expected, 1);
    EXPECT_EQ(Files(), std::vector<std::string>{kWhole + "支座反力/支座反力-包络MyMax.dxf"});
}

// The foundation holds the supports and no member: its texts are sized by the structure's
// longest member, the sample's brace across a 600 cm bay and a 360 cm storey
// (0.025 x sqrt(600^2 + 360^2) = 17.49), not given a height of 0.
TEST_F(EnvelopeRuns, FoundationTextsTakeTheHeightOfTheStructuresLongestMember)
{
    CDlgDrawResult2D dlg(&Data());
    RunExport(dlg, {IDC_DRAW_NSF0, IDC_DRAW_ND_CLC}, [] { ScriptedUser::SelectRow(IDC_DRAW_SCOPE, 1); });
    const std::vector<std::string> files = Files();
    ASSERT_EQ(files.size(), 7u); // one reaction drawing, six displacement envelopes
    for (const std::string& f : files) {
        const DxfRead r = ReadDxf(m_dir / f);
        ASSERT_FALSE(r.texts.empty()) << f;
        for (const DxfText& t : r.texts)
            EXPECT_NEAR(t.height, 0.025 * std::sqrt(600.0 * 600.0 + 360.0 * 360.0), 1e-6) << f << ": " << t.text;
    }
}

TEST_F(EnvelopeRuns, TwoSupportsAtOneProjectedPointBothGetTheirTextsInAPlan)
{
    const std::vector<CPNode*> supports = Supports();
    ASSERT_GE(supports.size(), 2u);
    supports[1]->m_pt = CPoint3D(supports[0]->m_pt.x, supports[0]->m_pt.y, supports[0]->m_pt.z - 100.0);
    CDlgDrawResult2D dlg(&Data());
    ScriptedUser::Click(IDC_DRAW_UNSELALL);
    ScriptedUser::Check(IDC_DRAW_NSF0);
    ScriptedUser::SelectRow(IDC_DRAW_SCOPE, 1); // the foundation storey
    ScriptedUser::Click(IDC_DRAW_EXPORT);
    ScriptedUser::AnswerMessageBox(IDOK, "导出完毕，请到工程所在目录下查看输出图。");
    ScriptedUser::WaitUntil([](CDialog* d) { return !Dlg(d)->IsBusy(); });
    ScriptedUser::PressCancel();
    dlg.DoModal();
    const std::vector<std::string> files = Files();
    ASSERT_EQ(files.size(), 1u);
    const DxfRead r = ReadDxf(m_dir / files[0]);
    int there = 0;
    for (const DxfText& t : r.texts)
        there += t.x == (double)(long)supports[0]->m_pt.x && t.y == (double)(long)supports[0]->m_pt.y;
    EXPECT_EQ(there, 2);
}

} // namespace

// Storey eccentricity: the pairs of successive storeys and their hand-worked ratios, the
// towers, the limit as the model keeps it, the grid by direction, and the chapter (one tower
// or a row per tower) through the report viewer read back by unrtf.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <vyr/resources/dialogs/StoreyRes.h>
#include <vyr/scripteduser.h>
#include <vyr/storey/DlgLayerEccentricity.h>
#include <vyr/storey/DlgOutputDocument.h>
#include "support/StoreyModels.h"
#include "CapacityTest.h"

using vyr::ScriptedUser;
using vyrtest::CStoreyModel;
using vyrtest::CStoreyModelSpec;

namespace {

constexpr COLORREF kMarked = 0x00FF00FF, kUnmarked = CLR_DEFAULT;

class EccentricityTest : public storeytest::StoreyGridTest
{
protected:
    static std::vector<std::vector<std::string>> Rows(CDialog* d)
    {
        return StoreyGridTest::Rows(d, IDC_ECCENTRIC_GRID);
    }
    static void SetCentres(CFloor* f, float mx, float my, float rx, float ry, float ex, float ey)
    {
        f->m_fMassCx = mx;
        f->m_fMassCy = my;
        f->m_fRigidCx = rx;
        f->m_fRigidCy = ry;
        f->m_fElasticRx = ex;
        f->m_fElasticRy = ey;
    }
    // Five storeys, limit 0.25. A row pairs the mass centre of the storey above with the
    // rigidity centre and radii of its own storey (cm): rigidity centres at 0 and radii 4 m
    // and 5 m but storey 4's (0.1 m, 0 in X); mass centres of storeys 2 to 5 at (1, 0),
    // (1.04, 2), (-0.5, 0.5) and (0, 0) m.
    static void SetHandCase(CStoreyModel& m)
    {
        m.Struct().m_fEccentricLimit = 0.25f;
        SetCentres(m.Storey(1), 0, 0, 0, 0, 400, 500);
        SetCentres(m.Storey(2), 100, 0, 0, 0, 400, 500);
        SetCentres(m.Storey(3), 104, 200, 0, 0, 400, 500);
        SetCentres(m.Storey(4), -50, 50, 10, 0, 0, 500);
        SetCentres(m.Storey(5), 0, 0, 0, 0, 400, 500);
    }
    CDlgLayerEccentricity m_dlg;
};

const std::vector<std::vector<std::string>> kHandX = {
    {"第1层", "0.000/1.000", "1.000", "4.000", "0.250"}, // equal to the limit
    {"第2层", "0.000/1.040", "1.040", "4.000", "0.260"},
    {"第3层", "0.000/-0.500", "0.500", "4.000", "0.125"},
    {"第4层", "0.100/0.000", "0.100", "0.000", "1000000.000"}, // radius 0: over 1e-7
};
const std::vector<std::vector<std::string>> kHandY = {
    {"第1层", "0.000/0.000", "0.000", "5.000", "0.000"},
    {"第2层", "0.000/2.000", "2.000", "5.000", "0.400"},
    {"第3层", "0.000/0.500", "0.500", "5.000", "0.100"},
    {"第4层", "0.000/0.000", "0.000", "5.000", "0.000"},
};

TEST_F(EccentricityTest, WithoutBasementsPairsStartAtLevelTwoAndTheRestStayEmpty)
{
    CStoreyModel model;
    SetHandCase(model);
    m_dlg.m_pGlobalData = &model.Data();
    m_dlg.FillData();
    const auto& t = m_dlg.GetTable();
    ASSERT_EQ(t.size(), 6u) << "every entry of the list, the base's included";
    const int labels[] = {0, 0, 1, 2, 3, 4};
    for (size_t i = 0; i < t.size(); ++i)
        EXPECT_EQ(t[i].nLabel, labels[i]) << i;
    // Storey 3's row: the mass centre of storey 4, its own rigidity centre and radii.
    EXPECT_DOUBLE_EQ(t[4].dMassX, -0.5);
    EXPECT_DOUBLE_EQ(t[4].dRigidY, 0.0);
    EXPECT_DOUBLE_EQ(t[4].dRadiusY, 5.0);
}

TEST_F(EccentricityTest, TheGridShowsEachDirectionAndMarksOnlyRatiosAboveTheLimit)
{
    CStoreyModel model;
    SetHandCase(model);
    m_dlg.m_pGlobalData = &model.Data();
    std::vector<std::vector<std::string>> x, y;
    std::vector<COLORREF> xColours, yColours;
    CString limit;
    ScriptedUser::Run(
        [&](CDialog* d) {
            d->GetDlgItemText(IDC_ECCENTRIC_LIMIT, limit);
            x = Rows(d);
            xColours = Colours(d, IDC_ECCENTRIC_GRID, 4);
        },
        IDD_LAYERECCENTRICITY);
    ScriptedUser::SelectRow(IDC_ECCENTRIC_TAB, 1, IDD_LAYERECCENTRICITY);
    ScriptedUser::Run(
        [&](CDialog* d) {
            y = Rows(d);
            yColours = Colours(d, IDC_ECCENTRIC_GRID, 4);
        },
        IDD_LAYERECCENTRICITY);
    ScriptedUser::PressOK(IDD_LAYERECCENTRICITY);
    EXPECT_EQ(m_dlg.DoModal(), IDOK);
    EXPECT_EQ(limit, "楼层偏心率不宜超过0.250");
    EXPECT_EQ(x, kHandX);
    EXPECT_EQ(y, kHandY);
    EXPECT_EQ(xColours, (std::vector<COLORREF>{kUnmarked, kMarked, kUnmarked, kMarked}));
    EXPECT_EQ(yColours, (std::vector<COLORREF>{kUnmarked, kMarked, kUnmarked, kUnmarked}));
    EXPECT_EQ(model.Struct().m_fEccentricLimit, 0.25f) << "the dialog writes nothing back";
}

TEST_F(EccentricityTest, ATowerShowsItsStoreysUpToItsMainNodeAndLeavesOutAStoreyWithoutRadius)
{
    CStoreyModel model(CStoreyModelSpec().WithSecondTower(2)); // tower 2 up to storey 3
    auto tower = [&](int k) -> CFloor::CTowerData& { return model.Storey(k)->TowerData(2000.0, 0.0); };
    tower(1).fElasticRy = 0.0005f;
    tower(2).fRigidCx = 2000.0f;
    tower(2).fRigidCy = 100.0f;
    tower(2).fElasticRx = 300.0f;
    tower(2).fElasticRy = 200.0f;
    tower(3).fMassCx = 2060.0f;
    tower(3).fMassCy = 40.0f;
    m_dlg.m_pGlobalData = &model.Data();
    std::vector<std::vector<std::string>> first, second;
    ScriptedUser::Run([&](CDialog* d) { first = Rows(d); }, IDD_LAYERECCENTRICITY);
    ClickRow(IDC_ECCENTRIC_TOWERGRID, 2, IDD_LAYERECCENTRICITY);
    ScriptedUser::Run([&](CDialog* d) { second = Rows(d); }, IDD_LAYERECCENTRICITY);
    ScriptedUser::PressOK(IDD_LAYERECCENTRICITY);
    EXPECT_EQ(m_dlg.DoModal(), IDOK);
    EXPECT_EQ(first.size(), 4u) << "the first tower reaches the top";
    // Pairs up to storey 3 (the main node's height); storey 1's Y radius is below 0.001 cm.
    const std::vector<std::vector<std::string>> expected = {
        {"第2层", "20.000/20.600", "0.600", "3.000", "0.200"},
    };
    EXPECT_EQ(second, expected);
}

TEST_F(EccentricityTest, SeveralTowersWriteARowPerTowerNamedByTheNearestTowerBasementsIncluded)
{
    CStoreyModelSpec spec;
    spec.nStorey = 3;
    spec.nBasement = 1;
    spec.towers = {{0.0, 0.0, 0}, {2000.0, 0.0, 2}};
    // Two more main nodes of storey 2 (level 3, over level 2), one equally near both towers,
    // one nearer the second; they outlive the model, which does not own them.
    auto tie = std::make_unique<CMainNode>(20001, CPoint3D(1000.0, 0.0, 1200.0));
    auto nearer = std::make_unique<CMainNode>(20002, CPoint3D(1500.0, 0.0, 1200.0));
    CStoreyModel model(spec);
    model.Storey(2)->m_pMainNodeList->AddTail(tie.get());
    model.Storey(2)->m_pMainNodeList->AddTail(nearer.get());
    m_dlg.m_pGlobalData = &model.Data();
    const outtest::RtfReading r = outtest::ReadRtf(RtfChapter(m_dlg, 1, "towers.rtf"));
    std::vector<std::string> labels;
    for (const auto& row : r.rows)
        if (!row.empty() && row[0] != "楼 层")
            labels.push_back(row[0]);
    // Levels: the base 0, the basement 1, storeys 1 to 3 at 2 to 4. Storey 3 has one tower.
    const std::vector<std::string> once = {"第0层1塔", "第0层2塔", "第1层1塔", "第1层2塔", "第2层1塔",
                                           "第2层2塔", "第2层1塔", "第2层2塔", "第3层"};
    std::vector<std::string> expected = once;
    expected.insert(expected.end(), once.begin(), once.end()); // the Y table
    EXPECT_EQ(labels, expected);
    // The basement over the base at tower 1: the mass centre the round results keep at the
    // tower (10 cm east of its main node) over the base's rigidity centre at the main node.
    ASSERT_GE(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[1][1], "0.000/0.100");
}

TEST_F(EccentricityTest, ALevelGapNeverWritesPastTheTable)
{
    CStoreyModelSpec spec;
    spec.nStorey = 1;
    spec.nBasement = 2;
    CStoreyModel model(spec);
    // Levels 4 to 7 from the base: every upper entry now stands above the basements, one
    // pair more than the table's two entries.
    int level = 4;
    for (POSITION pos = model.Struct().m_pFloorList->GetHeadPosition(); pos != nullptr;)
        model.Struct().m_pFloorList->GetNextT(pos)->m_nLevel = level++;
    m_dlg.m_pGlobalData = &model.Data();
    m_dlg.FillData();
    const auto& t = m_dlg.GetTable();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].nLabel, 5);
    EXPECT_EQ(t[1].nLabel, 6);
}

TEST_F(EccentricityTest, ALoneStoreyListGivesEmptyTables)
{
    CStoreyModel model(CStoreyModelSpec().WithStoreys(0));
    m_dlg.m_pGlobalData = &model.Data();
    std::vector<std::vector<std::string>> rows = {{"?"}};
    ScriptedUser::Run([&](CDialog* d) { rows = Rows(d); }, IDD_LAYERECCENTRICITY);
    ScriptedUser::PressOK(IDD_LAYERECCENTRICITY);
    EXPECT_EQ(m_dlg.DoModal(), IDOK);
    EXPECT_TRUE(rows.empty());
    const outtest::RtfReading r = outtest::ReadRtf(RtfChapter(m_dlg, 1, "alone.rtf"));
    EXPECT_EQ(r.rows.size(), 2u) << "the column heads of the X and the Y table only";
}

// The limit a constructed object that was never opened writes, for what the model keeps.
TEST_F(EccentricityTest, ANeverOpenedObjectWritesWithTheModelsLimit)
{
    struct Case
    {
        float stored;
        const char* line;
    };
    const Case cases[] = {{0.2f, "楼层偏心率不宜超过0.200"},
                          {0.0f, "楼层偏心率不宜超过0.150"},
                          {2e4f, "楼层偏心率不宜超过0.150"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        CStoreyModel model;
        SetHandCase(model);
        model.Struct().m_fEccentricLimit = c.stored;
        CDlgLayerEccentricity dlg;
        dlg.m_pGlobalData = &model.Data();
        const std::string text = TextChapter(dlg, 1);
        EXPECT_NE(text.find(c.line), std::string::npos) << text;
        EXPECT_EQ(text.find(std::string(68, '=')), std::string::npos) << "a section has no report head";
        EXPECT_EQ(model.Struct().m_fEccentricLimit, c.stored);
    }
    // With 0.1 the ratio 0.125 of storey 3 is marked too.
    CStoreyModel model;
    SetHandCase(model);
    model.Struct().m_fEccentricLimit = 0.1f;
    CDlgLayerEccentricity dlg;
    dlg.m_pGlobalData = &model.Data();
    const auto rows = storeytest::ColouredRowsOfRtf(RtfChapter(dlg, 0, "limit.rtf"));
    ASSERT_GE(rows.size(), 5u);
    EXPECT_EQ(rows[3][4].text, "0.125");
    EXPECT_EQ(rows[3][4].colour, "#ff00ff");
}

TEST_F(EccentricityTest, TheChapterThroughTheViewerHoldsTheWindowsTables)
{
    CStoreyModel model;
    SetHandCase(model);
    m_dlg.m_pGlobalData = &model.Data();
    const std::string path = m_tmp.File("viewer.rtf");
    CString caption;
    ScriptedUser::Click(IDC_ECCENTRIC_OUTPUT, IDD_LAYERECCENTRICITY);
    ScriptedUser::Run([&](CDialog* d) { d->GetWindowText(caption); }, IDD_OUTPUTDOCUMENT);
    ScriptedUser::Click(IDC_DOC_RTF, IDD_OUTPUTDOCUMENT);
    ScriptedUser::AnswerFileDialog(path.c_str());
    ScriptedUser::PressOK(IDD_OUTPUTDOCUMENT);
    ScriptedUser::PressOK(IDD_LAYERECCENTRICITY);
    EXPECT_EQ(m_dlg.DoModal(), IDOK);
    EXPECT_EQ(caption, "层偏心率统计报告");
    const outtest::RtfReading r = outtest::ReadRtf(path);
    ASSERT_FALSE(r.lines.empty());
    EXPECT_EQ(r.lines[0], "楼层模型楼层偏心率统计信息");
    std::vector<std::string> wanted = {std::string(68, '='), "计算参数说明：", "楼层偏心率不宜超过0.250",
                                       "楼层X向偏心率统计(单位 ：米)", "楼层Y向偏心率统计(单位 ：米)"};
    for (const std::string& w : wanted) {
        bool found = false;
        for (const auto& l : r.lines)
            found |= l == w;
        EXPECT_TRUE(found) << w;
    }
    const std::vector<std::string> head = {"楼 层", "刚心/质心坐标", "质心与刚心距离", "楼层弹性半径", "偏心率"};
    std::vector<std::vector<std::string>> expected = {head};
    expected.insert(expected.end(), kHandX.begin(), kHandX.end());
    expected.push_back(head);
    expected.insert(expected.end(), kHandY.begin(), kHandY.end());
    EXPECT_EQ(r.rows, expected);
    const auto coloured = storeytest::ColouredRowsOfRtf(path);
    ASSERT_EQ(coloured.size(), expected.size());
    std::vector<std::string> marks;
    for (const auto& row : coloured)
        marks.push_back(row[4].colour);
    EXPECT_EQ(marks, (std::vector<std::string>{"", "", "#ff00ff", "", "#ff00ff", "", "", "#ff00ff", "", ""}));
}

} // namespace

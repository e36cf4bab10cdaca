// The storey lateral stiffness ratio: the three methods and the ratios worked by hand, the
// load cases and the method list, the towers, the limits and their edits, the grid, and the
// chapter read back by unrtf.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include <vyr/controls.h>
#include <vyr/model/grid/gridctrl.h>
#include <vyr/model/output/output.h>
#include <vyr/resources/dialogs/StoreyRes.h>
#include <vyr/scripteduser.h>
#include <vyr/storey/DlgLayerStiffStatOutput.h>
#include <vyr/storey/DlgOutputDocument.h>
#include "storey/StoreyTest.h"
#include "support/StoreyModels.h"
#include "support/TestHelpers.h"

using vyr::ScriptedUser;
using vyrtest::CStoreyModel;
using vyrtest::CStoreyModelSpec;

namespace {

class StiffTest : public storeytest::StoreyTest
{
protected:
    static CDlgLayerStiffStatOutput* Dlg(CDialog* d) { return static_cast<CDlgLayerStiffStatOutput*>(d); }
    static CGridCtrl* Grid(CDialog* d) { return dynamic_cast<CGridCtrl*>(d->GetDlgItem(IDC_STIFF_GRID)); }
    static CComboBox* Methods(CDialog* d) { return static_cast<CComboBox*>(d->GetDlgItem(IDC_STIFF_METHOD)); }
    // The grid's rows below its heading, each as its texts.
    static std::vector<std::vector<std::string>> Rows(CDialog* d)
    {
        return storeytest::GridRows(Grid(d));
    }
    static void ClickTowerRow(int row)
    {
        ScriptedUser::Run(
            [row](CDialog* d) {
                auto* g = dynamic_cast<CGridCtrl*>(d->GetDlgItem(IDC_STIFF_TOWERGRID));
                CRect r;
                ASSERT_TRUE(g->GetCellRect(row, 0, &r));
                const CPoint p = r.CenterPoint();
                g->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
                g->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
            },
            IDD_LAYERSTIFFSTAT);
    }
    std::string Chapter(CDlgLayerStiffStatOutput& dlg, int flag)
    {
        return outtest::JoinLines(outtest::WriteAndReadText(m_tmp.File("stiff-chapter.txt"), [&](COutput& out) { dlg.Output(&out, flag); }));
    }

    outtest::TempDir m_tmp;
};

// Storeys 1 to 5 of 6, 4, 5, 2 and 4 kN/cm: 600, 400, 500, 200 and 400 kN/m.
TEST_F(StiffTest, ModelStiffnessRatiosToTheStoreyAboveAndToTheMeanAbove)
{
    CStoreyModel model;
    model.SetStiffness({6, 4, 5, 2, 4});
    CDlgLayerStiffStatOutput dlg(&model.Data());
    dlg.FillData();
    const auto& t = dlg.GetTable();
    ASSERT_EQ(t.size(), 5u);
    struct Row
    {
        int no;
        float stiff, ratio, ratio3;
    };
    const Row expected[] = {
        {1, 600, 600.0f / 400, 3 * 600.0f / (400 + 500 + 200)}, // three above
        {2, 400, 400.0f / 500, 3 * 400.0f / (500 + 200 + 400)},
        {3, 500, 500.0f / 200, 2 * 500.0f / (200 + 400)},       // two above: the mean of two
        {4, 200, 200.0f / 400, 200.0f / 400},                   // below the top: both alike
        {5, 400, 1.0f, 1.0f},                                   // the top
    };
    for (size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(t[i].nNo, expected[i].no);
        EXPECT_FLOAT_EQ(t[i].fStiffX, expected[i].stiff);
        EXPECT_FLOAT_EQ(t[i].fRatioX, expected[i].ratio);
        EXPECT_FLOAT_EQ(t[i].fRatio3X, expected[i].ratio3);
        EXPECT_FLOAT_EQ(t[i].fRatioY, expected[i].ratio);
        EXPECT_FLOAT_EQ(t[i].fRatio3Y, expected[i].ratio3);
    }
}

TEST_F(StiffTest, NoStiffnessIsMinusOneAndADivisorNearZeroGivesOne)
{
    CStoreyModel model;
    // The top storey has none (-1.0); the one below 0.01 kN/cm (1 kN/m): the sum of the two
    // above storey 3 is zero.
    model.SetStiffness({6, 4, 5, 0.01f, 0.0f});
    CDlgLayerStiffStatOutput dlg(&model.Data());
    dlg.FillData();
    const auto& t = dlg.GetTable();
    EXPECT_FLOAT_EQ(t[4].fStiffX, -1.0f);
    EXPECT_FLOAT_EQ(t[3].fStiffX, 1.0f);
    EXPECT_FLOAT_EQ(t[3].fRatioX, -1.0f);  // 1 / -1
    EXPECT_FLOAT_EQ(t[2].fRatioX, 500.0f); // 500 / 1
    EXPECT_FLOAT_EQ(t[2].fRatio3X, 1.0f);  // 2 * 500 / (1 - 1)
}

TEST_F(StiffTest, SeismicMethodIsShearOverDriftAndAZeroShearAboveGivesOne)
{
    CStoreyModel model(CStoreyModelSpec().WithStoreys(3));
    const int pos = model.SeismPos(0);
    const int caseIndex = model.Seism(0)->m_nNo - 1;
    const float shear[] = {300, 200, 0};     // kN
    const float drift[] = {0.3f, 0.25f, 0.2f}; // cm
    for (int k = 1; k <= 3; ++k) {
        CFloor* f = model.Storey(k);
        f->m_fSeismShearX[pos] = shear[k - 1];
        f->m_fSeismShearY[pos] = 0.0f;
        f->SetFloorRelativeDisp(caseIndex, 1, drift[k - 1], 0);
    }
    CDlgLayerStiffStatOutput dlg(&model.Data());
    dlg.ChooseCases(3);
    ASSERT_EQ(dlg.m_pSeismX, model.Seism(0));
    dlg.m_nMethod = CDlgLayerStiffStatOutput::METHOD_DRIFT;
    dlg.FillData();
    const auto& t = dlg.GetTable();
    EXPECT_NEAR(t[0].fStiffX, 300 / 0.003, 1.0);
    EXPECT_NEAR(t[1].fStiffX, 200 / 0.0025, 1.0);
    EXPECT_FLOAT_EQ(t[2].fStiffX, 0.0f);
    EXPECT_FLOAT_EQ(t[1].fRatioX, 1.0f) << "the storey above has no stiffness";
    EXPECT_NEAR(t[0].fRatioX, 100000.0 / 80000.0, 1e-4);
}

TEST_F(StiffTest, AngleMethodRemovesTheBendingDriftWorkedByHand)
{
    CStoreyModel model(CStoreyModelSpec().WithStoreys(3));
    CBasicLoadCase* wind = model.Wind(0);
    const float shear[] = {30, 20, 10};      // kN
    const float drift[] = {0.6f, 0.5f, 0.4f}; // cm
    for (int k = 1; k <= 3; ++k) {
        CFloor* f = model.Storey(k);
        f->SetTotalShear(wind->m_nNo, shear[k - 1], 0.0f);
        f->SetFloorRelativeDisp(wind->m_nNo - 1, 1, drift[k - 1], 0);
    }
    // Bending stiffness 1e11 kN*cm2 (1e7 kN*m2) below each storey, the base's included.
    for (int i = 1; i <= 4; ++i)
        model.Struct().m_pFloorList->Get(i)->m_fEIX = 1e11f;
    CDlgLayerStiffStatOutput dlg(&model.Data());
    dlg.ChooseCases(3);
    ASSERT_EQ(dlg.m_pWindX, wind);
    dlg.m_nMethod = CDlgLayerStiffStatOutput::METHOD_ANGLE;
    dlg.FillData();
    // Storey heights 3 m; moments at the storey bottoms M = 180, 90, 30 kN*m (0 above).
    // theta_1 = (180 + 135) * 3 * 0.5 / 1e7
    // theta_2 = (90 + 60) * 3 * 0.5 / 1e7 + (180 + 90) * 3 * 0.5 / 1e7
    // theta_3 = (30 + 15) * 3 * 0.5 / 1e7 + (180 + 90 + 90 + 30) * 3 * 0.5 / 1e7
    const double theta[] = {472.5e-7, 225e-7 + 405e-7, 67.5e-7 + 405e-7 + 180e-7};
    const double d[] = {0.006, 0.005, 0.004};
    const auto& t = dlg.GetTable();
    for (int j = 0; j < 3; ++j) {
        const double expected = shear[j] * 3.0 / (d[j] - 3.0 * theta[j]);
        EXPECT_NEAR(t[(size_t)j].fStiffX, expected, expected * 1e-4) << "storey " << j + 1;
    }
}

TEST_F(StiffTest, ALoneYSeismicCaseServesForXWithItsYShearOverTheXDrift)
{
    CStoreyModel model(CStoreyModelSpec().WithStoreys(3));
    CBasicLoadCase* caseX = model.Seism(0);
    CBasicLoadCase* caseY = model.Seism(1);
    model.Struct().m_pBasicLCList->RemoveAt(model.Struct().m_pBasicLCList->Find(caseX));
    delete caseX;
    const int pos = model.SeismPos(1);
    for (int k = 1; k <= 3; ++k) {
        model.Storey(k)->m_fSeismShearX[pos] = 5.0f;
        model.Storey(k)->m_fSeismShearY[pos] = 100.0f;
        model.Storey(k)->SetFloorRelativeDisp(caseY->m_nNo - 1, 1, 0.5f, 0);
    }
    CDlgLayerStiffStatOutput dlg(&model.Data());
    dlg.ChooseCases(3);
    EXPECT_EQ(dlg.m_pSeismX, caseY);
    EXPECT_EQ(dlg.m_pSeismY, caseY);
    dlg.m_nMethod = CDlgLayerStiffStatOutput::METHOD_DRIFT;
    dlg.FillData();
    EXPECT_NEAR(dlg.GetTable()[0].fStiffX, 100.0 / 0.005, 0.1);
}

TEST_F(StiffTest, ATowerBelowTheTopLeavesTheTopStoreysOutAndAnswersItsOwnStiffness)
{
    CStoreyModel model(CStoreyModelSpec().WithSecondTower(2));
    CDlgLayerStiffStatOutput dlg(&model.Data());
    dlg.m_pCurMainNode = model.Tower(1);
    dlg.FillData();
    const auto& t = dlg.GetTable();
    EXPECT_EQ(t[3].nNo, 0);
    EXPECT_EQ(t[4].nNo, 0);
    // The tower takes 2/3 of each storey's stiffness; storey 3 is its top.
    for (int k = 1; k <= 3; ++k)
        EXPECT_FLOAT_EQ(t[(size_t)k - 1].fStiffX, model.Storey(k)->m_fStiffX * 100.0f * 2.0f / 3.0f) << k;
    EXPECT_FLOAT_EQ(t[2].fRatioX, 1.0f);
    EXPECT_FLOAT_EQ(t[2].fRatio3X, 1.0f);
    EXPECT_FLOAT_EQ(t[1].fRatioX, t[1].fStiffX / t[2].fStiffX);
    EXPECT_FLOAT_EQ(t[1].fRatio3X, t[1].fRatioX);
}

TEST_F(StiffTest, ChoosingATowerRowComputesForThatTower)
{
    CStoreyModel model(CStoreyModelSpec().WithSecondTower(2));
    CDlgLayerStiffStatOutput dlg(&model.Data());
    std::vector<std::vector<std::string>> first, second;
    ScriptedUser::Run([&](CDialog* d) { first = Rows(d); }, IDD_LAYERSTIFFSTAT);
    ClickTowerRow(2);
    ScriptedUser::Run([&](CDialog* d) { second = Rows(d); }, IDD_LAYERSTIFFSTAT);
    ScriptedUser::PressOK(IDD_LAYERSTIFFSTAT);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(first.size(), 5u) << "the first tower reaches the top";
    ASSERT_EQ(second.size(), 3u);
    EXPECT_EQ(second[2][0], "第3层");
    EXPECT_EQ(second[2][2], "1.000");
    EXPECT_EQ(dlg.m_pCurMainNode, model.Tower(1));
}

// Which methods the list offers and which one each entry runs.
TEST_F(StiffTest, TheMethodListFollowsTheLoadCases)
{
    struct Case
    {
        bool wind, seism;
        std::vector<std::string> entries;
        std::vector<int> methods;
    };
    const Case cases[] = {
        {true, true, {"高规附录E.0.1的建议方法", "高规和抗震规范的建议方法", "高规附录E.0.2的建议方法"}, {0, 1, 2}},
        {true, false, {"高规附录E.0.1的建议方法", "高规附录E.0.2的建议方法"}, {0, 2}},
        {false, true, {"高规附录E.0.1的建议方法", "高规和抗震规范的建议方法"}, {0, 1}},
        {false, false, {"高规附录E.0.1的建议方法"}, {0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.wind ? "wind " : "") + (c.seism ? "seismic" : ""));
        CStoreyModel model(CStoreyModelSpec().WithWind(c.wind).WithSeismPairs(c.seism ? 1 : 0));
        CDlgLayerStiffStatOutput dlg(&model.Data());
        std::vector<std::string> entries;
        std::vector<int> methods;
        std::vector<std::string> heads;
        ScriptedUser::Run(
            [&](CDialog* d) {
                CComboBox* combo = Methods(d);
                for (int i = 0; i < combo->GetCount(); ++i) {
                    CString text;
                    combo->GetLBText(i, text);
                    entries.push_back(text.str());
                }
            },
            IDD_LAYERSTIFFSTAT);
        for (size_t i = c.entries.size(); i-- > 0;) {
            ScriptedUser::SelectRow(IDC_STIFF_METHOD, (int)i, IDD_LAYERSTIFFSTAT);
            ScriptedUser::Run(
                [&](CDialog* d) {
                    methods.insert(methods.begin(), Dlg(d)->m_nMethod);
                    heads.insert(heads.begin(), Grid(d)->GetItemText(0, 1).str());
                },
                IDD_LAYERSTIFFSTAT);
        }
        ScriptedUser::PressOK(IDD_LAYERSTIFFSTAT);
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(entries, c.entries);
        EXPECT_EQ(methods, c.methods);
        for (size_t i = 0; i < methods.size(); ++i)
            EXPECT_EQ(heads[i], methods[i] == 2 ? "层等效转角刚度(kN/rad)" : "层等效侧向刚度(kN/m)");
        EXPECT_EQ(dlg.m_bNoWind, !c.wind);
        EXPECT_EQ(dlg.m_bNoSeism, !c.seism);
    }
}

TEST_F(StiffTest, TheGridShowsTheChosenDirectionAndMarksRatiosBelowTheLimits)
{
    CStoreyModel model;
    model.SetStiffness({6, 4, 5, 2, 4});
    model.Storey(1)->m_fStiffY = 1.0f; // Y: storey 1 is soft
    CDlgLayerStiffStatOutput dlg(&model.Data());
    std::vector<std::vector<std::string>> x, y;
    std::vector<COLORREF> xColours, yColours;
    auto read = [&](std::vector<std::vector<std::string>>& rows, std::vector<COLORREF>& colours) {
        return [&](CDialog* d) {
            rows = Rows(d);
            for (int r = 1; r < Grid(d)->GetRowCount(); ++r)
                for (int c = 2; c <= 3; ++c)
                    colours.push_back(Grid(d)->GetItemBkColour(r, c));
        };
    };
    ScriptedUser::Run(read(x, xColours), IDD_LAYERSTIFFSTAT);
    ScriptedUser::SelectRow(IDC_STIFF_TAB, 1, IDD_LAYERSTIFFSTAT);
    ScriptedUser::Run(read(y, yColours), IDD_LAYERSTIFFSTAT);
    ScriptedUser::PressOK(IDD_LAYERSTIFFSTAT);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(x.size(), 5u);
    EXPECT_EQ(x[0], (std::vector<std::string>{"第1层", "6.000e+02", "1.500", "1.636"}));
    EXPECT_EQ(x[3], (std::vector<std::string>{"第4层", "2.000e+02", "0.500", "0.500"}));
    EXPECT_EQ(y[0], (std::vector<std::string>{"第1层", "1.000e+02", "0.250", "0.273"}));
    EXPECT_EQ(dlg.m_nLastTab, 1);
    const COLORREF m = 0x00FF00FF, none = CLR_DEFAULT;
    // Limits 0.7 and 0.8: storey 4 in X (0.5, 0.5); storey 1 (0.25, 0.273) and 4 in Y.
    EXPECT_EQ(xColours, (std::vector<COLORREF>{none, none, none, none, none, none, m, m, none, none}));
    EXPECT_EQ(yColours, (std::vector<COLORREF>{m, m, none, none, none, none, m, m, none, none}));
}

TEST_F(StiffTest, EditedLimitsAreStoredWhenTheyChangeByMoreThanAThousandth)
{
    CStoreyModel model;
    CDlgLayerStiffStatOutput dlg(&model.Data());
    CStruct& s = model.Struct();
    std::vector<float> stored;
    auto keep = [&] { ScriptedUser::Run([&](CDialog*) { stored.push_back(s.m_fStiffRatioUp); }, IDD_LAYERSTIFFSTAT); };
    ScriptedUser::SetText(IDC_STIFF_LIMITUP, "0.7005", IDD_LAYERSTIFFSTAT); // too small a change
    keep();
    ScriptedUser::SetText(IDC_STIFF_LIMITUP, "0.", IDD_LAYERSTIFFSTAT); // half typed
    keep();
    ScriptedUser::SetText(IDC_STIFF_LIMITUP, "0.65", IDD_LAYERSTIFFSTAT);
    keep();
    ScriptedUser::SetText(IDC_STIFF_LIMITUP, "1.5", IDD_LAYERSTIFFSTAT); // outside [0, 1]
    ScriptedUser::AnswerMessageBox(IDOK);
    keep();
    ScriptedUser::SetText(IDC_STIFF_LIMITUP, "abc", IDD_LAYERSTIFFSTAT); // not a number
    ScriptedUser::AnswerMessageBox(IDOK);
    keep();
    ScriptedUser::SetText(IDC_STIFF_LIMITUP, "0.6", IDD_LAYERSTIFFSTAT);
    ScriptedUser::SetText(IDC_STIFF_LIMITUP3, "0.9", IDD_LAYERSTIFFSTAT);
    ScriptedUser::PressOK(IDD_LAYERSTIFFSTAT);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(stored, (std::vector<float>{0.7f, 0.7f, 0.65f, 0.65f, 0.65f}));
    EXPECT_FLOAT_EQ(s.m_fStiffRatioUp, 0.6f);
    EXPECT_FLOAT_EQ(s.m_fStiffRatioUp3, 0.9f);
    const auto boxes = ScriptedUser::MessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
}

TEST_F(StiffTest, AStoredLimitOfZeroIsReplacedOnlyWhileTheWindowWasNeverOpened)
{
    CStoreyModel model;
    model.Struct().m_fStiffRatioUp = 0.0f;
    model.Struct().m_fStiffRatioUp3 = 0.0f;
    CDlgLayerStiffStatOutput never(&model.Data());
    const std::string chapter = Chapter(never, 1);
    EXPECT_NE(chapter.find("楼层侧向刚度不宜小于上部楼层的0.700倍和其上相邻三层平均值的0.800倍"), std::string::npos);

    CDlgLayerStiffStatOutput opened(&model.Data());
    CString shown;
    ScriptedUser::Run([&](CDialog* d) { d->GetDlgItemText(IDC_STIFF_LIMITUP, shown); }, IDD_LAYERSTIFFSTAT);
    ScriptedUser::PressOK(IDD_LAYERSTIFFSTAT);
    EXPECT_EQ(opened.DoModal(), IDOK);
    EXPECT_FLOAT_EQ((float)atof(shown.GetString()), 0.0f);
    EXPECT_NE(Chapter(opened, 1).find("上部楼层的0.000倍和其上相邻三层平均值的0.000倍"), std::string::npos);
}

// The chapter's tables and numbers on the hand-checked storeys, read back by unrtf.
TEST_F(StiffTest, TheChapterHoldsEveryMethodsTablesWithTheHandValues)
{
    CStoreyModel model(CStoreyModelSpec().WithStoreys(3).WithSeismPairs(0));
    model.Data().ProjectName() = "样例";
    model.SetStiffness({6, 4, 2});
    CDlgLayerStiffStatOutput dlg(&model.Data());
    const std::string path = m_tmp.File("stiff-chapter.rtf");
    {
        COutput out;
        ASSERT_TRUE(out.InitDevice(DEVICE_RTF, path.c_str(), 1));
        dlg.Output(&out, 0);
    }
    const outtest::RtfReading r = outtest::ReadRtf(path);
    ASSERT_TRUE(r.ok);
    ASSERT_FALSE(r.lines.empty());
    EXPECT_EQ(r.lines[0], "样例楼层抗侧刚度信息");
    auto has = [&](const std::string& line) {
        for (const auto& l : r.lines)
            if (l == line)
                return true;
        return false;
    };
    EXPECT_TRUE(has(std::string(68, '=')));
    EXPECT_TRUE(has("使用高规附录E.0.1的建议方法计算抗侧刚度"));
    EXPECT_FALSE(has("使用高规和抗震规范的建议方法计算抗侧刚度")) << "no seismic case";
    EXPECT_TRUE(has("使用高规附录E.0.2的建议方法计算抗侧刚度"));
    EXPECT_TRUE(has("楼层X向抗侧刚度表(单位 力：千牛; 长度：米;)"));
    // Method 0, X: 600, 400, 200 kN/m.
    const std::vector<std::vector<std::string>> method0 = {
        {"楼 层", "本层刚度(kN/m)", "本层刚度/上层刚度", "本层刚度/上三层平均刚度"},
        {"第1层", "600.000", "1.500", "2.000"},
        {"第2层", "400.000", "2.000", "2.000"},
        {"第3层", "200.000", "1.000", "1.000"},
    };
    ASSERT_GE(r.rows.size(), 4u);
    for (size_t i = 0; i < method0.size(); ++i)
        EXPECT_EQ(r.rows[i], method0[i]) << i;
    size_t radHeads = 0;
    for (const auto& row : r.rows)
        radHeads += !row.empty() && row.size() > 1 && row[1] == "本层刚度(kN/rad)";
    EXPECT_EQ(radHeads, 2u) << "method 2 writes an X and a Y table";
}

TEST_F(StiffTest, AStandAloneReportHighlightsOnlyTheTableTheWindowShowed)
{
    CStoreyModel model; // the round results: a soft storey in every method
    CDlgLayerStiffStatOutput dlg(&model.Data());
    const std::string path = m_tmp.File("stiff-y1.rtf");
    std::filesystem::remove(path);
    ScriptedUser::SelectRow(IDC_STIFF_TAB, 1, IDD_LAYERSTIFFSTAT);
    ScriptedUser::SelectRow(IDC_STIFF_METHOD, 1, IDD_LAYERSTIFFSTAT);
    ScriptedUser::Click(IDC_STOREY_OUTPUT, IDD_LAYERSTIFFSTAT);
    ScriptedUser::Click(IDC_DOC_RTF, IDD_OUTPUTDOCUMENT);
    ScriptedUser::AnswerFileDialog(path.c_str());
    ScriptedUser::PressOK(IDD_OUTPUTDOCUMENT);
    ScriptedUser::PressOK(IDD_LAYERSTIFFSTAT);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    const auto tables = storeytest::TablesOfRtf(path, "#ff00ff");
    ASSERT_EQ(tables.size(), 6u);
    for (size_t i = 0; i < tables.size(); ++i)
        EXPECT_EQ(tables[i].coloured, i == 3) << i << " " << tables[i].heading;
    EXPECT_EQ(tables[3].heading, "楼层Y向抗侧刚度表(单位 力：千牛; 长度：米;)");

    // As a section of the whole report every table is.
    const std::string whole = m_tmp.File("stiff-whole.rtf");
    {
        COutput out;
        ASSERT_TRUE(out.InitDevice(DEVICE_RTF, whole.c_str(), 1));
        dlg.Output(&out, 1);
    }
    for (const auto& t : storeytest::TablesOfRtf(whole, "#ff00ff"))
        EXPECT_TRUE(t.coloured) << t.heading;
}

TEST_F(StiffTest, PerTowerTablesAndTheWindowKeepsItsTowerAfterTheChapter)
{
    CStoreyModel model(CStoreyModelSpec().WithSecondTower(2));
    CDlgLayerStiffStatOutput dlg(&model.Data());
    const std::string path = m_tmp.File("stiff-towers.rtf");
    std::filesystem::remove(path);
    std::vector<std::vector<std::string>> after;
    ScriptedUser::Click(IDC_STOREY_OUTPUT, IDD_LAYERSTIFFSTAT);
    ScriptedUser::Click(IDC_DOC_RTF, IDD_OUTPUTDOCUMENT);
    ScriptedUser::AnswerFileDialog(path.c_str());
    ScriptedUser::PressOK(IDD_OUTPUTDOCUMENT);
    // The window goes on computing for the tower it shows (the first), not the last one the
    // chapter wrote.
    ScriptedUser::SelectRow(IDC_STIFF_METHOD, 0, IDD_LAYERSTIFFSTAT);
    ScriptedUser::Run([&](CDialog* d) { after = Rows(d); }, IDD_LAYERSTIFFSTAT);
    ScriptedUser::PressOK(IDD_LAYERSTIFFSTAT);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_pCurMainNode, model.Tower(0));
    EXPECT_EQ(after.size(), 5u);
    const auto tables = storeytest::TablesOfRtf(path, "#ff00ff");
    ASSERT_GE(tables.size(), 4u);
    EXPECT_EQ(tables[0].heading, "第1塔楼楼层X向抗侧刚度表(单位 力：千牛; 长度：米;)");
    EXPECT_EQ(tables[1].heading, "第2塔楼楼层X向抗侧刚度表(单位 力：千牛; 长度：米;)");
    EXPECT_EQ(tables[2].heading, "第1塔楼楼层Y向抗侧刚度表(单位 力：千牛; 长度：米;)");
    EXPECT_EQ(tables[3].heading, "第2塔楼楼层Y向抗侧刚度表(单位 力：千牛; 长度：米;)");
    // Each table's rows below its heading row: five storeys in tower 1, three in tower 2.
    const outtest::RtfReading r = outtest::ReadRtf(path);
    std::vector<size_t> rowsPerTable;
    for (const auto& row : r.rows) {
        if (!row.empty() && row[0] == "楼 层")
            rowsPerTable.push_back(0);
        else if (!rowsPerTable.empty())
            ++rowsPerTable.back();
    }
    ASSERT_GE(rowsPerTable.size(), 4u);
    EXPECT_EQ(rowsPerTable[0], 5u);
    EXPECT_EQ(rowsPerTable[1], 3u);
    EXPECT_EQ(rowsPerTable[2], 5u);
    EXPECT_EQ(rowsPerTable[3], 3u);
}

} // namespace

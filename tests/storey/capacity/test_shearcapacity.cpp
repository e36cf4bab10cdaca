// Storey shear capacity: the model's capacities per tower, the table above the basements, the
// ratios to the storey above and their colours in the grid and the chapter, the towers, the
// limits and their edits, and the chapter through the report viewer read back by unrtf.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <vyr/resources/dialogs/StoreyRes.h>
#include <vyr/scripteduser.h>
#include <vyr/storey/DlgOutputDocument.h>
#include <vyr/storey/DlgShearCapacity.h>
#include "support/StoreyModels.h"
#include "CapacityTest.h"

using vyr::ScriptedUser;
using vyrtest::CStoreyModel;
using vyrtest::CStoreyModelSpec;

namespace {

constexpr COLORREF kRed = 0x000000FF, kMagenta = 0x00FF00FF, kNone = CLR_DEFAULT;

class CapacityTest : public storeytest::StoreyGridTest
{
protected:
    static std::vector<std::vector<std::string>> Rows(CDialog* d) { return StoreyGridTest::Rows(d, IDC_CAPACITY_GRID); }
    // Whole-storey capacities of storeys 1, 2, ... above the basements.
    static void SetCapacities(CStoreyModel& m, const std::vector<float>& x, const std::vector<float>& y)
    {
        for (size_t k = 0; k < x.size(); ++k)
            m.SetCapacity(m.Storey((int)k + 1), x[k], y[k]);
    }
    // The five storeys of the ratio cases: in X storey 2 reaches "不宜" (850 / 1000) exactly;
    // in Y storey 2 stands below a storey without capacity, storey 3 has none (0 / 240) and
    // storey 4 lies between the limits (240 / 300).
    static void SetRatioCases(CStoreyModel& m)
    {
        SetCapacities(m, {1000, 850, 1000, 500, 400}, {600, 600, 0, 240, 300});
    }
};

TEST_F(CapacityTest, ATowerTakesTheCapacitiesKeptForItAndNoTowerTheStoreysMembers)
{
    CStoreyModel model(CStoreyModelSpec().WithSecondTower(2));
    CStruct& s = model.Struct();
    CFloor* f = model.Storey(2);
    model.SetCapacity(f, 300.0f, 200.0f);
    model.SetCapacity(f, 30.0f, 20.0f);
    CFloor::CTowerData& t = f->TowerData(model.Tower(0)->m_pt.x, model.Tower(0)->m_pt.y);
    const float partsX[3] = {100, 20, 3}, partsY[3] = {50, 5, 0.5f};
    for (int i = 0; i < 3; ++i) {
        t.fCapacityX[i] = partsX[i];
        t.fCapacityY[i] = partsY[i];
    }
    s.ComputeFloorCapacity(f, nullptr);
    EXPECT_FLOAT_EQ(f->GetCapacityX(), 330.0f);
    EXPECT_FLOAT_EQ(f->GetCapacityY(), 220.0f);
    s.ComputeFloorCapacity(f, model.Tower(0));
    EXPECT_FLOAT_EQ(f->GetCapacityX(), 123.0f);
    EXPECT_FLOAT_EQ(f->GetCapacityY(), 55.5f);
    EXPECT_FLOAT_EQ(f->m_fX2, 20.0f) << "the braces' part stays a part of its own";
    // The round results keep 1/3 of 2000 (n + 1 - k) for the first of two towers; storey 5 is
    // above the second tower, which has none there.
    FillStoreyResults(model.Data());
    s.ComputeCapacity(model.Tower(1));
    EXPECT_FLOAT_EQ(model.Storey(1)->GetCapacityX(), 2000.0f * 5 * 2 / 3);
    EXPECT_FLOAT_EQ(model.Storey(5)->GetCapacityX(), 0.0f);
}

TEST_F(CapacityTest, TheGridShowsCapacitiesRatiosAndTheirColours)
{
    CStoreyModel model;
    SetRatioCases(model);
    CDlgShearCapacity dlg;
    dlg.m_pGlobalData = &model.Data();
    std::vector<std::vector<std::string>> rows;
    std::vector<COLORREF> x, y;
    ScriptedUser::Run(
        [&](CDialog* d) {
            rows = Rows(d);
            x = Colours(d, IDC_CAPACITY_GRID, 2);
            y = Colours(d, IDC_CAPACITY_GRID, 4);
        },
        IDD_SHEARCAPACITY);
    ScriptedUser::PressOK(IDD_SHEARCAPACITY);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    const std::vector<std::vector<std::string>> expected = {
        {"第1层", "1.000e+03", "1.176", "6.000e+02", "1.000"},
        {"第2层", "8.500e+02", "0.850", "6.000e+02", "1.000"},
        {"第3层", "1.000e+03", "2.000", "0.000e+00", "0.000"},
        {"第4层", "5.000e+02", "1.250", "2.400e+02", "0.800"},
        {"第5层", "4.000e+02", "1.000", "3.000e+02", "1.000"},
    };
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(x, (std::vector<COLORREF>{kNone, kMagenta, kNone, kNone, kNone}));
    EXPECT_EQ(y, (std::vector<COLORREF>{kNone, kNone, kRed, kMagenta, kNone}));
}

// A storey of no capacity under another, and a top storey of none, read 1.000: the cell is
// not marked as if it were far below the limits.
TEST_F(CapacityTest, ACellReadingOneIsNotMarkedWhenTheCapacitiesAreZero)
{
    CStoreyModel model(CStoreyModelSpec().WithStoreys(3));
    SetCapacities(model, {500, 0, 0}, {0, 0, 400});
    CDlgShearCapacity dlg;
    dlg.m_pGlobalData = &model.Data();
    std::vector<std::vector<std::string>> rows;
    std::vector<COLORREF> x, y;
    ScriptedUser::Run(
        [&](CDialog* d) {
            rows = Rows(d);
            x = Colours(d, IDC_CAPACITY_GRID, 2);
            y = Colours(d, IDC_CAPACITY_GRID, 4);
        },
        IDD_SHEARCAPACITY);
    ScriptedUser::PressOK(IDD_SHEARCAPACITY);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1][2], "1.000");
    EXPECT_EQ(rows[2][2], "1.000");
    EXPECT_EQ(rows[1][4], "0.000"); // 0 / 400
    EXPECT_EQ(x, (std::vector<COLORREF>{kNone, kNone, kNone}));
    EXPECT_EQ(y, (std::vector<COLORREF>{kNone, kRed, kNone}));
}

TEST_F(CapacityTest, WithBasementsTheTableHoldsTheStoreysAboveThemUpToTheTop)
{
    CStoreyModelSpec spec;
    spec.nStorey = 3;
    spec.nBasement = 2;
    CStoreyModel model(spec);
    model.SetCapacity(model.Basement(1), 9000, 9000);
    model.SetCapacity(model.Basement(2), 8000, 8000);
    SetCapacities(model, {1000, 800, 500}, {100, 200, 400});
    CDlgShearCapacity dlg;
    dlg.m_pGlobalData = &model.Data();
    dlg.FillData();
    const auto& t = dlg.GetTable();
    ASSERT_EQ(t.size(), 3u);
    const int numbers[] = {3, 4, 5};
    const float capX[] = {1000, 800, 500};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(t[i].nNo, numbers[i]) << i;
        EXPECT_FLOAT_EQ(t[i].fCapX, capX[i]) << i;
    }
    // The single table of the chapter ends with the top storey at 1.000.
    const auto rows = storeytest::ColouredRowsOfRtf(RtfChapter(dlg, 1, "basement.rtf"));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1][0].text, "第3层");
    EXPECT_EQ(rows[1][2].text, "1.250");
    EXPECT_EQ(rows[1][4].text, "0.500");
    EXPECT_EQ(rows[1][4].colour, "#ff0000");
    EXPECT_EQ(rows[3][0].text, "第5层");
    EXPECT_EQ(rows[3][2].text, "1.000");
    EXPECT_EQ(rows[3][4].text, "1.000");
}

TEST_F(CapacityTest, NoRealStoreysOrOnlyBasementsGiveEmptyTables)
{
    for (int basements : {0, 2}) {
        SCOPED_TRACE(basements);
        CStoreyModelSpec spec;
        spec.nStorey = 0;
        spec.nBasement = basements;
        CStoreyModel model(spec);
        CDlgShearCapacity dlg;
        dlg.m_pGlobalData = &model.Data();
        std::vector<std::vector<std::string>> rows = {{"?"}};
        ScriptedUser::Run([&](CDialog* d) { rows = Rows(d); }, IDD_SHEARCAPACITY);
        ScriptedUser::PressOK(IDD_SHEARCAPACITY);
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_TRUE(rows.empty());
        const auto chapter = storeytest::ColouredRowsOfRtf(RtfChapter(dlg, 1, "empty.rtf"));
        EXPECT_EQ(chapter.size(), 1u) << "the column heads only";
    }
}

TEST_F(CapacityTest, ATowerBelowTheTopDropsTheStoreysAboveItAndUsesItsOwnCapacities)
{
    CStoreyModel model(CStoreyModelSpec().WithSecondTower(2));
    SetCapacities(model, {9, 9, 9, 9, 9}, {9, 9, 9, 9, 9});
    const float towerX[] = {300, 200, 250}, towerY[] = {30, 60, 40};
    for (int k = 1; k <= 3; ++k)
        model.SetTowerCapacity(k, 1, towerX[k - 1], towerY[k - 1]);
    CDlgShearCapacity dlg;
    dlg.m_pGlobalData = &model.Data();
    std::vector<std::vector<std::string>> rows;
    std::vector<COLORREF> x;
    ClickRow(IDC_CAPACITY_TOWERGRID, 2, IDD_SHEARCAPACITY);
    ScriptedUser::Run(
        [&](CDialog* d) {
            rows = Rows(d);
            x = Colours(d, IDC_CAPACITY_GRID, 2);
        },
        IDD_SHEARCAPACITY);
    ScriptedUser::PressOK(IDD_SHEARCAPACITY);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_pCurMainNode, model.Tower(1));
    const std::vector<std::vector<std::string>> expected = {
        {"第1层", "3.000e+02", "1.500", "3.000e+01", "0.500"},
        {"第2层", "2.000e+02", "0.800", "6.000e+01", "1.500"},
        {"第3层", "2.500e+02", "1.000", "4.000e+01", "1.000"}, // the tower's top
    };
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(x, (std::vector<COLORREF>{kNone, kMagenta, kNone}));
}

TEST_F(CapacityTest, PerTowerTablesLeaveOutEachTowersTopAndUseItsCapacities)
{
    CStoreyModelSpec spec = CStoreyModelSpec().WithSecondTower(2);
    spec.nBasement = 1;
    CStoreyModel model(spec);
    // Tower 1 stands in every storey, tower 2 up to storey 3 (level 4).
    const float x1[] = {100, 200, 300, 400, 500}, x2[] = {90, 60, 30};
    for (int k = 1; k <= 5; ++k) {
        model.SetTowerCapacity(k, 0, x1[k - 1], 2 * x1[k - 1]);
        if (k <= 3)
            model.SetTowerCapacity(k, 1, x2[k - 1], 0.0f);
    }
    CDlgShearCapacity dlg;
    dlg.m_pGlobalData = &model.Data();
    const std::string path = m_tmp.File("towers.rtf");
    ScriptViewerSave(IDC_CAPACITY_OUTPUT, IDD_SHEARCAPACITY, path);
    ScriptedUser::PressOK(IDD_SHEARCAPACITY);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    const outtest::RtfReading r = outtest::ReadRtf(path);
    // The headings follow two tabs.
    auto has = [&](const std::string& heading) {
        for (const auto& l : r.lines)
            if (l.size() >= heading.size() && l.compare(l.size() - heading.size(), heading.size(), heading) == 0)
                return true;
        return false;
    };
    EXPECT_TRUE(has("第1塔楼层受剪承载力列表(单位 千牛)"));
    EXPECT_TRUE(has("第2塔楼层受剪承载力列表(单位 千牛)"));
    const std::vector<std::string> head = {"楼 层", "X向承载力", "X向本层/上层", "Y向承载力", "Y向本层/上层"};
    // Labels are levels: storey k above the one basement is level k + 1. The Y capacities of
    // tower 2 are none: 0 / 0 reads 1.000.
    const std::vector<std::vector<std::string>> expected = {
        head,
        {"第2层", "1.000e+02", "0.500", "2.000e+02", "0.500"},
        {"第3层", "2.000e+02", "0.667", "4.000e+02", "0.667"},
        {"第4层", "3.000e+02", "0.750", "6.000e+02", "0.750"},
        {"第5层", "4.000e+02", "0.800", "8.000e+02", "0.800"},
        head,
        {"第2层", "9.000e+01", "1.500", "0.000e+00", "1.000"},
        {"第3层", "6.000e+01", "2.000", "0.000e+00", "1.000"},
    };
    EXPECT_EQ(r.rows, expected);
    const auto coloured = storeytest::ColouredRowsOfRtf(path);
    ASSERT_EQ(coloured.size(), expected.size());
    EXPECT_EQ(coloured[1][2].colour, "#ff0000");  // 0.5 below "不应"
    EXPECT_EQ(coloured[3][2].colour, "#ff00ff");  // 0.75 below "不宜"
    EXPECT_EQ(coloured[6][2].colour, "");
}

TEST_F(CapacityTest, TheChapterThroughTheViewerMarksBelowTheLimitsOnly)
{
    CStoreyModel model;
    SetRatioCases(model);
    CDlgShearCapacity dlg;
    dlg.m_pGlobalData = &model.Data();
    const std::string path = m_tmp.File("viewer.rtf");
    CString caption;
    ScriptedUser::Click(IDC_CAPACITY_OUTPUT, IDD_SHEARCAPACITY);
    ScriptedUser::Run([&](CDialog* d) { d->GetWindowText(caption); }, IDD_OUTPUTDOCUMENT);
    ScriptedUser::Click(IDC_DOC_RTF, IDD_OUTPUTDOCUMENT);
    ScriptedUser::AnswerFileDialog(path.c_str());
    ScriptedUser::PressOK(IDD_OUTPUTDOCUMENT);
    ScriptedUser::PressOK(IDD_SHEARCAPACITY);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(caption, "层受剪承载力统计报告");
    const outtest::RtfReading r = outtest::ReadRtf(path);
    ASSERT_FALSE(r.lines.empty());
    EXPECT_EQ(r.lines[0], "楼层模型楼层受剪承载力信息");
    size_t heads = 0;
    bool advisory = false, mandatory = false, listTitle = false;
    for (const auto& l : r.lines) {
        heads += l == std::string(68, '=');
        advisory |= l == "楼层的受剪承载力不宜小于其上一层的0.850倍";
        mandatory |= l == "不应小于其上一层的0.600倍";
        listTitle |= l.find("层受剪承载力列表(单位 千牛)") != std::string::npos; // after two tabs
    }
    EXPECT_EQ(heads, 1u);
    EXPECT_TRUE(advisory);
    EXPECT_TRUE(mandatory);
    EXPECT_TRUE(listTitle);
    const auto rows = storeytest::ColouredRowsOfRtf(path);
    ASSERT_EQ(rows.size(), 6u);
    std::vector<std::string> xColours, yColours;
    for (size_t i = 1; i < rows.size(); ++i) {
        xColours.push_back(rows[i][2].colour);
        yColours.push_back(rows[i][4].colour);
    }
    // X storey 2 reads 0.850, equal to "不宜": black here, magenta in the grid.
    EXPECT_EQ(rows[2][2].text, "0.850");
    EXPECT_EQ(xColours, (std::vector<std::string>{"", "", "", "", ""}));
    EXPECT_EQ(yColours, (std::vector<std::string>{"", "", "#ff0000", "#ff00ff", ""}));
    EXPECT_EQ(rows[5][0].text, "第5层");
    EXPECT_EQ(rows[5][1].text, "4.000e+02");
}

// What the chapter prints as its limits for what the model holds, by an object whose window
// was never opened; limits outside [0, 1] become their defaults in the model too.
TEST_F(CapacityTest, ANeverOpenedObjectPrintsTheModelsLimitsOrTheDefaults)
{
    struct Case
    {
        float storedMandatory, storedAdvisory;
        const char* advisoryLine;
        const char* mandatoryLine;
        float keptMandatory, keptAdvisory;
    };
    const Case cases[] = {
        {0.7f, 0.9f, "楼层的受剪承载力不宜小于其上一层的0.900倍", "不应小于其上一层的0.700倍", 0.7f, 0.9f},
        {0.0f, 1.0f, "楼层的受剪承载力不宜小于其上一层的1.000倍", "不应小于其上一层的0.000倍", 0.0f, 1.0f},
        {-0.1f, 1.5f, "楼层的受剪承载力不宜小于其上一层的0.850倍", "不应小于其上一层的0.600倍", 0.6f, 0.85f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.advisoryLine);
        CStoreyModel model;
        model.Struct().m_fCapacityLimit1 = c.storedMandatory;
        model.Struct().m_fCapacityLimit2 = c.storedAdvisory;
        CDlgShearCapacity dlg;
        dlg.m_pGlobalData = &model.Data();
        const std::string text = TextChapter(dlg, 1);
        EXPECT_NE(text.find(c.advisoryLine), std::string::npos) << text;
        EXPECT_NE(text.find(c.mandatoryLine), std::string::npos);
        EXPECT_EQ(text.find(std::string(68, '=')), std::string::npos) << "a section has no report head";
        EXPECT_FLOAT_EQ(model.Struct().m_fCapacityLimit1, c.keptMandatory);
        EXPECT_FLOAT_EQ(model.Struct().m_fCapacityLimit2, c.keptAdvisory);
    }
}

TEST_F(CapacityTest, EditedLimitsAreStoredAndRecolourWhileBadInputKeepsTheModel)
{
    CStoreyModel model;
    SetRatioCases(model);
    model.Struct().m_fCapacityLimit1 = 3.0f; // outside [0, 1]: opens with 0.6
    CDlgShearCapacity dlg;
    dlg.m_pGlobalData = &model.Data();
    CStruct& s = model.Struct();
    CString shown;
    std::vector<float> mandatory;
    std::vector<COLORREF> x;
    auto keep = [&] {
        ScriptedUser::Run([&](CDialog*) { mandatory.push_back(s.m_fCapacityLimit1); }, IDD_SHEARCAPACITY);
    };
    ScriptedUser::Run([&](CDialog* d) { d->GetDlgItemText(IDC_CAPACITY_MANDATORY, shown); }, IDD_SHEARCAPACITY);
    keep();
    ScriptedUser::SetText(IDC_CAPACITY_MANDATORY, "0.9", IDD_SHEARCAPACITY);
    keep();
    ScriptedUser::Run([&](CDialog* d) { x = Colours(d, IDC_CAPACITY_GRID, 2); }, IDD_SHEARCAPACITY);
    ScriptedUser::SetText(IDC_CAPACITY_MANDATORY, "0.9005", IDD_SHEARCAPACITY); // too small a change
    keep();
    ScriptedUser::SetText(IDC_CAPACITY_MANDATORY, "1.5", IDD_SHEARCAPACITY);
    ScriptedUser::AnswerMessageBox(IDOK);
    keep();
    ScriptedUser::SetText(IDC_CAPACITY_MANDATORY, "abc", IDD_SHEARCAPACITY);
    ScriptedUser::AnswerMessageBox(IDOK);
    keep();
    ScriptedUser::SetText(IDC_CAPACITY_MANDATORY, "0.5", IDD_SHEARCAPACITY);
    ScriptedUser::SetText(IDC_CAPACITY_ADVISORY, "0.95", IDD_SHEARCAPACITY);
    ScriptedUser::PressOK(IDD_SHEARCAPACITY);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FLOAT_EQ((float)atof(shown.GetString()), 0.6f);
    EXPECT_EQ(mandatory, (std::vector<float>{0.6f, 0.9f, 0.9f, 0.9f, 0.9f}));
    // "不应" 0.9: storey 2 (0.850) is now red.
    EXPECT_EQ(x, (std::vector<COLORREF>{kNone, kRed, kNone, kNone, kNone}));
    EXPECT_FLOAT_EQ(s.m_fCapacityLimit1, 0.5f);
    EXPECT_FLOAT_EQ(s.m_fCapacityLimit2, 0.95f);
    EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 2u);
}

} // namespace

// The storey displacement and drift dialog: the computation worked by hand, the main
// direction vote, towers, the grids and their colours, the limit edits and the close checks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <vyr/controls.h>
#include <vyr/model/struct/structure.h>
#include "DispTest.h"

using vyr::ScriptedUser;
using vyrtest::CStoreyModel;
using namespace disptest;

namespace {

using DispDlgTest = DispTest;

// Three storeys of 3 m under wind X; the top one with a storey height of 1.5 m (its largest
// drift scales by elevation difference over storey height, 300 / 150).
TEST_F(DispDlgTest, TheStoreyArraysWorkedByHand)
{
    CStoreyModel model(Spec(3, true, 0));
    CBasicLoadCase* wind = model.Wind(0);
    model.Storey(3)->m_fH = 150.0f;
    const CStoreyDisp d[] = {
        {0.5f, 101, 0.25f, 0.375f, 102, 0.25f},
        {0.375f, 201, 0.25f, 0.75f, 202, 0.5f},
        {0.15f, 301, 0.25f, 0.75f, 302, 0.75f},
    };
    for (int k = 1; k <= 3; ++k) {
        SetDisp(model.Storey(k), wind, 1, d[k - 1]);
        SetShear(model.Struct(), model.Storey(k), wind, 10.0f, 1.0f);
    }
    CDlgLayerDispDifferOutput dlg(&model.Data());
    dlg.beginforoutput();
    ASSERT_EQ(dlg.m_pCurCase, wind);
    EXPECT_EQ(dlg.m_nDirection, 1);
    EXPECT_EQ(dlg.m_nDriftLimit, 400);
    EXPECT_FLOAT_EQ(dlg.m_fTopZ, 9.0f);
    EXPECT_EQ(dlg.m_arrFloorNo, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(dlg.m_arrJmax, (std::vector<int>{102, 202, 302}));
    // The lowest storey drifts against the base: its storey values and node.
    EXPECT_EQ(dlg.m_arrJmaxD, (std::vector<int>{102, 201, 301}));
    const std::vector<double> maxDelta = {3.75, 3.75, 2 * 1.5}, aveDelta = {2.5, 2.5, 2.5};
    const std::vector<double> maxDisp = {3.75, 7.5, 7.5}, aveDisp = {2.5, 5.0, 7.5};
    const std::vector<double> floorH = {3.0, 3.0, 1.5}, elevH = {3.0, 3.0, 3.0};
    for (size_t k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_NEAR(dlg.m_arrMaxDelta[k], maxDelta[k], 1e-5);
        EXPECT_NEAR(dlg.m_arrAveDelta[k], aveDelta[k], 1e-5);
        EXPECT_NEAR(dlg.m_arrMaxDisp[k], maxDisp[k], 1e-5);
        EXPECT_NEAR(dlg.m_arrAveDisp[k], aveDisp[k], 1e-5);
        EXPECT_NEAR(dlg.m_arrFloorH[k], floorH[k], 1e-9);
        EXPECT_NEAR(dlg.m_arrElevH[k], elevH[k], 1e-9);
    }
}

TEST_F(DispDlgTest, AMaximumBelowTheAverageTakesTheAverage)
{
    CStoreyModel model(Spec(2, true, 0));
    CBasicLoadCase* wind = model.Wind(0);
    SetDisp(model.Storey(1), wind, 1, {0.0f, 0, 0.0f, 0.125f, 102, 0.25f});
    SetDisp(model.Storey(2), wind, 1, {0.125f, 201, 0.25f, 0.0f, 202, 0.5f});
    CDlgLayerDispDifferOutput dlg(&model.Data());
    dlg.beginforoutput();
    EXPECT_NEAR(dlg.m_arrMaxDisp[0], 2.5, 1e-6);
    EXPECT_NEAR(dlg.m_arrMaxDelta[0], 2.5, 1e-6);
    EXPECT_NEAR(dlg.m_arrMaxDelta[1], 2.5, 1e-6);
    EXPECT_NEAR(dlg.m_arrMaxDisp[1], 5.0, 1e-6);
}

TEST_F(DispDlgTest, OneRealStoreyIsXAndItsInterStoreyValuesAreItsStoreyValues)
{
    CStoreyModel model(Spec(1, false, 1));
    CBasicLoadCase* seism = model.Seism(0);
    // Y dominates, but the lowest storey never votes.
    SetShear(model.Struct(), model.Storey(1), seism, 1.0f, 100.0f);
    SetDisp(model.Storey(1), seism, 1, {0.5f, 101, 0.25f, 0.625f, 102, 0.5f});
    CDlgLayerDispDifferOutput dlg(&model.Data());
    dlg.beginforoutput();
    EXPECT_EQ(dlg.m_nDirection, 1);
    EXPECT_DOUBLE_EQ(dlg.m_arrMaxDelta[0], dlg.m_arrMaxDisp[0]);
    EXPECT_DOUBLE_EQ(dlg.m_arrAveDelta[0], dlg.m_arrAveDisp[0]);
    EXPECT_NEAR(dlg.m_arrMaxDelta[0], 6.25, 1e-6);
    EXPECT_NEAR(dlg.m_arrAveDelta[0], 5.0, 1e-6);
    EXPECT_EQ(dlg.m_arrJmaxD[0], 102);
}

// The vote over storeys 2 to 4 (the lowest never votes); shears of 1e-5 or less count for
// neither direction; a tie is X.
TEST_F(DispDlgTest, TheMainDirectionIsTheVoteOfTheStoreysAboveTheLowest)
{
    struct Case
    {
        const char* what;
        bool seismic;
        float shear[4][2]; // storeys 1 to 4: X, Y
        int direction;
    };
    const Case cases[] = {
        {"tie", false, {{0, 50}, {10, 1}, {1, 10}, {1e-6f, 0}}, 1},
        {"Y majority", false, {{50, 0}, {1, 10}, {1, 10}, {10, 1}}, 2},
        {"a seismic case votes with its stored shears", true, {{0, 0}, {1, 10}, {1, 10}, {10, 1}}, 2},
        {"equal shears count for neither", false, {{0, 0}, {5, 5}, {5, 5}, {1, 10}}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CStoreyModel model(Spec(4, true, 1));
        CBasicLoadCase* lc = c.seismic ? model.Seism(0) : model.Wind(0);
        for (int k = 1; k <= 4; ++k) {
            SetShear(model.Struct(), model.Storey(k), lc, c.shear[k - 1][0], c.shear[k - 1][1]);
            if (c.seismic) // the case's storey shears say the opposite
                model.Storey(k)->SetTotalShear(lc->m_nNo, c.shear[k - 1][1], c.shear[k - 1][0]);
        }
        CDlgLayerDispDifferOutput dlg(&model.Data());
        dlg.m_pCurCase = lc;
        dlg.GetDirection();
        EXPECT_EQ(dlg.m_nDirection, c.direction);
    }
}

// Five storeys; the second tower's main node stands at storey 3, and storey 2 does not reach
// the tower in plan: storey 3 takes its heights; storeys 4 and 5 are out.
TEST_F(DispDlgTest, ATowerLeavesOutTheStoreysAboveItAndThoseOutsideItsPlan)
{
    CStoreyModel model(vyrtest::CStoreyModelSpec(Spec(5, true, 0)).WithSecondTower(2));
    CStruct& s = model.Struct();
    CBasicLoadCase* wind = model.Wind(0);
    CMainNode* tower = model.Tower(1);
    for (int k = 1; k <= 5; ++k) {
        AddNode(s, model.Storey(k), 0.0, 0.0);
        AddNode(s, model.Storey(k), k == 2 ? 1000.0 : 2000.0, 0.0);
        SetShear(s, model.Storey(k), wind, 10.0f, 0.0f);
        SetDisp(model.Storey(k), wind, 1, {1.0f, 100 * k + 1, 1.0f, 1.0f, 100 * k + 2, 1.0f});
        SetDisp(model.Storey(k), wind, 1, {0.5f, 100 * k + 11, 0.25f, 0.5f * k, 100 * k + 12, 0.25f * k}, tower);
    }
    CDlgLayerDispDifferOutput dlg(&model.Data());
    dlg.beginforoutput();
    dlg.m_pCurMainNode = tower;
    dlg.FillData();
    EXPECT_EQ(dlg.m_arrFloorNo, (std::vector<int>{1, 0, 3, 0, 0}));
    EXPECT_NEAR(dlg.m_arrElevH[2], 6.0, 1e-9);
    EXPECT_NEAR(dlg.m_arrFloorH[2], 6.0, 1e-9);
    EXPECT_NEAR(dlg.m_arrElevH[0], 3.0, 1e-9);
    EXPECT_NEAR(dlg.m_arrAveDisp[2], 7.5, 1e-6) << "the tower's own values";
    EXPECT_NEAR(dlg.m_arrMaxDelta[2], 5.0, 1e-6);
    EXPECT_EQ(dlg.m_arrJmaxD[2], 311);
    EXPECT_EQ(dlg.m_arrJmax[2], 312);

    // The window: the first tower counts every storey; its row 2 is the second tower.
    std::vector<std::vector<std::string>> first, second;
    CDlgLayerDispDifferOutput window(&model.Data());
    ScriptedUser::Run([&](CDialog* d) { first = Rows(d); }, IDD_LAYERDISPDIFFER);
    ClickGridRow(IDC_DISP_TOWERGRID, 2);
    ScriptedUser::Run([&](CDialog* d) { second = Rows(d); }, IDD_LAYERDISPDIFFER);
    ScriptedUser::PressOK(IDD_LAYERDISPDIFFER);
    EXPECT_EQ(window.DoModal(), IDOK);
    EXPECT_EQ(first.size(), 5u);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[0][0], "第1层");
    EXPECT_EQ(second[1][0], "第3层");
    EXPECT_EQ(second[1][1], "6.000");
    EXPECT_EQ(second[1][4], "1/1200") << "5 mm over 6 m";
    EXPECT_EQ(window.m_pCurMainNode, tower);
}

// A seismic case X with the seismic limit 1/200: storey 1 past the mandatory ratio (1.5),
// storey 2 at the advisory ratio (1.2) and at the drift limit, storey 3 within everything.
void SetColourStoreys(CStoreyModel& model)
{
    CBasicLoadCase* seism = model.Seism(0);
    model.Struct().m_nSeismDriftLimit = 200;
    const CStoreyDisp d[] = {
        {0.0f, 101, 0.0f, 1.875f, 102, 1.25f},   // 18.75 / 12.5 mm; drift 18.75 / 3000
        {1.5f, 201, 1.25f, 3.125f, 202, 2.5f},   // 15 / 12.5 mm; drift 15 / 3000 = 1/200
        {1.0f, 301, 1.0f, 3.5f, 302, 3.0f},      // 10 / 10 mm; 35 / 30 mm
    };
    for (int k = 1; k <= 3; ++k) {
        SetDisp(model.Storey(k), seism, 1, d[k - 1]);
        SetShear(model.Struct(), model.Storey(k), seism, 10.0f, 0.0f);
    }
}

TEST_F(DispDlgTest, BothTabsWithTheirColoursForASeismicCase)
{
    CStoreyModel model(Spec(3, false, 1));
    SetColourStoreys(model);
    CDlgLayerDispDifferOutput dlg(&model.Data());
    std::vector<std::vector<std::string>> inter, storeys;
    std::vector<std::string> interHeads, storeyHeads;
    std::vector<COLORREF> drift, ratio, storeyRatio, storeyOther;
    ScriptedUser::Run(
        [&](CDialog* d) {
            inter = Rows(d);
            interHeads = Heads(d);
            drift = Colours(d, 4);
            ratio = Colours(d, 6);
        },
        IDD_LAYERDISPDIFFER);
    ScriptedUser::SelectRow(IDC_DISP_TAB, 1, IDD_LAYERDISPDIFFER);
    ScriptedUser::Run(
        [&](CDialog* d) {
            storeys = Rows(d);
            storeyHeads = Heads(d);
            storeyRatio = Colours(d, 4);
            storeyOther = Colours(d, 2);
        },
        IDD_LAYERDISPDIFFER);
    ScriptedUser::PressOK(IDD_LAYERDISPDIFFER);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(interHeads,
              (std::vector<std::string>{"Floor", "h(m)", "JmaxD", "Max-Dx", "Max-Dx/h", "Ave-Dx", "Ratio-DX"}));
    ASSERT_EQ(inter.size(), 3u);
    EXPECT_EQ(inter[0], (std::vector<std::string>{"第1层", "3.000", "102", "18.750", "1/160", "12.500", "1.500"}));
    EXPECT_EQ(inter[1], (std::vector<std::string>{"第2层", "3.000", "201", "15.000", "1/200", "12.500", "1.200"}));
    EXPECT_EQ(inter[2], (std::vector<std::string>{"第3层", "3.000", "301", "10.000", "1/300", "10.000", "1.000"}));
    EXPECT_EQ(drift, (std::vector<COLORREF>{kMagenta, kMagenta, kNone})) << "a drift of exactly 1/200 is marked";
    EXPECT_EQ(ratio, (std::vector<COLORREF>{kRed, kMagenta, kNone}));
    EXPECT_EQ(storeyHeads, (std::vector<std::string>{"Floor", "Jmax", "Max-(X)", "Ave-(X)", "Ratio-(X)"}));
    ASSERT_EQ(storeys.size(), 3u);
    EXPECT_EQ(storeys[1], (std::vector<std::string>{"第2层", "202", "31.250", "25.000", "1.250"}));
    EXPECT_EQ(storeyRatio, (std::vector<COLORREF>{kRed, kMagenta, kNone}));
    EXPECT_EQ(storeyOther, (std::vector<COLORREF>{kNone, kNone, kNone}));
}

// The same storeys under a wind case: no ratio column, nothing coloured on the storey tab;
// the wind limit 1/400 marks storeys 1 and 2.
TEST_F(DispDlgTest, AWindCaseHasNoRatioColumnAndNoStoreyColours)
{
    CStoreyModel model(Spec(3, true, 1));
    SetColourStoreys(model);
    CBasicLoadCase* wind = model.Wind(0);
    const CStoreyDisp d[] = {{0.0f, 101, 0.0f, 1.875f, 102, 1.25f}, {1.5f, 201, 1.25f, 3.125f, 202, 2.5f},
                             {0.25f, 301, 0.25f, 3.5f, 302, 3.0f}};
    for (int k = 1; k <= 3; ++k) {
        SetDisp(model.Storey(k), wind, 1, d[k - 1]);
        SetShear(model.Struct(), model.Storey(k), wind, 10.0f, 0.0f);
    }
    CDlgLayerDispDifferOutput dlg(&model.Data());
    std::vector<std::string> interHeads, storeyHeads;
    std::vector<COLORREF> drift;
    std::vector<std::vector<COLORREF>> storeyColours;
    ScriptedUser::Run(
        [&](CDialog* d) {
            interHeads = Heads(d);
            drift = Colours(d, 4);
        },
        IDD_LAYERDISPDIFFER);
    ScriptedUser::SelectRow(IDC_DISP_TAB, 1, IDD_LAYERDISPDIFFER);
    ScriptedUser::Run(
        [&](CDialog* d) {
            storeyHeads = Heads(d);
            for (int c = 0; c < 4; ++c)
                storeyColours.push_back(Colours(d, c));
        },
        IDD_LAYERDISPDIFFER);
    ScriptedUser::PressOK(IDD_LAYERDISPDIFFER);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_pCurCase, wind) << "case row 1 is the first wind case";
    EXPECT_EQ(interHeads, (std::vector<std::string>{"Floor", "h(m)", "JmaxD", "Max-Dx", "Max-Dx/h", "Ave-Dx"}));
    EXPECT_EQ(storeyHeads, (std::vector<std::string>{"Floor", "Jmax", "Max-(X)", "Ave-(X)"}));
    EXPECT_EQ(drift, (std::vector<COLORREF>{kMagenta, kMagenta, kNone})) << "2.5 mm over 3 m is 1/1200";
    for (const auto& column : storeyColours)
        EXPECT_EQ(column, (std::vector<COLORREF>{kNone, kNone, kNone}));
}

TEST_F(DispDlgTest, ChoosingACaseRowComputesThatCaseInItsDirection)
{
    CStoreyModel model(Spec(3, true, 1));
    CBasicLoadCase* windY = model.Wind(1);
    for (int k = 1; k <= 3; ++k) {
        SetShear(model.Struct(), model.Storey(k), windY, 0.0f, 10.0f);
        SetDisp(model.Storey(k), windY, 2, {0.5f, 100 * k + 1, 0.5f, 0.5f * k, 100 * k + 2, 0.5f * k});
    }
    CDlgLayerDispDifferOutput dlg(&model.Data());
    std::vector<std::vector<std::string>> cases, rows;
    std::vector<std::string> heads;
    ScriptedUser::Run([&](CDialog* d) { cases = Rows(d, IDC_DISP_CASEGRID); }, IDD_LAYERDISPDIFFER);
    ClickGridRow(IDC_DISP_CASEGRID, 2);
    ScriptedUser::SelectRow(IDC_DISP_TAB, 1, IDD_LAYERDISPDIFFER);
    ScriptedUser::Run(
        [&](CDialog* d) {
            rows = Rows(d);
            heads = Heads(d);
        },
        IDD_LAYERDISPDIFFER);
    ScriptedUser::PressOK(IDD_LAYERDISPDIFFER);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(cases.size(), 6u) << "four wind and two seismic cases";
    EXPECT_EQ(cases[0][0].rfind("BLC3 ", 0), 0u) << cases[0][0];
    EXPECT_EQ(cases[5][0].rfind("BLC8 ", 0), 0u) << cases[5][0];
    EXPECT_EQ(dlg.m_pCurCase, windY);
    EXPECT_EQ(dlg.m_nDirection, 2);
    EXPECT_EQ(heads, (std::vector<std::string>{"Floor", "Jmax", "Max-(Y)", "Ave-(Y)"}));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2], (std::vector<std::string>{"第3层", "302", "15.000", "15.000"}));
}

// Ratio limits: kept within [1, 2] when changed by more than 0.001; drift limits within
// [100, 2000], truncated; a text that is no number: the framework's message, nothing kept.
TEST_F(DispDlgTest, EditedLimitsAreStoredOnlyWithinTheirRanges)
{
    CStoreyModel model(Spec(3, true, 1));
    CStruct& s = model.Struct();
    CDlgLayerDispDifferOutput dlg(&model.Data());
    struct Step
    {
        int id;
        const char* text;
        bool message;
    };
    const Step steps[] = {
        {IDC_DISP_RATIO1, "1.2005", false}, {IDC_DISP_RATIO1, "2.5", false},   {IDC_DISP_RATIO1, "0.9", false},
        {IDC_DISP_RATIO1, "1.3", false},    {IDC_DISP_RATIO2, "1.8", false},   {IDC_DISP_WINDDRIFT, "400.5", false},
        {IDC_DISP_WINDDRIFT, "350.7", false}, {IDC_DISP_WINDDRIFT, "2001", false}, {IDC_DISP_WINDDRIFT, "99", false},
        {IDC_DISP_SEISMDRIFT, "abc", true}, {IDC_DISP_SEISMDRIFT, "300", false},
    };
    struct Stored
    {
        float r1, r2;
        int wind, seism;
    };
    std::vector<Stored> stored;
    for (const Step& st : steps) {
        ScriptedUser::SetText(st.id, st.text, IDD_LAYERDISPDIFFER);
        if (st.message)
            ScriptedUser::AnswerMessageBox(IDOK);
        ScriptedUser::Run(
            [&](CDialog*) {
                stored.push_back({s.m_fDispRatioLimit1, s.m_fDispRatioLimit2, s.m_nWindDriftLimit, s.m_nSeismDriftLimit});
            },
            IDD_LAYERDISPDIFFER);
    }
    // The wind edit still holds 99: closing warns and closes.
    ScriptedUser::PressOK(IDD_LAYERDISPDIFFER);
    ScriptedUser::AnswerMessageBox(IDOK, "层风载最大层间位移角不宜超过限制不能大于1/100");
    EXPECT_EQ(dlg.DoModal(), IDOK);
    const Stored expected[] = {
        {1.2f, 1.5f, 400, 250}, {1.2f, 1.5f, 400, 250}, {1.2f, 1.5f, 400, 250}, {1.3f, 1.5f, 400, 250},
        {1.3f, 1.8f, 400, 250}, {1.3f, 1.8f, 400, 250}, {1.3f, 1.8f, 350, 250}, {1.3f, 1.8f, 350, 250},
        {1.3f, 1.8f, 350, 250}, {1.3f, 1.8f, 350, 250}, {1.3f, 1.8f, 350, 300},
    };
    ASSERT_EQ(stored.size(), std::size(expected));
    for (size_t i = 0; i < stored.size(); ++i) {
        SCOPED_TRACE(steps[i].text);
        EXPECT_FLOAT_EQ(stored[i].r1, expected[i].r1);
        EXPECT_FLOAT_EQ(stored[i].r2, expected[i].r2);
        EXPECT_EQ(stored[i].wind, expected[i].wind);
        EXPECT_EQ(stored[i].seism, expected[i].seism);
    }
    EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 2u);
}

// A stored limit changes the colours at once: the wind limit 1/1500 marks storeys 1 and 2.
TEST_F(DispDlgTest, AStoredDriftLimitRecoloursTheGrid)
{
    CStoreyModel model(Spec(3, true, 0));
    CBasicLoadCase* wind = model.Wind(0);
    for (int k = 1; k <= 3; ++k) {
        SetShear(model.Struct(), model.Storey(k), wind, 10.0f, 0.0f);
        SetDisp(model.Storey(k), wind, 1, {0.5f / k, 1, 0.1f, 0.5f, 2, 0.1f}); // 5, 2.5, 1.667 mm
    }
    CDlgLayerDispDifferOutput dlg(&model.Data());
    std::vector<COLORREF> before, after;
    ScriptedUser::Run([&](CDialog* d) { before = Colours(d, 4); }, IDD_LAYERDISPDIFFER);
    ScriptedUser::SetText(IDC_DISP_WINDDRIFT, "1500", IDD_LAYERDISPDIFFER);
    ScriptedUser::Run([&](CDialog* d) { after = Colours(d, 4); }, IDD_LAYERDISPDIFFER);
    ScriptedUser::PressOK(IDD_LAYERDISPDIFFER);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    // Drifts 1/600, 1/1200, 1/1800 against 1/400, then 1/1500.
    EXPECT_EQ(before, (std::vector<COLORREF>{kNone, kNone, kNone}));
    EXPECT_EQ(after, (std::vector<COLORREF>{kMagenta, kMagenta, kNone}));
    EXPECT_EQ(dlg.m_nDriftLimit, 1500);
}

// Closing shows the first failing check only, and closes all the same; the mandatory ratio
// is not checked.
TEST_F(DispDlgTest, ClosingWarnsOfTheFirstFailingLimitAndCloses)
{
    struct Case
    {
        float r1, r2;
        int wind, seism;
        const char* message;
    };
    const Case cases[] = {
        {2.5f, 1.5f, 50, 250, "地震下平均位移比/最大位移不宜限制不能大于2.0"},
        {0.5f, 1.5f, 400, 250, "地震下平均位移比/最大位移不宜限制不能小于1.0"},
        {1.2f, 1.5f, 50, 3000, "层风载最大层间位移角不宜超过限制不能大于1/100"},
        {1.2f, 1.5f, 2500, 250, "层风载最大层间位移角不宜超过限制不能大于1/2000"},
        {1.2f, 1.5f, 400, 0, "层地震最大层间位移角不宜超过限制不能大于1/100"},
        {1.2f, 1.5f, 400, 2001, "层地震最大层间位移角不宜超过限制不能大于1/2000"},
        {1.2f, 9.0f, 400, 250, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message ? c.message : "none");
        ScriptedUser::Reset();
        CStoreyModel model(Spec(2, true, 1));
        CStruct& s = model.Struct();
        s.m_fDispRatioLimit1 = c.r1;
        s.m_fDispRatioLimit2 = c.r2;
        s.m_nWindDriftLimit = c.wind;
        s.m_nSeismDriftLimit = c.seism;
        CDlgLayerDispDifferOutput dlg(&model.Data());
        ScriptedUser::PressOK(IDD_LAYERDISPDIFFER);
        if (c.message)
            ScriptedUser::AnswerMessageBox(IDOK, c.message);
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(ScriptedUser::MessageBoxes().size(), c.message ? 1u : 0u);
        EXPECT_EQ(s.m_nWindDriftLimit, c.wind) << "the model keeps its limits";
    }
}

TEST_F(DispDlgTest, NoWindOrSeismicCaseOrNoStoreyShowsEmptyGrids)
{
    struct Case
    {
        const char* what;
        vyrtest::CStoreyModelSpec spec;
        size_t caseRows;
    };
    const Case cases[] = {
        {"no wind or seismic case", Spec(3, false, 0), 0},
        {"no real storey", Spec(0, true, 1), 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CStoreyModel model(c.spec);
        CDlgLayerDispDifferOutput dlg(&model.Data());
        size_t caseRows = 99, rows = 99, columns = 0;
        ScriptedUser::Run(
            [&](CDialog* d) {
                caseRows = Rows(d, IDC_DISP_CASEGRID).size();
                rows = Rows(d).size();
                columns = Heads(d).size();
            },
            IDD_LAYERDISPDIFFER);
        ScriptedUser::PressOK(IDD_LAYERDISPDIFFER);
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(caseRows, c.caseRows);
        EXPECT_EQ(rows, 0u);
        EXPECT_GE(columns, 6u) << "the headings stay";
    }
}

} // namespace

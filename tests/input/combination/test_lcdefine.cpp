// The combination editor: which boxes the model's basic cases fill and disable, the seismic
// blocks and the rule that the two seismic actions differ, the factor handlers (half-typed
// negatives, changes of 0.001 or less, a zero seismic factor), and OK against the list.
#include <gtest/gtest.h>

#include <string>

#include "CombinationTest.h"
#include <vyr/input/DlgLCDefine.h>
#include <vyr/resources/dialogs/LoadCombRes.h>
#include <vyr/scripteduser.h>

using vyr::ScriptedUser;
using vyrtest::DlgText;

namespace {

struct LCDefine : vyrtest::CombinationTest
{
    INT_PTR RunEditor(CLoadCombination* lc)
    {
        CDlgLCDefine dlg(nullptr);
        dlg.m_pData = &data;
        return dlg.DoModal(lc);
    }
};

CComboBox* Box(CDialog* d, int id) { return static_cast<CComboBox*>(d->GetDlgItem(id)); }

std::vector<std::string> Items(CDialog* d, int id)
{
    std::vector<std::string> items;
    CComboBox* box = Box(d, id);
    for (int i = 0; i < box->GetCount(); ++i) {
        CString t;
        box->GetLBText(i, t);
        items.push_back(t.GetString());
    }
    return items;
}

bool Enabled(CDialog* d, int id) { return d->GetDlgItem(id)->IsWindowEnabled() != FALSE; }

CDlgLCDefine* Editor(CDialog* d) { return static_cast<CDlgLCDefine*>(d); }

} // namespace

TEST_F(LCDefine, AModelWithoutWindDisablesTheWindRow)
{
    AddCase(0);
    AddCase(1);
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_FALSE(Enabled(d, IDC_LCDEF_WIND));
            EXPECT_FALSE(Enabled(d, IDC_LCDEF_WINDCASE));
            EXPECT_EQ(Box(d, IDC_LCDEF_WINDCASE)->GetCount(), 0);
            EXPECT_EQ(Box(d, IDC_LCDEF_WINDCASE)->GetCurSel(), -1);
            // No seismic, crane, temperature, prestress or vertical seismic case either.
            for (int id : {IDC_LCDEF_HSEISM, IDC_LCDEF_HSEISMCASE, IDC_LCDEF_HSEISM2, IDC_LCDEF_HSEISM2CASE,
                           IDC_LCDEF_CRANE, IDC_LCDEF_CRANECASE, IDC_LCDEF_TEMPERATURE, IDC_LCDEF_TEMPCASE,
                           IDC_LCDEF_PRELOAD, IDC_LCDEF_VSEISM})
                EXPECT_FALSE(Enabled(d, id)) << id;
            EXPECT_TRUE(Enabled(d, IDC_LCDEF_DEAD));
            // The live box is disabled and shows "L", put before the template's items.
            EXPECT_FALSE(Enabled(d, IDC_LCDEF_LIVECASE));
            EXPECT_EQ(Items(d, IDC_LCDEF_LIVECASE),
                      (std::vector<std::string>{"L", "活载", "活载1", "活载2", "活载3", "活载4"}));
            EXPECT_EQ(Box(d, IDC_LCDEF_LIVECASE)->GetCurSel(), 0);
            CString caption;
            d->GetWindowText(caption);
            EXPECT_EQ(caption, CString("荷载组合编辑"));
        },
        IDD_LCDEFINE);
    ScriptedUser::PressCancel(IDD_LCDEFINE);
    CLoadCombination lc;
    EXPECT_EQ(RunEditor(&lc), IDCANCEL);
}

TEST_F(LCDefine, TheWindBoxListsTheWindCasesThereAre)
{
    AddCase(0);
    AddCase(3); // "Wy"
    AddCase(5); // "W-y"
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_TRUE(Enabled(d, IDC_LCDEF_WINDCASE));
            EXPECT_EQ(Items(d, IDC_LCDEF_WINDCASE), (std::vector<std::string>{"Wy", "W-y"}));
        },
        IDD_LCDEFINE);
    ScriptedUser::SelectString(IDC_LCDEF_WINDCASE, "W-y", IDD_LCDEFINE);
    ScriptedUser::SetText(IDC_LCDEF_WIND, "1.4", IDD_LCDEFINE);
    ScriptedUser::Run([](CDialog* d) { EXPECT_EQ(DlgText(d, IDC_LCDEF_DESCRIPTION), CString("LC0:1.40W-y")); },
                      IDD_LCDEFINE);
    ScriptedUser::PressOK(IDD_LCDEFINE);
    CLoadCombination lc;
    lc.m_nTemperatureCase = lc.m_nCraneCase = 0;
    ASSERT_EQ(RunEditor(&lc), IDOK);
    EXPECT_EQ(lc.m_nWindCase, 6);
    EXPECT_FLOAT_EQ(lc.m_fWind, 1.4f);
}

TEST_F(LCDefine, TwoSeismicDefinitionsListSixNamesInBlocks)
{
    AddCase(0);
    AddSeismic(2);
    const std::vector<std::string> six = {"E1", "E2", "E1P", "E2P", "E1M", "E2M"};
    ScriptedUser::Run(
        [&six](CDialog* d) {
            EXPECT_EQ(Items(d, IDC_LCDEF_HSEISMCASE), six);
            EXPECT_EQ(Items(d, IDC_LCDEF_HSEISM2CASE), six);
            EXPECT_TRUE(Enabled(d, IDC_LCDEF_HSEISM2));
        },
        IDD_LCDEFINE);
    ScriptedUser::SelectRow(IDC_LCDEF_HSEISMCASE, 4, IDD_LCDEFINE);
    ScriptedUser::SetText(IDC_LCDEF_HSEISM, "1.3", IDD_LCDEFINE);
    ScriptedUser::Run(
        [this](CDialog* d) {
            EXPECT_EQ(Editor(d)->m_nSeismVariant1, 2);
            EXPECT_EQ(Editor(d)->m_lc.m_pSeism1, s.m_pLoadSeismList->Get(1));
            EXPECT_EQ(DlgText(d, IDC_LCDEF_DESCRIPTION), CString("LC0:1.30E1M"));
        },
        IDD_LCDEFINE);
    ScriptedUser::PressOK(IDD_LCDEFINE);
    CLoadCombination lc;
    ASSERT_EQ(RunEditor(&lc), IDOK);
    EXPECT_EQ(lc.m_pSeism1, s.m_pLoadSeismList->Get(1));
    EXPECT_EQ(lc.m_nSeismVariant, 2);
    EXPECT_FLOAT_EQ(lc.m_fHSeism, 1.3f);
}

TEST_F(LCDefine, OneSeismicDefinitionLeavesTheAdditionalRowDisabledAndEmpty)
{
    AddCase(0);
    AddSeismic(1);
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_EQ(Items(d, IDC_LCDEF_HSEISMCASE), (std::vector<std::string>{"E1", "E1P", "E1M"}));
            EXPECT_FALSE(Enabled(d, IDC_LCDEF_HSEISM2));
            EXPECT_FALSE(Enabled(d, IDC_LCDEF_HSEISM2CASE));
            EXPECT_EQ(Box(d, IDC_LCDEF_HSEISM2CASE)->GetCount(), 0);
            EXPECT_EQ(Box(d, IDC_LCDEF_HSEISMCASE)->GetCurSel(), 2) << "the last one listed";
        },
        IDD_LCDEFINE);
    ScriptedUser::PressCancel(IDD_LCDEFINE);
    CLoadCombination lc;
    RunEditor(&lc);
}

TEST_F(LCDefine, TheTwoSeismicActionsMayNotShareADefinition)
{
    AddCase(0);
    AddSeismic(2);
    CLoadSeism* e1 = s.m_pLoadSeismList->Get(1);
    CLoadSeism* e2 = s.m_pLoadSeismList->Get(2);
    // Rows: 0 E1, 1 E2, 2 E1P, 3 E2P, 4 E1M, 5 E2M.
    struct Step
    {
        int box, row;
        bool refused;
        CLoadSeism* first;
        CLoadSeism* second;
    };
    const Step steps[] = {
        {IDC_LCDEF_HSEISMCASE, 0, false, e1, nullptr},
        // The second box refuses the first's definition, whatever the variants.
        {IDC_LCDEF_HSEISM2CASE, 2, true, e1, nullptr},
        {IDC_LCDEF_HSEISM2CASE, 0, true, e1, nullptr},
        {IDC_LCDEF_HSEISM2CASE, 1, false, e1, e2},
        // The first box refuses the second's only when both show the same variant.
        {IDC_LCDEF_HSEISMCASE, 3, false, e2, e2},
        {IDC_LCDEF_HSEISMCASE, 0, false, e1, e2},
        {IDC_LCDEF_HSEISMCASE, 1, true, e1, e2},
    };
    int i = 0;
    for (const Step& step : steps) {
        ScriptedUser::SelectRow(step.box, step.row, IDD_LCDEFINE);
        if (step.refused) ScriptedUser::AnswerMessageBox(IDOK, "两个基本水平地震工况不能相同！");
        ScriptedUser::Run(
            [step, i](CDialog* d) {
                EXPECT_EQ(Editor(d)->m_lc.m_pSeism1, step.first) << "step " << i;
                EXPECT_EQ(Editor(d)->m_lc.m_pSeism2, step.second) << "step " << i;
            },
            IDD_LCDEFINE);
        ++i;
    }
    ScriptedUser::PressCancel(IDD_LCDEFINE);
    CLoadCombination lc;
    EXPECT_EQ(RunEditor(&lc), IDCANCEL);
    EXPECT_EQ(lc.m_pSeism1, nullptr) << "Cancel leaves the combination as it was";
}

TEST_F(LCDefine, TemperatureAndCraneCasesByPosition)
{
    AddCase(0);
    AddCase(11); // T1
    AddCase(12); // T2
    AddCase(21); // C1
    AddCase(22); // C2
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_EQ(Items(d, IDC_LCDEF_TEMPCASE), (std::vector<std::string>{"T1", "T2"}));
            EXPECT_EQ(Items(d, IDC_LCDEF_CRANECASE), (std::vector<std::string>{"C1", "C2"}));
        },
        IDD_LCDEFINE);
    ScriptedUser::SelectString(IDC_LCDEF_TEMPCASE, "T2", IDD_LCDEFINE);
    ScriptedUser::SetText(IDC_LCDEF_TEMPERATURE, "0.84", IDD_LCDEFINE);
    ScriptedUser::SelectString(IDC_LCDEF_CRANECASE, "C2", IDD_LCDEFINE);
    ScriptedUser::SetText(IDC_LCDEF_CRANE, "1.4", IDD_LCDEFINE);
    ScriptedUser::PressOK(IDD_LCDEFINE);
    CLoadCombination lc;
    ASSERT_EQ(RunEditor(&lc), IDOK);
    EXPECT_EQ(lc.m_nTemperatureCase, 2);
    EXPECT_FLOAT_EQ(lc.m_fTemperature, 0.84f);
    EXPECT_EQ(lc.m_nCraneCase, 2);
    EXPECT_FLOAT_EQ(lc.m_fCrane, 1.4f);
}

TEST_F(LCDefine, FactorTextsThatChangeNothing)
{
    AddCase(0);
    AddCase(1);
    // Typed into the dead-load factor (1.2 to begin with), one after another.
    const struct
    {
        const char* typed;
        float working; // the working copy's dead factor afterwards
    } typed[] = {
        {"1.2005", 1.2f}, // 0.001 or less: not taken
        {"1.21", 1.21f},
        {"-", 1.21f},     // a negative number on its way
        {"-0", 1.21f},
        {"-0.", 1.21f},
        {"-0.5", -0.5f},
    };
    for (const auto& t : typed) {
        ScriptedUser::SetText(IDC_LCDEF_DEAD, t.typed, IDD_LCDEFINE);
        ScriptedUser::Run([t](CDialog* d) { EXPECT_FLOAT_EQ(Editor(d)->m_lc.m_fDead, t.working) << t.typed; },
                          IDD_LCDEFINE);
    }
    ScriptedUser::PressOK(IDD_LCDEFINE);
    CLoadCombination lc;
    lc.m_fDead = 1.2f;
    ASSERT_EQ(RunEditor(&lc), IDOK);
    EXPECT_FLOAT_EQ(lc.m_fDead, -0.5f);
}

TEST_F(LCDefine, AChangeOfAThousandthOrLessNeverReachesTheCombination)
{
    AddCase(0);
    ScriptedUser::SetText(IDC_LCDEF_DEAD, "1.2005", IDD_LCDEFINE);
    ScriptedUser::PressOK(IDD_LCDEFINE);
    CLoadCombination lc;
    lc.m_fDead = 1.2f;
    ASSERT_EQ(RunEditor(&lc), IDOK);
    EXPECT_FLOAT_EQ(lc.m_fDead, 1.2f);
}

TEST_F(LCDefine, BadFactorsAreRefusedAndChangeNothing)
{
    AddCase(0);
    const struct
    {
        const char* typed;
        const char* message;
    } bad[] = {{"6", "-5"}, {"-5.5", "-5"}, {"abc", "请输入一个数字"}};
    for (const auto& b : bad) {
        ScriptedUser::Reset();
        // Refused as typed (the handler reads every control), and again at OK.
        ScriptedUser::SetText(IDC_LCDEF_DEAD, b.typed, IDD_LCDEFINE);
        ScriptedUser::AnswerMessageBox(IDOK, b.message);
        ScriptedUser::PressOK(IDD_LCDEFINE);
        ScriptedUser::AnswerMessageBox(IDOK, b.message);
        ScriptedUser::PressCancel(IDD_LCDEFINE);
        CLoadCombination lc;
        lc.m_fDead = 1.2f;
        EXPECT_EQ(RunEditor(&lc), IDCANCEL) << b.typed;
        EXPECT_FLOAT_EQ(lc.m_fDead, 1.2f) << b.typed;
        EXPECT_EQ(ScriptedUser::PendingSteps(), 0u) << b.typed;
    }
}

TEST_F(LCDefine, AZeroSeismicFactorTakesTheActionOut)
{
    AddCase(0);
    AddSeismic(2);
    CLoadCombination lc;
    lc.m_fDead = 1.2f;
    lc.m_fHSeism = 1.3f;
    lc.m_pSeism1 = s.m_pLoadSeismList->Get(2);
    lc.m_fAddHSeism = 0.4f;
    lc.m_pSeism2 = s.m_pLoadSeismList->Get(1);
    ScriptedUser::Run(
        [](CDialog* d) {
            CString sel;
            Box(d, IDC_LCDEF_HSEISMCASE)->GetLBText(Box(d, IDC_LCDEF_HSEISMCASE)->GetCurSel(), sel);
            EXPECT_EQ(sel, CString("E2"));
        },
        IDD_LCDEFINE);
    ScriptedUser::SetText(IDC_LCDEF_HSEISM, "0", IDD_LCDEFINE);
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_EQ(Box(d, IDC_LCDEF_HSEISMCASE)->GetCurSel(), -1) << "the box is cleared";
            EXPECT_EQ(DlgText(d, IDC_LCDEF_DESCRIPTION), CString("LC0:1.20D+0.40E1"));
        },
        IDD_LCDEFINE);
    ScriptedUser::PressOK(IDD_LCDEFINE);
    ASSERT_EQ(RunEditor(&lc), IDOK);
    EXPECT_FLOAT_EQ(lc.m_fHSeism, 0.0f);
    EXPECT_EQ(lc.m_pSeism1, nullptr);
    EXPECT_FLOAT_EQ(lc.m_fAddHSeism, 0.4f) << "the additional action stays";
    EXPECT_EQ(lc.m_pSeism2, s.m_pLoadSeismList->Get(1));
}

TEST_F(LCDefine, OKRefusesACombinationTheListHolds)
{
    AddCase(0);
    AddCase(1);
    CLoadCombination* first = AddCombination(0, 1.2f, 1.4f);
    CLoadCombination* second = AddCombination(0, 1.35f, 0.98f);

    // Unchanged: the combination itself is in the list. Cancel leaves it as it was.
    ScriptedUser::PressOK(IDD_LCDEFINE);
    ScriptedUser::AnswerMessageBox(IDOK, "荷载组合表中已存在此荷载组合，不能替换！");
    ScriptedUser::PressCancel(IDD_LCDEFINE);
    EXPECT_EQ(RunEditor(first), IDCANCEL);
    EXPECT_FLOAT_EQ(first->m_fLive, 1.4f);

    // Made a copy of the first: refused.
    ScriptedUser::SetText(IDC_LCDEF_DEAD, "1.2", IDD_LCDEFINE);
    ScriptedUser::SetText(IDC_LCDEF_LIVE, "1.4", IDD_LCDEFINE);
    ScriptedUser::PressOK(IDD_LCDEFINE);
    ScriptedUser::AnswerMessageBox(IDOK, "荷载组合表中已存在此荷载组合，不能替换！");
    ScriptedUser::PressCancel(IDD_LCDEFINE);
    EXPECT_EQ(RunEditor(second), IDCANCEL);
    EXPECT_FLOAT_EQ(second->m_fDead, 1.35f);

    // Changed: taken, number kept.
    ScriptedUser::SetText(IDC_LCDEF_LIVE, "1.5", IDD_LCDEFINE);
    ScriptedUser::Run([](CDialog* d) { EXPECT_EQ(DlgText(d, IDC_LCDEF_DESCRIPTION), CString("LC1:1.20D+1.50L")); },
                      IDD_LCDEFINE);
    ScriptedUser::PressOK(IDD_LCDEFINE);
    EXPECT_EQ(RunEditor(first), IDOK);
    EXPECT_FLOAT_EQ(first->m_fLive, 1.5f);
    EXPECT_EQ(first->m_nNo, 1);
}

// The time-history results dialog under the scripted user: the rows, the factors computed
// and stored, typed factors, refused input, rows outside the results, the plots it draws
// and the report it opens.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <vyr/input/DlgTHResult.h>
#include <vyr/resources/dialogs/ReportRes.h>
#include <vyr/resources/dialogs/THResultRes.h>
#include <vyr/scripteduser.h>
#include "THResultTestKit.h"
#include "support/DialogTest.h"

using vyr::ScriptedUser;
using namespace thtest;

namespace {

float BoxValue(CDialog* d, int id)
{
    CString t;
    d->GetDlgItemText(id, t);
    return (float)std::atof(t.GetString());
}

// The plot the dialog draws for its selected row and tab, recorded.
std::vector<vyr::DrawRecord> Plot(CDialog* d, bool y = false)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    static_cast<CDlgTHResult*>(d)->DrawPlot(&dc, CRect(0, 0, 300, 380), y);
    return dc.Records();
}

class THResultDialogTest : public vyrtest::DialogTest
{
protected:
    // Two cases with base shears 600 and 800 kN in X and 400 in Y under a spectrum of 1000
    // and 500 kN: the average has 700 and 400.
    THModel m{3};
    CTimeAnalyResult* r1 = nullptr;
    CTimeAnalyResult* r2 = nullptr;
    CTimeAnalyResultList* list = m.st.m_pTimeAnalyResultList;

    void SetUp() override
    {
        DialogTest::SetUp();
        m.Cases(2);
        r1 = m.Result(4, 600, 400);
        r2 = m.Result(4, 800, 400);
        list->SetDefineX(true);
        list->SetDefineY(true);
        m.Spectrum(1000, 500);
    }

    void Open()
    {
        ScriptedUser::PressOK(IDD_THRESULT);
        CDlgTHResult dlg;
        dlg.m_pData = &m.data;
        EXPECT_EQ(dlg.DoModal(), IDOK);
    }
};

} // namespace

TEST(THResultRules, AmplifyFactor)
{
    struct Case
    {
        bool average;
        float spectrum, base, factor;
    };
    const Case cases[] = {
        {true, 1000, 700, 0.8f * 1000 / 700}, // 1.142857
        {false, 1000, 600, 0.65f * 1000 / 600}, // 1.083333
        {false, 1000, 700, 1},                  // 650 - 700 does not raise it
        {true, 1000, 800, 1},                   // exactly the share
        {false, 1000, 0, 1},                    // no base shear
        {false, 1000, 0.001f, 1},
        {true, 0, 700, 1},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(VyrTHAmplifyFactor(c.average, c.spectrum, c.base), c.factor, 1e-6)
            << c.average << " " << c.spectrum << " " << c.base;
}

TEST(THResultRules, SpectrumBaseShearIsTheLargestMagnitudeOfTheFirstStorey)
{
    THModel m(3);
    m.Spectrum(1000, 500);
    m.st.m_pFloorList->Get(3)->m_fSeismShearX[0] = 5000; // another storey is not looked at
    EXPECT_EQ(VyrSpectrumBaseShear(&m.st, false), 1000.0f);
    EXPECT_EQ(VyrSpectrumBaseShear(&m.st, true), 500.0f) << "-500 counts by its magnitude";
    m.st.m_nFirstFloorNo = 0; // taken as 1
    EXPECT_EQ(VyrSpectrumBaseShear(&m.st, false), 1000.0f);
    m.st.m_nFirstFloorNo = 2;
    EXPECT_EQ(VyrSpectrumBaseShear(&m.st, false), 5000.0f);
    m.st.m_nFirstFloorNo = 9; // no such storey
    EXPECT_EQ(VyrSpectrumBaseShear(&m.st, false), 0.0f);
}

TEST_F(THResultDialogTest, OpeningSelectsTheAverageAndStoresItsFactorsBeforeDrawing)
{
    ScriptedUser::Run([&](CDialog* d) {
        auto* dlg = static_cast<CDlgTHResult*>(d);
        ASSERT_EQ(dlg->m_list.GetItemCount(), 3);
        EXPECT_EQ(dlg->m_list.GetItemText(0, 0), "TH1 ");
        EXPECT_EQ(dlg->m_list.GetItemText(1, 1), "TH2");
        EXPECT_EQ(dlg->m_list.GetItemText(2, 0), "Average");
        EXPECT_EQ(dlg->m_list.GetItemText(2, 1), "平均值");
        EXPECT_EQ(dlg->GetSelectedRow(), 2);
        EXPECT_EQ(dlg->m_tab.GetCurSel(), 0);
        EXPECT_EQ(BoxValue(d, IDC_THRESULT_SPECX), 1000.0f);
        EXPECT_EQ(BoxValue(d, IDC_THRESULT_SPECY), 500.0f);
        EXPECT_NEAR(BoxValue(d, IDC_THRESULT_AMPX), 1.142857f, 1e-5);
        EXPECT_EQ(BoxValue(d, IDC_THRESULT_AMPY), 1.0f);
        EXPECT_EQ(d->IsDlgButtonChecked(IDC_THRESULT_AUTOX), BST_CHECKED);
        // The plots show the amplified average: top displacement 1.0 x 1.142857.
        EXPECT_NE(FindText(Plot(d), "X方向最大楼层位移=1.14(cm)"), nullptr);
    }, IDD_THRESULT);
    Open();
    EXPECT_NEAR(list->GetAmplifyX(), 1.142857f, 1e-6);
    EXPECT_EQ(list->GetAmplifyY(), 1.0f);
    EXPECT_EQ(r1->GetAmplifyX(), 1.0f) << "case rows wait until they are selected";
}

TEST_F(THResultDialogTest, SelectingACaseRowComputesItsFactorsWithTheCaseShare)
{
    ScriptedUser::SelectRow(IDC_THRESULT_LIST, 0, IDD_THRESULT);
    ScriptedUser::Run([&](CDialog* d) { EXPECT_NEAR(BoxValue(d, IDC_THRESULT_AMPX), 1.083333f, 1e-5); });
    ScriptedUser::SelectRow(IDC_THRESULT_LIST, 1, IDD_THRESULT);
    ScriptedUser::Run([&](CDialog* d) { EXPECT_EQ(BoxValue(d, IDC_THRESULT_AMPX), 1.0f); });
    Open();
    EXPECT_NEAR(r1->GetAmplifyX(), 0.65f * 1000 / 600, 1e-6);
    EXPECT_EQ(r1->GetAmplifyY(), 1.0f);
    EXPECT_EQ(r2->GetAmplifyX(), 1.0f);
}

TEST_F(THResultDialogTest, ARowWithoutAutomaticFactorsShowsAndKeepsItsOwn)
{
    r1->SetDefineX(false);
    r1->SetDefineY(false);
    r1->SetAmplifyX(1.5f);
    r1->SetAmplifyY(1.25f);
    ScriptedUser::SelectRow(IDC_THRESULT_LIST, 0, IDD_THRESULT);
    ScriptedUser::Run([&](CDialog* d) {
        EXPECT_EQ(BoxValue(d, IDC_THRESULT_AMPX), 1.5f) << "not the average's 1.142857 left in the box";
        EXPECT_EQ(BoxValue(d, IDC_THRESULT_AMPY), 1.25f);
        EXPECT_EQ(d->IsDlgButtonChecked(IDC_THRESULT_AUTOX), BST_UNCHECKED);
    });
    ScriptedUser::Click(IDC_THRESULT_REFRESH, IDD_THRESULT);
    Open();
    EXPECT_EQ(r1->GetAmplifyX(), 1.5f);
    EXPECT_EQ(r1->GetAmplifyY(), 1.25f);
    EXPECT_EQ(r1->GetDefineX(), 0.0f);
}

TEST_F(THResultDialogTest, RefreshStoresTypedFactorsAndTheAutomaticFlags)
{
    ScriptedUser::SelectRow(IDC_THRESULT_LIST, 0, IDD_THRESULT);
    ScriptedUser::Check(IDC_THRESULT_AUTOX, BST_UNCHECKED, IDD_THRESULT);
    ScriptedUser::SetText(IDC_THRESULT_AMPX, "2", IDD_THRESULT);
    ScriptedUser::SetText(IDC_THRESULT_AMPY, "3", IDD_THRESULT); // "自动" ticked: recomputed
    ScriptedUser::Click(IDC_THRESULT_REFRESH, IDD_THRESULT);
    float typed = 0, kept = 0, yAfter = 0;
    ScriptedUser::Run([&](CDialog* d) {
        typed = r1->GetAmplifyX();
        kept = r1->GetDefineX();
        yAfter = BoxValue(d, IDC_THRESULT_AMPY);
        // The curves follow the stored factor: top displacement 1.0 x 2.
        EXPECT_NE(FindText(Plot(d), "X方向最大楼层位移=2.00(cm)"), nullptr);
    });
    ScriptedUser::Check(IDC_THRESULT_AUTOX, BST_CHECKED, IDD_THRESULT);
    ScriptedUser::Click(IDC_THRESULT_REFRESH, IDD_THRESULT);
    Open();
    EXPECT_EQ(typed, 2.0f);
    EXPECT_EQ(kept, 0.0f);
    EXPECT_EQ(yAfter, 1.0f);
    EXPECT_NEAR(r1->GetAmplifyX(), 1.083333f, 1e-6);
    EXPECT_EQ(r1->GetDefineX(), 1.0f);
    EXPECT_EQ(r1->GetAmplifyY(), 1.0f);
}

TEST_F(THResultDialogTest, ANonNumericFactorIsRefusedByRefreshOnlyAndChangesNothing)
{
    ScriptedUser::SelectRow(IDC_THRESULT_LIST, 0, IDD_THRESULT);
    ScriptedUser::Check(IDC_THRESULT_AUTOX, BST_UNCHECKED, IDD_THRESULT);
    ScriptedUser::SetText(IDC_THRESULT_AMPX, "abc", IDD_THRESULT);
    // Redrawing reads no box, so a tab change asks nothing.
    ScriptedUser::SelectRow(IDC_THRESULT_TAB, 2, IDD_THRESULT);
    ScriptedUser::Run([&](CDialog* d) {
        EXPECT_NE(FindText(Plot(d), "X方向最大楼层剪力=650.00(kN)"), nullptr) << "600 x 1.083333 at the base";
    });
    ScriptedUser::Click(IDC_THRESULT_REFRESH, IDD_THRESULT);
    ScriptedUser::AnswerMessageBox(IDOK, "请输入一个数字");
    // Closing exchanges the boxes as well; a number typed now is not stored by closing.
    ScriptedUser::SetText(IDC_THRESULT_AMPX, "1.5", IDD_THRESULT);
    Open();
    EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 1u);
    EXPECT_NEAR(r1->GetAmplifyX(), 1.083333f, 1e-6);
    EXPECT_EQ(r1->GetDefineX(), 1.0f);
}

TEST_F(THResultDialogTest, RowsBeyondTheResultsAndNoRowShowClearedFrames)
{
    // Two cases but one result: row 1 is the average, row 2 lies beyond the results.
    list->RemoveTail();
    delete r2;
    ScriptedUser::Run([&](CDialog* d) {
        EXPECT_EQ(static_cast<CDlgTHResult*>(d)->GetSelectedRow(), 2);
        EXPECT_EQ(Plot(d).size(), 1u) << "the clearing rectangle only";
        EXPECT_EQ(Plot(d, true).size(), 1u);
    });
    ScriptedUser::SelectRow(IDC_THRESULT_LIST, 1, IDD_THRESULT);
    ScriptedUser::Run([&](CDialog* d) { EXPECT_GT(Plot(d).size(), 1u); });
    ScriptedUser::Run([&](CDialog* d) {
        static_cast<CDlgTHResult*>(d)->m_list.SetItemState(-1, 0, LVIS_SELECTED);
        EXPECT_EQ(static_cast<CDlgTHResult*>(d)->GetSelectedRow(), -1);
        EXPECT_EQ(Plot(d).size(), 1u);
    });
    ScriptedUser::Click(IDC_THRESULT_REFRESH, IDD_THRESULT);
    Open();
    // The average of the one result (600) was stored when its row was chosen.
    EXPECT_NEAR(list->GetAmplifyX(), 0.8f * 1000 / 600, 1e-6);
}

TEST_F(THResultDialogTest, ReportButtonOpensTheReportOnTheModel)
{
    ScriptedUser::Click(IDC_THRESULT_REPORT, IDD_THRESULT);
    std::string text;
    ScriptedUser::Run([&](CDialog* d) {
        CString t;
        d->GetDlgItemText(IDC_REPORT_EDIT, t);
        text = t.GetString();
    }, IDD_OUTPUTTHRESULT);
    ScriptedUser::PressOK(IDD_OUTPUTTHRESULT);
    Open();
    EXPECT_NE(text.find("测试工程弹性时程分析结果信息"), std::string::npos);
    EXPECT_NE(text.find("第2时程工况-Y向平均最大反应表"), std::string::npos);
}

// The lacing-bar dialog picks its angle in the browser: the picked angle shows with its
// short name and material, passes to the caller on OK, and is destroyed when not taken.
#include "stdsec_fixture.h"

#include <vyr/libraries/DlgStay.h>
#include <vyr/resources/dialogs/StayRes.h>

using namespace stdsec;

namespace {

struct LacingAngle : Project
{
    CSCombineBOX combined;

    void PickInBrowser(const char* designation)
    {
        ScriptedUser::Click(IDC_STAYBAR_CHOOSEANGLE, IDD_STAYBAR);
        ScriptChoose(designation);
        ScriptedUser::PressOK(IDD_STDSECTIONLIB);
    }
};

} // namespace

TEST_F(LacingAngle, PickedAngleShowsAndPassesToTheCaller)
{
    PickInBrowser("L50x5");
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_EQ(Text(d, IDC_STAYBAR_ANGLE), "中 热角L50x5");
            EXPECT_EQ(Text(d, IDC_STAYBAR_MATERIAL), "Q235B") << "the first text of the browser's default material";
        },
        IDD_STAYBAR);
    ScriptedUser::SetText(IDC_STAYBAR_SPACE, "300", IDD_STAYBAR);
    ScriptedUser::PressOK(IDD_STAYBAR);
    CDlgStayBar bar(&combined, nullptr);
    bar.m_pData = &data;
    ASSERT_EQ(bar.DoModal(), IDOK);
    std::unique_ptr<CSectionBase> angle(bar.TakeAngle());
    ASSERT_NE(angle, nullptr);
    EXPECT_EQ(angle->GetType(), 101);
    EXPECT_EQ(angle->m_strDim, CString("L50x5"));
    EXPECT_EQ(angle->m_pMaterial, q235);
    EXPECT_EQ(LibraryCount(), 0) << "the angle is the bar's, not the library's";
}

TEST_F(LacingAngle, ABrowserCancelledOrRefusedKeepsTheRecordsAngle)
{
    CSRolledEAngle own(101, 63, 6, 7, 7, 17.8f);
    own.m_strKind = "中 热角L63x6";
    ScriptedUser::Click(IDC_STAYBAR_CHOOSEANGLE, IDD_STAYBAR);
    ScriptedUser::PressCancel(IDD_STDSECTIONLIB);
    // OK without a row: refused, the browser stays open until cancelled.
    ScriptedUser::Click(IDC_STAYBAR_CHOOSEANGLE, IDD_STAYBAR);
    ScriptedUser::PressOK(IDD_STDSECTIONLIB);
    ScriptedUser::AnswerMessageBox(IDOK, "请选择截面！");
    ScriptedUser::PressCancel(IDD_STDSECTIONLIB);
    ScriptedUser::Run([](CDialog* d) { EXPECT_EQ(Text(d, IDC_STAYBAR_ANGLE), "中 热角L63x6"); }, IDD_STAYBAR);
    ScriptedUser::SetText(IDC_STAYBAR_SPACE, "300", IDD_STAYBAR);
    ScriptedUser::PressOK(IDD_STAYBAR);
    CDlgStayBar bar(&combined, &own);
    bar.m_pData = &data;
    ASSERT_EQ(bar.DoModal(), IDOK);
    EXPECT_EQ(bar.TakeAngle(), &own);
}

TEST_F(LacingAngle, PicksNotTakenAreDestroyedOnce)
{
    // Two picks, then Cancel: the first pick is destroyed when the second replaces it, the
    // second with the dialog; the record's own angle stays (AddressSanitizer watches).
    auto* own = new CSRolledEAngle(101, 63, 6, 7, 7, 17.8f);
    PickInBrowser("L50x5");
    PickInBrowser("L40x3");
    ScriptedUser::Run([](CDialog* d) { EXPECT_EQ(Text(d, IDC_STAYBAR_ANGLE), "中 热角L40x3"); }, IDD_STAYBAR);
    ScriptedUser::PressCancel(IDD_STAYBAR);
    {
        CDlgStayBar bar(&combined, own);
        bar.m_pData = &data;
        EXPECT_EQ(bar.DoModal(), IDCANCEL);
    }
    EXPECT_EQ(own->GetType(), 101);
    delete own;
}

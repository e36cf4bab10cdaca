// The option dialogs and the member-type filter under a scripted user.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/TestHost.h"
#include <vyr/host/DlgOption.h>
#include <vyr/host/DlgResultOption.h>
#include <vyr/host/DlgSelectType.h>
#include <vyr/resources/dialogs/OptionRes.h>
#include <vyr/resources/dialogs/SelectTypeRes.h>
#include <vyr/scripteduser.h>

using vyr::ScriptedUser;

namespace {

struct OptionFixture : ::testing::Test
{
    vyrtest::CTestHost host;

    void SetUp() override
    {
        vyr::VyrSetResourceDir((std::string(VYR_SOURCE_DIR) + "/resources").c_str());
        ScriptedUser::Reset();
    }
    void TearDown() override
    {
        EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);
        ScriptedUser::Reset();
    }
    static CString Text(CDialog* d, int id)
    {
        CString s;
        d->GetDlgItem(id)->GetWindowText(s);
        return s;
    }
    static bool Checked(CDialog* d, int id) { return d->IsDlgButtonChecked(id) == BST_CHECKED; }
    static bool WholeTextSelected(CDialog* d, int id)
    {
        DWORD sel = (DWORD)d->SendDlgItemMessage(id, EM_GETSEL, 0, 0);
        return LOWORD(sel) == 0 && HIWORD(sel) == (WORD)Text(d, id).GetLength();
    }
};

// The check boxes of the type filter in the order of its flags.
const int kTypeBoxes[11] = {IDC_SELTYPE_BEAM,     IDC_SELTYPE_BRACE,      IDC_SELTYPE_TENSIONONLY,
                            IDC_SELTYPE_COLUMN,   IDC_SELTYPE_SUBBEAM,    IDC_SELTYPE_BOTTOMCHORD,
                            IDC_SELTYPE_DIAGONAL, IDC_SELTYPE_TOPCHORD,   IDC_SELTYPE_VERTICAL,
                            IDC_SELTYPE_WINDCOLUMN, IDC_SELTYPE_CRANEBEAM};

int* TypeFlag(CDlgSelectType& d, int i)
{
    int* flags[11] = {&d.m_bBeam,     &d.m_bBrace,     &d.m_bTensionOnly, &d.m_bColumn,
                      &d.m_bSubBeam,  &d.m_bBottomChord, &d.m_bDiagonal,  &d.m_bTopChord,
                      &d.m_bVertical, &d.m_bWindColumn, &d.m_bCraneBeam};
    return flags[i];
}

} // namespace

TEST_F(OptionFixture, AutoSaveChecksTheIntervalFirstThenTheFilesOnlyWhenOn)
{
    struct Case
    {
        const char* name;
        int check;
        const char* minutes;
        const char* files;
        const char* message; // null: accepted
        int focus;           // edit pointed at when refused
    };
    const Case cases[] = {
        {"on, 0, 0", BST_CHECKED, "0", "0", "自动存盘时间间隔必须大于0！", IDC_OPTION_MINUTES},
        {"on, -3, 2", BST_CHECKED, "-3", "2", "自动存盘时间间隔必须大于0！", IDC_OPTION_MINUTES},
        {"on, 5, 0", BST_CHECKED, "5", "0", "自动存盘的存盘文件个数必须大于0！", IDC_OPTION_FILES},
        {"off, -5, 0", BST_UNCHECKED, "-5", "0", nullptr, 0},
        {"on, 7, 4", BST_CHECKED, "7", "4", nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUser::Reset();
        // Ticking the box re-enables the edits so that they can be typed into.
        ScriptedUser::Check(IDC_OPTION_AUTOSAVE, BST_CHECKED, IDD_OPTION);
        ScriptedUser::SetText(IDC_OPTION_MINUTES, c.minutes, IDD_OPTION);
        ScriptedUser::SetText(IDC_OPTION_FILES, c.files, IDD_OPTION);
        ScriptedUser::Check(IDC_OPTION_AUTOSAVE, c.check, IDD_OPTION);
        ScriptedUser::PressOK(IDD_OPTION);
        if (c.message != nullptr) {
            ScriptedUser::AnswerMessageBox(IDOK, c.message);
            ScriptedUser::Run(
                [&](CDialog* d) {
                    EXPECT_TRUE(d->IsModalRunning()) << "the dialog stays open";
                    EXPECT_EQ(CWnd::GetFocus(), d->GetDlgItem(c.focus));
                    EXPECT_TRUE(WholeTextSelected(d, c.focus));
                },
                IDD_OPTION);
            ScriptedUser::PressCancel(IDD_OPTION);
        }
        CDlgOption dlg(&host);
        dlg.m_option.m_nAutoSave = 0;
        dlg.m_option.m_nMinutes = 30;
        dlg.m_option.m_nFiles = 9;
        const INT_PTR result = dlg.DoModal();
        ASSERT_EQ(ScriptedUser::MessageBoxes().size(), c.message ? 1u : 0u);
        if (c.message != nullptr) {
            EXPECT_EQ(result, IDCANCEL);
            EXPECT_EQ(ScriptedUser::MessageBoxes()[0].text, CString(c.message));
            EXPECT_EQ(dlg.m_option.m_nAutoSave, 0) << "a refused dialog changes no option";
            EXPECT_EQ(dlg.m_option.m_nMinutes, 30);
            EXPECT_EQ(dlg.m_option.m_nFiles, 9);
        } else {
            EXPECT_EQ(result, IDOK);
            EXPECT_EQ(dlg.m_option.m_nAutoSave, c.check == BST_CHECKED ? 1 : 0);
            EXPECT_EQ(dlg.m_option.m_nMinutes, atoi(c.minutes));
            EXPECT_EQ(dlg.m_option.m_nFiles, atoi(c.files));
        }
    }
}

TEST_F(OptionFixture, OptionsOpenWithTheRecordAndTheEditsFollowTheSwitch)
{
    ScriptedUser::Run(
        [](CDialog* d) {
            CString caption;
            d->GetWindowText(caption);
            EXPECT_EQ(caption, CString("选项"));
            EXPECT_FALSE(Checked(d, IDC_OPTION_AUTOSAVE));
            EXPECT_EQ(Text(d, IDC_OPTION_MINUTES), CString("12"));
            EXPECT_EQ(Text(d, IDC_OPTION_FILES), CString("4"));
            EXPECT_FALSE(d->GetDlgItem(IDC_OPTION_MINUTES)->IsWindowEnabled());
            EXPECT_FALSE(d->GetDlgItem(IDC_OPTION_FILES)->IsWindowEnabled());
        },
        IDD_OPTION);
    ScriptedUser::Check(IDC_OPTION_AUTOSAVE, BST_CHECKED, IDD_OPTION);
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_TRUE(d->GetDlgItem(IDC_OPTION_MINUTES)->IsWindowEnabled());
            EXPECT_TRUE(d->GetDlgItem(IDC_OPTION_FILES)->IsWindowEnabled());
        },
        IDD_OPTION);
    ScriptedUser::Check(IDC_OPTION_AUTOSAVE, BST_UNCHECKED, IDD_OPTION);
    ScriptedUser::Run([](CDialog* d) { EXPECT_FALSE(d->GetDlgItem(IDC_OPTION_MINUTES)->IsWindowEnabled()); },
                      IDD_OPTION);
    ScriptedUser::PressCancel(IDD_OPTION);
    CDlgOption dlg(&host);
    dlg.m_option.m_nAutoSave = 0;
    dlg.m_option.m_nMinutes = 12;
    dlg.m_option.m_nFiles = 4;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_option.m_nMinutes, 12);

    // A fresh record: saving on, every 10 minutes, 3 files.
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_TRUE(Checked(d, IDC_OPTION_AUTOSAVE));
            EXPECT_EQ(Text(d, IDC_OPTION_MINUTES), CString("10"));
            EXPECT_EQ(Text(d, IDC_OPTION_FILES), CString("3"));
            EXPECT_TRUE(d->GetDlgItem(IDC_OPTION_FILES)->IsWindowEnabled());
        },
        IDD_OPTION);
    ScriptedUser::PressOK(IDD_OPTION);
    CDlgOption fresh(&host);
    EXPECT_EQ(fresh.DoModal(), IDOK);
}

TEST_F(OptionFixture, OptionsRefuseTextThatIsNoInteger)
{
    ScriptedUser::SetText(IDC_OPTION_FILES, "drei", IDD_OPTION);
    ScriptedUser::PressOK(IDD_OPTION);
    ScriptedUser::AnswerMessageBox(IDOK, vyr::kDdxIntegerPrompt);
    ScriptedUser::Run([](CDialog* d) { EXPECT_EQ(CWnd::GetFocus(), d->GetDlgItem(IDC_OPTION_FILES)); }, IDD_OPTION);
    ScriptedUser::SetText(IDC_OPTION_FILES, "6", IDD_OPTION);
    ScriptedUser::PressOK(IDD_OPTION);
    CDlgOption dlg(&host);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_option.m_nFiles, 6);
}

TEST_F(OptionFixture, ResultOptionsExchangeTheirMembers)
{
    ScriptedUser::Run(
        [](CDialog* d) {
            CString caption;
            d->GetWindowText(caption);
            EXPECT_EQ(caption, CString("内力位移显示选项"));
            EXPECT_TRUE(Checked(d, IDC_RESOPT_SHOWSTRUCT));
            EXPECT_EQ(Text(d, IDC_RESOPT_DISPSCALE), CString("2.5"));
            EXPECT_EQ(Text(d, IDC_RESOPT_FORCESCALE), CString("0.75"));
            EXPECT_FALSE(Checked(d, IDC_RESOPT_AUTOSCALE));
            EXPECT_TRUE(Checked(d, IDC_RESOPT_ENDVALUE));
        },
        IDD_RESULTOPTION);
    ScriptedUser::SetText(IDC_RESOPT_FORCESCALE, "x1", IDD_RESULTOPTION);
    ScriptedUser::PressOK(IDD_RESULTOPTION);
    ScriptedUser::AnswerMessageBox(IDOK, vyr::kDdxNumberPrompt);
    ScriptedUser::SetText(IDC_RESOPT_FORCESCALE, "40", IDD_RESULTOPTION);
    ScriptedUser::Check(IDC_RESOPT_SHOWSTRUCT, BST_UNCHECKED, IDD_RESULTOPTION);
    ScriptedUser::Check(IDC_RESOPT_AUTOSCALE, BST_CHECKED, IDD_RESULTOPTION);
    ScriptedUser::PressOK(IDD_RESULTOPTION);
    CDlgResultOption dlg(&host);
    dlg.m_bShowStruct = 1;
    dlg.m_fDispScale = 2.5f;
    dlg.m_fForceScale = 0.75f;
    dlg.m_bShowEndValue = 1;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_bShowStruct, 0);
    EXPECT_EQ(dlg.m_fDispScale, 2.5f);
    EXPECT_EQ(dlg.m_fForceScale, 40.0f);
    EXPECT_EQ(dlg.m_bAutoScale, 1);
    EXPECT_EQ(dlg.m_bShowEndValue, 1);
}

TEST_F(OptionFixture, ColourAndFontAreKeptAsSoonAsChosen)
{
    LOGFONT chosen{};
    std::strcpy(chosen.lfFaceName, "WenQuanYi Micro Hei");
    chosen.lfHeight = -20;
    chosen.lfWeight = 700;

    // A font and a colour chosen, then the whole dialog cancelled: both stay.
    ScriptedUser::Click(IDC_RESOPT_FONT, IDD_RESULTOPTION);
    ScriptedUser::AnswerFontDialog(chosen);
    ScriptedUser::Click(IDC_RESOPT_COLOR, IDD_RESULTOPTION);
    ScriptedUser::AnswerColorDialog(RGB(0, 128, 255));
    ScriptedUser::SetText(IDC_RESOPT_DISPSCALE, "9", IDD_RESULTOPTION);
    ScriptedUser::PressCancel(IDD_RESULTOPTION);
    CDlgResultOption dlg(&host);
    dlg.m_fDispScale = 1.0f;
    dlg.m_clrLabel = RGB(255, 0, 0);
    std::strcpy(dlg.m_lfLabel.lfFaceName, "SimSun");
    dlg.m_lfLabel.lfHeight = -12;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_clrLabel, RGB(0, 128, 255));
    EXPECT_STREQ(dlg.m_lfLabel.lfFaceName, "WenQuanYi Micro Hei");
    EXPECT_EQ(dlg.m_lfLabel.lfHeight, -20);
    EXPECT_EQ(dlg.m_lfLabel.lfWeight, 700);
    EXPECT_EQ(dlg.m_fDispScale, 1.0f) << "a cancelled dialog reads no control";

    // Cancelled common dialogs keep what was there.
    ScriptedUser::Click(IDC_RESOPT_FONT, IDD_RESULTOPTION);
    ScriptedUser::CancelCommonDialog();
    ScriptedUser::Click(IDC_RESOPT_COLOR, IDD_RESULTOPTION);
    ScriptedUser::CancelCommonDialog();
    ScriptedUser::PressOK(IDD_RESULTOPTION);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_clrLabel, RGB(0, 128, 255));
    EXPECT_STREQ(dlg.m_lfLabel.lfFaceName, "WenQuanYi Micro Hei");
    EXPECT_EQ(dlg.m_lfLabel.lfHeight, -20);
}

TEST_F(OptionFixture, TypeFilterShowsEachFlagInItsBox)
{
    for (int i = 0; i < 11; ++i) {
        SCOPED_TRACE(i);
        ScriptedUser::Reset();
        ScriptedUser::Run(
            [i](CDialog* d) {
                for (int k = 0; k < 11; ++k)
                    EXPECT_EQ(Checked(d, kTypeBoxes[k]), k == i) << "box " << kTypeBoxes[k];
            },
            IDD_SELECTTYPE);
        // Unticking the one ticked box clears exactly its flag.
        ScriptedUser::Check(kTypeBoxes[i], BST_UNCHECKED, IDD_SELECTTYPE);
        ScriptedUser::Check(kTypeBoxes[(i + 1) % 11], BST_CHECKED, IDD_SELECTTYPE);
        ScriptedUser::PressOK(IDD_SELECTTYPE);
        CDlgSelectType dlg(&host);
        *TypeFlag(dlg, i) = 1;
        EXPECT_EQ(dlg.DoModal(), IDOK);
        for (int k = 0; k < 11; ++k)
            EXPECT_EQ(*TypeFlag(dlg, k), k == (i + 1) % 11 ? 1 : 0) << "flag " << k;
    }
}

TEST_F(OptionFixture, TypeFilterAllAndNoneTickOnlyTheBoxes)
{
    ScriptedUser::Run(
        [](CDialog* d) {
            CString caption;
            d->GetWindowText(caption);
            EXPECT_EQ(caption, CString("当前视图按类型进行选中显示"));
        },
        IDD_SELECTTYPE);
    ScriptedUser::Click(IDC_SELTYPE_NONE, IDD_SELECTTYPE);
    ScriptedUser::PressOK(IDD_SELECTTYPE);
    CDlgSelectType none(&host);
    for (int k = 0; k < 11; ++k)
        *TypeFlag(none, k) = 1;
    EXPECT_EQ(none.DoModal(), IDOK);
    for (int k = 0; k < 11; ++k)
        EXPECT_EQ(*TypeFlag(none, k), 0) << k;

    ScriptedUser::Click(IDC_SELTYPE_ALL, IDD_SELECTTYPE);
    ScriptedUser::Run(
        [](CDialog* d) {
            for (int id : kTypeBoxes)
                EXPECT_TRUE(Checked(d, id)) << id;
        },
        IDD_SELECTTYPE);
    ScriptedUser::PressCancel(IDD_SELECTTYPE);
    CDlgSelectType all(&host);
    all.m_bColumn = 1;
    EXPECT_EQ(all.DoModal(), IDCANCEL);
    for (int k = 0; k < 11; ++k)
        EXPECT_EQ(*TypeFlag(all, k), TypeFlag(all, k) == &all.m_bColumn ? 1 : 0) << k;

    ScriptedUser::Click(IDC_SELTYPE_ALL, IDD_SELECTTYPE);
    ScriptedUser::PressOK(IDD_SELECTTYPE);
    CDlgSelectType ticked(&host);
    EXPECT_EQ(ticked.DoModal(), IDOK);
    for (int k = 0; k < 11; ++k)
        EXPECT_EQ(*TypeFlag(ticked, k), 1) << k;
}

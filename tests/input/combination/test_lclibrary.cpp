// The combination library and the generation parameters: rows of each tab, add and edit
// through the editor, multiple delete with its row arithmetic, renumbering and the current
// combination, the lock, regeneration after the parameters and the question, and the
// output of the three lists to a file the user picks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "CombinationTest.h"
#include <vyr/input/DlgLCAutoParam.h>
#include <vyr/input/DlgLoadCombination.h>
#include <vyr/resources/dialogs/LoadCombRes.h>
#include <vyr/scripteduser.h>

using vyr::ScriptedUser;
using vyrtest::DlgText;

namespace {

struct LCLibrary : vyrtest::CombinationTest
{
    void SetUp() override
    {
        CombinationTest::SetUp();
        AddCase(0);
        AddCase(1);
        AddCase(2);
        AddSeismic(1);
    }
    INT_PTR RunLibrary()
    {
        CDlgLoadCombination dlg(&host);
        dlg.m_pData = &data;
        return dlg.DoModal();
    }
    // Five fundamental combinations 1.1D .. 1.5D and one of each other kind, numbered 1 to 7.
    void AddSeven()
    {
        for (int i = 1; i <= 5; ++i)
            AddCombination(0, 1.0f + 0.1f * i, 1.4f);
        AddCombination(1, 1.0f, 1.0f);
        AddCombination(2, 1.0f, 0.5f);
    }
};

CListCtrl* List(CDialog* d) { return static_cast<CListCtrl*>(d->GetDlgItem(IDC_LCLIB_LIST)); }

// Selects exactly these rows of the list, as a user does with the control key.
void SelectRows(CDialog* d, std::initializer_list<int> rows)
{
    CListCtrl* list = List(d);
    list->SetItemState(-1, 0, LVIS_SELECTED);
    for (int r : rows)
        list->SetItemState(r, LVIS_SELECTED, LVIS_SELECTED);
}

std::vector<std::string> RowTexts(CDialog* d, int column)
{
    std::vector<std::string> rows;
    for (int i = 0; i < List(d)->GetItemCount(); ++i)
        rows.push_back(List(d)->GetItemText(i, column).GetString());
    return rows;
}

} // namespace

TEST_F(LCLibrary, OpensOnTheFundamentalTabWithNumberedRows)
{
    AddSeven();
    s.m_pLCList->m_nLock = 1;
    ScriptedUser::Run(
        [](CDialog* d) {
            CString caption;
            d->GetWindowText(caption);
            EXPECT_EQ(caption, CString("工程当前分析选中荷载组合库"));
            auto* tab = static_cast<CTabCtrl*>(d->GetDlgItem(IDC_LCLIB_TAB));
            ASSERT_EQ(tab->GetItemCount(), 3);
            EXPECT_EQ(tab->GetCurSel(), 0);
            EXPECT_EQ(d->IsDlgButtonChecked(IDC_LCLIB_LOCK), BST_CHECKED) << "the lock box shows the model's flag";
            EXPECT_EQ(RowTexts(d, 0), (std::vector<std::string>{"LC1  ", "LC2  ", "LC3  ", "LC4  ", "LC5  "}));
            EXPECT_EQ(List(d)->GetItemText(0, 1), CString("LC1:1.10D+1.40L"));
        },
        IDD_LOADCOMBINATION);
    ScriptedUser::SelectRow(IDC_LCLIB_TAB, 2, IDD_LOADCOMBINATION);
    ScriptedUser::Run([](CDialog* d) { EXPECT_EQ(RowTexts(d, 0), (std::vector<std::string>{"LC7  "})); },
                      IDD_LOADCOMBINATION);
    ScriptedUser::PressOK(IDD_LOADCOMBINATION);
    EXPECT_EQ(RunLibrary(), IDOK);
}

TEST_F(LCLibrary, DeletingRowsTwoAndFourRemovesExactlyThose)
{
    AddSeven();
    CLoadCombination* kept[] = {data.GetSLCList()->Get(1), data.GetSLCList()->Get(2), data.GetSLCList()->Get(4)};
    ScriptedUser::Run([](CDialog* d) { SelectRows(d, {2, 4}); }, IDD_LOADCOMBINATION);
    ScriptedUser::Click(IDC_LCLIB_DELETE, IDD_LOADCOMBINATION);
    ScriptedUser::Run(
        [](CDialog* d) {
            // Renumbered through the structure's list: 1, 2, 3 left of the five, then 4 and 5.
            EXPECT_EQ(RowTexts(d, 0), (std::vector<std::string>{"LC1  ", "LC2  ", "LC3  "}));
            EXPECT_EQ(RowTexts(d, 1),
                      (std::vector<std::string>{"LC1:1.10D+1.40L", "LC2:1.20D+1.40L", "LC3:1.40D+1.40L"}));
        },
        IDD_LOADCOMBINATION);
    ScriptedUser::PressOK(IDD_LOADCOMBINATION);
    RunLibrary();
    ASSERT_EQ(data.GetSLCList()->GetCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(data.GetSLCList()->Get(i + 1), kept[i]);
    EXPECT_EQ(s.m_pLCList->GetCount(), 5);
    EXPECT_EQ(data.GetSDeflateLCList()->Get(1)->m_nNo, 5);
    EXPECT_TRUE(KindsAgree());
}

TEST_F(LCLibrary, RowZeroOfTheFundamentalTabIsNeverDeleted)
{
    AddSeven();
    ScriptedUser::Run([](CDialog* d) { SelectRows(d, {0, 2}); }, IDD_LOADCOMBINATION);
    ScriptedUser::Click(IDC_LCLIB_DELETE, IDD_LOADCOMBINATION);
    ScriptedUser::AnswerMessageBox(IDOK, "工况1是基本工况不能删除!");
    ScriptedUser::Run([](CDialog* d) { EXPECT_EQ(List(d)->GetItemCount(), 5); }, IDD_LOADCOMBINATION);
    // Row 0 of another tab goes.
    ScriptedUser::SelectRow(IDC_LCLIB_TAB, 1, IDD_LOADCOMBINATION);
    ScriptedUser::Run([](CDialog* d) { SelectRows(d, {0}); }, IDD_LOADCOMBINATION);
    ScriptedUser::Click(IDC_LCLIB_DELETE, IDD_LOADCOMBINATION);
    ScriptedUser::Run([](CDialog* d) { EXPECT_EQ(List(d)->GetItemCount(), 0); }, IDD_LOADCOMBINATION);
    ScriptedUser::PressOK(IDD_LOADCOMBINATION);
    RunLibrary();
    EXPECT_EQ(data.GetSLCList()->GetCount(), 5);
    EXPECT_EQ(data.GetSDispLCList()->GetCount(), 0);
    EXPECT_EQ(s.m_pLCList->GetCount(), 6);
    EXPECT_TRUE(KindsAgree());
}

TEST_F(LCLibrary, EditAndDeleteWithoutARowSay)
{
    AddSeven();
    ScriptedUser::Click(IDC_LCLIB_EDIT, IDD_LOADCOMBINATION);
    ScriptedUser::AnswerMessageBox(IDOK, "请选择要编辑的荷载组合");
    ScriptedUser::Click(IDC_LCLIB_DELETE, IDD_LOADCOMBINATION);
    ScriptedUser::AnswerMessageBox(IDOK, "请选择要删除的荷载组合!");
    ScriptedUser::PressOK(IDD_LOADCOMBINATION);
    RunLibrary();
    EXPECT_EQ(s.m_pLCList->GetCount(), 7);
}

TEST_F(LCLibrary, DeletingTheCurrentOnesEqualMakesItACopyOfTheFirstLeft)
{
    AddSeven();
    data.SetCurrentLC(data.GetSLCList()->Get(3)); // 1.3D + 1.4L
    ScriptedUser::Run([](CDialog* d) { SelectRows(d, {2}); }, IDD_LOADCOMBINATION);
    ScriptedUser::Click(IDC_LCLIB_DELETE, IDD_LOADCOMBINATION);
    ScriptedUser::PressOK(IDD_LOADCOMBINATION);
    RunLibrary();
    // Reading the current combination after its source is freed is what AddressSanitizer
    // watches for.
    EXPECT_FLOAT_EQ(data.GetCurrentLC()->m_fDead, 1.1f);
    EXPECT_TRUE(data.GetCurrentLC()->IsEqual(s.m_pLCList->Get(1)));
    EXPECT_NE(data.GetCurrentLC(), s.m_pLCList->Get(1));
}

TEST_F(LCLibrary, DeletingTheLastCombinationEmptiesTheCurrentOne)
{
    CLoadCombination* only = AddCombination(1, 1.0f, 1.0f);
    data.SetCurrentLC(only);
    ScriptedUser::SelectRow(IDC_LCLIB_TAB, 1, IDD_LOADCOMBINATION);
    ScriptedUser::Run([](CDialog* d) { SelectRows(d, {0}); }, IDD_LOADCOMBINATION);
    ScriptedUser::Click(IDC_LCLIB_DELETE, IDD_LOADCOMBINATION);
    ScriptedUser::PressOK(IDD_LOADCOMBINATION);
    RunLibrary();
    EXPECT_EQ(s.m_pLCList->GetCount(), 0);
    EXPECT_FLOAT_EQ(data.GetCurrentLC()->m_fDead, 0.0f);
    EXPECT_FLOAT_EQ(data.GetCurrentLC()->m_fLive, 0.0f);
}

TEST_F(LCLibrary, AddAndEditThroughTheEditor)
{
    AddSeven();
    // Added on the characteristic tab: numbered above the highest.
    ScriptedUser::SelectRow(IDC_LCLIB_TAB, 1, IDD_LOADCOMBINATION);
    ScriptedUser::Click(IDC_LCLIB_ADD, IDD_LOADCOMBINATION);
    ScriptedUser::SetText(IDC_LCDEF_DEAD, "1", IDD_LCDEFINE);
    ScriptedUser::SetText(IDC_LCDEF_WIND, "1", IDD_LCDEFINE);
    ScriptedUser::PressOK(IDD_LCDEFINE);
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_EQ(RowTexts(d, 0), (std::vector<std::string>{"LC6  ", "LC8  "}));
            EXPECT_EQ(List(d)->GetItemText(1, 1), CString("LC8:1.00D+1.00Wx"));
        },
        IDD_LOADCOMBINATION);
    // A cancelled add leaves nothing behind.
    ScriptedUser::Click(IDC_LCLIB_ADD, IDD_LOADCOMBINATION);
    ScriptedUser::PressCancel(IDD_LCDEFINE);
    // Edited by a double click on the first row of the fundamental tab.
    ScriptedUser::SelectRow(IDC_LCLIB_TAB, 0, IDD_LOADCOMBINATION);
    ScriptedUser::DoubleClickRow(IDC_LCLIB_LIST, 1, IDD_LOADCOMBINATION);
    ScriptedUser::SetText(IDC_LCDEF_LIVE, "0.98", IDD_LCDEFINE);
    ScriptedUser::PressOK(IDD_LCDEFINE);
    ScriptedUser::Run([](CDialog* d) { EXPECT_EQ(List(d)->GetItemText(1, 1), CString("LC2:1.20D+0.98L")); },
                      IDD_LOADCOMBINATION);
    ScriptedUser::PressOK(IDD_LOADCOMBINATION);
    RunLibrary();
    EXPECT_EQ(s.m_pLCList->GetCount(), 8);
    EXPECT_EQ(data.GetSDispLCList()->GetCount(), 2);
    EXPECT_FLOAT_EQ(data.GetSLCList()->Get(2)->m_fLive, 0.98f);
    EXPECT_TRUE(KindsAgree());
}

TEST_F(LCLibrary, RegenerationWaitsForTheLockToOpen)
{
    AddSeven();
    ScriptedUser::Check(IDC_LCLIB_LOCK, BST_CHECKED, IDD_LOADCOMBINATION);
    ScriptedUser::Run([this](CDialog*) { EXPECT_EQ(s.m_pLCList->m_nLock, 1) << "stored at once"; },
                      IDD_LOADCOMBINATION);
    ScriptedUser::Click(IDC_LCLIB_CHANGEALL, IDD_LOADCOMBINATION);
    ScriptedUser::AnswerMessageBox(IDOK, "荷载组合已经锁定！请打开锁定！");
    ScriptedUser::Check(IDC_LCLIB_LOCK, BST_UNCHECKED, IDD_LOADCOMBINATION);
    ScriptedUser::Click(IDC_LCLIB_CHANGEALL, IDD_LOADCOMBINATION);
    ScriptedUser::PressOK(IDD_LCAUTOPARAM);
    ScriptedUser::AnswerMessageBox(IDYES, "将重新根据新荷载规范重新生成荷载组合，您确定吗？");
    ScriptedUser::Run(
        [this](CDialog* d) {
            EXPECT_EQ(List(d)->GetItemCount(), (int)data.GetSLCList()->GetCount());
            EXPECT_EQ(List(d)->GetItemText(0, 0), CString("LC1  "));
        },
        IDD_LOADCOMBINATION);
    ScriptedUser::PressOK(IDD_LOADCOMBINATION);
    RunLibrary();
    EXPECT_EQ(s.m_pLCList->m_nLock, 0);
    // Dead, live, wind "Wx" and E1, E1P, E1M with the default parameters: four with live
    // and wind, six seismic (each case both ways), ten of those again with the favourable
    // dead load; two characteristic, one quasi-permanent; the seven old ones deleted.
    EXPECT_EQ(data.GetSLCList()->GetCount(), 4 + 6 + 10);
    EXPECT_EQ(data.GetSDispLCList()->GetCount(), 2);
    EXPECT_EQ(data.GetSDeflateLCList()->GetCount(), 1);
    EXPECT_TRUE(KindsAgree());
    const auto dialogs = ScriptedUser::Dialogs();
    int paramDialogs = 0;
    for (const auto& rec : dialogs)
        if (rec.templateId == IDD_LCAUTOPARAM) ++paramDialogs;
    EXPECT_EQ(paramDialogs, 1) << "the locked attempt opened nothing";
}

TEST_F(LCLibrary, ParametersAreStoredOnOKEvenWhenTheAnswerIsNo)
{
    AddSeven();
    ScriptedUser::Click(IDC_LCLIB_CHANGEALL, IDD_LOADCOMBINATION);
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_EQ(DlgText(d, IDC_LCAUTO_DEAD), CString("1.2"));
            EXPECT_EQ(d->IsDlgButtonChecked(IDC_LCAUTO_DELETE), BST_CHECKED);
        },
        IDD_LCAUTOPARAM);
    ScriptedUser::SetText(IDC_LCAUTO_DEAD, "1.35", IDD_LCAUTOPARAM);
    ScriptedUser::SelectRow(IDC_LCAUTO_BASICRULE, 1, IDD_LCAUTOPARAM);
    ScriptedUser::Check(IDC_LCAUTO_WINDBOTH, BST_UNCHECKED, IDD_LCAUTOPARAM);
    ScriptedUser::Check(IDC_LCAUTO_DELETE, BST_UNCHECKED, IDD_LCAUTOPARAM);
    ScriptedUser::PressOK(IDD_LCAUTOPARAM);
    ScriptedUser::AnswerMessageBox(IDNO, "将重新根据新荷载规范重新生成荷载组合，您确定吗？");
    // The delete box is ticked again at the next opening; Cancel there stores nothing.
    ScriptedUser::Click(IDC_LCLIB_CHANGEALL, IDD_LOADCOMBINATION);
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_EQ(d->IsDlgButtonChecked(IDC_LCAUTO_DELETE), BST_CHECKED);
            EXPECT_EQ(DlgText(d, IDC_LCAUTO_DEAD), CString("1.35"));
        },
        IDD_LCAUTOPARAM);
    ScriptedUser::SetText(IDC_LCAUTO_LIVE, "1.5", IDD_LCAUTOPARAM);
    ScriptedUser::PressCancel(IDD_LCAUTOPARAM);
    ScriptedUser::PressOK(IDD_LOADCOMBINATION);
    RunLibrary();
    EXPECT_FLOAT_EQ(s.m_pLCList->m_fDeadFactor, 1.35f);
    EXPECT_EQ(s.m_pLCList->m_nBasicRule, 1);
    EXPECT_EQ(s.m_pLCList->m_bWindBothDir, 0);
    EXPECT_FLOAT_EQ(s.m_pLCList->m_fLiveFactor, 1.4f);
    EXPECT_EQ(s.m_pLCList->GetCount(), 7) << "the combinations stay as they were";
}

TEST_F(LCLibrary, FactorsOfTheParametersLieBetweenZeroAndFive)
{
    const struct
    {
        const char* typed;
        bool accepted;
    } cases[] = {{"5", true}, {"0", true}, {"5.01", false}, {"-0.1", false}, {"x", false}};
    for (const auto& c : cases) {
        ScriptedUser::Reset();
        s.m_pLCList->m_fWindCombFactor = 0.6f;
        CDlgLCAutoParam dlg(nullptr);
        dlg.ReadFrom(*s.m_pLCList);
        ScriptedUser::SetText(IDC_LCAUTO_WINDCOMB, c.typed, IDD_LCAUTOPARAM);
        ScriptedUser::PressOK(IDD_LCAUTOPARAM);
        if (!c.accepted) {
            ScriptedUser::AnswerMessageBox(IDOK);
            ScriptedUser::PressCancel(IDD_LCAUTOPARAM);
        }
        const INT_PTR r = dlg.DoModal();
        EXPECT_EQ(r, c.accepted ? IDOK : IDCANCEL) << c.typed;
        if (r == IDOK) dlg.WriteTo(*s.m_pLCList);
        EXPECT_FLOAT_EQ(s.m_pLCList->m_fWindCombFactor, c.accepted ? (float)std::atof(c.typed) : 0.6f) << c.typed;
        EXPECT_EQ(ScriptedUser::PendingSteps(), 0u) << c.typed;
    }
}

TEST_F(LCLibrary, OutputWritesTheThreeListsToTheFileChosen)
{
    AddSeven();
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("vyr-lc-" + std::to_string(::getpid()) + ".txt")).string();
    std::filesystem::remove(path);
    ScriptedUser::Click(IDC_LCLIB_OUTPUT, IDD_LOADCOMBINATION);
    ScriptedUser::AnswerFileDialog(path.c_str());
    // A cancelled file dialog writes nothing.
    ScriptedUser::Click(IDC_LCLIB_OUTPUT, IDD_LOADCOMBINATION);
    ScriptedUser::AnswerFileDialog(nullptr);
    ScriptedUser::PressOK(IDD_LOADCOMBINATION);
    RunLibrary();
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in.good());
    std::stringstream text;
    text << in.rdbuf();
    const std::string t = text.str();
    std::filesystem::remove(path);
    // The descriptions in list order, the kinds' headings in GBK ("基本组合" is BB F9 B1 BE D7 E9 BA CF).
    size_t at = 0;
    for (const char* d : {"\xbb\xf9\xb1\xbe\xd7\xe9\xba\xcf", "LC1:1.10D+1.40L", "LC5:1.50D+1.40L", "LC6:1.00D+1.00L",
                          "LC7:1.00D+0.50L"}) {
        const size_t found = t.find(d, at);
        ASSERT_NE(found, std::string::npos) << d;
        at = found;
    }
}

TEST_F(LCLibrary, ReDesignIdNumbersThroughTheKindsInTurn)
{
    // Added in the structure's list as quasi-permanent, fundamental, characteristic,
    // fundamental: numbered 1 to 4 in that order.
    CLoadCombination* q = AddCombination(2, 1.0f, 0.5f);
    CLoadCombination* f1 = AddCombination(0, 1.2f, 1.4f);
    CLoadCombination* c = AddCombination(1, 1.0f, 1.0f);
    CLoadCombination* f2 = AddCombination(0, 1.35f, 0.98f);
    CDlgLoadCombination dlg(nullptr);
    dlg.m_pData = &data;
    dlg.ReDesignId();
    EXPECT_EQ(f1->m_nNo, 1);
    EXPECT_EQ(f2->m_nNo, 2);
    EXPECT_EQ(c->m_nNo, 3);
    EXPECT_EQ(q->m_nNo, 4);
}

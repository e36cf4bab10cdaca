// The project section library dialog: the preselected row, OK only with a section row, a
// delete or a replacing import that takes the chosen section away, the properties of a
// tapered section's start plates, and the same list as the panel without host messages.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "host/secpanel/SecTestModel.h"
#include "hostkit/HostKit.h"
#include <vyr/protocol/HostMessages.h>
#include <vyr/libraries/DlgSecProperty.h>
#include <vyr/libraries/DlgSection.h>
#include <vyr/libraries/SectionFile.h>
#include <vyr/resources.h>
#include <vyr/resources/dialogs/SecPropertyRes.h>
#include <vyr/resources/dialogs/SectionRes.h>
#include <vyr/scripteduser.h>

using vyr::ScriptedUser;
using namespace sectest;
namespace fs = std::filesystem;

namespace {

class DlgSectionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        vyr::VyrSetResourceDir((std::string(VYR_SOURCE_DIR) + "/resources").c_str());
        ScriptedUser::Reset();
        m_a = AddSection(Model(), 501, nullptr, "A");
        m_b = AddSection(Model(), 101, nullptr, "B");
        m_taper = AddTaper(Model(), 300, 600);
        AddBeam(Model(), 1, CPoint3D(0, 0, 0), CPoint3D(100, 0, 0), m_b);
    }
    void TearDown() override
    {
        EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);
        ScriptedUser::Reset();
    }
    CStruct& Model() { return *m_host.GlobalData().Struct(); }
    INT_PTR Run(CDlgSection& dlg)
    {
        dlg.m_pGlobalData = &m_host.GlobalData();
        return dlg.DoModal();
    }
    static int Selected(CDialog* d) { return static_cast<CDlgSection*>(d)->m_rows.SelectedRow(); }

    vyrhost::CHostKit m_host;
    CSectionBase* m_a = nullptr;
    CSectionBase* m_b = nullptr;
    CTaperVaryWeb* m_taper = nullptr;
};

TEST_F(DlgSectionTest, IsCreatableByNameAndPreselectsTheGivenSectionWithoutHighlightingIt)
{
    CRuntimeClass* c = CRuntimeClass::FromName("CDlgSection");
    ASSERT_NE(c, nullptr);
    CObject* made = c->CreateObject();
    EXPECT_NE(dynamic_cast<CDlgSection*>(made), nullptr);
    delete made;

    CDlgSection dlg(&m_host);
    dlg.m_pCurSection = m_b; // used, so listed on the first tab
    bool highlighted = true;
    int row = -2;
    ScriptedUser::Run([&](CDialog* d) {
        row = Selected(d);
        highlighted = m_b->GetColor();
    }, IDD_SECTION_LIBRARY);
    ScriptedUser::PressOK(IDD_SECTION_LIBRARY);
    m_host.ClearMessages();
    ASSERT_EQ(Run(dlg), IDOK);
    EXPECT_EQ(row, 1);
    EXPECT_FALSE(highlighted);
    EXPECT_EQ(dlg.m_pCurSection, m_b);
    EXPECT_EQ(m_host.Messages().size(), 0u);
}

TEST_F(DlgSectionTest, ASectionFilteredOutSelectsNoRowAndOkWaitsForAChoice)
{
    CDlgSection dlg;
    dlg.m_pCurSection = m_a; // not used: not on the first tab
    int row = -2;
    ScriptedUser::Run([&](CDialog* d) { row = Selected(d); }, IDD_SECTION_LIBRARY);
    ScriptedUser::PressOK(IDD_SECTION_LIBRARY);
    ScriptedUser::AnswerMessageBox(IDOK, "请选择截面！");
    ScriptedUser::SelectRow(IDC_SEC_TAB, 1, IDD_SECTION_LIBRARY);
    ScriptedUser::SelectRow(IDC_SEC_LIST, 0, IDD_SECTION_LIBRARY); // ERASE cannot be chosen
    ScriptedUser::PressOK(IDD_SECTION_LIBRARY);
    ScriptedUser::AnswerMessageBox(IDOK, "请选择截面！");
    ScriptedUser::SelectRow(IDC_SEC_LIST, 2, IDD_SECTION_LIBRARY);
    ScriptedUser::PressOK(IDD_SECTION_LIBRARY);
    ASSERT_EQ(Run(dlg), IDOK);
    EXPECT_EQ(row, -1);
    EXPECT_EQ(dlg.m_pCurSection, m_b);
    EXPECT_TRUE(m_b->GetColor());
}

TEST_F(DlgSectionTest, DeletingThePreselectedSectionRefusesOkUntilAnotherIsChosen)
{
    CDlgSection dlg;
    dlg.m_pCurSection = m_a;
    ScriptedUser::SelectRow(IDC_SEC_TAB, 1, IDD_SECTION_LIBRARY);
    ScriptedUser::SelectRow(IDC_SEC_LIST, 1, IDD_SECTION_LIBRARY);
    ScriptedUser::Click(IDC_SEC_DELETE, IDD_SECTION_LIBRARY);
    ScriptedUser::PressOK(IDD_SECTION_LIBRARY);
    ScriptedUser::AnswerMessageBox(IDOK, "请选择截面！");
    ScriptedUser::SelectRow(IDC_SEC_LIST, 1, IDD_SECTION_LIBRARY);
    ScriptedUser::PressOK(IDD_SECTION_LIBRARY);
    ASSERT_EQ(Run(dlg), IDOK);
    EXPECT_EQ(Model().m_pSectionList->GetCount(), 2);
    EXPECT_EQ(dlg.m_pCurSection, m_b);
}

TEST_F(DlgSectionTest, ATaperedRowsDoubleClickShowsItsStartPlates)
{
    CDlgSection dlg;
    CString shown;
    ScriptedUser::SelectRow(IDC_SEC_TAB, 4, IDD_SECTION_LIBRARY);
    ScriptedUser::SelectRow(IDC_SEC_LIST, 1, IDD_SECTION_LIBRARY);
    ScriptedUser::DoubleClickRow(IDC_SEC_LIST, 1, IDD_SECTION_LIBRARY);
    ScriptedUser::Run([&](CDialog* d) { d->GetDlgItemText(IDC_SECPROP_TEXT, shown); }, IDD_SECPROPERTY);
    ScriptedUser::PressCancel(IDD_SECPROPERTY);
    ScriptedUser::PressCancel(IDD_SECTION_LIBRARY);
    Run(dlg);
    EXPECT_EQ(shown, CDlgSecProperty::PropertyText(m_taper->GetStartSec()));
    EXPECT_NE(shown, CDlgSecProperty::PropertyText(m_taper));
}

TEST_F(DlgSectionTest, AnImportThatEmptiesTheLibraryTakesTheChosenSectionAway)
{
    const fs::path file = fs::temp_directory_path() / "vyr-dlgsection-import.sec";
    CGlobalData other;
    AddSection(*other.Struct(), 505, nullptr, "X");
    ASSERT_TRUE(WriteSectionFile(&other, file.string().c_str()));

    CDlgSection dlg;
    dlg.m_pCurSection = m_b;
    ScriptedUser::Click(IDC_SEC_IMPORT, IDD_SECTION_LIBRARY);
    ScriptedUser::SetText(IDC_SECIMP_PATH, file.string().c_str(), IDD_SECTION_IMPORT);
    ScriptedUser::Check(IDC_SECIMP_REPLACE, BST_CHECKED, IDD_SECTION_IMPORT);
    ScriptedUser::PressOK(IDD_SECTION_IMPORT);
    ScriptedUser::PressOK(IDD_SECTION_LIBRARY);
    ScriptedUser::AnswerMessageBox(IDOK, "请选择截面！");
    ScriptedUser::SelectRow(IDC_SEC_TAB, 1, IDD_SECTION_LIBRARY);
    ScriptedUser::SelectRow(IDC_SEC_LIST, 1, IDD_SECTION_LIBRARY);
    ScriptedUser::PressOK(IDD_SECTION_LIBRARY);
    ASSERT_EQ(Run(dlg), IDOK);
    fs::remove(file);
    ASSERT_EQ(Model().m_pSectionList->GetCount(), 1);
    EXPECT_EQ(dlg.m_pCurSection, Model().m_pSectionList->Get(1));
    EXPECT_EQ(dlg.m_pCurSection->GetSimpleSecName(), CString("X"));
    EXPECT_EQ(Model().m_pBeamList->Get(1)->GetSection(), nullptr);
}

TEST_F(DlgSectionTest, HasNoPickingButtonsAndDeleteRefusesAUsedSection)
{
    CDlgSection dlg;
    bool hasPicking = true;
    ScriptedUser::Run([&](CDialog* d) {
        hasPicking = d->GetDlgItem(IDC_SEC_ASSIGN) != nullptr || d->GetDlgItem(IDC_SEC_SELECT) != nullptr ||
                     d->GetDlgItem(IDC_SEC_ASSIGNTAPER) != nullptr;
    }, IDD_SECTION_LIBRARY);
    ScriptedUser::SelectRow(IDC_SEC_LIST, 1, IDD_SECTION_LIBRARY); // B, on the first tab
    ScriptedUser::Click(IDC_SEC_DELETE, IDD_SECTION_LIBRARY);
    ScriptedUser::AnswerMessageBox(IDOK, "此截面正在被杆件1使用,无法删除!");
    ScriptedUser::PressCancel(IDD_SECTION_LIBRARY);
    m_host.ClearMessages();
    EXPECT_EQ(Run(dlg), IDCANCEL);
    EXPECT_FALSE(hasPicking);
    EXPECT_EQ(Model().m_pSectionList->GetCount(), 3);
    EXPECT_EQ(m_host.Messages().size(), 0u);
}

} // namespace

// Acting on a panel's controls as a user would, and scrolling a form view.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/PanelTestKit.h"
#include "hostkit/HostKit.h"
#include <vyr/host/MenuViewBase.h>
#include <vyr/resources.h>
#include <vyr/scripteduser.h>

namespace {

constexpr UINT kFormTemplate = 30592;
constexpr int kEdit = 1001, kButton = 1002, kCombo = 1003, kHidden = 1004;

class CUserPanel : public CMenuViewBase
{
public:
    CUserPanel() : CMenuViewBase(kFormTemplate) {}
    CString GetType() const override { return "View.User"; }
    void OnButton() { ++m_nClicks; }
    void OnEditChange() { GetDlgItemText(kEdit, m_strTyped); }
    void OnComboChange() { m_nChosen = ((CComboBox*)GetDlgItem(kCombo))->GetCurSel(); }
    int m_nClicks = 0;
    int m_nChosen = -1;
    CString m_strTyped;

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUserPanel, CMenuViewBase)
    ON_BN_CLICKED(kButton, &CUserPanel::OnButton)
    ON_EN_CHANGE(kEdit, &CUserPanel::OnEditChange)
    ON_CBN_SELCHANGE(kCombo, &CUserPanel::OnComboChange)
END_MESSAGE_MAP()

class WindowUserTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(vyrhosttest::AddResourceOnce(R"(
30592 DIALOGEX 0, 0, 120, 120
STYLE DS_CONTROL | WS_CHILD
FONT 9, "宋体"
BEGIN
    EDITTEXT 1001, 4, 4, 100, 14, ES_AUTOHSCROLL
    PUSHBUTTON "定位", 1002, 4, 24, 40, 14
    COMBOBOX 1003, 4, 44, 100, 60, CBS_DROPDOWNLIST | WS_VSCROLL
    PUSHBUTTON "隐藏", 1004, 4, 64, 40, 14, NOT WS_VISIBLE
END
)",
                                                 "windowuser-test.rc"));
        m_panel = new CUserPanel; // goes with its window
        ASSERT_TRUE(m_panel->Create(&m_host.SideFrame(), 1, nullptr));
        m_panel->ShowWindow(SW_SHOW);
        auto* combo = (CComboBox*)m_panel->GetDlgItem(kCombo);
        combo->AddString("结点");
        combo->AddString("杆件");
        vyr::ScriptedUser::Reset();
        vyr::ScriptedUser::SetFailureHandler([this](const std::string& m) { m_failures.push_back(m); });
    }
    void TearDown() override { vyr::ScriptedUser::Reset(); }

    vyrhost::CHostKit m_host;
    CUserPanel* m_panel = nullptr;
    std::vector<std::string> m_failures;
};

TEST_F(WindowUserTest, TypingClickingAndChoosingNotifyThePanel)
{
    EXPECT_TRUE(vyr::WindowUser::Type(m_panel, kEdit, "300"));
    EXPECT_EQ(m_panel->m_strTyped, CString("300"));
    EXPECT_TRUE(vyr::WindowUser::Click(m_panel, kButton));
    EXPECT_EQ(m_panel->m_nClicks, 1);
    EXPECT_TRUE(vyr::WindowUser::SelectString(m_panel, kCombo, "杆件"));
    EXPECT_EQ(m_panel->m_nChosen, 1);
    EXPECT_TRUE(vyr::WindowUser::SelectRow(m_panel, kCombo, 0));
    EXPECT_EQ(m_panel->m_nChosen, 0);
    EXPECT_TRUE(m_failures.empty());
}

TEST_F(WindowUserTest, WhatAUserCannotReachFailsLoudly)
{
    EXPECT_FALSE(vyr::WindowUser::Click(m_panel, kHidden));
    EXPECT_FALSE(vyr::WindowUser::Click(m_panel, 4242));
    EXPECT_FALSE(vyr::WindowUser::SelectString(m_panel, kCombo, "房间"));
    m_panel->GetDlgItem(kButton)->EnableWindow(FALSE);
    EXPECT_FALSE(vyr::WindowUser::Click(m_panel, kButton));
    EXPECT_EQ(m_panel->m_nClicks, 0);
    ASSERT_EQ(m_failures.size(), 4u);
    EXPECT_NE(m_failures[0].find("hidden"), std::string::npos) << m_failures[0];
    EXPECT_NE(m_failures[1].find("does not exist"), std::string::npos) << m_failures[1];
    EXPECT_NE(m_failures[3].find("disabled"), std::string::npos) << m_failures[3];
}

TEST_F(WindowUserTest, ScrollingAFormMovesItsControlsByTheChange)
{
    EXPECT_EQ(m_panel->GetScrollPosition(), CPoint(0, 0));
    CRect before, after;
    m_panel->GetDlgItem(kButton)->GetWindowRect(&before);
    m_panel->ScrollToPosition(CPoint(0, 30));
    EXPECT_EQ(m_panel->GetScrollPosition(), CPoint(0, 30));
    m_panel->GetDlgItem(kButton)->GetWindowRect(&after);
    EXPECT_EQ(after.top, before.top - 30);
    EXPECT_EQ(after.left, before.left);
    m_panel->ScrollToPosition(CPoint(0, 0));
    m_panel->GetDlgItem(kButton)->GetWindowRect(&after);
    EXPECT_EQ(after, before);
}

} // namespace

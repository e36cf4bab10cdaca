// The base of the selection-property panels: the grid's two messages reach the panel's
// grid, a dialog key lets the panel refill itself, the query button asks the host for its
// dialog, the locate button fits the active view.
#include <gtest/gtest.h>

#include <vyr/protocol/HostMessages.h>
#include <vyr/host/ViewProp.h>
#include <vyr/model/struct/SampleModel.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources.h>
#include <vyr/scripteduser.h>
#include "host/PanelTestKit.h"
#include "support/TestHost.h"
#include "support/TestProps.h"

namespace {

constexpr UINT kTemplate = 30631;

// A panel over the test records, counting its refills after a dialog.
class CRecordPanel : public CViewProp
{
public:
    CRecordPanel() : CViewProp(kTemplate) {}
    CString GetType() const override { return "View.TestProp"; }
    void ChangeAfterOtherProp() override
    {
        ++m_nChanged;
        m_bRowAliveInChange = m_PropsUI.GetPropList().GetPropertyCount() > 0;
    }
    int m_nChanged = 0;
    bool m_bRowAliveInChange = false;
};

class ViewPropTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(vyrhosttest::AddQueryPanelTemplate(kTemplate, "viewprop-test.rc"));
        vyr::ScriptedUser::Reset();
        m_panel = new CRecordPanel; // goes with its window
        ASSERT_TRUE(m_panel->Create(&m_host.SideFrame(), 1, nullptr));
        m_panel->SetParam(&m_host.GlobalData());
        m_panel->ShowWindow(SW_SHOW);
        m_panel->MoveWindow(0, 0, 300, 500);
        ASSERT_TRUE(m_panel->m_PropsUI.Create(m_panel, 8000, WS_CHILD | WS_VISIBLE));
        m_panel->m_PropsUI.Move(0, 30, 300, 470);
        m_records.Make(2, 1.0);
        m_panel->m_PropsUI.SetParam(2, &m_records, 99, &m_host.GlobalData());
        vyrtest::BuildTestProps(*m_panel->m_PropsUI.GetProps());
        m_panel->m_PropsUI.FillItem();
        m_host.ClearMessages();
    }
    void TearDown() override
    {
        vyr::PumpMessages();
        if (m_panel->GetSafeHwnd())
            m_panel->DestroyWindow();
    }
    HWND List() { return m_panel->m_PropsUI.GetPropListHWND(); }
    CBCGPProp* Row(const char* caption)
    {
        CBCGPPropList& list = m_panel->m_PropsUI.GetPropList();
        for (int i = 0; i < list.GetPropertyCount(); ++i)
            if (list.GetProperty(i)->GetName() == caption)
                return list.GetProperty(i);
        return nullptr;
    }

    vyrhost::CHostKit m_host;
    CRecordPanel* m_panel = nullptr;
    vyrtest::CTestRecordList m_records;
};

TEST_F(ViewPropTest, TheBaseHasNoKind)
{
    EXPECT_EQ(m_panel->GetObjType(), -1);
}

TEST_F(ViewPropTest, ADialogKeyAnsweringZeroStillRefreshesTheRowAndLetsThePanelRefill)
{
    static int calls;
    calls = 0;
    m_panel->m_PropsUI.GetCallbacks()["Test.Dialog"] = [](void*, CGlobalData*) {
        ++calls;
        return 0;
    };
    auto* desc = dynamic_cast<vyrtest::CTestDialogProp*>(reinterpret_cast<CProp*>(Row("对话")->GetData()));
    ASSERT_NE(desc, nullptr);
    CBCGPProp* rowA = Row("A");
    ASSERT_TRUE(vyr::UserPropDblClickName(List(), "对话"));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(desc->m_nRefreshed, 1);
    EXPECT_EQ(m_panel->m_nChanged, 1);
    EXPECT_TRUE(m_panel->m_bRowAliveInChange);
    // The base neither rebuilds the grid nor tells the host: that is the panel's refill.
    EXPECT_EQ(Row("A"), rowA);
    EXPECT_EQ(m_host.Count(WM_UI_PROPCHANGED), 0);
    // Its answer is 0 whatever the callback answers.
    m_panel->m_PropsUI.GetCallbacks()["Test.Dialog"] = [](void*, CGlobalData*) {
        ++calls;
        return 1;
    };
    EXPECT_EQ(m_panel->SendMessage(WM_PROP_OTHER, 0, (LPARAM)Row("对话")), 0);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(desc->m_nRefreshed, 2);
    EXPECT_EQ(m_panel->m_nChanged, 2);
}

TEST_F(ViewPropTest, ChoosingTheDialogValuePutsTheOldTextBack)
{
    static int calls;
    calls = 0;
    m_panel->m_PropsUI.GetCallbacks()["Test.Dialog"] = [](void*, CGlobalData*) {
        ++calls;
        return 1;
    };
    ASSERT_TRUE(vyr::UserPropChooseOption(List(), "对话", CProps::GetOtherString()));
    vyr::PumpMessages();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(m_panel->m_nChanged, 1);
    EXPECT_EQ(Row("对话")->FormatProperty(), CString("值"));
}

TEST_F(ViewPropTest, AnEditedValueReachesTheGridThroughThePanel)
{
    ASSERT_TRUE(vyr::UserPropSetValue(List(), "A", "5"));
    vyr::PumpMessages();
    auto* first = static_cast<vyrtest::CTestRecord*>(m_records.GetHead());
    EXPECT_DOUBLE_EQ(first->a, 5.0);
    // The dependent row is rewritten by the grid's end-of-edit handling, which tells the host.
    EXPECT_EQ(Row("B")->FormatProperty(), CString("10.00"));
    EXPECT_EQ(m_host.Count(WM_UI_PROPCHANGED), 1);
}

TEST_F(ViewPropTest, NoQueryDialogFromTheHostSendsNothing)
{
    m_host.m_pQueryDlg = nullptr;
    m_panel->OnClickQuery();
    ASSERT_EQ(m_host.Messages().size(), 1u);
    EXPECT_EQ(m_host.Messages()[0].message, (UINT)WM_UI_GETQUERYDLG);
}

// Locating: the selected objects of the kind fill the active view; without an active view
// nothing happens.
TEST_F(ViewPropTest, LocatingFitsTheActiveViewToTheSelectedObjectsOfTheKind)
{
    CGlobalData& data = m_host.GlobalData();
    BuildSampleModel(data);
    CStruct& s = *data.Struct();
    data.SelectNodeList().AddTail(s.m_pNodeList->Get(1));
    data.SelectNodeList().AddTail(s.m_pNodeList->Get(s.m_pNodeList->GetCount()));
    const CMatrix2D before = data.Matrix2D();

    m_host.SetAnswer(WM_UI_GETACTIVEVIEW, 0);
    m_host.ClearMessages();
    m_panel->OnPosition(0);
    EXPECT_EQ(m_host.Count(WM_UI_VIEWCHANGED), 0);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(data.Matrix2D().m[i], before.m[i]);

    m_host.ClearAnswer(WM_UI_GETACTIVEVIEW);
    // The kind is passed on: no member is selected, so the view stays.
    m_panel->OnPosition(1);
    EXPECT_EQ(m_host.Count(WM_UI_VIEWCHANGED), 1);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(data.Matrix2D().m[i], before.m[i]);
    m_host.ClearMessages();
    m_panel->OnPosition(0);
    EXPECT_EQ(m_host.Count(WM_UI_VIEWCHANGED), 1);
    bool changed = false;
    for (int i = 0; i < 9; ++i)
        changed = changed || data.Matrix2D().m[i] != before.m[i];
    EXPECT_TRUE(changed);
}

} // namespace

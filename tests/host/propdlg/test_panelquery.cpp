// A selection-property panel's query button runs the host's query dialog on the panel's
// object kind, and the host hears of the change afterwards.
#include "PropDlgWorld.h"
#include "host/PanelTestKit.h"
#include <vyr/host/DlgPropQuery.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/host/ViewProp.h>
#include <vyr/resources/dialogs/PropRes.h>

using vyr::ScriptedUser;

namespace propdlgtest {
namespace {

constexpr UINT kPanelTemplate = 30671;

class CKindPanel : public CViewProp
{
public:
    explicit CKindPanel(int kind) : CViewProp(kPanelTemplate), m_nKindOfPanel(kind) {}
    CString GetType() const override { return "View.TestQuery"; }
    int GetObjType() override { return m_nKindOfPanel >= -1 ? m_nKindOfPanel : CViewProp::GetObjType(); }
    int m_nKindOfPanel;
};

struct PanelQueryTest : HostWorld
{
    CDlgPropQuery dlg{&host};

    void SetUp() override
    {
        HostWorld::SetUp();
        ASSERT_TRUE(vyrhosttest::AddQueryPanelTemplate(kPanelTemplate, "panelquery-test.rc"));
        host.m_pQueryDlg = &dlg;
    }
    // The entry the dialog opened on, for a panel of a kind (-2: the base's kind).
    int OpenedEntry(int kind)
    {
        auto* panel = new CKindPanel(kind); // goes with its window
        EXPECT_TRUE(panel->Create(&host.SideFrame(), 1, nullptr));
        panel->SetParam(&d);
        int entry = -1;
        ScriptedUser::Run(
            [&](CDialog* dd) { entry = static_cast<CComboBox*>(dd->GetDlgItem(IDC_QUERY_TYPE))->GetCurSel(); },
            IDD_DLGPROPQUERY);
        ScriptedUser::PressCancel(IDD_DLGPROPQUERY);
        host.ClearMessages();
        panel->OnClickQuery();
        EXPECT_EQ(host.Count(WM_UI_MODELCHANGED), 1);
        EXPECT_EQ(dlg.m_pGlobalData, &d);
        panel->DestroyWindow();
        return entry;
    }
};

TEST_F(PanelQueryTest, TheQueryButtonOpensTheDialogOnThePanelsKind)
{
    EXPECT_EQ(OpenedEntry(3), 2) << "the room panel opens the rooms";
    EXPECT_EQ(OpenedEntry(1), 1);
    EXPECT_EQ(OpenedEntry(2), 3);
    EXPECT_EQ(OpenedEntry(-2), 0) << "the base's kind, -1, opens the first entry";
}

} // namespace
} // namespace propdlgtest

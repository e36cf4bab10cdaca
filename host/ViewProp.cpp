#include <vyr/host/ViewProp.h>

#include <vyr/protocol/HostProtocol.h>
#include <vyr/model/prop/Prop.h>
#include <vyr/model/struct/GlobalData.h>
#include <vyr/host/DlgPropQuery.h>

IMPLEMENT_DYNAMIC(CViewProp, CMenuViewBase)

BEGIN_MESSAGE_MAP(CViewProp, CMenuViewBase)
    ON_MESSAGE(WM_PROP_ENDEDIT, &CViewProp::OnEndEditProp)
    ON_MESSAGE(WM_PROP_OTHER, &CViewProp::OnOtherProp)
END_MESSAGE_MAP()

CViewProp::CViewProp(UINT nIDTemplate, CWnd* /*pParent*/) : CMenuViewBase(nIDTemplate) {}

CViewProp::~CViewProp() = default;

LRESULT CViewProp::OnEndEditProp(WPARAM wParam, LPARAM lParam) { return m_PropsUI.OnEndEditProp(wParam, lParam); }

LRESULT CViewProp::OnOtherProp(WPARAM, LPARAM lParam)
{
    auto* row = reinterpret_cast<CBCGPVyrProp*>(lParam);
    // The callback's answer does not matter: a dialog may change what rows show even
    // when it reports no change of the model.
    m_PropsUI.DealOtherProp(row);
    if (auto* desc = row ? reinterpret_cast<CProp*>(row->GetData()) : nullptr)
        desc->RefreshValue();
    ChangeAfterOtherProp();
    return 0;
}

void CViewProp::OnClickQuery()
{
    auto* dlg = reinterpret_cast<CWnd*>(VyrSendToHost(WM_UI_GETQUERYDLG));
    if (dlg == nullptr)
        return;
    auto* query = static_cast<CDlgPropQuery*>(dlg);
    query->SetParam(m_pGlobalData, GetObjType());
    query->DoModal();
    VyrSendToHost(WM_UI_MODELCHANGED);
}

void CViewProp::OnPosition(int kind)
{
    auto* view = reinterpret_cast<CWnd*>(VyrSendToHost(WM_UI_GETACTIVEVIEW));
    if (view == nullptr || m_pGlobalData == nullptr)
        return;
    CRect client;
    view->GetClientRect(&client);
    m_pGlobalData->PositionSelected(kind, client);
    VyrSendToHost(WM_UI_VIEWCHANGED);
}

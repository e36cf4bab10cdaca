#include <vyr/host/DlgProp.h>

#include <vyr/protocol/HostMessages.h>
#include <vyr/resources/dialogs/PropRes.h>

BEGIN_MESSAGE_MAP(CDlgProp, CDlgRecordPos)
    ON_MESSAGE(WM_PROP_ENDEDIT, &CDlgProp::OnEndEditProp)
    ON_MESSAGE(WM_PROP_OTHER, &CDlgProp::OnOtherProp)
END_MESSAGE_MAP()

CDlgProp::CDlgProp(CWnd* pParent) : CDlgPropBase(IDD_DLGPROP, pParent) {}

CDlgProp::~CDlgProp()
{
    // The grid's rows point into its descriptors, which point at these lists.
    if (m_hWnd)
        DestroyWindow();
}

float CDlgProp::GetUnitLength() { return m_pGlobalData ? m_pGlobalData->UnitLength() : 1.0f; }

void* CDlgProp::PutObject()
{
    m_NodeList.RemoveAll();
    m_BeamList.RemoveAll();
    m_WallList.RemoveAll();
    m_PlaneList.RemoveAll();
    m_BCInWallList.RemoveAll();
    if (m_pObject == nullptr)
        return nullptr;
    switch (m_nKind) {
    case OBJKIND_NODE:
        m_NodeList.AddTail(static_cast<CPNode*>(m_pObject));
        return &m_NodeList;
    case OBJKIND_BEAM:
        m_BeamList.AddTail(static_cast<CBeamBase*>(m_pObject));
        return &m_BeamList;
    case OBJKIND_WALL:
        m_WallList.AddTail(static_cast<CWall*>(m_pObject));
        return &m_WallList;
    case OBJKIND_PLANE:
        m_PlaneList.AddTail(static_cast<CPlane*>(m_pObject));
        return &m_PlaneList;
    case OBJKIND_BCINWALL:
        m_BCInWallList.AddTail(static_cast<CBeamBase*>(m_pObject));
        return &m_BCInWallList;
    default:
        return nullptr;
    }
}

BOOL CDlgProp::OnInitDialog()
{
    CDlgRecordPos::OnInitDialog();
    m_PropsUI.Create(this, IDC_DLGPROP_GRID, WS_CHILD | WS_VISIBLE);
    CRect rc;
    GetClientRect(&rc);
    m_PropsUI.Move(8, 8, rc.Width() - 16, rc.Height() - 48);
    void* list = PutObject();
    m_PropsUI.RecordExpand(nullptr, nullptr, true);
    // A kind of no list builds no rows: the grid stays empty.
    m_PropsUI.SetParam(2, list, list ? m_nKind : -1, m_pGlobalData);
    m_PropsUI.FillItem();
    return TRUE;
}

void CDlgProp::OnOK()
{
    m_PropsUI.RecordExpand(nullptr, nullptr, true);
    CDlgRecordPos::OnOK();
}

void CDlgProp::OnCancel()
{
    m_PropsUI.RecordExpand(nullptr, nullptr, true);
    CDlgRecordPos::OnCancel();
}

LRESULT CDlgProp::OnEndEditProp(WPARAM wParam, LPARAM lParam) { return m_PropsUI.OnEndEditProp(wParam, lParam); }

LRESULT CDlgProp::OnOtherProp(WPARAM wParam, LPARAM lParam) { return m_PropsUI.OnOtherProp(wParam, lParam); }

#include <vyr/drawing/DlgDrawResult3D.h>

#include <vyr/ddx.h>
#include <vyr/model/base/VyrProduct.h>
#include <vyr/model/dxf/DXFOutput.h>
#include <vyr/model/struct/GlobalData.h>
#include <vyr/protocol/HostProtocol.h>
#include <vyr/resources/dialogs/DrawResultRes.h>

BEGIN_MESSAGE_MAP(CDlgDrawResult3D, CDlgDrawResult)
    ON_CBN_SELCHANGE(IDC_DRAW_SCOPEKIND, &CDlgDrawResult3D::OnSelchangeContent)
END_MESSAGE_MAP()

UINT CDlgDrawResult3D::TemplateId() { return CVyrProduct::Inst().IsKel3D() ? IDD_DRAWRESULT3D_KEL : IDD_DRAWRESULT3D; }

CDlgDrawResult3D::CDlgDrawResult3D(CGlobalData* pData, CWnd* pParent)
    : CDlgDrawResult(TemplateId(), pData, pParent, true), m_run(this)
{
}

CDlgDrawResult3D::~CDlgDrawResult3D() = default;

void CDlgDrawResult3D::DoDataExchange(CDataExchange* pDX)
{
    CDlgDrawResult::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_DRAW_SCOPEKIND, m_nContent);
}

void CDlgDrawResult3D::OnSelchangeComboContent()
{
    const int d = GetComboSel(IDC_DRAW_SCOPEKIND);
    HWND h = Item(IDC_DRAW_SCOPE);
    if (h != nullptr)
        ::EnableWindow(h, d == CONTENT_STOREY || d == CONTENT_AXIS ? TRUE : FALSE);
    if (d == m_nLastContent)
        return;
    m_nLastContent = d;
    if ((d != CONTENT_STOREY && d != CONTENT_AXIS) || h == nullptr)
        return;
    ::SendMessage(h, CB_RESETCONTENT, 0, 0);
    const int all = (int)::SendMessage(h, CB_ADDSTRING, 0, (LPARAM) "全部");
    ::SendMessage(h, CB_SETITEMDATA, (WPARAM)all, 0);
    if (d == CONTENT_STOREY) {
        AddStoreyItems(IDC_DRAW_SCOPE);
    } else {
        CAxisCIt it(m_pGlobalData->Struct()->Axises());
        for (it.Begin(); !it.IsEnd(); it.Next()) {
            CAxis* axis = it.GetAxis();
            if (axis->GetNoCat() == CAxis::NOCAT_AUX)
                continue;
            const CString text = axis->GetNo() + "轴-" + axis->GetAxisDesc();
            const int i = (int)::SendMessage(h, CB_ADDSTRING, 0, (LPARAM)text.GetString());
            ::SendMessage(h, CB_SETITEMDATA, (WPARAM)i, (LPARAM)axis);
        }
    }
    ::SendMessage(h, CB_SETCURSEL, 0, 0);
}

int CDlgDrawResult3D::GetOutputNum()
{
    int n = FilesPerScope();
    const int d = GetComboSel(IDC_DRAW_SCOPEKIND);
    if (GetComboSel(IDC_DRAW_SCOPE) == 0) {
        if (d == CONTENT_STOREY)
            n *= (int)m_pGlobalData->Struct()->m_pFloorList->GetCount();
        else if (d == CONTENT_AXIS)
            n *= m_pGlobalData->Struct()->Axises().GetAxisNum();
    }
    return n;
}

void CDlgDrawResult3D::ResetOutputContent()
{
    m_arrContent.clear();
    CStruct* st = m_pGlobalData->Struct();
    switch (GetComboSel(IDC_DRAW_SCOPEKIND)) {
    case CONTENT_WHOLE:
        m_arrContent.resize(1);
        FillWholeStructure(m_arrContent[0]);
        m_arrContent[0].m_strName = "三维简图-整体结构";
        break;
    case CONTENT_SHOWN: {
        m_arrContent.resize(1);
        OUTPUT_CONTENT& c = m_arrContent[0];
        c.m_NodeList.CopyPointer(reinterpret_cast<CPNodeList*>(VyrSendToHost(WM_UI_GETSHOWNLIST, 0, 0)));
        c.m_BeamList.CopyPointer(reinterpret_cast<CBeamList*>(VyrSendToHost(WM_UI_GETSHOWNLIST, 1, 0)));
        c.m_PlaneList.CopyPointer(reinterpret_cast<CPlaneList*>(VyrSendToHost(WM_UI_GETSHOWNLIST, 3, 0)));
        c.m_strName = "三维简图-当前显示结构";
        break;
    }
    case CONTENT_STOREY: {
        const std::vector<DWORD_PTR> floors = ChosenItems(IDC_DRAW_SCOPE);
        m_arrContent.resize(floors.size());
        for (size_t i = 0; i < floors.size(); ++i) {
            auto* f = reinterpret_cast<CFloor*>(floors[i]);
            OUTPUT_CONTENT& c = m_arrContent[i];
            CWallList walls;
            f->GetMembers(&c.m_NodeList, &c.m_BeamList, &walls, &c.m_PlaneList);
            c.m_strName = FolderName("三维简图-" + StoreyText(f));
        }
        break;
    }
    case CONTENT_AXIS: {
        const std::vector<DWORD_PTR> axes = ChosenItems(IDC_DRAW_SCOPE);
        m_arrContent.resize(axes.size());
        for (size_t i = 0; i < axes.size(); ++i) {
            auto* axis = reinterpret_cast<CAxis*>(axes[i]);
            OUTPUT_CONTENT& c = m_arrContent[i];
            CWallList walls;
            CStruct::GetAxisBeamsAndWalls(*axis, st->m_pBeamList, st->m_pWallList, &c.m_BeamList, &walls);
            c.m_NodeList.SetSelectPointer(&c.m_BeamList, &walls);
            c.m_strName = FolderName("三维简图-" + axis->GetNo() + "轴-" + axis->GetAxisDesc());
        }
        break;
    }
    default:
        break;
    }
}

void CDlgDrawResult3D::GenFigure(CDXFOutput& dxf, OUTPUT_CONTENT& scope)
{
    dxf.SetCurrentLayer("MEMBER");
    for (POSITION pos = scope.m_BeamList.GetHeadPosition(); pos != nullptr;) {
        CBeamBase* b = scope.m_BeamList.GetNextT(pos);
        if (b->toBeam() != nullptr || b->toSubBeam() != nullptr) {
            if (b->GetNode1() == nullptr || b->GetNode2() == nullptr)
                continue;
            const CPoint3D& p1 = b->GetNode1()->m_pt;
            const CPoint3D& p2 = b->GetNode2()->m_pt;
            if (!(p1 == p2))
                dxf.Line3D(p1, p2);
            continue;
        }
        CPoint3D P[4];
        if (CBeamInWall* bw = b->toBeamInWall()) {
            for (int i = 0; i < 4; ++i)
                P[i] = bw->GetPoint(i + 1);
        } else if (CColumnInWall* cw = b->toColumnInWall()) {
            for (int i = 0; i < 4; ++i)
                P[i] = cw->GetPoint(i + 1);
        } else {
            continue;
        }
        dxf.Line3D(P[0], P[1]);
        dxf.Line3D(P[1], P[2]);
        dxf.Line3D(P[2], P[3]);
        dxf.Line3D(P[3], P[0]);
    }
}

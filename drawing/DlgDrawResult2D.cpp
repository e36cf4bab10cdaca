#include <vyr/drawing/DlgDrawResult2D.h>

#include <vyr/model/base/VyrProduct.h>
#include <vyr/model/draw/DrawUnit.h>
#include <vyr/model/dxf/DXFOutput.h>
#include <vyr/model/struct/GlobalData.h>
#include <vyr/resources/dialogs/DrawResultRes.h>

UINT CDlgDrawResult2D::TemplateId()
{
    const CVyrProduct& p = CVyrProduct::Inst();
    if (p.IsKel3D())
        return IDD_DRAWRESULT2D_KEL;
    if (p.IsDov2D())
        return IDD_DRAWRESULT2D_DOV;
    return IDD_DRAWRESULT2D;
}

CDlgDrawResult2D::CDlgDrawResult2D(CGlobalData* pData, CWnd* pParent)
    : CDlgDrawResult(TemplateId(), pData, pParent, false), m_run(this)
{
}

CDlgDrawResult2D::~CDlgDrawResult2D() = default;

void CDlgDrawResult2D::OnSelchangeComboContent()
{
    HWND h = Item(IDC_DRAW_SCOPE);
    if (h == nullptr)
        return;
    ::SendMessage(h, CB_RESETCONTENT, 0, 0);
    const int i = (int)::SendMessage(h, CB_ADDSTRING, 0, (LPARAM) "全部");
    ::SendMessage(h, CB_SETITEMDATA, (WPARAM)i, 0);
    AddStoreyItems(IDC_DRAW_SCOPE);
    ::SendMessage(h, CB_SETCURSEL, 0, 0);
}

int CDlgDrawResult2D::GetOutputNum()
{
    int n = FilesPerScope();
    if (Item(IDC_DRAW_SCOPE) != nullptr && GetComboSel(IDC_DRAW_SCOPE) == 0)
        n *= (int)m_pGlobalData->Struct()->m_pFloorList->GetCount();
    return n;
}

void CDlgDrawResult2D::ResetOutputContent()
{
    m_arrContent.clear();
    if (Item(IDC_DRAW_SCOPE) == nullptr) {
        m_arrContent.resize(1);
        FillWholeStructure(m_arrContent[0]);
        m_arrContent[0].m_strName = "简图";
        return;
    }
    const std::vector<DWORD_PTR> floors = ChosenItems(IDC_DRAW_SCOPE);
    m_arrContent.resize(floors.size());
    for (size_t i = 0; i < floors.size(); ++i) {
        auto* f = reinterpret_cast<CFloor*>(floors[i]);
        OUTPUT_CONTENT_2D& c = m_arrContent[i];
        CWallList walls;
        f->GetMembers(&c.m_NodeList, &c.m_BeamList, &walls, &c.m_PlaneList);
        c.m_strName = FolderName("二维简图-" + StoreyText(f));
    }
}

CPoint2D CDlgDrawResult2D::GetPt(const CPoint3D& p)
{
    return CVyrProduct::Inst().Is3D() ? p.GetXY() : p.GetXZ();
}

void CDlgDrawResult2D::GenFigure(CDXFOutput& dxf, OUTPUT_CONTENT_2D& scope)
{
    dxf.SetCurrentLayer("MEMBER");
    const bool plane = CVyrProduct::Inst().Is2D() != 0;
    for (POSITION pos = scope.m_BeamList.GetHeadPosition(); pos != nullptr;) {
        CBeamBase* b = scope.m_BeamList.GetNextT(pos);
        if (b->toBeam() != nullptr || b->toSubBeam() != nullptr) {
            if (b->GetNode1() == nullptr || b->GetNode2() == nullptr)
                continue;
            const CPoint2D p1 = GetPt(b->GetNode1()->m_pt), p2 = GetPt(b->GetNode2()->m_pt);
            if (!(p1 == p2)) {
                dxf.Line(p1, p2);
                continue;
            }
            // Seen end-on: a square around the point.
            const double h = 0.025 * scope.GetMaxBeamLength();
            dxf.MoveTo((long)(p1.x - h), (long)(p1.y - h));
            dxf.LineTo((long)(p1.x - h), (long)(p1.y + h));
            dxf.LineTo((long)(p1.x + h), (long)(p1.y + h));
            dxf.LineTo((long)(p1.x + h), (long)(p1.y - h));
            dxf.LineTo((long)(p1.x - h), (long)(p1.y - h));
            continue;
        }
        CPoint3D corner[4];
        float width = 0.0f;
        if (CBeamInWall* bw = b->toBeamInWall()) {
            for (int i = 0; i < 4; ++i)
                corner[i] = bw->GetPoint(i + 1);
            width = bw->m_fPlanWidth;
        } else if (CColumnInWall* cw = b->toColumnInWall()) {
            for (int i = 0; i < 4; ++i)
                corner[i] = cw->GetPoint(i + 1);
            width = cw->m_fPlanWidth;
        } else {
            continue;
        }
        const CPoint2D P1 = GetPt(corner[0]), P2 = GetPt(corner[1]);
        if (plane) {
            const CPoint2D P3 = GetPt(corner[2]), P4 = GetPt(corner[3]);
            dxf.Line(P1, P2);
            dxf.Line(P2, P3);
            dxf.Line(P3, P4);
            dxf.Line(P4, P1);
        } else {
            CLine line;
            line.SetLine(P1, P2, 1, -1);
            const CPoint2D A = line.GetPerPt(P1, width / 2.0), B = line.GetPerPt(P2, width / 2.0);
            const CPoint2D C = line.GetPerPt(P2, -width / 2.0), D = line.GetPerPt(P1, -width / 2.0);
            dxf.Line(A, B);
            dxf.Line(B, C);
            dxf.Line(C, D);
            dxf.Line(D, A);
        }
    }
}

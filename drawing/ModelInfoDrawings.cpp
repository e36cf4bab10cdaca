// The model information drawings of the export: labels of nodes, members, members in walls
// and rooms on the structure figure, and the master nodes with the links of their slaves.
#include <vector>

#include <vyr/drawing/DlgDrawResult.h>
#include <vyr/model/dxf/DXFOutput.h>
#include <vyr/model/output/commonfuncs.h>
#include <vyr/model/section/SectionBase.h>
#include <vyr/model/struct/GlobalData.h>
#include <vyr/model/struct/Support.h>
#include <vyr/resources/dialogs/DrawResultRes.h>

int CDlgDrawResult::Gen_Model_Node()
{
    return GenItemDrawings(IDC_DRAW_NODE, IDC_DRAW_NODE_ITEM, "结点信息", nullptr, true,
                           [this](CDXFOutput& dxf, COutputContentBase& scope, int item, const CString&, double h) {
                               DrawNodeInfo(dxf, scope, item, h);
                           });
}

int CDlgDrawResult::Gen_Model_Beam()
{
    return GenItemDrawings(IDC_DRAW_BEAM, IDC_DRAW_BEAM_ITEM, "杆件信息", nullptr, false,
                           [this](CDXFOutput& dxf, COutputContentBase& scope, int, const CString& name, double h) {
                               DrawMemberInfo(dxf, scope, name, h);
                           });
}

int CDlgDrawResult::Gen_Model_BCInWall()
{
    return GenItemDrawings(IDC_DRAW_BCINWALL, 0, "墙肢连梁信息", "编号", false,
                           [this](CDXFOutput& dxf, COutputContentBase& scope, int, const CString&, double h) {
                               DrawWallMemberNumbers(dxf, scope, h);
                           });
}

int CDlgDrawResult::Gen_Model_Plane()
{
    return GenItemDrawings(IDC_DRAW_PLANE, 0, "房间信息", "房间与楼板编号", false,
                           [this](CDXFOutput& dxf, COutputContentBase& scope, int, const CString&, double h) {
                               DrawRooms(dxf, scope, h);
                           });
}

int CDlgDrawResult::Gen_Model_MainNode()
{
    return GenItemDrawings(IDC_DRAW_MAINNODE, 0, "主节点位置与主从关系", "主节点位置与主从关系", false,
                           [this](CDXFOutput& dxf, COutputContentBase& scope, int, const CString&, double h) {
                               DrawMainNodes(dxf, scope, h);
                           });
}

void CDlgDrawResult::DrawNodeInfo(CDXFOutput& dxf, COutputContentBase& scope, int item, double h)
{
    dxf.SetText(h, 0.0);
    dxf.SetTextAlign(6, 8);
    std::set<CPoint2D> used;
    for (POSITION pos = scope.m_NodeList.GetHeadPosition(); pos != nullptr;) {
        CPNode* n = scope.m_NodeList.GetNextT(pos);
        if (!FirstAtPlace(used, n->m_pt))
            continue;
        CString label;
        if (item == 1) {
            label.Format("%d", n->GetNo());
            if (CSupportBase* s = n->GetSupport()) {
                CString d;
                s->GetDescription(&d);
                label += " (" + d + ")";
            }
            if (n->GetType() == NODE_TRUSS)
                label += " (桁架结点)";
        } else if (item == 2) {
            label = Num3(n->m_fVSeismCoef);
        } else if (item == 3) {
            label = Num3(n->m_fMass) + " (" + Num3(n->m_fAddMass) + ")";
        } else {
            continue;
        }
        NodeText(dxf, n->m_pt, label);
    }
}

void CDlgDrawResult::DrawMemberInfo(CDXFOutput& dxf, COutputContentBase& scope, const CString& item, double h)
{
    for (POSITION pos = scope.m_BeamList.GetHeadPosition(); pos != nullptr;) {
        CBeamBase* b = scope.m_BeamList.GetNextT(pos);
        if (!IsOrdinaryMember(b) || b->GetNode1() == nullptr || b->GetNode2() == nullptr)
            continue;
        CBeam* beam = b->toBeam();
        CPoint3D mid;
        double angle = 0.0;
        MemberPlace(b, mid, angle);
        dxf.SetText(h, angle * kRadToDeg);
        if (item == "编号、截面与调头翻转") {
            CSectionBase* sec = b->GetSection();
            if (sec == nullptr)
                continue;
            CString label;
            if (b->GetNo() != 0)
                label.Format("%d ", b->GetNo());
            label += sec->GetSimpleSecName();
            if (beam != nullptr && beam->m_nTurn == 1)
                label += " (调头)";
            if (beam != nullptr && beam->m_nFlip == 1)
                label += " (翻转)";
            dxf.SetTextAlign(6, 8);
            PutText(dxf, mid, label);
        } else if (item == "释放与刚臂") {
            CString d;
            if (CBeamBindRelease* r = b->GetBeamBindRelease()) {
                r->GetDescription(&d);
                dxf.SetTextAlign(6, 8);
                PutText(dxf, mid, d);
            }
            if (beam != nullptr && beam->m_pRigid != nullptr) {
                beam->m_pRigid->GetDescription(&d);
                dxf.SetTextAlign(6, 0);
                PutText(dxf, mid, d);
            }
        } else if (item == "截面2、3轴") {
            // From the midpoint in the model, so that a plane drawing projects it too.
            const CPoint3D m = (b->GetNode1()->m_pt + b->GetNode2()->m_pt) / 2.0;
            SpaceLine(dxf, m, m + b->GetVector2() * h);
            SpaceLine(dxf, m, m + b->GetVector3() * (2.0 * h));
        } else if (item == "偏心") {
            if (beam != nullptr && beam->m_pOffset != nullptr) {
                CString d;
                beam->m_pOffset->GetDescription(&d);
                dxf.SetTextAlign(6, 8);
                PutText(dxf, mid, d);
            }
        }
    }
}

void CDlgDrawResult::DrawWallMemberNumbers(CDXFOutput& dxf, COutputContentBase& scope, double h)
{
    dxf.SetTextAlign(6, 8);
    for (POSITION pos = scope.m_BeamList.GetHeadPosition(); pos != nullptr;) {
        CBeamBase* b = scope.m_BeamList.GetNextT(pos);
        if (!IsInWallMember(b) || b->GetNode1() == nullptr || b->GetNode2() == nullptr)
            continue;
        CString label;
        label.Format(b->toBeamInWall() != nullptr ? "LL%d" : "WM%d", b->GetNo());
        CPoint3D mid;
        double angle = 0.0;
        MemberPlace(b, mid, angle);
        dxf.SetText(h, angle * kRadToDeg);
        PutText(dxf, mid, label);
    }
}

void CDlgDrawResult::DrawRooms(CDXFOutput& dxf, COutputContentBase& scope, double h)
{
    dxf.SetText(h, 0.0);
    for (POSITION pos = scope.m_PlaneList.GetHeadPosition(); pos != nullptr;) {
        CPlane* p = scope.m_PlaneList.GetNextT(pos);
        CPNode* first = p->m_pNodeList->GetHeadT();
        if (first == nullptr)
            continue;
        const CPoint2D c = p->GetCenter();
        const CPoint3D at = DrawingPoint(CPoint3D(c.x, c.y, first->m_pt.z));
        CString label;
        label.Format("P%d", p->GetNo());
        dxf.SetTextAlign(6, 0);
        PutText(dxf, at, label);
        if (p->m_pBan != nullptr) {
            dxf.SetTextAlign(6, 8);
            PutText(dxf, at, p->GetBanText());
        }
    }
}

void CDlgDrawResult::DrawMainNodes(CDXFOutput& dxf, COutputContentBase& scope, double h)
{
    dxf.SetCurrentLayer("DIM");
    std::vector<CMainNode*> masters;
    std::set<CMainNode*> seen;
    for (POSITION pos = scope.m_NodeList.GetHeadPosition(); pos != nullptr;) {
        CPNode* n = scope.m_NodeList.GetNextT(pos);
        CMainNode* m = n->GetMainNode();
        if (m == nullptr)
            continue;
        SpaceLine(dxf, n->m_pt, m->m_pt);
        if (seen.insert(m).second)
            masters.push_back(m);
    }
    dxf.SetCurrentLayer("TEXT");
    dxf.SetTextAlign(6, 8);
    dxf.SetText(h, 0.0);
    const double u = m_pGlobalData != nullptr ? m_pGlobalData->UnitLength() : 1.0;
    for (CMainNode* m : masters)
        NodeText(dxf, m->m_pt,
                 "( " + Num3(m->m_pt.x * u) + ", " + Num3(m->m_pt.y * u) + ", " + Num3(m->m_pt.z * u) + " )");
}

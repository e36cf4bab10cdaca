// The load drawings of the export: every load of an item as a line of text, the lines of
// one node, member or room stacked beside it.
#include <cmath>

#include <vyr/drawing/DlgDrawResult2D.h>
#include <vyr/drawing/DlgDrawResult3D.h>
#include <vyr/model/dxf/DXFOutput.h>
#include <vyr/model/output/commonfuncs.h>
#include <vyr/model/output/creal.h>
#include <vyr/model/struct/GlobalData.h>
#include <vyr/resources/dialogs/DrawResultRes.h>

namespace {

// The lines of every load of a list, by its own description.
template <class Load>
void Describe(const CObList* list, std::list<CString>& lines)
{
    if (list == nullptr)
        return;
    for (POSITION pos = list->GetHeadPosition(); pos != nullptr;) {
        CString text;
        static_cast<const Load*>(list->GetNext(pos))->GetDescription(&text);
        lines.push_back(text);
    }
}

// The member loads of an ordinary member or a secondary beam, null for other kinds.
CMemberLoads* MemberLoads(CBeamBase* b)
{
    if (CBeam* beam = b->toBeam())
        return beam;
    if (CSubBeam* sub = b->toSubBeam())
        return sub;
    return nullptr;
}
} // namespace

void CDlgDrawResult::GetAreaLoad(CLoadArea* load, std::list<CString>& lines)
{
    if (load == nullptr)
        return;
    CString text;
    load->GetDescription(&text);
    lines.push_back(text);
}

void CDlgDrawResult::GetBeamLoad(CLoadBeamList* list, std::list<CString>& lines) { Describe<CLoadBeam>(list, lines); }

void CDlgDrawResult::GetCraneBeamLoad(CLoadCraneBeamList* list, std::list<CString>& lines)
{
    Describe<CLoadBeam>(list, lines);
}

void CDlgDrawResult::GetNodeLoad(CLoadNodeList* list, std::list<CString>& lines) { Describe<CLoadNode>(list, lines); }

void CDlgDrawResult::GetWindLoad(CLoadWindList* list, std::list<CString>& lines) { Describe<CLoadWind>(list, lines); }

void CDlgDrawResult::GetCraneLoad(CLoadCraneList* list, std::list<CString>& lines) { Describe<CLoadNode>(list, lines); }

void CDlgDrawResult::StackTexts(CDXFOutput& dxf, const std::list<CString>& lines, const CPoint3D& anchor, double angle,
                                double height, bool plane)
{
    if (lines.empty())
        return;
    const CVector3D normal(std::cos(angle + 1.5707963), std::sin(angle + 1.5707963), 0.0);
    dxf.SetTextAlign(6, 8);
    dxf.SetText(height, angle * kRadToDeg);
    CPoint3D p = anchor.GetPt3D(0.3 * height, normal);
    for (const CString& line : lines) {
        if (plane)
            dxf.TextOutA((long)p.x, (long)p.y, line);
        else
            dxf.TextOut3D(p.x, p.y, p.z, line);
        p = p.GetPt3D(1.3 * height, normal);
    }
}

void CDlgDrawResult2D::DrawTexts(CDXFOutput& out, std::list<CString>& lines, const CPoint2D& anchor, double angle,
                                 double height)
{
    StackTexts(out, lines, CPoint3D(anchor.x, anchor.y, 0.0), angle, height, true);
}

void CDlgDrawResult3D::DrawTexts(CDXFOutput& out, std::list<CString>& lines, const CPoint3D& anchor, double angle,
                                 double height)
{
    StackTexts(out, lines, anchor, angle, height, false);
}

int CDlgDrawResult::Gen_Model_Load()
{
    return GenItemDrawings(IDC_DRAW_LOAD, IDC_DRAW_LOAD_ITEM, "荷载布置", nullptr, false,
                           [this](CDXFOutput& dxf, COutputContentBase& scope, int item, const CString&, double h) {
                               DrawLoads(dxf, scope, item, h);
                           });
}

void CDlgDrawResult::DrawLoads(CDXFOutput& dxf, COutputContentBase& scope, int item, double h)
{
    const bool plane = !m_b3D;
    CStruct* st = m_pGlobalData != nullptr ? m_pGlobalData->Struct() : nullptr;
    std::list<CString> lines;
    std::set<CPoint2D> used;
    // Nodes of a plane drawing are anchored at their projected point, where the figure
    // shows them, the first node at each point only.
    auto atNode = [&](CPNode* n) {
        if (FirstAtPlace(used, n->m_pt))
            StackTexts(dxf, lines, DrawingPoint(n->m_pt), 0.0, h, plane);
    };
    auto atMember = [&](CBeamBase* b) {
        CPoint3D mid;
        double angle = 0.0;
        MemberPlace(b, mid, angle);
        StackTexts(dxf, lines, mid, angle, h, plane);
    };
    auto nodes = [&](const std::function<void(CPNode*)>& collect) {
        for (POSITION pos = scope.m_NodeList.GetHeadPosition(); pos != nullptr;) {
            CPNode* n = scope.m_NodeList.GetNextT(pos);
            lines.clear();
            collect(n);
            atNode(n);
        }
    };
    // Members with both ends, of the kind `collect` takes (null: none of it).
    auto members = [&](const std::function<bool(CBeamBase*)>& collect) {
        for (POSITION pos = scope.m_BeamList.GetHeadPosition(); pos != nullptr;) {
            CBeamBase* b = scope.m_BeamList.GetNextT(pos);
            if (b->GetNode1() == nullptr || b->GetNode2() == nullptr)
                continue;
            lines.clear();
            if (collect(b))
                atMember(b);
        }
    };

    if (item == 1 || item == 2) {
        const bool dead = item == 1;
        nodes([&](CPNode* n) { GetNodeLoad(dead ? n->m_pDeadLoadList : n->m_pLiveLoadList, lines); });
        members([&](CBeamBase* b) {
            CMemberLoads* loads = MemberLoads(b);
            if (loads != nullptr)
                GetBeamLoad(dead ? loads->m_pDeadLoadList : loads->m_pLiveLoadList, lines);
            return loads != nullptr;
        });
        for (POSITION pos = scope.m_PlaneList.GetHeadPosition(); pos != nullptr;) {
            CPlane* p = scope.m_PlaneList.GetNextT(pos);
            CPNode* first = p->m_pVexNodeList->GetHeadT();
            if (first == nullptr)
                continue;
            lines.clear();
            GetAreaLoad(dead ? p->m_pDeadLoad : p->m_pLiveLoad, lines);
            const CPoint2D c = p->GetCenter();
            StackTexts(dxf, lines, DrawingPoint(CPoint3D(c.x, c.y, first->m_pt.z)), 0.0, h, plane);
        }
    } else if (item >= 3 && item <= 6) {
        const int wind = item - 3; // X, Y, -X, -Y
        nodes([&](CPNode* n) { GetWindLoad(n->m_pWindLoadList[wind], lines); });
        members([&](CBeamBase* b) {
            CMemberLoads* loads = MemberLoads(b);
            if (loads != nullptr)
                GetBeamLoad(loads->m_pWindLoadList[wind], lines);
            return loads != nullptr;
        });
    } else if (item == 7) {
        const double unitForce = m_pGlobalData != nullptr ? m_pGlobalData->UnitForce() : 1.0;
        members([&](CBeamBase* b) {
            CBeam* beam = b->toBeam();
            if (beam == nullptr || !(CReal(beam->m_fTension) != CReal(0.0)))
                return false;
            lines.push_back(Num3(unitForce * beam->m_fTension));
            return true;
        });
    } else if (item >= 8 && item <= 11) {
        const int k = item - 8;
        members([&](CBeamBase* b) {
            CBeam* beam = b->toBeam();
            if (beam == nullptr || beam->m_pTemperature[k] == nullptr)
                return false;
            lines.push_back(Num3(beam->m_pTemperature[k]->GetfT()) + "度");
            return true;
        });
    } else if (item >= 12 && st != nullptr) {
        // The item of the k-th entry of the hoist-load table shows the loads of that entry's
        // number, which its caption names.
        const INT_PTR entry = item - 12;
        if (entry >= st->m_arrCraneNodeLoad.GetSize())
            return;
        const int number = static_cast<CLoadCraneList*>(st->m_arrCraneNodeLoad.GetAt(entry))->m_nNo;
        nodes([&](CPNode* n) {
            for (INT_PTR i = 0; i < n->m_arrCraneLoad.GetSize(); ++i)
                if (auto* list = static_cast<CLoadCraneList*>(n->m_arrCraneLoad.GetAt(i)); list->m_nNo == number)
                    GetCraneLoad(list, lines);
        });
        members([&](CBeamBase* b) {
            CBeam* beam = b->toBeam();
            if (beam == nullptr)
                return false;
            for (INT_PTR i = 0; i < beam->m_arrCraneBeamLoad.GetSize(); ++i)
                if (auto* list = static_cast<CLoadCraneBeamList*>(beam->m_arrCraneBeamLoad.GetAt(i)); list->m_nNo == number)
                    GetCraneBeamLoad(list, lines);
            return true;
        });
    }
}

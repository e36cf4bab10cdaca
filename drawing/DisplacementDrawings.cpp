// The displacement drawings of the export: the displaced shape of every ordinary member under
// a basic case or a standard combination, with the end nodes' displacements as labels, and
// how each twin puts the points of its drawings.
#include <cmath>
#include <unordered_set>

#include <vyr/drawing/DlgDrawResult2D.h>
#include <vyr/drawing/DlgDrawResult3D.h>
#include <vyr/drawing/ForceDiagram.h>
#include <vyr/model/base/VyrProduct.h>
#include <vyr/model/dxf/DXFOutput.h>
#include <vyr/model/struct/GlobalData.h>
#include <vyr/resources/dialogs/DrawResultRes.h>

using namespace vyrdiagram;

namespace {
// A deflection or a displacement component at or below this reads as none.
constexpr double kNoMove = 0.001;

// The label of a node moved from n to moved: the components of at least kNoMove, x 10 with
// one decimal, as "(x/z)" in the plane edition, "(x/y/z)" in space; empty when none shows.
CString DisplacementLabel(const CPoint3D& n, const CPoint3D& moved)
{
    const double d[3] = {moved.x - n.x, moved.y - n.y, moved.z - n.z};
    CString field[3];
    for (int k = 0; k < 3; ++k)
        if (std::fabs(d[k]) >= kNoMove)
            field[k].Format("%.1f", d[k] * 10.0);
    CString label;
    if (CVyrProduct::Inst().Is2D()) {
        if (!field[0].IsEmpty() || !field[2].IsEmpty())
            label.Format("(%s/%s)", field[0].GetString(), field[2].GetString());
    } else if (CVyrProduct::Inst().Is3D()) {
        if (!field[0].IsEmpty() || !field[1].IsEmpty() || !field[2].IsEmpty())
            label.Format("(%s/%s/%s)", field[0].GetString(), field[1].GetString(), field[2].GetString());
    }
    return label;
}
} // namespace

int CDlgDrawResult::Gen_ND_BLC()
{
    return GenForceCases(IDC_DRAW_ND_BLC, IDC_DRAW_ND_BLC_ITEM, "空间位移-基本工况", m_pGlobalData->GetCurBasicLCList(), true,
                         &CDlgDrawResult::GenND);
}

int CDlgDrawResult::Gen_ND_LC()
{
    return GenForceCases(IDC_DRAW_ND_LC, IDC_DRAW_ND_LC_ITEM, "空间位移-基本组合工况", m_pGlobalData->GetSDispLCList(), false,
                         &CDlgDrawResult::GenND);
}

void CDlgDrawResult::GenND(const CString& folder, const CString& templateFile, const CString& name,
                           CLoadCombination* combination, COutputContentBase& scope)
{
    const CString file = folder + "\\空间位移-" + FolderName(name) + ".dxf";
    {
        CDXFOutput dxf;
        StartDrawing(dxf, templateFile, file);
        // Each member evaluated once: its own station arrays keep the deflections (and its
        // end nodes their displacements) until its shape is drawn below.
        double largest = 0.0;
        std::vector<CBeamBase*> members;
        for (POSITION pos = scope.m_BeamList.GetHeadPosition(); pos != nullptr;) {
            CBeamBase* b = scope.m_BeamList.GetNextT(pos);
            if (b->toBeam() == nullptr || b->GetNode1() == nullptr || b->GetNode2() == nullptr)
                continue;
            members.push_back(b);
            b->ComputeCurrentForce(CBeamBase::kDeflections, combination, 0.0f);
            for (int i = 0; i < kStations; ++i)
                largest = std::max({largest, (double)std::fabs(b->GetF(i)), (double)std::fabs(b->GetF1(i))});
        }
        // A case that only translates the members still moves them: drawn with no deflection.
        const double L = scope.GetMaxBeamLength();
        const double scale = largest > kNoMove ? L * 0.1 / largest : 0.0;
        const double h = L * 0.025;
        std::unordered_set<const CPNode*> labelled;
        for (CBeamBase* b : members) {
            CPNode* A = b->GetNode1();
            CPNode* B = b->GetNode2();
            if (SeenEndOn(A->m_pt, B->m_pt))
                continue;
            SetMemberText(dxf, A->m_pt, B->m_pt, h);
            dxf.SetCurrentLayer("MEMBER");
            const double len = b->GetLength();
            const CPoint3D a1 = A->GetP3D(A->m_pt, 1), b1 = B->GetP3D(B->m_pt, 1);
            double M[9];
            b->GetLToGMatrix(M);
            const CVector3D drift = (b1 - B->m_pt) - (a1 - A->m_pt);
            CPoint3D pts[kStations];
            for (int i = 0; i < kStations; ++i) {
                const double l[3] = {i * len / 11.0, b->GetF(i) * scale, b->GetF1(i) * scale};
                const double t = i / 11.0;
                pts[i] = CPoint3D(a1.x + M[0] * l[0] + M[1] * l[1] + M[2] * l[2] + drift.x * t,
                                  a1.y + M[3] * l[0] + M[4] * l[1] + M[5] * l[2] + drift.y * t,
                                  a1.z + M[6] * l[0] + M[7] * l[1] + M[8] * l[2] + drift.z * t);
            }
            for (int i = 0; i + 1 < kStations; ++i)
                SpaceLine(dxf, pts[i], pts[i + 1]);
            dxf.SetCurrentLayer("TEXT");
            for (const auto& [node, moved] : {std::pair<CPNode*, CPoint3D>(A, a1), std::pair<CPNode*, CPoint3D>(B, b1)}) {
                if (!labelled.insert(node).second)
                    continue;
                const CString label = DisplacementLabel(node->m_pt, moved);
                if (!label.IsEmpty())
                    NodeText(dxf, node->m_pt, label);
            }
        }
        CheckDrawing(dxf, file);
    }
    StepProgress();
}

void CDlgDrawResult2D::SetMemberText(CDXFOutput& dxf, const CPoint3D& a, const CPoint3D& b, double height)
{
    dxf.SetText(height, MemberAngle(a, b) * kRadToDeg);
    dxf.SetTextAlign(6, 8);
}

double CDlgDrawResult2D::MemberAngle(const CPoint3D& a, const CPoint3D& b)
{
    const CPoint2D p = GetPt(a), q = GetPt(b);
    double angle = std::atan2(q.y - p.y, q.x - p.x);
    if (CVyrProduct::Inst().IsDov2D() && q < p)
        angle += 3.1415926;
    return angle;
}

CPoint3D CDlgDrawResult2D::DrawingPoint(const CPoint3D& p)
{
    const CPoint2D q = GetPt(p);
    return CPoint3D(q.x, q.y, 0.0);
}

void CDlgDrawResult2D::SpaceLine(CDXFOutput& dxf, const CPoint3D& a, const CPoint3D& b) { dxf.Line(GetPt(a), GetPt(b)); }

void CDlgDrawResult2D::PutText(CDXFOutput& dxf, const CPoint3D& at, const CString& text)
{
    dxf.TextOutA((long)at.x, (long)at.y, text);
}

bool CDlgDrawResult2D::FirstAtPlace(std::set<CPoint2D>& used, const CPoint3D& p) { return used.insert(GetPt(p)).second; }

void CDlgDrawResult3D::SetMemberText(CDXFOutput& dxf, const CPoint3D& a, const CPoint3D& b, double height)
{
    dxf.SetText(height, MemberAngle(a, b) * kRadToDeg);
}

double CDlgDrawResult3D::MemberAngle(const CPoint3D& a, const CPoint3D& b) { return std::atan2(b.y - a.y, b.x - a.x); }

CPoint3D CDlgDrawResult3D::DrawingPoint(const CPoint3D& p) { return p; }

void CDlgDrawResult3D::SpaceLine(CDXFOutput& dxf, const CPoint3D& a, const CPoint3D& b) { dxf.Line3D(a, b); }

void CDlgDrawResult3D::PutText(CDXFOutput& dxf, const CPoint3D& at, const CString& text)
{
    dxf.TextOut3D(at.x, at.y, at.z, text);
}

bool CDlgDrawResult3D::FirstAtPlace(std::set<CPoint2D>&, const CPoint3D&) { return true; }

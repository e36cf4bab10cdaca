// The internal-force diagrams of the drawing export: the three generators (basic cases,
// fundamental and standard combinations) and the six files of one case in either twin.
#include <cmath>

#include <vyr/drawing/DlgDrawResult2D.h>
#include <vyr/drawing/DlgDrawResult3D.h>
#include <vyr/drawing/ForceDiagram.h>
#include <vyr/model/base/VyrProduct.h>
#include <vyr/model/dxf/DXFOutput.h>
#include <vyr/model/output/creal.h>
#include <vyr/model/struct/GlobalData.h>
#include <vyr/resources/dialogs/DrawResultRes.h>

using namespace vyrdiagram;

int CDlgDrawResult::Gen_BF_BLC()
{
    return GenForceCases(IDC_DRAW_BF_BLC, IDC_DRAW_BF_BLC_ITEM, "杆件内力-基本工况", m_pGlobalData->GetCurBasicLCList(), true);
}

int CDlgDrawResult::Gen_BF_LC()
{
    return GenForceCases(IDC_DRAW_BF_LC, IDC_DRAW_BF_LC_ITEM, "杆件内力-基本组合工况", m_pGlobalData->GetSLCList(), false);
}

int CDlgDrawResult::Gen_BF_LC_STD()
{
    return GenForceCases(IDC_DRAW_BF_LCSTD, IDC_DRAW_BF_LCSTD_ITEM, "杆件内力-标准组合工况", m_pGlobalData->GetSDispLCList(),
                         false);
}

int CDlgDrawResult::GenForceCases(int box, int combo, const char* category, CObList* list, bool basicCases,
                                  CaseDrawer drawer)
{
    if (drawer == nullptr)
        drawer = &CDlgDrawResult::ForceDiagramsOf;
    const CString templateFile = GetTemplateFile();
    if (!IsChecked(box))
        return 1;
    auto draw = [&](const CString& folder, CObject* item, COutputContentBase& scope) {
        if (item == nullptr)
            return;
        if (!basicCases) {
            auto* lc = static_cast<CLoadCombination*>(item);
            (this->*drawer)(folder, templateFile, lc->GetDescription(), lc, scope);
            return;
        }
        // A basic case is drawn as the combination of it alone, for its six files.
        auto* basic = static_cast<CBasicLoadCase*>(item);
        CLoadSeism* seism =
            basic->IsSeismLoadCase() ? m_pGlobalData->Struct()->m_pLoadSeismList->Get(basic->GetSeismCaseNo()) : nullptr;
        CLoadCombination lc;
        lc.Fill(basic, seism);
        (this->*drawer)(folder, templateFile, basic->GetDescription(), &lc, scope);
    };
    for (int i = 0; i < ScopeCount(); ++i) {
        COutputContentBase& scope = ScopeAt(i);
        const CString folder = CategoryFolder(scope, category);
        if (GetComboSel(combo) != 0) {
            draw(folder, reinterpret_cast<CObject*>(GetComboData(combo)), scope);
            if (ExitOutput(this) == 1)
                return 0;
            continue;
        }
        if (list == nullptr)
            continue;
        for (POSITION pos = list->GetHeadPosition(); pos != nullptr;) {
            draw(folder, list->GetNext(pos), scope);
            if (ExitOutput(this) == 1)
                return 0;
        }
    }
    return 1;
}

CString CDlgDrawResult::ForceFile(const CString& folder, const CString& name, int component)
{
    // A description may hold characters a file name cannot: they would lose the file.
    return folder + "\\杆件内力-" + FolderName(name) + "-" + kForceComponents[component].name + ".dxf";
}

void CDlgDrawResult::WriteComponentFiles(const CString& folder, const CString& templateFile, const CString& name,
                                         COutputContentBase& scope, const std::function<void(int, CDXFOutput&)>& diagrams,
                                         int only)
{
    for (int c = 0; c < 6; ++c) {
        if (only != -1 && c != only)
            continue;
        const CString file = ForceFile(folder, name, c);
        {
            CDXFOutput dxf;
            StartDrawing(dxf, templateFile, file);
            FigureOf(dxf, scope);
            diagrams(c, dxf);
            CheckDrawing(dxf, file);
        }
        StepProgress();
    }
}

namespace {
// The style of a file's curves: scale from the scope's longest member and the file's
// largest value (0: no diagram), text height 0.025 of that length, the component's factor.
CurveStyle FileStyle(COutputContentBase& scope, int component, double largest)
{
    CurveStyle style;
    const double L = scope.GetMaxBeamLength();
    style.scale = DiagramScale(L, largest);
    style.textHeight = L * 0.025;
    style.labelFactor = kForceComponents[component].labelFactor;
    return style;
}

// Every value's magnitude into largest (replaced only by a strictly greater one).
void TakeLargest(const double* v, double& largest)
{
    for (int i = 0; i < kStations; ++i)
        if (std::fabs(v[i]) > largest)
            largest = std::fabs(v[i]);
}

// The member's first station array after ComputeCurrentForce, as doubles.
void CurrentForce(CBeamBase* b, int component, CLoadCombination* lc, double* v)
{
    b->ComputeCurrentForce(component, lc, 0.0f);
    for (int i = 0; i < kStations; ++i)
        v[i] = b->GetF(i);
}
} // namespace

std::vector<MEMBER_DIAGRAM_2D> CDlgDrawResult2D::CollectDiagrams(
    OUTPUT_CONTENT_2D& scope, const std::function<void(CBeamBase*, MEMBER_DIAGRAM_2D&)>& values, double& largest)
{
    std::vector<MEMBER_DIAGRAM_2D> out;
    out.reserve((size_t)scope.m_BeamList.GetCount());
    for (POSITION pos = scope.m_BeamList.GetHeadPosition(); pos != nullptr;) {
        CBeamBase* b = scope.m_BeamList.GetNextT(pos);
        if (b->toBeam() == nullptr || b->GetNode1() == nullptr || b->GetNode2() == nullptr)
            continue;
        const CPoint2D p1 = GetPt(b->GetNode1()->m_pt), p2 = GetPt(b->GetNode2()->m_pt);
        if (p1 == p2)
            continue; // seen end-on
        MEMBER_DIAGRAM_2D& r = out.emplace_back();
        r.pt1 = p1;
        r.pt2 = p2;
        values(b, r);
        TakeLargest(r.v1, largest);
        TakeLargest(r.v2, largest);
    }
    return out;
}

void CDlgDrawResult2D::GenBF(const CString& folder, const CString& templateFile, const CString& name,
                             CLoadCombination* combination, OUTPUT_CONTENT_2D& scope)
{
    WriteComponentFiles(folder, templateFile, name, scope, [&](int c, CDXFOutput& dxf) {
        double largest = 0.0;
        const std::vector<MEMBER_DIAGRAM_2D> records = CollectDiagrams(
            scope, [&](CBeamBase* b, MEMBER_DIAGRAM_2D& r) { CurrentForce(b, c, combination, r.v1); }, largest);
        DrawDiagrams(dxf, scope, c, records, largest, false);
    });
}

void CDlgDrawResult2D::DrawDiagrams(CDXFOutput& dxf, OUTPUT_CONTENT_2D& scope, int c,
                                    const std::vector<MEMBER_DIAGRAM_2D>& records, double largest, bool both)
{
    const bool turnBack = CVyrProduct::Inst().IsDov2D() != 0;
    CurveStyle style = FileStyle(scope, c, largest);
    if (style.scale == 0.0)
        return;
    dxf.SetCurrentLayer("DIM");
    style.positiveBelow = c == COMP_M3;
    for (const MEMBER_DIAGRAM_2D& r : records) {
        style.sign = c == COMP_M3 && r.pt1 < r.pt2 && CReal(r.pt1.x) != CReal(r.pt2.x) ? -1.0 : 1.0;
        DrawCurve2D(dxf, r.pt1, r.pt2, r.v1, style, turnBack);
        if (both)
            DrawCurve2D(dxf, r.pt1, r.pt2, r.v2, style, turnBack);
    }
}

std::vector<MEMBER_DIAGRAM> CDlgDrawResult3D::CollectDiagrams(
    OUTPUT_CONTENT& scope, const std::function<void(CBeamBase*, MEMBER_DIAGRAM&)>& values, double& largest)
{
    std::vector<MEMBER_DIAGRAM> out;
    out.reserve((size_t)scope.m_BeamList.GetCount());
    for (POSITION pos = scope.m_BeamList.GetHeadPosition(); pos != nullptr;) {
        CBeamBase* b = scope.m_BeamList.GetNextT(pos);
        if (b->toBeam() == nullptr || b->GetNode1() == nullptr || b->GetNode2() == nullptr)
            continue;
        MEMBER_DIAGRAM& r = out.emplace_back();
        r.pt1 = b->GetNode1()->m_pt;
        r.pt2 = b->GetNode2()->m_pt;
        values(b, r);
        TakeLargest(r.v1, largest);
        TakeLargest(r.v2, largest);
    }
    return out;
}

void CDlgDrawResult3D::GenBF(const CString& folder, const CString& templateFile, const CString& name,
                             CLoadCombination* combination, OUTPUT_CONTENT& scope)
{
    WriteComponentFiles(folder, templateFile, name, scope, [&](int c, CDXFOutput& dxf) {
        double largest = 0.0;
        const std::vector<MEMBER_DIAGRAM> records = CollectDiagrams(
            scope,
            [&](CBeamBase* b, MEMBER_DIAGRAM& r) {
                CurrentForce(b, c, combination, r.v1);
                r.dir = OffsetAxis(b, c);
            },
            largest);
        DrawDiagrams(dxf, scope, c, records, largest, false);
    });
}

void CDlgDrawResult3D::DrawDiagrams(CDXFOutput& dxf, OUTPUT_CONTENT& scope, int c, const std::vector<MEMBER_DIAGRAM>& records,
                                    double largest, bool both)
{
    CurveStyle style = FileStyle(scope, c, largest);
    if (style.scale == 0.0)
        return;
    dxf.SetCurrentLayer("DIM");
    style.sign = c == COMP_M3 ? -1.0 : 1.0;
    for (const MEMBER_DIAGRAM& r : records) {
        DrawCurve3D(dxf, r.pt1, r.pt2, r.dir, r.v1, style);
        if (both)
            DrawCurve3D(dxf, r.pt1, r.pt2, r.dir, r.v2, style);
    }
}

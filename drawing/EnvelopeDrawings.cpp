// The envelope drawings of the export: the internal-force envelopes over the model's
// envelope combinations, two curves per member with the rules of the force diagrams.
#include <vyr/drawing/DlgDrawResult2D.h>
#include <vyr/drawing/DlgDrawResult3D.h>
#include <vyr/drawing/ForceDiagram.h>
#include <vyr/model/dxf/DXFOutput.h>
#include <vyr/resources/dialogs/DrawResultRes.h>

using namespace vyrdiagram;

namespace {
// Both envelope lines of a member's component, as doubles.
void CoverForce(CBeamBase* b, int component, double* v1, double* v2)
{
    b->ComputeCoverForce(component);
    for (int i = 0; i < kStations; ++i) {
        v1[i] = b->GetF(i);
        v2[i] = b->GetF1(i);
    }
}
} // namespace

int CDlgDrawResult::Gen_BF_CLC()
{
    const CString templateFile = GetTemplateFile();
    if (!IsChecked(IDC_DRAW_BF_CLC))
        return 1;
    for (int i = 0; i < ScopeCount(); ++i) {
        COutputContentBase& scope = ScopeAt(i);
        EnvelopeDiagramsOf(CategoryFolder(scope, "杆件内力-基本组合包络"), templateFile, scope,
                           GetComboSel(IDC_DRAW_BF_CLC_ITEM) - 1);
        if (ExitOutput(this) == 1)
            return 0;
    }
    return 1;
}

void CDlgDrawResult2D::GenBFC(const CString& folder, const CString& templateFile, OUTPUT_CONTENT_2D& scope,
                              int component)
{
    WriteComponentFiles(
        folder, templateFile, "包络", scope,
        [&](int c, CDXFOutput& dxf) {
            double largest = 0.0;
            const std::vector<MEMBER_DIAGRAM_2D> records = CollectDiagrams(
                scope, [&](CBeamBase* b, MEMBER_DIAGRAM_2D& r) { CoverForce(b, c, r.v1, r.v2); }, largest);
            DrawDiagrams(dxf, scope, c, records, largest, true);
        },
        component);
}

void CDlgDrawResult3D::GenBFC(const CString& folder, const CString& templateFile, OUTPUT_CONTENT& scope, int component)
{
    WriteComponentFiles(
        folder, templateFile, "包络", scope,
        [&](int c, CDXFOutput& dxf) {
            double largest = 0.0;
            const std::vector<MEMBER_DIAGRAM> records = CollectDiagrams(
                scope,
                [&](CBeamBase* b, MEMBER_DIAGRAM& r) {
                    CoverForce(b, c, r.v1, r.v2);
                    r.dir = OffsetAxis(b, c);
                },
                largest);
            DrawDiagrams(dxf, scope, c, records, largest, true);
        },
        component);
}

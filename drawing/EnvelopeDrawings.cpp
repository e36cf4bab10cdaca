// The envelope drawings of the export: the internal-force envelopes over the model's
// envelope combinations (two curves per member with the rules of the force diagrams), the
// node displacement envelopes, and the support reactions, enveloped or under a fixed
// combination of dead and live load.
#include <array>
#include <utility>
#include <vector>

#include <vyr/drawing/DlgDrawResult2D.h>
#include <vyr/drawing/DlgDrawResult3D.h>
#include <vyr/drawing/ForceDiagram.h>
#include <vyr/model/dxf/DXFOutput.h>
#include <vyr/model/output/commonfuncs.h>
#include <vyr/model/struct/GlobalData.h>
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

// ---- node displacement envelopes ----

namespace {
// The directions of the displacement envelope, in the order of the model's answer.
const char* const kDispDirections[6] = {"X向", "-X向", "Y向", "-Y向", "Z向", "-Z向"};
// The reaction envelope's components, in the order of the model's answer.
const char* const kReactionComponents[9] = {"FxMax", "FyMax", "FzMax", "MxMax", "MyMax", "MzMax", "F-xMax", "F-yMax", "F-zMax"};
} // namespace

void CDlgDrawResult::WriteNodeTexts(const CString& file, const CString& templateFile, COutputContentBase& scope,
                                    const std::function<void(CDXFOutput&)>& texts)
{
    {
        CDXFOutput dxf;
        StartDrawing(dxf, templateFile, file);
        FigureOf(dxf, scope);
        // The texts are sized by the scope's longest member; the foundation holds supports
        // alone, and a height of 0 would leave its texts unreadable: the structure's longest
        // member sizes them then.
        double longest = scope.GetMaxBeamLength();
        if (longest <= 0.0 && m_pGlobalData && m_pGlobalData->Struct())
            longest = COutputContentBase::LongestMember(*m_pGlobalData->Struct()->m_pBeamList);
        dxf.SetText(longest * 0.025, 0.0);
        dxf.SetCurrentLayer("TEXT");
        dxf.SetTextAlign(6, 8);
        texts(dxf);
        CheckDrawing(dxf, file);
    }
    StepProgress();
}

int CDlgDrawResult::Gen_ND_CLC()
{
    const CString templateFile = GetTemplateFile();
    if (!IsChecked(IDC_DRAW_ND_CLC))
        return 1;
    for (int i = 0; i < ScopeCount(); ++i) {
        COutputContentBase& scope = ScopeAt(i);
        GenNDC(CategoryFolder(scope, "空间位移-基本组合包络"), templateFile, scope, GetComboSel(IDC_DRAW_ND_CLC_ITEM) - 1);
        if (ExitOutput(this) == 1)
            return 0;
    }
    return 1;
}

void CDlgDrawResult::GenNDC(const CString& folder, const CString& templateFile, COutputContentBase& scope, int direction)
{
    // The model is asked once per node for all six directions.
    const size_t count = (size_t)scope.m_NodeList.GetCount();
    std::vector<std::array<double, 6>> values(count);
    std::vector<std::array<int, 6>> numbers(count);
    std::vector<CPNode*> nodes;
    nodes.reserve(count);
    CLCList* list = m_pGlobalData != nullptr ? m_pGlobalData->GetSDispLCList() : nullptr;
    for (POSITION pos = scope.m_NodeList.GetHeadPosition(); pos != nullptr;) {
        CPNode* n = scope.m_NodeList.GetNextT(pos);
        const size_t i = nodes.size();
        nodes.push_back(n);
        n->GetDispMax(list, values[i].data(), numbers[i].data());
        for (double& v : values[i])
            v *= 10.0;
    }
    for (int k = 0; k < 6; ++k) {
        if (direction != -1 && k != direction)
            continue;
        WriteNodeTexts(folder + "\\空间位移-包络" + kDispDirections[k] + ".dxf", templateFile, scope, [&](CDXFOutput& dxf) {
            for (size_t i = 0; i < nodes.size(); ++i) {
                CString text;
                text.Format("%s(%d)", CStringFunc::GetStrFromDouble(values[i][(size_t)k], 2).GetString(),
                            numbers[i][(size_t)k]);
                NodeText(dxf, nodes[i]->m_pt, text);
            }
        });
    }
}

// ---- support reactions ----

CString CDlgDrawResult::ReactionText(const float reaction[6])
{
    CString text;
    for (int k = 0; k < 6; ++k) {
        if (k > 0)
            text += "/";
        text += CStringFunc::GetStrFromDouble(reaction[k] * (k < 3 ? 1.0 : 0.01), 2);
    }
    return text;
}

int CDlgDrawResult::Gen_NSF(int kind)
{
    const CString templateFile = GetTemplateFile();
    if (!IsChecked(kind == 1 ? IDC_DRAW_NSF1 : IDC_DRAW_NSF0))
        return 1;
    for (int i = 0; i < ScopeCount(); ++i) {
        COutputContentBase& scope = ScopeAt(i);
        const CString folder = CategoryFolder(scope, "支座反力");
        CLoadCombination lc;
        lc.m_fDead = kind != 0 ? 1.2f : 1.0f;
        lc.m_fLive = kind != 0 ? 1.4f : 1.0f;
        const CString file = folder + "\\支座反力-" + (kind != 0 ? "1.2D+1.4L" : "1.0D+1.0L") + ".dxf";
        WriteNodeTexts(file, templateFile, scope, [&](CDXFOutput& dxf) {
            for (POSITION pos = scope.m_NodeList.GetHeadPosition(); pos != nullptr;) {
                CPNode* n = scope.m_NodeList.GetNextT(pos);
                float r[6] = {};
                if (n->GetSupportForce(&lc, r))
                    NodeText(dxf, n->m_pt, ReactionText(r));
            }
        });
        if (ExitOutput(this) == 1)
            return 0;
    }
    return 1;
}

int CDlgDrawResult::Gen_NSF()
{
    const CString templateFile = GetTemplateFile();
    if (!IsChecked(IDC_DRAW_NSF))
        return 1;
    CLCList* list = m_pGlobalData != nullptr ? m_pGlobalData->GetSLCList() : nullptr;
    for (int i = 0; i < ScopeCount(); ++i) {
        COutputContentBase& scope = ScopeAt(i);
        const CString folder = CategoryFolder(scope, "支座反力");
        const int chosen = GetComboSel(IDC_DRAW_NSF_ITEM) - 1;
        // The governing combinations of every node, once for the scope's nine files (null
        // where the model has no envelope for the node).
        std::vector<std::pair<CPNode*, std::array<CLoadCombination*, 9>>> governing;
        for (POSITION pos = scope.m_NodeList.GetHeadPosition(); pos != nullptr;) {
            CPNode* n = scope.m_NodeList.GetNextT(pos);
            double values[9];
            std::array<CLoadCombination*, 9> lcs{};
            if (!n->GetSupportForceMax(list, values, lcs.data()))
                lcs.fill(nullptr);
            governing.emplace_back(n, lcs);
        }
        for (int k = 0; k < 9; ++k) {
            if (chosen != -1 && chosen != k)
                continue;
            const CString file = folder + "\\支座反力-包络" + kReactionComponents[k] + ".dxf";
            WriteNodeTexts(file, templateFile, scope, [&](CDXFOutput& dxf) {
                for (const auto& [n, lcs] : governing) {
                    CLoadCombination* lc = lcs[(size_t)k];
                    float r[6] = {};
                    // A node the model gives no reaction for gets no text.
                    if (lc == nullptr || !n->GetSupportForce(lc, r))
                        continue;
                    CString number;
                    number.Format("(%d)", lc->m_nNo);
                    NodeText(dxf, n->m_pt, ReactionText(r) + number);
                }
            });
            if (ExitOutput(this) == 1)
                return 0;
        }
    }
    return 1;
}

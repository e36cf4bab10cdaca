#include <vyr/reports/DlgOutputNodeForce.h>

#include <cmath>

#include <vyr/model/struct/structure.h>
#include <vyr/reports/NodeChapter.h>
#include <vyr/resources/dialogs/NodeResultRes.h>

using namespace nodechapter;

BEGIN_MESSAGE_MAP(CDlgOutputNodeForce, CDlgReportChapter)
    ON_BN_CLICKED(IDC_NODEFORCE_EXTREMES, &CDlgOutputNodeForce::OnCheckDl2)
    ON_BN_CLICKED(IDC_NODEFORCE_STANDARD, &CDlgOutputNodeForce::OnCheckDl)
    ON_BN_CLICKED(IDC_NODEFORCE_BASIC, &CDlgOutputNodeForce::OnCheckFx)
END_MESSAGE_MAP()

namespace {

// Supports of types 4 and 5 have no reactions to report.
bool IsReported(const CPNode* n)
{
    const CSupportBase* s = n->GetSupport();
    return s != nullptr && s->GetType() != 4 && s->GetType() != 5;
}

template <class Fn>
void ForEachSupportNode(const CPNodeList* nodes, Fn fn)
{
    if (nodes == nullptr)
        return;
    for (POSITION pos = nodes->GetHeadPosition(); pos != nullptr;)
        if (CPNode* n = nodes->GetNextT(pos); IsReported(n))
            fn(n);
}

// Moments are kept in kN.cm and printed in kN.m.
float Printed(float value, int component) { return component >= 3 ? value * 0.01f : value; }

// The extreme slots in row order: maxima of Fx, Fy, Fz, the largest magnitudes of Mx, My,
// Mz, then the minima of Fx, Fy, Fz.
constexpr int kSlots = 9;
const char* const kLabels[kSlots] = {"FxMax:", "FyMax:", "FzMax:", "MxMax:", "MyMax:",
                                     "MzMax:", "F-xMax:", "F-yMax:", "F-zMax:"};
int Component(int slot) { return slot < 6 ? slot : slot - 6; }

struct Extreme
{
    float value = 0.0f;
    const CPNode* node = nullptr;
    const CLoadCombination* lc = nullptr;
    float force[6] = {}; // the node's whole reaction under lc
};

// Strictly beyond: ties keep what was found first.
bool Beats(int slot, float v, float kept)
{
    if (slot < 3)
        return v > kept;
    if (slot < 6)
        return std::fabs(v) > std::fabs(kept);
    return v < kept;
}

struct Extremes
{
    Extreme at[kSlots];
    Extremes()
    {
        for (int s = 0; s < kSlots; ++s)
            at[s].value = s < 3 ? -1.0e9f : s < 6 ? 0.0f : 1.0e9f;
    }
    void Offer(int slot, const Extreme& e)
    {
        if (Beats(slot, e.value, at[slot].value))
            at[slot] = e;
    }
};

// The label cell: the label and the extreme as printed.
CString LabelCell(int slot, const Extreme& e)
{
    return Cell("%s%.2f", kLabels[slot], (double)Printed(e.value, Component(slot)));
}

void ForceCells(COutput& out, const float f[6])
{
    for (int i = 0; i < 6; ++i)
        out.SetTableContent(Cell("%.2f", (double)Printed(f[i], i)));
}

} // namespace

CDlgOutputNodeForce::CDlgOutputNodeForce(CWnd* pParent) : CDlgReportChapter(IDD_NODEFORCE, pParent) {}

void CDlgOutputNodeForce::DoDataExchange(CDataExchange* pDX)
{
    CDlgReportChapter::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_NODEFORCE_STANDARD, m_bStandard);
    DDX_Check(pDX, IDC_NODEFORCE_EXTREMES, m_bExtremes);
    DDX_Check(pDX, IDC_NODEFORCE_BASIC, m_bBasic);
}

void CDlgOutputNodeForce::OutputUnite(COutput& out, int flag)
{
    if (!m_pNodeList)
        return;
    out.SetFontSize(11);
    Title(out, "支座节点反力结果", flag);
    out << tab << "本文为" << "支座节点反力结果。" << endl;
    out << tab << "本文中未经注明处使用的单位为kN与m。" << endl;
    if (m_bExtremes)
        OutputExtremes(out);
    // The fixed combinations are none of the model's: built here from the two factors.
    auto fixedCombination = [&](const char* heading, float dead, float live) {
        out << endl;
        Heading(out, heading);
        CLoadCombination lc;
        lc.m_fDead = dead;
        lc.m_fLive = live;
        OutputBLC(out, &lc);
    };
    if (m_bStandard)
        fixedCombination("支座节点1.0D+1.0L标准组合反力", 1.0f, 1.0f);
    if (m_bBasic)
        fixedCombination("支座节点1.2D+1.4L基本组合反力", 1.2f, 1.4f);
}

void CDlgOutputNodeForce::OutputExtremes(COutput& out)
{
    out << endl;
    Heading(out, "各支座节点反力最大值");
    // Without a model root there are no combinations: heads only.
    const CLCList* combinations = m_pData ? m_pData->GetSLCList() : nullptr;
    Extremes overall;
    ForEachSupportNode(m_pNodeList, [&](CPNode* n) {
        out << Cell("结点%d\t", n->GetNo()) << endl;
        Heads(out, {{"最值", 15}, {"工况", 8}, {"Fx", 8}, {"Fy", 8}, {"Fz", 8}, {"Mx", 8}, {"My", 8}, {"Mz", 8}});
        Extremes own;
        if (combinations)
            for (POSITION pos = combinations->GetHeadPosition(); pos != nullptr;) {
                CLoadCombination* lc = combinations->GetNextT(pos);
                Extreme e;
                e.node = n;
                e.lc = lc;
                n->GetSupportForce(lc, e.force);
                for (int s = 0; s < kSlots; ++s) {
                    e.value = e.force[Component(s)];
                    own.Offer(s, e);
                }
            }
        // A slot the node did not fill keeps its start value, which never beats the overall.
        for (int s = 0; s < kSlots; ++s)
            overall.Offer(s, own.at[s]);
        for (int s = 0; s < kSlots; ++s) {
            const Extreme& e = own.at[s];
            if (!e.lc)
                continue;
            out.SetTableContent(LabelCell(s, e));
            out.SetTableContent(Cell("%3d", e.lc->m_nNo));
            ForceCells(out, e.force);
        }
        EndRuled(out);
    });

    out << endl << "所有支座节点反力最大值统计" << endl << title(0);
    Heads(out, {{"最值", 15}, {"节点", 8}, {"工况", 8}, {"Fx", 8}, {"Fy", 8}, {"Fz", 8}, {"Mx", 8}, {"My", 8}, {"Mz", 8}});
    for (int s = 0; s < kSlots; ++s) {
        const Extreme& e = overall.at[s];
        if (!e.node || !e.lc)
            continue;
        out.SetTableContent(LabelCell(s, e));
        out.SetTableContent(Cell("%3d", e.node->GetNo()));
        out.SetTableContent(Cell("%3d", e.lc->m_nNo));
        ForceCells(out, e.force);
    }
    EndRuled(out);
}

void CDlgOutputNodeForce::OutputBLC(COutput& out, CLoadCombination* lc)
{
    Heads(out, {{"节点编号", 10}, {"Fx", 10}, {"Fy", 10}, {"Fz", 10}, {"Mx", 10}, {"My", 10}, {"Mz", 10}});
    ForEachSupportNode(m_pNodeList, [&](CPNode* n) {
        float f[6];
        n->GetSupportForce(lc, f);
        out.SetTableContent(Cell("结点%d", n->GetNo()));
        ForceCells(out, f);
    });
    out.EndTable();
}

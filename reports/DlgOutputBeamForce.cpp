#include <vyr/reports/DlgOutputBeamForce.h>

#include <cmath>
#include <vector>

#include <vyr/model/base/VyrProduct.h>
#include <vyr/model/struct/structure.h>
#include <vyr/reports/NodeChapter.h>
#include <vyr/resources/dialogs/ForceDispRes.h>

using namespace nodechapter;

BEGIN_MESSAGE_MAP(CDlgOutputBeamForce, CDlgResultReport)
    ON_BN_CLICKED(IDC_RESULT_CASE, &CDlgOutputBeamForce::OnCheck)
    ON_BN_CLICKED(IDC_RESULT_COMB, &CDlgOutputBeamForce::OnCheck)
    ON_BN_CLICKED(IDC_RESULT_COMBENV, &CDlgOutputBeamForce::OnCheck)
    ON_BN_CLICKED(IDC_RESULT_STD, &CDlgOutputBeamForce::OnCheck)
    ON_BN_CLICKED(IDC_RESULT_STDENV, &CDlgOutputBeamForce::OnCheck)
END_MESSAGE_MAP()

namespace {

constexpr int kComponents = 6;
constexpr int kSections = CBeamBase::kStations;

// Sections, secondary beams, coupling beams and wall piers have no forces of their own here.
bool IsReported(CBeamBase* b)
{
    const int t = b->GetType();
    return b->GetSection() != nullptr && t != 5 && t != 11 && t != 12;
}

// The envelopes take the frame kinds with all components and the axial kinds with N only.
bool IsAxialKind(int t) { return t == 3 || t == 10 || t == 15 || t == 16; }
bool HasEnvelope(int t) { return t == 1 || t == 2 || t == 13 || t == 14 || IsAxialKind(t); }

// The value of largest magnitude along the member; an earlier section wins a tie.
float LargestMagnitude(CBeamBase* b)
{
    float kept = 0.0f;
    for (int k = 0; k < kSections; ++k)
        if (std::fabs(b->GetF(k)) > std::fabs(kept))
            kept = b->GetF(k);
    return kept;
}

// Per case and per combination the moments are printed in kN.m, the rest as kept.
void LargestCells(COutput& out, CBeamBase* b, CLoadCombination* lc)
{
    for (int c = 0; c < kComponents; ++c) {
        b->ComputeCurrentForce(c, lc, 0);
        const double v = LargestMagnitude(b);
        out.SetTableContent(Cell("%.2f", c >= 4 ? v * 0.01 : v));
    }
}

// In the envelopes torque joins the moments in kN.m.
float EnvelopePrinted(float v, int c) { return c >= 3 ? v * 0.01f : v; }

const char* const kMaxLabels[kComponents] = {"Nmax:", "V2max:", "V3max:", "Tmax:", "M2max:", "M3max:"};
const char* const kMinLabels[kComponents] = {"Nmin:", "V2min:", "V3min:", "Tmin:", "M2min:", "M3min:"};

struct Extreme
{
    float value;
    int section = 0;
    CLoadCombination* lc = nullptr;
};

} // namespace

CDlgOutputBeamForce::CDlgOutputBeamForce(CWnd* pParent) : CDlgResultReport(IDD_BEAMFORCE, pParent) {}

void CDlgOutputBeamForce::DoDataExchange(CDataExchange* pDX)
{
    CDlgResultReport::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_RESULT_CASE, m_bCase);
    DDX_Check(pDX, IDC_RESULT_COMB, m_bComb);
    DDX_Check(pDX, IDC_RESULT_COMBENV, m_bCombEnvelope);
    DDX_Check(pDX, IDC_RESULT_STD, m_bStd);
    DDX_Check(pDX, IDC_RESULT_STDENV, m_bStdEnvelope);
}

void CDlgOutputBeamForce::OutputUnite()
{
    if (!m_pBeamList)
        return;
    COutput& out = Out();
    out.SetFontSize(11);
    out << title(1) << title << "构件内力结果" << endl << title(0) << endl;
    out << tab << "本文为" << "构件内力结果。" << endl;
    out << tab << "本文中未经注明处使用的单位为m、kN。" << endl;
    out.SetFontSize(9);

    // Without a model root there are no cases and no combinations: heads only.
    CBasicLCList* cases = m_pData ? m_pData->GetCurBasicLCList() : nullptr;
    CLCList* fundamental = m_pData ? m_pData->GetSLCList() : nullptr;
    CLCList* standard = m_pData ? m_pData->GetSDispLCList() : nullptr;
    int number = 0;
    auto caption = [&](const char* text) { out << endl << Cell("表%d. ", ++number) << text << endl; };
    if (m_bCase) {
        caption("基本工况内力");
        OutputCaseForce(cases);
    }
    if (m_bComb) {
        caption("基本组合内力");
        OutputCombForce(fundamental);
    }
    if (m_bCombEnvelope) {
        caption("基本组合内力包络");
        OutputForceEnvelope(fundamental);
    }
    if (m_bStd) {
        caption("标准组合内力");
        OutputCombForce(standard);
    }
    if (m_bStdEnvelope) {
        caption("标准组合内力包络");
        OutputForceEnvelope(standard);
    }
}

template <class Rows>
void CDlgOutputBeamForce::Block(CBeamBase* b, Rows rows)
{
    COutput& out = Out();
    out << Cell("%s%d\t", b->GetTypeDescription().GetString(), b->GetNo()) << endl;
    rows(out);
    EndRuled(out);
}

void CDlgOutputBeamForce::OutputCaseForce(CBasicLCList* list)
{
    ForEachIn(m_pBeamList, [&](CBeamBase* b) {
        if (!IsReported(b))
            return;
        Block(b, [&](COutput& out) {
            Heads(out, {{"工况", 15}, {"N", 10}, {"V2", 10}, {"V3", 10}, {"T", 10}, {"M2", 10}, {"M3", 10}});
            ForEachIn(list, [&](CBasicLoadCase* basic) {
                CLoadCombination lc;
                FillCaseCombination(lc, basic, m_pData);
                out.SetTableContent(basic->GetDescription());
                LargestCells(out, b, &lc);
            });
        });
    });
}

void CDlgOutputBeamForce::OutputCombForce(CLCList* list)
{
    ForEachIn(m_pBeamList, [&](CBeamBase* b) {
        if (!IsReported(b))
            return;
        Block(b, [&](COutput& out) {
            Heads(out, {{"编号", 5}, {"工况", 30}, {"N", 10}, {"V2", 10}, {"V3", 10}, {"T", 10}, {"M2", 10}, {"M3", 10}});
            ForEachIn(list, [&](CLoadCombination* lc) {
                out.SetTableContent(Cell("%d", lc->m_nNo));
                out.SetTableContent(lc->GetDescription());
                LargestCells(out, b, lc);
            });
        });
    });
}

void CDlgOutputBeamForce::OutputForceEnvelope(CLCList* list)
{
    const bool spatial = CVyrProduct::Inst().Is3D() != 0;
    // The components of the columns: the plane edition shows N, V2 and M3 only.
    std::vector<int> shown{0, 1, 2, 3, 4, 5};
    if (CVyrProduct::Inst().Is2D())
        shown = {0, 1, 5};
    ForEachIn(m_pBeamList, [&](CBeamBase* b) {
        if (!IsReported(b) || !HasEnvelope(b->GetType()))
            return;
        Block(b, [&](COutput& out) {
            if (spatial)
                Heads(out, {{"最值", 15}, {"工况", 10}, {"N", 10}, {"V2", 10}, {"V3", 10}, {"T", 10}, {"M2", 10}, {"M3", 10}});
            else
                Heads(out, {{"最值", 10}, {"工况", 10}, {"N", 10}, {"V2", 10}, {"M3", 10}});
            Extreme maxima[kComponents], minima[kComponents];
            for (int c = 0; c < kComponents; ++c) {
                maxima[c].value = -1.0e9f;
                minima[c].value = 1.0e9f;
            }
            ForEachIn(list, [&](CLoadCombination* lc) {
                for (int c = 0; c < kComponents; ++c) {
                    b->ComputeCurrentForce(c, lc, 0);
                    Extreme hi{-1.0e9f, 0, lc}, lo{1.0e9f, 0, lc};
                    for (int k = 0; k < kSections; ++k) {
                        const float v = b->GetF(k);
                        if (v > hi.value)
                            hi = {v, k, lc};
                        if (v < lo.value)
                            lo = {v, k, lc};
                    }
                    if (hi.value > maxima[c].value)
                        maxima[c] = hi;
                    if (lo.value < minima[c].value)
                        minima[c] = lo;
                }
            });
            // The axial kinds have rows of N only; every row shows the shown components.
            std::vector<int> rowComponents = shown;
            if (IsAxialKind(b->GetType()))
                rowComponents = {0};
            auto row = [&](const char* label, const Extreme& e, int c) {
                // No combination gives an extreme over an empty list: no row.
                if (e.lc == nullptr)
                    return;
                out.SetTableContent(Cell("%s%.2f", label, (double)EnvelopePrinted(e.value, c)));
                out.SetTableContent(Cell("%3d", e.lc->m_nNo));
                for (int s : shown) {
                    b->ComputeCurrentForce(s, e.lc, 0);
                    out.SetTableContent(Cell("%.2f", (double)EnvelopePrinted(b->GetF(e.section), s)));
                }
            };
            for (int c : rowComponents)
                row(kMaxLabels[c], maxima[c], c);
            for (int c : rowComponents)
                row(kMinLabels[c], minima[c], c);
        });
    });
}

#include <vyr/reports/DlgOutputNodeDisp.h>

#include <vector>

#include <vyr/model/struct/structure.h>
#include <vyr/reports/NodeChapter.h>
#include <vyr/resources/dialogs/ForceDispRes.h>

using namespace nodechapter;

BEGIN_MESSAGE_MAP(CDlgOutputNodeDisp, CDlgResultReport)
    ON_BN_CLICKED(IDC_RESULT_CASE, &CDlgOutputNodeDisp::OnCheck)
    ON_BN_CLICKED(IDC_RESULT_STD, &CDlgOutputNodeDisp::OnCheck)
    ON_BN_CLICKED(IDC_RESULT_STDENV, &CDlgOutputNodeDisp::OnCheck)
END_MESSAGE_MAP()

namespace {

// Translations are kept in cm and printed in mm; rotations as kept.
void DispCells(COutput& out, const float d[6])
{
    for (int i = 0; i < 6; ++i)
        out.SetTableContent(Cell("%.2f", i < 3 ? (double)d[i] * 10.0 : (double)d[i]));
}

// The node's table under its label line, closed by the rule.
template <class Rows>
void NodeBlock(COutput& out, CPNode* n, Rows rows)
{
    out << Cell("结点%d\t", n->GetNo()) << endl;
    rows();
    EndRuled(out);
}

const char* const kOverallTypes[6] = {"X轴正向最大", "X轴负向最大", "Y轴正向最大",
                                      "Y轴负向最大", "Z轴正向最大", "Z轴负向最大"};

} // namespace

CDlgOutputNodeDisp::CDlgOutputNodeDisp(CWnd* pParent) : CDlgResultReport(IDD_NODEDISP, pParent) {}

void CDlgOutputNodeDisp::DoDataExchange(CDataExchange* pDX)
{
    CDlgResultReport::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_RESULT_CASE, m_bCase);
    DDX_Check(pDX, IDC_RESULT_STD, m_bStd);
    DDX_Check(pDX, IDC_RESULT_STDENV, m_bEnvelope);
}

void CDlgOutputNodeDisp::OutputUnite()
{
    if (!m_pNodeList)
        return;
    COutput& out = Out();
    out.SetFontSize(11);
    out << title(1) << title << "结点位移结果" << endl << title(0) << endl;
    out << tab << "本文为" << "结点位移结果。" << endl;
    out << tab << "本文中未经注明处使用的单位为mm。" << endl;
    out.SetAlignment(ALIGN_LEFT);
    out.SetFontSize(9);

    // Without a model root there are no cases and no combinations: heads only.
    CBasicLCList* cases = m_pData ? m_pData->GetCurBasicLCList() : nullptr;
    CLCList* standard = m_pData ? m_pData->GetSDispLCList() : nullptr;
    // Each section numbers its tables from 1.
    if (m_bCase) {
        out << endl;
        Heading(out, "结点基本工况位移");
        out << endl << Cell("表%d. ", 1) << "基本工况位移" << endl;
        OutputCaseDisp(cases);
    }
    if (m_bStd) {
        out << endl;
        Heading(out, "结点标准组合位移");
        out << endl << Cell("表%d. ", 1) << "标准组合位移" << endl;
        OutputCombDisp(standard);
    }
    if (m_bEnvelope) {
        out << endl;
        Heading(out, "结点标准组合位移包络");
        OutputDispEnvelope(standard);
    }
}

void CDlgOutputNodeDisp::OutputCaseDisp(CBasicLCList* list)
{
    COutput& out = Out();
    ForEachIn(m_pNodeList, [&](CPNode* n) {
        NodeBlock(out, n, [&] {
            Heads(out, {{"工况", 10}, {"Dx", 10}, {"Dy", 10}, {"Dz", 10}, {"θx", 10}, {"θy", 10}, {"θz", 10}});
            ForEachIn(list, [&](CBasicLoadCase* basic) {
                CLoadCombination lc;
                FillCaseCombination(lc, basic, m_pData);
                n->FillCurDisp(&lc);
                out.SetTableContent(basic->GetDescription());
                DispCells(out, n->m_fCurDisp);
            });
        });
    });
}

void CDlgOutputNodeDisp::OutputCombDisp(CLCList* list)
{
    COutput& out = Out();
    ForEachIn(m_pNodeList, [&](CPNode* n) {
        NodeBlock(out, n, [&] {
            Heads(out, {{"编号", 5}, {"工况", 30}, {"Dx", 10}, {"Dy", 10}, {"Dz", 10}, {"θx", 10}, {"θy", 10}, {"θz", 10}});
            ForEachIn(list, [&](CLoadCombination* lc) {
                n->FillCurDisp(lc);
                out.SetTableContent(Cell("%d", lc->m_nNo));
                out.SetTableContent(lc->GetDescription());
                DispCells(out, n->m_fCurDisp);
            });
        });
    });
}

void CDlgOutputNodeDisp::OutputDispEnvelope(CLCList* list)
{
    COutput& out = Out();
    struct NodeExtremes
    {
        int node;
        float value[6];
        int lc[6];
    };
    std::vector<NodeExtremes> extremes;
    ForEachIn(m_pNodeList, [&](CPNode* n) {
        double values[6];
        NodeExtremes e{n->GetNo(), {}, {}};
        n->GetDispMax(list, values, e.lc);
        for (int k = 0; k < 6; ++k)
            e.value[k] = (float)values[k];
        extremes.push_back(e);
    });

    out << endl << Cell("表%d ", 1) << "当前各结点标准组合最大位移统计表" << endl;
    Heads(out, {{"编号", 10}, {"Xmax", 15}, {"-Xmax", 15}, {"Ymax", 15}, {"-Ymax", 15}, {"Zmax", 15}, {"-Zmax", 15}});
    // The overall extremes. Every extreme of a node is the size of its move along its
    // direction, the negative ones too, so each overall extreme is the largest of them; an
    // earlier node wins a tie.
    struct Overall
    {
        float value = -1.0e6f;
        int node = 0;
        int lc = 0;
        bool set = false;
    } overall[6];
    for (const NodeExtremes& e : extremes) {
        out.SetTableContent(Cell("%d", e.node));
        for (int k = 0; k < 6; ++k) {
            out.SetTableContent(Cell("%.2f(%d)", (double)e.value[k] * 10.0, e.lc[k]));
            if (e.value[k] > overall[k].value)
                overall[k] = {e.value[k], e.node, e.lc[k], true};
        }
    }
    out.EndTable();
    out << endl;

    out << endl << Cell("表%d. ", 2) << "当前所有结点标准组合最大位移统计表" << endl;
    Heads(out, {{"类型", 10}, {"最大值", 15}, {"对应结点", 15}, {"对应工况", 15}});
    // Without nodes nothing sets an extreme: the heads only.
    for (int k = 0; k < 6; ++k) {
        if (!overall[k].set)
            continue;
        out.SetTableContent(kOverallTypes[k]);
        out.SetTableContent(Cell("%.2f", (double)overall[k].value * 10.0));
        out.SetTableContent(Cell("%d", overall[k].node));
        out.SetTableContent(Cell("%d", overall[k].lc));
    }
    out.EndTable();
}

#include <vyr/reports/DlgOutputNodeCheck.h>

#include <array>

#include <vyr/model/struct/structure.h>
#include <vyr/reports/NodeChapter.h>
#include <vyr/resources/dialogs/NodeResultRes.h>

using namespace nodechapter;

BEGIN_MESSAGE_MAP(CDlgOutputNodeCheck, CDlgReportChapter)
    ON_BN_CLICKED(IDC_NODECHECK_ZONES, &CDlgOutputNodeCheck::OnCheckEcheck)
    ON_BN_CLICKED(IDC_NODECHECK_ZONEWORST, &CDlgOutputNodeCheck::OnCheckMax)
    ON_BN_CLICKED(IDC_NODECHECK_PLATES, &CDlgOutputNodeCheck::OnCheckAddPlate)
    ON_BN_CLICKED(IDC_NODECHECK_PCOL, &CDlgOutputNodeCheck::OnCheckPcol)
    ON_BN_CLICKED(IDC_NODECHECK_PCOLWORST, &CDlgOutputNodeCheck::OnCheckMaxPcol)
END_MESSAGE_MAP()

namespace {

// Nodes of kind 2 have no panel zone to report.
constexpr int kNoPanelZoneKind = 2;
// A later panel zone must exceed the worst so far by more than this to replace it.
constexpr float kZoneMargin = 0.0001f;

CString Label(const CPNode* n) { return Cell("%s%d", "节点", n->GetNo()); }

// One kind of node results, read from the node: ratios and cell texts.
template <size_t N>
struct Results
{
    std::array<float, N> ratio{};
    std::array<CString, N> text;

    bool Read(const CPNode* n);
    void Cells(COutput& out) const
    {
        for (const CString& t : text)
            out.SetTableContent(t);
    }
};

template <>
bool Results<6>::Read(const CPNode* n)
{
    return n->GetCapacityCheckResult(ratio[0], text[0], ratio[1], text[1], ratio[2], text[2], ratio[3], text[3],
                                     ratio[4], text[4], ratio[5], text[5]);
}
template <>
bool Results<4>::Read(const CPNode* n)
{
    return n->GetAddPlateResult(ratio[0], text[0], ratio[1], text[1], ratio[2], text[2], ratio[3], text[3]);
}
template <>
bool Results<2>::Read(const CPNode* n)
{
    return n->GetPColCheckResult(ratio[0], text[0], ratio[1], text[1]);
}

// The worst node of each check: its ratio and the node, none while no node qualified.
template <size_t N>
struct Worst
{
    std::array<float, N> ratio{};
    std::array<const CPNode*, N> node{};

    void Offer(const CPNode* n, const Results<N>& r, float margin)
    {
        for (size_t i = 0; i < N; ++i)
            if (r.ratio[i] - ratio[i] > margin) {
                ratio[i] = r.ratio[i];
                node[i] = n;
            }
    }
};

// A numbered table: the caption line, the heads, the rows written by rows, the end.
template <class Rows>
void Table(COutput& out, int& number, const char* caption, std::initializer_list<Head> heads, Rows rows)
{
    out << endl << Cell("表%d. ", ++number) << caption << endl;
    Heads(out, heads);
    rows();
    EndRuled(out);
}

// The rows of a worst table: per check with a worst node, the check's pattern with the
// ratio and the node's label, then that node's results read again.
template <size_t N>
void WorstRows(COutput& out, const Worst<N>& worst, const std::array<const char*, N>& patterns)
{
    for (size_t i = 0; i < N; ++i) {
        if (!worst.node[i])
            continue;
        Results<N> r;
        r.Read(worst.node[i]);
        out.SetTableContent(Cell(patterns[i], (double)worst.ratio[i], "节点", worst.node[i]->GetNo()));
        r.Cells(out);
    }
}

template <size_t N, class Fn>
void ForEachWithResults(const CPNodeList* nodes, Fn fn)
{
    for (POSITION pos = nodes->GetHeadPosition(); pos != nullptr;) {
        const CPNode* n = nodes->GetNextT(pos);
        Results<N> r;
        if (r.Read(n))
            fn(n, r);
    }
}

} // namespace

CDlgOutputNodeCheck::CDlgOutputNodeCheck(CWnd* pParent) : CDlgReportChapter(IDD_NODECHECK, pParent) {}

void CDlgOutputNodeCheck::DoDataExchange(CDataExchange* pDX)
{
    CDlgReportChapter::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_NODECHECK_ZONES, m_bZones);
    DDX_Check(pDX, IDC_NODECHECK_ZONEWORST, m_bZoneWorst);
    DDX_Check(pDX, IDC_NODECHECK_PCOLWORST, m_bPColWorst);
    DDX_Check(pDX, IDC_NODECHECK_PCOL, m_bPCol);
    DDX_Check(pDX, IDC_NODECHECK_PLATES, m_bPlates);
}

BOOL CDlgOutputNodeCheck::OnInitDialog()
{
    const BOOL result = CDlgReportChapter::OnInitDialog();
    // Flags kept from an earlier showing: a worst box without its table box is off.
    GetDlgItem(IDC_NODECHECK_ZONEWORST)->EnableWindow(m_bZones != 0);
    GetDlgItem(IDC_NODECHECK_PCOLWORST)->EnableWindow(m_bPCol != 0);
    return result;
}

void CDlgOutputNodeCheck::FollowTableBox(const int& table, int worstBox, int& worst)
{
    UpdateData(TRUE);
    GetDlgItem(worstBox)->EnableWindow(table != 0);
    if (!table) {
        worst = 0;
        UpdateData(FALSE);
    }
    Change();
}

void CDlgOutputNodeCheck::OnCheckEcheck() { FollowTableBox(m_bZones, IDC_NODECHECK_ZONEWORST, m_bZoneWorst); }

void CDlgOutputNodeCheck::OnCheckPcol() { FollowTableBox(m_bPCol, IDC_NODECHECK_PCOLWORST, m_bPColWorst); }

void CDlgOutputNodeCheck::OutputUnite(COutput& out, int flag)
{
    if (!m_pNodeList)
        return;
    out.SetFontSize(11);
    Title(out, "结点相关设计结果", flag);
    out << tab << "本文中验算结果采用应力比（计算值/限值）表达。" << endl << endl;
    out.SetFontSize(9);

    int number = 0;
    if (m_bZones) {
        Worst<6> worst;
        Table(out, number, "节点域验算结果",
              {{"编号", 15}, {"2轴弹性", 13}, {"3轴弹性", 13}, {"2轴构造", 13}, {"3轴构造", 13}, {"2轴塑性", 13},
               {"3轴塑性", 13}},
              [&] {
                  ForEachWithResults<6>(m_pNodeList, [&](const CPNode* n, const Results<6>& r) {
                      if (n->m_nKind == kNoPanelZoneKind)
                          return;
                      out.SetTableContent(Label(n));
                      r.Cells(out);
                      worst.Offer(n, r, kZoneMargin);
                  });
              });
        if (m_bZoneWorst)
            Table(out, number, "节点域最不利构件统计",
                  {{"最不利构件", 21}, {"2轴弹性", 12}, {"3轴弹性", 12}, {"2轴构造", 12}, {"3轴构造", 12},
                   {"2轴塑性", 12}, {"3轴塑性", 12}},
                  [&] {
                      WorstRows<6>(out, worst,
                                   {"2轴弹性%.3f:%s%d", "3轴弹性%.3f:%s%d", "2轴构造%.3f:%s%d", "3轴构造%.3f:%s%d",
                                    "2轴塑性%.3f:%s%d", "3轴塑性%.3f:%s%d"});
                  });
    }
    if (m_bPlates)
        Table(out, number, "节点域补强信息（贴板指两侧对称的贴板）",
              {{"编号", 15}, {"2轴已设置贴板", 20}, {"3轴已设置贴板", 20}, {"2轴需增加贴板", 20}, {"3轴需增加贴板", 20}},
              [&] {
                  ForEachWithResults<4>(m_pNodeList, [&](const CPNode* n, const Results<4>& r) {
                      out.SetTableContent(Label(n));
                      r.Cells(out);
                  });
              });
    if (m_bPCol) {
        Worst<2> worst;
        Table(out, number, "强柱弱梁验算", {{"编号", 15}, {"2轴强柱弱梁", 40}, {"3轴强柱弱梁", 40}}, [&] {
            ForEachWithResults<2>(m_pNodeList, [&](const CPNode* n, const Results<2>& r) {
                out.SetTableContent(Label(n));
                r.Cells(out);
                worst.Offer(n, r, 0.0f); // strictly greater; ties keep the earlier node
            });
        });
        if (m_bPColWorst)
            Table(out, number, "强柱弱梁最不利构件统计", {{"最不利构件", 21}, {"2轴强柱弱梁", 40}, {"3轴强柱弱梁", 40}},
                  [&] { WorstRows<2>(out, worst, {"2轴%.3f:%s%d", "3轴%.3f:%s%d"}); });
    }
}

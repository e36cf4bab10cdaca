#include <vyr/reports/DlgOutputEqualLoad.h>

#include <cmath>
#include <initializer_list>

#include <vyr/app.h>
#include <vyr/ddx.h>
#include <vyr/model/struct/structure.h>
#include <vyr/reports/NodeChapter.h>
#include <vyr/reports/ReportBlocks.h>

BEGIN_MESSAGE_MAP(CDlgOutputEqualLoad, CDlgReportChapter)
    ON_BN_CLICKED(IDC_EQUALLOAD_FREEDOM, &CDlgOutputEqualLoad::OnCheckFreedom)
    ON_BN_CLICKED(IDC_EQUALLOAD_NODE, &CDlgOutputEqualLoad::OnCheckNode)
END_MESSAGE_MAP()

using nodechapter::Cell;
using nodechapter::Heads;

namespace {

// Masses below this (tonnes, or the model's raw master-node value) are not listed.
constexpr double kMassFloor = 0.001;
// The total row's second cell.
const char* const kTotalRule = "-----------------";

// A node's masses in tonnes: dead-load, live-load, additional, translational.
struct CNodeMass
{
    double dead, live, add, trans;
};

CNodeMass NodeMass(const CPNode& n, double g)
{
    return {-n.m_dDeadFz / g, -n.m_dLiveFz / g, n.m_fAddMass / g, n.m_fMass / g};
}

CString Position(const CPoint3D& p) { return Cell("(%.2f/%.2f/%.2f)", p.x * 0.01, p.y * 0.01, p.z * 0.01); }

// "按自由度输出" and "按结点输出": a level-2 title with a tab before the body starts.
void ArrangementTitle(COutput& out, const CString& text)
{
    out << endl << title(2) << title << text << endl << tab << title(0);
}

void TotalRow(COutput& out, std::initializer_list<double> sums)
{
    out.SetTableContent(CString("总计"));
    out.SetTableContent(CString(kTotalRule));
    for (double sum : sums)
        out.SetTableContent(sum);
}

// The node table of the free nodes (freeOnly) or of every node carrying mass.
void NodeTable(COutput& out, CPNodeList& nodes, double g, bool freeOnly, const CString& caption)
{
    auto listed = [&](const CPNode& n) {
        return (!freeOnly || n.m_pMainNode == nullptr) && std::fabs(NodeMass(n, g).trans) > kMassFloor;
    };
    bool any = false;
    for (POSITION pos = nodes.GetHeadPosition(); pos != nullptr && !any;)
        any = listed(*nodes.GetNextT(pos));
    if (!any)
        return;
    OutputTableCaption(out, caption);
    Heads(out, {{"结点号", 10}, {"结点位置", 20}, {"恒载质量", 10}, {"活载质量", 10}, {"附加质量", 10}, {"平动质量", 15}});
    CNodeMass sum{0, 0, 0, 0};
    for (POSITION pos = nodes.GetHeadPosition(); pos != nullptr;) {
        const CPNode& n = *nodes.GetNextT(pos);
        if (!listed(n))
            continue;
        const CNodeMass m = NodeMass(n, g);
        out.SetTableContent(n.GetNo());
        out.SetTableContent(Position(n.GetPt()));
        for (double v : {m.dead, m.live, m.add, m.trans})
            out.SetTableContent(v);
        sum = {sum.dead + m.dead, sum.live + m.live, sum.add + m.add, sum.trans + m.trans};
    }
    TotalRow(out, {sum.dead, sum.live, sum.add, sum.trans});
    out.EndTable();
}

// One row per master node with mass of every storey but the lowest: the masses of the
// storey's nodes tied to it, and its own translational and rotational masses.
void StoreyTable(COutput& out, CFloorList& floors, double g)
{
    auto carries = [](const CMainNode& m) { return m.m_fTransMass > kMassFloor; };
    bool any = false;
    for (POSITION pos = floors.GetHeadPosition(), first = pos; pos != nullptr;) {
        const bool lowest = pos == first;
        CFloor* floor = floors.GetNextT(pos);
        if (lowest)
            continue;
        for (POSITION p = floor->m_pMainNodeList->GetHeadPosition(); p != nullptr && !any;)
            any = carries(*floor->m_pMainNodeList->GetNextT(p));
    }
    if (!any)
        return;
    OutputTableCaption(out, "楼层质心质量表");
    Heads(out, {{"楼层", 10}, {"质心位置", 20}, {"恒载质量", 10}, {"活载质量", 10}, {"附加质量", 10}, {"平动质量", 10},
                {"转动质量", 15}});
    double sum[5] = {0, 0, 0, 0, 0};
    for (POSITION pos = floors.GetHeadPosition(), first = pos; pos != nullptr;) {
        const bool lowest = pos == first;
        CFloor* floor = floors.GetNextT(pos);
        if (lowest)
            continue;
        for (POSITION p = floor->m_pMainNodeList->GetHeadPosition(); p != nullptr;) {
            CMainNode* master = floor->m_pMainNodeList->GetNextT(p);
            if (!carries(*master))
                continue;
            // The weights are summed first, then turned into masses.
            double dead = 0, live = 0, add = 0;
            for (POSITION q = floor->m_pNodeList->GetHeadPosition(); q != nullptr;) {
                const CPNode* n = floor->m_pNodeList->GetNextT(q);
                if (n->m_pMainNode != master)
                    continue;
                dead -= n->m_dDeadFz;
                live -= n->m_dLiveFz;
                add += n->m_fAddMass;
            }
            const double row[5] = {dead / g, live / g, add / g, master->m_fTransMass * 0.001f, master->m_fRotMass * 1e-7};
            out.SetTableContent(floor->GetDescription());
            out.SetTableContent(Position(master->GetPt()));
            for (int i = 0; i < 5; ++i) {
                out.SetTableContent(row[i]);
                sum[i] += row[i];
            }
        }
    }
    TotalRow(out, {sum[0], sum[1], sum[2], sum[3], sum[4]});
    out.EndTable();
}

} // namespace

CDlgOutputEqualLoad::CDlgOutputEqualLoad(CWnd* pParent) : CDlgReportChapter(IDD_OUTPUT_EQUALLOAD, pParent)
{
    m_bHideWhileWriting = true;
}

void CDlgOutputEqualLoad::DoDataExchange(CDataExchange* pDX)
{
    CDlgReportChapter::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_EQUALLOAD_FREEDOM, m_bFreedom);
    DDX_Check(pDX, IDC_EQUALLOAD_NODE, m_bNode);
}

void CDlgOutputEqualLoad::OutputUnite(COutput& out, int flag)
{
    CWaitCursor wait;
    if (!m_pData || !m_pData->Struct())
        return;
    CStruct& st = *m_pData->Struct();
    const CString& name = m_pData->ProjectName();
    OutputTitle(out, name + "结构质量信息", flag);
    out << endl;
    OutputLevel2Heading(out, "工程概况");
    out << tab << "本文为" << name << "结构质量信息。" << endl;
    out << tab << "结构质量计算方法：恒载质量+" << st.m_fLiveFactor << "×活载质量" << endl;
    out << tab << "本文中未经注明处，平动质量使用的单位为吨；扭转质量使用的单位为吨×米×米。" << endl;
    out.SetFlagAdd(OUTPUT_FLAG_NUMBERS);
    out.SetPrecision(3);
    // g turns weights into tonnes; a g of (nearly) zero is raised so no infinity is printed.
    double g = st.m_pLoadSeismList->m_fG;
    if (std::fabs(g) < 1e-7)
        g = 1e-7;

    if (m_bFreedom) {
        ArrangementTitle(out, "按自由度输出");
        StoreyTable(out, *st.m_pFloorList, g);
        NodeTable(out, *st.m_pNodeList, g, true, "自由结点质量表");
    }
    if (m_bNode) {
        ArrangementTitle(out, "按结点输出");
        NodeTable(out, *st.m_pNodeList, g, false, "结点质量表");
    }
}

#include <vyr/reports/DlgStatistic.h>

#include <map>
#include <tuple>
#include <vector>

#include <vyr/model/output/commonfuncs.h>
#include <vyr/model/section/SectionBase.h>
#include <vyr/model/struct/structure.h>
#include <vyr/reports/DlgUnitPrice.h>
#include <vyr/reports/NodeChapter.h>
#include <vyr/resources/dialogs/ForceDispRes.h>

using namespace nodechapter;

BEGIN_MESSAGE_MAP(CDlgStatistic, CDlgResultReport)
    ON_BN_CLICKED(IDC_STAT_COST, &CDlgStatistic::OnCheckcost)
    ON_BN_CLICKED(IDC_STAT_WEIGHT, &CDlgStatistic::OnCheckweight)
    ON_BN_CLICKED(IDC_STAT_PRICE, &CDlgStatistic::OnCost)
END_MESSAGE_MAP()

namespace {

constexpr DWORD kEmphasis = 0x10000;

// A group's name from its kind: type, section type and the material text given.
CString GroupName(const CBeamGroup* g, const CString& material)
{
    return g->GetTypeDescription() + "-" + (g->m_pSection ? g->m_pSection->GetSimpleSecType() : CString()) + "-" +
           material;
}

// The key of a price entry: member type, section type, material type.
using PriceKey = std::tuple<int, int, int>;
PriceKey KeyOf(const CBeamGroup* g) { return {(int)g->m_nType, g->GetSecType(), g->GetMType()}; }
PriceKey KeyOf(const COptDiscreteSection& e) { return {e.GetType(), e.GetSecType(), e.GetMType()}; }

// Files one member: into the group of its type and section, or into a new group.
void FileMember(CBeamGroupList* groups, CBeamBase* b)
{
    CSectionBase* sec = b->GetSection();
    if (sec == nullptr)
        return;
    auto* candidate = new CBeamGroup;
    candidate->m_nType = (BEAMTYPE)b->GetType();
    candidate->m_pSection = sec;
    int flag = 0;
    CBeamGroup* old = groups->IsOldBeamGroup(candidate, flag);
    if (old != nullptr && flag == 0) {
        b->SetGroupId(old->m_nNo);
        if (old->m_strName == "缺省生成")
            old->m_strName = GroupName(old, sec->GetStrMatType());
        if (!old->m_pBeamList->IsSameBeam(b))
            old->m_pBeamList->AddTail(b);
        delete candidate;
        return;
    }
    groups->Add(candidate);
    if (!candidate->m_pBeamList->IsSameBeam(b))
        candidate->m_pBeamList->AddTail(b);
    b->SetGroupId(candidate->m_nNo);
    candidate->m_strName = GroupName(candidate, sec->m_strMat);
}

} // namespace

CDlgStatistic::CDlgStatistic(CWnd* pParent) : CDlgResultReport(IDD_STATISTIC, pParent)
{
    m_bHideWhileWriting = true;
}

void CDlgStatistic::DoDataExchange(CDataExchange* pDX)
{
    CDlgResultReport::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_STAT_COST, m_bCost);
    DDX_Check(pDX, IDC_STAT_WEIGHT, m_bWeight);
}

BOOL CDlgStatistic::OnInitDialog()
{
    RefreshBeamGroup();
    if (m_pBeamList)
        SetSelectedLengths();
    return CDlgResultReport::OnInitDialog();
}

void CDlgStatistic::RefreshBeamGroup()
{
    if (!m_pData)
        return;
    CStruct* st = m_pData->Struct();
    CBeamGroupList* groups = st->m_pBeamGroupList;

    // Members that no longer fit their group leave it; groups left empty go.
    for (POSITION pos = groups->GetHeadPosition(); pos != nullptr;) {
        CBeamGroup* g = groups->GetNextT(pos);
        g->InitLinkGroup();
        std::vector<CBeamBase*> leaving;
        ForEachIn(g->m_pBeamList, [&](CBeamBase* b) {
            if (b->GetType() != (int)g->m_nType || b->GetSection() != g->m_pSection || b->GetGroupId() != g->m_nNo)
                leaving.push_back(b);
        });
        for (CBeamBase* b : leaving)
            g->m_pBeamList->Detach(b);
    }
    for (POSITION pos = groups->GetHeadPosition(); pos != nullptr;) {
        const POSITION at = pos;
        CBeamGroup* g = groups->GetNextT(pos);
        if (g->m_pBeamList->IsEmpty()) {
            groups->RemoveAt(at);
            delete g;
        }
    }

    // The frame members, then the secondary beams room by room, storey by storey.
    ForEachIn(st->m_pBeamList, [&](CBeamBase* b) { FileMember(groups, b); });
    ForEachIn(st->m_pFloorList, [&](CFloor* f) {
        ForEachIn(f->m_pPlaneList, [&](CPlane* room) {
            ForEachIn(room->m_pSubBeamList, [&](CBeamBase* b) { FileMember(groups, b); });
        });
    });

    int number = 0;
    ForEachIn(groups, [&](CBeamGroup* g) {
        g->m_nNo = ++number;
        ForEachIn(g->m_pBeamList, [&](CBeamBase* b) { b->SetGroupId(g->m_nNo); });
        g->SetOptSection(g->m_pSection);
        g->SetIsOnFloorBeam(g->m_nType == BEAMTYPE_SUBBEAM ? 1 : 0);
        // A tapered group starts its own link chain under its new number.
        if (g->GetSecType() > 900 && g->GetSecType() < 1000)
            g->SetLinkStartGroupId(g->m_nNo);
    });

    // One price entry per group kind. A kind that had an entry keeps its prices, so that
    // what the user set survives the next opening; a new kind takes the default prices.
    std::map<PriceKey, COptDiscreteSection> before;
    for (const COptDiscreteSection& e : st->m_arrUnitPrice)
        before.emplace(KeyOf(e), e);
    std::vector<COptDiscreteSection>& prices = st->m_arrUnitPrice;
    prices.clear();
    ForEachIn(groups, [&](CBeamGroup* g) {
        const PriceKey key = KeyOf(g);
        for (const COptDiscreteSection& e : prices)
            if (KeyOf(e) == key)
                return;
        COptDiscreteSection entry(std::get<0>(key), std::get<1>(key), std::get<2>(key));
        if (g->m_pSection) {
            entry.SetSecStr(g->m_pSection->GetSimpleSecType());
            entry.SetMStr(g->m_pSection->GetStrMatType());
        }
        entry.SetTypeStr(g->GetTypeDescription());
        entry.SetDiscription();
        entry.SetPath(CVyrFunc::GetAppPath());
        if (auto kept = before.find(key); kept != before.end()) {
            entry.SetCost(kept->second.GetCost());
            entry.SetConcreteCost(kept->second.GetConcreteCost());
        }
        prices.push_back(entry);
    });
    // Linked only now: the table no longer moves.
    ForEachIn(groups, [&](CBeamGroup* g) {
        g->SetOptDiscreteSection(nullptr);
        for (COptDiscreteSection& e : prices)
            if (KeyOf(e) == KeyOf(g)) {
                g->SetOptDiscreteSection(&e);
                break;
            }
    });
}

void CDlgStatistic::SetSelectedLengths()
{
    if (!m_pData)
        return;
    ForEachIn(m_pData->Struct()->m_pBeamGroupList, [&](CBeamGroup* g) {
        g->m_fSelLength = 0.0f;
        ForEachIn(m_pBeamList, [&](CBeamBase* b) {
            if (b->GetGroupId() == g->m_nNo)
                g->m_fSelLength += (float)b->GetLength();
        });
    });
}

void CDlgStatistic::OnCost()
{
    CDlgUnitPrice dlg(nullptr);
    dlg.m_pData = m_pData;
    if (dlg.DoModal() == IDOK && m_bCost)
        Change();
}

void CDlgStatistic::OutputUnite()
{
    CWaitCursor wait;
    COutput& out = Out();
    const int s = m_pBeamList ? 1 : 0;
    out << title(1) << title << (s ? "选中构件统计" : "结构整体统计") << endl << title(0);
    if (m_bWeight)
        OutputQuantities(s);
    if (m_bCost)
        OutputCosts(s);
}

namespace {

// The caption of a statistics table, emphasised.
void TableCaption(COutput& out, const char* name)
{
    out << endl << endl;
    out.SetFlagAdd(kEmphasis);
    out << "表" << title(3) << title << name << endl << title(0);
    out.SetFlagSub(kEmphasis);
}

// The groups the tables show: those with a length.
template <class Fn>
void ForEachShownGroup(CGlobalData* data, int s, Fn fn)
{
    if (data)
        ForEachIn(data->Struct()->m_pBeamGroupList, [&](CBeamGroup* g) {
            if (g->GetLength(s) > 0.001f)
                fn(g);
        });
}

void GroupCells(COutput& out, CBeamGroup* g)
{
    out.SetTableContent(g->m_nNo);
    out.SetTableContent(g->GetTypeDescription());
    out.SetTableContent(g->m_pSection ? g->m_pSection->GetSimpleSecName() : CString());
}

// An emphasised line of its own.
void EmphasisedLine(COutput& out, const CString& text)
{
    out.SetFlagAdd(kEmphasis);
    out << text << endl;
    out.SetFlagSub(kEmphasis);
}

} // namespace

void CDlgStatistic::OutputQuantities(int s)
{
    COutput& out = Out();
    TableCaption(out, "材料用量");
    Heads(out, {{"组号", 5}, {"类型", 10}, {"截面", 35}, {"长度(米)", 10}, {"型钢(吨)", 10}, {"钢筋砼(立方米)", 20}});
    float weight = 0.0f, volume = 0.0f;
    ForEachShownGroup(m_pData, s, [&](CBeamGroup* g) {
        GroupCells(out, g);
        const int kept = out.SetPrecision(3);
        out.SetTableContent((double)g->GetLength(s) * 0.01);
        out.SetTableContent((double)g->GetWeight(s));
        out.SetTableContent((double)g->GetConcreteVolume(s));
        out.SetPrecision(kept);
        weight += g->GetWeight(s);
        volume += g->GetConcreteVolume(s);
    });
    out.SetTableContent("总计");
    out.SetTableContent(" ");
    const int kept = out.SetPrecision(3);
    out.SetTableContent(" ");
    out.SetTableContent(" ");
    out.SetTableContent((double)weight);
    out.SetTableContent((double)volume);
    out.SetPrecision(kept);
    out.EndTable();

    CWallList* walls = m_pData ? m_pData->Struct()->m_pWallList : nullptr;
    if (s == 0 && walls && !walls->IsEmpty()) {
        out << endl;
        CString line;
        line.Format("墙体钢筋砼用量：%.3f立方米；", (double)walls->GetTotalWallVolume() * 1e-6);
        EmphasisedLine(out, line);
    }
}

void CDlgStatistic::OutputCosts(int s)
{
    COutput& out = Out();
    TableCaption(out, "材料造价");
    Heads(out, {{"组号", 5}, {"类型", 10}, {"截面", 35}, {"型钢单价", 10}, {"钢筋砼单价", 15}, {"总价(元)", 15}});
    float total = 0.0f;
    ForEachShownGroup(m_pData, s, [&](CBeamGroup* g) {
        GroupCells(out, g);
        const int kept = out.SetPrecision(3);
        out.SetTableContent((double)g->GetUniCost());
        out.SetTableContent((double)g->GetUniConcreteCost());
        out.SetTableContent((double)g->GetCost(s));
        out.SetPrecision(kept);
        total += g->GetCost(s);
    });
    out.SetTableContent("总计");
    out.SetTableContent(" ");
    const int kept = out.SetPrecision(3);
    out.SetTableContent(" ");
    out.SetTableContent("  ");
    out.SetTableContent("  ");
    out.SetTableContent((double)total);
    out.SetPrecision(kept);
    out.EndTable();

    CWallList* walls = m_pData ? m_pData->Struct()->m_pWallList : nullptr;
    if (s == 0 && walls && !walls->IsEmpty()) {
        out << endl;
        const double volume = walls->GetTotalWallVolume();
        const double price = m_pData->Struct()->m_fWallConcretePrice;
        const double wall = volume * price * 1e-6;
        CString line;
        line.Format("墙体钢筋砼造价：%.3fX%.0f=%.0f元；", volume * 1e-6, price, wall);
        EmphasisedLine(out, line);
        out << endl;
        line.Format("主结构总造价：%.0f+%.0f=%.0f元；", (double)total, wall, (double)total + wall);
        EmphasisedLine(out, line);
    }
}

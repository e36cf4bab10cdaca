#include <vyr/storey/DlgLayerEccentricity.h>

#include <algorithm>
#include <cmath>

#include <vyr/app.h>
#include <vyr/controls.h>
#include <vyr/model/output/output.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/DlgReportChapter.h>
#include <vyr/resources/dialogs/StoreyRes.h>
#include <vyr/storey/DlgOutputDocument.h>
#include <vyr/storey/StoreyCommon.h>

namespace {

constexpr int kEccentricityKind = 7;
const bool kEccentricityRegistered = CDlgOutputDocument::RegisterOwnerKind<CDlgLayerEccentricity>(kEccentricityKind);

constexpr float kDefaultEccentricLimit = 0.15f;

// A tower's radius below this (cm) means the tower has no storey there.
constexpr float kMinTowerRadius = 0.001f;

// The values of a row in one direction (m): "rigidity/mass centre", their distance, the
// radius and the eccentricity.
std::vector<CString> RowValues(double rigid, double mass, double radius)
{
    std::vector<CString> cells(4);
    cells[0].Format("%.3f/%.3f", rigid, mass);
    cells[1].Format("%.3f", std::fabs(rigid - mass));
    cells[2].Format("%.3f", radius);
    cells[3].Format("%.3f", CDlgLayerEccentricity::Ratio(rigid, mass, radius));
    return cells;
}

CString EccentricLimitText(float limit)
{
    CString text;
    text.Format("楼层偏心率不宜超过%.3f", limit);
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CDlgLayerEccentricity, CDialog)
    ON_NOTIFY(TCN_SELCHANGE, IDC_ECCENTRIC_TAB, &CDlgLayerEccentricity::OnSelchangeTab)
    ON_NOTIFY(GVN_SELCHANGED, IDC_ECCENTRIC_TOWERGRID, &CDlgLayerEccentricity::OnTowerSelChanged)
    ON_BN_CLICKED(IDC_ECCENTRIC_OUTPUT, &CDlgLayerEccentricity::OnOutput)
END_MESSAGE_MAP()

CDlgLayerEccentricity::CDlgLayerEccentricity(CWnd* pParent) : CDialog(IDD_LAYERECCENTRICITY, pParent)
{
    (void)kEccentricityRegistered;
}

CDlgLayerEccentricity::~CDlgLayerEccentricity()
{
    // The list refers to the structure's main nodes.
    m_MainNodeList.RemoveAll();
}

double CDlgLayerEccentricity::Ratio(double rigid, double mass, double radius)
{
    return std::fabs(rigid - mass) / std::max(radius, 1e-7);
}

void CDlgLayerEccentricity::LoadLimit()
{
    m_fLimit = storey::StoredOrDefault(m_pGlobalData->Struct()->m_fEccentricLimit, kDefaultEccentricLimit);
}

// ---- Computation ----

CStoreyEccentricity CDlgLayerEccentricity::PairRow(CFloor* upper, CFloor* lower, float px, float py) const
{
    CMaterialBase* wall = m_pGlobalData->Struct()->m_pDefaultWallMaterial;
    float mx = 0, my = 0, rx = 0, ry = 0, ex = 0, ey = 0;
    upper->GetMassCenter(mx, my, px, py);
    lower->GetRigidCenter(rx, ry, wall, px, py);
    lower->GetElasticRidus(ex, ey, wall, px, py);
    CStoreyEccentricity r;
    r.nLabel = lower->m_nLevel;
    r.dMassX = mx * 0.01;
    r.dMassY = my * 0.01;
    r.dRigidX = rx * 0.01;
    r.dRigidY = ry * 0.01;
    r.dRadiusX = ex * 0.01;
    r.dRadiusY = ey * 0.01;
    return r;
}

void CDlgLayerEccentricity::FillData()
{
    CStruct* s = m_pGlobalData->Struct();
    const CFloorList* list = s->m_pFloorList;
    m_nFloorNum = std::max(0, (int)list->GetCount() - s->m_nBasementNum);
    m_arrTable.assign((size_t)m_nFloorNum, CStoreyEccentricity());
    m_bComputed = true;
    const int b = std::max(1, s->m_nBasementNum);
    // Pairs of successive entries from the top while the upper one stands above the
    // basements; the levels alone need not bound the walk, the table does.
    POSITION pos = list->GetTailPosition();
    for (int i = 1; pos != nullptr && i <= m_nFloorNum; ++i) {
        CFloor* upper = static_cast<CFloor*>(list->GetPrev(pos));
        if (pos == nullptr || upper->m_nLevel < b + 1)
            break;
        CFloor* lower = static_cast<CFloor*>(list->GetAt(pos));
        CStoreyEccentricity& row = m_arrTable[(size_t)(m_nFloorNum - i)];
        if (m_pCurMainNode == nullptr)
            row = PairRow(upper, lower, -1.0f, -1.0f);
        else if (m_pCurMainNode->m_pt.z - upper->GetZ() > -0.001) {
            row = PairRow(upper, lower, (float)m_pCurMainNode->m_pt.x, (float)m_pCurMainNode->m_pt.y);
            if (row.dRadiusX < kMinTowerRadius * 0.01 || row.dRadiusY < kMinTowerRadius * 0.01)
                row.nLabel = 0;
        }
    }
}

void CDlgLayerEccentricity::Recompute()
{
    CWaitCursor wait;
    FillData();
    FillItem();
}

// ---- Window ----

BOOL CDlgLayerEccentricity::OnInitDialog()
{
    CDialog::OnInitDialog();
    CWaitCursor wait;
    LoadLimit();
    SetDlgItemText(IDC_ECCENTRIC_LIMIT, EccentricLimitText(m_fLimit));
    storey::RefreshTowers(m_pGlobalData->Struct(), m_MainNodeList);
    auto* tab = static_cast<CTabCtrl*>(GetDlgItem(IDC_ECCENTRIC_TAB));
    tab->InsertItem(0, "X 向(m)");
    tab->InsertItem(1, "Y 向(m)");
    tab->SetCurSel(0);
    storey::CreateStoreyGrid(m_GridStorey, this, CRect(196, 36, 669, 384), IDC_ECCENTRIC_GRID);
    storey::CreateTowerGrid(m_GridTower, this, CRect(12, 12, 182, 384), IDC_ECCENTRIC_TOWERGRID);
    m_GridTower.SetColumnWidth(0, 157);
    CGridCtrl& g = m_GridStorey;
    g.SetColumnCount(5);
    g.SetRowCount(1);
    const char* heads[] = {"楼层", "刚心/质心坐标", "质心与刚心距离", "楼层弹性半径", "偏心率"};
    const int widths[] = {50, 100, 110, 100, 60};
    for (int c = 0; c < 5; ++c) {
        g.SetItemText(0, c, heads[c]);
        g.SetColumnWidth(c, widths[c]);
    }
    g.ExpandLastColumn();
    m_pCurMainNode = storey::FillTowerGrid(m_GridTower, m_MainNodeList);
    FillData();
    FillItem();
    return TRUE;
}

bool CDlgLayerEccentricity::ShowsX() const
{
    auto* tab = static_cast<CTabCtrl*>(GetDlgItem(IDC_ECCENTRIC_TAB));
    return tab == nullptr || tab->GetCurSel() != 1;
}

void CDlgLayerEccentricity::FillItem()
{
    const bool x = ShowsX();
    CGridCtrl& g = m_GridStorey;
    g.DeleteNonFixedRows();
    for (const CStoreyEccentricity& r : m_arrTable) {
        if (r.nLabel == 0)
            continue;
        const double rigid = x ? r.dRigidX : r.dRigidY, mass = x ? r.dMassX : r.dMassY;
        const double radius = x ? r.dRadiusX : r.dRadiusY;
        const double ratio = Ratio(rigid, mass, radius);
        CString label;
        label.Format("第%d层", r.nLabel);
        std::vector<CString> cells = RowValues(rigid, mass, radius);
        cells.insert(cells.begin(), label);
        const int row = storey::AddCentredRow(g, cells);
        g.SetItemBkColour(row, 4, ratio > m_fLimit ? storey::kAdvisoryColour : CLR_DEFAULT);
    }
    g.ExpandColumnsToFit();
    g.Invalidate();
}

void CDlgLayerEccentricity::OnSelchangeTab(NMHDR*, LRESULT* pResult)
{
    if (pResult)
        *pResult = 0;
    Recompute();
}

void CDlgLayerEccentricity::OnTowerSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (pResult)
        *pResult = 0;
    CMainNode* tower = storey::SelectedTower(pNMHDR, m_MainNodeList);
    if (tower == nullptr)
        return;
    m_pCurMainNode = tower;
    Recompute();
}

void CDlgLayerEccentricity::OnOutput()
{
    CDlgOutputDocument viewer(nullptr);
    viewer.m_pGlobalData = m_pGlobalData;
    viewer.m_nDocType = kEccentricityKind;
    viewer.DoModal();
}

// ---- Chapter ----

int CDlgLayerEccentricity::NearestTower(const CMainNode* node) const
{
    double best = 1e9;
    int nearest = 1;
    for (int k = 1; k <= (int)m_MainNodeList.GetCount(); ++k) {
        const CMainNode* t = m_MainNodeList.Get(k);
        const double d = std::hypot(t->m_pt.x - node->m_pt.x, t->m_pt.y - node->m_pt.y);
        if (d < best) {
            best = d;
            nearest = k;
        }
    }
    return nearest;
}

void CDlgLayerEccentricity::Output(COutput* out, int flag)
{
    if (out == nullptr || m_pGlobalData == nullptr)
        return;
    CWaitCursor wait;
    LoadLimit();
    storey::RefreshTowers(m_pGlobalData->Struct(), m_MainNodeList);
    if (flag != 0 || !m_bComputed)
        FillData();
    if (flag == 0)
        CDlgReportChapter::OutputTitle(*out, m_pGlobalData->ProjectName() + "楼层偏心率统计信息", flag);
    out->SetFlagAdd(0x1002);
    out->SetFontSize(11);
    *out << "计算参数说明：" << endl;
    out->SetFontSize(9);
    *out << EccentricLimitText(m_fLimit) << endl << endl;
    out->SetFontSize(11);
    WriteTable(*out, true);
    out->EndTable();
    *out << endl;
    out->SetFontSize(11);
    WriteTable(*out, false);
    out->EndTable();
}

void CDlgLayerEccentricity::WriteTable(COutput& out, bool x)
{
    out << title(3) << title << (x ? "楼层X向偏心率统计(单位 ：米)" : "楼层Y向偏心率统计(单位 ：米)") << endl
        << title(0);
    out.SetFlagSub(0x10000);
    out.SetFontSize(9);
    out.SetPrecision(3);
    out.CreateTableHead("楼 层", 15, 0);
    out.CreateTableHead("刚心/质心坐标", 20, 0);
    out.CreateTableHead("质心与刚心距离", 20, 0);
    out.CreateTableHead("楼层弹性半径", 15, 0);
    out.CreateTableHead("偏心率", 15, 0);
    CString label;
    if (m_MainNodeList.GetCount() <= 1) {
        for (const CStoreyEccentricity& r : m_arrTable)
            if (r.nLabel != 0) {
                label.Format("第%d层", r.nLabel);
                WriteRow(out, label, r, x);
            }
        return;
    }
    // Several towers: every storey over the one below it, the basements included; a storey
    // of several towers once per tower, named by the nearest tower of the structure.
    const CFloorList* list = m_pGlobalData->Struct()->m_pFloorList;
    POSITION pos = list->GetHeadPosition();
    if (pos != nullptr)
        list->GetNext(pos);
    while (pos != nullptr) {
        CFloor* upper = static_cast<CFloor*>(list->GetNext(pos));
        CFloor* lower = upper->GetDownFloor();
        if (lower == nullptr)
            continue;
        if (upper->GetTowerNum() <= 1) {
            label.Format("第%d层", lower->m_nLevel);
            WriteRow(out, label, PairRow(upper, lower, -1.0f, -1.0f), x);
            continue;
        }
        for (int t = 1; t <= upper->GetTowerNum(); ++t) {
            const CMainNode* node = upper->m_pMainNodeList->Get(t);
            label.Format("第%d层%d塔", lower->m_nLevel, NearestTower(node));
            WriteRow(out, label, PairRow(upper, lower, (float)node->m_pt.x, (float)node->m_pt.y), x);
        }
    }
}

void CDlgLayerEccentricity::WriteRow(COutput& out, const CString& label, const CStoreyEccentricity& r, bool x)
{
    const double rigid = x ? r.dRigidX : r.dRigidY, mass = x ? r.dMassX : r.dMassY;
    const double radius = x ? r.dRadiusX : r.dRadiusY;
    const std::vector<CString> cells = RowValues(rigid, mass, radius);
    out.SetTableContent(label);
    for (size_t c = 0; c + 1 < cells.size(); ++c)
        out.SetTableContent(cells[c]);
    out.SetFontColor(Ratio(rigid, mass, radius) > m_fLimit ? storey::kAdvisoryColour : storey::kBlack);
    out.SetTableContent(cells.back());
    out.SetFontColor(storey::kBlack);
}

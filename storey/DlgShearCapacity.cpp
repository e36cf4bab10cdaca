#include <vyr/storey/DlgShearCapacity.h>

#include <algorithm>
#include <cmath>

#include <vyr/app.h>
#include <vyr/controls.h>
#include <vyr/ddx.h>
#include <vyr/model/output/output.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/DlgReportChapter.h>
#include <vyr/resources/dialogs/StoreyRes.h>
#include <vyr/storey/DlgOutputDocument.h>
#include <vyr/storey/StoreyCommon.h>

namespace {

constexpr int kCapacityKind = 4;
const bool kCapacityRegistered = CDlgOutputDocument::RegisterOwnerKind<CDlgShearCapacity>(kCapacityKind);

constexpr float kDefaultCapacityMandatory = 0.6f;
constexpr float kDefaultCapacityAdvisory = 0.85f;

// A stored limit outside [0, 1] becomes its default, in the model as well.
void CheckCapacityLimit(float& limit, float& stored, float defaultValue)
{
    if (limit > 1.0f || limit < 0.0f) {
        limit = defaultValue;
        stored = defaultValue;
    }
}

} // namespace

BEGIN_MESSAGE_MAP(CDlgShearCapacity, CDialog)
    ON_NOTIFY(GVN_SELCHANGED, IDC_CAPACITY_TOWERGRID, &CDlgShearCapacity::OnTowerSelChanged)
    ON_EN_CHANGE(IDC_CAPACITY_ADVISORY, &CDlgShearCapacity::OnChangeAdvisory)
    ON_EN_CHANGE(IDC_CAPACITY_MANDATORY, &CDlgShearCapacity::OnChangeMandatory)
    ON_BN_CLICKED(IDC_CAPACITY_OUTPUT, &CDlgShearCapacity::OnOutput)
END_MESSAGE_MAP()

CDlgShearCapacity::CDlgShearCapacity(CWnd* pParent) : CDialog(IDD_SHEARCAPACITY, pParent)
{
    (void)kCapacityRegistered;
}

CDlgShearCapacity::~CDlgShearCapacity()
{
    // The list refers to the structure's main nodes.
    m_MainNodeList.RemoveAll();
}

float CDlgShearCapacity::Ratio(float capacity, float above, bool top)
{
    if (top || std::fabs(above) < 1e-5f)
        return 1.0f;
    return capacity / std::max(above, 1e-7f);
}

// ---- Computation ----

void CDlgShearCapacity::LoadLimits()
{
    CStruct* s = m_pGlobalData->Struct();
    m_fLimitMandatory = s->m_fCapacityLimit1;
    m_fLimitAdvisory = s->m_fCapacityLimit2;
    CheckData();
}

void CDlgShearCapacity::CheckData()
{
    CStruct* s = m_pGlobalData->Struct();
    CheckCapacityLimit(m_fLimitMandatory, s->m_fCapacityLimit1, kDefaultCapacityMandatory);
    CheckCapacityLimit(m_fLimitAdvisory, s->m_fCapacityLimit2, kDefaultCapacityAdvisory);
}

void CDlgShearCapacity::FillData()
{
    CStruct* s = m_pGlobalData->Struct();
    m_nFloorNum = std::max(0, s->m_pFloorList->GetRealFloorNum() - s->m_nBasementNum);
    m_arrCapacity.assign((size_t)m_nFloorNum, CStoreyCapacity());
    s->ComputeCapacity(m_pCurMainNode);
    // The storeys above the basements, from the top: the top storey is the last record.
    const std::vector<CFloor*> storeys = storey::RealStoreysFromTop(s->m_pFloorList, m_nFloorNum);
    for (size_t i = 0; i < storeys.size(); ++i) {
        CFloor* f = storeys[i];
        CStoreyCapacity& r = m_arrCapacity[(size_t)m_nFloorNum - 1 - i];
        if (!storey::InTower(m_pCurMainNode, f))
            continue;
        r.nNo = f->GetNo();
        r.fCapX = std::fabs(f->GetCapacityX());
        r.fCapY = std::fabs(f->GetCapacityY());
    }
}

float CDlgShearCapacity::RecordRatio(size_t i, bool x) const
{
    const bool top = i + 1 >= m_arrCapacity.size();
    const CStoreyCapacity& r = m_arrCapacity[i];
    const CStoreyCapacity& above = top ? r : m_arrCapacity[i + 1];
    return Ratio(x ? r.fCapX : r.fCapY, x ? above.fCapX : above.fCapY, top);
}

// ---- Window ----

void CDlgShearCapacity::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CAPACITY_ADVISORY, m_fLimitAdvisory);
    DDV_MinMaxFloat(pDX, m_fLimitAdvisory, 0.0f, 1.0f);
    DDX_Text(pDX, IDC_CAPACITY_MANDATORY, m_fLimitMandatory);
    DDV_MinMaxFloat(pDX, m_fLimitMandatory, 0.0f, 1.0f);
}

BOOL CDlgShearCapacity::OnInitDialog()
{
    CDialog::OnInitDialog();
    storey::CreateStoreyGrid(m_GridStorey, this, CRect(193, 12, 671, 384), IDC_CAPACITY_GRID);
    storey::CreateTowerGrid(m_GridTower, this, CRect(12, 12, 182, 384), IDC_CAPACITY_TOWERGRID);
    m_GridTower.SetColumnWidth(0, 157);
    CWaitCursor wait;
    LoadLimits();
    storey::RefreshTowers(m_pGlobalData->Struct(), m_MainNodeList);
    CGridCtrl& g = m_GridStorey;
    g.SetColumnCount(5);
    g.SetRowCount(1);
    const char* heads[] = {"楼层", "X向承载力(kN)", "X向本层/上层", "Y向承载力(kN)", "Y向本层/上层"};
    const int widths[] = {50, 100, 100, 100, 100};
    for (int c = 0; c < 5; ++c) {
        g.SetItemText(0, c, heads[c]);
        g.SetColumnWidth(c, widths[c]);
    }
    g.ExpandLastColumn();
    m_pCurMainNode = storey::FillTowerGrid(m_GridTower, m_MainNodeList);
    UpdateData(FALSE);
    FillItem();
    m_bOpened = true;
    return TRUE;
}

void CDlgShearCapacity::FillItem()
{
    FillData();
    CGridCtrl& g = m_GridStorey;
    g.DeleteNonFixedRows();
    for (size_t i = 0; i < m_arrCapacity.size(); ++i) {
        const CStoreyCapacity& r = m_arrCapacity[i];
        if (r.nNo == 0)
            continue;
        CString label, capX, ratioX, capY, ratioY;
        label.Format("第%d层", r.nNo);
        capX.Format("%.3e", r.fCapX);
        ratioX.Format("%.3f", RecordRatio(i, true));
        capY.Format("%.3e", r.fCapY);
        ratioY.Format("%.3f", RecordRatio(i, false));
        storey::AddCentredRow(g, {label, capX, ratioX, capY, ratioY});
    }
    g.ExpandColumnsToFit();
    Recolour();
}

void CDlgShearCapacity::Recolour()
{
    CGridCtrl& g = m_GridStorey;
    int row = 1;
    for (size_t i = 0; i < m_arrCapacity.size(); ++i) {
        if (m_arrCapacity[i].nNo == 0)
            continue;
        // A storey whose storey above is not in the tower is not marked.
        const bool aboveIncluded = i + 1 >= m_arrCapacity.size() || m_arrCapacity[i + 1].nNo != 0;
        for (bool x : {true, false}) {
            COLORREF colour = CLR_DEFAULT;
            if (aboveIncluded) {
                // The colour follows the ratio the cell shows, so a cell reading 1.000 is
                // never marked below a limit of at most 1.
                const float ratio = RecordRatio(i, x);
                if (m_fLimitMandatory > ratio)
                    colour = storey::kMandatoryColour;
                else if (m_fLimitAdvisory >= ratio)
                    colour = storey::kAdvisoryColour;
            }
            g.SetItemBkColour(row, x ? 2 : 4, colour);
        }
        ++row;
    }
    g.Invalidate();
}

void CDlgShearCapacity::OnTowerSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (pResult)
        *pResult = 0;
    CMainNode* tower = storey::SelectedTower(pNMHDR, m_MainNodeList);
    if (tower == nullptr)
        return;
    CWaitCursor wait;
    m_pCurMainNode = tower;
    FillItem();
}

void CDlgShearCapacity::OnChangeAdvisory()
{
    if (m_bOpened && storey::TakeEditedLimit(*this, IDC_CAPACITY_ADVISORY, m_fLimitAdvisory,
                                             m_pGlobalData->Struct()->m_fCapacityLimit2))
        Recolour();
}

void CDlgShearCapacity::OnChangeMandatory()
{
    if (m_bOpened && storey::TakeEditedLimit(*this, IDC_CAPACITY_MANDATORY, m_fLimitMandatory,
                                             m_pGlobalData->Struct()->m_fCapacityLimit1))
        Recolour();
}

void CDlgShearCapacity::OnOutput()
{
    CWaitCursor wait;
    CDlgOutputDocument viewer(this);
    viewer.m_pGlobalData = m_pGlobalData;
    viewer.m_nDocType = kCapacityKind;
    viewer.DoModal();
}

// ---- Chapter ----

void CDlgShearCapacity::Output(COutput* out, int flag)
{
    if (out == nullptr || m_pGlobalData == nullptr)
        return;
    CWaitCursor wait;
    CStruct* s = m_pGlobalData->Struct();
    FillData();
    // An object whose window was never opened writes the model's limits.
    LoadLimits();

    CDlgReportChapter::OutputTitle(*out, m_pGlobalData->ProjectName() + "楼层受剪承载力信息", flag);
    out->SetFlagAdd(0x1002);
    out->SetFontSize(9);
    CString text;
    text.Format("楼层的受剪承载力不宜小于其上一层的%.3f倍", m_fLimitAdvisory);
    *out << text << endl;
    text.Format("不应小于其上一层的%.3f倍", m_fLimitMandatory);
    *out << text << endl;
    storey::RefreshTowers(s, m_MainNodeList);

    const int towers = (int)m_MainNodeList.GetCount();
    if (towers <= 1) {
        WriteTableHead(*out, "层受剪承载力列表(单位 千牛)");
        for (size_t i = 0; i < m_arrCapacity.size(); ++i) {
            const CStoreyCapacity& r = m_arrCapacity[i];
            if (r.nNo == 0)
                continue;
            text.Format("第%d层", r.nNo);
            WriteRow(*out, text, r.fCapX, RecordRatio(i, true), r.fCapY, RecordRatio(i, false));
        }
        out->EndTable();
        return;
    }
    // Per tower: the storeys above the basements whose storey above still stands in the
    // tower, so the tower's own top storey is left out.
    const std::vector<CFloor*> fromTop = storey::RealStoreysFromTop(s->m_pFloorList, m_nFloorNum);
    for (int t = 1; t <= towers; ++t) {
        CMainNode* tower = m_MainNodeList.Get(t);
        text.Format("第%d塔楼层受剪承载力列表(单位 千牛)", t);
        WriteTableHead(*out, text);
        for (size_t i = fromTop.size(); i-- > 0;) {
            CFloor* f = fromTop[i];
            CFloor* up = f->GetUpFloor();
            if (up == nullptr || tower->m_pt.z - up->GetZ() < -0.001)
                continue;
            s->ComputeFloorCapacity(f, tower);
            s->ComputeFloorCapacity(up, tower);
            const bool top = i == 0;
            const float capX = f->GetCapacityX(), capY = f->GetCapacityY();
            text.Format("第%d层", f->m_nLevel);
            WriteRow(*out, text, capX, Ratio(capX, up->GetCapacityX(), top), capY,
                     Ratio(capY, up->GetCapacityY(), top));
        }
        out->EndTable();
    }
}

void CDlgShearCapacity::WriteTableHead(COutput& out, const CString& heading)
{
    out << endl;
    out.SetFontSize(11);
    out << tab << tab << heading << endl;
    out.SetFontSize(9);
    out.SetPrecision(3);
    out.CreateTableHead("楼 层", 10, 0);
    out.CreateTableHead("X向承载力", 15, 0);
    out.CreateTableHead("X向本层/上层", 15, 0);
    out.CreateTableHead("Y向承载力", 15, 0);
    out.CreateTableHead("Y向本层/上层", 15, 0);
}

void CDlgShearCapacity::WriteRow(COutput& out, const CString& label, float capX, float ratioX, float capY,
                                 float ratioY)
{
    out.SetTableContent(label);
    for (const auto& [cap, ratio] : {std::pair{capX, ratioX}, std::pair{capY, ratioY}}) {
        CString text;
        text.Format("%.3e", cap);
        out.SetTableContent(text);
        text.Format("%.3f", ratio);
        if (ratio < m_fLimitMandatory)
            out.SetFontColor(storey::kMandatoryColour);
        else if (ratio < m_fLimitAdvisory)
            out.SetFontColor(storey::kAdvisoryColour);
        out.SetTableContent(text);
        out.SetFontColor(storey::kBlack);
    }
}

#include <vyr/storey/DlgLayerDispDifferOutput.h>

#include <algorithm>
#include <cmath>

#include <vyr/app.h>
#include <vyr/controls.h>
#include <vyr/ddx.h>
#include <vyr/model/output/output.h>
#include <vyr/model/struct/structure.h>
#include <vyr/msgbox.h>
#include <vyr/protocol/DlgReportChapter.h>
#include <vyr/resources/dialogs/StoreyDispRes.h>
#include <vyr/storey/DlgOutputDispView.h>
#include <vyr/storey/DlgOutputDocument.h>
#include <vyr/storey/StoreyCommon.h>

namespace {

constexpr int kDispViewerKind = 2;
const bool kDispRegistered = CDlgOutputDocument::RegisterOwnerKind<CDlgLayerDispDifferOutput>(kDispViewerKind);

constexpr int kDispNoDrift = 10000000; // the denominator of a drift below 1e-7

// Colour of a max/average ratio against the advisory and the mandatory limit.
COLORREF DispRatioColour(float advisory, float mandatory, float q, COLORREF normal)
{
    if (advisory > q)
        return normal;
    return mandatory > q ? storey::kAdvisoryColour : storey::kMandatoryColour;
}

// The ratio in single precision, as the limits are kept: a ratio typed equal to a limit
// compares equal to it.
float DispRatio(double max, double ave)
{
    return (float)(max / std::max(std::fabs(ave), 1e-7));
}

CString DispText(const char* format, double value)
{
    CString t;
    t.Format(format, value);
    return t;
}

CString DispText(const char* format, int value)
{
    CString t;
    t.Format(format, value);
    return t;
}

// ---- Chapter pieces ----

// The smallest drift denominator of a table and its storey; the largest average storey
// displacement and its storey.
struct CDispWorstDrift
{
    int nD = kDispNoDrift;
    CString label;
    bool bExceeded = false;
};
struct CDispLargest
{
    float value = -1e7f;
    CString label;
};

void DispColouredCell(COutput& out, const CString& text, COLORREF colour)
{
    if (colour == storey::kBlack) {
        out.SetTableContent(text);
        return;
    }
    out.SetFontColor(colour);
    out.SetTableContent(text);
    out.SetFontColor(storey::kBlack);
}

void DispTableHeading(COutput& out, const CString& project, const char* heading, const std::vector<const char*>& columns,
                  const std::vector<int>& widths)
{
    out << tab << title(3) << title << project << heading << endl;
    out.SetFlagSub(0x10000);
    out.SetPrecision(3);
    out.SetFontSize(9);
    for (size_t c = 0; c < columns.size(); ++c)
        out.CreateTableHead(columns[c], widths[c], 0);
}

struct CDispChapterLimits
{
    float advisory, mandatory;
    int v;          // drift limit denominator of the case
    bool ratio;     // the case has the ratio column
};

// One inter-storey row; answers the drift's denominator (r as a float).
int DispInterRow(COutput& out, const CDispChapterLimits& lim, const CString& label, float storeyH, int jmaxD, float dmax,
             float hDrift, float dave)
{
    const float h = hDrift > 1e-5f ? hDrift : 1e-5f;
    // In double precision: a drift of exactly 1 / v prints 1/v.
    const double r = (double)dmax / h * 0.001;
    const int d = CDlgLayerDispDifferOutput::DriftDenominator(r);
    out.SetTableContent(label);
    out.SetTableContent(DispText("%.3f", (double)storeyH));
    out.SetTableContent(DispText("%d", jmaxD));
    out.SetTableContent(DispText("%.3f", (double)dmax));
    // The limit in floating point: a denominator of 0 colours nothing.
    DispColouredCell(out, DispText("1/%d", d), 1.0 / lim.v < r ? storey::kAdvisoryColour : storey::kBlack);
    out.SetTableContent(DispText("%.3f", std::fabs((double)dave)));
    if (lim.ratio) {
        const float q = DispRatio(dmax, dave);
        DispColouredCell(out, DispText("%.3f", (double)q), DispRatioColour(lim.advisory, lim.mandatory, q, storey::kBlack));
    }
    return d;
}

void DispStoreyRow(COutput& out, const CDispChapterLimits& lim, const CString& label, int jmax, float umax, float uave,
               CDispLargest& largest)
{
    out.SetTableContent(label);
    out.SetTableContent(DispText("%d", jmax));
    out.SetTableContent(DispText("%.3f", (double)umax));
    out.SetTableContent(DispText("%.3f", std::fabs((double)uave)));
    if (lim.ratio) {
        const float q = DispRatio(umax, uave);
        DispColouredCell(out, DispText("%.3f", (double)q), DispRatioColour(lim.advisory, lim.mandatory, q, storey::kBlack));
    }
    if (std::fabs(uave) > largest.value) {
        largest.value = std::fabs(uave);
        largest.label = label;
    }
}

void DispInterHead(COutput& out, const CString& project, bool x, bool ratio)
{
    std::vector<const char*> cols = {"Floor", "h(m)", "JmaxD", x ? "Max-DX" : "Max-DY", x ? "Max-DX/h" : "Max-DY/h",
                                     x ? "Ave-DX" : "Ave-DY"};
    if (ratio)
        cols.push_back(x ? "Ratio-DX" : "Ratio-DY");
    DispTableHeading(out, project, "层间位移表(单位 层高：米; 位移：毫米;)", cols, std::vector<int>(cols.size(), 10));
}

void DispStoreyHead(COutput& out, const CString& project, bool x, bool ratio)
{
    std::vector<const char*> cols = {"Floor", "Jmax", x ? "Max-X" : "Max-Y", x ? "Ave-X" : "Ave-Y"};
    std::vector<int> widths = {10, 10, 15, 15};
    if (ratio) {
        cols.push_back(x ? "Ratio-X" : "Ratio-Y");
        widths.push_back(15);
    }
    DispTableHeading(out, project, "楼层位移表(单位 层高：米; 位移：毫米;)", cols, widths);
}

void DispInterSentence(COutput& out, const CDispWorstDrift& worst, int v)
{
    out << endl;
    out.EndTable();
    out.SetFontSize(9);
    const bool exceeded = worst.nD <= v;
    CString text;
    text.Format("最大层间位移角出现于%s，为1/%d%s大于要求的1/%d%s满足要求", worst.label.GetString(), worst.nD,
                exceeded ? "" : "不", v, exceeded ? "，不" : "，");
    out << text << endl << endl;
}

void DispStoreySentence(COutput& out, const CDispLargest& largest)
{
    out.EndTable();
    out << tab << endl;
    out.SetPrecision(3);
    out << "最大楼层平均位移出现于" << largest.label << "，为" << largest.value << endl << endl;
}

} // namespace

BEGIN_MESSAGE_MAP(CDlgLayerDispDifferOutput, CDialog)
    ON_NOTIFY(TCN_SELCHANGE, IDC_DISP_TAB, &CDlgLayerDispDifferOutput::OnSelchangeTab1)
    ON_NOTIFY(GVN_SELCHANGED, IDC_DISP_CASEGRID, &CDlgLayerDispDifferOutput::OnGridEndSelChange)
    ON_NOTIFY(GVN_SELCHANGED, IDC_DISP_TOWERGRID, &CDlgLayerDispDifferOutput::OnGridTowerEndSelChange)
    ON_EN_CHANGE(IDC_DISP_RATIO1, &CDlgLayerDispDifferOutput::OnChangeEditXz)
    ON_EN_CHANGE(IDC_DISP_RATIO2, &CDlgLayerDispDifferOutput::OnChangeEditQzxz)
    ON_EN_CHANGE(IDC_DISP_SEISMDRIFT, &CDlgLayerDispDifferOutput::OnChangeEditTanxincornerSeism)
    ON_EN_CHANGE(IDC_DISP_WINDDRIFT, &CDlgLayerDispDifferOutput::OnChangeEditTanxincornerWind)
    ON_BN_CLICKED(IDC_DISP_VIEW, &CDlgLayerDispDifferOutput::OnOutputView)
    ON_BN_CLICKED(IDC_DISP_REPORT, &CDlgLayerDispDifferOutput::OnOutputDocument)
END_MESSAGE_MAP()

CDlgLayerDispDifferOutput::CDlgLayerDispDifferOutput(CGlobalData* pData, CWnd* pParent)
    : CDialog(IDD_LAYERDISPDIFFER, pParent), m_pGlobalData(pData)
{
    (void)kDispRegistered;
    if (m_pGlobalData == nullptr)
        return;
    CStruct* s = m_pGlobalData->Struct();
    CopyLimits();
    m_nModeNum = s->GetCurFrequentNum();
    m_bSeismFlag = s->m_pLoadSeismList->m_bFlag != 0;
}

CDlgLayerDispDifferOutput::~CDlgLayerDispDifferOutput()
{
    // The list refers to the structure's main nodes.
    m_MainNodeList.RemoveAll();
}

void CDlgLayerDispDifferOutput::CopyLimits()
{
    const CStruct* s = m_pGlobalData->Struct();
    m_fRatioLimit1 = s->m_fDispRatioLimit1;
    m_fRatioLimit2 = s->m_fDispRatioLimit2;
    m_fSeismDriftLimit = (float)s->m_nSeismDriftLimit;
    m_fWindDriftLimit = (float)s->m_nWindDriftLimit;
}

bool CDlgLayerDispDifferOutput::IsStatCase(const CBasicLoadCase* lc)
{
    return lc != nullptr && ((lc->GetType() >= 2 && lc->GetType() <= 5) || lc->IsSeismLoadCase());
}

int CDlgLayerDispDifferOutput::DriftDenominator(double r)
{
    if (std::fabs(r) < 1e-7)
        return kDispNoDrift;
    return (int)(1.0 / r);
}

bool CDlgLayerDispDifferOutput::RatioColumn() const
{
    return m_pCurCase != nullptr && m_pCurCase->GetType() > 6;
}

// ---- Computation ----

void CDlgLayerDispDifferOutput::beginforoutput()
{
    m_arrCaseNo.clear();
    CBasicLCList* cases = m_pGlobalData->GetCurBasicLCList();
    for (POSITION pos = cases->GetHeadPosition(); pos != nullptr;) {
        CBasicLoadCase* lc = cases->GetNextT(pos);
        if (IsStatCase(lc))
            m_arrCaseNo.push_back(lc->m_nNo);
    }
    m_nFloorNum = m_pGlobalData->Struct()->m_pFloorList->GetRealFloorNum();
    m_fTopZ = 0.0f;
    getgk(1);
    GetDirection();
    FillData();
}

void CDlgLayerDispDifferOutput::getgk(int row)
{
    m_pCurCase = nullptr;
    const bool hasRow = row >= 1 && row <= (int)m_arrCaseNo.size();
    CBasicLCList* cases = m_pGlobalData->GetCurBasicLCList();
    for (POSITION pos = cases->GetHeadPosition(); pos != nullptr;) {
        CBasicLoadCase* lc = cases->GetNextT(pos);
        m_pCurCase = lc;
        if (hasRow && lc->m_nNo == m_arrCaseNo[(size_t)row - 1])
            return;
    }
}

void CDlgLayerDispDifferOutput::GetDirection()
{
    CStruct* s = m_pGlobalData->Struct();
    const int b = std::max(1, s->m_nBasementNum);
    std::vector<CFloor*> voters;
    for (CFloor* f : storey::RealStoreysFromTop(s->m_pFloorList)) {
        if (f->m_nLevel <= b)
            break;
        voters.push_back(f);
    }
    const auto [xCount, yCount] = storey::CountDominantShear(voters, m_pCurCase, s->m_pLoadSeismList);
    m_nDirection = yCount > xCount ? 2 : 1;
}

std::vector<double> CDlgLayerDispDifferOutput::Coupling() const
{
    const CStruct* s = m_pGlobalData->Struct();
    // Sized for the modes the structure holds now, which it fills.
    const int modes = std::max(m_nModeNum, s->GetCurFrequentNum());
    std::vector<double> coupling((size_t)std::max(0, modes * modes));
    s->GetOuheRatio(coupling.data());
    return coupling;
}

void CDlgLayerDispDifferOutput::FillData()
{
    const int n = m_nFloorNum;
    if (n < 1)
        return;
    CStruct* s = m_pGlobalData->Struct();
    CBasicLoadCase* lc = m_pCurCase;
    m_nDriftLimit = (int)(lc != nullptr && lc->IsSeismLoadCase() ? m_fSeismDriftLimit : m_fWindDriftLimit);
    for (auto* a : {&m_arrFloorNo, &m_arrJmax, &m_arrJmaxD})
        a->assign((size_t)n, 0);
    for (auto* a : {&m_arrMaxDisp, &m_arrAveDisp, &m_arrElevH, &m_arrFloorH, &m_arrMaxDelta, &m_arrAveDelta})
        a->assign((size_t)n, 0.0);
    const std::vector<CFloor*> fromTop = storey::RealStoreysFromTop(s->m_pFloorList);
    if (fromTop.empty())
        return;
    m_fTopZ = (float)(fromTop.front()->GetZ() * 0.01);
    if (m_fTopZ < 1e-7f)
        m_fTopZ = 1.0f;
    // No wind or seismic case: nothing to tabulate.
    if (lc == nullptr || !IsStatCase(lc) || m_arrCaseNo.empty())
        return;
    std::vector<double> coupling = Coupling();
    const int p = s->m_pLoadSeismList->GetSeismPos(lc);
    const int c = lc->m_nNo - 1, d = m_nDirection, m = m_nModeNum;
    const bool f = m_bSeismFlag;
    CMainNode* tower = m_pCurMainNode;
    for (int i = 0; i < n && i < (int)fromTop.size(); ++i) {
        const size_t k = (size_t)(n - 1 - i);
        CFloor* S = fromTop[(size_t)i];
        CFloor* L = storey::StoreyBelow(s->m_pFloorList, fromTop, (size_t)i);
        const double lz = L != nullptr ? L->GetZ() : 0.0;
        m_arrElevH[k] = S->GetZ() * 0.01 - lz * 0.01;
        m_arrFloorH[k] = S->GetH() * 0.01;
        if (tower != nullptr) {
            if (!storey::InTower(tower, S))
                continue;
            if (!S->IsInFloorRect(tower)) {
                // Outside the tower's plan: its heights go to the storey above.
                if (k + 1 < (size_t)n && m_arrFloorNo[k + 1] != 0) {
                    m_arrElevH[k + 1] += m_arrElevH[k];
                    m_arrFloorH[k + 1] += m_arrFloorH[k];
                }
                continue;
            }
        }
        m_arrFloorNo[k] = S->GetNo();
        double h = S->GetH();
        if (std::fabs(h) < 1e-5)
            h = 1e-5;
        m_arrMaxDelta[k] = (S->GetZ() - lz) / h *
                           (S->GetFloorMaxRelativeDisp(f, p, c, d, m, L, coupling.data(), tower) * 10.0f);
        m_arrJmaxD[k] = S->m_nMaxRelDispNode;
        m_arrAveDelta[k] = S->GetFloorRelativeDisp(f, p, c, d, m, L, coupling.data(), tower) * 10.0f;
        m_arrMaxDisp[k] = S->GetFloorMaxDisp(f, lc, d, tower) * 10.0f;
        m_arrJmax[k] = S->m_nMaxDispNode;
        m_arrAveDisp[k] = S->GetFloorDisp(f, p, c, d, m, coupling.data(), tower) * 10.0f;
        if (m_arrMaxDelta[k] <= m_arrAveDelta[k])
            m_arrMaxDelta[k] = m_arrAveDelta[k];
        if (m_arrMaxDisp[k] <= m_arrAveDisp[k])
            m_arrMaxDisp[k] = m_arrAveDisp[k];
    }
    // The lowest storey drifts against the base: its inter-storey values are its storey
    // values, with the node that goes with them.
    m_arrAveDelta[0] = m_arrAveDisp[0];
    m_arrMaxDelta[0] = m_arrMaxDisp[0];
    m_arrJmaxD[0] = m_arrJmax[0];
}

// ---- Window ----

void CDlgLayerDispDifferOutput::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_DISP_RATIO1, m_fRatioLimit1);
    DDX_Text(pDX, IDC_DISP_RATIO2, m_fRatioLimit2);
    DDX_Text(pDX, IDC_DISP_SEISMDRIFT, m_fSeismDriftLimit);
    DDX_Text(pDX, IDC_DISP_WINDDRIFT, m_fWindDriftLimit);
}

BOOL CDlgLayerDispDifferOutput::OnInitDialog()
{
    CDialog::OnInitDialog();
    CWaitCursor wait;
    storey::CreateTowerGrid(m_GridTower, this, CRect(10, 10, 173, 103), IDC_DISP_TOWERGRID);
    storey::CreateTowerGrid(m_GridCase, this, CRect(10, 114, 173, 328), IDC_DISP_CASEGRID);
    m_GridCase.SetItemText(0, 0, "基本工况描述");
    storey::CreateStoreyGrid(m_GridResult, this, CRect(197, 45, 645, 323), IDC_DISP_RESULTGRID);
    CStruct* s = m_pGlobalData->Struct();
    CopyLimits();
    storey::RefreshTowers(s, m_MainNodeList);
    auto* tab = static_cast<CTabCtrl*>(GetDlgItem(IDC_DISP_TAB));
    tab->InsertItem(0, "层间位移(mm)");
    tab->InsertItem(1, "楼层位移(mm)");
    tab->SetCurSel(0);
    m_pCurMainNode = storey::FillTowerGrid(m_GridTower, m_MainNodeList);
    if (m_pCurMainNode != nullptr)
        m_GridTower.ExpandColumnsToFit();
    FillItem();
    m_nFloorNum = s->m_pFloorList->GetRealFloorNum();
    m_fTopZ = 0.0f;
    if (m_GridCase.GetRowCount() > 1)
        m_GridCase.SelectRow(1);
    getgk(1);
    GetDirection();
    FillData();
    m_bOpened = true;
    FillShownTab();
    return TRUE;
}

void CDlgLayerDispDifferOutput::FillItem()
{
    CGridCtrl& g = m_GridCase;
    g.DeleteNonFixedRows();
    m_arrCaseNo.clear();
    CBasicLCList* cases = m_pGlobalData->GetCurBasicLCList();
    for (POSITION pos = cases->GetHeadPosition(); pos != nullptr;) {
        CBasicLoadCase* lc = cases->GetNextT(pos);
        if (!IsStatCase(lc))
            continue;
        CString text;
        text.Format("BLC%d ", lc->m_nNo);
        lc->GetDescription(&text, -1);
        const int row = g.InsertRow(text);
        g.SetItemText(row, 0, text);
        g.SetItemFormat(row, 0, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        m_arrCaseNo.push_back(lc->m_nNo);
        g.SetItemData(row, 0, (LPARAM)m_arrCaseNo.size());
    }
    g.ExpandColumnsToFit();
    UpdateData(FALSE);
}

int CDlgLayerDispDifferOutput::ShownTab() const
{
    auto* tab = static_cast<CTabCtrl*>(GetDlgItem(IDC_DISP_TAB));
    return tab != nullptr && tab->GetCurSel() == 1 ? 1 : 0;
}

void CDlgLayerDispDifferOutput::FillShownTab()
{
    if (ShownTab() == 0)
        FillItemDelta();
    else
        FillItemTotal();
}

namespace {

void DispResultColumns(CGridCtrl& g, const std::vector<const char*>& heads, const std::vector<int>& widths)
{
    g.DeleteAllItems();
    g.SetColumnCount((int)heads.size());
    g.SetRowCount(1);
    g.SetFixedRowCount(1);
    for (size_t c = 0; c < heads.size(); ++c) {
        g.SetItemText(0, (int)c, heads[c]);
        g.SetItemFormat(0, (int)c, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        g.SetColumnWidth((int)c, widths[c]);
    }
    g.ExpandColumnsToFit();
}

void DispResultRow(CGridCtrl& g, const std::vector<CString>& cells)
{
    const int row = g.InsertRow("");
    for (size_t c = 0; c < cells.size(); ++c) {
        g.SetItemText(row, (int)c, cells[c]);
        g.SetItemFormat(row, (int)c, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

} // namespace

void CDlgLayerDispDifferOutput::FillItemDelta()
{
    const bool x = m_nDirection == 1, ratio = RatioColumn();
    std::vector<const char*> heads = {"Floor", "h(m)", "JmaxD", x ? "Max-Dx" : "Max-Dy", x ? "Max-Dx/h" : "Max-Dy/h",
                                      x ? "Ave-Dx" : "Ave-Dy"};
    std::vector<int> widths = {50, 50, 50, 80, 80, 60};
    if (ratio) {
        heads.push_back(x ? "Ratio-DX" : "Ratio-DY");
        widths.push_back(80);
    }
    DispResultColumns(m_GridResult, heads, widths);
    for (size_t k = 0; k < m_arrFloorNo.size(); ++k) {
        if (m_arrFloorNo[k] == 0)
            continue;
        const double r = m_arrMaxDelta[k] / std::max(m_arrElevH[k], 1e-7) * 0.001;
        std::vector<CString> cells = {DispText("第%d层", m_arrFloorNo[k]), DispText("%.3f", m_arrFloorH[k]),
                                      DispText("%d", m_arrJmaxD[k]), DispText("%.3f", m_arrMaxDelta[k]),
                                      DispText("1/%d", DriftDenominator(r)), DispText("%.3f", std::fabs(m_arrAveDelta[k]))};
        if (ratio)
            cells.push_back(DispText("%.3f", (double)DispRatio(m_arrMaxDelta[k], m_arrAveDelta[k])));
        DispResultRow(m_GridResult, cells);
    }
    UpdateData(FALSE);
    checkdata();
}

void CDlgLayerDispDifferOutput::FillItemTotal()
{
    const bool x = m_nDirection == 1, ratio = RatioColumn();
    std::vector<const char*> heads = {"Floor", "Jmax", x ? "Max-(X)" : "Max-(Y)", x ? "Ave-(X)" : "Ave-(Y)"};
    std::vector<int> widths = {80, 80, 100, 100};
    if (ratio) {
        heads.push_back(x ? "Ratio-(X)" : "Ratio-(Y)");
        widths.push_back(80);
    }
    DispResultColumns(m_GridResult, heads, widths);
    for (size_t k = 0; k < m_arrFloorNo.size(); ++k) {
        if (m_arrFloorNo[k] == 0)
            continue;
        std::vector<CString> cells = {DispText("第%d层", m_arrFloorNo[k]), DispText("%d", m_arrJmax[k]),
                                      DispText("%.3f", m_arrMaxDisp[k]), DispText("%.3f", std::fabs(m_arrAveDisp[k]))};
        if (ratio)
            cells.push_back(DispText("%.3f", (double)DispRatio(m_arrMaxDisp[k], m_arrAveDisp[k])));
        DispResultRow(m_GridResult, cells);
    }
    UpdateData(FALSE);
    checkdata();
}

void CDlgLayerDispDifferOutput::checkdata()
{
    CGridCtrl& g = m_GridResult;
    const bool ratio = RatioColumn(), delta = ShownTab() == 0;
    // The limit in floating point: a denominator of 0 marks nothing.
    const double driftLimit = 1.0 / (double)m_nDriftLimit;
    int row = 1;
    for (size_t k = 0; k < m_arrFloorNo.size(); ++k) {
        if (m_arrFloorNo[k] == 0)
            continue;
        if (delta) {
            double r = m_arrMaxDelta[k] / std::max(m_arrElevH[k], 1e-7) * 0.001;
            if (std::fabs(r) < 1e-7)
                r = 1e-7;
            g.SetItemFgColour(row, 4, driftLimit > r ? CLR_DEFAULT : storey::kAdvisoryColour);
            if (ratio)
                g.SetItemFgColour(row, 6, DispRatioColour(m_fRatioLimit1, m_fRatioLimit2,
                                                      DispRatio(m_arrMaxDelta[k], m_arrAveDelta[k]), CLR_DEFAULT));
        } else if (ratio) {
            g.SetItemFgColour(row, 4, DispRatioColour(m_fRatioLimit1, m_fRatioLimit2,
                                                  DispRatio(m_arrMaxDisp[k], m_arrAveDisp[k]), CLR_DEFAULT));
        }
        ++row;
    }
    g.Invalidate();
}

void CDlgLayerDispDifferOutput::OnSelchangeTab1(NMHDR*, LRESULT* pResult)
{
    if (pResult)
        *pResult = 0;
    if (!UpdateData(TRUE))
        return;
    FillShownTab();
}

void CDlgLayerDispDifferOutput::OnGridEndSelChange(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (pResult)
        *pResult = 0;
    const int row = reinterpret_cast<NM_GRIDVIEW*>(pNMHDR)->iRow;
    if (row <= 0 || !UpdateData(TRUE))
        return;
    CWaitCursor wait;
    getgk(row);
    GetDirection();
    FillData();
    FillShownTab();
}

void CDlgLayerDispDifferOutput::OnGridTowerEndSelChange(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (pResult)
        *pResult = 0;
    const int row = reinterpret_cast<NM_GRIDVIEW*>(pNMHDR)->iRow;
    if (row <= 0 || row > (int)m_MainNodeList.GetCount() || !UpdateData(TRUE))
        return;
    CWaitCursor wait;
    m_pCurMainNode = m_MainNodeList.Get(row);
    FillData();
    FillShownTab();
}

void CDlgLayerDispDifferOutput::OnChangeRatio(float& member, float& stored)
{
    if (!m_bOpened)
        return;
    const float before = member;
    if (!UpdateData(TRUE))
        return;
    if (std::fabs(member - before) <= 0.001f || member > 2.0f || member < 1.0f)
        return;
    stored = member;
    FillData();
    FillShownTab();
}

void CDlgLayerDispDifferOutput::OnChangeDrift(float& member, int& stored)
{
    if (!m_bOpened)
        return;
    const float before = member;
    if (!UpdateData(TRUE))
        return;
    if (member == (float)(int)before || member > 2000.0f || member < 100.0f)
        return;
    stored = (int)member;
    FillData();
    FillShownTab();
}

void CDlgLayerDispDifferOutput::OnChangeEditXz()
{
    OnChangeRatio(m_fRatioLimit1, m_pGlobalData->Struct()->m_fDispRatioLimit1);
}

void CDlgLayerDispDifferOutput::OnChangeEditQzxz()
{
    OnChangeRatio(m_fRatioLimit2, m_pGlobalData->Struct()->m_fDispRatioLimit2);
}

void CDlgLayerDispDifferOutput::OnChangeEditTanxincornerSeism()
{
    OnChangeDrift(m_fSeismDriftLimit, m_pGlobalData->Struct()->m_nSeismDriftLimit);
}

void CDlgLayerDispDifferOutput::OnChangeEditTanxincornerWind()
{
    OnChangeDrift(m_fWindDriftLimit, m_pGlobalData->Struct()->m_nWindDriftLimit);
}

void CDlgLayerDispDifferOutput::OnOutputView()
{
    m_fMaxAveDisp = 0.0f;
    m_fMaxDrift = 0.0f;
    m_nMaxDriftIndex = 0;
    for (size_t k = 0; k < m_arrFloorNo.size(); ++k) {
        if (std::fabs(m_arrAveDisp[k]) > m_fMaxAveDisp)
            m_fMaxAveDisp = (float)std::fabs(m_arrAveDisp[k]);
        double h = m_arrElevH[k] * 1000.0;
        if (h < 1e-7)
            h = 1e-7;
        const float a = (float)std::fabs(m_arrMaxDelta[k] / h);
        if (a > m_fMaxDrift) {
            m_fMaxDrift = a;
            m_nMaxDriftIndex = (int)k;
        }
    }
    CDlgOutputDispView view(nullptr);
    view.m_pGlobalData = m_pGlobalData;
    view.DoModal();
}

void CDlgLayerDispDifferOutput::OnOutputDocument()
{
    CDlgOutputDocument viewer(this);
    viewer.m_pGlobalData = m_pGlobalData;
    viewer.m_nDocType = kDispViewerKind;
    viewer.DoModal();
}

bool CDlgLayerDispDifferOutput::CheckData()
{
    if (!UpdateData(TRUE))
        return false;
    struct Check
    {
        bool failed;
        const char* message;
    };
    const Check checks[] = {
        {m_fRatioLimit1 > 2.0f, "地震下平均位移比/最大位移不宜限制不能大于2.0"},
        {m_fRatioLimit1 < 1.0f, "地震下平均位移比/最大位移不宜限制不能小于1.0"},
        {m_fWindDriftLimit < 100.0f, "层风载最大层间位移角不宜超过限制不能大于1/100"},
        {m_fWindDriftLimit > 2000.0f, "层风载最大层间位移角不宜超过限制不能大于1/2000"},
        {m_fSeismDriftLimit < 100.0f, "层地震最大层间位移角不宜超过限制不能大于1/100"},
        {m_fSeismDriftLimit > 2000.0f, "层地震最大层间位移角不宜超过限制不能大于1/2000"},
    };
    for (const Check& c : checks)
        if (c.failed) {
            AfxMessageBox(c.message, MB_OK);
            return false;
        }
    return true;
}

void CDlgLayerDispDifferOutput::OnOK()
{
    CheckData();
    // The model holds only limits the edits accepted: the dialog closes whatever it found.
    EndDialog(IDOK);
}

// ---- Chapter ----

void CDlgLayerDispDifferOutput::Output(COutput* out, int flag)
{
    if (out == nullptr || m_pGlobalData == nullptr)
        return;
    CStruct* s = m_pGlobalData->Struct();
    CMainNode* const shownTower = m_pCurMainNode;
    CBasicLoadCase* const shownCase = m_pCurCase;
    const int shownDirection = m_nDirection;
    beginforoutput();
    storey::RefreshTowers(s, m_MainNodeList);
    CWaitCursor wait;
    const CString project = m_pGlobalData->ProjectName();
    if (flag == 0)
        CDlgReportChapter::OutputTitle(*out, project + "层间位移与楼层位移信息", flag);

    out->SetFlagAdd(0x1002);
    out->SetFontSize(11);
    *out << "各列表符号和参数说明：" << endl;
    out->SetFontSize(9);
    CString text;
    text.Format("层最大/超过位移比不宜超过%.3f，层最大/超过位移比不应超过%.3f", m_fRatioLimit1, m_fRatioLimit2);
    *out << text << endl;
    text.Format("层风载最大层间角不宜大于1/%d", (int)m_fWindDriftLimit);
    *out << text << endl;
    text.Format("层地震最大层间角不宜大于1/%d", (int)m_fSeismDriftLimit);
    *out << text << endl;
    for (const char* line :
         {"h: \t\t楼层层高", "JmaxD: \t        最大层间位移对应的节点号", "Max-DX(Y): \tX(Y)向最大层间位移值",
          "Max-DX(Y)/h: \tX(Y)向的最大层间位移角", "Ave-DX(Y): \tX(Y)向层间位移的平均值",
          "Ratio-DX(Y): \tX(Y)向层间最大位移与平均位移的比值", "Jmax: \t\t最大楼层位移对应的节点号",
          "Max-X(Y): \tX(Y)向最大楼层位移值", "Ave-X(Y): \tX(Y)向楼层位移的平均值",
          "Ratio-X(Y): \tX(Y)向楼层最大位移与平均位移的比值"})
        *out << line << endl;
    *out << endl;

    const bool byTower = m_MainNodeList.GetCount() > 1;
    for (int i = 1; i <= (int)m_arrCaseNo.size(); ++i) {
        getgk(i);
        GetDirection();
        const int v = (int)(m_pCurCase->GetType() >= 6 ? m_fSeismDriftLimit : m_fWindDriftLimit);
        if (!byTower)
            FillData();
        text = "基本工况为：";
        m_pCurCase->GetDescription(&text, 0);
        text += "作用下：";
        text += m_nDirection == 1 ? "(主方向X向)" : "(主方向Y向)";
        out->SetFontSize(11);
        *out << title(2) << title << text << endl;
        out->SetFontSize(9);
        if (byTower)
            WriteByTower(*out, v);
        else
            WriteFromArrays(*out, v);
    }

    // The window goes on with what it showed.
    m_pCurMainNode = shownTower;
    m_pCurCase = shownCase;
    GetDirection();
    if (shownCase == nullptr)
        m_nDirection = shownDirection;
    FillData();
}

void CDlgLayerDispDifferOutput::WriteFromArrays(COutput& out, int v)
{
    const CString project = m_pGlobalData->ProjectName();
    const bool x = m_nDirection == 1;
    const CDispChapterLimits lim{m_fRatioLimit1, m_fRatioLimit2, v, RatioColumn()};
    CDispWorstDrift worst;
    // The worst drift from the values in full precision, lowest storey first.
    for (size_t k = 0; k < m_arrFloorNo.size(); ++k) {
        if (m_arrFloorNo[k] == 0)
            continue;
        const double h = m_arrElevH[k] > 1e-5 ? m_arrElevH[k] : 1e-5;
        const int d = DriftDenominator(m_arrMaxDelta[k] / h * 0.001);
        if (d < worst.nD) {
            worst.nD = d;
            worst.label = DispText("第%d层", m_arrFloorNo[k]);
            worst.bExceeded = d <= v;
        }
    }
    DispInterHead(out, project, x, lim.ratio);
    for (size_t k = 0; k < m_arrFloorNo.size(); ++k)
        if (m_arrFloorNo[k] != 0)
            DispInterRow(out, lim, DispText("第%d层", m_arrFloorNo[k]), (float)m_arrFloorH[k], m_arrJmaxD[k],
                     (float)m_arrMaxDelta[k], (float)m_arrElevH[k], (float)m_arrAveDelta[k]);
    DispInterSentence(out, worst, v);

    CDispLargest largest;
    DispStoreyHead(out, project, x, lim.ratio);
    for (size_t k = 0; k < m_arrFloorNo.size(); ++k)
        if (m_arrFloorNo[k] != 0)
            DispStoreyRow(out, lim, DispText("第%d层", m_arrFloorNo[k]), m_arrJmax[k], (float)m_arrMaxDisp[k],
                      (float)m_arrAveDisp[k], largest);
    DispStoreySentence(out, largest);
}

void CDlgLayerDispDifferOutput::WriteByTower(COutput& out, int v)
{
    CStruct* s = m_pGlobalData->Struct();
    const CString project = m_pGlobalData->ProjectName();
    const bool x = m_nDirection == 1;
    const CDispChapterLimits lim{m_fRatioLimit1, m_fRatioLimit2, v, RatioColumn()};
    std::vector<double> coupling = Coupling();
    CBasicLoadCase* lc = m_pCurCase;
    const int p = s->m_pLoadSeismList->GetSeismPos(lc);
    const int c = lc->m_nNo - 1, d = m_nDirection, m = m_nModeNum;
    const bool f = m_bSeismFlag;
    const int b = std::max(1, s->m_nBasementNum + 1);

    // The rows of one storey: the whole storey (no main node) or each of its towers, labelled
    // with the nearest tower of the list.
    struct CRow
    {
        CMainNode* node;
        CString label;
    };
    auto rowsOf = [&](CFloor* S) {
        std::vector<CRow> rows;
        const int towers = S->GetTowerNum();
        if (towers <= 1) {
            rows.push_back({nullptr, DispText("第%d层", S->GetNo())});
            return rows;
        }
        for (int t = 1; t <= towers; ++t) {
            CMainNode* M = S->m_pMainNodeList->Get(t);
            int nearest = 0;
            double best = 1e9;
            for (int j = 1; j <= (int)m_MainNodeList.GetCount(); ++j) {
                const CMainNode* o = m_MainNodeList.Get(j);
                const double dist = std::hypot(o->m_pt.x - M->m_pt.x, o->m_pt.y - M->m_pt.y);
                if (dist < best) {
                    best = dist;
                    nearest = j;
                }
            }
            CString label;
            label.Format("第%d层%d塔", S->GetNo(), nearest);
            rows.push_back({M, label});
        }
        return rows;
    };

    CDispWorstDrift worst;
    DispInterHead(out, project, x, lim.ratio);
    for (int k = b; k <= s->m_pFloorList->GetRealFloorNum(); ++k) {
        CFloor* S = s->m_pFloorList->GetRealFloor(k);
        CFloor* L = S != nullptr ? S->GetDownFloor() : nullptr;
        if (S == nullptr || L == nullptr)
            continue;
        for (const CRow& row : rowsOf(S)) {
            // The lowest counted storey drifts against the base: its storey values.
            float dmax, dave;
            int node;
            if (k == b) {
                dmax = S->GetFloorMaxDisp(f, lc, d, row.node) * 10.0f;
                node = S->m_nMaxDispNode;
                dave = S->GetFloorDisp(f, p, c, d, m, coupling.data(), row.node) * 10.0f;
            } else {
                dmax = S->GetFloorMaxRelativeDisp(f, p, c, d, m, L, coupling.data(), row.node) * 10.0f;
                node = S->m_nMaxRelDispNode;
                dave = S->GetFloorRelativeDisp(f, p, c, d, m, L, coupling.data(), row.node) * 10.0f;
            }
            float h = (float)(S->GetH() * 0.01);
            if (std::fabs(h) < 1e-5f)
                h = 1e-5f;
            if (dmax <= dave)
                dmax = dave;
            const int D = DispInterRow(out, lim, row.label, h, node, dmax, h, dave);
            if (D < worst.nD) {
                worst.nD = D;
                worst.label = row.label;
                worst.bExceeded = D <= v;
            }
        }
    }
    DispInterSentence(out, worst, v);

    CDispLargest largest;
    DispStoreyHead(out, project, x, lim.ratio);
    for (int k = b; k <= s->m_pFloorList->GetRealFloorNum(); ++k) {
        CFloor* S = s->m_pFloorList->GetRealFloor(k);
        if (S == nullptr || S->GetDownFloor() == nullptr || S->m_nType == 4)
            continue;
        for (const CRow& row : rowsOf(S)) {
            float umax = S->GetFloorMaxDisp(f, lc, d, row.node) * 10.0f;
            const int node = S->m_nMaxDispNode;
            const float uave = S->GetFloorDisp(f, p, c, d, m, coupling.data(), row.node) * 10.0f;
            const float floor = row.node == nullptr ? std::fabs(uave) : uave;
            if (umax <= floor)
                umax = floor;
            DispStoreyRow(out, lim, row.label, node, umax, uave, largest);
        }
    }
    DispStoreySentence(out, largest);
}

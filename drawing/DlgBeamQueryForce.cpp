#include <vyr/drawing/DlgBeamQueryForce.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <vyr/controls.h>
#include <vyr/ddx.h>
#include <vyr/gdi.h>
#include <vyr/model/output/commonfuncs.h>
#include <vyr/model/struct/GlobalData.h>
#include <vyr/model/struct/Member.h>
#include <vyr/protocol/CombinationEditor.h>
#include <vyr/resources/dialogs/QueryForceRes.h>

namespace {
const int kDiagramIds[6] = {IDC_QUERYFORCE_N, IDC_QUERYFORCE_V2, IDC_QUERYFORCE_V3,
                            IDC_QUERYFORCE_T, IDC_QUERYFORCE_M2, IDC_QUERYFORCE_M3};
const char* const kHeadings[7] = {"段号", "N", "V2", "V3", "T", "M2", "M3"};
constexpr double kZero = 0.001;

// A curve's inner extremes (stations 1 to 10) and the larger of their magnitudes.
struct Extremes
{
    double largest = -1e9, smallest = 1e9;
    int iLargest = 0, iSmallest = 0;
    double m = 0.0;
};
Extremes InnerExtremes(const float* v)
{
    Extremes e;
    for (int i = 1; i <= 10; ++i) {
        if (v[i] > e.largest) {
            e.largest = v[i];
            e.iLargest = i;
        }
        if (v[i] < e.smallest) {
            e.smallest = v[i];
            e.iSmallest = i;
        }
    }
    e.m = std::max(std::fabs(e.largest), std::fabs(e.smallest));
    return e;
}

void DrawCurve(CDC* pDC, const CRect& rect, int component, const float* v, const Extremes& e, double k,
               COLORREF fill, double unitFactor, CFont* labelFont)
{
    if (e.m <= kZero)
        return;
    const int x0 = rect.left + 20, xe = rect.right - 20, y0 = rect.bottom / 2;
    const double step = (rect.right - rect.left - 40) * (1.0 / 11.0);
    const bool up = component == 1 || component == 2; // V2, V3 positive upwards
    POINT pts[14];
    pts[0] = {x0, y0};
    for (int i = 0; i < 12; ++i) {
        const double y = up ? y0 - v[i] * k : y0 + v[i] * k;
        pts[i + 1] = {(int)(x0 + i * step), (int)y};
    }
    pts[13] = {xe, y0};
    CBrush brush(fill);
    CPen pen(PS_SOLID, 1, RGB(128, 128, 128));
    CBrush* oldBrush = pDC->SelectObject(&brush);
    CPen* oldPen = pDC->SelectObject(&pen);
    pDC->Polygon(pts, 14);
    pDC->SelectObject(oldPen);
    pDC->SelectObject(oldBrush);
    if (labelFont == nullptr)
        return;
    CFont* oldFont = pDC->SelectObject(labelFont);
    pDC->SetBkMode(TRANSPARENT);
    auto label = [&](int i, UINT horizontal) {
        const double value = v[i];
        if (std::fabs(value) <= kZero)
            return;
        const bool top = up ? value > 0.0 : !(value > 0.0);
        pDC->SetTextAlign(horizontal | (top ? TA_TOP : TA_BOTTOM));
        CString text;
        text.Format("%.2f", value * unitFactor);
        pDC->TextOut(pts[i + 1].x, pts[i + 1].y, text);
    };
    label(0, TA_LEFT);
    label(11, TA_RIGHT);
    if (e.largest > v[0] + kZero && e.largest > v[11] + kZero)
        label(e.iLargest, TA_CENTER);
    if (e.smallest < v[0] - kZero && e.smallest < v[11] - kZero)
        label(e.iSmallest, TA_CENTER);
    pDC->SelectObject(oldFont);
}
} // namespace

void VyrDrawQueryDiagram(CDC* pDC, const CRect& rect, int component, const float* first, const float* second,
                         double unitFactor, CFont* labelFont)
{
    pDC->Rectangle(rect);
    const double amplitude = std::abs(rect.top - rect.bottom) * 0.5 - 17.0;
    const Extremes e1 = InnerExtremes(first);
    const Extremes e2 = second != nullptr ? InnerExtremes(second) : Extremes();
    // Both envelope lines at one scale, so the two curves compare; each keeps its own
    // extremes for its labels.
    const double m = std::max(e1.m, second != nullptr ? e2.m : 0.0);
    const double k = m > 0.0 ? amplitude / m : 0.0;
    DrawCurve(pDC, rect, component, first, e1, k, RGB(210, 210, 210), unitFactor, labelFont);
    if (second != nullptr)
        DrawCurve(pDC, rect, component, second, e2, k, RGB(240, 240, 240), unitFactor, labelFont);
    const int x0 = rect.left + 20, xe = rect.right - 20, y0 = rect.bottom / 2;
    CPen black(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* old = pDC->SelectObject(&black);
    pDC->MoveTo(x0, y0);
    pDC->LineTo(xe, y0);
    pDC->SelectObject(old);
}

BEGIN_MESSAGE_MAP(CDlgBeamQueryForce, CDialog)
    ON_WM_PAINT()
    ON_BN_CLICKED(IDC_QUERYFORCE_SHOWVALUE, &CDlgBeamQueryForce::OnClickRedraw)
    ON_BN_CLICKED(IDC_QUERYFORCE_BYCOMB, &CDlgBeamQueryForce::OnClickRedraw)
    ON_BN_CLICKED(IDC_QUERYFORCE_BYCOVER, &CDlgBeamQueryForce::OnClickRedraw)
    ON_NOTIFY(TCN_SELCHANGE, IDC_QUERYFORCE_TAB, &CDlgBeamQueryForce::OnSelchangeTab)
    ON_LBN_SELCHANGE(IDC_QUERYFORCE_LIST, &CDlgBeamQueryForce::OnSelchangeList)
    ON_LBN_DBLCLK(IDC_QUERYFORCE_LIST, &CDlgBeamQueryForce::OnDblclkList)
END_MESSAGE_MAP()

CDlgBeamQueryForce::CDlgBeamQueryForce(CWnd* pParent) : CDlgWithObject(IDD_BEAMQUERYFORCE, pParent) {}

void CDlgBeamQueryForce::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_QUERYFORCE_TAB, m_tab);
    DDX_Control(pDX, IDC_QUERYFORCE_LIST, m_list);
    DDX_Check(pDX, IDC_QUERYFORCE_SHOWVALUE, m_bShowValue);
    DDX_Radio(pDX, IDC_QUERYFORCE_BYCOMB, m_nMode);
}

double CDlgBeamQueryForce::UnitFactor(int component) const
{
    const double force = m_pData != nullptr ? m_pData->UnitForce() : 1.0;
    const double length = m_pData != nullptr ? m_pData->UnitLength() : 1.0;
    return component <= 2 ? force : force * length;
}

BOOL CDlgBeamQueryForce::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_Grid.Create(CRect(15, 320, 586, 562), this, IDC_QUERYFORCE_GRID, WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    m_Grid.SetListStyle();
    m_Grid.SetRowCount(13);
    m_Grid.SetFixedRowCount(1);
    m_Grid.SetColumnCount(7);
    for (int c = 0; c < 7; ++c)
        m_Grid.SetColumnWidth(c, 10);
    m_Grid.ExpandColumnsToFit(TRUE);
    for (int r = 1; r <= 12; ++r) {
        CString text;
        text.Format("%d", r);
        m_Grid.SetItemText(r, 0, text);
    }
    for (int c = 0; c < 7; ++c)
        m_Grid.SetItemText(0, c, kHeadings[c]);

    m_tab.InsertItem(0, "组合工况");
    m_tab.InsertItem(1, "基本工况");
    m_bShowValue = 1;
    m_nMode = 0;
    FillList();
    m_list.SetCurSel(0);
    if (GetBeam() != nullptr) {
        CString caption;
        caption.Format("%d号杆件内力详细查询", GetBeam()->GetNo());
        SetWindowText(caption);
    }
    UpdateData(FALSE);
    OnSelchangeList();
    return TRUE;
}

void CDlgBeamQueryForce::FillList()
{
    m_list.ResetContent();
    const int pick = m_nReselect == -1 ? 1 : m_nReselect;
    if (m_nListKind == 0) {
        CLCList* list = m_pData->GetSLCList();
        int row = 0;
        for (POSITION pos = list->GetHeadPosition(); pos != nullptr; ++row) {
            CLoadCombination* lc = list->GetNextT(pos);
            CString text;
            text.Format("LC%-3d  %s", lc->m_nNo, lc->GetDescription().GetString());
            m_list.InsertString(row, text);
        }
        if (m_nReselect != 0)
            if (CLoadCombination* lc = list->Get(pick))
                m_lc.Fill(lc);
    } else {
        CBasicLCList* list = m_pData->GetCurBasicLCList();
        int row = 0;
        for (POSITION pos = list->GetHeadPosition(); pos != nullptr; ++row) {
            CString text;
            list->GetNextT(pos)->GetDescription(&text, 0);
            m_list.InsertString(row, text + "       ");
        }
        if (m_nReselect != 0)
            if (CBasicLoadCase* basic = list->Get(pick))
                m_lc.Fill(basic, basic->IsSeismLoadCase() ? m_pData->Struct()->m_pLoadSeismList->Get(basic->GetSeismCaseNo())
                                                          : nullptr);
    }
    m_list.SetCurSel(m_nReselect == -1 ? 0 : m_nReselect - 1);
    m_nReselect = -1;
}

void CDlgBeamQueryForce::OnSelchangeList()
{
    const int r = m_list.GetCurSel();
    if (r >= 0) {
        if (m_nListKind == 0) {
            m_lc.Fill(m_pData->GetSLCList()->Get(r + 1));
        } else if (CBasicLoadCase* basic = m_pData->GetCurBasicLCList()->Get(r + 1)) {
            m_lc.Fill(basic,
                      basic->IsSeismLoadCase() ? m_pData->Struct()->m_pLoadSeismList->Get(basic->GetSeismCaseNo()) : nullptr);
        }
    }
    Redraw();
    FillGrid();
    UpdateData(FALSE);
}

void CDlgBeamQueryForce::OnSelchangeTab(NMHDR*, LRESULT* pResult)
{
    m_nListKind = m_tab.GetCurSel();
    FillList();
    Redraw();
    FillGrid();
    UpdateData(FALSE);
    *pResult = 0;
}

void CDlgBeamQueryForce::OnDblclkList()
{
    const int r = m_list.GetCurSel();
    if (m_nListKind == 0 && r >= 0)
        if (VyrEditCombination(m_pData, m_pData->GetSLCList()->Get(r + 1)) == IDOK)
            FillList();
    Redraw();
    FillGrid();
    UpdateData(FALSE);
}

void CDlgBeamQueryForce::OnPaint()
{
    CPaintDC dc(this);
    Redraw();
}

void CDlgBeamQueryForce::Redraw()
{
    UpdateData(TRUE);
    CBeamBase* beam = GetBeam();
    if (beam != nullptr && beam->GetSection() != nullptr) {
        for (int c = 0; c < 6; ++c) {
            if (m_nMode == 1)
                beam->ComputeCoverForce(c);
            else
                beam->ComputeCurrentForce(c, &m_lc, 0.0f);
            for (int i = 0; i < 12; ++i) {
                m_fForce[c][i] = beam->GetF(i);
                if (m_nMode == 1)
                    m_fForce[c + 6][i] = beam->GetF1(i);
            }
        }
    }
    CFont font;
    if (m_bShowValue) {
        LOGFONT lf{};
        lf.lfHeight = -9;
        lf.lfWeight = 400;
        lf.lfPitchAndFamily = 0x20;
        std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", "Arial");
        font.CreateFontIndirect(&lf);
    }
    for (int c = 0; c < 6; ++c) {
        CWnd* frame = GetDlgItem(kDiagramIds[c]);
        if (frame == nullptr || frame->GetSafeHwnd() == nullptr)
            continue;
        CRect rect;
        frame->GetClientRect(&rect);
        CDC* pDC = frame->GetDC();
        VyrDrawQueryDiagram(pDC, rect, c, m_fForce[c], m_nMode == 1 ? m_fForce[c + 6] : nullptr, UnitFactor(c),
                            m_bShowValue ? &font : nullptr);
        frame->ReleaseDC(pDC);
    }
}

void CDlgBeamQueryForce::FillGrid()
{
    if (m_Grid.GetSafeHwnd() == nullptr)
        return;
    for (int c = 0; c < 6; ++c) {
        const double u = UnitFactor(c);
        for (int i = 0; i < 12; ++i) {
            CString text = CStringFunc::GetStrFromDouble(m_fForce[c][i] * u, 2);
            if (m_nMode == 1)
                text += "(" + CStringFunc::GetStrFromDouble(m_fForce[c + 6][i] * u, 2) + ")";
            m_Grid.SetItemText(i + 1, c + 1, text);
        }
    }
    m_Grid.Invalidate(FALSE);
}

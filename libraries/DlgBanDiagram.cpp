#include <vyr/libraries/DlgBanDiagram.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include <vyr/model/struct/GlobalData.h>
#include <vyr/resources/dialogs/BanDlgRes.h>

void VyrDrawBanDiagram(CDC* pDC, const CRect& rect, const CArray<double, double>& spans, float unitLength)
{
    if (pDC == nullptr)
        return;
    pDC->Rectangle(rect.left, rect.top, rect.right, rect.bottom);
    double sum = 0.0;
    for (INT_PTR i = 0; i < spans.GetSize(); ++i)
        sum += spans[i];
    const int L = (int)sum;
    const int D = (int)(sum * 0.3);
    // Nothing to scale: no spans, or spans too short for a depth of one unit.
    if (spans.GetSize() == 0 || L <= 0 || D <= 0 || rect.Width() <= 0 || rect.Height() <= 0)
        return;
    const int half = L / 2;
    const int cx = (rect.left + rect.right) / 2, cy = (rect.top + rect.bottom) / 2;
    const double s = (double)L / D > (double)rect.Width() / rect.Height() ? 0.8 * rect.Width() / L
                                                                          : 0.8 * rect.Height() / D;
    CFont font;
    font.CreateFont(-10, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "Arial");
    CFont* oldFont = pDC->SelectObject(&font);
    const UINT oldAlign = pDC->SetTextAlign(TA_CENTER | TA_BOTTOM);
    CBrush yellow(RGB(255, 255, 0));
    CBrush* oldBrush = pDC->SelectObject(&yellow);
    auto support = [&](int x) {
        const POINT tri[3] = {{x, cy}, {(int)(x - 5.0), (int)(cy + 8.66)}, {(int)(x + 5.0), (int)(cy + 8.66)}};
        pDC->Polygon(tri, 3);
    };
    int prev = (int)(cx - s * half);
    long long running = 0;
    for (INT_PTR i = 0; i < spans.GetSize(); ++i) {
        running += (long long)spans[i];
        const int x = (int)((running - half) * s + cx);
        pDC->MoveTo(prev, cy);
        pDC->LineTo(x, cy);
        support(prev);
        CString label;
        label.Format("%.3f", spans[i] * unitLength);
        pDC->TextOut((prev + x) / 2, cy - 2, label);
        prev = x;
    }
    support(prev);
    pDC->SelectObject(oldBrush);
    pDC->SetTextAlign(oldAlign);
    pDC->SelectObject(oldFont);
}

void VyrDrawBanDiagram(CWnd* pFrame, const CArray<double, double>& spans, float unitLength)
{
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr)
        return;
    CRect rect;
    pFrame->GetClientRect(&rect);
    CDC* pDC = pFrame->GetDC();
    VyrDrawBanDiagram(pDC, rect, spans, unitLength);
    pFrame->ReleaseDC(pDC);
}

BEGIN_MESSAGE_MAP(CDlgBanDiagram, CDialog)
    ON_WM_PAINT()
    ON_EN_CHANGE(IDC_BAN_SPANCOUNT, &CDlgBanDiagram::OnChangeSpanCount)
    ON_EN_CHANGE(IDC_BAN_SPANLENGTH, &CDlgBanDiagram::OnChangeSpanLength)
    ON_NOTIFY(NM_CLICK, IDC_BAN_SPANS, &CDlgBanDiagram::OnClickSpans)
    ON_NOTIFY(LVN_ENDLABELEDIT, IDC_BAN_SPANS, &CDlgBanDiagram::OnEndLabelEdit)
    ON_BN_CLICKED(IDC_BAN_PREVIEW, &CDlgBanDiagram::OnPreview)
END_MESSAGE_MAP()

CDlgBanDiagram::CDlgBanDiagram(CWnd* pParent) : CDialog(IDD_BANDIAGRAM, pParent) {}

float CDlgBanDiagram::Unit() const
{
    const float u = m_pData != nullptr ? m_pData->UnitLength() : 1.0f;
    return u > 0.0f ? u : 1.0f;
}

CListCtrl* CDlgBanDiagram::Spans() { return static_cast<CListCtrl*>(GetDlgItem(IDC_BAN_SPANS)); }

void CDlgBanDiagram::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_BAN_SPANCOUNT, m_nSpanNum);
    DDV_MinMaxInt(pDX, m_nSpanNum, 0, 5);
    DDX_Text(pDX, IDC_BAN_SPANLENGTH, m_fSpanLength);
    DDV_MinMaxFloat(pDX, m_fSpanLength, 0.0f, 1e34f);
}

BOOL CDlgBanDiagram::OnInitDialog()
{
    CDialog::OnInitDialog();
    auto* spin = static_cast<CSpinButtonCtrl*>(GetDlgItem(IDC_BAN_SPANSPIN));
    spin->SetRange(1, 5);
    spin->SetPos(3);
    m_fSpanLength = 300.0f * Unit();
    if (m_SpanArray.GetSize() > 0) {
        m_nSpanNum = (int)m_SpanArray.GetSize();
    } else {
        for (int i = 0; i < m_nSpanNum; ++i)
            m_SpanArray.Add(m_fSpanLength / Unit());
    }
    m_nCurNum = m_nSpanNum;
    CListCtrl* list = Spans();
    list->InsertColumn(0, "编号", LVCFMT_LEFT, 70);
    list->InsertColumn(1, "描述", LVCFMT_LEFT, 30);
    FillRows();
    SetWindowText(m_nKind == 1 ? "现浇单向板计算简图" : "压型钢板计算简图");
    UpdateData(FALSE);
    m_bOpened = true;
    return TRUE;
}

void CDlgBanDiagram::FillRows()
{
    CListCtrl* list = Spans();
    list->DeleteAllItems();
    for (int i = 0; i < (int)m_SpanArray.GetSize(); ++i) {
        CString length, number;
        length.Format("%.3f", m_SpanArray[i] * Unit());
        number.Format("%d", i + 1);
        list->InsertItem(i, length);
        list->SetItemText(i, 1, number);
    }
}

void CDlgBanDiagram::Redraw() { VyrDrawBanDiagram(GetDlgItem(IDC_BAN_DIAGRAM), m_SpanArray, Unit()); }

void CDlgBanDiagram::OnPaint()
{
    CPaintDC dc(this);
    Redraw();
}

void CDlgBanDiagram::OnChangeSpanCount()
{
    if (GetSafeHwnd() == nullptr)
        return;
    if (m_bSkipCountChange) {
        m_bSkipCountChange = false;
        return;
    }
    if (!m_bOpened || !UpdateData(TRUE))
        return;
    while ((int)m_SpanArray.GetSize() < m_nSpanNum)
        m_SpanArray.Add(m_fSpanLength / Unit());
    if ((int)m_SpanArray.GetSize() > m_nSpanNum)
        m_SpanArray.SetSize(m_nSpanNum);
    m_nCurNum = m_nSpanNum;
    FillRows();
    Redraw();
}

void CDlgBanDiagram::OnChangeSpanLength()
{
    // The opening fills the edit: the given spans stay as they are.
    if (GetSafeHwnd() == nullptr || !m_bOpened || !UpdateData(TRUE))
        return;
    for (INT_PTR i = 0; i < m_SpanArray.GetSize(); ++i)
        m_SpanArray[i] = m_fSpanLength / Unit();
    FillRows();
    Redraw();
}

void CDlgBanDiagram::OnClickSpans(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    CListCtrl* list = Spans();
    const int row = list->GetNextItem(-1, LVNI_SELECTED);
    if (row >= 0)
        list->EditLabel(row);
}

void CDlgBanDiagram::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = FALSE;
    auto* info = reinterpret_cast<NMLVDISPINFO*>(pNMHDR);
    if (info->item.pszText == nullptr)
        return;
    const int row = info->item.iItem;
    if (row < 0 || row >= (int)m_SpanArray.GetSize())
        return;
    char text[100];
    std::strncpy(text, info->item.pszText, sizeof text - 1);
    text[sizeof text - 1] = '\0';
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    while (end != nullptr && (*end == ' ' || *end == '\t'))
        ++end;
    if (end == text || end == nullptr || *end != '\0' || !std::isfinite(value)) {
        AfxMessageBox("您需要输入一个实数！");
        return;
    }
    if (value == 0.0)
        return;
    m_SpanArray[row] = value / Unit();
    FillRows();
    Redraw();
}

void CDlgBanDiagram::OnPreview() { Redraw(); }

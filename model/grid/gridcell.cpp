#include <vyr/model/grid/gridcell.h>

#include <algorithm>
#include <cstring>

#include <vyr/model/grid/gridctrl.h>
#include <vyr/model/grid/inplaceedit.h>

IMPLEMENT_DYNAMIC(CGridCellBase, CObject)
IMPLEMENT_DYNCREATE(CGridCell, CGridCellBase)
IMPLEMENT_DYNCREATE(CGridDefaultCell, CGridCell)
IMPLEMENT_DYNCREATE(CGridCellCheck, CGridCell)

namespace {

const COLORREF kWindow = RGB(255, 255, 255);
const COLORREF kWindowText = RGB(0, 0, 0);
const COLORREF kHighlight = RGB(0, 120, 215);
const COLORREF kHighlightText = RGB(255, 255, 255);

COLORREF Pick(COLORREF own, COLORREF dflt, COLORREF fallback)
{
    if (own != CLR_DEFAULT) return own;
    if (dflt != CLR_DEFAULT) return dflt;
    return fallback;
}

} // namespace

// ---- CGridCellBase ----

void CGridCellBase::Reset()
{
    m_nState = 0;
}

void CGridCellBase::operator=(const CGridCellBase& cell)
{
    if (this == &cell) return;
    SetText(cell.GetText());
    SetImage(cell.GetImage());
    SetData(cell.GetData());
    SetState(cell.GetState());
    SetFormat(cell.GetFormat());
    SetTextClr(cell.GetTextClr());
    SetBackClr(cell.GetBackClr());
    SetFont(cell.IsDefaultFont() ? nullptr : cell.GetFont());
    SetMargin(cell.GetMargin());
}

BOOL CGridCellBase::GetTextRect(LPRECT pRect)
{
    const int m = (int)GetMargin();
    pRect->left += m;
    pRect->right -= m;
    if (pRect->right < pRect->left) pRect->right = pRect->left;
    return TRUE;
}

BOOL CGridCellBase::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    CGridCtrl* pGrid = GetGrid();
    if (!pGrid || !pDC) return FALSE;
    const CGridDefaultCell* pDef = pGrid->GetDefaultCell(nRow < pGrid->GetFixedRowCount(), nCol < pGrid->GetFixedColumnCount());
    const bool fixed = nRow < pGrid->GetFixedRowCount() || nCol < pGrid->GetFixedColumnCount();
    const bool selected = (GetState() & GVIS_SELECTED) != 0 && !fixed;
    COLORREF back = Pick(GetBackClr(), pDef->GetBackClr(), fixed ? RGB(240, 240, 240) : kWindow);
    COLORREF text = Pick(GetTextClr(), pDef->GetTextClr(), kWindowText);
    if (selected) {
        back = kHighlight;
        text = kHighlightText;
    }
    if (bEraseBkgnd) pDC->FillSolidRect(&rect, back);
    if ((GetState() & GVIS_FOCUSED) && pGrid->GetFrameFocusCell()) pDC->DrawFocusRect(&rect);

    CFont font;
    CFont* pOldFont = nullptr;
    if (const LOGFONT* lf = GetFont()) {
        if (font.CreateFontIndirect(lf)) pOldFont = pDC->SelectObject(&font);
    }
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(text);
    CRect textRect = rect;
    GetTextRect(&textRect);
    // The cell's image from the grid's list sits at the left, centred vertically; the text
    // follows it.
    CImageList* pImages = pGrid->GetImageList();
    if (pImages && GetImage() >= 0 && GetImage() < pImages->GetImageCount()) {
        const CSize size = pImages->GetImageSize();
        const int x = rect.left + (int)GetMargin();
        pImages->Draw(pDC, GetImage(), CPoint(x, rect.top + (rect.Height() - size.cy) / 2), ILD_TRANSPARENT);
        textRect.left = std::max(textRect.left, x + size.cx + (int)GetMargin());
    }
    CString str = GetText();
    if (!str.IsEmpty()) pDC->DrawText(str, &textRect, GetFormat() | DT_NOPREFIX);
    if (pOldFont) pDC->SelectObject(pOldFont);
    return TRUE;
}

// ---- CGridCell ----

CGridCell::CGridCell() = default;

CGridCell::~CGridCell()
{
    delete m_plfFont;
    // A running editor closes with its window and deletes itself then.
    if (m_pEditWnd && m_pEditWnd->GetSafeHwnd()) m_pEditWnd->DestroyWindow();
}

CGridCell& CGridCell::operator=(const CGridCell& cell)
{
    if (this != &cell) CGridCellBase::operator=(cell);
    return *this;
}

void CGridCell::operator=(const CGridCellBase& cell)
{
    CGridCellBase::operator=(cell);
}

void CGridCell::SetFont(const LOGFONT* plf)
{
    if (plf == nullptr) {
        delete m_plfFont;
        m_plfFont = nullptr;
        return;
    }
    if (plf == m_plfFont) return;
    if (!m_plfFont) m_plfFont = new LOGFONT;
    std::memcpy(m_plfFont, plf, sizeof(LOGFONT));
}

const CGridCellBase* CGridCell::GetDefaultCell() const
{
    if (!m_pGrid) return nullptr;
    // The cell's kind follows from its fixed state bits.
    return m_pGrid->GetDefaultCell((m_nState & GVIS_FIXEDROW) != 0, (m_nState & GVIS_FIXEDCOL) != 0);
}

DWORD CGridCell::GetFormat() const
{
    if (m_nFormat != 0) return m_nFormat;
    const CGridCellBase* d = GetDefaultCell();
    return d ? d->GetFormat() : (DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

const LOGFONT* CGridCell::GetFont() const
{
    if (m_plfFont) return m_plfFont;
    const CGridCellBase* d = GetDefaultCell();
    return d ? d->GetFont() : nullptr;
}

UINT CGridCell::GetMargin() const
{
    if (m_nMargin != 0) return m_nMargin;
    const CGridCellBase* d = GetDefaultCell();
    return d ? d->GetMargin() : 3;
}

void CGridCell::Reset()
{
    CGridCellBase::Reset();
    m_strText.Empty();
    m_nImage = -1;
    m_lParam = 0;
    m_nFormat = 0;
    m_crFgClr = CLR_DEFAULT;
    m_crBkClr = CLR_DEFAULT;
    SetFont(nullptr);
    m_nMargin = 0;
}

BOOL CGridCell::Edit(int nRow, int nCol, CRect rect, CPoint /*point*/, UINT nID, UINT nChar)
{
    if (m_bEditing) return TRUE;
    if (!m_pGrid) return FALSE;
    auto* pEdit = new CInPlaceEdit(m_pGrid, rect, nID, nRow, nCol, GetText(), nChar);
    if (!pEdit->GetSafeHwnd()) {
        delete pEdit;
        return FALSE;
    }
    m_pEditWnd = pEdit;
    m_bEditing = TRUE;
    return TRUE;
}

void CGridCell::EndEdit()
{
    if (m_pEditWnd) static_cast<CInPlaceEdit*>(m_pEditWnd)->EndEdit(FALSE);
}

void CGridCell::OnEndEdit()
{
    // The editor has ended and closes itself.
    m_bEditing = FALSE;
    m_pEditWnd = nullptr;
}

// ---- CGridDefaultCell ----

CGridDefaultCell::CGridDefaultCell()
{
    m_nFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
    m_crFgClr = CLR_DEFAULT;
    m_crBkClr = CLR_DEFAULT;
    m_nMargin = 3;
    m_Size = CSize(60, 22);
    m_lf.lfHeight = -12;
    m_lf.lfWeight = 400;
    m_lf.lfCharSet = 134; // GB2312
    std::strncpy(m_lf.lfFaceName, "宋体", sizeof m_lf.lfFaceName - 1);
}

CGridDefaultCell::~CGridDefaultCell() = default;

void CGridDefaultCell::SetFont(const LOGFONT* plf)
{
    if (plf) std::memcpy(&m_lf, plf, sizeof(LOGFONT));
}

// ---- CGridCellCheck ----

CGridCellCheck::CGridCellCheck() = default;

CGridCellCheck& CGridCellCheck::operator=(const CGridCellCheck& cell)
{
    if (this != &cell) {
        CGridCell::operator=(cell);
        m_bChecked = cell.m_bChecked;
        m_Rect = cell.m_Rect;
    }
    return *this;
}

void CGridCellCheck::operator=(const CGridCellBase& cell)
{
    if (const auto* check = dynamic_cast<const CGridCellCheck*>(&cell))
        *this = *check;
    else
        CGridCell::operator=(cell);
}

BOOL CGridCellCheck::SetCheck(BOOL bChecked)
{
    const BOOL old = m_bChecked;
    m_bChecked = bChecked;
    if (m_pGrid && m_pGrid->GetSafeHwnd()) m_pGrid->Invalidate(FALSE);
    return old;
}

CRect CGridCellCheck::GetCheckPlacement(const CRect& cellRect) const
{
    const int size = cellRect.Height() < 16 ? cellRect.Height() - 2 : 13;
    const int m = (int)GetMargin();
    const int top = cellRect.top + (cellRect.Height() - size) / 2;
    return CRect(cellRect.left + m, top, cellRect.left + m + size, top + size);
}

BOOL CGridCellCheck::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    const BOOL ok = CGridCell::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
    const CRect box = GetCheckPlacement(rect);
    m_Rect = CRect(box.left - rect.left, box.top - rect.top, box.right - rect.left, box.bottom - rect.top);
    pDC->FillSolidRect(&box, RGB(255, 255, 255));
    pDC->Draw3dRect(&box, RGB(0, 0, 0), RGB(0, 0, 0));
    if (m_bChecked) {
        CPen pen(PS_SOLID, 2, RGB(0, 0, 0));
        CPen* old = pDC->SelectObject(&pen);
        pDC->MoveTo(box.left + 2, box.top + box.Height() / 2);
        pDC->LineTo(box.left + box.Width() / 2 - 1, box.bottom - 3);
        pDC->LineTo(box.right - 2, box.top + 2);
        pDC->SelectObject(old);
    }
    return ok;
}

BOOL CGridCellCheck::GetTextRect(LPRECT pRect)
{
    const CRect box = GetCheckPlacement(CRect(*pRect));
    CGridCell::GetTextRect(pRect);
    pRect->left = box.right + (int)GetMargin();
    if (pRect->right < pRect->left) pRect->right = pRect->left;
    return TRUE;
}

BOOL CGridCellCheck::OnClick(CPoint pointCellRelative)
{
    if (m_Rect.IsRectEmpty() || !m_Rect.PtInRect(pointCellRelative)) return FALSE;
    SetCheck(!m_bChecked);
    return TRUE;
}

#include <vyr/model/grid/inplaceedit.h>

#include <string>

#include <vyr/gbk.h>
#include <vyr/model/grid/gridctrl.h>

BEGIN_MESSAGE_MAP(CInPlaceEdit, CWnd)
    ON_WM_KEYDOWN()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CInPlaceEdit::CInPlaceEdit(CGridCtrl* pGrid, CRect& rect, UINT nID, int nRow, int nColumn, const CString& sInitText,
                           UINT nFirstChar)
    : m_pGrid(pGrid), m_nRow(nRow), m_nColumn(nColumn)
{
    // A typed character (any printable code point, Chinese too) replaces the text; a click
    // or a key that only starts the edit keeps it.
    CString text = sInitText;
    const bool printable = (nFirstChar >= 0x20 && nFirstChar < 0x7F) ||
                           (nFirstChar >= 0xA0 && nFirstChar <= 0x10FFFF && (nFirstChar < 0xD800 || nFirstChar > 0xDFFF));
    if (printable) {
        std::string typed;
        vyr::Utf8Append(typed, (char32_t)nFirstChar);
        text = CString(typed);
    }
    const char* cls = vyr::FindWindowClass("Edit") ? "Edit" : nullptr;
    if (!CreateEx(0, cls, text, WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, rect, pGrid, nID)) return;
    SetFocus();
}

CInPlaceEdit::~CInPlaceEdit() = default;

void CInPlaceEdit::EndEdit(BOOL bCancel)
{
    if (m_bEnded) return;
    m_bEnded = TRUE;
    CString text;
    GetWindowText(text);
    // Out of sight and out of GetDlgItem's reach at once; the window itself closes when
    // this message has been handled.
    ShowWindow(SW_HIDE);
    SetDlgCtrlID(0);
    if (m_pGrid) m_pGrid->OnEndInPlaceEdit(m_nRow, m_nColumn, text, bCancel);
    PostMessage(WM_CLOSE);
}

void CInPlaceEdit::PostNcDestroy()
{
    delete this;
}

void CInPlaceEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_RETURN || nChar == VK_TAB) {
        EndEdit(FALSE);
        if (m_pGrid && m_pGrid->GetSafeHwnd()) m_pGrid->SetFocus();
        return;
    }
    if (nChar == VK_ESCAPE) {
        EndEdit(TRUE);
        if (m_pGrid && m_pGrid->GetSafeHwnd()) m_pGrid->SetFocus();
        return;
    }
    CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CInPlaceEdit::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    EndEdit(FALSE);
}

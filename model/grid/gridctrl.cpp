#include <vyr/model/grid/gridctrl.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include <vyr/model/grid/inplaceedit.h>

IMPLEMENT_DYNCREATE(CGridCtrl, CWnd)

BEGIN_MESSAGE_MAP(CGridCtrl, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEWHEEL()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

// The end-of-edit notification is a GV_DISPINFO read by NM_GRIDVIEW handlers too.
static_assert(offsetof(GV_DISPINFO, item) + offsetof(GV_ITEM, row) == offsetof(NM_GRIDVIEW, iRow));
static_assert(offsetof(GV_DISPINFO, item) + offsetof(GV_ITEM, col) == offsetof(NM_GRIDVIEW, iColumn));

namespace {
const COLORREF kFixedBack = RGB(240, 240, 240);
} // namespace

CGridCtrl::CGridCtrl(int nRows, int nCols, int nFixedRows, int nFixedCols)
    : m_crGridLineColour(RGB(192, 192, 192)), m_crGridBkColour(RGB(255, 255, 255))
{
    m_pRtcDefault = RUNTIME_CLASS(CGridCell);
    const DWORD headFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
    m_cellFixedRowDef.SetFormat(headFormat);
    m_cellFixedRowColDef.SetFormat(headFormat);
    m_cellFixedRowDef.SetBackClr(kFixedBack);
    m_cellFixedColDef.SetBackClr(kFixedBack);
    m_cellFixedRowColDef.SetBackClr(kFixedBack);
    for (CGridDefaultCell* d : {&m_cellDefault, &m_cellFixedRowDef, &m_cellFixedColDef, &m_cellFixedRowColDef})
        d->SetGrid(this);
    SetRowCount(nRows);
    SetColumnCount(nCols);
    SetFixedRowCount(nFixedRows);
    SetFixedColumnCount(nFixedCols);
}

CGridCtrl::~CGridCtrl()
{
    // The window (with a running editor, its child) goes while this object is still whole,
    // so the editor's last messages find a grid to talk to.
    if (GetSafeHwnd()) DestroyWindow();
    // A running editor must not be told about cells that are gone.
    if (m_idEditCell.IsValid()) {
        if (CGridCellBase* c = StoredCell(m_idEditCell.row, m_idEditCell.col)) c->OnEndEdit();
        m_idEditCell = CCellID();
    }
    for (auto& row : m_RowData)
        for (CGridCellBase*& c : row) {
            delete c;
            c = nullptr;
        }
    m_RowData.clear();
}

BOOL CGridCtrl::Create(const RECT& rect, CWnd* parent, UINT nID, DWORD dwStyle)
{
    if (!CWnd::Create(nullptr, "", dwStyle | WS_CHILD, rect, parent, nID)) return FALSE;
    m_TitleTip.Create(this);
    UpdateScrollState();
    return TRUE;
}

void CGridCtrl::SetListStyle()
{
    SetListMode(TRUE);
    SetSingleRowSelection(TRUE);
    SetEditable(FALSE);
    SetFixedColumnSelection(FALSE);
    SetFixedRowSelection(FALSE);
    SetRowResize(FALSE);
    SetColumnResize(FALSE);
    SetHeaderSort(FALSE);
    SetTrackFocusCell(FALSE);
    SetFrameFocusCell(FALSE);
    SetGridLines(GVL_BOTH);
    m_cellDefault.SetFormat(DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    m_cellFixedColDef.SetFormat(DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    m_cellFixedRowDef.SetFormat(DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    m_cellFixedRowColDef.SetFormat(DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

// ---------------------------------------------------------------------------------------
// Storage

UINT CGridCtrl::FixedBits(int nRow, int nCol) const
{
    UINT s = 0;
    if (nRow < m_nFixedRows) s |= GVIS_FIXED | GVIS_FIXEDROW;
    if (nCol < m_nFixedCols) s |= GVIS_FIXED | GVIS_FIXEDCOL;
    return s;
}

CGridCellBase* CGridCtrl::CreateCell(int nRow, int nCol)
{
    CRuntimeClass* rtc = m_pRtcDefault ? m_pRtcDefault : RUNTIME_CLASS(CGridCell);
    auto* pCell = static_cast<CGridCellBase*>(rtc->CreateObject());
    if (!pCell) return nullptr;
    pCell->SetGrid(this);
    pCell->SetCoords(nRow, nCol);
    pCell->SetState(FixedBits(nRow, nCol));
    return pCell;
}

void CGridCtrl::DestroyCell(int nRow, int nCol)
{
    if (nRow < 0 || nRow >= (int)m_RowData.size()) return;
    auto& row = m_RowData[nRow];
    if (nCol < 0 || nCol >= (int)row.size()) return;
    delete row[nCol];
    row[nCol] = nullptr;
}

CGridCellBase* CGridCtrl::StoredCell(int nRow, int nCol) const
{
    if (nRow < 0 || nRow >= (int)m_RowData.size()) return nullptr;
    const auto& row = m_RowData[nRow];
    if (nCol < 0 || nCol >= (int)row.size()) return nullptr;
    return row[nCol];
}

void CGridCtrl::UpdateFixedStates()
{
    const UINT mask = GVIS_FIXED | GVIS_FIXEDROW | GVIS_FIXEDCOL;
    for (int r = 0; r < (int)m_RowData.size(); ++r)
        for (int c = 0; c < (int)m_RowData[r].size(); ++c)
            if (CGridCellBase* p = m_RowData[r][c]) {
                p->SetCoords(r, c);
                p->SetState((p->GetState() & ~mask) | FixedBits(r, c));
            }
}

BOOL CGridCtrl::SetRowCount(int nRows)
{
    if (nRows < 0) return FALSE;
    if (nRows == m_nRows) return TRUE;
    if (m_idEditCell.IsValid() && m_idEditCell.row >= nRows) EndEditing(FALSE);
    if (nRows < m_nRows) {
        if (!m_bVirtualMode)
            for (int r = nRows; r < (int)m_RowData.size(); ++r)
                for (int c = 0; c < (int)m_RowData[r].size(); ++c) DestroyCell(r, c);
        if ((int)m_RowData.size() > nRows) m_RowData.resize(nRows);
        for (auto it = m_selected.begin(); it != m_selected.end();)
            it = it->first >= nRows ? m_selected.erase(it) : std::next(it);
        if (m_idCurrentCell.row >= nRows) m_idCurrentCell = CCellID();
    }
    const int old = m_nRows;
    m_nRows = nRows;
    m_arRowHeights.resize(nRows, m_cellDefault.GetHeight());
    if (nRows > old && !m_bVirtualMode) {
        m_RowData.resize(nRows);
        for (int r = old; r < nRows; ++r) {
            m_RowData[r].assign(m_nCols, nullptr);
            for (int c = 0; c < m_nCols; ++c) m_RowData[r][c] = CreateCell(r, c);
        }
    }
    if (m_nFixedRows > nRows) m_nFixedRows = nRows;
    UpdateFixedStates();
    UpdateScrollState();
    return TRUE;
}

BOOL CGridCtrl::SetColumnCount(int nCols)
{
    if (nCols < 0) return FALSE;
    if (nCols == m_nCols) return TRUE;
    if (m_idEditCell.IsValid() && m_idEditCell.col >= nCols) EndEditing(FALSE);
    const int old = m_nCols;
    if (!m_bVirtualMode) {
        for (int r = 0; r < (int)m_RowData.size(); ++r) {
            for (int c = nCols; c < (int)m_RowData[r].size(); ++c) DestroyCell(r, c);
            m_RowData[r].resize(nCols, nullptr);
            for (int c = old; c < nCols; ++c) m_RowData[r][c] = CreateCell(r, c);
        }
    }
    for (auto it = m_selected.begin(); it != m_selected.end();)
        it = it->second >= nCols ? m_selected.erase(it) : std::next(it);
    if (m_idCurrentCell.col >= nCols) m_idCurrentCell = CCellID();
    m_nCols = nCols;
    m_arColWidths.resize(nCols, m_cellDefault.GetWidth());
    if (m_nFixedCols > nCols) m_nFixedCols = nCols;
    UpdateFixedStates();
    UpdateScrollState();
    return TRUE;
}

BOOL CGridCtrl::SetFixedRowCount(int nFixedRows)
{
    if (nFixedRows < 0) return FALSE;
    if (nFixedRows > m_nRows && !SetRowCount(nFixedRows)) return FALSE;
    m_nFixedRows = nFixedRows;
    UpdateFixedStates();
    return TRUE;
}

BOOL CGridCtrl::SetFixedColumnCount(int nFixedCols)
{
    if (nFixedCols < 0) return FALSE;
    if (nFixedCols > m_nCols && !SetColumnCount(nFixedCols)) return FALSE;
    m_nFixedCols = nFixedCols;
    UpdateFixedStates();
    return TRUE;
}

int CGridCtrl::GetRowHeight(int nRow) const
{
    return nRow >= 0 && nRow < m_nRows ? m_arRowHeights[nRow] : -1;
}

BOOL CGridCtrl::SetRowHeight(int row, int height)
{
    if (row < 0 || row >= m_nRows || height < 0) return FALSE;
    m_arRowHeights[row] = height;
    UpdateScrollState();
    return TRUE;
}

int CGridCtrl::GetColumnWidth(int nCol) const
{
    return nCol >= 0 && nCol < m_nCols ? m_arColWidths[nCol] : -1;
}

BOOL CGridCtrl::SetColumnWidth(int col, int width)
{
    if (col < 0 || col >= m_nCols || width < 0) return FALSE;
    m_arColWidths[col] = width;
    UpdateScrollState();
    return TRUE;
}

long CGridCtrl::GetVirtualWidth() const
{
    long w = 0;
    for (int v : m_arColWidths) w += v;
    return w;
}

long CGridCtrl::GetVirtualHeight() const
{
    long h = 0;
    for (int v : m_arRowHeights) h += v;
    return h;
}

void CGridCtrl::ExpandColumnsToFit(BOOL bExpandFixed)
{
    if (!GetSafeHwnd() || m_nCols == 0) return;
    CRect rc;
    GetClientRect(&rc);
    const int first = bExpandFixed ? 0 : m_nFixedCols;
    const int n = m_nCols - first;
    if (n <= 0) return;
    const long extra = rc.Width() - GetVirtualWidth();
    if (extra <= 0) return;
    const int each = (int)(extra / n);
    const int rest = (int)(extra % n);
    for (int c = first; c < m_nCols; ++c) {
        m_arColWidths[c] += each;
        // The remainder goes to the last columns, so the row ends at the window's edge.
        if (m_nCols - c <= rest) m_arColWidths[c] += 1;
    }
    UpdateScrollState();
    Invalidate();
}

void CGridCtrl::ExpandLastColumn()
{
    if (!GetSafeHwnd() || m_nCols == 0) return;
    CRect rc;
    GetClientRect(&rc);
    const long extra = rc.Width() - GetVirtualWidth();
    if (extra <= 0) return;
    m_arColWidths[m_nCols - 1] += (int)extra;
    UpdateScrollState();
    Invalidate();
}

void CGridCtrl::ShiftSelection(BOOL bRows, int at, int delta)
{
    std::set<std::pair<int, int>> moved;
    for (const auto& [r, c] : m_selected) {
        int k = bRows ? r : c;
        if (delta < 0 && k == at) continue; // the deleted row or column
        if (k >= at) k += delta;
        moved.insert(bRows ? std::make_pair(k, c) : std::make_pair(r, k));
    }
    m_selected.swap(moved);
    int& f = bRows ? m_idCurrentCell.row : m_idCurrentCell.col;
    if (f >= 0) {
        if (delta < 0 && f == at)
            m_idCurrentCell = CCellID();
        else if (f >= at)
            f += delta;
    }
}

int CGridCtrl::InsertRow(LPCTSTR strHeading, int nRow)
{
    if (nRow >= m_nRows) return -1;
    if (m_idEditCell.IsValid()) EndEditing(FALSE);
    if (m_nCols == 0) SetColumnCount(1);
    const int at = nRow < 0 ? m_nRows : nRow;
    ShiftSelection(TRUE, at, 1);
    m_arRowHeights.insert(m_arRowHeights.begin() + at, m_cellDefault.GetHeight());
    if (!m_bVirtualMode) {
        std::vector<CGridCellBase*> cells(m_nCols, nullptr);
        for (int c = 0; c < m_nCols; ++c) cells[c] = CreateCell(at, c);
        m_RowData.insert(m_RowData.begin() + at, std::move(cells));
    }
    ++m_nRows;
    UpdateFixedStates();
    SetItemText(at, 0, strHeading);
    UpdateScrollState();
    return at;
}

int CGridCtrl::InsertColumn(LPCTSTR strHeading, UINT nFormat, int nColumn)
{
    if (nColumn >= m_nCols) return -1;
    if (m_idEditCell.IsValid()) EndEditing(FALSE);
    if (m_nRows == 0) SetRowCount(1);
    const int at = nColumn < 0 ? m_nCols : nColumn;
    ShiftSelection(FALSE, at, 1);
    m_arColWidths.insert(m_arColWidths.begin() + at, m_cellDefault.GetWidth());
    if (!m_bVirtualMode)
        for (int r = 0; r < (int)m_RowData.size(); ++r)
            m_RowData[r].insert(m_RowData[r].begin() + at, CreateCell(r, at));
    ++m_nCols;
    UpdateFixedStates();
    SetItemText(0, at, strHeading);
    SetItemFormat(0, at, nFormat);
    UpdateScrollState();
    return at;
}

BOOL CGridCtrl::DeleteRow(int nRow)
{
    if (nRow < 0 || nRow >= m_nRows) return FALSE;
    if (m_idEditCell.IsValid()) EndEditing(FALSE);
    if (!m_bVirtualMode && nRow < (int)m_RowData.size()) {
        for (int c = 0; c < (int)m_RowData[nRow].size(); ++c) DestroyCell(nRow, c);
        m_RowData.erase(m_RowData.begin() + nRow);
    }
    m_arRowHeights.erase(m_arRowHeights.begin() + nRow);
    ShiftSelection(TRUE, nRow, -1);
    if (nRow < m_nFixedRows) --m_nFixedRows;
    --m_nRows;
    UpdateFixedStates();
    UpdateScrollState();
    return TRUE;
}

BOOL CGridCtrl::DeleteColumn(int nColumn)
{
    if (nColumn < 0 || nColumn >= m_nCols) return FALSE;
    if (m_idEditCell.IsValid()) EndEditing(FALSE);
    if (!m_bVirtualMode)
        for (int r = 0; r < (int)m_RowData.size(); ++r) {
            DestroyCell(r, nColumn);
            m_RowData[r].erase(m_RowData[r].begin() + nColumn);
        }
    m_arColWidths.erase(m_arColWidths.begin() + nColumn);
    ShiftSelection(FALSE, nColumn, -1);
    if (nColumn < m_nFixedCols) --m_nFixedCols;
    --m_nCols;
    UpdateFixedStates();
    UpdateScrollState();
    return TRUE;
}

BOOL CGridCtrl::DeleteNonFixedRows()
{
    const BOOL ok = SetRowCount(m_nFixedRows);
    m_nVScrollPos = 0;
    return ok;
}

BOOL CGridCtrl::DeleteAllItems()
{
    if (m_idEditCell.IsValid()) EndEditing(FALSE);
    for (int r = 0; r < (int)m_RowData.size(); ++r)
        for (int c = 0; c < (int)m_RowData[r].size(); ++c) DestroyCell(r, c);
    m_RowData.clear();
    m_arRowHeights.clear();
    m_arColWidths.clear();
    m_selected.clear();
    m_idCurrentCell = CCellID();
    m_nRows = m_nCols = m_nFixedRows = m_nFixedCols = 0;
    m_nVScrollPos = m_nHScrollPos = 0;
    UpdateScrollState();
    return TRUE;
}

// ---------------------------------------------------------------------------------------
// Cells

CGridCellBase* CGridCtrl::GetCell(int nRow, int nCol) const
{
    if (nRow < 0 || nRow >= m_nRows || nCol < 0 || nCol >= m_nCols) return nullptr;
    if (!m_bVirtualMode) return StoredCell(nRow, nCol);

    auto* self = const_cast<CGridCtrl*>(this);
    if (!self->m_pDispInfo) self->m_pDispInfo = std::make_unique<GV_DISPINFO>();
    if (!self->m_pVirtualCell) self->m_pVirtualCell = std::make_unique<CGridCell>();
    GV_DISPINFO& di = *self->m_pDispInfo;
    const CGridDefaultCell* pDef = GetDefaultCell(nRow < m_nFixedRows, nCol < m_nFixedCols);
    di.hdr = NMHDR{};
    di.item.row = nRow;
    di.item.col = nCol;
    di.item.mask = 0xFFFFFFFFu;
    di.item.nState = 0;
    di.item.nFormat = pDef->GetFormat();
    di.item.iImage = pDef->GetImage();
    di.item.crBkClr = pDef->GetBackClr();
    di.item.crFgClr = pDef->GetTextClr();
    di.item.lParam = pDef->GetData();
    std::memcpy(&di.item.lfFont, pDef->GetFont(), sizeof(LOGFONT));
    di.item.nMargin = pDef->GetMargin();
    di.item.strText.Empty();
    if (IsCellSelected(nRow, nCol)) di.item.nState |= GVIS_SELECTED;
    if (nRow < m_nFixedRows) di.item.nState |= GVIS_FIXED | GVIS_FIXEDROW;
    if (nCol < m_nFixedCols) di.item.nState |= GVIS_FIXED | GVIS_FIXEDCOL;
    if (CCellID(nRow, nCol) == m_idCurrentCell) di.item.nState |= GVIS_FOCUSED;

    if (m_pfnCallback)
        m_pfnCallback(&di, m_lParam);
    else
        SendDisplayRequestToParent(&di);

    CGridCell& cell = *self->m_pVirtualCell;
    cell.SetState(di.item.nState);
    cell.SetFormat(di.item.nFormat);
    cell.SetImage(di.item.iImage);
    cell.SetBackClr(di.item.crBkClr);
    cell.SetTextClr(di.item.crFgClr);
    cell.SetData(di.item.lParam);
    cell.SetFont(&di.item.lfFont);
    cell.SetMargin(di.item.nMargin);
    cell.SetText(di.item.strText);
    cell.SetGrid(self);
    return &cell;
}

BOOL CGridCtrl::SetCell(int nRow, int nCol, CGridCellBase* pCell)
{
    if (m_bVirtualMode) return FALSE;
    if (nRow < 0 || nRow >= m_nRows || nCol < 0 || nCol >= m_nCols) return FALSE;
    if (nRow >= (int)m_RowData.size() || nCol >= (int)m_RowData[nRow].size()) return FALSE;
    if (!pCell) return FALSE;
    pCell->SetCoords(nRow, nCol);
    // The cell draws through its grid and takes the look of its row and column kind.
    pCell->SetGrid(this);
    const UINT fixedMask = GVIS_FIXED | GVIS_FIXEDROW | GVIS_FIXEDCOL;
    pCell->SetState((pCell->GetState() & ~fixedMask) | FixedBits(nRow, nCol));
    if (m_RowData[nRow][nCol] != pCell) delete m_RowData[nRow][nCol];
    m_RowData[nRow][nCol] = pCell;
    return TRUE;
}

BOOL CGridCtrl::SetCellType(int nRow, int nCol, CRuntimeClass* pRuntimeClass)
{
    if (!pRuntimeClass || !pRuntimeClass->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase))) return FALSE;
    CGridCellBase* pOld = StoredCell(nRow, nCol);
    if (m_bVirtualMode || !pOld) return FALSE;
    auto* pNew = static_cast<CGridCellBase*>(pRuntimeClass->CreateObject());
    if (!pNew) return FALSE;
    pNew->SetGrid(this);
    *pNew = *pOld;
    return SetCell(nRow, nCol, pNew);
}

void CGridCtrl::SetDefaultCellType(CRuntimeClass* pRuntimeClass)
{
    if (pRuntimeClass && pRuntimeClass->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase))) m_pRtcDefault = pRuntimeClass;
}

BOOL CGridCtrl::SetItem(const GV_ITEM* pItem)
{
    if (!pItem || m_bVirtualMode) return FALSE;
    CGridCellBase* pCell = StoredCell(pItem->row, pItem->col);
    if (!pCell) return FALSE;
    if (pItem->mask & GVIF_TEXT) pCell->SetText(pItem->strText);
    if (pItem->mask & GVIF_PARAM) pCell->SetData(pItem->lParam);
    if (pItem->mask & GVIF_IMAGE) pCell->SetImage(pItem->iImage);
    if (pItem->mask & GVIF_STATE) SetItemState(pItem->row, pItem->col, pItem->nState);
    if (pItem->mask & GVIF_FORMAT) pCell->SetFormat(pItem->nFormat);
    if (pItem->mask & GVIF_BKCLR) pCell->SetBackClr(pItem->crBkClr);
    if (pItem->mask & GVIF_FGCLR) pCell->SetTextClr(pItem->crFgClr);
    if (pItem->mask & GVIF_FONT) pCell->SetFont(&pItem->lfFont);
    if (pItem->mask & GVIF_MARGIN) pCell->SetMargin(pItem->nMargin);
    return TRUE;
}

BOOL CGridCtrl::GetItem(GV_ITEM* pItem)
{
    if (!pItem) return FALSE;
    CGridCellBase* pCell = GetCell(pItem->row, pItem->col);
    if (!pCell) return FALSE;
    if (pItem->mask & GVIF_TEXT) pItem->strText = pCell->GetText();
    if (pItem->mask & GVIF_PARAM) pItem->lParam = pCell->GetData();
    if (pItem->mask & GVIF_IMAGE) pItem->iImage = pCell->GetImage();
    if (pItem->mask & GVIF_STATE) pItem->nState = pCell->GetState();
    if (pItem->mask & GVIF_FORMAT) pItem->nFormat = pCell->GetFormat();
    if (pItem->mask & GVIF_BKCLR) pItem->crBkClr = pCell->GetBackClr();
    if (pItem->mask & GVIF_FGCLR) pItem->crFgClr = pCell->GetTextClr();
    if (pItem->mask & GVIF_FONT) {
        if (const LOGFONT* lf = pCell->GetFont()) std::memcpy(&pItem->lfFont, lf, sizeof(LOGFONT));
    }
    if (pItem->mask & GVIF_MARGIN) pItem->nMargin = pCell->GetMargin();
    return TRUE;
}

BOOL CGridCtrl::SetItemText(int nRow, int nCol, LPCTSTR str)
{
    if (m_bVirtualMode) return FALSE;
    CGridCellBase* pCell = StoredCell(nRow, nCol);
    if (!pCell) return FALSE;
    pCell->SetText(str ? str : "");
    return TRUE;
}

CString CGridCtrl::GetItemText(int nRow, int nCol) const
{
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? CString(pCell->GetText()) : CString();
}

BOOL CGridCtrl::SetItemData(int nRow, int nCol, LPARAM lParam)
{
    CGridCellBase* pCell = m_bVirtualMode ? nullptr : StoredCell(nRow, nCol);
    if (!pCell) return FALSE;
    pCell->SetData(lParam);
    return TRUE;
}

LPARAM CGridCtrl::GetItemData(int nRow, int nCol) const
{
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? pCell->GetData() : 0;
}

BOOL CGridCtrl::SetItemImage(int nRow, int nCol, int iImage)
{
    CGridCellBase* pCell = m_bVirtualMode ? nullptr : StoredCell(nRow, nCol);
    if (!pCell) return FALSE;
    pCell->SetImage(iImage);
    return TRUE;
}

int CGridCtrl::GetItemImage(int nRow, int nCol) const
{
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? pCell->GetImage() : -1;
}

UINT CGridCtrl::StateOf(int nRow, int nCol) const
{
    if (!IsValid(nRow, nCol)) return 0;
    if (!m_bVirtualMode) {
        const CGridCellBase* p = StoredCell(nRow, nCol);
        return p ? (UINT)p->GetState() : 0;
    }
    UINT s = FixedBits(nRow, nCol);
    if (IsCellSelected(nRow, nCol)) s |= GVIS_SELECTED;
    if (CCellID(nRow, nCol) == m_idCurrentCell) s |= GVIS_FOCUSED;
    return s;
}

void CGridCtrl::MarkSelected(int nRow, int nCol, BOOL bSelected)
{
    if (bSelected)
        m_selected.insert({nRow, nCol});
    else
        m_selected.erase({nRow, nCol});
    if (CGridCellBase* p = m_bVirtualMode ? nullptr : StoredCell(nRow, nCol)) {
        const DWORD s = p->GetState();
        p->SetState(bSelected ? (s | GVIS_SELECTED) : (s & ~GVIS_SELECTED));
    }
}

BOOL CGridCtrl::SetItemState(int nRow, int nCol, UINT state)
{
    if (!IsValid(nRow, nCol)) return FALSE;
    MarkSelected(nRow, nCol, (state & GVIS_SELECTED) != 0);
    // Callers select the cells of a row with state 2 after making it current: the focus
    // moves when asked for and is never taken away by a state without it.
    if (state & GVIS_FOCUSED) SetFocusCell(nRow, nCol);
    if (CGridCellBase* p = m_bVirtualMode ? nullptr : StoredCell(nRow, nCol)) {
        // The fixed bits follow from the position, the focus bit from the focus cell; the
        // others are the caller's.
        const UINT keep = GVIS_FIXED | GVIS_FIXEDROW | GVIS_FIXEDCOL | GVIS_FOCUSED;
        const UINT focus = CCellID(nRow, nCol) == m_idCurrentCell ? GVIS_FOCUSED : 0u;
        p->SetState((state & ~keep) | FixedBits(nRow, nCol) | focus);
    }
    return TRUE;
}

UINT CGridCtrl::GetItemState(int nRow, int nCol) const
{
    return StateOf(nRow, nCol);
}

BOOL CGridCtrl::SetItemFormat(int nRow, int nCol, UINT nFormat)
{
    CGridCellBase* pCell = m_bVirtualMode ? nullptr : StoredCell(nRow, nCol);
    if (!pCell) return FALSE;
    pCell->SetFormat(nFormat);
    return TRUE;
}

UINT CGridCtrl::GetItemFormat(int nRow, int nCol) const
{
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? (UINT)pCell->GetFormat() : 0;
}

BOOL CGridCtrl::SetItemBkColour(int nRow, int nCol, COLORREF cr)
{
    CGridCellBase* pCell = m_bVirtualMode ? nullptr : StoredCell(nRow, nCol);
    if (!pCell) return FALSE;
    pCell->SetBackClr(cr);
    return TRUE;
}

COLORREF CGridCtrl::GetItemBkColour(int nRow, int nCol) const
{
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? pCell->GetBackClr() : CLR_DEFAULT;
}

BOOL CGridCtrl::SetItemFgColour(int nRow, int nCol, COLORREF cr)
{
    CGridCellBase* pCell = m_bVirtualMode ? nullptr : StoredCell(nRow, nCol);
    if (!pCell) return FALSE;
    pCell->SetTextClr(cr);
    return TRUE;
}

COLORREF CGridCtrl::GetItemFgColour(int nRow, int nCol) const
{
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? pCell->GetTextClr() : CLR_DEFAULT;
}

BOOL CGridCtrl::SetItemFont(int nRow, int nCol, const LOGFONT* lf)
{
    CGridCellBase* pCell = m_bVirtualMode ? nullptr : StoredCell(nRow, nCol);
    if (!pCell) return FALSE;
    pCell->SetFont(lf);
    return TRUE;
}

const LOGFONT* CGridCtrl::GetItemFont(int nRow, int nCol)
{
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? pCell->GetFont() : m_cellDefault.GetFont();
}

BOOL CGridCtrl::IsItemEditing(int nRow, int nCol)
{
    return m_idEditCell.IsValid() && m_idEditCell == CCellID(nRow, nCol);
}

CSize CGridCtrl::GetTextExtent(int nRow, int nCol, LPCTSTR str)
{
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    const LOGFONT* lf = pCell ? pCell->GetFont() : m_cellDefault.GetFont();
    const int margin = (int)(pCell ? pCell->GetMargin() : m_cellDefault.GetMargin());
    CDC dc;
    if (!dc.CreateCompatibleDC(nullptr)) return CSize(0, 0);
    CFont font;
    CFont* old = nullptr;
    if (lf && font.CreateFontIndirect(lf)) old = dc.SelectObject(&font);
    CSize size = dc.GetTextExtent(str ? str : "", -1);
    if (old) dc.SelectObject(old);
    size.cx += 2 * margin;
    size.cy += 2 * margin;
    return size;
}

// ---------------------------------------------------------------------------------------
// Selection and focus

CCellID CGridCtrl::SetFocusCell(CCellID cell)
{
    const CCellID old = m_idCurrentCell;
    if (cell == old) return old;
    if (CGridCellBase* p = m_bVirtualMode ? nullptr : StoredCell(old.row, old.col))
        p->SetState(p->GetState() & ~GVIS_FOCUSED);
    m_idCurrentCell = IsValid(cell.row, cell.col) ? cell : CCellID();
    if (CGridCellBase* p = m_bVirtualMode ? nullptr : StoredCell(m_idCurrentCell.row, m_idCurrentCell.col))
        p->SetState(p->GetState() | GVIS_FOCUSED);
    if (GetSafeHwnd()) Invalidate(FALSE);
    return old;
}

BOOL CGridCtrl::IsCellSelected(int nRow, int nCol) const
{
    return m_selected.count({nRow, nCol}) != 0;
}

void CGridCtrl::ResetSelectedRange()
{
    const auto cells = m_selected;
    for (const auto& [r, c] : cells) MarkSelected(r, c, FALSE);
    m_selected.clear();
}

void CGridCtrl::SetSelectedRange(const CCellRange& Range, BOOL bForceRepaint)
{
    SetSelectedRange(Range.GetMinRow(), Range.GetMinCol(), Range.GetMaxRow(), Range.GetMaxCol(), bForceRepaint);
}

void CGridCtrl::SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, BOOL bForceRepaint)
{
    ResetSelectedRange();
    if (m_bEnableSelection) {
        nMinRow = std::max(nMinRow, 0);
        nMinCol = std::max(nMinCol, 0);
        nMaxRow = std::min(nMaxRow, m_nRows - 1);
        nMaxCol = std::min(nMaxCol, m_nCols - 1);
        for (int r = nMinRow; r <= nMaxRow; ++r)
            for (int c = nMinCol; c <= nMaxCol; ++c) MarkSelected(r, c, TRUE);
    }
    if (bForceRepaint && GetSafeHwnd()) UpdateWindow();
}

CCellRange CGridCtrl::GetSelectedCellRange() const
{
    if (m_selected.empty()) return CCellRange();
    CCellRange r(m_nRows, m_nCols, -1, -1);
    for (const auto& [row, col] : m_selected) {
        r.SetMinRow(std::min(r.GetMinRow(), row));
        r.SetMinCol(std::min(r.GetMinCol(), col));
        r.SetMaxRow(std::max(r.GetMaxRow(), row));
        r.SetMaxCol(std::max(r.GetMaxCol(), col));
    }
    return r;
}

CCellRange CGridCtrl::GetCellRange() const
{
    return CCellRange(0, 0, m_nRows - 1, m_nCols - 1);
}

void CGridCtrl::SelectRow(int row)
{
    if (row < 0 || row >= m_nRows) return;
    const int first = m_nFixedCols < m_nCols ? m_nFixedCols : 0;
    SetSelectedRange(row, first, row, m_nCols - 1);
    SetFocusCell(row, first);
}

void CGridCtrl::SelectAllCells()
{
    SetSelectedRange(m_nFixedRows, m_nFixedCols, m_nRows - 1, m_nCols - 1);
}

int CGridCtrl::GetNextRow(int nRow, UINT nFlags) const
{
    const UINT want = nFlags & 0xFFu;
    const int step = (nFlags & GVNI_ABOVE) ? -1 : 1;
    int r = nRow < 0 ? (step > 0 ? 0 : m_nRows - 1) : nRow + step;
    for (; r >= 0 && r < m_nRows; r += step) {
        if (want == 0) return r;
        if (want == GVNI_SELECTED) {
            // Selection is kept by cell: look it up without visiting every cell.
            auto it = m_selected.lower_bound({r, 0});
            if (it != m_selected.end() && it->first == r) return r;
            continue;
        }
        for (int c = 0; c < m_nCols; ++c)
            if (StateOf(r, c) & want) return r;
    }
    return -1;
}

CCellID CGridCtrl::GetNextItem(CCellID& cell, int nFlags) const
{
    const UINT want = (UINT)nFlags & 0xFFu;
    const bool right = ((UINT)nFlags & GVNI_TORIGHT) != 0;
    int r = cell.row, c = cell.col;
    if (right) {
        for (int cc = c + 1; r >= 0 && r < m_nRows && cc < m_nCols; ++cc)
            if (want == 0 || (StateOf(r, cc) & want)) return CCellID(r, cc);
        return CCellID();
    }
    const int row = GetNextRow(r, (UINT)nFlags);
    if (row < 0) return CCellID();
    for (int cc = 0; cc < m_nCols; ++cc)
        if (want == 0 || (StateOf(row, cc) & want)) return CCellID(row, cc);
    return CCellID();
}

void CGridCtrl::SetListMode(BOOL bEnableListMode)
{
    if (bEnableListMode != m_bListMode) ResetSelectedRange();
    m_bListMode = bEnableListMode;
}

// ---------------------------------------------------------------------------------------
// Virtual mode

void CGridCtrl::SetVirtualMode(BOOL bVirtual)
{
    if (bVirtual == m_bVirtualMode) return;
    if (m_idEditCell.IsValid()) EndEditing(FALSE);
    ResetSelectedRange();
    if (bVirtual) {
        for (int r = 0; r < (int)m_RowData.size(); ++r)
            for (int c = 0; c < (int)m_RowData[r].size(); ++c) DestroyCell(r, c);
        m_RowData.clear();
        m_bVirtualMode = TRUE;
    } else {
        m_bVirtualMode = FALSE;
        m_RowData.assign(m_nRows, {});
        for (int r = 0; r < m_nRows; ++r) {
            m_RowData[r].assign(m_nCols, nullptr);
            for (int c = 0; c < m_nCols; ++c) m_RowData[r][c] = CreateCell(r, c);
        }
        if (m_idCurrentCell.IsValid())
            if (CGridCellBase* p = StoredCell(m_idCurrentCell.row, m_idCurrentCell.col))
                p->SetState(p->GetState() | GVIS_FOCUSED);
    }
}

void CGridCtrl::SendDisplayRequestToParent(GV_DISPINFO* pDisplayInfo) const
{
    if (!pDisplayInfo || !GetSafeHwnd()) return;
    vyr::NotifyParent(GetSafeHwnd(), &pDisplayInfo->hdr, GVN_GETDISPINFO);
}

LRESULT CGridCtrl::SendMessageToParent(int nRow, int nCol, int nMessage) const
{
    if (!GetSafeHwnd()) return 0;
    NM_GRIDVIEW nmgv{};
    nmgv.iRow = nRow;
    nmgv.iColumn = nCol;
    return vyr::NotifyParent(GetSafeHwnd(), &nmgv.hdr, (UINT)nMessage);
}

// ---------------------------------------------------------------------------------------
// Editing

BOOL CGridCtrl::EditCell(int nRow, int nCol, UINT nChar)
{
    if (!IsValid(nRow, nCol) || !m_bEditable || !GetSafeHwnd()) return FALSE;
    if (nRow < m_nFixedRows || nCol < m_nFixedCols) return FALSE;
    if (StateOf(nRow, nCol) & GVIS_READONLY) return FALSE;
    if (m_idEditCell.IsValid() && !EndEditing(TRUE)) return FALSE;
    EnsureVisible(nRow, nCol);
    if ((int)SendMessageToParent(nRow, nCol, (int)GVN_BEGINLABELEDIT) < 0) return FALSE;
    // The parent may have changed the grid while it was asked.
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!pCell) return FALSE;
    CRect rect;
    GetCellRect(nRow, nCol, &rect);
    m_idEditCell = CCellID(nRow, nCol);
    m_strEditOldText = pCell->GetText();
    SetFocusCell(nRow, nCol);
    if (!pCell->Edit(nRow, nCol, rect, CPoint(-1, -1), IDC_INPLACE_CONTROL, nChar)) {
        m_idEditCell = CCellID();
        return FALSE;
    }
    return TRUE;
}

BOOL CGridCtrl::EndEditing(BOOL bUpdate)
{
    if (!m_idEditCell.IsValid()) return TRUE;
    if (auto* pEdit = dynamic_cast<CInPlaceEdit*>(GetSafeHwnd() ? GetDlgItem(IDC_INPLACE_CONTROL) : nullptr)) {
        pEdit->EndEdit(!bUpdate);
    } else {
        OnEndInPlaceEdit(m_idEditCell.row, m_idEditCell.col, m_strEditOldText, TRUE);
    }
    return m_bLastEditAccepted;
}

void CGridCtrl::OnEndInPlaceEdit(int nRow, int nCol, const CString& strText, BOOL bCancel)
{
    const CString oldText = m_strEditOldText;
    m_idEditCell = CCellID();
    m_strEditOldText.Empty();
    if (CGridCellBase* pCell = StoredCell(nRow, nCol)) pCell->OnEndEdit();
    else if (m_bVirtualMode && m_pVirtualCell) m_pVirtualCell->OnEndEdit();
    m_bLastEditAccepted = TRUE;
    if (bCancel || !IsValid(nRow, nCol)) return;

    // The cell shows the new text while the parent decides; a refusal puts the old one back.
    const UINT oldState = StateOf(nRow, nCol);
    SetItemText(nRow, nCol, strText);
    if (!m_bVirtualMode) SetItemState(nRow, nCol, oldState | GVIS_MODIFIED);
    // The request carries the typed text: a virtual grid keeps no text of its own, and
    // its parent would otherwise lose what the user typed. Its row and column sit where
    // NM_GRIDVIEW has them, so handlers written for either read the cell.
    GV_DISPINFO end{};
    end.item.row = nRow;
    end.item.col = nCol;
    end.item.mask = GVIF_TEXT;
    end.item.strText = strText;
    if ((int)vyr::NotifyParent(GetSafeHwnd(), &end.hdr, GVN_ENDLABELEDIT) < 0) {
        m_bLastEditAccepted = FALSE;
        // The parent may have rebuilt the grid; put the text back only where it still applies.
        if (IsValid(nRow, nCol) && GetItemText(nRow, nCol) == strText) {
            SetItemText(nRow, nCol, oldText);
            if (!m_bVirtualMode) SetItemState(nRow, nCol, StateOf(nRow, nCol) & ~GVIS_MODIFIED);
        }
    }
    if (GetSafeHwnd()) Invalidate(FALSE);
}

// ---------------------------------------------------------------------------------------
// Geometry and scrolling

BOOL CGridCtrl::GetCellRect(int nRow, int nCol, LPRECT pRect)
{
    if (!IsValid(nRow, nCol) || !pRect) return FALSE;
    int x = 0, y = 0;
    for (int c = 0; c < nCol; ++c) x += m_arColWidths[c];
    for (int r = 0; r < nRow; ++r) y += m_arRowHeights[r];
    if (nCol >= m_nFixedCols) x -= m_nHScrollPos;
    if (nRow >= m_nFixedRows) y -= m_nVScrollPos;
    pRect->left = x;
    pRect->top = y;
    pRect->right = x + m_arColWidths[nCol];
    pRect->bottom = y + m_arRowHeights[nRow];
    return TRUE;
}

CCellID CGridCtrl::GetCellFromPt(CPoint point) const
{
    auto find = [](const std::vector<int>& sizes, int fixed, int scroll, int p) {
        int pos = 0;
        for (int i = 0; i < (int)sizes.size(); ++i) {
            const int start = pos - (i >= fixed ? scroll : 0);
            if (i == fixed) {
                // Scrolled cells hide under the fixed ones.
                int fixedEnd = 0;
                for (int k = 0; k < fixed; ++k) fixedEnd += sizes[k];
                if (p < fixedEnd) return -1;
            }
            if (p >= start && p < start + sizes[i]) return i;
            pos += sizes[i];
        }
        return -1;
    };
    const int col = find(m_arColWidths, m_nFixedCols, m_nHScrollPos, point.x);
    const int row = find(m_arRowHeights, m_nFixedRows, m_nVScrollPos, point.y);
    if (row < 0 || col < 0) return CCellID();
    return CCellID(row, col);
}

BOOL CGridCtrl::IsCellVisible(int nRow, int nCol)
{
    if (!GetSafeHwnd()) return FALSE;
    CRect rc, client;
    if (!GetCellRect(nRow, nCol, &rc)) return FALSE;
    GetClientRect(&client);
    int fixedH = 0, fixedW = 0;
    for (int r = 0; r < m_nFixedRows; ++r) fixedH += m_arRowHeights[r];
    for (int c = 0; c < m_nFixedCols; ++c) fixedW += m_arColWidths[c];
    const int top = nRow < m_nFixedRows ? 0 : fixedH;
    const int left = nCol < m_nFixedCols ? 0 : fixedW;
    return rc.top >= top && rc.bottom <= client.bottom && rc.left >= left && rc.right <= client.right;
}

void CGridCtrl::EnsureVisible(int nRow, int nCol)
{
    if (!GetSafeHwnd() || !IsValid(nRow, nCol)) return;
    CRect client, rc;
    GetClientRect(&client);
    int fixedH = 0, fixedW = 0;
    for (int r = 0; r < m_nFixedRows; ++r) fixedH += m_arRowHeights[r];
    for (int c = 0; c < m_nFixedCols; ++c) fixedW += m_arColWidths[c];
    GetCellRect(nRow, nCol, &rc);
    if (nRow >= m_nFixedRows) {
        if (rc.top < fixedH)
            m_nVScrollPos -= fixedH - rc.top;
        else if (rc.bottom > client.bottom && rc.Height() <= client.bottom - fixedH)
            m_nVScrollPos += rc.bottom - client.bottom;
    }
    if (nCol >= m_nFixedCols) {
        if (rc.left < fixedW)
            m_nHScrollPos -= fixedW - rc.left;
        else if (rc.right > client.right && rc.Width() <= client.right - fixedW)
            m_nHScrollPos += rc.right - client.right;
    }
    m_nVScrollPos = std::max(m_nVScrollPos, 0);
    m_nHScrollPos = std::max(m_nHScrollPos, 0);
    Invalidate(FALSE);
}

int CGridCtrl::GetScrollPos32(int nBar) const
{
    return nBar == SB_HORZ ? m_nHScrollPos : m_nVScrollPos;
}

BOOL CGridCtrl::SetScrollPos32(int nBar, int nPos, BOOL bRedraw)
{
    if (nPos < 0) nPos = 0;
    if (nBar == SB_HORZ)
        m_nHScrollPos = nPos;
    else
        m_nVScrollPos = nPos;
    if (bRedraw && GetSafeHwnd()) Invalidate(FALSE);
    return TRUE;
}

void CGridCtrl::UpdateScrollState()
{
    if (!GetSafeHwnd()) {
        m_nBarState = GVL_NONE;
        return;
    }
    CRect client;
    GetClientRect(&client);
    m_nBarState = GVL_NONE;
    if (GetVirtualHeight() > client.Height()) m_nBarState |= GVL_VERT;
    if (GetVirtualWidth() > client.Width()) m_nBarState |= GVL_HORZ;
    const int maxV = std::max(0L, GetVirtualHeight() - client.Height());
    const int maxH = std::max(0L, GetVirtualWidth() - client.Width());
    m_nVScrollPos = std::min(m_nVScrollPos, maxV);
    m_nHScrollPos = std::min(m_nHScrollPos, maxH);
}

void CGridCtrl::Refresh()
{
    if (GetSafeHwnd()) {
        Invalidate();
        UpdateWindow();
    }
}

// ---------------------------------------------------------------------------------------
// Drawing

void CGridCtrl::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, m_crGridBkColour);
    int fixedH = 0, fixedW = 0;
    for (int r = 0; r < m_nFixedRows; ++r) fixedH += m_arRowHeights[r];
    for (int c = 0; c < m_nFixedCols; ++c) fixedW += m_arColWidths[c];

    // The visible rows and columns with their positions.
    std::vector<std::pair<int, int>> rows, cols;
    int y = 0;
    for (int r = 0; r < m_nRows; ++r) {
        const int top = y - (r >= m_nFixedRows ? m_nVScrollPos : 0);
        y += m_arRowHeights[r];
        const int bottom = top + m_arRowHeights[r];
        if (bottom <= (r >= m_nFixedRows ? fixedH : 0) || top >= client.bottom) continue;
        rows.push_back({r, top});
    }
    int x = 0;
    for (int c = 0; c < m_nCols; ++c) {
        const int left = x - (c >= m_nFixedCols ? m_nHScrollPos : 0);
        x += m_arColWidths[c];
        const int right = left + m_arColWidths[c];
        if (right <= (c >= m_nFixedCols ? fixedW : 0) || left >= client.right) continue;
        cols.push_back({c, left});
    }

    CPen pen(PS_SOLID, 1, m_crGridLineColour);
    // Scrolled cells first, the fixed ones over them.
    for (int pass = 0; pass < 2; ++pass) {
        for (const auto& [r, top] : rows) {
            for (const auto& [c, left] : cols) {
                const bool fixed = r < m_nFixedRows || c < m_nFixedCols;
                if (fixed != (pass == 1)) continue;
                CGridCellBase* pCell = GetCell(r, c);
                if (!pCell) continue;
                CRect rc(left, top, left + m_arColWidths[c], top + m_arRowHeights[r]);
                pDC->SaveDC();
                pDC->IntersectClipRect(&rc);
                pCell->Draw(pDC, r, c, rc, TRUE);
                CPen* old = pDC->SelectObject(&pen);
                if (m_nGridLines & GVL_HORZ) {
                    pDC->MoveTo(rc.left, rc.bottom - 1);
                    pDC->LineTo(rc.right, rc.bottom - 1);
                }
                if (m_nGridLines & GVL_VERT) {
                    pDC->MoveTo(rc.right - 1, rc.top);
                    pDC->LineTo(rc.right - 1, rc.bottom);
                }
                pDC->SelectObject(old);
                pDC->RestoreDC(-1);
            }
        }
    }
}

void CGridCtrl::OnPaint()
{
    CPaintDC dc(this);
    OnDraw(&dc);
}

BOOL CGridCtrl::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE; // painting covers the whole client area
}

void CGridCtrl::OnSize(UINT /*nType*/, int /*cx*/, int /*cy*/)
{
    if (m_idEditCell.IsValid()) EndEditing(TRUE);
    UpdateScrollState();
}

void CGridCtrl::OnDestroy()
{
    if (m_idEditCell.IsValid()) EndEditing(FALSE);
    CWnd::OnDestroy();
}

// ---------------------------------------------------------------------------------------
// Mouse and keyboard

void CGridCtrl::OnUserSelect(CCellID cell, UINT nFlags)
{
    if (!IsValid(cell.row, cell.col)) return;
    const bool fixedRow = cell.row < m_nFixedRows;
    const bool fixedCol = cell.col < m_nFixedCols;
    CCellRange range;
    if (fixedRow && fixedCol) {
        return;
    } else if (fixedRow) {
        if (!m_bFixedRowSelection || m_bListMode) return;
        range = CCellRange(m_nFixedRows, cell.col, m_nRows - 1, cell.col); // the column
    } else if (fixedCol) {
        if (!m_bFixedColumnSelection) return;
        range = CCellRange(cell.row, m_nFixedCols, cell.row, m_nCols - 1); // the row
    } else if (m_bListMode) {
        range = CCellRange(cell.row, m_nFixedCols, cell.row, m_nCols - 1);
    } else {
        range = CCellRange(cell.row, cell.col, cell.row, cell.col);
    }
    if ((int)SendMessageToParent(cell.row, cell.col, (int)GVN_SELCHANGING) < 0) return;
    if (m_bEnableSelection) {
        const bool multi = !(m_bListMode ? m_bSingleRowSelection : FALSE);
        const bool shift = (nFlags & MK_SHIFT) != 0 && multi && m_idCurrentCell.IsValid();
        const bool ctrl = (nFlags & MK_CONTROL) != 0 && multi;
        if (shift) {
            const int r0 = std::min(m_idCurrentCell.row, range.GetMinRow());
            const int r1 = std::max(m_idCurrentCell.row, range.GetMaxRow());
            if (m_bListMode) {
                range = CCellRange(std::max(r0, m_nFixedRows), m_nFixedCols, r1, m_nCols - 1);
            } else {
                range = CCellRange(std::max(r0, m_nFixedRows), std::max(std::min(m_idCurrentCell.col, range.GetMinCol()), m_nFixedCols),
                                   r1, std::max(m_idCurrentCell.col, range.GetMaxCol()));
            }
            SetSelectedRange(range);
        } else if (ctrl) {
            const bool on = !IsCellSelected(cell.row, std::max(cell.col, m_nFixedCols));
            for (int r = range.GetMinRow(); r <= range.GetMaxRow(); ++r)
                for (int c = range.GetMinCol(); c <= range.GetMaxCol(); ++c) MarkSelected(r, c, on);
        } else {
            SetSelectedRange(range);
        }
    }
    if (!fixedRow && !fixedCol) SetFocusCell(cell);
    else if (fixedCol) SetFocusCell(cell.row, std::min(m_nFixedCols, m_nCols - 1));
    Invalidate(FALSE);
    SendMessageToParent(cell.row, cell.col, (int)GVN_SELCHANGED);
}

void CGridCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    const CCellID cell = GetCellFromPt(point);
    if (!cell.IsValid()) return;
    if (m_idEditCell.IsValid()) EndEditing(TRUE);
    CRect rc;
    GetCellRect(cell.row, cell.col, &rc);
    if (CGridCellBase* pCell = m_bVirtualMode ? nullptr : StoredCell(cell.row, cell.col)) {
        if (pCell->OnClick(CPoint(point.x - rc.left, point.y - rc.top))) {
            SendMessageToParent(cell.row, cell.col, (int)NM_CLICK);
            return;
        }
    }
    OnUserSelect(cell, nFlags);
    SendMessageToParent(cell.row, cell.col, (int)NM_CLICK);
}

void CGridCtrl::OnLButtonDblClk(UINT /*nFlags*/, CPoint point)
{
    const CCellID cell = GetCellFromPt(point);
    SendMessageToParent(cell.row, cell.col, (int)NM_DBLCLK);
    if (cell.IsValid() && GetSafeHwnd() && cell.row >= m_nFixedRows && cell.col >= m_nFixedCols)
        EditCell(cell.row, cell.col, VK_LBUTTON);
}

void CGridCtrl::OnRButtonDown(UINT /*nFlags*/, CPoint point)
{
    const CCellID cell = GetCellFromPt(point);
    SendMessageToParent(cell.row, cell.col, (int)NM_RCLICK);
}

void CGridCtrl::OnMouseMove(UINT /*nFlags*/, CPoint point)
{
    if (!m_bTitleTips || !m_TitleTip.GetSafeHwnd()) return;
    const CCellID cell = GetCellFromPt(point);
    if (!cell.IsValid() || IsItemEditing(cell.row, cell.col)) {
        m_TitleTip.Hide();
        return;
    }
    CGridCellBase* pCell = GetCell(cell.row, cell.col);
    if (!pCell) return;
    CRect rc, textRect;
    GetCellRect(cell.row, cell.col, &rc);
    textRect = rc;
    pCell->GetTipTextRect(&textRect);
    m_TitleTip.Show(textRect, pCell->GetTipText(), 0, m_crTTipTextClr, m_crTTipBackClr);
}

BOOL CGridCtrl::OnMouseWheel(UINT /*nFlags*/, short zDelta, CPoint /*pt*/)
{
    const int step = 3 * m_cellDefault.GetHeight();
    SetScrollPos32(SB_VERT, m_nVScrollPos - zDelta / 120 * step);
    UpdateScrollState();
    return TRUE;
}

void CGridCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CCellID next = m_idCurrentCell;
    if (!next.IsValid()) {
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    switch (nChar) {
    case VK_DOWN: next.row = std::min(next.row + 1, m_nRows - 1); break;
    case VK_UP: next.row = std::max(next.row - 1, m_nFixedRows); break;
    case VK_RIGHT: next.col = std::min(next.col + 1, m_nCols - 1); break;
    case VK_LEFT: next.col = std::max(next.col - 1, m_nFixedCols); break;
    case VK_HOME: next.row = m_nFixedRows; break;
    case VK_END: next.row = m_nRows - 1; break;
    case VK_TAB:
        if (!m_bHandleTabKey) return;
        if (next.col + 1 < m_nCols) {
            ++next.col;
        } else if (next.row + 1 < m_nRows) {
            ++next.row;
            next.col = m_nFixedCols;
        }
        break;
    case VK_F2:
    case VK_RETURN:
        // No character was typed: the editor keeps the text (VK_F2 shares its code with 'q').
        EditCell(next.row, next.col, 0);
        return;
    default:
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    if (next != m_idCurrentCell) {
        OnUserSelect(next, 0);
        EnsureVisible(next.row, next.col);
    }
}

void CGridCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar >= 0x20 && nChar != 0x7F && m_idCurrentCell.IsValid() && !m_idEditCell.IsValid()) {
        EditCell(m_idCurrentCell.row, m_idCurrentCell.col, nChar);
        return;
    }
    CWnd::OnChar(nChar, nRepCnt, nFlags);
}

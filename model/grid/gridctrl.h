// CGridCtrl: the editable grid window of the library's panels and dialogs. Rows and
// columns (the first ones may be fixed headings), a text, image, data, state, format,
// colours and font per cell, selection (cells, or whole rows in list mode), a focus cell,
// in-place editing that the parent may refuse, and a virtual mode in which the parent (or
// a callback) supplies every cell when it is needed.
//
// Notifications to the parent (WM_NOTIFY with NM_GRIDVIEW): NM_CLICK, NM_DBLCLK, NM_RCLICK;
// GVN_SELCHANGING before and GVN_SELCHANGED after the user changes the selection;
// GVN_BEGINLABELEDIT before an edit starts and GVN_ENDLABELEDIT after it ended with a new
// text (the cell already shows it; the notification is a GV_DISPINFO whose item holds the
// row, the column and the typed text, readable as NM_GRIDVIEW too): a negative answer to
// either refuses, and a refused end puts the old text back. In virtual mode,
// GVN_GETDISPINFO with a GV_DISPINFO.
#pragma once

#include <memory>
#include <set>
#include <utility>
#include <vector>

#include <vyr/model/grid/cellrange.h>
#include <vyr/model/grid/gridcell.h>
#include <vyr/model/grid/titletip.h>
#include <vyr/stdafx.h>
#include <vyr/wnd.h>

class CImageList;

// Scroll-bar bits of the visibility state.
#define GVL_NONE 0
#define GVL_HORZ 1
#define GVL_VERT 2
#define GVL_BOTH 3

// Auto-size styles.
#define GVS_DEFAULT 0
#define GVS_HEADER 1
#define GVS_DATA 2
#define GVS_BOTH 3

class CGridCtrl : public CWnd
{
    DECLARE_DYNCREATE(CGridCtrl)
public:
    CGridCtrl(int nRows = 0, int nCols = 0, int nFixedRows = 0, int nFixedCols = 0);
    ~CGridCtrl() override;

    BOOL Create(const RECT& rect, CWnd* parent, UINT nID, DWORD dwStyle = WS_CHILD | WS_TABSTOP | WS_VISIBLE);
    using CWnd::Create;

    // The preset look of list-like tables: whole-row selection of one row, no editing,
    // no resizing, left-aligned single-line cells under centred headings.
    void SetListStyle();

    // ---- Size ----
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int GetFixedRowCount() const { return m_nFixedRows; }
    int GetFixedColumnCount() const { return m_nFixedCols; }
    BOOL SetRowCount(int nRows = 10);
    BOOL SetColumnCount(int nCols = 10);
    BOOL SetFixedRowCount(int nFixedRows = 1);
    BOOL SetFixedColumnCount(int nFixedCols = 1);

    int GetRowHeight(int nRow) const;
    BOOL SetRowHeight(int row, int height);
    int GetColumnWidth(int nCol) const;
    BOOL SetColumnWidth(int col, int width);
    long GetVirtualWidth() const;
    long GetVirtualHeight() const;
    // Widens the columns to fill the window (the fixed ones too unless told otherwise).
    void ExpandColumnsToFit(BOOL bExpandFixed = TRUE);
    // Widens the last column to reach the window's right edge.
    void ExpandLastColumn();

    // ---- Rows and columns ----
    // Inserts a row before nRow (at the end for -1) with strHeading in column 0; returns its index or -1.
    int InsertRow(LPCTSTR strHeading, int nRow = -1);
    int InsertColumn(LPCTSTR strHeading, UINT nFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE, int nColumn = -1);
    BOOL DeleteRow(int nRow);
    BOOL DeleteColumn(int nColumn);
    BOOL DeleteNonFixedRows();
    BOOL DeleteAllItems();

    // ---- Cells ----
    // The cell at (nRow, nCol), or null outside the grid. In virtual mode a cell filled for
    // this request, valid until this grid's next virtual-mode GetCell.
    CGridCellBase* GetCell(int nRow, int nCol) const;
    // Stores a cell of the caller's (the grid then owns it); refused in virtual mode,
    // outside the grid or in a row without storage.
    BOOL SetCell(int nRow, int nCol, CGridCellBase* pCell);
    // Replaces the cell at (nRow, nCol) by a new cell of the given class, keeping its properties.
    BOOL SetCellType(int nRow, int nCol, CRuntimeClass* pRuntimeClass);
    void SetDefaultCellType(CRuntimeClass* pRuntimeClass);

    BOOL SetItem(const GV_ITEM* pItem);
    BOOL GetItem(GV_ITEM* pItem);
    BOOL SetItemText(int nRow, int nCol, LPCTSTR str);
    CString GetItemText(int nRow, int nCol) const;
    BOOL SetItemData(int nRow, int nCol, LPARAM lParam);
    LPARAM GetItemData(int nRow, int nCol) const;
    BOOL SetItemImage(int nRow, int nCol, int iImage);
    int GetItemImage(int nRow, int nCol) const;
    BOOL SetItemState(int nRow, int nCol, UINT state);
    UINT GetItemState(int nRow, int nCol) const;
    BOOL SetItemFormat(int nRow, int nCol, UINT nFormat);
    UINT GetItemFormat(int nRow, int nCol) const;
    BOOL SetItemBkColour(int nRow, int nCol, COLORREF cr = CLR_DEFAULT);
    COLORREF GetItemBkColour(int nRow, int nCol) const;
    BOOL SetItemFgColour(int nRow, int nCol, COLORREF cr = CLR_DEFAULT);
    COLORREF GetItemFgColour(int nRow, int nCol) const;
    BOOL SetItemFont(int nRow, int nCol, const LOGFONT* lf);
    const LOGFONT* GetItemFont(int nRow, int nCol);
    BOOL IsItemEditing(int nRow, int nCol);

    CSize GetTextExtent(int nRow, int nCol, LPCTSTR str);
    CSize GetCellTextExtent(int nRow, int nCol) { return GetTextExtent(nRow, nCol, GetItemText(nRow, nCol)); }

    // ---- Default cells and colours ----
    CGridDefaultCell* GetDefaultCell(BOOL bFixedRow, BOOL bFixedCol) const
    {
        if (bFixedRow && bFixedCol) return const_cast<CGridDefaultCell*>(&m_cellFixedRowColDef);
        if (bFixedRow) return const_cast<CGridDefaultCell*>(&m_cellFixedRowDef);
        if (bFixedCol) return const_cast<CGridDefaultCell*>(&m_cellFixedColDef);
        return const_cast<CGridDefaultCell*>(&m_cellDefault);
    }
    void SetTextColor(COLORREF clr) { m_cellDefault.SetTextClr(clr); }
    COLORREF GetTextColor() const { return m_cellDefault.GetTextClr(); }
    void SetTextBkColor(COLORREF clr) { m_cellDefault.SetBackClr(clr); }
    COLORREF GetTextBkColor() const { return m_cellDefault.GetBackClr(); }
    void SetFixedTextColor(COLORREF clr)
    {
        m_cellFixedRowDef.SetTextClr(clr);
        m_cellFixedColDef.SetTextClr(clr);
        m_cellFixedRowColDef.SetTextClr(clr);
    }
    COLORREF GetFixedTextColor() const { return m_cellFixedRowDef.GetTextClr(); }
    void SetFixedBkColor(COLORREF clr)
    {
        m_cellFixedRowDef.SetBackClr(clr);
        m_cellFixedColDef.SetBackClr(clr);
        m_cellFixedRowColDef.SetBackClr(clr);
    }
    COLORREF GetFixedBkColor() const { return m_cellFixedRowDef.GetBackClr(); }
    void SetDefCellMargin(int nMargin)
    {
        m_cellDefault.SetMargin(nMargin);
        m_cellFixedRowDef.SetMargin(nMargin);
        m_cellFixedColDef.SetMargin(nMargin);
        m_cellFixedRowColDef.SetMargin(nMargin);
    }
    int GetDefCellMargin() const { return (int)m_cellDefault.GetMargin(); }
    void SetDefCellHeight(int nHeight)
    {
        m_cellDefault.SetHeight(nHeight);
        m_cellFixedRowDef.SetHeight(nHeight);
        m_cellFixedColDef.SetHeight(nHeight);
        m_cellFixedRowColDef.SetHeight(nHeight);
    }
    int GetDefCellHeight() const { return m_cellDefault.GetHeight(); }
    void SetDefCellWidth(int nWidth)
    {
        m_cellDefault.SetWidth(nWidth);
        m_cellFixedRowDef.SetWidth(nWidth);
        m_cellFixedColDef.SetWidth(nWidth);
        m_cellFixedRowColDef.SetWidth(nWidth);
    }
    int GetDefCellWidth() const { return m_cellDefault.GetWidth(); }

    void SetGridLineColor(COLORREF clr) { m_crGridLineColour = clr; }
    COLORREF GetGridLineColor() const { return m_crGridLineColour; }
    void SetGridColor(COLORREF clr) { SetGridLineColor(clr); }
    COLORREF GetGridColor() const { return GetGridLineColor(); }
    void SetGridBkColor(COLORREF clr) { m_crGridBkColour = clr; }
    COLORREF GetGridBkColor() const { return m_crGridBkColour; }
    void SetBkColor(COLORREF clr) { SetGridBkColor(clr); }
    COLORREF GetBkColor() const { return GetGridBkColor(); }
    void SetTitleTipBackClr(COLORREF clr = CLR_DEFAULT) { m_crTTipBackClr = clr; }
    COLORREF GetTitleTipBackClr() const { return m_crTTipBackClr; }
    void SetTitleTipTextClr(COLORREF clr = CLR_DEFAULT) { m_crTTipTextClr = clr; }
    COLORREF GetTitleTipTextClr() const { return m_crTTipTextClr; }

    // ---- Selection and focus ----
    int GetSelectedCount() const { return (int)m_selected.size(); }
    CCellID GetFocusCell() const { return m_idCurrentCell; }
    CCellID SetFocusCell(CCellID cell);
    CCellID SetFocusCell(int nRow, int nCol) { return SetFocusCell(CCellID(nRow, nCol)); }
    BOOL IsCellSelected(int nRow, int nCol) const;
    BOOL IsCellSelected(CCellID& cell) const { return IsCellSelected(cell.row, cell.col); }
    void ResetSelectedRange();
    void SetSelectedRange(const CCellRange& Range, BOOL bForceRepaint = FALSE);
    void SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, BOOL bForceRepaint = FALSE);
    CCellRange GetSelectedCellRange() const;
    CCellRange GetCellRange() const;
    // Selects that one row (its non-fixed cells) and makes it the focus row.
    void SelectRow(int row);
    void SelectAllCells();
    // The next row after nRow (-1: from the top) holding a cell with one of the state bits
    // of nFlags (GVNI_SELECTED ...); upwards with GVNI_ABOVE. -1 when there is none.
    int GetNextRow(int nRow, UINT nFlags) const;
    CCellID GetNextItem(CCellID& cell, int nFlags) const;

    // ---- Virtual mode ----
    void SetVirtualMode(BOOL bVirtual);
    BOOL GetVirtualMode() const { return m_bVirtualMode; }
    void SetCallbackFunc(GRIDCALLBACK pCallback, LPARAM lParam)
    {
        m_pfnCallback = pCallback;
        m_lParam = lParam;
    }
    GRIDCALLBACK GetCallbackFunc() { return m_pfnCallback; }
    // Sends the request to the parent as WM_NOTIFY GVN_GETDISPINFO.
    void SendDisplayRequestToParent(GV_DISPINFO* pDisplayInfo) const;

    // ---- Editing ----
    // Starts the in-place edit of a cell (nChar: a first typed character, or 0 / VK_LBUTTON).
    BOOL EditCell(int nRow, int nCol, UINT nChar = 0);
    // Ends a running edit, taking the typed text (FALSE: dropping it). TRUE when no edit runs
    // or the new text was accepted.
    BOOL EndEditing(BOOL bUpdate = TRUE);
    // Called by the in-place editor when it ends.
    void OnEndInPlaceEdit(int nRow, int nCol, const CString& strText, BOOL bCancel);

    // ---- Scrolling and geometry ----
    BOOL GetCellRect(int nRow, int nCol, LPRECT pRect);
    BOOL GetCellRect(const CCellID& cell, LPRECT pRect) { return GetCellRect(cell.row, cell.col, pRect); }
    CCellID GetCellFromPt(CPoint point) const;
    BOOL IsCellVisible(int nRow, int nCol);
    void EnsureVisible(int nRow, int nCol);
    void EnsureVisible(CCellID& cell) { EnsureVisible(cell.row, cell.col); }
    int GetScrollPos32(int nBar) const;
    BOOL SetScrollPos32(int nBar, int nPos, BOOL bRedraw = TRUE);
    BOOL IsVisibleVScroll() { return (m_nBarState & GVL_VERT) > 0; }
    BOOL IsVisibleHScroll() { return (m_nBarState & GVL_HORZ) > 0; }
    void Refresh();

    // ---- Flags ----
    void SetImageList(CImageList* pList) { m_pImageList = pList; }
    CImageList* GetImageList() const { return m_pImageList; }
    void SetGridLines(int nWhichLines = GVL_BOTH) { m_nGridLines = nWhichLines; }
    int GetGridLines() const { return m_nGridLines; }
    void SetEditable(BOOL bEditable = TRUE) { m_bEditable = bEditable; }
    BOOL IsEditable() const { return m_bEditable; }
    void SetListMode(BOOL bEnableListMode = TRUE);
    BOOL GetListMode() const { return m_bListMode; }
    void SetSingleRowSelection(BOOL bSing = TRUE) { m_bSingleRowSelection = bSing; }
    BOOL GetSingleRowSelection() { return m_bSingleRowSelection & m_bListMode; }
    void SetSingleColSelection(BOOL bSing = TRUE) { m_bSingleColSelection = bSing; }
    BOOL GetSingleColSelection() { return m_bSingleColSelection; }
    void EnableSelection(BOOL bEnable = TRUE)
    {
        ResetSelectedRange();
        m_bEnableSelection = bEnable;
        ResetSelectedRange();
    }
    BOOL IsSelectable() const { return m_bEnableSelection; }
    void SetFixedColumnSelection(BOOL bSelect) { m_bFixedColumnSelection = bSelect; }
    BOOL GetFixedColumnSelection() { return m_bFixedColumnSelection; }
    void SetFixedRowSelection(BOOL bSelect) { m_bFixedRowSelection = bSelect; }
    BOOL GetFixedRowSelection() { return m_bFixedRowSelection; }
    void EnableDragAndDrop(BOOL bAllow = TRUE) { m_bAllowDragAndDrop = bAllow; }
    BOOL GetDragAndDrop() const { return m_bAllowDragAndDrop; }
    void SetRowResize(BOOL bResize = TRUE) { m_bAllowRowResize = bResize; }
    BOOL GetRowResize() const { return m_bAllowRowResize; }
    void SetColumnResize(BOOL bResize = TRUE) { m_bAllowColumnResize = bResize; }
    BOOL GetColumnResize() const { return m_bAllowColumnResize; }
    void SetHeaderSort(BOOL bSortOnClick = TRUE) { m_bSortOnClick = bSortOnClick; }
    BOOL GetHeaderSort() const { return m_bSortOnClick; }
    void SetHandleTabKey(BOOL bHandleTab = TRUE) { m_bHandleTabKey = bHandleTab; }
    BOOL GetHandleTabKey() const { return m_bHandleTabKey; }
    void SetDoubleBuffering(BOOL bBuffer = TRUE) { m_bDoubleBuffer = bBuffer; }
    BOOL GetDoubleBuffering() const { return m_bDoubleBuffer; }
    void EnableTitleTips(BOOL bEnable = TRUE) { m_bTitleTips = bEnable; }
    BOOL GetTitleTips() { return m_bTitleTips; }
    int GetSortColumn() const { return m_nSortColumn; }
    void SetSortAscending(BOOL bAscending) { m_bAscending = bAscending; }
    BOOL GetSortAscending() const { return m_bAscending; }
    void SetTrackFocusCell(BOOL bTrack) { m_bTrackFocusCell = bTrack; }
    BOOL GetTrackFocusCell() { return m_bTrackFocusCell; }
    void SetFrameFocusCell(BOOL bFrame) { m_bFrameFocus = bFrame; }
    BOOL GetFrameFocusCell() { return m_bFrameFocus; }
    void SetAutoSizeStyle(int nStyle = GVS_BOTH) { m_nAutoSizeColumnStyle = nStyle; }
    int GetAutoSizeStyle() { return m_nAutoSizeColumnStyle; }
    void EnableHiddenColUnhide(BOOL bEnable = TRUE) { m_bHiddenColUnhide = bEnable; }
    BOOL GetHiddenColUnhide() { return m_bHiddenColUnhide; }
    void EnableHiddenRowUnhide(BOOL bEnable = TRUE) { m_bHiddenRowUnhide = bEnable; }
    BOOL GetHiddenRowUnhide() { return m_bHiddenRowUnhide; }
    void EnableColumnHide(BOOL bEnable = TRUE) { m_bAllowColHide = bEnable; }
    BOOL GetColumnHide() { return m_bAllowColHide; }
    void EnableRowHide(BOOL bEnable = TRUE) { m_bAllowRowHide = bEnable; }
    BOOL GetRowHide() { return m_bAllowRowHide; }
    void EnableWysiwygPrinting(BOOL bEnable = TRUE) { m_bWysiwygPrinting = bEnable; }
    BOOL GetWysiwygPrinting() { return m_bWysiwygPrinting; }
    void SetShadedPrintOut(BOOL bEnable = TRUE) { m_bShadedPrintOut = bEnable; }
    BOOL GetShadedPrintOut() { return m_bShadedPrintOut; }
    int GetMouseMode() const { return m_MouseMode; }
    int SetMouseMode(int nMode)
    {
        int nOldMode = m_MouseMode;
        m_MouseMode = nMode;
        return nOldMode;
    }

    // Paints the visible cells into a device context at the window's client origin.
    void OnDraw(CDC* pDC);

protected:
    CGridCellBase* CreateCell(int nRow, int nCol);
    void DestroyCell(int nRow, int nCol);
    CGridCellBase* StoredCell(int nRow, int nCol) const;
    void SelectCells(const CCellRange& range, BOOL bNotify);
    void MarkSelected(int nRow, int nCol, BOOL bSelected);
    void ShiftSelection(BOOL bRows, int at, int delta);
    LRESULT SendMessageToParent(int nRow, int nCol, int nMessage) const;
    void UpdateScrollState();
    void UpdateFixedStates();
    UINT FixedBits(int nRow, int nCol) const;
    // State bits without asking a virtual grid's parent: stored, or selection and focus.
    UINT StateOf(int nRow, int nCol) const;
    BOOL IsValid(int nRow, int nCol) const { return nRow >= 0 && nRow < m_nRows && nCol >= 0 && nCol < m_nCols; }
    void OnUserSelect(CCellID cell, UINT nFlags);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnDestroy();
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    DECLARE_MESSAGE_MAP()

    int m_nRows = 0, m_nCols = 0, m_nFixedRows = 0, m_nFixedCols = 0;
    std::vector<int> m_arRowHeights;
    std::vector<int> m_arColWidths;
    // One storage row of cell pointers per row (unused in virtual mode).
    std::vector<std::vector<CGridCellBase*>> m_RowData;

    CGridDefaultCell m_cellDefault, m_cellFixedColDef, m_cellFixedRowDef, m_cellFixedRowColDef;
    CRuntimeClass* m_pRtcDefault = nullptr;

    COLORREF m_crGridLineColour, m_crGridBkColour;
    COLORREF m_crTTipBackClr = CLR_DEFAULT, m_crTTipTextClr = CLR_DEFAULT;

    CCellID m_idCurrentCell;
    std::set<std::pair<int, int>> m_selected;

    GRIDCALLBACK m_pfnCallback = nullptr;
    LPARAM m_lParam = 0;
    BOOL m_bVirtualMode = FALSE;
    // The request and the cell of this grid's virtual-mode GetCell.
    std::unique_ptr<GV_DISPINFO> m_pDispInfo;
    std::unique_ptr<CGridCell> m_pVirtualCell;

    CImageList* m_pImageList = nullptr;
    int m_nGridLines = GVL_BOTH;
    BOOL m_bEditable = TRUE;
    BOOL m_bListMode = FALSE;
    BOOL m_bSingleRowSelection = FALSE;
    BOOL m_bSingleColSelection = FALSE;
    BOOL m_bEnableSelection = TRUE;
    BOOL m_bFixedColumnSelection = TRUE;
    BOOL m_bFixedRowSelection = TRUE;
    BOOL m_bAllowDragAndDrop = FALSE;
    BOOL m_bAllowRowResize = TRUE;
    BOOL m_bAllowColumnResize = TRUE;
    BOOL m_bSortOnClick = FALSE;
    BOOL m_bHandleTabKey = TRUE;
    BOOL m_bDoubleBuffer = TRUE;
    BOOL m_bTitleTips = TRUE;
    int m_nSortColumn = -1;
    BOOL m_bAscending = TRUE;
    BOOL m_bTrackFocusCell = TRUE;
    BOOL m_bFrameFocus = TRUE;
    int m_nAutoSizeColumnStyle = GVS_BOTH;
    BOOL m_bHiddenColUnhide = TRUE;
    BOOL m_bHiddenRowUnhide = TRUE;
    BOOL m_bAllowColHide = TRUE;
    BOOL m_bAllowRowHide = TRUE;
    BOOL m_bWysiwygPrinting = FALSE;
    BOOL m_bShadedPrintOut = TRUE;
    int m_MouseMode = 0;
    int m_nBarState = GVL_NONE;
    int m_nVScrollPos = 0; // pixels scrolled down
    int m_nHScrollPos = 0; // pixels scrolled right

    CTitleTip m_TitleTip;
    // The cell being edited, (-1, -1) when none.
    CCellID m_idEditCell;
    CString m_strEditOldText;
    BOOL m_bLastEditAccepted = TRUE;
};

// Cells of the grid control and the records through which callers read and write them.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/wnd.h>

class CGridCtrl;

// Item mask bits of GV_ITEM.
#define GVIF_TEXT 0x001u
#define GVIF_IMAGE 0x002u
#define GVIF_PARAM 0x004u
#define GVIF_STATE 0x008u
#define GVIF_BKCLR 0x010u
#define GVIF_FGCLR 0x020u
#define GVIF_FORMAT 0x040u
#define GVIF_FONT 0x080u
#define GVIF_MARGIN 0x100u
#define GVIF_ALL 0x1FFu

// Cell state bits.
#define GVIS_FOCUSED 0x0001u
#define GVIS_SELECTED 0x0002u
#define GVIS_DROPHILITED 0x0004u
#define GVIS_READONLY 0x0008u
#define GVIS_FIXED 0x0010u
#define GVIS_FIXEDROW 0x0020u
#define GVIS_FIXEDCOL 0x0040u
#define GVIS_MODIFIED 0x0080u

// Search flags of GetNextRow / GetNextItem: state bits to look for, and the direction.
#define GVNI_FOCUSED 0x0001u
#define GVNI_SELECTED 0x0002u
#define GVNI_DROPHILITED 0x0004u
#define GVNI_READONLY 0x0008u
#define GVNI_FIXED 0x0010u
#define GVNI_MODIFIED 0x0080u
#define GVNI_ABOVE 0x0100u
#define GVNI_BELOW 0x0200u
#define GVNI_TOLEFT 0x0400u
#define GVNI_TORIGHT 0x0800u
#define GVNI_ALL (GVNI_BELOW | GVNI_TORIGHT)

// Notifications to the parent (WM_NOTIFY), numbered as the list view's so that handlers
// written for either work: selection changing/changed, label edit begin/end, display request.
#define GVN_SELCHANGING LVN_ITEMCHANGING
#define GVN_SELCHANGED LVN_ITEMCHANGED
#define GVN_BEGINLABELEDIT LVN_BEGINLABELEDIT
#define GVN_ENDLABELEDIT LVN_ENDLABELEDIT
#define GVN_GETDISPINFO (0U - 150U)

// Control id of the in-place editor, a child of the grid while a cell is edited.
#define IDC_INPLACE_CONTROL 8

typedef struct _GV_ITEM
{
    int row, col;
    UINT mask;
    UINT nState;
    DWORD nFormat;
    int iImage;
    COLORREF crBkClr;
    COLORREF crFgClr;
    LPARAM lParam;
    LOGFONT lfFont;
    UINT nMargin;
    CString strText;
} GV_ITEM;

typedef struct tagGV_DISPINFO
{
    NMHDR hdr;
    GV_ITEM item;
} GV_DISPINFO;

// The record of the grid's other notifications: the cell concerned (-1 when none).
typedef struct tagNM_GRIDVIEW
{
    NMHDR hdr;
    int iRow;
    int iColumn;
} NM_GRIDVIEW;

// Asked for the contents of a cell in virtual mode; TRUE when it filled the request.
typedef BOOL (*GRIDCALLBACK)(GV_DISPINFO* pDispInfo, LPARAM lParam);

class CGridCellBase : public CObject
{
    DECLARE_DYNAMIC(CGridCellBase)
public:
    CGridCellBase() = default;
    ~CGridCellBase() override = default;

    virtual void SetText(LPCTSTR szText) = 0;
    virtual void SetImage(int nImage) = 0;
    virtual void SetData(LPARAM lParam) = 0;
    virtual void SetState(DWORD nState) { m_nState = nState; }
    virtual void SetFormat(DWORD nFormat) = 0;
    virtual void SetTextClr(COLORREF clr) = 0;
    virtual void SetBackClr(COLORREF clr) = 0;
    virtual void SetFont(const LOGFONT* plf) = 0;
    virtual void SetMargin(UINT nMargin) = 0;
    virtual void SetGrid(CGridCtrl* pGrid) = 0;
    virtual void SetCoords(int /*nRow*/, int /*nCol*/) {}

    virtual LPCTSTR GetText() const = 0;
    virtual LPCTSTR GetTipText() const { return GetText(); }
    virtual int GetImage() const = 0;
    virtual LPARAM GetData() const = 0;
    virtual DWORD GetState() const { return m_nState; }
    virtual DWORD GetFormat() const = 0;
    virtual COLORREF GetTextClr() const = 0;
    virtual COLORREF GetBackClr() const = 0;
    virtual const LOGFONT* GetFont() const = 0;
    virtual UINT GetMargin() const = 0;
    virtual CGridCtrl* GetGrid() const = 0;
    virtual BOOL IsEditing() const = 0;
    virtual BOOL IsDefaultFont() const = 0;
    virtual void Reset();

    // Copies every property of another cell (not its grid).
    virtual void operator=(const CGridCellBase& cell);

    int IsFocused() const { return (GetState() & GVIS_FOCUSED) != 0; }
    int IsFixed() const { return (GetState() & GVIS_FIXED) != 0; }
    int IsFixedCol() const { return (GetState() & GVIS_FIXEDCOL) != 0; }
    int IsFixedRow() const { return (GetState() & GVIS_FIXEDROW) != 0; }
    int IsSelected() const { return (GetState() & GVIS_SELECTED) != 0; }
    int IsReadOnly() const { return (GetState() & GVIS_READONLY) != 0; }
    int IsModified() const { return (GetState() & GVIS_MODIFIED) != 0; }
    int IsDropHighlighted() const { return (GetState() & GVIS_DROPHILITED) != 0; }

    // Paints the cell into rect (the grid has set the clip and fonts).
    virtual BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE);
    // Where the text goes inside the cell rectangle: the rectangle less the margins.
    virtual BOOL GetTextRect(LPRECT pRect);
    virtual BOOL GetTipTextRect(LPRECT pRect) { return GetTextRect(pRect); }
    // Starts editing the cell in rect; the base cell cannot be edited.
    virtual BOOL Edit(int /*nRow*/, int /*nCol*/, CRect /*rect*/, CPoint /*point*/, UINT /*nID*/, UINT /*nChar*/)
    {
        return FALSE;
    }
    virtual void EndEdit() {}
    // Told by the grid after the edit window has gone.
    virtual void OnEndEdit() {}
    // A click in the cell; TRUE when the cell consumed it (a check box toggled).
    virtual BOOL OnClick(CPoint /*pointCellRelative*/) { return FALSE; }

protected:
    DWORD m_nState = 0;
};

class CGridCell : public CGridCellBase
{
    DECLARE_DYNCREATE(CGridCell)
public:
    CGridCell();
    ~CGridCell() override;
    CGridCell(const CGridCell&) = delete;
    // Copies the properties of the other cell.
    CGridCell& operator=(const CGridCell& cell);
    void operator=(const CGridCellBase& cell) override;

    void SetText(LPCTSTR szText) override { m_strText = szText; }
    void SetImage(int nImage) override { m_nImage = nImage; }
    void SetData(LPARAM lParam) override { m_lParam = lParam; }
    void SetFormat(DWORD nFormat) override { m_nFormat = nFormat; }
    void SetTextClr(COLORREF clr) override { m_crFgClr = clr; }
    void SetBackClr(COLORREF clr) override { m_crBkClr = clr; }
    // A copy of the font, or none (the grid's default) for null.
    void SetFont(const LOGFONT* plf) override;
    void SetMargin(UINT nMargin) override { m_nMargin = nMargin; }
    void SetGrid(CGridCtrl* pGrid) override { m_pGrid = pGrid; }

    LPCTSTR GetText() const override { return m_strText.GetString(); }
    int GetImage() const override { return m_nImage; }
    LPARAM GetData() const override { return m_lParam; }
    DWORD GetFormat() const override;
    COLORREF GetTextClr() const override { return m_crFgClr; }
    COLORREF GetBackClr() const override { return m_crBkClr; }
    // The cell's own font, or the default cell's.
    const LOGFONT* GetFont() const override;
    UINT GetMargin() const override;
    CGridCtrl* GetGrid() const override { return m_pGrid; }
    BOOL IsEditing() const override { return m_bEditing; }
    BOOL IsDefaultFont() const override { return m_plfFont == nullptr; }
    void Reset() override;

    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;
    void EndEdit() override;
    void OnEndEdit() override;

protected:
    // The default cell whose look this cell takes where it has none of its own.
    const CGridCellBase* GetDefaultCell() const;

    CString m_strText;
    LPARAM m_lParam = 0;
    int m_nImage = -1;
    DWORD m_nFormat = 0; // 0: the default cell's format
    COLORREF m_crFgClr = CLR_DEFAULT;
    COLORREF m_crBkClr = CLR_DEFAULT;
    LOGFONT* m_plfFont = nullptr;
    UINT m_nMargin = 0; // 0: the default cell's margin
    BOOL m_bEditing = FALSE;
    CGridCtrl* m_pGrid = nullptr;
    CWnd* m_pEditWnd = nullptr;
};

// The look of a kind of cell (normal, fixed row, fixed column, fixed both): its format,
// colours, font, margin, and the default size of new rows and columns.
class CGridDefaultCell : public CGridCell
{
    DECLARE_DYNCREATE(CGridDefaultCell)
public:
    CGridDefaultCell();
    ~CGridDefaultCell() override;

    DWORD GetStyle() const { return m_dwStyle; }
    void SetStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    int GetWidth() const { return m_Size.cx; }
    void SetWidth(int nWidth) { m_Size.cx = nWidth; }
    int GetHeight() const { return m_Size.cy; }
    void SetHeight(int nHeight) { m_Size.cy = nHeight; }
    // Default cells are never edited.
    DWORD GetState() const override { return m_nState | GVIS_READONLY; }

    DWORD GetFormat() const override { return m_nFormat; }
    const LOGFONT* GetFont() const override { return m_plfFont ? m_plfFont : &m_lf; }
    UINT GetMargin() const override { return m_nMargin; }
    void SetFont(const LOGFONT* plf) override;

protected:
    DWORD m_dwStyle = 0;
    CSize m_Size;
    LOGFONT m_lf{};
};

// A cell with a check box in front of its text; a click on the box toggles it.
class CGridCellCheck : public CGridCell
{
    DECLARE_DYNCREATE(CGridCellCheck)
public:
    CGridCellCheck();
    CGridCellCheck& operator=(const CGridCellCheck& cell);
    void operator=(const CGridCellBase& cell) override;

    BOOL SetCheck(BOOL bChecked = TRUE);
    BOOL GetCheck() const { return m_bChecked; }

    BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE) override;
    BOOL GetTextRect(LPRECT pRect) override;
    BOOL OnClick(CPoint pointCellRelative) override;

protected:
    CRect GetCheckPlacement(const CRect& cellRect) const;

    BOOL m_bChecked = FALSE;
    CRect m_Rect; // the check box, relative to the cell, as last drawn
};

// The property list: a two-column grid of rows (name, value) grouped under expandable
// group rows, with a description area under the rows, as the application's UI-support
// library provides it (CBCGPPropList, its rows CBCGPProp and the global font data
// globalData). Written here from what the library uses of it.
//
// Rows belong to the list once added (a child row to its parent row). A row is edited in
// place: while it is, and only then, an edit window (a combo box for a row with options)
// lies over its value; Enter or leaving it ends the edit with update, Escape without.
// Ending with update asks the row's OnUpdateValue, which may keep the edit open.
//
// The list draws into a CDC (rows, group boxes, the selection, the description area and
// the vertical scroll bar), so a window holding it renders to PNG.
//
// A list that is emptied (RemoveAll) while one of its rows is handling an event (an edit
// ending, a double click) keeps the removed rows alive until that handling returns, so a
// row whose own event refills the list is never used after it was freed.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <vyr/controls.h>
#include <vyr/cstring.h>
#include <vyr/gdi.h>
#include <vyr/wnd.h>

// ---------------------------------------------------------------------------------------
// A minimal variant: empty, text, integer, real or boolean.

typedef unsigned short VARTYPE;
#define VT_EMPTY 0
#define VT_I4 3
#define VT_R8 5
#define VT_BSTR 8
#define VT_BOOL 11

class _variant_t
{
public:
    _variant_t() = default;
    _variant_t(const char* s) : vt(VT_BSTR), m_str(s) {}
    _variant_t(const CString& s) : vt(VT_BSTR), m_str(s) {}
    _variant_t(long v) : vt(VT_I4), m_l(v) {}
    _variant_t(int v) : vt(VT_I4), m_l(v) {}
    _variant_t(double v) : vt(VT_R8), m_d(v) {}
    _variant_t(bool v) : vt(VT_BOOL), m_b(v) {}

    VARTYPE vt = VT_EMPTY;

    // The value as text: a text as it is, numbers in C notation (%d, %g), booleans as
    // "True"/"False", empty as "".
    CString ToText() const;
    const CString& GetStr() const { return m_str; }
    long GetLong() const { return m_l; }
    double GetDouble() const { return m_d; }
    bool GetBool() const { return m_b; }
    bool operator==(const _variant_t& o) const;
    bool operator!=(const _variant_t& o) const { return !(*this == o); }

private:
    CString m_str;
    long m_l = 0;
    double m_d = 0.0;
    bool m_b = false;
};

// ---------------------------------------------------------------------------------------
// The global font data of the property list's library.

struct BCGPGLOBAL_DATA
{
    BCGPGLOBAL_DATA();
    CFont fontRegular; // the library's default font
    CFont fontBold;    // the same, bold: group rows and the description's title
};
extern BCGPGLOBAL_DATA globalData;

class CBCGPPropList;

// ---------------------------------------------------------------------------------------

class CBCGPProp : public CObject
{
    DECLARE_DYNAMIC(CBCGPProp)
    friend class CBCGPPropList;

public:
    // A value row. The edit mask, template and valid characters are kept but not enforced.
    CBCGPProp(const CString& strName, const _variant_t& varValue, LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0,
              LPCTSTR lpszEditMask = nullptr, LPCTSTR lpszEditTemplate = nullptr, LPCTSTR lpszValidChars = nullptr);
    // A group row (no value); bIsValueList is kept for the caller.
    CBCGPProp(const CString& strGroupName, DWORD_PTR dwData = 0, BOOL bIsValueList = FALSE);
    ~CBCGPProp() override;
    CBCGPProp(const CBCGPProp&) = delete;
    CBCGPProp& operator=(const CBCGPProp&) = delete;

    // ----- the overridable behaviour, in the order of the row's table
    // The value as the edit window shows it.
    virtual CString FormatProperty();
    // Takes a text as the new value in the value's own type; FALSE when it does not parse.
    virtual BOOL TextToVar(const CString& strText);
    // A double click on the name: a group opens or closes, a value row does nothing.
    virtual void OnDblClickName(CPoint point);
    // The edit ends with update: the edit window's text becomes the value (TextToVar);
    // the answer tells whether the edit may end (nonzero) or stays open (0).
    virtual BOOL OnUpdateValue();
    // The edit has ended: the edit window goes away.
    virtual BOOL OnEndEdit();

    // ----- data
    const CString& GetName() const { return m_strName; }
    void SetName(LPCTSTR lpszName, BOOL bRedraw = TRUE);
    const _variant_t& GetValue() const { return m_varValue; }
    virtual void SetValue(const _variant_t& varValue);
    const CString& GetDescription() const { return m_strDescr; }
    void SetDescription(const CString& strDescr);
    DWORD_PTR GetData() const { return m_dwData; }
    void SetData(DWORD_PTR dwData) { m_dwData = dwData; }

    BOOL AddOption(LPCTSTR lpszOption, BOOL bInsertUnique = TRUE);
    void RemoveAllOptions();
    int GetOptionCount() const { return (int)m_options.size(); }
    LPCTSTR GetOption(int nIndex) const;

    void AllowEdit(BOOL bAllow = TRUE) { m_bAllowEdit = bAllow; }
    BOOL IsAllowEdit() const { return m_bAllowEdit; }
    void Enable(BOOL bEnable = TRUE);
    BOOL IsEnabled() const { return m_bEnabled; }

    BOOL IsGroup() const { return m_bGroup; }
    BOOL IsValueList() const { return m_bIsValueList; }
    BOOL IsExpanded() const { return m_bExpanded; }
    void Expand(BOOL bExpand = TRUE);
    // Shown: every parent group is expanded.
    BOOL IsVisible() const;
    BOOL IsSelected() const;
    BOOL IsInPlaceEditing() const { return m_bInPlaceEdit; }

    BOOL AddSubItem(CBCGPProp* pProp);
    int GetSubItemsCount() const { return (int)m_lstSubItems.size(); }
    CBCGPProp* GetSubItem(int nIndex) const;
    CBCGPProp* GetParent() const { return m_pParent; }
    CBCGPPropList* GetPropList() const { return m_pWndList; }
    // The row's rectangle in the list's client area (empty while not shown).
    const CRect& GetRect() const { return m_Rect; }
    // A group's expand box (empty while not shown).
    const CRect& GetExpandBoxRect() const { return m_rectButton; }

    // The list window the row belongs to, and the edit window while the row is edited.
    CBCGPPropList* m_pWndList = nullptr;
    CWnd* m_pWndInPlace = nullptr;

protected:
    CString m_strName;
    _variant_t m_varValue;
    CString m_strDescr;
    DWORD_PTR m_dwData = 0;
    CString m_strEditMask, m_strEditTempl, m_strValidChars;
    std::vector<CString> m_options;
    BOOL m_bAllowEdit = TRUE;
    BOOL m_bEnabled = TRUE;
    BOOL m_bGroup = FALSE;
    BOOL m_bIsValueList = FALSE;
    BOOL m_bExpanded = TRUE;
    BOOL m_bInPlaceEdit = FALSE;
    CBCGPProp* m_pParent = nullptr;
    std::vector<CBCGPProp*> m_lstSubItems;
    CRect m_Rect;
    CRect m_rectButton; // a group's expand box

private:
    void SetOwnerList(CBCGPPropList* pList);
};

// ---------------------------------------------------------------------------------------

class CBCGPPropList : public CWnd
{
    DECLARE_DYNAMIC(CBCGPPropList)
    friend class CBCGPProp;

public:
    CBCGPPropList();
    ~CBCGPPropList() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // The header of two column titles; a list without it starts its rows at the top.
    void EnableHeaderCtrl(BOOL bEnable = TRUE, LPCTSTR lpszLeftColumn = "Property", LPCTSTR lpszRightColumn = "Value");
    BOOL IsHeaderCtrl() const { return m_bHeaderCtrl; }
    // The area under the rows that shows the current row's name and description.
    void EnableDescriptionArea(BOOL bEnable = TRUE);
    BOOL IsDescriptionArea() const { return m_bDescriptionArea; }
    void SetVSDotNetLook(BOOL bSet = TRUE);
    BOOL IsVSDotNetLook() const { return m_bVSDotNetLook; }

    // Adds a top-level row, which the list then owns; its index.
    int AddProperty(CBCGPProp* pProp, BOOL bRedraw = TRUE, BOOL bAdjustLayout = TRUE);
    // Removes and deletes every row (a running edit ends without update first).
    void RemoveAll();
    int GetPropertyCount() const { return (int)m_lstProps.size(); }
    CBCGPProp* GetProperty(int nIndex) const;
    // The row whose user data is dwData (depth first), or null.
    CBCGPProp* FindItemByData(DWORD_PTR dwData, BOOL bSearchSubItems = TRUE) const;
    // Whether the row is one of this list's rows now.
    BOOL HasProperty(const CBCGPProp* pProp) const;

    CBCGPProp* GetCurSel() const { return m_pSel; }
    void SetCurSel(CBCGPProp* pProp, BOOL bRedraw = TRUE);
    // Starts editing a row (it becomes the current row); FALSE for a group, a disabled row
    // or a row that may not be typed into and has no options.
    virtual BOOL EditItem(CBCGPProp* pProp, LPPOINT lptClick = nullptr);
    // Ends the running edit of the current row: with update the row's OnUpdateValue decides
    // (FALSE keeps the edit open). No running edit: TRUE.
    virtual BOOL EndEditItem(BOOL bUpdateData = TRUE);
    // The hook asked before a row's value is taken; TRUE lets it be taken.
    virtual BOOL ValidateItemData(CBCGPProp* /*pProp*/) { return TRUE; }

    // Lays the rows out for the client size and the expanded groups (clamps the scroll).
    virtual void AdjustLayout();
    void ExpandAll(BOOL bExpand = TRUE);

    // The vertical scroll bar shows when the rows are taller than their area; the offset
    // is in pixels, clamped to what the rows allow.
    BOOL HasVertScrollBar() const { return m_bVertScroll; }
    int GetVertScrollOffset() const { return m_nVertScrollOffset; }
    void SetVertScrollOffset(int nOffset, BOOL bRedraw = TRUE);
    int GetRowHeight() const { return m_nRowHeight; }
    // The area the rows are drawn in (client less header, description and scroll bar).
    CRect GetListRect() const { return m_rectList; }
    int GetLeftColumnWidth() const { return m_nLeftColumnWidth; }

    // The row at a client point (and whether on its expand box), or null.
    CBCGPProp* HitTest(CPoint pt, BOOL* pbOnExpandBox = nullptr) const;

    // Column titles (kept for a header; empty when none was given).
    CString m_strLeftColumn, m_strRightColumn;

    // While one lives, rows that the list removes stay allocated (detached from the list)
    // until the last scope ends: a row's handler that refills its own list holds one.
    struct BusyScope
    {
        explicit BusyScope(CBCGPPropList* list);
        ~BusyScope();
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;
        CBCGPPropList* m_pList;
    };

protected:

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnDestroy();
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()

    void DrawRows(CDC* pDC, const std::vector<CBCGPProp*>& rows, CFont* pFont, CFont* pBold);
    void DrawDescription(CDC* pDC, CFont* pFont, CFont* pBold);
    void DrawScrollBar(CDC* pDC);
    // Every shown row, in drawing order.
    void CollectShown(const std::vector<CBCGPProp*>& rows, std::vector<CBCGPProp*>& out) const;
    int ShownCount() const;
    void DropInPlace();
    void OnInPlaceKey(UINT nChar);
    void OnInPlaceKillFocus();
    friend class CBCGPPropInPlaceEdit;
    friend class CBCGPPropInPlaceCombo;

    std::vector<CBCGPProp*> m_lstProps;
    std::vector<std::unique_ptr<CBCGPProp>> m_lstRemoved; // freed when no handler runs
    int m_nBusy = 0;
    CBCGPProp* m_pSel = nullptr;
    BOOL m_bHeaderCtrl = TRUE;
    BOOL m_bDescriptionArea = FALSE;
    BOOL m_bVSDotNetLook = FALSE;
    BOOL m_bVertScroll = FALSE;
    BOOL m_bEnding = FALSE;
    int m_nVertScrollOffset = 0;
    int m_nRowHeight = 18;
    int m_nHeaderHeight = 0;
    int m_nDescrHeight = 0;
    int m_nLeftColumnWidth = 0;
    CRect m_rectList;
};

namespace vyr {

// ---- What a user does to a property list (tests, the scripted user) --------------------
// Rows are named by caption: the first row of that caption, depth first, that a user can
// see (its groups expanded). Each returns false, changing nothing, when the user could not
// do it (no such row shown, a disabled row, a group where a value is wanted ...).

// A double click on the row's name; with a group caption, the row of that caption inside
// the group (a row may share its group's caption).
bool UserPropDblClickName(HWND hList, const char* caption, const char* inGroup = nullptr);
// A click on the row's value, the text typed into its edit window, then Enter; true when
// the edit could be started and the text typed (the edit may stay open: see the row).
bool UserPropSetValue(HWND hList, const char* caption, const char* text);
// A click on the row's value and one of its options chosen from the drop-down list.
bool UserPropChooseOption(HWND hList, const char* caption, const char* option);
// A click on a group's expand box when it is not already in the wanted state.
bool UserPropExpand(HWND hList, const char* caption, bool expand);
// The scroll bar dragged to a pixel offset (clamped as the list clamps it).
bool UserPropScroll(HWND hList, int offset);

} // namespace vyr

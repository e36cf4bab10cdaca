// The controls: window classes with their built-in behaviour ("Button", "Edit", "Static",
// "ComboBox", "ListBox", "ScrollBar", "SysListView32", "SysTabControl32",
// "msctls_progress32", "msctls_updown32", "RichEdit20A") and the class library's wrappers
// over them (CButton, CEdit, ...), plus image lists and popup menus.
//
// A control's state lives with its window, as in Windows: the wrappers only send messages.
// So a CComboBox attached later (DDX_Control, SubclassDlgItem) sees the items added before,
// and a worker thread's calls are carried to the window's thread by SendMessage.
//
// Notifications follow Windows: a change made by code is silent (SetCurSel, SetCheck,
// SetPos) except where Windows itself notifies (EN_CHANGE when a single-line edit's text is
// set, LVN_ITEMCHANGED when a list item's state changes); what a user does (the User...
// functions at the end, used by the scripted user) notifies the parent as the user's
// action would.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <vyr/gdi.h>
#include <vyr/resources.h>
#include <vyr/winmsg.h>
#include <vyr/wnd.h>

// ---------------------------------------------------------------------------------------
// Messages, flags and records of the common controls (values of the Win32 documentation).

#ifndef EM_GETFIRSTVISIBLELINE
#define EM_GETFIRSTVISIBLELINE 0x00CE
#endif
#ifndef EM_GETHANDLE
#define EM_GETHANDLE 0x00BD
#endif

// List views.
#define LVM_FIRST 0x1000
#define LVM_GETBKCOLOR (LVM_FIRST + 0)
#define LVM_SETBKCOLOR (LVM_FIRST + 1)
#define LVM_GETIMAGELIST (LVM_FIRST + 2)
#define LVM_SETIMAGELIST (LVM_FIRST + 3)
#define LVM_GETITEMCOUNT (LVM_FIRST + 4)
#define LVM_GETITEM (LVM_FIRST + 5)
#define LVM_SETITEM (LVM_FIRST + 6)
#define LVM_INSERTITEM (LVM_FIRST + 7)
#define LVM_DELETEITEM (LVM_FIRST + 8)
#define LVM_DELETEALLITEMS (LVM_FIRST + 9)
#define LVM_GETNEXTITEM (LVM_FIRST + 12)
#define LVM_FINDITEM (LVM_FIRST + 13)
#define LVM_GETITEMRECT (LVM_FIRST + 14)
#define LVM_HITTEST (LVM_FIRST + 18)
#define LVM_ENSUREVISIBLE (LVM_FIRST + 19)
#define LVM_REDRAWITEMS (LVM_FIRST + 21)
#define LVM_EDITLABEL (LVM_FIRST + 23)
#define LVM_GETEDITCONTROL (LVM_FIRST + 24)
#define LVM_GETCOLUMN (LVM_FIRST + 25)
#define LVM_SETCOLUMN (LVM_FIRST + 26)
#define LVM_INSERTCOLUMN (LVM_FIRST + 27)
#define LVM_DELETECOLUMN (LVM_FIRST + 28)
#define LVM_GETCOLUMNWIDTH (LVM_FIRST + 29)
#define LVM_SETCOLUMNWIDTH (LVM_FIRST + 30)
#define LVM_SETTEXTCOLOR (LVM_FIRST + 36)
#define LVM_SETTEXTBKCOLOR (LVM_FIRST + 38)
#define LVM_GETTOPINDEX (LVM_FIRST + 39)
#define LVM_GETCOUNTPERPAGE (LVM_FIRST + 40)
#define LVM_SETITEMSTATE (LVM_FIRST + 43)
#define LVM_GETITEMSTATE (LVM_FIRST + 44)
#define LVM_GETITEMTEXT (LVM_FIRST + 45)
#define LVM_SETITEMTEXT (LVM_FIRST + 46)
#define LVM_SORTITEMS (LVM_FIRST + 48)
#define LVM_GETSELECTEDCOUNT (LVM_FIRST + 50)
#define LVM_SETEXTENDEDLISTVIEWSTYLE (LVM_FIRST + 54)
#define LVM_GETEXTENDEDLISTVIEWSTYLE (LVM_FIRST + 55)
#define LVM_GETSELECTIONMARK (LVM_FIRST + 66)
#define LVM_SETSELECTIONMARK (LVM_FIRST + 67)

#define LVIF_TEXT 0x0001u
#define LVIF_IMAGE 0x0002u
#define LVIF_PARAM 0x0004u
#define LVIF_STATE 0x0008u
#define LVIF_INDENT 0x0010u
#define LVIS_FOCUSED 0x0001u
#define LVIS_SELECTED 0x0002u
#define LVIS_CUT 0x0004u
#define LVIS_DROPHILITED 0x0008u
#define LVIS_OVERLAYMASK 0x0F00u
#define LVIS_STATEIMAGEMASK 0xF000u
#define LVNI_ALL 0x0000u
#define LVNI_FOCUSED 0x0001u
#define LVNI_SELECTED 0x0002u
#define LVNI_CUT 0x0004u
#define LVNI_DROPHILITED 0x0008u
#define LVNI_ABOVE 0x0100u
#define LVNI_BELOW 0x0200u
#define LVNI_TOLEFT 0x0400u
#define LVNI_TORIGHT 0x0800u
#define LVCF_FMT 0x0001u
#define LVCF_WIDTH 0x0002u
#define LVCF_TEXT 0x0004u
#define LVCF_SUBITEM 0x0008u
#define LVCF_IMAGE 0x0010u
#define LVCF_ORDER 0x0020u
#define LVCFMT_LEFT 0x0000
#define LVCFMT_RIGHT 0x0001
#define LVCFMT_CENTER 0x0002
#define LVCFMT_JUSTIFYMASK 0x0003
#define LVSCW_AUTOSIZE (-1)
#define LVSCW_AUTOSIZE_USEHEADER (-2)
#define LVIR_BOUNDS 0
#define LVIR_ICON 1
#define LVIR_LABEL 2
#define LVIR_SELECTBOUNDS 3
#define LVSIL_NORMAL 0
#define LVSIL_SMALL 1
#define LVSIL_STATE 2
#define LVS_EX_GRIDLINES 0x00000001u
#define LVS_EX_SUBITEMIMAGES 0x00000002u
#define LVS_EX_CHECKBOXES 0x00000004u
#define LVS_EX_TRACKSELECT 0x00000008u
#define LVS_EX_HEADERDRAGDROP 0x00000010u
#define LVS_EX_FULLROWSELECT 0x00000020u
#define LVS_EX_ONECLICKACTIVATE 0x00000040u
#define LVS_EX_FLATSB 0x00000100u
#define LVS_EX_INFOTIP 0x00000400u
#define LVS_EX_LABELTIP 0x00004000u
#define LVS_EX_DOUBLEBUFFER 0x00010000u
#define LVHT_NOWHERE 0x0001u
#define LVHT_ONITEMICON 0x0002u
#define LVHT_ONITEMLABEL 0x0004u
#define LVHT_ONITEM 0x000Eu
#define LPSTR_TEXTCALLBACK ((LPSTR)-1L)
#define I_IMAGECALLBACK (-1)

struct _IMAGELIST;
typedef _IMAGELIST* HIMAGELIST;

struct LVITEM
{
    UINT mask;
    int iItem;
    int iSubItem;
    UINT state;
    UINT stateMask;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
    int iIndent;
};
typedef LVITEM LVITEMA;
typedef LVITEM* LPLVITEM;

struct LVCOLUMN
{
    UINT mask;
    int fmt;
    int cx;
    LPSTR pszText;
    int cchTextMax;
    int iSubItem;
    int iImage;
    int iOrder;
};
typedef LVCOLUMN LVCOLUMNA;
typedef LVCOLUMN* LPLVCOLUMN;

struct NMLISTVIEW
{
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
};
typedef NMLISTVIEW NM_LISTVIEW;
typedef NMLISTVIEW* LPNMLISTVIEW;

struct NMITEMACTIVATE
{
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
    UINT uKeyFlags;
};
typedef NMITEMACTIVATE* LPNMITEMACTIVATE;
#define LVKF_ALT 0x0001u
#define LVKF_CONTROL 0x0002u
#define LVKF_SHIFT 0x0004u

struct NMLVDISPINFO
{
    NMHDR hdr;
    LVITEM item;
};
typedef NMLVDISPINFO LV_DISPINFO;

struct LVHITTESTINFO
{
    POINT pt;
    UINT flags;
    int iItem;
    int iSubItem;
};

typedef int (*PFNLVCOMPARE)(LPARAM, LPARAM, LPARAM);

// Tab controls.
#define TCM_FIRST 0x1300
#define TCM_GETIMAGELIST (TCM_FIRST + 2)
#define TCM_SETIMAGELIST (TCM_FIRST + 3)
#define TCM_GETITEMCOUNT (TCM_FIRST + 4)
#define TCM_GETITEM (TCM_FIRST + 5)
#define TCM_SETITEM (TCM_FIRST + 6)
#define TCM_INSERTITEM (TCM_FIRST + 7)
#define TCM_DELETEITEM (TCM_FIRST + 8)
#define TCM_DELETEALLITEMS (TCM_FIRST + 9)
#define TCM_GETITEMRECT (TCM_FIRST + 10)
#define TCM_GETCURSEL (TCM_FIRST + 11)
#define TCM_SETCURSEL (TCM_FIRST + 12)
#define TCM_ADJUSTRECT (TCM_FIRST + 40)
#define TCM_GETCURFOCUS (TCM_FIRST + 47)
#define TCM_SETCURFOCUS (TCM_FIRST + 48)
#define TCIF_TEXT 0x0001u
#define TCIF_IMAGE 0x0002u
#define TCIF_PARAM 0x0008u
#define TCIF_STATE 0x0010u

struct TCITEM
{
    UINT mask;
    DWORD dwState;
    DWORD dwStateMask;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
};
typedef TCITEM TCITEMA;
typedef TCITEM TC_ITEM;

// Progress bars.
#define PBM_SETRANGE (WM_USER + 1)
#define PBM_SETPOS (WM_USER + 2)
#define PBM_DELTAPOS (WM_USER + 3)
#define PBM_SETSTEP (WM_USER + 4)
#define PBM_STEPIT (WM_USER + 5)
#define PBM_SETRANGE32 (WM_USER + 6)
#define PBM_GETRANGE (WM_USER + 7)
#define PBM_GETPOS (WM_USER + 8)
#define PBM_SETBARCOLOR (WM_USER + 9)
#define PBM_SETBKCOLOR 0x2001

struct PBRANGE
{
    int iLow;
    int iHigh;
};
typedef PBRANGE* PPBRANGE;

// Up-down (spin) controls.
#define UDM_SETRANGE (WM_USER + 101)
#define UDM_GETRANGE (WM_USER + 102)
#define UDM_SETPOS (WM_USER + 103)
#define UDM_GETPOS (WM_USER + 104)
#define UDM_SETBUDDY (WM_USER + 105)
#define UDM_GETBUDDY (WM_USER + 106)
#define UDM_SETACCEL (WM_USER + 107)
#define UDM_GETACCEL (WM_USER + 108)
#define UDM_SETBASE (WM_USER + 109)
#define UDM_GETBASE (WM_USER + 110)
#define UDM_SETRANGE32 (WM_USER + 111)
#define UDM_GETRANGE32 (WM_USER + 112)
#define UDM_SETPOS32 (WM_USER + 113)
#define UDM_GETPOS32 (WM_USER + 114)
#define UD_MAXVAL 0x7FFF
#define UD_MINVAL (-UD_MAXVAL)

struct NMUPDOWN
{
    NMHDR hdr;
    int iPos;
    int iDelta;
};
typedef NMUPDOWN NM_UPDOWN;
typedef NMUPDOWN* LPNMUPDOWN;

// Rich edit.
#define EM_EXGETSEL (WM_USER + 52)
#define EM_EXLIMITTEXT (WM_USER + 53)
#define EM_EXSETSEL (WM_USER + 55)
#define EM_GETCHARFORMAT (WM_USER + 58)
#define EM_GETEVENTMASK (WM_USER + 59)
#define EM_HIDESELECTION (WM_USER + 63)
#define EM_SETBKGNDCOLOR (WM_USER + 67)
#define EM_SETCHARFORMAT (WM_USER + 68)
#define EM_SETEVENTMASK (WM_USER + 69)
#define EM_STREAMIN (WM_USER + 73)
#define EM_STREAMOUT (WM_USER + 74)
#define EM_GETTEXTLENGTHEX (WM_USER + 95)
#define SF_TEXT 0x0001u
#define SF_RTF 0x0002u
#define SF_RTFNOOBJS 0x0003u
#define SF_TEXTIZED 0x0004u
#define SFF_SELECTION 0x8000u
#define SCF_DEFAULT 0x0000u
#define SCF_SELECTION 0x0001u
#define SCF_WORD 0x0002u
#define SCF_ALL 0x0004u
#define CFM_BOLD 0x00000001u
#define CFM_ITALIC 0x00000002u
#define CFM_UNDERLINE 0x00000004u
#define CFM_STRIKEOUT 0x00000008u
#define CFM_PROTECTED 0x00000010u
#define CFM_CHARSET 0x08000000u
#define CFM_OFFSET 0x10000000u
#define CFM_FACE 0x20000000u
#define CFM_COLOR 0x40000000u
#define CFM_SIZE 0x80000000u
#define CFE_BOLD 0x0001u
#define CFE_ITALIC 0x0002u
#define CFE_UNDERLINE 0x0004u
#define CFE_STRIKEOUT 0x0008u
#define CFE_PROTECTED 0x0010u
#define CFE_AUTOCOLOR 0x40000000u
#define ENM_NONE 0x00000000u
#define ENM_CHANGE 0x00000001u
#define ENM_UPDATE 0x00000002u
#define ENM_SELCHANGE 0x00080000u
#define GTL_DEFAULT 0

struct CHARRANGE
{
    LONG cpMin;
    LONG cpMax;
};

struct CHARFORMAT
{
    UINT cbSize;
    DWORD dwMask;
    DWORD dwEffects;
    LONG yHeight;  // twips
    LONG yOffset;
    COLORREF crTextColor;
    BYTE bCharSet;
    BYTE bPitchAndFamily;
    char szFaceName[32];
};
typedef CHARFORMAT CHARFORMATA;

typedef DWORD (*EDITSTREAMCALLBACK)(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb);
struct EDITSTREAM
{
    DWORD_PTR dwCookie;
    DWORD dwError;
    EDITSTREAMCALLBACK pfnCallback;
};

// Image lists.
#define ILC_MASK 0x0001u
#define ILC_COLOR 0x0000u
#define ILC_COLORDDB 0x00FEu
#define ILC_COLOR4 0x0004u
#define ILC_COLOR8 0x0008u
#define ILC_COLOR16 0x0010u
#define ILC_COLOR24 0x0018u
#define ILC_COLOR32 0x0020u
#define ILD_NORMAL 0x0000u
#define ILD_TRANSPARENT 0x0001u
#define ILD_MASK 0x0010u

// Menus.
#define MF_INSERT 0x0000u
#define MF_CHANGE 0x0080u
#define MF_APPEND 0x0100u
#define MF_DELETE 0x0200u
#define MF_REMOVE 0x1000u
#define MF_BYCOMMAND 0x0000u
#define MF_BYPOSITION 0x0400u
#define MF_SEPARATOR 0x0800u
#define MF_ENABLED 0x0000u
#define MF_GRAYED 0x0001u
#define MF_DISABLED 0x0002u
#define MF_UNCHECKED 0x0000u
#define MF_CHECKED 0x0008u
#define MF_STRING 0x0000u
#define MF_BITMAP 0x0004u
#define MF_OWNERDRAW 0x0100u
#define MF_POPUP 0x0010u
#define MF_MENUBARBREAK 0x0020u
#define MF_MENUBREAK 0x0040u
#define MF_DEFAULT 0x1000u
#define MF_HILITE 0x0080u
#define TPM_LEFTBUTTON 0x0000u
#define TPM_RIGHTBUTTON 0x0002u
#define TPM_LEFTALIGN 0x0000u
#define TPM_CENTERALIGN 0x0004u
#define TPM_RIGHTALIGN 0x0008u
#define TPM_TOPALIGN 0x0000u
#define TPM_VCENTERALIGN 0x0010u
#define TPM_BOTTOMALIGN 0x0020u
#define TPM_NONOTIFY 0x0080u
#define TPM_RETURNCMD 0x0100u

// ---------------------------------------------------------------------------------------
// The wrappers.

class CStatic : public CWnd
{
    DECLARE_DYNAMIC(CStatic)
public:
    BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xFFFF);
    HBITMAP SetBitmap(HBITMAP hBitmap);
    HBITMAP GetBitmap() const;
    HICON SetIcon(HICON hIcon);
    HICON GetIcon() const;
};

class CButton : public CWnd
{
    DECLARE_DYNAMIC(CButton)
public:
    BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
    int GetCheck() const;
    void SetCheck(int nCheck);
    UINT GetState() const;
    void SetState(BOOL bHighlight);
    UINT GetButtonStyle() const;
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);
    HBITMAP SetBitmap(HBITMAP hBitmap);
    HBITMAP GetBitmap() const;
    HICON SetIcon(HICON hIcon);
    HICON GetIcon() const;
};

// Positions are byte offsets into the UTF-8 text (the text's CString indexes).
class CEdit : public CWnd
{
    DECLARE_DYNAMIC(CEdit)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // nStart -1 removes the selection; (0, -1) selects everything.
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    void SetSel(DWORD dwSelection, BOOL bNoScroll = FALSE);
    void GetSel(int& nStartChar, int& nEndChar) const;
    DWORD GetSel() const;
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE);
    void LimitText(int nChars = 0);
    void SetLimitText(UINT nMax) { LimitText((int)nMax); }
    UINT GetLimitText() const;
    int GetLineCount() const;
    int LineIndex(int nLine = -1) const;
    int LineLength(int nLine = -1) const;
    int LineFromChar(int nIndex = -1) const;
    int GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const;
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
    BOOL GetModify() const;
    void SetModify(BOOL bModified = TRUE);
    int GetFirstVisibleLine() const;
    void LineScroll(int nLines, int nChars = 0);
    BOOL CanUndo() const { return FALSE; }
    void EmptyUndoBuffer() {}
    void Clear() { ReplaceSel(""); }
};

class CComboBox : public CWnd
{
    DECLARE_DYNAMIC(CComboBox)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // With CBS_SORT the text goes where it sorts (GBK byte order, ASCII letters without
    // case); returns its index, or CB_ERR.
    int AddString(LPCTSTR lpszString);
    // nIndex -1 appends; never sorts.
    int InsertString(int nIndex, LPCTSTR lpszString);
    int DeleteString(UINT nIndex);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    // Silent, like CB_SETCURSEL: no CBN_SELCHANGE. -1 or an index out of range clears.
    int SetCurSel(int nSelect);
    int GetLBText(int nIndex, LPTSTR lpszText) const;
    void GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const;
    int FindString(int nStartAfter, LPCTSTR lpszString) const;
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
    int SelectString(int nStartAfter, LPCTSTR lpszString);
    DWORD_PTR GetItemData(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    void* GetItemDataPtr(int nIndex) const { return (void*)GetItemData(nIndex); }
    int SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, (DWORD_PTR)pData); }
    void ShowDropDown(BOOL bShowIt = TRUE);
    BOOL GetDroppedState() const;
    BOOL LimitText(int nMaxChars);
};

class CListBox : public CWnd
{
    DECLARE_DYNAMIC(CListBox)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int AddString(LPCTSTR lpszItem);
    int InsertString(int nIndex, LPCTSTR lpszItem);
    int DeleteString(UINT nIndex);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    int GetText(int nIndex, LPTSTR lpszBuffer) const;
    void GetText(int nIndex, CString& rString) const;
    int GetTextLen(int nIndex) const;
    int FindString(int nStartAfter, LPCTSTR lpszItem) const;
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
    int SelectString(int nStartAfter, LPCTSTR lpszItem);
    DWORD_PTR GetItemData(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    void* GetItemDataPtr(int nIndex) const { return (void*)GetItemData(nIndex); }
    int SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, (DWORD_PTR)pData); }
    // Multiple selection.
    int GetSel(int nIndex) const;
    int SetSel(int nIndex, BOOL bSelect = TRUE);
    int GetSelCount() const;
    int GetSelItems(int nMaxItems, LPINT rgIndex) const;
    int GetTopIndex() const;
    int SetTopIndex(int nIndex);
};

class CImageList;

class CListCtrl : public CWnd
{
    DECLARE_DYNAMIC(CListCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int InsertColumn(int nCol, const LVCOLUMN* pColumn);
    int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1);
    BOOL SetColumn(int nCol, const LVCOLUMN* pColumn);
    BOOL GetColumn(int nCol, LVCOLUMN* pColumn) const;
    BOOL DeleteColumn(int nCol);
    BOOL SetColumnWidth(int nCol, int cx);
    int GetColumnWidth(int nCol) const;
    // Not a class library call: the number of columns (the header's item count).
    int GetColumnCount() const;

    int InsertItem(const LVITEM* pItem);
    int InsertItem(int nItem, LPCTSTR lpszItem);
    int InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
    int InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam);
    BOOL SetItem(const LVITEM* pItem);
    BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState, UINT nStateMask,
                 LPARAM lParam);
    BOOL GetItem(LVITEM* pItem) const;
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    CString GetItemText(int nItem, int nSubItem) const;
    int GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const;
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);

    // Sends LVN_ITEMCHANGED to the parent for every item whose state changes, before it
    // returns. nItem -1: every item.
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    BOOL SetItemState(int nItem, LVITEM* pItem);
    UINT GetItemState(int nItem, UINT nMask) const;
    int GetNextItem(int nItem, int nFlags) const;
    UINT GetSelectedCount() const;
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& pos) const;
    int GetSelectionMark() const;
    int SetSelectionMark(int iIndex);

    BOOL EnsureVisible(int nItem, BOOL bPartialOK);
    int GetTopIndex() const;
    int GetCountPerPage() const;
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    BOOL RedrawItems(int nFirst, int nLast);
    // Starts editing a label (LVN_BEGINLABELEDIT); the scripted user ends it
    // (vyr::UserEndLabelEdit), which sends LVN_ENDLABELEDIT.
    CEdit* EditLabel(int nItem);
    CEdit* GetEditControl() const;

    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    CImageList* GetImageList(int nImageListType) const;
    DWORD SetExtendedStyle(DWORD dwNewStyle);
    DWORD GetExtendedStyle() const;
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData);
    BOOL SetBkColor(COLORREF cr);
    COLORREF GetBkColor() const;
    BOOL SetTextColor(COLORREF cr);
    BOOL SetTextBkColor(COLORREF cr);
};

class CTabCtrl : public CWnd
{
    DECLARE_DYNAMIC(CTabCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    LONG InsertItem(int nItem, LPCTSTR lpszItem);
    LONG InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
    LONG InsertItem(int nItem, TCITEM* pTabCtrlItem);
    BOOL GetItem(int nItem, TCITEM* pTabCtrlItem) const;
    BOOL SetItem(int nItem, TCITEM* pTabCtrlItem);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    int GetCurSel() const;
    // Silent, like TCM_SETCURSEL: no TCN_SELCHANGE.
    int SetCurSel(int nItem);
    int GetCurFocus() const;
    void SetCurFocus(int nItem);
    BOOL GetItemRect(int nItem, LPRECT lpRect) const;
    void AdjustRect(BOOL bLarger, LPRECT lpRect);
    CImageList* SetImageList(CImageList* pImageList);
    CImageList* GetImageList() const;
};

class CProgressCtrl : public CWnd
{
    DECLARE_DYNAMIC(CProgressCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // PBM_SETRANGE holds 16-bit bounds: values beyond 0..65535 are held at those limits
    // instead of wrapping around.
    void SetRange(int nLower, int nUpper);
    void SetRange32(int nLower, int nUpper);
    void GetRange(int& nLower, int& nUpper) const;
    int GetPos() const;
    int SetPos(int nPos);
    int OffsetPos(int nPos);
    int SetStep(int nStep);
    int StepIt();
    COLORREF SetBarColor(COLORREF clrBar);
    COLORREF SetBkColor(COLORREF clrNew);
};

class CSpinButtonCtrl : public CWnd
{
    DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    void SetRange(short nLower, short nUpper);
    void SetRange32(int nLower, int nUpper);
    void GetRange(int& lower, int& upper) const;
    DWORD GetRange() const;
    int SetPos(int nPos);
    // With a buddy showing the number, the buddy's text is read first.
    int GetPos() const;
    int SetPos32(int nPos);
    int GetPos32(BOOL* lpbError = nullptr) const;
    CWnd* SetBuddy(CWnd* pWndBuddy);
    CWnd* GetBuddy() const;
    int SetBase(int nBase);
    UINT GetBase() const;
};

// Holds its content twice: as rich text (RTF) and as plain text. Text set or inserted as
// an RTF document ("{\rtf...") is kept as given and read into plain text; appending at the
// end (SetSel(-1, -1) or SetSel(-1, 0) ... ReplaceSel, StreamIn with SFF_SELECTION) adds
// to both, so a document assembled from RTF fragments streams out as one RTF document.
// Paragraph ends read from RTF become "\r\n" in the plain text.
class CRichEditCtrl : public CWnd
{
    DECLARE_DYNAMIC(CRichEditCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    void SetSel(long nStartChar, long nEndChar);
    void SetSel(CHARRANGE& cr);
    void GetSel(long& nStartChar, long& nEndChar) const;
    void GetSel(CHARRANGE& cr) const;
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE);
    long GetTextLength() const;
    int GetLineCount() const;
    CString GetSelText() const;
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
    void LimitText(long nChars = 0);
    long GetLimitText() const;
    void HideSelection(BOOL bHide, BOOL bPerm);
    long StreamIn(int nFormat, EDITSTREAM& es);
    long StreamOut(int nFormat, EDITSTREAM& es);
    BOOL SetDefaultCharFormat(CHARFORMAT& cf);
    BOOL SetSelectionCharFormat(CHARFORMAT& cf);
    BOOL SetWordCharFormat(CHARFORMAT& cf);
    DWORD GetDefaultCharFormat(CHARFORMAT& cf) const;
    DWORD GetSelectionCharFormat(CHARFORMAT& cf) const;
    COLORREF SetBackgroundColor(BOOL bSysColor, COLORREF cr);
    DWORD SetEventMask(DWORD dwEventMask);
    DWORD GetEventMask() const;
    BOOL GetModify() const;
    void SetModify(BOOL bModified = TRUE);
    int LineIndex(int nLine = -1) const;
    int LineLength(int nLine = -1) const;
    void LineScroll(int nLines, int nChars = 0);
    int GetFirstVisibleLine() const;
    BOOL CanUndo() const { return FALSE; }
    void EmptyUndoBuffer() {}
    void Clear() { ReplaceSel(""); }
};

// Image lists keep copies of the images added to them.
class CImageList : public CObject
{
    DECLARE_DYNAMIC(CImageList)
public:
    CImageList() = default;
    ~CImageList() override;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    HIMAGELIST m_hImageList = nullptr;
    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    static CImageList* FromHandle(HIMAGELIST h);

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // Loads the resource bitmap and cuts it into images cx wide.
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL DeleteImageList();
    int GetImageCount() const;
    // Adds the bitmap's images (one per cx pixels of its width); pixels of crMask become
    // transparent when the list has a mask. Returns the index of the first, or -1.
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    int Add(HICON hIcon);
    BOOL Remove(int nImage);
    BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
    BOOL GetImageInfo(int nImage, struct IMAGEINFO* pImageInfo) const;
    COLORREF SetBkColor(COLORREF cr);
    COLORREF GetBkColor() const;
    BOOL SetImageCount(UINT uNewCount);
    CSize GetImageSize() const;
    // The pixels of one image (transparent pixels are those the mask took); null when the
    // index is out of range.
    const vyr::Image* GetImage(int nImage) const;
    bool IsTransparent(int nImage, int x, int y) const;
};

struct IMAGEINFO
{
    HBITMAP hbmImage;
    HBITMAP hbmMask;
    int Unused1;
    int Unused2;
    RECT rcImage;
};

class CMenu : public CObject
{
    DECLARE_DYNAMIC(CMenu)
public:
    CMenu() = default;
    ~CMenu() override;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;
    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return m_hMenu; }
    static CMenu* FromHandle(HMENU hMenu);
    BOOL Attach(HMENU hMenu);
    HMENU Detach();

    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    BOOL DestroyMenu();
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    BOOL RemoveMenu(UINT nPosition, UINT nFlags);
    BOOL DeleteMenu(UINT nPosition, UINT nFlags);
    // Previous state (MF_CHECKED / MF_UNCHECKED), or (UINT)-1 when there is no such item.
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
    BOOL CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags);
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    int GetMenuItemCount() const;
    UINT GetMenuItemID(int nPos) const;
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    CMenu* GetSubMenu(int nPos) const;
    BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE);
    // The scripted user chooses an item (vyr::ScriptMenuChoice). With TPM_RETURNCMD the
    // chosen command is returned (0 when dismissed); otherwise it is posted to pWnd as
    // WM_COMMAND and the result is TRUE.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);
};

// ---------------------------------------------------------------------------------------

namespace vyr {

// Registers the window classes of the controls (once; later calls do nothing). The
// window layer runs it before creating its first window.
void RegisterControlClasses();

// The font of a template's FONT statement (9-point 宋体: characters of 12 pixels), made
// once per face and size and kept for the process; null for a template without one. A
// dialog or form view made from the template takes it with WM_SETFONT.
HFONT DialogTemplateFont(const DialogTemplate& t);
// Creates the control a dialog template describes, as a child of parent, with the object
// of its class (a CComboBox for "ComboBox", ...; a plain window for other class names).
// The object belongs to the window and is deleted with it. The control takes the parent's
// font, as the dialog manager gives every control its dialog's font.
CWnd* CreateControlFromTemplate(const DialogControl& ctrl, CWnd* parent);
// Adds a template's DLGINIT texts to the dialog's combo and list boxes (in script order),
// as dialog creation does before OnInitDialog.
void ApplyDialogInit(CWnd* dialog, UINT templateId);

// The plain text of an RTF document or fragment, as a rich edit shows it: paragraph and
// row ends become "\r\n", cells and tabs "\t"; \uN and \'hh (GBK) become UTF-8; font,
// colour and style tables and other hidden destinations give nothing.
std::string RtfToPlainText(const std::string& rtf);

// ---- What a user does to controls (for the scripted user) -------------------------------
// Each runs on the control's thread and notifies as the user's action does; it returns
// false, changing nothing, when the user could not do it (a hidden or disabled control,
// a read-only edit, an index out of range).

// A click on a button: auto check boxes toggle (3-state ones cycle), auto radio buttons
// take the check from the others of their group, then BN_CLICKED.
bool UserClickButton(HWND hButton);
// Types a text into an edit (or an editable combo box): the whole text is replaced,
// cut to the limit, then EN_UPDATE and EN_CHANGE (CBN_EDITUPDATE and CBN_EDITCHANGE).
bool UserSetText(HWND hCtrl, const char* text);
// Chooses a row of a combo box's list: the selection and text change, then CBN_SELCHANGE.
bool UserChooseComboItem(HWND hCombo, int index);
bool UserChooseComboText(HWND hCombo, const char* text); // the first exact match
// Clicks a row of a list box (ctrl toggles in a multiple-selection box), then
// LBN_SELCHANGE; a double click adds LBN_DBLCLK. Needs LBS_NOTIFY to notify, as Windows.
bool UserClickListBoxItem(HWND hList, int index, bool doubleClick = false, bool ctrl = false);
// Clicks a row of a list view: the selection moves to it (LVN_ITEMCHANGED for each item
// whose state changes; with ctrl in a multiple-selection list it toggles), then NM_CLICK
// (and NM_DBLCLK for a double click, NM_RCLICK for the right button).
bool UserClickListItem(HWND hList, int item, int subItem = 0, bool doubleClick = false, bool ctrl = false,
                       bool rightButton = false);
// Clicks a column heading: LVN_COLUMNCLICK.
bool UserClickListColumn(HWND hList, int column);
// Ends the label edit started by EditLabel: LVN_ENDLABELEDIT with the text (null when
// cancelled); the label takes the text when the parent answers TRUE.
bool UserEndLabelEdit(HWND hList, const char* text, bool cancel = false);
// Chooses a tab: TCN_SELCHANGING (a nonzero answer keeps the old tab), then TCN_SELCHANGE.
bool UserChooseTab(HWND hTab, int index);
// Presses a spin arrow: UDN_DELTAPOS (a nonzero answer refuses), the new position in the
// buddy, then WM_VSCROLL (WM_HSCROLL with UDS_HORZ) with SB_THUMBPOSITION.
bool UserSpin(HWND hSpin, int delta);

// ---- Menus the scripted user answers ----------------------------------------------------
struct TrackedMenu
{
    std::vector<CString> items;    // texts; separators as ""
    std::vector<UINT> ids;         // command ids (0 for separators and submenus)
    std::vector<UINT> states;      // MF_CHECKED / MF_GRAYED / MF_DISABLED bits
    UINT flags = 0;
    POINT pt{0, 0};
    UINT chosen = 0;               // 0: dismissed
};
// The next TrackPopupMenu chooses this command (0 dismisses the menu). A command that is
// not an enabled item of the menu fails loudly.
void ScriptMenuChoice(UINT id);
// The menus tracked so far, oldest first; ClearTrackedMenus forgets them and any
// choices not yet used.
std::vector<TrackedMenu> TrackedMenus();
void ClearTrackedMenus();

} // namespace vyr

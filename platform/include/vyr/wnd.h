// Windows, message maps and the window device contexts of the headless stand-in.
//
// A window is a record in the window layer (its HWND is the record's address): parent,
// children in creation order (the tab order), control id, text, style, rectangle,
// visibility, enabled state, the thread that created it, and its message procedure.
// A window's messages go to the CWnd attached to it: its message map first, then
// DefWindowProc, which ends in the built-in behaviour of the window's class (buttons, edits,
// combo boxes ...: see vyr::RegisterWindowClass) and finally in ::DefWindowProc.
//
// Threads: a window belongs to the thread that created it. SendMessage from another thread
// is carried to that thread and waits until it has answered, which happens while the
// owning thread pumps (GetMessage, PeekMessage, a modal loop) or itself waits in a
// SendMessage. Window operations that change state (SetWindowText, ShowWindow,
// EnableWindow, ...) travel the same way.
#pragma once

#include <functional>
#include <memory>

#include <vyr/cstring.h>
#include <vyr/gdi.h>
#include <vyr/object.h>
#include <vyr/winmsg.h>
#include <vyr/wintypes.h>

class CCmdTarget;
class CWnd;
class CDataExchange;
class CScrollBar;

// ---------------------------------------------------------------------------------------
// Message maps

// Calls one handler: casts the target to the class that declared the entry and passes the
// message's arguments in the handler's own types. Returns FALSE when the handler declined
// (only the built-in dispatch of ranges uses that).
typedef BOOL (*AFX_PMSG_THUNK)(CCmdTarget* target, UINT nID, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;         // window message; 0 ends the table
    UINT nCode;            // WM_COMMAND / WM_NOTIFY: notification code
    UINT nID;              // WM_COMMAND / WM_NOTIFY: first control id
    UINT nLastID;          // last id of a range
    const UINT* pnMessage; // ON_REGISTERED_MESSAGE: the variable holding the number
    AFX_PMSG_THUNK pfn;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#ifndef afx_msg
#define afx_msg
#endif

// Marker for entries of ON_REGISTERED_MESSAGE (the number is read through pnMessage).
#define VYR_REGISTERED_MESSAGE 0xC000u

#define DECLARE_MESSAGE_MAP()                                   \
protected:                                                      \
    static const AFX_MSGMAP* GetThisMessageMap();               \
    const AFX_MSGMAP* GetMessageMap() const override;           \
                                                                \
protected:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                      \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                 \
    {                                                                               \
        [[maybe_unused]] typedef theClass ThisClass;                                \
        typedef baseClass TheBaseClass;                                             \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                  \
    {0, 0, 0, 0, nullptr, nullptr}                                                         \
    }                                                                                      \
    ;                                                                                      \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
    return &messageMap;                                                                    \
    }

// Handlers are named as members of their class: ON_COMMAND(ID_X, &CMyDlg::OnX).
#define VYR_THUNK(body) +[](CCmdTarget* pTarget, UINT nID, WPARAM wParam, LPARAM lParam, LRESULT* pResult) -> BOOL { \
    ThisClass* pThis = static_cast<ThisClass*>(pTarget);                                                            \
    (void)pThis; (void)nID; (void)wParam; (void)lParam; (void)pResult;                                             \
    body                                                                                                             \
    return TRUE;                                                                                                     \
}

#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, 0, (UINT)(id), (UINT)(id), nullptr, VYR_THUNK((pThis->*static_cast<void (ThisClass::*)()>(memberFxn))();)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, 0, (UINT)(id), (UINT)(idLast), nullptr, VYR_THUNK((pThis->*static_cast<void (ThisClass::*)(UINT)>(memberFxn))(nID);)},
#define ON_CONTROL(code, id, memberFxn) \
    {WM_COMMAND, (UINT)(WORD)(code), (UINT)(id), (UINT)(id), nullptr, VYR_THUNK((pThis->*static_cast<void (ThisClass::*)()>(memberFxn))();)},
#define ON_CONTROL_RANGE(code, id, idLast, memberFxn) \
    {WM_COMMAND, (UINT)(WORD)(code), (UINT)(id), (UINT)(idLast), nullptr, VYR_THUNK((pThis->*static_cast<void (ThisClass::*)(UINT)>(memberFxn))(nID);)},
// Menu state updates have no menus to update here.
#define ON_UPDATE_COMMAND_UI(id, memberFxn)
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)

#define ON_NOTIFY(code, id, memberFxn)                                                              \
    {WM_NOTIFY, (UINT)(code), (UINT)(id), (UINT)(id), nullptr,                                    \
     VYR_THUNK((pThis->*static_cast<void (ThisClass::*)(NMHDR*, LRESULT*)>(memberFxn))(          \
         reinterpret_cast<NMHDR*>(lParam), pResult);)},
#define ON_NOTIFY_RANGE(code, id, idLast, memberFxn)                                                \
    {WM_NOTIFY, (UINT)(code), (UINT)(id), (UINT)(idLast), nullptr,                                \
     VYR_THUNK((pThis->*static_cast<void (ThisClass::*)(UINT, NMHDR*, LRESULT*)>(memberFxn))(    \
         nID, reinterpret_cast<NMHDR*>(lParam), pResult);)},

#define ON_MESSAGE(message, memberFxn)                                                              \
    {(UINT)(message), 0, 0, 0, nullptr,                                                           \
     VYR_THUNK(*pResult = (pThis->*static_cast<LRESULT (ThisClass::*)(WPARAM, LPARAM)>(memberFxn))(wParam, lParam);)},
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                          \
    {VYR_REGISTERED_MESSAGE, 0, 0, 0, &(nMessageVariable),                                        \
     VYR_THUNK(*pResult = (pThis->*static_cast<LRESULT (ThisClass::*)(WPARAM, LPARAM)>(memberFxn))(wParam, lParam);)},

// Window messages with the class library's cracked arguments.
#define ON_WM_CREATE() \
    {WM_CREATE, 0, 0, 0, nullptr, VYR_THUNK(*pResult = (LRESULT)pThis->OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam));)},
#define ON_WM_DESTROY() {WM_DESTROY, 0, 0, 0, nullptr, VYR_THUNK(pThis->OnDestroy();)},
#define ON_WM_CLOSE() {WM_CLOSE, 0, 0, 0, nullptr, VYR_THUNK(pThis->OnClose();)},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, 0, nullptr, VYR_THUNK(pThis->OnPaint();)},
#define ON_WM_SHOWWINDOW() \
    {WM_SHOWWINDOW, 0, 0, 0, nullptr, VYR_THUNK(pThis->OnShowWindow((BOOL)wParam, (UINT)lParam);)},
#define ON_WM_TIMER() {WM_TIMER, 0, 0, 0, nullptr, VYR_THUNK(pThis->OnTimer((UINT_PTR)wParam);)},
#define ON_WM_SIZE() \
    {WM_SIZE, 0, 0, 0, nullptr, VYR_THUNK(pThis->OnSize((UINT)wParam, (int)(short)LOWORD(lParam), (int)(short)HIWORD(lParam));)},
#define ON_WM_MOVE() \
    {WM_MOVE, 0, 0, 0, nullptr, VYR_THUNK(pThis->OnMove((int)(short)LOWORD(lParam), (int)(short)HIWORD(lParam));)},
#define VYR_ON_MOUSE(msg, fn) {msg, 0, 0, 0, nullptr, VYR_THUNK(pThis->fn((UINT)wParam, CPoint(lParam));)},
#define ON_WM_LBUTTONDOWN() VYR_ON_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() VYR_ON_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() VYR_ON_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() VYR_ON_MOUSE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() VYR_ON_MOUSE(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() VYR_ON_MOUSE(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() VYR_ON_MOUSE(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() VYR_ON_MOUSE(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MOUSEMOVE() VYR_ON_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_SETCURSOR()                                                                       \
    {WM_SETCURSOR, 0, 0, 0, nullptr,                                                            \
     VYR_THUNK(*pResult = (LRESULT)pThis->OnSetCursor(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), \
                                                     (UINT)LOWORD(lParam), (UINT)HIWORD(lParam));)},
#define ON_WM_MOUSEWHEEL()                                                                      \
    {WM_MOUSEWHEEL, 0, 0, 0, nullptr,                                                           \
     VYR_THUNK(*pResult = (LRESULT)pThis->OnMouseWheel((UINT)LOWORD(wParam), (short)HIWORD(wParam), CPoint(lParam));)},
#define ON_WM_KEYDOWN() \
    {WM_KEYDOWN, 0, 0, 0, nullptr, VYR_THUNK(pThis->OnKeyDown((UINT)wParam, (UINT)LOWORD(lParam), (UINT)HIWORD(lParam));)},
#define ON_WM_KEYUP() \
    {WM_KEYUP, 0, 0, 0, nullptr, VYR_THUNK(pThis->OnKeyUp((UINT)wParam, (UINT)LOWORD(lParam), (UINT)HIWORD(lParam));)},
#define ON_WM_CHAR() \
    {WM_CHAR, 0, 0, 0, nullptr, VYR_THUNK(pThis->OnChar((UINT)wParam, (UINT)LOWORD(lParam), (UINT)HIWORD(lParam));)},
#define ON_WM_SETFOCUS() \
    {WM_SETFOCUS, 0, 0, 0, nullptr, VYR_THUNK(pThis->OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));)},
#define ON_WM_KILLFOCUS() \
    {WM_KILLFOCUS, 0, 0, 0, nullptr, VYR_THUNK(pThis->OnKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));)},
#define ON_WM_ERASEBKGND() \
    {WM_ERASEBKGND, 0, 0, 0, nullptr, VYR_THUNK(*pResult = (LRESULT)pThis->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));)},
#define ON_WM_CTLCOLOR()                                                                          \
    {WM_CTLCOLOREDIT, 0, 0, 0, nullptr, VYR_THUNK(*pResult = (LRESULT)pThis->OnCtlColor(          \
        CDC::FromHandle(reinterpret_cast<HDC>(wParam)), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), CTLCOLOR_EDIT);)}, \
    {WM_CTLCOLORLISTBOX, 0, 0, 0, nullptr, VYR_THUNK(*pResult = (LRESULT)pThis->OnCtlColor(       \
        CDC::FromHandle(reinterpret_cast<HDC>(wParam)), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), CTLCOLOR_LISTBOX);)}, \
    {WM_CTLCOLORBTN, 0, 0, 0, nullptr, VYR_THUNK(*pResult = (LRESULT)pThis->OnCtlColor(           \
        CDC::FromHandle(reinterpret_cast<HDC>(wParam)), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), CTLCOLOR_BTN);)}, \
    {WM_CTLCOLORDLG, 0, 0, 0, nullptr, VYR_THUNK(*pResult = (LRESULT)pThis->OnCtlColor(           \
        CDC::FromHandle(reinterpret_cast<HDC>(wParam)), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), CTLCOLOR_DLG);)}, \
    {WM_CTLCOLORSTATIC, 0, 0, 0, nullptr, VYR_THUNK(*pResult = (LRESULT)pThis->OnCtlColor(        \
        CDC::FromHandle(reinterpret_cast<HDC>(wParam)), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), CTLCOLOR_STATIC);)},
#define ON_WM_HSCROLL()                                                                           \
    {WM_HSCROLL, 0, 0, 0, nullptr, VYR_THUNK(pThis->OnHScroll((UINT)LOWORD(wParam), (UINT)HIWORD(wParam), \
        CWnd::ScrollBarFromHandle(reinterpret_cast<HWND>(lParam)));)},
#define ON_WM_VSCROLL()                                                                           \
    {WM_VSCROLL, 0, 0, 0, nullptr, VYR_THUNK(pThis->OnVScroll((UINT)LOWORD(wParam), (UINT)HIWORD(wParam), \
        CWnd::ScrollBarFromHandle(reinterpret_cast<HWND>(lParam)));)},
#define ON_WM_CONTEXTMENU() \
    {WM_CONTEXTMENU, 0, 0, 0, nullptr, VYR_THUNK(pThis->OnContextMenu(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), CPoint(lParam));)},

// ---------------------------------------------------------------------------------------

struct CREATESTRUCT
{
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCTSTR lpszName;
    LPCTSTR lpszClass;
    DWORD dwExStyle;
};
typedef CREATESTRUCT* LPCREATESTRUCT;

typedef void (*TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);

struct PAINTSTRUCT
{
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
};
typedef PAINTSTRUCT* LPPAINTSTRUCT;

class CCmdTarget;

// Filled by OnCmdMsg when asked only whether a command has a handler: the object whose map
// has it and the entry. The handler is not called then.
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget = nullptr;
    const AFX_MSGMAP_ENTRY* pEntry = nullptr;
};

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    ~CCmdTarget() override = default;

    // Finds the handler of a command (nCode 0 or a control notification) in the message
    // map and calls it; TRUE when one was found. With pHandlerInfo it only fills that in.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // Scans a map chain, derived first; the first entry that matches handles the message.
    static const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP* map, UINT nMessage, UINT nCode, UINT nID);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

class CWnd : public CCmdTarget
{
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd();
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }
    // The object attached to a window; null for no window or a destroyed one.
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd) { return FromHandle(hWnd); }
    // The scroll-bar argument of OnHScroll/OnVScroll: the sender when it is a CScrollBar.
    static CScrollBar* ScrollBarFromHandle(HWND hWnd);

    // Creation. lpszClassName names a registered window class ("Button", "Edit", ...) or
    // none (a plain window). The object stays attached until the window is destroyed.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, void* pContext = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                  int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL DestroyWindow();
    // Called after the last message of the window; a heap window may delete itself here.
    virtual void PostNcDestroy() {}

    // Attaching an object to an existing window (the window keeps its class behaviour).
    BOOL Attach(HWND hWnd);
    HWND Detach();
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // Messages.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // The current message, passed on to DefWindowProc.
    LRESULT Default();
    static const MSG* GetCurrentMessage();

    // Family.
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetOwner() const { return GetParent(); }
    CWnd* GetTopLevelParent() const;
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetTopWindow() const { return GetWindow(GW_CHILD); }
    CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const { return GetWindow(nFlag); }
    BOOL IsChild(const CWnd* pWnd) const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    CWnd* GetDlgItem(int nID) const;
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;

    // Text.
    void SetWindowText(LPCTSTR lpszString);
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    void SetDlgItemText(int nID, LPCTSTR lpszString);
    int GetDlgItemText(int nID, CString& rString) const;
    int GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;

    // Buttons of a dialog.
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
    int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton);
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // Style and state.
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsIconic() const { return (GetStyle() & WS_MINIMIZE) != 0; }
    BOOL IsZoomed() const { return (GetStyle() & WS_MAXIMIZE) != 0; }

    // Geometry. Window rectangles are in screen coordinates; a child's client origin is at
    // its window rectangle's top left (no borders in this stand-in).
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
    void CenterWindow(CWnd* pAlternateOwner = nullptr);

    // Painting. Invalidation is recorded and answered by one WM_PAINT when the thread's
    // queue is empty; UpdateWindow paints at once.
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, void* prgnUpdate = nullptr, UINT flags = RDW_INVALIDATE);
    CDC* GetDC();
    CDC* GetWindowDC() { return GetDC(); }
    int ReleaseDC(CDC* pDC);

    // Input.
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);
    CWnd* SetCapture();
    static CWnd* GetCapture();
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetActiveWindow() { return this; }
    BOOL SetForegroundWindow() { return TRUE; }
    void BringWindowToTop() {}

    // Answered by the scripted user (see scripteduser.h).
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);

    // Data exchange with the controls of this window.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange*) {}

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override;

    // Default handlers: what the message would do without a map entry.
    afx_msg int OnCreate(LPCREATESTRUCT) { return (int)Default(); }
    afx_msg void OnDestroy() { Default(); }
    afx_msg void OnClose() { Default(); }
    afx_msg void OnPaint() { Default(); }
    afx_msg void OnShowWindow(BOOL, UINT) { Default(); }
    afx_msg void OnTimer(UINT_PTR) { Default(); }
    afx_msg void OnSize(UINT, int, int) { Default(); }
    afx_msg void OnMove(int, int) { Default(); }
    afx_msg void OnLButtonDown(UINT, CPoint) { Default(); }
    afx_msg void OnLButtonUp(UINT, CPoint) { Default(); }
    afx_msg void OnLButtonDblClk(UINT, CPoint) { Default(); }
    afx_msg void OnRButtonDown(UINT, CPoint) { Default(); }
    afx_msg void OnRButtonUp(UINT, CPoint) { Default(); }
    afx_msg void OnRButtonDblClk(UINT, CPoint) { Default(); }
    afx_msg void OnMButtonDown(UINT, CPoint) { Default(); }
    afx_msg void OnMButtonUp(UINT, CPoint) { Default(); }
    afx_msg void OnMouseMove(UINT, CPoint) { Default(); }
    afx_msg BOOL OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
    afx_msg BOOL OnMouseWheel(UINT, short, CPoint) { return (BOOL)Default(); }
    afx_msg void OnKeyDown(UINT, UINT, UINT) { Default(); }
    afx_msg void OnKeyUp(UINT, UINT, UINT) { Default(); }
    afx_msg void OnChar(UINT, UINT, UINT) { Default(); }
    afx_msg void OnSetFocus(CWnd*) { Default(); }
    afx_msg void OnKillFocus(CWnd*) { Default(); }
    afx_msg BOOL OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
    afx_msg HBRUSH OnCtlColor(CDC*, CWnd*, UINT) { return (HBRUSH)Default(); }
    afx_msg void OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
    afx_msg void OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
    afx_msg void OnContextMenu(CWnd*, CPoint) { Default(); }

    friend struct VyrWindowAccess;
};

// The class library's scroll bar, as handlers receive it.
class CScrollBar : public CWnd
{
    DECLARE_DYNAMIC(CScrollBar)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::Create("ScrollBar", nullptr, dwStyle, rect, pParentWnd, nID);
    }
};

// ---------------------------------------------------------------------------------------
// Window device contexts: drawing is recorded by the context (gdi.h) and, when the window
// is being rendered (vyr::RenderWindow), also rasterised into the window's image.

class CPaintDC : public CDC
{
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps;
    HWND m_hWnd;
};

class CClientDC : public CDC
{
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;
    HWND m_hWnd;
};

class CWindowDC : public CDC
{
    DECLARE_DYNAMIC(CWindowDC)
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;
    HWND m_hWnd;
};

// ---------------------------------------------------------------------------------------
// The Win32 functions over handles.

BOOL IsWindow(HWND hWnd);
LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostThreadMessage(DWORD idThread, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int nExitCode);
BOOL PeekMessage(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg);
inline BOOL PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg)
{
    return PeekMessage(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, wRemoveMsg);
}
// Waits for a message; FALSE on WM_QUIT.
BOOL GetMessage(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax);
BOOL TranslateMessage(const MSG* lpMsg);
LRESULT DispatchMessage(const MSG* lpMsg);
BOOL WaitMessage();
// The generic behaviour under every window class: text, show/enable state, WM_CLOSE
// destroying the window, WM_PAINT validating it.
LRESULT DefWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
HWND GetParent(HWND hWnd);
// The innermost running modal dialog that the window owns (directly or through other
// popups), or the window itself when it owns none.
HWND GetLastActivePopup(HWND hWnd);
HWND GetDlgItem(HWND hDlg, int nIDDlgItem);
int GetDlgCtrlID(HWND hWnd);
HWND GetFocus();
HWND SetFocus(HWND hWnd);
HWND GetCapture();
HWND SetCapture(HWND hWnd);
BOOL ReleaseCapture();
BOOL ShowWindow(HWND hWnd, int nCmdShow);
BOOL EnableWindow(HWND hWnd, BOOL bEnable);
BOOL IsWindowVisible(HWND hWnd);
BOOL IsWindowEnabled(HWND hWnd);
BOOL SetWindowText(HWND hWnd, LPCTSTR lpString);
int GetWindowText(HWND hWnd, LPTSTR lpString, int nMaxCount);
int GetWindowTextLength(HWND hWnd);
BOOL DestroyWindow(HWND hWnd);
BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase);
BOOL UpdateWindow(HWND hWnd);
BOOL GetClientRect(HWND hWnd, LPRECT lpRect);
BOOL GetWindowRect(HWND hWnd, LPRECT lpRect);
LONG GetWindowLong(HWND hWnd, int nIndex);
LONG SetWindowLong(HWND hWnd, int nIndex, LONG dwNewLong);
DWORD GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId);
HDC GetDC(HWND hWnd);
int ReleaseDC(HWND hWnd, HDC hDC);
HDC BeginPaint(HWND hWnd, PAINTSTRUCT* lpPaint);
BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint);
BOOL MessageBeep(UINT uType);
HCURSOR SetCursor(HCURSOR hCursor);
HCURSOR GetCursor();
// A cursor of the resource scripts, or with a null hInstance and a standard id (IDC_ARROW,
// ...) the system's standard cursor; null when there is no such cursor. The process has one
// set of resources, whatever module hInstance names. Each cursor is read once and shared:
// the same handle for the same cursor.
HCURSOR LoadCursor(HINSTANCE hInstance, LPCTSTR lpCursorName);
// A cursor file (.cur, 1 to 32 bits per pixel), shared like the cursors of LoadCursor.
HCURSOR LoadCursorFromFile(LPCTSTR lpFileName);
// Shared cursors live as long as the process: nothing to free.
BOOL DestroyCursor(HCURSOR hCursor);
// An icon of the resource scripts (an .ico file: of its images the one of the system icon
// size, else the first), read once and shared like the cursors; null when there is none.
HICON LoadIcon(HINSTANCE hInstance, LPCTSTR lpIconName);
BOOL DestroyIcon(HICON hIcon);
typedef struct _ICONINFO
{
    BOOL fIcon;
    DWORD xHotspot;
    DWORD yHotspot;
    HBITMAP hbmMask;
    HBITMAP hbmColor;
} ICONINFO, *PICONINFO;
// The hot spot and new bitmaps of a cursor (the caller deletes them): a monochrome cursor
// has no colour bitmap and a mask of twice its height (the AND mask above the XOR image).
// FALSE for a standard cursor of the system, whose pictures are the system's own.
BOOL GetIconInfo(HICON hIcon, PICONINFO piconinfo);
BOOL GetCursorPos(LPPOINT lpPoint);
BOOL SetCursorPos(int x, int y);
// The virtual clock that timers run on, in milliseconds.
DWORD GetTickCount();
UINT RegisterWindowMessage(LPCTSTR lpString);
// A window with no C++ object of its own (the window layer gives it the class's default).
HWND CreateWindowEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam);
// The screen is 1920 x 1080; icons are 32 x 32.
int GetSystemMetrics(int nIndex);
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SM_CXICON 11
#define SM_CYICON 12
// System parameters: only SPI_GETNONCLIENTMETRICS is answered, with fixed metrics (a menu
// font "微软雅黑" 12 pixels high, normal weight, upright); FALSE for anything else.
struct NONCLIENTMETRICS
{
    UINT cbSize;
    int iBorderWidth;
    int iScrollWidth;
    int iScrollHeight;
    int iCaptionWidth;
    int iCaptionHeight;
    LOGFONT lfCaptionFont;
    int iSmCaptionWidth;
    int iSmCaptionHeight;
    LOGFONT lfSmCaptionFont;
    int iMenuWidth;
    int iMenuHeight;
    LOGFONT lfMenuFont;
    LOGFONT lfStatusFont;
    LOGFONT lfMessageFont;
};
typedef NONCLIENTMETRICS NONCLIENTMETRICSA;
#define SPI_GETNONCLIENTMETRICS 0x0029
BOOL SystemParametersInfo(UINT uiAction, UINT uiParam, LPVOID pvParam, UINT fWinIni);
// Answered by the scripted user.
int MessageBox(HWND hWnd, LPCTSTR lpText, LPCTSTR lpCaption, UINT uType);

#define GWL_STYLE (-16)
#define GWL_EXSTYLE (-20)
#define GWL_ID (-12)

// ---------------------------------------------------------------------------------------

namespace vyr {

// Built-in behaviour of a window class, one instance per window: the window procedure in
// which DefWindowProc ends. It calls ::DefWindowProc for what it does not handle itself.
class WindowClassProc
{
public:
    virtual ~WindowClassProc() = default;
    virtual LRESULT WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

struct WindowClass
{
    // Per-window behaviour; may be empty (a plain window).
    std::function<std::unique_ptr<WindowClassProc>()> makeProc;
    // The object a window of this class gets when nothing is attached to it (a dialog's
    // controls created from its template): e.g. a CComboBox for "ComboBox", so that
    // GetDlgItem's result may be used as one.
    std::function<std::unique_ptr<CWnd>()> makeWnd;
};

// Registers a class by name, case-insensitively ("Button", "Edit", "ComboBox", "ListBox",
// "Static", "SysListView32", ...). A later registration replaces the earlier. Registration
// must be run explicitly (a static initialiser in a static library may never be linked).
void RegisterWindowClass(const char* name, WindowClass cls);
const WindowClass* FindWindowClass(const char* name);
// The class name a window was created with.
CString GetWindowClassName(HWND hWnd);

// A control tells its parent: WM_COMMAND with MAKEWPARAM(id, code) and its handle, or
// WM_NOTIFY with an NMHDR whose hwndFrom/idFrom/code are filled here. Sent, synchronously.
LRESULT NotifyParent(HWND hCtrl, UINT code);
LRESULT NotifyParent(HWND hCtrl, NMHDR* pHeader, UINT code);

// Runs fn on the thread of the window (at once when that is the calling thread) and waits
// for it, as a cross-thread SendMessage does.
LRESULT RunOnWindowThread(HWND hWnd, const std::function<LRESULT()>& fn);

// Processes everything the calling thread has queued (sent, posted, timers due, paints),
// then returns the number of messages handled. Tests use it as a message loop's turn.
int PumpMessages();

// The virtual clock: moves it on and lets due timers fire at the next pump.
void AdvanceClock(DWORD milliseconds);

// What a window recorded: invalidations (Invalidate, InvalidateRect, RedrawWindow) and
// the WM_PAINTs it was sent.
struct WindowCounters
{
    int invalidations = 0;
    int paints = 0;
};
WindowCounters GetWindowCounters(HWND hWnd);
// The cursor handle last set by ::SetCursor (recorded).
HCURSOR CurrentCursor();
// The pointer moves to a client point of a window, as the system reports it: the cursor
// position is set, the window is sent WM_SETCURSOR (hit test HTCLIENT, WM_MOUSEMOVE), then
// WM_MOUSEMOVE with the key flags.
void UserMoveMouse(HWND hWnd, POINT client, UINT keyFlags = 0);

// Paints the window and its visible children into an image of the window's size (children
// over their parent), then returns it; the pixels come from the window's own WM_PAINT
// handlers through CPaintDC.
std::shared_ptr<Image> RenderWindow(HWND hWnd);

} // namespace vyr

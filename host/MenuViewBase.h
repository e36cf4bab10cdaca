// The side panels and their container. The host's main frame has one side area showing
// one panel at a time; every panel is a form view of the library (CMenuViewBase) and the
// host's CFrameViews creates them all as hidden children of a frame, hands them the model
// root and switches the visible one by its type name.
//
// Panel type names: "View.Floor", "View.Frequent", "View.Project", "View.Section",
// "View.PropNode", "View.PropBeam", "View.PropWall", "View.PropPlane", "View.PropBCInWall"
// (and "View.Axis", which the host provides). Object kind codes: 0 node, 1 member, 2 wall,
// 3 room, 4 coupling beam in a wall, 100 every kind at once.
#pragma once

#include <map>

#include <vyr/stdafx.h>

class CGlobalData;

class CMenuViewBase : public CFormView
{
    DECLARE_DYNAMIC(CMenuViewBase)
public:
    explicit CMenuViewBase(unsigned long nIDTemplate);
    ~CMenuViewBase() override = default;

    // The panel's type name ("View.Floor", ...).
    virtual CString GetType() const = 0;
    // Lays the controls out for the current client size.
    virtual void Resize() {}
    // Refills the panel from the model.
    virtual void Update() {}
    // The panel becomes, or stops being, the visible one.
    virtual void DoShow() {}
    virtual void DoHide() {}

    // Creates the panel's window hidden (WS_CHILD only) with the size of its template.
    using CFormView::Create;
    virtual BOOL Create(CWnd* pParentWnd, UINT nID, CCreateContext* pContext);
    void SetParam(CGlobalData* pGlobalData) { m_pGlobalData = pGlobalData; }

    CGlobalData* m_pGlobalData = nullptr;

protected:
    DECLARE_MESSAGE_MAP()
};

class CFrameViews
{
public:
    CFrameViews() = default;
    virtual ~CFrameViews();
    CFrameViews(const CFrameViews&) = delete;
    CFrameViews& operator=(const CFrameViews&) = delete;

    // The frame whose client area shows the panels and whose active view is the shown one.
    void SetFrameWnd(CFrameWnd* pFrameWnd) { m_pFrameWnd = pFrameWnd; }
    // Creates a panel of the class and registers it under its type name. A name already
    // registered takes the new panel; the older one is destroyed.
    CMenuViewBase* Add(CRuntimeClass* pClass);
    // Creates every registered panel's window, hidden, with the ids 1, 2, ... in name order.
    void Create(CCreateContext* pContext);
    // Hands the model root to every panel.
    void SetParam(CGlobalData* pGlobalData);
    // The panel of that name (an empty name: the current one); null when there is none.
    CMenuViewBase* GetDlg(const CString& strType);
    // Refills the panel of that name, or every panel for an empty name.
    void Update(const CString& strType);
    // Makes the panel of that name the visible one; an unknown or empty name changes nothing.
    void SwitchToView(const CString& strType);
    // Routes a command to the visible panel; 0 when there is none or it did not handle it.
    int OnCmdMsg(unsigned nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // The type name last switched to.
    const CString& GetCurrentType() const { return m_strCurrent; }

private:
    // Byte order of the names' multibyte form, as the C run-time's _mbscmp gives it.
    struct NameLess
    {
        bool operator()(const CString& a, const CString& b) const;
    };
    // The shown panel: the frame's active view or the first of its parents that is a panel.
    CMenuViewBase* FindVisible() const;

    // Destroys a panel that leaves the registry: its window, or the object itself when it
    // never got one.
    void Discard(CMenuViewBase* panel);

    std::map<CString, CMenuViewBase*, NameLess> m_views;
    // The window each panel was given (null: none yet). A panel goes with its window, so
    // the container only ever deletes a panel that never had one.
    std::map<CMenuViewBase*, HWND> m_windows;
    CString m_strCurrent;
    CFrameWnd* m_pFrameWnd = nullptr;
};

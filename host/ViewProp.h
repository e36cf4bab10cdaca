// The base of the side panels that show the properties of the selected nodes, members,
// walls, rooms and coupling beams: a panel holding a property grid. It answers the grid's
// two messages, opens the host's query dialog for the panel's object kind and fits the
// active drawing view to the selected objects.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/host/MenuViewBase.h>
#include <vyr/host/PropsUI.h>

class CViewProp : public CMenuViewBase
{
    DECLARE_DYNAMIC(CViewProp)
public:
    // The parent is not used: the container creates the panel as a child of its frame.
    CViewProp(UINT nIDTemplate, CWnd* pParent = nullptr);
    ~CViewProp() override;

    // Called after a row's dialog ran; a panel refills itself here.
    virtual void ChangeAfterOtherProp() {}
    // The panel's object kind (ObjKind); -1 for no kind.
    virtual int GetObjType() { return -1; }

    // WM_PROP_ENDEDIT: the grid rewrites the rows the edit changed.
    LRESULT OnEndEditProp(WPARAM wParam, LPARAM lParam);
    // WM_PROP_OTHER: runs the row's dialog, refreshes its descriptor, then lets the panel
    // refill. Answers 0, so a row edited through its dialog value shows its old text again
    // until the refill.
    LRESULT OnOtherProp(WPARAM wParam, LPARAM lParam);
    // The query button: runs the host's query dialog on the panel's kind.
    void OnClickQuery();
    // The locate button: fits the active view to the selected objects of the kind.
    void OnPosition(int kind);

    CPropsUI m_PropsUI;

protected:
    DECLARE_MESSAGE_MAP()
};

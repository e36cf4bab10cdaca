// The property dialog of one object, which the user opens by a double click on it in a
// drawing view. The host keeps one and hands it out (WM_UI_GETPROPDLG); the selection
// operators set the object and run it. Its grid edits the object in place and, like the
// dialog's place, remembers its open groups and scroll across openings.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/protocol/DlgPropBase.h>
#include <vyr/host/PropsUI.h>
#include <vyr/model/struct/structure.h>

class CDlgProp : public CDlgPropBase
{
public:
    enum
    {
        IDD = 9847
    };

    explicit CDlgProp(CWnd* pParent = nullptr);
    ~CDlgProp() override;

    // kind: an object kind (ObjKind); any other opens an empty grid.
    void SetParam(CGlobalData* data, void* object, int kind) override
    {
        m_pGlobalData = data;
        m_pObject = object;
        m_nKind = kind;
    }
    float GetUnitLength();

    CGlobalData* m_pGlobalData = nullptr;
    void* m_pObject = nullptr;
    int m_nKind = 0;
    CPropsUI m_PropsUI;
    // The one-object lists the grid is given, one per kind.
    CPNodeList m_NodeList;
    CBeamList m_BeamList;
    CWallList m_WallList;
    CPlaneList m_PlaneList;
    CBeamList m_BCInWallList;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg LRESULT OnEndEditProp(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnOtherProp(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The list of the kind holding just the object; null for any other kind.
    void* PutObject();
};

// The five selection-property panels: nodes, members, walls, rooms and coupling beams in
// walls. Each shows a drop-down list offering all selected objects of its kind or any one
// of them, the locate, screen-selection and query buttons, and the property grid of the
// chosen objects; the wall and room panels also sketch the one chosen object.
//
// The host gives each panel a current-object slot (a pointer to its own object pointer):
// the panel writes the object chosen in the drop-down list into it, or null for "all".
#pragma once

#include <vector>

#include <vyr/stdafx.h>
#include <vyr/host/ViewProp.h>
#include <vyr/model/geometry/geometry.h>
#include <vyr/model/struct/structure.h>

class CViewPropNode : public CViewProp
{
    DECLARE_DYNCREATE(CViewPropNode)
public:
    enum
    {
        IDD = 9843
    };
    CViewPropNode();
    ~CViewPropNode() override;

    CString GetType() const override { return "View.PropNode"; }
    int GetObjType() override { return OBJKIND_NODE; }
    void Resize() override;
    void Update() override;
    void ChangeAfterOtherProp() override { OnSelchangeComboProp(); }
    void OnInitialUpdate() override;

    void SetParam(CPNode** ppCurrent);
    using CMenuViewBase::SetParam;
    void FillCombo();
    void UpdateNodeList();
    virtual void DealChange(int) {}

    void OnSelchangeComboProp();
    void OnPositionIt() { OnPosition(OBJKIND_NODE); }
    void OnNodeSelect();

    CPNodeList* m_pNodeList;
    CPNode** m_ppCurrentNode = nullptr;
    CComboBox m_wndCombo;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};

class CViewPropBeam : public CViewProp
{
    DECLARE_DYNCREATE(CViewPropBeam)
public:
    enum
    {
        IDD = 9844
    };
    CViewPropBeam();
    ~CViewPropBeam() override;

    CString GetType() const override { return "View.PropBeam"; }
    int GetObjType() override { return OBJKIND_BEAM; }
    void Resize() override;
    void Update() override;
    void ChangeAfterOtherProp() override { OnSelchangeComboProp(); }
    void OnInitialUpdate() override;

    void SetParam(CBeamBase** ppCurrent);
    using CMenuViewBase::SetParam;
    void FillCombo();
    void UpdateBeamList();
    virtual void DealChange(int) {}

    void OnSelchangeComboProp();
    void OnPositionIt() { OnPosition(OBJKIND_BEAM); }
    void OnBeamSelect();

    CBeamList m_BeamList;
    CBeamBase** m_ppCurrentBeam = nullptr;
    CComboBox m_wndCombo;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};

class CViewPropWall : public CViewProp
{
    DECLARE_DYNCREATE(CViewPropWall)
public:
    enum
    {
        IDD = 9845
    };
    CViewPropWall();
    ~CViewPropWall() override;

    CString GetType() const override { return "View.PropWall"; }
    int GetObjType() override { return OBJKIND_WALL; }
    void Resize() override;
    void Update() override;
    void ChangeAfterOtherProp() override { OnSelchangeComboProp(); }
    void OnInitialUpdate() override;

    void SetParam(CWall** ppCurrent);
    using CMenuViewBase::SetParam;
    void FillCombo();
    void UpdateWallList();
    virtual void DealChange(int) {}
    CWall* pCurrentWall() const { return m_ppCurrentWall ? *m_ppCurrentWall : nullptr; }

    // Draws the chosen wall in elevation with its openings into frame 1127.
    void UpdateDraw();
    // The outline (P0 lower left, P1 lower right, P2 upper right, P3 upper left, in frame
    // pixels), the wall's four corner points and the model units per pixel.
    void GetPt(std::vector<CPoint2D>& outline, std::vector<CPoint3D>& corners, double& scale);

    void OnSelchangeComboProp();
    void OnPositionIt() { OnPosition(OBJKIND_WALL); }
    void OnWallSelect();
    // Painting the panel (between its begin and end of painting) draws the sketch.
    void OnDraw(CDC*) override { UpdateDraw(); }

    CWallList m_WallList;
    CWall** m_ppCurrentWall = nullptr;
    CComboBox m_wndCombo;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};

class CViewPropPlane : public CViewProp
{
    DECLARE_DYNCREATE(CViewPropPlane)
public:
    enum
    {
        IDD = 9846
    };
    CViewPropPlane();
    ~CViewPropPlane() override;

    CString GetType() const override { return "View.PropPlane"; }
    int GetObjType() override { return OBJKIND_PLANE; }
    void Resize() override;
    void Update() override;
    void ChangeAfterOtherProp() override { OnSelchangeComboProp(); }
    void OnInitialUpdate() override;

    void SetParam(CPlane** ppCurrent);
    using CMenuViewBase::SetParam;
    void FillCombo();
    void UpdatePlaneList();
    virtual void DealChange(int) {}
    CPlane* pCurrentPlane() const { return m_ppCurrentPlane ? *m_ppCurrentPlane : nullptr; }

    // Draws the chosen room in plan with its secondary beams into frame 1127.
    void UpdateDraw();

    void OnSelchangeComboProp();
    void OnPositionIt() { OnPosition(OBJKIND_PLANE); }
    void OnPlaneSelect();
    // Painting the panel (between its begin and end of painting) draws the sketch.
    void OnDraw(CDC*) override { UpdateDraw(); }

    CPlaneList m_PlaneList;
    CPlane** m_ppCurrentPlane = nullptr;
    CComboBox m_wndCombo;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};

class CViewPropBCInWall : public CViewProp
{
    DECLARE_DYNCREATE(CViewPropBCInWall)
public:
    enum
    {
        IDD = 9852
    };
    CViewPropBCInWall();
    ~CViewPropBCInWall() override;

    CString GetType() const override { return "View.PropBCInWall"; }
    int GetObjType() override { return OBJKIND_BCINWALL; }
    void Resize() override;
    void Update() override;
    void ChangeAfterOtherProp() override { OnSelchangeComboProp(); }
    void OnInitialUpdate() override;

    void SetParam(CBeamBase** ppCurrent);
    using CMenuViewBase::SetParam;
    void FillCombo();
    void UpdateBeamList();
    virtual void DealChange(int) {}

    void OnSelchangeComboProp();
    void OnPositionIt() { OnPosition(OBJKIND_BCINWALL); }
    void OnBeamSelect();

    CBeamList m_BeamList;
    CBeamBase** m_ppCurrentBeam = nullptr;
    CComboBox m_wndCombo;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};

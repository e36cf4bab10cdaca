// The opening of one room or of several rooms at once: a rectangle parallel to a chosen
// edge, or a circle, placed by offsets from the room's first vertex, or none. One room is
// drawn to scale with its nodes and the opening; OK checks the opening inside the room and
// replaces the room's opening. With several rooms OK gives the opening to every room it
// fits, reports how many did not and stays open; leaving then still reports the change.
#pragma once

#include <vector>

#include <vyr/stdafx.h>
#include <vyr/model/geometry/geometry.h>
#include <vyr/model/struct/Plane.h>

class CGlobalData;

class CDlgPlaneHoleDefine : public CDialog
{
public:
    explicit CDlgPlaneHoleDefine(CWnd* pParent = nullptr);

    CGlobalData* m_pData = nullptr;
    CPlaneList m_PlaneList;    // the rooms to work on, appended by the caller
    CPlaneList m_FitPlaneList; // several rooms: those whose opening passed at the last OK

    // Display units: the rectangle's first corner or the circle's centre from the room's
    // first vertex, the rectangle's height (across the edge) or the circle's radius, and
    // its width (along the edge).
    float m_fX = 0.0f;
    float m_fY = 0.0f;
    int m_nKind = 2;           // 0 rectangle, 1 circle, 2 none
    float m_fHeight = 0.0f;
    float m_fWidth = 0.0f;
    int m_nEdge = 0;           // reference edge k: from vertex k to vertex k + 1
    double m_dAngle = 0.0;     // direction of the reference edge, radians
    int m_bShowNodes = TRUE;
    int m_nVexNum = 0;         // one room: its vertices; several: the most of any of them
    int m_nNodeNum = 0;

    // The opening checked in one room (a message for a size of none, and, with one room,
    // for a corner outside it); with several rooms a room that passes joins the fitting
    // rooms.
    bool CheckHole(CPlane* room);
    // Draws the preview into a context over the preview frame's client area.
    void DrawPreview(CDC* pDC);
    // Whether an OK has changed a room's opening yet.
    bool Changed() const { return m_bChanged; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnPaint();
    afx_msg void OnRadioNone();
    afx_msg void OnRadioRect();
    afx_msg void OnRadioCircle();
    afx_msg void OnPreview();
    afx_msg void OnSelchangeEdge();
    afx_msg void OnShowNodes();
    DECLARE_MESSAGE_MAP()

private:
    bool OneRoom() const { return m_PlaneList.GetCount() == 1; }
    float Unit() const;
    void EnableControls();
    void LayoutPreview(CPlane* room);
    CPoint ToScreen(double x, double y) const;
    // Single mode: the room passes; several: the fitting rooms are collected.
    bool CheckRooms();
    // The opening of the current kind and values for the room, a rectangle parallel to the
    // direction angle (null for none).
    CHole* MakeHole(CPlane* room, double angle) const;
    void ReplaceHole(CPlane* room, CHole* hole);
    void FreePreview();
    void Redraw();

    CRect m_rcPreview;
    CPoint2D m_ptCenter;
    double m_dScale = 1.0;
    std::vector<CPoint> m_ptNodes; // the room's nodes in preview pixels
    std::vector<CPoint> m_ptVexes; // its vertices
    bool m_bChanged = false;
};

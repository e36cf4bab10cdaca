// The web opening of I and H members: the web of the first listed member drawn as an
// elevation with its corner dimensions, one opening (rectangle, circle or none) placed by
// its centre and sized in millimetres, checked to lie inside the web and previewed. OK
// gives every listed member its own copy of the opening, or removes theirs. Model lengths
// and section heights are taken times 10: the dialog works in millimetres whatever the
// display unit.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/model/geometry/geometry.h>
#include <vyr/model/struct/Member.h>

class CDlgBeamWebHole : public CDialog
{
public:
    explicit CDlgBeamWebHole(CWnd* pParent = nullptr);

    // The web outline in mm: (0, 0), (0, h1), (L, h2), (L, 0), h1 and h2 the section height
    // at the start and at the end.
    CPoint2D m_ptWeb[4];
    CPoint m_ptScreen[4];   // the same in preview pixels
    double m_dScale = 1.0;  // pixels per millimetre
    CPoint2D m_ptCenter;    // centre of the outline's bounding box
    CBeamList m_BeamList;   // the members to work on; the first is the one drawn
    CRect m_rcPreview;      // the preview frame's client area

    float m_fX = 1000.0f;   // centre along the member, mm
    float m_fY = 200.0f;    // centre across the web, mm
    int m_nKind = 0;        // 0 rectangle, 1 circle, 2 none; the model's type is kind + 1
    float m_fHeight = 200.0f; // rectangle height, circle diameter, mm
    float m_fWidth = 500.0f;  // rectangle width, mm

    // The opening as the members hold it: size, then every corner (of the circle's square)
    // inside the web. Shows the first fault; false then.
    bool CheckHole();
    // Draws the web, its corner dimensions and the opening into a context over the preview
    // frame's client area.
    void DrawPreview(CDC* pDC);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnPaint();
    afx_msg void OnRadioRect();
    afx_msg void OnRadioCircle();
    afx_msg void OnRadioNone();
    afx_msg void OnPreview();
    DECLARE_MESSAGE_MAP()

private:
    void LayoutWeb();
    void EnableBoxes();
    void DrawPreview();
    // A web point (mm, from the first outline corner) in preview pixels.
    CPoint ToScreen(double x, double y) const;
};

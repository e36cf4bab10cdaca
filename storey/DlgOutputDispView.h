// The storey displacement diagram: for the case and tower of the statistics dialog that owns
// it, the largest drift angle (left panel) and the average storey displacement (right panel)
// of every included storey over the height, with axes, ticks, storey numbers, the largest
// drift's value (on "Warn" past the limit) and the top displacement, inside a frame.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/dialog.h>
#include <vyr/model/draw/draw.h>

class CDlgLayerDispDifferOutput;
class CGlobalData;

class CDlgOutputDispView : public CDialog
{
public:
    explicit CDlgOutputDispView(CWnd* pParent = nullptr);

    // Panel kinds.
    enum
    {
        PANEL_DRIFT = 1,
        PANEL_DISP = 2
    };

    CGlobalData* m_pGlobalData = nullptr; // set by the opener
    CViewPreview m_Preview;
    CDraw* m_pDraw = nullptr;             // the preview owns it
    float m_fTopZ = 0.0f;                 // m
    float m_fMaxDisp = 0.0f;              // mm
    float m_fMaxDrift = 0.0f;
    float m_fDispScale = 0.0f;
    float m_fDriftScale = 0.0f;
    float m_fBaseZ = 0.0f;                // m
    float m_fTextH = 30.0f;
    float m_fPanelW = 250.0f;
    float m_fPanelH = 420.0f;
    float m_fDriftLimit = 1.0f;
    CDlgLayerDispDifferOutput* m_pStat = nullptr; // the statistics dialog that owns the window

    void CreateLayer(CDraw& draw);
    void CreatePreviewCor(CDrawBlock& block, const CPoint2D& origin, int kind);
    void OnDraw(int index, float height, float value, int storeyNo, CPoint2D& previous, CDrawBlock& block, int kind);
    void CreatePreviewNode(CDrawBlock& block, const CPoint2D& centre, float halfSide);
    void DrawTail(CDrawBlock& block, const CPoint2D& origin);

protected:
    BOOL OnInitDialog() override;

private:
    // Vertical scale: drawing units per metre of elevation.
    float VerticalScale() const;
};

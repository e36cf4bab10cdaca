// The diagram of the storey shears and overturning moments of the case current in the
// storey shear and overturning moment dialog that opens it: the shear staircase and the
// moment polyline side by side in a frame, built once on opening and shown by a preview.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/dialog.h>
#include <vyr/model/draw/DrawBlock.h>
#include <vyr/model/draw/ViewPreview.h>

class CGlobalData;
class CDlgLayerVMOutput;

class CDlgLayerVMDraw : public CDialog
{
public:
    explicit CDlgLayerVMDraw(CWnd* pParent = nullptr);

    // The diagrams drawn by DrawAxis and DrawStorey.
    enum
    {
        KIND_SHEAR = 1,
        KIND_MOMENT = 2
    };

    // The drawing's layers "VM", "Text", "Cor" and "Tail".
    void CreateLayers(CDraw* draw);
    void DrawAxis(CDrawBlock* block, CPoint2D origin, int kind);
    // One storey's value at its level, continuing the diagram from the running point, which
    // it moves on. A storey number no real storey carries draws nothing.
    void DrawStorey(float value, int no, CPoint2D& running, CDrawBlock* block, int kind);
    void DrawFrame(CDrawBlock* block, CPoint2D origin);

    CGlobalData* m_pGlobalData = nullptr; // set by the opener
    CViewPreview m_Preview;
    CDraw* m_pDraw = nullptr;             // shown and owned by the preview
    float m_fH = 0.0f;                    // top elevation, m
    float m_fVmax = 0.0f;
    float m_fMmax = 0.0f;
    float m_fScaleV = 1.0f;
    float m_fScaleM = 1.0f;
    float m_fZ0 = 0.0f;                   // base elevation, m
    float m_fTextHeight = 30.0f;
    int m_nTopNo = 0;

protected:
    BOOL OnInitDialog() override;

private:
    CLayer* Layer(const char* name) const;
    // The drawing of the parent's rows.
    void Build(const CDlgLayerVMOutput& parent);
};

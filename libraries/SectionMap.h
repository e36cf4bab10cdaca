// The section drawing of the section dialogs: a light-grey field in a frame control with
// the section drawn to fit, optionally its axes, and its dimensions.
#pragma once

#include <functional>

#include <vyr/stdafx.h>

class CSectionBase;

// Fills rect with light grey (RGB 192, 192, 192; the outline in the current pen), then
// draws the section into it, its axes 2 and 3 when bAxes, and its dimensions.
void DrawSectionMap(CDC* pDC, CRect rect, CSectionBase* pSec, bool bAxes);

// A dialog's frame control, subclassed so that its own paint draws through the dialog:
// the drawing then survives a repaint of the frame and shows when the dialog is rendered.
class CSectionMapFrame : public CWnd
{
public:
    // Called with the paint context and the client rectangle; while null the frame paints
    // as the plain control.
    std::function<void(CDC*, CRect)> m_paint;

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};

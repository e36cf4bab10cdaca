// Exclusive-or feedback of the operators (rubber lines and figures, selection and zoom
// frames, snap markers): drawn straight onto the view window without a repaint, and drawn
// a second time to take it away.
#pragma once

#include <vyr/stdafx.h>

// A device context set up for exclusive-or drawing: null brush, transparent background,
// R2_XORPEN and a pen of its own; the context's previous state is restored when the object
// goes, and a context of a view window is released then.
class CXorDC
{
public:
    // A context of the view's window; DC() is null when the view has no window.
    CXorDC(CWnd* view, int penStyle, int penWidth, COLORREF colour);
    // A context that the caller holds.
    CXorDC(CDC* dc, int penStyle, int penWidth, COLORREF colour);
    ~CXorDC();
    CXorDC(const CXorDC&) = delete;
    CXorDC& operator=(const CXorDC&) = delete;

    CDC* DC() const { return m_pDC; }

private:
    void SetUp(int penStyle, int penWidth, COLORREF colour);

    CWnd* m_pWnd = nullptr; // set when the context is the object's to release
    CDC* m_pDC = nullptr;
    CPen m_pen;
    CGdiObject* m_pOldBrush = nullptr;
    CGdiObject* m_pOldPen = nullptr;
    int m_nOldBk = 0;
    int m_nOldRop = 0;
};

// The frame of a rubber rectangle between two corners as stored (not normalised), solid or
// dotted, in the frame colour of the selection and zoom-window operators.
void VyrDrawXorFrame(CDC* pDC, const CRect& corners, bool solid);
// The same on the view's window (nothing when it has none).
void VyrDrawXorFrame(CWnd* view, const CRect& corners, bool solid);

// CViewPreview: the graphics library's preview window. It shows a drawing (CDraw) fitted
// into its client area on a black background, each unit in the colour of its layer.
#pragma once

#include <vyr/stdafx.h>

#include <vyr/model/draw/DrawBlock.h>

class CViewPreview : public CWnd
{
public:
    CViewPreview() = default;
    ~CViewPreview() override;

    // A child window of parent at rect (parent's client coordinates).
    BOOL Create(const CRect& rect, CWnd* parent, unsigned long id);
    // Shows this drawing from now on; the preview owns it and deletes it (and the drawing
    // it showed before).
    void SetDraw(CDraw* draw);
    CDraw* GetDraw() const { return m_pDraw; }

    // Paints the drawing into dc fitted into client with a margin of 10 pixels.
    void PaintDraw(CDC* dc, const CRect& client);

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    DECLARE_MESSAGE_MAP()

private:
    void PaintBlock(CDC* dc, const CDrawBlock& block);

    CDraw* m_pDraw = nullptr;
};

// The project panel ("View.Project"): at the top a square preview of the whole structure
// as a wire sketch in the current 3-D view direction, with a white frame marking what the
// active drawing view shows; below it the project information in a two-column grid. The
// host calls StructChanged, ViewChanged and WindowChanged when the structure, the view
// direction or the visible window change.
#pragma once

#include <memory>

#include <vyr/stdafx.h>
#include <vyr/host/MenuViewBase.h>
#include <vyr/model/grid/gridctrl.h>

class CStructSketch;

// The preview: draws the sketch once into a cached bitmap, then only copies the bitmap
// and moves the frame by exclusive-or drawing. A member of its panel: its window going
// does not delete it.
class CViewPreview3D : public CView
{
    DECLARE_DYNCREATE(CViewPreview3D)
public:
    CViewPreview3D();
    ~CViewPreview3D() override;

    // A child with a border, reached by Tab; runs the initial update once created.
    using CView::Create;
    BOOL Create(const RECT& rect, CWnd* pParentWnd, UINT nID);
    void SetStructSketch(CStructSketch* pSketch) { m_pSketch = pSketch; }
    // The sketch's view changed: it is drawn afresh at the next paint.
    void ChangeView();
    // Moves the frame to the rectangle (preview pixels). While the preview is hidden the
    // rectangle waits and is applied when it shows.
    void SetRectWindow(const CRect& rect);
    // (Re)creates the cache and the memory context for the client size.
    void CreateBitmap();
    void OnDraw(CDC* pDC) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // What the preview holds, for its owner and tests.
    CBitmap& Cache() { return m_bmpCache; }
    CDC* MemoryDC() const { return m_pMemDC.get(); }
    const CRect& Frame() const { return m_rcFrame; }
    const CRect& PendingFrame() const { return m_rcPending; }
    // The frame as it stands in the cache now (empty: none).
    const CRect& DrawnFrame() const { return m_rcDrawn; }
    bool IsSketchDirty() const { return m_bSketchDirty; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override {}
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    DECLARE_MESSAGE_MAP()

    // Exclusive-or draws the frame rectangle into the memory context.
    void XorFrame(const CRect& rect);

    CStructSketch* m_pSketch = nullptr;
    CBitmap m_bmpCache;
    bool m_bSketchDirty = true;
    bool m_bFrameDirty = true;
    std::unique_ptr<CDC> m_pMemDC;
    CRect m_rcFrame;
    CRect m_rcPending;
    // The frame actually drawn in the cache: a sketch redraw or a new cache wipes it, and
    // only a drawn frame is drawn again to remove it.
    CRect m_rcDrawn;
};

class CViewProject : public CMenuViewBase
{
    DECLARE_DYNCREATE(CViewProject)
public:
    CViewProject();
    ~CViewProject() override = default;

    CString GetType() const override { return "View.Project"; }
    void OnInitialUpdate() override;
    void Update() override;
    void Resize() override;

    // The structure's members or walls changed: the sketch is imported afresh.
    void StructChanged();
    // The 3-D view direction changed: the sketch is projected and fitted anew.
    void ViewChanged();
    // The active view's visible window changed: the frame follows it.
    void WindowChanged();

    CGridCtrl& Grid() { return m_grid; }
    CViewPreview3D& Preview() { return m_preview; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

    CGridCtrl m_grid;
    CViewPreview3D m_preview;
};

// The view operators: temporary operators that change how the drawing view shows the model
// (pan, zoom by dragging, free rotation of the 3-D view, zoom to a picked window) without
// touching the model, and give control back to the operator they interrupted.
#pragma once

#include <vyr/operators/OP.h>

// Loads a cursor of the library through the resource chain.
HCURSOR VyrLoadOPCursor(UINT id);
// Tells the host that the 2-D view matrix changed.
void VyrAnnounceViewChanged();

// What pan and free rotation share: a drag of the view with the left button, or with the
// middle button in a temporary use that the manager started (SetPt); the right button or
// ESC gives control back to the interrupted operator.
class COPViewDrag : public COP
{
public:
    bool MouseAction(int code, UINT flags, CPoint point, short wheelDelta) override;
    bool KeyDown(UINT key, UINT repeat, UINT flags) override;
    bool KeyUp(UINT, UINT, UINT) override { return false; }
    // The operator's cursor; none while a temporary use waits for its first drag.
    HCURSOR GetCursor() const override;
    void OnDraw(CDC*) override {}
    void SetPts(int, const std::vector<CPoint3D>&) override {}
    void GetPts(int, std::vector<CPoint3D>&) override {}

    // A temporary use started at point (the middle button): shows the cursor at once.
    void SetPt(CPoint point);
    bool GetIsTempUse() const { return m_bTempUse; }
    bool IsDragging() const { return m_bDragging; }

protected:
    // cursor: the resource id; tempButtons and action: the parts of the tool tip.
    COPViewDrag(UINT cursor, const char* tempButtons, const char* action);
    COPViewDrag(const COPViewDrag&) = default;
    COPViewDrag& operator=(const COPViewDrag&) = default;

    // A move with the drag button held; true when it changed the view. The start point
    // moves on to the point only then.
    virtual bool DragTo(CPoint point) = 0;

    void GetPts_Inn(std::vector<CPoint3D>&) override {}
    void SetPts_Inn(int&, const std::vector<CPoint3D>&) override {}

    CPoint m_ptStart;
    bool m_bTempUse;
    bool m_bDragging;

private:
    UINT m_nCursor;
    const char* m_pszTempButtons;
    const char* m_pszAction;
};

class COPViewPan : public COPViewDrag
{
    DECLARE_VYROP(COPViewPan)
public:
    COPViewPan();
    COPViewPan(const COPViewPan& o) = default;
    COPViewPan& operator=(const COPViewPan& o) = default;

    CObj* Clone() const override { return new COPViewPan(*this); }
    void CopyFrom(const CObj& other) override;
    CString GetType() const override { return "OP.ViewPan"; }
    CString GetDesc() const override { return "视图平移"; }

protected:
    // Moves the view by the mouse movement.
    bool DragTo(CPoint point) override;
};

class COPViewZoom : public COP
{
    DECLARE_VYROP(COPViewZoom)
public:
    COPViewZoom();
    COPViewZoom(const COPViewZoom& o) : COP(o) { CopyFields(o); }
    COPViewZoom& operator=(const COPViewZoom& o);

    CObj* Clone() const override { return new COPViewZoom(*this); }
    void CopyFrom(const CObj& other) override;
    CString GetType() const override { return "OP.ViewZoom"; }
    CString GetDesc() const override { return "视图缩放"; }

    bool MouseAction(int code, UINT flags, CPoint point, short wheelDelta) override;
    bool KeyDown(UINT key, UINT repeat, UINT flags) override;
    bool KeyUp(UINT, UINT, UINT) override { return false; }
    HCURSOR GetCursor() const override { return VyrLoadOPCursor(IDC_OPVIEW_ZOOM); }
    void OnDraw(CDC*) override {}
    void SetPts(int, const std::vector<CPoint3D>&) override {}
    void GetPts(int, std::vector<CPoint3D>&) override {}

    // Scales the view of the model root by factor about a client point and announces it.
    // A factor that is not a positive finite number would collapse or mirror the view and
    // is ignored.
    static void Zoom(double factor, CPoint point, CGlobalData* modelRoot);

protected:
    void GetPts_Inn(std::vector<CPoint3D>&) override {}
    void SetPts_Inn(int&, const std::vector<CPoint3D>&) override {}

private:
    void CopyFields(const COPViewZoom& o);

    CPoint m_ptPress;
    // The drag zooms from the view as it was at the press, so the result depends on where
    // the pointer is and not on how many move events arrived.
    bool m_bPressed;
    CMatrix2D m_mxPress;
};

class COPViewFree : public COPViewDrag
{
    DECLARE_VYROP(COPViewFree)
public:
    COPViewFree();
    COPViewFree(const COPViewFree& o) = default;
    COPViewFree& operator=(const COPViewFree& o) = default;

    CObj* Clone() const override { return new COPViewFree(*this); }
    void CopyFrom(const CObj& other) override;
    CString GetType() const override { return "OP.ViewFree"; }
    CString GetDesc() const override { return "视图自由变换"; }

    // Smallest mouse movement, in pixels along either axis, that rotates the view.
    static constexpr int kRotateThreshold = 5;

protected:
    // Asks the host to rotate its 3-D view by the mouse movement.
    bool DragTo(CPoint point) override;
};

class COPViewWindow : public COP
{
    DECLARE_VYROP(COPViewWindow)
public:
    COPViewWindow();
    COPViewWindow(const COPViewWindow& o) : COP(o) { CopyFields(o); }
    COPViewWindow& operator=(const COPViewWindow& o);
    ~COPViewWindow() override;

    CObj* Clone() const override { return new COPViewWindow(*this); }
    void CopyFrom(const CObj& other) override;
    CString GetType() const override { return "OP.ViewWindow"; }
    CString GetDesc() const override { return "视图窗口放大"; }

    bool MouseAction(int code, UINT flags, CPoint point, short wheelDelta) override;
    bool KeyDown(UINT key, UINT repeat, UINT flags) override;
    bool KeyUp(UINT, UINT, UINT) override { return false; }
    HCURSOR GetCursor() const override { return nullptr; }
    void ResetState() override { m_pt2 = m_pt1; }
    void OnDraw(CDC*) override {}
    void SetPts(int, const std::vector<CPoint3D>&) override {}
    void GetPts(int, std::vector<CPoint3D>&) override {}

    // The rubber rectangle in exclusive-or mode on the view window (at step 0 only), so
    // drawing it twice leaves the screen as it was.
    void DrawWhenMove();
    // The same figure on any context.
    static void DrawFrame(CDC* pDC, CPoint a, CPoint b);

    CPoint GetFirstCorner() const { return m_pt1; }
    CPoint GetSecondCorner() const { return m_pt2; }

protected:
    void GetPts_Inn(std::vector<CPoint3D>&) override {}
    void SetPts_Inn(int&, const std::vector<CPoint3D>&) override {}

private:
    void CopyFields(const COPViewWindow& o);
    CRect FrameRect() const;

    CPoint m_pt1;
    CPoint m_pt2;
};

#include <vyr/operators/OPView.h>

#include <cmath>
#include <cstdlib>

#include <vyr/protocol/HostProtocol.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/model/struct/structure.h>
#include <vyr/operators/OPManager.h>
#include <vyr/operators/XorFeedback.h>

HCURSOR VyrLoadOPCursor(UINT id) { return ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(id)); }

void VyrAnnounceViewChanged()
{
    VyrSendToHost(WM_UI_VIEWCHANGED);
}

namespace {

int ClientHeight(CView* view)
{
    if (!view || !view->m_hWnd)
        return 0;
    CRect rc;
    view->GetClientRect(&rc);
    return rc.bottom - rc.top;
}

void ResumeTemp(COPManager* manager)
{
    if (manager)
        manager->ResumeTempOP();
}

// The tool tip of pan and free rotation.
CString DragTip(const CString& desc, bool temp, const char* tempButtons, const char* action)
{
    CString tip = desc + "->按下" + (temp ? tempButtons : "左键") + action;
    if (!temp)
        tip += "， 按ESC或者右键取消";
    return tip;
}

bool DragButtonHeld(UINT flags, bool tempUse)
{
    return (flags & MK_LBUTTON) || (tempUse && (flags & MK_MBUTTON));
}

} // namespace

// ---------------------------------------------------------------------------------------
// COPViewDrag

COPViewDrag::COPViewDrag(UINT cursor, const char* tempButtons, const char* action)
    : m_bTempUse(false), m_bDragging(false), m_nCursor(cursor), m_pszTempButtons(tempButtons), m_pszAction(action)
{
    m_nOPType = OPTYPE_TEMPORARY;
}

void COPViewDrag::SetPt(CPoint point)
{
    m_ptStart = point;
    m_bTempUse = true;
    ::SetCursor(VyrLoadOPCursor(m_nCursor));
}

HCURSOR COPViewDrag::GetCursor() const
{
    if (m_bTempUse && !m_bDragging)
        return nullptr;
    return VyrLoadOPCursor(m_nCursor);
}

bool COPViewDrag::MouseAction(int code, UINT flags, CPoint point, short)
{
    SetToolTip(DragTip(GetDesc(), m_bTempUse, m_pszTempButtons, m_pszAction));
    switch (code) {
    case OPMOUSE_LDOWN:
        m_ptStart = point;
        return true;
    case OPMOUSE_LUP:
    case OPMOUSE_MUP:
        if (!m_bDragging)
            return false;
        m_bDragging = false;
        return true;
    case OPMOUSE_MOVE:
        if (!DragButtonHeld(flags, m_bTempUse) || !DragTo(point))
            return false;
        m_ptStart = point;
        return true;
    case OPMOUSE_RCLICK:
        m_bDragging = false;
        ResumeTemp(m_pOPManager);
        return true;
    default:
        return false;
    }
}

bool COPViewDrag::KeyDown(UINT key, UINT, UINT)
{
    if (key != VK_ESCAPE)
        return false;
    m_bDragging = false;
    ResumeTemp(m_pOPManager);
    return true;
}

// ---------------------------------------------------------------------------------------
// COPViewPan

CObj* COPViewPan::COPViewPanCreate() { return new COPViewPan(); }

COPViewPan::COPViewPan() : COPViewDrag(IDC_OPVIEW_PAN, "中键", "拖动进行视图平移") {}

void COPViewPan::CopyFrom(const CObj& other)
{
    const COPViewPan* o = dynamic_cast<const COPViewPan*>(&other);
    VYR_CHECK(o != nullptr, "COPViewPan::CopyFrom: the source is not a pan operator");
    *this = *o;
}

bool COPViewPan::DragTo(CPoint point)
{
    if (!m_pGlobalData)
        return false;
    m_bDragging = true;
    CMatrix2D move;
    move.Identity();
    move.SetMove(point.x - m_ptStart.x, point.y - m_ptStart.y);
    m_pGlobalData->Matrix2D() *= move;
    VyrAnnounceViewChanged();
    return true;
}

// ---------------------------------------------------------------------------------------
// COPViewZoom

CObj* COPViewZoom::COPViewZoomCreate() { return new COPViewZoom(); }

COPViewZoom::COPViewZoom() : m_bPressed(false) { m_nOPType = OPTYPE_TEMPORARY; }

void COPViewZoom::CopyFields(const COPViewZoom& o)
{
    m_ptPress = o.m_ptPress;
    m_bPressed = o.m_bPressed;
    m_mxPress = o.m_mxPress;
}

COPViewZoom& COPViewZoom::operator=(const COPViewZoom& o)
{
    COP::operator=(o);
    CopyFields(o);
    return *this;
}

void COPViewZoom::CopyFrom(const CObj& other)
{
    const COPViewZoom* o = dynamic_cast<const COPViewZoom*>(&other);
    VYR_CHECK(o != nullptr, "COPViewZoom::CopyFrom: the source is not a zoom operator");
    *this = *o;
}

void COPViewZoom::Zoom(double factor, CPoint point, CGlobalData* modelRoot)
{
    if (!modelRoot || !std::isfinite(factor) || factor <= 0.0)
        return;
    CMatrix2D step;
    step.Identity();
    step.SetMove(-point.x, -point.y);
    modelRoot->Matrix2D() *= step;
    step.SetScale(factor);
    modelRoot->Matrix2D() *= step;
    step.SetMove(point.x, point.y);
    modelRoot->Matrix2D() *= step;
    VyrAnnounceViewChanged();
}

bool COPViewZoom::MouseAction(int code, UINT flags, CPoint point, short)
{
    SetToolTip(GetDesc() + "->拖动进行视图缩放，向上放大，向下缩小");
    switch (code) {
    case OPMOUSE_LDOWN:
        m_ptPress = point;
        m_bPressed = m_pGlobalData != nullptr;
        if (m_bPressed)
            m_mxPress = m_pGlobalData->Matrix2D();
        return true;
    case OPMOUSE_LUP:
        m_bPressed = false;
        return false;
    case OPMOUSE_MOVE: {
        if (!(flags & MK_LBUTTON) || !m_bPressed || !m_pGlobalData)
            return false;
        const int h = ClientHeight(m_pView);
        if (h <= 0)
            return false;
        const double factor = (double)(m_ptPress.y - point.y) / h * 0.5 + 1.0;
        if (!(factor > 0.0))
            return false;
        CMatrix2D& view = m_pGlobalData->Matrix2D();
        bool unchanged = true;
        for (int i = 0; i < 9; ++i)
            unchanged = unchanged && view.m[i] == m_mxPress.m[i];
        if (point == m_ptPress && unchanged)
            return false;
        view = m_mxPress;
        Zoom(factor, m_ptPress, m_pGlobalData);
        return true;
    }
    case OPMOUSE_RCLICK:
        ResumeTemp(m_pOPManager);
        return true;
    default:
        return false;
    }
}

bool COPViewZoom::KeyDown(UINT key, UINT, UINT)
{
    if (key != VK_ESCAPE)
        return false;
    ResumeTemp(m_pOPManager);
    return true;
}

// ---------------------------------------------------------------------------------------
// COPViewFree

CObj* COPViewFree::COPViewFreeCreate() { return new COPViewFree(); }

COPViewFree::COPViewFree() : COPViewDrag(IDC_OPVIEW_FREE, "中键和Ctrl键", "拖动进行视图自由变换") {}

void COPViewFree::CopyFrom(const CObj& other)
{
    const COPViewFree* o = dynamic_cast<const COPViewFree*>(&other);
    VYR_CHECK(o != nullptr, "COPViewFree::CopyFrom: the source is not a free-rotation operator");
    *this = *o;
}

bool COPViewFree::DragTo(CPoint point)
{
    m_bDragging = true;
    if (std::abs(point.x - m_ptStart.x) < kRotateThreshold && std::abs(point.y - m_ptStart.y) < kRotateThreshold)
        return false;
    VyrSendToHost(WM_UI_ROTATEVIEW, (WPARAM)&m_ptStart, (LPARAM)&point);
    return true;
}

// ---------------------------------------------------------------------------------------
// COPViewWindow

CObj* COPViewWindow::COPViewWindowCreate() { return new COPViewWindow(); }

COPViewWindow::COPViewWindow() { m_nOPType = OPTYPE_TEMPORARY; }

COPViewWindow::~COPViewWindow()
{
    // Leaves no rubber rectangle behind on the view.
    if (m_nStep == 0 && m_pView && ::IsWindow(m_pView->m_hWnd)) {
        CRect rc = FrameRect();
        m_pView->InvalidateRect(&rc, FALSE);
    }
}

void COPViewWindow::CopyFields(const COPViewWindow& o)
{
    m_pt1 = o.m_pt1;
    m_pt2 = o.m_pt2;
}

COPViewWindow& COPViewWindow::operator=(const COPViewWindow& o)
{
    COP::operator=(o);
    CopyFields(o);
    return *this;
}

void COPViewWindow::CopyFrom(const CObj& other)
{
    const COPViewWindow* o = dynamic_cast<const COPViewWindow*>(&other);
    VYR_CHECK(o != nullptr, "COPViewWindow::CopyFrom: the source is not a zoom-window operator");
    *this = *o;
}

// The rectangle of the two corners, with the pixels of its right and bottom edges.
CRect COPViewWindow::FrameRect() const
{
    CRect rc(m_pt1.x, m_pt1.y, m_pt2.x, m_pt2.y);
    rc.NormalizeRect();
    rc.right += 1;
    rc.bottom += 1;
    return rc;
}

void COPViewWindow::DrawFrame(CDC* pDC, CPoint a, CPoint b) { VyrDrawXorFrame(pDC, CRect(a, b), true); }

void COPViewWindow::DrawWhenMove()
{
    if (m_nStep == 0)
        VyrDrawXorFrame(m_pView, CRect(m_pt1, m_pt2), true);
}

bool COPViewWindow::MouseAction(int code, UINT, CPoint point, short)
{
    switch (code) {
    case OPMOUSE_LDOWN:
        if (m_nStep == -1) {
            m_pt1 = m_pt2 = point;
            m_nStep = 0;
            return true;
        }
        // Two equal corners give no rectangle to fit: wait for another second corner.
        if (point == m_pt1 || !m_pGlobalData || !m_pView || !::IsWindow(m_pView->m_hWnd))
            return false;
        m_pt2 = point;
        {
            CMatrix2D& view = m_pGlobalData->Matrix2D();
            const CMatrix2D inverse = view.Anti();
            const CPoint2D a = CPoint2D(m_pt1) * inverse;
            const CPoint2D b = CPoint2D(m_pt2) * inverse;
            CRect client;
            m_pView->GetClientRect(&client);
            view.SetZoomMatrix(client, CRect2D(a, b));
        }
        VyrAnnounceViewChanged();
        m_nStep = -1;
        return true;
    case OPMOUSE_MOVE:
        if (m_nStep == -1) {
            SetToolTip(GetDesc() + "->请选择两个点进行视图窗口放大，右键或者ESC键退出");
            return false;
        }
        DrawWhenMove();
        m_pt2 = point;
        DrawWhenMove();
        SetToolTip(GetDesc() + "->请选择另一点，右键或者ESC键取消");
        return false;
    case OPMOUSE_RCLICK:
        KeyDown(VK_ESCAPE, 1, 0);
        return false;
    default:
        return false;
    }
}

bool COPViewWindow::KeyDown(UINT key, UINT, UINT)
{
    if (key != VK_ESCAPE)
        return false;
    if (m_nStep == -1) {
        ResumeTemp(m_pOPManager);
        return true;
    }
    const CRect rc = FrameRect();
    ResetState();
    m_nStep = -1;
    if (m_pView && ::IsWindow(m_pView->m_hWnd))
        m_pView->InvalidateRect(&rc, FALSE);
    return true;
}

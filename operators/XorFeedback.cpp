#include <vyr/operators/XorFeedback.h>

namespace {
const COLORREF kFrameColour = RGB(255, 255, 128);
} // namespace

CXorDC::CXorDC(CWnd* view, int penStyle, int penWidth, COLORREF colour)
{
    if (!view || !::IsWindow(view->m_hWnd))
        return;
    m_pDC = view->GetDC();
    if (!m_pDC)
        return;
    m_pWnd = view;
    SetUp(penStyle, penWidth, colour);
}

CXorDC::CXorDC(CDC* dc, int penStyle, int penWidth, COLORREF colour) : m_pDC(dc)
{
    if (m_pDC)
        SetUp(penStyle, penWidth, colour);
}

void CXorDC::SetUp(int penStyle, int penWidth, COLORREF colour)
{
    m_pOldBrush = m_pDC->SelectStockObject(NULL_BRUSH);
    m_pOldPen = m_pDC->SelectStockObject(NULL_PEN);
    m_nOldBk = m_pDC->SetBkMode(TRANSPARENT);
    m_nOldRop = m_pDC->SetROP2(R2_XORPEN);
    m_pen.CreatePen(penStyle, penWidth, colour);
    m_pDC->SelectObject(&m_pen);
}

CXorDC::~CXorDC()
{
    if (!m_pDC)
        return;
    m_pDC->SelectObject(m_pOldPen);
    if (m_pOldBrush)
        m_pDC->SelectObject(m_pOldBrush);
    m_pDC->SetBkMode(m_nOldBk);
    m_pDC->SetROP2(m_nOldRop);
    if (m_pWnd)
        m_pWnd->ReleaseDC(m_pDC);
    m_pen.DeleteObject();
}

void VyrDrawXorFrame(CDC* pDC, const CRect& corners, bool solid)
{
    CXorDC xor_(pDC, solid ? PS_SOLID : PS_DOT, 1, kFrameColour);
    if (CDC* dc = xor_.DC())
        dc->Rectangle(corners.left, corners.top, corners.right, corners.bottom);
}

void VyrDrawXorFrame(CWnd* view, const CRect& corners, bool solid)
{
    CXorDC xor_(view, solid ? PS_SOLID : PS_DOT, 1, kFrameColour);
    if (CDC* dc = xor_.DC())
        dc->Rectangle(corners.left, corners.top, corners.right, corners.bottom);
}

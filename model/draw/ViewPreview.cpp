#include <vyr/model/draw/ViewPreview.h>

BEGIN_MESSAGE_MAP(CViewPreview, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CViewPreview::~CViewPreview()
{
    delete m_pDraw;
    m_pDraw = nullptr;
}

BOOL CViewPreview::Create(const CRect& rect, CWnd* parent, unsigned long id)
{
    return CWnd::Create(nullptr, "", WS_CHILD | WS_VISIBLE, rect, parent, (UINT)id);
}

void CViewPreview::SetDraw(CDraw* draw)
{
    if (draw != m_pDraw) delete m_pDraw;
    m_pDraw = draw;
    if (GetSafeHwnd()) Invalidate();
}

void CViewPreview::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    PaintDraw(&dc, client);
}

BOOL CViewPreview::OnEraseBkgnd(CDC*)
{
    // OnPaint fills the whole client area.
    return TRUE;
}

void CViewPreview::PaintDraw(CDC* dc, const CRect& client)
{
    if (!dc) return;
    dc->FillSolidRect(&client, RGB(0, 0, 0));
    if (!m_pDraw) return;
    CRect2D extent = m_pDraw->GetRealRect2D();
    if (extent.IsRectNull()) return;
    // The drawing's y axis points up: the extent's larger y is its top.
    CRect2D world(extent.left, std::max(extent.top, extent.bottom), extent.right, std::min(extent.top, extent.bottom));
    CRect area = client;
    if (area.Width() > 20 && area.Height() > 20) area.DeflateRect(10, 10);
    CMatrix2D m;
    m.SetZoomMatrix(area, world);
    m_pDraw->Change2DtoDp(&m);
    int oldBk = dc->SetBkMode(TRANSPARENT);
    PaintBlock(dc, *m_pDraw);
    dc->SetBkMode(oldBk);
}

void CViewPreview::PaintBlock(CDC* dc, const CDrawBlock& block)
{
    const CDrawUnitList& list = block.GetDrawUnitList();
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        CDrawUnit* u = list.GetNext(pos);
        if (const CDrawBlock* inner = dynamic_cast<const CDrawBlock*>(u)) {
            PaintBlock(dc, *inner);
            continue;
        }
        COLORREF colour = u->GetLayer() ? u->GetLayer()->GetColor() : RGB(255, 255, 255);
        CPen pen;
        pen.CreatePen(PS_SOLID, std::max(1, u->GetLineWidth()), colour);
        CBrush brush;
        brush.CreateSolidBrush(colour);
        CPen* oldPen = dc->SelectObject(&pen);
        CBrush* oldBrush = dc->SelectObject(&brush);
        COLORREF oldText = dc->SetTextColor(colour);
        u->Display(dc, CRect(0, 0, 0, 0));
        dc->SetTextColor(oldText);
        dc->SelectObject(oldBrush);
        dc->SelectObject(oldPen);
    }
}

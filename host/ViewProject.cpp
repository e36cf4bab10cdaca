#include <vyr/host/ViewProject.h>

#include <vyr/protocol/HostProtocol.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/ProjectRes.h>

// ---------------------------------------------------------------------------------------
// The preview

IMPLEMENT_DYNCREATE(CViewPreview3D, CView)

BEGIN_MESSAGE_MAP(CViewPreview3D, CView)
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CViewPreview3D::CViewPreview3D() = default;

CViewPreview3D::~CViewPreview3D()
{
    m_bmpCache.DeleteObject();
    if (m_pMemDC)
        m_pMemDC->DeleteDC();
}

BOOL CViewPreview3D::Create(const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    const BOOL created =
        CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, rect, pParentWnd, nID);
    if (created)
        OnInitialUpdate();
    return created;
}

void CViewPreview3D::ChangeView()
{
    m_bSketchDirty = true;
    if (GetSafeHwnd())
        Invalidate(FALSE);
}

void CViewPreview3D::SetRectWindow(const CRect& rect)
{
    if (GetSafeHwnd() && IsWindowVisible()) {
        // One paint takes the drawn frame away (if any) and draws the new one.
        m_rcFrame = rect;
        m_bFrameDirty = true;
        Invalidate(FALSE);
        UpdateWindow();
    } else {
        m_rcPending = rect;
        m_bSketchDirty = true;
    }
}

BOOL CViewPreview3D::PreTranslateMessage(MSG* pMsg)
{
    if (!m_rcPending.IsRectNull() && GetSafeHwnd() && IsWindowVisible()) {
        const CRect pending = m_rcPending;
        m_rcPending.SetRectEmpty();
        SetRectWindow(pending);
    }
    return CView::PreTranslateMessage(pMsg);
}

void CViewPreview3D::CreateBitmap()
{
    if (!GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    CDC* dc = GetDC();
    m_bmpCache.DeleteObject();
    // A failure (no area) leaves no cache; the paint then fills the field directly and
    // the next size change tries again.
    m_bmpCache.CreateCompatibleBitmap(dc, client.Width(), client.Height());
    if (m_pMemDC)
        m_pMemDC->DeleteDC();
    m_pMemDC = std::make_unique<CDC>();
    m_pMemDC->CreateCompatibleDC(dc);
    ReleaseDC(dc);
    m_rcDrawn.SetRectEmpty();
    m_bFrameDirty = true;
}

void CViewPreview3D::XorFrame(const CRect& rect)
{
    CDC& dc = *m_pMemDC;
    const int rop = dc.SetROP2(R2_XORPEN);
    CGdiObject* oldBrush = dc.SelectStockObject(NULL_BRUSH);
    CPen pen(PS_SOLID, 2, RGB(255, 255, 255));
    CPen* oldPen = dc.SelectObject(&pen);
    dc.Rectangle(&rect);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
    dc.SetROP2(rop);
}

void CViewPreview3D::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    if (!m_bmpCache.GetSafeHandle())
        CreateBitmap();
    if (!m_bmpCache.GetSafeHandle() || !m_pMemDC) {
        // No cache to copy from: the black field goes straight to the screen.
        pDC->FillSolidRect(&client, RGB(0, 0, 0));
        return;
    }
    CBitmap* old = m_pMemDC->SelectObject(&m_bmpCache);
    if (m_pSketch && m_bSketchDirty) {
        // The context keeps what it drew; the old cache's calls are of no further use.
        m_pMemDC->ClearRecords();
        CGdiObject* oldBrush = m_pMemDC->SelectStockObject(BLACK_BRUSH);
        CGdiObject* oldPen = m_pMemDC->SelectStockObject(BLACK_PEN);
        CRect field = client;
        m_pMemDC->DPtoLP(&field);
        field.NormalizeRect();
        m_pMemDC->Rectangle(&field);
        m_pMemDC->SelectObject(oldPen);
        m_pMemDC->SelectObject(oldBrush);
        m_pMemDC->SetBkMode(TRANSPARENT);
        m_pSketch->Display(m_pMemDC.get());
        m_bSketchDirty = false;
        // The redraw wiped the frame: it is drawn again below.
        m_rcDrawn.SetRectEmpty();
        m_bFrameDirty = true;
    }
    if (m_bFrameDirty) {
        if (m_rcDrawn != m_rcFrame) {
            if (!m_rcDrawn.IsRectEmpty())
                XorFrame(m_rcDrawn);
            if (!m_rcFrame.IsRectEmpty())
                XorFrame(m_rcFrame);
            m_rcDrawn = m_rcFrame;
        }
        m_bFrameDirty = false;
    }
    pDC->BitBlt(client.left, client.top, client.Width(), client.Height(), m_pMemDC.get(), client.left, client.top,
                SRCCOPY);
    m_pMemDC->SelectObject(old);
}

BOOL CViewPreview3D::OnEraseBkgnd(CDC* pDC)
{
    pDC->SetBkColor(RGB(0, 0, 0));
    return TRUE;
}

void CViewPreview3D::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    CreateBitmap();
}

void CViewPreview3D::OnSetFocus(CWnd* pOldWnd)
{
    CView::OnSetFocus(pOldWnd);
    if (auto* view = (CWnd*)VyrSendToHost(WM_UI_GETACTIVEVIEW))
        view->SetFocus();
}

BOOL CViewPreview3D::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (wParam == IDOK || wParam == IDCANCEL) {
        if (CWnd* parent = GetParent())
            parent->SendMessage(WM_COMMAND, wParam, 0);
        return TRUE;
    }
    return CView::OnCommand(wParam, lParam);
}

// ---------------------------------------------------------------------------------------
// The panel

IMPLEMENT_DYNCREATE(CViewProject, CMenuViewBase)

BEGIN_MESSAGE_MAP(CViewProject, CMenuViewBase)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CViewProject::CViewProject() : CMenuViewBase(IDD_VIEW_PROJECT) {}

int CViewProject::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMenuViewBase::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_grid.Create(CRect(0, 0, 0, 0), this, IDC_PROJECT_GRID, WS_CHILD | WS_VISIBLE);
    m_grid.SetListMode(TRUE);
    m_grid.SetFixedRowCount(1);
    m_grid.SetFixedColumnSelection(FALSE);
    m_grid.SetFixedRowSelection(FALSE);
    m_grid.EnableColumnHide(FALSE);
    m_grid.EnableRowHide(FALSE);
    m_grid.SetEditable(FALSE);
    m_grid.EnableSelection(TRUE);
    m_grid.SetHeaderSort(FALSE);
    m_grid.SetSingleRowSelection(TRUE);
    m_grid.SetSingleColSelection(TRUE);
    m_grid.SetRowCount(1);
    m_grid.SetColumnCount(2);
    m_grid.SetRowResize(FALSE);
    m_grid.SetColumnResize(FALSE);
    m_grid.SetTrackFocusCell(FALSE);
    m_grid.SetFrameFocusCell(FALSE);
    m_grid.SetColumnWidth(0, 10);
    m_grid.SetColumnWidth(1, 50);
    m_grid.SetItemText(0, 0, "项目信息");
    m_grid.SetItemText(0, 1, "内容");
    m_preview.Create(CRect(12, 142, 236, 390), this, IDC_PROJECT_PREVIEW);
    return 0;
}

void CViewProject::OnInitialUpdate()
{
    CMenuViewBase::OnInitialUpdate();
    Update();
}

void CViewProject::Update()
{
    if (!m_pGlobalData || !m_grid.GetSafeHwnd())
        return;
    m_grid.SetColumnWidth(0, 33);
    m_grid.SetColumnWidth(1, 50);
    m_pGlobalData->ProjectInfo().Output(&m_grid, m_pGlobalData->ProjectPath(), m_pGlobalData->ProjectName());
    m_grid.ExpandColumnsToFit(TRUE);
    StructChanged();
    ViewChanged();
}

void CViewProject::StructChanged()
{
    if (!m_pGlobalData || !m_pGlobalData->Struct())
        return;
    CStruct* s = m_pGlobalData->Struct();
    CStructSketch& sketch = m_pGlobalData->StructSketch();
    // Import adds to what the sketch holds: it starts from nothing so that a change never
    // leaves the old structure in the preview.
    sketch.ClearData();
    sketch.Import(s->m_pBeamList, s->m_pWallList);
}

void CViewProject::ViewChanged()
{
    if (!m_pGlobalData)
        return;
    CStructSketch& sketch = m_pGlobalData->StructSketch();
    sketch.Change3D(m_pGlobalData->Matrix3D());
    sketch.ZoomAll(&m_preview);
    m_preview.SetStructSketch(&sketch);
    m_preview.ChangeView();
}

void CViewProject::WindowChanged()
{
    auto* view = (CWnd*)VyrSendToHost(WM_UI_GETACTIVEVIEW);
    if (!view || !m_pGlobalData)
        return;
    const CMatrix2D toPlane = m_pGlobalData->Matrix2D().Anti();
    const CMatrix2D toPreview = m_pGlobalData->StructSketch().GetZoomAllMx2D(&m_preview);
    CRect client;
    view->GetClientRect(&client);
    const CPoint a = CPoint2D(client.left, client.top) * toPlane * toPreview;
    const CPoint b = CPoint2D(client.right, client.bottom) * toPlane * toPreview;
    CRect frame(a, b);
    frame.NormalizeRect();
    m_preview.SetRectWindow(frame);
}

void CViewProject::Resize()
{
    if (!m_grid.GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    const int w = client.Width();
    const int h = client.Height();
    const int s = GetScrollPosition().y;
    m_preview.MoveWindow(8, 8 - s, w - 16, w);
    m_grid.MoveWindow(8, w - s + 16, w - 16, h - w - 24);
    CRect grid;
    m_grid.GetClientRect(&grid);
    m_grid.SetColumnWidth(0, grid.Width() / 6);
    m_grid.SetColumnWidth(1, grid.Width() * 5 / 6);
    Update();
}

#include <vyr/libraries/SectionMap.h>

#include <vyr/model/section/section.h>

void DrawSectionMap(CDC* pDC, CRect rect, CSectionBase* pSec, bool bAxes)
{
    CBrush grey(RGB(192, 192, 192));
    CBrush* old = pDC->SelectObject(&grey);
    pDC->Rectangle(&rect);
    pDC->SelectObject(old);
    if (pSec == nullptr) return;
    pSec->Draw(pDC, rect);
    if (bAxes) pSec->DrawAxial(pDC, rect);
    pSec->Dim(pDC);
}

BEGIN_MESSAGE_MAP(CSectionMapFrame, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

void CSectionMapFrame::OnPaint()
{
    if (!m_paint) {
        Default();
        return;
    }
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    m_paint(&dc, rc);
}

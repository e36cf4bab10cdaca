#include <vyr/input/DlgPlaneSubBeamDefineTri.h>

#include <vyr/resources/dialogs/SubBeamRes.h>

BEGIN_MESSAGE_MAP(CDlgPlaneSubBeamDefineTri, CDlgSubBeamLayout)
    ON_BN_CLICKED(IDC_SUBBEAMTRI_INSERT, &CDlgPlaneSubBeamDefineTri::OnInsertPoint)
    ON_BN_CLICKED(IDC_SUBBEAMTRI_DELETE, &CDlgPlaneSubBeamDefineTri::OnDeletePoint)
    ON_BN_CLICKED(IDC_SUBBEAMTRI_SIDE1, &CDlgPlaneSubBeamDefineTri::OnDirection)
    ON_BN_CLICKED(IDC_SUBBEAMTRI_SIDE2, &CDlgPlaneSubBeamDefineTri::OnDirection)
    ON_BN_CLICKED(IDC_SUBBEAMTRI_SIDE3, &CDlgPlaneSubBeamDefineTri::OnDirection)
END_MESSAGE_MAP()

CDlgPlaneSubBeamDefineTri::CDlgPlaneSubBeamDefineTri(CWnd* pParent)
    : CDlgSubBeamLayout(IDD_SUBBEAM_TRI, 3, IDC_SUBBEAMTRI_SIDE1, pParent)
{
}

CDlgSubBeamLayout::Placement CDlgPlaneSubBeamDefineTri::PlacementOf(int direction) const
{
    // Both reference corners are the ends of the side the beams run along.
    switch (direction) {
    case 0: return {1, 2, 1, 0, 2, 2};
    case 1: return {2, 0, 2, 1, 0, 0};
    default: return {0, 1, 0, 2, 1, 1};
    }
}

void CDlgPlaneSubBeamDefineTri::DrawLabels(CDC* pDC)
{
    CFont font;
    font.CreateFont(-12, 0, 0, 0, 400, 0, 0, 0, GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, FF_SWISS, "宋体");
    CFont* oldFont = pDC->SelectObject(&font);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const UINT oldAlign = pDC->GetTextAlign();
    const CPoint* c = m_ptScreen;
    auto left = [pDC](CPoint at, const char* text) {
        pDC->SetTextAlign(TA_LEFT | TA_TOP);
        pDC->TextOut(at.x, at.y, text);
    };
    auto right = [pDC](CPoint at, const char* text) {
        pDC->SetTextAlign(TA_RIGHT | TA_TOP);
        pDC->TextOut(at.x, at.y, text);
    };
    const CPoint m1 = SideMid(0), m2 = SideMid(1), m3 = SideMid(2);
    switch (m_nDirection) {
    case 0:
        left(CPoint(m2.x + 12, m2.y), "第1边");
        left(CPoint(c[1].x + 2, c[1].y), "起点1");
        right(CPoint(m3.x - 3, m3.y), "第2边");
        right(CPoint(c[0].x - 2, c[0].y), "起点2");
        break;
    case 1:
        right(CPoint(m3.x - 3, m3.y), "第1边");
        right(CPoint(c[2].x - 3, c[2].y), "起点1");
        left(CPoint(m1.x, m1.y + 2), "第2边");
        left(CPoint(c[1].x + 2, c[1].y), "起点2");
        break;
    default:
        right(CPoint(m1.x + 10, m1.y + 2), "第1边");
        right(CPoint(c[0].x - 2, c[0].y), "起点1");
        left(CPoint(m2.x + 12, m2.y), "第2边");
        right(CPoint(c[2].x - 2, c[2].y), "起点2");
        break;
    }
    pDC->SetTextAlign(oldAlign);
    pDC->SetBkMode(oldMode);
    pDC->SelectObject(oldFont);
}

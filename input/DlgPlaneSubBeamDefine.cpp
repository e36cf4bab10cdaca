#include <vyr/input/DlgPlaneSubBeamDefine.h>

#include <vyr/resources/dialogs/SubBeamRes.h>

BEGIN_MESSAGE_MAP(CDlgPlaneSubBeamDefine, CDlgSubBeamLayout)
    ON_BN_CLICKED(IDC_SUBBEAM_INSERT, &CDlgPlaneSubBeamDefine::OnInsertPoint)
    ON_BN_CLICKED(IDC_SUBBEAM_DELETE, &CDlgPlaneSubBeamDefine::OnDeletePoint)
    ON_BN_CLICKED(IDC_SUBBEAM_ACROSS, &CDlgPlaneSubBeamDefine::OnDirection)
    ON_BN_CLICKED(IDC_SUBBEAM_ALONG, &CDlgPlaneSubBeamDefine::OnDirection)
END_MESSAGE_MAP()

CDlgPlaneSubBeamDefine::CDlgPlaneSubBeamDefine(CWnd* pParent)
    : CDlgSubBeamLayout(IDD_SUBBEAM_QUAD, 4, IDC_SUBBEAM_ACROSS, pParent)
{
    m_bShownIsWorking = true;
}

CDlgSubBeamLayout::Placement CDlgPlaneSubBeamDefine::PlacementOf(int direction) const
{
    // Across: S2 from C2, S4 from C1; along: S1 from C1, S3 from C4.
    return direction == 1 ? Placement{0, 1, 0, 3, 2, 2} : Placement{1, 2, 1, 0, 3, 3};
}

void CDlgPlaneSubBeamDefine::DrawLabels(CDC* pDC)
{
    CFont font, turned;
    font.CreateFont(-12, 0, 0, 0, 400, 0, 0, 0, GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, FF_SWISS, "宋体");
    turned.CreateFont(-12, 0, 900, 900, 400, 0, 0, 0, GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                      DEFAULT_QUALITY, FF_SWISS, "宋体");
    const CPoint* c = m_ptScreen;
    CFont* oldFont = pDC->SelectObject(&font);
    const UINT oldAlign = pDC->GetTextAlign();
    if (m_nDirection == 1) {
        const CPoint m1 = SideMid(0), m3 = SideMid(2);
        pDC->SetTextAlign(TA_CENTER | TA_BOTTOM);
        pDC->TextOut(m1.x, m1.y + 20, "第1边");
        pDC->TextOut(m3.x, m3.y - 3, "第2边");
        pDC->SetTextAlign(TA_RIGHT | TA_BASELINE);
        pDC->TextOut(c[0].x - 2, c[0].y, "起点1");
        pDC->TextOut(c[3].x - 2, c[3].y - 2, "起点2");
    } else {
        const CPoint m2 = SideMid(1), m4 = SideMid(3);
        pDC->SelectObject(&turned);
        pDC->SetTextAlign(TA_CENTER | TA_BOTTOM);
        pDC->TextOut(c[1].x + 20, m2.y, "第1边");
        pDC->TextOut(c[3].x - 1, m4.y, "第2边");
        pDC->SelectObject(&font);
        pDC->TextOut(c[1].x, c[1].y + 20, "起点1");
        pDC->TextOut(c[0].x, c[0].y + 20, "起点2");
    }
    pDC->SetTextAlign(oldAlign);
    pDC->SelectObject(oldFont);
}

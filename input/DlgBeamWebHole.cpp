#include <vyr/input/DlgBeamWebHole.h>

#include <algorithm>
#include <cmath>

#include <vyr/input/DialogHelpers.h>
#include <vyr/model/geometry/GeoFunc.h>
#include <vyr/model/section/SectionBase.h>
#include <vyr/model/section/SectionProfiles.h>
#include <vyr/resources/dialogs/WebHoleRes.h>

namespace {

// Below this (mm) a size counts as none.
constexpr double kWebHoleMinSize = 0.0001;

// The section height (mm) at the member's start and end; a tapered section gives its two
// end sections'.
void WebHeights(CSectionBase* sec, double& h1, double& h2)
{
    h1 = h2 = 0.0;
    if (sec == nullptr)
        return;
    if (sec->GetType() == 901) {
        if (auto* taper = dynamic_cast<CTaperSectionBase*>(sec)) {
            CSectionBase* start = taper->GetStartSec();
            CSectionBase* end = taper->GetEndSec();
            h1 = start != nullptr ? start->GetH() * 10.0 : 0.0;
            h2 = end != nullptr ? end->GetH() * 10.0 : 0.0;
            return;
        }
    }
    h1 = h2 = sec->GetH() * 10.0;
}

} // namespace

BEGIN_MESSAGE_MAP(CDlgBeamWebHole, CDialog)
    ON_WM_PAINT()
    ON_BN_CLICKED(IDC_WEBHOLE_RECT, &CDlgBeamWebHole::OnRadioRect)
    ON_BN_CLICKED(IDC_WEBHOLE_CIRCLE, &CDlgBeamWebHole::OnRadioCircle)
    ON_BN_CLICKED(IDC_WEBHOLE_NONE, &CDlgBeamWebHole::OnRadioNone)
    ON_BN_CLICKED(IDC_WEBHOLE_DRAW, &CDlgBeamWebHole::OnPreview)
END_MESSAGE_MAP()

CDlgBeamWebHole::CDlgBeamWebHole(CWnd* pParent) : CDialog((UINT)IDD_BEAMWEBHOLE, pParent) {}

void CDlgBeamWebHole::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_WEBHOLE_RECT, m_nKind);
    DDX_Text(pDX, IDC_WEBHOLE_X, m_fX);
    DDX_Text(pDX, IDC_WEBHOLE_Y, m_fY);
    DDX_Text(pDX, IDC_WEBHOLE_HEIGHT, m_fHeight);
    DDX_Text(pDX, IDC_WEBHOLE_WIDTH, m_fWidth);
}

BOOL CDlgBeamWebHole::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (CWnd* frame = GetDlgItem(IDC_WEBHOLE_PREVIEW); frame != nullptr)
        frame->GetClientRect(&m_rcPreview);
    LayoutWeb();

    CBeamBase* first = m_BeamList.Get(1);
    const CBeamWebHole* hole = first != nullptr ? first->m_pWebHole : nullptr;
    if (hole == nullptr) {
        m_nKind = 2;
    } else if (hole->m_nType == 1) {
        m_nKind = 0;
        m_fX = hole->m_fX;
        m_fY = hole->m_fY;
        m_fHeight = hole->m_fH;
        m_fWidth = hole->m_fB;
    } else if (hole->m_nType == 2) {
        // The width box keeps its value: a circle has none.
        m_nKind = 1;
        m_fX = hole->m_fX;
        m_fY = hole->m_fY;
        m_fHeight = hole->m_fH;
    }
    EnableBoxes();
    UpdateData(FALSE);
    return TRUE;
}

void CDlgBeamWebHole::LayoutWeb()
{
    double length = 0.0, h1 = 0.0, h2 = 0.0;
    if (CBeamBase* first = m_BeamList.Get(1); first != nullptr) {
        length = first->GetLength() * 10.0;
        WebHeights(first->GetSection(), h1, h2);
    }
    m_ptWeb[0] = CPoint2D(0.0, 0.0);
    m_ptWeb[1] = CPoint2D(0.0, h1);
    m_ptWeb[2] = CPoint2D(length, h2);
    m_ptWeb[3] = CPoint2D(length, 0.0);

    double left = 1e8, bottom = 1e8, right = -1e8, top = -1e8;
    for (const CPoint2D& p : m_ptWeb) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        bottom = std::min(bottom, p.y);
        top = std::max(top, p.y);
    }
    m_ptCenter = CRect2D(left, top, right, bottom).CenterPoint();
    const double bw = right - left, bh = top - bottom;
    const double cw = m_rcPreview.Width(), ch = m_rcPreview.Height();
    // The wider of box and client area decides which side fills 70 per cent.
    if (bh > 0.0 && ch > 0.0 && bw / bh <= cw / ch)
        m_dScale = 0.7 * ch / bh;
    else
        m_dScale = bw > 0.0 ? 0.7 * cw / bw : 1.0;
    if (!(m_dScale > 0.0) || !std::isfinite(m_dScale))
        m_dScale = 1.0;
    for (int i = 0; i < 4; ++i)
        m_ptScreen[i] = ToScreen(m_ptWeb[i].x - m_ptWeb[0].x, m_ptWeb[i].y - m_ptWeb[0].y);
}

CPoint CDlgBeamWebHole::ToScreen(double x, double y) const
{
    // The y axis points down the screen as the web's y does: its edge y = 0 lies on top.
    const CPoint mid = m_rcPreview.CenterPoint();
    return CPoint((int)std::trunc(mid.x + (x + m_ptWeb[0].x - m_ptCenter.x) * m_dScale),
                  (int)std::trunc(mid.y + (y + m_ptWeb[0].y - m_ptCenter.y) * m_dScale));
}

void CDlgBeamWebHole::EnableBoxes()
{
    GetDlgItem(IDC_WEBHOLE_X)->EnableWindow(m_nKind != 2);
    GetDlgItem(IDC_WEBHOLE_Y)->EnableWindow(m_nKind != 2);
    GetDlgItem(IDC_WEBHOLE_HEIGHT)->EnableWindow(m_nKind != 2);
    GetDlgItem(IDC_WEBHOLE_WIDTH)->EnableWindow(m_nKind == 0);
}

void CDlgBeamWebHole::OnRadioRect()
{
    m_nKind = 0;
    EnableBoxes();
}

void CDlgBeamWebHole::OnRadioCircle()
{
    m_nKind = 1;
    EnableBoxes();
}

void CDlgBeamWebHole::OnRadioNone()
{
    m_nKind = 2;
    EnableBoxes();
}

bool CDlgBeamWebHole::CheckHole()
{
    if (m_nKind != 0 && m_nKind != 1)
        return true;
    const double x = m_fX, y = m_fY, h = m_fHeight;
    // A circle is checked by its bounding square.
    const double w = m_nKind == 0 ? m_fWidth : m_fHeight;
    if (std::fabs(h) < kWebHoleMinSize || std::fabs(w) < kWebHoleMinSize) {
        AfxMessageBox("洞口大小不合理！");
        return false;
    }
    CPoint2D web[4];
    std::copy(m_ptWeb, m_ptWeb + 4, web);
    const CPoint2D corners[4] = {CPoint2D(x - w / 2, y - h / 2), CPoint2D(x + w / 2, y - h / 2),
                                 CPoint2D(x + w / 2, y + h / 2), CPoint2D(x - w / 2, y + h / 2)};
    for (const CPoint2D& c : corners)
        if (!IsPtInRegion1(web, 4, c + m_ptWeb[0])) {
            AfxMessageBox("洞口位置不合理！");
            return false;
        }
    return true;
}

void CDlgBeamWebHole::OnOK()
{
    if (!UpdateData(TRUE) || !CheckHole())
        return;
    for (POSITION pos = m_BeamList.GetHeadPosition(); pos != nullptr;) {
        CBeamBase* b = m_BeamList.GetNextT(pos);
        delete b->m_pWebHole;
        b->m_pWebHole = m_nKind == 2 ? nullptr : new CBeamWebHole(m_nKind + 1, m_fX, m_fY, m_fHeight, m_fWidth);
    }
    EndDialog(IDOK);
}

void CDlgBeamWebHole::OnPreview()
{
    if (UpdateData(TRUE))
        DrawPreview();
}

void CDlgBeamWebHole::DrawPreview(CDC* pDC)
{
    if (pDC == nullptr)
        return;
    pDC->Rectangle(&m_rcPreview);
    pDC->Polygon(m_ptScreen, 4);

    CFont font;
    font.CreateFont(10, 0, 0, 0, 300, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                    DEFAULT_PITCH | FF_SWISS, "Arial");
    CFont* oldFont = pDC->SelectObject(&font);
    // Each label stands outside its corner.
    static const UINT align[4] = {TA_RIGHT | TA_BOTTOM, TA_RIGHT | TA_TOP, TA_LEFT | TA_TOP, TA_LEFT | TA_BOTTOM};
    const UINT oldAlign = pDC->GetTextAlign();
    for (int i = 0; i < 4; ++i) {
        CString label;
        label.Format("%.0f,%.0f", m_ptWeb[i].x - m_ptWeb[0].x, m_ptWeb[i].y - m_ptWeb[0].y);
        pDC->SetTextAlign(align[i]);
        pDC->TextOut(m_ptScreen[i].x, m_ptScreen[i].y, label);
    }
    pDC->SetTextAlign(oldAlign);
    pDC->SelectObject(oldFont);

    const double x = m_fX, y = m_fY, h = m_fHeight, w = m_fWidth;
    const bool rect = m_nKind == 0 && std::fabs(h) >= kWebHoleMinSize && std::fabs(w) >= kWebHoleMinSize;
    const bool circle = m_nKind == 1 && std::fabs(h) >= kWebHoleMinSize;
    if (!rect && !circle)
        return;
    CBrush white(RGB(255, 255, 255));
    CBrush* oldBrush = pDC->SelectObject(&white);
    if (rect) {
        const CPoint hole[4] = {ToScreen(x - w / 2, y - h / 2), ToScreen(x + w / 2, y - h / 2),
                                ToScreen(x + w / 2, y + h / 2), ToScreen(x - w / 2, y + h / 2)};
        pDC->Polygon(hole, 4);
    } else {
        const CPoint a = ToScreen(x - h / 2, y - h / 2), b = ToScreen(x + h / 2, y + h / 2);
        pDC->Ellipse(a.x, a.y, b.x, b.y);
    }
    CPen redPen(PS_SOLID, 1, RGB(255, 0, 0));
    CBrush red(RGB(255, 0, 0));
    CPen* oldPen = pDC->SelectObject(&redPen);
    pDC->SelectObject(&red);
    const CPoint c = ToScreen(x, y);
    pDC->Rectangle(c.x - 2, c.y - 2, c.x + 2, c.y + 2);
    pDC->SelectObject(oldPen);
    pDC->SelectObject(oldBrush);
}

void CDlgBeamWebHole::DrawPreview()
{
    DrawInFrame(this, IDC_WEBHOLE_PREVIEW, [this](CDC* pDC) { DrawPreview(pDC); });
}

void CDlgBeamWebHole::OnPaint()
{
    CPaintDC dc(this);
    DrawPreview();
}

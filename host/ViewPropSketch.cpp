// The sketches of the room and wall panels, drawn straight into the frame below the grid
// each time the panel refills or paints; nothing is cached.
#include <cmath>
#include <vector>

#include <vyr/host/ViewPropPanels.h>
#include <vyr/model/section/SectionBase.h>
#include <vyr/resources/dialogs/ViewPropRes.h>

namespace {

// A device context of the sketch frame holding the white box; restores what it selected
// and releases the context on every path.
class CSketchDC
{
public:
    explicit CSketchDC(CWnd* panel) : m_pFrame(panel->GetDlgItem(IDC_VIEWPROP_SKETCH))
    {
        if (!m_pFrame)
            return;
        m_pFrame->GetClientRect(&m_rcClient);
        m_pDC = m_pFrame->GetDC();
        m_pOldBrush = (CBrush*)m_pDC->SelectStockObject(WHITE_BRUSH);
        m_pDC->Rectangle(&m_rcClient);
        m_pOldPen = m_pDC->GetCurrentPen();
        m_pOldFont = m_pDC->GetCurrentFont();
    }
    ~CSketchDC()
    {
        if (!m_pDC)
            return;
        Restore();
        m_pFrame->ReleaseDC(m_pDC);
    }
    // Selects the frame's own pen, brush and font back, so that the objects a sketch made
    // can be deleted.
    void Restore()
    {
        m_pDC->SelectObject(m_pOldPen);
        m_pDC->SelectObject(m_pOldBrush);
        m_pDC->SelectObject(m_pOldFont);
    }
    CSketchDC(const CSketchDC&) = delete;
    CSketchDC& operator=(const CSketchDC&) = delete;

    CDC* operator->() const { return m_pDC; }
    CDC* Get() const { return m_pDC; }
    const CRect& Client() const { return m_rcClient; }

private:
    CWnd* m_pFrame;
    CDC* m_pDC = nullptr;
    CRect m_rcClient;
    CPen* m_pOldPen = nullptr;
    CBrush* m_pOldBrush = nullptr;
    CFont* m_pOldFont = nullptr;
};

struct SubBeamLabel
{
    CString text;
    CPoint2D a, b;
};

// The label font: "宋体" at first, "Arial" with the label's escapement once a label's
// angle differs from the current one.
void MakeLabelFont(CFont& font, const char* face, int escapement)
{
    font.CreateFont(-12, 0, escapement, 0, 400, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FF_SWISS, face);
}

} // namespace

// ---------------------------------------------------------------------------------------
// Room in plan

void CViewPropPlane::UpdateDraw()
{
    CSketchDC dc(this);
    CPlane* plane = pCurrentPlane();
    if (!dc.Get() || !plane || !plane->m_pVexNodeList || plane->m_pVexNodeList->IsEmpty())
        return;

    CPNodeList& vex = *plane->m_pVexNodeList;
    std::vector<CPoint2D> vertices;
    for (POSITION pos = vex.GetHeadPosition(); pos;) {
        const CPoint3D& p = vex.GetNextT(pos)->m_pt;
        vertices.emplace_back(p.x, p.y);
    }

    // A straight run of collinear edge members gives one side: a corner starts where the
    // edge direction turns.
    std::vector<CPoint2D> corners{vertices[0]};
    if (plane->m_pBeamList && !plane->m_pBeamList->IsEmpty()) {
        POSITION pos = plane->m_pBeamList->GetHeadPosition();
        double reference = plane->m_pBeamList->GetNextT(pos)->GetXAngle();
        for (size_t k = 1; pos && k < vertices.size(); ++k) {
            const double angle = plane->m_pBeamList->GetNextT(pos)->GetXAngle();
            if (std::fabs(angle - reference) > 0.1) {
                corners.push_back(vertices[k]);
                reference = angle;
            }
        }
    }

    std::vector<SubBeamLabel> labels;
    if (plane->m_pSubBeamList)
        for (POSITION pos = plane->m_pSubBeamList->GetHeadPosition(); pos;) {
            CBeamBase* beam = plane->m_pSubBeamList->GetNextT(pos);
            if (!beam->GetNode1() || !beam->GetNode2())
                continue;
            SubBeamLabel l;
            l.text = beam->GetSection() ? beam->GetSection()->GetSimpleSecName() : CString("未布截面");
            l.a = CPoint2D(beam->GetNode1()->m_pt.x, beam->GetNode1()->m_pt.y);
            l.b = CPoint2D(beam->GetNode2()->m_pt.x, beam->GetNode2()->m_pt.y);
            labels.push_back(l);
        }

    // One scale for both directions; a room of no width or no height has none.
    const CRect2D real = vex.GetRealRect(0);
    const double rw = real.Width(), rh = real.Height();
    const CRect& rc = dc.Client();
    const double W = rc.Width(), H = rc.Height();
    if (!(rw > 0.0) || !(rh > 0.0) || W <= 0 || H <= 0)
        return;
    const double s = rw / rh > W / H ? W / rw * 0.6 : H / rh * 0.6;
    const CPoint2D centre = real.CenterPoint();
    const int X0 = (rc.left + rc.right) / 2, Y0 = (rc.top + rc.bottom) / 2;
    auto map = [&](const CPoint2D& p) { return CPoint2D(X0 + s * (p.x - centre.x), Y0 - s * (p.y - centre.y)); };
    auto pixel = [](const CPoint2D& p) { return CPoint(longTransfer(p.x), longTransfer(p.y)); };

    std::vector<CPoint> cornerPx;
    for (const CPoint2D& c : corners)
        cornerPx.push_back(pixel(map(c)));

    CPen emphasised(PS_SOLID, 3, RGB(0, 255, 0));
    CPen* plain = dc->GetCurrentPen();
    auto side = [&](CPen* pen, size_t from, size_t to) {
        dc->SelectObject(pen);
        dc->MoveTo(cornerPx[from]);
        dc->LineTo(cornerPx[to]);
    };
    const int c = plane->m_nShapeCode, d = plane->m_nSubBeamDir;
    const size_t n = cornerPx.size();
    if (d == 0) {
        for (size_t k = 0; k < n; ++k)
            side(&emphasised, k, (k + 1) % n);
    } else if (c == 2 && (d == 1 || d == 2) && n >= 4) {
        // Direction 1 emphasises 1-2 and 3-0, direction 2 the other pair.
        CPen* pen12 = d == 1 ? &emphasised : plain;
        CPen* pen01 = d == 1 ? plain : &emphasised;
        side(pen01, 0, 1);
        side(pen12, 1, 2);
        side(pen01, 2, 3);
        side(pen12, 3, 0);
    } else if (c == 1 && d >= 1 && d <= 3 && n >= 3) {
        // Direction 1 emphasises 0-1, 2 emphasises 1-2, 3 emphasises 2-0.
        for (size_t k = 0; k < 3; ++k)
            side((int)k + 1 == d ? &emphasised : plain, k, (k + 1) % 3);
    } else if (c == 3) {
        std::vector<CPoint> polygon;
        for (const CPoint2D& v : vertices) {
            const CPoint2D m = map(v);
            polygon.emplace_back((int)m.x, (int)m.y);
        }
        dc->SelectObject(plain);
        dc->MoveTo(polygon[0]);
        for (size_t k = 1; k <= polygon.size(); ++k)
            dc->LineTo(polygon[k % polygon.size()]);
    }

    CPen dashed(PS_DASH, 1, RGB(0, 0, 0));
    dc->SelectObject(&dashed);
    for (const SubBeamLabel& l : labels) {
        dc->MoveTo(pixel(map(l.a)));
        dc->LineTo(pixel(map(l.b)));
    }

    CFont fonts[2];
    int current = 0;
    MakeLabelFont(fonts[current], "宋体", 0);
    dc->SelectObject(&fonts[current]);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextAlign(TA_BOTTOM | TA_CENTER);
    double fontAngle = 0.0;
    for (const SubBeamLabel& l : labels) {
        const CPoint2D a = map(l.a), b = map(l.b);
        double angle;
        if (std::fabs(a.x - b.x) < 0.001) {
            angle = -900.0;
        } else if (std::fabs(a.y - b.y) < 0.001) {
            angle = 0.0;
        } else {
            // A sloping beam: its direction on the screen (y down), turned into the half
            // plane that reads left to right, in tenths of a degree and negated as the
            // vertical case is (-900 gives the escapement 900, reading upwards).
            double degrees = std::atan2(a.y - b.y, b.x - a.x) * 180.0 / M_PI;
            if (degrees > 90.0)
                degrees -= 180.0;
            else if (degrees <= -90.0)
                degrees += 180.0;
            angle = -degrees * 10.0;
        }
        if (std::fabs(angle - fontAngle) > 0.001) {
            const int next = 1 - current;
            MakeLabelFont(fonts[next], "Arial", (int)-angle);
            dc->SelectObject(&fonts[next]);
            fonts[current].DeleteObject();
            current = next;
            fontAngle = angle;
        }
        const CPoint2D mid((a.x + b.x) / 2.0, (a.y + b.y) / 2.0);
        dc->TextOut(longTransfer(mid.x), longTransfer(mid.y), l.text);
    }

    CBrush red(RGB(192, 0, 0));
    dc->SelectObject(plain);
    dc->SelectObject(&red);
    for (const CPoint2D& v : vertices) {
        const CPoint p = pixel(map(v));
        dc->Rectangle(p.x - 3, p.y - 3, p.x + 3, p.y + 3);
    }
    dc.Restore();
}

// ---------------------------------------------------------------------------------------
// Wall in elevation

void CViewPropWall::GetPt(std::vector<CPoint2D>& outline, std::vector<CPoint3D>& corners, double& scale)
{
    outline.assign(4, CPoint2D());
    corners.assign(4, CPoint3D());
    scale = 0.0;
    CWall* wall = pCurrentWall();
    CWnd* frame = GetDlgItem(IDC_VIEWPROP_SKETCH);
    if (!wall || !frame)
        return;
    int i = 0;
    if (CPNodeList* vex = wall->GetVexNodeList())
        for (POSITION pos = vex->GetHeadPosition(); pos && i < 4; ++i)
            corners[(size_t)i] = vex->GetNextT(pos)->m_pt;

    CRect rc;
    frame->GetClientRect(&rc);
    rc.DeflateRect(25, 25);
    const double w = rc.Width(), h = rc.Height();
    const double wallH = wall->GetWallH(), wallB = wall->GetWallB();
    scale = std::max(std::fabs(wallH / h), std::fabs(wallB / w));
    // A wall of no size (or a frame too small to inset) has no scale: the box stays blank.
    if (!(scale > 0.0) || !std::isfinite(scale))
        return;
    const CPoint2D p3(rc.left + (w - wallB / scale) * 0.5, rc.top + (h - wallH / scale) * 0.5);
    const CPoint2D p1(p3.x + wallB / scale, p3.y + wallH / scale);
    outline[0] = CPoint2D(p3.x, p1.y);
    outline[1] = p1;
    outline[2] = CPoint2D(p1.x, p3.y);
    outline[3] = p3;
}

void CViewPropWall::UpdateDraw()
{
    CSketchDC dc(this);
    CWall* wall = pCurrentWall();
    if (!dc.Get() || !wall)
        return;
    std::vector<CPoint2D> outline;
    std::vector<CPoint3D> corners;
    double s = 0.0;
    GetPt(outline, corners, s);
    if (!(s > 0.0) || !std::isfinite(s))
        return;

    CPen green(PS_SOLID, 1, RGB(0, 255, 0));
    CBrush fill(wall->m_nKind ? RGB(128, 128, 255) : RGB(128, 0, 0));
    dc->SelectObject(&green);
    dc->SelectObject(&fill);
    POINT box[4];
    for (int k = 0; k < 4; ++k)
        box[k] = POINT{(LONG)outline[(size_t)k].x, (LONG)outline[(size_t)k].y};
    dc->Polygon(box, 4);

    CPen blue(PS_SOLID, 1, RGB(0, 0, 255));
    dc->SelectObject(&blue);
    dc->SelectStockObject(WHITE_BRUSH);
    const CPoint3D& ref = corners[3];
    const CPoint2D& p3 = outline[3];
    if (wall->m_pHoleList)
        for (POSITION pos = wall->m_pHoleList->GetHeadPosition(); pos;) {
            CHole* hole = wall->m_pHoleList->GetNextT(pos);
            const CPoint3D v = hole->GetVexPt(1);
            const double d = std::sqrt((v.x - ref.x) * (v.x - ref.x) + (v.y - ref.y) * (v.y - ref.y));
            const double f = ref.z - v.z - hole->m_dV;
            const int left = (int)(d / s + p3.x);
            const int top = (int)(f / s + p3.y);
            const int bottom = (int)(hole->m_dV / s + top);
            const int right = (int)(hole->m_dH / s + left);
            const POINT r[4] = {{left, bottom}, {right, bottom}, {right, top}, {left, top}};
            dc->Polygon(r, 4);
        }
    dc.Restore();
}

#include <vyr/input/DlgPlaneHoleDefine.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include <vyr/input/DialogHelpers.h>
#include <vyr/model/geometry/GeoFunc.h>
#include <vyr/model/struct/GlobalData.h>
#include <vyr/resources/dialogs/PlaneHoleRes.h>

namespace {

// Below this (display units) a size counts as none.
constexpr double kPlaneHoleMinSize = 0.0001;

std::vector<CPoint2D> PlanVertices(const CPlane* room)
{
    CPNodeList list;
    room->GetVertexList(&list);
    std::vector<CPoint2D> out;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        const CPoint3D& p = list.GetNextT(pos)->m_pt;
        out.emplace_back(p.x, p.y);
    }
    return out;
}

// Direction of edge k (vertex k to vertex k + 1, around) in radians; 0 without such an edge.
double EdgeAngle(const CPlane* room, int k)
{
    const std::vector<CPoint2D> v = PlanVertices(room);
    const int n = (int)v.size();
    if (n < 2 || k < 0 || k >= n)
        return 0.0;
    const CPoint2D& a = v[(size_t)k];
    const CPoint2D& b = v[(size_t)((k + 1) % n)];
    return std::atan2(b.y - a.y, b.x - a.x);
}

// The points an opening must keep inside its room, in the order they are tested: the
// rectangle's corners from its first, or the corners of the square around the circle.
std::vector<CPoint2D> HoleTestPoints(const CHole& hole)
{
    std::vector<CPoint2D> out;
    if (const auto* c = dynamic_cast<const CHoleCircle*>(&hole)) {
        const double x = c->m_ptCenter.x, y = c->m_ptCenter.y, r = c->m_dR;
        out = {CPoint2D(x - r, y - r), CPoint2D(x + r, y - r), CPoint2D(x + r, y + r), CPoint2D(x - r, y + r)};
    } else if (const auto* r = dynamic_cast<const CHoleRect*>(&hole)) {
        for (int i = 0; i < (int)r->m_arrCorner.GetSize(); ++i)
            out.emplace_back(r->m_arrCorner[i].x, r->m_arrCorner[i].y);
    }
    return out;
}

} // namespace

BEGIN_MESSAGE_MAP(CDlgPlaneHoleDefine, CDialog)
    ON_WM_PAINT()
    ON_BN_CLICKED(IDC_PLANEHOLE_NONE, &CDlgPlaneHoleDefine::OnRadioNone)
    ON_BN_CLICKED(IDC_PLANEHOLE_RECT, &CDlgPlaneHoleDefine::OnRadioRect)
    ON_BN_CLICKED(IDC_PLANEHOLE_CIRCLE, &CDlgPlaneHoleDefine::OnRadioCircle)
    ON_BN_CLICKED(IDC_PLANEHOLE_DRAW, &CDlgPlaneHoleDefine::OnPreview)
    ON_CBN_SELCHANGE(IDC_PLANEHOLE_EDGE, &CDlgPlaneHoleDefine::OnSelchangeEdge)
    ON_BN_CLICKED(IDC_PLANEHOLE_SHOWNODES, &CDlgPlaneHoleDefine::OnShowNodes)
END_MESSAGE_MAP()

CDlgPlaneHoleDefine::CDlgPlaneHoleDefine(CWnd* pParent) : CDialog((UINT)IDD_PLANEHOLE, pParent) {}

float CDlgPlaneHoleDefine::Unit() const { return DisplayUnit(m_pData); }

void CDlgPlaneHoleDefine::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_PLANEHOLE_RECT, m_nKind);
    DDX_Text(pDX, IDC_PLANEHOLE_X, m_fX);
    DDX_Text(pDX, IDC_PLANEHOLE_Y, m_fY);
    DDX_Text(pDX, IDC_PLANEHOLE_HEIGHT, m_fHeight);
    DDX_Text(pDX, IDC_PLANEHOLE_WIDTH, m_fWidth);
    DDX_CBIndex(pDX, IDC_PLANEHOLE_EDGE, m_nEdge);
    DDX_Check(pDX, IDC_PLANEHOLE_SHOWNODES, m_bShowNodes);
}

BOOL CDlgPlaneHoleDefine::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (CWnd* frame = GetDlgItem(IDC_PLANEHOLE_PREVIEW); frame != nullptr)
        frame->GetClientRect(&m_rcPreview);
    m_nVexNum = 0;
    for (POSITION pos = m_PlaneList.GetHeadPosition(); pos != nullptr;)
        m_nVexNum = std::max(m_nVexNum, m_PlaneList.GetNextT(pos)->GetEdgeNum());
    auto* edges = static_cast<CComboBox*>(GetDlgItem(IDC_PLANEHOLE_EDGE));
    for (int n = 1; n <= m_nVexNum; ++n) {
        CString item;
        item.Format("平行于第%d条边", n);
        edges->AddString(item);
    }
    m_nEdge = 0;
    m_fX = m_fY = m_fHeight = m_fWidth = 0.0f;

    if (OneRoom()) {
        CPlane* room = m_PlaneList.GetHeadT();
        m_nNodeNum = (int)room->m_pNodeList->GetCount();
        LayoutPreview(room);
        const float u = Unit();
        const CHole* hole = room->m_pHole;
        m_nKind = 2;
        if (const auto* c = dynamic_cast<const CHoleCircle*>(hole); c != nullptr && hole->GetKind() == 2) {
            m_nKind = 1;
            m_fX = (float)(c->m_dX * u);
            m_fY = (float)(c->m_dY * u);
            m_fHeight = (float)(c->m_dR * u);
        } else if (hole != nullptr && hole->GetKind() == 1) {
            m_nKind = 0;
            m_fX = (float)(hole->m_dX * u);
            m_fY = (float)(hole->m_dY * u);
            m_fHeight = (float)(hole->m_dV * u);
            m_fWidth = (float)(hole->m_dH * u);
            if (hole->m_nRefEdge >= 0 && hole->m_nRefEdge < m_nVexNum)
                m_nEdge = hole->m_nRefEdge;
        }
        m_dAngle = m_nKind == 0 ? hole->m_dAngle : EdgeAngle(room, m_nEdge);
    } else {
        // One kind shared by every room shows; anything else starts from no opening.
        bool allRect = !m_PlaneList.IsEmpty(), allCircle = !m_PlaneList.IsEmpty();
        for (POSITION pos = m_PlaneList.GetHeadPosition(); pos != nullptr;) {
            const CHole* hole = m_PlaneList.GetNextT(pos)->m_pHole;
            allRect = allRect && hole != nullptr && hole->GetKind() == 1;
            allCircle = allCircle && hole != nullptr && hole->GetKind() == 2;
        }
        m_nKind = allRect ? 0 : allCircle ? 1 : 2;
        GetDlgItem(IDC_PLANEHOLE_DRAW)->EnableWindow(FALSE);
        GetDlgItem(IDC_PLANEHOLE_SHOWNODES)->EnableWindow(FALSE);
    }
    EnableControls();
    UpdateData(FALSE);
    return TRUE;
}

void CDlgPlaneHoleDefine::LayoutPreview(CPlane* room)
{
    // A room without its boundary nodes is framed by its corners.
    const CPNodeList* framed = room->m_pNodeList->IsEmpty() ? room->m_pVexNodeList : room->m_pNodeList;
    const CRect2D box = framed->GetRealRect(0);
    m_ptCenter = box.CenterPoint();
    const double bw = box.right - box.left, bh = box.top - box.bottom;
    const double pw = m_rcPreview.Width(), ph = m_rcPreview.Height();
    const double inf = std::numeric_limits<double>::infinity();
    m_dScale = 0.7 * std::min(bw > 0.0 ? pw / bw : inf, bh > 0.0 ? ph / bh : inf);
    if (!(m_dScale > 0.0) || !std::isfinite(m_dScale))
        m_dScale = 1.0;
    m_ptNodes.clear();
    for (POSITION pos = room->m_pNodeList->GetHeadPosition(); pos != nullptr;) {
        const CPoint3D& p = room->m_pNodeList->GetNextT(pos)->m_pt;
        m_ptNodes.push_back(ToScreen(p.x, p.y));
    }
    m_ptVexes.clear();
    for (const CPoint2D& v : PlanVertices(room))
        m_ptVexes.push_back(ToScreen(v.x, v.y));
}

CPoint CDlgPlaneHoleDefine::ToScreen(double x, double y) const
{
    const int midX = (m_rcPreview.left + m_rcPreview.right) / 2, midY = (m_rcPreview.top + m_rcPreview.bottom) / 2;
    return CPoint((int)std::trunc(midX + (x - m_ptCenter.x) * m_dScale),
                  (int)std::trunc(midY - (y - m_ptCenter.y) * m_dScale));
}

void CDlgPlaneHoleDefine::EnableControls()
{
    const bool any = m_nKind == 0 || m_nKind == 1;
    for (int id : {IDC_PLANEHOLE_X, IDC_PLANEHOLE_Y, IDC_PLANEHOLE_HEIGHT, IDC_PLANEHOLE_EDGE})
        GetDlgItem(id)->EnableWindow(any);
    GetDlgItem(IDC_PLANEHOLE_WIDTH)->EnableWindow(m_nKind == 0);
}

void CDlgPlaneHoleDefine::OnRadioNone()
{
    m_nKind = 2;
    EnableControls();
}

void CDlgPlaneHoleDefine::OnRadioRect()
{
    m_nKind = 0;
    EnableControls();
}

void CDlgPlaneHoleDefine::OnRadioCircle()
{
    m_nKind = 1;
    EnableControls();
}

CHole* CDlgPlaneHoleDefine::MakeHole(CPlane* room, double angle) const
{
    const double u = Unit();
    const int edge = std::max(m_nEdge, 0);
    if (m_nKind == 0)
        return new CHoleRect(m_fX / u, m_fY / u, m_fHeight / u, m_fWidth / u, angle, edge, room);
    if (m_nKind == 1) {
        // From the first vertex, as the rectangle and the check place it.
        const CPNode* first = room->m_pVexNodeList->GetHeadT();
        return new CHoleCircle(first != nullptr ? first->m_pt : CPoint3D(), m_fX / u, m_fY / u, m_fHeight / u);
    }
    return nullptr;
}

bool CDlgPlaneHoleDefine::CheckHole(CPlane* room)
{
    if (m_nKind != 0 && m_nKind != 1)
        return true;
    const bool small = std::fabs(m_fHeight) < kPlaneHoleMinSize ||
                       (m_nKind == 0 && std::fabs(m_fWidth) < kPlaneHoleMinSize);
    if (small) {
        AfxMessageBox("洞口大小不合理！", MB_OK);
        return false;
    }
    // The opening tested is the very one OK creates.
    std::vector<CPoint2D> vexes = PlanVertices(room);
    const std::unique_ptr<CHole> hole(MakeHole(room, EdgeAngle(room, std::max(m_nEdge, 0))));
    const std::vector<CPoint2D> points = HoleTestPoints(*hole);
    for (const CPoint2D& p : points)
        if (vexes.size() < 3 || !IsPtInRegion1(vexes.data(), (int)vexes.size(), p)) {
            if (OneRoom())
                AfxMessageBox("洞口位置不合理！", MB_OK);
            return false;
        }
    if (!OneRoom())
        m_FitPlaneList.AddTail(room);
    return true;
}

bool CDlgPlaneHoleDefine::CheckRooms()
{
    if (OneRoom())
        return CheckHole(m_PlaneList.GetHeadT());
    m_FitPlaneList.RemoveAll();
    for (POSITION pos = m_PlaneList.GetHeadPosition(); pos != nullptr;) {
        CPlane* room = m_PlaneList.GetNextT(pos);
        // A room without the reference edge cannot take the opening.
        if (room->GetEdgeNum() >= std::max(m_nEdge, 0) + 1)
            CheckHole(room);
    }
    return m_FitPlaneList.GetCount() == m_PlaneList.GetCount();
}

void CDlgPlaneHoleDefine::ReplaceHole(CPlane* room, CHole* hole)
{
    if (room->m_pHole == nullptr && hole == nullptr)
        return;
    delete room->m_pHole;
    room->m_pHole = hole;
    m_bChanged = true;
}

void CDlgPlaneHoleDefine::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (OneRoom()) {
        CPlane* room = m_PlaneList.GetHeadT();
        if (!CheckRooms())
            return;
        m_dAngle = EdgeAngle(room, std::max(m_nEdge, 0));
        ReplaceHole(room, MakeHole(room, m_dAngle));
        FreePreview();
        EndDialog(IDOK);
        return;
    }
    CheckRooms();
    if (m_nKind != 0 && m_nKind != 1) {
        for (POSITION pos = m_PlaneList.GetHeadPosition(); pos != nullptr;)
            ReplaceHole(m_PlaneList.GetNextT(pos), nullptr);
        FreePreview();
        EndDialog(IDOK);
        return;
    }
    for (POSITION pos = m_FitPlaneList.GetHeadPosition(); pos != nullptr;) {
        CPlane* room = m_FitPlaneList.GetNextT(pos);
        ReplaceHole(room, MakeHole(room, EdgeAngle(room, std::max(m_nEdge, 0))));
    }
    const int m = (int)m_FitPlaneList.GetCount(), n = (int)m_PlaneList.GetCount();
    if (m == n) {
        AfxMessageBox("开洞成功!", MB_OK);
        FreePreview();
        EndDialog(IDOK);
        return;
    }
    CString text;
    text.Format("%d个洞开洞成功,%d个洞开洞未成功!", m, n - m);
    AfxMessageBox(text, MB_OK);
}

void CDlgPlaneHoleDefine::OnCancel()
{
    FreePreview();
    // Rooms that took their opening at an earlier OK keep it: the caller must hear of it.
    EndDialog(m_bChanged ? IDOK : IDCANCEL);
}

void CDlgPlaneHoleDefine::FreePreview()
{
    m_ptNodes.clear();
    m_ptVexes.clear();
}

void CDlgPlaneHoleDefine::OnPreview()
{
    if (!UpdateData(TRUE))
        return;
    if (OneRoom())
        m_dAngle = EdgeAngle(m_PlaneList.GetHeadT(), std::max(m_nEdge, 0));
    Redraw();
}

void CDlgPlaneHoleDefine::OnSelchangeEdge()
{
    const int before = m_nEdge;
    if (UpdateData(TRUE) && m_nEdge != before)
        OnPreview();
}

void CDlgPlaneHoleDefine::OnShowNodes()
{
    if (UpdateData(TRUE))
        Redraw();
}

void CDlgPlaneHoleDefine::Redraw()
{
    DrawInFrame(this, IDC_PLANEHOLE_PREVIEW, [this](CDC* pDC) { DrawPreview(pDC); });
}

void CDlgPlaneHoleDefine::OnPaint()
{
    CPaintDC dc(this);
    Redraw();
}

void CDlgPlaneHoleDefine::DrawPreview(CDC* pDC)
{
    if (pDC == nullptr)
        return;
    pDC->Rectangle(&m_rcPreview);
    if (!OneRoom()) {
        pDC->TextOut(100, 120, CString("多房间开洞"));
        return;
    }
    CPlane* room = m_PlaneList.GetHeadT();
    const int kind = room->m_nShapeKind;
    const COLORREF fill = kind == 1 ? RGB(226, 232, 232) : kind == 3 || kind == 5 ? RGB(252, 252, 210) : RGB(255, 255, 255);
    CBrush roomBrush(fill);
    CBrush* oldBrush = pDC->SelectObject(&roomBrush);
    // The outline through the corners is the outline through the boundary nodes, whatever
    // order the node list keeps.
    if (!m_ptVexes.empty())
        pDC->Polygon(m_ptVexes.data(), (int)m_ptVexes.size());
    CPen edgePen(PS_SOLID, 2, RGB(255, 0, 0));
    CPen* oldPen = pDC->SelectObject(&edgePen);
    const int n = (int)m_ptVexes.size(), k = std::max(m_nEdge, 0);
    if (n >= 2 && k < n) {
        pDC->MoveTo(m_ptVexes[(size_t)k]);
        pDC->LineTo(m_ptVexes[(size_t)((k + 1) % n)]);
    }
    pDC->SelectObject(oldPen);

    const float u = Unit();
    if (m_bShowNodes && !m_ptNodes.empty()) {
        CFont font;
        font.CreateFont(-10, 0, 0, 0, 300, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                        DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
        CFont* oldFont = pDC->SelectObject(&font);
        const UINT oldAlign = pDC->SetTextAlign(TA_LEFT | TA_TOP);
        const int oldMode = pDC->SetBkMode(TRANSPARENT);
        CBrush first(RGB(255, 0, 0)), other(RGB(192, 0, 0));
        const CPoint3D origin = room->m_pNodeList->GetHeadT()->m_pt;
        size_t i = 0;
        for (POSITION pos = room->m_pNodeList->GetHeadPosition(); pos != nullptr && i < m_ptNodes.size(); ++i) {
            const CPoint3D& p = room->m_pNodeList->GetNextT(pos)->m_pt;
            const CPoint& s = m_ptNodes[i];
            pDC->SelectObject(i == 0 ? &first : &other);
            pDC->Rectangle(s.x - 3, s.y - 3, s.x + 3, s.y + 3);
            CString label;
            label.Format("(%.1f,%.1f)", (p.x - origin.x) * u, (p.y - origin.y) * u);
            pDC->TextOut(s.x + 3, s.y + 3, label);
        }
        pDC->SetBkMode(oldMode);
        pDC->SetTextAlign(oldAlign);
        pDC->SelectObject(oldFont);
    }

    const bool rect = m_nKind == 0 && std::fabs(m_fHeight) >= kPlaneHoleMinSize && std::fabs(m_fWidth) >= kPlaneHoleMinSize;
    const bool circle = m_nKind == 1 && std::fabs(m_fHeight) >= kPlaneHoleMinSize;
    if (rect || circle) {
        const std::unique_ptr<CHole> hole(MakeHole(room, m_dAngle));
        CBrush white(RGB(255, 255, 255));
        pDC->SelectObject(&white);
        CPoint mark;
        if (rect) {
            std::vector<CPoint> corners;
            for (const CPoint2D& p : HoleTestPoints(*hole))
                corners.push_back(ToScreen(p.x, p.y));
            pDC->Polygon(corners.data(), (int)corners.size());
            mark = corners.front();
        } else {
            const auto* c = static_cast<const CHoleCircle*>(hole.get());
            mark = ToScreen(c->m_ptCenter.x, c->m_ptCenter.y);
            const double r = c->m_dR * m_dScale;
            pDC->Ellipse((int)std::trunc(mark.x - r), (int)std::trunc(mark.y - r), (int)std::trunc(mark.x + r),
                         (int)std::trunc(mark.y + r));
        }
        CBrush red(RGB(255, 0, 0));
        CPen redPen(PS_SOLID, 1, RGB(255, 0, 0));
        pDC->SelectObject(&red);
        oldPen = pDC->SelectObject(&redPen);
        pDC->Rectangle(mark.x - 3, mark.y - 3, mark.x + 4, mark.y + 4);
        pDC->SelectObject(oldPen);
    }
    pDC->SelectObject(oldBrush);
}

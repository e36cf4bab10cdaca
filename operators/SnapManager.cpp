#include "operators/SnapManager.h"

#include "host/HostMessages.h"
#include "model/draw/draw.h"
#include "operators/DlgSnapOffset.h"

// ---------------------------------------------------------------------------------------
// CSnapTarget

CSnapTarget::CSnapTarget(int kind)
    : m_nKind(kind), m_pGlobalData(nullptr), m_bHasReferPt(false), m_bOn(true), m_bSavedOn(false)
{
}

CSnapTarget::~CSnapTarget() = default;

CSnapTarget* CSnapTarget::Create(int kind)
{
    switch (kind) {
    case SNAP_ENDPT:
        return new CSnapEndPt();
    case SNAP_MIDPT:
        return new CSnapMidPt();
    case SNAP_PERPT:
        return new CSnapPerPt();
    default:
        return nullptr;
    }
}

CPoint2D CSnapTarget::ToScreen(const CPoint3D& pt) const
{
    return m_pGlobalData->GetViewXform().ToScreen(pt);
}

CRect CSnapTarget::CursorSquare(const CPoint& cursor)
{
    return CRect(cursor.x - kSnapBox, cursor.y - kSnapBox, cursor.x + kSnapBox, cursor.y + kSnapBox);
}

void CSnapTarget::Draw(CDC* pDC)
{
    if (!pDC || !m_pGlobalData)
        return;
    const int oldRop = pDC->SetROP2(R2_XORPEN);
    CPen pen(PS_SOLID, 2, RGB(255, 255, 0));
    CPen* oldPen = pDC->SelectObject(&pen);
    CGdiObject* oldBrush = pDC->SelectStockObject(NULL_BRUSH);
    DrawMark(pDC);
    pDC->SelectObject(oldBrush);
    pDC->SelectObject(oldPen);
    pen.DeleteObject();
    pDC->SetROP2(oldRop);
}

void CSnapTarget::DrawAt(CDC* pDC, const CPoint3D& at)
{
    const CPoint3D keep = m_ptSnap;
    m_ptSnap = at;
    Draw(pDC);
    m_ptSnap = keep;
}

bool CSnapEndPt::Snap(const CPoint& cursor, const CMeshNode& a, const CMeshNode& b)
{
    const CRect box = CursorSquare(cursor);
    if (box.PtInRect((CPoint)a.GetScreenPt())) {
        m_ptSnap = a.GetPt();
        return true;
    }
    if (box.PtInRect((CPoint)b.GetScreenPt())) {
        m_ptSnap = b.GetPt();
        return true;
    }
    return false;
}

void CSnapEndPt::DrawMark(CDC* pDC)
{
    const CPoint2D s = ToScreen(m_ptSnap);
    pDC->Rectangle((int)(s.x - kMarkSize), (int)(s.y - kMarkSize), (int)(s.x + kMarkSize), (int)(s.y + kMarkSize));
}

bool CSnapMidPt::Snap(const CPoint& cursor, const CMeshNode& a, const CMeshNode& b)
{
    const CPoint2D mid = CLine(a.GetScreenPt(), b.GetScreenPt()).GetMidPt();
    if (!CursorSquare(cursor).PtInRect((CPoint)mid))
        return false;
    // The model mid point: a foreshortened projection does not move it.
    m_ptSnap = (a.GetPt() + b.GetPt()) / 2.0;
    return true;
}

void CSnapMidPt::DrawMark(CDC* pDC)
{
    const CPoint2D s = ToScreen(m_ptSnap);
    const POINT pts[3] = {{(LONG)(s.x + 6), (LONG)(s.y + 3.464203233256351)},
                          {(LONG)s.x, (LONG)(s.y - 6.928406466512702)},
                          {(LONG)(s.x - 6), (LONG)(s.y + 3.464203233256351)}};
    pDC->Polygon(pts, 3);
}

bool CSnapPerPt::Snap(const CPoint& cursor, const CMeshNode& a, const CMeshNode& b)
{
    if (!m_bHasReferPt)
        return false;
    CLine3D line;
    line.SetLine3D(a.GetPt(), b.GetPt());
    const CPoint3D foot = line.GetPerPt(m_ptRefer);
    if (foot == m_ptRefer || !line.IsPtBetween(foot))
        return false;
    // The line only has to pass the cursor square; the foot itself may lie anywhere on it.
    const CRect box = CursorSquare(cursor);
    const CPoint2D c[4] = {CPoint2D(box.left, box.top), CPoint2D(box.right, box.top), CPoint2D(box.right, box.bottom),
                           CPoint2D(box.left, box.bottom)};
    const CLine seg(a.GetScreenPt(), b.GetScreenPt());
    for (int i = 0; i < 4; ++i) {
        CPoint2D cross;
        if (seg.InterSect(CLine(c[i], c[(i + 1) % 4]), cross, nullptr) == 1) {
            m_ptSnap = foot;
            return true;
        }
    }
    return false;
}

void CSnapPerPt::DrawMark(CDC* pDC)
{
    const CPoint2D s = ToScreen(m_ptSnap);
    const int x = (int)s.x, y = (int)s.y, d = kMarkSize;
    pDC->MoveTo(x - d, y + d);
    pDC->LineTo(x + d, y + d);
    pDC->MoveTo(x - d, y + d);
    pDC->LineTo(x - d, y - d);
    pDC->MoveTo(x, y);
    pDC->LineTo(x, y + d);
    pDC->MoveTo(x, y);
    pDC->LineTo(x - d, y);
}

// ---------------------------------------------------------------------------------------
// CSnapManager

namespace {

LRESULT AskHost(UINT message, WPARAM wParam)
{
    CWnd* main = AfxGetMainWnd();
    return main ? main->SendMessage(message, wParam, 0) : 0;
}

CMeshNode MeshNode(const CPoint3D& pt, const CViewXform& xf) { return CMeshNode(pt, xf.ToScreen(pt)); }

// The pixel box of a candidate line; one without area grows by 5 pixels on every side.
CRect LineBox(const CPoint2D& a, const CPoint2D& b)
{
    const CPoint pa = a, pb = b;
    CRect rc(pa.x, pa.y, pb.x, pb.y);
    rc.NormalizeRect();
    if (rc.Width() == 0 || rc.Height() == 0)
        rc.InflateRect(5, 5);
    return rc;
}

bool Overlaps(const CRect& a, const CRect& b)
{
    CRect out;
    return out.IntersectRect(&a, &b) != FALSE;
}

} // namespace

CSnapManager::CSnapManager()
    : m_nUseType(0), m_pGlobalData(nullptr), m_bSwitchOn(false), m_pCurTarget(nullptr), m_bSnapFrom(false),
      m_bHasReferPt(false), m_bTempUse(false), m_pMarkTarget(nullptr)
{
    for (int k = 0; k < SNAP_KINDS; ++k)
        m_Targets[k] = CSnapTarget::Create(k);
}

CSnapManager::~CSnapManager()
{
    for (CSnapTarget* t : m_Targets)
        delete t;
}

void CSnapManager::Init(CGlobalData* data)
{
    m_pGlobalData = data;
    for (CSnapTarget* t : m_Targets)
        t->SetGlobalData(data);
}

CSnapTarget* CSnapManager::GetTarget(int kind) const
{
    return (kind >= 0 && kind < SNAP_KINDS) ? m_Targets[kind] : nullptr;
}

void CSnapManager::Switch(bool on)
{
    m_bSwitchOn = on;
    if (on)
        return;
    SetHasReferPt(false);
    // A snapped point left from before would be taken by a click that no move preceded.
    m_pCurTarget = nullptr;
    UpdateMark(nullptr, CPoint3D());
}

void CSnapManager::SetHasReferPt(bool b)
{
    m_bHasReferPt = b;
    for (CSnapTarget* t : m_Targets)
        t->SetHasReferPt(b);
}

void CSnapManager::SetReferPt(const CPoint3D& pt)
{
    for (CSnapTarget* t : m_Targets)
        t->SetReferPt(pt);
    m_bHasReferPt = true;
}

void CSnapManager::SetSnapOn(bool on)
{
    for (CSnapTarget* t : m_Targets)
        t->SetOn(on);
}

void CSnapManager::SetSnapOn(int kind, bool on)
{
    if (CSnapTarget* t = GetTarget(kind))
        t->SetOn(on);
}

bool CSnapManager::GetSnapOn(int kind) const
{
    const CSnapTarget* t = GetTarget(kind);
    return t && t->IsOn();
}

void CSnapManager::SetIsTempUse(bool b)
{
    if (b == m_bTempUse)
        return;
    m_bTempUse = b;
    for (CSnapTarget* t : m_Targets) {
        if (b) {
            t->SaveOn();
            t->SetOn(false);
        } else {
            t->RestoreOn();
        }
    }
}

CPoint3D CSnapManager::GetPt() const
{
    CPoint3D offset;
    if (m_bSnapFrom && m_nUseType == 0) {
        CDlgSnapOffset dlg;
        if (dlg.DoModal() == IDOK) {
            // The offset is typed in display units.
            const double unit = m_pGlobalData ? (double)m_pGlobalData->UnitLength() : 1.0;
            offset.Parse(dlg.m_strOffset, unit > 0.0 ? 1.0 / unit : 1.0);
        }
    }
    return m_ptSnap + offset;
}

CWnd* CSnapManager::ActiveView()
{
    return reinterpret_cast<CWnd*>(AskHost(WM_UI_GETACTIVEVIEW, 0));
}

bool CSnapManager::SearchNodes(const CPoint& cursor, const CViewXform& xf)
{
    if (!(m_nUseType == 1 || (m_nUseType == 0 && m_Targets[SNAP_ENDPT]->IsOn())))
        return false;
    const CPNodeList* nodes = reinterpret_cast<CPNodeList*>(AskHost(WM_UI_GETSNAPLIST, 0));
    if (!nodes)
        return false;
    const CRect box(cursor.x - CSnapTarget::kSnapBox, cursor.y - CSnapTarget::kSnapBox,
                    cursor.x + CSnapTarget::kSnapBox, cursor.y + CSnapTarget::kSnapBox);
    for (POSITION pos = nodes->GetHeadPosition(); pos != nullptr;) {
        const CPNode* node = nodes->GetNextT(pos);
        if (node && box.PtInRect((CPoint)node->GetScreenPt(xf))) {
            m_Targets[SNAP_ENDPT]->m_ptSnap = node->GetPt();
            m_pCurTarget = m_Targets[SNAP_ENDPT];
            return true;
        }
    }
    return false;
}

bool CSnapManager::SearchAxes(const CPoint& cursor, const CViewXform& xf)
{
    if (m_nUseType != 0 || !m_pGlobalData->AxisDisplay().GetIsShow() || !m_pGlobalData->Struct())
        return false;
    std::vector<CAxisSeq*> seqs;
    m_pGlobalData->Struct()->Axises().GetCurrentAxisSeqLine(seqs);
    const double z = m_pGlobalData->AxisDisplay().GetZ();
    const CRect pick(cursor.x - kPickBox, cursor.y - kPickBox, cursor.x + kPickBox, cursor.y + kPickBox);
    for (const CAxisSeq* seq : seqs) {
        const CPoint2D st = seq->GetStPt(), ed = seq->GetEdPt();
        const CMeshNode a = MeshNode(CPoint3D(st.x, st.y, z), xf);
        const CMeshNode b = MeshNode(CPoint3D(ed.x, ed.y, z), xf);
        if (!Overlaps(LineBox(a.GetScreenPt(), b.GetScreenPt()), pick))
            continue;
        for (CSnapTarget* t : m_Targets)
            if (t->IsOn() && t->Snap(cursor, a, b)) {
                m_pCurTarget = t;
                return true;
            }
    }
    return false;
}

bool CSnapManager::SearchMembers(const CPoint& cursor, const CViewXform& xf)
{
    if (m_nUseType != 0)
        return false;
    CSnapTarget* targets[2] = {m_Targets[SNAP_MIDPT], m_Targets[SNAP_PERPT]};
    if (!targets[0]->IsOn() && !targets[1]->IsOn())
        return false;
    const CRect pick(cursor.x - kPickBox, cursor.y - kPickBox, cursor.x + kPickBox, cursor.y + kPickBox);
    // Member ends are nodes, found before: only the mid point and the foot are asked here.
    auto test = [&](const CBeamBase* beam) {
        const CPNode* n1 = beam ? beam->GetNode1() : nullptr;
        const CPNode* n2 = beam ? beam->GetNode2() : nullptr;
        if (!n1 || !n2)
            return false;
        const CPoint2D& s1 = n1->GetScreenPt(xf);
        const CPoint2D& s2 = n2->GetScreenPt(xf);
        if (!Overlaps(LineBox(s1, s2), pick))
            return false;
        const CMeshNode a(n1->GetPt(), s1), b(n2->GetPt(), s2);
        for (CSnapTarget* t : targets)
            if (t->IsOn() && t->Snap(cursor, a, b)) {
                m_pCurTarget = t;
                return true;
            }
        return false;
    };
    // The host's members first, then the edge members of its walls, in list order.
    if (const CBeamList* beams = reinterpret_cast<CBeamList*>(AskHost(WM_UI_GETSNAPLIST, 1)))
        for (POSITION pos = beams->GetHeadPosition(); pos != nullptr;)
            if (test(beams->GetNextT(pos)))
                return true;
    if (const CWallList* walls = reinterpret_cast<CWallList*>(AskHost(WM_UI_GETSNAPLIST, 2)))
        for (POSITION pos = walls->GetHeadPosition(); pos != nullptr;) {
            CWall* wall = walls->GetNextT(pos);
            const CBeamList* edges = wall ? wall->GetEdgeBeamList() : nullptr;
            if (!edges)
                continue;
            for (POSITION ep = edges->GetHeadPosition(); ep != nullptr;)
                if (test(edges->GetNextT(ep)))
                    return true;
        }
    return false;
}

void CSnapManager::MouseMove(const CPoint& cursor)
{
    if (!m_bSwitchOn)
        return;
    CSnapTarget* oldTarget = m_pCurTarget;
    const CPoint3D oldPt = m_ptSnap;
    m_pCurTarget = nullptr;
    if (m_pGlobalData) {
        const CViewXform& xf = m_pGlobalData->GetViewXform();
        if (!SearchNodes(cursor, xf) && !SearchAxes(cursor, xf))
            SearchMembers(cursor, xf);
    }
    if (m_pCurTarget)
        m_ptSnap = m_pCurTarget->GetSnapPt();
    if (m_pCurTarget != oldTarget || !(m_ptSnap == oldPt) || m_pMarkTarget != m_pCurTarget)
        UpdateMark(m_pCurTarget, m_ptSnap);
}

void CSnapManager::UpdateMark(CSnapTarget* target, const CPoint3D& pt)
{
    if (m_pMarkTarget == target && (!target || m_ptMark == pt))
        return;
    CWnd* view = ActiveView();
    if (!view || !view->m_hWnd)
        return;
    CDC* pDC = view->GetDC();
    if (!pDC)
        return;
    if (target)
        target->DrawAt(pDC, pt);
    if (m_pMarkTarget)
        m_pMarkTarget->DrawAt(pDC, m_ptMark);
    view->ReleaseDC(pDC);
    m_pMarkTarget = target;
    m_ptMark = pt;
}

void CSnapManager::OnDraw(CDC* pDC)
{
    // The view has just been repainted: no marker is on it any more.
    m_pMarkTarget = nullptr;
    if (!m_bSwitchOn || !m_pCurTarget || !pDC)
        return;
    m_pCurTarget->DrawAt(pDC, m_ptSnap);
    m_pMarkTarget = m_pCurTarget;
    m_ptMark = m_ptSnap;
}

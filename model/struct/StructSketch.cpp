#include <vyr/model/struct/StructSketch.h>

#include <algorithm>
#include <cmath>

#include <vyr/gdi.h>
#include <vyr/wnd.h>
#include <vyr/model/struct/GlobalData.h>
#include <vyr/model/struct/ViewXform.h>

void CStructSketch::Import(CBeamList* members, CWallList* walls)
{
    if (members != nullptr)
        for (POSITION pos = members->GetHeadPosition(); pos != nullptr;)
        {
            CBeamBase* b = members->GetNextT(pos);
            if (b->GetNode1() != nullptr && b->GetNode2() != nullptr)
                AddLine(b->GetNode1()->m_pt, b->GetNode2()->m_pt, b->GetType(), b->GetSection());
        }
    if (walls != nullptr)
        for (POSITION pos = walls->GetHeadPosition(); pos != nullptr;)
        {
            CWall* w = walls->GetNextT(pos);
            if (w->GetVexNodeList()->GetCount() < 4)
                continue;
            CPoint3D c[4];
            for (int i = 0; i < 4; ++i)
                c[i] = w->GetNode(i + 1)->m_pt;
            AddWall(c, w->GetWallT());
        }
}

void CStructSketch::ClearData()
{
    m_arrLine.clear();
    m_arrWall.clear();
}

void CStructSketch::AddLine(const CPoint3D& a, const CPoint3D& b, int type, CSectionBase* sec)
{
    Line l;
    l.a = a;
    l.b = b;
    l.nType = type;
    l.pSection = sec;
    m_arrLine.push_back(l);
}

void CStructSketch::AddWall(const CPoint3D c[4], float t)
{
    Wall w;
    for (int i = 0; i < 4; ++i)
        w.c[i] = c[i];
    w.fT = t;
    m_arrWall.push_back(w);
}

void CStructSketch::Change3D(CMatrix3D& m)
{
    m_mx3D = m;
    CMatrix2D id;
    CViewXform v(m, id);
    for (Line& l : m_arrLine)
    {
        l.pa = v.ToPlane(l.a);
        l.pb = v.ToPlane(l.b);
    }
    for (Wall& w : m_arrWall)
        for (int i = 0; i < 4; ++i)
            w.p[i] = v.ToPlane(w.c[i]);
}

void CStructSketch::Change2D(CMatrix2D& m)
{
    m_mx2D = m;
    CMatrix3D id;
    CViewXform v(id, m);
    for (Line& l : m_arrLine)
    {
        l.sa = v.PlaneToScreen(l.pa);
        l.sb = v.PlaneToScreen(l.pb);
    }
    for (Wall& w : m_arrWall)
        for (int i = 0; i < 4; ++i)
            w.s[i] = v.PlaneToScreen(w.p[i]);
}

void CStructSketch::Display(CDC* pDC)
{
    if (pDC == nullptr)
        return;
    // Style 1 and 2 alternate while blinking; 3 is the dragged copy.
    COLORREF colour = RGB(255, 255, 255);
    int style = PS_SOLID;
    if (m_nUseType == 1)
        colour = RGB(255, 255, 0);
    else if (m_nUseType == 2)
        colour = RGB(128, 128, 128);
    else if (m_nUseType == 3)
    {
        colour = RGB(0, 255, 255);
        style = PS_DOT;
    }
    CPen pen(style, 1, colour);
    CPen* old = pDC->SelectObject(&pen);
    for (const Line& l : m_arrLine)
    {
        pDC->MoveTo((int)std::lround(l.sa.x), (int)std::lround(l.sa.y));
        pDC->LineTo((int)std::lround(l.sb.x), (int)std::lround(l.sb.y));
    }
    for (const Wall& w : m_arrWall)
    {
        POINT pts[4];
        for (int i = 0; i < 4; ++i)
        {
            pts[i].x = (LONG)std::lround(w.s[i].x);
            pts[i].y = (LONG)std::lround(w.s[i].y);
        }
        pDC->MoveTo(pts[3].x, pts[3].y);
        for (int i = 0; i < 4; ++i)
            pDC->LineTo(pts[i].x, pts[i].y);
    }
    pDC->SelectObject(old);
}

CRect2D CStructSketch::GetProjectRect() const
{
    bool first = true;
    CRect2D rc;
    auto add = [&](const CPoint2D& p) {
        if (first)
        {
            rc = CRect2D(p.x, p.y, p.x, p.y);
            first = false;
            return;
        }
        rc.left = std::min(rc.left, p.x);
        rc.right = std::max(rc.right, p.x);
        rc.top = std::min(rc.top, p.y);
        rc.bottom = std::max(rc.bottom, p.y);
    };
    for (const Line& l : m_arrLine)
    {
        add(l.pa);
        add(l.pb);
    }
    for (const Wall& w : m_arrWall)
        for (int i = 0; i < 4; ++i)
            add(w.p[i]);
    return rc;
}

CMatrix2D CStructSketch::GetZoomAllMx2D(const CRect& client) const
{
    CRect2D world = GetProjectRect();
    if (world.IsRectEmpty())
        world.InflateRect(5, 5);
    // A margin of 10 pixels, as the graphics library's preview keeps: fitted edge to edge,
    // the outermost members would lie on the window's border and past its last pixel.
    CRect area = client;
    if (area.Width() > 20 && area.Height() > 20)
        area.DeflateRect(10, 10);
    CMatrix2D m;
    m.SetZoomMatrix(area, world);
    return m;
}

void CStructSketch::ZoomAll(const CRect& client)
{
    CMatrix2D m = GetZoomAllMx2D(client);
    Change2D(m);
}

CMatrix2D CStructSketch::GetZoomAllMx2D(CWnd* pWnd) const
{
    CRect rc;
    if (pWnd != nullptr)
        pWnd->GetClientRect(&rc);
    return GetZoomAllMx2D(rc);
}

void CStructSketch::ZoomAll(CWnd* pWnd)
{
    CRect rc;
    if (pWnd != nullptr)
        pWnd->GetClientRect(&rc);
    ZoomAll(rc);
}

namespace
{
int NextNo(CObList* list, int (*no)(CObject*))
{
    int n = 0;
    for (POSITION pos = list->GetHeadPosition(); pos != nullptr;)
        n = std::max(n, no(list->GetNext(pos)));
    return n + 1;
}

CFloor* FloorAt(CFloorList* floors, double z)
{
    for (POSITION pos = floors->GetHeadPosition(); pos != nullptr;)
    {
        CFloor* f = floors->GetNextT(pos);
        if (std::fabs(f->GetZ() - z) < 1e-3)
            return f;
    }
    return nullptr;
}
} // namespace

void CStructSketch::Export(CGlobalData* pData, CEditStackNode& undo, bool bSnapNodes)
{
    if (pData == nullptr)
        return;
    CStruct* s = pData->Struct();
    int nodeNo = NextNo(s->m_pNodeList, [](CObject* o) { return static_cast<CPNode*>(o)->m_nNo; });
    int beamNo = NextNo(s->m_pBeamList, [](CObject* o) { return static_cast<CBeamBase*>(o)->m_nNo; });
    int wallNo = NextNo(s->m_pWallList, [](CObject* o) { return static_cast<CWall*>(o)->m_nNo; });

    auto nodeAt = [&](const CPoint3D& p) -> CPNode* {
        if (bSnapNodes)
            for (POSITION pos = s->m_pNodeList->GetHeadPosition(); pos != nullptr;)
            {
                CPNode* n = s->m_pNodeList->GetNextT(pos);
                if (n->m_pt.GetDist(p) < 1e-3)
                    return n;
            }
        CPNode* n = new CPNode(nodeNo++, p);
        undo.AddToList(s->m_pNodeList, n, true);
        return n;
    };

    for (const Line& l : m_arrLine)
    {
        CPNode* a = nodeAt(l.a);
        CPNode* b = nodeAt(l.b);
        if (a == b)
            continue;
        CBeam* beam = new CBeam(beamNo++, a, b, l.nType);
        beam->m_pSection = l.pSection;
        undo.AddToList(s->m_pBeamList, beam, true);
        if (CFloor* f = FloorAt(s->m_pFloorList, std::max(l.a.z, l.b.z)); f != nullptr)
        {
            beam->m_pFloor = f;
            undo.AddToList(f->m_pBeamList, beam, false);
        }
    }
    for (const Wall& w : m_arrWall)
    {
        CWall* wall = new CWall;
        wall->m_nNo = wallNo++;
        for (int i = 0; i < 4; ++i)
            wall->m_pVexNodeList->AddTail(nodeAt(w.c[i]));
        wall->m_fT = w.fT;
        wall->UpdateSize();
        undo.AddToList(s->m_pWallList, wall, true);
        if (CFloor* f = FloorAt(s->m_pFloorList, std::max(w.c[2].z, w.c[3].z)); f != nullptr)
        {
            wall->m_pFloor = f;
            undo.AddToList(f->m_pWallList, wall, false);
        }
    }
}

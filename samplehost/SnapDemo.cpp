// The sample host places an arc through three nodes with the three-point input: the
// cursor comes near each node, the object snap catches it, a click takes it. The host
// keeps the arc and the view's drawing is saved as PNG.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/host/HostMessages.h>
#include <vyr/model/draw/draw.h>
#include <vyr/model/struct/struct.h>
#include <vyr/operators/OPManager.h>
#include <vyr/operators/OPPt3.h>
#include <vyr/operators/SnapManager.h>

namespace {

// An arc the host placed, in the horizontal plane at its height.
struct PlacedArc
{
    CArc arc;
    double z = 0.0;
    CPoint3D pts[3];
};
std::vector<PlacedArc> g_arcs;

// The finish callback of the three-point input.
void OnArcPicked(COP* op)
{
    PlacedArc placed;
    for (int i = 0; i < 3; ++i)
        placed.pts[i] = COPPt::GetOnePt(i, op);
    placed.z = placed.pts[0].z;
    if (placed.arc.SetArc3Pt(placed.pts[0].GetXY(), placed.pts[1].GetXY(), placed.pts[2].GetXY()))
        g_arcs.push_back(placed);
}

// The host's main window: hands out the snap manager, the pickable lists and the view.
class CSnapFrame : public CWnd
{
public:
    CGlobalData* m_pData = nullptr;
    CSnapManager* m_pSnap = nullptr;
    CWnd* m_pView = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_UI_GETSNAPMANAGER:
            return (LRESULT)m_pSnap;
        case WM_UI_GETACTIVEVIEW:
            return (LRESULT)m_pView;
        case WM_UI_GETSNAPLIST:
            if (!m_pData || !m_pData->Struct())
                return 0;
            return wParam == 0   ? (LRESULT)m_pData->Struct()->m_pNodeList
                   : wParam == 1 ? (LRESULT)m_pData->Struct()->m_pBeamList
                   : wParam == 2 ? (LRESULT)m_pData->Struct()->m_pWallList
                                 : 0;
        default:
            if (message >= WM_UI_PROPCHANGED && message <= WM_UI_GETOPMANAGER)
                return 0;
            return CWnd::WindowProc(message, wParam, lParam);
        }
    }
};

// The drawing view: members, the placed arcs, then the operator and the snap marker.
class CSnapView : public CView
{
public:
    CGlobalData* m_pData = nullptr;
    COPManager* m_pOPManager = nullptr;
    CSnapManager* m_pSnap = nullptr;

    void OnDraw(CDC* pDC) override
    {
        CRect rc;
        GetClientRect(&rc);
        pDC->FillSolidRect(&rc, RGB(0, 0, 0));
        const CViewXform& xf = m_pData->GetViewXform();
        CPen member(PS_SOLID, 1, RGB(0, 255, 0));
        CGdiObject* old = pDC->SelectObject(&member);
        CBeamList& beams = *m_pData->Struct()->m_pBeamList;
        for (POSITION pos = beams.GetHeadPosition(); pos != nullptr;) {
            CBeamBase* b = beams.GetNextT(pos);
            if (!b || !b->GetNode1() || !b->GetNode2())
                continue;
            const CPoint2D a = xf.ToScreen(b->GetNode1()->GetPt());
            const CPoint2D c = xf.ToScreen(b->GetNode2()->GetPt());
            pDC->MoveTo((int)std::lround(a.x), (int)std::lround(a.y));
            pDC->LineTo((int)std::lround(c.x), (int)std::lround(c.y));
        }
        CPen arcPen(PS_SOLID, 2, RGB(255, 255, 255));
        pDC->SelectObject(&arcPen);
        pDC->SelectStockObject(NULL_BRUSH);
        for (const PlacedArc& placed : g_arcs)
            placed.arc.Display3D(pDC, m_pData->Matrix3D(), m_pData->Matrix2D(), placed.z);
        pDC->SelectObject(old);
        if (m_pOPManager)
            m_pOPManager->OnDraw(pDC);
        if (m_pSnap)
            m_pSnap->OnDraw(pDC);
    }
};

// The node that shows furthest along a screen direction.
CPNode* Extreme(CGlobalData& data, double dx, double dy)
{
    CPNode* best = nullptr;
    double bestValue = 0.0;
    const CViewXform& xf = data.GetViewXform();
    CPNodeList& nodes = *data.Struct()->m_pNodeList;
    for (POSITION pos = nodes.GetHeadPosition(); pos != nullptr;) {
        CPNode* n = nodes.GetNextT(pos);
        const CPoint2D s = n->GetScreenPt(xf);
        const double v = s.x * dx + s.y * dy;
        if (!best || v > bestValue) {
            best = n;
            bestValue = v;
        }
    }
    return best;
}

} // namespace

int RunSnapDemo(const std::string& outDir)
{
    std::filesystem::create_directories(outDir);
    g_arcs.clear();
    CGlobalData model;
    BuildSampleModel(model);
    CSnapManager snap;
    snap.Init(&model);

    CSnapFrame frame;
    frame.m_pData = &model;
    frame.m_pSnap = &snap;
    if (!frame.CreateEx(0, nullptr, "Vyr sample host", WS_OVERLAPPEDWINDOW, 0, 0, 1200, 900, nullptr, nullptr))
        return 1;
    CWnd* previousMain = AfxGetMainWnd();
    vyr::SetMainWnd(&frame);
    CSnapView view;
    view.m_pData = &model;
    view.m_pSnap = &snap;
    if (!view.Create(nullptr, "view", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1000, 800), &frame, 1)) {
        vyr::SetMainWnd(previousMain);
        return 1;
    }
    frame.m_pView = &view;

    // Fit the plan of the model into the view.
    CRect client;
    view.GetClientRect(&client);
    client.DeflateRect(40, 40);
    model.Matrix2D().SetZoomMatrix(client, model.Struct()->m_pNodeList->GetRealRect(0));

    bool ok = true;
    {
        COPManager manager;
        manager.Initial(&view, &model);
        view.m_pOPManager = &manager;
        COP idle;
        idle.SetOPType(OPTYPE_DEFAULT);
        manager.SetOP(idle);

        COPPt3 arc;
        arc.SetPt3Type(2); // through three points
        arc.SetOPDesc("布置弧线");
        arc.SetFun(nullptr, OnArcPicked);
        manager.SetOP(arc);

        // Three corners of the plan, each approached from a few pixels away.
        const CViewXform& xf = model.GetViewXform();
        CPNode* corners[3] = {Extreme(model, -1, 1), Extreme(model, 1, 1), Extreme(model, 1, -1)};
        for (CPNode* corner : corners) {
            const CPoint2D s = corner->GetScreenPt(xf);
            const CPoint near((int)std::lround(s.x) + 5, (int)std::lround(s.y) - 4);
            manager.MouseAction(OPMOUSE_MOVE, 0, CPoint(near.x + 30, near.y + 30), 0);
            manager.MouseAction(OPMOUSE_MOVE, 0, near, 0);
            if (!snap.HasSnapped()) {
                std::printf("snap: nothing caught near node %d\n", corner->GetNo());
                ok = false;
            }
            manager.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, near, 0);
        }
        std::printf("%s\n", manager.GetToolTip().GetString());
        if (g_arcs.size() != 1) {
            std::printf("snap demo: the arc was not placed\n");
            ok = false;
        } else {
            const PlacedArc& placed = g_arcs.front();
            for (int i = 0; i < 3; ++i)
                std::printf("point %d: (%.1f, %.1f, %.1f)\n", i + 1, placed.pts[i].x, placed.pts[i].y,
                            placed.pts[i].z);
            std::printf("arc: centre (%.1f, %.1f), radius %.1f\n", placed.arc.Center().x, placed.arc.Center().y,
                        placed.arc.GetRadius());
        }
        auto img = vyr::RenderWindow(view.m_hWnd);
        const std::string path = (std::filesystem::path(outDir) / "snap-arc.png").string();
        const bool saved = img && vyr::WritePng(path, *img);
        std::printf("view drawing %s: %s\n", saved ? "written" : "FAILED", path.c_str());
        ok = ok && saved;

        manager.KeyDown(VK_ESCAPE, 1, 0); // leave the input
        view.m_pOPManager = nullptr;
    }
    view.DestroyWindow();
    vyr::SetMainWnd(previousMain);
    frame.DestroyWindow();
    return ok ? 0 : 1;
}

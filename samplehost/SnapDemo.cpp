// The sample host places an arc through three nodes with the three-point input: the
// cursor comes near each node, the object snap catches it, a click takes it. The host
// keeps the arc and the view's drawing is saved as PNG.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/model/draw/draw.h>
#include <vyr/model/struct/structure.h>
#include <vyr/operators/OPManager.h>
#include <vyr/operators/OPPt3.h>
#include <vyr/operators/SnapManager.h>
#include "hostkit/HostKit.h"

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
    vyrhost::CHostKit host(1000, 800);
    CGlobalData& model = host.GlobalData();
    BuildSampleModel(model);
    host.ShowWholeModel(); // every node, member and wall is a snap candidate
    CSnapManager& snap = host.SnapManager();
    vyrhost::CHostView& view = host.View();
    view.m_pSnapManager = &snap;
    // The placed arcs, drawn in white in the horizontal plane at their height.
    view.m_onDraw = [&model](CDC* pDC) {
        CPen arcPen(PS_SOLID, 2, RGB(255, 255, 255));
        CGdiObject* old = pDC->SelectObject(&arcPen);
        pDC->SelectStockObject(NULL_BRUSH);
        for (const PlacedArc& placed : g_arcs)
            placed.arc.Display3D(pDC, model.Matrix3D(), model.Matrix2D(), placed.z);
        pDC->SelectObject(old);
    };

    // Fit the plan of the model into the view.
    CRect client;
    view.GetClientRect(&client);
    client.DeflateRect(40, 40);
    model.Matrix2D().SetZoomMatrix(client, model.Struct()->m_pNodeList->GetRealRect(0));

    bool ok = true;
    COPManager& manager = host.OPManager();
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
            std::printf("point %d: (%.1f, %.1f, %.1f)\n", i + 1, placed.pts[i].x, placed.pts[i].y, placed.pts[i].z);
        std::printf("arc: centre (%.1f, %.1f), radius %.1f\n", placed.arc.Center().x, placed.arc.Center().y,
                    placed.arc.GetRadius());
    }
    auto img = vyr::RenderWindow(view.m_hWnd);
    const std::string path = (std::filesystem::path(outDir) / "snap-arc.png").string();
    const bool saved = img && vyr::WritePng(path, *img);
    std::printf("view drawing %s: %s\n", saved ? "written" : "FAILED", path.c_str());
    ok = ok && saved;

    manager.KeyDown(VK_ESCAPE, 1, 0); // leave the input
    view.m_onDraw = nullptr;
    return ok ? 0 : 1;
}

// The sample host's drawing view driven through the view operators as a user would: a pan
// with the middle button, a wheel zoom and a zoom window. The view's drawing is saved as
// PNG before and after each step.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/model/struct/structure.h>
#include <vyr/operators/OPManager.h>
#include <vyr/operators/OPView.h>
#include "hostkit/HostKit.h"

using vyrhost::CHostView;

namespace {

bool SaveView(CWnd& view, const std::string& outDir, const char* name)
{
    auto img = vyr::RenderWindow(view.m_hWnd);
    const std::string path = (std::filesystem::path(outDir) / name).string();
    const bool ok = img && vyr::WritePng(path, *img);
    std::printf("view drawing %s: %s\n", ok ? "written" : "FAILED", path.c_str());
    return ok;
}

} // namespace

int RunViewDemo(const std::string& outDir)
{
    std::filesystem::create_directories(outDir);
    // The host kit redraws its view when an operator announces a view change.
    vyrhost::CHostKit host(1000, 800);
    CGlobalData& model = host.GlobalData();
    BuildSampleModel(model);
    CHostView& view = host.View();
    COPManager& manager = host.OPManager();

    bool ok = true;
    // The default operator: the generic selection when it is part of the library.
    manager.SetOP(CString("OP.Select"));
    if (!manager.GetCurOP()) {
        COP idle;
        idle.SetOPType(OPTYPE_DEFAULT);
        manager.SetOP(idle);
    }
    ok = SaveView(view, outDir, "view-0-before.png") && ok;

    // Pan: press the middle button, drag 120 pixels right and 60 down, release.
    manager.MouseAction(OPMOUSE_MDOWN, MK_MBUTTON, CPoint(500, 400), 0);
    for (int i = 1; i <= 4; ++i)
        manager.MouseAction(OPMOUSE_MOVE, MK_MBUTTON, CPoint(500 + 30 * i, 400 + 15 * i), 0);
    manager.MouseAction(OPMOUSE_MUP, 0, CPoint(620, 460), 0);
    ok = SaveView(view, outDir, "view-1-pan.png") && ok;

    // Wheel: two notches towards the user about the view's centre.
    manager.MouseAction(OPMOUSE_WHEEL, 0, CPoint(500, 400), 120);
    manager.MouseAction(OPMOUSE_WHEEL, 0, CPoint(500, 400), 120);
    ok = SaveView(view, outDir, "view-2-wheel.png") && ok;

    // Zoom window: two corners, then ESC to leave the operator.
    manager.SetOP(CString("OP.ViewWindow"));
    manager.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, CPoint(250, 200), 0);
    manager.MouseAction(OPMOUSE_MOVE, 0, CPoint(600, 450), 0);
    manager.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, CPoint(750, 600), 0);
    manager.KeyDown(VK_ESCAPE, 1, 0);
    ok = SaveView(view, outDir, "view-3-window.png") && ok;
    std::printf("view changes announced: %d; operator now: %s\n", host.Count(WM_UI_VIEWCHANGED),
                manager.GetOPDesc().GetString());
    return ok ? 0 : 1;
}

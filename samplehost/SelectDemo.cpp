// The sample host's drawing view driven through the member-selection operator as a user
// would: a window drawn from left to right over the left half of the model, then a
// crossing drawn from right to left over the same area; the selection is printed after each.
#include <cmath>
#include <cstdio>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/model/struct/structure.h>
#include <vyr/operators/OPManager.h>
#include <vyr/operators/OPSelectKinds.h>
#include "hostkit/HostKit.h"

#include "DemoSupport.h"

namespace {

void PrintSelection(CGlobalData& data, const char* how)
{
    CBeamList& sel = data.SelectBeamList();
    std::printf("%s: %d members selected\n", how, (int)sel.GetCount());
    int column = 0;
    for (POSITION pos = sel.GetHeadPosition(); pos != nullptr;) {
        CBeamBase* b = sel.GetNextT(pos);
        std::printf("  %s%d", b->GetTypeDescription().GetString(), b->GetNo());
        if (++column % 8 == 0)
            std::printf("\n");
    }
    if (column % 8 != 0)
        std::printf("\n");
}

} // namespace

int RunSelectDemo(const std::string& outDir)
{
    (void)outDir; // the demo prints; it writes no file
    vyrhost::CHostKit host(1000, 800);
    CGlobalData& model = host.GlobalData();
    BuildSampleModel(model);
    host.ShowWholeModel(); // every member is shown and pickable

    bool ok = true;
    COPManager& manager = host.OPManager();
    manager.SetOP(CString("OP.SelectBeam"));
    if (!manager.GetCurOP()) {
        std::printf("member selection operator not registered\n");
        return 1;
    }
    // The members' extent on the screen; corners just outside it fall on empty space.
    const CRect2D ext = model.GetBeamScreenRect(*model.Struct()->m_pBeamList);
    const int left = (int)std::floor(ext.left) - 20, top = (int)std::floor(ext.top) - 20;
    const int bottom = (int)std::ceil(ext.bottom) + 20;
    const int middle = (int)std::lround((ext.left + ext.right) / 2.0);
    std::printf("members on screen: (%.0f, %.0f) to (%.0f, %.0f)\n", ext.left, ext.top, ext.right, ext.bottom);

    Drag(manager, CPoint(left, top), CPoint(middle, bottom));
    PrintSelection(model, "window, left to right");
    const int byWindow = (int)model.SelectBeamList().GetCount();

    manager.KeyDown(VK_ESCAPE, 1, 0); // clears the selection
    Drag(manager, CPoint(middle, bottom), CPoint(left, top));
    PrintSelection(model, "crossing, right to left");
    const int byCrossing = (int)model.SelectBeamList().GetCount();
    const auto panels = host.Messages(WM_UI_SHOWPANEL);
    std::printf("selection messages: %d; last panel: %s\n", host.Count(WM_UI_SELCHANGED),
                panels.empty() ? "" : panels.back().text.c_str());
    // The crossing takes everything the window took and the members its frame cuts.
    ok = byWindow > 0 && byCrossing > byWindow;
    return ok ? 0 : 1;
}

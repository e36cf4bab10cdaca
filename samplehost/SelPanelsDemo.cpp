// The selection-property panels as a host shows them: members picked by a window, the
// host switches to the member panel, which lists them; one member chosen in its drop-down
// list and a value typed into its grid; then a room and a wall shown with their sketches.
// The three panels are saved as panel-beam.png, panel-room.png and panel-wall.png.
#include <cstdio>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/proplist.h>
#include <vyr/raster.h>
#include <vyr/scripteduser.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/host/MenuViewBase.h>
#include <vyr/host/ViewPropPanels.h>
#include <vyr/model/struct/structure.h>
#include "hostkit/HostKit.h"

#include "DemoSupport.h"
#include "demos.h"

namespace {

bool Save(CWnd* panel, const std::string& path)
{
    panel->UpdateWindow();
    auto img = vyr::RenderWindow(panel->GetSafeHwnd());
    return img && vyr::WritePng(path, *img);
}

} // namespace

int RunSelPanelsDemo(const std::string& outDir)
{
    int failures = 0;
    vyr::ScriptedUser::Reset();
    vyrhost::CHostKit host(900, 700, 260);
    CGlobalData& model = host.GlobalData();
    BuildSampleModel(model);
    host.ShowWholeModel();
    CFrameViews& panels = host.CreatePanels();

    // A window over the left half of the plan, as a user drags it.
    SelectLeftHalfByWindow(host);
    vyr::PumpMessages();

    auto* beams = dynamic_cast<CViewPropBeam*>(panels.GetDlg(""));
    if (!beams || panels.GetCurrentType() != CString("View.PropBeam")) {
        std::printf("selection panels: the host did not switch to the member panel\n");
        return 1;
    }
    CString head;
    beams->m_wndCombo.GetLBText(0, head);
    std::printf("member panel: %d members selected, %d entries: %s\n", (int)model.SelectBeamList().GetCount(),
                beams->m_wndCombo.GetCount(), head.GetString());

    // One member chosen, a deflection limit typed in.
    failures += !vyr::WindowUser::SelectRow(beams, 8001, 1);
    CBeamBase* chosen = host.m_pCurrentBeam;
    CString entry;
    beams->m_wndCombo.GetLBText(1, entry);
    failures += !vyr::UserPropExpand(beams->m_PropsUI.GetPropListHWND(), "设计参数", true);
    failures += !vyr::UserPropSetValue(beams->m_PropsUI.GetPropListHWND(), "恒载挠度限值", "400");
    vyr::PumpMessages();
    std::printf("member panel: chose \"%s\"; its dead-load deflection limit is now 1/%d\n", entry.GetString(),
                chosen ? chosen->GetDLLimit() : 0);
    failures += !(chosen && chosen->GetDLLimit() == 400);
    failures += !Save(beams, outDir + "/panel-beam.png");

    // A room and a wall, each shown by itself with its sketch.
    CStruct& s = *model.Struct();
    CPlane* room = s.m_pPlaneList->GetCount() > 0 ? s.m_pPlaneList->Get(1) : nullptr;
    CWall* wall = s.m_pWallList->GetCount() > 0 ? s.m_pWallList->Get(1) : nullptr;
    if (room) {
        model.SelectPlaneList().AddTail(room);
        room->SetSelect(true);
        host.SendMessage(WM_UI_SELCHANGED);
        host.SendMessage(WM_UI_SHOWPANEL, 0, (LPARAM) "View.PropPlane");
        auto* rooms = dynamic_cast<CViewPropPlane*>(panels.GetDlg("View.PropPlane"));
        failures += !(rooms && vyr::WindowUser::SelectRow(rooms, 8001, 1));
        failures += !(rooms && Save(rooms, outDir + "/panel-room.png"));
        std::printf("room panel: room %d with %d secondary beams\n", room->GetNo(),
                    (int)room->m_pSubBeamList->GetCount());
    }
    if (wall) {
        model.SelectWallList().AddTail(wall);
        wall->SetSelect(true);
        host.SendMessage(WM_UI_SELCHANGED);
        host.SendMessage(WM_UI_SHOWPANEL, 0, (LPARAM) "View.PropWall");
        auto* walls = dynamic_cast<CViewPropWall*>(panels.GetDlg("View.PropWall"));
        failures += !(walls && vyr::WindowUser::SelectRow(walls, 8001, 1));
        failures += !(walls && Save(walls, outDir + "/panel-wall.png"));
        std::printf("wall panel: wall %d, %.0f x %.0f, %d openings\n", wall->GetNo(), wall->GetWallB(),
                    wall->GetWallH(), (int)wall->m_pHoleList->GetCount());
    }
    std::printf("selection panels: panel-beam.png, panel-room.png, panel-wall.png%s\n",
                failures ? " (FAILED)" : "");
    return failures;
}

// The storey panel and the vibration-mode panel in the host's side area, driven as a user
// would: a storey is clicked (its members become the selection) and mode 1 of the sample
// model's modal results is shown. Both panels are saved as panel-floor.png and
// panel-mode.png.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/host/ViewFloor.h>
#include <vyr/host/ViewFrequent.h>
#include <vyr/model/struct/SampleModel.h>
#include <vyr/model/struct/structure.h>
#include <vyr/raster.h>
#include <vyr/resources/dialogs/FloorRes.h>
#include <vyr/resources/dialogs/FrequentRes.h>
#include <vyr/scripteduser.h>
#include "hostkit/HostKit.h"

#include "demos.h"

namespace {

bool SavePanel(CWnd* panel, const std::string& path)
{
    std::shared_ptr<vyr::Image> img = vyr::RenderWindow(panel->GetSafeHwnd());
    const bool ok = img && vyr::WritePng(path, *img);
    std::printf("  %s: %s\n", ok ? "saved" : "NOT saved", path.c_str());
    return ok;
}

} // namespace

int RunPanelsDemo(const std::string& outDir)
{
    std::printf("storey and vibration-mode panels:\n");
    int failures = 0;
    vyrhost::CHostKit host(800, 600, 240);
    BuildSampleModel(host.GlobalData());
    host.m_nDisplayMode = 2;
    host.CreatePanels();

    // The storey panel: a click on the second storey's row selects its members.
    auto* floor = dynamic_cast<CViewFloor*>(host.ShowPanel("View.Floor"));
    if (!floor) {
        std::printf("  the storey panel is missing\n");
        return 1;
    }
    CGridCtrl& grid = floor->Grid();
    std::printf("  storey rows: %d\n", grid.GetRowCount() - 1);
    const int before = (int)host.GlobalData().SelectBeamList().GetCount();
    CRect cell;
    grid.GetCellRect(3, 1, &cell);
    const CPoint pt = cell.CenterPoint();
    grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    grid.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    const int after = (int)host.GlobalData().SelectBeamList().GetCount();
    std::printf("  clicked \"%s\": selected members %d -> %d\n", grid.GetItemText(3, 1).GetString(), before, after);
    failures += after > 0 && after != before ? 0 : 1;
    failures += SavePanel(floor, (std::filesystem::path(outDir) / "panel-floor.png").string()) ? 0 : 1;

    // The mode panel: mode 1 shown statically.
    auto* modes = dynamic_cast<CViewFrequent*>(host.ShowPanel("View.Frequent"));
    if (!modes) {
        std::printf("  the mode panel is missing\n");
        return 1;
    }
    CListCtrlEx& list = modes->ModeList();
    for (int i = 0; i < list.GetItemCount(); ++i)
        std::printf("  %s |%s |%s\n", list.GetItemText(i, 0).GetString(), list.GetItemText(i, 1).GetString(),
                    list.GetItemText(i, 2).GetString());
    host.ClearMessages();
    vyr::WindowUser::SelectRow(modes, IDC_FREQ_LIST, 0);
    vyr::WindowUser::Click(modes, IDC_FREQ_DISPLAY);
    const bool shown = host.Count(WM_UI_SHOWMODE) == 1 && host.Messages(WM_UI_SHOWMODE)[0].wParam == 0;
    std::printf("  mode 1 %s (scale %d, %s)\n", shown ? "shown" : "NOT shown", host.m_frequentPara.m_nScale,
                host.m_frequentPara.m_nDisplayKind ? "animated" : "static");
    failures += shown ? 0 : 1;
    failures += SavePanel(modes, (std::filesystem::path(outDir) / "panel-mode.png").string()) ? 0 : 1;
    return failures;
}

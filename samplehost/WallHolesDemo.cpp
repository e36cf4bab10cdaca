// Wall openings as a user gives them through the property keys of the walls: on the two
// equal walls of the sample model's first two storeys a window is added beside the door
// and centred in height (the opening dialog's preview is saved as
// wall-opening-preview.png); then the single opening of the third storey's wall and of a
// longer wall that the host adds is made 1000 mm wide and centred on each wall by the
// quick modification. The walls' openings go to wall-openings.txt.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/host/PropsUI.h>
#include <vyr/input/DlgWallHoleDefine.h>
#include <vyr/model/grid/gridctrl.h>
#include <vyr/model/struct/structure.h>
#include <vyr/raster.h>
#include <vyr/resources/dialogs/WallHoleRes.h>
#include <vyr/scripteduser.h>
#include "hostkit/HostKit.h"

#include "DemoSupport.h"
#include "demos.h"

using vyr::ScriptedUser;

namespace {

CPNode* NodeAt(CStruct* st, double x, double y, double z)
{
    for (POSITION pos = st->m_pNodeList->GetHeadPosition(); pos != nullptr;) {
        CPNode* n = st->m_pNodeList->GetNextT(pos);
        if (n->m_pt.x == x && n->m_pt.y == y && n->m_pt.z == z)
            return n;
    }
    return nullptr;
}

// The wall's openings in millimetres, with the corners they were placed at.
std::string WallLines(CWall* w, float unit)
{
    std::string text = VyrFormat("wall %d: %.0f x %.0f mm, %d opening(s)\n", w->GetNo(), w->GetWallB() * unit,
                                 w->GetWallH() * unit, (int)w->m_pHoleList->GetCount());
    int k = 0;
    for (POSITION pos = w->m_pHoleList->GetHeadPosition(); pos != nullptr;) {
        const CHole* h = w->m_pHoleList->GetNextT(pos);
        const CPoint3D a = h->GetVexPt(1), c = h->GetVexPt(3);
        text += VyrFormat("  opening %d: from the left %.0f, from the bottom %.0f, %.0f wide, %.0f high; "
                          "corners (%.0f, %.0f, %.0f) to (%.0f, %.0f, %.0f) cm\n",
                          ++k, h->m_dX * unit, h->m_dY * unit, h->m_dH * unit, h->m_dV * unit, a.x, a.y, a.z, c.x,
                          c.y, c.z);
    }
    return text;
}

// The dialog as a picture, with its preview drawn over the frame's place (the frame paints
// its own face after the dialog has drawn into it).
bool SavePreview(CDlgWallHoleDefine& dlg, const std::string& png)
{
    auto img = RenderOverFrame(&dlg, IDC_WALLHOLE_PREVIEW, [&](CDC* dc, const CRect&) { dlg.DrawPreview(dc); });
    return img && vyr::WritePng(png, *img);
}

} // namespace

int RunWallHolesDemo(const std::string& outDir)
{
    int failures = 0;
    const CDemoUser user(failures);

    vyrhost::CHostKit host(900, 700, 260);
    CGlobalData& data = host.GlobalData();
    BuildSampleModel(data); // three storeys, each with a 6000 x 3600 mm wall and its door
    data.ProgramType() = 0; // openings are keys of the modelling program
    const float unit = data.UnitLength();
    CStruct* st = data.Struct();
    CWall* walls[3] = {st->m_pWallList->Get(1), st->m_pWallList->Get(2), st->m_pWallList->Get(3)};
    CPNode* corners[4] = {NodeAt(st, 0, 0, 0), NodeAt(st, 1200, 0, 0), NodeAt(st, 1200, 0, 360), NodeAt(st, 0, 0, 360)};
    if (!walls[0] || !walls[1] || !walls[2] || !corners[0] || !corners[1] || !corners[2] || !corners[3]) {
        std::printf("wall openings: the sample model lacks three walls or the corners of a longer wall\n");
        return 1;
    }
    // The host's own longer wall, 12000 mm over two bays, with a door near its start.
    auto* longer = new CWall;
    longer->m_nNo = (int)st->m_pWallList->GetCount() + 1;
    longer->m_fT = 20.0f;
    longer->m_pFloor = walls[0]->m_pFloor;
    for (CPNode* n : corners)
        longer->m_pVexNodeList->AddTail(n);
    longer->UpdateSize();
    auto* door = new CHoleRect;
    longer->AddHole(door);
    door->ChangHolePara(100, 0, 210, 90, longer);
    st->m_pWallList->AddTail(longer);
    if (longer->m_pFloor != nullptr)
        longer->m_pFloor->m_pWallList->AddTail(longer);

    // The openings of the first two walls: a window of 1200 x 1500 mm beside the door, then
    // centred in height; the preview is saved before "确定".
    const std::string png = (std::filesystem::path(outDir) / "wall-opening-preview.png").string();
    bool saved = false;
    ScriptedUser::SetText(IDC_WALLHOLE_DX, "4000", IDD_WALLHOLEDEFINE);
    ScriptedUser::SetText(IDC_WALLHOLE_DY, "900", IDD_WALLHOLEDEFINE);
    ScriptedUser::SetText(IDC_WALLHOLE_WIDTH, "1200", IDD_WALLHOLEDEFINE);
    ScriptedUser::SetText(IDC_WALLHOLE_HEIGHT, "1500", IDD_WALLHOLEDEFINE);
    ScriptedUser::Click(IDC_WALLHOLE_ADD, IDD_WALLHOLEDEFINE);
    ScriptedUser::Run(
        [](CDialog* dlg) {
            // A click on the window's row shows it in the edits.
            auto* grid = dynamic_cast<CGridCtrl*>(dlg->GetDlgItem(IDC_WALLHOLE_GRID));
            CRect cell;
            if (grid != nullptr && grid->GetCellRect(2, 1, &cell)) {
                const CPoint p = cell.CenterPoint();
                grid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
                grid->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
            }
        },
        IDD_WALLHOLEDEFINE);
    ScriptedUser::SelectRow(IDC_WALLHOLE_VERTALIGN, 2, IDD_WALLHOLEDEFINE); // 中对齐
    ScriptedUser::Run([&](CDialog* dlg) { saved = SavePreview(*static_cast<CDlgWallHoleDefine*>(dlg), png); },
                      IDD_WALLHOLEDEFINE);
    ScriptedUser::Click(IDC_WALLHOLE_OK, IDD_WALLHOLEDEFINE);
    CWallList equal;
    equal.AddTail(walls[0]);
    equal.AddTail(walls[1]);
    const int defined = CPropsUI::WallHoleDefineDlg(&equal, &data);

    // The single opening of walls 6000 and 12000 mm long: 1000 x 2100 mm, centred on each.
    ScriptedUser::SetText(IDC_WALLHOLE_WIDTH, "1000", IDD_WALLHOLEADJUST);
    ScriptedUser::SetText(IDC_WALLHOLE_HEIGHT, "2100", IDD_WALLHOLEADJUST);
    ScriptedUser::SelectRow(IDC_WALLHOLE_HORZALIGN, 2, IDD_WALLHOLEADJUST); // 居中
    ScriptedUser::PressOK(IDD_WALLHOLEADJUST);
    CWallList different;
    different.AddTail(walls[2]);
    different.AddTail(longer);
    const int adjusted = CPropsUI::WallHoleAdjustDlg(&different, &data);

    std::string text = VyrFormat("openings defined on walls %d and %d: %s\n", walls[0]->GetNo(), walls[1]->GetNo(),
                                 defined == 1 ? "yes" : "no");
    text += VyrFormat("single openings centred on walls %d and %d: %s\n", walls[2]->GetNo(), longer->GetNo(),
                      adjusted == 1 ? "yes" : "no");
    for (CWall* w : {walls[0], walls[1], walls[2], longer})
        text += WallLines(w, unit);
    std::ofstream((std::filesystem::path(outDir) / "wall-openings.txt").string(), std::ios::binary) << text;
    std::printf("%s", text.c_str());

    // Two openings on each equal wall, the window centred in height; the others centred.
    auto opening = [](CWall* w, int i) { return w->m_pHoleList->Get(i); };
    const bool ok = defined == 1 && adjusted == 1 && saved && walls[0]->m_pHoleList->GetCount() == 2 &&
                    walls[1]->m_pHoleList->GetCount() == 2 && opening(walls[1], 2)->m_dY == 105.0 &&
                    opening(walls[2], 1)->m_dX == 250.0 && opening(longer, 1)->m_dX == 550.0 &&
                    opening(longer, 1)->m_dH == 100.0;
    if (!ok) {
        std::printf("wall openings: FAILED (defined %d, adjusted %d, preview %s)\n", defined, adjusted,
                    saved ? "saved" : "not saved");
        ++failures;
    }
    return failures;
}

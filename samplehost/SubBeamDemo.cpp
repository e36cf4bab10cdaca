// Secondary beams laid out through the property key, as the property grid runs it, in a
// quadrilateral and in the triangular room of the sample model: points by distance and by
// equal division. The beams created are written to secondary-beams.txt and each dialog's
// preview is saved before OK (subbeam-quad.png, subbeam-tri.png).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/input/DlgPlaneSubBeamDefine.h>
#include <vyr/input/DlgPlaneSubBeamDefineTri.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/PropKeyRegistry.h>
#include <vyr/raster.h>
#include <vyr/resources/dialogs/SubBeamRes.h>
#include <vyr/scripteduser.h>
#include <vyr/windc.h>

#include "DemoSupport.h"
#include "demos.h"
#include "hostkit/HostKit.h"

using vyr::ScriptedUser;

namespace {

// The open dialog as the user sees it, its preview drawn over the frame's place (the frame
// paints its own face after the dialog has drawn into it), saved as PNG.
bool SavePreview(CDialog* dlg, const std::string& path)
{
    CWnd* frame = dlg->GetDlgItem(IDC_SUBBEAM_PREVIEW);
    if (frame == nullptr)
        return false;
    std::vector<vyr::DrawRecord> preview;
    HWND hFrame = frame->GetSafeHwnd();
    // The dialog draws into the frame before the frame paints itself: the first context.
    vyr::WatchReleasedDCs([&](HWND h, CDC& dc) {
        if (h == hFrame && preview.empty())
            preview = dc.Records();
    });
    std::shared_ptr<vyr::Image> img = vyr::RenderWindow(dlg->GetSafeHwnd());
    vyr::WatchReleasedDCs(nullptr);
    if (!img || preview.empty())
        return false;
    img = RenderOverFrame(dlg, IDC_SUBBEAM_PREVIEW, preview);
    return img && vyr::WritePng(path, *img);
}

std::string Beams(CPlane* room, float unit)
{
    std::string text;
    CString line;
    line.Format("房间 %d (%s), 方向代码 %d, 次梁 %d 根\n", room->GetNo(), room->GetEdgeNum() == 3 ? "三角形" : "四边形",
                room->m_nSubBeamDir, (int)room->m_pSubBeamList->GetCount());
    text += line.str();
    for (POSITION pos = room->m_pSubBeamList->GetHeadPosition(); pos != nullptr;) {
        const CBeamBase* b = room->m_pSubBeamList->GetNextT(pos);
        const CPoint3D& a = b->GetNode1()->m_pt;
        const CPoint3D& e = b->GetNode2()->m_pt;
        line.Format("  次梁 %d: 结点 %d (%.0f, %.0f, %.0f) - 结点 %d (%.0f, %.0f, %.0f) mm, 长 %.0f mm\n", b->GetNo(),
                    b->GetNode1()->GetNo(), a.x * unit, a.y * unit, a.z * unit, b->GetNode2()->GetNo(), e.x * unit,
                    e.y * unit, e.z * unit, b->GetLength() * unit);
        text += line.str();
    }
    return text;
}

} // namespace

int RunSubBeamDemo(const std::string& outDir)
{
    int failures = 0;
    const CDemoUser user(failures);
    vyrhost::CHostKit host(900, 700, 260);
    CGlobalData& data = host.GlobalData();
    CSampleModelSize size;
    size.bTriangleRoom = true;
    BuildSampleModel(data, size);
    data.ProgramType() = 0;
    CStruct* st = data.Struct();
    const float unit = data.UnitLength();
    CPlane* quad = st->m_pPlaneList->Get(1);
    CPlane* tri = st->m_pPlaneList->Get((int)st->m_pPlaneList->GetCount());
    if (quad == nullptr || tri == nullptr || tri->GetEdgeNum() != 3) {
        std::printf("secondary beams: the sample model lacks its rooms\n");
        return 1;
    }
    std::string text = "布置前:\n" + Beams(quad, unit) + Beams(tri, unit);
    const std::filesystem::path out(outDir);

    // The quadrilateral: beams along the room (次梁竖放), one 1000 mm from C1 and C4, then
    // the room divided in three.
    bool savedQuad = false;
    ScriptedUser::Click(IDC_SUBBEAM_ALONG, IDD_SUBBEAM_QUAD);
    ScriptedUser::SetText(IDC_SUBBEAM_DIST1, "1000", IDD_SUBBEAM_QUAD);
    ScriptedUser::SetText(IDC_SUBBEAM_DIST2, "1000", IDD_SUBBEAM_QUAD);
    ScriptedUser::Click(IDC_SUBBEAM_INSERT, IDD_SUBBEAM_QUAD);
    ScriptedUser::SetText(IDC_SUBBEAM_DIVCOUNT, "2", IDD_SUBBEAM_QUAD);
    ScriptedUser::Click(IDC_SUBBEAM_DIVIDE, IDD_SUBBEAM_QUAD);
    ScriptedUser::SelectRow(IDC_SUBBEAM_LIST, 0, IDD_SUBBEAM_QUAD);
    ScriptedUser::Run([&](CDialog* dlg) { savedQuad = SavePreview(dlg, (out / "subbeam-quad.png").string()); },
                      IDD_SUBBEAM_QUAD);
    ScriptedUser::PressOK(IDD_SUBBEAM_QUAD);
    CPlaneList rooms;
    rooms.AddTail(quad);
    const int quadAnswer = vyrkeys::Run("Prop.PlaneSubBeamDefine", &rooms, &data);

    // The triangle: beams parallel to its first side, one 1000 mm from C2 and C1, then the
    // sides halved.
    bool savedTri = false;
    ScriptedUser::SetText(IDC_SUBBEAM_DIST1, "1000", IDD_SUBBEAM_TRI);
    ScriptedUser::SetText(IDC_SUBBEAM_DIST2, "1000", IDD_SUBBEAM_TRI);
    ScriptedUser::Click(IDC_SUBBEAMTRI_INSERT, IDD_SUBBEAM_TRI);
    ScriptedUser::SetText(IDC_SUBBEAM_DIVCOUNT, "1", IDD_SUBBEAM_TRI);
    ScriptedUser::Click(IDC_SUBBEAM_DIVIDE, IDD_SUBBEAM_TRI);
    ScriptedUser::Run([&](CDialog* dlg) { savedTri = SavePreview(dlg, (out / "subbeam-tri.png").string()); },
                      IDD_SUBBEAM_TRI);
    ScriptedUser::PressOK(IDD_SUBBEAM_TRI);
    rooms.RemoveAll();
    rooms.AddTail(tri);
    const int triAnswer = vyrkeys::Run("Prop.PlaneSubBeamDefine", &rooms, &data);

    text += "\n布置后:\n" + Beams(quad, unit) + Beams(tri, unit);
    std::printf("%s", text.c_str());
    std::ofstream((out / "secondary-beams.txt").string()) << text;

    const bool laid = quadAnswer == 1 && triAnswer == 1 && quad->m_pSubBeamList->GetCount() == 3 &&
                      quad->m_nSubBeamDir == 2 && tri->m_pSubBeamList->GetCount() == 2 && tri->m_nSubBeamDir == 1;
    if (!laid) {
        std::printf("secondary beams: FAILED, the layouts are not as entered\n");
        ++failures;
    }
    if (!savedQuad || !savedTri) {
        std::printf("secondary beams: FAILED, a preview was not saved\n");
        ++failures;
    }
    return failures;
}

// Web and room openings as a user gives them through the property keys: the H beams of
// the first storey's first span along x get a rectangular web opening at mid-span (the
// dialog's preview is saved as web-opening.png); then one room of that storey gets a
// rectangular opening along its second edge (preview saved as room-opening.png) and two
// more rooms get one together. The openings created go to openings.txt.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/host/PropsUI.h>
#include <vyr/input/DlgBeamWebHole.h>
#include <vyr/input/DlgPlaneHoleDefine.h>
#include <vyr/model/section/SectionBase.h>
#include <vyr/model/struct/structure.h>
#include <vyr/raster.h>
#include <vyr/resources/dialogs/PlaneHoleRes.h>
#include <vyr/resources/dialogs/WebHoleRes.h>
#include <vyr/scripteduser.h>
#include "hostkit/HostKit.h"

#include "DemoSupport.h"
#include "demos.h"

using vyr::ScriptedUser;

namespace {

std::string WebLines(const CBeamList& beams)
{
    std::string text;
    for (POSITION pos = beams.GetHeadPosition(); pos != nullptr;) {
        const CBeamBase* b = beams.GetNextT(pos);
        const CBeamWebHole* h = b->m_pWebHole;
        if (h == nullptr) {
            text += VyrFormat("member %d: no web opening\n", b->GetNo());
            continue;
        }
        text += VyrFormat("member %d (%s, %.0f mm): %s web opening centred at %.0f, %.0f mm, %.0f high, %.0f wide\n",
                          b->GetNo(), b->GetSection()->GetSimpleSecName().GetString(), b->GetLength() * 10.0,
                          h->m_nType == 1 ? "rectangular" : "circular", h->m_fX, h->m_fY, h->m_fH, h->m_fB);
    }
    return text;
}

std::string RoomLines(CPlane* room, float unit)
{
    const CHole* h = room->m_pHole;
    if (h == nullptr)
        return VyrFormat("room %d: no opening\n", room->GetNo());
    std::string text = VyrFormat("room %d: %s opening from the first corner %.0f, %.0f mm, %.0f high, %.0f wide, "
                                 "parallel to edge %d (%.0f degrees); corners",
                                 room->GetNo(), h->GetKind() == 1 ? "rectangular" : "circular", h->m_dX * unit,
                                 h->m_dY * unit, h->m_dV * unit, h->m_dH * unit, h->m_nRefEdge + 1,
                                 h->m_dAngle * 180.0 / M_PI);
    for (int i = 1; i <= 4; ++i) {
        const CPoint3D p = h->GetVexPt(i);
        text += VyrFormat(" (%.0f, %.0f)", p.x * unit, p.y * unit);
    }
    return text + " mm\n";
}

// The open dialog as a picture, its preview drawn over the frame's place.
template <class Dlg>
bool SavePreview(CDialog* dlg, int frame, const std::string& png)
{
    auto* open = dynamic_cast<Dlg*>(dlg);
    if (open == nullptr)
        return false;
    auto img = RenderOverFrame(dlg, frame, [&](CDC* dc, const CRect&) { open->DrawPreview(dc); });
    return img && vyr::WritePng(png, *img);
}

} // namespace

int RunOpeningsDemo(const std::string& outDir)
{
    int failures = 0;
    const CDemoUser user(failures);
    vyrhost::CHostKit host(900, 700, 260);
    CGlobalData& data = host.GlobalData();
    BuildSampleModel(data); // 600 cm bays, HN450x200 beams, 4 rooms a storey
    const float unit = data.UnitLength();
    CStruct* st = data.Struct();
    const std::filesystem::path out(outDir);

    // The beams of the first span along x on the first storey (x from 0 to 600 cm).
    CBeamList span;
    for (POSITION pos = st->m_pBeamList->GetHeadPosition(); pos != nullptr;) {
        CBeamBase* b = st->m_pBeamList->GetNextT(pos);
        const CPoint3D& a = b->GetNode1()->m_pt;
        const CPoint3D& e = b->GetNode2()->m_pt;
        if (b->GetType() == 2 && a.z == 360.0 && e.z == 360.0 && a.y == e.y && a.x == 0.0 && e.x == 600.0)
            span.AddTail(b);
    }
    // A 600 x 200 mm opening at mid-span across the middle of the 450 mm web.
    data.ProgramType() = 1;
    bool savedWeb = false;
    ScriptedUser::Click(IDC_WEBHOLE_RECT, IDD_BEAMWEBHOLE);
    ScriptedUser::SetText(IDC_WEBHOLE_X, "3000", IDD_BEAMWEBHOLE);
    ScriptedUser::SetText(IDC_WEBHOLE_Y, "225", IDD_BEAMWEBHOLE);
    ScriptedUser::SetText(IDC_WEBHOLE_HEIGHT, "200", IDD_BEAMWEBHOLE);
    ScriptedUser::SetText(IDC_WEBHOLE_WIDTH, "600", IDD_BEAMWEBHOLE);
    ScriptedUser::Click(IDC_WEBHOLE_DRAW, IDD_BEAMWEBHOLE);
    ScriptedUser::Run(
        [&](CDialog* dlg) {
            savedWeb = SavePreview<CDlgBeamWebHole>(dlg, IDC_WEBHOLE_PREVIEW, (out / "web-opening.png").string());
        },
        IDD_BEAMWEBHOLE);
    ScriptedUser::PressOK(IDD_BEAMWEBHOLE);
    ScriptedUser::AnswerMessageBox(IDOK, "杆件布置成功！");
    const int webAnswer = CPropsUI::BeamWebHoleDefineDlg(&span, &data);

    // Rooms of the first storey: the first alone, 2000 x 1500 mm along its second edge, 1000
    // mm from its first corner; the next two together, 1500 x 1000 mm along their first edge.
    data.ProgramType() = 0;
    CPlane* rooms[3] = {st->m_pPlaneList->Get(1), st->m_pPlaneList->Get(2), st->m_pPlaneList->Get(3)};
    if (rooms[0] == nullptr || rooms[1] == nullptr || rooms[2] == nullptr || span.GetCount() == 0) {
        std::printf("openings: the sample model lacks its beams or rooms\n");
        return failures + 1;
    }
    bool savedRoom = false;
    ScriptedUser::Click(IDC_PLANEHOLE_RECT, IDD_PLANEHOLE);
    ScriptedUser::SetText(IDC_PLANEHOLE_X, "4000", IDD_PLANEHOLE);
    ScriptedUser::SetText(IDC_PLANEHOLE_Y, "1000", IDD_PLANEHOLE);
    ScriptedUser::SetText(IDC_PLANEHOLE_HEIGHT, "1500", IDD_PLANEHOLE);
    ScriptedUser::SetText(IDC_PLANEHOLE_WIDTH, "2000", IDD_PLANEHOLE);
    ScriptedUser::SelectRow(IDC_PLANEHOLE_EDGE, 1, IDD_PLANEHOLE);
    ScriptedUser::Run(
        [&](CDialog* dlg) {
            savedRoom = SavePreview<CDlgPlaneHoleDefine>(dlg, IDC_PLANEHOLE_PREVIEW, (out / "room-opening.png").string());
        },
        IDD_PLANEHOLE);
    ScriptedUser::PressOK(IDD_PLANEHOLE);
    CPlaneList one;
    one.AddTail(rooms[0]);
    const int singleAnswer = CPropsUI::PlaneHoleDefineDlg(&one, &data);

    ScriptedUser::Click(IDC_PLANEHOLE_RECT, IDD_PLANEHOLE);
    ScriptedUser::SetText(IDC_PLANEHOLE_X, "1000", IDD_PLANEHOLE);
    ScriptedUser::SetText(IDC_PLANEHOLE_Y, "1000", IDD_PLANEHOLE);
    ScriptedUser::SetText(IDC_PLANEHOLE_HEIGHT, "1000", IDD_PLANEHOLE);
    ScriptedUser::SetText(IDC_PLANEHOLE_WIDTH, "1500", IDD_PLANEHOLE);
    ScriptedUser::PressOK(IDD_PLANEHOLE);
    ScriptedUser::AnswerMessageBox(IDOK, "开洞成功!");
    CPlaneList two;
    two.AddTail(rooms[1]);
    two.AddTail(rooms[2]);
    const int multiAnswer = CPropsUI::PlaneHoleDefineDlg(&two, &data);

    std::string text = VyrFormat("web openings of %d beams: %s\n", (int)span.GetCount(), webAnswer == 1 ? "yes" : "no");
    text += WebLines(span);
    text += VyrFormat("room opening of one room: %s; of two rooms together: %s\n", singleAnswer == 1 ? "yes" : "no",
                      multiAnswer == 1 ? "yes" : "no");
    for (CPlane* p : rooms)
        text += RoomLines(p, unit);
    std::ofstream((out / "openings.txt").string(), std::ios::binary) << text;
    std::printf("%s", text.c_str());

    bool made = webAnswer == 1 && singleAnswer == 1 && multiAnswer == 1;
    for (POSITION pos = span.GetHeadPosition(); pos != nullptr;) {
        const CBeamWebHole* h = span.GetNextT(pos)->m_pWebHole;
        made = made && h != nullptr && h->m_nType == 1 && h->m_fX == 3000.0f && h->m_fB == 600.0f;
    }
    for (CPlane* p : rooms)
        made = made && p->m_pHole != nullptr && p->m_pHole->GetKind() == 1;
    made = made && rooms[0]->m_pHole->m_nRefEdge == 1 && rooms[1]->m_pHole->m_dH * unit == 1500.0;
    if (!made) {
        std::printf("openings: FAILED, the openings are not as entered\n");
        ++failures;
    }
    if (!savedWeb || !savedRoom) {
        std::printf("openings: FAILED, a preview was not saved\n");
        ++failures;
    }
    return failures;
}

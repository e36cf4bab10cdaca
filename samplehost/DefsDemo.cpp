// The member-end and support libraries as a new user runs them through the property keys:
// a release, an eccentricity (for two members, then for a wall), a rigid arm and a spring
// support are each added in their library and assigned to the selection. The libraries
// and the assignments go to definitions.txt; the support list and the rigid-arm dialog
// are saved as pictures (dlg-support.png, dlg-rigid.png).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/raster.h>
#include <vyr/scripteduser.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/PropKeyRegistry.h>
#include <vyr/resources/dialogs/DefsRes.h>
#include "hostkit/HostKit.h"

#include "DemoSupport.h"
#include "demos.h"

using vyr::ScriptedUser;

namespace {

bool SaveDefsWindow(CWnd* w, const std::string& outDir, const char* name)
{
    const std::string path = (std::filesystem::path(outDir) / name).string();
    auto img = vyr::RenderWindow(w->GetSafeHwnd());
    const bool saved = img && vyr::WritePng(path, *img);
    std::printf("%s %s: %s\n", name, saved ? "written" : "FAILED", path.c_str());
    return saved;
}

template <class List, class Text>
std::string DefsLines(List* list, Text text)
{
    std::string out;
    for (POSITION pos = list->GetHeadPosition(); pos != nullptr;)
        out += text(list->GetNextT(pos));
    return out;
}

template <class Def>
std::string DefText(const char* prefix, Def* def)
{
    if (def == nullptr)
        return "none";
    CString text;
    def->GetDescription(&text);
    return VyrFormat("%s%d (%s)", prefix, def->m_nNo, text.GetString());
}

std::string SupportText(CSupportBase* s)
{
    if (s == nullptr)
        return "none";
    CString text;
    s->GetDescription(&text);
    return VyrFormat("%s (%s)", s->GetDescription().GetString(), text.GetString());
}

} // namespace

int RunDefsDemo(const std::string& outDir)
{
    std::filesystem::create_directories(outDir);
    int failures = 0;
    const CDemoUser user(failures);

    vyrhost::CHostKit host(900, 700, 260);
    CGlobalData& data = host.GlobalData();
    CSampleModelSize size;
    size.nStorey = 1;
    size.nBayX = 2;
    size.nBayY = 1;
    BuildSampleModel(data, size);
    data.ProgramType() = 0; // the libraries are keys of the model input
    CStruct* st = data.Struct();

    CBeamList beams;
    for (POSITION pos = st->m_pBeamList->GetHeadPosition(); pos != nullptr && beams.GetCount() < 2;)
        if (CBeamBase* b = st->m_pBeamList->GetNextT(pos); b->GetType() == 2)
            beams.AddTail(b);
    CWallList walls;
    if (CWall* w = st->m_pWallList->GetHeadT())
        walls.AddTail(w);
    CPNodeList nodes;
    if (CPNode* n = st->m_pNodeList->GetHeadT())
        nodes.AddTail(n);
    if (beams.GetCount() < 2 || walls.IsEmpty() || nodes.IsEmpty()) {
        std::printf("definitions: the sample model lacks two beams, a wall or a node\n");
        return 1;
    }

    // A release: both ends free about the strong axis, sliding.
    const int release = (int)st->m_pReleaseList->GetCount() + 1;
    ScriptedUser::Click(IDC_DEFS_ADD, IDD_BEAMRELEASE);
    ScriptedUser::Check(IDC_RELEASE_START3, BST_CHECKED, IDD_RELEASEADD);
    ScriptedUser::Check(IDC_RELEASE_END3, BST_CHECKED, IDD_RELEASEADD);
    ScriptedUser::SelectString(IDC_RELEASE_TYPE, "自由滑动连接", IDD_RELEASEADD);
    ScriptedUser::PressOK(IDD_RELEASEADD);
    ScriptedUser::SelectRow(IDC_DEFS_LIST, release, IDD_BEAMRELEASE);
    ScriptedUser::PressOK(IDD_BEAMRELEASE);
    failures += vyrkeys::Run("Prop.BeamRelease", &beams, &data) != 1;

    // An eccentricity of 50 along axis 3 at both ends (displayed units), for the members and
    // then for the wall.
    const int offset = (int)st->m_pOffsetList->GetCount() + 1;
    ScriptedUser::Click(IDC_DEFS_ADD, IDD_BEAMOFFSET);
    ScriptedUser::SetText(IDC_OFFSET_START3, "50", IDD_OFFSETADD);
    ScriptedUser::SetText(IDC_OFFSET_END3, "50", IDD_OFFSETADD);
    ScriptedUser::PressOK(IDD_OFFSETADD);
    ScriptedUser::SelectRow(IDC_DEFS_LIST, offset, IDD_BEAMOFFSET);
    ScriptedUser::PressOK(IDD_BEAMOFFSET);
    failures += vyrkeys::Run("Prop.BeamOffset", &beams, &data) != 1;
    ScriptedUser::SelectRow(IDC_DEFS_LIST, offset, IDD_BEAMOFFSET);
    ScriptedUser::PressOK(IDD_BEAMOFFSET);
    failures += vyrkeys::Run("Prop.WallOffset", &walls, &data) != 1;

    // An extending rigid arm, 30 at the start and 20 at the end; its dialog saved.
    const int rigid = (int)st->m_pRigidList->GetCount() + 1;
    ScriptedUser::Click(IDC_DEFS_ADD, IDD_BEAMRIGID);
    ScriptedUser::Click(IDC_RIGID_EXTEND, IDD_RIGIDADD);
    ScriptedUser::SetText(IDC_RIGID_START, "30", IDD_RIGIDADD);
    ScriptedUser::SetText(IDC_RIGID_END, "20", IDD_RIGIDADD);
    ScriptedUser::Run([&](CDialog* d) { failures += !SaveDefsWindow(d, outDir, "dlg-rigid.png"); }, IDD_RIGIDADD);
    ScriptedUser::PressOK(IDD_RIGIDADD);
    ScriptedUser::SelectRow(IDC_DEFS_LIST, rigid, IDD_BEAMRIGID);
    ScriptedUser::PressOK(IDD_BEAMRIGID);
    failures += vyrkeys::Run("Prop.BeamRigid", &beams, &data) != 1;

    // A spring support free about Z; the list saved with its icons.
    ScriptedUser::Click(IDC_DEFS_ADD, IDD_NODESUPPORT);
    ScriptedUser::Check(IDC_SPRING_MZ, BST_CHECKED, IDD_SUPPORTSPRING);
    ScriptedUser::SetText(IDC_SPRING_KFZ, "50000", IDD_SUPPORTSPRING);
    ScriptedUser::PressOK(IDD_SUPPORTSPRING);
    ScriptedUser::SelectRow(IDC_DEFS_LIST, (int)st->m_pSupportList->GetCount() + 1, IDD_NODESUPPORT);
    ScriptedUser::Run([&](CDialog* d) { failures += !SaveDefsWindow(d, outDir, "dlg-support.png"); }, IDD_NODESUPPORT);
    ScriptedUser::PressOK(IDD_NODESUPPORT);
    failures += vyrkeys::Run("Prop.NodeSupport", &nodes, &data) != 1;

    std::string text = "releases:\n" + DefsLines(st->m_pReleaseList, [](CBeamBindRelease* r) {
                           return "  " + DefText("释放", r) + "\n";
                       });
    text += "eccentricities:\n" +
            DefsLines(st->m_pOffsetList, [](CMemberOffset* o) { return "  " + DefText("偏心", o) + "\n"; });
    text += "rigid arms:\n" + DefsLines(st->m_pRigidList, [](CBeamRigid* g) { return "  " + DefText("刚臂", g) + "\n"; });
    text += "supports:\n" + DefsLines(st->m_pSupportList, [](CSupportBase* s) { return "  " + SupportText(s) + "\n"; });
    text += "assignments:\n";
    text += DefsLines(&beams, [](CBeamBase* b) {
        CBeam* beam = b->toBeam();
        return VyrFormat("  member %d: release %s, eccentricity %s, rigid arm %s\n", b->GetNo(),
                         DefText("释放", b->GetBeamBindRelease()).c_str(), DefText("偏心", b->m_pOffset).c_str(),
                         DefText("刚臂", beam != nullptr ? beam->m_pRigid : nullptr).c_str());
    });
    text += DefsLines(&walls, [](CWall* w) {
        return VyrFormat("  wall %d: eccentricity %s\n", w->GetNo(), DefText("偏心", w->m_pOffset).c_str());
    });
    text += DefsLines(&nodes, [](CPNode* n) {
        return VyrFormat("  node %d: support %s\n", n->GetNo(), SupportText(n->GetSupport()).c_str());
    });
    const std::string path = (std::filesystem::path(outDir) / "definitions.txt").string();
    std::ofstream(path) << text;
    std::printf("definitions.txt written: %s\n", path.c_str());
    if (ScriptedUser::PendingSteps() != 0) {
        std::printf("definitions: %zu scripted steps not taken\n", ScriptedUser::PendingSteps());
        ++failures;
    }
    return failures;
}

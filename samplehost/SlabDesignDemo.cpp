// Slab reinforcement of the sample model through the room key "Prop.PlaneBanDesign", with
// the moments an analysis would leave in the rooms: a concrete one-way room, a two-way room
// and a profiled-deck room, each designed automatically by a scripted user and confirmed.
// The rooms' bar groups and covers go to slab-design.txt.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/input/DlgBanDesign.h>
#include <vyr/input/DlgBanDesignDeck.h>
#include <vyr/input/DlgBanDesignTwoWay.h>
#include <vyr/model/section/Ban.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/PropKeyRegistry.h>
#include <vyr/resources/dialogs/SlabDesignRes.h>
#include <vyr/scripteduser.h>

#include "DemoSupport.h"
#include "demos.h"
#include "hostkit/HostKit.h"

using vyr::ScriptedUser;

namespace {

std::string Group(const CPlateSteelBarGroup* g)
{
    if (g == nullptr)
        return "-";
    return VyrFormat("#%d %s d%d@%d", g->m_nNo, g->m_nGrade == 0 ? "一级钢" : g->m_nGrade == 1 ? "二级钢" : "三级钢",
                     g->m_nDiameter, g->m_nSpace);
}

std::string RoomLine(const CPlane* p)
{
    return VyrFormat("房间%d: 保护层 %.0f mm; X正 %s; X负 %s; Y正 %s; Y负 %s", p->m_nNo, p->m_fCover,
                     Group(p->m_pBarGroup[0]).c_str(), Group(p->m_pBarGroup[1]).c_str(),
                     Group(p->m_pBarGroup[2]).c_str(), Group(p->m_pBarGroup[3]).c_str());
}

// The required areas the open dialog shows, as text.
std::string Needs(CDialog* dlg, std::initializer_list<int> ids)
{
    std::string text;
    for (int id : ids) {
        CString s;
        dlg->GetDlgItemText(id, s);
        text += (text.empty() ? "" : ", ") + s.str();
    }
    return text;
}

} // namespace

int RunSlabDesignDemo(const std::string& outDir)
{
    std::filesystem::create_directories(outDir);
    int failures = 0;
    const CDemoUser user(failures);
    vyrhost::CHostKit host(800, 600);
    CGlobalData& data = host.GlobalData();
    CSampleModelSize size;
    size.nStorey = 1;
    size.nBayX = 3;
    size.nBayY = 1;
    BuildSampleModel(data, size);
    data.ProgramType() = 1; // slab design is a key of the design program
    CStruct* st = data.Struct();
    if (st->m_pPlaneList->GetCount() < 3) {
        std::printf("slab design: the sample model has fewer than three rooms\n");
        return 1;
    }
    // Rooms 1 and 3 have concrete slabs, room 2 the deck slab. Room 3 loses its secondary
    // beam and becomes a two-way slab; the deck's supports are designed alone (type code 1).
    CPlane* oneWay = st->m_pPlaneList->Get(1);
    CPlane* deck = st->m_pPlaneList->Get(2);
    CPlane* twoWay = st->m_pPlaneList->Get(3);
    twoWay->DeleteSubBeams(data);
    twoWay->m_nSubBeamDir = 0;
    deck->m_pBan->SetType(1);
    // Moments per metre width (kN.m/m): X positive, Y positive, X negative, Y negative.
    const float moments[3][4] = {{6.5f, 0.0f, -9.2f, 0.0f}, {3.0f, 0.0f, -4.0f, 0.0f}, {5.0f, 3.2f, -8.0f, -6.0f}};
    CPlane* rooms[3] = {oneWay, deck, twoWay};
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 4; ++k)
            rooms[r]->m_fMoment[k] = moments[r][k];

    std::ofstream out(std::filesystem::path(outDir) / "slab-design.txt");
    out << "楼板配筋设计 (block 2: grade " << host.m_settings[2][2] << ", cover " << host.m_settings[2][4]
        << " mm, spacings " << host.m_settings[2][5] << "/" << host.m_settings[2][6] << " mm)\n";
    auto run = [&](CPlane* room, const char* title, UINT idd, int autoId, std::initializer_list<int> needIds) {
        std::string needs;
        ScriptedUser::Click(autoId, idd);
        ScriptedUser::Run([&](CDialog* dlg) { needs = Needs(dlg, needIds); }, idd);
        ScriptedUser::PressOK(idd);
        CPlaneList picked;
        picked.AddTail(room);
        const int result = vyrkeys::Run("Prop.PlaneBanDesign", &picked, &data);
        failures += result != 1 || room->m_pBarGroup[1] == nullptr;
        out << title << " 应配面积 (mm*2/m): " << needs << "\n  " << RoomLine(room) << "\n";
        std::printf("slab design: %s\n", RoomLine(room).c_str());
    };
    run(oneWay, "现浇单向板", IDD_SLABDESIGN, IDC_SLAB_AUTO, {IDC_SLAB_POSNEED, IDC_SLAB_NEGNEED});
    // The two-way room is simply supported on its long sides.
    ScriptedUser::SelectString(IDC_SLAB2W_CONDITION, "长边简支", IDD_SLABDESIGN_TWOWAY);
    run(twoWay, "双向板 (长边简支)", IDD_SLABDESIGN_TWOWAY, IDC_SLAB2W_AUTO,
        {IDC_SLAB2W_XPOSNEED, IDC_SLAB2W_XNEGNEED, IDC_SLAB2W_YPOSNEED, IDC_SLAB2W_YNEGNEED});
    run(deck, "压型钢板组合楼板支座", IDD_SLABDESIGN_DECK, IDC_SLABDECK_AUTO, {IDC_SLABDECK_NEED});
    out << "钢筋组: " << st->m_pPlateSteelBarGroupList->GetCount() << "; 双向板边界条件 " << twoWay->m_nTwoWayBound
        << "\n";
    out.close();
    failures += twoWay->m_nTwoWayBound != 2 || twoWay->m_pBarGroup[3] == nullptr || deck->m_pBarGroup[0] != nullptr;
    std::printf("slab design %s: %s\n", failures ? "FAILED" : "written",
                (std::filesystem::path(outDir) / "slab-design.txt").string().c_str());
    const bool ok = failures == 0 && ScriptedUser::PendingSteps() == 0;
    ScriptedUser::Reset();
    return ok ? 0 : 1;
}

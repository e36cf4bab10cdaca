// The property keys of the model input dialogs: library definitions (supports, releases,
// eccentricities, rigid arms), openings, secondary beams and the slab design and check.
// Each body opens its dialog on the row's objects, writes the dialog's answer into them and
// answers 1 when the model changed; every refusal shows its message and leaves the model
// as it was.
#include <cmath>
#include <type_traits>

#include <vyr/input/DlgBanDesign.h>
#include <vyr/input/DlgBanDesignDeck.h>
#include <vyr/input/DlgBanDesignTwoWay.h>
#include <vyr/input/DlgBeamOffset.h>
#include <vyr/input/DlgBeamRelease.h>
#include <vyr/input/DlgBeamRigid.h>
#include <vyr/input/DlgBeamWebHole.h>
#include <vyr/input/DlgNodeSupport.h>
#include <vyr/input/DlgPlaneHoleDefine.h>
#include <vyr/input/DlgPlaneSubBeamDefine.h>
#include <vyr/input/DlgPlaneSubBeamDefineTri.h>
#include <vyr/input/DlgWallHoleAdjust.h>
#include <vyr/input/DlgWallHoleDefine.h>
#include <vyr/model/section/Ban.h>
#include <vyr/model/section/SectionBase.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/HostProtocol.h>
#include <vyr/protocol/KeyLists.h>
#include <vyr/protocol/PropKeyRegistry.h>

using namespace vyrkeys;

// ---- library definitions: the chosen (shared) definition, or none, into every object

namespace {

// The dialog opens on the objects' current definition; on OK its choice goes to every
// object through give.
template <class Dlg, class Def, class List, class Give>
int ChooseDefinition(Dlg& dlg, CGlobalData* data, Def*& chosen, std::type_identity_t<Def>* current, List* objects,
                     Give give)
{
    dlg.m_pData = data;
    chosen = current;
    if (dlg.DoModal() != IDOK)
        return 0;
    ForEach(objects, [&](auto* o) { give(o, chosen); });
    return 1;
}

int SupportKey(void* objects, CGlobalData* data)
{
    auto* nodes = static_cast<CPNodeList*>(objects);
    CDlgNodeSupport dlg(nullptr, nodes);
    CPNode* first = First(nodes);
    return ChooseDefinition(dlg, data, dlg.m_pSupport, first != nullptr ? first->GetSupport() : nullptr, nodes,
                            [](CPNode* n, CSupportBase* s) { n->SetSupport(s); });
}

int ReleaseKey(void* objects, CGlobalData* data)
{
    auto* beams = static_cast<CBeamList*>(objects);
    CDlgBeamRelease dlg(nullptr, beams);
    CBeamBase* first = First(beams);
    return ChooseDefinition(dlg, data, dlg.m_pRelease, first != nullptr ? first->GetBeamBindRelease() : nullptr, beams,
                            [](CBeamBase* b, CBeamBindRelease* r) { b->SetBeamBindRelease(r); });
}

int BeamOffsetKey(void* objects, CGlobalData* data)
{
    auto* beams = static_cast<CBeamList*>(objects);
    CDlgBeamOffset dlg(nullptr, beams, nullptr);
    CBeamBase* first = First(beams);
    return ChooseDefinition(dlg, data, dlg.m_pOffset, first != nullptr ? first->m_pOffset : nullptr, beams,
                            [](CBeamBase* b, CMemberOffset* o) { b->m_pOffset = o; });
}

int RigidKey(void* objects, CGlobalData* data)
{
    auto* beams = static_cast<CBeamList*>(objects);
    CDlgBeamRigid dlg(nullptr, beams);
    // Only ordinary members carry a rigid arm: the current one is the last of theirs.
    CBeamRigid* current = nullptr;
    ForEach(beams, [&](CBeamBase* b) {
        if (CBeam* beam = b->toBeam())
            current = beam->m_pRigid;
    });
    return ChooseDefinition(dlg, data, dlg.m_pRigid, current, beams, [](CBeamBase* b, CBeamRigid* r) {
        if (CBeam* beam = b->toBeam())
            beam->m_pRigid = r;
    });
}

int WallOffsetKey(void* objects, CGlobalData* data)
{
    auto* walls = static_cast<CWallList*>(objects);
    CDlgBeamOffset dlg(nullptr, nullptr, walls);
    CWall* first = First(walls);
    return ChooseDefinition(dlg, data, dlg.m_pOffset, first != nullptr ? first->m_pOffset : nullptr, walls,
                            [](CWall* w, CMemberOffset* o) { w->m_pOffset = o; });
}

// ---- openings and secondary beams

int WebHoleKey(void* objects, CGlobalData*)
{
    auto* beams = static_cast<CBeamList*>(objects);
    if (CountOf(beams) == 0) {
        AfxMessageBox("请选择要定义洞口的杆件！");
        return 0;
    }
    CDlgBeamWebHole dlg(nullptr);
    // The first ordinary I-section member fixes the section and the length; the others join
    // with the same section object and a length within 0.001 of it.
    CSectionBase* sec = nullptr;
    double length = 0.0;
    ForEach(beams, [&](CBeamBase* b) {
        if (b->toBeam() == nullptr || b->GetSection() == nullptr || !IsSecI(b->GetSection()))
            return;
        if (sec == nullptr) {
            sec = b->GetSection();
            length = b->GetLength();
        } else if (b->GetSection() != sec || std::fabs(b->GetLength() - length) >= 0.001) {
            return;
        }
        dlg.m_BeamList.AddTail(b);
    });
    if (dlg.m_BeamList.IsEmpty()) {
        AfxMessageBox("请选择要定义洞口的H型截面杆件！");
        return 0;
    }
    if (dlg.DoModal() != IDOK)
        return 0;
    AfxMessageBox(VyrFormat("%d根截面为%s,长度为%.0fmm杆件布置成功！", (int)dlg.m_BeamList.GetCount(),
                            sec->GetSimpleSecName().GetString(), length * 10.0)
                      .c_str());
    return 1;
}

int WallHoleKey(void* objects, CGlobalData* data)
{
    auto* walls = static_cast<CWallList*>(objects);
    if (CountOf(walls) == 0) {
        AfxMessageBox("请选择要定义洞口的墙体！");
        return 0;
    }
    CWall* first = walls->GetHeadT();
    bool same = true;
    ForEach(walls, [&](CWall* w) { same = same && w->GetWallH() == first->GetWallH() && w->GetWallB() == first->GetWallB(); });
    if (!same) {
        AfxMessageBox("墙体大小不统一,请通过洞口快速调整功能进行设置!", MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    CDlgWallHoleDefine dlg(walls, nullptr);
    dlg.m_pData = data;
    if (dlg.DoModal() != IDOK)
        return 0;
    ForEach(walls, [&](CWall* w) {
        w->Change3D(data->Matrix3D());
        w->Change2DtoDP(data->Matrix2D());
    });
    return 1;
}

int WallHoleAdjustKey(void* objects, CGlobalData* data)
{
    auto* walls = static_cast<CWallList*>(objects);
    if (CountOf(walls) == 0) {
        AfxMessageBox("请选择要调整洞口的墙体!");
        return 0;
    }
    bool several = false;
    ForEach(walls, [&](CWall* w) { several = several || w->m_pHoleList->GetCount() > 1; });
    if (several) {
        AfxMessageBox("单个墙体上出现有多个洞口,不能使用快速调整!");
        return 0;
    }
    CDlgWallHoleAdjust dlg(walls, nullptr);
    dlg.m_pData = data;
    return dlg.DoModal() == IDOK ? 1 : 0;
}

int PlaneHoleKey(void* objects, CGlobalData* data)
{
    auto* rooms = static_cast<CPlaneList*>(objects);
    if (CountOf(rooms) == 0) {
        AfxMessageBox("请选择要定义洞口的房间！");
        return 0;
    }
    CDlgPlaneHoleDefine dlg(nullptr);
    ForEach(rooms, [&](CPlane* p) { dlg.m_PlaneList.AddTail(p); });
    dlg.m_pData = data;
    return dlg.DoModal() == IDOK ? 1 : 0;
}

template <class Dlg>
int RunSubBeamDialog(CPlaneList* rooms, CGlobalData* data)
{
    Dlg dlg(nullptr);
    dlg.m_pData = data;
    ForEach(rooms, [&](CPlane* p) {
        if (p != nullptr)
            dlg.m_PlaneList.AddTail(p);
    });
    return dlg.DoModal() == IDOK ? 1 : 0;
}

int SubBeamKey(void* objects, CGlobalData* data)
{
    auto* rooms = static_cast<CPlaneList*>(objects);
    if (CountOf(rooms) == 0) {
        AfxMessageBox("请选择要布置次梁的房间！");
        return 0;
    }
    switch (rooms->GetEdgeNum()) {
    case 0:
        AfxMessageBox("请选择相同形状的房间，都为三角形或者四边形！");
        return 0;
    case 3:
        return RunSubBeamDialog<CDlgPlaneSubBeamDefineTri>(rooms, data);
    case 4:
        return RunSubBeamDialog<CDlgPlaneSubBeamDefine>(rooms, data);
    default:
        AfxMessageBox("只能在三边或四边型房间中布置次梁！");
        return 0;
    }
}

// ---- slab design and check

float AreaLoad(const CLoadArea* load) { return load != nullptr ? load->m_fValue : 0.0f; }

// Whether every room agrees with the first in its two area loads and slab depth (within
// 0.1) and in its slab's type code.
bool SlabsUniform(CPlaneList& rooms)
{
    CPlane* first = rooms.GetHeadT();
    bool uniform = true;
    ForEach(&rooms, [&](CPlane* p) {
        if (p == first)
            return;
        if (std::fabs(AreaLoad(p->m_pDeadLoad) - AreaLoad(first->m_pDeadLoad)) > 0.1f ||
            std::fabs(AreaLoad(p->m_pLiveLoad) - AreaLoad(first->m_pLiveLoad)) > 0.1f ||
            std::fabs(p->m_pBan->GetH() - first->m_pBan->GetH()) > 0.1f || p->m_pBan->GetType() != first->m_pBan->GetType())
            uniform = false;
    });
    return uniform;
}

// The bars a slab design dialog returned, by bar-group slot (0 to 3; a diameter of 0: the
// slot is not written).
struct SlabBars
{
    int grade = 0;
    int cover = 0;
    int diameter[4] = {0, 0, 0, 0};
    int space[4] = {0, 0, 0, 0};
    void Set(int slot, int d, int s)
    {
        diameter[slot] = d;
        space[slot] = s;
    }
};

// The room's slab check with the project's default floor material.
bool CheckSlab(CGlobalData* data, CPlane* p)
{
    float a, b, c, d, e;
    return p->Check(a, b, c, d, e, data->Struct()->m_pDefaultFloorMaterial);
}

// Stores the bars into every room's slots, sets the cover, checks every room and marks the
// slab design applied in the host's display settings.
void ApplySlabBars(CGlobalData* data, CPlaneList& rooms, const SlabBars& bars, int* display)
{
    CStruct* st = data->Struct();
    for (int slot = 0; slot < 4; ++slot) {
        if (bars.diameter[slot] == 0)
            continue;
        CPlateSteelBarGroup* g = VyrStoreGroup(st->m_pPlateSteelBarGroupList,
                                            new CPlateSteelBarGroup(bars.grade, bars.diameter[slot], bars.space[slot]));
        ForEach(&rooms, [&](CPlane* p) { p->m_pBarGroup[slot] = g; });
    }
    ForEach(&rooms, [&](CPlane* p) {
        p->m_fCover = (float)bars.cover;
        CheckSlab(data, p);
    });
    if (display != nullptr)
        display[10] = 1;
}

// The construction-stage check of a deck slab's first room, with its refusal.
bool ConstructionPasses(CGlobalData* data, CPlane* first)
{
    float ratio = 0.0f;
    if (first->ConstructCheck(ratio, data->Struct()->m_pDefaultFloorMaterial))
        return true;
    AfxMessageBox("施工阶段验算不满足，请选择强度更高的压型钢板！");
    return false;
}

// The bars of each slab design dialog in their slots: one-way, concrete and deck slabs
// (positive, negative), two-way slabs (x positive, x negative, y positive, y negative),
// deck slab supports (negative only).
SlabBars BarsOf(const CDlgBanDesign& dlg)
{
    SlabBars bars{dlg.m_nGrade, dlg.m_nCover};
    bars.Set(0, dlg.m_nPosDiameter, dlg.m_nPosSpace);
    bars.Set(1, dlg.m_nNegDiameter, dlg.m_nNegSpace);
    return bars;
}

SlabBars BarsOf(const CDlgBanDesignTwoWay& dlg)
{
    SlabBars bars{dlg.m_nGrade, dlg.m_nCover};
    bars.Set(0, dlg.m_nXPosDiameter, dlg.m_nXPosSpace);
    bars.Set(1, dlg.m_nXNegDiameter, dlg.m_nXNegSpace);
    bars.Set(2, dlg.m_nYPosDiameter, dlg.m_nYPosSpace);
    bars.Set(3, dlg.m_nYNegDiameter, dlg.m_nYNegSpace);
    return bars;
}

SlabBars BarsOf(const CDlgBanDesignDeck& dlg)
{
    SlabBars bars{dlg.m_nGrade, dlg.m_nCover};
    bars.Set(1, dlg.m_nNegDiameter, dlg.m_nNegSpace);
    return bars;
}

// A slab design dialog on the rooms; with askFlags the bars are taken only from a design
// that ran and succeeded.
template <class Dlg>
void RunSlabDesign(CGlobalData* data, CPlaneList& rooms, bool askFlags, int* display)
{
    Dlg dlg(nullptr);
    dlg.m_pData = data;
    dlg.m_pPlaneList = &rooms;
    if (dlg.DoModal() != IDOK || (askFlags && !(dlg.m_bDesigned && dlg.m_bDesignValid)))
        return;
    ApplySlabBars(data, rooms, BarsOf(dlg), display);
}

// Rooms of the list that have a slab type.
void CollectSlabRooms(CPlaneList* rooms, CPlaneList& out)
{
    ForEach(rooms, [&](CPlane* p) {
        if (p->m_pBan != nullptr)
            out.AddTail(p);
    });
}

int* DisplaySettings() { return reinterpret_cast<int*>(VyrSendToHost(WM_UI_GETSETTINGS, 0, 4)); }

int SlabDesignKey(void* objects, CGlobalData* data)
{
    CPlaneList rooms;
    CollectSlabRooms(static_cast<CPlaneList*>(objects), rooms);
    if (rooms.IsEmpty()) {
        AfxMessageBox("请选择要设计的已布置楼板的房间！");
        return 0;
    }
    int* display = DisplaySettings();
    const bool uniform = SlabsUniform(rooms);

    // A first room without secondary beams is a two-way slab: only quadrilaterals that are
    // not entirely open, and every room alike.
    CPlane* first = rooms.GetHeadT();
    int design = first->m_pBan->GetType();
    if (first->m_nSubBeamDir == 0) {
        if (first->m_nShapeCode != 2 || first->IsAllHole()) {
            AfxMessageBox(VyrFormat("房间%d非四边形房间，双向板只支持四边形且非全开洞房间!", first->GetNo()).c_str());
            return 0;
        }
        design = 100;
    }
    if (design == 100) {
        for (POSITION pos = rooms.GetHeadPosition(); pos != nullptr;) {
            CPlane* p = rooms.GetNextT(pos);
            if (p->m_nSubBeamDir != 0) {
                AfxMessageBox("楼板类型不一致，请选择类型一致楼板!");
                return 0;
            }
            if (p->m_nShapeCode != 2) {
                AfxMessageBox(VyrFormat("房间%d非四边形房间，双向板只支持四边形房间!", p->GetNo()).c_str());
                return 0;
            }
        }
    }
    if (!uniform && AfxMessageBox("所选板的类型或设计参数不相同，是否全按第一块板设计？", MB_YESNO) != IDYES)
        return 0;

    if (design == 100) {
        RunSlabDesign<CDlgBanDesignTwoWay>(data, rooms, true, display);
    } else if (first->m_pBan->IsConcreteBan()) {
        RunSlabDesign<CDlgBanDesign>(data, rooms, true, display);
    } else if (design == -1 || design == 2) {
        if (!ConstructionPasses(data, first))
            return 0;
        // Type 2 (tension by the bars) takes the dialog's bars on OK without asking its flags.
        RunSlabDesign<CDlgBanDesign>(data, rooms, design == -1, display);
    } else if (design == 1) {
        if (!ConstructionPasses(data, first))
            return 0;
        RunSlabDesign<CDlgBanDesignDeck>(data, rooms, true, display);
    }
    // A design dialog may have written the rooms' cover even when cancelled.
    return 1;
}

int SlabCheckKey(void* objects, CGlobalData* data)
{
    CPlaneList rooms;
    CollectSlabRooms(static_cast<CPlaneList*>(objects), rooms);
    if (rooms.IsEmpty()) {
        AfxMessageBox("请选择要验算的已布置楼板的房间！");
        return 0;
    }
    if (int* display = DisplaySettings())
        display[10] = 1;
    for (POSITION pos = rooms.GetHeadPosition(); pos != nullptr;) {
        if (!CheckSlab(data, rooms.GetNextT(pos))) {
            AfxMessageBox("存在未配置钢筋房间，请检查!");
            return 1;
        }
    }
    AfxMessageBox("验算完毕！");
    return 1;
}

const CPropKeyRows g_inputKeys{
    {"Prop.NodeSupport", ModelProgram, PropCount::Any, SupportKey},
    {"Prop.BeamRelease", ModelProgram, PropCount::Any, ReleaseKey},
    {"Prop.BeamOffset", ModelProgram, PropCount::Any, BeamOffsetKey},
    {"Prop.BeamRigid", ModelProgram, PropCount::Any, RigidKey},
    {"Prop.WallOffset", ModelProgram, PropCount::Any, WallOffsetKey},
    {"Prop.WallHoleDefine", ModelProgram, PropCount::Any, WallHoleKey},
    {"Prop.WallHoleAdjust", ModelProgram, PropCount::Any, WallHoleAdjustKey},
    {"Prop.PlaneHoleDefine", ModelProgram, PropCount::Any, PlaneHoleKey},
    {"Prop.PlaneSubBeamDefine", ModelProgram, PropCount::Any, SubBeamKey},
    {"Prop.BeamWebHoleDefine", DesignProgram, PropCount::Any, WebHoleKey},
    {"Prop.PlaneBanDesign", DesignProgram, PropCount::Any, SlabDesignKey},
    {"Prop.PlaneBanCheck", DesignProgram, PropCount::Any, SlabCheckKey},
};

} // namespace

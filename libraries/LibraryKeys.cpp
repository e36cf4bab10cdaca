// The property keys of the libraries: the members' section, shear studs of composite beams
// and the rooms' slab type.
#include <cstdlib>

#include <vyr/libraries/DlgBanLib.h>
#include <vyr/libraries/DlgBeamPinnail.h>
#include <vyr/libraries/DlgBeamPinnailDesign.h>
#include <vyr/libraries/DlgSection.h>
#include <vyr/model/section/Ban.h>
#include <vyr/model/section/SectionBase.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/HostProtocol.h>
#include <vyr/protocol/KeyLists.h>
#include <vyr/protocol/PropKeyRegistry.h>

using namespace vyrkeys;

namespace {

// The section of every member, in every program type; results of the old section go.
int SectionKey(void* objects, CGlobalData* data)
{
    auto* beams = static_cast<CBeamList*>(objects);
    CDlgSection dlg(nullptr);
    dlg.m_pGlobalData = data;
    CBeamBase* last = Last(beams);
    dlg.m_pCurSection = last != nullptr ? last->GetSection() : nullptr;
    if (dlg.DoModal() != IDOK)
        return 0;
    // Also when the section stays the same: the results are recomputed for it.
    ForEach(beams, [&](CBeamBase* b) { b->SetSection(dlg.m_pCurSection, data); });
    VyrPostToHost(WM_UI_SHOWPANEL, 0, 0);
    VyrPostToHost(WM_UI_REDRAW, 0, 0);
    return 1;
}

// A composite beam: an ordinary or secondary member of member type 2 or 5, designed as
// composite (design type 2). Only these carry studs: the others of the list keep theirs.
bool IsComposite(CBeamBase* b)
{
    return IsOrdinaryMember(b) && (b->GetType() == 2 || b->GetType() == 5) && b->GetBeamDesignType() == 2;
}

void GiveStuds(CBeamList* beams, CPinNailGroup* group)
{
    ForEach(beams, [&](CBeamBase* b) {
        if (IsComposite(b))
            b->m_pPinNailGroup = group;
    });
}

int StudKey(void* objects, CGlobalData* data)
{
    CDlgBeamPinnail dlg(nullptr);
    dlg.m_pData = data;
    if (dlg.DoModal() != IDOK)
        return 0;
    GiveStuds(static_cast<CBeamList*>(objects), dlg.m_pPinNailGroup);
    return 1;
}

int StudDesignKey(void* objects, CGlobalData* data)
{
    auto* beams = static_cast<CBeamList*>(objects);
    CDlgBeamPinnailDesign dlg(nullptr);
    dlg.m_pData = data;
    dlg.m_pBeamList = beams;
    if (dlg.DoModal() != IDOK)
        return 0;
    // The proposal may be a message ("<请先布置楼板>") or empty, which reads as no spacing:
    // a group without a spacing is never built.
    const int space = std::atoi(dlg.m_strSpace);
    if (space <= 0) {
        AfxMessageBox("栓钉间距必须大于0，未布置栓钉！");
        return 0;
    }
    auto* group = new CPinNailGroup;
    dlg.ToGroup(*group);
    group->m_nSpace = space;
    GiveStuds(beams, VyrStoreGroup(data->Struct()->m_pPinNailGroupList, group));
    return 1;
}

// A room that lays a slab: one with secondary beams (a two-way slab has none) that is not
// entirely an opening.
bool IsSlabRoom(const CPlane* p) { return p->m_nSubBeamDir != 0 && !p->IsAllHole(); }

int SlabTypeKey(void* objects, CGlobalData* data)
{
    auto* rooms = static_cast<CPlaneList*>(objects);
    CDlgBanLib dlg(nullptr);
    dlg.m_pData = data;
    // Preset from the first slab room, or from the last room when none lays a slab.
    CPlane* preset = nullptr;
    for (POSITION pos = rooms != nullptr ? rooms->GetHeadPosition() : nullptr; pos != nullptr;) {
        preset = rooms->GetNextT(pos);
        if (IsSlabRoom(preset))
            break;
    }
    dlg.m_pBan = preset != nullptr ? preset->m_pBan : nullptr;
    if (dlg.DoModal() == IDOK) {
        ForEach(rooms, [&](CPlane* p) {
            if (IsSlabRoom(p))
                p->m_pBan = dlg.m_pBan;
        });
    }
    // The library dialog may have added, edited or deleted slab types even when cancelled.
    return 1;
}

const CPropKeyRows g_libraryKeys{
    {"Prop.BeamSec", AnyProgram, PropCount::Any, SectionKey},
    {"Prop.BeamPinnail", DesignProgram, PropCount::Any, StudKey},
    {"Prop.BeamPinnailDesign", DesignProgram, PropCount::Any, StudDesignKey},
    {"Prop.PlaneBan", DesignProgram, PropCount::Any, SlabTypeKey},
};

} // namespace

// Property keys as a user runs them from the host's selection-property panels: two
// beams picked, the member panel shown; the section row's double click opens the project
// section library, where a section is chosen for both; the beams are made composite in
// the grid and the stud row opens the stud library, where a group is defined and chosen;
// then two rooms picked, the room panel shown, and the slab type row gives both a one-way
// slab type. The changed members and rooms go to propkeys.txt.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/controls.h>
#include <vyr/proplist.h>
#include <vyr/scripteduser.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/host/MenuViewBase.h>
#include <vyr/host/ViewPropPanels.h>
#include <vyr/model/section/Ban.h>
#include <vyr/model/section/SectionBase.h>
#include <vyr/model/section/SectionList.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/BanLibRes.h>
#include <vyr/resources/dialogs/SectionRes.h>
#include <vyr/resources/dialogs/StudRes.h>
#include "hostkit/HostKit.h"

#include "DemoSupport.h"
#include "demos.h"

using vyr::ScriptedUser;

namespace {

std::string MemberLine(CBeamBase* b)
{
    CPinNailGroup* g = b->m_pPinNailGroup;
    return VyrFormat("member %d: design type %d, section %s, studs %s\n", b->GetNo(), b->GetBeamDesignType(),
                     b->GetSection() ? b->GetSection()->GetSimpleSecName().GetString() : "none",
                     g ? VyrFormat("PN%d (%d mm at %d mm, %d rows)", g->m_nNo, g->m_nDiameter, g->m_nSpace, g->m_nRows).c_str()
                       : "none");
}

std::string RoomLine(CPlane* p)
{
    CBan* b = p->m_pBan;
    return VyrFormat("room %d: slab %s\n", p->GetNo(),
                     b ? VyrFormat("%s%d, type code %d, %.0f mm", b->m_nType == 3 ? "CP" : "SP", b->m_nNo, b->m_nType,
                                   b->m_fThick)
                             .c_str()
                       : "none");
}

template <class List, class Line>
std::string Lines(List& list, Line line)
{
    std::string text;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        text += line(list.GetNextT(pos));
    return text;
}

// Selects the objects as a pick in the view does and has the host show the panel.
template <class List, class Object>
void Pick(vyrhost::CHostKit& host, List& selection, std::initializer_list<Object*> objects, const char* panel)
{
    for (Object* o : objects) {
        selection.AddTail(o);
        o->SetSelect(true);
    }
    host.SendMessage(WM_UI_SELCHANGED);
    host.SendMessage(WM_UI_SHOWPANEL, 0, (LPARAM)panel);
}

} // namespace

int RunPropKeysDemo(const std::string& outDir)
{
    int failures = 0;
    const CDemoUser user(failures);

    vyrhost::CHostKit host(900, 700, 260);
    CGlobalData& data = host.GlobalData();
    CSampleModelSize size;
    size.nStorey = 1;
    size.nBayX = 2;
    size.nBayY = 1;
    BuildSampleModel(data, size);
    data.ProgramType() = 1; // studs and slab types are keys of the design program
    CStruct* st = data.Struct();
    CFrameViews& panels = host.CreatePanels();

    // Two main beams, and the project's lighter beam section to give them.
    CBeamBase* picked[2] = {};
    int n = 0;
    for (POSITION pos = st->m_pBeamList->GetHeadPosition(); pos != nullptr && n < 2;)
        if (CBeamBase* b = st->m_pBeamList->GetNextT(pos); b->GetType() == 2)
            picked[n++] = b;
    CSectionBase* lighter = nullptr;
    for (POSITION pos = st->m_pSectionList->GetHeadPosition(); pos != nullptr;)
        if (auto* s = static_cast<CSectionBase*>(st->m_pSectionList->GetNext(pos)); s->GetSimpleSecName() == "HN300x150")
            lighter = s;
    CPlane* rooms[2] = {st->m_pPlaneList->Get(1), st->m_pPlaneList->Get(2)};
    if (n < 2 || !lighter || !rooms[0] || !rooms[1]) {
        std::printf("property keys: the sample model lacks two main beams, HN300x150 or two rooms\n");
        return 1;
    }
    auto* oneWay = new CBanConcrete;
    oneWay->m_fThick = 110;
    st->m_pBanConcreteList->Add(oneWay);

    CBeamList beams;
    beams.AddTail(picked[0]);
    beams.AddTail(picked[1]);
    CPlaneList roomList;
    roomList.AddTail(rooms[0]);
    roomList.AddTail(rooms[1]);
    const std::string before = Lines(beams, MemberLine) + Lines(roomList, RoomLine);

    Pick(host, data.SelectBeamList(), {picked[0], picked[1]}, "View.PropBeam");
    auto* beamPanel = dynamic_cast<CViewPropBeam*>(panels.GetDlg("View.PropBeam"));
    if (!beamPanel || panels.GetCurrentType() != CString("View.PropBeam")) {
        std::printf("property keys: the host did not show the member panel\n");
        return 1;
    }
    HWND list = beamPanel->m_PropsUI.GetPropListHWND();

    // The section row: the user finds HN300x150 in the library by its name and takes it.
    ScriptedUser::Run(
        [&](CDialog* dlg) {
            auto* rowsOf = static_cast<CListCtrl*>(dlg->GetDlgItem(IDC_SEC_LIST));
            for (int i = 0; rowsOf && i < rowsOf->GetItemCount(); ++i)
                if (rowsOf->GetItemText(i, 1) == lighter->GetSimpleSecName()) {
                    vyr::WindowUser::SelectRow(dlg, IDC_SEC_LIST, i);
                    return;
                }
            std::printf("property keys: HN300x150 is not listed\n");
            ++failures;
        },
        IDD_SECTION_LIBRARY);
    ScriptedUser::PressOK(IDD_SECTION_LIBRARY);
    host.ClearMessages();
    bool ok = vyr::UserPropExpand(list, "基本信息", true);
    ok = vyr::UserPropDblClickName(list, "截面") && ok;
    const int postedBefore = host.Count(WM_UI_SHOWPANEL) + host.Count(WM_UI_REDRAW);
    vyr::PumpMessages(); // the library's posted refresh reaches the host after the key
    const int refreshes = host.Count(WM_UI_SHOWPANEL) + host.Count(WM_UI_REDRAW) - postedBefore;
    const std::string afterSection = Lines(beams, MemberLine);

    // Composite in the grid; then the stud group's row: a group of 19 mm studs every
    // 150 mm defined in the library and chosen.
    ok = vyr::UserPropExpand(list, "设计参数", true) && ok;
    ok = vyr::UserPropChooseOption(list, "梁设计类型", "组合梁") && ok;
    vyr::PumpMessages();
    ok = vyr::UserPropExpand(list, "栓钉", true) && ok;
    ScriptedUser::Click(IDC_PIN_ADD, IDD_BEAMPINNAIL);
    ScriptedUser::SelectRow(IDC_PIN_DIAMETER, 2, IDD_PINNAILGROUP);
    ScriptedUser::SetText(IDC_PIN_HEIGHT, "100", IDD_PINNAILGROUP);
    ScriptedUser::SetText(IDC_PIN_SPACE, "150", IDD_PINNAILGROUP);
    ScriptedUser::PressOK(IDD_PINNAILGROUP);
    ScriptedUser::SelectRow(IDC_PIN_LIST, 0, IDD_BEAMPINNAIL);
    ScriptedUser::PressOK(IDD_BEAMPINNAIL);
    ok = vyr::UserPropDblClickName(list, "栓钉", "栓钉") && ok;
    vyr::PumpMessages();

    // The rooms: the one-way slab type chosen for both from the room panel's slab row.
    Pick(host, data.SelectPlaneList(), {rooms[0], rooms[1]}, "View.PropPlane");
    auto* roomPanel = dynamic_cast<CViewPropPlane*>(panels.GetDlg("View.PropPlane"));
    if (!roomPanel || panels.GetCurrentType() != CString("View.PropPlane")) {
        std::printf("property keys: the host did not show the room panel\n");
        return 1;
    }
    list = roomPanel->m_PropsUI.GetPropListHWND();
    ok = vyr::UserPropExpand(list, "楼板", true) && ok;
    ScriptedUser::SelectRow(IDC_BANLIB_TAB, 1, IDD_BANLIB);
    ScriptedUser::SelectRow(IDC_BANLIB_LIST, 1, IDD_BANLIB); // CP2, after the model's own
    ScriptedUser::PressOK(IDD_BANLIB);
    ok = vyr::UserPropDblClickName(list, "楼板类型") && ok;
    vyr::PumpMessages();

    bool sectionsSet = true, studsSet = true, slabsSet = true;
    for (CBeamBase* b : picked) {
        sectionsSet = sectionsSet && b->GetSection() == lighter;
        studsSet = studsSet && b->GetBeamDesignType() == 2 && b->m_pPinNailGroup != nullptr &&
                   b->m_pPinNailGroup->m_nSpace == 150;
    }
    for (CPlane* p : rooms)
        slabsSet = slabsSet && p->m_pBan == oneWay;
    ok = ok && sectionsSet && studsSet && slabsSet && refreshes == 2 && ScriptedUser::PendingSteps() == 0 &&
         failures == 0;

    const std::string path = (std::filesystem::path(outDir) / "propkeys.txt").string();
    std::ofstream out(path);
    out << "Before:\n" << before;
    out << "\nAfter the member panel's section row (HN300x150 chosen; refresh messages posted to the host: "
        << refreshes << "):\n"
        << afterSection;
    out << "\nAfter the design type set to composite and the stud row:\n" << Lines(beams, MemberLine);
    out << "\nAfter the room panel's slab type row:\n" << Lines(roomList, RoomLine);
    out << VyrFormat("\nproperty changes told to the host: %d\n", host.Count(WM_UI_PROPCHANGED));
    out.close();
    std::printf("property keys: section %s, studs %s on %d members; slab type %s on %d rooms; written: %s\n",
                sectionsSet ? "set" : "NOT set", studsSet ? "set" : "NOT set", (int)beams.GetCount(),
                slabsSet ? "set" : "NOT set", (int)roomList.GetCount(), path.c_str());

    beams.RemoveAll();
    roomList.RemoveAll();
    ScriptedUser::Reset();
    return ok && out.good() ? 0 : 1;
}

// Property keys as a host's selection-property grids run them: the member grid's stud row
// opens the project's stud library, where a scripted user defines a group and chooses it
// for two composite beams; the room grid's slab type row opens the slab library, where a
// one-way slab type is chosen for two rooms. The changed members and rooms go to
// propkeys.txt.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

#include <vyr/stdafx.h>
#include <vyr/proplist.h>
#include <vyr/host/HostMessages.h>
#include <vyr/host/PropsUI.h>
#include <vyr/model/section/Ban.h>
#include <vyr/model/section/SectionBase.h>
#include <vyr/model/struct/struct.h>
#include <vyr/resources/dialogs/BanLibRes.h>
#include <vyr/resources/dialogs/StudRes.h>
#include <vyr/scripteduser.h>

#include "demos.h"

using vyr::ScriptedUser;

namespace {

// A window holding one grid and forwarding its two messages, as a property panel does.
class CKeysGrid : public CWnd
{
public:
    CPropsUI ui;
    int refills = 0;
    LRESULT OnEndEdit(WPARAM w, LPARAM l) { return ui.OnEndEditProp(w, l); }
    LRESULT OnOther(WPARAM w, LPARAM l)
    {
        const LRESULT r = ui.OnOtherProp(w, l);
        ++refills;
        return r;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CKeysGrid, CWnd)
    ON_MESSAGE(WM_PROP_ENDEDIT, &CKeysGrid::OnEndEdit)
    ON_MESSAGE(WM_PROP_OTHER, &CKeysGrid::OnOther)
END_MESSAGE_MAP()

// The host's main window; it takes the library's messages and answers none.
class CKeysFrame : public CWnd
{
public:
    int m_nPropChanged = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_UI_PROPCHANGED)
            ++m_nPropChanged;
        if (message >= WM_UI_PROPCHANGED && message <= WM_PROP_OTHER)
            return 0;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// The row of a caption inside the group of another caption (the stud group and its row
// share the caption "栓钉").
CBCGPProp* RowIn(CPropsUI& ui, const char* group, const char* caption)
{
    for (int i = 0; i < ui.GetPropList().GetPropertyCount(); ++i) {
        CBCGPProp* g = ui.GetPropList().GetProperty(i);
        if (g->GetName() != group)
            continue;
        for (int k = 0; k < g->GetSubItemsCount(); ++k)
            if (g->GetSubItem(k)->GetName() == caption)
                return g->GetSubItem(k);
    }
    return nullptr;
}

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

} // namespace

int RunPropKeysDemo(const std::string& outDir)
{
    int failures = 0;
    ScriptedUser::Reset();
    ScriptedUser::SetFailureHandler([&failures](const std::string& what) {
        std::printf("scripted user: %s\n", what.c_str());
        ++failures;
    });

    CGlobalData data;
    CSampleModelSize size;
    size.nStorey = 1;
    size.nBayX = 2;
    size.nBayY = 1;
    BuildSampleModel(data, size);
    data.ProgramType() = 1; // studs and slab types are keys of the design program
    CStruct* st = data.Struct();

    // The selection: two beams made composite, and two rooms.
    CBeamList beams;
    for (POSITION pos = st->m_pBeamList->GetHeadPosition(); pos != nullptr && beams.GetCount() < 2;) {
        CBeamBase* b = st->m_pBeamList->GetNextT(pos);
        if (b->GetType() == 2) {
            b->SetBeamDesignType(2);
            beams.AddTail(b);
        }
    }
    CPlaneList rooms;
    rooms.CopyPointer(st->m_pPlaneList);
    auto* oneWay = new CBanConcrete;
    oneWay->m_fThick = 110;
    st->m_pBanConcreteList->Add(oneWay);

    CKeysFrame frame;
    frame.CreateEx(0, nullptr, "属性", WS_POPUP | WS_VISIBLE, CRect(0, 0, 560, 520), nullptr, 0);
    CWnd* oldMain = AfxGetMainWnd();
    vyr::SetMainWnd(&frame);
    CKeysGrid beamGrid, roomGrid;
    beamGrid.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 280, 520), &frame, 1);
    roomGrid.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(280, 0, 560, 520), &frame, 2);
    for (auto [grid, list, kind] : {std::tuple{&beamGrid, (void*)&beams, 1}, std::tuple{&roomGrid, (void*)&rooms, 3}}) {
        grid->ui.Create(grid, 8000, WS_CHILD | WS_VISIBLE);
        grid->ui.Move(0, 0, 280, 520);
        grid->ui.SetParam(2, list, kind, &data);
        grid->ui.FillItem();
    }

    std::string before;
    for (POSITION pos = beams.GetHeadPosition(); pos != nullptr;)
        before += MemberLine(beams.GetNextT(pos));
    for (POSITION pos = rooms.GetHeadPosition(); pos != nullptr;)
        before += RoomLine(rooms.GetNextT(pos));

    // The stud row: a group of 19 mm studs every 150 mm defined in the library and chosen.
    bool ok = vyr::UserPropExpand(beamGrid.ui.GetPropListHWND(), "栓钉", true);
    ScriptedUser::Click(IDC_PIN_ADD, IDD_BEAMPINNAIL);
    ScriptedUser::SelectRow(IDC_PIN_DIAMETER, 2, IDD_PINNAILGROUP);
    ScriptedUser::SetText(IDC_PIN_HEIGHT, "100", IDD_PINNAILGROUP);
    ScriptedUser::SetText(IDC_PIN_SPACE, "150", IDD_PINNAILGROUP);
    ScriptedUser::PressOK(IDD_PINNAILGROUP);
    ScriptedUser::SelectRow(IDC_PIN_LIST, 0, IDD_BEAMPINNAIL);
    ScriptedUser::PressOK(IDD_BEAMPINNAIL);
    CBCGPProp* studRow = RowIn(beamGrid.ui, "栓钉", "栓钉");
    ok = studRow != nullptr && ok;
    if (studRow != nullptr)
        beamGrid.SendMessage(WM_PROP_OTHER, 0, (LPARAM)studRow); // as the row's double click sends it

    // The slab type row: the one-way slab type chosen for both rooms.
    ok = vyr::UserPropExpand(roomGrid.ui.GetPropListHWND(), "楼板", true) && ok;
    ScriptedUser::SelectRow(IDC_BANLIB_TAB, 1, IDD_BANLIB);
    ScriptedUser::SelectRow(IDC_BANLIB_LIST, 1, IDD_BANLIB); // CP2, after the model's own
    ScriptedUser::PressOK(IDD_BANLIB);
    ok = vyr::UserPropDblClickName(roomGrid.ui.GetPropListHWND(), "楼板类型") && ok;
    vyr::PumpMessages();

    std::string after;
    bool studsSet = true, slabsSet = true;
    for (POSITION pos = beams.GetHeadPosition(); pos != nullptr;) {
        CBeamBase* b = beams.GetNextT(pos);
        studsSet = studsSet && b->m_pPinNailGroup != nullptr && b->m_pPinNailGroup->m_nSpace == 150;
        after += MemberLine(b);
    }
    for (POSITION pos = rooms.GetHeadPosition(); pos != nullptr;) {
        CPlane* p = rooms.GetNextT(pos);
        slabsSet = slabsSet && p->m_pBan == oneWay;
        after += RoomLine(p);
    }
    ok = ok && studsSet && slabsSet && ScriptedUser::PendingSteps() == 0 && failures == 0 && beamGrid.refills == 1 &&
         roomGrid.refills == 1;

    const std::string path = (std::filesystem::path(outDir) / "propkeys.txt").string();
    std::ofstream out(path);
    out << "Before:\n" << before << "\nAfter the stud and slab type rows:\n" << after;
    out << VyrFormat("\nproperty changes told to the host: %d\n", frame.m_nPropChanged);
    out.close();
    std::printf("property keys: studs %s on %d members, slab type %s on %d rooms; written: %s\n",
                studsSet ? "set" : "NOT set", (int)beams.GetCount(), slabsSet ? "set" : "NOT set", (int)rooms.GetCount(),
                path.c_str());

    beams.RemoveAll();
    rooms.RemoveAll();
    vyr::SetMainWnd(oldMain);
    frame.DestroyWindow();
    ScriptedUser::Reset();
    return ok && out.good() ? 0 : 1;
}

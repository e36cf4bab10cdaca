// The section-library plug-in bridge and the two dialogs of one section:
//  - a small demo plug-in of the sample host, registered as "Querport.dll": it logs every
//    call, and its editors add a user I section, rename section 1 and answer; each bridge
//    function is run and the log printed;
//  - a Chinese I20a built by the standard section browser, shown in the section property
//    dialog (saved as secproperty.png) and given its buckling classes by a scripted user.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/libraries/Querport.h>
#include <vyr/libraries/DlgSecAxialType.h>
#include <vyr/libraries/DlgSecProperty.h>
#include <vyr/libraries/DlgStdSectionLib.h>
#include <vyr/model/material/material.h>
#include <vyr/model/output/commonfuncs.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/raster.h>
#include <vyr/resources/dialogs/SecPropertyRes.h>
#include <vyr/scripteduser.h>
#include <vyr/shell.h>

#include "DemoSupport.h"
#include "demos.h"

using vyr::ScriptedUser;

namespace {

// The demo plug-in: what it was handed, and its log.
struct DemoPlugin
{
    std::vector<std::string> log;
    CSectionList* sections = nullptr;
    CMaterialList* steel = nullptr;
};
DemoPlugin g_plugin;

void Log(const std::string& line) { g_plugin.log.push_back(line); }

extern "C" {
void DemoSetBeamList(CBeamList* p) { Log(std::string("SetBeamList ") + (p ? "(the members)" : "(none)")); }
void DemoSetFloorList(CFloorList* p) { Log(std::string("SetFloorList ") + (p ? "(the storeys)" : "(none)")); }
void DemoSetBeamGroupList(CBeamGroupList* p) { Log(std::string("SetBeamGroupList ") + (p ? "(the groups)" : "(none)")); }
void DemoSetMaterialSteelList(CMaterialList* p)
{
    g_plugin.steel = p;
    Log("SetMaterialSteelList (" + std::to_string(p ? (int)p->GetCount() : 0) + " steels)");
}
void DemoSetMaterialConcreteList(CMaterialList* p)
{
    Log("SetMaterialConcreteList (" + std::to_string(p ? (int)p->GetCount() : 0) + " concretes)");
}
void DemoSetSectionList(CSectionList* p)
{
    g_plugin.sections = p;
    Log("SetSectionList (" + std::to_string(p ? (int)p->GetCount() : 0) + " sections)");
}
void DemoSetCurrentPath(CString path) { Log("SetCurrentPath " + std::string(path.GetString())); }
int DemoSectionLib(int a, int b)
{
    Log("DlgSectionLibDoModal(" + std::to_string(a) + ", " + std::to_string(b) + ") -> 0");
    return 0;
}
int DemoDefineSectionLib(int a, int b, int c)
{
    // A user-defined welded I joins the project's library.
    auto* s = new CSDefineIbeam;
    s->SetH(300);
    s->SetB(150);
    s->SetT(8);
    s->SetTf(10);
    s->SetB1(150);
    s->SetTf1(10);
    s->ChangeSecProperty();
    s->m_strKind = "H300x150x8x10";
    s->m_strCategory = "自定义";
    const bool added = g_plugin.sections != nullptr && g_plugin.sections->Add(s, true);
    if (!added) delete s;
    Log("DlgDefineSectionLibDoModal(" + std::to_string(a) + ", " + std::to_string(b) + ", " + std::to_string(c) +
        ") -> " + (added ? "1, added a user I section" : "0"));
    return added ? 1 : 0;
}
int DemoTaperSection()
{
    Log("DlgTaperSectionDoModal0() -> 0");
    return 0;
}
int DemoCombineSectionLib()
{
    Log("DlgCombineSectionLibDoModal() -> 0");
    return 0;
}
char DemoEditSection(int position)
{
    CSectionBase* s = g_plugin.sections != nullptr ? g_plugin.sections->Get(position) : nullptr;
    if (s != nullptr) s->m_strKind += " (edited)";
    Log("OnEditsec(" + std::to_string(position) + ") -> " + (s != nullptr ? "1, renamed it" : "0"));
    return s != nullptr ? 1 : 0;
}
}

std::map<std::string, FARPROC> DemoExports()
{
    auto fn = [](auto f) { return reinterpret_cast<FARPROC>(f); };
    return {{"SetBeamList", fn(DemoSetBeamList)},
            {"SetFloorList", fn(DemoSetFloorList)},
            {"SetBeamGroupList", fn(DemoSetBeamGroupList)},
            {"SetMaterialSteelList", fn(DemoSetMaterialSteelList)},
            {"SetMaterialConcreteList", fn(DemoSetMaterialConcreteList)},
            {"SetSectionList", fn(DemoSetSectionList)},
            {"SetCurrentPath", fn(DemoSetCurrentPath)},
            {"DlgSectionLibDoModal", fn(DemoSectionLib)},
            {"DlgDefineSectionLibDoModal", fn(DemoDefineSectionLib)},
            {"DlgTaperSectionDoModal0", fn(DemoTaperSection)},
            {"DlgCombineSectionLibDoModal", fn(DemoCombineSectionLib)},
            {"OnEditsec", fn(DemoEditSection)}};
}

} // namespace

int RunSecPropertyDemo(const std::string& outDir)
{
    int failures = 0;
    const CDemoUser user(failures);

    CGlobalData model;
    CStruct* st = model.Struct();
    auto* q235 = new CMaterialBase;
    q235->SetType(1);
    q235->SetName("Q235");
    q235->SetText1("Q235B");
    q235->SetDensity(0.00785f);
    st->m_pMaterialSteelList->AddMaterial(q235);

    // The bridge, each function once, with the demo plug-in in the application folder.
    vyr::RegisterModule(QUERPORT_FILE, DemoExports());
    std::printf("plug-in bridge (application folder %s):\n", CVyrFunc::GetAppPath().GetString());
    const int r1 = QuerportSectionLibDoModal(&model, 1, 0);
    const int r2 = QuerportDefineSectionLibDoModal(&model, -1, 0, 0);
    const int r3 = QuerportTaperSectionDoModal(&model);
    const int r4 = QuerportCombineSectionLibDoModal(&model);
    const int r5 = QuerportEditSection(&model, 1);
    for (const std::string& line : g_plugin.log) std::printf("  plug-in: %s\n", line.c_str());
    std::printf("  answers: %d %d %d %d %d; the plug-in is %s\n", r1, r2, r3, r4, r5,
                vyr::ModuleLoadCount(QUERPORT_FILE) == 0 ? "unloaded again" : "STILL LOADED");
    if (r2 != 1 || r5 != 1 || vyr::ModuleLoadCount(QUERPORT_FILE) != 0 || g_plugin.log.size() != 5 * 8) ++failures;
    vyr::UnregisterModule(QUERPORT_FILE);

    // A Chinese I20a built by the browser in edit mode on a section of its code.
    auto* beam = new CSRolledIbeam(103, 200, 100, 11.4f, 7, 9, 4.5f);
    ScriptStdSectionPick("I20a");
    {
        CDlgStdSectionLib browser;
        browser.m_pData = &model;
        if (browser.DoModal(false, beam) != IDOK) ++failures;
    }
    if (!st->m_pSectionList->Add(beam, true)) {
        delete beam;
        ++failures;
        return failures;
    }

    // Its property dialog, rendered as the user sees it, then its buckling classes: b about
    // axis 2 and c about axis 3, then OK.
    std::shared_ptr<vyr::Image> shot;
    std::string text;
    ScriptedUser::Run(
        [&](CDialog* d) {
            shot = vyr::RenderWindow(d->GetSafeHwnd());
            CString t;
            d->GetDlgItemText(IDC_SECPROP_TEXT, t);
            text = t.GetString();
        },
        IDD_SECPROPERTY);
    ScriptedUser::PressOK(IDD_SECPROPERTY);
    {
        CDlgSecProperty dlg;
        dlg.DoModal(beam);
    }
    if (shot) vyr::WritePng(outDir + "/secproperty.png", *shot);
    else ++failures;
    std::printf("section property dialog of %s:\n%s\n", beam->m_strFull.GetString(), text.c_str());

    ScriptedUser::SelectRow(IDC_SECAXIAL_CLASS2, 1, IDD_SECAXIALTYPE);
    ScriptedUser::SelectRow(IDC_SECAXIAL_CLASS3, 2, IDD_SECAXIALTYPE);
    ScriptedUser::PressOK(IDD_SECAXIALTYPE);
    {
        CDlgSecAxialType dlg;
        dlg.DoModal(beam);
    }
    const char* names = "abcd";
    const int c2 = beam->GetSecType2(), c3 = beam->GetSecType3();
    std::printf("buckling classes of %s: axis 2 %c, axis 3 %c; property dialog saved as secproperty.png\n",
                beam->m_strKind.GetString(), c2 >= 1 && c2 <= 4 ? names[c2 - 1] : '?',
                c3 >= 1 && c3 <= 4 ? names[c3 - 1] : '?');
    if (c2 != 2 || c3 != 3) ++failures;
    ScriptedUser::Reset();
    return failures;
}

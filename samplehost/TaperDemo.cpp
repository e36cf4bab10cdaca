// Sections assigned by picking, as a user does in the section panel: a welded I given to a
// member picked by window through the view's operator manager; a tapered section spread
// along a chain of three members (the user answers "是"); then the project section library
// dialog opened and a section chosen. The sections the chain received go to taper.txt.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/host/ViewSection.h>
#include <vyr/libraries/DlgSection.h>
#include <vyr/model/material/material.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/operators/OPManager.h>
#include <vyr/resources/dialogs/SectionRes.h>
#include <vyr/scripteduser.h>
#include "hostkit/HostKit.h"

#include "DemoSupport.h"
#include "demos.h"

using vyr::ScriptedUser;

namespace {

CSDefineIbeam* Plates(double H, CMaterialBase* mat)
{
    auto* p = new CSDefineIbeam;
    p->m_dH = H;
    p->m_dB = p->m_dB1 = 200;
    p->m_dT = 8;
    p->m_dTf = p->m_dTf1 = 12;
    p->m_pMaterial = mat;
    p->ChangeSecProperty();
    return p;
}

CBeam* Member(CStruct& s, int no, double x1, double y1, double x2, double y2)
{
    auto* a = new CPNode((int)s.m_pNodeList->GetCount() + 1, CPoint3D(x1, y1, 0));
    auto* b = new CPNode((int)s.m_pNodeList->GetCount() + 2, CPoint3D(x2, y2, 0));
    s.m_pNodeList->AddTail(a);
    s.m_pNodeList->AddTail(b);
    auto* m = new CBeam(no, a, b, 2);
    s.m_pBeamList->AddTail(m);
    return m;
}

// A window from one corner to the other, then the right button.
void PickByWindow(COPManager& mgr, CPoint from, CPoint to)
{
    Drag(mgr, from, to);
    mgr.MouseAction(OPMOUSE_RCLICK, 0, to, 0);
}

} // namespace

int RunTaperDemo(const std::string& outDir)
{
    ScriptedUser::Reset();
    vyrhost::CHostKit host(800, 600, 260);
    CGlobalData& data = host.GlobalData();
    CStruct& s = *data.Struct();
    // Plan view: model (x, y, 0) at client pixel (x, y).
    CMatrix3D& m3 = data.Matrix3D();
    m3.Identity();
    m3(1, 1) = 0.0;
    m3(1, 2) = 1.0;
    m3(2, 1) = 1.0;
    m3(2, 2) = 0.0;
    data.Matrix2D().Identity();

    auto* q345 = new CMaterialBase;
    q345->SetType(1);
    q345->SetName("Q345");
    s.m_pMaterialSteelList->AddMaterial(q345);
    CSDefineIbeam* welded = Plates(400, q345);
    welded->m_strKind = "焊接工字钢400";
    s.m_pSectionList->Add(welded, true);
    auto* taper = new CTaperVaryWeb;
    taper->m_nType = 901;
    taper->m_pMaterial = q345;
    CSDefineIbeam* start = Plates(300, q345);
    CSDefineIbeam* end = Plates(600, q345);
    taper->SetStartSec(start);
    taper->SetEndSec(end);
    taper->m_fTH = 300;
    taper->m_fTT = 8;
    taper->m_fTB = taper->m_fTB1 = 200;
    taper->m_fTTf = taper->m_fTTf1 = 12;
    taper->m_fEndH = 600;
    taper->FillSecName();
    taper->FillSecFactors(start);
    s.m_pSectionList->Add(taper, true);

    CBeam* single = Member(s, 1, 100, 100, 300, 100);
    CBeam* chain[3] = {Member(s, 2, 100, 300, 200, 300), Member(s, 3, 200, 300, 350, 300),
                       Member(s, 4, 350, 300, 600, 300)};
    host.ShowWholeModel();
    auto* panel = dynamic_cast<CViewSection*>(host.CreatePanels().GetDlg("View.Section"));
    if (panel == nullptr) {
        std::printf("section assignment: FAILED, no section panel\n");
        return 1;
    }
    host.ShowPanel("View.Section");
    bool ok = vyr::WindowUser::SelectRow(panel, IDC_SEC_TAB, 1);

    // The welded I to the member picked by window.
    ok = vyr::WindowUser::SelectRow(panel, IDC_SEC_LIST, panel->m_rows.FindRow(welded)) && ok;
    ScriptedUser::AnswerMessageBox(IDOK, "开始布置截面！");
    ok = vyr::WindowUser::Click(panel, IDC_SEC_ASSIGN) && ok;
    ScriptedUser::AnswerMessageBox(IDOK, "1根杆件截面布置成功！");
    PickByWindow(host.OPManager(), CPoint(90, 90), CPoint(310, 110));
    ok = single->GetSection() == welded && ok;
    std::printf("section assignment: member %d has %s\n", single->GetNo(),
                single->GetSection() ? single->GetSection()->GetSimpleSecName().GetString() : "no section");

    // The finished assignment asked the host for the member panel; the user goes back.
    host.ShowPanel("View.Section");
    // The tapered section along the chain, small end first.
    ok = vyr::WindowUser::SelectRow(panel, IDC_SEC_LIST, panel->m_rows.FindRow(taper)) && ok;
    ScriptedUser::AnswerMessageBox(IDOK, "开始布置多段楔形截面！");
    ok = vyr::WindowUser::Click(panel, IDC_SEC_ASSIGNTAPER) && ok;
    ScriptedUser::AnswerMessageBox(IDYES, "小头对首端");
    ScriptedUser::AnswerMessageBox(IDOK, "3根杆件截面布置成功！");
    PickByWindow(host.OPManager(), CPoint(90, 290), CPoint(610, 310));

    std::ofstream out(std::filesystem::path(outDir) / "taper.txt");
    out << "tapered sections along members 2, 3, 4 (lengths 100, 150, 250 cm; 300 to 600 mm):\n";
    for (CBeam* m : chain) {
        auto* t = dynamic_cast<CTaperVaryWeb*>(m->GetSection());
        ok = t != nullptr && ok;
        if (t == nullptr)
            continue;
        char line[256];
        std::snprintf(line, sizeof line, "member %d: R%d %s, H %.1f -> %.1f mm, A %.2f cm2, taper flag %d\n", m->GetNo(),
                      t->m_nNo, t->GetSimpleSecName().GetString(), t->m_fTH, t->m_fEndH, t->GetA1(), (int)m->m_bTaper);
        out << line;
    }
    out << "section library: " << s.m_pSectionList->GetCount() << " sections\n";

    // The library dialog: the user chooses the welded I.
    CDlgSection dlg;
    dlg.m_pGlobalData = &data;
    dlg.m_pCurSection = chain[0]->GetSection();
    ScriptedUser::SelectRow(IDC_SEC_TAB, 1, IDD_SECTION_LIBRARY);
    ScriptedUser::Run([welded](CDialog* d) {
        auto* lib = static_cast<CDlgSection*>(d);
        lib->m_rows.SelectRow(lib->m_rows.FindRow(welded));
    }, IDD_SECTION_LIBRARY);
    ScriptedUser::PressOK(IDD_SECTION_LIBRARY);
    const bool chosen = dlg.DoModal() == IDOK && dlg.m_pCurSection == welded;
    out << "chosen in the section library: " << (chosen ? dlg.m_pCurSection->GetSimpleSecName().GetString() : "none")
        << "\n";
    ok = chosen && ok;
    std::printf("tapered sections written: %s\n", (std::filesystem::path(outDir) / "taper.txt").string().c_str());
    ok = ok && ScriptedUser::PendingSteps() == 0;
    ScriptedUser::Reset();
    std::printf("section assignment: %s\n", ok ? "done" : "FAILED");
    return ok ? 0 : 1;
}

// The material library and the batten and lacing library, driven by a scripted user as a
// person would: a Q345 steel and a C30 concrete added to a project that has Q235; then,
// for a box section combined of two channels, a batten plate of Q345 and a lacing bar
// whose angle is picked in the standard section browser. Both libraries go to
// libraries.txt.
#include <cstdio>
#include <fstream>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/libraries/DlgMaterial.h>
#include <vyr/libraries/DlgStay.h>
#include <vyr/model/material/material.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/MaterialRes.h>
#include <vyr/resources/dialogs/StayRes.h>
#include <vyr/scripteduser.h>

#include "DemoSupport.h"
#include "demos.h"

using vyr::ScriptedUser;

namespace {

void WriteMaterials(std::ofstream& out, const char* title, CMaterialList* list)
{
    out << title << "\n";
    for (int i = 1; i <= (int)list->GetCount(); ++i) {
        const CMaterialBase* m = list->Get(i);
        char line[256];
        std::snprintf(line, sizeof line, "  M%-3d %-8s %-10s type %-4d strength %.1f MPa  E %.1f MPa  density %.0f kg/m3\n",
                      i, m->GetName().GetString(), m->GetText1().GetString(), m->GetType(), m->Get_fy() * 10.0,
                      m->GetE() * 10.0, m->GetDensity() * 1e6);
        out << line;
    }
}

} // namespace

int RunLibrariesDemo(const std::string& outDir)
{
    int failures = 0;
    const CDemoUser user(failures);

    CGlobalData model;
    CStruct* st = model.Struct();
    auto* q235 = new CMaterialBase;
    q235->SetType(1);
    q235->SetName("Q235");
    q235->SetText1("Q235B");
    q235->Set_fy(23.5f);
    q235->SetE(20600.0);
    q235->SetDensity(0.00785f);
    st->m_pMaterialSteelList->AddMaterial(q235);

    // Q345 on the steel tab, C30 on the concrete tab.
    ScriptedUser::Click(IDC_MATLIB_ADD, IDD_MATERIALLIB);
    ScriptedUser::SelectRow(IDC_MAT_STEELGRADE, 1, IDD_MATERIALSTEEL);
    ScriptedUser::PressOK(IDD_MATERIALSTEEL);
    ScriptedUser::SelectRow(IDC_MATLIB_TAB, 1, IDD_MATERIALLIB);
    ScriptedUser::Click(IDC_MATLIB_ADD, IDD_MATERIALLIB);
    ScriptedUser::SelectRow(IDC_MAT_CONCRETEGRADE, 4, IDD_MATERIALCONCRETE);
    ScriptedUser::PressOK(IDD_MATERIALCONCRETE);
    ScriptedUser::PressCancel(IDD_MATERIALLIB);
    {
        CDlgMaterial materials;
        materials.m_pData = &model;
        materials.DoModal(CDlgMaterial::MODE_BOTH);
    }

    // A box of two channels [20a, 400 mm wide.
    CSCombineBOX combined;
    combined.SetType(617);
    combined.m_fB = 400;
    combined.SetSec1(new CSRolledChannel(106, 73, 200, 11, 7, 11, 5.5f, 20.1f));
    combined.SetSec2(new CSRolledChannel(106, 73, 200, 11, 7, 11, 5.5f, 20.1f));

    // A batten plate of Q345 with the proposed length and the default sizes; a lacing bar
    // of an L50x5 picked in the browser, 300 mm apart; the bar chosen for the section.
    ScriptedUser::Click(IDC_STAY_ADDPLATE, IDD_STAYBASE);
    ScriptedUser::Click(IDC_STAYPLATE_CHOOSEMAT, IDD_STAYPLATE);
    ScriptedUser::SelectRow(IDC_MATLIB_LIST, 1, IDD_MATERIALLIB);
    ScriptedUser::PressOK(IDD_MATERIALLIB);
    ScriptedUser::PressOK(IDD_STAYPLATE);
    ScriptedUser::Click(IDC_STAY_ADDBAR, IDD_STAYBASE);
    ScriptedUser::Click(IDC_STAYBAR_CHOOSEANGLE, IDD_STAYBAR);
    ScriptStdSectionPick("L50x5");
    std::string barAngle;
    ScriptedUser::Run(
        [&barAngle](CDialog* d) {
            CString t;
            d->GetDlgItemText(IDC_STAYBAR_ANGLE, t);
            barAngle = t.GetString();
        },
        IDD_STAYBAR);
    ScriptedUser::SetText(IDC_STAYBAR_SPACE, "300", IDD_STAYBAR);
    ScriptedUser::PressOK(IDD_STAYBAR);
    ScriptedUser::SelectRow(IDC_STAY_LIST, 2, IDD_STAYBASE);
    ScriptedUser::PressOK(IDD_STAYBASE);
    CStay* chosen = nullptr;
    {
        CDlgStaybase stays(&combined);
        stays.m_pData = &model;
        if (stays.DoModal() != IDOK) ++failures;
        chosen = stays.m_pStay;
    }
    combined.m_pStay = chosen;

    std::ofstream out(outDir + "/libraries.txt");
    WriteMaterials(out, "Steel materials:", st->m_pMaterialSteelList);
    WriteMaterials(out, "Concrete materials:", st->m_pMaterialConcreteList);
    out << "Batten plates and lacing bars:\n";
    for (int i = 1; i <= (int)st->m_pStayList->GetCount(); ++i) {
        CStay* s = st->m_pStayList->Get(i);
        char line[512];
        if (s->m_nKind == 0)
            std::snprintf(line, sizeof line, "  S%d 缀板 %s | width %.1f cm, thickness %.1f cm, spacing %.1f cm, %s, %s\n",
                          s->m_nNo, s->GetDescription().GetString(), s->m_fWidth, s->m_fThick, s->m_fSpace,
                          s->m_nBolted ? "bolted" : "welded",
                          s->m_pMaterial != nullptr ? s->m_pMaterial->GetName().GetString() : "no material");
        else
            std::snprintf(line, sizeof line,
                          "  S%d 缀条 %s | angle %s (%s), leg %d, diagonals %d, horizontal %d, spacing %.1f cm, %s\n",
                          s->m_nNo, s->GetDescription().GetString(), s->m_strName.GetString(),
                          s->m_pAngle != nullptr ? s->m_pAngle->m_strFull.GetString() : "none", s->m_nLegLink,
                          s->m_nDiagonal, s->m_nHorizontal, s->m_fSpace,
                          s->m_pMaterial != nullptr ? s->m_pMaterial->GetName().GetString() : "no material");
        out << line;
    }
    out << "Chosen for the combined section (" << combined.GetType() << "): "
        << (chosen != nullptr ? "S" + std::to_string(chosen->m_nNo) : std::string("none")) << "\n";
    out << "Angle shown by the lacing-bar dialog: " << barAngle << "\n";

    const bool ok = st->m_pMaterialSteelList->GetCount() == 2 && st->m_pMaterialConcreteList->GetCount() == 1 &&
                    st->m_pStayList->GetCount() == 2 && chosen != nullptr && chosen->m_nKind == 1 &&
                    chosen->m_pAngle != nullptr;
    if (!ok) ++failures;
    std::printf("material and batten libraries: %s, written to libraries.txt\n", ok ? "Q345, C30, a plate and a bar" : "FAILED");

    combined.m_pStay = nullptr;
    while (st->m_pStayList->GetCount() > 0) {
        CStay* s = st->m_pStayList->Get(1);
        st->m_pStayList->DeleteStay(s);
        delete s;
    }
    ScriptedUser::Reset();
    return failures;
}

// Slab types of the sample model, driven through the slab type dialogs by a scripted user
// on the demonstration sheet database (invented rows, see demo-sheets/README.md): a
// composite slab type and a one-way slab type added, the spans of the composite one
// edited in its calculation diagram, which is saved as slab-diagram.png.
#include <cstdio>
#include <filesystem>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/libraries/DlgBanConcreteAdd.h>
#include <vyr/libraries/DlgBanDiagram.h>
#include <vyr/libraries/DlgBanSteelAdd.h>
#include <vyr/model/material/material.h>
#include <vyr/model/section/Ban.h>
#include <vyr/model/struct/structure.h>
#include <vyr/raster.h>
#include <vyr/resources/dialogs/BanDlgRes.h>
#include <vyr/scripteduser.h>
#include <vyr/winfile.h>

#include "DemoSupport.h"
#include "demos.h"

using vyr::ScriptedUser;

namespace {

std::string Spans(const CBan* ban, float unit)
{
    std::string text;
    for (INT_PTR i = 0; i < ban->m_SpanArray.GetSize(); ++i) {
        CString s;
        s.Format("%s%.0f", i ? ", " : "", ban->m_SpanArray[i] * unit);
        text += s.str();
    }
    return text.empty() ? "none" : text;
}

} // namespace

int RunSlabDemo(const std::string& outDir)
{
    std::filesystem::create_directories(outDir);
    const std::string savedApp = VyrGetAppFolder();
    const std::string demoApp = (std::filesystem::path(savedApp) / "demo-sheets").string();
    if (!std::filesystem::exists(std::filesystem::path(demoApp) / "DataBase")) {
        std::printf("slab demo: FAILED, no demonstration sheet database under %s\n", demoApp.c_str());
        return 1;
    }
    VyrSetAppFolder(demoApp.c_str());
    int failures = 0;
    const CDemoUser user(failures);
    CGlobalData model;
    BuildSampleModel(model);
    CStruct* st = model.Struct();
    const float unit = model.UnitLength();
    const int composites = (int)st->m_pBanSteelList->GetCount();
    const int oneWays = (int)st->m_pBanConcreteList->GetCount();

    // A composite slab type: the 1.0 mm sheet YX75-200-600 in Q345B, 80 mm of concrete,
    // tension by sheet and concrete together.
    std::string sheet;
    ScriptedUser::SelectRow(IDC_BAN_SHEETS, 3, IDD_BANSTEELADD);
    ScriptedUser::Run([&sheet](CDialog* dlg) {
        CString s;
        dlg->GetDlgItemText(IDC_BAN_DETAILS, s);
        sheet = s.str();
    });
    ScriptedUser::SelectRow(IDC_BAN_MATERIAL, 1);
    ScriptedUser::SetText(IDC_BAN_DEPTH, "80");
    ScriptedUser::Click(IDC_BAN_ADD);
    ScriptedUser::PressOK();
    {
        CDlgBanSteelAdd dlg;
        dlg.m_pData = &model;
        dlg.DoModal(1, nullptr);
    }
    // A one-way slab type 150 mm thick.
    ScriptedUser::SetText(IDC_BAN_DEPTH, "150", IDD_BANCONCRETEADD);
    ScriptedUser::PressOK();
    {
        CDlgBanConcreteAdd dlg;
        dlg.m_pData = &model;
        dlg.DoModal(1, nullptr);
    }
    auto* composite = dynamic_cast<CBanSteel*>(st->m_pBanSteelList->Get(composites + 1));
    CBan* oneWay = st->m_pBanConcreteList->Get(oneWays + 1);
    if (composite == nullptr || oneWay == nullptr) {
        std::printf("slab demo: FAILED, the slab types were not added\n");
        VyrSetAppFolder(savedApp.c_str());
        ScriptedUser::Reset();
        return 1;
    }
    std::printf("slab demo: sheet %s\n", sheet.c_str());
    std::printf("slab demo: composite SP%d %s, H %d + Hc %.0f mm, %s; one-way CP%d h %.0f mm\n", composite->m_nNo,
                composite->m_strSheet.GetString(), composite->m_nRibH, composite->m_fThick,
                composite->m_pSheetMaterial != nullptr ? composite->m_pSheetMaterial->GetName().GetString() : "-",
                oneWay->m_nNo, oneWay->m_fThick);

    // Its calculation diagram: four spans, the second one 4.5 m; the editor is saved as
    // slab-diagram.png before OK.
    const std::string png = (std::filesystem::path(outDir) / "slab-diagram.png").string();
    bool saved = false;
    ScriptedUser::SelectRow(IDC_BAN_TYPES, 0, IDD_BANSTEELADD);
    ScriptedUser::Click(IDC_BAN_EDITDIAGRAM, IDD_BANSTEELADD);
    ScriptedUser::SetText(IDC_BAN_SPANCOUNT, "4", IDD_BANDIAGRAM);
    ScriptedUser::SelectRow(IDC_BAN_SPANS, 1, IDD_BANDIAGRAM);
    ScriptedUser::EndLabelEdit(IDC_BAN_SPANS, "4500", IDD_BANDIAGRAM);
    ScriptedUser::Run([&](CDialog* dlg) {
        auto img = RenderOverFrame(dlg, IDC_BAN_DIAGRAM, [&](CDC* dc, const CRect& client) {
            VyrDrawBanDiagram(dc, client, static_cast<CDlgBanDiagram*>(dlg)->m_SpanArray, unit);
        });
        saved = img && vyr::WritePng(png, *img);
    }, IDD_BANDIAGRAM);
    ScriptedUser::PressOK(IDD_BANDIAGRAM);
    ScriptedUser::PressOK(IDD_BANSTEELADD);
    {
        CDlgBanSteelAdd dlg;
        dlg.m_pData = &model;
        dlg.DoModal(2, composite);
    }
    std::printf("slab demo: spans of SP%d (mm): %s\n", composite->m_nNo, Spans(composite, unit).c_str());
    std::printf("slab diagram %s: %s\n", saved ? "written" : "FAILED", png.c_str());

    VyrSetAppFolder(savedApp.c_str());
    const bool ok = failures == 0 && saved && composite->m_SpanArray.GetSize() == 4 && ScriptedUser::PendingSteps() == 0;
    ScriptedUser::Reset();
    return ok ? 0 : 1;
}

// The section panel in the host's frame: the sample model's section library listed, written
// to sections.sec with "导出...", read into a second model with "导入..." replacing its
// library, and the frame with the panel saved as panel-section.png.
#include <cstdio>
#include <filesystem>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/host/ViewSection.h>
#include <vyr/libraries/SectionFile.h>
#include <vyr/model/struct/SampleModel.h>
#include <vyr/model/struct/structure.h>
#include <vyr/raster.h>
#include <vyr/resources/dialogs/SectionRes.h>
#include <vyr/scripteduser.h>
#include "hostkit/HostKit.h"

#include "demos.h"

using vyr::ScriptedUser;

int RunSectionPanelDemo(const std::string& outDir)
{
    ScriptedUser::Reset();
    vyrhost::CHostKit host(800, 600, 290);
    BuildSampleModel(host.GlobalData());
    host.ShowWholeModel();
    auto* panel = dynamic_cast<CViewSection*>(host.CreatePanels().GetDlg("View.Section"));
    if (panel == nullptr) {
        std::printf("section panel: FAILED, not registered\n");
        return 1;
    }
    host.ShowPanel("View.Section");
    bool ok = vyr::WindowUser::SelectRow(panel, IDC_SEC_TAB, 1);
    ok = vyr::WindowUser::SelectRow(panel, IDC_SEC_LIST, 1) && ok;
    CSectionList& lib = *host.GlobalData().Struct()->m_pSectionList;
    std::printf("section panel: %d sections listed, row 1 %s, %s\n", panel->m_list.GetItemCount() - 1,
                panel->m_list.GetItemText(1, 1).GetString(), panel->m_rows.StayLine().GetString());

    // Export: the user names the file.
    const std::string file = (std::filesystem::path(outDir) / "sections.sec").string();
    std::filesystem::remove(file);
    ScriptedUser::AnswerFileDialog(file.c_str());
    ok = vyr::WindowUser::Click(panel, IDC_SEC_EXPORT) && ok;
    ok = std::filesystem::exists(file) && ok;
    std::printf("section file %s: %s\n", std::filesystem::exists(file) ? "written" : "FAILED", file.c_str());

    // A second model takes the file in place of its own library.
    CGlobalData second;
    BuildSampleModel(second);
    CBeamBase* member = second.Struct()->m_pBeamList->Get(1);
    ScriptedUser::SetText(IDC_SECIMP_PATH, file.c_str(), IDD_SECTION_IMPORT);
    ScriptedUser::Check(IDC_SECIMP_REPLACE, BST_CHECKED, IDD_SECTION_IMPORT);
    ScriptedUser::Click(IDC_SECIMP_PREVIEW, IDD_SECTION_IMPORT);
    ScriptedUser::PressOK(IDD_SECTION_IMPORT);
    bool replaced = false;
    const bool imported = ImportSectionLibrary(&second, replaced);
    CSectionList& lib2 = *second.Struct()->m_pSectionList;
    ok = imported && replaced && lib2.GetCount() == lib.GetCount() && member->GetSection() == nullptr && ok;
    std::printf("section import with replacing: %s, %d sections, member %d without a section\n",
                imported && replaced ? "done" : "FAILED", (int)lib2.GetCount(), member->GetNo());

    vyr::PumpMessages();
    auto img = vyr::RenderWindow(host.GetSafeHwnd());
    const std::string path = (std::filesystem::path(outDir) / "panel-section.png").string();
    const bool saved = img && vyr::WritePng(path, *img);
    std::printf("section panel drawing %s: %s\n", saved ? "written" : "FAILED", path.c_str());
    ok = ok && saved && ScriptedUser::PendingSteps() == 0;
    ScriptedUser::Reset();
    return ok ? 0 : 1;
}

// The load-combination library as a host opens it, driven by a scripted user: a combination
// added through the editor, one edited, one deleted, then new generation parameters and a
// regeneration. The three lists before and after go to load-combinations.txt (and the
// console); the library as it ends is saved as dlg-combinations.png.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/raster.h>
#include <vyr/input/DlgLoadCombination.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/LoadCombRes.h>
#include <vyr/scripteduser.h>

#include "DemoSupport.h"
#include "demos.h"
#include "hostkit/HostKit.h"

using vyr::ScriptedUser;

namespace {

std::string CombinationLists(CGlobalData& model, const char* when)
{
    std::string text = std::string(when) + "\n";
    const struct
    {
        const char* kind;
        CLCList* list;
    } kinds[] = {{"基本组合", model.GetSLCList()},
                 {"标准组合", model.GetSDispLCList()},
                 {"准永久组合", model.GetSDeflateLCList()}};
    for (const auto& k : kinds) {
        text += std::string("  ") + k.kind + " (" + std::to_string(k.list->GetCount()) + "):\n";
        for (POSITION pos = k.list->GetHeadPosition(); pos != nullptr;) {
            CString description;
            k.list->GetNextT(pos)->GetDescription(&description);
            text += std::string("    ") + description.GetString() + "\n";
        }
    }
    CString current;
    model.GetCurrentLC()->GetDescription(&current);
    text += std::string("  当前组合: ") + current.GetString() + "\n";
    return text;
}

} // namespace

int RunCombinationDemo(const std::string& outDir)
{
    int failures = 0;
    const CDemoUser user(failures);
    std::filesystem::create_directories(outDir);
    vyrhost::CHostKit host(800, 600);
    CGlobalData& model = host.GlobalData();
    BuildSampleModel(model);
    const std::string before = CombinationLists(model, "打开前:");

    // Added on the fundamental tab: 1.0 dead with 1.4 wind "Wx".
    ScriptedUser::Click(IDC_LCLIB_ADD, IDD_LOADCOMBINATION);
    ScriptedUser::SetText(IDC_LCDEF_DEAD, "1", IDD_LCDEFINE);
    ScriptedUser::SetText(IDC_LCDEF_WIND, "1.4", IDD_LCDEFINE);
    ScriptedUser::PressOK(IDD_LCDEFINE);
    // The second one edited (a double click): live 0.98 becomes 1.4.
    ScriptedUser::DoubleClickRow(IDC_LCLIB_LIST, 1, IDD_LOADCOMBINATION);
    ScriptedUser::SetText(IDC_LCDEF_LIVE, "1.4", IDD_LCDEFINE);
    ScriptedUser::PressOK(IDD_LCDEFINE);
    // The third one deleted.
    ScriptedUser::SelectRow(IDC_LCLIB_LIST, 2, IDD_LOADCOMBINATION);
    ScriptedUser::Click(IDC_LCLIB_DELETE, IDD_LOADCOMBINATION);
    std::string edited;
    ScriptedUser::Run([&](CDialog*) { edited = CombinationLists(model, "增加、编辑、删除后:"); },
                      IDD_LOADCOMBINATION);
    // New parameters: the simplified rule, wind one way only, the old combinations deleted.
    ScriptedUser::Click(IDC_LCLIB_CHANGEALL, IDD_LOADCOMBINATION);
    ScriptedUser::SelectRow(IDC_LCAUTO_BASICRULE, 1, IDD_LCAUTOPARAM);
    ScriptedUser::Check(IDC_LCAUTO_WINDBOTH, BST_UNCHECKED, IDD_LCAUTOPARAM);
    ScriptedUser::SetText(IDC_LCAUTO_DEAD, "1.3", IDD_LCAUTOPARAM);
    ScriptedUser::SetText(IDC_LCAUTO_LIVE, "1.5", IDD_LCAUTOPARAM);
    ScriptedUser::PressOK(IDD_LCAUTOPARAM);
    ScriptedUser::AnswerMessageBox(IDYES, "重新生成荷载组合");
    bool saved = false;
    const std::string png = (std::filesystem::path(outDir) / "dlg-combinations.png").string();
    ScriptedUser::Run(
        [&](CDialog* d) {
            auto img = vyr::RenderWindow(d->GetSafeHwnd());
            saved = img && vyr::WritePng(png, *img);
        },
        IDD_LOADCOMBINATION);
    ScriptedUser::PressOK(IDD_LOADCOMBINATION);
    {
        CDlgLoadCombination dlg(&host);
        dlg.m_pData = &model;
        if (dlg.DoModal() != IDOK) ++failures;
    }
    if (!saved) ++failures;
    std::printf("dlg-combinations.png %s: %s\n", saved ? "written" : "FAILED", png.c_str());

    const std::string after = CombinationLists(model, "重新生成后:");
    std::printf("%s%s%s", before.c_str(), edited.c_str(), after.c_str());
    std::ofstream out(std::filesystem::path(outDir) / "load-combinations.txt");
    out << before << edited << after;
    return failures == 0 && out.good() ? 0 : 1;
}

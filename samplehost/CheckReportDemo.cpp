// The member design and check report as a host opens it: every member of the sample model
// picked, the report opened through its property key, "显示>>" pressed, the run waited for
// and the report saved as RTF (member-check.rtf).
#include <cstdio>
#include <filesystem>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/PropKeyRegistry.h>
#include <vyr/reports/DlgOutputCheck.h>
#include <vyr/resources/dialogs/CheckReportRes.h>
#include <vyr/resources/dialogs/ReportRes.h>
#include <vyr/scripteduser.h>
#include "hostkit/HostKit.h"

#include "DemoSupport.h"
#include "demos.h"

using vyr::ScriptedUser;

int RunCheckReportDemo(const std::string& outDir)
{
    int failures = 0;
    const CDemoUser user(failures);
    std::filesystem::create_directories(outDir);

    vyrhost::CHostKit host(900, 700);
    CGlobalData& data = host.GlobalData();
    BuildDesignSample(data);
    CStruct* st = data.Struct();

    const std::string path = (std::filesystem::path(outDir) / "member-check.rtf").string();
    std::string shown;
    ScriptedUser::Click(IDC_OUTCHECK_SHOW, IDD_OUTPUTCHECK);
    ScriptedUser::WaitUntil(
        [](CDialog* d) {
            auto* dlg = static_cast<CDlgOutputCheck*>(d);
            return !dlg->IsRunBusy() && dlg->m_pThread == nullptr;
        },
        IDD_OUTPUTCHECK);
    ScriptedUser::Run(
        [&](CDialog* d) {
            CString text;
            d->GetDlgItemText(IDC_REPORT_EDIT, text);
            shown = text.str();
        },
        IDD_OUTPUTCHECK);
    ScriptedUser::Click(IDC_REPORT_RTF, IDD_OUTPUTCHECK);
    ScriptedUser::AnswerFileDialog(path.c_str());
    ScriptedUser::Click(IDOK, IDD_OUTPUTCHECK);
    vyrkeys::Run("Prop.BeamOutputCheck", st->m_pBeamList, &data);

    const bool tables = shown.find("表4. 所有构件局稳与长细比最不利统计") != std::string::npos;
    const bool saved = std::filesystem::exists(path) && std::filesystem::file_size(path) > 0;
    std::printf("member check report over %d members: %s, %s\n", (int)st->m_pBeamList->GetCount(),
                tables ? "four tables shown" : "tables MISSING", saved ? path.c_str() : "FAILED to save");
    failures += tables && saved ? 0 : 1;
    return failures;
}

// The design check as a host runs it: the options dialog with the host's bounds, one of
// them changed by the user; the check run over the sample model's nodes and members to its
// end; then one member's calculation report opened through its property key and saved as
// RTF (member-one.rtf).
#include <cstdio>
#include <filesystem>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/PropKeyRegistry.h>
#include <vyr/reports/DlgCheckOption.h>
#include <vyr/reports/DlgCheckProgress.h>
#include <vyr/resources/dialogs/CheckRes.h>
#include <vyr/resources/dialogs/ReportRes.h>
#include <vyr/scripteduser.h>
#include "hostkit/HostKit.h"

#include "DemoSupport.h"
#include "demos.h"

using vyr::ScriptedUser;

int RunCheckDemo(const std::string& outDir)
{
    int failures = 0;
    const CDemoUser user(failures);
    std::filesystem::create_directories(outDir);

    vyrhost::CHostKit host(900, 700);
    CGlobalData& data = host.GlobalData();
    BuildDesignSample(data);
    CStruct* st = data.Struct();

    // The options: the host's bounds shown, the capacity lower bound changed.
    CDlgCheckOption options(&host);
    options.m_fCapacityRatioUpper = 0.95f;
    options.m_fCapacityRatioLower = 0.5f;
    options.m_fDeformRatioUpper = 1.0f;
    options.m_fDeformRatioLower = 0.5f;
    options.m_fDetailRatioUpper = 1.0f;
    options.m_fDetailRatioLower = 0.5f;
    ScriptedUser::SetText(IDC_CHECKOPT_CAPACITY_LOWER, "0.6", IDD_CHECKOPTION);
    ScriptedUser::Check(IDC_CHECKOPT_PRECOMBINE, BST_CHECKED, IDD_CHECKOPTION);
    ScriptedUser::PressOK(IDD_CHECKOPTION);
    if (options.DoModal() != IDOK || options.m_fCapacityRatioLower != 0.6f || !options.m_bPreCombine) {
        std::printf("check options: the dialog did not take the user's values\n");
        ++failures;
    }
    std::printf("check options: capacity %.2f to %.2f, deformation %.2f to %.2f, detailing %.2f to %.2f, "
                "pre-combination %d, echo %d\n",
                options.m_fCapacityRatioLower, options.m_fCapacityRatioUpper, options.m_fDeformRatioLower,
                options.m_fDeformRatioUpper, options.m_fDetailRatioLower, options.m_fDetailRatioUpper,
                options.m_bPreCombine, options.m_bShowEcho);

    // The run over every node and member, which ends by itself.
    ScriptedUser::WaitForEnd(IDD_CHECKPROGRESS);
    CDlgCheckProgress run(st->m_pBeamList, st->m_pNodeList, &host);
    const INT_PTR ended = run.DoModal();
    int nodes = 0, members = 0, unchecked = 0;
    for (POSITION pos = st->m_pNodeList->GetHeadPosition(); pos != nullptr; ++nodes)
        unchecked += st->m_pNodeList->GetNextT(pos)->GetCheckCount() == 1 ? 0 : 1;
    for (POSITION pos = st->m_pBeamList->GetHeadPosition(); pos != nullptr; ++members) {
        CBeamBase* b = st->m_pBeamList->GetNextT(pos);
        unchecked += b->GetCheckCount() == (b->GetType() == 6 ? 0 : 1) ? 0 : 1;
    }
    std::printf("check run: %s, %d nodes and %d members, %d not checked as expected\n",
                ended == IDOK ? "ended" : "FAILED", nodes, members, unchecked);
    failures += ended == IDOK && unchecked == 0 ? 0 : 1;

    // One member picked, its report opened through the key and saved.
    CBeamList picked;
    picked.AddTail(st->m_pBeamList->GetHeadT());
    const std::string path = (std::filesystem::path(outDir) / "member-one.rtf").string();
    ScriptedUser::Click(IDC_REPORT_RTF, IDD_CHECKOUTPUT);
    ScriptedUser::AnswerFileDialog(path.c_str());
    ScriptedUser::Click(IDC_REPORT_CLOSE, IDD_CHECKOUTPUT);
    vyrkeys::Run("Prop.BeamCheckOutput", &picked, &data);
    const bool saved = std::filesystem::exists(path) && std::filesystem::file_size(path) > 0;
    std::printf("member report %s: %s\n", saved ? "written" : "FAILED", path.c_str());
    failures += saved ? 0 : 1;
    return failures;
}

// The project's summary report and its model and load report as a host opens them: the
// summary with the stiffness factors of the host's settings block, one section box
// unticked and ticked again, saved as RTF (summary-report.rtf); the model report with the
// node and member parts ticked and shown, saved as RTF (model-report.rtf).
#include <cstdio>
#include <filesystem>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/model/struct/structure.h>
#include <vyr/reports/DlgOutputModel.h>
#include <vyr/reports/DlgOutputSummary.h>
#include <vyr/resources/dialogs/OutputSummaryRes.h>
#include <vyr/resources/dialogs/ReportRes.h>
#include <vyr/scripteduser.h>
#include "hostkit/HostKit.h"

#include "DemoSupport.h"
#include "demos.h"

using vyr::ScriptedUser;

namespace {

// A crane run along the first bay line with two cranes, for the load parameters.
void AddCranes(CStruct& st)
{
    for (double capacity : {100.0, 200.0}) {
        auto* crane = new CCrane;
        crane->m_nDutyClass = 1;
        crane->m_dLiftCapacity = capacity;
        crane->m_dWeight = capacity * 1.5;
        crane->m_dMaxWheelLoad = capacity * 0.9;
        crane->m_dMinWheelLoad = capacity * 0.25;
        st.m_pCraneList->AddTail(crane);
    }
    auto* run = new CCraneGroup;
    run->m_ptStart = CPoint3D(0, 0, 600);
    run->m_ptEnd = CPoint3D(1200, 0, 600);
    run->m_fBeamHeight = 60;
    run->m_aCraneNo.Add(1);
    run->m_aCraneNo.Add(2);
    st.m_pCraneGroupList->AddTail(run);
}

} // namespace

int RunProjectReportsDemo(const std::string& outDir)
{
    int failures = 0;
    const CDemoUser user(failures);
    std::filesystem::create_directories(outDir);

    vyrhost::CHostKit host(900, 700);
    CGlobalData& data = host.GlobalData();
    CSampleModelSize size;
    size.nStorey = 3;
    BuildSampleModel(data, size);
    AddCranes(*data.Struct());
    host.SetSettingsReal(1, 6, 0.7f);  // coupling-beam stiffness reduction
    host.SetSettingsReal(1, 8, 2.0f);  // middle-beam amplification
    host.SetSettingsReal(1, 7, 1.5f);  // edge-beam amplification
    host.SetSettingsReal(1, 9, 0.85f); // beam-end moment redistribution

    CDlgOutputSummary summary(&host);
    summary.m_pData = &data;
    summary.m_bBeamStiffAdjust = true;
    summary.m_bColWallLiveReduce = true;
    const float factors[6] = {1.0f, 0.85f, 0.7f, 0.65f, 0.6f, 0.55f};
    for (int i = 0; i < 6; ++i)
        summary.m_fLiveReduceFactor[i] = factors[i];
    const std::string summaryPath = (std::filesystem::path(outDir) / "summary-report.rtf").string();
    ScriptedUser::Check(IDC_OSUM_DESIGN, BST_UNCHECKED, IDD_OUTPUT_SUMMARY);
    ScriptedUser::Check(IDC_OSUM_DESIGN, BST_CHECKED, IDD_OUTPUT_SUMMARY);
    ScriptedUser::Click(IDC_REPORT_RTF, IDD_OUTPUT_SUMMARY);
    ScriptedUser::AnswerFileDialog(summaryPath.c_str());
    ScriptedUser::Click(IDOK, IDD_OUTPUT_SUMMARY);
    failures += summary.DoModal() == IDOK ? 0 : 1;
    failures += ReportSaved(summaryPath, "summary report") ? 0 : 1;

    CDlgOutputModel model(&host);
    model.m_pData = &data;
    const std::string modelPath = (std::filesystem::path(outDir) / "model-report.rtf").string();
    ScriptedUser::Check(IDC_OMODEL_NODE, BST_CHECKED, IDD_OUTPUT_MODEL);
    ScriptedUser::Check(IDC_OMODEL_BEAM, BST_CHECKED, IDD_OUTPUT_MODEL);
    ScriptedUser::Click(IDC_OMODEL_SHOW, IDD_OUTPUT_MODEL);
    ScriptedUser::Click(IDC_REPORT_RTF, IDD_OUTPUT_MODEL);
    ScriptedUser::AnswerFileDialog(modelPath.c_str());
    ScriptedUser::Click(IDOK, IDD_OUTPUT_MODEL);
    failures += model.DoModal() == IDOK ? 0 : 1;
    failures += ReportSaved(modelPath, "model report") ? 0 : 1;
    return failures;
}

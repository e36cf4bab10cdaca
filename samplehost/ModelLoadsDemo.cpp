// The sample model with loads of every kind: the model and load report with every box
// ticked and shown, saved as RTF (model-loads.rtf); the structure mass report opened with
// its default box, the by-node box ticked, saved as RTF (mass-report.rtf).
#include <cstdio>
#include <filesystem>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/model/struct/structure.h>
#include <vyr/reports/DlgOutputEqualLoad.h>
#include <vyr/reports/DlgOutputModel.h>
#include <vyr/resources/dialogs/OutputEqualLoadRes.h>
#include <vyr/resources/dialogs/OutputSummaryRes.h>
#include <vyr/resources/dialogs/ReportRes.h>
#include <vyr/scripteduser.h>
#include "hostkit/HostKit.h"

#include "DemoSupport.h"
#include "demos.h"

using vyr::ScriptedUser;

int RunModelLoadsDemo(const std::string& outDir)
{
    int failures = 0;
    const CDemoUser user(failures);
    std::filesystem::create_directories(outDir);

    vyrhost::CHostKit host(900, 700);
    CGlobalData& data = host.GlobalData();
    BuildSampleModel(data);
    AddSampleLoads(data);
    data.Gravity() = 1;

    CDlgOutputModel model(&host);
    model.m_pData = &data;
    const std::string modelPath = (std::filesystem::path(outDir) / "model-loads.rtf").string();
    for (int box : {IDC_OMODEL_NODE, IDC_OMODEL_BEAM, IDC_OMODEL_PRELOAD, IDC_OMODEL_DEAD, IDC_OMODEL_LIVE,
                    IDC_OMODEL_WIND, IDC_OMODEL_CRANE, IDC_OMODEL_T, IDC_OMODEL_SEISM, IDC_OMODEL_SEISMV})
        ScriptedUser::Check(box, BST_CHECKED, IDD_OUTPUT_MODEL);
    ScriptedUser::Click(IDC_OMODEL_SHOW, IDD_OUTPUT_MODEL);
    ScriptedUser::Click(IDC_REPORT_RTF, IDD_OUTPUT_MODEL);
    ScriptedUser::AnswerFileDialog(modelPath.c_str());
    ScriptedUser::Click(IDOK, IDD_OUTPUT_MODEL);
    failures += model.DoModal() == IDOK ? 0 : 1;
    failures += ReportSaved(modelPath, "model and load report") ? 0 : 1;

    CDlgOutputEqualLoad mass(&host);
    mass.m_pData = &data;
    const std::string massPath = (std::filesystem::path(outDir) / "mass-report.rtf").string();
    ScriptedUser::Check(IDC_EQUALLOAD_NODE, BST_CHECKED, IDD_OUTPUT_EQUALLOAD);
    ScriptedUser::Click(IDC_REPORT_RTF, IDD_OUTPUT_EQUALLOAD);
    ScriptedUser::AnswerFileDialog(massPath.c_str());
    ScriptedUser::Click(IDOK, IDD_OUTPUT_EQUALLOAD);
    failures += mass.DoModal() == IDOK ? 0 : 1;
    failures += ReportSaved(massPath, "structure mass report") ? 0 : 1;
    return failures;
}

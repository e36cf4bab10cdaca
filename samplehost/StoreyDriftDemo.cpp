// The storey displacement and drift statistics as a host opens them on the sample model with
// its storey results: the diagram opened from "图形输出" and rendered (storey-drift.png), then
// the report viewer opened from "计算书输出" and its chapter saved (storey-drift.rtf).
#include <cstdio>
#include <filesystem>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/raster.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/StoreyDispRes.h>
#include <vyr/resources/dialogs/StoreyRes.h>
#include <vyr/scripteduser.h>
#include <vyr/storey/DlgLayerDispDifferOutput.h>

#include "DemoSupport.h"
#include "demos.h"
#include "hostkit/HostKit.h"

using vyr::ScriptedUser;

int RunStoreyDriftDemo(const std::string& outDir)
{
    int failures = 0;
    const CDemoUser user(failures);
    std::filesystem::create_directories(outDir);
    vyrhost::CHostKit host(800, 600);
    CGlobalData& model = host.GlobalData();
    BuildSampleModel(model);
    FillStoreyResults(model);
    FillStoreyDisplacements(model);

    const std::string png = (std::filesystem::path(outDir) / "storey-drift.png").string();
    const std::string rtf = (std::filesystem::path(outDir) / "storey-drift.rtf").string();
    std::filesystem::remove(rtf);
    bool rendered = false;
    ScriptedUser::Click(IDC_DISP_VIEW, IDD_LAYERDISPDIFFER);
    ScriptedUser::Run(
        [&](CDialog* d) {
            auto img = vyr::RenderWindow(d->GetSafeHwnd());
            rendered = img && vyr::WritePng(png, *img);
        },
        IDD_OUTPUTDISPVIEW);
    ScriptedUser::PressOK(IDD_OUTPUTDISPVIEW);
    ScriptedUser::Click(IDC_DISP_REPORT, IDD_LAYERDISPDIFFER);
    ScriptedUser::Click(IDC_DOC_RTF, IDD_OUTPUTDOCUMENT);
    ScriptedUser::AnswerFileDialog(rtf.c_str());
    ScriptedUser::PressOK(IDD_OUTPUTDOCUMENT);
    ScriptedUser::PressOK(IDD_LAYERDISPDIFFER);
    {
        CDlgLayerDispDifferOutput dlg(&model, &host);
        if (dlg.DoModal() != IDOK)
            ++failures;
    }
    if (!rendered)
        ++failures;
    const bool saved = std::filesystem::exists(rtf) && std::filesystem::file_size(rtf) > 0;
    if (!saved)
        ++failures;
    std::printf("storey-drift.png %s: %s\n", rendered ? "written" : "FAILED", png.c_str());
    std::printf("storey-drift.rtf %s: %s\n", saved ? "written" : "FAILED", rtf.c_str());
    return failures == 0 ? 0 : 1;
}

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
    bool rendered = false;
    ScriptedUser::Click(IDC_DISP_VIEW, IDD_LAYERDISPDIFFER);
    ScriptRenderPng(IDD_OUTPUTDISPVIEW, png, rendered);
    ScriptedUser::PressOK(IDD_OUTPUTDISPVIEW);
    ScriptViewerRtf(rtf, IDD_LAYERDISPDIFFER, IDC_DISP_REPORT);
    ScriptedUser::PressOK(IDD_LAYERDISPDIFFER);
    {
        CDlgLayerDispDifferOutput dlg(&model, &host);
        if (dlg.DoModal() != IDOK)
            ++failures;
    }
    if (!PictureWritten(png, "storey-drift.png", rendered))
        ++failures;
    if (!ReportSaved(rtf, "storey-drift.rtf"))
        ++failures;
    return failures == 0 ? 0 : 1;
}

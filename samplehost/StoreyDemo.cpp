// The storey lateral stiffness ratio as a host opens it on the sample model with its storey
// results: the Y direction and the seismic method chosen, the window rendered
// (storey-stiffness.png), then the report viewer opened from "计算书输出" and its chapter
// saved (storey-stiffness.rtf).
#include <cstdio>
#include <filesystem>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/raster.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/StoreyRes.h>
#include <vyr/scripteduser.h>
#include <vyr/storey/DlgLayerStiffStatOutput.h>

#include "DemoSupport.h"
#include "demos.h"
#include "hostkit/HostKit.h"

using vyr::ScriptedUser;

int RunStoreyDemo(const std::string& outDir)
{
    int failures = 0;
    const CDemoUser user(failures);
    std::filesystem::create_directories(outDir);
    vyrhost::CHostKit host(800, 600);
    CGlobalData& model = host.GlobalData();
    BuildSampleModel(model);
    FillStoreyResults(model);

    const std::string png = (std::filesystem::path(outDir) / "storey-stiffness.png").string();
    const std::string rtf = (std::filesystem::path(outDir) / "storey-stiffness.rtf").string();
    bool rendered = false;
    ScriptedUser::SelectRow(IDC_STIFF_TAB, 1, IDD_LAYERSTIFFSTAT);
    ScriptedUser::SelectRow(IDC_STIFF_METHOD, 1, IDD_LAYERSTIFFSTAT);
    ScriptRenderPng(IDD_LAYERSTIFFSTAT, png, rendered);
    ScriptViewerRtf(rtf, IDD_LAYERSTIFFSTAT, IDC_STOREY_OUTPUT);
    ScriptedUser::PressOK(IDD_LAYERSTIFFSTAT);
    {
        CDlgLayerStiffStatOutput dlg(&model, &host);
        if (dlg.DoModal() != IDOK)
            ++failures;
    }
    if (!PictureWritten(png, "storey-stiffness.png", rendered))
        ++failures;
    if (!ReportSaved(rtf, "storey-stiffness.rtf"))
        ++failures;
    return failures == 0 ? 0 : 1;
}

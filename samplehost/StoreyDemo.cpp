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
    std::filesystem::remove(rtf);
    bool rendered = false;
    ScriptedUser::SelectRow(IDC_STIFF_TAB, 1, IDD_LAYERSTIFFSTAT);
    ScriptedUser::SelectRow(IDC_STIFF_METHOD, 1, IDD_LAYERSTIFFSTAT);
    ScriptedUser::Run(
        [&](CDialog* d) {
            auto img = vyr::RenderWindow(d->GetSafeHwnd());
            rendered = img && vyr::WritePng(png, *img);
        },
        IDD_LAYERSTIFFSTAT);
    ScriptedUser::Click(IDC_STOREY_OUTPUT, IDD_LAYERSTIFFSTAT);
    ScriptedUser::Click(IDC_DOC_RTF, IDD_OUTPUTDOCUMENT);
    ScriptedUser::AnswerFileDialog(rtf.c_str());
    ScriptedUser::PressOK(IDD_OUTPUTDOCUMENT);
    ScriptedUser::PressOK(IDD_LAYERSTIFFSTAT);
    {
        CDlgLayerStiffStatOutput dlg(&model, &host);
        if (dlg.DoModal() != IDOK)
            ++failures;
    }
    if (!rendered)
        ++failures;
    const bool saved = std::filesystem::exists(rtf) && std::filesystem::file_size(rtf) > 0;
    if (!saved)
        ++failures;
    std::printf("storey-stiffness.png %s: %s\n", rendered ? "written" : "FAILED", png.c_str());
    std::printf("storey-stiffness.rtf %s: %s\n", saved ? "written" : "FAILED", rtf.c_str());
    return failures == 0 ? 0 : 1;
}

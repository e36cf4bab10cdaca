// The storey shear and overturning moment as a host opens it on a twelve-storey sample model
// with its storey results: the diagram of the first case opened from "图形输出" and rendered
// (storey-vm.png), then the report viewer opened from "计算书输出" and its chapter saved
// (storey-vm.rtf).
#include <cstdio>
#include <filesystem>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/raster.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/LayerVMRes.h>
#include <vyr/resources/dialogs/StoreyRes.h>
#include <vyr/scripteduser.h>
#include <vyr/storey/DlgLayerVMOutput.h>

#include "DemoSupport.h"
#include "demos.h"
#include "hostkit/HostKit.h"

using vyr::ScriptedUser;

int RunStoreyVMDemo(const std::string& outDir)
{
    int failures = 0;
    const CDemoUser user(failures);
    std::filesystem::create_directories(outDir);
    vyrhost::CHostKit host(800, 600);
    CGlobalData& model = host.GlobalData();
    CSampleModelSize size;
    size.nStorey = 12;
    BuildSampleModel(model, size);
    FillStoreyResults(model);

    const std::string png = (std::filesystem::path(outDir) / "storey-vm.png").string();
    const std::string rtf = (std::filesystem::path(outDir) / "storey-vm.rtf").string();
    bool rendered = false;
    ScriptedUser::Click(IDC_VM_VIEW, IDD_LAYERVMOUTPUT);
    ScriptRenderPng(IDD_LAYERVMDRAW, png, rendered);
    ScriptedUser::PressOK(IDD_LAYERVMDRAW);
    ScriptViewerRtf(rtf, IDD_LAYERVMOUTPUT, IDC_VM_DOCUMENT);
    ScriptedUser::PressOK(IDD_LAYERVMOUTPUT);
    {
        CDlgLayerVMOutput dlg(&model, &host);
        if (dlg.DoModal() != IDOK)
            ++failures;
    }
    if (!PictureWritten(png, "storey-vm.png", rendered))
        ++failures;
    if (!ReportSaved(rtf, "storey-vm.rtf"))
        ++failures;
    return failures == 0 ? 0 : 1;
}

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
    std::filesystem::remove(rtf);
    bool rendered = false;
    ScriptedUser::Click(IDC_VM_VIEW, IDD_LAYERVMOUTPUT);
    ScriptedUser::Run(
        [&](CDialog* d) {
            auto img = vyr::RenderWindow(d->GetSafeHwnd());
            rendered = img && vyr::WritePng(png, *img);
        },
        IDD_LAYERVMDRAW);
    ScriptedUser::PressOK(IDD_LAYERVMDRAW);
    ScriptedUser::Click(IDC_VM_DOCUMENT, IDD_LAYERVMOUTPUT);
    ScriptedUser::Click(IDC_DOC_RTF, IDD_OUTPUTDOCUMENT);
    ScriptedUser::AnswerFileDialog(rtf.c_str());
    ScriptedUser::PressOK(IDD_OUTPUTDOCUMENT);
    ScriptedUser::PressOK(IDD_LAYERVMOUTPUT);
    {
        CDlgLayerVMOutput dlg(&model, &host);
        if (dlg.DoModal() != IDOK)
            ++failures;
    }
    if (!rendered)
        ++failures;
    const bool saved = std::filesystem::exists(rtf) && std::filesystem::file_size(rtf) > 0;
    if (!saved)
        ++failures;
    std::printf("storey-vm.png %s: %s\n", rendered ? "written" : "FAILED", png.c_str());
    std::printf("storey-vm.rtf %s: %s\n", saved ? "written" : "FAILED", rtf.c_str());
    return failures == 0 ? 0 : 1;
}

// The model picture and the normalised mode shapes as a host uses them on its sample
// project: the host's drawing component registered, the model report's picture written to
// the project's Tmp\temp.bmp, the mode-shape dialog opened and turned twice, the first mode
// drawn into frequentbmp0.bmp by the host's call, the window rendered (mode-shapes.png) and
// the chapter saved (mode-shapes.rtf).
#include <cstdio>
#include <filesystem>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/com.h>
#include <vyr/raster.h>
#include <vyr/model/struct/structure.h>
#include <vyr/reports/DlgOutputFrequentUni.h>
#include <vyr/reports/DlgOutputModel.h>
#include <vyr/resources/dialogs/OutputFrequentRes.h>
#include <vyr/scripteduser.h>

#include "DemoSupport.h"
#include "demos.h"
#include "hostkit/DrawingResult.h"
#include "hostkit/HostKit.h"

using vyr::ScriptedUser;

int RunModeShapesDemo(const std::string& outDir)
{
    namespace fs = std::filesystem;
    int failures = 0;
    const CDemoUser user(failures);
    fs::create_directories(outDir);
    vyrhost::CHostKit host(800, 600);
    CGlobalData& model = host.GlobalData();
    BuildSampleModel(model);
    AddSampleModeShapes(model);
    // The output folder is the project folder: the picture and the bitmaps land below it.
    model.ProjectPath() = fs::absolute(outDir).string().c_str();
    model.ProjectName() = "样例";
    const fs::path bitmaps = fs::path(outDir) / "样例Output" / "Doc" / "temp";
    fs::create_directories(bitmaps);

    CoInitialize(nullptr);
    vyrhost::RegisterDrawingResult(&model);
    CDlgOutputModel report;
    report.m_pData = &model;
    const bool picture = report.CreateDraw(0);

    const std::string png = (fs::path(outDir) / "mode-shapes.png").string();
    const std::string rtf = (fs::path(outDir) / "mode-shapes.rtf").string();
    fs::remove(rtf);
    bool rendered = false;
    ScriptedUser::Click(IDC_FREQUNI_LEFT, IDD_OUTPUTFREQUENTUNI);
    ScriptedUser::Click(IDC_FREQUNI_LEFT, IDD_OUTPUTFREQUENTUNI);
    ScriptedUser::Run(
        [&](CDialog* d) {
            auto* dlg = static_cast<CDlgOutputFrequentUni*>(d);
            dlg->PaintOnBitmap(0, dlg->GetDlgItem(IDC_FREQUNI_AREA));
            auto img = RenderOverFrame(d, IDC_FREQUNI_AREA, [&](CDC* dc, const CRect& r) {
                dc->Rectangle(&r);
                dlg->OnDraw(dlg->m_nCurMode, dc);
            });
            rendered = img && vyr::WritePng(png, *img);
        },
        IDD_OUTPUTFREQUENTUNI);
    ScriptedUser::Click(IDC_FREQUNI_OUTPUT, IDD_OUTPUTFREQUENTUNI);
    ScriptedUser::AnswerFileDialog(rtf.c_str());
    ScriptedUser::PressOK(IDD_OUTPUTFREQUENTUNI);
    {
        CDlgOutputFrequentUni dlg(&host);
        dlg.m_pGlobalData = &model;
        if (dlg.DoModal() != IDOK)
            ++failures;
    }
    vyrhost::UnregisterDrawingResult();
    CoUninitialize();

    const fs::path bmp = bitmaps / "frequentbmp0.bmp";
    const bool modeBitmap = fs::exists(bmp);
    if (modeBitmap)
        fs::copy_file(bmp, fs::path(outDir) / "frequentbmp0.bmp", fs::copy_options::overwrite_existing);
    const bool saved = fs::exists(rtf) && fs::file_size(rtf) > 0;
    for (bool ok : {picture, rendered, modeBitmap, saved})
        if (!ok)
            ++failures;
    std::printf("Tmp/temp.bmp %s\n", picture ? "written" : "FAILED");
    std::printf("frequentbmp0.bmp %s\n", modeBitmap ? "written" : "FAILED");
    std::printf("mode-shapes.png %s: %s\n", rendered ? "written" : "FAILED", png.c_str());
    std::printf("mode-shapes.rtf %s: %s\n", saved ? "written" : "FAILED", rtf.c_str());
    return failures == 0 ? 0 : 1;
}

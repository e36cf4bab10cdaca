// The storey shear capacity and the storey eccentricity as a host opens them on the sample
// model with its storey results: each window rendered (storey-capacity.png,
// storey-eccentricity.png), then the report viewer opened from "计算书输出" and its chapter
// saved (storey-capacity.rtf, storey-eccentricity.rtf).
#include <cstdio>
#include <filesystem>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/raster.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/StoreyRes.h>
#include <vyr/scripteduser.h>
#include <vyr/storey/DlgLayerEccentricity.h>
#include <vyr/storey/DlgShearCapacity.h>

#include "DemoSupport.h"
#include "demos.h"
#include "hostkit/HostKit.h"

using vyr::ScriptedUser;

namespace {

// The window rendered and its chapter saved from the viewer; false when a step failed.
template <class TDlg>
bool ShowAndSave(TDlg& dlg, UINT templateId, int outputId, const std::string& png, const std::string& rtf)
{
    bool rendered = false;
    ScriptRenderPng(templateId, png, rendered);
    ScriptViewerRtf(rtf, templateId, outputId);
    ScriptedUser::PressOK(templateId);
    const bool closed = dlg.DoModal() == IDOK;
    const bool pictured = PictureWritten(png, std::filesystem::path(png).filename().c_str(), rendered);
    const bool saved = ReportSaved(rtf, std::filesystem::path(rtf).filename().c_str());
    return closed && pictured && saved;
}

} // namespace

int RunStoreyCapacityDemo(const std::string& outDir)
{
    int failures = 0;
    const CDemoUser user(failures);
    std::filesystem::create_directories(outDir);
    vyrhost::CHostKit host(800, 600);
    CGlobalData& model = host.GlobalData();
    BuildSampleModel(model);
    FillStoreyResults(model);
    // The analysis found each storey's mass 0.4 m east and 0.9 m north of its stiffness.
    CFloorList& storeys = *model.Struct()->m_pFloorList;
    for (POSITION pos = storeys.GetRealFloorHeadPosition(); pos != nullptr;) {
        CFloor* f = storeys.GetRealFloorNext(pos);
        f->m_fRigidCx = 600.0f;
        f->m_fRigidCy = 900.0f;
        f->m_fMassCx = 640.0f;
        f->m_fMassCy = 990.0f;
    }
    const std::filesystem::path dir(outDir);

    CDlgShearCapacity capacity(&host);
    capacity.m_pGlobalData = &model;
    if (!ShowAndSave(capacity, IDD_SHEARCAPACITY, IDC_CAPACITY_OUTPUT, (dir / "storey-capacity.png").string(),
                     (dir / "storey-capacity.rtf").string()))
        ++failures;

    CDlgLayerEccentricity eccentricity(&host);
    eccentricity.m_pGlobalData = &model;
    if (!ShowAndSave(eccentricity, IDD_LAYERECCENTRICITY, IDC_ECCENTRIC_OUTPUT,
                     (dir / "storey-eccentricity.png").string(), (dir / "storey-eccentricity.rtf").string()))
        ++failures;
    return failures == 0 ? 0 : 1;
}

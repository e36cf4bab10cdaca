// The wind comfort check and the overall stability check as a host opens them on the sample
// model with its storey results: the comfort dialog with the use changed to "办公、旅馆" and
// the damping ratio to 0.03, its chapter saved from the report viewer (comfort.rtf); then the
// viewer of the stability chapter, built from the model, saved (stability.rtf). The wind
// factors come from the model's default wind reference rule.
#include <cstdio>
#include <filesystem>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/ComfortRes.h>
#include <vyr/resources/dialogs/StoreyRes.h>
#include <vyr/scripteduser.h>
#include <vyr/storey/DlgComfortCheck.h>
#include <vyr/storey/DlgOutputDocument.h>

#include "DemoSupport.h"
#include "demos.h"
#include "hostkit/HostKit.h"

using vyr::ScriptedUser;

namespace {

// What the analysis would leave besides the storey results: each storey's displacement under
// each wind case, the sum of the drifts below it, and g in m/s2 for masses in tonnes.
void PrepareWindResults(CGlobalData& model)
{
    CStruct& s = *model.Struct();
    s.m_pLoadSeismList->m_fG = 9.8f;
    for (POSITION pos = s.m_pBasicLCList->GetHeadPosition(); pos != nullptr;) {
        const CBasicLoadCase* lc = s.m_pBasicLCList->GetNextT(pos);
        if (lc->GetType() < 2 || lc->GetType() > 5)
            continue;
        for (int d = 1; d <= 2; ++d) {
            float sum = 0.0f;
            for (POSITION f = s.m_pFloorList->GetRealFloorHeadPosition(); f != nullptr;) {
                CFloor* storey = s.m_pFloorList->GetRealFloorNext(f);
                sum += storey->GetFloorRelativeDisp(false, -1, lc->m_nNo - 1, d, 0, nullptr, nullptr, nullptr);
                storey->SetFloorDisp(lc->m_nNo - 1, d, sum);
            }
        }
    }
}

} // namespace

int RunStoreyWindDemo(const std::string& outDir)
{
    int failures = 0;
    const CDemoUser user(failures);
    std::filesystem::create_directories(outDir);
    vyrhost::CHostKit host(800, 600);
    CGlobalData& model = host.GlobalData();
    BuildSampleModel(model);
    FillStoreyResults(model);
    PrepareWindResults(model);

    const std::string comfort = (std::filesystem::path(outDir) / "comfort.rtf").string();
    const std::string stability = (std::filesystem::path(outDir) / "stability.rtf").string();

    ScriptedUser::SelectString(IDC_COMFORT_USE, "办公、旅馆", IDD_COMFORTCHECK);
    ScriptedUser::SetText(IDC_COMFORT_DAMP, "0.03", IDD_COMFORTCHECK);
    ScriptViewerRtf(comfort, IDD_COMFORTCHECK, IDC_COMFORT_OUTPUT);
    ScriptedUser::PressOK(IDD_COMFORTCHECK);
    {
        CDlgComfortCheck dlg(&model, &host);
        if (dlg.DoModal() != IDOK)
            ++failures;
    }

    ScriptViewerRtf(stability);
    {
        CDlgOutputDocument viewer(&host);
        viewer.m_pGlobalData = &model;
        viewer.m_nDocType = 8;
        if (viewer.DoModal() != IDOK)
            ++failures;
    }

    failures += ReportSaved(comfort, "comfort.rtf") ? 0 : 1;
    failures += ReportSaved(stability, "stability.rtf") ? 0 : 1;
    return failures == 0 ? 0 : 1;
}

// The two seismic force adjustments as a host opens them on the sample model with its storey
// results (the frame taking a tenth of each storey's seismic shear): storey 2 declared weak
// and the shear-to-weight chapter saved (storey-vg.rtf); the frame factors recomputed over
// every storey and their chapter saved (storey-frame.rtf); both closed with "关闭" and the
// stored factors of the two lowest storeys printed.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/StoreyAdjustRes.h>
#include <vyr/resources/dialogs/StoreyRes.h>
#include <vyr/scripteduser.h>
#include <vyr/storey/DlgFrameSeismicAdjust.h>
#include <vyr/storey/DlgLayerVGRatio.h>

#include "DemoSupport.h"
#include "demos.h"
#include "hostkit/HostKit.h"

using vyr::ScriptedUser;

namespace {

// The analysis' frame shears: a tenth of each real storey's seismic shear.
void FillFrameShears(CGlobalData& model)
{
    CStruct* s = model.Struct();
    for (POSITION pos = s->m_pBasicLCList->GetHeadPosition(); pos != nullptr;) {
        CBasicLoadCase* lc = s->m_pBasicLCList->GetNextT(pos);
        const int k = s->m_pLoadSeismList->GetSeismPos(lc);
        if (k < 0)
            continue;
        for (POSITION f = s->m_pFloorList->GetRealFloorHeadPosition(); f != nullptr;) {
            CFloor* storey = s->m_pFloorList->GetRealFloorNext(f);
            storey->SetTotalFrameShear(lc->m_nNo, 0.1f * storey->m_fSeismShearX[k], 0.1f * storey->m_fSeismShearY[k]);
        }
    }
}

} // namespace

int RunStoreyAdjustDemo(const std::string& outDir)
{
    int failures = 0;
    const CDemoUser user(failures);
    std::filesystem::create_directories(outDir);
    vyrhost::CHostKit host(800, 600);
    CGlobalData& model = host.GlobalData();
    BuildSampleModel(model);
    FillStoreyResults(model);
    FillFrameShears(model);
    CStruct* s = model.Struct();
    const std::string vg = (std::filesystem::path(outDir) / "storey-vg.rtf").string();
    const std::string frame = (std::filesystem::path(outDir) / "storey-frame.rtf").string();

    ScriptedUser::Click(IDC_VG_CALCOF, IDD_LAYERVGRATIO);
    ScriptedUser::SetText(IDC_VG_WEAKNO, "2", IDD_LAYERVGRATIO);
    ScriptedUser::SetText(IDC_VG_WEAKFACTOR, "1.5", IDD_LAYERVGRATIO);
    ScriptedUser::Click(IDC_VG_RECAL, IDD_LAYERVGRATIO);
    ScriptViewerRtf(vg, IDD_LAYERVGRATIO, IDC_VG_OUTPUT);
    ScriptedUser::PressOK(IDD_LAYERVGRATIO);
    {
        CDlgLayerVGRatio dlg(&model, &host);
        if (dlg.DoModal() != IDOK)
            ++failures;
    }

    CString end;
    end.Format("%d", s->m_pFloorList->GetRealFloorNum());
    ScriptedUser::Click(IDC_FRAME_RULE0, IDD_FRAMESEISMADJUST);
    ScriptedUser::SetText(IDC_FRAME_START, "1", IDD_FRAMESEISMADJUST);
    ScriptedUser::SetText(IDC_FRAME_END, end.GetString(), IDD_FRAMESEISMADJUST);
    ScriptedUser::SetText(IDC_FRAME_SPLIT, "-1", IDD_FRAMESEISMADJUST);
    ScriptedUser::Click(IDC_FRAME_RECAL, IDD_FRAMESEISMADJUST);
    ScriptViewerRtf(frame, IDD_FRAMESEISMADJUST, IDC_FRAME_OUTPUT);
    ScriptedUser::PressOK(IDD_FRAMESEISMADJUST);
    {
        CDlgFrameSeismicAdjust dlg(&model, &host);
        if (dlg.DoModal() != IDOK)
            ++failures;
    }

    CBasicLoadCase* first = nullptr;
    for (POSITION pos = s->m_pBasicLCList->GetHeadPosition(); pos != nullptr && first == nullptr;) {
        CBasicLoadCase* lc = s->m_pBasicLCList->GetNextT(pos);
        if (lc->IsSeismLoadCase())
            first = lc;
    }
    const int k = s->m_pLoadSeismList->GetSeismPos(first);
    for (int i = 1; i <= 2 && k >= 0; ++i) {
        const CFloor* f = s->m_pFloorList->GetRealFloor(i);
        if (f == nullptr)
            break;
        std::printf("storey %d, case LC%d: minimum shear factor %.3f, weak storey factor %.3f, frame factor %.3f\n",
                    f->GetNo(), first->m_nNo, f->m_fMinShearAmplify[k], f->m_fWeakAmplify[k], f->m_fFrameAmplify[k]);
    }
    if (k < 0 || std::fabs(s->m_pFloorList->GetRealFloor(2)->m_fWeakAmplify[k] - 1.5f) > 1e-6f)
        ++failures;
    failures += ReportSaved(vg, "storey-vg.rtf") ? 0 : 1;
    failures += ReportSaved(frame, "storey-frame.rtf") ? 0 : 1;
    return failures == 0 ? 0 : 1;
}

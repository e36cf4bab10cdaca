// The time-history results of the sample model as a user looks at them: every row of the
// results dialog selected in turn (the factors it computes and stores printed), the four
// plots of the average row saved in one picture (th-results.png), then the report opened
// and saved as RTF and as text (th-results.rtf, th-results.txt).
#include <cstdio>
#include <filesystem>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/input/DlgTHResult.h>
#include <vyr/model/record/TimeHistory.h>
#include <vyr/model/struct/structure.h>
#include <vyr/raster.h>
#include <vyr/resources/dialogs/ReportRes.h>
#include <vyr/resources/dialogs/THResultRes.h>
#include <vyr/scripteduser.h>

#include "DemoSupport.h"
#include "demos.h"

using vyr::ScriptedUser;

namespace {

namespace fs = std::filesystem;

// The dialog with the selected tab's plots over its two frames.
std::shared_ptr<vyr::Image> RenderWithPlots(CDlgTHResult* dlg)
{
    return RenderOverFrames(dlg, {{IDC_THRESULT_PLOTX, [dlg](CDC* dc, const CRect& r) { dlg->DrawPlot(dc, r, false); }},
                                  {IDC_THRESULT_PLOTY, [dlg](CDC* dc, const CRect& r) { dlg->DrawPlot(dc, r, true); }}});
}

// Four pictures of one size side by side in two rows.
bool SaveGrid(const std::shared_ptr<vyr::Image> (&shots)[4], const std::string& png)
{
    for (const auto& s : shots)
        if (!s || s->Width() != shots[0]->Width() || s->Height() != shots[0]->Height())
            return false;
    const int w = shots[0]->Width(), h = shots[0]->Height();
    vyr::Image grid(2 * w, 2 * h, RGB(255, 255, 255));
    for (int k = 0; k < 4; ++k)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                grid.SetPixel((k % 2) * w + x, (k / 2) * h + y, shots[k]->GetPixel(x, y));
    return vyr::WritePng(png, grid);
}

} // namespace

int RunTHResultDemo(const std::string& outDir)
{
    fs::create_directories(outDir);
    int failures = 0;
    const CDemoUser user(failures);
    CGlobalData model;
    BuildSampleModel(model);
    CStruct* st = model.Struct();
    CTimeAnalyResultList* results = st->m_pTimeAnalyResultList;
    const std::string png = (fs::path(outDir) / "th-results.png").string();
    const std::string rtf = (fs::path(outDir) / "th-results.rtf").string();
    const std::string txt = (fs::path(outDir) / "th-results.txt").string();

    // Each row in turn: its factors as the dialog shows them.
    const int rows = (int)st->m_pTHCaseList->GetCount() + 1;
    for (int r = 0; r < rows; ++r) {
        ScriptedUser::SelectRow(IDC_THRESULT_LIST, r, IDD_THRESULT);
        ScriptedUser::Run([r](CDialog* d) {
            auto* dlg = static_cast<CDlgTHResult*>(d);
            std::printf("th results: row %d (%s) factors X %.4f Y %.4f\n", r, dlg->m_list.GetItemText(r, 1).GetString(),
                        (double)dlg->m_fAmplifyX, (double)dlg->m_fAmplifyY);
        }, IDD_THRESULT);
    }
    // The average row's four plots.
    std::shared_ptr<vyr::Image> shots[4];
    for (int tab = 0; tab < 4; ++tab) {
        ScriptedUser::SelectRow(IDC_THRESULT_TAB, tab, IDD_THRESULT);
        ScriptedUser::Run([&shots, tab](CDialog* d) { shots[tab] = RenderWithPlots(static_cast<CDlgTHResult*>(d)); },
                          IDD_THRESULT);
    }
    // The report, saved twice.
    ScriptedUser::Click(IDC_THRESULT_REPORT, IDD_THRESULT);
    ScriptedUser::Click(IDC_REPORT_RTF, IDD_OUTPUTTHRESULT);
    ScriptedUser::AnswerFileDialog(rtf.c_str());
    ScriptedUser::Click(IDC_REPORT_TXT, IDD_OUTPUTTHRESULT);
    ScriptedUser::AnswerFileDialog(txt.c_str());
    ScriptedUser::PressOK(IDD_OUTPUTTHRESULT);
    ScriptedUser::PressOK(IDD_THRESULT);
    {
        CDlgTHResult dlg;
        dlg.m_pData = &model;
        if (dlg.DoModal() != IDOK)
            ++failures;
    }
    const bool saved = SaveGrid(shots, png);
    std::printf("th results: average factors X %.4f Y %.4f; plots %s; report %s\n", (double)results->GetAmplifyX(),
                (double)results->GetAmplifyY(), saved ? "written" : "FAILED",
                fs::exists(rtf) && fs::exists(txt) ? "saved" : "FAILED");
    const bool ok = failures == 0 && saved && fs::file_size(rtf) > 0 && fs::file_size(txt) > 0 &&
                    ScriptedUser::PendingSteps() == 0;
    ScriptedUser::Reset();
    return ok ? 0 : 1;
}

// The time-history input as a user drives it: a record file imported into the user class of
// a copy of the wave record library and added to the model (its plot saved as
// wave-plot-1.png), a time-history case made with it, the record renamed in the editor
// opened from the case (its plot with the cut length marked, wave-plot-2.png), and the
// model's records and cases printed (th-cases.txt).
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/input/DlgTHCase.h>
#include <vyr/input/DlgWaveFun.h>
#include <vyr/input/DlgWaveFunEdit.h>
#include <vyr/input/WavePlot.h>
#include <vyr/model/record/TimeHistory.h>
#include <vyr/model/struct/structure.h>
#include <vyr/raster.h>
#include <vyr/resources/dialogs/WaveRes.h>
#include <vyr/scripteduser.h>
#include <vyr/winfile.h>

#include "DemoSupport.h"
#include "demos.h"

using vyr::ScriptedUser;

namespace {

namespace fs = std::filesystem;

// The dialog as a picture, with the record's plot drawn again over its frame control,
// which paints its own face after the dialog has drawn into it.
bool SaveWavePlot(CDialog* dlg, int frameId, const CWaveFun* wave, float marker, const std::string& png)
{
    auto img = RenderOverFrame(dlg, frameId, [&](CDC* dc, const CRect& client) {
        VyrDrawWavePlot(dc, client, wave, VyrWavePlotFont(), marker);
    });
    return img && vyr::WritePng(png, *img);
}

// A record to import: a decaying two-tone sine, 0.02 s over 16 s.
void WriteDemoRecord(const fs::path& file)
{
    std::ofstream out(file);
    out << "demo record, two tones under a decaying envelope\n****\n0.02 16\n";
    for (int i = 0; i < 800; ++i) {
        const double t = i * 0.02;
        const double a = 120.0 * std::exp(-0.25 * t) * (std::sin(2 * 3.14159265 * 2.2 * t) + 0.4 * std::sin(2 * 3.14159265 * 5.3 * t));
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.3f%c", a, i % 10 == 9 ? '\n' : ' ');
        out << buf;
    }
}

} // namespace

int RunWaveDemo(const std::string& outDir)
{
    fs::create_directories(outDir);
    const fs::path library = fs::path(VyrGetAppFolder()) / "Wave";
    if (!fs::exists(library / "DefineUser.txt")) {
        std::printf("wave demo: FAILED, no wave record library under %s\n", library.string().c_str());
        return 1;
    }
    // The import writes the library: it works on a copy, so the build's library stays as built.
    std::string t = (fs::temp_directory_path() / "vyr-wave-demo-XXXXXX").string();
    if (mkdtemp(t.data()) == nullptr) {
        std::printf("wave demo: FAILED, no temporary folder\n");
        return 1;
    }
    const fs::path app = t;
    fs::copy(library, app / "Wave", fs::copy_options::recursive);
    const fs::path source = app / "import" / "DEMO_1.txt";
    fs::create_directories(source.parent_path());
    WriteDemoRecord(source);

    int failures = 0;
    const CDemoUser user(failures);
    CGlobalData model;
    BuildSampleModel(model);
    CStruct* st = model.Struct();
    const int casesBefore = (int)st->m_pTHCaseList->GetCount();
    const std::string png1 = (fs::path(outDir) / "wave-plot-1.png").string();
    const std::string png2 = (fs::path(outDir) / "wave-plot-2.png").string();
    bool saved1 = false, saved2 = false;

    // The library: the user class, the file imported, its row chosen and plotted, then added.
    ScriptedUser::SelectRow(IDC_WAVEFUN_TAB, 4, IDD_WAVEFUN);
    ScriptedUser::Click(IDC_WAVEFUN_ADD, IDD_WAVEFUN);
    ScriptedUser::AnswerFileDialog(source.string().c_str());
    // The generated user class holds one record: the import is the second row.
    ScriptedUser::SelectRow(IDC_WAVEFUN_LIST, 1, IDD_WAVEFUN);
    ScriptedUser::Run([&](CDialog* d) {
        auto* dlg = static_cast<CDlgWaveFun*>(d);
        saved1 = SaveWavePlot(d, IDC_WAVEFUN_PLOT, dlg->m_rows.SelectedDefinition(), -1.0f, png1);
    }, IDD_WAVEFUN);
    ScriptedUser::PressOK(IDD_WAVEFUN);
    {
        CDlgWaveFun dlg(VyrWindowsPath(app.string().c_str()).c_str(), st->m_pWaveFunList, nullptr);
        if (dlg.DoModal() != IDOK)
            ++failures;
    }
    CWaveFun* added = st->m_pWaveFunList->Get((int)st->m_pWaveFunList->GetCount());

    // A case: X from the new record at 70 gal, Y unticked; "..." renames the record in the
    // editor, which marks the case's cut length (10 s) on its plot.
    ScriptedUser::Check(IDC_THCASE_USEY, BST_UNCHECKED, IDD_THCASE);
    ScriptedUser::SelectRow(IDC_THCASE_WAVEX, (int)st->m_pWaveFunList->GetCount() - 1, IDD_THCASE);
    ScriptedUser::SetText(IDC_THCASE_PEAKX, "70", IDD_THCASE);
    ScriptedUser::SetText(IDC_THCASE_NAME, "TH-DEMO", IDD_THCASE);
    ScriptedUser::Click(IDC_THCASE_EDITX, IDD_THCASE);
    ScriptedUser::SetText(IDC_WAVEEDIT_NAME, "DEMO_EQ", IDD_WAVEFUNEDIT);
    ScriptedUser::Run([&](CDialog* d) {
        auto* dlg = static_cast<CDlgWaveFunEdit*>(d);
        saved2 = SaveWavePlot(d, IDC_WAVEEDIT_PLOT, dlg->m_pWaveFun, dlg->m_fMark, png2);
    }, IDD_WAVEFUNEDIT);
    ScriptedUser::PressOK(IDD_WAVEFUNEDIT);
    ScriptedUser::PressOK(IDD_THCASE);
    {
        CDlgTHCase dlg(nullptr);
        dlg.m_pData = &model;
        if (dlg.DoModal() != IDOK)
            ++failures;
    }

    // The model's records and cases.
    const std::string txt = (fs::path(outDir) / "th-cases.txt").string();
    std::ofstream out(txt);
    out << "wave records of the model\n";
    for (int i = 1; i <= (int)st->m_pWaveFunList->GetCount(); ++i) {
        const CWaveFun* w = st->m_pWaveFunList->Get(i);
        char line[256];
        std::snprintf(line, sizeof line, "%d %s step %.3f s length %.3f s samples %d peak %.1f cm/s^2\n", i,
                      w->GetName().GetString(), (double)w->GetStep(), (double)w->GetDist(), w->GetNum(),
                      (double)w->GetMaxValue());
        out << line;
    }
    out << "time-history cases\n";
    for (int i = 1; i <= (int)st->m_pTHCaseList->GetCount(); ++i) {
        const CTHCase* c = st->m_pTHCaseList->Get(i);
        char line[512];
        std::snprintf(line, sizeof line,
                      "%d %s directions %s X %s %.1f gal Y %s %.1f gal cut %.2f s step %.3f s interval %d damping %.3f\n",
                      c->GetId(), c->GetName().GetString(), c->GetDirStr().GetString(),
                      c->m_pWaveFunX != nullptr ? c->m_pWaveFunX->GetName().GetString() : "-", (double)c->m_fMaxX,
                      c->m_pWaveFunY != nullptr ? c->m_pWaveFunY->GetName().GetString() : "-", (double)c->m_fMaxY,
                      (double)c->m_fDist, (double)c->m_fStep, c->m_nSpan, (double)c->m_fRatio);
        out << line;
    }
    out.close();

    std::error_code ec;
    fs::remove_all(app, ec);
    std::printf("wave demo: record %s added, case %s; plots %s, %s\n", added != nullptr ? added->GetName().GetString() : "-",
                st->m_pTHCaseList->GetCount() > 0
                    ? st->m_pTHCaseList->Get((int)st->m_pTHCaseList->GetCount())->GetName().GetString()
                    : "-",
                saved1 ? "written" : "FAILED", saved2 ? "written" : "FAILED");
    const bool ok = failures == 0 && saved1 && saved2 && added != nullptr && added->GetName() == "DEMO_EQ" &&
                    (int)st->m_pTHCaseList->GetCount() == casesBefore + 1 && ScriptedUser::PendingSteps() == 0;
    ScriptedUser::Reset();
    return ok ? 0 : 1;
}

// The time-history analysis as a user drives it on the sample project: a record added from
// a copy of the wave record library, a case made with it, the mass-point string written
// ("时程分析..."), and the engine start, which reports the absent engine and leaves the host
// running. The project's calculation files (Cal\Common.pd1/.sub/.dat) are placeholders
// that this demo writes: the modal analysis that makes them is not part of the library.
// Everything is printed to th-handoff.txt.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/input/DlgComputeElasticSeism.h>
#include <vyr/model/output/commonfuncs.h>
#include <vyr/model/record/TimeHistory.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/resources/dialogs/THAnalysisRes.h>
#include <vyr/resources/dialogs/WaveRes.h>
#include <vyr/scripteduser.h>
#include <vyr/shell.h>
#include <vyr/winfile.h>

#include "DemoSupport.h"
#include "demos.h"
#include "hostkit/HostKit.h"

using vyr::ScriptedUser;

namespace {

namespace fs = std::filesystem;

int g_exits = 0;
void CountExit(int) { ++g_exits; }

std::vector<int32_t> ReadInts(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::vector<int32_t> out;
    unsigned char b[4];
    while (in.read(reinterpret_cast<char*>(b), 4))
        out.push_back((int32_t)((uint32_t)b[0] | (uint32_t)b[1] << 8 | (uint32_t)b[2] << 16 | (uint32_t)b[3] << 24));
    return out;
}

} // namespace

int RunTHAnalysisDemo(const std::string& outDir)
{
    fs::create_directories(outDir);
    const fs::path library = fs::path(VyrGetAppFolder()) / "Wave";
    if (!fs::exists(library / "DefineI.txt")) {
        std::printf("time-history analysis demo: FAILED, no wave record library under %s\n", library.string().c_str());
        return 1;
    }
    std::string t = (fs::temp_directory_path() / "vyr-thana-demo-XXXXXX").string();
    if (mkdtemp(t.data()) == nullptr) {
        std::printf("time-history analysis demo: FAILED, no temporary folder\n");
        return 1;
    }
    const fs::path root = t;
    const fs::path app = root / "App";
    const fs::path cal = root / "Project" / "Cal";
    std::error_code ec;
    fs::create_directories(cal, ec);
    fs::create_directories(app, ec);
    fs::copy(library, app / "Wave", fs::copy_options::recursive, ec);
    if (ec) {
        std::printf("time-history analysis demo: FAILED, wave library not copied: %s\n", ec.message().c_str());
        fs::remove_all(root, ec);
        return 1;
    }
    for (const char* ext : {"pd1", "sub", "dat"})
        std::ofstream(cal / (std::string("Common.") + ext)) << "placeholder calculation file\n";
    const std::string savedApp = VyrGetAppFolder();
    VyrSetAppFolder(app.string().c_str());
    const VyrProcessEndFn savedEnd = VyrSetProcessEnd(&CountExit);
    vyr::ResetProcessLaunches();
    CDocomDo::Inst().m_bFlag = 0;

    int failures = 0;
    {
        const CDemoUser user(failures);
        vyrhost::CHostKit host(800, 600);
        CGlobalData& model = host.GlobalData();
        BuildSampleModel(model);
        model.ProjectPath() = VyrWindowsPath((root / "Project").string().c_str()).c_str();
        model.ProjectName() = "Sample";
        CStruct* st = model.Struct();
        // The storeys above the base without a rigid floor: each reports the nodes nearest
        // its mass centre, the middle of the plan.
        const CRect2D plan = st->m_pNodeList->GetRealRect(0);
        for (POSITION pos = st->m_pFloorList->GetHeadPosition(); pos != nullptr;) {
            CFloor* f = st->m_pFloorList->GetNextT(pos);
            f->m_nKind = 3;
            f->m_fMassCx = (float)((plan.left + plan.right) / 2);
            f->m_fMassCy = (float)((plan.top + plan.bottom) / 2);
        }
        int calNo = 1;
        for (POSITION pos = st->m_pNodeList->GetHeadPosition(); pos != nullptr;)
            st->m_pNodeList->GetNextT(pos)->m_nCalNo = calNo++;
        const int recordsBefore = (int)st->m_pWaveFunList->GetCount();
        const int casesBefore = (int)st->m_pTHCaseList->GetCount();

        // A record of site class I added from the library, then a case with it in X.
        ScriptedUser::Click(IDC_THCALC_WAVEADD, IDD_COMPUTEELASTICSEISM);
        ScriptedUser::SelectRow(IDC_WAVEFUN_LIST, 0, IDD_WAVEFUN);
        ScriptedUser::PressOK(IDD_WAVEFUN);
        ScriptedUser::Click(IDC_THCALC_CASEADD, IDD_COMPUTEELASTICSEISM);
        ScriptedUser::Check(IDC_THCASE_USEY, BST_UNCHECKED, IDD_THCASE);
        ScriptedUser::SelectRow(IDC_THCASE_WAVEX, recordsBefore, IDD_THCASE);
        ScriptedUser::SetText(IDC_THCASE_NAME, "TH-DEMO", IDD_THCASE);
        ScriptedUser::PressOK(IDD_THCASE);
        std::string rows;
        ScriptedUser::Run([&](CDialog* d) {
            auto* list = static_cast<CListCtrl*>(d->GetDlgItem(IDC_THCALC_CASELIST));
            for (int r = 0; r < list->GetItemCount(); ++r)
                rows += std::string("  ") + list->GetItemText(r, 0).GetString() + " | " + list->GetItemText(r, 1).GetString() +
                        " | " + list->GetItemText(r, 2).GetString() + " | " + list->GetItemText(r, 3).GetString() + "\n";
        }, IDD_COMPUTEELASTICSEISM);
        // The analysis: the mass-point string of the storey mass centres, then the engine.
        ScriptedUser::Click(IDC_THCALC_COMPUTE, IDD_COMPUTEELASTICSEISM);
        ScriptedUser::Click(IDC_THMASS_RUN, IDD_THMASSSTRING);
        ScriptedUser::AnswerMessageBox(IDOK, "未找到时程分析程序：");
        ScriptedUser::PressOK(IDD_COMPUTEELASTICSEISM);
        CDlgComputeElasticSeism dlg;
        dlg.m_pData = &model;
        if (dlg.DoModal() != IDOK)
            ++failures;

        const std::vector<int32_t> wav = ReadInts(cal / "VyrTA.wav");
        std::ostringstream out;
        out << "time-history analysis on the sample project (placeholder Common files)\n";
        out << "records: " << recordsBefore << " -> " << st->m_pWaveFunList->GetCount() << "\n";
        out << "cases: " << casesBefore << " -> " << st->m_pTHCaseList->GetCount() << "\n" << rows;
        out << "files in Cal:\n";
        for (const char* name : {"VyrTA.pd1", "VyrTA.sub", "VyrTA.dat", "VyrTA.wav", "VyrTA.thc"})
            out << "  " << name << " " << (fs::exists(cal / name) ? std::to_string(fs::file_size(cal / name)) + " bytes" : "missing")
                << "\n";
        out << "VyrTA.wav count " << (wav.empty() ? -1 : wav[0]) << ", numbers:";
        for (size_t i = 1; i < wav.size(); ++i)
            out << " " << wav[i];
        out << "\n";
        std::string message;
        for (const auto& box : ScriptedUser::MessageBoxes())
            message = box.text.GetString();
        const CString line = CDlgComputeElasticSeism::EngineCommandLine(CVyrFunc::GetAppPath(), model.ProjectPath(),
                                                                         model.ProjectName(), dlg.m_strEngineArg);
        out << "engine start: " << message << "\n";
        out << "engine command line: " << line.GetString() << "\n";
        out << "WM_UI_BEFORECALC sent: " << host.Count(WM_UI_BEFORECALC) << "\n";
        out << "flag: " << (int)CDocomDo::Inst().m_bFlag << "\n";
        out << "programs started: " << vyr::ProcessLaunches().size() << "\n";
        out << "process ended: " << (g_exits > 0 ? "yes" : "no") << "\n";
        // The temporary folder differs from run to run: the file names it by a fixed word.
        std::string text = out.str();
        const std::string temp = VyrWindowsPath(root.string().c_str());
        for (size_t at = text.find(temp); at != std::string::npos; at = text.find(temp, at))
            text.replace(at, temp.size(), "<temp>");
        std::ofstream((fs::path(outDir) / "th-handoff.txt").string()) << text;
        std::printf("time-history analysis demo: %zu mass points written; %s; host kept running\n",
                    wav.empty() ? (size_t)0 : wav.size() - 1, message.c_str());

        const bool ok = wav.size() >= 2 && (size_t)wav[0] + 1 == wav.size() && host.Count(WM_UI_BEFORECALC) == 0 &&
                        g_exits == 0 && (int)st->m_pTHCaseList->GetCount() == casesBefore + 1 &&
                        (int)st->m_pWaveFunList->GetCount() == recordsBefore + 1 && fs::exists(cal / "VyrTA.thc") &&
                        ScriptedUser::PendingSteps() == 0;
        if (!ok)
            ++failures;
        ScriptedUser::Reset();
    }
    VyrSetProcessEnd(savedEnd);
    VyrSetAppFolder(savedApp.c_str());
    vyr::ResetProcessLaunches();
    fs::remove_all(root, ec);
    return failures == 0 ? 0 : 1;
}

// The wave record library: a tab switch that lists a class of 200 records of 12,000
// samples each (0.01 s over 120 s), in the dialog, and the reading of that class alone.
// Aim: under 0.5 s a switch.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "hostkit/HostKit.h"
#include <vyr/input/DlgWaveFun.h>
#include <vyr/input/WaveRecordFile.h>
#include <vyr/model/record/TimeHistory.h>
#include <vyr/resources/dialogs/WaveRes.h>
#include <vyr/scripteduser.h>
#include <vyr/winfile.h>

namespace {

namespace fs = std::filesystem;

constexpr int kRecords = 200;
constexpr int kSamples = 12000;

// A library whose user class holds the records and whose class I holds one, removed at exit.
struct CWaveBenchLibrary
{
    fs::path app;
    CWaveBenchLibrary()
    {
        std::string t = (fs::temp_directory_path() / "vyr-wavebench-XXXXXX").string();
        if (mkdtemp(t.data()) == nullptr)
            std::abort();
        app = t;
        fs::create_directories(app / "Wave" / "User");
        fs::create_directories(app / "Wave" / "I");
        FILE* index = std::fopen((app / "Wave" / "DefineUser.txt").string().c_str(), "w");
        std::fprintf(index, "%d\n", kRecords);
        for (int r = 0; r < kRecords; ++r) {
            const std::string name = "R" + std::to_string(r);
            std::fprintf(index, "%s\n", name.c_str());
            FILE* f = std::fopen((app / "Wave" / "User" / (name + ".txt")).string().c_str(), "w");
            std::fprintf(f, "%s ****\n0.01 120\n", name.c_str());
            for (int i = 0; i < kSamples; ++i)
                std::fprintf(f, (i % 10 == 9) ? "%.3f\n" : "%.3f ", (double)((i * 37 + r) % 2001 - 1000) * 0.125);
            std::fclose(f);
        }
        std::fclose(index);
        FILE* one = std::fopen((app / "Wave" / "DefineI.txt").string().c_str(), "w");
        std::fprintf(one, "0\n");
        std::fclose(one);
    }
    ~CWaveBenchLibrary()
    {
        std::error_code ec;
        fs::remove_all(app, ec);
    }
    CString AppPath() const { return VyrWindowsPath(app.string().c_str()).c_str(); }
};

CWaveBenchLibrary& Library()
{
    static CWaveBenchLibrary library;
    return library;
}

void SwitchTab(CDialog* d, int tab)
{
    auto* dlg = static_cast<CDlgWaveFun*>(d);
    dlg->m_tab.SetCurSel(tab);
    NMHDR nm{dlg->m_tab.GetSafeHwnd(), (UINT_PTR)IDC_WAVEFUN_TAB, (UINT)TCN_SELCHANGE};
    d->SendMessage(WM_NOTIFY, IDC_WAVEFUN_TAB, (LPARAM)&nm);
}

void BM_WaveClassTabSwitch(benchmark::State& state)
{
    CWaveBenchLibrary& lib = Library();
    vyrhost::CHostKit host;
    CWaveFunList model;
    vyr::ScriptedUser::Reset();
    int listed = 0;
    vyr::ScriptedUser::Run([&](CDialog* d) {
        for (auto _ : state) {
            state.PauseTiming();
            SwitchTab(d, 0);
            state.ResumeTiming();
            SwitchTab(d, 4);
            listed = (int)static_cast<CDlgWaveFun*>(d)->m_WaveFunList.GetCount();
        }
    });
    vyr::ScriptedUser::PressCancel();
    CDlgWaveFun dlg(lib.AppPath(), &model, &host);
    dlg.DoModal();
    vyr::ScriptedUser::Reset();
    if (listed != kRecords)
        state.SkipWithError("the class was not listed whole");
    state.counters["records"] = listed;
}
BENCHMARK(BM_WaveClassTabSwitch)->Unit(benchmark::kMillisecond);

void BM_WaveClassRead(benchmark::State& state)
{
    CWaveBenchLibrary& lib = Library();
    const CString app = lib.AppPath();
    CWaveFunList records;
    for (auto _ : state) {
        VyrLoadWaveClass(app + "\\Wave\\DefineUser.txt", app + "\\Wave\\User\\", records);
        benchmark::DoNotOptimize(records.GetCount());
    }
    state.counters["samples"] = (double)records.GetCount() * kSamples;
}
BENCHMARK(BM_WaveClassRead)->Unit(benchmark::kMillisecond);

} // namespace

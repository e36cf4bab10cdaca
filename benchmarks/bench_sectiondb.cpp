// The standard section databases as the browser reads them:
//  - the reader alone: a table opened, every shown field of every row read in order, then
//    1,000 rows read at random positions (the largest shipped table, the Chinese seamless
//    tubes of 355 rows, and a fixture of 10,000 rows of 18 fields);
//  - the browser: a sub-type change that reopens the table and refills the list (the
//    American W sections of 283 rows, and the 10,000-row fixture).
// The fixture is made at start by the project's generator into a temporary application
// folder, as the Chinese file with a table of I-beams.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include <vyr/libraries/DlgStdSectionLib.h>
#include <vyr/winfile.h>

namespace fs = std::filesystem;

namespace {

const std::string& FixtureApp()
{
    static const std::string app = [] {
        const fs::path dir = fs::temp_directory_path() / "vyr_bench_sectiondb";
        fs::create_directories(dir / "csv");
        fs::create_directories(dir / "app" / "DataBase");
        {
            std::ofstream idx(dir / "csv" / "tables.csv");
            idx << "table,file,code,country_index,sort_keys,types\n"
                << "热轧等边角钢,,101,0,b(mm);t(mm),\n"
                << "热轧普通工字钢,ibeam.csv,103,0,h(mm);b(mm),\n";
            std::ofstream csv(dir / "csv" / "ibeam.csv");
            csv << "型号,h(mm),b(mm),tw(mm),tf(mm),r(mm),r1(mm),A(cm2),Ix(cm4),Wx(cm3),ix(cm),Iy(cm4),Wy(cm3),"
                   "iy(cm),G(kg/m),S(m2/m),x16,x17\n";
            std::mt19937 rng(7);
            std::uniform_real_distribution<double> u(1.0, 1000.0);
            for (int r = 0; r < 10000; ++r) {
                csv << "I" << r;
                for (int f = 1; f < 18; ++f) csv << "," << u(rng);
                csv << "\n";
            }
        }
        const fs::path file = dir / "app" / "DataBase" / "中国型钢截面库.sdb";
        const std::string cmd = std::string("\"") + VYR_SECTIONDB_GEN + "\" --single \"" +
                                (dir / "csv" / "tables.csv").string() + "\" \"" + (dir / "csv").string() + "\" \"" +
                                file.string() + "\" tor26";
        if (std::system(cmd.c_str()) != 0) std::fprintf(stderr, "fixture not generated\n");
        return (dir / "app").string();
    }();
    return app;
}

void ReadTable(benchmark::State& state, const char* app, int family, int subType)
{
    VyrSetAppFolder(app);
    for (auto _ : state) {
        CDlgStdSectionLib reader;
        reader.m_bBrowse = false;
        reader.m_nEditCountry = 0;
        if (!reader.OpenDatabase()) {
            state.SkipWithError("database");
            return;
        }
        reader.SelectTableChina(family, subType);
        reader.OpenTable();
        CString text;
        for (int r = 0; r < reader.m_nRecordCount; ++r) {
            reader.m_pRecordset->SetAbsolutePosition(r);
            for (int c = 0; c < reader.m_nListColumns; ++c) reader.FieldToText(reader.m_pRecordset->GetFieldValue(c), text);
        }
        std::mt19937 rng(1);
        std::uniform_int_distribution<int> pick(0, reader.m_nRecordCount - 1);
        for (int i = 0; i < 1000; ++i) {
            reader.m_pRecordset->SetAbsolutePosition(pick(rng));
            reader.ReadRowValues(reader.m_nValueCount);
        }
        state.counters["rows"] = reader.m_nRecordCount;
        benchmark::DoNotOptimize(reader.m_fValues[0]);
    }
}

void BM_ReadLargestShippedTable(benchmark::State& state) { ReadTable(state, VYR_APP, 4, 0); }
void BM_ReadFixture10000(benchmark::State& state) { ReadTable(state, FixtureApp().c_str(), 1, 0); }

// The browser open without a model; its tabs set to the position, then the sub-type tab's
// handler work measured: the table released, reopened, its columns and rows refilled.
void RefillList(benchmark::State& state, const char* app, int country, int family, int subType)
{
    VyrSetAppFolder(app);
    CDlgStdSectionLib dlg;
    if (!dlg.Create(393)) {
        state.SkipWithError("dialog");
        return;
    }
    dlg.CloseTable();
    while (dlg.m_tabCountry.GetItemCount() <= country) dlg.m_tabCountry.InsertItem(dlg.m_tabCountry.GetItemCount(), "");
    dlg.m_tabCountry.SetCurSel(country);
    if (!dlg.OpenDatabase()) {
        state.SkipWithError("database");
        return;
    }
    dlg.m_tabFamily.DeleteAllItems();
    for (int i = 0; i <= family; ++i) dlg.m_tabFamily.InsertItem(i, "");
    dlg.m_tabFamily.SetCurSel(family);
    dlg.FillSubTypeTab();
    dlg.m_tabSubType.SetCurSel(subType);
    for (auto _ : state) {
        dlg.ReleaseTable();
        dlg.RunQuery();
        state.counters["rows"] = dlg.m_list.GetItemCount();
    }
    dlg.DestroyWindow();
}

void BM_RefillUSWTable(benchmark::State& state) { RefillList(state, VYR_APP, 1, 1, 0); }
void BM_RefillFixture10000(benchmark::State& state) { RefillList(state, FixtureApp().c_str(), 0, 1, 0); }

} // namespace

BENCHMARK(BM_ReadLargestShippedTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadFixture10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefillUSWTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefillFixture10000)->Unit(benchmark::kMillisecond);

// The report writer on a large report: rows of a 12-column table through the RTF file
// device and the rich-edit device. The cost should grow linearly with the rows.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <vyr/model/output/output.h>
#if defined(VYR_BENCH_RICHEDIT)
#include <vyr/controls.h>
#endif

namespace {

void WriteReport(COutput& out, int rows)
{
    out.SetFontSize(9);
    out << title(1) << title << "示例工程" << "杆件内力报告" << endl << title(0);
    out.SetPrecision(3);
    static const char* heads[12] = {"杆件", "工况", "N(kN)", "V2(kN)", "V3(kN)", "T(kN·m)",
                                    "M2(kN·m)", "M3(kN·m)", "位置", "应力比", "长细比", "结论"};
    for (const char* h : heads) out.CreateTableHead(h, 10, 0);
    for (int r = 0; r < rows; ++r) {
        CString name;
        name.Format("B%d", r + 1);
        out.SetTableContent(name);
        out.SetTableContent((long)(r % 24 + 1));
        for (int c = 0; c < 8; ++c) out.SetTableContent(r * 0.37 + c * 1.25 - 40.0);
        out.SetTableContent(0.001 * (r % 1000));
        if (r % 97 == 0) {
            out.SetFontColor(255);
            out.SetTableContent(CString("不满足"));
            out.SetFontColor(0);
        } else {
            out.SetTableContent(CString("满足"));
        }
    }
    out.EndTable();
    out << endl;
}

void BM_ReportToRtfFile(benchmark::State& state)
{
    const auto path = std::filesystem::temp_directory_path() / "vyr_bench_report.rtf";
    const int rows = (int)state.range(0);
    for (auto _ : state) {
        COutput out;
        out.InitDevice(DEVICE_RTF, CString(path.string()), 1);
        WriteReport(out, rows);
        out.Close();
    }
    state.SetComplexityN(rows);
    state.counters["bytes"] = (double)std::filesystem::file_size(path);
    std::filesystem::remove(path);
}
BENCHMARK(BM_ReportToRtfFile)->Arg(250)->Arg(2500)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// The floor the RTF device is measured against: fwrite of the bytes it wrote for the same
// rows, into a file of the same folder.
void BM_FwriteOfTheSameBytes(benchmark::State& state)
{
    const auto dir = std::filesystem::temp_directory_path();
    const auto source = dir / "vyr_bench_report_src.rtf";
    const auto path = dir / "vyr_bench_report_copy.rtf";
    const int rows = (int)state.range(0);
    {
        COutput out;
        out.InitDevice(DEVICE_RTF, CString(source.string()), 1);
        WriteReport(out, rows);
        out.Close();
    }
    std::string bytes;
    {
        std::ifstream in(source, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::filesystem::remove(source);
    for (auto _ : state) {
        FILE* f = std::fopen(path.string().c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    state.SetComplexityN(rows);
    state.counters["bytes"] = (double)bytes.size();
    std::filesystem::remove(path);
}
BENCHMARK(BM_FwriteOfTheSameBytes)->Arg(2500)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

#if defined(VYR_BENCH_RICHEDIT)
void BM_ReportToRichEdit(benchmark::State& state)
{
    CWnd host;
    host.CreateEx(0, nullptr, "host", WS_POPUP, CRect(0, 0, 800, 600), nullptr, 0);
    CRichEditCtrl edit;
    edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 780, 580), &host, 1610);
    const int rows = (int)state.range(0);
    for (auto _ : state) {
        edit.SetWindowText("");
        COutput out;
        out.InitDevice(DEVICE_RICHEDIT, &edit);
        WriteReport(out, rows);
        out.Close();
    }
    state.SetComplexityN(rows);
    state.counters["chars"] = (double)edit.GetTextLength();
    host.DestroyWindow();
}
BENCHMARK(BM_ReportToRichEdit)->Arg(2500)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
#endif

} // namespace

BENCHMARK_MAIN();

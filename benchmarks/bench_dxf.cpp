// The DXF writer's rate: one million lines and one hundred thousand texts through
// CDXFOutput; the same bytes through plain fwrite; the same entities through ezdxf.
// Rates are reported as entities per second (counter "entities").
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <vyr/model/dxf/dxf.h>

namespace {

const int kLines = 1000000;
const int kTexts = 100000;

std::string TempFile(const char* name)
{
    return (std::filesystem::temp_directory_path() / (std::string("vyr_bench_") + std::to_string(::getpid()) + "_" + name))
        .string();
}

void WriteDrawing(const std::string& file)
{
    CDXFOutput w;
    w.IntialDXFFile(CString(std::string(VYR_SOURCE_DIR) + "/resources/Template/VYRPrint.dxf"), CString(file), true);
    w.SetCurrentLayer("MEMBER");
    for (int i = 0; i < kLines; ++i) {
        double x = i * 1.5;
        w.Line(CPoint2D(x, 0.25 * i), CPoint2D(x + 6000.5, 0.25 * i - 250.25));
    }
    w.SetCurrentLayer("TEXT");
    w.SetText(250.0, 30.0);
    w.SetTextAlign(TA_CENTER, TA_BOTTOM);
    char text[32];
    for (int i = 0; i < kTexts; ++i) {
        std::snprintf(text, sizeof text, "梁L%d", i);
        w.TextOutA(i * 3, 100, text);
    }
}

void BM_DXFOutput(benchmark::State& state)
{
    std::string file = TempFile("out.dxf");
    for (auto _ : state) {
        WriteDrawing(file);
    }
    state.counters["entities"] =
        benchmark::Counter((double)(kLines + kTexts) * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["bytes"] = (double)std::filesystem::file_size(file);
    std::filesystem::remove(file);
}
BENCHMARK(BM_DXFOutput)->Unit(benchmark::kMillisecond)->UseRealTime();

// The bytes the writer produces, written with fwrite in 1 MiB blocks: the floor the writer
// is measured against.
void BM_FwriteSameBytes(benchmark::State& state)
{
    std::string src = TempFile("src.dxf");
    WriteDrawing(src);
    std::string bytes;
    {
        std::ifstream in(src, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        bytes = s.str();
    }
    std::filesystem::remove(src);
    std::string file = TempFile("fwrite.dxf");
    for (auto _ : state) {
        FILE* f = std::fopen(file.c_str(), "wb");
        for (size_t off = 0; off < bytes.size(); off += 1 << 20)
            std::fwrite(bytes.data() + off, 1, std::min<size_t>(1 << 20, bytes.size() - off), f);
        std::fclose(f);
    }
    state.counters["entities"] =
        benchmark::Counter((double)(kLines + kTexts) * state.iterations(), benchmark::Counter::kIsRate);
    std::filesystem::remove(file);
}
BENCHMARK(BM_FwriteSameBytes)->Unit(benchmark::kMillisecond)->UseRealTime();

// ezdxf, run once: VYR_EZDXF_SCALE (default 1) divides the entity counts for a quicker
// run; the rate is per entity either way.
void BM_Ezdxf(benchmark::State& state)
{
    int scale = 1;
    if (const char* s = std::getenv("VYR_EZDXF_SCALE")) scale = std::max(1, std::atoi(s));
    std::string file = TempFile("ezdxf.dxf");
    std::string cmd = "/usr/bin/python3 " + std::string(VYR_SOURCE_DIR) + "/benchmarks/ezdxf_bench.py " +
                      std::to_string(kLines / scale) + " " + std::to_string(kTexts / scale) + " " + file;
    double rate = 0.0;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        FILE* p = popen(cmd.c_str(), "r");
        if (!p) {
            state.SkipWithError("cannot start python3");
            return;
        }
        char buf[256] = {};
        std::string out;
        while (std::fgets(buf, sizeof buf, p)) out += buf;
        int rc = pclose(p);
        auto t1 = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
        size_t at = out.find("rate ");
        if (rc != 0 || at == std::string::npos) {
            state.SkipWithError("ezdxf run failed");
            return;
        }
        rate = std::atof(out.c_str() + at + 5);
    }
    state.counters["entities"] = rate; // measured inside Python, start-up excluded
    std::filesystem::remove(file);
}
BENCHMARK(BM_Ezdxf)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

} // namespace

BENCHMARK_MAIN();

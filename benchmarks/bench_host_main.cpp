// The main of the benchmarks that run as a host: the library joins the host's resource
// chain (InitVyrUI) before any benchmark runs, as a host does after loading it.
#include <benchmark/benchmark.h>

#include <vyr/host/VyrEntry.h>
#include <vyr/resources.h>

int main(int argc, char** argv)
{
    vyr::VyrSetResourceDir(VYR_SOURCE_DIR "/resources");
    InitVyrUI();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

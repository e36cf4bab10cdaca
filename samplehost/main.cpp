// A small host: sets up what the library needs and drives it as an application would,
// writing what the library produces to an output folder.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include <vyr/vyr_version.h>
#include <vyr/vyrui.h>
#include <vyr/host/VyrEntry.h>
#include <vyr/model/struct/structure.h>
#include "summary_report.h"
#include "demos.h"

int main(int argc, char** argv)
{
    std::string outDir = "samplehost-out";
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc)
            outDir = argv[++i];

    std::printf("Vyr user-interface library %s\n", VyrUIVersion());
    // Loaded with the program; linked into the host's resource chain now.
    InitVyrUI();
    std::printf("output folder: %s\n", outDir.c_str());
    std::printf("built so far: platform stand-in, model library, operators (view, point input with snap, selection), library entry and host protocol\n");

    // The model root the host owns: a three-storey frame of two by three bays.
    CGlobalData model;
    CSampleModelSize size;
    size.nStorey = 3;
    size.nBayX = 2;
    size.nBayY = 3;
    BuildSampleModel(model, size);
    std::printf("sample model:\n%s", SampleModelSummary(model).GetString());

    // The model summary as a report chapter, saved as RTF and as text.
    std::filesystem::create_directories(outDir);
    int failures = 0;
    for (const auto& [device, name] : {std::pair{DEVICE_RTF, "summary.rtf"}, std::pair{DEVICE_TEXT, "summary.txt"}}) {
        const std::string path = (std::filesystem::path(outDir) / name).string();
        const bool ok = WriteSummaryReport(model.ProjectName(), SampleModelSummary(model), path, device, model.Struct());
        std::printf("report %s: %s\n", ok ? "written" : "FAILED", path.c_str());
        failures += ok ? 0 : 1;
    }

    // A drawing view driven through its operator manager: pan, wheel zoom, zoom window;
    // then a three-point arc placed with object snap; then selection by window and crossing.
    failures += RunViewDemo(outDir) != 0;
    failures += RunSnapDemo(outDir) != 0;
    failures += RunSelectDemo(outDir) != 0;
    failures += RunStudsSlabsDemo(outDir) != 0;
    failures += RunSlabDemo(outDir) != 0;
    failures += RunSelSetsDemo(outDir) != 0;
    failures += RunHostDemo(outDir) != 0;
    failures += RunPropGridDemo(outDir) != 0;
    failures += RunSectionDemo(outDir) != 0;
    failures += RunLibrariesDemo(outDir) != 0;
    failures += RunSecPropertyDemo(outDir) != 0;
    failures += RunPanelsDemo(outDir) != 0;
    failures += RunProjectDemo(outDir) != 0;
    failures += RunSelPanelsDemo(outDir) != 0;
    failures += RunSectionPanelDemo(outDir) != 0;
    failures += RunTaperDemo(outDir) != 0;
    failures += RunPropDlgDemo(outDir) != 0;
    failures += RunPropKeysDemo(outDir) != 0;
    std::printf("%s\n", failures ? "sample host: some steps FAILED" : "sample host: all steps done");
    return failures ? 1 : 0;
}

// The sample model and its summary: printed, then written as a report chapter with a table.
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>

#include <vyr/model/struct/structure.h>
#include "demos.h"
#include "summary_report.h"

int RunSummaryDemo(const std::string& outDir)
{
    // The model root the host owns: a three-storey frame of two by three bays.
    CGlobalData model;
    CSampleModelSize size;
    size.nStorey = 3;
    size.nBayX = 2;
    size.nBayY = 3;
    BuildSampleModel(model, size);
    std::printf("sample model:\n%s", SampleModelSummary(model).GetString());

    std::filesystem::create_directories(outDir);
    int failures = 0;
    for (const auto& [device, name] : {std::pair{DEVICE_RTF, "summary.rtf"}, std::pair{DEVICE_TEXT, "summary.txt"}}) {
        const std::string path = (std::filesystem::path(outDir) / name).string();
        const bool ok = WriteSummaryReport(model.ProjectName(), SampleModelSummary(model), path, device, model.Struct());
        std::printf("report %s: %s\n", ok ? "written" : "FAILED", path.c_str());
        failures += ok ? 0 : 1;
    }
    return failures;
}

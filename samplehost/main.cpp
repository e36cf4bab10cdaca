// A small host: sets up what the library needs and drives it as an application would,
// writing what the library produces to an output folder.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include <vyr/vyr_version.h>
#include <vyr/vyrui.h>
#include <vyr/host/VyrEntry.h>
#include "demos.h"

const std::vector<CDemo>& SampleHostDemos()
{
    static const std::vector<CDemo> demos = {
        {"summary", &RunSummaryDemo, {"summary.rtf", "summary.txt"}},
        // A drawing view driven through its operator manager: pan, wheel zoom, zoom window;
        // then a three-point arc placed with object snap; then selection by window and crossing.
        {"view", &RunViewDemo, {"view-0-before.png", "view-1-pan.png", "view-2-wheel.png", "view-3-window.png"}},
        {"snap", &RunSnapDemo, {"snap-arc.png"}},
        {"select", &RunSelectDemo, {}},
        {"studs and slabs", &RunStudsSlabsDemo, {"studs-slabs.txt"}},
        {"slab", &RunSlabDemo, {"slab-diagram.png"}},
        {"selection sets", &RunSelSetsDemo, {"selsets.txt"}},
        {"host", &RunHostDemo, {"report-head.rtf", "report-head.txt"}},
        {"property grid", &RunPropGridDemo, {"propgrid.png"}},
        {"section databases", &RunSectionDemo, {"section-databases.txt", "sections-built.txt"}},
        {"libraries", &RunLibrariesDemo, {"libraries.txt"}},
        {"section property", &RunSecPropertyDemo, {"secproperty.png"}},
        {"panels", &RunPanelsDemo, {"panel-floor.png", "panel-mode.png"}},
        {"project", &RunProjectDemo, {"panel-project.png"}},
        {"selection panels", &RunSelPanelsDemo, {"panel-beam.png", "panel-room.png", "panel-wall.png"}},
        {"section panel", &RunSectionPanelDemo, {"sections.sec", "panel-section.png"}},
        {"taper", &RunTaperDemo, {"taper.txt"}},
        {"property dialog", &RunPropDlgDemo, {"dlgprop.png", "dlgquery.png"}},
        {"property keys", &RunPropKeysDemo, {"propkeys.txt"}},
        {"wall openings", &RunWallHolesDemo, {"wall-openings.txt", "wall-opening-preview.png"}},
        {"secondary beams", &RunSubBeamDemo, {"secondary-beams.txt", "subbeam-quad.png", "subbeam-tri.png"}},
        // Check options, the check run over the sample model, one member's report saved.
        {"check run", &RunCheckDemo, {"member-one.rtf"}},
        // The member check report over the sample model's members, shown and saved.
        {"member check report", &RunCheckReportDemo, {"member-check.rtf"}},
        {"definitions", &RunDefsDemo, {"definitions.txt", "dlg-support.png", "dlg-rigid.png"}},
        // The model drawings exported by both export dialogs, listed, read back and rendered.
        {"drawing export", &RunExportDemo, {"export-files.txt", "export-structure.png", "export-storey.png"}},
        // A record imported into the wave library and added to the model, a time-history
        // case made with it, the record renamed in the editor; records and cases printed.
        {"wave", &RunWaveDemo, {"th-cases.txt", "wave-plot-1.png", "wave-plot-2.png"}},
        {"load combinations", &RunCombinationDemo, {"load-combinations.txt", "dlg-combinations.png"}},
        // Support reactions and node checks on every node, each saved as RTF.
        {"node reports", &RunNodeReportsDemo, {"reactions.rtf", "node-check.rtf"}},
        // Member forces, node displacements and statistics on a selection, each saved as RTF.
        {"force and displacement reports", &RunForceDispReportsDemo, {"member-forces.rtf", "node-disp.rtf", "statistics.rtf"}},
        // The slabs of a concrete, a two-way and a deck room designed through the room key.
        {"slab design", &RunSlabDesignDemo, {"slab-design.txt"}},
        // The results dialog over the sample model's time-history results, its plots and report.
        {"time-history results", &RunTHResultDemo, {"th-results.png", "th-results.rtf", "th-results.txt"}},
        // The force diagrams of one combination exported and rendered; the force query painted.
        {"force diagrams", &RunForceDemo, {"force-diagram.png", "force-query-1.png", "force-query-2.png"}},
        // The summary report and the model and load report, opened and saved.
        {"project reports", &RunProjectReportsDemo, {"summary-report.rtf", "model-report.rtf"}},
        {"openings", &RunOpeningsDemo, {"openings.txt", "web-opening.png", "room-opening.png"}},
        {"storey stiffness", &RunStoreyDemo, {"storey-stiffness.png", "storey-stiffness.rtf"}},
        {"storey shear and moment", &RunStoreyVMDemo, {"storey-vm.png", "storey-vm.rtf"}},
        {"storey drift", &RunStoreyDriftDemo, {"storey-drift.png", "storey-drift.rtf"}},
        {"storey capacity", &RunStoreyCapacityDemo,
         {"storey-capacity.png", "storey-capacity.rtf", "storey-eccentricity.png", "storey-eccentricity.rtf"}},
        // A record and a case added, the engine input written, the absent engine reported.
        {"time-history analysis", &RunTHAnalysisDemo, {"th-handoff.txt"}},
        // The complete default export in both dialogs, counted, read back and three drawings rendered.
        {"full export", &RunEnvelopeExportDemo, {"export-full.txt", "displacement.png", "envelope.png", "reaction.png"}},
        // The model picture and the mode shapes turned, drawn into a bitmap and saved.
        {"mode shapes", &RunModeShapesDemo, {"Tmp/temp.bmp", "frequentbmp0.bmp", "mode-shapes.png", "mode-shapes.rtf"}},
        // The load chapters of the model report and the structure mass report on the loaded sample.
        {"model loads", &RunModelLoadsDemo, {"model-loads.rtf", "mass-report.rtf"}},
        // The comfort dialog with another use and damping, its chapter and the stability chapter saved.
        {"storey wind checks", &RunStoreyWindDemo, {"comfort.rtf", "stability.rtf"}},
        // A weak storey and the frame factors set, both adjustment chapters saved.
        {"storey adjustment", &RunStoreyAdjustDemo, {"storey-vg.rtf", "storey-frame.rtf"}},
        // The model information, load and design drawings of the checked sample, listed and rendered.
        {"design export", &RunDesignExportDemo,
         {"export-design-files.txt", "design-result.png", "design-property.png", "loads.png", "model-info.png"}},
        // Every section of the whole calculation report ticked, shown and saved.
        {"calculation report", &RunCalculationReportDemo, {"calculation-report.rtf", "calculation-report.txt"}},
    };
    return demos;
}

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
    std::printf("built so far: platform stand-in, model library, operators with snap, host protocol, property grid and panels, section, material and slab libraries, property keys, secondary-beam layout, wall openings, member-end and support libraries, check run, one-object reports and member check report, drawing export dialogs with the model drawing, internal-force diagrams and envelopes, displacement and reaction drawings, model information, load and design drawings, member force query, wave record library and time-history cases, load-combination library, support reaction and node check reports, slab reinforcement design, time-history results and their report, summary report and model report, web and room openings, storey report viewer and stiffness ratio, time-history analysis with the engine input files, the reports (load chapters, mass, member forces, node displacements, vibration characteristics, mode shapes, quantities and costs) and the storey statistics (shear and moment, displacement and drift, shear capacity, eccentricity, comfort, overall stability, shear-to-weight and frame seismic adjustment), the whole calculation report\n");

    std::filesystem::create_directories(outDir);
    int failures = 0;
    for (const CDemo& demo : SampleHostDemos()) {
        // A file left by an earlier run must not pass for one this run wrote.
        std::error_code ec;
        for (const char* file : demo.files)
            std::filesystem::remove(std::filesystem::path(outDir) / file, ec);
        failures += demo.run(outDir) != 0;
        for (const char* file : demo.files)
            if (!std::filesystem::exists(std::filesystem::path(outDir) / file, ec)) {
                std::printf("demo %s: %s not written\n", demo.name, file);
                ++failures;
            }
    }
    std::printf("%s\n", failures ? "sample host: some steps FAILED" : "sample host: all steps done");
    return failures ? 1 : 0;
}

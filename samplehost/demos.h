// Each demo drives one part of the library as a host would and writes what it produces
// to outDir; it returns 0 when all went as expected.
#pragma once

#include <string>
#include <vector>

// A demo of the sample host: its name, its function and the files it writes into the
// output folder, which the host checks after running it.
struct CDemo
{
    const char* name;
    int (*run)(const std::string& outDir);
    std::vector<const char*> files;
};

// The demos in the order the sample host runs them.
const std::vector<CDemo>& SampleHostDemos();

// The sample model built, its summary printed and written as a report chapter with a table
// (summary.rtf, summary.txt).
int RunSummaryDemo(const std::string& outDir);
int RunViewDemo(const std::string& outDir);
int RunSnapDemo(const std::string& outDir);
int RunSelectDemo(const std::string& outDir);
int RunStudsSlabsDemo(const std::string& outDir);
int RunSlabDemo(const std::string& outDir);
int RunSelSetsDemo(const std::string& outDir);
// The library's entry and host protocol: a member picked, a dialog that remembers its
// place, the calculation-report head (report-head.rtf, report-head.txt).
int RunHostDemo(const std::string& outDir);
int RunPropGridDemo(const std::string& outDir);
// The standard section databases and the browser (section-databases.txt, sections-built.txt).
int RunSectionDemo(const std::string& outDir);
// The material library and the batten and lacing library (libraries.txt).
int RunLibrariesDemo(const std::string& outDir);
// The plug-in bridge with a demo plug-in, the section property and buckling class dialogs
// (secproperty.png).
int RunSecPropertyDemo(const std::string& outDir);
// The storey panel and the vibration-mode panel (panel-floor.png, panel-mode.png).
int RunPanelsDemo(const std::string& outDir);
// The project panel after a zoom (panel-project.png) and a model generator of the host.
int RunProjectDemo(const std::string& outDir);
// The selection-property panels: members by window, one edited; a room and a wall with
// their sketches (panel-beam.png, panel-room.png, panel-wall.png).
int RunSelPanelsDemo(const std::string& outDir);
int RunSectionPanelDemo(const std::string& outDir);
int RunTaperDemo(const std::string& outDir);
int RunPropDlgDemo(const std::string& outDir);
// Property keys run from the member and room panels: section, studs, slab type (propkeys.txt).
int RunPropKeysDemo(const std::string& outDir);
// Wall openings through the walls' property keys: two openings defined on two equal walls,
// then the single opening of walls of different lengths centred (wall-openings.txt,
// wall-opening-preview.png).
int RunWallHolesDemo(const std::string& outDir);
// Secondary beams laid out through their property key in a quadrilateral and a triangular
// room, by distance and by equal division (secondary-beams.txt, subbeam-quad.png,
// subbeam-tri.png).
int RunSubBeamDemo(const std::string& outDir);
// The design check: options, the check run over the sample model, one member's
// calculation report saved (member-one.rtf).
int RunCheckDemo(const std::string& outDir);
// The member check report on every member of the sample model, opened through its key, run
// and saved (member-check.rtf).
int RunCheckReportDemo(const std::string& outDir);
// The member-end and support libraries through their property keys: a release, an
// eccentricity for members and a wall, a rigid arm and a spring support added and
// assigned (definitions.txt, dlg-support.png, dlg-rigid.png).
int RunDefsDemo(const std::string& outDir);
// The drawing export: the model drawings of every storey (2-D) and of the whole structure
// (3-D) below the sample project folder <out>/export, listed against the dialogs' counts and
// read back (export-files.txt); two rendered by ezdxf (export-structure.png, export-storey.png).
int RunExportDemo(const std::string& outDir);
// The wave record library, the wave function editor and a time-history case (th-cases.txt,
// wave-plot-1.png, wave-plot-2.png).
int RunWaveDemo(const std::string& outDir);
// The load-combination library: a combination added, edited and deleted, then regenerated
// with new parameters; the lists before and after (load-combinations.txt, dlg-combinations.png).
int RunCombinationDemo(const std::string& outDir);
// The support reaction and node check reports opened through their property keys on every
// node of the checked sample model and saved (reactions.rtf, node-check.rtf).
int RunNodeReportsDemo(const std::string& outDir);
// The member force, node displacement and statistics reports opened through their property
// keys on the first storey of the sample model and saved (member-forces.rtf, node-disp.rtf,
// statistics.rtf).
int RunForceDispReportsDemo(const std::string& outDir);
// Slab reinforcement through the room key: a concrete one-way, a two-way and a deck room
// designed from their moments; their bar groups and covers (slab-design.txt).
int RunSlabDesignDemo(const std::string& outDir);
// The time-history results of the sample model: each row of the results dialog selected, the
// average's four plots (th-results.png), the report saved as RTF and text (th-results.rtf,
// th-results.txt).
int RunTHResultDemo(const std::string& outDir);
// The internal-force diagrams of the first fundamental combination exported for every storey
// (2-D) and the whole structure (3-D) below <out>/force-diagrams, one rendered by ezdxf
// (force-diagram.png); the force query opened through its key on one beam, its paint by
// combination and as the envelope (force-query-1.png, force-query-2.png).
int RunForceDemo(const std::string& outDir);
// The summary report with the host's stiffness factors and the model and load report with
// its node and member parts, each saved as RTF (summary-report.rtf, model-report.rtf).
int RunProjectReportsDemo(const std::string& outDir);
// Web openings of the H beams of one span and room openings of one room and of two rooms
// together, through their property keys (openings.txt, web-opening.png, room-opening.png).
int RunOpeningsDemo(const std::string& outDir);
// The storey lateral stiffness ratio on the sample model with storey results: the Y tab and
// the seismic method (storey-stiffness.png), the chapter saved from the report viewer
// (storey-stiffness.rtf).
int RunStoreyDemo(const std::string& outDir);
// The storey shear and overturning moment on a twelve-storey sample model with storey
// results: the diagram of the first case (storey-vm.png), the chapter saved from the report
// viewer (storey-vm.rtf).
int RunStoreyVMDemo(const std::string& outDir);
// The storey shear capacity and the storey eccentricity on the sample model with storey
// results: each window rendered (storey-capacity.png, storey-eccentricity.png), each chapter
// saved from the report viewer (storey-capacity.rtf, storey-eccentricity.rtf).
int RunStoreyCapacityDemo(const std::string& outDir);
// The time-history analysis on the sample project: a record and a case added, the mass-point
// files written and printed, and the engine start reporting the absent engine without
// ending the host (th-handoff.txt).
int RunTHAnalysisDemo(const std::string& outDir);
// The complete default export of both dialogs, listed against the counts, read back and
// rendered (export-full.txt, displacement.png, envelope.png, reaction.png).
int RunEnvelopeExportDemo(const std::string& outDir);
// The model picture through the host's drawing component and the mode-shape dialog turned,
// drawn into a bitmap and saved (Tmp/temp.bmp, frequentbmp0.bmp, mode-shapes.png,
// mode-shapes.rtf).
int RunModeShapesDemo(const std::string& outDir);
// The sample model with loads of every kind: the model and load report with every box
// ticked (model-loads.rtf) and the structure mass report by degree of freedom and by node
// (mass-report.rtf).
int RunModelLoadsDemo(const std::string& outDir);
// The wind comfort check on the sample model with its storey results, its use and damping
// changed, the chapter saved from the report viewer (comfort.rtf); the overall stability
// chapter saved from the viewer of kind 8 (stability.rtf).
int RunStoreyWindDemo(const std::string& outDir);
// The storey displacement and drift statistics on the sample model with storey results: the
// diagram (storey-drift.png) and the chapter saved from the report viewer (storey-drift.rtf).
int RunStoreyDriftDemo(const std::string& outDir);
// The shear-to-weight ratio and the frame seismic shear adjustment on the sample model with
// storey results: a weak storey set, the frame factors recomputed, both chapters saved from
// the report viewer (storey-vg.rtf, storey-frame.rtf), both closed with "关闭" and two
// storeys' stored factors printed.
int RunStoreyAdjustDemo(const std::string& outDir);
// The model information, load, design property and design result drawings of the checked
// sample model, 2-D every storey and 3-D whole structure, listed and read back
// (export-design-files.txt), one of each kind rendered (design-result.png,
// design-property.png, loads.png, model-info.png).
int RunDesignExportDemo(const std::string& outDir);
// The whole calculation report on the sample model with its results: every section ticked,
// shown and saved (calculation-report.rtf, calculation-report.txt).
int RunCalculationReportDemo(const std::string& outDir);

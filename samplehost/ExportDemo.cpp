// The drawing export as a host runs it: the 2-D dialog exports the model drawing of every
// storey, the 3-D dialog that of the whole structure, both below the sample project folder
// <out>/export. The files written are listed against the count each dialog gave for its
// run, each read back with ezdxf (export-files.txt), and two are rendered to PNG with
// ezdxf's drawing command (export-structure.png, export-storey.png).
// The internal-force diagrams of the first fundamental combination go the same way, the 2-D
// dialog for every storey, the 3-D one for the whole structure, below <out>/force-diagrams;
// one is rendered (force-diagram.png). Then the force-detail key opens the query on one beam,
// whose paint is saved by combination and as the envelope (force-query-1.png,
// force-query-2.png).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/drawing/DlgBeamQueryForce.h>
#include <vyr/drawing/DlgDrawResult2D.h>
#include <vyr/drawing/DlgDrawResult3D.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/PropKeyRegistry.h>
#include <vyr/raster.h>
#include <vyr/resources/dialogs/DrawResultRes.h>
#include <vyr/resources/dialogs/QueryForceRes.h>
#include <vyr/scripteduser.h>
#include "hostkit/HostKit.h"

#include "DemoSupport.h"
#include "demos.h"

namespace fs = std::filesystem;
using vyr::ScriptedUser;

// What a command prints (stderr dropped).
std::string ExportDemoRun(const std::string& command)
{
    std::string out;
    if (FILE* p = popen((command + " 2>/dev/null").c_str(), "r")) {
        char buf[1024];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0)
            out.append(buf, n);
        pclose(p);
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    return out;
}

std::vector<fs::path> ExportDemoFiles(const fs::path& dir)
{
    std::vector<fs::path> files;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(dir, ec); it != fs::recursive_directory_iterator(); ++it)
        if (it->is_regular_file())
            files.push_back(it->path());
    std::sort(files.begin(), files.end());
    return files;
}

namespace
{

// Only the box ticked (with the item of its combo, when given), the scope kind chosen, the
// run started, its closing message taken, the dialog closed once the run is over; the count
// the dialog gave for the run goes to count.
void ScriptExportRun(int box, int itemCombo, int itemRow, int scopeKind, int& count)
{
    ScriptedUser::Click(IDC_DRAW_UNSELALL);
    ScriptedUser::Check(box);
    if (itemCombo != 0)
        ScriptedUser::SelectRow(itemCombo, itemRow);
    if (scopeKind >= 0)
        ScriptedUser::SelectRow(IDC_DRAW_SCOPEKIND, scopeKind);
    ScriptExportAndWait(count);
}


// The query as the user sees it: the frames paint their faces over the dialog's drawing,
// so the six diagrams are put back over them.
bool SaveQuery(CDlgBeamQueryForce* q, const fs::path& png)
{
    const int ids[6] = {IDC_QUERYFORCE_N, IDC_QUERYFORCE_V2, IDC_QUERYFORCE_V3,
                        IDC_QUERYFORCE_T, IDC_QUERYFORCE_M2, IDC_QUERYFORCE_M3};
    std::vector<std::pair<int, std::function<void(CDC*, const CRect&)>>> frames;
    CFont font;
    LOGFONT lf{};
    lf.lfHeight = -9;
    lf.lfWeight = 400;
    lf.lfPitchAndFamily = 0x20;
    std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", "Arial");
    font.CreateFontIndirect(&lf);
    for (int c = 0; c < 6; ++c)
        frames.push_back({ids[c], [q, c, &font](CDC* dc, const CRect& r) {
                              VyrDrawQueryDiagram(dc, r, c, q->m_fForce[c], q->m_nMode == 1 ? q->m_fForce[c + 6] : nullptr,
                                                  q->UnitFactor(c), &font);
                          }});
    auto img = RenderOverFrames(q, frames);
    const bool saved = img && vyr::WritePng(png.string(), *img);
    std::printf("%s %s\n", png.filename().string().c_str(), saved ? "written" : "FAILED");
    return saved;
}

} // namespace

int RunExportDemo(const std::string& outDir)
{
    int failures = 0;
    const CDemoUser user(failures);
    const fs::path out = fs::absolute(outDir);
    const fs::path project = FreshProject(out, "export");

    vyrhost::CHostKit host(900, 700);
    CGlobalData& data = host.GlobalData();
    BuildSampleModel(data);
    data.ProjectPath() = project.string().c_str();

    std::ofstream list(out / "export-files.txt");
    const bool ezdxf = ExportDemoRun("/usr/bin/python3 -c 'import ezdxf; print(1)'") == "1";
    auto report = [&](const char* what, int count, const std::vector<fs::path>& files) {
        list << what << ": GetOutputNum " << count << ", files written " << files.size() << "\n";
        std::printf("export: %s, %d counted, %zu written\n", what, count, files.size());
        failures += count == (int)files.size() ? 0 : 1;
        for (const fs::path& f : files) {
            list << "  " << fs::relative(f, project).string();
            if (ezdxf) {
                const std::string read = ExportDemoRun(
                    "/usr/bin/python3 -c 'import sys, ezdxf; d = ezdxf.readfile(sys.argv[1]); "
                    "print(len(d.audit().errors), len(d.modelspace()))' '" + f.string() + "'");
                int errors = -1, entities = -1;
                std::sscanf(read.c_str(), "%d %d", &errors, &entities);
                list << "  ezdxf: " << errors << " audit errors, " << entities << " entities";
                failures += errors == 0 ? 0 : 1;
            }
            list << "\n";
        }
    };

    int count2D = -1;
    ScriptExportRun(IDC_DRAW_MODEL, 0, 0, -1, count2D);
    CDlgDrawResult2D dlg2(&data, &host);
    dlg2.DoModal();
    std::vector<fs::path> files2D = ExportDemoFiles(project);
    report("2-D, the model drawing of every storey", count2D, files2D);

    int count3D = -1;
    ScriptExportRun(IDC_DRAW_MODEL, 0, 0, CDlgDrawResult3D::CONTENT_WHOLE, count3D);
    CDlgDrawResult3D dlg3(&data, &host);
    dlg3.DoModal();
    std::vector<fs::path> files3D;
    for (const fs::path& f : ExportDemoFiles(project))
        if (std::find(files2D.begin(), files2D.end(), f) == files2D.end())
            files3D.push_back(f);
    report("3-D, the model drawing of the whole structure", count3D, files3D);
    if (!ezdxf)
        list << "(ezdxf is not installed: the files were not read back)\n";
    list.close();

    // Two drawings rendered by ezdxf's own drawing command.
    const fs::path storey = project / "二维简图-第1层(3600)" / "模型信息图" / "二维模型图.dxf";
    const fs::path whole = project / "三维简图-整体结构" / "模型信息图" / "三维模型图.dxf";
    for (const auto& [dxf, png] : {std::pair{whole, out / "export-structure.png"}, std::pair{storey, out / "export-storey.png"}})
        RenderDxf(dxf, png);
    return failures;
}

int RunForceDemo(const std::string& outDir)
{
    int failures = 0;
    const CDemoUser user(failures);
    const fs::path out = fs::absolute(outDir);
    const fs::path project = FreshProject(out, "force-diagrams");

    vyrhost::CHostKit host(900, 700);
    CGlobalData& data = host.GlobalData();
    BuildSampleModel(data);
    data.ProjectPath() = project.string().c_str();
    data.ProgramType() = 1;

    int count2D = -1, count3D = -1;
    ScriptExportRun(IDC_DRAW_BF_LC, IDC_DRAW_BF_LC_ITEM, 1, -1, count2D);
    CDlgDrawResult2D dlg2(&data, &host);
    dlg2.DoModal();
    const size_t files2D = ExportDemoFiles(project).size();
    ScriptExportRun(IDC_DRAW_BF_LC, IDC_DRAW_BF_LC_ITEM, 1, CDlgDrawResult3D::CONTENT_WHOLE, count3D);
    CDlgDrawResult3D dlg3(&data, &host);
    dlg3.DoModal();
    const size_t files3D = ExportDemoFiles(project).size() - files2D;
    std::printf("force diagrams: 2-D %d counted, %zu written; 3-D %d counted, %zu written\n", count2D, files2D, count3D,
                files3D);
    failures += (int)files2D == count2D && (int)files3D == count3D ? 0 : 1;

    const CString lc = CDlgDrawResult::FolderName(data.GetSLCList()->Get(1)->GetDescription());
    const fs::path dxf = project / "二维简图-第1层(3600)" / "杆件内力-基本组合工况" / (std::string("杆件内力-") + lc.str() + "-M3.dxf");
    RenderDxf(dxf, out / "force-diagram.png");

    // The query on the first beam through its key, by combination, then as the envelope.
    CBeamBase* beam = nullptr;
    for (POSITION pos = data.Struct()->m_pBeamList->GetHeadPosition(); pos != nullptr && beam == nullptr;) {
        CBeamBase* b = data.Struct()->m_pBeamList->GetNextT(pos);
        if (b->toBeam() != nullptr && b->GetType() == 2)
            beam = b;
    }
    CBeamList selection;
    selection.AddTail(beam);
    auto save = [&](const char* name) {
        ScriptedUser::Run([&out, &failures, name](CDialog* d) {
            failures += SaveQuery(static_cast<CDlgBeamQueryForce*>(d), out / name) ? 0 : 1;
        }, IDD_BEAMQUERYFORCE);
    };
    save("force-query-1.png");
    ScriptedUser::Click(IDC_QUERYFORCE_BYCOVER, IDD_BEAMQUERYFORCE);
    save("force-query-2.png");
    ScriptedUser::PressCancel(IDD_BEAMQUERYFORCE);
    vyrkeys::Find("Prop.BeamForceDetail")->body(&selection, &data);
    return failures;
}

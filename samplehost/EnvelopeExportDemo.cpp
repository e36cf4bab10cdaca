// The complete default export of the sample model, as a user who opens each dialog and
// presses "导出" runs it: every box ticked (but those of the drawings not built yet), every
// item at "全部"; the 2-D dialog for every storey, the 3-D dialog by storeys. The files go below <out>/export-full; the list of each
// run against its count, with ezdxf's audit of every file, goes to export-full.txt, and one
// displacement, one envelope and one reaction drawing are rendered to PNG.
#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/drawing/DlgDrawResult2D.h>
#include <vyr/drawing/DlgDrawResult3D.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/DrawResultRes.h>
#include <vyr/scripteduser.h>
#include "hostkit/HostKit.h"

#include "DemoSupport.h"
#include "demos.h"

namespace fs = std::filesystem;
using vyr::ScriptedUser;

namespace
{
// The default run: the dialog opens with every box ticked at "全部"; only the scope kind is
// chosen (3-D), and the count the dialog gave goes to count.
void ScriptDefaultRun(int scopeKind, int& count)
{
    if (scopeKind >= 0)
        ScriptedUser::SelectRow(IDC_DRAW_SCOPEKIND, scopeKind);
    ScriptExportAndWait(count);
}
} // namespace

int RunEnvelopeExportDemo(const std::string& outDir)
{
    int failures = 0;
    const CDemoUser user(failures);
    const fs::path out = fs::absolute(outDir);
    const fs::path project = FreshProject(out, "export-full");

    vyrhost::CHostKit host(900, 700);
    CGlobalData& data = host.GlobalData();
    BuildSampleModel(data);
    FillSampleResults(data);
    data.ProjectPath() = project.string().c_str();

    std::ofstream list(out / "export-full.txt");
    auto report = [&](const char* what, int count, const std::vector<fs::path>& files) {
        const std::array<int, 3> a = ReadBackDxf(files, out / "export-full-files.tmp", "len(d.modelspace())");
        list << what << ": GetOutputNum " << count << ", files written " << files.size() << ", read back by ezdxf "
             << a[0] << " with " << a[1] << " audit errors and " << a[2] << " entities\n";
        std::printf("export-full: %s, %d counted, %zu written, %d audit errors\n", what, count, files.size(), a[1]);
        failures += count == (int)files.size() && a[1] == 0 ? 0 : 1;
        for (const fs::path& f : files)
            list << "  " << fs::relative(f, project).string() << "\n";
    };

    int count2D = -1;
    ScriptDefaultRun(-1, count2D);
    CDlgDrawResult2D dlg2(&data, &host);
    dlg2.DoModal();
    const std::vector<fs::path> files2D = ExportDemoFiles(project);
    report("2-D, every storey", count2D, files2D);

    int count3D = -1;
    ScriptDefaultRun(CDlgDrawResult3D::CONTENT_STOREY, count3D);
    CDlgDrawResult3D dlg3(&data, &host);
    dlg3.DoModal();
    std::vector<fs::path> files3D;
    for (const fs::path& f : ExportDemoFiles(project))
        if (std::find(files2D.begin(), files2D.end(), f) == files2D.end())
            files3D.push_back(f);
    report("3-D, by storeys", count3D, files3D);
    list.close();

    // One drawing of each kind rendered by ezdxf's drawing command.
    auto find = [&](const std::string& tail) {
        for (const fs::path& f : files3D)
            if (f.string().size() >= tail.size() && f.string().compare(f.string().size() - tail.size(), tail.size(), tail) == 0)
                return f;
        return fs::path();
    };
    const std::pair<std::string, const char*> renders[] = {
        {"第1层(3600)/空间位移-基本工况/空间位移-恒载.dxf", "displacement.png"},
        {"第1层(3600)/杆件内力-基本组合包络/杆件内力-包络-M3.dxf", "envelope.png"},
        {"基础(0)/支座反力/支座反力-1.2D+1.4L.dxf", "reaction.png"},
    };
    for (const auto& [tail, name] : renders)
        failures += RenderDxf(find(tail), out / name) ? 0 : 1;
    return failures;
}

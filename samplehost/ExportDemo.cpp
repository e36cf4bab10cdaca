// The drawing export as a host runs it: the 2-D dialog exports the model drawing of every
// storey, the 3-D dialog that of the whole structure, both below the sample project folder
// <out>/export. The files written are listed against the count each dialog gave for its
// run, each read back with ezdxf (export-files.txt), and two are rendered to PNG with
// ezdxf's drawing command (export-structure.png, export-storey.png).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
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

// Only the model drawing ticked, the run started, its closing message taken, the dialog
// closed once the run is over; the count the dialog gave for the run goes to count.
void ScriptModelDrawingRun(int& count, int scopeKind)
{
    ScriptedUser::Click(IDC_DRAW_UNSELALL);
    ScriptedUser::Check(IDC_DRAW_MODEL);
    if (scopeKind >= 0)
        ScriptedUser::SelectRow(IDC_DRAW_SCOPEKIND, scopeKind);
    ScriptedUser::Run([&count](CDialog* d) { count = static_cast<CDlgDrawResult*>(d)->GetOutputNum(); });
    ScriptedUser::Click(IDC_DRAW_EXPORT);
    ScriptedUser::AnswerMessageBox(IDOK, "导出完毕");
    ScriptedUser::WaitUntil([](CDialog* d) { return !static_cast<CDlgDrawResult*>(d)->IsBusy(); });
    ScriptedUser::PressCancel();
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
} // namespace

int RunExportDemo(const std::string& outDir)
{
    int failures = 0;
    const CDemoUser user(failures);
    const fs::path out = fs::absolute(outDir);
    const fs::path project = out / "export";
    std::error_code ec;
    fs::remove_all(project, ec);
    fs::create_directories(project);

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
    ScriptModelDrawingRun(count2D, -1);
    CDlgDrawResult2D dlg2(&data, &host);
    dlg2.DoModal();
    std::vector<fs::path> files2D = ExportDemoFiles(project);
    report("2-D, the model drawing of every storey", count2D, files2D);

    int count3D = -1;
    ScriptModelDrawingRun(count3D, CDlgDrawResult3D::CONTENT_WHOLE);
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
    for (const auto& [dxf, png] : {std::pair{whole, out / "export-structure.png"}, std::pair{storey, out / "export-storey.png"}}) {
        fs::remove(png, ec);
        ExportDemoRun("/usr/bin/python3 -m ezdxf draw -o '" + png.string() + "' '" + dxf.string() + "'");
        if (!fs::exists(png))
            std::printf("export: %s not rendered (python3-ezdxf and python3-matplotlib render it)\n",
                        png.filename().string().c_str());
    }
    return failures;
}

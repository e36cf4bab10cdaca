// The model information, load, design property and design result drawings of the sample
// model after its check run, as a user who ticks only those boxes runs them: the 2-D dialog
// for every storey, the 3-D dialog for the whole structure. The files go below
// <out>/export-design; their list against each run's count, with ezdxf's audit, goes to
// export-design-files.txt, and one drawing of each kind is rendered to PNG.
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
const int kDesignBoxes[] = {IDC_DRAW_NODE, IDC_DRAW_BEAM,       IDC_DRAW_BCINWALL,   IDC_DRAW_PLANE,
                            IDC_DRAW_MAINNODE, IDC_DRAW_LOAD, IDC_DRAW_DESIGNPROP, IDC_DRAW_DESIGNRESULT};

// A run with only the boxes of these drawings ticked, every item at "全部"; the count the
// dialog gave goes to count.
void ScriptDesignRun(int& count)
{
    ScriptedUser::Click(IDC_DRAW_UNSELALL);
    for (int box : kDesignBoxes)
        ScriptedUser::Check(box);
    ScriptExportAndWait(count);
}
} // namespace

int RunDesignExportDemo(const std::string& outDir)
{
    int failures = 0;
    const CDemoUser user(failures);
    const fs::path out = fs::absolute(outDir);
    const fs::path project = FreshProject(out, "export-design");

    vyrhost::CHostKit host(900, 700);
    CGlobalData& data = host.GlobalData();
    BuildSampleModel(data);
    FillSampleResults(data);
    // The check run's results: every member's and node's prepared answer kept.
    CStruct* st = data.Struct();
    for (POSITION pos = st->m_pBeamList->GetHeadPosition(); pos != nullptr;)
        st->m_pBeamList->GetNextT(pos)->Check();
    for (POSITION pos = st->m_pNodeList->GetHeadPosition(); pos != nullptr;)
        st->m_pNodeList->GetNextT(pos)->Check();
    data.ProjectPath() = project.string().c_str();
    CHECK_LIMIT limits;
    limits.CapacityLimit = 0.8f; // the strongest members of the sample fail at this limit

    std::ofstream list(out / "export-design-files.txt");
    auto report = [&](const char* what, int count, const std::vector<fs::path>& files) {
        const auto [n, errors, texts] = ReadBackDxf(files, out / "export-design-files.tmp", "len(d.modelspace().query(\"TEXT\"))");
        list << what << ": GetOutputNum " << count << ", files written " << files.size() << ", read back by ezdxf " << n
             << " with " << errors << " audit errors and " << texts << " texts\n";
        std::printf("export-design: %s, %d counted, %zu written, %d audit errors, %d texts\n", what, count, files.size(),
                    errors, texts);
        failures += count == (int)files.size() && n == count && errors == 0 ? 0 : 1;
        for (const fs::path& f : files)
            list << "  " << fs::relative(f, project).string() << "\n";
    };

    int count2D = -1;
    ScriptDesignRun(count2D);
    CDlgDrawResult2D dlg2(&data, &host);
    dlg2.m_pCheckLimit = &limits;
    dlg2.DoModal();
    const std::vector<fs::path> files2D = ExportDemoFiles(project);
    report("2-D, every storey", count2D, files2D);

    int count3D = -1;
    ScriptDesignRun(count3D);
    CDlgDrawResult3D dlg3(&data, &host);
    dlg3.m_pCheckLimit = &limits;
    dlg3.DoModal();
    std::vector<fs::path> files3D;
    for (const fs::path& f : ExportDemoFiles(project))
        if (std::find(files2D.begin(), files2D.end(), f) == files2D.end())
            files3D.push_back(f);
    report("3-D, whole structure", count3D, files3D);
    list.close();

    // One drawing of each kind rendered by ezdxf's drawing command: the first storey's plan.
    const fs::path storey = project / "二维简图-第1层(3600)";
    const std::pair<fs::path, const char*> renders[] = {
        {storey / "设计属性与结果" / "构件验算结论.dxf", "design-result.png"},
        {storey / "设计属性与结果" / "设计类型.dxf", "design-property.png"},
        {storey / "荷载布置" / "恒载.dxf", "loads.png"},
        {storey / "杆件信息" / "编号、截面与调头翻转.dxf", "model-info.png"},
    };
    for (const auto& [dxf, name] : renders)
        failures += RenderDxf(dxf, out / name) ? 0 : 1;
    return failures;
}

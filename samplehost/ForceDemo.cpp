// The internal-force diagrams and the member force query as a host runs them: both export
// dialogs draw the forces of the first fundamental combination, the 2-D one for every
// storey, the 3-D one for the whole structure, below <out>/force-diagrams; one drawing is
// rendered by ezdxf (force-diagram.png). Then the force-detail key opens the query on one
// beam, whose paint is saved by combination and as the envelope (force-query-1.png,
// force-query-2.png).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
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

namespace {

// The fundamental combination box alone, its first combination, the run to its end.
void ScriptForceRun(int scopeKind, int& count)
{
    ScriptedUser::Click(IDC_DRAW_UNSELALL);
    ScriptedUser::Check(IDC_DRAW_BF_LC);
    ScriptedUser::SelectRow(IDC_DRAW_BF_LC_ITEM, 1);
    if (scopeKind >= 0)
        ScriptedUser::SelectRow(IDC_DRAW_SCOPEKIND, scopeKind);
    ScriptedUser::Run([&count](CDialog* d) { count = static_cast<CDlgDrawResult*>(d)->GetOutputNum(); });
    ScriptedUser::Click(IDC_DRAW_EXPORT);
    ScriptedUser::AnswerMessageBox(IDOK, "导出完毕");
    ScriptedUser::WaitUntil([](CDialog* d) { return !static_cast<CDlgDrawResult*>(d)->IsBusy(); });
    ScriptedUser::PressCancel();
}

size_t CountFiles(const fs::path& dir)
{
    size_t n = 0;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(dir, ec); it != fs::recursive_directory_iterator(); ++it)
        n += it->is_regular_file() ? 1 : 0;
    return n;
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

int RunForceDemo(const std::string& outDir)
{
    int failures = 0;
    const CDemoUser user(failures);
    const fs::path out = fs::absolute(outDir);
    const fs::path project = out / "force-diagrams";
    std::error_code ec;
    fs::remove_all(project, ec);
    fs::create_directories(project);

    vyrhost::CHostKit host(900, 700);
    CGlobalData& data = host.GlobalData();
    BuildSampleModel(data);
    data.ProjectPath() = project.string().c_str();
    data.ProgramType() = 1;

    int count2D = -1, count3D = -1;
    ScriptForceRun(-1, count2D);
    CDlgDrawResult2D dlg2(&data, &host);
    dlg2.DoModal();
    const size_t files2D = CountFiles(project);
    ScriptForceRun(CDlgDrawResult3D::CONTENT_WHOLE, count3D);
    CDlgDrawResult3D dlg3(&data, &host);
    dlg3.DoModal();
    const size_t files3D = CountFiles(project) - files2D;
    std::printf("force diagrams: 2-D %d counted, %zu written; 3-D %d counted, %zu written\n", count2D, files2D, count3D,
                files3D);
    failures += (int)files2D == count2D && (int)files3D == count3D ? 0 : 1;

    const CString lc = CDlgDrawResult::FolderName(data.GetSLCList()->Get(1)->GetDescription());
    const fs::path dxf = project / "二维简图-第1层(3600)" / "杆件内力-基本组合工况" / (std::string("杆件内力-") + lc.str() + "-M3.dxf");
    const fs::path png = out / "force-diagram.png";
    fs::remove(png, ec);
    const std::string draw = "/usr/bin/python3 -m ezdxf draw -o '" + png.string() + "' '" + dxf.string() + "' >/dev/null 2>&1";
    if (std::system(draw.c_str()) != 0 || !fs::exists(png))
        std::printf("force-diagram.png not rendered (python3-ezdxf and python3-matplotlib render it)\n");

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

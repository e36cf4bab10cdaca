// The member force, node displacement and statistics reports as a host opens them: through
// their property keys on a selection of the sample model (the members and nodes of the
// first storey), every table ticked; the statistics with its costs after one unit price was
// set in the price dialog. Each saved as RTF (member-forces.rtf, node-disp.rtf,
// statistics.rtf).
#include <cstdio>
#include <filesystem>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/model/grid/gridctrl.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/PropKeyRegistry.h>
#include <vyr/resources/dialogs/ForceDispRes.h>
#include <vyr/resources/dialogs/ReportRes.h>
#include <vyr/scripteduser.h>
#include "hostkit/HostKit.h"

#include "DemoSupport.h"
#include "demos.h"

using vyr::ScriptedUser;

namespace {

// Saves the open report as RTF at the path and closes it; the key runs the steps queued
// before. True when the file was written.
bool SaveThroughKey(const char* key, UINT idd, void* objects, CGlobalData& data, const std::string& path)
{
    ScriptedUser::Click(IDC_REPORT_RTF, idd);
    ScriptedUser::AnswerFileDialog(path.c_str());
    ScriptedUser::Click(IDOK, idd);
    vyrkeys::Run(key, objects, &data);
    const bool saved = std::filesystem::exists(path) && std::filesystem::file_size(path) > 0;
    std::printf("%s %s: %s\n", key, saved ? "written" : "FAILED", path.c_str());
    return saved;
}

} // namespace

int RunForceDispReportsDemo(const std::string& outDir)
{
    int failures = 0;
    const CDemoUser user(failures);
    std::filesystem::create_directories(outDir);

    vyrhost::CHostKit host(900, 700);
    CGlobalData& data = host.GlobalData();
    BuildSampleModel(data);
    FillSampleResults(data);
    data.ProgramType() = 1; // the reports are keys of the design program
    CStruct* st = data.Struct();

    // The selection: the members whose both ends stand no higher than the first storey,
    // and the nodes at its top.
    CBeamList members;
    CPNodeList nodes;
    for (POSITION pos = st->m_pBeamList->GetHeadPosition(); pos != nullptr;) {
        CBeamBase* b = st->m_pBeamList->GetNextT(pos);
        if (b->GetNode1()->m_pt.z <= 360.0 && b->GetNode2()->m_pt.z <= 360.0) {
            b->SetSelect(1);
            members.AddTail(b);
        }
    }
    for (POSITION pos = st->m_pNodeList->GetHeadPosition(); pos != nullptr;)
        if (CPNode* n = st->m_pNodeList->GetNextT(pos); n->m_pt.z == 360.0)
            nodes.AddTail(n);
    std::printf("force and displacement reports: %d members, %d nodes, %d fundamental and %d standard combinations\n",
                (int)members.GetCount(), (int)nodes.GetCount(), (int)data.GetSLCList()->GetCount(),
                (int)data.GetSDispLCList()->GetCount());

    const std::filesystem::path out(outDir);
    for (int id : {IDC_RESULT_COMB, IDC_RESULT_COMBENV, IDC_RESULT_STD, IDC_RESULT_STDENV})
        ScriptedUser::Check(id, BST_CHECKED, IDD_BEAMFORCE);
    failures += SaveThroughKey("Prop.BeamOutputForce", IDD_BEAMFORCE, &members, data,
                               (out / "member-forces.rtf").string()) ? 0 : 1;

    ScriptedUser::Check(IDC_RESULT_CASE, BST_CHECKED, IDD_NODEDISP);
    ScriptedUser::Check(IDC_RESULT_STD, BST_CHECKED, IDD_NODEDISP);
    failures += SaveThroughKey("Prop.NodeOutputDisp", IDD_NODEDISP, &nodes, data,
                               (out / "node-disp.rtf").string()) ? 0 : 1;

    // Costs ticked; the first kind's rolled steel set to 5600 per tonne in the price grid.
    ScriptedUser::Check(IDC_STAT_COST, BST_CHECKED, IDD_STATISTIC);
    ScriptedUser::Click(IDC_STAT_PRICE, IDD_STATISTIC);
    ScriptedUser::Run(
        [](CDialog* d) {
            auto* grid = dynamic_cast<CGridCtrl*>(d->GetDlgItem(IDC_UNITPRICE_GRID));
            if (grid && grid->EditCell(1, 1))
                if (CWnd* editor = grid->GetDlgItem(IDC_INPLACE_CONTROL)) {
                    editor->SetWindowText("5600");
                    editor->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
                }
        },
        IDD_UNITPRICE);
    ScriptedUser::PressOK(IDD_UNITPRICE);
    failures += SaveThroughKey("Prop.BeamOutputStatistic", IDD_STATISTIC, &members, data,
                               (out / "statistics.rtf").string()) ? 0 : 1;
    if (!st->m_arrUnitPrice.empty())
        std::printf("statistics: %d member groups, %d price kinds, first kind %s at %.0f per tonne\n",
                    (int)st->m_pBeamGroupList->GetCount(), (int)st->m_arrUnitPrice.size(),
                    st->m_arrUnitPrice[0].GetDiscription().GetString(), (double)st->m_arrUnitPrice[0].GetCost());
    members.RemoveAll();
    nodes.RemoveAll();
    return failures;
}

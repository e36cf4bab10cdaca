// The node result reports as a host opens them: the support reactions and the node checks
// through their property keys on every node of the sample model after its nodes were
// checked; the reactions with both combination tables ticked. Each saved as RTF
// (reactions.rtf, node-check.rtf).
#include <cstdio>
#include <filesystem>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/PropKeyRegistry.h>
#include <vyr/resources/dialogs/NodeResultRes.h>
#include <vyr/resources/dialogs/ReportRes.h>
#include <vyr/scripteduser.h>
#include "hostkit/HostKit.h"

#include "DemoSupport.h"
#include "demos.h"

using vyr::ScriptedUser;

int RunNodeReportsDemo(const std::string& outDir)
{
    int failures = 0;
    const CDemoUser user(failures);
    std::filesystem::create_directories(outDir);

    vyrhost::CHostKit host(900, 700);
    CGlobalData& data = host.GlobalData();
    BuildSampleModel(data);
    FillSampleResults(data);
    data.ProgramType() = 1; // the reports are keys of the design program
    CPNodeList* nodes = data.Struct()->m_pNodeList;
    int supported = 0;
    for (POSITION pos = nodes->GetHeadPosition(); pos != nullptr;) {
        CPNode* n = nodes->GetNextT(pos);
        n->Check();
        supported += n->GetSupport() ? 1 : 0;
    }
    std::printf("node reports: %d nodes, %d on supports, %d fundamental combinations\n", (int)nodes->GetCount(),
                supported, (int)data.GetSLCList()->GetCount());

    const std::filesystem::path out(outDir);
    ScriptedUser::Check(IDC_NODEFORCE_STANDARD, BST_CHECKED, IDD_NODEFORCE);
    ScriptedUser::Check(IDC_NODEFORCE_BASIC, BST_CHECKED, IDD_NODEFORCE);
    failures += SaveReportThroughKey("Prop.NodeOutputForce", IDD_NODEFORCE, nodes, data,
                               (out / "reactions.rtf").string()) ? 0 : 1;
    failures += SaveReportThroughKey("Prop.NodeOutputCheck", IDD_NODECHECK, nodes, data,
                               (out / "node-check.rtf").string()) ? 0 : 1;
    return failures;
}

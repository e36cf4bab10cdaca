// The property dialog and the query dialog as the host hands them out: a double click on a
// member opens its properties, one value is typed in; then the query dialog finds the
// members of that member's section and makes them the selection (B = A). The counts are
// printed and both dialogs saved as dlgprop.png and dlgquery.png.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/host/DlgProp.h>
#include <vyr/host/DlgPropQuery.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/model/section/SectionBase.h>
#include <vyr/model/struct/structure.h>
#include <vyr/operators/OPManager.h>
#include <vyr/resources/dialogs/PropRes.h>
#include <vyr/scripteduser.h>
#include "demos.h"
#include "hostkit/HostKit.h"

namespace {

using vyr::ScriptedUser;

bool SaveWindow(CWnd* w, const std::string& outDir, const char* name)
{
    const std::string path = (std::filesystem::path(outDir) / name).string();
    auto img = vyr::RenderWindow(w->GetSafeHwnd());
    const bool saved = img && vyr::WritePng(path, *img);
    std::printf("%s %s: %s\n", name, saved ? "written" : "FAILED", path.c_str());
    return saved;
}

} // namespace

int RunPropDlgDemo(const std::string& outDir)
{
    std::filesystem::create_directories(outDir);
    vyrhost::CHostKit host(1000, 800);
    host.MoveWindow(60, 40, 1200, 900);
    CGlobalData& model = host.GlobalData();
    BuildSampleModel(model);
    host.ShowWholeModel();
    CDlgProp propDlg(&host);
    CDlgPropQuery queryDlg(&host);
    host.m_pPropDlg = &propDlg;
    host.m_pQueryDlg = &queryDlg;

    // The middle of the first member that shows as a line of some length.
    COPManager& manager = host.OPManager();
    manager.SetOP(CString("OP.SelectBeam"));
    const CViewXform& xf = model.GetViewXform();
    CBeamList& beams = *model.Struct()->m_pBeamList;
    CPoint at;
    for (int i = 1; i <= (int)beams.GetCount(); ++i) {
        CBeamBase* b = beams.Get(i);
        const CPoint2D p1 = xf.ToScreen(b->GetNode1()->GetPt()), p2 = xf.ToScreen(b->GetNode2()->GetPt());
        if (std::hypot(p2.x - p1.x, p2.y - p1.y) >= 40) {
            at = CPoint((int)std::lround((p1.x + p2.x) / 2), (int)std::lround((p1.y + p2.y) / 2));
            break;
        }
    }

    bool ok = true;
    ScriptedUser::Reset();
    ScriptedUser::PropExpand(IDC_DLGPROP_GRID, "基本信息", true, IDD_DLGPROP);
    ScriptedUser::PropExpand(IDC_DLGPROP_GRID, "设计参数", true, IDD_DLGPROP);
    ScriptedUser::PropSetValue(IDC_DLGPROP_GRID, "恒载挠度限值", "400", IDD_DLGPROP);
    ScriptedUser::Run([&](CDialog* d) { ok = SaveWindow(d, outDir, "dlgprop.png") && ok; }, IDD_DLGPROP);
    ScriptedUser::PressOK(IDD_DLGPROP);
    manager.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, at, 0);
    manager.MouseAction(OPMOUSE_LUP, 0, at, 0);
    manager.MouseAction(OPMOUSE_LDBLCLK, MK_LBUTTON, at, 0);
    auto* member = static_cast<CBeamBase*>(propDlg.m_pObject);
    if (member == nullptr) {
        std::printf("property dialog: no member opened\n");
        return 1;
    }
    std::printf("property dialog: member %d opened by a double click, dead-load deflection limit now 1/%d\n",
                member->GetNo(), member->GetDLLimit());
    ok = ok && member->GetDLLimit() == 400;

    // The members of the opened member's section, made the selection.
    const CString section = member->GetSection() ? member->GetSection()->GetSimpleSecName() : CString("未布截面");
    int sameSection = 0;
    for (int i = 1; i <= (int)beams.GetCount(); ++i)
        sameSection += beams.Get(i)->GetSection() == member->GetSection() ? 1 : 0;
    ScriptedUser::PropExpand(IDC_QUERY_BEAMPROPS, "基本信息", true, IDD_DLGPROPQUERY);
    ScriptedUser::PropSetValue(IDC_QUERY_BEAMPROPS, "截面", section.GetString(), IDD_DLGPROPQUERY);
    ScriptedUser::Click(IDC_QUERY_RUN, IDD_DLGPROPQUERY);
    ScriptedUser::AnswerMessageBox(IDOK, "查询完毕，结果列于下表中！");
    ScriptedUser::Click(IDC_QUERY_OP1, IDD_DLGPROPQUERY);
    int found = 0;
    ScriptedUser::Run(
        [&](CDialog* d) {
            auto* q = static_cast<CDlgPropQuery*>(d);
            found = (int)q->m_ResultBeamList.GetCount();
            std::printf("query dialog: members of section %s: %d found, %d selected\n", section.GetString(), found,
                        (int)model.SelectBeamList().GetCount());
            for (int r = 1; r < q->m_gridResult.GetRowCount(); ++r)
                std::printf("  %-8s A %-6s B %s\n", q->m_gridResult.GetItemText(r, 0).GetString(),
                            q->m_gridResult.GetItemText(r, 1).GetString(), q->m_gridSel.GetItemText(r, 1).GetString());
            ok = SaveWindow(d, outDir, "dlgquery.png") && ok;
        },
        IDD_DLGPROPQUERY);
    ScriptedUser::PressOK(IDD_DLGPROPQUERY);
    queryDlg.SetParam(&model, 1);
    queryDlg.DoModal();
    ok = ok && ScriptedUser::PendingSteps() == 0 && found == sameSection &&
         (int)model.SelectBeamList().GetCount() == sameSection;
    host.m_pPropDlg = nullptr;
    host.m_pQueryDlg = nullptr;
    return ok ? 0 : 1;
}

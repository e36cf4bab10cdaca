// Named selection sets, the member-type filter and the option dialogs, driven through a
// scripted user as a person would: a window selection stored as a new set, the selection
// cleared and brought back from the set; the type filter with "全不选" and two boxes; the
// auto-save options with a refused interval; the result display options with a colour.
// What the dialogs produced goes to selsets.txt.
#include <cstdio>
#include <fstream>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/host/DlgOption.h>
#include <vyr/host/DlgResultOption.h>
#include <vyr/host/DlgSelectType.h>
#include <vyr/host/DlgSelects.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/model/grid/gridctrl.h>
#include <vyr/model/struct/structure.h>
#include <vyr/operators/OPManager.h>
#include <vyr/resources/dialogs/OptionRes.h>
#include <vyr/resources/dialogs/SelectTypeRes.h>
#include <vyr/resources/dialogs/SelectsRes.h>
#include <vyr/scripteduser.h>
#include "hostkit/HostKit.h"

#include "DemoSupport.h"
#include "demos.h"

using vyr::ScriptedUser;

namespace {

std::string Members(CBeamList& list)
{
    std::string text = std::to_string(list.GetCount()) + " members:";
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        CBeamBase* b = list.GetNextT(pos);
        text += " " + b->GetTypeDescription().str() + std::to_string(b->GetNo());
    }
    return text + "\n";
}

// A click on a row of the set list.
void ClickSetRow(int row)
{
    ScriptedUser::Run(
        [row](CDialog* dlg) {
            CGridCtrl* grid = static_cast<CGridCtrl*>(dlg->GetDlgItem(IDC_SELECTS_GRID));
            CRect rc;
            grid->GetCellRect(row, 0, &rc);
            const CPoint p = rc.CenterPoint();
            grid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
            grid->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        },
        IDD_SELECTS);
}

} // namespace

int RunSelSetsDemo(const std::string& outDir)
{
    int failures = 0;
    const CDemoUser user(failures);
    vyrhost::CHostKit host(1000, 800);
    CGlobalData& model = host.GlobalData();
    BuildSampleModel(model);
    host.ShowWholeModel();
    std::string report;

    // A window over the left half of the plan.
    SelectLeftHalfByWindow(host);
    const std::string window = Members(model.SelectBeamList());
    report += "Window selection (B): " + window;

    // A new set filled with "A = B".
    std::string comment;
    ScriptedUser::Click(IDC_SELECTS_NEW, IDD_SELECTS);
    ScriptedUser::PressOK(IDD_SELECTSONE);
    ScriptedUser::Click(IDC_SELECTS_OP5, IDD_SELECTS);
    ScriptedUser::AnswerMessageBox(IDOK, "操作完成！");
    ScriptedUser::Run(
        [&comment](CDialog* dlg) {
            CString s;
            dlg->GetDlgItemText(IDC_SELECTS_COMMENT, s);
            comment = s.str();
        },
        IDD_SELECTS);
    ScriptedUser::PressOK(IDD_SELECTS);
    CDlgSelects sets(&host);
    sets.m_pData = &model;
    sets.DoModal();
    CIDss& stored = model.Struct()->m_SelectSets;
    report += "Stored set: " + (stored.GetCount() > 0 ? stored.GetIDs(0).GetName().str() : std::string("(none)")) +
              ", " + comment + "\n";

    // The selection cleared, then brought back from the set by a double click.
    host.OPManager().KeyDown(VK_ESCAPE, 1, 0);
    report += "After clearing: " + Members(model.SelectBeamList());
    host.ClearMessages();
    ClickSetRow(1);
    ScriptedUser::Run(
        [](CDialog* dlg) {
            CGridCtrl* grid = static_cast<CGridCtrl*>(dlg->GetDlgItem(IDC_SELECTS_GRID));
            CRect rc;
            grid->GetCellRect(1, 0, &rc);
            const CPoint p = rc.CenterPoint();
            grid->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
            grid->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        },
        IDD_SELECTS);
    ScriptedUser::PressOK(IDD_SELECTS);
    sets.DoModal(); // the same object reopens where it was closed
    const std::string restored = Members(model.SelectBeamList());
    report += "Restored from the set (B = A): " + restored;
    const auto panels = host.Messages(WM_UI_SHOWPANEL);
    report += "Host told: redraw " + std::to_string(host.Count(WM_UI_REDRAW)) + ", panel " +
              (panels.empty() ? std::string() : panels.back().text) + "\n";
    const bool sameSelection = restored == window && model.SelectBeamList().GetCount() > 0;
    std::printf("selection sets: %d members stored and restored%s\n", (int)model.SelectBeamList().GetCount(),
                sameSelection ? "" : " (DIFFERENT)");

    // The member-type filter: everything off, then beams and secondary beams on.
    ScriptedUser::Click(IDC_SELTYPE_NONE, IDD_SELECTTYPE);
    ScriptedUser::Check(IDC_SELTYPE_BEAM, BST_CHECKED, IDD_SELECTTYPE);
    ScriptedUser::Check(IDC_SELTYPE_SUBBEAM, BST_CHECKED, IDD_SELECTTYPE);
    ScriptedUser::PressOK(IDD_SELECTTYPE);
    CDlgSelectType types(&host);
    types.m_bColumn = types.m_bBrace = 1;
    types.DoModal();
    char line[200];
    std::snprintf(line, sizeof line,
                  "Type filter: 梁 %d 支撑 %d 只拉杆 %d 柱 %d 次梁 %d 下弦杆 %d 斜杆 %d 上弦杆 %d 竖杆 %d 抗风柱 %d 吊车梁 %d\n",
                  types.m_bBeam, types.m_bBrace, types.m_bTensionOnly, types.m_bColumn, types.m_bSubBeam,
                  types.m_bBottomChord, types.m_bDiagonal, types.m_bTopChord, types.m_bVertical, types.m_bWindColumn,
                  types.m_bCraneBeam);
    report += line;

    // Auto-save: an interval of 0 is refused, 15 minutes and 5 files are taken.
    ScriptedUser::SetText(IDC_OPTION_MINUTES, "0", IDD_OPTION);
    ScriptedUser::PressOK(IDD_OPTION);
    ScriptedUser::AnswerMessageBox(IDOK, "自动存盘时间间隔必须大于0！");
    ScriptedUser::SetText(IDC_OPTION_MINUTES, "15", IDD_OPTION);
    ScriptedUser::SetText(IDC_OPTION_FILES, "5", IDD_OPTION);
    ScriptedUser::PressOK(IDD_OPTION);
    CDlgOption options(&host);
    options.DoModal();
    std::snprintf(line, sizeof line, "Options: auto-save %d, every %d minutes, %d files\n",
                  options.m_option.m_nAutoSave, options.m_option.m_nMinutes, options.m_option.m_nFiles);
    report += line;

    // Result display: a blue label colour, end values shown, a displacement scale of 50.
    ScriptedUser::Click(IDC_RESOPT_COLOR, IDD_RESULTOPTION);
    ScriptedUser::AnswerColorDialog(RGB(0, 0, 255));
    ScriptedUser::Check(IDC_RESOPT_ENDVALUE, BST_CHECKED, IDD_RESULTOPTION);
    ScriptedUser::SetText(IDC_RESOPT_DISPSCALE, "50", IDD_RESULTOPTION);
    ScriptedUser::PressOK(IDD_RESULTOPTION);
    CDlgResultOption results(&host);
    results.m_fForceScale = 1.0f;
    results.m_clrLabel = RGB(255, 0, 0);
    results.DoModal();
    std::snprintf(line, sizeof line,
                  "Result display: structure %d, displacement scale %g, force scale %g, automatic %d, end values %d, "
                  "label colour RGB(%d, %d, %d)\n",
                  results.m_bShowStruct, results.m_fDispScale, results.m_fForceScale, results.m_bAutoScale,
                  results.m_bShowEndValue, GetRValue(results.m_clrLabel), GetGValue(results.m_clrLabel),
                  GetBValue(results.m_clrLabel));
    report += line;

    const std::string path = outDir + "/selsets.txt";
    std::ofstream(path) << report;
    std::printf("selection sets and options: %s\n", path.c_str());
    const bool ok = failures == 0 && sameSelection && ScriptedUser::PendingSteps() == 0;
    ScriptedUser::Reset();
    return ok ? 0 : 1;
}

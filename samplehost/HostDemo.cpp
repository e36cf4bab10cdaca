// The sample host as the library's host: the host kit answers the protocol while a member
// is picked and a dialog that remembers its place opens twice; the calculation-report head
// is written as RTF and as text; the messages the host received are printed in order.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/protocol/DlgRecordPos.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/protocol/ReportHead.h>
#include <vyr/model/output/output.h>
#include <vyr/model/struct/structure.h>
#include <vyr/operators/OPManager.h>
#include <vyr/resources/dialogs/SnapRes.h>
#include <vyr/scripteduser.h>
#include "hostkit/HostKit.h"

namespace {

bool WriteHead(const std::string& outDir, const char* name, DEVICE_TYPE device)
{
    const std::string path = (std::filesystem::path(outDir) / name).string();
    bool ok = false;
    {
        COutput out;
        ok = out.InitDevice(device, CString(path.c_str()), 1);
        if (ok) {
            out << title(1) << title << "示例工程" << "计算书" << endl << title(0);
            OutputReportHead(&out);
        }
    }
    std::printf("report head %s: %s\n", ok ? "written" : "FAILED", path.c_str());
    return ok;
}

} // namespace

int RunHostDemo(const std::string& outDir)
{
    std::filesystem::create_directories(outDir);
    bool ok = WriteHead(outDir, "report-head.rtf", DEVICE_RTF);
    ok = WriteHead(outDir, "report-head.txt", DEVICE_TEXT) && ok;

    vyrhost::CHostKit host(1000, 800);
    host.MoveWindow(60, 40, 1200, 900);
    CGlobalData& model = host.GlobalData();
    BuildSampleModel(model);
    host.ShowWholeModel();

    // A click on the middle of the first member that shows as a line picks it.
    COPManager& manager = host.OPManager();
    manager.SetOP(CString("OP.SelectBeam"));
    const CViewXform& xf = model.GetViewXform();
    CBeamList& beams = *model.Struct()->m_pBeamList;
    for (int i = 1; i <= (int)beams.GetCount(); ++i) {
        CBeamBase* b = beams.Get(i);
        const CPoint2D p1 = xf.ToScreen(b->GetNode1()->GetPt()), p2 = xf.ToScreen(b->GetNode2()->GetPt());
        if (std::hypot(p2.x - p1.x, p2.y - p1.y) < 20)
            continue;
        const CPoint mid((int)std::lround((p1.x + p2.x) / 2), (int)std::lround((p1.y + p2.y) / 2));
        manager.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, mid, 0);
        manager.MouseAction(OPMOUSE_LUP, 0, mid, 0);
        std::printf("clicked on %s%d: %d member(s) selected\n", b->GetTypeDescription().GetString(), b->GetNo(),
                    (int)model.SelectBeamList().GetCount());
        break;
    }

    // A dialog kept by the host: placed at the host's right edge first, then where the user
    // left it.
    CDlgRecordPos dlg(IDD_SNAPSETTING, &host);
    vyr::ScriptedUser::Reset();
    vyr::ScriptedUser::Run([](CDialog* d) {
        CRect rc;
        d->GetWindowRect(&rc);
        std::printf("dialog opened at (%ld, %ld)\n", (long)rc.left, (long)rc.top);
        d->MoveWindow(300, 200, rc.Width(), rc.Height());
    });
    vyr::ScriptedUser::PressOK();
    vyr::ScriptedUser::Run([](CDialog* d) {
        CRect rc;
        d->GetWindowRect(&rc);
        std::printf("dialog opened again at (%ld, %ld)\n", (long)rc.left, (long)rc.top);
    });
    vyr::ScriptedUser::PressCancel();
    dlg.DoModal();
    dlg.DoModal();
    ok = ok && vyr::ScriptedUser::PendingSteps() == 0 && dlg.m_nLeft == 300 && dlg.m_nTop == 200;

    std::printf("messages the host received:\n");
    for (const vyrhost::HostMessage& m : host.Messages()) {
        std::printf("  %-22s wParam %ld lParam %s%s\n", vyrhost::HostMessageName(m.message).c_str(), (long)m.wParam,
                    m.text.empty() ? std::to_string((long)m.lParam).c_str() : ("\"" + m.text + "\"").c_str(),
                    m.posted ? " (posted)" : "");
    }
    return ok ? 0 : 1;
}

#include "DemoSupport.h"

#include <cmath>
#include <cstdio>
#include <string>

#include <vyr/operators/OPManager.h>
#include <vyr/resources/dialogs/StdSectionRes.h>
#include <vyr/scripteduser.h>
#include "hostkit/HostKit.h"

using vyr::ScriptedUser;

CDemoUser::CDemoUser(int& failures)
{
    ScriptedUser::Reset();
    ScriptedUser::SetFailureHandler([&failures](const std::string& what) {
        std::printf("scripted user: %s\n", what.c_str());
        ++failures;
    });
}

CDemoUser::~CDemoUser() { ScriptedUser::SetFailureHandler(nullptr); }

void Drag(COPManager& manager, CPoint a, CPoint b)
{
    manager.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, a, 0);
    manager.MouseAction(OPMOUSE_LUP, 0, a, 0);
    manager.MouseAction(OPMOUSE_MOVE, 0, b, 0);
    manager.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, b, 0);
    manager.MouseAction(OPMOUSE_LUP, 0, b, 0);
}

void SelectLeftHalfByWindow(vyrhost::CHostKit& host)
{
    CGlobalData& model = host.GlobalData();
    COPManager& manager = host.OPManager();
    manager.SetOP(CString("OP.SelectBeam"));
    const CRect2D ext = model.GetBeamScreenRect(*model.Struct()->m_pBeamList);
    const CPoint a((int)std::floor(ext.left) - 20, (int)std::floor(ext.top) - 20);
    const CPoint b((int)std::lround((ext.left + ext.right) / 2.0), (int)std::ceil(ext.bottom) + 20);
    Drag(manager, a, b);
}

void ScriptStdSectionPick(const char* designation)
{
    const CString name(designation);
    ScriptedUser::Run(
        [name](CDialog* d) {
            CListCtrl* list = static_cast<CListCtrl*>(d->GetDlgItem(IDC_STDSEC_LIST));
            for (int i = 0; i < list->GetItemCount(); ++i)
                if (list->GetItemText(i, 0) == name) list->SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
        },
        IDD_STDSECTIONLIB);
    ScriptedUser::PressOK(IDD_STDSECTIONLIB);
}

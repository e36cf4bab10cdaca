#include <vyr/operators/DlgSnapSetting.h>

#include <vyr/operators/OPPt.h>
#include <vyr/operators/SnapManager.h>
#include <vyr/resources/dialogs/SnapRes.h>

namespace {
const int kBoxes[4] = {IDC_SNAP_ENDPT, IDC_SNAP_MIDPT, IDC_SNAP_PERPT, IDC_SNAP_FROM};
}

BEGIN_MESSAGE_MAP(CDlgSnapSetting, CDialog)
    ON_BN_CLICKED(IDC_SNAP_SETALL, &CDlgSnapSetting::OnSetAll)
    ON_BN_CLICKED(IDC_SNAP_UNSETALL, &CDlgSnapSetting::OnUnSetAll)
END_MESSAGE_MAP()

CDlgSnapSetting::CDlgSnapSetting(CWnd* pParent) : CDialog(IDD_SNAPSETTING, pParent) {}

BOOL CDlgSnapSetting::OnInitDialog()
{
    CDialog::OnInitDialog();
    CSnapManager* snap = COPPt::GetSnapManager();
    VYR_CHECK(snap != nullptr, "CDlgSnapSetting: the host has no snap manager");
    for (int k = 0; k < SNAP_KINDS; ++k)
        CheckDlgButton(kBoxes[k], snap->GetSnapOn(k) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_SNAP_FROM, snap->GetSnapFrom() ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void CDlgSnapSetting::OnOK()
{
    CSnapManager* snap = COPPt::GetSnapManager();
    VYR_CHECK(snap != nullptr, "CDlgSnapSetting: the host has no snap manager");
    for (int k = 0; k < SNAP_KINDS; ++k)
        snap->SetSnapOn(k, IsDlgButtonChecked(kBoxes[k]) == BST_CHECKED);
    snap->SetSnapFrom(IsDlgButtonChecked(IDC_SNAP_FROM) == BST_CHECKED);
    EndDialog(IDOK);
}

void CDlgSnapSetting::SetAll(bool check)
{
    for (int id : kBoxes)
        CheckDlgButton(id, check ? BST_CHECKED : BST_UNCHECKED);
}

void CDlgSnapSetting::OnSetAll() { SetAll(true); }

void CDlgSnapSetting::OnUnSetAll() { SetAll(false); }

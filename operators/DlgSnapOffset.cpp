#include <vyr/operators/DlgSnapOffset.h>

#include <vyr/model/geometry/geometry.h>
#include <vyr/resources/dialogs/SnapRes.h>

CDlgSnapOffset::CDlgSnapOffset(CWnd* pParent) : CDialog(IDD_SNAPOFFSET, pParent), m_strOffset("0, 0, 0") {}

void CDlgSnapOffset::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SNAP_OFFSET, m_strOffset);
}

void CDlgSnapOffset::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    // Only the form is checked here; the caller reads the text with its unit factor.
    CPoint3D pt;
    if (!pt.Parse(m_strOffset, 1.0)) {
        AfxMessageBox("请输入正确的坐标值！", MB_OK);
        if (CWnd* edit = GetDlgItem(IDC_SNAP_OFFSET))
            GotoDlgCtrl(edit);
        return;
    }
    EndDialog(IDOK);
}

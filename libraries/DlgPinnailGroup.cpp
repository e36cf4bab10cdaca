#include <vyr/libraries/DlgPinnailGroup.h>

#include <vyr/protocol/DlgRecordPos.h>
#include <vyr/resources/dialogs/StudRes.h>

CDlgPinnailGroup::CDlgPinnailGroup(CWnd* pParent) : CDlgPinnailBase(IDD_PINNAILGROUP, pParent, 1, 25) {}

void CDlgPinnailGroup::DoDataExchange(CDataExchange* pDX)
{
    CDlgPinnailBase::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PIN_SPACE, m_nSpace);
}

BOOL CDlgPinnailGroup::OnInitDialog()
{
    CDlgPinnailBase::OnInitDialog();
    OnCapacityMode();
    return TRUE;
}

void CDlgPinnailGroup::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    // The stud count divides the beam length by the spacing and multiplies by the rows.
    if (m_nSpace <= 0 || m_nRows <= 0) {
        AfxMessageBox("输入数据不合理!");
        VyrSelEdit(this, m_nSpace <= 0 ? IDC_PIN_SPACE : IDC_PIN_ROWS);
        return;
    }
    EndDialog(IDOK);
}

#include <vyr/libraries/DlgPinnailGroup.h>

#include <vyr/resources/dialogs/StudRes.h>

namespace {
const int kDiameters[5] = {13, 16, 19, 22, 25};

void SelEdit(CDialog* dlg, int id)
{
    dlg->SendDlgItemMessage(id, EM_SETSEL, 0, -1);
    dlg->SendDlgItemMessage(id, EM_SCROLLCARET, 0, 0);
    dlg->GetDlgItem(id)->SetFocus();
}
} // namespace

int CDlgPinnailGroup::DiameterOfIndex(int index, int fallback)
{
    return index >= 0 && index < 5 ? kDiameters[index] : fallback;
}

int CDlgPinnailGroup::IndexOfDiameter(int diameter)
{
    for (int i = 0; i < 5; ++i)
        if (kDiameters[i] == diameter)
            return i;
    return -1;
}

BEGIN_MESSAGE_MAP(CDlgPinnailGroup, CDialog)
    ON_BN_CLICKED(IDC_PIN_AUTO, &CDlgPinnailGroup::OnCapacityMode)
    ON_BN_CLICKED(IDC_PIN_USER, &CDlgPinnailGroup::OnCapacityMode)
END_MESSAGE_MAP()

CDlgPinnailGroup::CDlgPinnailGroup(CWnd* pParent) : CDialog(IDD_PINNAILGROUP, pParent) {}

void CDlgPinnailGroup::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_PIN_DIAMETER, m_nDiameter);
    DDX_Text(pDX, IDC_PIN_HEIGHT, m_nHeight);
    DDX_Text(pDX, IDC_PIN_SPACE, m_nSpace);
    DDX_Text(pDX, IDC_PIN_ROWS, m_nRows);
    DDX_CBIndex(pDX, IDC_PIN_MATERIAL, m_nMaterial);
    DDX_Radio(pDX, IDC_PIN_AUTO, m_nCapacityMode);
    DDX_Text(pDX, IDC_PIN_CAPACITY, m_fCapacity);
}

BOOL CDlgPinnailGroup::OnInitDialog()
{
    CDialog::OnInitDialog();
    OnCapacityMode();
    return TRUE;
}

void CDlgPinnailGroup::OnCapacityMode()
{
    if (!UpdateData(TRUE))
        return;
    GetDlgItem(IDC_PIN_CAPACITY)->EnableWindow(m_nCapacityMode == 1);
    UpdateData(FALSE);
}

void CDlgPinnailGroup::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    // The stud count divides the beam length by the spacing and multiplies by the rows.
    if (m_nSpace <= 0 || m_nRows <= 0) {
        AfxMessageBox("输入数据不合理!");
        SelEdit(this, m_nSpace <= 0 ? IDC_PIN_SPACE : IDC_PIN_ROWS);
        return;
    }
    EndDialog(IDOK);
}

#include <vyr/host/DlgOption.h>

#include <vyr/protocol/DlgRecordPos.h>
#include <vyr/resources/dialogs/OptionRes.h>

BEGIN_MESSAGE_MAP(CDlgOption, CDialog)
    ON_BN_CLICKED(IDC_OPTION_AUTOSAVE, &CDlgOption::OnCheckAutosave)
END_MESSAGE_MAP()

CDlgOption::CDlgOption(CWnd* pParent) : CDialog(IDD_OPTION, pParent) {}

void CDlgOption::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_OPTION_AUTOSAVE, m_bAutoSave);
    DDX_Text(pDX, IDC_OPTION_FILES, m_nFiles);
    DDX_Text(pDX, IDC_OPTION_MINUTES, m_nMinutes);
}

BOOL CDlgOption::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_bAutoSave = m_option.m_nAutoSave;
    m_nMinutes = m_option.m_nMinutes;
    m_nFiles = m_option.m_nFiles;
    UpdateData(FALSE);
    OnCheckAutosave();
    return TRUE;
}

void CDlgOption::OnCheckAutosave()
{
    BOOL on = IsDlgButtonChecked(IDC_OPTION_AUTOSAVE) == BST_CHECKED;
    GetDlgItem(IDC_OPTION_MINUTES)->EnableWindow(on);
    GetDlgItem(IDC_OPTION_FILES)->EnableWindow(on);
}

void CDlgOption::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    // With saving off the numbers are kept as typed: they only matter once it is on again,
    // and the dialog checks them then.
    if (m_bAutoSave) {
        if (m_nMinutes <= 0) {
            AfxMessageBox("自动存盘时间间隔必须大于0！");
            VyrSelEdit(this, IDC_OPTION_MINUTES);
            return;
        }
        if (m_nFiles <= 0) {
            AfxMessageBox("自动存盘的存盘文件个数必须大于0！");
            VyrSelEdit(this, IDC_OPTION_FILES);
            return;
        }
    }
    m_option.m_nAutoSave = m_bAutoSave ? 1 : 0;
    m_option.m_nMinutes = m_nMinutes;
    m_option.m_nFiles = m_nFiles;
    EndDialog(IDOK);
}

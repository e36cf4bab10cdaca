#include <vyr/reports/DlgCheckOption.h>

#include <vyr/ddx.h>
#include <vyr/resources/dialogs/CheckRes.h>

BEGIN_MESSAGE_MAP(CDlgCheckOption, CDialog)
END_MESSAGE_MAP()

CDlgCheckOption::CDlgCheckOption(CWnd* pParent) : CDialog(IDD_CHECKOPTION, pParent) {}

void CDlgCheckOption::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CHECKOPT_CAPACITY_UPPER, m_fCapacityRatioUpper);
    DDX_Text(pDX, IDC_CHECKOPT_CAPACITY_LOWER, m_fCapacityRatioLower);
    DDX_Text(pDX, IDC_CHECKOPT_DEFORM_UPPER, m_fDeformRatioUpper);
    DDX_Text(pDX, IDC_CHECKOPT_DEFORM_LOWER, m_fDeformRatioLower);
    DDX_Text(pDX, IDC_CHECKOPT_DETAIL_UPPER, m_fDetailRatioUpper);
    DDX_Text(pDX, IDC_CHECKOPT_DETAIL_LOWER, m_fDetailRatioLower);
    DDX_Check(pDX, IDC_CHECKOPT_PRECOMBINE, m_bPreCombine);
    DDX_Check(pDX, IDC_CHECKOPT_SHOWECHO, m_bShowEcho);
}

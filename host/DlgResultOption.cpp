#include <vyr/host/DlgResultOption.h>

#include <vyr/commdlg.h>
#include <vyr/resources/dialogs/OptionRes.h>

BEGIN_MESSAGE_MAP(CDlgResultOption, CDialog)
    ON_BN_CLICKED(IDC_RESOPT_COLOR, &CDlgResultOption::OnButtonColor)
    ON_BN_CLICKED(IDC_RESOPT_FONT, &CDlgResultOption::OnButtonFont)
END_MESSAGE_MAP()

CDlgResultOption::CDlgResultOption(CWnd* pParent) : CDialog(IDD_RESULTOPTION, pParent) {}

void CDlgResultOption::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_RESOPT_SHOWSTRUCT, m_bShowStruct);
    DDX_Text(pDX, IDC_RESOPT_DISPSCALE, m_fDispScale);
    DDX_Text(pDX, IDC_RESOPT_FORCESCALE, m_fForceScale);
    DDX_Check(pDX, IDC_RESOPT_AUTOSCALE, m_bAutoScale);
    DDX_Check(pDX, IDC_RESOPT_ENDVALUE, m_bShowEndValue);
}

void CDlgResultOption::OnButtonColor()
{
    CColorDialog dlg(m_clrLabel, 0, nullptr);
    if (dlg.DoModal() == IDOK)
        m_clrLabel = dlg.GetColor();
}

void CDlgResultOption::OnButtonFont()
{
    CFontDialog dlg(&m_lfLabel, CF_SCREENFONTS | CF_EFFECTS, nullptr, nullptr);
    if (dlg.DoModal() == IDOK)
        m_lfLabel = dlg.m_lf;
}

#include <vyr/libraries/DlgMaterialSteel.h>

#include <vyr/resources/dialogs/MaterialRes.h>

namespace {
const SteelGradeRow kSteelGrades[CDlgMaterialSteel::GRADES] = {
    {"Q235", "Q235B", 235.0f, 0.0f, 0.0f, false, 1},
    {"Q345", "Q345B", 345.0f, 0.0f, 0.0f, false, 2},
    {"Q390", "Q390B", 390.0f, 0.0f, 0.0f, false, 3},
    {"Q420", "Q420B", 420.0f, 0.0f, 0.0f, false, 4},
    {"自定义", "Foreign", 235.0f, 215.0f, 125.0f, true, 5},
};
constexpr int kCustomType = 5;
} // namespace

BEGIN_MESSAGE_MAP(CDlgMaterialSteel, CDialog)
    ON_CBN_SELCHANGE(IDC_MAT_STEELGRADE, &CDlgMaterialSteel::OnSelGrade)
END_MESSAGE_MAP()

CDlgMaterialSteel::CDlgMaterialSteel(CWnd* pParent) : CDialog(IDD_MATERIALSTEEL, pParent) {}

const SteelGradeRow& CDlgMaterialSteel::Grade(int entry)
{
    VYR_CHECK(entry >= 0 && entry < GRADES, "steel grade entry out of range");
    return kSteelGrades[entry];
}

INT_PTR CDlgMaterialSteel::DoModal(int type)
{
    m_nType = type;
    return CDialog::DoModal();
}

void CDlgMaterialSteel::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_MAT_STEELGRADE, m_nGrade);
    DDX_Text(pDX, IDC_MAT_DESC, m_strDescription);
    DDX_Text(pDX, IDC_MAT_DENSITY, m_fDensity);
    DDX_Text(pDX, IDC_MAT_EXPAND, m_fExpand);
    DDX_Text(pDX, IDC_MAT_E, m_dE);
    DDX_Text(pDX, IDC_MAT_POISSON, m_fPoisson);
    DDX_Text(pDX, IDC_MAT_FY, m_fFy);
    DDX_Text(pDX, IDC_MAT_F, m_fF);
    DDX_Text(pDX, IDC_MAT_FV, m_fFv);
}

BOOL CDlgMaterialSteel::OnInitDialog()
{
    CDialog::OnInitDialog();
    CComboBox* grade = static_cast<CComboBox*>(GetDlgItem(IDC_MAT_STEELGRADE));
    if (m_nType <= 0) {
        grade->SetCurSel(0);
    } else {
        grade->SetCurSel(m_nType - 1);
        grade->EnableWindow(FALSE);
    }
    EnableStrengths(m_nType == kCustomType);
    return TRUE;
}

void CDlgMaterialSteel::EnableStrengths(bool enable)
{
    GetDlgItem(IDC_MAT_F)->EnableWindow(enable);
    GetDlgItem(IDC_MAT_FV)->EnableWindow(enable);
}

void CDlgMaterialSteel::OnSelGrade()
{
    if (!UpdateData(TRUE) || m_nGrade < 0 || m_nGrade >= GRADES) return;
    const SteelGradeRow& row = kSteelGrades[m_nGrade];
    m_strDescription = row.description;
    m_fFy = row.fy;
    m_fF = row.f;
    m_fFv = row.fv;
    EnableStrengths(row.strengthsEditable);
    UpdateData(FALSE);
}

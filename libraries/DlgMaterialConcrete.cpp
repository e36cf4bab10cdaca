#include <vyr/libraries/DlgMaterialConcrete.h>

#include <vyr/resources/dialogs/MaterialRes.h>

namespace {
const ConcreteGradeRow kConcreteGrades[CDlgMaterialConcrete::GRADES] = {
    {"C10", "C10", 17500.0f, 5.0f, 0.65f},   {"C15", "C15", 22000.0f, 7.2f, 0.91f},
    {"C20", "C20", 25500.0f, 9.6f, 1.10f},   {"C25", "C25", 28000.0f, 11.9f, 1.27f},
    {"C30", "C30", 30000.0f, 14.3f, 1.43f},  {"C35", "C35", 31500.0f, 16.7f, 1.57f},
    {"C40", "C40", 32500.0f, 19.1f, 1.71f},  {"C45", "C45", 33500.0f, 21.1f, 1.80f},
    {"C50", "C50", 34500.0f, 23.1f, 1.89f},  {"C55", "C55", 35500.0f, 25.3f, 1.96f},
    {"C60", "C60", 36000.0f, 27.5f, 2.04f},  {"C65", "C65", 36500.0f, 29.7f, 2.09f},
    {"C70", "C70", 37000.0f, 31.8f, 2.14f},  {"C75", "C75", 37500.0f, 33.8f, 2.18f},
    {"C80", "C80", 38000.0f, 35.9f, 2.22f},  {"自定义", "其他混凝土", 36000.0f, 35.9f, 2.22f},
};
} // namespace

BEGIN_MESSAGE_MAP(CDlgMaterialConcrete, CDlgMaterialConcreteBase)
    ON_CBN_SELCHANGE(IDC_MAT_CONCRETEGRADE, &CDlgMaterialConcrete::OnSelGrade)
END_MESSAGE_MAP()

CDlgMaterialConcrete::CDlgMaterialConcrete(CWnd* pParent) : CDlgMaterialConcreteBase(IDD_MATERIALCONCRETE, pParent)
{
}

const ConcreteGradeRow& CDlgMaterialConcrete::Grade(int entry)
{
    VYR_CHECK(entry >= 0 && entry < GRADES, "concrete grade entry out of range");
    return kConcreteGrades[entry];
}

void CDlgMaterialConcrete::DoDataExchange(CDataExchange* pDX)
{
    CDlgMaterialConcreteBase::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_MAT_CONCRETEGRADE, m_nGrade);
    DDX_Text(pDX, IDC_MAT_DESC, m_strDescription);
    DDX_Text(pDX, IDC_MAT_DENSITY, m_fDensity);
    DDX_Text(pDX, IDC_MAT_EXPAND, m_fExpand);
    DDX_Text(pDX, IDC_MAT_E, m_dE);
    DDX_Text(pDX, IDC_MAT_POISSON, m_fPoisson);
    DDX_Text(pDX, IDC_MAT_FY, m_fFc);
    DDX_Text(pDX, IDC_MAT_FT, m_fFt);
}

BOOL CDlgMaterialConcrete::OnInitDialog()
{
    CDlgMaterialConcreteBase::OnInitDialog();
    const int type = (int)m_pObject;
    CComboBox* grade = static_cast<CComboBox*>(GetDlgItem(IDC_MAT_CONCRETEGRADE));
    if (type <= 0) {
        grade->SetCurSel(0);
    } else {
        grade->SetCurSel(type - FIRST_TYPE);
        grade->EnableWindow(FALSE);
    }
    return TRUE;
}

void CDlgMaterialConcrete::OnSelGrade()
{
    if (!UpdateData(TRUE) || m_nGrade < 0 || m_nGrade >= GRADES) return;
    const ConcreteGradeRow& row = kConcreteGrades[m_nGrade];
    m_strDescription = row.description;
    m_dE = row.E;
    m_fFc = row.fc;
    m_fFt = row.ft;
    UpdateData(FALSE);
}

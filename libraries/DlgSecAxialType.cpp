#include <vyr/libraries/DlgSecAxialType.h>

#include <vyr/model/section/section.h>
#include <vyr/resources/dialogs/SecPropertyRes.h>

BEGIN_MESSAGE_MAP(CDlgSecAxialType, CDlgSecAxialTypeBase)
    ON_CBN_SELCHANGE(IDC_SECAXIAL_CLASS2, &CDlgSecAxialType::OnSelClass2)
    ON_CBN_SELCHANGE(IDC_SECAXIAL_CLASS3, &CDlgSecAxialType::OnSelClass3)
    ON_BN_CLICKED(IDC_SECAXIAL_ROLLED, &CDlgSecAxialType::OnRolledEdge)
    ON_BN_CLICKED(IDC_SECAXIAL_FLAME, &CDlgSecAxialType::OnFlameCutEdge)
    ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {
// Classes a to d are stored as 1 to 4.
constexpr int kClassB = 2, kClassC = 3, kClassD = 4;
} // namespace

CDlgSecAxialType::CDlgSecAxialType(CWnd* pParent) : CDlgSecAxialTypeBase(IDD_SECAXIALTYPE, pParent) {}

bool CDlgSecAxialType::HasEdgeRule(int nType) { return nType == 105 || nType == 111 || nType == 112 || nType == 501; }

void CDlgSecAxialType::ApplyEdgeRule(CSectionBase* pSec, int nEdge)
{
    if (nEdge == 0) {
        // Plates of 40 mm and more; the small allowance keeps a 40 mm plate stored as
        // 4 cm in single precision on the thick side.
        const bool thick = pSec->GetT() * 10.0f >= 40.0f - 1e-3f;
        pSec->m_nType2 = thick ? kClassD : kClassC;
        pSec->m_nType3 = thick ? kClassC : kClassB;
    } else {
        pSec->m_nType2 = kClassB;
        pSec->m_nType3 = kClassB;
    }
}

void CDlgSecAxialType::DoDataExchange(CDataExchange* pDX)
{
    CDlgSecAxialTypeBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SECAXIAL_CLASS2, m_comboClass2);
    DDX_Control(pDX, IDC_SECAXIAL_CLASS3, m_comboClass3);
    DDX_Radio(pDX, IDC_SECAXIAL_ROLLED, m_nEdge);
}

BOOL CDlgSecAxialType::OnInitDialog()
{
    CDlgSecAxialTypeBase::OnInitDialog();
    m_map.SubclassDlgItem(IDC_SECAXIAL_MAP, this);
    m_map.m_paint = [this](CDC* pDC, CRect rc) {
        if (m_pObject != nullptr)
            DrawSectionMap(pDC, rc, m_pObject, false);
        else
            pDC->FillSolidRect(&rc, RGB(255, 255, 255));
    };
    GetDlgItem(IDC_SECAXIAL_ROLLED)->EnableWindow(FALSE);
    GetDlgItem(IDC_SECAXIAL_FLAME)->EnableWindow(FALSE);
    if (m_pObject != nullptr && HasEdgeRule(m_pObject->GetType())) {
        GetDlgItem(IDC_SECAXIAL_ROLLED)->EnableWindow(TRUE);
        GetDlgItem(IDC_SECAXIAL_FLAME)->EnableWindow(TRUE);
        m_nEdge = 1;
    }
    ShowClasses();
    UpdateData(FALSE);
    return TRUE;
}

void CDlgSecAxialType::ShowClasses()
{
    if (m_pObject == nullptr) return;
    m_comboClass2.SetCurSel(m_pObject->m_nType2 - 1);
    m_comboClass3.SetCurSel(m_pObject->m_nType3 - 1);
}

void CDlgSecAxialType::OnSelClass2()
{
    const int sel = m_comboClass2.GetCurSel();
    if (m_pObject != nullptr && sel >= 0) m_pObject->m_nType2 = sel + 1;
}

void CDlgSecAxialType::OnSelClass3()
{
    const int sel = m_comboClass3.GetCurSel();
    if (m_pObject != nullptr && sel >= 0) m_pObject->m_nType3 = sel + 1;
}

void CDlgSecAxialType::OnEdge(int nEdge)
{
    m_nEdge = nEdge;
    if (m_pObject == nullptr) return;
    ApplyEdgeRule(m_pObject, nEdge);
    ShowClasses();
}

void CDlgSecAxialType::OnRolledEdge() { OnEdge(0); }

void CDlgSecAxialType::OnFlameCutEdge() { OnEdge(1); }

void CDlgSecAxialType::OnPaint()
{
    CPaintDC dc(this);
    CWnd* frame = GetDlgItem(IDC_SECAXIAL_MAP);
    if (frame == nullptr) return;
    CRect rc;
    frame->GetClientRect(&rc);
    CDC* pDC = frame->GetDC();
    pDC->FillSolidRect(&rc, RGB(255, 255, 255));
    frame->ReleaseDC(pDC);
    if (m_pObject == nullptr) return;
    frame->Invalidate();
    frame->UpdateWindow();
    pDC = frame->GetDC();
    DrawSectionMap(pDC, rc, m_pObject, false);
    frame->ReleaseDC(pDC);
}

#include <vyr/libraries/DlgSection.h>

#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/SectionRes.h>

IMPLEMENT_DYNCREATE(CDlgSection, CDialog)

BEGIN_MESSAGE_MAP(CDlgSection, CDialog)
    ON_NOTIFY(TCN_SELCHANGE, IDC_SEC_TAB, &CDlgSection::OnTabChange)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_SEC_LIST, &CDlgSection::OnColumnClick)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_SEC_LIST, &CDlgSection::OnItemChanged)
    ON_NOTIFY(NM_DBLCLK, IDC_SEC_LIST, &CDlgSection::OnDblClkList)
    ON_BN_CLICKED(IDC_SEC_DELETE, &CDlgSection::OnDelete)
    ON_BN_CLICKED(IDC_SEC_EDIT, &CDlgSection::OnEdit)
    ON_BN_CLICKED(IDC_SEC_AXIALTYPE, &CDlgSection::OnAxialType)
    ON_BN_CLICKED(IDC_SEC_STAY, &CDlgSection::OnStay)
    ON_BN_CLICKED(IDC_SEC_STDLIB, &CDlgSection::OnStandardLibrary)
    ON_BN_CLICKED(IDC_SEC_DEFINE, &CDlgSection::OnDefineLibrary)
    ON_BN_CLICKED(IDC_SEC_COMBINE, &CDlgSection::OnCombineLibrary)
    ON_BN_CLICKED(IDC_SEC_TAPER, &CDlgSection::OnTaperLibrary)
    ON_BN_CLICKED(IDC_SEC_IMPORT, &CDlgSection::OnImport)
    ON_BN_CLICKED(IDC_SEC_EXPORT, &CDlgSection::OnExport)
END_MESSAGE_MAP()

CDlgSection::CDlgSection(CWnd*) : CDialog((UINT)IDD_SECTION_LIBRARY, nullptr), m_rows(*this, m_tab, m_list, false) {}

void CDlgSection::Act(void (CSectionRows::*operation)())
{
    m_rows.m_pGlobalData = m_pGlobalData;
    m_rows.m_pCurSection = m_pCurSection;
    (m_rows.*operation)();
    m_pCurSection = m_rows.m_pCurSection;
}

void CDlgSection::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SEC_TAB, m_tab);
    DDX_Control(pDX, IDC_SEC_LIST, m_list);
}

void CDlgSection::Update()
{
    if (m_list.GetSafeHwnd() != nullptr)
        Act(&CSectionRows::Refill);
}

BOOL CDlgSection::OnInitDialog()
{
    CDialog::OnInitDialog();
    Act(&CSectionRows::InitControls);
    Act(&CSectionRows::Refill);
    if (m_pCurSection != nullptr && m_list.GetItemCount() > 0) {
        const int row = m_rows.FindRow(m_pCurSection);
        if (row > 0 && m_rows.RowSection(row) == m_pCurSection) {
            // Shown as chosen, not yet highlighted.
            CQuietRows quiet(m_rows);
            m_rows.SelectRow(row);
        }
    }
    return TRUE;
}

void CDlgSection::OnTabChange(NMHDR*, LRESULT* pResult)
{
    UpdateData(TRUE);
    Act(&CSectionRows::Refill);
    *pResult = 0;
}

void CDlgSection::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    m_rows.m_pGlobalData = m_pGlobalData;
    m_rows.OnColumnClick(reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem);
    *pResult = 0;
}

void CDlgSection::OnItemChanged(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_rows.IsQuiet())
        Act(&CSectionRows::OnSelectionChanged);
}

void CDlgSection::OnDblClkList(NMHDR*, LRESULT* pResult)
{
    Act(&CSectionRows::OnDoubleClick);
    *pResult = 0;
}

void CDlgSection::OnOK()
{
    m_rows.m_pGlobalData = m_pGlobalData;
    if (m_rows.RowNumber(m_rows.SelectedRow()) > 0 && m_pCurSection != nullptr) {
        CDialog::OnOK();
        return;
    }
    AfxMessageBox("请选择截面！");
}

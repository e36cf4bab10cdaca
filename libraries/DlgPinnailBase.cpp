#include <vyr/libraries/DlgPinnailBase.h>

#include <vyr/model/section/Ban.h>
#include <vyr/resources/dialogs/StudRes.h>

namespace {
const int kDiameters[5] = {13, 16, 19, 22, 25};
}

int CDlgPinnailBase::DiameterOfIndex(int index, int fallback)
{
    return index >= 0 && index < 5 ? kDiameters[index] : fallback;
}

int CDlgPinnailBase::IndexOfDiameter(int diameter)
{
    for (int i = 0; i < 5; ++i)
        if (kDiameters[i] == diameter)
            return i;
    return -1;
}

BEGIN_MESSAGE_MAP(CDlgPinnailBase, CDialog)
    ON_BN_CLICKED(IDC_PIN_AUTO, &CDlgPinnailBase::OnCapacityMode)
    ON_BN_CLICKED(IDC_PIN_USER, &CDlgPinnailBase::OnCapacityMode)
END_MESSAGE_MAP()

CDlgPinnailBase::CDlgPinnailBase(UINT nIDTemplate, CWnd* pParent, int diameter, int height)
    : CDialog(nIDTemplate, pParent), m_nDiameter(diameter), m_nHeight(height), m_nRows(2)
{
}

void CDlgPinnailBase::FromGroup(const CPinNailGroup& group)
{
    m_nDiameter = IndexOfDiameter(group.m_nDiameter);
    m_nHeight = group.m_nHeight;
    m_nRows = group.m_nRows;
    m_nMaterial = group.m_nMaterial - 1;
    m_nCapacityMode = group.m_nCapacityMode;
    m_fCapacity = group.m_fCapacity;
}

void CDlgPinnailBase::ToGroup(CPinNailGroup& group) const
{
    group.m_nDiameter = DiameterOfIndex(m_nDiameter, group.m_nDiameter);
    group.m_nHeight = m_nHeight;
    group.m_nRows = m_nRows;
    group.m_nMaterial = m_nMaterial + 1;
    group.m_nCapacityMode = m_nCapacityMode;
    group.m_fCapacity = m_fCapacity;
}

void CDlgPinnailBase::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_PIN_DIAMETER, m_nDiameter);
    DDX_Text(pDX, IDC_PIN_HEIGHT, m_nHeight);
    DDX_Text(pDX, IDC_PIN_ROWS, m_nRows);
    DDX_CBIndex(pDX, IDC_PIN_MATERIAL, m_nMaterial);
    DDX_Radio(pDX, IDC_PIN_AUTO, m_nCapacityMode);
    DDX_Text(pDX, IDC_PIN_CAPACITY, m_fCapacity);
}

void CDlgPinnailBase::EnableCapacity() { GetDlgItem(IDC_PIN_CAPACITY)->EnableWindow(m_nCapacityMode == 1); }

void CDlgPinnailBase::OnCapacityMode()
{
    if (!UpdateData(TRUE))
        return;
    EnableCapacity();
    UpdateData(FALSE);
}

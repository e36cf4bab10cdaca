#include <vyr/host/DlgSelectType.h>

#include <vyr/resources/dialogs/SelectTypeRes.h>

namespace {
const int kBoxes[11] = {IDC_SELTYPE_BEAM,       IDC_SELTYPE_BRACE,       IDC_SELTYPE_TENSIONONLY, IDC_SELTYPE_COLUMN,
                        IDC_SELTYPE_SUBBEAM,    IDC_SELTYPE_BOTTOMCHORD, IDC_SELTYPE_DIAGONAL,    IDC_SELTYPE_TOPCHORD,
                        IDC_SELTYPE_VERTICAL,   IDC_SELTYPE_WINDCOLUMN,  IDC_SELTYPE_CRANEBEAM};
}

BEGIN_MESSAGE_MAP(CDlgSelectType, CDialog)
    ON_BN_CLICKED(IDC_SELTYPE_ALL, &CDlgSelectType::OnSelAll)
    ON_BN_CLICKED(IDC_SELTYPE_NONE, &CDlgSelectType::OnNotSelAll)
END_MESSAGE_MAP()

CDlgSelectType::CDlgSelectType(CWnd* pParent) : CDialog(IDD_SELECTTYPE, pParent) {}

void CDlgSelectType::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    int* flags[11] = {&m_bBeam,        &m_bBrace,    &m_bTensionOnly, &m_bColumn,    &m_bSubBeam,  &m_bBottomChord,
                      &m_bDiagonal,    &m_bTopChord, &m_bVertical,    &m_bWindColumn, &m_bCraneBeam};
    for (int i = 0; i < 11; ++i)
        DDX_Check(pDX, kBoxes[i], *flags[i]);
}

void CDlgSelectType::Sel(bool flag)
{
    for (int id : kBoxes)
        SendDlgItemMessage(id, BM_SETCHECK, flag ? 1 : 0, 0);
}

void CDlgSelectType::OnSelAll() { Sel(true); }

void CDlgSelectType::OnNotSelAll() { Sel(false); }

#include <vyr/libraries/DlgBeamPinnailDesign.h>

#include <cstdlib>

#include <vyr/libraries/DlgPinnailGroup.h>
#include <vyr/model/struct/struct.h>
#include <vyr/resources/dialogs/StudRes.h>

namespace {

void SelEdit(CDialog* dlg, int id)
{
    dlg->SendDlgItemMessage(id, EM_SETSEL, 0, -1);
    dlg->SendDlgItemMessage(id, EM_SCROLLCARET, 0, 0);
    dlg->GetDlgItem(id)->SetFocus();
}

// A text that is a whole number above zero, blanks around it allowed.
bool IsPositiveWhole(const CString& text)
{
    const char* s = text;
    char* end = nullptr;
    long v = std::strtol(s, &end, 10);
    if (end == s)
        return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    return *end == '\0' && v > 0 && v <= 0x7fffffffL;
}

} // namespace

BEGIN_MESSAGE_MAP(CDlgBeamPinnailDesign, CDialog)
    ON_BN_CLICKED(IDC_PIN_RECALC, &CDlgBeamPinnailDesign::OnRecalc)
    ON_BN_CLICKED(IDC_PIN_AUTO, &CDlgBeamPinnailDesign::OnCapacityMode)
    ON_BN_CLICKED(IDC_PIN_USER, &CDlgBeamPinnailDesign::OnCapacityMode)
END_MESSAGE_MAP()

CDlgBeamPinnailDesign::CDlgBeamPinnailDesign(CWnd* pParent) : CDialog(IDD_BEAMPINNAILDESIGN, pParent) {}

void CDlgBeamPinnailDesign::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PIN_DESIGNLIST, m_list);
    DDX_CBIndex(pDX, IDC_PIN_DIAMETER, m_nDiameter);
    DDX_Text(pDX, IDC_PIN_HEIGHT, m_nHeight);
    DDX_Text(pDX, IDC_PIN_ROWS, m_nRows);
    DDX_Text(pDX, IDC_PIN_SPACE, m_strSpace);
    DDX_CBIndex(pDX, IDC_PIN_MATERIAL, m_nMaterial);
    DDX_Radio(pDX, IDC_PIN_AUTO, m_nCapacityMode);
    DDX_Text(pDX, IDC_PIN_CAPACITY, m_fCapacity);
}

BOOL CDlgBeamPinnailDesign::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_list.InsertColumn(0, "编号", LVCFMT_LEFT, 60);
    m_list.InsertColumn(1, "栓钉设计间距（mm）", LVCFMT_LEFT, 200);
    Compute();
    return TRUE;
}

void CDlgBeamPinnailDesign::Compute()
{
    if (!UpdateData(TRUE))
        return;
    m_list.DeleteAllItems();

    m_group.m_nDiameter = CDlgPinnailGroup::DiameterOfIndex(m_nDiameter, m_group.m_nDiameter);
    m_group.m_nSpace = std::atoi(m_strSpace);
    m_group.m_nHeight = m_nHeight;
    m_group.m_nRows = m_nRows;
    m_group.m_nMaterial = m_nMaterial + 1;
    m_group.m_nCapacityMode = m_nCapacityMode;
    m_group.m_fCapacity = m_fCapacity;

    // One running text: the smallest spacing so far, or the message of the last member
    // that could not be designed; it ends as the proposal.
    m_strSpace.Empty();
    float smallest = 100000.0f;
    CStruct* st = m_pData->Struct();
    int row = 0;
    for (POSITION pos = m_pBeamList != nullptr ? m_pBeamList->GetHeadPosition() : nullptr; pos != nullptr;) {
        CBeamBase* b = m_pBeamList->GetNextT(pos);
        const bool main = b->toBeam() != nullptr;
        if (b->GetSection() == nullptr || (!main && b->toSubBeam() == nullptr))
            continue;
        if ((b->GetType() != 2 && b->GetType() != 5) || b->GetBeamDesignType() != 2)
            continue;
        CString name;
        if (main)
            name.Format("主梁%d", b->GetNo());
        else
            name.Format("次梁%d", b->m_nSubNo);
        m_list.InsertItem(row, name);
        int status = 0;
        const float spacing =
            b->VyrComBeamPinDesign(m_pData->GetSLCList(), &m_group, status, st->m_pDefaultFloorMaterial) * 10.0f;
        if (status == 0 || status == 1) {
            if (spacing < smallest) {
                smallest = spacing;
                m_strSpace.Format("%.0f", spacing);
            }
            if (status == 1) {
                CString warning;
                warning.Format("%d号杆焊钉高度过小，未考虑折减；（应大于压型钢板波高加30mm！）", b->GetNo());
                AfxMessageBox(warning);
            }
        } else if (status == 2) {
            m_strSpace = "<请先布置楼板>";
        } else if (status == 3) {
            m_strSpace = "<请先配板的负钢筋>";
        }
        m_list.SetItemText(row, 1, m_strSpace);
        ++row;
    }
    UpdateData(FALSE);
    GetDlgItem(IDC_PIN_CAPACITY)->EnableWindow(m_nCapacityMode == 1);
}

void CDlgBeamPinnailDesign::OnRecalc() { Compute(); }

void CDlgBeamPinnailDesign::OnCapacityMode()
{
    if (!UpdateData(TRUE))
        return;
    GetDlgItem(IDC_PIN_CAPACITY)->EnableWindow(m_nCapacityMode == 1);
    UpdateData(FALSE);
}

void CDlgBeamPinnailDesign::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    // The caller builds the group from this text; a message or an empty proposal would
    // become a spacing of 0.
    if (!IsPositiveWhole(m_strSpace)) {
        AfxMessageBox("栓钉间距建议值必须是大于0的整数！");
        SelEdit(this, IDC_PIN_SPACE);
        return;
    }
    EndDialog(IDOK);
}

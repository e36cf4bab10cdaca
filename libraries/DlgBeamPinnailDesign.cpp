#include <vyr/libraries/DlgBeamPinnailDesign.h>

#include <cstdlib>

#include <vyr/protocol/DlgRecordPos.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/StudRes.h>

namespace {

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

BEGIN_MESSAGE_MAP(CDlgBeamPinnailDesign, CDlgPinnailBase)
    ON_BN_CLICKED(IDC_PIN_RECALC, &CDlgBeamPinnailDesign::OnRecalc)
END_MESSAGE_MAP()

CDlgBeamPinnailDesign::CDlgBeamPinnailDesign(CWnd* pParent) : CDlgPinnailBase(IDD_BEAMPINNAILDESIGN, pParent, 2, 90) {}

void CDlgBeamPinnailDesign::DoDataExchange(CDataExchange* pDX)
{
    CDlgPinnailBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PIN_DESIGNLIST, m_list);
    DDX_Text(pDX, IDC_PIN_SPACE, m_strSpace);
}

BOOL CDlgBeamPinnailDesign::OnInitDialog()
{
    CDlgPinnailBase::OnInitDialog();
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

    ToGroup(m_group);
    m_group.m_nSpace = std::atoi(m_strSpace);

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
    EnableCapacity();
}

void CDlgBeamPinnailDesign::OnRecalc() { Compute(); }

void CDlgBeamPinnailDesign::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    // The caller builds the group from this text; a message or an empty proposal would
    // become a spacing of 0.
    if (!IsPositiveWhole(m_strSpace)) {
        AfxMessageBox("栓钉间距建议值必须是大于0的整数！");
        VyrSelEdit(this, IDC_PIN_SPACE);
        return;
    }
    EndDialog(IDOK);
}

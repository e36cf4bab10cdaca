#include <vyr/libraries/DlgBeamPinnail.h>

#include <cmath>

#include <vyr/libraries/DlgPinnailGroup.h>
#include <vyr/model/section/Ban.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/StudRes.h>

namespace {

// Calls fn for every member that can carry studs: the structure's members, then the
// secondary beams of every room of every storey.
template <class Fn>
void ForEachStudMember(CStruct* st, Fn fn)
{
    for (POSITION pos = st->m_pBeamList->GetHeadPosition(); pos != nullptr;)
        fn(st->m_pBeamList->GetNextT(pos));
    for (POSITION fp = st->m_pFloorList->GetHeadPosition(); fp != nullptr;) {
        CFloor* floor = st->m_pFloorList->GetNextT(fp);
        for (POSITION rp = floor->m_pPlaneList->GetHeadPosition(); rp != nullptr;) {
            CPlane* room = floor->m_pPlaneList->GetNextT(rp);
            for (POSITION sp = room->m_pSubBeamList->GetHeadPosition(); sp != nullptr;)
                fn(room->m_pSubBeamList->GetNextT(sp));
        }
    }
}

} // namespace

BEGIN_MESSAGE_MAP(CDlgBeamPinnail, CDialog)
    ON_BN_CLICKED(IDC_PIN_ADD, &CDlgBeamPinnail::OnAdd)
    ON_BN_CLICKED(IDC_PIN_EDIT, &CDlgBeamPinnail::OnEdit)
    ON_BN_CLICKED(IDC_PIN_DELETE, &CDlgBeamPinnail::OnDelete)
    ON_BN_CLICKED(IDC_PIN_COUNT, &CDlgBeamPinnail::OnCount)
END_MESSAGE_MAP()

CDlgBeamPinnail::CDlgBeamPinnail(CWnd* pParent) : CDialog(IDD_BEAMPINNAIL, pParent) {}

void CDlgBeamPinnail::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PIN_LIST, m_list);
}

BOOL CDlgBeamPinnail::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_list.InsertColumn(0, "编号", LVCFMT_LEFT, 60);
    m_list.InsertColumn(1, "描述", LVCFMT_LEFT, 340);
    FillList();
    return TRUE;
}

void CDlgBeamPinnail::FillList()
{
    m_list.DeleteAllItems();
    CPinNailGroupList* groups = m_pData->Struct()->m_pPinNailGroupList;
    for (int i = 1; i <= (int)groups->GetCount(); ++i) {
        CString no, text;
        no.Format("PN%d", i);
        groups->Get(i)->GetDescription(&text);
        m_list.InsertItem(i - 1, no);
        m_list.SetItemText(i - 1, 1, text);
    }
}

CPinNailGroup* CDlgBeamPinnail::SelectedGroup(int* row) const
{
    int r = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (row != nullptr)
        *row = r;
    return r < 0 ? nullptr : m_pData->Struct()->m_pPinNailGroupList->Get(r + 1);
}

void CDlgBeamPinnail::OnAdd()
{
    CDlgPinnailGroup dlg;
    if (dlg.DoModal() != IDOK)
        return;
    CPinNailGroup* group = new CPinNailGroup;
    group->m_nDiameter = 16; // kept should no diameter be chosen
    dlg.ToGroup(*group);
    group->m_nSpace = dlg.m_nSpace;
    CPinNailGroupList* groups = m_pData->Struct()->m_pPinNailGroupList;
    if (groups->IsOldGroup(group) != nullptr)
        delete group;
    else
        groups->Add(group);
    FillList();
}

void CDlgBeamPinnail::OnEdit()
{
    CPinNailGroup* group = SelectedGroup();
    if (group == nullptr) {
        AfxMessageBox("请选择要编辑的栓钉！");
        return;
    }
    CDlgPinnailGroup dlg;
    dlg.FromGroup(*group);
    dlg.m_nSpace = group->m_nSpace;
    if (dlg.DoModal() != IDOK)
        return;
    dlg.ToGroup(*group);
    group->m_nSpace = dlg.m_nSpace;
    FillList();
}

void CDlgBeamPinnail::OnDelete()
{
    int row = -1;
    CPinNailGroup* group = SelectedGroup(&row);
    if (group == nullptr) {
        AfxMessageBox("请选择要删除的栓钉！");
        return;
    }
    if (AfxMessageBox("您确定要删除选定的栓钉吗？", MB_YESNO) == IDNO)
        return;
    ForEachStudMember(m_pData->Struct(), [group](CBeamBase* b) {
        if (b->m_pPinNailGroup == group)
            b->m_pPinNailGroup = nullptr;
    });
    m_pData->Struct()->m_pPinNailGroupList->Delete(row + 1);
    FillList();
}

void CDlgBeamPinnail::OnCount()
{
    CPinNailGroup* group = SelectedGroup();
    if (group == nullptr) {
        AfxMessageBox("请选择要统计的栓钉！");
        return;
    }
    int members = 0;
    int studs = 0;
    ForEachStudMember(m_pData->Struct(), [&](CBeamBase* b) {
        if (b->m_pPinNailGroup != group)
            return;
        ++members;
        // A group without a spacing places no studs (and must not divide by zero).
        if (group->m_nSpace > 0)
            studs += (int)std::trunc(b->GetLength() * 10.0 / group->m_nSpace * group->m_nRows);
    });
    CString text;
    text.Format("栓钉组%d在%d根组合梁上共布置%d个", group->m_nNo, members, studs);
    AfxMessageBox(text);
}

void CDlgBeamPinnail::OnOK()
{
    CPinNailGroup* group = SelectedGroup();
    if (group == nullptr) {
        AfxMessageBox("请选择栓钉！");
        return;
    }
    m_pPinNailGroup = group;
    EndDialog(IDOK);
}

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

CDlgBeamPinnail::CDlgBeamPinnail(CWnd* pParent) : CDialog(IDD_BEAMPINNAIL, pParent)
{
    m_rows.m_library = [this] { return m_pData->Struct()->m_pPinNailGroupList; };
    m_rows.m_rowText = [](CPinNailGroup* group, int position) -> std::vector<CString> {
        CString no, text;
        no.Format("PN%d", position);
        group->GetDescription(&text);
        return {no, text};
    };
    m_rows.m_deleteQuestion = [](CPinNailGroup*) { return CString("您确定要删除选定的栓钉吗？"); };
    m_rows.m_forget = [this](CPinNailGroup* group) {
        ForEachStudMember(m_pData->Struct(), [group](CBeamBase* b) {
            if (b->m_pPinNailGroup == group)
                b->m_pPinNailGroup = nullptr;
        });
    };
    m_rows.m_noEditRow = "请选择要编辑的栓钉！";
    m_rows.m_noDeleteRow = "请选择要删除的栓钉！";
    m_rows.m_noChoice = "请选择栓钉！";
}

void CDlgBeamPinnail::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PIN_LIST, m_list);
}

BOOL CDlgBeamPinnail::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_rows.SetColumns({{"编号", 60}, {"描述", 340}});
    m_rows.Fill();
    return TRUE;
}

void CDlgBeamPinnail::OnAdd()
{
    m_rows.Add([this] {
        CDlgPinnailGroup dlg;
        if (dlg.DoModal() != IDOK)
            return false;
        CPinNailGroup* group = new CPinNailGroup;
        group->m_nDiameter = 16; // kept should no diameter be chosen
        dlg.ToGroup(*group);
        group->m_nSpace = dlg.m_nSpace;
        VyrStoreGroup(m_pData->Struct()->m_pPinNailGroupList, group);
        return true;
    });
}

void CDlgBeamPinnail::OnEdit()
{
    m_rows.Edit([](CPinNailGroup* group) {
        CDlgPinnailGroup dlg;
        dlg.FromGroup(*group);
        dlg.m_nSpace = group->m_nSpace;
        if (dlg.DoModal() != IDOK)
            return false;
        dlg.ToGroup(*group);
        group->m_nSpace = dlg.m_nSpace;
        return true;
    });
}

void CDlgBeamPinnail::OnDelete()
{
    m_rows.Delete();
}

void CDlgBeamPinnail::OnCount()
{
    CPinNailGroup* group = m_rows.SelectedDefinition();
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
    CPinNailGroup* group = nullptr;
    if (!m_rows.Choose(group))
        return;
    m_pPinNailGroup = group;
    EndDialog(IDOK);
}

#include <vyr/input/DlgBeamOffset.h>

#include <vyr/model/struct/structure.h>
#include <vyr/protocol/KeyLists.h>
#include <vyr/resources/dialogs/DefsRes.h>

// ---------------------------------------------------------------- one definition

CDlgOffsetAdd::CDlgOffsetAdd(CWnd* pParent) : CDlgWithObject<INT_PTR>(IDD_OFFSETADD, pParent) {}

void CDlgOffsetAdd::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_OFFSET_START2, m_fStart2);
    DDX_Text(pDX, IDC_OFFSET_START3, m_fStart3);
    DDX_Text(pDX, IDC_OFFSET_END2, m_fEnd2);
    DDX_Text(pDX, IDC_OFFSET_END3, m_fEnd3);
}

BOOL CDlgOffsetAdd::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (GetMode() == 2) {
        SetWindowText("杆件偏心编辑");
        GetDlgItem(IDOK)->SetWindowText("替换");
    }
    return TRUE;
}

// ---------------------------------------------------------------- library

BEGIN_MESSAGE_MAP(CDlgBeamOffset, CDialog)
    ON_BN_CLICKED(IDC_DEFS_ADD, &CDlgBeamOffset::OnAdd)
    ON_BN_CLICKED(IDC_DEFS_EDIT, &CDlgBeamOffset::OnEdit)
    ON_BN_CLICKED(IDC_DEFS_DELETE, &CDlgBeamOffset::OnDelete)
END_MESSAGE_MAP()

CDlgBeamOffset::CDlgBeamOffset(CWnd* pParent, CBeamList* beams, CWallList* walls)
    : CDialog(IDD_BEAMOFFSET, pParent), m_pBeamList(beams), m_pWallList(walls)
{
    m_rows.m_library = [this]() -> CMemberOffsetList* {
        return m_pData != nullptr && m_pData->Struct() != nullptr ? m_pData->Struct()->m_pOffsetList : nullptr;
    };
    m_rows.m_noneRow = {"删除", "两端无偏心"};
    m_rows.m_rowText = [](CMemberOffset* def, int) -> std::vector<CString> {
        CString no, text;
        no.Format("偏心%d", def->m_nNo);
        def->GetDescription(&text);
        return {no, text};
    };
    m_rows.m_deleteQuestion = [this](CMemberOffset* def) {
        const int users = CountUsers(def);
        CString question;
        if (users > 0)
            question.Format("%d根杆件或墙体正在使用此偏心类型，删除后，这些杆件偏心类型也被删除，您确定吗？", users);
        return question;
    };
    m_rows.m_forget = [this](CMemberOffset* def) {
        auto clearBeam = [def](CBeamBase* b) {
            if (b->m_pOffset == def)
                b->m_pOffset = nullptr;
        };
        auto clearWall = [def](CWall* w) {
            if (w->m_pOffset == def)
                w->SetMemberoffset(nullptr);
        };
        vyrkeys::ForEach(m_pData->Struct()->m_pBeamList, clearBeam);
        vyrkeys::ForEach(m_pData->Struct()->m_pWallList, clearWall);
        vyrkeys::ForEach(m_pBeamList, clearBeam);
        vyrkeys::ForEach(m_pWallList, clearWall);
    };
    m_rows.m_noEditRow = "选择要编辑的偏心！";
    m_rows.m_noDeleteRow = "选择要删除的约束！";
    m_rows.m_bSelectNoneRow = true;
    m_rows.m_bKeepSelection = true;
    m_rows.m_bFillAfterCancel = true;
}

void CDlgBeamOffset::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DEFS_LIST, m_list);
}

BOOL CDlgBeamOffset::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_rows.SetColumns({{"编号", 86}, {"描述", 320}});
    m_rows.Fill();
    // A definition's number is its row (the library numbers by position).
    m_rows.Preselect(m_pOffset);
    return TRUE;
}

int CDlgBeamOffset::CountUsers(const CMemberOffset* def) const
{
    CStruct* st = m_pData->Struct();
    return vyrkeys::CountIf(st->m_pBeamList, [def](CBeamBase* b) { return b->m_pOffset == def; }) +
           vyrkeys::CountIf(st->m_pWallList, [def](CWall* w) { return w->m_pOffset == def; });
}

void CDlgBeamOffset::OnAdd()
{
    m_rows.Add([this] { return AddDefinition(); });
}

bool CDlgBeamOffset::AddDefinition()
{
    CDlgOffsetAdd dlg(this);
    if (dlg.DoModal(1) != IDOK)
        return false;
    const double unit = m_pData->UnitLength();
    auto* def = new CMemberOffset(dlg.m_fStart2 / unit, dlg.m_fStart3 / unit, dlg.m_fEnd2 / unit, dlg.m_fEnd3 / unit);
    m_pData->Struct()->m_pOffsetList->Add(def);
    return true;
}

void CDlgBeamOffset::OnEdit()
{
    m_rows.Edit([this](CMemberOffset* def) { return EditDefinition(def); });
}

bool CDlgBeamOffset::EditDefinition(CMemberOffset* def)
{
    const double unit = m_pData->UnitLength();
    CDlgOffsetAdd dlg(this);
    dlg.m_fStart2 = (float)(def->m_dOffset[0] * unit);
    dlg.m_fStart3 = (float)(def->m_dOffset[1] * unit);
    dlg.m_fEnd2 = (float)(def->m_dOffset[2] * unit);
    dlg.m_fEnd3 = (float)(def->m_dOffset[3] * unit);
    const bool confirmed = dlg.DoModal(2) == IDOK;
    if (confirmed) {
        def->m_dOffset[0] = dlg.m_fStart2 / unit;
        def->m_dOffset[1] = dlg.m_fStart3 / unit;
        def->m_dOffset[2] = dlg.m_fEnd2 / unit;
        def->m_dOffset[3] = dlg.m_fEnd3 / unit;
    }
    // The walls work their geometry out of the definition: they are given it again, also
    // after a cancelled edit.
    vyrkeys::ForEach(m_pData->Struct()->m_pWallList, [def](CWall* w) {
        if (w->m_pOffset == def)
            w->SetMemberoffset(def);
    });
    return confirmed;
}

void CDlgBeamOffset::OnDelete()
{
    m_rows.Delete();
}

void CDlgBeamOffset::OnOK()
{
    m_rows.Choose(m_pOffset);
    EndDialog(IDOK);
}

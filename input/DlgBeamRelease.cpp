#include <vyr/input/DlgBeamRelease.h>

#include <vyr/model/struct/structure.h>
#include <vyr/protocol/KeyLists.h>
#include <vyr/resources/dialogs/DefsRes.h>

// ---------------------------------------------------------------- one definition

CDlgReleaseAdd::CDlgReleaseAdd(CWnd* pParent) : CDlgWithObject<INT_PTR>(IDD_RELEASEADD, pParent) {}

void CDlgReleaseAdd::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_RELEASE_START3, m_nBoxStart3);
    DDX_Check(pDX, IDC_RELEASE_START2, m_nBoxStart2);
    DDX_Check(pDX, IDC_RELEASE_END3, m_nBoxEnd3);
    DDX_Check(pDX, IDC_RELEASE_END2, m_nBoxEnd2);
    DDX_CBIndex(pDX, IDC_RELEASE_TYPE, m_nType);
}

BOOL CDlgReleaseAdd::OnInitDialog()
{
    if (GetMode() == 2) {
        m_nBoxStart2 = m_nStart2;
        m_nBoxStart3 = m_nStart3;
        m_nBoxEnd2 = m_nEnd2;
        m_nBoxEnd3 = m_nEnd3;
    }
    CDialog::OnInitDialog();
    if (GetMode() == 2) {
        SetWindowText("杆件单元释放编辑");
        GetDlgItem(IDOK)->SetWindowText("替换");
    }
    return TRUE;
}

void CDlgReleaseAdd::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_nStart2 = m_nBoxStart2 != 0 ? 1 : 0;
    m_nStart3 = m_nBoxStart3 != 0 ? 1 : 0;
    m_nEnd2 = m_nBoxEnd2 != 0 ? 1 : 0;
    m_nEnd3 = m_nBoxEnd3 != 0 ? 1 : 0;
    EndDialog(IDOK);
}

// ---------------------------------------------------------------- library

BEGIN_MESSAGE_MAP(CDlgBeamRelease, CDialog)
    ON_BN_CLICKED(IDC_DEFS_ADD, &CDlgBeamRelease::OnAdd)
    ON_BN_CLICKED(IDC_DEFS_EDIT, &CDlgBeamRelease::OnEdit)
    ON_BN_CLICKED(IDC_DEFS_DELETE, &CDlgBeamRelease::OnDelete)
END_MESSAGE_MAP()

CDlgBeamRelease::CDlgBeamRelease(CWnd* pParent, CBeamList* beams) : CDialog(IDD_BEAMRELEASE, pParent), m_pBeamList(beams)
{
    m_rows.m_library = [this]() -> CBeamBindReleaseList* {
        return m_pData != nullptr && m_pData->Struct() != nullptr ? m_pData->Struct()->m_pReleaseList : nullptr;
    };
    m_rows.m_noneRow = {"删除", "全部刚接约束"};
    m_rows.m_rowText = [](CBeamBindRelease* def, int) -> std::vector<CString> {
        CString no, text;
        no.Format("释放%d", def->m_nNo);
        def->GetDescription(&text);
        return {no, text};
    };
    m_rows.m_deleteQuestion = [this](CBeamBindRelease* def) {
        const int users = CountUsers(def);
        CString question;
        if (users > 0)
            question.Format("%d根杆件正在使用此杆端释放类型，删除后，这些杆件杆端释放类型也被删除，您确定吗？", users);
        return question;
    };
    m_rows.m_forget = [this](CBeamBindRelease* def) {
        auto clear = [def](CBeamBase* b) {
            if (b->GetBeamBindRelease() == def)
                b->SetBeamBindRelease(nullptr);
        };
        vyrkeys::ForEach(m_pData->Struct()->m_pBeamList, clear);
        vyrkeys::ForEach(m_pBeamList, clear);
    };
    m_rows.m_noEditRow = "选择要编辑的约束！";
    m_rows.m_noDeleteRow = "选择要删除的约束！";
    m_rows.m_bSelectNoneRow = true;
    m_rows.m_bKeepSelection = true;
    m_rows.m_bFillAfterCancel = true;
}

void CDlgBeamRelease::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DEFS_LIST, m_list);
}

BOOL CDlgBeamRelease::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_rows.SetColumns({{"编号", 86}, {"描述", 320}});
    m_rows.Fill();
    // A definition's number is its row (the library numbers by position).
    m_rows.Preselect(m_pRelease);
    return TRUE;
}

int CDlgBeamRelease::CountUsers(const CBeamBindRelease* def) const
{
    return vyrkeys::CountIf(m_pData->Struct()->m_pBeamList, [def](CBeamBase* b) { return b->GetBeamBindRelease() == def; });
}

void CDlgBeamRelease::OnAdd()
{
    m_rows.Add([this] { return AddDefinition(); });
}

bool CDlgBeamRelease::AddDefinition()
{
    CDlgReleaseAdd dlg(this);
    if (dlg.DoModal(1) != IDOK)
        return false;
    auto* def = new CBeamBindRelease(dlg.m_nStart2, dlg.m_nStart3, dlg.m_nEnd2, dlg.m_nEnd3, dlg.m_nType);
    if (!m_pData->Struct()->m_pReleaseList->Add(def)) {
        // The library keeps only the one it holds.
        delete def;
        AfxMessageBox("已经添加，不再重复添加！");
        return false;
    }
    return true;
}

void CDlgBeamRelease::OnEdit()
{
    m_rows.Edit([this](CBeamBindRelease* def) { return EditDefinition(def); });
}

bool CDlgBeamRelease::EditDefinition(CBeamBindRelease* def)
{
    // Types above 1 do not exist: such a definition becomes a free rotation at once.
    if (def->m_nType > 1)
        def->m_nType = 1;
    CDlgReleaseAdd dlg(this);
    dlg.m_nStart2 = def->m_nFlag[0];
    dlg.m_nStart3 = def->m_nFlag[1];
    dlg.m_nEnd2 = def->m_nFlag[2];
    dlg.m_nEnd3 = def->m_nFlag[3];
    dlg.m_nType = def->m_nType;
    if (dlg.DoModal(2) != IDOK)
        return false;
    def->m_nFlag[0] = dlg.m_nStart2;
    def->m_nFlag[1] = dlg.m_nStart3;
    def->m_nFlag[2] = dlg.m_nEnd2;
    def->m_nFlag[3] = dlg.m_nEnd3;
    def->m_nType = dlg.m_nType;
    return true;
}

void CDlgBeamRelease::OnDelete()
{
    m_rows.Delete();
}

void CDlgBeamRelease::OnOK()
{
    // Row 0, or no row, chooses none.
    m_rows.Choose(m_pRelease);
    EndDialog(IDOK);
}

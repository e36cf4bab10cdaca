#include <vyr/input/DlgBeamRigid.h>

#include <cmath>

#include <vyr/model/struct/structure.h>
#include <vyr/protocol/KeyLists.h>
#include <vyr/resources/dialogs/DefsRes.h>

// ---------------------------------------------------------------- one rigid arm

BEGIN_MESSAGE_MAP(CDlgRigidAdd, CDialog)
    ON_WM_PAINT()
    ON_BN_CLICKED(IDC_RIGID_EXTEND, &CDlgRigidAdd::OnKind)
    ON_BN_CLICKED(IDC_RIGID_INDENT, &CDlgRigidAdd::OnKind)
END_MESSAGE_MAP()

CDlgRigidAdd::CDlgRigidAdd(CWnd* pParent) : CDlgWithObject<INT_PTR>(IDD_RIGIDADD, pParent) {}

UINT CDlgRigidAdd::PreviewBitmap(int kind) { return kind == 0 ? IDB_RIGID_EXTEND : IDB_RIGID_INDENT; }

void CDlgRigidAdd::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_RIGID_EXTEND, m_nKind);
    DDX_Text(pDX, IDC_RIGID_START, m_fStart);
    DDX_Text(pDX, IDC_RIGID_END, m_fEnd);
}

BOOL CDlgRigidAdd::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (GetMode() == 2) {
        SetWindowText("杆件刚臂编辑");
        GetDlgItem(IDOK)->SetWindowText("替换");
        // An extending arm has a negative start. A start of 0 says nothing about the kind:
        // then a positive end is an extending end arm, which must not reopen as indented
        // with its length negated.
        if (m_fStart < 0.0f || (m_fStart == 0.0f && m_fEnd > 0.0f)) {
            m_fStart = std::fabs(m_fStart);
            m_nKind = 0;
        } else {
            m_fEnd = 0.0f - m_fEnd; // no -0 in the box
            m_nKind = 1;
        }
    }
    UpdateData(FALSE);
    Invalidate();
    UpdateWindow();
    return TRUE;
}

void CDlgRigidAdd::OnPaint()
{
    CPaintDC dc(this);
    CBitmap bmp;
    CWnd* picture = GetDlgItem(IDC_RIGID_PICTURE);
    if (picture == nullptr || !bmp.LoadBitmap(PreviewBitmap(m_nKind)))
        return;
    CRect at;
    picture->GetWindowRect(&at);
    ScreenToClient(&at);
    CDC mem;
    mem.CreateCompatibleDC(&dc);
    CBitmap* old = mem.SelectObject(&bmp);
    dc.BitBlt(at.left, at.top, 272, 43, &mem, 0, 0, SRCCOPY);
    mem.SelectObject(old);
}

void CDlgRigidAdd::OnKind()
{
    UpdateData(TRUE);
    Invalidate();
    UpdateWindow();
}

void CDlgRigidAdd::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
    if (m_nKind == 0)
        m_fStart = 0.0f - m_fStart;
    else
        m_fEnd = 0.0f - m_fEnd;
}

// ---------------------------------------------------------------- library

BEGIN_MESSAGE_MAP(CDlgBeamRigid, CDialog)
    ON_BN_CLICKED(IDC_DEFS_ADD, &CDlgBeamRigid::OnAdd)
    ON_BN_CLICKED(IDC_DEFS_EDIT, &CDlgBeamRigid::OnEdit)
    ON_BN_CLICKED(IDC_DEFS_DELETE, &CDlgBeamRigid::OnDelete)
END_MESSAGE_MAP()

CDlgBeamRigid::CDlgBeamRigid(CWnd* pParent, CBeamList* beams) : CDialog(IDD_BEAMRIGID, pParent), m_pBeamList(beams)
{
    m_rows.m_library = [this]() -> CBeamRigidList* {
        return m_pData != nullptr && m_pData->Struct() != nullptr ? m_pData->Struct()->m_pRigidList : nullptr;
    };
    m_rows.m_noneRow = {"删除", "两端无刚臂"};
    m_rows.m_rowText = [](CBeamRigid* def, int) -> std::vector<CString> {
        CString no, text;
        no.Format("刚臂%d", def->m_nNo);
        def->GetDescription(&text);
        return {no, text};
    };
    m_rows.m_deleteQuestion = [this](CBeamRigid* def) {
        const int users = vyrkeys::CountIf(m_pData->Struct()->m_pBeamList, [def](CBeamBase* b) {
            CBeam* beam = b->toBeam();
            return beam != nullptr && beam->m_pRigid == def;
        });
        CString question;
        if (users > 0)
            question.Format("%d根杆件正在使用此杆端刚臂类型，删除后，这些杆件杆端刚臂类型也被删除，您确定吗？", users);
        return question;
    };
    m_rows.m_forget = [this](CBeamRigid* def) {
        auto clear = [def](CBeamBase* b) {
            CBeam* beam = b->toBeam();
            if (beam != nullptr && beam->m_pRigid == def)
                beam->m_pRigid = nullptr;
        };
        vyrkeys::ForEach(m_pData->Struct()->m_pBeamList, clear);
        vyrkeys::ForEach(m_pBeamList, clear);
    };
    m_rows.m_noEditRow = "选择要编辑的刚臂！";
    m_rows.m_noDeleteRow = "选择要删除的刚臂！";
    m_rows.m_bSelectNoneRow = true;
    m_rows.m_bKeepSelection = true;
    m_rows.m_bFillAfterCancel = true;
}

void CDlgBeamRigid::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DEFS_LIST, m_list);
}

BOOL CDlgBeamRigid::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_rows.SetColumns({{"编号", 86}, {"描述", 320}});
    m_rows.Fill();
    // A definition's number is its row (the library numbers by position).
    m_rows.Preselect(m_pRigid);
    return TRUE;
}

void CDlgBeamRigid::OnAdd()
{
    m_rows.Add([this] { return AddDefinition(); });
}

bool CDlgBeamRigid::AddDefinition()
{
    CDlgRigidAdd dlg(this);
    if (dlg.DoModal(1) != IDOK)
        return false;
    const double unit = m_pData->UnitLength();
    auto* def = new CBeamRigid(dlg.m_fStart / unit, dlg.m_fEnd / unit);
    // A repeat is dropped without a word.
    if (!m_pData->Struct()->m_pRigidList->Add(def)) {
        delete def;
        return false;
    }
    return true;
}

void CDlgBeamRigid::OnEdit()
{
    m_rows.Edit([this](CBeamRigid* def) { return EditDefinition(def); });
}

bool CDlgBeamRigid::EditDefinition(CBeamRigid* def)
{
    const double unit = m_pData->UnitLength();
    CDlgRigidAdd dlg(this);
    dlg.m_fStart = (float)(def->m_dStart * unit);
    dlg.m_fEnd = (float)(def->m_dEnd * unit);
    if (dlg.DoModal(2) != IDOK)
        return false;
    def->m_dStart = dlg.m_fStart / unit;
    def->m_dEnd = dlg.m_fEnd / unit;
    return true;
}

void CDlgBeamRigid::OnDelete()
{
    m_rows.Delete();
}

void CDlgBeamRigid::OnOK()
{
    m_rows.Choose(m_pRigid);
    EndDialog(IDOK);
}

#include <vyr/libraries/DlgBanSteelAdd.h>

#include <vyr/libraries/BanUse.h>
#include <vyr/libraries/DlgBanDiagram.h>
#include <vyr/model/material/material.h>
#include <vyr/model/section/Ban.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/BanDlgRes.h>

BEGIN_MESSAGE_MAP(CDlgBanSteelAdd, CDialog)
    ON_WM_PAINT()
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_BAN_SHEETS, &CDlgBanSteelAdd::OnSheetChanged)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_BAN_TYPES, &CDlgBanSteelAdd::OnTypeChanged)
    ON_BN_CLICKED(IDC_BAN_ADD, &CDlgBanSteelAdd::OnAdd)
    ON_BN_CLICKED(IDC_BAN_DELETE, &CDlgBanSteelAdd::OnDelete)
    ON_BN_CLICKED(IDC_BAN_EDITDIAGRAM, &CDlgBanSteelAdd::OnEditDiagram)
END_MESSAGE_MAP()

CDlgBanSteelAdd::CDlgBanSteelAdd(CWnd* pParent) : CDialog(IDD_BANSTEELADD, pParent) {}

INT_PTR CDlgBanSteelAdd::DoModal(int mode, CBan* slab)
{
    m_nMode = mode;
    m_pBan = slab;
    return CDialog::DoModal();
}

void CDlgBanSteelAdd::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BAN_SHEETS, m_listSheets);
    DDX_Control(pDX, IDC_BAN_TYPES, m_listTypes);
    DDX_CBIndex(pDX, IDC_BAN_MATERIAL, m_nMaterial);
    DDX_CBIndex(pDX, IDC_BAN_TENSION, m_nTension);
    DDX_Text(pDX, IDC_BAN_DEPTH, m_fHc);
    DDV_MinMaxFloat(pDX, m_fHc, 50.0f, 300.0f);
}

BOOL CDlgBanSteelAdd::OnInitDialog()
{
    CDialog::OnInitDialog();
    CWaitCursor wait;
    try {
        m_sheets.Open();
    } catch (CDaoException* e) {
        // The dialog cannot work without its sheets: one message, then it ends as cancelled.
        AfxMessageBox(e->m_pErrorInfo->m_strDescription);
        e->Delete();
        EndDialog(IDCANCEL);
        return TRUE;
    }
    m_listSheets.SetExtendedStyle(m_listSheets.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_sheets.SetupColumns(m_listSheets);
    m_sheets.FillList(m_listSheets);

    auto* materials = static_cast<CComboBox*>(GetDlgItem(IDC_BAN_MATERIAL));
    CMaterialList* steels = m_pData->Struct()->m_pMaterialSteelList;
    for (int i = 1; i <= (int)steels->GetCount(); ++i)
        materials->AddString(steels->Get(i)->GetName());
    materials->SetCurSel(0);
    m_nMaterial = 0;

    auto* edited = dynamic_cast<CBanSteel*>(m_pBan);
    if (m_nMode == 2 && edited != nullptr) {
        SetDlgItemText(IDC_BAN_ADD, "替 换");
        GetDlgItem(IDC_BAN_DELETE)->EnableWindow(FALSE);
        GetDlgItem(IDC_BAN_TENSION)->EnableWindow(FALSE);
        const int type = edited->GetType();
        m_nTension = type == -1 ? 0 : (type == 1 || type == 2 ? type : 0);
        m_fHc = edited->m_fThick;
        m_nMaterial = edited->m_pSheetMaterial != nullptr ? edited->m_pSheetMaterial->GetID() - 1 : 0;
        if (m_nMaterial < 0 || m_nMaterial >= materials->GetCount())
            m_nMaterial = 0;
        ShowRecord(edited->m_nDBPos);
        SetWindowText("组合楼板编辑");
    }

    m_listTypes.SetExtendedStyle(m_listTypes.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_listTypes.InsertColumn(0, "   钢板型号 ", LVCFMT_LEFT, 110);
    m_listTypes.InsertColumn(1, "高度", LVCFMT_LEFT, 38);
    m_listTypes.InsertColumn(2, "受力", LVCFMT_LEFT, 38);
    m_listTypes.InsertColumn(3, "钢板材料", LVCFMT_LEFT, 60);
    FillTable();
    UpdateData(FALSE);
    return TRUE;
}

// The record's details, and its row selected in the sheet list.
void CDlgBanSteelAdd::ShowRecord(int pos)
{
    if (!m_sheets.MoveTo(pos))
        return;
    SetDlgItemText(IDC_BAN_DETAILS, m_sheets.Details());
    m_listSheets.SetItemState(pos, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_listSheets.EnsureVisible(pos, FALSE);
}

void CDlgBanSteelAdd::FillTable()
{
    m_listTypes.DeleteAllItems();
    m_rows.clear();
    if (m_nMode == 2) {
        if (auto* edited = dynamic_cast<CBanSteel*>(m_pBan))
            m_rows.push_back(edited);
    } else {
        CBanList* types = m_pData->Struct()->m_pBanSteelList;
        for (int i = 1; i <= (int)types->GetCount(); ++i) {
            auto* type = dynamic_cast<CBanSteel*>(types->Get(i));
            const int code = type != nullptr ? type->GetType() : 0;
            if (code == -1 || code == 1 || code == 2)
                m_rows.push_back(type);
        }
    }
    for (int r = 0; r < (int)m_rows.size(); ++r) {
        CBanSteel* type = m_rows[(size_t)r];
        CString height;
        height.Format("%5.1f", type->m_nRibH + type->m_fThick);
        m_listTypes.InsertItem(r, type->m_strSheet);
        m_listTypes.SetItemText(r, 1, height);
        m_listTypes.SetItemText(r, 2, VyrBanTensionText(type->GetType()));
        m_listTypes.SetItemText(r, 3, type->m_pSheetMaterial != nullptr ? type->m_pSheetMaterial->GetName() : CString());
    }
    if (m_nMode == 1)
        Redraw();
}

CBanSteel* CDlgBanSteelAdd::SelectedType() const
{
    const int row = m_listTypes.GetNextItem(-1, LVNI_SELECTED);
    return row >= 0 && row < (int)m_rows.size() ? m_rows[(size_t)row] : nullptr;
}

void CDlgBanSteelAdd::Redraw()
{
    CWnd* frame = GetDlgItem(IDC_BAN_DIAGRAM);
    if (frame == nullptr)
        return;
    CBanSteel* type = SelectedType();
    if (type == nullptr)
        return;
    VyrDrawBanDiagram(frame, type->m_SpanArray, m_pData->UnitLength());
}

void CDlgBanSteelAdd::OnPaint()
{
    CPaintDC dc(this);
    Redraw();
}

namespace {

// A row that has just become selected, by mouse or keys; -1 for any other change.
int NewlySelected(const NMHDR* pNMHDR)
{
    const auto* nm = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    const bool selected = (nm->uNewState & LVIS_SELECTED) != 0 && (nm->uOldState & LVIS_SELECTED) == 0;
    return selected ? nm->iItem : -1;
}

} // namespace

void CDlgBanSteelAdd::OnSheetChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const int row = NewlySelected(pNMHDR);
    if (row >= 0 && m_sheets.MoveTo(row))
        SetDlgItemText(IDC_BAN_DETAILS, m_sheets.Details());
}

void CDlgBanSteelAdd::OnTypeChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const int row = NewlySelected(pNMHDR);
    if (row < 0 || row >= (int)m_rows.size())
        return;
    CBanSteel* type = m_rows[(size_t)row];
    ShowRecord(type->m_nDBPos);
    Invalidate();
    UpdateWindow();
}

void CDlgBanSteelAdd::OnAdd()
{
    if (!UpdateData(TRUE))
        return;
    const int row = m_listSheets.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0 || !m_sheets.MoveTo(row)) {
        AfxMessageBox("请先选择压型钢板！");
        return;
    }
    CBanSteel* type = nullptr;
    if (m_nMode == 2) {
        type = dynamic_cast<CBanSteel*>(m_pBan);
        if (type == nullptr)
            return;
    } else {
        type = new CBanSteel;
    }
    type->m_fThick = m_fHc;
    type->SetType(m_nTension == 0 ? -1 : m_nTension);
    type->m_pSheetMaterial = m_pData->Struct()->m_pMaterialSteelList->Get(m_nMaterial + 1);
    type->m_strSheet = m_sheets.FieldText(0);
    m_sheets.ReadNumbers(m_fValues);
    type->m_nDBPos = row;
    type->m_fSheetT = m_fValues[0];
    type->m_nRibH = (int)m_fValues[1];
    type->m_fS = m_fValues[2];
    type->m_nBe = (int)m_fValues[3];
    type->m_nB = (int)m_fValues[4];
    type->m_fIef = m_fValues[5];
    type->m_fWef = m_fValues[6];
    type->m_nb1 = (int)m_fValues[7];
    type->m_nb2 = (int)m_fValues[8];
    if (m_nMode != 2 && !m_pData->Struct()->m_pBanSteelList->Add(type))
        delete type;
    FillTable();
}

void CDlgBanSteelAdd::OnDelete()
{
    if (m_nMode != 1)
        return;
    CBanSteel* type = SelectedType();
    if (type == nullptr)
        return;
    CStruct* st = m_pData->Struct();
    if (!VyrBanUnused(st, type))
        return;
    // By the type's own position: the table leaves out types of other codes.
    CBanList* types = st->m_pBanSteelList;
    for (int i = 1; i <= (int)types->GetCount(); ++i) {
        if (types->Get(i) == type) {
            types->Delete(i);
            break;
        }
    }
    FillTable();
    Invalidate();
}

void CDlgBanSteelAdd::OnEditDiagram()
{
    CBanSteel* type = SelectedType();
    if (type == nullptr) {
        AfxMessageBox("请选择要定义的楼板！");
        return;
    }
    CDlgBanDiagram dlg(this);
    dlg.m_pData = m_pData;
    dlg.m_nKind = 0;
    dlg.m_SpanArray.Copy(type->m_SpanArray);
    if (dlg.DoModal() != IDOK)
        return;
    type->m_SpanArray.Copy(dlg.m_SpanArray);
    Invalidate();
    UpdateWindow();
}

void CDlgBanSteelAdd::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_sheets.Close();
    EndDialog(IDOK);
}

void CDlgBanSteelAdd::OnCancel()
{
    m_sheets.Close();
    CDialog::OnCancel();
}

#include <vyr/libraries/DlgBanLib.h>

#include <vyr/libraries/BanUse.h>
#include <vyr/libraries/DlgBanConcreteAdd.h>
#include <vyr/libraries/DlgBanSteelAdd.h>
#include <vyr/model/output/commonfuncs.h>
#include <vyr/model/section/Ban.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/BanLibRes.h>

BEGIN_MESSAGE_MAP(CDlgBanLib, CDialog)
    ON_NOTIFY(TCN_SELCHANGE, IDC_BANLIB_TAB, &CDlgBanLib::OnSelChangeTab)
    ON_BN_CLICKED(IDC_BANLIB_ADD, &CDlgBanLib::OnAdd)
    ON_BN_CLICKED(IDC_BANLIB_EDIT, &CDlgBanLib::OnEdit)
    ON_BN_CLICKED(IDC_BANLIB_DELETE, &CDlgBanLib::OnDelete)
END_MESSAGE_MAP()

CDlgBanLib::CDlgBanLib(CWnd* pParent) : CDialog(IDD_BANLIB, pParent) {}

void CDlgBanLib::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BANLIB_TAB, m_tab);
    DDX_Control(pDX, IDC_BANLIB_LIST, m_list);
}

BOOL CDlgBanLib::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_tab.InsertItem(0, "组合楼板");
    m_tab.InsertItem(1, "现浇单向板");
    m_tab.SetCurSel(m_pBan != nullptr && m_pBan->GetType() == 3 ? 1 : 0);
    BuildColumns();
    FillRows();
    if (m_pBan != nullptr) {
        const int row = m_pBan->m_nNo - 1;
        m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        m_list.EnsureVisible(row, FALSE);
    }
    return TRUE;
}

CBanList* CDlgBanLib::CurrentList() const
{
    CStruct* st = m_pData->Struct();
    return OneWayTab() ? st->m_pBanConcreteList : st->m_pBanSteelList;
}

void CDlgBanLib::BuildColumns()
{
    while (m_list.DeleteColumn(0)) {
    }
    CRect client;
    m_list.GetClientRect(&client);
    m_list.InsertColumn(0, "编号", LVCFMT_LEFT, 50);
    if (OneWayTab()) {
        m_list.InsertColumn(1, "厚度", LVCFMT_LEFT, client.Width() - 50);
    } else {
        m_list.InsertColumn(1, "高度", LVCFMT_LEFT, 70);
        m_list.InsertColumn(2, "钢板型号", LVCFMT_LEFT, 200);
        m_list.InsertColumn(3, "受力", LVCFMT_LEFT, client.Width() - 320);
    }
}

void CDlgBanLib::FillRows()
{
    m_list.DeleteAllItems();
    CBanList* types = CurrentList();
    const bool oneWay = OneWayTab();
    for (int i = 1; i <= (int)types->GetCount(); ++i) {
        CBan* type = types->Get(i);
        CString no;
        no.Format(oneWay ? "CP%d" : "SP%d", type->m_nNo);
        const int row = m_list.InsertItem(i - 1, no);
        if (oneWay) {
            m_list.SetItemText(row, 1, CStringFunc::GetStrFromDouble(type->m_fThick, 3));
            continue;
        }
        auto* steel = dynamic_cast<CBanSteel*>(type);
        const double height = (steel != nullptr ? steel->m_nRibH : 0) + (double)type->m_fThick;
        m_list.SetItemText(row, 1, CStringFunc::GetStrFromDouble(height, 3));
        m_list.SetItemText(row, 2, steel != nullptr ? steel->m_strSheet : CString());
        m_list.SetItemText(row, 3, VyrBanTensionText(type->GetType()));
    }
}

CBan* CDlgBanLib::SelectedType(int* row) const
{
    const int r = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (row != nullptr)
        *row = r;
    return r < 0 ? nullptr : CurrentList()->Get(r + 1);
}

void CDlgBanLib::OnSelChangeTab(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    BuildColumns();
    FillRows();
}

void CDlgBanLib::RunEditor(int mode, CBan* type)
{
    if (OneWayTab()) {
        CDlgBanConcreteAdd dlg(this);
        dlg.m_pData = m_pData;
        dlg.DoModal(mode, type);
    } else {
        CDlgBanSteelAdd dlg(this);
        dlg.m_pData = m_pData;
        dlg.DoModal(mode, type);
    }
    FillRows();
}

void CDlgBanLib::OnAdd()
{
    RunEditor(1, nullptr);
}

void CDlgBanLib::OnEdit()
{
    CBan* type = SelectedType();
    if (type == nullptr) {
        AfxMessageBox("请先选择楼板！");
        return;
    }
    RunEditor(2, type);
}

void CDlgBanLib::OnDelete()
{
    int row = -1;
    CBan* type = SelectedType(&row);
    if (type == nullptr) {
        AfxMessageBox("请先选择楼板！");
        return;
    }
    if (!VyrBanUnused(m_pData->Struct(), type))
        return;
    // A chosen type that leaves the library is no longer a choice.
    if (m_pBan == type)
        m_pBan = nullptr;
    CurrentList()->Delete(row + 1);
    FillRows();
}

void CDlgBanLib::OnOK()
{
    CBan* type = SelectedType();
    if (type == nullptr) {
        AfxMessageBox("请选定楼板！");
        return;
    }
    m_pBan = type;
    EndDialog(IDOK);
}

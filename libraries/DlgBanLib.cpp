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

CDlgBanLib::CDlgBanLib(CWnd* pParent) : CDialog(IDD_BANLIB, pParent)
{
    m_rows.m_library = [this] { return CurrentList(); };
    m_rows.m_rowText = [this](CBan* type, int) -> std::vector<CString> {
        const bool oneWay = OneWayTab();
        CString no;
        no.Format(oneWay ? "CP%d" : "SP%d", type->m_nNo);
        if (oneWay)
            return {no, CStringFunc::GetStrFromDouble(type->m_fThick, 3)};
        auto* steel = dynamic_cast<CBanSteel*>(type);
        const double height = (steel != nullptr ? steel->m_nRibH : 0) + (double)type->m_fThick;
        return {no, CStringFunc::GetStrFromDouble(height, 3), steel != nullptr ? steel->m_strSheet : CString(),
                VyrBanTensionText(type->GetType())};
    };
    m_rows.m_usedBy = [this](CBan* type) { return VyrBanUser(m_pData->Struct(), type); };
    // A chosen type that leaves the library is no longer a choice.
    m_rows.m_forget = [this](CBan* type) {
        if (m_pBan == type)
            m_pBan = nullptr;
    };
    m_rows.m_noEditRow = "请先选择楼板！";
    m_rows.m_noDeleteRow = "请先选择楼板！";
    m_rows.m_noChoice = "请选定楼板！";
}

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
    m_rows.Fill();
    m_rows.Preselect(m_pBan);
    return TRUE;
}

CBanList* CDlgBanLib::CurrentList() const
{
    CStruct* st = m_pData->Struct();
    return OneWayTab() ? st->m_pBanConcreteList : st->m_pBanSteelList;
}

void CDlgBanLib::BuildColumns()
{
    CRect client;
    m_list.GetClientRect(&client);
    if (OneWayTab())
        m_rows.SetColumns({{"编号", 50}, {"厚度", client.Width() - 50}});
    else
        m_rows.SetColumns({{"编号", 50}, {"高度", 70}, {"钢板型号", 200}, {"受力", client.Width() - 320}});
}

void CDlgBanLib::OnSelChangeTab(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    BuildColumns();
    m_rows.Fill();
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
}

// The editors store into the library themselves, so the rows are filled again whatever
// they answer.
void CDlgBanLib::OnAdd()
{
    m_rows.Add([this] {
        RunEditor(1, nullptr);
        return true;
    });
}

void CDlgBanLib::OnEdit()
{
    m_rows.Edit([this](CBan* type) {
        RunEditor(2, type);
        return true;
    });
}

void CDlgBanLib::OnDelete()
{
    m_rows.Delete();
}

void CDlgBanLib::OnOK()
{
    CBan* type = nullptr;
    if (!m_rows.Choose(type))
        return;
    m_pBan = type;
    EndDialog(IDOK);
}

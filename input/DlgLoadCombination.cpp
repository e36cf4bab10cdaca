#include <vyr/input/DlgLoadCombination.h>

#include <vector>

#include <vyr/input/DlgLCAutoParam.h>
#include <vyr/input/DlgLCDefine.h>
#include <vyr/model/output/coutput.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/LoadCombRes.h>

namespace {
const char* const kLCLibTabs[] = {"基本组合", "标准组合", "准永久组合"};

CString LCLibNumber(const CLoadCombination* lc)
{
    CString no;
    no.Format("LC%-3d", lc->m_nNo);
    return no;
}
} // namespace

BEGIN_MESSAGE_MAP(CDlgLoadCombination, CDialog)
    ON_BN_CLICKED(IDC_LCLIB_ADD, &CDlgLoadCombination::OnAdd)
    ON_BN_CLICKED(IDC_LCLIB_EDIT, &CDlgLoadCombination::OnEdit)
    ON_BN_CLICKED(IDC_LCLIB_DELETE, &CDlgLoadCombination::OnDelete)
    ON_BN_CLICKED(IDC_LCLIB_CHANGEALL, &CDlgLoadCombination::OnChangeall)
    ON_BN_CLICKED(IDC_LCLIB_OUTPUT, &CDlgLoadCombination::OnOutputall)
    ON_BN_CLICKED(IDC_LCLIB_LOCK, &CDlgLoadCombination::OnLock)
    ON_NOTIFY(TCN_SELCHANGE, IDC_LCLIB_TAB, &CDlgLoadCombination::OnSelchangeTab)
    ON_NOTIFY(NM_DBLCLK, IDC_LCLIB_LIST, &CDlgLoadCombination::OnDblclkLclist)
END_MESSAGE_MAP()

CDlgLoadCombination::CDlgLoadCombination(CWnd* pParent) : CDialog(IDD_LOADCOMBINATION, pParent)
{
    m_rows.m_library = [this] { return TabList(); };
    m_rows.m_rowText = [](CLoadCombination* lc, int) -> std::vector<CString> {
        CString description;
        lc->GetDescription(&description);
        return {LCLibNumber(lc), description};
    };
    m_rows.m_noEditRow = "请选择要编辑的荷载组合";
}

CDlgLoadCombination::~CDlgLoadCombination() = default;

void CDlgLoadCombination::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LCLIB_LIST, m_list);
    DDX_Control(pDX, IDC_LCLIB_TAB, m_tab);
    DDX_Check(pDX, IDC_LCLIB_LOCK, m_bLock);
}

BOOL CDlgLoadCombination::OnInitDialog()
{
    m_bLock = m_pData->Struct()->m_pLCList->m_nLock != 0 ? 1 : 0;
    CDialog::OnInitDialog();
    SetWindowText("工程当前分析选中荷载组合库");
    for (int i = 0; i < 3; ++i)
        m_tab.InsertItem(i, kLCLibTabs[i]);
    m_tab.SetCurSel(0);
    UpdateData(FALSE);
    FillLCColumns();
    FillLCList();
    return TRUE;
}

CLCList* CDlgLoadCombination::TabList() const
{
    if (m_pData == nullptr) return nullptr;
    switch (m_tab.GetSafeHwnd() != nullptr ? m_tab.GetCurSel() : 0) {
    case 1: return m_pData->GetSDispLCList();
    case 2: return m_pData->GetSDeflateLCList();
    default: return m_pData->GetSLCList();
    }
}

void CDlgLoadCombination::FillLCColumns() { m_rows.SetColumns({{"编号", 60}, {"描述", 580}}); }

void CDlgLoadCombination::FillLCList() { m_rows.Fill(); }

void CDlgLoadCombination::OnSelchangeTab(NMHDR*, LRESULT* pResult)
{
    FillLCList();
    *pResult = 0;
}

void CDlgLoadCombination::OnDblclkLclist(NMHDR*, LRESULT* pResult)
{
    OnEdit();
    *pResult = 0;
}

void CDlgLoadCombination::OnAdd()
{
    m_rows.Add([this] {
        auto* lc = new CLoadCombination;
        CDlgLCDefine dlg(nullptr);
        dlg.m_pData = m_pData;
        if (dlg.DoModal(lc) != IDOK) {
            delete lc;
            return false;
        }
        m_pData->Struct()->m_pLCList->Add(lc);
        TabList()->AddTail(lc);
        return true;
    });
}

void CDlgLoadCombination::OnEdit()
{
    m_rows.Edit([this](CLoadCombination* lc) {
        CDlgLCDefine dlg(nullptr);
        dlg.m_pData = m_pData;
        return dlg.DoModal(lc) == IDOK;
    });
}

void CDlgLoadCombination::OnDelete()
{
    std::vector<int> rows;
    for (int row = m_list.GetNextItem(-1, LVNI_SELECTED); row >= 0; row = m_list.GetNextItem(row, LVNI_SELECTED))
        rows.push_back(row);
    if (rows.empty()) {
        AfxMessageBox("请选择要删除的荷载组合!");
        return;
    }
    CLCList* tab = TabList();
    CLCList* all = m_pData->Struct()->m_pLCList;
    CLoadCombination* current = m_pData->GetCurrentLC();
    int deleted = 0;
    for (int row : rows) {
        if (row == 0 && m_tab.GetCurSel() == 0) {
            AfxMessageBox("工况1是基本工况不能删除!");
            return;
        }
        // The rows above moved up by the combinations already gone.
        CLoadCombination* lc = tab->Get(row + 1 - deleted);
        if (lc == nullptr) continue;
        tab->Detach(lc);
        all->Detach(lc);
        // The current one follows the first that is left, and is emptied when none is.
        if (lc->IsEqual(current)) current->Fill(all->GetHeadT());
        delete lc;
        all->ReAssignId();
        ++deleted;
    }
    FillLCList();
}

void CDlgLoadCombination::OnChangeall()
{
    CLCList* all = m_pData->Struct()->m_pLCList;
    if (all->m_nLock != 0) {
        AfxMessageBox("荷载组合已经锁定！请打开锁定！");
        return;
    }
    CDlgLCAutoParam dlg(this);
    dlg.ReadFrom(*all);
    if (dlg.DoModal() != IDOK) return;
    dlg.WriteTo(*all);
    if (AfxMessageBox("将重新根据新荷载规范重新生成荷载组合，您确定吗？", MB_YESNO) != IDYES) return;
    m_pData->ReSetLoadCombination(dlg.m_bDelete != 0);
    FillLCList();
}

void CDlgLoadCombination::OnLock()
{
    m_bLock = IsDlgButtonChecked(IDC_LCLIB_LOCK) == BST_CHECKED ? 1 : 0;
    m_pData->Struct()->m_pLCList->m_nLock = m_bLock;
}

void CDlgLoadCombination::ReDesignId()
{
    int no = 0;
    for (CLCList* list : {m_pData->GetSLCList(), m_pData->GetSDispLCList(), m_pData->GetSDeflateLCList()})
        for (POSITION pos = list->GetHeadPosition(); pos != nullptr;)
            list->GetNextT(pos)->m_nNo = ++no;
}

void CDlgLoadCombination::OnOutputall()
{
    CFileDialog dlg(FALSE, ".txt", "荷载组合.txt", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    "文本文件(*.txt)|*.txt|RTF文件(*.rtf)|*.rtf||");
    if (dlg.DoModal() != IDOK) return;
    if (!WriteLists(dlg.GetPathName())) AfxMessageBox("荷载组合输出失败！");
}

bool CDlgLoadCombination::WriteLists(const CString& path) const
{
    CString ext = path.Right(4);
    ext.MakeLower();
    COutput out;
    if (!out.InitDevice(ext == ".rtf" ? DEVICE_RTF : DEVICE_TEXT, path, 1)) return false;
    out << title(1) << title << "荷载组合" << endl << title(0);
    const CLCList* lists[] = {m_pData->GetSLCList(), m_pData->GetSDispLCList(), m_pData->GetSDeflateLCList()};
    for (int k = 0; k < 3; ++k) {
        out << title(2) << title << kLCLibTabs[k] << endl << title(0);
        out.CreateTableHead("编号", 8, 0);
        out.CreateTableHead("描述", 60, 0);
        for (POSITION pos = lists[k]->GetHeadPosition(); pos != nullptr;) {
            const CLoadCombination* lc = lists[k]->GetNextT(pos);
            CString description;
            lc->GetDescription(&description);
            out.SetTableContent(LCLibNumber(lc));
            out.SetTableContent(description);
        }
        out.EndTable();
        out << endl;
    }
    out.Close();
    return true;
}

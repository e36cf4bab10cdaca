#include <vyr/input/DlgComputeElasticSeism.h>

#include <cstdlib>

#include <vyr/input/DlgTHCase.h>
#include <vyr/input/DlgTHResult.h>
#include <vyr/input/DlgWaveFun.h>
#include <vyr/input/DlgWaveFunEdit.h>
#include <vyr/model/output/commonfuncs.h>
#include <vyr/model/record/TimeHistory.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/protocol/HostProtocol.h>
#include <vyr/resources/dialogs/THAnalysisRes.h>
#include <vyr/shell.h>
#include <vyr/winfile.h>

namespace {

void EndProcess(int code) { std::exit(code); }

VyrProcessEndFn g_processEnd = &EndProcess;

} // namespace

VyrProcessEndFn VyrSetProcessEnd(VyrProcessEndFn fn)
{
    VyrProcessEndFn previous = g_processEnd;
    g_processEnd = fn != nullptr ? fn : &EndProcess;
    return previous;
}

IMPLEMENT_DYNCREATE(CDlgComputeElasticSeism, CDialog)

BEGIN_MESSAGE_MAP(CDlgComputeElasticSeism, CDialog)
    ON_BN_CLICKED(IDC_THCALC_WAVEADD, &CDlgComputeElasticSeism::OnAdd)
    ON_BN_CLICKED(IDC_THCALC_WAVEDELETE, &CDlgComputeElasticSeism::OnDelete)
    ON_BN_CLICKED(IDC_THCALC_WAVEEDIT, &CDlgComputeElasticSeism::OnEdit)
    ON_BN_CLICKED(IDC_THCALC_CASEADD, &CDlgComputeElasticSeism::OnAddTh)
    ON_BN_CLICKED(IDC_THCALC_CASEDELETE, &CDlgComputeElasticSeism::OnDeleteTh)
    ON_BN_CLICKED(IDC_THCALC_CASEEDIT, &CDlgComputeElasticSeism::OnEditTh)
    ON_BN_CLICKED(IDC_THCALC_COMPUTE, &CDlgComputeElasticSeism::OnCompute)
    ON_BN_CLICKED(IDC_THCALC_RESULT, &CDlgComputeElasticSeism::OnResultFloor)
    ON_NOTIFY(NM_DBLCLK, IDC_THCALC_WAVELIST, &CDlgComputeElasticSeism::OnDblclkListctrl)
    ON_NOTIFY(NM_DBLCLK, IDC_THCALC_CASELIST, &CDlgComputeElasticSeism::OnDblclkListctrlTh)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CDlgComputeElasticSeism::CDlgComputeElasticSeism(CWnd* pParent)
    : CDialog(IDD_COMPUTEELASTICSEISM, pParent), m_dlgMassString(nullptr)
{
}

CStruct* CDlgComputeElasticSeism::Struct() const { return m_pData != nullptr ? m_pData->Struct() : nullptr; }

int CDlgComputeElasticSeism::SelectedRow(const CListCtrlEx& list)
{
    return list.GetSafeHwnd() != nullptr ? list.GetNextItem(-1, LVNI_SELECTED) : -1;
}

void CDlgComputeElasticSeism::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_THCALC_CASELIST, m_listTH);
    DDX_Control(pDX, IDC_THCALC_WAVELIST, m_list);
}

BOOL CDlgComputeElasticSeism::OnInitDialog()
{
    CDialog::OnInitDialog();
    FillColumns();
    return TRUE;
}

void CDlgComputeElasticSeism::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    if (bShow) {
        FillItems();
        FillListTHItems();
    }
}

void CDlgComputeElasticSeism::FillColumns()
{
    m_list.InsertColumn(0, "函数名", LVCFMT_CENTER, 112);
    m_list.InsertColumn(1, "长度(s)", LVCFMT_CENTER, 57);
    m_list.InsertColumn(2, "间隔(s)", LVCFMT_CENTER, 57);
    m_listTH.InsertColumn(0, "时程荷载", LVCFMT_CENTER, 67);
    m_listTH.InsertColumn(1, "方向", LVCFMT_CENTER, 57);
    m_listTH.InsertColumn(2, "长度(s)", LVCFMT_CENTER, 57);
    m_listTH.InsertColumn(3, "间隔(s)", LVCFMT_CENTER, 57);
}

void CDlgComputeElasticSeism::FillItems()
{
    m_list.DeleteAllItems();
    CStruct* st = Struct();
    if (st == nullptr)
        return;
    int row = 0;
    for (POSITION pos = st->m_pWaveFunList->GetHeadPosition(); pos != nullptr; ++row) {
        auto* wave = static_cast<CWaveFun*>(st->m_pWaveFunList->GetNext(pos));
        CString text;
        m_list.InsertItem(row, wave->GetName());
        text.Format("%.3f", (double)wave->GetDist());
        m_list.SetItemText(row, 1, text);
        text.Format("%.3f", (double)wave->GetStep());
        m_list.SetItemText(row, 2, text);
    }
}

void CDlgComputeElasticSeism::FillListTHItems()
{
    m_listTH.DeleteAllItems();
    CStruct* st = Struct();
    if (st == nullptr)
        return;
    int row = 0;
    for (POSITION pos = st->m_pTHCaseList->GetHeadPosition(); pos != nullptr; ++row) {
        auto* thCase = static_cast<CTHCase*>(st->m_pTHCaseList->GetNext(pos));
        CString text;
        m_listTH.InsertItem(row, thCase->GetName());
        m_listTH.SetItemText(row, 1, thCase->GetDirStr());
        text.Format("%.3f", (double)thCase->GetDist());
        m_listTH.SetItemText(row, 2, text);
        text.Format("%.3f", (double)thCase->GetStep());
        m_listTH.SetItemText(row, 3, text);
    }
}

void CDlgComputeElasticSeism::OnAdd()
{
    CDlgWaveFun dlg(CVyrFunc::GetAppPath(), Struct()->m_pWaveFunList, nullptr);
    if (dlg.DoModal() == IDOK)
        FillItems();
}

void CDlgComputeElasticSeism::OnEdit()
{
    const int row = SelectedRow(m_list);
    if (row < 0) {
        AfxMessageBox("请选择要编辑的波函数！");
        return;
    }
    CWaveFun* wave = Struct()->m_pWaveFunList->Get(row + 1);
    if (wave == nullptr)
        return;
    CDlgWaveFunEdit dlg(nullptr);
    dlg.m_pWaveFun = wave;
    if (dlg.DoModal() == IDOK)
        FillItems();
}

void CDlgComputeElasticSeism::OnDelete()
{
    const int row = SelectedRow(m_list);
    if (row < 0) {
        AfxMessageBox("请选择要删除的波函数！");
        return;
    }
    CStruct* st = Struct();
    CWaveFun* wave = st->m_pWaveFunList->Get(row + 1);
    if (wave == nullptr)
        return;
    if (st->m_pTHCaseList->IsContain(wave)) {
        AfxMessageBox("此波函数被时程荷载工况使用，不能删除！");
        return;
    }
    st->m_pWaveFunList->DeleteWaveFun(wave);
    FillItems();
}

void CDlgComputeElasticSeism::OnAddTh()
{
    CDlgTHCase dlg(nullptr);
    dlg.m_pData = m_pData;
    if (dlg.DoModal() == IDOK)
        FillListTHItems();
}

void CDlgComputeElasticSeism::OnEditTh()
{
    const int row = SelectedRow(m_listTH);
    if (row < 0) {
        AfxMessageBox("请选择要编辑的时程荷载工况！");
        return;
    }
    CTHCase* thCase = Struct()->m_pTHCaseList->Get(row + 1);
    if (thCase == nullptr)
        return;
    CDlgTHCase dlg(nullptr);
    dlg.m_pData = m_pData;
    dlg.m_pTHCase = thCase;
    // The record editor reached from the case may have changed records even on Cancel.
    if (dlg.DoModal() != 0)
        FillListTHItems();
}

void CDlgComputeElasticSeism::OnDeleteTh()
{
    const int row = SelectedRow(m_listTH);
    if (row < 0) {
        AfxMessageBox("请选择要删除的时程荷载工况！");
        return;
    }
    CTHCaseList* cases = Struct()->m_pTHCaseList;
    if (CTHCase* thCase = cases->Get(row + 1))
        cases->DeleteTHCase(thCase);
    FillListTHItems();
}

void CDlgComputeElasticSeism::OnResultFloor()
{
    CStruct* st = Struct();
    if (st->m_pTimeAnalyResultList->GetCount() == 0 || st->m_pTHCaseList->GetCount() == 0) {
        AfxMessageBox("没有计算结果！");
        return;
    }
    CDlgTHResult dlg(nullptr);
    dlg.m_pData = m_pData;
    dlg.DoModal();
}

void CDlgComputeElasticSeism::OnDblclkListctrl(NMHDR*, LRESULT* pResult)
{
    OnEdit();
    *pResult = 0;
}

void CDlgComputeElasticSeism::OnDblclkListctrlTh(NMHDR*, LRESULT* pResult)
{
    OnEditTh();
    *pResult = 0;
}

CString CDlgComputeElasticSeism::EngineCommandLine(const CString& appFolder, const CString& projectPath,
                                                   const CString& projectName, const CString& engineArg)
{
    CString line;
    line.Format("\"%s\\VyrCal.exe\" \"%s\\%s.vyr\" \"/t:CT_TIMEANALISIS\" \"/c:%s\\%s\" \"/r:%s\\%s\"",
                appFolder.GetString(), projectPath.GetString(), projectName.GetString(), appFolder.GetString(),
                engineArg.GetString(), appFolder.GetString(), engineArg.GetString());
    return line;
}

void CDlgComputeElasticSeism::OnCompute()
{
    if (Struct()->m_pTHCaseList->GetCount() == 0) {
        MessageBox("请先在时程荷载工况中添加要计算的时程荷载工况!", "计算警告!", MB_ICONEXCLAMATION);
        return;
    }
    // This dialog stays open until the engine has really started, so that a cancelled or
    // failed preparation leaves the user where he was.
    m_dlgMassString.m_pData = m_pData;
    if (m_dlgMassString.DoModal() != IDOK || m_dlgMassString.m_bRun != 1)
        return;

    const CString app = CVyrFunc::GetAppPath();
    const CString engine = app + "\\VyrCal.exe";
    const CString missing = "未找到时程分析程序：" + engine;
    // The host is told only when the engine can start: after the message it may have
    // given up state that a process that goes on needs.
    if (GetFileAttributesA(engine) == INVALID_FILE_ATTRIBUTES) {
        AfxMessageBox(missing, MB_ICONEXCLAMATION);
        return;
    }
    VyrSendToHost(WM_UI_BEFORECALC, 0, 0);
    CDocomDo::Inst().m_bFlag = 1;
    const CString line = EngineCommandLine(app, m_pData->ProjectPath(), m_pData->ProjectName(), m_strEngineArg);
    if (WinExec(line, SW_SHOWNORMAL) <= 31) {
        CDocomDo::Inst().m_bFlag = 0;
        AfxMessageBox(missing, MB_ICONEXCLAMATION);
        return;
    }
    EndDialog(IDOK);
    g_processEnd(0);
}

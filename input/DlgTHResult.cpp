#include <vyr/input/DlgTHResult.h>

#include <vyr/input/DlgOutputTHResult.h>
#include <vyr/input/THResultPlot.h>
#include <vyr/input/WavePlot.h>
#include <vyr/model/record/TimeHistory.h>
#include <vyr/model/struct/GlobalData.h>
#include <vyr/model/struct/Struct.h>
#include <vyr/resources/dialogs/THResultRes.h>

BEGIN_MESSAGE_MAP(CDlgTHResult, CDialog)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_THRESULT_LIST, &CDlgTHResult::OnItemChangedList)
    ON_NOTIFY(TCN_SELCHANGE, IDC_THRESULT_TAB, &CDlgTHResult::OnSelChangeTab)
    ON_BN_CLICKED(IDC_THRESULT_REFRESH, &CDlgTHResult::OnRefresh)
    ON_BN_CLICKED(IDC_THRESULT_REPORT, &CDlgTHResult::OnReport)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CDlgTHResult::CDlgTHResult(CWnd* pParent) : CDialog(IDD_THRESULT, pParent), m_logFont(VyrWavePlotFont()) {}

void CDlgTHResult::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_THRESULT_LIST, m_list);
    DDX_Control(pDX, IDC_THRESULT_TAB, m_tab);
    DDX_Text(pDX, IDC_THRESULT_AMPX, m_fAmplifyX);
    DDX_Check(pDX, IDC_THRESULT_AUTOX, m_bDefineX);
    DDX_Text(pDX, IDC_THRESULT_SPECX, m_fSpectrumX);
    DDX_Text(pDX, IDC_THRESULT_SPECY, m_fSpectrumY);
    DDX_Text(pDX, IDC_THRESULT_AMPY, m_fAmplifyY);
    DDX_Check(pDX, IDC_THRESULT_AUTOY, m_bDefineY);
}

CStruct* CDlgTHResult::Struct() const { return m_pData != nullptr ? m_pData->Struct() : nullptr; }

int CDlgTHResult::GetSelectedRow() const
{
    return m_list.GetSafeHwnd() != nullptr ? m_list.GetNextItem(-1, LVNI_SELECTED) : -1;
}

CTHResultRow CDlgTHResult::SelectedRow() const
{
    CStruct* st = Struct();
    return VyrTHResultRow(st != nullptr ? st->m_pTimeAnalyResultList : nullptr, GetSelectedRow());
}

float CDlgTHResult::AutoFactor(const CTHResultRow& row, bool y) const
{
    return VyrTHAmplifyFactor(row.IsAverage(), y ? m_fSpectrumY : m_fSpectrumX, row.GetBaseShear(y));
}

BOOL CDlgTHResult::OnInitDialog()
{
    CDialog::OnInitDialog();
    const char* tabs[] = {"最大楼层位移曲线", "最大层间位移角曲线", "最大楼层剪力曲线", "最大楼层弯矩曲线"};
    for (int i = 0; i < 4; ++i)
        m_tab.InsertItem(i, tabs[i]);

    CStruct* st = Struct();
    m_fSpectrumX = VyrSpectrumBaseShear(st, false);
    m_fSpectrumY = VyrSpectrumBaseShear(st, true);
    CTimeAnalyResultList* results = st != nullptr ? st->m_pTimeAnalyResultList : nullptr;
    if (results != nullptr && !results->IsEmpty()) {
        m_bDefineX = results->GetDefineX() != 0.0f;
        m_bDefineY = results->GetDefineY() != 0.0f;
    }
    UpdateData(FALSE);

    m_list.InsertColumn(0, "编号", LVCFMT_CENTER, 50);
    m_list.InsertColumn(1, "时程工况", LVCFMT_CENTER, 110);
    int row = 0;
    if (st != nullptr && st->m_pTHCaseList != nullptr) {
        for (; row < (int)st->m_pTHCaseList->GetCount(); ++row) {
            const CTHCase* c = st->m_pTHCaseList->Get(row + 1);
            CString no;
            no.Format("TH%-2d", c->GetId());
            m_list.InsertItem(row, no);
            m_list.SetItemText(row, 1, c->GetName());
        }
    }
    m_list.InsertItem(row, "Average");
    m_list.SetItemText(row, 1, "平均值");
    m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_tab.SetCurSel(0);
    return TRUE;
}

void CDlgTHResult::OnItemChangedList(NMHDR*, LRESULT* pResult)
{
    CTHResultRow row = SelectedRow();
    if (row.IsValid()) {
        for (bool y : {false, true}) {
            const bool automatic = row.GetDefine(y);
            (y ? m_bDefineY : m_bDefineX) = automatic;
            float& factor = y ? m_fAmplifyY : m_fAmplifyX;
            if (automatic) {
                factor = AutoFactor(row, y);
                row.SetAmplify(y, factor);
            } else {
                // The box shows this row's own factor, so that "刷新 >" keeps it.
                factor = row.GetAmplify(y);
            }
        }
    }
    UpdateData(FALSE);
    DrawPlots();
    *pResult = 0;
}

void CDlgTHResult::OnRefresh()
{
    if (!UpdateData(TRUE))
        return;
    CTHResultRow row = SelectedRow();
    if (row.IsValid()) {
        for (bool y : {false, true}) {
            const bool automatic = (y ? m_bDefineY : m_bDefineX) != 0;
            float& factor = y ? m_fAmplifyY : m_fAmplifyX;
            row.SetDefine(y, automatic);
            if (automatic)
                factor = AutoFactor(row, y);
            row.SetAmplify(y, factor);
        }
    }
    UpdateData(FALSE);
    DrawPlots();
}

void CDlgTHResult::OnSelChangeTab(NMHDR*, LRESULT* pResult)
{
    DrawPlots();
    *pResult = 0;
}

void CDlgTHResult::OnPaint()
{
    CPaintDC dc(this);
    DrawPlots();
}

void CDlgTHResult::DrawPlot(CDC* pDC, const CRect& rect, bool y)
{
    if (pDC == nullptr)
        return;
    pDC->Rectangle(rect);
    const int kind = m_tab.GetSafeHwnd() != nullptr ? m_tab.GetCurSel() : 0;
    VyrDrawTHPlot(pDC, rect, VyrTHPlotData(Struct(), SelectedRow()), kind, y, m_logFont);
}

void CDlgTHResult::DrawPlots()
{
    for (const int id : {IDC_THRESULT_PLOTX, IDC_THRESULT_PLOTY}) {
        CWnd* frame = GetDlgItem(id);
        if (frame == nullptr)
            continue;
        CDC* dc = frame->GetDC();
        CRect client;
        frame->GetClientRect(&client);
        DrawPlot(dc, client, id == IDC_THRESULT_PLOTY);
        frame->ReleaseDC(dc);
    }
}

void CDlgTHResult::OnReport()
{
    CDlgOutputTHResult dlg(nullptr);
    dlg.m_pData = m_pData;
    dlg.DoModal();
}

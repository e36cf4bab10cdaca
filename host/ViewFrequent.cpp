#include <vyr/host/ViewFrequent.h>

#include <vyr/commdlg.h>
#include <vyr/ddx.h>
#include <vyr/protocol/HostProtocol.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/FrequentRes.h>

IMPLEMENT_DYNCREATE(CViewFrequent, CMenuViewBase)

BEGIN_MESSAGE_MAP(CViewFrequent, CMenuViewBase)
    ON_BN_CLICKED(IDC_FREQ_DISPLAY, &CViewFrequent::OnDisplay)
    ON_BN_CLICKED(IDC_FREQ_COLOR, &CViewFrequent::OnButtonColor)
    ON_BN_CLICKED(IDC_FREQ_STOP, &CViewFrequent::OnStop)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CViewFrequent::CViewFrequent() : CMenuViewBase(IDD_VIEW_FREQUENT) {}

void CViewFrequent::DoDataExchange(CDataExchange* pDX)
{
    CMenuViewBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FREQ_LIST, m_listMode);
    DDX_Check(pDX, IDC_FREQ_SHOWORIGIN, m_bShowOrigin);
    DDX_Radio(pDX, IDC_FREQ_STATIC, m_nDisplayKind);
    DDX_Radio(pDX, IDC_FREQ_AXISPLANE, m_nModelKind);
    DDX_Text(pDX, IDC_FREQ_TIME, m_nAnimate);
    DDV_MinMaxInt(pDX, m_nAnimate, 1, 10);
    DDX_Text(pDX, IDC_FREQ_SCALE, m_nScale);
    DDV_MinMaxInt(pDX, m_nScale, 1, 1000);
}

CShowTextFrequentPara* CViewFrequent::HostSettings() const
{
    return (CShowTextFrequentPara*)VyrSendToHost(WM_UI_GETSETTINGS, 0, 11);
}

void CViewFrequent::OnInitialUpdate()
{
    CMenuViewBase::OnInitialUpdate();
    if (m_listMode.GetColumnCount() == 0)
        FillColumn();
    FillItem();
    LoadSettings();
    SendDlgItemMessage(IDC_FREQ_TIME_SPIN, UDM_SETRANGE, 0, MAKELPARAM(10, 1));
    SendDlgItemMessage(IDC_FREQ_SCALE_SPIN, UDM_SETRANGE, 0, MAKELPARAM(1000, 1));
    SendDlgItemMessage(IDC_FREQ_TIME_SPIN, UDM_SETPOS, 0, MAKELPARAM(m_nAnimate & 0xFFFF, 0));
    SendDlgItemMessage(IDC_FREQ_SCALE_SPIN, UDM_SETPOS, 0, MAKELPARAM(m_nScale & 0xFFFF, 0));
    if (!m_bmpStop.GetSafeHandle())
        m_bmpStop.LoadBitmap(IDB_FREQ_STOP);
    SendDlgItemMessage(IDC_FREQ_STOP, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)m_bmpStop.GetSafeHandle());
}

void CViewFrequent::FillColumn()
{
    m_listMode.InsertColumn(0, "振型号", LVCFMT_LEFT, 52);
    m_listMode.InsertColumn(1, " 周期（秒）", LVCFMT_LEFT, 82);
    m_listMode.InsertColumn(2, " 频率（HZ）", LVCFMT_LEFT, 82);
}

void CViewFrequent::FillItem()
{
    if (!m_listMode.GetSafeHwnd())
        return;
    m_listMode.DeleteAllItems();
    CStruct* s = m_pGlobalData ? m_pGlobalData->Struct() : nullptr;
    if (!s)
        return;
    for (int i = 0; i < s->GetCurFrequentNum(); ++i) {
        const float period = s->GetPeriod(i);
        CString name, t, f;
        name.Format("  振型%d", i + 1);
        t.Format(" %.5f", (double)period);
        // A mode of no period has no frequency to show.
        f.Format(" %.5f", period != 0.0f ? 1.0 / (double)period : 0.0);
        m_listMode.InsertItem(i, name);
        m_listMode.SetItemText(i, 1, t);
        m_listMode.SetItemText(i, 2, f);
    }
}

void CViewFrequent::LoadSettings()
{
    const CShowTextFrequentPara* host = HostSettings();
    if (host)
        m_para = *host;
    m_bShowOrigin = m_para.GetFlag(1);
    m_nDisplayKind = m_para.m_nDisplayKind;
    m_nModelKind = m_para.m_nModelKind;
    m_nAnimate = m_para.m_nAnimate;
    m_nScale = m_para.m_nScale;
    UpdateData(FALSE);
}

void CViewFrequent::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CMenuViewBase::OnShowWindow(bShow, nStatus);
    if (bShow == 1 && m_listMode.GetSafeHwnd()) {
        FillItem();
        LoadSettings();
    } else if (int* display = (int*)VyrSendToHost(WM_UI_GETSETTINGS, 0, 4)) {
        display[6] = 0;
    }
    VyrSendToHost(WM_UI_REDRAW);
}

void CViewFrequent::OnDisplay()
{
    if (!UpdateData(TRUE))
        return;
    if (m_nDisplayKind == 1 && m_nModelKind == 0) {
        AfxMessageBox("不支持对平面振型的动态显示！", MB_OK);
        return;
    }
    const int row = (int)m_listMode.SendMessage(LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
    if (row < 0) {
        AfxMessageBox("请先选择要显示振型", MB_OK);
        return;
    }
    m_para.SetState(m_bShowOrigin != 0);
    m_para.m_nDisplayKind = m_nDisplayKind;
    m_para.m_nModelKind = m_nModelKind;
    m_para.m_nAnimate = m_nAnimate;
    m_para.m_nScale = m_nScale;
    m_para.SetFlag(2, 0);
    if (CShowTextFrequentPara* host = HostSettings())
        *host = m_para;
    VyrSendToHost(WM_UI_SHOWMODE, (WPARAM)row, 0);
}

void CViewFrequent::OnButtonColor()
{
    CColorDialog dlg(m_para.m_crColor, 0, nullptr);
    if (dlg.DoModal() == IDOK) {
        m_para.m_crColor = dlg.GetColor();
        if (CShowTextFrequentPara* host = HostSettings())
            host->m_crColor = m_para.m_crColor;
        VyrSendToHost(WM_UI_REDRAW);
    }
    PaintSwatch();
}

void CViewFrequent::OnStop()
{
    VyrSendToHost(WM_UI_STOPMODE);
}

void CViewFrequent::OnDraw(CDC* pDC)
{
    CMenuViewBase::OnDraw(pDC);
    PaintSwatch();
}

void CViewFrequent::PaintSwatch()
{
    CWnd* swatch = GetDlgItem(IDC_FREQ_SWATCH);
    if (!swatch)
        return;
    CRect rc;
    swatch->GetClientRect(&rc);
    CDC* dc = swatch->GetDC();
    CBrush brush(m_para.m_crColor);
    CBrush* old = dc->SelectObject(&brush);
    dc->Rectangle(&rc);
    dc->SelectObject(old);
    swatch->ReleaseDC(dc);
}

void CViewFrequent::Resize()
{
    if (!m_listMode.GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    const int w = client.Width();
    const int s = GetScrollPosition().y;
    m_listMode.MoveWindow(10, 10 - s, w - 20, 300);
    if (CWnd* options = GetDlgItem(IDC_FREQ_OPTIONS))
        options->MoveWindow(10, 315 - s, w - 20, 135);
    if (CWnd* modes = GetDlgItem(IDC_FREQ_MODEBOX))
        modes->MoveWindow(10, 455 - s, w - 20, 80);
}

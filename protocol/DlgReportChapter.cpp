#include <vyr/protocol/DlgReportChapter.h>

#include <vyr/app.h>
#include <vyr/commdlg.h>
#include <vyr/model/output/printrichedit.h>
#include <vyr/protocol/ReportHead.h>

CDlgReportChapter::CDlgReportChapter(UINT templateId, CWnd* pParent, const CReportFrameIds& ids)
    : CDialog(templateId, pParent), m_ids(ids)
{
}

void CDlgReportChapter::OutputTitle(COutput& out, const CString& text, int flag)
{
    out << title(1) << title << text << endl << title(0);
    if (flag == 0)
        OutputReportHead(&out);
}

CRichEditCtrl* CDlgReportChapter::GetReportCtrl() const
{
    return dynamic_cast<CRichEditCtrl*>(GetDlgItem(m_ids.report));
}

void CDlgReportChapter::WriteIntoControl()
{
    CRichEditCtrl* ctrl = GetReportCtrl();
    m_output.InitDevice(DEVICE_RICHEDIT, ctrl);
    if (ctrl && m_bHideWhileWriting)
        ctrl->ShowWindow(SW_HIDE);
    Output(&m_output, 0);
    if (ctrl && m_bHideWhileWriting)
        ctrl->ShowWindow(SW_SHOW);
}

BOOL CDlgReportChapter::OnInitDialog()
{
    CDialog::OnInitDialog();
    CWaitCursor wait;
    WriteIntoControl();
    m_output.Close();
    return TRUE;
}

void CDlgReportChapter::Change()
{
    if (!UpdateData(TRUE))
        return;
    if (CRichEditCtrl* ctrl = GetReportCtrl())
        ctrl->SetWindowText("");
    WriteIntoControl();
}

BOOL CDlgReportChapter::PreTranslateMessage(MSG* pMsg)
{
    if (CRichEditCtrl* ctrl = GetReportCtrl(); ctrl && ctrl->GetSafeHwnd()) {
        long start = 0, end = 0;
        ctrl->GetSel(start, end);
        if (start != end)
            ctrl->SetSel(-1, 0);
    }
    return CDialog::PreTranslateMessage(pMsg);
}

BOOL CDlgReportChapter::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED) {
        const int id = LOWORD(wParam);
        if (id == m_ids.close) {
            OnOK();
            return TRUE;
        }
        if (id == m_ids.print) {
            Print();
            return TRUE;
        }
        if (id == m_ids.rtf || id == m_ids.txt || id == m_ids.word) {
            Save(id == m_ids.rtf ? DEVICE_RTF : id == m_ids.txt ? DEVICE_TEXT : DEVICE_WORD);
            return TRUE;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CDlgReportChapter::Save(DEVICE_TYPE device)
{
    const char* ext = device == DEVICE_RTF ? "rtf" : device == DEVICE_TEXT ? "txt" : "doc";
    const char* filter = device == DEVICE_RTF    ? "RTF文件(*.rtf)|*.rtf||"
                         : device == DEVICE_TEXT ? "文本文件(*.txt)|*.txt||"
                                                 : "Word文件(*.doc)|*.doc||";
    CFileDialog dlg(FALSE, ext, "计算书", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, this);
    if (dlg.DoModal() != IDOK)
        return;
    const CString path = dlg.GetPathName();
    CWaitCursor wait;
    if (!WriteDocument(device, path)) {
        CString msg;
        msg.Format("无法写入文件：%s", path.GetString());
        AfxMessageBox(msg);
    }
}

bool CDlgReportChapter::WriteDocument(DEVICE_TYPE device, const CString& path)
{
    COutput file;
    if (!file.InitDevice(device, path, 1))
        return false;
    Output(&file, 0);
    file.Close();
    return true;
}

void CDlgReportChapter::Print()
{
    RECT margins{1500, 1500, 1500, 1500};
    PrintRichEditCtrl(GetReportCtrl(), margins, "计算书");
}

#include <vyr/input/DlgWaveFun.h>

#include <vector>

#include <vyr/commdlg.h>
#include <vyr/input/WavePlot.h>
#include <vyr/input/WaveRecordFile.h>
#include <vyr/resources/dialogs/WaveRes.h>
#include <vyr/shell.h>
#include <vyr/winfile.h>

namespace {

struct SSiteClass
{
    const char* tab;
    const char* index;  // below the application folder
    const char* folder; // the same, with its trailing backslash
};

const SSiteClass kWaveSiteClasses[] = {
    {"I类场地", "\\Wave\\DefineI.txt", "\\Wave\\I\\"},
    {"II类场地", "\\Wave\\DefineII.txt", "\\Wave\\II\\"},
    {"III类场地", "\\Wave\\DefineIII.txt", "\\Wave\\III\\"},
    {"IV类场地", "\\Wave\\DefineIV.txt", "\\Wave\\IV\\"},
    {"USER", "\\Wave\\DefineUser.txt", "\\Wave\\User\\"},
};
constexpr int kWaveClassCount = (int)(sizeof kWaveSiteClasses / sizeof kWaveSiteClasses[0]);

bool WaveFileExists(const CString& path) { return GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES; }

} // namespace

BEGIN_MESSAGE_MAP(CDlgWaveFun, CDialog)
    ON_NOTIFY(TCN_SELCHANGE, IDC_WAVEFUN_TAB, &CDlgWaveFun::OnSelchangeTabSitetype)
    ON_NOTIFY(NM_CLICK, IDC_WAVEFUN_LIST, &CDlgWaveFun::OnClickWaveList)
    ON_NOTIFY(NM_SETFOCUS, IDC_WAVEFUN_LIST, &CDlgWaveFun::OnClickWaveList)
    ON_WM_PAINT()
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_WAVEFUN_ADD, &CDlgWaveFun::OnAdd)
    ON_BN_CLICKED(IDC_WAVEFUN_DELETE, &CDlgWaveFun::OnDelete)
    ON_BN_CLICKED(IDC_WAVEFUN_EDIT, &CDlgWaveFun::OnEdit)
    ON_BN_CLICKED(IDC_WAVEFUN_FORMAT, &CDlgWaveFun::OnFormat)
END_MESSAGE_MAP()

CDlgWaveFun::CDlgWaveFun(CString appFolder, CWaveFunList* modelList, CWnd* pParent)
    : CDialog(IDD_WAVEFUN, pParent), m_strAppPath(appFolder), m_pModelList(modelList), m_logFont(VyrWavePlotFont())
{
    m_rows.m_library = [this] { return &m_WaveFunList; };
    m_rows.m_rowText = [](CWaveFun* wave, int) {
        CString step, dist;
        step.Format("%.3f", (double)wave->GetStep());
        dist.Format("%.3f", (double)wave->GetDist());
        return std::vector<CString>{wave->GetName(), step, dist};
    };
    m_rows.m_noEditRow = "请选择要编辑的波函数！";
    m_rows.m_noDeleteRow = "请选择要删除的地震波函数！";
    m_rows.m_noChoice = "请选择要添加的地震波函数！";
    m_rows.m_deleteQuestion = [](CWaveFun*) { return CString("删除后，该地震波文件将不再能恢复，继续删除吗?"); };
    m_rows.m_remove = [this](CWaveFunList* list, CWaveFun* wave, int) {
        m_strDeleted = wave->GetName();
        list->DeleteWaveFun(wave);
        ReWritePathFile();
    };
}

int CDlgWaveFun::CurClass() const
{
    const int tab = m_tab.GetSafeHwnd() != nullptr ? m_tab.GetCurSel() : 0;
    return tab >= 0 && tab < kWaveClassCount ? tab : 0;
}

CString CDlgWaveFun::GetCurPathFileName() const { return m_strAppPath + kWaveSiteClasses[CurClass()].index; }

CString CDlgWaveFun::GetCurPathName() const { return m_strAppPath + kWaveSiteClasses[CurClass()].folder; }

void CDlgWaveFun::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WAVEFUN_LIST, m_list);
    DDX_Control(pDX, IDC_WAVEFUN_TAB, m_tab);
    DDX_Text(pDX, IDC_WAVEFUN_NAME, m_strName);
    DDX_Text(pDX, IDC_WAVEFUN_STEP, m_fStep);
    DDV_MinMaxFloat(pDX, m_fStep, 0.0f, 0.2f);
    DDX_Text(pDX, IDC_WAVEFUN_LENGTH, m_fDist);
    DDV_MinMaxFloat(pDX, m_fDist, 0.0f, 500.0f);
}

BOOL CDlgWaveFun::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (int i = 0; i < kWaveClassCount; ++i)
        m_tab.InsertItem(i, kWaveSiteClasses[i].tab);
    m_tab.SetCurSel(0);
    m_list.InsertColumn(0, "函数名", LVCFMT_CENTER, 175);
    m_list.InsertColumn(1, "间隔(s)", LVCFMT_CENTER, 60);
    m_list.InsertColumn(2, "长度(s)", LVCFMT_CENTER, 60);
    FillItem();
    return TRUE;
}

void CDlgWaveFun::FillItem()
{
    if (!VyrLoadWaveClass(GetCurPathFileName(), GetCurPathName(), m_WaveFunList)) {
        AfxMessageBox("没有地震记录定义文件!");
        // The rows still show the class read before: the tab goes back to it, so that an
        // import or a delete works on the class that is shown.
        if (m_nShownClass >= 0 && m_nShownClass != CurClass())
            m_tab.SetCurSel(m_nShownClass);
        return;
    }
    m_nShownClass = CurClass();
    m_rows.Fill();
    m_rows.SelectRow(m_list.GetItemCount() > 0 ? 0 : -1);
    FillDraw();
}

bool CDlgWaveFun::ReWritePathFile()
{
    std::vector<CString> names;
    for (int i = 1; i <= (int)m_WaveFunList.GetCount(); ++i)
        names.push_back(m_WaveFunList.Get(i)->GetName());
    if (!VyrWriteWaveIndex(GetCurPathFileName(), names)) {
        AfxMessageBox("没有目录文件!");
        return false;
    }
    return true;
}

void CDlgWaveFun::FillDraw()
{
    CWaveFun* wave = m_rows.SelectedDefinition();
    if (wave != nullptr) {
        m_strName = wave->GetName();
        m_fStep = wave->GetStep();
        m_fDist = wave->GetDist();
    } else {
        m_strName = "FUN1";
        m_fStep = 0.02f;
        m_fDist = 60.0f;
    }
    VyrDrawWavePlot(GetDlgItem(IDC_WAVEFUN_PLOT), wave, m_logFont);
    UpdateData(FALSE);
}

void CDlgWaveFun::DrawAxis(CDC* pDC, CRect rect, CWaveFun*) { VyrDrawWaveAxis(pDC, rect); }

void CDlgWaveFun::DrawPicture(CDC* pDC, CRect rect, CWaveFun* wave) { VyrDrawWaveCurve(pDC, rect, wave, m_logFont); }

void CDlgWaveFun::OnSelchangeTabSitetype(NMHDR*, LRESULT* pResult)
{
    // The shown fields are exchanged first; a range message does not stop the change.
    UpdateData(TRUE);
    FillItem();
    *pResult = 0;
}

void CDlgWaveFun::OnClickWaveList(NMHDR*, LRESULT* pResult)
{
    if (m_rows.SelectedRow() >= 0)
        FillDraw();
    *pResult = 0;
}

void CDlgWaveFun::OnPaint()
{
    CPaintDC dc(this);
    FillDraw();
}

void CDlgWaveFun::OnDestroy()
{
    CDialog::OnDestroy();
    m_WaveFunList.DeleteAll();
}

void CDlgWaveFun::OnAdd()
{
    CFileDialog dlg(TRUE, ".txt", nullptr, OFN_HIDEREADONLY, "txt Files (*.txt)|*.txt|All Files (*.*)|*.*||", nullptr);
    if (dlg.DoModal() != IDOK)
        return;
    const CString path = dlg.GetPathName();
    CString name = dlg.GetFileName();
    const int dot = name.ReverseFind('.');
    if (dot >= 0)
        name = name.Left(dot);

    SWaveRecordData data;
    const EWaveRead read = VyrReadWaveRecord(path, data);
    if (read == EWaveRead::NoFile) {
        AfxMessageBox("文件创建失败!");
        return;
    }
    // A record whose values end early is refused with the others: samples are never made up.
    const bool inRange = data.step >= 0.001f && data.step <= 1.0f && data.dist >= 0.001f && data.dist <= 1000.0f;
    if (read != EWaveRead::Ok || !inRange) {
        AfxMessageBox("文件格式错误!");
        return;
    }

    // A name already listed is the same file: its entry takes the new record, so the index
    // never names one file twice.
    CWaveFun* wave = nullptr;
    for (int i = 1; i <= (int)m_WaveFunList.GetCount() && wave == nullptr; ++i)
        if (m_WaveFunList.Get(i)->GetName().CompareNoCase(name) == 0)
            wave = m_WaveFunList.Get(i);
    if (wave == nullptr) {
        wave = new CWaveFun;
        m_WaveFunList.AddTail(wave);
    }
    wave->SetValue(name, data.step, data.dist, data.values.data());
    ReWritePathFile();
    CopyFile(path, GetCurPathName() + name + ".txt", FALSE);
    FillItem();
}

void CDlgWaveFun::OnDelete()
{
    m_strDeleted.Empty();
    if (!m_rows.Delete())
        return;
    const CString file = GetCurPathName() + m_strDeleted + ".txt";
    if (WaveFileExists(file)) {
        DeleteFile(file);
        FillItem();
        return;
    }
    AfxMessageBox("没有找到对应的文件！");
    m_rows.SelectRow(m_list.GetItemCount() > 0 ? 0 : -1);
    FillDraw();
}

bool CDlgWaveFun::EditRecordFile(CWaveFun* wave)
{
    const CString file = GetCurPathName() + wave->GetName() + ".txt";
    if (!WaveFileExists(file))
        return false;
    char program[MAX_PATH] = {0};
    if ((INT_PTR)FindExecutableA(file, "", program) == SE_ERR_NOASSOC) {
        AfxMessageBox("对不起，您缺少支持软件！");
        return false;
    }
    // Not waited for: the changed file is read at the next listing.
    ShellExecuteA(nullptr, "open", program, "\"" + file + "\"", "", SW_SHOWNORMAL);
    return false;
}

void CDlgWaveFun::OnEdit()
{
    m_rows.Edit([this](CWaveFun* wave) { return EditRecordFile(wave); });
}

void CDlgWaveFun::OnFormat()
{
    AfxMessageBox("自定义地震波文件，采用文本格式：“****”后面为定义数据，第一项为时间间隔（单位s），第二项为波长（单位s），"
                  "后面为各个时间点加速度值。如：广州波3 **** 0.02 12 0.000 -0.080...");
}

void CDlgWaveFun::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    CWaveFun* chosen = nullptr;
    if (!m_rows.Choose(chosen) || chosen == nullptr || m_pModelList == nullptr)
        return;
    // Records own their samples and cannot be copied: the model gets a new one.
    auto* copy = new CWaveFun;
    copy->SetValue(chosen->GetName(), chosen->GetStep(), chosen->GetDist(), chosen->GetValueArray());
    m_pModelList->AddTail(copy);
    EndDialog(IDOK);
}

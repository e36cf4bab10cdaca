#include <vyr/reports/DlgOutputFrequent.h>

#include <vyr/app.h>
#include <vyr/model/output/coutput.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/DlgReportChapter.h>
#include <vyr/resources/dialogs/OutputFrequentRes.h>
#include <vyr/storey/DlgOutputDocument.h>

BEGIN_MESSAGE_MAP(CDlgOutputFrequent, CDialog)
    ON_BN_CLICKED(IDC_OUTFREQ_OUTPUT, &CDlgOutputFrequent::OnOutput)
END_MESSAGE_MAP()

namespace {

const int kViewerKind = 9;

// The viewer writes this chapter from a temporary dialog that never opens.
const bool kRegistered = (CDlgOutputDocument::RegisterKind(kViewerKind,
                                                           [](CWnd*, CGlobalData* data, COutput& out, int flag) {
                                                               CDlgOutputFrequent dlg(nullptr);
                                                               dlg.m_pGlobalData = data;
                                                               dlg.Output(out, flag);
                                                           }),
                          true);

// What one mode shows, in the list and in the chapter.
struct ModeRow
{
    float period = 0.0f;
    float frequency = 0.0f;
    float ratio = 0.0f; // T(i) / T(0); 0 when the first period is 0
    float twin = 0.0f;
    float pingX = 0.0f, pingY = 0.0f;
    float massX = 0.0f, massY = 0.0f;
    CString angle;
};

int ModeCount(const CStruct* s) { return s ? s->GetCurFrequentNum() : 0; }

ModeRow Mode(const CStruct* s, int i)
{
    ModeRow r;
    r.period = s->GetPeriod(i);
    r.frequency = s->GetFrequency(i);
    const float first = s->GetPeriod(0);
    r.ratio = first != 0.0f ? r.period / first : 0.0f;
    r.twin = s->GetTwinRatio(i);
    s->GetPingRatio(i, r.pingX, r.pingY);
    float massZ = 0.0f;
    s->GetFMassTotalRatio(i, r.massX, r.massY, massZ);
    r.angle = s->GetFrequentAngleStr(i);
    return r;
}

CString Fmt(const char* format, double value)
{
    CString t;
    t.Format(format, value);
    return t;
}

CString Ping(const char* format, const ModeRow& r)
{
    CString t;
    t.Format(format, (double)r.pingX, (double)r.pingY);
    return t;
}

} // namespace

CDlgOutputFrequent::CDlgOutputFrequent(CWnd* pParent) : CDialog(IDD_OUTPUTFREQUENT, pParent) { (void)kRegistered; }

void CDlgOutputFrequent::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OUTFREQ_LIST, m_List);
}

BOOL CDlgOutputFrequent::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_pGlobalData && m_pGlobalData->Struct())
        SetDlgItemText(IDC_OUTFREQ_DIRECTION, m_pGlobalData->Struct()->GetFrequentDirectionDecription());
    FillColumn();
    FillItem();
    m_List.SetItemState(0, LVIS_SELECTED, 0xFF03);
    return TRUE;
}

void CDlgOutputFrequent::FillColumn()
{
    static const struct
    {
        const char* heading;
        int width;
    } columns[] = {{"振型", 40},       {" 周期(秒)", 70},   {" 频率(HZ)", 70},
                   {"扭转因子", 65},   {" Ti/T1", 55},      {"平动因子X+Y", 88},
                   {"方向（度）", 75}, {"有效质量X", 75},   {"有效质量Y", 75}};
    int i = 0;
    for (const auto& c : columns)
        m_List.InsertColumn(i++, c.heading, LVCFMT_LEFT, c.width);
}

void CDlgOutputFrequent::FillItem()
{
    FillModeRows(m_List, m_pGlobalData ? m_pGlobalData->Struct() : nullptr, 9);
}

void CDlgOutputFrequent::FillModeRows(CListCtrlEx& list, const CStruct* s, int columns)
{
    list.DeleteAllItems();
    for (int i = 0; i < ModeCount(s); ++i) {
        const ModeRow r = Mode(s, i);
        CString number;
        number.Format(" %-d", i + 1);
        list.InsertItem(i, number);
        const CString cells[] = {Fmt("%.5f", r.period), Fmt("%.5f", r.frequency), Fmt(" %.2f", r.twin),
                                 Fmt(" %.2f", r.ratio), Ping(" %.2f+%.2f", r), r.angle,
                                 Fmt(" %.2f", r.massX), Fmt(" %.2f", r.massY)};
        for (int c = 1; c < columns && c <= 8; ++c)
            list.SetItemText(i, c, cells[c - 1]);
    }
}

void CDlgOutputFrequent::Output(COutput& out, int flag)
{
    CWaitCursor wait;
    if (!m_pGlobalData)
        return;
    const CStruct* s = m_pGlobalData->Struct();
    CDlgReportChapter::OutputTitle(out, m_pGlobalData->ProjectName() + "动力特性信息", flag);
    out.SetFontSize(9);
    out.SetFlagAdd(0x1002);
    OutputModeTable(out, s);
    out << endl << endl;
    if (s)
        out << s->GetFrequentDirectionDecription() << endl;
}

void CDlgOutputFrequent::OutputModeTable(COutput& out, const CStruct* s)
{
    out << "结构动力特性总体信息" << endl;
    out << CString(std::string(76, '-')) << endl;
    static const struct
    {
        const char* heading;
        int width;
    } heads[] = {{"振型号", 8},         {"周期(S)", 12},        {"频率(Hz)", 12},
                 {"Ti/T1", 10},         {"扭转因子", 10},       {"平动因子X+Y", 14},
                 {"振型方向（度）", 14}, {"有效质量X", 12},      {"有效质量Y", 12}};
    for (const auto& h : heads)
        out.CreateTableHead(h.heading, h.width, 0);
    for (int i = 0; i < ModeCount(s); ++i) {
        const ModeRow r = Mode(s, i);
        CString number;
        number.Format("%2d", i + 1);
        out.SetTableContent(number);
        out.SetTableContent(Fmt("%.6f", r.period));
        out.SetTableContent(Fmt("%.6f", r.frequency));
        out.SetTableContent(Fmt("%.2f", r.ratio));
        out.SetTableContent(Fmt("%.2f", r.twin));
        out.SetTableContent(Ping("%.2f+%.2f", r));
        out.SetTableContent(r.angle);
        out.SetTableContent(Fmt("%.2f", r.massX));
        out.SetTableContent(Fmt("%.2f", r.massY));
    }
    out.EndTable();
}

void CDlgOutputFrequent::OnOutput()
{
    CDlgOutputDocument viewer(nullptr);
    viewer.m_pGlobalData = m_pGlobalData;
    viewer.m_nDocType = kViewerKind;
    viewer.DoModal();
}

#include <vyr/storey/DlgOutputDocument.h>

#include <array>

#include <vyr/resources/dialogs/ReportRes.h>
#include <vyr/resources/dialogs/StoreyRes.h>

namespace {

constexpr int kKindCount = 10;

constexpr std::array<const char*, kKindCount> kCaptions = {
    "层抗侧刚度比统计报告",     "层剪力与倾覆力矩统计报告", "层位移和位移比统计报告",
    "舒适度统计报告",           "层受剪承载力统计报告",     "层整体地震内力调整统计报告",
    "层框架地震内力调整统计报告", "层偏心率统计报告",         "整体稳定性统计报告",
    "自振特性统计报告"};

std::array<CDlgOutputDocument::KindWriter, kKindCount>& Writers()
{
    static std::array<CDlgOutputDocument::KindWriter, kKindCount> writers{};
    return writers;
}

// The viewer's own template: rich edit 1604, closed by IDOK, its own save button ids.
constexpr CReportFrameIds kViewerIds{IDC_REPORT_TEXT, IDOK, IDC_REPORT_PRINT, IDC_DOC_RTF, IDC_DOC_TXT, IDC_DOC_WORD};

} // namespace

CDlgOutputDocument::CDlgOutputDocument(CWnd* pParent) : CDlgReportChapter(IDD_OUTPUTDOCUMENT, pParent, kViewerIds) {}

CString CDlgOutputDocument::KindCaption(int kind)
{
    return kind >= 0 && kind < kKindCount ? kCaptions[(size_t)kind] : "文档输出";
}

void CDlgOutputDocument::RegisterKind(int kind, KindWriter writer)
{
    if (kind >= 0 && kind < kKindCount)
        Writers()[(size_t)kind] = writer;
}

CWnd* CDlgOutputDocument::GetOwnerDialog() const
{
    return GetSafeHwnd() ? CWnd::FromHandle(::GetParent(GetSafeHwnd())) : nullptr;
}

void CDlgOutputDocument::Output(COutput* out, int flag)
{
    if (out == nullptr || m_nDocType < 0 || m_nDocType >= kKindCount)
        return;
    if (KindWriter writer = Writers()[(size_t)m_nDocType])
        writer(GetOwnerDialog(), m_pGlobalData, *out, flag);
}

BOOL CDlgOutputDocument::OnInitDialog()
{
    // The caption before the chapter is written, so the window names what it shows.
    if (m_nDocType >= 0 && m_nDocType < kKindCount)
        SetWindowText(KindCaption(m_nDocType));
    return CDlgReportChapter::OnInitDialog();
}

INT_PTR CDlgOutputDocument::Open(CWnd* parent, CGlobalData* data, int kind)
{
    CDlgOutputDocument viewer(parent);
    viewer.m_pGlobalData = data;
    viewer.m_nDocType = kind;
    return viewer.DoModal();
}

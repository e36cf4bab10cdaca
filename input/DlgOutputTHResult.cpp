#include <vyr/input/DlgOutputTHResult.h>

#include <vyr/app.h>
#include <vyr/input/THResultRows.h>
#include <vyr/model/record/TimeHistory.h>
#include <vyr/model/struct/GlobalData.h>
#include <vyr/model/struct/Struct.h>
#include <vyr/resources/dialogs/THResultRes.h>

namespace {

void Heading(COutput& out, const char* text, bool tabBeforeEnd = false)
{
    out << endl << title(2) << title << text << endl;
    if (tabBeforeEnd)
        out << tab;
    out << title(0);
}

void Caption(COutput& out, const CString& text, bool leadingEndl = true)
{
    out.SetFlagAdd(OUTPUT_FLAG_EMPHASIS);
    if (leadingEndl)
        out << endl;
    out << "表" << title(3) << title << text << endl << title(0);
    out.SetFlagSub(OUTPUT_FLAG_EMPHASIS);
}

void BodyStyle(COutput& out, float size)
{
    out.SetTextStyle(0, false, false, size, 0, 1);
    out.SetTextStyle(3, true, false, size, 0, 1);
}

CString Fmt(const char* format, double value)
{
    CString text;
    text.Format(format, value);
    return text;
}

// One direction's table of a row: storeys 1 to count - 1 and the row's factor below it.
void ResponseTable(COutput& out, const CStruct* st, const CTHResultRow& row, int count, bool y, const CString& caption)
{
    Caption(out, caption);
    out.CreateTableHead("楼层", 5, 0);
    out.CreateTableHead("楼层位移", 15, 0);
    out.CreateTableHead("层间位移角", 15, 0);
    out.CreateTableHead("楼层剪力", 15, 0);
    out.CreateTableHead("楼层弯矩", 15, 0);
    for (int i = 1; i < count; ++i) {
        out.SetTableContent((long)i);
        out.SetTableContent(Fmt("%.2f", row.Get(TH_DISP, y, i)));
        out.SetTableContent(VyrTHDriftText(VyrTHDriftAngle(row.Get(TH_DRIFT, y, i), VyrTHEntryH(st, i))));
        out.SetTableContent(Fmt("%.3f", row.Get(TH_SHEAR, y, i)));
        out.SetTableContent(Fmt("%.3f", row.Get(TH_MOMENT, y, i)));
    }
    out.EndTable();
    out << Fmt("注:地震力放大系数:%.3f", row.GetAmplify(y)) << endl << endl;
}

} // namespace

BEGIN_MESSAGE_MAP(CDlgOutputTHResult, CDlgReportChapter)
    ON_BN_CLICKED(IDC_THREPORT_LOADS, &CDlgOutputTHResult::OnBoxClicked)
    ON_BN_CLICKED(IDC_THREPORT_CASES, &CDlgOutputTHResult::OnBoxClicked)
    ON_BN_CLICKED(IDC_THREPORT_AVERAGE, &CDlgOutputTHResult::OnBoxClicked)
END_MESSAGE_MAP()

CDlgOutputTHResult::CDlgOutputTHResult(CWnd* pParent) : CDlgReportChapter(IDD_OUTPUTTHRESULT, pParent) {}

void CDlgOutputTHResult::DoDataExchange(CDataExchange* pDX)
{
    CDlgReportChapter::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_THREPORT_CASES, m_bCases);
    DDX_Check(pDX, IDC_THREPORT_LOADS, m_bLoads);
    DDX_Check(pDX, IDC_THREPORT_AVERAGE, m_bAverage);
}

void CDlgOutputTHResult::OnBoxClicked() { Change(); }

void CDlgOutputTHResult::Output(COutput* pOut, int)
{
    if (pOut == nullptr)
        return;
    CWaitCursor wait;
    COutput& out = *pOut;
    const CString project = m_pData != nullptr ? m_pData->ProjectName() : CString();
    const CStruct* st = m_pData != nullptr ? m_pData->Struct() : nullptr;

    out << title(1) << title << project << "弹性时程分析结果信息" << endl << title(0);
    Heading(out, "分析结果说明", true);
    out << "本文为" << project << "结构弹性时程分析结果信息。" << endl << tab;
    out << "本文使用的单位为cm、kN和s; 加速度为gal(cm/s/s)。" << endl << tab;
    out.SetFlagAdd(OUTPUT_FLAG_NUMBERS);
    out.SetPrecision(3);
    if (st == nullptr)
        return;

    if (m_bLoads && st->m_pTHCaseList != nullptr) {
        BodyStyle(out, 9.0f);
        Heading(out, "时程工况信息");
        Caption(out, "时程工况表", false);
        const struct
        {
            const char* heading;
            int width;
        } columns[] = {{"工况号", 5},     {"工况名", 10},   {"间距", 10},      {"波长", 10},
                       {"X向波函数", 25}, {"X向峰值", 10}, {"Y向波函数", 25}, {"Y向峰值", 10}};
        for (const auto& c : columns)
            out.CreateTableHead(c.heading, c.width, 0);
        long k = 0;
        for (POSITION pos = st->m_pTHCaseList->GetHeadPosition(); pos != nullptr;) {
            const CTHCase* c = static_cast<const CTHCase*>(st->m_pTHCaseList->GetNext(pos));
            out.SetTableContent(++k);
            out.SetTableContent(c->GetName());
            out.SetTableContent(Fmt("%.3f", c->GetStep()));
            out.SetTableContent(Fmt("%.3f", c->GetDist()));
            for (bool y : {false, true}) {
                const CWaveFun* wave = y ? c->GetWaveFunY() : c->GetWaveFunX();
                out.SetTableContent(wave != nullptr ? wave->GetName() : CString("无"));
                out.SetTableContent(wave != nullptr ? Fmt("%.3f", y ? c->GetMaxY() : c->GetMaxX()) : CString("---"));
            }
        }
        out.EndTable();
        BodyStyle(out, 10.5f);
    }

    CTimeAnalyResultList* results = st->m_pTimeAnalyResultList;
    const int count = results != nullptr ? results->GetFloorNum() : 0;
    if (results == nullptr || results->IsEmpty() || count == 0)
        return;

    if (m_bAverage) {
        Heading(out, "平均最大反应信息");
        const CTHResultRow average = VyrTHResultRow(results, (int)results->GetCount());
        ResponseTable(out, st, average, count, false, "X向平均最大反应表");
        ResponseTable(out, st, average, count, true, "Y向平均最大反应表");
        BodyStyle(out, 10.5f);
    }
    if (m_bCases) {
        Heading(out, "各时程工况最大反应信息");
        for (int k = 1; k <= (int)results->GetCount(); ++k) {
            const CTHResultRow row = VyrTHResultRow(results, k - 1);
            CString caption;
            caption.Format("第%d时程工况-X向平均最大反应表", k);
            ResponseTable(out, st, row, VyrTHEntryCount(row), false, caption);
            caption.Format("第%d时程工况-Y向平均最大反应表", k);
            ResponseTable(out, st, row, VyrTHEntryCount(row), true, caption);
            BodyStyle(out, 10.5f);
        }
    }
}

// The time-history results report: its sections by box, the values with their factors,
// storeys numbered from 1, a model without results, saving (read back with unrtf), a save
// that fails, and printing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <vyr/input/DlgOutputTHResult.h>
#include <vyr/resources/dialogs/ReportRes.h>
#include <vyr/resources/dialogs/THResultRes.h>
#include <vyr/scripteduser.h>
#include "THResultTestKit.h"
#include "model/output/output_test_util.h"
#include "support/DialogTest.h"
#include "support/TextReadSpy.h"

using vyr::ScriptedUser;
using namespace thtest;

namespace {

using Row = std::vector<std::string>;
const Row kResponseHead = {"楼层", "楼层位移", "层间位移角", "楼层剪力", "楼层弯矩"};

std::string ControlText(CDialog* d)
{
    CString t;
    d->GetDlgItemText(IDC_REPORT_EDIT, t);
    return t.GetString();
}

size_t Count(const std::string& text, const std::string& part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++n;
    return n;
}

size_t CountRows(const std::vector<Row>& rows, const Row& row) { return (size_t)std::count(rows.begin(), rows.end(), row); }

size_t CountLines(const std::vector<std::string>& lines, const std::string& part)
{
    return (size_t)std::count_if(lines.begin(), lines.end(),
                                 [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

class THReportTest : public vyrtest::DialogTest
{
protected:
    outtest::TempDir dir;

    // Opens the report on the model, takes the boxes' states, saves it as RTF and reads it back.
    outtest::RtfReading Saved(THModel& m, bool loads = true, bool cases = true, bool average = true)
    {
        const std::string path = dir.File("th.rtf");
        ScriptedUser::Check(IDC_THREPORT_LOADS, loads ? BST_CHECKED : BST_UNCHECKED, IDD_OUTPUTTHRESULT);
        ScriptedUser::Check(IDC_THREPORT_CASES, cases ? BST_CHECKED : BST_UNCHECKED, IDD_OUTPUTTHRESULT);
        ScriptedUser::Check(IDC_THREPORT_AVERAGE, average ? BST_CHECKED : BST_UNCHECKED, IDD_OUTPUTTHRESULT);
        ScriptedUser::Click(IDC_REPORT_RTF, IDD_OUTPUTTHRESULT);
        ScriptedUser::AnswerFileDialog(path.c_str());
        ScriptedUser::PressOK(IDD_OUTPUTTHRESULT);
        CDlgOutputTHResult dlg;
        dlg.m_pData = &m.data;
        EXPECT_EQ(dlg.DoModal(), IDOK);
        const outtest::RtfReading r = outtest::ReadRtf(path);
        EXPECT_TRUE(r.ok) << "unrtf could not read the report";
        return r;
    }
};

// The lines with text, without the indents of tab.
std::vector<std::string> NonEmpty(const std::vector<std::string>& lines)
{
    std::vector<std::string> out;
    for (const std::string& l : lines)
        if (const std::string t = outtest::Trim(l); !t.empty())
            out.push_back(t);
    return out;
}

} // namespace

TEST_F(THReportTest, WithAllBoxesClearedOnlyTheTitleAndTheExplanationRemain)
{
    THModel m(3);
    m.Cases(2);
    m.Result(4, 600, 400);
    const outtest::RtfReading r = Saved(m, false, false, false);
    EXPECT_EQ(NonEmpty(r.lines), (std::vector<std::string>{"测试工程弹性时程分析结果信息", "分析结果说明",
                                                            "本文为测试工程结构弹性时程分析结果信息。",
                                                            "本文使用的单位为cm、kN和s; 加速度为gal(cm/s/s)。"}));
    EXPECT_TRUE(r.rows.empty());
}

TEST_F(THReportTest, CaseValuesCarryTheirFactorAndStoreysRunFromOne)
{
    THModel m(3);
    m.Cases(2);
    CTimeAnalyResult* one = m.Result(4, 600, 400);
    m.Result(4, 800, 400);
    one->SetAmplifyX(1.2f);
    const outtest::RtfReading r = Saved(m);
    // Case 1 in X: displacement 1.0, drift 0.5 over 300 cm, shear 100 and moment 1000, all x 1.2.
    const Row scaled1 = {"1", "1.20", "1/500.0", "120.000", "1200.000"};
    EXPECT_EQ(CountRows(r.rows, scaled1), 1u);
    EXPECT_EQ(CountRows(r.rows, {"3", "1.20", "1/500.0", "120.000", "1200.000"}), 1u);
    // The average in X and case 2 in X: the stored values; Y of every table: 2.0, 0.6 over 300, 50, 2000.
    EXPECT_EQ(CountRows(r.rows, {"1", "1.00", "1/600.0", "100.000", "1000.000"}), 2u);
    EXPECT_EQ(CountRows(r.rows, {"2", "2.00", "1/500.0", "50.000", "2000.000"}), 3u);
    // Entry 0, the base (its shear 600 x 1.2), is not a storey of the tables.
    for (const Row& row : r.rows) {
        if (row.size() == 5 && row != kResponseHead) {
            EXPECT_NE(row[0], "0");
            EXPECT_NE(row[3], "720.000");
        }
    }
    EXPECT_EQ(CountRows(r.rows, kResponseHead), 6u);
    EXPECT_EQ(CountLines(r.lines, "注:地震力放大系数:1.200"), 1u);
    EXPECT_EQ(CountLines(r.lines, "注:地震力放大系数:1.000"), 5u);
    EXPECT_EQ(CountLines(r.lines, "平均最大反应信息"), 1u);
    EXPECT_EQ(CountLines(r.lines, "各时程工况最大反应信息"), 1u);
    EXPECT_EQ(CountLines(r.lines, "第1时程工况-X向平均最大反应表"), 1u);
    EXPECT_EQ(CountLines(r.lines, "第2时程工况-Y向平均最大反应表"), 1u);
}

TEST_F(THReportTest, WithOneEntryEveryTableHasItsCaptionHeadingsAndNoteButNoRows)
{
    THModel m(3);
    m.Cases(2);
    m.Result(1, 600, 400);
    m.Result(1, 800, 400);
    const outtest::RtfReading r = Saved(m, false);
    EXPECT_EQ(CountRows(r.rows, kResponseHead), 6u);
    EXPECT_EQ(r.rows.size(), 6u) << "headings only";
    EXPECT_EQ(CountLines(r.lines, "注:地震力放大系数:"), 6u);
    for (const char* caption : {"X向平均最大反应表", "Y向平均最大反应表", "第1时程工况-X向平均最大反应表",
                                "第1时程工况-Y向平均最大反应表", "第2时程工况-X向平均最大反应表",
                                "第2时程工况-Y向平均最大反应表"})
        EXPECT_GE(CountLines(r.lines, caption), 1u) << caption;
}

TEST_F(THReportTest, CasesWithoutResultsGiveTheCaseTableOnly)
{
    THModel m(3);
    m.Cases(2);
    CWaveFun* wave = new CWaveFun;
    wave->SetName("EQ1");
    m.st.m_pWaveFunList->AddTail(wave);
    m.st.m_pTHCaseList->Get(1)->SetWaveFunX(wave);
    m.st.m_pTHCaseList->Get(1)->SetMaxX(35.0f);
    const outtest::RtfReading r = Saved(m);
    EXPECT_EQ(r.rows, (std::vector<Row>{{"工况号", "工况名", "间距", "波长", "X向波函数", "X向峰值", "Y向波函数", "Y向峰值"},
                                        {"1", "TH1", "0.020", "20.000", "EQ1", "35.000", "无", "---"},
                                        {"2", "TH2", "0.020", "20.000", "无", "---", "无", "---"}}));
    EXPECT_EQ(CountLines(r.lines, "时程工况信息"), 1u);
    EXPECT_EQ(CountLines(r.lines, "平均最大反应信息"), 0u);
    EXPECT_EQ(CountLines(r.lines, "各时程工况最大反应信息"), 0u);
}

TEST_F(THReportTest, StoreysWithoutHeightAndCasesWithFewerEntriesAreWrittenSafely)
{
    THModel m(3);
    m.st.m_pFloorList->Get(2)->m_dZ = 0.0; // storey 1 without height
    m.st.m_pFloorList->Relink();
    m.Cases(2);
    m.Result(4, 600, 400);
    m.Result(2, 800, 400); // fewer entries than the first case
    const outtest::RtfReading r = Saved(m, false, true, false);
    EXPECT_EQ(CountRows(r.rows, {"1", "1.00", "0.000", "100.000", "1000.000"}), 2u);
    EXPECT_EQ(CountRows(r.rows, kResponseHead), 4u);
    // Case 2 lists its one storey only.
    size_t rowsOfCase2 = 0;
    for (size_t i = 0, table = 0; i < r.rows.size(); ++i) {
        table += r.rows[i] == kResponseHead;
        rowsOfCase2 += table >= 3 && r.rows[i] != kResponseHead;
    }
    EXPECT_EQ(rowsOfCase2, 2u) << "one storey in X and one in Y";
}

TEST_F(THReportTest, EachBoxClickRewritesTheWholeReport)
{
    THModel m(3);
    m.Cases(2);
    m.Result(4, 600, 400);
    std::string first, cleared, again;
    ScriptedUser::Run([&](CDialog* d) { first = ControlText(d); }, IDD_OUTPUTTHRESULT);
    ScriptedUser::Check(IDC_THREPORT_LOADS, BST_UNCHECKED, IDD_OUTPUTTHRESULT);
    ScriptedUser::Run([&](CDialog* d) { cleared = ControlText(d); }, IDD_OUTPUTTHRESULT);
    ScriptedUser::Check(IDC_THREPORT_LOADS, BST_CHECKED, IDD_OUTPUTTHRESULT);
    ScriptedUser::Run([&](CDialog* d) { again = ControlText(d); }, IDD_OUTPUTTHRESULT);
    ScriptedUser::PressOK(IDD_OUTPUTTHRESULT);
    CDlgOutputTHResult dlg;
    dlg.m_pData = &m.data;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(Count(first, "分析结果说明"), 1u);
    EXPECT_EQ(Count(first, "时程工况信息"), 1u);
    EXPECT_EQ(Count(cleared, "分析结果说明"), 1u);
    EXPECT_EQ(Count(cleared, "时程工况信息"), 0u);
    EXPECT_EQ(again, first);
}

TEST_F(THReportTest, AFailedSaveSaysSoAndTheDialogStays)
{
    THModel m(3);
    m.Cases(1);
    const std::string path = dir.File("no-such-folder/th.rtf");
    bool stillOpen = false;
    ScriptedUser::Click(IDC_REPORT_TXT, IDD_OUTPUTTHRESULT);
    ScriptedUser::AnswerFileDialog(path.c_str());
    ScriptedUser::AnswerMessageBox(IDOK, "无法写入文件");
    ScriptedUser::Run([&](CDialog*) { stillOpen = true; }, IDD_OUTPUTTHRESULT);
    ScriptedUser::PressOK(IDD_OUTPUTTHRESULT);
    CDlgOutputTHResult dlg;
    dlg.m_pData = &m.data;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(stillOpen);
}

TEST_F(THReportTest, PrintPrintsTheReportControl)
{
    THModel m(3);
    m.Cases(1);
    vyrtest::CTextReadSpy spy;
    int reads = -1;
    ScriptedUser::Run([&](CDialog* d) { ASSERT_TRUE(spy.SubclassDlgItem(IDC_REPORT_EDIT, d)); }, IDD_OUTPUTTHRESULT);
    ScriptedUser::Click(IDC_REPORT_PRINT, IDD_OUTPUTTHRESULT);
    ScriptedUser::AnswerPrintDialog(true);
    ScriptedUser::Run([&](CDialog*) {
        reads = spy.m_nReads;
        spy.UnsubclassWindow();
    }, IDD_OUTPUTTHRESULT);
    ScriptedUser::PressOK(IDD_OUTPUTTHRESULT);
    CDlgOutputTHResult dlg;
    dlg.m_pData = &m.data;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_GT(reads, 0);
    int printDialogs = 0;
    for (const vyr::DialogRecord& r : ScriptedUser::Dialogs())
        printDialogs += r.name == "CPrintDialog";
    EXPECT_EQ(printDialogs, 1);
}

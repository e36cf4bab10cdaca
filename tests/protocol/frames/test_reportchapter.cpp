// The report dialog frame under a scripted user, with a small report of its own: the
// chapter contract, the rewrite from an emptied control, the locked selection, printing of
// the own control, and the saved documents read back by independent readers.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <vyr/ddx.h>
#include <vyr/protocol/DlgReportChapter.h>
#include <vyr/resources.h>
#include <vyr/scripteduser.h>
#include "model/output/output_test_util.h"
#include "support/TextReadSpy.h"

using vyr::ScriptedUser;

namespace {

constexpr UINT IDD_TESTREPORT = 9801;
constexpr int IDC_TESTREPORT_SECOND = 2001;

// A report dialog with one section box, in the frame's usual layout.
const char* const kChapterScript = R"rc(#pragma code_page(65001)
9801 DIALOGEX 0, 0, 300, 200
STYLE DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
CAPTION "测试报告"
FONT 9, "宋体", 400, 0, 0x86
BEGIN
    AUTOCHECKBOX    "第二节",2001,7,7,60,10,WS_TABSTOP
    CONTROL         "",1610,"RichEdit20A",ES_MULTILINE | ES_READONLY | WS_BORDER | WS_VSCROLL,7,20,286,150
    PUSHBUTTON      "RTF输出(推荐)",1606,7,178,60,14
    PUSHBUTTON      "TXT输出",1607,70,178,50,14
    PUSHBUTTON      "Word输出",1608,123,178,50,14
    PUSHBUTTON      "打印...",1033,176,178,50,14
    DEFPUSHBUTTON   "关闭",1,243,178,50,14
END
)rc";

const std::string kRule(68, '=');

class CTestReport : public CDlgReportChapter
{
public:
    explicit CTestReport(bool hideWhileWriting = false) : CDlgReportChapter(IDD_TESTREPORT, nullptr)
    {
        m_bHideWhileWriting = hideWhileWriting;
    }

    int m_bSecond = 0;
    int m_nWrites = 0;
    std::vector<bool> m_visibleWhileWriting;

    void Output(COutput* out, int flag) override
    {
        ++m_nWrites;
        if (CRichEditCtrl* ctrl = GetSafeHwnd() ? GetReportCtrl() : nullptr)
            m_visibleWhileWriting.push_back((ctrl->GetStyle() & WS_VISIBLE) != 0); // the dialog may not show yet
        OutputTitle(*out, "测试报告", flag);
        *out << "第一节" << endl;
        if (m_bSecond)
            *out << "第二节" << endl;
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDlgReportChapter::DoDataExchange(pDX);
        DDX_Check(pDX, IDC_TESTREPORT_SECOND, m_bSecond);
    }
    void OnSecond() { Change(); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestReport, CDlgReportChapter)
    ON_BN_CLICKED(IDC_TESTREPORT_SECOND, &CTestReport::OnSecond)
END_MESSAGE_MAP()

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string cur;
    for (char c : text) {
        if (c == '\r')
            continue;
        if (c == '\n') {
            lines.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty())
        lines.push_back(cur);
    return lines;
}

// Lines with every run of blanks and tabs made one blank, empty lines left out: readers
// show a tab as blanks and differ in empty paragraphs.
std::vector<std::string> Normalised(const std::vector<std::string>& lines)
{
    std::vector<std::string> out;
    for (const std::string& l : lines) {
        std::istringstream in(l);
        std::string word, joined;
        while (in >> word)
            joined += (joined.empty() ? "" : " ") + word;
        if (!joined.empty())
            out.push_back(joined);
    }
    return out;
}

std::string ControlText(CDialog* d)
{
    CString text;
    static_cast<CTestReport*>(d)->GetReportCtrl()->GetWindowText(text);
    return text.str();
}

int Count(const std::vector<std::string>& lines, const std::string& line)
{
    return (int)std::count(lines.begin(), lines.end(), line);
}

class ReportFrameTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        vyr::VyrSetResourceDir((std::string(VYR_SOURCE_DIR) + "/resources").c_str());
        std::string error;
        ASSERT_TRUE(vyr::AddResourceScriptText(kChapterScript, "test_reportchapter.rc", &error)) << error;
    }
    void SetUp() override { ScriptedUser::Reset(); }
    void TearDown() override
    {
        EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);
        ScriptedUser::Reset();
    }
};

TEST_F(ReportFrameTest, AStandAloneChapterHasOneHeadRightAfterItsTitleASectionNone)
{
    struct Case
    {
        int flag;
        int rules;
    };
    for (const Case c : {Case{0, 1}, Case{1, 0}}) {
        SCOPED_TRACE("flag " + std::to_string(c.flag));
        outtest::TempDir dir;
        const std::string path = dir.File("chapter.txt");
        CTestReport report;
        {
            COutput out;
            ASSERT_TRUE(out.InitDevice(DEVICE_TEXT, CString(path), 1));
            report.Output(&out, c.flag);
            // The chapter left the writer open: the caller appends to it.
            EXPECT_EQ(out.GetDeviceType(), DEVICE_TEXT);
            out << "下一章" << endl;
        }
        const std::vector<std::string> lines = outtest::ReadGbkLines(path);
        ASSERT_GE(lines.size(), 3u);
        EXPECT_EQ(lines[0], "测试报告");
        EXPECT_EQ(Count(lines, kRule), c.rules);
        if (c.rules) {
            EXPECT_EQ(lines[1], kRule);
        }
        EXPECT_EQ(lines.back(), "下一章");
    }
}

TEST_F(ReportFrameTest, OpeningWritesTheStandAloneChapterAndABoxRewritesItFromAnEmptyControl)
{
    CTestReport dlg;
    std::vector<std::string> opened, ticked, unticked;
    ScriptedUser::Run([&](CDialog* d) { opened = SplitLines(ControlText(d)); });
    ScriptedUser::Check(IDC_TESTREPORT_SECOND, BST_CHECKED);
    ScriptedUser::Run([&](CDialog* d) { ticked = SplitLines(ControlText(d)); });
    ScriptedUser::Check(IDC_TESTREPORT_SECOND, BST_UNCHECKED);
    ScriptedUser::Run([&](CDialog* d) { unticked = SplitLines(ControlText(d)); });
    ScriptedUser::Click(IDOK);
    EXPECT_EQ(dlg.DoModal(), IDOK);

    ASSERT_GE(opened.size(), 2u);
    EXPECT_EQ(opened[0], "测试报告");
    EXPECT_EQ(opened[1], kRule);
    EXPECT_EQ(Count(opened, "第二节"), 0);
    for (const auto* text : {&ticked, &unticked}) {
        ASSERT_FALSE(text->empty());
        EXPECT_EQ((*text)[0], "测试报告") << "the rewrite starts from the top";
        EXPECT_EQ(Count(*text, "测试报告"), 1);
        EXPECT_EQ(Count(*text, kRule), 1);
        EXPECT_EQ(Count(*text, "第一节"), 1);
    }
    EXPECT_EQ(Count(ticked, "第二节"), 1);
    EXPECT_EQ(Count(unticked, "第二节"), 0);
    EXPECT_EQ(dlg.m_nWrites, 3);
}

TEST_F(ReportFrameTest, TheReportControlIsHiddenWhileWritingOnlyWhereTheDialogAsksForIt)
{
    for (bool hide : {false, true}) {
        SCOPED_TRACE(hide ? "hidden" : "visible");
        ScriptedUser::Reset();
        CTestReport dlg(hide);
        bool visibleAfter = false;
        ScriptedUser::Check(IDC_TESTREPORT_SECOND, BST_CHECKED);
        ScriptedUser::Run([&](CDialog* d) {
            visibleAfter = static_cast<CTestReport*>(d)->GetReportCtrl()->IsWindowVisible() != FALSE;
        });
        ScriptedUser::PressOK();
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.m_visibleWhileWriting, std::vector<bool>(2, !hide));
        EXPECT_TRUE(visibleAfter);
    }
}

TEST_F(ReportFrameTest, ASelectionInTheReportCollapsesAtTheNextMessage)
{
    CTestReport dlg;
    long selStart = -1, selEnd = -1;
    ScriptedUser::Run([&](CDialog* d) {
        CRichEditCtrl* ctrl = static_cast<CTestReport*>(d)->GetReportCtrl();
        ctrl->SetSel(0, 4);
        ctrl->GetSel(selStart, selEnd);
        EXPECT_NE(selStart, selEnd) << "selected until a message arrives";
        d->PostMessage(WM_NULL);
    });
    ScriptedUser::Run([&](CDialog* d) { static_cast<CTestReport*>(d)->GetReportCtrl()->GetSel(selStart, selEnd); });
    ScriptedUser::PressOK();
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(selStart, selEnd);
}

TEST_F(ReportFrameTest, PrintingReadsTheOwnReportControlOnlyWhenThePrintDialogIsConfirmed)
{
    CTestReport dlg;
    vyrtest::CTextReadSpy spy;
    int readsCancelled = -1, readsPrinted = -1;
    ScriptedUser::Run([&](CDialog* d) { ASSERT_TRUE(spy.SubclassDlgItem(1610, d)); });
    ScriptedUser::Click(IDC_REPORT_PRINT);
    ScriptedUser::AnswerPrintDialog(false);
    ScriptedUser::Run([&](CDialog*) { readsCancelled = spy.m_nReads; });
    ScriptedUser::Click(IDC_REPORT_PRINT);
    ScriptedUser::AnswerPrintDialog(true);
    ScriptedUser::Run([&](CDialog*) {
        readsPrinted = spy.m_nReads;
        spy.UnsubclassWindow();
    });
    ScriptedUser::PressOK();
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(readsCancelled, 0);
    EXPECT_GT(readsPrinted, 0);
    int printDialogs = 0;
    for (const vyr::DialogRecord& r : ScriptedUser::Dialogs())
        printDialogs += r.name == "CPrintDialog";
    EXPECT_EQ(printDialogs, 2);
}

TEST_F(ReportFrameTest, SavedDocumentsHoldTheControlsTextAndLeaveTheControlAsItWas)
{
    struct Case
    {
        int button;
        const char* file;
        bool rtf; // read with unrtf, else as GBK text
    };
    const Case cases[] = {
        {IDC_REPORT_RTF, "report.rtf", true},
        {IDC_REPORT_TXT, "report.txt", false},
        {IDC_REPORT_WORD, "report.doc", true}, // a Word document is written as RTF
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ScriptedUser::Reset();
        outtest::TempDir dir;
        const std::string path = dir.File(c.file);
        CTestReport dlg;
        std::string before, after;
        ScriptedUser::Check(IDC_TESTREPORT_SECOND, BST_CHECKED);
        ScriptedUser::Run([&](CDialog* d) { before = ControlText(d); });
        ScriptedUser::Click(c.button);
        ScriptedUser::AnswerFileDialog(path.c_str());
        ScriptedUser::Run([&](CDialog* d) { after = ControlText(d); });
        ScriptedUser::PressOK();
        EXPECT_EQ(dlg.DoModal(), IDOK);

        EXPECT_EQ(after, before);
        EXPECT_EQ(dlg.m_nWrites, 3) << "opening, the box, the save";
        ASSERT_TRUE(std::filesystem::exists(path));
        std::vector<std::string> saved;
        if (c.rtf) {
            EXPECT_EQ(outtest::ReadBytes(path).rfind("{\\rtf1", 0), 0u);
            const outtest::RtfReading r = outtest::ReadRtf(path);
            ASSERT_TRUE(r.ok) << "unrtf could not read the file";
            saved = r.lines;
        } else {
            saved = outtest::ReadGbkLines(path);
        }
        EXPECT_EQ(Normalised(saved), Normalised(SplitLines(before)));
    }
}

TEST_F(ReportFrameTest, ACancelledOrUnwritableSaveWritesNothing)
{
    outtest::TempDir dir;
    const std::string unwritable = dir.File("no-such-folder/report.rtf");
    CTestReport dlg;
    std::string before, after;
    ScriptedUser::Run([&](CDialog* d) { before = ControlText(d); });
    ScriptedUser::Click(IDC_REPORT_RTF);
    ScriptedUser::AnswerFileDialog(nullptr);
    ScriptedUser::Click(IDC_REPORT_TXT);
    ScriptedUser::AnswerFileDialog(unwritable.c_str());
    ScriptedUser::AnswerMessageBox(IDOK, "无法写入文件：");
    ScriptedUser::Run([&](CDialog* d) { after = ControlText(d); });
    ScriptedUser::PressOK();
    EXPECT_EQ(dlg.DoModal(), IDOK);

    EXPECT_EQ(after, before);
    EXPECT_EQ(dlg.m_nWrites, 1) << "only the opening wrote";
    const auto boxes = ScriptedUser::MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.str(), "无法写入文件：" + unwritable);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(unwritable).parent_path()));
    EXPECT_TRUE(std::filesystem::is_empty(std::filesystem::path(dir.File(""))));
}

} // namespace

// The report writer's rich-edit device, the control lookups and the warning dialog.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include <vyr/controls.h>
#include <vyr/model/output/output.h>
#include "output_test_util.h"
#include <vyr/resources.h>
#include <vyr/scripteduser.h>

using outtest::TempDir;

namespace {

class Host : public CWnd
{
public:
    Host() { CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 600, 400), nullptr, 0); }
    ~Host() override
    {
        if (GetSafeHwnd()) DestroyWindow();
    }
};

class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        vyr::ScriptedUser::Reset();
        ASSERT_TRUE(m_edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 580, 380), &m_host, 1610));
    }
    void TearDown() override { vyr::PumpMessages(); }

    CString Plain() const
    {
        CString s;
        m_edit.GetWindowText(s);
        return s;
    }
    // The control's rich text, through the independent reader.
    outtest::RtfReading ReadControl(const TempDir& dir)
    {
        std::string rtf;
        EDITSTREAM es{};
        es.dwCookie = reinterpret_cast<DWORD_PTR>(&rtf);
        es.pfnCallback = [](DWORD_PTR cookie, LPBYTE buf, LONG cb, LONG* pcb) -> DWORD {
            reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buf), (size_t)cb);
            *pcb = cb;
            return 0;
        };
        m_edit.StreamOut(SF_RTF, es);
        const std::string path = dir.File("control.rtf");
        FILE* f = std::fopen(path.c_str(), "wb");
        std::fwrite(rtf.data(), 1, rtf.size(), f);
        std::fclose(f);
        return outtest::ReadRtf(path);
    }

    Host m_host;
    CRichEditCtrl m_edit;
};

TEST_F(WindowTest, RichEditReceivesTheChapterAtItsEnd)
{
    m_edit.SetWindowText("已有内容");
    {
        COutput out;
        EXPECT_TRUE(out.InitDevice(DEVICE_RICHEDIT, &m_edit));
        out << title(1) << title << "质量报告" << endl << title(0);
        out.CreateTableHead("层号", 8, 0);
        out.CreateTableHead("质量", 10, 0);
        out.SetTableContent(1L);
        out.SetTableContent(2.5);
        out.EndTable();
        out << endl << "完";
    } // the unfinished last line goes out with the writer
    const CString plain = Plain();
    EXPECT_EQ(plain.Find("已有内容"), 0) << plain.GetString();
    const int title = plain.Find("质量报告");
    const int cell = plain.Find("2.500");
    const int end = plain.Find("完");
    EXPECT_GT(title, 0);
    EXPECT_GT(cell, title);
    EXPECT_GT(end, cell);
    TempDir dir;
    const outtest::RtfReading r = ReadControl(dir);
    ASSERT_TRUE(r.ok);
    ASSERT_GE(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[0], (std::vector<std::string>{"层号", "质量"}));
    EXPECT_EQ(r.rows[1], (std::vector<std::string>{"1", "2.500"}));
}

TEST_F(WindowTest, TwoWritersOnOneControlWriteInCallOrder)
{
    COutput main;
    ASSERT_TRUE(main.InitDevice(DEVICE_RICHEDIT, &m_edit));
    COutput copy(main);
    main << "甲" << endl;
    {
        COutput section;
        ASSERT_TRUE(section.InitDevice(DEVICE_RICHEDIT, &m_edit));
        section << "乙" << endl;
        copy << "丙" << endl;
        section << "丁" << endl;
    }
    main << "戊" << endl;
    main.Close();
    const CString plain = Plain();
    int last = -1;
    for (const char* w : {"甲", "乙", "丙", "丁", "戊"}) {
        const int at = plain.Find(w);
        EXPECT_GT(at, last) << w << " in " << plain.GetString();
        last = at;
    }
}

TEST_F(WindowTest, WriterOnAWorkerThreadReachesTheControlInOrder)
{
    std::atomic<bool> done{false};
    std::thread worker([&] {
        COutput out;
        out.InitDevice(DEVICE_RICHEDIT, &m_edit);
        for (int i = 0; i < 20; ++i) out << "行" << i << "；" << endl;
        out.Close();
        done = true;
    });
    // The user-interface thread keeps pumping, as a report dialog's loop does.
    while (!done) {
        vyr::PumpMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    worker.join();
    const CString plain = Plain();
    int last = -1;
    for (int i = 0; i < 20; ++i) {
        CString w;
        w.Format("行%d；", i);
        const int at = plain.Find(w);
        EXPECT_GT(at, last) << w.GetString();
        last = at;
    }
}

TEST_F(WindowTest, RewritingAfterEmptyingShowsOnlyTheNewText)
{
    COutput out;
    out.InitDevice(DEVICE_RICHEDIT, &m_edit);
    out << "旧的报告" << endl;
    out.Close();
    // What a report dialog does when a section box changes.
    m_edit.SetWindowText("");
    out.InitDevice(DEVICE_RICHEDIT, &m_edit);
    out << "新的报告" << endl;
    const CString plain = Plain();
    EXPECT_EQ(plain.Find("旧的报告"), -1) << plain.GetString();
    EXPECT_GE(plain.Find("新的报告"), 0);
}

TEST_F(WindowTest, WriterOutlivingItsControlDropsTheText)
{
    COutput out;
    {
        Host host;
        CRichEditCtrl edit;
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &host, 1604));
        ASSERT_TRUE(out.InitDevice(DEVICE_RICHEDIT, &edit));
        out << "before" << endl;
        edit.DestroyWindow();
    }
    out << "after the control is gone" << endl;
    out.Close();
    EXPECT_FALSE(out.InitDevice(DEVICE_RICHEDIT, (CWnd*)nullptr));
    EXPECT_FALSE(out.InitDevice(DEVICE_RICHEDIT, &m_host)); // not a rich-edit control
}

TEST_F(WindowTest, MissingControlWithEmptyPromptGivesNullWithoutAMessage)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &m_host, 1175));
    CWndData data(&m_host);
    EXPECT_EQ(data.GetEdit(1175, ""), &edit);
    EXPECT_EQ(data.GetEdit(4242, ""), nullptr);
    EXPECT_EQ(data.GetButton(1175, ""), nullptr); // a control of another kind
    EXPECT_EQ(CWndData().GetEdit(1175, ""), nullptr);
    // No message box was shown (an unscripted one would have stopped the test).
    EXPECT_TRUE(vyr::ScriptedUser::MessageBoxes().empty());

    vyr::ScriptedUser::AnswerMessageBox(IDOK);
    EXPECT_EQ(data.GetRichEditCtrl(4242, "找不到控件"), nullptr);
    const auto boxes = vyr::ScriptedUser::MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, CString("找不到控件"));
    EXPECT_EQ(boxes[0].flags & MB_TYPEMASK, MB_OK);

    edit.SetWindowText("3.5");
    CString text;
    EXPECT_TRUE(data.GetString(1175, text, ""));
    EXPECT_EQ(text, CString("3.5"));
    EXPECT_FALSE(data.GetString(4242, text, ""));
    CWndData::Prompt(""); // nothing to show
    EXPECT_EQ(vyr::ScriptedUser::MessageBoxes().size(), 1u);
}

TEST_F(WindowTest, WarningDialogShowsItsMessage)
{
    CDlgWarning dlg(&m_host);
    dlg.m_strMessage = "数据不合法";
    CString shown;
    vyr::ScriptedUser::Run([&](CDialog* d) { d->GetDlgItemText(CDlgWarning::IDC_WARNING_TEXT, shown); });
    vyr::ScriptedUser::PressOK();
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(shown, CString("数据不合法"));
}

TEST_F(WindowTest, PrintingLaysTheTextOnPagesOfThePickedPrinter)
{
    RECT margins{1500, 1500, 1500, 1500};
    vyr::ScriptedUser::CancelCommonDialog();
    m_edit.SetWindowText("一行");
    EXPECT_EQ(PrintRichEditCtrl(&m_edit, margins, "计算书"), 0);
    vyr::ScriptedUser::AnswerPrintDialog(true);
    EXPECT_EQ(PrintRichEditCtrl(&m_edit, margins, "计算书"), 1);
    auto pagesFor = [&](int lines) {
        CString text;
        for (int i = 0; i < lines; ++i) text.AppendFormat("第%d行\r\n", i);
        m_edit.SetWindowText(text);
        vyr::ScriptedUser::AnswerPrintDialog(true);
        return PrintRichEditCtrl(&m_edit, margins, "计算书");
    };
    const int p300 = pagesFor(300);
    const int p600 = pagesFor(600);
    EXPECT_GT(p300, 1);
    EXPECT_GE(p600, 2 * p300 - 1);
    EXPECT_LE(p600, 2 * p300);
    EXPECT_EQ(PrintRichEditCtrl(nullptr, margins, "计算书"), 0);
}

TEST_F(WindowTest, PrintingWrapsALineWiderThanThePage)
{
    RECT margins{1500, 1500, 1500, 1500};
    // One line of a few thousand characters is printed whole: it fills more than a page.
    CString longLine;
    for (int i = 0; i < 3000; ++i) longLine += "计算";
    m_edit.SetWindowText(longLine);
    vyr::ScriptedUser::AnswerPrintDialog(true);
    const int pages = PrintRichEditCtrl(&m_edit, margins, "计算书");
    EXPECT_GE(pages, 2);
    // Twice the text, about twice the pages: nothing is cut off.
    m_edit.SetWindowText(longLine + longLine);
    vyr::ScriptedUser::AnswerPrintDialog(true);
    const int twice = PrintRichEditCtrl(&m_edit, margins, "计算书");
    EXPECT_GE(twice, 2 * pages - 1);
    EXPECT_LE(twice, 2 * pages);
}

} // namespace

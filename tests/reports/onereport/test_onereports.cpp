// The one-object calculation reports of a node and of a member under a scripted user: the
// object's own report in rich edit 1604, its writer pointer set only while it writes, the
// saved documents, printing and closing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <vyr/model/struct/structure.h>
#include <vyr/reports/DlgBeamCheckOutput.h>
#include <vyr/reports/DlgNodeCheckOutput.h>
#include <vyr/resources.h>
#include <vyr/resources/dialogs/ReportRes.h>
#include <vyr/scripteduser.h>
#include "model/output/output_test_util.h"
#include "support/CheckModels.h"
#include "support/DialogTest.h"
#include "support/TestHelpers.h"
#include "support/TextReadSpy.h"

using vyr::ScriptedUser;

namespace {

using vyrtest::Words;

// Lines as word lists, empty lines left out: tabs, padded columns and blanks alike.
std::vector<std::vector<std::string>> WordLines(const std::string& text)
{
    std::vector<std::vector<std::string>> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (auto w = Words(line); !w.empty())
            out.push_back(w);
    return out;
}

std::string ReportText(CDialog* d)
{
    CString text;
    d->GetDlgItemText(IDC_REPORT_TEXT, text);
    return text.str();
}

bool Contains(const std::vector<std::vector<std::string>>& lines, const std::vector<std::string>& words)
{
    for (const auto& l : lines)
        if (l == words)
            return true;
    return false;
}

class OneReportTest : public vyrtest::DialogTest
{
protected:

    // Opens the dialog on the object, reads its report and closes it with 1015.
    template <class TDlg, class T>
    std::string Open(T* object)
    {
        TDlg dlg(nullptr);
        std::string text;
        ScriptedUser::Run([&](CDialog* d) { text = ReportText(d); }, IDD_CHECKOUTPUT);
        ScriptedUser::Click(IDC_REPORT_CLOSE, IDD_CHECKOUTPUT);
        EXPECT_EQ(dlg.DoModal(object), IDOK);
        EXPECT_EQ(dlg.GetObject(), object);
        return text;
    }
};

TEST_F(OneReportTest, EachDialogShowsItsObjectsOwnReportAndLeavesTheWriterPointerNull)
{
    vyrtest::CCheckModel model(3, {2});
    CPNode* checkedNode = model.Node(2);
    checkedNode->Check();
    CPNode* uncheckedNode = model.Node(0);
    CBeam* member = model.Member(0);
    member->CheckOrDesign();
    CBeamInWall coupling(201, model.Node(0), model.Node(1));
    coupling.SetCheckAnswer(vyrtest::RoundMemberAnswer());
    coupling.CheckOrDesign();

    struct Case
    {
        const char* name;
        std::string text;
        std::vector<std::vector<std::string>> lines; // each among the report's lines
    };
    const Case cases[] = {
        {"checked node", Open<CDlgNodeCheckOutput>(checkedNode),
         {{"节点3验算结果"}, {"0.100", "0.200", "0.300", "0.400", "0.500", "0.600"}, {"0.750", "0.500"}}},
        {"unchecked node", Open<CDlgNodeCheckOutput>(uncheckedNode), {{"节点1验算结果"}, {"节点未进行验算。"}}},
        {"member", Open<CDlgBeamCheckOutput>(member),
         {{"杆件101设计验算结果"},
          {"构件类型：主梁"},
          {"0.850", "0.625", "0.500", "0.250", "0.000"},
          {"变形：1/400，1/800，-"}}},
        {"coupling beam", Open<CDlgBeamCheckOutput>(static_cast<CBeamBase*>(&coupling)),
         {{"连梁201设计验算结果"}, {"构件类型：连梁"}, {"0.850", "0.625", "0.500", "0.250", "0.000"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto lines = WordLines(c.text);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0], c.lines[0]) << "the report starts with the object's heading";
        for (const auto& l : c.lines)
            EXPECT_TRUE(Contains(lines, l)) << l[0];
    }
    EXPECT_EQ(checkedNode->m_pOutput, nullptr);
    EXPECT_EQ(uncheckedNode->m_pOutput, nullptr);
    EXPECT_EQ(member->m_pOutput, nullptr);
    EXPECT_EQ(coupling.m_pOutput, nullptr);
}

TEST_F(OneReportTest, WithoutAnObjectTheReportIsEmpty)
{
    EXPECT_EQ(Open<CDlgNodeCheckOutput>(static_cast<CPNode*>(nullptr)), "");
    EXPECT_EQ(Open<CDlgBeamCheckOutput>(static_cast<CBeamBase*>(nullptr)), "");
}

TEST_F(OneReportTest, SavedReportsHoldTheShownTextAndTheWriterPointerIsNullAfterwards)
{
    vyrtest::CCheckModel model(2, {2});
    CBeam* member = model.Member(0);
    member->CheckOrDesign();
    outtest::TempDir dir;
    const std::string rtf = dir.File("杆件101.rtf"), txt = dir.File("杆件101.txt");
    CDlgBeamCheckOutput dlg(nullptr);
    std::string shown, afterSaving;
    COutput* pointerAfterSaving = nullptr;
    bool read = false;
    ScriptedUser::Run([&](CDialog* d) { shown = ReportText(d); });
    ScriptedUser::Click(IDC_REPORT_RTF);
    ScriptedUser::AnswerFileDialog(rtf.c_str());
    ScriptedUser::Click(IDC_REPORT_TXT);
    ScriptedUser::AnswerFileDialog(txt.c_str());
    ScriptedUser::Run([&](CDialog* d) {
        afterSaving = ReportText(d);
        pointerAfterSaving = member->m_pOutput;
        read = true;
    });
    ScriptedUser::Click(IDC_REPORT_CLOSE);
    ASSERT_EQ(dlg.DoModal(member), IDOK);

    EXPECT_TRUE(read);
    EXPECT_EQ(pointerAfterSaving, nullptr);
    EXPECT_EQ(afterSaving, shown) << "saving leaves the shown report as it was";
    // The text document frames its tables with rules of "-", which the control has not.
    auto saved = WordLines(vyr::GbkToUtf8(outtest::ReadBytes(txt)));
    saved.erase(std::remove_if(saved.begin(), saved.end(),
                               [](const std::vector<std::string>& l) {
                                   return l.size() == 1 && l[0].find_first_not_of('-') == std::string::npos;
                               }),
                saved.end());
    EXPECT_EQ(saved, WordLines(shown));
    const outtest::RtfReading r = outtest::ReadRtf(rtf);
    ASSERT_TRUE(r.ok) << "unrtf could not read the file";
    EXPECT_NE(std::find(r.lines.begin(), r.lines.end(), "杆件101设计验算结果"), r.lines.end());
    EXPECT_NE(std::find(r.rows.begin(), r.rows.end(), std::vector<std::string>{"0.850", "0.625", "0.500", "0.250", "0.000"}),
              r.rows.end());
}

TEST_F(OneReportTest, PrintingPrintsRichEdit1604)
{
    vyrtest::CCheckModel model(1, {});
    CDlgNodeCheckOutput dlg(nullptr);
    vyrtest::CTextReadSpy spy;
    int reads = -1;
    ScriptedUser::Run([&](CDialog* d) { ASSERT_TRUE(spy.SubclassDlgItem(IDC_REPORT_TEXT, d)); });
    ScriptedUser::Click(IDC_REPORT_PRINT);
    ScriptedUser::AnswerPrintDialog(true);
    ScriptedUser::Run([&](CDialog*) {
        reads = spy.m_nReads;
        spy.UnsubclassWindow();
    });
    ScriptedUser::Click(IDC_REPORT_CLOSE);
    EXPECT_EQ(dlg.DoModal(model.Node(0)), IDOK);
    EXPECT_GT(reads, 0);
}

} // namespace

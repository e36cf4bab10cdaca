// The report viewer under a scripted user: its caption per kind, the chapter of the dialog
// that opened it (with a parent or a null one), nothing for an owner of another kind,
// printing its own control and saving the chapter.
#include <gtest/gtest.h>

#include <string>

#include <vyr/resources/dialogs/StoreyRes.h>
#include <vyr/scripteduser.h>
#include <vyr/storey/DlgLayerStiffStatOutput.h>
#include <vyr/storey/DlgOutputDocument.h>
#include "storey/StoreyTest.h"
#include "support/StoreyModels.h"
#include "support/TextReadSpy.h"

using vyr::ScriptedUser;

namespace {

class ViewerTest : public storeytest::StoreyTest
{
protected:
    // The scripted user's steps on a viewer: its caption and text read, then closed.
    static void ScriptViewer(CString& caption, std::string& text)
    {
        ScriptedUser::Run(
            [&](CDialog* d) {
                d->GetWindowText(caption);
                text = ViewerText(d);
            },
            IDD_OUTPUTDOCUMENT);
        ScriptedUser::PressOK(IDD_OUTPUTDOCUMENT);
    }
    // Runs a viewer of the kind with a null parent.
    static void RunViewer(CGlobalData* data, int kind)
    {
        CDlgOutputDocument viewer(nullptr);
        viewer.m_pGlobalData = data;
        viewer.m_nDocType = kind;
        EXPECT_EQ(viewer.DoModal(), IDOK);
    }
    static void OpenViewer(CGlobalData* data, int kind, CString& caption, std::string& text)
    {
        ScriptViewer(caption, text);
        RunViewer(data, kind);
    }
};

TEST_F(ViewerTest, EachKindHasItsCaptionAndAnUnknownKindOpensEmpty)
{
    struct Case
    {
        int kind;
        const char* caption;
    };
    const Case cases[] = {{0, "层抗侧刚度比统计报告"}, {5, "层整体地震内力调整统计报告"}, {8, "整体稳定性统计报告"},
                          {9, "自振特性统计报告"},     {10, "文档输出"},                 {-1, "文档输出"}};
    vyrtest::CStoreyModel model;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        CString caption;
        std::string text = "?";
        OpenViewer(&model.Data(), c.kind, caption, text);
        EXPECT_EQ(caption, c.caption);
        if (c.kind == 8)
            EXPECT_NE(text.find("整体稳定信息"), std::string::npos) << "kind 8 writes from the model";
        else if (c.kind != 0) {
            EXPECT_EQ(text, "") << "no dialog of this kind opened it";
        }
    }
}

TEST_F(ViewerTest, KindZeroWritesTheOpenersChapterWithItsCurrentSettings)
{
    vyrtest::CStoreyModel model;
    CDlgLayerStiffStatOutput dlg(&model.Data());
    std::string text;
    ScriptedUser::SetText(IDC_STIFF_LIMITUP, "0.65", IDD_LAYERSTIFFSTAT);
    ScriptedUser::Click(IDC_STOREY_OUTPUT, IDD_LAYERSTIFFSTAT);
    ScriptedUser::Run([&](CDialog* d) { text = ViewerText(d); }, IDD_OUTPUTDOCUMENT);
    ScriptedUser::PressOK(IDD_OUTPUTDOCUMENT);
    ScriptedUser::PressOK(IDD_LAYERSTIFFSTAT);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_NE(text.find("楼层抗侧刚度信息"), std::string::npos);
    EXPECT_NE(text.find(std::string(68, '=')), std::string::npos) << "stand-alone: the report head";
    EXPECT_NE(text.find("上部楼层的0.650倍和其上相邻三层平均值的0.800倍"), std::string::npos);
}

TEST_F(ViewerTest, ANullParentViewerFindsItsOpenerAndAnotherOwnerWritesNothing)
{
    vyrtest::CStoreyModel model;
    CDlgLayerStiffStatOutput dlg(&model.Data());
    CString caption;
    std::string fromOpener, fromOther = "?";
    // Opened from inside the stiffness dialog with no parent: its owner is that dialog.
    ScriptedUser::Run([&](CDialog*) { RunViewer(&model.Data(), 0); }, IDD_LAYERSTIFFSTAT);
    ScriptViewer(caption, fromOpener);
    ScriptedUser::PressOK(IDD_LAYERSTIFFSTAT);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_NE(fromOpener.find("楼层抗侧刚度信息"), std::string::npos);

    // Kind 0 opened from a viewer (not a stiffness dialog): nothing is written.
    ScriptedUser::Run([&](CDialog*) { RunViewer(&model.Data(), 0); }, IDD_OUTPUTDOCUMENT);
    ScriptViewer(caption, fromOther);
    ScriptedUser::PressOK(IDD_OUTPUTDOCUMENT);
    CDlgOutputDocument outer(nullptr);
    outer.m_pGlobalData = &model.Data();
    outer.m_nDocType = 1;
    EXPECT_EQ(outer.DoModal(), IDOK);
    EXPECT_EQ(fromOther, "");
}

TEST_F(ViewerTest, PrintingPrintsTheViewersReportControl)
{
    vyrtest::CStoreyModel model;
    CDlgLayerStiffStatOutput dlg(&model.Data());
    vyrtest::CTextReadSpy spy;
    int reads = -1;
    ScriptedUser::Click(IDC_STOREY_OUTPUT, IDD_LAYERSTIFFSTAT);
    ScriptedUser::Run([&](CDialog* d) { ASSERT_TRUE(spy.SubclassDlgItem(IDC_REPORT_TEXT, d)); }, IDD_OUTPUTDOCUMENT);
    ScriptedUser::Click(IDC_REPORT_PRINT, IDD_OUTPUTDOCUMENT);
    ScriptedUser::AnswerPrintDialog(true);
    ScriptedUser::Run(
        [&](CDialog*) {
            reads = spy.m_nReads;
            spy.UnsubclassWindow();
        },
        IDD_OUTPUTDOCUMENT);
    ScriptedUser::PressOK(IDD_OUTPUTDOCUMENT);
    ScriptedUser::PressOK(IDD_LAYERSTIFFSTAT);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_GT(reads, 0);
}

TEST_F(ViewerTest, SavingAsTextWritesTheSameChapter)
{
    vyrtest::CStoreyModel model;
    outtest::TempDir tmp;
    const std::string path = tmp.File("viewer.txt");
    CDlgLayerStiffStatOutput dlg(&model.Data());
    std::string shown;
    ScriptedUser::Click(IDC_STOREY_OUTPUT, IDD_LAYERSTIFFSTAT);
    ScriptedUser::Run([&](CDialog* d) { shown = ViewerText(d); }, IDD_OUTPUTDOCUMENT);
    ScriptedUser::Click(IDC_DOC_TXT, IDD_OUTPUTDOCUMENT);
    ScriptedUser::AnswerFileDialog(path.c_str());
    ScriptedUser::PressOK(IDD_OUTPUTDOCUMENT);
    ScriptedUser::PressOK(IDD_LAYERSTIFFSTAT);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    const auto lines = outtest::ReadGbkLines(path);
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines[0].find("楼层抗侧刚度信息"), std::string::npos);
    EXPECT_NE(shown.find("使用高规附录E.0.2的建议方法计算抗侧刚度"), std::string::npos);
}

} // namespace

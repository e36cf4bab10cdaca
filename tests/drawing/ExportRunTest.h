// The frame of the export-run tests: a host kit with the checked sample model, a project
// folder of the test's own that the export writes into, the application folder on the
// resources (the templates), and the files written below a folder.
#pragma once

#include <algorithm>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include <vyr/controls.h>
#include <vyr/drawing/DlgDrawResult.h>
#include <vyr/model/base/VyrProduct.h>
#include <vyr/resources/dialogs/DrawResultRes.h>
#include <vyr/scripteduser.h>
#include <vyr/model/struct/SampleModel.h>
#include <vyr/model/struct/structure.h>
#include <vyr/winfile.h>

#include "hostkit/HostKit.h"
#include "drawing/ExportFolderTest.h"

namespace vyrtest {

class ExportRunTest : public ExportFolderTest
{
protected:
    explicit ExportRunTest(const char* folder) : ExportFolderTest(folder) {}
    // The host kit with the checked sample model, whose project folder is the test's.
    void SetUp() override
    {
        ExportFolderTest::SetUp();
        m_kit = std::make_unique<vyrhost::CHostKit>();
        BuildSampleModel(Data());
        FillSampleResults(Data());
        Data().ProjectPath() = m_dir.string().c_str();
    }
    void TearDown() override
    {
        m_kit.reset();
        ExportFolderTest::TearDown();
    }
    CGlobalData& Data() { return m_kit->GlobalData(); }
    CStruct& St() { return *Data().Struct(); }

    // A run of the dialog with only these boxes ticked and `choose` applied; answers the
    // counted and the stepped files.
    static std::pair<int, int> RunExport(CDlgDrawResult& dlg, std::initializer_list<int> boxes,
                                         const std::function<void()>& choose = {})
    {
        using vyr::ScriptedUser;
        auto* const self = &dlg;
        ScriptedUser::Click(IDC_DRAW_UNSELALL);
        for (int b : boxes)
            ScriptedUser::Check(b);
        if (choose)
            choose();
        int expected = -1, pos = -1;
        ScriptedUser::Run([&](CDialog*) { expected = self->GetOutputNum(); });
        ScriptedUser::Click(IDC_DRAW_EXPORT);
        ScriptedUser::AnswerMessageBox(IDOK, "导出完毕，请到工程所在目录下查看输出图。");
        ScriptedUser::WaitUntil([self](CDialog*) { return !self->IsBusy(); });
        ScriptedUser::Run([&](CDialog* d) { pos = static_cast<CProgressCtrl*>(d->GetDlgItem(IDC_DRAW_PROGRESS))->GetPos(); });
        ScriptedUser::PressCancel();
        dlg.DoModal();
        return {expected, pos};
    }

    std::unique_ptr<vyrhost::CHostKit> m_kit;
};

} // namespace vyrtest

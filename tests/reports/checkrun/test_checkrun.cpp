// The design-check run under a scripted user: one bar step per node and member, the checks
// in list order with type-6 members passed over, the status line, a cancel while a check
// is held, random cancel points and instant runs; and the check options.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <random>
#include <string>
#include <vector>

#include <vyr/controls.h>
#include <vyr/model/struct/CheckHook.h>
#include <vyr/model/struct/structure.h>
#include <vyr/reports/DlgCheckOption.h>
#include <vyr/reports/DlgCheckProgress.h>
#include <vyr/resources.h>
#include <vyr/resources/dialogs/CheckRes.h>
#include <vyr/scripteduser.h>
#include "support/CheckModels.h"

using vyr::ScriptedUser;
using vyrtest::CCheckModel;

namespace {

// The check run, with what its window showed when it ended (read as the dialog closes).
class CRecordedCheckRun : public CDlgCheckProgress
{
public:
    using CDlgCheckProgress::CDlgCheckProgress;

    CString m_status;
    int m_nPos = -1, m_nLower = -1, m_nUpper = -1;
    bool m_bCancelEnabled = true;

protected:
    void OnOK() override
    {
        GetDlgItemText(IDC_CHECK_STATUS, m_status);
        auto* bar = static_cast<CProgressCtrl*>(GetDlgItem(IDC_CHECK_PROGRESS));
        m_nPos = bar->GetPos();
        bar->GetRange(m_nLower, m_nUpper);
        m_bCancelEnabled = GetDlgItem(IDC_CHECK_CANCEL)->IsWindowEnabled() != FALSE;
        CDlgCheckProgress::OnOK();
    }
};

// The order in which the checks start, logged by the check hook on the worker.
class CheckLog
{
public:
    CheckLog()
    {
        SetCheckHook([this](CObject* o) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_order.push_back(o);
        });
    }
    ~CheckLog() { SetCheckHook(nullptr); }
    std::vector<CObject*> Order()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_order;
    }

private:
    std::mutex m_mutex;
    std::vector<CObject*> m_order;
};

class CheckRunTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        vyr::VyrSetResourceDir((std::string(VYR_SOURCE_DIR) + "/resources").c_str());
        ScriptedUser::Reset();
    }
    void TearDown() override
    {
        SetCheckHook(nullptr);
        EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);
        ScriptedUser::Reset();
    }
};

TEST_F(CheckRunTest, EveryNodeThenEveryMemberIsCheckedInListOrderWithOneBarStepEach)
{
    struct Case
    {
        const char* name;
        int nodes;
        std::vector<int> memberTypes;
        const char* status; // the status line at the end
    };
    const Case cases[] = {
        {"nodes and members", 3, {2, 1, 3}, "正在验算杆件103"},
        {"nodes only", 2, {}, "正在验算节点2"},
        {"members only", 0, {2, 2}, "正在验算杆件102"},
        {"type-6 members between and last", 2, {2, 6, 1, 6}, "正在验算杆件103"},
        {"only type-6 members", 1, {6, 6}, "正在验算节点1"},
        {"nothing", 0, {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUser::Reset();
        CCheckModel model(c.nodes, c.memberTypes);
        CheckLog log;
        CRecordedCheckRun dlg(&model.members, &model.nodes);
        ScriptedUser::WaitForEnd(IDD_CHECKPROGRESS);
        ASSERT_EQ(dlg.DoModal(), IDOK);

        std::vector<CObject*> expected;
        for (int i = 0; i < c.nodes; ++i)
            expected.push_back(model.Node(i));
        for (size_t i = 0; i < c.memberTypes.size(); ++i)
            if (c.memberTypes[i] != 6)
                expected.push_back(model.Member((int)i));
        EXPECT_EQ(log.Order(), expected);
        for (size_t i = 0; i < c.memberTypes.size(); ++i) {
            const bool checked = c.memberTypes[i] != 6;
            EXPECT_EQ(model.Member((int)i)->GetCheckCount(), checked ? 1 : 0);
            EXPECT_EQ(model.Member((int)i)->m_pCheckResult != nullptr, checked) << "a check keeps its result";
        }
        const int steps = c.nodes + (int)c.memberTypes.size();
        EXPECT_EQ(dlg.m_nLower, 0);
        EXPECT_EQ(dlg.m_nUpper, steps);
        EXPECT_EQ(dlg.m_nPos, steps) << "type-6 members step the bar too";
        EXPECT_EQ(dlg.m_status.str(), c.status);
        EXPECT_EQ(dlg.m_pThread, nullptr);
    }
}

TEST_F(CheckRunTest, ACancelDuringAHeldNodeCheckLetsItFinishStartsNothingMoreAndEndsWithOK)
{
    CCheckModel model(4, {2, 2});
    CPNode* held = model.Node(1);
    std::atomic<bool> reached{false}, release{false};
    vyrtest::HoldCheckOf(held, reached, release);
    CRecordedCheckRun dlg(&model.members, &model.nodes);
    bool openWhileHeld = false;
    ScriptedUser::WaitUntil([&](CDialog*) { return reached.load(); }, IDD_CHECKPROGRESS);
    ScriptedUser::Click(IDC_CHECK_CANCEL);
    // None of these ends the dialog while the worker still runs.
    ScriptedUser::PressKey(VK_ESCAPE);
    ScriptedUser::PressOK();
    ScriptedUser::PressCancel();
    ScriptedUser::Close();
    ScriptedUser::Run([&](CDialog* d) {
        openWhileHeld = ::IsWindowVisible(d->GetSafeHwnd()) != FALSE;
        EXPECT_EQ(static_cast<CDlgCheckProgress*>(d)->m_pThread, nullptr) << "a cancel clears the thread pointer";
        release = true;
    });
    ScriptedUser::WaitForEnd(IDD_CHECKPROGRESS);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    SetCheckHook(nullptr);

    EXPECT_TRUE(openWhileHeld);
    EXPECT_EQ(model.Node(0)->GetCheckCount(), 1);
    EXPECT_EQ(held->GetCheckCount(), 1);
    EXPECT_NE(held->m_pChecker, nullptr) << "the held check finished and kept its result";
    EXPECT_EQ(model.Node(2)->GetCheckCount(), 0);
    EXPECT_EQ(model.Node(3)->GetCheckCount(), 0);
    EXPECT_EQ(model.Member(0)->GetCheckCount(), 0);
    EXPECT_EQ(model.Member(1)->GetCheckCount(), 0);
    EXPECT_EQ(dlg.m_status.str(), "正在验算节点2");
    EXPECT_EQ(dlg.m_nPos, 2) << "two polls went on";
    EXPECT_FALSE(dlg.m_bCancelEnabled) << "the poll that stopped the run greyed the button";
}

// Cancels at random points of runs of random size, instant runs among them: the checks
// always form a prefix of the run, none starts after the cancel but the one already under
// way, and the dialog ends with IDOK. Meant for the sanitizer builds too.
TEST_F(CheckRunTest, RandomCancelPointsAndInstantRunsEndCleanly)
{
    std::mt19937 random(20240611);
    for (int round = 0; round < 25; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        ScriptedUser::Reset();
        const int nodes = (int)(random() % 6);
        std::vector<int> types((size_t)(random() % 6));
        for (int& t : types)
            t = random() % 4 == 0 ? 6 : 2;
        const int cancelAfter = (int)(random() % 8); // checks started before the cancel, at least
        CCheckModel model(nodes, types);
        std::atomic<int> started{0};
        SetCheckHook([&](CObject*) { started.fetch_add(1); });
        CRecordedCheckRun dlg(&model.members, &model.nodes);
        int startedAtCancel = -1;
        ScriptedUser::WaitUntil([&](CDialog* d) {
            return started.load() >= cancelAfter || !static_cast<CDlgCheckProgress*>(d)->m_pThread;
        });
        ScriptedUser::Run([&](CDialog* d) {
            d->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CHECK_CANCEL, BN_CLICKED), 0);
            startedAtCancel = started.load();
        });
        ScriptedUser::WaitForEnd();
        // A run shorter than the cancel point may end before the script gets to it.
        ScriptedUser::SetFailureHandler([](const std::string&) {});
        EXPECT_EQ(dlg.DoModal(), IDOK);
        SetCheckHook(nullptr);
        ScriptedUser::Reset(); // the steps a short run left untaken

        // The checked objects: a prefix of the run, each checked once.
        std::vector<int> counts;
        for (int i = 0; i < nodes; ++i)
            counts.push_back(model.Node(i)->GetCheckCount());
        for (size_t i = 0; i < types.size(); ++i)
            if (types[i] != 6)
                counts.push_back(model.Member((int)i)->GetCheckCount());
        int checked = 0;
        while (checked < (int)counts.size() && counts[(size_t)checked] == 1)
            ++checked;
        for (size_t i = (size_t)checked; i < counts.size(); ++i)
            EXPECT_EQ(counts[i], 0) << "object " << i;
        EXPECT_EQ(checked, started.load());
        if (startedAtCancel >= 0) {
            EXPECT_LE(checked, startedAtCancel + 1);
        }
    }
}

TEST_F(CheckRunTest, MoreThanSixtyFiveThousandObjectsStillFillTheBar)
{
    // 70,000 members of type 6: each steps the bar, none is checked.
    CCheckModel model(0, std::vector<int>(70000, 6));
    CRecordedCheckRun dlg(&model.members, &model.nodes);
    ScriptedUser::WaitForEnd(IDD_CHECKPROGRESS);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nUpper, 70000);
    EXPECT_EQ(dlg.m_nPos, 70000);
}

// ---- options

TEST_F(CheckRunTest, OptionsUntouchedShowZerosAndClearBoxes)
{
    CDlgCheckOption dlg(nullptr);
    std::vector<std::string> texts;
    int boxes = -1;
    ScriptedUser::Run([&](CDialog* d) {
        for (int id : {IDC_CHECKOPT_CAPACITY_UPPER, IDC_CHECKOPT_CAPACITY_LOWER, IDC_CHECKOPT_DEFORM_UPPER,
                       IDC_CHECKOPT_DEFORM_LOWER, IDC_CHECKOPT_DETAIL_UPPER, IDC_CHECKOPT_DETAIL_LOWER}) {
            CString t;
            d->GetDlgItemText(id, t);
            texts.push_back(t.str());
        }
        boxes = d->IsDlgButtonChecked(IDC_CHECKOPT_PRECOMBINE) + d->IsDlgButtonChecked(IDC_CHECKOPT_SHOWECHO);
    });
    ScriptedUser::PressCancel();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(texts, std::vector<std::string>(6, "0"));
    EXPECT_EQ(boxes, 0);
}

TEST_F(CheckRunTest, OptionsRoundTripTheHostsValuesAndTakeWhatTheUserTyped)
{
    CDlgCheckOption dlg(nullptr);
    dlg.m_fCapacityRatioUpper = 0.95f;
    dlg.m_fCapacityRatioLower = 0.5f;
    dlg.m_fDeformRatioUpper = 1.0f;
    dlg.m_fDeformRatioLower = 0.25f;
    dlg.m_fDetailRatioUpper = 0.9f;
    dlg.m_fDetailRatioLower = 0.125f;
    dlg.m_bPreCombine = 1;
    ScriptedUser::PressOK();
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FLOAT_EQ(dlg.m_fCapacityRatioUpper, 0.95f);
    EXPECT_FLOAT_EQ(dlg.m_fCapacityRatioLower, 0.5f);
    EXPECT_FLOAT_EQ(dlg.m_fDeformRatioUpper, 1.0f);
    EXPECT_FLOAT_EQ(dlg.m_fDeformRatioLower, 0.25f);
    EXPECT_FLOAT_EQ(dlg.m_fDetailRatioUpper, 0.9f);
    EXPECT_FLOAT_EQ(dlg.m_fDetailRatioLower, 0.125f);
    EXPECT_EQ(dlg.m_bPreCombine, 1);
    EXPECT_EQ(dlg.m_bShowEcho, 0);

    // A word where a number belongs: the framework's message, and the dialog stays.
    ScriptedUser::SetText(IDC_CHECKOPT_DEFORM_LOWER, "很小");
    ScriptedUser::PressOK();
    ScriptedUser::AnswerMessageBox(IDOK, "请输入一个数字。");
    ScriptedUser::SetText(IDC_CHECKOPT_DEFORM_LOWER, "0.3");
    ScriptedUser::Check(IDC_CHECKOPT_SHOWECHO);
    ScriptedUser::Check(IDC_CHECKOPT_PRECOMBINE, BST_UNCHECKED);
    ScriptedUser::PressOK();
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FLOAT_EQ(dlg.m_fDeformRatioLower, 0.3f);
    EXPECT_FLOAT_EQ(dlg.m_fDeformRatioUpper, 1.0f);
    EXPECT_EQ(dlg.m_bPreCombine, 0);
    EXPECT_EQ(dlg.m_bShowEcho, 1);
    EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 1u);
}

} // namespace

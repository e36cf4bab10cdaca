// The member design and check report under a scripted user: the tables the boxes choose and
// the polls they cost, the GBK order of the rows, the worst members per section and of all
// worked out by hand, the reinforcement part, stopping a run and starting the next, the
// saved report read back with unrtf, and the property key that opens the dialog.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <vyr/controls.h>
#include <vyr/model/struct/CheckHook.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/PropKeyRegistry.h>
#include <vyr/reports/DlgOutputCheck.h>
#include <vyr/resources/dialogs/CheckReportRes.h>
#include <vyr/resources/dialogs/ReportRes.h>
#include <vyr/scripteduser.h>
#include "model/output/output_test_util.h"
#include "support/CheckModels.h"
#include "support/DialogTest.h"
#include "support/MemberCheckModels.h"
#include "support/TestHelpers.h"

using outtest::ReadRtf;
using outtest::RtfReading;
using outtest::Trim;
using vyr::ScriptedUser;
using vyrtest::CMemberCheckModel;

namespace {

const std::string k15(15, '-');
const std::string k30(30, '-');

CDlgOutputCheck* Dlg(CDialog* d) { return static_cast<CDlgOutputCheck*>(d); }

std::string Text(CDialog* d, int id)
{
    CString s;
    d->GetDlgItemText(id, s);
    return s.str();
}

// Keeps the dialog's loop running until the run has ended and its worker has returned.
void WaitUntilIdle()
{
    ScriptedUser::WaitUntil([](CDialog* d) { return !Dlg(d)->IsRunBusy() && Dlg(d)->m_pThread == nullptr; },
                            IDD_OUTPUTCHECK);
}

// What a run showed when it had ended: the bar's range and position.
struct RunRecord
{
    int lower = -1, upper = -1, pos = -1;
    int items = -1;
};

// Scripts: tick the boxes, run, wait for the end, record the bar, save as RTF, close.
void ScriptRunAndSave(const std::vector<int>& ticked, const std::string& path, RunRecord& rec)
{
    ScriptedUser::Click(IDC_OUTCHECK_UNSELALL, IDD_OUTPUTCHECK);
    for (int id : ticked)
        ScriptedUser::Check(id, BST_CHECKED, IDD_OUTPUTCHECK);
    ScriptedUser::Click(IDC_OUTCHECK_SHOW, IDD_OUTPUTCHECK);
    WaitUntilIdle();
    ScriptedUser::Run(
        [&](CDialog* d) {
            auto* bar = static_cast<CProgressCtrl*>(d->GetDlgItem(IDC_OUTCHECK_PROGRESS));
            bar->GetRange(rec.lower, rec.upper);
            rec.pos = bar->GetPos();
            rec.items = Dlg(d)->GetItemNum();
        },
        IDD_OUTPUTCHECK);
    ScriptedUser::Click(IDC_REPORT_RTF, IDD_OUTPUTCHECK);
    ScriptedUser::AnswerFileDialog(path.c_str());
    ScriptedUser::Click(IDOK, IDD_OUTPUTCHECK);
}

// The last line that is not empty.
std::string LastLine(const RtfReading& r)
{
    for (auto it = r.lines.rbegin(); it != r.lines.rend(); ++it)
        if (!it->empty())
            return *it;
    return "";
}

bool StartsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

// The "表n. " lines of a reading, in order.
std::vector<std::string> TableTitles(const RtfReading& r)
{
    std::vector<std::string> out;
    for (const std::string& l : r.lines)
        if (StartsWith(l, "表"))
            out.push_back(l);
    return out;
}

// The rows under the head row whose cells are heads, up to the next head row.
std::vector<std::vector<std::string>> TableRows(const RtfReading& r, const std::vector<std::string>& heads)
{
    std::vector<std::vector<std::string>> out;
    bool in = false;
    for (const auto& row : r.rows) {
        const bool head = !row.empty() && (row[0] == "编号" || row[0] == "最不利构件");
        if (head) {
            if (in)
                break;
            in = row == heads;
            continue;
        }
        if (in)
            out.push_back(row);
    }
    return out;
}

std::vector<std::string> FirstCells(const std::vector<std::vector<std::string>>& rows)
{
    std::vector<std::string> out;
    for (const auto& row : rows)
        out.push_back(row.empty() ? "" : row[0]);
    return out;
}

class CheckReportTest : public vyrtest::DialogTest
{
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        m_dir = std::filesystem::temp_directory_path() /
                ("vyr_checkreport_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override
    {
        SetCheckHook(nullptr);
        std::filesystem::remove_all(m_dir);
        DialogTest::TearDown();
    }
    std::string Path(const char* name) const { return (m_dir / name).string(); }

    // Runs the dialog on the list with the boxes ticked and reads the saved report back.
    RtfReading RunAndRead(CBeamList& list, const std::vector<int>& ticked, RunRecord* rec = nullptr)
    {
        RunRecord local;
        // A path of its own each time: an existing file would be asked about.
        const std::string path = Path(("report" + std::to_string(++m_nSaved) + ".rtf").c_str());
        ScriptRunAndSave(ticked, path, rec ? *rec : local);
        CDlgOutputCheck dlg(nullptr);
        dlg.m_pBeamList = &list;
        EXPECT_EQ(dlg.DoModal(), IDOK);
        RtfReading r = ReadRtf(path);
        EXPECT_TRUE(r.ok) << "unrtf could not read the saved report";
        return r;
    }

    std::filesystem::path m_dir;
    int m_nSaved = 0;
};

TEST_F(CheckReportTest, TheTickedBoxesChooseTheTablesTheirNumbersAndThePollsTheyCost)
{
    const std::vector<int> all = {IDC_OUTCHECK_CAPACITY_LIST,    IDC_OUTCHECK_CAPACITY_SECTION, IDC_OUTCHECK_CAPACITY_ALL,
                                  IDC_OUTCHECK_DEFORM_LIST,      IDC_OUTCHECK_DEFORM_SECTION,   IDC_OUTCHECK_DEFORM_ALL,
                                  IDC_OUTCHECK_STABILITY_LIST,   IDC_OUTCHECK_STABILITY_SECTION, IDC_OUTCHECK_STABILITY_ALL,
                                  IDC_OUTCHECK_REINFORCE_LIST};
    struct Case
    {
        const char* name;
        std::vector<int> ticked;
        int items;                       // GetItemNum
        int polls;                       // one per member with a section checked, one per table
        std::vector<std::string> titles;
    };
    // Six of the seven members have a section: the checks before the tables poll six times.
    const Case cases[] = {
        {"the defaults",
         {IDC_OUTCHECK_CAPACITY_ALL, IDC_OUTCHECK_DEFORM_ALL, IDC_OUTCHECK_STABILITY_ALL},
         4,
         6 + 4,
         {"表1. 所有构件承载力最不利统计", "表2. 所有梁变形最不利统计", "表3. 所有柱变形与轴压比最不利统计",
          "表4. 所有构件局稳与长细比最不利统计"}},
        {"every box",
         all,
         13,
         6 + 12 + 1,
         {"表1. 每根构件承载力验算结果列表", "表2. 按截面构件承载力最不利统计", "表3. 所有构件承载力最不利统计",
          "表4. 每根梁变形验算结果列表", "表5. 按截面梁变形最不利统计", "表6. 所有梁变形最不利统计",
          "表7. 每根柱变形与轴压比验算结果列表", "表8. 按截面柱变形与轴压比最不利统计",
          "表9. 所有柱变形与轴压比最不利统计", "表10. 每根构件局稳与长细比验算结果列表",
          "表11. 按截面构件局稳与长细比最不利统计", "表12. 所有构件局稳与长细比最不利统计",
          "表13. 构件配筋结果(配筋面积单位 cm2)"}},
        {"deformation per member", {IDC_OUTCHECK_DEFORM_LIST}, 2, 6 + 2,
         {"表1. 每根梁变形验算结果列表", "表2. 每根柱变形与轴压比验算结果列表"}},
        {"reinforcement only: no check, one final poll", {IDC_OUTCHECK_REINFORCE_LIST}, 1, 1,
         {"表1. 构件配筋结果(配筋面积单位 cm2)"}},
        {"nothing ticked", {}, 0, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUser::Reset();
        CMemberCheckModel model;
        RunRecord rec;
        const RtfReading r = RunAndRead(model.members, c.ticked, &rec);
        EXPECT_EQ(rec.items, c.items);
        EXPECT_EQ(rec.lower, 0);
        EXPECT_EQ(rec.upper, c.items + 7) << "the range is the tables' polls plus the members";
        EXPECT_EQ(rec.pos, c.polls);
        EXPECT_EQ(TableTitles(r), c.titles);
        ASSERT_FALSE(r.lines.empty());
        EXPECT_EQ(r.lines[0], "构件设计与验算结果");
    }
}

TEST_F(CheckReportTest, RowsComeInGbkByteOrderSoTenComesBeforeTwo)
{
    CMemberCheckModel model;
    const RtfReading r = RunAndRead(model.members, {IDC_OUTCHECK_CAPACITY_LIST});
    const auto rows = TableRows(r, {"编号", "正应力", "2轴剪应力", "3轴剪应力", "组合应力", "2轴整稳", "3轴整稳"});
    // GBK: 次 B4CE < 斜 D0B1 < 主 D6F7 < 柱 D6F9; in UTF-8 主 would come first and 次 last.
    EXPECT_EQ(FirstCells(rows), (std::vector<std::string>{"次梁1-2-3", "斜柱7", "主梁10", "主梁2", "柱3"}));
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[2], (std::vector<std::string>{"主梁10", "0.850", "0.200", "0.001", "0.600", "0.700", "0.100"}));
}

TEST_F(CheckReportTest, TheWorstMembersPerSectionAndOfAllAreTheHandCheckedOnes)
{
    CMemberCheckModel model;
    const RtfReading r = RunAndRead(model.members, {IDC_OUTCHECK_CAPACITY_SECTION, IDC_OUTCHECK_CAPACITY_ALL,
                                                    IDC_OUTCHECK_DEFORM_SECTION});
    const std::vector<std::string> heads = {"最不利构件", "正应力", "2轴剪应力", "3轴剪应力", "组合应力", "2轴整稳", "3轴整稳"};
    // The first table of these heads is the one per section.
    const auto perSection = TableRows(r, heads);
    // H1: 0.85005 after 0.8500 keeps 主梁10; 0.6002 after 0.6 takes 主梁2 until 柱3's 0.9;
    // shear about 3 stays at or below 0.001 and has no row.
    EXPECT_EQ(FirstCells(perSection),
              (std::vector<std::string>{"H1", "正应力0.850:主梁10", "2轴剪应力0.300:主梁2", "组合应力0.900:柱3",
                                        "2轴整稳0.710:柱3", "3轴整稳0.200:柱3", "H2", "正应力0.900:次梁1-2-3",
                                        "2轴剪应力0.250:斜柱7", "组合应力0.300:次梁1-2-3", "2轴整稳0.800:斜柱7",
                                        "3轴整稳0.350:斜柱7"}));
    ASSERT_GE(perSection.size(), 2u);
    EXPECT_EQ(perSection[0], (std::vector<std::string>{"H1", k15, k15, k15, k15, k15, k15}));
    EXPECT_EQ(perSection[1], (std::vector<std::string>{"正应力0.850:主梁10", "0.850", "0.200", "0.001", "0.600",
                                                       "0.700", "0.100"}));

    // The table of all follows with the same heads.
    std::vector<std::vector<std::string>> ofAll;
    int seen = 0;
    for (size_t i = 0; i < r.rows.size(); ++i) {
        if (r.rows[i] == heads && ++seen == 2)
            for (size_t j = i + 1; j < r.rows.size() && r.rows[j][0] != "最不利构件"; ++j)
                ofAll.push_back(r.rows[j]);
    }
    EXPECT_EQ(FirstCells(ofAll), (std::vector<std::string>{"正应力0.900:次梁1-2-3", "2轴剪应力0.300:主梁2",
                                                           "组合应力0.900:柱3", "2轴整稳0.800:斜柱7",
                                                           "3轴整稳0.350:斜柱7"}));
    ASSERT_FALSE(ofAll.empty());
    EXPECT_EQ(ofAll[0], (std::vector<std::string>{"正应力0.900:次梁1-2-3", "0.900", "0.050", "0.000", "0.300",
                                                  "0.200", "0.300"}));

    // The deformation tables per section: cells of 30 "-"; beams and columns apart.
    const auto beams = TableRows(r, {"最不利构件", "梁D+L变形", "梁L变形", "梁坡度改变"});
    EXPECT_EQ(FirstCells(beams), (std::vector<std::string>{"H1", "梁D+L变形0.600:主梁2", "梁L变形0.250:主梁10", "H2",
                                                           "梁D+L变形0.400:次梁1-2-3", "梁L变形0.300:次梁1-2-3"}));
    ASSERT_FALSE(beams.empty());
    EXPECT_EQ(beams[0], (std::vector<std::string>{"H1", k30, k30, k30}));
    const auto columns = TableRows(r, {"最不利构件", "X向柱顶位移", "Y向柱顶位移", "柱轴压比"});
    EXPECT_EQ(FirstCells(columns), (std::vector<std::string>{"H1", "X向柱顶位移0.300:柱3", "Y向柱顶位移0.200:柱3",
                                                             "柱轴压比0.600:柱3", "H2", "X向柱顶位移0.400:斜柱7",
                                                             "Y向柱顶位移0.100:斜柱7", "柱轴压比0.700:斜柱7"}));
}

TEST_F(CheckReportTest, AFamilyWithoutResultsKeepsItsHeadsAndTheRulesCloseEachTable)
{
    // Only the concrete member and the one without a section: no steel results at all.
    CMemberCheckModel model;
    CBeamList list;
    model.Fill(list, {5, 6});
    const RtfReading r = RunAndRead(list, {IDC_OUTCHECK_CAPACITY_ALL});
    EXPECT_EQ(TableTitles(r), (std::vector<std::string>{"表1. 所有构件承载力最不利统计"}));
    bool heads = false;
    for (const auto& row : r.rows)
        heads = heads || (!row.empty() && row[0] == "最不利构件");
    EXPECT_TRUE(heads);
    EXPECT_TRUE(TableRows(r, {"最不利构件", "正应力", "2轴剪应力", "3轴剪应力", "组合应力", "2轴整稳", "3轴整稳"}).empty());
    EXPECT_EQ(LastLine(r), std::string(56, '-'));
    list.RemoveAll();
}

TEST_F(CheckReportTest, TheReinforcementPartWritesConcreteMembersOnlyWhenTheListHoldsOne)
{
    // unrtf writes the quotation marks as entities.
    const std::string intro = "本文中次梁编号按&ldquo;楼层-房间号-房间内编号&rdquo;表达。";
    {
        SCOPED_TRACE("no concrete member: the chapter ends after the introduction");
        CMemberCheckModel model;
        CBeamList list;
        model.Fill(list, {0, 1, 2, 3, 4, 5});
        const RtfReading r = RunAndRead(list, {IDC_OUTCHECK_REINFORCE_LIST});
        EXPECT_EQ(Trim(LastLine(r)), intro);
        EXPECT_TRUE(r.rows.empty());
        list.RemoveAll();
    }
    {
        SCOPED_TRACE("a concrete member: the legend and its areas; the type-6 member writes nothing");
        ScriptedUser::Reset();
        CMemberCheckModel model;
        const RtfReading r = RunAndRead(model.members, {IDC_OUTCHECK_REINFORCE_LIST});
        bool legend = false, concrete = false, dummy = false;
        for (const std::string& l : r.lines) {
            legend = legend || l == "Hashw: 墙肢水平分布筋面积；";
            concrete = concrete || vyrtest::Words(l) == std::vector<std::string>{"柱20:", "NRatio=10.00", "As2=11.00",
                                                                                 "As3=12.00", "Asv=13.00"};
            dummy = dummy || l.find("虚杆") != std::string::npos;
        }
        EXPECT_TRUE(legend);
        EXPECT_TRUE(concrete);
        EXPECT_FALSE(dummy);
        EXPECT_EQ(model.Member(0)->GetCheckCount(), 0) << "no check without a steel table";
    }
}

TEST_F(CheckReportTest, TheChecksBeforeTheTablesTakeOnlySteelMembersWithASectionAndNoResultYet)
{
    CMemberCheckModel model;
    model.Member(2)->Check(); // 柱3 holds a result already
    RunAndRead(model.members, {IDC_OUTCHECK_CAPACITY_ALL});
    const int expected[7] = {1, 1, 1, 1, 1, 0, 0}; // the member without a section and the concrete one: none
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(model.Member(i)->GetCheckCount(), expected[i]) << "member " << i;
}

TEST_F(CheckReportTest, ASectionOfTheWholeReportHasNoHeadAndAStandAloneChapterOne)
{
    CMemberCheckModel model;
    CDlgOutputCheck dlg(nullptr); // never opened: the whole report calls only the chapter
    dlg.m_pBeamList = &model.members;
    for (int flag : {0, 1}) {
        SCOPED_TRACE(flag);
        const std::string path = Path(flag ? "section.rtf" : "alone.rtf");
        {
            COutput out;
            ASSERT_TRUE(out.InitDevice(DEVICE_RTF, path, 3));
            dlg.OutputUnite(out, flag);
        }
        const RtfReading r = ReadRtf(path);
        int rules = 0;
        for (const std::string& l : r.lines)
            rules += l == std::string(68, '=') ? 1 : 0;
        EXPECT_EQ(rules, flag ? 0 : 1);
        EXPECT_EQ(TableTitles(r).size(), 4u) << "a chapter off the dialog's worker is never stopped";
    }
}

TEST_F(CheckReportTest, WithoutAMemberListARunWritesNothingAndTheDialogIsIdleAgain)
{
    ScriptedUser::Click(IDC_OUTCHECK_SHOW, IDD_OUTPUTCHECK);
    WaitUntilIdle();
    std::string text = "?", button;
    bool saveEnabled = false;
    ScriptedUser::Run(
        [&](CDialog* d) {
            text = Text(d, IDC_REPORT_EDIT);
            button = Text(d, IDC_OUTCHECK_SHOW);
            saveEnabled = d->GetDlgItem(IDC_REPORT_RTF)->IsWindowEnabled() != FALSE;
        },
        IDD_OUTPUTCHECK);
    ScriptedUser::PressCancel(IDD_OUTPUTCHECK);
    CDlgOutputCheck dlg(nullptr);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(text, "");
    EXPECT_EQ(button, "显示>>");
    EXPECT_TRUE(saveEnabled);
}

// The worker held in the check of 主梁2: closing is refused, the stop keeps the text written
// and gives the dialog back at the worker's next poll, and no further member is checked.
TEST_F(CheckReportTest, AStopKeepsTheTextWrittenAndGivesTheDialogBackWhileCloseAndEscAreRefused)
{
    CMemberCheckModel model;
    CBeamBase* held = model.Member(1);
    std::atomic<bool> reached{false}, release{false};
    vyrtest::HoldCheckOf(held, reached, release);
    bool openWhileRunning = false, closeDisabled = false, barShown = false;
    std::string runningButton, text, button;
    bool idleAfter = false, saveEnabled = false, barHidden = false;
    ScriptedUser::Click(IDC_OUTCHECK_SHOW, IDD_OUTPUTCHECK);
    ScriptedUser::WaitUntil([&](CDialog*) { return reached.load(); }, IDD_OUTPUTCHECK);
    ScriptedUser::PressKey(VK_ESCAPE);
    ScriptedUser::Close();
    ScriptedUser::Run([&](CDialog* d) {
        openWhileRunning = ::IsWindowVisible(d->GetSafeHwnd()) != FALSE;
        closeDisabled = d->GetDlgItem(IDOK)->IsWindowEnabled() == FALSE;
        barShown = d->GetDlgItem(IDC_OUTCHECK_PROGRESS)->IsWindowVisible() != FALSE;
        runningButton = Text(d, IDC_OUTCHECK_SHOW);
    });
    ScriptedUser::Click(IDC_OUTCHECK_SHOW, IDD_OUTPUTCHECK); // "中止显示"
    ScriptedUser::Run([&](CDialog* d) {
        EXPECT_EQ(Dlg(d)->m_pThread, nullptr) << "the stop clears the thread pointer";
        release = true;
    });
    WaitUntilIdle();
    ScriptedUser::Run([&](CDialog* d) {
        text = Text(d, IDC_REPORT_EDIT);
        button = Text(d, IDC_OUTCHECK_SHOW);
        idleAfter = !Dlg(d)->m_bRunning;
        saveEnabled = d->GetDlgItem(IDC_REPORT_RTF)->IsWindowEnabled() != FALSE;
        barHidden = d->GetDlgItem(IDC_OUTCHECK_PROGRESS)->IsWindowVisible() == FALSE;
    });
    ScriptedUser::Click(IDOK, IDD_OUTPUTCHECK);
    CDlgOutputCheck dlg(nullptr);
    dlg.m_pBeamList = &model.members;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    SetCheckHook(nullptr);

    EXPECT_TRUE(openWhileRunning);
    EXPECT_TRUE(closeDisabled);
    EXPECT_TRUE(barShown);
    EXPECT_EQ(runningButton, "中止显示");
    EXPECT_NE(text.find("本文中次梁编号按"), std::string::npos) << "the introduction stays";
    EXPECT_EQ(text.find("表1."), std::string::npos) << "no table after the stop";
    EXPECT_EQ(button, "显示>>");
    EXPECT_TRUE(idleAfter);
    EXPECT_TRUE(saveEnabled);
    EXPECT_TRUE(barHidden);
    EXPECT_EQ(held->GetCheckCount(), 1) << "the held check finished";
    for (int i = 2; i < 5; ++i)
        EXPECT_EQ(model.Member(i)->GetCheckCount(), 0) << "no check starts after the stop";
}

TEST_F(CheckReportTest, ABoxTickedDuringARunCountsFromTheNextRun)
{
    CMemberCheckModel model;
    std::atomic<bool> reached{false}, release{false};
    vyrtest::HoldCheckOf(model.Member(1), reached, release);
    std::string first, second;
    ScriptedUser::Click(IDC_OUTCHECK_SHOW, IDD_OUTPUTCHECK);
    ScriptedUser::WaitUntil([&](CDialog*) { return reached.load(); }, IDD_OUTPUTCHECK);
    ScriptedUser::Check(IDC_OUTCHECK_CAPACITY_LIST, BST_CHECKED, IDD_OUTPUTCHECK); // the boxes stay enabled
    ScriptedUser::Run([&](CDialog*) { release = true; }, IDD_OUTPUTCHECK);
    WaitUntilIdle();
    ScriptedUser::Run([&](CDialog* d) { first = Text(d, IDC_REPORT_EDIT); }, IDD_OUTPUTCHECK);
    ScriptedUser::Click(IDC_OUTCHECK_SHOW, IDD_OUTPUTCHECK);
    WaitUntilIdle();
    ScriptedUser::Run([&](CDialog* d) { second = Text(d, IDC_REPORT_EDIT); }, IDD_OUTPUTCHECK);
    ScriptedUser::Click(IDOK, IDD_OUTPUTCHECK);
    CDlgOutputCheck dlg(nullptr);
    dlg.m_pBeamList = &model.members;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    SetCheckHook(nullptr);

    EXPECT_EQ(first.find("每根构件承载力验算结果列表"), std::string::npos);
    EXPECT_NE(first.find("表4. 所有构件局稳与长细比最不利统计"), std::string::npos);
    EXPECT_NE(second.find("表1. 每根构件承载力验算结果列表"), std::string::npos);
    EXPECT_NE(second.find("表5. 所有构件局稳与长细比最不利统计"), std::string::npos);
}

// A member that notes which thread asks for its number: two threads inside at once would be
// two workers writing the report together.
class CSpyBeam : public CBeam
{
public:
    using CBeam::CBeam;
    static std::atomic<DWORD> s_inside;
    static std::atomic<bool> s_overlap;
    CString GetNumberText() const override
    {
        const DWORD me = ::GetCurrentThreadId();
        const DWORD before = s_inside.exchange(me);
        if (before != 0 && before != me)
            s_overlap = true;
        CString s = CBeam::GetNumberText();
        DWORD expected = me;
        s_inside.compare_exchange_strong(expected, 0);
        return s;
    }
};
std::atomic<DWORD> CSpyBeam::s_inside{0};
std::atomic<bool> CSpyBeam::s_overlap{false};

TEST_F(CheckReportTest, StartAndStopPressedInQuickAlternationNeverLetTwoWorkersWrite)
{
    CSectionBase section;
    section.m_strKind = "H";
    std::vector<std::unique_ptr<CSpyBeam>> objects;
    CBeamList list;
    for (int i = 1; i <= 300; ++i) {
        objects.push_back(std::make_unique<CSpyBeam>(i, nullptr, nullptr, i % 2 ? 1 : 2));
        objects.back()->m_pSection = &section;
        objects.back()->SetCheckAnswer(vyrtest::MemberAnswer({0.5f, 0.4f, 0.3f, 0.2f, 0.1f, 0.6f},
                                                             {0.5f, 0.4f, 0.3f, 0.2f, 0.1f, 0.6f},
                                                             {0.5f, 0.4f, 0.3f, 0.2f, 0.1f, 0.6f}));
        list.AddTail(objects.back().get());
    }
    CSpyBeam::s_overlap = false;
    ScriptedUser::Click(IDC_OUTCHECK_SELALL, IDD_OUTPUTCHECK);
    for (int i = 0; i < 60; ++i)
        ScriptedUser::Click(IDC_OUTCHECK_SHOW, IDD_OUTPUTCHECK);
    WaitUntilIdle();
    // A last run from idle writes the whole report.
    ScriptedUser::Click(IDC_OUTCHECK_SHOW, IDD_OUTPUTCHECK);
    WaitUntilIdle();
    std::string text;
    ScriptedUser::Run([&](CDialog* d) { text = Text(d, IDC_REPORT_EDIT); }, IDD_OUTPUTCHECK);
    ScriptedUser::Click(IDOK, IDD_OUTPUTCHECK);
    CDlgOutputCheck dlg(nullptr);
    dlg.m_pBeamList = &list;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    list.RemoveAll();
    for (auto& o : objects)
        o->m_pSection = nullptr;

    EXPECT_FALSE(CSpyBeam::s_overlap.load());
    EXPECT_NE(text.find("表12. 所有构件局稳与长细比最不利统计"), std::string::npos);
    EXPECT_EQ(text.find("本文中次梁编号按"), text.rfind("本文中次梁编号按"))
        << "the last run wrote into an emptied control, once";
}

TEST_F(CheckReportTest, TheKeyOpensTheReportOnTheMemberList)
{
    CGlobalData data;
    data.ProgramType() = 1;
    CMemberCheckModel model;
    CBeamList* seenList = nullptr;
    CGlobalData* seenData = nullptr;
    ScriptedUser::Run(
        [&](CDialog* d) {
            seenList = Dlg(d)->m_pBeamList;
            seenData = Dlg(d)->m_pData;
        },
        IDD_OUTPUTCHECK);
    ScriptedUser::Click(IDOK, IDD_OUTPUTCHECK);
    EXPECT_EQ(vyrkeys::Run("Prop.BeamOutputCheck", &model.members, &data), 0);
    EXPECT_EQ(seenList, &model.members);
    EXPECT_EQ(seenData, &data);
}

} // namespace

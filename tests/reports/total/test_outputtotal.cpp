// The whole calculation report under a scripted user: what the first run writes, the
// templates of the editions, the preconditions and their messages, the run's polls and
// stops (also at every poll, with quick restarts), the saved report read back with unrtf,
// and one hand-checked number per chapter.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <vyr/controls.h>
#include <vyr/model/base/VyrProduct.h>
#include <vyr/model/struct/SampleModel.h>
#include <vyr/model/struct/structure.h>
#include <vyr/reports/DlgOutputTotal.h>
#include <vyr/resources/dialogs/OutputTotalRes.h>
#include <vyr/resources/dialogs/ReportRes.h>
#include <vyr/resources/dialogs/StoreyRes.h>
#include <vyr/scripteduser.h>
#include "storey/StoreyTest.h"
#include "storey/drift/DispTest.h"
#include "support/StoreyModels.h"

using vyr::ScriptedUser;
using vyrtest::CStoreyModel;
using vyrtest::CStoreyModelSpec;

namespace {

// The whole report with its polls counted; at the polls named it acts as the user would
// between two polls (a stop, a stop and a new start, a close attempt).
class CTotalProbe : public CDlgOutputTotal
{
public:
    using CDlgOutputTotal::CDlgOutputTotal;

    int m_nPolls = 0;             // polls of the current run
    std::vector<int> m_arrPollsPerRun;
    int m_nStopAt = 0;            // poll at which the show button is pressed (0: never)
    bool m_bRestart = false;      // and pressed again as soon as the stop is answered
    bool m_bTryClose = false;     // OK and Cancel tried at the first poll
    int m_nRuns = 0;
    std::vector<int> m_arrBarPos; // the bar after each answered poll

    void Press() { OnOutput(); }

protected:
    LRESULT Poll(WPARAM w, LPARAM l)
    {
        ++m_nPolls;
        if (m_nPolls == 1 && m_bTryClose) {
            OnOK();
            OnCancel();
        }
        const bool stop = m_nPolls == m_nStopAt;
        if (stop) {
            m_nStopAt = 0;
            OnOutput();
        }
        const LRESULT answer = CheckProgress(w, l);
        // "显示>>" again as soon as the dialog shows it, before the stopped worker returned.
        if (stop && m_bRestart)
            OnOutput();
        if (auto* bar = dynamic_cast<CProgressCtrl*>(GetDlgItem(IDC_OTOTAL_PROGRESS)))
            m_arrBarPos.push_back(bar->GetPos());
        return answer;
    }
    LRESULT RunEnd(WPARAM w, LPARAM l)
    {
        m_arrPollsPerRun.push_back(m_nPolls);
        m_nPolls = 0;
        ++m_nRuns;
        return OnRunEnd(w, l);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTotalProbe, CDlgOutputTotal)
    ON_MESSAGE(WM_THREAD_CHECKCANCEL, &CTotalProbe::Poll)
    ON_MESSAGE(WM_THREAD_RUNEND, &CTotalProbe::RunEnd)
END_MESSAGE_MAP()

CTotalProbe* Probe(CDialog* d) { return static_cast<CTotalProbe*>(d); }

void WaitUntilIdle(UINT idd = IDD_OUTPUT_TOTAL)
{
    ScriptedUser::WaitUntil([](CDialog* d) { return !Probe(d)->IsRunBusy() && Probe(d)->m_pThread == nullptr; }, idd);
}

std::string ReportText(CDialog* d)
{
    CString t;
    d->GetDlgItemText(IDC_REPORT_EDIT, t);
    return t.str();
}

// The lines of a text, without empty ones and line-end characters.
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> out;
    size_t at = 0;
    while (at <= text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        std::string l = text.substr(at, end - at);
        while (!l.empty() && (l.back() == '\r' || l.back() == ' '))
            l.pop_back();
        if (!l.empty())
            out.push_back(l);
        at = end + 1;
    }
    return out;
}

// Where each of the parts first occurs in the text (npos: missing).
std::vector<size_t> Positions(const std::string& text, const std::vector<std::string>& parts)
{
    std::vector<size_t> out;
    for (const std::string& p : parts)
        out.push_back(text.find(p));
    return out;
}

size_t Count(const std::string& text, const std::string& part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++n;
    return n;
}

const std::vector<std::string> kCodes = {"建筑结构荷载规范 GB50009－2001", "钢结构设计规范 GB 50017-2003",
                                         "建筑抗震设计规范 GB 50011-2001"};
const std::string kPortalCode = "门式刚架轻型房屋钢结构技术规程 CECS102:2002";
const std::string kHeadRule(68, '=');

class TotalTest : public storeytest::StoreyTest
{
protected:
    outtest::TempDir m_dir;
};

// ---------------------------------------------------------------- opening

TEST_F(TotalTest, OpeningWritesTitleHeadAndCodesOnlyWithTheCodesOfTheStructureType)
{
    const struct
    {
        int type;
        bool portal;
    } cases[] = {{0, false}, {1, true}, {2, false}, {3, true}, {4, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE("structure type " + std::to_string(c.type));
        ScriptedUser::Reset();
        CStoreyModel model;
        model.Data().ProjectName() = "样例";
        model.Data().CurrentStructureType() = c.type;
        std::string text;
        std::vector<bool> ticked, buttons;
        ScriptedUser::WaitUntil([](CDialog* d) { return Probe(d)->m_nRuns == 1 && !Probe(d)->IsRunBusy(); },
                                IDD_OUTPUT_TOTAL);
        ScriptedUser::Run(
            [&](CDialog* d) {
                text = ReportText(d);
                for (const auto& [box, button] : Probe(d)->m_arrSection) {
                    ticked.push_back(Probe(d)->IsChecked(box));
                    buttons.push_back(d->GetDlgItem(button)->IsWindowEnabled() != FALSE);
                }
            },
            IDD_OUTPUT_TOTAL);
        ScriptedUser::PressOK(IDD_OUTPUT_TOTAL);
        CTotalProbe dlg(&model.Data(), nullptr);
        EXPECT_EQ(dlg.DoModal(), IDOK);

        std::vector<std::string> want = {"样例计算书", kHeadRule};
        const std::vector<std::string> lines = Lines(text);
        ASSERT_GE(lines.size(), 5u);
        EXPECT_EQ(lines[0], "样例计算书");
        EXPECT_EQ(lines[1], kHeadRule);
        EXPECT_EQ(lines[2].rfind("计算软件：", 0), 0u);
        EXPECT_EQ(lines[3].rfind("计算时间：", 0), 0u);
        std::vector<std::string> rest(lines.begin() + 4, lines.end());
        for (std::string& l : rest)
            l.erase(0, l.find_first_not_of("\t "));
        std::vector<std::string> codes = {"设计依据："};
        codes.insert(codes.end(), kCodes.begin(), kCodes.end());
        if (c.portal)
            codes.push_back(kPortalCode);
        EXPECT_EQ(rest, codes) << "nothing after the codes";
        EXPECT_EQ(ticked, std::vector<bool>(15, false));
        EXPECT_EQ(buttons, std::vector<bool>(15, false)) << "an unticked box's button is disabled";
    }
}

TEST_F(TotalTest, TheSummarySettingsHaveValuesBeforeTheHostSetsThemAndReachTheSummaryChapter)
{
    CStoreyModel model;
    {
        CDlgOutputTotal dlg(&model.Data(), nullptr);
        EXPECT_FALSE(dlg.m_bColWallLiveReduce);
        EXPECT_FALSE(dlg.m_bFoundLiveReduce);
        EXPECT_FALSE(dlg.m_bBeamStiffAdjust);
        for (float f : dlg.m_fLiveReduceFactor)
            EXPECT_EQ(f, 1.0f);
    }
    // Set by the host: the summary section prints them (range 4-5 at 0.70).
    std::string text;
    WaitUntilIdle();
    ScriptedUser::Check(IDC_OTOTAL_SUMMARY, BST_CHECKED, IDD_OUTPUT_TOTAL);
    ScriptedUser::Click(IDC_OTOTAL_SHOW, IDD_OUTPUT_TOTAL);
    WaitUntilIdle();
    ScriptedUser::Run([&](CDialog* d) { text = ReportText(d); }, IDD_OUTPUT_TOTAL);
    ScriptedUser::PressOK(IDD_OUTPUT_TOTAL);
    CTotalProbe dlg(&model.Data(), nullptr);
    dlg.m_bColWallLiveReduce = true;
    dlg.m_fLiveReduceFactor[2] = 0.7f;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_NE(text.find("柱、墙活荷载进行折减；"), std::string::npos);
    EXPECT_NE(text.find("4-5"), std::string::npos);
    EXPECT_NE(text.find("0.70"), std::string::npos);
}

// ---------------------------------------------------------------- editions

TEST_F(TotalTest, EachEditionOpensItsTemplateAndAMissingBoxCountsAsUnticked)
{
    const std::vector<int> all = {IDC_OTOTAL_SUMMARY, IDC_OTOTAL_MODEL,   IDC_OTOTAL_DESIGN,   IDC_OTOTAL_NODE,
                                  IDC_OTOTAL_SUPPORT, IDC_OTOTAL_MASS,    IDC_OTOTAL_FREQUENT, IDC_OTOTAL_GSTABLE,
                                  IDC_OTOTAL_COMFORT, IDC_OTOTAL_DISP,    IDC_OTOTAL_STIFF,    IDC_OTOTAL_VM,
                                  IDC_OTOTAL_CAPACITY, IDC_OTOTAL_VGRATIO, IDC_OTOTAL_FRAMEADJ};
    const struct
    {
        const char* name;
        int dim;
        CVyrProduct::Variant variant;
        UINT idd;
        std::vector<int> sections; // 1-based
    } cases[] = {
        {"general", 3, CVyrProduct::General, IDD_OUTPUT_TOTAL, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
        {"Kel 3-D", 3, CVyrProduct::Kel3D, IDD_OUTPUT_TOTAL_KEL, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14}},
        {"Dov 2-D", 2, CVyrProduct::Dov2D, IDD_OUTPUT_TOTAL_DOV, {1, 2, 3, 4, 5, 6}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUser::Reset();
        CVyrProduct::CEditionScope edition(c.dim, c.variant);
        CStoreyModel model;
        std::vector<int> present;
        std::vector<int> tickedAfterSelectAll;
        ScriptedUser::WaitUntil([](CDialog* d) { return Probe(d)->m_nRuns == 1 && !Probe(d)->IsRunBusy(); }, c.idd);
        ScriptedUser::Click(IDC_OTOTAL_SELALL, c.idd);
        ScriptedUser::Run(
            [&](CDialog* d) {
                for (size_t k = 0; k < all.size(); ++k) {
                    const auto [box, button] = Probe(d)->m_arrSection[k];
                    EXPECT_EQ(box, all[k]);
                    EXPECT_EQ(d->GetDlgItem(box) != nullptr, d->GetDlgItem(button) != nullptr)
                        << "a box and its button come together";
                    if (d->GetDlgItem(box))
                        present.push_back((int)k + 1);
                    if (Probe(d)->IsChecked(box))
                        tickedAfterSelectAll.push_back((int)k + 1);
                }
            },
            c.idd);
        ScriptedUser::PressOK(c.idd);
        CTotalProbe dlg(&model.Data(), nullptr);
        EXPECT_EQ(CDlgOutputTotal::TemplateForEdition(), c.idd);
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(present, c.sections);
        // "全部选择" ticks every box there is.
        EXPECT_EQ(tickedAfterSelectAll, c.sections);
    }
}

// ---------------------------------------------------------------- preconditions

TEST_F(TotalTest, EachPreconditionAnswersItsMessagesInOrder)
{
    using Test = bool (CDlgOutputTotal::*)(CString&) const;
    // The models, each failing one more condition than the full one.
    enum Model
    {
        FULL,         // storeys, wind, seismic, modes, a wall-less frame with a brace and a column
        NO_STOREYS,
        NO_MODES,
        NO_WIND,      // seismic cases only
        NO_HORIZONTAL,
        NO_BRACE,     // no wall and no brace
        NO_MEMBERS,   // with a wall, no members
        NO_COLUMN,    // a brace only
        NO_SEISM,     // wind only
    };
    auto build = [](Model m, CStoreyModel*& out) {
        CStoreyModelSpec spec;
        if (m == NO_STOREYS)
            spec = spec.WithStoreys(0);
        if (m == NO_WIND || m == NO_HORIZONTAL)
            spec = spec.WithWind(false);
        if (m == NO_SEISM || m == NO_HORIZONTAL)
            spec = spec.WithSeismPairs(0);
        if (m == NO_MODES)
            spec.nModes = 0;
        out = new CStoreyModel(spec);
        CStruct& s = out->Struct();
        auto member = [&](int type) {
            s.m_pBeamList->AddTail(new CBeam((int)s.m_pBeamList->GetCount() + 1, nullptr, nullptr, type));
        };
        if (m == NO_MEMBERS) {
            s.m_pWallList->AddTail(new CWall);
            return;
        }
        if (m != NO_COLUMN)
            member(1);
        if (m != NO_BRACE)
            member(3);
    };
    const struct
    {
        const char* name;
        Test test;
        std::vector<std::pair<Model, const char*>> answers; // "" = holds
    } cases[] = {
        {"frequent", &CDlgOutputTotal::CanBtnFrequent, {{FULL, ""}, {NO_MODES, "请先进行振型计算！"}}},
        {"stability", &CDlgOutputTotal::CanGStableCheck, {{FULL, ""}, {NO_STOREYS, "必须存在真实楼层！"}, {NO_HORIZONTAL, ""}}},
        {"shear capacity report", &CDlgOutputTotal::CanBtnShearCapacity,
         {{NO_HORIZONTAL, ""}, {NO_STOREYS, "必须存在真实楼层！"}}},
        {"comfort", &CDlgOutputTotal::CanComfortCheck,
         {{FULL, ""}, {NO_STOREYS, "必须存在真实楼层！"}, {NO_MODES, "请先进行振型计算！"}, {NO_WIND, "必须存在风载工况！"}}},
        {"displacement", &CDlgOutputTotal::CanLayerDispDifferOutput,
         {{FULL, ""}, {NO_WIND, ""}, {NO_SEISM, ""}, {NO_STOREYS, "结构必须存在真实楼面！"},
          {NO_HORIZONTAL, "结构已分析基本工况必须存在水平风载或地震荷载！"}}},
        {"stiffness", &CDlgOutputTotal::CanBtnStiffStatOutput,
         {{NO_HORIZONTAL, ""}, {NO_STOREYS, "结构必须存在真实楼面！"}}},
        {"shear and moment", &CDlgOutputTotal::CanBtnLayerVMOutput,
         {{FULL, ""}, {NO_WIND, ""}, {NO_STOREYS, "必须存在真实楼层！"}, {NO_HORIZONTAL, "必须存在水平工况！"}}},
        {"shear-to-weight", &CDlgOutputTotal::CanBtnLayerVGRatio,
         {{FULL, ""}, {NO_STOREYS, "必须存在真实楼层！"}, {NO_SEISM, "必须有水平地震工况！"}}},
        {"frame adjustment", &CDlgOutputTotal::CanBtnFrameSeismicAdjust,
         {{FULL, ""},
          {NO_STOREYS, "必须存在真实楼层！"},
          {NO_BRACE, "纯框架体系不需要调整，必须存在剪力墙或支撑水平抗力体系！"},
          {NO_MEMBERS, "结构中必须存在梁柱构件！"},
          {NO_COLUMN, "结构中必须存在柱构件！"},
          {NO_SEISM, "必须存在水平地震工况！"}}},
    };
    for (const auto& c : cases)
        for (const auto& [m, message] : c.answers) {
            SCOPED_TRACE(std::string(c.name) + " on model " + std::to_string((int)m));
            CStoreyModel* model = nullptr;
            build(m, model);
            CDlgOutputTotal dlg(&model->Data(), nullptr);
            CString msg = "unchanged";
            const bool holds = (dlg.*c.test)(msg);
            EXPECT_EQ(holds, std::string(message).empty());
            EXPECT_EQ(msg.str(), holds ? "unchanged" : message);
            delete model;
        }
}

TEST_F(TotalTest, ASettingsButtonWhoseTestFailsShowsItsMessageAndOpensNothing)
{
    // No horizontal case and no modes; storeys there.
    CStoreyModel model(CStoreyModelSpec().WithWind(false).WithSeismPairs(0));
    model.Struct().SetModalResult({});
    WaitUntilIdle();
    for (int box : {IDC_OTOTAL_FREQUENT, IDC_OTOTAL_VM, IDC_OTOTAL_CAPACITY})
        ScriptedUser::Run([box](CDialog* d) { d->CheckDlgButton(box, BST_CHECKED); }, IDD_OUTPUT_TOTAL);
    // A click on a box enables the buttons of every ticked box.
    ScriptedUser::Check(IDC_OTOTAL_STIFF, BST_CHECKED, IDD_OUTPUT_TOTAL);
    ScriptedUser::Click(IDC_OTOTAL_BTN_FREQUENT, IDD_OUTPUT_TOTAL);
    ScriptedUser::AnswerMessageBox(IDOK, "请先进行振型计算！");
    ScriptedUser::Click(IDC_OTOTAL_BTN_VM, IDD_OUTPUT_TOTAL);
    ScriptedUser::AnswerMessageBox(IDOK, "必须存在水平工况！");
    // The shear capacity button asks for a horizontal case, its report does not.
    ScriptedUser::Click(IDC_OTOTAL_BTN_CAPACITY, IDD_OUTPUT_TOTAL);
    ScriptedUser::AnswerMessageBox(IDOK, "必须存在水平工况！");
    // A run skips the sections whose tests fail without a word.
    std::string text;
    ScriptedUser::Click(IDC_OTOTAL_SHOW, IDD_OUTPUT_TOTAL);
    WaitUntilIdle();
    ScriptedUser::Run([&](CDialog* d) { text = ReportText(d); }, IDD_OUTPUT_TOTAL);
    ScriptedUser::PressOK(IDD_OUTPUT_TOTAL);
    CTotalProbe dlg(&model.Data(), nullptr);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    CString msg;
    EXPECT_TRUE(dlg.CanBtnShearCapacity(msg));
    EXPECT_NE(text.find("楼层受剪承载力信息"), std::string::npos) << "section 13 needs real storeys only";
    EXPECT_NE(text.find("楼层抗侧刚度信息"), std::string::npos);
    EXPECT_EQ(text.find("楼层剪力与倾覆力矩信息"), std::string::npos) << "no horizontal case";
    EXPECT_EQ(text.find("动力特性信息"), std::string::npos) << "no modes";
    EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 3u) << "the run itself says nothing";
    size_t opened = 0;
    for (const auto& r : ScriptedUser::Dialogs())
        if (r.templateId != IDD_OUTPUT_TOTAL)
            ++opened;
    EXPECT_EQ(opened, 0u) << "no embedded dialog opened";
}

TEST_F(TotalTest, ASettingsButtonOpensTheEmbeddedDialogWhoseOptionsTheNextRunUses)
{
    CStoreyModel model;
    model.Data().ProjectName() = "样例";
    WaitUntilIdle();
    ScriptedUser::Check(IDC_OTOTAL_MODEL, BST_CHECKED, IDD_OUTPUT_TOTAL);
    ScriptedUser::Click(IDC_OTOTAL_BTN_MODEL, IDD_OUTPUT_TOTAL);
    // The model report: "总体信息" off, kept by the embedded object when it closes.
    ScriptedUser::Check(1299, BST_UNCHECKED, IDD_OUTPUT_MODEL);
    ScriptedUser::PressOK(IDD_OUTPUT_MODEL);
    // The stability button opens the report viewer on the overall stability chapter.
    std::string viewer, caption;
    ScriptedUser::Check(IDC_OTOTAL_GSTABLE, BST_CHECKED, IDD_OUTPUT_TOTAL);
    ScriptedUser::Click(IDC_OTOTAL_BTN_GSTABLE, IDD_OUTPUT_TOTAL);
    ScriptedUser::Run(
        [&](CDialog* d) {
            viewer = storeytest::StoreyTest::ViewerText(d);
            CString c;
            d->GetWindowText(c);
            caption = c.str();
        },
        IDD_OUTPUTDOCUMENT);
    ScriptedUser::PressOK(IDD_OUTPUTDOCUMENT);
    ScriptedUser::Click(IDC_OTOTAL_SHOW, IDD_OUTPUT_TOTAL);
    WaitUntilIdle();
    std::string text;
    ScriptedUser::Run([&](CDialog* d) { text = ReportText(d); }, IDD_OUTPUT_TOTAL);
    ScriptedUser::PressOK(IDD_OUTPUT_TOTAL);
    CTotalProbe dlg(&model.Data(), nullptr);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(caption, "整体稳定性统计报告");
    EXPECT_NE(viewer.find("样例整体稳定信息"), std::string::npos);
    EXPECT_EQ(dlg.m_dlgModel.m_bTotal, 0);
    EXPECT_NE(text.find("样例模型与荷载信息"), std::string::npos);
    EXPECT_EQ(text.find("工程总体信息"), std::string::npos) << "the part switched off in the embedded dialog";
}

// ---------------------------------------------------------------- the run

TEST_F(TotalTest, TheModelSectionHasNoSecondHeadAndItsPollsStepTheSameBar)
{
    CStoreyModel model;
    model.Data().ProjectName() = "样例";
    int lower = -1, upper = -1;
    std::string text;
    std::vector<int> pollsPerRun, barPos;
    WaitUntilIdle();
    ScriptedUser::Check(IDC_OTOTAL_MODEL, BST_CHECKED, IDD_OUTPUT_TOTAL);
    ScriptedUser::Click(IDC_OTOTAL_SHOW, IDD_OUTPUT_TOTAL);
    WaitUntilIdle();
    ScriptedUser::Run(
        [&](CDialog* d) {
            static_cast<CProgressCtrl*>(d->GetDlgItem(IDC_OTOTAL_PROGRESS))->GetRange(lower, upper);
            text = ReportText(d);
            pollsPerRun = Probe(d)->m_arrPollsPerRun;
            barPos = Probe(d)->m_arrBarPos;
        },
        IDD_OUTPUT_TOTAL);
    ScriptedUser::PressOK(IDD_OUTPUT_TOTAL);
    CTotalProbe dlg(&model.Data(), nullptr);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(lower, 0);
    EXPECT_EQ(upper, 21);
    // Each run: 14 polls before sections 2 to 15; the model chapter adds one before each of
    // its four parts and seven load chapters.
    EXPECT_EQ(pollsPerRun, (std::vector<int>{14, 14 + 11}));
    ASSERT_EQ(barPos.size(), 14u + 14u + 11u);
    // The second run's bar: one step per poll from 0, starting over past its end as a
    // progress bar does.
    for (size_t i = 0; i < 25; ++i)
        EXPECT_EQ(barPos[14 + i], (int)(i + 1) % 22) << i;
    EXPECT_EQ(Count(text, kHeadRule), 1u) << "the report head once, the model chapter none";
    EXPECT_EQ(Count(text, "计算软件："), 1u);
    EXPECT_NE(text.find("样例模型与荷载信息"), std::string::npos);
}

TEST_F(TotalTest, StoppingInTheModelSectionEndsAfterItsCurrentPartAndWritesNoLaterSection)
{
    CStoreyModel model;
    model.Data().ProjectName() = "样例";
    std::string text;
    bool idleAfter = false;
    WaitUntilIdle();
    ScriptedUser::Click(IDC_OTOTAL_SELALL, IDD_OUTPUT_TOTAL);
    ScriptedUser::Run(
        [](CDialog* d) {
            Probe(d)->m_dlgModel.m_bNode = 1;
            // Poll 1 is before section 2, poll 2 before the model's general part, poll 3
            // before its nodes: the stop pressed there lets the general part stand.
            Probe(d)->m_nStopAt = 3;
        },
        IDD_OUTPUT_TOTAL);
    ScriptedUser::Click(IDC_OTOTAL_SHOW, IDD_OUTPUT_TOTAL);
    WaitUntilIdle();
    ScriptedUser::Run(
        [&](CDialog* d) {
            text = ReportText(d);
            CString show;
            d->GetDlgItemText(IDC_OTOTAL_SHOW, show);
            idleAfter = show == "显示>>" && !Probe(d)->m_bRunning &&
                        d->GetDlgItem(IDOK)->IsWindowEnabled() != FALSE;
        },
        IDD_OUTPUT_TOTAL);
    ScriptedUser::PressOK(IDD_OUTPUT_TOTAL);
    CTotalProbe dlg(&model.Data(), nullptr);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    const auto at = Positions(text, {"样例总体信息", "样例模型与荷载信息", "工程总体信息"});
    for (size_t p : at)
        EXPECT_NE(p, std::string::npos);
    EXPECT_TRUE(std::is_sorted(at.begin(), at.end()));
    EXPECT_EQ(text.find("结点分析属性"), std::string::npos) << "the part after the stop";
    EXPECT_EQ(text.find("动力特性信息"), std::string::npos) << "a section after the stop";
    EXPECT_EQ(text.find("楼层抗侧刚度信息"), std::string::npos);
    EXPECT_TRUE(idleAfter);
}

// A stop at any poll, with and without a new start pressed right after it: the dialog never
// ends while its worker runs, one worker writes at a time, and a restarted run writes the
// whole report once.
TEST_F(TotalTest, AStopAtAnyPollAndAQuickRestartLeaveOneWholeReport)
{
    CStoreyModel model;
    model.Data().ProjectName() = "样例";
    model.Data().CurrentStructureType() = 1;
    // Sections 1, 2, 7, 11 and 12 with 14 + 11 polls in all.
    for (int stopAt : {1, 2, 5, 12, 13, 16, 22, 23, 25})
        for (bool restart : {false, true}) {
            SCOPED_TRACE("stop at poll " + std::to_string(stopAt) + (restart ? " and restart" : ""));
            ScriptedUser::Reset();
            std::string text;
            int runs = 0;
            WaitUntilIdle();
            ScriptedUser::Click(IDC_OTOTAL_SELALL, IDD_OUTPUT_TOTAL);
            ScriptedUser::Run(
                [&](CDialog* d) {
                    Probe(d)->m_nStopAt = stopAt;
                    Probe(d)->m_bRestart = restart;
                    Probe(d)->m_bTryClose = true;
                },
                IDD_OUTPUT_TOTAL);
            ScriptedUser::Click(IDC_OTOTAL_SHOW, IDD_OUTPUT_TOTAL);
            ScriptedUser::WaitUntil(
                [restart](CDialog* d) {
                    return Probe(d)->m_nRuns == (restart ? 3 : 2) && !Probe(d)->IsRunBusy() &&
                           Probe(d)->m_pThread == nullptr;
                },
                IDD_OUTPUT_TOTAL);
            ScriptedUser::Run(
                [&](CDialog* d) {
                    text = ReportText(d);
                    runs = Probe(d)->m_nRuns;
                },
                IDD_OUTPUT_TOTAL);
            ScriptedUser::PressOK(IDD_OUTPUT_TOTAL);
            CTotalProbe dlg(&model.Data(), nullptr);
            EXPECT_EQ(dlg.DoModal(), IDOK) << "OK and Cancel during the run did not end the dialog";
            EXPECT_EQ(runs, restart ? 3 : 2);
            EXPECT_EQ(Count(text, "样例计算书"), 1u);
            EXPECT_EQ(Count(text, kPortalCode), 1u);
            // Poll 22 comes before section 12, the last written here: a run stopped there or
            // earlier lacks it; the restarted run writes it once.
            EXPECT_EQ(Count(text, "样例楼层剪力与倾覆力矩信息"), restart || stopAt > 22 ? 1u : 0u);
        }
}

// ---------------------------------------------------------------- saves

TEST_F(TotalTest, ASaveWritesEverySectionTickedInOrderAsTheRichEditShowsThem)
{
    CGlobalData data;
    BuildSampleModel(data);
    FillSampleResults(data);
    FillStoreyResults(data);
    data.ProjectName() = "样例";
    const std::string rtf = m_dir.File("whole.rtf");
    const std::string txt = m_dir.File("whole.txt");
    std::string shown;
    WaitUntilIdle();
    ScriptedUser::Click(IDC_OTOTAL_SELALL, IDD_OUTPUT_TOTAL);
    ScriptedUser::Click(IDC_OTOTAL_SHOW, IDD_OUTPUT_TOTAL);
    WaitUntilIdle();
    ScriptedUser::Run([&](CDialog* d) { shown = ReportText(d); }, IDD_OUTPUT_TOTAL);
    ScriptedUser::Click(IDC_REPORT_RTF, IDD_OUTPUT_TOTAL);
    ScriptedUser::AnswerFileDialog(rtf.c_str());
    ScriptedUser::Click(IDC_REPORT_TXT, IDD_OUTPUT_TOTAL);
    ScriptedUser::AnswerFileDialog(txt.c_str());
    ScriptedUser::PressOK(IDD_OUTPUT_TOTAL);
    CTotalProbe dlg(&data, nullptr);
    EXPECT_EQ(dlg.DoModal(), IDOK);

    // The chapters of the fifteen sections, in section order (the displacement chapter as a
    // section has no title of its own: its first limit line stands for it).
    const std::vector<std::string> titles = {"样例计算书",
                                             "样例总体信息",
                                             "样例模型与荷载信息",
                                             "构件设计与验算结果",
                                             "结点相关设计结果",
                                             "支座节点反力结果",
                                             "样例结构质量信息",
                                             "样例动力特性信息",
                                             "样例整体稳定信息",
                                             "样例建筑风载下舒适度验算信息",
                                             "层风载最大层间角不宜大于1/",
                                             "样例楼层抗侧刚度信息",
                                             "样例楼层剪力与倾覆力矩信息",
                                             "样例楼层受剪承载力信息",
                                             "样例楼层剪压比统计信息",
                                             "样例框架地震内力调整信息"};
    const outtest::RtfReading r = outtest::ReadRtf(rtf);
    ASSERT_TRUE(r.ok);
    std::string saved;
    for (const std::string& l : r.lines)
        saved += l + "\n";
    const std::string plain = outtest::RunCommand("iconv -f GBK -t UTF-8 '" + txt + "'");
    for (const std::string* text : std::vector<const std::string*>{&shown, &saved, &plain}) {
        const auto at = Positions(*text, titles);
        for (size_t i = 0; i < at.size(); ++i)
            EXPECT_NE(at[i], std::string::npos) << titles[i];
        EXPECT_TRUE(std::is_sorted(at.begin(), at.end()));
    }
    // The save and the rich edit agree line by line on the text outside the tables (the
    // spacing aside; the time, which may have turned a minute, and the lines with typographic
    // marks, which unrtf spells as HTML, left out).
    auto squeeze = [](std::string l) {
        l.erase(std::remove_if(l.begin(), l.end(), [](char ch) { return ch == ' ' || ch == '\t' || ch == '\r'; }),
                l.end());
        return l;
    };
    std::vector<std::string> shownLines = Lines(shown);
    for (std::string& l : shownLines)
        l = squeeze(l);
    size_t compared = 0;
    for (const std::string& l : r.lines)
        if (!squeeze(l).empty() && l.find("计算时间") == std::string::npos && l.find('&') == std::string::npos) {
            ++compared;
            EXPECT_NE(std::find(shownLines.begin(), shownLines.end(), squeeze(l)), shownLines.end()) << l;
        }
    EXPECT_GT(compared, 50u);
}

// ---------------------------------------------------------------- hand-checked numbers

TEST_F(TotalTest, TheChaptersOfTheHandCheckedModelCarryTheHandValues)
{
    // Three storeys of 3 m, lateral stiffness 6, 4, 2 kN/cm; wind X shear 10 kN x (4 - k);
    // periods 1.20, 0.80 and 0.40 s; a fixed support node 9001 with a dead reaction of
    // 100 kN and a live one of 50 kN upwards, and a mass weight of 20 kN under g = 10.
    CSupportFixed fixed;
    CStoreyModel model(CStoreyModelSpec().WithStoreys(3));
    model.Data().ProjectName() = "样例";
    model.SetStiffness({6, 4, 2});
    model.Struct().SetModalResult({1.20f, 0.80f, 0.40f});
    model.Struct().m_pLoadSeismList->m_fG = 10.0f;
    auto* support = new CPNode(9001, CPoint3D(100.0, 0.0, 0.0));
    support->SetSupport(&fixed);
    support->m_mapCaseReact[0] = {0, 0, 100, 0, 0, 0};
    support->m_mapCaseReact[1] = {0, 0, 50, 0, 0, 0};
    support->m_dDeadFz = -20.0;
    support->m_fMass = 20.0f;
    model.Struct().m_pNodeList->AddTail(support);
    const std::string path = m_dir.File("hand.rtf");
    WaitUntilIdle();
    for (int box : {IDC_OTOTAL_SUPPORT, IDC_OTOTAL_MASS, IDC_OTOTAL_FREQUENT, IDC_OTOTAL_STIFF, IDC_OTOTAL_VM})
        ScriptedUser::Check(box, BST_CHECKED, IDD_OUTPUT_TOTAL);
    // The options the embedded dialogs keep: the 1.0D+1.0L reactions, the masses by node.
    ScriptedUser::Run(
        [](CDialog* d) {
            Probe(d)->m_dlgNodeForce.m_bStandard = 1;
            Probe(d)->m_dlgEqualLoad.m_bNode = 1;
        },
        IDD_OUTPUT_TOTAL);
    ScriptedUser::Click(IDC_REPORT_RTF, IDD_OUTPUT_TOTAL);
    ScriptedUser::AnswerFileDialog(path.c_str());
    ScriptedUser::PressOK(IDD_OUTPUT_TOTAL);
    CTotalProbe dlg(&model.Data(), nullptr);
    EXPECT_EQ(dlg.DoModal(), IDOK);

    const outtest::RtfReading r = outtest::ReadRtf(path);
    ASSERT_TRUE(r.ok);
    auto hasRow = [&](const std::vector<std::string>& want) {
        return std::find(r.rows.begin(), r.rows.end(), want) != r.rows.end();
    };
    auto rowStarting = [&](const std::string& first, const std::string& second) {
        for (const auto& row : r.rows)
            if (row.size() >= 2 && row[0] == first && row[1] == second)
                return row;
        return std::vector<std::string>{};
    };
    // Frequency 1 / 1.2 = 0.833333; Ti/T1 = 0.80 / 1.20 = 0.67.
    const auto mode1 = rowStarting("1", "1.200000");
    ASSERT_GE(mode1.size(), 4u);
    EXPECT_EQ(mode1[2], "0.833333");
    EXPECT_EQ(rowStarting("2", "0.800000").at(3), "0.67");
    // Storey 1: 600 kN/m over 400 above = 1.500; over the mean of 400 and 200 = 2.000.
    EXPECT_TRUE(hasRow({"第1层", "600.000", "1.500", "2.000"}));
    // Storey 3 under wind X: shear 10 kN, overturning moment 10 kN x 3 m = 30 kN.m.
    EXPECT_TRUE(hasRow({"第3层", "3.0", "10.0", "30.0"}));
    // Node 9001 under 1.0D+1.0L: 100 + 50 = 150 kN; its mass 20 kN / 10 = 2 t.
    EXPECT_TRUE(hasRow({"结点9001", "0.00", "0.00", "150.00", "0.00", "0.00", "0.00"}));
    const auto mass = rowStarting("9001", "(1.00/0.00/0.00)");
    ASSERT_GE(mass.size(), 3u);
    EXPECT_EQ(mass[2], "2.000");
    // A section is a part of the report: no second report head after the first.
    size_t heads = 0;
    for (const std::string& l : r.lines)
        heads += l == kHeadRule;
    EXPECT_EQ(heads, 1u);
}

TEST_F(TotalTest, TheDriftAndTheShearToWeightFactorOfTheHandCheckedStoreys)
{
    // Two storeys of 3 m without round results, one seismic pair. Seismic X: storey shears
    // 40 and 10 kN, gravity loads 2000 and 1000 kN, minimum shear coefficient 0.016; storey 1
    // drifts 1.0 cm.
    vyrtest::CStoreyModelSpec spec;
    spec.nStorey = 2;
    spec.bWind = false;
    spec.bResults = false;
    CStoreyModel model(spec);
    model.Data().ProjectName() = "样例";
    model.SetWeights({2000, 1000});
    model.SetSeismShears(0, {40, 10});
    model.Struct().m_fMinShearCof[model.SeismPos(0)] = 0.016f;
    disptest::SetDisp(model.Storey(1), model.Seism(0), 1, {1.0f, 102, 1.0f, 1.0f, 102, 1.0f});
    disptest::SetDisp(model.Storey(2), model.Seism(0), 1, {0.5f, 201, 0.5f, 1.5f, 202, 1.5f});
    const std::string path = m_dir.File("storeys.rtf");
    WaitUntilIdle();
    for (int box : {IDC_OTOTAL_DISP, IDC_OTOTAL_VGRATIO})
        ScriptedUser::Check(box, BST_CHECKED, IDD_OUTPUT_TOTAL);
    ScriptedUser::Click(IDC_REPORT_RTF, IDD_OUTPUT_TOTAL);
    ScriptedUser::AnswerFileDialog(path.c_str());
    ScriptedUser::PressOK(IDD_OUTPUT_TOTAL);
    CTotalProbe dlg(&model.Data(), nullptr);
    EXPECT_EQ(dlg.DoModal(), IDOK);

    const outtest::RtfReading r = outtest::ReadRtf(path);
    ASSERT_TRUE(r.ok);
    auto cellOf = [&](const std::string& first, const std::string& cell) {
        for (const auto& row : r.rows)
            if (!row.empty() && row[0] == first && std::find(row.begin(), row.end(), cell) != row.end())
                return true;
        return false;
    };
    // Storey 1: 3000 mm / 10 mm = 300; storey 2: 3000 / 5 = 600.
    EXPECT_TRUE(cellOf("第1层", "1/300"));
    EXPECT_TRUE(cellOf("第2层", "1/600"));
    // The top storey: 0.016 x 1000 / 10 = 1.600; below it 0.016 x 3000 / 40 = 1.200.
    EXPECT_TRUE(cellOf("第 2层", "1.600"));
    EXPECT_TRUE(cellOf("第 1层", "1.200"));
    // Written by the whole report, the factor is stored in the storey.
    EXPECT_NEAR(model.Storey(2)->m_fMinShearAmplify[model.SeismPos(0)], 1.6f, 1e-5f);
}

TEST_F(TotalTest, AFirstPeriodOfZeroPrintsNoInfinityInTheWholeReport)
{
    CStoreyModel model;
    model.Struct().SetModalResult({0.0f, 0.5f});
    const std::string path = m_dir.File("zero.rtf");
    WaitUntilIdle();
    ScriptedUser::Check(IDC_OTOTAL_FREQUENT, BST_CHECKED, IDD_OUTPUT_TOTAL);
    ScriptedUser::Click(IDC_REPORT_RTF, IDD_OUTPUT_TOTAL);
    ScriptedUser::AnswerFileDialog(path.c_str());
    ScriptedUser::PressOK(IDD_OUTPUT_TOTAL);
    CTotalProbe dlg(&model.Data(), nullptr);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    const outtest::RtfReading r = outtest::ReadRtf(path);
    ASSERT_TRUE(r.ok);
    bool found = false;
    for (const auto& row : r.rows)
        if (!row.empty() && row[0] == "1") {
            found = true;
            ASSERT_GE(row.size(), 4u);
            EXPECT_EQ(row[2], "0.000000");
            EXPECT_EQ(row[3], "0.00");
        }
    EXPECT_TRUE(found);
    for (const auto& row : r.rows)
        for (const std::string& cell : row)
            EXPECT_EQ(cell.find("inf"), std::string::npos);
}

} // namespace

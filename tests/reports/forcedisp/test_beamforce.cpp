// The member internal force report: its tables written into a text document and read back
// row by row, with forces worked by hand from station results; the dialog under a scripted
// user (boxes, the text shown, the saved RTF read with unrtf).
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <vyr/model/base/VyrProduct.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/reports/DlgOutputBeamForce.h>
#include <vyr/resources/dialogs/ForceDispRes.h>
#include <vyr/scripteduser.h>
#include "ReportLines.h"
#include "support/DialogTest.h"

using namespace forcedisp;
using vyr::ScriptedUser;

namespace {

CBeamBase::CStationValues At(std::initializer_list<std::pair<int, float>> values)
{
    CBeamBase::CStationValues v{};
    for (auto [k, f] : values)
        v[(size_t)k] = f;
    return v;
}

// Station results worked by hand:
//   dead: N 3, -8, 5 at sections 0 to 2; T 125 at section 4; M3 125 at section 3;
//   live: N 8, -8 at sections 0 and 1; V2 -2 at section 11.
void GiveResults(CBeamBase* b)
{
    b->SetStationResult(0, CBeamBase::STATION_N, At({{0, 3.0f}, {1, -8.0f}, {2, 5.0f}}));
    b->SetStationResult(0, CBeamBase::STATION_T, At({{4, 125.0f}}));
    b->SetStationResult(0, CBeamBase::STATION_M3, At({{3, 125.0f}}));
    b->SetStationResult(1, CBeamBase::STATION_N, At({{0, 8.0f}, {1, -8.0f}}));
    b->SetStationResult(1, CBeamBase::STATION_V2, At({{11, -2.0f}}));
}

// Fundamental combinations 1.0D (number 1) and 1.0L (number 2); the standard list is empty.
// Reported: the beam 7 and the brace 9 (type 3), both with the results above, and the
// virtual member 4 (type 6, no envelope); passed over: a beam without section, a secondary
// beam (5), a coupling beam (11) and a wall pier (12).
class BeamForceTest : public vyrtest::DialogTest
{
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        AddDeadAndLiveCases(data);
        AddCombination(data, data.GetSLCList(), 1.0f, 0.0f);
        AddCombination(data, data.GetSLCList(), 0.0f, 1.0f);
        Add(std::make_unique<CBeam>(7, nullptr, nullptr, 2), &section);
        Add(std::make_unique<CBeam>(8, nullptr, nullptr, 2), nullptr);
        Add(std::make_unique<CBeam>(9, nullptr, nullptr, 3), &section);
        Add(std::make_unique<CSubBeam>(10, nullptr, nullptr), &section);
        Add(std::make_unique<CBeamInWall>(11, nullptr, nullptr), &section);
        Add(std::make_unique<CColumnInWall>(12, nullptr, nullptr), &section);
        Add(std::make_unique<CBeam>(4, nullptr, nullptr, 6), &section);
        dlg.m_pData = &data;
        dlg.m_pBeamList = &members;
    }
    void TearDown() override
    {
        members.RemoveAll();
        DialogTest::TearDown();
    }
    void Add(std::unique_ptr<CBeamBase> b, CSectionBase* sec)
    {
        b->m_pSection = sec;
        GiveResults(b.get());
        members.AddTail(b.get());
        owned.push_back(std::move(b));
    }
    void Only(int caseBox, int comb, int combEnvelope, int std, int stdEnvelope)
    {
        dlg.m_bCase = caseBox;
        dlg.m_bComb = comb;
        dlg.m_bCombEnvelope = combEnvelope;
        dlg.m_bStd = std;
        dlg.m_bStdEnvelope = stdEnvelope;
    }

    CSWeldedHtype section{111, 400, 200, 12, 8};
    CGlobalData data;
    std::vector<std::unique_ptr<CBeamBase>> owned;
    CBeamList members;
    CDlgOutputBeamForce dlg{nullptr};
};

TEST_F(BeamForceTest, ByDefaultOneTableOfTheLargestForcesPerBasicCase)
{
    const auto lines = Chapter(dlg);
    EXPECT_EQ(Captions(lines), (std::vector<std::string>{"表1. 基本工况内力"}));
    const auto rows = Rows(lines);
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ(rows[0], Row{"构件内力结果"});
    EXPECT_EQ(Count(lines, "\t本文为构件内力结果。"), 1u);
    EXPECT_EQ(Count(lines, "\t本文中未经注明处使用的单位为m、kN。"), 1u);
    // No report head: nothing between the title and the introduction.
    EXPECT_EQ(rows[1], Row{"本文为构件内力结果。"});

    // Members without section and of types 5, 11 and 12 are passed over.
    std::vector<std::string> labels;
    for (const Row& r : rows)
        if (r.size() == 1 && (r[0].rfind("主梁", 0) == 0 || r[0].rfind("支撑", 0) == 0 || r[0].rfind("虚杆", 0) == 0 ||
                              r[0].rfind("次梁", 0) == 0 || r[0].rfind("连梁", 0) == 0 || r[0].rfind("墙肢", 0) == 0))
            labels.push_back(r[0]);
    EXPECT_EQ(labels, (std::vector<std::string>{"主梁7", "支撑9", "虚杆4"}));

    // Dead: N 3, -8, 5 gives -8; live: 8, -8 gives the earlier 8. The torque of 125 is
    // printed as kept, the moment of 125 in kN.m.
    EXPECT_EQ(Section(rows, "主梁7", {"支撑9"}),
              (std::vector<Row>{{"主梁7"},
                                {"工况", "N", "V2", "V3", "T", "M2", "M3"},
                                {"恒载", "-8.00", "0.00", "0.00", "125.00", "0.00", "1.25"},
                                {"活载", "8.00", "-2.00", "0.00", "0.00", "0.00", "0.00"}}));
}

TEST_F(BeamForceTest, PerCombinationTheSameValuesUnderTheCombinationsNumberAndDescription)
{
    Only(0, 1, 0, 1, 0);
    const auto lines = Chapter(dlg);
    EXPECT_EQ(Captions(lines), (std::vector<std::string>{"表1. 基本组合内力", "表2. 标准组合内力"}));
    const auto rows = Rows(lines);
    EXPECT_EQ(Section(rows, "主梁7", {"支撑9"}),
              (std::vector<Row>{{"主梁7"},
                                {"编号", "工况", "N", "V2", "V3", "T", "M2", "M3"},
                                {"1", "LC1:1.00D", "-8.00", "0.00", "0.00", "125.00", "0.00", "1.25"},
                                {"2", "LC2:1.00L", "8.00", "-2.00", "0.00", "0.00", "0.00", "0.00"}}));
    // The standard list is empty: every block has its heads only.
    const auto standard = Section(rows, "表2.", {});
    EXPECT_EQ(FirstWords(standard), (std::vector<std::string>{"表2.", "主梁7", "编号", "支撑9", "编号", "虚杆4", "编号"}));
}

// The envelope over 1.0D (1) and 1.0L (2), worked per component: the greatest value over
// both combinations and all sections, and the least, each with the first combination and
// section that reach it; the cells are the forces under that combination at that section.
TEST_F(BeamForceTest, EnvelopeNamesTheGoverningCombinationAndReadsItsSection)
{
    Only(0, 0, 1, 0, 0);
    const auto lines = Chapter(dlg);
    EXPECT_EQ(Captions(lines), (std::vector<std::string>{"表1. 基本组合内力包络"}));
    const auto rows = Rows(lines);
    const Row atDeadStart{"1", "3.00", "0.00", "0.00", "0.00", "0.00", "0.00"}; // 1.0D at section 0
    auto row = [](const char* label, const Row& rest) {
        Row r{label};
        r.insert(r.end(), rest.begin(), rest.end());
        return r;
    };
    EXPECT_EQ(Section(rows, "主梁7", {"支撑9"}),
              (std::vector<Row>{
                  {"主梁7"},
                  {"最值", "工况", "N", "V2", "V3", "T", "M2", "M3"},
                  // N: 5 under 1.0D, then 8 under 1.0L at section 0.
                  {"Nmax:8.00", "2", "8.00", "0.00", "0.00", "0.00", "0.00", "0.00"},
                  // V2 is 0 at best under both: the first combination and section.
                  row("V2max:0.00", atDeadStart),
                  row("V3max:0.00", atDeadStart),
                  // Torque and moments of 125 in kN.m, at their own sections.
                  {"Tmax:1.25", "1", "0.00", "0.00", "0.00", "1.25", "0.00", "0.00"},
                  row("M2max:0.00", atDeadStart),
                  {"M3max:1.25", "1", "0.00", "0.00", "0.00", "0.00", "0.00", "1.25"},
                  // -8 under both: the earlier combination.
                  {"Nmin:-8.00", "1", "-8.00", "0.00", "0.00", "0.00", "0.00", "0.00"},
                  {"V2min:-2.00", "2", "0.00", "-2.00", "0.00", "0.00", "0.00", "0.00"},
                  row("V3min:0.00", atDeadStart),
                  row("Tmin:0.00", atDeadStart),
                  row("M2min:0.00", atDeadStart),
                  row("M3min:0.00", atDeadStart),
              }));
    // The brace has the N rows only, with every component; the virtual member no block.
    EXPECT_EQ(Section(rows, "支撑9", {"虚杆4"}),
              (std::vector<Row>{{"支撑9"},
                                {"最值", "工况", "N", "V2", "V3", "T", "M2", "M3"},
                                {"Nmax:8.00", "2", "8.00", "0.00", "0.00", "0.00", "0.00", "0.00"},
                                {"Nmin:-8.00", "1", "-8.00", "0.00", "0.00", "0.00", "0.00", "0.00"}}));
    EXPECT_TRUE(std::none_of(rows.begin(), rows.end(), [](const Row& r) { return r[0] == "虚杆4"; }));
}

TEST_F(BeamForceTest, PlaneEditionEnvelopeHasSixRowsOfFiveColumns)
{
    CVyrProduct::CEditionScope plane(2, CVyrProduct::General);
    Only(0, 0, 1, 0, 0);
    const auto rows = Rows(Chapter(dlg));
    EXPECT_EQ(Section(rows, "主梁7", {"支撑9"}),
              (std::vector<Row>{{"主梁7"},
                                {"最值", "工况", "N", "V2", "M3"},
                                {"Nmax:8.00", "2", "8.00", "0.00", "0.00"},
                                {"V2max:0.00", "1", "3.00", "0.00", "0.00"},
                                {"M3max:1.25", "1", "0.00", "0.00", "1.25"},
                                {"Nmin:-8.00", "1", "-8.00", "0.00", "0.00"},
                                {"V2min:-2.00", "2", "0.00", "-2.00", "0.00"},
                                {"M3min:0.00", "1", "3.00", "0.00", "0.00"}}));
}

TEST_F(BeamForceTest, EnvelopeOverNoCombinationHasHeadsOnly)
{
    // The standard list is empty: no extreme exists and no combination to read under.
    Only(0, 0, 0, 0, 1);
    const auto lines = Chapter(dlg);
    EXPECT_EQ(Captions(lines), (std::vector<std::string>{"表1. 标准组合内力包络"}));
    EXPECT_EQ(FirstWords(Section(Rows(lines), "表1.", {})),
              (std::vector<std::string>{"表1.", "主梁7", "最值", "支撑9", "最值"}));
}

TEST_F(BeamForceTest, NoListWritesNothingAndNoModelRootGivesHeadsOnly)
{
    dlg.m_pBeamList = nullptr;
    EXPECT_TRUE(Rows(Chapter(dlg)).empty());
    dlg.m_pBeamList = &members;
    dlg.m_pData = nullptr;
    Only(1, 1, 1, 1, 1);
    const auto rows = Rows(Chapter(dlg));
    for (const Row& r : rows)
        EXPECT_FALSE(r.size() > 2 && r[0] != "编号" && r[0] != "工况" && r[0] != "最值") << r[0];
}

TEST_F(BeamForceTest, BoxesRewriteTheShownReportAndTheRtfReadsBack)
{
    outtest::TempDir dir;
    const std::string rtf = dir.File("内力.rtf");
    std::vector<std::string> opened, envelope, afterSave;
    ScriptedUser::Run(
        [&](CDialog* d) {
            opened = ShownLines(d);
            EXPECT_EQ(d->IsDlgButtonChecked(IDC_RESULT_CASE), BST_CHECKED);
            for (int id : {IDC_RESULT_COMB, IDC_RESULT_COMBENV, IDC_RESULT_STD, IDC_RESULT_STDENV})
                EXPECT_EQ(d->IsDlgButtonChecked(id), BST_UNCHECKED) << id;
        },
        IDD_BEAMFORCE);
    ScriptedUser::Check(IDC_RESULT_STDENV, BST_CHECKED);
    ScriptedUser::Check(IDC_RESULT_CASE, BST_UNCHECKED);
    ScriptedUser::Run([&](CDialog* d) { envelope = ShownLines(d); });
    ScriptedUser::Check(IDC_RESULT_COMB, BST_CHECKED);
    ScriptedUser::Click(IDC_REPORT_RTF);
    ScriptedUser::AnswerFileDialog(rtf.c_str());
    // After the save the boxes still write into the dialog's own report.
    ScriptedUser::Check(IDC_RESULT_STD, BST_CHECKED);
    ScriptedUser::Run([&](CDialog* d) { afterSave = ShownLines(d); });
    ScriptedUser::Click(IDOK);
    ASSERT_EQ(dlg.DoModal(), IDOK);

    EXPECT_EQ(Captions(opened), (std::vector<std::string>{"表1. 基本工况内力"}));
    EXPECT_EQ(Count(envelope, "构件内力结果"), 1u) << "a box click rewrites from the top";
    EXPECT_EQ(Captions(envelope), (std::vector<std::string>{"表1. 标准组合内力包络"}));
    EXPECT_EQ(dlg.m_bComb, 1);
    EXPECT_EQ(dlg.m_bCase, 0);

    const outtest::RtfReading r = outtest::ReadRtf(rtf);
    ASSERT_TRUE(r.ok) << "unrtf could not read the file";
    EXPECT_NE(std::find(r.lines.begin(), r.lines.end(), "表1. 基本组合内力"), r.lines.end());
    EXPECT_NE(std::find(r.rows.begin(), r.rows.end(), Row{"1", "LC1:1.00D", "-8.00", "0.00", "0.00", "125.00", "0.00", "1.25"}),
              r.rows.end());
    EXPECT_EQ(Captions(afterSave),
              (std::vector<std::string>{"表1. 基本组合内力", "表2. 标准组合内力", "表3. 标准组合内力包络"}));
}

} // namespace

// The node and member checks as the model answers them: a check keeps a copy of the
// prepared answer and counts that it ran, the hook sees every check, and CheckOutput writes
// the kept results through the object's writer.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include <vyr/model/output/coutput.h>
#include <vyr/model/struct/CheckHook.h>
#include <vyr/model/struct/structure.h>
#include "model/output/output_test_util.h"
#include "support/CheckModels.h"
#include "support/TestHelpers.h"

namespace {

using vyrtest::Words;

// The lines of a report written through the object's writer into a text document.
template <class T>
std::vector<std::string> ReportLines(T& object, bool detail)
{
    outtest::TempDir dir;
    const std::string path = dir.File("report.txt");
    {
        COutput out;
        EXPECT_TRUE(out.InitDevice(DEVICE_TEXT, CString(path), 1));
        object.m_pOutput = &out;
        object.CheckOutput(detail);
        object.m_pOutput = nullptr;
    }
    return outtest::ReadGbkLines(path);
}

bool HasWords(const std::vector<std::string>& lines, const std::vector<std::string>& words)
{
    for (const std::string& l : lines)
        if (Words(l) == words)
            return true;
    return false;
}

bool HasLine(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(ModelChecks, ACheckKeepsACopyOfThePreparedAnswerAndCountsItsRuns)
{
    CPNode node(3, CPoint3D(0, 0, 0));
    node.Check();
    EXPECT_EQ(node.m_pChecker, nullptr) << "nothing prepared, nothing kept";
    CPNodeChecker answer = vyrtest::RoundNodeAnswer();
    node.SetCheckAnswer(answer);
    node.Check();
    ASSERT_NE(node.m_pChecker, nullptr);
    EXPECT_FLOAT_EQ(node.m_pChecker->a[2], 0.3f);
    node.m_pCheckAnswer->a[2] = 0.9f; // a later answer does not reach the kept record
    EXPECT_FLOAT_EQ(node.m_pChecker->a[2], 0.3f);
    EXPECT_EQ(node.GetCheckCount(), 2);

    CBeam member(101, nullptr, nullptr, 2);
    member.CheckOrDesign();
    EXPECT_EQ(member.m_pCheckResult, nullptr);
    member.SetCheckAnswer(vyrtest::RoundMemberAnswer());
    member.CheckOrDesign();
    ASSERT_NE(member.m_pCheckResult, nullptr);
    EXPECT_FLOAT_EQ(member.m_pCheckResult->fRatio[0], 0.85f);
    EXPECT_EQ(member.GetCheckCount(), 2);
}

TEST(ModelChecks, TheHookSeesEveryCheckUntilCleared)
{
    CPNode node(1, CPoint3D(0, 0, 0));
    CBeam member(101, nullptr, nullptr, 2);
    std::vector<CObject*> seen;
    SetCheckHook([&](CObject* o) {
        // The hook runs before the check takes its answer.
        if (o == &member) {
            EXPECT_EQ(member.GetCheckCount(), 0);
        }
        seen.push_back(o);
    });
    node.Check();
    member.CheckOrDesign();
    SetCheckHook(nullptr);
    node.Check();
    EXPECT_EQ(seen, (std::vector<CObject*>{&node, &member}));
}

TEST(ModelChecks, NodeReportWritesTheKeptRecord)
{
    CPNode node(3, CPoint3D(0, 0, 0));
    EXPECT_TRUE(HasLine(ReportLines(node, true), "节点未进行验算。"));

    CPNodeChecker answer = vyrtest::RoundNodeAnswer();
    answer.s1 = "节点域满足要求";
    node.SetCheckAnswer(answer);
    node.Check();
    const std::vector<std::string> lines = ReportLines(node, true);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "节点3验算结果");
    EXPECT_TRUE(HasWords(lines, {"0.100", "0.200", "0.300", "0.400", "0.500", "0.600"}));
    EXPECT_TRUE(HasWords(lines, {"0.750", "0.500"}));
    EXPECT_TRUE(HasLine(lines, "节点域满足要求"));
    EXPECT_FALSE(HasLine(ReportLines(node, false), "节点域满足要求")) << "the remarks belong to the detail";

    node.m_pOutput = nullptr;
    node.CheckOutput(true); // no writer: nothing happens
}

TEST(ModelChecks, MemberReportWritesTheKeptResult)
{
    CBeam member(101, nullptr, nullptr, 2);
    std::vector<std::string> lines = ReportLines(member, true);
    EXPECT_TRUE(HasLine(lines, "杆件未进行验算。"));

    member.SetCheckAnswer(vyrtest::RoundMemberAnswer());
    member.CheckOrDesign();
    lines = ReportLines(member, true);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "杆件101设计验算结果");
    EXPECT_TRUE(HasLine(lines, "构件类型：主梁"));
    EXPECT_TRUE(HasWords(lines, {"0.850", "0.625", "0.500", "0.250", "0.000"}));
    EXPECT_TRUE(HasLine(lines, "变形：1/400，1/800，-"));
    EXPECT_TRUE(HasWords(lines, {"0.500", "0.250", "0.750", "1.000", "0.125", "0.375"}));

    lines = ReportLines(member, false);
    EXPECT_TRUE(HasWords(lines, {"0.850", "0.625", "0.500", "0.250", "0.000"}));
    EXPECT_FALSE(HasLine(lines, "变形：1/400，1/800，-"));
}

TEST(ModelChecks, NodeCheckResultsAreKeptOnTheCheckRecordEachKindOnItsOwn)
{
    CPNode n(5, CPoint3D());
    float r[6] = {-1, -1, -1, -1, -1, -1};
    CString t[6];
    auto capacity = [&] { return n.GetCapacityCheckResult(r[0], t[0], r[1], t[1], r[2], t[2], r[3], t[3], r[4], t[4], r[5], t[5]); };
    auto plates = [&] { return n.GetAddPlateResult(r[0], t[0], r[1], t[1], r[2], t[2], r[3], t[3]); };
    auto pcol = [&] { return n.GetPColCheckResult(r[0], t[0], r[1], t[1]); };
    EXPECT_FALSE(capacity());
    EXPECT_FALSE(plates());
    EXPECT_FALSE(pcol());
    EXPECT_EQ(r[0], -1.0f) << "nothing is filled without results";

    n.SetPColCheckResult({CNodeCheckItem{0.8f, "0.800"}, CNodeCheckItem{1.25f, "1.250 > 1"}});
    EXPECT_FALSE(capacity()) << "only the kind that was set is there";
    EXPECT_FALSE(plates());
    ASSERT_TRUE(pcol());
    EXPECT_FLOAT_EQ(r[0], 0.8f);
    EXPECT_FLOAT_EQ(r[1], 1.25f);
    EXPECT_EQ(t[1].str(), "1.250 > 1");

    std::array<CNodeCheckItem, 6> zones;
    for (int i = 0; i < 6; ++i)
        zones[(size_t)i] = {0.1f * (float)(i + 1), CString(std::to_string(i).c_str())};
    n.SetCapacityCheckResult(zones);
    n.SetAddPlateResult({CNodeCheckItem{0, "无"}, CNodeCheckItem{0, "无"}, CNodeCheckItem{6, "6mm"},
                         CNodeCheckItem{0, "无"}});
    ASSERT_TRUE(capacity());
    EXPECT_FLOAT_EQ(r[5], 0.6f);
    EXPECT_EQ(t[2].str(), "2");
    ASSERT_TRUE(plates());
    EXPECT_EQ(t[2].str(), "6mm");
    EXPECT_TRUE(pcol()) << "setting another kind keeps the earlier one";

    // A check run replaces the record with the prepared answer, which has no such results.
    n.SetCheckAnswer(vyrtest::RoundNodeAnswer());
    n.Check();
    EXPECT_FALSE(capacity());
    EXPECT_FALSE(pcol());
}

TEST(ModelChecks, SampleResultsGiveEveryNodeAndMemberAnAnswer)
{
    CGlobalData data;
    BuildSampleModel(data);
    FillSampleResults(data);
    CStruct* st = data.Struct();
    ASSERT_GT(st->m_pNodeList->GetCount(), 0);
    for (POSITION pos = st->m_pNodeList->GetHeadPosition(); pos != nullptr;)
        EXPECT_NE(st->m_pNodeList->GetNextT(pos)->m_pCheckAnswer, nullptr);
    int found = 0;
    for (POSITION pos = st->m_pBeamList->GetHeadPosition(); pos != nullptr;) {
        CBeamBase* b = st->m_pBeamList->GetNextT(pos);
        ASSERT_NE(b->m_pCheckAnswer, nullptr);
        // Strength 0.40 + 0.05 x (number mod 10): member 7 gives 0.75, member 12 gives 0.50.
        if (b->GetNo() == 7) {
            EXPECT_FLOAT_EQ(b->m_pCheckAnswer->fRatio[0], 0.75f);
            ++found;
        }
        if (b->GetNo() == 12) {
            EXPECT_FLOAT_EQ(b->m_pCheckAnswer->fRatio[0], 0.5f);
            ++found;
        }
    }
    EXPECT_EQ(found, 2);
}

} // namespace

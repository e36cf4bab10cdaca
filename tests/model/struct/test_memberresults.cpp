// The member results the check report reads: the three result calls from the kept check
// result, the concrete members, the number texts and the reinforcement line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <vyr/model/output/coutput.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include "model/output/output_test_util.h"
#include "support/MemberCheckModels.h"

namespace {

using Call = bool (CBeamBase::*)(std::vector<CReal>&, std::vector<CString>&) const;

std::vector<double> Ratios(const std::vector<CReal>& r)
{
    std::vector<double> out;
    for (const CReal& x : r)
        out.push_back(x.toD());
    return out;
}

std::vector<std::string> Texts(const std::vector<CString>& t)
{
    std::vector<std::string> out;
    for (const CString& x : t)
        out.push_back(x.str());
    return out;
}

TEST(MemberResults, EachCallReadsItsSixItemsFromTheKeptResultAndAnswersFalseWithoutOne)
{
    CBeam m(5, nullptr, nullptr, 2);
    CheckResult answer = vyrtest::MemberAnswer({0.5f, 0.25f, 0.125f, 0.75f, 0.375f, 1.0f},
                                               {0.5f, 0.25f, 0.125f, 0.75f, 0.375f, 1.0f},
                                               {0.125f, 0.25f, 0.375f, 0.5f, 0.625f, 0.75f});
    answer.fDeform[0] = 0.0025f; // D+L deformation 1/400; L deformation without its n
    m.SetCheckAnswer(answer);
    struct Case
    {
        const char* name;
        Call call;
        std::vector<double> ratios;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {"capacity", &CBeamBase::GetCapacityCheckResult, {0.5, 0.25, 0.125, 0.75, 0.375, 1.0},
         {"0.500", "0.250", "0.125", "0.750", "0.375", "1.000"}},
        {"deformation", &CBeamBase::GetDispCheckResult, {0.5, 0.25, 0.125, 0.75, 0.375, 1.0},
         {"1/400(0.500)", "0.250", "0.125", "0.750", "0.375", "1.000"}},
        {"detailing", &CBeamBase::GetConstructCheckResult, {0.125, 0.25, 0.375, 0.5, 0.625, 0.75},
         {"0.125", "0.250", "0.375", "0.500", "0.625", "0.750"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<CReal> ratios(6);
        std::vector<CString> texts(6);
        EXPECT_FALSE((m.*c.call)(ratios, texts)) << "no result before the check";
        EXPECT_EQ(Ratios(ratios), std::vector<double>(6, 0.0)) << "nothing written";
        m.Check();
        std::vector<CReal> few;
        std::vector<CString> none;
        ASSERT_TRUE((m.*c.call)(few, none));
        EXPECT_EQ(Ratios(few), c.ratios) << "short vectors grow to six";
        EXPECT_EQ(Texts(none), c.texts);
        delete m.m_pCheckResult;
        m.m_pCheckResult = nullptr;
    }
}

TEST(MemberResults, ConcreteMembersAreInWallMembersAndMembersOfHybridSections)
{
    CHybridRect hybrid;
    CSectionBase steel;
    CBeam column(1, nullptr, nullptr, 1), steelBeam(2, nullptr, nullptr, 2), bare(3, nullptr, nullptr, 2);
    CBeamInWall coupling(4, nullptr, nullptr);
    CColumnInWall pier(5, nullptr, nullptr);
    column.m_pSection = &hybrid;
    steelBeam.m_pSection = &steel;
    EXPECT_TRUE(column.IsConcreteBeam());
    EXPECT_FALSE(steelBeam.IsConcreteBeam());
    EXPECT_FALSE(bare.IsConcreteBeam());
    EXPECT_TRUE(coupling.IsConcreteBeam());
    EXPECT_TRUE(pier.IsConcreteBeam());

    CBeamList list;
    list.AddTail(&steelBeam);
    list.AddTail(&bare);
    EXPECT_FALSE(list.IsHaveConcreteMember());
    list.AddTail(&pier);
    EXPECT_TRUE(list.IsHaveConcreteMember());
    list.RemoveAll();
    column.m_pSection = nullptr;
    steelBeam.m_pSection = nullptr;
}

TEST(MemberResults, TheNumberTextIsTheNumberOrStoreyRoomAndIndexForASecondaryBeam)
{
    CBeam beam(12, nullptr, nullptr, 2);
    EXPECT_EQ(beam.GetNumberText().str(), "12");
    CSubBeam sub(40, nullptr, nullptr);
    sub.m_nSubNo = 3;
    EXPECT_EQ(sub.GetNumberText().str(), "0-0-3") << "no storey or room known";
    CFloor floor;
    floor.m_nNo = 5;
    CPlane room;
    room.m_nNo = 17;
    sub.m_pFloor = &floor;
    sub.m_pPlane = &room;
    CBeamBase& asBase = sub;
    EXPECT_EQ(asBase.GetNumberText().str(), "5-17-3");
    EXPECT_EQ((asBase.GetTypeDescription() + asBase.GetNumberText()).str(), "次梁5-17-3");
}

TEST(MemberResults, TheReinforcementLineNamesTheAreasOfTheMembersKind)
{
    struct Case
    {
        const char* name;
        std::unique_ptr<CBeamBase> member;
        const char* line; // empty: nothing written
    };
    auto withAreas = [](CBeamBase* m) {
        m->m_pConcreteResult = new CConcreteDesignResult;
        for (int g = 0; g < 5; ++g)
            for (int k = 0; k < 2; ++k)
                m->m_pConcreteResult->fArea[g][k] = 0.5f * (float)(2 * g + k + 1);
        return m;
    };
    std::vector<Case> cases;
    cases.push_back({"beam", std::unique_ptr<CBeamBase>(withAreas(new CBeam(1, nullptr, nullptr, 2))),
                     "\t主梁1:  Asu1=0.50  Asu2=1.00  Asu3=1.50  Asd1=2.00  Asd2=2.50  Asd3=3.00  Gasv=3.50  "
                     "Asv=4.00  Ast=4.50  Ast1=5.00"});
    cases.push_back({"column", std::unique_ptr<CBeamBase>(withAreas(new CBeam(2, nullptr, nullptr, 1))),
                     "\t柱2:  NRatio=0.50  As2=1.00  As3=1.50  Asv=2.00"});
    cases.push_back({"wall pier", std::unique_ptr<CBeamBase>(withAreas(new CColumnInWall(3, nullptr, nullptr))),
                     "\t墙肢3:  Asb=0.50  Asw=1.00  Gasv=1.50  Hashw=2.00"});
    cases.push_back({"no result", std::make_unique<CBeam>(4, nullptr, nullptr, 1), ""});
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        outtest::TempDir dir;
        const std::string path = dir.File("r.txt");
        {
            COutput out;
            ASSERT_TRUE(out.InitDevice(DEVICE_TEXT, CString(path), 1));
            out << "-" << endl;
            c.member->TextOutConcreteResult(out);
        }
        const std::vector<std::string> lines = outtest::ReadGbkLines(path);
        ASSERT_FALSE(lines.empty());
        if (*c.line)
            EXPECT_EQ(lines.size() > 1 ? lines[1] : "", c.line);
        else
            EXPECT_TRUE(lines.size() == 1 || lines[1].empty());
    }
}

} // namespace

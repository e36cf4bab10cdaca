// The property-key registry: the gate and the count applied before a body runs, and a key
// registered twice refused.
#include <gtest/gtest.h>

#include <string>

#include <vyr/model/struct/structure.h>
#include <vyr/protocol/PropKeyRegistry.h>

using namespace vyrkeys;

namespace {

int g_calls = 0;
int Body(void*, CGlobalData*)
{
    ++g_calls;
    return 7;
}
int OtherBody(void*, CGlobalData*) { return 9; }

const CPropKeyRows g_testKeys{
    {"Test.AnyProgram", AnyProgram, PropCount::Any, Body},
    {"Test.DesignOnly", DesignProgram, PropCount::Any, Body},
    {"Test.ModelOnly", ModelProgram, PropCount::Any, Body},
    {"Test.OneObject", AnyProgram, PropCount::OneObject, Body},
    {"Test.OneOrdinary", AnyProgram, PropCount::OneOrdinaryMember, Body},
    {"Test.OneInWall", AnyProgram, PropCount::OneMemberInWall, Body},
};

struct RegistryTest : ::testing::Test
{
    CGlobalData data;
    CStruct* st = data.Struct();
    void SetUp() override { g_calls = 0; }

    CPNode* Node(double x)
    {
        CPNode* n = new CPNode((int)st->m_pNodeList->GetCount() + 1, CPoint3D(x, 0, 0));
        st->m_pNodeList->AddTail(n);
        return n;
    }
};

TEST_F(RegistryTest, AClosedGateAnswersZeroWithoutRunningTheBody)
{
    CPNodeList nodes;
    const struct
    {
        const char* key;
        int type;
        int answer;
    } cases[] = {
        {"Test.DesignOnly", 0, 0}, {"Test.DesignOnly", 1, 7}, {"Test.DesignOnly", 2, 0},
        {"Test.ModelOnly", 0, 7},  {"Test.ModelOnly", 1, 0},  {"Test.AnyProgram", 2, 7},
    };
    for (const auto& c : cases) {
        g_calls = 0;
        data.ProgramType() = c.type;
        EXPECT_EQ(vyrkeys::Run(c.key, &nodes, &data), c.answer) << c.key << " in program type " << c.type;
        EXPECT_EQ(g_calls, c.answer != 0 ? 1 : 0) << c.key << " in program type " << c.type;
    }
    // Without a model root no gated key runs; an ungated one does.
    EXPECT_EQ(vyrkeys::Run("Test.ModelOnly", &nodes, nullptr), 0);
    EXPECT_EQ(vyrkeys::Run("Test.AnyProgram", &nodes, nullptr), 7);
}

TEST_F(RegistryTest, CountRulesAdmitExactlyOneOfTheirKind)
{
    CPNodeList none, one, two;
    CPNode* a = Node(0);
    one.AddTail(a);
    two.AddTail(a);
    two.AddTail(Node(1));
    EXPECT_EQ(vyrkeys::Run("Test.OneObject", &none, &data), 0);
    EXPECT_EQ(vyrkeys::Run("Test.OneObject", &one, &data), 7);
    EXPECT_EQ(vyrkeys::Run("Test.OneObject", &two, &data), 0);
    EXPECT_EQ(vyrkeys::Run("Test.OneObject", nullptr, &data), 0);

    // Members: an ordinary beam, a secondary beam and a member in a wall.
    CBeam beam(1, Node(0), Node(100), 1);
    CSubBeam sub(2, Node(0), Node(100));
    CBeamInWall inWall(3, Node(0), Node(100));
    const struct
    {
        std::initializer_list<CBeamBase*> members;
        int ordinary; // the answer of the one-ordinary-member rule
        int wall;     // of the one-member-in-a-wall rule
    } cases[] = {
        {{&beam}, 7, 0},
        {{&sub}, 7, 0},
        {{&inWall}, 0, 7},
        {{&beam, &inWall}, 7, 7},
        {{&beam, &sub}, 0, 0},
        {{}, 0, 0},
    };
    int i = 0;
    for (const auto& c : cases) {
        CBeamList list;
        for (CBeamBase* m : c.members)
            list.AddTail(m);
        EXPECT_EQ(vyrkeys::Run("Test.OneOrdinary", &list, &data), c.ordinary) << "case " << i;
        EXPECT_EQ(vyrkeys::Run("Test.OneInWall", &list, &data), c.wall) << "case " << i;
        ++i;
    }
}

TEST_F(RegistryTest, AKeyRegisteredTwiceKeepsItsFirstRowAndIsNamedInTheMessage)
{
    testing::internal::CaptureStderr();
    CPropKeyRows again{{"Test.ModelOnly", AnyProgram, PropCount::Any, OtherBody},
                       {"Test.Fresh", AnyProgram, PropCount::Any, OtherBody}};
    const std::string said = testing::internal::GetCapturedStderr();
    ASSERT_EQ(again.Refused().size(), 1u);
    EXPECT_STREQ(again.Refused()[0], "Test.ModelOnly");
    EXPECT_NE(said.find("\"Test.ModelOnly\""), std::string::npos) << said;
    EXPECT_EQ(said.find("Test.Fresh"), std::string::npos) << said;
    // The first row stays: its gate and body.
    ASSERT_NE(Find("Test.ModelOnly"), nullptr);
    EXPECT_EQ(Find("Test.ModelOnly")->body, &Body);
    EXPECT_EQ(Find("Test.ModelOnly")->gate, ModelProgram);
    data.ProgramType() = 0;
    EXPECT_EQ(vyrkeys::Run("Test.Fresh", nullptr, &data), 9);
}

TEST_F(RegistryTest, AnUnknownKeyAnswersZero) { EXPECT_EQ(vyrkeys::Run("Test.Missing", nullptr, &data), 0); }

} // namespace

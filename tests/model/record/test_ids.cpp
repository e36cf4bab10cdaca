#include <gtest/gtest.h>

#include <vyr/model/record/record.h>

namespace {

CIDs Set(const char* name, std::initializer_list<std::pair<int, int>> pairs)
{
    CIDs s;
    s.SetName(name);
    for (auto [id, type] : pairs)
        s.AddID(id, type);
    return s;
}

void ExpectSameSet(CIDs& a, CIDs& b)
{
    EXPECT_EQ(a.GetName(), b.GetName());
    ASSERT_EQ(a.GetCount(), b.GetCount());
    for (int i = 0; i < a.GetCount(); i++) {
        EXPECT_EQ(a.GetID(i), b.GetID(i));
        EXPECT_EQ(a.GetType(i), b.GetType(i));
    }
}

} // namespace

TEST(IDs, FindMatchesIdAndTypeTogether)
{
    CIDs s = Set("A", {{10, 1}, {11, 5}, {10, 5}});
    const struct
    {
        int id, type, index;
    } cases[] = {{10, 1, 0}, {11, 5, 1}, {10, 5, 2}, {11, 1, -1}, {12, 1, -1}, {0, 0, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(s.Find(c.id, c.type), c.index) << c.id << "/" << c.type;

    s.AddID(12, 1);
    EXPECT_EQ(s.Find(12, 1), s.GetCount() - 1);
}

TEST(IDs, DelIDShiftsTheLaterPairsAndClearKeepsTheName)
{
    CIDs s = Set("主梁", {{1, 2}, {2, 2}, {3, 5}});
    s.DelID(0);
    ASSERT_EQ(s.GetCount(), 2);
    EXPECT_EQ(s.Find(1, 2), -1);
    EXPECT_EQ(s.Find(3, 5), 1);
    EXPECT_EQ(s.GetType(1), 5);
    s.GetID(0) = 20; // references write through
    EXPECT_EQ(s.Find(20, 2), 0);
    s.ClearData();
    EXPECT_EQ(s.GetCount(), 0);
    EXPECT_EQ(s.GetName(), "主梁");
}

TEST(IDss, AssigningTwoSetsOverFiveLeavesTheTwoAndCopiesByValue)
{
    CIDss src;
    src.AddIDs(Set("A", {{1, 1}, {2, 5}}));
    src.AddIDs(Set("B", {{3, 2}}));
    CIDss dst;
    for (const char* n : {"p", "q", "r", "s", "t"})
        dst.AddIDs(Set(n, {{9, 9}}));
    dst = src;
    ASSERT_EQ(dst.GetCount(), 2);
    for (int i = 0; i < 2; i++)
        ExpectSameSet(dst.GetIDs(i), src.GetIDs(i));
    dst.GetIDs(0).AddID(4, 1);
    dst.GetIDs(1).SetName("B2");
    EXPECT_EQ(src.GetIDs(0).GetCount(), 2);
    EXPECT_EQ(src.GetIDs(1).GetName(), "B");
}

TEST(IDss, AddIDsStoresACopyAndDelIDsRemovesByIndex)
{
    CIDss list;
    CIDs s = Set("A", {{1, 1}});
    list.AddIDs(s);
    s.AddID(2, 2);
    EXPECT_EQ(list.GetIDs(0).GetCount(), 1);
    list.AddIDs(Set("B", {}));
    list.AddIDs(Set("C", {}));
    list.DelIDs(1);
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetIDs(1).GetName(), "C");
}

TEST(IDsDeathTest, IndexOutOfRangeFailsLoudly)
{
    CIDs s = Set("A", {{1, 1}});
    EXPECT_DEATH(s.GetID(1), "out of range");
    EXPECT_DEATH(s.DelID(-1), "out of range");
    CIDss list;
    EXPECT_DEATH(list.GetIDs(0), "out of range");
}

TEST(IDGen, StreamOperatorsCarryTheValueAndReturnTheSameStream)
{
    CStream s;
    CIDGen gen(17);
    CStream& written = s << gen;
    EXPECT_EQ(&written, &s);
    ASSERT_EQ(s.GetCount(), 1);
    long raw = 0;
    s >> raw;
    EXPECT_EQ(raw, 17);

    for (std::int32_t before : {0, 5, -3, 1000000}) {
        s.Rewind();
        CIDGen target(before);
        CStream& read = s >> target;
        EXPECT_EQ(&read, &s);
        EXPECT_EQ(target.GetCurID(), 17) << before;
    }
}

TEST(IDGen, NegativeAndLargeValuesSurviveTheStream)
{
    CStream s;
    const std::int32_t values[] = {-1, INT32_MIN, INT32_MAX};
    for (std::int32_t v : values)
        s << CIDGen(v);
    s.Rewind();
    for (std::int32_t v : values) {
        CIDGen g;
        s >> g;
        EXPECT_EQ(g.GetCurID(), v);
    }
    // At the end of the stream the generator keeps its value.
    CIDGen g(42);
    s >> g;
    EXPECT_EQ(g.GetCurID(), 42);
}

// The member-end definition libraries and the support list: what each constructor box
// lands in, numbering by position after adds and deletes, the refusal of repeats, the
// default supports of each edition and the springs' numbers.
#include <gtest/gtest.h>

#include <vector>

#include <vyr/model/base/VyrProduct.h>
#include <vyr/model/struct/structure.h>

TEST(EndDefinitions, EachReleaseArgumentLandsInItsField)
{
    struct Case
    {
        int args[5]; // start 2, start 3, end 2, end 3, type
        int flag;    // the flag set, -1 none
        int type;
    };
    const Case cases[] = {
        {{1, 0, 0, 0, 0}, 0, 0}, {{0, 1, 0, 0, 0}, 1, 0}, {{0, 0, 1, 0, 0}, 2, 0},
        {{0, 0, 0, 1, 0}, 3, 0}, {{0, 0, 0, 0, 1}, -1, 1},
    };
    for (const Case& c : cases) {
        CBeamBindRelease r(c.args[0], c.args[1], c.args[2], c.args[3], c.args[4]);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(r.m_nFlag[i], i == c.flag ? 1 : 0) << "flag " << i << " of case with flag " << c.flag;
        EXPECT_EQ(r.GetType(), c.type);
    }
}

TEST(EndDefinitions, ReleasesAreNumberedByPositionAndRepeatsRefused)
{
    CBeamBindReleaseList list;
    auto* a = new CBeamBindRelease(1, 0, 0, 0, 1);
    auto* b = new CBeamBindRelease(0, 1, 0, 0, 1);
    auto* c = new CBeamBindRelease(0, 1, 0, 0, 0); // differs from b by its type only
    EXPECT_TRUE(list.Add(a));
    EXPECT_TRUE(list.Add(b));
    EXPECT_TRUE(list.Add(c));
    EXPECT_EQ(c->m_nNo, 3);

    auto* repeat = new CBeamBindRelease(0, 1, 0, 0, 1);
    EXPECT_FALSE(list.Add(repeat));
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_FALSE(list.Contains(repeat));
    delete repeat; // a refused definition stays the caller's

    list.Delete(1);
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.Get(1), b);
    EXPECT_EQ(b->m_nNo, 1);
    EXPECT_EQ(c->m_nNo, 2);
    list.Delete(0); // outside: nothing
    list.Delete(3);
    EXPECT_EQ(list.GetCount(), 2);
}

TEST(EndDefinitions, RigidArmsRefuseRepeatsOffsetsTakeThem)
{
    CBeamRigidList rigid;
    auto* g = new CBeamRigid(-0.3, 0.2);
    EXPECT_TRUE(rigid.Add(g));
    CBeamRigid repeat(-0.3, 0.2);
    EXPECT_FALSE(rigid.Add(&repeat));
    EXPECT_EQ(rigid.GetCount(), 1);
    EXPECT_EQ(g->m_nNo, 1);

    CMemberOffsetList offsets;
    CMemberOffset* a = new CMemberOffset(1, 2, 3, 4);
    CMemberOffset* b = new CMemberOffset(1, 2, 3, 4);
    offsets.Add(a);
    offsets.Add(b);
    EXPECT_EQ(b->m_nNo, 2);
    offsets.Delete(1);
    EXPECT_EQ(b->m_nNo, 1);
}

TEST(EndDefinitions, ARigidArmIsExtendingByItsStartOrWithStartZeroByItsEnd)
{
    struct Case
    {
        double start, end;
        bool extending;
    };
    const Case cases[] = {{-300, 200, true}, {300, -200, false}, {0, 200, true}, {0, -200, false}, {0, 0, false}};
    for (const Case& c : cases)
        EXPECT_EQ(CBeamRigid(c.start, c.end).IsExtending(), c.extending) << c.start << ", " << c.end;
}

namespace {

std::vector<int> Kinds(const CSupportList& list)
{
    std::vector<int> out;
    for (int i = 1; i <= (int)list.GetCount(); ++i)
        out.push_back(list.Get(i)->GetType());
    return out;
}

struct EditionGuard
{
    explicit EditionGuard(int dim) { CVyrProduct::SetEdition(dim, false); }
    ~EditionGuard() { CVyrProduct::SetEdition(3, true); }
};

} // namespace

TEST(SupportList, TheStructureStartsWithTheDefaultSupportsOfItsEdition)
{
    {
        CStruct s;
        EXPECT_EQ(Kinds(*s.m_pSupportList), (std::vector<int>{1, 2, 6, 7, 4, 5}));
        // 1 = released: a fixed support releases nothing, a pinned one the rotations.
        const CSupportBase* fixed = s.m_pSupportList->Get(1);
        const CSupportBase* pinned = s.m_pSupportList->Get(2);
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(fixed->m_nRelease[i], 0) << i;
            EXPECT_EQ(pinned->m_nRelease[i], i >= 3 ? 1 : 0) << i;
        }
    }
    EditionGuard plane(2);
    CStruct s;
    EXPECT_EQ(Kinds(*s.m_pSupportList), (std::vector<int>{1, 2}));
}

TEST(SupportList, SpringsAreNumberedContiguouslyAfterDeletes)
{
    CStruct s;
    CSupportList& list = *s.m_pSupportList;
    CSupportSpring* springs[3] = {new CSupportSpring, new CSupportSpring, new CSupportSpring};
    for (CSupportSpring* k : springs)
        list.Add(k);
    EXPECT_EQ(springs[2]->m_nSpringNo, 3);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(springs[0]->m_nRelease[i], 0);
        EXPECT_EQ(springs[0]->m_fStiff[i], 1e9f);
    }
    list.Delete(7); // the first spring
    EXPECT_EQ(list.GetCount(), 8);
    EXPECT_EQ(springs[1]->m_nSpringNo, 1);
    EXPECT_EQ(springs[2]->m_nSpringNo, 2);
    EXPECT_EQ(list.Get(8), springs[2]);
}

#include <set>
#include <vector>

#include <gtest/gtest.h>

#include <vyr/model/record/record.h>
#include "record_test_util.h"

namespace {

template <class T>
std::vector<int> Flags(const T& block)
{
    std::vector<int> v;
    for (int n = 1; n <= T::FlagCount; n++)
        v.push_back(block.GetFlag(n));
    return v;
}

std::vector<int> OnesAt(int count, std::set<int> on)
{
    std::vector<int> v((size_t)count, 0);
    for (int n : on)
        v[(size_t)n - 1] = 1;
    return v;
}

// Marks every flag with 7, switches the block, and checks that exactly the covered flags
// took the state and that the cleared flags became 0.
template <class T>
void CheckSetState(std::set<int> covered, std::set<int> cleared)
{
    for (bool s : {true, false}) {
        T block;
        for (int n = 1; n <= T::FlagCount; n++)
            block.SetFlag(n, 7);
        block.SetState(s);
        for (int n = 1; n <= T::FlagCount; n++) {
            int expected = covered.count(n) ? (s ? 1 : 0) : cleared.count(n) ? 0 : 7;
            EXPECT_EQ(block.GetFlag(n), expected) << "flag " << n << " state " << s;
        }
    }
}

} // namespace

TEST(ShowPara, DefaultsAfterConstruction)
{
    EXPECT_EQ(Flags(CShowControlNodePara()), OnesAt(10, {3}));
    // Flags 2 and 7 of the load block start defined (off), not with whatever memory held.
    EXPECT_EQ(Flags(CShowControlLoadPara()), OnesAt(10, {1, 3, 4, 6, 10}));
    EXPECT_EQ(Flags(CShowControlBeamPara()), OnesAt(15, {11, 12, 15}));
}

TEST(ShowPara, LoadBlockFlagsAreDefinedEvenOnReusedMemory)
{
    alignas(CShowControlLoadPara) unsigned char buffer[sizeof(CShowControlLoadPara)];
    std::fill(std::begin(buffer), std::end(buffer), (unsigned char)0xA5);
    auto* p = new (buffer) CShowControlLoadPara;
    EXPECT_EQ(p->GetFlag(2), 0);
    EXPECT_EQ(p->GetFlag(7), 0);
    p->~CShowControlLoadPara();
}

TEST(ShowPara, SetStateSwitchesExactlyItsFlags)
{
    CheckSetState<CShowControlNodePara>({1, 2, 3, 4, 5, 6, 7, 8, 9}, {});
    CheckSetState<CShowControlLoadPara>({3, 4, 5, 6, 9, 10}, {});
    CheckSetState<CShowControlBeamPara>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}, {});
    CheckSetState<CShowControlPlanePara>({1, 2, 3, 4, 5}, {});
    CheckSetState<CShowControlWallPara>({1, 2, 3, 4, 5}, {});
    CheckSetState<CShowTextResultPara>({2, 3, 4}, {});
    CheckSetState<CShowTextFrequentPara>({1}, {});
}

TEST(ShowPara, CheckBlockAlwaysClearsFlagsSixteenAndSeventeen)
{
    CheckSetState<CShowControlCheck>({6, 7, 8, 9, 10}, {16, 17});
}

TEST(ShowPara, FrequentBlockAssignsAndArchivesItsSettings)
{
    CShowTextFrequentPara host;
    CShowTextFrequentPara panel;
    panel.SetState(true);
    panel.SetFlag(2, 0);
    panel.m_crColor = RGB(0, 128, 255);
    panel.m_nScale = 250;
    panel.m_nAnimate = 4;
    panel.m_nModelKind = 0;
    panel.m_nDisplayKind = 1;
    host.SetFlag(2, 9);
    host = panel;
    EXPECT_EQ(Flags(host), (std::vector<int>{1, 0}));
    EXPECT_EQ(host.m_crColor, RGB(0, 128, 255));
    EXPECT_EQ(host.m_nScale, 250);

    CShowTextFrequentPara loaded;
    ArchiveRoundTrip([&](CArchive& ar) { host.Serialize(ar); }, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(Flags(loaded), Flags(host));
    EXPECT_EQ(loaded.m_crColor, host.m_crColor);
    EXPECT_EQ(loaded.m_nScale, 250);
    EXPECT_EQ(loaded.m_nAnimate, 4);
    EXPECT_EQ(loaded.m_nModelKind, 0);
    EXPECT_EQ(loaded.m_nDisplayKind, 1);
}

TEST(ShowPara, BlocksArchiveTheirFlags)
{
    CShowControlBeamPara a;
    a.SetState(true);
    a.SetFlag(15, 0);
    CShowControlBeamPara b;
    ArchiveRoundTrip([&](CArchive& ar) { a.Serialize(ar); }, [&](CArchive& ar) { b.Serialize(ar); });
    EXPECT_EQ(Flags(b), Flags(a));
}

TEST(ShowParaDeathTest, FlagNumberOutOfRangeFailsLoudly)
{
    CShowControlCheck c;
    EXPECT_DEATH(c.GetFlag(18), "out of range");
    EXPECT_DEATH(c.SetFlag(0, 1), "out of range");
}

#include <gtest/gtest.h>

#include <vyr/model/record/record.h>
#include "record_test_util.h"

namespace {

COptDiscreteSection WithEntries(int n, float base)
{
    COptDiscreteSection s(1, 2, 3);
    for (int i = 0; i < n; i++) {
        OPT_SECTION_ENTRY e;
        for (int k = 0; k < 13; k++)
            e.fValue[k] = base + (float)(i * 13 + k);
        e.strText.Format("S%d", (int)base + i);
        s.Entries().push_back(e);
    }
    return s;
}

RF_INFO Strip(float seed)
{
    RF_INFO info;
    info.aArea.Add(seed);
    info.aArea.Add(seed + 1);
    info.aSpacing.Add(150);
    info.aDiameter.Add(8);
    info.aGrade.Add(2);
    for (int i = 0; i < 9; i++)
        info.fValue[i] = seed * 10 + (float)i;
    return info;
}

void ExpectSameStrip(const RF_INFO& a, const RF_INFO& b)
{
    ASSERT_EQ(a.aArea.GetSize(), b.aArea.GetSize());
    for (INT_PTR i = 0; i < a.aArea.GetSize(); i++)
        EXPECT_FLOAT_EQ(a.aArea[i], b.aArea[i]);
    ASSERT_EQ(a.aSpacing.GetSize(), b.aSpacing.GetSize());
    ASSERT_EQ(a.aDiameter.GetSize(), b.aDiameter.GetSize());
    ASSERT_EQ(a.aGrade.GetSize(), b.aGrade.GetSize());
    for (INT_PTR i = 0; i < a.aGrade.GetSize(); i++)
        EXPECT_EQ(a.aGrade[i], b.aGrade[i]);
    for (int i = 0; i < 9; i++)
        EXPECT_FLOAT_EQ(a.fValue[i], b.fValue[i]);
}

} // namespace

TEST(Code, BaseFibreFactorIsOneForAnyArguments)
{
    CCode code;
    const struct
    {
        int a, b;
        float x, y, z;
    } args[] = {{0, 0, 0, 0, 0}, {1, 2, 3.5f, -4, 1e6f}, {-7, 9, 0.1f, 0.2f, -0.3f}};
    for (const auto& a : args)
        EXPECT_FLOAT_EQ(code.OnFibHBeam(a.a, a.b, a.x, a.y, a.z), 1.0f);
}

TEST(Code, CopyTakesResultAndFlagsAndBehavesAsTheBaseChecker)
{
    // A checker of some code that says it can check; a base-class copy of it cannot.
    struct CodeOfTest : CCode
    {
        bool IsCanCheck() override { return true; }
    } src;
    src.m_nValue[1] = 7;
    src.m_bFlag[13] = true;
    src.GetCheckResult().fRatio[1] = 0.85f;
    src.GetCheckResult().fOther[38] = 3.0f;

    CCode copy(src);
    EXPECT_EQ(copy.m_nValue[1], 7);
    EXPECT_TRUE(copy.m_bFlag[13]);
    EXPECT_FLOAT_EQ(copy.GetCheckResult().fRatio[1], 0.85f);
    EXPECT_FLOAT_EQ(copy.GetCheckResult().fOther[38], 3.0f);
    EXPECT_FALSE(copy.IsCanCheck());
    EXPECT_TRUE(static_cast<CCode&>(src).IsCanCheck());

    CCode assigned;
    assigned = src;
    EXPECT_FLOAT_EQ(assigned.GetCheckResult().fRatio[1], 0.85f);
    EXPECT_TRUE(assigned.m_bFlag[13]);
}

TEST(OptDiscreteSection, AssigningFewerEntriesLeavesExactlyTheSourceEntries)
{
    COptDiscreteSection src = WithEntries(2, 100);
    src.SetCost(4200);
    COptDiscreteSection dst = WithEntries(5, 0);
    dst = src;
    ASSERT_EQ(dst.Entries().size(), 2u);
    for (size_t i = 0; i < 2; i++) {
        EXPECT_EQ(dst.Entries()[i].strText, src.Entries()[i].strText);
        for (int k = 0; k < 13; k++)
            EXPECT_FLOAT_EQ(dst.Entries()[i].fValue[k], src.Entries()[i].fValue[k]);
    }
    EXPECT_FLOAT_EQ(dst.GetCost(), 4200);
    // The copy is independent of its source.
    dst.Entries()[0].strText = "changed";
    EXPECT_EQ(src.Entries()[0].strText, "S100");
}

TEST(OptDiscreteSection, KeyDefaultPricesAndDescription)
{
    COptDiscreteSection s(2, 11, 1);
    EXPECT_EQ(s.GetType(), 2);
    EXPECT_EQ(s.GetSecType(), 11);
    EXPECT_EQ(s.GetMType(), 1);
    EXPECT_GT(s.GetCost(), 0.0f);
    EXPECT_GT(s.GetConcreteCost(), 0.0f);

    const struct
    {
        const char* type;
        const char* sec;
        const char* mat;
        const char* expected;
    } cases[] = {
        {"钢梁", "焊接H型钢", "Q235", "钢梁 焊接H型钢 Q235"},
        {"钢柱", "", "Q345", "钢柱 Q345"},
        {"", "圆管", "", "圆管"},
        {"", "", "", ""},
    };
    for (const auto& c : cases) {
        s.SetTypeStr(c.type);
        s.SetSecStr(c.sec);
        s.SetMStr(c.mat);
        s.SetDiscription();
        EXPECT_EQ(s.GetDiscription(), c.expected);
    }
}

TEST(OptResult, CopyIsIndependentOfItsSource)
{
    COptResult a;
    a.m_groups.resize(3);
    a.m_groups[2].fValue[10] = 5;
    a.m_sections = {4, 5, 6};
    COptResult b;
    b.m_sections = {1, 2, 3, 4, 5, 6, 7};
    b = a;
    b.m_groups[2].fValue[10] = 9;
    ASSERT_EQ(b.m_sections.size(), 3u);
    EXPECT_EQ(b.m_sections[2], 6);
    EXPECT_FLOAT_EQ(a.m_groups[2].fValue[10], 5);
}

TEST(ReinforceResult, SucceedsOnlyWithStatusSixteen)
{
    CReinforceResult r;
    EXPECT_FALSE(r.Succeed());
    EXPECT_EQ(r.GetIndex(), -1);
    const struct
    {
        int status;
        bool succeed;
    } cases[] = {{16, true}, {0, false}, {15, false}, {17, false}, {-16, false}, {32, false}};
    for (const auto& c : cases) {
        r.SetStatus(c.status);
        EXPECT_EQ(r.Succeed(), c.succeed) << c.status;
    }
}

TEST(ReinforceResult, CopyOwnsItsOwnStripArrays)
{
    CReinforceResult a;
    a.GetInfo().Add(Strip(1));
    a.GetInfo().Add(Strip(2));
    a.SetStatus(16);
    CReinforceResult b(a);
    ASSERT_EQ(b.GetInfo().GetSize(), 2);
    ExpectSameStrip(b.GetInfo()[1], a.GetInfo()[1]);
    EXPECT_TRUE(b.Succeed());
    b.GetInfo()[0].aArea[0] = 99;
    EXPECT_FLOAT_EQ(a.GetInfo()[0].aArea[0], 1);

    CReinforceResult c;
    c.GetInfo().Add(Strip(5));
    c.GetInfo().Add(Strip(6));
    c.GetInfo().Add(Strip(7));
    c = a;
    ASSERT_EQ(c.GetInfo().GetSize(), 2);
    ExpectSameStrip(c.GetInfo()[0], a.GetInfo()[0]);
}

TEST(ReinforceResult, ArchiveBeginsWithTheRecordCountAndRoundTrips)
{
    CReinforceResult a;
    a.GetInfo().Add(Strip(3));
    a.GetInfo().Add(RF_INFO());
    a.GetInfo().Add(Strip(4));
    a.SetIndex(2);
    a.SetStatus(16);
    CReinforceResult b;
    DWORD count = 0;
    ArchiveRoundTrip([&](CArchive& ar) { a.Serialize(ar); },
                     [&](CArchive& ar) { b.Serialize(ar); });
    ArchiveRoundTrip([&](CArchive& ar) { a.Serialize(ar); }, [&](CArchive& ar) { count = ar.ReadCount(); });
    EXPECT_EQ(count, 3u);
    ASSERT_EQ(b.GetInfo().GetSize(), 3);
    ExpectSameStrip(b.GetInfo()[0], a.GetInfo()[0]);
    ExpectSameStrip(b.GetInfo()[1], RF_INFO());
    ExpectSameStrip(b.GetInfo()[2], a.GetInfo()[2]);
    EXPECT_EQ(b.GetIndex(), 2);
    EXPECT_TRUE(b.Succeed());
}

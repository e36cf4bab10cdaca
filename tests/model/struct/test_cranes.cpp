// The structure's cranes and crane runs: the run names its cranes by serial number, and the
// structure's lists own what they hold.
#include <gtest/gtest.h>

#include <vyr/model/struct/structure.h>

TEST(Cranes, ARunNamesItsCranesBySerialNumber)
{
    CCraneGroup run;
    EXPECT_EQ(run.GetCraneDescription().str(), "");
    run.m_aCraneNo.Add(1);
    EXPECT_EQ(run.GetCraneDescription().str(), "1");
    run.m_aCraneNo.Add(3);
    run.m_aCraneNo.Add(12);
    EXPECT_EQ(run.GetCraneDescription().str(), "1,3,12");
}

TEST(Cranes, TheStructureStartsWithoutCranesAndOwnsThoseAdded)
{
    CGlobalData data;
    CStruct& st = *data.Struct();
    EXPECT_TRUE(st.m_pCraneList->IsEmpty());
    EXPECT_TRUE(st.m_pCraneGroupList->IsEmpty());
    st.m_pCraneList->AddTail(new CCrane);
    st.m_pCraneGroupList->AddTail(new CCraneGroup);
    EXPECT_EQ(st.m_pCraneList->Get(1)->m_nDutyClass, 0); // light
    // Leaving the scope deletes both entries with the structure (the sanitizer build checks).
}

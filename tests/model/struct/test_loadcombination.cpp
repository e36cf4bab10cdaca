// Load combinations in the model: the seismic case names the combination editor selects by,
// numbering, equality, the current combination as a copy, and the generation of the three
// kinds from the basic cases and the parameters.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <set>
#include <string>

#include <vyr/model/struct/SampleModel.h>
#include <vyr/model/struct/structure.h>

namespace {

CBasicLoadCase* AddBasic(CStruct& s, int type, int seismNo = 0, int variant = 0)
{
    auto* lc = new CBasicLoadCase(type);
    lc->m_nNo = (int)s.m_pBasicLCList->GetCount() + 1;
    lc->m_nSeismCaseNo = seismNo;
    lc->m_nSeismVariant = variant;
    s.m_pBasicLCList->AddTail(lc);
    return lc;
}

// Every entry of a kind's list is in the structure's list, no entry is in two kinds, and the
// structure's list holds nothing else.
::testing::AssertionResult KindsAgree(CGlobalData& d)
{
    const CLCList* all = d.Struct()->m_pLCList;
    std::set<const CObject*> seen;
    for (const CLCList* kind : {d.GetSLCList(), d.GetSDispLCList(), d.GetSDeflateLCList()})
        for (POSITION pos = kind->GetHeadPosition(); pos != nullptr;) {
            const CObject* c = kind->GetNext(pos);
            if (!all->Contains(c)) return ::testing::AssertionFailure() << "a kind's entry is not in the structure's list";
            if (!seen.insert(c).second) return ::testing::AssertionFailure() << "an entry is in two kinds";
        }
    if ((INT_PTR)seen.size() != all->GetCount())
        return ::testing::AssertionFailure() << all->GetCount() << " combinations, " << seen.size() << " in the kinds";
    return ::testing::AssertionSuccess();
}

// A combination the test expects: dead, live, wind factor (case 3 = "Wx"), horizontal seismic.
struct Expected
{
    float dead, live, wind, seism;
};

// How many entries of the list have exactly these factors.
int CountOf(const CLCList* list, const Expected& e)
{
    int n = 0;
    for (POSITION pos = list->GetHeadPosition(); pos != nullptr;) {
        const CLoadCombination* c = list->GetNextT(pos);
        auto near = [](float a, float b) { return std::abs(a - b) < 1e-4f; };
        if (near(c->m_fDead, e.dead) && near(c->m_fLive, e.live) && near(c->m_fWind, e.wind) &&
            near(c->m_fHSeism, e.seism) && (e.wind == 0.0f || c->m_nWindCase == 3))
            ++n;
    }
    return n;
}

} // namespace

TEST(LoadCombinations, SeismicCasesAreNamedByDefinitionAndVariant)
{
    const struct
    {
        int type, no, variant;
        const char* name;
    } cases[] = {{7, 1, 0, "E1"}, {8, 2, 1, "E2P"}, {10, 3, 2, "E3M"}, {9, 12, 0, "E12"}, {0, 0, 0, "恒载"}, {1, 0, 0, "活载"}};
    for (const auto& c : cases) {
        CBasicLoadCase lc(c.type);
        lc.m_nSeismCaseNo = c.no;
        lc.m_nSeismVariant = c.variant;
        EXPECT_EQ(std::string(lc.GetDescription().GetString()), c.name) << c.type << "/" << c.no << "/" << c.variant;
    }
}

TEST(LoadCombinations, SeismicDefinitionCountAndPositions)
{
    CGlobalData d;
    CStruct& s = *d.Struct();
    AddBasic(s, 0);
    // Two definitions listed plain, then "P", then "M".
    CBasicLoadCase* e[6];
    for (int v = 0; v < 3; ++v)
        for (int no = 1; no <= 2; ++no)
            e[v * 2 + no - 1] = AddBasic(s, 7, no, v);
    EXPECT_EQ(s.m_pBasicLCList->GetHSeismNum(), 2);
    for (int no = 1; no <= 2; ++no) {
        auto* def = new CLoadSeism;
        def->m_nNo = no;
        s.m_pLoadSeismList->AddTail(def);
    }
    EXPECT_EQ(s.m_pLoadSeismList->GetHSeismNum(), 2);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(s.m_pLoadSeismList->GetSeismPos(e[i]), i) << e[i]->GetDescription().GetString();

    CGlobalData one;
    AddBasic(*one.Struct(), 7, 1, 0);
    AddBasic(*one.Struct(), 7, 1, 1);
    AddBasic(*one.Struct(), 7, 1, 2);
    EXPECT_EQ(one.Struct()->m_pBasicLCList->GetHSeismNum(), 1) << "three cases of one definition";
}

TEST(LoadCombinations, AddNumbersAboveTheHighestAndReAssignIdRenumbers)
{
    CGlobalData d;
    CLCList& list = *d.Struct()->m_pLCList;
    auto* a = new CLoadCombination;
    list.Add(a);
    EXPECT_EQ(a->m_nNo, 1);
    auto* b = new CLoadCombination;
    list.Add(b);
    b->m_nNo = 7;
    auto* c = new CLoadCombination;
    list.Add(c);
    EXPECT_EQ(c->m_nNo, 8);
    list.ReAssignId();
    EXPECT_EQ(a->m_nNo, 1);
    EXPECT_EQ(b->m_nNo, 2);
    EXPECT_EQ(c->m_nNo, 3);
}

TEST(LoadCombinations, EqualityComparesTheCasesThatCarryAFactor)
{
    CLoadSeism s1, s2;
    CLoadCombination base;
    base.m_nNo = 3;
    base.m_fDead = 1.2f;
    base.m_fWind = 1.4f;
    base.m_nWindCase = 4;
    base.m_fHSeism = 1.3f;
    base.m_pSeism1 = &s1;
    base.m_nSeismVariant = 1;
    const struct
    {
        const char* what;
        void (*change)(CLoadCombination&, CLoadSeism*);
        bool equal;
    } cases[] = {
        {"another number", [](CLoadCombination& c, CLoadSeism*) { c.m_nNo = 9; }, true},
        {"a factor 5e-5 apart", [](CLoadCombination& c, CLoadSeism*) { c.m_fDead += 5e-5f; }, true},
        {"a factor 5e-4 apart", [](CLoadCombination& c, CLoadSeism*) { c.m_fDead += 5e-4f; }, false},
        {"another wind case", [](CLoadCombination& c, CLoadSeism*) { c.m_nWindCase = 5; }, false},
        {"the crane case of a zero crane factor", [](CLoadCombination& c, CLoadSeism*) { c.m_nCraneCase = 4; }, true},
        {"another seismic definition", [](CLoadCombination& c, CLoadSeism* other) { c.m_pSeism1 = other; }, false},
        {"another variant", [](CLoadCombination& c, CLoadSeism*) { c.m_nSeismVariant = 2; }, false},
        {"a temperature factor", [](CLoadCombination& c, CLoadSeism*) { c.m_fTemperature = 0.6f; }, false},
    };
    for (const auto& c : cases) {
        CLoadCombination other;
        other.Copy(&base);
        c.change(other, &s2);
        EXPECT_EQ(base.IsEqual(&other), c.equal) << c.what;
        EXPECT_EQ(other.IsEqual(&base), c.equal) << c.what;
    }
    EXPECT_FALSE(base.IsEqual(nullptr));
}

TEST(LoadCombinations, FillCopiesAndFillFromNullEmpties)
{
    CLoadSeism s1;
    CLoadCombination a;
    a.m_nNo = 4;
    a.m_fLive = 1.4f;
    a.m_pSeism2 = &s1;
    CLoadCombination b;
    b.Fill(&a);
    EXPECT_EQ(b.m_nNo, 4);
    EXPECT_FLOAT_EQ(b.m_fLive, 1.4f);
    EXPECT_EQ(b.m_pSeism2, &s1);
    b.Fill(nullptr);
    EXPECT_EQ(b.m_nNo, 0);
    EXPECT_FLOAT_EQ(b.m_fLive, 0.0f);
    EXPECT_EQ(b.m_pSeism2, nullptr);
}

TEST(LoadCombinations, CurrentCombinationIsACopyOwnedByTheRoot)
{
    CGlobalData d;
    ASSERT_NE(d.GetCurrentLC(), nullptr);
    const CLoadCombination empty;
    EXPECT_TRUE(d.GetCurrentLC()->IsEqual(&empty)) << "empty while none is chosen";
    auto* c = new CLoadCombination;
    c->m_fDead = 1.35f;
    d.Struct()->m_pLCList->Add(c);
    d.SetCurrentLC(c);
    EXPECT_NE(d.GetCurrentLC(), c);
    EXPECT_TRUE(d.GetCurrentLC()->IsEqual(c));
    d.Struct()->m_pLCList->DeleteAll();
    EXPECT_FLOAT_EQ(d.GetCurrentLC()->m_fDead, 1.35f) << "the copy outlives the entry";
    CGlobalData shared = d;
    EXPECT_EQ(shared.GetCurrentLC(), d.GetCurrentLC()) << "copies of the root share it";
}

// The sample model has dead, live, wind "Wx" and the seismic case E1; the default parameters
// are the standard rules with wind and seismic both ways and the favourable dead load.
TEST(LoadCombinations, RegenerationWithDeletionHoldsExactlyTheGeneratedCombinations)
{
    CGlobalData d;
    BuildSampleModel(d);
    d.ReSetLoadCombination(true);
    ASSERT_TRUE(KindsAgree(d));

    // Live leading with wind at 1.4 x 0.6, wind leading with live at 1.4 x 0.7, seismic with
    // the gravity load 1.2 (D + 0.5 L); then the lateral ones with dead 1.0 and no live.
    const Expected fundamental[] = {
        {1.2f, 1.4f, 0.84f, 0}, {1.2f, 1.4f, -0.84f, 0}, {1.2f, 0.98f, 1.4f, 0}, {1.2f, 0.98f, -1.4f, 0},
        {1.2f, 0.6f, 0, 1.3f},  {1.2f, 0.6f, 0, -1.3f},  {1.0f, 0, 0.84f, 0},    {1.0f, 0, -0.84f, 0},
        {1.0f, 0, 1.4f, 0},     {1.0f, 0, -1.4f, 0},     {1.0f, 0, 0, 1.3f},     {1.0f, 0, 0, -1.3f}};
    const Expected characteristic[] = {{1.0f, 1.0f, 0.6f, 0}, {1.0f, 0.7f, 1.0f, 0}};
    const Expected quasiPermanent[] = {{1.0f, 0.5f, 0, 0}};
    const struct
    {
        const char* kind;
        const CLCList* list;
        const Expected* rows;
        size_t n;
    } kinds[] = {{"fundamental", d.GetSLCList(), fundamental, std::size(fundamental)},
                 {"characteristic", d.GetSDispLCList(), characteristic, std::size(characteristic)},
                 {"quasi-permanent", d.GetSDeflateLCList(), quasiPermanent, std::size(quasiPermanent)}};
    for (const auto& k : kinds) {
        EXPECT_EQ(k.list->GetCount(), (INT_PTR)k.n) << k.kind;
        for (size_t i = 0; i < k.n; ++i)
            EXPECT_EQ(CountOf(k.list, k.rows[i]), 1)
                << k.kind << " row " << i << ": " << k.rows[i].dead << "D " << k.rows[i].live << "L " << k.rows[i].wind
                << "W " << k.rows[i].seism << "E";
    }
    // Seismic combinations name the definition of their case.
    for (POSITION pos = d.GetSLCList()->GetHeadPosition(); pos != nullptr;) {
        const CLoadCombination* c = d.GetSLCList()->GetNextT(pos);
        if (c->m_fHSeism != 0.0f) {
            EXPECT_EQ(c->m_pSeism1, d.Struct()->m_pLoadSeismList->Get(1));
        }
    }
    // Numbered through the kinds in turn; the current one is the first fundamental, since
    // the sample's 1.2D + 1.4L is gone.
    const CLCList* all = d.Struct()->m_pLCList;
    for (int i = 1; i <= (int)all->GetCount(); ++i)
        EXPECT_EQ(all->Get(i)->m_nNo, i);
    EXPECT_EQ(all->Get(13), d.GetSDispLCList()->Get(1));
    EXPECT_TRUE(d.GetCurrentLC()->IsEqual(d.GetSLCList()->Get(1)));
    EXPECT_EQ(d.GetCurrentLC()->m_nNo, 1);
}

TEST(LoadCombinations, RegenerationWithoutDeletionAddsNothingTwice)
{
    CGlobalData d;
    BuildSampleModel(d);
    // The sample's own: four fundamental (1.2D+0.98L+1.4Wx and 1.2D+0.6L+1.3E1 among them,
    // which the generation also makes), D+L characteristic, D+0.5L quasi-permanent.
    d.ReSetLoadCombination(false);
    ASSERT_TRUE(KindsAgree(d));
    EXPECT_EQ(d.GetSLCList()->GetCount(), 4 + 12 - 2);
    EXPECT_EQ(d.GetSDispLCList()->GetCount(), 1 + 2);
    EXPECT_EQ(d.GetSDeflateLCList()->GetCount(), 1);
    EXPECT_EQ(CountOf(d.GetSLCList(), {1.2f, 0.98f, 1.4f, 0}), 1);
    EXPECT_TRUE(d.GetCurrentLC()->IsEqual(d.GetSLCList()->Get(1))) << "1.2D + 1.4L is still there";
    EXPECT_FLOAT_EQ(d.GetCurrentLC()->m_fLive, 1.4f);
    EXPECT_FLOAT_EQ(d.GetCurrentLC()->m_fWind, 0.0f);

    const size_t before = d.Struct()->m_pLCList->GetCount();
    d.ReSetLoadCombination(false);
    EXPECT_EQ(d.Struct()->m_pLCList->GetCount(), before) << "a second run adds nothing";
    ASSERT_TRUE(KindsAgree(d));
}

TEST(LoadCombinations, RegenerationFollowsTheParameters)
{
    CGlobalData d;
    BuildSampleModel(d);
    CLCList& p = *d.Struct()->m_pLCList;
    // Simplified rule, one way only, no favourable dead load, partial factors changed.
    p.m_nBasicRule = 1;
    p.m_bWindBothDir = 0;
    p.m_bSeismBothDir = 0;
    p.m_bFavourableDead = 0;
    p.m_fDeadFactor = 1.3f;
    p.m_fLiveFactor = 1.5f;
    p.m_fGravityFactor = 1.0f;
    p.m_nStandardRule = 1;
    d.ReSetLoadCombination(true);
    // Each variable case alone, then both at 0.9 of their factors; seismic with D + 0.5 L.
    const Expected fundamental[] = {
        {1.3f, 1.5f, 0, 0}, {1.3f, 0, 1.4f, 0}, {1.3f, 1.35f, 1.26f, 0}, {1.0f, 0.5f, 0, 1.3f}};
    EXPECT_EQ(d.GetSLCList()->GetCount(), (INT_PTR)std::size(fundamental));
    for (const Expected& e : fundamental)
        EXPECT_EQ(CountOf(d.GetSLCList(), e), 1) << e.dead << "D " << e.live << "L " << e.wind << "W " << e.seism << "E";
    const Expected characteristic[] = {{1.0f, 1.0f, 0, 0}, {1.0f, 0, 1.0f, 0}, {1.0f, 0.9f, 0.9f, 0}};
    EXPECT_EQ(d.GetSDispLCList()->GetCount(), (INT_PTR)std::size(characteristic));
    for (const Expected& e : characteristic)
        EXPECT_EQ(CountOf(d.GetSDispLCList(), e), 1) << e.dead << "D " << e.live << "L " << e.wind << "W";
    EXPECT_TRUE(KindsAgree(d));
}

TEST(LoadCombinations, ModelWithoutCasesGeneratesNothingAndEmptiesTheCurrent)
{
    CGlobalData d;
    BuildSampleModel(d);
    d.Struct()->m_pBasicLCList->DeleteAll();
    d.ReSetLoadCombination(true);
    EXPECT_EQ(d.Struct()->m_pLCList->GetCount(), 0);
    EXPECT_TRUE(KindsAgree(d));
    EXPECT_FLOAT_EQ(d.GetCurrentLC()->m_fDead, 0.0f);
    EXPECT_EQ(d.GetCurrentLC()->m_nNo, 0);
}

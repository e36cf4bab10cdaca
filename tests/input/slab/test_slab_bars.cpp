// The bar arithmetic of the slab reinforcement dialogs, worked by hand: A(d, s) =
// d^2 x pi/4 x 1000 / s mm2/m, e.g. A(6, 200) = 141.37, A(8, 100) = 502.65, A(10, 70) = 1122.0.
#include <gtest/gtest.h>

#include <vector>

#include <vyr/input/BanDesignBars.h>

namespace {

void ExpectBar(const SlabBar& bar, int diameter, int space)
{
    EXPECT_EQ(bar.diameter, diameter);
    EXPECT_EQ(bar.space, space);
}

} // namespace

TEST(SlabBars, FreeChoiceFromTheRequiredArea)
{
    const struct
    {
        float area;
        int diameter, space;
        float provided;
    } cases[] = {
        {0.0f, 6, 200, 141.37f},
        {300.0f, 6, 90, 314.16f},   // 6 mm gives 94.2 mm, down to 90
        {-50.0f, 6, 200, 141.37f},  // a negative area counts as none and the search ends
        {140.0f, 6, 200, 141.37f},  // 201.96 mm is more than 200
        {1000.0f, 10, 70, 1122.0f}, // 6: 28.3, 8: 50.3, 10: 78.5 mm
        {5000.0f, 22, 70, 5430.5f}, // 20 mm gives 62.8 mm, 22 mm 76.0
        {50000.0f, 66, 60, 57019.9f}, // beyond any bar the dialog accepts; proposed anyway
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.area);
        SlabBar bar{12, 100};
        ChooseBars(c.area, bar);
        ExpectBar(bar, c.diameter, c.space);
        EXPECT_NEAR(ProvidedArea(bar.diameter, bar.space), c.provided, 0.1f);
    }
}

TEST(SlabBars, ConditionalDesignFollowsWhatTheUserChanged)
{
    const struct
    {
        const char* name;
        float area;
        SlabBar was, typed;
        int diameter, space;
    } cases[] = {
        {"a larger diameter takes its spacing", 300.0f, {6, 90}, {8, 90}, 8, 160},
        {"a diameter rises in steps of 2 until 65 mm", 1000.0f, {12, 100}, {6, 100}, 10, 70},
        {"a changed diameter at no area", -50.0f, {8, 150}, {10, 150}, 10, 200},
        {"spacing 150 to 200: e = 8.7 needs 10 mm", 300.0f, {8, 150}, {8, 200}, 10, 200},
        {"spacing needing less than 6 mm", 100.0f, {8, 150}, {8, 200}, 6, 200},
        {"spacing needing more than 12 mm returns", 1000.0f, {8, 150}, {8, 200}, 8, 150},
        {"spacing changed by 1 mm", 300.0f, {8, 150}, {8, 151}, 8, 151},
        {"spacing changed by -1 mm", 300.0f, {8, 150}, {8, 149}, 8, 149},
        {"nothing changed", 300.0f, {8, 150}, {8, 150}, 8, 150},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SlabBar bar = c.typed;
        RedesignBars(c.area, c.was, bar);
        ExpectBar(bar, c.diameter, c.space);
    }
}

TEST(SlabBars, SelectTakesTheFirstPairThatReachesTheArea)
{
    const struct
    {
        int grade;
        float area;
        int diameter, space;
        bool reached;
    } cases[] = {
        {0, 500.0f, 8, 100, true},
        {0, 3000.0f, 12, 70, false}, // 12 mm at 70 gives only 1615.7
        {0, 141.37f, 6, 200, true},
        {0, 100.0f, 6, 200, true},
        {1, 300.0f, 8, 160, true},
        {1, 3000.0f, 18, 80, true}, // 16 mm at 70 gives 2872.3
        {2, 10000.0f, 22, 70, false},
        // 0.0005 above 8 mm at 100 (502.6548): close enough at the first pair of 8 mm that
        // gets there, not only at the first pair tried.
        {0, 502.6553f, 8, 100, true},
        {0, 141.3722f, 6, 200, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "grade " << c.grade << ", " << c.area);
        SlabBar bar;
        EXPECT_EQ(SelectBars(c.area, c.grade, bar), c.reached);
        ExpectBar(bar, c.diameter, c.space);
    }
}

TEST(SlabBars, MatchTakesTheSmallerOfTheOwnAndTheReferenceBars)
{
    const struct
    {
        const char* name;
        float area;
        MatchBy by;
        int reference;
        SlabBar bar;
        bool reached;
        int diameter, space;
    } cases[] = {
        // 8: 125.7 -> 120 mm, 418.9; 10: 196.3 -> 190 mm, 413.4.
        {"the reference diameter is smaller", 400.0f, MatchBy::Diameter, 10, {8, 150}, true, 10, 190},
        // 8: 100.5 -> 100 mm, 502.7; 12: 226 -> 200 mm, 565.5.
        {"the own diameter is smaller", 500.0f, MatchBy::Diameter, 12, {8, 150}, true, 8, 100},
        // 8: 50 mm is below 70; 10: 78.5 -> 70 mm.
        {"the own diameter would be too close", 1000.0f, MatchBy::Diameter, 10, {8, 150}, true, 10, 70},
        {"both diameters too close", 2000.0f, MatchBy::Diameter, 10, {8, 150}, false, 8, 150},
        // At 100 mm 7 mm (384.8), at 150 mm 8 mm (335.1).
        {"the reference spacing is smaller", 300.0f, MatchBy::Spacing, 150, {8, 100}, true, 8, 150},
        {"the own spacing is smaller", 300.0f, MatchBy::Spacing, 100, {8, 150}, true, 8, 150},
        // At 100 mm 20 mm, at 150 mm 24 mm.
        {"both spacings need more than 12 mm", 3000.0f, MatchBy::Spacing, 150, {8, 100}, false, 8, 100},
        {"below 10 mm2/m the first pair", 5.0f, MatchBy::Diameter, 10, {8, 150}, true, 6, 200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SlabBar bar = c.bar;
        EXPECT_EQ(MatchBars(c.area, 0, c.by, c.reference, bar), c.reached);
        ExpectBar(bar, c.diameter, c.space);
    }
}

TEST(SlabBars, FitAgainstTheReferenceAndTheSiblingSpacing)
{
    const struct
    {
        const char* name;
        float area;
        SlabBar reference;
        int other;
        SlabBar bar;
        bool reached;
        int diameter, space;
    } cases[] = {
        // Six pairs: (8,90) +58.5, (10,150) +23.6 the closest above, the others below.
        {"the closest pair above the area", 500.0f, {10, 150}, 160, {8, 90}, true, 10, 150},
        {"no pair reaches the area", 3000.0f, {8, 190}, 180, {6, 200}, false, 6, 200},
        // The sibling's spacing already: adjusted against the reference, which it matches: 8 at 100.
        {"the sibling's spacing", 500.0f, {8, 150}, 150, {8, 150}, true, 8, 100},
        // The reference spacing: adjusted against (10, other 200): 10 mm at 150, 523.6 (8 mm at 100: 502.7 is smaller).
        {"the reference spacing", 500.0f, {10, 150}, 200, {8, 150}, true, 8, 100},
        {"below 10 mm2/m the first pair", 5.0f, {10, 150}, 200, {8, 120}, true, 6, 200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SlabBar bar = c.bar;
        EXPECT_EQ(FitBars(c.area, 0, c.reference, c.other, bar), c.reached);
        ExpectBar(bar, c.diameter, c.space);
    }
}

TEST(SlabBars, TwoWayBarsFollowTheGoverningDirection)
{
    struct Case
    {
        const char* name;
        float area[4]; // X positive, X negative, Y positive, Y negative
        SlabBar bars[4];
        std::vector<int> tooLarge;
    };
    const Case cases[] = {
        // Y governs on a tie: Y negative 6 at 200, Y positive 8 at 80; X positive adjusted to
        // Y negative's 6 mm keeps 8 mm at 200 (251.3 below 6 at 110's 257.0); X negative fits
        // at 200 = the reference spacing, then 8 mm at 80.
        {"equal maxima: Y governs", {250, 600, 600, 100}, {{8, 200}, {8, 80}, {8, 80}, {6, 200}}, {}},
        // X governs: X negative 8 at 80, X positive 6 at 110; Y negative 6 at 200; Y positive
        // the closest of six pairs, 8 at 80.
        {"X larger: X governs", {250, 601, 600, 100}, {{6, 110}, {8, 80}, {8, 80}, {6, 200}}, {}},
        {"every area too large", {3000, 3000, 3000, 3000}, {{12, 70}, {12, 70}, {12, 70}, {12, 70}},
         {kYNegative, kYPositive, kXPositive, kXNegative}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SlabBar bars[4];
        EXPECT_EQ(ChooseTwoWayBars(0, c.area, bars), c.tooLarge);
        for (int g = 0; g < 4; ++g) {
            SCOPED_TRACE(g);
            ExpectBar(bars[g], c.bars[g].diameter, c.bars[g].space);
        }
    }
}

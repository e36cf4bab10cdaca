// The reading of typed numbers and the rules a wall's openings keep, without a dialog.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include <vyr/input/WallHoleInfo.h>

namespace {

WALL_HOLE_RECT At(float dx, float dy, float w, float h)
{
    WALL_HOLE_RECT r;
    r.dx = dx;
    r.dy = dy;
    r.w = w;
    r.h = h;
    return r;
}

} // namespace

TEST(WallHoleText, TypedNumbersReadAsTheDialogsReadThem)
{
    const struct
    {
        const char* text;
        float value;
    } cases[] = {
        {"12", 12.0f},     {"12.50", 12.5f}, {".5", 0.5f},  {"3.", 3.0f},       {"", 0.0f},
        {"abc", 0.0f},     {" 7", 7.0f},     {"-0.5", -0.5f}, {"-3.25", -3.25f}, {"-.5", -0.5f},
        {"1.2.3", 1.002f}, {"12abc", 12.0f}, {"+2.5", 2.5f},
    };
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(StrToFloat(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(StrToFloat(nullptr), 0.0f);
}

TEST(WallHoleText, AWholePartBeyondTheIntRangeStopsAtItsEnd)
{
    EXPECT_EQ(StrToFloat("99999999999"), (float)INT_MAX);
    EXPECT_EQ(StrToFloat("-99999999999.5"), (float)INT_MIN - 0.5f);
    // A fraction too long for a power of ten adds nothing.
    EXPECT_EQ(StrToFloat(("1." + std::string(400, '9')).c_str()), 1.0f);
}

TEST(WallHoleText, ShownValuesRoundToTwoDecimals)
{
    EXPECT_FLOAT_EQ(Round2(1.2345f), 1.23f);
    EXPECT_FLOAT_EQ(Round2(1.2351f), 1.24f);
    EXPECT_FLOAT_EQ(Round2(3000.0f), 3000.0f);
    // Placements round half up to three decimals.
    EXPECT_FLOAT_EQ(RoundDistance(1000.0625), 1000.063f);
    EXPECT_FLOAT_EQ(RoundDistance(2.3334), 2.333f);
}

TEST(WallHoleRules, TheFirstRuleBrokenIsNamedOnAWallOf3000By2800)
{
    const WALL_HOLE_RECT door = At(1000, 0, 1000, 2000);
    const struct
    {
        const char* name;
        std::vector<WALL_HOLE_RECT> holes;
        const char* fault; // "" when the set passes
    } cases[] = {
        {"no openings", {}, ""},
        {"0.05 beyond the right end", {At(2000.05f, 0, 1000, 2000)}, ""},
        {"0.2 beyond the right end", {At(2000.2f, 0, 1000, 2000)}, "定义的洞口不在墙体范围内，请重新设置!"},
        {"0.05 above the top", {At(0, 800.05f, 1000, 2000)}, ""},
        {"0.2 above the top", {At(0, 800.2f, 1000, 2000)}, "定义的洞口不在墙体范围内，请重新设置!"},
        {"a negative distance", {At(-0.5f, 0, 1000, 2000)}, "定义的洞口不在墙体范围内，请重新设置!"},
        {"a negative height distance", {At(0, -0.5f, 1000, 2000)}, "定义的洞口不在墙体范围内，请重新设置!"},
        {"too narrow", {At(0, 0, 0.05f, 2000)}, "洞口的尺寸不符合要求，请重新设置!"},
        {"too low", {At(0, 0, 1000, 0)}, "洞口的尺寸不符合要求，请重新设置!"},
        {"touching", {At(0, 0, 1000, 2000), At(1000, 0, 500, 2000)},
         "墙体上的洞口1和洞口2在横向出现重叠，请重新设置!"},
        {"half a unit apart", {At(0, 0, 1000, 2000), At(1000.5f, 0, 500, 2000)}, ""},
        {"a window above a door", {door, At(1200, 2200, 600, 400)}, "墙体上的洞口2和洞口1在横向出现重叠，请重新设置!"},
        {"a copy of opening 2 added to three",
         {At(0, 0, 500, 2000), At(1000, 0, 500, 2000), At(2000, 0, 500, 2000), At(1000, 0, 500, 2000)},
         "墙体上的洞口2和洞口4出现重复，请重新设置!"},
        // The wide one passes on its own ends; the narrow one fails on its size first.
        {"a narrow opening within a wide one", {At(0, 0, 2000, 2000), At(0.2f, 0, 0.05f, 100)},
         "洞口的尺寸不符合要求，请重新设置!"},
    };
    for (const auto& c : cases) {
        WALL_HOLE_INFO info;
        info.H = 2800;
        info.L = 3000;
        info.holes = c.holes;
        EXPECT_EQ(WallHolesFault(info), CString(c.fault)) << c.name;
    }
}

TEST(WallHoleRules, AQuickModificationChecksSizeAndPlaceOnly)
{
    WALL_HOLE_INFO info;
    info.H = 2800;
    info.L = 3000;
    info.holes = {At(0, 0, 1000, 2000), At(500, 0, 1000, 2000)}; // overlapping, yet inside
    EXPECT_TRUE(WallHolesInside(info));
    info.holes = {At(2000.2f, 0, 1000, 2000)};
    EXPECT_FALSE(WallHolesInside(info));
    info.holes = {At(0, 0, 0, 0)};
    EXPECT_FALSE(WallHolesInside(info));
}

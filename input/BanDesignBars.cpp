#include <vyr/input/BanDesignBars.h>

#include <cmath>

namespace {

constexpr double kFourOverPi = 1.2732395664542882;
constexpr double kQuarterPi = 0.78539815; // pi / 4 as the bar tables keep it
// A diameter search stops here whatever the area; anything above 50 mm is refused anyway.
constexpr int kSearchLimit = 100;

double Area(int diameter, int space)
{
    if (space <= 0)
        return 0.0;
    return (double)diameter * diameter * kQuarterPi * 1000.0 / space;
}

// A negative area reaching a bar search would never end; undefined counts as none too.
float Usable(float area) { return area >= 0.0f ? area : 0.0f; }

// The spacing at which bars of diameter d give the area.
double SpacingFor(float area, int d) { return 1000.0 / ((double)(area / (float)d / (float)d) * kFourOverPi); }

// At most 200, else rounded down to a multiple of 10 mm.
int RoundSpacing(double s)
{
    if (s > 200.0)
        return 200;
    return (int)std::trunc(s * (double)0.1f) * 10;
}

// The first diameter from d upward (steps of 2) whose spacing reaches 65 mm.
void RaiseDiameter(float area, int d, SlabBar& bar)
{
    double s = SpacingFor(area, d);
    while (!(s >= 65.0) && d < kSearchLimit) {
        d += 2;
        s = SpacingFor(area, d);
    }
    bar.diameter = d;
    bar.space = RoundSpacing(s);
}

} // namespace

float ProvidedArea(int diameter, int space)
{
    if (space <= 0)
        return 0.0f;
    return (float)((long double)diameter * diameter * 1000.0L / space * 0.78539815L);
}

void ChooseBars(float area, SlabBar& bar)
{
    area = Usable(area);
    // The first try is 6 mm: 1000 / (As / 36 x 4 / pi).
    const double s = 1000.0 / ((double)(area * 0.027777778f) * kFourOverPi);
    if (s >= 65.0) {
        bar.diameter = 6;
        bar.space = RoundSpacing(s);
        return;
    }
    RaiseDiameter(area, 8, bar);
}

void RedesignBars(float area, const SlabBar& was, SlabBar& bar)
{
    area = Usable(area);
    if (bar.diameter != was.diameter) {
        RaiseDiameter(area, bar.diameter, bar);
        return;
    }
    if (std::abs(bar.space - was.space) <= 1)
        return;
    // The diameter the typed spacing needs.
    const double e = std::sqrt(bar.space * (double)area * 0.0012732395664542882);
    for (int d : {6, 8, 10, 12}) {
        if (e < d) {
            bar.diameter = d;
            return;
        }
    }
    bar = was;
}

int SmallestDiameter(int grade) { return grade == 0 ? 6 : 8; }
int LargestDiameter(int grade) { return grade == 0 ? 12 : 22; }

bool SelectBars(float area, int grade, SlabBar& bar)
{
    // A pair within 0.001 below the area counts as reaching it, at every step.
    for (int d = SmallestDiameter(grade); d <= LargestDiameter(grade); d += 2) {
        for (int s = 200; s >= 70; s -= 10) {
            if (area - Area(d, s) <= 0.001) {
                bar = {d, s};
                return true;
            }
        }
    }
    bar = {LargestDiameter(grade), 70};
    return false;
}

bool MatchBars(float area, int grade, MatchBy by, int reference, SlabBar& bar)
{
    if (area < 10.0f)
        return SelectBars(area, grade, bar);
    // Option 0 is the group's own value, option 1 the reference.
    SlabBar option[2];
    bool usable[2];
    if (by == MatchBy::Diameter) {
        const int diameters[2] = {bar.diameter, reference};
        for (int i = 0; i < 2; ++i) {
            const int x = diameters[i];
            int s = (int)std::trunc(x * x * kQuarterPi * 1000.0 / area);
            s = s / 10 * 10;
            if (s > 200)
                s = 200;
            option[i] = {x, s};
            usable[i] = s >= 70;
        }
    } else {
        const int spaces[2] = {bar.space, reference};
        for (int i = 0; i < 2; ++i) {
            const int y = spaces[i];
            int d = (int)std::trunc(std::sqrt(y * (double)area * 0.004 * 0.31830989161357204) + 1.0);
            if (d < 6)
                d = 6;
            option[i] = {d, y};
        }
        // Only when both need more than 12 mm is neither usable.
        usable[0] = usable[1] = option[0].diameter <= 12 || option[1].diameter <= 12;
    }
    if (!usable[0] && !usable[1])
        return false;
    if (!usable[0])
        bar = option[1];
    else if (!usable[1])
        bar = option[0];
    else
        bar = Area(option[0].diameter, option[0].space) < Area(option[1].diameter, option[1].space) ? option[0]
                                                                                                     : option[1];
    return true;
}

bool AdjustBars(float area, int grade, const SlabBar& reference, SlabBar& bar)
{
    if (bar.diameter == reference.diameter && bar.space == reference.space)
        return SelectBars(area, grade, bar);
    if (bar.diameter == reference.diameter)
        return MatchBars(area, grade, MatchBy::Spacing, reference.space, bar);
    return MatchBars(area, grade, MatchBy::Diameter, reference.diameter, bar);
}

bool FitBars(float area, int grade, const SlabBar& reference, int otherSpace, SlabBar& bar)
{
    if (area < 10.0f)
        return SelectBars(area, grade, bar);
    const int s0 = bar.space;
    if (s0 == otherSpace)
        return AdjustBars(area, grade, reference, bar);
    if (s0 == reference.space)
        return AdjustBars(area, grade, {reference.diameter, otherSpace}, bar);
    if (otherSpace == reference.space) {
        bar.space = otherSpace;
        return AdjustBars(area, grade, reference, bar);
    }
    const int d0 = bar.diameter;
    const SlabBar candidates[6] = {{d0, s0},
                                   {d0, reference.space},
                                   {d0, otherSpace},
                                   {reference.diameter, s0},
                                   {reference.diameter, reference.space},
                                   {reference.diameter, otherSpace}};
    const SlabBar* best = nullptr;
    double bestExcess = 0.0;
    for (const SlabBar& c : candidates) {
        const double excess = Area(c.diameter, c.space) - area;
        if (excess > 0.0 && excess < 2000.0 && (best == nullptr || excess < bestExcess)) {
            best = &c;
            bestExcess = excess;
        }
    }
    if (best == nullptr)
        return false;
    bar = *best;
    return true;
}

std::vector<int> ChooseTwoWayBars(int grade, const float area[4], SlabBar bars[4])
{
    std::vector<int> tooLarge;
    auto note = [&tooLarge](bool reached, int group) {
        if (!reached)
            tooLarge.push_back(group);
    };
    const float maxX = std::fmax(area[kXNegative], area[kXPositive]);
    const float maxY = std::fmax(area[kYNegative], area[kYPositive]);
    const bool xGoverns = maxX > maxY;
    const int gNeg = xGoverns ? kXNegative : kYNegative;
    const int gPos = xGoverns ? kXPositive : kYPositive;
    const int oNeg = xGoverns ? kYNegative : kXNegative;
    const int oPos = xGoverns ? kYPositive : kXPositive;

    note(SelectBars(area[gNeg], grade, bars[gNeg]), gNeg);
    note(SelectBars(area[gPos], grade, bars[gPos]), gPos);
    bars[oNeg] = bars[oPos] = bars[gPos];
    if (area[oNeg] < area[oPos]) {
        note(AdjustBars(area[oNeg], grade, bars[gNeg], bars[oNeg]), oNeg);
        note(FitBars(area[oPos], grade, bars[gNeg], bars[oNeg].space, bars[oPos]), oPos);
    } else {
        note(AdjustBars(area[oPos], grade, bars[gNeg], bars[oPos]), oPos);
        note(FitBars(area[oNeg], grade, bars[gNeg], bars[oPos].space, bars[oNeg]), oNeg);
    }
    return tooLarge;
}

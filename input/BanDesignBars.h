// Bar arithmetic of the slab reinforcement dialogs: from a required area (mm2 per metre
// width) to a bar diameter and spacing (mm). Free of any dialog so that tables can check it.
#pragma once

#include <vector>

// One bar group: diameter and spacing, mm.
struct SlabBar
{
    int diameter = 8;
    int space = 150;
};

// Area per metre width (mm2/m) of bars of diameter d at spacing s.
float ProvidedArea(int diameter, int space);

// The free choice of one group: the smallest diameter from 6 upward (steps of 2) whose
// spacing reaches 65 mm, the spacing rounded down to 10 mm and at most 200. A negative or
// undefined area counts as 0.
void ChooseBars(float area, SlabBar& bar);

// Follows the user's change of one group (was: the bars before the change): a changed
// diameter is raised in steps of 2 until its spacing reaches 65 mm and the spacing follows;
// else a spacing changed by more than 1 mm takes the diameter 6, 8, 10 or 12 that it needs,
// or returns to the previous bars when 12 is not enough; else nothing changes.
void RedesignBars(float area, const SlabBar& was, SlabBar& bar);

// The bar diameters of a two-way grade: 6 to 12 for grade 0, 8 to 22 for the others.
int SmallestDiameter(int grade);
int LargestDiameter(int grade);

// The routines below answer false when no permitted pair reaches the area ("too large");
// the group then keeps the bars the routine ended with.

// The first pair reaching the area, diameters upward, spacings 200 down to 70 for each;
// too large: the largest diameter at 70.
bool SelectBars(float area, int grade, SlabBar& bar);

enum class MatchBy
{
    Diameter, // keep the group's diameter or take the reference one, each at its spacing
    Spacing,  // keep the group's spacing or take the reference one, each with its diameter
};
// Chooses between the group's own and the reference diameter (or spacing) the option with
// the smaller area, the reference on a tie; SelectBars below 10 mm2/m.
bool MatchBars(float area, int grade, MatchBy by, int reference, SlabBar& bar);

// Brings the group towards the reference bars: SelectBars when it has them already, the
// spacing match when only the diameter is the same, else the diameter match.
bool AdjustBars(float area, int grade, const SlabBar& reference, SlabBar& bar);

// Fits the group to the reference bars and to the spacing of its sibling group (otherSpace).
bool FitBars(float area, int grade, const SlabBar& reference, int otherSpace, SlabBar& bar);

// The four groups of a two-way slab, in the order X positive, X negative, Y positive,
// Y negative.
enum SlabGroup
{
    kXPositive = 0,
    kXNegative = 1,
    kYPositive = 2,
    kYNegative = 3,
};

// Chooses the bars of both directions together: the governing direction (X only when its
// larger area exceeds Y's) gets its own bars, the other reuses them. Answers the groups
// whose area was too large, in the order they were met.
std::vector<int> ChooseTwoWayBars(int grade, const float area[4], SlabBar bars[4]);

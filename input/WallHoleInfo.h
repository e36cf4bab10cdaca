// One wall's rectangular openings as the wall-opening dialogs edit them, the reading of the
// numbers typed into those dialogs, and the rules a set of openings must keep.
#pragma once

#include <vector>

#include <vyr/stdafx.h>

class CWall;

// One rectangular opening, model length units: its size, and its distances from the left
// end and from the bottom of the wall elevation to its left and bottom edges.
struct WALL_HOLE_RECT
{
    float h = 0.0f;
    float w = 0.0f;
    float dx = 0.0f;
    float dy = 0.0f;
};

// A wall's height H and length L and its openings in the order of its opening list.
struct WALL_HOLE_INFO
{
    float H = 0.0f;
    float L = 0.0f;
    std::vector<WALL_HOLE_RECT> holes;
};

// The wall's size and a copy of its rectangular openings.
WALL_HOLE_INFO ReadWallHoles(CWall* wall);
// Replaces every opening of the wall by new rectangles of these values, placed on the wall.
void WriteWallHoles(CWall* wall, const std::vector<WALL_HOLE_RECT>& holes);

// A typed number: the whole part as atoi reads it plus the digits after the first point as
// a fraction; the sign of the whole part holds for the fraction too ("-0.5" is -0.5).
// Nothing is refused: text without digits reads 0, "1.2.3" reads 1.002. A whole part
// beyond the int range stops at its end.
float StrToFloat(const char* text);
// The display value rounded to two decimals: 1.2345 gives 1.23, 1.2351 gives 1.24.
float Round2(float value);
// A computed distance rounded half up to three decimals.
float RoundDistance(double value);

// The first rule the openings of a wall break, as the message that says so; empty when
// they keep them all. Openings are numbered from 1 in the messages.
CString WallHolesFault(const WALL_HOLE_INFO& info);
// Whether each opening keeps to the wall: a size of at least 0.1, no negative distance,
// standing out by no more than 0.1 at the right and at the top.
bool WallHolesInside(const WALL_HOLE_INFO& info);

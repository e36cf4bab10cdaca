// What the wind comfort check and the overall stability check share: the storeys their
// direction votes walk, the wind cases, the plan angle of a case's wind load, and the guard
// they put under a divisor.
#pragma once

#include <vector>

class CBasicLoadCase;
class CFloor;
class CFloorList;
class CStruct;

namespace storey {

// Kinds 2 to 5: the wind cases X, Y, -X, -Y.
bool IsWindCase(const CBasicLoadCase* lc);

// Every storey of the list, the top first.
std::vector<CFloor*> AllStoreysFromTop(const CFloorList* list);

// Of storeys given from the top, those the wind checks walk: from the top down while a
// storey remains below and the level is at least the larger of the basement count and 1.
// The lowest storey given never belongs to them.
std::vector<CFloor*> StoreysOverBasements(const std::vector<CFloor*>& fromTop, int basementCount);

// The plan angle of the wind load of a wind case (the structure's wind loads one to four
// for kinds 2 to 5) in degrees, brought into one turn; false for a case that is not a wind
// case.
bool WindAngleDegrees(const CStruct* s, const CBasicLoadCase* lc, double& degrees);

// How far a plan angle (degrees, within one turn) lies from the X axis (0, 180 or 360) and
// from the Y axis (90 or 270): a wind along -Y is as much a Y wind as one along +Y.
void AxisDistances(double degrees, double& toX, double& toY);

// A divisor below 1e-7 becomes 1e-7, so a quotient stays finite.
inline double AtLeastTiny(double v) { return v < 1e-7 ? 1e-7 : v; }

} // namespace storey

// The time-history results as the results dialog and its report read them: a row is one
// case result or the average of all (the result list itself), entries are paired with the
// storeys of the floor list, and the amplification factor of seismic forces follows from
// the response-spectrum base shear.
#pragma once

#include <vyr/stdafx.h>

class CStruct;
class CTimeAnalyResult;
class CTimeAnalyResultList;

// What a result holds per entry and direction.
enum THQuantity
{
    TH_DISP = 0,  // floor displacement, cm
    TH_DRIFT = 1, // storey drift, cm
    TH_SHEAR = 2, // storey shear, kN
    TH_MOMENT = 3 // storey moment, kN*cm
};

// One row of the results: a case result of the list, or the average when the list has no
// case result set; no row at all when there is no list. Values include the row's factor of
// their direction.
struct CTHResultRow
{
    CTimeAnalyResultList* list = nullptr;
    CTimeAnalyResult* result = nullptr;

    bool IsValid() const { return list != nullptr; }
    bool IsAverage() const { return result == nullptr && list != nullptr; }
    // Entry i (0 to VyrTHEntryCount() - 1) of a quantity.
    float Get(THQuantity q, bool y, int i) const;
    // Stored shear of entry 0, without the factor.
    float GetBaseShear(bool y) const;
    bool GetDefine(bool y) const;
    void SetDefine(bool y, bool on);
    float GetAmplify(bool y) const;
    void SetAmplify(bool y, float factor);
};

// Row r of the results dialog (from 0) over a list of count results: r below the count is
// case result r + 1, r equal to it the average, anything else no row.
CTHResultRow VyrTHResultRow(CTimeAnalyResultList* list, int r);

// Entries a row shows: the first case result's count (0 for an empty list or no row), cut
// to what a case row itself holds so that no entry lies outside it.
int VyrTHEntryCount(const CTHResultRow& row);

// Elevation and storey height of entry i: the (i + 1)-th floor of the floor list; 0 when
// the list has no such floor.
double VyrTHEntryZ(const CStruct* st, int i);
float VyrTHEntryH(const CStruct* st, int i);

// Drift angle of a storey: drift / height, 0 for a storey without height.
float VyrTHDriftAngle(float drift, float h);

// The response-spectrum base shear in a direction: the largest magnitude among the twelve
// storey shears of the first storey above the base (floor GetFirstFloorNo() + 1 of the
// list, the number taken as 1 below 1); 0 without such a floor.
float VyrSpectrumBaseShear(const CStruct* st, bool y);

// The amplification factor that raises a row's base shear to a share of the spectrum base
// shear: k * spectrum / base with k 0.8 for the average and 0.65 for a case, when that
// raises it by more than 0.001 and the base shear is above 0.001; else 1.
float VyrTHAmplifyFactor(bool average, float spectrum, float base);

// A drift angle as the report and the plots label it: "1/%.1f" of its inverse, or "%.3f" of
// 0 below 0.00001.
CString VyrTHDriftText(float angle);

// A small but complete model for tests and the sample host.
#pragma once

#include <vyr/stdafx.h>

class CGlobalData;

struct CSampleModelSize
{
    int nStorey = 3;           // storeys above the base
    int nBayX = 2;             // bays along x
    int nBayY = 3;             // bays along y
    double dBayX = 600.0;      // bay widths (model units, cm)
    double dBayY = 600.0;
    double dStoreyH = 360.0;   // storey height
    // A triangular room on the top storey in front of the first bay (y < 0), bounded by the
    // bay's front beam and two beams to a node at its apex, 2/3 of a bay out.
    bool bTriangleRoom = false;
};

// Fills an empty model root with a storeyed steel frame: nodes, columns, beams and braces
// with sections and materials, rooms with slabs and secondary beams, walls with openings,
// supports, grid axes, member-end definitions, load cases and combinations, and a plan
// view matrix.
void BuildSampleModel(CGlobalData& data, const CSampleModelSize& size = CSampleModelSize());

// Prepares the results of the sample model as an analysis would leave them, so the model
// can be checked and reported: the answer of every node's and member's check (round
// ratios that follow the object's number).
void FillSampleResults(CGlobalData& data);

// Prepares round storey results as an analysis would leave them, on any model with storeys:
// per real storey (k from the lowest, n storeys) weight 1000 kN, lateral stiffness
// 1000 (n + 1 - k) kN/cm in X and 800 (n + 1 - k) in Y (30 % of it at storey n / 2 + 1 of
// three or more: a soft storey), bending stiffness 1e13 (n + 1 - k) and 0.8e13 (n + 1 - k)
// kN*cm2, so that bending adds little to the drifts (the base below takes the lowest real
// storey's); per wind and seismic case a storey shear of 10 (wind) or 20 (seismic) kN
// x (n + 1 - k) along the case's direction (negative for -X and -Y wind) and a tenth of it
// across, and drifts of shear over stiffness; each tower of the structure's main nodes
// standing in the storey takes the share t / (1 + ... + towers) of the stiffnesses, and of
// column shear capacities of 2000 (n + 1 - k) kN in X and 1600 (n + 1 - k) in Y (30 % at the
// soft storey).
void FillStoreyResults(CGlobalData& data);

// A few lines that summarise a model (counts per kind, storeys, sections).
CString SampleModelSummary(CGlobalData& data);

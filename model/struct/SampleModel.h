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

// Adds loads of every kind to a model built by BuildSampleModel, with the basic load cases
// of every kind: node dead loads and moments, node and member live loads, node and member
// wind loads in the four directions, a crane case generated from the layout with its node
// and member loads, a temperature case on the top storey's beams, vertical seismic data on
// the top nodes, node weights and masses, and a master node per storey with its masses.
void AddSampleLoads(CGlobalData& data);

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

// Gives a model with modes the normalised mode shapes a modal analysis would leave: per node
// and mode a sway in X (mode 1), in Y (mode 2) or a twist about the plan centre (mode 3 and
// on), growing with the height, and a master node per real storey at its plan centre with
// the same shape (X, Y, rotation). Storeys that have master nodes keep theirs.
void AddSampleModeShapes(CGlobalData& data);
// Storey displacements from the drifts FillStoreyResults left, for every wind and seismic case,
// both directions, the whole storey and each tower with drifts: the average storey
// displacement is the sum of the drifts from the lowest real storey up; the largest is 1.1
// times it at node 100 k + 2, the largest drift 1.05, 1.15 or 1.25 times the drift (k mod 3)
// at node 100 k + 1.
void FillStoreyDisplacements(CGlobalData& data);

// A few lines that summarise a model (counts per kind, storeys, sections).
CString SampleModelSummary(CGlobalData& data);

// The curves of the time-history results over the storeys: maximum floor displacement,
// storey drift angle, storey shear and storey moment of one row in one direction, scaled
// into a box of ratio 0.7 inside a frame, with grey axes, a scale chosen from a table of
// steps, floor labels, the curve or the storey bars, a title with the largest value and a
// caption.
#pragma once

#include <vector>

#include <vyr/stdafx.h>
#include <vyr/input/THResultRows.h>

class CStruct;

// The plots, by tab.
enum THPlotKind
{
    THPLOT_DISP = 0,
    THPLOT_DRIFT = 1,
    THPLOT_SHEAR = 2,
    THPLOT_MOMENT = 3
};

// What the plots of one row show: per kind and direction (0 X, 1 Y) the value of each
// entry, as plotted (drift angles, moments in kN*m), and the entries' elevations.
struct CTHPlotData
{
    int n = 0;
    std::vector<double> z;
    std::vector<float> v[4][2];
};

// The plotted values of a row, entries paired with the structure's storeys; n is 0 for no row.
CTHPlotData VyrTHPlotData(const CStruct* st, const CTHResultRow& row);

// Draws one plot into the client rectangle. Nothing for fewer than two entries or a top
// elevation of 0, which gives the storeys no scale.
void VyrDrawTHPlot(CDC* pDC, const CRect& client, const CTHPlotData& data, int kind, bool y, const LOGFONT& font);

// The storey model the storey statistics benchmarks share: 100 storeys above the base, three
// towers (to the top, to storey 80 and to storey 60), 8 seismic cases (four pairs along X and
// Y), the 4 wind cases and 30 modes, with the round storey results.
#pragma once

#include "support/StoreyModels.h"

namespace vyrbench {

inline vyrtest::CStoreyModelSpec StoreyBenchSpec()
{
    vyrtest::CStoreyModelSpec spec;
    spec.nStorey = 100;
    spec.towers = {{0.0, 0.0, 0}, {3000.0, 0.0, 80}, {0.0, 3000.0, 60}};
    spec.bWind = true;
    spec.nSeismPairs = 4;
    spec.nModes = 30;
    spec.strProject = "百层模型";
    return spec;
}

} // namespace vyrbench

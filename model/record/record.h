// Records of the structure model: portal frames, design-code checkers and optimisation
// records, named id sets and display parameters, seismic waves and time-history data.
#pragma once

#include "model/record/Portal.h"
#include "model/record/Code.h"
#include "model/record/IDs.h"
#include "model/record/ShowPara.h"
#include "model/record/TimeHistory.h"

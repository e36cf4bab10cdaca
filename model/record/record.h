// Records of the structure model: portal frames, design-code checkers and optimisation
// records, named id sets and display parameters, seismic waves and time-history data.
#pragma once

#include <vyr/model/record/Portal.h>
#include <vyr/model/record/Code.h>
#include <vyr/model/record/IDs.h>
#include <vyr/model/record/ShowPara.h>
#include <vyr/model/record/TimeHistory.h>

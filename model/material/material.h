// Material records of the material library.
#pragma once

#include "model/material/MaterialBase.h"
#include "model/material/MaterialList.h"
